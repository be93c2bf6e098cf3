// The user's hand on an axis: scrolling and zooming by mouse, wheel and
// keys, the hint, the cursor, and the popup menu.

#include <vector>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "platform/Math.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/System.h"
#include "platform/SysUtils.h"

// ===========================================================================
// User scrolling and zooming
// ===========================================================================

namespace {

constexpr const char* kZoomFactorMessage = "Linear Scale Zoom Factor must be Greater than Zero";
// Steps of the wheel: a scroll by a twentieth of the scale, a zoom by a
// fortieth (log10: a twentieth) of a decade.
constexpr Double kWheelScroll = 0.05;
constexpr Double kWheelZoomLinear = 0.025;
constexpr Double kWheelZoomLog = 0.05;
constexpr Double kPageStep = 1;
constexpr Double kArrowStep = 0.01;

Double KeyStep(Word Key)
{
    switch (Key) {
    case VK_PRIOR:
    case VK_END: return kPageStep;
    case VK_NEXT:
    case VK_HOME: return -kPageStep;
    case VK_LEFT:
    case VK_DOWN: return -kArrowStep;
    case VK_UP:
    case VK_RIGHT: return kArrowStep;
    default: return 0;
    }
}

}  // namespace

TkPlotAxisMode TkPlotAxis::EffectiveMode(TShiftState Shift) const
{
    if (!Shift.Contains(ssCtrl)) return FMode;
    return FMode == kpamScroll ? kpamZoom : kpamScroll;
}

void TkPlotAxis::MoveScale(TkPlotAxisMode AMode, Double Amount)
{
    const TkPlotScaleRange moved = AMode == kpamScroll ? FScale.ScrolledBy(Amount) : FScale.ZoomedBy(Amount);
    SetMinSpan(moved.Min, moved.Span);
}

void TkPlotAxis::Zoom(Double Value)
{
    if (!FScale.IsLog() && !(Value > 0)) throw Exception(kZoomFactorMessage);
    const TkPlotScaleRange zoomed = FScale.Zoomed(Value);
    SetMinSpan(zoomed.Min, zoomed.Span);
}

void TkPlotAxis::FireMinSpanChangeFinished(Double OldMin, Double OldSpan)
{
    const Double min = FScale.Min();
    const Double span = FScale.Span();
    if (min == OldMin && span == OldSpan) return;
    Fire(PlotEvent::AxisMinSpanChangeFinished{this, OldMin, OldSpan, min, span});
}

// ===========================================================================
// Mouse and keyboard
// ===========================================================================

bool TkPlotAxis::kMouseHitTest(const TkPlotMouseData& MouseData)
{
    return PtInRect(FFocusRect, Point(MouseData.X, MouseData.Y));
}

void TkPlotAxis::NotificationSetFocus(TkPlotObject* AObject)
{
    TkPlotLayoutObject::NotificationSetFocus(AObject);
    if (AObject == this || !UserSelected() || !AObject->UserSelected()) return;
    const TShiftState shift = ShiftState();
    const bool adding = shift.Contains(ssShift) || shift.Contains(ssCtrl);
    if (adding && IsAxisKind(AObject->Kind())) return;
    SetUserSelected(false);
}

void TkPlotAxis::DoMouseHint(const TkPlotMouseData& MouseData, TkPlotHintData& HintData)
{
    if (FTitleShow) return;
    HintData.Text = FTitle;
    HintData.Left = MouseData.X;
    HintData.Top = SatInt32(Int64{MouseData.Y} - 20);
    TkPlotInputHost* input = Host().Input;
    if (!input) return;
    Fire(PlotEvent::AxisCustomizeHint{this, HintData.Text});
    // Measured after the handler: the box fits the text it shows.
    const TSize extent = input->HintTextExtent(HintData.Text);
    HintData.Width = SatInt32(Int64{extent.cx} + 4);
    HintData.Height = SatInt32(Int64{extent.cy} + 4);
}

void TkPlotAxis::DoMouseLeft(const TkPlotMouseData& MouseData)
{
    TWeakRef<TkPlotAxis> self(this);
    ForwardToOtherAxes([&MouseData](TkPlotAxis& Other) { Other.DoMouseLeft(MouseData); });
    if (!self) return;
    FMouseDown = true;
    FMouseDownX = MouseData.X;
    FMouseDownY = MouseData.Y;
    FMouseDownMin = FScale.Min();
    FMouseDownSpan = FScale.Span();
}

void TkPlotAxis::DoMouseMove(const TkPlotMouseData& MouseData)
{
    if (!FMouseDown) return;
    TWeakRef<TkPlotAxis> self(this);
    ForwardToOtherAxes([&MouseData](TkPlotAxis& Other) { Other.DoMouseMove(MouseData); });
    if (!self) return;
    if (MouseData.DblClickActive) return;
    DoInvalidateNow();
    if (!self) return;
    SetTrackingEnabled(false);
    const Int64 moved = IsHorz() ? Int64{MouseData.X} - FMouseDownX : Int64{FMouseDownY} - MouseData.Y;
    FMouseDownX = MouseData.X;
    FMouseDownY = MouseData.Y;
    const Integer length = ScaleLength();
    if (length <= 0) return;
    const Extended fraction = (FScale.Reversed() ? -moved : moved) / Extended(length);
    if (EffectiveMode(ShiftState()) == kpamScroll)
        MoveScale(kpamScroll, Double(-fraction));
    else
        MoveScale(kpamZoom, Double(FScale.IsLog() ? fraction * 2 : fraction / 4));
}

