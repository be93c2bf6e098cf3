// The plot's layout round the data view, its paint, and the layout kept between paints.

#include <gtest/gtest.h>

#include <cmath>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLabel.h"
#include "components/plot/layout/kPlotLegend.h"
#include "components/plot/view/kPlotDataView.h"
#include "components/plot/view/kPlotLimit.h"
#include "platform/Math.h"
#include "platform/SysApi.h"
#include "support/PlotRoles.h"

namespace {

constexpr TColor Unpainted = 0x00FF00FF;

class PlotPaintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { kXYPlotInitialization(); }

    TOwned<TkXYPlot> Plot{Create<TkXYPlot>(nullptr)};
    TOwned<TBitmap> Bitmap{CreateOwned<TBitmap>()};

    TCanvas* Canvas() const { return Bitmap->Canvas(); }
    TkPlotXAxis* X() const { return Plot->GetXAxis(0); }
    TkPlotYAxis* Y() const { return Plot->GetYAxis(0); }
    TkPlotLabel* Title() const { return Plot->GetLabel(0); }
    TRect View() const { return Plot->GetDataView(0)->DrawRect(); }
    TRect ViewCell() const { return Plot->GetDataView(0)->LayoutRect(); }
    Integer Size(TkPlotLayoutObject* Object) const { return Object->GetRequiredSize(Canvas()); }
    Integer EndMargin(TkPlotLayoutObject* Object) const { return Object->GetRequiredEndMargin(Canvas()); }

    // Paints on a bitmap of the plot's size, filled first with Unpainted.
    void Paint()
    {
        Bitmap->SetSize(Plot->Width(), Plot->Height());
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->Brush()->SetColor(Unpainted);
        Canvas()->FillRect(Whole());
        Plot->kPaintTo(Canvas());
    }

    TRect Whole() const { return Rect(0, 0, Plot->Width(), Plot->Height()); }
    Integer CountIn(const TRect& R, TColor Color) const
    {
        Integer count = 0;
        for (Integer y = R.Top; y < R.Bottom; ++y)
            for (Integer x = R.Left; x < R.Right; ++x) count += Canvas()->Pixels(x, y) == Color;
        return count;
    }

    void AddSine(TkPlotChannelCustom* Channel, Integer Count)
    {
        for (Integer i = 0; i < Count; ++i) Channel->AddXY(i, std::sin(2 * Pi * i / 360));
    }
    void PageUp(TkPlotAxis* Axis)
    {
        Word key = VK_PRIOR;
        Axis->kKeyDown(key, TShiftState{}, nullptr);
    }
};

// The first plot of the main window as its form data sets it up.
void SetUpLikeTheMainWindow(TkXYPlot& Plot)
{
    Plot.SetBounds(10, 0, 739, 162);
    Plot.SetAutoFrameRate(false);
    Plot.SetUpdateFrameRate(0);
    Plot.SetTitleText("Signal X(tau) ou X(K)");
    Plot.TitleFont()->SetHeight(-19);
    Plot.GetToolBar(0)->SetVisible(false);
    TkPlotXAxis* x = Plot.GetXAxis(0);
    x->SetSpan(1080);
    x->SetTitle("t");
    x->SetTrackingAlignFirstStyle(kpafsAuto);
    TkPlotYAxis* y = Plot.GetYAxis(0);
    y->SetSpan(1);
    y->SetTitle("Y-Axis 1");
    TkPlotChannelCustom* channel = Plot.GetChannel(0);
    channel->SetName("Channel1");
    channel->SetTitleText("X(tau) ou X(k)");
    channel->SetXAxisName(x->Name());
    channel->SetYAxisName(y->Name());
    Plot.GetDataView(0)->SetGridXAxisName(x->Name());
    Plot.GetDataView(0)->SetGridYAxisName(y->Name());
    Plot.GetDataCursor(0)->SetVisible(false);
}

