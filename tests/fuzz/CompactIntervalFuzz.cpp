// Feeds arbitrary bytes to the Compact Interval reader: it gives finite
// points below the missing-value limit, for at most the channels asked
// for, as many as it counts for each beforehand, or a conversion error.

#include <cmath>

#include "FuzzSupport.h"
#include "components/plot/files/kPlotDataFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(Data), Size);
    try {
        const TkPlotFileChannels channels = ReadPlotCompactData(bytes, 3);
        Fuzz::Check(channels.size() <= 3);
        for (const auto& points : channels)
            for (const TkPlotFilePoint& p : points) Fuzz::Check(std::isfinite(p.Y) && p.Y < 9.0e37);
        const TkPlotDataFile file(bytes, 3);
        for (std::size_t c = 0; c < channels.size(); ++c) Fuzz::Check(file.PointCount(c) == channels[c].size());
    } catch (const EConvertError& e) {
        Fuzz::Check(!e.Message().empty());
    }
    return 0;
}
