#include "components/plot/table/kPlotTable.h"

#include <string_view>

#include "components/foundation/kCommonRoutines.h"
#include "platform/SysUtils.h"

TClass TkPlotTableButton::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkPlotTableButton, TkPlotLegendButton>("TkPlotTableButton").Build();
    return &info;
}

TClass TkPlotTable::StaticClassInfo()
{
    using C = TkPlotTable;
    static const TClassInfo info =
        TClassBuilder<C, TkPlotLayoutObject>("TkPlotTable")
            .Float("MarginLeft", &C::MarginLeft, &C::SetMarginLeft)
            .Float("MarginTop", &C::MarginTop, &C::SetMarginTop)
            .Float("MarginRight", &C::MarginRight, &C::SetMarginRight)
            .Float("MarginBottom", &C::MarginBottom, &C::SetMarginBottom)
            .Color("GridBackGroundColor", &C::GridBackGroundColor, &C::SetGridBackGroundColor).Default(0x808080)
            .Bool("GridBackGroundTransparent", &C::GridBackGroundTransparent, &C::SetGridBackGroundTransparent)
            .Default(false)
            .Color("GridLinesColor", &C::GridLinesColor, &C::SetGridLinesColor).Default(clWhite)
            .Bool("GridLinesShow", &C::GridLinesShow, &C::SetGridLinesShow).Default(true)
            .Object("DataFont", &C::DataFont, &C::SetDataFont)
            .Float("ColumnSpacing", &C::ColumnSpacing, &C::SetColumnSpacing)
            .Float("RowSpacing", &C::RowSpacing, &C::SetRowSpacing)
            .Integer("RowsMax", &C::RowsMax, &C::SetRowsMax).Default(0)
            // Declared true, as a new table has it, so that false is stored.
            .Bool("ColumnTitlesVisible", &C::ColumnTitlesVisible, &C::SetColumnTitlesVisible).Default(true)
            .Object("ColumnTitlesFont", &C::ColumnTitlesFont, &C::SetColumnTitlesFont)
            .Build();
    return &info;
}

TkPlotTable::TkPlotTable(TkPlotObjectOwner* AOwner)
    : TkPlotLayoutObject(AOwner),
      FUpButton(CreateOwned<TkPlotTableButton>(AOwner, true)),
      FDownButton(CreateOwned<TkPlotTableButton>(AOwner, false)),
      FDataFont(CreateOwned<TFont>()),
      FColumnTitlesFont(CreateOwned<TFont>())
{
    FUpButton->SetName("PlotTableUpButton");
    FDownButton->SetName("PlotTableDownButton");
    FDataFont->SetColor(clWhite);
    FDataFont->SetStyle(TFontStyles{fsBold});
    FColumnTitlesFont->SetColor(0xFFFF00);
    FColumnTitlesFont->SetStyle(TFontStyles{fsBold});
    FDataFont->OnChange = [this](TObject*) {
        FCellWidths.clear();
        DoChange();
    };
    FColumnTitlesFont->OnChange = [this](TObject*) { DoChange(); };
    for (TkPlotTableButton* button : {FUpButton.get(), FDownButton.get()}) {
        button->SetVisible(false);
        button->SetOnInvalidate([this](TObject*) { DoInvalidateNow(); });
    }
    FUpButton->SetOnClick([this](TObject*) { ScrollUp(); });
    FDownButton->SetOnClick([this](TObject*) { ScrollDown(); });
}

// --- published setters ---------------------------------------------------------------

void TkPlotTable::SetMarginLeft(Double Value) { SetProperty(FMarginLeft, Value, &TkPlotTable::DoChange); }

void TkPlotTable::SetMarginTop(Double Value) { SetProperty(FMarginTop, Value, &TkPlotTable::DoChange); }

void TkPlotTable::SetMarginRight(Double Value) { SetProperty(FMarginRight, Value, &TkPlotTable::DoChange); }

void TkPlotTable::SetMarginBottom(Double Value) { SetProperty(FMarginBottom, Value, &TkPlotTable::DoChange); }

void TkPlotTable::SetGridBackGroundColor(TColor Value)
{
    SetProperty(FGridBackGroundColor, Value, &TkPlotTable::DoChange);
}

void TkPlotTable::SetGridBackGroundTransparent(bool Value)
{
    SetProperty(FGridBackGroundTransparent, Value, &TkPlotTable::DoChange);
}

void TkPlotTable::SetGridLinesColor(TColor Value) { SetProperty(FGridLinesColor, Value, &TkPlotTable::DoChange); }

void TkPlotTable::SetGridLinesShow(bool Value) { SetProperty(FGridLinesShow, Value, &TkPlotTable::DoChange); }

void TkPlotTable::SetDataFont(TFont* Value)
{
    if (Value) FDataFont->Assign(Value);
}

void TkPlotTable::SetColumnSpacing(Double Value) { SetProperty(FColumnSpacing, Value, &TkPlotTable::DoChange); }

