#include "components/plot/axis/kPlotAxisTicks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "components/foundation/kCommonRoutines.h"
#include "components/foundation/kMath.h"
#include "platform/Math.h"
#include "platform/SysUtils.h"

namespace {

// Spans at or below this are too small to divide: one step covers them.
constexpr Double kSmallestDivisibleSpan = 1e-299;

// Month and year steps walk the calendar from a scale brought into it.
constexpr Double kCalendarMinFirstDay = 0;           // 1899-12-30
constexpr Double kCalendarYearMinFirstDay = -182625; // 1400
constexpr Double kCalendarMaxFirstDay = 2593224;     // 8999
constexpr Double kCalendarMaxSpan = 36525;           // a century
// Steps beyond the calendar's length cannot put two ticks in it.
constexpr Extended kMaxYearStep = 9999;
constexpr Extended kMaxMonthStep = 12 * kMaxYearStep;

// Positions tried during one generation, kept or not: a bound on the work a
// huge minor count can ask for.
constexpr Int64 kMaxGeneratedPositions = 1000000;

bool Divisible(Double Span) { return Span > kSmallestDivisibleSpan && std::isfinite(Span); }

Integer AtLeastOne(Integer Count) { return Count < 1 ? 1 : Count; }

// Whole steps of a count already known to be small (at most a label budget).
Integer SmallCount(Extended Count) { return Integer(Trunc(Count)); }

}  // namespace

Extended ScaleLog10(Extended Value)
{
    if (!(Value > 0)) return 0;
    const Extended logarithm = Log10(Value);
    // The double nearest a power of ten stands for that power: 0.001 is
    // 10^-3, although its logarithm is a hair above -3.
    const Extended whole = std::nearbyint(logarithm);
    if (std::fabs(logarithm - whole) < 1e-9L && Double(ScalePower10(whole)) == Double(Value)) return whole;
    return logarithm;
}

Extended ScalePower10(Extended Exponent)
{
    constexpr Extended kLimit = 4900;  // within the extended range either way
    if (std::isnan(Exponent)) return 1.0L;
    return Power(10.0L, EnsureRange(Exponent, -kLimit, kLimit));
}

// ===========================================================================
// Major increments
// ===========================================================================

TkPlotIncrement DecimalIncrement(Double Span, Integer MaxCount)
{
    if (!Divisible(Span)) return {Span, 1};
    const Extended n = AtLeastOne(MaxCount);
    for (Extended p = std::trunc(Log10(Span) - 1 - Log10(n));; p += 1) {
        const Extended base = ScalePower10(p);
        for (const Extended multiple : {1.0L, 2.0L, 5.0L}) {
            const Extended step = multiple * base;
            if (n >= Span / step) return {Double(step), Integer(Round(Span / step))};
        }
    }
}

namespace {

// 1, 2, 5 times each power of ten from 1 upward: the first step that needs at
// most MaxCount labels, with the count truncated.
TkPlotIncrement WholeBinaryIncrement(Double Span, Extended MaxCount)
{
    for (Extended p = 0;; p += 1) {
        const Extended base = ScalePower10(p);
        for (const Extended multiple : {1.0L, 2.0L, 5.0L}) {
            const Extended step = multiple * base;
            if (MaxCount >= Span / step) return {Double(step), SmallCount(Span / step)};
        }
    }
}

}  // namespace

TkPlotIncrement BinaryFractionIncrement(Double Span, Integer MaxCount)
{
    if (!Divisible(Span)) return {Span, 1};
    const Extended n = AtLeastOne(MaxCount);
    if (n >= Extended(Span) * 256) return {1.0 / 256, SmallCount(Extended(Span) * 256)};
    for (const Extended parts : {128.0L, 64.0L, 32.0L, 16.0L, 8.0L, 4.0L, 2.0L}) {
        const Extended steps = Span * parts;
        if (n >= steps) {
            if (SmallCount(steps) == 0) break;
            return {Double(1 / parts), SmallCount(steps)};
        }
    }
    return WholeBinaryIncrement(Span, n);
}

