#include "components/plot/axis/kPlotAxisScale.h"

#include <cmath>

#include "components/foundation/kCommonRoutines.h"
#include "platform/Math.h"
#include "platform/SysApi.h"

TkPlotAxisScale::~TkPlotAxisScale()
{
    if (FWaiting) FWaiting->DropWaitingScale(*this);
}

// ===========================================================================
// The value
// ===========================================================================

bool TkPlotAxisScale::SetMin(Double Value) { return SetPart(FMin, Value, ClampMin); }

bool TkPlotAxisScale::SetSpan(Double Value) { return SetPart(FSpan, Value, ClampSpan); }

bool TkPlotAxisScale::SetPart(Double& Part, Double Value, Double (*Clamp)(Double))
{
    Settle();
    if (std::isnan(Value)) return false;
    Value = Clamp(Value);
    if (Value == Part) return false;
    Part = Value;
    Changed();
    return true;
}

bool TkPlotAxisScale::SetType(TkPlotScaleType Value)
{
    Settle();
    if (Value == FType) return false;
    FType = Value;
    if (IsLog() && FMin <= 0) FMin = 1;
    Changed();
    return true;
}

bool TkPlotAxisScale::SetReversed(bool Value)
{
    Settle();
    if (Value == FReversed) return false;
    FReversed = Value;
    Changed();
    return true;
}

void TkPlotAxisScale::ClampToCalendar(TkPlotIncrementUnit Unit, Double& Increment)
{
    Settle();
    ClampCalendarScale(Unit, FMin, FSpan, Increment);
    Changed();
}

// ===========================================================================
// Pixel range and map
// ===========================================================================

void TkPlotAxisScale::LayOut(const TRect& ScaleRect, bool Horizontal)
{
    FRect = ScaleRect;
    FHorizontal = Horizontal;
    Changed();
}

Integer TkPlotAxisScale::Length() const
{
    return FHorizontal ? SatInt32(Int64{FRect.Right} - FRect.Left) : SatInt32(Int64{FRect.Bottom} - FRect.Top);
}

void TkPlotAxisScale::RemakeMap() const
{
    FMap = TkPlotScaleMap::Make(FMin, FSpan, IsLog(), FReversed, FHorizontal, FRect);
    FMapStale = false;
}

Integer TkPlotAxisScale::WidthToPixels(Double Width) const
{
    const TkPlotScaleMap& map = Map();
    return SatInt32(std::abs(Int64{map.Pixel(FMin + Width)} - map.Pixel(FMin)));
}

// ===========================================================================
// Tracking settings and state
// ===========================================================================

void TkPlotAxisScale::SetTrackingDefaults(TkPlotTrackingStyle Style, TkPlotAlignFirstStyle AlignFirst)
{
    FTrackingStyle = Style;
    FTrackingAlignFirstStyle = AlignFirst;
    UpdateFollowsOnlyOutliers();
}

void TkPlotAxisScale::UpdateFollowsOnlyOutliers()
{
    FFollowsOnlyOutliers = !TrackingFitsChannels() && FTrackingIncrementStyle == kptisMinimum &&
                           FTrackingSpanMinimum == 0 && FTrackingMinMargin == 0 && FTrackingMaxMargin == 0;
    UpdateUntrackedRange();
}

void TkPlotAxisScale::ResetFirstAlign()
{
    Settle();
    FFirstAlignDone = false;
    UpdateUntrackedRange();
}

void TkPlotAxisScale::UpdateResumeValues()
{
    Settle();
    FResumeMin = FMin;
    FResumeSpan = FSpan;
}

TkPlotWaitingScale* TkPlotAxisScale::HoldWaiting(TkPlotWaitingPoints& Source)
{
    if (FTrackingEnabled && !(FFirstAlignDone && FFollowsOnlyOutliers)) return nullptr;
    if (FWaiting && FWaiting != &Source) FWaiting->SettleWaitingPoints();
    FWaiting = &Source;
    return this;
}

// ===========================================================================
// Scrolling and zooming
// ===========================================================================

TkPlotScaleRange TkPlotAxisScale::ScrolledBy(Double Fraction) const
{
    Settle();
    if (!IsLog()) {
        Extended newMin = Extended(Fraction) * FSpan + FMin;
        if (FScrollMinMaxEnabled) {
            if (newMin <= FScrollMin)
                newMin = FScrollMin;
            else if (newMin + FSpan >= FScrollMax)
                newMin = Extended(FScrollMax) - FSpan;
        }
        return {Double(newMin), FSpan};
    }
    const Double max = FMin + FSpan;
    const Extended decades = ScaleLog10(max) - ScaleLog10(FMin);
    const Extended factor = ScalePower10(Fraction * decades);
    Extended newMin = factor * FMin;
    Extended newMax = factor * max;
    if (FScrollMinMaxEnabled) {
        const Extended range = ScalePower10(decades);
        if (newMin <= FScrollMin) {
            newMin = FScrollMin;
            newMax = range * FScrollMin;
        } else if (newMax >= FScrollMax) {
            // The top end is what reaches the limit on a log scale.
            newMin = FScrollMax / range;
            newMax = FScrollMax;
        }
    }
    return {Double(newMin), Double(newMax - newMin)};
}

TkPlotScaleRange TkPlotAxisScale::ZoomedBy(Double Exponent) const
{
    Settle();
    const Extended factor = ScalePower10(Exponent);
    if (IsLog()) return {Double(factor * FMin), Double(FSpan / factor)};
    const Extended newSpan = FSpan / factor;
    return {Double((Extended(FMin + FSpan) + FMin) / 2 - newSpan / 2), Double(newSpan)};
}

TkPlotScaleRange TkPlotAxisScale::Zoomed(Double Factor) const
{
    Settle();
    if (IsLog()) {
        const Extended factor = ScalePower10(Factor);
        return {Double(FMin / factor), Double(FSpan * factor)};
    }
    const Extended newSpan = Extended(FSpan) * Factor;
    return {Double(Extended(FMin + FSpan / 2) - newSpan / 2), Double(newSpan)};
}

void ClipCanvasToAxes(const TkPlotPaintContext& Context)
{
    const TkPlotAxisScale& x = *Context.XScale;
    const TkPlotAxisScale& y = *Context.YScale;
    const TRect r = OrientedRect(Context.XYAxesReversed, x.MinPixel(), y.MinPixel(), x.MaxPixel(), y.MaxPixel());
    IntersectClipRect(Context.Canvas, r.Left, r.Top, r.Right, r.Bottom);
}
