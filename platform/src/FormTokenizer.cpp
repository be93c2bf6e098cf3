// Form text to form tokens, one at a time. The open objects, lists,
// collections and items form an explicit stack bounded by MaxFormNesting,
// so hostile input ends in EReadError, never in a deep stack or an
// unbounded allocation.

#include "FormTokenizer.h"

#include <algorithm>
#include <charconv>

#include "platform/Consts.h"

namespace {

bool IsAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

}  // namespace

TFormTokenizer::TFormTokenizer(std::string_view Text) : FText(Text)
{
    if (FText.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
}

bool TFormTokenizer::Next(TFormToken& Token)
{
    if (FDone) return false;
    Token.Inherited = false;
    Token.Int = 0;
    Token.Text.clear();
    Token.Name.clear();
    Token.Items.clear();
    Token.Bytes.clear();
    if (!FStarted) {
        FStarted = true;
        SkipBlanks();
        ObjectHeader(Token);
    } else if (FValueDue) {
        FValueDue = false;
        Value(Token);
    } else if (!FScopes.empty()) {
        ScopeToken(Token);
    } else {
        SkipBlanks();
        if (!AtEnd()) Error("fin du texte attendue");
        FDone = true;
        return false;
    }
    return true;
}

// --- characters --------------------------------------------------------------

char TFormTokenizer::Peek(std::size_t Ahead) const
{
    return FPos + Ahead < FText.size() ? FText[FPos + Ahead] : '\0';
}

void TFormTokenizer::SkipBlanks()
{
    while (!AtEnd()) {
        const char c = FText[FPos];
        if (c == '\n' || (c == '\r' && Peek(1) != '\n')) ++FLine;
        else if (c != ' ' && c != '\t' && c != '\r') return;
        ++FPos;
    }
}

void TFormTokenizer::Error(const String& Message) const { throw EReadError(Format(SFormParseError, FLine, Message)); }

void TFormTokenizer::Expect(char C)
{
    SkipBlanks();
    if (Peek() != C) Error(String("« ") + C + " » attendu");
    ++FPos;
}

// A possibly dotted identifier; empty when none starts here.
String TFormTokenizer::ReadIdent()
{
    SkipBlanks();
    const std::size_t start = FPos;
    if (!IsAlpha(Peek())) return String();
    while (IsAlpha(Peek()) || IsDigit(Peek()) || (Peek() == '.' && IsAlpha(Peek(1)))) ++FPos;
    return String(FText.substr(start, FPos - start));
}

String TFormTokenizer::ExpectIdent(const char* What)
{
    String ident = ReadIdent();
    if (ident.empty()) Error(String(What) + " attendu");
    return ident;
}

bool TFormTokenizer::NextIsKeyword(const char* Keyword)
{
    SkipBlanks();
    const std::size_t save = FPos;
    const String ident = ReadIdent();
    FPos = save;
    return SameText(ident, Keyword);
}

// An object's properties end at its end or at its first child.
bool TFormTokenizer::NextEndsProperties()
{
    SkipBlanks();
    const std::size_t save = FPos;
    const String ident = ReadIdent();
    FPos = save;
    return SameText(ident, "end") || SameText(ident, "object") || SameText(ident, "inherited");
}

// --- structure -----------------------------------------------------------------

void TFormTokenizer::Open(TScope Scope)
{
    if (FScopes.size() >= static_cast<std::size_t>(MaxFormNesting))
        Error("imbrication trop profonde (plus de " + IntToStr(MaxFormNesting) + ")");
    FScopes.push_back(Scope);
}

void TFormTokenizer::Emit(TFormToken& Token, TFormToken::TKind Kind, TValueType Type) const
{
    Token.Kind = Kind;
    Token.Type = Type;
    Token.Line = FLine;
}

void TFormTokenizer::Close(TFormToken& Token)
{
    FScopes.pop_back();
    Emit(Token, TFormToken::fkValue, vaNull);
}

bool TFormTokenizer::ClosedBy(char C, TFormToken& Token)
{
    SkipBlanks();
    if (Peek() != C) return false;
    ++FPos;
    Close(Token);
    return true;
}

void TFormTokenizer::ScopeToken(TFormToken& Token)
{
    switch (FScopes.back()) {
        case TScope::Properties:
            if (NextEndsProperties()) {
                FScopes.back() = TScope::Children;
                return Emit(Token, TFormToken::fkValue, vaNull);
            }
            if (AtEnd()) Error("« end » attendu");
            return PropertyName(Token);
        case TScope::Children:
        case TScope::Item:
            if (NextIsKeyword("end")) {
                ReadIdent();
                return Close(Token);
            }
            if (AtEnd()) Error("« end » attendu");
            if (FScopes.back() == TScope::Item) return PropertyName(Token);
            return ObjectHeader(Token);
        case TScope::List:
            if (!ClosedBy(')', Token)) Value(Token);
            return;
        case TScope::Collection:
            if (ClosedBy('>', Token)) return;
            if (!SameText(ExpectIdent("« item »"), "item")) Error("« item » attendu");
            Open(TScope::Item);
            return Emit(Token, TFormToken::fkValue, vaList);
    }
}

void TFormTokenizer::ObjectHeader(TFormToken& Token)
{
    Open(TScope::Properties);
    const String keyword = ExpectIdent("« object »");
    const bool inherited = SameText(keyword, "inherited");
    if (!inherited && !SameText(keyword, "object")) Error("« object » attendu au lieu de « " + TextExcerpt(keyword) + " »");
    Emit(Token, TFormToken::fkObject);
    Token.Inherited = inherited;
    String first = ExpectIdent("nom de classe");
    SkipBlanks();
    if (Peek() == ':') {
        ++FPos;
        Token.Name = std::move(first);
        first = ExpectIdent("nom de classe");
    }
    Token.Text = std::move(first);
}

void TFormTokenizer::PropertyName(TFormToken& Token)
{
    const Integer line = FLine;
    String name = ExpectIdent("nom de propriété");
    Emit(Token, TFormToken::fkProperty);
    Token.Text = std::move(name);
    Token.Line = line;
    Expect('=');
    FValueDue = true;
}

void TFormTokenizer::Value(TFormToken& Token)
{
    SkipBlanks();
    const char c = Peek();
    if (AtEnd()) Error("valeur attendue");
    if (c == '-' && IsAlpha(Peek(1))) return NegativeInfinity(Token);
    if (IsDigit(c) || c == '-' || c == '+' || c == '$') return Number(Token);
    if (c == '\'' || c == '#') return StringValue(Token);
    if (IsAlpha(c)) return IdentValue(Token);
    if (c == '[') return SetValue(Token);
    if (c == '(' || c == '<') {
        Open(c == '(' ? TScope::List : TScope::Collection);
        ++FPos;
        return Emit(Token, TFormToken::fkValue, c == '(' ? vaList : vaCollection);
    }
    if (c == '{') return BinaryValue(Token);
    Error(String("valeur attendue au lieu de « ") + c + " »");
}

// --- values --------------------------------------------------------------------

void TFormTokenizer::IdentValue(TFormToken& Token)
{
    String ident = ReadIdent();
    if (SameText(ident, "True")) return Emit(Token, TFormToken::fkValue, vaTrue);
    if (SameText(ident, "False")) return Emit(Token, TFormToken::fkValue, vaFalse);
    if (SameText(ident, "nil")) return Emit(Token, TFormToken::fkValue, vaNil);
    Emit(Token, TFormToken::fkValue, vaIdent);
    Token.Text = std::move(ident);
}

// "-INF" is the one negative identifier: the writer's form of -infinity.
void TFormTokenizer::NegativeInfinity(TFormToken& Token)
{
    ++FPos;
    if (!SameText(ReadIdent(), "INF")) Error("nombre incorrect");
    Emit(Token, TFormToken::fkValue, vaIdent);
    Token.Text = "-INF";
}

void TFormTokenizer::Number(TFormToken& Token)
{
    const std::size_t start = FPos;
    if (Peek() == '$') return HexNumber(Token);
    if (Peek() == '-' || Peek() == '+') ++FPos;
    bool isFloat = false;
    auto digits = [&] {
        const std::size_t from = FPos;
        while (IsDigit(Peek())) ++FPos;
        return FPos > from;
    };
    bool any = digits();
    if (Peek() == '.' && IsDigit(Peek(1))) {
        ++FPos;
        isFloat = true;
        any = digits() || any;
    }
    if (any && (Peek() == 'e' || Peek() == 'E')) {
        ++FPos;
        if (Peek() == '-' || Peek() == '+') ++FPos;
        if (!digits()) Error("exposant incorrect");
        isFloat = true;
    }
    if (!any || IsAlpha(Peek()) || Peek() == '.') Error("nombre incorrect");
    const std::string_view text = FText.substr(start, FPos - start);
    if (isFloat) return FloatValue(Token, text);
    IntegerValue(Token, text, 10);
}

void TFormTokenizer::HexNumber(TFormToken& Token)
{
    ++FPos;
    const std::size_t start = FPos;
    while (IsHex(Peek())) ++FPos;
    if (FPos == start || IsAlpha(Peek())) Error("nombre hexadécimal incorrect");
    IntegerValue(Token, FText.substr(start, FPos - start), 16);
}

void TFormTokenizer::IntegerValue(TFormToken& Token, std::string_view Digits, int Base)
{
    if (!Digits.empty() && Digits[0] == '+') Digits.remove_prefix(1);
    Int64 value = 0;
    std::from_chars_result r{};
    if (Base == 16) {
        UInt64 bits = 0;
        r = std::from_chars(Digits.data(), Digits.data() + Digits.size(), bits, 16);
        value = static_cast<Int64>(bits);
    } else {
        r = std::from_chars(Digits.data(), Digits.data() + Digits.size(), value, 10);
    }
    if (r.ec != std::errc() || r.ptr != Digits.data() + Digits.size()) Error("nombre hors limites");
    Emit(Token, TFormToken::fkValue, IntegerValueType(value));
    Token.Int = value;
}

void TFormTokenizer::FloatValue(TFormToken& Token, std::string_view Text)
{
    if (!Text.empty() && Text[0] == '+') Text.remove_prefix(1);
    Extended value = 0;
    const auto r = std::from_chars(Text.data(), Text.data() + Text.size(), value);
    if (r.ec != std::errc() || r.ptr != Text.data() + Text.size()) Error("nombre réel hors limites");
    Emit(Token, TFormToken::fkValue, vaExtended);
    Token.Text = String(Text);
}

void TFormTokenizer::StringValue(TFormToken& Token)
{
    String& value = Token.Text;
    char16_t highSurrogate = 0;
    for (;;) {
        StringPiece(value, highSurrogate);
        if (Peek() == '\'' || Peek() == '#') continue;
        const std::size_t save = FPos;
        const Integer saveLine = FLine;
        SkipBlanks();
        if (Peek() != '+') {
            FPos = save;
            FLine = saveLine;
            break;
        }
        ++FPos;
        SkipBlanks();
        if (Peek() != '\'' && Peek() != '#') Error("chaîne attendue après « + »");
    }
    if (highSurrogate) Error("caractère incorrect dans une chaîne");
    Emit(Token, TFormToken::fkValue, StringValueType(value));
}

void TFormTokenizer::StringPiece(String& Value, char16_t& HighSurrogate)
{
    if (Peek() == '#') {
        ++FPos;
        AppendCodePoint(Value, HighSurrogate, CharCode());
    } else {
        if (HighSurrogate) Error("caractère incorrect dans une chaîne");
        ++FPos;
        for (;;) {
            std::size_t end = FPos;
            while (end < FText.size() && FText[end] != '\'' && FText[end] != '\r' && FText[end] != '\n') ++end;
            if (end == FText.size() || FText[end] != '\'') Error("chaîne non terminée");
            if (Value.size() + (end - FPos) > MaxFormString) Error("chaîne trop longue");
            Value.append(FText.substr(FPos, end - FPos));
            FPos = end + 1;
            if (Peek() != '\'') break;
            Value += '\'';  // a doubled quote
            ++FPos;
        }
    }
    if (Value.size() > MaxFormString) Error("chaîne trop longue");
}

Int64 TFormTokenizer::CharCode()
{
    const bool hex = Peek() == '$';
    if (hex) ++FPos;
    const std::size_t start = FPos;
    while (hex ? IsHex(Peek()) : IsDigit(Peek())) ++FPos;
    Int64 code = -1;
    const std::string_view digits = FText.substr(start, FPos - start);
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    if (digits.empty() || r.ec != std::errc() || code > 0x10FFFF) Error("code de caractère incorrect");
    return code;
}

// Code points, or UTF-16 surrogate pairs written as two codes.
void TFormTokenizer::AppendCodePoint(String& Value, char16_t& HighSurrogate, Int64 Code) const
{
    const bool high = Code >= 0xD800 && Code <= 0xDBFF;
    const bool low = Code >= 0xDC00 && Code <= 0xDFFF;
    if (HighSurrogate) {
        if (!low) Error("caractère incorrect dans une chaîne");
        Value += Utf16ToUtf8(std::u16string{HighSurrogate, static_cast<char16_t>(Code)});
        HighSurrogate = 0;
        return;
    }
    if (low) Error("caractère incorrect dans une chaîne");
    if (high) {
        HighSurrogate = static_cast<char16_t>(Code);
        return;
    }
    if (Code < 0x10000) {
        Value += Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(Code)));
        return;
    }
    const auto v = static_cast<char32_t>(Code - 0x10000);
    Value += Utf16ToUtf8(std::u16string{static_cast<char16_t>(0xD800 + (v >> 10)),
                                        static_cast<char16_t>(0xDC00 + (v & 0x3FF))});
}

