// Feeds arbitrary bytes to a channel's data file reader: points, or a
// conversion error naming a line.

#include "FuzzSupport.h"
#include "components/plot/kPlotDataFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    try {
        ReadChannelTextData(std::string_view(reinterpret_cast<const char*>(Data), Size));
    } catch (const EConvertError& e) {
        Fuzz::Check(Fuzz::StartsWith(e.Message(), "line "));
    }
    return 0;
}
