// The main window's two computations, per call: "Calcul direct" (1080 x 1080
// ordered multiply-adds and the delays, then 1080 points to plot 2) and one
// tick of the step run (1080 multiply-adds, plot 3 refilled, one point to
// plot 2); and the paint of one of the window's plots of 1080 points. The
// tick with the repaint of the two plots it changed is one of the twin
// workloads (PlotTwinBench.cpp).

#include <benchmark/benchmark.h>

#include "MainWindowFixture.h"

namespace {

void BM_CalculDirect(benchmark::State& state)
{
    TForm1* form = MainWindow();
    for (auto _ : state) form->calcul(nullptr);
}
BENCHMARK(BM_CalculDirect)->Unit(benchmark::kMillisecond);

void BM_StepTick(benchmark::State& state)
{
    TForm1* form = MainWindow();
    for (auto _ : state) form->graph(nullptr);
}
BENCHMARK(BM_StepTick)->Unit(benchmark::kMicrosecond);

void BM_PaintWindowPlot(benchmark::State& state)
{
    TForm1* form = MainWindow();
    TPlotFrame signal(form->kXYPlot1);
    for (auto _ : state) signal.Paint();
}
BENCHMARK(BM_PaintWindowPlot)->Unit(benchmark::kMicrosecond);

}  // namespace
