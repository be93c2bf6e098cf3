// Feeds arbitrary bytes to a channel's configuration file reader: a load
// that fails says so under its prefix and leaves the channel's settings as
// they were.

#include "FuzzSupport.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static TkXYPlot* plot = [] {
        Fuzz::InitHeadlessProcess();
        return Create<TkXYPlot>(nullptr);
    }();
    TkPlotChannelCustom* channel = plot->GetChannel(0);
    const String input = Fuzz::InputFile("ChannelConfigFuzz-in", Data, Size);
    const String saved = Fuzz::InputFile("ChannelConfigFuzz-saved", Data, 0);
    channel->SavePropertiesToFile(saved);
    const std::string before = Fuzz::FileBytes(saved);
    try {
        channel->LoadPropertiesFromFile(input);
    } catch (const Exception& e) {
        Fuzz::Check(Fuzz::StartsWith(e.Message(), "Error Loading Properties - "));
        channel->SavePropertiesToFile(saved);
        Fuzz::Check(Fuzz::FileBytes(saved) == before);
    }
    return 0;
}
