#pragma once
// The base of the two plot channels: the time channel TkPlotChannel
// (channel/time/, points in X order) and the XY channel TkXYPlotChannel
// (channel/xy/, points in any order). A channel owns one point store, is bound
// to an X and a Y axis by name, takes new points one at a time (AddPoint) or
// by runs (StorePointRun: AddPoints, AddPointRows, file loads), each with its
// statistics, axis tracking, log counting and change report, and offers its
// points, drawing attributes and statistics to the plot's other parts.
//
// Every point, one at a time or in a run, updates the running statistics
// (count, extremes, means): they describe everything the channel was given
// since the last Clear, null and empty points included, so that
// RunningXMean and the extremes cost no scan. ReCalcRunningMinMaxMean and the Get...Max/Min/Mean
// scans look at the valid points only.

#include <exception>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "components/foundation/kTypes.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/store/kPlotDataList.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "components/plot/files/kPlotLogBacklog.h"
#include "components/plot/channel/kPlotCursorReadout.h"
#include "components/plot/channel/kPlotMarkerGrid.h"
#include "components/plot/channel/kPlotRunningStatistics.h"
#include "components/plot/objects/kPlotObjectRef.h"
#include "components/plot/objects/kPlotObjects.h"
#include "components/plot/channel/kPlotTraceUnderlay.h"
#include "platform/Variants.h"

class TFont;
class TkPlotChannelCustom;
// What a trace pass left to the next one over the same points
// (kPlotChannelCustomDraw.cpp).
struct TkPlotTraceResume;
struct TkPlotTraceResumeDelete {
    void operator()(TkPlotTraceResume* Resume) const noexcept;
};
class TkPlotChannelOPC;
struct TkPlotDataColumn;

// Which point store a channel uses (see the stores in kPlotDataList.h).
enum TkPlotDataStyle { kpdsStandard, kpdsCompact, kpdsCompactInterval, kpdsFullFeature };
PL_ENUM_NAMES(TkPlotDataStyle, "kpdsStandard", "kpdsCompact", "kpdsCompactInterval", "kpdsFullFeature")

class TkPlotChannelCustom : public TkPlotManagerObject, private TkPlotWaitingPoints {
    PL_CLASSINFO()
public:
    explicit TkPlotChannelCustom(TkPlotObjectOwner* AOwner);
    TkPlotObjectKind Kind() const override { return kpokChannel; }
    ~TkPlotChannelCustom() override;
    // The OPC binding (kPlotChannelOPC.h); connects after insertion.
    TkPlotChannelOPC* OPCLink() const { return FOPCLink.get(); }
    void DoInsert() override;

