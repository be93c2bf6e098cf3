#include "components/plot/channel/time/kPlotChannel.h"

#include "components/plot/channel/kPlotChannelOPC.h"

#include <algorithm>
#include <cmath>

#include "platform/SysUtils.h"
#include "platform/Variants.h"

namespace {

constexpr Double ExtentMinStart = 1e300;
constexpr Double ExtentMaxStart = -1e300;
constexpr Double SecondsPerDay = 60.0 * 60.0 * 24.0;

}  // namespace

// HighLowBarColor and HighLowOpenColor start on other colours than the
// defaults a form once declared for them, so they declare none: every value
// is written, or a colour equal to that default would load back as the
// starting colour.
TClass TkPlotChannel::StaticClassInfo()
{
    using C = TkPlotChannel;
    static const TClassInfo info = [] {
        TClassBuilder<C, TkPlotChannelCustom> builder("TkPlotChannel");
        builder
            .Bool("FastDrawEnabled", &C::FastDrawEnabled, &C::SetFastDrawEnabled).Default(true)
            .Bool("AllowOutOfOrderXValues", &C::AllowOutOfOrderXValues, &C::SetAllowOutOfOrderXValues).Default(true)
            .Bool("DrawOutOfOrderXValues", &C::DrawOutOfOrderXValues, &C::SetDrawOutOfOrderXValues).Default(false)
            .Bool("ResetStartTimeOnFirstDataPoint", &C::ResetStartTimeOnFirstDataPoint,
                  &C::SetResetStartTimeOnFirstDataPoint)
            .Default(false)
            .Enum("InterpolationStyle", &C::InterpolationStyle, &C::SetInterpolationStyle).Default(kpistStraightLine)
            .Bool("FillEnabled", &C::FillEnabled, &C::SetFillEnabled).Default(false)
            .Float("FillReference", &C::FillReference, &C::SetFillReference)
            .Enum("FillStyle", &C::FillStyle, &C::SetFillStyle).Default(bsSolid)
            .Color("FillColor", &C::FillColor, &C::SetFillColor).Default(0)
            .Bool("FillUseChannelColor", &C::FillUseChannelColor, &C::SetFillUseChannelColor).Default(true)
            .Bool("DigitalEnabled", &C::DigitalEnabled, &C::SetDigitalEnabled).Default(false)
            .Enum("DigitalReferenceStyle", &C::DigitalReferenceStyle, &C::SetDigitalReferenceStyle).Default(kpdrScale)
            .Float("DigitalReferenceLow", &C::DigitalReferenceLow, &C::SetDigitalReferenceLow)
            .Float("DigitalReferenceHigh", &C::DigitalReferenceHigh, &C::SetDigitalReferenceHigh)
            .Enum("HighLowStyle", &C::HighLowStyle, &C::SetHighLowStyle).Default(kphlsOpenClose)
            .Bool("HighLowEnabled", &C::HighLowEnabled, &C::SetHighLowEnabled).Default(false)
            .Color("HighLowBarColor", &C::HighLowBarColor, &C::SetHighLowBarColor)
            .Float("HighLowBarWidth", &C::HighLowBarWidth, &C::SetHighLowBarWidth)
            .Bool("HighLowOpenShow", &C::HighLowOpenShow, &C::SetHighLowOpenShow).Default(true)
            .Color("HighLowOpenColor", &C::HighLowOpenColor, &C::SetHighLowOpenColor)
            .Float("HighLowOpenWidth", &C::HighLowOpenWidth, &C::SetHighLowOpenWidth)
            .Float("HighLowOpenHeight", &C::HighLowOpenHeight, &C::SetHighLowOpenHeight)
            .Bool("HighLowCloseShow", &C::HighLowCloseShow, &C::SetHighLowCloseShow).Default(true)
            .Color("HighLowCloseColor", &C::HighLowCloseColor, &C::SetHighLowCloseColor).Default(255)
            .Float("HighLowCloseWidth", &C::HighLowCloseWidth, &C::SetHighLowCloseWidth)
            .Float("HighLowCloseHeight", &C::HighLowCloseHeight, &C::SetHighLowCloseHeight)
            .Color("HighLowShadowColor", &C::HighLowShadowColor, &C::SetHighLowShadowColor).Default(8421504)
            .Color("HighLowBullishColor", &C::HighLowBullishColor, &C::SetHighLowBullishColor).Default(16777215)
            .Color("HighLowBearishColor", &C::HighLowBearishColor, &C::SetHighLowBearishColor).Default(8421504)
            .Bool("BarEnabled", &C::BarEnabled, &C::SetBarEnabled).Default(false)
            .Bool("BarPenUseChannelColor", &C::BarPenUseChannelColor, &C::SetBarPenUseChannelColor).Default(true)
            .Bool("BarBrushUseChannelColor", &C::BarBrushUseChannelColor, &C::SetBarBrushUseChannelColor)
            .Default(true)
            .Float("BarReference", &C::BarReference, &C::SetBarReference)
            .Float("BarWidth", &C::BarWidth, &C::SetBarWidth)
            .Color("BarPenColor", &C::BarPenColor, &C::SetBarPenColor).Default(255)
            .Integer("BarPenWidth", &C::BarPenWidth, &C::SetBarPenWidth).Default(0)
            .Enum("BarPenStyle", &C::BarPenStyle, &C::SetBarPenStyle).Default(psSolid)
            .Color("BarBrushColor", &C::BarBrushColor, &C::SetBarBrushColor).Default(255)
            .Enum("BarBrushStyle", &C::BarBrushStyle, &C::SetBarBrushStyle).Default(bsSolid);
        return PublishChannelOPC(std::move(builder), true).Build();
    }();
    return &info;
}

