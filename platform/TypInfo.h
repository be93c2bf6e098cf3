#pragma once
// Run-time class information: class names, ancestry, published properties,
// published component fields and method tables, and the virtual
// constructor of component classes.
//
// A class declares its table with PL_CLASSINFO() and builds it once:
//
//   TClass TkPlotAxis::StaticClassInfo()
//   {
//       static const TClassInfo info = TClassBuilder<TkPlotAxis, TkPlotLayoutObject>("TkPlotAxis")
//           .Float("Min", &TkPlotAxis::GetMin, &TkPlotAxis::SetMin)
//           .Enum("ScaleType", &TkPlotAxis::GetScaleType, &TkPlotAxis::SetScaleType).Default(kpstLinear)
//           .Object("TitleFont", &TkPlotAxis::GetTitleFont)
//           .Build();
//       return &info;
//   }
//
// A getter is a member function, a pointer to a field or any callable
// taking the object; a setter is a member function, the same field pointer
// or a callable taking the object and the value.

#include <any>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "platform/System.h"

class TComponent;

enum TTypeKind {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkVariant,
    tkInt64
};

enum TFloatType { ftSingle, ftDouble, ftExtended };

// The type of an ordinal, float or set property.
struct TTypeInfo {
    TTypeKind Kind = tkUnknown;
    String Name;
    Int64 MinValue = 0;
    Int64 MaxValue = 0;
    std::vector<String> Names;          // identifiers of an enumeration, by ordinal
    const TTypeInfo* CompType = nullptr;  // element type of a set
    TFloatType FloatType = ftDouble;
};

// Enumeration names, matched ignoring ASCII case; -1 when unknown.
Integer GetEnumValue(const TTypeInfo* type, const String& name);
// The identifier of an ordinal; raises EConvertError outside the range.
const String& GetEnumName(const TTypeInfo* type, Int64 value);
// "[a,b]" style text of a set (without brackets when brackets is false).
String SetToString(const TTypeInfo* setType, Int64 value, bool brackets = false);
// Accepts "a,b" or "[a, b]"; raises EConvertError on an unknown name.
Int64 StringToSet(const TTypeInfo* setType, const String& text);

// Builds the type information of an enumeration with ordinals 0..n-1.
TTypeInfo MakeEnumTypeInfo(const char* typeName, std::initializer_list<const char*> names);

// Boolean is an enumeration (False, True).
const TTypeInfo* BooleanTypeInfo();

