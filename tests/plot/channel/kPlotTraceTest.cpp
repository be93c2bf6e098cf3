// A channel's trace and markers painted into a bitmap: bridged empty points
// and gaps at null points, segments cut to the axes in scale units, the
// marker shapes and their attribute sources, and values that must not reach
// a pixel.

#include <climits>
#include <limits>

#include "tests/plot/kPlotTraceTestDoubles.h"

using namespace TraceTest;

namespace {

class Trace : public TraceFixture {
protected:
    // DrawSegment draws with the canvas's pen as it stands.
    void Segment(Boolean XYAxesReversed, Boolean YIsPercent, Double X1, Double Y1, Double X2, Double Y2)
    {
        Canvas()->Pen()->SetColor(clRed);
        TkPlotPaintContext context = Plot.PaintContext(*Ch, Canvas());
        context.XYAxesReversed = XYAxesReversed;
        Ch->DrawSegment(context, YIsPercent, X1, Y1, X2, Y2);
    }
};

TEST_F(Trace, EmptyPointsAreBridgedAndNullPointsBreakTheLine)
{
    Ch->AddXY(0, 50);
    Ch->AddPoint(false, true, 20, 90);  // empty
    Ch->AddXY(40, 50);
    Ch->AddNull();
    Ch->AddXY(60, 50);
    Ch->AddXY(80, 50);
    Paint();
    EXPECT_EQ(Pixel(70, 100), clRed);
    EXPECT_EQ(Pixel(70, 60), clWhite);
    EXPECT_EQ(Pixel(100, 100), clWhite);  // the gap 40 -> 60
    EXPECT_EQ(Pixel(120, 100), clRed);
}

TEST_F(Trace, SegmentsAreCutInScaleUnits)
{
    // Y = (X + 100) / 5, cut at X = 0 (Y 20) and X = 100 (Y 40).
    Segment(false, false, -100, 0, 200, 60);
    EXPECT_EQ(Pixel(50, 130), clRed);
    EXPECT_EQ(Pixel(100, 120), clRed);
    EXPECT_EQ(CountIn(Rect(0, 0, 50, 200), clRed) + CountIn(Rect(151, 0, 200, 200), clRed), 0);
    // Ends far beyond the pixel clamp do not bend the line Y = X.
    Segment(false, false, -1e9, -1e9, 1e9, 1e9);
    EXPECT_EQ(Pixel(60, 140), clRed);
    EXPECT_EQ(Pixel(125, 75), clRed);

    // Y = 50 + X leaves the Y axis at X = 50: cut there only with ClipToAxes.
    Segment(false, false, 0, 50, 100, 150);
    EXPECT_EQ(Pixel(125, 25), clRed);
    Bitmap->SetSize(0, 0);
    Bitmap->SetSize(200, 200);
    Ch->SetClipToAxes(true);
    Segment(false, false, 0, 50, 100, 150);
    Segment(false, false, 0, 120, 100, 150);
    EXPECT_EQ(Pixel(75, 75), clRed);
    EXPECT_EQ(CountIn(Rect(0, 0, 200, 50), clRed), 0);
    EXPECT_EQ(TkPlotChannelCustom::InterpolateY(3, 2, 7, 2, 9), 0);
    EXPECT_EQ(TkPlotChannelCustom::InterpolateX(3, 2, 7, 2, 9), 2);
}

TEST_F(Trace, ExchangedAxesAndPercentOfTheDataView)
{
    Segment(true, false, 0, 50, 40, 50);
    EXPECT_EQ(Pixel(100, 70), clRed);
    Segment(false, true, 0, 25, 100, 25);  // no data view: nothing
    EXPECT_EQ(Pixel(100, 125), clWhite);
    Plot.HasDataView = true;
    Segment(false, true, 0, 25, 100, 25);
    EXPECT_EQ(Pixel(100, 125), clRed);
}

TEST_F(Trace, ValuesThatAreNoNumbersDrawNothing)
{
    const Double nan = std::numeric_limits<Double>::quiet_NaN();
    const Double inf = std::numeric_limits<Double>::infinity();
    Ch->SetMarkersVisible(true);
    Ch->SetMarkersStyle(kpmsSquare);
    for (auto [x, y] : {std::pair{0.0, 50.0}, {nan, 50.0}, {40.0, nan}, {-inf, inf}}) Ch->AddXY(x, y);
    Paint();
    EXPECT_EQ(CountIn(Rect(0, 0, 200, 200), clRed), 36);  // the first point's marker only
    EXPECT_FALSE(Ch->MarkerDrawable(Plot.PaintContext(*Ch), 2));
}

TEST_F(Trace, SegmentsTakeTheirEndPointsAttributes)
{
    Ch->SetDataStyle(kpdsFullFeature);
    for (Double x : {0, 40, 80}) Ch->AddXY(x, 50);
    Ch->DataList().SetTraceLineColor(2, clBlue);
    Ch->DataList().SetTraceLineWidth(2, 5);
    Paint();
    EXPECT_EQ(Pixel(70, 100), clRed);
    EXPECT_EQ(Pixel(70, 101), clWhite);
    EXPECT_EQ(Pixel(110, 102), clBlue);
}

// --- markers ---------------------------------------------------------------------

TEST_F(Trace, MarkerShapesAroundTheirPoint)
{
    struct TCase {
        TkPlotMarkerStyle Style;
        TPoint Inked[2];
        TPoint Blank[2];
    };
    const TCase cases[] = {
        {kpmsCircle, {{50, 50}, {52, 50}}, {{50, 54}, {53, 53}}},
        {kpmsDiamond, {{50, 50}, {51, 50}}, {{52, 52}, {47, 47}}},
        {kpmsCross, {{52, 52}, {48, 52}}, {{52, 50}, {50, 52}}},
        {kpmsTriangleUp, {{50, 50}, {50, 52}}, {{50, 48}, {50, 54}}},
        {kpmsTriangleLeft, {{52, 50}, {50, 50}}, {{48, 50}, {54, 50}}},
        {kpmsVerticalLine, {{50, 48}, {50, 52}}, {{52, 50}, {48, 50}}},
    };
    Ch->AddXY(0, 0);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Style);
        Bitmap->SetSize(0, 0);
        Bitmap->SetSize(200, 200);
        Ch->SetMarkersStyle(c.Style);
        Ch->DrawMarker(Canvas(), 0, clWhite, Point(50, 50));
        for (TPoint p : c.Inked) EXPECT_EQ(Pixel(p.X, p.Y), clRed) << p.X << "," << p.Y;
        for (TPoint p : c.Blank) EXPECT_EQ(Pixel(p.X, p.Y), clWhite) << p.X << "," << p.Y;
    }
}

