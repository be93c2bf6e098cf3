#include "components/plot/component/kXYPlot.h"

#include "components/plot/channel/xy/kPlotXYChannel.h"

TClass TkXYPlot::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkXYPlot, TkPlotComponent>("TkXYPlot").Build();
    return &info;
}

TkXYPlot::TkXYPlot(TComponent* AOwner) : TkPlotComponent(AOwner)
{
    SetChannelClass(&CreatePlotObject<TkXYPlotChannel, TkPlotChannelCustom>);
    CreateDefaultObjects();
}

TkXYPlotChannel* TkXYPlot::GetChannel(Integer Index) const
{
    return TkPlotComponent::GetChannel(Index)->As<TkXYPlotChannel>();
}

void kXYPlotInitialization() { RegisterClass(TkXYPlot::StaticClassInfo()); }
