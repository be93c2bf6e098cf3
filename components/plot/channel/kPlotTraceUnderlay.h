#pragma once
// What a channel draws under its straight-line trace from the trace's own
// pass over the points (the fill under a dense trace): the pass hands it
// every block of points with their pixels, or, where it takes a dense
// block's pixel columns whole, each point and column as it comes; the
// underlay draws once the pass is over, before the trace's lines go on top.

#include "components/plot/store/kPlotDataList.h"
#include "platform/Types.h"

class TkPlotTraceUnderlay {
public:
    virtual void Visit(const TkPlotPointBlock& Block, const Integer* XPixels, const Integer* YPixels,
                       Integer Count) = 0;
    // A valid point whose Y is a number, at its pixels.
    virtual void VisitPoint(Integer X, Integer Row) = 0;
    // A null point, or one whose Y is no number.
    virtual void VisitBreak() = 0;
    // Valid points in the pixel column X of the point visited last, with
    // rows Low..High between them and the last of them on LastRow.
    virtual void VisitColumn(Integer X, Integer Low, Integer High, Integer LastRow) = 0;
    virtual void Draw() = 0;

protected:
    ~TkPlotTraceUnderlay() = default;
};
