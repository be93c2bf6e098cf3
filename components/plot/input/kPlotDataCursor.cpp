#include "components/plot/input/kPlotDataCursor.h"

#include <algorithm>
#include <cmath>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/view/kPlotDataView.h"
#include "platform/Math.h"

namespace {

// Pixels between a pointer and the hint beside it, and the pointer's hit
// band before and after its line.
constexpr Integer kHintGap = 5;
constexpr Integer kHitBefore = 5;
constexpr Integer kHitAfter = 6;
constexpr Integer kMaxPenWidth = 100;

bool IsDeltaStyle(TkPlotDataCursorStyle Style)
{
    return Style == kpcsDeltaX || Style == kpcsDeltaY || Style == kpcsInverseDeltaX;
}

}  // namespace

TClass TkPlotDataCursor::StaticClassInfo()
{
    using C = TkPlotDataCursor;
    static const TClassInfo info =
        TClassBuilder<C, TkPlotManagerObject>("TkPlotDataCursor")
            .String("ChannelName", &C::ChannelName, &C::SetChannelName)
            .Enum("Style", &C::Style, &C::SetStyle)
            .Color("Color", &C::Color, &C::SetColor)
            .Bool("UseChannelColor", &C::UseChannelColor, &C::SetUseChannelColor)
            .Bool("ChannelAllowAll", &C::ChannelAllowAll, &C::SetChannelAllowAll)
            .Bool("ChannelShowAllInLegend", &C::ChannelShowAllInLegend, &C::SetChannelShowAllInLegend)
            .Object("Font", &C::Font, &C::SetFont)
            .Float("Pointer1Position", &C::Pointer1Position, &C::SetPointer1Position)
            .Float("Pointer2Position", &C::Pointer2Position, &C::SetPointer2Position)
            .Integer("PointerPenWidth", &C::PointerPenWidth, &C::SetPointerPenWidth)
            .Bool("HintShow", &C::HintShow, &C::SetHintShow)
            .Bool("HintHideOnRelease", &C::HintHideOnRelease, &C::SetHintHideOnRelease)
            .Enum("HintOrientationSide", &C::HintOrientationSide, &C::SetHintOrientationSide)
            .Float("HintPosition", &C::HintPosition, &C::SetHintPosition)
            .Bool("MenuUserCanChangeOptions", &C::MenuUserCanChangeOptions, &C::SetMenuUserCanChangeOptions)
            .Bool("SnapToDataPoint", &C::SnapToDataPoint, &C::SetSnapToDataPoint)
            .Default(false)
            .Bool("UseCachedInterpolatedData", &C::UseCachedInterpolatedData, &C::SetUseCachedInterpolatedData)
            .Default(false)
            .Bool("MenuItemVisibleValueXY", &C::MenuItemVisible<kpcsValueXY>, &C::SetMenuItemVisible<kpcsValueXY>)
            .Bool("MenuItemVisibleValueX", &C::MenuItemVisible<kpcsValueX>, &C::SetMenuItemVisible<kpcsValueX>)
            .Bool("MenuItemVisibleValueY", &C::MenuItemVisible<kpcsValueY>, &C::SetMenuItemVisible<kpcsValueY>)
            .Bool("MenuItemVisibleDeltaX", &C::MenuItemVisible<kpcsDeltaX>, &C::SetMenuItemVisible<kpcsDeltaX>)
            .Bool("MenuItemVisibleDeltaY", &C::MenuItemVisible<kpcsDeltaY>, &C::SetMenuItemVisible<kpcsDeltaY>)
            .Bool("MenuItemVisibleInverseDeltaX", &C::MenuItemVisible<kpcsInverseDeltaX>,
                  &C::SetMenuItemVisible<kpcsInverseDeltaX>)
            .String("MenuItemCaptionValueXY", &C::MenuItemCaption<kpcsValueXY>, &C::SetMenuItemCaption<kpcsValueXY>)
            .String("MenuItemCaptionValueX", &C::MenuItemCaption<kpcsValueX>, &C::SetMenuItemCaption<kpcsValueX>)
            .String("MenuItemCaptionValueY", &C::MenuItemCaption<kpcsValueY>, &C::SetMenuItemCaption<kpcsValueY>)
            .String("MenuItemCaptionDeltaX", &C::MenuItemCaption<kpcsDeltaX>, &C::SetMenuItemCaption<kpcsDeltaX>)
            .String("MenuItemCaptionDeltaY", &C::MenuItemCaption<kpcsDeltaY>, &C::SetMenuItemCaption<kpcsDeltaY>)
            .String("MenuItemCaptionInverseDeltaX", &C::MenuItemCaption<kpcsInverseDeltaX>,
                    &C::SetMenuItemCaption<kpcsInverseDeltaX>)
            .Build();
    return &info;
}

