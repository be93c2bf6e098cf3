#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

#include "platform/SysUtils.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TFormatSettings CommaSettings()
{
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
    return fs;
}

}  // namespace

TEST(FloatToStr, GeneralFormatSwitchesAtTheClassLibraryLimits)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {0.0001, "0.0001"},
        {0.00009, "9E-5"},
        {0.000123, "0.000123"},
        {1e15, "1E15"},
        {1e15 - 1, "999999999999999"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456789012345678.0, "1.23456789012346E17"},
        {1e-300, "1E-300"},
        {1.7976931348623157e308, "1.79769313486232E308"},
        {4.9e-324, "4.94065645841247E-324"},
        {0.1 + 0.2, "0.3"},
        {999999999999999.5, "1E15"},
        {kNaN, "NAN"},
        {kInf, "INF"},
        {-kInf, "-INF"},
    };
    for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value), c.text) << c.text;
}

TEST(FloatToStr, FollowsTheDecimalSeparatorOfTheSettings)
{
    EXPECT_EQ(FloatToStr(1.5, CommaSettings()), "1,5");
    TFormatSettingsScope scope(CommaSettings());
    EXPECT_EQ(FloatToStr(1.1), "1,1");
    EXPECT_EQ(FloatToStr(2.5e-7), "2,5E-7");
}

