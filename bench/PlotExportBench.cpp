// A 1000 x 400 plot of 100,000 points exported as PNG, JPEG and EMF bytes,
// beside one paint of the same plot: an export should cost one paint plus
// its encoder. The byte count of each export is reported as "bytes".

#include <benchmark/benchmark.h>

#include <cmath>

#include "components/foundation/kImageExport.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/Classes.h"
#include "platform/Math.h"
#include "platform/Metafile.h"
#include "platform/Variants.h"

namespace {

TOwned<TkXYPlot> DensePlot()
{
    TOwned<TkXYPlot> plot(Create<TkXYPlot>(nullptr));
    plot->SetBounds(0, 0, 1000, 400);
    plot->SetTitleText("Export");
    plot->GetXAxis(0)->SetSpan(100000);
    plot->GetYAxis(0)->SetMinSpan(-1.2, 2.4);
    TkPlotChannelCustom* channel = plot->GetChannel(0);
    for (Integer i = 0; i < 100000; ++i) channel->AddXY(i, std::sin(2 * Pi * i / 3600) + 0.1 * std::sin(i * 0.7));
    return plot;
}

void BM_ExportPaint(benchmark::State& State)
{
    TOwned<TkXYPlot> plot = DensePlot();
    for (auto _ : State) benchmark::DoNotOptimize(kRenderImage(*plot));
}
BENCHMARK(BM_ExportPaint)->Unit(benchmark::kMillisecond);

void BM_ExportPNG(benchmark::State& State)
{
    TOwned<TkXYPlot> plot = DensePlot();
    Integer bytes = 0;
    for (auto _ : State) bytes = VarArrayHighBound(plot->GetBytesPNG(State.range(0)), 1) + 1;
    State.counters["bytes"] = bytes;
}
BENCHMARK(BM_ExportPNG)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);

void BM_ExportJPEG(benchmark::State& State)
{
    TOwned<TkXYPlot> plot = DensePlot();
    Integer bytes = 0;
    for (auto _ : State) bytes = VarArrayHighBound(plot->GetBytesJPEG(100, false), 1) + 1;
    State.counters["bytes"] = bytes;
}
BENCHMARK(BM_ExportJPEG)->Unit(benchmark::kMillisecond);

void BM_ExportEMF(benchmark::State& State)
{
    TOwned<TkXYPlot> plot = DensePlot();
    Integer bytes = 0;
    for (auto _ : State) {
        TOwned<TMetafile> metafile = CreateOwned<TMetafile>();
        kRecordMetafile(*plot, *metafile, "Kelvane", String());
        TMemoryStream stream;
        metafile->SaveToStream(stream);
        bytes = static_cast<Integer>(stream.Size());
    }
    State.counters["bytes"] = bytes;
}
BENCHMARK(BM_ExportEMF)->Unit(benchmark::kMillisecond);

}  // namespace
