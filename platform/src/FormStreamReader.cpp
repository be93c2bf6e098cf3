#include <charconv>

#include "FormTokenizer.h"
#include "platform/Consts.h"
#include "platform/FormStream.h"
#include "platform/Resources.h"

namespace {

// The reader's own errors, which already name their line; the class is
// EReadError for everyone else.
class EFormLineError final : public EReadError {
public:
    using EReadError::EReadError;
};

String AtLine(Integer line) { return Format(SFormAtLine, line); }

bool IsStringType(TValueType t)
{
    return t == vaString || t == vaLString || t == vaWString || t == vaUTF8String;
}

bool IsIntegerType(TValueType t) { return t == vaInt8 || t == vaInt16 || t == vaInt32 || t == vaInt64; }

template <class F>
bool ParseFloatText(const String& text, F& value)
{
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

}  // namespace

struct TReader::TFixup {
    TObject* Instance;
    PPropInfo Prop;
    String Name;
    Integer Line;
};

TReader::TReader(std::string_view Text, TComponent* ARoot) : TFiler(ARoot)
{
    for (TFormTokenizer check(Text); check.Next(FAhead);) {
    }
    FSource = std::make_unique<TFormTokenizer>(Text);
    FHasAhead = FSource->Next(FAhead);
}

TReader::~TReader() = default;

// --- cursor ----------------------------------------------------------------

Integer TReader::Line() const { return FHasAhead ? FAhead.Line : FToken.Line; }

void TReader::Error(const String& Message) const
{
    throw EFormLineError(SFormReadError + Message + AtLine(FErrorLine));
}

const TFormToken& TReader::Peek() const
{
    if (!FHasAhead) Error("fin des données inattendue");
    return FAhead;
}

TFormToken& TReader::Next()
{
    Peek();
    std::swap(FToken, FAhead);
    FErrorLine = FToken.Line;
    FHasAhead = FSource->Next(FAhead);
    return FToken;
}

TFormToken& TReader::NextOf(TFormToken::TKind Kind)
{
    TFormToken& t = Next();
    if (t.Kind != Kind) Error(Kind == TFormToken::fkValue ? SFormValueExpected : "données de fiche incohérentes");
    return t;
}

TValueType TReader::NextValue() const
{
    const TFormToken& t = Peek();
    if (t.Kind != TFormToken::fkValue) throw EFormLineError(String(SFormReadError) + SFormValueExpected + AtLine(t.Line));
    return t.Type;
}

bool TReader::EndOfList() const
{
    const TFormToken& t = Peek();
    return t.Kind == TFormToken::fkValue && t.Type == vaNull;
}

TValueType TReader::ReadValue() { return NextOf(TFormToken::fkValue).Type; }

void TReader::ReadListBegin()
{
    if (NextOf(TFormToken::fkValue).Type != vaList) Error("liste attendue");
}

void TReader::ReadListEnd()
{
    if (NextOf(TFormToken::fkValue).Type != vaNull) Error("fin de liste attendue");
}

Int64 TReader::ReadInt64()
{
    const TFormToken& t = NextOf(TFormToken::fkValue);
    if (!IsIntegerType(t.Type)) Error("entier attendu");
    return t.Int;
}

Integer TReader::ReadInteger()
{
    const TFormToken& t = NextOf(TFormToken::fkValue);
    if (t.Type == vaInt64 || !IsIntegerType(t.Type)) Error("entier de 32 bits attendu");
    return static_cast<Integer>(t.Int);
}

namespace {

template <class F>
F ReadFloatAs(TReader& reader, const TFormToken& t)
{
    if (IsIntegerType(t.Type)) {
        F value{};
        if (!ParseFloatText(IntToStr(t.Int), value)) reader.Error("réel hors limites");
        return value;
    }
    if (t.Type == vaIdent) {
        if (SameText(t.Text, "NAN")) return std::numeric_limits<F>::quiet_NaN();
        if (SameText(t.Text, "INF")) return std::numeric_limits<F>::infinity();
        if (SameText(t.Text, "-INF")) return -std::numeric_limits<F>::infinity();
    }
    if (t.Type != vaExtended) reader.Error("réel attendu");
    F value{};
    if (!ParseFloatText(t.Text, value)) reader.Error("réel hors limites : " + t.Text);
    return value;
}

}  // namespace

Extended TReader::ReadFloat() { return ReadFloatAs<Extended>(*this, NextOf(TFormToken::fkValue)); }

Double TReader::ReadDouble() { return ReadFloatAs<Double>(*this, NextOf(TFormToken::fkValue)); }

Single TReader::ReadSingle() { return ReadFloatAs<Single>(*this, NextOf(TFormToken::fkValue)); }

// The values read leave the token: it is read once.
String TReader::ReadString()
{
    TFormToken& t = NextOf(TFormToken::fkValue);
    if (!IsStringType(t.Type)) Error("chaîne attendue");
    return std::move(t.Text);
}

String TReader::ReadIdent()
{
    TFormToken& t = NextOf(TFormToken::fkValue);
    switch (t.Type) {
        case vaIdent: return std::move(t.Text);
        case vaTrue: return "True";
        case vaFalse: return "False";
        case vaNil: return "nil";
        default: Error("identificateur attendu");
    }
}

bool TReader::ReadBoolean()
{
    const TValueType t = NextOf(TFormToken::fkValue).Type;
    if (t != vaTrue && t != vaFalse) Error("booléen attendu");
    return t == vaTrue;
}

Char TReader::ReadChar()
{
    const std::u16string units = Utf8ToUtf16(ReadString());
    if (units.size() != 1) Error("caractère attendu");
    return units[0];
}

std::vector<Byte> TReader::ReadBinary()
{
    TFormToken& t = NextOf(TFormToken::fkValue);
    if (t.Type != vaBinary) Error("données binaires attendues");
    return std::move(t.Bytes);
}

void TReader::SkipValue()
{
    Integer depth = 0;
    do {
        const TFormToken& t = Next();
        if (t.Kind == TFormToken::fkObject) Error("valeur attendue");
        if (t.Kind != TFormToken::fkValue) continue;
        if (t.Type == vaList || t.Type == vaCollection) ++depth;
        else if (t.Type == vaNull && --depth < 0) Error("valeur attendue");
    } while (depth > 0);
}

// --- properties ------------------------------------------------------------

void TReader::ReadProperty(TPersistent* Instance)
{
    const TFormToken& name = NextOf(TFormToken::fkProperty);
    const bool standIn = Instance->ClassInfo()->SkipsUnknownProperties() ||
                         (FCurrent && FCurrent->ClassInfo()->SkipsUnknownProperties());
    // Dotted names walk the owned sub-objects ("Font.Style").
    TObject* target = Instance;
    std::string_view path = name.Text;
    for (std::size_t dot = path.find('.'); dot != std::string_view::npos; dot = path.find('.')) {
        PPropInfo sub = target->ClassInfo()->FindProperty(String(path.substr(0, dot)));
        TObject* next = sub && sub->Kind == tkClass && !sub->IsReference ? GetObjectProp(target, sub) : nullptr;
        if (!next) {
            if (standIn) return SkipValue();
            Error("propriété " + name.Text + " inexistante dans " + Instance->ClassName());
        }
        target = next;
        path.remove_prefix(dot + 1);
    }
    const String last(path);
    if (PPropInfo prop = target->ClassInfo()->FindProperty(last)) return ReadPropertyValue(target, prop);
    if (auto* persistent = dynamic_cast<TPersistent*>(target); persistent && ReadDefinedProperty(persistent, last))
        return;
    if (standIn) return SkipValue();
    Error("propriété " + name.Text + " inexistante dans " + Instance->ClassName());
}

bool TReader::ReadDefinedProperty(TPersistent* Instance, const String& Name)
{
    const String outerName = FPropName;
    const bool outerHandled = FPropHandled;
    FPropName = Name;
    FPropHandled = false;
    Instance->DefineProperties(*this);
    const bool handled = FPropHandled;
    FPropName = outerName;
    FPropHandled = outerHandled;
    return handled;
}

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&, bool)
{
    if (FPropHandled || !ReadData || !SameText(Name, FPropName)) return;
    ReadData(*this);
    FPropHandled = true;
}

