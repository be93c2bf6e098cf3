// Feeds arbitrary bytes to the plot's text data reader: it gives points for
// at most the channels asked for, a conversion error naming a line, or the
// refusal of a file of another kind.

#include "FuzzSupport.h"
#include "components/plot/files/kPlotDataFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(Data), Size);
    try {
        Fuzz::Check(ReadPlotTextData(bytes, 3).size() == 3);
    } catch (const EConvertError& e) {
        Fuzz::Check(Fuzz::StartsWith(e.Message(), "line ") || e.Message() == "the file is empty" ||
                    e.Message() == "the file holds no line break: it is no data file");
    }
    return 0;
}
