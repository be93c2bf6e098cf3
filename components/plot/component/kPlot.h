#pragma once
// The plot whose X axis runs in one direction (typically time), with time
// channels.

#include "components/plot/component/kPlotComponent.h"

class TkPlotChannel;

class TkPlot : public TkPlotComponent {
    PL_CLASSINFO()
public:
    // A new plot holds a toolbar, a legend, an X and a Y axis, a channel, a
    // data view, a data cursor and the title label.
    explicit TkPlot(TComponent* AOwner);

    // Raises EInvalidCast for a channel of another class.
    TkPlotChannel* GetChannel(Integer Index) const;
};

// Registers the class for form streams.
void kPlotInitialization();
