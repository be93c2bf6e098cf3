// The table's layout (margins, title row, row height, column widths, the
// rows shown and the scroll buttons) and its drawing.

#include <algorithm>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/table/kPlotTable.h"
#include "platform/Math.h"

namespace {

constexpr Integer kMaxPixel = 32000;

Integer Pix(Int64 Value) { return Integer(std::clamp<Int64>(Value, -kMaxPixel, kMaxPixel)); }

// Characters times a factor, in whole pixels within the drawable range.
Integer Scaled(Integer Unit, Double Factor) { return Pix(RoundPix(Extended(Unit) * Factor)); }

}  // namespace

Integer TkPlotTable::GetRequiredSize(TCanvas* Canvas)
{
    Layout(Canvas);
    return Horizontal() ? FRequiredHeight : FRequiredWidth;
}

void TkPlotTable::SetEmpty()
{
    FRequiredWidth = FRequiredHeight = 0;
    FItemViewStartIndex = 0;
    FItemViewStopIndex = -1;
    // Buttons of an earlier layout must neither show nor take the mouse.
    HideButtons();
}

Integer TkPlotTable::ShownRowLimit() const
{
    return FRowsMax > 0 && RowCount() > FRowsMax ? FRowsMax : RowCount();
}

void TkPlotTable::Layout(TCanvas* Canvas)
{
    if (FRows.empty() || FColumns.empty()) {
        SetEmpty();
        return;
    }
    Canvas->SetFont(FColumnTitlesFont.get());
    const TDigit title{Canvas->TextWidth("0"), Canvas->TextHeight("0")};
    const TMargins margins{Scaled(title.Width, FMarginLeft), Scaled(title.Height, FMarginTop),
                           Scaled(title.Width, FMarginRight), Scaled(title.Height, FMarginBottom)};
    const TRect draw = DrawRect();
    FGridRect = Rect(Pix(Int64{draw.Left} + margins.Left), Pix(Int64{draw.Top} + margins.Top),
                     Pix(Int64{draw.Right} - margins.Right), Pix(Int64{draw.Bottom} - margins.Bottom));
    const Integer titleHeight = FColumnTitlesVisible ? title.Height : 0;
    FTitleRect = Rect(FGridRect.Left, FGridRect.Top, FGridRect.Right, Pix(Int64{FGridRect.Top} + titleHeight));

    Canvas->SetFont(FDataFont.get());
    const TDigit data{Canvas->TextWidth("0"), Canvas->TextHeight("0")};
    // A spacing of -1 or less would leave no room for a row: one pixel at least.
    FRowHeight = std::max(Pix(Int64{data.Height} + Scaled(data.Height, FRowSpacing)), 1);

    Integer shown = ShownRowLimit();
    FGridRect.Bottom = Pix(Int64{FTitleRect.Bottom} + Int64{shown} * FRowHeight);
    FRequiredHeight = Pix(Int64{margins.Top} + margins.Bottom + titleHeight + Int64{shown} * FRowHeight);

    SizeColumns(Canvas, title, data);
    Int64 columnsWidth = 0;
    for (const TkPlotTableColumn& column : FColumns)
        if (column.Visible) columnsWidth += column.WidthPixels;
    FRequiredWidth = Pix(Int64{margins.Left} + margins.Right + columnsWidth);
    FGridRect.Right = FTitleRect.Right = Pix(FGridRect.Left + columnsWidth);

    const Int64 limit = Int64{draw.Bottom} - margins.Bottom;
    if (FGridRect.Bottom > limit) {
        shown = Integer(std::max<Int64>((limit - FTitleRect.Bottom) / FRowHeight, 0));
        FGridRect.Bottom = Pix(Int64{FTitleRect.Bottom} + Int64{shown} * FRowHeight);
    }
    SetViewWindow(shown);
    if (shown < RowCount() && Enabled())
        PlaceButtons(shown);
    else
        HideButtons();
    FUpButton->SetEnabled(FItemViewStartIndex != 0);
    FDownButton->SetEnabled(FItemViewStopIndex != RowCount() - 1);
}

