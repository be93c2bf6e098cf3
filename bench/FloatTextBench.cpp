#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "platform/SysUtils.h"

namespace {

std::vector<double> SampleValues()
{
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> value(-1000.0, 1000.0);
    std::vector<double> values(1024);
    for (double& v : values) v = value(rng);
    return values;
}

void BM_FloatToStr(benchmark::State& state)
{
    const auto values = SampleValues();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(FloatToStr(values[i++ & 1023]));
}
BENCHMARK(BM_FloatToStr);

void BM_StrToFloatDouble(benchmark::State& state)
{
    std::vector<String> texts;
    for (double v : SampleValues()) texts.push_back(FloatToStr(v));
    std::size_t i = 0;
    double d = 0;
    for (auto _ : state) benchmark::DoNotOptimize(TryStrToFloat(texts[i++ & 1023], d));
}
BENCHMARK(BM_StrToFloatDouble);

void BM_StrToFloatExtended(benchmark::State& state)
{
    std::vector<String> texts;
    for (double v : SampleValues()) texts.push_back(FloatToStr(v));
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(StrToFloat(texts[i++ & 1023]));
}
BENCHMARK(BM_StrToFloatExtended);

void BM_FormatFixed(benchmark::State& state)
{
    const auto values = SampleValues();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(Format("%.3f", values[i++ & 1023]));
}
BENCHMARK(BM_FormatFixed);

}  // namespace
