#include "components/editor/kPlotPreview.h"

#include <utility>

#include "components/editor/kPlotPreviewSettings.h"
#include "components/foundation/kCommonRoutines.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/output/kPlotPreviewRunner.h"
#include "platform/Math.h"
#include "platform/Resources.h"
#include "platform/SysApi.h"

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------

void kPreviewPaperSize(Integer PrintSize, Double& Width, Double& Height)
{
    static constexpr Integer PaperCodes[] = {DMPAPER_LETTER, DMPAPER_LEGAL, DMPAPER_A3, DMPAPER_A4, DMPAPER_A5};
    const bool known = PrintSize >= 0 && PrintSize < Integer(std::size(PaperCodes));
    PaperSizeInches(known ? PaperCodes[PrintSize] : DMPAPER_LETTER, Width, Height);
}

TkPreviewLayout kPreviewLayout(Integer BoxWidth, Integer BoxHeight, Double PaperWidth, Double PaperHeight,
                               const TkPrintMargins& Margins, Integer PictureWidth, Integer PictureHeight)
{
    TkPreviewLayout layout;
    const Double aw = BoxWidth - 20;
    const Double ah = BoxHeight - 20;
    if (aw <= 0 || ah <= 0 || !(PaperWidth > 0) || !(PaperHeight > 0)) return layout;
    const bool widthBound = ah / PaperHeight > aw / PaperWidth;
    const Integer pw = widthBound ? Integer(aw) : RoundPix(ah / PaperHeight * PaperWidth);
    const Integer ph = widthBound ? RoundPix(aw / PaperWidth * PaperHeight) : Integer(ah);
    const Integer p = RoundPix(pw / PaperWidth);
    const Integer left = BoxWidth / 2 - pw / 2 - 5;
    const Integer top = BoxHeight / 2 - ph / 2 - 5;
    layout.Page = TRect{left, top, BoxWidth / 2 + pw / 2 - 5, BoxHeight / 2 + ph / 2 - 5};
    layout.Shadow = TRect{layout.Page.Left + 7, layout.Page.Top + 7, layout.Page.Right + 7, layout.Page.Bottom + 7};
    const Double printableWidth = pw - RoundPix((Margins.Left + Margins.Right) * p);
    const Double printableHeight = ph - RoundPix((Margins.Top + Margins.Bottom) * p);
    if (printableWidth <= 0 || printableHeight <= 0 || PictureWidth <= 0 || PictureHeight <= 0) return layout;
    const bool heightBound = printableWidth / PictureWidth >= printableHeight / PictureHeight;
    const Integer width =
        heightBound ? RoundPix(PictureWidth * printableHeight / PictureHeight) : Integer(printableWidth);
    const Integer height =
        heightBound ? Integer(printableHeight) : RoundPix(PictureHeight * printableWidth / PictureWidth);
    const Integer x = left + RoundPix(Margins.Left * p);
    const Integer y = top + RoundPix(Margins.Top * p);
    layout.Picture = TRect{x, y, x + width, y + height};
    return layout;
}

// ---------------------------------------------------------------------------
// The preview form
// ---------------------------------------------------------------------------

namespace {

constexpr char kPrinterPicture[] = "PRINTER";

TkComponentEditorButton* AddButton(TkPlotPreviewForm* Form, TWinControl* Parent, const String& Caption, Integer Left,
                                   Integer Width, std::function<void()> Action)
{
    auto* button = Create<TkComponentEditorButton>(Form);
    button->SetParent(Parent);
    button->SetBounds(Left, 8, Width, 28);
    button->SetCaption(Caption);
    button->OnClick = [Action = std::move(Action)](TObject*) { Action(); };
    return button;
}

// The toolbar's printer picture in place of the caption, which stays for a
// program built without the pictures.
void ShowPrinterPicture(TButton* Button)
{
    if (FindResourceData(kPrinterPicture).empty()) return;
    TOwned<TBitmap> picture = CreateOwned<TBitmap>();
    picture->LoadFromResourceName(kPrinterPicture);
    Button->SetGlyph(picture.get());
    Button->SetCaption(String());
}

// The picture drawn at its own size, then averaged down into R: replayed
// in fonts scaled down, its text would lose its smallest glyphs (the
// decimal points) and outgrow the places the plot measured for it. A
// picture that grows is replayed scaled.
void DrawPicture(TCanvas* Canvas, const TRect& R, TGraphic* Picture)
{
    if (R.Width() >= Picture->Width() && R.Height() >= Picture->Height()) {
        Canvas->StretchDraw(R, Picture);
        return;
    }
    TOwned<TBitmap> drawn = CreateOwned<TBitmap>();
    drawn->SetSize(Picture->Width(), Picture->Height());
    drawn->Canvas()->Draw(0, 0, Picture);
    const Integer mode = SetStretchBltMode(Canvas, HALFTONE);
    Canvas->StretchDraw(R, drawn.get());
    SetStretchBltMode(Canvas, mode);
}

// Hides toolbar 0 of the plot, when it has one, for the life of the scope.
class TFirstToolBarHidden {
public:
    explicit TFirstToolBarHidden(TkPlotComponent& Plot)
        : FToolBar(Plot.ToolBarCount() > 0 ? Plot.GetToolBar(0) : nullptr), FVisible(FToolBar && FToolBar->Visible())
    {
        if (FToolBar) FToolBar->SetVisible(false);
    }
    ~TFirstToolBarHidden()
    {
        if (FToolBar) FToolBar->SetVisible(FVisible);
    }
    TFirstToolBarHidden(const TFirstToolBarHidden&) = delete;
    TFirstToolBarHidden& operator=(const TFirstToolBarHidden&) = delete;

private:
    TkPlotToolBar* FToolBar;
    bool FVisible;
};

}  // namespace

