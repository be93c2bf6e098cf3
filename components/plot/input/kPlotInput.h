#pragma once
// What the plot remembers of the user's input between two messages: the
// press in progress, the object under the mouse, the last release, and the
// hint box's wait. Objects are held weakly, so that none of it outlives the
// object it names: a handler may free any object at any time.

#include "components/plot/objects/kPlotObjects.h"

// The last release: which object it ended, with which button and where.
struct TkPlotMouseUpRecord {
    TWeakRef<TkPlotObject> Object;
    TMouseButton Button = mbLeft;
    TShiftState Shift;
    Integer X = 0;
    Integer Y = 0;
    Integer ScreenX = 0;
    Integer ScreenY = 0;
};

struct TkPlotInputState {
    TShiftState Shift;
    // From a press to its release.
    bool ButtonDown = false;
    TWeakRef<TkPlotObject> MouseDownObject;
    TWeakRef<TkPlotObject> MouseOverObject;
    TkPlotMouseUpRecord LastMouseUp;
    // Where the mouse was last seen in the control: a release that comes
    // without a position (the focus left) ends the drag there.
    TPoint LastMouse;
    // The focus is leaving: its release carries no position.
    bool FocusLeaving = false;
    // The press was the second of a double click: the coming click event
    // reports a double click.
    bool DblClick = false;
    // A Shift or Ctrl press picked an axis: moves until the release are the
    // selection's, not a drag.
    bool AxisSelect = false;
    // The label text that the axis label event hands back.
    String CustomizeLabelText;
};

// The hint box's wait: idle, waiting (the timer runs for HintsPause, Object
// set), showing (the timer runs for HintsHidePause and the control holds
// the mouse). Small moves near the point where the hint appeared do not
// start a new wait.
struct TkPlotHintWait {
    // Half the side of the square round the hint's point inside which the
    // mouse may wander.
    static constexpr Integer HoverRadius = 3;

    TWeakRef<TkPlotObject> Object;
    TPoint Point;
    bool Hovering = false;

    // Inside the square round Point while the hint shows (|dx| and |dy|
    // below HoverRadius).
    bool InHover(TPoint P) const
    {
        const auto near = [](Integer A, Integer B) { return Int64{A} - B < HoverRadius && Int64{B} - A < HoverRadius; };
        return Hovering && near(P.X, Point.X) && near(P.Y, Point.Y);
    }
};
