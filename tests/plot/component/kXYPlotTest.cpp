#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLabel.h"
#include "components/plot/layout/kPlotLegend.h"
#include "platform/FormStream.h"
#include "platform/ImgList.h"
#include "platform/SysUtils.h"
#include "support/MessageOf.h"
#include "support/PlotRoles.h"

namespace {

Integer Occurrences(const String& Text, const String& Part)
{
    Integer count = 0;
    for (std::size_t at = Text.find(Part); at != String::npos; at = Text.find(Part, at + 1)) ++count;
    return count;
}

// A plot written to form text and read back into a new plot.
class XYPlotStreamTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { kXYPlotInitialization(); }

    TOwned<TkXYPlot> Plot{Create<TkXYPlot>(nullptr)};
    TOwned<TkXYPlot> Copy{Create<TkXYPlot>(nullptr)};

    void SetUp() override { Plot->SetName("Plot1"); }

    // Every layout object's row, by name and orientation.
    static std::map<String, Integer> Rows(const TkPlotComponent& Target)
    {
        std::map<String, Integer> rows;
        const TkPlotLayoutManager* layout = Target.Master().LayoutManager();
        for (Integer i = 0; i < layout->Count(); ++i) {
            const TkPlotLayoutObject* object = layout->GetLayoutObject(i);
            rows[object->Name() + (object->Horizontal() ? " -" : " |")] = object->ZOrder();
        }
        return rows;
    }

    String ReadBack()
    {
        const String text = WriteComponent(Plot.get());
        ReadComponent(text, Copy.get());
        return text;
    }
};

TEST_F(XYPlotStreamTest, PlotWithSeveralChannelsAndAxesComesBackWhole)
{
    Plot->GetXAxis(0)->SetSpan(1080);
    Plot->GetYAxis(Plot->AddYAxis())->SetName("Volts");
    Plot->AddXAxis();
    TkXYPlotChannel* second = Plot->GetChannel(Plot->AddChannel());
    second->SetYAxisName("Volts");
    second->SetTitleText("Correlation");
    Plot->AddChannel();
    Plot->AddTable();
    Plot->AddLimit();
    Plot->AddTranslation("Edit...", "Modifier...");
    Plot->SetTitleText("Signal X");
    Plot->SetOuterMarginLeft(9);
    Plot->SetHintsPause(800);
    Plot->SetBackGroundGradientEnabled(true);
    Plot->SetDataFileColumnSeparator(kpdfcsComma);
    Plot->SetAnnotationDefaultReference(kprtXChannelYDataView);
    Plot->SetPrintMarginTop(0.5);
    Plot->SetUserCanEditObjects(false);

    const String text = ReadBack();

    EXPECT_EQ(Copy->ChannelCount(), 3);
    EXPECT_EQ(Copy->XAxisCount(), 2);
    EXPECT_EQ(Copy->YAxisCount(), 2);
    EXPECT_EQ(Copy->TableCount(), 1);
    EXPECT_EQ(Copy->LimitCount(), 1);
    EXPECT_EQ(Copy->GetXAxis(0)->Span(), 1080);
    TkXYPlotChannel* channel = Copy->GetChannel(1);
    EXPECT_EQ(channel->TitleText(), "Correlation");
    EXPECT_EQ(channel->YAxis(), Copy->GetYAxisByName("volts"));
    EXPECT_EQ(channel->Color(), Plot->GetChannel(1)->Color());
    EXPECT_EQ(Copy->GetTranslationReplacementString(0), "Modifier...");
    EXPECT_EQ(Copy->TitleText(), "Signal X");
    EXPECT_EQ(Copy->OuterMarginLeft(), 9);
    EXPECT_EQ(Copy->HintsPause(), 800);
    EXPECT_TRUE(Copy->BackGroundGradientEnabled());
    EXPECT_EQ(Copy->DataFileColumnSeparator(), kpdfcsComma);
    EXPECT_EQ(Copy->AnnotationDefaultReference(), kprtXChannelYDataView);
    EXPECT_EQ(Copy->PrintMarginTop(), 0.5);
    EXPECT_FALSE(Copy->UserCanEditObjects());
    EXPECT_EQ(WriteComponent(Copy.get()), text);
}

TEST_F(XYPlotStreamTest, TheFormHoldsTheDataViewRowsTwiceAndNoEmptyManager)
{
    const String text = WriteComponent(Plot.get());
    EXPECT_EQ(Occurrences(text, "DataViewZHorz = 1"), 2);
    EXPECT_EQ(Occurrences(text, "DataViewZVert = 1"), 2);
    EXPECT_EQ(Occurrences(text, "TableManager"), 0);
    EXPECT_EQ(Occurrences(text, "LimitManager"), 0);
    EXPECT_EQ(Occurrences(text, "TranslationManager"), 0);
    EXPECT_EQ(Occurrences(text, "OuterMarginLeft"), 0);
    EXPECT_EQ(Occurrences(text, "LoggingActive"), 0);
}

// Empty collections are not written, so a kind emptied before saving comes
// back with the default object of a new plot.
TEST_F(XYPlotStreamTest, AnEmptiedKindComesBackWithItsDefaultObject)
{
    Plot->RemoveAllDataCursors();
    ReadBack();
    ASSERT_EQ(Copy->DataCursorCount(), 1);
    EXPECT_EQ(Copy->GetDataCursor(0)->Name(), "Cursor 1");
}

