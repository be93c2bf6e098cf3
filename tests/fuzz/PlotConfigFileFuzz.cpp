// Feeds arbitrary bytes to the plot's configuration file reader. A load that
// fails says so under its prefix and leaves the plot as it was, which its
// own saved file shows.

#include "FuzzSupport.h"
#include "components/plot/kXYPlot.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static TkXYPlot* plot = [] {
        Fuzz::InitHeadlessProcess();
        kXYPlotInitialization();
        return Create<TkXYPlot>(nullptr);
    }();
    const String input = Fuzz::InputFile("PlotConfigFileFuzz-in", Data, Size);
    const String saved = Fuzz::InputFile("PlotConfigFileFuzz-saved", Data, 0);
    plot->SavePropertiesToFile(saved);
    const std::string before = Fuzz::FileBytes(saved);
    try {
        plot->LoadPropertiesFromFile(input);
    } catch (const Exception& e) {
        Fuzz::Check(Fuzz::StartsWith(e.Message(), "Error Loading Properties - "));
        plot->SavePropertiesToFile(saved);
        Fuzz::Check(Fuzz::FileBytes(saved) == before);
    }
    return 0;
}
