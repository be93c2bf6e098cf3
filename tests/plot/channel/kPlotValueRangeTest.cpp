// The extremes of a stretch found in vector lanes must be those a plain
// loop finds, and the stretch must count as inside its bounds exactly when
// every value is: whatever the length (lanes, pairs of lanes and the tail
// after them) and wherever a value outside, an infinity or a NaN sits.

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

#include "components/plot/channel/kPlotValueRange.h"

namespace {

TkPlotValueRange PlainRange(const std::vector<Double>& Values, Double Low, Double High)
{
    TkPlotValueRange range{Values[0], Values[0], true};
    for (const Double v : Values) {
        range.Min = v < range.Min ? v : range.Min;
        range.Max = v > range.Max ? v : range.Max;
        range.Inside = range.Inside && Low <= v && v <= High;
    }
    return range;
}

TEST(ValueRangeTest, SameAsAPlainLoopWhateverTheLengthAndTheOddValue)
{
    constexpr Double kInf = std::numeric_limits<Double>::infinity();
    const Double odd[] = {-2.0, 2.0, std::numeric_limits<Double>::quiet_NaN(), kInf, -kInf, -1.0, 1.0};
    std::mt19937 random{3};
    std::uniform_real_distribution<Double> inside{-1.0, 1.0};
    for (const Double low : {-1.0, -kInf})
        for (Integer count = 1; count <= 21; ++count)
            for (Integer at = -1; at < count; ++at)
                for (const Double value : odd) {
                    std::vector<Double> values(static_cast<std::size_t>(count));
                    for (Double& v : values) v = inside(random);
                    if (at >= 0) values[static_cast<std::size_t>(at)] = value;
                    const TkPlotValueRange expected = PlainRange(values, low, 1.0);
                    const TkPlotValueRange found = ValueRangeOf(values.data(), count, low, 1.0);
                    SCOPED_TRACE(testing::Message() << "count " << count << " at " << at << " value " << value);
                    EXPECT_EQ(found.Inside, expected.Inside);
                    // The extremes count only where the stretch is inside.
                    if (!expected.Inside) continue;
                    EXPECT_EQ(found.Min, expected.Min);
                    EXPECT_EQ(found.Max, expected.Max);
                }
}

}  // namespace
