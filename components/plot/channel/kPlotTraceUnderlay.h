#pragma once
// What a channel draws under its straight-line trace from the trace's own
// pass over the points (the fill under a dense trace): the pass hands it
// every block of points with their pixels, and it draws once the pass is
// over, before the trace's lines go on top.

#include "components/plot/store/kPlotDataList.h"
#include "platform/Types.h"

class TkPlotTraceUnderlay {
public:
    virtual void Visit(const TkPlotPointBlock& Block, const Integer* XPixels, const Integer* YPixels,
                       Integer Count) = 0;
    virtual void Draw() = 0;

protected:
    ~TkPlotTraceUnderlay() = default;
};
