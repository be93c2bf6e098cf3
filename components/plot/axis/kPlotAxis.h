#pragma once
// The scale of a plot: a value range Min .. Min + Span, linear or base-10
// logarithmic, laid along one side of the data view, with the conversions
// between values, pixels and fractions of the data view, the tick list that
// the axis and the grid draw, and the texts of values on the axis, in data
// cursors and in legends.
//
// TkPlotXAxis and TkPlotYAxis are the two kinds; they differ only in their
// tracking defaults. Code that needs the direction asks the axis (IsXAxis).
//
// The scale itself, with its tracking settings, the points that wait for
// it and its map, is an object of its own (kPlotAxisScale.h): the axis
// publishes its properties, fires the events of its changes, and keeps the
// ticks, labels, layout, drawing and input. Drawing inside the data view
// takes the scale alone (Scale()).
//
// The scale layout and the pixel conversions are valid after a tick
// generation (CalcTicks), which the plot runs at every paint; before it every
// value maps to pixel 0.

#include <functional>

#include "components/foundation/kTypes.h"
#include "components/plot/axis/kPlotAxisScale.h"
#include "components/plot/axis/kPlotAxisTicks.h"
#include "components/plot/objects/kPlotObjectRef.h"
#include "components/plot/objects/kPlotObjects.h"
#include "platform/Graphics.h"
#include "platform/Math.h"

class TkPlotAxis;
class TkPlotXAxis;
class TkPlotYAxis;

// An axis drawn across the data view, crossing another axis.
enum TkPlotCartesianStyle { kpcsNone, kpcsMaster, kpcsChild };
PL_ENUM_NAMES(TkPlotCartesianStyle, "kpcsNone", "kpcsMaster", "kpcsChild")

// What a mouse drag on the axis does.
enum TkPlotAxisMode { kpamScroll, kpamZoom };
PL_ENUM_NAMES(TkPlotAxisMode, "kpamScroll", "kpamZoom")

// One entry of an axis' tick list.
class TkPlotTickObject : public TObject {
public:
    TkPlotTickType TickType = kpttMajor;
    Double Position = 0;        // scale value
    Integer PositionPixels = 0; // pixel along the axis, for shown ticks
    String Text;                // label; empty for minor ticks
    bool Show = false;          // on the scale at the last generation
};

class TkPlotAxis : public TkPlotLayoutObject, public TkPlotTickMarks, private TkPlotScaleWatcher {
    PL_CLASSINFO()
public:
    // No scale end or span goes past this.
    static constexpr Double kMaxScaleValue = TkPlotAxisScale::kMaxValue;

    explicit TkPlotAxis(TkPlotObjectOwner* AOwner);
    // The direction comes with the kind: X axes lie along the X direction.
    bool IsXAxis() const { return Kind() == kpokXAxis; }
    bool IsYAxis() const { return Kind() == kpokYAxis; }

    // "Span_2", a former name of Span, is read into Span.
    void DefineProperties(TFiler& Filer) override;

    // --- scale ----------------------------------------------------------------
    // The scale as drawing sees it: its value, read as every point given so
    // far moved it, and its map.
    const TkPlotAxisScale& Scale() const { return FScale; }
    // Clamped to +-1e300; a NaN is ignored. A change fires DoChange, then
    // (outside SetMinSpan) the plot's min and min-span events.
    Double Min() const { return FScale.Min(); }
    void SetMin(Double Value);
    // Clamped to 1e-300 .. 1e300 (0 and negative spans become 1e-300).
    Double Span() const { return FScale.Span(); }
    void SetSpan(Double Value);
    // Read as Min and Span are: waiting points may move both ends.
    Double Max() const { return FScale.Max(); }
    Double Center() const { return FScale.Center(); }
    // Both at once with one set of events: min change (when Min changed),
    // span change (when Span changed), then min-span change. On a log scale
    // a non-positive Min or Span becomes 1.
    void SetMinSpan(Double NewMin, Double NewSpan);
    // Switching to log10 with Min <= 0 moves Min to 1 without events.
    TkPlotScaleType ScaleType() const { return FScale.Type(); }
    void SetScaleType(TkPlotScaleType Value);
    Double DesiredStart() const { return FDesiredStart; }
    void SetDesiredStart(Double Value);
    // Clamped to 0 .. 1e300.
    Double DesiredIncrement() const { return FDesiredIncrement; }
    void SetDesiredIncrement(Double Value);
    bool ReverseScale() const { return FScale.Reversed(); }
    void SetReverseScale(bool Value);

