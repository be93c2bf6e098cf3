#pragma once
// Test doubles for channels and axis tracking: a concrete channel with an XY
// channel's extents and a log file in memory, in the shared stand-in plot.

#include <algorithm>
#include <vector>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "platform/SysUtils.h"
#include "tests/support/PlotStandIn.h"

namespace ChannelTest {

// The plot of the channel tests (and of the trace benchmark).
using TTestPlot = PlotTest::TStandInPlot;

// An XY channel's extents: every valid point, widened by its marker. The
// log file is a list of the blocks written.
class TTestChannel : public TkPlotChannelCustom {
    PL_CLASSINFO()
public:
    using TkPlotChannelCustom::TkPlotChannelCustom;

    struct TLogBlock {
        Integer FirstIndex;
        Integer Count;
        bool operator==(const TLogBlock&) const = default;
    };
    std::vector<TLogBlock> LogBlocks;
    std::vector<Double> LoggedX;
    bool LogFails = false;

    void CalcStartIndex(const TkPlotAxisScale*) override { SetDrawStartIndex(Count() == 0 ? -1 : 0); }
    void CalcStopIndex(const TkPlotAxisScale*) override { SetDrawStopIndex(Count() - 1); }
    Double GetDataXMax() override { return Extreme(&TkPlotChannelCustom::GetPointXMax, -1e300, true); }
    Double GetDataXMin() override { return Extreme(&TkPlotChannelCustom::GetPointXMin, 1e300, false); }
    Double GetYMaxVisible() override { return Extreme(&TkPlotChannelCustom::GetPointYMax, -1e300, true); }
    Double GetYMinVisible() override { return Extreme(&TkPlotChannelCustom::GetPointYMin, 1e300, false); }
    std::optional<TkPlotCursorReading> ReadCursor(const TkPlotCursorPointers&) override { return std::nullopt; }

    void SelectPoint(Integer Index) { FSelectDataIndex = FSelectMouseDownIndex = FMouseDownDataIndex = Index; }

protected:
    void LogFileOpen(Boolean) override
    {
        if (LogFails) throw EInOutError("log file refused");
    }
    void LogFileAppend(Integer FirstIndex, Integer Count) override
    {
        if (LogFails) throw EInOutError("log file refused");
        LogBlocks.push_back({FirstIndex, Count});
        for (Integer i = FirstIndex; i < FirstIndex + Count; ++i) LoggedX.push_back(GetXValue(i));
    }

private:
    Double Extreme(Double (TkPlotChannelCustom::*Extent)(Integer), Double Start, bool Largest)
    {
        Double result = Start;
        for (Integer i = 0; i < Count(); ++i) {
            if (!GetValid(i)) continue;
            const Double v = (this->*Extent)(i);
            if (Largest ? v > result : v < result) result = v;
        }
        return result;
    }
};

inline TClass TTestChannel::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTestChannel, TkPlotChannelCustom>("TTestChannel").Build();
    return &info;
}

}  // namespace ChannelTest
