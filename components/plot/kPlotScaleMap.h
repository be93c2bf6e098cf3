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

    static TkPlotScaleMap Make(Double Min, Double Span, bool Log, bool Reversed, bool Horizontal,
                               const TRect& ScaleRect);

    // The value's pixel along the axis.
    Integer Pixel(Double Value) const
    {
        if (Start == Stop || Span <= kMinSpan) return Integer((Int64{Start} + Stop) / 2);
        if (Value != Value) return kMaxPixel;
        if (!Log) return PixelAt((Extended(Value) - Min) * PixelsPerSpanUnit);
        return LogPixel(Value);
    }
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
    Integer PixelAt(Extended Offset) const
    {
        if (Offset != Offset) return kMaxPixel;
        constexpr Extended kMaxOffset = 1e9;
        const Int64 pixel = Start - RoundOffset(EnsureRange(Offset, -kMaxOffset, kMaxOffset));
        return Integer(EnsureRange<Int64>(pixel, -kMaxPixel, kMaxPixel));
    }
    // Ties to even under the default rounding mode. Adding 1.5 * 2^63 leaves
    // no fraction bits in the 64-bit significand, so the sum is rounded to a
    // whole number, exactly as rint would; the offset is within 1e9 here.
    static Int64 RoundOffset(Extended Offset)
    {
        constexpr Extended kShift = 0x1.8p63L;
        return Int64((Offset + kShift) - kShift);
    }
    Integer LogPixel(Double Value) const;
};
