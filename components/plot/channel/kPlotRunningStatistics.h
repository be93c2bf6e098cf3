#pragma once
// The running statistics of a channel: count, extremes, totals and means of
// every point it was given since its last Clear, null and empty points
// included, so that none of them costs a scan of the points.
//
// The totals are sums in extended precision, in the order the points came.
// The values of points that the store keeps exactly join them when the
// totals are next read, or before a ring buffer overwrites the oldest of
// them: summed from the store in the same order, they give the same totals,
// and adding points costs no extended-precision arithmetic at all.

#include <limits>

#include "components/plot/objects/kPlotHostServices.h"
#include "components/plot/store/kPlotDataList.h"
#include "platform/Types.h"

// A point's X and Y side by side, in the compiler's vector extension: each
// comparison and selection below is one vector instruction for both.
using TkPlotXYPair = Double __attribute__((vector_size(16)));

// The lowest and the highest X and Y of points, each as a point-by-point
// scan finds it: a value takes an extreme only when beyond it, so that a
// NaN takes none and the first of equal extremes stands.
struct TkPlotXYExtremes {
    TkPlotXYPair Low = {1e300, 1e300};
    TkPlotXYPair High = {-1e300, -1e300};

    void Take(Double X, Double Y) { Widen(TkPlotXYPair{X, Y}, TkPlotXYPair{X, Y}); }
    void Widen(TkPlotXYPair ALow, TkPlotXYPair AHigh)
    {
        High = AHigh > High ? AHigh : High;
        Low = ALow < Low ? ALow : Low;
    }
    TkPlotExtents X() const { return {Low[0], High[0]}; }
    TkPlotExtents Y() const { return {Low[1], High[1]}; }
};

// The extremes of a run's X and Y, of every point and of its valid points
// alone; each as a point-by-point scan in the run's order finds it (the first
// of equal extremes, so a zero keeps its sign).
struct TkPlotRunExtents {
    TkPlotExtents X;
    TkPlotExtents Y;
    TkPlotExtents ValidX;
    TkPlotExtents ValidY;
};
TkPlotRunExtents RunExtentsOf(std::span<const TkPlotNewPoint> Points);

class TkPlotRunningStatistics {
public:
    TkPlotRunningStatistics() { Reset(); }
    // No point: minima 1e300, maxima -1e300, means 0.
    void Reset();

    // A new point whose values join the totals at once.
    void Add(Double X, Double Y)
    {
        Count(X, Y);
        FXTotal += X;
        FYTotal += Y;
    }
    // A new point that Store keeps exactly, as its newest, until the
    // totals take it in. Every change of Store but the adding of points
    // waits for SumStored.
    void AddStored(Double X, Double Y, const TkPlotDataCustomList& Store)
    {
        Count(X, Y);
        if (++FUnsummed >= UnsummedLimit(Store)) SumStored(Store);
    }
    // AddStored for a store that overwrites none of its points (no ring).
    void AddStoredToGrowingStore(Double X, Double Y)
    {
        Count(X, Y);
        ++FUnsummed;
    }
    // New points, in order, whose values join the totals at once; none
    // may be waiting in the store. Extents: RunExtentsOf(Points).
    void AddRun(std::span<const TkPlotNewPoint> Points, const TkPlotRunExtents& Extents);
    // The points that wait in Store join the totals.
    void SumStored(const TkPlotDataCustomList& Store) const;

    Int64 PointCount() const { return FCount; }
    Double XMin() const { return FExtremes.Low[0]; }
    Double XMax() const { return FExtremes.High[0]; }
    Double YMin() const { return FExtremes.Low[1]; }
    Double YMax() const { return FExtremes.High[1]; }
    // The mean of the totals, worked out once after new points came.
    Double XMean(const TkPlotDataCustomList& Store) const { return SettledMean(FXMean, FXMeanCount, FXTotal, Store); }
    Double YMean(const TkPlotDataCustomList& Store) const { return SettledMean(FYMean, FYMeanCount, FYTotal, Store); }

    // The answers of scans of the points, which stand as the running values
    // (a mean until the next point comes).
    void SetXMin(Double Value) { FExtremes.Low[0] = Value; }
    void SetXMax(Double Value) { FExtremes.High[0] = Value; }
    void SetYMin(Double Value) { FExtremes.Low[1] = Value; }
    void SetYMax(Double Value) { FExtremes.High[1] = Value; }
    void SetXMean(Double Value);
    void SetYMean(Double Value);

    // Total / Count, or 0 without points.
    static Double Mean(Extended Total, Int64 Count)
    {
        return Count == 0 ? 0.0 : static_cast<Double>(Total / static_cast<Extended>(Count));
    }

private:
    void Count(Double X, Double Y)
    {
        FExtremes.Take(X, Y);
        ++FCount;
    }
    // Never as many waiting points as a ring buffer holds: the point a full
    // ring overwrites has always joined the totals, summed by blocks still
    // in the caches. A store that only grows keeps every point until the
    // totals are read.
    static Integer UnsummedLimit(const TkPlotDataCustomList& Store)
    {
        const Integer ring = Store.RingBufferSize();
        if (ring == 0) return std::numeric_limits<Integer>::max();
        return ring < kRingSumBlock ? ring : kRingSumBlock;
    }
    Double SettledMean(Double& Mean, Int64& MeanCount, const Extended& Total, const TkPlotDataCustomList& Store) const;

    static constexpr Integer kRingSumBlock = 1024;

    Int64 FCount = 0;
    TkPlotXYExtremes FExtremes;
    mutable Extended FXTotal = 0.0;
    mutable Extended FYTotal = 0.0;
    // A mean holds for the count it was worked out at; new points make it
    // due again.
    mutable Double FXMean = 0.0;
    mutable Double FYMean = 0.0;
    mutable Int64 FXMeanCount = 0;
    mutable Int64 FYMeanCount = 0;
    // The newest points of the store, counted but not in the totals yet.
    mutable Integer FUnsummed = 0;
};
