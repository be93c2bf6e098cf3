// A registry file of 25,000 and 100,000 keys, each with one value, read
// when a key is opened.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/Registry.h"

namespace {

void BM_OpenKeyOfManySections(benchmark::State& State)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("registry-bench-" + std::to_string(::getpid()) + ".ini");
    {
        std::ofstream out(file, std::ios::binary);
        for (Int64 i = 0; i < State.range(0); ++i)
            out << "[Software\\Bench\\Key" << i << "]\nValue=\"" << i << "\"\n\n";
    }
    ::setenv("PL_REGISTRY_USER", file.c_str(), 1);
    for (auto _ : State) {
        TRegistry registry;
        benchmark::DoNotOptimize(registry.OpenKeyReadOnly("Software\\Bench\\Key0"));
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_OpenKeyOfManySections)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