TkPlotChannel::TkPlotChannel(TkPlotObjectOwner* AOwner)
    : TkPlotChannelCustom(AOwner),
      FElapsedStartTime(Now())
{
    TkPlotDataCustomList& store = DataList();
    store.SetStoredBarWidth(5.0);
    store.SetStoredBarPenColor(255);
    store.SetStoredBarBrushColor(255);
    OPCLink()->SetTimeChannel([this](bool InSeconds, Double Y) {
        if (InSeconds)
            AddYElapsedSeconds(Y);
        else
            AddYElapsedTime(Y);
    });
}

// ===========================================================================
// Data entry
// ===========================================================================

void TkPlotChannel::ResetElapsedStartTime() { FElapsedStartTime = Now(); }

void TkPlotChannel::ApplyStartTimeRule()
{
    if (FResetStartTimeOnFirstDataPoint && Count() == 0) ResetElapsedStartTime();
}

// The first two points fix the direction; only points after them are held
// to it.
void TkPlotChannel::CheckXOrder(Double X) const
{
    if (FAllowOutOfOrderXValues || Count() < 2) return;
    const Double last = StoredX(Count() - 1);
    if (StoredX(1) >= StoredX(0)) {
        if (!(X >= last)) throw Exception("New Data-Point X-Value is out of order");
    } else if (!(X <= last)) {
        throw Exception("New Data-Point X-Value is out of order.");
    }
}

Integer TkPlotChannel::AddXY(Double X, Double Y)
{
    ApplyStartTimeRule();
    CheckXOrder(X);
    return AddPoint(false, false, X, Y);
}

void TkPlotChannel::AddXYPoints(std::span<const TkPlotNewPoint> Points)
{
    if (!FAllowOutOfOrderXValues) {
        for (const TkPlotNewPoint& point : Points) {
            if (point.Kind == TkPlotPointKind::Valid)
                AddXY(point.X, point.Y);
            else
                AddPoint(point.Kind == TkPlotPointKind::Null, point.Kind == TkPlotPointKind::Empty, point.X, point.Y);
        }
        return;
    }
    if (!Points.empty() && Points.front().Kind == TkPlotPointKind::Valid) ApplyStartTimeRule();
    AddPoints(Points);
}