TEST_F(PlotPaintTest, TheMainWindowPlotDrawsAxesGridTitleAndTrace)
{
    SetUpLikeTheMainWindow(*Plot);
    AddSine(Plot->GetChannel(0), 1080);
    Integer afterPaint = 0;
    Plot->OnAfterPaint = [&](TObject*) { afterPaint += Plot->Painting() ? 100 : 1; };
    Paint();
    EXPECT_EQ(afterPaint, 1);

    // Border 2 and outer margins 5; the title on top, the X axis at the
    // bottom, the Y axis on the left, the legend (row 2) on the right.
    const TRect view = View();
    EXPECT_EQ(view, ViewCell());
    EXPECT_EQ(view.Top, Size(Title()) + 2 + 5);
    EXPECT_EQ(view.Left, Size(Y()) + 2 + 5);
    EXPECT_EQ(view.Bottom, Plot->Height() - Size(X()) - 2 - 5 - 1);
    EXPECT_EQ(view.Right, Plot->Width() - Size(Plot->GetLegend(0)) - 2 - 5 - 1);
    EXPECT_EQ(Y()->DrawRect(), Rect(view.Left - Size(Y()), view.Top, view.Left, view.Bottom));
    EXPECT_EQ(X()->DrawRect(), Rect(view.Left, view.Bottom, view.Right, view.Bottom + Size(X())));
    // The title spans the plot inside the outer margins, the border counted
    // on the left only.
    EXPECT_EQ(Title()->DrawRect(), Rect(2 + 5, view.Top - Size(Title()), Plot->Width() - 5, view.Top));

    // Background inside the border, the trace over the grid, the scale
    // lines at the inner margin from the data view, the title, the labels.
    EXPECT_EQ(Canvas()->Pixels(4, 4), clBlack);
    EXPECT_EQ(Canvas()->Pixels(view.Left + 3, view.Top + 3), clBlack);
    EXPECT_GT(CountIn(view, Plot->GetChannel(0)->Color()), 700);
    EXPECT_GT(CountIn(view, Plot->GetDataView(0)->GridLineColor()), 100);
    for (const Integer x : {view.Left, (view.Left + view.Right) / 2, view.Right})
        EXPECT_EQ(Canvas()->Pixels(x, view.Bottom + X()->InnerMargin()), clWhite) << x;
    for (const Integer y : {view.Top, (view.Top + view.Bottom) / 2, view.Bottom})
        EXPECT_EQ(Canvas()->Pixels(view.Left - Y()->InnerMargin(), y), clWhite) << y;
    EXPECT_GT(CountIn(Title()->DrawRect(), clWhite), 100);
    EXPECT_GT(CountIn(Rect(view.Left, view.Bottom + 6, view.Right, Plot->Height()), clWhite), 50);
    EXPECT_EQ(CountIn(Whole(), Unpainted), 0);
}

TEST_F(PlotPaintTest, AxesOnOneSideStandInRowsOrShareOne)
{
    // A new Y axis takes row 0, outermost; the first moves one row in.
    TkPlotYAxis* outer = Plot->GetYAxis(Plot->AddYAxis());
    Plot->ReCalcLayout();
    TRect view = View();
    EXPECT_EQ(outer->DrawRect().Right, Y()->DrawRect().Left);
    EXPECT_EQ(view.Left, Size(Y()) + Size(outer) + 2 + 5);

    // Sharing row 0 split at 50 %: one band as deep as the deeper axis,
    // stacked where they meet.
    TkPlotLayoutManager* layout = Plot->Master().LayoutManager();
    Y()->SetStopPercent(50);
    outer->SetStartPercent(50);
    layout->RemoveZOrder(outer);
    layout->InsertZOrder(outer, Y()->ZOrder(), kidMerge);
    outer->SetLabelsFont(Y()->LabelsFont());
    outer->LabelsFont()->SetHeight(-20);
    Plot->ReCalcLayout();
    view = ViewCell();
    EXPECT_EQ(view.Left, std::max(Size(Y()), Size(outer)) + 2 + 5);
    EXPECT_EQ(Y()->DrawRect().Left, outer->DrawRect().Left);
    EXPECT_TRUE(Y()->StopStacked());
    EXPECT_FALSE(Y()->StartStacked());
    EXPECT_TRUE(outer->StartStacked());
    const Integer half = RoundPix((view.Bottom - view.Top) * 0.5L);
    EXPECT_EQ(Y()->DrawRect().Bottom, view.Bottom);
    EXPECT_EQ(Y()->DrawRect().Top, view.Bottom - half);
    EXPECT_EQ(outer->DrawRect().Bottom, view.Bottom - half);
    EXPECT_EQ(outer->DrawRect().Top, view.Top);
    // The stacked ends leave room for the half labels between the scales.
    EXPECT_LT(outer->ScaleRect().Bottom, Y()->ScaleRect().Top);
    EXPECT_EQ(View().Top, outer->ScaleRect().Top);
    EXPECT_EQ(View().Bottom, Y()->ScaleRect().Bottom);

    // Forced stacking keeps room at both ends of a lone axis.
    X()->SetForceStacking(true);
    Plot->ReCalcLayout();
    EXPECT_GT(X()->ScaleRect().Left, X()->DrawRect().Left);
    EXPECT_LT(X()->ScaleRect().Right, X()->DrawRect().Right);
    EXPECT_EQ(View().Left, X()->ScaleRect().Left);
}

