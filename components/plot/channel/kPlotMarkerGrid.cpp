#include "components/plot/channel/kPlotMarkerGrid.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

void TkPlotMarkerGrid::Reset(const TkPlotMarkerGridStamp& Stamp)
{
    FStamp = Stamp;
    FBuilt = false;
    FCellSize = Integer(std::clamp<Int64>(Int64{Stamp.Reach} * 2 + 1, 1, INT32_MAX));
    FEntries.clear();
}

void TkPlotMarkerGrid::Add(Integer Index, Integer AlongX, Integer AlongY)
{
    FEntries.push_back({CellOf(AlongX, AlongY), Index, AlongX, AlongY});
}

void TkPlotMarkerGrid::Finish()
{
    FBuilt = true;
    std::sort(FEntries.begin(), FEntries.end(), [](const TEntry& A, const TEntry& B) {
        return std::tie(A.Cell, A.Index) < std::tie(B.Cell, B.Index);
    });
}

// Floor division: cells do not double up around pixel 0.
Integer TkPlotMarkerGrid::CellCoordinate(Integer Pixel) const
{
    const Integer q = Pixel / FCellSize;
    return Pixel % FCellSize < 0 ? q - 1 : q;
}

std::int64_t TkPlotMarkerGrid::CellOf(Integer AlongX, Integer AlongY) const
{
    return (std::int64_t{CellCoordinate(AlongX)} << 32) + std::uint32_t(CellCoordinate(AlongY));
}

void TkPlotMarkerGrid::Near(Integer AlongX, Integer AlongY, Integer Reach, std::vector<Integer>& Indices) const
{
    Indices.clear();
    const auto cellRange = [this, Reach](Integer Along) {
        const auto clamp = [](Int64 V) { return Integer(std::clamp<Int64>(V, INT32_MIN, INT32_MAX)); };
        return std::pair{CellCoordinate(clamp(Int64{Along} - Reach)), CellCoordinate(clamp(Int64{Along} + Reach))};
    };
    const auto [x0, x1] = cellRange(AlongX);
    const auto [y0, y1] = cellRange(AlongY);
    for (Int64 cx = x0; cx <= x1; ++cx)
        for (Int64 cy = y0; cy <= y1; ++cy) {
            const std::int64_t cell = (cx << 32) + std::uint32_t(Integer(cy));
            auto it = std::lower_bound(FEntries.begin(), FEntries.end(), cell,
                                       [](const TEntry& E, std::int64_t C) { return E.Cell < C; });
            for (; it != FEntries.end() && it->Cell == cell; ++it)
                if (std::abs(Int64{it->AlongX} - AlongX) <= Reach && std::abs(Int64{it->AlongY} - AlongY) <= Reach)
                    Indices.push_back(it->Index);
        }
    std::sort(Indices.begin(), Indices.end());
}
