#include "platform/Math.h"

#include <cmath>

#include "platform/Consts.h"
#include "platform/SysUtils.h"

namespace {

// The largest long double below 2^63 still converts; 2^63 itself does not.
constexpr long double kInt64Limit = 9223372036854775808.0L;

Int64 CheckedToInt64(long double x, const char* what)
{
    if (!(x >= -kInt64Limit && x < kInt64Limit))
        throw EInvalidOp(Format(SInvalidOp, what));
    return static_cast<Int64>(x);
}

long double RoundTiesToEven(long double x)
{
    // rint follows the current rounding mode, which is never changed here
    // from its default, round to nearest even. Unlike nearbyint it does not
    // save and restore the floating-point environment around the rounding
    // (to keep the inexact flag, which nothing reads): a tenth of the cost,
    // and every pixel conversion of a trace goes through here.
    return std::rint(x);
}

Integer ClampPix(long double x)
{
    if (std::isnan(x)) return 0;
    if (x > 1000000.0L) return 1000000;
    if (x < -1000000.0L) return -1000000;
    return static_cast<Integer>(x);
}

}  // namespace

Int64 Round(Extended x) { return CheckedToInt64(RoundTiesToEven(x), "Round"); }
Int64 Trunc(Extended x) { return CheckedToInt64(std::trunc(x), "Trunc"); }
Int64 Ceil(Extended x) { return CheckedToInt64(std::ceil(x), "Ceil"); }
Int64 Floor(Extended x) { return CheckedToInt64(std::floor(x), "Floor"); }

Integer RoundPix(Extended x) { return ClampPix(std::isnan(x) ? x : RoundTiesToEven(x)); }
Integer TruncPix(Extended x) { return ClampPix(std::isnan(x) ? x : std::trunc(x)); }

Integer Wrap32(Int64 v) { return static_cast<Integer>(static_cast<std::uint32_t>(static_cast<UInt64>(v))); }

Integer SatInt32(Int64 v)
{
    if (v > std::numeric_limits<Integer>::max()) return std::numeric_limits<Integer>::max();
    if (v < std::numeric_limits<Integer>::min()) return std::numeric_limits<Integer>::min();
    return static_cast<Integer>(v);
}

Integer Div(Integer a, Integer b)
{
    if (b == 0) throw EDivByZero(SDivByZero);
    return Wrap32(Int64{a} / b);
}

Integer Mod(Integer a, Integer b)
{
    if (b == 0) throw EDivByZero(SDivByZero);
    return static_cast<Integer>(Int64{a} % b);
}

Single ToSingle(Extended x)
{
    if (std::isfinite(x) && std::fabs(x) > std::numeric_limits<float>::max())
        throw EOverflow(SOverflow);
    return static_cast<Single>(x);
}

Integer MulDiv(Integer a, Integer b, Integer c)
{
    if (c == 0) return -1;
    const Int64 product = Int64{a} * b;
    const Int64 half = (c > 0 ? c : -Int64{c}) / 2;
    const bool negative = (product < 0) != (c < 0);
    const Int64 magnitude = (product < 0 ? -product : product) + half;
    const Int64 q = magnitude / (c > 0 ? c : -Int64{c});
    return SatInt32(negative ? -q : q);
}

bool IsNan(Extended x) { return std::isnan(x); }
bool IsInfinite(Extended x) { return std::isinf(x); }
bool IsFinite(Extended x) { return std::isfinite(x); }
