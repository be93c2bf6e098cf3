#include <gtest/gtest.h>

#include <climits>

#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/layout/kPlotLegend.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/FormStream.h"
#include "platform/Math.h"
#include "tests/plot/kPlotAxesControlTestDoubles.h"

using PlotTest::TStandInPlot;
using ChannelTest::TTestChannel;

namespace {

constexpr TColor kCanvasColor = clNavy;

// A plot with two axes and a legend drawn on a 400 x 300 navy bitmap. W0,
// H0: the size of "0" in the legend's font; RowSpacing: its entry gap.
class PlotLegendTest : public ::testing::Test {
protected:
    TStandInPlot Plot;
    TkPlotXAxis* XAxis = Plot.Add<TkPlotXAxis>("X-Axis 1");
    TkPlotYAxis* YAxis = Plot.Add<TkPlotYAxis>("Y-Axis 1");
    TkPlotLegend* Legend = Plot.Add<TkPlotLegend>("Legend 1");
    TOwned<TBitmap> Bitmap = CreateOwned<TBitmap>();
    TCanvas* Canvas = Bitmap->Canvas();
    Integer W0 = 0;
    Integer H0 = 0;
    Integer RowSpacing = 0;

    void SetUp() override
    {
        Bitmap->SetSize(400, 300);
        Canvas->SetFont(Legend->Font());
        W0 = Canvas->TextWidth("0");
        H0 = Canvas->TextHeight("0");
        RowSpacing = RoundPix(H0 * 0.25L);
    }
    TTestChannel* AddChannel(const String& Name, TColor Color)
    {
        TTestChannel* channel = Plot.Add<TTestChannel>(Name);
        channel->SetXAxisName("X-Axis 1");
        channel->SetYAxisName("Y-Axis 1");
        channel->SetColor(Color);
        return channel;
    }
    void AddChannels(Integer Count)
    {
        for (Integer i = 0; i < Count; ++i) AddChannel("Channel " + IntToStr(i + 1), clRed);
    }
    // A vertical legend whose entries rectangle holds Rows entries.
    void FitRows(Integer Rows) { Legend->SetDrawRect(Rect(10, 10, 390, 10 + 2 * H0 + Rows * (H0 + RowSpacing))); }
    void DrawAll()
    {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(kCanvasColor);
        Canvas->FillRect(Rect(0, 0, 400, 300));
        Legend->Draw({.Canvas = Canvas, .BackGroundColor = kCanvasColor});
    }
    TColor Px(Integer X, Integer Y) { return Canvas->Pixels(X, Y); }
    // Centre line of entry Index's line sample.
    Integer SampleY(Integer Index) { return Legend->Item(Index).Top + H0 / 2; }
    TPoint Centre(const TRect& R) { return Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }
    TColor Px(TPoint P) { return Canvas->Pixels(P.X, P.Y); }
    void Click(TkPlotObject* Object, TPoint P)
    {
        Object->kMouseDown(mbLeft, TShiftState{}, P.X, P.Y);
        Object->kMouseUp(mbLeft, TShiftState{}, P.X, P.Y, P.X, P.Y, false, nullptr);
    }
};

}  // namespace

TEST_F(PlotLegendTest, SettersClampAndReportChanges)
{
    const Integer before = Plot.Changes;
    Legend->SetWrapColDesiredCount(0);
    EXPECT_EQ(Legend->WrapColDesiredCount(), 1);
    Legend->SetWrapRowDesiredCount(-7);
    EXPECT_EQ(Legend->WrapRowDesiredCount(), 1);
    EXPECT_EQ(Plot.Changes - before, 1);  // 5 became 1; the column count stayed 1
    Legend->SetMarginLeft(std::numeric_limits<Double>::quiet_NaN());
    EXPECT_EQ(Legend->MarginLeft(), 1.0);
    Legend->SetWrapRowSpacingMin(0.75);
    EXPECT_EQ(Legend->RowSpacing(), 0.75);
    Legend->Font()->SetSize(20);
    Legend->ColumnTitlesFont()->SetColor(clRed);
    EXPECT_EQ(Plot.Changes - before, 4);
}