TEST_F(Trace, MarkerAttributeSources)
{
    Ch->SetDataStyle(kpdsFullFeature);
    Ch->AddXY(0, 0);
    Ch->SetMarkersStyle(kpmsSquare);
    Ch->SetMarkersSize(10);
    Ch->DrawMarker(Canvas(), -1, clWhite, Point(50, 50));  // the legend's sample: size 6
    EXPECT_EQ(Pixel(55, 50), clRed);
    EXPECT_EQ(Pixel(58, 50), clWhite);
    Ch->DrawMarker(Canvas(), 0, clWhite, Point(150, 50));
    EXPECT_EQ(Pixel(158, 50), clRed);

    Ch->SetMarkersAllowIndividual(true);
    Ch->SetMarkersBrushUseChannelColor(false);
    TkPlotDataCustomList& list = Ch->DataList();
    list.SetMarkerSize(0, 2);
    list.SetMarkerBrushColor(0, clLime);
    Ch->DrawMarker(Canvas(), 0, clWhite, Point(100, 150));
    EXPECT_EQ(Pixel(100, 150), clLime);
    EXPECT_EQ(Pixel(102, 150), clWhite);

    // A character; the sample of the character style has none and must not
    // look for one at index -1.
    list.SetMarkerStyle(0, kpmsCharacter);
    list.SetMarkerCharacter(0, u'W');
    Ch->MarkersFont()->SetColor(clBlack);
    Canvas()->SetFont(Ch->MarkersFont());
    Ch->DrawMarker(Canvas(), 0, clWhite, Point(100, 100));
    EXPECT_GT(CountIn(Rect(90, 90, 110, 110), clBlack), 5);
    Ch->SetMarkersStyle(kpmsCharacter);
    EXPECT_NO_THROW(Ch->DrawMarker(Canvas(), -1, clWhite, Point(30, 30)));
}

TEST_F(Trace, HugeAndNegativeMarkerSizes)
{
    Ch->AddXY(0, 0);
    Ch->SetMarkersStyle(kpmsSquare);
    Ch->SetMarkersSize(-3);
    EXPECT_EQ(Ch->GetMarkerRect(Plot.PaintContext(*Ch), 0), Rect(47, 147, 53, 153));
    for (TkPlotMarkerStyle style : {kpmsSquare, kpmsTriangleUp, kpmsCross}) {
        Ch->SetMarkersStyle(style);
        for (Integer size : {INT_MAX, INT_MIN}) {
            Ch->SetMarkersSize(size);
            Ch->DrawMarker(Canvas(), 0, clWhite, Point(32000, -32000));
        }
    }
    EXPECT_EQ(Ch->GetMarkerRect(Plot.PaintContext(*Ch), 0), Rect(-32000, -32000, 32000, 32000));
}

TEST_F(Trace, MarkersTurnOffPastTheLimit)
{
    Ch->SetMarkersVisible(true);
    Ch->SetTraceVisible(false);
    Ch->SetMarkersTurnOffLimit(100);
    for (Integer i = 0; i < 150; ++i) Ch->AddXY(50, 50);
    Paint();
    EXPECT_EQ(Pixel(100, 100), clWhite);
    Ch->SetCount(101);  // an index difference of 100
    Paint();
    EXPECT_EQ(Pixel(100, 100), clRed);
}

}  // namespace