namespace {

// One unit of the date-time search: the whole units in a span, counted as
// the foundation counts them, and the steps tried in that unit.
struct TTimeUnit {
    Extended PerDay;
    Integer (*Count)(TDateTime);
    std::array<Integer, 9> Steps;  // ascending; 0 ends a shorter list
};

constexpr std::array<TTimeUnit, 4> kTimeUnits = {{
    {86400000, DateTimeToMilliseconds, {1, 2, 5, 10, 20, 50, 100, 200, 500}},
    {86400, DateTimeToSeconds, {1, 2, 5, 10, 15, 20, 30}},
    {1440, DateTimeToMinutes, {1, 2, 5, 10, 15, 20, 30}},
    {24, DateTimeToHours, {1, 2, 4, 6, 12}},
}};

// Whole units of Unit in Span; none when the count does not fit 32 bits
// (such a count never fits a label budget).
std::optional<Int64> WholeUnits(Double Span, const TTimeUnit& Unit)
{
    if (!(Extended(Span) * Unit.PerDay < Extended(std::numeric_limits<Integer>::max()))) return std::nullopt;
    return Unit.Count(Span);
}

// A step of Size units fits when the whole steps in Units leave at most
// MaxCount - 1; the count is at least 1.
std::optional<Integer> FittingCount(Extended Units, Extended Size, Integer MaxCount)
{
    const Extended steps = std::floor(Units / Size);
    if (steps > MaxCount - 1) return std::nullopt;
    return std::max(1, SmallCount(steps));
}

std::optional<TkPlotIncrement> ClockIncrement(Double Span, Integer MaxCount)
{
    for (const TTimeUnit& unit : kTimeUnits) {
        const std::optional<Int64> units = WholeUnits(Span, unit);
        if (!units) continue;
        for (const Integer step : unit.Steps) {
            if (step == 0) break;
            if (auto count = FittingCount(Extended(*units), step, MaxCount))
                return TkPlotIncrement{Double(step / unit.PerDay), *count, TkPlotIncrementUnit::Scale};
        }
    }
    return std::nullopt;
}

std::optional<TkPlotIncrement> DayIncrement(Extended Days, Integer MaxCount)
{
    for (const Integer step : {1, 7, 14})
        if (auto count = FittingCount(Days, step, MaxCount))
            return TkPlotIncrement{Double(step), *count, TkPlotIncrementUnit::Scale};
    struct TMonthStep {
        Integer Months;
        Integer Days;
    };
    for (const TMonthStep step : {TMonthStep{1, 31}, {2, 61}, {3, 92}, {6, 183}})
        if (auto count = FittingCount(Days, step.Days, MaxCount))
            return TkPlotIncrement{Double(step.Months), *count, TkPlotIncrementUnit::Months};
    return std::nullopt;
}

TkPlotIncrement YearIncrement(Extended Days, Integer MaxCount)
{
    for (Extended p = 0;; p += 1) {
        const Extended base = ScalePower10(p);
        for (const Extended multiple : {1.0L, 2.0L, 5.0L})
            if (auto count = FittingCount(Days, base * multiple * 365, MaxCount))
                return {Double(base * multiple), *count, TkPlotIncrementUnit::Years};
    }
}

}  // namespace

TkPlotIncrement DateTimeIncrement(Double Span, Integer MaxCount)
{
    if (!Divisible(Span)) return {Span, 1};
    MaxCount = AtLeastOne(MaxCount);
    if (auto clock = ClockIncrement(Span, MaxCount)) return *clock;
    const Extended days = std::trunc(Extended(Span));
    if (auto calendar = DayIncrement(days, MaxCount)) return *calendar;
    return YearIncrement(days, MaxCount);
}

namespace {

TkPlotIncrement SearchIncrement(TkPlotTextFormat Format, Double Span, Integer MaxCount)
{
    switch (Format) {
    case kptfDateTime: return DateTimeIncrement(Span, MaxCount);
    case kptfPrice32nds: return BinaryFractionIncrement(Span, MaxCount);
    default: return DecimalIncrement(Span, MaxCount);
    }
}

}  // namespace

