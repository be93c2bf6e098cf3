#pragma once
// The plot's legend: the list of the plot's channels that the layout places
// beside the data view. It stands vertically (left or right of the data
// view) when new.
//
// One entry per channel whose VisibleInLegend is set, in channel order. An
// entry is a row of columns: a sample of the trace line, a marker sample,
// the channel's name, its axes' names, the last X and Y values and the
// running Y maximum, minimum and mean. Entries fill wrap columns top to
// bottom; when not all of them fit, two scroll buttons move the first entry
// shown.
//
// The layout runs on every GetRequiredSize and at the start of every Draw,
// with the canvas it is given: the entries are taken from the plot's
// channels each time, so nothing of them outlives a layout. A plot that
// keeps the entries of its legends (TkPlotPaintHost::LegendEntries) measures
// them once for all of them; each legend then places only the entries it
// shows.
//
// Sizes in characters count in Font: horizontal ones in widths of "0",
// vertical ones in text heights of "0".

#include <array>
#include <vector>

#include "components/plot/input/kPlotButton.h"
#include "components/plot/objects/kPlotObjects.h"
#include "platform/Graphics.h"

class TkPlotChannelCustom;
class TkPlotLegendEntries;

// Colour of a channel's name in the legend.
enum TkPlotLegendChannelNameColorStyle {
    kplcncsFont,            // the font's own colour
    kplcncsChannelColor,    // the channel's Color
    kplcncsXAxisFontColor,  // the colour of its X axis' LabelsFont
    kplcncsYAxisFontColor   // the colour of its Y axis' LabelsFont
};
PL_ENUM_NAMES(TkPlotLegendChannelNameColorStyle, "kplcncsFont", "kplcncsChannelColor", "kplcncsXAxisFontColor",
              "kplcncsYAxisFontColor")

// The columns of an entry, left to right.
enum TkPlotLegendColumn {
    kplcLine,
    kplcMarker,
    kplcName,
    kplcXAxisName,
    kplcYAxisName,
    kplcXValue,
    kplcYValue,
    kplcYMax,
    kplcYMin,
    kplcYMean
};
inline constexpr Integer PlotLegendColumnCount = kplcYMean + 1;

// A scroll button of the legend: a raised face (sunken while pressed) with
// a small triangle pointing up or down, grey while disabled.
class TkPlotLegendButton : public TkPlotButton {
    PL_CLASSINFO()
public:
    TkPlotLegendButton(TkPlotObjectOwner* AOwner, bool APointsUp);

    bool PointsUp() const { return FPointsUp; }
    void Draw(const TkPlotPaintContext& Context) override;

private:
    bool FPointsUp;
};

// One entry of the legend.
struct TkPlotLegendItem {
    TWeakRef<TkPlotChannelCustom> Channel;
    // Entry height in pixels (several lines when names wrap).
    Integer MaxHeight = 0;
    // Origin of the entry, component pixels.
    Integer Left = 0;
    Integer Top = 0;
    // 1-based place in the wrap grid; 0 for entries not shown.
    Integer Row = 0;
    Integer Col = 0;
    // Where the channel's name was drawn; empty until the legend draws the
    // entry. Clicks inside it reach the channel.
    TRect LegendRect;
    // The text of each column (empty for the line and marker columns).
    std::array<String, PlotLegendColumnCount> Texts;
};

class TkPlotLegend : public TkPlotLayoutObject {
    PL_CLASSINFO()
public:
    explicit TkPlotLegend(TkPlotObjectOwner* AOwner);
    TkPlotObjectKind Kind() const override { return kpokLegend; }