TEST_F(PlotPaintTest, LabelsStandAboveAndBelowTheDataView)
{
    // A new label takes row 0 below the view, outside the X axis.
    TkPlotLabel* footer = Plot->GetLabel(Plot->AddLabel());
    footer->SetCaption("Footer");
    Plot->ReCalcLayout();
    const TRect view = View();
    EXPECT_EQ(footer->DrawRect().Top, X()->DrawRect().Bottom);
    EXPECT_EQ(footer->DrawRect().Bottom, footer->DrawRect().Top + Size(footer));
    EXPECT_EQ(view.Bottom, Plot->Height() - Size(X()) - Size(footer) - 2 - 5 - 1);

    // Along the side a label covers its share of the plot inside the border
    // and outer margins, not of the data view.
    footer->SetStartPercent(50);
    Plot->SetOuterMarginLeft(10);
    Plot->ReCalcLayout();
    const Integer w = Plot->Width() - 2 - 10 - 5;
    EXPECT_EQ(footer->DrawRect().Left, RoundPix(w * 0.5L) + 2 + 10);
    EXPECT_EQ(footer->DrawRect().Right, w + 2 + 10);
}

TEST_F(PlotPaintTest, ALegendStandsRightOfTheDataViewAlongItsHeight)
{
    TkPlotLegend* legend = Plot->GetLegend(0);
    legend->SetStartPercent(25);
    // A vertical label on a row beyond the legend's.
    TkPlotLabel* side = Plot->GetLabel(Plot->AddLabel());
    side->SetCaption("Side");
    side->SetHorizontal(false);
    side->SetZOrder(legend->ZOrder() + 1);
    Plot->ReCalcLayout();

    const TRect view = View();
    const TRect r = legend->DrawRect();
    EXPECT_EQ(r.Left, view.Right);
    EXPECT_EQ(r.Right, view.Right + Size(legend));
    EXPECT_EQ(r.Top, view.Top);
    EXPECT_EQ(r.Bottom, view.Bottom - RoundPix((view.Bottom - view.Top) * 0.25L));
    EXPECT_EQ(side->DrawRect().Left, r.Right);
    EXPECT_EQ(side->DrawRect().Right, r.Right + Size(side));
    EXPECT_EQ(view.Right, Plot->Width() - Size(legend) - Size(side) - 2 - 5 - 1);
}

TEST_F(PlotPaintTest, HiddenObjectsTakeNoRoom)
{
    Title()->SetVisible(false);
    Plot->GetToolBar(0)->SetVisible(false);
    Y()->SetVisible(false);
    Plot->ReCalcLayout();
    const TRect after = View();
    // What is left: the half labels that overhang the ends of the objects
    // of the other sides.
    EXPECT_EQ(after.Top, EndMargin(Plot->GetLegend(0)) + 2 + 5);
    EXPECT_EQ(after.Left, EndMargin(X()) + 2 + 5);
    // Hidden objects still get their extent along the side.
    EXPECT_EQ(Y()->DrawRect().Top, after.Top);
    EXPECT_EQ(Y()->DrawRect().Bottom, after.Bottom);
}

