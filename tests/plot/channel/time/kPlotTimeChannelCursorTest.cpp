// A time plot's channel under the data cursor and the mouse: the readout,
// snapping to points, the borrowed cursor of GetInterpolatedYValue, and the
// hits on the trace and on bars.

#include <gtest/gtest.h>

#include <cmath>

#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "support/MenuCaptions.h"
#include "support/PlotOnForm.h"
#include "support/PlotRoles.h"

namespace {

// X and Y axes 0..100, a channel "Signal" on both, data cursor 0 shown.
class TimeCursorTest : public PlotTest::PlotOnFormOf<TkPlot> {
protected:
    void SetUp() override
    {
        PlotOnFormOf::SetUp();
        X()->SetTrackingEnabled(false);
        Y()->SetTrackingEnabled(false);
        X()->SetMinSpan(0, 100);
        Y()->SetMinSpan(0, 100);
        Channel()->SetName("Signal");
        Cursor()->SetChannelName("Signal");
        Plot->GetToolBar(0)->DoButtonClickCursor();
        Plot->Repaint();
    }
    TkPlotChannel* Channel() const { return Plot->GetChannel(0); }
    TkPlotDataCursor* Cursor() const { return Plot->GetDataCursor(0); }
    String ReadoutAt(Double Percent)
    {
        Cursor()->SetPointer1Position(Percent);
        Plot->Repaint();
        return Cursor()->CursorDisplayText();
    }
    TkPlotMouseData MouseAt(Double VX, Double VY, TMouseButton Button) const
    {
        TkPlotMouseData mouse;
        mouse.XAxisPixels = mouse.X = X()->PositionToPixels(VX);
        mouse.YAxisPixels = mouse.Y = Y()->PositionToPixels(VY);
        mouse.Button = Button;
        return mouse;
    }
};

TEST_F(TimeCursorTest, TheCursorReadsTheTraceAndADigitalChannelSaysLowOrHigh)
{
    for (const Double x : {0.0, 40.0, 100.0}) Channel()->AddXY(x, 20);
    Cursor()->SetStyle(kpcsValueY);
    EXPECT_EQ(ReadoutAt(70), "20");
    EXPECT_EQ(Cursor()->Status(), kpdpsValid);
    EXPECT_EQ(Cursor()->ValueY(), 20);

    Channel()->Clear();
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {50.0, 5.0}, {100.0, 5.0}}) Channel()->AddXY(x, y);
    Channel()->SetDigitalEnabled(true);
    EXPECT_EQ(ReadoutAt(25), "Low");
    EXPECT_EQ(ReadoutAt(75), "High");
    String x;
    String y;
    Channel()->GetDataCursorTexts(x, y);
    EXPECT_EQ(y, "High");

    Cursor()->SetStyle(kpcsDeltaX);
    Cursor()->SetPointer2Position(Cursor()->Pointer1Position());
    Plot->Repaint();
    EXPECT_EQ(Cursor()->ValueX(), 0);
}

TEST_F(TimeCursorTest, SnappingPutsPointersOnTheNearestPointAndKeysStepByPoints)
{
    for (const Double x : {0.0, 10.0, 20.0, 30.0}) Channel()->AddXY(x, x);
    Cursor()->SetPointer1Position(14);
    Cursor()->DoSnapToDataPoint();
    EXPECT_DOUBLE_EQ(Cursor()->Pointer1Position(), 14);  // snapping is off

    Cursor()->SetSnapToDataPoint(true);
    Cursor()->DoSnapToDataPoint();
    EXPECT_DOUBLE_EQ(Cursor()->Pointer1Position(), 10);
    EXPECT_DOUBLE_EQ(Cursor()->Pointer2Position(), 30);

    const auto key = [this](Word K) {
        Cursor()->kKeyDown(K, {}, nullptr);
        return Cursor()->Pointer1Position();
    };
    EXPECT_DOUBLE_EQ(key(VK_RIGHT), 20);
    EXPECT_EQ(Cursor()->SnapToIndexData(), 2);
    EXPECT_EQ(Cursor()->SnapToIndexChannel(), 0);
    EXPECT_DOUBLE_EQ(key(VK_END), 30);
    EXPECT_DOUBLE_EQ(key(VK_PRIOR), 30);
    EXPECT_DOUBLE_EQ(key(VK_HOME), 0);
    EXPECT_DOUBLE_EQ(key(VK_LEFT), 0);
}

