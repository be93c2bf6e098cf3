#include "components/foundation/kOPCPropertyValue.h"

#include <unordered_set>

#include "platform/Classes.h"
#include "platform/Consts.h"

namespace {

// Whether PropertyName lies below Path: "Font.Color" below "Font".
bool LeadsBelow(const String& Path, const String& PropertyName)
{
    return PropertyName.size() > Path.size() && PropertyName[Path.size()] == '.' &&
           SameText(std::string_view(PropertyName).substr(0, Path.size()), Path);
}

TkPropertyTarget FindIn(TObject* Instance, const String& Prefix, const String& PropertyName,
                        std::unordered_set<const TObject*>& Visited)
{
    if (!Visited.insert(Instance).second) return {};
    for (PPropInfo prop : GetPropList(Instance)) {
        const String path = Prefix.empty() ? prop->Name : Prefix + "." + prop->Name;
        if (SameText(path, PropertyName)) {
            if (prop->Set && prop->Kind != tkClass && prop->Kind != tkMethod) return {Instance, prop, false};
            return {nullptr, nullptr, true};
        }
        if (prop->Kind != tkClass || prop->IsReference || !LeadsBelow(path, PropertyName)) continue;
        auto* child = dynamic_cast<TPersistent*>(GetObjectProp(Instance, prop));
        if (!child) continue;
        if (TkPropertyTarget found = FindIn(child, path, PropertyName, Visited); found.Prop || found.ReadOnly)
            return found;
    }
    return {};
}

[[noreturn]] void RaiseNoValue(const char* Message, const String& Text)
{
    throw EConvertError(Format(Message, TextExcerpt(Text)));
}

Int64 CheckedOrdinal(const String& Text, PPropInfo Prop)
{
    Int64 value = 0;
    if (!TryStrToInt64(Trim(Text), value)) RaiseNoValue(SInvalidInteger, Text);
    const TTypeInfo* type = Prop->Type;
    if (type && Prop->Kind != tkSet && (value < type->MinValue || value > type->MaxValue))
        RaiseNoValue(SInvalidInteger, Text);
    if (type && Prop->Kind == tkSet) {
        const Int64 bits = type->CompType ? type->CompType->MaxValue + 1 : 0;
        const UInt64 allowed = bits >= 64 ? ~UInt64{0} : (UInt64{1} << bits) - 1;
        if ((static_cast<UInt64>(value) & ~allowed) != 0) RaiseNoValue(SInvalidInteger, Text);
    }
    return value;
}

Int64 EnumerationOrdinal(const String& Text, PPropInfo Prop)
{
    String text = Text;
    if (SameText(text, "True")) text = "1";
    else if (SameText(text, "False")) text = "0";
    const TTypeInfo* type = Prop->Type;
    if (type && type->MinValue == 0 && type->MaxValue == 1) return text == "0" ? 0 : 1;
    return CheckedOrdinal(text, Prop);
}

// Files written elsewhere use "."; the user's notation is tried first.
Extended FloatFromText(const String& Text)
{
    Extended value = 0;
    if (TryStrToFloat(Text, value)) return value;
    TFormatSettings dotted = FormatSettings;
    dotted.DecimalSeparator = '.';
    if (TryStrToFloat(Text, value, dotted)) return value;
    RaiseNoValue(SInvalidFloat, Text);
}

}  // namespace

TkPropertyTarget FindPropertyTarget(TObject* Instance, const String& Prefix, const String& PropertyName)
{
    if (!Instance || PropertyName.empty()) return {};
    std::unordered_set<const TObject*> visited;
    return FindIn(Instance, Prefix, PropertyName, visited);
}

TValue PropertyValueFromText(PPropInfo Prop, const String& Text)
{
    switch (Prop->Kind) {
    case tkInteger:
    case tkChar:
    case tkSet:
    case tkInt64: return TValue(CheckedOrdinal(Text, Prop));
    case tkEnumeration: return TValue(EnumerationOrdinal(Text, Prop));
    case tkFloat: return TValue(FloatFromText(Text));
    case tkString: return TValue(Text);
    default: throw EConvertError(SInvalidVarCast);
    }
}

void SetPropertyFromOPCValue(TObject*, TObject* Instance, const String& Prefix, const Variant& Value,
                             const String& PropertyName)
{
    const TkPropertyTarget target = FindPropertyTarget(Instance, Prefix, PropertyName);
    if (!target.Prop) return;
    SetPropValue(target.Instance, target.Prop, PropertyValueFromText(target.Prop, VarToStr(Value)));
}
