// The plot's property editor: about 900 controls read from form data, and
// a dialog that must open at once (goal: 300 ms for a plot of 10 channels,
// 50 ms for the form data).

#include <benchmark/benchmark.h>

#include "app/AppUnits.h"
#include "components/editor/kPlotEditorForm.h"
#include "components/plot/component/kPlot.h"
#include "platform/FormStream.h"
#include "platform/Resources.h"
#include "platform/Testing.h"

namespace {

void InitializeOnce()
{
    static const bool done = [] {
        RegisterProgramUnits();
        InitializeUnits();
        return true;
    }();
    (void)done;
}

TOwned<TkPlot> PlotWithChannels(Integer Count)
{
    TOwned<TkPlot> plot(Create<TkPlot>(nullptr));
    plot->SetBounds(0, 0, 500, 300);
    while (plot->ChannelCount() < Count) plot->AddChannel();
    return plot;
}

// The form data as text, parsed into its tokens.
void BM_ParseEditorFormText(benchmark::State& State)
{
    InitializeOnce();
    const auto data = FindResourceData("TKPLOTEDITORFORM");
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    for (auto _ : State) benchmark::DoNotOptimize(ParseFormText(text));
}
BENCHMARK(BM_ParseEditorFormText)->Unit(benchmark::kMillisecond);

// The dialog made from its form data: every control created, placed and
// bound, nothing loaded yet.
void BM_ReadEditorForm(benchmark::State& State)
{
    InitializeOnce();
    TOwned<TkPlot> plot = PlotWithChannels(1);
    for (auto _ : State) {
        TOwned<TkPlotEditorForm> form(Create<TkPlotEditorForm>(nullptr, *plot));
        // Qt deletes some of a dialog's parts later: not on the next clock.
        State.PauseTiming();
        form.reset();
        Testing::Input::Flush();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_ReadEditorForm)->Unit(benchmark::kMillisecond);

// What the user waits for: the dialog made, its lists filled, every page
// loaded and the dialog shown.
void BM_OpenEditorForPlotWith10Channels(benchmark::State& State)
{
    InitializeOnce();
    TOwned<TkPlot> plot = PlotWithChannels(10);
    for (auto _ : State) {
        TOwned<TkPlotEditorForm> form(Create<TkPlotEditorForm>(nullptr, *plot));
        form->LoadObjects();
        form->LoadGeneralPages();
        form->Show();
        Testing::Input::Flush();
        State.PauseTiming();
        form.reset();
        Testing::Input::Flush();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_OpenEditorForPlotWith10Channels)->Unit(benchmark::kMillisecond);

// A page written back and every page reloaded: what each edit on the axis
// and channel pages costs.
void BM_ChannelChangeAndUpdateAll(benchmark::State& State)
{
    InitializeOnce();
    TOwned<TkPlot> plot = PlotWithChannels(10);
    TOwned<TkPlotEditorForm> form(Create<TkPlotEditorForm>(nullptr, *plot));
    form->LoadObjects();
    for (auto _ : State) form->Controller().Change(kpokChannel);
}
BENCHMARK(BM_ChannelChangeAndUpdateAll)->Unit(benchmark::kMillisecond);

}  // namespace
