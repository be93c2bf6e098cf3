// A real XY plot taking a million points one by one through AddXY on its
// channel, between paints (nothing paints here), with X and Y tracking on.
// In the steady run every point lies inside both scales, so no scale moves.
// In the widening run the plot keeps its default scales and X rises at every
// point, so the X scale widens (and reports its change) each time. The
// figure that matters is the time per point (items per second).

#include <benchmark/benchmark.h>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"

namespace {

constexpr Integer kPoints = 1'000'000;

enum class TScale { Steady, Widening };

void AddXYToPlot(benchmark::State& state, TScale Scale)
{
    TOwned<TkXYPlot> plot{Create<TkXYPlot>(nullptr)};
    TkXYPlotChannel* channel = plot->GetChannel(0);
    if (Scale == TScale::Steady) {
        plot->GetXAxis(0)->SetMinSpan(-1, kPoints + 2);
        plot->GetYAxis(0)->SetMinSpan(-1, 3);
    }
    for (auto _ : state) {
        state.PauseTiming();
        channel->Clear();
        state.ResumeTiming();
        // Y runs through 0 .. 0.999 and over again, stepped without a
        // division so that the loop costs next to nothing beside AddXY.
        Double y = 0;
        for (Integer i = 0; i < kPoints; ++i) {
            channel->AddXY(i, y);
            y = y < 0.999 ? y + 0.001 : 0;
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_PlotAddXYSteadyScale(benchmark::State& state) { AddXYToPlot(state, TScale::Steady); }
void BM_PlotAddXYWideningScale(benchmark::State& state) { AddXYToPlot(state, TScale::Widening); }

}  // namespace

BENCHMARK(BM_PlotAddXYSteadyScale)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotAddXYWideningScale)->Unit(benchmark::kMillisecond);
