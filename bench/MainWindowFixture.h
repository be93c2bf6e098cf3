#pragma once
// The program's main window, made once for every benchmark that drives it,
// a frame to paint one of its plots into as the window does, and a way to
// make the next paint walk every point again.

#include <benchmark/benchmark.h>

#include "app/AppUnits.h"
#include "app/JOV.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/Graphics.h"

// The window with the signals that its two lists offer third.
inline TForm1* MainWindow()
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

// Paints a plot onto a bitmap of the plot's size.
class TPlotFrame {
public:
    explicit TPlotFrame(TkPlotComponent* Plot) : FPlot(Plot) { FBitmap->SetSize(Plot->Width(), Plot->Height()); }
    void Paint()
    {
        FPlot->kPaintTo(FBitmap->Canvas());
        benchmark::ClobberMemory();
    }

private:
    TkPlotComponent* FPlot;
    TOwned<TBitmap> FBitmap = CreateOwned<TBitmap>();
};

// Untimed, before a frame that is to walk every point as a first paint of
// them does, not on from where the last paint stopped: the channel's first
// point written back with its own value, and the first axes fitted to the
// extents that the plot then finds again.
inline void ForgetTheLastWalk(benchmark::State& State, TkXYPlot& Plot, TkPlotChannelCustom& Channel)
{
    State.PauseTiming();
    Channel.SetYValue(0, Channel.GetYValue(0));
    Plot.GetXAxis(0)->ZoomToFit();
    Plot.GetYAxis(0)->ZoomToFit();
    State.ResumeTiming();
}
