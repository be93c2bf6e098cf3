#include <gtest/gtest.h>

#include "components/plot/table/kPlotTable.h"
#include "platform/SysApi.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"
#include "support/Painted.h"
#include "support/PlotOnForm.h"
#include "tests/plot/kPlotAxesControlTestDoubles.h"

namespace {

using AxesControlTest::At;

constexpr Integer kWidth = 400;
constexpr Integer kHeight = 300;

// A vertical table in a band 10..390 by 10..290 on black, with the sizes of
// "0" in its two fonts.
class PlotTableTest : public ::testing::Test {
protected:
    PlotTest::TStandInPlot Plot;
    TOwned<TBitmap> Bitmap = CreateOwned<TBitmap>();
    TkPlotTable* Table = Plot.Add<TkPlotTable>("Table 1");
    TSize Title;
    TSize Data;

    void SetUp() override
    {
        Bitmap->SetSize(kWidth, kHeight);
        Table->SetDrawRect(Rect(10, 10, 390, 290));
        Title = TextSize(Table->ColumnTitlesFont(), "0");
        Data = TextSize(Table->DataFont(), "0");
    }
    Integer RowHeight() const { return Data.cy + Integer(Round(Data.cy * 0.5)); }
    // Columns "A" and "B", and Rows rows "a<k>", "b<k>".
    void Fill(Integer Rows)
    {
        Table->AddColumn("A");
        Table->AddColumn("B");
        for (Integer k = 0; k < Rows; ++k) Table->SetRowText(Table->AddRow(), "a" + IntToStr(k) + "\nb" + IntToStr(k));
    }
    void Paint()
    {
        AxesControlTest::Blacken(Bitmap->Canvas(), kWidth, kHeight);
        Table->Draw({.Canvas = Bitmap->Canvas(), .BackGroundColor = clBlack});
    }
    TRect Ink(TColor Color) { return AxesControlTest::InkBox(Bitmap->Canvas(), kWidth, kHeight, Color); }
    Integer Required() { return Table->GetRequiredSize(Bitmap->Canvas()); }
    void Click(TkPlotButton* Button)
    {
        const TPoint p = Point(Button->DrawRect().Left + 2, Button->DrawRect().Top + 2);
        Button->DoMouseLeft(At(p.X, p.Y));
        Button->DoMouseUp(At(p.X, p.Y));
    }
};

TEST_F(PlotTableTest, DefaultsThatFilesAndColumnsDependOn)
{
    EXPECT_FALSE(Table->Horizontal());
    EXPECT_EQ(Table->ColumnTitlesFont()->Color(), TColor(0xFFFF00));
    EXPECT_EQ(Table->GridBackGroundColor(), TColor(8421504));
    EXPECT_EQ(Table->UpButton()->Name(), "PlotTableUpButton");
    // Hidden column titles are stored, so that they stay hidden on reload.
    EXPECT_TRUE(IsDefaultPropValue(Table, GetPropInfo(Table, "ColumnTitlesVisible")));
    Table->SetColumnTitlesVisible(false);
    EXPECT_FALSE(IsDefaultPropValue(Table, GetPropInfo(Table, "ColumnTitlesVisible")));

    // A column takes the fonts' colours when it is added, not later.
    Table->DataFont()->SetColor(clRed);
    Table->AddColumn("A");
    Table->DataFont()->SetColor(clBlue);
    EXPECT_EQ(Table->GetColumn(0).DataFontColor, clRed);
}

TEST_F(PlotTableTest, RowsAndCellsWithCheckedIndexes)
{
    Fill(2);
    EXPECT_EQ(Table->CellText(1, 0), "b0");
    // CR, LF and CR LF all part cells; a missing cell is empty.
    Table->SetRowText(1, "x\r\ny\rz");
    EXPECT_EQ(Table->CellText(2, 1), "z");
    EXPECT_EQ(Table->CellText(7, 1), "");
    EXPECT_EQ(Table->RowText(1), "x\r\ny\r\nz");
    Table->SetCellText(4, 0, "far");
    EXPECT_EQ(Table->CellText(3, 0), "");
    EXPECT_EQ(Table->CellText(4, 0), "far");

    Plot.Changes = 0;
    EXPECT_THROW(Table->DeleteRow(2), EListError);
    EXPECT_THROW(Table->DeleteColumn(-1), EListError);
    EXPECT_THROW(Table->CellText(0, 2), EListError);
    EXPECT_THROW(Table->SetCellText(-1, 0, "x"), EListError);
    EXPECT_THROW(Table->GetColumn(2), EListError);
    EXPECT_EQ(Plot.Changes, 0);
    Table->DeleteRow(0);
    EXPECT_EQ(Table->CellText(0, 0), "x");
    EXPECT_EQ(Plot.Changes, 1);
}

TEST_F(PlotTableTest, NoRowsOrNoColumnsTakeNoRoomAndDrawNothing)
{
    EXPECT_EQ(Required(), 0);
    Table->AddColumn("A");
    EXPECT_EQ(Required(), 0);
    Paint();
    EXPECT_EQ(Ink(TColor(0x808080)), TRect{});

    // Buttons of a scrolling layout go when the rows do.
    for (Integer k = 0; k < 40; ++k) Table->AddRow();
    Required();
    ASSERT_TRUE(Table->UpButton()->Visible());
    const TPoint onButton = Point(Table->UpButton()->DrawRect().Left + 1, Table->UpButton()->DrawRect().Top + 1);
    Table->RemoveAllRows();
    EXPECT_EQ(Required(), 0);
    EXPECT_FALSE(Table->UpButton()->Visible());
    EXPECT_EQ(Table->GetObjectAtPoint(onButton), Table);
}

TEST_F(PlotTableTest, OneRowLaysOutMarginsTitleAndAutoSizedColumns)
{
    Fill(1);
    Table->AddColumn("Hidden");
    Table->GetColumn(2).Visible = false;
    const Integer required = Required();
    const Integer rowHeight = RowHeight();
    EXPECT_EQ(Table->RowHeight(), rowHeight);
    EXPECT_EQ(Table->RequiredHeight(), 2 * Title.cy + Title.cy + rowHeight);
    const Integer spacing = Integer(Round(2.0 * Data.cx));
    const Integer cellA = TextSize(Table->DataFont(), "a0").cx + spacing + Data.cx;
    const Integer titleA = Title.cx + TextSize(Table->ColumnTitlesFont(), "A").cx + Integer(Round(2.0 * Title.cx));
    EXPECT_EQ(Table->GetColumn(0).WidthPixels, std::max(cellA, titleA));
    EXPECT_EQ(Table->GetColumn(0).Width, std::max(cellA, titleA) / Data.cx) << "in whole digits";
    EXPECT_EQ(required, 2 * Title.cx + Table->GetColumn(0).WidthPixels + Table->GetColumn(1).WidthPixels);
    const TRect grid = Table->GridRect();
    EXPECT_EQ(grid.TopLeft(), Point(10 + Title.cx, 10 + Title.cy));
    EXPECT_EQ(grid.Bottom, 10 + 2 * Title.cy + rowHeight);
    EXPECT_FALSE(Table->UpButton()->Visible());

    // Without auto size the width counts in digits, never below nothing.
    Table->GetColumn(1).AutoSize = false;
    Table->GetColumn(1).Width = 3;
    Required();
    EXPECT_EQ(Table->GetColumn(1).WidthPixels, 3 * Data.cx);
    Table->GetColumn(1).Width = -5;
    Required();
    EXPECT_EQ(Table->GetColumn(1).WidthPixels, 0);

    // Without titles the rows start at the grid's top; a horizontal table
    // asks for its height.
    Table->SetColumnTitlesVisible(false);
    Table->SetHorizontal(true);
    EXPECT_EQ(Required(), 2 * Title.cy + rowHeight);
    EXPECT_EQ(Table->TitleRect().Height(), 0);
}

TEST_F(PlotTableTest, ADrawingShowsBackgroundLinesTitlesAndCells)
{
    Fill(2);
    Table->GetColumn(0).DataFontColor = clRed;
    Table->GetColumn(1).DataFontColor = clYellow;  // white is left to the lines
    Table->GetColumn(1).TitleFontColor = clLime;
    Table->GetColumn(1).TitleAlignment = kahLeft;
    Paint();
    const TRect grid = Table->GridRect();
    const Integer split = grid.Left + Table->GetColumn(0).WidthPixels;
    EXPECT_EQ(Bitmap->Canvas()->Pixels(grid.Left + 3, grid.Top + Table->TitleRect().Height() + 3), TColor(0x808080));
    // Lines: the grid's left, after each column, top, under the titles, under each row.
    EXPECT_EQ(Bitmap->Canvas()->Pixels(split, grid.Top + 5), clWhite);
    EXPECT_EQ(Bitmap->Canvas()->Pixels(grid.Right, grid.Bottom - 1), clWhite);
    EXPECT_EQ(Bitmap->Canvas()->Pixels(grid.Left + 5, Table->TitleRect().Bottom), clWhite);
    EXPECT_EQ(Ink(clWhite), Rect(grid.Left, grid.Top, grid.Right + 1, grid.Bottom + 1));
    // Column A's cells in red, inside the rows; B's title left-aligned in lime.
    const TRect red = Ink(clRed);
    EXPECT_GE(red.Left, grid.Left);
    EXPECT_LE(red.Right, split);
    EXPECT_GE(red.Top, Table->TitleRect().Bottom);
    const TRect lime = Ink(clLime);
    EXPECT_LT(lime.Left, split + Title.cx + 3);
    EXPECT_LE(lime.Bottom, Table->TitleRect().Bottom);

    // Transparent background and no lines; a hidden column draws nothing.
    Table->SetGridBackGroundTransparent(true);
    Table->SetGridLinesShow(false);
    Table->GetColumn(0).Visible = false;
    Paint();
    EXPECT_EQ(Ink(TColor(0x808080)), TRect{});
    EXPECT_EQ(Ink(clWhite), TRect{});
    EXPECT_EQ(Ink(clRed), TRect{});

    Table->SetUserSelected(true);
    Paint();
    EXPECT_NE(Bitmap->Canvas()->Pixels(10, 150), clBlack) << "focus rectangle";
    Table->SetVisible(false);
    Paint();
    EXPECT_EQ(Ink(clLime), TRect{});
}

TEST_F(PlotTableTest, ManyRowsScrollByTheButtons)
{
    Fill(10);
    Table->SetRowsMax(3);
    const Integer withoutButtons = [&] {
        Table->SetEnabled(false);
        const Integer width = Required();
        Table->SetEnabled(true);
        return width;
    }();
    EXPECT_EQ(Required(), withoutButtons + 22);
    EXPECT_EQ(Table->ItemViewStartIndex(), 0);
    EXPECT_EQ(Table->ItemViewStopIndex(), 2);
    const Integer rh = Table->RowHeight();
    const Integer top = Table->TitleRect().Bottom;
    const Integer left = Table->GridRect().Right + 5;
    EXPECT_EQ(Table->UpButton()->DrawRect(), Rect(left, top + rh / 2 - 8, left + 17, top + rh / 2 + 9));
    EXPECT_EQ(Table->DownButton()->DrawRect(),
              Rect(left, top + 3 * rh - rh / 2 - 8, left + 17, top + 3 * rh - rh / 2 + 9));
    EXPECT_FALSE(Table->UpButton()->Enabled());
    EXPECT_TRUE(Table->DownButton()->Enabled());
    EXPECT_EQ(Table->GetObjectAtPoint(Point(left + 3, top + rh / 2)), Table->UpButton());

    // The triangles: grey on the disabled button, black on the other.
    Paint();
    const auto inTriangle = [this](TkPlotButton* Button) {
        const TRect r = Button->DrawRect();
        return Bitmap->Canvas()->Pixels((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };
    EXPECT_EQ(inTriangle(Table->UpButton()), clGray);
    EXPECT_EQ(inTriangle(Table->DownButton()), clBlack);
    for (Integer k = 0; k < 20; ++k) {
        Click(Table->DownButton());
        Required();
    }
    EXPECT_EQ(Table->ItemViewStartIndex(), 7);
    EXPECT_EQ(Table->ItemViewStopIndex(), 9);
    EXPECT_TRUE(Table->UpButton()->Enabled());
    EXPECT_FALSE(Table->DownButton()->Enabled());
    Paint();
    EXPECT_GE(Ink(clWhite).Bottom, Table->GridRect().Bottom);
    Click(Table->UpButton());
    Required();
    EXPECT_EQ(Table->ItemViewStartIndex(), 6);

    // A disabled table shows no buttons but keeps its window.
    Table->SetEnabled(false);
    Paint();
    EXPECT_FALSE(Table->UpButton()->Visible());
    EXPECT_EQ(Table->ItemViewStartIndex(), 6);
}

TEST_F(PlotTableTest, ShortBandsAndBadSpacingsNeverDivideByZero)
{
    Fill(10);
    // The band ends above the title row: no row fits.
    Table->SetDrawRect(Rect(10, 10, 390, 12));
    Paint();
    EXPECT_EQ(Table->ItemViewStopIndex() - Table->ItemViewStartIndex() + 1, 0);
    EXPECT_GE(Table->GridRect().Bottom, Table->TitleRect().Bottom);
    // Rows as high as the band allows, then scrolling.
    Table->SetDrawRect(Rect(10, 10, 390, 10 + 2 * Title.cy + Title.cy + 2 * RowHeight() + 1));
    Paint();
    EXPECT_EQ(Table->ItemViewStopIndex(), 1);
    EXPECT_TRUE(Table->DownButton()->Visible());

    Table->SetRowSpacing(-3);
    Table->SetMarginTop(1e300);
    Table->SetColumnSpacing(-1e300);
    Paint();
    EXPECT_GE(Table->RowHeight(), 1);
    Table->DataFont()->SetSize(0);
    Paint();
}

// The table on a plot: the layout gives it a band, and the user scrolls it
// with its buttons.
class PlotTableOnFormTest : public PlotTest::PlotOnForm {};

TEST_F(PlotTableOnFormTest, TheDownButtonScrollsUnderTheMouse)
{
    TkPlotTable* table = Plot->GetTable(Plot->AddTable());
    table->AddColumn("Value");
    for (Integer k = 0; k < 30; ++k) table->SetRowText(table->AddRow(), IntToStr(k));
    table->SetRowsMax(4);
    Plot->ReCalcLayout();
    ASSERT_GT(table->Width(), 0);
    ASSERT_TRUE(table->DownButton()->Visible());
    const TRect down = table->DownButton()->DrawRect();
    Click(Point(down.Left + 5, down.Top + 5));
    Plot->ReCalcLayout();
    EXPECT_EQ(table->ItemViewStartIndex(), 1);
    Click(Point(down.Left + 5, down.Top + 5));
    Plot->ReCalcLayout();
    EXPECT_EQ(table->ItemViewStartIndex(), 2);
    const TRect up = table->UpButton()->DrawRect();
    Click(Point(up.Left + 5, up.Top + 5));
    Plot->ReCalcLayout();
    EXPECT_EQ(table->ItemViewStartIndex(), 1);
}

}  // namespace
