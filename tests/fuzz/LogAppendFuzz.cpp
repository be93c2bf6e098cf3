// Feeds arbitrary bytes, as the whole of an existing log, to the check that
// comes before rows are appended to it: it accepts only a log whose last
// row is whole, so the same log cut inside its last value (compact) or
// with part of a row after it (text) is refused, and it refuses with a
// conversion error.

#include <optional>

#include "FuzzSupport.h"
#include "components/plot/files/kPlotDataFiles.h"

namespace {

// The channel count when rows may follow Bytes.
std::optional<Integer> Appendable(std::string_view Bytes, bool Compact, char Separator)
{
    TkFileEnds log;
    log.Head = std::string(Bytes.substr(0, 1024));
    log.Tail = std::string(Bytes.substr(Bytes.size() - std::min<std::size_t>(Bytes.size(), 4)));
    log.Size = static_cast<Int64>(Bytes.size());
    try {
        return PlotLogChannelCount(log, Compact, Separator);
    } catch (const EConvertError& e) {
        Fuzz::Check(!e.Message().empty());
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    if (Size == 0) return 0;
    // The first byte chooses the log's form and separator.
    const bool compact = (Data[0] & 1) != 0;
    const char separator = (Data[0] & 2) != 0 ? ',' : '\t';
    const std::string_view bytes(reinterpret_cast<const char*>(Data + 1), Size - 1);
    const std::optional<Integer> channels = Appendable(bytes, compact, separator);
    if (!channels) return 0;
    Fuzz::Check(*channels >= 0 && !bytes.empty());
    Fuzz::Check(compact || bytes.ends_with('\n'));
    const std::string cut = compact ? std::string(bytes.substr(0, bytes.size() - 1)) : std::string(bytes) + "1";
    Fuzz::Check(!Appendable(cut, compact, separator));
    return 0;
}