    // --- data entry -----------------------------------------------------------
    // A valid point; returns the physical slot written (the logical index
    // until a ring buffer wraps).
    virtual Integer AddXY(Double X, Double Y);
    // The road of a point on its own into the channel (runs take
    // StorePointRun, to the same effect). While nobody can see the scales
    // (the plot's repaint is pending, no handler listens to its scale
    // events, the axes follow outliers alone), a point costs its store
    // write and its running statistics: its tracking waits, and is settled
    // before anyone reads the axes' scales, by a paint or another call
    // (SettleWaitingPoints), exactly as if it had been made at once.
    // Most waiting points go into a standard store with room for them and
    // settle no block: their road holds no call.
    [[gnu::always_inline]] Integer AddPoint(Boolean Null, Boolean Empty, Double X, Double Y)
    {
        if (FWaitingPoints + 1 >= FWaitLimit || FDataStyle != kpdsStandard)
            return AddPointSlowly(Null, Empty, X, Y);
        const Integer index = static_cast<TkPlotDataNullList&>(*FDataList).AddToRoom(X, Y, Null, Empty);
        if (index < 0) return AddPointSlowly(Null, Empty, X, Y);
        ++FPointsRevision;
        if (!(Null | Empty)) WidenValidExtents(X, Y);
        FRunning.AddStoredToGrowingStore(X, Y);
        ++FWaitingPoints;
        return index;
    }
    // Points in a run, each as AddPoint takes it (the same points, flags,
    // running statistics, extents and axis tracking), through one growth of
    // the store, one widening of the extents and one change report
    // (kPlotChannelPoints.cpp). Nothing is added when the store cannot take
    // them all.
    void AddPoints(std::span<const TkPlotNewPoint> Points);
    // Rows of new points for several channels, Columns[c] for Channels[c],
    // all of one length: as if, row after row, each channel took its point
    // through AddPoint in turn, so that axes the channels share follow the
    // values in that order. When a store refuses its run, no channel gets
    // anything.
    static void AddPointRows(std::span<TkPlotChannelCustom* const> Channels,
                             std::span<const std::span<const TkPlotNewPoint>> Columns);
    // The points of a data file: the valid ones as AddXY takes them, the
    // null and empty ones as AddPoint does.
    virtual void AddXYPoints(std::span<const TkPlotNewPoint> Points) { AddPoints(Points); }
    // Room for Count more points at once, before they come by runs (a data
    // file's blocks); raises "Exceed Maximum List Size" when the store
    // cannot hold them.
    void ReserveForPoints(std::size_t Count) { FDataList->ReserveForMore(Count); }
    // The same for Points, which are also checked as a run of them would
    // be: raises, the channel as it was, when its store refuses them.
    void PrepareForPoints(std::span<const TkPlotNewPoint> Points) { FDataList->PrepareToAdd(Points); }
    // Gives back the room reserved for points that did not come: the
    // capacity returns to Capacity, which the points held fit in.
    void ReleaseReserve(Integer Capacity)
    {
        if (Capacity >= Count()) FDataList->SetCapacity(Capacity);
    }
    // Two one-dimensional arrays of equal bounds: one point per index.
    void AddXYArrays(const Variant& XData, const Variant& YData);
    // A two-dimensional array whose first dimension holds X and Y.
    void AddXYArray(const Variant& Data);
    // Forgets every point and the running statistics; ends an active log.
    void Clear();
    // Removes the Size oldest points (all of them: Clear).
    void DeletePoints(Integer Size);

    // --- statistics ---------------------------------------------------------------
    Double RunningXMin() const { return FRunning.XMin(); }
    Double RunningXMax() const { return FRunning.XMax(); }
    Double RunningXMean() const { return FRunning.XMean(*FDataList); }
    Double RunningYMin() const { return FRunning.YMin(); }
    Double RunningYMax() const { return FRunning.YMax(); }
    Double RunningYMean() const { return FRunning.YMean(*FDataList); }
    // Rebuilds the running statistics from the valid points held now.
    void ReCalcRunningMinMaxMean();
    // Scans of the valid points; each stores its answer as the running value.
    Double GetXMax();
    Double GetXMin();
    Double GetXMean();
    Double GetYMax();
    Double GetYMin();
    Double GetYMean();

    // --- points -------------------------------------------------------------------------
    Integer Count() const { return FDataList->Count(); }
    // A smaller count drops the newest points; a larger one reserves room.
    void SetCount(Integer Value);
    Integer Capacity() const { return FDataList->Capacity(); }
    Integer DataPointSize() const { return FDataList->DataPointSize(); }
    Integer MaxDataPoints() const { return FDataList->MaxDataPoints(); }
    Integer MemoryUsed() const { return FDataList->MemoryUsed(); }
    // -1.0 (and index -1) while the channel holds no point.
    Double XFirst() const;
    Double XLast() const;
    Double YFirst() const;
    Double YLast() const;
    Integer IndexFirst() const { return Count() == 0 ? -1 : 0; }
    Integer IndexLast() const { return Count() - 1; }

    Double GetXValue(Integer Index) const { return FDataList->GetX(Index); }
    Double GetYValue(Integer Index) const { return FDataList->GetY(Index); }
    Boolean GetNull(Integer Index) const { return FDataList->GetNull(Index); }
    Boolean GetEmpty(Integer Index) const { return FDataList->GetEmpty(Index); }
    Boolean GetValid(Integer Index) const;
    void GetXYEmptyNull(Integer Index, Double& X, Double& Y, Boolean& Empty, Boolean& Null) const
    {
        FDataList->GetXYEmptyNull(Index, X, Y, Empty, Null);
    }
    void SetXValue(Integer Index, Double Value);
    void SetYValue(Integer Index, Double Value);
    void SetNull(Integer Index, Boolean Value);
    void SetEmpty(Integer Index, Boolean Value);