TEST_F(TimeCursorTest, TheMenuSwitchesSnappingOnAndSnapsAtOnce)
{
    for (const Double x : {0.0, 10.0}) Channel()->AddXY(x, x);
    Cursor()->SetPointer1Position(7);
    TPopupMenu* menu = PlotTest::RolesOf(*Plot).PopupMenu.get();
    Cursor()->BuildPopupMenu(menu);
    TMenuItem* options = MenuTest::SubMenu(menu, "Options");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(MenuTest::Captions(options).back(), "Snap to Data-Point");
    options->Items(options->Count() - 1)->Click();
    EXPECT_TRUE(Cursor()->SnapToDataPoint());
    EXPECT_DOUBLE_EQ(Cursor()->Pointer1Position(), 10);
}

TEST_F(TimeCursorTest, AnOffScaleSnapBringsTheScaleToThePoint)
{
    for (const Double x : {0.0, 150.0}) Channel()->AddXY(x, 1);
    Cursor()->SetSnapToDataPoint(true);
    Cursor()->SetPointer1Position(99);
    Cursor()->DoSnapToDataPoint();
    EXPECT_DOUBLE_EQ(X()->Min(), 150 - 100 + 100.0 / 40);
    EXPECT_NEAR(X()->PercentToPosition(Cursor()->Pointer1Position() / 100), 150, 1e-9);
}

TEST_F(TimeCursorTest, GetInterpolatedYValueLeavesCursorAndAxisAsTheyWere)
{
    for (const Double x : {0.0, 100.0}) Channel()->AddXY(x, 30);
    Plot->AddChannel();
    Cursor()->SetStyle(kpcsDeltaX);
    Cursor()->SetChannelName(Plot->GetChannel(1)->Name());
    Cursor()->SetPointer1Position(12);
    Integer minChanges = 0;
    Plot->OnXAxisMinChange = [&](TObject*, Integer, Double, Double) { ++minChanges; };
    for (const bool cached : {false, true}) {
        Cursor()->SetUseCachedInterpolatedData(cached);
        Double y = -1;
        EXPECT_EQ(Cursor()->GetInterpolatedYValue("signal", 60, y), kpdpsValid);
        EXPECT_EQ(y, 30);
        EXPECT_EQ(Cursor()->Style(), kpcsDeltaX);
        EXPECT_EQ(Cursor()->ChannelName(), Plot->GetChannel(1)->Name());
        EXPECT_DOUBLE_EQ(Cursor()->Pointer1Position(), 12);
        EXPECT_TRUE(Cursor()->PointerShown(2));
        EXPECT_EQ(X()->Min(), 0);
        EXPECT_FALSE(X()->BlockMinSpanEvents());
    }
    EXPECT_EQ(minChanges, 0);
    Double y = -1;
    EXPECT_EQ(Cursor()->GetInterpolatedYValue("none", 60, y), kpdpsEmpty);
    EXPECT_EQ(y, 0);
    y = -1;
    EXPECT_EQ(Cursor()->GetInterpolatedYValue("signal", std::nan(""), y), kpdpsEmpty);
    EXPECT_EQ(y, 0);
}

TEST_F(TimeCursorTest, TheRightButtonHitsTheTraceWithinTenPixels)
{
    for (const Double x : {0.0, 100.0}) Channel()->AddXY(x, 50);
    const Integer trace = Y()->PositionToPixels(50);
    auto near = MouseAt(50, 50, mbRight);
    near.YAxisPixels = near.Y = trace + 5;
    EXPECT_TRUE(Channel()->kMouseHitTest(near));
    auto far = near;
    far.YAxisPixels = far.Y = trace + 15;
    EXPECT_FALSE(Channel()->kMouseHitTest(far));
    near.Button = mbLeft;
    EXPECT_FALSE(Channel()->kMouseHitTest(near));
}

TEST_F(TimeCursorTest, BarsAreHitInSelectModeWithoutMarkers)
{
    for (const Double x : {20.0, 60.0}) Channel()->AddXY(x, 80);
    Channel()->SetBarEnabled(true);
    Channel()->SetBarWidth(10);
    Plot->GetToolBar(0)->DoButtonClickSelect();
    Plot->Repaint();
    EXPECT_TRUE(Channel()->kMouseHitTest(MouseAt(62, 40, mbLeft)));
    EXPECT_EQ(Channel()->SelectDataIndex(), 1);
    EXPECT_FALSE(Channel()->kMouseHitTest(MouseAt(40, 40, mbLeft)));
    EXPECT_EQ(Channel()->SelectDataIndex(), -1);
    Channel()->SetBarEnabled(false);
    EXPECT_FALSE(Channel()->kMouseHitTest(MouseAt(62, 40, mbLeft)));
}

}  // namespace
