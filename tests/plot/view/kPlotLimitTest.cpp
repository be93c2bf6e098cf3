#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "components/plot/view/kPlotLimit.h"
#include "platform/Math.h"
#include "platform/SysApi.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"
#include "tests/plot/kPlotAxesControlTestDoubles.h"
#include "support/MessageOf.h"

namespace {

constexpr Integer kWidth = 300;
constexpr Integer kHeight = 260;
constexpr Double kInf = std::numeric_limits<Double>::infinity();

// X axis 0..100 along pixels 50..250, Y axis 0..100 up pixels 200..20, and
// one limit bound to both, drawn in red on black.
class PlotLimitTest : public ::testing::Test {
protected:
    PlotTest::TStandInPlot Plot;  // hears the limits' line moves ("1:50>70")
    TOwned<TBitmap> Bitmap = CreateOwned<TBitmap>();
    TkPlotXAxis* XAxis = Plot.PutAxis("X-Axis 1", Rect(50, 200, 250, 230), 0, 100);
    TkPlotYAxis* YAxis = Plot.PutAxis<TkPlotYAxis>("Y-Axis 1", Rect(20, 20, 50, 200), 0, 100);
    TkPlotLimit* Limit = Plot.Add<TkPlotLimit>("Limit 1");

    void SetUp() override
    {
        Bitmap->SetSize(kWidth, kHeight);
        Limit->SetXAxisName("X-Axis 1");
        Limit->SetYAxisName("Y-Axis 1");
        Plot.SelectMode = true;
        Paint();
    }
    TColor Pixel(Integer PX, Integer PY) { return Bitmap->Canvas()->Pixels(PX, PY); }
    // A fresh paint: the clip a limit sets stays until the plot resets it.
    void Paint()
    {
        TCanvas* canvas = Bitmap->Canvas();
        SelectClipRgn(canvas, nullptr);
        AxesControlTest::Blacken(canvas, kWidth, kHeight);
        XAxis->CalcTicks(canvas);
        YAxis->CalcTicks(canvas);
        Limit->Draw(Plot.PaintContext(*Limit, canvas));
    }
    TRect Ink() { return AxesControlTest::InkBox(Bitmap->Canvas(), kWidth, kHeight, clRed); }
    Integer X(Double Value) const { return XAxis->PositionToPixels(Value); }
    Integer Y(Double Value) const { return YAxis->PositionToPixels(Value); }
    bool Hit(Integer PX, Integer PY) { return Limit->HitTest(PX, PY); }
    // A left-button drag through the entry points, repainting after the
    // move as the plot would.
    void Drag(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3)
    {
        Limit->kMouseDown(mbLeft, {}, X1, Y1);
        TkPlotHintData hint;
        Limit->kMouseMove(hint, {}, X2, Y2, false);
        Paint();
        Limit->kMouseUp(mbLeft, {}, X3, Y3, X3, Y3, false, nullptr);
    }
};

TEST_F(PlotLimitTest, PropertiesAndSetters)
{
    // Published after the base's in this order, none with a stream default.
    const std::vector<String> own = {"Color",     "LineStyle", "LineWidth",     "FillStyle",
                                     "XAxisName", "YAxisName", "Style",         "Line1Position",
                                     "Line2Position", "UserCanMove", "SelectModeOnlyInteraction", "ClipToAxes"};
    const TPropList& props = GetPropList(Limit);
    ASSERT_GE(props.size(), own.size());
    for (std::size_t i = 0; i < own.size(); ++i) {
        EXPECT_EQ(props[props.size() - own.size() + i]->Name, own[i]);
        EXPECT_FALSE(IsDefaultPropValue(Limit, props[props.size() - own.size() + i]));
    }
    // Damaged streams (the defaults, red horizontal select-mode lines, show in the drawing tests).
    EXPECT_THROW(SetOrdProp(Limit, "Style", 6), EConvertError);
    EXPECT_EQ(Limit->Style(), kplsLineY);
    Limit->SetLineWidth(-4);
    EXPECT_EQ(Limit->LineWidth(), 0);
    Limit->SetLineWidth(1 << 30);
    EXPECT_EQ(Limit->LineWidth(), TkPlotLimit::MaxLineWidth);

    // A repaint only on a change; both axis names repaint.
    Plot.Changes = 0;
    Limit->SetColor(255);
    Limit->SetYAxisName("Y-Axis 1");
    Limit->SetLine1Position(50);
    Limit->SetLine1Position(std::nan(""));
    EXPECT_EQ(Plot.Changes, 0);
    Limit->SetYAxisName("Y-Axis 2");
    Limit->SetXAxisName("X-Axis 2");
    EXPECT_EQ(Plot.Changes, 2);

    // Position changes report the old and the new value.
    Limit->SetLine1Position(70);
    Limit->SetLine2Position(-5);
    EXPECT_EQ(Plot.Moves, (std::vector<String>{"1:50>70", "2:50>-5"}));

    const struct {
        TkPlotLimitStyle Style;
        TBrushStyle Fill;
        bool YStyle, Filled;
    } kinds[] = {{kplsLineX, bsSolid, false, false}, {kplsBandY, bsClear, true, false},
                 {kplsBandX, bsCross, false, true},  {kplsPolyBandX, bsClear, false, true}};
    for (const auto& k : kinds) {
        Limit->SetStyle(k.Style);
        Limit->SetFillStyle(k.Fill);
        EXPECT_EQ(Limit->IsYStyle(), k.YStyle) << k.Style;
        EXPECT_EQ(Limit->IsFilledStyle(), k.Filled) << k.Style;
    }
}

TEST_F(PlotLimitTest, LinesOnlyWithinTheirAxis)
{
    // A new limit: a horizontal line at Y = 50 across the X range.
    EXPECT_EQ(Ink(), Rect(X(0), Y(50), X(100), Y(50) + 1));
    YAxis->SetMinSpan(60, 100);
    Paint();
    EXPECT_EQ(Ink(), TRect{});
    EXPECT_FALSE(Hit(X(50), Y(50)));

    YAxis->SetMinSpan(0, 100);
    Limit->SetStyle(kplsLineX);
    Limit->SetLine1Position(25);
    Paint();
    EXPECT_EQ(Ink(), Rect(X(25), Y(100) + 1, X(25) + 1, Y(0) + 1));
    Limit->SetLine1Position(100.5);
    Paint();
    EXPECT_EQ(Ink(), TRect{});
    EXPECT_FALSE(Hit(X(100), Y(50)));
}

TEST_F(PlotLimitTest, BandsSolidClearAndHatched)
{
    Limit->SetStyle(kplsBandX);
    Limit->SetLine1Position(60);  // the ends in either order
    Limit->SetLine2Position(20);
    const Integer row = Y(50);
    Paint();
    const TRect box = Ink();
    EXPECT_NEAR(box.Left, X(20), 1);
    EXPECT_NEAR(box.Right, X(60), 1);
    EXPECT_NEAR(box.Top, Y(100), 1);
    EXPECT_NEAR(box.Bottom, Y(0), 1);
    EXPECT_EQ(Pixel(X(40), row), clRed);

    Limit->SetFillStyle(bsClear);
    Limit->SetLineWidth(3);
    Paint();
    EXPECT_EQ(Pixel(X(40), row), clBlack);
    EXPECT_EQ(Pixel(X(20) - 1, row), clRed);
    EXPECT_EQ(Pixel(X(60) + 1, row), clRed);

    Limit->SetFillStyle(bsFDiagonal);
    Paint();
    Integer red = 0;
    for (Integer x = X(20) + 3; x < X(60) - 3; ++x) red += Pixel(x, row) == clRed;
    EXPECT_GT(red, 0);
    EXPECT_LT(red, X(60) - X(20) - 6);
    EXPECT_EQ(Pixel(X(20), row), clRed);
    EXPECT_EQ(Pixel(X(20) - 1, row), clBlack);  // edges one pixel wide

    // With ClipToAxes a band reaching past its axis stops at the axis.
    Limit->SetFillStyle(bsSolid);
    Limit->SetLine2Position(1000);
    Paint();
    EXPECT_EQ(Ink().Right, kWidth);
    Limit->SetClipToAxes(true);
    Paint();
    EXPECT_LE(Ink().Right, X(100) + 1);
}

TEST_F(PlotLimitTest, PolyBands)
{
    Limit->SetStyle(kplsPolyBandY);  // positions along X, limits on Y
    Limit->AddBandElement(0, 60, 40);
    Paint();
    EXPECT_EQ(Ink(), TRect{});  // one element is no band
    Limit->AddBandElement(50, 90, 10);
    Limit->AddBandElement(100, 60, 40);
    Paint();
    EXPECT_EQ(Pixel(X(50), Y(20)), clRed);
    EXPECT_NE(Pixel(X(50), Y(95)), clRed);
    EXPECT_NE(Pixel(X(10), Y(75)), clRed);
    EXPECT_FALSE(Hit(X(50), Y(50)));  // nothing to grab

    Limit->SetStyle(kplsPolyBandX);  // positions along Y, limits on X
    Limit->SetFillStyle(bsBDiagonal);
    Paint();
    EXPECT_EQ(Pixel(X(90), Y(50)), clRed);  // the solid edge
    EXPECT_NE(Pixel(X(95), Y(50)), clRed);

    // Sorted elements: pairs below the axis are skipped, drawing stops at
    // the first one above it.
    Limit->ClearAllElements();
    Limit->SetStyle(kplsPolyBandY);
    Limit->SetFillStyle(bsSolid);
    for (const Double at : {-24.0, -16.0, 10.0, 110.0, 124.0}) Limit->AddBandElement(at, 90, 10);
    Limit->AddBandElement(20, 99, 95);
    Limit->AddBandElement(30, 99, 95);
    Paint();
    EXPECT_NEAR(Ink().Left, X(-16), 1);
    EXPECT_NEAR(Ink().Right, X(110), 1);
    EXPECT_EQ(Pixel(X(25), Y(97)), clBlack);

    Limit->AddBandElement(5, 2, 2);
    EXPECT_THROW(Limit->AddBandElement(5, std::nan(""), 0), Exception);
    EXPECT_EQ(MessageOf([&] { Limit->AddBandElement(5, 1, 2); }),
              "the Upper Limit must be greater than or equal to the Lower Limit");
    EXPECT_EQ(Limit->PointList().Count(), 8);
}

TEST_F(PlotLimitTest, HugeAndInfiniteValuesDrawSafely)
{
    XAxis->SetMinSpan(-1e300, 1e300);
    Limit->SetStyle(kplsBandY);
    Limit->SetLine1Position(kInf);
    Limit->SetLine2Position(-1e308);
    Paint();
    const Integer middle = X(-5e299);
    EXPECT_EQ(Pixel(middle, Y(50)), clRed);

    Limit->SetStyle(kplsPolyBandX);
    Limit->AddBandElement(-kInf, kInf, -kInf);
    Limit->AddBandElement(1e308, 1e308, -1e308);
    Paint();
    EXPECT_EQ(Pixel(middle, Y(50)), clRed);

    // A drag far off the scale gives a value far off it, never an infinite one.
    Limit->SetStyle(kplsLineX);
    Limit->SetUserCanMove(true);
    Limit->SetLine1Position(0);
    Paint();
    Drag(X(0), Y(50), -2000000000, Y(50), -2000000000, Y(50));
    EXPECT_TRUE(std::isfinite(Limit->Line1Position()));
    EXPECT_LT(Limit->Line1Position(), -1e299);
}

TEST_F(PlotLimitTest, HitTestsAndCursors)
{
    EXPECT_TRUE(Hit(X(50), Y(50) - TkPlotLimit::ClickMargin));
    EXPECT_TRUE(Hit(X(50), Y(50) + TkPlotLimit::ClickMargin));
    EXPECT_FALSE(Hit(X(50), Y(50) + TkPlotLimit::ClickMargin + 1));
    Plot.SelectMode = false;
    EXPECT_FALSE(Hit(X(50), Y(50)));  // clicks pass through
    Limit->SetSelectModeOnlyInteraction(false);
    EXPECT_TRUE(Hit(X(50), Y(50)));

    // Reversed axes exchange (X pixel, Y pixel): the line stands upright.
    Limit->SetXYAxesReversed(true);
    Paint();
    EXPECT_EQ(Ink(), Rect(Y(50), X(0), Y(50) + 1, X(100)));
    EXPECT_TRUE(Hit(Y(50) + 3, X(40)));
    EXPECT_FALSE(Hit(X(40), Y(50)));

    EXPECT_EQ(Limit->GetMouseCursor({}), crDefault);
    Limit->SetUserCanMove(true);
    EXPECT_EQ(Limit->GetMouseCursor({}), crHandPoint);
    Limit->SetStyle(kplsBandY);
    Paint();
    EXPECT_EQ(Limit->GetMouseCursor({}), crSizeWE);
    Limit->SetXYAxesReversed(false);
    EXPECT_EQ(Limit->GetMouseCursor({}), crSizeNS);
}

TEST_F(PlotLimitTest, DragsAndClicks)
{
    // An immovable limit clicks when pressed and released on it.
    Drag(X(50), Y(50), X(50), Y(80), X(50), Y(50));
    EXPECT_EQ(Plot.Log, std::vector<String>{"click Limit 1"});
    Drag(X(50), Y(50), X(50), Y(80), X(50), Y(80));
    Drag(X(50), Y(80), X(50), Y(80), X(50), Y(50));
    Limit->kMouseUp(mbLeft, {}, X(50), Y(50), 0, 0, false, nullptr);  // never pressed
    EXPECT_EQ(Plot.Log.size(), 1u);
    EXPECT_TRUE(Plot.Moves.empty());

    // Every move that changes the value reports it.
    Limit->SetUserCanMove(true);
    Drag(X(30), Y(50) + 2, X(30), Y(70), X(30), Y(70));
    Drag(X(30), Y(70), X(35), Y(70), X(35), Y(70));
    EXPECT_EQ(Plot.Moves, std::vector<String>{"1:50>70"});
    EXPECT_EQ(Plot.Log.size(), 3u);

    // A band: the press picks the line under it.
    Limit->SetStyle(kplsBandX);
    Limit->SetLine1Position(20);
    Limit->SetLine2Position(80);
    Paint();
    Plot.Moves.clear();
    Drag(X(80) - 4, Y(50), X(90), Y(50), X(90), Y(50));
    EXPECT_EQ(Plot.Moves, std::vector<String>{"2:80>90"});

    // Outside select mode the press does not take.
    Plot.SelectMode = false;
    Drag(X(20), Y(50), X(40), Y(50), X(40), Y(50));
    EXPECT_EQ(Limit->Line1Position(), 20);
}

TEST_F(PlotLimitTest, AxesFollowedThroughRenameAndRemoval)
{
    XAxis->SetName("Time");  // after the look-up
    EXPECT_EQ(Limit->XAxisName(), "Time");
    Limit->SetYAxisName("y-axis 1");  // forgets the axis found
    YAxis->SetName("Volts");
    EXPECT_EQ(Limit->YAxisName(), "Volts");
    EXPECT_EQ(Limit->YAxis(), YAxis);
    TkPlotYAxis* spare = Plot.PutAxis<TkPlotYAxis>("Spare", Rect(20, 20, 50, 200), 0, 100);
    spare->SetName("Other");
    EXPECT_EQ(Limit->YAxisName(), "Volts");

    // Removed: nothing drawn or hit until an axis of that name exists.
    const Integer row = Y(50);
    Free(YAxis);
    YAxis = spare;
    EXPECT_FALSE(Hit(X(50), row));
    Paint();
    EXPECT_EQ(Ink(), TRect{});
    spare->SetName("Volts");
    Paint();
    EXPECT_NE(Ink(), TRect{});
}

}  // namespace
