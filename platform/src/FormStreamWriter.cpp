#include <charconv>
#include <cmath>

#include "platform/Consts.h"
#include "platform/FormStream.h"

namespace {

// Shortest text that reads back to the same value, always with a '.' and
// an 'E' exponent without '+' ("1080.0", "1.5E-7"); never localised.
template <class F>
String FloatText(F value)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    const std::string_view text(buffer, static_cast<std::size_t>(r.ptr - buffer));
    const std::size_t e = text.find('e');
    String mantissa(text.substr(0, e));
    if (mantissa.find('.') == String::npos) mantissa += ".0";
    if (e == std::string_view::npos) return mantissa;
    Integer exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), exponent);
    return mantissa + "E" + IntToStr(exponent);
}

// Index just past the value that starts at tokens[i]; npos when the
// tokens from i on are not one whole value.
std::size_t ValueEnd(const TFormTokens& tokens, std::size_t i)
{
    Integer depth = 0;
    do {
        if (i >= tokens.size() || tokens[i].Kind == TFormToken::fkObject) return String::npos;
        const TFormToken& t = tokens[i++];
        if (t.Kind != TFormToken::fkValue) continue;
        if (t.Type == vaList || t.Type == vaCollection) ++depth;
        else if (t.Type == vaNull && --depth < 0) return String::npos;
    } while (depth > 0);
    return i;
}

bool IsFormIdent(const String& ident)
{
    if (ident == "-INF") return true;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = ident.find('.', start);
        if (!IsValidIdent(ident.substr(start, dot - start))) return false;
        if (dot == String::npos) return true;
        start = dot + 1;
    }
}

}  // namespace

TWriter::TWriter(TComponent* ARoot) : TFiler(ARoot) {}

TFormToken& TWriter::Push(TFormToken::TKind Kind)
{
    TFormToken& t = FTokens.emplace_back();
    t.Kind = Kind;
    return t;
}

void TWriter::PushValue(TValueType Type) { Push(TFormToken::fkValue).Type = Type; }

void TWriter::WriteValue(TValueType Value)
{
    if (Value != vaList && Value != vaCollection && Value != vaNull)
        throw EWriteError(SWriteValueNotList);
    PushValue(Value);
}

void TWriter::WriteInteger(Int64 Value)
{
    TFormToken& t = Push(TFormToken::fkValue);
    t.Type = IntegerValueType(Value);
    t.Int = Value;
}

void TWriter::WriteFloat(Extended Value) { WriteIdentOrFloat(FloatText(Value)); }

void TWriter::WriteDouble(Double Value) { WriteIdentOrFloat(FloatText(Value)); }

void TWriter::WriteSingle(Single Value) { WriteIdentOrFloat(FloatText(Value)); }

void TWriter::WriteIdentOrFloat(const String& Text)
{
    TFormToken& t = Push(TFormToken::fkValue);
    t.Type = Text.find('.') == String::npos ? vaIdent : vaExtended;
    t.Text = Text;
}

void TWriter::WriteString(const String& Value)
{
    TFormToken& t = Push(TFormToken::fkValue);
    t.Type = StringValueType(Value);
    t.Text = Value;
}

void TWriter::WriteIdent(const String& Ident)
{
    if (SameText(Ident, "True")) return PushValue(vaTrue);
    if (SameText(Ident, "False")) return PushValue(vaFalse);
    if (SameText(Ident, "nil")) return PushValue(vaNil);
    if (!IsFormIdent(Ident)) throw EWriteError(Format(SInvalidFormIdent, TextExcerpt(Ident)));
    TFormToken& t = Push(TFormToken::fkValue);
    t.Type = vaIdent;
    t.Text = Ident;
}

void TWriter::WriteBoolean(bool Value) { PushValue(Value ? vaTrue : vaFalse); }

void TWriter::WriteChar(Char Value)
{
    // A lone surrogate has no text of its own: its code is written.
    if (Value >= 0xD800 && Value <= 0xDFFF) return WriteInteger(Value);
    WriteString(Utf16ToUtf8(std::u16string(1, Value)));
}

void TWriter::WriteBinary(std::span<const Byte> Data)
{
    TFormToken& t = Push(TFormToken::fkValue);
    t.Type = vaBinary;
    t.Bytes.assign(Data.begin(), Data.end());
}

void TWriter::WritePropName(const String& Name) { Push(TFormToken::fkProperty).Text = FPropPath + Name; }

// --- components and properties ---------------------------------------------

void TWriter::WriteComponent(TComponent* Component)
{
    Component->SetComponentStateFlag(csWriting, true);
    const TScopeExit written([Component] { Component->SetComponentStateFlag(csWriting, false); });
    TFormToken& header = Push(TFormToken::fkObject);
    header.Text = Component->ClassName();
    header.Name = Component->Name();
    WriteProperties(Component);
    WriteListEnd();
    Component->GetChildren([this](TComponent* child) { WriteComponent(child); }, FRoot);
    WriteListEnd();
}

void TWriter::WriteProperties(TPersistent* Instance)
{
    for (PPropInfo prop : GetPropList(Instance))
        if (IsStoredProp(Instance, prop)) WriteProperty(Instance, prop);
    Instance->DefineProperties(*this);
}

