// The scale map against the conversion written out plainly (long-double
// arithmetic, rint, the clamps), on random values over linear, logarithmic
// and reversed scales of both directions: every pixel and value must come
// out bit for bit the same.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "components/plot/axis/kPlotAxisTicks.h"
#include "components/plot/axis/kPlotScaleMap.h"
#include "platform/Math.h"

namespace {

struct TScale {
    Double Min;
    Double Span;
    bool Log;
    bool Reversed;
    bool Horizontal;
    TRect Rect;
};

Integer ReferencePixel(const TScale& S, Double Value)
{
    const Integer low = S.Horizontal ? S.Rect.Left : S.Rect.Bottom;
    const Integer high = S.Horizontal ? S.Rect.Right : S.Rect.Top;
    const Integer start = S.Reversed ? high : low;
    const Integer stop = S.Reversed ? low : high;
    if (start == stop || S.Span <= 1e-300) return Integer((Int64{start} + stop) / 2);
    if (std::isnan(Value)) return 32000;
    Extended offset;
    if (!S.Log) {
        const Extended perUnit = (Extended(start) - stop) / S.Span;
        const Double pixelsPerUnit = std::fabs(perUnit) > 1e300 ? 0 : Double(perUnit);
        offset = (Extended(Value) - S.Min) * pixelsPerUnit;
    } else {
        const Extended logLow = ScaleLog10(LogScaleBottom(S.Min));
        const Extended decades = ScaleLog10(LogScaleBottom(S.Min) + S.Span) - logLow;
        if (decades == 0) return 0;
        offset = (ScaleLog10(Value) - logLow) * (Extended(start) - stop) / decades;
    }
    if (std::isnan(offset)) return 32000;
    const Int64 pixel = start - Int64(std::rint(std::clamp<Extended>(offset, -1e9L, 1e9L)));
    return Integer(std::clamp<Int64>(pixel, -32000, 32000));
}

TkPlotScaleMap MapOf(const TScale& S)
{
    return TkPlotScaleMap::Make(S.Min, S.Span, S.Log, S.Reversed, S.Horizontal, S.Rect);
}

class ScaleMapTest : public ::testing::Test {
protected:
    std::mt19937_64 Random{20261207};

    Double Uniform(Double Low, Double High) { return std::uniform_real_distribution<Double>(Low, High)(Random); }
    bool Coin() { return Random() & 1; }