TEST(FloatToStrF, PrecisionLimitsSignificantDigitsBeforeDecimals)
{
    const struct {
        double value;
        TFloatFormat format;
        int precision, digits;
        const char* text;
    } cases[] = {
        {123.456, ffFixed, 4, 2, "123.50"},
        {123.456, ffFixed, 15, 2, "123.46"},
        {-0.001, ffFixed, 15, 2, "0.00"},
        {0.125, ffFixed, 15, 2, "0.13"},
        {1e20, ffFixed, 15, 2, "1E20"},
        {1234567.891, ffNumber, 15, 2, "1,234,567.89"},
        {-999.999, ffNumber, 15, 2, "-1,000.00"},
        {12345.678, ffExponent, 3, 3, "1.23E+004"},
        {0.000123, ffExponent, 4, 2, "1.230E-04"},
        {0, ffExponent, 3, 1, "0.00E+0"},
        {1e20, ffGeneral, 15, 3, "1E020"},
        {123.456, ffGeneral, 4, 0, "123.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.text) << c.text;
}

TEST(Format, FloatConversionsRoundHalfAwayFromZeroOnDecimalDigits)
{
    EXPECT_EQ(Format("%.2f", 0.125), "0.13");
    EXPECT_EQ(Format("%.2f", 1.005), "1.00");  // 1.00499999999999989...
    EXPECT_EQ(Format("%.0f", 2.5), "3");
    EXPECT_EQ(Format("%.0f", -2.5), "-3");
    EXPECT_EQ(Format("%f", 3.14159), "3.14");
    EXPECT_EQ(Format("%.3e", 12345.678), "1.23E+004");
    EXPECT_EQ(Format("%e", -1.5), "-1.50000000000000E+000");
    EXPECT_EQ(Format("%g", 0.5), "0.5");
    EXPECT_EQ(Format("%.3g", 1234.5), "1.23E003");
    EXPECT_EQ(Format("%n", 1234567.891), "1,234,567.89");
    EXPECT_EQ(Format("%.1f", 7), "7.0");  // integers are accepted by float conversions
    EXPECT_EQ(Format(CommaSettings(), "%.1f", 2.25), "2,3");
}

TEST(Format, IntegersTextPointersIndexesAndWidths)
{
    const int* p = reinterpret_cast<const int*>(0x1234);
    const struct {
        String actual;
        const char* expected;
    } cases[] = {
        {Format("%d|%5d|%-5d|%.4d", 42, 42, 42, -42), "42|   42|42   |-0042"},
        {Format("%u %x %.4x", -1, 255, 10), "4294967295 FF 000A"},
        {Format("%x %u", Int64{-1}, UInt64{18446744073709551615ull}), "FFFFFFFFFFFFFFFF 18446744073709551615"},
        {Format("%s-%s", "a", String("bc")), "a-bc"},
        {Format("[%6s][%-4s][%.2s]", "abc", "é", "héllo"), "[   abc][é   ][hé]"},
        {Format("%1:s %0:s %s", "a", "b"), "b a b"},
        {Format("%*d|%-*.*f", 4, 7, 6, 1, 2.25), "   7|2.3   "},
        {Format("%p", p), "0000000000001234"},
        {Format("100%% %s", "sûr"), "100% sûr"},
        {Format("%s", 'x'), "x"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(Format, MissingOrMismatchedArgumentsRaise)
{
    EXPECT_THROW(Format("%d"), EConvertError);
    EXPECT_THROW(Format("%d", 1.5), EConvertError);
    EXPECT_THROW(Format("%s", 3), EConvertError);
    EXPECT_THROW(Format("%f", "x"), EConvertError);
    EXPECT_THROW(Format("%q", 1), EConvertError);
    EXPECT_THROW(Format("abc %", 1), EConvertError);
    EXPECT_THROW(Format("%2:d", 1), EConvertError);
}

TEST(FormatFloat, PicturesWithSectionsQuotesAndExponents)
{
    const struct {
        const char* format;
        double value;
        const char* text;
    } cases[] = {
        {"#,##0.00", 1234567.891, "1,234,567.89"},
        {"#,##0.00", -1234.5, "-1,234.50"},
        {"0.00", 0.125, "0.13"},
        {"0.00", 1.005, "1.00"},
        {"0", 2.5, "3"},
        {"#.##", 0.5, ".5"},
        {"0.##", 1, "1"},
        {"0.0#", 1.25, "1.25"},
        {"000", 7, "007"},
        {"#", 0, ""},
        {".00", 12.5, "12.50"},
        {"0.00E+00", 12345.678, "1.23E+04"},
        {"0.00E-00", 0.00012345, "1.23E-04"},
        {"0.00E-00", 12345.678, "1.23E04"},
        {"0.00E+00", 1e300, "1.00E+300"},
        {"#0.0e-0", -2.5e-300, "-25.0e-301"},
        {"##0.0 'kg'", 12.34, "12.3 kg"},
        {"\"<\"0\">\"", 5, "<5>"},
        {"0.00;(0.00)", -3.14159, "(3.14)"},
        {"0.00;(0.00);'nul'", 0, "nul"},
        {"0.00;(0.00);'nul'", -0.001, "nul"},
        {"0.00;;'nul'", -2, "-2.00"},
        {"0.0", -0.01, "0.0"},
        {"", 1.5, "1.5"},
        {"0.00", kNaN, "NAN"},
        {"0.00", 1e25, "1E25"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format << " " << c.value;
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, CommaSettings()), "1.234,50");
}

TEST(StrToFloat, AcceptsStrictNumbersOnly)
{
    const struct {
        const char* text;
        double value;
    } valid[] = {
        {"0", 0},          {"  1.5  ", 1.5}, {"-2", -2},       {"+3.25", 3.25}, {".5", 0.5},
        {"5.", 5},         {"1e3", 1000},    {"1.5E-3", 0.0015}, {"-1e+2", -100}, {"\t7\t", 7},
        {"1e-400", 0},     {"0.1", 0.1},     {"123456789012345678901234567890", 1.2345678901234568e29},
    };
    for (const auto& c : valid) {
        double d = -1;
        EXPECT_TRUE(TryStrToFloat(c.text, d)) << c.text;
        EXPECT_EQ(d, c.value) << c.text;
        EXPECT_EQ(static_cast<double>(StrToFloat(c.text)), c.value) << c.text;
    }
    for (const char* bad : {"", " ", "nan", "NAN", "inf", "-inf", "Infinity", "0x10", "1,5", "1.5.", "e5", "1e",
                            "1e+", "--1", "1 2", "12abc", "-1e5000", "."}) {
        double d = 0;
        EXPECT_FALSE(TryStrToFloat(bad, d)) << bad;
        EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
    }
    EXPECT_EQ(StrToFloatDef("x", 4.5), 4.5);
    // Beyond the Double range but within the Extended one.
    double d = 0;
    EXPECT_FALSE(TryStrToFloat("1e400", d));
    EXPECT_EQ(StrToFloat("1e400"), 1e400L);
}

// FloatToStr's fifteen digits round the largest Double (and the largest
// Single) up past it: that text, and any up to it, stands for the largest
// value; beyond it a value is out of range as before.
TEST(StrToFloat, TheTextOfATypesLargestValueReadsAsIt)
{
    const double largest = std::numeric_limits<double>::max();
    for (const double value : {largest, -largest}) {
        const String text = FloatToStr(value);
        EXPECT_EQ(text, value > 0 ? "1.79769313486232E308" : "-1.79769313486232E308");
        for (const TFormatSettings& settings : {TFormatSettings(), CommaSettings()}) {
            double read = 0;
            EXPECT_TRUE(TryStrToFloat(" " + FloatToStr(value, settings), read, settings, false)) << text;
            EXPECT_EQ(read, value) << text;
        }
        EXPECT_EQ(static_cast<double>(WithinFloatText(StrToFloat(text), largest)), value);
    }
    double read = 0;
    EXPECT_TRUE(TryStrToFloat("1.797693134862316e308", read));
    EXPECT_EQ(read, largest);
    for (const char* beyond : {"1.79769313486233E308", "1.8E308", "-1e309"}) {
        EXPECT_FALSE(TryStrToFloat(beyond, read)) << beyond;
        EXPECT_EQ(WithinFloatText(StrToFloat(beyond), largest), StrToFloat(beyond)) << beyond;
    }
    const float single = std::numeric_limits<float>::max();
    EXPECT_EQ(FloatToStr(single), "3.40282346638529E38");
    EXPECT_EQ(WithinFloatText(StrToFloat(FloatToStr(-single)), single), -single);
    EXPECT_EQ(WithinFloatText(1.5L, single), 1.5L);
}

TEST(StrToFloat, SpecialTextsOnlyWhenAllowedAndTheSettingsSeparator)
{
    double d = 0;
    EXPECT_TRUE(TryStrToFloat("NAN", d, true));
    EXPECT_TRUE(std::isnan(d));
    EXPECT_TRUE(TryStrToFloat(" -INF", d, true));
    EXPECT_EQ(d, -kInf);
    Extended e = 0;
    EXPECT_TRUE(TryStrToFloat("inf", e, true));
    EXPECT_EQ(e, std::numeric_limits<Extended>::infinity());
    EXPECT_FALSE(TryStrToFloat("NANA", d, true));

    EXPECT_EQ(StrToFloat("1,25", CommaSettings()), 1.25L);
    EXPECT_THROW(StrToFloat("1.25", CommaSettings()), EConvertError);
}

TEST(StrToFloat, ExtendedReadsAreCorrectlyRounded)
{
    EXPECT_EQ(StrToFloat("0.1"), 0.1L);
    EXPECT_EQ(StrToFloat("1.2345678901234567890123"), 1.2345678901234567890123L);
    EXPECT_EQ(StrToFloat("-3.5e-10"), -3.5e-10L);
}

TEST(StrToFloat, RoundTripsFloatToStrToFifteenDigits)
{
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    std::uniform_int_distribution<int> sign(0, 1);
    for (int i = 0; i < 10000; ++i) {
        const double x = (sign(rng) ? -1 : 1) * mantissa(rng) * std::pow(10.0, exponent(rng));
        const String text = FloatToStr(x);
        double back = 0;
        ASSERT_TRUE(TryStrToFloat(text, back)) << text;
        EXPECT_NEAR(back, x, std::fabs(x) * 5.01e-15) << text;
        EXPECT_EQ(FloatToStr(back), text);
    }
}

// Plain number text takes a shorter road than text with blanks around it;
// both must give the same bits, and refuse the same texts.
TEST(StrToFloat, PlainTextReadsAsWithBlanksAround)
{
    const char* texts[] = {
        "0", "-0", "-0.0e5", "0e999999999", "1.", ".5", "-.5", "1.e5", "1e+5", "1E-5", "1e", "+1", "1-2", "1e5e5",
        "0.1", "9007199254740993", "123456789012345678901234567890", "1.7976931348623157e308",
        "1.7976931348623159e308", "1e400", "2.2250738585072011e-308", "4.9406564584124654e-324",
        "2.4703282292062327e-324", "2.4703282292062328e-324", "1e-400", "1,5", "-,5", ",5", "1,5,5", "1.5.5", "-", "-inf", "nan", "infinity",
        "00000000000000000000000000000000000001.5",
    };
    const auto bits = [](double Value) { return std::bit_cast<UInt64>(Value); };
    for (const TFormatSettings& settings : {TFormatSettings(), CommaSettings()})
        for (const char* text : texts) {
            // A refused text leaves the value as it was.
            double plain = -7.25, blanked = -7.25;
            EXPECT_EQ(TryStrToFloat(text, plain, settings, false),
                      TryStrToFloat(" " + String(text) + " ", blanked, settings, false))
                << text;
            EXPECT_EQ(bits(plain), bits(blanked)) << text;
        }
}
