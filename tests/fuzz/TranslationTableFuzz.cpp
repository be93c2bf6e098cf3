// Feeds arbitrary bytes to the translation table reader. A read either
// replaces the table or fails with the load message and keeps the table; a
// table that was read saves to text that reads back to the same table.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "components/plot/objects/kPlotTranslation.h"

namespace {

using TEntries = std::vector<std::pair<String, String>>;

TEntries EntriesOf(const TkPlotTranslationManager& Table)
{
    TEntries entries;
    for (Integer i = 0; i < Table.Count(); ++i)
        entries.emplace_back(Table.GetItem(i)->OriginalString(), Table.GetItem(i)->ReplacementString());
    return entries;
}

void Check(bool Condition)
{
    if (!Condition) std::abort();
}

// Saved text that starts like a byte-order mark is read back as another
// encoding: such tables are not expected to round-trip.
bool StartsLikeByteOrderMark(TMemoryStream& Stream)
{
    const auto* bytes = static_cast<const unsigned char*>(Stream.Memory());
    const Int64 size = Stream.Size();
    if (size >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) return true;
    return size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
}

TkPlotTranslationManager& Table()
{
    static TkPlotTranslationManager* table = Create<TkPlotTranslationManager>([](TObject*) {}, [](TObject*) {});
    return *table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    TkPlotTranslationManager& table = Table();
    const TEntries before = EntriesOf(table);
    TMemoryStream input;
    input.WriteBuffer(Data, static_cast<Int64>(Size));
    input.SetPosition(0);
    try {
        table.LoadFromStream(input);
    } catch (const Exception& e) {
        Check(e.Message().rfind("Error Loading Data - ", 0) == 0);
        Check(EntriesOf(table) == before);
        return 0;
    }

    const TEntries loaded = EntriesOf(table);
    TMemoryStream saved;
    table.SaveToStream(saved);  // read lines hold neither line breaks nor a tab in the source
    if (StartsLikeByteOrderMark(saved)) return 0;
    saved.SetPosition(0);
    table.LoadFromStream(saved);
    TMemoryStream again;
    table.SaveToStream(again);
    Check(again.Size() == saved.Size() &&
          std::equal(static_cast<const char*>(again.Memory()),
                     static_cast<const char*>(again.Memory()) + again.Size(),
                     static_cast<const char*>(saved.Memory())));
    // Text in the default code page comes back unchanged.
    if (Size < 2 || (Data[0] != 0xFF && Data[0] != 0xFE && Data[0] != 0xEF)) Check(EntriesOf(table) == loaded);
    return 0;
}