    // --- published properties ---------------------------------------------
    Double MarginLeft() const { return FMarginLeft; }
    void SetMarginLeft(Double Value);
    Double MarginTop() const { return FMarginTop; }
    void SetMarginTop(Double Value);
    Double MarginRight() const { return FMarginRight; }
    void SetMarginRight(Double Value);
    Double MarginBottom() const { return FMarginBottom; }
    void SetMarginBottom(Double Value);
    TColor BackGroundColor() const { return FBackGroundColor; }
    void SetBackGroundColor(TColor Value);
    bool BackGroundTransparent() const { return FBackGroundTransparent; }
    void SetBackGroundTransparent(bool Value);
    TColor SelectedItemBackGroundColor() const { return FSelectedItemBackGroundColor; }
    void SetSelectedItemBackGroundColor(TColor Value);
    TFont* SelectedItemFont() const { return FSelectedItemFont.get(); }
    void SetSelectedItemFont(TFont* Value);

    bool ShowColumnLine() const { return FShowColumn[kplcLine]; }
    void SetShowColumnLine(bool Value) { SetShowColumn(kplcLine, Value); }
    bool ShowColumnMarker() const { return FShowColumn[kplcMarker]; }
    void SetShowColumnMarker(bool Value) { SetShowColumn(kplcMarker, Value); }
    bool ShowColumnXAxisTitle() const { return FShowColumn[kplcXAxisName]; }
    void SetShowColumnXAxisTitle(bool Value) { SetShowColumn(kplcXAxisName, Value); }
    bool ShowColumnYAxisTitle() const { return FShowColumn[kplcYAxisName]; }
    void SetShowColumnYAxisTitle(bool Value) { SetShowColumn(kplcYAxisName, Value); }
    bool ShowColumnXValue() const { return FShowColumn[kplcXValue]; }
    void SetShowColumnXValue(bool Value) { SetShowColumn(kplcXValue, Value); }
    bool ShowColumnYValue() const { return FShowColumn[kplcYValue]; }
    void SetShowColumnYValue(bool Value) { SetShowColumn(kplcYValue, Value); }
    bool ShowColumnYMax() const { return FShowColumn[kplcYMax]; }
    void SetShowColumnYMax(bool Value) { SetShowColumn(kplcYMax, Value); }
    bool ShowColumnYMin() const { return FShowColumn[kplcYMin]; }
    void SetShowColumnYMin(bool Value) { SetShowColumn(kplcYMin, Value); }
    bool ShowColumnYMean() const { return FShowColumn[kplcYMean]; }
    void SetShowColumnYMean(bool Value) { SetShowColumn(kplcYMean, Value); }

