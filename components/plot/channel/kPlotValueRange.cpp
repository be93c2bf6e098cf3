#include "components/plot/channel/kPlotValueRange.h"

#include <cstring>

namespace {

// Two lanes of doubles and of their comparison masks, in the compiler's
// vector extension: the comparisons and selections below become vector
// minimum, maximum and compare instructions, which the loop over plain
// doubles does not get (a NaN would make the order of comparisons matter).
// Two sets of lanes go side by side, so that one comparison need not wait
// for the other. Masks are counted by subtraction (-1 each): a logical
// combination of them the compiler would take apart lane by lane.
using TLanes = Double __attribute__((vector_size(16)));
using TLaneMasks = Int64 __attribute__((vector_size(16)));
constexpr Integer kLanes = 2;
constexpr Integer kStep = 2 * kLanes;

// The extremes pass a NaN by; the values that are numbers are counted, and
// the bounds are checked on the extremes once all are in: every value lies
// within them exactly when all are numbers and the extremes do.
struct TAccumulator {
    TLanes Low;
    TLanes High;
    TLaneMasks Numbers = {};

    void Add(TLanes V)
    {
        Low = V < Low ? V : Low;
        High = V > High ? V : High;
        Numbers -= V == V;
    }
    // Adds: the values each lane took.
    void Into(TkPlotValueRange& Range, Int64 Adds) const
    {
        for (Integer k = 0; k < kLanes; ++k) {
            Range.Min = Low[k] < Range.Min ? Low[k] : Range.Min;
            Range.Max = High[k] > Range.Max ? High[k] : Range.Max;
            Range.Inside = Range.Inside && Numbers[k] == Adds;
        }
    }
};

TLanes Load(const Double* Values)
{
    TLanes lanes;
    std::memcpy(&lanes, Values, sizeof lanes);
    return lanes;
}

}  // namespace

TkPlotValueRange ValueRangeOf(const Double* Values, Integer Count, Double Low, Double High)
{
    TkPlotValueRange range{Values[0], Values[0], true};
    Integer i = 0;
    if (Count >= kStep) {
        TAccumulator a{Load(Values), Load(Values)};
        TAccumulator b = a;
        for (; i + kStep <= Count; i += kStep) {
            a.Add(Load(Values + i));
            b.Add(Load(Values + i + kLanes));
        }
        a.Into(range, i / kStep);
        b.Into(range, i / kStep);
    }
    for (; i < Count; ++i) {
        const Double v = Values[i];
        range.Min = v < range.Min ? v : range.Min;
        range.Max = v > range.Max ? v : range.Max;
        range.Inside = range.Inside && v == v;
    }
    range.Inside = range.Inside && Low <= range.Min && range.Max <= High;
    return range;
}

bool RunsForward(const Double* Values, Integer Count)
{
    // Each pair of lanes compares values with the ones a place before.
    TLaneMasks forwardA = {};
    TLaneMasks forwardB = {};
    Integer i = 1;
    for (; i + kStep <= Count; i += kStep) {
        forwardA -= Load(Values + i) >= Load(Values + i - 1);
        forwardB -= Load(Values + i + kLanes) >= Load(Values + i + kLanes - 1);
    }
    const Int64 steps = (i - 1) / kStep;
    bool forward = true;
    for (Integer k = 0; k < kLanes; ++k) forward = forward && forwardA[k] == steps && forwardB[k] == steps;
    for (; i < Count; ++i) forward = forward && Values[i] >= Values[i - 1];
    return forward;
}

bool AllValid(const TkPlotDataPointStatus* Statuses, Integer Count)
{
    static_assert(sizeof(TkPlotDataPointStatus) == sizeof(Integer) && kpdpsValid == 0);
    using TStatusLanes = Integer __attribute__((vector_size(16)));
    constexpr Integer kStatusLanes = 4;
    // Any status but valid leaves a bit in the OR of them all.
    TStatusLanes any = {};
    Integer i = 0;
    for (; i + kStatusLanes <= Count; i += kStatusLanes) {
        TStatusLanes lanes;
        std::memcpy(&lanes, Statuses + i, sizeof lanes);
        any |= lanes;
    }
    Integer rest = 0;
    for (; i < Count; ++i) rest |= Statuses[i];
    for (Integer k = 0; k < kStatusLanes; ++k) rest |= any[k];
    return rest == 0;
}
