// Reading dates and times from text: the settings decide the order and
// the separators, the text written by DateTimeToStr reads back, and
// anything else is refused with a message naming the text.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/Consts.h"
#include "platform/SysUtils.h"
#include "platform/System.h"
#include "support/MessageOf.h"

namespace {

// The clock stands still at 2026-06-15 for the lifetime of the scope.
class TFixedClock {
public:
    TFixedClock() : FInstalled(CurrentClockOverride())
    {
        SetClockOverride([] { return EncodeDateTime(2026, 6, 15, 9, 0, 0, 0); }, FInstalled.MonotonicMs);
    }
    ~TFixedClock() { SetClockOverride(FInstalled.Now, FInstalled.MonotonicMs); }
    TFixedClock(const TFixedClock&) = delete;
    TFixedClock& operator=(const TFixedClock&) = delete;

private:
    TClockSource FInstalled;
};

TFormatSettings MonthFirst()
{
    TFormatSettings settings;
    settings.ShortDateFormat = "m-d-yyyy";
    settings.DateSeparator = '-';
    settings.TimeSeparator = '.';
    settings.DecimalSeparator = ',';
    return settings;
}

}  // namespace

TEST(StrToDateTime, ReadsDatesAndTimesInTheOrderAndWithTheSeparatorsOfTheSettings)
{
    EXPECT_DOUBLE_EQ(StrToDateTime("31/12/1899 12:00:00"), 1.5);
    EXPECT_DOUBLE_EQ(StrToDateTime("  30/12/1899  "), 0.0);
    EXPECT_DOUBLE_EQ(StrToDateTime("5/3/2024"), EncodeDate(2024, 3, 5));
    EXPECT_DOUBLE_EQ(StrToDateTime("18:30"), EncodeTime(18, 30, 0, 0));
    EXPECT_DOUBLE_EQ(StrToDateTime("5/3/2024 7:05:09.25"), EncodeDateTime(2024, 3, 5, 7, 5, 9, 250));
    EXPECT_DOUBLE_EQ(StrToDateTime("12:00 AM"), 0.0);
    EXPECT_DOUBLE_EQ(StrToDateTime("12:15 pm"), EncodeTime(12, 15, 0, 0));
    EXPECT_DOUBLE_EQ(StrToDateTime("5/3/2024 1:30PM"), EncodeDateTime(2024, 3, 5, 13, 30, 0, 0));
    // Before day 0 the time of day counts away from it.
    EXPECT_DOUBLE_EQ(StrToDateTime("29/12/1899 06:00"), -1.25);

    const TFormatSettings settings = MonthFirst();
    EXPECT_DOUBLE_EQ(StrToDateTime("3-5-2024 7.05.09,5", settings), EncodeDateTime(2024, 3, 5, 7, 5, 9, 500));
    EXPECT_THROW(StrToDateTime("5/3/2024", settings), EConvertError);
    {
        TFormatSettingsScope global(settings);
        EXPECT_DOUBLE_EQ(StrToDateTime("12-31-1999"), EncodeDate(1999, 12, 31));
    }
    // A format without a year still reads a year given after the others.
    TFormatSettings noYear;
    noYear.ShortDateFormat = "mm/dd";
    EXPECT_DOUBLE_EQ(StrToDateTime("12/31/1999", noYear), EncodeDate(1999, 12, 31));
}

TEST(StrToDateTime, WhatDateTimeToStrWritesReadsBackToTheSecond)
{
    const TDateTime values[] = {0.0, 1.5, -1.25, 45000.75, EncodeDateTime(1, 1, 1, 0, 0, 1, 0),
                                EncodeDateTime(9999, 12, 31, 23, 59, 59, 0)};
    for (const TFormatSettings& settings : {TFormatSettings{}, MonthFirst()})
        for (const TDateTime value : values) {
            const String text = DateTimeToStr(value, settings);
            SCOPED_TRACE(text);
            EXPECT_NEAR(StrToDateTime(text, settings), value, 0.5 / SecsPerDay);
        }
}

TEST(StrToDateTime, ShortYearsFallWithinFiftyYearsOfNowAndAMissingYearIsThisOne)
{
    TFixedClock clock;
    EXPECT_DOUBLE_EQ(StrToDateTime("1/2/30"), EncodeDate(2030, 2, 1));
    EXPECT_DOUBLE_EQ(StrToDateTime("1/2/80"), EncodeDate(1980, 2, 1));
    EXPECT_DOUBLE_EQ(StrToDateTime("1/2/0076"), EncodeDate(76, 2, 1));
    EXPECT_DOUBLE_EQ(StrToDateTime("1/2 10:00"), EncodeDateTime(2026, 2, 1, 10, 0, 0, 0));
}

TEST(StrToDateTime, AnythingElseIsRefusedWithTheTextInTheMessage)
{
    for (const char* text : {"", "   ", "abc", "12abc", "1.5", "nan", "-1/2/2020", "31/02/2020", "29/02/2023",
                             "1/13/2020", "0/1/2020", "1/1/00000", "1/2/2020/4", "12345/1/2020", "1/1/10000", "25:00",
                             "12:60", "12:00:60", "1:2:3:4", "12:", "12:00:00.", "12:00:00.1234", "13:00 PM",
                             "0:30 AM", "1/2/2020 x", "1/2/2020 10:00 y", "10:00 1/2/2020", "1/2/2020T10:00"}) {
        SCOPED_TRACE(text);
        TDateTime value = 42;
        EXPECT_FALSE(TryStrToDateTime(text, value));
        EXPECT_EQ(MessageOf<EConvertError>([&] { StrToDateTime(text); }), Format(SInvalidDateTimeText, text));
    }
}
