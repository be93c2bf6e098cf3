// The plot's property files at size: annotation files of thousands of
// annotations, configurations of thousands of channels, and 100 MB
// configurations with the peak memory of their load beside the file's size.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/component/kXYPlot.h"

namespace {

String BenchFile(const char* Name)
{
    return (std::filesystem::temp_directory_path() / (String(Name) + "-" + std::to_string(::getpid()))).string();
}

// A memory figure of the process in bytes: "VmRSS:" the resident memory,
// "VmHWM:" its peak since the last reset.
Int64 StatusBytes(const std::string& Field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(Field, 0) == 0) return std::stoll(line.substr(Field.size())) * 1024;
    return 0;
}

// From here on the peak is the memory resident now.
void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

// Loads the file that Save writes from a plot that Fill filled, again and
// again into one plot; N is the benchmark's argument.
template <class F, class S, class L>
void LoadedRepeatedly(benchmark::State& state, const char* Name, F Fill, S Save, L Load)
{
    const String path = BenchFile(Name);
    {
        TOwned<TkXYPlot> plot{Create<TkXYPlot>(nullptr)};
        Fill(*plot, state.range(0));
        (plot.get()->*Save)(path);
    }
    TOwned<TkXYPlot> plot{Create<TkXYPlot>(nullptr)};
    for (auto _ : state) (plot.get()->*Load)(path);
    state.SetComplexityN(state.range(0));
    DeleteFile(path);
}

void BM_LoadAnnotations(benchmark::State& state)
{
    const auto fill = [](TkXYPlot& Plot, Int64 Count) {
        for (Int64 i = 0; i < Count; ++i) {
            TkPlotAnnotation* annotation = Plot.GetAnnotation(Plot.AddAnnotation());
            annotation->SetX(Double(i));
            annotation->SetText("Note " + IntToStr(i));
        }
    };
    LoadedRepeatedly(state, "annotations", fill, &TkXYPlot::SaveAnnotationsToFile, &TkXYPlot::LoadAnnotationsFromFile);
}
BENCHMARK(BM_LoadAnnotations)->Arg(2500)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_LoadChannelSections(benchmark::State& state)
{
    const auto fill = [](TkXYPlot& Plot, Int64 Count) {
        while (Plot.ChannelCount() < Count) Plot.AddChannel();
    };
    LoadedRepeatedly(state, "channels", fill, &TkXYPlot::SavePropertiesToFile, &TkXYPlot::LoadPropertiesFromFile);
}
BENCHMARK(BM_LoadChannelSections)->Arg(1500)->Arg(6000)->Unit(benchmark::kMillisecond)->Complexity();

constexpr std::size_t kHugeFile = 100 << 20;

// A 100 MB configuration: the header of a saved plot, then either many
// short property lines of the plot's own or one line of a long title.
void WriteHugeConfiguration(const String& Path, bool OneLongLine)
{
    {
        TOwned<TkXYPlot> plot{Create<TkXYPlot>(nullptr)};
        plot->SavePropertiesToFile(Path);
    }
    std::ofstream file(Path, std::ios::binary | std::ios::app);
    if (OneLongLine) {
        file << "TitleText = " << std::string(kHugeFile, 'T') << "\r\n";
        return;
    }
    for (std::size_t written = 0; written < kHugeFile;) {
        const std::string line = "HintsPause = " + std::to_string(written % 1000) + "\r\n";
        file << line;
        written += line.size();
    }
}

void BM_LoadHugeConfiguration(benchmark::State& state)
{
    const String path = BenchFile("huge-configuration");
    WriteHugeConfiguration(path, state.range(0) != 0);
    const auto fileSize = static_cast<double>(std::filesystem::file_size(path));
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TOwned<TkXYPlot> plot{Create<TkXYPlot>(nullptr)};
        const Int64 before = StatusBytes("VmRSS:");
        ResetPeakResident();
        state.ResumeTiming();
        plot->LoadPropertiesFromFile(path);
        state.PauseTiming();
        peak = std::max(peak, static_cast<double>(StatusBytes("VmHWM:") - before));
        plot.reset();
        state.ResumeTiming();
    }
    // The memory the load added at its peak, in file sizes.
    state.counters["PeakPerFile"] = peak / fileSize;
    state.SetBytesProcessed(state.iterations() * static_cast<Int64>(fileSize));
    DeleteFile(path);
}
BENCHMARK(BM_LoadHugeConfiguration)
    ->ArgName("OneLongLine")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace
