// The data cursor under the user's mouse and keys: pointers and the hint
// are dragged across the data view, keys step them, the popup menu picks
// the channel and the style.

#include <cmath>

#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/view/kPlotDataView.h"
#include "platform/Math.h"
#include "platform/Menus.h"
#include "platform/Messages.h"

namespace {

constexpr Integer kPageStep = 5;

TMenuItem* AddItem(TPopupMenu* Menu, TMenuItem* Parent, const String& Caption, bool Checked, TNotifyEvent OnClick)
{
    TMenuItem* item = Create<TMenuItem>(Menu);
    item->SetCaption(Caption);
    item->SetChecked(Checked);
    item->OnClick = std::move(OnClick);
    Parent->Add(item);
    return item;
}

}  // namespace

// ===========================================================================
// Mouse
// ===========================================================================

bool TkPlotDataCursor::kMouseHitTest(const TkPlotMouseData& MouseData)
{
    const TPoint p = Point(MouseData.X, MouseData.Y);
    for (std::size_t pointer = 0; pointer < 2; ++pointer)
        if (FPointerShow[pointer] && PtInRect(FPointerRects[pointer], p)) return true;
    return HintShowing() && PtInRect(FHintRect, p);
}

void TkPlotDataCursor::DoMouseLeft(const TkPlotMouseData& MouseData)
{
    FGrab = TGrab::None;
    if (!FDataView.Get()) return;
    const TPoint p = Point(MouseData.X, MouseData.Y);
    FMouseDownPoint = p;
    if (HintShowing() && PtInRect(FHintRect, p))
        FGrab = TGrab::Hint;
    else if (FPointerShow[0] && PtInRect(FPointerRects[0], p))
        FGrab = TGrab::Pointer1;
    else if (FPointerShow[1] && PtInRect(FPointerRects[1], p))
        FGrab = TGrab::Pointer2;
    if (FGrab == TGrab::None) return;
    FGrabPixel = FGrab == TGrab::Hint ? HintPixel() : PointerPixel(FGrab == TGrab::Pointer1 ? 0 : 1);
    UpdateCursor();
}

Double TkPlotDataCursor::DraggedPercent(bool Horizontal, const TkPlotMouseData& MouseData) const
{
    const TkPlotDataView& view = *FDataView.Get();
    if (Horizontal) return view.PixelsYToPositionPercent(SatInt32(Int64{FGrabPixel} + MouseData.Y - FMouseDownPoint.Y));
    return view.PixelsXToPositionPercent(SatInt32(Int64{FGrabPixel} + MouseData.X - FMouseDownPoint.X));
}

void TkPlotDataCursor::DoMouseMove(const TkPlotMouseData& MouseData)
{
    if (FGrab == TGrab::None || !FDataView.Get()) return;
    switch (FGrab) {
    case TGrab::Pointer1: SetPointer1Position(DraggedPercent(FPointerHorizontal[0], MouseData)); break;
    case TGrab::Pointer2: SetPointer2Position(DraggedPercent(FPointerHorizontal[1], MouseData)); break;
    // The hint moves along its pointer: across the hint's orientation.
    case TGrab::Hint: SetHintPosition(DraggedPercent(!FHintHorizontal, MouseData)); break;
    case TGrab::None: break;
    }
    UpdateCursor();
    DoInvalidateNow();
}

void TkPlotDataCursor::DoMouseUp(const TkPlotMouseData& MouseData)
{
    // A release this cursor did not see pressed ends nothing.
    if (!MouseDown()) return;
    if (FGrab == TGrab::Pointer1 || FGrab == TGrab::Pointer2) SnapPointer(FGrab == TGrab::Pointer1 ? 0 : 1);
    FGrab = TGrab::None;
    TWeakRef<TkPlotObject> self(this);
    DoChange();
    if (self && kMouseHitTest(MouseData))
        Fire(PlotEvent::Click{this});
}

TCursor TkPlotDataCursor::GetMouseCursor(TPoint)
{
    TCursor cursor = crHandPoint;
    Fire(PlotEvent::GetMouseCursor{this, cursor});
    return cursor;
}

// ===========================================================================
// Keys
// ===========================================================================

void TkPlotDataCursor::kKeyDown(Word& Key, TShiftState Shift, TPopupMenu* PopupMenu)
{
    TWeakRef<TkPlotObject> self(this);
    TkPlotManagerObject::kKeyDown(Key, Shift, PopupMenu);
    if (!self || !FDataView.Get()) return;
    const bool second = Shift.Contains(ssCtrl) && FPointerShow[1];
    if (Snapping())
        MoveBySnapKey(Key, second || !FPointerShow[0] ? 1 : 0);
    else
        MoveByKey(Key, second);
}

