#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "components/plot/axis/kPlotAxisTicks.h"
#include "platform/SysUtils.h"

namespace {

constexpr Double kNaN = std::numeric_limits<Double>::quiet_NaN();
constexpr Double kInf = std::numeric_limits<Double>::infinity();

void ExpectIncrement(const TkPlotIncrement& Actual, Double Value, Integer Count,
                     TkPlotIncrementUnit Unit = TkPlotIncrementUnit::Scale)
{
    EXPECT_DOUBLE_EQ(Actual.Value, Value);
    EXPECT_EQ(Actual.Count, Count);
    EXPECT_EQ(Actual.Unit, Unit);
}

TkPlotOnScale Between(Double Low, Double High)
{
    return [=](Double V) { return Low <= V && V <= High; };
}

std::vector<Double> PositionsOf(const TkPlotTickPositions& Ticks, TkPlotTickType Type)
{
    std::vector<Double> result;
    for (const TkPlotTickPosition& t : Ticks)
        if (t.Type == Type) result.push_back(t.Position);
    return result;
}

String Text(Double Value, TkPlotTextFormat Style, Double Span = 100, Integer Precision = 3,
            TkPrecisionStyle PrecisionStyle = kpsSignificantDigits, const String& DateTimeFormat = "hh:nn:ss",
            TkPlotScaleType ScaleType = kpstLinear)
{
    const auto text = FormatValueText(Value, {Style, DateTimeFormat, Precision, PrecisionStyle}, ScaleType, Span);
    return text ? *text : String("<none>");
}

}  // namespace

TEST(PlotAxisScaleMath, LogarithmsAreWholeAtPowersOfTen)
{
    EXPECT_EQ(ScaleLog10(1e6), 6);
    EXPECT_EQ(ScaleLog10(0.001), -3);
    EXPECT_EQ(ScaleLog10(1e-300), -300);
    EXPECT_NEAR(ScaleLog10(2), 0.30103, 1e-5);
    for (const Double v : {0.0, -1.0, kNaN}) EXPECT_EQ(ScaleLog10(v), 0) << v;
    EXPECT_EQ(ScalePower10(6), 1e6);
    EXPECT_EQ(Double(ScalePower10(1e9)), kInf);  // held in range, no overflow raised
    EXPECT_EQ(ScalePower10(kNaN), 1);
    EXPECT_EQ(LogScaleBottom(-5), 1);
    EXPECT_EQ(LogScaleBottom(0.5), 0.5);
}

TEST(PlotAxisIncrement, DecimalSearchTakesTheFirstOneTwoFiveStepThatFits)
{
    ExpectIncrement(DecimalIncrement(1080, 10), 200, 5);  // rejects 10, 20, 50, 100
    ExpectIncrement(DecimalIncrement(1, 10), 0.1, 10);
    ExpectIncrement(DecimalIncrement(0.6, 10), 0.1, 6);
    ExpectIncrement(DecimalIncrement(1000, 3), 500, 2);
    // Huge spans end the search at once (the double 1e300 lies a hair above
    // 10^300, so the step after it is taken).
    ExpectIncrement(DecimalIncrement(1e300, 1), 2e300, 1);
    // Spans too small to divide are one step.
    ExpectIncrement(DecimalIncrement(1e-300, 5), 1e-300, 1);
}

TEST(PlotAxisIncrement, BinaryFractionSearchCountsEighthsThenWholeSteps)
{
    ExpectIncrement(BinaryFractionIncrement(0.01, 10), 1.0 / 256, 2);
    ExpectIncrement(BinaryFractionIncrement(1, 10), 0.125, 8);
    ExpectIncrement(BinaryFractionIncrement(3, 10), 0.5, 6);
    ExpectIncrement(BinaryFractionIncrement(100, 10), 10, 10);
    ExpectIncrement(BinaryFractionIncrement(250, 10), 50, 5);
    // A fraction that fits with no whole step moves on to the whole steps.
    ExpectIncrement(BinaryFractionIncrement(0.004, 1), 1, 0);
}

