#pragma once
// The mouse router, the key pipeline and the focus mover. Qt events and the
// test input both enter here, so tests run the real routing.

#include <QtCore/qnamespace.h>
#include <string>

#include "platform/Controls.h"

class QEvent;
class QMouseEvent;
class QWheelEvent;
class QKeyEvent;
class QWidget;

namespace pl {

// Milliseconds of the layer's clock (the virtual clock in tests).
Int64 LayerNowMs();

// ---- Mouse ----

enum class MouseAction { Press, Release, Move };

// One mouse event at a screen point, hit-tested from Root (a form or a
// parentless control). Mods holds ssShift, ssAlt and ssCtrl.
void RouteMouse(TControl* Root, MouseAction Action, TMouseButton Button, TPoint ScreenPos, TShiftState Mods);
// Wheel delta (units of 1/120 notch) for the focused control of Root's form.
void RouteWheel(TControl* Root, Integer Delta, TPoint ScreenPos, TShiftState Mods);
// A Qt mouse event that reached a widget of Control.
bool RouteQtMouse(TControl* Control, QMouseEvent* Event, bool Native, const std::function<bool(QEvent*)>& Base);
void RouteQtWheel(TControl* Control, QWheelEvent* Event);
// Keeps the buttons held (GetKeyState, the shift state of mouse events) in
// step with every press and release the application delivers, those that
// go to Qt's own windows (a drop-down list, a dialog) and never reach the
// router included.
void FollowQtButtons(const QEvent* Event);
// The pointer left the window of Root.
void MouseLeftWindow(TControl* Root);
// The topmost ancestor (form or parentless control).
TControl* RootOf(TControl* Control);
// Forgets a dying control (hover, capture, double-click memory).
void ForgetControl(TControl* Control);
// The last pointer position seen, in screen coordinates.
TPoint LastCursorPos();

TShiftState ShiftFromQt(int QtModifiers);
// The Qt button and modifiers of the layer's, for synthesised events.
Qt::MouseButton QtButton(TMouseButton Button);
Qt::KeyboardModifiers QtModifiers(TShiftState Mods);

// ---- Keyboard ----

// The virtual-key code of a Qt key (0 when it has none).
Word VirtualKeyFromQt(int QtKey, int QtModifiers);
// The Qt key of a virtual key, for synthesised events.
int QtKeyFromVirtualKey(Word Vk);

// What the native widget should still do with a key press.
struct KeyOutcome {
    bool PassKey = false;     // run the widget's own key handling
    bool CharOnly = false;    // only insert Text (the key itself was taken or replaced)
    std::u16string Text;      // the text it inserts (KeyPress may have replaced it)
};
// The key pipeline for a press: preview, menu shortcuts, CNKeyDown,
// KeyDown, KeyPress or Alt-character; each step reaches the target once.
KeyOutcome KeyDownPipeline(TWinControl* Target, Word Vk, TShiftState Shift, const std::u16string& Text);
// Release: preview, CNKeyUp, KeyUp. True when the native widget may handle it.
bool KeyUpPipeline(TWinControl* Target, Word Vk, TShiftState Shift);
// A Qt key event at a widget of Control.
bool RouteQtKey(TControl* Control, QKeyEvent* Event, bool Native, const std::function<bool(QEvent*)>& Base);
// The control that receives keys typed into Control's window.
TWinControl* KeyTarget(TControl* Control);

// ---- Focus ----

// Moves the keyboard focus: Old->WMKillFocus(New), then New->WMSetFocus(Old).
void MoveFocus(TWinControl* New);
// The control that has the focus.
TWinControl* FocusedControl();
// Drops the focus without messages (the control is going away).
void DropFocus(TWinControl* Control);

}  // namespace pl
