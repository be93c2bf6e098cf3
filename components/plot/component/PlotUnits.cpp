#include "components/plot/component/PlotUnits.h"

#include "components/plot/component/kPlot.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/Forms.h"

void RegisterPlotUnits()
{
    RegisterUnitInitialization("kPlot", kPlotInitialization, nullptr);
    RegisterUnitInitialization("kXYPlot", kXYPlotInitialization, nullptr);
}
