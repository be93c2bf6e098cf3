#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/kPlotChannelOPC.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "components/plot/objects/kPlotHostServices.h"
#include "platform/Graphics.h"
#include "platform/Math.h"
#include "platform/SysUtils.h"

namespace {

constexpr Double kRunningMinStart = 1e300;
constexpr Double kRunningMaxStart = -1e300;

}  // namespace

TClass TkPlotChannelCustom::StaticClassInfo()
{
    using C = TkPlotChannelCustom;
    static const TClassInfo info =
        TClassBuilder<C, TkPlotManagerObject>("TkPlotChannelCustom")
            .String("TitleText", &C::TitleText, &C::SetTitleText)
            .Bool("VisibleInLegend", &C::VisibleInLegend, &C::SetVisibleInLegend).Default(true)
            .Bool("ClipToAxes", &C::ClipToAxes, &C::SetClipToAxes).Default(false)
            .Bool("ShowDataPointHints", &C::ShowDataPointHints, &C::SetShowDataPointHints).Default(false)
            .Bool("UserCanMoveDataPoints", &C::UserCanMoveDataPoints, &C::SetUserCanMoveDataPoints).Default(false)
            .Enum("UserCanMoveDataPointsStyle", &C::UserCanMoveDataPointsStyle, &C::SetUserCanMoveDataPointsStyle)
            .Default(kpcdpmsXandY)
            .Integer("RingBufferSize", &C::RingBufferSize, &C::SetRingBufferSize).Default(0)
            .Bool("TraceVisible", &C::TraceVisible, &C::SetTraceVisible).Default(true)
            .Color("Color", &C::Color, &C::SetColor).Default(255)
            .Enum("TraceLineStyle", &C::TraceLineStyle, &C::SetTraceLineStyle).Default(kplsSolid)
            .Integer("TraceLineWidth", &C::TraceLineWidth, &C::SetTraceLineWidth).Default(1)
            .Bool("MarkersAllowIndividual", &C::MarkersAllowIndividual, &C::SetMarkersAllowIndividual).Default(false)
            .Bool("MarkersPenUseChannelColor", &C::MarkersPenUseChannelColor, &C::SetMarkersPenUseChannelColor)
            .Default(true)
            .Bool("MarkersBrushUseChannelColor", &C::MarkersBrushUseChannelColor, &C::SetMarkersBrushUseChannelColor)
            .Default(true)
            .Integer("MarkersTurnOffLimit", &C::MarkersTurnOffLimit, &C::SetMarkersTurnOffLimit)
            .Bool("MarkersVisible", &C::MarkersVisible, &C::SetMarkersVisible).Default(false)
            .Integer("MarkersSize", &C::MarkersSize, &C::SetMarkersSize).Default(3)
            .Enum("MarkersStyle", &C::MarkersStyle, &C::SetMarkersStyle).Default(kpmsCircle)
            .Color("MarkersPenColor", &C::MarkersPenColor, &C::SetMarkersPenColor).Default(255)
            .Enum("MarkersPenStyle", &C::MarkersPenStyle, &C::SetMarkersPenStyle).Default(psSolid)
            .Integer("MarkersPenWidth", &C::MarkersPenWidth, &C::SetMarkersPenWidth).Default(0)
            .Color("MarkersBrushColor", &C::MarkersBrushColor, &C::SetMarkersBrushColor).Default(255)
            .Enum("MarkersBrushStyle", &C::MarkersBrushStyle, &C::SetMarkersBrushStyle).Default(bsSolid)
            .Object("MarkersFont", &C::MarkersFont, &C::SetMarkersFont)
            .String("XAxisName", &C::XAxisName, &C::SetXAxisName)
            .String("YAxisName", &C::YAxisName, &C::SetYAxisName)
            .Bool("XAxisTrackingEnabled", &C::XAxisTrackingEnabled, &C::SetXAxisTrackingEnabled).Default(true)
            .Bool("YAxisTrackingEnabled", &C::YAxisTrackingEnabled, &C::SetYAxisTrackingEnabled).Default(true)
            .String("LogFileName", &C::LogFileName, &C::SetLogFileName)
            .Integer("LogBufferSize", &C::LogBufferSize, &C::SetLogBufferSize).Default(0)
            .Bool("LoggingActive", &C::LoggingActive).Default(false)
            .Enum("DataStyle", &C::DataStyle, &C::SetDataStyle).Default(kpdsStandard)
            .Variant("Tag", &C::Tag, &C::SetTag)
            .Build();
    return &info;
}

