// The plot's output: the clipboard, image files and printing.

#include "components/plot/component/kPlotOutput.h"

#include <cmath>
#include <vector>

#include "components/foundation/kCommonRoutines.h"
#include "components/foundation/kDialogs.h"
#include "components/foundation/kImageExport.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/component/kPlotComponent.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/output/kPlotPreviewRunner.h"
#include "platform/Clipbrd.h"
#include "platform/CommonDialogs.h"
#include "platform/Jpeg.h"
#include "platform/Math.h"
#include "platform/Metafile.h"
#include "platform/SysApi.h"
#include "platform/SysUtils.h"

namespace {

// Hides every toolbar for the life of the scope, then gives each its own
// visibility back.
class TToolBarsHidden {
public:
    explicit TToolBarsHidden(TkPlotComponent& Plot) : FPlot(Plot)
    {
        for (Integer i = 0; i < Plot.ToolBarCount(); ++i) FVisible.push_back(Plot.GetToolBar(i)->Visible());
        Plot.Master().ShowToolBars(false);
    }
    ~TToolBarsHidden()
    {
        for (Integer i = 0; i < FPlot.ToolBarCount() && size_t(i) < FVisible.size(); ++i)
            FPlot.GetToolBar(i)->SetVisible(FVisible[size_t(i)]);
    }
    TToolBarsHidden(const TToolBarsHidden&) = delete;
    TToolBarsHidden& operator=(const TToolBarsHidden&) = delete;

private:
    TkPlotComponent& FPlot;
    std::vector<bool> FVisible;
};

// What printing changes on the plot: X axis 0's range, the size and the
// outer margins. Restore gives them back and reports what the setters
// raise; a scope left by an earlier failure gives them back as well, and
// that failure is the one reported.
class TPrintedPlotState {
public:
    TPrintedPlotState(TkPlotComponent& Plot, TkPlotXAxis& Axis)
        : FPlot(Plot), FAxis(Axis), FMin(Axis.Min()), FSpan(Axis.Span()), FWidth(Plot.Width()),
          FHeight(Plot.Height()), FMargins{Plot.OuterMarginLeft(), Plot.OuterMarginTop(), Plot.OuterMarginRight(),
                                           Plot.OuterMarginBottom()}
    {
    }
    ~TPrintedPlotState()
    {
        if (FRestored) return;
        try {
            Restore();
        } catch (...) {
            // The failure that left the scope is the one to report.
        }
    }
    void Restore()
    {
        FRestored = true;
        FAxis.SetMinSpan(FMin, FSpan);
        FPlot.SetBounds(FPlot.Left(), FPlot.Top(), FWidth, FHeight);
        FPlot.SetOuterMarginLeft(FMargins.Left);
        FPlot.SetOuterMarginTop(FMargins.Top);
        FPlot.SetOuterMarginRight(FMargins.Right);
        FPlot.SetOuterMarginBottom(FMargins.Bottom);
    }
    TPrintedPlotState(const TPrintedPlotState&) = delete;
    TPrintedPlotState& operator=(const TPrintedPlotState&) = delete;

