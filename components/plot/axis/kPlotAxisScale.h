#pragma once
// The scale of an axis: the value range Min .. Min + Span, linear or base-10
// logarithmic, perhaps reversed, laid along a pixel range (its map from
// values to pixels); the settings by which tracking makes it follow new
// data and the state tracking keeps; the limits of the user's scrolling;
// and the points that channels hold back from its tracking.
//
// What a reader sees. The scale's value is the one that tracking every
// point given so far yields, the points that wait for it (HoldWaiting)
// included: the wait is how the scale is held, not what it is. So every
// reader of what points move (the ends, the map, the tracked range)
// settles them before it reads, and so does every change of the scale or of
// its tracking settings; no caller can see a scale that points are still
// waiting to move, whatever it reads and in whatever order, and none has to
// ask for it. That is why those readers are const: settling changes how the
// scale is held (the waiting values are folded into Min and Span), never
// what a reader returns, and it fires no event; the holder only counts a
// change of look (TkPlotScaleWatcher). The fields are private, read raw by
// the scale's own members alone, after a settle. Readers of what no point
// moves (the type, the settings, the pixel range) have nothing to settle.
//
// The scale fires no events: a change tells whether it changed anything,
// and the axis that holds the scale fires DoChange and the plot's events.

#include <cmath>
#include <limits>
#include <span>

#include "components/plot/axis/kPlotAxisTicks.h"
#include "components/plot/axis/kPlotScaleMap.h"
#include "components/plot/axis/kPlotWaitingPoints.h"
#include "components/plot/objects/kPlotPaintContext.h"
#include "platform/Graphics.h"
#include "platform/Math.h"
#include "platform/System.h"

// How an axis follows new data (tracking).
enum TkPlotTrackingStyle {
    kptsScaleMinMax,
    kptsScaleMax,
    kptsScaleMin,
    kptsScrollSmooth,
    kptsScrollPage,
    kptsExpandCollapse,
    kptsExpandCollapseFast,
    kptsExpandMinMax
};
PL_ENUM_NAMES(TkPlotTrackingStyle, "kptsScaleMinMax", "kptsScaleMax", "kptsScaleMin", "kptsScrollSmooth",
              "kptsScrollPage", "kptsExpandCollapse", "kptsExpandCollapseFast", "kptsExpandMinMax")

// Which tick increment tracking snaps the scale ends to.
enum TkPlotTrackingIncrementStyle { kptisMinimum, kptisMajor, kptisMinor };
PL_ENUM_NAMES(TkPlotTrackingIncrementStyle, "kptisMinimum", "kptisMajor", "kptisMinor")

// Where the first tracked value puts the scale.
enum TkPlotAlignFirstStyle { kpafsMin, kpafsMax, kpafsAuto, kpafsNone };
PL_ENUM_NAMES(TkPlotAlignFirstStyle, "kpafsMin", "kpafsMax", "kpafsAuto", "kpafsNone")

// A scale asked for: a minimum and a span, before the clamps.
struct TkPlotScaleRange {
    Double Min;
    Double Span;
};

// Told of the moves a scale makes with no report of its own (waiting points
// settled, a tracked move held back): its holder counts a change of look,
// so that the next paint lays out and makes ticks again.
class TkPlotScaleWatcher {
public:
    virtual void ScaleMovedUnreported() = 0;

protected:
    ~TkPlotScaleWatcher() = default;
};

class TkPlotAxisScale : private TkPlotWaitingScale {
public:
    // No scale end or span goes past this.
    static constexpr Double kMaxValue = 1e300;

    explicit TkPlotAxisScale(TkPlotScaleWatcher& Watcher) : FWatcher(Watcher) {}
    // A channel whose points wait for the scale tracks them by its other
    // scale alone from now on.
    ~TkPlotAxisScale();
    TkPlotAxisScale(const TkPlotAxisScale&) = delete;
    TkPlotAxisScale& operator=(const TkPlotAxisScale&) = delete;

    // --- the value (every reader settles first) ------------------------------------
    Double Min() const
    {
        Settle();
        return FMin;
    }
    Double Span() const
    {
        Settle();
        return FSpan;
    }
    Double Max() const
    {
        Settle();
        return FMin + FSpan;
    }
    Double Center() const
    {
        Settle();
        return FMin + FSpan / 2;
    }
    // Neither moves with the data.
    TkPlotScaleType Type() const { return FType; }
    bool IsLog() const { return FType == kpstLog10; }
    bool Reversed() const { return FReversed; }

