#include "components/plot/axis/kPlotAxisTracking.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/objects/kPlotHostServices.h"

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

// Smooth scrolling keeps the new value at the scale's end; page scrolling
// moves the scale by whole spans. With a compress maximum the span first
// grows to take the value in, up to that maximum.
template <class TScale>
[[gnu::always_inline]] inline void ScrolledScale(const TScale& Axis, Double Value, bool Smooth, Double& Min, Double& Span)
{
    if (Value <= Axis.Max()) {
        if (Value < Axis.Min()) Min = Smooth ? Value : Min - Span;
        return;
    }
    if (const Double compressMax = Axis.TrackingScrollCompressMax(); compressMax != 0) {
        if (Value - Min > Axis.Span()) Span = Value - Min;
        // Tested on the span in force, so it overshoots by one step before
        // it is set back.
        if (Axis.Span() > compressMax) Span = compressMax;
    }
    Min = Smooth ? Value - Span : Min + Span;
}

// What TrackingStyle does with a value: leaves the scale, or moves it, and
// perhaps snaps it to the tick increment after.
enum class TkPlotTrackingStep { Leave, Move, MoveAndSnap };

// The step TrackingStyle takes for a later value, from the scale as it
// stands, and the scale it moves to (Min, Span); the two styles that fit
// the scale to the channels leave it here. Axis: the axis or a scale held
// apart from it.
template <class TScale>
[[gnu::always_inline]] inline TkPlotTrackingStep StyledStep(const TScale& Axis, TkPlotTrackingStyle Style,
                                                            Double Value, Double& Min, Double& Span)
{
    Min = Axis.Min();
    Span = Axis.Span();
    switch (Style) {
        case kptsScaleMinMax:
            // A value below the scale moves it down whole: the span is kept,
            // so the top end comes down too.
            if (Value > Axis.Max()) Span = Value - Min;
            if (Value < Min) Min = Value;
            return TkPlotTrackingStep::MoveAndSnap;
        case kptsScaleMax:
            if (!(Value > Axis.Max())) return TkPlotTrackingStep::Leave;
            Span = Value - Axis.Max() + Axis.Span();
            return TkPlotTrackingStep::MoveAndSnap;
        case kptsScaleMin:
            if (!(Value < Axis.Min())) return TkPlotTrackingStep::Leave;
            Span = Axis.Max() - Value;
            Min = Value;
            return TkPlotTrackingStep::MoveAndSnap;
        case kptsScrollSmooth: ScrolledScale(Axis, Value, true, Min, Span); return TkPlotTrackingStep::Move;
        case kptsScrollPage: ScrolledScale(Axis, Value, false, Min, Span); return TkPlotTrackingStep::Move;
        case kptsExpandMinMax:
            if (Value > Axis.Max()) Span = Span + Value - Axis.Max();
            if (Value < Axis.Min()) {
                Span = Axis.Min() - Value + Axis.Span();
                Min = Value;
            }
            return TkPlotTrackingStep::MoveAndSnap;
        default: return TkPlotTrackingStep::Leave;
    }
}

void FollowByStyle(TkPlotAxis& Axis, Double Value)
{
    switch (Axis.TrackingStyle()) {
        case kptsExpandCollapse:
            TkPlotAxisTracking::ZoomToFit(Axis);
            SnapToIncrement(Axis);
            return;
        case kptsExpandCollapseFast:
            TkPlotAxisTracking::ZoomToFitFast(Axis);
            SnapToIncrement(Axis);
            return;
        default: break;
    }
    Double min;
    Double span;
    const TkPlotTrackingStep step = StyledStep(Axis, Axis.TrackingStyle(), Value, min, span);
    if (step == TkPlotTrackingStep::Leave) return;
    MoveScale(Axis, min, span);
    if (step == TkPlotTrackingStep::MoveAndSnap) SnapToIncrement(Axis);
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
    const TkPlotObjectsHost* objects = Axis.Host().Objects;
    if (!objects) return;
    const TkPlotExtents extents = objects->ChannelExtents(Axis, Visible);
    if (!extents.HasSpan()) return;
    Double span = extents.High - extents.Low;
    if (const Double spanMinimum = Axis.TrackingSpanMinimum(); ApplySpanMinimum && spanMinimum > span)
        span = spanMinimum;
    Axis.SetMinSpan(extents.Low - Axis.TrackingMinMargin(),
                    span + Axis.TrackingMaxMargin() + Axis.TrackingMinMargin());
}

}  // namespace

