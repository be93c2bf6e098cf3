#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <new>

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLabel.h"
#include "support/MessageOf.h"
#include "support/PlotFiles.h"

using namespace PlotTest;

namespace {

class PlotConfigFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { kXYPlotInitialization(); }

    TTempFolder Scratch;
    TOwned<TkXYPlot> Plot{Create<TkXYPlot>(nullptr)};

    String Path(const char* Name) const { return Scratch / Name; }

    // Every kind of object, none at its defaults.
    void Populate()
    {
        Plot->SetTitleText("Pressure");
        Plot->AddChannel();
        Plot->GetChannel(1)->SetColor(0x00FF00);
        Plot->GetChannel(1)->SetTitleText("Second");
        Plot->AddXAxis();
        Plot->GetXAxis(1)->SetMin(-5);
        Plot->AddYAxis();
        Plot->AddLegend();
        Plot->AddTable();
        Plot->AddLabel();
        Plot->GetLabel(1)->SetCaption("Note");
        Plot->AddDataCursor();
        Plot->AddLimit();
        Plot->AddAnnotation();
        Plot->SetOuterMarginLeft(17);
        Plot->SetHintsPause(700);
        Plot->SetBounds(3, 4, 300, 200);
        Fill(*Plot->GetChannel(0), {Valid(1, 2)});
    }
};

TEST_F(PlotConfigFileTest, AWholePlotRoundTripsByteForByte)
{
    Populate();
    Plot->SetDifferentialPropertySave(true);
    Plot->SavePropertiesToFile(Path("plot.cfg"));
    const std::string text = Scratch.ReadBytes("plot.cfg");
    EXPECT_EQ(text.rfind("File Type = Plot Config\r\nChannelCount = 2\r\nXAxisCount = 2\r\nYAxisCount = 2\r\n"
                         "ToolBarCount = 1\r\nLegendCount = 2\r\nTableCount = 1\r\nLabelCount = 2\r\n"
                         "DataViewCount = 1\r\nDataCursorCount = 2\r\nLimitCount = 1\r\nDataViewZHorz = ",
                         0),
              0u);
    EXPECT_NE(text.find("\r\nChannel1.Color = 65280\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\r\nLeft = "), std::string::npos);
    EXPECT_EQ(text.find("Annotation0."), std::string::npos);

    TOwned<TkXYPlot> copy{Create<TkXYPlot>(nullptr)};
    std::vector<String> events;
    copy->OnBeforeLoadProperties = [&](TObject*) { events.push_back("before"); };
    copy->OnAfterLoadProperties = [&](TObject*) { events.push_back("after"); };
    copy->AddAnnotation();
    copy->LoadPropertiesFromFile(Path("plot.cfg"));
    EXPECT_EQ(events, (std::vector<String>{"before", "after"}));
    EXPECT_EQ(copy->ChannelCount(), 2);
    EXPECT_EQ(copy->GetChannel(1)->Color(), 0x00FF00);
    EXPECT_EQ(copy->GetXAxis(1)->Min(), -5);
    EXPECT_EQ(copy->GetLabel(1)->Caption(), "Note");
    EXPECT_EQ(copy->TitleText(), "Pressure");
    EXPECT_EQ(copy->OuterMarginLeft(), 17);
    EXPECT_EQ(copy->AnnotationCount(), 0);
    EXPECT_EQ(copy->LastPropertiesFileName(), Path("plot.cfg"));
    copy->SavePropertiesToFile(Path("again.cfg"));
    EXPECT_EQ(Scratch.ReadBytes("again.cfg"), text);
}

TEST_F(PlotConfigFileTest, PlacementIsSavedOnlyWhenAskedFor)
{
    Plot->SetBounds(3, 4, 300, 200);
    Plot->SetOptionSaveAllProperties(true);
    Plot->SavePropertiesToFile(Path("all.cfg"));
    TOwned<TkXYPlot> copy{Create<TkXYPlot>(nullptr)};
    copy->LoadPropertiesFromFile(Path("all.cfg"));
    EXPECT_EQ(copy->Left(), 3);
    EXPECT_EQ(copy->Width(), 300);
}