    // --- look -------------------------------------------------------------------
    Integer InnerMargin() const { return FInnerMargin; }
    void SetInnerMargin(Integer Value);
    Integer OuterMargin() const { return FOuterMargin; }
    void SetOuterMargin(Integer Value);
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value);
    Double TitleMargin() const { return FTitleMargin; }
    void SetTitleMargin(Double Value);
    TFont* TitleFont() const { return FTitleFont.get(); }
    void SetTitleFont(TFont* Value);
    bool TitleShow() const { return FTitleShow; }
    void SetTitleShow(bool Value);
    bool TitleRotated() const { return FTitleRotated; }
    void SetTitleRotated(bool Value);
    Integer MajorLength() const { return FMajorLength; }
    void SetMajorLength(Integer Value);
    Integer MinorLength() const { return FMinorLength; }
    void SetMinorLength(Integer Value);
    Integer MinorCount() const { return FMinorCount; }
    void SetMinorCount(Integer Value);
    bool LabelsVisible() const { return FLabelsVisible; }
    void SetLabelsVisible(bool Value);
    Double LabelsMargin() const { return FLabelsMargin; }
    void SetLabelsMargin(Double Value);
    TFont* LabelsFont() const { return FLabelsFont.get(); }
    void SetLabelsFont(TFont* Value);
    Double LabelSeparation() const { return FLabelSeparation; }
    void SetLabelSeparation(Double Value);
    TkRotationAngle LabelsRotation() const { return FLabelsRotation; }
    void SetLabelsRotation(TkRotationAngle Value);
    Integer LabelsPrecision() const { return FLabelFormat.Precision; }
    void SetLabelsPrecision(Integer Value);
    TkPrecisionStyle LabelsPrecisionStyle() const { return FLabelFormat.PrecisionStyle; }
    void SetLabelsPrecisionStyle(TkPrecisionStyle Value);
    TkPlotTextFormat LabelsFormatStyle() const { return FLabelFormat.Style; }
    void SetLabelsFormatStyle(TkPlotTextFormat Value);
    const String& DateTimeFormat() const { return FLabelFormat.DateTimeFormat; }
    void SetDateTimeFormat(const String& Value);
    Double LabelsMinLength() const { return FLabelsMinLength; }
    void SetLabelsMinLength(Double Value);
    bool LabelsMinLengthAutoAdjust() const { return FLabelsMinLengthAutoAdjust; }
    void SetLabelsMinLengthAutoAdjust(bool Value);
    bool ScaleLineShow() const { return FScaleLineShow; }
    void SetScaleLineShow(bool Value);
    bool ScaleLinesShow() const { return FScaleLinesShow; }
    void SetScaleLinesShow(bool Value);
    TColor ScaleLinesColor() const { return FScaleLinesColor; }
    void SetScaleLinesColor(TColor Value);
    Double StackingEndsMargin() const { return FStackingEndsMargin; }
    void SetStackingEndsMargin(Double Value);
    bool GridLinesVisible() const override { return FGridLinesVisible; }
    void SetGridLinesVisible(bool Value);

    // --- tracking settings (the tracking itself follows the data) -----------------
    // With RestoreValuesOnResume, turning tracking off saves the resume
    // values and turning it on brings them back.
    bool TrackingEnabled() const { return FScale.TrackingEnabled(); }
    void SetTrackingEnabled(bool Value);
    TkPlotTrackingStyle TrackingStyle() const { return FScale.TrackingStyle(); }
    // The style fits the scale to the channels' data at every value.
    bool TrackingFitsChannels() const { return FScale.TrackingFitsChannels(); }
    void SetTrackingStyle(TkPlotTrackingStyle Value);
    TkPlotTrackingIncrementStyle TrackingIncrementStyle() const { return FScale.TrackingIncrementStyle(); }
    void SetTrackingIncrementStyle(TkPlotTrackingIncrementStyle Value);
    TkPlotAlignFirstStyle TrackingAlignFirstStyle() const { return FScale.TrackingAlignFirstStyle(); }
    void SetTrackingAlignFirstStyle(TkPlotAlignFirstStyle Value);
    Double TrackingScrollCompressMax() const { return FScale.TrackingScrollCompressMax(); }
    void SetTrackingScrollCompressMax(Double Value);
    Double TrackingSpanMinimum() const { return FScale.TrackingSpanMinimum(); }
    void SetTrackingSpanMinimum(Double Value);
    Double TrackingMaxMargin() const { return FScale.TrackingMaxMargin(); }
    void SetTrackingMaxMargin(Double Value);
    Double TrackingMinMargin() const { return FScale.TrackingMinMargin(); }
    void SetTrackingMinMargin(Double Value);
    bool RestoreValuesOnResume() const { return FScale.RestoreValuesOnResume(); }
    void SetRestoreValuesOnResume(bool Value);
    // The scale and label length that resuming restores.
    void UpdateResumeValues();
    // One new data value in the axis' units: the first after ResetFirstAlign
    // lines the scale up by TrackingAlignFirstStyle, later ones move it by
    // TrackingStyle. RepaintPending: the plot's repaint was asked for and
    // has not begun, so it shows any move made now; while no handler
    // listens to the plot's scale events, a move is then kept unreported,
    // the scale holding it until that repaint reads it.
    //
    // Called for every point a channel takes: most land inside a scale that
    // nothing but the value could move, and cost no more than this.
    void NewTrackingData(Double Value, bool RepaintPending = false)
    {
        if (!FScale.LeavesScaleFor(Value)) FollowTrackingData(Value, RepaintPending && !ScaleEventsListened());
    }
    // The values of a run of new points, each as NewTrackingData takes it;
    // the moves of the scale are reported once, after the run. Value(I, V)
    // gives the I-th value in V, or false for a point not tracked. No
    // handler of the plot's scale events may be assigned: none would hear
    // of each move.
    template <class F>
    void NewTrackingRun(Integer Count, F Value)
    {
        if (!FScale.TrackingEnabled()) return;
        const Double oldMin = FScale.Min();
        const Double oldSpan = FScale.Span();
        FScale.ForEachMovingValue(Count, Value, [this](Double V) { FollowTrackingData(V, true); });
        if (FScale.Min() != oldMin || FScale.Span() != oldSpan) DoChangeUnlessRepaintPending();
    }
    // Points of Source may wait for this axis' scale (TkPlotAxisScale::
    // HoldWaiting): the part of the scale that takes them, else nullptr.
    TkPlotWaitingScale* HoldWaiting(TkPlotWaitingPoints& Source) { return FScale.HoldWaiting(Source); }
    // The next tracked value aligns the scale again.
    void ResetFirstAlign() { FScale.ResetFirstAlign(); }
    // The scale spans the data of the channels bound to the axis, as the
    // plot gathers their extents (Fast: their running extremes).
    void ZoomToFit();
    void ZoomToFitFast();

    // --- cursor and legend texts -------------------------------------------------
    bool CursorUseDefaultFormat() const { return FCursorUseDefaultFormat; }
    void SetCursorUseDefaultFormat(bool Value);
    TkPlotTextFormat CursorFormatStyle() const { return FCursorFormat.Style; }
    void SetCursorFormatStyle(TkPlotTextFormat Value);
    const String& CursorDateTimeFormat() const { return FCursorFormat.DateTimeFormat; }
    void SetCursorDateTimeFormat(const String& Value);
    TkPrecisionStyle CursorPrecisionStyle() const { return FCursorFormat.PrecisionStyle; }
    void SetCursorPrecisionStyle(TkPrecisionStyle Value);
    Integer CursorPrecision() const { return FCursorFormat.Precision; }
    void SetCursorPrecision(Integer Value);
    Double CursorMinLength() const { return FCursorMinLength; }
    void SetCursorMinLength(Double Value);
    bool CursorMinLengthAutoAdjust() const { return FCursorMinLengthAutoAdjust; }
    void SetCursorMinLengthAutoAdjust(bool Value);
    bool LegendUseDefaultFormat() const { return FLegendUseDefaultFormat; }
    void SetLegendUseDefaultFormat(bool Value);
    TkPlotTextFormat LegendFormatStyle() const { return FLegendFormat.Style; }
    void SetLegendFormatStyle(TkPlotTextFormat Value);
    const String& LegendDateTimeFormat() const { return FLegendFormat.DateTimeFormat; }
    void SetLegendDateTimeFormat(const String& Value);
    TkPrecisionStyle LegendPrecisionStyle() const { return FLegendFormat.PrecisionStyle; }
    void SetLegendPrecisionStyle(TkPrecisionStyle Value);
    Integer LegendPrecision() const { return FLegendFormat.Precision; }
    void SetLegendPrecision(Integer Value);
    Double LegendMinLength() const { return FLegendMinLength; }
    void SetLegendMinLength(Double Value);
    bool LegendMinLengthAutoAdjust() const { return FLegendMinLengthAutoAdjust; }
    void SetLegendMinLengthAutoAdjust(bool Value);
    Double CursorScaler() const { return FCursorScaler; }
    void SetCursorScaler(Double Value);

    // --- user scrolling, Cartesian and alignment references ------------------------
    bool ScrollMinMaxEnabled() const { return FScale.ScrollMinMaxEnabled(); }
    void SetScrollMinMaxEnabled(bool Value);
    Double ScrollMax() const { return FScale.ScrollMax(); }
    void SetScrollMax(Double Value);
    Double ScrollMin() const { return FScale.ScrollMin(); }
    void SetScrollMin(Double Value);
    bool MasterUIInput() const { return FMasterUIInput; }
    void SetMasterUIInput(bool Value);
    TkPlotCartesianStyle CartesianStyle() const { return FCartesianStyle; }
    void SetCartesianStyle(TkPlotCartesianStyle Value);
    const String& CartesianChildRefAxisName() const { return FCartesianRefAxis.Name(); }
    void SetCartesianChildRefAxisName(const String& Value);
    Double CartesianChildRefValue() const { return FCartesianChildRefValue; }
    void SetCartesianChildRefValue(Double Value);
    const String& AlignRefAxisName() const { return FAlignRefAxis.Name(); }
    void SetAlignRefAxisName(const String& Value);
    // The axis of the other direction that a Cartesian child crosses, and the
    // axis of the same direction to align with, by name ("<None>" names
    // none); a renamed one keeps its place by its new name. nullptr when none.
    TkPlotAxis* GetCartesianChildRefAxis() const;
    TkPlotAxis* GetAlignRefAxis() const;

    // --- public state ---------------------------------------------------------------
    TkPlotAxisMode Mode() const { return FMode; }
    void SetMode(TkPlotAxisMode Value);
    Double MajorIncrement() const { return FMajorIncrement; }
    Double MinorIncrement() const { return FMinorIncrement; }
    // The last generation walked whole months or years: the increments count
    // them instead of days.
    bool MonthModeEnabled() const { return FMonthModeEnabled; }
    bool YearModeEnabled() const { return FYearModeEnabled; }
    // The label under customisation; setting it replaces the label.
    const String& CustomizeLabelEventText() const { return FCustomizeLabelEventText; }
    void SetCustomizeLabelEventText(const String& Value);
    // Raised while Min and Span change without events of their own (by
    // SetMinSpan, or by a caller that moves the scale only for a moment).
    bool BlockMinSpanEvents() const { return FBlockMinSpanEvents; }
    void SetBlockMinSpanEvents(bool Value) { FBlockMinSpanEvents = Value; }

    // --- ticks ------------------------------------------------------------------------
    // Lays out the scale on the layout rectangle, then (unless the list is the
    // user's) fills the tick list; marks every entry shown or not and gives
    // shown entries their pixel. Canvas is measured with LabelsFont.
    void CalcTicks(TCanvas* Canvas);
    // A user tick list is kept by the generation.
    bool TickListCustom() const { return FTickListCustom; }
    void SetTickListCustom(bool Value) { FTickListCustom = Value; }
    // Appends a tick and returns its index; on a log scale a Position <= 0
    // raises "Log Scale Requires Position to be Greater Than Zero".
    Integer TickListAdd(Double Position, const String& ALabel, TkPlotTickType Style);
    void TickListClear();
    Integer TickListCount() const override { return FTickList.Count(); }
    // Raises EListError outside 0 .. TickListCount - 1.
    TkPlotTickObject* GetTick(Integer Index) const override { return FTickList[Index]; }
    // The grid follows the ticks on the axis' scale.
    const TkPlotAxisScale& MarkedScale() const override { return FScale; }

    // --- texts ------------------------------------------------------------------------
    String GetLabelText(Double Value);
    // By the cursor or legend settings (the label settings when their
    // UseDefaultFormat is set), line breaks turned into blanks.
    String GetCursorText(Double Value);
    String GetLegendText(Double Value);
    // A plain value (for differences): the cursor settings with kptfValue.
    String GetCursorValueText(Double Value);
    // The widest label in pixels: LabelsMinLength widths of "0", a sample
    // label and every current label, in Font.
    Integer GetMaxLabelWidth(TCanvas* Canvas, TFont* Font);
    Integer GetLegendTextWidth(TCanvas* Canvas, TFont* Font);
    Integer GetCursorTextWidth(TCanvas* Canvas, TFont* Font);

    // --- scale geometry and conversions -----------------------------------------------
    // Side the scale is drawn on: 0 left, 1 top, 2 right, 3 bottom.
    Byte QuadSide() const { return FQuadSide; }
    TRect ScaleRect() const { return FScale.Rect(); }
    TRect FocusRect() const { return FFocusRect; }
    // Pixels along the scale rectangle.
    Integer ScaleLength() const { return FScale.Length(); }
    // Clamped to -32000 .. 32000; NaN maps to 32000 (off the scale). A log
    // scale maps a non-positive value like 1.
    Integer PositionToPixels(Double Value) const { return FScale.Pixel(Value); }
    Double PixelsToPosition(Integer Pixel) const { return FScale.Position(Pixel); }
    Integer WidthToPixels(Double Value) const { return FScale.WidthToPixels(Value); }
    // Fractions of the data view, whose StartPercent .. StopPercent the axis
    // covers; the two are inverses on every scale.
    Double PositionToPercent(Double Value) const;
    Double PercentToPosition(Double Value) const;
    bool PointOnScale(Double Value) const { return FScale.OnScale(Value); }
    bool ValueOnScale(Double Value) const { return PointOnScale(Value); }
    // The conversions above as a value, current after every change of the
    // scale or of its layout (TkPlotAxisScale::Map).
    const TkPlotScaleMap& ScaleMap() const { return FScale.Map(); }
    Integer MinPixels() const { return FScale.MinPixel(); }
    Integer MaxPixels() const { return FScale.MaxPixel(); }
    // The values under a pixel rectangle (a zoom box) become the scale.
    void SetMinSpanFromRect(const TRect& Rect);

    // --- user scrolling and zooming ---------------------------------------------------
    // Linear: the span times Value about the centre (Value <= 0 raises
    // "Linear Scale Zoom Factor must be Greater than Zero"); log10: Min
    // divided and Span multiplied by 10^Value.
    void Zoom(Double Value);

    // --- layout, drawing and input (drawing in kPlotAxisDraw.cpp) -------------------
    Integer GetRequiredSize(TCanvas* Canvas) override;
    Integer GetRequiredEndMargin(TCanvas* Canvas) override;
    // A Cartesian axis takes the line along its scale from other Cartesian
    // axes' labels (the room of the paint context).
    void PrepareDraw(const TkPlotPaintContext& Context) override;
    // A Cartesian axis leaves out the labels that would meet room taken.
    void Draw(const TkPlotPaintContext& Context) override;
    // Inside FocusRect.
    bool kMouseHitTest(const TkPlotMouseData& MouseData) override;
    // Another selected object deselects the axis, except another axis picked
    // with Shift or Ctrl held (several axes selected together).
    void NotificationSetFocus(TkPlotObject* AObject) override;
    void DoMouseHint(const TkPlotMouseData& MouseData, TkPlotHintData& HintData) override;
    void DoMouseLeft(const TkPlotMouseData& MouseData) override;
    // Each move applies the change since the previous one; a scale of no
    // length ignores the drag.
    void DoMouseMove(const TkPlotMouseData& MouseData) override;
    void DoMouseUp(const TkPlotMouseData& MouseData) override;
    bool DoMouseWheel(Integer WheelDelta, TShiftState Shift, Integer X, Integer Y) override;
    TCursor GetMouseCursor(TPoint P) override;
    // Page Up/End and Page Down/Home step by a whole span, the arrows by 1 %.
    void kKeyDown(Word& Key, TShiftState Shift, TPopupMenu* PopupMenu) override;
    // "Tracking Enabled", "Update Resume Values" and "Zoom to Fit" on top of
    // the common items.
    void BuildPopupMenu(TPopupMenu* PopupMenu) override;

