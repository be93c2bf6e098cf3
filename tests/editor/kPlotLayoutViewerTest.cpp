// The layout viewer driven by synthetic drags over a time plot with a
// toolbar, a title label, an X axis below, two Y axes and a legend on the
// left and a legend on the right. Rows are one text line (C pixels) thick;
// the viewer is as wide as gives a data view of 400 pixels.

#include <gtest/gtest.h>

#include "components/editor/kPlotLayoutViewer.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/component/kPlot.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLabel.h"
#include "components/plot/layout/kPlotLegend.h"
#include "components/plot/objects/kPlotMasterManager.h"
#include "tests/support/Painted.h"

namespace {

class LayoutViewer : public ::testing::Test {
protected:
    TOwned<TkPlot> Plot{Create<TkPlot>(nullptr)};
    TkPlotLayoutManager* Manager = Plot->Master().LayoutManager();
    TOwned<TkPlotLayoutViewer> Viewer{Create<TkPlotLayoutViewer>(nullptr)};
    Integer Changes = 0;
    Integer C = 0;
    TkPlotLayoutObject* XAxis = Plot->GetXAxis(0);
    TkPlotLayoutObject* YAxis1 = Plot->GetYAxis(0);
    TkPlotLayoutObject* YAxis2 = nullptr;
    TkPlotLayoutObject* Legend1 = Plot->GetLegend(0);
    TkPlotLayoutObject* Legend2 = nullptr;
    TkPlotLayoutObject* Title = Plot->GetLabel(0);
    TkPlotLayoutObject* ToolBar = Plot->GetToolBar(0);

    void SetUp() override
    {
        YAxis2 = Plot->GetYAxis(Plot->Master().Add(kpokYAxis));
        Legend2 = Plot->GetLegend(Plot->Master().Add(kpokLegend));
        Viewer->SetBounds(0, 0, 474, 300);
        Viewer->SetLayoutManager(Manager);
        Viewer->OnChange = [this](TObject*) { ++Changes; };
        Paint();
        C = Viewer->CellWidth();
        const TRect dv = Viewer->DataViewRect();
        Viewer->SetWidth(Viewer->Width() + 400 - (dv.Right - dv.Left));
        Paint();
        ASSERT_EQ(Viewer->DataViewRect().Right - Viewer->DataViewRect().Left, 400);
    }
    void Paint() { PaintedAlone(Viewer.get()); }
    TPoint Centre(TkPlotLayoutObject* Object) const
    {
        const TRect r = Viewer->BlockRect(Object);
        return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    // Hover at From, press there, drag to To and release, painting as the
    // screen would in between.
    void Drag(TPoint From, TPoint To)
    {
        Viewer->MouseMove({}, From.X, From.Y);
        Viewer->MouseDown(mbLeft, {ssLeft}, From.X, From.Y);
        Paint();
        Viewer->MouseMove({ssLeft}, To.X, To.Y);
        Paint();
        Viewer->MouseUp(mbLeft, {}, To.X, To.Y);
        Paint();
    }
    // A point of the cell of Object's row at the given offset across it.
    TPoint InRowOf(TkPlotLayoutObject* Object, Integer Across)
    {
        const TRect r = Viewer->BlockRect(Object);
        return Object->Horizontal() ? Point((r.Left + r.Right) / 2, r.Top + Across)
                                    : Point(r.Left + Across, (r.Top + r.Bottom) / 2);
    }
};

TEST_F(LayoutViewer, MergingIntoARowSharesItAndSwappingExchangesThePlaces)
{
    Drag(Centre(YAxis2), InRowOf(YAxis1, C / 2));  // the middle third merges
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(YAxis2->ZOrder(), YAxis1->ZOrder());
    EXPECT_EQ(YAxis1->StartPercent(), 0);
    EXPECT_EQ(YAxis1->StopPercent(), 50);
    EXPECT_EQ(YAxis2->StartPercent(), 50);  // the dragged one comes last
    EXPECT_EQ(YAxis2->StopPercent(), 100);

    Drag(Centre(YAxis2), Centre(YAxis1));
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(YAxis2->StartPercent(), 0);
    EXPECT_EQ(YAxis2->StopPercent(), 50);
    EXPECT_EQ(YAxis1->StartPercent(), 50);
}

TEST_F(LayoutViewer, NewRowsBesideOthersAndMovesToTheOtherOrientation)
{
    const TRect liveRect = XAxis->LayoutRect();
    // A label on an axis's row: halves, the lower one a new row below.
    Drag(Centre(Title), InRowOf(XAxis, C * 3 / 4));
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(Title->Horizontal());
    EXPECT_LT(Title->ZOrder(), XAxis->ZOrder());
    EXPECT_EQ(XAxis->LayoutRect(), liveRect);  // the plot's own geometry is left alone

    // A label beside a legend on the right: the outer third, a new row
    // outside it.
    Drag(Centre(Title), InRowOf(Legend1, C - 2));
    EXPECT_EQ(Changes, 2);
    EXPECT_FALSE(Title->Horizontal());
    EXPECT_GT(Title->ZOrder(), Legend1->ZOrder());
    EXPECT_EQ(Title->StartPercent(), 0);
    EXPECT_EQ(Title->StopPercent(), 100);
}

TEST_F(LayoutViewer, WhatCannotBeTakenOrDroppedChangesNothing)
{
    const Integer xRow = XAxis->ZOrder();
    Drag(Centre(XAxis), InRowOf(Legend1, C / 2));  // an axis keeps its orientation
    Drag(Centre(ToolBar), InRowOf(XAxis, C / 2));
    const TRect dv = Viewer->DataViewRect();
    Drag(Point((dv.Left + dv.Right) / 2, (dv.Top + dv.Bottom) / 2), InRowOf(XAxis, C / 2));
    // The toolbar's row takes nothing in its upper half.
    Drag(Centre(Title), InRowOf(ToolBar, 1));
    EXPECT_EQ(Changes, 0);
    EXPECT_TRUE(XAxis->Horizontal());
    EXPECT_EQ(XAxis->ZOrder(), xRow);
}

TEST_F(LayoutViewer, ACellWithNothingToLineUpWithKeepsTheObjectInItsRowAtFullLength)
{
    // Alone in its row, dropped on the row beside its own block.
    Legend2->SetStartStopPercent(20, 60);
    Paint();
    const Integer row = Legend2->ZOrder();
    const TRect dv = Viewer->DataViewRect();
    Drag(Centre(Legend2), Point(InRowOf(Legend2, C / 2).X, dv.Top + 3));
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Legend2->ZOrder(), row);
    EXPECT_EQ(Legend2->StartPercent(), 0);
    EXPECT_EQ(Legend2->StopPercent(), 100);