TEST_F(PlotConfigFileTest, SectionsFollowTheFilesRules)
{
    // Sections of a second toolbar go to the first; a channel without a
    // colour line is red; a missing count removes the kind.
    Scratch.WriteBytes("hand.cfg", "file type = plot config\r\nChannelCount = 1\r\nToolBarCount = 2\r\n"
                                   "Channel0.TitleText = T\r\nChannel0.NoSuchProperty = 5\r\nToolBar0.Visible = 0\r\n"
                                   "ToolBar1.Visible = 1\r\nGizmo0.Size = 3\r\nno equals sign\r\nHintsPause = 900\r\n");
    Plot->LoadPropertiesFromFile(Path("hand.cfg"));
    EXPECT_EQ(Plot->ChannelCount(), 1);
    EXPECT_EQ(Plot->GetChannel(0)->Color(), 255);
    EXPECT_EQ(Plot->GetChannel(0)->TitleText(), "T");
    EXPECT_EQ(Plot->LegendCount(), 0);
    EXPECT_EQ(Plot->ToolBarCount(), 1);
    EXPECT_TRUE(Plot->GetToolBar(0)->Visible());
    EXPECT_EQ(Plot->LabelCount(), 1);  // the title stays
    EXPECT_EQ(Plot->HintsPause(), 900);  // unknown sections and properties pass
}

TEST_F(PlotConfigFileTest, AFailedLoadLeavesThePlotAsItWas)
{
    Populate();
    Plot->SavePropertiesToFile(Path("good.cfg"));
    const std::string before = Scratch.ReadBytes("good.cfg");
    Integer after = 0;
    Plot->OnAfterLoadProperties = [&](TObject*) { ++after; };
    const auto refused = [&](const char* Name, const std::string& Bytes) {
        Scratch.WriteBytes(Name, Bytes);
        const String message = MessageOf([&] { Plot->LoadPropertiesFromFile(Path(Name)); });
        Plot->SavePropertiesToFile(Path("now.cfg"));
        EXPECT_EQ(Scratch.ReadBytes("now.cfg"), before) << Name;
        EXPECT_EQ(Plot->GetChannel(0)->Count(), 1) << Name;
        return message;
    };
    EXPECT_EQ(refused("other.cfg", "File Type = Plot Channel Config\r\n"),
              "Error Loading Properties - Incompatible Plot Configuration File Type");
    EXPECT_EQ(refused("none.cfg", ""), "Error Loading Properties - Incompatible Plot Configuration File Type");
    EXPECT_NE(refused("huge.cfg", "File Type = Plot Config\r\nChannelCount = 2000000000\r\n").find("exceeds"),
              String::npos);
    EXPECT_EQ(refused("value.cfg", "File Type = Plot Config\r\nChannelCount = 1\r\nLimitCount = 1\r\n"
                                   "Channel0.Color = 5\r\nLimit0.Style = 99\r\n")
                  .rfind("Error Loading Properties - ", 0),
              0u);
    EXPECT_EQ(refused("count.cfg", "File Type = Plot Config\r\nChannelCount = many\r\n").rfind("Error Loading", 0),
              0u);
    // No save writes a negative count, nor a byte that is no text.
    EXPECT_EQ(refused("negative.cfg", "File Type = Plot Config\r\nChannelCount = -3\r\n"),
              "Error Loading Properties - \"" + Path("negative.cfg") + "\" ChannelCount -3 is below 0");
    EXPECT_EQ(refused("binary.cfg", before + std::string(8, '\0')),
              "Error Loading Properties - \"" + Path("binary.cfg") + "\" line " +
                  IntToStr(Integer(std::count(before.begin(), before.end(), '\n')) + 1) +
                  ": the control character #0 is no text: the file is binary");
    EXPECT_EQ(after, 0);
    EXPECT_EQ(Plot->LastPropertiesFileName(), Path("now.cfg"));  // no failed file
}

