#pragma once
// The editor kit's pickers: a colour swatch with its "..." button, and
// buttons that run the font, open and save dialogs. A confirmed dialog
// stores its result, tells the editor form, repaints and fires OnChange;
// values written from code fire nothing.

#include "components/editor/kEditorControls.h"
#include "components/foundation/kDialogs.h"

class TkComponentEditorColorPicker : public TCustomControl, public TkEditorValueControl {
    PL_CLASSINFO()
public:
    explicit TkComponentEditorColorPicker(TComponent* AOwner);

    // The picked colour (not the control's background).
    TColor Color() const { return FPickedColor; }
    void SetColor(TColor Value);
    TkComponentEditorButton* Button() const { return FButton; }
    // Runs the colour dialog on Color.
    void Execute();
    void Disable() override { SetEnabled(false); }
    void Enable() override { SetEnabled(true); }
    void SetEnabled(bool Value) override;

    TNotifyEvent OnChange;
    void SetOnUserChange(TNotifyEvent Handler) override { OnChange = std::move(Handler); }

    // The button stays at the right edge, as high as the control.
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void DblClick() override;
    void KeyPress(Char& Key) override;

protected:
    void Paint() override;

private:
    TColor FPickedColor = clRed;
    TkComponentEditorButton* FButton;
};

class TkComponentEditorFontPicker : public TkComponentEditorButton, public TkEditorValueControl {
    PL_CLASSINFO()
public:
    explicit TkComponentEditorFontPicker(TComponent* AOwner);
    // The picked font (not the caption's); the setter copies.
    TFont* Font() const { return FPickedFont.get(); }
    void SetFont(TFont* Value) { FPickedFont->Assign(Value); }
    // Runs the font dialog on a copy of Font.
    void Click() override;
    void Disable() override { SetEnabled(false); }
    void Enable() override { SetEnabled(true); }

    TNotifyEvent OnChange;
    void SetOnUserChange(TNotifyEvent Handler) override { OnChange = std::move(Handler); }

private:
    TOwned<TFont> FPickedFont;
};

// What the open and save pickers share: the dialog's settings, of which a
// file name ending in a path separator names "Untitled" in that folder.
class TkEditorFilePicker : public TkComponentEditorButton, public TkFileSettings {
    PL_CLASSINFO()
public:
    TkEditorFilePicker(TComponent* AOwner, const String& ACaption);

    TNotifyEvent OnChange;

protected:
    // Hands the settings to Dialog, with FileName as the dialog starts on
    // it, and DefaultDir only when WithDefaultDir.
    void SetUpDialog(TkFileDialogBase& Dialog, bool WithDefaultDir);
    // The user confirmed FileName: the editor form, a repaint, OnChange.
    void Confirmed();

    bool FDefaultDirUsed = false;
};

class TkComponentEditorOpenPicker : public TkEditorFilePicker {
    PL_CLASSINFO()
public:
    explicit TkComponentEditorOpenPicker(TComponent* AOwner);
    bool FileMustExist() const { return FFileMustExist; }
    void SetFileMustExist(bool Value) { FFileMustExist = Value; }
    bool AllowMultiSelect() const { return FAllowMultiSelect; }
    void SetAllowMultiSelect(bool Value) { FAllowMultiSelect = Value; }
    // The files of the last confirmed dialog.
    TStrings* Files() const;
    // Runs the open dialog, starting in DefaultDir every time.
    void Click() override;

private:
    bool FFileMustExist = false;
    bool FAllowMultiSelect = false;
    TOwned<TStringList> FFiles;
};

class TkComponentEditorSavePicker : public TkEditorFilePicker {
    PL_CLASSINFO()
public:
    explicit TkComponentEditorSavePicker(TComponent* AOwner);
    Integer FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(Integer Value) { FFilterIndex = Value; }
    // Runs the save dialog (starting in DefaultDir the first time only);
    // true when the user confirmed.
    bool Execute();
    void Click() override;

private:
    Integer FFilterIndex = 1;
};

void kEditorPickersInitialization();
