#pragma once
// A plot table: a small grid of text that the layout places beside the data
// view like an axis or a legend. It stands vertically when new.

#include "components/plot/kPlotObjects.h"

class TkPlotTable : public TkPlotLayoutObject {
    PL_CLASSINFO()
public:
    TkPlotTable(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
                TNotifyEvent AOnRename);
    TkPlotObjectKind Kind() const override { return kpokTable; }
};