TEST(PlotAxisIncrement, DateTimeSearchWalksClockAndCalendarUnits)
{
    ExpectIncrement(DateTimeIncrement(1.0 / 24, 10), 10.0 / 1440, 6);       // ten minutes
    ExpectIncrement(DateTimeIncrement(2.0 / 86400, 10), 0.5 / 86400, 4);     // 500 ms
    ExpectIncrement(DateTimeIncrement(3, 10), 0.5, 6);                       // 12 hours
    ExpectIncrement(DateTimeIncrement(90, 5), 1, 2, TkPlotIncrementUnit::Months);
    ExpectIncrement(DateTimeIncrement(400, 3), 6, 2, TkPlotIncrementUnit::Months);
    ExpectIncrement(DateTimeIncrement(3650, 5), 5, 2, TkPlotIncrementUnit::Years);
    // 50 days hold more milliseconds than 32 bits count: never a ms step.
    ExpectIncrement(DateTimeIncrement(50, 10), 7, 7);
    // Any span ends the year search, however large.
    ExpectIncrement(DateTimeIncrement(1e300, 10), 5e296, 5, TkPlotIncrementUnit::Years);
}

TEST(PlotAxisIncrement, ChoiceHonoursTheDesiredIncrementAndTheLabelBudget)
{
    TkPlotIncrementRequest r;
    r.Span = 1000;
    r.DesiredIncrement = 250;
    r.ScaleLength = 400;
    r.MinorCount = 1;
    r.MaxCount = 10;
    ExpectIncrement(ChooseMajorIncrement(r), 250, 4);
    // A desired step that fits once becomes the whole budget: not halved.
    r.Span = 300;
    ExpectIncrement(ChooseMajorIncrement(r), 250, 1);
    // Too many desired steps: the search decides.
    r.Span = 1000;
    r.DesiredIncrement = 1;
    ExpectIncrement(ChooseMajorIncrement(r), 100, 10);
    // With hidden labels the desired step only needs room for its minors.
    r.LabelsVisible = false;
    r.ScaleLength = 2001;
    ExpectIncrement(ChooseMajorIncrement(r), 1, 1000);
    r.MinorCount = -1;  // counts as none
    r.ScaleLength = 1001;
    ExpectIncrement(ChooseMajorIncrement(r), 1, 1000);
    // Spans too small to divide take one step, halved.
    r = {};
    r.Span = 1e-300;
    r.MaxCount = 10;
    ExpectIncrement(ChooseMajorIncrement(r), 5e-301, 2);
    r.Span = 1080;
    r.Format = kptfPrice32nds;
    ExpectIncrement(ChooseMajorIncrement(r), 200, 5);
}

TEST(PlotAxisIncrement, MinorIncrementSplitsTheMajorStep)
{
    EXPECT_DOUBLE_EQ(MinorIncrementOf(200, 1), 100);
    EXPECT_DOUBLE_EQ(MinorIncrementOf(200, 0), 200);
    EXPECT_DOUBLE_EQ(MinorIncrementOf(200, -1), 200);
    EXPECT_GT(MinorIncrementOf(200, INT_MAX), 0);
}

TEST(PlotAxisTickRun, LinearMajorsAndMinorsOnTheScale)
{
    TkPlotTickRun run;
    run.Span = 1080;
    run.Major = {200, 5};
    run.MinorCount = 1;
    run.MinorIncrement = 100;
    const TkPlotTickPositions ticks = GenerateTicks(run, Between(0, 1080));
    EXPECT_EQ(PositionsOf(ticks, kpttMajor), (std::vector<Double>{0, 200, 400, 600, 800, 1000}));
    EXPECT_EQ(PositionsOf(ticks, kpttMinor), (std::vector<Double>{100, 300, 500, 700, 900}));
    ASSERT_EQ(ticks.size(), 11u);
    EXPECT_EQ(ticks[1].Type, kpttMinor);  // in ascending order
    EXPECT_EQ(ticks[1].Position, 100);
}

