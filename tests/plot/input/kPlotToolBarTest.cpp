// The toolbar's entries, commands and modes against the stand-in plot, and
// its buttons under the user's mouse on a real plot.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/view/kPlotDataView.h"
#include "platform/ImgList.h"
#include "support/PlotOnForm.h"
#include "support/PlotRoles.h"
#include "support/PlotStandIn.h"

namespace {

using PlotTest::PlotOnForm;
using PlotTest::TStandInPlot;

// A toolbar over one linear X axis (0..100) and one log Y axis (1..1000).
class ToolBarTest : public ::testing::Test {
protected:
    TStandInPlot Plot;
    TkPlotToolBar* ToolBar = Plot.Add<TkPlotToolBar>("Toolbar 1");
    TkPlotXAxis* X = Plot.PutAxis("X-Axis 1", Rect(50, 200, 250, 230), 0, 100);
    TkPlotYAxis* Y = Plot.PutAxis<TkPlotYAxis>("Y-Axis 1", Rect(20, 20, 50, 200), 0, 3);
    TOwned<TBitmap> Bitmap = CreateOwned<TBitmap>();

    void SetUp() override
    {
        Y->SetScaleType(kpstLog10);
        Y->SetMinSpan(1, 3);
        ToolBar->SetDrawRect(Rect(0, 0, 600, 36));
        Bitmap->SetSize(600, 60);
        Plot.Log.clear();
    }
    void Paint() { ToolBar->Draw({.Canvas = Bitmap->Canvas(), .BackGroundColor = clBlack}); }
    TkPlotToolBarButton* Button(TkPlotToolBarButtonType Type) const { return ToolBar->Button(Type); }
    // The left edges of the entries drawn, spacers as "|".
    std::vector<String> Row()
    {
        Paint();
        std::vector<String> row;
        for (Integer i = 0; i < ToolBar->EntryCount(); ++i) {
            const TkPlotToolBarButton* entry = ToolBar->Entry(i);
            if (!entry->Visible()) continue;
            row.push_back(entry->Style() == kptbbsSpacer ? String("|") : IntToStr(Integer{entry->ButtonType()}));
        }
        return row;
    }
};

TEST_F(ToolBarTest, ANewToolBarRowsItsButtonsInOrderWithScrollDown)
{
    EXPECT_EQ(ToolBar->EntryCount(), 19);
    EXPECT_EQ(Row(), (std::vector<String>{"0", "1", "|", "2", "3", "|", "6", "7", "|", "5", "8", "|", "9", "|", "10",
                                          "11", "12"}));
    EXPECT_TRUE(Button(kptbbtScrollAxesMode)->Down());
    EXPECT_EQ(Button(kptbbtZoomIn)->Hint(), "Zoom In All Axes");
    // One row of 30-pixel buttons and 10-pixel spacers from 3 pixels in.
    EXPECT_EQ(Button(kptbbtResume)->DrawRect(), Rect(3, 3, 33, 33));
    EXPECT_EQ(Button(kptbbtScrollAxesMode)->DrawRect().Left, 3 + 60 + 10);
    EXPECT_EQ(ToolBar->GetRequiredSize(nullptr), 36);
    ToolBar->SetSmallButtons(true);
    EXPECT_EQ(ToolBar->GetRequiredSize(nullptr), 28);
    EXPECT_EQ(Button(kptbbtZoomAxesMode)->ImageName(), "SMALLZOOM");
    ToolBar->SetSmallButtons(false);
    EXPECT_EQ(Button(kptbbtZoomAxesMode)->ImageName(), "ZOOM");
}

TEST_F(ToolBarTest, SpacersFollowTheirGroupsAndHiddenButtonsTakeNoRoom)
{
    ToolBar->SetShowZoomBoxButton(false);
    ToolBar->SetShowCursorButton(false);
    ToolBar->SetShowSelectButton(true);
    ToolBar->SetShowZoomInOutButtons(false);
    EXPECT_FALSE(ToolBar->ShowZoomInOutButtons());
    EXPECT_EQ(Row(), (std::vector<String>{"0", "1", "|", "2", "3", "|", "4", "9", "|", "10", "11", "12"}));
}

TEST_F(ToolBarTest, PictureMissingFromTheProgramLeavesTheButtonDrawnWithout)
{
    EXPECT_NO_THROW(Paint());
    EXPECT_EQ(Button(kptbbtPause)->ImageIndex(), -1);
    EXPECT_EQ(Bitmap->Canvas()->Pixels(10, 10), ColorToRGB(clBtnFace));
}

TEST_F(ToolBarTest, ResumeAndPauseAreEnabledByTheAxesTracking)
{
    Paint();
    EXPECT_FALSE(Button(kptbbtResume)->Enabled());
    EXPECT_TRUE(Button(kptbbtPause)->Enabled());
    ToolBar->DoButtonClickPause();
    Paint();
    EXPECT_TRUE(Button(kptbbtResume)->Enabled());
    EXPECT_FALSE(Button(kptbbtPause)->Enabled());
}

// ===========================================================================
// Commands
// ===========================================================================

TEST_F(ToolBarTest, ZoomInPausesThenZoomsLinearAxesByTheFactorAndLogAxesByADecade)
{
    ToolBar->DoButtonClickZoomIn();
    EXPECT_EQ(Plot.Log, (std::vector<String>{"before 7", "before 1", "tracking off", "after 1", "after 7"}));
    EXPECT_DOUBLE_EQ(X->Span(), 50);
    // By the log axis's own rule: the minimum up a decade, the span times a tenth.
    EXPECT_DOUBLE_EQ(Y->Min(), 10);
    EXPECT_DOUBLE_EQ(Y->Span(), 0.3);
    ToolBar->SetZoomInOutFactor(4);
    ToolBar->DoButtonClickZoomOut();
    EXPECT_DOUBLE_EQ(X->Span(), 200);
    EXPECT_DOUBLE_EQ(Y->Min(), 1);
    EXPECT_DOUBLE_EQ(Y->Span(), 3);
}

TEST_F(ToolBarTest, ACancelledCommandDoesNothingButAnInnerCancelLeavesTheOuterCommand)
{
    Plot.CancelCommands = {kptbbtZoomIn};
    ToolBar->DoButtonClickZoomIn();
    EXPECT_EQ(Plot.Log, (std::vector<String>{"before 7"}));
    EXPECT_TRUE(X->TrackingEnabled());
    EXPECT_DOUBLE_EQ(X->Span(), 100);

    Plot.Log.clear();
    Plot.CancelCommands = {kptbbtPause};
    ToolBar->DoButtonClickZoomIn();
    EXPECT_EQ(Plot.Log, (std::vector<String>{"before 7", "before 1", "after 7"}));
    EXPECT_TRUE(X->TrackingEnabled());
    EXPECT_DOUBLE_EQ(X->Span(), 50);
}

TEST_F(ToolBarTest, TheZoomFactorIsNeverBelowOneNorUnbounded)
{
    for (const Double bad : {0.5, -3.0, std::nan(""), std::numeric_limits<Double>::infinity()}) {
        ToolBar->SetZoomInOutFactor(bad);
        EXPECT_EQ(ToolBar->ZoomInOutFactor(), 1.0) << bad;
    }
    ToolBar->DoButtonClickZoomIn();
    EXPECT_DOUBLE_EQ(X->Span(), 100);
}

TEST_F(ToolBarTest, ResumeRaisesCursorAndSelectFirstThenDeselectsAndTracks)
{
    ToolBar->DoButtonClickPause();
    ToolBar->DoButtonClickCursor();
    ToolBar->SetShowSelectButton(true);
    ToolBar->DoButtonClickSelect();
    ASSERT_TRUE(ToolBar->CursorDown());
    ASSERT_TRUE(ToolBar->SelectDown());
    Plot.Log.clear();
    ToolBar->DoButtonClickResume();
    EXPECT_EQ(Plot.Log, (std::vector<String>{"before 0", "before 8", "cursors hidden", "after 8", "before 4",
                                             "after 4", "deselect all", "tracking on", "after 0"}));
    EXPECT_FALSE(ToolBar->CursorDown());
    EXPECT_FALSE(ToolBar->SelectDown());
    EXPECT_TRUE(X->TrackingEnabled());
}

TEST_F(ToolBarTest, ModeButtonsExcludeEachOtherEvenWhenACommandIsCancelled)
{
    ToolBar->DoButtonClickZoomAxesMode();
    EXPECT_TRUE(Button(kptbbtZoomAxesMode)->Down());
    EXPECT_FALSE(Button(kptbbtScrollAxesMode)->Down());
    EXPECT_EQ(X->Mode(), kpamZoom);
    EXPECT_EQ(Y->Mode(), kpamZoom);
    ToolBar->DoButtonClickZoomAxesMode();
    EXPECT_TRUE(Button(kptbbtZoomAxesMode)->Down()) << "clicked again, it stays down";

    // A click that the handler cancels changes no button, also through the mouse.
    Plot.CancelCommands = {kptbbtScrollAxesMode};
    Paint();
    const TRect scroll = Button(kptbbtScrollAxesMode)->DrawRect();
    Button(kptbbtScrollAxesMode)->kMouseDown(mbLeft, {}, scroll.Left + 5, scroll.Top + 5);
    Button(kptbbtScrollAxesMode)->kMouseUp(mbLeft, {}, scroll.Left + 5, scroll.Top + 5, 0, 0, false, nullptr);
    EXPECT_TRUE(Button(kptbbtZoomAxesMode)->Down());
    EXPECT_FALSE(Button(kptbbtScrollAxesMode)->Down());

    ToolBar->DoButtonClickZoomBox();
    ToolBar->DoButtonClickSelect();
    EXPECT_TRUE(ToolBar->SelectDown());
    EXPECT_FALSE(ToolBar->ZoomBoxDown());
}

TEST_F(ToolBarTest, CursorShowsTheCursorsAndPausesAndEditHasNoAfterEvent)
{
    ToolBar->DoButtonClickCursor();
    EXPECT_EQ(Plot.Log, (std::vector<String>{"before 8", "tracking off", "cursors shown", "after 8"}));
    Plot.Log.clear();
    ToolBar->TurnOffCursor();
    EXPECT_EQ(Plot.Log, (std::vector<String>{"cursors hidden"}));
    Plot.Log.clear();
    ToolBar->DoButtonClickEdit();
    ToolBar->DoButtonClickPrint();
    EXPECT_EQ(Plot.Log, (std::vector<String>{"before 9", "edit", "before 12", "output 12", "after 12"}));
}

// ===========================================================================
// Mouse
// ===========================================================================

TEST_F(ToolBarTest, TheEntryUnderTheMouseAnswersWithItsHintBelowIt)
{
    Paint();
    const TRect zoomIn = Button(kptbbtZoomIn)->DrawRect();
    const TPoint p = Point(zoomIn.Left + 4, zoomIn.Top + 4);
    ASSERT_EQ(ToolBar->GetObjectAtPoint(p), Button(kptbbtZoomIn));
    EXPECT_EQ(ToolBar->GetObjectAtPoint(Point(590, 10)), ToolBar);

    Plot.OnToolBarHint = [](String& Text) { Text += "!"; };
    TkPlotHintData hint;
    Button(kptbbtZoomIn)->kMouseMove(hint, {}, p.X, p.Y, false);
    EXPECT_EQ(hint.Text, "Zoom In All Axes!");
    EXPECT_EQ(hint.Left, zoomIn.Left);
    EXPECT_EQ(hint.Top, zoomIn.Bottom + 3);
    EXPECT_EQ(hint.Width, 17 * 7 + 4);
    EXPECT_EQ(hint.Height, 12 + 4);
    EXPECT_TRUE(Button(kptbbtZoomIn)->MouseOver());
    Button(kptbbtZoomIn)->DoMouseNotOver();
    EXPECT_FALSE(Button(kptbbtZoomIn)->MouseOver());
}

TEST_F(ToolBarTest, SelectingAnotherObjectDeselectsTheToolBar)
{
    ToolBar->SetUserSelected(true);
    X->SetUserSelected(true);
    ToolBar->NotificationSetFocus(X);
    EXPECT_FALSE(ToolBar->UserSelected());
}

// ===========================================================================
// On a plot, under the mouse
// ===========================================================================

class PlotToolBarTest : public PlotOnForm {
protected:
    TkPlotToolBar* ToolBar() const { return Plot->GetToolBar(0); }
    TPoint ButtonPoint(TkPlotToolBarButtonType Type)
    {
        Plot->Repaint();
        return Centre(ToolBar()->Button(Type)->DrawRect());
    }
};

TEST_F(PlotToolBarTest, ZoomInAndOutChangeEveryAxisByTheFactorAndResumeTracksAgain)
{
    const Double xSpan = X()->Span();
    const Double ySpan = Y()->Span();
    Click(ButtonPoint(kptbbtZoomIn));
    EXPECT_DOUBLE_EQ(X()->Span(), xSpan / 2);
    EXPECT_DOUBLE_EQ(Y()->Span(), ySpan / 2);
    EXPECT_FALSE(X()->TrackingEnabled());
    Click(ButtonPoint(kptbbtZoomOut));
    Click(ButtonPoint(kptbbtZoomOut));
    EXPECT_DOUBLE_EQ(X()->Span(), xSpan * 2);
    Click(ButtonPoint(kptbbtResume));
    EXPECT_TRUE(X()->TrackingEnabled());
    EXPECT_TRUE(Y()->TrackingEnabled());
}

TEST_F(PlotToolBarTest, AButtonsHintShowsAfterThePause)
{
    Move(ButtonPoint(kptbbtPrint));
    Wait(Plot->HintsPause());
    ASSERT_TRUE(PlotTest::RolesOf(*Plot).Hint.Showing());
    EXPECT_EQ(Plot->Hint().Text, "Print");
    // Along the row the hint follows the mouse from button to button.
    Move(ButtonPoint(kptbbtSave));
    EXPECT_TRUE(PlotTest::RolesOf(*Plot).Hint.Showing());
    EXPECT_EQ(Plot->Hint().Text, "Save to File");
}

TEST_F(PlotToolBarTest, AZoomBoxSetsBothAxesAndStopsTrackingBackwardsOrEscapedItDoesNothing)
{
    Click(ButtonPoint(kptbbtZoomBox));
    ASSERT_TRUE(PlotTest::SeamOf(*Plot).Input->IsToolBarZoomBoxMode());
    const TRect view = View()->DrawRect();
    const Double xMin = X()->Min();
    const Double yMin = Y()->Min();

    // Backwards: nothing.
    Drag(Point(view.Right - 20, view.Bottom - 20), Point(view.Left + 20, view.Top + 20));
    EXPECT_EQ(X()->Min(), xMin);
    EXPECT_EQ(Y()->Min(), yMin);

    // Escaped: nothing.
    Plot->SetFocus();
    Press(Point(view.Left + 20, view.Top + 20));
    Move(Point(view.Left + 60, view.Top + 60), {ssLeft});
    Testing::Input::Key(VK_ESCAPE);
    Release(Point(view.Left + 60, view.Top + 60));
    EXPECT_EQ(X()->Min(), xMin);

    const Integer left = view.Left + 20;
    const Integer bottom = view.Bottom - 20;
    const Double newXMin = X()->PixelsToPosition(left);
    const Double newYMin = Y()->PixelsToPosition(bottom);
    Press(Point(left, view.Top + 20));
    Move(Point(view.Right - 20, bottom), {ssLeft});
    Release(Point(view.Right - 20, bottom));
    EXPECT_NEAR(X()->Min(), newXMin, X()->Span() / 100);
    EXPECT_NEAR(Y()->Min(), newYMin, Y()->Span() / 100);
    EXPECT_FALSE(X()->TrackingEnabled());
    EXPECT_FALSE(Y()->TrackingEnabled());
}

}  // namespace
