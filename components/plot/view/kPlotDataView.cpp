#include "components/plot/view/kPlotDataView.h"

#include <algorithm>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "platform/Math.h"
#include "platform/Messages.h"
#include "platform/SysUtils.h"

namespace {

constexpr const char* kAllAxes = "<ALL>";
// A right drag becomes a zoom box once it has gone this far in X or Y.
constexpr Integer kZoomBoxStart = 6;
// With Shift in both directions, the first move beyond these picks one.
constexpr Integer kLockXBeyond = 3;
constexpr Integer kLockYFrom = 4;

Int64 Distance(Integer A, Integer B) { return std::abs(Int64{A} - B); }

Integer PlusOne(Integer Value) { return SatInt32(Int64{Value} + 1); }

}  // namespace

TClass TkPlotDataView::StaticClassInfo()
{
    using C = TkPlotDataView;
    static const TClassInfo info =
        TClassBuilder<C, TkPlotLayoutObject>("TkPlotDataView")
            .String("Title", &C::Title, &C::SetTitle)
            .Bool("BackgroundTransparent", &C::BackgroundTransparent, &C::SetBackgroundTransparent).Default(true)
            .Color("BackgroundColor", &C::BackgroundColor, &C::SetBackgroundColor).Default(8421376)
            .String("GridXAxisName", &C::GridXAxisName, &C::SetGridXAxisName)
            .String("GridYAxisName", &C::GridYAxisName, &C::SetGridYAxisName)
            .Bool("GridShow", &C::GridShow, &C::SetGridShow).Default(true)
            .Color("GridLineColor", &C::GridLineColor, &C::SetGridLineColor).Default(32768)
            .Bool("GridLineShowLeft", &C::GridLineShowLeft, &C::SetGridLineShowLeft).Default(true)
            .Bool("GridLineShowRight", &C::GridLineShowRight, &C::SetGridLineShowRight).Default(true)
            .Bool("GridLineShowTop", &C::GridLineShowTop, &C::SetGridLineShowTop).Default(true)
            .Bool("GridLineShowBottom", &C::GridLineShowBottom, &C::SetGridLineShowBottom).Default(true)
            .Bool("GridLineShowXMajors", &C::GridLineShowXMajors, &C::SetGridLineShowXMajors).Default(true)
            .Bool("GridLineShowXMinors", &C::GridLineShowXMinors, &C::SetGridLineShowXMinors).Default(false)
            .Bool("GridLineShowYMajors", &C::GridLineShowYMajors, &C::SetGridLineShowYMajors).Default(true)
            .Bool("GridLineShowYMinors", &C::GridLineShowYMinors, &C::SetGridLineShowYMinors).Default(false)
            .Enum("GridLineMajorStyle", &C::GridLineMajorStyle, &C::SetGridLineMajorStyle).Default(kpglsSolid)
            .Enum("GridLineMinorStyle", &C::GridLineMinorStyle, &C::SetGridLineMinorStyle).Default(kpglsSolid)
            .Bool("GridLineXMajorCustom", &C::GridLineXMajorCustom, &C::SetGridLineXMajorCustom).Default(false)
            .Bool("GridLineXMinorCustom", &C::GridLineXMinorCustom, &C::SetGridLineXMinorCustom).Default(false)
            .Bool("GridLineYMajorCustom", &C::GridLineYMajorCustom, &C::SetGridLineYMajorCustom).Default(false)
            .Bool("GridLineYMinorCustom", &C::GridLineYMinorCustom, &C::SetGridLineYMinorCustom).Default(false)
            .Color("GridLineXMajorColor", &C::GridLineXMajorColor, &C::SetGridLineXMajorColor).Default(32768)
            .Color("GridLineXMinorColor", &C::GridLineXMinorColor, &C::SetGridLineXMinorColor).Default(32768)
            .Color("GridLineYMajorColor", &C::GridLineYMajorColor, &C::SetGridLineYMajorColor).Default(32768)
            .Color("GridLineYMinorColor", &C::GridLineYMinorColor, &C::SetGridLineYMinorColor).Default(32768)
            .Integer("GridLineXMajorWidth", &C::GridLineXMajorWidth, &C::SetGridLineXMajorWidth).Default(0)
            .Integer("GridLineXMinorWidth", &C::GridLineXMinorWidth, &C::SetGridLineXMinorWidth).Default(0)
            .Integer("GridLineYMajorWidth", &C::GridLineYMajorWidth, &C::SetGridLineYMajorWidth).Default(0)
            .Integer("GridLineYMinorWidth", &C::GridLineYMinorWidth, &C::SetGridLineYMinorWidth).Default(0)
            .Enum("GridLineXMajorStyle", &C::GridLineXMajorStyle, &C::SetGridLineXMajorStyle).Default(kpglsSolid)
            .Enum("GridLineXMinorStyle", &C::GridLineXMinorStyle, &C::SetGridLineXMinorStyle).Default(kpglsSolid)
            .Enum("GridLineYMajorStyle", &C::GridLineYMajorStyle, &C::SetGridLineYMajorStyle).Default(kpglsSolid)
            .Enum("GridLineYMinorStyle", &C::GridLineYMinorStyle, &C::SetGridLineYMinorStyle).Default(kpglsSolid)
            .Bool("AxesControlEnabled", &C::AxesControlEnabled, &C::SetAxesControlEnabled)
            .Enum("AxesControlMouseStyle", &C::AxesControlMouseStyle, &C::SetAxesControlMouseStyle)
            .Enum("AxesControlWheelStyle", &C::AxesControlWheelStyle, &C::SetAxesControlWheelStyle)
            .Bool("AxesControlAllowInSelectMode", &C::AxesControlAllowInSelectMode,
                  &C::SetAxesControlAllowInSelectMode)
            .Default(false)
            .Build();
    return &info;
}