TkPlotIncrement ChooseMajorIncrement(const TkPlotIncrementRequest& Request)
{
    const Double span = Request.Span;
    const Double desired = Request.DesiredIncrement;
    Integer maxCount = Request.MaxCount;
    TkPlotIncrement increment;
    if (!Divisible(span)) {
        increment = {span, 1};
    } else if (desired > 0) {
        // The desired step is taken when its labels fit, or, with labels
        // hidden, when its minor ticks stay a pixel apart.
        const Extended steps = span / desired;
        const Extended minorParts = Extended(std::max(Request.MinorCount, 0)) + 1;
        if ((!Request.LabelsVisible && steps < Request.ScaleLength / minorParts) || steps < maxCount) {
            increment = {desired, Integer(Round(steps))};
            maxCount = increment.Count;
        }
    }
    maxCount = AtLeastOne(maxCount);
    if (increment.Count == 0) increment = SearchIncrement(Request.Format, span, maxCount);
    if (increment.Count < 2 && maxCount > 1) {
        increment.Value /= 2;
        increment.Count = 2;
    }
    if (increment.Count > maxCount) {
        increment.Value = span / maxCount;
        increment.Count = maxCount;
    }
    return increment;
}

Double MinorIncrementOf(Double MajorIncrement, Integer MinorCount)
{
    return Double(MajorIncrement / (Extended(std::max(MinorCount, 0)) + 1));
}

void ClampCalendarScale(TkPlotIncrementUnit Unit, Double& Min, Double& Span, Double& Increment)
{
    if (Unit == TkPlotIncrementUnit::Scale) return;
    const Double lowest = Unit == TkPlotIncrementUnit::Months ? kCalendarMinFirstDay : kCalendarYearMinFirstDay;
    Min = EnsureRange(Min, lowest, kCalendarMaxFirstDay);
    Span = std::min(Span, kCalendarMaxSpan);
    Increment = std::max(Increment, 1.0);
}

// ===========================================================================
// Tick positions
// ===========================================================================

namespace {

// Moves Date by Months calendar months; false when that leaves years 1..9999.
bool TryIncMonths(Double& Date, Int64 Months)
{
    Word year, month, day, hour, minute, second, msec;
    if (!TryDecodeDateTime(Date, year, month, day, hour, minute, second, msec)) return false;
    const Int64 index = Int64{year} * 12 + (month - 1) + Months;
    if (index < 12 || index / 12 > 9999) return false;
    Date = IncMonth(Date, Integer(Months));
    return true;
}

// The first of the month of Min whose number is a multiple of Step (the
// first month at least), Step months back.
std::optional<Double> MonthWalkStart(Double Min, Integer Step)
{
    Word year, month, day, hour, minute, second, msec;
    TDateTime first;
    if (!TryDecodeDateTime(Min, year, month, day, hour, minute, second, msec)) return std::nullopt;
    const Word cut = Word(std::max(month / Step * Step, 1));
    if (!TryEncodeDate(year, cut, 1, first)) return std::nullopt;
    Double start = first;
    if (!TryIncMonths(start, -Step)) return std::nullopt;
    return start;
}

// January 1 of the year of Min cut down to a multiple of Step, Step years
// back; a start before year 1 moves up by whole steps (there is no year 0 to
// label).
std::optional<Double> YearWalkStart(Double Min, Integer Step)
{
    Word year, month, day, hour, minute, second, msec;
    TDateTime first;
    if (!TryDecodeDateTime(Min, year, month, day, hour, minute, second, msec)) return std::nullopt;
    const Integer cut = year / Step * Step;
    Integer start = cut - Step;
    if (start < 1) start = cut >= 1 ? cut : Step;
    if (!TryEncodeDate(Word(start), 1, 1, first)) return std::nullopt;
    return first;
}

// Collects the positions of one generation and knows when it must give up.
class TTickCollector {
public:
    TTickCollector(TkPlotScaleType ScaleType, const TkPlotOnScale& OnScale)
        : FLog(ScaleType == kpstLog10), FOnScale(OnScale)
    {
    }

