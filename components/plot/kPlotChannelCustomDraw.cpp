// Drawing of a channel: the trace as clipped two-point segments and the
// markers, all positions converted to pixels by the channel's axes.
//
// Segments are cut to the axes in scale units before any pixel conversion:
// the axes clamp pixels to +-32000, and a segment whose ends were clamped
// separately would bend. Values that are not numbers never reach a pixel:
// such a segment or marker is left out, as if off the scale.

#include <algorithm>
#include <cmath>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/kPlotChannelCustom.h"
#include "platform/Graphics.h"
#include "platform/Math.h"
#include "platform/SysApi.h"
#include "platform/SysUtils.h"

namespace {

// The axes' own pixel range; marker corners are held to it too.
constexpr Int64 kMaxPixel = 32000;
// Wider pens draw nothing a screen could show, only slowly.
constexpr Integer kMaxPenWidth = 1000;
// The legend's marker sample stays within its line of text.
constexpr Integer kMaxSampleMarkerSize = 6;

Integer ClampPixel(Int64 Value) { return Integer(EnsureRange(Value, -kMaxPixel, kMaxPixel)); }

TPenStyle PenStyleOf(TkPlotLineStyle Style)
{
    switch (Style) {
        case kplsDash: return psDash;
        case kplsDot: return psDot;
        case kplsDashDot: return psDashDot;
        case kplsDashDotDot: return psDashDotDot;
        default: return psSolid;
    }
}

// A width of 1 is set as 0, the thinnest cosmetic pen.
Integer TracePenWidth(Integer Width) { return Width == 1 ? 0 : std::min(Width, kMaxPenWidth); }

void SetTracePen(TPen* Pen, TColor Color, TkPlotLineStyle Style, Integer Width)
{
    Pen->SetColor(Color);
    Pen->SetStyle(PenStyleOf(Style));
    Pen->SetWidth(TracePenWidth(Width));
}

// Both ends of a value range inside Low..High, or the range spanning it.
bool Overlaps(Double A, Double B, Double Low, Double High)
{
    if (B < A) std::swap(A, B);
    return (A < Low && B > High) || (Low <= A && A <= High) || (Low <= B && B <= High);
}

// A marker's half size as drawn: a negative size is the same box turned
// inside out, so its magnitude counts.
Int64 MarkerHalfSize(Integer Size) { return std::abs(Int64{Size}); }

TRect MarkerBox(TPoint Centre, Int64 S)
{
    return Rect(ClampPixel(Centre.X - S), ClampPixel(Centre.Y - S), ClampPixel(Centre.X + S),
                ClampPixel(Centre.Y + S));
}

struct TMarkerLook {
    TkPlotMarkerStyle Style;
    Int64 Size;
    Integer PenWidth;
    TPenStyle PenStyle;
    TColor PenColor;
    TColor BrushColor;
    TBrushStyle BrushStyle;
    Char Character;
};

void DrawMarkerCharacter(TCanvas* Canvas, TPoint P, Char Character, TColor BackgroundColor)
{
    if (Character == 0) return;
    Canvas->Brush()->SetStyle(bsClear);
    SetBkColor(Canvas, BackgroundColor);
    TRect box = Rect(P.X, P.Y, P.X, P.Y);
    DrawTextStyled(Canvas, Utf16ToUtf8(std::u16string_view(&Character, 1)), box,
                   TkTextFlags{ktfCenter, ktfVCenter, ktfSingleLine, ktfNoClip}, true, BackgroundColor);
}

// Pixel y grows downwards; triangles have their apex on the point itself.
void DrawMarkerShape(TCanvas* Canvas, const TMarkerLook& Look, TPoint P, TColor BackgroundColor)
{
    const Int64 s = Look.Size;
    const Integer left = ClampPixel(P.X - s);
    const Integer right = ClampPixel(P.X + s);
    const Integer top = ClampPixel(P.Y - s);
    const Integer bottom = ClampPixel(P.Y + s);
    switch (Look.Style) {
        case kpmsCircle: Canvas->Ellipse(MarkerBox(P, s)); break;
        case kpmsSquare: Canvas->Rectangle(MarkerBox(P, s)); break;
        case kpmsDiamond:
            Canvas->Polygon({Point(right, P.Y), Point(P.X, bottom), Point(left, P.Y), Point(P.X, top)});
            break;
        case kpmsCross:
            Canvas->Polyline({Point(right, bottom), Point(left, top)});
            Canvas->Polyline({Point(right, top), Point(left, bottom)});
            break;
        case kpmsPlus:
            Canvas->Polyline({Point(P.X, bottom), Point(P.X, top)});
            Canvas->Polyline({Point(right, P.Y), Point(left, P.Y)});
            break;
        case kpmsTriangleUp: Canvas->Polygon({Point(left, bottom), P, Point(right, bottom)}); break;
        case kpmsTriangleDown: Canvas->Polygon({Point(left, top), P, Point(right, top)}); break;
        case kpmsTriangleLeft: Canvas->Polygon({Point(right, top), P, Point(right, bottom)}); break;
        case kpmsTriangleRight: Canvas->Polygon({Point(left, top), P, Point(left, bottom)}); break;
        case kpmsVerticalLine: Canvas->Polyline({Point(P.X, top), Point(P.X, bottom)}); break;
        case kpmsHorizontalLine: Canvas->Polyline({Point(left, P.Y), Point(right, P.Y)}); break;
        case kpmsCharacter: DrawMarkerCharacter(Canvas, P, Look.Character, BackgroundColor); break;
        default: break;
    }
}

}  // namespace