TEST_F(PlotLegendTest, RequiredSizeOfVerticalAndHorizontalLegends)
{
    AddChannels(2);
    AddChannel("A much longer name", clRed);
    Legend->SetDrawRect(Rect(0, 0, 200, 280));
    Canvas->SetFont(Legend->Font());
    const Integer nameWidth = Canvas->TextWidth("A much longer name");
    const Integer itemWidth = 16 + RoundPix(W0 * 0.5L) + nameWidth;
    EXPECT_EQ(Legend->GetRequiredSize(Canvas), itemWidth + 2 * W0);
    EXPECT_EQ(Legend->RequiredHeight(), 2 * H0 + 3 * H0 + 2 * RowSpacing);
    EXPECT_FALSE(Legend->UpButton()->Visible());

    // Lying along the top, all three side by side: the thickness is one row.
    Legend->SetHorizontal(true);
    Legend->SetWrapColAutoCountEnabled(true);
    Legend->SetDrawRect(Rect(0, 0, 3 * itemWidth + 2 * RoundPix(H0 * 2.0L) + 2 * W0 + 25, 100));
    EXPECT_EQ(Legend->GetRequiredSize(Canvas), 2 * H0 + H0);
    EXPECT_EQ(Legend->ActualWrapColCount(), 3);
    EXPECT_EQ(Legend->Item(2).Col, 3);

    // Column titles add their height and a quarter of it.
    Legend->SetColumnTitlesVisible(true);
    Canvas->SetFont(Legend->ColumnTitlesFont());
    const Integer titles = Canvas->TextHeight("0");
    EXPECT_EQ(Legend->GetRequiredSize(Canvas), 3 * H0 + titles + titles / 4);
    EXPECT_EQ(Legend->Item(0).Top, H0 + titles + titles / 4);
}

TEST_F(PlotLegendTest, EntriesWrapIntoColumnsOfAHorizontalLegend)
{
    const TColor colors[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua};
    for (Integer i = 0; i < 6; ++i) AddChannel("Ch" + IntToStr(i), colors[i]);
    Legend->SetHorizontal(true);
    Legend->SetWrapColAutoCountEnabled(true);
    Legend->SetDrawRect(Rect(0, 0, 400, 200));
    DrawAll();
    const Integer cols = Legend->ActualWrapColCount();
    const Integer rows = Legend->ActualWrapRowCount();
    ASSERT_GT(cols, 1);
    ASSERT_GE(cols * rows, 6);
    EXPECT_EQ(Legend->ItemViewStopIndex(), 5);
    EXPECT_FALSE(Legend->DownButton()->Visible());
    for (Integer i = 0; i < 6; ++i) {
        const TkPlotLegendItem& item = Legend->Item(i);
        EXPECT_EQ(item.Col, i / rows + 1) << i;
        EXPECT_EQ(item.Row, i % rows + 1) << i;
        EXPECT_EQ(item.Left, Legend->ColumnList()[item.Col - 1]);
        EXPECT_EQ(Px(item.Left + 6, SampleY(i)), colors[i]) << i;
    }
    // The columns spread over the width left of the scroll buttons' room.
    const Integer lastEnd = Legend->ColumnList().back() + Legend->ItemWidth();
    const Integer room = Legend->ItemsRect().Right - 25;
    EXPECT_LE(lastEnd, room);
    EXPECT_GT(lastEnd, room - cols);
}

