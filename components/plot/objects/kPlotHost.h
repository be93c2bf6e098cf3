#pragma once
// What the plot offers the objects it holds: the one seam between the
// objects and the plot outside painting, in parts by who asks, so that an
// object deals with the part it needs and a stand-in plot in a test offers
// only the parts its objects use:
//   Events    the published events: one record per report, holding the
//             object it concerns and its arguments, handed over in one call
//   Objects   the axes and channels, their names and the extents of their
//             data, the translation table
//   Input     the user's gestures shared between objects; hit tests, hints
//   Commands  what acts on the whole plot (toolbar, data cursors)
//   Paint     what painting and layout share or ask
//   Files     what the objects' files need of the plot's settings
//   Editor    what the plot's property editor needs: its dialog's owner,
//             the style it shows in, whether the plot logs
//   Reports   what an object reports of itself: its coming and going, its
//             new name, its changes, the user's requests on it
// (the services: kPlotHostServices.h). An object reaches them through its
// owner (Host() on the object); that is the one road from an object to its
// plot. An owner that is no plot offers no part, and its objects then fire
// no events, report nothing, find no other objects by name, move only
// themselves and translate nothing. A reference field of a record is
// the handler's to change (a text it may replace, a flag it may raise).
//
// Nothing here includes a kind's header: the host sits below every kind of
// object, so that no object has to include another kind to reach the plot.

#include <variant>

#include "components/foundation/kTypes.h"
#include "platform/Controls.h"

class TCustomForm;
class TkPlotAxis;
class TkPlotChannelCustom;
class TkPlotLimit;
class TkPlotObject;

// The plot's annotation events.
enum TkPlotAnnotationEvent {
    kpaeCoordinatesChange,
    kpaeMoveUser,
    kpaeResizeUser,
    kpaeCoordinatesChangeFinished
};

namespace PlotEvent {

// --- any object: the user's mouse, focus, popup menu and cursor ---------------------
struct MouseDown { TkPlotObject* Object; TMouseButton Button; TShiftState Shift; Integer X; Integer Y; };
struct MouseMove { TkPlotObject* Object; TShiftState Shift; Integer X; Integer Y; };
struct MouseUp { TkPlotObject* Object; TMouseButton Button; TShiftState Shift; Integer X; Integer Y; };
struct MouseWheel { TkPlotObject* Object; Integer WheelDelta; TShiftState Shift; Integer X; Integer Y; };
struct GotFocus { TkPlotObject* Object; };
struct LostFocus { TkPlotObject* Object; };
// The handler may set Cancel to keep the menu closed.
struct PopupMenu { TkPlotObject* Object; bool& Cancel; Integer ScreenX; Integer ScreenY; };
// The click or, after a double click, the double-click event.
struct Click { TkPlotObject* Object; };
struct GetMouseCursor { TkPlotObject* Object; TCursor& Cursor; };

// --- axes: the scale's changes, its labels and hints --------------------------------
struct AxisMinChange { TkPlotAxis* Axis; Double OldValue; Double NewValue; };
struct AxisSpanChange { TkPlotAxis* Axis; Double OldValue; Double NewValue; };
struct AxisMinSpanChange { TkPlotAxis* Axis; Double OldMin; Double OldSpan; Double NewMin; Double NewSpan; };
// A user's drag or key has finished moving the scale.
struct AxisMinSpanChangeFinished { TkPlotAxis* Axis; Double OldMin; Double OldSpan; Double NewMin; Double NewSpan; };
struct AxisCustomizeLabel { TkPlotAxis* Axis; String& Text; Double Value; };
struct AxisCustomizeHint { TkPlotAxis* Axis; String& Text; };
// The handler may change the box or cancel the zoom.
struct BeforeZoomBox { TRect& ZoomRect; bool& Cancel; };

// --- limits and annotations -----------------------------------------------------------
// Line 1 or 2 of Limit moved.
struct LimitLineMove { TkPlotLimit* Limit; Integer Line; Double OldValue; Double NewValue; };
struct Annotation { TkPlotObject* Object; TkPlotAnnotationEvent Event; };

// --- the toolbar: before a button's action (the handler may cancel it), after it ------
struct BeforeToolBarButtonClick { TkPlotObject* ToolBar; TkPlotToolBarButtonType Type; bool& Cancel; };
struct ToolBarButtonClick { TkPlotObject* ToolBar; TkPlotToolBarButtonType Type; };
struct ToolBarCustomizeHint { TkPlotObject* ToolBar; String& Text; };

// --- data cursors: before they read their channels, after their values changed -------
struct BeforeDataCursorUpdate { TkPlotObject* Cursor; };
struct DataCursorChange { TkPlotObject* Cursor; };
struct DataCursorCustomizeHint { TkPlotObject* Cursor; String& Text; };

// --- a channel's data point (its index in the channel; -1 for none) -------------------
struct DataPointMouseDown {
    TkPlotChannelCustom* Channel; Integer DataIndex; TMouseButton Button; TShiftState Shift; Integer X; Integer Y;
};
struct DataPointMouseMove { TkPlotChannelCustom* Channel; Integer DataIndex; TShiftState Shift; Integer X; Integer Y; };
struct DataPointMouseUp {
    TkPlotChannelCustom* Channel; Integer DataIndex; TMouseButton Button; TShiftState Shift; Integer X; Integer Y;
};
// The click or, after a double click, the double-click event.
struct DataPointClick { TkPlotChannelCustom* Channel; Integer DataIndex; };
struct DataPointMoved {
    TkPlotChannelCustom* Channel; Integer DataIndex; Double OldX; Double OldY; Double NewX; Double NewY;
};
struct DataPointCustomizeHint { TkPlotChannelCustom* Channel; Integer DataIndex; String& Text; };

// --- the editor dialog, once open ---------------------------------------------------------
struct AfterOpenEditor { TCustomForm* Form; };

}  // namespace PlotEvent

