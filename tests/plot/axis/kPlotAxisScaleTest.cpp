// The scale as an object of its own: whatever reads or changes it sees the
// points that wait for it tracked first, and a waiting channel hears when
// its scale goes or another channel's points come to wait.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "components/plot/axis/kPlotAxisScale.h"

namespace {

// A channel whose points wait: settled, it hands them to the scale that
// holds them, as a channel does.
class TWaitingSource : public TkPlotWaitingPoints {
public:
    void Wait(TkPlotAxisScale& Scale, std::vector<Double> Values)
    {
        FHeld = Scale.HoldWaiting(*this);
        FValues = std::move(Values);
    }
    bool Waiting() const { return FHeld != nullptr; }
    void SettleWaitingPoints() override
    {
        TkPlotWaitingScale* scale = std::exchange(FHeld, nullptr);
        if (!scale) return;
        ++Settles;
        scale->ReleaseWaiting(*this);
        scale->TakeWaitingValues(FValues, nullptr);
    }
    void DropWaitingScale(const TkPlotWaitingScale& Scale) override
    {
        if (FHeld == &Scale) FHeld = nullptr;
        ++Drops;
    }

    Integer Settles = 0;
    Integer Drops = 0;

private:
    TkPlotWaitingScale* FHeld = nullptr;
    std::vector<Double> FValues;
};

class TWatcher : public TkPlotScaleWatcher {
public:
    void ScaleMovedUnreported() override { ++Moves; }
    Integer Moves = 0;
};

struct TScaleAccess {
    const char* Name;
    std::function<void(TkPlotAxisScale&)> Use;
};

const TScaleAccess ScaleAccesses[] = {
    {"Min", [](TkPlotAxisScale& S) { S.Min(); }},
    {"Span", [](TkPlotAxisScale& S) { S.Span(); }},
    {"Max", [](TkPlotAxisScale& S) { S.Max(); }},
    {"Center", [](TkPlotAxisScale& S) { S.Center(); }},
    {"Map", [](TkPlotAxisScale& S) { S.Map(); }},
    {"Pixel", [](TkPlotAxisScale& S) { S.Pixel(50); }},
    {"Position", [](TkPlotAxisScale& S) { S.Position(5); }},
    {"OnScale", [](TkPlotAxisScale& S) { S.OnScale(50); }},
    {"WidthToPixels", [](TkPlotAxisScale& S) { S.WidthToPixels(10); }},
    {"ResumeDiffers", [](TkPlotAxisScale& S) { S.ResumeDiffers(); }},
    {"LeavesScaleFor value", [](TkPlotAxisScale& S) { S.LeavesScaleFor(50); }},
    {"LeavesScaleFor range", [](TkPlotAxisScale& S) { S.LeavesScaleFor(10, 20); }},
    {"ScrolledBy", [](TkPlotAxisScale& S) { S.ScrolledBy(0.5); }},
    {"ZoomedBy", [](TkPlotAxisScale& S) { S.ZoomedBy(1); }},
    {"Zoomed", [](TkPlotAxisScale& S) { S.Zoomed(2); }},
    {"SetMin", [](TkPlotAxisScale& S) { S.SetMin(3); }},
    {"SetSpan", [](TkPlotAxisScale& S) { S.SetSpan(3); }},
    {"SetMinSpan", [](TkPlotAxisScale& S) { S.SetMinSpan(3, 4); }},
    {"SetType", [](TkPlotAxisScale& S) { S.SetType(kpstLog10); }},
    {"SetTrackingEnabled", [](TkPlotAxisScale& S) { S.SetTrackingEnabled(false); }},
    {"SetTrackingStyle", [](TkPlotAxisScale& S) { S.SetTrackingStyle(kptsScrollPage); }},
    {"SetTrackingSpanMinimum", [](TkPlotAxisScale& S) { S.SetTrackingSpanMinimum(5); }},
    {"ClampToCalendar", [](TkPlotAxisScale& S) {
         Double increment = 1;
         S.ClampToCalendar(TkPlotIncrementUnit::Months, increment);
     }},
    {"UpdateResumeValues", [](TkPlotAxisScale& S) { S.UpdateResumeValues(); }},
    {"ResetFirstAlign", [](TkPlotAxisScale& S) { S.ResetFirstAlign(); }},
    {"KeepTrackedMove", [](TkPlotAxisScale& S) { S.KeepTrackedMove(50); }},
    {"ForEachMovingValue", [](TkPlotAxisScale& S) {
         S.ForEachMovingValue(0, [](Integer, Double&) { return false; }, [](Double) {});
     }},
};

// A scale of 0 .. 100 that tracks outliers alone, lined up by a first value.
struct TLinedUpScale {
    TWatcher Watcher;
    TkPlotAxisScale Scale{Watcher};
    TLinedUpScale()
    {
        Scale.LayOut(Rect(0, 0, 100, 10), true);
        Scale.TakeFirstAlign();
    }
};

}  // namespace

