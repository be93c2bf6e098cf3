#pragma once
// The editor kit's simple controls: page control, button, check box, radio
// group, combo box, group box and paint box. The choice controls take
// their values from code without events (AsBoolean, AsInteger, AsString)
// and tell the editor form of every change the user makes; all of them
// move the focus on Tab.

#include "components/editor/kEditorForm.h"
#include "components/foundation/kCheckBox.h"
#include "components/foundation/kRadioGroup.h"
#include "platform/ComCtrls.h"
#include "platform/ListBox.h"
#include "platform/StdCtrls.h"

class TkComponentEditorPageControl : public TPageControl {
    PL_CLASSINFO()
public:
    using TPageControl::TPageControl;
    Integer WMGetDlgCode() override;
    void KeyPress(Char& Key) override;
};

class TkComponentEditorButton : public TButton {
    PL_CLASSINFO()
public:
    using TButton::TButton;
    void KeyPress(Char& Key) override;
};

// A change fires the check box's change events, then tells the editor
// form, then fires OnClick; AsBoolean writes with OnClick detached.
class TkComponentEditorCheckBox : public TkCheckBox, public TkEditorValueControl {
    PL_CLASSINFO()
public:
    using TkCheckBox::TkCheckBox;
    bool AsBoolean() const { return Checked(); }
    void SetAsBoolean(bool Value);
    // Disabled and unchecked, without events.
    void Disable() override;
    void Enable() override { SetEnabled(true); }
    void SetOnUserChange(TNotifyEvent Handler) override { OnClick = std::move(Handler); }
    // OnClick comes from the change, once, whether the mouse or the space
    // bar made it.
    void Click() override {}
    void KeyPress(Char& Key) override;

protected:
    void DoChange() override;

private:
    bool FBlockingEvents = false;
};

class TkComponentEditorRadioGroup : public TkRadioGroup, public TkEditorValueControl {
    PL_CLASSINFO()
public:
    using TkRadioGroup::TkRadioGroup;
    Integer AsInteger() const { return ItemIndex(); }
    void SetAsInteger(Integer Value);
    // Disabled and without a selection, without events.
    void Disable() override;
    void Enable() override { SetEnabled(true); }
    void SetOnUserChange(TNotifyEvent Handler) override { OnClick = std::move(Handler); }
    void KeyPress(Char& Key) override;

protected:
    void DoChange() override;

private:
    bool FBlockingEvents = false;
};

class TkComponentEditorComboBox : public TComboBox, public TkEditorValueControl {
    PL_CLASSINFO()
public:
    using TComboBox::TComboBox;
    Integer AsInteger() const { return ItemIndex(); }
    void SetAsInteger(Integer Value);
    String AsString() const { return Text(); }
    void SetAsString(const String& Value);
    // Disabled, grey, no selection and no text, without events.
    void Disable() override;
    void Enable() override;
    // Typed text reaches an editable combo box's OnChange only; a list's
    // choice comes as a click.
    void SetOnUserChange(TNotifyEvent Handler) override;
    // The user's choice: OnClick, then the editor form.
    void Click() override;
    Integer WMGetDlgCode() override;
    Integer CMWantSpecialKey(Word& CharCode) override;
    void KeyPress(Char& Key) override;

private:
    bool FBlockingEvents = false;
};

class TkComponentEditorGroupBox : public TGroupBox {
    PL_CLASSINFO()
public:
    using TGroupBox::TGroupBox;
};

// A surface for the editor forms' own drawing (previews): OnPaint draws on
// Canvas, double-buffered and opaque.
class TkPaintBox : public TCustomControl {
    PL_CLASSINFO()
public:
    explicit TkPaintBox(TComponent* AOwner);
    using TCustomControl::Canvas;
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

void kEditorControlsInitialization();
