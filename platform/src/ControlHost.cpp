#include "ControlHost.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QWheelEvent>

#include "Guard.h"
#include "InputRouting.h"
#include "QtGraphics.h"

namespace pl {

TControl* ControlOfWidget(const QWidget* Widget)
{
    for (const QWidget* w = Widget; w; w = w->parentWidget())
        if (auto* link = dynamic_cast<const WidgetLink*>(w); link && link->LinkedControl) return link->LinkedControl;
    return nullptr;
}

Qt::CursorShape QtCursorShape(TCursor cursor)
{
    switch (cursor) {
        case crNone: return Qt::BlankCursor;
        case crCross: return Qt::CrossCursor;
        case crIBeam: return Qt::IBeamCursor;
        case crSizeNESW: return Qt::SizeBDiagCursor;
        case crSizeNS: return Qt::SizeVerCursor;
        case crSizeNWSE: return Qt::SizeFDiagCursor;
        case crSizeWE: return Qt::SizeHorCursor;
        case crUpArrow: return Qt::UpArrowCursor;
        case crHourGlass:
        case crSQLWait: return Qt::WaitCursor;
        case crDrag:
        case crMultiDrag: return Qt::DragCopyCursor;
        case crNoDrop:
        case crNo: return Qt::ForbiddenCursor;
        case crHSplit: return Qt::SplitHCursor;
        case crVSplit: return Qt::SplitVCursor;
        case crAppStart: return Qt::BusyCursor;
        case crHelp: return Qt::WhatsThisCursor;
        case crHandPoint: return Qt::PointingHandCursor;
        case crSizeAll: return Qt::SizeAllCursor;
        default: return Qt::ArrowCursor;
    }
}

void RaiseWindow(QWidget* Window)
{
    if (!Window || !Window->isVisible() || QGuiApplication::platformName() == "offscreen") return;
    Window->raise();
    Window->activateWindow();
}

void DrawFocusFrame(QWidget* Widget, const QRect& Frame)
{
    if (Frame.isEmpty()) return;
    QPainter painter(Widget);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QBrush dots(Qt::white, Qt::Dense4Pattern);
    // Each pixel once: the rows whole, the columns between them.
    painter.fillRect(QRect(Frame.left(), Frame.top(), Frame.width(), 1), dots);
    if (Frame.height() > 1) painter.fillRect(QRect(Frame.left(), Frame.bottom(), Frame.width(), 1), dots);
    if (Frame.height() <= 2) return;
    painter.fillRect(QRect(Frame.left(), Frame.top() + 1, 1, Frame.height() - 2), dots);
    if (Frame.width() > 1) painter.fillRect(QRect(Frame.right(), Frame.top() + 1, 1, Frame.height() - 2), dots);
}

void ShowFocusFrame(TControl* Control, QWidget* Widget)
{
    const TControlHost& host = Control->Host();
    if (host.FocusFrame && FocusedControl() == Control) DrawFocusFrame(Widget, host.FocusFrame(Widget));
}

void AttachWidget(TControl* Control, QWidget* Widget, bool Native)
{
    TControlHost& host = Control->Host();
    host.Widget = Widget;
    host.Native = Native;
    Widget->setMouseTracking(true);
    Widget->setContextMenuPolicy(Qt::PreventContextMenu);
    Widget->setAttribute(Qt::WA_OpaquePaintEvent, Control->ControlStyle().Contains(csOpaque));
    if (!Native) Widget->setFocusPolicy(Qt::NoFocus);
    PlaceInParent(Control);
    SyncWidgetGeometry(Control);
    SyncWidgetVisible(Control);
    SyncWidgetEnabled(Control);
    SyncWidgetLook(Control);
    // A control made in another's constructor is inserted before that one
    // has its widget.
    if (auto* windowed = dynamic_cast<TWinControl*>(Control))
        for (Integer i = 0; i < windowed->ControlCount(); ++i) PlaceInParent(windowed->Controls(i));
}

void PlaceInParent(TControl* Control)
{
    QWidget* child = Control->Host().Widget;
    TWinControl* parent = Control->Parent();
    QWidget* client = parent ? parent->Host().ClientWidget() : nullptr;
    if (!child || !client) return;
    child->setParent(client);
    if (!dynamic_cast<TWinControl*>(Control)) {
        for (Integer i = 0; i < parent->ControlCount(); ++i) {
            TControl* sibling = parent->Controls(i);
            if (dynamic_cast<TWinControl*>(sibling) && sibling->Host().Widget) {
                child->stackUnder(sibling->Host().Widget);
                break;
            }
        }
    }
    SyncWidgetGeometry(Control);
    SyncWidgetVisible(Control);
}

void DetachWidget(TControlHost& Host)
{
    auto unlink = [](QWidget* w) {
        if (auto* link = dynamic_cast<WidgetLink*>(w)) link->LinkedControl = nullptr;
    };
    for (QWidget* w : {Host.Widget.data(), Host.Client.data(), Host.MenuBar.data()}) {
        if (!w) continue;
        unlink(w);
        w->hide();
        w->deleteLater();
    }
    Host.Widget = nullptr;
    Host.Client = nullptr;
    Host.FocusWidget = nullptr;
    Host.MenuBar = nullptr;
    Host.Painter = nullptr;
}

void SyncWidgetGeometry(TControl* Control)
{
    TControlHost& host = Control->Host();
    if (host.ApplyBounds) {
        host.ApplyBounds();
        return;
    }
    if (QWidget* w = host.Widget)
        w->setGeometry(Control->Left(), Control->Top(), std::max(Control->Width(), 0), std::max(Control->Height(), 0));
}

void SyncWidgetVisible(TControl* Control)
{
    TControlHost& host = Control->Host();
    if (host.ApplyVisible) {
        host.ApplyVisible();
        return;
    }
    // A control without parent, or whose parent has no widget yet, has no
    // window to show in.
    if (QWidget* w = host.Widget) w->setVisible(Control->Visible() && Control->Parent() && w->parentWidget());
}

void SyncWidgetEnabled(TControl* Control)
{
    if (QWidget* w = Control->Host().Widget) w->setEnabled(Control->Enabled());
}

void SyncWidgetLook(TControl* Control)
{
    TControlHost& host = Control->Host();
    QWidget* w = host.Widget;
    if (!w) return;
    w->setCursor(QtCursor(Control->Cursor()));
    if (!host.Native) return;
    w->setFont(ToQFont(*Control->Font()));
    QPalette palette = w->palette();
    const QColor text = ToQColor(Control->Font()->Color());
    const QColor back = ToQColor(Control->Color());
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(QPalette::Active, role, text);
        palette.setColor(QPalette::Inactive, role, text);
    }
    // A check box's mark sits in a box of the window colour, whatever the
    // colour of the control around it: on the face colour it reads as
    // disabled.
    palette.setColor(QPalette::Base, qobject_cast<QCheckBox*>(w) ? ToQColor(clWindow) : back);
    w->setPalette(palette);
}

