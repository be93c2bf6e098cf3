#pragma once
// Shared by the tests of the plot's files: an XY plot with a scratch
// directory, channels filled from point lists, and the points a channel
// holds in the readers' terms.

#include <vector>

#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/files/kPlotDataFiles.h"
#include "components/plot/component/kXYPlot.h"
#include "support/TempFolder.h"

namespace PlotTest {

using TPoints = std::vector<TkPlotFilePoint>;

inline TkPlotFilePoint Valid(Double X, Double Y) { return {X, Y, TkPlotPointKind::Valid}; }
inline TkPlotFilePoint Null(Double X) { return {X, 0.0, TkPlotPointKind::Null}; }
inline TkPlotFilePoint Empty(Double X) { return {X, 0.0, TkPlotPointKind::Empty}; }

inline void Fill(TkPlotChannelCustom& Channel, const TPoints& Points)
{
    for (const TkPlotFilePoint& p : Points)
        Channel.AddPoint(p.Kind == TkPlotPointKind::Null, p.Kind == TkPlotPointKind::Empty, p.X, p.Y);
}

inline TPoints PointsOf(const TkPlotChannelCustom& Channel)
{
    TPoints points;
    for (Integer i = 0; i < Channel.Count(); ++i) {
        const TkPlotPointKind kind = Channel.GetNull(i)    ? TkPlotPointKind::Null
                                     : Channel.GetEmpty(i) ? TkPlotPointKind::Empty
                                                           : TkPlotPointKind::Valid;
        points.push_back({Channel.GetXValue(i), Channel.GetYValue(i), kind});
    }
    return points;
}

// Every channel's points.
inline std::vector<TPoints> PlotPoints(const TkPlotComponent& Plot)
{
    std::vector<TPoints> all;
    for (Integer i = 0; i < Plot.ChannelCount(); ++i) all.push_back(PointsOf(*Plot.GetChannel(i)));
    return all;
}

// An XY plot with Channels channels (its default one among them).
inline TOwned<TkXYPlot> PlotWithChannels(Integer Channels)
{
    TOwned<TkXYPlot> plot(Create<TkXYPlot>(nullptr));
    while (plot->ChannelCount() < Channels) plot->AddChannel();
    while (plot->ChannelCount() > Channels) plot->DeleteChannel(plot->ChannelCount() - 1);
    return plot;
}

}  // namespace PlotTest
