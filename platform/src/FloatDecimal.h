#pragma once
// The decimal engine behind all float text: a finite value as significant
// decimal digits, rounded half away from zero on those digits.

#include "platform/Types.h"

struct TFloatDecimal {
    // Value = 0.Digits x 10^Exponent; Count = 0 means zero. No trailing zeros.
    char Digits[20] = {};
    int Count = 0;
    int Exponent = 0;
    bool Negative = false;

    bool IsZero() const { return Count == 0; }
    // Digit at position i (0 = first significant), '0' outside the stored digits.
    char DigitAt(int i) const { return (i >= 0 && i < Count) ? Digits[i] : '0'; }

    // The 18 correctly rounded significant digits of a finite value.
    static TFloatDecimal FromValue(Extended value);
    // Keeps `significant` digits (zero when it is below 0), rounding half
    // away from zero on the digit after them.
    void RoundToSignificant(int significant);
    // Same, at `decimals` digits after the decimal point.
    void RoundToDecimals(int decimals) { RoundToSignificant(Exponent + decimals); }
};

// "NAN", "INF" or "-INF" for a non-finite value, else nullptr.
const char* SpecialFloatText(Extended value);
