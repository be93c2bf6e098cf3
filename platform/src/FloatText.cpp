#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

#include "FloatDecimal.h"
#include "platform/Consts.h"
#include "platform/SysUtils.h"

namespace {

// The writers below append to a buffer of FloatTextCapacity bytes through a
// local cursor and return the new end; every format is bounded well within
// it (at most 18 significant digits, 18 decimals, a sign and an exponent).

char* PutText(char* p, const char* s)
{
    while (*s) *p++ = *s++;
    return p;
}

char* PutSign(char* p, const TFloatDecimal& d)
{
    if (d.Negative && !d.IsZero()) *p++ = '-';
    return p;
}

// "d.dddE-n": `mantissaDigits` digits (0: as many as stored), an exponent of
// at least `exponentDigits` digits, '+' shown only with `plusSign`.
char* PutExponentForm(char* p, const TFloatDecimal& d, int mantissaDigits, int exponentDigits, bool plusSign,
                      char decimalSeparator)
{
    p = PutSign(p, d);
    const int shown = mantissaDigits > 0 ? mantissaDigits : std::max(d.Count, 1);
    *p++ = d.DigitAt(0);
    if (shown > 1) *p++ = decimalSeparator;
    for (int i = 1; i < shown; ++i) *p++ = d.DigitAt(i);
    *p++ = 'E';
    const int exponent = d.IsZero() ? 0 : d.Exponent - 1;
    if (exponent < 0)
        *p++ = '-';
    else if (plusSign)
        *p++ = '+';
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, std::abs(exponent)).ptr;
    for (int pad = exponentDigits - static_cast<int>(end - digits); pad > 0; --pad) *p++ = '0';
    for (const char* q = digits; q != end; ++q) *p++ = *q;
    return p;
}

// Integer part (with thousand separators when given) and `decimals` digits.
char* PutFixedForm(char* p, const TFloatDecimal& d, int decimals, char thousandSeparator, char decimalSeparator)
{
    p = PutSign(p, d);
    const int intDigits = std::max(d.Exponent, 1);
    const int first = d.Exponent - intDigits;  // negative exponent: a single leading "0"
    for (int i = 0; i < intDigits; ++i) {
        *p++ = d.DigitAt(first + i);
        const int fromRight = intDigits - 1 - i;
        if (thousandSeparator && fromRight > 0 && fromRight % 3 == 0) *p++ = thousandSeparator;
    }
    if (decimals <= 0) return p;
    *p++ = decimalSeparator;
    for (int j = 0; j < decimals; ++j) *p++ = d.DigitAt(d.Exponent + j);
    return p;
}

char* PutGeneral(char* p, const TFloatDecimal& d, int precision, int exponentDigits, char decimalSeparator)
{
    if (d.Exponent > precision || d.Exponent < -3)
        return PutExponentForm(p, d, 0, exponentDigits, false, decimalSeparator);
    return PutFixedForm(p, d, std::max(d.Count - d.Exponent, 0), 0, decimalSeparator);
}

// ---- Reading ---------------------------------------------------------------

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The parts of a strictly formed number: [sign] digits [sep digits] [e [sign] digits].
struct TNumberText {
    bool Negative = false;
    std::string_view Integral;
    std::string_view Fraction;
    bool ExponentNegative = false;
    std::string_view ExponentDigits;
};

bool SplitNumber(std::string_view s, char separator, TNumberText& n)
{
    std::size_t i = 0, end = s.size();
    while (i < end && IsBlank(s[i])) ++i;
    while (end > i && IsBlank(s[end - 1])) --end;
    if (i < end && (s[i] == '+' || s[i] == '-')) n.Negative = s[i++] == '-';
    const std::size_t intStart = i;
    while (i < end && IsDigit(s[i])) ++i;
    n.Integral = s.substr(intStart, i - intStart);
    if (i < end && s[i] == separator) {
        const std::size_t fracStart = ++i;
        while (i < end && IsDigit(s[i])) ++i;
        n.Fraction = s.substr(fracStart, i - fracStart);
    }
    if (n.Integral.empty() && n.Fraction.empty()) return false;
    if (i < end && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < end && (s[i] == '+' || s[i] == '-')) n.ExponentNegative = s[i++] == '-';
        const std::size_t expStart = i;
        while (i < end && IsDigit(s[i])) ++i;
        n.ExponentDigits = s.substr(expStart, i - expStart);
        if (n.ExponentDigits.empty()) return false;
    }
    return i == end;
}

