#pragma once
// A plot table: a small grid of text that the layout places beside the data
// view like an axis or a legend. It stands vertically when new.
//
// A row of column titles stands over the rows of cells; each row is one
// text whose lines (CR, LF or CR LF apart) are its cells in column order,
// and a row with fewer lines shows empty cells. When not every row fits
// (RowsMax, or the room the layout gives), two scroll buttons beside the
// grid move the rows shown; a disabled table shows no buttons.
//
// Margins and the title row count in characters of ColumnTitlesFont (widths
// of "0" left and right, heights of "0" above and below); row height,
// column widths and cell margins in characters of DataFont. The layout runs
// whenever the plot asks the table for its size and again before it draws.
//
// Columns and rows are not published: configuration files keep neither.

#include <vector>

#include "components/foundation/kTypes.h"
#include "components/plot/layout/kPlotLegend.h"
#include "components/plot/objects/kPlotObjects.h"
#include "platform/Graphics.h"

// One column of a table.
struct TkPlotTableColumn {
    // From the last layout.
    Integer WidthPixels = 0;
    String Title;
    // In widths of the data font's "0"; written back by the layout while
    // AutoSize holds.
    Double Width = 10.0;
    bool Visible = true;
    TkAlignmentHorizontal TitleAlignment = kahCenter;
    // In widths of the title font's "0".
    Double TitleAlignmentMargin = 1.0;
    TColor TitleFontColor = clWhite;
    TkAlignmentHorizontal DataAlignment = kahCenter;
    Double DataAlignmentMargin = 1.0;
    TColor DataFontColor = clWhite;
    bool AutoSize = true;
};

// A scroll button of the table: drawn as the legend's.
class TkPlotTableButton : public TkPlotLegendButton {
    PL_CLASSINFO()
public:
    using TkPlotLegendButton::TkPlotLegendButton;
};

class TkPlotTable : public TkPlotLayoutObject {
    PL_CLASSINFO()
public:
    explicit TkPlotTable(TkPlotObjectOwner* AOwner);
    TkPlotObjectKind Kind() const override { return kpokTable; }

    // Side of a scroll button and the gap before it.
    static constexpr Integer ButtonSize = 17;
    static constexpr Integer ButtonGap = 5;

    // --- published properties ---------------------------------------------
    Double MarginLeft() const { return FMarginLeft; }
    void SetMarginLeft(Double Value);
    Double MarginTop() const { return FMarginTop; }
    void SetMarginTop(Double Value);
    Double MarginRight() const { return FMarginRight; }
    void SetMarginRight(Double Value);
    Double MarginBottom() const { return FMarginBottom; }
    void SetMarginBottom(Double Value);
    TColor GridBackGroundColor() const { return FGridBackGroundColor; }
    void SetGridBackGroundColor(TColor Value);
    bool GridBackGroundTransparent() const { return FGridBackGroundTransparent; }
    void SetGridBackGroundTransparent(bool Value);
    TColor GridLinesColor() const { return FGridLinesColor; }
    void SetGridLinesColor(TColor Value);
    bool GridLinesShow() const { return FGridLinesShow; }
    void SetGridLinesShow(bool Value);
    TFont* DataFont() const { return FDataFont.get(); }
    void SetDataFont(TFont* Value);
    // In widths of the data font's "0".
    Double ColumnSpacing() const { return FColumnSpacing; }
    void SetColumnSpacing(Double Value);
    // In heights of the data font's "0".
    Double RowSpacing() const { return FRowSpacing; }
    void SetRowSpacing(Double Value);
    // Rows shown at most; 0 (or less) for no limit.
    Integer RowsMax() const { return FRowsMax; }
    void SetRowsMax(Integer Value);
    bool ColumnTitlesVisible() const { return FColumnTitlesVisible; }
    void SetColumnTitlesVisible(bool Value);
    TFont* ColumnTitlesFont() const { return FColumnTitlesFont.get(); }
    void SetColumnTitlesFont(TFont* Value);

    // --- columns -------------------------------------------------------------------
    // A column with the defaults, its colours those of the fonts now;
    // returns its index.
    Integer AddColumn(const String& Title);
    // Raise EListError for an index outside 0 .. ColumnCount - 1.
    void DeleteColumn(Integer Index);
    TkPlotTableColumn& GetColumn(Integer Index);
    void RemoveAllColumns();
    Integer ColumnCount() const { return Integer(FColumns.size()); }

