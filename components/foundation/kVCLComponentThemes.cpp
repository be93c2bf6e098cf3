// Themes of the windowed component: named property schemes of its class,
// loaded from scheme files and applied to the control.

#include <memory>
#include <vector>

#include "components/foundation/kOPCPropertyValue.h"
#include "components/foundation/kSchemeFile.h"
#include "components/foundation/kVCLComponent.h"
#include "components/foundation/kXMLMemoryStream.h"

namespace {

// The bytes of a scheme file; none when no file has that name. A name that
// is there but cannot be read (a loop of links, a pipe, a folder) raises
// the stream's error naming it.
std::unique_ptr<TkXMLMemoryStream> ReadSchemeFile(const String& FileName)
{
    if (FileMissing(FileName)) return nullptr;
    auto stream = std::make_unique<TkXMLMemoryStream>();
    stream->LoadFromFile(FileName);
    return stream;
}

// One scheme line, resolved and converted before anything is set.
struct TSchemeAssignment {
    TkPropertyTarget Target;
    TValue Value;
    TValue Previous;
};

[[noreturn]] void RaiseSchemeLine(const char* Message, const String& Name)
{
    throw EConvertError(Format(Message, TextExcerpt(Name)));
}

}  // namespace

void TkVCLComponent::LoadThemes()
{
    String maker;
    String user;
    GetThemePaths(maker, user);
    const String className = ClassName();
    // Both files are read before the categories change: a registry or a
    // file that cannot be read leaves the themes loaded before.
    const auto makerFile = maker.empty() ? nullptr : ReadSchemeFile(maker + className + ".xml");
    const auto userFile = user.empty() ? nullptr : ReadSchemeFile(user + className + "User.xml");
    ClearThemeCategories();
    if (makerFile) LoadSchemeFile(*makerFile, *FThemeCategoryList, false);
    if (userFile) LoadSchemeFile(*userFile, *FThemeCategoryList, true);
}

void TkVCLComponent::ClearThemeCategories() { FThemeCategoryList->Clear(); }

Integer TkVCLComponent::GetThemeCategoryCount() const { return FThemeCategoryList->Count(); }

String TkVCLComponent::GetThemeCategoryName(Integer CategoryIndex) const
{
    return FThemeCategoryList->Strings(CategoryIndex);
}

Integer TkVCLComponent::GetThemeCategorySchemeCount(Integer CategoryIndex) const
{
    FThemeCategoryList->Strings(CategoryIndex);  // the index error first
    return static_cast<TStringList*>(FThemeCategoryList->Objects(CategoryIndex))->Count();
}

TStringList* TkVCLComponent::ThemeScheme(Integer CategoryIndex, Integer SchemeIndex) const
{
    FThemeCategoryList->Strings(CategoryIndex);
    auto* schemes = static_cast<TStringList*>(FThemeCategoryList->Objects(CategoryIndex));
    schemes->Strings(SchemeIndex);
    return static_cast<TStringList*>(schemes->Objects(SchemeIndex));
}

String TkVCLComponent::GetThemeCategorySchemeName(Integer CategoryIndex, Integer SchemeIndex) const
{
    FThemeCategoryList->Strings(CategoryIndex);
    return static_cast<TStringList*>(FThemeCategoryList->Objects(CategoryIndex))->Strings(SchemeIndex);
}

bool TkVCLComponent::GetThemeCategorySchemeIsUser(Integer CategoryIndex, Integer SchemeIndex) const
{
    return dynamic_cast<TkUserSchemeList*>(ThemeScheme(CategoryIndex, SchemeIndex)) != nullptr;
}

void TkVCLComponent::ApplyScheme(Integer CategoryIndex, Integer SchemeIndex)
{
    const TStringList& scheme = *ThemeScheme(CategoryIndex, SchemeIndex);
    std::vector<TSchemeAssignment> assignments;
    for (Integer i = 0; i < scheme.Count(); ++i) {
        String name;
        String value;
        SplitSchemeLine(scheme.Strings(i), name, value);
        if (name.empty()) continue;
        const TkPropertyTarget target = FindPropertyTarget(this, String(), name);
        if (target.ReadOnly) RaiseSchemeLine(SSchemeReadOnly, name);
        // A property this control lacks (misspelt, or from a newer version)
        // leaves the others to apply.
        if (!target.Prop) continue;
        assignments.push_back({target, PropertyValueFromText(target.Prop, value), TValue()});
    }
    // A setter that still refuses its value puts the earlier ones back.
    std::size_t applied = 0;
    try {
        WithinUpdate(*this, [&] {
            for (; applied < assignments.size(); ++applied) {
                TSchemeAssignment& a = assignments[applied];
                a.Previous = GetPropValue(a.Target.Instance, a.Target.Prop);
                SetPropValue(a.Target.Instance, a.Target.Prop, a.Value);
            }
        });
    } catch (...) {
        while (applied-- > 0) {
            const TSchemeAssignment& a = assignments[applied];
            SetPropValue(a.Target.Instance, a.Target.Prop, a.Previous);
        }
        throw;
    }
}
