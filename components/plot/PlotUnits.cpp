#include "components/plot/PlotUnits.h"

#include "components/plot/kPlot.h"
#include "components/plot/kXYPlot.h"
#include "platform/Forms.h"

void RegisterPlotUnits()
{
    RegisterUnitInitialization("kPlot", kPlotInitialization, nullptr);
    RegisterUnitInitialization("kXYPlot", kXYPlotInitialization, nullptr);
}
