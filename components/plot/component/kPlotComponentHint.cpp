// The plot's hint box: the object under a resting mouse offers a text and a
// box; after HintsPause the box shows (the control takes the mouse, so that
// it hears the mouse leave), and after HintsHidePause, a press, a release,
// or a move onto another object it goes again.

#include "components/plot/component/kPlotComponent.h"
#include "components/plot/input/kPlotButton.h"

namespace {

// Hints that travel with the mouse while they show: along a row of buttons,
// from point to point along a channel.
bool HintFollowsMouse(const TkPlotObject* Object)
{
    return Object->Kind() == kpokChannel || dynamic_cast<const TkPlotButton*>(Object) != nullptr;
}

}  // namespace

void TkPlotComponent::RestartHintTimer(Integer Pause)
{
    TimerStop();
    const Cardinal ms = static_cast<Cardinal>(std::max<Integer>(Pause, 0));
    TimerStart(ms, ms);
}

void TkPlotComponent::HideHint()
{
    TimerStop();
    FHintShowing = false;
    if (FHintDrawn) InvalidateNow();
}

void TkPlotComponent::TrackHint(TkPlotObject* Object, TPoint P)
{
    TkPlotObject* waiting = FHintWait.Object.Get();
    const bool timing = TimerRunning();
    if (FInput.ButtonDown) {
        HideHint();
    } else if (FHint.Text.empty()) {
        HideHint();
        FHintWait = {};
    } else if ((timing || FHintShowing) && waiting && waiting != Object && !HintFollowsMouse(waiting)) {
        // Back on the first object, its hint waits again.
        HideHint();
        FHintWait = {};
    } else if (timing && !FHintShowing) {
        RestartHintTimer(FHintsPause);
    } else if (timing && HintFollowsMouse(Object)) {
        RestartHintTimer(FHintsHidePause);
    } else if (timing) {
        HideHint();
    } else if (!FHintWait.InHover(P) && Object != waiting) {
        FHintWait.Object = Object;
        FHintWait.Point = P;
        RestartHintTimer(FHintsPause);
    }
    // The box follows the text while it shows.
    if (FHintShowing) InvalidateNow();
}

void TkPlotComponent::HintTimerEvent()
{
    TimerStop();
    if (FHintShowing) {
        HideHint();
        if (MouseCapture()) SetMouseCapture(false);
    } else {
        // The object waited for is gone: its text with it.
        if (!FHintWait.Object.Get()) return;
        FHintWait.Hovering = true;
        FHintShowing = true;
        RestartHintTimer(FHintsHidePause);
        if (!MouseCapture()) SetMouseCapture(true);
    }
    InvalidateNow();
}

void TkPlotComponent::WMCaptureChanged()
{
    TkCustomComponent::WMCaptureChanged();
    HideHint();
    // A press in progress ends with its release (the control lets the mouse
    // go just before it), or, when that never comes, at the next move.
    if (FInput.ButtonDown) return;
    if (TkPlotObject* over = FInput.MouseOverObject.Get()) {
        FInput.MouseOverObject = nullptr;
        over->DoMouseNotOver();
    }
}

void TkPlotComponent::ForgetHintOf(const TkPlotObject* Object)
{
    const TkPlotObject* waiting = FHintWait.Object.Get();
    if (!waiting || (waiting != Object && waiting != Object->MouseOverObject())) return;
    HideHint();
    FHintWait = {};
}
