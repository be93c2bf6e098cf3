#pragma once
// What the plot offers the objects it holds, in one place: the one seam
// between the objects and the plot outside painting. Every object reports
// its own input here (the plot fires its events for the object's kind);
// here are the plot's events for axes, limits, annotations, the toolbar and
// data cursors, the axes and channels it holds, the user's gestures passed
// on to every axis of a direction, the channels' extents for fitting an
// axis, its image lists, the context of the last paint for hit tests, and
// what its editor dialog and the objects' files need. An object reaches it
// through its owner (Owner()->Host(), or Host() on the object); an owner
// that is no plot has no host (kPlotObjects.h).
//
// Nothing here includes the objects' headers: the host sits below every
// kind of object, so that no object has to include another kind to reach
// the plot.

#include "components/foundation/kTypes.h"
#include "components/plot/objects/kPlotObjects.h"
#include "components/plot/input/kPlotToolBarButtonType.h"

class TCustomForm;
class TkComponent;
class TkPlotAxis;
class TkPlotChannelCustom;
class TkPlotLegendEntries;
class TkPlotLimit;
class TkPlotNameIndex;
class TkPlotTranslationManager;
class TkPlotXAxis;
class TkPlotYAxis;

// The plot's annotation events.
enum TkPlotAnnotationEvent {
    kpaeCoordinatesChange,
    kpaeMoveUser,
    kpaeResizeUser,
    kpaeCoordinatesChangeFinished
};

// The extremes of the data along one axis; Low > High while there is none.
struct TkPlotExtents {
    Double Low = 1e300;
    Double High = -1e300;

    void Widen(Double ALow, Double AHigh)
    {
        if (AHigh > High) High = AHigh;
        if (ALow < Low) Low = ALow;
    }
    // Data that spans a range (more than a single value).
    bool HasSpan() const { return High > -1e299 && Low < 1e299 && High != Low; }
};

class TkPlotHost {
public:
    // --- every object's own input, screen and text ------------------------------------
    // The plot's events of Object's kind for a press, move, release or
    // wheel turn on it (component pixels), and for its focus.
    virtual void DoObjectMouseDown(TkPlotObject* Object, TMouseButton Button, TShiftState Shift, Integer X,
                                   Integer Y) = 0;
    virtual void DoObjectMouseMove(TkPlotObject* Object, TShiftState Shift, Integer X, Integer Y) = 0;
    virtual void DoObjectMouseUp(TkPlotObject* Object, TMouseButton Button, TShiftState Shift, Integer X,
                                 Integer Y) = 0;
    virtual void DoObjectMouseWheel(TkPlotObject* Object, Integer WheelDelta, TShiftState Shift, Integer X,
                                    Integer Y) = 0;
    virtual void DoObjectGotFocus(TkPlotObject* Object) = 0;
    virtual void DoObjectLostFocus(TkPlotObject* Object) = 0;
    // The handler may set Cancel to keep the menu closed.
    virtual void DoObjectPopupMenu(TkPlotObject* Object, bool& Cancel, Integer ScreenX, Integer ScreenY) = 0;
    // Component pixels to screen pixels.
    virtual TPoint PlotClientToScreen(const TPoint& P) const = 0;
    // The translation table of the objects' texts; nullptr while the plot
    // has none (during its construction and destruction).
    virtual TkPlotTranslationManager* PlotTranslationManager() const = 0;

    // --- names ------------------------------------------------------------------
    // The names of the plot's objects of Kind, which resolve the objects'
    // references to them; nullptr for kpokNone and while the plot keeps no
    // objects of Kind (as it is taken apart).
    virtual TkPlotNameIndex* NameIndex(TkPlotObjectKind Kind) = 0;

    // --- axes -----------------------------------------------------------------
    // The X axes (XAxes) or the Y axes, in the order of their manager.
    virtual Integer AxisCount(bool XAxes) const = 0;
    virtual TkPlotAxis* GetAxis(bool XAxes, Integer Index) const = 0;
    // A TkPlot (time channels) rather than a TkXYPlot.
    virtual bool IsTkPlot() const = 0;

