// A mouse move over the data view of an XY plot holding 10 channels of
// 100,000 points each: the hit test of every object and the hint's
// tracking, as the plot runs them for each move the user makes. The
// pointer must never lag: a move should cost at most 50 us.
//
// Arg 0: the plot as it comes (channels are not picked). Arg 1: the
// toolbar's select mode with markers showing and the mouse over none of
// them: each channel measures only the markers near the mouse, from the
// grid of pixel positions its first pick built.

#include <benchmark/benchmark.h>

#include <cmath>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/view/kPlotDataView.h"
#include "platform/Forms.h"
#include "platform/Math.h"

namespace {

constexpr Integer kChannels = 10;
constexpr Integer kPoints = 100000;

void BM_PlotMouseMove(benchmark::State& State)
{
    kXYPlotInitialization();
    TOwned<TForm> form(Create<TForm>(nullptr));
    form->SetBounds(0, 0, 700, 400);
    TkXYPlot* plot = Create<TkXYPlot>(form.get());
    plot->SetParent(form.get());
    plot->SetBounds(0, 0, 600, 300);
    const bool selecting = State.range(0) != 0;
    for (Integer c = 0; c < kChannels; ++c) {
        TkPlotChannelCustom* channel = c == 0 ? plot->GetChannel(0) : plot->GetChannel(plot->AddChannel());
        channel->SetXAxisName(plot->GetXAxis(0)->Name());
        channel->SetYAxisName(plot->GetYAxis(0)->Name());
        channel->SetMarkersVisible(selecting);
        for (Integer i = 0; i < kPoints; ++i) channel->AddXY(i, std::sin(2 * Pi * (i + 1000 * c) / 360));
    }
    plot->GetXAxis(0)->SetMinSpan(0, kPoints);
    // The data in the lower half: the mouse above it misses every marker,
    // so that each one is tested.
    plot->GetYAxis(0)->SetMinSpan(-1, 4);
    plot->GetToolBar(0)->SetShowSelectButton(true);
    plot->SetToolBarSelectMode(selecting);
    plot->ReCalcLayout();
    const TRect view = plot->GetDataView(0)->DrawRect();
    const Integer y = view.Top + 2;
    Integer x = view.Left + 10;
    for (auto _ : State) {
        x = x == view.Left + 10 ? view.Left + 20 : view.Left + 10;
        plot->MouseMove(TShiftState{}, x, y);
        benchmark::ClobberMemory();
    }
    State.counters["points"] = double(kChannels) * kPoints;
}
BENCHMARK(BM_PlotMouseMove)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
