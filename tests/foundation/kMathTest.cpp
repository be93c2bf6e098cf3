#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "components/foundation/kMath.h"
#include "platform/SysUtils.h"
#include "support/MessageOf.h"

TEST(kMathPowerLog, WholePowersOfTenAreExact)
{
    EXPECT_EQ(Power(10, 6), 1000000.0L);
    Extended exact = 1.0L;
    for (int k = 0; k <= 27; ++k) {
        EXPECT_EQ(Power(10, k), exact) << k;
        EXPECT_EQ(Log10(exact), Extended(k)) << k;
        exact *= 10;
    }
    // Powers of ten stored as doubles, as axis values are.
    for (int k = 0; k <= 22; ++k) EXPECT_EQ(Log10(Double(std::pow(10.0, k))), Extended(k)) << k;
    for (int k = 1; k <= 15; ++k) {
        const Double tenth = std::stod("1e-" + std::to_string(k));
        EXPECT_EQ(Double(Power(10, -k)), tenth) << k;
        EXPECT_EQ(Log10(tenth), Extended(-k)) << k;
    }
    // A near miss is no power of ten.
    EXPECT_NE(Log10(std::nextafter(0.001, 1.0)), -3.0L);
    EXPECT_EQ(Power(2, 10), 1024.0L);
    EXPECT_EQ(Power(-2, 3), -8.0L);
    EXPECT_EQ(Power(7, 0), 1.0L);
}

TEST(kMathPowerLog, OtherExponentsAndBadArguments)
{
    EXPECT_NEAR(double(Power(2, 0.5)), std::sqrt(2.0), 1e-15);
    EXPECT_NEAR(double(Power(10, 2.5)), 316.22776601683793, 1e-12);
    EXPECT_EQ(Power(0, 2.5), 0.0L);
    EXPECT_THROW(Power(-8, 1.0 / 3), EInvalidOp);
    EXPECT_THROW(Power(0, -1), EZeroDivide);
    EXPECT_THROW(Power(10, 6000), EOverflow);
    EXPECT_TRUE(std::isnan(Power(std::numeric_limits<double>::quiet_NaN(), 2)));
    EXPECT_THROW(Log10(0), EZeroDivide);
    EXPECT_THROW(Log10(-1), EInvalidOp);
    EXPECT_NEAR(double(Log10(2)), 0.30102999566398120, 1e-16);
}

TEST(kMathSpline, EndSegmentSlopesAndNaturalEnds)
{
    const std::vector<Double> x{0, 1, 2};
    const std::vector<Double> y{0, 1, 0};
    // The end slopes of the outer segments, +1 and -1: second derivatives
    // 2, -4, 2, and 0.625 half-way along the first segment.
    const auto clamped = SplineSecondDerivatives(x, y);
    ASSERT_EQ(clamped.size(), 3u);
    EXPECT_NEAR(clamped[0], 2, 1e-15);
    EXPECT_NEAR(clamped[1], -4, 1e-15);
    EXPECT_NEAR(clamped[2], 2, 1e-15);
    EXPECT_NEAR(SplineInterpolate(x, y, clamped, 0.5), 0.625, 1e-15);
    EXPECT_NEAR(SplineInterpolate(x, y, clamped, 1.5), 0.625, 1e-15);
    EXPECT_DOUBLE_EQ(SplineInterpolate(x, y, clamped, 1), 1);

    const auto natural = SplineSecondDerivatives(x, y, kSplineNaturalSlope, kSplineNaturalSlope);
    EXPECT_NEAR(natural[0], 0, 1e-15);
    EXPECT_NEAR(natural[1], -3, 1e-15);
    EXPECT_NEAR(natural[2], 0, 1e-15);
    EXPECT_NEAR(SplineInterpolate(x, y, natural, 0.5), 0.6875, 1e-15);

    // Given end slopes 0: 2M0 + M1 = 6, M0 + 4M1 + M2 = -12, M1 + 2M2 = 6.
    const auto flat = SplineSecondDerivatives(x, y, 0, 0);
    EXPECT_NEAR(flat[0], 6, 1e-14);
    EXPECT_NEAR(flat[1], -6, 1e-14);
    EXPECT_NEAR(flat[2], 6, 1e-14);

    // Two points: a straight line.
    const std::vector<Double> x2{1, 3}, y2{2, 6};
    EXPECT_NEAR(SplineInterpolate(x2, y2, SplineSecondDerivatives(x2, y2), 2.5), 5, 1e-15);
}

