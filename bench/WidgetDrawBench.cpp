// The widget library's drawing routines as the meters use them: a mirrored
// gradient over a whole control for every paint, and an LCD image.

#include <benchmark/benchmark.h>

#include "widgets/QdSysUtils.h"

namespace {

void BM_MirroredGradient(benchmark::State& state)
{
    const Integer side = static_cast<Integer>(state.range(0));
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(side, side);
    for (auto _ : state) DrawGradientExt(bitmap->Canvas(), Rect(0, 0, side, side), clNavy, clAqua, 5, 1);
}
BENCHMARK(BM_MirroredGradient)->Arg(64)->Arg(512);

void BM_DiagonalGradient(benchmark::State& state)
{
    const Integer step = static_cast<Integer>(state.range(0));  // also the pen width
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(256, 256);
    for (auto _ : state) DrawGradientExt(bitmap->Canvas(), Rect(0, 0, 256, 256), clNavy, clAqua, 3, step);
}
BENCHMARK(BM_DiagonalGradient)->Arg(1)->Arg(2);

void BM_BitmapToLCD(benchmark::State& state)
{
    TOwned<TBitmap> source = CreateOwned<TBitmap>();
    source->SetSize(64, 16);
    TOwned<TBitmap> lcd = CreateOwned<TBitmap>();
    for (auto _ : state) BitmapToLCD(lcd.get(), source.get(), clBlack, clGreen, 3, 1);
}
BENCHMARK(BM_BitmapToLCD);

}  // namespace
