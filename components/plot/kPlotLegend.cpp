#include "components/plot/kPlotLegend.h"

TClass TkPlotLegend::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkPlotLegend, TkPlotLayoutObject>("TkPlotLegend").Build();
    return &info;
}

TkPlotLegend::TkPlotLegend(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                           TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TkPlotLayoutObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                         std::move(AOnRename))
{
}
