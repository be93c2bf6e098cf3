#include "FloatDecimal.h"

#include <charconv>
#include <cmath>

namespace {

// Parses the "d.ddddddddddddddddde[+-]xx" output of to_chars into digits and
// the 0.D exponent.
void ReadScientific(const char* first, const char* last, TFloatDecimal& out)
{
    int n = 0;
    const char* p = first;
    for (; p != last && *p != 'e'; ++p)
        if (*p != '.') out.Digits[n++] = *p;
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), last, exponent);
    out.Count = n;
    out.Exponent = exponent + 1;
    while (out.Count > 0 && out.Digits[out.Count - 1] == '0') --out.Count;
}

}  // namespace

TFloatDecimal TFloatDecimal::FromValue(Extended value)
{
    TFloatDecimal out;
    out.Negative = std::signbit(value);
    const Extended magnitude = std::fabs(value);
    if (magnitude == 0) return out;
    char text[40];
    // Values that are exact doubles take the faster double conversion; both
    // give the same correctly rounded digits.
    const auto asDouble = static_cast<double>(magnitude);
    const auto result = (static_cast<Extended>(asDouble) == magnitude)
                            ? std::to_chars(text, text + sizeof text, asDouble, std::chars_format::scientific, 17)
                            : std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 17);
    ReadScientific(text, result.ptr, out);
    return out;
}

void TFloatDecimal::RoundToSignificant(int significant)
{
    if (significant >= Count) return;
    if (significant < 0) {
        Count = 0;
        return;
    }
    const bool up = Digits[significant] >= '5';
    Count = significant;
    if (up) {
        int i = Count - 1;
        while (i >= 0 && Digits[i] == '9') --i;
        if (i < 0) {
            Digits[0] = '1';
            Count = 1;
            ++Exponent;
        } else {
            ++Digits[i];
            Count = i + 1;
        }
    }
    while (Count > 0 && Digits[Count - 1] == '0') --Count;
}

const char* SpecialFloatText(Extended value)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    return nullptr;
}
