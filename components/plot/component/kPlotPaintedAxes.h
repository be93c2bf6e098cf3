#pragma once
// The scales of the axes each object was drawn against at the plot's last
// paint, kept for the hit tests until the next paint. An object's entry
// holds while no object was removed, no axis added, removed or renamed (the
// stamp of the plot), and the object's own settings are as they were; else
// its scales are found again, as the next paint would find them. So a kept
// scale never outlives its axis, and a hit test before the first paint finds
// what the first paint will.

#include <vector>

#include "components/plot/objects/kPlotObjects.h"

class TkPlotPaintedAxes {
public:
    struct TStamp {
        Cardinal Removals = 0;
        Cardinal AxesVersion = 0;
        bool operator==(const TStamp&) const = default;
    };

    // Forgets every entry; Stamp is the plot's from now on. Each paint
    // begins so.
    void Reset(TStamp Stamp);
    // Object's scales, found now and kept.
    TkPlotScalePair Find(TkPlotObject& Object);
    // The scales kept for Object while its entry holds, else found now.
    TkPlotScalePair Kept(TkPlotObject& Object, TStamp Stamp);

private:
    struct TEntry {
        const TkPlotObject* Object;
        Cardinal LookVersion;
        TkPlotScalePair Scales;
    };
    // Ordered by object once a hit test asks; a paint appends in its own
    // order.
    std::vector<TEntry> FEntries;
    bool FSorted = true;
    TStamp FStamp;
};
