#pragma once
// The editor kit's spin buttons beside an edit. Pressing a button steps
// the edit's value by Increment at once, again after 500 ms and then every
// 50 ms while the button stays pressed. The repeat stops on release, on
// loss of the mouse capture, when the control is disabled or hidden, and
// when a step raises, so it can never run on by itself.

#include "components/editor/kEditAssociate.h"
#include "components/editor/kEditorEdit.h"
#include "platform/AutoRepeat.h"
#include "platform/Controls.h"

class TkUpDown : public TGraphicControl {
    PL_CLASSINFO()
public:
    explicit TkUpDown(TComponent* AOwner);

    // Placed at the edit's right edge with its top and height; forgotten
    // when the edit goes away.
    TkComponentEditorEdit* Associate() const { return FAssociate.Edit(); }
    void SetAssociate(TkComponentEditorEdit* Value);
    // Bounds of the value; both 0: no bounds.
    SmallInt Min() const { return FMin; }
    void SetMin(SmallInt Value) { FMin = Value; }
    SmallInt Max() const { return FMax; }
    void SetMax(SmallInt Value) { FMax = Value; }
    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer Value) { FIncrement = Value; }

    // The associated edit's value (0 without one). Writing clamps into
    // Min..Max and goes to the edit as the user's change while a button
    // steps, else without events.
    Integer AsInteger() const;
    void SetAsInteger(Integer Value);

    void Disable();
    void Enable();
    void SetEnabled(bool Value) override;

    // True while the repeat runs.
    bool Repeating() const { return FRepeat.Running(); }

    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void WMCaptureChanged() override;
    void CMVisibleChanged() override;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Which button the mouse holds, from the mouse position.
    void TrackButtons(Integer X, Integer Y);
    // One step of the pressed button as the user's change; a step that
    // raises stops the repeat.
    void Step();
    void StopRepeat() noexcept;
    // The buttons split the height: (Height - 1) div 2 each, at the top
    // and at the bottom.
    void LayoutButtons();
    void DrawButton(const TRect& Rect, bool Pressed, bool Up);

    TAutoRepeat FRepeat;
    TkEditAssociate FAssociate{*this};
    SmallInt FMin = 0;
    SmallInt FMax = 100;
    Integer FIncrement = 1;
    bool FMouseDown = false;
    bool FUpButtonPressed = false;
    bool FDownButtonPressed = false;
    TRect FUpButtonRect{};
    TRect FDownButtonRect{};
    bool FUserGenerated = false;
};

void kUpDownInitialization();
