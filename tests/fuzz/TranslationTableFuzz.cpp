// Feeds arbitrary bytes to the translation table reader. A read either
// replaces the table or fails with the load message and keeps the table; a
// table that was read, in any encoding, saves to text that reads back to
// the same table.

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

TkPlotTranslationManager& Table()
{
    static TkPlotTranslationManager* table = Create<TkPlotTranslationManager>();
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
    saved.SetPosition(0);
    table.LoadFromStream(saved);
    TMemoryStream again;
    table.SaveToStream(again);
    Check(again.Size() == saved.Size() &&
          std::equal(static_cast<const char*>(again.Memory()),
                     static_cast<const char*>(again.Memory()) + again.Size(),
                     static_cast<const char*>(saved.Memory())));
    // Whatever the encoding read, the text saved reads back unchanged.
    Check(EntriesOf(table) == loaded);
    return 0;
}
