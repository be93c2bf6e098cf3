#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/files/kPlotDataFiles.h"
#include "components/plot/component/kPlot.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/view/kPlotLimit.h"
#include "platform/Consts.h"
#include "platform/System.h"
#include "support/MessageOf.h"
#include "support/PlotFiles.h"
#include "support/PlotRoles.h"

using namespace PlotTest;

namespace {

std::string Singles(std::initializer_list<float> Values)
{
    std::string bytes;
    for (float v : Values) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &v, 4);
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
    return bytes;
}

class PlotDataFileTest : public ::testing::Test {
protected:
    TTempFolder Scratch;
    TOwned<TkXYPlot> Plot = PlotWithChannels(2);

    TkPlotChannelCustom& Channel(Integer Index) { return *Plot->GetChannel(Index); }
    String Path(const char* Name) const { return Scratch / Name; }

    // Two channels of 5 and 3 points, with a null and an empty point.
    void FillTwoChannels()
    {
        Channel(0).SetTitleText("A");
        Channel(1).SetTitleText("B");
        Fill(Channel(0), {Valid(1, 10), Null(2), Empty(3), Valid(4, 40), Valid(5, 50)});
        Fill(Channel(1), {Valid(1, 1.5), Valid(2, 2.5), Valid(3, 3.5)});
    }
    // The points of a file loaded into a fresh plot of Channels channels.
    std::vector<TPoints> LoadedInto(Integer Channels, const char* Name)
    {
        TOwned<TkXYPlot> fresh = PlotWithChannels(Channels);
        fresh->LoadDataFromFile(Path(Name));
        return PlotPoints(*fresh);
    }
};

// --- text form ----------------------------------------------------------------------------

TEST_F(PlotDataFileTest, TextFileHoldsPairsWithMarkersAndEmptyFieldsPastAShortChannel)
{
    FillTwoChannels();
    Plot->SaveDataToFile(Path("data.txt"));
    EXPECT_EQ(Scratch.ReadBytes("data.txt"),
              "A(X)\tA(Y)\tB(X)\tB(Y)\r\n"
              "1\t10\t1\t1.5\r\n"
              "2\tNull\t2\t2.5\r\n"
              "3\tEmpty\t3\t3.5\r\n"
              "4\t40\t\t\r\n"
              "5\t50\t\t\r\n");
    // The short channel gets no points from the empty fields.
    EXPECT_EQ(LoadedInto(2, "data.txt"), PlotPoints(*Plot));
}

TEST_F(PlotDataFileTest, HeaderTitlesNeverMakeAnotherLayoutOrLine)
{
    // A blank title gives the channel's name; "(X)" at the start would make
    // the file read as a shared-X file; tabs and line breaks would split it.
    Channel(0).SetTitleText("(X) volts");
    Channel(1).SetTitleText("a\tb\r\nc");
    Fill(Channel(0), {Valid(1, 2)});
    Fill(Channel(1), {Valid(3, 4)});
    Plot->SaveDataToFile(Path("d.txt"));
    EXPECT_EQ(Scratch.ReadBytes("d.txt"), " (X) volts(X)\t(X) volts(Y)\ta b  c(X)\ta b  c(Y)\r\n1\t2\t3\t4\r\n");
    EXPECT_EQ(LoadedInto(2, "d.txt"), PlotPoints(*Plot));

    Channel(0).SetTitleText("  ");
    Plot->SaveDataToFile(Path("e.txt"));
    EXPECT_EQ(Scratch.ReadBytes("e.txt").rfind(Channel(0).Name() + "(X)\t", 0), 0u);
}

