// The plot's output: printing page by page to PDF files that an
// independent reader checks, a plot left as it was whatever happens, image
// files chosen by their ending, and the clipboard copy without toolbars.

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/component/kPlot.h"
#include "components/plot/input/kPlotToolBar.h"
#include "platform/Clipbrd.h"
#include "platform/CommonDialogs.h"
#include "platform/Metafile.h"
#include "platform/Printers.h"
#include "platform/Testing.h"
#include "support/ImageCompare.h"
#include "support/MessageOf.h"
#include "support/PdfInfo.h"
#include "support/TempFolder.h"

using namespace Testing;

namespace {

// A 300 x 200 plot whose X axis 0 shows 0 .. 10, printed on landscape A4
// without the print dialog.
class PlotOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Plot->SetBounds(0, 0, 300, 200);
        for (Integer i = 0; i <= 100; ++i) Plot->GetChannel(0)->AddXY(i / 10.0, i % 7);
        Axis()->SetTrackingEnabled(false);
        Axis()->SetMinSpan(0, 10);
        Plot->SetPrintShowDialog(false);
        Plot->SetPrintDocumentName("output test");
        Printer()->SetPrinterIndex(Printer()->Printers()->IndexOf("PDF"));
        Printer()->DeviceMode()->dmPaperSize = DMPAPER_A4;
        Plot->OnBeforePrintPage = [this](TObject*, Integer Page, bool Last) { Pages.emplace_back(Page, Last); };
    }
    void TearDown() override
    {
        Answers::Clear();
        Printer()->SetFileName(String());
    }
    TkPlotXAxis* Axis() const { return Plot->GetXAxis(0); }
    TPdfInfo PrintedPdf() const { return ReadPdfInfo(Printer()->OutputFile()); }

    TOwned<TkPlot> Plot{Create<TkPlot>(nullptr)};
    std::vector<std::pair<Integer, bool>> Pages;
};

}  // namespace

TEST_F(PlotOutputTest, PagesFollowTheSpanFromOneAndGiveAPdfOfThatManyPagesOfThePaper)
{
    if (!PdfInfoAvailable()) GTEST_SKIP() << "pdfinfo is not installed";
    Plot->PrintChart();  // one span: one page
    EXPECT_EQ(Pages, (std::vector<std::pair<Integer, bool>>{{1, true}}));
    EXPECT_EQ(PrintedPdf().Pages, 1);

    Pages.clear();
    Plot->OnBeforePrint = [this](TObject*) { Axis()->SetSpan(4); };
    Plot->PrintChart();
    EXPECT_EQ(Pages, (std::vector<std::pair<Integer, bool>>{{1, false}, {2, false}, {3, true}}));
    const TPdfInfo pdf = PrintedPdf();
    ASSERT_TRUE(pdf.Read);
    EXPECT_EQ(pdf.Pages, 3);
    EXPECT_NEAR(pdf.WidthPt, 841.89, 1);  // A4, landscape
    EXPECT_NEAR(pdf.HeightPt, 595.28, 1);
    // The plot is as it was.
    EXPECT_EQ(Axis()->Min(), 0);
    EXPECT_EQ(Axis()->Span(), 10);
    EXPECT_EQ(Plot->Height(), 200);
}

TEST_F(PlotOutputTest, AFileChosenInThePrintDialogGetsTheDocumentAndNothingElseIsWritten)
{
    if (!PdfInfoAvailable()) GTEST_SKIP() << "pdfinfo is not installed";
    TTempFolder folder;
    const std::filesystem::path printFolder(std::getenv("PL_PRINT_TO_DIR"));
    const auto count = [](const std::filesystem::path& Folder) {
        return std::distance(std::filesystem::directory_iterator(Folder), {});
    };
    const auto printed = count(printFolder);
    Plot->SetPrintShowDialog(true);
    Answers::Dialog([&](TObject* Dialog) {
        static_cast<TPrintDialog*>(Dialog)->SetFileName(folder / "chosen.pdf");
        return true;
    });
    Plot->PrintChart();
    EXPECT_EQ(count(folder.Path()), 1);
    EXPECT_EQ(count(printFolder), printed);
    const TPdfInfo pdf = ReadPdfInfo(folder / "chosen.pdf");
    ASSERT_TRUE(pdf.Read);
    EXPECT_EQ(pdf.Pages, 1);
    EXPECT_NEAR(pdf.WidthPt, 841.89, 1);  // A4, landscape
    EXPECT_NEAR(pdf.HeightPt, 595.28, 1);
}

