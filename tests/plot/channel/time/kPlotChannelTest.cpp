#include <gtest/gtest.h>

#include <algorithm>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/component/kPlot.h"
#include "platform/Math.h"

namespace {

// A time plot whose channel holds 100 points half-way between whole X
// values, increasing (0.5 .. 99.5) or decreasing, with Y = 2 X; the X axis
// shows 40 .. 60.
class PlotChannelTest : public ::testing::TestWithParam<bool> {
protected:
    TOwned<TkPlot> Plot{Create<TkPlot>(nullptr)};
    TkPlotChannel* Channel = Plot->GetChannel(0);

    void SetUp() override
    {
        for (Integer i = 0; i < 100; ++i) {
            const Double x = GetParam() ? i + 0.5 : 99.5 - i;
            Channel->AddXY(x, 2 * x);
        }
        Plot->GetXAxis(0)->SetMinSpan(40, 20);
    }
    // The logical index of the point at X.
    Integer IndexOf(Double X) const { return static_cast<Integer>(Round(GetParam() ? X - 0.5 : 99.5 - X)); }
};

TEST_P(PlotChannelTest, TheDrawnRangeReachesOnePointBeyondEachEndOfTheScale)
{
    EXPECT_EQ(Channel->XIncreasing(), GetParam());
    Channel->CalcStartIndex(ScaleOf(Channel->XAxis()));
    Channel->CalcStopIndex(ScaleOf(Channel->XAxis()));
    const Integer start = Channel->DrawStartIndex();
    const Integer stop = Channel->DrawStopIndex();
    EXPECT_EQ(std::min(start, stop), std::min(IndexOf(39.5), IndexOf(60.5)));
    EXPECT_EQ(std::max(start, stop), std::max(IndexOf(39.5), IndexOf(60.5)));
    EXPECT_EQ(Channel->GetXValue(start), GetParam() ? 39.5 : 60.5);
    EXPECT_DOUBLE_EQ(Channel->GetYMaxVisible(), 121);
    EXPECT_DOUBLE_EQ(Channel->GetYMinVisible(), 79);
}

TEST_P(PlotChannelTest, DataExtentsComeFromTheEndsInXOrder)
{
    Channel->SetNull(IndexOf(99.5), true);
    EXPECT_DOUBLE_EQ(Channel->GetDataXMax(), 98.5);
    EXPECT_DOUBLE_EQ(Channel->GetDataXMin(), 0.5);
    Channel->SetVisible(false);
    EXPECT_EQ(Channel->GetDataXMax(), -1e300);
    EXPECT_EQ(Channel->GetDataXMin(), 1e300);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, PlotChannelTest, ::testing::Bool());

TEST(PlotChannelRangeTest, NoRangeWithoutAxisOrPoints)
{
    TOwned<TkPlot> plot{Create<TkPlot>(nullptr)};
    TkPlotChannel* channel = plot->GetChannel(0);
    channel->CalcStartIndex(ScaleOf(channel->XAxis()));
    EXPECT_EQ(channel->DrawStartIndex(), -1);
    channel->AddXY(1, 1);
    channel->SetXAxisName("none");
    channel->CalcStopIndex(ScaleOf(channel->XAxis()));
    EXPECT_EQ(channel->DrawStopIndex(), -1);
    EXPECT_EQ(channel->GetYMaxVisible(), -1e300);
}

}  // namespace