TEST_F(PlotDataFileTest, TextRoundTripKeepsFifteenDigitsMarkersAndRingOrder)
{
    Channel(1).SetRingBufferSize(4);
    const TPoints first = {Valid(0.1, -1.0 / 3), Null(1e-7), Empty(2), Valid(123456789012345.0, 1e300),
                           Valid(-0.0, 5e-324)};
    Fill(Channel(0), first);
    Fill(Channel(1), {Valid(1, 1), Valid(2, 2), Null(3), Valid(4, 4), Empty(5), Valid(6, 6)});  // wraps
    Plot->SaveDataToFile(Path("a.txt"));
    const std::vector<TPoints> loaded = LoadedInto(2, "a.txt");
    ASSERT_EQ(loaded.size(), 2u);
    ASSERT_EQ(loaded[0].size(), first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(loaded[0][i].Kind, first[i].Kind) << i;
        EXPECT_NEAR(loaded[0][i].X, first[i].X, std::fabs(first[i].X) * 1e-14) << i;
        EXPECT_NEAR(loaded[0][i].Y, first[i].Y, std::fabs(first[i].Y) * 1e-14) << i;
    }
    EXPECT_EQ(loaded[1], PointsOf(Channel(1)));

    // Saved again from the loaded points, the file is the same.
    TOwned<TkXYPlot> again = PlotWithChannels(2);
    again->LoadDataFromFile(Path("a.txt"));
    for (Integer c = 0; c < 2; ++c) again->GetChannel(c)->SetTitleText(Channel(c).TitleText());
    again->SaveDataToFile(Path("b.txt"));
    EXPECT_EQ(Scratch.ReadBytes("b.txt"), Scratch.ReadBytes("a.txt"));
}

TEST_F(PlotDataFileTest, TimeChannelsRoundTripInBothForms)
{
    for (TkPlotDataFileFormat format : {kpdffText, kpdffCompactInterval}) {
        TOwned<TkPlot> plot{Create<TkPlot>(nullptr)};
        plot->SetDataFileFormat(format);
        plot->GetChannel(0)->SetRingBufferSize(5);
        for (Integer i = 0; i < 8; ++i) plot->GetChannel(0)->AddPoint(i == 6, i == 5, 0.5 * i, i == 5 || i == 6 ? 0 : i * 1.5);
        plot->SaveDataToFile(Path("time.dat"));
        TOwned<TkPlot> copy{Create<TkPlot>(nullptr)};
        copy->LoadDataFromFile(Path("time.dat"));
        TPoints expected = PointsOf(*plot->GetChannel(0));
        // The compact form keeps no null or empty flags.
        if (format == kpdffCompactInterval)
            for (TkPlotFilePoint& p : expected) p.Kind = TkPlotPointKind::Valid;
        EXPECT_EQ(PointsOf(*copy->GetChannel(0)), expected) << format;
    }
}

TEST_F(PlotDataFileTest, CommaColumnsAndADecimalCommaKeepTheirValues)
{
    TRestoreScope<TFormatSettings> settings(FormatSettings);
    FormatSettings.DecimalSeparator = ',';
    Plot->SetDataFileColumnSeparator(kpdfcsComma);
    Channel(0).SetTitleText("A");
    Channel(1).SetTitleText("B");
    Fill(Channel(0), {Valid(1.5, 2.25)});
    Fill(Channel(1), {Valid(-3.5, 4)});
    Plot->SaveDataToFile(Path("comma.txt"));
    EXPECT_EQ(Scratch.ReadBytes("comma.txt"), "A(X),A(Y),B(X),B(Y)\r\n1.5,2.25,-3.5,4\r\n");
    EXPECT_EQ(LoadedInto(2, "comma.txt"), PlotPoints(*Plot));

    // Tab-separated files of either decimal separator read in the other.
    Scratch.WriteBytes("point.txt", "(X)\tA(Y)\r\n1.5\t2.5\r\n");
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(LoadedInto(1, "point.txt"), (std::vector<TPoints>{{Valid(1.5, 2.5)}}));
    FormatSettings.DecimalSeparator = '.';
    Scratch.WriteBytes("decimalcomma.txt", "A(X)\tA(Y)\r\n1,5\t2,5\r\n");
    EXPECT_EQ(LoadedInto(1, "decimalcomma.txt"), (std::vector<TPoints>{{Valid(1.5, 2.5)}}));
}

TEST_F(PlotDataFileTest, SharedXFilesGiveEveryChannelTheRowsX)
{
    Scratch.WriteBytes("shared.txt",
                       "\xEF\xBB\xBF(x),A(Y),B(Y),C(Y)\n"
                       "1,10,null,5\n"
                       ",99,99\n"
                       "2,, EMPTY ,6,7\n"
                       "nan,inf,-INF\n");
    const std::vector<TPoints> loaded = LoadedInto(2, "shared.txt");
    ASSERT_EQ(loaded.size(), 2u);
    ASSERT_EQ(loaded[0].size(), 2u);
    EXPECT_EQ(loaded[0][0], Valid(1, 10));
    EXPECT_TRUE(std::isnan(loaded[0][1].X));
    EXPECT_EQ(loaded[0][1].Y, std::numeric_limits<double>::infinity());
    EXPECT_EQ(loaded[1][0], Null(1));
    EXPECT_EQ(loaded[1][1], Empty(2));
    EXPECT_EQ(loaded[1][2].Y, -std::numeric_limits<double>::infinity());
}