TEST_F(PlotLegendTest, LineSampleFollowsTheTraceStyleAndThickness)
{
    AddChannel("Solid", clRed);
    AddChannel("Dashed", clLime)->SetTraceLineStyle(kplsDash);
    Legend->SetDrawRect(Rect(10, 10, 200, 290));
    DrawAll();
    const Integer x = Legend->Item(0).Left;
    for (Integer dy = -1; dy <= 2; ++dy) EXPECT_EQ(Px(x + 6, SampleY(0) + dy), clRed) << dy;
    EXPECT_NE(Px(x + 6, SampleY(0) - 2), clRed);
    EXPECT_NE(Px(x + 6, SampleY(0) + 3), clRed);
    EXPECT_EQ(Px(x + 12, SampleY(0)), clRed);
    EXPECT_NE(Px(x + 13, SampleY(0)), clRed);
    // Dash: 0-5 and 8-13.
    EXPECT_EQ(Px(x + 2, SampleY(1)), clLime);
    EXPECT_EQ(Px(x + 6, SampleY(1)), kCanvasColor);
    EXPECT_EQ(Px(x + 9, SampleY(1)), clLime);

    // Another length draws one line with the trace's pen, here 30 long.
    Legend->SetLineColumnWidth(30);
    Legend->SetLineColumnHeight(0);
    DrawAll();
    EXPECT_EQ(Px(x + 29, SampleY(0)), clRed);
    EXPECT_NE(Px(x + 29, SampleY(0) + 1), clRed);
}

TEST_F(PlotLegendTest, NamesSelectionAndTexts)
{
    AddChannel("Unnamed", clRed)->SetTitleText("   ");
    TTestChannel* data = AddChannel("Data", clLime);
    data->SetTitleText("Measured");
    data->SetYAxisName("Nowhere");
    data->AddXY(5, 2.5);
    XAxis->SetTitle("Time");
    YAxis->SetTitle(" ");
    Legend->SetShowColumnXAxisTitle(true);
    Legend->SetShowColumnYAxisTitle(true);
    Legend->SetShowColumnXValue(true);
    Legend->SetShowColumnYMax(true);
    Legend->SetDrawRect(Rect(10, 10, 390, 290));
    data->SetUserSelected(true);
    DrawAll();
    const auto& first = Legend->Item(0).Texts;
    EXPECT_EQ(first[kplcName], "Unnamed");
    EXPECT_EQ(first[kplcXAxisName], "Time");
    EXPECT_EQ(first[kplcYAxisName], "Y-Axis 1");
    EXPECT_EQ(first[kplcXValue], "Empty");
    const auto& second = Legend->Item(1).Texts;
    EXPECT_EQ(second[kplcName], "Measured");
    EXPECT_EQ(second[kplcYAxisName], "None");
    EXPECT_EQ(second[kplcXValue], XAxis->GetLegendText(5));
    EXPECT_EQ(second[kplcYMax], "N/A");
    // The selected channel's name stands on the selection colour.
    const TRect name = Legend->Item(1).LegendRect;
    EXPECT_EQ(Px(name.Right - 1, name.Top), clYellow);
    EXPECT_EQ(Legend->ColumnStart(kplcName), 16 + RoundPix(W0 * 0.5L));

    // Wrapped names are measured as shown: a blank title does not leave the
    // entry without height.
    Legend->SetChannelNameMaxWidth(3);
    Legend->GetRequiredSize(Canvas);
    EXPECT_GE(Legend->Item(0).MaxHeight, H0);
    EXPECT_EQ(Legend->ColumnWidth(kplcName), 3 * W0);
}