// Decimal exponent of the value, clamped so that absurd exponent texts do not overflow.
Int64 ExponentOf(const TNumberText& n)
{
    Int64 e = 0;
    for (char c : n.ExponentDigits) e = std::min<Int64>(e * 10 + (c - '0'), 1000000);
    return n.ExponentNegative ? -e : e;
}

// Exact when the significant digits fit 64 bits and the power of ten is
// exact in the type: one correctly rounded multiplication or division.
template <class T>
bool TryFastPath(const TNumberText& n, T& value)
{
    constexpr int kMaxExactPow10 = std::numeric_limits<T>::digits == 64 ? 27 : 22;
    UInt64 mantissa = 0;
    int digits = 0;
    for (std::string_view part : {n.Integral, n.Fraction})
        for (char c : part) {
            if (digits == 0 && c == '0') continue;
            if (++digits > 19) return false;
            mantissa = mantissa * 10 + static_cast<UInt64>(c - '0');
        }
    constexpr UInt64 kExactLimit = std::numeric_limits<T>::digits >= 64 ? ~UInt64{0} : UInt64{1} << std::numeric_limits<T>::digits;
    if (mantissa > kExactLimit) return false;
    const Int64 scale = ExponentOf(n) - static_cast<Int64>(n.Fraction.size());
    if (mantissa == 0) {
        value = 0;
        return true;
    }
    if (scale < -kMaxExactPow10 || scale > kMaxExactPow10) return false;
    T power = 1;
    for (Int64 k = std::abs(scale); k > 0; --k) power *= 10;
    value = scale < 0 ? static_cast<T>(mantissa) / power : static_cast<T>(mantissa) * power;
    return true;
}

// Rebuilds "digits.digitsEexp" for from_chars; too small values read as zero,
// too large ones fail.
template <class T>
bool ParseSlowPath(const TNumberText& n, T& value)
{
    String text;
    text.reserve(n.Integral.size() + n.Fraction.size() + 24);
    text.append(n.Integral).append(".").append(n.Fraction);
    text += 'e';
    text += Int64ToStr(ExponentOf(n));
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc()) return true;
    if (result.ec != std::errc::result_out_of_range) return false;
    // Out of range: underflow when the first significant digit lies below
    // the smallest exponent, otherwise overflow.
    const std::size_t lead = n.Integral.find_first_not_of('0');
    const Int64 order = lead != std::string_view::npos
                            ? static_cast<Int64>(n.Integral.size() - lead)
                            : -static_cast<Int64>(n.Fraction.find_first_not_of('0'));
    if (order + ExponentOf(n) <= 0) {
        value = 0;
        return true;
    }
    // A Double's largest value as FloatToStr writes it lies beyond it.
    if constexpr (std::is_same_v<T, Double>) {
        Extended wide = 0;
        const auto widened = std::from_chars(text.data(), text.data() + text.size(), wide);
        if (widened.ec != std::errc()) return false;
        wide = WithinFloatText(wide, std::numeric_limits<Double>::max());
        if (wide > std::numeric_limits<Double>::max()) return false;
        value = static_cast<Double>(wide);
        return true;
    }
    return false;
}

bool ReadSpecial(std::string_view s, Extended& value)
{
    const String text = Trim(s);
    if (SameText(text, "NAN")) value = std::numeric_limits<Extended>::quiet_NaN();
    else if (SameText(text, "INF") || SameText(text, "+INF")) value = std::numeric_limits<Extended>::infinity();
    else if (SameText(text, "-INF")) value = -std::numeric_limits<Extended>::infinity();
    else return false;
    return true;
}

// Short enough that no exponent in it is long enough for the general
// path's clamping to matter.
constexpr std::size_t kMaxPlain = 40;

// The library reader also takes "inf" and "nan": a text that starts as a
// number is one of digits, point, sign and exponent.
bool StartsAsNumber(std::string_view s)
{
    const std::size_t lead = s[0] == '-' ? 1 : 0;
    return lead < s.size() && (IsDigit(s[lead]) || s[lead] == '.');
}

// The library reader stores what it read of a text it did not read whole.
bool TryReadWhole(const char* text, std::size_t length, Double& value)
{
    Double read = 0;
    const auto [end, error] = std::from_chars(text, text + length, read);
    if (error != std::errc() || end != text + length) return false;
    value = read;
    return true;
}

// Text of digits, one decimal separator, a sign and an exponent and nothing
// else (no blanks, no leading '+') as the library reader takes it: read in
// one call, to the same correctly rounded value as the general path.
bool TryReadPlain(std::string_view s, char separator, Double& value)
{
    if (s.empty() || s.size() > kMaxPlain) return false;
    if (separator == '.') return StartsAsNumber(s) && TryReadWhole(s.data(), s.size(), value);
    if (separator != ',') return false;
    char text[kMaxPlain];
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '.') return false;
        text[i] = c == separator ? '.' : c;
    }
    return StartsAsNumber({text, s.size()}) && TryReadWhole(text, s.size(), value);
}

