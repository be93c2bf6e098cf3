// Points by runs against points one by one: the same points, flags,
// statistics and axis scales for every data style, with and without a ring
// buffer that wraps within the run.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "components/plot/component/kXYPlot.h"
#include "support/MessageOf.h"

namespace {

struct TRunCase {
    TkPlotDataStyle Style;
    Integer RingBufferSize;
};

// Two channels on the same axes: rows of points through AddPointRows,
// their twins one point at a time.
class ChannelPointsTest : public ::testing::TestWithParam<TRunCase> {
protected:
    void SetUp() override
    {
        for (TkXYPlot* plot : {ByRows.get(), OneByOne.get()}) {
            plot->AddChannel();
            for (Integer c = 0; c < 2; ++c) {
                plot->GetChannel(c)->SetDataStyle(GetParam().Style);
                plot->GetChannel(c)->SetRingBufferSize(GetParam().RingBufferSize);
            }
        }
    }
    // Row r of column c: X on an even step (as Compact Interval keeps it),
    // Y leaving the scale both ways, a null and an empty now and then.
    static TkPlotNewPoint Point(Integer Row, Integer Column)
    {
        const Double x = 0.25 * Row + 3;
        if ((Row + Column) % 7 == 3) return {x, 0, TkPlotPointKind::Null};
        if ((Row + Column) % 11 == 5) return {x, 0, TkPlotPointKind::Empty};
        return {x, (Row % 5 - 2) * (Row + 1.0) / (Column + 3.0)};
    }
    void ExpectSameChannel(Integer C) const
    {
        const TkPlotChannelCustom& a = *ByRows->GetChannel(C);
        const TkPlotChannelCustom& b = *OneByOne->GetChannel(C);
        ASSERT_EQ(a.Count(), b.Count());
        for (Integer i = 0; i < a.Count(); ++i) {
            EXPECT_EQ(a.GetXValue(i), b.GetXValue(i)) << i;
            EXPECT_EQ(a.GetYValue(i), b.GetYValue(i)) << i;
            EXPECT_EQ(a.GetNull(i), b.GetNull(i)) << i;
            EXPECT_EQ(a.GetEmpty(i), b.GetEmpty(i)) << i;
        }
        EXPECT_EQ(a.RunningXMin(), b.RunningXMin());
        EXPECT_EQ(a.RunningXMax(), b.RunningXMax());
        EXPECT_EQ(a.RunningYMin(), b.RunningYMin());
        EXPECT_EQ(a.RunningYMax(), b.RunningYMax());
        EXPECT_EQ(a.RunningXMean(), b.RunningXMean());
        EXPECT_EQ(a.RunningYMean(), b.RunningYMean());
    }
    static void ExpectSameScale(const TkPlotAxis& A, const TkPlotAxis& B)
    {
        EXPECT_EQ(A.Min(), B.Min());
        EXPECT_EQ(A.Span(), B.Span());
    }

    TOwned<TkXYPlot> ByRows{Create<TkXYPlot>(nullptr)};
    TOwned<TkXYPlot> OneByOne{Create<TkXYPlot>(nullptr)};
};

}  // namespace

TEST_P(ChannelPointsTest, RowsByRunsEqualPointsOneByOne)
{
    // Past one block of rows, a statistics block and the ring.
    constexpr Integer kRows = 5000;
    // Points before the run: the totals of the ones waiting in the store
    // join in the right order.
    for (Integer r = 0; r < 3; ++r) {
        ByRows->GetChannel(r % 2)->AddXY(r - 3.0, 1.5 * r);
        OneByOne->GetChannel(r % 2)->AddXY(r - 3.0, 1.5 * r);
    }
    std::vector<std::vector<TkPlotNewPoint>> columns(2);
    for (Integer r = 0; r < kRows; ++r)
        for (Integer c = 0; c < 2; ++c) {
            const TkPlotNewPoint point = Point(r, c);
            columns[c].push_back(point);
            OneByOne->GetChannel(c)->AddPoint(point.Kind == TkPlotPointKind::Null,
                                              point.Kind == TkPlotPointKind::Empty, point.X, point.Y);
        }
    TkPlotChannelCustom* const channels[] = {ByRows->GetChannel(0), ByRows->GetChannel(1)};
    const std::span<const TkPlotNewPoint> spans[] = {columns[0], columns[1]};
    TkPlotChannelCustom::AddPointRows(channels, spans);
    ExpectSameChannel(0);
    ExpectSameChannel(1);
    ExpectSameScale(*ByRows->GetXAxis(0), *OneByOne->GetXAxis(0));
    ExpectSameScale(*ByRows->GetYAxis(0), *OneByOne->GetYAxis(0));
}