TEST_F(PlotDataFileTest, ABadTextFileNamesItsLineAndChangesNoChannel)
{
    FillTwoChannels();
    const std::vector<TPoints> before = PlotPoints(*Plot);
    const auto failure = [&](const char* Name, const std::string& Bytes) {
        Scratch.WriteBytes(Name, Bytes);
        const String message = MessageOf([&] { Plot->LoadDataFromFile(Path(Name)); });
        EXPECT_EQ(PlotPoints(*Plot), before) << Name;
        return message;
    };
    EXPECT_EQ(failure("bad.txt", "A(X)\tA(Y)\r\n1\t2\r\n3\tfour\r\n"),
              "Error Loading Data - \"" + Path("bad.txt") + "\" line 3: " + Format(SInvalidFloat, "four"));
    EXPECT_NE(failure("empty.txt", "").find("the file is empty"), String::npos);
    EXPECT_NE(failure("garbage.txt", std::string("\x89PNG\r\nIHDR,\0\x10\xFF\r\n", 14)).find("line 2:"),
              String::npos);
    EXPECT_NE(failure("long.txt", "A(X)\tA(Y)\r\n1\t" + std::string(10 << 20, '7') + "x\r\n").find("line 2:"),
              String::npos);
    EXPECT_EQ(failure("missing", "").rfind("Error Loading Data - ", 0), 0u);
    std::filesystem::remove(Scratch.Path() / "missing");
    EXPECT_EQ(MessageOf([&] { Plot->LoadDataFromFile(Path("missing")); }).rfind("Error Loading Data - ", 0), 0u);
    EXPECT_EQ(PlotPoints(*Plot), before);
}

// A file of one line, or of bytes that are no text, clears no channel.
TEST_F(PlotDataFileTest, ReplacingFromAFileOfAnotherKindKeepsTheChannels)
{
    FillTwoChannels();
    const std::vector<TPoints> before = PlotPoints(*Plot);
    for (const auto& [name, bytes, error] : std::vector<std::tuple<const char*, std::string, String>>{
             {"line.txt", "1\t2\t3\t4", "the file holds no line break: it is no data file"},
             {"nul.txt", std::string("A(X)\tA(Y)\r\n1\t2\r\n\0\0", 18),
              "line 3: the control character #0 is no text: the file is binary"}}) {
        Scratch.WriteBytes(name, bytes);
        EXPECT_EQ(MessageOf([&] { Plot->ReplaceDataFromFile(Path(name)); }),
                  "Error Loading Data - \"" + Path(name) + "\" " + error);
        EXPECT_EQ(PlotPoints(*Plot), before) << name;
    }
}

// However long the text a message quotes, it quotes 60 characters at most.
TEST_F(PlotDataFileTest, MessagesQuoteNoMoreThanAFewHundredCharacters)
{
    const std::string field(10 << 20, '7');
    Scratch.WriteBytes("long.txt", "A(X)\tA(Y)\r\n1\t" + field + "x\r\n");
    EXPECT_EQ(MessageOf([&] { Plot->LoadDataFromFile(Path("long.txt")); }),
              "Error Loading Data - \"" + Path("long.txt") + "\" line 2: " +
                  Format(SInvalidFloat, field.substr(0, 253) + "..."));
    Scratch.WriteBytes("long.cfg", "File Type = Plot Config\r\nOuterMarginLeft = " + field + "\r\n");
    EXPECT_LT(MessageOf([&] { Plot->LoadPropertiesFromFile(Path("long.cfg")); }).size(), 400u);
}

// --- Compact Interval form ------------------------------------------------------------------

