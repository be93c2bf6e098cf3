#include "components/plot/channel/kPlotRunningStatistics.h"

#include <bit>
#include <cstdint>

namespace {

constexpr Double kMinStart = 1e300;
constexpr Double kMaxStart = -1e300;

}  // namespace

void TkPlotRunningStatistics::Reset()
{
    FCount = 0;
    FXMin = kMinStart;
    FXMax = kMaxStart;
    FYMin = kMinStart;
    FYMax = kMaxStart;
    FXTotal = 0.0;
    FYTotal = 0.0;
    FXMean = 0.0;
    FYMean = 0.0;
    FXMeanCount = 0;
    FYMeanCount = 0;
    FUnsummed = 0;
}

namespace {

// One lane of RunExtentsOf: the comparisons of a point-by-point scan,
// without a branch.
struct TRunExtentsLane {
    TkPlotRunExtents Extents;
    static void Widen(TkPlotExtents& Extents, Double Value, bool Take)
    {
        Extents.Low = Take && Value < Extents.Low ? Value : Extents.Low;
        Extents.High = Take && Value > Extents.High ? Value : Extents.High;
    }
    void Take(const TkPlotNewPoint& Point)
    {
        const bool valid = Point.Kind == TkPlotPointKind::Valid;
        Widen(Extents.X, Point.X, true);
        Widen(Extents.Y, Point.Y, true);
        Widen(Extents.ValidX, Point.X, valid);
        Widen(Extents.ValidY, Point.Y, valid);
    }
};

bool SameBits(Double A, Double B) { return std::bit_cast<std::uint64_t>(A) == std::bit_cast<std::uint64_t>(B); }

// The extremes of two lanes join as one scan finds them, unless the lanes
// hold equal extremes of different bits (+0 and -0), whose order only a
// scan tells.
bool JoinLanes(TkPlotExtents& Into, const TkPlotExtents& Other)
{
    if (Other.Low == Into.Low && !SameBits(Other.Low, Into.Low)) return false;
    if (Other.High == Into.High && !SameBits(Other.High, Into.High)) return false;
    Into.Widen(Other.Low, Other.High);
    return true;
}

}  // namespace

TkPlotRunExtents RunExtentsOf(std::span<const TkPlotNewPoint> Points)
{
    // Two lanes, so that no comparison waits for the one before.
    TRunExtentsLane even, odd;
    std::size_t i = 0;
    for (; i + 2 <= Points.size(); i += 2) {
        even.Take(Points[i]);
        odd.Take(Points[i + 1]);
    }
    if (i < Points.size()) odd.Take(Points[i]);
    TkPlotRunExtents& joined = even.Extents;
    const TkPlotRunExtents& other = odd.Extents;
    if (JoinLanes(joined.X, other.X) && JoinLanes(joined.Y, other.Y) && JoinLanes(joined.ValidX, other.ValidX) &&
        JoinLanes(joined.ValidY, other.ValidY))
        return joined;
    TRunExtentsLane one;
    for (const TkPlotNewPoint& point : Points) one.Take(point);
    return one.Extents;
}

// The totals stay in locals through the loop: the same additions as one
// point at a time, without a trip through memory for each.
void TkPlotRunningStatistics::AddRun(std::span<const TkPlotNewPoint> Points, const TkPlotRunExtents& Extents)
{
    Extended xTotal = FXTotal;
    Extended yTotal = FYTotal;
    for (const TkPlotNewPoint& point : Points) {
        xTotal += point.X;
        yTotal += point.Y;
    }
    FXTotal = xTotal;
    FYTotal = yTotal;
    if (Extents.X.High > FXMax) FXMax = Extents.X.High;
    if (Extents.X.Low < FXMin) FXMin = Extents.X.Low;
    if (Extents.Y.High > FYMax) FYMax = Extents.Y.High;
    if (Extents.Y.Low < FYMin) FYMin = Extents.Y.Low;
    FCount += static_cast<Int64>(Points.size());
}

void TkPlotRunningStatistics::SumStored(const TkPlotDataCustomList& Store) const
{
    if (FUnsummed == 0) return;
    Store.SumXY(Store.Count() - FUnsummed, FUnsummed, FXTotal, FYTotal);
    FUnsummed = 0;
}

void TkPlotRunningStatistics::SetXMean(Double Value)
{
    FXMean = Value;
    FXMeanCount = FCount;
}

void TkPlotRunningStatistics::SetYMean(Double Value)
{
    FYMean = Value;
    FYMeanCount = FCount;
}

Double TkPlotRunningStatistics::SettledMean(Double& Mean, Int64& MeanCount, const Extended& Total,
                                            const TkPlotDataCustomList& Store) const
{
    if (MeanCount != FCount) {
        SumStored(Store);
        Mean = TkPlotRunningStatistics::Mean(Total, FCount);
        MeanCount = FCount;
    }
    return Mean;
}