// Declares the identifiers of an enumeration E (ordinals 0..n-1), found by
// argument-dependent lookup as TypeInfoOf(E). Use it in the namespace of E.
#define PL_ENUM_NAMES(E, ...)                                                            \
    inline const TTypeInfo* TypeInfoOf(E)                                                \
    {                                                                                    \
        static const TTypeInfo info = MakeEnumTypeInfo(#E, {__VA_ARGS__});               \
        return &info;                                                                    \
    }

// Identifier tables of integer types that read and write some values by
// name in form text ("clBtnFace" for TColor, "crHandPoint" for TCursor).
// Property text writes the number. Units register their tables from their
// initialisation; registering again adds only the names not known yet.
struct TIdentMapEntry {
    Int64 Value;
    const char* Name;
};
void RegisterIntegerIdents(const String& typeName, std::initializer_list<TIdentMapEntry> entries);
bool IdentToInt(const String& typeName, const String& ident, Int64& value);
bool IntToIdent(const String& typeName, Int64 value, String& ident);

// Value of an event property: the handler and, when it came from a method
// table, the handler's published name (which the form writer writes).
struct TMethod {
    std::any Code;  // the event's own std::function type, or empty
    String Name;
    bool Assigned() const { return Code.has_value(); }
};

// A type-erased property value.
class TValue {
public:
    TValue() = default;
    TValue(Int64 v) : FData(v) {}
    TValue(Extended v) : FData(v) {}
    TValue(String v) : FData(std::move(v)) {}
    TValue(const char* v) : FData(String(v)) {}
    TValue(TObject* v) : FData(v) {}
    TValue(TMethod v) : FData(std::move(v)) {}
    static TValue FromVariant(std::any v);

    bool IsEmpty() const { return FData.index() == 0; }
    Int64 AsOrdinal() const;
    Extended AsFloat() const;
    const String& AsString() const;
    TObject* AsObject() const;
    const TMethod& AsMethod() const;
    const std::any& AsVariant() const;

    friend bool operator==(const TValue& a, const TValue& b);

private:
    struct TVariantBox {
        std::any Value;
    };
    std::variant<std::monostate, Int64, Extended, String, TObject*, TMethod, TVariantBox> FData;
};

// One published property.
struct TPropInfo {
    String Name;
    TTypeKind Kind = tkUnknown;
    const TTypeInfo* Type = nullptr;   // ordinal, float and set types
    String IdentTable;                 // integer identifiers ("TColor"), or empty
    TClass (*ClassTypeFn)() = nullptr; // tkClass: the declared class (a class may refer to itself)
    bool IsReference = false;          // tkClass: a component written by name
    std::type_index EventType = typeid(void);  // tkMethod: the exact std::function type
    std::function<TValue(TObject*)> Get;
    std::function<void(TObject*, const TValue&)> Set;  // empty for read-only
    std::function<bool(TObject*)> StoredFn;            // empty: always stored
    TValue Default;                                    // empty: no default

    bool HasSetter() const { return static_cast<bool>(Set); }
    TClass ClassType() const { return ClassTypeFn ? ClassTypeFn() : nullptr; }
};
using PPropInfo = const TPropInfo*;
using TPropList = std::vector<PPropInfo>;

// A published component field of a root class (TForm1::Button1), set by
// name when a component owned by the root is named or unnamed.
struct TFieldInfo {
    String Name;
    TClass (*FieldClass)() = nullptr;
    std::function<void(TObject* root, TComponent* value)> Set;  // raises EInvalidCast on a wrong class
};

// A published handler of a root class (TForm1::calcul).
struct TMethodInfo {
    String Name;
    std::type_index EventType = typeid(void);
    std::function<std::any(TObject* root)> Bind;  // the event's std::function, named
};

class TClassInfo {
public:
    using TFactory = TComponent* (*)(TComponent* owner);

    TClassInfo(const char* name, TClass parent);

    const String& Name() const { return FName; }
    TClass Parent() const { return FParent; }
    bool InheritsFrom(TClass ancestor) const;

    // Published properties, ancestors first, each class in declaration
    // order; a redeclared property replaces its ancestor's entry in place.
    const TPropList& Properties() const { return FProps; }
    // Case-insensitive; nullptr when the class publishes no such property.
    PPropInfo FindProperty(const String& name) const;
    const TFieldInfo* FindField(const String& name) const;
    const TMethodInfo* FindMethod(const String& name) const;

    // Stand-ins skip unknown properties of form data instead of failing.
    bool SkipsUnknownProperties() const { return FSkipUnknown; }

    // The virtual constructor of component classes: Create<T>(owner).
    // Raises EInvalidOperation for classes without one.
    bool CanCreate() const { return FFactory != nullptr; }
    TComponent* Create(TComponent* owner) const;

private:
    template <class T, class Base>
    friend class TClassBuilder;
    void AddProperty(std::shared_ptr<TPropInfo> prop);

    String FName;
    TClass FParent;
    std::vector<std::shared_ptr<const TPropInfo>> FOwnProps;
    TPropList FProps;
    std::unordered_map<String, std::size_t> FPropIndex;  // upper-case name -> FProps index
    std::vector<TFieldInfo> FFields;
    std::vector<TMethodInfo> FMethods;
    TFactory FFactory = nullptr;
    bool FSkipUnknown = false;
};

// Declares the class information of a class: a static table and the
// virtual accessor that returns it.
#define PL_CLASSINFO()                                              \
public:                                                             \
    static TClass StaticClassInfo();                                \
    TClass ClassInfo() const override { return StaticClassInfo(); } \
                                                                    \
private:

// ---------------------------------------------------------------------------
// Property access. The name forms raise EPropertyError-like EConvertError
// when the property does not exist. An ordinal outside its type's range
// raises EConvertError.
// ---------------------------------------------------------------------------

PPropInfo GetPropInfo(TClass cls, const String& name);
PPropInfo GetPropInfo(const TObject* obj, const String& name);
const TPropList& GetPropList(TClass cls);
const TPropList& GetPropList(const TObject* obj);
bool IsPublishedProp(const TObject* obj, const String& name);
// Stored predicate only (the default is the writer's concern).
bool IsStoredProp(TObject* obj, PPropInfo prop);
// Stored, and either no default or a value that differs from it.
bool IsDefaultPropValue(TObject* obj, PPropInfo prop);

TValue GetPropValue(TObject* obj, PPropInfo prop);
void SetPropValue(TObject* obj, PPropInfo prop, const TValue& value);

Int64 GetOrdProp(TObject* obj, PPropInfo prop);
void SetOrdProp(TObject* obj, PPropInfo prop, Int64 value);
String GetEnumProp(TObject* obj, PPropInfo prop);
void SetEnumProp(TObject* obj, PPropInfo prop, const String& value);
String GetSetProp(TObject* obj, PPropInfo prop, bool brackets = false);
void SetSetProp(TObject* obj, PPropInfo prop, const String& value);
Extended GetFloatProp(TObject* obj, PPropInfo prop);
void SetFloatProp(TObject* obj, PPropInfo prop, Extended value);
String GetStrProp(TObject* obj, PPropInfo prop);
void SetStrProp(TObject* obj, PPropInfo prop, String value);
Int64 GetInt64Prop(TObject* obj, PPropInfo prop);
void SetInt64Prop(TObject* obj, PPropInfo prop, Int64 value);
TObject* GetObjectProp(TObject* obj, PPropInfo prop);
void SetObjectProp(TObject* obj, PPropInfo prop, TObject* value);
TMethod GetMethodProp(TObject* obj, PPropInfo prop);
void SetMethodProp(TObject* obj, PPropInfo prop, const TMethod& value);
std::any GetVariantProp(TObject* obj, PPropInfo prop);
void SetVariantProp(TObject* obj, PPropInfo prop, const std::any& value);

// By name (raise EConvertError for an unknown property).
Int64 GetOrdProp(TObject* obj, const String& name);
void SetOrdProp(TObject* obj, const String& name, Int64 value);
Extended GetFloatProp(TObject* obj, const String& name);
void SetFloatProp(TObject* obj, const String& name, Extended value);
String GetStrProp(TObject* obj, const String& name);
void SetStrProp(TObject* obj, const String& name, const String& value);
String GetEnumProp(TObject* obj, const String& name);
void SetEnumProp(TObject* obj, const String& name, const String& value);
TObject* GetObjectProp(TObject* obj, const String& name);

// Binds the root's published handler `handler` to an event property; raises
// EReadError when the root has no such handler or its type differs.
void BindMethodProp(TObject* target, PPropInfo prop, TObject* root, const String& handler);

// ---------------------------------------------------------------------------
// The builder.
// ---------------------------------------------------------------------------

namespace TypInfoDetail {

// The callable stored in an event bound from a method table: it carries
// the handler's published name so the writer can name it again.
template <class E>
struct TNamedHandler {
    String Name;
    E Fn;
    template <class... A>
    decltype(auto) operator()(A&&... a) const
    {
        return Fn(std::forward<A>(a)...);
    }
};

template <class E>
String HandlerName(const E& e)
{
    if (auto* h = e.template target<TNamedHandler<E>>()) return h->Name;
    return String();
}

template <class V>
const TTypeInfo* IntegerTypeInfo()
{
    static const TTypeInfo info = [] {
        TTypeInfo t;
        t.Kind = sizeof(V) > 4 ? tkInt64 : tkInteger;
        t.Name = "Integer";
        t.MinValue = static_cast<Int64>(std::numeric_limits<V>::min());
        t.MaxValue = static_cast<Int64>(std::numeric_limits<V>::max());
        return t;
    }();
    return &info;
}

template <class V>
const TTypeInfo* CharTypeInfo()
{
    static const TTypeInfo info = [] {
        TTypeInfo t;
        t.Kind = tkChar;
        t.Name = sizeof(V) == 1 ? "AnsiChar" : "Char";
        t.MinValue = 0;
        t.MaxValue = sizeof(V) == 1 ? 255 : 65535;
        return t;
    }();
    return &info;
}

template <class V>
const TTypeInfo* FloatTypeInfo()
{
    static const TTypeInfo info = [] {
        TTypeInfo t;
        t.Kind = tkFloat;
        t.FloatType = sizeof(V) == sizeof(float) ? ftSingle : sizeof(V) == sizeof(double) ? ftDouble : ftExtended;
        t.Name = t.FloatType == ftSingle ? "Single" : t.FloatType == ftDouble ? "Double" : "Extended";
        return t;
    }();
    return &info;
}

template <class E>
const TTypeInfo* SetTypeInfo()
{
    static const TTypeInfo info = [] {
        TTypeInfo t;
        t.Kind = tkSet;
        t.CompType = TypeInfoOf(E{});
        t.Name = "set of " + t.CompType->Name;
        t.MinValue = 0;
        t.MaxValue = t.CompType->MaxValue;
        return t;
    }();
    return &info;
}

template <class T>
struct IsTSet : std::false_type {};
template <class E>
struct IsTSet<TSet<E>> : std::true_type {};

// Converts a C++ value to and from the erased form of each kind.
template <class V>
TValue ToValue(const V& v)
{
    if constexpr (std::is_same_v<V, bool>) return TValue(Int64{v ? 1 : 0});
    else if constexpr (std::is_enum_v<V>) return TValue(static_cast<Int64>(v));
    else if constexpr (IsTSet<V>::value) return TValue(static_cast<Int64>(v.Bits()));
    else if constexpr (std::is_integral_v<V>) return TValue(static_cast<Int64>(v));
    else if constexpr (std::is_floating_point_v<V>) return TValue(static_cast<Extended>(v));
    else if constexpr (std::is_convertible_v<V, String>) return TValue(String(v));
    else if constexpr (std::is_pointer_v<V>) return TValue(static_cast<TObject*>(v));
    else return TValue::FromVariant(std::any(v));
}

template <class V>
V FromValue(const TValue& v)
{
    if constexpr (std::is_same_v<V, bool>) return v.AsOrdinal() != 0;
    else if constexpr (std::is_enum_v<V>) return static_cast<V>(v.AsOrdinal());
    else if constexpr (IsTSet<V>::value) return V::FromBits(static_cast<std::uint64_t>(v.AsOrdinal()));
    else if constexpr (std::is_integral_v<V>) return static_cast<V>(v.AsOrdinal());
    else if constexpr (std::is_floating_point_v<V>) return static_cast<V>(v.AsFloat());
    else if constexpr (std::is_same_v<V, String>) return v.AsString();
    else return std::any_cast<V>(v.AsVariant());
}

// Checked down-cast; O is a template parameter so that classes only
// forward-declared here (TComponent) are complete where it is used.
template <class T, class O>
T* Cast(O* obj)
{
    if (auto* t = dynamic_cast<T*>(obj)) return t;
    RaiseInvalidCast(obj);
}

// A getter: member function, field pointer or callable taking T&.
template <class T, class G>
decltype(auto) CallGet(const G& g, T& obj)
{
    return std::invoke(g, obj);
}

template <class T, class V, class S>
void CallSet(const S& s, T& obj, V value)
{
    if constexpr (std::is_member_object_pointer_v<S>) obj.*s = std::move(value);
    else std::invoke(s, obj, std::move(value));
}

template <class T, class G>
using GetterValue = std::remove_cvref_t<std::invoke_result_t<const G&, T&>>;

[[noreturn]] void RaiseBuilderError(const String& className, const String& message);

template <class T>
constexpr TClassInfo::TFactory FactoryFor()
{
    if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                  std::is_constructible_v<T, TComponent*>)
        return [](TComponent* owner) -> TComponent* { return Create<T>(owner); };
    else
        return nullptr;
}

}  // namespace TypInfoDetail

