#include "components/editor/kPlotPreviewSettings.h"

#include "components/editor/kPlotPreview.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TClass TkPlotPreviewSettingsForm::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TkPlotPreviewSettingsForm, TkCustomEditorForm>("TkPlotPreviewSettingsForm").Build();
    return &info;
}

TkPlotPreviewSettingsForm::TkPlotPreviewSettingsForm(TComponent* AOwner) : TkCustomEditorForm(AOwner) {}

namespace {

template <class T>
T* Place(TWinControl* Parent, TComponent* Owner, Integer Left, Integer Top, Integer Width, Integer Height)
{
    T* control = Create<T>(Owner);
    control->SetParent(Parent);
    control->SetBounds(Left, Top, Width, Height);
    return control;
}

void AddLabel(TkPlotPreviewSettingsForm* Form, const String& Caption, Integer Left, Integer Top)
{
    auto* label = Create<TLabel>(Form);
    label->SetParent(Form);
    label->SetLeft(Left);
    label->SetTop(Top);
    label->SetCaption(Caption);
}

TkComponentEditorButton* AddButton(TkPlotPreviewSettingsForm* Form, const String& Caption, Integer Left,
                                   TModalResult Result)
{
    auto* button = Place<TkComponentEditorButton>(Form, Form, Left, 172, 75, 25);
    button->SetCaption(Caption);
    button->SetModalResult(Result);
    return button;
}

Double MarginOf(const TkComponentEditorEdit* Edit)
{
    const Double value = Edit->AsFloat();
    if (value < 0) throw Exception("Margins must not be negative");
    return value;
}

}  // namespace

void TkPlotPreviewSettingsForm::AfterConstruction()
{
    TkCustomEditorForm::AfterConstruction();
    SetCaption("Settings");
    SetPosition(poScreenCenter);
    SetBorderStyle(bsDialog);
    SetClientWidth(403);
    SetClientHeight(205);
    PrintOrientationRadioGroup = Place<TkComponentEditorRadioGroup>(this, this, 8, 12, 121, 101);
    PrintOrientationRadioGroup->SetCaption("Orientation");
    PrintOrientationRadioGroup->Items()->Add("Portrait");
    PrintOrientationRadioGroup->Items()->Add("Landscape");
    auto* margins = Place<TkComponentEditorGroupBox>(this, this, 144, 12, 137, 101);
    margins->SetCaption("Margin");
    PrintMarginTopEdit = Place<TkComponentEditorEdit>(margins, this, 52, 19, 33, 21);
    PrintMarginLeftEdit = Place<TkComponentEditorEdit>(margins, this, 20, 43, 33, 21);
    PrintMarginRightEdit = Place<TkComponentEditorEdit>(margins, this, 84, 43, 33, 21);
    PrintMarginBottomEdit = Place<TkComponentEditorEdit>(margins, this, 52, 67, 33, 21);
    AddLabel(this, "Document Name", 8, 135);
    PrintDocumentNameEdit = Place<TkComponentEditorEdit>(this, this, 96, 131, 185, 21);
    AddLabel(this, "Paper Size", 296, 16);
    PrintPaperSizeComboBox = Place<TkComponentEditorComboBox>(this, this, 296, 32, 97, 21);
    PrintPaperSizeComboBox->SetStyle(csDropDownList);
    for (const char* paper : {"Letter", "Legal", "A3", "A4", "A5"}) PrintPaperSizeComboBox->Items()->Add(paper);
    OkButton = AddButton(this, "OK", 236, mrOk);
    OkButton->SetDefault(true);
    CancelButton = AddButton(this, "Cancel", 318, mrCancel);
    CancelButton->SetCancel(true);
}

void TkPlotPreviewSettingsForm::LoadFrom(const TkPlotPreviewForm& Preview)
{
    PrintMarginTopEdit->SetAsFloat(Preview.PrintMargins.Top);
    PrintMarginLeftEdit->SetAsFloat(Preview.PrintMargins.Left);
    PrintMarginRightEdit->SetAsFloat(Preview.PrintMargins.Right);
    PrintMarginBottomEdit->SetAsFloat(Preview.PrintMargins.Bottom);
    PrintOrientationRadioGroup->SetAsInteger(Preview.PrintOrientation == poLandscape ? 1 : 0);
    PrintDocumentNameEdit->SetAsString(Preview.PrintDocumentName);
    PrintPaperSizeComboBox->SetAsInteger(Preview.PrintSize);
}

void TkPlotPreviewSettingsForm::SaveTo(TkPlotPreviewForm& Preview) const
{
    const TkPrintMargins margins{MarginOf(PrintMarginLeftEdit), MarginOf(PrintMarginTopEdit),
                                 MarginOf(PrintMarginRightEdit), MarginOf(PrintMarginBottomEdit)};
    Preview.PrintMargins = margins;
    Preview.PrintOrientation = PrintOrientationRadioGroup->AsInteger() == 1 ? poLandscape : poPortrait;
    Preview.PrintDocumentName = PrintDocumentNameEdit->AsString();
    Preview.PrintSize = PrintPaperSizeComboBox->AsInteger();
}
