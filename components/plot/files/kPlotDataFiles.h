#pragma once
// The plot's data files, apart from the plot: what the writers make of the
// channels' points and titles and what the readers find in a file's bytes.
//
// Text form: a header line, then one line per row, fields apart by the
// column separator. The XY-pairs layout gives each channel an X and a Y
// column ("Title(X)", "Title(Y)"); the shared-X layout, which the log
// writes, starts with one X column ("(X)") and gives each channel a Y
// column. A Y field reads "Null" or "Empty" for such points; a channel
// past its last point leaves its fields empty. The whole file is in the
// system code page, or UTF-8 behind a byte-order mark when a title is
// beyond it (EncodeTextFile); a log's rows, ASCII, never change that.
//
// Compact Interval form: "Compact Interval" CR LF, the channel count in
// decimal CR LF, then rows of little-endian 32-bit floats, channel after
// channel: X and Y in rows 0 and 1, Y alone after them (a channel's later
// X values follow from its first two). A missing value is 1.0e38; the data
// file ends with the mark 2.0e38, the log has none. The form holds single
// floats below 9.0e37, from which on a value reads as missing.
//
// The readers check the whole file before they give anything: a file
// that does not read gives EConvertError naming the line or record, and no
// points at all. A text form holding a binary byte reads as no text.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "components/foundation/kTypes.h"
#include "components/plot/files/kPlotFileIO.h"
#include "components/plot/store/kPlotDataList.h"

// A point as a file holds it, ready for a channel's AddPoints.
using TkPlotFilePoint = TkPlotNewPoint;

// What a file holds for each of its channels, in file order; a file may
// hold more or fewer channels than the plot it is read into.
using TkPlotFileChannels = std::vector<std::vector<TkPlotFilePoint>>;

// A channel as its data file holds it: the title that heads its columns
// (a separator or line break in it is written as a space) and its points.
struct TkPlotDataColumn {
    String Title;
    const TkPlotDataCustomList* Points = nullptr;
};
using TkPlotChannelList = std::span<const TkPlotDataColumn>;

// --- writers ---------------------------------------------------------------------
// The XY-pairs text file of the channels.
std::string PlotTextData(TkPlotChannelList Channels, char Separator);
// The Compact Interval file of the channels, end mark included.
// EConvertError naming the channel and the point when a value is none the
// form holds (no number, an infinity, or one that is no single float
// below the missing mark): such a point would not come back.
std::string PlotCompactData(TkPlotChannelList Channels);

// Log pieces. The header of a new log; then rows FirstRow .. FirstRow +
// Rows - 1 (indices of channel 0's points, which give the shared X; a row
// before channel 0's first point is left out, and a channel without a
// point at the row leaves its Y empty, or missing in the compact form, as
// a value is that the form cannot hold: a log refuses no row).
std::string PlotTextLogHeader(TkPlotChannelList Channels, char Separator);
std::string PlotTextLogRows(TkPlotChannelList Channels, char Separator, Integer FirstRow, Integer Rows);
std::string PlotCompactHeader(Integer ChannelCount);
std::string PlotCompactRows(TkPlotChannelList Channels, Integer FirstRow, Integer Rows);

// --- readers -----------------------------------------------------------------------
// Either form, told by the first line. Points are given for the first
// ChannelCount channels of the file; further columns add nothing. A text
// file without a line break is none of these forms.
TkPlotFileChannels ReadPlotData(std::string_view Bytes, Integer ChannelCount);
bool IsCompactIntervalText(std::string_view FirstLine);
TkPlotFileChannels ReadPlotTextData(std::string_view Bytes, Integer ChannelCount);
TkPlotFileChannels ReadPlotCompactData(std::string_view Bytes, Integer ChannelCount);

// A data file of either form, read and checked whole as ReadPlotData reads
// it, whose points are then given channel after channel, a block at a
// time: a Compact Interval file's points come straight from its bytes, so
// that millions of them take no copy of their own. Bytes must outlive it.
class TkPlotDataFile {
public:
    TkPlotDataFile(std::string_view Bytes, Integer ChannelCount);
    // The channels given points: the first ChannelCount of the file's.
    std::size_t ChannelCount() const { return FChannels; }
    // The points Channel is given, for its store to make room for them
    // once, as much as they take one by one.
    std::size_t PointCount(std::size_t Channel) const;
    // A text file's points for Channel, to be checked by its store before
    // any channel takes one; none for a compact file, whose values the
    // reader checked.
    std::span<const TkPlotFilePoint> TextPoints(std::size_t Channel) const
    {
        return FCompact ? std::span<const TkPlotFilePoint>() : std::span<const TkPlotFilePoint>(FText[Channel]);
    }
    // Channel's points in file order, to Take block after block.
    using TTake = std::function<void(std::span<const TkPlotFilePoint>)>;
    void ForEachBlock(std::size_t Channel, const TTake& Take) const;

private:
    void CountPoints();

    // A compact file's values after its header, its width and rows, and
    // each channel's first X, X step and whether both X values are given.
    std::string_view FBody;
    Int64 FWidth = 0;
    Int64 FRows = 0;
    std::vector<Double> FFirstX;
    std::vector<Double> FStep;
    std::vector<bool> FXKnown;
    // The points each channel given points is given.
    std::vector<std::size_t> FPointCounts;
    // A text file's points.
    TkPlotFileChannels FText;
    bool FCompact = false;
    std::size_t FChannels = 0;
};

// The channel count of a log that new rows may follow, from the ends of
// its file (the head holding the header): the count line of a compact log,
// the Y columns of a text log with that Separator. EConvertError when the
// log starts with no log header of that form, or when new rows would not
// read: it ends inside a row, a value or a line, or with a data file's end
// mark.
Integer PlotLogChannelCount(const TkFileEnds& Log, bool Compact, char Separator);
// EConvertError when a text log whose last bytes are Tail ends inside a
// line: a row appended would join the cut one.
void CheckLogEndsWithLine(std::string_view Tail);

// --- a channel's own data file: "X<separator>Y" lines, no header ----------------------
// Valid points with their Y, null points with "Null", empty points left out.
std::string ChannelTextData(const TkPlotDataCustomList& Points, char Separator);
// The log lines of points FirstIndex .. FirstIndex + Count - 1: each with
// the X and Y it holds, null and empty points too.
std::string ChannelLogLines(const TkPlotDataCustomList& Points, char Separator, Integer FirstIndex, Integer Count);
// The separator is TAB when the first line holds one, else comma; each line
// is cut at its first separator, a line with nothing before it is passed
// over, and "Null" (any case) gives a null point with Y = 0. No bytes give
// no points; lines of which none holds a separator with text before it
// are a file of another kind.
std::vector<TkPlotFilePoint> ReadChannelTextData(std::string_view Bytes);