TEST(kMathSpline, RepeatedXRaisesInsteadOfDividingByZero)
{
    const std::vector<Double> x{0, 1, 1, 2};
    const std::vector<Double> y{0, 1, 2, 3};
    const String message = "Splint Error - xa's must be distinct";
    EXPECT_EQ(MessageOf([&] { SplineSecondDerivatives(x, y); }), message);
    EXPECT_EQ(MessageOf([&] { SplineSecondDerivatives(x, y, kSplineNaturalSlope, kSplineNaturalSlope); }), message);
    // Bisection lands on the repeated pair left of it.
    const std::vector<Double> y2(4, 0.0);
    const std::vector<Double> repeatedFirst{1, 1, 2};
    EXPECT_EQ(MessageOf([&] { SplineInterpolate(repeatedFirst, y, y2, 0.5); }), message);
    const std::vector<Double> one{1};
    EXPECT_EQ(MessageOf([&] { SplineInterpolate(one, one, one, 1); }), message);
    // Going back over an earlier X is no spline either.
    const std::vector<Double> back{0, 1, 0};
    EXPECT_EQ(MessageOf([&] { SplineSecondDerivatives(back, y); }), message);
}

TEST(kMathInterpolation, PolynomialThroughAllPoints)
{
    const std::vector<Double> x{0, 1, 2};
    const std::vector<Double> y{1, 2, 5};  // x^2 + 1
    Double v = 0, dy = 0;
    PolynomialInterpolate(x, y, 1.5, v, dy);
    EXPECT_NEAR(v, 3.25, 1e-15);
    PolynomialInterpolate(x, y, 3, v, dy);
    EXPECT_NEAR(v, 10, 1e-14);
    // The last correction is the error estimate.
    PolynomialInterpolate(std::vector<Double>{0, 1}, std::vector<Double>{1, 2}, 0.5, v, dy);
    EXPECT_NEAR(v, 1.5, 1e-15);
    EXPECT_NEAR(std::fabs(dy), 0.5, 1e-15);
    PolynomialInterpolate(std::vector<Double>{4}, std::vector<Double>{7}, 9, v, dy);
    EXPECT_EQ(v, 7);
    EXPECT_EQ(dy, 0);

    const String message = "Polynomial Interpolation Error - Pause in Routine Data";
    EXPECT_EQ(MessageOf([&] { PolynomialInterpolate(std::vector<Double>{1, 1}, y, 0.5, v, dy); }), message);
    EXPECT_EQ(MessageOf([&] { PolynomialInterpolate({}, {}, 0.5, v, dy); }), message);
}

TEST(kMathInterpolation, RationalReproducesRationalFunctions)
{
    const std::vector<Double> x{0, 1, 2};
    const std::vector<Double> y{1, 0.5, 1.0 / 3};  // 1 / (1 + x)
    Double v = 0, dy = 0;
    RationalInterpolate(x, y, 3, v, dy);
    EXPECT_NEAR(v, 0.25, 1e-15);
    RationalInterpolate(x, y, 0.5, v, dy);
    EXPECT_NEAR(v, 1 / 1.5, 1e-15);
    RationalInterpolate(x, y, 1, v, dy);
    EXPECT_EQ(v, 0.5);
    EXPECT_EQ(dy, 0);

    // Through (0, 1) and (2, -1) the function has its pole at 1.
    const String message = "Rational Interpolation Error - Pause in Routine Data";
    EXPECT_EQ(MessageOf([&] { RationalInterpolate(std::vector<Double>{0, 2}, std::vector<Double>{1, -1}, 1, v, dy); }),
              message);
    EXPECT_EQ(MessageOf([&] { RationalInterpolate({}, {}, 1, v, dy); }), message);
}
