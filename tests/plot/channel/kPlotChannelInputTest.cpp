// A channel's data points under the mouse: picking in select mode, the
// point hint, clicking and dragging, and the selection rules; then a point
// dragged on a real plot.

#include <gtest/gtest.h>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "support/PlotOnForm.h"
#include "support/PlotRoles.h"
#include "tests/plot/kPlotChannelTestDoubles.h"

namespace {

using ChannelTest::TTestChannel;
using ChannelTest::TTestPlot;

// X 0..100 along pixels 50..250, Y 0..100 up pixels 200..20; points at
// (10, 10), (50, 50) and (90, 90) with 10-pixel markers, in select mode.
class ChannelInputTest : public ::testing::Test {
protected:
    TTestPlot Plot;
    TkPlotXAxis* X = Plot.PutAxis("X-Axis 1", Rect(50, 200, 250, 230), 0, 100);
    TkPlotYAxis* Y = Plot.PutAxis<TkPlotYAxis>("Y-Axis 1", Rect(20, 20, 50, 200), 0, 100);
    TTestChannel* Channel = Plot.Add<TTestChannel>("Channel 1");
    TOwned<TBitmap> Bitmap = CreateOwned<TBitmap>();

    void SetUp() override
    {
        X->SetTrackingEnabled(false);
        Y->SetTrackingEnabled(false);
        Bitmap->SetSize(300, 260);
        X->CalcTicks(Bitmap->Canvas());
        Y->CalcTicks(Bitmap->Canvas());
        Plot.HasDataView = true;
        Plot.DataView = Rect(50, 20, 250, 200);
        Plot.SelectMode = true;
        Channel->SetXAxisName("X-Axis 1");
        Channel->SetYAxisName("Y-Axis 1");
        Channel->SetMarkersVisible(true);
        Channel->SetMarkersSize(10);
        for (const Double v : {10.0, 50.0, 90.0}) Channel->AddXY(v, v);
        Plot.Log.clear();
    }
    TPoint PointAt(Double VX, Double VY) const { return Point(X->PositionToPixels(VX), Y->PositionToPixels(VY)); }
    bool Hit(TPoint P) { return Channel->HitTest(P.X, P.Y); }
    TkPlotHintData HintAt(TPoint P)
    {
        TkPlotHintData hint;
        Hit(P);
        Channel->kMouseMove(hint, {}, P.X, P.Y, false);
        return hint;
    }
    void Press(TPoint P)
    {
        Hit(P);
        Channel->kMouseDown(mbLeft, {}, P.X, P.Y);
    }
    void MoveTo(TPoint P)
    {
        TkPlotHintData hint;
        Channel->kMouseMove(hint, {}, P.X, P.Y, false);
    }
    void Release(TPoint P) { Channel->kMouseUp(mbLeft, {}, P.X, P.Y, 0, 0, false, nullptr); }
};

TEST_F(ChannelInputTest, PointsAreHitOnlyInSelectModeWithTheirMarkersShowing)
{
    const TPoint middle = PointAt(50, 50);
    EXPECT_TRUE(Hit(Point(middle.X + 4, middle.Y - 4)));
    EXPECT_EQ(Channel->SelectDataIndex(), 1);
    EXPECT_FALSE(Hit(Point(middle.X + 20, middle.Y)));
    EXPECT_EQ(Channel->SelectDataIndex(), -1);

    Plot.SelectMode = false;
    EXPECT_FALSE(Hit(middle));
    Plot.SelectMode = true;
    Channel->SetMarkersVisible(false);
    EXPECT_FALSE(Hit(middle));
    Channel->SetMarkersVisible(true);
    Channel->SetMarkersTurnOffLimit(1);
    EXPECT_FALSE(Hit(middle)) << "markers past the turn-off limit are not drawn";
}

// Picking keeps the points' pixels between moves: each change of the data,
// the scale or the markers must show at once.
TEST_F(ChannelInputTest, PickingFollowsEveryChangeOfPointsScaleAndMarkers)
{
    EXPECT_TRUE(Hit(PointAt(50, 50)));
    Channel->SetYValue(1, 30);
    EXPECT_FALSE(Hit(PointAt(50, 50)));
    EXPECT_TRUE(Hit(PointAt(50, 30)));
    EXPECT_EQ(Channel->SelectDataIndex(), 1);

    Channel->AddXY(70, 70);
    EXPECT_TRUE(Hit(PointAt(70, 70)));
    EXPECT_EQ(Channel->SelectDataIndex(), 3);
    Channel->SetNull(3, true);
    EXPECT_FALSE(Hit(PointAt(70, 70)));

    const TPoint before = PointAt(10, 10);
    X->SetMinSpan(0, 50);
    EXPECT_FALSE(Hit(before));
    EXPECT_TRUE(Hit(PointAt(10, 10)));

    Channel->SetMarkersSize(40);
    const TPoint p = PointAt(10, 10);
    EXPECT_TRUE(Hit(Point(p.X + 15, p.Y)));
    Channel->SetMarkersSize(4);
    EXPECT_FALSE(Hit(Point(p.X + 15, p.Y)));

    Channel->Clear();
    EXPECT_FALSE(Hit(p));
    Channel->AddXY(10, 10);
    EXPECT_TRUE(Hit(p));
    EXPECT_EQ(Channel->SelectDataIndex(), 0);
}

// Overlapping markers: the first point in drawn order wins, however far
// apart the points are stored.
TEST_F(ChannelInputTest, OfOverlappingMarkersTheFirstDrawnIsPicked)
{
    Channel->SetMarkersSize(30);
    Channel->AddXY(52, 50);
    Channel->AddXY(48, 50);
    EXPECT_TRUE(Hit(PointAt(50, 50)));
    EXPECT_EQ(Channel->SelectDataIndex(), 1);
    Channel->SetMarkersAllowIndividual(true);
    EXPECT_TRUE(Hit(PointAt(50, 50)));
    EXPECT_EQ(Channel->SelectDataIndex(), 1);
}

TEST_F(ChannelInputTest, ThePointHintShowsItsValuesBesideThePointInsideTheView)
{
    Channel->SetShowDataPointHints(true);
    Plot.OnPointHint = [](String& Text) { Text = "[" + Text + "]"; };
    const TkPlotHintData above = HintAt(PointAt(50, 50));
    EXPECT_EQ(above.Text, "[50, 50]");
    const Integer w = 8 * 7 + 4;
    const Integer h = 12 + 4;
    EXPECT_EQ(above.Width, w);
    EXPECT_EQ(above.Left, PointAt(50, 50).X - w / 2);
    EXPECT_EQ(above.Top, PointAt(50, 50).Y - (5 + h + 4));

    // Near the top-right corner: below, then moved left of the point.
    const TPoint high = PointAt(90, 90);
    const TkPlotHintData corner = HintAt(high);
    EXPECT_EQ(corner.Left, high.X - 5 - 4 - w);
    EXPECT_EQ(corner.Top, high.Y - h / 2);
    // Near the left edge: right of the point, kept inside the bottom.
    const TPoint low = PointAt(10, 10);
    const TkPlotHintData left = HintAt(low);
    EXPECT_EQ(left.Left, low.X + 5 + 8);
    EXPECT_EQ(left.Top, std::min(low.Y - h / 2, 200 - h));

    Channel->SetShowDataPointHints(false);
    EXPECT_TRUE(HintAt(PointAt(50, 50)).Text.empty());
}

TEST_F(ChannelInputTest, APointDraggedEndsAtTheValueUnderTheReleaseAndReportsItsMove)
{
    Channel->SetUserCanMoveDataPoints(true);
    Press(PointAt(50, 50));
    MoveTo(PointAt(60, 40));
    MoveTo(PointAt(70, 30));
    Release(PointAt(70, 30));
    EXPECT_DOUBLE_EQ(Channel->GetXValue(1), X->PixelsToPosition(PointAt(70, 30).X));
    EXPECT_DOUBLE_EQ(Channel->GetYValue(1), Y->PixelsToPosition(PointAt(70, 30).Y));
    ASSERT_GE(Plot.Log.size(), 2u);
    EXPECT_EQ(Plot.Log.front(), "point down 0:1");
    EXPECT_EQ(Plot.Log.back(), "point moved 0:1 50,50>" + FloatToStr(Channel->GetXValue(1)) + "," +
                                   FloatToStr(Channel->GetYValue(1)));

    // Pressed and released in place: a click, no move.
    Plot.Log.clear();
    Press(PointAt(90, 90));
    Release(PointAt(90, 90));
    EXPECT_EQ(Plot.Log, (std::vector<String>{"point down 0:2", "point up 0:2", "point click 0:2"}));
}

TEST_F(ChannelInputTest, TheMoveStyleKeepsTheOtherValueAndAnIntervalStoreKeepsItsX)
{
    Channel->SetUserCanMoveDataPoints(true);
    Channel->SetUserCanMoveDataPointsStyle(kpcdpmsYOnly);
    Press(PointAt(50, 50));
    MoveTo(PointAt(70, 30));
    Release(PointAt(70, 30));
    EXPECT_EQ(Channel->GetXValue(1), 50);
    EXPECT_NE(Channel->GetYValue(1), 50);

    // Evenly spaced X values: a drag in both directions moves only Y, and
    // never raises.
    Channel->SetDataStyle(kpdsCompactInterval);
    for (const Double v : {10.0, 50.0, 90.0}) Channel->AddXY(v, v);
    Channel->SetUserCanMoveDataPointsStyle(kpcdpmsXandY);
    const Double x = Channel->GetXValue(1);
    const TPoint p = PointAt(x, 50);
    Press(p);
    EXPECT_NO_THROW(MoveTo(Point(p.X + 10, p.Y - 10)));
    Release(Point(p.X + 10, p.Y - 10));
    EXPECT_EQ(Channel->GetXValue(1), x);
    EXPECT_GT(Channel->GetYValue(1), 50);
}

TEST_F(ChannelInputTest, ADragWhoseDataWentAwayEndsSilently)
{
    Channel->SetUserCanMoveDataPoints(true);
    Press(PointAt(90, 90));
    Channel->Clear();
    Channel->AddXY(5, 5);
    EXPECT_NO_THROW(MoveTo(PointAt(20, 20)));
    Release(PointAt(20, 20));
    EXPECT_EQ(Channel->GetXValue(0), 5);
    const auto moved = [](const String& Entry) { return Entry.starts_with("point moved"); };
    EXPECT_EQ(std::count_if(Plot.Log.begin(), Plot.Log.end(), moved), 0);
}

TEST_F(ChannelInputTest, OnlyAnotherObjectsSelectionOtherThanItsLegendOrCursorDeselectsIt)
{
    TkPlotDataCursor* cursor = Plot.Add<TkPlotDataCursor>("Cursor 1");
    Channel->SetUserSelected(true);
    cursor->SetChannelName("channel 1");
    cursor->SetUserSelected(true);
    Channel->NotificationSetFocus(cursor);
    EXPECT_TRUE(Channel->UserSelected());
    X->SetUserSelected(true);
    Channel->NotificationSetFocus(X);
    EXPECT_FALSE(Channel->UserSelected());
    EXPECT_EQ(Channel->GetMouseCursor(Point(0, 0)), crHandPoint);
}

// ===========================================================================
// On a plot, under the mouse
// ===========================================================================

// One point at (50, 50) on axes 0..100, in select mode.
class PlotPointDragTest : public PlotTest::PlotOnForm {
protected:
    void SetUp() override
    {
        PlotOnForm::SetUp();
        X()->SetTrackingEnabled(false);
        Y()->SetTrackingEnabled(false);
        X()->SetMinSpan(0, 100);
        Y()->SetMinSpan(0, 100);
        Channel()->AddXY(50, 50);
        Channel()->SetMarkersVisible(true);
        Plot->GetToolBar(0)->SetShowSelectButton(true);
        Plot->Repaint();
        Plot->SetToolBarSelectMode(true);
        ASSERT_TRUE(Plot->IsToolBarSelectMode());
    }
    TkPlotChannelCustom* Channel() const { return Plot->GetChannel(0); }
};

TEST_F(PlotPointDragTest, APointsHintShowsAfterThePause)
{
    Channel()->SetShowDataPointHints(true);
    Move(Point(X()->PositionToPixels(50) + 1, Y()->PositionToPixels(50)));
    Wait(Plot->HintsPause() - 1);
    EXPECT_FALSE(PlotTest::RolesOf(*Plot).Hint.Showing());
    Wait(1);
    ASSERT_TRUE(PlotTest::RolesOf(*Plot).Hint.Showing());
    EXPECT_EQ(Plot->Hint().Text, X()->GetLabelText(50) + ", " + Y()->GetLabelText(50));
}

TEST_F(PlotPointDragTest, APointDraggedWithTheMouseEndsAtTheValueUnderTheRelease)
{
    TkPlotChannelCustom* channel = Channel();
    channel->SetUserCanMoveDataPoints(true);

    std::vector<String> heard;
    Plot->OnDataPointMoved = [&](TObject*, Integer C, Integer I, Double, Double, Double, Double) {
        heard.push_back(IntToStr(C) + ":" + IntToStr(I));
    };
    const TPoint from = Point(X()->PositionToPixels(50), Y()->PositionToPixels(50));
    const TPoint to = Point(from.X + 40, from.Y + 30);
    Drag(from, to);
    // Within the pixel the point was grabbed off its centre by.
    const auto pixel = [](TkPlotAxis* Axis, Integer P) {
        return std::abs(Axis->PixelsToPosition(P + 1) - Axis->PixelsToPosition(P));
    };
    EXPECT_NEAR(channel->GetXValue(0), X()->PixelsToPosition(to.X), pixel(X(), to.X));
    EXPECT_NEAR(channel->GetYValue(0), Y()->PixelsToPosition(to.Y), pixel(Y(), to.Y));
    EXPECT_EQ(heard, (std::vector<String>{"0:0"}));
}

}  // namespace
