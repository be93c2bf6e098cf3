#include "components/foundation/kPressControl.h"

#include "components/foundation/kCommonRoutines.h"
#include "platform/Variants.h"

TkPressControl::TkPressControl(TComponent* AOwner, const char* StateName, TkKeyPressing Keys)
    : TkCustomComponent(AOwner), FStateName(StateName), FKeys(Keys)
{
    SetTabStop(true);
}

// ---------------------------------------------------------------------------
// Change reports
// ---------------------------------------------------------------------------

void TkPressControl::DoChange() { ReportChange(true); }

void TkPressControl::ReportChange(bool WithOnChange)
{
    if (IsLoading()) return;
    if (OnChangeProtected) OnChangeProtected(this, FStateName);
    if (OnChange && WithOnChange) OnChange(this);
    if (OnChangeUser && FChangeByUser) OnChangeUser(this);
}

void TkPressControl::SetBoolState(bool Value, bool& Field)
{
    if (Value == Field) return;
    Boolean canEdit = true;
    if (OnRequestEdit) OnRequestEdit(this, FStateName, canEdit);
    if (!canEdit) return;
    Field = Value;
    InvalidateChange();
    DoChange();
    OPCOutputData(FStateName, Variant(Value));
}

// ---------------------------------------------------------------------------
// Hooks
// ---------------------------------------------------------------------------

bool TkPressControl::ReleaseClicks(Integer X, Integer Y) const
{
    return PtInRect(TRect{0, 0, Width(), Height()}, TPoint{X, Y});
}

void TkPressControl::MousePressed(Integer, Integer) {}
void TkPressControl::MousePressEnding() {}
bool TkPressControl::SpringBack() { return false; }

// ---------------------------------------------------------------------------
// Focus
// ---------------------------------------------------------------------------

// The focus look shows at once, not at the next throttled repaint.
void TkPressControl::kSetFocus()
{
    TkCustomComponent::kSetFocus();
    InvalidateNow();
}

// A momentary control held by the mouse springs back: the release will not
// come here any more.
void TkPressControl::kKillFocus()
{
    const bool heldByMouse = FMouseDown;
    if (heldByMouse) MousePressEnding();
    FMouseDown = false;
    FKeyDown = false;
    InvalidateChange();
    if (heldByMouse) SpringBack();
    TkCustomComponent::kKillFocus();
}

// ---------------------------------------------------------------------------
// Keys
// ---------------------------------------------------------------------------

void TkPressControl::kKeyDown(Word& Key, TShiftState)
{
    if (FKeys.ClickKey != 0) {
        if (Key != FKeys.ClickKey) return;
        FMouseDown = false;
    }
    FKeyDown = true;
    InvalidateChange();
}

// The flags are cleared before the click, so a handler that brings another
// key up cannot click a second time.
void TkPressControl::kKeyUp(Word& Key, TShiftState)
{
    const bool clickKey = FKeys.ClickKey != 0 && Key == FKeys.ClickKey;
    if (!clickKey && !FKeys.AnyKeyUpEnds) return;
    const bool clicks = clickKey && FKeyDown;
    if (FKeyDown) InvalidateChange();
    FKeyDown = false;
    if (!clicks) return;
    if (FKeys.KeyUpEndsMousePress) FMouseDown = false;
    ClickedByUser();
}

// ---------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------

void TkPressControl::kMouseDown(TMouseButton Button, TShiftState, Integer X, Integer Y)
{
    if (Button != mbLeft) return;
    FocusControl(this);
    FMouseDown = true;
    InvalidateChange();
    MousePressed(X, Y);
}

void TkPressControl::kMouseUp(TMouseButton Button, TShiftState, Integer X, Integer Y)
{
    if (Button != mbLeft || !FMouseDown) return;
    MousePressEnding();
    InvalidateChange();
    FMouseDown = false;
    if (!SpringBack() && ReleaseClicks(X, Y)) ClickedByUser();
}
