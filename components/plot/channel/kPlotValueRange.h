#pragma once
// Scans of a stretch of values in loops the compiler turns into vector
// instructions: the extremes that a pixel column of a dense trace is
// reduced to before any of its values becomes a pixel, and whether a
// block of points runs forward throughout, as most blocks of a long
// recording do.

#include "components/foundation/kTypes.h"
#include "platform/Types.h"

struct TkPlotValueRange {
    Double Min;
    Double Max;
    // Every value lies within the bounds asked for (so none is a NaN).
    bool Inside;
};

// The range of Values[0..Count-1] (Count > 0), and whether all of them lie
// within Low..High.
TkPlotValueRange ValueRangeOf(const Double* Values, Integer Count, Double Low, Double High);

// Whether every one of Values[1..Count-1] is at least the value before it
// (so none is a NaN, unless Values[0] alone is one).
bool RunsForward(const Double* Values, Integer Count);
// Whether every one of Statuses[0..Count-1] is kpdpsValid.
bool AllValid(const TkPlotDataPointStatus* Statuses, Integer Count);
