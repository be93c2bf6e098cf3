// The plot's data files and its log.

#include <optional>

#include "components/foundation/kErrorText.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/component/kPlotComponent.h"
#include "components/plot/files/kPlotDataFiles.h"
#include "components/plot/files/kPlotFileIO.h"

namespace {

// Enough of a log's start for its header, however long the titles are;
// enough of its end for its last value.
constexpr std::size_t kLogHeadBytes = 1 << 20;
constexpr std::size_t kLogTailBytes = 4;

void FireNotify(const TNotifyEvent& Event, TObject* Sender)
{
    if (Event) Event(Sender);
}

std::vector<TkPlotDataColumn> DataColumns(const std::vector<TkPlotChannelCustom*>& Channels)
{
    std::vector<TkPlotDataColumn> columns;
    columns.reserve(Channels.size());
    for (const TkPlotChannelCustom* channel : Channels) columns.push_back(channel->DataColumn());
    return columns;
}

}  // namespace

std::vector<TkPlotChannelCustom*> TkPlotComponent::Channels() const
{
    std::vector<TkPlotChannelCustom*> channels;
    for (Integer i = 0; i < ChannelCount(); ++i) channels.push_back(GetChannel(i));
    return channels;
}

void TkPlotComponent::SaveDataToFile(const String& FileName)
{
    WithErrorPrefix("Error Saving Data - ", [&] {
        const auto columns = DataColumns(Channels());
        SaveFileSafely(FileName, FDataFileFormat == kpdffCompactInterval
                                     ? PlotCompactData(columns)
                                     : PlotTextData(columns, DataFileSeparatorChar()));
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
        WithinUpdate(*this, [&] {
            // Null and empty points go in as such, so that their
            // placeholder Y is never tracked by the axes.
            for (std::size_t c = 0; c < data->ChannelCount(); ++c) {
                TkPlotChannelCustom* channel = GetChannel(static_cast<Integer>(c));
                channel->ReserveForPoints(data->MostPoints(c));
                data->ForEachBlock(c, [channel](std::span<const TkPlotFilePoint> Points) {
                    channel->AddXYPoints(Points);
                });
            }
        });
    });
    FLastDataFileName = FileName;
    FireNotify(OnAfterLoadData, this);
}

void TkPlotComponent::LogActivate(bool Append)
{
    if (Trim(FLogFileName).empty()) throw Exception("Log File Name not Defined");
    if (FLoggingActive) throw Exception("Logging Already Active");
    const bool compact = FDataFileFormat == kpdffCompactInterval;
    if (Append) {
        // Rows of another form or width, or rows after a cut one, would
        // make the whole log unreadable.
        const Integer logged = PlotLogChannelCount(ReadFileEnds(FLogFileName, kLogHeadBytes, kLogTailBytes), compact,
                                                   DataFileSeparatorChar());
        if (logged != ChannelCount())
            throw EConvertError("The log \"" + FLogFileName + "\" holds " + IntToStr(logged) +
                                " channels, the plot " + IntToStr(ChannelCount()));
        AppendToFile(FLogFileName, {});
    } else {
        SaveFileSafely(FLogFileName, compact ? PlotCompactHeader(ChannelCount())
                                             : PlotTextLogHeader(DataColumns(Channels()), DataFileSeparatorChar()));
    }
    FLoggingActive = true;
    FLogBacklog.Clear();
}

void TkPlotComponent::LogDeactivate()
{
    if (!FLoggingActive) throw Exception("Logging not Active");
    FLoggingActive = false;
    if (FLogBacklog.Waiting() > 0) LogFlushBuffer();
}

// The rows go in whole or not at all; those that did not go wait for the
// next flush.
void TkPlotComponent::LogFlushBuffer()
{
    FLogBacklog.Flush([this](Integer Rows) {
        const auto columns = DataColumns(Channels());
        const Integer first = columns.empty() ? 0 : columns[0].Points->Count() - Rows;
        AppendToFile(FLogFileName, FDataFileFormat == kpdffCompactInterval
                                       ? PlotCompactRows(columns, first, Rows)
                                       : PlotTextLogRows(columns, DataFileSeparatorChar(), first, Rows));
    });
}

void TkPlotComponent::LogRowsAdded(Integer Rows)
{
    // Never more rows than channel 0 holds: a flush writes no row twice.
    FLogBacklog.Add(Rows, ChannelCount() > 0 ? GetChannel(0)->Count() : 0);
    if (FLoggingActive && FLogBacklog.Due(FLogBufferSize)) LogFlushBuffer();
}