Integer TkPlotChannel::AddXNull(Double X)
{
    ApplyStartTimeRule();
    CheckXOrder(X);
    return AddPoint(true, false, X, 0);
}

Integer TkPlotChannel::AddXEmpty(Double X)
{
    ApplyStartTimeRule();
    CheckXOrder(X);
    return AddPoint(false, true, X, 0);
}

// The store answers the physical slot it wrote, which a wrapped ring buffer
// no longer finds by that index: the four values go to the newest logical
// point.
Integer TkPlotChannel::AddHighLow(Double X, Double High, Double Low, Double Open, Double Close)
{
    ApplyStartTimeRule();
    CheckXOrder(X);
    TkPlotDataCustomList& store = DataList();
    const Integer slot = store.Add(X, 0, false, false);
    const Integer newest = Count() - 1;
    store.SetHigh(newest, High);
    store.SetLow(newest, Low);
    store.SetOpen(newest, Open);
    store.SetClose(newest, Close);
    if (XAxisTrackingEnabled())
        if (TkPlotXAxis* axis = XAxis()) axis->NewTrackingData(X);
    if (YAxisTrackingEnabled())
        if (TkPlotYAxis* axis = YAxis())
            for (const Double value : {High, Low, Open, Close}) axis->NewTrackingData(value);
    DoChange();
    return slot;
}

Integer TkPlotChannel::AddYNow(Double Y)
{
    ApplyStartTimeRule();
    return AddPoint(false, false, Now(), Y);
}

// Elapsed time follows the wall clock, so a change of daylight-saving time
// moves it by the hour.
Integer TkPlotChannel::AddYElapsedTime(Double Y)
{
    ApplyStartTimeRule();
    return AddPoint(false, false, Now() - FElapsedStartTime, Y);
}

Integer TkPlotChannel::AddYElapsedSeconds(Double Y)
{
    ApplyStartTimeRule();
    return AddPoint(false, false, (Now() - FElapsedStartTime) * SecondsPerDay, Y);
}

void TkPlotChannel::AddYArray(const Variant& YData, Double XInterval)
{
    if (VarArrayDimCount(YData) != 1) throw Exception("Y-Data array must be 1 dimensional");
    ApplyStartTimeRule();
    const Double x0 = Count() == 0 ? 0.0 : GetXValue(Count() - 1);
    const Integer low = VarArrayLowBound(YData, 1);
    const Integer high = VarArrayHighBound(YData, 1);
    AddPointsMadeBy(Int64{high} - low + 1, [&](Int64 I) {
        return TkPlotNewPoint{x0 + Double(I) * XInterval, VarToDouble(YData[static_cast<Integer>(low + I)])};
    });
}

// ===========================================================================
// Searching
// ===========================================================================

bool TkPlotChannel::XIncreasing() const { return Count() <= 2 || GetXValue(1) >= GetXValue(0); }

