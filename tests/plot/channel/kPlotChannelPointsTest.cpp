// Points by runs against points one by one: the same points, flags,
// statistics and axis scales for every data style, with and without a ring
// buffer that wraps within the run.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kPlot.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/Testing.h"
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
// tracks each point at once): the same scales, statistics, events and
// paints, read at random moments.
namespace {

// The same bits, or both NaN (a NaN point makes a mean NaN).
bool SameValue(Double A, Double B) { return std::memcmp(&A, &B, sizeof A) == 0 || (std::isnan(A) && std::isnan(B)); }

// What a check reads of a scale first: every read settles the points that
// wait before it looks at the scale.
enum class TScaleRead { Min, Span, Max, Center };

Double Read(const TkPlotAxis& Axis, TScaleRead What)
{
    switch (What) {
        case TScaleRead::Min: return Axis.Min();
        case TScaleRead::Span: return Axis.Span();
        case TScaleRead::Max: return Axis.Max();
        case TScaleRead::Center: return Axis.Center();
    }
    return 0;
}

// Two plots of one kind, each with two channels on shared axes, fed the
// same points: Waiting lets them wait, Tracked tracks each at once.
class WaitingPointsFixture : public ::testing::Test {
protected:
    explicit WaitingPointsFixture(bool TimePlot) : Waiting(MakePlot(TimePlot)), Tracked(MakePlot(TimePlot))
    {
        for (TkPlotComponent* plot : Plots()) plot->AddChannel();
        ListenTo(*Tracked, TrackedEvents);
    }
    static TOwned<TkPlotComponent> MakePlot(bool TimePlot)
    {
        if (TimePlot) return TOwned<TkPlotComponent>(Create<TkPlot>(nullptr));
        return TOwned<TkPlotComponent>(Create<TkXYPlot>(nullptr));
    }
    std::array<TkPlotComponent*, 2> Plots() const { return {Waiting.get(), Tracked.get()}; }
    static void ListenTo(TkPlotComponent& Plot, std::vector<Double>& Log)
    {
        Plot.OnXAxisMinSpanChange = [&Log](TObject*, Integer, Double OldMin, Double OldSpan, Double NewMin,
                                           Double NewSpan) { Log.insert(Log.end(), {OldMin, OldSpan, NewMin, NewSpan}); };
        Plot.OnYAxisMinChange = [&Log](TObject*, Integer, Double Old, Double New) { Log.insert(Log.end(), {Old, New}); };
    }
    bool Chance(Integer OneIn) { return Random() % OneIn == 0; }
    // The next point of a walk in both plots: runs of one channel's points,
    // now and then the other's; X mostly rises, Y wanders and leaves the
    // scale both ways, Unit the step of both.
    void AddWalkPoint(Double Unit = 1)
    {
        if (Chance(300)) Channel = 1 - Channel;
        X += Chance(50) ? -3.5 : 0.25 * (Random() % 4);
        Y = Chance(200) ? (Random() % 2 ? 1e3 : -1e3) : std::abs(Y + (Integer(Random() % 21) - 10) * 0.125) + 0.5;
        const bool null = Chance(40);
        const bool empty = !null && Chance(40);
        // Now and then one X lies below all the others, or an X or a Y is
        // a value no scale takes.
        Double xPoint = (Chance(300) ? -X : X) * Unit;
        Double yPoint = Y * Unit;
        if (Chance(150)) {
            const Double inf = std::numeric_limits<Double>::infinity();
            const Double odd[] = {std::nan(""), inf, -inf};
            (Chance(2) ? xPoint : yPoint) = odd[Random() % 3];
        }
        for (TkPlotComponent* plot : Plots()) plot->GetChannel(Channel)->AddPoint(null, empty, xPoint, yPoint);
    }
    // The scales of the two plots' axes, their channels' points and events;
    // a random read of a random scale comes first.
    void ExpectSameState(const char* When)
    {
        SCOPED_TRACE(When);
        const bool xFirst = Chance(2);
        const Integer index = Integer(Random() % Waiting->AxisCount(xFirst));
        const auto first = TScaleRead(Random() % 4);
        EXPECT_EQ(Read(*Waiting->GetAxis(xFirst, index), first), Read(*Tracked->GetAxis(xFirst, index), first))
            << (xFirst ? "X" : "Y") << index << " read first: " << Integer(first);
        for (const bool x : {true, false}) {
            ASSERT_EQ(Waiting->AxisCount(x), Tracked->AxisCount(x));
            for (Integer i = 0; i < Waiting->AxisCount(x); ++i) {
                EXPECT_EQ(Waiting->GetAxis(x, i)->Min(), Tracked->GetAxis(x, i)->Min()) << (x ? "X" : "Y") << i;
                EXPECT_EQ(Waiting->GetAxis(x, i)->Span(), Tracked->GetAxis(x, i)->Span()) << (x ? "X" : "Y") << i;
            }
        }
        for (Integer c = 0; c < 2; ++c) {
            TkPlotChannelCustom& a = *Waiting->GetChannel(c);
            TkPlotChannelCustom& b = *Tracked->GetChannel(c);
            EXPECT_EQ(a.Count(), b.Count());
            EXPECT_PRED2(SameValue, a.RunningXMin(), b.RunningXMin());
            EXPECT_PRED2(SameValue, a.RunningYMax(), b.RunningYMax());
            EXPECT_PRED2(SameValue, a.RunningYMean(), b.RunningYMean());
            EXPECT_PRED2(SameValue, a.GetDataXMax(), b.GetDataXMax());
            EXPECT_PRED2(SameValue, a.GetYMinVisible(), b.GetYMinVisible());
        }
        if (Listening) {
            EXPECT_EQ(WaitingEvents, TrackedEvents);
        }
    }

