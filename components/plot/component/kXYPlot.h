#pragma once
// The XY plot: a plot whose channels give every point its own free X.

#include "components/plot/component/kPlotComponent.h"

class TkXYPlotChannel;

class TkXYPlot : public TkPlotComponent {
    PL_CLASSINFO()
public:
    // A new plot holds a toolbar, a legend, an X and a Y axis, a channel, a
    // data view, a data cursor and the title label.
    explicit TkXYPlot(TComponent* AOwner);

    // Raises EInvalidCast for a channel of another class.
    TkXYPlotChannel* GetChannel(Integer Index) const;
};

// Registers the class for form streams.
void kXYPlotInitialization();