    void Add(TkPlotTickType Type, Double Position)
    {
        ++FGenerated;
        if (FLog && !(Position > 0)) return;
        if (!FOnScale(Position)) return;
        FTicks.push_back({Type, Position});
    }
    bool OverBudget() const { return FTicks.size() > kMaxTickCount || FGenerated > kMaxGeneratedPositions; }
    TkPlotTickPositions Take() { return std::move(FTicks); }

private:
    bool FLog;
    const TkPlotOnScale& FOnScale;
    TkPlotTickPositions FTicks;
    Int64 FGenerated = 0;
};

TkPlotTickPositions MidScaleTick(const TkPlotTickRun& Run)
{
    return {{kpttMajor, Run.Min + Run.Span / 2}};
}

// The position of the first major tick; none when the calendar cannot hold it.
std::optional<Double> WalkStart(const TkPlotTickRun& Run, Integer CalendarStep)
{
    const Double increment = Run.Major.Value;
    const Double desired = Run.DesiredStart;
    if (desired != 0 && Run.Min <= desired && desired <= Run.Min + Run.Span)
        // The desired start lowered by whole steps to Min or just below.
        return Double(desired - std::ceil((Extended(desired) - Run.Min) / increment) * increment);
    switch (Run.Major.Unit) {
    case TkPlotIncrementUnit::Months: return MonthWalkStart(Run.Min, CalendarStep);
    case TkPlotIncrementUnit::Years: return YearWalkStart(Run.Min, CalendarStep);
    case TkPlotIncrementUnit::Scale: break;
    }
    return std::trunc(Run.Min / increment) * increment - increment;
}

// Whole calendar steps of a month or year increment.
Integer CalendarStepOf(const TkPlotIncrement& Major)
{
    switch (Major.Unit) {
    case TkPlotIncrementUnit::Months: return Integer(Round(EnsureRange<Extended>(Major.Value, 1, kMaxMonthStep)));
    case TkPlotIncrementUnit::Years: return Integer(Round(EnsureRange<Extended>(Major.Value, 1, kMaxYearStep)));
    case TkPlotIncrementUnit::Scale: break;
    }
    return 0;
}

}  // namespace

TkPlotTickPositions GenerateTicks(const TkPlotTickRun& Run, const TkPlotOnScale& OnScale)
{
    const Double increment = Run.Major.Value;
    if (!(increment > 0) || !std::isfinite(increment)) return MidScaleTick(Run);
    const Integer calendarStep = CalendarStepOf(Run.Major);
    const Int64 calendarMonths = Run.Major.Unit == TkPlotIncrementUnit::Years ? Int64{calendarStep} * 12
                                                                              : Int64{calendarStep};
    const bool minors = Run.MinorCount >= 1 && calendarStep == 0 && Run.MinorIncrement != 0;
    const std::optional<Double> start = WalkStart(Run, calendarStep);
    if (!start || !std::isfinite(*start)) return MidScaleTick(Run);

    TTickCollector ticks(Run.ScaleType, OnScale);
    const Double last = Run.Min + Run.Span + increment;
    Double p = *start;
    while (p <= last) {
        ticks.Add(kpttMajor, p);
        if (minors) {
            // MinorCount minor ticks, then the step onto the next major.
            for (Int64 i = 0; i <= Run.MinorCount; ++i) {
                const Double next = p + Run.MinorIncrement;
                if (next == p) return MidScaleTick(Run);
                p = next;
                if (i < Run.MinorCount) ticks.Add(kpttMinor, p);
                if (ticks.OverBudget()) return MidScaleTick(Run);
            }
        } else if (calendarStep != 0) {
            if (!TryIncMonths(p, calendarMonths)) break;
        } else {
            if (p + increment == p) break;
            p += increment;
        }
        if (ticks.OverBudget()) return MidScaleTick(Run);
    }
    return ticks.Take();
}

