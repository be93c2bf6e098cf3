#include "components/plot/kPlotTable.h"

TClass TkPlotTable::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkPlotTable, TkPlotLayoutObject>("TkPlotTable").Build();
    return &info;
}

TkPlotTable::TkPlotTable(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                         TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TkPlotLayoutObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                         std::move(AOnRename))
{
}