TEST_F(PlotDataFileTest, CompactFileHoldsSinglesWithMissingValuesAndAnEndMark)
{
    Plot->SetDataFileFormat(kpdffCompactInterval);
    Fill(Channel(0), {Valid(0, 1), Valid(0.5, 2), Valid(1, 3)});
    Fill(Channel(1), {Valid(7, -1e38)});
    Plot->SaveDataToFile(Path("c.bin"));
    EXPECT_EQ(Scratch.ReadBytes("c.bin"), "Compact Interval\r\n2\r\n" +
                                              Singles({0, 1, 7, -1e38f, 0.5f, 2, 1e38f, 1e38f, 3, 1e38f, 2e38f}));
}

TEST_F(PlotDataFileTest, CompactRoundTripToSinglePrecisionWithStepsFromTheFirstTwoX)
{
    Plot->SetDataFileFormat(kpdffCompactInterval);
    Channel(1).SetRingBufferSize(3);
    for (Integer i = 0; i < 6; ++i) {
        Channel(0).AddXY(10 + 0.25 * i, std::sin(i));
        Channel(1).AddXY(i, i * 1.1);
    }
    Plot->SaveDataToFile(Path("c.bin"));
    const std::vector<TPoints> loaded = LoadedInto(2, "c.bin");
    const std::vector<TPoints> saved = PlotPoints(*Plot);
    ASSERT_EQ(loaded.size(), 2u);
    for (std::size_t c = 0; c < 2; ++c) {
        ASSERT_EQ(loaded[c].size(), saved[c].size()) << c;
        for (std::size_t i = 0; i < saved[c].size(); ++i) {
            EXPECT_EQ(loaded[c][i].X, static_cast<float>(saved[c][i].X)) << c << " " << i;
            EXPECT_EQ(loaded[c][i].Y, static_cast<float>(saved[c][i].Y)) << c << " " << i;
        }
    }
    // A plot without channels saves a file that loads as nothing.
    TOwned<TkXYPlot> none = PlotWithChannels(0);
    none->SetDataFileFormat(kpdffCompactInterval);
    none->SaveDataToFile(Path("none.bin"));
    EXPECT_NO_THROW(LoadedInto(0, "none.bin"));
}

// Every point comes back or the save fails, naming the first point lost,
// and the file saved before stays; an X is lost in the first two rows
// alone, where the file holds it.
TEST_F(PlotDataFileTest, ACompactSaveLosesNoPointWithoutAWord)
{
    Plot->SetDataFileFormat(kpdffCompactInterval);
    Channel(1).SetTitleText("B");
    const auto fill = [&](TkPlotChannelCustom& Target, Integer Point, Double X, Double Y) {
        Target.Clear();
        for (Integer i = 0; i < 12000; ++i) Target.AddXY(i == Point ? X : 0.5 * i, i == Point ? Y : i % 7);
    };
    fill(Channel(0), -1, 0, 0);
    fill(Channel(1), -1, 0, 0);
    Plot->SaveDataToFile(Path("c.bin"));
    const std::string saved = Scratch.ReadBytes("c.bin");
    const Double inf = std::numeric_limits<Double>::infinity();
    const struct {
        Integer Point;
        Double X, Y;
        const char* Message;
    } refused[] = {
        {5000, 2500, std::nan(""), "point 5000: a Compact Interval file cannot hold its Y value NAN"},
        {11999, 5999.5, inf, "point 11999: a Compact Interval file cannot hold its Y value INF"},
        {7, 3.5, -inf, "point 7: a Compact Interval file cannot hold its Y value -INF"},
        {2, 1, 9e37, "point 2: a Compact Interval file cannot hold its Y value 9E37"},
        {3, 1.5, -1e39, "point 3: a Compact Interval file cannot hold its Y value -1E39"},
        {0, std::nan(""), 1, "point 0: a Compact Interval file cannot hold its X value NAN"},
        {1, inf, 1, "point 1: a Compact Interval file cannot hold its X value INF"},
    };
    for (const auto& c : refused) {
        fill(Channel(1), c.Point, c.X, c.Y);
        EXPECT_EQ(MessageOf([&] { Plot->SaveDataToFile(Path("c.bin")); }),
                  String("Error Saving Data - channel 1 \"B\", ") + c.Message +
                      ": it holds single floats below 9E37 only");
        EXPECT_EQ(Scratch.ReadBytes("c.bin"), saved) << c.Message;
    }
    // Down to the most negative single, values are the form's own; an X
    // past the second row is none of the file's.
    for (const Double y : {-9e37, -static_cast<Double>(std::numeric_limits<float>::max())}) {
        fill(Channel(1), 6000, std::nan(""), y);
        Plot->SaveDataToFile(Path("c.bin"));
        const TPoints loaded = LoadedInto(2, "c.bin")[1];
        ASSERT_EQ(loaded.size(), 12000u) << y;
        EXPECT_EQ(loaded[6000], Valid(3000, static_cast<float>(y)));
    }
}

