// This plot beside another plotting widget: the workloads of a side-by-side
// run, each giving one figure, so that anyone can run the same on another
// widget on the same machine. The plot is sized 1000 x 400 with its toolbar
// and data cursor hidden, and its axes track new data as a new plot's do.
// The points are a noisy sine with X rising by one a point, computed
// beforehand, so that an append figure is the appending alone.
//
// - BM_TwinRender/N: both axes fitted to N points and one frame painted,
//   every point walked as a first paint of them does.
// - BM_TwinAppendWidening/N: N points (1 M, 10 M) added one by one to a new
//   plot; the X scale widens at every point (time per point).
// - BM_TwinAppendSteady/N: the same on scales that hold every point from
//   the first, so that no scale moves (time per point).
// - BM_StepTickWithRepaint: the main window's tick (plot 3 refilled, one
//   point added to plot 2) and the repaint of both plots.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "MainWindowFixture.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "platform/Math.h"

namespace {

// Five periods of a sine over the points, with uniform noise of +-0.1.
class TNoisySine {
public:
    explicit TNoisySine(Integer Points) : FPoints(Points) {}
    Double operator()(Integer I) { return std::sin(2 * Pi * 5 * I / FPoints) + FNoise(FRandom); }

private:
    Integer FPoints;
    std::mt19937 FRandom{1};
    std::uniform_real_distribution<Double> FNoise{-0.1, 0.1};
};

TOwned<TkXYPlot> TwinPlot()
{
    TOwned<TkXYPlot> plot{Create<TkXYPlot>(nullptr)};
    plot->SetBounds(0, 0, 1000, 400);
    plot->GetToolBar(0)->SetVisible(false);
    plot->GetDataCursor(0)->SetVisible(false);
    return plot;
}

void BM_TwinRender(benchmark::State& State)
{
    const auto points = static_cast<Integer>(State.range(0));
    TOwned<TkXYPlot> plot = TwinPlot();
    TkXYPlotChannel* channel = plot->GetChannel(0);
    TNoisySine sine(points);
    for (Integer i = 0; i < points; ++i) channel->AddXY(i, sine(i));
    TPlotFrame frame(plot.get());
    for (auto _ : State) {
        ForgetTheLastWalk(State, *plot, *channel);
        plot->GetXAxis(0)->ZoomToFit();
        plot->GetYAxis(0)->ZoomToFit();
        frame.Paint();
    }
    State.SetItemsProcessed(State.iterations() * points);
}
BENCHMARK(BM_TwinRender)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

enum class TScale { Widening, Steady };

void AppendToNewPlot(benchmark::State& State, TScale Scale)
{
    const auto points = static_cast<Integer>(State.range(0));
    std::vector<Double> y(static_cast<std::size_t>(points));
    TNoisySine sine(points);
    for (Integer i = 0; i < points; ++i) y[i] = sine(i);
    for (auto _ : State) {
        State.PauseTiming();
        TOwned<TkXYPlot> plot = TwinPlot();
        if (Scale == TScale::Steady) {
            plot->GetXAxis(0)->SetMinSpan(-1, points + 1);
            plot->GetYAxis(0)->SetMinSpan(-2, 4);
        }
        TkXYPlotChannel* channel = plot->GetChannel(0);
        State.ResumeTiming();
        for (Integer i = 0; i < points; ++i) channel->AddXY(i, y[i]);
        benchmark::ClobberMemory();
        State.PauseTiming();
        plot.reset();
        State.ResumeTiming();
    }
    State.counters["per_point"] =
        benchmark::Counter(points, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_TwinAppendWidening(benchmark::State& State) { AppendToNewPlot(State, TScale::Widening); }
void BM_TwinAppendSteady(benchmark::State& State) { AppendToNewPlot(State, TScale::Steady); }
BENCHMARK(BM_TwinAppendWidening)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwinAppendSteady)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

void BM_StepTickWithRepaint(benchmark::State& State)
{
    TForm1* form = MainWindow();
    TPlotFrame sliding(form->kXYPlot3);
    TPlotFrame curve(form->kXYPlot2);
    for (auto _ : State) {
        form->graph(nullptr);
        sliding.Paint();
        curve.Paint();
    }
}
BENCHMARK(BM_StepTickWithRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
