#include <gtest/gtest.h>

#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/Variants.h"
#include "support/FullDisk.h"
#include "support/MessageOf.h"
#include "support/PlotFiles.h"
#include "support/PlotRoles.h"

using namespace PlotTest;

namespace {

// A plot of two channels that logs what AddDataArray would report: rows
// added to every channel, then their count.
class PlotLogTest : public ::testing::Test {
protected:
    TTempFolder Scratch;
    TOwned<TkXYPlot> Plot = PlotWithChannels(2);

    String Path(const char* Name) const { return Scratch / Name; }
    void AddRows(Integer First, Integer Count)
    {
        for (Integer r = First; r < First + Count; ++r) {
            Plot->GetChannel(0)->AddXY(r, r * 10);
            if (r == 3)
                Plot->GetChannel(1)->AddPoint(true, false, r, 0);
            else
                Plot->GetChannel(1)->AddXY(r, -r);
        }
        PlotTest::RolesOf(*Plot).Log.RowsAdded(Count);
    }
    void StartLog(const char* Name, TkPlotDataFileFormat Format, Integer BufferSize)
    {
        Plot->SetDataFileFormat(Format);
        Plot->SetLogBufferSize(BufferSize);
        Plot->SetLogFileName(Path(Name));
        Plot->LogActivate(false);
    }
};

TEST_F(PlotLogTest, ATextLogGrowsInBlocksAndReadsBackAsTheData)
{
    Plot->GetChannel(0)->SetTitleText("A");
    Plot->GetChannel(1)->SetTitleText("B");
    StartLog("log.txt", kpdffText, 3);
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), "(X)\tA(Y)\tB(Y)\r\n");
    AddRows(0, 2);
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), "(X)\tA(Y)\tB(Y)\r\n");  // buffered
    AddRows(2, 2);
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), "(X)\tA(Y)\tB(Y)\r\n0\t0\t0\r\n1\t10\t-1\r\n2\t20\t-2\r\n3\t30\tNull\r\n");
    AddRows(4, 1);
    EXPECT_EQ(MessageOf([&] { Plot->SetLogFileName(Path("other.txt")); }),
              "Log File Name can not be changed while logging is active.");
    Plot->LogDeactivate();
    EXPECT_EQ(MessageOf([&] { Plot->LogDeactivate(); }), "Logging not Active");

    TOwned<TkXYPlot> fromLog = PlotWithChannels(2);
    fromLog->LoadDataFromFile(Path("log.txt"));
    Plot->SaveDataToFile(Path("data.txt"));
    TOwned<TkXYPlot> fromData = PlotWithChannels(2);
    fromData->LoadDataFromFile(Path("data.txt"));
    EXPECT_EQ(PlotPoints(*fromLog), PlotPoints(*fromData));
    EXPECT_EQ(PlotPoints(*fromLog), PlotPoints(*Plot));
}

TEST_F(PlotLogTest, ACompactLogIsTheDataFileWithoutItsEndMark)
{
    StartLog("log.bin", kpdffCompactInterval, 0);
    AddRows(0, 1);  // every report flushes
    AddRows(1, 4);
    Plot->LogDeactivate();
    Plot->SaveDataToFile(Path("data.bin"));
    const std::string data = Scratch.ReadBytes("data.bin");
    EXPECT_EQ(Scratch.ReadBytes("log.bin"), data.substr(0, data.size() - 4));
    TOwned<TkXYPlot> fromLog = PlotWithChannels(2);
    fromLog->LoadDataFromFile(Path("log.bin"));
    EXPECT_EQ(fromLog->GetChannel(0)->Count(), 5);
}

// Clearing the data ends the log first, so that its buffered rows reach the
// file; a data file that does not read clears nothing and ends nothing.
TEST_F(PlotLogTest, ReplacingTheDataWritesTheBufferedRowsAndEndsTheLog)
{
    Scratch.WriteBytes("data.txt", "(X)\tA(Y)\tB(Y)\r\n7\t70\t-7\r\n");
    StartLog("log.txt", kpdffText, 3);
    AddRows(0, 2);
    EXPECT_ANY_THROW(Plot->ReplaceDataFromFile(Path("missing.txt")));
    EXPECT_TRUE(Plot->LoggingActive());
    EXPECT_EQ(Plot->GetChannel(0)->Count(), 2);

    Plot->ReplaceDataFromFile(Path("data.txt"));
    EXPECT_FALSE(Plot->LoggingActive());
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), "(X)\tChannel 1(Y)\tChannel 2(Y)\r\n0\t0\t0\r\n1\t10\t-1\r\n");
    EXPECT_EQ(PlotPoints(*Plot), (std::vector<TPoints>{{Valid(7, 70)}, {Valid(7, -7)}}));
}

TEST_F(PlotLogTest, AppendingChecksTheLogsFormAndWidth)
{
    Plot->SetLogFileName(Path("missing.txt"));
    EXPECT_EQ(MessageOf([&] { Plot->LogActivate(true); }).find("missing.txt") != String::npos, true);
    EXPECT_FALSE(Plot->LoggingActive());

    StartLog("log.txt", kpdffText, 0);
    AddRows(0, 2);
    Plot->LogDeactivate();
    Plot->LogActivate(true);
    AddRows(2, 1);
    Plot->LogDeactivate();
    TOwned<TkXYPlot> fromLog = PlotWithChannels(2);
    fromLog->LoadDataFromFile(Path("log.txt"));
    EXPECT_EQ(fromLog->GetChannel(0)->Count(), 3);

    Plot->SetDataFileFormat(kpdffCompactInterval);
    EXPECT_EQ(MessageOf([&] { Plot->LogActivate(true); }), "the log is no Compact Interval file");
    Plot->SetDataFileFormat(kpdffText);
    Plot->AddChannel();
    EXPECT_NE(MessageOf([&] { Plot->LogActivate(true); }).find("holds 2 channels, the plot 3"), String::npos);
    Plot->SetDataFileColumnSeparator(kpdfcsComma);
    EXPECT_NE(MessageOf([&] { Plot->LogActivate(true); }).find("holds 0 channels"), String::npos);
    EXPECT_FALSE(Plot->LoggingActive());
}

