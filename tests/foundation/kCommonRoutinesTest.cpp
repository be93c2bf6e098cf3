#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "components/foundation/kCommonRoutines.h"

namespace {

std::vector<String> Lines(std::string_view text)
{
    std::vector<String> lines;
    String line;
    while (NextTextLine(text, line)) lines.push_back(line);
    return lines;
}

}  // namespace

TEST(kCommonText, NextTextLineSplitsAtEveryLineEnd)
{
    EXPECT_TRUE(Lines("").empty());
    EXPECT_EQ(Lines("abc"), (std::vector<String>{"abc"}));
    EXPECT_EQ(Lines("a\r\nb\rc\nd"), (std::vector<String>{"a", "b", "c", "d"}));
    EXPECT_EQ(Lines("a\r\n"), (std::vector<String>{"a"}));
    EXPECT_EQ(Lines("a\r\n\r\nb"), (std::vector<String>{"a", "", "b"}));
    EXPECT_EQ(Lines("a\n\rb"), (std::vector<String>{"a", "", "b"}));
    EXPECT_EQ(Lines("\n"), (std::vector<String>{""}));
}

TEST(kCommonText, DigitsForSpan)
{
    EXPECT_EQ(DigitsForSpan(3, kpsFixedDecimalPoints, 0, 1e9), 3);
    EXPECT_EQ(DigitsForSpan(4, kpsSignificantDigits, 0, 1234), 0);
    EXPECT_EQ(DigitsForSpan(6, kpsSignificantDigits, 0, 1234), 2);
    EXPECT_EQ(DigitsForSpan(3, kpsSignificantDigits, 10, 0), 1);  // |Max - Min|
    // log10 truncates toward zero: 0.5 keeps P, 0.05 adds one.
    EXPECT_EQ(DigitsForSpan(3, kpsSignificantDigits, 0, 0.5), 3);
    EXPECT_EQ(DigitsForSpan(3, kpsSignificantDigits, 0, 0.05), 4);
    EXPECT_EQ(DigitsForSpan(3, kpsSignificantDigits, 5, 5), 3);
    EXPECT_EQ(DigitsForSpan(3, kpsSignificantDigits, 0, 1e300), 0);
    EXPECT_EQ(DigitsForSpan(0, kpsSignificantDigits, 0, 0.001), 0);
    EXPECT_EQ(DigitsForSpan(3, kpsSignificantDigits, 0, std::numeric_limits<double>::infinity()), 3);
    EXPECT_EQ(DigitsForSpan(3, kpsSignificantDigits, 0, std::numeric_limits<double>::quiet_NaN()), 3);
    EXPECT_EQ(DigitsForSpan(3, TkPrecisionStyle(7), 0, 1), 0);
}

TEST(kCommonGeometry, RectanglesAndPoints)
{
    EXPECT_EQ(NormalizedRect(5, 8, 1, 2), Rect(1, 2, 5, 8));
    EXPECT_EQ(OrientedRect(false, 5, 8, 1, 2), Rect(1, 2, 5, 8));
    EXPECT_EQ(OrientedRect(true, 5, 8, 1, 2), Rect(2, 1, 8, 5));
    EXPECT_EQ(OrientedPoint(true, 3, 4), Point(4, 3));
    Integer x = 0, y = 0;
    OrientedPointXY(false, 3, 4, x, y);
    EXPECT_EQ(Point(x, y), Point(3, 4));
    SwapIntegers(x, y);
    EXPECT_EQ(Point(x, y), Point(4, 3));
}