TkPlotDataView::TkPlotDataView(TkPlotObjectOwner* AOwner)
    : TkPlotLayoutObject(AOwner)
{
}


// ===========================================================================
// Published setters
// ===========================================================================

void TkPlotDataView::SetTitle(const String& Value) { SetProperty(FTitle, Value, &TkPlotDataView::DoChange); }

void TkPlotDataView::SetBackgroundTransparent(bool Value)
{
    SetProperty(FBackgroundTransparent, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetBackgroundColor(TColor Value)
{
    SetProperty(FBackgroundColor, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridXAxisName(const String& Value)
{
    if (FXAxis.SetName(Value)) DoChange();
}

void TkPlotDataView::SetGridYAxisName(const String& Value)
{
    if (FYAxis.SetName(Value)) DoChange();
}

void TkPlotDataView::SetGridShow(bool Value) { SetProperty(FGridShow, Value, &TkPlotDataView::DoChange); }

void TkPlotDataView::SetGridLineColor(TColor Value)
{
    SetProperty(FGridLineColor, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridLineShowLeft(bool Value)
{
    SetProperty(FGridLineShowLeft, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridLineShowRight(bool Value)
{
    SetProperty(FGridLineShowRight, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridLineShowTop(bool Value)
{
    SetProperty(FGridLineShowTop, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridLineShowBottom(bool Value)
{
    SetProperty(FGridLineShowBottom, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridLineShowXMajors(bool Value)
{
    SetProperty(FGridLineShowXMajors, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridLineShowXMinors(bool Value)
{
    SetProperty(FGridLineShowXMinors, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridLineShowYMajors(bool Value)
{
    SetProperty(FGridLineShowYMajors, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridLineShowYMinors(bool Value)
{
    SetProperty(FGridLineShowYMinors, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridLineMajorStyle(TkPlotGridLineStyle Value)
{
    SetProperty(FGridLineMajorStyle, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridLineMinorStyle(TkPlotGridLineStyle Value)
{
    SetProperty(FGridLineMinorStyle, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridPenCustom(TkPlotGridLineKind Kind, bool Value)
{
    SetProperty(FGridPens[Kind].Custom, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridPenColor(TkPlotGridLineKind Kind, TColor Value)
{
    SetProperty(FGridPens[Kind].Color, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridPenWidth(TkPlotGridLineKind Kind, Integer Value)
{
    // Wider lines come only from damaged streams and would only slow painting.
    SetProperty(FGridPens[Kind].Width, std::clamp(Value, 0, MaxGridLineWidth), &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetGridPenStyle(TkPlotGridLineKind Kind, TkPlotGridLineStyle Value)
{
    SetProperty(FGridPens[Kind].Style, Value, &TkPlotDataView::DoChange);
}

void TkPlotDataView::SetAxesControlAllowInSelectMode(bool Value)
{
    SetProperty(FAxesControlAllowInSelectMode, Value, &TkPlotDataView::DoChange);
}

// ===========================================================================
// Notifications
// ===========================================================================

void TkPlotDataView::NotificationSetFocus(TkPlotObject* AObject)
{
    TkPlotLayoutObject::NotificationSetFocus(AObject);
    if (AObject != this && UserSelected() && AObject->UserSelected()) SetUserSelected(false);
}

// ===========================================================================
// Conversions
// ===========================================================================

Double TkPlotDataView::PixelsXToPositionPercent(Integer X) const { return ViewPixelsXToPercent(DrawRect(), X); }

Double TkPlotDataView::PixelsYToPositionPercent(Integer Y) const { return ViewPixelsYToPercent(DrawRect(), Y); }

Integer TkPlotDataView::PositionPercentToPixelsX(Double P) const { return ViewPercentToPixelsX(DrawRect(), P); }

Integer TkPlotDataView::PositionPercentToPixelsY(Double P) const { return ViewPercentToPixelsY(DrawRect(), P); }

// ===========================================================================
// Grid axes
// ===========================================================================

bool TkPlotDataView::GridOnAllAxes(bool XAxes) const
{
    return UpperCase((XAxes ? FXAxis : FYAxis).Name()) == kAllAxes;
}

TkPlotScalePair TkPlotDataView::BoundScales()
{
    const auto bound = [this](bool XAxes) { return GridOnAllAxes(XAxes) ? nullptr : (XAxes ? FXAxis : FYAxis).Get(); };
    return ScalesOf(bound(true), bound(false));
}

std::span<const TkPlotTickMarks* const> TkPlotDataView::GridMarks(const TkPlotPaintContext& Context, bool XAxes) const
{
    const std::span<const TkPlotTickMarks* const> all = XAxes ? Context.XMarks : Context.YMarks;
    if (GridOnAllAxes(XAxes)) return all;
    const TkPlotAxisScale* own = XAxes ? Context.XScale : Context.YScale;
    const auto onOwn = [own](const TkPlotTickMarks* Marks) { return &Marks->MarkedScale() == own; };
    const auto found = std::find_if(all.begin(), all.end(), onOwn);
    return found == all.end() ? all.first(0) : all.subspan(std::size_t(found - all.begin()), 1);
}

// ===========================================================================
// Drawing
// ===========================================================================

void TkPlotDataView::DrawBackground(TCanvas* Canvas)
{
    if (FBackgroundTransparent) return;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FBackgroundColor);
    Canvas->FillRect(LayoutRect());
}

void TkPlotDataView::DrawZoomBox(TCanvas* Canvas)
{
    if (!FZoomBoxActive) return;
    // A box dragged up or left is shown too, although it will not zoom.
    const Integer left = std::min(FMouseDownX, FMouseMoveX);
    const Integer top = std::min(FMouseDownY, FMouseMoveY);
    const Integer right = std::max(FMouseDownX, FMouseMoveX) - 1;
    const Integer bottom = std::max(FMouseDownY, FMouseMoveY) - 1;
    if (right < left || bottom < top) return;
    // Black dots with white gaps show on any background, where an inverting
    // frame vanishes on mid greys. The objects drawn next find the pen and
    // brush as they were.
    TOwned<TPen> pen = CreateOwned<TPen>();
    TOwned<TBrush> brush = CreateOwned<TBrush>();
    pen->Assign(Canvas->Pen());
    brush->Assign(Canvas->Brush());
    const TScopeExit restore([&] {
        Canvas->SetPen(pen.get());
        Canvas->SetBrush(brush.get());
    });
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetStyle(psDot);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetMode(pmCopy);
    Canvas->Brush()->SetColor(clWhite);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Polyline({Point(left, top), Point(right, top), Point(right, bottom), Point(left, bottom), Point(left, top)});
}

void TkPlotDataView::SelectGridPen(TCanvas* Canvas, TkPlotGridLineKind Kind) const
{
    const TkPlotGridPen& own = FGridPens[Kind];
    const bool major = Kind == kpglkXMajor || Kind == kpglkYMajor;
    TPen* pen = Canvas->Pen();
    pen->SetColor(own.Custom ? own.Color : FGridLineColor);
    pen->SetWidth(own.Custom ? own.Width : 0);
    pen->SetStyle(PenStyleOf(own.Custom ? own.Style : major ? FGridLineMajorStyle : FGridLineMinorStyle));
}

void TkPlotDataView::DrawGridLines(TCanvas* Canvas, const TkPlotTickMarks& Marks, bool XAxes) const
{
    if (!Marks.GridLinesVisible()) return;
    const bool showMajors = XAxes ? FGridLineShowXMajors : FGridLineShowYMajors;
    const bool showMinors = XAxes ? FGridLineShowXMinors : FGridLineShowYMinors;
    const TkPlotGridLineKind majorKind = XAxes ? kpglkXMajor : kpglkYMajor;
    const TkPlotGridLineKind minorKind = XAxes ? kpglkXMinor : kpglkYMinor;
    const TRect r = LayoutRect();
    const bool horizontal = Marks.MarkedScale().Horizontal();
    for (Integer i = 0; i < Marks.TickListCount(); ++i) {
        const TkPlotTickObject* tick = Marks.GetTick(i);
        const bool major = tick->TickType == kpttMajor;
        if (!tick->Show || !(major ? showMajors : showMinors)) continue;
        SelectGridPen(Canvas, major ? majorKind : minorKind);
        const Integer p = tick->PositionPixels;
        if (horizontal) {
            Canvas->MoveTo(p, r.Top);
            Canvas->LineTo(p, r.Bottom);
        } else {
            Canvas->MoveTo(r.Left, p);
            Canvas->LineTo(r.Right, p);
        }
    }
}

void TkPlotDataView::DrawFrame(TCanvas* Canvas) const
{
    const TRect r = LayoutRect();
    if (FGridLineShowLeft) Canvas->Polyline({Point(r.Left, r.Top), Point(r.Left, r.Bottom)});
    if (FGridLineShowRight) Canvas->Polyline({Point(r.Right, r.Top), Point(r.Right, r.Bottom)});
    if (FGridLineShowTop) Canvas->Polyline({Point(r.Left, r.Top), Point(r.Right, r.Top)});
    if (FGridLineShowBottom) Canvas->Polyline({Point(r.Left, r.Bottom), Point(PlusOne(r.Right), r.Bottom)});
}

void TkPlotDataView::Draw(const TkPlotPaintContext& Context)
{
    TCanvas* canvas = Context.Canvas;
    const TColor background = Context.BackGroundColor;
    if (FGridShow) {
        // Gaps of dashed lines show the background.
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(background);
        for (const bool xAxes : {true, false})
            for (const TkPlotTickMarks* marks : GridMarks(Context, xAxes)) DrawGridLines(canvas, *marks, xAxes);
    }
    TPen* pen = canvas->Pen();
    pen->SetColor(FGridLineColor);
    pen->SetStyle(psSolid);
    pen->SetWidth(0);
    DrawFrame(canvas);
    if (!UserSelected()) return;
    const TRect r = LayoutRect();
    pen->SetColor(background);
    canvas->Polyline({Point(r.Left, r.Top), Point(r.Left, r.Bottom), Point(r.Right, r.Bottom),
                      Point(r.Right, r.Top), Point(r.Left, r.Top)});
    canvas->Font()->SetColor(clWhite);
    DrawFocusRectangle(canvas, Rect(r.Left, r.Top, PlusOne(r.Right), PlusOne(r.Bottom)));
}

// ===========================================================================
// Mouse modes and the zoom box
// ===========================================================================

Integer TkPlotDataView::GetMouseMode() const
{
    Integer mode = FAxesControlEnabled ? MouseModeAxesControl : MouseModeNone;
    const TkPlotInputHost* input = Host().Input;
    if (!input) return mode;
    if (input->IsToolBarZoomBoxMode()) mode = MouseModeZoomBox;
    if (input->IsToolBarSelectMode() && !FAxesControlAllowInSelectMode) mode = MouseModeSelect;
    return mode;
}

void TkPlotDataView::ForAxes(bool XAxes, bool YAxes, const std::function<void(TkPlotAxis*)>& Action) const
{
    TkPlotInputHost* input = Host().Input;
    const TkPlotObjectsHost* plot = Host().Objects;
    if (!input || !plot) return;
    const TScopeExit restore([input, forwarding = input->AxesForwarding()] { input->SetAxesForwarding(forwarding); });
    input->SetAxesForwarding(true);
    // Counted again at each step: an axis event may remove axes.
    for (const bool xAxes : {true, false})
        if (xAxes ? XAxes : YAxes)
            for (Integer i = 0; i < plot->AxisCount(xAxes); ++i) Action(plot->GetAxis(xAxes, i));
}

void TkPlotDataView::ZoomToRect(const TRect& Rect)
{
    TRect box = Rect;
    bool cancel = false;
    Fire(PlotEvent::BeforeZoomBox{box, cancel});
    if (cancel) return;
    ForAxes(true, true, [&box](TkPlotAxis* Axis) { Axis->SetMinSpanFromRect(box); });
}

void TkPlotDataView::StartZoomBox(const TkPlotMouseData& MouseData)
{
    FMouseMoveX = MouseData.X;
    FMouseMoveY = MouseData.Y;
    FZoomBoxActive = true;
    TWeakRef<TkPlotDataView> self(this);
    if (TkPlotCommandHost* commands = Host().Commands) commands->DisableAllTracking();
    if (self) DoInvalidateNow();
}

void TkPlotDataView::EndZoomBox(const TkPlotMouseData& MouseData)
{
    if (MouseData.DblClickActive) return;
    // Only a box dragged to the right and downward zooms.
    if (!(FMouseDownX < FMouseMoveX && FMouseMoveY > FMouseDownY)) return;
    TWeakRef<TkPlotDataView> self(this);
    ZoomToRect(Rect(FMouseDownX, FMouseDownY, FMouseMoveX, FMouseMoveY));
    if (self) DoInvalidateNow();
}

// ===========================================================================
// Mouse and keyboard
// ===========================================================================

void TkPlotDataView::DoMouseLeft(const TkPlotMouseData& MouseData)
{
    FDirectionLock = false;
    FMouseDown = true;
    const Integer mode = GetMouseMode();
    if (mode != MouseModeZoomBox && mode != MouseModeAxesControl) return;
    FMouseDownX = MouseData.X;
    FMouseDownY = MouseData.Y;
    if (mode == MouseModeZoomBox)
        StartZoomBox(MouseData);
    else
        ForAxes(true, true, [&MouseData](TkPlotAxis* Axis) { Axis->DoMouseLeft(MouseData); });
}

void TkPlotDataView::DoMouseRight(const TkPlotMouseData& MouseData)
{
    if (GetMouseMode() != MouseModeAxesControl) return;
    FMouseDownRight = true;
    FMouseDownX = FMouseMoveX = MouseData.X;
    FMouseDownY = FMouseMoveY = MouseData.Y;
}

void TkPlotDataView::ChooseDragAxes(const TkPlotMouseData& MouseData, bool& XAxes, bool& YAxes)
{
    // The stored state: the press may have come without Shift.
    const bool shift = ShiftState().Contains(ssShift);
    XAxes = YAxes = false;
    switch (FAxesControlMouseStyle) {
    case kpacsXAxis: (shift ? YAxes : XAxes) = true; return;
    case kpacsYAxis: (shift ? XAxes : YAxes) = true; return;
    case kpacsBoth: break;
    default: return;
    }
    if (!shift) {
        XAxes = YAxes = true;
        return;
    }
    if (!FDirectionLock) {
        const bool alongX = Distance(MouseData.X, FMouseDownX) > kLockXBeyond;
        const bool alongY = Distance(MouseData.Y, FMouseDownY) >= kLockYFrom;
        if (!alongX && !alongY) return;
        FDirectionLock = true;
        FDirectionLockXAxis = !alongY;
    }
    (FDirectionLockXAxis ? XAxes : YAxes) = true;
}

void TkPlotDataView::DoMouseMove(const TkPlotMouseData& MouseData)
{
    if (!FMouseDown && !FMouseDownRight) return;
    if (FZoomBoxActive) {
        if (MouseData.DblClickActive) return;
        FMouseMoveX = MouseData.X;
        FMouseMoveY = MouseData.Y;
        DoInvalidateNow();
        return;
    }
    if (GetMouseMode() != MouseModeAxesControl) return;
    if (FMouseDownRight) {
        if (Distance(MouseData.X, FMouseDownX) < kZoomBoxStart && Distance(MouseData.Y, FMouseDownY) < kZoomBoxStart)
            return;
        ClearMouseDownPopup();
        StartZoomBox(MouseData);
        return;
    }
    bool xAxes = false;
    bool yAxes = false;
    ChooseDragAxes(MouseData, xAxes, yAxes);
    ForAxes(xAxes, yAxes, [&MouseData](TkPlotAxis* Axis) { Axis->DoMouseMove(MouseData); });
}

void TkPlotDataView::DoMouseUp(const TkPlotMouseData& MouseData)
{
    // A release this view did not see pressed (the focus loss' release) ends nothing.
    if (!FMouseDown && !FMouseDownRight) return;
    TWeakRef<TkPlotDataView> self(this);
    if (FZoomBoxActive)
        EndZoomBox(MouseData);
    else if (GetMouseMode() == MouseModeAxesControl)
        ForAxes(true, true, [&MouseData](TkPlotAxis* Axis) { Axis->DoMouseUp(MouseData); });
    if (!self) return;
    if (PtInRect(LayoutRect(), Point(MouseData.X, MouseData.Y))) {
        Fire(PlotEvent::Click{this});
        if (!self) return;
    }
    FMouseDown = false;
    FMouseDownRight = false;
    FZoomBoxActive = false;
    DoInvalidateNow();
}

bool TkPlotDataView::DoMouseWheel(Integer WheelDelta, TShiftState Shift, Integer X, Integer Y)
{
    if (GetMouseMode() != MouseModeAxesControl) return false;
    const bool shift = Shift.Contains(ssShift);
    bool xAxes = false;
    bool yAxes = false;
    switch (FAxesControlWheelStyle) {
    case kpacsXAxis: (shift ? yAxes : xAxes) = true; break;
    case kpacsYAxis: (shift ? xAxes : yAxes) = true; break;
    case kpacsBoth: xAxes = yAxes = true; break;
    default: return false;
    }
    ForAxes(xAxes, yAxes, [&](TkPlotAxis* Axis) { Axis->DoMouseWheel(WheelDelta, Shift, X, Y); });
    return true;
}

TkPlotObject* TkPlotDataView::GetObjectAtPoint(TPoint) { return this; }

TCursor TkPlotDataView::GetMouseCursor(TPoint P)
{
    TCursor cursor = TkPlotLayoutObject::GetMouseCursor(P);
    if (MouseOverObject() == this) {
        switch (GetMouseMode()) {
        case MouseModeZoomBox: cursor = crDrag; break;
        case MouseModeAxesControl: cursor = crHandPoint; break;
        default: cursor = crDefault; break;
        }
    }
    Fire(PlotEvent::GetMouseCursor{this, cursor});
    return cursor;
}

void TkPlotDataView::kKeyDown(Word& Key, TShiftState Shift, TPopupMenu* PopupMenu)
{
    TWeakRef<TkPlotDataView> self(this);
    TkPlotLayoutObject::kKeyDown(Key, Shift, PopupMenu);
    if (!self || Key != VK_ESCAPE || !FZoomBoxActive) return;
    FZoomBoxActive = false;
    DoInvalidateNow();
}

void TkPlotDataView::BuildPopupMenu(TPopupMenu* PopupMenu)
{
    TkPlotLayoutObject::BuildPopupMenu(PopupMenu);
    AddEditMenuItem(PopupMenu);
}
