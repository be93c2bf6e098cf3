#pragma once
// The print preview: the paper page scaled into the window with a drop
// shadow, the plot's snapshot scaled into the page's printable area, and
// buttons to print, to change the print settings and to close. The plot's
// PreviewChart opens it modally once the editor's units have started.

#include "components/editor/kEditorControls.h"
#include "components/plot/component/kPlotComponent.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

// Print margins in inches.
struct TkPrintMargins {
    Double Left = 1.0;
    Double Top = 1.0;
    Double Right = 1.0;
    Double Bottom = 1.0;
};

// Where the page and the plot's picture go in a preview box, in its pixels.
struct TkPreviewLayout {
    TRect Shadow;
    TRect Page;     // empty when the box leaves no room
    TRect Picture;  // empty when the margins leave no room or there is no picture
};

// The page of PaperWidth x PaperHeight inches fitted into a box of
// BoxWidth x BoxHeight less 20 pixels, centred 5 pixels up and left; the
// picture keeps its proportions within the margins (inches) and sits at
// their top-left corner.
TkPreviewLayout kPreviewLayout(Integer BoxWidth, Integer BoxHeight, Double PaperWidth, Double PaperHeight,
                               const TkPrintMargins& Margins, Integer PictureWidth, Integer PictureHeight);

// The paper of a preview's paper index: 0 letter, 1 legal, 2 A3, 3 A4,
// 4 A5; any other index letter. Inches, portrait.
void kPreviewPaperSize(Integer PrintSize, Double& Width, Double& Height);

class TkPlotPreviewForm : public TForm {
    PL_CLASSINFO()
public:
    explicit TkPlotPreviewForm(TComponent* AOwner);
    void AfterConstruction() override;

    // Takes the plot's margins, orientation and document name.
    void SetPlot(TkPlotComponent* Plot);
    TkPlotComponent* Plot() const { return FPlot; }
    // Translates the captions through the plot's translation table; the
    // caption stays the translation of the document name and " (Preview)".
    void DoTranslation();

    TkPrintMargins PrintMargins;
    TPrinterOrientation PrintOrientation = poLandscape;
    String PrintDocumentName;
    // The paper index (see kPreviewPaperSize); letter when the form opens.
    Integer PrintSize = 0;

    TkComponentEditorButton* PrintButton() const { return FPrintButton; }
    TkComponentEditorButton* SettingsButton() const { return FSettingsButton; }
    TkComponentEditorButton* CloseButton() const { return FCloseButton; }
    TkPaintBox* Preview() const { return FPreview; }
    // The layout of the last paint.
    const TkPreviewLayout& Layout() const { return FLayout; }

private:
    void PreviewPaint();
    void ShowSettings();
    void UpdateCaption();
    // Form's captions through the plot's table (nothing without a plot).
    void Translate(TControl* Form) const;

    TkPlotComponent* FPlot = nullptr;
    TPanel* FPanel = nullptr;
    TkComponentEditorButton* FPrintButton = nullptr;
    TkComponentEditorButton* FSettingsButton = nullptr;
    TkComponentEditorButton* FCloseButton = nullptr;
    TkPaintBox* FPreview = nullptr;
    TkPreviewLayout FLayout;
};

// Installs the preview as the plot's PreviewChart.
void kPlotPreviewInitialization();