    // --- rows ------------------------------------------------------------------------
    // Appends an empty row; returns its index.
    Integer AddRow();
    void DeleteRow(Integer Index);
    void RemoveAllRows();
    Integer RowCount() const { return Integer(FRows.size()); }
    // The row's cells as one text, a line each.
    String RowText(Integer Row) const;
    void SetRowText(Integer Row, const String& Text);
    // Empty beyond the row's cells.
    String CellText(Integer Column, Integer Row) const;
    void SetCellText(Integer Column, Integer Row, const String& Text);

    // --- results of the last layout ----------------------------------------------------
    Integer RequiredWidth() const { return FRequiredWidth; }
    Integer RequiredHeight() const { return FRequiredHeight; }
    TRect GridRect() const { return FGridRect; }
    TRect TitleRect() const { return FTitleRect; }
    Integer RowHeight() const { return FRowHeight; }
    // The rows shown: ItemViewStartIndex .. ItemViewStopIndex.
    Integer ItemViewStartIndex() const { return FItemViewStartIndex; }
    Integer ItemViewStopIndex() const { return FItemViewStopIndex; }
    TkPlotTableButton* UpButton() const { return FUpButton.get(); }
    TkPlotTableButton* DownButton() const { return FDownButton.get(); }
    void ScrollUp();
    void ScrollDown();

    // --- overrides --------------------------------------------------------------------
    void NotificationSetFocus(TkPlotObject* AObject) override;
    void Draw(const TkPlotPaintContext& Context) override;
    // A shown scroll button under P, else the table.
    TkPlotObject* GetObjectAtPoint(TPoint P) override;
    void BuildPopupMenu(TPopupMenu* PopupMenu) override;
    Integer GetRequiredSize(TCanvas* Canvas) override;

private:
    // The fonts' "0" in pixels.
    struct TDigit {
        Integer Width = 0;
        Integer Height = 0;
    };
    struct TMargins {
        Integer Left = 0;
        Integer Top = 0;
        Integer Right = 0;
        Integer Bottom = 0;
    };

    void RowChanged();
    void CheckRow(Integer Row) const;
    void SetEmpty();
    // --- layout and drawing (kPlotTableDraw.cpp) ---------------------------------------
    void Layout(TCanvas* Canvas);
    Integer ShownRowLimit() const;
    void SizeColumns(TCanvas* Canvas, const TDigit& Title, const TDigit& Data);
    Integer WidestCell(TCanvas* Canvas, std::size_t Column);
    void PlaceButtons(Integer Shown);
    void HideButtons();
    void SetViewWindow(Integer Shown);
    void DrawGridLines(TCanvas* Canvas) const;
    void DrawTitles(TCanvas* Canvas, TColor BackGroundColor) const;
    void DrawCells(TCanvas* Canvas, TColor BackGroundColor) const;
    void DrawFocus(TCanvas* Canvas) const;

    TOwned<TkPlotTableButton> FUpButton;
    TOwned<TkPlotTableButton> FDownButton;
    Integer FRequiredWidth = 0;
    Integer FRequiredHeight = 0;
    std::vector<TkPlotTableColumn> FColumns;
    std::vector<std::vector<String>> FRows;
    // Widest cell of each column in the data font; empty when stale.
    std::vector<Integer> FCellWidths;
    Integer FItemViewStartIndex = 0;
    Integer FItemViewStopIndex = -1;
    Integer FRowHeight = 0;
    Double FMarginLeft = 1.0;
    Double FMarginRight = 1.0;
    Double FMarginBottom = 1.0;
    Double FMarginTop = 1.0;
    bool FGridBackGroundTransparent = false;
    TColor FGridBackGroundColor = 0x808080;
    bool FGridLinesShow = true;
    TColor FGridLinesColor = clWhite;
    Double FColumnSpacing = 2.0;
    Double FRowSpacing = 0.5;
    Integer FRowsMax = 0;
    TOwned<TFont> FDataFont;
    TRect FGridRect{};
    TRect FTitleRect{};
    bool FColumnTitlesVisible = true;
    TOwned<TFont> FColumnTitlesFont;
};
