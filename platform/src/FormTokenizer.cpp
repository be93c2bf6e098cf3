// Form text to form tokens. Recursive descent over the text, bounded by
// MaxFormNesting, so hostile input ends in EReadError, never in a deep
// stack or an unbounded allocation.

#include <charconv>

#include "platform/Consts.h"
#include "platform/FormStream.h"

namespace {

class TFormParser {
public:
    explicit TFormParser(std::string_view text) : FText(text)
    {
        if (FText.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
    }

    TFormTokens Parse()
    {
        SkipBlanks();
        ParseObject(1);
        SkipBlanks();
        if (!AtEnd()) Error("fin du texte attendue");
        return std::move(FTokens);
    }

private:
    // --- characters --------------------------------------------------------

    bool AtEnd() const { return FPos >= FText.size(); }
    char Peek(std::size_t ahead = 0) const { return FPos + ahead < FText.size() ? FText[FPos + ahead] : '\0'; }
    static bool IsAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    static bool IsHex(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

    void SkipBlanks()
    {
        while (!AtEnd()) {
            const char c = FText[FPos];
            if (c == '\n' || (c == '\r' && Peek(1) != '\n')) ++FLine;
            else if (c != ' ' && c != '\t' && c != '\r') return;
            ++FPos;
        }
    }

    [[noreturn]] void Error(const String& message) const
    {
        throw EReadError(Format(SFormParseError, FLine, message));
    }

    void Expect(char c)
    {
        SkipBlanks();
        if (Peek() != c) Error(String("« ") + c + " » attendu");
        ++FPos;
    }

    // --- tokens ------------------------------------------------------------

    TFormToken& Emit(TFormToken::TKind kind, TValueType type = vaNull)
    {
        TFormToken& t = FTokens.emplace_back();
        t.Kind = kind;
        t.Type = type;
        t.Line = FLine;
        return t;
    }

    // A possibly dotted identifier; empty when none starts here.
    String ReadIdent()
    {
        SkipBlanks();
        const std::size_t start = FPos;
        if (!IsAlpha(Peek())) return String();
        while (IsAlpha(Peek()) || IsDigit(Peek()) || (Peek() == '.' && IsAlpha(Peek(1)))) ++FPos;
        return String(FText.substr(start, FPos - start));
    }

    String ExpectIdent(const char* what)
    {
        String ident = ReadIdent();
        if (ident.empty()) Error(String(what) + " attendu");
        return ident;
    }

    bool NextIsKeyword(const char* keyword)
    {
        SkipBlanks();
        const std::size_t save = FPos;
        const String ident = ReadIdent();
        FPos = save;
        return SameText(ident, keyword);
    }

    void CheckDepth(Integer depth) const
    {
        if (depth > MaxFormNesting) Error("imbrication trop profonde (plus de " + IntToStr(MaxFormNesting) + ")");
    }

    // --- structure ---------------------------------------------------------

    void ParseObject(Integer depth)
    {
        CheckDepth(depth);
        const String keyword = ExpectIdent("« object »");
        const bool inherited = SameText(keyword, "inherited");
        if (!inherited && !SameText(keyword, "object")) Error("« object » attendu au lieu de « " + keyword + " »");
        TFormToken& header = Emit(TFormToken::fkObject);
        header.Inherited = inherited;
        String first = ExpectIdent("nom de classe");
        SkipBlanks();
        if (Peek() == ':') {
            ++FPos;
            FTokens.back().Name = std::move(first);
            first = ExpectIdent("nom de classe");
        }
        FTokens.back().Text = std::move(first);
        while (!NextIsKeyword("end") && !NextIsKeyword("object") && !NextIsKeyword("inherited")) {
            if (AtEnd()) Error("« end » attendu");
            ParseProperty(depth);
        }
        Emit(TFormToken::fkValue, vaNull);
        while (!NextIsKeyword("end")) {
            if (AtEnd()) Error("« end » attendu");
            ParseObject(depth + 1);
        }
        ReadIdent();
        Emit(TFormToken::fkValue, vaNull);
    }

    void ParseProperty(Integer depth)
    {
        const Integer line = FLine;
        String name = ExpectIdent("nom de propriété");
        Emit(TFormToken::fkProperty).Text = std::move(name);
        FTokens.back().Line = line;
        Expect('=');
        ParseValue(depth);
    }

    void ParseValue(Integer depth)
    {
        SkipBlanks();
        const char c = Peek();
        if (AtEnd()) Error("valeur attendue");
        if (c == '-' && IsAlpha(Peek(1))) return ParseNegativeInfinity();
        if (IsDigit(c) || c == '-' || c == '+' || c == '$') return ParseNumber();
        if (c == '\'' || c == '#') return ParseString();
        if (IsAlpha(c)) return ParseIdentValue();
        if (c == '[') return ParseSet();
        if (c == '(') return ParseList(depth + 1);
        if (c == '<') return ParseCollection(depth + 1);
        if (c == '{') return ParseBinary();
        Error(String("valeur attendue au lieu de « ") + c + " »");
    }

    void ParseIdentValue()
    {
        const String ident = ReadIdent();
        if (SameText(ident, "True")) Emit(TFormToken::fkValue, vaTrue);
        else if (SameText(ident, "False")) Emit(TFormToken::fkValue, vaFalse);
        else if (SameText(ident, "nil")) Emit(TFormToken::fkValue, vaNil);
        else Emit(TFormToken::fkValue, vaIdent).Text = ident;
    }

    // "-INF" is the one negative identifier: the writer's form of -infinity.
    void ParseNegativeInfinity()
    {
        ++FPos;
        if (!SameText(ReadIdent(), "INF")) Error("nombre incorrect");
        Emit(TFormToken::fkValue, vaIdent).Text = "-INF";
    }

    // --- numbers -----------------------------------------------------------

    void ParseNumber()
    {
        const std::size_t start = FPos;
        if (Peek() == '$') return ParseHexNumber();
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
        if (isFloat) return EmitFloat(text);
        EmitInteger(text, 10);
    }

    void ParseHexNumber()
    {
        ++FPos;
        const std::size_t start = FPos;
        while (IsHex(Peek())) ++FPos;
        if (FPos == start || IsAlpha(Peek())) Error("nombre hexadécimal incorrect");
        EmitInteger(FText.substr(start, FPos - start), 16);
    }

    void EmitInteger(std::string_view text, int base)
    {
        if (!text.empty() && text[0] == '+') text.remove_prefix(1);
        Int64 value = 0;
        std::from_chars_result r{};
        if (base == 16) {
            UInt64 bits = 0;
            r = std::from_chars(text.data(), text.data() + text.size(), bits, 16);
            value = static_cast<Int64>(bits);
        } else {
            r = std::from_chars(text.data(), text.data() + text.size(), value, 10);
        }
        if (r.ec != std::errc() || r.ptr != text.data() + text.size()) Error("nombre hors limites");
        Emit(TFormToken::fkValue, IntegerValueType(value)).Int = value;
    }

    void EmitFloat(std::string_view text)
    {
        if (!text.empty() && text[0] == '+') text.remove_prefix(1);
        Extended value = 0;
        const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
        if (r.ec != std::errc() || r.ptr != text.data() + text.size()) Error("nombre réel hors limites");
        Emit(TFormToken::fkValue, vaExtended).Text = String(text);
    }

    // --- strings -----------------------------------------------------------

    void ParseString()
    {
        String value;
        char16_t highSurrogate = 0;
        for (;;) {
            ParseStringPiece(value, highSurrogate);
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
        Emit(TFormToken::fkValue, StringValueType(value)).Text = std::move(value);
    }

    void ParseStringPiece(String& value, char16_t& highSurrogate)
    {
        if (Peek() == '#') {
            ++FPos;
            AppendCodePoint(value, highSurrogate, ReadCharCode());
        } else {
            if (highSurrogate) Error("caractère incorrect dans une chaîne");
            ++FPos;
            for (;;) {
                const std::size_t end = FText.find_first_of("'\r\n", FPos);
                if (end == std::string_view::npos || FText[end] != '\'') Error("chaîne non terminée");
                value.append(FText.substr(FPos, end - FPos));
                CheckStringSize(value);
                FPos = end + 1;
                if (Peek() != '\'') break;
                value += '\'';  // a doubled quote
                ++FPos;
            }
        }
        CheckStringSize(value);
    }

    Int64 ReadCharCode()
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
    void AppendCodePoint(String& value, char16_t& highSurrogate, Int64 code)
    {
        const bool high = code >= 0xD800 && code <= 0xDBFF;
        const bool low = code >= 0xDC00 && code <= 0xDFFF;
        if (highSurrogate) {
            if (!low) Error("caractère incorrect dans une chaîne");
            value += Utf16ToUtf8(std::u16string{highSurrogate, static_cast<char16_t>(code)});
            highSurrogate = 0;
            return;
        }
        if (low) Error("caractère incorrect dans une chaîne");
        if (high) {
            highSurrogate = static_cast<char16_t>(code);
            return;
        }
        if (code < 0x10000) {
            value += Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(code)));
            return;
        }
        const auto v = static_cast<char32_t>(code - 0x10000);
        value += Utf16ToUtf8(std::u16string{static_cast<char16_t>(0xD800 + (v >> 10)),
                                            static_cast<char16_t>(0xDC00 + (v & 0x3FF))});
    }

    void CheckStringSize(const String& value) const
    {
        if (value.size() > MaxFormString) Error("chaîne trop longue");
    }

    // --- sets, lists, collections, binary ----------------------------------

    void ParseSet()
    {
        ++FPos;
        TFormToken& token = Emit(TFormToken::fkValue, vaSet);
        std::vector<String> items;
        SkipBlanks();
        if (Peek() == ']') {
            ++FPos;
            return;
        }
        for (;;) {
            items.push_back(ExpectIdent("élément d'ensemble"));
            SkipBlanks();
            if (Peek() == ']') break;
            Expect(',');
        }
        ++FPos;
        token.Items = std::move(items);
    }

    void ParseList(Integer depth)
    {
        CheckDepth(depth);
        ++FPos;
        Emit(TFormToken::fkValue, vaList);
        for (;;) {
            SkipBlanks();
            if (Peek() == ')') break;
            ParseValue(depth);
        }
        ++FPos;
        Emit(TFormToken::fkValue, vaNull);
    }

    void ParseCollection(Integer depth)
    {
        CheckDepth(depth);
        ++FPos;
        Emit(TFormToken::fkValue, vaCollection);
        for (;;) {
            SkipBlanks();
            if (Peek() == '>') break;
            if (!SameText(ExpectIdent("« item »"), "item")) Error("« item » attendu");
            ParseItem(depth + 1);
        }
        ++FPos;
        Emit(TFormToken::fkValue, vaNull);
    }

    void ParseItem(Integer depth)
    {
        CheckDepth(depth);
        Emit(TFormToken::fkValue, vaList);
        while (!NextIsKeyword("end")) {
            if (AtEnd()) Error("« end » attendu");
            ParseProperty(depth);
        }
        ReadIdent();
        Emit(TFormToken::fkValue, vaNull);
    }

    void ParseBinary()
    {
        ++FPos;
        TFormToken& token = Emit(TFormToken::fkValue, vaBinary);
        std::vector<Byte> bytes;
        for (;;) {
            SkipBlanks();
            if (AtEnd()) Error("données binaires non terminées");
            if (Peek() == '}') break;
            if (!IsHex(Peek()) || !IsHex(Peek(1))) Error("données binaires incorrectes");
            bytes.push_back(static_cast<Byte>(HexValue(Peek()) << 4 | HexValue(Peek(1))));
            FPos += 2;
            if (bytes.size() > MaxFormBinary) Error("données binaires trop longues");
        }
        ++FPos;
        token.Bytes = std::move(bytes);
    }

    static int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

    std::string_view FText;
    std::size_t FPos = 0;
    Integer FLine = 1;
    TFormTokens FTokens;
};

}  // namespace

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

TFormTokens ParseFormText(std::string_view Text) { return TFormParser(Text).Parse(); }
