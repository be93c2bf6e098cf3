#pragma once
// The conversion between an axis's values and pixels, as a value: one scale
// (minimum, span, linear or base-10 logarithmic, direction) laid along one
// pixel range. The axis keeps one up to date after every change of its scale
// or layout; drawing takes a copy once per paint and converts whole traces
// with it, without reaching back into the axis.
//
// Conversions never throw and never hand a NaN or an infinity to an integer
// conversion: offsets are cut to +-1e9 pixels before rounding (ties to even)
// and pixels to +-32000, where a NaN lands too (off every scale).

#include <cmath>
#include <cstring>

#include "platform/Math.h"
#include "platform/Types.h"

struct TkPlotScaleMap {
    // Pixels of the value Min and of the value Min + Span.
    Integer Start = 0;
    Integer Stop = 0;
    // The scale rectangle's extent along the axis in the direction values
    // grow on an unreversed scale (left to right, bottom to top).
    Integer Low = 0;
    Integer High = 0;
    // The same extent in pixel order (left to right, top to bottom).
    Integer First = 0;
    Integer Last = 0;
    bool Reversed = false;
    Double Min = 0;
    Double Span = 100;
    bool Log = false;
    // Pixels per unit of span; 0 when a span is too small to spread.
    Double PixelsPerSpanUnit = 0;
    // Logarithms of the scale's ends; meaningful on a logarithmic scale.
    Extended LogLow = 0;
    Extended LogHigh = 0;

    bool operator==(const TkPlotScaleMap&) const = default;

    static TkPlotScaleMap Make(Double Min, Double Span, bool Log, bool Reversed, bool Horizontal,
                               const TRect& ScaleRect);

    // The value's pixel along the axis.
    Integer Pixel(Double Value) const
    {
        if (Start == Stop || Span <= kMinSpan) return Integer((Int64{Start} + Stop) / 2);
        if (Value != Value) return kMaxPixel;
        if (Log) return LogPixel(Value);
        // Most offsets round the same in double as in extended precision,
        // and doubles are several times faster: the two differ by less than
        // 1e-6 pixels within +-1e9 pixels, so only an offset that close to a
        // half pixel, or out there, needs the exact extended computation.
        const Double offset = (Value - Min) * PixelsPerSpanUnit;
        if (std::fabs(offset) < kMaxFastOffset) {
            const Double rounded = (offset + kDoubleShift) - kDoubleShift;
            if (std::fabs(offset - rounded) < kHalfPixelMargin) return ClampPixel(Start - Int64(rounded));
        }
        return PixelAt((Extended(Value) - Min) * PixelsPerSpanUnit);
    }
    // Pixel of every value of a block, as Pixel gives it, in a loop without
    // branches where the scale is linear.
    void Pixels(const Double* Values, Integer Count, Integer* Pixels) const;
    // The value at a pixel along the axis; within +-DBL_MAX.
    Double Position(Integer Pixel) const;
    // Where a value lies between the ends of the scale as drawn (0 at the
    // start of the scale rectangle, 1 at its end).
    Double Fraction(Double Value) const;
    // The value at a fraction of the scale, counted from Min.
    Double ValueAtFraction(Double Fraction) const;
    // The value's pixel falls inside the scale rectangle.
    bool OnScale(Double Value) const { return OnScalePixel(Pixel(Value)); }
    bool OnScalePixel(Integer Pixel) const { return First <= Pixel && Pixel <= Last; }

    static constexpr Double kMinSpan = 1e-300;
    static constexpr Integer kMaxPixel = 32000;

private:
    static constexpr Extended kMaxOffset = 1e9;
    static constexpr Double kMaxFastOffset = 1e9 - 1;
    static constexpr Double kHalfPixelMargin = 0.5 - 1e-6;
    // Adding 1.5 * 2^52 to a double below 2^51 in magnitude leaves no
    // fraction bits: the sum is rounded to a whole number, ties to even.
    static constexpr Double kDoubleShift = 0x1.8p52;

    static Integer ClampPixel(Int64 Pixel) { return Integer(EnsureRange<Int64>(Pixel, -kMaxPixel, kMaxPixel)); }
    Integer PixelAt(Extended Offset) const
    {
        if (Offset != Offset) return kMaxPixel;
        return ClampPixel(Start - RoundOffset(EnsureRange(Offset, -kMaxOffset, kMaxOffset)));
    }
    // Ties to even under the default rounding mode, without the rounding
    // mode switch of a float-to-integer conversion. Adding 1.5 * 2^63 leaves
    // no fraction bits in the 64-bit significand, so the sum is rounded to a
    // whole number exactly as rint would (the offset is within 1e9 here),
    // and its significand is that number plus 1.5 * 2^63.
    static Int64 RoundOffset(Extended Offset)
    {
        constexpr Extended kShift = 0x1.8p63L;
        constexpr UInt64 kShiftBits = 0xC000000000000000u;
        const Extended shifted = Offset + kShift;
        UInt64 significand;
        std::memcpy(&significand, &shifted, sizeof significand);
        return Int64(significand - kShiftBits);
    }
    Integer LogPixel(Double Value) const;
};
