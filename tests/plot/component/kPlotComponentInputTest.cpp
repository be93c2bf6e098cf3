// The plot's routing of the user's input to its objects, through the
// platform's synthetic input on the virtual clock.

#include <gtest/gtest.h>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/layout/kPlotLegend.h"
#include "platform/Menus.h"
#include "support/MenuCaptions.h"
#include "support/PlotOnForm.h"
#include "support/PlotRoles.h"

namespace {

using PlotTest::PlotOnForm;

class PlotInputTest : public PlotOnForm {
protected:
    void SetUp() override
    {
        PlotOnForm::SetUp();
        // An axis whose title is not drawn offers it as its hint.
        X()->SetTitle("Time");
        Y()->SetTitle("Volts");
        Plot->ReCalcLayout();
    }

    // Over the Y axis until its hint shows.
    void ShowYHint()
    {
        Move(YAxisPoint());
        Wait(Plot->HintsPause());
        ASSERT_TRUE(PlotTest::RolesOf(*Plot).Hint.Showing());
    }
};

// ===========================================================================
// Hint
// ===========================================================================

TEST_F(PlotInputTest, TheHintShowsAfterThePauseAndGoesAfterTheHidePause)
{
    Move(YAxisPoint());
    Wait(499);
    EXPECT_FALSE(PlotTest::RolesOf(*Plot).Hint.Showing());
    Wait(1);
    ASSERT_TRUE(PlotTest::RolesOf(*Plot).Hint.Showing());
    EXPECT_EQ(Plot->Hint().Text, "Volts");
    EXPECT_TRUE(Plot->MouseCapture()) << "the plot hears the mouse leave while the hint shows";

    Wait(2499);
    EXPECT_TRUE(PlotTest::RolesOf(*Plot).Hint.Showing());
    Wait(1);
    EXPECT_FALSE(PlotTest::RolesOf(*Plot).Hint.Showing());
    EXPECT_FALSE(Plot->MouseCapture());
}

TEST_F(PlotInputTest, TheHintGoesAtTheFirstMoveOntoAnotherObjectOrAPress)
{
    ShowYHint();
    Move(XAxisPoint());
    EXPECT_FALSE(PlotTest::RolesOf(*Plot).Hint.Showing());

    ShowYHint();
    Press(YAxisPoint());
    EXPECT_FALSE(PlotTest::RolesOf(*Plot).Hint.Showing());
    Release(YAxisPoint());
}

TEST_F(PlotInputTest, SmallMovesNearTheHintStartNoNewWait)
{
    ShowYHint();
    const TPoint p = YAxisPoint();
    Move(Point(p.X + 2, p.Y - 2));
    EXPECT_FALSE(PlotTest::RolesOf(*Plot).Hint.Showing());
    Wait(Plot->HintsPause() * 2);
    EXPECT_FALSE(PlotTest::RolesOf(*Plot).Hint.Showing());
}

TEST_F(PlotInputTest, AnObjectWithoutAHintStopsTheWait)
{
    Y()->SetTitleShow(true);
    Plot->ReCalcLayout();
    Move(YAxisPoint());
    Wait(Plot->HintsPause() * 2);
    EXPECT_FALSE(PlotTest::RolesOf(*Plot).Hint.Showing());
    EXPECT_FALSE(Plot->TimerRunning());
}

TEST_F(PlotInputTest, AHintNeverOutlivesItsObject)
{
    // Removed while its hint waits: nothing shows.
    Move(YAxisPoint());
    Wait(100);
    Plot->DeleteYAxis(0);
    Wait(Plot->HintsPause());
    EXPECT_FALSE(PlotTest::RolesOf(*Plot).Hint.Showing());

    // Removed while its hint shows: the hint goes at once.
    Move(XAxisPoint());
    Wait(Plot->HintsPause());
    ASSERT_TRUE(PlotTest::RolesOf(*Plot).Hint.Showing());
    Plot->DeleteXAxis(0);
    EXPECT_FALSE(PlotTest::RolesOf(*Plot).Hint.Showing());
}

TEST_F(PlotInputTest, HintsShowOffOrAZeroPauseShowsNoHint)
{
    Plot->SetHintsShow(false);
    Move(YAxisPoint());
    Wait(1000);
    EXPECT_FALSE(PlotTest::RolesOf(*Plot).Hint.Showing());

    Plot->SetHintsShow(true);
    Plot->SetHintsPause(-5);
    Move(XAxisPoint());
    Wait(1000);
    EXPECT_FALSE(PlotTest::RolesOf(*Plot).Hint.Showing());
}

// ===========================================================================
// Drags, wheel and selection
// ===========================================================================

TEST_F(PlotInputTest, ADragOnAnAxisScrollsItAlone)
{
    const Double xMin = X()->Min();
    const Double yMin = Y()->Min();
    const TPoint from = XAxisPoint();
    Drag(from, Point(from.X - 100, from.Y));
    EXPECT_GT(X()->Min(), xMin);
    EXPECT_FALSE(X()->TrackingEnabled());
    EXPECT_EQ(Y()->Min(), yMin);
    EXPECT_EQ(PlotTest::RolesOf(*Plot).Input.State().MouseDownObject.Get(), nullptr);
}

TEST_F(PlotInputTest, TheWheelZoomsTheAxisUnderTheMouse)
{
    Y()->SetMode(kpamZoom);
    // The wheel goes to the focused control.
    Plot->SetFocus();
    const Double xSpan = X()->Span();
    const Double ySpan = Y()->Span();
    const TPoint p = YAxisPoint();
    Testing::Input::Wheel(Plot, 120, p.X, p.Y);
    EXPECT_NE(Y()->Span(), ySpan);
    EXPECT_EQ(X()->Span(), xSpan);
}

TEST_F(PlotInputTest, ShiftPicksAnAxisAndTheFollowingDragIsNoScroll)
{
    const Double xMin = X()->Min();
    const TPoint from = XAxisPoint();
    Press(from, mbLeft, {ssShift});
    Move(Point(from.X - 100, from.Y), {ssShift, ssLeft});
    Release(Point(from.X - 100, from.Y), mbLeft, {ssShift});
    EXPECT_TRUE(X()->UserSelected());
    EXPECT_EQ(X()->Min(), xMin);

    Click(YAxisPoint(), mbLeft, {ssShift});
    EXPECT_TRUE(X()->UserSelected()) << "Shift adds to the selection";
    EXPECT_TRUE(Y()->UserSelected());
    Click(YAxisPoint(), mbLeft, {ssCtrl});
    EXPECT_FALSE(Y()->UserSelected()) << "Ctrl toggles an axis";
}

TEST_F(PlotInputTest, ARightClickClearsTheSelectionBeforeTheObjectOpensItsMenu)
{
    Click(YAxisPoint());
    ASSERT_TRUE(Y()->UserSelected());
    bool yStillSelected = true;
    Plot->OnObjectPopupMenu[kpokXAxis] = [&](TObject*, Integer, bool& Cancel, Integer, Integer) {
        yStillSelected = Y()->UserSelected();
        Cancel = true;
    };
    Click(XAxisPoint(), mbRight);
    EXPECT_FALSE(yStillSelected);
    EXPECT_FALSE(Y()->UserSelected());
}

TEST_F(PlotInputTest, APressOnNothingClearsTheSelection)
{
    Click(YAxisPoint());
    ASSERT_TRUE(Y()->UserSelected());
    Click(Point(2, Plot->Height() - 2));
    EXPECT_FALSE(Y()->UserSelected());
}

// ===========================================================================
// Releases that never come
// ===========================================================================

TEST_F(PlotInputTest, ADragThatLosesTheFocusEndsWhereTheMouseWas)
{
    Plot->SetFocus();
    const TPoint from = XAxisPoint();
    Press(from);
    Move(Point(from.X - 60, from.Y));
    const Double moved = X()->Min();
    Integer finished = 0;
    Plot->OnXAxisMinSpanChangeFinished = [&](TObject*, Integer, Double, Double, Double, Double) { ++finished; };
    Other->SetFocus();
    EXPECT_EQ(X()->Min(), moved);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(PlotTest::RolesOf(*Plot).Input.State().MouseDownObject.Get(), nullptr);
}

TEST_F(PlotInputTest, ALostReleaseIsMadeUpOnceAtTheNextMove)
{
    Integer ups = 0;
    Plot->OnObjectMouseUp[kpokXAxis] = [&](TObject*, Integer, TMouseButton, TShiftState, Integer, Integer) { ++ups; };
    const TPoint from = XAxisPoint();
    Press(from);
    // Moves without a button held: the release went elsewhere.
    Plot->MouseMove({}, from.X - 10, from.Y);
    Plot->MouseMove({}, from.X - 20, from.Y);
    Plot->MouseMove({}, from.X - 30, from.Y);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(PlotTest::RolesOf(*Plot).Input.State().MouseDownObject.Get(), nullptr);
}

// ===========================================================================
// Object events
// ===========================================================================

TEST_F(PlotInputTest, AClickOrADoubleClickFiresTheKindsEventWithTheObjectsIndex)
{
    Plot->AddYAxis();
    Plot->ReCalcLayout();
    std::vector<String> heard;
    Plot->OnObjectClick[kpokYAxis] = [&](TObject*, Integer Index) { heard.push_back("click " + IntToStr(Index)); };
    Plot->OnObjectDblClick[kpokYAxis] = [&](TObject*, Integer Index) { heard.push_back("dbl " + IntToStr(Index)); };
    const TPoint p = Centre(Plot->GetYAxis(1)->DrawRect());
    Click(p);
    Testing::VirtualClock::Advance(DoubleClickTime + 1);
    Testing::Input::DblClick(Plot, mbLeft, p.X, p.Y);
    EXPECT_EQ(heard, (std::vector<String>{"click 1", "click 1", "dbl 1"}));
}

// A channel's entry in the legend is the channel under the mouse.
TEST_F(PlotInputTest, AChannelsLegendEntryTakesItsPressClicksAndMenu)
{
    TkPlotChannelCustom* channel = Plot->GetChannel(0);
    Plot->Repaint();
    const TPoint entry = Centre(Plot->GetLegend(0)->ChannelLegendRect(channel));
    std::vector<String> heard;
    Plot->OnObjectMouseDown[kpokChannel] = [&](TObject*, Integer, TMouseButton Button, TShiftState, Integer, Integer) {
        heard.push_back(Button == mbRight ? "right down" : "down");
    };
    Plot->OnObjectClick[kpokChannel] = [&](TObject*, Integer) { heard.push_back("click"); };
    Plot->OnObjectDblClick[kpokChannel] = [&](TObject*, Integer) { heard.push_back("dbl"); };
    Plot->OnObjectPopupMenu[kpokChannel] = [&](TObject*, Integer, bool&, Integer, Integer) { heard.push_back("menu"); };
    Click(entry);
    EXPECT_TRUE(channel->UserSelected());
    Testing::VirtualClock::Advance(DoubleClickTime + 1);
    Testing::Input::DblClick(Plot, mbLeft, entry.X, entry.Y);
    Testing::Answers::Menu("");
    Click(entry, mbRight);
    EXPECT_EQ(Testing::Answers::Pending(), 0) << "the menu showed";
    EXPECT_EQ(MenuTest::Captions(PlotTest::RolesOf(*Plot).PopupMenu.get()->Items()), std::vector<String>{"Edit..."});
    EXPECT_EQ(heard, (std::vector<String>{"down", "click", "down", "click", "down", "dbl", "right down", "menu",
                                          "click"}));
}

TEST_F(PlotInputTest, TheArrowKeysAreWantedAndReachTheSelectedAxis)
{
    Click(YAxisPoint());
    const Double yMin = Y()->Min();
    Testing::Input::Key(VK_UP);
    EXPECT_NE(Y()->Min(), yMin);
    EXPECT_TRUE(Plot->Focused());
}

}  // namespace