TkPlotChannelCustom::TkPlotChannelCustom(TkPlotObjectOwner* AOwner)
    : TkPlotManagerObject(AOwner),
      FDataList(CreateOwned<TkPlotDataNullList>())
{
    FOPCLink = std::make_unique<TkPlotChannelOPC>(*this);
    SetColor(255);
    SetTraceLineWidth(1);
    SetTraceLineStyle(kplsSolid);
    SetMarkersSize(3);
    SetMarkersPenColor(255);
    SetMarkersBrushColor(255);
    FMarkersFont = CreateOwned<TFont>();
    FMarkersFont->SetColor(16777215);
    FMarkersFont->SetStyle(TFontStyles{fsBold});
    FMarkersFont->OnChange = [this](TObject*) { DoChange(); };
    // An axis that comes under an axis name of the channel (added, renamed,
    // or the next of that name when one goes) tracks the points from now
    // on: the waiting ones settle on the axes they wait for, and the next
    // point waits for the new axis too.
    const auto rebound = [this] { SettleWaitingPoints(); };
    FXAxis.SetOnTargetChanged(rebound);
    FYAxis.SetOnTargetChanged(rebound);
}

// The axes take the waiting points, as they took every point before.
TkPlotChannelCustom::~TkPlotChannelCustom() { SettleWaitingPoints(); }

// ===========================================================================
// Data entry
// ===========================================================================

Integer TkPlotChannelCustom::AddXY(Double X, Double Y) { return AddPoint(false, false, X, Y); }

Integer TkPlotChannelCustom::AddTrackedPoint(Boolean Null, Boolean Empty, Double X, Double Y)
{
    const Integer oldCount = Count();
    const Integer index = StorePoint(Null, Empty, X, Y);
    ++FPointsRevision;
    if (ValidExtentsFollow(oldCount, 1) && !Null && !Empty) WidenValidExtents(X, Y);
    if (FStoreKeepsValuesExactly)
        FRunning.AddStored(X, Y, *FDataList);
    else
        FRunning.Add(X, Y);
    const bool repaintPending = RepaintPending();
    if (FXAxisTrackingEnabled | FYAxisTrackingEnabled) TrackPoint(Null, Empty, X, Y, repaintPending);
    if (FLoggingActive) CountLoggedPoint();
    if (!repaintPending) ReportNewData();
    BeginWaiting();
    return index;
}

Integer TkPlotChannelCustom::AddPointSlowly(Boolean Null, Boolean Empty, Double X, Double Y)
{
    if (FWaitLimit == 0) return AddTrackedPoint(Null, Empty, X, Y);
    const Integer index = StorePoint(Null, Empty, X, Y);
    ++FPointsRevision;
    if (!(Null | Empty)) WidenValidExtents(X, Y);
    FRunning.AddStored(X, Y, *FDataList);
    if (++FWaitingPoints == FWaitLimit) SettleWaitingPoints();
    return index;
}

// Waiting blocks of this many points stay in the caches while they settle.
constexpr Integer kWaitBlock = 4096;

void TkPlotChannelCustom::BeginWaiting()
{
    if (!FStoreKeepsValuesExactly || !RepaintQueued() || !TakesPointRuns()) return;
    TkPlotAxis* const xAxis = FXAxisTrackingEnabled ? XAxis() : nullptr;
    TkPlotAxis* const yAxis = FYAxisTrackingEnabled ? YAxis() : nullptr;
    TkPlotWaitingScale* const xScale = xAxis ? xAxis->HoldWaiting(*this) : nullptr;
    if (xAxis && !xScale) return;
    TkPlotWaitingScale* const yScale = yAxis ? yAxis->HoldWaiting(*this) : nullptr;
    if (yAxis && !yScale) {
        if (xScale) xScale->ReleaseWaiting(*this);
        return;
    }
    FWaitScales[0] = xScale;
    FWaitScales[1] = yScale;
    FWaitBaseCount = Count();
    const Integer ring = FDataList->RingBufferSize();
    FWaitLimit = ring != 0 && ring < kWaitBlock ? ring : kWaitBlock;
}

