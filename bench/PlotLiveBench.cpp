// A plot on screen while points stream in: a shown 1000 x 400 XY plot takes
// 1 M points one at a time (the noisy sine of the side-by-side run) and is
// repainted every 1000 of them, as a 1 kHz source shown once a second is.
// Each repaint goes the whole way a user's does: the paint event, the
// control's buffered paint and the block transfer to the window's surface.
//
// - BM_LiveAppendWidening/N: the axes track the data, X widens with it.
// - BM_LiveAppendFixed/N: X spans -1..N+1 and Y -2..2 from the start.
// - BM_LiveFrames{Widening,Fixed}/N: the same, each repaint a paint of the
//   plot, not shown, onto a bitmap of its size (as the render benchmarks
//   paint): beside the above, what the way to the screen costs.
// - BM_LivePaced{Widening,Fixed}/N: shown, with the frame rate paced
//   (AutoFrameRate): between two frames the plot's own repaint is held back
//   by the pace, not queued.
//
// per_point is the time of the whole loop, points and paints, per point.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "MainWindowFixture.h"
#include "platform/Forms.h"
#include "platform/Math.h"
#include "platform/Testing.h"

namespace {

constexpr Integer kPointsPerPaint = 1000;

// Five periods of a sine over the points, with uniform noise of +-0.1.
std::vector<Double> NoisySine(Integer Points)
{
    std::mt19937 random{1};
    std::uniform_real_distribution<Double> noise{-0.1, 0.1};
    std::vector<Double> y(static_cast<std::size_t>(Points));
    for (Integer i = 0; i < Points; ++i) y[i] = std::sin(2 * Pi * 5 * i / Points) + noise(random);
    return y;
}

enum class TLiveScale { Widening, Fixed };
enum class TLiveShow { Shown, Paced, Bitmap };

// The plot on a shown form, or alone (Shown false) and painted onto a bitmap.
void LiveAppend(benchmark::State& State, TLiveScale Scale, TLiveShow Show)
{
    const bool Shown = Show != TLiveShow::Bitmap;
    kXYPlotInitialization();
    const auto points = static_cast<Integer>(State.range(0));
    const std::vector<Double> y = NoisySine(points);
    Int64 paints = 0;
    Int64 expected = 0;
    for (auto _ : State) {
        State.PauseTiming();
        TOwned<TForm> form(Create<TForm>(nullptr));
        // Room for the whole plot: the screen shows all of it.
        form->SetClientWidth(1000);
        form->SetClientHeight(400);
        TkXYPlot* plot = Create<TkXYPlot>(form.get());
        if (Shown) plot->SetParent(form.get());
        plot->SetBounds(0, 0, 1000, 400);
        plot->SetAutoFrameRate(Show == TLiveShow::Paced);
        plot->GetToolBar(0)->SetVisible(false);
        plot->GetDataCursor(0)->SetVisible(false);
        if (Scale == TLiveScale::Fixed) {
            plot->GetXAxis(0)->SetMinSpan(-1, points + 2);
            plot->GetYAxis(0)->SetMinSpan(-2, 4);
        }
        if (Shown) {
            form->Show();
            Testing::Input::Flush();
            plot->OnPaint = [&paints](TObject*, TCanvas*) { ++paints; };
        }
        TPlotFrame frame(plot);
        TkXYPlotChannel* channel = plot->GetChannel(0);
        State.ResumeTiming();
        for (Integer i = 0; i < points; ++i) {
            channel->AddXY(i, y[i]);
            if ((i + 1) % kPointsPerPaint != 0) continue;
            if (Shown)
                plot->Repaint();
            else
                frame.Paint();
        }
        State.PauseTiming();
        if (Shown) expected += points / kPointsPerPaint;
        form.reset();
        State.ResumeTiming();
    }
    if (paints != expected) State.SkipWithError("the plot did not paint once per repaint");
    State.counters["per_point"] =
        benchmark::Counter(points, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_LiveAppendWidening(benchmark::State& State) { LiveAppend(State, TLiveScale::Widening, TLiveShow::Shown); }
void BM_LiveAppendFixed(benchmark::State& State) { LiveAppend(State, TLiveScale::Fixed, TLiveShow::Shown); }
void BM_LivePacedWidening(benchmark::State& State) { LiveAppend(State, TLiveScale::Widening, TLiveShow::Paced); }
void BM_LivePacedFixed(benchmark::State& State) { LiveAppend(State, TLiveScale::Fixed, TLiveShow::Paced); }
void BM_LiveFramesWidening(benchmark::State& State) { LiveAppend(State, TLiveScale::Widening, TLiveShow::Bitmap); }
void BM_LiveFramesFixed(benchmark::State& State) { LiveAppend(State, TLiveScale::Fixed, TLiveShow::Bitmap); }
BENCHMARK(BM_LiveAppendWidening)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiveAppendFixed)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LivePacedWidening)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LivePacedFixed)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiveFramesWidening)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiveFramesFixed)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
