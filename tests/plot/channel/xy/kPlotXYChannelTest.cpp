// The XY channel: points drawn in insertion order, what makes it drawable,
// null and empty points outside the statistics, data extents, clipping to
// the axes' rectangle, and the data cursor readout.

#include <algorithm>
#include <cmath>

#include "tests/plot/kPlotTraceTestDoubles.h"

using namespace TraceTest;

namespace {

class XYChannel : public TraceFixture {};

TEST_F(XYChannel, DrawsThePointsInTheOrderAdded)
{
    Ch->AddXY(50, 20);
    Ch->AddXY(10, 80);
    Ch->AddXY(30, 70);
    Paint();
    EXPECT_EQ(Pixel(80, 100), clRed);    // midway 5 -> 1
    EXPECT_EQ(Pixel(70, 75), clRed);     // midway 1 -> 3
    EXPECT_EQ(Pixel(90, 105), clWhite);  // no segment 3 -> 5
}

TEST_F(XYChannel, DrawableOnlyWithAxesVisibilityAndPoints)
{
    Ch->PrepareDraw(Plot.PaintContext(*Ch));
    EXPECT_FALSE(Ch->CanDraw());
    Ch->AddXY(1, 1);
    Ch->PrepareDraw(Plot.PaintContext(*Ch));
    EXPECT_TRUE(Ch->CanDraw());
    Ch->SetVisible(false);
    Ch->PrepareDraw(Plot.PaintContext(*Ch));
    EXPECT_FALSE(Ch->CanDraw());
    Ch->SetVisible(true);
    Ch->SetYAxisName("none");
    Ch->PrepareDraw(Plot.PaintContext(*Ch));
    EXPECT_FALSE(Ch->CanDraw());
}

TEST_F(XYChannel, NullAndEmptyPointsGoStraightToTheStore)
{
    Ch->AddXY(4, 6);
    XAxis->SetMinSpan(3, 10);  // tracking X = 0 would widen it
    EXPECT_EQ(Ch->AddNull(), 1);
    EXPECT_EQ(Ch->AddEmpty(), 2);
    EXPECT_TRUE(Ch->GetNull(1) && Ch->GetEmpty(2));
    EXPECT_EQ(Ch->RunningYMean(), 6);
    EXPECT_EQ(Ch->RunningXMin(), 4);
    EXPECT_EQ(XAxis->Min(), 3);
}

TEST_F(XYChannel, ExtentsOfTheValidPoints)
{
    Ch->AddNull();
    EXPECT_EQ(Ch->GetDataXMax(), -1e300);
    EXPECT_EQ(Ch->GetDataXMin(), 1e300);
    Ch->AddXY(20, 5);
    Ch->AddEmpty();
    Ch->AddXY(-7, 9);
    EXPECT_EQ(Ch->GetDataXMax(), 20);
    EXPECT_EQ(Ch->GetDataXMin(), -7);
    EXPECT_EQ(Ch->GetYMaxVisible(), 9);
    EXPECT_EQ(Ch->GetYMinVisible(), 5);

    Ch->SetMarkersVisible(true);  // widened by 3 pixels = 3 units
    EXPECT_DOUBLE_EQ(Ch->GetDataXMax(), 23);
    EXPECT_DOUBLE_EQ(Ch->GetYMinVisible(), 2);

    Ch->SetVisible(false);
    EXPECT_EQ(Ch->GetYMaxVisible(), -1e300);
}

// The extents are kept up as points arrive; every other change to the
// points must show in them as a scan of the points would find them.
TEST_F(XYChannel, ExtentsFollowEveryChangeToThePoints)
{
    const auto expectScanned = [this](const char* What) {
        Double xLow = 1e300, xHigh = -1e300, yLow = 1e300, yHigh = -1e300;
        for (Integer i = 0; i < Ch->Count(); ++i) {
            if (!Ch->GetValid(i)) continue;
            xLow = std::min(xLow, Ch->GetXValue(i));
            xHigh = std::max(xHigh, Ch->GetXValue(i));
            yLow = std::min(yLow, Ch->GetYValue(i));
            yHigh = std::max(yHigh, Ch->GetYValue(i));
        }
        EXPECT_EQ(Ch->GetDataXMin(), xLow) << What;
        EXPECT_EQ(Ch->GetDataXMax(), xHigh) << What;
        EXPECT_EQ(Ch->GetYMinVisible(), yLow) << What;
        EXPECT_EQ(Ch->GetYMaxVisible(), yHigh) << What;
    };
    const auto refill = [this] {
        Ch->Clear();
        for (const Double x : {1.0, 5.0, 3.0, 2.0}) Ch->AddXY(x, 10 * x);
    };

    refill();
    expectScanned("as added");
    Ch->SetYValue(1, 0);
    expectScanned("a maximum lowered");
    refill();
    Ch->SetXValue(0, 4);
    expectScanned("a minimum raised");
    refill();
    Ch->SetNull(1, true);
    expectScanned("a maximum made null");
    refill();
    Ch->SetEmpty(0, true);
    expectScanned("a minimum made empty");
    refill();
    Ch->DeletePoints(2);
    expectScanned("the oldest removed");
    refill();
    Ch->SetCount(2);
    expectScanned("the newest cut");
    refill();
    Ch->DataList().SetY(1, 7);
    expectScanned("the store written directly");

    Ch->Clear();
    Ch->SetRingBufferSize(3);
    for (const Double x : {9.0, 1.0, 2.0}) Ch->AddXY(x, x);
    expectScanned("the ring full");
    Ch->AddXY(3, 3);
    expectScanned("the ring dropped the maximum");

    Ch->Clear();
    Ch->SetRingBufferSize(0);
    Ch->SetDataStyle(kpdsCompact);
    Ch->AddXY(0.1, 0.3);
    Ch->AddXY(0.2, 0.7);
    expectScanned("single precision");
    EXPECT_NE(Ch->GetDataXMax(), 0.2);
}

TEST_F(XYChannel, ClipToAxesCutsMarkersAtTheAxesRectangle)
{
    Ch->AddXY(0, 50);
    Ch->SetMarkersVisible(true);
    Ch->SetMarkersStyle(kpmsSquare);
    Paint();
    EXPECT_EQ(Pixel(48, 100), clRed);
    Bitmap->SetSize(0, 0);
    Bitmap->SetSize(200, 200);
    Ch->SetClipToAxes(true);
    Paint();
    EXPECT_EQ(Pixel(48, 100), clWhite);
    EXPECT_EQ(Pixel(51, 100), clRed);
}

// --- data cursor ---------------------------------------------------------------------

TEST_F(XYChannel, CursorValuesByStyle)
{
    Double x;
    Double y;
    String text;
    Ch->ReadDataCursor(kpcsValueXY, 50, 25, x, y, text);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 25);
    EXPECT_EQ(text, XAxis->GetCursorText(50) + ", " + YAxis->GetCursorText(25));
    EXPECT_EQ(Ch->DataCursorXText(), XAxis->GetCursorText(50));
    EXPECT_EQ(Ch->DataCursorYValue(), 25);