TEST_F(PlotPaintTest, ALoneToolBarOnTopHugsTheBorder)
{
    Title()->SetVisible(false);
    TkPlotToolBar* toolBar = Plot->GetToolBar(0);
    toolBar->SetZOrder(7);
    Plot->ReCalcLayout();
    EXPECT_EQ(toolBar->DrawRect().Top, 2);
    EXPECT_EQ(toolBar->DrawRect().Left, 2);
    EXPECT_EQ(toolBar->DrawRect().Right, Plot->Width() - 2 - 1);
    // The view keeps room for the overhang of the Y labels twice: once in
    // the top depth (unless the toolbar is deeper), once beside the toolbar.
    EXPECT_EQ(View().Top, std::max(Size(toolBar), EndMargin(Y())) + 2 + 5 + EndMargin(Y()));
    Plot->SetBorderStyle(kbsNone);
    Plot->ReCalcLayout();
    EXPECT_EQ(toolBar->DrawRect().Top, 0);
}

TEST_F(PlotPaintTest, AnAlignedAxisTakesItsReferenceExtent)
{
    TkPlotYAxis* aligned = Plot->GetYAxis(Plot->AddYAxis());
    aligned->SetStopPercent(40);
    aligned->SetAlignRefAxisName(Y()->Name());
    Plot->ReCalcLayout();
    EXPECT_EQ(aligned->DrawRect(), Rect(Y()->DrawRect().Left - Size(aligned), Y()->DrawRect().Top,
                                        Y()->DrawRect().Left, Y()->DrawRect().Bottom));
}

TEST_F(PlotPaintTest, CartesianAxesCrossTheDataView)
{
    X()->SetCartesianStyle(kpcsMaster);
    Y()->SetCartesianStyle(kpcsChild);
    Y()->SetCartesianChildRefAxisName(X()->Name());
    Y()->SetCartesianChildRefValue(25);
    Plot->ReCalcLayout();
    const TRect view = ViewCell();
    // Cartesian axes take no band: the view reaches the margins.
    EXPECT_EQ(view.Bottom, Plot->Height() - 2 - 5 - 1);
    const Integer middle = (view.Top + view.Bottom) / 2;
    EXPECT_EQ(X()->DrawRect(), Rect(view.Left, middle, view.Right, middle));
    const Integer at = X()->PositionToPixels(25);
    EXPECT_EQ(Y()->DrawRect(), Rect(at, view.Top, at, view.Bottom));

    Y()->SetCartesianChildRefAxisName("No such axis");
    Plot->ReCalcLayout();
    EXPECT_EQ(Y()->DrawRect(), TRect{});
}

TEST_F(PlotPaintTest, PlotsTooSmallForTheirMarginsOrHugeStayWhole)
{
    AddSine(Plot->GetChannel(0), 100);
    for (const auto& [width, height] : {std::pair{30, 20}, {3, 2}, {0, 0}}) {
        Plot->SetBounds(0, 0, width, height);
        Plot->ReCalcLayout();
        const TRect view = ViewCell();
        EXPECT_GE(view.Right, view.Left) << width;
        EXPECT_GE(view.Bottom, view.Top) << width;
        for (TkPlotLayoutObject* object : std::initializer_list<TkPlotLayoutObject*>{X(), Y(), Title()}) {
            EXPECT_GE(object->Width(), 0) << width << " " << object->Name();
            EXPECT_GE(object->Height(), 0) << width << " " << object->Name();
        }
    }
    // A plot as wide as a bitmap may be, and margins far beyond any screen.
    Plot->SetBounds(0, 0, 32000, 100);
    Bitmap->SetSize(50, 50);
    Plot->kPaintTo(Canvas());
    EXPECT_EQ(X()->ScaleRect().Right, ViewCell().Right);
    EXPECT_GT(X()->TickListCount(), 10);
    Plot->SetOuterMarginLeft(2000000000);
    Plot->SetOuterMarginTop(2000000000);
    Plot->SetOuterMarginRight(-2000000000);
    Plot->kPaintTo(Canvas());
    EXPECT_GE(ViewCell().Right, ViewCell().Left);
    EXPECT_GE(ViewCell().Bottom, ViewCell().Top);

    // Without axes the channels' view spans nothing at all.
    Plot->RemoveAllXAxes();
    Plot->RemoveAllYAxes();
    Plot->kPaintTo(Canvas());
    EXPECT_EQ(View(), Rect(Plot->Width(), Plot->Height(), 0, 0));
}

