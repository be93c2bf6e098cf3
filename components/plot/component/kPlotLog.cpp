#include "components/plot/component/kPlotLog.h"

#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/component/kPlotComponent.h"
#include "components/plot/files/kPlotDataFiles.h"
#include "components/plot/files/kPlotFileIO.h"

namespace {

// Enough of a log's start for its header, however long the titles are;
// enough of its end for its last value.
constexpr std::size_t kLogHeadBytes = 1 << 20;
constexpr std::size_t kLogTailBytes = 4;

}  // namespace

void TkPlotLog::CheckInactive(const char* Message) const
{
    if (FActive) throw Exception(Message);
}

void TkPlotLog::Activate(bool Append)
{
    if (Trim(FileName).empty()) throw Exception("Log File Name not Defined");
    if (FActive) throw Exception("Logging Already Active");
    const bool compact = FPlot.DataFileFormat() == kpdffCompactInterval;
    if (Append) {
        // Rows of another form or width, or rows after a cut one, would
        // make the whole log unreadable.
        const Integer logged = PlotLogChannelCount(ReadFileEnds(FileName, kLogHeadBytes, kLogTailBytes), compact,
                                                   FFiles.DataFileSeparatorChar());
        if (logged != FPlot.ChannelCount())
            throw EConvertError("The log \"" + TextExcerpt(FileName) + "\" holds " + IntToStr(logged) +
                                " channels, the plot " + IntToStr(FPlot.ChannelCount()));
        AppendToFile(FileName, {});
    } else {
        SaveFileSafely(FileName, compact ? PlotCompactHeader(FPlot.ChannelCount())
                                             : PlotTextLogHeader(FPlot.DataColumns(), FFiles.DataFileSeparatorChar()));
    }
    FActive = true;
    FBacklog.Clear();
}

void TkPlotLog::Deactivate()
{
    if (!FActive) throw Exception("Logging not Active");
    FActive = false;
    if (FBacklog.Waiting() > 0) FlushBuffer();
}

// The rows go in whole or not at all; those that did not go wait for the
// next flush.
void TkPlotLog::FlushBuffer()
{
    FBacklog.Flush([this](Integer Rows) {
        const auto columns = FPlot.DataColumns();
        const Integer first = columns.empty() ? 0 : columns[0].Points->Count() - Rows;
        AppendToFile(FileName, FPlot.DataFileFormat() == kpdffCompactInterval
                                       ? PlotCompactRows(columns, first, Rows)
                                       : PlotTextLogRows(columns, FFiles.DataFileSeparatorChar(), first, Rows));
    });
}

void TkPlotLog::RowsAdded(Integer Rows)
{
    // Never more rows than channel 0 holds: a flush writes no row twice.
    FBacklog.Add(Rows, FPlot.ChannelCount() > 0 ? FPlot.GetChannel(0)->Count() : 0);
    if (FActive && FBacklog.Due(BufferSize)) FlushBuffer();
}

