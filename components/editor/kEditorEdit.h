#pragma once
// The editor kit's edit. Values written from code set the text and the
// committed text without events. The user's typing commits on Return, on
// leaving the control and on losing the focus: a changed text fires
// OnUpdate and tells the editor form. Esc brings back the committed text.
//
// Numbers are read strictly: the whole trimmed text must be a number of
// the type ("12abc", "nan", "inf" and out-of-range values are not), and
// anything else reads 0.

#include "components/editor/kEditorForm.h"
#include "platform/StdCtrls.h"

class TkComponentEditorEdit : public TEdit, public TkEditorValueControl {
    PL_CLASSINFO()
public:
    explicit TkComponentEditorEdit(TComponent* AOwner);

    // ---- Event-free values ----
    String AsString() const;
    void SetAsString(const String& Value);
    // 0 when the trimmed text is not a 32-bit integer.
    Integer AsInteger() const;
    void SetAsInteger(Integer Value);
    // 0.0 when the trimmed text is not a finite number. A value written
    // reads back exactly while its text stays untouched, though the text
    // shows only 15 digits.
    Double AsFloat() const;
    void SetAsFloat(Double Value);
    // The trimmed text as a date and time in the format settings' form;
    // text that is none raises EConvertError. A value written reads back
    // exactly while its text stays untouched, though the text shows only
    // whole seconds; a value no date can show raises before anything
    // changes.
    TDateTime AsDateTime() const;
    void SetAsDateTime(TDateTime Value);

    // ---- As the user would ----
    // Sets the text, tells the editor form, then commits.
    void SetStringWithEvent(const String& Value);
    void SetIntegerWithEvent(Integer Value);
    void SetDoubleWithEvent(Double Value);
    // A text that differs from the committed one becomes committed: then
    // OnUpdate, and the editor form's UserChange unless events are blocked.
    void DoUpdate();

    // ---- Enabled state ----
    // Disabled and grey, its text and committed text emptied, no events.
    void Disable() override;
    // Disabled and grey, the text kept.
    void DisableNoClear();
    void Enable() override;
    // The colour follows: window colour when enabled, button face when not.
    void SetEnabled(bool Value) override;

    const String& OriginalText() const { return FOriginalText; }
    TNotifyEvent OnUpdate;
    void SetOnUserChange(TNotifyEvent Handler) override { OnUpdate = std::move(Handler); }

    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    Integer WMGetDlgCode() override;
    Integer CMWantSpecialKey(Word& CharCode) override;
    void CMExit() override;
    void WMKillFocus(TWinControl* FocusedTo) override;

private:
    // Commits and selects the text: Return.
    void CommitAndSelect();

    // A value written from code and the text it was shown as: while the
    // text is unchanged, the value is read back rather than the text.
    struct TLoadedValue {
        Double Value = 0.0;
        String Text;
        bool Held = false;
        bool Shows(const String& Current) const { return Held && Current == Text; }
    };
    // Shows Shown (without events) and keeps Value as Loaded's.
    void LoadValue(TLoadedValue& Loaded, Double Value, const String& Shown);

    bool FBlockingEvents = false;
    String FOriginalText;
    TLoadedValue FLoadedFloat;
    TLoadedValue FLoadedDateTime;
};

void kEditorEditInitialization();
