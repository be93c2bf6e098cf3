#pragma once
// What the plot offers the objects it holds: the one seam between the
// objects and the plot outside painting, in parts by who asks, so that an
// object deals with the part it needs and a stand-in plot in a test offers
// only the parts its objects use:
//   Events    the plot's published events, fired for its objects (kPlotHostEvents.h)
//   Objects   its axes and channels, names and translation table
//   Input     the user's gestures shared between objects; hit tests, hints
//   Commands  what acts on the whole plot (toolbar, data cursors)
//   Paint     what painting and layout share or ask
//   Files     what the objects' files and the editor dialog need
// (the services: kPlotHostServices.h). An object reaches them through its
// owner (Host() on the object). An owner that is no plot offers no part,
// and its objects then fire no events, find no other objects by name, move
// only themselves and translate nothing.
//
// Nothing here includes a kind's header: the host sits below every kind of
// object, so that no object has to include another kind to reach the plot.

#include "components/plot/objects/kPlotHostEvents.h"

class TkPlotObjectsHost;
class TkPlotInputHost;
class TkPlotCommandHost;
class TkPlotPaintHost;
class TkPlotFileHost;

struct TkPlotHost {
    TkPlotEventHost* Events = nullptr;
    TkPlotObjectsHost* Objects = nullptr;
    TkPlotInputHost* Input = nullptr;
    TkPlotCommandHost* Commands = nullptr;
    TkPlotPaintHost* Paint = nullptr;
    TkPlotFileHost* Files = nullptr;
};

// The parts of an owner that is no plot: none.
inline constexpr TkPlotHost NoPlotHost{};