void TReader::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc&, bool)
{
    if (FPropHandled || !ReadData || !SameText(Name, FPropName)) return;
    const std::vector<Byte> bytes = ReadBinary();
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    stream.SetPosition(0);
    ReadData(stream);
    FPropHandled = true;
}

void TReader::ReadPropertyValue(TObject* Instance, PPropInfo Prop)
{
    switch (Prop->Kind) {
        case tkInteger:
        case tkChar:
        case tkEnumeration:
        case tkSet:
        case tkInt64: return ReadOrdinal(Instance, Prop);
        case tkFloat: {
            const TFloatType type = Prop->Type->FloatType;
            const Extended v = type == ftSingle ? ReadSingle() : type == ftDouble ? ReadDouble() : ReadFloat();
            return SetFloatProp(Instance, Prop, v);
        }
        case tkString: return SetStrProp(Instance, Prop, ReadString());
        case tkClass:
        case tkMethod: {
            if (Prop->Kind == tkClass && !Prop->IsReference) {
                Next();
                Error("valeur directe de l'objet " + Prop->Name);
            }
            const Integer line = Line();
            const String ident = ReadIdent();
            if (SameText(ident, "nil")) {
                if (Prop->Kind == tkClass) return SetObjectProp(Instance, Prop, nullptr);
                return SetMethodProp(Instance, Prop, TMethod{});
            }
            FFixups.push_back(TFixup{Instance, Prop, ident, line});
            return;
        }
        case tkVariant: return SetVariantProp(Instance, Prop, ReadVariant());
        case tkUnknown: break;
    }
    Error("type de la propriété " + Prop->Name + " non géré");
}

