#include "platform/TypInfo.h"

#include <cmath>
#include <map>

#include "platform/Consts.h"
#include "platform/Math.h"
#include "platform/SysUtils.h"

namespace {

String UpperAscii(String s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}

[[noreturn]] void RaiseRange(const String& what, Int64 value)
{
    throw EConvertError(Format(SPropertyOutOfRange, what, value));
}

[[noreturn]] void RaiseUnknownProperty(const TObject* obj, const String& name)
{
    throw EConvertError(Format(SUnknownProperty, TextExcerpt(name), obj ? obj->ClassName() : String("nil")));
}

[[noreturn]] void RaiseKind(PPropInfo prop)
{
    throw EConvertError(Format(SPropertyTypeMismatch, prop->Name));
}

void RequireKind(PPropInfo prop, std::initializer_list<TTypeKind> kinds)
{
    for (TTypeKind k : kinds)
        if (prop->Kind == k) return;
    RaiseKind(prop);
}

void RequireSetter(PPropInfo prop)
{
    if (!prop->Set) throw EConvertError(Format(SReadOnlyProperty, prop->Name));
}

using TIdentTables = std::map<String, std::vector<TIdentMapEntry>>;

TIdentTables& IdentTables()
{
    static TIdentTables tables;
    return tables;
}

const std::vector<TIdentMapEntry>* IdentTable(const String& typeName)
{
    auto it = IdentTables().find(UpperAscii(typeName));
    return it == IdentTables().end() ? nullptr : &it->second;
}

}  // namespace

// --- Type information ------------------------------------------------------

Integer GetEnumValue(const TTypeInfo* type, const String& name)
{
    for (std::size_t i = 0; i < type->Names.size(); ++i)
        if (SameText(type->Names[i], name)) return static_cast<Integer>(i);
    return -1;
}

const String& GetEnumName(const TTypeInfo* type, Int64 value)
{
    if (value < 0 || value >= static_cast<Int64>(type->Names.size())) RaiseRange(type->Name, value);
    return type->Names[static_cast<std::size_t>(value)];
}

String SetToString(const TTypeInfo* setType, Int64 value, bool brackets)
{
    const TTypeInfo* comp = setType->CompType;
    String result;
    for (std::size_t i = 0; i < comp->Names.size(); ++i) {
        if ((static_cast<UInt64>(value) >> i & 1u) == 0) continue;
        if (!result.empty()) result += ',';
        result += comp->Names[i];
    }
    return brackets ? "[" + result + "]" : result;
}

Int64 StringToSet(const TTypeInfo* setType, const String& text)
{
    String body = Trim(text);
    if (!body.empty() && body.front() == '[') body.erase(0, 1);
    if (!body.empty() && body.back() == ']') body.pop_back();
    Int64 bits = 0;
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t comma = body.find(',', start);
        if (comma == String::npos) comma = body.size();
        const String name = Trim(std::string_view(body).substr(start, comma - start));
        if (!name.empty()) {
            const Integer v = GetEnumValue(setType->CompType, name);
            if (v < 0) throw EConvertError(SUnknownSetElement + TextExcerpt(name));
            bits |= Int64{1} << v;
        }
        start = comma + 1;
    }
    return bits;
}

TTypeInfo MakeEnumTypeInfo(const char* typeName, std::initializer_list<const char*> names)
{
    TTypeInfo info;
    info.Kind = tkEnumeration;
    info.Name = typeName;
    for (const char* n : names) info.Names.emplace_back(n);
    info.MinValue = 0;
    info.MaxValue = static_cast<Int64>(info.Names.size()) - 1;
    return info;
}

const TTypeInfo* BooleanTypeInfo()
{
    static const TTypeInfo info = MakeEnumTypeInfo("Boolean", {"False", "True"});
    return &info;
}

void RegisterIntegerIdents(const String& typeName, std::initializer_list<TIdentMapEntry> entries)
{
    auto& table = IdentTables()[UpperAscii(typeName)];
    for (const TIdentMapEntry& e : entries) {
        Int64 known = 0;
        if (!IdentToInt(typeName, e.Name, known)) table.push_back(e);
    }
}

bool IdentToInt(const String& typeName, const String& ident, Int64& value)
{
    if (const auto* table = IdentTable(typeName))
        for (const TIdentMapEntry& e : *table)
            if (SameText(e.Name, ident)) {
                value = e.Value;
                return true;
            }
    return false;
}