    // --- changes: each settles first, and tells whether the scale changed -----------
    // Clamped to +-1e300; a NaN is ignored.
    bool SetMin(Double Value);
    // Clamped to 1e-300 .. 1e300 (0 and negative spans become 1e-300).
    bool SetSpan(Double Value);
    // Both at once, compared as they would be stored: a NaN keeps the part
    // as it is, a log scale takes 1 for a part not above 0, then the clamps.
    // Inline: tracking moves a scrolling scale at every point.
    bool SetMinSpan(Double NewMin, Double NewSpan)
    {
        Settle();
        Normalize(NewMin, NewSpan, FMin, FSpan, IsLog());
        if (NewMin == FMin && NewSpan == FSpan) return false;
        FMin = NewMin;
        FSpan = NewSpan;
        Changed();
        return true;
    }
    // Switching to log10 with Min <= 0 moves Min to 1.
    bool SetType(TkPlotScaleType Value);
    bool SetReversed(bool Value);
    // Calendar walks of the ticks need a scale inside the calendar: Min and
    // Span move into it and Increment grows to a day at least (a unit of
    // the scale: nothing).
    void ClampToCalendar(TkPlotIncrementUnit Unit, Double& Increment);

    // --- the pixel range and the map ---------------------------------------------------
    // The scale lies along the scale rectangle: across it when Horizontal,
    // else up it.
    void LayOut(const TRect& ScaleRect, bool Horizontal);
    const TRect& Rect() const { return FRect; }
    bool Horizontal() const { return FHorizontal; }
    // Pixels along the scale rectangle.
    Integer Length() const;
    // The conversions between values and pixels, current after every change
    // of the scale or of its pixel range. Made when first asked for after a
    // change: a scrolling axis moves with every tracked point, many times
    // between two paints.
    const TkPlotScaleMap& Map() const
    {
        Settle();
        if (FMapStale) RemakeMap();
        return FMap;
    }
    // Clamped to -32000 .. 32000; NaN maps to 32000 (off the scale). A log
    // scale maps a non-positive value like 1.
    Integer Pixel(Double Value) const { return Map().Pixel(Value); }
    Double Position(Integer Pixel) const { return Map().Position(Pixel); }
    // The value's pixel falls inside the scale rectangle.
    bool OnScale(Double Value) const { return Map().OnScale(Value); }
    Integer MinPixel() const { return Pixel(Min()); }
    Integer MaxPixel() const { return Pixel(Max()); }
    // Pixels that Width of scale units covers from Min.
    Integer WidthToPixels(Double Width) const;

    // --- tracking settings ---------------------------------------------------------------
    // Turned off, the scale follows no value; a change settles first, as
    // the changes of every setting below.
    bool TrackingEnabled() const { return FTrackingEnabled; }
    bool SetTrackingEnabled(bool Value) { return ChangeSetting(FTrackingEnabled, Value); }
    TkPlotTrackingStyle TrackingStyle() const { return FTrackingStyle; }
    bool SetTrackingStyle(TkPlotTrackingStyle Value) { return ChangeSetting(FTrackingStyle, Value); }
    // The style fits the scale to the channels' data at every value.
    bool TrackingFitsChannels() const
    {
        return FTrackingStyle == kptsExpandCollapse || FTrackingStyle == kptsExpandCollapseFast;
    }
    TkPlotTrackingIncrementStyle TrackingIncrementStyle() const { return FTrackingIncrementStyle; }
    bool SetTrackingIncrementStyle(TkPlotTrackingIncrementStyle Value)
    {
        return ChangeSetting(FTrackingIncrementStyle, Value);
    }
    TkPlotAlignFirstStyle TrackingAlignFirstStyle() const { return FTrackingAlignFirstStyle; }
    bool SetTrackingAlignFirstStyle(TkPlotAlignFirstStyle Value)
    {
        return ChangeSetting(FTrackingAlignFirstStyle, Value);
    }
    Double TrackingScrollCompressMax() const { return FTrackingScrollCompressMax; }
    bool SetTrackingScrollCompressMax(Double Value) { return ChangeSetting(FTrackingScrollCompressMax, Value); }
    Double TrackingSpanMinimum() const { return FTrackingSpanMinimum; }
    bool SetTrackingSpanMinimum(Double Value) { return ChangeSetting(FTrackingSpanMinimum, Value); }
    Double TrackingMaxMargin() const { return FTrackingMaxMargin; }
    bool SetTrackingMaxMargin(Double Value) { return ChangeSetting(FTrackingMaxMargin, Value); }
    Double TrackingMinMargin() const { return FTrackingMinMargin; }
    bool SetTrackingMinMargin(Double Value) { return ChangeSetting(FTrackingMinMargin, Value); }
    // The defaults of a kind of axis, before anything reads them.
    void SetTrackingDefaults(TkPlotTrackingStyle Style, TkPlotAlignFirstStyle AlignFirst);

