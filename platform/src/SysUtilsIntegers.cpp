#include <charconv>
#include <limits>

#include "platform/Consts.h"
#include "platform/SysUtils.h"

namespace {

enum class TIntParse { Ok, Invalid, Overflow };

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads blanks, a sign, then decimal digits or "$"/"0x" hex digits, to the
// end of the text. Decimal values must fit the signed range of `bits`; hex
// values fill the bits as unsigned and are read back as two's complement.
TIntParse ParseInteger(std::string_view s, unsigned bits, Int64& value)
{
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true, ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true, i += 2;
    }
    if (i == s.size()) return TIntParse::Invalid;

    const UInt64 limit = hex ? (bits == 64 ? ~UInt64{0} : (UInt64{1} << bits) - 1)
                             : (UInt64{1} << (bits - 1)) - (negative ? 0 : 1);
    const unsigned base = hex ? 16 : 10;
    UInt64 magnitude = 0;
    bool overflow = false;
    for (; i < s.size(); ++i) {
        const int d = hex ? HexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (d < 0) return TIntParse::Invalid;
        if (magnitude > (limit - static_cast<UInt64>(d)) / base) overflow = true;
        if (!overflow) magnitude = magnitude * base + static_cast<UInt64>(d);
    }
    if (overflow) return TIntParse::Overflow;
    if (hex && bits < 64 && magnitude >= (UInt64{1} << (bits - 1))) magnitude -= UInt64{1} << bits;
    const UInt64 bitsValue = negative ? UInt64{0} - magnitude : magnitude;
    value = static_cast<Int64>(bitsValue);
    return TIntParse::Ok;
}

Int64 ParseOrRaise(std::string_view s, unsigned bits)
{
    Int64 value = 0;
    switch (ParseInteger(s, bits, value)) {
    case TIntParse::Ok: return value;
    case TIntParse::Overflow: throw EConvertError(Format(SIntegerOutOfRange, TextExcerpt(s)));
    case TIntParse::Invalid: break;
    }
    throw EConvertError(Format(SInvalidInteger, TextExcerpt(s)));
}

template <class T>
String ToDecimal(T value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return String(buffer, result.ptr);
}

}  // namespace

String Int64ToStr(Int64 value) { return ToDecimal(value); }
String UInt64ToStr(UInt64 value) { return ToDecimal(value); }

String IntToHexBits(UInt64 bits, Integer digits)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char buffer[16];
    int n = 0;
    do {
        buffer[n++] = kDigits[bits & 0xF];
        bits >>= 4;
    } while (bits != 0);
    String out(static_cast<std::size_t>(std::max(digits - n, 0)), '0');
    while (n > 0) out += buffer[--n];
    return out;
}

Integer StrToInt(std::string_view s) { return static_cast<Integer>(ParseOrRaise(s, 32)); }
Int64 StrToInt64(std::string_view s) { return ParseOrRaise(s, 64); }

bool TryStrToInt(std::string_view s, Integer& value)
{
    Int64 v = 0;
    if (ParseInteger(s, 32, v) != TIntParse::Ok) return false;
    value = static_cast<Integer>(v);
    return true;
}

bool TryStrToInt64(std::string_view s, Int64& value) { return ParseInteger(s, 64, value) == TIntParse::Ok; }

Integer StrToIntDef(std::string_view s, Integer defaultValue)
{
    Integer value = 0;
    return TryStrToInt(s, value) ? value : defaultValue;
}

Int64 StrToInt64Def(std::string_view s, Int64 defaultValue)
{
    Int64 value = 0;
    return TryStrToInt64(s, value) ? value : defaultValue;
}