template <class T, class Base>
class TClassBuilder {
public:
    explicit TClassBuilder(const char* name) : FInfo(name, Base::StaticClassInfo())
    {
        static_assert(std::is_base_of_v<Base, T>);
        FInfo.FFactory = TypInfoDetail::FactoryFor<T>();
    }

    template <class G, class S = std::nullptr_t>
    TClassBuilder& Integer(const char* name, G get, S set = nullptr)
    {
        using V = TypInfoDetail::GetterValue<T, G>;
        static_assert(std::is_integral_v<V> && !std::is_same_v<V, bool>);
        return Add(name, TypInfoDetail::IntegerTypeInfo<V>()->Kind, TypInfoDetail::IntegerTypeInfo<V>(), get, set);
    }
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Int64(const char* name, G get, S set = nullptr)
    {
        using V = TypInfoDetail::GetterValue<T, G>;
        static_assert(std::is_integral_v<V> && sizeof(V) == 8);
        return Add(name, tkInt64, TypInfoDetail::IntegerTypeInfo<V>(), get, set);
    }
    // An integer with an identifier table (RegisterIntegerIdents).
    template <class G, class S = std::nullptr_t>
    TClassBuilder& IdentInteger(const char* name, const char* identTable, G get, S set = nullptr)
    {
        Integer(name, get, set);
        FLast->IdentTable = identTable;
        return *this;
    }
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Color(const char* name, G get, S set = nullptr)
    {
        return IdentInteger(name, "TColor", get, set);
    }
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Cursor(const char* name, G get, S set = nullptr)
    {
        return IdentInteger(name, "TCursor", get, set);
    }
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Char(const char* name, G get, S set = nullptr)
    {
        using V = TypInfoDetail::GetterValue<T, G>;
        static_assert(std::is_integral_v<V>);
        return Add(name, tkChar, TypInfoDetail::CharTypeInfo<V>(), get, set);
    }
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Float(const char* name, G get, S set = nullptr)
    {
        using V = TypInfoDetail::GetterValue<T, G>;
        static_assert(std::is_floating_point_v<V>);
        return Add(name, tkFloat, TypInfoDetail::FloatTypeInfo<V>(), get, set);
    }
    template <class G, class S = std::nullptr_t>
    TClassBuilder& String(const char* name, G get, S set = nullptr)
    {
        using V = TypInfoDetail::GetterValue<T, G>;
        static_assert(std::is_same_v<V, ::String>);
        return Add(name, tkString, nullptr, get, set);
    }
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Enum(const char* name, G get, S set = nullptr)
    {
        using V = TypInfoDetail::GetterValue<T, G>;
        static_assert(std::is_enum_v<V>);
        return Add(name, tkEnumeration, TypeInfoOf(V{}), get, set);
    }
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Bool(const char* name, G get, S set = nullptr)
    {
        using V = TypInfoDetail::GetterValue<T, G>;
        static_assert(std::is_same_v<V, bool>);
        return Add(name, tkEnumeration, BooleanTypeInfo(), get, set);
    }
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Set(const char* name, G get, S set = nullptr)
    {
        using V = TypInfoDetail::GetterValue<T, G>;
        static_assert(TypInfoDetail::IsTSet<V>::value);
        return Add(name, tkSet, TypInfoDetail::SetTypeInfo<decltype(ElementOf(V{}))>(), get, set);
    }
    // An owned sub-object (a font, margins): nested in form text.
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Object(const char* name, G get, S set = nullptr)
    {
        AddClass<G, S>(name, get, set);
        return *this;
    }
    // A component held by reference: written by name, resolved after reading.
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Reference(const char* name, G get, S set = nullptr)
    {
        AddClass<G, S>(name, get, set);
        FLast->IsReference = true;
        return *this;
    }
    // An event: the value is the std::function; a handler bound from a
    // method table keeps its name.
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Event(const char* name, G get, S set = nullptr)
    {
        using E = TypInfoDetail::GetterValue<T, G>;
        auto prop = NewProp(name, tkMethod, nullptr);
        prop->EventType = typeid(E);
        prop->Get = [get](TObject* obj) -> TValue {
            const E& e = TypInfoDetail::CallGet(get, *TypInfoDetail::Cast<T>(obj));
            if (!e) return TValue(TMethod{});
            return TValue(TMethod{std::any(e), TypInfoDetail::HandlerName(e)});
        };
        if constexpr (!std::is_same_v<S, std::nullptr_t> || std::is_member_object_pointer_v<G>) {
            prop->Set = [setter = SetterOf(get, set)](TObject* obj, const TValue& v) {
                const TMethod& m = v.AsMethod();
                E e = m.Assigned() ? std::any_cast<E>(m.Code) : E();
                TypInfoDetail::CallSet<T, E>(setter, *TypInfoDetail::Cast<T>(obj), std::move(e));
            };
        }
        return Commit(prop);
    }
    // A value of any other copyable type (a variant).
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Variant(const char* name, G get, S set = nullptr)
    {
        return Add(name, tkVariant, nullptr, get, set);
    }