TEST_F(PlotLogTest, RowsOfDataArraysAreLoggedInBlocks)
{
    StartLog("log.txt", kpdffText, 4);
    Variant block = VarArrayCreate({0, 1, 0, 2}, varDouble);  // two channels, three rows
    for (Integer c = 0; c < 2; ++c)
        for (Integer r = 0; r < 3; ++r) block.PutElement({c, r}, c * 100 + r);
    Plot->AddDataArray(1.0, block);
    EXPECT_EQ(PlotTest::RolesOf(*Plot).Log.Waiting(), 3);
    Variant row = VarArrayCreate({0, 1}, varDouble);
    row.PutElement({0}, 7.0);
    row.PutElement({1}, 5e-301);  // a null point
    Plot->AddDataArray(9.0, row);
    EXPECT_EQ(PlotTest::RolesOf(*Plot).Log.Waiting(), 0);
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), "(X)\tChannel 1(Y)\tChannel 2(Y)\r\n0\t0\t100\r\n1\t1\t101\r\n2\t2\t102\r\n"
                                            "9\t7\tNull\r\n");
}

TEST_F(PlotLogTest, ActivationNeedsANameAndNoActiveLog)
{
    Plot->SetLogFileName("  ");
    EXPECT_EQ(MessageOf([&] { Plot->LogActivate(false); }), "Log File Name not Defined");
    StartLog("log.txt", kpdffText, 10);
    EXPECT_EQ(MessageOf([&] { Plot->LogActivate(false); }), "Logging Already Active");
    // Format and separator changes would mix forms within the file.
    EXPECT_NO_THROW(Plot->SetDataFileFormat(kpdffText));
    EXPECT_THROW(Plot->SetDataFileFormat(kpdffCompactInterval), Exception);
}

TEST_F(PlotLogTest, AFlushNeverWritesRowsChannelZeroDoesNotHold)
{
    StartLog("log.txt", kpdffText, 0);
    Plot->GetChannel(1)->AddXY(1, 1);
    PlotTest::RolesOf(*Plot).Log.RowsAdded(5);  // channel 0 holds none of them
    Plot->GetChannel(0)->AddXY(7, 70);
    Plot->GetChannel(0)->AddXY(8, 80);
    PlotTest::RolesOf(*Plot).Log.RowsAdded(2);
    Plot->LogDeactivate();
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), "(X)\tChannel 1(Y)\tChannel 2(Y)\r\n7\t70\t1\r\n8\t80\t\r\n");
}

TEST_F(PlotLogTest, OnAFullDiskEachBlockFailsOnceAndNoRowIsCutOrWrittenTwice)
{
    StartLog("log.txt", kpdffText, 2);
    AddRows(0, 2);
    const std::string flushed = Scratch.ReadBytes("log.txt");
    Integer failures = 0;
    {
        TFullDisk disk(5);  // room for part of a row
        for (Integer r = 2; r < 8; ++r) failures += MessageOf([&] { AddRows(r, 1); }) == "Erreur d'écriture du flux";
    }
    EXPECT_EQ(failures, 3);  // rows 3, 5 and 7 end a block; the others wait
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), flushed);
    EXPECT_EQ(PlotTest::RolesOf(*Plot).Log.Waiting(), 6);

    AddRows(8, 2);  // room again
    std::string expected = "(X)\tChannel 1(Y)\tChannel 2(Y)\r\n";
    for (Integer r = 0; r < 10; ++r)
        expected += IntToStr(r) + "\t" + IntToStr(r * 10) + "\t" + (r == 3 ? "Null" : IntToStr(-r)) + "\r\n";
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), expected);
}

TEST_F(PlotLogTest, AppendingRefusesALogThatEndsInsideARowOrAfterAnEndMark)
{
    StartLog("log.bin", kpdffCompactInterval, 0);
    AddRows(0, 3);
    Plot->LogDeactivate();
    const std::string log = Scratch.ReadBytes("log.bin");
    Plot->SaveDataToFile(Path("data.bin"));
    const std::pair<std::string, const char*> damaged[] = {
        {log.substr(0, log.size() - 1), "the log ends inside a value"},
        {log.substr(0, log.size() - 4), "Invalid Data - the file ends inside row 2 after 1 of its values"},
        {Scratch.ReadBytes("data.bin"), "the log ends with the end mark of a data file"},
    };
    for (const auto& [bytes, message] : damaged) {
        Scratch.WriteBytes("log.bin", bytes);
        EXPECT_EQ(MessageOf([&] { Plot->LogActivate(true); }), message);
        EXPECT_FALSE(Plot->LoggingActive());
        EXPECT_EQ(Scratch.ReadBytes("log.bin"), bytes);
    }

    Plot->SetDataFileFormat(kpdffText);
    Scratch.WriteBytes("log.txt", "(X)\tA(Y)\tB(Y)\r\n1\t2\t3\r\n4\t5");
    Plot->SetLogFileName(Path("log.txt"));
    EXPECT_EQ(MessageOf([&] { Plot->LogActivate(true); }), "the log ends inside a row");
    Scratch.WriteBytes("log.txt", "(X)\tA(Y)\tB(Y)\r\n1\t2\t3\r\n");
    EXPECT_NO_THROW(Plot->LogActivate(true));
}

}  // namespace
