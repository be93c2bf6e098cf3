#include "components/plot/layout/kPlotLegend.h"

#include <algorithm>
#include <span>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "components/plot/layout/kPlotLegendEntries.h"
#include "platform/Math.h"
#include "platform/Menus.h"
#include "platform/SysUtils.h"

namespace {

// Every coordinate and size the layout computes stays within this range,
// so that absurd fonts, margins or counts cannot overflow the sums made
// from them.
constexpr Int64 kMaxPixel = 1000000;
// Room the scroll buttons take at the right of the entries, and their size.
constexpr Integer kButtonRoom = 25;
constexpr Integer kButtonSize = 17;
// The line sample's segment tables are drawn at this length only.
constexpr Integer kSegmentedSampleWidth = 13;

Integer Pix(Int64 Value) { return Integer(EnsureRange(Value, -kMaxPixel, kMaxPixel)); }

Int64 CeilDiv(Int64 A, Int64 B) { return (A + B - 1) / B; }

bool IsAxisNameColumn(TkPlotLegendColumn Column) { return Column == kplcXAxisName || Column == kplcYAxisName; }

// A piece of the line sample: X offsets handed to the line routine, which
// leaves out the end pixel.
struct TSampleSegment {
    Integer From;
    Integer To;
};

std::span<const TSampleSegment> SampleSegments(TkPlotLineStyle Style)
{
    static constexpr TSampleSegment solid[] = {{0, 13}};
    static constexpr TSampleSegment dash[] = {{0, 5}, {8, 13}};
    static constexpr TSampleSegment dot[] = {{0, 2}, {4, 6}, {8, 10}};
    static constexpr TSampleSegment dashDot[] = {{0, 5}, {7, 9}};
    static constexpr TSampleSegment dashDotDot[] = {{0, 5}, {7, 9}, {11, 13}};
    switch (Style) {
    case kplsSolid: return solid;
    case kplsDash: return dash;
    case kplsDot: return dot;
    case kplsDashDot: return dashDot;
    case kplsDashDotDot: return dashDotDot;
    }
    return {};
}

}  // namespace

// ===========================================================================
// TkPlotLegendButton
// ===========================================================================

TClass TkPlotLegendButton::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkPlotLegendButton, TkPlotButton>("TkPlotLegendButton").Build();
    return &info;
}

TkPlotLegendButton::TkPlotLegendButton(TkPlotObjectOwner* AOwner, bool APointsUp)
    : TkPlotButton(AOwner), FPointsUp(APointsUp)
{
    SetTimerEnabled(true);
}

void TkPlotLegendButton::Draw(const TkPlotPaintContext& Context)
{
    TCanvas* canvas = Context.Canvas;
    const TRect r = DrawRect();
    canvas->Pen()->SetStyle(psClear);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(r);
    DrawFrame(canvas, r, Pressed() ? 0 : 1);

    const TColor color = Enabled() ? clBlack : clGray;
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(color);
    canvas->Brush()->SetColor(color);
    const Integer cx = Pix((Int64{r.Left} + r.Right) / 2);
    const Integer cy = Pix((Int64{r.Top} + r.Bottom) / 2);
    const Integer base = FPointsUp ? cy + 2 : cy - 2;
    const Integer apex = FPointsUp ? cy - 2 : cy + 2;
    canvas->Polygon({Point(cx - 4, base), Point(cx + 4, base), Point(cx, apex)});
}

// ===========================================================================
// TkPlotLegend
// ===========================================================================

