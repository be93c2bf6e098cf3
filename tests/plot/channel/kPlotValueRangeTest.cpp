// Scans in vector lanes must answer what a plain loop does, whatever the
// length (lanes, pairs of lanes and the tail after them) and wherever the
// odd value sits: the extremes of a stretch and whether it lies inside its
// bounds (a value outside, an infinity, a NaN); whether it runs forward (a
// step back, a repeat, a NaN); whether every status is valid.

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

TEST(ValueRangeTest, RunsForwardAndAllValidAsAPlainLoopTells)
{
    const Double odd[] = {-1.0, 0.0, std::numeric_limits<Double>::quiet_NaN(), 1e300};
    for (Integer count = 1; count <= 21; ++count)
        for (Integer at = -1; at < count; ++at) {
            SCOPED_TRACE(testing::Message() << "count " << count << " at " << at);
            for (const Double value : odd) {
                std::vector<Double> x(static_cast<std::size_t>(count));
                for (Integer i = 0; i < count; ++i) x[static_cast<std::size_t>(i)] = 10.0 + i;
                // A step back, a repeat of the value before, a NaN, a step
                // far forward.
                if (at >= 0) x[static_cast<std::size_t>(at)] = value == 0.0 && at > 0 ? x[at - 1] : value;
                bool forward = true;
                for (Integer i = 1; i < count; ++i) forward = forward && x[i] >= x[i - 1];
                EXPECT_EQ(RunsForward(x.data(), count), forward) << value;
            }
            std::vector<TkPlotDataPointStatus> statuses(static_cast<std::size_t>(count), kpdpsValid);
            EXPECT_TRUE(AllValid(statuses.data(), count));
            if (at < 0) continue;
            for (const TkPlotDataPointStatus status : {kpdpsNull, kpdpsEmpty}) {
                statuses[static_cast<std::size_t>(at)] = status;
                EXPECT_FALSE(AllValid(statuses.data(), count));
            }
        }
}

}  // namespace