std::any TReader::ReadVariant()
{
    const TValueType t = NextValue();
    if (IsIntegerType(t)) return std::any(ReadInt64());
    if (IsStringType(t)) return std::any(ReadString());
    if (t == vaTrue || t == vaFalse) return std::any(ReadBoolean());
    if (t == vaExtended) return std::any(static_cast<Double>(ReadDouble()));
    if (t == vaNil) {
        Next();
        return std::any();
    }
    Error("valeur de variant non gérée");
}

void TReader::ReadOrdinal(TObject* Instance, PPropInfo Prop)
{
    const TTypeInfo* type = Prop->Type;
    const TFormToken& t = NextOf(TFormToken::fkValue);
    Int64 value = 0;
    if (IsIntegerType(t.Type)) {
        value = t.Int;
    } else if (Prop->Kind == tkEnumeration && (t.Type == vaIdent || t.Type == vaTrue || t.Type == vaFalse)) {
        const String ident = t.Type == vaIdent ? t.Text : t.Type == vaTrue ? "True" : "False";
        value = GetEnumValue(type, ident);
        if (value < 0) Error("valeur « " + ident + " » incorrecte pour " + Prop->Name);
    } else if (Prop->Kind == tkSet && t.Type == vaSet) {
        for (const String& item : t.Items) {
            const Integer bit = GetEnumValue(type->CompType, item);
            if (bit < 0) Error("élément « " + item + " » incorrect pour " + Prop->Name);
            value |= Int64{1} << bit;
        }
    } else if (Prop->Kind == tkInteger && t.Type == vaIdent && !Prop->IdentTable.empty()) {
        if (!IdentToInt(Prop->IdentTable, t.Text, value))
            Error("valeur « " + t.Text + " » incorrecte pour " + Prop->Name);
    } else if (Prop->Kind == tkChar && IsStringType(t.Type)) {
        const std::u16string units = Utf8ToUtf16(t.Text);
        if (units.size() != 1) Error("caractère attendu pour " + Prop->Name);
        value = units[0];
    } else {
        Error("valeur incorrecte pour " + Prop->Name);
    }
    SetOrdProp(Instance, Prop, value);
}

// --- components ------------------------------------------------------------

void TReader::ReadRootComponent()
{
    try {
        const TFormToken& header = NextOf(TFormToken::fkObject);
        TClass cls = FRoot->ClassInfo();
        while (cls && !SameText(cls->Name(), header.Text)) cls = cls->Parent();
        if (!cls) Error("la fiche décrit un " + header.Text + ", pas un " + FRoot->ClassName());
        FRoot->SetComponentStateFlag(csLoading, true);
        FLoaded.push_back(FRoot);
        FLoadedSet.insert(FRoot);
        if (!header.Name.empty() && FRoot->Name().empty()) SetRootName(header.Name);
        ReadComponentData(FRoot);
        ResolveFixups();
        CallLoaded();
    } catch (EFormLineError&) {
        Abandon();
        throw;
    } catch (EConvertError& e) {
        Abandon();
        e.SetMessage(e.Message() + AtLine(FErrorLine));
        throw;
    } catch (EReadError& e) {
        Abandon();
        e.SetMessage(e.Message() + AtLine(FErrorLine));
        throw;
    } catch (Exception& e) {
        Abandon();
        throw EReadError(e.Message() + AtLine(FErrorLine));
    } catch (...) {
        Abandon();
        throw;
    }
}

