#pragma once
// The plot's legend: the list of the plot's channels that the layout places
// beside the data view. It stands vertically (left or right of the data
// view) when new.

#include "components/plot/kPlotObjects.h"

class TkPlotLegend : public TkPlotLayoutObject {
    PL_CLASSINFO()
public:
    TkPlotLegend(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
                 TNotifyEvent AOnRename);
};