void TkPlotAxisTracking::AlignFirst(TkPlotAxis& Axis, Double Value)
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

void TkPlotAxisTracking::FollowLater(TkPlotAxis& Axis, Double Value)
{
    FollowByStyle(Axis, Value);
    KeepSpanAndMargins(Axis, Value);
}

void TkPlotAxisTracking::ZoomToFit(TkPlotAxis& Axis) { FitToChannels(Axis, true, true); }

void TkPlotAxisTracking::ZoomToFitFast(TkPlotAxis& Axis) { FitToChannels(Axis, false, false); }

// ---------------------------------------------------------------------------
// The axis' side of tracking, and the moves the scale takes on its own

bool TkPlotAxis::ScaleEventsListened() const
{
    const TkPlotEventHost* events = Host().Events;
    return events && events->AxisScaleEventsAssigned();
}

struct TkPlotAxisScale::THeldScale {
    explicit THeldScale(const TkPlotAxisScale& Scale)
        : HeldMin(Scale.FMin), HeldSpan(Scale.FSpan), Style(Scale.FTrackingStyle),
          CompressMax(Scale.FTrackingScrollCompressMax), Log(Scale.IsLog())
    {
    }
    Double Min() const { return HeldMin; }
    Double Span() const { return HeldSpan; }
    Double Max() const { return HeldMin + HeldSpan; }
    TkPlotTrackingStyle TrackingStyle() const { return Style; }
    Double TrackingScrollCompressMax() const { return CompressMax; }
    // As a move by TkPlotAxisTracking::FollowLater and SetMinSpan would be
    // made, for a style that follows outliers alone: no snap and no
    // margins. False when the scale stays as it is. AStyle and ALog are
    // the scale's style and type, perhaps known beforehand.
    [[gnu::always_inline]] bool Follow(Double Value, TkPlotTrackingStyle AStyle, bool ALog)
    {
        Double min;
        Double span;
        if (StyledStep(*this, AStyle, Value, min, span) == TkPlotTrackingStep::Leave) return false;
        Normalize(min, span, HeldMin, HeldSpan, ALog);
        if (min == HeldMin && span == HeldSpan) return false;
        HeldMin = min;
        HeldSpan = span;
        return true;
    }

    Double HeldMin;
    Double HeldSpan;
    const TkPlotTrackingStyle Style;
    const Double CompressMax;
    const bool Log;
};

void TkPlotAxisScale::Take(const THeldScale& Scale)
{
    FMin = Scale.HeldMin;
    FSpan = Scale.HeldSpan;
    Changed();
    FWatcher.ScaleMovedUnreported();
}

// Here beside StyledStep, so that a widening scale's move per point costs
// one call.
bool TkPlotAxisScale::KeepTrackedMove(Double Value)
{
    Settle();
    if (!(FFirstAlignDone && FFollowsOnlyOutliers)) return false;
    THeldScale scale(*this);
    if (scale.Follow(Value, FTrackingStyle, scale.Log)) Take(scale);
    return true;
}

void TkPlotAxis::FollowTrackingData(Double Value, bool Keep)
{
    if (!FScale.TrackingEnabled() || !std::isfinite(Value)) return;
    if (Keep && FScale.KeepTrackedMove(Value)) return;
    if (FScale.TakeFirstAlign())
        TkPlotAxisTracking::AlignFirst(*this, Value);
    else
        TkPlotAxisTracking::FollowLater(*this, Value);
}

