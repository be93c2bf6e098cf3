#include "components/editor/kEditorForm.h"

TClass TkCustomEditorForm::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkCustomEditorForm, TForm>("TkCustomEditorForm").Build();
    return &info;
}

void kEditorUserChange(const TComponent* Control)
{
    if (auto* form = dynamic_cast<TkCustomEditorForm*>(Control->Owner())) form->UserChange();
}

bool kEditorTabKey(TWinControl* Control, Char& Key)
{
    if (Key != 9) return false;
    Key = 0;
    if (TCustomForm* form = GetParentForm(Control)) {
        TWinControl* from = form->ActiveControl() ? form->ActiveControl() : Control;
        form->SelectNext(from, !KeyboardShiftState().Contains(ssShift), true);
    }
    return true;
}

void kEditorFormInitialization() { RegisterClass(TkCustomEditorForm::StaticClassInfo()); }
