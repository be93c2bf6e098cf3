// Rows of data for all channels at once, and copies between channels: all
// or nothing, with the null and empty markers.

#include <gtest/gtest.h>

#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/component/kPlot.h"
#include "platform/Variants.h"
#include "support/MessageOf.h"

namespace {

// A time plot with three channels.
class PlotDataArrayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        while (Plot->ChannelCount() < 3) Plot->AddChannel();
    }
    TkPlotChannelCustom* Channel(Integer Index) const { return Plot->GetChannel(Index); }
    static Variant Row(std::initializer_list<Double> Values)
    {
        Variant row = VarArrayCreate({0, Integer(Values.size()) - 1}, varDouble);
        Integer i = 0;
        for (Double v : Values) row.PutElement({i++}, v);
        return row;
    }

    TOwned<TkPlot> Plot{Create<TkPlot>(nullptr)};
};

}  // namespace

TEST_F(PlotDataArrayTest, ARowGivesEachChannelItsPointWithTheMarkers)
{
    Plot->AddDataArray(2.5, Row({1.0, 5e-301, 5e-302}));
    Plot->AddDataArray(3.5, Row({1e-300, 1e-301, 2.0}));  // the bounds are plain values
    EXPECT_EQ(Channel(0)->GetYValue(0), 1.0);
    EXPECT_TRUE(Channel(1)->GetNull(0));
    EXPECT_FALSE(Channel(1)->GetEmpty(0));
    EXPECT_TRUE(Channel(2)->GetEmpty(0));
    EXPECT_EQ(Channel(2)->GetXValue(0), 2.5);
    EXPECT_FALSE(Channel(0)->GetNull(1) || Channel(1)->GetNull(1) || Channel(1)->GetEmpty(1));
    EXPECT_EQ(Channel(1)->GetYValue(1), 1e-301);
}

TEST_F(PlotDataArrayTest, ABlockStepsXFromEachChannelsLastPoint)
{
    Channel(1)->AddXY(10, 0);
    Variant block = VarArrayCreate({0, 1, 0, 2}, varDouble);
    for (Integer j = 0; j <= 2; ++j)
        for (Integer i = 0; i <= 1; ++i) block.PutElement({i, j}, 100 * i + j);
    Plot->AddDataArray(0.5, block);
    ASSERT_EQ(Channel(0)->Count(), 3);
    EXPECT_EQ(Channel(0)->GetXValue(0), 0.0);
    EXPECT_EQ(Channel(0)->GetXValue(2), 1.0);
    EXPECT_EQ(Channel(1)->GetXValue(3), 11.5);
    EXPECT_EQ(Channel(1)->GetYValue(3), 102);
    EXPECT_EQ(Channel(2)->Count(), 0);
}

TEST_F(PlotDataArrayTest, BadArraysRaiseBeforeAnyPointIsAdded)
{
    EXPECT_EQ(MessageOf([&] { Plot->AddDataArray(0, Variant(1.0)); }), "Data Array must be 1 or 2 Dimensions");
    EXPECT_EQ(MessageOf([&] { Plot->AddDataArray(0, Row({1, 2, 3, 4})); }), "Data Array index 3 has no channel");
    Variant text = VarArrayCreate({0, 2}, varVariant);
    text.PutElement({0}, 1.0);
    text.PutElement({1}, 2.0);
    text.PutElement({2}, "abc");
    EXPECT_THROW(Plot->AddDataArray(0, text), Exception);
    for (Integer i = 0; i < 3; ++i) EXPECT_EQ(Channel(i)->Count(), 0) << i;
}

TEST_F(PlotDataArrayTest, TransfersCopyTheRangeWithItsFlags)
{
    for (Integer i = 0; i < 4; ++i) Channel(0)->AddXY(i, 10 * i);
    Channel(0)->SetNull(2, true);
    Plot->TransferChannelData(0, 1, 1, 3);
    ASSERT_EQ(Channel(1)->Count(), 3);
    EXPECT_EQ(Channel(1)->GetXValue(0), 1);
    EXPECT_TRUE(Channel(1)->GetNull(1));
    Plot->TransferChannelData(0, 1, 3, 1);  // an empty range
    EXPECT_EQ(Channel(1)->Count(), 3);
    Plot->TransferChannelData(0, 0, 0, 3);  // onto itself: the range as it was
    ASSERT_EQ(Channel(0)->Count(), 8);
    EXPECT_EQ(Channel(0)->GetYValue(7), 30);
    EXPECT_EQ(MessageOf([&] { Plot->TransferChannelData(0, 1, -1, 2); }), "Start Index Must be 0 or Greater");
    EXPECT_EQ(MessageOf([&] { Plot->TransferChannelData(0, 1, 0, 8); }), "StopIndex Must Out Of Range");
    EXPECT_EQ(Channel(1)->Count(), 3);
}
