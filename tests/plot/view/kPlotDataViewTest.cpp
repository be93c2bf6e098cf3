#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "components/plot/view/kPlotDataView.h"
#include "components/plot/input/kPlotToolBar.h"
#include "platform/Messages.h"
#include "support/Painted.h"
#include "support/PlotOnForm.h"
#include "tests/plot/kPlotAxesControlTestDoubles.h"

using AxesControlTest::At;
using AxesControlTest::TickPixels;
using PlotTest::TStandInPlot;

namespace {

constexpr TColor kGrid = clLime;
// A row that no horizontal grid line crosses (the Y ticks lie 40 pixels apart from 20).
constexpr Integer kRow = 101;

// X axis 0..100 under pixels 50..250, Y axis 0..100 beside pixels 180..20,
// and the data view between them.
class PlotDataViewTest : public ::testing::Test {
protected:
    TStandInPlot Plot;
    TOwned<TBitmap> Bitmap = CreateOwned<TBitmap>();
    TkPlotXAxis* XAxis = Plot.PutAxis("X-Axis 1", Rect(50, 180, 250, 210), 0, 100);
    TkPlotYAxis* YAxis = Plot.PutAxis<TkPlotYAxis>("Y-Axis 1", Rect(20, 20, 50, 180), 0, 100);
    TkPlotDataView* View = Plot.Add<TkPlotDataView>("Data View 1");

