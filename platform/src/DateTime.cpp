#include <chrono>
#include <cmath>
#include <ctime>
#include <mutex>

#include "platform/Consts.h"
#include "platform/Math.h"
#include "platform/SysUtils.h"

namespace {

// Day 0 is 1899-12-30, which is day -25569 of the Unix calendar.
constexpr Int64 kUnixEpochDay = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
Int64 DaysFromCivil(Int64 y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const Int64 era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<Int64>(doe) - 719468;
}

void CivilFromDays(Int64 z, Word& year, Word& month, Word& day)
{
    z += 719468;
    const Int64 era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<Word>(static_cast<Int64>(yoe) + era * 400 + (m <= 2));
    month = static_cast<Word>(m);
    day = static_cast<Word>(d);
}

// A TDateTime split into its day number and the milliseconds of its time.
struct TDaysAndTime {
    Int64 Day = 0;
    Int64 Milliseconds = 0;
};

bool TrySplit(TDateTime value, TDaysAndTime& out)
{
    // Checked before the product so that it never leaves the Int64 range.
    if (!std::isfinite(value) || std::fabs(value) > MaxDateTimeDay + 2.0) return false;
    const Int64 total = Round(std::fabs(value) * MSecsPerDay);
    const Int64 days = total / MSecsPerDay;
    out.Day = value < 0 ? -days : days;
    out.Milliseconds = total % MSecsPerDay;
    return out.Day >= MinDateTimeDay && out.Day <= MaxDateTimeDay;
}

TDaysAndTime Split(TDateTime value)
{
    TDaysAndTime parts;
    if (!TrySplit(value, parts)) throw EConvertError(Format(SInvalidDateTime, FloatToStr(value)));
    return parts;
}

// The time of day joins a negative date away from zero, so that its
// fraction still reads as the time.
TDateTime Combine(TDateTime date, TDateTime time) { return date < 0 ? date - time : date + time; }

using TClocks = TClockSource;

// Read by every clock call, replaced only by SetClockOverride; the calls run
// outside the lock so that an override may itself read the other clock.
class TClockOverride {
public:
    std::shared_ptr<const TClocks> Get()
    {
        std::lock_guard<std::mutex> guard(FLock);
        return FClocks;
    }
    void Set(std::shared_ptr<const TClocks> clocks)
    {
        std::lock_guard<std::mutex> guard(FLock);
        FClocks = std::move(clocks);
    }

private:
    std::mutex FLock;
    std::shared_ptr<const TClocks> FClocks;
};

TClockOverride& ClockOverride()
{
    static TClockOverride instance;
    return instance;
}

TDateTime SystemNow()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    return EncodeDateTime(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                          static_cast<Word>(local.tm_mday), static_cast<Word>(local.tm_hour),
                          static_cast<Word>(local.tm_min), static_cast<Word>(std::min(local.tm_sec, 59)),
                          static_cast<Word>(ms < 0 ? 0 : ms));
}

}  // namespace

bool IsLeapYear(Word year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

Word DaysInAMonth(Word year, Word month)
{
    static constexpr Word kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& value)
{
    if (year < 1 || year > 9999 || day < 1 || day > DaysInAMonth(year, month)) return false;
    value = static_cast<TDateTime>(DaysFromCivil(year, month, day) + kUnixEpochDay);
    return true;
}

bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& value)
{
    if (hour >= 24 || min >= 60 || sec >= 60 || msec >= 1000) return false;
    value = (((hour * 60 + min) * 60 + sec) * 1000 + msec) / static_cast<TDateTime>(MSecsPerDay);
    return true;
}

TDateTime EncodeDate(Word year, Word month, Word day)
{
    TDateTime value = 0;
    if (!TryEncodeDate(year, month, day, value)) throw EConvertError(SDateEncodeError);
    return value;
}

TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec)
{
    TDateTime value = 0;
    if (!TryEncodeTime(hour, min, sec, msec, value)) throw EConvertError(STimeEncodeError);
    return value;
}

TDateTime EncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec)
{
    return Combine(EncodeDate(year, month, day), EncodeTime(hour, min, sec, msec));
}

bool TryDecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec,
                       Word& msec)
{
    year = month = day = hour = min = sec = msec = 0;
    TDaysAndTime parts;
    if (!TrySplit(value, parts)) return false;
    CivilFromDays(parts.Day - kUnixEpochDay, year, month, day);
    hour = static_cast<Word>(parts.Milliseconds / 3600000);
    min = static_cast<Word>(parts.Milliseconds / 60000 % 60);
    sec = static_cast<Word>(parts.Milliseconds / 1000 % 60);
    msec = static_cast<Word>(parts.Milliseconds % 1000);
    return true;
}

void DecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec,
                    Word& msec)
{
    if (!TryDecodeDateTime(value, year, month, day, hour, min, sec, msec)) Split(value);  // raises
}

void DecodeDate(TDateTime value, Word& year, Word& month, Word& day)
{
    Word hour, min, sec, msec;
    DecodeDateTime(value, year, month, day, hour, min, sec, msec);
}

void DecodeTime(TDateTime value, Word& hour, Word& min, Word& sec, Word& msec)
{
    Word year, month, day;
    DecodeDateTime(value, year, month, day, hour, min, sec, msec);
}

Word DayOfWeek(TDateTime value)
{
    // Day 0, 1899-12-30, was a Saturday.
    const Int64 day = Split(value).Day;
    return static_cast<Word>(((day % 7) + 13) % 7 + 1);
}

TDateTime IncMonth(TDateTime value, Integer months)
{
    Word year, month, day, hour, min, sec, msec;
    DecodeDateTime(value, year, month, day, hour, min, sec, msec);
    const Int64 index = Int64{year} * 12 + (month - 1) + months;
    const Int64 newYear = index >= 0 ? index / 12 : -1;  // negative: outside years 1..9999
    if (newYear < 1 || newYear > 9999) throw EConvertError(SDateEncodeError);
    const auto y = static_cast<Word>(newYear);
    const auto m = static_cast<Word>(index % 12 + 1);
    return EncodeDateTime(y, m, std::min(day, DaysInAMonth(y, m)), hour, min, sec, msec);
}

TDateTime DateOf(TDateTime value) { return static_cast<TDateTime>(Split(value).Day); }

TDateTime TimeOf(TDateTime value)
{
    return static_cast<TDateTime>(Split(value).Milliseconds) / MSecsPerDay;
}

TDateTime Now()
{
    const auto clocks = ClockOverride().Get();
    return clocks && clocks->Now ? clocks->Now() : SystemNow();
}

TDateTime Date() { return DateOf(Now()); }
TDateTime Time() { return TimeOf(Now()); }

Int64 MonotonicNow()
{
    const auto clocks = ClockOverride().Get();
    if (clocks && clocks->MonotonicMs) return clocks->MonotonicMs();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

TClockSource CurrentClockOverride()
{
    const auto clocks = ClockOverride().Get();
    return clocks ? *clocks : TClockSource{};
}

void SetClockOverride(std::function<TDateTime()> now, std::function<Int64()> monotonicMs)
{
    if (!now && !monotonicMs) {
        ClockOverride().Set(nullptr);
        return;
    }
    ClockOverride().Set(std::make_shared<const TClocks>(TClocks{std::move(now), std::move(monotonicMs)}));
}
