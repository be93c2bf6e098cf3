#include <gtest/gtest.h>

#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/System.h"
#include "support/FullDisk.h"
#include "support/MessageOf.h"
#include "support/PlotFiles.h"

using namespace PlotTest;

namespace {

class ChannelFilesTest : public ::testing::Test {
protected:
    TTempFolder Scratch;
    TOwned<TkXYPlot> Plot = PlotWithChannels(1);
    TkPlotChannelCustom& Channel = *Plot->GetChannel(0);

    String Path(const char* Name) const { return Scratch / Name; }
};

TEST_F(ChannelFilesTest, DataFileHoldsValidAndNullPointsAndReadsBack)
{
    Fill(Channel, {Valid(1, 2), Null(3), Empty(4), Valid(5, 6.25)});
    Channel.SaveDataToFile(Path("c.txt"));
    EXPECT_EQ(Scratch.ReadBytes("c.txt"), "1\t2\r\n3\tNull\r\n5\t6.25\r\n");

    Channel.LoadDataFromFile(Path("c.txt"), true);
    EXPECT_EQ(PointsOf(Channel), (TPoints{Valid(1, 2), Null(3), Valid(5, 6.25)}));
    Channel.LoadDataFromFile(Path("c.txt"), false);
    EXPECT_EQ(Channel.Count(), 6);
}

TEST_F(ChannelFilesTest, TheFirstLineChoosesTheSeparatorAndCommaDecimalsSurvive)
{
    Scratch.WriteBytes("comma.txt", "1,2\r\n\r\n,9\r\nno separator\r\n 3 , null \r\n");
    Channel.LoadDataFromFile(Path("comma.txt"), true);
    EXPECT_EQ(PointsOf(Channel), (TPoints{Valid(1, 2), Null(3)}));

    TRestoreScope<TFormatSettings> settings(FormatSettings);
    FormatSettings.DecimalSeparator = ',';
    Plot->SetDataFileColumnSeparator(kpdfcsComma);
    Channel.Clear();
    Fill(Channel, {Valid(1.5, -2.5)});
    Channel.SaveDataToFile(Path("d.txt"));
    EXPECT_EQ(Scratch.ReadBytes("d.txt"), "1.5,-2.5\r\n");
    Channel.LoadDataFromFile(Path("d.txt"), true);
    EXPECT_EQ(PointsOf(Channel), (TPoints{Valid(1.5, -2.5)}));
}

TEST_F(ChannelFilesTest, ABadDataFileNamesItsLineAndKeepsThePoints)
{
    Fill(Channel, {Valid(1, 2)});
    Scratch.WriteBytes("bad.txt", "1\t2\r\n3\tEmpty\r\n");
    EXPECT_NE(MessageOf([&] { Channel.LoadDataFromFile(Path("bad.txt"), true); }).find("line 2:"), String::npos);
    EXPECT_EQ(PointsOf(Channel), (TPoints{Valid(1, 2)}));
}

// A file of another kind clears no point and says which file it was; an
// empty channel's empty file still loads.
TEST_F(ChannelFilesTest, DataFilesOfAnotherKindAreRefused)
{
    Fill(Channel, {Valid(1, 2)});
    Channel.SavePropertiesToFile(Path("c.cfg"));
    for (const auto& [name, bytes] : std::vector<std::pair<const char*, std::string>>{
             {"c.cfg", Scratch.ReadBytes("c.cfg")}, {"numbers.txt", "1\r\n2\r\n3\r\n"},
             {"nul.bin", std::string(64, '\0')}}) {
        Scratch.WriteBytes(name, bytes);
        const String message = MessageOf([&] { Channel.LoadDataFromFile(Path(name), true); });
        EXPECT_EQ(message.rfind("\"" + Path(name) + "\" ", 0), 0u) << message;
        EXPECT_EQ(PointsOf(Channel), (TPoints{Valid(1, 2)})) << name;
    }
    TOwned<TkXYPlot> empty = PlotWithChannels(1);
    empty->GetChannel(0)->SaveDataToFile(Path("empty.txt"));
    Channel.LoadDataFromFile(Path("empty.txt"), true);
    EXPECT_EQ(Channel.Count(), 0);
}

TEST_F(ChannelFilesTest, ConfigurationRoundTripsAndAFailedLoadChangesNothing)
{
    Channel.SetColor(0x123456);
    Channel.SetTitleText("Volts");
    Channel.SetMarkersSize(7);
    Channel.MarkersFont()->SetName("Courier");
    Channel.SetRingBufferSize(50);
    Fill(Channel, {Valid(1, 2)});
    Channel.SavePropertiesToFile(Path("c.cfg"));
    const std::string text = Scratch.ReadBytes("c.cfg");
    EXPECT_EQ(text.rfind("File Type = Plot Channel Config\r\nChannel.", 0), 0u);
    EXPECT_EQ(text.find("Channel.Name"), std::string::npos);
    EXPECT_NE(text.find("Channel.MarkersFont.Name = Courier\r\n"), std::string::npos);

    TOwned<TkXYPlot> other = PlotWithChannels(1);
    TkPlotChannelCustom& copy = *other->GetChannel(0);
    copy.LoadPropertiesFromFile(Path("c.cfg"));
    EXPECT_EQ(copy.Color(), 0x123456);
    EXPECT_EQ(copy.TitleText(), "Volts");
    EXPECT_EQ(copy.MarkersFont()->Name(), "Courier");
    EXPECT_EQ(copy.RingBufferSize(), 50);
    copy.SavePropertiesToFile(Path("again.cfg"));
    EXPECT_EQ(Scratch.ReadBytes("again.cfg"), text);

    // A bad value after good ones, and a store change before it: nothing
    // of the file stays, and neither do the points go.
    Scratch.WriteBytes("bad.cfg", "file type = plot channel config\r\nChannel.DataStyle = 1\r\nChannel.Color = 7\r\n"
                                  "Channel.MarkersStyle = 999\r\n");
    EXPECT_EQ(MessageOf([&] { Channel.LoadPropertiesFromFile(Path("bad.cfg")); }).rfind("Error Loading Properties - ", 0),
              0u);
    EXPECT_EQ(Channel.Color(), 0x123456);
    EXPECT_EQ(Channel.DataStyle(), kpdsStandard);
    EXPECT_EQ(Channel.Count(), 1);
    // A deferred line that applied before a later one failed is set back.
    for (const char* last : {"Channel.RingBufferSize = x\r\n", "Channel.DataStyle = x\r\n"}) {
        Scratch.WriteBytes("twice.cfg", String("File Type = Plot Channel Config\r\nChannel.RingBufferSize = 0\r\n") + last);
        EXPECT_EQ(MessageOf([&] { Channel.LoadPropertiesFromFile(Path("twice.cfg")); }).rfind("Error Loading Properties - ", 0),
                  0u) << last;
        EXPECT_EQ(Channel.RingBufferSize(), 50) << last;
    }

    Scratch.WriteBytes("other.cfg", "File Type = Plot Config\r\n");
    EXPECT_EQ(MessageOf([&] { Channel.LoadPropertiesFromFile(Path("other.cfg")); }),
              "Error Loading Properties - Incompatible Plot Channel Configuration File Type");
}

TEST_F(ChannelFilesTest, TheLogAppendsEveryPointInBlocksWithStoredValues)
{
    Channel.SetLogFileName(Path("log.txt"));
    Channel.SetLogBufferSize(3);
    EXPECT_EQ(MessageOf([&] { Channel.LogActivate(true); }).find("log.txt") != String::npos, true);
    EXPECT_FALSE(Channel.LoggingActive());
    Channel.LogActivate(false);
    Fill(Channel, {Valid(1, 2), Null(3), Valid(4, 5)});
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), "1\t2\r\n3\t0\r\n4\t5\r\n");
    Fill(Channel, {Valid(6, 7)});
    Channel.LogDeactivate();
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), "1\t2\r\n3\t0\r\n4\t5\r\n6\t7\r\n");

    Plot->SetDataFileColumnSeparator(kpdfcsComma);
    EXPECT_NE(MessageOf([&] { Channel.LogActivate(true); }).find("column separator"), String::npos);
    Plot->SetDataFileColumnSeparator(kpdfcsTab);
    Channel.SetLogBufferSize(0);
    Channel.LogActivate(true);
    Fill(Channel, {Valid(8, 9)});
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), "1\t2\r\n3\t0\r\n4\t5\r\n6\t7\r\n8\t9\r\n");
    Channel.LoadDataFromFile(Path("log.txt"), true);  // ends the log first
    EXPECT_FALSE(Channel.LoggingActive());
    EXPECT_EQ(Channel.Count(), 5);
}

TEST_F(ChannelFilesTest, ALogOnAFullDiskKeepsWholeLinesAndNeverTakesACutOne)
{
    Channel.SetLogFileName(Path("log.txt"));
    Channel.SetLogBufferSize(2);
    Channel.LogActivate(false);
    Fill(Channel, {Valid(1, 10), Valid(2, 20)});
    Integer failures = 0;
    {
        TFullDisk disk(3);
        for (Integer x = 3; x <= 6; ++x) failures += MessageOf([&] { Channel.AddXY(x, x * 10); }) != "(no exception)";
    }
    EXPECT_EQ(failures, 2);
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), "1\t10\r\n2\t20\r\n");
    Fill(Channel, {Valid(7, 70), Valid(8, 80)});
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), "1\t10\r\n2\t20\r\n3\t30\r\n4\t40\r\n5\t50\r\n6\t60\r\n7\t70\r\n8\t80\r\n");

    Channel.LogDeactivate();
    Scratch.WriteBytes("log.txt", "1\t10\r\n2\t2");
    EXPECT_EQ(MessageOf([&] { Channel.LogActivate(true); }), "the log ends inside a row");
    EXPECT_FALSE(Channel.LoggingActive());
}

}  // namespace