    // Modifiers of the property declared last.
    template <class V>
    TClassBuilder& Default(V value)
    {
        FLast->Default = DefaultValue(value);
        return *this;
    }
    TClassBuilder& Stored(bool stored)
    {
        FLast->StoredFn = [stored](TObject*) { return stored; };
        return *this;
    }
    template <class P>
    TClassBuilder& Stored(P pred)
    {
        FLast->StoredFn = [pred](TObject* obj) -> bool { return std::invoke(pred, *TypInfoDetail::Cast<T>(obj)); };
        return *this;
    }

    // A published component field of a root class: `Button1`.
    template <class F>
    TClassBuilder& Field(const char* name, F* T::*field)
    {
        TFieldInfo info;
        info.Name = name;
        info.FieldClass = &F::StaticClassInfo;
        info.Set = [field](TObject* root, TComponent* value) {
            TypInfoDetail::Cast<T>(root)->*field = value ? TypInfoDetail::Cast<F>(value) : nullptr;
        };
        FInfo.FFields.push_back(std::move(info));
        return *this;
    }

    // A published handler: `.Method<TNotifyEvent>("calcul", &TForm1::calcul)`.
    // Without E the event type is std::function of the member's signature.
    template <class E = void, class R, class... A>
    TClassBuilder& Method(const char* name, R (T::*handler)(A...))
    {
        using Event = std::conditional_t<std::is_void_v<E>, std::function<R(A...)>, E>;
        TMethodInfo info;
        info.Name = name;
        info.EventType = typeid(Event);
        ::String handlerName = name;
        info.Bind = [handler, handlerName](TObject* root) -> std::any {
            T* self = TypInfoDetail::Cast<T>(root);
            Event call = [self, handler](A... a) -> R { return (self->*handler)(std::forward<A>(a)...); };
            return std::any(Event(TypInfoDetail::TNamedHandler<Event>{handlerName, std::move(call)}));
        };
        FInfo.FMethods.push_back(std::move(info));
        return *this;
    }