// The points are read back from the store a block at a time; the axes skip
// the values inside their scales a block at a time too.
void TkPlotChannelCustom::SettleWaitingPoints()
{
    if (FWaitLimit == 0) return;
    const Integer waiting = FWaitingPoints;
    TkPlotWaitingScale* const xScale = FWaitScales[0];
    TkPlotWaitingScale* const yScale = FWaitScales[1];
    FWaitLimit = 0;
    FWaitingPoints = 0;
    FWaitScales[0] = nullptr;
    FWaitScales[1] = nullptr;
    if (xScale) xScale->ReleaseWaiting(*this);
    if (yScale) yScale->ReleaseWaiting(*this);
    if (waiting == 0) return;
    ValidExtentsFollow(FWaitBaseCount, waiting);
    // The running extremes hold every point since they were last set: when
    // the scales hold them, no waiting point moves a scale.
    TkPlotWaitingScale* const scales[2] = {
        xScale && !xScale->LeavesScaleFor(RunningXMin(), RunningXMax()) ? xScale : nullptr,
        yScale && !yScale->LeavesScaleFor(RunningYMin(), RunningYMax()) ? yScale : nullptr};
    if (!scales[0] && !scales[1]) return;
    TkPlotPointBlock block;
    const Integer count = Count();
    for (Integer start = count - waiting; start < count; start += TkPlotPointBlock::Capacity) {
        const Integer n = std::min(TkPlotPointBlock::Capacity, count - start);
        FDataList->ReadPoints(start, n, block);
        const auto points = static_cast<std::size_t>(n);
        if (scales[0]) scales[0]->TakeWaitingValues({block.X, points}, nullptr);
        if (scales[1]) scales[1]->TakeWaitingValues({block.Y, points}, block.Status);
    }
}

void TkPlotChannelCustom::DropWaitingScale(const TkPlotWaitingScale& Scale)
{
    for (TkPlotWaitingScale*& scale : FWaitScales)
        if (scale == &Scale) scale = nullptr;
}

// Points that arrive while the plot's repaint is pending change nothing that
// it would not show anyway: they are not reported again.
inline bool TkPlotChannelCustom::RepaintPending() const
{
    const TkPlotPaintHost* paint = Host().Paint;
    return paint && paint->RepaintPending();
}

inline bool TkPlotChannelCustom::RepaintQueued() const
{
    const TkPlotPaintHost* paint = Host().Paint;
    return paint && paint->RepaintQueued();
}

void TkPlotChannelCustom::ReportNewData()
{
    if (!RepaintPending()) DoDataChange();
}

TkPlotExtents TkPlotChannelCustom::ValidExtents(bool Y)
{
    SettleWaitingPoints();
    if (!FValidExtentsKnown) {
        FValid = {};
        ForEachValidPoint([this](Double X, Double Y) { FValid.Take(X, Y); });
        FValidExtentsKnown = true;
    }
    return Y ? FValid.Y() : FValid.X();
}

void TkPlotChannelCustom::WidenExtents(const TkPlotAxis& Axis, bool Visible, TkPlotExtents& Extents)
{
    const bool y = Axis.IsYAxis();
    if (y ? YAxis() != &Axis : XAxis() != &Axis) return;
    if (Visible)
        Extents.Widen(y ? GetYMinVisible() : GetDataXMin(), y ? GetYMaxVisible() : GetDataXMax());
    else
        Extents.Widen(y ? RunningYMin() : RunningXMin(), y ? RunningYMax() : RunningXMax());
}