void TkPlotDataCursor::MoveByKey(Word Key, bool Second)
{
    const std::size_t pointer = Second || !FPointerShow[0] ? 1 : 0;
    const bool horizontal = FPointerHorizontal[pointer];
    const TkPlotDataView& view = *FDataView.Get();
    const Integer size = horizontal ? view.Height() : view.Width();
    // A view of no size has no pixel to step by.
    if (size <= 0) return;
    const Double pixel = 100.0 / size;
    Double& position = FPointerPositions[pointer];
    Double moved = position;
    Double hint = FHintPosition;
    // Keys along the pointer's direction move it; keys across it move the
    // hint along the pointer.
    const Word forward = horizontal ? VK_UP : VK_RIGHT;
    const Word backward = horizontal ? VK_DOWN : VK_LEFT;
    const Word hintForward = horizontal ? VK_RIGHT : VK_UP;
    const Word hintBackward = horizontal ? VK_LEFT : VK_DOWN;
    if (Key == VK_PRIOR) moved += kPageStep * pixel;
    else if (Key == VK_NEXT) moved -= kPageStep * pixel;
    else if (Key == VK_END) moved = 100;
    else if (Key == VK_HOME) moved = 0;
    else if (Key == forward) moved += pixel;
    else if (Key == backward) moved -= pixel;
    else if (Key == hintForward && HintShowing()) hint += pixel;
    else if (Key == hintBackward && HintShowing()) hint -= pixel;
    else return;
    if (pointer == 0)
        SetPointer1Position(moved);
    else
        SetPointer2Position(moved);
    SetHintPosition(hint);
}

// ===========================================================================
// Menu and selection
// ===========================================================================

void TkPlotDataCursor::BuildPopupMenu(TPopupMenu* PopupMenu)
{
    TkPlotManagerObject::BuildPopupMenu(PopupMenu);
    AddEditMenuItem(PopupMenu);
    TWeakRef<TkPlotDataCursor> self(this);
    const auto bind = [self](String Name) {
        return [self, Name](TObject*) {
            if (TkPlotDataCursor* cursor = self.Get()) {
                cursor->SetChannelName(Name);
                cursor->DoSnapToDataPoint();
            }
        };
    };
    TMenuItem* channels = AddItem(PopupMenu, PopupMenu->Items(), TranslateString("Channel"), false, nullptr);
    if (const TkPlotObjectsHost* plot = Host().Objects)
        for (Integer i = 0; i < plot->ChannelCount(); ++i) {
            const String name = plot->GetChannel(i)->Name();
            AddItem(PopupMenu, channels, name, SameObjectName(name, ChannelName()), bind(name));
        }
    if (FChannelAllowAll) AddItem(PopupMenu, channels, AllChannels, ReadsAllChannels(), bind(AllChannels));
    TMenuItem* styles = AddItem(PopupMenu, PopupMenu->Items(), TranslateString("Style"), false, nullptr);
    for (const TkPlotDataCursorStyle style :
         {kpcsValueXY, kpcsValueX, kpcsValueY, kpcsDeltaX, kpcsDeltaY, kpcsInverseDeltaX}) {
        if (!FMenuItemVisible[style]) continue;
        AddItem(PopupMenu, styles, TranslateString(FMenuItemCaption[style]), style == FStyle, [self, style](TObject*) {
            if (TkPlotDataCursor* cursor = self.Get()) cursor->SetStyle(style);
        });
    }
    if (!FMenuUserCanChangeOptions) return;
    TMenuItem* options = AddItem(PopupMenu, PopupMenu->Items(), TranslateString("Options"), false, nullptr);
    const auto option = [&](const char* Caption, bool Checked, void (TkPlotDataCursor::*Toggle)()) {
        AddItem(PopupMenu, options, TranslateString(Caption), Checked, [self, Toggle](TObject*) {
            if (TkPlotDataCursor* cursor = self.Get()) (cursor->*Toggle)();
        });
    };
    option("Use Channel Color", FUseChannelColor, &TkPlotDataCursor::ToggleUseChannelColor);
    option("Hide Hint On Release", FHintHideOnRelease, &TkPlotDataCursor::ToggleHintHideOnRelease);
    option("Flip Alignment", false, &TkPlotDataCursor::FlipHintSide);
    // Offered on every plot; only a time plot's channels keep their points
    // in X order, so only there does it snap (Snapping).
    option("Snap to Data-Point", FSnapToDataPoint, &TkPlotDataCursor::ToggleSnapToDataPoint);
}

void TkPlotDataCursor::ToggleUseChannelColor() { SetUseChannelColor(!FUseChannelColor); }

void TkPlotDataCursor::ToggleHintHideOnRelease() { SetHintHideOnRelease(!FHintHideOnRelease); }

void TkPlotDataCursor::FlipHintSide()
{
    SetHintOrientationSide(FHintOrientationSide == kosBottomRight ? kosTopLeft : kosBottomRight);
}

void TkPlotDataCursor::DoGotFocus()
{
    TWeakRef<TkPlotObject> self(this);
    TkPlotManagerObject::DoGotFocus();
    if (!self) return;
    if (TkPlotChannelCustom* channel = GetChannel()) channel->SetUserSelected(true);
}

void TkPlotDataCursor::NotificationSetFocus(TkPlotObject* AObject)
{
    TkPlotManagerObject::NotificationSetFocus(AObject);
    if (AObject == this || !AObject->UserSelected() || AObject == GetChannel()) return;
    if (AObject->Kind() == kpokChannel && UserSelected()) SetChannelName(AObject->Name());
    SetUserSelected(false);
}

bool TkPlotDataCursor::KeepsSelected(const TkPlotObject* Object) const { return Object && Object == GetChannel(); }
