// Feeds arbitrary lines to the property text reader over a font: every line
// applies, or the one that raised stays first in the list with those after
// it.

#include "FuzzSupport.h"
#include "components/foundation/kCommonRoutines.h"
#include "platform/Graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static TFont* font = [] {
        Fuzz::InitHeadlessProcess();
        return Create<TFont>();
    }();
    TStringList lines;
    lines.SetText(String(reinterpret_cast<const char*>(Data), Size));
    const Integer count = lines.Count();
    try {
        LoadPublishedProperties(font, "Font", lines);
        Fuzz::Check(lines.Count() <= count);
    } catch (const EConvertError&) {
        Fuzz::Check(lines.Count() > 0 && lines.Count() <= count);
    }
    return 0;
}
