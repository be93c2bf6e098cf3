#include "components/plot/component/kPlotHint.h"

#include <algorithm>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/input/kPlotButton.h"
#include "platform/Math.h"

namespace {

// Hints that travel with the mouse while they show: along a row of buttons,
// from point to point along a channel.
bool HintFollowsMouse(const TkPlotObject* Object)
{
    return Object->Kind() == kpokChannel || dynamic_cast<const TkPlotButton*>(Object) != nullptr;
}

}  // namespace

TkPlotHint::TkPlotHint(TkCustomComponent& Control) : Font(CreateOwned<TFont>()), FControl(Control) {}

void TkPlotHint::Set(const TkPlotHintData& Value, bool Showing)
{
    FData = Value;
    FShowing = Showing;
}

void TkPlotHint::RestartTimer(Integer APause)
{
    FControl.TimerStop();
    const Cardinal ms = static_cast<Cardinal>(std::max<Integer>(APause, 0));
    FControl.TimerStart(ms, ms);
}

void TkPlotHint::Hide()
{
    FControl.TimerStop();
    FShowing = false;
    if (FDrawn) FControl.InvalidateNow();
}

void TkPlotHint::Track(TkPlotObject* Object, TPoint P, bool ButtonDown)
{
    TkPlotObject* waiting = FWait.Object.Get();
    const bool timing = FControl.TimerRunning();
    if (ButtonDown) {
        Hide();
    } else if (FData.Text.empty()) {
        Hide();
        FWait = {};
    } else if ((timing || FShowing) && waiting && waiting != Object && !HintFollowsMouse(waiting)) {
        // Back on the first object, its hint waits again.
        Hide();
        FWait = {};
    } else if (timing && !FShowing) {
        RestartTimer(Pause);
    } else if (timing && HintFollowsMouse(Object)) {
        RestartTimer(HidePause);
    } else if (timing) {
        Hide();
    } else if (!FWait.InHover(P) && Object != waiting) {
        FWait.Object = Object;
        FWait.Point = P;
        RestartTimer(Pause);
    }
    // The box follows the text while it shows.
    if (FShowing) FControl.InvalidateNow();
}

void TkPlotHint::TimerEvent()
{
    FControl.TimerStop();
    if (FShowing) {
        Hide();
        if (FControl.MouseCapture()) FControl.SetMouseCapture(false);
    } else {
        // The object waited for is gone: its text with it.
        if (!FWait.Object.Get()) return;
        FWait.Hovering = true;
        FShowing = true;
        RestartTimer(HidePause);
        if (!FControl.MouseCapture()) FControl.SetMouseCapture(true);
    }
    FControl.InvalidateNow();
}

void TkPlotHint::Forget(const TkPlotObject* Object)
{
    const TkPlotObject* waiting = FWait.Object.Get();
    if (!waiting || (waiting != Object && waiting != Object->MouseOverObject())) return;
    Hide();
    FWait = {};
}

TSize TkPlotHint::TextExtent(const String& Text) const
{
    TOwned<TCanvas> canvas = CreateOwned<TCanvas>();
    canvas->SetFont(Font.get());
    return canvas->TextExtent(Text);
}

void TkPlotHint::Draw(TCanvas* Canvas)
{
    FDrawn = FShowing;
    if (!FShowing) return;
    Canvas->SetFont(Font.get());
    Canvas->Brush()->SetColor(clInfoBk);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Font()->SetColor(clInfoText);
    Canvas->Pen()->SetStyle(psClear);
    TRect box = Rect(FData.Left, FData.Top, SatInt32(Int64{FData.Left} + FData.Width),
                           SatInt32(Int64{FData.Top} + FData.Height));
    Canvas->Rectangle(box);
    DrawTextStyled(Canvas, FData.Text, box, TkTextFlags{ktfLeft, ktfTop, ktfWordBreak}, true, clInfoBk);
}