TEST_F(PlotPaintTest, APaintThatRaisesOrHasNothingToDrawEndsCleanly)
{
    Plot->OnXAxisCustomizeLabel = [](TObject*, Integer, Double, String&) { throw Exception("label refused"); };
    EXPECT_THROW(Paint(), Exception);
    EXPECT_FALSE(Plot->Painting());
    Plot->OnXAxisCustomizeLabel = nullptr;

    // Without toolbar, legend or data view nothing is drawn.
    Plot->RemoveAllToolBars();
    Paint();
    EXPECT_EQ(CountIn(Whole(), Unpainted), Plot->Width() * Plot->Height());
    EXPECT_FALSE(Plot->Painting());
}

TEST_F(PlotPaintTest, ChannelsDrawByLayerAndTheFirstOfALayerOnTop)
{
    TkPlotChannelCustom* first = Plot->GetChannel(0);
    TkPlotChannelCustom* second = Plot->GetChannel(Plot->AddChannel());
    first->SetColor(clRed);
    second->SetColor(clLime);
    for (TkPlotChannelCustom* channel : {first, second}) {
        channel->AddXY(0, 50);
        channel->AddXY(100, 50);
    }
    Paint();
    const TRect view = View();
    const TRect row = Rect(view.Left + 5, view.Top, view.Right - 5, view.Bottom);
    EXPECT_GT(CountIn(row, clRed), 0);
    EXPECT_EQ(CountIn(row, clLime), 0);

    // Layers order by value, beyond six digits and below zero too.
    first->SetLayer(999999);
    second->SetLayer(1000000);
    Paint();
    EXPECT_EQ(CountIn(row, clRed), 0);
    first->SetLayer(-1);
    second->SetLayer(-5);
    Paint();
    EXPECT_EQ(CountIn(row, clLime), 0);
    // A channel under the data view's layer lies under the grid.
    Plot->GetDataView(0)->SetGridShow(true);
    Plot->GetDataView(0)->SetGridLineShowYMajors(true);
    EXPECT_GT(CountIn(row, Plot->GetDataView(0)->GridLineColor()), 0);
}

TEST_F(PlotPaintTest, FilledLimitsLieUnderTheGridAndLinesOverIt)
{
    TkPlotLimit* limit = Plot->GetLimit(Plot->AddLimit());
    limit->SetXAxisName(X()->Name());
    limit->SetYAxisName(Y()->Name());
    limit->SetColor(clNavy);
    limit->SetStyle(kplsBandY);
    limit->SetLine1Position(0);
    limit->SetLine2Position(100);
    Paint();
    const TRect view = View();
    const TColor grid = Plot->GetDataView(0)->GridLineColor();
    const TRect gridRow = Rect(view.Left + 1, Y()->PositionToPixels(50), view.Right, Y()->PositionToPixels(50) + 1);
    EXPECT_GT(CountIn(view, clNavy), 1000);
    EXPECT_EQ(CountIn(gridRow, grid), gridRow.Right - gridRow.Left);

    limit->SetStyle(kplsLineY);
    limit->SetLine1Position(50);
    Paint();
    EXPECT_EQ(CountIn(gridRow, grid), 0);
}

