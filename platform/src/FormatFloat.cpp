#include <algorithm>
#include <cmath>
#include <vector>

#include "FloatDecimal.h"
#include "platform/SysUtils.h"

namespace {

bool IsQuote(char c) { return c == '\'' || c == '"'; }

// Index just past the quoted run that starts at `i`.
std::size_t SkipQuoted(std::string_view s, std::size_t i)
{
    const std::size_t close = s.find(s[i], i + 1);
    return close == std::string_view::npos ? s.size() : close + 1;
}

// "E+" "E-" "e+" "e-" at i.
bool IsExponentMark(std::string_view s, std::size_t i)
{
    return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

std::vector<std::string_view> SplitSections(std::string_view format)
{
    std::vector<std::string_view> sections;
    std::size_t start = 0, i = 0;
    while (i < format.size() && sections.size() < 2) {
        if (IsQuote(format[i])) {
            i = SkipQuoted(format, i);
        } else if (format[i] == ';') {
            sections.push_back(format.substr(start, i - start));
            start = ++i;
        } else {
            ++i;
        }
    }
    sections.push_back(format.substr(start));
    return sections;
}

// What the placeholders of one section ask for.
struct TPicture {
    std::string_view Text;
    int IntPlaceholders = 0;
    int MinIntDigits = 0;
    int Decimals = 0;
    int MinDecimals = 0;
    bool Thousands = false;
    bool Scientific = false;
    int ExponentDigits = 0;

    bool HasPlaceholders() const { return IntPlaceholders + Decimals > 0; }

    explicit TPicture(std::string_view text) : Text(text)
    {
        bool afterPoint = false;
        int firstZero = -1;
        for (std::size_t i = 0; i < text.size();) {
            const char c = text[i];
            if (IsQuote(c)) {
                i = SkipQuoted(text, i);
                continue;
            }
            if (IsExponentMark(text, i)) {
                Scientific = true;
                for (i += 2; i < text.size() && text[i] == '0'; ++i) ++ExponentDigits;
                break;  // what follows the exponent is literal text
            }
            if (c == '.' && !afterPoint) {
                afterPoint = true;
            } else if ((c == '0' || c == '#') && afterPoint) {
                ++Decimals;
                if (c == '0') MinDecimals = Decimals;
            } else if (c == '0' || c == '#') {
                if (c == '0' && firstZero < 0) firstZero = IntPlaceholders;
                ++IntPlaceholders;
            } else if (c == ',' && !afterPoint) {
                Thousands = true;
            }
            ++i;
        }
        MinIntDigits = firstZero < 0 ? 0 : IntPlaceholders - firstZero;
    }
};

// The digits a picture shows for a value.
struct TPictureDigits {
    String Integral;
    String Fraction;
    int Exponent = 0;
    bool Zero = true;
};

String TrimmedFraction(const TFloatDecimal& d, int first, const TPicture& picture)
{
    String fraction;
    for (int j = 0; j < picture.Decimals; ++j) fraction += d.DigitAt(first + j);
    std::size_t keep = fraction.size();
    while (keep > static_cast<std::size_t>(picture.MinDecimals) && fraction[keep - 1] == '0') --keep;
    fraction.resize(keep);
    return fraction;
}

String PaddedIntegral(String digits, const TPicture& picture)
{
    if (static_cast<int>(digits.size()) < picture.MinIntDigits)
        digits.insert(0, picture.MinIntDigits - digits.size(), '0');
    return digits;
}

TPictureDigits ScientificDigits(TFloatDecimal d, const TPicture& picture)
{
    const int intDigits = std::max(picture.IntPlaceholders, 1);
    d.RoundToSignificant(intDigits + picture.Decimals);
    TPictureDigits out;
    out.Zero = d.IsZero();
    for (int i = 0; i < intDigits; ++i) out.Integral += d.DigitAt(i);
    out.Fraction = TrimmedFraction(d, intDigits, picture);
    out.Exponent = d.IsZero() ? 0 : d.Exponent - intDigits;
    return out;
}

TPictureDigits FixedDigits(TFloatDecimal d, const TPicture& picture)
{
    d.RoundToDecimals(picture.Decimals);
    TPictureDigits out;
    out.Zero = d.IsZero();
    String integral;
    for (int i = 0; i < d.Exponent; ++i) integral += d.DigitAt(i);
    out.Integral = PaddedIntegral(std::move(integral), picture);
    out.Fraction = TrimmedFraction(d, d.Exponent, picture);
    return out;
}

TPictureDigits DigitsFor(const TFloatDecimal& d, const TPicture& picture)
{
    return picture.Scientific ? ScientificDigits(d, picture) : FixedDigits(d, picture);
}

// Walks the picture, placing the digits at their placeholders and copying
// the rest. Integer digits align right on the integer placeholders; the
// first one also takes any digits beyond them.
class TPictureWriter {
public:
    TPictureWriter(const TPicture& picture, const TPictureDigits& digits, const TFormatSettings& settings)
        : FPicture(picture), FDigits(digits), FSettings(settings)
    {
    }

    String Write(bool negative)
    {
        if (negative) FOut += '-';
        const std::string_view s = FPicture.Text;
        bool afterPoint = false;
        for (std::size_t i = 0; i < s.size();) {
            const char c = s[i];
            if (IsQuote(c)) {
                const std::size_t end = SkipQuoted(s, i);
                FOut.append(s.substr(i + 1, std::max<std::size_t>(end - i, 2) - 2));
                if (end == s.size() && s.back() != c) FOut += s.back();  // unterminated: keep the last char
                i = end;
                continue;
            }
            if (FPicture.Scientific && IsExponentMark(s, i)) {
                i = WriteExponent(s, i);
                continue;
            }
            if (c == '.' && !afterPoint) {
                afterPoint = true;
                FlushIntegral();
                if (!FDigits.Fraction.empty()) FOut += FSettings.DecimalSeparator;
            } else if ((c == '0' || c == '#') && afterPoint) {
                if (FFractionAt < FDigits.Fraction.size()) FOut += FDigits.Fraction[FFractionAt++];
            } else if (c == '0' || c == '#') {
                IntegralPlaceholder();
            } else if (c != ',' || afterPoint) {
                FOut += c;
            }
            ++i;
        }
        FlushIntegral();
        return std::move(FOut);
    }

private:
    void PutIntegralDigit(std::size_t i)
    {
        const std::size_t length = FDigits.Integral.size();
        FOut += FDigits.Integral[i];
        const std::size_t fromRight = length - 1 - i;
        if (FPicture.Thousands && fromRight > 0 && fromRight % 3 == 0) FOut += FSettings.ThousandSeparator;
    }

    void IntegralPlaceholder()
    {
        const auto length = static_cast<Int64>(FDigits.Integral.size());
        const Int64 slot = length - FPicture.IntPlaceholders + FPlaceholder++;
        while (FNextDigit <= slot && FNextDigit < length) PutIntegralDigit(static_cast<std::size_t>(FNextDigit++));
    }

    // Integer digits not placed yet (a picture without integer placeholders).
    void FlushIntegral()
    {
        while (FNextDigit < static_cast<Int64>(FDigits.Integral.size()))
            PutIntegralDigit(static_cast<std::size_t>(FNextDigit++));
    }

    std::size_t WriteExponent(std::string_view s, std::size_t i)
    {
        FlushIntegral();
        FOut += s[i];
        if (FDigits.Exponent < 0)
            FOut += '-';
        else if (s[i + 1] == '+')
            FOut += '+';
        const String digits = IntToStr(std::abs(FDigits.Exponent));
        if (FPicture.ExponentDigits > static_cast<int>(digits.size()))
            FOut.append(FPicture.ExponentDigits - digits.size(), '0');
        FOut += digits;
        return i + 2 + FPicture.ExponentDigits;
    }

    const TPicture& FPicture;
    const TPictureDigits& FDigits;
    const TFormatSettings& FSettings;
    String FOut;
    int FPlaceholder = 0;
    Int64 FNextDigit = 0;
    std::size_t FFractionAt = 0;
};

bool IsUsable(const std::vector<std::string_view>& sections, std::size_t index)
{
    return index < sections.size() && !sections[index].empty();
}

}  // namespace

String FormatFloat(std::string_view format, Extended value, const TFormatSettings& settings)
{
    if (const char* special = SpecialFloatText(value)) return special;
    if (format.empty()) return FloatToStr(value, settings);
    const auto sections = SplitSections(format);
    const TFloatDecimal d = TFloatDecimal::FromValue(value);
    const bool negative = d.Negative && !d.IsZero();
    const bool ownNegativeSection = negative && IsUsable(sections, 1);
    TPicture picture(sections[ownNegativeSection ? 1 : 0]);
    // Beyond 18 integer digits only a scientific picture can show the value.
    if (!picture.Scientific && d.Exponent > 18) return FloatToStr(value, settings);
    TPictureDigits digits = DigitsFor(d, picture);
    if ((d.IsZero() || digits.Zero) && IsUsable(sections, 2)) {
        picture = TPicture(sections[2]);
        digits = DigitsFor(TFloatDecimal(), picture);
        return TPictureWriter(picture, digits, settings).Write(false);
    }
    const bool minus = negative && !ownNegativeSection && !digits.Zero && picture.HasPlaceholders();
    return TPictureWriter(picture, digits, settings).Write(minus);
}