// ===========================================================================
// Trace
// ===========================================================================

void TkPlotChannelCustom::DrawTrace(TCanvas* Canvas, Boolean XYAxesReversed, TColor BackgroundColor)
{
    if (!FTraceVisible) return;
    TPen* pen = Canvas->Pen();
    SetTracePen(pen, Color(), TraceLineStyle(), TraceLineWidth());
    Canvas->Brush()->SetStyle(bsClear);
    const Integer start = std::max(FStartIndex, 0);
    const Integer stop = std::min(FStopIndex, Count() - 1);
    if (FStartIndex == FStopIndex) return;
    SetBkColor(Canvas, BackgroundColor);

    Double previousX = 0;
    Double previousY = 0;
    bool restart = true;
    for (Integer i = start; i <= stop; ++i) {
        Double x;
        Double y;
        Boolean empty;
        Boolean null;
        FDataList->GetXYEmptyNull(i, x, y, empty, null);
        if (empty) continue;
        if (null) {
            restart = true;
            continue;
        }
        if (restart) {
            restart = false;
        } else {
            SetTracePen(pen, GetTraceLineColor(i), GetTraceLineStyle(i), GetTraceLineWidth(i));
            DrawSegment(Canvas, XYAxesReversed, false, previousX, previousY, x, y);
        }
        previousX = x;
        previousY = y;
    }
}

Double TkPlotChannelCustom::InterpolateY(Double X, Double X1, Double Y1, Double X2, Double Y2)
{
    if (X1 == X2) return 0;
    return Y1 + (X - X1) * ((Y2 - Y1) / (X2 - X1));
}

Double TkPlotChannelCustom::InterpolateX(Double Y, Double X1, Double Y1, Double X2, Double Y2)
{
    if (X1 == X2 || Y1 == Y2) return X1;
    return X1 + (Y - Y1) * ((X2 - X1) / (Y2 - Y1));
}

void TkPlotChannelCustom::DrawSegment(TCanvas* Canvas, Boolean XYAxesReversed, Boolean YIsPercent, Double X1,
                                      Double Y1, Double X2, Double Y2)
{
    TkPlotXAxis* xAxis = XAxis();
    TkPlotYAxis* yAxis = YAxis();
    if (!xAxis || !yAxis) return;
    if (std::isnan(X1) || std::isnan(Y1) || std::isnan(X2) || std::isnan(Y2)) return;
    const Double xMin = xAxis->Min();
    const Double xMax = xMin + xAxis->Span();
    const Double yMin = yAxis->Min();
    const Double yMax = yMin + yAxis->Span();
    const bool clipY = FClipToAxes && !YIsPercent;

    Double xa = X1, ya = Y1, xb = X2, yb = Y2;
    if (xb < xa) {
        std::swap(xa, xb);
        std::swap(ya, yb);
    }
    if (!Overlaps(xa, xb, xMin, xMax)) return;
    if (clipY && !Overlaps(ya, yb, yMin, yMax)) return;

    const Double lineXa = xa, lineYa = ya, lineXb = xb, lineYb = yb;
    if (xa < xMin) {
        ya = InterpolateY(xMin, lineXa, lineYa, lineXb, lineYb);
        xa = xMin;
    }
    if (xb > xMax) {
        yb = InterpolateY(xMax, lineXa, lineYa, lineXb, lineYb);
        xb = xMax;
    }
    if (clipY) {
        const Double cutXa = xa, cutYa = ya, cutXb = xb, cutYb = yb;
        const auto clipEnd = [&](Double& X, Double& Y) {
            if (Y > yMax) {
                X = InterpolateX(yMax, cutXa, cutYa, cutXb, cutYb);
                Y = yMax;
            }
            if (Y < yMin) {
                X = InterpolateX(yMin, cutXa, cutYa, cutXb, cutYb);
                Y = yMin;
            }
        };
        clipEnd(xa, ya);
        clipEnd(xb, yb);
        if (!xAxis->ValueOnScale(xa) || !xAxis->ValueOnScale(xb) || !yAxis->ValueOnScale(ya) ||
            !yAxis->ValueOnScale(yb))
            return;
    }
    // Cuts through infinite ends have no place on the line.
    if (std::isnan(ya) || std::isnan(yb) || std::isnan(xa) || std::isnan(xb)) return;

    Integer pyA;
    Integer pyB;
    if (YIsPercent) {
        TkPlotHost* host = Host();
        const bool vertical = !XYAxesReversed;
        if (!std::isfinite(ya) || !std::isfinite(yb) || !host || !host->DataViewPercentToPixels(ya, vertical, pyA) ||
            !host->DataViewPercentToPixels(yb, vertical, pyB))
            return;
    } else {
        pyA = yAxis->PositionToPixels(ya);
        pyB = yAxis->PositionToPixels(yb);
    }
    const Integer pxA = xAxis->PositionToPixels(xa);
    const Integer pxB = xAxis->PositionToPixels(xb);
    if (XYAxesReversed)
        Canvas->Polyline({Point(pyA, pxA), Point(pyB, pxB)});
    else
        Canvas->Polyline({Point(pxA, pyA), Point(pxB, pyB)});
}