INSTANTIATE_TEST_SUITE_P(EveryDataStyle, ChannelPointsTest,
                         ::testing::Values(TRunCase{kpdsStandard, 0}, TRunCase{kpdsStandard, 1500},
                                           TRunCase{kpdsCompact, 0}, TRunCase{kpdsCompact, 1500},
                                           TRunCase{kpdsCompactInterval, 0}, TRunCase{kpdsCompactInterval, 1500},
                                           TRunCase{kpdsFullFeature, 0}, TRunCase{kpdsFullFeature, 1500}));

// -0 first and +0 later both a run's highest Y: the first one stands, as
// one by one, though the two fall in different lanes of the run's scan.
TEST(ChannelPointsZeroTest, TheFirstOfEqualZeroExtremesStands)
{
    const TOwned<TkXYPlot> byRun{Create<TkXYPlot>(nullptr)};
    const TOwned<TkXYPlot> oneByOne{Create<TkXYPlot>(nullptr)};
    const std::vector<TkPlotNewPoint> points = {{1, -1}, {2, -0.0}, {3, 0.0}, {4, -2}, {5, -3}};
    byRun->GetChannel(0)->AddPoints(points);
    for (const TkPlotNewPoint& point : points) oneByOne->GetChannel(0)->AddXY(point.X, point.Y);
    EXPECT_TRUE(std::signbit(oneByOne->GetChannel(0)->RunningYMax()));
    EXPECT_TRUE(std::signbit(byRun->GetChannel(0)->RunningYMax()));
}

TEST(ChannelPointsRefusedTest, ARunACompactStoreRefusesLeavesEveryChannelAsItWas)
{
    TOwned<TkXYPlot> plot{Create<TkXYPlot>(nullptr)};
    plot->AddChannel();
    plot->GetChannel(1)->SetDataStyle(kpdsCompact);
    // Markers take the rows point by point: the refusal comes first all the same.
    plot->GetChannel(0)->SetMarkersVisible(true);
    const std::vector<TkPlotNewPoint> fine{{1, 2}, {2, 3}};
    const std::vector<TkPlotNewPoint> tooLarge{{1, 2}, {2, 1e300}};
    TkPlotChannelCustom* const channels[] = {plot->GetChannel(0), plot->GetChannel(1)};
    const std::span<const TkPlotNewPoint> spans[] = {fine, tooLarge};
    const Double xMin = plot->GetXAxis(0)->Min();
    EXPECT_NE(MessageOf([&] { TkPlotChannelCustom::AddPointRows(channels, spans); }), "(no exception)");
    EXPECT_EQ(plot->GetChannel(0)->Count(), 0);
    EXPECT_EQ(plot->GetChannel(1)->Count(), 0);
    EXPECT_EQ(plot->GetXAxis(0)->Min(), xMin);
}

