// One 1000 x 400 frame of an XY plot holding a large trace: a noisy sine of
// 1 M and 10 M points, the axes fitted to the data inside each frame, as a
// user rendering a recorded signal would see it. The render walks every
// point as a first paint does; the repaint of points and scales unchanged
// walks on from where the last paint stopped.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "MainWindowFixture.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/Forms.h"
#include "platform/Math.h"

namespace {

struct TLargeTracePlot {
    TOwned<TkXYPlot> Plot{Create<TkXYPlot>(nullptr)};
    TOwned<TBitmap> Frame = CreateOwned<TBitmap>();

    explicit TLargeTracePlot(Integer Points)
    {
        Plot->SetBounds(0, 0, 1000, 400);
        Frame->SetSize(1000, 400);
        TkPlotChannelCustom* channel = Plot->GetChannel(0);
        channel->SetXAxisTrackingEnabled(false);
        channel->SetYAxisTrackingEnabled(false);
        std::mt19937 random(1);
        std::uniform_real_distribution<Double> noise(-0.1, 0.1);
        for (Integer i = 0; i < Points; ++i) channel->AddXY(i, std::sin(2 * Pi * 5 * i / Points) + noise(random));
    }
    void Render()
    {
        Plot->GetXAxis(0)->ZoomToFit();
        Plot->GetYAxis(0)->ZoomToFit();
        Plot->kPaintTo(Frame->Canvas());
        benchmark::ClobberMemory();
    }
};

void BM_RenderXYPlot(benchmark::State& State)
{
    const auto points = static_cast<Integer>(State.range(0));
    TLargeTracePlot plot(points);
    for (auto _ : State) {
        ForgetTheLastWalk(State, *plot.Plot, *plot.Plot->GetChannel(0));
        plot.Render();
    }
    State.SetItemsProcessed(State.iterations() * points);
}
BENCHMARK(BM_RenderXYPlot)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// The frame alone, the axes fitted once before: a repaint of what the last
// paint showed.
void BM_RepaintXYPlot(benchmark::State& State)
{
    const auto points = static_cast<Integer>(State.range(0));
    TLargeTracePlot plot(points);
    plot.Render();
    for (auto _ : State) {
        plot.Plot->kPaintTo(plot.Frame->Canvas());
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * points);
}
BENCHMARK(BM_RepaintXYPlot)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// The floor the render is held against: one pass reading every stored point.
void BM_OnePassOverPoints(benchmark::State& State)
{
    const auto points = static_cast<Integer>(State.range(0));
    TLargeTracePlot plot(points);
    TkPlotChannelCustom* channel = plot.Plot->GetChannel(0);
    for (auto _ : State) {
        Double sum = 0;
        for (Integer i = 0; i < points; ++i) sum += channel->GetXValue(i) + channel->GetYValue(i);
        benchmark::DoNotOptimize(sum);
    }
    State.SetItemsProcessed(State.iterations() * points);
}
BENCHMARK(BM_OnePassOverPoints)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
