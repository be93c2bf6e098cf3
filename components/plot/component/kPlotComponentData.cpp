// Operations on the data of all channels at once.

#include <vector>

#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/component/kPlotComponent.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/component/kPlotRoles.h"
#include "platform/SysUtils.h"
#include "platform/Variants.h"

namespace {

struct TPendingPoint {
    bool Null;
    bool Empty;
    Double X;
    Double Y;
};

// The marker values of a one-dimensional row: a null or an empty point.
bool IsNullMarker(Double V) { return V > 1e-301 && V < 1e-300; }
bool IsEmptyMarker(Double V) { return V > 1e-302 && V < 1e-301; }

TkPlotNewPoint RowPoint(Double X, Double V)
{
    if (IsNullMarker(V)) return {X, 0, TkPlotPointKind::Null};
    if (IsEmptyMarker(V)) return {X, 0, TkPlotPointKind::Empty};
    return {X, V};
}

}  // namespace

void TkPlotComponent::ClearAllData()
{
    if (FRoles->Log.Active()) FRoles->Log.Deactivate();
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
    std::vector<TkPlotChannelCustom*> channels;
    std::vector<std::vector<TkPlotNewPoint>> columns;
    for (Integer i = low; i <= high; ++i) {
        TkPlotChannelCustom* channel = GetChannel(i);
        channels.push_back(channel);
        std::vector<TkPlotNewPoint>& column = columns.emplace_back();
        if (dims == 1) {
            column.push_back(RowPoint(XValue, VarToDouble(Data.GetElement({i}))));
            continue;
        }
        Double x = channel->Count() == 0 ? -XValue : channel->GetXValue(channel->IndexLast());
        for (Integer j = VarArrayLowBound(Data, 2); j <= VarArrayHighBound(Data, 2); ++j) {
            x += XValue;
            column.push_back({x, VarToDouble(Data.GetElement({i, j}))});
        }
    }
    const std::vector<std::span<const TkPlotNewPoint>> columnSpans(columns.begin(), columns.end());
    TkPlotChannelCustom::AddPointRows(channels, columnSpans);
    FRoles->Log.RowsAdded(dims == 1 ? 1 : VarArrayHighBound(Data, 2) - VarArrayLowBound(Data, 2) + 1);
}

void TkPlotComponent::TransferChannelData(Integer SourceIndex, Integer DestinationIndex, Integer StartIndex,
                                          Integer StopIndex)
{
    TkPlotChannelCustom* source = GetChannel(SourceIndex);
    TkPlotChannelCustom* destination = GetChannel(DestinationIndex);
    if (StartIndex < 0) throw Exception("Start Index Must be 0 or Greater");
    if (StopIndex > source->IndexLast()) throw Exception("StopIndex Must Out Of Range");
    // Read first: onto itself, a ring store would shift the range while it
    // is read. A point may be null and empty at once: each goes in with
    // both its flags.
    std::vector<TPendingPoint> points;
    for (Integer i = StartIndex; i <= StopIndex; ++i)
        points.push_back({source->GetNull(i), source->GetEmpty(i), source->GetXValue(i), source->GetYValue(i)});
    for (const TPendingPoint& p : points) destination->AddPoint(p.Null, p.Empty, p.X, p.Y);
}

Double TkPlotComponent::GetNow() const { return Now(); }

void TkPlotComponent::SettleWaitingPoints()
{
    for (Integer i = 0; i < ChannelCount(); ++i) GetChannel(i)->SettleWaitingPoints();
}

void TkPlotComponent::EndUpdate()
{
    SettleWaitingPoints();
    TkComponent::EndUpdate();
}
