// Form tokens to form text: the byte-stable layout the writer produces.

#include "platform/Consts.h"
#include "platform/FormStream.h"

namespace {

constexpr std::size_t StringChunk = 64;  // characters per line of a long string
constexpr std::size_t BinaryChunk = 32;  // bytes per line of binary data

// One string as quoted runs of printable ASCII and #nnn codes.
String QuoteChars(std::u32string_view chars)
{
    if (chars.empty()) return "''";
    String result;
    bool quoted = false;
    for (char32_t c : chars) {
        const bool printable = c >= 32 && c < 127;
        if (printable != quoted) {
            result += '\'';
            quoted = printable;
        }
        if (!printable) {
            result += '#' + IntToStr(static_cast<Int64>(c));
        } else {
            if (c == '\'') result += '\'';
            result += static_cast<char>(c);
        }
    }
    if (quoted) result += '\'';
    return result;
}

std::u32string CodePoints(const String& utf8)
{
    const std::u16string units = Utf8ToUtf16(utf8);
    std::u32string result;
    result.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            result += static_cast<char32_t>(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            result += u;
        }
    }
    return result;
}

// The pieces of a string value, one per line when it is long.
std::vector<String> StringPieces(const String& value)
{
    const std::u32string chars = CodePoints(value);
    std::vector<String> pieces;
    for (std::size_t i = 0; i < chars.size() || pieces.empty(); i += StringChunk)
        pieces.push_back(QuoteChars(std::u32string_view(chars).substr(i, StringChunk)));
    return pieces;
}

String HexBytes(std::span<const Byte> bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    String result;
    for (Byte b : bytes) {
        result += digits[b >> 4];
        result += digits[b & 15];
    }
    return result;
}

class TFormTextWriter {
public:
    explicit TFormTextWriter(const TFormTokens& tokens) : FTokens(tokens) {}

    String Format()
    {
        if (!FTokens.empty()) WriteObject(0);
        return std::move(FOut);
    }

private:
    const TFormToken& Take() { return FTokens.at(FPos++); }
    const TFormToken& Peek() const { return FTokens.at(FPos); }
    static String Indent(Integer n) { return String(static_cast<std::size_t>(n), ' '); }

    void WriteObject(Integer indent)
    {
        const TFormToken& header = Take();
        FOut += Indent(indent) + (header.Inherited ? "inherited " : "object ");
        if (!header.Name.empty()) FOut += header.Name + ": ";
        FOut += header.Text + "\n";
        while (Peek().Kind == TFormToken::fkProperty) WriteProperty(indent + 2);
        Take();
        while (Peek().Kind == TFormToken::fkObject) WriteObject(indent + 2);
        Take();
        FOut += Indent(indent) + "end\n";
    }

    void WriteProperty(Integer indent)
    {
        FOut += Indent(indent) + Take().Text;
        const TFormToken& value = Peek();
        if (IsString(value) && StringPieces(value.Text).size() > 1) {
            FOut += " =";
            Take();
            WriteStringLines(value.Text, indent + 2);
        } else {
            FOut += " = ";
            WriteValue(indent);
        }
        FOut += "\n";
    }

    static bool IsString(const TFormToken& t)
    {
        return t.Type == vaString || t.Type == vaLString || t.Type == vaWString || t.Type == vaUTF8String;
    }

    void WriteStringLines(const String& value, Integer indent)
    {
        const std::vector<String> pieces = StringPieces(value);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            FOut += "\n" + Indent(indent) + pieces[i];
            if (i + 1 < pieces.size()) FOut += " +";
        }
    }

    // A value whose nested lines are indented by indent + 2.
    void WriteValue(Integer indent)
    {
        const TFormToken& t = Take();
        switch (t.Type) {
            case vaInt8:
            case vaInt16:
            case vaInt32:
            case vaInt64: FOut += IntToStr(t.Int); break;
            case vaExtended:
            case vaSingle:
            case vaDouble:
            case vaCurrency:
            case vaDate:
            case vaIdent: FOut += t.Text; break;
            case vaString:
            case vaLString:
            case vaWString:
            case vaUTF8String: FOut += StringPieces(t.Text).front(); break;
            case vaFalse: FOut += "False"; break;
            case vaTrue: FOut += "True"; break;
            case vaNil: FOut += "nil"; break;
            case vaSet: WriteSet(t); break;
            case vaList: WriteList(indent + 2); break;
            case vaCollection: WriteCollection(indent + 2); break;
            case vaBinary: WriteBinary(t.Bytes, indent + 2); break;
            case vaNull: throw EWriteError(SFormValueMissing);
        }
    }

    void WriteSet(const TFormToken& t)
    {
        FOut += '[';
        for (std::size_t i = 0; i < t.Items.size(); ++i) FOut += (i ? ", " : "") + t.Items[i];
        FOut += ']';
    }

    void WriteList(Integer indent)
    {
        FOut += '(';
        while (Peek().Type != vaNull) {
            const TFormToken& item = Peek();
            if (IsString(item) && StringPieces(item.Text).size() > 1) {
                Take();
                WriteStringLines(item.Text, indent);
                continue;
            }
            FOut += "\n" + Indent(indent);
            WriteValue(indent);
        }
        Take();
        FOut += ')';
    }

    void WriteCollection(Integer indent)
    {
        FOut += '<';
        while (Peek().Type == vaList) {
            Take();
            FOut += "\n" + Indent(indent) + "item\n";
            while (Peek().Kind == TFormToken::fkProperty) WriteProperty(indent + 2);
            Take();
            FOut += Indent(indent) + "end";
        }
        Take();
        FOut += '>';
    }

    void WriteBinary(const std::vector<Byte>& bytes, Integer indent)
    {
        FOut += '{';
        const std::span<const Byte> all(bytes);
        for (std::size_t i = 0; i < bytes.size(); i += BinaryChunk)
            FOut += "\n" + Indent(indent) + HexBytes(all.subspan(i, std::min(BinaryChunk, bytes.size() - i)));
        FOut += '}';
    }

    const TFormTokens& FTokens;
    std::size_t FPos = 0;
    String FOut;
};

}  // namespace

String FormatFormText(const TFormTokens& Tokens) { return TFormTextWriter(Tokens).Format(); }
