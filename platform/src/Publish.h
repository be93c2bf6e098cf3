#pragma once
// The published properties that many controls share, added to a class
// builder in the class library's order.

#include "platform/Controls.h"
#include "platform/Menus.h"

namespace pl {

template <class C, class B>
TClassBuilder<C, B>& PublishAlign(TClassBuilder<C, B>& b)
{
    return b.Enum("Align", &C::Align, &C::SetAlign).Default(alNone)
        .Set("Anchors", &C::Anchors, &C::SetAnchors).Default(TAnchors{akLeft, akTop});
}

// Color and Font are stored only when they are not the parent's.
template <class C, class B>
TClassBuilder<C, B>& PublishColor(TClassBuilder<C, B>& b, TColor ColorDefault, bool ParentColorDefault)
{
    return b.Color("Color", &C::Color, &C::SetColor).Default(ColorDefault).Stored([](C& c) { return !c.ParentColor(); })
        .Bool("ParentColor", &C::ParentColor, &C::SetParentColor).Default(ParentColorDefault);
}

template <class C, class B>
TClassBuilder<C, B>& PublishFont(TClassBuilder<C, B>& b)
{
    return b.Object("Font", &C::Font, &C::SetFont).Stored([](C& c) { return !c.ParentFont(); })
        .Bool("ParentFont", &C::ParentFont, &C::SetParentFont).Default(true);
}

template <class C, class B>
TClassBuilder<C, B>& PublishState(TClassBuilder<C, B>& b)
{
    return b.Object("Constraints", &C::Constraints, &C::SetConstraints)
        .Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true)
        .Bool("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint).Default(true)
        .Reference("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
        .Bool("ShowHint", &C::ShowHint, &C::SetShowHint).Stored([](C& c) { return !c.ParentShowHint(); })
        .Bool("Visible", &C::Visible, &C::SetVisible).Default(true);
}

template <class C, class B>
TClassBuilder<C, B>& PublishTab(TClassBuilder<C, B>& b, bool TabStopDefault)
{
    return b.Integer("TabOrder", &C::TabOrder, &C::SetTabOrder).Default(-1)
        .Bool("TabStop", &C::TabStop, &C::SetTabStop).Default(TabStopDefault);
}

template <class C, class B>
TClassBuilder<C, B>& PublishMouseEvents(TClassBuilder<C, B>& b)
{
    return b.Event("OnClick", &C::OnClick, &C::OnClick)
        .Event("OnContextPopup", &C::OnContextPopup, &C::OnContextPopup)
        .Event("OnDblClick", &C::OnDblClick, &C::OnDblClick)
        .Event("OnDragDrop", &C::OnDragDrop, &C::OnDragDrop)
        .Event("OnDragOver", &C::OnDragOver, &C::OnDragOver)
        .Event("OnEndDrag", &C::OnEndDrag, &C::OnEndDrag)
        .Event("OnMouseDown", &C::OnMouseDown, &C::OnMouseDown)
        .Event("OnMouseEnter", &C::OnMouseEnter, &C::OnMouseEnter)
        .Event("OnMouseLeave", &C::OnMouseLeave, &C::OnMouseLeave)
        .Event("OnMouseMove", &C::OnMouseMove, &C::OnMouseMove)
        .Event("OnMouseUp", &C::OnMouseUp, &C::OnMouseUp)
        .Event("OnStartDrag", &C::OnStartDrag, &C::OnStartDrag);
}

template <class C, class B>
TClassBuilder<C, B>& PublishKeyEvents(TClassBuilder<C, B>& b)
{
    return b.Event("OnEnter", &C::OnEnter, &C::OnEnter)
        .Event("OnExit", &C::OnExit, &C::OnExit)
        .Event("OnKeyDown", &C::OnKeyDown, &C::OnKeyDown)
        .Event("OnKeyPress", &C::OnKeyPress, &C::OnKeyPress)
        .Event("OnKeyUp", &C::OnKeyUp, &C::OnKeyUp);
}

}  // namespace pl