void TWriter::WriteProperty(TObject* Instance, PPropInfo Prop)
{
    const bool subObject = Prop->Kind == tkClass && !Prop->IsReference;
    if (!subObject && (!Prop->HasSetter() || IsDefaultPropValue(Instance, Prop))) return;
    switch (Prop->Kind) {
        case tkInteger:
        case tkChar:
        case tkEnumeration:
        case tkSet:
        case tkInt64: return WriteOrdinal(Instance, Prop);
        case tkFloat: {
            const Extended v = GetFloatProp(Instance, Prop);
            WritePropName(Prop->Name);
            switch (Prop->Type->FloatType) {
                case ftSingle: return WriteSingle(static_cast<Single>(v));
                case ftDouble: return WriteDouble(static_cast<Double>(v));
                case ftExtended: return WriteFloat(v);
            }
            return;
        }
        case tkString: {
            const String v = GetStrProp(Instance, Prop);
            WritePropName(Prop->Name);
            return WriteString(v);
        }
        case tkClass: return subObject ? WriteSubObject(Instance, Prop) : WriteReference(Instance, Prop);
        case tkMethod: {
            // Only handlers bound from a method table have a name to write.
            const TMethod m = GetMethodProp(Instance, Prop);
            if (!m.Assigned() || m.Name.empty()) return;
            WritePropName(Prop->Name);
            return WriteIdent(m.Name);
        }
        case tkVariant: return WriteVariant(Instance, Prop);
        case tkUnknown: return;
    }
}

void TWriter::WriteOrdinal(TObject* Instance, PPropInfo Prop)
{
    const Int64 v = GetOrdProp(Instance, Prop);
    const TTypeInfo* type = Prop->Type;
    String ident;
    switch (Prop->Kind) {
        case tkEnumeration: {
            const String& name = GetEnumName(type, v);
            WritePropName(Prop->Name);
            return WriteIdent(name);
        }
        case tkSet: {
            WritePropName(Prop->Name);
            TFormToken& t = Push(TFormToken::fkValue);
            t.Type = vaSet;
            for (Int64 bit = 0; bit <= type->CompType->MaxValue; ++bit)
                if ((static_cast<UInt64>(v) >> bit) & 1u) t.Items.push_back(type->CompType->Names[bit]);
            return;
        }
        case tkChar: WritePropName(Prop->Name); return WriteChar(static_cast<Char>(v));
        default:
            WritePropName(Prop->Name);
            if (!Prop->IdentTable.empty() && IntToIdent(Prop->IdentTable, v, ident)) return WriteIdent(ident);
            return WriteInteger(v);
    }
}

void TWriter::WriteSubObject(TObject* Instance, PPropInfo Prop)
{
    auto* sub = dynamic_cast<TPersistent*>(GetObjectProp(Instance, Prop));
    if (!sub || dynamic_cast<TComponent*>(sub)) return;
    const TRestoreScope outer(FPropPath);
    FPropPath += Prop->Name + ".";
    WriteProperties(sub);
}

void TWriter::WriteReference(TObject* Instance, PPropInfo Prop)
{
    auto* component = dynamic_cast<TComponent*>(GetObjectProp(Instance, Prop));
    if (!component || component->Name().empty()) return;
    if (component != FRoot && component->Owner() != FRoot) return;  // outside this form: not resolvable
    WritePropName(Prop->Name);
    WriteIdent(component->Name());
}

void TWriter::WriteVariant(TObject* Instance, PPropInfo Prop)
{
    // Integers, doubles, strings and booleans; other values are not written.
    const std::any v = GetVariantProp(Instance, Prop);
    const std::type_info& type = v.type();
    if (type != typeid(Int64) && type != typeid(Integer) && type != typeid(Double) && type != typeid(String) &&
        type != typeid(bool))
        return;
    WritePropName(Prop->Name);
    if (auto* i = std::any_cast<Int64>(&v)) return WriteInteger(*i);
    if (auto* i = std::any_cast<Integer>(&v)) return WriteInteger(*i);
    if (auto* d = std::any_cast<Double>(&v)) return WriteDouble(*d);
    if (auto* s = std::any_cast<String>(&v)) return WriteString(*s);
    WriteBoolean(std::any_cast<bool>(v));
}

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData, bool HasData)
{
    if (!HasData || !WriteData) return;
    WritePropName(Name);
    const std::size_t start = FTokens.size();
    // Values of a defined property (collection items) carry no path prefix.
    const TRestoreScope outer(FPropPath);
    FPropPath.clear();
    WriteData(*this);
    if (ValueEnd(FTokens, start) != FTokens.size())
        throw EWriteError(Format(SPropertySingleValue, Name));
}

void TWriter::DefineBinaryProperty(const String& Name, const TStreamProc&, const TStreamProc& WriteData,
                                   bool HasData)
{
    if (!HasData || !WriteData) return;
    TMemoryStream stream;
    WriteData(stream);
    WritePropName(Name);
    WriteBinary(std::span(static_cast<const Byte*>(stream.Memory()), static_cast<std::size_t>(stream.Size())));
}

String WriteComponent(TComponent* Root)
{
    TWriter writer(Root);
    writer.WriteComponent(Root);
    return FormatFormText(writer.Tokens());
}