// A step of AddPoint, kept apart for reading.
inline void TkPlotChannelCustom::TrackPoint(Boolean Null, Boolean Empty, Double X, Double Y, bool RepaintPending)
{
    if (MarkersVisible()) {
        TrackMarkerExtents(Count() - 1);
        return;
    }
    if (FXAxisTrackingEnabled)
        if (TkPlotXAxis* axis = XAxis()) axis->NewTrackingData(X, RepaintPending);
    if (FYAxisTrackingEnabled && !Null && !Empty)
        if (TkPlotYAxis* axis = YAxis()) axis->NewTrackingData(Y, RepaintPending);
}

// With markers showing, the axes take in the marker around the point; an
// empty point is tracked too.
void TkPlotChannelCustom::TrackMarkerExtents(Integer Index)
{
    const Boolean null = FDataList->GetNull(Index);
    if (FXAxisTrackingEnabled)
        if (TkPlotXAxis* axis = XAxis(); axis && !null) {
            axis->NewTrackingData(GetPointXMax(Index));
            axis->NewTrackingData(GetPointXMin(Index));
        }
    if (FYAxisTrackingEnabled)
        if (TkPlotYAxis* axis = YAxis(); axis && !null) {
            axis->NewTrackingData(GetPointYMax(Index));
            axis->NewTrackingData(GetPointYMin(Index));
        }
}

void TkPlotChannelCustom::AddXYArrays(const Variant& XData, const Variant& YData)
{
    if (VarArrayDimCount(XData) != 1) throw Exception("X-Data array must be 1 dimensional");
    if (VarArrayDimCount(YData) != 1) throw Exception("Y-Data array must be 1 dimensional");
    const Integer low = VarArrayLowBound(XData, 1);
    const Integer high = VarArrayHighBound(XData, 1);
    if (low != VarArrayLowBound(YData, 1)) throw Exception("X-Data and Y-Data low bound dimension must match");
    if (high != VarArrayHighBound(YData, 1)) throw Exception("X-Data and Y-Data hogh bound dimension must match");
    AddPointsMadeBy(Int64{high} - low + 1, [&](Int64 I) {
        const auto index = static_cast<Integer>(low + I);
        return TkPlotNewPoint{VarToDouble(XData[index]), VarToDouble(YData[index])};
    });
}

void TkPlotChannelCustom::AddXYArray(const Variant& Data)
{
    if (VarArrayDimCount(Data) != 2) throw Exception("Array Must Be 2 Dimensional");
    const Integer low = VarArrayLowBound(Data, 1);
    if (VarArrayHighBound(Data, 1) - Int64{low} != 1) throw Exception("Array First Dimension Must Be 2 Elements");
    const Integer first = VarArrayLowBound(Data, 2);
    AddPointsMadeBy(Int64{VarArrayHighBound(Data, 2)} - first + 1, [&](Int64 I) {
        const auto index = static_cast<Integer>(first + I);
        return TkPlotNewPoint{VarToDouble(Data.GetElement({low, index})), VarToDouble(Data.GetElement({low + 1, index}))};
    });
}

// A log flush that fails is reported only once the channel is empty, so the
// points and the statistics never disagree.
void TkPlotChannelCustom::Clear()
{
    SettleWaitingPoints();
    FRunning.Reset();
    FStartIndex = -1;
    FStopIndex = -1;
    std::exception_ptr logError;
    if (FLoggingActive) {
        try {
            LogDeactivate();
        } catch (...) {
            logError = std::current_exception();
        }
    }
    FLogBacklog.Clear();
    ForgetPointSelection();
    FDataList->Clear();
    ++FPointsRevision;
    ++FPointsRewrites;
    FValid = {};
    FValidExtentsKnown = true;
    DoDataChange();
    if (logError) std::rethrow_exception(logError);
}

void TkPlotChannelCustom::DeletePoints(Integer Size)
{
    if (Size == Count()) {
        Clear();
        return;
    }
    const bool removing = Size > 0 && Size < Count();
    if (removing) FlushLogBeforeRemoval();
    DataList().DeletePoints(Size);
    if (removing) ForgetPointSelection();
    DoDataChange();
}

// ===========================================================================
// Statistics
// ===========================================================================