    TScale RandomScale(bool Log)
    {
        const Integer a = Integer(Random() % 2000) - 200;
        const Integer b = a + Integer(Random() % 1500);
        const TRect rect = Rect(a, a / 2, b, b / 2 + Integer(Random() % 50));
        const Double min = Log ? std::pow(10.0, Uniform(-12, 12)) : Uniform(-1e6, 1e6) * std::pow(10.0, Uniform(-8, 8));
        const Double span = std::pow(10.0, Uniform(-6, 9));
        return {min, span, Log, Coin(), Coin(), rect};
    }
    // Values on, near and far off the scale, exact ends and halves of
    // pixels among them.
    Double RandomValue(const TScale& S)
    {
        switch (Random() % 6) {
            case 0: return S.Min;
            case 1: return S.Min + S.Span;
            case 2: return S.Min + S.Span * Uniform(-10, 10);
            case 3: return Uniform(-1e300, 1e300);
            default: return S.Min + S.Span * Uniform(0, 1);
        }
    }
    void ExpectSamePixels(const TScale& S)
    {
        const TkPlotScaleMap map = MapOf(S);
        for (int i = 0; i < 200; ++i) {
            const Double value = RandomValue(S);
            ASSERT_EQ(map.Pixel(value), ReferencePixel(S, value))
                << "value " << value << " min " << S.Min << " span " << S.Span << " log " << S.Log;
        }
    }
};

TEST_F(ScaleMapTest, PixelsAreBitIdenticalOnLinearScales)
{
    for (int i = 0; i < 500; ++i) ExpectSamePixels(RandomScale(false));
}

TEST_F(ScaleMapTest, PixelsAreBitIdenticalOnLogScales)
{
    for (int i = 0; i < 300; ++i) ExpectSamePixels(RandomScale(true));
}

TEST_F(ScaleMapTest, BlocksConvertAsSingleValues)
{
    const Double nan = std::numeric_limits<Double>::quiet_NaN();
    const Double inf = std::numeric_limits<Double>::infinity();
    for (int i = 0; i < 200; ++i) {
        const TScale scale = RandomScale(i % 3 == 0);
        const TkPlotScaleMap map = MapOf(scale);
        std::vector<Double> values = {nan, inf, -inf, 1e308, -1e308, scale.Min, scale.Min + scale.Span / 2};
        for (int k = 0; k < 100; ++k) values.push_back(RandomValue(scale));
        std::vector<Integer> pixels(values.size());
        map.Pixels(values.data(), Integer(values.size()), pixels.data());
        for (std::size_t k = 0; k < values.size(); ++k) ASSERT_EQ(pixels[k], map.Pixel(values[k])) << values[k];
    }
}

TEST_F(ScaleMapTest, HalfPixelOffsetsRoundToEven)
{
    // A scale of 0 .. 10 over 20 pixels: every half unit is a whole pixel,
    // every quarter a half pixel.
    const TScale scale{0, 10, false, false, true, Rect(0, 0, 20, 10)};
    const TkPlotScaleMap map = MapOf(scale);
    for (Double v = -5; v <= 15; v += 0.25) EXPECT_EQ(map.Pixel(v), ReferencePixel(scale, v)) << v;
    EXPECT_EQ(map.Pixel(0.25), 0);   // 0.5 pixel: to the even 0
    EXPECT_EQ(map.Pixel(0.75), 2);   // 1.5 pixels: to the even 2
    EXPECT_EQ(map.Pixel(-0.25), 0);  // -0.5 pixel: to the even -0
}

TEST_F(ScaleMapTest, ValuesThatAreNoNumbersOrHugeStayInsideThePixelRange)
{
    for (const bool log : {false, true}) {
        const TScale scale{log ? 1.0 : -5.0, 10, log, false, false, Rect(0, 0, 100, 400)};
        const TkPlotScaleMap map = MapOf(scale);
        const Double inf = std::numeric_limits<Double>::infinity();
        for (const Double v : {std::numeric_limits<Double>::quiet_NaN(), inf, -inf, 1e308, -1e308,
                               std::numeric_limits<Double>::denorm_min(), 0.0}) {
            const Integer pixel = map.Pixel(v);
            EXPECT_GE(pixel, -32000);
            EXPECT_LE(pixel, 32000);
            EXPECT_EQ(pixel, ReferencePixel(scale, v)) << v;
        }
        EXPECT_EQ(map.Pixel(std::numeric_limits<Double>::quiet_NaN()), 32000);
    }
}

TEST_F(ScaleMapTest, DegenerateScalesMapEveryValueToTheMiddle)
{
    const TkPlotScaleMap empty = MapOf({0, 10, false, false, true, Rect(7, 0, 7, 10)});
    EXPECT_EQ(empty.Pixel(3), 7);
    const TkPlotScaleMap tiny = MapOf({0, 1e-300, false, false, true, Rect(0, 0, 11, 10)});
    EXPECT_EQ(tiny.Pixel(std::numeric_limits<Double>::quiet_NaN()), 5);
}

TEST_F(ScaleMapTest, PositionsInvertPixelsOnEveryScale)
{
    for (int i = 0; i < 200; ++i) {
        const TScale scale = RandomScale(Coin());
        const TkPlotScaleMap map = MapOf(scale);
        const Integer length = std::abs(map.Stop - map.Start);
        // Spans below the resolution of doubles at Min have no values
        // between their ends to give back.
        const bool resolved = scale.Span > std::fabs(scale.Min) * 1e-9;
        if (length < 2 || map.PixelsPerSpanUnit == 0 || !resolved) continue;
        for (const Integer pixel : {map.Start, map.Stop, (map.Start + map.Stop) / 2}) {
            const Double value = map.Position(pixel);
            ASSERT_TRUE(std::isfinite(value));
            EXPECT_NEAR(map.Pixel(value), pixel, 1) << "pixel " << pixel;
        }
        EXPECT_TRUE(std::isfinite(map.Position(-2'000'000'000)));
        EXPECT_TRUE(std::isfinite(map.Position(2'000'000'000)));
    }
}

}  // namespace