TEST_F(PlotPaintTest, DrawingInsideTheDataViewIsClippedAndTheHostClipKept)
{
    TkPlotChannelCustom* channel = Plot->GetChannel(0);
    channel->SetColor(clRed);
    Plot->GetLegend(0)->SetVisible(false);
    X()->SetTrackingEnabled(false);
    // A line far beyond the scale on both ends.
    channel->AddXY(-1000, 50);
    channel->AddXY(1000, 50);
    Paint();
    const TRect view = View();
    EXPECT_GT(CountIn(view, clRed), 0);
    EXPECT_EQ(CountIn(Rect(0, 0, view.Left, Plot->Height()), clRed), 0);
    EXPECT_EQ(CountIn(Rect(view.Right + 1, 0, Plot->Width(), Plot->Height()), clRed), 0);

    // A host that paints the plot into the left half of its canvas keeps
    // the right half.
    Canvas()->Brush()->SetColor(Unpainted);
    Canvas()->FillRect(Rect(0, 0, Plot->Width(), Plot->Height()));
    const Integer saved = SaveDC(Canvas());
    IntersectClipRect(Canvas(), 0, 0, Plot->Width() / 2, Plot->Height());
    Plot->kPaintTo(Canvas());
    RestoreDC(Canvas(), saved);
    EXPECT_EQ(CountIn(Rect(Plot->Width() / 2, 0, Plot->Width(), Plot->Height()), Unpainted),
              (Plot->Width() - Plot->Width() / 2) * Plot->Height());
    EXPECT_EQ(CountIn(Rect(0, 0, Plot->Width() / 2, Plot->Height()), Unpainted), 0);
}

TEST_F(PlotPaintTest, TheHintBoxShowsWhileTheHintShows)
{
    const TkPlotHintData hint{.Text = "Hint", .Left = 100, .Top = 50, .Width = 60, .Height = 20};
    Plot->SetHint(hint, true);
    Paint();
    EXPECT_TRUE(PlotTest::RolesOf(*Plot).Hint.Drawn());
    EXPECT_GT(CountIn(Rect(100, 50, 160, 70), ColorToRGB(clInfoBk)), 400);
    EXPECT_GT(CountIn(Rect(100, 50, 160, 70), ColorToRGB(clInfoText)), 0);
    Canvas()->SetFont(Plot->HintsFont());
    EXPECT_EQ(PlotTest::SeamOf(*Plot).Input->HintTextExtent("Hint").cx, Canvas()->TextWidth("Hint"));

    Plot->SetHint(hint, false);
    Paint();
    EXPECT_FALSE(PlotTest::RolesOf(*Plot).Hint.Drawn());
    EXPECT_EQ(CountIn(Rect(100, 50, 160, 70), ColorToRGB(clInfoBk)), 0);
}

TEST_F(PlotPaintTest, AHandlerThatRemovesObjectsDuringAPaintEndsItSafely)
{
    // The X labels reach the handler while ticks are made, while the layout
    // measures and while the axis draws: remove the Y axes at each of those
    // moments in turn.
    for (Integer removeAt = 1; removeAt < 60; removeAt += 3) {
        TOwned<TkXYPlot> plot(Create<TkXYPlot>(nullptr));
        AddSine(plot->GetChannel(0), 50);
        plot->AddYAxis();
        Integer calls = 0;
        plot->OnXAxisCustomizeLabel = [&](TObject*, Integer, Double, String&) {
            if (++calls == removeAt) plot->RemoveAllYAxes();
        };
        Bitmap->SetSize(plot->Width(), plot->Height());
        plot->kPaintTo(Canvas());
        plot->kPaintTo(Canvas());
        EXPECT_EQ(plot->YAxisCount(), calls >= removeAt ? 0 : 2) << removeAt;
        EXPECT_FALSE(plot->Painting());
    }
}