TEST_F(PlotLegendTest, ScrollButtonsShowWhenEntriesDoNotFit)
{
    AddChannels(8);
    Legend->SetDrawRect(Rect(10, 10, 390, 290));
    const Integer fitting = Legend->GetRequiredSize(Canvas);
    FitRows(3);
    DrawAll();
    EXPECT_EQ(Legend->ActualWrapRowCount(), 3);
    EXPECT_EQ(Legend->ItemViewStopIndex(), 2);
    EXPECT_EQ(Legend->Item(3).Row, 0);  // not shown
    EXPECT_EQ(Legend->RequiredWidth(), fitting + 25);
    TkPlotLegendButton* up = Legend->UpButton();
    TkPlotLegendButton* down = Legend->DownButton();
    ASSERT_TRUE(up->Visible() && down->Visible());
    EXPECT_EQ(up->DrawRect(), Rect(Legend->ItemsRect().Right - 17, Legend->ItemsRect().Top,
                                   Legend->ItemsRect().Right, Legend->ItemsRect().Top + 17));
    EXPECT_FALSE(up->Enabled());
    EXPECT_TRUE(down->Enabled());
    EXPECT_EQ(Px(Centre(down->DrawRect())), clBlack);
    EXPECT_EQ(Px(Centre(up->DrawRect())), clGray);

    // Pressing the down button shows entries 1 to 3.
    const TPoint p = Centre(down->DrawRect());
    TkPlotObject* hit = Legend->GetObjectAtPoint(p);
    ASSERT_EQ(hit, down);
    const Integer repaints = Plot.Repaints;
    Click(hit, p);
    EXPECT_EQ(Legend->ItemViewStartIndex(), 1);
    EXPECT_GT(Plot.Repaints, repaints);
    DrawAll();
    EXPECT_EQ(Legend->Item(1).Row, 1);
    EXPECT_EQ(Legend->ItemViewStopIndex(), 3);
    EXPECT_TRUE(up->Enabled());
}

TEST_F(PlotLegendTest, ScrollingStaysWithinTheEntries)
{
    AddChannels(4);
    FitRows(3);
    Legend->SetItemViewStartIndex(50);
    Legend->GetRequiredSize(Canvas);
    EXPECT_EQ(Legend->ItemViewStartIndex(), 3);
    EXPECT_FALSE(Legend->DownButton()->Enabled());
    Click(Legend->DownButton(), Centre(Legend->DownButton()->DrawRect()));
    EXPECT_EQ(Legend->ItemViewStartIndex(), 3);
    for (Integer i = 0; i < 5; ++i) Click(Legend->UpButton(), Centre(Legend->UpButton()->DrawRect()));
    EXPECT_EQ(Legend->ItemViewStartIndex(), 0);

    // Once everything fits the list starts at the top again.
    Legend->SetItemViewStartIndex(2);
    Legend->SetDrawRect(Rect(10, 10, 390, 290));
    Legend->GetRequiredSize(Canvas);
    EXPECT_EQ(Legend->ItemViewStartIndex(), 0);
    EXPECT_FALSE(Legend->UpButton()->Visible());

    // A disabled legend shows no buttons either.
    FitRows(3);
    Legend->SetEnabled(false);
    Legend->GetRequiredSize(Canvas);
    EXPECT_FALSE(Legend->DownButton()->Visible());
}

TEST_F(PlotLegendTest, LegendWithoutEntriesDrawsNothingAndKeepsItsSize)
{
    EXPECT_EQ(Legend->GetRequiredSize(Canvas), 0);
    TTestChannel* channel = AddChannel("Only", clRed);
    FitRows(1);
    const Integer size = Legend->GetRequiredSize(Canvas);
    ASSERT_GT(size, 0);
    channel->SetVisibleInLegend(false);
    EXPECT_EQ(Legend->GetRequiredSize(Canvas), size);
    EXPECT_EQ(Legend->ItemCount(), 0);
    Legend->SetBackGroundTransparent(false);
    DrawAll();
    EXPECT_EQ(Px(15, 15), kCanvasColor);
    TkPlotLegendButton* down = Legend->DownButton();
    down->SetDrawRect(Rect(0, 0, 10, 10));
    down->SetEnabled(true);
    Click(down, Point(5, 5));
    EXPECT_EQ(Legend->ItemViewStartIndex(), 0);
}

