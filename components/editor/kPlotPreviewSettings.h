#pragma once
// The print preview's settings dialog: orientation, the four margins in a
// cross, the document name and the paper size.

#include "components/editor/kEditorControls.h"
#include "components/editor/kEditorEdit.h"
#include "components/editor/kEditorForm.h"

class TkPlotPreviewForm;

class TkPlotPreviewSettingsForm : public TkCustomEditorForm {
    PL_CLASSINFO()
public:
    explicit TkPlotPreviewSettingsForm(TComponent* AOwner);
    void AfterConstruction() override;

    // Fills the controls from the preview's settings.
    void LoadFrom(const TkPlotPreviewForm& Preview);
    // Writes the controls into the preview's settings. Negative margins are
    // refused (raising before anything changes).
    void SaveTo(TkPlotPreviewForm& Preview) const;

    TkComponentEditorRadioGroup* PrintOrientationRadioGroup = nullptr;
    TkComponentEditorEdit* PrintMarginTopEdit = nullptr;
    TkComponentEditorEdit* PrintMarginLeftEdit = nullptr;
    TkComponentEditorEdit* PrintMarginRightEdit = nullptr;
    TkComponentEditorEdit* PrintMarginBottomEdit = nullptr;
    TkComponentEditorEdit* PrintDocumentNameEdit = nullptr;
    TkComponentEditorComboBox* PrintPaperSizeComboBox = nullptr;
    TkComponentEditorButton* OkButton = nullptr;
    TkComponentEditorButton* CancelButton = nullptr;
};