    // Rows numbered with a gap leave a cell no object lines up with: it
    // takes an object of its orientation only.
    Legend1->SetZOrder(Legend1->ZOrder() + 5);
    Paint();
    const TRect gap = Viewer->Blocks()[4].ARect;
    const TPoint inGap = Point((gap.Left + gap.Right) / 2, (gap.Top + gap.Bottom) / 2);
    Drag(Centre(Title), inGap);
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(Title->Horizontal());
    Drag(Centre(Legend2), inGap);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Legend2->ZOrder(), row);
}

TEST_F(LayoutViewer, OnTheToolBarsRowOnlyANewRowBelowIt)
{
    // The exact middle row of the toolbar's cell, where halves would put
    // the label outside the toolbar.
    Drag(Centre(Title), InRowOf(ToolBar, C / 2));
    EXPECT_EQ(Changes, 1);
    EXPECT_GT(ToolBar->ZOrder(), Title->ZOrder());
}

TEST_F(LayoutViewer, EndsFollowTheMouseInStepsOfOneAndAQuarterPercent)
{
    const TRect r = Viewer->BlockRect(XAxis);
    Drag(Point(r.Right - 1, r.Top + C / 2), Point(r.Right - 11, r.Top + C / 2));  // 10 pixels: 2.5 %
    EXPECT_DOUBLE_EQ(XAxis->StopPercent(), 97.5);
    EXPECT_EQ(Changes, 1);
    Drag(Point(r.Left + 1, r.Top + C / 2), Point(r.Left + 8, r.Top + C / 2));  // 1.75 % snaps to 1.25
    EXPECT_DOUBLE_EQ(XAxis->StartPercent(), 1.25);
    EXPECT_EQ(Changes, 2);
    // A vertical block's start is its bottom end.
    const TRect y = Viewer->BlockRect(YAxis1);
    Drag(Point(y.Left + C / 2, y.Bottom - 1), Point(y.Left + C / 2, y.Bottom - 1 - 24));
    EXPECT_GT(YAxis1->StartPercent(), 0);
}

TEST_F(LayoutViewer, AnObjectGoneSinceTheHoverIsNeitherSizedNorDrawn)
{
    const TRect r = Viewer->BlockRect(Legend1);
    Viewer->MouseMove({}, r.Left + C / 2, r.Bottom - 1);  // over Legend 1's lower end
    Legend1->Free();
    Viewer->MouseDown(mbLeft, {ssLeft}, r.Left + C / 2, r.Bottom - 1);
    Viewer->MouseMove({ssLeft}, r.Left + C / 2, r.Bottom - 40);
    Viewer->MouseUp(mbLeft, {}, r.Left + C / 2, r.Bottom - 40);
    Paint();
    EXPECT_EQ(Changes, 0);

    // A viewer too small for a data view sizes nothing.
    Viewer->SetBounds(0, 0, 60, 60);
    Paint();
    const TRect x = Viewer->BlockRect(XAxis);
    Drag(Point(x.Right - 1, x.Top + 1), Point(x.Right + 5, x.Top + 1));
    EXPECT_EQ(XAxis->StopPercent(), 100);
}

}  // namespace
