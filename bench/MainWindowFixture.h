#pragma once
// The program's main window, made once for every benchmark that drives it,
// and a frame to paint one of its plots into as the window does.

#include <benchmark/benchmark.h>

#include "app/AppUnits.h"
#include "app/JOV.h"
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
