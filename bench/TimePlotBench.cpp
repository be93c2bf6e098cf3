// A strip chart: one time channel of 1 M time-stamped points (a noisy sine
// sampled every 10 ms) drawn into a 1000 x 400 frame as lines, as a digital
// trace (high while the signal is above zero, so it switches about every
// ten points) and as a filled trace, the whole recording on the X scale;
// and the same million points arriving one by one through AddXY while the
// X axis scrolls along with them and the Y scale stays put.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/component/kPlot.h"
#include "platform/Forms.h"
#include "platform/Math.h"

namespace {

constexpr Integer kPoints = 1'000'000;
constexpr Double kSampleDays = 0.01 / 86400;

enum class TStyle { Lines, Digital, Filled };

void PaintStripChart(benchmark::State& State, TStyle Style)
{
    TOwned<TkPlot> plot{Create<TkPlot>(nullptr)};
    plot->SetBounds(0, 0, 1000, 400);
    TOwned<TBitmap> frame = CreateOwned<TBitmap>();
    frame->SetSize(1000, 400);
    TkPlotChannel* channel = plot->GetChannel(0);
    channel->SetXAxisTrackingEnabled(false);
    channel->SetYAxisTrackingEnabled(false);
    std::mt19937 random(1);
    std::uniform_real_distribution<Double> noise(-0.3, 0.3);
    const bool digital = Style == TStyle::Digital;
    for (Integer i = 0; i < kPoints; ++i) {
        const Double y = std::sin(2 * Pi * i / 20) + noise(random);
        channel->AddXY(i * kSampleDays, digital ? Double(y > 0) : y);
    }
    channel->SetDigitalEnabled(digital);
    channel->SetFillEnabled(Style == TStyle::Filled);
    plot->GetXAxis(0)->SetMinSpan(0, kPoints * kSampleDays);
    plot->GetYAxis(0)->SetMinSpan(-2, 4);
    for (auto _ : State) {
        plot->kPaintTo(frame->Canvas());
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * kPoints);
}
BENCHMARK_CAPTURE(PaintStripChart, Lines, TStyle::Lines)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintStripChart, Digital, TStyle::Digital)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintStripChart, Filled, TStyle::Filled)->Unit(benchmark::kMillisecond);

void BM_AddXYScrolling(benchmark::State& State)
{
    TOwned<TkPlot> plot{Create<TkPlot>(nullptr)};
    TkPlotChannel* channel = plot->GetChannel(0);
    TkPlotXAxis* xAxis = plot->GetXAxis(0);
    xAxis->SetTrackingStyle(kptsScrollSmooth);
    plot->GetYAxis(0)->SetMinSpan(-1, 3);
    channel->SetYAxisTrackingEnabled(false);
    for (auto _ : State) {
        State.PauseTiming();
        channel->Clear();
        xAxis->SetMinSpan(0, 1000);
        State.ResumeTiming();
        Double y = 0;
        for (Integer i = 0; i < kPoints; ++i) {
            channel->AddXY(i, y);
            y = y < 0.999 ? y + 0.001 : 0;
        }
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * kPoints);
}
BENCHMARK(BM_AddXYScrolling)->Unit(benchmark::kMillisecond);

}  // namespace
