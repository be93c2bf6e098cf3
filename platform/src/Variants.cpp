#include "platform/Variants.h"

#include <algorithm>

#include "platform/Consts.h"

struct TVarArray {
    Word ElementType = varVariant;
    std::vector<Integer> Lows;
    std::vector<Integer> Counts;
    // Byte arrays keep raw bytes so their storage can be locked; all other
    // element types are variants.
    std::vector<Byte> Bytes;
    std::vector<Variant> Items;

    std::size_t Offset(std::initializer_list<Integer> indices) const
    {
        if (indices.size() != Lows.size()) throw EVariantError(SVarArrayBounds);
        std::size_t offset = 0;
        std::size_t dim = 0;
        for (Integer index : indices) {
            const Int64 rel = Int64{index} - Lows[dim];
            if (rel < 0 || rel >= Counts[dim]) throw EVariantError(SVarArrayBounds);
            offset = offset * static_cast<std::size_t>(Counts[dim]) + static_cast<std::size_t>(rel);
            ++dim;
        }
        return offset;
    }
};

namespace {

Variant ZeroOf(Word type)
{
    switch (type) {
    case varSmallint: return SmallInt{0};
    case varInteger: return Integer{0};
    case varShortInt: return ShortInt{0};
    case varByte: return Byte{0};
    case varWord: return Word{0};
    case varLongWord: return LongWord{0};
    case varInt64: return Int64{0};
    case varSingle: return Single{0};
    case varDouble: case varCurrency: return Double{0};
    case varDate: return Variant::FromDateTime(0);
    case varBoolean: return false;
    case varOleStr: case varString: return String();
    default: return Variant();
    }
}

[[noreturn]] void RaiseCast() { throw EVariantError(SInvalidVarCast); }

}  // namespace

Variant Variant::Null()
{
    Variant v;
    v.FType = varNull;
    return v;
}

Variant Variant::FromDateTime(TDateTime value)
{
    Variant v(value);
    v.FType = varDate;
    return v;
}

const TVarArray& Variant::Array() const
{
    if (!IsArray()) throw EVariantError(SVarNotArray);
    return *std::get<std::shared_ptr<TVarArray>>(FValue);
}

TVarArray& Variant::MutableArray()
{
    Array();  // raises for a non-array
    auto& shared = std::get<std::shared_ptr<TVarArray>>(FValue);
    if (shared.use_count() > 1) shared = std::make_shared<TVarArray>(*shared);
    return *shared;
}

Variant Variant::operator[](Integer i) const { return GetElement({i}); }

Variant Variant::GetElement(std::initializer_list<Integer> indices) const
{
    const TVarArray& a = Array();
    const std::size_t at = a.Offset(indices);
    if (a.ElementType == varByte) return a.Bytes[at];
    return a.Items[at];
}

void Variant::PutElement(std::initializer_list<Integer> indices, const Variant& value)
{
    TVarArray& a = MutableArray();
    const std::size_t at = a.Offset(indices);
    if (a.ElementType != varByte) {
        a.Items[at] = value;
        return;
    }
    if (!value.IsInteger() || value.IntegerValue() < 0 || value.IntegerValue() > 255) RaiseCast();
    a.Bytes[at] = static_cast<Byte>(value.IntegerValue());
}

Integer Variant::DimCount() const { return static_cast<Integer>(Array().Lows.size()); }

Integer Variant::LowBound(Integer dim) const
{
    const TVarArray& a = Array();
    if (dim < 1 || dim > static_cast<Integer>(a.Lows.size())) throw EVariantError(SVarArrayBounds);
    return a.Lows[dim - 1];
}

Integer Variant::HighBound(Integer dim) const
{
    const TVarArray& a = Array();
    if (dim < 1 || dim > static_cast<Integer>(a.Lows.size())) throw EVariantError(SVarArrayBounds);
    return static_cast<Integer>(Int64{a.Lows[dim - 1]} + a.Counts[dim - 1] - 1);
}

Byte* Variant::LockBytes()
{
    TVarArray& a = MutableArray();
    if (a.ElementType != varByte) throw EVariantError(SInvalidVarCast);
    return a.Bytes.data();
}

Variant VarArrayCreate(std::initializer_list<Integer> bounds, Word elementType)
{
    if (bounds.size() != 2 && bounds.size() != 4) throw EVariantError(SVarArrayCreate);
    auto array = std::make_shared<TVarArray>();
    array->ElementType = elementType;
    std::size_t total = 1;
    for (auto it = bounds.begin(); it != bounds.end(); it += 2) {
        const Int64 count = Int64{it[1]} - it[0] + 1;
        if (count < 0) throw EVariantError(SVarArrayCreate);
        array->Lows.push_back(it[0]);
        array->Counts.push_back(static_cast<Integer>(count));
        total *= static_cast<std::size_t>(count);
    }
    if (elementType == varByte)
        array->Bytes.assign(total, 0);
    else
        array->Items.assign(total, ZeroOf(elementType));
    Variant v;
    v.FType = static_cast<Word>(varArray | elementType);
    v.FValue = std::move(array);
    return v;
}

Integer VarArrayDimCount(const Variant& v) { return v.IsArray() ? v.DimCount() : 0; }
Integer VarArrayLowBound(const Variant& v, Integer dim) { return v.LowBound(dim); }
Integer VarArrayHighBound(const Variant& v, Integer dim) { return v.HighBound(dim); }
Byte* VarArrayLock(Variant& v) { return v.LockBytes(); }
void VarArrayUnlock(Variant&) {}

Double VarToDouble(const Variant& v)
{
    switch (v.VarType()) {
    case varEmpty: return 0;
    case varBoolean: return v.BooleanValue() ? -1 : 0;
    case varOleStr: case varString: {
        Double value = 0;
        if (!TryStrToFloat(v.StringValue(), value)) throw EConvertError(Format(SInvalidFloat, v.StringValue()));
        return value;
    }
    default: break;
    }
    if (v.IsInteger()) return static_cast<Double>(v.IntegerValue());
    if (v.IsFloat()) return v.FloatValue();
    RaiseCast();
}

String VarToStr(const Variant& v)
{
    switch (v.VarType()) {
    case varEmpty: case varNull: return {};
    case varBoolean: return BoolToStr(v.BooleanValue(), true);
    case varDate: return DateTimeToStr(v.FloatValue());
    case varOleStr: case varString: return v.StringValue();
    default: break;
    }
    if (v.IsInteger()) return IntToStr(v.IntegerValue());
    if (v.IsFloat()) return FloatToStr(v.FloatValue());
    RaiseCast();
}