    Double Min() const { return FMin; }
    Double Max() const { return FMin + FSpan; }

private:
    TkPlotComponent& FPlot;
    TkPlotXAxis& FAxis;
    Double FMin;
    Double FSpan;
    Integer FWidth;
    Integer FHeight;
    TRect FMargins;
    bool FRestored = false;
};

// Where a page of the plot goes on the paper, in printer pixels.
TRect PageRect(TkPlotComponent& Plot, TPrinter& Printer)
{
    Double paperWidth = 0, paperHeight = 0;
    PrinterPaperSize(paperWidth, paperHeight);
    const Double ppiX = GetDeviceCaps(Printer.Canvas(), LOGPIXELSX);
    const Double ppiY = GetDeviceCaps(Printer.Canvas(), LOGPIXELSY);
    const Double offsetX = GetDeviceCaps(Printer.Canvas(), PHYSICALOFFSETX);
    const Double offsetY = GetDeviceCaps(Printer.Canvas(), PHYSICALOFFSETY);
    const Double roomX = Round(ppiX * paperWidth) - (Plot.PrintMarginLeft() + Plot.PrintMarginRight()) * ppiX;
    const Double roomY = Round(ppiY * paperHeight) - (Plot.PrintMarginTop() + Plot.PrintMarginBottom()) * ppiY;
    if (Plot.Width() <= 0 || Plot.Height() <= 0) throw Exception("the plot has no size");
    const Double scale = Min(roomX / Plot.Width(), roomY / Plot.Height());
    if (!(scale > 0)) throw Exception("the margins leave no room on the paper");
    const Double left = ppiX * Plot.PrintMarginLeft() - offsetX;
    const Double top = ppiY * Plot.PrintMarginTop() - offsetY;
    return TRect{RoundPix(left), RoundPix(top), RoundPix(left + Plot.Width() * scale),
                 RoundPix(top + Plot.Height() * scale)};
}

// The kept metafile (made on first use) with the plot drawn into it.
TMetafile& KeptMetafile(TkPlotComponent& Plot, TOwned<TMetafile>& Kept, const String& Description)
{
    if (!Kept) Kept = CreateOwned<TMetafile>();
    kRecordMetafile(Plot, *Kept, "Kelvane", Description);
    return *Kept;
}

void SelectNamedPrinter(TPrinter& Printer, const String& Name)
{
    const String name = Trim(Name);
    if (name.empty()) return;
    const Integer index = Printer.Printers()->IndexOf(name);
    if (index >= 0) Printer.SetPrinterIndex(index);
}

}  // namespace

TkPlotOutput::TkPlotOutput(TkPlotComponent& Plot) : FPlot(Plot) {}

TkPlotOutput::~TkPlotOutput() = default;

// ---------------------------------------------------------------------------
// Clipboard and files
// ---------------------------------------------------------------------------

void TkPlotOutput::CopyToClipBoard()
{
    WithinUpdate(FPlot, [this] {
        TToolBarsHidden hidden(FPlot);
        FPlot.Master().DeSelectAll();
        switch (CopyFormat) {
            case kpefMetaFile:
                Clipboard()->Assign(&KeptMetafile(FPlot, FMetafile, "Strip Chart"));
                break;
            case kpefBitmap: Clipboard()->Assign(kRenderImage(FPlot).get()); break;
            case kpefJPEG: {
                TOwned<TJPEGImage> jpeg(FPlot.GetJPEGImage(100, false));
                Clipboard()->Assign(jpeg.get());
                break;
            }
        }
    });
}

TPicture* TkPlotOutput::GetSnapShotPicture()
{
    if (!FSnapShotPicture) FSnapShotPicture = CreateOwned<TPicture>();
    FSnapShotPicture->SetGraphic(&KeptMetafile(FPlot, FMetafile, "kPlot"));
    return FSnapShotPicture.get();
}

bool TkPlotOutput::SaveImageByExtension(const String& FileName)
{
    const String ending = FileName.size() >= 3 ? FileName.substr(FileName.size() - 3) : String();
    FPlot.Master().DeSelectAll();
    if (SameText(ending, "bmp")) FPlot.SaveImageToBitmap(FileName);
    else if (SameText(ending, "emf")) FPlot.SaveImageToMetaFile(FileName);
    else if (SameText(ending, "jpg")) FPlot.SaveImageToJPEG(FileName, 100, true);
    else if (SameText(ending, "png")) FPlot.SaveImageToPNG(FileName, 9);
    else return false;
    return true;
}

void TkPlotOutput::Save()
{
    TOwned<TkSaveDialog> dialog(Create<TkSaveDialog>(&FPlot));
    dialog->SetDefaultDir(FPlot.DefaultSaveImageDirectory());
    dialog->SetFilter(
        "Bitmap (*.bmp)|*.bmp|Enhanced Metafile (*.emf)|*.emf|JPEG File (*.jpg)|*.jpg|PNG (*.png)|*.png");
    dialog->SetFileName("Untitled");
    dialog->SetFilterIndex(static_cast<Integer>(FPlot.DefaultSaveImageFormat()) + 1);
    if (dialog->Execute()) SaveImageByExtension(dialog->FileName());
}