    // Unknown properties in form data are skipped (temporary stand-ins).
    TClassBuilder& StandIn()
    {
        FInfo.FSkipUnknown = true;
        return *this;
    }

    TClassInfo Build()
    {
        Commit(nullptr);
        return std::move(FInfo);
    }

private:
    template <class E>
    static E ElementOf(TSet<E>);

    // Without a setter, a field pointer given as getter is the setter too.
    template <class G, class S>
    static auto SetterOf(G get, S set)
    {
        if constexpr (std::is_same_v<S, std::nullptr_t>) return get;
        else return set;
    }

    std::shared_ptr<TPropInfo> NewProp(const char* name, TTypeKind kind, const TTypeInfo* type)
    {
        Commit(nullptr);
        auto prop = std::make_shared<TPropInfo>();
        prop->Name = name;
        prop->Kind = kind;
        prop->Type = type;
        return prop;
    }

    // The previous property is added when the next one starts (or at
    // Build), so modifiers can still change it.
    TClassBuilder& Commit(std::shared_ptr<TPropInfo> next)
    {
        if (FLast) FInfo.AddProperty(FLast);
        FLast = std::move(next);
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Add(const char* name, TTypeKind kind, const TTypeInfo* type, G get, S set)
    {
        using V = TypInfoDetail::GetterValue<T, G>;
        auto prop = NewProp(name, kind, type);
        prop->Get = [get](TObject* obj) -> TValue {
            return TypInfoDetail::ToValue<V>(TypInfoDetail::CallGet(get, *TypInfoDetail::Cast<T>(obj)));
        };
        if constexpr (!std::is_same_v<S, std::nullptr_t> || std::is_member_object_pointer_v<G>)
            SetWith<V>(*prop, SetterOf(get, set));
        return Commit(prop);
    }

    template <class V, class S>
    static void SetWith(TPropInfo& prop, S set)
    {
        prop.Set = [set](TObject* obj, const TValue& v) {
            // A text reaches the setter without a copy of its own.
            if constexpr (std::is_same_v<V, ::String>)
                TypInfoDetail::CallSet<T, const ::String&>(set, *TypInfoDetail::Cast<T>(obj), v.AsString());
            else
                TypInfoDetail::CallSet<T, V>(set, *TypInfoDetail::Cast<T>(obj), TypInfoDetail::FromValue<V>(v));
        };
    }

    template <class G, class S>
    void AddClass(const char* name, G get, S set)
    {
        using P = TypInfoDetail::GetterValue<T, G>;
        static_assert(std::is_pointer_v<P>);
        using C = std::remove_cv_t<std::remove_pointer_t<P>>;
        auto prop = NewProp(name, tkClass, nullptr);
        prop->ClassTypeFn = &C::StaticClassInfo;
        prop->Get = [get](TObject* obj) -> TValue {
            return TValue(static_cast<TObject*>(const_cast<C*>(TypInfoDetail::CallGet(get, *TypInfoDetail::Cast<T>(obj)))));
        };
        if constexpr (!std::is_same_v<S, std::nullptr_t> || std::is_member_object_pointer_v<G>) {
            prop->Set = [setter = SetterOf(get, set)](TObject* obj, const TValue& v) {
                TObject* o = v.AsObject();
                C* typed = o ? TypInfoDetail::Cast<C>(o) : nullptr;
                TypInfoDetail::CallSet<T, C*>(setter, *TypInfoDetail::Cast<T>(obj), typed);
            };
        }
        Commit(prop);
    }

    template <class V>
    TValue DefaultValue(const V& value) const
    {
        if (!FLast) TypInfoDetail::RaiseBuilderError(FInfo.Name(), "Default sans propriété");
        if constexpr (std::is_arithmetic_v<V>) {
            if (FLast->Kind == tkFloat) {
                // The default is compared with the stored value: round it
                // the same way.
                const Extended x = static_cast<Extended>(value);
                switch (FLast->Type->FloatType) {
                    case ftSingle: return TValue(static_cast<Extended>(static_cast<float>(x)));
                    case ftDouble: return TValue(static_cast<Extended>(static_cast<double>(x)));
                    case ftExtended: return TValue(x);
                }
            }
        }
        return TypInfoDetail::ToValue<V>(value);
    }

    TClassInfo FInfo;
    std::shared_ptr<TPropInfo> FLast;
};
