#include "components/editor/kValueConverter.h"

#include <cmath>

#include "platform/Math.h"

namespace {

constexpr Int64 kMillisecondsPerDay = 86'400'000;
constexpr Double kThirtySecond = 0.03125;
constexpr Double kTwoHundredFiftySixth = 0.00390625;
// Doubles from here on have no fraction and no longer fit every Int64.
constexpr Double kTwoTo63 = 9223372036854775808.0;

TkTimeOfDay TimeOfDay(Int64 Milliseconds)
{
    TkTimeOfDay t;
    t.MilliSeconds = Integer(Milliseconds % 1000);
    t.Seconds = Integer(Milliseconds / 1000 % 60);
    t.Minutes = Integer(Milliseconds / 60'000 % 60);
    t.Hours = Integer(Milliseconds / 3'600'000);
    return t;
}

void CheckField(const char* Name, Integer Value, Integer Max)
{
    if (Value < 0 || Value > Max)
        throw EConvertError(String("Invalid time: ") + Name + " must lie between 0 and " + IntToStr(Max));
}

Double DayFraction(const TkTimeOfDay& Time)
{
    CheckField("hours", Time.Hours, 23);
    CheckField("minutes", Time.Minutes, 59);
    CheckField("seconds", Time.Seconds, 59);
    CheckField("milliseconds", Time.MilliSeconds, 999);
    const Int64 ms = ((Int64{Time.Hours} * 60 + Time.Minutes) * 60 + Time.Seconds) * 1000 + Time.MilliSeconds;
    return Double(ms) / kMillisecondsPerDay;
}

}  // namespace

TkValueConverterView ValueConverterView(Double Value)
{
    TkValueConverterView view;
    const Double v = std::isfinite(Value) ? Value : 0.0;
    view.Value = v;
    // Past the day counts shown, only the time of day is left.
    const Double d = std::fabs(v) <= kMaxConverterDays ? v : v - std::trunc(v);
    const Double magnitude = std::fabs(d);
    Int64 days = Int64(magnitude);
    Int64 ms = std::llround((magnitude - Double(days)) * kMillisecondsPerDay);
    if (ms >= kMillisecondsPerDay) {
        ++days;
        ms -= kMillisecondsPerDay;
    }
    const Int64 sign = d < 0 ? -1 : 1;
    view.Days = sign * days;
    view.Weeks = view.Days / 7;
    view.Time = TimeOfDay(ms);
    view.Date = Double(view.Days);
    view.TimeOfDay = Double(ms) / kMillisecondsPerDay;

    const Double whole = std::trunc(v);
    view.PriceInteger = std::fabs(whole) < kTwoTo63 ? IntToStr(Int64(whole)) : FloatToStr(whole);
    const Double fraction = v - whole;
    view.Price32nds = Int64(fraction / kThirtySecond);
    view.Price256ths = Int64((fraction - Double(view.Price32nds) / 32) / kTwoHundredFiftySixth);
    return view;
}

namespace {

// In doubles: a week count times 7 may pass 64 bits.
Double IntervalOf(Double Days, const TkTimeOfDay& Time, bool Negative)
{
    const Double fraction = DayFraction(Time);
    if (Negative) return -(std::fabs(Days) + fraction);
    return Days + fraction;
}

}  // namespace

Double IntervalValue(Int64 Days, const TkTimeOfDay& Time, bool Negative)
{
    return IntervalOf(Double(Days), Time, Negative);
}

Double WeeksValue(Int64 Weeks, const TkTimeOfDay& Time, bool Negative)
{
    return IntervalOf(Double(Weeks) * 7, Time, Negative);
}

Double DateTimeValue(Double Date, Double Time, bool Negative)
{
    const Double days = std::trunc(Date);
    const Double fraction = Time - std::trunc(Time);
    return Negative ? -(std::fabs(days) + fraction) : days + fraction;
}

Double PriceValue(Double Integer, Int64 Thirty2nds, Int64 TwoHundredFifty6ths)
{
    return Integer + Double(Thirty2nds) / 32 + Double(TwoHundredFifty6ths) / 256;
}
