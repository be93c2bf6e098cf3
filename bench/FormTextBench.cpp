// Form data read from files of 25 to 100 MB: a book whose lines fill most
// of the file (a memo's kind of text), a series of samples and a few
// hundred entries with the usual kinds of value. Time, and the peak
// resident memory the read adds (the file's bytes included) against the
// size of the file.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/FormStream.h"

namespace {

class TBenchEntry : public TComponent {
    PL_CLASSINFO()
public:
    using TComponent::TComponent;
    String Caption;
    Double Value = 0;
    Integer Count = 0;
    bool Visible = true;
};

class TBenchBook : public TComponent {
    PL_CLASSINFO()
public:
    using TComponent::TComponent;
    TStringList* Lines() const { return FLines.get(); }
    std::vector<Double> Samples;

    void DefineProperties(TFiler& Filer) override
    {
        TComponent::DefineProperties(Filer);
        Filer.DefineProperty(
            "Samples",
            [this](TReader& Reader) {
                Reader.ReadListBegin();
                while (!Reader.EndOfList()) Samples.push_back(Reader.ReadDouble());
                Reader.ReadListEnd();
            },
            {}, false);
    }

private:
    TOwned<TStringList> FLines = CreateOwned<TStringList>();
};

}  // namespace

TClass TBenchEntry::StaticClassInfo()
{
    using C = TBenchEntry;
    static const TClassInfo info = TClassBuilder<C, TComponent>("TBenchEntry")
                                       .String("Caption", &C::Caption)
                                       .Float("Value", &C::Value)
                                       .Integer("Count", &C::Count)
                                       .Bool("Visible", &C::Visible)
                                       .Build();
    return &info;
}

TClass TBenchBook::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TBenchBook, TComponent>("TBenchBook").Object("Lines", &TBenchBook::Lines).Build();
    return &info;
}

namespace {

constexpr Integer kEntries = 300;

// About Bytes of form text: half lines, half samples.
String BookText(std::size_t Bytes)
{
    String text = "object Book: TBenchBook\n  Lines.Strings = (\n";
    for (Integer i = 0; text.size() < Bytes / 2; ++i)
        text += "    'Ligne " + IntToStr(i) + " d''un long texte, avec des mots, des chiffres et des signes.'\n";
    text += "  )\n  Samples = (\n";
    for (Integer i = 0; text.size() < Bytes; ++i) text += "    " + IntToStr(i) + "." + IntToStr(i % 977 + 1) + "\n";
    text += "  )\n";
    for (Integer i = 0; i < kEntries; ++i)
        text += "  object Entry" + IntToStr(i) + ": TBenchEntry\n    Caption = 'Entr'#233'e " + IntToStr(i) +
                "'\n    Value = " + IntToStr(i) + ".25\n    Count = " + IntToStr(i) + "\n    Visible = False\n  end\n";
    return text + "end\n";
}

// A field of the process's status in kilobytes: "VmRSS:" the resident
// memory, "VmHWM:" its peak, which ResetPeakMemory brings down to the
// present.
Int64 StatusKiB(const char* Field)
{
    std::ifstream status("/proc/self/status");
    for (String line; std::getline(status, line);)
        if (line.rfind(Field, 0) == 0) return std::stoll(line.substr(std::strlen(Field)));
    return 0;
}

void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

void BM_ReadFormTextFile(benchmark::State& State)
{
    RegisterClasses({TBenchEntry::StaticClassInfo(), TBenchBook::StaticClassInfo()});
    const String path =
        (std::filesystem::temp_directory_path() / ("form-text-" + std::to_string(::getpid()))).string();
    std::ofstream(path, std::ios::binary) << BookText(static_cast<std::size_t>(State.range(0)) << 20);
    const auto bytes = static_cast<Int64>(std::filesystem::file_size(path));
    Int64 added = 0;
    for (auto _ : State) {
        TOwned<TBenchBook> book(Create<TBenchBook>(nullptr));
        // What earlier runs freed goes back to the system first.
        malloc_trim(0);
        ResetPeakMemory();
        const Int64 before = StatusKiB("VmRSS:");
        {
            TFileStream file(path, fmOpenRead);
            ReadComponent(file, book.get());
        }
        added = std::max(added, StatusKiB("VmHWM:") - before);
        benchmark::DoNotOptimize(book->Lines()->Count());
    }
    State.counters["PeakToFile"] = static_cast<double>(added) * 1024 / static_cast<double>(bytes);
    State.SetBytesProcessed(State.iterations() * bytes);
    DeleteFile(path);
}
BENCHMARK(BM_ReadFormTextFile)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
