// A data cursor on a time plot: pointers that land on data points, and the
// Y value read at any X by borrowing the cursor for a moment.

#include <algorithm>
#include <cmath>
#include <limits>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "platform/Messages.h"
#include "platform/System.h"

namespace {

constexpr Int64 kPageStep = 5;

struct TSnapTarget {
    TkPlotChannelCustom* Channel = nullptr;
    Integer ChannelIndex = -1;
    Integer Index = -1;
};

}  // namespace

bool TkPlotDataCursor::Snapping() const
{
    return FSnapToDataPoint && FStyle != kpcsDeltaY && Host().Objects && Host().Objects->IsTkPlot();
}

void TkPlotDataCursor::DoSnapToDataPoint()
{
    SnapPointer(0);
    SnapPointer(1);
}

// Reading every channel, the channel whose nearest point lies closest in X
// wins.
bool TkPlotDataCursor::SnapPointer(std::size_t Pointer, Int64 Offset)
{
    const TkPlotObjectsHost* plot = Host().Objects;
    if (!Snapping() || !plot) return false;
    const bool all = ReadsAllChannels();
    TSnapTarget best;
    Double bestDistance = 0;
    for (Integer c = 0; c < plot->ChannelCount(); ++c) {
        TkPlotChannelCustom* channel = plot->GetChannel(c);
        if (!channel->XAxis() || (!all && channel != GetChannel())) continue;
        const Double x = channel->XAxis()->PercentToPosition(FPointerPositions[Pointer] / 100);
        const Integer index = channel->NearestPointIndex(x);
        if (index < 0) continue;
        const Double distance = std::fabs(channel->GetXValue(index) - x);
        if (best.Channel && !(distance < bestDistance)) continue;
        best = {channel, c, index};
        bestDistance = distance;
    }
    if (!best.Channel) return false;
    TkPlotXAxis& axis = *best.Channel->XAxis();
    const Int64 step = axis.ReverseScale() ? -Offset : Offset;
    const Integer index = Integer(std::clamp<Int64>(Int64{best.Index} + step, 0, best.Channel->Count() - 1));
    FSnapToIndexChannel = best.ChannelIndex;
    FSnapToIndexData = index;
    // A point off the scale brings the scale to it, a fortieth of the span
    // inside its edge.
    const Double x = best.Channel->GetXValue(index);
    if (x > axis.Max()) axis.SetMin(x - axis.Span() + axis.Span() / 40);
    if (x < axis.Min()) axis.SetMin(x - axis.Span() / 40);
    SetPercent(FPointerPositions[Pointer], axis.PositionToPercent(x) * 100);
    return true;
}

void TkPlotDataCursor::ToggleSnapToDataPoint()
{
    FSnapToDataPoint = !FSnapToDataPoint;
    DoSnapToDataPoint();
    DoChange();
}

bool TkPlotDataCursor::MoveBySnapKey(Word Key, std::size_t Pointer)
{
    const bool horizontal = FPointerHorizontal[Pointer];
    const Int64 all = std::numeric_limits<Integer>::max();
    Int64 offset = 0;
    if (Key == VK_PRIOR) offset = kPageStep;
    else if (Key == VK_NEXT) offset = -kPageStep;
    else if (Key == VK_END) offset = all;
    else if (Key == VK_HOME) offset = -all;
    else if (Key == (horizontal ? VK_UP : VK_RIGHT)) offset = 1;
    else if (Key == (horizontal ? VK_DOWN : VK_LEFT)) offset = -1;
    else return false;
    if (!SnapPointer(Pointer, offset)) return false;
    DoChange();
    return true;
}

// Every change is undone on the way out, also when reading raises, so no
// axis event stays blocked. The readout itself stays (and its change event
// fires), as a cursor update always leaves it.
TkPlotDataPointStatus TkPlotDataCursor::GetInterpolatedYValue(const String& ChannelName, Double XValue,
                                                              Double& YValue)
{
    YValue = 0;
    TkPlotObjectsHost* plot = Host().Objects;
    // No X is no value anywhere on the trace.
    if (!plot || !plot->IsTkPlot() || std::isnan(XValue)) return kpdpsEmpty;
    const TkPlotNameIndex* channels = plot->NameIndex(kpokChannel);
    auto* channel = channels ? static_cast<TkPlotChannelCustom*>(channels->Find(ChannelName)) : nullptr;
    if (!channel || !channel->XAxis()) return kpdpsEmpty;
    TkPlotXAxis& axis = *channel->XAxis();
    const Double savedMin = axis.Min();
    const bool savedBlock = axis.BlockMinSpanEvents();
    axis.SetBlockMinSpanEvents(true);
    const TScopeExit restoreAxis([&axis, savedMin, savedBlock] {
        axis.SetMin(savedMin);
        axis.SetBlockMinSpanEvents(savedBlock);
    });
    const TScopeExit name([this, saved = FChannel.Name()] { FChannel.SetName(saved); });
    const TRestoreScope<Double> pointer(FPointerPositions[0]);
    // The orientation follows the restored style: its guard goes first.
    const TScopeExit orientation([this] { UpdatePointerOrientation(); });
    const TRestoreScope<TkPlotDataCursorStyle> style(FStyle);
    FChannel.SetName(channel->Name());
    FStyle = kpcsValueXY;
    UpdatePointerOrientation();
    if (FUseCachedInterpolatedData) {
        SetPercent(FPointerPositions[0], axis.PositionToPercent(XValue) * 100);
    } else {
        FPointerPositions[0] = 0;
        axis.SetMin(XValue);
    }
    ReadChannel(*channel);
    YValue = FValueY;
    return FStatus;
}
