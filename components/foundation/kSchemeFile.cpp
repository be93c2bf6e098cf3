#include "components/foundation/kSchemeFile.h"

#include <unordered_map>

#include "components/foundation/kXMLMemoryStream.h"
#include "platform/Registry.h"

namespace {

constexpr const char ThemesKey[] = "SOFTWARE\\Kelvane\\Themes";
constexpr const char MakerPathValue[] = "Kelvane Defined Theme Path";
constexpr const char UserPathValue[] = "User Defined Theme Path";

void Expect(TkXMLMemoryStream& Stream, const char* Piece)
{
    if (Stream.GetNextPiece() != Piece) throw Exception(SSchemeMalformed);
}

void LoadProperties(TkXMLMemoryStream& Stream, TStringList& Scheme)
{
    while (true) {
        const String path = Stream.PeekNextPiece();
        if (path == "/Properties") break;
        const String value = Stream.GetElement(path);
        if (!path.empty()) Scheme.Add(path + " = " + value);
    }
    Expect(Stream, "/Properties");
    Expect(Stream, "/Scheme");
}

void LoadSchemes(TkXMLMemoryStream& Stream, TStringList& Schemes, bool UserSchemes)
{
    while (Stream.PeekNextPiece() == "Scheme") {
        Stream.GotoElementStart("Scheme");
        const String name = Stream.GetElement("Name");
        TOwned<TStringList> owned(UserSchemes ? static_cast<TStringList*>(Create<TkUserSchemeList>())
                                              : Create<TkKelvaneSchemeList>());
        TStringList& scheme = *owned;
        // A second scheme of the same name is another scheme.
        Schemes.AddObject(name, owned.release());
        Stream.GotoElementStart("Properties");
        LoadProperties(Stream, scheme);
    }
}

// The scheme lists of a category list by name, matched as the list's own
// lookup matches names, so that a file of many categories loads in linear
// time.
class TCategoryIndex {
public:
    explicit TCategoryIndex(TStringList& Categories) : FCategories(Categories)
    {
        // The first of equal names is the one the list's lookup finds.
        for (Integer i = 0; i < Categories.Count(); ++i)
            FSchemes.emplace(Key(Categories.Strings(i)), static_cast<TStringList*>(Categories.Objects(i)));
    }

    // The scheme list (owning its schemes) of the category Name, added at
    // the end when missing.
    TStringList& FindOrAdd(const String& Name)
    {
        String key = Key(Name);
        if (const auto found = FSchemes.find(key); found != FSchemes.end()) return *found->second;
        TOwned<TStringList> owned(Create<TStringList>(true));
        TStringList& schemes = *owned;
        FCategories.AddObject(Name, owned.release());
        FSchemes.emplace(std::move(key), &schemes);
        return schemes;
    }

private:
    String Key(const String& Name) const { return FCategories.CaseSensitive() ? Name : AnsiCaseFold(Name); }

    TStringList& FCategories;
    std::unordered_map<String, TStringList*> FSchemes;
};

// The trimmed registry value of the themes key under Root; empty when the
// key or the value is missing.
void ReadThemeValues(HKEY Root, String& MakerPath, String& UserPath, bool KeepWhenEmpty)
{
    TRegistry registry;
    registry.SetRootKey(Root);
    if (!registry.OpenKeyReadOnly(ThemesKey)) return;
    const auto take = [&](const char* Name, String& Path) {
        const String value = Trim(registry.ReadString(Name));
        if (!value.empty() || !KeepWhenEmpty) Path = value;
    };
    take(MakerPathValue, MakerPath);
    take(UserPathValue, UserPath);
}

}  // namespace

void LoadSchemeFile(TkXMLMemoryStream& Stream, TStringList& Categories, bool UserSchemes)
{
    TCategoryIndex index(Categories);
    Stream.GotoElementStart("SchemeTypes");
    while (Stream.PeekNextPiece() == "SchemeType") {
        Stream.GotoElementStart("SchemeType");
        const String category = Stream.GetElement("Name");
        LoadSchemes(Stream, index.FindOrAdd(category), UserSchemes);
        Expect(Stream, "/SchemeType");
    }
    Expect(Stream, "/SchemeTypes");
}

void SplitSchemeLine(const String& Line, String& Name, String& Value)
{
    const std::size_t equals = Line.find('=');
    if (equals == String::npos) {
        Name.clear();
        Value.clear();
        return;
    }
    Name = Trim(Line.substr(0, equals));
    Value = equals + 2 <= Line.size() ? Line.substr(equals + 2) : String();
}

void GetThemePaths(String& MakerPath, String& UserPath)
{
    MakerPath.clear();
    UserPath.clear();
    ReadThemeValues(HKEY_LOCAL_MACHINE, MakerPath, UserPath, false);
    ReadThemeValues(HKEY_CURRENT_USER, MakerPath, UserPath, true);
    if (!MakerPath.empty()) MakerPath = IncludeTrailingPathDelimiter(MakerPath);
    if (!UserPath.empty()) UserPath = IncludeTrailingPathDelimiter(UserPath);
}
