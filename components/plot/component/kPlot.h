#pragma once
// The plot whose X axis runs in one direction (typically time), with time
// channels.

#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/component/kPlotComponent.h"

class TkPlot : public TkPlotComponent {
    PL_CLASSINFO()
public:
    // A new plot holds a toolbar, a legend, an X and a Y axis, a channel, a
    // data view, a data cursor and the title label.
    explicit TkPlot(TComponent* AOwner);

    bool IsTkPlot() const override { return true; }
    // Raises EInvalidCast for a channel of another class.
    TkPlotChannel* GetChannel(Integer Index) const override;
};

// Registers the class for form streams.
void kPlotInitialization();