template <class F>
void TkPlotChannelCustom::ForEachValidPoint(F Action) const
{
    Double x;
    Double y;
    Boolean empty;
    Boolean null;
    for (Integer i = 0; i < Count(); ++i) {
        FDataList->GetXYEmptyNull(i, x, y, empty, null);
        if (!empty && !null) Action(x, y);
    }
}

void TkPlotChannelCustom::ReCalcRunningMinMaxMean()
{
    SettleWaitingPoints();
    FRunning.Reset();
    ForEachValidPoint([this](Double X, Double Y) { FRunning.Add(X, Y); });
}

// The scans work on their own count and total: the running count and totals
// keep describing every point given, so the running means stay right.
Double TkPlotChannelCustom::GetXMax()
{
    SettleWaitingPoints();
    Double result = kRunningMaxStart;
    ForEachValidPoint([&](Double X, Double) { result = std::max(result, X); });
    FRunning.SetXMax(result);
    return result;
}

Double TkPlotChannelCustom::GetXMin()
{
    SettleWaitingPoints();
    Double result = kRunningMinStart;
    ForEachValidPoint([&](Double X, Double) { result = std::min(result, X); });
    FRunning.SetXMin(result);
    return result;
}

Double TkPlotChannelCustom::GetXMean()
{
    Extended total = 0.0;
    Int64 count = 0;
    ForEachValidPoint([&](Double X, Double) {
        total += X;
        ++count;
    });
    const Double mean = TkPlotRunningStatistics::Mean(total, count);
    FRunning.SetXMean(mean);
    return mean;
}

Double TkPlotChannelCustom::GetYMax()
{
    SettleWaitingPoints();
    Double result = kRunningMaxStart;
    ForEachValidPoint([&](Double, Double Y) { result = std::max(result, Y); });
    FRunning.SetYMax(result);
    return result;
}

Double TkPlotChannelCustom::GetYMin()
{
    SettleWaitingPoints();
    Double result = kRunningMinStart;
    ForEachValidPoint([&](Double, Double Y) { result = std::min(result, Y); });
    FRunning.SetYMin(result);
    return result;
}

Double TkPlotChannelCustom::GetYMean()
{
    Extended total = 0.0;
    Int64 count = 0;
    ForEachValidPoint([&](Double, Double Y) {
        total += Y;
        ++count;
    });
    const Double mean = TkPlotRunningStatistics::Mean(total, count);
    FRunning.SetYMean(mean);
    return mean;
}

// ===========================================================================
// Points
// ===========================================================================

void TkPlotChannelCustom::SetCount(Integer Value)
{
    const bool removing = Value >= 0 && Value < Count();
    if (removing) FlushLogBeforeRemoval();
    DataList().SetCapacity(Value);
    if (removing) ForgetPointSelection();
    DoDataChange();
}

Double TkPlotChannelCustom::XFirst() const { return Count() == 0 ? -1.0 : GetXValue(0); }
Double TkPlotChannelCustom::XLast() const { return Count() == 0 ? -1.0 : GetXValue(Count() - 1); }
Double TkPlotChannelCustom::YFirst() const { return Count() == 0 ? -1.0 : GetYValue(0); }
Double TkPlotChannelCustom::YLast() const { return Count() == 0 ? -1.0 : GetYValue(Count() - 1); }

Boolean TkPlotChannelCustom::GetValid(Integer Index) const
{
    return !FDataList->GetEmpty(Index) && !FDataList->GetNull(Index);
}

void TkPlotChannelCustom::SetXValue(Integer Index, Double Value)
{
    DataList().SetX(Index, Value);
    DoChange();
}

void TkPlotChannelCustom::SetYValue(Integer Index, Double Value)
{
    DataList().SetY(Index, Value);
    DoChange();
}

void TkPlotChannelCustom::SetNull(Integer Index, Boolean Value)
{
    DataList().SetNull(Index, Value);
    DoChange();
}

void TkPlotChannelCustom::SetEmpty(Integer Index, Boolean Value)
{
    DataList().SetEmpty(Index, Value);
    DoChange();
}