    // --- axis events ------------------------------------------------------------
    virtual void DoAxisMinChange(TkPlotAxis* Axis, Double OldValue, Double NewValue) = 0;
    virtual void DoAxisSpanChange(TkPlotAxis* Axis, Double OldValue, Double NewValue) = 0;
    virtual void DoAxisMinSpanChange(TkPlotAxis* Axis, Double OldMin, Double OldSpan, Double NewMin,
                                     Double NewSpan) = 0;
    // Some handler of the three events above is assigned: a scrolling axis
    // moves with every tracked point, and most plots listen to none of them.
    virtual bool AxisScaleEventsAssigned() const { return true; }
    // A user's drag or key has finished moving the scale.
    virtual void DoAxisMinSpanChangeFinished(TkPlotAxis* Axis, Double OldMin, Double OldSpan, Double NewMin,
                                             Double NewSpan) = 0;
    // The plot's label-customising event; the handler may replace Text.
    virtual void DoAxisCustomizeLabel(TkPlotAxis* Axis, String& Text, Double Value) = 0;
    // The plot's X or Y axis hint event; the handler may replace Text.
    virtual void DoAxisCustomizeHint(TkPlotAxis* Axis, String& Text) = 0;

    // --- the user's scrolling and zooming of axes ----------------------------------
    // The same gesture on every other axis of Axis' direction; nothing while
    // the forwarding flag is raised. The key reaches them without a popup.
    virtual void AxesDoMouseLeft(TkPlotAxis* Axis, const TkPlotMouseData& MouseData) = 0;
    virtual void AxesDoMouseMove(TkPlotAxis* Axis, const TkPlotMouseData& MouseData) = 0;
    virtual void AxesDoMouseUp(TkPlotAxis* Axis, const TkPlotMouseData& MouseData) = 0;
    virtual void AxesDoMouseWheel(TkPlotAxis* Axis, Integer WheelDelta, TShiftState Shift, Integer X,
                                  Integer Y) = 0;
    virtual void AxesKeyDown(TkPlotAxis* Axis, Word& Key, TShiftState Shift) = 0;
    // The forwarding flag, raised by a caller that already reaches every axis.
    virtual bool AxesForwarding() const = 0;
    virtual void SetAxesForwarding(bool Value) = 0;
    // Tracking off on every axis.
    virtual void DisableAllTracking() = 0;
    // The plot's before-zoom-box event: may change the box or cancel.
    virtual void DoBeforeZoomBox(TRect& ZoomRect, bool& Cancel) = 0;
    // The Zoom Box and Select buttons of the first toolbar are down; false
    // when the plot has no toolbar.
    virtual bool IsToolBarZoomBoxMode() const = 0;
    virtual bool IsToolBarSelectMode() const = 0;

    // --- object events -------------------------------------------------------------
    // The plot's click (or double-click) event and cursor event of Object.
    virtual void DoObjectClick(TkPlotObject* Object) = 0;
    virtual void DoObjectGetMouseCursor(TkPlotObject* Object, TCursor& Cursor) = 0;
    // The plot's limit-line events.
    virtual void DoLimitLine1PositionChange(TkPlotLimit* Limit, Double OldValue, Double NewValue) = 0;
    virtual void DoLimitLine2PositionChange(TkPlotLimit* Limit, Double OldValue, Double NewValue) = 0;
    virtual void DoAnnotationEvent(TkPlotObject* Annotation, TkPlotAnnotationEvent Event) = 0;

    // --- the toolbar's commands -------------------------------------------------------
    // The plot's events for a button of ToolBar: before its action (the
    // handler may cancel it), after it, and the button's hint text.
    virtual void DoBeforeToolBarButtonClick(TkPlotObject* ToolBar, TkPlotToolBarButtonType Type, bool& Cancel) = 0;
    virtual void DoToolBarButtonClick(TkPlotObject* ToolBar, TkPlotToolBarButtonType Type) = 0;
    virtual void DoToolBarCustomizeHint(TkPlotObject* ToolBar, String& Text) = 0;
    // Tracking on for every axis.
    virtual void EnableAllTracking() = 0;
    // Every object of the plot deselected.
    virtual void ClearAllUserSelections() = 0;
    // Every data cursor shown (the first one then selected) or hidden.
    virtual void ShowDataCursors(bool Value) = 0;
    // Opens the plot's property editor.
    virtual void EditProperties() = 0;
    // Copy, Save, Print or Preview: the plot's image output.
    virtual void DoToolBarOutput(TkPlotToolBarButtonType Command) = 0;

    // --- data cursors ------------------------------------------------------------------
    // The plot's events of a data cursor: before it reads its channels,
    // when its values changed, and its hint text (the handler may replace
    // Text).
    virtual void DoBeforeDataCursorUpdate(TkPlotObject* Cursor) = 0;
    virtual void DoDataCursorChange(TkPlotObject* Cursor) = 0;
    virtual void DoDataCursorCustomizeHint(TkPlotObject* Cursor, String& Text) = 0;
    // The legend shows the readout of a cursor that reads every channel.
    virtual void ShowCursorReadoutInLegend() = 0;

