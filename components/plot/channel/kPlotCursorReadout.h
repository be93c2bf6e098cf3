#pragma once
// What a channel shows for a data cursor: the X and Y texts of a readout
// and the text the cursor's hint shows, built the same way for every kind
// of channel.

#include "components/plot/channel/kPlotChannelCustom.h"

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
