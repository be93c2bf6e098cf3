// The block transfer every shown control's paint ends with: a 1000 x 400
// offscreen picture copied onto the control's retained image, alone (as
// BitBlt between bitmaps, through the common raster operations) and within
// the whole paint of a shown XY plot of that size, from the paint event to
// the pixels on the window's surface; and the whole-frame solid fill such a
// paint starts with.

#include <benchmark/benchmark.h>

#include <cmath>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/Forms.h"
#include "platform/Math.h"
#include "platform/SysApi.h"
#include "platform/Testing.h"

namespace {

constexpr Integer kWidth = 1000;
constexpr Integer kHeight = 400;

TOwned<TBitmap> StripedBitmap()
{
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(kWidth, kHeight);
    TCanvas* canvas = bitmap->Canvas();
    for (Integer y = 0; y < kHeight; y += 8) {
        canvas->Brush()->SetColor(RGB(y % 256, (3 * y) % 256, 255 - y % 256));
        canvas->FillRect(Rect(0, y, kWidth, y + 4));
    }
    return bitmap;
}

void BM_BitBltSameSize(benchmark::State& State, Cardinal Rop)
{
    TOwned<TBitmap> source = StripedBitmap();
    TOwned<TBitmap> target = StripedBitmap();
    for (auto _ : State) {
        BitBlt(target->Canvas(), 0, 0, kWidth, kHeight, source->Canvas(), 0, 0, Rop);
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * kWidth * kHeight);
}
BENCHMARK_CAPTURE(BM_BitBltSameSize, SRCCOPY, SRCCOPY)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BitBltSameSize, SRCINVERT, SRCINVERT)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BitBltSameSize, SRCAND, SRCAND)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BitBltSameSize, NOTSRCCOPY, NOTSRCCOPY)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BitBltSameSize, PATCOPY, PATCOPY)->Unit(benchmark::kMicrosecond);

// The solid fill a control's paint starts with, over the whole frame.
void BM_FillRectWhole(benchmark::State& State)
{
    TOwned<TBitmap> target = StripedBitmap();
    TCanvas* canvas = target->Canvas();
    canvas->Brush()->SetColor(clWhite);
    for (auto _ : State) {
        canvas->FillRect(Rect(0, 0, kWidth, kHeight));
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_FillRectWhole)->Unit(benchmark::kMicrosecond);

// A shown 1000 x 400 XY plot of 1080 points, repainted through its paint
// event as the screen asks for it.
void BM_ShownPlotPaint(benchmark::State& State)
{
    kXYPlotInitialization();
    TOwned<TForm> form(Create<TForm>(nullptr));
    form->SetBounds(0, 0, kWidth + 20, kHeight + 20);
    TkXYPlot* plot = Create<TkXYPlot>(form.get());
    plot->SetParent(form.get());
    plot->SetBounds(0, 0, kWidth, kHeight);
    plot->GetXAxis(0)->SetSpan(1080);
    plot->GetYAxis(0)->SetSpan(2);
    plot->GetYAxis(0)->SetMin(-1);
    TkPlotChannelCustom* channel = plot->GetChannel(0);
    for (Integer i = 0; i < 1080; ++i) channel->AddXY(i, std::sin(2 * Pi * i / 360));
    form->Show();
    Testing::Input::Flush();
    Integer paints = 0;
    plot->OnPaint = [&paints](TObject*, TCanvas*) { ++paints; };
    for (auto _ : State) plot->Repaint();
    if (paints != State.iterations()) State.SkipWithError("the plot did not paint once per repaint");
}
BENCHMARK(BM_ShownPlotPaint)->Unit(benchmark::kMicrosecond);

}  // namespace