Double TkPlotChannelCustom::MarkerSpan(TkPlotAxis& Axis) const
{
    const Double min = Axis.Min();
    const Integer pixel = SatInt32(Int64{MarkersSize()} + Axis.PositionToPixels(min));
    return std::fabs(Axis.PixelsToPosition(pixel) - min);
}

template <class TAxis>
Double TkPlotChannelCustom::WidenedExtent(Integer Index, Double Value, TAxis* Axis, const char* NoAxisMessage,
                                          Double Sign)
{
    if (FDataList->GetNull(Index)) throw Exception("Data Point Null");
    if (!MarkersVisible()) return Value;
    if (!Axis) throw Exception(NoAxisMessage);
    return Value + Sign * MarkerSpan(*Axis);
}

Double TkPlotChannelCustom::GetPointXMax(Integer Index)
{
    return WidenedExtent(Index, GetXValue(Index), MarkersVisible() ? XAxis() : nullptr, "X-Axis not assigned", 1.0);
}

Double TkPlotChannelCustom::GetPointXMin(Integer Index)
{
    return WidenedExtent(Index, GetXValue(Index), MarkersVisible() ? XAxis() : nullptr, "X-Axis not assigned", -1.0);
}

Double TkPlotChannelCustom::GetPointYMax(Integer Index)
{
    return WidenedExtent(Index, GetYValue(Index), MarkersVisible() ? YAxis() : nullptr, "Y-Axis not assigned", 1.0);
}

Double TkPlotChannelCustom::GetPointYMin(Integer Index)
{
    return WidenedExtent(Index, GetYValue(Index), MarkersVisible() ? YAxis() : nullptr, "Y-Axis not assigned", -1.0);
}

void TkPlotChannelCustom::GetXValueText(Double Value, String& Text)
{
    TkPlotXAxis* axis = XAxis();
    Text = axis ? axis->GetCursorText(Value) : TranslateString("No X-Axis");
}

void TkPlotChannelCustom::GetYValueText(Double Value, String& Text)
{
    TkPlotYAxis* axis = YAxis();
    Text = axis ? axis->GetCursorText(Value) : TranslateString("No Y-Axis");
}

// ===========================================================================
// Axes
// ===========================================================================

TkPlotScalePair TkPlotChannelCustom::BoundScales() { return ScalesOf(XAxis(), YAxis()); }

// The channel's OPC items connect once the channel belongs to a plot.
void TkPlotChannelCustom::DoInsert()
{
    TkPlotManagerObject::DoInsert();
    FOPCLink->Inserted();
}

// ===========================================================================
// Log
// ===========================================================================

void TkPlotChannelCustom::LogActivate(Boolean Append)
{
    SettleWaitingPoints();
    if (Trim(FLogFileName).empty()) throw Exception("Log File Name not Defined");
    if (FLoggingActive) throw Exception("Logging Already Active");
    LogFileOpen(Append);
    FLoggingActive = true;
    FLogBacklog.Clear();
}

void TkPlotChannelCustom::LogDeactivate()
{
    if (!FLoggingActive) throw Exception("Logging not Active");
    FLoggingActive = false;
    if (FLogBacklog.Waiting() != 0) FlushLog();
}

void TkPlotChannelCustom::CountLoggedPoint()
{
    // After failed flushes a full ring has overwritten what was not written.
    FLogBacklog.Add(1, Count());
    Integer threshold = FLogBufferSize;
    if (const Integer ring = RingBufferSize(); ring != 0) threshold = std::min(threshold, ring);
    if (FLogBufferSize < 2 || FLogBacklog.Due(threshold)) FlushLog();
}

void TkPlotChannelCustom::FlushLog()
{
    FLogBacklog.Flush([this](Integer Waiting) {
        const Integer count = Count();
        const Integer buffered = std::min(Waiting, count);
        LogFileAppend(count - buffered, buffered);
    });
}

void TkPlotChannelCustom::ForgetPointSelection()
{
    FSelectDataIndex = -1;
    FSelectMouseDownIndex = -1;
    FMouseDownDataIndex = -1;
}

// ===========================================================================
// Published properties
// ===========================================================================