// A failure that only the plot meets, not the trial plot that proved the
// file (memory running out, an event handler), puts back every object the
// load replaced, the very objects, with their points, references and
// statistics, and every setting it changed.
TEST_F(PlotConfigFileTest, AFailureInThePlotItselfPutsBackWhatTheLoadReplaced)
{
    Populate();
    Fill(*Plot->GetChannel(1), {Valid(3, 4), Valid(5, 6)});
    Plot->GetChannel(1)->SetXAxisName(Plot->GetXAxis(1)->Name());
    Plot->GetAnnotation(0)->SetText("kept");
    Plot->SavePropertiesToFile(Path("before.cfg"));
    const std::string before = Scratch.ReadBytes("before.cfg");
    TkPlotChannelCustom* const first = Plot->GetChannel(0);
    TkPlotChannelCustom* const channel = Plot->GetChannel(1);
    TkPlotXAxis* const axis = Plot->GetXAxis(1);
    TkPlotAnnotation* const annotation = Plot->GetAnnotation(0);
    const Double mean = channel->RunningXMean();

    // The objects the file makes take the names of those it replaces, and
    // rename them: the references of the objects replaced must not follow.
    // It changes the plot's settings and the title's before it fails.
    TOwned<TkXYPlot> other{Create<TkXYPlot>(nullptr)};
    while (other->ChannelCount() < 40) other->AddChannel();
    other->GetXAxis(0)->SetName(axis->Name());
    other->GetChannel(0)->SetName("Renamed");
    other->SetTitleText("Other");
    other->SetOuterMarginTop(40);
    other->SavePropertiesToFile(Path("other.cfg"));
    Integer added = 0;
    for (TkPlotObjectKind kind : {kpokChannel, kpokAnnotation})
        Plot->OnObjectAdd[kind] = [&added](TObject*, Integer) {
            if (++added == 30) throw std::bad_alloc();
        };
    const auto failed = [&](const std::function<void()>& Load) {
        added = 0;
        EXPECT_NE(MessageOf(Load).find("Error Loading"), String::npos);
        Plot->SavePropertiesToFile(Path("after.cfg"));
        EXPECT_EQ(Scratch.ReadBytes("after.cfg"), before);
        EXPECT_EQ(Plot->GetChannel(1), channel);
        EXPECT_EQ(channel->XAxis(), axis);
        EXPECT_EQ(first->XAxis(), Plot->GetXAxis(0));
        EXPECT_EQ(Plot->GetDataCursor(0)->GetChannel(), first);
        EXPECT_EQ(PointsOf(*channel), (TPoints{Valid(3, 4), Valid(5, 6)}));
        EXPECT_EQ(channel->RunningXMean(), mean);
        ASSERT_EQ(Plot->AnnotationCount(), 1);
        EXPECT_EQ(Plot->GetAnnotation(0), annotation);
        EXPECT_EQ(annotation->Text(), "kept");
    };
    failed([&] { Plot->LoadPropertiesFromFile(Path("other.cfg")); });
    for (Integer i = 0; i < 40; ++i) other->GetAnnotation(other->AddAnnotation())->SetText("new");
    other->SaveAnnotationsToFile(Path("other.txt"));
    failed([&] { Plot->LoadAnnotationsFromFile(Path("other.txt")); });
    // Once the handler lets it, the same file loads.
    Plot->OnObjectAdd[kpokChannel] = nullptr;
    Plot->LoadPropertiesFromFile(Path("other.cfg"));
    EXPECT_EQ(Plot->ChannelCount(), 40);
    EXPECT_EQ(Plot->TitleText(), "Other");
}

// A count that its sections do not fill gives objects of their own
// defaults; a file cut short loads what it holds.
TEST_F(PlotConfigFileTest, CountsBeyondTheSectionsMakeDefaultObjects)
{
    Scratch.WriteBytes("short.cfg", "File Type = Plot Config\r\nChannelCount = 3\r\nChannel0.TitleText = Volts\r\n");
    Plot->LoadPropertiesFromFile(Path("short.cfg"));
    ASSERT_EQ(Plot->ChannelCount(), 3);
    EXPECT_EQ(Plot->GetChannel(0)->TitleText(), "Volts");
    EXPECT_EQ(Plot->GetChannel(2)->Name(), "Channel 3");
    EXPECT_EQ(Plot->GetChannel(2)->Color(), clRed);
}

