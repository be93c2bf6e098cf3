#include "components/plot/kPlotPropertyFiles.h"

#include <algorithm>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/kPlotFileIO.h"

void SaveLinesSafely(const String& FileName, const TStrings& Lines)
{
    SaveFileSafely(FileName, Utf8ToWin1252(Lines.Text()));
}

void ReadTypedPropertyFile(const String& FileName, const String& FileType, const char* Incompatible,
                           TStringList& Lines)
{
    Lines.LoadFromFile(FileName);
    String type;
    if (!ExtractNamedLine("File Type", type, Lines) || !SameText(type, FileType)) throw Exception(Incompatible);
}

namespace {

// The path of a property line behind Prefix; false for a line of another
// prefix, where the section ends.
bool SectionPath(const String& Line, const String& Prefix, String& Path)
{
    String value, head;
    SplitAtSeparator(Line, "=", Path, value);
    StripPathPrefix(Prefix, Path, head);
    return head == Prefix;
}

bool NamesLastProperty(const String& Line, const String& Prefix, std::initializer_list<const char*> Last)
{
    String path;
    SectionPath(Line, Prefix, path);
    return std::any_of(Last.begin(), Last.end(), [&](const char* name) { return SameText(path, name); });
}

}  // namespace

Integer ApplyPropertiesOrRestore(TObject* Instance, const String& Prefix, const TStrings& Lines, Integer From,
                                 std::initializer_list<const char*> Last)
{
    TStringList ordered, deferred;
    Integer end = std::max(From, 0);
    for (String path; end < Lines.Count() && SectionPath(Lines.Strings(end), Prefix, path); ++end)
        (NamesLastProperty(Lines.Strings(end), Prefix, Last) ? deferred : ordered).Add(Lines.Strings(end));
    ordered.AddStrings(deferred);

    TStringList saved;
    SavePublishedProperties(Instance, Prefix, saved, false);
    try {
        Integer applied = 0;
        ApplyPublishedProperties(Instance, Prefix, ordered, 0, applied);
    } catch (...) {
        // The deferred setters come last and raise before they drop
        // anything: setting back all other properties loses nothing.
        TStringList restore;
        for (Integer i = 0; i < saved.Count(); ++i)
            if (!NamesLastProperty(saved.Strings(i), Prefix, Last)) restore.Add(saved.Strings(i));
        Integer restored = 0;
        ApplyPublishedProperties(Instance, Prefix, restore, 0, restored);
        throw;
    }
    return end;
}
