// A channel painting its whole store as an XY channel does, trace and (in
// one run) markers, onto a 1000 x 500 bitmap: 100,000 points of a sine wave
// that crosses the plot many times, and the workbench's own load of 1080
// points per plot.

#include <benchmark/benchmark.h>

#include <cmath>

#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "tests/plot/kPlotChannelTestDoubles.h"

namespace {

struct TTracePlot {
    ChannelTest::TTestPlot Plot;
    TkPlotXAxis* XAxis = Plot.Add<TkPlotXAxis>("X");
    TkPlotYAxis* YAxis = Plot.Add<TkPlotYAxis>("Y");
    ChannelTest::TTestChannel* Channel = Plot.Add<ChannelTest::TTestChannel>("Channel");
    TOwned<TBitmap> Bitmap = CreateOwned<TBitmap>();

    explicit TTracePlot(Integer Points)
    {
        Bitmap->SetSize(1000, 500);
        XAxis->SetHorizontal(true);
        XAxis->SetLayoutRect(Rect(0, 490, 1000, 500));
        YAxis->SetHorizontal(false);
        YAxis->SetLayoutRect(Rect(0, 0, 10, 500));
        Channel->SetXAxisName("X");
        Channel->SetYAxisName("Y");
        Channel->SetXAxisTrackingEnabled(false);
        Channel->SetYAxisTrackingEnabled(false);
        for (Integer i = 0; i < Points; ++i) Channel->AddXY(i, std::sin(i * 0.05));
        XAxis->SetMinSpan(0, Points);
        YAxis->SetMinSpan(-1.1, 2.2);
        XAxis->CalcTicks(Bitmap->Canvas());
        YAxis->CalcTicks(Bitmap->Canvas());
    }
    void Paint()
    {
        Channel->CalcStartIndex();
        Channel->CalcStopIndex();
        Channel->DrawTrace(Bitmap->Canvas(), false, clWhite);
        Channel->DrawMarkers(Bitmap->Canvas(), false, clWhite);
    }
};

void BM_TraceOf100kPoints(benchmark::State& State)
{
    TTracePlot plot(100'000);
    for (auto _ : State) plot.Paint();
    State.SetItemsProcessed(State.iterations() * 100'000);
}
BENCHMARK(BM_TraceOf100kPoints)->Unit(benchmark::kMillisecond);

void BM_TraceAndMarkersOf100kPoints(benchmark::State& State)
{
    TTracePlot plot(100'000);
    plot.Channel->SetMarkersVisible(true);
    for (auto _ : State) plot.Paint();
    State.SetItemsProcessed(State.iterations() * 100'000);
}
BENCHMARK(BM_TraceAndMarkersOf100kPoints)->Unit(benchmark::kMillisecond);

// One repaint of one workbench plot.
void BM_TraceOf1080Points(benchmark::State& State)
{
    TTracePlot plot(1080);
    for (auto _ : State) plot.Paint();
    State.SetItemsProcessed(State.iterations() * 1080);
}
BENCHMARK(BM_TraceOf1080Points)->Unit(benchmark::kMicrosecond);

}  // namespace
