// Feeds arbitrary bytes to the plot's configuration file reader. A load that
// fails says so under its prefix and leaves the plot as it was, which its
// own saved file shows.

#include "FuzzSupport.h"
#include "components/plot/component/kXYPlot.h"

namespace {

std::string SavedBytes(TkXYPlot& Plot)
{
    const String saved = Fuzz::InputFile("PlotConfigFileFuzz-saved", nullptr, 0);
    Plot.SavePropertiesToFile(saved);
    return Fuzz::FileBytes(saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static TkXYPlot* plot = [] {
        Fuzz::InitHeadlessProcess();
        kXYPlotInitialization();
        return Create<TkXYPlot>(nullptr);
    }();
    // Saved again only when a load changed the plot: a save costs as much
    // as a load.
    static std::string before = SavedBytes(*plot);
    const String input = Fuzz::InputFile("PlotConfigFileFuzz-in", Data, Size);
    try {
        plot->LoadPropertiesFromFile(input);
    } catch (const Exception& e) {
        Fuzz::Check(Fuzz::StartsWith(e.Message(), "Error Loading Properties - "));
        Fuzz::Check(SavedBytes(*plot) == before);
        return 0;
    }
    before = SavedBytes(*plot);
    return 0;
}