TEST_F(PlotOutputTest, AFailureMidWayRaisesAndLeavesThePlotAndNoDocument)
{
    Plot->SetOuterMarginLeft(9);
    Plot->OnBeforePrint = [this](TObject*) {
        Axis()->SetSpan(2);
        Plot->SetOuterMarginLeft(0);
        Plot->SetBounds(0, 0, 100, 50);
    };
    Plot->OnBeforePrintPage = [](TObject*, Integer Page, bool) {
        if (Page == 2) throw Exception("out of paper");
    };
    const Integer printed = PagesPrinted();
    EXPECT_EQ(MessageOf([&] { Plot->PrintChart(); }), "Error Printing : out of paper");
    EXPECT_EQ(PagesPrinted(), printed);
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(Axis()->Min(), 0);
    EXPECT_EQ(Axis()->Span(), 10);
    EXPECT_EQ(Plot->Width(), 300);
    EXPECT_EQ(Plot->OuterMarginLeft(), 9);
    EXPECT_EQ(Plot->GetToolBar(0)->Visible(), true);
}

TEST_F(PlotOutputTest, PagesThatCannotBeLaidOutOrDoNotAdvanceEndThePrint)
{
    Plot->SetPrintMarginLeft(20);  // wider than the paper
    EXPECT_EQ(MessageOf([&] { Plot->PrintChart(); }), "Error Printing : the margins leave no room on the paper");
    Plot->SetPrintMarginLeft(1);
    Plot->SetBounds(0, 0, 0, 200);
    EXPECT_EQ(MessageOf([&] { Plot->PrintChart(); }), "Error Printing : the plot has no size");
    Plot->SetBounds(0, 0, 300, 200);

    // An axis that will not move on stops after its page instead of
    // printing the same page for ever.
    Plot->OnBeforePrint = [this](TObject*) { Axis()->SetSpan(4); };
    Plot->OnXAxisMinChange = [this](TObject*, Integer, Double, Double NewValue) {
        if (NewValue != 0) Axis()->SetMin(0);
    };
    Plot->PrintChart();
    EXPECT_EQ(Pages, (std::vector<std::pair<Integer, bool>>{{1, false}}));
    Plot->OnXAxisMinChange = nullptr;

    // The dialog cancelled prints nothing.
    Pages.clear();
    Plot->SetPrintShowDialog(true);
    Answers::Dialog([](TObject* Dialog) { return dynamic_cast<TPrintDialog*>(Dialog) == nullptr; });
    Plot->PrintChart();
    EXPECT_TRUE(Pages.empty());
}

TEST_F(PlotOutputTest, ImageFilesFollowTheEndingIgnoringCase)
{
    TTempFolder folder;
    EXPECT_TRUE(Plot->SaveImageByExtension(folder / "plot.BMP"));
    EXPECT_TRUE(Plot->SaveImageByExtension(folder / "plot.Png"));
    EXPECT_TRUE(Plot->SaveImageByExtension(folder / "plot.jpg"));
    EXPECT_TRUE(Plot->SaveImageByExtension(folder / "plot.Emf"));
    EXPECT_FALSE(Plot->SaveImageByExtension(folder / "plot.gif"));
    EXPECT_FALSE(Plot->SaveImageByExtension(folder / "pn"));
    EXPECT_TRUE(std::filesystem::exists(folder / "plot.BMP"));
    EXPECT_FALSE(std::filesystem::exists(folder / "plot.gif"));

    // Save asks the dialog; the chosen filter's extension is appended.
    Plot->SetDefaultSaveImageFormat(kpifPNG);
    Answers::Dialog([&](TObject* Dialog) {
        auto* file = dynamic_cast<TFileDialog*>(Dialog);
        EXPECT_EQ(file->FilterIndex(), 4);
        EXPECT_EQ(file->FileName(), "Untitled");
        file->SetFileName(folder / "saved");
        return true;
    });
    Plot->Save();
    EXPECT_TRUE(std::filesystem::exists(folder / "saved.png"));
}

