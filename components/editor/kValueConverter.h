#pragma once
// One value shown three ways, and the value made back from each: as an
// interval (days, weeks and the time of day), as a date and a time, and as
// a price in 32nds and 256ths. A value counts days; its fraction is the time
// of day.
//
// Every field comes from one rounding of the value to the millisecond, so
// the days and the time of day agree at midnight; a negative value shows
// its days with the sign and the time of day of its magnitude, and comes
// back whole. Values beyond 1e14 days either way show only their fraction
// as a day and a time; values that are not numbers show as 0.

#include "platform/SysUtils.h"

enum TkValueConverterPageType { kvcptInterval, kvcptDateTime, kvcptPrice32nd };

struct TkTimeOfDay {
    Integer Hours = 0;
    Integer Minutes = 0;
    Integer Seconds = 0;
    Integer MilliSeconds = 0;
};

struct TkValueConverterView {
    // The value itself.
    Double Value = 0;
    // Days and whole weeks of the interval, signed like the value.
    Int64 Days = 0;
    Int64 Weeks = 0;
    TkTimeOfDay Time;
    // The date (whole days) and the time of day as date-time values.
    Double Date = 0;
    Double TimeOfDay = 0;
    // The price: its whole part as text (a float's text past 64 bits), its
    // 32nds and the 256ths beyond them.
    String PriceInteger;
    Int64 Price32nds = 0;
    Int64 Price256ths = 0;
};

// The largest day count shown as such; beyond it only the fraction shows.
constexpr Double kMaxConverterDays = 1e14;

TkValueConverterView ValueConverterView(Double Value);

// The value of an interval of Days plus a time of day, negative when
// Negative. An hour, minute, second or millisecond out of range raises
// "Invalid time: <field> must lie between 0 and <max>".
Double IntervalValue(Int64 Days, const TkTimeOfDay& Time, bool Negative);
// The same from whole weeks; days beyond whole weeks are not kept.
Double WeeksValue(Int64 Weeks, const TkTimeOfDay& Time, bool Negative);
// A date's whole days plus a time's fraction of a day (both taken away
// from the date when Negative).
Double DateTimeValue(Double Date, Double Time, bool Negative);
Double PriceValue(Double Integer, Int64 Thirty2nds, Int64 TwoHundredFifty6ths);