namespace {

// Values beyond the top of the scale move it, in these styles, to a scale
// that depends on the value alone and on the part of the scale the move
// keeps: the bottom (ScaleMinMax) or the span (smooth scrolling that does
// not compress). A run of them therefore ends where its last move put it,
// and the last value of a block that surely moves the scale settles the
// whole block in one step. The other styles move the scale by its own
// rounded ends or by whole spans, so that each move carries the rounding of
// the one before: they are replayed value by value. Log scales take 1 for a
// bottom not above 0, which breaks the order the proof below rests on.
template <TkPlotTrackingStyle Style, bool Log, class TScale>
bool TopMovesForgetTheScale(const TScale& Scale)
{
    if constexpr (Log) return false;
    if constexpr (Style == kptsScaleMinMax) return true;
    if constexpr (Style == kptsScrollSmooth) return Scale.TrackingScrollCompressMax() == 0;
    return false;
}

// The spread of a block of values: the lowest and the highest but the last
// (NaN passed over), the last, and whether all are finite (and valid, with
// Status).
struct TkPlotValueSpread {
    Double Lowest;
    Double HighestButLast;
    Double Last;
    bool Plain;
};

// Two values side by side, in the compiler's vector extension: each
// operation of a lane below is one vector instruction for both.
using TValuePair = Double __attribute__((vector_size(16)));

// One lane of SpreadOf, two values at a time. A value takes an extreme only
// when beyond it (a NaN none). A value times 0 is 0 when it is finite, NaN
// else.
struct TkPlotSpreadLane {
    TValuePair Lowest = {std::numeric_limits<Double>::infinity(), std::numeric_limits<Double>::infinity()};
    TValuePair Highest = -Lowest;
    TValuePair Finite = {0, 0};
    void Take(const Double* Values)
    {
        TValuePair values;
        std::memcpy(&values, Values, sizeof values);
        Take(values);
    }
    void Take(TValuePair Values)
    {
        Lowest = Values < Lowest ? Values : Lowest;
        Highest = Values > Highest ? Values : Highest;
        Finite += Values * 0;
    }
};

TkPlotValueSpread SpreadOf(const Double* Values, const TkPlotDataPointStatus* Status, std::size_t Count)
{
    // Lanes of their own, so that no comparison waits for the one before.
    TkPlotSpreadLane a, b, c, d;
    const std::size_t butLast = Count - 1;
    std::size_t j = 0;
    for (; j + 8 <= butLast; j += 8) {
        a.Take(Values + j);
        b.Take(Values + j + 2);
        c.Take(Values + j + 4);
        d.Take(Values + j + 6);
    }
    for (; j + 2 <= butLast; j += 2) a.Take(Values + j);
    if (j < butLast) b.Take(TValuePair{Values[j], Values[j]});
    const Double last = Values[butLast];
    const TValuePair finite = a.Finite + b.Finite + c.Finite + d.Finite;
    bool plain = finite[0] + finite[1] + last * 0 == 0;
    if (Status)
        for (std::size_t i = 0; i < Count; ++i) plain &= Status[i] == kpdpsValid;
    return {std::min({a.Lowest[0], a.Lowest[1], b.Lowest[0], b.Lowest[1], c.Lowest[0], c.Lowest[1], d.Lowest[0],
                      d.Lowest[1], last}),
            std::max({a.Highest[0], a.Highest[1], b.Highest[0], b.Highest[1], c.Highest[0], c.Highest[1],
                      d.Highest[0], d.Highest[1]}),
            last, plain};
}

// Settles a block of values in one step where that gives the scale a value
// by value replay gives, bit for bit; false (and the scale untouched) where
// it cannot tell. Low and High: the scale's ends. The top after a move up
// to u grows with u (the roundings are monotone), and a move down never
// raises it, so the top after the move to the block's highest value but
// the last, H, bounds the top of every scale the block passes through
// before its last value: a last value above it surely moves the scale up.
// Smooth scrolling keeps the span through every move, so that move lands
// where the move from the scale as it stands puts it; ScaleMinMax keeps
// the bottom, which only a value below the scale changes.
template <TkPlotTrackingStyle Style, class TScale>
bool LeapToLast(TScale& Scale, Double Low, Double High, const TkPlotValueSpread& Spread, bool& Moved)
{
    if (!Spread.Plain || (Style == kptsScaleMinMax && !(Spread.Lowest >= Low))) return false;
    Double top = High;
    if (Spread.HighestButLast > High) {
        TScale probe = Scale;
        probe.Follow(Spread.HighestButLast, Style, false);
        top = std::max(top, probe.Max());
    }
    if (!(Spread.Last > top)) return false;
    Moved |= Scale.Follow(Spread.Last, Style, false);
    return true;
}

// Most values lie inside the scale: they are passed over a block at a time,
// by the block's spread. A block with others settles in one step where the
// style allows (LeapToLast), else value by value, each against the scale as
// the previous left it. Low and High: the scale's ends, which tracking
// leaves it alone within. With the style and the scale type known
// beforehand, no value takes a switch.
template <TkPlotTrackingStyle Style, bool Log, class TScale>
bool FollowValues(TScale& Scale, Double Low, Double High, std::span<const Double> Values,
                  const TkPlotDataPointStatus* Status)
{
    constexpr std::size_t block = 64;
    const bool leaps = TopMovesForgetTheScale<Style, Log>(Scale);
    bool moved = false;
    for (std::size_t start = 0; start < Values.size(); start += block) {
        const std::size_t count = std::min(block, Values.size() - start);
        const Double* values = Values.data() + start;
        const TkPlotDataPointStatus* status = Status ? Status + start : nullptr;
        const TkPlotValueSpread spread = SpreadOf(values, status, count);
        if (spread.Lowest >= Low && std::max(spread.HighestButLast, spread.Last) <= High) continue;
        if (!leaps || !LeapToLast<Style>(Scale, Low, High, spread, moved)) {
            for (std::size_t j = 0; j < count; ++j) {
                const Double value = values[j];
                if ((value >= Low && value <= High) || (status && status[j] != kpdpsValid) || !std::isfinite(value))
                    continue;
                if (!Scale.Follow(value, Style, Log)) continue;
                moved = true;
                Low = Scale.Min();
                High = Scale.Max();
            }
        }
        Low = Scale.Min();
        High = Scale.Max();
    }
    return moved;
}

}  // namespace