    // Per-point drawing attributes (the channel's own in stores that keep none).
    TColor GetTraceLineColor(Integer Index) const { return FDataList->GetTraceLineColor(Index); }
    Integer GetTraceLineWidth(Integer Index) const { return FDataList->GetTraceLineWidth(Index); }
    TkPlotLineStyle GetTraceLineStyle(Integer Index) const { return FDataList->GetTraceLineStyle(Index); }
    Boolean GetMarkerVisible(Integer Index) const { return FDataList->GetMarkerVisible(Index); }
    Integer GetMarkerSize(Integer Index) const { return FDataList->GetMarkerSize(Index); }
    TkPlotMarkerStyle GetMarkerStyle(Integer Index) const { return FDataList->GetMarkerStyle(Index); }
    TColor GetMarkerPenColor(Integer Index) const { return FDataList->GetMarkerPenColor(Index); }
    Integer GetMarkerPenWidth(Integer Index) const { return FDataList->GetMarkerPenWidth(Index); }
    TPenStyle GetMarkerPenStyle(Integer Index) const { return FDataList->GetMarkerPenStyle(Index); }
    TColor GetMarkerBrushColor(Integer Index) const { return FDataList->GetMarkerBrushColor(Index); }
    TBrushStyle GetMarkerBrushStyle(Integer Index) const { return FDataList->GetMarkerBrushStyle(Index); }
    Char GetMarkerCharacter(Integer Index) const { return FDataList->GetMarkerCharacter(Index); }

    // Extents of one point widened by its marker (MarkersSize pixels) when
    // markers show. Raise "Data Point Null" for a null point and "X-Axis not
    // assigned" ("Y-Axis not assigned") without the axis.
    Double GetPointXMax(Integer Index);
    Double GetPointXMin(Integer Index);
    Double GetPointYMax(Integer Index);
    Double GetPointYMin(Integer Index);

    // The bound axis' cursor text of a value; "No X-Axis" ("No Y-Axis").
    void GetXValueText(Double Value, String& Text);
    void GetYValueText(Double Value, String& Text);

    // --- axes ---------------------------------------------------------------------------
    // The axes of XAxisName and YAxisName.
    TkPlotXAxis* XAxis() const { return FXAxis.Get(); }
    TkPlotYAxis* YAxis() const { return FYAxis.Get(); }
    TkPlotScalePair BoundScales() override;

    // --- subclass operations --------------------------------------------------------------
    // The drawn range (DrawStartIndex..DrawStopIndex) along the scale of
    // the X axis.
    virtual void CalcStartIndex(const TkPlotAxisScale* XScale) = 0;
    virtual void CalcStopIndex(const TkPlotAxisScale* XScale) = 0;
    // Extents of the drawable data, for the axes' zoom to fit.
    virtual Double GetDataXMax() = 0;
    virtual Double GetDataXMin() = 0;
    virtual Double GetYMaxVisible() = 0;
    virtual Double GetYMinVisible() = 0;
    // Widens Extents by the channel's data along Axis when the channel is
    // bound to it (by name): the drawable data (Visible) or the running
    // extremes.
    void WidenExtents(const TkPlotAxis& Axis, bool Visible, TkPlotExtents& Extents);
    // What the channel reads at a data cursor's pointers; nothing where it
    // reads nothing (the cursor keeps what it had).
    virtual std::optional<TkPlotCursorReading> ReadCursor(const TkPlotCursorPointers& Cursor) = 0;
    // The readout of the data cursor that reads every channel, shown in
    // the legend; empty for channels that keep none.
    virtual void GetDataCursorTexts(String& /*X*/, String& /*Y*/) const {}
    // The point a data cursor snaps to at X; -1 when the channel has none
    // or its points are not ordered by X.
    virtual Integer NearestPointIndex(Double /*X*/) { return -1; }
    Integer DrawStartIndex() const { return FStartIndex; }
    Integer DrawStopIndex() const { return FStopIndex; }