    // Column titles; the line and marker columns have none.
    const String& CaptionColumnTitle() const { return FCaptions[kplcName]; }
    void SetCaptionColumnTitle(const String& Value) { SetCaption(kplcName, Value); }
    const String& CaptionColumnXAxisTitle() const { return FCaptions[kplcXAxisName]; }
    void SetCaptionColumnXAxisTitle(const String& Value) { SetCaption(kplcXAxisName, Value); }
    const String& CaptionColumnYAxisTitle() const { return FCaptions[kplcYAxisName]; }
    void SetCaptionColumnYAxisTitle(const String& Value) { SetCaption(kplcYAxisName, Value); }
    const String& CaptionColumnXValue() const { return FCaptions[kplcXValue]; }
    void SetCaptionColumnXValue(const String& Value) { SetCaption(kplcXValue, Value); }
    const String& CaptionColumnYValue() const { return FCaptions[kplcYValue]; }
    void SetCaptionColumnYValue(const String& Value) { SetCaption(kplcYValue, Value); }
    const String& CaptionColumnYMax() const { return FCaptions[kplcYMax]; }
    void SetCaptionColumnYMax(const String& Value) { SetCaption(kplcYMax, Value); }
    const String& CaptionColumnYMin() const { return FCaptions[kplcYMin]; }
    void SetCaptionColumnYMin(const String& Value) { SetCaption(kplcYMin, Value); }
    const String& CaptionColumnYMean() const { return FCaptions[kplcYMean]; }
    void SetCaptionColumnYMean(const String& Value) { SetCaption(kplcYMean, Value); }

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    // Widths of "0".
    Double ColumnSpacing() const { return FColumnSpacing; }
    void SetColumnSpacing(Double Value);
    // Text heights; WrapRowSpacingMin is the same value.
    Double RowSpacing() const { return FRowSpacing; }
    void SetRowSpacing(Double Value);
    // At least 1.
    Integer WrapColDesiredCount() const { return FWrapColDesiredCount; }
    void SetWrapColDesiredCount(Integer Value);
    bool WrapColAutoCountEnabled() const { return FWrapColAutoCountEnabled; }
    void SetWrapColAutoCountEnabled(bool Value);
    // Values below 1 count as 1.
    Integer WrapColAutoCountMax() const { return FWrapColAutoCountMax; }
    void SetWrapColAutoCountMax(Integer Value);
    // Text heights.
    Double WrapColSpacingMin() const { return FWrapColSpacingMin; }
    void SetWrapColSpacingMin(Double Value);
    bool WrapColSpacingAuto() const { return FWrapColSpacingAuto; }
    void SetWrapColSpacingAuto(bool Value);
    // At least 1.
    Integer WrapRowDesiredCount() const { return FWrapRowDesiredCount; }
    void SetWrapRowDesiredCount(Integer Value);
    bool WrapRowAutoCountEnabled() const { return FWrapRowAutoCountEnabled; }
    void SetWrapRowAutoCountEnabled(bool Value);
    // Values below 1 count as 1.
    Integer WrapRowAutoCountMax() const { return FWrapRowAutoCountMax; }
    void SetWrapRowAutoCountMax(Integer Value);
    Double WrapRowSpacingMin() const { return FRowSpacing; }
    void SetWrapRowSpacingMin(Double Value) { SetRowSpacing(Value); }
    bool WrapRowSpacingAuto() const { return FWrapRowSpacingAuto; }
    void SetWrapRowSpacingAuto(bool Value);
    bool ColumnTitlesVisible() const { return FColumnTitlesVisible; }
    void SetColumnTitlesVisible(bool Value);
    TFont* ColumnTitlesFont() const { return FColumnTitlesFont.get(); }
    void SetColumnTitlesFont(TFont* Value);
    // Widths of "0"; 0: the name column is as wide as the widest name,
    // otherwise names wrap to this width.
    Double ChannelNameMaxWidth() const { return FChannelNameMaxWidth; }
    void SetChannelNameMaxWidth(Double Value);
    TkPlotLegendChannelNameColorStyle ChannelNameColorStyle() const { return FChannelNameColorStyle; }
    void SetChannelNameColorStyle(TkPlotLegendChannelNameColorStyle Value);
    // Length and thickness of the line sample, in pixels.
    Integer LineColumnWidth() const { return FLineColumnWidth; }
    void SetLineColumnWidth(Integer Value);
    Integer LineColumnHeight() const { return FLineColumnHeight; }
    void SetLineColumnHeight(Integer Value);

    // --- scrolling ------------------------------------------------------------------
    // First entry shown; the layout holds it inside the entries.
    Integer ItemViewStartIndex() const { return FItemViewStartIndex; }
    void SetItemViewStartIndex(Integer Value);
    // Last entry shown by the last layout.
    Integer ItemViewStopIndex() const { return FItemViewStopIndex; }
    TkPlotLegendButton* UpButton() const { return FUpButton.get(); }
    TkPlotLegendButton* DownButton() const { return FDownButton.get(); }

    // Set while a data cursor shows every channel's readout in the value
    // columns (raised and cleared by the plot at each paint).
    bool CursorAllChannels() const { return FCursorAllChannels; }
    void SetCursorAllChannels(bool Value) { FCursorAllChannels = Value; }