void TkPlotAxis::DoMouseUp(const TkPlotMouseData& MouseData)
{
    // A release this axis did not see pressed (the focus loss' release) ends nothing.
    if (!FMouseDown) return;
    FMouseDown = false;
    TWeakRef<TkPlotAxis> self(this);
    ForwardToOtherAxes([&MouseData](TkPlotAxis& Other) { Other.DoMouseUp(MouseData); });
    if (!self) return;
    if (kMouseHitTest(MouseData)) {
        Fire(PlotEvent::Click{this});
        if (!self) return;
    }
    FireMinSpanChangeFinished(FMouseDownMin, FMouseDownSpan);
}

bool TkPlotAxis::DoMouseWheel(Integer WheelDelta, TShiftState Shift, Integer X, Integer Y)
{
    if (WheelDelta == 0) return false;
    TWeakRef<TkPlotAxis> self(this);
    SetTrackingEnabled(false);
    ForwardToOtherAxes([=](TkPlotAxis& Other) { Other.DoMouseWheel(WheelDelta, Shift, X, Y); });
    if (!self) return true;
    const Double sign = WheelDelta > 0 ? 1 : -1;
    const TkPlotAxisMode mode = EffectiveMode(Shift);
    const Double zoomStep = FScale.IsLog() ? kWheelZoomLog : kWheelZoomLinear;
    MoveScale(mode, sign * (mode == kpamScroll ? kWheelScroll : zoomStep));
    return true;
}

void TkPlotAxis::ForwardToOtherAxes(const std::function<void(TkPlotAxis&)>& Action)
{
    TkPlotInputHost* input = Host().Input;
    const TkPlotObjectsHost* plot = Host().Objects;
    if (!FMasterUIInput || !input || !plot || input->AxesForwarding()) return;
    const bool xAxes = IsXAxis();
    // Held weakly: a handler reached through an axis may free others.
    std::vector<TWeakRef<TkPlotAxis>> others;
    for (Integer i = 0; i < plot->AxisCount(xAxes); ++i)
        if (TkPlotAxis* other = plot->GetAxis(xAxes, i); other != this) others.emplace_back(other);
    input->SetAxesForwarding(true);
    const TScopeExit lower([input] { input->SetAxesForwarding(false); });
    for (const TWeakRef<TkPlotAxis>& other : others)
        if (TkPlotAxis* axis = other.Get()) Action(*axis);
}

TCursor TkPlotAxis::GetMouseCursor(TPoint)
{
    TCursor cursor = crHandPoint;
    if (FMode == kpamZoom) cursor = IsHorz() ? crSizeWE : crSizeNS;
    Fire(PlotEvent::GetMouseCursor{this, cursor});
    return cursor;
}

void TkPlotAxis::kKeyDown(Word& Key, TShiftState Shift, TPopupMenu* PopupMenu)
{
    TWeakRef<TkPlotAxis> self(this);
    TkPlotLayoutObject::kKeyDown(Key, Shift, PopupMenu);
    if (!self) return;
    // The other axes open no popup menu.
    ForwardToOtherAxes([&Key, Shift](TkPlotAxis& Other) { Other.kKeyDown(Key, Shift, nullptr); });
    if (!self) return;
    SetTrackingEnabled(false);
    const Double oldMin = FScale.Min();
    const Double oldSpan = FScale.Span();
    if (const Double step = KeyStep(Key); step != 0) {
        DoInvalidateNow();
        if (!self) return;
        // The key's own mode: Ctrl does not swap it.
        MoveScale(FMode, step);
        if (!self) return;
    }
    FireMinSpanChangeFinished(oldMin, oldSpan);
}

// ===========================================================================
// Popup menu
// ===========================================================================

void TkPlotAxis::ToggleTracking() { SetTrackingEnabled(!FScale.TrackingEnabled()); }

void TkPlotAxis::AddPopupItem(TPopupMenu* PopupMenu, Integer Index, const char* Caption, bool Checked, bool Enabled,
                              void (TkPlotAxis::*Action)())
{
    TMenuItem* item = Create<TMenuItem>(PopupMenu);
    item->SetCaption(TranslateString(Caption));
    item->SetChecked(Checked);
    item->SetEnabled(Enabled);
    item->OnClick = [self = TWeakRef<TkPlotAxis>(this), Action](TObject*) {
        if (TkPlotAxis* axis = self.Get()) (axis->*Action)();
    };
    PopupMenu->Items()->Insert(Index, item);
}

void TkPlotAxis::BuildPopupMenu(TPopupMenu* PopupMenu)
{
    TkPlotLayoutObject::BuildPopupMenu(PopupMenu);
    AddEditMenuItem(PopupMenu);
    const bool tracking = FScale.TrackingEnabled();
    AddPopupItem(PopupMenu, 0, "Tracking Enabled", tracking, true, &TkPlotAxis::ToggleTracking);
    AddPopupItem(PopupMenu, 1, "Update Resume Values", false, !tracking && FScale.ResumeDiffers(),
                 &TkPlotAxis::UpdateResumeValues);
    AddPopupItem(PopupMenu, 2, "Zoom to Fit", false, true, &TkPlotAxis::ZoomToFit);
}
