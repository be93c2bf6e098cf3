// Feeds arbitrary bytes to the plot's annotation file reader: a load that
// fails says so under its prefix and keeps the annotations the plot had.

#include "FuzzSupport.h"
#include "components/plot/component/kXYPlot.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static TkXYPlot* plot = [] {
        Fuzz::InitHeadlessProcess();
        kXYPlotInitialization();
        return Create<TkXYPlot>(nullptr);
    }();
    const String input = Fuzz::InputFile("AnnotationFileFuzz-in", Data, Size);
    const String saved = Fuzz::InputFile("AnnotationFileFuzz-saved", Data, 0);
    plot->SaveAnnotationsToFile(saved);
    const std::string before = Fuzz::FileBytes(saved);
    try {
        plot->LoadAnnotationsFromFile(input);
    } catch (const Exception& e) {
        Fuzz::Check(Fuzz::StartsWith(e.Message(), "Error Loading Annotations - "));
        plot->SaveAnnotationsToFile(saved);
        Fuzz::Check(Fuzz::FileBytes(saved) == before);
    }
    return 0;
}
