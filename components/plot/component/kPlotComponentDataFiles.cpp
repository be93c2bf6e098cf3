// The plot's data files and its log.

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
    TkPlotFileChannels data;
    WithErrorPrefix("Error Loading Data - ", [&] {
        NamingTheFile(FileName, [&] { data = ReadPlotData(ReadFileBytes(FileName), ChannelCount()); });
        // Only a file that read whole clears the channels.
        if (ReplaceData) ClearAllData();
        WithinUpdate(*this, [&] {
            // Null and empty points go in as such, so that their
            // placeholder Y is never tracked by the axes.
            for (std::size_t c = 0; c < data.size(); ++c) GetChannel(static_cast<Integer>(c))->AddXYPoints(data[c]);
        });
    });
    FLastDataFileName = FileName;
    FireNotify(OnAfterLoadData, this);
}

void TkPlotComponent::LogActivate(bool Append)
{
    if (Trim(FLog.FileName).empty()) throw Exception("Log File Name not Defined");
    if (FLog.Active) throw Exception("Logging Already Active");
    const bool compact = FDataFileFormat == kpdffCompactInterval;
    if (Append) {
        // Rows of another form or width, or rows after a cut one, would
        // make the whole log unreadable.
        const Integer logged = PlotLogChannelCount(ReadFileEnds(FLog.FileName, kLogHeadBytes, kLogTailBytes), compact,
                                                   DataFileSeparatorChar());
        if (logged != ChannelCount())
            throw EConvertError("The log \"" + FLog.FileName + "\" holds " + IntToStr(logged) +
                                " channels, the plot " + IntToStr(ChannelCount()));
        AppendToFile(FLog.FileName, {});
    } else {
        SaveFileSafely(FLog.FileName, compact ? PlotCompactHeader(ChannelCount())
                                             : PlotTextLogHeader(DataColumns(Channels()), DataFileSeparatorChar()));
    }
    FLog.Active = true;
    FLog.Backlog.Clear();
}

void TkPlotComponent::LogDeactivate()
{
    if (!FLog.Active) throw Exception("Logging not Active");
    FLog.Active = false;
    if (FLog.Backlog.Waiting() > 0) LogFlushBuffer();
}

// The rows go in whole or not at all; those that did not go wait for the
// next flush.
void TkPlotComponent::LogFlushBuffer()
{
    FLog.Backlog.Flush([this](Integer Rows) {
        const auto columns = DataColumns(Channels());
        const Integer first = columns.empty() ? 0 : columns[0].Points->Count() - Rows;
        AppendToFile(FLog.FileName, FDataFileFormat == kpdffCompactInterval
                                       ? PlotCompactRows(columns, first, Rows)
                                       : PlotTextLogRows(columns, DataFileSeparatorChar(), first, Rows));
    });
}

void TkPlotComponent::LogRowsAdded(Integer Rows)
{
    // Never more rows than channel 0 holds: a flush writes no row twice.
    FLog.Backlog.Add(Rows, ChannelCount() > 0 ? GetChannel(0)->Count() : 0);
    if (FLog.Active && FLog.Backlog.Due(FLog.BufferSize)) LogFlushBuffer();
}

