#pragma once
// The Qt side of a control: its widget, the link from the widget back to
// the control, and the event dispatch shared by every widget of the layer.

#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <utility>

#include "platform/Controls.h"

struct HCURSOR__;

namespace pl {

// Implemented by every widget of the layer; LinkedControl is cleared when
// the control dies, so late Qt events find nothing to call.
class WidgetLink {
public:
    virtual ~WidgetLink() = default;
    TControl* LinkedControl = nullptr;
};

// The control of a widget or of its nearest linked ancestor.
TControl* ControlOfWidget(const QWidget* Widget);

using BaseEventHandler = std::function<bool(QEvent*)>;

// Routes a Qt event of a linked widget into the layer: input through the
// routers, paint through the control's painter. Native widgets (Qt's own
// controls) keep their own input handling, which runs through base.
// Returns the value for QWidget::event.
bool DispatchWidgetEvent(QWidget* Widget, TControl* Control, QEvent* Event, bool Native,
                         const BaseEventHandler& Base);
// An inner Qt widget of a native control (a combo box's line edit, a
// memo's text area): its keys and mouse go through the routers as the
// control's, its focus becomes the control's, and the layer alone offers
// menus on it.
void RouteInnerWidget(TControl* Control, QWidget* Inner);
// How many widget events are being dispatched; widgets deleted later may
// be destroyed only at depth 0.
int WidgetDispatchDepth();

// Every widget of the layer: Base is QWidget for layer-painted controls,
// or a Qt control (QPushButton, QLineEdit, QComboBox...).
template <class Base>
class LayerWidget : public Base, public WidgetLink {
public:
    template <class... Args>
    explicit LayerWidget(TControl* Control, bool Native, Args&&... args)
        : Base(std::forward<Args>(args)...), FNative(Native)
    {
        LinkedControl = Control;
    }

protected:
    bool event(QEvent* Event) override
    {
        if (!LinkedControl) return Base::event(Event);
        return DispatchWidgetEvent(this, LinkedControl, Event, FNative,
                                   [this](QEvent* e) { return Base::event(e); });
    }

private:
    bool FNative;
};

}  // namespace pl

// The widget state of one control.
struct TControlHost {
    // The control's own widget (a form's top-level window).
    QPointer<QWidget> Widget;
    // Where child widgets go (a form's client widget; else Widget).
    QPointer<QWidget> Client;
    // The widget that takes the keyboard focus (Widget when null).
    QPointer<QWidget> FocusWidget;
    // A form's menu bar.
    QPointer<QWidget> MenuBar;
    // Qt handles input and painting itself.
    bool Native = false;
    // Replace the plain geometry and visibility sync (forms).
    std::function<void()> ApplyBounds;
    std::function<void()> ApplyVisible;
    // Paints the dirty rectangle of a layer-painted widget.
    std::function<void(QWidget* Widget, const QRect& Dirty)> Painter;
    // Where a control that Qt paints shows that it holds the layer's focus,
    // in the coordinates of Widget (the control's widget, or the child
    // that paints the part concerned); unset for controls that paint their
    // own focus or show none.
    std::function<QRect(const QWidget* Widget)> FocusFrame;
    // The retained image of a self-painting control.
    QImage Backing;
    bool InPaint = false;
    // Bounds requested while painting, applied after the paint.
    bool BoundsPending = false;
    TRect PendingBounds;

    QWidget* ClientWidget() const { return Client ? Client.data() : Widget.data(); }
    QWidget* KeyWidget() const { return FocusWidget ? FocusWidget.data() : Widget.data(); }
};

namespace pl {

// Installs Widget as Control's widget and applies the layer's fixed widget
// settings (mouse tracking, no Qt context menus, opacity from csOpaque).
// Children the control took before it had a widget move into it.
void AttachWidget(TControl* Control, QWidget* Widget, bool Native);
// Puts the control's widget into its parent's, when both have one: a
// windowless control under its windowed siblings, at its bounds and
// visibility.
void PlaceInParent(TControl* Control);
// Hides the widget, unlinks it and deletes it later (the control may be
// freed inside one of its widget's own handlers).
void DetachWidget(TControlHost& Host);
// Applies the control's bounds, visibility and enabled state to its widget;
// a widget shows only inside its parent's (forms excepted), never as a
// window of its own.
void SyncWidgetGeometry(TControl* Control);
void SyncWidgetVisible(TControl* Control);
void SyncWidgetEnabled(TControl* Control);
// Sets a native widget's font and colours from the control.
void SyncWidgetLook(TControl* Control);
// The layer's focus frame, as the canvas's DrawFocusRect draws it (every
// other pixel of a one-pixel frame inverted), over what Widget has painted;
// only inside Widget's paint event.
void DrawFocusFrame(QWidget* Widget, const QRect& Frame);
// Draws Control's focus frame over Widget when Control holds the focus.
void ShowFocusFrame(TControl* Control, QWidget* Widget);
// Brings a top-level window to the front and activates it (headless
// platforms have no window stack: nothing to do there).
void RaiseWindow(QWidget* Window);
// The Qt shape of a cursor identifier (arrow for unknown ones).
Qt::CursorShape QtCursorShape(TCursor Cursor);
// The handle of a standard cursor shape (platform/src/Cursors.cpp).
HCURSOR__* StandardCursor(TCursor Cursor);
// The cursor that Screen->Cursors gives for an identifier.
QCursor QtCursor(TCursor Cursor);

}  // namespace pl
