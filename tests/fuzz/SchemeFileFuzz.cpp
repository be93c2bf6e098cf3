// Feeds arbitrary bytes to the scheme file reader. Every input either loads
// or raises one of the reader's own exceptions, and ends: each read moves on
// or meets the end of the data.

#include <cstddef>
#include <cstdint>

#include "components/foundation/kSchemeFile.h"
#include "components/foundation/kXMLMemoryStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TkXMLMemoryStream stream;
    stream.WriteBuffer(data, static_cast<Int64>(size));
    stream.SetPosition(0);
    TOwned<TStringList> categories(Create<TStringList>(true));
    try {
        LoadSchemeFile(stream, *categories, size % 2 == 0);
    } catch (const Exception&) {
        // Malformed input ends in the reader's message; what was read stays.
    }
    // Every category holds a scheme list, every scheme a line list.
    for (Integer c = 0; c < categories->Count(); ++c) {
        const auto* schemes = static_cast<const TStringList*>(categories->Objects(c));
        for (Integer s = 0; s < schemes->Count(); ++s) {
            const auto* scheme = static_cast<const TStringList*>(schemes->Objects(s));
            if (!scheme) __builtin_trap();
            for (Integer l = 0; l < scheme->Count(); ++l) {
                String name, value;
                SplitSchemeLine(scheme->Strings(l), name, value);
            }
        }
    }
    return 0;
}
