#include "components/plot/axis/kPlotAxisTracking.h"

#include <cmath>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/component/kPlotHost.h"

namespace {

// Most values land inside the scale and leave it as it is: such a request
// is not worth the axis' own comparisons.
void MoveScale(TkPlotAxis& Axis, Double Min, Double Span)
{
    if (Min != Axis.Min() || Span != Axis.Span()) Axis.SetMinSpan(Min, Span);
}

// Moves the scale ends out to whole multiples of Increment.
void SnapTo(TkPlotAxis& Axis, Double Increment)
{
    if (!(Increment > 0) || !std::isfinite(Increment)) return;
    const Double low = Axis.Min();
    const Double high = Axis.Max();
    Double newHigh = high;
    Double newLow = low;
    if (const Double steps = high / Increment; std::trunc(steps) != steps) newHigh = std::trunc(steps) * Increment;
    if (const Double steps = low / Increment; std::trunc(steps) != steps) newLow = std::trunc(steps) * Increment;
    if (newHigh < high) newHigh += Increment;
    if (newLow > low) newLow -= Increment;
    if (newLow == low && newHigh == high) return;
    Axis.SetMinSpan(newLow, newHigh - newLow);
}

// Snaps to the tick increment chosen by TrackingIncrementStyle. Before the
// first tick generation the increment is 0, and then there is nothing to
// snap to.
inline void SnapToIncrement(TkPlotAxis& Axis)
{
    switch (Axis.TrackingIncrementStyle()) {
        case kptisMajor: SnapTo(Axis, Axis.MajorIncrement()); break;
        case kptisMinor: SnapTo(Axis, Axis.MinorIncrement()); break;
        default: break;  // kptisMinimum
    }
}

void AlignFirst(TkPlotAxis& Axis, Double Value)
{
    Double min = Axis.Min();
    const Double span = Axis.Span();
    switch (Axis.TrackingAlignFirstStyle()) {
        case kpafsMin: min = Value; break;
        case kpafsMax: min = Value - span; break;
        case kpafsAuto:
            if (Value < Axis.Min() || Value > Axis.Max()) min = Value;
            break;
        default: return;  // kpafsNone
    }
    MoveScale(Axis, min, span);
}

// Smooth scrolling keeps the new value at the scale's end; page scrolling
// moves the scale by whole spans. With a compress maximum the span first
// grows to take the value in, up to that maximum.
void Scroll(TkPlotAxis& Axis, Double Value, bool Smooth)
{
    Double min = Axis.Min();
    Double span = Axis.Span();
    if (Value <= Axis.Max()) {
        if (Value < Axis.Min()) min = Smooth ? Value : min - span;
    } else {
        if (const Double compressMax = Axis.TrackingScrollCompressMax(); compressMax != 0) {
            if (Value - min > Axis.Span()) span = Value - min;
            // Tested on the span in force, so it overshoots by one step
            // before it is set back.
            if (Axis.Span() > compressMax) span = compressMax;
        }
        min = Smooth ? Value - span : min + span;
    }
    MoveScale(Axis, min, span);
}

void FollowByStyle(TkPlotAxis& Axis, Double Value)
{
    Double min = Axis.Min();
    Double span = Axis.Span();
    switch (Axis.TrackingStyle()) {
        case kptsScaleMinMax:
            // A value below the scale moves it down whole: the span is kept,
            // so the top end comes down too.
            if (Value > Axis.Max()) span = Value - min;
            if (Value < min) min = Value;
            break;
        case kptsScaleMax:
            if (!(Value > Axis.Max())) return;
            span = Value - Axis.Max() + Axis.Span();
            break;
        case kptsScaleMin:
            if (!(Value < Axis.Min())) return;
            span = Axis.Max() - Value;
            min = Value;
            break;
        case kptsScrollSmooth: Scroll(Axis, Value, true); return;
        case kptsScrollPage: Scroll(Axis, Value, false); return;
        case kptsExpandCollapse:
            TkPlotAxisTracking::ZoomToFit(Axis);
            SnapToIncrement(Axis);
            return;
        case kptsExpandCollapseFast:
            TkPlotAxisTracking::ZoomToFitFast(Axis);
            SnapToIncrement(Axis);
            return;
        case kptsExpandMinMax:
            if (Value > Axis.Max()) span = span + Value - Axis.Max();
            if (Value < Axis.Min()) {
                span = Axis.Min() - Value + Axis.Span();
                min = Value;
            }
            break;
        default: return;
    }
    MoveScale(Axis, min, span);
    SnapToIncrement(Axis);
}

// Each on the scale as the previous step left it.
void KeepSpanAndMargins(TkPlotAxis& Axis, Double Value)
{
    if (const Double spanMinimum = Axis.TrackingSpanMinimum(); spanMinimum != 0 && Axis.Span() < spanMinimum)
        Axis.SetMinSpan(Axis.Center() - spanMinimum / 2, spanMinimum);
    if (const Double minMargin = Axis.TrackingMinMargin(); minMargin != 0 && Value < Axis.Min() + minMargin)
        Axis.SetMinSpan(Value - minMargin, Axis.Span());
    if (const Double maxMargin = Axis.TrackingMaxMargin(); maxMargin != 0 && Value > Axis.Max() - maxMargin)
        Axis.SetMinSpan(Axis.Min(), Value - (Axis.Max() - maxMargin) + Axis.Span());
}

// Fits the scale to the extents of the channels bound to the axis, as the
// plot gathers them, when they describe data.
void FitToChannels(TkPlotAxis& Axis, bool Visible, bool ApplySpanMinimum)
{
    const TkPlotHost* host = Axis.Host();
    if (!host) return;
    const TkPlotExtents extents = host->ChannelExtents(Axis, Visible);
    if (!extents.HasSpan()) return;
    Double span = extents.High - extents.Low;
    if (const Double spanMinimum = Axis.TrackingSpanMinimum(); ApplySpanMinimum && spanMinimum > span)
        span = spanMinimum;
    Axis.SetMinSpan(extents.Low - Axis.TrackingMinMargin(),
                    span + Axis.TrackingMaxMargin() + Axis.TrackingMinMargin());
}

}  // namespace

void TkPlotAxisTracking::NewTrackingData(TkPlotAxis& Axis, bool& FirstAlignDone, Double Value)
{
    if (!Axis.TrackingEnabled() || !std::isfinite(Value)) return;
    if (!FirstAlignDone) {
        FirstAlignDone = true;
        AlignFirst(Axis, Value);
        return;
    }
    FollowByStyle(Axis, Value);
    KeepSpanAndMargins(Axis, Value);
}

void TkPlotAxisTracking::ZoomToFit(TkPlotAxis& Axis) { FitToChannels(Axis, true, true); }

void TkPlotAxisTracking::ZoomToFitFast(TkPlotAxis& Axis) { FitToChannels(Axis, false, false); }
