#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/SysUtils.h"

namespace {

struct TStamp {
    Word y, mo, d, h, mi, s, ms;
    friend bool operator==(const TStamp&, const TStamp&) = default;
};

TStamp Decode(TDateTime v)
{
    TStamp t{};
    DecodeDateTime(v, t.y, t.mo, t.d, t.h, t.mi, t.s, t.ms);
    return t;
}

std::ostream& operator<<(std::ostream& os, const TStamp& t)
{
    return os << t.y << '-' << t.mo << '-' << t.d << ' ' << t.h << ':' << t.mi << ':' << t.s << '.' << t.ms;
}

}  // namespace

TEST(DateTime, EncodingCountsDaysFrom18991230)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2000, 3, 1), 36586);
    EXPECT_EQ(EncodeDate(1, 1, 1), MinDateTimeDay);
    EXPECT_EQ(EncodeDate(9999, 12, 31), MaxDateTimeDay);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);

    for (auto [y, m, d] : {std::tuple{0, 1, 1}, {10000, 1, 1}, {2023, 2, 29}, {2024, 13, 1}, {2024, 4, 31}, {2024, 1, 0}})
        EXPECT_THROW(EncodeDate(y, m, d), EConvertError) << y << '-' << m << '-' << d;
    EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}

TEST(DateTime, DecodingRoundsToMillisecondsAndCarriesIntoTheDate)
{
    const struct {
        TDateTime value;
        TStamp stamp;
    } cases[] = {
        {0, {1899, 12, 30, 0, 0, 0, 0}},
        {-1.25, {1899, 12, 29, 6, 0, 0, 0}},
        {-0.5, {1899, 12, 30, 12, 0, 0, 0}},
        {0.9999999999, {1899, 12, 31, 0, 0, 0, 0}},
        {36586.5 + 1.0 / 86400000, {2000, 3, 1, 12, 0, 0, 1}},
        {45351.999988426, {2024, 2, 29, 23, 59, 59, 0}},
        {MinDateTimeDay, {1, 1, 1, 0, 0, 0, 0}},
        {MaxDateTimeDay + 0.5, {9999, 12, 31, 12, 0, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(Decode(c.value), c.stamp) << c.value;

    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e300,
                       MaxDateTimeDay + 1.0, MinDateTimeDay - 1.0}) {
        EXPECT_THROW(Decode(bad), EConvertError) << bad;
        Word y = 1, m = 1, d = 1, h = 1, n = 1, s = 1, ms = 1;
        EXPECT_FALSE(TryDecodeDateTime(bad, y, m, d, h, n, s, ms));
        EXPECT_EQ(y, 0);
    }
}

TEST(DateTime, CalendarHelpers)
{
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_EQ(DaysInAMonth(2023, 2), 28);
    EXPECT_EQ(DayOfWeek(0), 7);                          // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 6, 9)), 1);     // Sunday
    EXPECT_EQ(DayOfWeek(-1.25), 6);                      // Friday 1899-12-29
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);        // Monday

    EXPECT_EQ(Decode(IncMonth(EncodeDateTime(2024, 1, 31, 10, 30, 0, 0))), (TStamp{2024, 2, 29, 10, 30, 0, 0}));
    EXPECT_EQ(Decode(IncMonth(EncodeDate(2024, 3, 31), -1)), (TStamp{2024, 2, 29, 0, 0, 0, 0}));
    EXPECT_EQ(Decode(IncMonth(EncodeDate(2023, 12, 15), 14)), (TStamp{2025, 2, 15, 0, 0, 0, 0}));
    EXPECT_EQ(Decode(IncMonth(EncodeDate(2023, 1, 15), -13)), (TStamp{2021, 12, 15, 0, 0, 0, 0}));
    EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
    EXPECT_THROW(IncMonth(EncodeDate(1, 1, 1), -1), EConvertError);
    EXPECT_DOUBLE_EQ(DateOf(-1.25), -1);
    EXPECT_DOUBLE_EQ(TimeOf(-1.25), 0.25);
}

TEST(DateTime, FormatDateTimeCodes)
{
    const TDateTime v = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
    const struct {
        const char* format;
        const char* text;
    } cases[] = {
        {"", "05/03/2024 14:07:09"},
        {"c", "05/03/2024 14:07:09"},
        {"d dd ddd dddd", "5 05 Tue Tuesday"},
        {"ddddd", "05/03/2024"},
        {"dddddd", "Tuesday, 5 March 2024"},
        {"m mm mmm mmmm", "3 03 Mar March"},
        {"yy yyyy", "24 2024"},
        {"h hh n nn s ss", "14 14 7 07 9 09"},
        {"hh:mm", "14:07"},
        {"h 'at' m", "14 at 7"},
        {"z zzz", "45 045"},
        {"t|tt", "14:07|14:07:09"},
        {"h:nn am/pm", "2:07 pm"},
        {"hh:nn AM/PM", "02:07 PM"},
        {"h a/p", "2 p"},
        {"h ampm", "2 PM"},
        {"yyyy/mm/dd", "2024/03/05"},
        {"\"dd\" 'mm' dd", "dd mm 05"},
        {"[x] dd#", "[x] 05#"},
        {"mmmmm", "March3"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, v), c.text) << c.format;

    EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "05/03/2024");
    EXPECT_EQ(FormatDateTime("h am/pm", EncodeTime(0, 30, 0, 0)), "12 am");
    EXPECT_EQ(FormatDateTime("hh:nn:ss", -1.25), "06:00:00");
    EXPECT_EQ(DateToStr(v), "05/03/2024");
    EXPECT_EQ(TimeToStr(v), "14:07:09");
    EXPECT_EQ(DateTimeToStr(v), "05/03/2024 14:07:09");

    TFormatSettings fs;
    fs.DateSeparator = '-';
    fs.TimeSeparator = '.';
    fs.ShortDateFormat = "yyyy/mm/dd";
    fs.LongTimeFormat = "c";  // a format naming itself must not recurse forever
    EXPECT_EQ(FormatDateTime("ddddd hh:nn", v, fs), "2024-03-05 14.07");
    EXPECT_NO_THROW(FormatDateTime("c", v, fs));
    {
        TFormatSettingsScope scope(fs);
        EXPECT_EQ(DateToStr(v), "2024-03-05");
    }
    EXPECT_EQ(DateToStr(v), "05/03/2024");

    EXPECT_THROW(FormatDateTime("c", std::numeric_limits<double>::quiet_NaN()), EConvertError);
    EXPECT_THROW(FormatDateTime("yyyy", 3e6), EConvertError);
}

TEST(DateTime, ClocksCanBeOverridden)
{
    const TClockSource installed = CurrentClockOverride();
    SetClockOverride(nullptr, nullptr);
    const TDateTime before = Now();
    EXPECT_GT(before, EncodeDate(2020, 1, 1));
    const Int64 t0 = MonotonicNow();
    EXPECT_GE(MonotonicNow(), t0);

    Int64 ticks = 1000;
    SetClockOverride([] { return EncodeDateTime(2030, 1, 2, 3, 4, 5, 6); }, [&ticks] { return ticks += 10; });
    EXPECT_EQ(Decode(Now()), (TStamp{2030, 1, 2, 3, 4, 5, 6}));
    EXPECT_DOUBLE_EQ(Date(), EncodeDate(2030, 1, 2));
    EXPECT_EQ(MonotonicNow(), 1010);
    EXPECT_EQ(MonotonicNow(), 1020);
    SetClockOverride(nullptr, nullptr);
    EXPECT_LT(std::fabs(Now() - before), 1.0);
    SetClockOverride(installed.Now, installed.MonotonicMs);
}
