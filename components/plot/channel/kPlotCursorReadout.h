#pragma once
// What a data cursor and the channels it reads hand each other: the
// cursor's style and pointers one way, the values at the pointers and the
// hint's text the other; and the X and Y texts of a readout, built the same
// way for every kind of channel.

#include <array>
#include <cstddef>

#include "components/foundation/kTypes.h"
#include "platform/TypInfo.h"

class TkPlotChannelCustom;
class TkPlotDataView;

// What a data cursor reads from its channel: values at its pointers, or
// the differences between them.
enum TkPlotDataCursorStyle { kpcsValueXY, kpcsValueX, kpcsValueY, kpcsDeltaX, kpcsDeltaY, kpcsInverseDeltaX };
PL_ENUM_NAMES(TkPlotDataCursorStyle, "kpcsValueXY", "kpcsValueX", "kpcsValueY", "kpcsDeltaX", "kpcsDeltaY",
              "kpcsInverseDeltaX")

// A data cursor as the channels it reads see it: its style, the data view
// it lives in, and its two pointers at positions in percent of that view
// (a horizontal pointer stands at a Y position, counted from the bottom).
struct TkPlotCursorPointers {
    TkPlotDataCursorStyle Style = kpcsValueXY;
    const TkPlotDataView* DataView = nullptr;
    std::array<Double, 2> Positions{};
    std::array<bool, 2> Horizontal{};

    // The pixel of pointer 0 or 1 across the data view (which must be
    // there).
    Integer PointerPixel(std::size_t Pointer) const;
};

// What a channel reads at a data cursor's pointers: the status and values
// the cursor keeps, and the text its hint shows.
struct TkPlotCursorReading {
    TkPlotDataPointStatus Status = kpdpsValid;
    Double Y = 0;
    Double X = 0;
    String Text;
};

struct TkPlotCursorReadout {
    String XText;
    String YText;
    Double XValue = 0;
    Double YValue = 0;
    TkPlotDataPointStatus Status = kpdpsValid;

    // Keeps the values and their texts by Style and Status and returns the
    // hint's text. A two-level channel (Digital) reads a valid Y as "Low"
    // for 0 and "High" otherwise.
    String Build(TkPlotChannelCustom& Channel, TkPlotDataCursorStyle Style, TkPlotDataPointStatus AStatus,
                 Double AYValue, Double AXValue, bool Digital = false);
};