TEST_F(PlotOutputTest, TheClipboardCopyHasNoToolbarsAndEachToolbarKeepsItsVisibility)
{
    Plot->AddToolBar();
    Plot->GetToolBar(1)->SetVisible(false);
    TOwned<TBitmap> without = CreateOwned<TBitmap>();
    {
        Plot->GetToolBar(0)->SetVisible(false);
        without->SetSize(300, 200);
        Plot->kPaintTo(without->Canvas());
        Plot->GetToolBar(0)->SetVisible(true);
    }
    Plot->SetCopyToClipBoardFormat(kpefBitmap);
    Plot->CopyToClipBoard();
    EXPECT_TRUE(Plot->GetToolBar(0)->Visible());
    EXPECT_FALSE(Plot->GetToolBar(1)->Visible());
    const std::vector<Byte> bytes = Clipboard()->Data("image/bmp");
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    stream.SetPosition(0);
    TOwned<TBitmap> copied = CreateOwned<TBitmap>();
    copied->LoadFromStream(stream);
    EXPECT_EQ(MaxChannelDifference(*copied, *without), 0);

    Plot->SetCopyToClipBoardFormat(kpefJPEG);
    Plot->CopyToClipBoard();
    EXPECT_TRUE(Clipboard()->HasFormat("image/jpeg"));
    Plot->SetCopyToClipBoardFormat(kpefMetaFile);
    Plot->CopyToClipBoard();
    EXPECT_TRUE(Clipboard()->HasFormat("image/x-emf"));
    EXPECT_FALSE(Clipboard()->Data("image/x-emf").empty());

    // The toolbar's Copy button is the same copy.
    Plot->SetCopyToClipBoardFormat(kpefJPEG);
    Clipboard()->Clear();
    Plot->GetToolBar(0)->DoButtonClickCopy();
    EXPECT_TRUE(Clipboard()->HasFormat("image/jpeg"));
}

TEST_F(PlotOutputTest, TheSnapshotIsAMetafileThePlotKeeps)
{
    TPicture* snapshot = Plot->GetSnapShotPicture();
    EXPECT_EQ(Plot->GetSnapShotPicture(), snapshot);
    auto* metafile = dynamic_cast<TMetafile*>(snapshot->Graphic());
    ASSERT_NE(metafile, nullptr);
    EXPECT_EQ(metafile->Description(), "kPlot");
    EXPECT_EQ(metafile->Width(), 300);
    TOwned<TBitmap> direct = CreateOwned<TBitmap>();
    direct->SetSize(300, 200);
    Plot->kPaintTo(direct->Canvas());
    TOwned<TBitmap> replayed = CreateOwned<TBitmap>();
    replayed->Assign(metafile);
    EXPECT_EQ(MaxChannelDifference(*direct, *replayed), 0);
}

TEST_F(PlotOutputTest, FillingThePageFollowsThePaperAndAFlatPlotKeepsItsSpan)
{
    Printer()->SetOrientation(poPortrait);
    Plot->PrintSizeToFillPage();
    EXPECT_EQ(Plot->Height(), 424);  // 300 x 297 / 210, truncated
    Plot->PrintAdjustXSpanToMinutesPerMillimeter(60);
    // An hour per millimetre: the span in days is the axis length in mm / 24.
    const Double axisPixels = Axis()->ScaleMap().Stop - Axis()->ScaleMap().Start;
    const Double printableInches = 297 / 25.4 - 2;
    EXPECT_NEAR(Axis()->Span() * 24, 25.4 * axisPixels * printableInches / 424, 1e-9);
    Plot->SetBounds(0, 0, 300, 0);
    Plot->PrintAdjustXSpanToMinutesPerMillimeter(60);
    EXPECT_NEAR(Axis()->Span() * 24, 25.4 * axisPixels * printableInches / 424, 1e-9);
}