Integer TkPlotChannel::SearchX(Double Key) const
{
    const bool increasing = XIncreasing();
    Integer lo = 0;
    Integer hi = Count() - 1;
    Integer mid = -1;
    while (hi >= lo) {
        mid = lo + (hi - lo) / 2;
        const Double x = GetXValue(mid);
        if (x == Key) break;
        if (increasing ? x < Key : x > Key)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return mid;
}

Integer TkPlotChannel::ClampIndex(Integer Index) const { return std::clamp(Index, 0, Count() - 1); }

Integer TkPlotChannel::OnScaleIndex(const TkPlotAxisScale& XScale, bool Last)
{
    if (Last) {
        for (Integer i = Count() - 1; i >= 0; --i)
            if (XScale.OnScale(GetXValue(i))) return i;
        return -1;
    }
    for (Integer i = 0; i < Count(); ++i)
        if (XScale.OnScale(GetXValue(i))) return i;
    return Count() - 1;
}

void TkPlotChannel::CalcStartIndex(const TkPlotAxisScale* XScale)
{
    if (!XScale || Count() == 0) return SetDrawStartIndex(-1);
    if (FDrawOutOfOrderXValues) return SetDrawStartIndex(ClampIndex(OnScaleIndex(*XScale, false) - 1));
    // The scale end where the data begins.
    const Double edge = XIncreasing() ? XScale->Min() : XScale->Max();
    Integer index = SearchX(edge);
    const Double x = GetXValue(index);
    if (XIncreasing() ? x > edge : x < edge) --index;
    SetDrawStartIndex(ClampIndex(index));
}

void TkPlotChannel::CalcStopIndex(const TkPlotAxisScale* XScale)
{
    if (!XScale || Count() == 0) return SetDrawStopIndex(-1);
    if (FDrawOutOfOrderXValues) return SetDrawStopIndex(ClampIndex(OnScaleIndex(*XScale, true) + 1));
    const Double edge = XIncreasing() ? XScale->Max() : XScale->Min();
    Integer index = SearchX(edge);
    const Double x = GetXValue(index);
    if (XIncreasing() ? x < edge : x > edge) ++index;
    SetDrawStopIndex(ClampIndex(index));
}

Integer TkPlotChannel::CalcIndex(Double X) { return XAxis() ? IndexAt(X) : -1; }

Integer TkPlotChannel::IndexAt(Double X)
{
    if (Count() == 0) return -1;
    const Double first = GetXValue(0);
    const Double last = GetXValue(Count() - 1);
    Integer index;
    if (XIncreasing()) {
        if (!(first <= X && X <= last)) return -1;
        index = SearchX(X);
        if (GetXValue(index) < X) ++index;
    } else {
        if (!(last <= X && X <= first)) return -1;
        index = SearchX(X);
        if (GetXValue(index) < X) --index;
    }
    return ClampIndex(index);
}

// Linear in pixels rather than in values, so that the answer lies on the
// line as drawn.
bool TkPlotChannel::GetYInterpolated(Double& Y, Double X) { return YAlongTrace(ScaleOf(XAxis()), Y, X); }

bool TkPlotChannel::YAlongTrace(const TkPlotAxisScale* XScale, Double& Y, Double X)
{
    if (Count() == 0) return false;
    for (const Integer end : {Integer{0}, Count() - 1}) {
        if (GetValid(end) && GetXValue(end) == X) {
            Y = GetYValue(end);
            return true;
        }
    }
    Y = 0;
    const Integer i = XScale ? IndexAt(X) : -1;
    const Integer j = XIncreasing() ? i - 1 : i + 1;
    if (i < 0 || j < 0 || j >= Count()) return false;
    if (FDigitalEnabled) {
        Y = GetYValue(j);
        return true;
    }
    if (GetXValue(i) == X) {
        Y = GetYValue(i);
        return true;
    }
    if (GetNull(i) || GetNull(j)) return false;
    const Integer pi = XScale->Pixel(GetXValue(i));
    const Double dp = XScale->Pixel(GetXValue(j)) - pi;
    const Double dx = XScale->Pixel(X) - pi;
    Y = GetYValue(i);
    if (dp != 0 && dx != 0) Y += (GetYValue(j) - Y) * dx / dp;
    return true;
}

// ===========================================================================
// Extents
// ===========================================================================

Integer TkPlotChannel::FirstValidIndex() const
{
    for (Integer i = 0; i < Count(); ++i)
        if (GetValid(i)) return i;
    return -1;
}

Integer TkPlotChannel::LastValidIndex() const
{
    for (Integer i = Count() - 1; i >= 0; --i)
        if (GetValid(i)) return i;
    return -1;
}

Double TkPlotChannel::GetDataXMax()
{
    FXIncreasing = XIncreasing();
    if (!HasBothAxes() || !Visible()) return ExtentMaxStart;
    const Integer index = FXIncreasing ? LastValidIndex() : FirstValidIndex();
    return index < 0 ? ExtentMaxStart : GetPointXMax(index);
}

Double TkPlotChannel::GetDataXMin()
{
    FXIncreasing = XIncreasing();
    if (!HasBothAxes() || !Visible()) return ExtentMinStart;
    const Integer index = FXIncreasing ? FirstValidIndex() : LastValidIndex();
    return index < 0 ? ExtentMinStart : GetPointXMin(index);
}

Double TkPlotChannel::DrawnExtent(Double (TkPlotChannelCustom::*Extent)(Integer), Double Start, bool Larger)
{
    CalcStartIndex(ScaleOf(XAxis()));
    CalcStopIndex(ScaleOf(XAxis()));
    Double result = Start;
    if (!HasBothAxes() || DrawStartIndex() < 0) return result;
    for (Integer i = DrawStartIndex(); i <= DrawStopIndex(); ++i) {
        if (!GetValid(i)) continue;
        const Double value = (this->*Extent)(i);
        if (Larger ? value > result : value < result) result = value;
    }
    return result;
}

Double TkPlotChannel::GetYMaxVisible() { return DrawnExtent(&TkPlotChannelCustom::GetPointYMax, ExtentMaxStart, true); }

Double TkPlotChannel::GetYMinVisible()
{
    return DrawnExtent(&TkPlotChannelCustom::GetPointYMin, ExtentMinStart, false);
}

// ===========================================================================
// Data cursor
// ===========================================================================

TkPlotInterpolationStyle TkPlotChannel::EffectiveStyle() const
{
    return FDigitalEnabled ? kpistStraightLine : FInterpolationStyle;
}

TkPlotDataPointStatus TkPlotChannel::GetCursorValue(Double X, Double& Y)
{
    Y = 0;
    if (Count() == 0) return kpdpsEmpty;
    for (const Integer end : {Integer{0}, Count() - 1}) {
        if (GetValid(end) && GetXValue(end) == X) {
            Y = GetYValue(end);
            return kpdpsValid;
        }
    }
    switch (EffectiveStyle()) {
        case kpistStraightLine: return GetYInterpolated(Y, X) ? kpdpsValid : kpdpsEmpty;
        case kpistDifferential:
        case kpistDifferentialTerminated: return StepValue(X, Y);
        default: return PixelListValue(X, Y);
    }
}

// Interpolated curves are read where the last paint sampled them; before
// it, or past the columns it sampled, there is nothing to read.
TkPlotDataPointStatus TkPlotChannel::PixelListValue(Double X, Double& Y)
{
    const TkPlotXAxis* axis = XAxis();
    const Double first = std::min(XFirst(), XLast());
    const Double last = std::max(XFirst(), XLast());
    if (!axis || !(first <= X && X <= last)) return kpdpsEmpty;
    const Int64 column = axis->PositionToPixels(X);
    const Int64 offset = column - FPixelListStart;
    if (column < FPixelListStart || column > FPixelListStop || offset >= Int64(FPixelList.size()))
        return kpdpsEmpty;
    const TkPlotPixelPoint& entry = FPixelList[std::size_t(offset)];
    if (entry.Null) return kpdpsNull;
    Y = entry.YValue;
    return kpdpsValid;
}

// The step holds the value of the point it starts from until the next
// point: the one before X in X order.
TkPlotDataPointStatus TkPlotChannel::StepValue(Double X, Double& Y)
{
    const Integer last = Count() - 1;
    const bool beyondLast = XIncreasing() ? X > GetXValue(last) : X < GetXValue(last);
    if (beyondLast) {
        if (EffectiveStyle() != kpistDifferential || !GetValid(last)) return kpdpsEmpty;
        Y = GetYValue(last);
        return kpdpsValid;
    }
    const Integer index = CalcIndex(X);
    const Integer from = XIncreasing() ? index - 1 : index;
    if (index < 0 || from < 0 || !GetValid(from)) return kpdpsEmpty;
    Y = GetYValue(from);
    return kpdpsValid;
}

// ===========================================================================
// Properties
// ===========================================================================

void TkPlotChannel::SetFastDrawEnabled(Boolean Value) { SetProperty(FFastDrawEnabled, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetDrawOutOfOrderXValues(Boolean Value) { SetProperty(FDrawOutOfOrderXValues, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetInterpolationStyle(TkPlotInterpolationStyle Value) { SetProperty(FInterpolationStyle, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetFillEnabled(Boolean Value) { SetProperty(FFillEnabled, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetFillReference(Double Value) { SetProperty(FFillReference, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetFillStyle(TBrushStyle Value) { SetProperty(FFillStyle, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetFillColor(TColor Value) { SetProperty(FFillColor, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetFillUseChannelColor(Boolean Value) { SetProperty(FFillUseChannelColor, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetDigitalEnabled(Boolean Value) { SetProperty(FDigitalEnabled, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetDigitalReferenceStyle(TkPlotDigitalReferenceStyle Value) { SetProperty(FDigitalReferenceStyle, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetDigitalReferenceLow(Double Value) { SetProperty(FDigitalReferenceLow, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetDigitalReferenceHigh(Double Value) { SetProperty(FDigitalReferenceHigh, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowStyle(TkPlotHighLowStyle Value) { SetProperty(FHighLowStyle, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowEnabled(Boolean Value) { SetProperty(FHighLowEnabled, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowBarColor(TColor Value) { SetProperty(FHighLowBarColor, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowBarWidth(Double Value) { SetProperty(FHighLowBarWidth, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowOpenShow(Boolean Value) { SetProperty(FHighLowOpenShow, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowOpenColor(TColor Value) { SetProperty(FHighLowOpenColor, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowOpenWidth(Double Value) { SetProperty(FHighLowOpenWidth, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowOpenHeight(Double Value) { SetProperty(FHighLowOpenHeight, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowCloseShow(Boolean Value) { SetProperty(FHighLowCloseShow, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowCloseColor(TColor Value) { SetProperty(FHighLowCloseColor, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowCloseWidth(Double Value) { SetProperty(FHighLowCloseWidth, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowCloseHeight(Double Value) { SetProperty(FHighLowCloseHeight, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowShadowColor(TColor Value) { SetProperty(FHighLowShadowColor, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowBullishColor(TColor Value) { SetProperty(FHighLowBullishColor, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetHighLowBearishColor(TColor Value) { SetProperty(FHighLowBearishColor, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetBarEnabled(Boolean Value) { SetProperty(FBarEnabled, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetBarPenUseChannelColor(Boolean Value) { SetProperty(FBarPenUseChannelColor, Value, &TkPlotObject::DoChange); }
void TkPlotChannel::SetBarBrushUseChannelColor(Boolean Value) { SetProperty(FBarBrushUseChannelColor, Value, &TkPlotObject::DoChange); }

// The bar settings live in the store, which keeps them for every new
// point; a write always reports a change.
template <class V>
void TkPlotChannel::SetStoredBar(void (TkPlotDataCustomList::*Set)(V), V Value)
{
    (DataList().*Set)(Value);
    DoChange();
}

void TkPlotChannel::SetBarReference(Double Value) { SetStoredBar(&TkPlotDataCustomList::SetStoredBarReference, Value); }
void TkPlotChannel::SetBarWidth(Double Value) { SetStoredBar(&TkPlotDataCustomList::SetStoredBarWidth, Value); }
void TkPlotChannel::SetBarPenColor(TColor Value) { SetStoredBar(&TkPlotDataCustomList::SetStoredBarPenColor, Value); }
void TkPlotChannel::SetBarPenWidth(Integer Value) { SetStoredBar(&TkPlotDataCustomList::SetStoredBarPenWidth, Value); }
void TkPlotChannel::SetBarPenStyle(TPenStyle Value) { SetStoredBar(&TkPlotDataCustomList::SetStoredBarPenStyle, Value); }
void TkPlotChannel::SetBarBrushColor(TColor Value) { SetStoredBar(&TkPlotDataCustomList::SetStoredBarBrushColor, Value); }
void TkPlotChannel::SetBarBrushStyle(TBrushStyle Value) { SetStoredBar(&TkPlotDataCustomList::SetStoredBarBrushStyle, Value); }
