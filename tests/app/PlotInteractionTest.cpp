// The main window's plots under the user's mouse, and their toolbar's
// pictures, compiled into the program, in both sizes.

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/input/kPlotToolBar.h"
#include "support/Painted.h"
#include "tests/app/MainWindowFixture.h"

namespace {

using PlotInteractionTest = MainWindowTest;

TEST_F(PlotInteractionTest, EveryButtonDrawsItsPictureInBothSizes)
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

TEST_F(PlotInteractionTest, EachPlotScrollsItsAxisUnderADragAndZoomsUnderTheWheel)
{
    for (TkXYPlot* plot : {Form->kXYPlot1, Form->kXYPlot2, Form->kXYPlot3}) {
        plot->Repaint();
        TkPlotYAxis* y = plot->GetYAxis(0);
        const TRect r = y->DrawRect();
        const TPoint p = Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        const Double min = y->Min();
        Testing::VirtualClock::Advance(DoubleClickTime + 1);
        Testing::Input::MouseDown(plot, mbLeft, p.X, p.Y);
        Testing::Input::MouseMove(plot, p.X, p.Y + 20, {ssLeft});
        Testing::Input::MouseUp(plot, mbLeft, p.X, p.Y + 20);
        EXPECT_NE(y->Min(), min) << plot->Name();
        EXPECT_FALSE(y->TrackingEnabled()) << plot->Name();

        const Double span = y->Span();
        y->SetMode(kpamZoom);
        Testing::Input::Wheel(plot, 120, p.X, p.Y);
        EXPECT_NE(y->Span(), span) << plot->Name();
    }
}

TEST_F(PlotInteractionTest, TheDisabledToolbarOfPlot2LooksDisabledOnceShown)
{
    TkPlotToolBar* toolBar = Form->kXYPlot2->GetToolBar(0);
    ASSERT_FALSE(toolBar->Enabled());
    toolBar->SetVisible(true);
    const TOwned<TBitmap> disabled = PaintedAlone(Form->kXYPlot2);
    toolBar->SetEnabled(true);
    EXPECT_FALSE(SamePixels(disabled.get(), PaintedAlone(Form->kXYPlot2).get()));
}

}  // namespace