TEST_F(PlotDataFileTest, ABadCompactFileNamesWhatIsWrongAndChangesNoChannel)
{
    FillTwoChannels();
    const std::vector<TPoints> before = PlotPoints(*Plot);
    const auto failure = [&](const std::string& Bytes) {
        Scratch.WriteBytes("bad.bin", Bytes);
        const String message = MessageOf([&] { Plot->LoadDataFromFile(Path("bad.bin")); });
        EXPECT_EQ(PlotPoints(*Plot), before);
        return message;
    };
    const std::string head = "Compact Interval\r\n";
    EXPECT_NE(failure(head + "-1\r\n" + Singles({1, 2})).find("line 2: the channel count -1 is below 0"),
              String::npos);
    EXPECT_NE(failure(head + "0\r\n" + Singles({1, 2})).find("2 values follow a channel count of 0"), String::npos);
    EXPECT_NE(failure(head + "two\r\n").find("line 2: 'two' is no channel count"), String::npos);
    EXPECT_NE(failure(head + "2147483647\r\n" + Singles({1, 2, 3})).find("Invalid Data"), String::npos);
    EXPECT_NE(failure(head + "1\r\n" + Singles({1, 2, 3})).find("Invalid Data - the file ends inside row 1 after 1 of its values"),
              String::npos);
    EXPECT_NE(failure(head + "2\r\n" + Singles({1, 2, 3, 4, 1, 2, 3, 4, 5, 6, 7})).find("inside row 3 after 1"),
              String::npos);
    EXPECT_NE(failure(head + "1\r\n" + Singles({1, 2}) + "\x01").find("inside a value"), String::npos);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_NE(failure(head + "1\r\n" + Singles({1, nan, 2e38f})).find("row 0, channel 0: value beyond"),
              String::npos);
    EXPECT_NE(failure(head + "1\r\n" + Singles({1, 3e38f, 1, 2})).find("row 0, channel 0"), String::npos);
    // Past the first block of four values, which one pass checks at once.
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_NE(failure(head + "1\r\n" + Singles({1, 2, 3, 4, nan, 6, 7, 8})).find("row 2, channel 0: value beyond"),
              String::npos);
    EXPECT_NE(failure(head + "1\r\n" + Singles({1, 2, 3, 4, 5, -inf, 7, 8})).find("row 3, channel 0: value beyond"),
              String::npos);
    EXPECT_NE(failure(head).find("line 2: the header line has no line break"), String::npos);
}

TEST_F(PlotDataFileTest, CompactFilesOfMoreChannelsFillThePlotsChannels)
{
    Scratch.WriteBytes("three.bin", "compact interval\n3\n" + Singles({1, 2, 1, 3, 1, 4, 2, 5, 2, 6, 2, 7, 8, 9, 1e38f}));
    EXPECT_EQ(LoadedInto(2, "three.bin"),
              (std::vector<TPoints>{{Valid(1, 2), Valid(2, 5), Valid(3, 8)}, {Valid(1, 3), Valid(2, 6), Valid(3, 9)}}));
}

// --- what a load makes of the plot ------------------------------------------------------------

