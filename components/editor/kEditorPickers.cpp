#include "components/editor/kEditorPickers.h"

#include "components/editor/kEditorForm.h"
#include "platform/SysUtils.h"

// ---------------------------------------------------------------------------
// Colour picker
// ---------------------------------------------------------------------------

TClass TkComponentEditorColorPicker::StaticClassInfo()
{
    using C = TkComponentEditorColorPicker;
    static const TClassInfo info = TClassBuilder<C, TCustomControl>("TkComponentEditorColorPicker")
                                       .Color("Color", &C::Color, &C::SetColor).Default(clRed)
                                       .Event("OnChange", &C::OnChange, &C::OnChange)
                                       .Build();
    return &info;
}

TkComponentEditorColorPicker::TkComponentEditorColorPicker(TComponent* AOwner)
    : TCustomControl(AOwner), FButton(Create<TkComponentEditorButton>(this))
{
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    FButton->SetParent(this);
    FButton->SetCaption("...");
    FButton->OnClick = [this](TObject*) { Execute(); };
    SetBounds(0, 0, 47, 21);
}

void TkComponentEditorColorPicker::SetColor(TColor Value)
{
    if (Value == FPickedColor) return;
    FPickedColor = Value;
    Invalidate();
}

void TkComponentEditorColorPicker::Execute()
{
    TOwned<TkColorDialog> dialog(Create<TkColorDialog>(this));
    dialog->SetColor(FPickedColor);
    if (!dialog->Execute()) return;
    FPickedColor = dialog->Color();
    kEditorUserChange(this);
    Invalidate();
    if (OnChange) OnChange(this);
}

void TkComponentEditorColorPicker::SetEnabled(bool Value)
{
    TCustomControl::SetEnabled(Value);
    FButton->SetEnabled(Value);
    Invalidate();
}

void TkComponentEditorColorPicker::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    FButton->SetBounds(Width() - 21, 0, 21, Height());
}

void TkComponentEditorColorPicker::DblClick()
{
    TCustomControl::DblClick();
    Execute();
}

void TkComponentEditorColorPicker::KeyPress(Char& Key)
{
    TCustomControl::KeyPress(Key);
    kEditorTabKey(this, Key);
}

void TkComponentEditorColorPicker::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(ClientRect());
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetColor(clBlack);
    canvas->Brush()->SetColor(Enabled() ? FPickedColor : clBtnFace);
    canvas->Rectangle(0, 0, Width() - 21, Height());
}

// ---------------------------------------------------------------------------
// Font picker
// ---------------------------------------------------------------------------

TClass TkComponentEditorFontPicker::StaticClassInfo()
{
    using C = TkComponentEditorFontPicker;
    static const TClassInfo info = TClassBuilder<C, TkComponentEditorButton>("TkComponentEditorFontPicker")
                                       .Object("Font", &C::Font, &C::SetFont)
                                       .Event("OnChange", &C::OnChange, &C::OnChange)
                                       .Build();
    return &info;
}

TkComponentEditorFontPicker::TkComponentEditorFontPicker(TComponent* AOwner)
    : TkComponentEditorButton(AOwner), FPickedFont(CreateOwned<TFont>())
{
    SetCaption("Font");
    SetBounds(0, 0, 75, 25);
}

void TkComponentEditorFontPicker::Click()
{
    TkComponentEditorButton::Click();
    TOwned<TkFontDialog> dialog(Create<TkFontDialog>(this));
    dialog->SetFont(FPickedFont.get());
    if (!dialog->Execute()) return;
    FPickedFont->Assign(dialog->Font());
    kEditorUserChange(this);
    Invalidate();
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// File pickers
// ---------------------------------------------------------------------------

TClass TkEditorFilePicker::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TkEditorFilePicker, TkComponentEditorButton>("TkEditorFilePicker").Build();
    return &info;
}

