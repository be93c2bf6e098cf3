#include "components/foundation/kMath.h"

#include <cmath>
#include <limits>

#include "platform/SysUtils.h"

namespace {

const char* const kSplineError = "Splint Error - xa's must be distinct";
const char* const kPolynomialError = "Polynomial Interpolation Error - Pause in Routine Data";
const char* const kRationalError = "Rational Interpolation Error - Pause in Routine Data";
// Keeps the rational tableau off an exact 0/0 when a value is zero.
constexpr Extended kRationalGuard = 1e-25L;

[[noreturn]] void RaiseInvalidOp() { throw EInvalidOp("Opération en virgule flottante incorrecte"); }
[[noreturn]] void RaiseZeroDivide() { throw EZeroDivide("Division en virgule flottante par zéro"); }

void CheckSameLength(std::span<const Double> a, std::span<const Double> b)
{
    if (b.size() < a.size()) throw ERangeError("Erreur de vérification d'étendue");
}

// Base to a whole power by repeated squaring; every partial product of
// powers of ten up to 10^27 is exact in the 64-bit mantissa.
Extended IntPower(Extended base, Int64 exponent)
{
    UInt64 n = exponent < 0 ? UInt64(-exponent) : UInt64(exponent);
    Extended result = 1.0L;
    Extended factor = base;
    while (n != 0) {
        if (n & 1) result *= factor;
        n >>= 1;
        if (n != 0) factor *= factor;
    }
    if (exponent < 0) {
        if (result == 0.0L) RaiseZeroDivide();
        result = 1.0L / result;
    }
    return result;
}

bool IsWholeExponent(Extended exponent)
{
    return std::isfinite(exponent) && exponent == std::trunc(exponent) &&
           std::fabs(exponent) <= Extended(std::numeric_limits<Integer>::max());
}

// 10^Exponent exactly, or (for a negative exponent, which no binary
// fraction holds exactly) the double nearest to it, as axis values carry it.
bool IsPowerOfTen(Extended X, Int64 Exponent)
{
    const Extended power = IntPower(10, Exponent);
    return power == X || (static_cast<Double>(X) == X && static_cast<Double>(power) == X);
}

}  // namespace

Extended Log10(Extended X)
{
    if (X == 0.0L) RaiseZeroDivide();
    if (X < 0.0L) RaiseInvalidOp();
    const Extended logarithm = std::log10(X);
    // The library logarithm can land an ulp off the whole number (1000
    // gives 2.9999...); an exact power of ten gets its exact exponent.
    const Extended whole = std::nearbyint(logarithm);
    if (std::fabs(logarithm - whole) < 1e-12L && std::fabs(whole) < 4900 && IsPowerOfTen(X, Int64(whole)))
        return whole;
    return logarithm;
}

Extended Power(Extended Base, Extended Exponent)
{
    if (Exponent == 0.0L) return 1.0L;
    if (std::isnan(Base) || std::isnan(Exponent)) return std::numeric_limits<Extended>::quiet_NaN();
    if (Base == 0.0L) {
        if (Exponent < 0.0L) RaiseZeroDivide();
        return 0.0L;
    }
    Extended result;
    if (IsWholeExponent(Exponent)) {
        result = IntPower(Base, Int64(Exponent));
    } else {
        if (Base < 0.0L) RaiseInvalidOp();
        result = std::exp(std::log(Base) * Exponent);
    }
    if (std::isinf(result) && std::isfinite(Base) && std::isfinite(Exponent))
        throw EOverflow("Débordement de virgule flottante");
    return result;
}

std::vector<Double> SplineSecondDerivatives(std::span<const Double> X, std::span<const Double> Y,
                                            Double StartSlope, Double StopSlope)
{
    CheckSameLength(X, Y);
    const std::size_t n = X.size();
    if (n < 2) return std::vector<Double>(n, 0.0);
    auto step = [&](std::size_t i) {
        const Extended h = Extended(X[i + 1]) - X[i];
        if (h == 0.0L) throw Exception(kSplineError);
        return h;
    };
    std::vector<Extended> y2(n, 0.0L);
    std::vector<Extended> u(n, 0.0L);
    if (StartSlope <= kSplineNaturalSlopeLimit) {
        const Extended h = step(0);
        y2[0] = -0.5L;
        u[0] = (3.0L / h) * ((Extended(Y[1]) - Y[0]) / h - StartSlope);
    }
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const Extended left = step(i - 1);
        const Extended right = step(i);
        const Extended span = Extended(X[i + 1]) - X[i - 1];
        if (span == 0.0L) throw Exception(kSplineError);
        const Extended sig = left / span;
        const Extended p = sig * y2[i - 1] + 2.0L;
        y2[i] = (sig - 1.0L) / p;
        const Extended slopeChange = (Extended(Y[i + 1]) - Y[i]) / right - (Extended(Y[i]) - Y[i - 1]) / left;
        u[i] = (6.0L * slopeChange / span - sig * u[i - 1]) / p;
    }
    Extended qn = 0.0L;
    Extended un = 0.0L;
    if (StopSlope <= kSplineNaturalSlopeLimit) {
        const Extended h = step(n - 2);
        qn = 0.5L;
        un = (3.0L / h) * (StopSlope - (Extended(Y[n - 1]) - Y[n - 2]) / h);
    }
    y2[n - 1] = (un - qn * u[n - 2]) / (qn * y2[n - 2] + 1.0L);
    for (std::size_t k = n - 1; k-- > 0;) y2[k] = y2[k] * y2[k + 1] + u[k];
    return std::vector<Double>(y2.begin(), y2.end());
}