// ---------------------------------------------------------------------------
// Printing
// ---------------------------------------------------------------------------

void TkPlotOutput::PrintChart()
{
    TPrinter* printer = Printer();
    if (printer->Printing()) printer->EndDoc();
    printer->SetOrientation(Print.Orientation);
    printer->SetTitle(Print.DocumentName);
    if (Print.ShowDialog) {
        TOwned<TPrintDialog> dialog(Create<TPrintDialog>(nullptr));
        if (!dialog->Execute()) return;
    }
    try {
        WithinUpdate(FPlot, [&] {
            if (FPlot.XAxisCount() == 0) throw Exception("the plot has no X axis");
            SelectNamedPrinter(*printer, Print.PrinterName);
            const TRect page = PageRect(FPlot, *printer);
            printer->BeginDoc();
            TScopeExit abandon([printer] {
                if (printer->Printing()) printer->Abort();
            });
            {
                TkPlotXAxis* axis = FPlot.GetXAxis(0);
                TPrintedPlotState saved(FPlot, *axis);
                TToolBarsHidden hidden(FPlot);
                FPlot.Master().DeSelectAll();
                if (FPlot.OnBeforePrint) FPlot.OnBeforePrint(&FPlot);
                axis->SetMin(saved.Min());
                for (Integer number = 1; axis->Min() < saved.Max(); ++number) {
                    const Double min = axis->Min();
                    const Double next = min + axis->Span();
                    if (FPlot.OnBeforePrintPage) FPlot.OnBeforePrintPage(&FPlot, number, next >= saved.Max());
                    FPlot.ReCalcLayout();
                    printer->Canvas()->StretchDraw(page, kRenderImage(FPlot).get());
                    if (!(next > min) || next >= saved.Max()) break;
                    printer->NewPage();
                    axis->SetMin(next);
                    // An axis that keeps its Min where it was would print
                    // the same page for ever.
                    if (!(axis->Min() > min)) break;
                }
                if (FPlot.OnAfterPrint) FPlot.OnAfterPrint(&FPlot);
                saved.Restore();
            }
            printer->EndDoc();
        });
    } catch (const Exception& e) {
        throw Exception("Error Printing : " + e.Message());
    }
}

void TkPlotOutput::PreviewChart()
{
    const TkPlotPreviewRunner& preview = kPlotPreviewRunner();
    if (!preview) throw Exception("The print preview is not available");
    preview(FPlot);
}

void TkPlotOutput::PrintSizeToFillPage()
{
    Double paperWidth = 0, paperHeight = 0;
    PrinterPaperSize(paperWidth, paperHeight);
    if (!(paperWidth > 0)) return;
    FPlot.SetHeight(TruncPix(FPlot.Width() * paperHeight / paperWidth));
    FPlot.ReCalcLayout();
}

void TkPlotOutput::PrintAdjustXSpanToMinutesPerMillimeter(Double MinutesPerMillimeter)
{
    if (FPlot.XAxisCount() == 0 || FPlot.Height() <= 0) return;
    FPlot.ReCalcLayout();
    Double paperWidth = 0, paperHeight = 0;
    PrinterPaperSize(paperWidth, paperHeight);
    const Double printable = paperHeight - Print.MarginTop - Print.MarginBottom;
    TkPlotXAxis* axis = FPlot.GetXAxis(0);
    const TkPlotScaleMap& map = axis->ScaleMap();
    const Double pixels = std::abs(Double(map.Stop) - Double(map.Start));
    const Double millimeters = 25.4 * pixels * printable / FPlot.Height();
    const Double span = millimeters * MinutesPerMillimeter / 1440;
    if (span > 0) axis->SetSpan(span);
}