TEST_F(PlotLegendTest, HitTestingAndClicksOfEntriesAndButtons)
{
    AddChannels(5);
    TkPlotChannelCustom* first = Plot.GetChannel(0);
    FitRows(3);
    DrawAll();
    const TRect name = Legend->Item(0).LegendRect;
    ASSERT_FALSE(IsRectEmpty(name));
    EXPECT_EQ(Legend->GetObjectAtPoint(Point(name.Left, name.Top)), first);
    EXPECT_EQ(Legend->MouseOverObject(), first);
    EXPECT_EQ(Legend->ChannelLegendRect(first), name);
    EXPECT_EQ(Legend->GetObjectAtPoint(Point(name.Right, name.Top)), Legend);
    EXPECT_EQ(Legend->GetObjectAtPoint(Point(name.Left, name.Bottom + 200)), Legend);
    const TPoint upCentre = Centre(Legend->UpButton()->DrawRect());
    EXPECT_EQ(Legend->GetObjectAtPoint(upCentre), Legend->UpButton());

    // A press and release inside the legend clicks it, once.
    Click(Legend, Point(20, 12));
    EXPECT_EQ(Plot.Log, std::vector<String>{"click Legend 1"});
    Legend->kMouseDown(mbLeft, TShiftState{}, 20, 12);
    Legend->kMouseUp(mbLeft, TShiftState{}, 395, 12, 0, 0, false, nullptr);
    Legend->kMouseUp(mbLeft, TShiftState{}, 20, 12, 0, 0, false, nullptr);  // not pressed any more
    EXPECT_EQ(Plot.Log.size(), 1u);

    // Hidden buttons and entries no longer listed are not hit.
    Legend->SetDrawRect(Rect(10, 10, 390, 290));
    Legend->GetRequiredSize(Canvas);
    EXPECT_EQ(Legend->GetObjectAtPoint(upCentre), Legend);
    DrawAll();
    first->SetVisibleInLegend(false);
    EXPECT_EQ(Legend->GetObjectAtPoint(Point(name.Left, name.Top)), Legend);
    Legend->SetVisible(false);
    EXPECT_TRUE(IsRectEmpty(Legend->ChannelLegendRect(Plot.GetChannel(1))));
}

TEST_F(PlotLegendTest, HostileSizesAndCountsFinish)
{
    AddChannels(300);
    const auto check = [&](const char* What) {
        for (bool horizontal : {false, true}) {
            Legend->SetHorizontal(horizontal);
            const Integer size = Legend->GetRequiredSize(Canvas);
            EXPECT_LE(std::abs(size), 1000000) << What;
            DrawAll();
        }
    };
    Legend->SetDrawRect(Rect(0, 0, 0, 0));
    check("empty rectangle");
    Legend->SetDrawRect(Rect(0, 0, 400, 300));
    Legend->SetLineColumnWidth(INT_MAX);
    Legend->SetLineColumnHeight(INT_MAX);
    Legend->SetShowColumnMarker(true);
    check("huge line sample");
    Legend->SetLineColumnHeight(INT_MIN);
    Legend->SetMarginLeft(1e300);
    Legend->SetMarginTop(-1e300);
    Legend->SetColumnSpacing(-1e300);
    Legend->SetRowSpacing(-50);
    Legend->SetWrapColSpacingMin(-1e300);
    Legend->SetWrapColAutoCountEnabled(true);
    Legend->SetWrapColAutoCountMax(0);
    Legend->SetWrapRowAutoCountMax(INT_MIN);
    Legend->SetChannelNameMaxWidth(-3);
    check("negative spacings and counts");
    Legend->SetWrapRowAutoCountEnabled(false);
    Legend->SetWrapRowDesiredCount(INT_MAX);
    Legend->SetWrapColAutoCountEnabled(false);
    Legend->SetWrapColDesiredCount(INT_MAX);
    Legend->SetWrapColAutoCountMax(INT_MAX);
    Legend->SetChannelNameMaxWidth(1e300);
    Legend->SetWrapRowSpacingAuto(true);
    check("huge counts");
    Legend->Font()->SetHeight(-3000);
    check("huge font");
}

