// The mouse router. It replaces Qt's implicit grab: an event goes to the
// capture holder, else to the topmost visible, enabled control under the
// pointer in the layer's own tree, in the class library's order of calls.

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <chrono>
#include <cstdlib>

#include "ControlHost.h"
#include "InputRouting.h"
#include "KeyState.h"
#include "MessageLoop.h"
#include "TextFieldMenu.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

namespace pl {

namespace {

// A second press within this distance (each way) counts as a double click.
constexpr Integer DoubleClickSlop = 2;
constexpr Integer WheelDelta = 120;

struct RouterState {
    TWeakRef<TControl> Capture;
    TWeakRef<TControl> Hover;
    TWeakRef<TControl> LastPressControl;
    TMouseButton LastPressButton = mbLeft;
    Int64 LastPressTime = 0;
    TPoint LastPressPos;
    bool LastPressValid = false;
    bool Down[3] = {false, false, false};
    Integer WheelAccumulator = 0;
    TPoint CursorPos;
};

RouterState& R()
{
    static RouterState state;
    return state;
}

TShiftState ButtonState()
{
    TShiftState s;
    if (R().Down[mbLeft]) s.Include(ssLeft);
    if (R().Down[mbRight]) s.Include(ssRight);
    if (R().Down[mbMiddle]) s.Include(ssMiddle);
    return s;
}

void SetButton(TMouseButton Button, bool Down)
{
    R().Down[Button] = Down;
    static const Word keys[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    SetKeyDown(keys[Button], Down);
}

TPoint Local(TControl* Control, TPoint Screen) { return Control->ScreenToClient(Screen); }

// The form that holds the input while a modal form runs.
TCustomForm* ModalForm()
{
    if (!Screen) return nullptr;
    for (Integer i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i)->Modal() && Screen->Forms(i)->Visible()) return Screen->Forms(i);
    return nullptr;
}

TControl* HitTest(TControl* Root, TPoint ScreenPos)
{
    if (!Root || !Root->Visible() || !Root->Enabled()) return nullptr;
    if (TCustomForm* modal = ModalForm(); modal && modal != Root) return nullptr;
    TPoint p = Local(Root, ScreenPos);
    if (!PtInRect(Root->ClientRect(), p)) return nullptr;
    TControl* c = Root;
    while (auto* w = dynamic_cast<TWinControl*>(c)) {
        TControl* child = w->ControlAtPos(p, false);
        if (!child) break;
        p = {p.X - child->Left(), p.Y - child->Top()};
        c = child;
    }
    return c;
}

// While a control holds the capture, only it hears that the pointer
// entered or left it.
void UpdateHover(TControl* Now)
{
    TControl* old = R().Hover.Get();
    if (old == Now) return;
    R().Hover = TWeakRef<TControl>(Now);
    TWeakRef<TControl> nowAlive(Now);
    auto told = [](TControl* c) {
        TControl* capture = R().Capture.Get();
        return !capture || capture == c;
    };
    if (old && told(old)) old->CMMouseLeave();
    if (TControl* c = nowAlive.Get(); c && R().Hover.Get() == c && told(c)) c->CMMouseEnter();
}

// The buttons held after an event of Type for Button.
Qt::MouseButtons QtButtons(QEvent::Type Type, TMouseButton Button)
{
    Qt::MouseButtons b;
    if (Type == QEvent::MouseButtonPress || Type == QEvent::MouseButtonDblClick) b |= QtButton(Button);
    if (R().Down[mbLeft]) b |= Qt::LeftButton;
    if (R().Down[mbRight]) b |= Qt::RightButton;
    if (R().Down[mbMiddle]) b |= Qt::MiddleButton;
    if (Type == QEvent::MouseButtonRelease) b &= ~QtButton(Button);
    return b;
}

// A Qt control handles its own input: it gets a real Qt event. A press
// focuses a control that takes the focus on clicks, as Qt does for the
// user's own clicks.
void SendToNative(TControl* Target, QEvent::Type Type, TMouseButton Button, TPoint ScreenPos, TShiftState Mods)
{
    QWidget* w = Target->Host().Widget;
    if (!w) return;
    auto* windowed = dynamic_cast<TWinControl*>(Target);
    if (Type != QEvent::MouseMove && Type != QEvent::MouseButtonRelease && windowed &&
        (w->focusPolicy() & Qt::ClickFocus) && windowed->CanFocus() && !windowed->Focused()) {
        TWeakRef<TWinControl> alive(windowed);
        windowed->SetFocus();
        if (!alive) return;
    }
    // As on the screen, the innermost widget of the control at the point
    // takes it (a memo's text area, the field of an editable combo box).
    const TPoint local = Local(Target, ScreenPos);
    QWidget* receiver = w->childAt(local.X, local.Y);
    if (!receiver || ControlOfWidget(receiver) != Target) receiver = w;
    const QPoint at = receiver->mapFrom(w, QPoint(local.X, local.Y));
    QMouseEvent event(Type, QPointF(at), QPointF(ScreenPos.X, ScreenPos.Y),
                      Type == QEvent::MouseMove ? Qt::NoButton : QtButton(Button), QtButtons(Type, Button),
                      QtModifiers(Mods));
    QCoreApplication::sendEvent(receiver, &event);
}

bool IsDoubleClick(TControl* Target, TMouseButton Button, TPoint ScreenPos, Int64 Now)
{
    const RouterState& r = R();
    return r.LastPressValid && r.LastPressControl.Get() == Target && r.LastPressButton == Button &&
           Now - r.LastPressTime <= static_cast<Int64>(DoubleClickTime) &&
           std::abs(ScreenPos.X - r.LastPressPos.X) <= DoubleClickSlop &&
           std::abs(ScreenPos.Y - r.LastPressPos.Y) <= DoubleClickSlop &&
           Target->ControlStyle().Contains(csDoubleClicks);
}

void RememberPress(TControl* Target, TMouseButton Button, TPoint ScreenPos, Int64 Now, bool Double)
{
    RouterState& r = R();
    // The press after a double click starts a new pair.
    r.LastPressValid = !Double;
    r.LastPressControl = TWeakRef<TControl>(Target);
    r.LastPressButton = Button;
    r.LastPressTime = Now;
    r.LastPressPos = ScreenPos;
}

void ContextPopup(TControl* Target, TPoint ScreenPos, bool OwnMenuOnly)
{
    TWeakRef<TControl> alive(Target);
    bool handled = false;
    Target->DoContextPopup(Local(Target, ScreenPos), handled);
    if (handled || !alive) return;
    for (TControl* c = Target; c; c = OwnMenuOnly ? nullptr : c->Parent()) {
        TPopupMenu* menu = c->PopupMenu();
        if (!menu) continue;
        if (menu->AutoPopup()) {
            menu->SetPopupComponent(c);
            menu->Popup(ScreenPos.X, ScreenPos.Y);
        }
        return;
    }
    ShowTextFieldMenu(Target, ScreenPos);
}

void Press(TControl* Target, TMouseButton Button, TPoint ScreenPos, TShiftState Mods)
{
    const Int64 now = LayerNowMs();
    const bool isDouble = IsDoubleClick(Target, Button, ScreenPos, now);
    RememberPress(Target, Button, ScreenPos, now, isDouble);
    SetButton(Button, true);
    TShiftState shift = Mods + ButtonState();
    if (isDouble) shift.Include(ssDouble);
    TWeakRef<TControl> alive(Target);
    const TControlStyle style = Target->ControlStyle();
    if (Button == mbLeft) {
        if (style.Contains(csCaptureMouse)) SetCapture(Target);
        if (isDouble) {
            if (alive && style.Contains(csClickEvents)) Target->DblClick();
        } else if (style.Contains(csClickEvents)) {
            Target->SetControlState(Target->ControlState() + TControlState{csClicked});
        }
    }
    if (!alive) return;
    const TPoint p = Local(Target, ScreenPos);
    Target->MouseDown(Button, shift, p.X, p.Y);
}

void Release(TControl* Target, TMouseButton Button, TPoint ScreenPos, TShiftState Mods)
{
    SetButton(Button, false);
    const TShiftState shift = Mods + ButtonState();
    TWeakRef<TControl> alive(Target);
    const TPoint p = Local(Target, ScreenPos);
    if (Button == mbLeft) {
        if (Target->ControlStyle().Contains(csCaptureMouse) && GetCapture() == Target) ReleaseCapture();
        if (alive && Target->ControlState().Contains(csClicked)) {
            Target->SetControlState(Target->ControlState() - TControlState{csClicked});
            if (PtInRect(Target->ClientRect(), p)) Target->Click();
        }
    }
    if (!alive) return;
    Target->MouseUp(Button, shift, p.X, p.Y);
    if (Button == mbRight && alive) ContextPopup(Target, ScreenPos, false);
}

void Move(TControl* Target, TPoint ScreenPos, TShiftState Mods)
{
    const TPoint p = Local(Target, ScreenPos);
    Target->MouseMove(Mods + ButtonState(), p.X, p.Y);
}

QEvent::Type NativeType(MouseAction Action, TControl* Target, TMouseButton Button, TPoint ScreenPos)
{
    switch (Action) {
        case MouseAction::Press:
            return IsDoubleClick(Target, Button, ScreenPos, LayerNowMs()) ? QEvent::MouseButtonDblClick
                                                                           : QEvent::MouseButtonPress;
        case MouseAction::Release: return QEvent::MouseButtonRelease;
        default: return QEvent::MouseMove;
    }
}

}  // namespace

Int64 LayerNowMs()
{
    if (VirtualClockActive()) return VirtualNow();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

TControl* RootOf(TControl* Control)
{
    while (Control && Control->Parent()) Control = Control->Parent();
    return Control;
}

TPoint LastCursorPos() { return R().CursorPos; }

Qt::MouseButton QtButton(TMouseButton Button)
{
    switch (Button) {
        case mbRight: return Qt::RightButton;
        case mbMiddle: return Qt::MiddleButton;
        default: return Qt::LeftButton;
    }
}

Qt::KeyboardModifiers QtModifiers(TShiftState Mods)
{
    Qt::KeyboardModifiers m;
    if (Mods.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (Mods.Contains(ssCtrl)) m |= Qt::ControlModifier;
    if (Mods.Contains(ssAlt)) m |= Qt::AltModifier;
    return m;
}

TShiftState ShiftFromQt(int QtModifiers)
{
    TShiftState s;
    if (QtModifiers & Qt::ShiftModifier) s.Include(ssShift);
    if (QtModifiers & Qt::ControlModifier) s.Include(ssCtrl);
    if (QtModifiers & Qt::AltModifier) s.Include(ssAlt);
    return s;
}

void RouteMouse(TControl* Root, MouseAction Action, TMouseButton Button, TPoint ScreenPos, TShiftState Mods)
{
    R().CursorPos = ScreenPos;
    TControl* hit = HitTest(Root, ScreenPos);
    if (Action == MouseAction::Move) UpdateHover(hit);
    TControl* target = R().Capture.Get();
    if (!target) target = hit;
    if (!target) {
        if (Action == MouseAction::Release) SetButton(Button, false);
        return;
    }
    if (target->Host().Native && !R().Capture.Get()) {
        const QEvent::Type type = NativeType(Action, target, Button, ScreenPos);
        if (Action == MouseAction::Press) RememberPress(target, Button, ScreenPos, LayerNowMs(),
                                                        type == QEvent::MouseButtonDblClick);
        SendToNative(target, type, Button, ScreenPos, Mods);
        return;
    }
    switch (Action) {
        case MouseAction::Press: Press(target, Button, ScreenPos, Mods); break;
        case MouseAction::Release: Release(target, Button, ScreenPos, Mods); break;
        case MouseAction::Move: Move(target, ScreenPos, Mods); break;
    }
}

void RouteWheel(TControl* Root, Integer Delta, TPoint ScreenPos, TShiftState Mods)
{
    RouterState& r = R();
    r.CursorPos = ScreenPos;
    if (!HitTest(Root, ScreenPos) && !r.Capture.Get()) return;
    r.WheelAccumulator += Delta;
    const Integer notches = r.WheelAccumulator / WheelDelta;
    if (notches == 0) return;
    r.WheelAccumulator -= notches * WheelDelta;
    TControl* target = FocusedControl();
    if (!target || RootOf(target) != Root) target = Root;
    const TShiftState shift = Mods + ButtonState();
    // Bubbles up to the parents until one handles it.
    TWeakRef<TControl> current(target);
    while (TControl* c = current.Get()) {
        TWeakRef<TControl> parent(c->Parent());
        if (c->DoMouseWheel(shift, notches * WheelDelta, ScreenPos)) return;
        current = parent;
    }
}

namespace {

// The layer's button of a Qt button; the other buttons count as the left.
TMouseButton LayerButton(Qt::MouseButton Button)
{
    switch (Button) {
        case Qt::RightButton: return mbRight;
        case Qt::MiddleButton: return mbMiddle;
        default: return mbLeft;
    }
}

}  // namespace

void FollowQtButtons(const QEvent* Event)
{
    const QEvent::Type type = Event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonRelease)
        return;
    const Qt::MouseButton button = static_cast<const QMouseEvent*>(Event)->button();
    if (button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton)
        SetButton(LayerButton(button), type != QEvent::MouseButtonRelease);
}

bool RouteQtMouse(TControl* Control, QMouseEvent* Event, bool Native, const std::function<bool(QEvent*)>& Base)
{
    const QPoint pos = Event->position().toPoint();
    const TPoint screen = Control->ClientToScreen({pos.x(), pos.y()});
    const TShiftState mods = ShiftFromQt(Event->modifiers());
    const TMouseButton button = LayerButton(Event->button());
    MouseAction action = MouseAction::Move;
    if (Event->type() == QEvent::MouseButtonPress || Event->type() == QEvent::MouseButtonDblClick)
        action = MouseAction::Press;
    if (Event->type() == QEvent::MouseButtonRelease) action = MouseAction::Release;

    TControl* capture = R().Capture.Get();
    if (!Native || (capture && capture != Control)) {
        RouteMouse(RootOf(Control), action, button, screen, mods);
        return true;
    }
    // A Qt control: the layer's mouse events around Qt's own handling, so
    // its click (OnClick) comes before MouseUp.
    R().CursorPos = screen;
    TWeakRef<TControl> alive(Control);
    const TPoint p = Local(Control, screen);
    switch (action) {
        case MouseAction::Press: {
            const bool isDouble = Event->type() == QEvent::MouseButtonDblClick;
            SetButton(button, true);
            TShiftState shift = mods + ButtonState();
            if (isDouble) {
                shift.Include(ssDouble);
                if (button == mbLeft) Control->DblClick();
            }
            if (alive) Control->MouseDown(button, shift, p.X, p.Y);
            return Base(Event);
        }
        case MouseAction::Release: {
            SetButton(button, false);
            const bool result = Base(Event);
            if (alive) Control->MouseUp(button, mods + ButtonState(), p.X, p.Y);
            if (alive && button == mbRight) ContextPopup(Control, screen, true);
            return result;
        }
        case MouseAction::Move: {
            UpdateHover(Control);
            const bool result = Base(Event);
            if (alive) Control->MouseMove(mods + ButtonState(), p.X, p.Y);
            return result;
        }
    }
    return true;
}

void RouteQtWheel(TControl* Control, QWheelEvent* Event)
{
    const QPoint pos = Event->position().toPoint();
    RouteWheel(RootOf(Control), Event->angleDelta().y(), Control->ClientToScreen({pos.x(), pos.y()}),
               ShiftFromQt(Event->modifiers()));
}

void MouseLeftWindow(TControl* Root)
{
    if (TControl* hover = R().Hover.Get(); hover && RootOf(hover) == Root) UpdateHover(nullptr);
}

void ForgetControl(TControl* Control)
{
    RouterState& r = R();
    if (r.Capture.Get() == Control) r.Capture = TWeakRef<TControl>();
    if (r.Hover.Get() == Control) r.Hover = TWeakRef<TControl>();
    if (r.LastPressControl.Get() == Control) r.LastPressValid = false;
}

}  // namespace pl

// ---------------------------------------------------------------------------
// Capture
// ---------------------------------------------------------------------------

void SetCapture(TControl* Control)
{
    TControl* old = pl::R().Capture.Get();
    if (old == Control) return;
    pl::R().Capture = TWeakRef<TControl>(Control);
    if (old) old->WMCaptureChanged();
}

void ReleaseCapture()
{
    TControl* old = pl::R().Capture.Get();
    if (!old) return;
    pl::R().Capture = TWeakRef<TControl>();
    old->WMCaptureChanged();
}

TControl* GetCapture() { return pl::R().Capture.Get(); }
