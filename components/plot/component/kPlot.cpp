#include "components/plot/component/kPlot.h"

#include "components/plot/channel/time/kPlotChannel.h"

TClass TkPlot::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkPlot, TkPlotComponent>("TkPlot").Build();
    return &info;
}

TkPlot::TkPlot(TComponent* AOwner) : TkPlotComponent(AOwner)
{
    SetChannelClass(&CreatePlotObject<TkPlotChannel, TkPlotChannelCustom>);
    BeginUpdate();
    CreateDefaultObjects();
    EndUpdate();
}

TkPlotChannel* TkPlot::GetChannel(Integer Index) const
{
    return TkPlotComponent::GetChannel(Index)->As<TkPlotChannel>();
}

void kPlotInitialization() { RegisterClass(TkPlot::StaticClassInfo()); }
