// A plot whose title, second label and annotation each carry ten megabytes
// of text never seen before, painted once: what cannot show must cost next
// to nothing. Each plot has been painted with ordinary texts first, so that
// loading its fonts is not counted.

#include <benchmark/benchmark.h>

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/layout/kPlotLabel.h"

namespace {

constexpr std::size_t kTextBytes = 10u << 20;

// Words of ordinary length, so that measuring meets real words; Seed makes
// the text one of its own.
String HugeText(Integer Seed)
{
    String text = IntToStr(Seed) + " ";
    text.reserve(kTextBytes + 16);
    while (text.size() < kTextBytes) text += "Mot de texte ";
    return text;
}

void BM_PaintPlotWithHugeTexts(benchmark::State& State)
{
    static Integer seed = 0;
    for (auto _ : State) {
        State.PauseTiming();
        TOwned<TkXYPlot> plot(Create<TkXYPlot>(nullptr));
        plot->SetBounds(0, 0, 600, 400);
        TkPlotLabel* label = plot->GetLabel(plot->AddLabel());
        TkPlotAnnotation* note = plot->GetAnnotation(plot->AddAnnotation());
        note->SetStyle(static_cast<TkPlotAnnotationStyle>(State.range(0)));
        note->SetX(50);
        note->SetY(50);
        note->SetText("Note");
        TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
        bitmap->SetSize(600, 400);
        plot->kPaintTo(bitmap->Canvas());
        plot->SetTitleText(HugeText(++seed));
        label->SetCaption(HugeText(++seed));
        note->SetText(HugeText(++seed));
        State.ResumeTiming();
        plot->kPaintTo(bitmap->Canvas());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintPlotWithHugeTexts)->Arg(kpasText)->Arg(kpasTextBox)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same for a channel's name of ten megabytes, which the legend breaks
// into lines at blanks.
void BM_PaintPlotWithHugeChannelName(benchmark::State& State)
{
    static Integer seed = 1 << 20;
    for (auto _ : State) {
        State.PauseTiming();
        TOwned<TkXYPlot> plot(Create<TkXYPlot>(nullptr));
        plot->SetBounds(0, 0, 600, 400);
        TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
        bitmap->SetSize(600, 400);
        plot->kPaintTo(bitmap->Canvas());
        plot->GetChannel(0)->SetTitleText(HugeText(++seed));
        State.ResumeTiming();
        plot->kPaintTo(bitmap->Canvas());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintPlotWithHugeChannelName)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
