// The channel base: running statistics over valid, null and empty points,
// axis binding and tracking of new points, the data style switch, the log
// counter, the array adders and the point accessors.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "platform/Variants.h"
#include "tests/plot/kPlotChannelTestDoubles.h"
#include "support/MessageOf.h"

using namespace ChannelTest;

namespace {

std::vector<Double> Range(Double First, Double Last)
{
    std::vector<Double> values;
    for (Double v = First; v <= Last; ++v) values.push_back(v);
    return values;
}

class Channel : public ::testing::Test {
protected:
    TTestPlot Plot;
    TkPlotXAxis* XAxis = Plot.Add<TkPlotXAxis>("X-Axis 1");
    TkPlotYAxis* YAxis = Plot.Add<TkPlotYAxis>("Y-Axis 1");
    TTestChannel* Ch = Bound(Plot.Add<TTestChannel>("Channel 1"));

    static TTestChannel* Bound(TTestChannel* Channel)
    {
        Channel->SetXAxisName("x-axis 1");
        Channel->SetYAxisName("Y-AXIS 1");
        return Channel;
    }
    void AddXs(Double First, Double Last)
    {
        for (Double x = First; x <= Last; ++x) Ch->AddXY(x, 10 * x);
    }
};

// --- statistics ------------------------------------------------------------------

TEST_F(Channel, StartsWithEmptyStatistics)
{
    EXPECT_EQ(Ch->RunningXMin(), 1e300);
    EXPECT_EQ(Ch->RunningYMin(), 1e300);
    EXPECT_EQ(Ch->RunningXMax(), -1e300);
    EXPECT_EQ(Ch->RunningYMax(), -1e300);
    EXPECT_EQ(Ch->RunningXMean(), 0);
    EXPECT_EQ(Ch->RunningYMean(), 0);
    EXPECT_EQ(Ch->XFirst(), -1.0);
    EXPECT_EQ(Ch->IndexLast(), -1);
    EXPECT_EQ(Ch->MarkersSize(), 3);
    EXPECT_EQ(Ch->MarkersFont()->Color(), 16777215);

    Ch->AddXY(2, 5);
    EXPECT_EQ(Ch->RunningXMin(), 2);
    EXPECT_EQ(Ch->RunningXMax(), 2);
    EXPECT_EQ(Ch->RunningYMean(), 5);
}

TEST_F(Channel, RunningStatisticsTakeEveryPointAndTheScansTheValidOnes)
{
    Ch->AddXY(1, 10);
    Ch->AddPoint(true, false, 3, 100);   // null
    Ch->AddPoint(false, true, 11, -60);  // empty
    Ch->AddXY(7, 40);
    EXPECT_EQ(Ch->RunningXMin(), 1);
    EXPECT_EQ(Ch->RunningXMax(), 11);
    EXPECT_EQ(Ch->RunningYMin(), -60);
    EXPECT_EQ(Ch->RunningYMax(), 100);
    EXPECT_DOUBLE_EQ(Ch->RunningXMean(), 5.5);
    EXPECT_DOUBLE_EQ(Ch->RunningYMean(), 22.5);

    // The scans store their answers as the running values.
    EXPECT_EQ(Ch->GetXMax(), 7);
    EXPECT_EQ(Ch->GetYMin(), 10);
    EXPECT_EQ(Ch->RunningXMax(), 7);
    EXPECT_EQ(Ch->RunningYMin(), 10);

    Ch->ReCalcRunningMinMaxMean();
    EXPECT_EQ(Ch->RunningXMin(), 1);
    EXPECT_EQ(Ch->RunningXMax(), 7);
    EXPECT_EQ(Ch->RunningYMax(), 40);
    EXPECT_DOUBLE_EQ(Ch->RunningXMean(), 4);
    EXPECT_DOUBLE_EQ(Ch->RunningYMean(), 25);
}

// A mean scan over the valid points must not disturb the running count and
// totals that later points are added to.
TEST_F(Channel, MeanScansLeaveTheRunningMeansRight)
{
    Ch->AddXY(1, 10);
    Ch->AddPoint(true, false, 3, 100);
    Ch->AddPoint(false, true, 11, -60);
    Ch->AddXY(7, 40);
    EXPECT_DOUBLE_EQ(Ch->GetXMean(), 4);
    EXPECT_DOUBLE_EQ(Ch->GetYMean(), 25);
    EXPECT_DOUBLE_EQ(Ch->RunningXMean(), 4);

    Ch->AddXY(9, 60);
    EXPECT_DOUBLE_EQ(Ch->RunningXMean(), 31.0 / 5);
    EXPECT_DOUBLE_EQ(Ch->RunningYMean(), 150.0 / 5);
}

TEST_F(Channel, MeansAreSummedInExtendedPrecision)
{
    // 1e17 + 1 + 1 - 1e17 is lost in doubles, kept in 80-bit sums.
    for (Double y : {1e17, 1.0, 1.0, -1e17}) Ch->AddXY(0, y);
    EXPECT_EQ(Ch->RunningYMean(), 0.5);
}

// However long the totals wait for the store to sum them, a read gives the
// totals of every value in the order given, bit for bit: read now and then
// or only at the end, from a growing store or a ring that wraps many times.
TEST_F(Channel, RunningMeansAreTheOrderedExtendedSumsOfEveryValue)
{
    const auto sameBits = [](Double A, Double B) {
        return std::memcmp(&A, &B, sizeof A) == 0 || (std::isnan(A) && std::isnan(B));
    };
    for (const Integer ring : {0, 700, 1500}) {
        for (const Integer readEvery : {0, 3001}) {
            SCOPED_TRACE(testing::Message() << "ring " << ring << ", read every " << readEvery);
            Ch->Clear();
            Ch->SetRingBufferSize(ring);
            std::mt19937 random(ring + readEvery);
            std::normal_distribution<Double> normal(0, 1e6);
            Extended xTotal = 0;
            Extended yTotal = 0;
            constexpr Integer kPoints = 9000;
            for (Integer i = 1; i <= kPoints; ++i) {
                const Integer pick = Integer(random() % 1000);
                // Huge values, whose sum needs the extended range, and at
                // last infinities and NaN.
                const Double x = pick == 0 ? 1e300 : pick == 1 ? -1e308 : normal(random);
                const Double last = pick == 2 ? std::nan("") : -std::numeric_limits<Double>::infinity();
                const Double y = i > 8000 && pick < 3 ? last : normal(random) * 1e-300;
                Ch->AddPoint(pick == 5, pick == 6, x, y);
                xTotal += x;
                yTotal += y;
                if (i == kPoints || (readEvery != 0 && i % readEvery == 0)) {
                    EXPECT_PRED2(sameBits, Ch->RunningXMean(), Double(xTotal / i)) << i;
                    EXPECT_PRED2(sameBits, Ch->RunningYMean(), Double(yTotal / i)) << i;
                }
            }
        }
    }
}

TEST_F(Channel, ClearStartsTheStatisticsAfresh)
{
    AddXs(1, 5);
    Ch->Clear();
    EXPECT_EQ(Ch->Count(), 0);
    EXPECT_EQ(Ch->DrawStartIndex(), -1);
    EXPECT_EQ(Ch->DrawStopIndex(), -1);
    EXPECT_EQ(Ch->RunningXMax(), -1e300);
    Ch->AddXY(3, 8);
    EXPECT_EQ(Ch->RunningYMean(), 8);
    EXPECT_EQ(Ch->RunningXMin(), 3);
}

TEST_F(Channel, NonFiniteValuesAreStoredButNeverMoveTheAxes)
{
    Ch->AddXY(50, 50);
    const Double nan = std::nan("");
    const Double inf = std::numeric_limits<Double>::infinity();
    Ch->AddXY(nan, nan);
    Ch->AddXY(inf, -inf);
    EXPECT_EQ(Ch->Count(), 3);
    EXPECT_TRUE(std::isnan(Ch->GetXValue(1)));
    EXPECT_EQ(XAxis->Min(), 0);
    EXPECT_EQ(XAxis->Span(), 100);
    EXPECT_EQ(YAxis->Span(), 100);
    // The extremes ignore NaN and take infinities as given.
    EXPECT_EQ(Ch->RunningXMax(), inf);
    EXPECT_EQ(Ch->RunningYMin(), -inf);
}

// --- tracking --------------------------------------------------------------------------

TEST_F(Channel, NewPointsMoveBothAxesWhileTheyTrack)
{
    Ch->AddXY(150, 5);  // X aligns (auto): 150 .. 250; Y aligns nothing
    Ch->AddXY(300, 120);
    EXPECT_EQ(XAxis->Min(), 150);
    EXPECT_EQ(XAxis->Max(), 300);
    EXPECT_EQ(YAxis->Min(), 0);
    EXPECT_EQ(YAxis->Max(), 120);

    Ch->SetXAxisTrackingEnabled(false);
    Ch->AddXY(500, 500);
    EXPECT_EQ(XAxis->Max(), 300);
    EXPECT_EQ(YAxis->Max(), 500);
}

TEST_F(Channel, ClearDoesNotAlignTheAxesAgain)
{
    Ch->AddXY(500, 1);  // X aligns (auto): 500 .. 600
    Ch->Clear();
    Ch->AddXY(2000, 1);
    EXPECT_EQ(XAxis->Min(), 500);
    EXPECT_EQ(XAxis->Max(), 2000);
}

TEST_F(Channel, AnAxisAlignsOnceForAllItsChannelsUntilReset)
{
    Ch->AddXY(500, 1);  // X aligns (auto): 500 .. 600
    TTestChannel* second = Bound(Plot.Add<TTestChannel>("Channel 2"));
    second->AddXY(-50, 1);  // tracked by the style: the scale widens down
    EXPECT_EQ(XAxis->Min(), -50);
    EXPECT_EQ(XAxis->Max(), 50);

    XAxis->ResetFirstAlign();
    second->AddXY(1000, 1);
    EXPECT_EQ(XAxis->Min(), 1000);
}

TEST_F(Channel, NullAndEmptyPointsMoveOnlyTheXAxis)
{
    Ch->AddXY(0, 0);
    Ch->AddPoint(true, false, 400, 900);
    Ch->AddPoint(false, true, 500, 950);
    EXPECT_EQ(XAxis->Max(), 500);
    EXPECT_EQ(YAxis->Max(), 100);
}

TEST_F(Channel, WithMarkersTheAxesTrackTheMarkerExtents)
{
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(400, 400);
    YAxis->SetLayoutRect(Rect(0, 0, 60, 400));
    YAxis->CalcTicks(bitmap->Canvas());
    const Double min = YAxis->Min();
    const Double width = std::fabs(YAxis->PixelsToPosition(YAxis->PositionToPixels(min) + 3) - min);
    ASSERT_GT(width, 0);

    Ch->SetMarkersVisible(true);
    Ch->AddXY(0, 50);
    EXPECT_DOUBLE_EQ(Ch->GetPointYMax(0), 50 + width);
    EXPECT_DOUBLE_EQ(Ch->GetPointYMin(0), 50 - width);
    // No X layout yet: a marker has no width along X.
    EXPECT_EQ(Ch->GetPointXMax(0), 0);

    // An empty point is tracked in this mode; a null one is not.
    Ch->AddPoint(false, true, 1, 200);
    EXPECT_DOUBLE_EQ(YAxis->Max(), 200 + width);
    Ch->AddPoint(true, false, 2, 900);
    EXPECT_DOUBLE_EQ(YAxis->Max(), 200 + width);
}

TEST_F(Channel, MarkerExtentsNeedAPointAndAnAxis)
{
    Ch->AddPoint(true, false, 1, 2);
    Ch->AddXY(3, 4);
    EXPECT_EQ(MessageOf([&] { Ch->GetPointXMax(0); }), "Data Point Null");
    Ch->SetXAxisName("none");
    EXPECT_EQ(Ch->GetPointXMax(1), 3);
    Ch->SetMarkersVisible(true);
    EXPECT_EQ(MessageOf([&] { Ch->GetPointXMin(1); }), "X-Axis not assigned");
    EXPECT_EQ(Ch->GetPointYMin(1), 4);
    EXPECT_EQ(MessageOf([&] { Ch->GetPointXMin(0); }), "Data Point Null");
}

// A plot whose repaint is pending shows every point that came meanwhile:
// new points are reported only while none is pending. Other changes are
// always reported.
TEST_F(Channel, NewPointsAreReportedOnlyWhileNoRepaintIsPending)
{
    XAxis->SetMinSpan(0, 100);
    YAxis->SetMinSpan(0, 100);
    Ch->AddXY(1, 1);
    Plot.Changes = 0;
    Plot.PendingRepaint = true;
    Ch->AddXY(2, 2);
    Ch->AddXY(3, 3);
    EXPECT_EQ(Plot.Changes, 0);
    Ch->SetTitleText("Shown");
    EXPECT_EQ(Plot.Changes, 1);
    Plot.PendingRepaint = false;
    Ch->AddXY(4, 4);
    EXPECT_EQ(Plot.Changes, 2);
    EXPECT_EQ(Ch->Count(), 4);
}

// --- axis binding ------------------------------------------------------------------------

TEST_F(Channel, AxesAreFoundByNameOnceAndKeptUntilTheyGo)
{
    Ch->AddXY(1, 1);
    const Integer lookups = Plot.Lookups;
    AddXs(2, 100);
    EXPECT_EQ(Plot.Lookups, lookups);
    EXPECT_EQ(Ch->XAxis(), XAxis);

    XAxis->SetName("Time");
    EXPECT_EQ(Ch->XAxisName(), "Time");
    Free(XAxis);
    EXPECT_EQ(Ch->XAxis(), nullptr);
    Ch->AddXY(500, 1);  // no axis to move
    EXPECT_EQ(Ch->Count(), 101);
}

TEST_F(Channel, AMissingAxisIsSoughtAgainOnlyWhenTheAxesChange)
{
    Ch->SetYAxisName("Pressure");
    const Integer lookups = Plot.Lookups;
    AddXs(1, 50);
    EXPECT_EQ(Plot.Lookups, lookups);
    auto* pressure = Plot.Add<TkPlotYAxis>("pressure");
    Ch->AddXY(51, 1);  // aligns the new axis (nothing moves)
    Ch->AddXY(52, 700);
    EXPECT_EQ(Ch->YAxis(), pressure);
    EXPECT_EQ(pressure->Max(), 700);
    Ch->SetYAxisName("Y-Axis 1");
    EXPECT_EQ(Ch->YAxis(), YAxis);
}

// --- data style -----------------------------------------------------------------------------

TEST_F(Channel, DataStyleSwitchKeepsTheSettingsAndDropsThePoints)
{
    Ch->SetColor(0x00FF00);
    Ch->SetMarkersSize(7);
    Ch->SetMarkersVisible(true);
    Ch->SetRingBufferSize(50);
    AddXs(1, 10);
    Ch->SelectPoint(4);

    Ch->SetDataStyle(kpdsCompact);
    EXPECT_EQ(Ch->DataStyle(), kpdsCompact);
    EXPECT_EQ(Ch->Count(), 0);
    EXPECT_EQ(Ch->DataPointSize(), 8);
    EXPECT_EQ(Ch->Color(), 0x00FF00);
    EXPECT_EQ(Ch->MarkersSize(), 7);
    EXPECT_TRUE(Ch->MarkersVisible());
    EXPECT_EQ(Ch->RingBufferSize(), 50);
    EXPECT_EQ(Ch->SelectDataIndex(), -1);
    EXPECT_EQ(Ch->RunningXMax(), 10);  // statistics kept

    Ch->AddXY(0.1, 0.1);
    EXPECT_EQ(Ch->GetYValue(0), static_cast<Double>(0.1f));
    EXPECT_EQ(Ch->RunningYMax(), 100);
}

TEST_F(Channel, AFailedDataStyleSwitchKeepsTheStore)
{
    // A ring larger than the full store can hold.
    Ch->SetDataStyle(kpdsCompactInterval);
    Ch->SetRingBufferSize(14913081);
    AddXs(1, 3);
    EXPECT_EQ(MessageOf([&] { Ch->SetDataStyle(kpdsFullFeature); }), "Exceed Maximum List Size");
    EXPECT_EQ(Ch->DataStyle(), kpdsCompactInterval);
    EXPECT_EQ(Ch->Count(), 3);
    EXPECT_EQ(Ch->RingBufferSize(), 14913081);
    Ch->AddXY(4, 40);
    EXPECT_EQ(Ch->GetYValue(3), 40);

    // An ordinal out of range, as property text could bring.
    EXPECT_THROW(SetOrdProp(Ch, "DataStyle", 7), EConvertError);
    EXPECT_THROW(Ch->SetDataStyle(static_cast<TkPlotDataStyle>(7)), EConvertError);
    EXPECT_EQ(Ch->DataStyle(), kpdsCompactInterval);
    EXPECT_EQ(Ch->Count(), 4);
}

// --- log -------------------------------------------------------------------------------------

class ChannelLog : public Channel {
protected:
    void SetUp() override
    {
        Ch->SetLogFileName("channel.log");
        Ch->LogActivate(false);
    }
    using Block = TTestChannel::TLogBlock;
};

TEST_F(ChannelLog, NeedsANameAndOneActivation)
{
    EXPECT_EQ(MessageOf([&] { Ch->LogActivate(true); }), "Logging Already Active");
    EXPECT_EQ(MessageOf([&] { Ch->SetLogFileName("other.log"); }),
              "Log File Name can not be changed while logging is active.");
    Ch->LogDeactivate();
    EXPECT_EQ(MessageOf([&] { Ch->LogDeactivate(); }), "Logging not Active");
    Ch->SetLogFileName("  ");
    EXPECT_EQ(MessageOf([&] { Ch->LogActivate(false); }), "Log File Name not Defined");
    EXPECT_FALSE(Ch->LoggingActive());
}

TEST_F(ChannelLog, WritesBlocksOfTheBufferSize)
{
    Ch->SetLogBufferSize(3);
    AddXs(0, 6);
    EXPECT_EQ(Ch->LogBlocks, (std::vector<Block>{{0, 3}, {3, 3}}));
    Ch->LogDeactivate();
    EXPECT_EQ(Ch->LogBlocks.back(), (Block{6, 1}));
    EXPECT_EQ(Ch->LoggedX, Range(0, 6));
}

TEST_F(ChannelLog, AFullRingIsWrittenBeforeItOverwrites)
{
    Ch->SetRingBufferSize(4);
    Ch->SetLogBufferSize(10);
    AddXs(0, 9);
    Ch->LogDeactivate();
    EXPECT_EQ(Ch->LoggedX, Range(0, 9));
    EXPECT_EQ(Ch->LogBlocks, (std::vector<Block>{{0, 4}, {0, 4}, {2, 2}}));
}

TEST_F(ChannelLog, PointsAreWrittenBeforeTheyAreRemoved)
{
    Ch->SetLogBufferSize(100);
    AddXs(0, 4);
    Ch->DeletePoints(3);
    AddXs(5, 6);
    Ch->SetCount(3);
    AddXs(7, 7);
    Ch->SetRingBufferSize(2);
    AddXs(8, 8);
    Ch->SetDataStyle(kpdsCompact);
    EXPECT_EQ(Ch->LoggedX, Range(0, 8));
    EXPECT_EQ(Ch->Count(), 0);
}

TEST_F(ChannelLog, AFailedWriteIsRetriedWithoutReachingBeforeTheFirstPoint)
{
    Ch->SetRingBufferSize(3);
    Ch->SetLogBufferSize(0);
    Ch->LogFails = true;
    for (Double x = 0; x < 6; ++x) EXPECT_THROW(Ch->AddXY(x, x), EInOutError);
    EXPECT_EQ(Ch->Count(), 3);  // every point was stored
    Ch->LogFails = false;
    Ch->AddXY(6, 6);
    // Points 0 .. 3 were overwritten unwritten; what is held is written once.
    EXPECT_EQ(Ch->LogBlocks, (std::vector<Block>{{0, 3}}));
    EXPECT_EQ(Ch->LoggedX, Range(4, 6));
}

TEST_F(ChannelLog, ClearEmptiesTheChannelEvenWhenTheLastWriteFails)
{
    Ch->SetLogBufferSize(10);
    AddXs(0, 4);
    Ch->LogFails = true;
    EXPECT_THROW(Ch->Clear(), EInOutError);
    EXPECT_FALSE(Ch->LoggingActive());
    EXPECT_EQ(Ch->Count(), 0);
    EXPECT_EQ(Ch->RunningXMax(), -1e300);
}

TEST_F(ChannelLog, DeletingEveryPointClearsAndEndsTheLog)
{
    Ch->SetLogBufferSize(10);
    AddXs(0, 4);
    Ch->SelectPoint(2);
    Ch->DeletePoints(5);
    EXPECT_FALSE(Ch->LoggingActive());
    EXPECT_EQ(Ch->LoggedX, Range(0, 4));
    EXPECT_EQ(Ch->RunningXMax(), -1e300);
    EXPECT_EQ(Ch->SelectDataIndex(), -1);
}

// --- arrays ------------------------------------------------------------------------------------

TEST_F(Channel, ArraysAreCheckedBeforeAnyPointIsAdded)
{
    Variant xs = VarArrayCreate({2, 4}, varDouble);
    Variant ys = VarArrayCreate({2, 5}, varDouble);
    Variant matrix = VarArrayCreate({0, 1, 0, 1}, varDouble);
    EXPECT_EQ(MessageOf([&] { Ch->AddXYArrays(matrix, ys); }), "X-Data array must be 1 dimensional");
    EXPECT_EQ(MessageOf([&] { Ch->AddXYArrays(xs, Variant(1.0)); }), "Y-Data array must be 1 dimensional");
    EXPECT_EQ(MessageOf([&] { Ch->AddXYArrays(xs, VarArrayCreate({1, 4}, varDouble)); }),
              "X-Data and Y-Data low bound dimension must match");
    EXPECT_EQ(MessageOf([&] { Ch->AddXYArrays(xs, ys); }), "X-Data and Y-Data hogh bound dimension must match");
    EXPECT_EQ(MessageOf([&] { Ch->AddXYArray(xs); }), "Array Must Be 2 Dimensional");
    EXPECT_EQ(MessageOf([&] { Ch->AddXYArray(VarArrayCreate({0, 2, 0, 1}, varDouble)); }),
              "Array First Dimension Must Be 2 Elements");
    EXPECT_EQ(Ch->Count(), 0);
}

TEST_F(Channel, ArraysAddOnePointPerIndex)
{
    Variant xs = VarArrayCreate({2, 4}, varDouble);
    Variant ys = VarArrayCreate({2, 4}, varVariant);
    for (Integer i = 2; i <= 4; ++i) {
        xs.PutElement({i}, Variant(Double(i)));
        ys.PutElement({i}, Variant(Double(10 * i)));
    }
    Ch->AddXYArrays(xs, ys);
    EXPECT_EQ(Ch->Count(), 3);
    EXPECT_EQ(Ch->GetYValue(2), 40);

    Variant data = VarArrayCreate({5, 6, -1, 0}, varDouble);
    data.PutElement({5, -1}, Variant(7.0));
    data.PutElement({6, -1}, Variant(70.0));
    data.PutElement({5, 0}, Variant(8.0));
    data.PutElement({6, 0}, Variant(80.0));
    Ch->AddXYArray(data);
    EXPECT_EQ(Ch->XLast(), 8);
    EXPECT_EQ(Ch->GetYValue(3), 70);

    // A value that is no number stops the adding; earlier points stay.
    ys.PutElement({3}, Variant("abc"));
    EXPECT_THROW(Ch->AddXYArrays(xs, ys), Exception);
    EXPECT_EQ(Ch->Count(), 6);
}

// --- points ------------------------------------------------------------------------------------

TEST_F(Channel, CountCutsTheNewestPointsOrReservesRoom)
{
    AddXs(0, 9);
    Ch->SelectPoint(8);
    Ch->SetCount(4);
    EXPECT_EQ(Ch->Count(), 4);
    EXPECT_EQ(Ch->XLast(), 3);
    EXPECT_EQ(Ch->SelectDataIndex(), -1);
    Ch->SetCount(100);
    EXPECT_EQ(Ch->Count(), 4);
    EXPECT_EQ(Ch->Capacity(), 100);
    Ch->SetCount(0);
    EXPECT_EQ(Ch->MemoryUsed(), 0);
    EXPECT_THROW(Ch->SetCount(-1), Exception);
}

TEST_F(Channel, AccessorsFollowTheRingInLogicalOrder)
{
    Ch->SetRingBufferSize(3);
    AddXs(0, 4);
    EXPECT_EQ(Ch->XFirst(), 2);
    EXPECT_EQ(Ch->YLast(), 40);
    EXPECT_EQ(Ch->IndexLast(), 2);
    // The slot written is physical once the ring has wrapped.
    EXPECT_EQ(Ch->AddXY(5, 50), 2);
    EXPECT_THROW(Ch->GetXValue(3), Exception);
}

// --- properties --------------------------------------------------------------------------------

TEST_F(Channel, PublishesItsPropertiesInFileOrder)
{
    std::vector<String> names;
    for (PPropInfo prop : GetPropList(TkPlotChannelCustom::StaticClassInfo())) names.push_back(prop->Name);
    const std::vector<String> own = {
        "TitleText", "VisibleInLegend", "ClipToAxes", "ShowDataPointHints", "UserCanMoveDataPoints",
        "UserCanMoveDataPointsStyle", "RingBufferSize", "TraceVisible", "Color", "TraceLineStyle",
        "TraceLineWidth", "MarkersAllowIndividual", "MarkersPenUseChannelColor", "MarkersBrushUseChannelColor",
        "MarkersTurnOffLimit", "MarkersVisible", "MarkersSize", "MarkersStyle", "MarkersPenColor",
        "MarkersPenStyle", "MarkersPenWidth", "MarkersBrushColor", "MarkersBrushStyle", "MarkersFont",
        "XAxisName", "YAxisName", "XAxisTrackingEnabled", "YAxisTrackingEnabled", "LogFileName",
        "LogBufferSize", "LoggingActive", "DataStyle", "Tag"};
    ASSERT_GE(names.size(), own.size());
    EXPECT_EQ(std::vector<String>(names.end() - own.size(), names.end()), own);
}

}  // namespace