bool IntToIdent(const String& typeName, Int64 value, String& ident)
{
    if (const auto* table = IdentTable(typeName))
        for (const TIdentMapEntry& e : *table)
            if (e.Value == value) {
                ident = e.Name;
                return true;
            }
    return false;
}

// --- TValue ----------------------------------------------------------------

TValue TValue::FromVariant(std::any v)
{
    TValue result;
    result.FData = TVariantBox{std::move(v)};
    return result;
}

Int64 TValue::AsOrdinal() const
{
    if (auto* v = std::get_if<Int64>(&FData)) return *v;
    throw EConvertError(SOrdinalExpected);
}

Extended TValue::AsFloat() const
{
    if (auto* v = std::get_if<Extended>(&FData)) return *v;
    if (auto* v = std::get_if<Int64>(&FData)) return static_cast<Extended>(*v);
    throw EConvertError(SFloatExpected);
}

const String& TValue::AsString() const
{
    if (auto* v = std::get_if<String>(&FData)) return *v;
    throw EConvertError(SStringExpected);
}

TObject* TValue::AsObject() const
{
    if (auto* v = std::get_if<TObject*>(&FData)) return *v;
    if (FData.index() == 0) return nullptr;
    throw EConvertError(SObjectExpected);
}

const TMethod& TValue::AsMethod() const
{
    if (auto* v = std::get_if<TMethod>(&FData)) return *v;
    static const TMethod none;
    if (FData.index() == 0) return none;
    throw EConvertError(SMethodExpected);
}

const std::any& TValue::AsVariant() const
{
    if (auto* v = std::get_if<TVariantBox>(&FData)) return v->Value;
    throw EConvertError(SVariantExpected);
}

bool operator==(const TValue& a, const TValue& b)
{
    if (a.FData.index() != b.FData.index()) return false;
    if (auto* v = std::get_if<Int64>(&a.FData)) return *v == std::get<Int64>(b.FData);
    // -0.0 differs from 0.0, so a negative zero is not taken for a 0 default.
    if (auto* v = std::get_if<Extended>(&a.FData)) {
        const Extended w = std::get<Extended>(b.FData);
        return *v == w && std::signbit(*v) == std::signbit(w);
    }
    if (auto* v = std::get_if<String>(&a.FData)) return *v == std::get<String>(b.FData);
    if (auto* v = std::get_if<TObject*>(&a.FData)) return *v == std::get<TObject*>(b.FData);
    // Handlers and variants compare equal only when both are empty.
    if (auto* m = std::get_if<TMethod>(&a.FData)) return !m->Assigned() && !std::get<TMethod>(b.FData).Assigned();
    if (auto* v = std::get_if<TValue::TVariantBox>(&a.FData))
        return !v->Value.has_value() && !std::get<TValue::TVariantBox>(b.FData).Value.has_value();
    return true;
}

// --- TClassInfo ------------------------------------------------------------

TClassInfo::TClassInfo(const char* name, TClass parent) : FName(name), FParent(parent)
{
    if (parent) {
        FProps = parent->FProps;
        FPropIndex = parent->FPropIndex;
        FSkipUnknown = parent->FSkipUnknown;
    }
}

bool TClassInfo::InheritsFrom(TClass ancestor) const
{
    for (TClass c = this; c; c = c->Parent())
        if (c == ancestor) return true;
    return false;
}

void TClassInfo::AddProperty(std::shared_ptr<TPropInfo> prop)
{
    const String key = UpperAscii(prop->Name);
    FOwnProps.push_back(prop);
    auto it = FPropIndex.find(key);
    if (it != FPropIndex.end()) {
        FProps[it->second] = prop.get();
        return;
    }
    FPropIndex.emplace(key, FProps.size());
    FProps.push_back(prop.get());
}

PPropInfo TClassInfo::FindProperty(const String& name) const
{
    auto it = FPropIndex.find(UpperAscii(name));
    return it == FPropIndex.end() ? nullptr : FProps[it->second];
}

const TFieldInfo* TClassInfo::FindField(const String& name) const
{
    for (TClass c = this; c; c = c->Parent())
        for (const TFieldInfo& f : c->FFields)
            if (SameText(f.Name, name)) return &f;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const String& name) const
{
    for (TClass c = this; c; c = c->Parent())
        for (const TMethodInfo& m : c->FMethods)
            if (SameText(m.Name, name)) return &m;
    return nullptr;
}

