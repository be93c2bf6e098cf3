// Feeds arbitrary form text to a plot: the readers of its object
// collections, its translation table and its image lists. What reads writes
// back; what does not read leaves a plot that still writes.

#include "FuzzSupport.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/FormStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static const bool ready = [] {
        Fuzz::InitHeadlessProcess();
        kXYPlotInitialization();
        return true;
    }();
    (void)ready;
    TOwned<TkXYPlot> plot(Create<TkXYPlot>(nullptr));
    try {
        ReadComponent(String(reinterpret_cast<const char*>(Data), Size), plot.get());
    } catch (const Exception&) {
    }
    Fuzz::Check(!WriteComponent(plot.get()).empty());
    return 0;
}