TkPlotTickPositions GenerateLabelledTicks(TkPlotTickRun& Run, const TkPlotOnScale& OnScale)
{
    constexpr Integer kMaxHalvings = 2;
    const auto labelled = [](const TkPlotTickPositions& Ticks) {
        return std::any_of(Ticks.begin(), Ticks.end(), [](const TkPlotTickPosition& T) { return T.Type == kpttMajor; });
    };
    TkPlotTickPositions ticks = GenerateTicks(Run, OnScale);
    if (labelled(ticks) || Run.Major.Unit != TkPlotIncrementUnit::Scale) return ticks;
    TkPlotTickRun halved = Run;
    for (Integer i = 0; i < kMaxHalvings; ++i) {
        halved.Major.Value /= 2;
        halved.Major.Count = SatInt32(Int64{halved.Major.Count} * 2);
        halved.MinorIncrement = MinorIncrementOf(halved.Major.Value, halved.MinorCount);
        TkPlotTickPositions again = GenerateTicks(halved, OnScale);
        if (labelled(again)) {
            Run = halved;
            return again;
        }
    }
    return ticks;
}

Extended LogScaleBottom(Double Min) { return Min > 0 ? Extended(Min) : 1.0L; }

namespace {

Extended DecadesOf(Double Min, Double Span)
{
    return ScaleLog10(LogScaleBottom(Min) + Span) - ScaleLog10(LogScaleBottom(Min));
}

}  // namespace

bool SpansDecades(Double Min, Double Span) { return DecadesOf(Min, Span) > 1; }

TkPlotTickPositions GenerateDecadeTicks(Double Min, Double Span, Integer MaxCount, const TkPlotOnScale& OnScale)
{
    const Extended first = LogScaleBottom(Min);
    const Extended top = first + Span;
    if (!std::isfinite(top)) return {};
    const Extended decades = DecadesOf(Min, Span);
    const Extended n = AtLeastOne(MaxCount);
    Integer step = 1;
    if (decades / step > n) {
        step = 200;
        for (const Integer candidate : {1, 2, 5, 10, 20, 50, 100, 200})
            if (decades / candidate <= n) {
                step = candidate;
                break;
            }
    }
    TTickCollector ticks(kpstLog10, OnScale);
    Extended exponent = std::trunc(ScaleLog10(first)) - (step > 1 ? 0 : 1);
    for (Extended power = ScalePower10(exponent); power <= top; power = ScalePower10(exponent)) {
        ticks.Add(kpttMajor, Double(power));
        if (step == 1)
            for (Integer k = 2; k <= 9; ++k) ticks.Add(kpttMinor, Double(k * power));
        exponent += step;
    }
    return ticks.Take();
}

// ===========================================================================
// Value text
// ===========================================================================

