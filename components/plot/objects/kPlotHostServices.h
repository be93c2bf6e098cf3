#pragma once
// The plot's services to the objects it holds, one small part per kind of
// caller (kPlotHost.h lists them); like the rest of the seam, below every
// kind of object.

#include "components/foundation/kTypes.h"
#include "components/plot/objects/kPlotObjects.h"

class TkComponent;
class TkPlotAxis;
class TkPlotChannelCustom;
class TkPlotLegendEntries;
class TkPlotNameIndex;
class TkPlotTranslationManager;

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

// What the plot holds: its axes and channels, the names that resolve the
// objects' references, and the translation table of their texts.
class TkPlotObjectsHost {
public:
    // The names of the plot's objects of Kind; nullptr for kpokNone and
    // while the plot keeps no objects of Kind (as it is taken apart).
    virtual TkPlotNameIndex* NameIndex(TkPlotObjectKind Kind) = 0;
    // The X axes (XAxes) or the Y axes, in the order of their manager.
    virtual Integer AxisCount(bool XAxes) const = 0;
    virtual TkPlotAxis* GetAxis(bool XAxes, Integer Index) const = 0;
    virtual Integer ChannelCount() const = 0;
    virtual TkPlotChannelCustom* GetChannel(Integer Index) const = 0;
    // A TkPlot (time channels) rather than a TkXYPlot.
    virtual bool IsTkPlot() const = 0;
    // nullptr while the plot has none (during its construction and
    // destruction).
    virtual TkPlotTranslationManager* PlotTranslationManager() const = 0;
    // The extremes along Axis of the channels bound to it: of what they show
    // (Visible: their valid points, widened by markers) or of everything
    // they were given (their running extremes).
    virtual TkPlotExtents ChannelExtents(const TkPlotAxis& Axis, bool Visible) const = 0;

protected:
    ~TkPlotObjectsHost() = default;
};

// The user's gestures shared between objects, and what hit tests and hints
// need of the plot.
class TkPlotInputHost {
public:
    // Component pixels to screen pixels.
    virtual TPoint PlotClientToScreen(const TPoint& P) const = 0;
    // The flag raised while one gesture reaches every axis (an axis passes
    // its own on, a data view drives them all): the axes reached do not
    // pass it on again.
    virtual bool AxesForwarding() const = 0;
    virtual void SetAxesForwarding(bool Value) = 0;
    // The Zoom Box and Select buttons of the first toolbar are down; false
    // when the plot has no toolbar.
    virtual bool IsToolBarZoomBoxMode() const = 0;
    virtual bool IsToolBarSelectMode() const = 0;
    // P lies on Channel's entry in one of the plot's legends: the rule by
    // which a press there reaches the channel and by which the channel
    // knows itself hit.
    virtual bool LegendEntryHit(const TkPlotChannelCustom* Channel, TPoint P) const = 0;
    // Size of Text in the font the plot draws its hints with.
    virtual TSize HintTextExtent(const String& Text) = 0;
    // The context of Object's last paint, for a hit test (without a canvas):
    // the axes it was drawn against, the data view, the exchanged axes.
    // Before the first paint, and once an object was removed, an axis added
    // or renamed or Object's own settings changed since, the one the next
    // paint would hand it.
    virtual TkPlotPaintContext HitTestContext(TkPlotObject& Object) = 0;

protected:
    ~TkPlotInputHost() = default;
};

// What acts on the whole plot: the toolbar's commands, a data cursor's
// readout, the pause of a data view's zoom box.
class TkPlotCommandHost {
public:
    // Tracking on or off for every axis.
    virtual void EnableAllTracking() = 0;
    virtual void DisableAllTracking() = 0;
    // Every object of the plot deselected.
    virtual void ClearAllUserSelections() = 0;
    // Every data cursor shown (the first one then selected) or hidden.
    virtual void ShowDataCursors(bool Value) = 0;
    // The legend shows the readout of a cursor that reads every channel.
    virtual void ShowCursorReadoutInLegend() = 0;
    // Opens the plot's property editor.
    virtual void EditProperties() = 0;
    // Copy, Save, Print or Preview: the plot's image output.
    virtual void DoToolBarOutput(TkPlotToolBarButtonType Command) = 0;

protected:
    ~TkPlotCommandHost() = default;
};

