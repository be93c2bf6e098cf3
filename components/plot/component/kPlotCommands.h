#pragma once
// What acts on the whole plot at the request of its objects: the toolbar's
// commands, a data cursor's readout (the plot's TkPlotCommandHost).

#include "components/plot/objects/kPlotHostServices.h"

class TkPlotComponent;

class TkPlotCommands : public TkPlotCommandHost {
public:
    explicit TkPlotCommands(TkPlotComponent& Plot) : FPlot(Plot) {}

    void EnableAllTracking() override { SetAllTracking(true); }
    void DisableAllTracking() override { SetAllTracking(false); }
    void ClearAllUserSelections() override;
    void ShowDataCursors(bool Value) override;
    void ShowCursorReadoutInLegend() override;
    void EditProperties() override;
    // The Copy, Save, Print and Preview buttons: CopyToClipBoard, Save,
    // PrintChart and PreviewChart.
    void DoToolBarOutput(TkPlotToolBarButtonType Command) override;

private:
    void SetAllTracking(bool Value);

    TkPlotComponent& FPlot;
};