// Whatever the form, a channel takes the room that adding its own points
// one by one would give it, not that of a longer channel beside it.
TEST_F(PlotDataFileTest, ALoadLeavesEachChannelTheRoomOfItsOwnPoints)
{
    for (Integer i = 0; i < 200000; ++i) Channel(0).AddXY(0.25 * i, i % 13);
    for (Integer i = 0; i < 10; ++i) Channel(1).AddXY(i, i);
    for (const TkPlotDataFileFormat format : {kpdffCompactInterval, kpdffText}) {
        Plot->SetDataFileFormat(format);
        Plot->SaveDataToFile(Path("room.dat"));
        for (const TkPlotDataStyle style : {kpdsStandard, kpdsCompactInterval, kpdsFullFeature}) {
            TOwned<TkXYPlot> loaded = PlotWithChannels(2);
            TOwned<TkXYPlot> byOne = PlotWithChannels(2);
            for (TkXYPlot* plot : {loaded.get(), byOne.get()})
                for (Integer c = 0; c < 2; ++c) {
                    plot->GetChannel(c)->SetDataStyle(style);
                    // A load appends to what a channel holds.
                    plot->GetChannel(c)->AddXY(-1, 0);
                }
            loaded->LoadDataFromFile(Path("room.dat"));
            for (Integer c = 0; c < 2; ++c) {
                const TkPlotChannelCustom& channel = *loaded->GetChannel(c);
                for (Integer i = 1; i < channel.Count(); ++i)
                    byOne->GetChannel(c)->AddXY(channel.GetXValue(i), channel.GetYValue(i));
                EXPECT_EQ(channel.Count(), c == 0 ? 200001 : 11);
                EXPECT_EQ(channel.Capacity(), byOne->GetChannel(c)->Capacity()) << format << " " << style << " " << c;
            }
        }
    }
}

// A channel whose store refuses the file's points fails the load before
// any channel takes one or keeps room for them.
TEST_F(PlotDataFileTest, AStoreThatRefusesItsPointsFailsTheLoadBeforeAnyChannelChanges)
{
    Scratch.WriteBytes("big.txt", "A(X)\tA(Y)\tB(X)\tB(Y)\r\n1\t2\t1\t3\r\n2\t3\t2\t1e39\r\n");
    Channel(1).SetDataStyle(kpdsCompact);
    const TPoints full = {Valid(0, 1), Valid(0, 2), Valid(0, 3), Valid(0, 4)};
    Fill(Channel(0), full);
    const Integer capacity = Channel(0).Capacity();
    EXPECT_EQ(MessageOf([&] { Plot->LoadDataFromFile(Path("big.txt")); }).rfind("Error Loading Data - ", 0), 0u);
    EXPECT_EQ(PointsOf(Channel(0)), full);
    EXPECT_EQ(Channel(0).Capacity(), capacity);
    EXPECT_EQ(Channel(1).Count(), 0);
}

// The text of the largest doubles, which FloatToStr rounds past them, and
// that of the smallest denormals read back as those values, in every
// text file that holds numbers.
TEST_F(PlotDataFileTest, TheLargestAndSmallestDoublesRoundTripThroughEveryTextFile)
{
    const Double largest = std::numeric_limits<Double>::max();
    const Double tiny = std::numeric_limits<Double>::denorm_min();
    const TPoints points = {Valid(largest, -largest), Valid(-tiny, tiny), Valid(tiny, largest)};
    Fill(Channel(0), points);
    Fill(Channel(1), points);
    Plot->SaveDataToFile(Path("data.txt"));
    EXPECT_EQ(LoadedInto(2, "data.txt"), (std::vector<TPoints>{points, points}));

    Channel(0).SaveDataToFile(Path("channel.txt"));
    TOwned<TkXYPlot> copy = PlotWithChannels(1);
    copy->GetChannel(0)->LoadDataFromFile(Path("channel.txt"), true);
    EXPECT_EQ(PointsOf(*copy->GetChannel(0)), points);

    TOwned<TkXYPlot> logged = PlotWithChannels(1);
    logged->SetLogFileName(Path("log.txt"));
    logged->LogActivate(false);
    Fill(*logged->GetChannel(0), points);
    PlotTest::RolesOf(*logged).Log.RowsAdded(3);
    logged->LogDeactivate();
    EXPECT_EQ(LoadedInto(1, "log.txt"), std::vector<TPoints>{points});

    Plot->AddLimit();
    Plot->GetLimit(0)->SetLine1Position(-largest);
    Plot->GetLimit(0)->SetLine2Position(tiny);
    Plot->SavePropertiesToFile(Path("plot.cfg"));
    copy->LoadPropertiesFromFile(Path("plot.cfg"));
    EXPECT_EQ(copy->GetLimit(0)->Line1Position(), -largest);
    EXPECT_EQ(copy->GetLimit(0)->Line2Position(), tiny);

    TkPlotAnnotation* annotation = Plot->GetAnnotation(Plot->AddAnnotation());
    annotation->SetX(largest);
    annotation->PolyPointAdd(-largest, -tiny);
    Plot->SaveAnnotationsToFile(Path("notes.txt"));
    copy->LoadAnnotationsFromFile(Path("notes.txt"));
    ASSERT_EQ(copy->AnnotationCount(), 1);
    EXPECT_EQ(copy->GetAnnotation(0)->X(), largest);
    ASSERT_EQ(copy->GetAnnotation(0)->PolyPoints().size(), 1u);
    EXPECT_EQ(copy->GetAnnotation(0)->PolyPoints()[0].X, -largest);
    EXPECT_EQ(copy->GetAnnotation(0)->PolyPoints()[0].Y, -tiny);
}