    // --- drawing (kPlotChannelCustomDraw.cpp) ---------------------------------------------
    // Everything is drawn against the axes of the paint context.
    // The trace: one segment per pair of valid points, each drawn with its
    // end point's pen; empty points are bridged, null points break the line.
    virtual void DrawTrace(const TkPlotPaintContext& Context);
    // A marker on every drawable point of the drawn range, unless the range
    // passes MarkersTurnOffLimit.
    virtual void DrawMarkers(const TkPlotPaintContext& Context);
    // One segment, cut in scale units to the X axis (and the Y axis with
    // ClipToAxes). YIsPercent: Y is a percentage of the data view.
    void DrawSegment(const TkPlotPaintContext& Context, Boolean YIsPercent, Double X1, Double Y1, Double X2,
                     Double Y2);
    // The pixels DrawSegment draws from and to; false when it draws nothing.
    bool SegmentPixels(const TkPlotPaintContext& Context, Boolean YIsPercent, Double X1, Double Y1, Double X2,
                       Double Y2, TPoint& From, TPoint& To);
    // Y at X on the line through both points; 0 when X1 = X2.
    static Double InterpolateY(Double X, Double X1, Double Y1, Double X2, Double Y2);
    // X at Y on the line through both points; X1 when the line is vertical
    // or horizontal.
    static Double InterpolateX(Double Y, Double X1, Double Y1, Double X2, Double Y2);
    Boolean MarkerDrawable(const TkPlotPaintContext& Context, Integer Index);
    TPoint GetMarkerPixel(const TkPlotPaintContext& Context, Integer Index);
    TRect GetMarkerRect(const TkPlotPaintContext& Context, Integer Index);
    // Index -1 draws the legend's sample from the channel-wide settings.
    void DrawMarker(TCanvas* Canvas, Integer Index, TColor BackgroundColor, TPoint Point);

    // --- the user's mouse (kPlotChannelCustomInput.cpp) ----------------------------------------
    // The channel's entry in a legend hits it; so does, in the select mode
    // of the plot's toolbar, a drawn marker under the mouse, which becomes
    // the selected point.
    bool kMouseHitTest(const TkPlotMouseData& MouseData) override;
    // The selected point's values, in a box beside it inside the data view.
    void DoMouseHint(const TkPlotMouseData& MouseData, TkPlotHintData& HintData) override;
    // A press on the selected point grabs it; moves drag it (by
    // UserCanMoveDataPointsStyle) while UserCanMoveDataPoints; the release
    // clicks it and reports its move. Without a point grabbed, a release on
    // the legend entry clicks the channel.
    void DoMouseLeft(const TkPlotMouseData& MouseData) override;
    void DoMouseMove(const TkPlotMouseData& MouseData) override;
    void DoMouseUp(const TkPlotMouseData& MouseData) override;
    TCursor GetMouseCursor(TPoint P) override;
    void BuildPopupMenu(TPopupMenu* PopupMenu) override;
    // Another object selected deselects the channel, unless it is a legend
    // or a data cursor that reads this channel.
    void NotificationSetFocus(TkPlotObject* AObject) override;
    // The point under the mouse at the last hit test; -1 for none.
    Integer SelectDataIndex() const { return FSelectDataIndex; }

    // --- files (kPlotChannelFiles.cpp) ------------------------------------------------------
    // The configuration file: "File Type = Plot Channel Config", then the
    // property text behind "Channel" (no Name; differential as the plot's
    // DifferentialPropertySave). Written to a new file that replaces
    // FileName only when complete; "Error Saving Properties - " and the
    // cause on failure.
    void SavePropertiesToFile(const String& FileName);
    // "Error Loading Properties - " and the cause on failure ("Incompatible
    // Plot Channel Configuration File Type" for another file); the settings
    // stay as they were then.
    void LoadPropertiesFromFile(const String& FileName);
    // One "X<separator>Y" line per point, "X<separator>Null" for a null
    // point, none for an empty one; the plot's column separator.
    void SaveDataToFile(const String& FileName);
    // Ends an active log, reads and checks the whole file (an error names
    // the line, and leaves the points as they were), then clears the
    // channel when asked and adds the points.
    void LoadDataFromFile(const String& FileName, Boolean ClearPreviousData);
    // The channel as the plot's data file holds it: headed by its title, or
    // by its name when the title is blank.
    TkPlotDataColumn DataColumn() const;

    // --- log -----------------------------------------------------------------------------------
    // Logging appends every new point to LogFileName, LogBufferSize points
    // at a time, whole lines or none: points a failed write did not take
    // wait for the next flush. Appending needs a log whose last line is
    // whole.
    void LogActivate(Boolean Append);
    void LogDeactivate();
    Boolean LoggingActive() const { return FLoggingActive; }

