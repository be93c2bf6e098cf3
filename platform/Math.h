#pragma once
// Float-to-integer conversions that never hit undefined behaviour: Round,
// Trunc, Ceil and Floor raise EInvalidOp on NaN, infinities and values out
// of the Int64 range; RoundPix clamps for drawing.

#include <limits>

#include "platform/Types.h"

static_assert(std::numeric_limits<long double>::digits == 64,
              "Extended must be the 80-bit x87 format");

// Ties to even, as the class library's Round.
Int64 Round(Extended x);
Int64 Trunc(Extended x);
Int64 Ceil(Extended x);
Int64 Floor(Extended x);
// Ties to even, clamped to +-1,000,000; NaN gives 0.
Integer RoundPix(Extended x);
// Same clamp for truncation toward zero.
Integer TruncPix(Extended x);

// Two's-complement wrap of a 64-bit value into 32 bits.
Integer Wrap32(Int64 v);
// Saturates a 64-bit value into the 32-bit range.
Integer SatInt32(Int64 v);
// Integer division that raises EDivByZero.
Integer Div(Integer a, Integer b);
Integer Mod(Integer a, Integer b);
// Raises EOverflow beyond FLT_MAX; NaN passes through.
Single ToSingle(Extended x);
// a * b / c with the product in 64 bits, rounded half away from zero;
// -1 when c is 0, as the system call.
Integer MulDiv(Integer a, Integer b, Integer c);

bool IsNan(Extended x);
bool IsInfinite(Extended x);
// Finite and not NaN.
bool IsFinite(Extended x);

template <class T>
constexpr T Min(T a, T b) { return b < a ? b : a; }
template <class T>
constexpr T Max(T a, T b) { return a < b ? b : a; }
template <class T>
constexpr T EnsureRange(T v, T lo, T hi) { return v < lo ? lo : (hi < v ? hi : v); }

constexpr Extended Pi = 3.1415926535897932384626433832795L;
