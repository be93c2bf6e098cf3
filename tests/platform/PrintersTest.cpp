// The printer, headless: the virtual "PDF" printer writes into the test
// process's print folder (PL_PRINT_TO_DIR).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/Printers.h"
#include "platform/SysApi.h"
#include "support/FullDisk.h"
#include "support/TempFolder.h"

namespace {

String ReadFile(const String& name)
{
    std::ifstream in(name, std::ios::binary);
    return String(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Page objects of a PDF ("/Type /Page", not "/Type /Pages").
Integer CountPdfPages(const String& pdf)
{
    Integer pages = 0;
    const String key = "/Type /Page";
    for (auto at = pdf.find(key); at != String::npos; at = pdf.find(key, at + 1))
        if (at + key.size() < pdf.size() && pdf[at + key.size()] != 's') ++pages;
    return pages;
}

// Each test prints on a printer of its own.
class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Former = SetPrinter(Create<TPrinter>());
        P = Printer();
        P->SetPrinterIndex(P->Printers()->IndexOf("PDF"));
    }
    void TearDown() override
    {
        Free(SetPrinter(Former));
    }
    TPrinter* Former = nullptr;
    TPrinter* P = nullptr;
};

}  // namespace

TEST_F(PrinterTest, ThePdfPrinterIsAlwaysThereAt600DotsPerInchFromTheEdge)
{
    EXPECT_EQ(P->Printers()->Strings(P->Printers()->Count() - 1), "PDF");
    EXPECT_EQ(P->DeviceMode()->dmDeviceName, "PDF");
    TPrinterCanvas* canvas = P->Canvas();
    EXPECT_EQ(GetDeviceCaps(canvas, LOGPIXELSX), 600);
    EXPECT_EQ(GetDeviceCaps(canvas, LOGPIXELSY), 600);
    EXPECT_EQ(GetDeviceCaps(canvas, PHYSICALOFFSETX), 0);
    EXPECT_EQ(GetDeviceCaps(canvas, PHYSICALOFFSETY), 0);
    EXPECT_EQ(GetDeviceCaps(canvas, PHYSICALWIDTH), 5100);  // letter, 8.5 x 11 inches
    EXPECT_EQ(GetDeviceCaps(canvas, PHYSICALHEIGHT), 6600);
    EXPECT_EQ(P->PageWidth(), 5100);
    EXPECT_EQ(P->PageHeight(), 6600);
    // Before a document the canvas measures but does not draw.
    EXPECT_GT(canvas->TextHeight("Mesure"), 0);
    EXPECT_THROW(canvas->Rectangle(0, 0, 10, 10), EInvalidOperation);
}

TEST_F(PrinterTest, DeviceModePaperCodesSetThePage)
{
    struct Paper {
        SmallInt Code;
        Integer Width, Height;  // 600 dpi
    };
    for (const Paper& paper : {Paper{DMPAPER_LETTER, 5100, 6600}, Paper{DMPAPER_LEGAL, 5100, 8400},
                               Paper{DMPAPER_A3, 7016, 9921}, Paper{DMPAPER_A4, 4961, 7016},
                               Paper{DMPAPER_A5, 3496, 4961}}) {
        P->DeviceMode()->dmPaperSize = paper.Code;
        P->SetOrientation(poPortrait);
        EXPECT_EQ(P->DeviceCaps(PHYSICALWIDTH), paper.Width) << paper.Code;
        EXPECT_EQ(P->DeviceCaps(PHYSICALHEIGHT), paper.Height) << paper.Code;
        P->SetOrientation(poLandscape);
        EXPECT_EQ(P->DeviceMode()->dmOrientation, DMORIENT_LANDSCAPE);
        EXPECT_EQ(P->DeviceCaps(PHYSICALWIDTH), paper.Height) << paper.Code;
    }
    // Codes without a known paper print on letter.
    P->DeviceMode()->dmPaperSize = 48;
    P->SetOrientation(poPortrait);
    EXPECT_EQ(P->DeviceCaps(PHYSICALWIDTH), 5100);
    // Choosing the same printer again keeps the settings.
    P->DeviceMode()->dmPaperSize = DMPAPER_A4;
    P->SetPrinterIndex(P->PrinterIndex());
    EXPECT_EQ(P->DeviceMode()->dmPaperSize, DMPAPER_A4);
}

