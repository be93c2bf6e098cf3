#include "components/plot/channel/kPlotValueRange.h"

TkPlotValueRange ValueRangeOf(const Double* Values, Integer Count, Double Low, Double High)
{
    // Lanes of four independent accumulators: the comparisons below are the
    // semantics of the vector minimum and maximum, NaNs aside, and a NaN
    // is caught by the bounds before the extremes are believed.
    constexpr Integer kLanes = 4;
    Double low[kLanes];
    Double high[kLanes];
    Integer outside[kLanes] = {};
    for (Integer k = 0; k < kLanes; ++k) low[k] = high[k] = Values[0];
    Integer i = 0;
    for (; i + kLanes <= Count; i += kLanes)
        for (Integer k = 0; k < kLanes; ++k) {
            const Double v = Values[i + k];
            low[k] = v < low[k] ? v : low[k];
            high[k] = v > high[k] ? v : high[k];
            outside[k] += !(Low <= v && v <= High);
        }
    for (; i < Count; ++i) {
        const Double v = Values[i];
        low[0] = v < low[0] ? v : low[0];
        high[0] = v > high[0] ? v : high[0];
        outside[0] += !(Low <= v && v <= High);
    }
    TkPlotValueRange range{low[0], high[0], true};
    for (Integer k = 0; k < kLanes; ++k) {
        range.Min = low[k] < range.Min ? low[k] : range.Min;
        range.Max = high[k] > range.Max ? high[k] : range.Max;
        range.Inside = range.Inside && outside[k] == 0;
    }
    return range;
}