TEST(PlotAxisTickRun, DesiredStartAnchorsTheMajors)
{
    TkPlotTickRun run;
    run.Span = 100;
    run.Major = {30, 3};
    run.DesiredStart = 75;
    EXPECT_EQ(PositionsOf(GenerateTicks(run, Between(0, 100)), kpttMajor), (std::vector<Double>{15, 45, 75}));
    // Far from zero the start is still found at once.
    run.Min = 1e20;
    run.Span = 1e6;
    run.Major = {1000, 10};
    run.DesiredStart = 1e20 + 5e5;
    // Steps below the value's resolution stop the walk.
    EXPECT_LE(GenerateTicks(run, Between(run.Min, run.Min + run.Span)).size(), 1u);
}

TEST(PlotAxisTickRun, AScaleWithRoomForOneLabelGetsOneBetweenTheStepsOfItsIncrement)
{
    // A short zoomed axis: one label fits, and 0.12 .. 0.82 holds no
    // multiple of the step 1 the search gives.
    TkPlotTickRun run{0.12, 0.7, DecimalIncrement(0.7, 1), 1, 0.5};
    ASSERT_EQ(run.Major.Value, 1);
    EXPECT_TRUE(PositionsOf(GenerateTicks(run, Between(0.12, 0.82)), kpttMajor).empty());
    const TkPlotTickPositions ticks = GenerateLabelledTicks(run, Between(0.12, 0.82));
    EXPECT_EQ(PositionsOf(ticks, kpttMajor), std::vector<Double>{0.5});
    EXPECT_EQ(PositionsOf(ticks, kpttMinor), (std::vector<Double>{0.25, 0.75}));
    EXPECT_EQ(run.Major.Value, 0.5);
    EXPECT_EQ(run.MinorIncrement, 0.25);
    // A step that misses by more: the second halving reaches the scale.
    run = {0.3, 0.15, {0.5, 1}};
    EXPECT_EQ(PositionsOf(GenerateLabelledTicks(run, Between(0.3, 0.45)), kpttMajor), std::vector<Double>{0.375});
}

TEST(PlotAxisTickRun, RunawayGenerationsCollapseToOneMidScaleTick)
{
    TkPlotTickRun run;
    run.Span = 1e9;
    run.Major = {1, 2};  // far too many on-scale majors
    TkPlotTickPositions ticks = GenerateTicks(run, Between(0, 1e9));
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].Position, 5e8);
    // A huge minor count off the scale stops at the work bound.
    run.Span = 10;
    run.Major = {5, 2};
    run.MinorCount = INT_MAX;
    run.MinorIncrement = MinorIncrementOf(5, INT_MAX);
    ticks = GenerateTicks(run, [](Double) { return false; });
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].Position, 5);
    // A minor step below the resolution of the position.
    run.Min = 1e20;
    run.MinorCount = 4;
    run.MinorIncrement = 1;
    ticks = GenerateTicks(run, Between(1e20, 1e20 + 10));
    ASSERT_EQ(ticks.size(), 1u);
    // Nothing finite to walk.
    run.Major = {kInf, 2};
    EXPECT_EQ(GenerateTicks(run, Between(0, 1)).size(), 1u);
}

TEST(PlotAxisTickRun, LogScalesSkipPositionsAtOrBelowZero)
{
    TkPlotTickRun run;
    run.Min = 0.5;
    run.Span = 4;
    run.Major = {1, 4};
    run.ScaleType = kpstLog10;
    EXPECT_EQ(PositionsOf(GenerateTicks(run, [](Double) { return true; }), kpttMajor),
              (std::vector<Double>{1, 2, 3, 4, 5}));
}

