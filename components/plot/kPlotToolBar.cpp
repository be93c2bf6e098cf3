#include "components/plot/kPlotToolBar.h"

TClass TkPlotToolBar::StaticClassInfo()
{
    using C = TkPlotToolBar;
    static const TClassInfo info = TClassBuilder<C, TkPlotLayoutObject>("TkPlotToolBar")
                                       .Float("ZoomInOutFactor", &C::ZoomInOutFactor, &C::SetZoomInOutFactor)
                                       .Build();
    return &info;
}

TkPlotToolBar::TkPlotToolBar(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                             TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TkPlotLayoutObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                         std::move(AOnRename))
{
    SetHorizontal(true);
}
