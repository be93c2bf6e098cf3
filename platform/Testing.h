#pragma once
// Test support compiled into the layer, inert until InitTestProcess: a
// headless process with a virtual clock, input that goes through the real
// mouse router and key pipeline, and answers for everything that would
// wait for a user.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Controls.h"

class TCustomForm;

namespace Testing {

// Headless application object, fixed locale and fonts, the virtual clock,
// strict answering (an unanswered dialog, menu or modal form raises instead
// of hanging), a temporary registry and print folder, then the units'
// initialisation. Call once per test program before any test runs. A
// program that must see Qt's own timer events (faults the virtual clock
// cannot reach) asks for the real clock.
enum class Clock { Virtual, Real };
void InitTestProcess(int& argc, char** argv, Clock TimerClock = Clock::Virtual);
// Frees the forms, finalises the units, ends Qt and removes the folder.
void DoneTestProcess();
// For a process that ends inside exit() (a fuzzer): removes the folder and
// leaves Qt to the end of the process, since Qt's globals made after the
// start are already gone by then and its teardown would reach them.
void EndTestProcessAtExit();

namespace VirtualClock {
// Moves the clock forward: due timers fire in time order (ties in order of
// start), and posted calls run after each tick. Now and MonotonicNow follow.
void Advance(Cardinal Ms);
// Milliseconds since the test process started.
Int64 Now();
}  // namespace VirtualClock

// A disk that fills up, for the layer's file streams: writes take Bytes
// more bytes, then fail as on a full disk (ENOSPC) until MakeRoom.
namespace Disk {
void FillAfter(Int64 Bytes);
void MakeRoom();
}  // namespace Disk

// The block transfers through their general path alone, which samples
// every pixel: the row-wise path of transfers that copy pixels one to one
// must give the same pixels.
namespace BlockTransfers {
void GeneralPathOnly(bool Value);
}  // namespace BlockTransfers

// Input at a control, in its client coordinates; it is hit-tested from the
// control's form like real input, so a control on top receives it instead.
// While a drop-down list is open, mouse and keys go to the list, as they
// do on the screen.
namespace Input {
void MouseDown(TControl* Control, TMouseButton Button, Integer X, Integer Y, TShiftState Shift = {});
void MouseUp(TControl* Control, TMouseButton Button, Integer X, Integer Y, TShiftState Shift = {});
void MouseMove(TControl* Control, Integer X, Integer Y, TShiftState Shift = {});
// Press and release at the same point.
void Click(TControl* Control, TMouseButton Button, Integer X, Integer Y, TShiftState Shift = {});
// Two clicks within the double-click time.
void DblClick(TControl* Control, TMouseButton Button, Integer X, Integer Y, TShiftState Shift = {});
// Delta in 1/120 notches (120: one notch away from the user).
void Wheel(TControl* Control, Integer Delta, Integer X, Integer Y, TShiftState Shift = {});
// A key pressed and released at the focused control (else the active form).
void Key(Word Vk, TShiftState Shift = {});
void KeyDown(Word Vk, TShiftState Shift = {});
void KeyUp(Word Vk, TShiftState Shift = {});
// Each character as a key press and release.
void Type(const String& Text);
// Runs the posted calls and pending events.
void Flush();
// What the clipboard holds or a drop carries: the bytes of each MIME type.
// No entry at all is data of no format, which the clipboard of a fresh X11
// session answers with.
using TTransferData = std::vector<std::pair<String, std::string>>;
void PutOnClipboard(const TTransferData& Data);
// Drags Data onto the widget of Control at X, Y (client coordinates) and
// drops it there, whether the widget accepted the drag or not.
void Drop(TControl* Control, const TTransferData& Data, Integer X, Integer Y);
}  // namespace Input

// Answers, used in the order they were queued (per kind).
namespace Answers {
// The next message box returns Result (mrOk, mrYes...).
void Message(Integer Result = mrOk);
// The texts of every message box shown since the last Clear.
const std::vector<String>& MessageTexts();
// The next dialog (open, save, colour...): Answer sets it up and returns
// whether it was accepted.
void Dialog(std::function<bool(TObject* Dialog)> Answer);
// The next dialog of Qt's own (colour, open, save, print) shows as on the
// screen; once it is up, Answer gets the texts it holds (title, labels,
// buttons, tabs, group and column titles, list entries, tips, commands),
// those of pages not shown included, and returns whether to accept it.
void ToolkitDialog(std::function<bool(const std::vector<String>& Texts)> Answer);
// The next popup menu chooses the item with this caption ("&" ignored);
// "" dismisses it. A text field's own menu (undo, cut, copy, paste...) is
// answered the same way.
void Menu(const String& Caption);
// The next modal form runs Answer, which must end it (a button click,
// ModalResult or Close).
void Modal(std::function<void(TCustomForm* Form)> Answer);
// Answers queued and not used yet.
Integer Pending();
// Drops the unused answers and the recorded texts.
void Clear();
}  // namespace Answers

// The control as it paints (children included), through PaintTo.
TOwned<TBitmap> Grab(TControl* Control);
// Pixels of Bitmap equal to Color.
Integer CountColour(TBitmap* Bitmap, TColor Color);
// The controls whose widgets are shown as top-level windows: forms, and
// nothing else unless a control lost its place; a window of no control (a
// popup menu, a combo box's list) is nullptr.
std::vector<TControl*> ShownWindows();
// The width Qt's own widget of a control gives its text: a button's label
// area, a check box's text beside its mark, an edit's or a combo box's
// text field. -1 for a control the layer paints itself.
Integer TextRoom(TControl* Control);

}  // namespace Testing