TEST(PlotAxisTickRun, MonthStepsFallOnTheFirstOfAMonth)
{
    TkPlotTickRun run;
    run.Min = EncodeDate(2024, 1, 15);
    run.Span = 90;
    run.Major = {1, 2, TkPlotIncrementUnit::Months};
    run.MinorCount = 1;  // calendar walks have no minors
    run.MinorIncrement = 0.5;
    const TkPlotTickPositions ticks = GenerateTicks(run, Between(run.Min, run.Min + run.Span));
    EXPECT_EQ(PositionsOf(ticks, kpttMajor),
              (std::vector<Double>{EncodeDate(2024, 2, 1), EncodeDate(2024, 3, 1), EncodeDate(2024, 4, 1)}));
    EXPECT_TRUE(PositionsOf(ticks, kpttMinor).empty());
    // Quarter steps cut the month down to a multiple of three.
    run.Major = {3, 2, TkPlotIncrementUnit::Months};
    run.Min = EncodeDate(2024, 5, 20);
    run.Span = 200;
    EXPECT_EQ(PositionsOf(GenerateTicks(run, Between(run.Min, run.Min + run.Span)), kpttMajor),
              (std::vector<Double>{EncodeDate(2024, 6, 1), EncodeDate(2024, 9, 1), EncodeDate(2024, 12, 1)}));
}

TEST(PlotAxisTickRun, YearStepsStayInsideTheCalendar)
{
    TkPlotTickRun run;
    run.Min = EncodeDate(1990, 6, 1);
    run.Span = 3650;
    run.Major = {5, 2, TkPlotIncrementUnit::Years};
    EXPECT_EQ(PositionsOf(GenerateTicks(run, Between(run.Min, run.Min + run.Span)), kpttMajor),
              (std::vector<Double>{EncodeDate(1995, 1, 1), EncodeDate(2000, 1, 1)}));
    // Steps of thousands of years, or absurd counts, neither raise nor hang.
    for (const Double step : {2000.0, 5000.0, 5e296}) {
        run.Min = EncodeDate(1450, 6, 1);
        run.Major = {step, 2, TkPlotIncrementUnit::Years};
        EXPECT_NO_THROW(GenerateTicks(run, [](Double) { return true; })) << step;
    }
    run.Min = 2593224;  // year 8999
    run.Span = 36525;
    run.Major = {5000, 2, TkPlotIncrementUnit::Years};
    EXPECT_EQ(PositionsOf(GenerateTicks(run, [](Double) { return true; }), kpttMajor),
              (std::vector<Double>{EncodeDate(5000, 1, 1)}));
}

TEST(PlotAxisTickRun, CalendarClampBringsTheScaleIntoTheCalendar)
{
    Double min = -1e300, span = 1e300, increment = 0.5;
    ClampCalendarScale(TkPlotIncrementUnit::Months, min, span, increment);
    EXPECT_EQ(min, 0);
    EXPECT_EQ(span, 36525);
    EXPECT_EQ(increment, 1);
    min = -1e300;
    ClampCalendarScale(TkPlotIncrementUnit::Years, min, span, increment);
    EXPECT_EQ(min, -182625);
    min = 1e300;
    ClampCalendarScale(TkPlotIncrementUnit::Years, min, span, increment);
    EXPECT_EQ(min, 2593224);
    min = 1e300;
    ClampCalendarScale(TkPlotIncrementUnit::Scale, min, span, increment);
    EXPECT_EQ(min, 1e300);
}

TEST(PlotAxisDecades, PowersOfTenWithEightMinorsPerDecade)
{
    const TkPlotTickPositions ticks = GenerateDecadeTicks(1, 1e7 - 1, 100, Between(1, 1e7));
    EXPECT_EQ(PositionsOf(ticks, kpttMajor), (std::vector<Double>{1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7}));
    const std::vector<Double> minors = PositionsOf(ticks, kpttMinor);
    ASSERT_EQ(minors.size(), 7u * 8);
    EXPECT_EQ(minors.front(), 2);
    EXPECT_EQ(minors[8], 20);
    EXPECT_EQ(minors.back(), 9e6);
    EXPECT_TRUE(SpansDecades(1, 1e7 - 1));
    EXPECT_FALSE(SpansDecades(1, 4));
}