TEST_F(XYPlotStreamTest, RowsReadStayAsTheyWereWritten)
{
    Plot->GetXAxis(Plot->AddXAxis())->SetZOrder(7);
    Plot->GetLegend(0)->SetZOrder(5);
    Plot->GetYAxis(0)->SetZOrder(3);
    Plot->SetDataViewZVert(2);
    ReadBack();
    EXPECT_EQ(Rows(*Copy), Rows(*Plot));
    EXPECT_EQ(Copy->GetXAxis(1)->ZOrder(), 7);
    EXPECT_EQ(Copy->GetLegend(0)->ZOrder(), 5);
    EXPECT_EQ(Copy->DataViewZVert(), 2);
    EXPECT_TRUE(Copy->Master().LayoutManager()->Enabled());
}

TEST_F(XYPlotStreamTest, AToolBarOnTheTitleRowMovesOneRowOut)
{
    Plot->GetToolBar(0)->SetZOrder(2);
    ReadBack();
    EXPECT_EQ(Copy->GetToolBar(0)->ZOrder(), 3);
    EXPECT_EQ(Copy->GetLabel(0)->ZOrder(), 2);
    // A toolbar across the title's row (another side) stays.
    Plot->GetToolBar(0)->SetHorizontal(false);
    TOwned<TkXYPlot> other{Create<TkXYPlot>(nullptr)};
    ReadComponent(WriteComponent(Plot.get()), other.get());
    EXPECT_EQ(other->GetToolBar(0)->ZOrder(), 2);
}

TEST_F(XYPlotStreamTest, NoObjectEventFiresWhileLoading)
{
    std::vector<String> log;
    for (TkPlotObjectKind kind : PlotListEventKinds) {
        Copy->OnObjectAdd[kind] = [&log](TObject*, Integer) { log.push_back("add"); };
        Copy->OnObjectRemove[kind] = [&log](TObject*, Integer) { log.push_back("remove"); };
    }
    Copy->OnXAxisSpanChange = [&log](TObject*, Integer, Double, Double) { log.push_back("span"); };
    Plot->GetXAxis(0)->SetSpan(20);
    Plot->AddChannel();
    ReadBack();
    EXPECT_TRUE(log.empty());
    Copy->AddChannel();
    EXPECT_EQ(log, std::vector<String>{"add"});
}

TEST_F(XYPlotStreamTest, WritingLeavesThePlotWorking)
{
    WriteComponent(Plot.get());
    EXPECT_TRUE(Plot->Master().LayoutManager()->Enabled());
    EXPECT_FALSE(Plot->GetUpdateActive());
}

TEST_F(XYPlotStreamTest, AFailedReadKeepsTheObjectsAndTheLayout)
{
    String text = WriteComponent(Plot.get());
    const std::size_t at = text.find("Name = 'Y-Axis 1'");
    ASSERT_NE(at, String::npos);
    text.insert(at, "NoSuchProperty = 1\n      ");
    EXPECT_THROW(ReadComponent(text, Copy.get()), EReadError);
    EXPECT_EQ(Copy->YAxisCount(), 1);
    EXPECT_EQ(Copy->GetYAxis(0)->Name(), "Y-Axis 1");
    EXPECT_TRUE(Copy->Master().LayoutManager()->Enabled());
    EXPECT_FALSE(Copy->IsLoading());
}

TEST_F(XYPlotStreamTest, ImageListsWithImagesAreStored)
{
    TOwned<TBitmap> picture = CreateOwned<TBitmap>();
    picture->SetSize(16, 12);
    Plot->ImageListAdd(2, picture.get());
    Plot->ImageListAdd(2, picture.get());
    const String text = ReadBack();
    EXPECT_EQ(Occurrences(text, "ImageList0"), 0);
    EXPECT_EQ(Occurrences(text, "ImageList2"), 1);
    EXPECT_EQ(PlotTest::SeamOf(*Copy).Paint->PlotImageCount(2), 2);
    EXPECT_EQ(Copy->ImageList(2)->Height(), 12);
}

TEST_F(XYPlotStreamTest, ADamagedImageListIsRefusedAndTheListKept)
{
    TOwned<TBitmap> picture = CreateOwned<TBitmap>();
    picture->SetSize(16, 12);
    Plot->ImageListAdd(0, picture.get());
    Copy->ImageListAdd(0, picture.get());
    Copy->ImageListAdd(0, picture.get());
    String text = WriteComponent(Plot.get());
    const std::size_t at = text.find("504C494C");
    ASSERT_NE(at, String::npos);
    text.replace(at, 8, "504C4958");
    const String message = MessageOf<EReadError>([&] { ReadComponent(text, Copy.get()); });
    EXPECT_EQ(message.rfind("Failed to read ImageList data from stream", 0), 0u) << message;
    EXPECT_EQ(PlotTest::SeamOf(*Copy).Paint->PlotImageCount(0), 2);
}

TEST_F(XYPlotStreamTest, AFormCreatesItsPlotsByClassName)
{
    const String text = "object Plot1: TkXYPlot\n"
                        "  Width = 300\n"
                        "  TitleText = 'Loaded'\n"
                        "  ChannelManager = <\n"
                        "    item\n"
                        "      Name = 'Sine'\n"
                        "    end\n"
                        "    item\n"
                        "      Name = 'Cosine'\n"
                        "    end>\n"
                        "end\n";
    ReadComponent(text, Copy.get());
    EXPECT_EQ(Copy->Width(), 300);
    EXPECT_EQ(Copy->TitleText(), "Loaded");
    ASSERT_EQ(Copy->ChannelCount(), 2);
    EXPECT_EQ(Copy->GetChannel(1)->Name(), "Cosine");
    EXPECT_EQ(GetClass("TkXYPlot"), TkXYPlot::StaticClassInfo());
}

}  // namespace
