#pragma once
// A measuring cursor over a plot's data view: pointer lines positioned in
// percent of the data view that read values from one channel (by name) or
// from all of them.

#include "components/plot/kPlotChannelCustom.h"
#include "components/plot/kPlotObjects.h"

class TkPlotDataView;

class TkPlotDataCursor : public TkPlotManagerObject {
    PL_CLASSINFO()
public:
    TkPlotDataCursor(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                     TNotifyEvent AOnRemove, TNotifyEvent AOnRename);
    TkPlotObjectKind Kind() const override { return kpokDataCursor; }

    // --- published properties ---------------------------------------------
    // The channel read, by name.
    const String& ChannelName() const { return FChannelName; }
    void SetChannelName(const String& Value);
    // What the cursor reads: values at a pointer or differences between
    // the two.
    TkPlotDataCursorStyle Style() const { return FStyle; }
    void SetStyle(TkPlotDataCursorStyle Value);
    // The pointers' and hint's colour, unless the channel's is used.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);

    // The data view the cursor lives in, set by the plot; nullptr while it
    // has none (and once that data view is gone).
    TkPlotDataView* DataView() const { return FDataView.Get(); }
    void SetDataView(TkPlotDataView* Value);

private:
    TWeakRef<TkPlotDataView> FDataView;
    String FChannelName;
    TkPlotDataCursorStyle FStyle = kpcsValueXY;
    TColor FColor = clYellow;
};