TEST_F(PlotConfigFileTest, AnnotationsRoundTripFromTheirOwnDefaults)
{
    Plot->SetAnnotationDefaultPenColor(clRed);
    Plot->AddAnnotation();
    Plot->AddAnnotation();
    Plot->GetAnnotation(0)->SetPenColor(clWhite);  // the class default: not written
    Plot->GetAnnotation(1)->SetBrushColor(clBlue);
    Plot->GetAnnotation(1)->PolyPointAdd(1.5, -2);
    Plot->GetAnnotation(1)->PolyPointAdd(3, 4.25);
    Plot->SaveAnnotationsToFile(Path("a.txt"));
    EXPECT_EQ(Scratch.ReadBytes("a.txt").rfind("AnnotationCount = 2\r\nAnnotation0.", 0), 0u);

    TOwned<TkXYPlot> copy{Create<TkXYPlot>(nullptr)};
    copy->SetAnnotationDefaultPenColor(clRed);
    copy->LoadAnnotationsFromFile(Path("a.txt"));
    ASSERT_EQ(copy->AnnotationCount(), 2);
    EXPECT_EQ(copy->GetAnnotation(0)->PenColor(), clWhite);
    EXPECT_EQ(copy->GetAnnotation(1)->PenColor(), clRed);
    EXPECT_EQ(copy->GetAnnotation(1)->BrushColor(), clBlue);
    ASSERT_EQ(copy->GetAnnotation(1)->PolyPoints().size(), 2u);
    EXPECT_EQ(copy->GetAnnotation(1)->PolyPoints()[1].Y, 4.25);
    EXPECT_TRUE(copy->GetAnnotation(0)->PolyPoints().empty());
    copy->SaveAnnotationsToFile(Path("again.txt"));
    EXPECT_EQ(Scratch.ReadBytes("again.txt"), Scratch.ReadBytes("a.txt"));

    Scratch.WriteBytes("bad.txt", "AnnotationCount = 1\r\nAnnotation0.PenStyle = 99\r\n");
    EXPECT_EQ(MessageOf([&] { copy->LoadAnnotationsFromFile(Path("bad.txt")); }).rfind("Error Loading Annotations - ", 0),
              0u);
    EXPECT_EQ(copy->AnnotationCount(), 2);
    Scratch.WriteBytes("zero.txt", "AnnotationCount = 0\r\n");
    copy->LoadAnnotationsFromFile(Path("zero.txt"));
    EXPECT_EQ(copy->AnnotationCount(), 0);
}

// Every style with its own coordinates, text, vertices and loaded picture
// comes back from the annotation file, which then saves byte for byte again.
TEST_F(PlotConfigFileTest, EveryAnnotationStyleRoundTrips)
{
    TOwned<TBitmap> picture = CreateOwned<TBitmap>();
    picture->SetSize(3, 2);
    picture->Canvas()->SetPixels(1, 1, clRed);
    picture->SaveToFile(Path("picture.bmp"));
    for (Integer style = kpasText; style <= kpasRectangle2; ++style) {
        TkPlotAnnotation* annotation = Plot->GetAnnotation(Plot->AddAnnotation());
        annotation->SetStyle(static_cast<TkPlotAnnotationStyle>(style));
        annotation->SetX(style + 0.5);
        annotation->SetY(-style);
        annotation->SetX2(2 * style);
        annotation->SetY2(style / 4.0);
        annotation->SetWidth(10 + style);
        annotation->SetHeight(20 + style);
        annotation->SetText("Note " + IntToStr(style));
    }
    Plot->GetAnnotation(kpasPolygon)->PolyPointAdd(0.1, 0.2);
    Plot->GetAnnotation(kpasPolygon)->PolyPointAdd(1e-300, -7);
    Plot->GetAnnotation(kpasImage)->ImageLoadFromFile(Path("picture.bmp"));
    Plot->SaveAnnotationsToFile(Path("all.txt"));

    TOwned<TkXYPlot> copy{Create<TkXYPlot>(nullptr)};
    copy->LoadAnnotationsFromFile(Path("all.txt"));
    ASSERT_EQ(copy->AnnotationCount(), kpasRectangle2 + 1);
    for (Integer style = kpasText; style <= kpasRectangle2; ++style) {
        const TkPlotAnnotation* annotation = copy->GetAnnotation(style);
        EXPECT_EQ(annotation->Style(), style);
        EXPECT_EQ(annotation->X2(), 2 * style);
        EXPECT_EQ(annotation->Y2(), style / 4.0);
        EXPECT_EQ(annotation->Text(), "Note " + IntToStr(style));
    }
    ASSERT_EQ(copy->GetAnnotation(kpasPolygon)->PolyPoints().size(), 2u);
    EXPECT_EQ(copy->GetAnnotation(kpasPolygon)->PolyPoints()[1].X, 1e-300);
    TBitmap* image = copy->GetAnnotation(kpasImage)->Image();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 3);
    EXPECT_EQ(image->Canvas()->Pixels(1, 1), clRed);
    copy->SaveAnnotationsToFile(Path("again.txt"));
    EXPECT_EQ(Scratch.ReadBytes("again.txt"), Scratch.ReadBytes("all.txt"));
}