    // --- published properties --------------------------------------------------------------
    const String& TitleText() const { return FTitleText; }
    void SetTitleText(const String& Value);
    Boolean VisibleInLegend() const { return FVisibleInLegend; }
    void SetVisibleInLegend(Boolean Value);
    Boolean ClipToAxes() const { return FClipToAxes; }
    void SetClipToAxes(Boolean Value);
    Boolean ShowDataPointHints() const { return FShowDataPointHints; }
    void SetShowDataPointHints(Boolean Value);
    Boolean UserCanMoveDataPoints() const { return FUserCanMoveDataPoints; }
    void SetUserCanMoveDataPoints(Boolean Value) { FUserCanMoveDataPoints = Value; }
    TkPlotChannelDataPointMoveStyle UserCanMoveDataPointsStyle() const { return FUserCanMoveDataPointsStyle; }
    void SetUserCanMoveDataPointsStyle(TkPlotChannelDataPointMoveStyle Value) { FUserCanMoveDataPointsStyle = Value; }
    Integer RingBufferSize() const { return FDataList->RingBufferSize(); }
    void SetRingBufferSize(Integer Value);
    Boolean TraceVisible() const { return FTraceVisible; }
    void SetTraceVisible(Boolean Value);
    TColor Color() const { return FDataList->StoredTraceLineColor(); }
    void SetColor(TColor Value);
    TkPlotLineStyle TraceLineStyle() const { return FDataList->StoredTraceLineStyle(); }
    void SetTraceLineStyle(TkPlotLineStyle Value);
    Integer TraceLineWidth() const { return FDataList->StoredTraceLineWidth(); }
    void SetTraceLineWidth(Integer Value);
    Boolean MarkersAllowIndividual() const { return FMarkersAllowIndividual; }
    void SetMarkersAllowIndividual(Boolean Value);
    Boolean MarkersPenUseChannelColor() const { return FMarkersPenUseChannelColor; }
    void SetMarkersPenUseChannelColor(Boolean Value);
    Boolean MarkersBrushUseChannelColor() const { return FMarkersBrushUseChannelColor; }
    void SetMarkersBrushUseChannelColor(Boolean Value);
    Integer MarkersTurnOffLimit() const { return FMarkersTurnOffLimit; }
    void SetMarkersTurnOffLimit(Integer Value);
    Boolean MarkersVisible() const { return FDataList->StoredMarkerVisible(); }
    void SetMarkersVisible(Boolean Value);
    Integer MarkersSize() const { return FDataList->StoredMarkerSize(); }
    void SetMarkersSize(Integer Value);
    TkPlotMarkerStyle MarkersStyle() const { return FDataList->StoredMarkerStyle(); }
    void SetMarkersStyle(TkPlotMarkerStyle Value);
    TColor MarkersPenColor() const { return FDataList->StoredMarkerPenColor(); }
    void SetMarkersPenColor(TColor Value);
    TPenStyle MarkersPenStyle() const { return FDataList->StoredMarkerPenStyle(); }
    void SetMarkersPenStyle(TPenStyle Value);
    Integer MarkersPenWidth() const { return FDataList->StoredMarkerPenWidth(); }
    void SetMarkersPenWidth(Integer Value);
    TColor MarkersBrushColor() const { return FDataList->StoredMarkerBrushColor(); }
    void SetMarkersBrushColor(TColor Value);
    TBrushStyle MarkersBrushStyle() const { return FDataList->StoredMarkerBrushStyle(); }
    void SetMarkersBrushStyle(TBrushStyle Value);
    TFont* MarkersFont() const { return FMarkersFont.get(); }
    void SetMarkersFont(TFont* Value);
    const String& XAxisName() const { return FXAxis.Name(); }
    void SetXAxisName(const String& Value);
    const String& YAxisName() const { return FYAxis.Name(); }
    void SetYAxisName(const String& Value);
    Boolean XAxisTrackingEnabled() const { return FXAxisTrackingEnabled; }
    void SetXAxisTrackingEnabled(Boolean Value);
    Boolean YAxisTrackingEnabled() const { return FYAxisTrackingEnabled; }
    void SetYAxisTrackingEnabled(Boolean Value);
    const String& LogFileName() const { return FLogFileName; }
    // Raises while logging is active.
    void SetLogFileName(const String& Value);
    Integer LogBufferSize() const { return FLogBufferSize; }
    void SetLogBufferSize(Integer Value) { FLogBufferSize = Value; }
    TkPlotDataStyle DataStyle() const { return FDataStyle; }
    // Replaces the store by one of the new style: the points are dropped,
    // the drawing attributes, the ring buffer size and the statistics kept.
    // When the new store cannot be made the old one stays.
    void SetDataStyle(TkPlotDataStyle Value);
    const Variant& Tag() const { return FTag; }
    void SetTag(const Variant& Value) { FTag = Value; }
    // The waiting points are tracked, and the next point is reported: every
    // paint begins here for every channel, before the layout, and again in
    // PrepareDraw for points the user's handlers added while it laid out;
    // the plot comes here before a handler of its scale events is assigned,
    // so that no point waits past either unreported.
    void SettleWaitingPoints() override;

protected:
    // The points Make(I) gives for I from 0 to Count - 1, as one run. A
    // Make that raises stops there: the points made before it go in, then
    // the error follows, as if each had been added on its own.
    template <class F>
    void AddPointsMadeBy(Int64 Count, F Make)
    {
        std::vector<TkPlotNewPoint> points;
        std::exception_ptr failure;
        try {
            for (Int64 i = 0; i < Count; ++i) points.push_back(Make(i));
        } catch (...) {
            failure = std::current_exception();
        }
        AddPoints(points);
        if (failure) std::rethrow_exception(failure);
    }
    // GetXValue without a virtual call for the store most points go to.
    Double StoredX(Integer Index) const
    {
        return FDataStyle == kpdsStandard ? static_cast<const TkPlotDataNullList&>(*FDataList).GetX(Index)
                                          : FDataList->GetX(Index);
    }
    // Whether the toolbar's select mode picks this channel's points.
    virtual bool PointsPickable() { return MarkersVisible(); }
    // The first point of the drawn range whose hit rectangle holds the
    // mouse (-1 for none); HitRect is the last rectangle tested. Here: the
    // drawn markers.
    virtual Integer FindMarkerAt(const TkPlotPaintContext& Context, const TkPlotMouseData& MouseData,
                                 TRect& HitRect);
    const TkPlotDataCustomList& DataList() const { return *FDataList; }
    // Write access to the store: the running totals take in what waits in
    // it, and the extremes of the valid points are found again when next
    // asked for.
    TkPlotDataCustomList& DataList()
    {
        SettleWaitingPoints();
        FRunning.SumStored(*FDataList);
        ForgetValidExtents();
        return *FDataList;
    }
    // The extremes of the valid points as stored (Y: of the Y values),
    // kept up as points arrive and found again by one scan after a point
    // was changed or removed.
    TkPlotExtents ValidExtents(bool Y);
    // The straight-line trace of the drawn range in the channel's pen, or
    // segment by segment in each end point's pen. Only the trace in the
    // channel's pen takes an underlay, which its pass feeds and draws.
    void DrawLineTrace(const TkPlotPaintContext& Context, bool PerPointPens, TkPlotTraceUnderlay* Underlay = nullptr);
    // The channel's trace pen (a width of 1 as the thinnest), brush clear.
    void UseTracePen(const TkPlotPaintContext& Context);
    // The width of MarkersSize pixels in Axis' units.
    Double MarkerSpan(TkPlotAxis& Axis) const;
    void SetDrawStartIndex(Integer Value) { FStartIndex = Value; }
    void SetDrawStopIndex(Integer Value) { FStopIndex = Value; }

