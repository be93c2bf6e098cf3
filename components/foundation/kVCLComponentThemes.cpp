// Themes of the windowed component: named property schemes of its class,
// loaded from scheme files and applied to the control.

#include <vector>

#include "components/foundation/kOPCPropertyValue.h"
#include "components/foundation/kSchemeFile.h"
#include "components/foundation/kVCLComponent.h"
#include "components/foundation/kXMLMemoryStream.h"

namespace {

void LoadSchemeFileNamed(const String& FileName, TStringList& Categories, bool UserSchemes)
{
    if (!FileExists(FileName)) return;
    TkXMLMemoryStream stream;
    stream.LoadFromFile(FileName);
    LoadSchemeFile(stream, Categories, UserSchemes);
}

// One scheme line, resolved and converted before anything is set.
struct TSchemeAssignment {
    TkPropertyTarget Target;
    TValue Value;
    TValue Previous;
};

[[noreturn]] void RaiseSchemeLine(const char* Message, const String& Name)
{
    throw EConvertError(Format(Message, Name));
}

}  // namespace

void TkVCLComponent::LoadThemes()
{
    ClearThemeCategories();
    String maker;
    String user;
    GetThemePaths(maker, user);
    const String className = ClassName();
    if (!maker.empty()) LoadSchemeFileNamed(maker + className + ".xml", *FThemeCategoryList, false);
    if (!user.empty()) LoadSchemeFileNamed(user + className + "User.xml", *FThemeCategoryList, true);
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
