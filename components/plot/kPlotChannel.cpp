#include "components/plot/kPlotChannel.h"

#include "components/plot/kPlotChannelOPC.h"

#include <algorithm>

namespace {

constexpr Double ExtentMinStart = 1e300;
constexpr Double ExtentMaxStart = -1e300;

}  // namespace

TClass TkPlotChannel::StaticClassInfo()
{
    static const TClassInfo info =
        PublishChannelOPC(TClassBuilder<TkPlotChannel, TkPlotChannelCustom>("TkPlotChannel"), true).Build();
    return &info;
}

TkPlotChannel::TkPlotChannel(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                             TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TkPlotChannelCustom(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                          std::move(AOnRename))
{
    OPCLink()->SetTimeChannel(true);
}

bool TkPlotChannel::XIncreasing() const { return Count() <= 2 || GetXValue(1) >= GetXValue(0); }

Integer TkPlotChannel::SearchX(Double Key) const
{
    const bool increasing = XIncreasing();
    Integer lo = 0;
    Integer hi = Count() - 1;
    Integer mid = -1;
    while (hi >= lo) {
        mid = lo + (hi - lo) / 2;
        const Double x = GetXValue(mid);
        if (x == Key) break;
        if (increasing ? x < Key : x > Key)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return mid;
}

Integer TkPlotChannel::ClampIndex(Integer Index) const { return std::clamp(Index, 0, Count() - 1); }

void TkPlotChannel::CalcStartIndex()
{
    TkPlotXAxis* axis = XAxis();
    if (!axis || Count() == 0) return SetDrawStartIndex(-1);
    // The scale end where the data begins.
    const Double edge = XIncreasing() ? axis->Min() : axis->Max();
    Integer index = SearchX(edge);
    const Double x = GetXValue(index);
    if (XIncreasing() ? x > edge : x < edge) --index;
    SetDrawStartIndex(ClampIndex(index));
}

void TkPlotChannel::CalcStopIndex()
{
    TkPlotXAxis* axis = XAxis();
    if (!axis || Count() == 0) return SetDrawStopIndex(-1);
    const Double edge = XIncreasing() ? axis->Max() : axis->Min();
    Integer index = SearchX(edge);
    const Double x = GetXValue(index);
    if (XIncreasing() ? x < edge : x > edge) ++index;
    SetDrawStopIndex(ClampIndex(index));
}

Integer TkPlotChannel::FirstValidIndex() const
{
    for (Integer i = 0; i < Count(); ++i)
        if (GetValid(i)) return i;
    return -1;
}

Integer TkPlotChannel::LastValidIndex() const
{
    for (Integer i = Count() - 1; i >= 0; --i)
        if (GetValid(i)) return i;
    return -1;
}

Double TkPlotChannel::GetDataXMax()
{
    if (!HasBothAxes() || !Visible()) return ExtentMaxStart;
    const Integer index = XIncreasing() ? LastValidIndex() : FirstValidIndex();
    return index < 0 ? ExtentMaxStart : GetPointXMax(index);
}

Double TkPlotChannel::GetDataXMin()
{
    if (!HasBothAxes() || !Visible()) return ExtentMinStart;
    const Integer index = XIncreasing() ? FirstValidIndex() : LastValidIndex();
    return index < 0 ? ExtentMinStart : GetPointXMin(index);
}

Double TkPlotChannel::DrawnExtent(Double (TkPlotChannelCustom::*Extent)(Integer), Double Start, bool Larger)
{
    CalcStartIndex();
    CalcStopIndex();
    Double result = Start;
    if (!HasBothAxes() || DrawStartIndex() < 0) return result;
    for (Integer i = DrawStartIndex(); i <= DrawStopIndex(); ++i) {
        if (!GetValid(i)) continue;
        const Double value = (this->*Extent)(i);
        if (Larger ? value > result : value < result) result = value;
    }
    return result;
}

Double TkPlotChannel::GetYMaxVisible() { return DrawnExtent(&TkPlotChannelCustom::GetPointYMax, ExtentMaxStart, true); }

Double TkPlotChannel::GetYMinVisible()
{
    return DrawnExtent(&TkPlotChannelCustom::GetPointYMin, ExtentMinStart, false);
}

// The cursor's readout (its style and pointers in, the values and text out)
// is wired in with the data cursor itself.
void TkPlotChannel::UpdateDataCursor(TkPlotDataCursor*) {}