    // --- results of the last layout ----------------------------------------------
    // The entries, shown or not.
    Integer ItemCount() const { return FEntryCount; }
    // Raises EListError outside 0 .. ItemCount - 1. An entry that the
    // layout did not show has no place (Row 0) and no texts.
    const TkPlotLegendItem& Item(Integer Index) const;
    // Where the legend last drew Channel's name; empty when it did not.
    TRect ChannelLegendRect(const TkPlotChannelCustom* Channel) const;
    // Adds to Channels each channel on whose entry of this shown legend P
    // lies (where its name was last drawn), while it is VisibleInLegend.
    void AddChannelsOnEntries(TPoint P, std::vector<const TkPlotChannelCustom*>& Channels) const;
    // A legend whose entries all vanish keeps the sizes it had.
    Integer RequiredWidth() const { return FRequiredWidth; }
    Integer RequiredHeight() const { return FRequiredHeight; }
    TRect InnerRect() const { return FInnerRect; }
    TRect ItemsRect() const { return FItemsRect; }
    TRect ColumnTitlesRect() const { return FColumnTitlesRect; }
    Integer ActualWrapColCount() const { return FActualWrapColCount; }
    Integer ActualWrapRowCount() const { return FActualWrapRowCount; }
    // Width of one entry.
    Integer ItemWidth() const { return FItemWidth; }
    Integer ColumnStart(TkPlotLegendColumn Column) const { return FColumnStart[Column]; }
    Integer ColumnWidth(TkPlotLegendColumn Column) const { return FColumnWidth[Column]; }
    // Left X of each wrap column in use.
    const std::vector<Integer>& ColumnList() const { return FColumnList; }
    // Text height of "0" in Font; the tallest entry.
    Integer ItemHeight() const { return FItemHeight; }
    Integer MaxItemHeight() const { return FMaxItemHeight; }
    Integer RowSpacingPixels() const { return FRowSpacingPixels; }
    Integer WrapSpacingPixels() const { return FWrapSpacingPixels; }

    // --- plot object operations ----------------------------------------------------
    // The thickness across its side: the required width of a vertical
    // legend, the required height of a horizontal one.
    Integer GetRequiredSize(TCanvas* Canvas) override;
    void Draw(const TkPlotPaintContext& Context) override;
    void NotificationSetFocus(TkPlotObject* AObject) override;
    // A shown scroll button, else the channel whose name is under P, else
    // the legend.
    TkPlotObject* GetObjectAtPoint(TPoint P) override;
    TCursor GetMouseCursor(TPoint P) override;
    void BuildPopupMenu(TPopupMenu* PopupMenu) override;
    void DoMouseUp(const TkPlotMouseData& MouseData) override;

private:
    static bool ItemHit(const TkPlotLegendItem& Item, TPoint P);
    // The layout, step by step.
    void Layout(TCanvas* Canvas);
    void LayoutEntries(TCanvas* Canvas, TkPlotLegendEntries& Entries);
    void MeasureFont(TCanvas* Canvas);
    // The width that names wrap to when ChannelNameMaxWidth is set.
    Integer NameWrapWidth() const;
    void MeasureNames(TCanvas* Canvas, TkPlotLegendEntries& Entries);
    void MeasureColumnTitles(TCanvas* Canvas);
    void MeasureColumns(TCanvas* Canvas, TkPlotLegendEntries& Entries);
    void PlaceColumns();
    void CountWrap(Integer& Cols, Integer& Rows) const;
    // Lists the entries shown; returns the number of rows used in the first
    // wrap column.
    Integer PlaceItems(Integer Cols, Integer Rows, TCanvas* Canvas, TkPlotLegendEntries& Entries);
    // Entry Index as shown: its channel, the texts of the columns shown and
    // its height.
    TkPlotLegendItem MakeItem(Integer Index, TCanvas* Canvas, TkPlotLegendEntries& Entries);
    void SpreadColumns(Integer Cols);
    void SpreadRows(Integer FirstColumnRows);
    void ComputeRequiredSize(Integer Cols, Integer Rows);
    void UpdateButtons(Integer Cols, Integer Rows);
    void HideButtons();

