// A time channel painted into a bitmap: each trace style, fill, bars,
// digital levels, high/low bars and candlesticks, with the axes exchanged
// or not, and what bad data must not do. Axes span 0..100 over pixels
// 50..150 (see the fixture): pixel x = 50 + X, pixel y = 150 - Y.

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "components/plot/channel/time/kPlotChannel.h"
#include "tests/plot/kPlotTraceTestDoubles.h"

using namespace TraceTest;

namespace {

class TimeChannelPaint : public ChannelPaintFixture<TkPlotChannel>, public ::testing::WithParamInterface<bool> {
protected:
    bool Reversed() const { return GetParam(); }
    void SetUp() override
    {
        ChannelPaintFixture::SetUp();
        Ch->SetXYAxesReversed(Reversed());
        Ch->SetXAxisTrackingEnabled(false);
        Ch->SetYAxisTrackingEnabled(false);
    }
    // The device pixel of a pixel along the X axis (Column) and the Y axis
    // (Row).
    TColor At(Integer Column, Integer Row) { return Reversed() ? Pixel(Row, Column) : Pixel(Column, Row); }
    // The colours met along the X axis' pixels at Row, each run once.
    Integer ColumnsOf(Integer Row, TColor Color, Integer From = 50, Integer To = 150)
    {
        Integer count = 0;
        for (Integer c = From; c <= To; ++c) count += At(c, Row) == Color;
        return count;
    }
};

TEST_P(TimeChannelPaint, StepsHoldEachValueToTheNextPointAndDifferentialRunsToTheEdge)
{
    Ch->SetInterpolationStyle(kpistDifferential);
    Ch->AddXY(0, 10);
    Ch->AddXY(40, 20);
    Paint();
    EXPECT_EQ(At(70, 140), clRed);   // (0,10)-(40,10)
    EXPECT_EQ(At(90, 135), clRed);   // the rise at X = 40
    EXPECT_EQ(At(120, 130), clRed);  // (40,20) on to the right edge
    EXPECT_EQ(At(120, 140), clWhite);

    Bitmap->SetSize(0, 0);
    Bitmap->SetSize(200, 200);
    Ch->SetInterpolationStyle(kpistDifferentialTerminated);
    Paint();
    EXPECT_EQ(At(70, 140), clRed);
    EXPECT_EQ(ColumnsOf(130, clRed, 91, 150), 0);  // ends at the last point
}

TEST_P(TimeChannelPaint, DigitalLevelsRisesFallsAndMarkersOnTheReferenceRows)
{
    Ch->SetDigitalEnabled(true);
    Ch->SetMarkersVisible(true);
    Ch->SetMarkersStyle(kpmsSquare);
    Ch->SetMarkersSize(1);
    const Double ys[] = {0, 0, 5, 5, 0};
    for (Integer i = 0; i < 5; ++i) Ch->AddXY(20 * i, ys[i]);
    Paint();
    // Low at row 140 (reference 10), high at row 60 (reference 90).
    EXPECT_EQ(At(80, 140), clRed);   // low from 0 to 40
    EXPECT_EQ(At(90, 100), clRed);   // the rise at 40
    EXPECT_EQ(At(110, 60), clRed);   // high from 40 to 80
    EXPECT_EQ(At(130, 100), clRed);  // the fall at 80
    EXPECT_EQ(At(80, 100), clWhite);
    // Each point's marker sits on the row of its level.
    EXPECT_EQ(At(69, 139), clRed);
    EXPECT_EQ(At(109, 59), clRed);
}

TEST_P(TimeChannelPaint, ADigitalLevelNeverCrossesANullGap)
{
    Ch->SetDigitalEnabled(true);
    Ch->AddXY(0, 1);
    Ch->AddXY(20, 1);
    Ch->AddXNull(40);
    Ch->AddXY(60, 1);
    Ch->AddXY(80, 1);
    Paint();
    EXPECT_EQ(At(60, 60), clRed);
    EXPECT_EQ(ColumnsOf(60, clRed, 72, 108), 0);
    EXPECT_EQ(At(120, 60), clRed);
}

TEST_P(TimeChannelPaint, CandleColoursFollowTheDirectionOfTheDay)
{
    Ch->SetDataStyle(kpdsFullFeature);
    Ch->SetHighLowEnabled(true);
    Ch->SetHighLowStyle(kphlsCandleStick);
    Ch->SetHighLowBarWidth(10);
    Ch->SetHighLowBullishColor(clLime);
    Ch->SetHighLowBearishColor(clBlue);
    Ch->SetTraceVisible(false);
    Ch->AddHighLow(30, 60, 10, 20, 40);  // open below close
    Ch->AddHighLow(70, 60, 10, 40, 20);
    Paint();
    EXPECT_EQ(At(78, 120), clLime);
    EXPECT_EQ(At(118, 120), clBlue);
    EXPECT_EQ(At(80, 95), TColor(8421504));  // the shadow above the body

    // Bars with the open to the left and the close to the right.
    Bitmap->SetSize(0, 0);
    Bitmap->SetSize(200, 200);
    Ch->SetHighLowStyle(kphlsOpenClose);
    Ch->SetHighLowBarWidth(1);
    Ch->SetHighLowOpenWidth(10);
    Ch->SetHighLowCloseWidth(10);
    Ch->SetHighLowOpenHeight(2);
    Ch->SetHighLowCloseHeight(2);
    Paint();
    EXPECT_EQ(At(80, 100), Ch->HighLowBarColor());
    EXPECT_EQ(At(75, 130), Ch->HighLowOpenColor());   // open 20
    EXPECT_EQ(At(85, 110), Ch->HighLowCloseColor());  // close 40
    EXPECT_EQ(At(85, 130), clWhite);
}

TEST_P(TimeChannelPaint, AZeroWidthBarIsOnePixelWideAndFillLiesUnderTheTrace)
{
    Ch->SetBarEnabled(true);
    Ch->SetBarWidth(0);
    Ch->SetTraceVisible(false);
    Ch->AddXY(50, 40);
    Paint();
    EXPECT_EQ(At(100, 125), clRed);
    EXPECT_EQ(At(99, 125), clWhite);
    EXPECT_EQ(At(101, 125), clWhite);
    TkPlotPaintContext unexchanged = Plot.PaintContext(*Ch);
    unexchanged.XYAxesReversed = false;
    EXPECT_EQ(Ch->GetBarRect(unexchanged, 0), Rect(100, 110, 101, 150));

    Bitmap->SetSize(0, 0);
    Bitmap->SetSize(200, 200);
    Ch->SetBarEnabled(false);
    Ch->SetFillEnabled(true);
    Ch->SetFillColor(clBlue);
    Ch->SetFillUseChannelColor(false);
    Ch->AddXY(60, 40);
    Ch->AddXNull(70);
    Ch->AddXY(80, 40);
    Ch->AddXY(90, 40);
    Ch->AddXY(91, std::numeric_limits<Double>::quiet_NaN());  // no number: no bar to any edge
    Paint();
    EXPECT_EQ(At(141, 175), clWhite);
    EXPECT_EQ(At(105, 130), clBlue);
    EXPECT_EQ(At(105, 105), clWhite);  // above the trace
    EXPECT_EQ(At(125, 130), clWhite);  // the null's gap
    EXPECT_EQ(At(135, 130), clBlue);
}

// The fill under a trace in one pen comes from the trace's own pass; under
// a trace of per-point pens it makes a pass of its own. Both must give the
// same pixels, trace and fill: dense columns, sparse segments, a null gap,
// a value that is no number (no line to the edge) and values off the scale.
TEST_P(TimeChannelPaint, AFillFromTheTracesPassPaintsWhatItsOwnPassPaints)
{
    Ch->SetFillEnabled(true);
    Ch->SetFillColor(clBlue);
    Ch->SetFillUseChannelColor(false);
    Ch->SetFillReference(30);
    const auto addPoints = [this] {
        for (Integer i = 0; i < 400; ++i) Ch->AddXY(i / 10.0, 50 + 40 * std::sin(i / 7.0));
        Ch->AddXNull(41);
        for (Integer i = 0; i < 8; ++i) Ch->AddXY(45 + 6 * i, i % 2 ? 120.0 : 10.0 * i);
        Ch->AddXY(94, std::numeric_limits<Double>::quiet_NaN());
        Ch->AddXY(97, -20);
    };
    const auto image = [this] {
        std::vector<TColor> pixels;
        for (Integer y = 0; y < 200; ++y)
            for (Integer x = 0; x < 200; ++x) pixels.push_back(Pixel(x, y));
        return pixels;
    };
    addPoints();
    Paint();
    const std::vector<TColor> shared = image();
    EXPECT_GT(std::count(shared.begin(), shared.end(), clBlue), 1000);

    Bitmap->SetSize(0, 0);
    Bitmap->SetSize(200, 200);
    Ch->Clear();
    Ch->SetFastDrawEnabled(false);
    Ch->SetDataStyle(kpdsFullFeature);
    addPoints();
    Paint();
    EXPECT_EQ(image(), shared);
}

TEST_P(TimeChannelPaint, AParabolaThroughThreePointsAndCurvesThatCannotBeMadeDrawNothing)
{
    Ch->SetInterpolationStyle(kpistPolynomial);
    for (const Double x : {10.0, 50.0, 90.0}) Ch->AddXY(x, (x - 50) * (x - 50) / 40);
    Paint();
    for (const Double x : {20.0, 30.0, 70.0})
        EXPECT_EQ(At(Integer(50 + x), Integer(std::lround(150 - (x - 50) * (x - 50) / 40))), clRed) << x;
    Double y;
    EXPECT_EQ(Ch->GetCursorValue(30, y), kpdpsValid);
    EXPECT_NEAR(y, 10, 0.5);

    // Repeated X values and a decreasing run: the spline still paints.
    Ch->Clear();
    Ch->SetInterpolationStyle(kpistCubicSpline);
    for (const Double x : {90.0, 70.0, 70.0, 50.0, 30.0}) Ch->AddXY(x, 50);
    EXPECT_NO_THROW(Paint());
    EXPECT_EQ(At(90, 100), clRed);
}

TEST_P(TimeChannelPaint, DenseDataDrawsOneRunPerColumnAndANullLeavesAGap)
{
    Bitmap->SetSize(0, 0);
    Bitmap->SetSize(600, 600);
    XAxis->SetLayoutRect(Rect(50, 560, 550, 580));
    YAxis->SetLayoutRect(Rect(20, 50, 40, 550));
    SetScales(0, 10000, -2, 4);
    for (Integer i = 0; i < 10000; ++i) Ch->AddXY(i, std::sin(i * 0.05) + (i % 7) * 0.1);
    Ch->SetNull(5000, true);
    Paint();
    for (Integer c = 51; c < 549; ++c) {
        Integer runs = 0;
        bool inRun = false;
        for (Integer r = 50; r <= 550; ++r) {
            const bool red = At(c, r) == clRed;
            runs += red && !inRun;
            inRun = red;
        }
        EXPECT_LE(runs, 1) << c;
    }
}

TEST_P(TimeChannelPaint, ARingBufferedChannelDrawsItsNewestPointsAfterWrapping)
{
    Ch->SetRingBufferSize(3);
    for (Integer i = 0; i < 5; ++i) Ch->AddXY(20 * i, 20 * i);
    Paint();
    EXPECT_EQ(At(50, 150), clWhite);  // (0, 0) was dropped
    EXPECT_EQ(At(100, 100), clRed);
    EXPECT_EQ(At(120, 80), clRed);
}

INSTANTIATE_TEST_SUITE_P(AxesExchangedOrNot, TimeChannelPaint, ::testing::Bool());

}  // namespace