// The scale is held apart until the end.
void TkPlotAxisScale::TakeWaitingValues(std::span<const Double> Values, const TkPlotDataPointStatus* Status)
{
    if (!FTrackingEnabled) return;
    THeldScale scale(*this);
    // The ends are the scale's while points may wait (HoldWaiting).
    const auto follow = [&]<TkPlotTrackingStyle Style>() {
        return scale.Log ? FollowValues<Style, true>(scale, FUntrackedLow, FUntrackedHigh, Values, Status)
                         : FollowValues<Style, false>(scale, FUntrackedLow, FUntrackedHigh, Values, Status);
    };
    bool moved = false;
    switch (FTrackingStyle) {
        case kptsScaleMinMax: moved = follow.operator()<kptsScaleMinMax>(); break;
        case kptsScaleMax: moved = follow.operator()<kptsScaleMax>(); break;
        case kptsScaleMin: moved = follow.operator()<kptsScaleMin>(); break;
        case kptsScrollSmooth: moved = follow.operator()<kptsScrollSmooth>(); break;
        case kptsScrollPage: moved = follow.operator()<kptsScrollPage>(); break;
        case kptsExpandMinMax: moved = follow.operator()<kptsExpandMinMax>(); break;
        default: break;  // the styles that fit the scale to the channels hold no points
    }
    if (moved) Take(scale);
}
