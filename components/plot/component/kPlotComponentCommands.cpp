// The plot's answers to its toolbar: the toolbar's events, the modes of its
// first toolbar, and the commands that act on the whole plot.

#include "components/plot/component/kPlotComponent.h"

#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/objects/kPlotMasterManager.h"

bool TkPlotComponent::IsToolBarZoomBoxMode() const { return ToolBarCount() > 0 && GetToolBar(0)->ZoomBoxDown(); }

bool TkPlotComponent::IsToolBarSelectMode() const { return ToolBarCount() > 0 && GetToolBar(0)->SelectDown(); }

void TkPlotComponent::SetToolBarSelectMode(bool Value)
{
    if (ToolBarCount() > 0 && GetToolBar(0)->SelectDown() != Value) GetToolBar(0)->DoButtonClickSelect();
}

void TkPlotComponent::ClearAllUserSelections() { Master().PlotObjectManager()->ClearAllUserSelections(); }

void TkPlotComponent::ShowDataCursors(bool Value)
{
    for (Integer i = 0; i < DataCursorCount(); ++i) GetDataCursor(i)->SetVisible(Value);
    if (Value && DataCursorCount() > 0) GetDataCursor(0)->SetUserSelected(true);
}

void TkPlotComponent::EditProperties() { Master().EditProperties(); }

void TkPlotComponent::DoToolBarOutput(TkPlotToolBarButtonType Command)
{
    switch (Command) {
    case kptbbtCopy: CopyToClipBoard(); return;
    case kptbbtSave: Save(); return;
    case kptbbtPrint: PrintChart(); return;
    case kptbbtPreview: PreviewChart(); return;
    default: return;
    }
}