    // Drawing.
    void DrawColumnTitles(TCanvas* Canvas, TColor BackGroundColor);
    void DrawItem(TCanvas* Canvas, TkPlotLegendItem& Item, TkPlotChannelCustom& Channel, TColor BackGroundColor);
    void DrawName(TCanvas* Canvas, const TkPlotLegendItem& Item, TkPlotChannelCustom& Channel,
                  TColor BackGroundColor);
    void DrawLineSample(TCanvas* Canvas, TkPlotChannelCustom& Channel, Integer X, Integer CentreY) const;
    void DrawFocus(TCanvas* Canvas) const;

    bool ColumnShown(TkPlotLegendColumn Column) const;
    void SetShowColumn(TkPlotLegendColumn Column, bool Value);
    void SetCaption(TkPlotLegendColumn Column, const String& Value);
    void ScrollUp();
    void ScrollDown();

    Double FMarginLeft = 1.0;
    Double FMarginTop = 1.0;
    Double FMarginRight = 1.0;
    Double FMarginBottom = 1.0;
    TColor FBackGroundColor = clGray;
    bool FBackGroundTransparent = true;
    TColor FSelectedItemBackGroundColor = clYellow;
    TOwned<TFont> FSelectedItemFont;
    std::array<bool, PlotLegendColumnCount> FShowColumn{true, false, true, false, false,
                                                       false, false, false, false, false};
    std::array<String, PlotLegendColumnCount> FCaptions{"",  "",  "Title", "X-Axis", "Y-Axis",
                                                        "X", "Y", "Y-Max", "Y-Min",  "Y-Mean"};
    TOwned<TFont> FFont;
    Double FColumnSpacing = 0.5;
    Double FRowSpacing = 0.25;
    Integer FWrapColDesiredCount = 1;
    bool FWrapColAutoCountEnabled = false;
    Integer FWrapColAutoCountMax = 100;
    Double FWrapColSpacingMin = 2.0;
    bool FWrapColSpacingAuto = true;
    Integer FWrapRowDesiredCount = 5;
    bool FWrapRowAutoCountEnabled = true;
    Integer FWrapRowAutoCountMax = 100;
    bool FWrapRowSpacingAuto = false;
    bool FColumnTitlesVisible = false;
    TOwned<TFont> FColumnTitlesFont;
    Double FChannelNameMaxWidth = 0.0;
    TkPlotLegendChannelNameColorStyle FChannelNameColorStyle = kplcncsFont;
    Integer FLineColumnWidth = 13;
    Integer FLineColumnHeight = 3;

    TOwned<TkPlotLegendButton> FUpButton;
    TOwned<TkPlotLegendButton> FDownButton;
    Integer FRequiredWidth = 0;
    Integer FRequiredHeight = 0;
    TRect FInnerRect;
    Integer FEntryCount = 0;
    // The entries shown, from FItemViewStartIndex to FItemViewStopIndex.
    std::vector<TkPlotLegendItem> FItemList;
    std::vector<Integer> FColumnList;
    Integer FItemWidth = 0;
    Integer FActualWrapColCount = 0;
    Integer FActualWrapRowCount = 0;
    Integer FColumnSpacingPixels = 0;
    Integer FRowSpacingPixels = 0;
    Integer FWrapSpacingPixels = 0;
    std::array<Integer, PlotLegendColumnCount> FColumnStart{};
    std::array<Integer, PlotLegendColumnCount> FColumnWidth{};
    Integer FItemViewStartIndex = 0;
    Integer FItemViewStopIndex = 0;
    Integer FItemHeight = 0;
    Integer FMaxItemHeight = 0;
    Integer FColumnTitlesHeightPixels = 0;
    Integer FColumnTitlesMarginPixels = 0;
    TRect FColumnTitlesRect;
    TRect FItemsRect;
    // Width of "0" in Font, and the margins in pixels, of the last layout.
    Integer FZeroWidth = 0;
    TRect FMarginPixels;
    bool FCursorAllChannels = false;
};
