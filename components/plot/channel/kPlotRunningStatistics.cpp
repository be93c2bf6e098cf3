#include "components/plot/channel/kPlotRunningStatistics.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

void TkPlotRunningStatistics::Reset()
{
    FCount = 0;
    FExtremes = {};
    FXTotal = 0.0;
    FYTotal = 0.0;
    FXMean = 0.0;
    FYMean = 0.0;
    FXMeanCount = 0;
    FYMeanCount = 0;
    FUnsummed = 0;
}

namespace {

using TXYMask = Int64 __attribute__((vector_size(16)));

// The extremes of the points one scan took, all and valid ones.
struct TRunExtentsLane {
    TkPlotXYExtremes All;
    TkPlotXYExtremes Valid;

    void Take(const TkPlotNewPoint& Point)
    {
        TkPlotXYPair xy;
        std::memcpy(&xy, &Point.X, sizeof xy);
        static_assert(offsetof(TkPlotNewPoint, Y) == offsetof(TkPlotNewPoint, X) + sizeof(Double));
        All.Widen(xy, xy);
        // All bits set: a NaN, which no extreme takes.
        const TXYMask passOver = Point.Kind == TkPlotPointKind::Valid ? TXYMask{} : ~TXYMask{};
        const auto valid = reinterpret_cast<TkPlotXYPair>(reinterpret_cast<TXYMask>(xy) | passOver);
        Valid.Widen(valid, valid);
    }
    TkPlotRunExtents Extents() const { return {All.X(), All.Y(), Valid.X(), Valid.Y()}; }
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
    TkPlotRunExtents joined = even.Extents();
    const TkPlotRunExtents other = odd.Extents();
    if (JoinLanes(joined.X, other.X) && JoinLanes(joined.Y, other.Y) && JoinLanes(joined.ValidX, other.ValidX) &&
        JoinLanes(joined.ValidY, other.ValidY))
        return joined;
    TRunExtentsLane one;
    for (const TkPlotNewPoint& point : Points) one.Take(point);
    return one.Extents();
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
    FExtremes.Widen(TkPlotXYPair{Extents.X.Low, Extents.Y.Low}, TkPlotXYPair{Extents.X.High, Extents.Y.High});
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
