// The page index and printer paper routines, on a real page control and
// the virtual "PDF" printer.

#include <gtest/gtest.h>

#include "components/foundation/kCommonRoutines.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/Printers.h"
#include "platform/SysApi.h"

TEST(kCommonControls, PageIndexRoutinesIgnoreIndexesOutsideThePages)
{
    auto* form = Create<TForm>(nullptr);
    auto* pages = Create<TPageControl>(form);
    pages->SetParent(form);
    Integer events = 0;
    pages->OnChanging = [&](TObject*, bool&) { ++events; };
    pages->OnChange = [&](TObject*) { ++events; };
    EXPECT_EQ(ActivePageIndex(pages), -1);
    for (Integer i = 0; i < 3; ++i) Create<TTabSheet>(form)->SetPageControl(pages);

    SetActivePageIndex(pages, 2);
    EXPECT_EQ(ActivePageIndex(pages), 2);
    // A negative index keeps the page on show, like one past the end.
    SetActivePageIndex(pages, -1);
    EXPECT_EQ(ActivePageIndex(pages), 2);
    EXPECT_TRUE(pages->Pages(2)->Visible());
    SetActivePageIndex(pages, 3);
    EXPECT_EQ(ActivePageIndex(pages), 2);
    SetActivePageIndex(pages, 0);
    EXPECT_EQ(ActivePageIndex(pages), 0);
    EXPECT_EQ(events, 0);

    SetActivePageIndex(nullptr, 0);
    EXPECT_EQ(ActivePageIndex(nullptr), -1);
    form->Free();
}

namespace {

// A printer of the test's own that has chosen no printer yet.
class PrinterPaperTest : public ::testing::Test {
protected:
    void SetUp() override { Former = SetPrinter(Create<TPrinter>()); }
    void TearDown() override { Free(SetPrinter(Former)); }
    TPrinter* Former = nullptr;
};

}  // namespace

TEST_F(PrinterPaperTest, ChoosesThePrinterWhenItHasNoDeviceModeYet)
{
    ASSERT_EQ(Printer()->DeviceMode(), nullptr);
    Double width = 0, height = 0;
    PrinterPaperSize(width, height);
    ASSERT_NE(Printer()->DeviceMode(), nullptr);
    Double expectedWidth = 0, expectedHeight = 0;
    PaperSizeInches(Printer()->DeviceMode()->dmPaperSize, expectedWidth, expectedHeight);
    EXPECT_DOUBLE_EQ(width, expectedWidth);
    EXPECT_DOUBLE_EQ(height, expectedHeight);
}

TEST_F(PrinterPaperTest, ReportsThePreviewPapersAndTurnsThemForLandscape)
{
    Printer()->SetPrinterIndex(Printer()->Printers()->IndexOf("PDF"));
    struct Paper {
        SmallInt Code;
        Double Width, Height;
    };
    for (const Paper& paper : {Paper{1, 8.5, 11}, Paper{5, 8.5, 14}, Paper{8, 297 / 25.4, 420 / 25.4},
                               Paper{9, 210 / 25.4, 297 / 25.4}, Paper{11, 148 / 25.4, 210 / 25.4}}) {
        Printer()->DeviceMode()->dmPaperSize = paper.Code;
        Printer()->SetOrientation(poPortrait);
        Double width = 0, height = 0;
        PrinterPaperSize(width, height);
        EXPECT_NEAR(width, paper.Width, 1e-12) << paper.Code;
        EXPECT_NEAR(height, paper.Height, 1e-12) << paper.Code;
        // The printer's own page agrees, at 600 pixels per inch.
        EXPECT_NEAR(GetDeviceCaps(Printer()->Canvas(), PHYSICALWIDTH), width * 600, 0.5) << paper.Code;
        Printer()->SetOrientation(poLandscape);
        PrinterPaperSize(width, height);
        EXPECT_NEAR(width, paper.Height, 1e-12) << paper.Code;
        EXPECT_NEAR(height, paper.Width, 1e-12) << paper.Code;
    }
}
