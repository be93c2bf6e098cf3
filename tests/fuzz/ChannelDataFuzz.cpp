// Feeds arbitrary bytes to a channel's data file reader: points, a
// conversion error naming a line, or the refusal of a file of another kind.

#include "FuzzSupport.h"
#include "components/plot/files/kPlotDataFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    try {
        ReadChannelTextData(std::string_view(reinterpret_cast<const char*>(Data), Size));
    } catch (const EConvertError& e) {
        Fuzz::Check(Fuzz::StartsWith(e.Message(), "line ") ||
                    e.Message() == "no line holds a number and a column separator: it is no channel data file");
    }
    return 0;
}