TComponent* TClassInfo::Create(TComponent* owner) const
{
    if (!FFactory) throw EInvalidOperation(Format(SNoClassFactory, FName));
    return FFactory(owner);
}

TClass TObject::StaticClassInfo()
{
    static const TClassInfo info("TObject", nullptr);
    return &info;
}

String TObject::ClassName() const { return ClassInfo()->Name(); }

bool TObject::InheritsFrom(TClass cls) const { return ClassInfo()->InheritsFrom(cls); }

namespace TypInfoDetail {

void RaiseBuilderError(const String& className, const String& message)
{
    throw EInvalidOperation(className + " : " + message);
}

}  // namespace TypInfoDetail

// --- Property access -------------------------------------------------------

PPropInfo GetPropInfo(TClass cls, const String& name) { return cls->FindProperty(name); }

PPropInfo GetPropInfo(const TObject* obj, const String& name) { return GetPropInfo(obj->ClassInfo(), name); }

const TPropList& GetPropList(TClass cls) { return cls->Properties(); }

const TPropList& GetPropList(const TObject* obj) { return GetPropList(obj->ClassInfo()); }

bool IsPublishedProp(const TObject* obj, const String& name) { return GetPropInfo(obj, name) != nullptr; }

bool IsStoredProp(TObject* obj, PPropInfo prop) { return !prop->StoredFn || prop->StoredFn(obj); }

bool IsDefaultPropValue(TObject* obj, PPropInfo prop)
{
    return !prop->Default.IsEmpty() && prop->Get(obj) == prop->Default;
}

TValue GetPropValue(TObject* obj, PPropInfo prop) { return prop->Get(obj); }

void SetPropValue(TObject* obj, PPropInfo prop, const TValue& value)
{
    RequireSetter(prop);
    prop->Set(obj, value);
}

Int64 GetOrdProp(TObject* obj, PPropInfo prop)
{
    RequireKind(prop, {tkInteger, tkChar, tkEnumeration, tkSet, tkInt64});
    return prop->Get(obj).AsOrdinal();
}

void SetOrdProp(TObject* obj, PPropInfo prop, Int64 value)
{
    RequireKind(prop, {tkInteger, tkChar, tkEnumeration, tkSet, tkInt64});
    const TTypeInfo* type = prop->Type;
    if (prop->Kind == tkSet) {
        const Int64 bits = type->CompType->MaxValue + 1;
        const UInt64 allowed = bits >= 64 ? ~UInt64{0} : (UInt64{1} << bits) - 1;
        if ((static_cast<UInt64>(value) & ~allowed) != 0) RaiseRange(prop->Name, value);
    } else if (value < type->MinValue || value > type->MaxValue) {
        RaiseRange(prop->Name, value);
    }
    SetPropValue(obj, prop, TValue(value));
}

String GetEnumProp(TObject* obj, PPropInfo prop)
{
    RequireKind(prop, {tkEnumeration});
    return GetEnumName(prop->Type, GetOrdProp(obj, prop));
}

void SetEnumProp(TObject* obj, PPropInfo prop, const String& value)
{
    RequireKind(prop, {tkEnumeration});
    const Integer v = GetEnumValue(prop->Type, value);
    if (v < 0) throw EConvertError(SInvalidEnumValue + TextExcerpt(value));
    SetOrdProp(obj, prop, v);
}

String GetSetProp(TObject* obj, PPropInfo prop, bool brackets)
{
    RequireKind(prop, {tkSet});
    return SetToString(prop->Type, GetOrdProp(obj, prop), brackets);
}

void SetSetProp(TObject* obj, PPropInfo prop, const String& value)
{
    RequireKind(prop, {tkSet});
    SetOrdProp(obj, prop, StringToSet(prop->Type, value));
}

Extended GetFloatProp(TObject* obj, PPropInfo prop)
{
    RequireKind(prop, {tkFloat});
    return prop->Get(obj).AsFloat();
}

void SetFloatProp(TObject* obj, PPropInfo prop, Extended value)
{
    RequireKind(prop, {tkFloat});
    // A finite value beyond the property's type would be undefined
    // behaviour in the conversion.
    const Extended limit = prop->Type->FloatType == ftSingle   ? Extended{std::numeric_limits<float>::max()}
                           : prop->Type->FloatType == ftDouble ? Extended{std::numeric_limits<double>::max()}
                                                               : std::numeric_limits<Extended>::max();
    // The text of the type's largest value, read as Extended, lies beyond it.
    value = WithinFloatText(value, limit);
    if (IsFinite(value) && (value > limit || value < -limit))
        throw EConvertError(Format(SFloatPropertyRange, prop->Name));
    SetPropValue(obj, prop, TValue(value));
}

