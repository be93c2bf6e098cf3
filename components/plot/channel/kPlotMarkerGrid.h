#pragma once
// The pixel positions of a channel's points, bucketed in square cells, so
// that picking a marker under the mouse looks only at the points near it
// instead of at every drawn point.

#include <cstdint>
#include <vector>

#include "components/plot/axis/kPlotScaleMap.h"
#include "platform/Types.h"

// What the positions were found from: a grid stays good while its stamp
// matches the channel's points, drawn range, scales and marker reach.
struct TkPlotMarkerGridStamp {
    UInt64 PointsRevision = 0;
    Integer Start = 0;
    Integer Stop = -1;
    Integer Reach = 0;
    TkPlotScaleMap X;
    TkPlotScaleMap Y;
    bool operator==(const TkPlotMarkerGridStamp&) const = default;
};

class TkPlotMarkerGrid {
public:
    bool Current(const TkPlotMarkerGridStamp& Stamp) const { return FBuilt && Stamp == FStamp; }
    // Starts over for Stamp, with cells that a reach of Stamp.Reach spans
    // at most two of.
    void Reset(const TkPlotMarkerGridStamp& Stamp);
    // Forgets the positions: the next use builds them again.
    void Invalidate() { FBuilt = false; }
    // A point's pixels along the X and Y axes.
    void Add(Integer Index, Integer AlongX, Integer AlongY);
    // Makes the added points searchable.
    void Finish();
    // The indices of the points within Reach pixels of (AlongX, AlongY)
    // along both axes, in increasing order, into Indices.
    void Near(Integer AlongX, Integer AlongY, Integer Reach, std::vector<Integer>& Indices) const;

private:
    struct TEntry {
        std::int64_t Cell;
        Integer Index;
        Integer AlongX;
        Integer AlongY;
    };
    std::int64_t CellOf(Integer AlongX, Integer AlongY) const;
    Integer CellCoordinate(Integer Pixel) const;

    TkPlotMarkerGridStamp FStamp;
    bool FBuilt = false;
    Integer FCellSize = 1;
    std::vector<TEntry> FEntries;
};
