// The main window's two computations, per call: "Calcul direct" (1080 x 1080
// ordered multiply-adds and the delays, then 1080 points to plot 2) and one
// tick of the step run (1080 multiply-adds, plot 3 refilled, one point to
// plot 2), alone and with the repaint of the two plots it changed; and the
// paint of one of the window's plots of 1080 points.

#include <benchmark/benchmark.h>

#include "app/AppUnits.h"
#include "app/JOV.h"
#include "platform/Graphics.h"

namespace {

// One window for every benchmark of this file.
TForm1* Window()
{
    static TForm1* form = [] {
        RegisterProgramUnits();
        InitializeUnits();
        TForm1* f = Create<TForm1>(Application);
        f->ComboBox2->SetItemIndex(2);
        f->ComboBox1->SetItemIndex(2);
        return f;
    }();
    return form;
}

void BM_CalculDirect(benchmark::State& state)
{
    TForm1* form = Window();
    for (auto _ : state) form->calcul(nullptr);
}
BENCHMARK(BM_CalculDirect)->Unit(benchmark::kMillisecond);

void BM_StepTick(benchmark::State& state)
{
    TForm1* form = Window();
    for (auto _ : state) form->graph(nullptr);
}
BENCHMARK(BM_StepTick)->Unit(benchmark::kMicrosecond);

// Paints a plot as the window does, onto a bitmap of the plot's size.
class TPlotFrame {
public:
    explicit TPlotFrame(TkXYPlot* Plot) : FPlot(Plot) { FBitmap->SetSize(Plot->Width(), Plot->Height()); }
    void Paint()
    {
        FPlot->kPaintTo(FBitmap->Canvas());
        benchmark::ClobberMemory();
    }

private:
    TkXYPlot* FPlot;
    TOwned<TBitmap> FBitmap = CreateOwned<TBitmap>();
};

void BM_StepTickWithRepaint(benchmark::State& state)
{
    TForm1* form = Window();
    TPlotFrame sliding(form->kXYPlot3);
    TPlotFrame curve(form->kXYPlot2);
    for (auto _ : state) {
        form->graph(nullptr);
        sliding.Paint();
        curve.Paint();
    }
}
BENCHMARK(BM_StepTickWithRepaint)->Unit(benchmark::kMicrosecond);

void BM_PaintWindowPlot(benchmark::State& state)
{
    TForm1* form = Window();
    TPlotFrame signal(form->kXYPlot1);
    for (auto _ : state) signal.Paint();
}
BENCHMARK(BM_PaintWindowPlot)->Unit(benchmark::kMicrosecond);

}  // namespace
