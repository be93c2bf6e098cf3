#pragma once
// The code of a toolbar button, carried by the plot's toolbar click events.
// Apart from the toolbar, so that the plot's services can name it.

#include "platform/TypInfo.h"

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
