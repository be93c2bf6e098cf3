#pragma once
// The log of the rows added to the plot's channels: a data file of the
// plot's form (DataFileFormat) that grows while logging is active, written
// each BufferSize rows.

#include "components/plot/files/kPlotLogBacklog.h"
#include "platform/Types.h"

class TkPlotComponent;
class TkPlotFileHost;

class TkPlotLog {
public:
    // Files: the plot's settings of its data files.
    TkPlotLog(TkPlotComponent& Plot, const TkPlotFileHost& Files) : FPlot(Plot), FFiles(Files) {}

    // Starts logging to FileName: a new file with its header, or with Append
    // an existing log, whose form and channel count must be the plot's and
    // whose last row must be whole. Raises "Log File Name not Defined",
    // "Logging Already Active" or the file's error, and stays inactive then.
    void Activate(bool Append);
    // Writes what is buffered, then stops; "Logging not Active" when not
    // logging.
    void Deactivate();
    // Appends the buffered rows (the last ones of channel 0) to the log,
    // all or none: when the write fails they stay buffered.
    void FlushBuffer();
    // Rows added to the channels; while logging they are flushed each
    // BufferSize rows.
    void RowsAdded(Integer Rows);
    bool Active() const { return FActive; }
    Integer Waiting() const { return FBacklog.Waiting(); }
    // Raises Message while logging: the settings of the log's file stay.
    void CheckInactive(const char* Message) const;

    String FileName;
    Integer BufferSize = 0;

private:
    TkPlotComponent& FPlot;
    const TkPlotFileHost& FFiles;
    bool FActive = false;
    TkPlotLogBacklog FBacklog;
};
