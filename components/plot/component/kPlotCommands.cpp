#include "components/plot/component/kPlotCommands.h"

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/component/kPlotComponent.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/layout/kPlotLegend.h"

void TkPlotCommands::SetAllTracking(bool Value)
{
    // By index: turning tracking off may bring back resume values, whose
    // events reach the user's handlers.
    for (const bool xAxes : {true, false})
        for (Integer i = 0; i < FPlot.AxisCount(xAxes); ++i) FPlot.GetAxis(xAxes, i)->SetTrackingEnabled(Value);
}

void TkPlotCommands::ClearAllUserSelections() { FPlot.Master().PlotObjectManager()->ClearAllUserSelections(); }

void TkPlotCommands::ShowDataCursors(bool Value)
{
    for (Integer i = 0; i < FPlot.DataCursorCount(); ++i) FPlot.GetDataCursor(i)->SetVisible(Value);
    if (Value && FPlot.DataCursorCount() > 0) FPlot.GetDataCursor(0)->SetUserSelected(true);
}

void TkPlotCommands::ShowCursorReadoutInLegend()
{
    if (FPlot.LegendCount() > 0) FPlot.GetLegend(0)->SetCursorAllChannels(true);
}

void TkPlotCommands::EditProperties() { FPlot.Master().EditProperties(); }

void TkPlotCommands::DoToolBarOutput(TkPlotToolBarButtonType Command)
{
    switch (Command) {
    case kptbbtCopy: FPlot.CopyToClipBoard(); return;
    case kptbbtSave: FPlot.Save(); return;
    case kptbbtPrint: FPlot.PrintChart(); return;
    case kptbbtPreview: FPlot.PreviewChart(); return;
    default: return;
    }
}