using TkPlotEvent =
    std::variant<PlotEvent::MouseDown, PlotEvent::MouseMove, PlotEvent::MouseUp, PlotEvent::MouseWheel,
                 PlotEvent::GotFocus, PlotEvent::LostFocus, PlotEvent::PopupMenu, PlotEvent::Click,
                 PlotEvent::GetMouseCursor, PlotEvent::AxisMinChange, PlotEvent::AxisSpanChange,
                 PlotEvent::AxisMinSpanChange, PlotEvent::AxisMinSpanChangeFinished, PlotEvent::AxisCustomizeLabel,
                 PlotEvent::AxisCustomizeHint, PlotEvent::BeforeZoomBox, PlotEvent::LimitLineMove,
                 PlotEvent::Annotation, PlotEvent::BeforeToolBarButtonClick, PlotEvent::ToolBarButtonClick,
                 PlotEvent::ToolBarCustomizeHint, PlotEvent::BeforeDataCursorUpdate, PlotEvent::DataCursorChange,
                 PlotEvent::DataCursorCustomizeHint, PlotEvent::DataPointMouseDown, PlotEvent::DataPointMouseMove,
                 PlotEvent::DataPointMouseUp, PlotEvent::DataPointClick, PlotEvent::DataPointMoved,
                 PlotEvent::DataPointCustomizeHint, PlotEvent::AfterOpenEditor>;

// The part of the plot that publishes its objects' events.
class TkPlotEventHost {
public:
    virtual void Fire(const TkPlotEvent& Event) = 0;
    // Some handler of the axes' scale events (min, span, min-span) is
    // assigned: a scrolling axis moves with every tracked point, and most
    // plots listen to none of them.
    virtual bool AxisScaleEventsAssigned() const { return true; }

protected:
    ~TkPlotEventHost() = default;
};

// One handler per kind of event, for std::visit on a TkPlotEvent; a
// generic one ([](const auto&) {}) passes over the kinds left out.
template <class... H>
struct TkPlotEventHandlers : H... {
    using H::operator()...;
};
template <class... H>
TkPlotEventHandlers(H...) -> TkPlotEventHandlers<H...>;

class TkPlotObjectsHost;
class TkPlotInputHost;
class TkPlotCommandHost;
class TkPlotPaintHost;
class TkPlotFileHost;
class TkPlotEditorHost;
class TkPlotReportHost;

struct TkPlotHost {
    TkPlotEventHost* Events = nullptr;
    TkPlotObjectsHost* Objects = nullptr;
    TkPlotInputHost* Input = nullptr;
    TkPlotCommandHost* Commands = nullptr;
    TkPlotPaintHost* Paint = nullptr;
    TkPlotFileHost* Files = nullptr;
    TkPlotEditorHost* Editor = nullptr;
    TkPlotReportHost* Reports = nullptr;
};

// The parts of an owner that is no plot: none.
inline constexpr TkPlotHost NoPlotHost{};

// What a plot object is made with: the plot that holds it. Everything an
// object asks of the plot goes through the plot's one seam, the parts of
// TkPlotHost above, reached through Host; an owner that is no plot (an
// object tried on its own) offers none.
class TkPlotObjectOwner {
public:
    const TkPlotHost& Host() const { return FHost; }

protected:
    explicit TkPlotObjectOwner(const TkPlotHost& AHost = NoPlotHost) : FHost(AHost) {}
    TkPlotObjectOwner(const TkPlotObjectOwner&) = delete;
    TkPlotObjectOwner& operator=(const TkPlotObjectOwner&) = delete;
    ~TkPlotObjectOwner() = default;
    // For an owner whose parts are made after it: set as they come, before
    // the owner makes any object, and as they go.
    void SetHost(const TkPlotHost& AHost) { FHost = AHost; }

private:
    TkPlotHost FHost;
};

// What the hub of the plot's objects (its master manager, which hears what
// they report of themselves: the reports part) passes on to the plot.
class TkPlotMasterListener {
public:
    // Object was listed: the plot's add event.
    virtual void ObjectAdded(TkPlotObject& Object) = 0;
    // Member (an object or an entry of the translation table) is going,
    // still listed: the plot drops what it holds of it, and fires an
    // object's remove event.
    virtual void MemberRemoving(TObject& Member) = 0;
    // A change of an object's look or data, passed on by Sender (the hub):
    // the plot repaints.
    virtual void ObjectsChanged(TObject& Sender) = 0;
    virtual void RepaintNow() = 0;

protected:
    ~TkPlotMasterListener() = default;
};

// The class reference of a plot object kind: its virtual constructor.
template <class T>
using TkPlotObjectClassOf = T* (*)(TkPlotObjectOwner* AOwner);