    Ch->ReadDataCursor(kpcsDeltaX, 50, 25, x, y, text);
    EXPECT_EQ(x, 25);
    Ch->ReadDataCursor(kpcsDeltaY, 10, 70, x, y, text);
    EXPECT_EQ(y, 60);
    EXPECT_EQ(text, YAxis->GetCursorText(60));
    XAxis->SetCursorScaler(2);
    Ch->ReadDataCursor(kpcsInverseDeltaX, 50, 25, x, y, text);
    EXPECT_DOUBLE_EQ(x, 0.02);
    Ch->ReadDataCursor(kpcsInverseDeltaX, 40, 40, x, y, text);
    EXPECT_TRUE(std::isinf(x));
    EXPECT_EQ(text, "Infinite");

    // An axis spanning the whole data view reads through the view's pixels.
    Plot.HasDataView = true;
    Plot.DataView = Rect(60, 50, 160, 150);
    Ch->ReadDataCursor(kpcsValueX, 50, 50, x, y, text);
    EXPECT_EQ(x, 60);
}

TEST_F(XYChannel, CursorTextsOfStatusAndMissingAxes)
{
    String text;
    Ch->GetPointText(kpcsValueY, kpdpsNull, text, 3, 4);
    EXPECT_EQ(text, "Null");
    Ch->GetPointText(kpcsValueXY, kpdpsEmpty, text, 3, 4);
    EXPECT_EQ(text, XAxis->GetCursorText(4) + ", Empty");
    EXPECT_EQ(Ch->DataCursorStatus(), kpdpsEmpty);

    Double x;
    Double y;
    Ch->SetYAxisName("none");
    Ch->ReadDataCursor(kpcsValueXY, 50, 25, x, y, text);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(text, XAxis->GetCursorText(0) + ", No Y-Axis");
    Ch->SetXAxisName("none");
    Ch->ReadDataCursor(kpcsValueY, 50, 25, x, y, text);
    EXPECT_EQ(text, "No X-Axis");
    EXPECT_EQ(Ch->DataCursorXText(), "No X-Axis");
}

}  // namespace
