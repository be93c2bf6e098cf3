// Operations on the data of all channels at once.

#include <vector>

#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/component/kPlotComponent.h"
#include "components/plot/objects/kPlotMasterManager.h"
#include "platform/SysUtils.h"
#include "platform/Variants.h"

namespace {

struct TPendingPoint {
    TkPlotChannelCustom* Channel;
    bool Null;
    bool Empty;
    Double X;
    Double Y;
};

// The marker values of a one-dimensional row: a null or an empty point.
bool IsNullMarker(Double V) { return V > 1e-301 && V < 1e-300; }
bool IsEmptyMarker(Double V) { return V > 1e-302 && V < 1e-301; }

void AddAll(const std::vector<TPendingPoint>& Points)
{
    for (const TPendingPoint& p : Points) p.Channel->AddPoint(p.Null, p.Empty, p.X, p.Y);
}

}  // namespace

void TkPlotComponent::ClearAllData()
{
    if (FLoggingActive) LogDeactivate();
    Master().ClearAllData();
}

void TkPlotComponent::AddDataArray(Double XValue, const Variant& Data)
{
    const Integer dims = VarIsArray(Data) ? VarArrayDimCount(Data) : 0;
    if (dims != 1 && dims != 2) throw Exception("Data Array must be 1 or 2 Dimensions");
    const Integer low = VarArrayLowBound(Data, 1);
    const Integer high = VarArrayHighBound(Data, 1);
    // Checked first: a channel index or an element that fails part-way would
    // leave the channels with rows of different lengths.
    for (Integer i = low; i <= high; ++i)
        if (i < 0 || i >= ChannelCount()) throw Exception(Format("Data Array index %d has no channel", i));
    std::vector<TPendingPoint> points;
    if (dims == 1) {
        for (Integer i = low; i <= high; ++i) {
            const Double v = VarToDouble(Data.GetElement({i}));
            points.push_back({GetChannel(i), IsNullMarker(v), IsEmptyMarker(v), XValue, v});
        }
    } else {
        std::vector<Double> lastX;
        for (Integer i = low; i <= high; ++i) {
            const TkPlotChannelCustom* channel = GetChannel(i);
            lastX.push_back(channel->Count() == 0 ? -XValue : channel->GetXValue(channel->IndexLast()));
        }
        for (Integer j = VarArrayLowBound(Data, 2); j <= VarArrayHighBound(Data, 2); ++j)
            for (Integer i = low; i <= high; ++i) {
                Double& x = lastX[size_t(i - low)];
                x += XValue;
                points.push_back({GetChannel(i), false, false, x, VarToDouble(Data.GetElement({i, j}))});
            }
    }
    for (TPendingPoint& p : points)
        if (p.Null || p.Empty) p.Y = 0;
    AddAll(points);
    LogRowsAdded(dims == 1 ? 1 : VarArrayHighBound(Data, 2) - VarArrayLowBound(Data, 2) + 1);
}

void TkPlotComponent::TransferChannelData(Integer SourceIndex, Integer DestinationIndex, Integer StartIndex,
                                          Integer StopIndex)
{
    TkPlotChannelCustom* source = GetChannel(SourceIndex);
    TkPlotChannelCustom* destination = GetChannel(DestinationIndex);
    if (StartIndex < 0) throw Exception("Start Index Must be 0 or Greater");
    if (StopIndex > source->IndexLast()) throw Exception("StopIndex Must Out Of Range");
    // Read first: onto itself, a ring store would shift the range while it
    // is read.
    std::vector<TPendingPoint> points;
    for (Integer i = StartIndex; i <= StopIndex; ++i)
        points.push_back({destination, source->GetNull(i), source->GetEmpty(i), source->GetXValue(i),
                          source->GetYValue(i)});
    AddAll(points);
}

Double TkPlotComponent::GetNow() const { return Now(); }
