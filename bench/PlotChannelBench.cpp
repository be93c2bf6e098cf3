// A channel taking a million points through AddXY while its X and Y axes
// track them, as the plot is fed between paints (nothing paints here). In
// the plain runs the data stay within the scales, as in the workbench's
// plots (X over 0 .. span, Y within 0 .. 1): every value is tracked, no
// scale moves. In the widening runs the X values rise past the X scale at
// every point, so the X axis changes its scale (and fires its events) each
// time.

#include <benchmark/benchmark.h>

#include "components/plot/kPlotAxis.h"
#include "components/plot/kPlotChannelCustom.h"
#include "tests/support/PlotStandIn.h"

namespace {

constexpr Integer kPoints = 1'000'000;

// The plot as channels and axes see it: axes by name, the channel list and
// the axis events, all without work.
class TBenchPlot : public PlotTest::TStandInPlot {
public:
    TkPlotXAxis* XAxis = nullptr;
    TkPlotYAxis* YAxis = nullptr;
    TkPlotChannelCustom* Channel = nullptr;
    Int64 Changes = 0;

    TNotifyEvent Change()
    {
        return [this](TObject*) { ++Changes; };
    }
    static TNotifyEvent Nothing()
    {
        return [](TObject*) {};
    }

    void DoAxisMinChange(TkPlotAxis*, Double, Double) override {}
    void DoAxisSpanChange(TkPlotAxis*, Double, Double) override {}
    void DoAxisMinSpanChange(TkPlotAxis*, Double, Double, Double, Double) override {}
};

// The least channel: an XY channel's data side without its drawing.
class TBenchChannel : public TkPlotChannelCustom {
    PL_CLASSINFO()
public:
    using TkPlotChannelCustom::TkPlotChannelCustom;
    void CalcStartIndex() override { SetDrawStartIndex(0); }
    void CalcStopIndex() override { SetDrawStopIndex(Count() - 1); }
    Double GetDataXMax() override { return RunningXMax(); }
    Double GetDataXMin() override { return RunningXMin(); }
    Double GetYMaxVisible() override { return RunningYMax(); }
    Double GetYMinVisible() override { return RunningYMin(); }
    void UpdateDataCursor(TkPlotDataCursor*) override {}
};

TClass TBenchChannel::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TBenchChannel, TkPlotChannelCustom>("TBenchChannel").Build();
    return &info;
}

template <class T>
T* CreateObject(TBenchPlot& Plot, const String& Name)
{
    T* object = Create<T>(&Plot, Plot.Change(), TBenchPlot::Nothing(), TBenchPlot::Nothing(), TBenchPlot::Nothing());
    object->SetName(Name);
    Plot.List(object);
    return object;
}

// Fresh runs fill a new channel, so the store grows (and the memory is
// touched for the first time) as the points arrive. Warm runs refill a
// channel whose store kept its capacity (DeletePoints keeps it): the cost of
// the channel and the axes alone.
enum class TRun { Fresh, Warm };

TkPlotChannelCustom* NewChannel(TBenchPlot& Plot, TkPlotDataStyle Style)
{
    TkPlotChannelCustom* channel = CreateObject<TBenchChannel>(Plot, "Channel 1");
    channel->SetDataStyle(Style);
    channel->SetXAxisName("X-Axis 1");
    channel->SetYAxisName("Y-Axis 1");
    Plot.Channel = channel;
    return channel;
}

void AddTrackedPoints(benchmark::State& state, TkPlotDataStyle Style, bool Widening, TRun Run)
{
    TBenchPlot plot;
    plot.XAxis = CreateObject<TkPlotXAxis>(plot, "X-Axis 1");
    plot.YAxis = CreateObject<TkPlotYAxis>(plot, "Y-Axis 1");
    plot.XAxis->SetMinSpan(0, Widening ? 100 : kPoints);
    plot.YAxis->SetMinSpan(0, 1);
    // A new channel's first point would line the X scale up on itself.
    plot.XAxis->SetTrackingAlignFirstStyle(kpafsNone);
    TkPlotChannelCustom* channel = nullptr;
    if (Run == TRun::Warm) {
        channel = NewChannel(plot, Style);
        channel->SetCount(kPoints + 1);
        for (Integer i = 0; i <= kPoints; ++i) channel->AddXY(i, 0);
    }
    Double x = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (Run == TRun::Fresh)
            channel = NewChannel(plot, Style);
        else
            channel->DeletePoints(channel->Count() - 1);
        if (!Widening) x = 0;
        benchmark::DoNotOptimize(channel);
        state.ResumeTiming();

        // Y runs through 0 .. 0.999 and over again, stepped without a
        // division so that the loop costs next to nothing beside AddXY.
        Double y = 0;
        for (Integer i = 0; i < kPoints; ++i) {
            channel->AddXY(x++, y);
            y = y < 0.999 ? y + 0.001 : 0;
        }
        benchmark::ClobberMemory();

        if (Run == TRun::Fresh) {
            state.PauseTiming();
            plot.Channel = nullptr;
            plot.Unlist(channel);
            Free(channel);
            state.ResumeTiming();
        }
    }
    benchmark::DoNotOptimize(plot.Changes);
    state.counters["time_per_point"] =
        benchmark::Counter(kPoints, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    if (Run == TRun::Warm) {
        plot.Unlist(channel);
        Free(channel);
    }
    Free(plot.XAxis);
    Free(plot.YAxis);
}

void BM_ChannelAddXY(benchmark::State& state, TkPlotDataStyle Style, bool Widening, TRun Run)
{
    AddTrackedPoints(state, Style, Widening, Run);
}

}  // namespace

BENCHMARK_CAPTURE(BM_ChannelAddXY, Standard, kpdsStandard, false, TRun::Fresh)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChannelAddXY, Compact, kpdsCompact, false, TRun::Fresh)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChannelAddXY, CompactInterval, kpdsCompactInterval, false, TRun::Fresh)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChannelAddXY, StandardWarm, kpdsStandard, false, TRun::Warm)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChannelAddXY, CompactWarm, kpdsCompact, false, TRun::Warm)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChannelAddXY, CompactIntervalWarm, kpdsCompactInterval, false, TRun::Warm)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChannelAddXY, StandardWidening, kpdsStandard, true, TRun::Fresh)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChannelAddXY, StandardWideningWarm, kpdsStandard, true, TRun::Warm)
    ->Unit(benchmark::kMillisecond);
