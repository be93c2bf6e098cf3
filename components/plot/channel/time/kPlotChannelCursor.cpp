// The time channel under a data cursor and under the mouse: the cursor's
// readout, the point a cursor snaps to, and the hits on the trace and on
// the bars that the channel base's marker picking does not see.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/time/kPlotChannel.h"

namespace {

// Half the side of the square around the mouse within which the right
// button hits the trace.
constexpr Int64 kTraceReach = 10;

}  // namespace

Double TkPlotChannel::CursorPosition(const TkPlotCursorPointers& Cursor, const TkPlotAxis& Axis, std::size_t Pointer)
{
    return Axis.PixelsToPosition(Cursor.PointerPixel(Pointer));
}

std::optional<TkPlotCursorReading> TkPlotChannel::ReadCursor(const TkPlotCursorPointers& Cursor)
{
    const TkPlotXAxis* xAxis = XAxis();
    const TkPlotYAxis* yAxis = YAxis();
    if (!xAxis || !yAxis || !Cursor.DataView) return std::nullopt;
    const Double scaler = xAxis->CursorScaler();
    TkPlotCursorReading reading;
    switch (Cursor.Style) {
        case kpcsValueXY:
        case kpcsValueX:
        case kpcsValueY:
            reading.X = CursorPosition(Cursor, *xAxis, 0);
            reading.Status = GetCursorValue(reading.X, reading.Y);
            break;
        case kpcsDeltaX:
            reading.X = scaler * std::fabs(CursorPosition(Cursor, *xAxis, 0) - CursorPosition(Cursor, *xAxis, 1));
            break;
        case kpcsDeltaY:
            reading.Y = scaler * std::fabs(CursorPosition(Cursor, *yAxis, 0) - CursorPosition(Cursor, *yAxis, 1));
            break;
        case kpcsInverseDeltaX: {
            const Double d = std::fabs(CursorPosition(Cursor, *xAxis, 0) - CursorPosition(Cursor, *xAxis, 1));
            reading.X = d == 0 || scaler == 0 ? std::numeric_limits<Double>::infinity() : 1 / (d * scaler);
            break;
        }
    }
    reading.Text = FDataCursor.Build(*this, Cursor.Style, reading.Status, reading.Y, reading.X, FDigitalEnabled);
    return reading;
}

Integer TkPlotChannel::NearestPointIndex(Double X)
{
    const Integer count = Count();
    if (count == 0 || std::isnan(X)) return -1;
    const bool increasing = XIncreasing();
    const Double first = GetXValue(0);
    const Double last = GetXValue(count - 1);
    if (increasing ? X >= last : X <= last) return count - 1;
    if (increasing ? X <= first : X >= first) return 0;
    const Integer index = SearchX(X);
    Integer nearest = index;
    for (const Integer i : {index - 1, index + 1})
        if (i >= 0 && i < count && std::fabs(GetXValue(i) - X) < std::fabs(GetXValue(nearest) - X)) nearest = i;
    return nearest;
}

bool TkPlotChannel::kMouseHitTest(const TkPlotMouseData& MouseData)
{
    const bool hit = TkPlotChannelCustom::kMouseHitTest(MouseData);
    if (hit || MouseData.Button != mbRight) return hit;
    const TkPlotPaintContext context = HitTestContext();
    if (!context.HasScales()) return false;
    Double y = 0;
    if (!YAlongTrace(context.XScale, y, context.XScale->Position(MouseData.XAxisPixels))) return false;
    const Int64 offset = Int64{context.YScale->Pixel(y)} - MouseData.YAxisPixels;
    return offset >= -kTraceReach && offset < kTraceReach;
}

Integer TkPlotChannel::FindMarkerAt(const TkPlotPaintContext& Context, const TkPlotMouseData& MouseData,
                                    TRect& HitRect)
{
    return FBarEnabled ? FindBarAt(Context, MouseData, HitRect)
                       : TkPlotChannelCustom::FindMarkerAt(Context, MouseData, HitRect);
}

Integer TkPlotChannel::FindBarAt(const TkPlotPaintContext& Context, const TkPlotMouseData& MouseData, TRect& HitRect)
{
    if (!Context.HasScales()) return -1;
    const TPoint p = Point(MouseData.X, MouseData.Y);
    const Integer stop = std::min(DrawStopIndex(), Count() - 1);
    for (Integer i = std::max(DrawStartIndex(), 0); i <= stop; ++i) {
        if (!GetValid(i)) continue;
        HitRect = GetBarRect(Context, i);
        if (PtInRect(HitRect, p)) return i;
    }
    return -1;
}