TkPlotDataCursor::TkPlotDataCursor(TkPlotObjectOwner* AOwner)
    : TkPlotManagerObject(AOwner),
      FFont(CreateOwned<TFont>())
{
    FFont->OnChange = [this](TObject*) { DoChange(); };
    FChannel.SetOnTargetRenamed([this] { DoChange(); });
    // Shown by the toolbar's Cursor button.
    TkPlotManagerObject::SetVisible(false);
    UpdatePointerOrientation();
}

// ===========================================================================
// Properties
// ===========================================================================

void TkPlotDataCursor::SetChannelName(const String& Value)
{
    if (FChannel.SetName(Value)) DoChange();
}

void TkPlotDataCursor::SetStyle(TkPlotDataCursorStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    UpdatePointerOrientation();
    DoChange();
}

void TkPlotDataCursor::SetColor(TColor Value) { SetProperty(FColor, Value, &TkPlotDataCursor::DoChange); }

void TkPlotDataCursor::SetChannelShowAllInLegend(bool Value)
{
    SetProperty(FChannelShowAllInLegend, Value, &TkPlotDataCursor::DoChange);
}

void TkPlotDataCursor::SetFont(TFont* Value)
{
    if (Value) FFont->Assign(Value);
}

void TkPlotDataCursor::SetPercent(Double& Field, Double Value)
{
    SetProperty(Field, std::isnan(Value) ? 0.0 : std::clamp(Value, 0.0, 100.0), &TkPlotDataCursor::DoChange);
}

void TkPlotDataCursor::SetPointerPenWidth(Integer Value)
{
    SetProperty(FPointerPenWidth, std::clamp(Value, 0, kMaxPenWidth), &TkPlotDataCursor::DoChange);
}

void TkPlotDataCursor::SetHintOrientationSide(TkOrientationSide Value)
{
    SetProperty(FHintOrientationSide, Value, &TkPlotDataCursor::DoChange);
}

void TkPlotDataCursor::SetVisible(bool Value)
{
    const bool showing = Value && !Visible();
    TkPlotManagerObject::SetVisible(Value);
    if (showing) UpdateCursor();
}

void TkPlotDataCursor::SetXYAxesReversed(bool Value)
{
    TkPlotManagerObject::SetXYAxesReversed(Value);
    UpdatePointerOrientation();
}

void TkPlotDataCursor::SetDataView(TkPlotDataView* Value) { FDataView = TWeakRef<TkPlotDataView>(Value); }

void TkPlotDataCursor::UpdatePointerOrientation()
{
    // A time plot reads its channels along X only.
    const bool xyPlot = Host().Objects && !Host().Objects->IsTkPlot();
    FPointerShow = {true, false};
    FPointerHorizontal = {false, true};
    FHintHorizontal = false;
    switch (FStyle) {
    case kpcsValueXY: FPointerShow[1] = xyPlot; break;
    case kpcsValueX: break;
    case kpcsValueY:
        if (xyPlot) {
            FPointerShow = {false, true};
            FHintHorizontal = true;
        }
        break;
    case kpcsDeltaX:
    case kpcsInverseDeltaX: FPointerShow = {true, true}; FPointerHorizontal = {false, false}; break;
    case kpcsDeltaY:
        FPointerShow = {true, true};
        FPointerHorizontal = {true, true};
        FHintHorizontal = true;
        break;
    }
    if (!XYAxesReversed()) return;
    for (bool& horizontal : FPointerHorizontal) horizontal = !horizontal;
    FHintHorizontal = !FHintHorizontal;
}

