// The plot's data files.

#include <optional>

#include "components/foundation/kErrorText.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/component/kPlotComponent.h"
#include "components/plot/component/kPlotRoles.h"
#include "components/plot/files/kPlotDataFiles.h"
#include "components/plot/files/kPlotFileIO.h"

namespace {

void FireNotify(const TNotifyEvent& Event, TObject* Sender)
{
    if (Event) Event(Sender);
}

// Room in every channel for the points the file gives it, as much as they
// take one by one, and their check: a channel that refuses them fails the
// load before any channel changes, those that made room giving it back.
void PrepareForFile(const TkPlotComponent& Plot, const TkPlotDataFile& Data)
{
    std::vector<Integer> capacities;
    capacities.reserve(Data.ChannelCount());
    try {
        for (std::size_t c = 0; c < Data.ChannelCount(); ++c) {
            TkPlotChannelCustom* channel = Plot.GetChannel(static_cast<Integer>(c));
            capacities.push_back(channel->Capacity());
            channel->ReserveForPoints(Data.PointCount(c));
            channel->PrepareForPoints(Data.TextPoints(c));
        }
    } catch (...) {
        for (std::size_t c = 0; c < capacities.size(); ++c)
            Plot.GetChannel(static_cast<Integer>(c))->ReleaseReserve(capacities[c]);
        throw;
    }
}

}  // namespace

std::vector<TkPlotDataColumn> TkPlotComponent::DataColumns() const
{
    std::vector<TkPlotDataColumn> columns;
    columns.reserve(static_cast<std::size_t>(std::max<Integer>(ChannelCount(), 0)));
    for (Integer i = 0; i < ChannelCount(); ++i) columns.push_back(GetChannel(i)->DataColumn());
    return columns;
}

void TkPlotComponent::SaveDataToFile(const String& FileName)
{
    WithErrorPrefix("Error Saving Data - ", [&] {
        const auto columns = DataColumns();
        SaveFileSafely(FileName, FDataFileFormat == kpdffCompactInterval
                                     ? PlotCompactData(columns)
                                     : PlotTextData(columns, FRoles->Services.DataFileSeparatorChar()));
    });
    FLastDataFileName = FileName;
    FireNotify(OnAfterSaveData, this);
}

void TkPlotComponent::LoadDataFromFile(const String& FileName) { ReadDataFile(FileName, false); }

void TkPlotComponent::ReplaceDataFromFile(const String& FileName) { ReadDataFile(FileName, true); }

void TkPlotComponent::ReadDataFile(const String& FileName, bool ReplaceData)
{
    WithErrorPrefix("Error Loading Data - ", [&] {
        std::string bytes;
        std::optional<TkPlotDataFile> data;
        NamingTheFile(FileName, [&] {
            bytes = ReadFileBytes(FileName);
            data.emplace(bytes, ChannelCount());
        });
        // Only a file that read whole clears the channels.
        if (ReplaceData) ClearAllData();
        PrepareForFile(*this, *data);
        WithinUpdate(*this, [&] {
            // Null and empty points go in as such, so that their
            // placeholder Y is never tracked by the axes.
            for (std::size_t c = 0; c < data->ChannelCount(); ++c) {
                TkPlotChannelCustom* channel = GetChannel(static_cast<Integer>(c));
                data->ForEachBlock(c, [channel](std::span<const TkPlotFilePoint> Points) {
                    channel->AddXYPoints(Points);
                });
            }
        });
    });
    FLastDataFileName = FileName;
    FireNotify(OnAfterLoadData, this);
}
