// Channels fed by the simulated OPC server of tests/support/opc.

#include <gtest/gtest.h>

#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kPlot.h"
#include "components/plot/channel/kPlotChannelOPC.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/FormStream.h"
#include "support/FakeOPC.h"

namespace {

class ChannelOPC : public testing::Test {
protected:
    FakeOPC::Server Server;
};

TEST_F(ChannelOPC, TimeChannelAddsOnePointPerValueAtTheServerTimeStamp)
{
    TOwned<TkPlot> plot(Create<TkPlot>(nullptr));
    TkPlotChannel* channel = plot->GetChannel(0);
    SetStrProp(channel, "OPCServerName", "Sim.Server");
    SetStrProp(channel, "OPCItemName", "Plant.Level");
    channel->OPCLink()->OPCActivate();
    EXPECT_TRUE(channel->OPCLink()->OPCSignalActive());
    EXPECT_EQ(Server.SignalCount(), 1);  // item 0 only, no group
    EXPECT_EQ(channel->OPCLink()->Manager()->GetGroupCount(), 0);

    Server.Publish("Plant.Level", FakeOPC::Value(1.5), FakeOPC::Good, 45000.25);
    Server.Publish("Plant.Level", FakeOPC::Text("n/a"));                            // no number: no point
    Server.Publish("Plant.Level", FakeOPC::Value(9.0), FakeOPC::Uncertain, 45001); // bad quality: no point
    Server.Publish("Plant.Level", FakeOPC::IntValue(varInteger, 4), FakeOPC::Good, 45000.5);
    Server.Deliver();
    ASSERT_EQ(channel->Count(), 2);
    EXPECT_EQ(channel->GetXValue(0), 45000.25);
    EXPECT_EQ(channel->GetYValue(0), 1.5);
    EXPECT_EQ(channel->GetYValue(1), 4.0);

    channel->OPCLink()->OPCUpdateSuspend();
    Server.Publish("Plant.Level", FakeOPC::Value(2.0));
    Server.Deliver();
    EXPECT_EQ(channel->Count(), 2);
    channel->OPCLink()->OPCDeactivate();
    EXPECT_EQ(Server.SignalCount(), 0);
}

// Elapsed stamps count from the channel's own start time, reset by its first
// point when the channel asks for that.
TEST_F(ChannelOPC, ElapsedSourcesStampFromTheChannelsStartTime)
{
    TOwned<TkPlot> plot(Create<TkPlot>(nullptr));
    TkPlotChannel* channel = plot->GetChannel(0);
    channel->SetResetStartTimeOnFirstDataPoint(true);
    SetStrProp(channel, "OPCServerName", "Sim.Server");
    SetStrProp(channel, "OPCItemName", "Plant.Level");
    SetEnumProp(channel, "OPCXValueSource", "kopcxvsElapsedSeconds");
    channel->OPCLink()->OPCActivate();
    Server.Publish("Plant.Level", FakeOPC::Value(3.0), FakeOPC::Good, 45000.25);
    Server.Deliver();
    ASSERT_EQ(channel->Count(), 1);
    EXPECT_EQ(channel->GetYValue(0), 3.0);
    EXPECT_GE(channel->GetXValue(0), 0.0);
    EXPECT_LT(channel->GetXValue(0), 60.0);  // seconds since the first point, not a date

    SetEnumProp(channel, "OPCXValueSource", "kopcxvsElapsedTime");
    Server.Publish("Plant.Level", FakeOPC::Value(4.0), FakeOPC::Good, 45000.5);
    Server.Deliver();
    ASSERT_EQ(channel->Count(), 2);
    EXPECT_LT(channel->GetXValue(1), 60.0 / 86400);  // days since the first point
    channel->OPCLink()->OPCDeactivate();
}

TEST_F(ChannelOPC, ItemSourceAndXYChannelsPairTheTwoItemsAfterEachGroupUpdate)
{
    TOwned<TkXYPlot> plot(Create<TkXYPlot>(nullptr));
    TkXYPlotChannel* channel = plot->GetChannel(0);
    SetStrProp(channel, "OPCServerName", "Sim.Server");
    SetStrProp(channel, "OPCItemName", "Plant.X");
    SetStrProp(channel, "OPCItem2Name", "Plant.Y");
    SetFloatProp(channel, "OPCScalar2", 10.0);
    channel->OPCLink()->OPCActivate();
    ASSERT_EQ(channel->OPCLink()->Manager()->GetGroupCount(), 1);
    const String group = channel->OPCLink()->Manager()->GetGroup(0)->Name();
    EXPECT_EQ(group.size(), 8u);
    EXPECT_EQ(channel->OPCLink()->Item(1)->GroupName(), group);

    Server.Publish("Plant.Y", FakeOPC::Value(0.5));
    Server.Publish("Plant.X", FakeOPC::Value(3.0));
    Server.Deliver();
    // One point per update of the group, once both items hold a value.
    ASSERT_EQ(channel->Count(), 1);
    EXPECT_EQ(channel->GetXValue(0), 3.0);
    EXPECT_EQ(channel->GetYValue(0), 5.0);

    channel->OPCLink()->OPCUpdateSuspend();
    Server.Publish("Plant.X", FakeOPC::Value(4.0));
    Server.Deliver();
    EXPECT_EQ(channel->Count(), 1);
    channel->OPCLink()->OPCUpdateResume();

    // The time channel takes the same road with kopcxvsOPCItem, from the
    // next activation on.
    TOwned<TkPlot> time(Create<TkPlot>(nullptr));
    TkPlotChannel* timed = time->GetChannel(0);
    SetStrProp(timed, "OPCServerName", "Sim.Server");
    SetStrProp(timed, "OPCItemName", "Plant.X");
    SetStrProp(timed, "OPCItem2Name", "Plant.Y");
    SetEnumProp(timed, "OPCXValueSource", "kopcxvsOPCItem");
    EXPECT_EQ(timed->OPCLink()->Manager()->GetGroupCount(), 0);
    timed->OPCLink()->OPCActivate();
    EXPECT_EQ(timed->OPCLink()->Manager()->GetGroupCount(), 1);
    Server.Publish("Plant.X", FakeOPC::Value(7.0));
    Server.Publish("Plant.Y", FakeOPC::Value(0.5));
    Server.Deliver();
    ASSERT_EQ(timed->Count(), 1);
    EXPECT_EQ(timed->GetXValue(0), 7.0);
    EXPECT_EQ(timed->GetYValue(0), 0.5);
}

TEST_F(ChannelOPC, ALoadedChannelConnectsOnInsertionOnlyWhenConfigured)
{
    TOwned<TkPlot> plot(Create<TkPlot>(nullptr));
    TkPlotChannel* channel = plot->GetChannel(0);
    SetStrProp(channel, "OPCServerName", "Sim.Server");
    SetStrProp(channel, "OPCItemName", "Plant.Level");
    SetOrdProp(channel, "OPCUpdateRate", 250);
    const String text = WriteComponent(plot.get());
    EXPECT_NE(text.find("OPCItemName = 'Plant.Level'"), String::npos);
    EXPECT_EQ(text.find("OPCAutoConnect"), String::npos);  // the default

    TOwned<TkPlot> copy(Create<TkPlot>(nullptr));
    ReadComponent(text, copy.get());
    EXPECT_EQ(GetOrdProp(copy->GetChannel(0), "OPCUpdateRate"), 250);
    EXPECT_TRUE(copy->GetChannel(0)->OPCLink()->OPCSignalActive());

    // Nothing connects while the plot is being designed.
    TOwned<TkPlot> designed(Create<TkPlot>(nullptr));
    designed->OnGetDesigning = [](TObject*, bool& Designing) { Designing = true; };
    ReadComponent(text, designed.get());
    EXPECT_FALSE(designed->GetChannel(0)->OPCLink()->OPCSignalActive());
    designed->GetChannel(0)->OPCLink()->OPCActivate();
    EXPECT_EQ(Server.SignalCount(), 1);

    // An XY channel without a server registers neither group nor item.
    TOwned<TkXYPlot> xy(Create<TkXYPlot>(nullptr));
    xy->AddChannel();
    EXPECT_EQ(xy->GetChannel(1)->OPCLink()->Manager()->GetGroupCount(), 0);
    EXPECT_EQ(Server.SignalCount(), 1);
}

}  // namespace
