// Drawing of a time channel: what is prepared before each paint (the drawn
// range, the digital reference rows, the pixel list of the interpolated
// traces), the order of the layers, bars, markers and the high/low bars and
// candlesticks. The traces themselves are in kPlotChannelTraces.cpp.
//
// Pixels come from the axes of the paint context, already held to +-32000;
// with the axes exchanged every point and rectangle has X and Y exchanged.

#include <algorithm>

#include "components/plot/channel/time/kPlotChannel.h"
#include "platform/Graphics.h"
#include "platform/SysApi.h"
#include "platform/SysUtils.h"

namespace {

// The rectangle from Left..Right and Top..Bottom in either order, at least
// one pixel each way.
TRect AtLeastOnePixel(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TRect r = Rect(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
    if (r.Right == r.Left) ++r.Right;
    if (r.Bottom == r.Top) ++r.Bottom;
    return r;
}

void SetSolidPenAndBrush(TCanvas* Canvas, TColor PenColor, TColor BrushColor)
{
    TPen* pen = Canvas->Pen();
    pen->SetColor(PenColor);
    pen->SetWidth(0);
    pen->SetStyle(psSolid);
    Canvas->Brush()->SetColor(BrushColor);
    Canvas->Brush()->SetStyle(bsSolid);
}

}  // namespace

// ===========================================================================
// Preparation
// ===========================================================================

bool TkPlotChannel::DrawnRangeValid() const
{
    return DrawStartIndex() >= 0 && DrawStopIndex() >= 0 && DrawStartIndex() <= DrawStopIndex();
}

void TkPlotChannel::PrepareDraw(const TkPlotPaintContext& Context)
{
    SettleWaitingPoints();
    SetCanDraw(false);
    const TkPlotAxisScale* xScale = Context.XScale;
    if (!Context.HasScales() || !Visible() || Count() < 1) return;
    FXIncreasing = XIncreasing();
    if (!FDrawOutOfOrderXValues) {
        const Double first = XFirst();
        const Double last = XLast();
        const bool off = FXIncreasing ? last < xScale->Min() || first > xScale->Max()
                                      : first < xScale->Min() || last > xScale->Max();
        if (off) return;
    }
    CalcStartIndex(xScale);
    CalcStopIndex(xScale);
    const bool step = FInterpolationStyle == kpistDifferential || FInterpolationStyle == kpistDifferentialTerminated;
    if (!step && !DrawnRangeValid()) return;
    PrepareDigitalRows(*Context.YScale);
    PreparePixelList(*xScale);
    SetCanDraw(true);
}

void TkPlotChannel::PrepareDigitalRows(const TkPlotAxisScale& YScale)
{
    const auto row = [&](Double Reference) {
        if (FDigitalReferenceStyle == kpdrScale) return YScale.Pixel(Reference);
        return YScale.Pixel(YScale.Min() + YScale.Span() * Reference / 100);
    };
    FPixelsHigh = row(FDigitalReferenceHigh);
    FPixelsLow = row(FDigitalReferenceLow);
}

// The list only grows: a paint after a resize to a smaller plot keeps it.
void TkPlotChannel::PreparePixelList(const TkPlotAxisScale& XScale)
{
    const Integer a = XScale.MinPixel();
    const Integer b = XScale.MaxPixel();
    FPixelListStart = std::min(a, b);
    FPixelListStop = std::max(a, b);
    const std::size_t size = std::size_t(Int64{FPixelListStop} - FPixelListStart + 1);
    if (FPixelList.size() < size) FPixelList.resize(size);
    for (TkPlotPixelPoint& entry : FPixelList) entry.Null = true;
}

void TkPlotChannel::SetPixelPoint(Integer XPixel, Double Y)
{
    if (XPixel < FPixelListStart || XPixel > FPixelListStop) throw Exception("Pixel List XPixel out of Range");
    TkPlotPixelPoint& entry = FPixelList[std::size_t(Int64{XPixel} - FPixelListStart)];
    entry = {false, XPixel, Y};
}

// ===========================================================================
// Layers
// ===========================================================================

void TkPlotChannel::Draw(const TkPlotPaintContext& Context)
{
    if (ClipToAxes() && Context.HasScales()) ClipCanvasToAxes(Context);
    const bool filled = EffectiveStyle() == kpistStraightLine && !FDigitalEnabled && Filling();
    // With nothing between them, the fill comes from the trace's own pass.
    if (filled && !FBarEnabled && TraceVisible() && !TracePerPointPens()) {
        DrawFilledLineTrace(Context);
    } else {
        if (filled) {
            SetFillBrush(Context);
            DrawFill(Context);
        }
        if (FBarEnabled) DrawBars(Context);
        DrawTrace(Context);
    }
    DrawMarkers(Context);
    if (!FHighLowEnabled) return;
    if (FHighLowStyle == kphlsCandleStick)
        DrawCandleSticks(Context);
    else
        DrawHighLowBars(Context);
}

void TkPlotChannel::SetFillBrush(const TkPlotPaintContext& Context)
{
    TCanvas* canvas = Context.Canvas;
    const TColor color = FillBrushColor();
    canvas->Brush()->SetStyle(FFillStyle);
    canvas->Brush()->SetColor(color);
    TPen* pen = canvas->Pen();
    pen->SetColor(color);
    pen->SetWidth(0);
    pen->SetStyle(psClear);
    SetBkColor(canvas, Context.BackGroundColor);
}

TRect TkPlotChannel::ScaleRect(const TkPlotPaintContext& Context, Double X1, Double Y1, Double X2, Double Y2)
{
    const TkPlotScaleMap& x = XScaleMap(Context);
    const TkPlotScaleMap& y = YScaleMap(Context);
    return Context.OnCanvas(AtLeastOnePixel(x.Pixel(X1), y.Pixel(Y1), x.Pixel(X2), y.Pixel(Y2)));
}

// ===========================================================================
// Bars
// ===========================================================================

TRect TkPlotChannel::GetBarRect(const TkPlotPaintContext& Context, Integer Index)
{
    if (!Context.HasScales()) return Rect(0, 0, 0, 0);
    const Double x = GetXValue(Index);
    const Double halfWidth = GetBarWidth(Index) / 2;
    return ScaleRect(Context, x - halfWidth, GetBarReference(Index), x + halfWidth, GetYValue(Index));
}

void TkPlotChannel::DrawBars(const TkPlotPaintContext& Context)
{
    TPen* pen = Context.Canvas->Pen();
    TBrush* brush = Context.Canvas->Brush();
    for (Integer i = DrawStartIndex(); i <= DrawStopIndex(); ++i) {
        if (!GetValid(i) || !GetBarVisible(i)) continue;
        brush->SetColor(FBarBrushUseChannelColor ? Color() : GetBarBrushColor(i));
        brush->SetStyle(GetBarBrushStyle(i));
        pen->SetColor(FBarPenUseChannelColor ? Color() : GetBarPenColor(i));
        pen->SetWidth(GetBarPenWidth(i));
        pen->SetStyle(GetBarPenStyle(i));
        Context.Canvas->Rectangle(GetBarRect(Context, i));
    }
}

// ===========================================================================
// Markers
// ===========================================================================

void TkPlotChannel::DrawMarkers(const TkPlotPaintContext& Context)
{
    if (!DrawnRangeValid() || !MarkersVisible()) return;
    if (FDigitalEnabled)
        DrawDigitalMarkers(Context);
    else
        TkPlotChannelCustom::DrawMarkers(Context);
}

// A digital point's marker sits on the reference row of its level. Each
// point's own marker setting counts, as the store recorded it when the
// point came.
void TkPlotChannel::DrawDigitalMarkers(const TkPlotPaintContext& Context)
{
    const TkPlotScaleMap& xMap = XScaleMap(Context);
    const TkPlotScaleMap& yMap = YScaleMap(Context);
    Context.Canvas->SetFont(MarkersFont());
    for (Integer i = DrawStartIndex(); i <= DrawStopIndex(); ++i) {
        if (!GetValid(i) || !GetMarkerVisible(i)) continue;
        const Double x = GetXValue(i);
        const Double y = GetYValue(i);
        if (!xMap.OnScale(x) || !yMap.OnScale(y)) continue;
        const TPoint pixel = Point(xMap.Pixel(x), y == 0 ? FPixelsLow : FPixelsHigh);
        DrawMarker(Context.Canvas, i, Context.BackGroundColor, Context.OnCanvas(pixel));
    }
}

// ===========================================================================
// High/low bars and candlesticks
// ===========================================================================

namespace {

// A tick of Length pixels along X ending at (or, Forward, starting at)
// column C, Height pixels about Row.
TRect Tick(Integer C, Integer Row, Integer Length, Integer Height, bool Forward)
{
    const Int64 left = Forward ? C : Int64{C} - Length + 1;
    const Int64 top = Int64{Row} - Height / 2;
    return Rect(Integer(left), Integer(top), Integer(left + std::max(Length, 1)),
                Integer(top + std::max(Height, 1)));
}

}  // namespace

void TkPlotChannel::DrawHighLowBars(const TkPlotPaintContext& Context)
{
    TCanvas* canvas = Context.Canvas;
    const TkPlotAxisScale* xScale = Context.XScale;
    const TkPlotAxisScale* yScale = Context.YScale;
    const Integer w = xScale->WidthToPixels(FHighLowBarWidth);
    const Integer openWidth = xScale->WidthToPixels(FHighLowOpenWidth);
    const Integer openHeight = yScale->WidthToPixels(FHighLowOpenHeight);
    const Integer closeWidth = xScale->WidthToPixels(FHighLowCloseWidth);
    const Integer closeHeight = yScale->WidthToPixels(FHighLowCloseHeight);
    for (Integer i = DrawStartIndex(); i <= DrawStopIndex(); ++i) {
        if (!GetValid(i)) continue;
        const Int64 x = xScale->Pixel(GetXValue(i));
        const TRect bar = AtLeastOnePixel(Integer(x - w / 2), yScale->Pixel(GetHigh(i)),
                                          Integer(x + w - w / 2), yScale->Pixel(GetLow(i)));
        const Integer c = Integer((Int64{bar.Left} + bar.Right) / 2);
        if (FHighLowOpenShow) {
            SetSolidPenAndBrush(canvas, FHighLowOpenColor, FHighLowOpenColor);
            const Integer row = yScale->Pixel(GetOpen(i));
            canvas->Rectangle(Context.OnCanvas(Tick(c, row, openWidth, openHeight, false)));
        }
        if (FHighLowCloseShow) {
            SetSolidPenAndBrush(canvas, FHighLowCloseColor, FHighLowCloseColor);
            const Integer row = yScale->Pixel(GetClose(i));
            canvas->Rectangle(Context.OnCanvas(Tick(c, row, closeWidth, closeHeight, true)));
        }
        SetSolidPenAndBrush(canvas, FHighLowBarColor, FHighLowBarColor);
        canvas->Rectangle(Context.OnCanvas(bar));
    }
}

void TkPlotChannel::DrawCandleSticks(const TkPlotPaintContext& Context)
{
    TCanvas* canvas = Context.Canvas;
    const TkPlotAxisScale* xScale = Context.XScale;
    const TkPlotAxisScale* yScale = Context.YScale;
    const Integer w = xScale->WidthToPixels(FHighLowBarWidth);
    for (Integer i = DrawStartIndex(); i <= DrawStopIndex(); ++i) {
        if (!GetValid(i)) continue;
        const Integer x = xScale->Pixel(GetXValue(i));
        const bool bullish = GetOpen(i) <= GetClose(i);
        SetSolidPenAndBrush(canvas, FHighLowShadowColor, bullish ? FHighLowBullishColor : FHighLowBearishColor);
        canvas->Polyline({Context.OnCanvas(Point(x, yScale->Pixel(GetHigh(i)))),
                          Context.OnCanvas(Point(x, yScale->Pixel(GetLow(i))))});
        const TRect body = AtLeastOnePixel(Integer(Int64{x} - w / 2), yScale->Pixel(GetOpen(i)),
                                           Integer(Int64{x} + w / 2 + 1), yScale->Pixel(GetClose(i)));
        canvas->Rectangle(Context.OnCanvas(body));
    }
}
