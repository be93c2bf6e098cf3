// Plots of thousands of objects: the first paint after a configuration of
// an eight-line file that sets channels, X axes, Y axes, data views,
// legends, tables and labels to N each, the first paint of a plot of N
// annotations, a mouse move over either, and the load and the close of a
// plot of N objects of every kind but toolbars and annotations. Each must
// cost no more than its objects: at N = 1000 (objects) and N = 10,000
// (annotations) the first paint stays within a second, and at N = 10,000
// objects of each kind the load and the close within seconds.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/view/kPlotDataView.h"
#include "platform/Forms.h"

namespace {

String BenchFile(const char* Name)
{
    return (std::filesystem::temp_directory_path() / (String(Name) + "-" + std::to_string(::getpid()))).string();
}

// Every kind but toolbars and annotations when EveryKind, else the seven
// kinds of the eight-line file.
void WriteManyObjectsConfiguration(const String& Path, Int64 Count, bool EveryKind = false)
{
    std::ofstream file(Path, std::ios::binary);
    file << "File Type = Plot Config\r\n";
    for (const char* kind : {"Channel", "XAxis", "YAxis", "DataView", "Legend", "Table", "Label"})
        file << kind << "Count = " << Count << "\r\n";
    if (EveryKind)
        for (const char* kind : {"DataCursor", "Limit"}) file << kind << "Count = " << Count << "\r\n";
}

// A plot on a form, as a window shows it.
struct TShownPlot {
    TOwned<TForm> Form{Create<TForm>(nullptr)};
    TkXYPlot* Plot = nullptr;

    TShownPlot()
    {
        kXYPlotInitialization();
        Form->SetBounds(0, 0, 900, 700);
        Plot = Create<TkXYPlot>(Form.get());
        Plot->SetParent(Form.get());
        Plot->SetBounds(0, 0, 800, 600);
    }
};

void AddAnnotations(TkXYPlot& Plot, Int64 Count)
{
    for (Int64 i = 0; i < Count; ++i) {
        TkPlotAnnotation* note = Plot.GetAnnotation(Plot.AddAnnotation());
        note->SetStyle(i % 2 ? kpasRectangle : kpasText);
        note->SetX(Double(i % 100));
        note->SetY(Double(i % 97));
        note->SetWidth(3);
        note->SetHeight(2);
        note->SetText("A" + IntToStr(i % 10));
    }
}

// Fills a new plot, untimed; times its first paint.
template <class F>
void FirstPaint(benchmark::State& State, F Fill)
{
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(800, 600);
    for (auto _ : State) {
        State.PauseTiming();
        auto shown = std::make_unique<TShownPlot>();
        Fill(*shown->Plot);
        State.ResumeTiming();
        shown->Plot->kPaintTo(bitmap->Canvas());
        benchmark::ClobberMemory();
        State.PauseTiming();
        shown.reset();
        State.ResumeTiming();
    }
    State.SetComplexityN(State.range(0));
}

// Arg 1: data cursors and limits too.
void BM_FirstPaintManyObjects(benchmark::State& State)
{
    const String path = BenchFile("many-objects");
    WriteManyObjectsConfiguration(path, State.range(0), State.range(1) != 0);
    FirstPaint(State, [&](TkXYPlot& Plot) { Plot.LoadPropertiesFromFile(path); });
    DeleteFile(path);
}
BENCHMARK(BM_FirstPaintManyObjects)
    ->Args({100, 0})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

void BM_FirstPaintManyAnnotations(benchmark::State& State)
{
    FirstPaint(State, [&](TkXYPlot& Plot) { AddAnnotations(Plot, State.range(0)); });
}
BENCHMARK(BM_FirstPaintManyAnnotations)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);

// The configuration of that many objects of each kind, every kind but
// toolbars and annotations, into a new plot (Close: then the end of the
// plot, timed alone).
template <bool Close>
void LoadOrClose(benchmark::State& State)
{
    const String path = BenchFile(Close ? "many-objects-close" : "many-objects-load");
    WriteManyObjectsConfiguration(path, State.range(0), true);
    for (auto _ : State) {
        if (Close) State.PauseTiming();
        auto shown = std::make_unique<TShownPlot>();
        shown->Plot->LoadPropertiesFromFile(path);
        benchmark::ClobberMemory();
        if (Close)
            State.ResumeTiming();
        else
            State.PauseTiming();
        shown.reset();
        if (!Close) State.ResumeTiming();
    }
    DeleteFile(path);
}
void BM_LoadManyObjects(benchmark::State& State) { LoadOrClose<false>(State); }
void BM_CloseManyObjects(benchmark::State& State) { LoadOrClose<true>(State); }
BENCHMARK(BM_LoadManyObjects)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CloseManyObjects)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A mouse move over the data view of the painted plot. Arg 0: the
// configuration of that many objects of each kind, every kind but toolbars
// and annotations; arg 1: that many annotations.
void BM_MouseMoveManyObjects(benchmark::State& State)
{
    const String path = BenchFile("many-objects-mouse");
    TShownPlot shown;
    if (State.range(0) == 0) {
        WriteManyObjectsConfiguration(path, State.range(1), true);
        shown.Plot->LoadPropertiesFromFile(path);
        DeleteFile(path);
    } else {
        AddAnnotations(*shown.Plot, State.range(1));
    }
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(800, 600);
    shown.Plot->kPaintTo(bitmap->Canvas());
    const TRect view = shown.Plot->GetDataView(0)->DrawRect();
    const Integer y = (view.Top + view.Bottom) / 2;
    Integer x = view.Left + 10;
    for (auto _ : State) {
        x = x == view.Left + 10 ? view.Left + 20 : view.Left + 10;
        shown.Plot->MouseMove(TShiftState{}, x, y);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MouseMoveManyObjects)
    ->Args({0, 100})
    ->Args({0, 1000})
    ->Args({1, 1000})
    ->Args({1, 10000})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
