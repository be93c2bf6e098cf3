#pragma once
// The small clickable element inside a legend, a toolbar or a table (their
// scroll and command buttons derive from it and add only drawing). The
// owner places the button by setting its rectangle, hands it the mouse
// through GetObjectAtPoint and reacts through its hooks. A repeating button
// clicks while held: first after 500 ms, then every 50 ms.
//
// A press counts only when begun with the left button; it ends with the
// release (a click when released inside the rectangle), with disabling, or
// when the plot reports the mouse gone elsewhere (DoMouseNotOver, sent when
// the plot loses the mouse capture), which ends it without a click.

#include "components/plot/objects/kPlotObjects.h"
#include "platform/AutoRepeat.h"

class TkPlotButton : public TkPlotObject {
    PL_CLASSINFO()
public:
    explicit TkPlotButton(TkPlotObjectOwner* AOwner);

    // Component pixels; set by the owner's layout, without notification.
    TRect DrawRect() const { return Rect(FLeft, FTop, FRight, FBottom); }
    void SetDrawRect(const TRect& Value);
    Integer Width() const { return FRight - FLeft; }
    Integer Height() const { return FBottom - FTop; }

    // Shown pressed (toggle buttons of a toolbar).
    bool Down() const { return FDown; }
    // A new value fires the invalidate hook, then the down-change hook.
    void SetDown(bool Value);
    // Repeats the click while held.
    bool TimerEnabled() const { return FTimerEnabled; }
    void SetTimerEnabled(bool Value) { FTimerEnabled = Value; }
    // 0: no group; any other value (negative ones too) fires the group hook
    // before the click.
    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value) { FGroupIndex = Value; }

    // Fired on a click and on every repeat.
    void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }
    // Fired before the click of a button that belongs to a group.
    void SetOnGroupClick(TNotifyEvent Value) { FOnGroupClick = std::move(Value); }
    // Fired whenever the button's look may have changed.
    void SetOnInvalidate(TNotifyEvent Value) { FOnInvalidate = std::move(Value); }
    void SetOnDownChange(TNotifyEvent Value) { FOnDownChange = std::move(Value); }

    // Disabling ends a press and its repeats at once.
    void SetEnabled(bool Value) override;
    void DoInvalidate();

    void DoMouseLeft(const TkPlotMouseData& MouseData) override;
    // Moving off the button while held keeps the repeats going.
    void DoMouseMove(const TkPlotMouseData& MouseData) override;
    void DoMouseUp(const TkPlotMouseData& MouseData) override;
    void DoMouseNotOver() override;

    // A press is in progress (begun with the left button, not ended yet).
    bool Pressed() const { return FPressed; }
    // A repeating press lasts.
    bool Repeating() const { return FRepeat.Running(); }

private:
    // A hook of the owner's, when set.
    static void CallHook(const TNotifyEvent& Hook, TObject* Sender)
    {
        if (Hook) Hook(Sender);
    }
    // Ends the press: no more repeats; the owner repaints the button.
    void EndPress();
    void Repeat();

    Integer FTop = 0;
    Integer FBottom = 0;
    Integer FRight = 0;
    Integer FLeft = 0;
    bool FDown = false;
    TNotifyEvent FOnClick;
    TNotifyEvent FOnGroupClick;
    TNotifyEvent FOnInvalidate;
    TNotifyEvent FOnDownChange;
    TAutoRepeat FRepeat;
    bool FTimerEnabled = false;
    Integer FGroupIndex = 0;
    bool FPressed = false;
};