    // The log file itself, written by the channel files unit: prepare the
    // file when logging starts (create or empty it, or check that it exists
    // when appending), and append the lines of logical points FirstIndex to
    // FirstIndex + Count - 1.
    virtual void LogFileOpen(Boolean Append);
    virtual void LogFileAppend(Integer FirstIndex, Integer Count);

    // Points under the mouse; -1 (none) after every removal of points.
    Integer FSelectDataIndex = -1;
    Integer FSelectMouseDownIndex = -1;
    Integer FMouseDownDataIndex = -1;
    // The selected point's marker; the grabbed point's marker, values and
    // press position.
    TRect FSelectHitTestRect;
    TRect FSelectDownRect;
    Double FMouseDownValueX = 0.0;
    Double FMouseDownValueY = 0.0;
    Integer FMouseDownPixelX = 0;
    Integer FMouseDownPixelY = 0;

private:
    // --- points that wait for their tracking ---------------------------------------------
    // AddPoint of a point tracked at once; the points after it may wait.
    Integer AddTrackedPoint(Boolean Null, Boolean Empty, Double X, Double Y);
    // AddPoint of any point, tracked at once or waiting.
    Integer AddPointSlowly(Boolean Null, Boolean Empty, Double X, Double Y);
    // The store's Add, without a virtual call for the stores most points go to.
    Integer StorePoint(Boolean Null, Boolean Empty, Double X, Double Y)
    {
        switch (FDataStyle) {
            case kpdsStandard: return static_cast<TkPlotDataNullList&>(*FDataList).Add(X, Y, Null, Empty);
            case kpdsCompact: return static_cast<TkPlotDataCompactList&>(*FDataList).Add(X, Y, Null, Empty);
            default: return FDataList->Add(X, Y, Null, Empty);
        }
    }
    // The points from now on wait, when nobody could see their tracking:
    // the plot's repaint comes by itself, the points need no log line and no
    // marker extents, the store keeps their values to replay and the
    // axes' scales hold them (kPlotWaitingPoints.h).
    void BeginWaiting();
    void DropWaitingScale(const TkPlotWaitingScale& Scale) override;
    // The trace of a store without per-point pens: one pass over the drawn
    // range, its segments drawn through one line batch. The pass feeds an
    // underlay too, if any, and the lines then wait until it is drawn.
    void DrawTraceBatched(const TkPlotPaintContext& Context, Integer Start, Integer Stop,
                          TkPlotTraceUnderlay* Underlay);
    // The trace segment by segment, each with its end point's pen.
    void DrawTraceBySegment(const TkPlotPaintContext& Context, Integer Start, Integer Stop);
    // The stored points stay where a pass left them while they are only
    // added to: the store keeps them as given, and a ring has not filled.
    bool TraceResumable() const
    {
        return FStoreKeepsValuesExactly && (RingBufferSize() == 0 || Count() < RingBufferSize());
    }