TClass TkPlotLegend::StaticClassInfo()
{
    using C = TkPlotLegend;
    static const TClassInfo info =
        TClassBuilder<C, TkPlotLayoutObject>("TkPlotLegend")
            .Float("MarginLeft", &C::MarginLeft, &C::SetMarginLeft)
            .Float("MarginTop", &C::MarginTop, &C::SetMarginTop)
            .Float("MarginRight", &C::MarginRight, &C::SetMarginRight)
            .Float("MarginBottom", &C::MarginBottom, &C::SetMarginBottom)
            .Color("BackGroundColor", &C::BackGroundColor, &C::SetBackGroundColor).Default(clGray)
            .Bool("BackGroundTransparent", &C::BackGroundTransparent, &C::SetBackGroundTransparent).Default(true)
            .Color("SelectedItemBackGroundColor", &C::SelectedItemBackGroundColor, &C::SetSelectedItemBackGroundColor)
            .Default(clYellow)
            .Object("SelectedItemFont", &C::SelectedItemFont, &C::SetSelectedItemFont)
            .Bool("ShowColumnLine", &C::ShowColumnLine, &C::SetShowColumnLine).Default(true)
            .Bool("ShowColumnMarker", &C::ShowColumnMarker, &C::SetShowColumnMarker).Default(false)
            .Bool("ShowColumnXAxisTitle", &C::ShowColumnXAxisTitle, &C::SetShowColumnXAxisTitle).Default(false)
            .Bool("ShowColumnYAxisTitle", &C::ShowColumnYAxisTitle, &C::SetShowColumnYAxisTitle).Default(false)
            .Bool("ShowColumnXValue", &C::ShowColumnXValue, &C::SetShowColumnXValue).Default(false)
            .Bool("ShowColumnYValue", &C::ShowColumnYValue, &C::SetShowColumnYValue).Default(false)
            .Bool("ShowColumnYMax", &C::ShowColumnYMax, &C::SetShowColumnYMax).Default(false)
            .Bool("ShowColumnYMin", &C::ShowColumnYMin, &C::SetShowColumnYMin).Default(false)
            .Bool("ShowColumnYMean", &C::ShowColumnYMean, &C::SetShowColumnYMean).Default(false)
            .String("CaptionColumnTitle", &C::CaptionColumnTitle, &C::SetCaptionColumnTitle)
            .String("CaptionColumnXAxisTitle", &C::CaptionColumnXAxisTitle, &C::SetCaptionColumnXAxisTitle)
            .String("CaptionColumnYAxisTitle", &C::CaptionColumnYAxisTitle, &C::SetCaptionColumnYAxisTitle)
            .String("CaptionColumnXValue", &C::CaptionColumnXValue, &C::SetCaptionColumnXValue)
            .String("CaptionColumnYValue", &C::CaptionColumnYValue, &C::SetCaptionColumnYValue)
            .String("CaptionColumnYMax", &C::CaptionColumnYMax, &C::SetCaptionColumnYMax)
            .String("CaptionColumnYMin", &C::CaptionColumnYMin, &C::SetCaptionColumnYMin)
            .String("CaptionColumnYMean", &C::CaptionColumnYMean, &C::SetCaptionColumnYMean)
            .Object("Font", &C::Font, &C::SetFont)
            .Float("ColumnSpacing", &C::ColumnSpacing, &C::SetColumnSpacing)
            .Float("RowSpacing", &C::RowSpacing, &C::SetRowSpacing)
            .Integer("WrapColDesiredCount", &C::WrapColDesiredCount, &C::SetWrapColDesiredCount)
            .Bool("WrapColAutoCountEnabled", &C::WrapColAutoCountEnabled, &C::SetWrapColAutoCountEnabled)
            .Integer("WrapColAutoCountMax", &C::WrapColAutoCountMax, &C::SetWrapColAutoCountMax)
            .Float("WrapColSpacingMin", &C::WrapColSpacingMin, &C::SetWrapColSpacingMin)
            .Bool("WrapColSpacingAuto", &C::WrapColSpacingAuto, &C::SetWrapColSpacingAuto)
            .Integer("WrapRowDesiredCount", &C::WrapRowDesiredCount, &C::SetWrapRowDesiredCount)
            .Bool("WrapRowAutoCountEnabled", &C::WrapRowAutoCountEnabled, &C::SetWrapRowAutoCountEnabled)
            .Integer("WrapRowAutoCountMax", &C::WrapRowAutoCountMax, &C::SetWrapRowAutoCountMax)
            .Float("WrapRowSpacingMin", &C::WrapRowSpacingMin, &C::SetWrapRowSpacingMin)
            .Bool("WrapRowSpacingAuto", &C::WrapRowSpacingAuto, &C::SetWrapRowSpacingAuto)
            .Bool("ColumnTitlesVisible", &C::ColumnTitlesVisible, &C::SetColumnTitlesVisible).Default(false)
            .Object("ColumnTitlesFont", &C::ColumnTitlesFont, &C::SetColumnTitlesFont)
            .Float("ChannelNameMaxWidth", &C::ChannelNameMaxWidth, &C::SetChannelNameMaxWidth)
            .Enum("ChannelNameColorStyle", &C::ChannelNameColorStyle, &C::SetChannelNameColorStyle)
            .Default(kplcncsFont)
            .Integer("LineColumnWidth", &C::LineColumnWidth, &C::SetLineColumnWidth).Default(13)
            .Integer("LineColumnHeight", &C::LineColumnHeight, &C::SetLineColumnHeight).Default(3)
            .Build();
    return &info;
}

TkPlotLegend::TkPlotLegend(TkPlotObjectOwner* AOwner)
    : TkPlotLayoutObject(AOwner),
      FSelectedItemFont(CreateOwned<TFont>()),
      FFont(CreateOwned<TFont>()),
      FColumnTitlesFont(CreateOwned<TFont>()),
      FUpButton(CreateOwned<TkPlotLegendButton>(AOwner, true)),
      FDownButton(CreateOwned<TkPlotLegendButton>(AOwner, false))
{
    FSelectedItemFont->SetColor(clBlack);
    FFont->SetColor(clWhite);
    FColumnTitlesFont->SetColor(clAqua);
    FColumnTitlesFont->SetStyle(TFontStyles{fsBold});
    // Only changes after construction are the legend's own.
    for (TFont* font : {FSelectedItemFont.get(), FFont.get(), FColumnTitlesFont.get()})
        font->OnChange = [this](TObject*) { DoChange(); };

    for (TkPlotLegendButton* button : {FUpButton.get(), FDownButton.get()}) {
        button->SetVisible(false);
        button->SetOnInvalidate([this](TObject*) { DoInvalidateNow(); });
    }
    FUpButton->SetOnClick([this](TObject*) { ScrollUp(); });
    FDownButton->SetOnClick([this](TObject*) { ScrollDown(); });
}

