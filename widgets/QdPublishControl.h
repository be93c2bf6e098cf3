#pragma once
// The published properties that the library's painted controls share:
// placement, visibility, hints and the mouse events. Each control adds its
// own colour, font and caption properties.

#include "platform/Menus.h"
#include "platform/TypInfo.h"

template <class C, class B>
void PublishPlacementAndMouse(TClassBuilder<C, B>& b)
{
    b.Enum("Align", &C::Align, &C::SetAlign).Default(alNone)
        .Set("Anchors", &C::Anchors, &C::SetAnchors).Default(TAnchors{akLeft, akTop})
        .Object("Constraints", &C::Constraints, &C::SetConstraints)
        .Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true)
        .Bool("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint).Default(true)
        .Reference("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
        .Bool("ShowHint", &C::ShowHint, &C::SetShowHint).Stored([](C& c) { return !c.ParentShowHint(); })
        .Bool("Visible", &C::Visible, &C::SetVisible).Default(true)
        .Event("OnClick", &C::OnClick)
        .Event("OnDblClick", &C::OnDblClick)
        .Event("OnMouseDown", &C::OnMouseDown)
        .Event("OnMouseMove", &C::OnMouseMove)
        .Event("OnMouseUp", &C::OnMouseUp)
        .Event("OnMouseEnter", &C::OnMouseEnter)
        .Event("OnMouseLeave", &C::OnMouseLeave);
}

// Color with the control's own default, stored unless taken from the parent.
template <class C, class B>
void PublishOwnColor(TClassBuilder<C, B>& b, TColor Default)
{
    b.Color("Color", &C::Color, &C::SetColor).Default(Default).Stored([](C& c) { return !c.ParentColor(); })
        .Bool("ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
}
