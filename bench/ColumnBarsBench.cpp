// A spectrum of 64 columns on a shown form, fed one column at a time as an
// analyser feeds it at 1,000 updates a second: each update redraws its own
// column in the retained image and marks that column for the screen. The
// second benchmark also lets the screen take each column at once.

#include <benchmark/benchmark.h>

#include "platform/Forms.h"
#include "platform/Testing.h"
#include "widgets/QdColumnBars.h"

namespace {

struct TSpectrumOnForm {
    TSpectrumOnForm()
    {
        Form->SetBounds(0, 0, 700, 200);
        Spectrum->SetParent(Form.get());
        Spectrum->SetColumns(64);
        Form->Show();
        Testing::Input::Flush();
        Testing::Grab(Spectrum);
        Testing::Input::Flush();
    }
    // The next column to a new level, round the columns.
    void UpdateOne()
    {
        Spectrum->Items(Column)->SetPosition((Column * 37 + Step * 11) % 101);
        Column = (Column + 1) % 64;
        ++Step;
    }

    TOwned<TForm> Form{Create<TForm>(nullptr)};
    TQdSpectrum* Spectrum{Create<TQdSpectrum>(Form.get())};
    Integer Column = 0;
    Integer Step = 0;
};

void BM_SpectrumColumnUpdate(benchmark::State& State)
{
    TSpectrumOnForm bench;
    for (auto _ : State) bench.UpdateOne();
    Testing::Input::Flush();
}
BENCHMARK(BM_SpectrumColumnUpdate)->Unit(benchmark::kMicrosecond);

void BM_SpectrumColumnUpdateShown(benchmark::State& State)
{
    TSpectrumOnForm bench;
    for (auto _ : State) {
        bench.UpdateOne();
        Testing::Input::Flush();
    }
}
BENCHMARK(BM_SpectrumColumnUpdateShown)->Unit(benchmark::kMicrosecond);

}  // namespace
