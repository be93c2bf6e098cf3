#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "support/MessageOf.h"
#include "support/PlotFiles.h"
#include "support/PlotRoles.h"

using namespace PlotTest;

namespace {

const std::string kUtf8Mark = "\xEF\xBB\xBF";

std::string SampleBytes(const char* Name)
{
    std::ifstream in(String(PL_TEST_SAMPLES) + Name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class PlotFileEncodingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { kXYPlotInitialization(); }

    TTempFolder Scratch;
    TOwned<TkXYPlot> Plot = PlotWithChannels(2);

    String Path(const char* Name) const { return Scratch / Name; }
    String Sample(const char* Name)
    {
        Scratch.WriteBytes(Name, SampleBytes(Name));
        return Path(Name);
    }
};

// Files of the code page's text, as the writers made them before UTF-8
// came in, load with that text and save as the same bytes.
TEST_F(PlotFileEncodingTest, StoredFilesWithinTheCodePageSaveByteForByte)
{
    Plot->LoadPropertiesFromFile(Sample("western.cfg"));
    EXPECT_EQ(Plot->TitleText(), "Température (°C) — œuvre €");
    EXPECT_EQ(Plot->GetChannel(1)->TitleText(), "Débit ‰");
    Plot->SavePropertiesToFile(Path("plot.cfg"));
    EXPECT_EQ(Scratch.ReadBytes("plot.cfg"), SampleBytes("western.cfg"));

    Plot->GetChannel(1)->LoadPropertiesFromFile(Sample("western-channel.cfg"));
    Plot->GetChannel(1)->SavePropertiesToFile(Path("channel.cfg"));
    EXPECT_EQ(Scratch.ReadBytes("channel.cfg"), SampleBytes("western-channel.cfg"));

    Plot->LoadAnnotationsFromFile(Sample("western-annotations.txt"));
    ASSERT_EQ(Plot->AnnotationCount(), 1);
    EXPECT_EQ(Plot->GetAnnotation(0)->Text(), "Zone ½ « été » ™");
    Plot->SaveAnnotationsToFile(Path("annotations.txt"));
    EXPECT_EQ(Scratch.ReadBytes("annotations.txt"), SampleBytes("western-annotations.txt"));

    Fill(*Plot->GetChannel(0), {Valid(1, 2.5), Valid(2, -3)});
    Fill(*Plot->GetChannel(1), {Valid(1, 7), Null(2)});
    Plot->SaveDataToFile(Path("data.txt"));
    EXPECT_EQ(Scratch.ReadBytes("data.txt"), SampleBytes("western-data.txt"));
    Plot->SetLogFileName(Path("log.txt"));
    Plot->LogActivate(false);
    Plot->LogDeactivate();
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), SampleBytes("western-log.txt"));
}

// Text beyond the code page makes the whole file UTF-8 behind its mark,
// which loads back the same text and saves as the same bytes again.
TEST_F(PlotFileEncodingTest, TextBeyondTheCodePageRoundTrips)
{
    const String greek = "Θερμοκρασία (°C)";
    const String cjk = "温度の注記 😀";
    Plot->SetTitleText(greek);
    Plot->GetChannel(1)->SetTitleText(cjk);
    Plot->GetAnnotation(Plot->AddAnnotation())->SetText(cjk);
    struct Case {
        const char* Name;
        std::function<void(TkXYPlot&, const String&)> Save, Load;
    };
    for (const Case& c : std::vector<Case>{
             {"plot.cfg", [](TkXYPlot& P, const String& F) { P.SavePropertiesToFile(F); },
              [](TkXYPlot& P, const String& F) { P.LoadPropertiesFromFile(F); }},
             {"channel.cfg", [](TkXYPlot& P, const String& F) { P.GetChannel(1)->SavePropertiesToFile(F); },
              [](TkXYPlot& P, const String& F) { P.GetChannel(1)->LoadPropertiesFromFile(F); }},
             {"annotations.txt", [](TkXYPlot& P, const String& F) { P.SaveAnnotationsToFile(F); },
              [](TkXYPlot& P, const String& F) { P.LoadAnnotationsFromFile(F); }},
         }) {
        c.Save(*Plot, Path(c.Name));
        const std::string bytes = Scratch.ReadBytes(c.Name);
        EXPECT_EQ(bytes.rfind(kUtf8Mark, 0), 0u) << c.Name;
        TOwned<TkXYPlot> copy = PlotWithChannels(2);
        c.Load(*copy, Path(c.Name));
        c.Save(*copy, Path("again"));
        EXPECT_EQ(Scratch.ReadBytes("again"), bytes) << c.Name;
    }
    TOwned<TkXYPlot> copy = PlotWithChannels(2);
    copy->LoadPropertiesFromFile(Path("plot.cfg"));
    EXPECT_EQ(copy->TitleText(), greek);
    EXPECT_EQ(copy->GetChannel(1)->TitleText(), cjk);
    copy->LoadAnnotationsFromFile(Path("annotations.txt"));
    ASSERT_EQ(copy->AnnotationCount(), 1);
    EXPECT_EQ(copy->GetAnnotation(0)->Text(), cjk);
}

