#pragma once
// The plot's hint box: the object under a resting mouse offers a text and a
// box; after Pause the box shows (the control takes the mouse, so that it
// hears the mouse leave), and after HidePause, a press, a release, or a move
// onto another object it goes again. The control's timer times it.

#include "components/foundation/kCustomComponent.h"
#include "components/plot/input/kPlotInput.h"

class TkPlotHint {
public:
    explicit TkPlotHint(TkCustomComponent& Control);

    // The box that the next paint draws while it shows; the drawn flag
    // tells whether the last paint drew it.
    const TkPlotHintData& Data() const { return FData; }
    bool Showing() const { return FShowing; }
    bool Drawn() const { return FDrawn; }
    void Set(const TkPlotHintData& Value, bool Showing);

    // The mouse rests over Object at P (ButtonDown: during a press): the
    // hint waits, shows, follows the mouse or goes.
    void Track(TkPlotObject* Object, TPoint P, bool ButtonDown);
    // The timer's tick: shows the hint that waited, or hides the one shown.
    void TimerEvent();
    // Stops the wait; repaints at once when the last paint drew the box.
    void Hide();
    // The hint of an object being removed (or of a part of it) goes with it.
    void Forget(const TkPlotObject* Object);

    // Measured in, and drawn with, Font.
    TSize TextExtent(const String& Text) const;
    void Draw(TCanvas* Canvas);

    // The published settings: milliseconds, and whether hints show at all.
    TOwned<TFont> Font;
    Integer Pause = 500;
    Integer HidePause = 2500;
    bool Show = true;

private:
    // The timer for APause milliseconds, from now; negative counts as 0.
    void RestartTimer(Integer APause);

    TkCustomComponent& FControl;
    TkPlotHintData FData;
    bool FShowing = false;
    bool FDrawn = false;
    TkPlotHintWait FWait;
};
