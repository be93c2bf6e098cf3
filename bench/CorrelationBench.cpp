// The main window's two computations, per call: "Calcul direct" (1080 x 1080
// ordered multiply-adds and the delays, then 1080 points to plot 2) and one
// tick of the step run (1080 multiply-adds, plot 3 redrawn, one point).

#include <benchmark/benchmark.h>

#include "app/AppUnits.h"
#include "app/JOV.h"

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

}  // namespace