// Points whose tracking waits until somebody reads a scale, against the
// same points tracked one by one (a plot whose scale events have a handler
// tracks each point at once): the same scales, statistics and events, read
// at random moments, for every tracking style.
namespace {

struct TWaitCase {
    TkPlotTrackingStyle Style;
    TkPlotAlignFirstStyle AlignFirst;
    Double ScrollCompressMax;
    bool Markers;
    Integer RingBufferSize;
    TkPlotDataStyle DataStyle;
    // The subject plot's scale events have a handler too: its events must
    // be the reference's, point by point.
    bool Handler;
    TkPlotScaleType ScaleType;
    // The values are multiples of this: 0.1 rounds at every step, so that a
    // settle that skips steps shows.
    Double Unit = 1;
    // The subject's handler comes half-way, while points wait: from then
    // on its events must be the reference's.
    bool LateHandler = false;
};

class ChannelWaitingPointsTest : public ::testing::TestWithParam<TWaitCase> {
protected:
    void SetUp() override
    {
        for (TkXYPlot* plot : {Waiting.get(), Tracked.get()}) {
            plot->AddChannel();
            for (TkPlotAxis* axis : {static_cast<TkPlotAxis*>(plot->GetXAxis(0)),
                                     static_cast<TkPlotAxis*>(plot->GetYAxis(0))}) {
                axis->SetScaleType(GetParam().ScaleType);
                axis->SetTrackingStyle(GetParam().Style);
                axis->SetTrackingAlignFirstStyle(GetParam().AlignFirst);
                axis->SetTrackingScrollCompressMax(GetParam().ScrollCompressMax);
            }
            for (Integer c = 0; c < 2; ++c) {
                TkPlotChannelCustom* channel = plot->GetChannel(c);
                channel->SetDataStyle(GetParam().DataStyle);
                channel->SetRingBufferSize(GetParam().RingBufferSize);
                channel->SetMarkersVisible(GetParam().Markers);
            }
        }
        ListenTo(*Tracked, TrackedEvents);
        if (GetParam().Handler) ListenTo(*Waiting, WaitingEvents);
        Listening = GetParam().Handler;
    }
    static void ListenTo(TkXYPlot& Plot, std::vector<Double>& Log)
    {
        Plot.OnXAxisMinSpanChange = [&Log](TObject*, Integer, Double OldMin, Double OldSpan, Double NewMin,
                                           Double NewSpan) { Log.insert(Log.end(), {OldMin, OldSpan, NewMin, NewSpan}); };
        Plot.OnYAxisMinChange = [&Log](TObject*, Integer, Double Old, Double New) { Log.insert(Log.end(), {Old, New}); };
    }
    void ExpectSameState(const char* When) const
    {
        SCOPED_TRACE(When);
        for (bool x : {true, false}) {
            const TkPlotAxis& a = x ? *static_cast<TkPlotAxis*>(Waiting->GetXAxis(0)) : *Waiting->GetYAxis(0);
            const TkPlotAxis& b = x ? *static_cast<TkPlotAxis*>(Tracked->GetXAxis(0)) : *Tracked->GetYAxis(0);
            EXPECT_EQ(a.Min(), b.Min()) << (x ? "X" : "Y");
            EXPECT_EQ(a.Span(), b.Span()) << (x ? "X" : "Y");
        }
        for (Integer c = 0; c < 2; ++c) {
            TkXYPlotChannel& a = *Waiting->GetChannel(c);
            TkXYPlotChannel& b = *Tracked->GetChannel(c);
            EXPECT_EQ(a.Count(), b.Count());
            EXPECT_EQ(a.RunningXMin(), b.RunningXMin());
            EXPECT_EQ(a.RunningYMax(), b.RunningYMax());
            EXPECT_EQ(a.RunningYMean(), b.RunningYMean());
            EXPECT_EQ(a.GetDataXMax(), b.GetDataXMax());
            EXPECT_EQ(a.GetYMinVisible(), b.GetYMinVisible());
        }
        if (Listening) {
            EXPECT_EQ(WaitingEvents, TrackedEvents);
        }
    }

    TOwned<TkXYPlot> Waiting{Create<TkXYPlot>(nullptr)};
    TOwned<TkXYPlot> Tracked{Create<TkXYPlot>(nullptr)};
    std::vector<Double> WaitingEvents;
    std::vector<Double> TrackedEvents;
    bool Listening = false;
};

}  // namespace