TEST_F(PlotPaintTest, OccupiedRectanglesRefuseOverlapsAndPlacesOutsideTheView)
{
    Plot->ReCalcLayout();
    const TRect view = View();
    std::vector<TRect> taken;
    TkPlotOccupiedRects occupied(taken, view);
    // The first is taken wherever it lies.
    EXPECT_TRUE(occupied.TryAdd(Rect(-50, -50, -40, -40)));
    EXPECT_TRUE(occupied.TryAdd(Rect(view.Left, view.Top, view.Left + 10, view.Top + 10)));
    // Touching is not overlapping.
    EXPECT_TRUE(occupied.TryAdd(Rect(view.Left + 10, view.Top, view.Left + 20, view.Top + 10)));
    EXPECT_FALSE(occupied.TryAdd(Rect(view.Left + 5, view.Top + 5, view.Left + 15, view.Top + 15)));
    EXPECT_FALSE(occupied.TryAdd(Rect(view.Right - 5, view.Top + 20, view.Right + 5, view.Top + 30)));
    occupied.Add(Rect(view.Left, view.Top + 40, view.Right, view.Top + 41));
    EXPECT_FALSE(occupied.TryAdd(Rect(view.Left + 30, view.Top + 35, view.Left + 40, view.Top + 45)));
    // Each paint starts afresh: a Cartesian axis shows its labels at every paint.
    TkPlotYAxis* cartesian = Plot->GetYAxis(Plot->AddYAxis());
    cartesian->SetCartesianStyle(kpcsMaster);
    cartesian->LabelsFont()->SetColor(clFuchsia);
    Paint();
    const Integer labels = CountIn(View(), clFuchsia);
    Paint();
    EXPECT_GT(labels, 0);
    EXPECT_EQ(CountIn(View(), clFuchsia), labels);
}

// A hit test takes the axes that the last paint drew the channel against,
// while they hold; before the first paint, after a rebinding or a removal it
// finds them as the next paint will.
TEST_F(PlotPaintTest, HitTestsTakeTheAxesOfTheLastPaintWhileTheyHold)
{
    TkPlotChannelCustom* channel = Plot->GetChannel(0);
    for (TkPlotAxis* axis : {static_cast<TkPlotAxis*>(X()), static_cast<TkPlotAxis*>(Y())}) {
        axis->SetTrackingEnabled(false);
        axis->SetMinSpan(0, 100);
    }
    channel->SetXAxisName(X()->Name());
    channel->SetYAxisName(Y()->Name());
    channel->SetMarkersVisible(true);
    channel->AddXY(50, 50);
    Plot->GetToolBar(0)->SetShowSelectButton(true);
    Plot->SetToolBarSelectMode(true);
    const auto hit = [&] { return channel->HitTest(X()->PositionToPixels(50), Y()->PositionToPixels(50)); };
    EXPECT_TRUE(hit());
    Paint();
    EXPECT_TRUE(hit());
    channel->SetYAxisName("none");
    EXPECT_FALSE(hit());
    channel->SetYAxisName(Y()->Name());
    Paint();
    const TPoint marker = Point(X()->PositionToPixels(50), Y()->PositionToPixels(50));
    Plot->DeleteXAxis(0);
    EXPECT_FALSE(channel->HitTest(marker.X, marker.Y));
}

TEST_F(PlotPaintTest, AGestureOnAnAxisReachesTheOtherAxesOfItsDirectionOnce)
{
    TkPlotXAxis* second = Plot->GetXAxis(Plot->AddXAxis());
    for (TkPlotAxis* axis : std::initializer_list<TkPlotAxis*>{X(), second, Y()}) {
        axis->SetMasterUIInput(true);
        axis->SetMinSpan(0, 100);
    }
    std::vector<String> finished;
    Plot->OnXAxisMinSpanChangeFinished = [&](TObject*, Integer Index, Double, Double, Double NewMin, Double) {
        finished.push_back(IntToStr(Index) + " " + FloatToStr(NewMin));
        if (Index == 1 && NewMin > 100) throw Exception("finish refused");
    };
    Plot->ReCalcLayout();
    PageUp(X());
    EXPECT_EQ(X()->Min(), 100);
    EXPECT_EQ(second->Min(), 100);
    EXPECT_EQ(Y()->Min(), 0);
    EXPECT_EQ(finished, (std::vector<String>{"1 100", "0 100"}));
    EXPECT_FALSE(PlotTest::SeamOf(*Plot).Input->AxesForwarding());

    // A handler raising for the forwarded axis ends the gesture; the next one is forwarded again.
    EXPECT_THROW(PageUp(X()), Exception);
    EXPECT_FALSE(PlotTest::SeamOf(*Plot).Input->AxesForwarding());
    Plot->OnXAxisMinSpanChangeFinished = nullptr;
    const Double secondMin = second->Min();
    PageUp(X());
    EXPECT_EQ(second->Min(), secondMin + 100);

    Plot->DisableAllTracking();
    EXPECT_FALSE(Y()->TrackingEnabled());
    EXPECT_FALSE(second->TrackingEnabled());
}