namespace {

Integer ClampDigits(Int64 Digits) { return Integer(EnsureRange<Int64>(Digits, 0, kMaxValueDigits)); }

Integer SpanDigits(const TkPlotValueFormat& Format, Double Span)
{
    return ClampDigits(DigitsForSpan(Format.Precision, Format.PrecisionStyle, 0, Span));
}

String Fixed(Extended Value, Integer Digits) { return Trim(FloatToStrF(Value, ffFixed, kMaxValueDigits, Digits)); }

String LinearValueText(Double Value, const TkPlotValueFormat& Format, Double Span)
{
    return Fixed(Value, SpanDigits(Format, Span));
}

// Significant digits counted from the value itself.
std::optional<String> LogValueText(Double Value, const TkPlotValueFormat& Format)
{
    if (!(Value > 0)) return std::nullopt;
    Int64 digits = Format.Precision;
    if (Format.PrecisionStyle != kpsFixedDecimalPoints) {
        const Extended magnitude = ScaleLog10(Value);
        digits = std::isfinite(magnitude) ? Int64{Format.Precision} - 1 - Trunc(magnitude) : 0;
    }
    return Fixed(Value, ClampDigits(digits));
}

String ExponentText(Double Value, const TkPlotValueFormat& Format)
{
    const Int64 digits = Int64{Format.Precision} + (Format.PrecisionStyle == kpsFixedDecimalPoints ? 1 : 0);
    return Trim(FloatToStrF(Value, ffExponent, ClampDigits(digits), 3));
}

const char* SIPrefix(Integer Exponent)
{
    static constexpr std::array<const char*, 17> kPrefixes = {"y", "z", "a", "f", "p", "n", "µ", "m", "",
                                                              "K", "M", "G", "T", "P", "E", "Z", "Y"};
    return kPrefixes[std::size_t((Exponent + 24) / 3)];
}

String PrefixText(Double Value, const TkPlotValueFormat& Format, Double Span)
{
    if (std::isnan(Value)) return kUnknownValueText;
    // Whole thousands of the magnitude, toward zero: between 0.001 and 1000
    // no prefix.
    const Extended exponent = std::trunc(ScaleLog10(std::fabs(Value)) / 3) * 3;
    const Extended scaled = Value / ScalePower10(exponent);
    const Integer digits = SpanDigits(Format, Double(scaled));
    // A value this close to zero on a readable span is zero, whatever its prefix.
    if (Span > 1e-10 && Value > -1e-12 && Value < 1e-12) return "0." + StringOfChar('0', digits);
    if (!(std::fabs(exponent) <= 24)) return kUnknownValueText;
    return Fixed(scaled, digits) + SIPrefix(Integer(exponent));
}

bool InCalendar(Double Value)
{
    Word year, month, day, hour, minute, second, msec;
    return TryDecodeDateTime(Value, year, month, day, hour, minute, second, msec);
}

// A leading "J" asks for the whole day count before the date-time text.
String DateTimeText(Double Value, const String& DateTimeFormat)
{
    if (!InCalendar(Value)) return kUnknownValueText;
    if (!DateTimeFormat.empty() && (DateTimeFormat[0] == 'J' || DateTimeFormat[0] == 'j'))
        return Trim(IntToStr(Trunc(Value)) + " " + FormatDateTime(DateTimeFormat.substr(1), Value));
    return Trim(FormatDateTime(DateTimeFormat, Value));
}

// Whole part, "." and the 32nds in two digits, then the eighths of a 32nd:
// the value to the nearest 1/256. Negative values carry a sign before the
// text of their magnitude.
String PriceText(Double Value)
{
    if (!std::isfinite(Value)) return kUnknownValueText;
    const Extended x = std::fabs(Extended(Value)) + 1.0L / 512;
    const Extended whole = std::trunc(x);
    const Integer eighths = Integer(std::min<Int64>(Round((x - whole) * 1024), 1023));
    const Integer thirtySeconds = eighths / 32;
    String text = Fixed(whole, 0) + (thirtySeconds < 10 ? ".0" : ".") + IntToStr(thirtySeconds) +
                  IntToStr(eighths % 32 / 4);
    const bool zero = whole == 0 && eighths < 4;
    return Value < 0 && !zero ? "-" + text : text;
}

String ThousandsText(Double Value, const TkPlotValueFormat& Format, Double Span)
{
    const Integer digits = SpanDigits(Format, Span);
    const String pattern = digits > 0 ? "#,#0." + StringOfChar('0', digits) : String("#,#0");
    return Trim(FormatFloat(pattern, Value));
}

}  // namespace

std::optional<String> FormatValueText(Double Value, const TkPlotValueFormat& Format, TkPlotScaleType ScaleType,
                                      Double Span)
{
    switch (Format.Style) {
    case kptfValue:
        if (ScaleType == kpstLog10) return LogValueText(Value, Format);
        return LinearValueText(Value, Format, Span);
    case kptfExponent: return ExponentText(Value, Format);
    case kptfPrefix: return PrefixText(Value, Format, Span);
    case kptfDateTime: return DateTimeText(Value, Format.DateTimeFormat);
    case kptfPrice32nds: return PriceText(Value);
    case kptfThousands: return ThousandsText(Value, Format, Span);
    }
    return kUnknownValueText;
}