protected:
    void SetTrackingDefaults(TkPlotTrackingStyle Style, TkPlotAlignFirstStyle AlignFirst)
    {
        FScale.SetTrackingDefaults(Style, AlignFirst);
    }

private:
    // --- TkPlotScaleWatcher ---
    void ScaleMovedUnreported() override { CountUnreportedChange(); }
    // A tracking setting's change (true) fires DoChange.
    void TrackingSettingChanged(bool Changed)
    {
        if (Changed) DoChange();
    }
    // The tracking of a value past the inline check (kPlotAxisTracking.cpp).
    // Keep: the value's move needs no report of its own; the scale takes it
    // at once where it can (TkPlotAxisScale::KeepTrackedMove).
    void FollowTrackingData(Double Value, bool Keep);
    // Some handler of the plot's scale events would hear of a move.
    bool ScaleEventsListened() const;
    // The user's gesture on every other axis of this one's direction, once
    // (a master of the user's input only): the plot's forwarding flag keeps
    // the axes reached from passing it on again.
    void ForwardToOtherAxes(const std::function<void(TkPlotAxis&)>& Action);
    bool LabelsAlongAxis() const;
    void FireMinSpanEvents(Double OldMin, Double OldSpan, bool MinChanged, bool SpanChanged);
    void LayoutScale(TCanvas* Canvas);
    Integer EndMargin(TCanvas* Canvas);
    Integer LabelExtent(TCanvas* Canvas, bool AlongAxis);
    Integer LabelPixels(TCanvas* Canvas);
    void FillTickList(TCanvas* Canvas);
    // Chooses and stores the increments; the run of the generation.
    TkPlotTickRun ChooseIncrement(Integer MaxCount);
    void AddTick(TkPlotTickType Type, Double Position, const String& Text);
    void ClearTicks();
    String FormatLabel(Double Value, const TkPlotValueFormat& Format, Double& MinLength, bool AutoAdjust);
    String CustomizeLabel(const String& Text, Double Value);
    // The kind of the axes a reference axis name names: the same direction
    // as this axis' or the other.
    TkPlotObjectKind ReferenceKind(const String& Name, bool SameDirection) const;
    // The mode in effect for a gesture: Ctrl held swaps scroll and zoom.
    TkPlotAxisMode EffectiveMode(TShiftState Shift) const;

    // The user's gestures move the scale to the one the scale works out
    // (TkPlotAxisScale::ScrolledBy, ZoomedBy).
    void MoveScale(TkPlotAxisMode AMode, Double Amount);
    void FireMinSpanChangeFinished(Double OldMin, Double OldSpan);
    void AddPopupItem(TPopupMenu* PopupMenu, Integer Index, const char* Caption, bool Checked, bool Enabled,
                      void (TkPlotAxis::*Action)());
    void ToggleTracking();

    // Drawing (kPlotAxisDraw.cpp).
    bool IsCartesian() const { return FCartesianStyle != kpcsNone; }
    Integer TickSpan() const;
    Integer LabelsGap(TCanvas* Canvas) const;
    TSize TitleExtent(TCanvas* Canvas) const;
    void RefreshTickPixels();
    void DrawScaleLine(TCanvas* Canvas);
    void DrawTickMark(TCanvas* Canvas, const TkPlotTickObject& Tick);
    void DrawLabel(const TkPlotPaintContext& Context, const TkPlotTickObject& Tick, Integer Offset);
    void DrawTitle(TCanvas* Canvas, TColor BackGroundColor);
    void UpdateCartesianFocusRect(TCanvas* Canvas);
    // A line across the axis at Pixel along it, Near to Far pixels out from
    // the data-side edge of the draw rectangle.
    void LineAcross(TCanvas* Canvas, Integer Pixel, Integer Near, Integer Far) const;
    // A Width x Height box centred on Pixel along the axis, Offset pixels
    // out from the data-side edge of the draw rectangle.
    TRect BoxOutside(Integer Pixel, Integer Offset, Integer Width, Integer Height) const;

    TkPlotAxisScale FScale{*this};
    bool FBlockMinSpanEvents = false;
    TObjectList<TkPlotTickObject> FTickList;
    Byte FQuadSide = 0;
    TRect FFocusRect;
    // The label length that resuming tracking restores, beside the scale's
    // resume values.
    Double FPreviousLabelsMinLength = 0;
    bool FAllowLabelMinAdjust = false;
    // The gesture in progress: its last point and the scale it began with.
    bool FMouseDown = false;
    Integer FMouseDownX = 0;
    Integer FMouseDownY = 0;
    Double FMouseDownMin = 0;
    Double FMouseDownSpan = 0;

    TkPlotAxisMode FMode = kpamScroll;
    bool FMonthModeEnabled = false;
    bool FYearModeEnabled = false;
    Double FMajorIncrement = 0;
    Double FMinorIncrement = 0;
    bool FTickListCustom = false;
    String FCustomizeLabelEventText;
    bool FCustomizeLabelEventModified = false;

    Double FDesiredStart = 0;
    Double FDesiredIncrement = 0;
    Integer FInnerMargin = 5;
    Integer FOuterMargin = 5;
    String FTitle;
    Double FTitleMargin = 0.25;
    TOwned<TFont> FTitleFont;
    bool FTitleShow = false;
    bool FTitleRotated = false;
    Integer FMajorLength = 7;
    Integer FMinorLength = 3;
    Integer FMinorCount = 1;
    bool FLabelsVisible = true;
    Double FLabelsMargin = 0.25;
    TOwned<TFont> FLabelsFont;
    Double FLabelSeparation = 2;
    TkRotationAngle FLabelsRotation = kra000;
    TkPlotValueFormat FLabelFormat{kptfValue, "hh:nn:ss", 3, kpsSignificantDigits};
    Double FLabelsMinLength = 5;
    bool FLabelsMinLengthAutoAdjust = false;
    bool FScaleLineShow = true;
    bool FScaleLinesShow = true;
    TColor FScaleLinesColor = clWhite;
    Double FStackingEndsMargin = 0.5;
    bool FCursorUseDefaultFormat = true;
    TkPlotValueFormat FCursorFormat{kptfValue, "hh:nn:ss", 3, kpsSignificantDigits};
    Double FCursorMinLength = 5;
    bool FCursorMinLengthAutoAdjust = false;
    bool FLegendUseDefaultFormat = true;
    TkPlotValueFormat FLegendFormat{kptfValue, "hh:nn:ss", 3, kpsSignificantDigits};
    Double FLegendMinLength = 5;
    bool FLegendMinLengthAutoAdjust = false;
    Double FCursorScaler = 1;
    bool FMasterUIInput = false;
    TkPlotCartesianStyle FCartesianStyle = kpcsNone;
    TkPlotObjectRef<TkPlotAxis> FCartesianRefAxis{*this, kpokNone, "<None>"};
    Double FCartesianChildRefValue = 0;
    TkPlotObjectRef<TkPlotAxis> FAlignRefAxis{*this, kpokNone, "<None>"};
    bool FGridLinesVisible = true;
};

// An axis along the X direction: follows new data by scrolling in a TkPlot,
// by widening its scale otherwise; the first value lines the scale up.
class TkPlotXAxis : public TkPlotAxis {
    PL_CLASSINFO()
public:
    explicit TkPlotXAxis(TkPlotObjectOwner* AOwner);
    TkPlotObjectKind Kind() const override { return kpokXAxis; }
};

// An axis along the Y direction: widens its scale to new data.
class TkPlotYAxis : public TkPlotAxis {
    PL_CLASSINFO()
public:
    explicit TkPlotYAxis(TkPlotObjectOwner* AOwner);
    TkPlotObjectKind Kind() const override { return kpokYAxis; }
};

// The scales of an object's axes, as its BoundScales hands them to a paint.
inline const TkPlotAxisScale* ScaleOf(const TkPlotAxis* Axis) { return Axis ? &Axis->Scale() : nullptr; }
inline TkPlotScalePair ScalesOf(const TkPlotAxis* X, const TkPlotAxis* Y) { return {ScaleOf(X), ScaleOf(Y)}; }