void TkPlotTable::SetRowSpacing(Double Value) { SetProperty(FRowSpacing, Value, &TkPlotTable::DoChange); }

void TkPlotTable::SetRowsMax(Integer Value) { SetProperty(FRowsMax, Value, &TkPlotTable::DoChange); }

void TkPlotTable::SetColumnTitlesVisible(bool Value)
{
    SetProperty(FColumnTitlesVisible, Value, &TkPlotTable::DoChange);
}

void TkPlotTable::SetColumnTitlesFont(TFont* Value)
{
    if (Value) FColumnTitlesFont->Assign(Value);
}

// --- columns ---------------------------------------------------------------------------

Integer TkPlotTable::AddColumn(const String& Title)
{
    TkPlotTableColumn column;
    column.Title = Title;
    column.TitleFontColor = FColumnTitlesFont->Color();
    column.DataFontColor = FDataFont->Color();
    FColumns.push_back(column);
    FCellWidths.clear();
    DoChange();
    return ColumnCount() - 1;
}

void TkPlotTable::DeleteColumn(Integer Index)
{
    GetColumn(Index);
    FColumns.erase(FColumns.begin() + Index);
    FCellWidths.clear();
    DoChange();
}

TkPlotTableColumn& TkPlotTable::GetColumn(Integer Index)
{
    if (Index < 0 || Index >= ColumnCount()) RaiseListIndexError(Index);
    return FColumns[std::size_t(Index)];
}

void TkPlotTable::RemoveAllColumns()
{
    FColumns.clear();
    FCellWidths.clear();
    DoChange();
}

// --- rows ------------------------------------------------------------------------------

void TkPlotTable::CheckRow(Integer Row) const
{
    if (Row < 0 || Row >= RowCount()) RaiseListIndexError(Row);
}

void TkPlotTable::RowChanged()
{
    FCellWidths.clear();
    DoChange();
}

Integer TkPlotTable::AddRow()
{
    FRows.emplace_back();
    RowChanged();
    return RowCount() - 1;
}

void TkPlotTable::DeleteRow(Integer Index)
{
    CheckRow(Index);
    FRows.erase(FRows.begin() + Index);
    RowChanged();
}

void TkPlotTable::RemoveAllRows()
{
    FRows.clear();
    RowChanged();
}

String TkPlotTable::RowText(Integer Row) const
{
    CheckRow(Row);
    String text;
    for (const String& cell : FRows[std::size_t(Row)]) {
        if (&cell != &FRows[std::size_t(Row)].front()) text += "\r\n";
        text += cell;
    }
    return text;
}

void TkPlotTable::SetRowText(Integer Row, const String& Text)
{
    CheckRow(Row);
    std::vector<String> cells;
    std::string_view rest = Text;
    String line;
    while (NextTextLine(rest, line)) cells.push_back(line);
    FRows[std::size_t(Row)] = std::move(cells);
    RowChanged();
}

String TkPlotTable::CellText(Integer Column, Integer Row) const
{
    CheckRow(Row);
    const std::vector<String>& cells = FRows[std::size_t(Row)];
    return Column >= 0 && Column < Integer(cells.size()) ? cells[std::size_t(Column)] : String();
}

void TkPlotTable::SetCellText(Integer Column, Integer Row, const String& Text)
{
    CheckRow(Row);
    if (Column < 0) RaiseListIndexError(Column);
    std::vector<String>& cells = FRows[std::size_t(Row)];
    if (Column >= Integer(cells.size())) cells.resize(std::size_t(Column) + 1);
    cells[std::size_t(Column)] = Text;
    RowChanged();
}

// --- scrolling -------------------------------------------------------------------------

void TkPlotTable::ScrollUp()
{
    if (FItemViewStartIndex <= 0) return;
    --FItemViewStartIndex;
    DoInvalidateNow();
}

void TkPlotTable::ScrollDown()
{
    if (FItemViewStartIndex >= RowCount() - 1) return;
    ++FItemViewStartIndex;
    DoInvalidateNow();
}

// --- mouse, focus and popup menu -----------------------------------------------------------

void TkPlotTable::NotificationSetFocus(TkPlotObject* AObject)
{
    TkPlotLayoutObject::NotificationSetFocus(AObject);
    if (AObject != this && UserSelected() && AObject->UserSelected()) SetUserSelected(false);
}

TkPlotObject* TkPlotTable::GetObjectAtPoint(TPoint P)
{
    // Hidden buttons keep the rectangles they had: only shown ones are hit.
    for (TkPlotTableButton* button : {FUpButton.get(), FDownButton.get()})
        if (button->Visible() && PtInRect(button->DrawRect(), P)) {
            SetMouseOverObject(button);
            return button;
        }
    return TkPlotLayoutObject::GetObjectAtPoint(P);
}

void TkPlotTable::BuildPopupMenu(TPopupMenu* PopupMenu)
{
    TkPlotLayoutObject::BuildPopupMenu(PopupMenu);
    AddEditMenuItem(PopupMenu);
}