TEST(PlotLegendStream, MainWindowLegendLoadsAndSettingsRoundTrip)
{
    kXYPlotInitialization();
    TOwned<TkXYPlot> plot(Create<TkXYPlot>(nullptr));
    plot->SetName("Plot1");
    ReadComponent("object Plot1: TkXYPlot\n"
                  "  LegendManager = <\n    item\n      Name = 'Legend 1'\n      Horizontal = False\n"
                  "      ZOrder = 2\n      StartPercent = 0.0\n      StopPercent = 100.0\n      MarginLeft = 1.0\n"
                  "      MarginTop = 1.0\n      MarginRight = 1.0\n      MarginBottom = 1.0\n"
                  "      Font.Charset = DEFAULT_CHARSET\n      Font.Color = clWhite\n      Font.Height = -11\n"
                  "      Font.Name = 'Tahoma'\n      Font.Style = []\n"
                  "      ColumnTitlesFont.Charset = DEFAULT_CHARSET\n      ColumnTitlesFont.Color = clAqua\n"
                  "      ColumnTitlesFont.Height = -11\n      ColumnTitlesFont.Name = 'Tahoma'\n"
                  "      ColumnTitlesFont.Style = [fsBold]\n    end>\nend\n",
                  plot.get());
    ASSERT_EQ(plot->LegendCount(), 1);
    TkPlotLegend* legend = plot->GetLegend(0);
    EXPECT_EQ(legend->ZOrder(), 2);  // the values read are the defaults: loading keeps them
    EXPECT_EQ(legend->Font()->Height(), -11);

    legend->SetCaptionColumnTitle("Voie");
    legend->SetChannelNameColorStyle(kplcncsYAxisFontColor);
    legend->SetShowColumnYMean(true);
    legend->SetWrapRowDesiredCount(7);
    legend->SelectedItemFont()->SetSize(12);
    const String text = WriteComponent(plot.get());
    EXPECT_EQ(text.find("ShowColumnLine"), String::npos);  // at its stream default
    TOwned<TkXYPlot> copy(Create<TkXYPlot>(nullptr));
    copy->SetName("Plot1");
    ReadComponent(text, copy.get());
    TkPlotLegend* read = copy->GetLegend(0);
    EXPECT_EQ(read->CaptionColumnTitle(), "Voie");
    EXPECT_EQ(read->ChannelNameColorStyle(), kplcncsYAxisFontColor);
    EXPECT_TRUE(read->ShowColumnYMean());
    EXPECT_EQ(read->WrapRowDesiredCount(), 7);
    EXPECT_EQ(read->SelectedItemFont()->Size(), 12);
    EXPECT_EQ(WriteComponent(copy.get()), text);
}

// The legends of a plot share what they list, each measuring it in its own
// fonts.
TEST(PlotLegendShared, EachLegendMeasuresInItsOwnFont)
{
    kXYPlotInitialization();
    TOwned<TkXYPlot> plot(Create<TkXYPlot>(nullptr));
    plot->SetBounds(0, 0, 600, 400);
    const String title = "A rather long channel title";
    plot->GetChannel(0)->SetTitleText(title);
    plot->GetLegend(plot->AddLegend())->Font()->SetSize(20);
    plot->ReCalcLayout();
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    for (Integer i = 0; i < 2; ++i) {
        TkPlotLegend* legend = plot->GetLegend(i);
        bitmap->Canvas()->SetFont(legend->Font());
        EXPECT_EQ(legend->ColumnWidth(kplcName), bitmap->Canvas()->TextWidth(title)) << i;
        EXPECT_EQ(legend->Item(0).Texts[kplcName], title) << i;
    }
}