void TkPlotChannelCustom::SetTitleText(const String& Value)
{
    SetProperty(FTitleText, Value, &TkPlotChannelCustom::DoChange);
}

void TkPlotChannelCustom::SetVisibleInLegend(Boolean Value)
{
    SetProperty(FVisibleInLegend, Value, &TkPlotChannelCustom::DoChange);
}

void TkPlotChannelCustom::SetClipToAxes(Boolean Value)
{
    SetProperty(FClipToAxes, Value, &TkPlotChannelCustom::DoChange);
}

void TkPlotChannelCustom::SetShowDataPointHints(Boolean Value)
{
    SetProperty(FShowDataPointHints, Value, &TkPlotChannelCustom::DoChange);
}

void TkPlotChannelCustom::SetRingBufferSize(Integer Value)
{
    if (Value != RingBufferSize()) FlushLogBeforeRemoval();
    DataList().SetRingBufferSize(Value);
    ForgetPointSelection();
    DoChange();
}

void TkPlotChannelCustom::SetTraceVisible(Boolean Value)
{
    SetProperty(FTraceVisible, Value, &TkPlotChannelCustom::DoChange);
}

void TkPlotChannelCustom::SetColor(TColor Value)
{
    FDataList->SetStoredTraceLineColor(Value);
    DoChange();
}

void TkPlotChannelCustom::SetTraceLineStyle(TkPlotLineStyle Value)
{
    FDataList->SetStoredTraceLineStyle(Value);
    DoChange();
}

void TkPlotChannelCustom::SetTraceLineWidth(Integer Value)
{
    FDataList->SetStoredTraceLineWidth(Value);
    DoChange();
}

void TkPlotChannelCustom::SetMarkersAllowIndividual(Boolean Value)
{
    SetProperty(FMarkersAllowIndividual, Value, &TkPlotChannelCustom::DoChange);
}

void TkPlotChannelCustom::SetMarkersPenUseChannelColor(Boolean Value)
{
    SetProperty(FMarkersPenUseChannelColor, Value, &TkPlotChannelCustom::DoChange);
}

void TkPlotChannelCustom::SetMarkersBrushUseChannelColor(Boolean Value)
{
    SetProperty(FMarkersBrushUseChannelColor, Value, &TkPlotChannelCustom::DoChange);
}

void TkPlotChannelCustom::SetMarkersTurnOffLimit(Integer Value)
{
    SetProperty(FMarkersTurnOffLimit, Value, &TkPlotChannelCustom::DoChange);
}

void TkPlotChannelCustom::SetMarkersVisible(Boolean Value)
{
    SettleWaitingPoints();
    FDataList->SetStoredMarkerVisible(Value);
    DoChange();
}

void TkPlotChannelCustom::SetMarkersSize(Integer Value)
{
    FDataList->SetStoredMarkerSize(Value);
    DoChange();
}

void TkPlotChannelCustom::SetMarkersStyle(TkPlotMarkerStyle Value)
{
    FDataList->SetStoredMarkerStyle(Value);
    DoChange();
}

void TkPlotChannelCustom::SetMarkersPenColor(TColor Value)
{
    FDataList->SetStoredMarkerPenColor(Value);
    DoChange();
}

void TkPlotChannelCustom::SetMarkersPenStyle(TPenStyle Value)
{
    FDataList->SetStoredMarkerPenStyle(Value);
    DoChange();
}

void TkPlotChannelCustom::SetMarkersPenWidth(Integer Value)
{
    FDataList->SetStoredMarkerPenWidth(Value);
    DoChange();
}

void TkPlotChannelCustom::SetMarkersBrushColor(TColor Value)
{
    FDataList->SetStoredMarkerBrushColor(Value);
    DoChange();
}

void TkPlotChannelCustom::SetMarkersBrushStyle(TBrushStyle Value)
{
    FDataList->SetStoredMarkerBrushStyle(Value);
    DoChange();
}

void TkPlotChannelCustom::SetMarkersFont(TFont* Value) { FMarkersFont->Assign(Value); }