    // Every write to the stored points passes here or through AddPoint or
    // Clear, which count the new revision of the points themselves.
    void ForgetValidExtents()
    {
        FValidExtentsKnown = false;
        ++FPointsRevision;
        ++FPointsRewrites;
    }
    template <class F>
    void ForEachPointPixel(const TkPlotMarkerGridStamp& Stamp, F Visit) const;
    // The valid extremes, if known, can take in the Added newest points:
    // the store kept them exactly and dropped none of the others (a ring
    // that wrapped dropped its oldest, which may have been extremes; a
    // compact store rounds, or moves every X as it learns its interval).
    // Else they are found again when next asked for.
    bool ValidExtentsFollow(Integer OldCount, Integer Added)
    {
        if (!FValidExtentsKnown) return false;
        if (Int64{Count()} == Int64{OldCount} + Added && FStoreKeepsValuesExactly) return true;
        ForgetValidExtents();
        return false;
    }
    void WidenValidExtents(Double X, Double Y) { FValid.Take(X, Y); }
    // Points may go in by runs: no log counts them, no markers widen their
    // tracked extents, no handler hears of each scale move and no axis fits
    // itself to the channels at every point.
    bool TakesPointRuns();
    // A run into the store, the statistics and the extents, untracked and
    // unreported; the store prepared for it.
    void StorePointRun(std::span<const TkPlotNewPoint> Points, const TkPlotRunExtents& Extents);
    void ReportNewData();
    // The plot's repaint is pending (TkPlotPaintHost::RepaintPending).
    bool RepaintPending() const;
    // The plot's repaint comes by itself (TkPlotPaintHost::RepaintQueued).
    bool RepaintQueued() const;
    // Feeds the new point to the axes that track it.
    void TrackPoint(Boolean Null, Boolean Empty, Double X, Double Y, bool RepaintPending);
    void TrackMarkerExtents(Integer Index);
    // Value +- MarkerSpan of the axis, for a point that is not null.
    template <class TAxis>
    Double WidenedExtent(Integer Index, Double Value, TAxis* Axis, const char* NoAxisMessage, Double Sign);
    // Calls Action(X, Y) for every point that is neither null nor empty.
    template <class F>
    void ForEachValidPoint(F Action) const;

