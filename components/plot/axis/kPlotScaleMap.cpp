#include "components/plot/axis/kPlotScaleMap.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "components/plot/axis/kPlotAxisTicks.h"

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

void TkPlotScaleMap::Pixels(const Double* Values, Integer Count, Integer* Pixels) const
{
    if (Start == Stop || Span <= kMinSpan || Log) {
        for (Integer i = 0; i < Count; ++i) Pixels[i] = Pixel(Values[i]);
        return;
    }
    // The rounding of Pixel without its branches: a lane that the double
    // computation cannot settle (a NaN among them) is marked, and taken
    // again through Pixel after the loop.
    constexpr Integer kUnsettled = std::numeric_limits<Integer>::min();
    constexpr Double kMaxPixelValue = kMaxPixel;
    const Double start = Start;
    Integer unsettled = 0;
    for (Integer i = 0; i < Count; ++i) {
        const Double offset = (Values[i] - Min) * PixelsPerSpanUnit;
        const Double rounded = (offset + kDoubleShift) - kDoubleShift;
        const bool settled = (std::fabs(offset) < kMaxFastOffset) & (std::fabs(offset - rounded) < kHalfPixelMargin);
        // Whole numbers within +-2^31 in either order of clamping.
        const Double pixel = std::min(std::max(start - (settled ? rounded : 0.0), -kMaxPixelValue), kMaxPixelValue);
        Pixels[i] = settled ? Integer(pixel) : kUnsettled;
        unsettled += !settled;
    }
    for (Integer i = 0; unsettled > 0 && i < Count; ++i)
        if (Pixels[i] == kUnsettled) {
            Pixels[i] = Pixel(Values[i]);
            --unsettled;
        }
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