namespace {
int g_dispatchDepth = 0;
}

int WidgetDispatchDepth() { return g_dispatchDepth; }

namespace {

void FollowQtFocus(TControl* Control)
{
    auto* w = dynamic_cast<TWinControl*>(Control);
    if (w && FocusedControl() != w && w->CanFocus()) w->SetFocus();
}

class InnerWidgetFilter : public QObject {
public:
    InnerWidgetFilter(TControl* Control, QWidget* Inner) : QObject(Inner), FControl(Control) {}

    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        TControl* control = FControl.Get();
        if (FPassing || !control) return false;
        auto* inner = static_cast<QWidget*>(Watched);
        auto passOn = [this, inner](QEvent* e) {
            FPassing = true;
            const bool handled = QCoreApplication::sendEvent(inner, e);
            FPassing = false;
            return handled;
        };
        switch (Event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
                DispatchWidgetEvent(inner, control, Event, true, passOn);
                Event->accept();
                return true;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove: {
                // The router reads the position in the control's widget.
                QWidget* outer = control->Host().Widget;
                if (!outer || !outer->isAncestorOf(inner)) return false;
                auto* mouse = static_cast<QMouseEvent*>(Event);
                QMouseEvent atControl(mouse->type(), inner->mapTo(outer, mouse->position()), mouse->scenePosition(),
                                      mouse->globalPosition(), mouse->button(), mouse->buttons(), mouse->modifiers(),
                                      mouse->pointingDevice());
                DispatchWidgetEvent(outer, control, &atControl, true,
                                    [&passOn, mouse](QEvent*) { return passOn(mouse); });
                return true;
            }
            case QEvent::FocusIn:
                Guard([control] { FollowQtFocus(control); });
                return false;
            default: return false;
        }
    }

private:
    TWeakRef<TControl> FControl;
    bool FPassing = false;
};

}  // namespace

void RouteInnerWidget(TControl* Control, QWidget* Inner)
{
    Inner->setMouseTracking(true);
    Inner->setContextMenuPolicy(Qt::PreventContextMenu);
    Inner->installEventFilter(new InnerWidgetFilter(Control, Inner));
}

bool DispatchWidgetEvent(QWidget* Widget, TControl* Control, QEvent* Event, bool Native, const BaseEventHandler& Base)
{
    struct DepthScope {
        DepthScope() { ++g_dispatchDepth; }
        ~DepthScope() { --g_dispatchDepth; }
    } depth;
    try {
        switch (Event->type()) {
            // Input is routed once: accepted, so Qt does not offer it to the
            // parent widgets as well (which would route it again).
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
                RouteQtMouse(Control, static_cast<QMouseEvent*>(Event), Native, Base);
                Event->accept();
                return true;
            case QEvent::Wheel:
                RouteQtWheel(Control, static_cast<QWheelEvent*>(Event));
                Event->accept();
                return true;
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
                RouteQtKey(Control, static_cast<QKeyEvent*>(Event), Native, Base);
                Event->accept();
                return true;
            case QEvent::FocusIn:
                // A native control focused by a click: the layer's focus follows.
                if (Native) FollowQtFocus(Control);
                return Base(Event);
            case QEvent::Paint: {
                TControlHost& host = Control->Host();
                if (Native || !host.Painter) {
                    const bool handled = Base(Event);
                    ShowFocusFrame(Control, Widget);
                    return handled;
                }
                host.Painter(Widget, static_cast<QPaintEvent*>(Event)->rect());
                return true;
            }
            case QEvent::ContextMenu: return true;
            default: return Base(Event);
        }
    } catch (...) {
        HandleCurrentException();
        return true;
    }
}

}  // namespace pl