TEST(kCommonGeometry, LinesAndSegments)
{
    Double slope = 0, intercept = 0;
    LineFromPoints(Point(2, 1), Point(4, 5), slope, intercept);
    EXPECT_EQ(slope, 2);
    EXPECT_EQ(intercept, -3);
    LineFromPoints(Point(3, 1), Point(3, 9), slope, intercept);
    EXPECT_EQ(slope, 1e30);

    // Two verticals have equal slopes.
    EXPECT_FALSE(SegmentsIntersect(Point(1, 0), Point(1, 10), Point(1, 5), Point(1, 20)));
    EXPECT_TRUE(SegmentsIntersect(Point(5, 0), Point(5, 10), Point(0, 3), Point(10, 3)));
    EXPECT_TRUE(SegmentsIntersect(Point(0, 0), Point(10, 10), Point(0, 10), Point(10, 0)));
    EXPECT_FALSE(SegmentsIntersect(Point(0, 0), Point(4, 4), Point(6, 10), Point(10, 6)));
    // The crossing X rounds half to even: 2.5 to 2, 1.5 to 2.
    EXPECT_TRUE(SegmentsIntersect(Point(0, 0), Point(2, 2), Point(0, 5), Point(5, 0)));
    EXPECT_FALSE(SegmentsIntersect(Point(0, 0), Point(1, 1), Point(0, 3), Point(3, 0)));
    // Nearly parallel lines cross far away: no intersection, no overflow.
    EXPECT_FALSE(SegmentsIntersect(Point(0, 0), Point(2000000000, 1), Point(0, 1), Point(1999999999, 2)));

    const TRect r = Rect(10, 10, 20, 20);
    EXPECT_TRUE(SegmentIntersectsRect(Point(12, 12), Point(14, 14), r));
    EXPECT_TRUE(SegmentIntersectsRect(Point(20, 20), Point(30, 40), r));
    EXPECT_TRUE(SegmentIntersectsRect(Point(0, 15), Point(30, 15), r));
    EXPECT_FALSE(SegmentIntersectsRect(Point(0, 0), Point(5, 30), r));
}

TEST(kCommonDateTime, CountsOfAValue)
{
    EXPECT_EQ(DateTimeToMilliseconds(1.5), 129600000);
    EXPECT_EQ(DateTimeToSeconds(1.5), 129600);
    EXPECT_EQ(DateTimeToMinutes(2 + 1.0 / 24 + 1.0 / 1440), 2941);
    EXPECT_EQ(DateTimeToHours(3.25), 78);
    EXPECT_EQ(DateTimeToMilliseconds(7.0 / 86400000), 7);
    EXPECT_EQ(DateTimeToSeconds(59.999 / 86400), 59);
    // A hair below a whole day counts the day once.
    EXPECT_EQ(DateTimeToHours(0.99999999999999989), 24);
    EXPECT_EQ(DateTimeToMilliseconds(0.9999999999), 86400000);
    EXPECT_EQ(DateTimeToMilliseconds(2.9999999999999996), 3 * 86400000);
}

TEST(kCommonDateTime, OverflowNeverWrapsToASmallCount)
{
    // 49.7103 days of milliseconds wrap to 2,624 in 32 bits.
    EXPECT_EQ(DateTimeToMilliseconds(49.7103), 2147483647);
    EXPECT_EQ(DateTimeToMilliseconds(24.85), 2147040000);
    EXPECT_EQ(DateTimeToSeconds(30000), 2147483647);
    EXPECT_EQ(DateTimeToMinutes(1e7), 10000);
    EXPECT_EQ(DateTimeToMinutes(2982617), 10000);  // wraps to a positive count
    EXPECT_EQ(DateTimeToHours(1e8), 2147483647);
    EXPECT_EQ(DateTimeToHours(1e300), 2147483647);
    EXPECT_EQ(DateTimeToSeconds(-1.25), 2147483647);
    EXPECT_EQ(DateTimeToMinutes(-3), 10000);
    EXPECT_EQ(DateTimeToHours(std::numeric_limits<double>::quiet_NaN()), 2147483647);
    EXPECT_EQ(DateTimeToMinutes(std::numeric_limits<double>::infinity()), 10000);
}

TEST(kCommonPaper, SizesOfPaperCodes)
{
    Double w = 0, h = 0;
    PaperSizeInches(9, w, h);
    EXPECT_NEAR(w, 8.27, 0.005);
    EXPECT_NEAR(h, 11.69, 0.005);
    PaperSizeInches(5, w, h);
    EXPECT_EQ(w, 8.5);
    EXPECT_EQ(h, 14);
    PaperSizeInches(12, w, h);
    EXPECT_DOUBLE_EQ(w, 250 / 25.4);
    EXPECT_DOUBLE_EQ(h, 354 / 25.4);
    PaperSizeInches(68, w, h);
    EXPECT_DOUBLE_EQ(w, 322 / 25.4);
    for (Integer code : {0, -1, 48, 49, 69, 200}) {
        PaperSizeInches(code, w, h);
        EXPECT_EQ(w, 8.5) << code;
        EXPECT_EQ(h, 11) << code;
    }
}
