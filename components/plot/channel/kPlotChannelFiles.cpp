// A channel's own configuration, data and log files.

#include "components/foundation/kCommonRoutines.h"
#include "components/foundation/kErrorText.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/files/kPlotDataFiles.h"
#include "components/plot/files/kPlotFileIO.h"
#include "components/plot/files/kPlotFileLines.h"
#include "components/plot/files/kPlotPropertyFiles.h"

namespace {

constexpr const char* kChannelPrefix = "Channel";
constexpr const char* kChannelFileType = "Plot Channel Config";

// Without a plot the files are tab-separated.
char ColumnSeparator(const TkPlotFileHost* Files) { return Files ? Files->DataFileSeparatorChar() : '\t'; }

}  // namespace

void TkPlotChannelCustom::SavePropertiesToFile(const String& FileName)
{
    WithErrorPrefix("Error Saving Properties - ", [&] {
        TStringList exclusions;
        exclusions.Add(String(kChannelPrefix) + ".Name");
        TStringList lines;
        lines.Add(String("File Type = ") + kChannelFileType);
        SavePublishedProperties(this, kChannelPrefix, lines, Host().Files && Host().Files->DifferentialPropertySave(), &exclusions);
        SaveLinesSafely(FileName, lines);
    });
}

void TkPlotChannelCustom::LoadPropertiesFromFile(const String& FileName)
{
    WithErrorPrefix("Error Loading Properties - ", [&] {
        TkPlotFileLines lines(ReadPropertyText(FileName));
        CheckFileType(lines, kChannelFileType, "Incompatible Plot Channel Configuration File Type");
        ApplyPropertiesOrRestore(this, kChannelPrefix, lines, 0, {"DataStyle", "RingBufferSize"});
    });
}

void TkPlotChannelCustom::SaveDataToFile(const String& FileName)
{
    SaveFileSafely(FileName, ChannelTextData(*FDataList, ColumnSeparator(Host().Files)));
}

TkPlotDataColumn TkPlotChannelCustom::DataColumn() const
{
    return {Trim(TitleText()).empty() ? Name() : TitleText(), &DataList()};
}

void TkPlotChannelCustom::LoadDataFromFile(const String& FileName, Boolean ClearPreviousData)
{
    if (FLoggingActive) LogDeactivate();
    const std::vector<TkPlotFilePoint> points = [&] {
        std::vector<TkPlotFilePoint> read;
        NamingTheFile(FileName, [&] { read = ReadChannelTextData(ReadFileBytes(FileName)); });
        return read;
    }();
    if (ClearPreviousData) Clear();
    // Straight in: a channel that keeps its points in X order takes a file
    // as it stands.
    AddPoints(points);
}

void TkPlotChannelCustom::LogFileOpen(Boolean Append)
{
    if (!Append) {
        SaveFileSafely(FLogFileName, {});
        return;
    }
    // Lines of another separator would not read back with the others, nor
    // would a line appended to a cut one.
    const TkFileEnds log = ReadFileEnds(FLogFileName, 4096, 1);
    TkTextLineReader lines(log.Head);
    std::string_view first;
    const char separator = ColumnSeparator(Host().Files);
    if (lines.Next(first) && first.find(separator) == std::string_view::npos)
        throw EConvertError("The log \"" + TextExcerpt(FLogFileName) + "\" is not separated by the plot's column separator");
    CheckLogEndsWithLine(log.Tail);
    AppendToFile(FLogFileName, {});
}

void TkPlotChannelCustom::LogFileAppend(Integer FirstIndex, Integer Count)
{
    AppendToFile(FLogFileName, ChannelLogLines(*FDataList, ColumnSeparator(Host().Files), FirstIndex, Count));
}
