// A channel's points in runs: AddPoints and AddPointRows, and the array
// adders that give their points through them.

#include <algorithm>
#include <vector>

#include "components/plot/channel/kPlotChannelCustom.h"

namespace {

bool IsNull(const TkPlotNewPoint& Point) { return Point.Kind == TkPlotPointKind::Null; }
bool IsEmpty(const TkPlotNewPoint& Point) { return Point.Kind == TkPlotPointKind::Empty; }

// Rows a run goes in by: the points of a block of rows, for every channel,
// stay in the caches from the store to the statistics to the tracking.
constexpr std::size_t kRowBlock = 4096;

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

// The axes that track the channels' values, each with its channels in
// their order.
std::vector<TTrackedColumns> TrackedColumns(std::span<TkPlotChannelCustom* const> Channels)
{
    std::vector<TTrackedColumns> tracked;
    for (std::size_t c = 0; c < Channels.size(); ++c) {
        TkPlotChannelCustom& channel = *Channels[c];
        if (channel.XAxisTrackingEnabled())
            if (TkPlotXAxis* axis = channel.XAxis()) AddTrackedColumn(tracked, axis, c);
        if (channel.YAxisTrackingEnabled())
            if (TkPlotYAxis* axis = channel.YAxis()) AddTrackedColumn(tracked, axis, c);
    }
    return tracked;
}

// Row after row from row First on, the columns' values that the axis
// takes: X of every point for an X axis, Y of the valid points for a Y
// axis. Extents[c]: those of column c's rows.
void TrackColumns(const TTrackedColumns& Tracked, std::span<const std::span<const TkPlotNewPoint>> Columns,
                  std::span<const TkPlotRunExtents> Extents, std::size_t First, std::size_t Rows)
{
    const bool y = Tracked.Axis->IsYAxis();
    const auto value = [y](const TkPlotNewPoint& Point, Double& Value) {
        Value = y ? Point.Y : Point.X;
        return !y || Point.Kind == TkPlotPointKind::Valid;
    };
    if (Tracked.Columns.size() == 1) {
        const std::span<const TkPlotNewPoint> column = Columns[Tracked.Columns[0]].subspan(First, Rows);
        // Most blocks lie inside the scale: one pass over their extremes
        // tells, without a call per value.
        const TkPlotExtents& extents = y ? Extents[Tracked.Columns[0]].ValidY : Extents[Tracked.Columns[0]].X;
        if (extents.Low <= extents.High && Tracked.Axis->Scale().LeavesScaleFor(extents.Low, extents.High)) return;
        Tracked.Axis->NewTrackingRun(static_cast<Integer>(Rows),
                                     [&](Integer Row, Double& Value) { return value(column[Row], Value); });
        return;
    }
    const std::size_t width = Tracked.Columns.size();
    Tracked.Axis->NewTrackingRun(static_cast<Integer>(Rows * width), [&](Integer I, Double& Value) {
        const auto i = static_cast<std::size_t>(I);
        return value(Columns[Tracked.Columns[i % width]][First + i / width], Value);
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
    for (TkPlotChannelCustom* channel : Channels) channel->SettleWaitingPoints();
    // Every store makes room and checks its run first: nothing fails
    // part-way, and a run a store refuses leaves every channel as it was.
    for (std::size_t c = 0; c < Channels.size(); ++c) Channels[c]->FDataList->PrepareToAdd(Columns[c]);
    if (!std::all_of(Channels.begin(), Channels.end(), [](TkPlotChannelCustom* C) { return C->TakesPointRuns(); })) {
        for (std::size_t row = 0; row < rows; ++row)
            for (std::size_t c = 0; c < Channels.size(); ++c) {
                const TkPlotNewPoint& point = Columns[c][row];
                Channels[c]->AddPoint(IsNull(point), IsEmpty(point), point.X, point.Y);
            }
        return;
    }
    const std::vector<TTrackedColumns> tracked = TrackedColumns(Channels);
    std::vector<TkPlotRunExtents> extents(Channels.size());
    for (std::size_t first = 0; first < rows; first += kRowBlock) {
        const std::size_t count = std::min(kRowBlock, rows - first);
        for (std::size_t c = 0; c < Channels.size(); ++c) {
            const std::span<const TkPlotNewPoint> run = Columns[c].subspan(first, count);
            extents[c] = RunExtentsOf(run);
            Channels[c]->StorePointRun(run, extents[c]);
        }
        for (const TTrackedColumns& entry : tracked) TrackColumns(entry, Columns, extents, first, count);
    }
    for (TkPlotChannelCustom* channel : Channels) channel->ReportNewData();
}

bool TkPlotChannelCustom::TakesPointRuns()
{
    if (FLoggingActive || MarkersVisible()) return false;
    if (const TkPlotEventHost* events = Host().Events; events && events->AxisScaleEventsAssigned()) return false;
    const TkPlotXAxis* xAxis = FXAxisTrackingEnabled ? XAxis() : nullptr;
    const TkPlotYAxis* yAxis = FYAxisTrackingEnabled ? YAxis() : nullptr;
    return !(xAxis && xAxis->TrackingFitsChannels()) && !(yAxis && yAxis->TrackingFitsChannels());
}

void TkPlotChannelCustom::StorePointRun(std::span<const TkPlotNewPoint> Points, const TkPlotRunExtents& Extents)
{
    // What waits in the store joins the totals before a ring overwrites it.
    FRunning.SumStored(*FDataList);
    const Integer oldCount = Count();
    FDataList->AddPoints(Points);
    ++FPointsRevision;
    if (ValidExtentsFollow(oldCount, static_cast<Integer>(Points.size()))) {
        FValid.Widen(TkPlotXYPair{Extents.ValidX.Low, Extents.ValidY.Low},
                     TkPlotXYPair{Extents.ValidX.High, Extents.ValidY.High});
    }
    FRunning.AddRun(Points, Extents);
}