// A file of another kind wipes no annotation and says which file it was;
// the forms that hold no annotation still load as none.
TEST_F(PlotConfigFileTest, AnnotationFilesOfAnotherKindAreRefused)
{
    Plot->SaveDataToFile(Path("data.txt"));
    std::string noise;
    for (Integer i = 0; i < 4096; ++i) noise += static_cast<char>(i * 7919 % 251 + 1);
    for (const auto& [name, bytes] : std::vector<std::pair<const char*, std::string>>{
             {"data.txt", Scratch.ReadBytes("data.txt")}, {"noise.bin", noise}, {"nul.bin", std::string(64, '\0')}}) {
        Plot->AddAnnotation();
        Scratch.WriteBytes(name, bytes);
        const String message = MessageOf([&] { Plot->LoadAnnotationsFromFile(Path(name)); });
        EXPECT_EQ(message.rfind("Error Loading Annotations - \"" + Path(name) + "\" ", 0), 0u) << message;
        EXPECT_EQ(Plot->AnnotationCount(), 1) << name;
        Plot->RemoveAllAnnotations();
    }
    Plot->AddAnnotation();
    Scratch.WriteBytes("uncounted.txt", "Annotation0.Text = lost\r\n");
    Plot->LoadAnnotationsFromFile(Path("uncounted.txt"));
    EXPECT_EQ(Plot->AnnotationCount(), 0);
}

// Blank lines wherever they stand, and every kind of line end, load as the
// file without them: each reader loads its variants of a saved file, and the
// plot saves it again byte for byte.
TEST_F(PlotConfigFileTest, BlankLinesAndLineEndsLoadAsWithout)
{
    Populate();
    Plot->GetChannel(0)->SetXAxisName("X-Axis 2");
    Plot->GetAnnotation(0)->SetWidth(7);
    struct TReader {
        const char* Name;
        std::function<void(TkXYPlot&, const String&)> Save;
        std::function<void(TkXYPlot&, const String&)> Load;
    };
    const TReader readers[] = {
        {"configuration", [](TkXYPlot& P, const String& F) { P.SavePropertiesToFile(F); },
         [](TkXYPlot& P, const String& F) { P.LoadPropertiesFromFile(F); }},
        {"channel", [](TkXYPlot& P, const String& F) { P.GetChannel(0)->SavePropertiesToFile(F); },
         [](TkXYPlot& P, const String& F) { P.GetChannel(0)->LoadPropertiesFromFile(F); }},
        {"annotations", [](TkXYPlot& P, const String& F) { P.SaveAnnotationsToFile(F); },
         [](TkXYPlot& P, const String& F) { P.LoadAnnotationsFromFile(F); }},
    };
    const auto replaced = [](std::string Text, const std::string& With) {
        std::string out;
        for (std::size_t at = 0, end; (end = Text.find("\r\n", at)) != std::string::npos; at = end + 2)
            out += Text.substr(at, end - at) + With;
        return out;
    };
    for (const TReader& reader : readers) {
        reader.Save(*Plot, Path("saved.txt"));
        const std::string saved = Scratch.ReadBytes("saved.txt");
        const std::string variants[] = {replaced(saved, "\r\n\r\n"), replaced(saved, "\r\n \t\n"),
                                        replaced(saved, "\r\r\n"), replaced(saved, "\n"), replaced(saved, "\r")};
        for (const std::string& variant : variants) {
            Scratch.WriteBytes("variant.txt", variant);
            TOwned<TkXYPlot> copy{Create<TkXYPlot>(nullptr)};
            copy->AddXAxis();  // the channel's X axis, for the channel file alone
            reader.Load(*copy, Path("variant.txt"));
            reader.Save(*copy, Path("again.txt"));
            EXPECT_EQ(Scratch.ReadBytes("again.txt"), saved)
                << reader.Name << " from " << testing::PrintToString(variant);
        }
    }
}

