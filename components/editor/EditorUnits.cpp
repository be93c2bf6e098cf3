#include "components/editor/EditorUnits.h"

#include "components/editor/kDateTimePickerEdit.h"
#include "components/editor/kEditorControls.h"
#include "components/editor/kEditorEdit.h"
#include "components/editor/kEditorForm.h"
#include "components/editor/kEditorListBox.h"
#include "components/editor/kEditorMemo.h"
#include "components/editor/kEditorPickers.h"
#include "components/editor/kPlotEditorForm.h"
#include "components/editor/kPlotPreview.h"
#include "components/editor/kUpDown.h"
#include "components/editor/kValueConverterEditForm.h"
#include "components/editor/kValueConverterPicker.h"
#include "components/plot/output/kPlotPreviewRunner.h"
#include "platform/Forms.h"

namespace {

void kEditorBasicComponentsInitialization()
{
    kEditorFormInitialization();
    kEditorEditInitialization();
    kUpDownInitialization();
    kEditorControlsInitialization();
    kEditorListBoxInitialization();
    kEditorMemoInitialization();
    kEditorPickersInitialization();
    kDateTimePickerEditInitialization();
    kValueConverterEditFormInitialization();
    kValueConverterPickerInitialization();
}

void kPlotPreviewFinalization() { kSetPlotPreviewRunner(nullptr); }

}  // namespace

void RegisterEditorUnits()
{
    RegisterUnitInitialization("kEditorBasicComponents", kEditorBasicComponentsInitialization, nullptr);
    RegisterUnitInitialization("kPlotEditor", kPlotEditorFormInitialization, nullptr);
    RegisterUnitInitialization("kPlotPreview", kPlotPreviewInitialization, kPlotPreviewFinalization);
}