void TFormTokenizer::SetValue(TFormToken& Token)
{
    ++FPos;
    Emit(Token, TFormToken::fkValue, vaSet);
    SkipBlanks();
    if (Peek() == ']') {
        ++FPos;
        return;
    }
    for (;;) {
        Token.Items.push_back(ExpectIdent("élément d'ensemble"));
        SkipBlanks();
        if (Peek() == ']') break;
        Expect(',');
    }
    ++FPos;
}

void TFormTokenizer::BinaryValue(TFormToken& Token)
{
    ++FPos;
    Emit(Token, TFormToken::fkValue, vaBinary);
    for (;;) {
        SkipBlanks();
        if (AtEnd()) Error("données binaires non terminées");
        if (Peek() == '}') break;
        if (!IsHex(Peek()) || !IsHex(Peek(1))) Error("données binaires incorrectes");
        Token.Bytes.push_back(static_cast<Byte>(HexValue(Peek()) << 4 | HexValue(Peek(1))));
        FPos += 2;
        if (Token.Bytes.size() > MaxFormBinary) Error("données binaires trop longues");
    }
    ++FPos;
}

// --- whole texts -----------------------------------------------------------------

TValueType IntegerValueType(Int64 Value)
{
    if (Value >= -128 && Value <= 127) return vaInt8;
    if (Value >= -32768 && Value <= 32767) return vaInt16;
    if (Value >= INT32_MIN && Value <= INT32_MAX) return vaInt32;
    return vaInt64;
}

TValueType StringValueType(const String& Value)
{
    const bool ascii = std::all_of(Value.begin(), Value.end(), [](char c) { return (c & 0x80) == 0; });
    return !ascii ? vaWString : Value.size() <= 255 ? vaString : vaLString;
}

TFormTokens ParseFormText(std::string_view Text)
{
    TFormTokenizer tokenizer(Text);
    TFormTokens tokens;
    for (TFormToken token; tokenizer.Next(token);) tokens.push_back(std::move(token));
    return tokens;
}