// ===========================================================================
// Readout
// ===========================================================================

TkPlotChannelCustom* TkPlotDataCursor::GetChannel() const { return FChannel.Get(); }

void TkPlotDataCursor::UpdateCursor()
{
    const TkPlotObjectsHost* plot = Host().Objects;
    if (!plot) return;
    TWeakRef<TkPlotObject> self(this);
    Fire(PlotEvent::BeforeDataCursorUpdate{this});
    if (!self) return;
    if (!ReadsAllChannels()) {
        if (TkPlotChannelCustom* channel = GetChannel()) ReadChannel(*channel);
        return;
    }
    // By index, counted again: a channel's readout reaches the user's handlers.
    for (Integer i = 0; self && i < plot->ChannelCount(); ++i) ReadChannel(*plot->GetChannel(i));
    if (!self || !FChannelShowAllInLegend) return;
    if (TkPlotCommandHost* commands = Host().Commands) commands->ShowCursorReadoutInLegend();
}

TkPlotCursorPointers TkPlotDataCursor::Pointers() const
{
    return {FStyle, FDataView.Get(), FPointerPositions, FPointerHorizontal};
}

void TkPlotDataCursor::ReadChannel(TkPlotChannelCustom& Channel)
{
    const std::optional<TkPlotCursorReading> reading = Channel.ReadCursor(Pointers());
    if (!reading) return;
    SetCursorDisplayText(reading->Text);
    SetValues(reading->Status, reading->Y, reading->X);
}

void TkPlotDataCursor::SetValues(TkPlotDataPointStatus Status, Double ValueY, Double ValueX)
{
    if (Status == FStatus && ValueY == FValueY && ValueX == FValueX) return;
    FStatus = Status;
    FValueY = ValueY;
    FValueX = ValueX;
    Fire(PlotEvent::DataCursorChange{this});
}

// ===========================================================================
// Drawing
// ===========================================================================

TColor TkPlotDataCursor::PenColor() const
{
    const TkPlotChannelCustom* channel = FUseChannelColor ? GetChannel() : nullptr;
    return channel ? channel->Color() : FColor;
}

Integer TkPlotDataCursor::PointerPixel(std::size_t Pointer) const { return Pointers().PointerPixel(Pointer); }

Integer TkPlotDataCursor::HintPixel() const
{
    const TkPlotDataView& view = *FDataView.Get();
    return FHintHorizontal ? view.PositionPercentToPixelsX(FHintPosition)
                           : view.PositionPercentToPixelsY(FHintPosition);
}

bool TkPlotDataCursor::HintShowing() const
{
    return FHintShow && !ReadsAllChannels() && !(FHintHideOnRelease && FGrab == TGrab::None);
}

void TkPlotDataCursor::Draw(const TkPlotPaintContext& Context)
{
    TCanvas* canvas = Context.Canvas;
    FHintRect = {};
    FPointerRects = {};
    if (!FDataView.Get() || !Visible()) return;
    // The kind of plot is known for sure only once the plot is made.
    UpdatePointerOrientation();
    TWeakRef<TkPlotObject> self(this);
    UpdateCursor();
    if (!self || !FDataView.Get()) return;
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetColor(PenColor());
    for (std::size_t pointer = 0; pointer < 2; ++pointer)
        if (FPointerShow[pointer]) DrawPointer(canvas, pointer);
    if (HintShowing()) DrawHint(canvas);
}

void TkPlotDataCursor::DrawPointer(TCanvas* Canvas, std::size_t Pointer)
{
    const TRect view = FDataView.Get()->DrawRect();
    const Integer pixel = PointerPixel(Pointer);
    const bool dragged = FGrab == (Pointer == 0 ? TGrab::Pointer1 : TGrab::Pointer2);
    Canvas->Pen()->SetWidth(dragged ? 0 : FPointerPenWidth);
    const Integer before = SatInt32(Int64{pixel} - kHitBefore);
    const Integer after = SatInt32(Int64{pixel} + kHitAfter);
    if (FPointerHorizontal[Pointer]) {
        Canvas->MoveTo(view.Left, pixel);
        Canvas->LineTo(view.Right, pixel);
        FPointerRects[Pointer] = Rect(view.Left, before, view.Right, after);
    } else {
        Canvas->MoveTo(pixel, view.Top);
        Canvas->LineTo(pixel, view.Bottom);
        FPointerRects[Pointer] = Rect(before, view.Top, after, view.Bottom);
    }
}