    // --- resuming: the scale that turning tracking on brings back ------------------------
    bool RestoreValuesOnResume() const { return FRestoreValuesOnResume; }
    bool SetRestoreValuesOnResume(bool Value) { return SetIfDifferent(FRestoreValuesOnResume, Value, [] {}); }
    TkPlotScaleRange ResumeValues() const { return {FResumeMin, FResumeSpan}; }
    // The scale as it stands becomes the one to resume.
    void UpdateResumeValues();
    bool ResumeDiffers() const { return FResumeMin != Min() || FResumeSpan != Span(); }

    // --- the user's scrolling and zooming ---------------------------------------------------
    bool ScrollMinMaxEnabled() const { return FScrollMinMaxEnabled; }
    bool SetScrollMinMaxEnabled(bool Value) { return SetIfDifferent(FScrollMinMaxEnabled, Value, [] {}); }
    Double ScrollMax() const { return FScrollMax; }
    bool SetScrollMax(Double Value) { return SetIfDifferent(FScrollMax, Value, [] {}); }
    Double ScrollMin() const { return FScrollMin; }
    bool SetScrollMin(Double Value) { return SetIfDifferent(FScrollMin, Value, [] {}); }
    // The scale moved by Fraction of its span (log10: of its decades),
    // within the scroll limits when they are on.
    TkPlotScaleRange ScrolledBy(Double Fraction) const;
    // The span divided by 10^Exponent, about the centre (log10: Min times
    // and Span divided by it).
    TkPlotScaleRange ZoomedBy(Double Exponent) const;
    // Linear: the span times Factor about the centre (Factor > 0); log10:
    // Min divided and Span multiplied by 10^Factor.
    TkPlotScaleRange Zoomed(Double Factor) const;

    // --- tracking --------------------------------------------------------------------------
    // Tracking leaves the scale as it is for Value: tracking is off, or the
    // first value lined the scale up, the style follows outliers alone and
    // Value lies inside the scale (NaN never does). Every tracked point
    // asks, and most cost no more than this.
    bool LeavesScaleFor(Double Value) const
    {
        Settle();
        return InUntrackedRange(Value);
    }
    bool LeavesScaleFor(Double Low, Double High) const override
    {
        Settle();
        return InUntrackedRange(Low) && InUntrackedRange(High);
    }
    // The values of a run, settled once: Follow(V) for every value V that
    // Value(I, V) gives (false for a point not tracked) and tracking may
    // move the scale for, in order.
    template <class V, class F>
    void ForEachMovingValue(Integer Count, V Value, F Follow)
    {
        Settle();
        Double value = 0;
        for (Integer i = 0; i < Count; ++i)
            if (Value(i, value) && !InUntrackedRange(value)) Follow(value);
    }
    // True, once, for the first value after ResetFirstAlign: it lines the
    // scale up, later ones move it by the style.
    bool TakeFirstAlign()
    {
        Settle();
        if (FFirstAlignDone) return false;
        FFirstAlignDone = true;
        UpdateUntrackedRange();
        return true;
    }
    // The next tracked value aligns the scale again.
    void ResetFirstAlign();
    // The move the style makes for Value, taken at once and unreported,
    // where the first value lined the scale up and the style follows
    // outliers alone (no snap, span minimum or margin applies); false,
    // and nothing moved, elsewhere (kPlotAxisTracking.cpp).
    bool KeepTrackedMove(Double Value);

    // --- waiting points ----------------------------------------------------------------------
    // Source's points may wait for the scale when tracking is off, or the
    // first value lined the scale up and the style follows outliers alone,
    // so that a waiting value moves the scale only as TakeWaitingValues
    // replays it: the part of the scale that takes them, else nullptr.
    // Another channel's waiting points are settled first: the scale takes
    // the values of one channel's points at a time, in order.
    TkPlotWaitingScale* HoldWaiting(TkPlotWaitingPoints& Source);

private:
    // The scale as tracking moves it, held apart while values are replayed
    // (kPlotAxisTracking.cpp); the scale takes it unreported.
    struct THeldScale;