    TOwned<TkPlotComponent> Waiting;
    TOwned<TkPlotComponent> Tracked;
    std::vector<Double> WaitingEvents;
    std::vector<Double> TrackedEvents;
    bool Listening = false;
    std::mt19937 Random{34};
    Double X = 1;
    Double Y = 1;
    Integer Channel = 0;
};

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

// XY plots with the row's tracking on both axes.
class ChannelWaitingPointsTest : public WaitingPointsFixture, public ::testing::WithParamInterface<TWaitCase> {
protected:
    ChannelWaitingPointsTest() : WaitingPointsFixture(false) {}
    void SetUp() override
    {
        for (TkPlotComponent* plot : Plots()) {
            Configure(*plot->GetXAxis(0));
            Configure(*plot->GetYAxis(0));
            for (Integer c = 0; c < 2; ++c) {
                TkPlotChannelCustom* channel = plot->GetChannel(c);
                channel->SetDataStyle(GetParam().DataStyle);
                channel->SetRingBufferSize(GetParam().RingBufferSize);
                channel->SetMarkersVisible(GetParam().Markers);
            }
        }
        if (GetParam().Handler) ListenTo(*Waiting, WaitingEvents);
        Listening = GetParam().Handler;
    }
    void Configure(TkPlotAxis& Axis) const
    {
        Axis.SetScaleType(GetParam().ScaleType);
        Axis.SetTrackingStyle(GetParam().Style);
        Axis.SetTrackingAlignFirstStyle(GetParam().AlignFirst);
        Axis.SetTrackingScrollCompressMax(GetParam().ScrollCompressMax);
    }
    // Another axis of the row's settings comes under the channels' axis
    // name of one direction: the axis goes and a new one takes its name
    // (Way 0), or a second of that name follows it when it goes (1), or
    // (2, in three calls) it goes and the channels name nothing, a new one
    // is renamed to the name, and an older one renamed to it comes first.
    void RebindAxis(bool XDirection, Integer Way)
    {
        Integer& phase = RenamePhase[XDirection];
        if (phase != 0) Way = 2;
        for (TkPlotComponent* plot : Plots()) {
            const auto add = [&] {
                TkPlotAxis* axis = XDirection ? static_cast<TkPlotAxis*>(plot->GetXAxis(plot->AddXAxis()))
                                              : plot->GetYAxis(plot->AddYAxis());
                Configure(*axis);
                return axis;
            };
            const auto drop = [&](Integer Index) { XDirection ? plot->DeleteXAxis(Index) : plot->DeleteYAxis(Index); };
            TkPlotChannelCustom& channel = *plot->GetChannel(0);
            const String name = XDirection ? channel.XAxisName() : channel.YAxisName();
            TkPlotAxis* named = nullptr;
            switch (Way == 2 ? Way + phase : Way) {
                case 0:
                    drop(0);
                    named = add();
                    break;
                case 1:
                    named = add();
                    named->SetName(name);
                    drop(0);
                    break;
                case 2:
                    add()->SetName("Spare");
                    drop(0);
                    break;
                case 3:
                    named = add();
                    named->SetName(name);
                    break;
                default:
                    named = plot->GetAxis(XDirection, 0);
                    named->SetName(name);
                    drop(1);
                    break;
            }
            const TkPlotAxis* bound = XDirection ? static_cast<TkPlotAxis*>(channel.XAxis()) : channel.YAxis();
            EXPECT_EQ(bound, named);
        }
        if (Way == 2) phase = (phase + 1) % 3;
    }

