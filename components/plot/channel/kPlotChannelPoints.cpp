// A channel's points in runs: AddPoints and AddPointRows, and the array
// adders that give their points through them.

#include <algorithm>
#include <vector>

#include "components/plot/channel/kPlotChannelCustom.h"

namespace {

bool IsNull(const TkPlotNewPoint& Point) { return Point.Kind == TkPlotPointKind::Null; }
bool IsEmpty(const TkPlotNewPoint& Point) { return Point.Kind == TkPlotPointKind::Empty; }

// The channels that one axis tracks the values of, by their columns.
struct TTrackedColumns {
    TkPlotAxis* Axis;
    std::vector<std::size_t> Columns;
};

void AddTrackedColumn(std::vector<TTrackedColumns>& Tracked, TkPlotAxis* Axis, std::size_t Column)
{
    const auto found = std::find_if(Tracked.begin(), Tracked.end(),
                                    [Axis](const TTrackedColumns& Entry) { return Entry.Axis == Axis; });
    if (found == Tracked.end())
        Tracked.push_back({Axis, {Column}});
    else
        found->Columns.push_back(Column);
}

// Row after row, the columns' values that Axis takes: X of every point for
// an X axis, Y of the valid points for a Y axis.
void TrackColumns(const TTrackedColumns& Tracked, std::span<const std::span<const TkPlotNewPoint>> Columns,
                  std::size_t Rows)
{
    const bool y = Tracked.Axis->IsYAxis();
    const auto value = [y](const TkPlotNewPoint& Point, Double& Value) {
        Value = y ? Point.Y : Point.X;
        return !y || Point.Kind == TkPlotPointKind::Valid;
    };
    if (Tracked.Columns.size() == 1) {
        const std::span<const TkPlotNewPoint> column = Columns[Tracked.Columns[0]];
        Tracked.Axis->NewTrackingRun(static_cast<Integer>(Rows),
                                     [&](Integer Row, Double& Value) { return value(column[Row], Value); });
        return;
    }
    const std::size_t width = Tracked.Columns.size();
    Tracked.Axis->NewTrackingRun(static_cast<Integer>(Rows * width), [&](Integer I, Double& Value) {
        const auto i = static_cast<std::size_t>(I);
        return value(Columns[Tracked.Columns[i % width]][i / width], Value);
    });
}

}  // namespace

void TkPlotChannelCustom::AddPoints(std::span<const TkPlotNewPoint> Points)
{
    TkPlotChannelCustom* const self = this;
    AddPointRows({&self, 1}, {&Points, 1});
}

void TkPlotChannelCustom::AddPointRows(std::span<TkPlotChannelCustom* const> Channels,
                                       std::span<const std::span<const TkPlotNewPoint>> Columns)
{
    const std::size_t rows = Columns.empty() ? 0 : Columns[0].size();
    if (rows == 0) return;
    if (!std::all_of(Channels.begin(), Channels.end(), [](TkPlotChannelCustom* C) { return C->TakesPointRuns(); })) {
        for (std::size_t row = 0; row < rows; ++row)
            for (std::size_t c = 0; c < Channels.size(); ++c) {
                const TkPlotNewPoint& point = Columns[c][row];
                Channels[c]->AddPoint(IsNull(point), IsEmpty(point), point.X, point.Y);
            }
        return;
    }
    // The runs that went in are tracked and reported, also when a later
    // one fails.
    std::size_t stored = 0;
    try {
        for (; stored < Channels.size(); ++stored) Channels[stored]->StorePointRun(Columns[stored]);
    } catch (...) {
        CompletePointRows(Channels.first(stored), Columns.first(stored));
        throw;
    }
    CompletePointRows(Channels, Columns);
}

bool TkPlotChannelCustom::TakesPointRuns()
{
    if (FLoggingActive || MarkersVisible()) return false;
    if (const TkPlotHost* host = Host(); host && host->AxisScaleEventsAssigned()) return false;
    const TkPlotXAxis* xAxis = FXAxisTrackingEnabled ? XAxis() : nullptr;
    const TkPlotYAxis* yAxis = FYAxisTrackingEnabled ? YAxis() : nullptr;
    return !(xAxis && xAxis->TrackingFitsChannels()) && !(yAxis && yAxis->TrackingFitsChannels());
}

void TkPlotChannelCustom::StorePointRun(std::span<const TkPlotNewPoint> Points)
{
    // What waits in the store joins the totals before a ring overwrites it.
    FRunning.SumStored(*FDataList);
    const Integer oldCount = Count();
    FDataList->AddPoints(Points);
    ++FPointsRevision;
    if (ValidExtentsFollow(oldCount, static_cast<Integer>(Points.size())))
        for (const TkPlotNewPoint& point : Points)
            if (point.Kind == TkPlotPointKind::Valid) WidenValidExtents(point.X, point.Y);
    FRunning.AddRun(Points);
}

void TkPlotChannelCustom::CompletePointRows(std::span<TkPlotChannelCustom* const> Channels,
                                         std::span<const std::span<const TkPlotNewPoint>> Columns)
{
    std::vector<TTrackedColumns> tracked;
    for (std::size_t c = 0; c < Channels.size(); ++c) {
        TkPlotChannelCustom& channel = *Channels[c];
        if (channel.FXAxisTrackingEnabled)
            if (TkPlotXAxis* axis = channel.XAxis()) AddTrackedColumn(tracked, axis, c);
        if (channel.FYAxisTrackingEnabled)
            if (TkPlotYAxis* axis = channel.YAxis()) AddTrackedColumn(tracked, axis, c);
    }
    const std::size_t rows = Columns.empty() ? 0 : Columns[0].size();
    for (const TTrackedColumns& entry : tracked) TrackColumns(entry, Columns, rows);
    for (TkPlotChannelCustom* channel : Channels) channel->ReportNewData();
}