TClass TkPlotPreviewForm::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkPlotPreviewForm, TForm>("TkPlotPreviewForm").Build();
    return &info;
}

TkPlotPreviewForm::TkPlotPreviewForm(TComponent* AOwner) : TForm(AOwner) {}

void TkPlotPreviewForm::AfterConstruction()
{
    TForm::AfterConstruction();
    SetCaption("Kelvane Plot Preview");
    SetPosition(poScreenCenter);
    SetBounds(Left(), Top(), 836, 563);
    Constraints()->SetMinWidth(500);
    Constraints()->SetMinHeight(300);
    FPanel = Create<TPanel>(this);
    FPanel->SetParent(this);
    FPanel->SetAlign(alTop);
    FPanel->SetHeight(41);
    FPanel->SetCaption(String());
    FPrintButton = AddButton(this, FPanel, "Print", 8, 28, [this] {
        if (!FPlot) return;
        FPlot->PrintChart();
        FPreview->Invalidate();
    });
    ShowPrinterPicture(FPrintButton);
    FSettingsButton = AddButton(this, FPanel, "Settings", 48, 75, [this] { ShowSettings(); });
    FCloseButton = AddButton(this, FPanel, "Close", 135, 75, [this] { SetModalResult(mrOk); });
    FPreview = Create<TkPaintBox>(this);
    FPreview->SetParent(this);
    FPreview->SetAlign(alClient);
    FPreview->OnPaint = [this](TObject*) { PreviewPaint(); };
}

void TkPlotPreviewForm::SetPlot(TkPlotComponent* Plot)
{
    FPlot = Plot;
    if (!Plot) return;
    PrintMargins = TkPrintMargins{Plot->PrintMarginLeft(), Plot->PrintMarginTop(), Plot->PrintMarginRight(),
                                  Plot->PrintMarginBottom()};
    PrintOrientation = Plot->PrintOrientation();
    PrintDocumentName = Plot->PrintDocumentName();
    UpdateCaption();
}

void TkPlotPreviewForm::UpdateCaption()
{
    const String caption = PrintDocumentName + " (Preview)";
    const TkPlotTranslationManager* table = FPlot ? FPlot->Master().TranslationManager() : nullptr;
    String translated = caption;
    if (table) table->FindReplacement(caption, translated);
    SetCaption(translated);
}

void TkPlotPreviewForm::DoTranslation()
{
    Translate(this);
    UpdateCaption();
}

void TkPlotPreviewForm::Translate(TControl* Form) const
{
    if (FPlot) FPlot->Master().TranslateEditorForm(Form);
}

void TkPlotPreviewForm::PreviewPaint()
{
    const Integer width = FPreview->Width();
    const Integer height = FPreview->Height();
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(Max(width, 1), Max(height, 1));
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(TRect{0, 0, width, height});
    if (FPlot) {
        {
            TFirstToolBarHidden hidden(*FPlot);
            if (FPlot->OnBeforePrint) FPlot->OnBeforePrint(FPlot);
            TPicture* picture = FPlot->GetSnapShotPicture();
            Double paperWidth = 0, paperHeight = 0;
            kPreviewPaperSize(PrintSize, paperWidth, paperHeight);
            if (PrintOrientation == poLandscape) std::swap(paperWidth, paperHeight);
            FLayout = kPreviewLayout(width, height, paperWidth, paperHeight, PrintMargins, picture->Width(),
                                     picture->Height());
            if (!IsRectEmpty(FLayout.Page)) {
                canvas->Pen()->SetStyle(psSolid);
                canvas->Pen()->SetWidth(1);
                canvas->Pen()->SetColor(clBlack);
                canvas->Brush()->SetColor(clBlack);
                canvas->Rectangle(FLayout.Shadow);
                canvas->Brush()->SetColor(clWhite);
                canvas->Rectangle(FLayout.Page);
            }
            if (!IsRectEmpty(FLayout.Picture)) DrawPicture(canvas, FLayout.Picture, picture->Graphic());
        }
        if (FPlot->OnAfterPrint) FPlot->OnAfterPrint(FPlot);
    }
    FPreview->Canvas()->Draw(0, 0, bitmap.get());
}

void TkPlotPreviewForm::ShowSettings()
{
    TOwned<TkPlotPreviewSettingsForm> settings(Create<TkPlotPreviewSettingsForm>(nullptr));
    // Before the controls are filled: what they come to hold is data.
    Translate(settings.get());
    settings->LoadFrom(*this);
    if (settings->ShowModal() != mrOk) return;
    settings->SaveTo(*this);
    if (FPlot) {
        FPlot->SetPrintMarginLeft(PrintMargins.Left);
        FPlot->SetPrintMarginTop(PrintMargins.Top);
        FPlot->SetPrintMarginRight(PrintMargins.Right);
        FPlot->SetPrintMarginBottom(PrintMargins.Bottom);
        FPlot->SetPrintOrientation(PrintOrientation);
        FPlot->SetPrintDocumentName(PrintDocumentName);
    }
    UpdateCaption();
    FPreview->Invalidate();
}

void kPlotPreviewInitialization()
{
    RegisterClasses({TkPlotPreviewForm::StaticClassInfo(), TkPlotPreviewSettingsForm::StaticClassInfo()});
    kSetPlotPreviewRunner([](TkPlotComponent& Plot) {
        TOwned<TkPlotPreviewForm> form(Create<TkPlotPreviewForm>(nullptr));
        form->SetPlot(&Plot);
        form->DoTranslation();
        form->ShowModal();
    });
}