    // --- channels --------------------------------------------------------------------
    // The plot's events for a channel's data point (its index in the channel;
    // -1 for none); the hint handler may replace Text.
    virtual void DoDataPointMouseDown(TkPlotChannelCustom* Channel, Integer DataIndex, TMouseButton Button,
                                      TShiftState Shift, Integer X, Integer Y) = 0;
    virtual void DoDataPointMouseMove(TkPlotChannelCustom* Channel, Integer DataIndex, TShiftState Shift, Integer X,
                                      Integer Y) = 0;
    virtual void DoDataPointMouseUp(TkPlotChannelCustom* Channel, Integer DataIndex, TMouseButton Button,
                                    TShiftState Shift, Integer X, Integer Y) = 0;
    // The click or, after a double click, the double-click event.
    virtual void DoDataPointClick(TkPlotChannelCustom* Channel, Integer DataIndex) = 0;
    virtual void DoDataPointMoved(TkPlotChannelCustom* Channel, Integer DataIndex, Double OldX, Double OldY,
                                  Double NewX, Double NewY) = 0;
    virtual void DoDataPointCustomizeHint(TkPlotChannelCustom* Channel, Integer DataIndex, String& Text) = 0;
    virtual Integer ChannelCount() const = 0;
    virtual TkPlotChannelCustom* GetChannel(Integer Index) const = 0;
    // P lies on Channel's entry in one of the plot's legends: the rule by
    // which a press there reaches the channel and by which the channel
    // knows itself hit.
    virtual bool LegendEntryHit(const TkPlotChannelCustom* Channel, TPoint P) const = 0;
    // The extremes along Axis of the channels bound to it: of what they show
    // (Visible: their valid points, widened by markers) or of everything
    // they were given (their running extremes).
    virtual TkPlotExtents ChannelExtents(const TkPlotAxis& Axis, bool Visible) const = 0;
    // The pixel of a position in percent of the plot's first data view
    // (Vertical: from its bottom edge, else from its left edge); false while
    // the plot has no data view.
    virtual bool DataViewPercentToPixels(Double Percent, bool Vertical, Integer& Pixel) const = 0;

    // --- paints --------------------------------------------------------------------------
    // What the plot's legends list, worked out once for all of them during
    // a layout pass or a paint; nullptr when the host keeps none, and each
    // legend works its own out.
    virtual TkPlotLegendEntries* LegendEntries() { return nullptr; }
    // A repaint was asked for and has not begun yet: it will show every
    // change made until then, so reporting more of them is not needed.
    virtual bool RepaintPending() const = 0;
    // Size of Text in the font the plot draws its hints with.
    virtual TSize HintTextExtent(const String& Text) = 0;
    // The context of Object's last paint, for a hit test (without a canvas):
    // the axes it was drawn against, the data view, the exchanged axes.
    // Before the first paint, and once an object was removed, an axis added
    // or renamed or Object's own settings changed since, the one the next
    // paint would hand it.
    virtual TkPlotPaintContext HitTestContext(TkPlotObject& Object) = 0;

    // --- image lists 0, 1 and 2 ------------------------------------------------------
    // Images held by list ListIndex; 0 for an index that names no list.
    virtual Integer PlotImageCount(Integer ListIndex) const = 0;
    // Width of the images of list ListIndex.
    virtual Integer PlotImageWidth(Integer ListIndex) const = 0;
    // Draws image ImageIndex of list ListIndex with its top-left corner at
    // (X, Y), greyed when not Enabled.
    virtual void PlotDrawImage(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y,
                               bool Enabled) = 0;

    // --- the editor dialog -----------------------------------------------------------
    // The plot as a component: the owner of its editor dialog; nullptr for
    // a stand-in.
    virtual TkComponent* PlotComponent() = 0;
    virtual TkPlotFormStyle EditorFormStyle() const = 0;
    // Fires the plot's after-open-editor event with the dialog.
    virtual void DoAfterOpenEditor(TCustomForm* Form) = 0;
    virtual bool LoggingActive() const = 0;

    // --- the files of the objects ---------------------------------------------------
    // The column separator of the plot's text data files: TAB or comma.
    virtual char DataFileSeparatorChar() const { return '\t'; }
    // Whether property files leave out ordinals at their published defaults.
    virtual bool DifferentialPropertySave() const { return false; }

protected:
    ~TkPlotHost() = default;
};
