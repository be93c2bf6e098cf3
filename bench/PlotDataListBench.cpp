// Appending points to each point store, as a channel does: through the
// store's base class, ten million points per run. Reports the time and the
// memory per point.

#include <benchmark/benchmark.h>

#include "components/plot/store/kPlotDataList.h"

namespace {

constexpr Integer kPoints = 10'000'000;

template <class TStore>
void AddPoints(benchmark::State& state, Integer RingBufferSize)
{
    Double bytesPerPoint = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        TOwned<TStore> store = CreateOwned<TStore>();
        // Hide the concrete type: the channel only knows the base class.
        TkPlotDataCustomList* list = store.get();
        benchmark::DoNotOptimize(list);
        list->SetRingBufferSize(RingBufferSize);
        state.ResumeTiming();

        for (Integer i = 0; i < kPoints; ++i) list->Add(i, i * 0.5, false, false);
        benchmark::ClobberMemory();

        state.PauseTiming();
        bytesPerPoint = static_cast<Double>(list->MemoryUsed()) / list->Count();
        store.reset();
        state.ResumeTiming();
    }
    state.counters["time_per_point"] =
        benchmark::Counter(kPoints, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["bytes_per_point"] = bytesPerPoint;
}

// The same appends into slots that an earlier run already grew and touched
// (DeletePoints keeps the capacity): the store's own cost, without the
// kernel's first-touch page faults that dominate the fresh runs.
void BM_AddStandardWarm(benchmark::State& state)
{
    TOwned<TkPlotDataNullList> store = CreateOwned<TkPlotDataNullList>();
    TkPlotDataCustomList* list = store.get();
    benchmark::DoNotOptimize(list);
    for (Integer i = 0; i < kPoints; ++i) list->Add(i, i * 0.5, false, false);
    for (auto _ : state) {
        state.PauseTiming();
        list->DeletePoints(list->Count() - 1);
        state.ResumeTiming();
        for (Integer i = 1; i < kPoints; ++i) list->Add(i, i * 0.5, false, false);
        benchmark::ClobberMemory();
    }
    state.counters["time_per_point"] = benchmark::Counter(
        kPoints - 1, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["bytes_per_point"] = static_cast<Double>(list->MemoryUsed()) / list->Count();
}

void BM_AddStandard(benchmark::State& state) { AddPoints<TkPlotDataNullList>(state, 0); }
void BM_AddStandardRing(benchmark::State& state) { AddPoints<TkPlotDataNullList>(state, 1'000'000); }
void BM_AddCompact(benchmark::State& state) { AddPoints<TkPlotDataCompactList>(state, 0); }
void BM_AddCompactInterval(benchmark::State& state) { AddPoints<TkPlotDataCompactIntervalList>(state, 0); }
void BM_AddFullFeature(benchmark::State& state) { AddPoints<TkPlotDataFullList>(state, 0); }

BENCHMARK(BM_AddStandard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddStandardWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddStandardRing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddCompact)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddCompactInterval)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddFullFeature)->Unit(benchmark::kMillisecond);

}  // namespace