void TkPlotTable::SizeColumns(TCanvas* Canvas, const TDigit& Title, const TDigit& Data)
{
    for (std::size_t c = 0; c < FColumns.size(); ++c) {
        TkPlotTableColumn& column = FColumns[c];
        if (!column.Visible) continue;
        if (!column.AutoSize) {
            column.WidthPixels = std::max(Scaled(Data.Width, column.Width), 0);
            continue;
        }
        Canvas->SetFont(FColumnTitlesFont.get());
        const Int64 titleWidth =
            Int64{Title.Width} + Canvas->TextWidth(column.Title) + Scaled(Title.Width, FColumnSpacing);
        const Int64 cellWidth = Int64{WidestCell(Canvas, c)} + Scaled(Data.Width, FColumnSpacing) + Data.Width;
        column.WidthPixels = std::max(Pix(std::max(titleWidth, cellWidth)), 0);
        // A font without a "0" gives no unit to write back in.
        if (Data.Width > 0) column.Width = column.WidthPixels / Data.Width;
    }
}

Integer TkPlotTable::WidestCell(TCanvas* Canvas, std::size_t Column)
{
    if (FCellWidths.size() != FColumns.size()) {
        FCellWidths.assign(FColumns.size(), 0);
        Canvas->SetFont(FDataFont.get());
        for (const std::vector<String>& cells : FRows)
            for (std::size_t c = 0; c < cells.size() && c < FColumns.size(); ++c)
                FCellWidths[c] = std::max(FCellWidths[c], Canvas->TextWidth(cells[c]));
    }
    return FCellWidths[Column];
}

void TkPlotTable::SetViewWindow(Integer Shown)
{
    if (Shown >= RowCount()) {
        FItemViewStartIndex = 0;
        FItemViewStopIndex = Shown - 1;
        return;
    }
    const Integer last = RowCount() - 1;
    FItemViewStopIndex = Pix(Int64{FItemViewStartIndex} + Shown - 1);
    if (FItemViewStopIndex > last) {
        FItemViewStopIndex = last;
        FItemViewStartIndex = last - (Shown - 1);
    }
    if (FItemViewStartIndex < 0) {
        FItemViewStartIndex = 0;
        FItemViewStopIndex = Shown - 1;
    }
}

void TkPlotTable::PlaceButtons(Integer Shown)
{
    const Integer left = Pix(Int64{FGridRect.Right} + ButtonGap);
    const Int64 top = FTitleRect.Bottom;
    const Integer upCentre = Pix(top + FRowHeight / 2);
    const Integer downCentre = Pix(top + Int64{Shown} * FRowHeight - FRowHeight / 2);
    const auto square = [left](Integer Centre) {
        return Rect(left, Pix(Int64{Centre} - 8), Pix(Int64{left} + ButtonSize), Pix(Int64{Centre} + 9));
    };
    FUpButton->SetDrawRect(square(upCentre));
    FDownButton->SetDrawRect(square(downCentre));
    FUpButton->SetVisible(true);
    FDownButton->SetVisible(true);
    FRequiredWidth = Pix(Int64{FRequiredWidth} + ButtonSize + ButtonGap);
}

void TkPlotTable::HideButtons()
{
    FUpButton->SetVisible(false);
    FDownButton->SetVisible(false);
}

// --- drawing ---------------------------------------------------------------------------

void TkPlotTable::Draw(const TkPlotPaintContext& Context)
{
    TCanvas* canvas = Context.Canvas;
    if (!Visible() || FRows.empty() || FColumns.empty()) return;
    Layout(canvas);
    if (!FGridBackGroundTransparent) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(FGridBackGroundColor);
        canvas->FillRect(FGridRect);
    }
    if (FGridLinesShow) DrawGridLines(canvas);
    if (FColumnTitlesVisible) DrawTitles(canvas, Context.BackGroundColor);
    DrawCells(canvas, Context.BackGroundColor);
    for (TkPlotTableButton* button : {FUpButton.get(), FDownButton.get()})
        if (button->Visible()) button->Draw(Context);
    if (UserSelected()) DrawFocus(canvas);
}

