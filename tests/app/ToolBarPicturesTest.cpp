// The plot toolbar's pictures, compiled into the program, load in both
// sizes on the main window's plots.

#include "components/plot/kPlotToolBar.h"
#include "tests/app/MainWindowFixture.h"

namespace {

using ToolBarPicturesTest = MainWindowTest;

TEST_F(ToolBarPicturesTest, EveryButtonDrawsItsPictureInBothSizes)
{
    TkPlotToolBar* toolBar = Form->kXYPlot1->GetToolBar(0);
    toolBar->SetVisible(true);
    toolBar->SetShowSelectButton(true);
    toolBar->SetShowPreviewButton(true);
    for (const bool small : {false, true}) {
        toolBar->SetSmallButtons(small);
        Form->kXYPlot1->Repaint();
        for (Integer i = 0; i < toolBar->EntryCount(); ++i) {
            const TkPlotToolBarButton* button = toolBar->Entry(i);
            if (button->Style() != kptbbsButton) continue;
            EXPECT_GE(button->ImageIndex(), 0) << button->ImageName();
        }
    }
}

}  // namespace