TEST_P(ChannelWaitingPointsTest, SettledStateEqualsPointsTrackedOneByOne)
{
    std::mt19937 random(34);
    const auto chance = [&random](Integer OneIn) { return random() % OneIn == 0; };
    Double x = 1;
    Double y = 1;
    Integer channel = 0;
    // Runs of one channel's points, now and then the other's, on shared
    // axes; X mostly rises, Y wanders and leaves the scale both ways.
    for (Integer step = 0; step < 12000; ++step) {
        if (step == 6000 && GetParam().LateHandler) {
            TrackedEvents.clear();
            ListenTo(*Waiting, WaitingEvents);
            Listening = true;
        }
        if (chance(300)) channel = 1 - channel;
        x += chance(50) ? -3.5 : 0.25 * (random() % 4);
        y = chance(200) ? (random() % 2 ? 1e3 : -1e3) : std::abs(y + (Integer(random() % 21) - 10) * 0.125) + 0.5;
        const bool null = chance(40);
        const bool empty = !null && chance(40);
        // Now and then one X lies below all the others.
        const Double xPoint = (chance(300) ? -x : x) * GetParam().Unit;
        const Double yPoint = y * GetParam().Unit;
        Waiting->GetChannel(channel)->AddPoint(null, empty, xPoint, yPoint);
        Tracked->GetChannel(channel)->AddPoint(null, empty, xPoint, yPoint);
        if (chance(700)) ExpectSameState("between points");
    }
    ExpectSameState("at the end");
}

INSTANTIATE_TEST_SUITE_P(
    EveryTrackingStyle, ChannelWaitingPointsTest,
    ::testing::Values(TWaitCase{kptsScaleMinMax, kpafsNone, 0, false, 0, kpdsStandard, false, kpstLinear},
                      TWaitCase{kptsScaleMax, kpafsMin, 0, false, 0, kpdsStandard, false, kpstLinear},
                      TWaitCase{kptsScaleMin, kpafsMax, 0, false, 0, kpdsStandard, false, kpstLinear},
                      TWaitCase{kptsScrollSmooth, kpafsAuto, 0, false, 0, kpdsStandard, false, kpstLinear},
                      TWaitCase{kptsScrollSmooth, kpafsAuto, 40, false, 1000, kpdsStandard, false, kpstLinear},
                      TWaitCase{kptsScrollPage, kpafsMin, 0, false, 0, kpdsFullFeature, false, kpstLinear},
                      TWaitCase{kptsExpandMinMax, kpafsNone, 0, false, 0, kpdsStandard, false, kpstLog10},
                      TWaitCase{kptsExpandCollapse, kpafsNone, 0, false, 0, kpdsStandard, false, kpstLinear},
                      TWaitCase{kptsExpandCollapseFast, kpafsNone, 0, false, 0, kpdsStandard, false, kpstLinear},
                      TWaitCase{kptsScaleMinMax, kpafsNone, 0, true, 0, kpdsStandard, false, kpstLinear},
                      TWaitCase{kptsScaleMinMax, kpafsAuto, 0, false, 700, kpdsStandard, false, kpstLinear},
                      TWaitCase{kptsScaleMinMax, kpafsNone, 0, false, 0, kpdsCompact, false, kpstLinear},
                      TWaitCase{kptsScrollSmooth, kpafsAuto, 0, false, 0, kpdsStandard, true, kpstLinear},
                      TWaitCase{kptsExpandMinMax, kpafsMin, 0, false, 0, kpdsStandard, true, kpstLinear},
                      TWaitCase{kptsScaleMinMax, kpafsMin, 0, false, 0, kpdsStandard, false, kpstLinear, 0.1},
                      TWaitCase{kptsScrollSmooth, kpafsAuto, 0, false, 0, kpdsStandard, false, kpstLinear, 0.1},
                      TWaitCase{kptsScaleMinMax, kpafsNone, 0, false, 0, kpdsStandard, false, kpstLinear, 1, true}));
