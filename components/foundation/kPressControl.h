#pragma once
// The press-and-release behaviour of the library's clickable controls. The
// left button pressed on the control takes the focus and shows the press
// until the button comes up; the release clicks only over the control. A
// key held shows the press as well, and the click key's release clicks.
// Losing the focus ends every press without a click. What a click changes
// is reported through the change events, with OnChangeUser for the user's
// own changes.

#include "components/foundation/kCustomComponent.h"
#include "platform/Messages.h"

// How the keyboard presses a control.
struct TkKeyPressing {
    // The key whose press shows and whose release clicks; 0: every key
    // shows the press while held, none clicks, and the mouse's press is
    // left alone.
    Word ClickKey = VK_SPACE;
    // The release of any key ends the key's press, not only the click key's.
    bool AnyKeyUpEnds = true;
    // The click key's release ends the mouse's press as well.
    bool KeyUpEndsMousePress = false;
};

// Publishes nothing of its own: each control's class information keeps
// TkCustomComponent as its published parent.
class TkPressControl : public TkCustomComponent {
public:
    // StateName is the published property a click changes, as the change
    // events name it.
    TkPressControl(TComponent* AOwner, const char* StateName, TkKeyPressing Keys = {});

    // Pressed by the left button or by a key.
    bool Pressed() const { return FMouseDown || FKeyDown; }

    TNotifyEvent OnChange;
    // Only for changes the user made.
    TNotifyEvent OnChangeUser;

protected:
    bool PressedByMouse() const { return FMouseDown; }

    // Reports a change of the state: OnChangeProtected, OnChange, then
    // OnChangeUser for the user's changes; nothing while loading.
    virtual void DoChange();
    // DoChange's reports, OnChange left out unless WithOnChange.
    void ReportChange(bool WithOnChange);
    // Runs Change as the user's own: OnChangeUser fires for what it reports.
    template <class F>
    void ChangeByUser(F&& Change)
    {
        TFlagScope user(FChangeByUser);
        Change();
    }
    // Asks OnRequestEdit, then stores Value in Field, repaints, reports the
    // change and sends the value to the bound OPC items.
    void SetBoolState(bool Value, bool& Field);

    // ---- Hooks of the press ----
    // The user's click: the left button released where it clicks, or the
    // click key released.
    virtual void ClickedByUser() = 0;
    // Whether the left button released at (X, Y) clicks: over the control.
    virtual bool ReleaseClicks(Integer X, Integer Y) const;
    // The left button pressed the control at (X, Y); the press shows.
    virtual void MousePressed(Integer X, Integer Y);
    // The left button's press is about to end, by its release or by the
    // focus leaving.
    virtual void MousePressEnding();
    // Once the left button's press has ended: a momentary control springs
    // back here and returns true, and the release then does not click.
    virtual bool SpringBack();

    void kSetFocus() override;
    // The flags are cleared before the inherited step, whose release of
    // the left button at (0, 0) must not click.
    void kKillFocus() override;
    void kKeyDown(Word& Key, TShiftState Shift) override;
    void kKeyUp(Word& Key, TShiftState Shift) override;
    void kMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    // Only the release of the left button that pressed the control counts.
    void kMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    const char* FStateName;
    TkKeyPressing FKeys;
    // The left button went down on the control.
    bool FMouseDown = false;
    // A key that presses the control is held.
    bool FKeyDown = false;
    // The control's own flag, apart from the base's UserGenerated: true
    // while a change the user made is applied.
    bool FChangeByUser = false;
};