    // One more point to log; flushes at the buffer size, and no later than
    // a full ring buffer would overwrite the oldest point not yet written.
    void CountLoggedPoint();
    void FlushLog();
    // Before points go by any other way than a ring's overwrite.
    void FlushLogBeforeRemoval()
    {
        if (FLoggingActive && FLogBacklog.Waiting() != 0) FlushLog();
    }
    void ForgetPointSelection();
    bool OnLegendEntry(const TkPlotMouseData& MouseData) const;
    // The point grabbed by a press, while it is still there.
    bool PointGrabbed() const { return FSelectMouseDownIndex >= 0 && FSelectMouseDownIndex < Count(); }
    // The drag's new value along one axis: the grabbed value moved by the
    // mouse's travel since the press.
    static Double DraggedValue(const TkPlotAxis& Axis, Double Grabbed, Integer PressPixel, Integer Pixel);
    void PlaceHint(const TkPlotMouseData& MouseData, TkPlotHintData& HintData) const;

    // Every attribute default that a new store takes over.
    static void CopyStoredAttributes(const TkPlotDataCustomList& From, TkPlotDataCustomList& To);
    static TOwned<TkPlotDataCustomList> CreateDataList(TkPlotDataStyle Style);

    TkPlotObjectRef<TkPlotXAxis> FXAxis{*this, kpokXAxis};
    TkPlotObjectRef<TkPlotYAxis> FYAxis{*this, kpokYAxis};

    Integer FStartIndex = 0;
    Integer FStopIndex = 0;
    TOwned<TkPlotDataCustomList> FDataList;

    // Points wait while FWaitLimit is not 0: the newest FWaitingPoints of
    // the store, untracked by the scales FWaitScales (X, Y). Their valid extents are
    // widened at once, and forgotten when they settle if the store dropped
    // points meanwhile (it held FWaitBaseCount before them). A block of
    // them settles at the limit, so that they stay in the store (a ring
    // holds that many) and in the caches.
    Integer FWaitLimit = 0;
    Integer FWaitingPoints = 0;
    Integer FWaitBaseCount = 0;
    TkPlotWaitingScale* FWaitScales[2] = {nullptr, nullptr};

    // Every point given since the last Clear; a mean scan's answer stands
    // until the next point.
    TkPlotRunningStatistics FRunning;
    TkPlotXYExtremes FValid;
    Boolean FValidExtentsKnown = true;
    UInt64 FPointsRevision = 0;
    // Counts the writes to the points other than additions at the end: a
    // trace pass resumes only over points that were only added to since.
    UInt64 FPointsRewrites = 0;
    // The trace pass' standing after its last whole block of points.
    std::unique_ptr<TkPlotTraceResume, TkPlotTraceResumeDelete> FTraceResume;
    TkPlotMarkerGrid FMarkerGrid;
    std::vector<Integer> FNearMarkers;
    // The store's answer, asked once per store (the first one keeps them).
    Boolean FStoreKeepsValuesExactly = true;

    String FTitleText;
    Boolean FXAxisTrackingEnabled = true;
    Boolean FYAxisTrackingEnabled = true;
    Boolean FLoggingActive = false;
    // Points not in the log yet; never more than Count.
    TkPlotLogBacklog FLogBacklog;
    Integer FLogBufferSize = 0;
    String FLogFileName;
    Boolean FMarkersAllowIndividual = false;
    Integer FMarkersTurnOffLimit = 0;
    Boolean FVisibleInLegend = true;
    Boolean FClipToAxes = false;
    Boolean FShowDataPointHints = false;
    Boolean FUserCanMoveDataPoints = false;
    TkPlotChannelDataPointMoveStyle FUserCanMoveDataPointsStyle = kpcdpmsXandY;
    Boolean FMarkersBrushUseChannelColor = true;
    Boolean FMarkersPenUseChannelColor = true;
    Boolean FTraceVisible = true;
    Variant FTag;
    TkPlotDataStyle FDataStyle = kpdsStandard;
    TOwned<TFont> FMarkersFont;
    std::unique_ptr<TkPlotChannelOPC> FOPCLink;
};
