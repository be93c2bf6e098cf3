// The plot's files at size: property text and translation tables of 200k
// lines, and one channel of a million points saved and loaded in each data
// form, beside a plain read of the same file.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/files/kPlotDataFiles.h"
#include "components/plot/files/kPlotFileIO.h"
#include "components/plot/objects/kPlotTranslation.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/Graphics.h"

namespace {

constexpr Integer kLines = 200000;
constexpr Integer kPoints = 1000000;

String BenchFile(const char* Name)
{
    return (std::filesystem::temp_directory_path() / (String(Name) + "-" + std::to_string(::getpid()))).string();
}

void BM_PropertyTextLoad200k(benchmark::State& state)
{
    const String path = BenchFile("property-text");
    {
        TStringList lines;
        for (Integer i = 0; i < kLines; ++i) lines.Add(i % 2 ? "Font.Height = -" + IntToStr(i % 40) : "Font.Color = 255");
        lines.SaveToFile(path);
    }
    const TOwned<TFont> font = CreateOwned<TFont>();
    for (auto _ : state) {
        TStringList lines;
        lines.LoadFromFile(path);
        LoadPublishedProperties(font.get(), "Font", lines);
        benchmark::DoNotOptimize(lines.Count());
    }
    DeleteFile(path);
}
BENCHMARK(BM_PropertyTextLoad200k)->Unit(benchmark::kMillisecond);

void BM_TranslationLoad200k(benchmark::State& state)
{
    const String path = BenchFile("translations");
    {
        TStringList lines;
        for (Integer i = 0; i < kLines; ++i) lines.Add("Text " + IntToStr(i) + "\tTexte " + IntToStr(i));
        lines.SaveToFile(path);
    }
    TOwned<TkPlotTranslationManager> table(Create<TkPlotTranslationManager>());
    for (auto _ : state) {
        table->LoadFromFile(path);
        benchmark::DoNotOptimize(table->Count());
    }
    DeleteFile(path);
}
BENCHMARK(BM_TranslationLoad200k)->Unit(benchmark::kMillisecond);

// A plot whose one channel holds a million points of a sampled wave.
TOwned<TkXYPlot> MillionPointPlot(TkPlotDataFileFormat Format)
{
    TOwned<TkXYPlot> plot{Create<TkXYPlot>(nullptr)};
    plot->SetDataFileFormat(Format);
    TkXYPlotChannel* channel = plot->GetChannel(0);
    channel->SetCount(kPoints);
    for (Integer i = 0; i < kPoints; ++i) channel->AddXY(i * 0.001, std::sin(i * 0.001) * 1234.5678);
    return plot;
}

void BM_SaveMillionPoints(benchmark::State& state)
{
    const auto format = static_cast<TkPlotDataFileFormat>(state.range(0));
    const TOwned<TkXYPlot> plot = MillionPointPlot(format);
    const String path = BenchFile("save-points");
    for (auto _ : state) plot->SaveDataToFile(path);
    state.SetBytesProcessed(state.iterations() * static_cast<Int64>(std::filesystem::file_size(path)));
    DeleteFile(path);
}
BENCHMARK(BM_SaveMillionPoints)->Arg(kpdffText)->Arg(kpdffCompactInterval)->Unit(benchmark::kMillisecond);

void BM_LoadMillionPoints(benchmark::State& state)
{
    const auto format = static_cast<TkPlotDataFileFormat>(state.range(0));
    const String path = BenchFile("load-points");
    MillionPointPlot(format)->SaveDataToFile(path);
    TOwned<TkXYPlot> plot{Create<TkXYPlot>(nullptr)};
    plot->GetChannel(0)->SetCount(kPoints);
    for (auto _ : state) {
        state.PauseTiming();
        plot->GetChannel(0)->Clear();
        state.ResumeTiming();
        plot->LoadDataFromFile(path);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<Int64>(std::filesystem::file_size(path)));
    DeleteFile(path);
}
BENCHMARK(BM_LoadMillionPoints)->Arg(kpdffText)->Arg(kpdffCompactInterval)->Unit(benchmark::kMillisecond);

// What reading the Compact Interval file costs at all.
void BM_ReadMillionPointFile(benchmark::State& state)
{
    const String path = BenchFile("read-points");
    MillionPointPlot(kpdffCompactInterval)->SaveDataToFile(path);
    for (auto _ : state) benchmark::DoNotOptimize(ReadFileBytes(path).size());
    state.SetBytesProcessed(state.iterations() * static_cast<Int64>(std::filesystem::file_size(path)));
    DeleteFile(path);
}
BENCHMARK(BM_ReadMillionPointFile)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The Compact Interval reader alone, without the channels' point entry.
void BM_ParseMillionPointCompactFile(benchmark::State& state)
{
    const String path = BenchFile("parse-points");
    MillionPointPlot(kpdffCompactInterval)->SaveDataToFile(path);
    const std::string bytes = ReadFileBytes(path);
    for (auto _ : state) benchmark::DoNotOptimize(ReadPlotCompactData(bytes, 1).size());
    state.SetBytesProcessed(state.iterations() * static_cast<Int64>(bytes.size()));
    DeleteFile(path);
}
BENCHMARK(BM_ParseMillionPointCompactFile)->Unit(benchmark::kMillisecond);

}  // namespace
