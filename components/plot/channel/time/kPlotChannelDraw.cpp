// Drawing of a time channel: what is prepared before each paint (the drawn
// range, the digital reference rows, the pixel list of the interpolated
// traces), the order of the layers, bars, markers and the high/low bars and
// candlesticks. The traces themselves are in kPlotChannelTraces.cpp.
//
// Pixels come from the channel's axes, already held to +-32000; with
// XYAxesReversed every point and rectangle has X and Y exchanged.

#include <algorithm>

#include "components/plot/channel/time/kPlotChannel.h"
#include "platform/Graphics.h"
#include "platform/SysApi.h"
#include "platform/SysUtils.h"

namespace {

TPoint Exchanged(TPoint P, bool Reversed) { return Reversed ? Point(P.Y, P.X) : P; }

TRect Exchanged(const TRect& R, bool Reversed) { return Reversed ? Rect(R.Top, R.Left, R.Bottom, R.Right) : R; }

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

void TkPlotChannel::PrepareDraw()
{
    SetCanDraw(false);
    TkPlotXAxis* xAxis = XAxis();
    if (!xAxis || !YAxis() || !Visible() || Count() < 1) return;
    FXIncreasing = XIncreasing();
    if (!FDrawOutOfOrderXValues) {
        const Double first = XFirst();
        const Double last = XLast();
        const bool off = FXIncreasing ? last < xAxis->Min() || first > xAxis->Max()
                                      : first < xAxis->Min() || last > xAxis->Max();
        if (off) return;
    }
    CalcStartIndex();
    CalcStopIndex();
    const bool step = FInterpolationStyle == kpistDifferential || FInterpolationStyle == kpistDifferentialTerminated;
    if (!step && !DrawnRangeValid()) return;
    PrepareDigitalRows();
    PreparePixelList();
    SetCanDraw(true);
}

void TkPlotChannel::PrepareDigitalRows()
{
    TkPlotYAxis* axis = YAxis();
    const auto row = [&](Double Reference) {
        if (FDigitalReferenceStyle == kpdrScale) return axis->PositionToPixels(Reference);
        return axis->PositionToPixels(axis->Min() + axis->Span() * Reference / 100);
    };
    FPixelsHigh = row(FDigitalReferenceHigh);
    FPixelsLow = row(FDigitalReferenceLow);
}

// The list only grows: a paint after a resize to a smaller plot keeps it.
void TkPlotChannel::PreparePixelList()
{
    TkPlotXAxis* axis = XAxis();
    const Integer a = axis->MinPixels();
    const Integer b = axis->MaxPixels();
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

void TkPlotChannel::Draw(TCanvas* Canvas, TColor BackgroundColor)
{
    const bool reversed = XYAxesReversed();
    if (ClipToAxes()) IntersectAxesClip(Canvas, reversed);
    const bool filled = EffectiveStyle() == kpistStraightLine && !FDigitalEnabled && Filling();
    // With nothing between them, the fill comes from the trace's own pass.
    if (filled && !FBarEnabled && TraceVisible() && !TracePerPointPens()) {
        DrawFilledLineTrace(Canvas, reversed, BackgroundColor);
    } else {
        if (filled) {
            SetFillBrush(Canvas, BackgroundColor);
            DrawFill(Canvas, reversed);
        }
        if (FBarEnabled) DrawBars(Canvas, reversed);
        DrawTrace(Canvas, reversed, BackgroundColor);
    }
    DrawMarkers(Canvas, reversed, BackgroundColor);
    if (!FHighLowEnabled) return;
    if (FHighLowStyle == kphlsCandleStick)
        DrawCandleSticks(Canvas, reversed);
    else
        DrawHighLowBars(Canvas, reversed);
}

void TkPlotChannel::SetFillBrush(TCanvas* Canvas, TColor BackgroundColor)
{
    const TColor color = FillBrushColor();
    Canvas->Brush()->SetStyle(FFillStyle);
    Canvas->Brush()->SetColor(color);
    TPen* pen = Canvas->Pen();
    pen->SetColor(color);
    pen->SetWidth(0);
    pen->SetStyle(psClear);
    SetBkColor(Canvas, BackgroundColor);
}

TRect TkPlotChannel::ScaleRect(Boolean XYAxesReversed, Double X1, Double Y1, Double X2, Double Y2)
{
    TkPlotXAxis* xAxis = XAxis();
    TkPlotYAxis* yAxis = YAxis();
    const TRect r = AtLeastOnePixel(xAxis->PositionToPixels(X1), yAxis->PositionToPixels(Y1),
                                    xAxis->PositionToPixels(X2), yAxis->PositionToPixels(Y2));
    return Exchanged(r, XYAxesReversed);
}

// ===========================================================================
// Bars
// ===========================================================================

TRect TkPlotChannel::GetBarRect(Integer Index, Boolean XYAxesReversed)
{
    if (!HasBothAxes()) return Rect(0, 0, 0, 0);
    const Double x = GetXValue(Index);
    const Double halfWidth = GetBarWidth(Index) / 2;
    return ScaleRect(XYAxesReversed, x - halfWidth, GetBarReference(Index), x + halfWidth, GetYValue(Index));
}

void TkPlotChannel::DrawBars(TCanvas* Canvas, Boolean XYAxesReversed)
{
    TPen* pen = Canvas->Pen();
    TBrush* brush = Canvas->Brush();
    for (Integer i = DrawStartIndex(); i <= DrawStopIndex(); ++i) {
        if (!GetValid(i) || !GetBarVisible(i)) continue;
        brush->SetColor(FBarBrushUseChannelColor ? Color() : GetBarBrushColor(i));
        brush->SetStyle(GetBarBrushStyle(i));
        pen->SetColor(FBarPenUseChannelColor ? Color() : GetBarPenColor(i));
        pen->SetWidth(GetBarPenWidth(i));
        pen->SetStyle(GetBarPenStyle(i));
        Canvas->Rectangle(GetBarRect(i, XYAxesReversed));
    }
}

// ===========================================================================
// Markers
// ===========================================================================

void TkPlotChannel::DrawMarkers(TCanvas* Canvas, Boolean XYAxesReversed, TColor BackgroundColor)
{
    if (!DrawnRangeValid() || !MarkersVisible()) return;
    if (FDigitalEnabled)
        DrawDigitalMarkers(Canvas, XYAxesReversed, BackgroundColor);
    else
        TkPlotChannelCustom::DrawMarkers(Canvas, XYAxesReversed, BackgroundColor);
}

// A digital point's marker sits on the reference row of its level. Each
// point's own marker setting counts, as the store recorded it when the
// point came.
void TkPlotChannel::DrawDigitalMarkers(TCanvas* Canvas, Boolean XYAxesReversed, TColor BackgroundColor)
{
    TkPlotXAxis* xAxis = XAxis();
    TkPlotYAxis* yAxis = YAxis();
    Canvas->SetFont(MarkersFont());
    for (Integer i = DrawStartIndex(); i <= DrawStopIndex(); ++i) {
        if (!GetValid(i) || !GetMarkerVisible(i)) continue;
        const Double x = GetXValue(i);
        const Double y = GetYValue(i);
        if (!xAxis->ValueOnScale(x) || !yAxis->ValueOnScale(y)) continue;
        const TPoint pixel = Point(xAxis->PositionToPixels(x), y == 0 ? FPixelsLow : FPixelsHigh);
        DrawMarker(Canvas, i, BackgroundColor, Exchanged(pixel, XYAxesReversed));
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

void TkPlotChannel::DrawHighLowBars(TCanvas* Canvas, Boolean XYAxesReversed)
{
    TkPlotXAxis* xAxis = XAxis();
    TkPlotYAxis* yAxis = YAxis();
    const Integer w = xAxis->WidthToPixels(FHighLowBarWidth);
    const Integer openWidth = xAxis->WidthToPixels(FHighLowOpenWidth);
    const Integer openHeight = yAxis->WidthToPixels(FHighLowOpenHeight);
    const Integer closeWidth = xAxis->WidthToPixels(FHighLowCloseWidth);
    const Integer closeHeight = yAxis->WidthToPixels(FHighLowCloseHeight);
    for (Integer i = DrawStartIndex(); i <= DrawStopIndex(); ++i) {
        if (!GetValid(i)) continue;
        const Int64 x = xAxis->PositionToPixels(GetXValue(i));
        const TRect bar = AtLeastOnePixel(Integer(x - w / 2), yAxis->PositionToPixels(GetHigh(i)),
                                          Integer(x + w - w / 2), yAxis->PositionToPixels(GetLow(i)));
        const Integer c = Integer((Int64{bar.Left} + bar.Right) / 2);
        if (FHighLowOpenShow) {
            SetSolidPenAndBrush(Canvas, FHighLowOpenColor, FHighLowOpenColor);
            const Integer row = yAxis->PositionToPixels(GetOpen(i));
            Canvas->Rectangle(Exchanged(Tick(c, row, openWidth, openHeight, false), XYAxesReversed));
        }
        if (FHighLowCloseShow) {
            SetSolidPenAndBrush(Canvas, FHighLowCloseColor, FHighLowCloseColor);
            const Integer row = yAxis->PositionToPixels(GetClose(i));
            Canvas->Rectangle(Exchanged(Tick(c, row, closeWidth, closeHeight, true), XYAxesReversed));
        }
        SetSolidPenAndBrush(Canvas, FHighLowBarColor, FHighLowBarColor);
        Canvas->Rectangle(Exchanged(bar, XYAxesReversed));
    }
}

void TkPlotChannel::DrawCandleSticks(TCanvas* Canvas, Boolean XYAxesReversed)
{
    TkPlotXAxis* xAxis = XAxis();
    TkPlotYAxis* yAxis = YAxis();
    const Integer w = xAxis->WidthToPixels(FHighLowBarWidth);
    for (Integer i = DrawStartIndex(); i <= DrawStopIndex(); ++i) {
        if (!GetValid(i)) continue;
        const Integer x = xAxis->PositionToPixels(GetXValue(i));
        const bool bullish = GetOpen(i) <= GetClose(i);
        SetSolidPenAndBrush(Canvas, FHighLowShadowColor, bullish ? FHighLowBullishColor : FHighLowBearishColor);
        Canvas->Polyline({Exchanged(Point(x, yAxis->PositionToPixels(GetHigh(i))), XYAxesReversed),
                          Exchanged(Point(x, yAxis->PositionToPixels(GetLow(i))), XYAxesReversed)});
        const TRect body = AtLeastOnePixel(Integer(Int64{x} - w / 2), yAxis->PositionToPixels(GetOpen(i)),
                                           Integer(Int64{x} + w / 2 + 1), yAxis->PositionToPixels(GetClose(i)));
        Canvas->Rectangle(Exchanged(body, XYAxesReversed));
    }
}
