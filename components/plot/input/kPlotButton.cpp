#include "components/plot/input/kPlotButton.h"

namespace {

// A held repeating button clicks first after this pause, then at the
// repeat interval.
constexpr Cardinal kFirstRepeatDelay = 500;
constexpr Cardinal kRepeatInterval = 50;

}  // namespace

TkPlotButton::TkPlotButton(TkPlotObjectOwner* AOwner)
    : TkPlotObject(AOwner), FRepeat(kFirstRepeatDelay, kRepeatInterval, [this] { Repeat(); })
{
    // A part of its toolbar, legend or table, not an object of the plot: it
    // reports nothing of itself; its owner hears of it through its hooks.
    StopReporting();
}

TClass TkPlotButton::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkPlotButton, TkPlotObject>("TkPlotButton").Build();
    return &info;
}

void TkPlotButton::SetDrawRect(const TRect& Value)
{
    FLeft = Value.Left;
    FTop = Value.Top;
    FRight = Value.Right;
    FBottom = Value.Bottom;
}

void TkPlotButton::SetDown(bool Value)
{
    if (Value == FDown) return;
    FDown = Value;
    TWeakRef<TkPlotObject> self(this);
    DoInvalidate();
    if (self) CallHook(FOnDownChange, this);
}

void TkPlotButton::SetEnabled(bool Value)
{
    if (!Value) EndPress();
    TkPlotObject::SetEnabled(Value);
}

void TkPlotButton::DoInvalidate() { CallHook(FOnInvalidate, this); }

// --- the press -------------------------------------------------------------

void TkPlotButton::DoMouseLeft(const TkPlotMouseData&)
{
    FPressed = true;
    if (FTimerEnabled) FRepeat.Start();
    DoInvalidate();
}

void TkPlotButton::DoMouseMove(const TkPlotMouseData&) {}

void TkPlotButton::DoMouseUp(const TkPlotMouseData& MouseData)
{
    // A press begun with another button, or already ended, never clicks.
    if (!FPressed) return;
    TWeakRef<TkPlotObject> self(this);
    EndPress();
    DoInvalidate();
    if (!self || !PtInRect(DrawRect(), Point(MouseData.X, MouseData.Y))) return;
    if (FGroupIndex != 0) {
        CallHook(FOnGroupClick, this);
        if (!self) return;
    }
    CallHook(FOnClick, this);
}

void TkPlotButton::DoMouseNotOver()
{
    if (!FPressed) return;
    EndPress();
    DoInvalidate();
}

void TkPlotButton::EndPress()
{
    FPressed = false;
    FRepeat.Stop();
}

void TkPlotButton::Repeat()
{
    TWeakRef<TkPlotObject> self(this);
    CallHook(FOnClick, this);
    if (self) DoInvalidate();
}