    void SetUp() override
    {
        Bitmap->SetSize(300, 240);
        View->SetLayoutRect(Rect(50, 20, 250, 180));
        View->SetDrawRect(Rect(50, 20, 250, 180));
        View->SetGridXAxisName("X-Axis 1");
        View->SetGridYAxisName("Y-Axis 1");
        View->SetGridLineColor(kGrid);
        Paint();
        Plot.Repaints = 0;
    }
    TCanvas* Canvas() { return Bitmap->Canvas(); }
    TColor Pixel(Integer X, Integer Y) { return Canvas()->Pixels(X, Y); }
    void Paint()
    {
        AxesControlTest::Blacken(Canvas(), 300, 240);
        for (const bool x : {true, false})
            for (Integer i = 0; i < Plot.AxisCount(x); ++i) Plot.GetAxis(x, i)->CalcTicks(Canvas());
        View->Draw(Plot.PaintContext(*View, Canvas()));
    }
    Integer XLine(Integer Index) { return TickPixels(XAxis, kpttMajor).at(Index); }
    void Gesture(Integer X1, Integer Y1, Integer X2, Integer Y2, bool DblClick = false)
    {
        View->DoMouseLeft(At(X1, Y1));
        View->DoMouseMove(At(X2, Y2));
        View->DoMouseUp(At(X2, Y2, DblClick));
    }
    void Reset()
    {
        XAxis->SetMinSpan(0, 100);
        YAxis->SetMinSpan(0, 100);
    }
};

TEST_F(PlotDataViewTest, DefaultsBoundsAndPercentPositions)
{
    View->SetGridLineXMinorWidth(1000000);  // damaged stream
    EXPECT_EQ(View->GridLineXMinorWidth(), TkPlotDataView::MaxGridLineWidth);
    View->SetGridLineXMinorWidth(-3);
    EXPECT_EQ(View->GridLineXMinorWidth(), 0);

    EXPECT_DOUBLE_EQ(View->PixelsYToPositionPercent(20), 100);
    EXPECT_DOUBLE_EQ(View->PixelsYToPositionPercent(180), 0);
    EXPECT_DOUBLE_EQ(View->PixelsXToPositionPercent(100), 25);
    EXPECT_EQ(View->PositionPercentToPixelsX(50), 150);
    EXPECT_EQ(View->PositionPercentToPixelsY(25), 140);
    View->SetDrawRect(Rect(0, 0, 5, 5));  // ties go to the even pixel
    EXPECT_EQ(View->PositionPercentToPixelsX(50), 2);
    EXPECT_EQ(View->PositionPercentToPixelsY(70), 2);
    View->SetDrawRect(Rect(30, 40, 30, 40));  // no size
    EXPECT_EQ(View->PixelsXToPositionPercent(77), 0);
    EXPECT_EQ(View->PixelsYToPositionPercent(77), 0);
    EXPECT_EQ(View->PositionPercentToPixelsX(50), 30);
    EXPECT_EQ(View->PositionPercentToPixelsY(50), 40);
}

TEST_F(PlotDataViewTest, GridLinesAtTickPixelsWithTheirPensAndAFrame)
{
    const std::vector<Integer> ys = TickPixels(YAxis, kpttMajor);
    ASSERT_GE(ys.size(), 3u);
    for (const Integer x : TickPixels(XAxis, kpttMajor)) EXPECT_EQ(Pixel(x, kRow), kGrid) << x;
    for (const Integer y : ys) EXPECT_EQ(Pixel(153, y), kGrid) << y;
    EXPECT_EQ(Pixel((XLine(1) + XLine(2)) / 2, kRow), clBlack);  // no minors unless asked
    for (const TPoint p : {Point(50, 60), Point(250, 60), Point(120, 20), Point(120, 180), Point(250, 180)})
        EXPECT_EQ(Pixel(p.X, p.Y), kGrid) << p.X << "," << p.Y;
    EXPECT_EQ(Pixel(251, 60), clBlack);

    View->SetGridLineShowXMinors(true);
    View->SetGridLineXMajorCustom(true);
    View->SetGridLineXMajorColor(clRed);
    View->SetGridLineXMinorCustom(true);
    View->SetGridLineXMinorColor(clYellow);
    View->SetGridLineXMinorWidth(3);
    Paint();
    EXPECT_EQ(Pixel(XLine(1), kRow), clRed);
    const std::vector<Integer> minors = TickPixels(XAxis, kpttMinor);
    ASSERT_FALSE(minors.empty());
    EXPECT_EQ(Pixel(minors[0], kRow), clYellow);
    EXPECT_EQ(Pixel(minors[0] + 1, kRow), clYellow);  // three pixels wide
    EXPECT_EQ(Pixel(153, ys[1]), kGrid);              // Y keeps the common pen
    EXPECT_EQ(Pixel(50, kRow), kGrid);                // the frame lies over the lines

    XAxis->SetGridLinesVisible(false);
    View->SetGridLineShowTop(false);
    Paint();
    EXPECT_EQ(Pixel(XLine(1), kRow), clBlack);
    View->SetGridShow(false);
    Paint();
    EXPECT_EQ(Pixel(153, ys[1]), clBlack);
    EXPECT_EQ(Pixel(120, 20), clBlack);
    EXPECT_EQ(Pixel(50, 60), kGrid);
}

TEST_F(PlotDataViewTest, GridAxesByNameOrAll)
{
    TkPlotXAxis* second = Plot.PutAxis("X-Axis 2", Rect(50, 180, 250, 210), 0, 70);
    Paint();
    const Integer only = TickPixels(second, kpttMajor).at(1);
    ASSERT_EQ(Pixel(only, kRow), clBlack);
    View->SetGridXAxisName("<all>");
    Paint();
    EXPECT_EQ(Pixel(only, kRow), kGrid);
    EXPECT_EQ(Pixel(XLine(1), kRow), kGrid);
    View->SetGridXAxisName("No Such Axis");
    Paint();
    EXPECT_EQ(Pixel(XLine(1), kRow), clBlack);

    // The cached axis follows a rename and is forgotten on removal.
    View->SetGridXAxisName("X-Axis 2");
    Paint();
    second->SetName("Time");
    EXPECT_EQ(View->GridXAxisName(), "Time");
    Free(second);
    Paint();
    EXPECT_EQ(Pixel(only, kRow), clBlack);
}

TEST_F(PlotDataViewTest, BackgroundFillsTheLayoutRectangleUnlessTransparent)
{
    AxesControlTest::Blacken(Canvas(), 300, 240);
    View->DrawBackground(Canvas());
    EXPECT_EQ(Pixel(120, kRow), clBlack);
    View->SetBackgroundTransparent(false);
    View->DrawBackground(Canvas());
    EXPECT_EQ(Pixel(120, kRow), TColor(8421376));
    EXPECT_EQ(Pixel(49, kRow), clBlack);
}

TEST_F(PlotDataViewTest, MouseModeAndCursor)
{
    EXPECT_EQ(View->GetMouseMode(), 0);
    EXPECT_EQ(View->GetMouseCursor({}), crDefault);
    View->SetAxesControlEnabled(true);
    EXPECT_EQ(View->GetMouseMode(), 3);
    EXPECT_EQ(View->GetMouseCursor({}), crHandPoint);
    Plot.ZoomBoxMode = true;
    EXPECT_EQ(View->GetMouseMode(), 1);
    EXPECT_EQ(View->GetMouseCursor({}), crDrag);
    Plot.SelectMode = true;
    EXPECT_EQ(View->GetMouseMode(), 2);
    View->SetAxesControlAllowInSelectMode(true);
    EXPECT_EQ(View->GetMouseMode(), 1);
}

TEST_F(PlotDataViewTest, ZoomBoxDraggedRightAndDownSetsEveryAxis)
{
    Plot.ZoomBoxMode = true;
    View->DoMouseLeft(At(100, 60));
    EXPECT_TRUE(View->ZoomBoxActive());
    EXPECT_FALSE(XAxis->TrackingEnabled());
    View->DoMouseMove(At(150, 120));
    EXPECT_EQ(Plot.Repaints, 2);
    View->DoMouseUp(At(150, 120));
    EXPECT_FALSE(View->ZoomBoxActive());
    EXPECT_DOUBLE_EQ(XAxis->Min(), 25);
    EXPECT_DOUBLE_EQ(XAxis->Max(), 50);
    EXPECT_DOUBLE_EQ(YAxis->Min(), 37.5);
    EXPECT_DOUBLE_EQ(YAxis->Max(), 75);
    EXPECT_EQ(Plot.Log, (std::vector<String>{"tracking off", "before zoom box 100,60,150,120", "click Data View 1"}));
}

TEST_F(PlotDataViewTest, OtherZoomBoxesLeaveTheAxes)
{
    Plot.ZoomBoxMode = true;
    Gesture(150, 120, 100, 60);  // up and left
    Gesture(100, 120, 150, 60);  // up and right
    Gesture(100, 60, 150, 120, true);
    Plot.OnBeforeZoomBox = [](TRect&, bool& Cancel) { Cancel = true; };
    Gesture(100, 60, 150, 120);
    Plot.OnBeforeZoomBox = nullptr;
    View->DoMouseLeft(At(100, 60));
    View->DoMouseMove(At(150, 120));
    Word escape = VK_ESCAPE;
    View->kKeyDown(escape, {}, nullptr);
    EXPECT_FALSE(View->ZoomBoxActive());
    View->DoMouseUp(At(150, 120));
    EXPECT_EQ(XAxis->Span(), 100);
    EXPECT_EQ(YAxis->Span(), 100);
}

TEST_F(PlotDataViewTest, DragsMoveTheChosenAxesOnlyUnderAxesControl)
{
    Gesture(100, 100, 140, 60);
    EXPECT_EQ(XAxis->Min(), 0);
    EXPECT_TRUE(XAxis->TrackingEnabled());
    EXPECT_EQ(Plot.Log, (std::vector<String>{"click Data View 1"}));
    View->DoMouseLeft(At(100, 100));
    View->DoMouseUp(At(260, 100));  // released outside: no click
    EXPECT_EQ(Plot.Log.size(), 1u);

    View->SetAxesControlEnabled(true);
    Gesture(100, 100, 140, 60);
    EXPECT_DOUBLE_EQ(XAxis->Min(), -20);
    EXPECT_DOUBLE_EQ(YAxis->Min(), -25);
    struct TCase {
        TkPlotAxesControlStyle Style;
        bool Shift;
        bool XMoves;
        bool YMoves;
    };
    for (const auto& [style, shift, xMoves, yMoves] :
         {TCase{kpacsXAxis, false, true, false}, TCase{kpacsXAxis, true, false, true},
          TCase{kpacsYAxis, false, false, true}, TCase{kpacsYAxis, true, true, false},
          TCase{kpacsNone, false, false, false}}) {
        Reset();
        View->SetAxesControlMouseStyle(style);
        View->SetShiftState(shift ? TShiftState{ssShift} : TShiftState{});
        Gesture(100, 100, 140, 60);
        EXPECT_EQ(XAxis->Min() != 0, xMoves) << style << shift;
        EXPECT_EQ(YAxis->Min() != 0, yMoves) << style << shift;
    }
}

TEST_F(PlotDataViewTest, ShiftDragInBothDirectionsLocksTheFirstDirection)
{
    View->SetAxesControlEnabled(true);
    View->SetShiftState(TShiftState{ssShift});
    View->DoMouseLeft(At(100, 100));
    View->DoMouseMove(At(103, 103));  // not far enough to choose
    EXPECT_EQ(XAxis->Min(), 0);
    View->DoMouseMove(At(105, 101));  // 5 right, 1 down: X
    EXPECT_DOUBLE_EQ(XAxis->Min(), -2.5);
    View->DoMouseMove(At(125, 20));
    EXPECT_DOUBLE_EQ(XAxis->Min(), -12.5);
    EXPECT_EQ(YAxis->Min(), 0);
    View->DoMouseUp(At(125, 20));

    Reset();  // a new press chooses again; Y wins when both qualify
    View->DoMouseLeft(At(100, 100));
    View->DoMouseMove(At(110, 92));
    EXPECT_EQ(XAxis->Min(), 0);
    EXPECT_DOUBLE_EQ(YAxis->Min(), -5);
}

TEST_F(PlotDataViewTest, RightDragBecomesAZoomBoxAfterSixPixels)
{
    View->SetAxesControlEnabled(true);
    View->DoMouseRight(At(100, 60));
    View->DoMouseMove(At(105, 65));
    EXPECT_FALSE(View->ZoomBoxActive());
    View->DoMouseMove(At(106, 61));
    EXPECT_TRUE(View->ZoomBoxActive());
    View->DoMouseMove(At(150, 120));
    View->DoMouseUp(At(150, 120));
    EXPECT_DOUBLE_EQ(XAxis->Min(), 25);
    EXPECT_DOUBLE_EQ(YAxis->Max(), 75);
}

TEST_F(PlotDataViewTest, WheelReachesEachChosenAxisOnce)
{
    TkPlotXAxis* second = Plot.PutAxis("X-Axis 2", Rect(50, 180, 250, 210), 0, 100);
    XAxis->SetMasterUIInput(true);
    second->SetMasterUIInput(true);
    EXPECT_FALSE(View->DoMouseWheel(120, {}, 0, 0));
    View->SetAxesControlEnabled(true);
    EXPECT_TRUE(View->DoMouseWheel(120, {}, 0, 0));
    EXPECT_DOUBLE_EQ(XAxis->Min(), 5);
    EXPECT_DOUBLE_EQ(second->Min(), 5);
    EXPECT_EQ(YAxis->Min(), 0);
    EXPECT_FALSE(Plot.Forwarding);
    XAxis->DoMouseWheel(-120, {}, 0, 0);  // an axis of its own passes the wheel on
    EXPECT_NEAR(second->Min(), 0, 1e-12);
    View->DoMouseWheel(120, TShiftState{ssShift}, 0, 0);
    EXPECT_DOUBLE_EQ(YAxis->Min(), 5);
}

// The zoom box on a real plot, as the user sees it during and after a drag.
using ZoomBoxOnPlotTest = PlotTest::PlotOnForm;

TEST_F(ZoomBoxOnPlotTest, TheBoxShowsOnBlackAndOnWhiteAndTheZoomLeavesNothingElseBehind)
{
    Plot->GetToolBar(0)->SetVisible(false);
    Plot->GetToolBar(0)->DoButtonClickZoomBox();
    View()->SetBackgroundTransparent(false);
    const auto scales = [this] { return std::array{X()->Min(), X()->Span(), Y()->Min(), Y()->Span()}; };
    const auto start = scales();
    for (const TColor background : {clBlack, clWhite}) {
        View()->SetBackgroundColor(background);
        const TRect v = View()->DrawRect();
        const TPoint from = Point(v.Left + 31, v.Top + 23);
        const TPoint to = Point(v.Left + 157, v.Top + 91);
        Click(from);  // selects the view as the drag does
        const TOwned<TBitmap> before = PaintedAlone(Plot);

        Press(from);
        Move(to, {ssLeft});
        const TOwned<TBitmap> during = PaintedAlone(Plot);
        Integer changed = 0;
        for (Integer x = from.X; x < to.X; ++x)
            for (const Integer y : {from.Y, to.Y - 1})
                changed += during->Canvas()->Pixels(x, y) != before->Canvas()->Pixels(x, y);
        EXPECT_GE(changed * 3, 2 * (to.X - from.X)) << "background " << background;

        Release(to);
        EXPECT_NE(scales(), start);
        X()->SetMinSpan(start[0], start[1]);
        Y()->SetMinSpan(start[2], start[3]);
        EXPECT_TRUE(SamePixels(PaintedAlone(Plot).get(), before.get())) << "background " << background;
    }
}

}  // namespace