TEST(PlotAxisDecades, FewLabelsSkipDecadesAndMinors)
{
    const TkPlotTickPositions ticks = GenerateDecadeTicks(1, 1e7 - 1, 3, Between(1, 1e7));
    EXPECT_EQ(PositionsOf(ticks, kpttMajor), (std::vector<Double>{1, 1e5}));
    EXPECT_TRUE(PositionsOf(ticks, kpttMinor).empty());
    // Six hundred decades on one label: every 200th.
    const std::vector<Double> wide =
        PositionsOf(GenerateDecadeTicks(1e-300, 1e299, 1, Between(1e-300, 1e299)), kpttMajor);
    ASSERT_EQ(wide.size(), 3u);
    EXPECT_DOUBLE_EQ(wide[0], 1e-300);
    EXPECT_DOUBLE_EQ(wide[1], 1e-100);
    EXPECT_DOUBLE_EQ(wide[2], 1e100);
}

TEST(PlotAxisDecades, MinAtOrBelowZeroCountsFromOne)
{
    const TkPlotTickPositions ticks = GenerateDecadeTicks(-5, 1000, 10, [](Double) { return true; });
    EXPECT_EQ(PositionsOf(ticks, kpttMajor), (std::vector<Double>{0.1, 1, 10, 100, 1000}));
    EXPECT_TRUE(SpansDecades(-5, 1000));
    EXPECT_TRUE(GenerateDecadeTicks(1, kInf, 10, [](Double) { return true; }).empty());
}

TEST(PlotAxisText, PlainValuesTakeTheirDecimalsFromTheSpan)
{
    EXPECT_EQ(Text(200, kptfValue, 1080), "200");
    EXPECT_EQ(Text(0.30000000000000004, kptfValue, 1), "0.30");
    EXPECT_EQ(Text(-400, kptfValue, 1080), "-400");
    EXPECT_EQ(Text(1.25, kptfValue, 1080, 2, kpsFixedDecimalPoints), "1.25");
    // Values that round to zero carry no sign.
    EXPECT_EQ(Text(-2.7755575615628914e-17, kptfValue, 0.6), "0.000");
    EXPECT_EQ(Text(-0.0001, kptfValue, 100), "0");
    // Precisions beyond reason are held to what the number text can show.
    EXPECT_EQ(Text(3.14159, kptfValue, 1, -5, kpsFixedDecimalPoints), "3");
    EXPECT_EQ(Text(0.5, kptfValue, 1, 1000, kpsFixedDecimalPoints), "0." + String("5") + String(17, '0'));
    EXPECT_EQ(Text(kInf, kptfValue), "INF");
}

TEST(PlotAxisText, LogValuesTakeTheirDecimalsFromTheValue)
{
    EXPECT_EQ(Text(0.05, kptfValue, 100, 3, kpsSignificantDigits, "", kpstLog10), "0.050");
    EXPECT_EQ(Text(0.001, kptfValue, 100, 3, kpsSignificantDigits, "", kpstLog10), "0.00100");
    EXPECT_EQ(Text(1e6, kptfValue, 100, 3, kpsSignificantDigits, "", kpstLog10), "1000000");
    EXPECT_EQ(Text(2.5, kptfValue, 100, 2, kpsFixedDecimalPoints, "", kpstLog10), "2.50");
    for (const Double v : {0.0, -3.0, kNaN})
        EXPECT_FALSE(FormatValueText(v, {}, kpstLog10, 100).has_value()) << v;
    // Other formats write such values on a log scale too.
    EXPECT_EQ(Text(0, kptfExponent, 100, 3, kpsSignificantDigits, "", kpstLog10), "0.00E+000");
}