// ===========================================================================
// Markers
// ===========================================================================

void TkPlotChannelCustom::DrawMarkers(TCanvas* Canvas, Boolean XYAxesReversed, TColor BackgroundColor)
{
    if (!MarkersVisible()) return;
    Canvas->SetFont(FMarkersFont.get());
    const Int64 span = std::abs(Int64{FStopIndex} - FStartIndex);
    if (FMarkersTurnOffLimit > 0 && FMarkersTurnOffLimit < span) return;
    const Integer start = std::max(FStartIndex, 0);
    const Integer stop = std::min(FStopIndex, Count() - 1);
    for (Integer i = start; i <= stop; ++i) {
        if (!MarkerDrawable(i)) continue;
        TPoint pixel = GetMarkerPixel(i);
        if (XYAxesReversed != TkPlotObject::XYAxesReversed()) std::swap(pixel.X, pixel.Y);
        DrawMarker(Canvas, i, BackgroundColor, pixel);
    }
}

Boolean TkPlotChannelCustom::MarkerDrawable(Integer Index)
{
    if (!MarkersVisible()) return false;
    Double x;
    Double y;
    Boolean empty;
    Boolean null;
    FDataList->GetXYEmptyNull(Index, x, y, empty, null);
    if (null || empty || std::isnan(x) || std::isnan(y)) return false;
    TkPlotXAxis* xAxis = XAxis();
    TkPlotYAxis* yAxis = YAxis();
    if (!xAxis || !yAxis) return false;
    if (FMarkersAllowIndividual && !GetMarkerVisible(Index)) return false;
    return !FClipToAxes || (xAxis->ValueOnScale(x) && yAxis->ValueOnScale(y));
}

TPoint TkPlotChannelCustom::GetMarkerPixel(Integer Index)
{
    TkPlotXAxis* xAxis = XAxis();
    TkPlotYAxis* yAxis = YAxis();
    // Without an axis the point lies off every canvas.
    const Integer x = xAxis ? xAxis->PositionToPixels(GetXValue(Index)) : Integer(kMaxPixel);
    const Integer y = yAxis ? yAxis->PositionToPixels(GetYValue(Index)) : Integer(kMaxPixel);
    return XYAxesReversed() ? Point(y, x) : Point(x, y);
}

TRect TkPlotChannelCustom::GetMarkerRect(Integer Index)
{
    const Integer size = FMarkersAllowIndividual ? GetMarkerSize(Index) : MarkersSize();
    return MarkerBox(GetMarkerPixel(Index), MarkerHalfSize(size));
}

void TkPlotChannelCustom::DrawMarker(TCanvas* Canvas, Integer Index, TColor BackgroundColor, TPoint Point)
{
    const bool individual = Index != -1 && FMarkersAllowIndividual;
    TMarkerLook look;
    if (individual) {
        look = {GetMarkerStyle(Index),     MarkerHalfSize(GetMarkerSize(Index)), GetMarkerPenWidth(Index),
                GetMarkerPenStyle(Index),  GetMarkerPenColor(Index),            GetMarkerBrushColor(Index),
                GetMarkerBrushStyle(Index), GetMarkerCharacter(Index)};
    } else {
        const Integer size = Index == -1 ? std::min(MarkersSize(), kMaxSampleMarkerSize) : MarkersSize();
        // The sample has no point: the channel-wide character stands for it.
        const Char character = Index == -1 ? FDataList->StoredMarkerCharacter() : GetMarkerCharacter(Index);
        look = {MarkersStyle(),    MarkerHalfSize(size), MarkersPenWidth(),   MarkersPenStyle(),
                MarkersPenColor(), MarkersBrushColor(),  MarkersBrushStyle(), character};
    }
    if (FMarkersPenUseChannelColor) look.PenColor = Color();
    if (FMarkersBrushUseChannelColor) look.BrushColor = Color();

    TPen* pen = Canvas->Pen();
    pen->SetColor(look.PenColor);
    pen->SetStyle(look.PenStyle);
    pen->SetWidth(std::min(look.PenWidth, kMaxPenWidth));
    TBrush* brush = Canvas->Brush();
    brush->SetColor(look.BrushColor);
    brush->SetStyle(look.BrushStyle);
    DrawMarkerShape(Canvas, look, Point, BackgroundColor);
}