// Every plot saves an annotation file that loads back, however many it
// holds; a count that the file's lines cannot hold is refused before any
// object is made, and the plot keeps its annotations.
TEST_F(PlotConfigFileTest, AnnotationCountsAreBoundByTheFilesLines)
{
    for (Integer i = 0; i < 10001; ++i) Plot->GetAnnotation(Plot->AddAnnotation())->SetX(i);
    Plot->SaveAnnotationsToFile(Path("many.txt"));
    TOwned<TkXYPlot> copy{Create<TkXYPlot>(nullptr)};
    copy->LoadAnnotationsFromFile(Path("many.txt"));
    ASSERT_EQ(copy->AnnotationCount(), 10001);
    EXPECT_EQ(copy->GetAnnotation(10000)->X(), 10000);
    copy->SaveAnnotationsToFile(Path("again.txt"));
    EXPECT_EQ(Scratch.ReadBytes("again.txt"), Scratch.ReadBytes("many.txt"));

    // An object counts once, however many lines its section holds; one
    // line repeated backs one object.
    Scratch.WriteBytes("counted.txt", "AnnotationCount = 10003\r\nAnnotation0.X = 1\r\nAnnotation0.Y = 1\r\n"
                                      "Annotation1.X = 2\r\nAnnotation01.X = 3\r\nAnnotation10003.X = 4\r\n");
    EXPECT_EQ(MessageOf([&] { copy->LoadAnnotationsFromFile(Path("counted.txt")); }),
              "Error Loading Annotations - \"" + Path("counted.txt") +
                  "\" AnnotationCount 10003 exceeds the 10002 objects that the file can hold (10000 and one for each "
                  "object whose section it holds)");
    EXPECT_EQ(copy->AnnotationCount(), 10001);
    std::string repeated = "File Type = Plot Config\r\nChannelCount = 10005\r\n";
    for (Integer i = 0; i < 100; ++i) repeated += "Channel0.Color = 255\r\n";
    Scratch.WriteBytes("repeated.cfg", repeated);
    Integer added = 0;
    copy->OnObjectAdd[kpokChannel] = [&added](TObject*, Integer) { ++added; };
    EXPECT_EQ(MessageOf([&] { copy->LoadPropertiesFromFile(Path("repeated.cfg")); }),
              "Error Loading Properties - \"" + Path("repeated.cfg") +
                  "\" ChannelCount 10005 exceeds the 10001 objects that the file can hold (10000 and one for each "
                  "object whose section it holds)");
    EXPECT_EQ(added, 0);
    Scratch.WriteBytes("wide.cfg", "File Type = Plot Config\r\nLegendCount = 10001\r\n");
    EXPECT_NE(MessageOf([&] { copy->LoadPropertiesFromFile(Path("wide.cfg")); }).find("LegendCount 10001 exceeds"),
              String::npos);
    EXPECT_EQ(copy->AnnotationCount(), 10001);
}

// No save writes a file that its loader would refuse.
TEST_F(PlotConfigFileTest, AControlCharacterInATextIsNoFile)
{
    Plot->SavePropertiesToFile(Path("plot.cfg"));
    const std::string before = Scratch.ReadBytes("plot.cfg");
    Plot->SetTitleText("Bell\a");
    EXPECT_EQ(MessageOf([&] { Plot->SavePropertiesToFile(Path("plot.cfg")); }),
              "Error Saving Properties - Label0.Caption holds the control character #7, which a text file cannot "
              "hold");
    EXPECT_EQ(Scratch.ReadBytes("plot.cfg"), before);
}

}  // namespace
