// Drawing a caption of megabytes costs what shows of it.

#include <benchmark/benchmark.h>

#include "platform/Graphics.h"

namespace {

void BM_TextOutHugeRun(benchmark::State& state)
{
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(400, 40);
    const String text(static_cast<std::size_t>(state.range(0)), 'W');
    for (auto _ : state) bitmap->Canvas()->TextOut(5, 5, text);
}
BENCHMARK(BM_TextOutHugeRun)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
