#include "components/plot/files/kPlotPropertyFiles.h"

#include <algorithm>
#include <span>
#include <unordered_set>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/files/kPlotFileIO.h"

void SaveLinesSafely(const String& FileName, const TStrings& Lines)
{
    const RawByteString bytes = EncodeTextFile(Lines.Text());
    if (const std::size_t at = FindBinaryByte(bytes); at != std::string_view::npos) {
        String path, value;
        SplitAtSeparator(Lines.Strings(std::min(LineOfOffset(bytes, at), Lines.Count()) - 1), "=", path, value);
        throw EConvertError(path + " holds the control character #" +
                            IntToStr(static_cast<unsigned char>(bytes[at])) + ", which a text file cannot hold");
    }
    SaveFileSafely(FileName, bytes);
}

String ReadPropertyText(const String& FileName)
{
    RawByteString bytes = ReadFileBytes(FileName);
    String text;
    NamingTheFile(FileName, [&] {
        text = DecodeTextFile(std::move(bytes));
        CheckTextBytes(text);
    });
    return text;
}

void CheckFileType(TStrings& Lines, const String& FileType, const char* Incompatible)
{
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

bool NamesLastProperty(const String& Line, const String& Prefix, std::span<const char* const> Last)
{
    String path;
    SectionPath(Line, Prefix, path);
    return std::any_of(Last.begin(), Last.end(), [&](const char* name) { return SameText(path, name); });
}

}  // namespace

Integer SectionEnd(const TStrings& Lines, const String& Prefix, Integer From)
{
    Integer end = std::max(From, 0);
    for (String path; end < Lines.Count() && SectionPath(Lines.Strings(end), Prefix, path);) ++end;
    return end;
}

TkPropertiesRestorePoint::TkPropertiesRestorePoint(TObject* Instance, String Prefix,
                                                   std::initializer_list<const char*> Last)
    : FInstance(Instance), FPrefix(std::move(Prefix)), FLast(Last)
{
    SavePublishedProperties(FInstance, FPrefix, FSaved, false);
}

void TkPropertiesRestorePoint::Restore() const
{
    TStringList now;
    SavePublishedProperties(FInstance, FPrefix, now, false);
    std::unordered_set<String> unchanged;
    for (Integer i = 0; i < now.Count(); ++i) unchanged.insert(now.Strings(i));
    TStringList restore, restoreLast;
    for (Integer i = 0; i < FSaved.Count(); ++i) {
        const String line = FSaved.Strings(i);
        if (!unchanged.contains(line)) (NamesLastProperty(line, FPrefix, FLast) ? restoreLast : restore).Add(line);
    }
    restore.AddStrings(restoreLast);
    Integer restored = 0;
    ApplyPublishedProperties(FInstance, FPrefix, restore, 0, restored);
}

Integer ApplyPropertiesOrRestore(TObject* Instance, const String& Prefix, const TStrings& Lines, Integer From,
                                 std::initializer_list<const char*> Last)
{
    TStringList ordered, deferred;
    const Integer end = SectionEnd(Lines, Prefix, From);
    for (Integer i = std::max(From, 0); i < end; ++i)
        (NamesLastProperty(Lines.Strings(i), Prefix, {Last.begin(), Last.size()}) ? deferred : ordered)
            .Add(Lines.Strings(i));
    ordered.AddStrings(deferred);

    const TkPropertiesRestorePoint before(Instance, Prefix, Last);
    try {
        Integer applied = 0;
        ApplyPublishedProperties(Instance, Prefix, ordered, 0, applied);
    } catch (...) {
        before.Restore();
        throw;
    }
    return end;
}