template <class T>
bool TryReadFloat(std::string_view s, T& value, const TFormatSettings& settings, bool allowSpecial)
{
    if constexpr (std::is_same_v<T, Double>)
        if (TryReadPlain(s, settings.DecimalSeparator, value)) return true;
    TNumberText n;
    T magnitude = 0;
    if (SplitNumber(s, settings.DecimalSeparator, n) &&
        (TryFastPath(n, magnitude) || ParseSlowPath(n, magnitude))) {
        value = n.Negative ? -magnitude : magnitude;
        return true;
    }
    Extended special = 0;
    if (allowSpecial && ReadSpecial(s, special)) {
        value = static_cast<T>(special);
        return true;
    }
    return false;
}

}  // namespace

Integer FloatToText(char* buffer, Extended value, TFloatFormat format, Integer precision, Integer digits,
                    const TFormatSettings& settings)
{
    const char separator = settings.DecimalSeparator;
    char* end = buffer;
    if (const char* special = SpecialFloatText(value)) return static_cast<Integer>(PutText(buffer, special) - buffer);
    precision = std::clamp(precision, 1, 18);
    TFloatDecimal d = TFloatDecimal::FromValue(value);
    d.RoundToSignificant(precision);
    switch (format) {
    case ffGeneral: end = PutGeneral(buffer, d, precision, std::clamp(digits, 0, 4), separator); break;
    case ffExponent: end = PutExponentForm(buffer, d, precision, std::clamp(digits, 0, 4), true, separator); break;
    case ffFixed:
    case ffNumber:
    case ffCurrency:
        if (d.Exponent > precision) {
            end = PutGeneral(buffer, d, precision, 0, separator);
            break;
        }
        digits = std::clamp(digits, 0, 18);
        d.RoundToDecimals(digits);
        end = PutFixedForm(buffer, d, digits, format == ffFixed ? 0 : settings.ThousandSeparator, separator);
        break;
    }
    return static_cast<Integer>(end - buffer);
}

String FloatToStrF(Extended value, TFloatFormat format, Integer precision, Integer digits,
                   const TFormatSettings& settings)
{
    char buffer[FloatTextCapacity];
    return String(buffer, static_cast<std::size_t>(FloatToText(buffer, value, format, precision, digits, settings)));
}

String FloatToStr(Extended value, const TFormatSettings& settings)
{
    return FloatToStrF(value, ffGeneral, 15, 0, settings);
}

bool TryStrToFloat(std::string_view s, Extended& value, const TFormatSettings& settings, bool allowSpecial)
{
    return TryReadFloat(s, value, settings, allowSpecial);
}

bool TryStrToFloat(std::string_view s, Double& value, const TFormatSettings& settings, bool allowSpecial)
{
    return TryReadFloat(s, value, settings, allowSpecial);
}

bool TryStrToFloat(std::string_view s, Extended& value, bool allowSpecial)
{
    return TryReadFloat(s, value, FormatSettings, allowSpecial);
}

bool TryStrToFloat(std::string_view s, Double& value, bool allowSpecial)
{
    return TryReadFloat(s, value, FormatSettings, allowSpecial);
}

Extended StrToFloat(std::string_view s, const TFormatSettings& settings)
{
    Extended value = 0;
    if (TryReadFloat(s, value, settings, false)) return value;
    TNumberText n;
    if (SplitNumber(s, settings.DecimalSeparator, n)) throw EConvertError(Format(SFloatOutOfRange, TextExcerpt(s)));
    throw EConvertError(Format(SInvalidFloat, TextExcerpt(s)));
}

Extended StrToFloatDef(std::string_view s, Extended defaultValue, const TFormatSettings& settings)
{
    Extended value = 0;
    return TryReadFloat(s, value, settings, false) ? value : defaultValue;
}

Extended WithinFloatText(Extended value, Extended largest)
{
    const Extended magnitude = std::fabs(value);
    if (!(magnitude > largest) || !std::isfinite(magnitude)) return value;
    // Largest as FloatToStr writes it, read back.
    TFloatDecimal rounded = TFloatDecimal::FromValue(largest);
    rounded.RoundToSignificant(15);
    char text[FloatTextCapacity];
    char* end = PutExponentForm(text, rounded, 0, 0, false, '.');
    Extended ceiling = 0;
    std::from_chars(text, end, ceiling);
    return magnitude <= ceiling ? std::copysign(largest, value) : value;
}