TEST(AxisScaleTest, EveryReadAndChangeTracksTheWaitingPointsFirst)
{
    for (const TScaleAccess& access : ScaleAccesses) {
        SCOPED_TRACE(access.Name);
        TLinedUpScale lined;
        TWaitingSource source;
        source.Wait(lined.Scale, {40, 1000, 60});
        ASSERT_TRUE(source.Waiting());
        access.Use(lined.Scale);
        // The point past the top widened the scale, unreported but counted
        // as a change of look; nothing waits any more.
        EXPECT_EQ(source.Settles, 1);
        EXPECT_EQ(lined.Watcher.Moves, 1);
        EXPECT_FALSE(source.Waiting());
    }
}

TEST(AxisScaleTest, WaitingSourcesHearOfAnotherSourceAndOfTheScaleGoing)
{
    TWaitingSource first;
    TWaitingSource second;
    {
        TLinedUpScale lined;
        first.Wait(lined.Scale, {1000});
        // The scale takes one channel's points at a time, in order.
        second.Wait(lined.Scale, {2000});
        EXPECT_EQ(first.Settles, 1);
        EXPECT_EQ(lined.Scale.Max(), 2000);
        second.Wait(lined.Scale, {3000});
    }
    EXPECT_EQ(second.Drops, 1);
    EXPECT_EQ(first.Drops, 0);
    EXPECT_FALSE(second.Waiting());
}

TEST(AxisScaleTest, PointsWaitOnlyWhereEachWouldMoveTheScaleAloneByItsValue)
{
    TWatcher watcher;
    TkPlotAxisScale scale(watcher);
    TWaitingSource source;
    // Before the first value lines the scale up, no point may wait.
    source.Wait(scale, {});
    EXPECT_FALSE(source.Waiting());
    scale.TakeFirstAlign();
    // A span minimum moves the scale for values inside it too.
    scale.SetTrackingSpanMinimum(5);
    source.Wait(scale, {});
    EXPECT_FALSE(source.Waiting());
    // With tracking off every value leaves the scale alone.
    scale.SetTrackingEnabled(false);
    source.Wait(scale, {1000});
    EXPECT_TRUE(source.Waiting());
    EXPECT_EQ(scale.Max(), 100);
}

// Values that waited, taken a block at a time, move the scale as each value
// tracked on its own does: in every style that waits, for every length up
// to past two blocks of the spread scan, with values inside and beyond the
// scale, rising runs, NaN and infinities.
TEST(AxisScaleTest, WaitingValuesMoveTheScaleAsEachValueOnItsOwn)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<Double> anywhere(-60, 260);
    const Double inf = std::numeric_limits<Double>::infinity();
    const Double odd[] = {std::nan(""), inf, -inf};
    for (const TkPlotTrackingStyle style :
         {kptsScaleMinMax, kptsScaleMax, kptsScaleMin, kptsScrollSmooth, kptsScrollPage, kptsExpandMinMax}) {
        for (std::size_t length = 1; length <= 140; ++length) {
            SCOPED_TRACE(testing::Message() << "style " << style << ", length " << length);
            std::vector<Double> values(length);
            const bool rising = length % 2 == 0;
            for (std::size_t i = 0; i < length; ++i)
                values[i] = random() % 10 == 0 ? odd[random() % 3] : rising ? 90 + 3.0 * i + anywhere(random) / 20
                                                                            : anywhere(random);
            TLinedUpScale waiting;
            TLinedUpScale oneByOne;
            waiting.Scale.SetTrackingStyle(style);
            oneByOne.Scale.SetTrackingStyle(style);
            TWaitingSource source;
            source.Wait(waiting.Scale, values);
            ASSERT_TRUE(source.Waiting());
            for (const Double value : values)
                if (std::isfinite(value)) oneByOne.Scale.KeepTrackedMove(value);
            EXPECT_EQ(waiting.Scale.Min(), oneByOne.Scale.Min());
            EXPECT_EQ(waiting.Scale.Span(), oneByOne.Scale.Span());
        }
    }
}