String GetStrProp(TObject* obj, PPropInfo prop)
{
    RequireKind(prop, {tkString});
    return prop->Get(obj).AsString();
}

void SetStrProp(TObject* obj, PPropInfo prop, String value)
{
    RequireKind(prop, {tkString});
    SetPropValue(obj, prop, TValue(std::move(value)));
}

Int64 GetInt64Prop(TObject* obj, PPropInfo prop) { return GetOrdProp(obj, prop); }

void SetInt64Prop(TObject* obj, PPropInfo prop, Int64 value) { SetOrdProp(obj, prop, value); }

TObject* GetObjectProp(TObject* obj, PPropInfo prop)
{
    RequireKind(prop, {tkClass});
    return prop->Get(obj).AsObject();
}

void SetObjectProp(TObject* obj, PPropInfo prop, TObject* value)
{
    RequireKind(prop, {tkClass});
    if (value && !value->InheritsFrom(prop->ClassType()))
        throw EConvertError(Format(SClassMismatch, value->ClassName(), prop->Name));
    SetPropValue(obj, prop, TValue(value));
}

TMethod GetMethodProp(TObject* obj, PPropInfo prop)
{
    RequireKind(prop, {tkMethod});
    return prop->Get(obj).AsMethod();
}

void SetMethodProp(TObject* obj, PPropInfo prop, const TMethod& value)
{
    RequireKind(prop, {tkMethod});
    if (value.Assigned() && std::type_index(value.Code.type()) != prop->EventType)
        throw EConvertError(Format(SHandlerTypeMismatch, prop->Name));
    SetPropValue(obj, prop, TValue(value));
}

std::any GetVariantProp(TObject* obj, PPropInfo prop)
{
    RequireKind(prop, {tkVariant});
    return prop->Get(obj).AsVariant();
}

void SetVariantProp(TObject* obj, PPropInfo prop, const std::any& value)
{
    RequireKind(prop, {tkVariant});
    SetPropValue(obj, prop, TValue::FromVariant(value));
}

namespace {

PPropInfo RequireProp(const TObject* obj, const String& name)
{
    if (PPropInfo p = GetPropInfo(obj, name)) return p;
    RaiseUnknownProperty(obj, name);
}

}  // namespace

Int64 GetOrdProp(TObject* obj, const String& name) { return GetOrdProp(obj, RequireProp(obj, name)); }
void SetOrdProp(TObject* obj, const String& name, Int64 value) { SetOrdProp(obj, RequireProp(obj, name), value); }
Extended GetFloatProp(TObject* obj, const String& name) { return GetFloatProp(obj, RequireProp(obj, name)); }
void SetFloatProp(TObject* obj, const String& name, Extended value)
{
    SetFloatProp(obj, RequireProp(obj, name), value);
}
String GetStrProp(TObject* obj, const String& name) { return GetStrProp(obj, RequireProp(obj, name)); }
void SetStrProp(TObject* obj, const String& name, const String& value)
{
    SetStrProp(obj, RequireProp(obj, name), value);
}
String GetEnumProp(TObject* obj, const String& name) { return GetEnumProp(obj, RequireProp(obj, name)); }
void SetEnumProp(TObject* obj, const String& name, const String& value)
{
    SetEnumProp(obj, RequireProp(obj, name), value);
}
TObject* GetObjectProp(TObject* obj, const String& name) { return GetObjectProp(obj, RequireProp(obj, name)); }

void BindMethodProp(TObject* target, PPropInfo prop, TObject* root, const String& handler)
{
    const TMethodInfo* method = root ? root->ClassInfo()->FindMethod(handler) : nullptr;
    if (!method)
        throw EReadError(root ? Format(SMethodNotFoundIn, TextExcerpt(handler), root->ClassName()) : Format(SMethodNotFound, TextExcerpt(handler)));
    if (method->EventType != prop->EventType)
        throw EReadError(Format(SMethodTypeMismatch, TextExcerpt(handler), prop->Name));
    SetMethodProp(target, prop, TMethod{method->Bind(root), method->Name});
}