// --- saving -----------------------------------------------------------------------------------

TEST_F(PlotDataFileTest, ASaveReplacesTheFileWholeOrNotAtAll)
{
    FillTwoChannels();
    Integer saved = 0, loaded = 0;
    Plot->OnAfterSaveData = [&](TObject* Sender) { saved += Sender == Plot.get(); };
    Plot->OnAfterLoadData = [&](TObject* Sender) { loaded += Sender == Plot.get(); };
    Scratch.WriteBytes("old.txt", "old");
    Plot->SaveDataToFile(Path("old.txt"));
    EXPECT_EQ(Scratch.ReadBytes("old.txt").substr(0, 4), "A(X)");
    EXPECT_EQ(Plot->LastDataFileName(), Path("old.txt"));

    std::filesystem::create_directory(Scratch.Path() / "dir");
    EXPECT_EQ(MessageOf([&] { Plot->SaveDataToFile(Path("dir")); }).rfind("Error Saving Data - ", 0), 0u);
    EXPECT_EQ(MessageOf([&] { Plot->SaveDataToFile(Path("no/such/dir.txt")); }).rfind("Error Saving Data - ", 0),
              0u);
    EXPECT_EQ(Plot->LastDataFileName(), Path("old.txt"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Scratch.Path()), {}), 2);  // no temporary left
    Plot->LoadDataFromFile(Path("old.txt"));
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(loaded, 1);
}

TEST_F(PlotDataFileTest, DataCursorChangeNamesTheCursorsIndex)
{
    std::vector<Integer> heard;
    Plot->OnDataCursorChange = [&](TObject*, Integer Index) { heard.push_back(Index); };
    Plot->AddDataCursor();
    PlotTest::SeamOf(*Plot).Events->Fire(PlotEvent::DataCursorChange{Plot->GetDataCursor(1)});
    PlotTest::SeamOf(*Plot).Events->Fire(PlotEvent::DataCursorChange{nullptr});
    EXPECT_EQ(heard, std::vector<Integer>{1});
}

}  // namespace

// Lines end in CR, LF or CR LF alike; a separator at a line's end opens no
// field; a binary byte deep in the file names its own line.
TEST(PlotTextDataReader, LineEndsTrailingSeparatorsAndLateBinaryBytes)
{
    const TkPlotFileChannels data =
        ReadPlotTextData("A(X),A(Y),B(X),B(Y)\r1,2,3,4\n5,6,,\r\n\r,,7,8\r9,Null", 2);
    const auto points = [](const std::vector<TkPlotFilePoint>& Points) {
        std::vector<std::tuple<double, double, TkPlotPointKind>> out;
        for (const TkPlotFilePoint& p : Points) out.emplace_back(p.X, p.Y, p.Kind);
        return out;
    };
    using K = TkPlotPointKind;
    EXPECT_EQ(points(data[0]), (decltype(points(data[0])){{1, 2, K::Valid}, {5, 6, K::Valid}, {9, 0, K::Null}}));
    EXPECT_EQ(points(data[1]), (decltype(points(data[1])){{3, 4, K::Valid}, {7, 8, K::Valid}}));

    std::string rows;
    for (int i = 0; i < 20; ++i) rows += "1\t2\r\n";
    EXPECT_EQ(MessageOf([&] { ReadPlotTextData("A(X)\tA(Y)\r\n" + rows + "3\t\x01\r\n" + rows, 1); }),
              "line 22: the control character #1 is no text: the file is binary");
}
