#include "components/plot/channel/kPlotRunningStatistics.h"

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

// Everything stays in locals through the loop: the same comparisons and
// additions as one point at a time, without a trip through memory for each.
void TkPlotRunningStatistics::AddRun(std::span<const TkPlotNewPoint> Points)
{
    Double xMin = FXMin;
    Double xMax = FXMax;
    Double yMin = FYMin;
    Double yMax = FYMax;
    Extended xTotal = FXTotal;
    Extended yTotal = FYTotal;
    for (const TkPlotNewPoint& point : Points) {
        const Double x = point.X;
        const Double y = point.Y;
        if (x > xMax) xMax = x;
        if (x < xMin) xMin = x;
        if (y > yMax) yMax = y;
        if (y < yMin) yMin = y;
        xTotal += x;
        yTotal += y;
    }
    FXMin = xMin;
    FXMax = xMax;
    FYMin = yMin;
    FYMax = yMax;
    FXTotal = xTotal;
    FYTotal = yTotal;
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