// The layout a paint leaves, to compare with a layout made from scratch.
struct TPlacement {
    TRect View;
    TRect XAxis;
    TRect YAxis;
    TRect Title;
    bool operator==(const TPlacement&) const = default;
};

class PlotLayoutKeptTest : public PlotPaintTest {
protected:
    TPlacement Placement() const { return {View(), X()->DrawRect(), Y()->DrawRect(), Title()->DrawRect()}; }
    // Paints as a repaint would, then lays the plot out from scratch: the
    // two must agree.
    void ExpectCurrentLayout(const char* Change)
    {
        Paint();
        const TPlacement painted = Placement();
        Plot->ReCalcLayout();
        EXPECT_EQ(painted, Placement()) << "stale layout after: " << Change;
    }
};

}  // namespace

TEST_F(PlotLayoutKeptTest, NewDataInsideTheScalesLeavesTheLayoutAlone)
{
    Plot->SetBounds(0, 0, 500, 200);
    X()->SetMinSpan(0, 1000);
    Y()->SetMinSpan(-1, 2);
    AddSine(Plot->GetChannel(0), 100);
    Paint();
    const TPlacement laidOut = Placement();
    // Moved by hand: a paint that lays the plot out again puts it back.
    Plot->GetDataView(0)->SetDrawRect(Rect(1, 2, 3, 4));
    AddSine(Plot->GetChannel(0), 500);
    Paint();
    EXPECT_EQ(View(), Rect(1, 2, 3, 4));
    Plot->GetChannel(0)->Clear();
    Paint();
    EXPECT_EQ(View(), Rect(1, 2, 3, 4));
    Title()->SetCaption("Another title");
    Paint();
    EXPECT_EQ(Placement(), laidOut);
}

TEST_F(PlotLayoutKeptTest, EveryOtherChangeLaysThePlotOutAgain)
{
    Plot->SetBounds(0, 0, 500, 200);
    TkPlotChannelCustom* channel = Plot->GetChannel(0);
    channel->SetYAxisTrackingEnabled(true);
    AddSine(channel, 100);
    ExpectCurrentLayout("the first paint");
    // Tracking widens the Y scale: its labels grow.
    channel->AddXY(101, 123456.0);
    ExpectCurrentLayout("a point that moved the scale");
    Y()->SetTitle("A long title of the Y axis");
    ExpectCurrentLayout("an axis title");
    Y()->SetLabelsPrecision(9);
    ExpectCurrentLayout("a label precision");
    X()->LabelsFont()->SetSize(20);
    ExpectCurrentLayout("a label font");
    Plot->SetBounds(0, 0, 300, 150);
    ExpectCurrentLayout("a smaller plot");
    Plot->SetOuterMarginLeft(40);
    ExpectCurrentLayout("a margin");
    Plot->GetToolBar(0)->SetVisible(false);
    ExpectCurrentLayout("a hidden toolbar");
    Plot->GetYAxis(Plot->AddYAxis())->SetTitle("Second");
    ExpectCurrentLayout("a new axis");
    Plot->DeleteYAxis(1);
    ExpectCurrentLayout("a removed axis");
    Plot->SetXYAxesReverse(true);
    ExpectCurrentLayout("exchanged axes");
}