TEST(PlotAxisText, ExponentAndPrefixFormats)
{
    EXPECT_EQ(Text(12345.678, kptfExponent), "1.23E+004");
    EXPECT_EQ(Text(12345.678, kptfExponent, 100, 3, kpsFixedDecimalPoints), "1.235E+004");
    EXPECT_EQ(Text(-0.00012345, kptfExponent), "-1.23E-004");
    EXPECT_EQ(Text(12500, kptfPrefix), "12.5K");
    EXPECT_EQ(Text(0.5, kptfPrefix), "0.500");
    EXPECT_EQ(Text(1000, kptfPrefix), "1.00K");  // 10^3 exactly, not 999.999...
    EXPECT_EQ(Text(0.001, kptfPrefix), "1.00m");
    EXPECT_EQ(Text(-2.5e-7, kptfPrefix), "-0.250µ");
    EXPECT_EQ(Text(-2.5e-6, kptfPrefix), "-0.00250m");  // thousands counted toward zero
    EXPECT_EQ(Text(4.2e24, kptfPrefix), "4.20Y");
    EXPECT_EQ(Text(0, kptfPrefix), "0.000");
    EXPECT_EQ(Text(3e-13, kptfPrefix), "0.000");  // near zero on a readable span
    EXPECT_EQ(Text(3e-13, kptfPrefix, 1e-11), "0.300p");
    EXPECT_EQ(Text(1e30, kptfPrefix), kUnknownValueText);
    EXPECT_EQ(Text(kNaN, kptfPrefix), kUnknownValueText);
    EXPECT_EQ(Text(kInf, kptfPrefix), kUnknownValueText);
}

TEST(PlotAxisText, DateTimeFormatsWithTheDayCountForm)
{
    TFormatSettingsScope settings;
    const Double value = EncodeDateTime(2024, 3, 1, 12, 30, 0, 0);
    EXPECT_EQ(Text(value, kptfDateTime, 1, 3, kpsSignificantDigits, "dd/mm/yyyy hh:nn"), "01/03/2024 12:30");
    EXPECT_EQ(Text(value, kptfDateTime, 1, 3, kpsSignificantDigits, "J hh:nn"), "45352  12:30");
    EXPECT_EQ(Text(value, kptfDateTime, 1, 3, kpsSignificantDigits, "jhh:nn"), "45352 12:30");
    EXPECT_EQ(Text(value, kptfDateTime, 1, 3, kpsSignificantDigits, "mmm yyyy"), "Mar 2024");
    // Unbalanced quotes and unknown letters pass through.
    EXPECT_EQ(Text(value, kptfDateTime, 1, 3, kpsSignificantDigits, "yyyy 'Q"), "2024 Q");
    for (const Double v : {1e7, -1e7, 1e300, kNaN, kInf})
        EXPECT_EQ(Text(v, kptfDateTime, 1, 3, kpsSignificantDigits, "J dd/mm/yyyy"), kUnknownValueText) << v;
}

TEST(PlotAxisText, PricesInThirtySecondsAndEighths)
{
    EXPECT_EQ(Text(101.5, kptfPrice32nds), "101.160");
    EXPECT_EQ(Text(0.03125, kptfPrice32nds), "0.010");
    EXPECT_EQ(Text(0.125, kptfPrice32nds), "0.040");
    EXPECT_EQ(Text(2.0 + 3.0 / 256, kptfPrice32nds), "2.003");
    EXPECT_EQ(Text(2.0 + 1.0 / 32 + 3.0 / 256, kptfPrice32nds), "2.013");
    // The fraction never rounds up into the next whole.
    EXPECT_EQ(Text(101.998, kptfPrice32nds), "101.317");
    // Negative prices: the sign before the text of the magnitude, none for zero.
    EXPECT_EQ(Text(-101.5, kptfPrice32nds), "-101.160");
    EXPECT_EQ(Text(-0.5, kptfPrice32nds), "-0.160");
    EXPECT_EQ(Text(-0.001, kptfPrice32nds), "0.000");
    EXPECT_EQ(Text(kNaN, kptfPrice32nds), kUnknownValueText);
}

TEST(PlotAxisText, ThousandsSeparatedValues)
{
    TFormatSettingsScope settings;
    EXPECT_EQ(Text(1234567.891, kptfThousands, 1e6), "1,234,568");
    EXPECT_EQ(Text(1234567.891, kptfThousands, 1), "1,234,567.89");
    EXPECT_EQ(Text(-1234.5, kptfThousands, 1e6), "-1,235");
    EXPECT_EQ(Text(-0.2, kptfThousands, 1e6), "0");
}
