#pragma once
// The plot's share of the user's input: which object is under the mouse,
// which objects the selection holds, where a press, a drag, the wheel and
// the keys go; and the plot's input services to its objects
// (TkPlotInputHost).

#include "components/plot/input/kPlotInput.h"
#include "components/plot/objects/kPlotHostServices.h"

class TPopupMenu;
class TkPlotComponent;
class TkPlotHint;
class TkPlotPainter;

class TkPlotInputRouter : public TkPlotInputHost {
public:
    // PopupMenu: the one popup menu that objects fill when they open theirs.
    TkPlotInputRouter(TkPlotComponent& Plot, TkPlotPainter& Painter, TkPlotHint& Hint, TPopupMenu& PopupMenu)
        : FPlot(Plot), FPainter(Painter), FHint(Hint), FPopupMenu(PopupMenu)
    {
    }

    // The object under P: first the selected objects, then any object (data
    // views and legends excepted), then data views and legends; within each
    // pass the top layer first. nullptr when none is enabled and visible
    // there.
    TkPlotObject* GetObjectAt(TPoint P);

    // The control's input, routed to the objects under the mouse or to the
    // selected ones.
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    void MouseMove(TShiftState Shift, Integer X, Integer Y);
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    void MouseWheel(Integer WheelDelta, TShiftState Shift, TPoint MousePos);
    void KeyDown(Word& Key, TShiftState Shift);
    // Another control took the mouse: the object under the mouse hears that
    // it no longer is.
    void CaptureLost();

    // The press, the mouse, the double click and the label text in progress.
    TkPlotInputState& State() { return FInput; }
    const TkPlotInputState& State() const { return FInput; }

    // --- TkPlotInputHost ----------------------------------------------------------------
    TPoint PlotClientToScreen(const TPoint& P) const override;
    bool AxesForwarding() const override { return FAxesForwarding; }
    void SetAxesForwarding(bool Value) override { FAxesForwarding = Value; }
    bool IsToolBarZoomBoxMode() const override;
    bool IsToolBarSelectMode() const override;
    bool LegendEntryHit(const TkPlotChannelCustom* Channel, TPoint P) const override;
    TSize HintTextExtent(const String& Text) override;
    TkPlotPaintContext HitTestContext(TkPlotObject& Object) override;

private:
    void ApplySelection(TkPlotObject* Object, TShiftState Shift);
    // The release of a press whose release never came.
    void EndLostPress();
    void HoverOver(TkPlotObject* Object, TPoint P);

    TkPlotComponent& FPlot;
    TkPlotPainter& FPainter;
    TkPlotHint& FHint;
    TPopupMenu& FPopupMenu;
    TkPlotInputState FInput;
    bool FAxesForwarding = false;
};