    Integer RenamePhase[2] = {0, 0};
};

}  // namespace

TEST_P(ChannelWaitingPointsTest, SettledStateEqualsPointsTrackedOneByOne)
{
    for (Integer step = 0; step < 12000; ++step) {
        if (step == 6000 && GetParam().LateHandler) {
            TrackedEvents.clear();
            ListenTo(*Waiting, WaitingEvents);
            Listening = true;
        }
        AddWalkPoint(GetParam().Unit);
        if (Chance(700)) ExpectSameState("between points");
    }
    ExpectSameState("at the end");
}

// Points that wait while an axis comes under the channels' axis name are
// tracked on it as the next points are.
TEST_P(ChannelWaitingPointsTest, AnAxisThatComesUnderTheChannelsAxisNameTracksTheirPoints)
{
    for (Integer step = 0; step < 12000; ++step) {
        AddWalkPoint(GetParam().Unit);
        if (Chance(400)) RebindAxis(Chance(2), Integer(Random() % 3));
        if (Chance(700)) ExpectSameState("between points");
    }
    for (const bool x : {true, false})
        while (RenamePhase[x] != 0) RebindAxis(x, 2);
    AddWalkPoint(GetParam().Unit);
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

// Paints of the two plots as the screen asks for them: the same pixels and
// tick labels, and a repaint asked for by the same points, whether every
// report asks for one at once, the plots are paced (the clock running
// through several frame periods meanwhile), or the points come within
// update brackets and between them; the user sets a scale now and then.
namespace {

enum class TPacing { AtOnce, Paced, Bracketed, PacedAndBracketed };

struct TPaintCase {
    bool TimePlot;
    // Takes away what the plot needs to draw anything; nullptr for none.
    void (*Strip)(TkPlotComponent& Plot);
    TPacing Pacing = TPacing::AtOnce;
};

class WaitingPointsPaintTest : public WaitingPointsFixture, public ::testing::WithParamInterface<TPaintCase> {
protected:
    WaitingPointsPaintTest() : WaitingPointsFixture(GetParam().TimePlot) {}
    void SetUp() override
    {
        for (TkPlotComponent* plot : AllPlots()) {
            plot->SetBounds(0, 0, 320, 240);
            plot->SetUpdateFrameRate(60);
            plot->SetAutoFrameRate(Paced());
            if (GetParam().Strip) GetParam().Strip(*plot);
            if (Bracketed()) plot->BeginUpdate();
        }
    }
    std::array<TkPlotComponent*, 3> AllPlots() const { return {Waiting.get(), Tracked.get(), Reported.get()}; }
    bool Paced() const { return GetParam().Pacing == TPacing::Paced || GetParam().Pacing == TPacing::PacedAndBracketed; }
    bool Bracketed() const
    {
        return GetParam().Pacing == TPacing::Bracketed || GetParam().Pacing == TPacing::PacedAndBracketed;
    }
    void AddXY(Double X, Double Y)
    {
        for (TkPlotComponent* plot : Plots()) plot->GetChannel(0)->AddXY(X, Y);
        ReportPoint();
        ExpectSameRepaint();
    }
    // The reference plot is told of the new point, as of every change that
    // comes before the repaint it asked for.
    void ReportPoint()
    {
        if (!Reported->RepaintQueued()) Reported->InvalidateChange();
    }
    // Both plots ask for the repaint, or mark it, as the reference plot
    // does, at the same time.
    void ExpectSameRepaint()
    {
        for (TkPlotComponent* plot : Plots()) {
            EXPECT_EQ(plot->RepaintPending(), Reported->RepaintPending());
            EXPECT_EQ(plot->RepaintQueued(), Reported->RepaintQueued());
            EXPECT_EQ(plot->GetNeedsRepaint(), Reported->GetNeedsRepaint());
            EXPECT_EQ(plot->GetLastUpdate(), Reported->GetLastUpdate());
        }
    }
    // A paint cycle clears the pending repaint, as the screen's does.
    void PaintBoth(const char* When)
    {
        SCOPED_TRACE(When);
        for (TkPlotComponent* plot : AllPlots()) plot->PaintCycle(plot->ClientRect());
        for (const bool x : {true, false})
            EXPECT_EQ(TickTexts(*Waiting->GetAxis(x, 0)), TickTexts(*Tracked->GetAxis(x, 0))) << (x ? "X" : "Y");
        Integer differing = 0;
        for (Integer y = 0; y < Waiting->Height(); ++y)
            for (Integer x = 0; x < Waiting->Width(); ++x)
                differing += Waiting->Canvas()->Pixels(x, y) != Tracked->Canvas()->Pixels(x, y);
        EXPECT_EQ(differing, 0);
    }
    // The labels on the scale with their pixels.
    static std::vector<String> TickTexts(const TkPlotAxis& Axis)
    {
        std::vector<String> texts;
        for (Integer i = 0; i < Axis.TickListCount(); ++i)
            if (const TkPlotTickObject* tick = Axis.GetTick(i); tick->Show)
                texts.push_back(tick->Text + "@" + IntToStr(tick->PositionPixels));
        return texts;
    }

    // Takes no points: it is told of each new point as a change, which is
    // what a point's report comes to.
    TOwned<TkPlotComponent> Reported{MakePlot(GetParam().TimePlot)};
};

}  // namespace

TEST_P(WaitingPointsPaintTest, EveryPaintShowsThePointsTrackedOneByOne)
{
    // A scale that widens while a paint keeps its layout.
    AddXY(0, 0);
    AddXY(10, 10);
    PaintBoth("first paint");
    AddXY(5, 5);
    AddXY(20, 1000);
    PaintBoth("widened");
    for (Integer step = 0; step < 400; ++step) {
        AddWalkPoint();
        ReportPoint();
        SCOPED_TRACE(step);
        ExpectSameRepaint();
        if (Paced() && Chance(4)) Testing::VirtualClock::Advance(Random() % 9);
        if (Bracketed() && Chance(6))
            for (TkPlotComponent* plot : AllPlots()) plot->GetUpdateActive() ? plot->EndUpdate() : plot->BeginUpdate();
        // The user sets a scale now and then; tracking goes on from it.
        if (Chance(60)) {
            const bool x = Chance(2);
            const Double span = 5 + Integer(Random() % 20);
            for (TkPlotComponent* plot : AllPlots()) plot->GetAxis(x, 0)->SetMinSpan((x ? X : Y) - span / 2, span);
            ExpectSameRepaint();
        }
        if (Chance(25)) PaintBoth("between points");
    }
    ExpectSameState("at the end");
}

INSTANTIATE_TEST_SUITE_P(
    DrawnOrNot, WaitingPointsPaintTest,
    ::testing::Values(TPaintCase{false, nullptr}, TPaintCase{true, nullptr},
                      TPaintCase{false, [](TkPlotComponent& Plot) { Plot.DeleteToolBar(0); }},
                      TPaintCase{false, [](TkPlotComponent& Plot) { Plot.DeleteLegend(0); }},
                      TPaintCase{true, [](TkPlotComponent& Plot) { Plot.DeleteDataView(0); }},
                      TPaintCase{false, nullptr, TPacing::Paced}, TPaintCase{true, nullptr, TPacing::Paced},
                      TPaintCase{false, nullptr, TPacing::Bracketed}, TPaintCase{true, nullptr, TPacing::Bracketed},
                      TPaintCase{false, nullptr, TPacing::PacedAndBracketed}));