// A title beyond the code page makes the data file and the log UTF-8 from
// their header on; the rows a log takes later are ASCII, so an append
// keeps the log in the one encoding it has.
TEST_F(PlotFileEncodingTest, DataFilesAndLogsTakeTheirHeadersEncoding)
{
    Plot->GetChannel(0)->SetTitleText("Πίεση");
    Fill(*Plot->GetChannel(0), {Valid(1, 2), Valid(2, 3)});
    Fill(*Plot->GetChannel(1), {Valid(1, -1), Valid(2, -2)});
    Plot->SaveDataToFile(Path("data.txt"));
    EXPECT_EQ(Scratch.ReadBytes("data.txt"),
              kUtf8Mark + "Πίεση(X)\tΠίεση(Y)\tChannel 2(X)\tChannel 2(Y)\r\n1\t2\t1\t-1\r\n2\t3\t2\t-2\r\n");
    TOwned<TkXYPlot> copy = PlotWithChannels(2);
    copy->LoadDataFromFile(Path("data.txt"));
    EXPECT_EQ(PlotPoints(*copy), PlotPoints(*Plot));

    Plot->SetLogFileName(Path("log.txt"));
    Plot->LogActivate(false);
    Plot->LogDeactivate();
    Plot->LogActivate(true);
    Plot->GetChannel(0)->AddXY(3, 4);
    Plot->GetChannel(1)->AddXY(3, 5);
    PlotTest::RolesOf(*Plot).Log.RowsAdded(1);
    Plot->LogDeactivate();
    EXPECT_EQ(Scratch.ReadBytes("log.txt"), kUtf8Mark + "(X)\tΠίεση(Y)\tChannel 2(Y)\r\n3\t4\t5\r\n");
}

// Bytes after a UTF-8 mark that are no UTF-8 are nobody's text: the load
// says where and changes nothing.
TEST_F(PlotFileEncodingTest, AFileMarkedAsUtf8ThatIsNoneIsRefused)
{
    Plot->SetTitleText("Θ");
    Plot->GetAnnotation(Plot->AddAnnotation())->SetText("Θ");
    const String tail = ": the byte #233 is no UTF-8, though the file's byte-order mark says UTF-8";
    struct Case {
        const char* Name;
        std::function<void(TkXYPlot&, const String&)> Save, Load;
        const char* Prefix;
    };
    for (const Case& c : std::vector<Case>{
             {"plot.cfg", [](TkXYPlot& P, const String& F) { P.SavePropertiesToFile(F); },
              [](TkXYPlot& P, const String& F) { P.LoadPropertiesFromFile(F); }, "Error Loading Properties - "},
             {"channel.cfg", [](TkXYPlot& P, const String& F) { P.GetChannel(1)->SavePropertiesToFile(F); },
              [](TkXYPlot& P, const String& F) { P.GetChannel(1)->LoadPropertiesFromFile(F); },
              "Error Loading Properties - "},
             {"annotations.txt", [](TkXYPlot& P, const String& F) { P.SaveAnnotationsToFile(F); },
              [](TkXYPlot& P, const String& F) { P.LoadAnnotationsFromFile(F); }, "Error Loading Annotations - "},
         }) {
        c.Save(*Plot, Path("before"));
        const std::string before = Scratch.ReadBytes("before");
        // A Windows-1252 "é" on the second line of a file marked as UTF-8.
        std::string bytes = kUtf8Mark + before;
        bytes.insert(bytes.find('\n') + 1, "\xE9");
        Scratch.WriteBytes(c.Name, bytes);
        EXPECT_EQ(MessageOf([&] { c.Load(*Plot, Path(c.Name)); }),
                  c.Prefix + ("\"" + Path(c.Name) + "\" line 2") + tail);
        c.Save(*Plot, Path("after"));
        EXPECT_EQ(Scratch.ReadBytes("after"), before) << c.Name;
    }
}

}  // namespace