// --- published setters ---------------------------------------------------------

void TkPlotLegend::SetMarginLeft(Double Value) { SetProperty(FMarginLeft, Value, &TkPlotLegend::DoChange); }

void TkPlotLegend::SetMarginTop(Double Value) { SetProperty(FMarginTop, Value, &TkPlotLegend::DoChange); }

void TkPlotLegend::SetMarginRight(Double Value) { SetProperty(FMarginRight, Value, &TkPlotLegend::DoChange); }

void TkPlotLegend::SetMarginBottom(Double Value) { SetProperty(FMarginBottom, Value, &TkPlotLegend::DoChange); }

void TkPlotLegend::SetBackGroundColor(TColor Value)
{
    SetProperty(FBackGroundColor, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetBackGroundTransparent(bool Value)
{
    SetProperty(FBackGroundTransparent, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetSelectedItemBackGroundColor(TColor Value)
{
    SetProperty(FSelectedItemBackGroundColor, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetSelectedItemFont(TFont* Value)
{
    if (Value) FSelectedItemFont->Assign(Value);
}

void TkPlotLegend::SetShowColumn(TkPlotLegendColumn Column, bool Value)
{
    SetProperty(FShowColumn[Column], Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetCaption(TkPlotLegendColumn Column, const String& Value)
{
    SetProperty(FCaptions[Column], Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetFont(TFont* Value)
{
    if (Value) FFont->Assign(Value);
}

void TkPlotLegend::SetColumnSpacing(Double Value) { SetProperty(FColumnSpacing, Value, &TkPlotLegend::DoChange); }

void TkPlotLegend::SetRowSpacing(Double Value) { SetProperty(FRowSpacing, Value, &TkPlotLegend::DoChange); }

void TkPlotLegend::SetWrapColDesiredCount(Integer Value)
{
    SetProperty(FWrapColDesiredCount, std::max(Value, 1), &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetWrapColAutoCountEnabled(bool Value)
{
    SetProperty(FWrapColAutoCountEnabled, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetWrapColAutoCountMax(Integer Value)
{
    SetProperty(FWrapColAutoCountMax, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetWrapColSpacingMin(Double Value)
{
    SetProperty(FWrapColSpacingMin, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetWrapColSpacingAuto(bool Value)
{
    SetProperty(FWrapColSpacingAuto, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetWrapRowDesiredCount(Integer Value)
{
    SetProperty(FWrapRowDesiredCount, std::max(Value, 1), &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetWrapRowAutoCountEnabled(bool Value)
{
    SetProperty(FWrapRowAutoCountEnabled, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetWrapRowAutoCountMax(Integer Value)
{
    SetProperty(FWrapRowAutoCountMax, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetWrapRowSpacingAuto(bool Value)
{
    SetProperty(FWrapRowSpacingAuto, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetColumnTitlesVisible(bool Value)
{
    SetProperty(FColumnTitlesVisible, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetColumnTitlesFont(TFont* Value)
{
    if (Value) FColumnTitlesFont->Assign(Value);
}

void TkPlotLegend::SetChannelNameMaxWidth(Double Value)
{
    SetProperty(FChannelNameMaxWidth, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetChannelNameColorStyle(TkPlotLegendChannelNameColorStyle Value)
{
    SetProperty(FChannelNameColorStyle, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetLineColumnWidth(Integer Value)
{
    SetProperty(FLineColumnWidth, Value, &TkPlotLegend::DoChange);
}

void TkPlotLegend::SetLineColumnHeight(Integer Value)
{
    SetProperty(FLineColumnHeight, Value, &TkPlotLegend::DoChange);
}

// --- scrolling -------------------------------------------------------------------

void TkPlotLegend::SetItemViewStartIndex(Integer Value)
{
    SetProperty(FItemViewStartIndex, std::max(Value, 0), &TkPlotLegend::DoChange);
}

void TkPlotLegend::ScrollUp()
{
    if (FItemViewStartIndex > 0) SetItemViewStartIndex(FItemViewStartIndex - 1);
}

void TkPlotLegend::ScrollDown()
{
    if (FItemViewStartIndex < ItemCount() - 1) SetItemViewStartIndex(FItemViewStartIndex + 1);
}

// --- results of the last layout ------------------------------------------------------

const TkPlotLegendItem& TkPlotLegend::Item(Integer Index) const
{
    if (Index < 0 || Index >= ItemCount()) throw EListError("Index out of Bounds");
    static const TkPlotLegendItem unshown;
    const Int64 shown = Int64{Index} - FItemViewStartIndex;
    return shown >= 0 && shown < Int64(FItemList.size()) ? FItemList[std::size_t(shown)] : unshown;
}

TRect TkPlotLegend::ChannelLegendRect(const TkPlotChannelCustom* Channel) const
{
    if (!Visible() || !Channel) return TRect{};
    for (const TkPlotLegendItem& item : FItemList)
        if (item.Channel.Get() == Channel) return item.LegendRect;
    return TRect{};
}

bool TkPlotLegend::ColumnShown(TkPlotLegendColumn Column) const
{
    switch (Column) {
    case kplcName: return true;
    case kplcXValue: return FShowColumn[Column] || FCursorAllChannels;
    case kplcYValue: return FShowColumn[Column] || FCursorAllChannels;
    default: return FShowColumn[Column];
    }
}

// ===========================================================================
// Layout
// ===========================================================================

Integer TkPlotLegend::GetRequiredSize(TCanvas* Canvas)
{
    Layout(Canvas);
    return Horizontal() ? FRequiredHeight : FRequiredWidth;
}

// A fresh entry list has no legend rectangles: a channel that left the
// list, or a legend that no longer draws, leaves none behind.
void TkPlotLegend::Layout(TCanvas* Canvas)
{
    MeasureFont(Canvas);
    FItemList.clear();
    TkPlotPaintHost* paint = Host().Paint;
    if (TkPlotLegendEntries* shared = paint ? paint->LegendEntries() : nullptr) {
        LayoutEntries(Canvas, *shared);
    } else {
        TkPlotLegendEntries own(Host().Objects);
        LayoutEntries(Canvas, own);
    }
}

void TkPlotLegend::LayoutEntries(TCanvas* Canvas, TkPlotLegendEntries& Entries)
{
    FEntryCount = Entries.Count();
    if (FEntryCount == 0) {
        HideButtons();
        return;
    }
    FItemViewStartIndex = EnsureRange(FItemViewStartIndex, 0, ItemCount() - 1);
    MeasureNames(Canvas, Entries);
    MeasureColumnTitles(Canvas);
    MeasureColumns(Canvas, Entries);
    PlaceColumns();

    FColumnTitlesRect = Rect(FInnerRect.Left, FInnerRect.Top, FInnerRect.Right,
                             Pix(Int64{FInnerRect.Top} + FColumnTitlesHeightPixels));
    FItemsRect = Rect(FInnerRect.Left, Pix(Int64{FColumnTitlesRect.Bottom} + FColumnTitlesMarginPixels),
                      FInnerRect.Right, FInnerRect.Bottom);

    Integer cols = 0;
    Integer rows = 0;
    CountWrap(cols, rows);
    FActualWrapColCount = cols;
    FActualWrapRowCount = rows;
    ComputeRequiredSize(cols, rows);
    UpdateButtons(cols, rows);
    const Integer firstColumnRows = PlaceItems(cols, rows, Canvas, Entries);
    if (FWrapColSpacingAuto && Horizontal() && cols > 1) SpreadColumns(cols);
    if (FWrapRowSpacingAuto && !Horizontal() && firstColumnRows > 1) SpreadRows(firstColumnRows);
    FUpButton->SetEnabled(FItemViewStartIndex != 0);
    FDownButton->SetEnabled(FItemViewStopIndex != ItemCount() - 1);
}

void TkPlotLegend::MeasureFont(TCanvas* Canvas)
{
    Canvas->SetFont(FFont.get());
    FZeroWidth = Canvas->TextWidth("0");
    FItemHeight = Canvas->TextHeight("0");
    const Extended w0 = FZeroWidth;
    const Extended h0 = FItemHeight;
    FMarginPixels = Rect(RoundPix(w0 * FMarginLeft), RoundPix(h0 * FMarginTop), RoundPix(w0 * FMarginRight),
                         RoundPix(h0 * FMarginBottom));
    const TRect r = DrawRect();
    FInnerRect = Rect(Pix(Int64{r.Left} + FMarginPixels.Left), Pix(Int64{r.Top} + FMarginPixels.Top),
                      Pix(Int64{r.Right} - FMarginPixels.Right), Pix(Int64{r.Bottom} - FMarginPixels.Bottom));
    FColumnSpacingPixels = RoundPix(w0 * FColumnSpacing);
    FRowSpacingPixels = RoundPix(h0 * FRowSpacing);
    FWrapSpacingPixels = RoundPix(h0 * FWrapColSpacingMin);
    FMaxItemHeight = 0;
    FColumnTitlesHeightPixels = 0;
    FColumnTitlesMarginPixels = 0;
    FColumnWidth.fill(0);
}

Integer TkPlotLegend::NameWrapWidth() const
{
    return std::max(RoundPix(Extended(FZeroWidth) * FChannelNameMaxWidth), 0);
}

// The name shown decides the entry's height: a channel listed by its Name
// (blank title) is measured by that name too.
void TkPlotLegend::MeasureNames(TCanvas* Canvas, TkPlotLegendEntries& Entries)
{
    Integer& nameWidth = FColumnWidth[kplcName];
    const bool wrapped = FChannelNameMaxWidth != 0;
    if (!wrapped) FMaxItemHeight = FItemHeight;
    if (wrapped) nameWidth = NameWrapWidth();
    for (TFont* font : {FFont.get(), FSelectedItemFont.get()}) {
        if (wrapped) {
            const std::vector<Integer>& heights = Entries.WrappedNameHeights(Canvas, font, nameWidth);
            FMaxItemHeight = std::max(FMaxItemHeight, *std::max_element(heights.begin(), heights.end()));
        } else {
            nameWidth = std::max(nameWidth, Entries.MaxTextWidth(Canvas, font, TkPlotLegendEntries::kltName));
        }
    }
}

void TkPlotLegend::MeasureColumnTitles(TCanvas* Canvas)
{
    if (!FColumnTitlesVisible) return;
    Canvas->SetFont(FColumnTitlesFont.get());
    FColumnTitlesHeightPixels = Canvas->TextHeight("0");
    FColumnTitlesMarginPixels = FColumnTitlesHeightPixels / 4;
    for (Integer c = kplcName; c < PlotLegendColumnCount; ++c) {
        const auto column = TkPlotLegendColumn(c);
        if (ColumnShown(column))
            FColumnWidth[c] = std::max(FColumnWidth[c], Canvas->TextWidth(TranslateString(FCaptions[c])));
    }
}

void TkPlotLegend::MeasureColumns(TCanvas* Canvas, TkPlotLegendEntries& Entries)
{
    using E = TkPlotLegendEntries;
    const Integer sampleWidth = Pix(Int64{FLineColumnWidth} + 3);
    for (TkPlotLegendColumn column : {kplcLine, kplcMarker})
        if (ColumnShown(column)) FColumnWidth[column] = std::max(FColumnWidth[column], sampleWidth);

    const auto widen = [this](TkPlotLegendColumn Column, Integer Width) {
        FColumnWidth[Column] = std::max(FColumnWidth[Column], Width);
    };
    for (const auto& [column, text] : {std::pair{kplcXAxisName, E::kltXAxisName}, {kplcYAxisName, E::kltYAxisName},
                                       {kplcYMax, E::kltYMax}, {kplcYMin, E::kltYMin}, {kplcYMean, E::kltYMean}})
        if (ColumnShown(column)) widen(column, Entries.MaxTextWidth(Canvas, FFont.get(), text));
    // The axes' room for a value is asked after the texts: making them may
    // widen it.
    for (const bool xAxes : {true, false}) {
        const TkPlotLegendColumn column = xAxes ? kplcXValue : kplcYValue;
        if (!ColumnShown(column)) continue;
        if (FCursorAllChannels) {
            const Integer length = Entries.MaxTextLength(xAxes ? E::kltCursorX : E::kltCursorY);
            widen(column, Entries.MaxAxisValueWidth(Canvas, FFont.get(), xAxes, true));
            widen(column, Pix(Int64{length} * FZeroWidth));
        } else {
            const Integer width = Entries.MaxTextWidth(Canvas, FFont.get(), xAxes ? E::kltXValue : E::kltYValue);
            widen(column, Entries.MaxAxisValueWidth(Canvas, FFont.get(), xAxes, false));
            widen(column, width);
        }
    }
}

void TkPlotLegend::PlaceColumns()
{
    Int64 x = 0;
    for (Integer c = 0; c < PlotLegendColumnCount; ++c) {
        FColumnStart[c] = Pix(x);
        if (ColumnShown(TkPlotLegendColumn(c))) x = Pix(x + FColumnWidth[c] + FColumnSpacingPixels);
    }
    FItemWidth = Pix(x - FColumnSpacingPixels);
}

void TkPlotLegend::CountWrap(Integer& Cols, Integer& Rows) const
{
    Int64 w = Int64{FItemsRect.Right} - FItemsRect.Left;
    const Int64 h = Int64{FItemsRect.Bottom} - FItemsRect.Top;
    if (Horizontal()) w -= kButtonRoom;
    const Int64 n = ItemCount();
    // Spacings may be negative: every divisor stays at least 1.
    const auto fit = [](Int64 Room, Int64 Size, Int64 Spacing) {
        return std::max<Int64>((Room + Spacing) / std::max<Int64>(Size + Spacing, 1), 1);
    };
    const Int64 fitCols = fit(w, FItemWidth, FWrapSpacingPixels);
    const Int64 fitRows = fit(h, FMaxItemHeight, FRowSpacingPixels);
    const Int64 colMax = std::max(FWrapColAutoCountMax, 1);
    const Int64 rowMax = std::max(FWrapRowAutoCountMax, 1);
    Int64 cols = FWrapColAutoCountEnabled ? colMax : FWrapColDesiredCount;
    const Int64 rowsCap = FWrapRowAutoCountEnabled ? rowMax : FWrapRowDesiredCount;
    Int64 rows = 0;
    if (Horizontal()) {
        cols = std::min(cols, fitCols);
        rows = std::min(FWrapRowAutoCountEnabled ? CeilDiv(n, cols) : rowsCap, rowsCap);
    } else {
        if (FWrapColAutoCountEnabled) cols = CeilDiv(n, fitRows);
        cols = std::min(cols, colMax);
        rows = std::min({fitRows, n, rowsCap});
    }
    if (rows < 3 && rows * cols < n) rows = 3;
    if (Horizontal() && FWrapColAutoCountEnabled) cols = std::min(cols, CeilDiv(n, rows));
    Cols = SatInt32(cols);
    Rows = SatInt32(rows);
}

void TkPlotLegend::ComputeRequiredSize(Integer Cols, Integer Rows)
{
    const Int64 rowStep = Int64{FMaxItemHeight} + FRowSpacingPixels;
    FRequiredWidth = Pix(Int64{Cols} * FItemWidth + (Int64{Cols} - 1) * FWrapSpacingPixels + FMarginPixels.Left +
                         FMarginPixels.Right);
    FRequiredHeight = Pix(Int64{FMarginPixels.Top} + FColumnTitlesHeightPixels + FColumnTitlesMarginPixels +
                          Int64{Rows} * rowStep - FRowSpacingPixels + FMarginPixels.Bottom);
}

void TkPlotLegend::UpdateButtons(Integer Cols, Integer Rows)
{
    if (Int64{Rows} * Cols >= ItemCount() || !Enabled()) {
        HideButtons();
        return;
    }
    const Integer left = Pix(Int64{FItemsRect.Right} - kButtonSize);
    FUpButton->SetDrawRect(Rect(left, FItemsRect.Top, FItemsRect.Right, Pix(Int64{FItemsRect.Top} + kButtonSize)));
    FDownButton->SetDrawRect(
        Rect(left, Pix(Int64{FItemsRect.Bottom} - kButtonSize), FItemsRect.Right, FItemsRect.Bottom));
    FUpButton->SetVisible(true);
    FDownButton->SetVisible(true);
    FRequiredWidth = Pix(Int64{FRequiredWidth} + kButtonRoom);
}

void TkPlotLegend::HideButtons()
{
    FUpButton->SetVisible(false);
    FDownButton->SetVisible(false);
    FItemViewStartIndex = 0;
}

Integer TkPlotLegend::PlaceItems(Integer Cols, Integer Rows, TCanvas* Canvas, TkPlotLegendEntries& Entries)
{
    const Integer n = ItemCount();
    const Int64 rowStep = Int64{FMaxItemHeight} + FRowSpacingPixels;
    const Int64 colStep = Int64{FItemWidth} + FWrapSpacingPixels;
    FItemViewStopIndex = n - 1;
    FColumnList.assign(1, FInnerRect.Left);
    Int64 row = 1;
    Int64 col = 1;
    Int64 y = FItemsRect.Top;
    Integer firstColumnRows = 0;
    for (Integer i = FItemViewStartIndex; i < n; ++i) {
        TkPlotLegendItem& item = FItemList.emplace_back(MakeItem(i, Canvas, Entries));
        item.Row = Integer(row);
        item.Col = Integer(col);
        item.Left = FColumnList.back();
        item.Top = Pix(y);
        if (col == 1) firstColumnRows = item.Row;
        y = Pix(y + rowStep);
        if (++row <= Rows || i == n - 1) continue;
        row = 1;
        y = FItemsRect.Top;
        if (++col > Cols) {
            FItemViewStopIndex = i;
            break;
        }
        FColumnList.push_back(Pix(FInnerRect.Left + (col - 1) * colStep));
    }
    return firstColumnRows;
}

TkPlotLegendItem TkPlotLegend::MakeItem(Integer Index, TCanvas* Canvas, TkPlotLegendEntries& Entries)
{
    using E = TkPlotLegendEntries;
    TkPlotLegendItem item;
    item.Channel = TWeakRef<TkPlotChannelCustom>(Entries.Channel(Index));
    item.MaxHeight = FItemHeight;
    if (FChannelNameMaxWidth != 0) {
        item.MaxHeight = 0;
        for (TFont* font : {FFont.get(), FSelectedItemFont.get()})
            item.MaxHeight = std::max(item.MaxHeight, Entries.WrappedNameHeights(Canvas, font, NameWrapWidth())[Index]);
    }
    const E::TText xValue = FCursorAllChannels ? E::kltCursorX : E::kltXValue;
    const E::TText yValue = FCursorAllChannels ? E::kltCursorY : E::kltYValue;
    const std::pair<TkPlotLegendColumn, E::TText> texts[] = {
        {kplcName, E::kltName}, {kplcXAxisName, E::kltXAxisName}, {kplcYAxisName, E::kltYAxisName},
        {kplcXValue, xValue},   {kplcYValue, yValue},             {kplcYMax, E::kltYMax},
        {kplcYMin, E::kltYMin}, {kplcYMean, E::kltYMean}};
    for (const auto& [column, text] : texts)
        if (ColumnShown(column)) item.Texts[column] = Entries.Text(Index, text);
    return item;
}

// Wrap columns of a horizontal legend spread over the width left of the
// scroll buttons.
void TkPlotLegend::SpreadColumns(Integer Cols)
{
    const Int64 width = Int64{FItemsRect.Right} - FItemsRect.Left;
    const Int64 gap = (width - kButtonRoom - Int64{Cols} * FItemWidth) / (Int64{Cols} - 1);
    const Int64 step = FItemWidth + gap;
    for (TkPlotLegendItem& item : FItemList)
        if (item.Col > 0) item.Left = Pix(FInnerRect.Left + step * (item.Col - 1));
    for (std::size_t j = 0; j < FColumnList.size(); ++j)
        FColumnList[j] = Pix(FInnerRect.Left + step * Int64(j));
}

// Entries of a vertical legend spread over its height.
void TkPlotLegend::SpreadRows(Integer FirstColumnRows)
{
    const Int64 height = Int64{FItemsRect.Bottom} - FItemsRect.Top;
    FRowSpacingPixels = Pix((height - Int64{FMaxItemHeight} * FirstColumnRows) / (Int64{FirstColumnRows} - 1));
    const Int64 step = Int64{FMaxItemHeight} + FRowSpacingPixels;
    for (TkPlotLegendItem& item : FItemList)
        if (item.Row > 0) item.Top = Pix(FItemsRect.Top + step * (item.Row - 1));
}

// ===========================================================================
// Drawing
// ===========================================================================

void TkPlotLegend::Draw(const TkPlotPaintContext& Context)
{
    TCanvas* canvas = Context.Canvas;
    if (!Visible()) return;
    Layout(canvas);
    if (FItemList.empty()) return;
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetStyle(psClear);
    TColor background = Context.BackGroundColor;
    if (!FBackGroundTransparent) {
        background = FBackGroundColor;
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(background);
        canvas->FillRect(DrawRect());
    }
    DrawColumnTitles(canvas, background);
    for (TkPlotLegendItem& item : FItemList)
        if (TkPlotChannelCustom* channel = item.Channel.Get()) DrawItem(canvas, item, *channel, background);
    for (TkPlotLegendButton* button : {FUpButton.get(), FDownButton.get()})
        if (button->Visible()) button->Draw(Context.WithBackGround(background));
    if (UserSelected()) DrawFocus(canvas);
}

void TkPlotLegend::DrawColumnTitles(TCanvas* Canvas, TColor BackGroundColor)
{
    if (!FColumnTitlesVisible) return;
    Canvas->SetFont(FColumnTitlesFont.get());
    Canvas->Brush()->SetStyle(bsClear);
    const Integer top = FColumnTitlesRect.Top;
    const Integer bottom = Pix(Int64{top} + FColumnTitlesHeightPixels);
    for (const Integer x : FColumnList) {
        for (Integer c = kplcName; c < PlotLegendColumnCount; ++c) {
            const auto column = TkPlotLegendColumn(c);
            if (!ColumnShown(column)) continue;
            const Integer left = Pix(Int64{x} + FColumnStart[c]);
            TRect r = Rect(left, top, Pix(Int64{left} + FColumnWidth[c]), bottom);
            const TkTextFlag align = column == kplcName ? ktfLeft : IsAxisNameColumn(column) ? ktfCenter : ktfRight;
            DrawTextStyled(Canvas, TranslateString(FCaptions[c]), r,
                           TkTextFlags{align, ktfVCenter, ktfSingleLine, ktfNoClip}, true, BackGroundColor);
        }
    }
}

void TkPlotLegend::DrawItem(TCanvas* Canvas, TkPlotLegendItem& Item, TkPlotChannelCustom& Channel,
                            TColor BackGroundColor)
{
    const Integer nameLeft = Pix(Int64{Item.Left} + FColumnStart[kplcName]);
    Item.LegendRect = Rect(nameLeft, Item.Top, Pix(Int64{nameLeft} + FColumnWidth[kplcName] + 1),
                           Pix(Int64{Item.Top} + Item.MaxHeight));
    const Integer centreY = Pix(Int64{Item.Top} + FItemHeight / 2);
    if (ColumnShown(kplcLine))
        DrawLineSample(Canvas, Channel, Pix(Int64{Item.Left} + FColumnStart[kplcLine]), centreY);
    if (ColumnShown(kplcMarker)) {
        const Integer x = Pix(Int64{Item.Left} + FColumnStart[kplcMarker] + FColumnWidth[kplcMarker] / 2);
        Channel.DrawMarker(Canvas, -1, BackGroundColor, Point(x, centreY));
    }
    DrawName(Canvas, Item, Channel, BackGroundColor);

    Canvas->Brush()->SetStyle(bsClear);
    Canvas->SetFont(FFont.get());
    for (Integer c = kplcXAxisName; c < PlotLegendColumnCount; ++c) {
        const auto column = TkPlotLegendColumn(c);
        if (!ColumnShown(column)) continue;
        const Integer left = Pix(Int64{Item.Left} + FColumnStart[c]);
        TRect r = Rect(left, Item.Top, Pix(Int64{left} + FColumnWidth[c]), Pix(Int64{Item.Top} + FItemHeight));
        const TkTextFlag align = IsAxisNameColumn(column) ? ktfLeft : ktfRight;
        DrawTextStyled(Canvas, Item.Texts[c], r, TkTextFlags{align, ktfVCenter, ktfSingleLine}, true, BackGroundColor);
    }
}

void TkPlotLegend::DrawName(TCanvas* Canvas, const TkPlotLegendItem& Item, TkPlotChannelCustom& Channel,
                            TColor BackGroundColor)
{
    if (Channel.UserSelected()) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(FSelectedItemBackGroundColor);
        Canvas->FillRect(Item.LegendRect);
        Canvas->SetFont(FSelectedItemFont.get());
    } else {
        Canvas->SetFont(FFont.get());
    }
    Canvas->Brush()->SetStyle(bsClear);
    TkPlotAxis* axis = nullptr;
    switch (FChannelNameColorStyle) {
    case kplcncsFont: break;
    case kplcncsChannelColor: Canvas->Font()->SetColor(Channel.Color()); break;
    case kplcncsXAxisFontColor: axis = Channel.XAxis(); break;
    case kplcncsYAxisFontColor: axis = Channel.YAxis(); break;
    }
    if (axis) Canvas->Font()->SetColor(axis->LabelsFont()->Color());
    TRect r = Item.LegendRect;
    DrawTextStyled(Canvas, Item.Texts[kplcName], r, TkTextFlags{ktfLeft, ktfTop, ktfWordBreak, ktfWordEllipsis}, true,
                   BackGroundColor);
}

// LineColumnHeight + 1 rows of one-pixel lines centred on CentreY; the rows
// outside the canvas's clip are left out, so an absurd thickness costs
// nothing.
void TkPlotLegend::DrawLineSample(TCanvas* Canvas, TkPlotChannelCustom& Channel, Integer X, Integer CentreY) const
{
    TPen* pen = Canvas->Pen();
    pen->SetColor(Channel.Color());
    pen->SetWidth(1);
    const TSampleSegment whole[] = {{0, FLineColumnWidth}};
    std::span<const TSampleSegment> segments = whole;
    if (FLineColumnWidth == kSegmentedSampleWidth) {
        pen->SetStyle(psSolid);
        segments = SampleSegments(Channel.TraceLineStyle());
    } else {
        pen->SetStyle(PenStyleOf(Channel.TraceLineStyle()));
    }
    const TRect clip = Canvas->ClipRect();
    const Int64 first = Int64{CentreY} - FLineColumnHeight / 2;
    const Int64 from = std::max<Int64>(first, clip.Top);
    const Int64 to = std::min<Int64>(first + FLineColumnHeight, Int64{clip.Bottom} - 1);
    for (Int64 y = from; y <= to; ++y)
        for (const TSampleSegment& segment : segments) {
            Canvas->MoveTo(Pix(Int64{X} + segment.From), Integer(y));
            Canvas->LineTo(Pix(Int64{X} + segment.To), Integer(y));
        }
}

void TkPlotLegend::DrawFocus(TCanvas* Canvas) const
{
    TRect r = DrawRect();
    if (Horizontal()) {
        r.Top = Pix(Int64{r.Top} + 2);
        r.Bottom = Pix(Int64{r.Bottom} - 2);
    } else {
        r.Left = Pix(Int64{r.Left} + 2);
        r.Right = Pix(Int64{r.Right} - 2);
    }
    DrawFocusRectangle(Canvas, r);
}

// ===========================================================================
// Mouse, focus and popup menu
// ===========================================================================

void TkPlotLegend::NotificationSetFocus(TkPlotObject* AObject)
{
    TkPlotLayoutObject::NotificationSetFocus(AObject);
    if (AObject != this && UserSelected() && AObject->UserSelected()) SetUserSelected(false);
}

// Hidden buttons keep the rectangles they had: only shown ones are hit.
TkPlotObject* TkPlotLegend::GetObjectAtPoint(TPoint P)
{
    if (Visible()) {
        for (TkPlotLegendButton* button : {FUpButton.get(), FDownButton.get()})
            if (button->Visible() && PtInRect(button->DrawRect(), P)) {
                SetMouseOverObject(button);
                return button;
            }
        for (const TkPlotLegendItem& item : FItemList)
            if (ItemHit(item, P)) {
                SetMouseOverObject(item.Channel.Get());
                return item.Channel.Get();
            }
    }
    return TkPlotLayoutObject::GetObjectAtPoint(P);
}

void TkPlotLegend::AddChannelsOnEntries(TPoint P, std::vector<const TkPlotChannelCustom*>& Channels) const
{
    if (!Visible()) return;
    for (const TkPlotLegendItem& item : FItemList)
        if (ItemHit(item, P)) Channels.push_back(item.Channel.Get());
}

bool TkPlotLegend::ItemHit(const TkPlotLegendItem& Item, TPoint P)
{
    const TkPlotChannelCustom* channel = Item.Channel.Get();
    return channel && channel->VisibleInLegend() && PtInRect(Item.LegendRect, P);
}

TCursor TkPlotLegend::GetMouseCursor(TPoint P)
{
    TCursor cursor = TkPlotLayoutObject::GetMouseCursor(P);
    Fire(PlotEvent::GetMouseCursor{this, cursor});
    return cursor;
}

void TkPlotLegend::BuildPopupMenu(TPopupMenu* PopupMenu)
{
    TkPlotLayoutObject::BuildPopupMenu(PopupMenu);
    AddEditMenuItem(PopupMenu);
}

void TkPlotLegend::DoMouseUp(const TkPlotMouseData& MouseData)
{
    if (!MouseDown() || !PtInRect(DrawRect(), Point(MouseData.X, MouseData.Y))) return;
    Fire(PlotEvent::Click{this});
}
