#include "components/plot/kPlotLimit.h"

TClass TkPlotLimit::StaticClassInfo()
{
    using C = TkPlotLimit;
    static const TClassInfo info = TClassBuilder<C, TkPlotObject>("TkPlotLimit")
                                       .String("XAxisName", &C::XAxisName, &C::SetXAxisName)
                                       .String("YAxisName", &C::YAxisName, &C::SetYAxisName)
                                       .Build();
    return &info;
}

TkPlotLimit::TkPlotLimit(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                         TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TkPlotObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove), std::move(AOnRename))
{
}

void TkPlotLimit::SetXAxisName(const String& Value) { SetProperty(FXAxisName, Value, &TkPlotLimit::DoChange); }

void TkPlotLimit::SetYAxisName(const String& Value) { SetProperty(FYAxisName, Value, &TkPlotLimit::DoChange); }