std::vector<Double> SplineSecondDerivatives(std::span<const Double> X, std::span<const Double> Y)
{
    CheckSameLength(X, Y);
    const std::size_t n = X.size();
    if (n < 2) return std::vector<Double>(n, 0.0);
    auto slope = [&](std::size_t i) {
        const Double dx = X[i + 1] - X[i];
        if (dx == 0.0) throw Exception(kSplineError);
        return (Y[i + 1] - Y[i]) / dx;
    };
    return SplineSecondDerivatives(X, Y, slope(0), slope(n - 2));
}

Double SplineInterpolate(std::span<const Double> XA, std::span<const Double> YA, std::span<const Double> Y2A,
                         Double X)
{
    CheckSameLength(XA, YA);
    CheckSameLength(XA, Y2A);
    if (XA.size() < 2) throw Exception(kSplineError);
    std::size_t lo = 0;
    std::size_t hi = XA.size() - 1;
    while (hi - lo > 1) {
        const std::size_t k = (hi + lo) / 2;
        if (XA[k] > X)
            hi = k;
        else
            lo = k;
    }
    const Extended h = Extended(XA[hi]) - XA[lo];
    if (h == 0.0L) throw Exception(kSplineError);
    const Extended a = (XA[hi] - Extended(X)) / h;
    const Extended b = (Extended(X) - XA[lo]) / h;
    return Double(a * YA[lo] + b * YA[hi] + ((a * a * a - a) * Y2A[lo] + (b * b * b - b) * Y2A[hi]) * h * h / 6.0L);
}

namespace {

// Index of the node nearest to x (the first of equally near ones).
std::size_t NearestNode(std::span<const Double> xa, Double x)
{
    std::size_t nearest = 0;
    Extended distance = std::fabs(Extended(x) - xa[0]);
    for (std::size_t i = 1; i < xa.size(); ++i) {
        const Extended d = std::fabs(Extended(x) - xa[i]);
        if (d < distance) {
            nearest = i;
            distance = d;
        }
    }
    return nearest;
}

// Walks the tableau from the nearest node, adding at each level the
// correction that keeps the path straightest; the last one is the error
// estimate. `column` fills c and d of one level from the previous one.
template <class Column>
void WalkTableau(std::span<const Double> ya, std::size_t nearest, std::vector<Extended>& c,
                 std::vector<Extended>& d, Column column, Double& y, Double& dy)
{
    const std::size_t n = ya.size();
    Extended value = ya[nearest];
    Extended correction = 0.0L;
    // The path sits between rows ns - 1 and ns: going down takes the next
    // c, going up the previous d.
    std::size_t ns = nearest;
    for (std::size_t m = 1; m < n; ++m) {
        for (std::size_t i = 0; i + m < n; ++i) column(i, m);
        if (2 * ns < n - m) {
            correction = c[ns];
        } else {
            correction = d[ns - 1];
            --ns;
        }
        value += correction;
    }
    y = Double(value);
    dy = Double(correction);
}

}  // namespace

void PolynomialInterpolate(std::span<const Double> XA, std::span<const Double> YA, Double X, Double& Y,
                           Double& DY)
{
    CheckSameLength(XA, YA);
    if (XA.empty()) throw Exception(kPolynomialError);
    std::vector<Extended> c(YA.begin(), YA.begin() + XA.size());
    std::vector<Extended> d = c;
    auto column = [&](std::size_t i, std::size_t m) {
        const Extended ho = Extended(XA[i]) - X;
        const Extended hp = Extended(XA[i + m]) - X;
        const Extended den = ho - hp;
        if (den == 0.0L) throw Exception(kPolynomialError);
        const Extended w = (c[i + 1] - d[i]) / den;
        d[i] = hp * w;
        c[i] = ho * w;
    };
    WalkTableau(YA.first(XA.size()), NearestNode(XA, X), c, d, column, Y, DY);
}

void RationalInterpolate(std::span<const Double> XA, std::span<const Double> YA, Double X, Double& Y,
                         Double& DY)
{
    CheckSameLength(XA, YA);
    if (XA.empty()) throw Exception(kRationalError);
    for (std::size_t i = 0; i < XA.size(); ++i) {
        if (XA[i] == X) {
            Y = YA[i];
            DY = 0.0;
            return;
        }
    }
    std::vector<Extended> c(YA.begin(), YA.begin() + XA.size());
    std::vector<Extended> d(c.size());
    for (std::size_t i = 0; i < c.size(); ++i) d[i] = c[i] + kRationalGuard;
    auto column = [&](std::size_t i, std::size_t m) {
        const Extended w = c[i + 1] - d[i];
        const Extended h = Extended(XA[i + m]) - X;
        const Extended t = (Extended(XA[i]) - X) * d[i] / h;
        Extended dd = t - c[i + 1];
        if (dd == 0.0L) throw Exception(kRationalError);
        dd = w / dd;
        d[i] = c[i + 1] * dd;
        c[i] = t * dd;
    };
    WalkTableau(YA.first(XA.size()), NearestNode(XA, X), c, d, column, Y, DY);
}
