#pragma once
// The plot's toolbar: a strip of command buttons that the layout places
// along one side of the data view, like an axis or a legend. It lies
// horizontally when new.

#include "components/plot/kPlotObjects.h"

// The code of a toolbar button, carried by the plot's toolbar click events.
enum TkPlotToolBarButtonType {
    kptbbtResume,
    kptbbtPause,
    kptbbtScrollAxesMode,
    kptbbtZoomAxesMode,
    kptbbtSelect,
    kptbbtZoomBox,
    kptbbtZoomOut,
    kptbbtZoomIn,
    kptbbtCursor,
    kptbbtEdit,
    kptbbtCopy,
    kptbbtSave,
    kptbbtPrint,
    kptbbtPreview
};
PL_ENUM_NAMES(TkPlotToolBarButtonType, "kptbbtResume", "kptbbtPause", "kptbbtScrollAxesMode", "kptbbtZoomAxesMode",
              "kptbbtSelect", "kptbbtZoomBox", "kptbbtZoomOut", "kptbbtZoomIn", "kptbbtCursor", "kptbbtEdit",
              "kptbbtCopy", "kptbbtSave", "kptbbtPrint", "kptbbtPreview")

class TkPlotToolBar : public TkPlotLayoutObject {
    PL_CLASSINFO()
public:
    TkPlotToolBar(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
                  TNotifyEvent AOnRename);
    TkPlotObjectKind Kind() const override { return kpokToolBar; }

    // --- published properties ---------------------------------------------
    // What the zoom buttons multiply (zoom out) or divide (zoom in) the
    // linear axes' spans by.
    Double ZoomInOutFactor() const { return FZoomInOutFactor; }
    void SetZoomInOutFactor(Double Value) { FZoomInOutFactor = Value; }

private:
    Double FZoomInOutFactor = 2.0;
};