TEST_F(PrinterTest, ThreePagesMakeOnePdfOfThreePages)
{
    const Integer before = PagesPrinted();
    P->DeviceMode()->dmPaperSize = DMPAPER_A4;
    P->SetTitle("Essai 3/pages");
    P->BeginDoc();
    EXPECT_TRUE(P->Printing());
    for (Integer page = 1; page <= 3; ++page) {
        if (page > 1) P->NewPage();
        EXPECT_EQ(P->PageNumber(), page);
        TCanvas* canvas = P->Canvas();
        canvas->Rectangle(600, 600, 4000, 3000);
        canvas->TextOut(700, 700, "Page " + IntToStr(page));
    }
    // The paper is fixed for the open document.
    EXPECT_THROW(P->SetOrientation(poLandscape), EPrinter);
    EXPECT_THROW(P->BeginDoc(), EPrinter);
    P->EndDoc();
    EXPECT_FALSE(P->Printing());
    EXPECT_EQ(PagesPrinted() - before, 3);

    const String file = P->OutputFile();
    const std::filesystem::path path(file);
    EXPECT_EQ(path.parent_path(), std::filesystem::path(std::getenv("PL_PRINT_TO_DIR")));
    EXPECT_EQ(path.filename(), "Essai 3_pages.pdf");
    const String pdf = ReadFile(file);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(CountPdfPages(pdf), 3);
    EXPECT_NE(pdf.find("/MediaBox [0 0 595"), String::npos);  // A4 in points

    // The same title again: a new file; the first one stays.
    P->BeginDoc();
    P->EndDoc();
    EXPECT_NE(P->OutputFile(), file);
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(PagesPrinted() - before, 4);
}

TEST_F(PrinterTest, AbortLeavesNoDocumentAndCountsNoPage)
{
    const Integer before = PagesPrinted();
    P->SetTitle("Interrompu");
    P->BeginDoc();
    P->Canvas()->LineTo(100, 100);
    P->NewPage();
    P->Abort();
    EXPECT_TRUE(P->Aborted());
    EXPECT_FALSE(P->Printing());
    EXPECT_EQ(PagesPrinted(), before);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(std::getenv("PL_PRINT_TO_DIR")) / "Interrompu.pdf"));
    EXPECT_THROW(P->Canvas()->LineTo(5, 5), EInvalidOperation);
    EXPECT_THROW(P->NewPage(), EPrinter);
    EXPECT_THROW(P->EndDoc(), EPrinter);
    EXPECT_THROW(P->Abort(), EPrinter);

    // A printer freed in the middle of a document throws it away too.
    TPrinter* dropped = Create<TPrinter>();
    dropped->SetTitle("Abandonne");
    dropped->BeginDoc();
    dropped->Free();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(std::getenv("PL_PRINT_TO_DIR")) / "Abandonne.pdf"));
    EXPECT_EQ(PagesPrinted(), before);
}

TEST_F(PrinterTest, AnOutputThatCannotBeOpenedFailsCleanly)
{
    const String folder = std::getenv("PL_PRINT_TO_DIR");
    const String blocker = folder + "/not-a-folder";
    std::ofstream(blocker) << "x";
    setenv("PL_PRINT_TO_DIR", (blocker + "/sub").c_str(), 1);
    const Integer before = PagesPrinted();
    EXPECT_THROW(P->BeginDoc(), EPrinter);
    setenv("PL_PRINT_TO_DIR", folder.c_str(), 1);
    EXPECT_FALSE(P->Printing());
    EXPECT_EQ(PagesPrinted(), before);
    P->BeginDoc();
    P->EndDoc();
    EXPECT_EQ(PagesPrinted(), before + 1);
}

TEST_F(PrinterTest, APdfTheDiskCannotHoldFailsAndLeavesNoFile)
{
    const std::filesystem::path folder = std::getenv("PL_PRINT_TO_DIR");
    const auto files = FolderNames(folder);
    const Integer before = PagesPrinted();
    P->SetTitle("Disque plein");
    {
        TFullDisk disk(100);
        P->BeginDoc();
        P->Canvas()->LineTo(300, 300);
        EXPECT_THROW(P->EndDoc(), EPrinter);
    }
    EXPECT_FALSE(P->Printing());
    EXPECT_EQ(FolderNames(folder), files);
    EXPECT_EQ(PagesPrinted(), before);
}

TEST(PrinterObject, ChoosesNoPrinterUntilAsked)
{
    TPrinter* fresh = Create<TPrinter>();
    EXPECT_EQ(fresh->DeviceMode(), nullptr);
    EXPECT_GE(fresh->PrinterIndex(), 0);
    EXPECT_THROW(fresh->SetPrinterIndex(fresh->Printers()->Count()), EPrinter);
    EXPECT_EQ(fresh->DeviceMode(), nullptr);
    EXPECT_EQ(fresh->Orientation(), poPortrait);  // asking chooses the default printer
    EXPECT_NE(fresh->DeviceMode(), nullptr);
    fresh->Free();
}
