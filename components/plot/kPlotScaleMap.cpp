#include "components/plot/kPlotScaleMap.h"

#include <cmath>
#include <limits>

#include "components/plot/kPlotAxisTicks.h"

namespace {

constexpr Double kMaxScaleValue = 1e300;
constexpr Extended kMaxValue = std::numeric_limits<Double>::max();

}  // namespace

TkPlotScaleMap TkPlotScaleMap::Make(Double Min, Double Span, bool Log, bool Reversed, bool Horizontal,
                                    const TRect& ScaleRect)
{
    TkPlotScaleMap map;
    map.First = Horizontal ? ScaleRect.Left : ScaleRect.Top;
    map.Last = Horizontal ? ScaleRect.Right : ScaleRect.Bottom;
    map.Low = Horizontal ? ScaleRect.Left : ScaleRect.Bottom;
    map.High = Horizontal ? ScaleRect.Right : ScaleRect.Top;
    map.Start = Reversed ? map.High : map.Low;
    map.Stop = Reversed ? map.Low : map.High;
    map.Reversed = Reversed;
    map.Min = Min;
    map.Span = Span;
    map.Log = Log;
    const Extended perUnit = (Extended(map.Start) - map.Stop) / Span;
    map.PixelsPerSpanUnit = std::fabs(perUnit) > kMaxScaleValue ? 0 : Double(perUnit);
    if (Log) {
        map.LogLow = ScaleLog10(LogScaleBottom(Min));
        map.LogHigh = ScaleLog10(LogScaleBottom(Min) + Span);
    }
    return map;
}

Integer TkPlotScaleMap::LogPixel(Double Value) const
{
    const Extended decades = LogHigh - LogLow;
    if (decades == 0) return 0;
    return PixelAt((ScaleLog10(Value) - LogLow) * (Extended(Start) - Stop) / decades);
}

Double TkPlotScaleMap::Fraction(Double Value) const
{
    Extended fraction = 0;
    if (!Log) {
        fraction = (Extended(Value) - Min) / Span;
    } else if (const Extended decades = LogHigh - LogLow; decades != 0) {
        fraction = (ScaleLog10(Value) - LogLow) / decades;
    }
    return Double(Reversed ? 1 - fraction : fraction);
}

Double TkPlotScaleMap::ValueAtFraction(Double Fraction) const
{
    const Extended value =
        Log ? ScalePower10(LogLow + Fraction * (LogHigh - LogLow)) : Fraction * Extended(Span) + Min;
    // Pixels far off the scale give values far off it, never infinite ones.
    return Double(EnsureRange<Extended>(value, -kMaxValue, kMaxValue));
}

Double TkPlotScaleMap::Position(Integer Pixel) const
{
    if (Low == High) return Min;
    const Extended fraction = Extended(Int64{Pixel} - Low) / Extended(Int64{High} - Low);
    return ValueAtFraction(Double(Reversed ? 1 - fraction : fraction));
}
