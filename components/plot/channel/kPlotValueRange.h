#pragma once
// The extremes of a stretch of values, found in one loop the compiler
// turns into vector instructions: what a pixel column of a dense trace is
// reduced to before any of its values becomes a pixel.

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
