#pragma once
// Automation variants: a value that carries its type code, and variant
// arrays of one or two dimensions with any low bounds.

#include <initializer_list>
#include <memory>
#include <variant>
#include <vector>

#include "platform/SysUtils.h"

// The class library's variant type codes.
enum : Word {
    varEmpty = 0,
    varNull = 1,
    varSmallint = 2,
    varInteger = 3,
    varSingle = 4,
    varDouble = 5,
    varCurrency = 6,
    varDate = 7,
    varOleStr = 8,
    varError = 10,
    varBoolean = 11,
    varVariant = 12,
    varShortInt = 16,
    varByte = 17,
    varWord = 18,
    varLongWord = 19,
    varInt64 = 20,
    varString = 0x100,
    varTypeMask = 0x0FFF,
    varArray = 0x2000,
};

struct TVarArray;

// Copies are values: an array is shared until one copy changes it.
class Variant {
public:
    Variant() = default;
    Variant(bool v) : FType(varBoolean), FValue(v) {}
    template <PlainInteger T>
    Variant(T v) : FType(IntegerCode<T>()), FValue(static_cast<Int64>(v))
    {
    }
    Variant(Single v) : FType(varSingle), FValue(static_cast<Double>(v)) {}
    Variant(Double v) : FType(varDouble), FValue(v) {}
    Variant(const String& v) : FType(varOleStr), FValue(v) {}
    Variant(const char* v) : FType(varOleStr), FValue(String(v ? v : "")) {}

    static Variant Null();
    static Variant FromDateTime(TDateTime value);

    Word VarType() const { return FType; }
    bool IsArray() const { return (FType & varArray) != 0; }

    // Raw payloads, for the conversion functions below.
    bool IsInteger() const { return std::holds_alternative<Int64>(FValue); }
    bool IsFloat() const { return std::holds_alternative<Double>(FValue); }
    Int64 IntegerValue() const { return std::get<Int64>(FValue); }
    Double FloatValue() const { return std::get<Double>(FValue); }
    bool BooleanValue() const { return std::get<bool>(FValue); }
    const String& StringValue() const { return std::get<String>(FValue); }

    // Element of a one- or two-dimensional array, indexed within its bounds;
    // EVariantError otherwise.
    Variant operator[](Integer i) const;
    Variant GetElement(std::initializer_list<Integer> indices) const;
    void PutElement(std::initializer_list<Integer> indices, const Variant& value);
    // Array shape; EVariantError for a value that is no array or a bad dim.
    Integer DimCount() const;
    Integer LowBound(Integer dim) const;
    Integer HighBound(Integer dim) const;
    Byte* LockBytes();

private:
    friend Variant VarArrayCreate(std::initializer_list<Integer> bounds, Word elementType);
    const TVarArray& Array() const;
    // Unshares the array before a change.
    TVarArray& MutableArray();

    template <class T>
    static constexpr Word IntegerCode()
    {
        if constexpr (std::is_signed_v<T>)
            return sizeof(T) == 1 ? varShortInt : sizeof(T) == 2 ? varSmallint : sizeof(T) == 4 ? varInteger : varInt64;
        else
            return sizeof(T) == 1 ? varByte : sizeof(T) == 2 ? varWord : sizeof(T) == 4 ? varLongWord : varInt64;
    }

    Word FType = varEmpty;
    std::variant<std::monostate, Int64, Double, bool, String, std::shared_ptr<TVarArray>> FValue;
};

// bounds holds low and high bound pairs: {0, n - 1} or {l1, h1, l2, h2}.
// Elements start empty, or zero for numeric element types. Raises
// EVariantError for another dimension count or a high bound below low - 1.
Variant VarArrayCreate(std::initializer_list<Integer> bounds, Word elementType);
Integer VarArrayDimCount(const Variant& v);
// dim counts from 1; EVariantError for a value that is no array or a bad dim.
Integer VarArrayLowBound(const Variant& v, Integer dim);
Integer VarArrayHighBound(const Variant& v, Integer dim);
// The contiguous bytes of a varByte array (EVariantError for any other).
Byte* VarArrayLock(Variant& v);
void VarArrayUnlock(Variant& v);

inline Word VarType(const Variant& v) { return v.VarType(); }
inline bool VarIsArray(const Variant& v) { return v.IsArray(); }
inline bool VarIsEmpty(const Variant& v) { return v.VarType() == varEmpty; }
inline bool VarIsNull(const Variant& v) { return v.VarType() == varNull; }

// Numbers and Booleans (True = -1) convert; text is read with FormatSettings
// (EConvertError when it is no number); empty gives 0; null, arrays and
// other kinds raise EVariantError.
Double VarToDouble(const Variant& v);
// Empty and null give ""; Booleans "True"/"False"; numbers as FloatToStr and
// IntToStr; arrays raise EVariantError.
String VarToStr(const Variant& v);