void TkPlotDataCursor::DrawHint(TCanvas* Canvas)
{
    String text = GetChannel() ? FCursorDisplayText : TranslateString("No Channel");
    TWeakRef<TkPlotObject> self(this);
    Fire(PlotEvent::DataCursorCustomizeHint{this, text});
    if (!self || !FDataView.Get()) return;
    Canvas->SetFont(FFont.get());
    TRect extent = Rect(0, 0, 0, 0);
    DrawTextStyled(Canvas, text, extent, TkTextFlags{ktfCalcRect}, true, clBlack);
    const Integer letter = Canvas->TextWidth("A");
    const Integer textExtent = FHintHorizontal ? extent.Height() : extent.Width();
    const TRect box = PlaceHint(SatInt32(Int64{extent.Width()} + letter), SatInt32(Int64{extent.Height()} + letter / 2),
                                textExtent, SatInt32(Int64{kHintGap} + letter));
    const TColor color = PenColor();
    if (IsDeltaStyle(FStyle) && FPointerShow[0] && FPointerShow[1]) {
        // The line that joins the pointers at the hint's level.
        const Integer level = HintPixel();
        const Integer p1 = PointerPixel(0);
        const Integer p2 = PointerPixel(1);
        Canvas->Pen()->SetWidth(1);
        Canvas->MoveTo(FHintHorizontal ? level : p1, FHintHorizontal ? p1 : level);
        Canvas->LineTo(FHintHorizontal ? level : p2, FHintHorizontal ? p2 : level);
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(color);
    Canvas->Pen()->SetWidth(1);
    Canvas->Rectangle(box);
    TRect textRect = box;
    DrawTextStyled(Canvas, text, textRect, TkTextFlags{ktfCenter, ktfVCenter, ktfWordBreak}, true, color);
    if (UserSelected()) DrawFocusRectangle(Canvas, box);
    FHintRect = box;
}

TRect TkPlotDataCursor::PlaceHint(Integer BoxWidth, Integer BoxHeight, Integer TextExtent, Integer Gap)
{
    const TRect view = FDataView.Get()->DrawRect();
    // Across the pointers: the box's extent, the view's near and far edges.
    const bool horizontal = FHintHorizontal;
    const Int64 across = horizontal ? BoxHeight : BoxWidth;
    const Int64 along = horizontal ? BoxWidth : BoxHeight;
    const Int64 nearEdge = horizontal ? view.Top : view.Left;
    const Int64 farEdge = horizontal ? view.Bottom : view.Right;
    const std::size_t pointer = FPointerShow[0] ? 0 : 1;
    Int64 start = 0;
    if (IsDeltaStyle(FStyle) && FPointerShow[0] && FPointerShow[1]) {
        start = (Int64{PointerPixel(0)} + PointerPixel(1)) / 2 - across / 2;
    } else {
        const Int64 centre = PointerPixel(pointer);
        if (centre + Gap + TextExtent > farEdge) FHintOrientationSide = kosTopLeft;
        if (centre - Gap - TextExtent < nearEdge) FHintOrientationSide = kosBottomRight;
        start = FHintOrientationSide == kosBottomRight ? centre + kHintGap : centre - kHintGap - across;
    }
    Int64 alongStart = Int64{HintPixel()} - along / 2;
    // Inside the view.
    const Int64 alongNear = horizontal ? view.Left : view.Top;
    const Int64 alongFar = horizontal ? view.Right : view.Bottom;
    start = std::max(std::min(start, farEdge - across), nearEdge);
    alongStart = std::max(std::min(alongStart, alongFar - along), alongNear);
    const auto r = [](Int64 L, Int64 T, Int64 W, Int64 H) {
        return Rect(SatInt32(L), SatInt32(T), SatInt32(L + W), SatInt32(T + H));
    };
    return horizontal ? r(alongStart, start, along, across) : r(start, alongStart, across, along);
}
