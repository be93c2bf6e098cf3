// The data side of a time channel: the X order it holds new points to, the
// adders, the searches over X, interpolation and the cursor's readout, and
// the settings it writes to a form.

#include <cmath>

#include "components/plot/channel/time/kPlotChannel.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"
#include "platform/Variants.h"
#include "tests/plot/kPlotTraceTestDoubles.h"
#include "tests/support/MessageOf.h"

using namespace TraceTest;

namespace {

class TimeChannel : public ChannelPaintFixture<TkPlotChannel> {
protected:
    void AddAll(std::initializer_list<Double> Xs)
    {
        for (const Double x : Xs) Ch->AddXY(x, 10 * x);
    }
};

TEST_F(TimeChannel, OutOfOrderPointsAreRefusedWhenTheChannelHoldsToItsOrder)
{
    Ch->SetAllowOutOfOrderXValues(false);
    AddAll({1, 2, 2});  // an X equal to the last is in order
    EXPECT_EQ(MessageOf([&] { Ch->AddXY(1.5, 0); }), "New Data-Point X-Value is out of order");
    EXPECT_EQ(MessageOf([&] { Ch->AddXNull(1.5); }), "New Data-Point X-Value is out of order");
    EXPECT_EQ(MessageOf([&] { Ch->AddHighLow(0, 1, 1, 1, 1); }), "New Data-Point X-Value is out of order");
    EXPECT_EQ(Ch->Count(), 3);

    Ch->Clear();
    AddAll({5, 4, 4});
    EXPECT_EQ(MessageOf([&] { Ch->AddXEmpty(4.5); }), "New Data-Point X-Value is out of order.");
    EXPECT_EQ(Ch->Count(), 3);

    // The first two points only fix the direction; the second is never held
    // to the first.
    Ch->Clear();
    AddAll({5, 9, 10});
    EXPECT_EQ(Ch->Count(), 3);

    // Allowed again, anything goes.
    Ch->SetAllowOutOfOrderXValues(true);
    Ch->AddXY(-100, 0);
    EXPECT_EQ(Ch->Count(), 4);
}

TEST_F(TimeChannel, ArraysAndTimeStampedPoints)
{
    Ch->AddXY(3, 0);
    Variant data = VarArrayCreate({0, 2}, varDouble);
    for (Integer i = 0; i < 3; ++i) data.PutElement({i}, 7.0 + i);
    Ch->AddYArray(data, 0.5);
    ASSERT_EQ(Ch->Count(), 4);
    EXPECT_EQ(Ch->GetXValue(1), 3);
    EXPECT_EQ(Ch->GetXValue(3), 4);
    EXPECT_EQ(Ch->GetYValue(3), 9);
    EXPECT_EQ(MessageOf([&] { Ch->AddYArray(VarArrayCreate({0, 1, 0, 1}, varDouble), 1); }),
              "Y-Data array must be 1 dimensional");
    EXPECT_EQ(Ch->Count(), 4);

    Ch->Clear();
    Ch->ResetElapsedStartTime();
    Ch->AddYElapsedSeconds(1);
    Ch->AddYElapsedTime(2);
    const TDateTime before = Now();
    Ch->AddYNow(3);
    EXPECT_GE(Ch->GetXValue(0), 0);
    EXPECT_LT(Ch->GetXValue(0), 5);  // seconds
    EXPECT_LT(Ch->GetXValue(1), 5.0 / 86400);
    EXPECT_GE(Ch->GetXValue(2), before);

    // The start time follows the first point of an empty channel when asked.
    Ch->SetResetStartTimeOnFirstDataPoint(true);
    Ch->Clear();
    const TDateTime first = Now();
    Ch->AddXY(1, 1);
    EXPECT_GE(Ch->ElapsedStartTime(), first);
}

TEST_F(TimeChannel, HighLowValuesLandOnTheNewestPointEvenAfterTheRingWraps)
{
    Ch->AddHighLow(1, 4, 1, 2, 3);
    EXPECT_EQ(Ch->GetHigh(0), 0);  // the standard store keeps X and Y only
    EXPECT_EQ(Ch->GetYValue(0), 0);

    Ch->SetDataStyle(kpdsFullFeature);
    Ch->SetRingBufferSize(3);
    YAxis->SetTrackingEnabled(true);
    for (Integer i = 0; i < 5; ++i) Ch->AddHighLow(i, 100 + i, 50 + i, 60 + i, 70 + i);
    ASSERT_EQ(Ch->Count(), 3);
    for (Integer i = 0; i < 3; ++i) {
        EXPECT_EQ(Ch->GetXValue(i), i + 2);
        EXPECT_EQ(Ch->GetHigh(i), 102 + i);
        EXPECT_EQ(Ch->GetLow(i), 52 + i);
        EXPECT_EQ(Ch->GetOpen(i), 62 + i);
        EXPECT_EQ(Ch->GetClose(i), 72 + i);
    }
}

// Both directions: the searches, interpolation and the first segment of
// decreasing data.
class TimeChannelDirections : public TimeChannel, public ::testing::WithParamInterface<bool> {
protected:
    bool Increasing() const { return GetParam(); }
    // Points at X = 1, 2, 3 with Y = 10 X, added in X order or reversed,
    // 20 pixels apart.
    void SetUp() override
    {
        TimeChannel::SetUp();
        if (Increasing())
            AddAll({1, 2, 3});
        else
            AddAll({3, 2, 1});
        SetScales(0, 5, 0, 50);
    }
};

TEST_P(TimeChannelDirections, SearchesAndInterpolation)
{
    EXPECT_EQ(Ch->XIncreasing(), Increasing());
    EXPECT_EQ(Ch->CalcIndex(0.5), -1);
    EXPECT_EQ(Ch->CalcIndex(3.5), -1);
    EXPECT_EQ(Ch->GetXValue(Ch->CalcIndex(2)), 2);
    // The first point at or past X in the data's order.
    EXPECT_EQ(Ch->GetXValue(Ch->CalcIndex(1.5)), 2);

    Double y = -1;
    EXPECT_TRUE(Ch->GetYInterpolated(y, 1.5));
    EXPECT_DOUBLE_EQ(y, 15);
    EXPECT_TRUE(Ch->GetYInterpolated(y, 2.5));
    EXPECT_DOUBLE_EQ(y, 25);
    EXPECT_TRUE(Ch->GetYInterpolated(y, 3));
    EXPECT_EQ(y, 30);
    EXPECT_FALSE(Ch->GetYInterpolated(y, 4));

    // A digital channel holds the level of the point at the lower X.
    Ch->SetDigitalEnabled(true);
    EXPECT_TRUE(Ch->GetYInterpolated(y, 1.5));
    EXPECT_EQ(y, 10);
    EXPECT_TRUE(Ch->GetYInterpolated(y, 2.5));
    EXPECT_EQ(y, 20);
    EXPECT_EQ(Ch->GetCursorValue(2.5, y), kpdpsValid);
}

TEST_P(TimeChannelDirections, CursorReadoutsByStyle)
{
    Double y = -1;
    Ch->SetNull(1, true);  // the middle point, X = 2
    EXPECT_EQ(Ch->GetCursorValue(1.5, y), kpdpsEmpty);  // no line across a null

    Ch->SetNull(1, false);
    Ch->SetInterpolationStyle(kpistDifferential);
    EXPECT_EQ(Ch->GetCursorValue(Increasing() ? 1.5 : 2.5, y), kpdpsValid);
    EXPECT_EQ(y, Increasing() ? 10 : 30);
    // Past the last point the last value holds, unless the steps end there.
    const Double beyond = Increasing() ? 9 : 0;
    EXPECT_EQ(Ch->GetCursorValue(beyond, y), kpdpsValid);
    EXPECT_EQ(y, 30 - 20 * !Increasing());
    Ch->SetInterpolationStyle(kpistDifferentialTerminated);
    EXPECT_EQ(Ch->GetCursorValue(beyond, y), kpdpsEmpty);

    // An interpolated curve is read where the last paint sampled it, and
    // before any paint there is nothing to read.
    Ch->SetInterpolationStyle(kpistCubicSpline);
    EXPECT_EQ(Ch->GetCursorValue(1.5, y), kpdpsEmpty);
    Paint();
    EXPECT_EQ(Ch->GetCursorValue(1.5, y), kpdpsValid);
    EXPECT_NEAR(y, 15, 1);
    EXPECT_EQ(Ch->GetCursorValue(5, y), kpdpsEmpty);
    Ch->SetXAxisName("none");
    EXPECT_EQ(Ch->GetCursorValue(1.5, y), kpdpsEmpty);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, TimeChannelDirections, ::testing::Bool());

TEST_F(TimeChannel, SettingsAndWhatAFormKeeps)
{
    EXPECT_EQ(Ch->BarWidth(), 5.0);
    EXPECT_EQ(Ch->BarPenColor(), 255);
    EXPECT_EQ(Ch->GetBarWidth(0), 5.0);  // the store's default answers for every point
    EXPECT_EQ(Ch->HighLowBarColor(), 16776960);
    const Integer changes = Plot.Changes;
    Ch->SetBarWidth(5.0);  // bar settings report even an equal value
    Ch->SetFillEnabled(false);
    Ch->SetAllowOutOfOrderXValues(false);
    EXPECT_EQ(Plot.Changes, changes + 1);

    // Colours that start elsewhere than their declared defaults are written
    // even when set to those defaults, so that they load back as set.
    Ch->SetHighLowBarColor(16711680);
    Ch->SetHighLowOpenColor(32768);
    EXPECT_FALSE(IsDefaultPropValue(Ch, GetPropInfo(Ch, "HighLowBarColor")));
    EXPECT_FALSE(IsDefaultPropValue(Ch, GetPropInfo(Ch, "HighLowOpenColor")));
    EXPECT_TRUE(IsDefaultPropValue(Ch, GetPropInfo(Ch, "HighLowCloseColor")));
}

TEST_F(TimeChannel, DrawnRangeWhenPointsAreDrawnOutOfOrder)
{
    Ch->SetDrawOutOfOrderXValues(true);
    AddAll({50, -20, 70, 200, 30});
    SetScales(0, 100, 0, 100);
    Ch->CalcStartIndex(ScaleOf(Ch->XAxis()));
    Ch->CalcStopIndex(ScaleOf(Ch->XAxis()));
    // From the point before the first on the scale to the one after the last.
    EXPECT_EQ(Ch->DrawStartIndex(), 0);
    EXPECT_EQ(Ch->DrawStopIndex(), 4);
    Ch->Clear();
    AddAll({-5, -4});
    SetScales(0, 100, 0, 100);  // the X axis followed the new points
    Ch->CalcStartIndex(ScaleOf(Ch->XAxis()));
    Ch->CalcStopIndex(ScaleOf(Ch->XAxis()));
    EXPECT_EQ(Ch->DrawStartIndex(), 0);
    EXPECT_EQ(Ch->DrawStopIndex(), 0);
}

}  // namespace
