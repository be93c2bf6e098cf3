// Axis tracking: the first value's alignment, each tracking style on a
// stream of values, span minimum and margins, the increment snap, and the
// fit to the channels bound to the axis.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

#include "tests/plot/kPlotChannelTestDoubles.h"

using namespace ChannelTest;

namespace {

class AxisTracking : public ::testing::Test {
protected:
    TTestPlot Plot;
    TkPlotYAxis* Axis = Plot.Add<TkPlotYAxis>("Y-Axis 1");

    // The first value has lined the scale up already (a Y axis aligns by
    // kpafsNone: the scale stays), unless a test resets the alignment.
    AxisTracking() { Axis->NewTrackingData(0); }

    void Feed(std::initializer_list<Double> Values)
    {
        for (Double v : Values) Axis->NewTrackingData(v);
    }
    void ExpectScale(Double Min, Double Max)
    {
        EXPECT_DOUBLE_EQ(Axis->Min(), Min);
        EXPECT_DOUBLE_EQ(Axis->Max(), Max);
    }
    // A channel bound to the axis, holding Ys at X 0, 1, ... (the axes do
    // not track it).
    TTestChannel* ChannelWith(std::initializer_list<Double> Ys, const String& AxisName = "y-axis 1")
    {
        auto* channel = Plot.Add<TTestChannel>("Channel " + IntToStr(Plot.ChannelCount() + 1));
        channel->SetXAxisTrackingEnabled(false);
        channel->SetYAxisTrackingEnabled(false);
        channel->SetYAxisName(AxisName);
        Double x = 0;
        for (Double y : Ys) channel->AddXY(x++, y);
        return channel;
    }
};

TEST_F(AxisTracking, FirstValueAlignsByAlignFirstStyle)
{
    struct Case {
        TkPlotAlignFirstStyle Style;
        Double Value;
        Double Min;
    };
    for (const Case& c : {Case{kpafsAuto, 50, 0}, Case{kpafsAuto, 150, 150}, Case{kpafsAuto, -5, -5},
                          Case{kpafsMin, 30, 30}, Case{kpafsMax, 30, -70}, Case{kpafsNone, 500, 0}}) {
        Axis->SetMinSpan(0, 100);
        Axis->SetTrackingAlignFirstStyle(c.Style);
        Axis->ResetFirstAlign();
        Feed({c.Value});
        EXPECT_DOUBLE_EQ(Axis->Min(), c.Min) << c.Style << " " << c.Value;
        EXPECT_DOUBLE_EQ(Axis->Span(), 100);
    }
}

TEST_F(AxisTracking, OnlyResetFirstAlignAlignsAgain)
{
    Axis->SetTrackingAlignFirstStyle(kpafsMin);
    Axis->SetTrackingStyle(kptsScaleMax);
    Axis->SetMinSpan(0, 100);
    Feed({30});  // aligned already: the style leaves a value inside alone
    ExpectScale(0, 100);
    Axis->ResetFirstAlign();
    Feed({30, 40});
    ExpectScale(30, 130);
}

TEST_F(AxisTracking, FirstValueGetsNoStyleSpanMinimumOrMargins)
{
    Axis->SetTrackingAlignFirstStyle(kpafsMin);
    Axis->SetTrackingMinMargin(5);
    Axis->SetTrackingSpanMinimum(500);
    Axis->ResetFirstAlign();
    Feed({30});
    ExpectScale(30, 130);
    // The next value gets them: the span minimum centred on the scale.
    Feed({31});
    ExpectScale(-170, 330);
}

TEST_F(AxisTracking, DisabledAxisAndValuesWithoutPlaceAreIgnored)
{
    Axis->SetTrackingAlignFirstStyle(kpafsMin);
    Axis->ResetFirstAlign();
    Axis->SetTrackingEnabled(false);
    Axis->SetMinSpan(0, 100);
    Feed({500, -500});
    ExpectScale(0, 100);

    Axis->SetTrackingEnabled(true);
    Feed({std::nan(""), std::numeric_limits<Double>::infinity(), -std::numeric_limits<Double>::infinity()});
    ExpectScale(0, 100);
    // None of them used up the first alignment.
    Feed({30});
    ExpectScale(30, 130);
    Feed({std::nan(""), std::numeric_limits<Double>::infinity()});
    ExpectScale(30, 130);
}

TEST_F(AxisTracking, ScaleMinMaxWidensUpwardAndMovesDownWhole)
{
    Axis->SetTrackingStyle(kptsScaleMinMax);
    Feed({50});
    ExpectScale(0, 100);
    Feed({120});
    ExpectScale(0, 120);
    // Below the scale the span is kept: the top end comes down to 110 and
    // the earlier 120 leaves the view.
    Feed({-10});
    ExpectScale(-10, 110);
}

TEST_F(AxisTracking, ScaleMaxAndScaleMinMoveOneEndOnly)
{
    Axis->SetTrackingStyle(kptsScaleMax);
    Feed({150, -10});
    ExpectScale(0, 150);

    Axis->SetMinSpan(0, 100);
    Axis->SetTrackingStyle(kptsScaleMin);
    Feed({-10, 150});
    ExpectScale(-10, 100);
}

TEST_F(AxisTracking, ScrollSmoothKeepsTheValueAtTheEnd)
{
    Axis->SetTrackingStyle(kptsScrollSmooth);
    Feed({130});
    ExpectScale(30, 130);
    Feed({10});
    ExpectScale(10, 110);
    Feed({60});
    ExpectScale(10, 110);
}

TEST_F(AxisTracking, ScrollPageMovesByWholeSpans)
{
    Axis->SetTrackingStyle(kptsScrollPage);
    Feed({130});
    ExpectScale(100, 200);
    // One page only, however far the value lies.
    Feed({1000});
    ExpectScale(200, 300);
    Feed({150});
    ExpectScale(100, 200);
}

TEST_F(AxisTracking, ScrollCompressGrowsTheSpanUpToItsMaximum)
{
    Axis->SetTrackingStyle(kptsScrollSmooth);
    Axis->SetTrackingScrollCompressMax(500);
    Feed({130});
    ExpectScale(0, 130);
    Feed({400});
    ExpectScale(0, 400);
    // The span in force (400) is still below the maximum: one step past it.
    Feed({600});
    ExpectScale(0, 600);
    Feed({700});
    ExpectScale(200, 700);
    // A span at the maximum is not above it: the next step overshoots again.
    Feed({710});
    ExpectScale(200, 710);
    Feed({720});
    ExpectScale(220, 720);
}

TEST_F(AxisTracking, ExpandMinMaxWidensEitherEnd)
{
    Axis->SetTrackingStyle(kptsExpandMinMax);
    Feed({150});
    ExpectScale(0, 150);
    Feed({-20});
    ExpectScale(-20, 150);
    Feed({70});
    ExpectScale(-20, 150);
}

TEST_F(AxisTracking, SpanMinimumAndMarginsFollowTheStyle)
{
    Axis->SetTrackingStyle(kptsScaleMinMax);
    Axis->SetTrackingMinMargin(5);
    Feed({2});
    ExpectScale(-3, 97);

    Axis->SetMinSpan(0, 100);
    Axis->SetTrackingMinMargin(0);
    Axis->SetTrackingMaxMargin(5);
    Feed({98});
    ExpectScale(0, 103);

    Axis->SetTrackingMaxMargin(0);
    Axis->SetMinSpan(0, 100);
    Axis->SetTrackingSpanMinimum(200);
    Feed({50});
    ExpectScale(-50, 150);
}

TEST_F(AxisTracking, SnapMovesTheEndsOutToTheIncrement)
{
    Axis->SetTrackingStyle(kptsScaleMinMax);
    Axis->SetTrackingIncrementStyle(kptisMajor);
    // No tick generation yet: no increment, no snap.
    Feed({123});
    ExpectScale(0, 123);

    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(200, 400);
    Axis->SetLayoutRect(Rect(0, 0, 60, 400));
    Axis->SetMinSpan(0.5, 100);
    Axis->CalcTicks(bitmap->Canvas());
    const Double major = Axis->MajorIncrement();
    ASSERT_GT(major, 0);
    Feed({123.4});
    EXPECT_DOUBLE_EQ(Axis->Min(), 0);
    EXPECT_DOUBLE_EQ(Axis->Max(), std::ceil(123.4 / major) * major);

    Axis->SetTrackingIncrementStyle(kptisMinor);
    const Double minor = Axis->MinorIncrement();
    ASSERT_GT(minor, 0);
    Axis->SetMinSpan(-0.3 * minor, 10 * minor);
    Feed({0});
    EXPECT_DOUBLE_EQ(Axis->Min(), -minor);
    EXPECT_DOUBLE_EQ(Axis->Max(), 10 * minor);
}

TEST_F(AxisTracking, ZoomToFitSpansTheVisibleDataOfBoundChannels)
{
    TTestChannel* a = ChannelWith({3, 7});
    a->AddPoint(true, false, 9, 50);  // null: not visible
    ChannelWith({-40}, "Other");
    ChannelWith({5, 8});
    Axis->ZoomToFit();
    ExpectScale(3, 8);

    Axis->SetTrackingSpanMinimum(10);
    Axis->SetTrackingMinMargin(1);
    Axis->SetTrackingMaxMargin(2);
    Axis->ZoomToFit();
    ExpectScale(2, 15);
}

TEST_F(AxisTracking, ZoomToFitLeavesTheScaleWithoutData)
{
    Axis->ZoomToFit();
    ExpectScale(0, 100);
    ChannelWith({4, 4, 4});
    Axis->ZoomToFit();
    Axis->ZoomToFitFast();
    ExpectScale(0, 100);
}

TEST_F(AxisTracking, ZoomToFitFastReadsRunningExtremes)
{
    TTestChannel* channel = ChannelWith({3, 7});
    channel->AddPoint(true, false, 9, 50);  // counted in the running statistics
    Axis->SetTrackingSpanMinimum(1000);     // not applied here
    Axis->ZoomToFitFast();
    ExpectScale(3, 50);
}

TEST_F(AxisTracking, ExpandCollapseStylesFitOnEveryValue)
{
    ChannelWith({3, 7});
    Axis->SetTrackingStyle(kptsExpandCollapse);
    Feed({1000});  // the value itself is not looked at
    ExpectScale(3, 7);

    TTestChannel* channel = ChannelWith({20});
    channel->AddPoint(false, true, 2, -30);  // empty: in the running extremes only
    Axis->SetTrackingStyle(kptsExpandCollapseFast);
    Feed({0});
    ExpectScale(-30, 20);
}

TEST_F(AxisTracking, XAxisFitsToTheChannelsXData)
{
    auto* xAxis = Plot.Add<TkPlotXAxis>("X-Axis 1");
    TTestChannel* channel = ChannelWith({1, 2, 3});
    channel->SetXAxisName("X-AXIS 1");
    xAxis->ZoomToFit();
    EXPECT_DOUBLE_EQ(xAxis->Min(), 0);
    EXPECT_DOUBLE_EQ(xAxis->Max(), 2);
}

}  // namespace
