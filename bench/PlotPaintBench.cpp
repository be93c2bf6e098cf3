// A whole XY plot painted as the workbench's window paints each of its three
// plots: 500 x 200 pixels, title, axes, grid, legend and one channel of 1080
// points, layout and ticks included. The window repaints its plots about
// twenty times a second during a step run.

#include <benchmark/benchmark.h>

#include <cmath>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "platform/Forms.h"
#include "platform/Math.h"

namespace {

void BM_PaintXYPlot(benchmark::State& State)
{
    TOwned<TkXYPlot> plot(Create<TkXYPlot>(nullptr));
    plot->SetBounds(0, 0, 500, 200);
    plot->SetTitleText("Signal X(tau) ou X(K)");
    plot->GetToolBar(0)->SetVisible(false);
    plot->GetDataCursor(0)->SetVisible(false);
    plot->GetXAxis(0)->SetSpan(1080);
    plot->GetYAxis(0)->SetSpan(1);
    TkPlotChannelCustom* channel = plot->GetChannel(0);
    const Integer points = static_cast<Integer>(State.range(0));
    for (Integer i = 0; i < points; ++i) channel->AddXY(i, std::sin(2 * Pi * i / 360));
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(500, 200);
    for (auto _ : State) {
        plot->kPaintTo(bitmap->Canvas());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintXYPlot)->Arg(0)->Arg(1080)->Unit(benchmark::kMicrosecond);

}  // namespace
