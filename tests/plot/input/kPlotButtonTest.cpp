#include <gtest/gtest.h>

#include "components/plot/input/kPlotButton.h"
#include "tests/plot/kPlotObjectsTestDoubles.h"
#include "platform/Testing.h"

using namespace PlotTest;
using Testing::VirtualClock::Advance;

namespace {

using Strings = std::vector<String>;

// A button at (10, 20)-(30, 40) whose hooks log what they hear; clicks are
// logged as their time since Start.
class PlotButtonTest : public ::testing::Test {
protected:
    TStandInPlot Owner{TStandInPlot::Bare};
    TkPlotButton* Button = Create<TkPlotButton>(&Owner);
    Strings Log;
    std::vector<Int64> ClickTimes;
    Int64 Start = Testing::VirtualClock::Now();

    void SetUp() override
    {
        Button->SetDrawRect(Rect(10, 20, 30, 40));
        Button->SetOnClick([this](TObject*) { ClickTimes.push_back(Testing::VirtualClock::Now() - Start); });
        Button->SetOnGroupClick([this](TObject*) { Log.push_back("group"); });
        Button->SetOnInvalidate([this](TObject*) { Log.push_back("invalidate"); });
    }
    void TearDown() override { Free(Button); }  // null-safe

    void Press(TMouseButton Which = mbLeft) { Button->kMouseDown(Which, {}, 15, 25); }
    void Release(Integer X = 15, Integer Y = 25, TMouseButton Which = mbLeft)
    {
        Button->kMouseUp(Which, {}, X, Y, 0, 0, false, nullptr);
    }
    std::size_t Clicks() const { return ClickTimes.size(); }
};

}  // namespace

TEST_F(PlotButtonTest, HeldRepeatingButtonClicksAfterHalfASecondThenEveryFiftyMilliseconds)
{
    Button->SetTimerEnabled(true);
    Press();
    Advance(620);
    EXPECT_EQ(ClickTimes, (std::vector<Int64>{500, 550, 600}));
    // Moving off the button while held keeps the repeats going.
    TkPlotHintData hint;
    Button->kMouseMove(hint, {}, 200, 200, false);
    Advance(30);
    Release();  // inside: one more click
    EXPECT_EQ(Clicks(), 5u);
    EXPECT_FALSE(Button->Repeating());
    Advance(500);
    EXPECT_EQ(Clicks(), 5u);

    // Each press starts over with the long pause; a release outside ends
    // it without a click.
    Start = Testing::VirtualClock::Now();
    Press();
    Advance(520);
    Release(100, 100);
    EXPECT_EQ(Clicks(), 6u);
    EXPECT_EQ(ClickTimes.back(), 500);
}

TEST_F(PlotButtonTest, PlainButtonClicksOnReleaseInsideAfterALeftPressOnly)
{
    Press();
    Advance(1000);
    EXPECT_EQ(Clicks(), 0u);
    EXPECT_FALSE(Button->Repeating());

    // Left and top edges are inside, right and bottom edges outside.
    for (const auto& [at, inside] : {std::pair{Point(10, 20), true}, {Point(29, 39), true}, {Point(30, 25), false},
                                     {Point(15, 40), false}, {Point(9, 25), false}}) {
        const std::size_t before = Clicks();
        Release(at.X, at.Y);
        EXPECT_EQ(Clicks() - before, inside ? 1u : 0u) << at.X << "," << at.Y;
        Press();
    }
    Release();

    // Right and middle presses, and a release never pressed (the plot sends
    // one when it loses the focus), do nothing.
    Button->SetTimerEnabled(true);
    Log.clear();
    const std::size_t before = Clicks();
    for (const TMouseButton which : {mbRight, mbMiddle}) {
        Press(which);
        Advance(600);
        Release(15, 25, which);
    }
    Release();
    EXPECT_EQ(Clicks(), before);
    EXPECT_TRUE(Log.empty());
}

TEST_F(PlotButtonTest, GroupHookFiresBeforeTheClickForAnyNonZeroGroup)
{
    Button->SetOnClick([this](TObject*) { Log.push_back("click"); });
    for (const Integer group : {0, -1}) {
        Button->SetGroupIndex(group);
        Log.clear();
        Press();
        Release();
        EXPECT_EQ(Log, group ? (Strings{"invalidate", "invalidate", "group", "click"})
                             : (Strings{"invalidate", "invalidate", "click"}));
    }
}

TEST_F(PlotButtonTest, DisablingOrLosingTheMouseEndsAPressWithoutAClick)
{
    Button->SetTimerEnabled(true);
    Press();
    Advance(560);
    Button->SetEnabled(false);
    Advance(500);
    Release();
    EXPECT_EQ(Clicks(), 2u);

    // The plot lost the mouse capture while the button was held (a modal
    // dialog took it): the repeats stop and the coming release is ignored.
    Button->SetEnabled(true);
    Press();
    Advance(550);
    Log.clear();
    Button->DoMouseNotOver();
    EXPECT_EQ(Log, Strings{"invalidate"});
    Advance(500);
    Release();
    Button->DoMouseNotOver();  // not pressed: nothing
    EXPECT_EQ(Clicks(), 4u);
    EXPECT_EQ(Log, Strings{"invalidate"});
}

TEST_F(PlotButtonTest, ClickHandlersMayDisableOrFreeTheButton)
{
    Button->SetTimerEnabled(true);
    Button->SetOnClick([this](TObject*) { Button->SetEnabled(false); });  // frees the ticking timer
    Press();
    Advance(600);
    EXPECT_FALSE(Button->Repeating());

    Button->SetEnabled(true);
    Button->SetOnClick([this](TObject*) { FreeAndNil(Button); });
    Press();
    Advance(600);
    EXPECT_EQ(Button, nullptr);
}