    // The points that wait for this scale are tracked first.
    void Settle() const
    {
        if (FWaiting) [[unlikely]]
            FWaiting->SettleWaitingPoints();
    }
    template <class T>
    bool ChangeSetting(T& Field, T Value)
    {
        Settle();
        if (!SetIfDifferent(Field, Value, [] {})) return false;
        UpdateFollowsOnlyOutliers();
        return true;
    }
    // No setting moves the scale for a value inside it: the style reacts
    // only to values outside, and no snap, span minimum or margin applies.
    // Kept as a flag, since every tracked point asks.
    void UpdateFollowsOnlyOutliers();
    bool InUntrackedRange(Double Value) const { return Value >= FUntrackedLow && Value <= FUntrackedHigh; }
    // The range above follows the scale and the tracking settings.
    void UpdateUntrackedRange()
    {
        constexpr Double infinity = std::numeric_limits<Double>::infinity();
        if (!FTrackingEnabled) {
            FUntrackedLow = -infinity;
            FUntrackedHigh = infinity;
        } else if (FFirstAlignDone && FFollowsOnlyOutliers) {
            FUntrackedLow = FMin;
            FUntrackedHigh = FMin + FSpan;
        } else {
            FUntrackedLow = infinity;
            FUntrackedHigh = -infinity;
        }
    }
    // Every change of the scale or of its pixel range passes here.
    void Changed()
    {
        FMapStale = true;
        UpdateUntrackedRange();
    }
    void RemakeMap() const;
    // Min or Span (Part) set to Value, clamped: a NaN is ignored.
    bool SetPart(Double& Part, Double Value, Double (*Clamp)(Double));
    void Take(const THeldScale& Scale);
    // The scale a request for NewMin and NewSpan gives, from the scale
    // OldMin, OldSpan (SetMinSpan).
    static void Normalize(Double& NewMin, Double& NewSpan, Double OldMin, Double OldSpan, bool Log)
    {
        if (std::isnan(NewMin)) NewMin = OldMin;
        if (std::isnan(NewSpan)) NewSpan = OldSpan;
        if (Log) {
            if (NewMin <= 0) NewMin = 1;
            if (NewSpan <= 0) NewSpan = 1;
        }
        NewMin = ClampMin(NewMin);
        NewSpan = ClampSpan(NewSpan);
    }
    static Double ClampMin(Double Value) { return EnsureRange(Value, -kMaxValue, kMaxValue); }
    static Double ClampSpan(Double Value) { return EnsureRange(Value, TkPlotScaleMap::kMinSpan, kMaxValue); }

    // --- TkPlotWaitingScale ---
    void ReleaseWaiting(const TkPlotWaitingPoints& Source) override
    {
        if (FWaiting == &Source) FWaiting = nullptr;
    }
    void TakeWaitingValues(std::span<const Double> Values, const TkPlotDataPointStatus* Status) override;

    TkPlotScaleWatcher& FWatcher;
    // The channel whose points wait for this scale; it settles them through
    // a pointer of its own.
    TkPlotWaitingPoints* FWaiting = nullptr;

    Double FMin = 0;
    Double FSpan = 100;
    TkPlotScaleType FType = kpstLinear;
    bool FReversed = false;
    TRect FRect;
    bool FHorizontal = true;
    // The map of the scale as it stands: a cache, made again when read
    // after a change.
    mutable TkPlotScaleMap FMap;
    mutable bool FMapStale = true;

    bool FTrackingEnabled = true;
    TkPlotTrackingStyle FTrackingStyle = kptsScaleMinMax;
    TkPlotTrackingIncrementStyle FTrackingIncrementStyle = kptisMinimum;
    TkPlotAlignFirstStyle FTrackingAlignFirstStyle = kpafsNone;
    Double FTrackingScrollCompressMax = 0;
    Double FTrackingSpanMinimum = 0;
    Double FTrackingMaxMargin = 0;
    Double FTrackingMinMargin = 0;
    bool FFollowsOnlyOutliers = true;
    bool FFirstAlignDone = false;
    // The values that tracking leaves the scale alone for, kept so that the
    // check of each new point is two comparisons: the scale once the first
    // value lined it up and the style follows outliers alone, every value
    // while tracking is off, none otherwise.
    Double FUntrackedLow = std::numeric_limits<Double>::infinity();
    Double FUntrackedHigh = -std::numeric_limits<Double>::infinity();

    bool FRestoreValuesOnResume = true;
    Double FResumeMin = 0;
    Double FResumeSpan = 100;

    bool FScrollMinMaxEnabled = false;
    Double FScrollMax = 100;
    Double FScrollMin = 0;
};

// The maps of a paint's own scales (which must be there).
inline const TkPlotScaleMap& XScaleMap(const TkPlotPaintContext& Context) { return Context.XScale->Map(); }
inline const TkPlotScaleMap& YScaleMap(const TkPlotPaintContext& Context) { return Context.YScale->Map(); }
// Narrows the canvas's clip to the rectangle that the paint's own two
// scales span (both must be there).
void ClipCanvasToAxes(const TkPlotPaintContext& Context);
