#pragma once
// Logarithm and power exact for powers of ten, and the interpolations the
// channels draw with: cubic spline, Neville polynomial and diagonal rational.
//
// The interpolation routines take the points as spans; element k of a span
// is point k + 1 of the classic 1-based formulations.

#include <span>
#include <vector>

#include "platform/Types.h"

// Base-10 logarithm in extended precision: whole for exact powers of ten.
// Raises EZeroDivide for 0 and EInvalidOp for negative values.
Extended Log10(Extended X);

// Base raised to Exponent. Whole exponents multiply exactly in extended
// precision (Power(10, 6) is 1000000); other exponents go through the
// logarithm, and there a negative base raises EInvalidOp. 0 to a negative
// power raises EZeroDivide; a finite result too large raises EOverflow.
Extended Power(Extended Base, Extended Exponent);

// An end slope above this selects the natural end condition (zero second
// derivative) of the spline.
constexpr Double kSplineNaturalSlopeLimit = 0.99e30;
constexpr Double kSplineNaturalSlope = 1e30;

// Second derivatives of the cubic spline through the points (X[k], Y[k]),
// with the given first derivatives at the two ends. Equal neighbouring X
// values raise "Splint Error - xa's must be distinct".
std::vector<Double> SplineSecondDerivatives(std::span<const Double> X, std::span<const Double> Y,
                                            Double StartSlope, Double StopSlope);
// The same with the end slopes of the first and of the last segment.
std::vector<Double> SplineSecondDerivatives(std::span<const Double> X, std::span<const Double> Y);

// The spline's value at X; Y2A from SplineSecondDerivatives. Fewer than two
// points or two equal neighbouring X values raise
// "Splint Error - xa's must be distinct".
Double SplineInterpolate(std::span<const Double> XA, std::span<const Double> YA, std::span<const Double> Y2A,
                         Double X);

// Neville's polynomial through all points, evaluated at X, with DY the
// estimate of its error. Two equal X values (or no point) raise
// "Polynomial Interpolation Error - Pause in Routine Data".
void PolynomialInterpolate(std::span<const Double> XA, std::span<const Double> YA, Double X, Double& Y,
                           Double& DY);

// The diagonal rational function through all points, evaluated at X, with
// DY its error estimate; X on a node gives that node's Y and DY 0. A pole
// (or no point) raises "Rational Interpolation Error - Pause in Routine Data".
void RationalInterpolate(std::span<const Double> XA, std::span<const Double> YA, Double X, Double& Y,
                         Double& DY);