void TkPlotChannelCustom::SetXAxisName(const String& Value)
{
    SettleWaitingPoints();
    if (FXAxis.SetName(Value)) DoChange();
}

void TkPlotChannelCustom::SetYAxisName(const String& Value)
{
    SettleWaitingPoints();
    if (FYAxis.SetName(Value)) DoChange();
}

void TkPlotChannelCustom::SetXAxisTrackingEnabled(Boolean Value)
{
    SettleWaitingPoints();
    SetProperty(FXAxisTrackingEnabled, Value, &TkPlotChannelCustom::DoChange);
}

void TkPlotChannelCustom::SetYAxisTrackingEnabled(Boolean Value)
{
    SettleWaitingPoints();
    SetProperty(FYAxisTrackingEnabled, Value, &TkPlotChannelCustom::DoChange);
}

void TkPlotChannelCustom::SetLogFileName(const String& Value)
{
    if (Value == FLogFileName) return;
    if (FLoggingActive) throw Exception(TranslateString("Log File Name can not be changed while logging is active."));
    FLogFileName = Value;
}

TOwned<TkPlotDataCustomList> TkPlotChannelCustom::CreateDataList(TkPlotDataStyle Style)
{
    switch (Style) {
        case kpdsStandard: return CreateOwned<TkPlotDataNullList>();
        case kpdsCompact: return CreateOwned<TkPlotDataCompactList>();
        case kpdsCompactInterval: return CreateOwned<TkPlotDataCompactIntervalList>();
        case kpdsFullFeature: return CreateOwned<TkPlotDataFullList>();
    }
    // Raises the range error of an unknown ordinal.
    GetEnumName(TypeInfoOf(Style), Style);
    throw EConvertError("DataStyle");
}

void TkPlotChannelCustom::CopyStoredAttributes(const TkPlotDataCustomList& From, TkPlotDataCustomList& To)
{
    To.SetStoredTraceLineColor(From.StoredTraceLineColor());
    To.SetStoredTraceLineWidth(From.StoredTraceLineWidth());
    To.SetStoredTraceLineStyle(From.StoredTraceLineStyle());
    To.SetStoredMarkerVisible(From.StoredMarkerVisible());
    To.SetStoredMarkerSize(From.StoredMarkerSize());
    To.SetStoredMarkerStyle(From.StoredMarkerStyle());
    To.SetStoredMarkerPenColor(From.StoredMarkerPenColor());
    To.SetStoredMarkerPenWidth(From.StoredMarkerPenWidth());
    To.SetStoredMarkerPenStyle(From.StoredMarkerPenStyle());
    To.SetStoredMarkerBrushColor(From.StoredMarkerBrushColor());
    To.SetStoredMarkerBrushStyle(From.StoredMarkerBrushStyle());
    To.SetStoredBarVisible(From.StoredBarVisible());
    To.SetStoredBarReference(From.StoredBarReference());
    To.SetStoredBarWidth(From.StoredBarWidth());
    To.SetStoredBarPenColor(From.StoredBarPenColor());
    To.SetStoredBarPenWidth(From.StoredBarPenWidth());
    To.SetStoredBarPenStyle(From.StoredBarPenStyle());
    To.SetStoredBarBrushColor(From.StoredBarBrushColor());
    To.SetStoredBarBrushStyle(From.StoredBarBrushStyle());
}

// The new store is made and sized before the old one goes: should the ring
// size not fit the new record size, or memory run out, nothing changes.
void TkPlotChannelCustom::SetDataStyle(TkPlotDataStyle Value)
{
    SettleWaitingPoints();
    if (Value == FDataStyle) return;
    TOwned<TkPlotDataCustomList> list = CreateDataList(Value);
    CopyStoredAttributes(*FDataList, *list);
    list->SetRingBufferSize(FDataList->RingBufferSize());
    FlushLogBeforeRemoval();
    FRunning.SumStored(*FDataList);
    FDataList = std::move(list);
    FStoreKeepsValuesExactly = FDataList->KeepsValuesExactly();
    ForgetValidExtents();
    FDataStyle = Value;
    ForgetPointSelection();
    DoChange();
}