TkEditorFilePicker::TkEditorFilePicker(TComponent* AOwner, const String& ACaption) : TkComponentEditorButton(AOwner)
{
    SetCaption(ACaption);
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TkEditorFilePicker::SetUpDialog(TkFileDialogBase& Dialog, bool WithDefaultDir)
{
    const bool folderOnly = !FFileName.empty() && FFileName.back() == PathDelim;
    Dialog.SetFileName(folderOnly ? FFileName + "Untitled" : FFileName);
    Dialog.SetFilter(FFilter);
    Dialog.SetDefaultExt(FDefaultExt);
    if (WithDefaultDir) Dialog.SetDefaultDir(FDefaultDir);
    FDefaultDirUsed = true;
}

void TkEditorFilePicker::Confirmed()
{
    kEditorUserChange(this);
    Invalidate();
    if (OnChange) OnChange(this);
}

TClass TkComponentEditorOpenPicker::StaticClassInfo()
{
    using C = TkComponentEditorOpenPicker;
    static const TClassInfo info =
        TClassBuilder<C, TkEditorFilePicker>("TkComponentEditorOpenPicker")
            .String("FileName", &C::FileName, &C::SetFileName).Default(String())
            .String("Filter", &C::Filter, &C::SetFilter).Default(String())
            .String("DefaultExt", &C::DefaultExt, &C::SetDefaultExt).Default(String())
            .String("DefaultDir", &C::DefaultDir, &C::SetDefaultDir).Default(String())
            .Bool("FileMustExist", &C::FileMustExist, &C::SetFileMustExist).Default(false)
            .Bool("AllowMultiSelect", &C::AllowMultiSelect, &C::SetAllowMultiSelect).Default(false)
            .Event("OnChange", &C::OnChange, &C::OnChange)
            .Build();
    return &info;
}

TkComponentEditorOpenPicker::TkComponentEditorOpenPicker(TComponent* AOwner)
    : TkEditorFilePicker(AOwner, "Open"), FFiles(CreateOwned<TStringList>())
{
}

TStrings* TkComponentEditorOpenPicker::Files() const { return FFiles.get(); }

void TkComponentEditorOpenPicker::Click()
{
    TkEditorFilePicker::Click();
    TOwned<TkOpenDialog> dialog(Create<TkOpenDialog>(this));
    SetUpDialog(*dialog, true);
    dialog->SetFileMustExist(FFileMustExist);
    dialog->AllowMultiSelect = FAllowMultiSelect;
    if (!dialog->Execute()) return;
    FFileName = dialog->FileName();
    FFiles->Assign(dialog->Files());
    Confirmed();
}

TClass TkComponentEditorSavePicker::StaticClassInfo()
{
    using C = TkComponentEditorSavePicker;
    static const TClassInfo info = TClassBuilder<C, TkEditorFilePicker>("TkComponentEditorSavePicker")
                                       .String("FileName", &C::FileName, &C::SetFileName).Default(String())
                                       .String("Filter", &C::Filter, &C::SetFilter).Default(String())
                                       .Integer("FilterIndex", &C::FilterIndex, &C::SetFilterIndex).Default(1)
                                       .String("DefaultExt", &C::DefaultExt, &C::SetDefaultExt).Default(String())
                                       .String("DefaultDir", &C::DefaultDir, &C::SetDefaultDir).Default(String())
                                       .Event("OnChange", &C::OnChange, &C::OnChange)
                                       .Build();
    return &info;
}

TkComponentEditorSavePicker::TkComponentEditorSavePicker(TComponent* AOwner) : TkEditorFilePicker(AOwner, "Save") {}

bool TkComponentEditorSavePicker::Execute()
{
    TOwned<TkSaveDialog> dialog(Create<TkSaveDialog>(this));
    SetUpDialog(*dialog, !FDefaultDirUsed);
    dialog->SetFilterIndex(FFilterIndex);
    if (!dialog->Execute()) return false;
    FFileName = dialog->FileName();
    FFilterIndex = dialog->FilterIndex();
    Confirmed();
    return true;
}

void TkComponentEditorSavePicker::Click()
{
    TkEditorFilePicker::Click();
    Execute();
}

void kEditorPickersInitialization()
{
    RegisterClasses({TkComponentEditorColorPicker::StaticClassInfo(), TkComponentEditorFontPicker::StaticClassInfo(),
                     TkComponentEditorOpenPicker::StaticClassInfo(), TkComponentEditorSavePicker::StaticClassInfo()});
}
