#pragma once
// Standard controls: labels (painted by the layer), and Qt's push button,
// line edit, combo box and check box behind the class library's names.
//
// Values set from code fire only where the class library fired: an edit's
// OnChange on a real change, a check box's OnClick; a combo box fires
// nothing from code.

#include <optional>

#include "platform/Controls.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

PL_ENUM_NAMES(TTextLayout, "tlTop", "tlCenter", "tlBottom")
PL_ENUM_NAMES(TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase")
PL_ENUM_NAMES(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable")
PL_ENUM_NAMES(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")

// ---------------------------------------------------------------------------
// Labels
// ---------------------------------------------------------------------------

class TCustomLabel : public TGraphicControl {
    PL_CLASSINFO()
public:
    explicit TCustomLabel(TComponent* AOwner);

    // The label takes the size of its text (DrawText with DT_CALCRECT).
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    // The accelerator focuses FocusControl.
    bool CMDialogChar(Char Key, bool Alt) override;
    void CMTextChanged() override;
    void CMFontChanged() override;

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The DT_* flags of the text.
    Cardinal TextFlags() const;
    // Resizes to the text when AutoSize is on (keeping the aligned edge).
    void AdjustBounds();

private:
    bool FAutoSize = true;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FTransparent = false;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
    PL_CLASSINFO()
public:
    using TCustomLabel::TCustomLabel;
};

// ---------------------------------------------------------------------------
// Buttons
// ---------------------------------------------------------------------------

class TButton : public TWinControl {
    PL_CLASSINFO()
public:
    explicit TButton(TComponent* AOwner);

    // Return clicks the default button, Escape the cancel button.
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    // Given to the form when the button is clicked.
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

    // A picture shown on the button beside its caption, the colour of its
    // bottom-left pixel left out, as on the class library's bitmap buttons.
    // The setter copies; an empty bitmap removes the picture.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);

    // Sets the form's ModalResult, then fires OnClick.
    void Click() override;
    bool CMDialogKey(Word& CharCode, TShiftState Shift) override;
    bool CMDialogChar(Char Key, bool Alt) override;
    void CMTextChanged() override;

protected:
    void CreateWnd() override;

private:
    void ShowGlyph();

    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
    TOwned<TBitmap> FGlyph;
};

// ---------------------------------------------------------------------------
// Edits
// ---------------------------------------------------------------------------

class TCustomEdit : public TWinControl {
    PL_CLASSINFO()
public:
    explicit TCustomEdit(TComponent* AOwner);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // 0: no limit.
    Integer MaxLength() const { return FMaxLength; }
    void SetMaxLength(Integer Value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    Char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(Char Value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // With a single border, the height follows the font: a line of text
    // and the frame (8 pixels when 3D, 6 when flat). Off unless a subclass
    // turns it on.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // Clears ParentCtl3D.
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    // On: 3D, as every parent is here.
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool Value);
    // Off: the selection stays shown while another control has the focus.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value) { FHideSelection = Value; }
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }

    // Selection, in characters from 0.
    Integer SelStart() const;
    void SetSelStart(Integer Value);
    Integer SelLength() const;
    void SetSelLength(Integer Value);
    String SelText() const;
    void SetSelText(const String& Value);
    void SelectAll();
    void Clear() { SetText(String()); }

    // Fires on every real change of the text, typed or set from code.
    TNotifyEvent OnChange;
    Integer WMGetDlgCode() override;
    // Entering by keyboard selects the whole text when AutoSelect is on.
    void CMEnter() override;
    void CMFontChanged() override;

protected:
    void CreateWnd() override;
    void Loaded() override;
    String GetTextValue() const override;
    void SetTextValue(const String& Value) override;
    virtual void Change();
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

private:
    // The user typed: CharCase applies, and the text counts as modified.
    void UserEdited();
    void AdjustHeight();

    bool FReadOnly = false;
    Integer FMaxLength = 0;
    TEditCharCase FCharCase = ecNormal;
    Char FPasswordChar = 0;
    bool FAutoSelect = true;
    TBorderStyle FBorderStyle = bsSingle;
    bool FAutoSize = false;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    bool FHideSelection = true;
    bool FModified = false;
    TAlignment FAlignment = taLeftJustify;
};

class TEdit : public TCustomEdit {
    PL_CLASSINFO()
public:
    using TCustomEdit::TCustomEdit;
};

// ---------------------------------------------------------------------------
// Combo box
// ---------------------------------------------------------------------------

// A user choice fires OnClick, then OnChange; typing in the edit part fires
// OnChange. ItemIndex and Text set from code fire nothing.
class TComboBox : public TWinControl {
    PL_CLASSINFO()
public:
    explicit TComboBox(TComponent* AOwner);
    ~TComboBox() override;

    TStrings* Items() const;
    void SetItems(TStrings* Value);
    // -1 when no item is chosen.
    Integer ItemIndex() const;
    void SetItemIndex(Integer Value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    Integer DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(Integer Value);
    bool Sorted() const;
    void SetSorted(bool Value);
    Integer MaxLength() const { return FMaxLength; }
    void SetMaxLength(Integer Value);
    bool DroppedDown() const;
    void SetDroppedDown(bool Value);
    void Clear();

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    Integer WMGetDlgCode() override;

    // Layer internals: the user chose an item, typed, or opened or closed
    // the list.
    void UserSelected();
    void UserEdited();
    void ListShown(bool Shown);

protected:
    void CreateWnd() override;
    void Loaded() override;
    String GetTextValue() const override;
    void SetTextValue(const String& Value) override;
    virtual void Change();
    virtual void Select();

private:
    void ItemsChanged();
    bool Editable() const { return FStyle == csDropDown || FStyle == csSimple; }

    TOwned<TStringList> FItems;
    TComboBoxStyle FStyle = csDropDown;
    // Made while its owner reads a form: the style waits for Loaded, and
    // with it the text of an editable box.
    bool FStyleDeferred = false;
    std::optional<String> FDeferredText;
    Integer FDropDownCount = 8;
    Integer FMaxLength = 0;
};

// ---------------------------------------------------------------------------
// Check box
// ---------------------------------------------------------------------------

// Changing Checked fires OnClick, from the user or from code (not while
// the form data is read).
class TCheckBox : public TWinControl {
    PL_CLASSINFO()
public:
    explicit TCheckBox(TComponent* AOwner);

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }

    bool CMDialogChar(Char Key, bool Alt) override;
    void CMTextChanged() override;
    // Layer internals: the user toggled the box.
    void Toggle();

protected:
    void CreateWnd() override;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};