void TkPlotTable::DrawGridLines(TCanvas* Canvas) const
{
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(FGridLinesColor);
    const TRect g = FGridRect;
    const auto vertical = [&](Integer X) { Canvas->Polyline({Point(X, g.Top), Point(X, g.Bottom)}); };
    const auto horizontal = [&](Integer Y) { Canvas->Polyline({Point(g.Left, Y), Point(Pix(Int64{g.Right} + 1), Y)}); };
    Int64 x = g.Left;
    vertical(g.Left);
    for (const TkPlotTableColumn& column : FColumns)
        if (column.Visible) vertical(Pix(x += column.WidthPixels));
    horizontal(g.Top);
    horizontal(FTitleRect.Bottom);
    for (Integer k = 1; k <= FItemViewStopIndex - FItemViewStartIndex + 1; ++k)
        horizontal(Pix(Int64{FTitleRect.Bottom} + Int64{k} * FRowHeight));
}

namespace {

// The text of one cell of a column, aligned in its rectangle.
void DrawCellText(TCanvas* Canvas, const String& Text, TRect Cell, TkAlignmentHorizontal Alignment, Integer Margin,
                  TColor Color, TColor BackGroundColor)
{
    TkTextFlag align = ktfCenter;
    if (Alignment == kahLeft) {
        Cell.Left = Pix(Int64{Cell.Left} + Margin);
        align = ktfLeft;
    } else if (Alignment == kahRight) {
        Cell.Right = Pix(Int64{Cell.Right} - Margin);
        align = ktfRight;
    }
    Canvas->Font()->SetColor(Color);
    DrawTextStyled(Canvas, Text, Cell, TkTextFlags{align, ktfVCenter, ktfSingleLine}, true, BackGroundColor);
}

}  // namespace

void TkPlotTable::DrawTitles(TCanvas* Canvas, TColor BackGroundColor) const
{
    Canvas->SetFont(FColumnTitlesFont.get());
    Canvas->Brush()->SetStyle(bsClear);
    const Integer zero = Canvas->TextWidth("0");
    Int64 left = FGridRect.Left;
    for (const TkPlotTableColumn& column : FColumns) {
        if (!column.Visible) continue;
        const TRect cell = Rect(Pix(left), FTitleRect.Top, Pix(left + column.WidthPixels), FTitleRect.Bottom);
        DrawCellText(Canvas, column.Title, cell, column.TitleAlignment, Scaled(zero, column.TitleAlignmentMargin),
                     column.TitleFontColor, BackGroundColor);
        left += column.WidthPixels;
    }
}

void TkPlotTable::DrawCells(TCanvas* Canvas, TColor BackGroundColor) const
{
    Canvas->SetFont(FDataFont.get());
    Canvas->Brush()->SetStyle(bsClear);
    const Integer zero = Canvas->TextWidth("0");
    for (Integer row = std::max(FItemViewStartIndex, 0); row <= FItemViewStopIndex && row < RowCount(); ++row) {
        const Int64 top = FTitleRect.Bottom + Int64{row - FItemViewStartIndex} * FRowHeight;
        Int64 left = FGridRect.Left;
        for (std::size_t c = 0; c < FColumns.size(); ++c) {
            const TkPlotTableColumn& column = FColumns[c];
            if (!column.Visible) continue;
            const TRect cell = Rect(Pix(left), Pix(top), Pix(left + column.WidthPixels), Pix(top + FRowHeight));
            DrawCellText(Canvas, CellText(Integer(c), row), cell, column.DataAlignment,
                         Scaled(zero, column.DataAlignmentMargin), column.DataFontColor, BackGroundColor);
            left += column.WidthPixels;
        }
    }
}

void TkPlotTable::DrawFocus(TCanvas* Canvas) const
{
    TRect r = DrawRect();
    if (Horizontal()) {
        r.Top = Pix(Int64{r.Top} + 2);
        r.Bottom = Pix(Int64{r.Bottom} - 2);
    }
    DrawFocusRectangle(Canvas, r);
}