void TReader::SetRootName(const String& Name)
{
    // A second instance of a form owned by the same owner gets Name_1, ...
    TComponent* owner = FRoot->Owner();
    String candidate = Name;
    for (Integer i = 1; owner && owner->FindComponent(candidate); ++i) candidate = Name + "_" + IntToStr(i);
    FRoot->SetName(candidate);
}

void TReader::ReadComponentData(TComponent* Instance)
{
    TComponent* outerCurrent = FCurrent;
    TComponent* outerParent = FParent;
    FCurrent = Instance;
    Instance->SetComponentStateFlag(csReading, true);
    while (!EndOfList()) ReadProperty(Instance);
    ReadListEnd();
    FParent = Instance;
    while (!EndOfList()) ReadChildComponent();
    ReadListEnd();
    Instance->SetComponentStateFlag(csReading, false);
    FParent = outerParent;
    FCurrent = outerCurrent;
}

void TReader::ReadChildComponent()
{
    const TFormToken& header = NextOf(TFormToken::fkObject);
    TComponent* child = header.Inherited ? FindInherited(header) : CreateChild(header);
    if (FLoadedSet.insert(child).second) FLoaded.push_back(child);
    ReadComponentData(child);
}

TComponent* TReader::FindInherited(const TFormToken& header)
{
    TComponent* child = FRoot->FindComponent(header.Name);
    if (!child || !SameText(child->ClassName(), header.Text))
        Error("composant hérité " + header.Name + ": " + header.Text + " introuvable");
    child->SetComponentStateFlag(csLoading, true);
    return child;
}

TComponent* TReader::CreateChild(const TFormToken& header)
{
    TClass cls = GetClass(header.Text);
    if (!cls) Error("classe " + header.Text + " non trouvée");
    if (!cls->CanCreate()) Error("classe " + header.Text + " non instanciable");
    TComponent* child = cls->Create(FRoot);
    FCreated.emplace_back(child);
    child->SetComponentStateFlag(csLoading, true);
    child->SetName(header.Name);
    child->SetParentComponent(FParent);
    return child;
}

void TReader::ResolveFixups()
{
    for (const TFixup& f : FFixups) {
        FErrorLine = f.Line;
        if (f.Prop->Kind == tkMethod) {
            BindMethodProp(f.Instance, f.Prop, FRoot, f.Name);
            continue;
        }
        TComponent* target = SameText(f.Name, FRoot->Name()) ? FRoot : FRoot->FindComponent(f.Name);
        if (!target)
            throw EFormLineError(SFormReadError + Format(SFormComponentNotFound, TextExcerpt(f.Name)) + AtLine(f.Line));
        SetObjectProp(f.Instance, f.Prop, target);
    }
    FFixups.clear();
}

void TReader::CallLoaded()
{
    for (TComponent* c : FLoaded) {
        c->Loaded();
        c->SetComponentStateFlag(csLoading, false);
    }
}

void TReader::Abandon()
{
    FFixups.clear();
    FLoadedSet.clear();
    for (TComponent* c : FLoaded) {
        c->SetComponentStateFlag(csLoading, false);
        c->SetComponentStateFlag(csReading, false);
    }
    FLoaded.clear();
    for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it)
        if (TComponent* c = it->Get()) c->Free();
    FCreated.clear();
}

// --- entry points ----------------------------------------------------------

void ReadComponent(const String& Text, TComponent* Root)
{
    TReader reader(Text, Root);
    reader.ReadRootComponent();
}

void ReadComponent(TStream& Stream, TComponent* Root)
{
    String text(static_cast<std::size_t>(std::max<Int64>(Stream.Size() - Stream.Position(), 0)), '\0');
    Stream.ReadBuffer(text.data(), static_cast<Int64>(text.size()));
    ReadComponent(text, Root);
}

bool ReadComponentResource(TComponent* Root)
{
    const auto data = FindResourceData(UpperCase(Root->ClassName()));
    if (data.data() == nullptr) return false;
    ReadComponent(String(data.begin(), data.end()), Root);
    return true;
}