// What painting and layout share or ask of the plot.
class TkPlotPaintHost {
public:
    // A repaint was asked for and has not begun yet, or is due and would
    // not come sooner for asking: it will show every change made until
    // then, so reporting more of them is not needed.
    virtual bool RepaintPending() const = 0;
    // The repaint comes without a further change, or the plot settles the
    // points that wait for it before it stops coming by itself: points may
    // wait for their tracking meanwhile.
    virtual bool RepaintQueued() const = 0;
    // What the plot's legends list, worked out once for all of them during
    // a layout pass or a paint; nullptr when the host keeps none, and each
    // legend works its own out.
    virtual TkPlotLegendEntries* LegendEntries() { return nullptr; }
    // The pixel of a position in percent of the plot's first data view
    // (Vertical: from its bottom edge, else from its left edge); false while
    // the plot has no data view.
    virtual bool DataViewPercentToPixels(Double Percent, bool Vertical, Integer& Pixel) const = 0;
    // Image lists 0, 1 and 2: the images held by list ListIndex (0 for an
    // index that names no list), their width, and image ImageIndex drawn
    // with its top-left corner at (X, Y), greyed when not Enabled.
    virtual Integer PlotImageCount(Integer ListIndex) const = 0;
    virtual Integer PlotImageWidth(Integer ListIndex) const = 0;
    virtual void PlotDrawImage(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y,
                               bool Enabled) = 0;

protected:
    ~TkPlotPaintHost() = default;
};

// What the objects' files need of the plot's settings.
class TkPlotFileHost {
public:
    // The column separator of the plot's text data files: TAB or comma.
    virtual char DataFileSeparatorChar() const { return '\t'; }
    // Whether property files leave out ordinals at their published defaults.
    virtual bool DifferentialPropertySave() const { return false; }

protected:
    ~TkPlotFileHost() = default;
};

// What the plot's property editor needs to open its dialog.
class TkPlotEditorHost {
public:
    // The plot as a component: the owner of its editor dialog, and what
    // tells whether the plot is being designed.
    virtual TkComponent* PlotComponent() = 0;
    virtual TkPlotFormStyle EditorFormStyle() const = 0;
    // The dialog's log controls change only while the plot is not logging.
    virtual bool LoggingActive() const = 0;

protected:
    ~TkPlotEditorHost() = default;
};

// What the plot's objects report of themselves, and the entries of its
// translation table of their going: the plot's master manager hears it,
// keeps its lists in step and passes on to the plot what the plot answers
// (its add and remove events, a repaint). An object reports once its maker
// set it up (DoInsert) and as it goes, while still whole.
class TkPlotReportHost {
public:
    virtual void Inserted(TkPlotObject& Object) = 0;
    // Member: an object or an entry of the translation table.
    virtual void Removed(TObject& Member) = 0;
    // Object's name changed; its old one is its NameOld.
    virtual void Renamed(TkPlotObject& Object) = 0;
    // A change of look or data: the plot repaints.
    virtual void Changed() = 0;
    // Object's row, side or share of its side changed: the layout is made
    // again.
    virtual void LayoutChanged(TkPlotObject& Object) = 0;
    // Object became selected: the others hear of it.
    virtual void Selected(TkPlotObject& Object) = 0;
    // The user asked for the editor on Object.
    virtual void EditRequested(TkPlotObject& Object) = 0;
    // The plot repaints at once (a selection shows).
    virtual void RepaintNow() = 0;

protected:
    ~TkPlotReportHost() = default;
};
