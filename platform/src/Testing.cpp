#include "platform/Testing.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QWidget>
#include <atomic>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <memory>

#include "ControlHost.h"
#include "Guard.h"
#include "InputRouting.h"
#include "LayerProcess.h"
#include "MessageLoop.h"
#include "QtGraphics.h"
#include "TestHooks.h"
#include "platform/Consts.h"
#include "platform/Forms.h"

namespace {

struct AnswerQueues {
    bool Answering = false;
    std::deque<Integer> Messages;
    std::vector<String> MessageTexts;
    std::deque<std::function<bool(TObject*)>> Dialogs;
    std::deque<std::function<bool(const std::vector<String>&)>> ToolkitDialogs;
    std::deque<String> Menus;
    std::deque<std::function<void(TCustomForm*)>> Modals;
};

AnswerQueues& Q()
{
    static AnswerQueues queues;
    return queues;
}

std::unique_ptr<QApplication> g_app;
// Bytes the disk still takes; below 0 it takes everything.
std::atomic<Int64> g_diskRoom{-1};
std::atomic<bool> g_generalBlockTransfersOnly{false};
std::filesystem::path g_tempDir;

// A fixed, ordinary day for Now() in tests: 2020-06-15 12:00.
constexpr TDateTime TestEpoch = 43997.5;

template <class T>
bool TakeFront(std::deque<T>& Queue, T& Out)
{
    if (Queue.empty()) return false;
    Out = std::move(Queue.front());
    Queue.pop_front();
    return true;
}

void MakeTempFolders()
{
    char pattern[] = "/tmp/pl-tests-XXXXXX";
    if (!mkdtemp(pattern)) return;
    g_tempDir = pattern;
    std::filesystem::create_directory(g_tempDir / "print");
    setenv("PL_REGISTRY_USER", (g_tempDir / "user-registry.ini").c_str(), 1);
    setenv("PL_REGISTRY_SYSTEM", (g_tempDir / "system-registry.ini").c_str(), 1);
    setenv("PL_PRINT_TO_DIR", (g_tempDir / "print").c_str(), 1);
}

// Every text a window of Qt's own holds, on the pages shown or not.
std::vector<String> TextsOf(QWidget* Window)
{
    std::vector<String> texts;
    auto add = [&texts](const QString& Text) {
        if (!Text.isEmpty()) texts.push_back(Text.toStdString());
    };
    auto addModel = [&add](const QAbstractItemModel* Model) {
        if (!Model) return;
        for (int c = 0; c < Model->columnCount(); ++c) add(Model->headerData(c, Qt::Horizontal).toString());
        for (int r = 0; r < Model->rowCount(); ++r)
            for (int c = 0; c < Model->columnCount(); ++c) add(Model->index(r, c).data().toString());
    };
    add(Window->windowTitle());
    QList<QWidget*> widgets = Window->findChildren<QWidget*>();
    widgets.prepend(Window);
    for (QWidget* w : widgets) {
        add(w->toolTip());
        for (const QAction* action : w->actions()) add(action->text());
        if (auto* label = qobject_cast<QLabel*>(w)) add(label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) add(button->text());
        if (auto* group = qobject_cast<QGroupBox*>(w)) add(group->title());
        if (auto* edit = qobject_cast<QLineEdit*>(w)) add(edit->placeholderText());
        if (auto* tabs = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < tabs->count(); ++i) add(tabs->tabText(i));
        if (auto* combo = qobject_cast<QComboBox*>(w)) addModel(combo->model());
        if (auto* view = qobject_cast<QAbstractItemView*>(w)) addModel(view->model());
    }
    return texts;
}

// How many turns of the event loop a toolkit answer waits for its dialog.
constexpr int ToolkitDialogWaits = 100;

// Runs Answer on the modal dialog from an event loop, once one is up (a
// loop may turn before the dialog's own does), then accepts or rejects it.
void AnswerModalDialog(std::function<bool(const std::vector<String>&)> Answer, int Waits)
{
    QMetaObject::invokeMethod(
        qApp,
        [Answer = std::move(Answer), Waits]() mutable {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                if (Waits > 0) AnswerModalDialog(std::move(Answer), Waits - 1);
                return;
            }
            bool accepted = false;
            pl::Guard([&] { accepted = Answer(TextsOf(dialog)); });
            if (accepted) dialog->accept();
            else dialog->reject();
        },
        Qt::QueuedConnection);
}

void RemoveTempFolder()
{
    std::error_code ignored;
    if (!g_tempDir.empty()) std::filesystem::remove_all(g_tempDir, ignored);
    g_tempDir.clear();
}

}  // namespace

// ---------------------------------------------------------------------------
// Hooks the layer asks
// ---------------------------------------------------------------------------

namespace pl {

bool TestAnswering() { return Q().Answering; }

void RaiseUnanswered(const String& What) { throw EInvalidOperation(SNoTestAnswer + What); }

std::function<void(TCustomForm*)> TakeModalAnswer()
{
    std::function<void(TCustomForm*)> answer;
    TakeFront(Q().Modals, answer);
    return answer;
}

bool TakeMessageAnswer(const String& Text, Integer& Result)
{
    if (!Q().Answering) return false;
    Q().MessageTexts.push_back(Text);
    return TakeFront(Q().Messages, Result);
}

bool TakeMenuAnswer(String& Caption) { return TakeFront(Q().Menus, Caption); }

bool TakeDialogAnswer(std::function<bool(TObject*)>& Answer) { return TakeFront(Q().Dialogs, Answer); }

bool AnswerToolkitDialogOnceShown()
{
    std::function<bool(const std::vector<String>&)> answer;
    if (!TakeFront(Q().ToolkitDialogs, answer)) return false;
    AnswerModalDialog(std::move(answer), ToolkitDialogWaits);
    return true;
}

Int64 DiskRoomFor(Int64 Count)
{
    Int64 room = g_diskRoom.load();
    while (room >= 0 && !g_diskRoom.compare_exchange_weak(room, room - std::min(room, Count))) {
    }
    return room < 0 ? Count : std::min(room, Count);
}

Int64 DiskRoomLeft() { return g_diskRoom.load(); }

bool GeneralBlockTransfersOnly() { return g_generalBlockTransfersOnly.load(std::memory_order_relaxed); }

}  // namespace pl

namespace Testing {

void InitTestProcess(int& argc, char** argv, Clock TimerClock)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    MakeTempFolders();
    g_app = pl::CreateLayerApplication(argc, argv);
    if (TimerClock == Clock::Virtual) {
        pl::UseVirtualClock();
        SetClockOverride([] { return TestEpoch + static_cast<double>(pl::VirtualNow()) / MSecsPerDay; },
                         [] { return pl::VirtualNow(); });
    }
    Q().Answering = true;
    pl::StartLayer();
}

void DoneTestProcess()
{
    pl::StopLayer();
    g_app.reset();
    SetClockOverride(nullptr, nullptr);
    Q() = AnswerQueues();
    RemoveTempFolder();
}

void EndTestProcessAtExit()
{
    (void)g_app.release();
    RemoveTempFolder();
}

// ---------------------------------------------------------------------------
// Clock
// ---------------------------------------------------------------------------

void VirtualClock::Advance(Cardinal Ms) { pl::AdvanceVirtualClock(Ms); }

Int64 VirtualClock::Now() { return pl::VirtualNow(); }

void Disk::FillAfter(Int64 Bytes) { g_diskRoom = std::max<Int64>(Bytes, 0); }

void Disk::MakeRoom() { g_diskRoom = -1; }

void BlockTransfers::GeneralPathOnly(bool Value) { g_generalBlockTransfersOnly = Value; }

// ---------------------------------------------------------------------------
// Input
// ---------------------------------------------------------------------------

namespace {

// While a Qt popup is open (a drop-down list), it holds the mouse, as the
// window system gives it every press, move and release: the input goes to
// it, and the layer's router never sees it.
bool ToOpenPopup(pl::MouseAction Action, TMouseButton Button, TPoint Screen, TShiftState Shift)
{
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup) return false;
    QEvent::Type type = QEvent::MouseMove;
    if (Action == pl::MouseAction::Press) type = QEvent::MouseButtonPress;
    if (Action == pl::MouseAction::Release) type = QEvent::MouseButtonRelease;
    const QPointF global(Screen.X, Screen.Y);
    const Qt::MouseButton button = Action == pl::MouseAction::Move ? Qt::NoButton : pl::QtButton(Button);
    const Qt::MouseButtons held = Action == pl::MouseAction::Press ? pl::QtButton(Button) : Qt::NoButton;
    QMouseEvent event(type, popup->mapFromGlobal(global), global, button, held, pl::QtModifiers(Shift));
    pl::Guard([&] { QCoreApplication::sendEvent(popup, &event); });
    return true;
}

void Mouse(TControl* Control, pl::MouseAction Action, TMouseButton Button, Integer X, Integer Y, TShiftState Shift)
{
    const TPoint screen = Control->ClientToScreen({X, Y});
    if (ToOpenPopup(Action, Button, screen, Shift)) return;
    pl::Guard([&] { pl::RouteMouse(pl::RootOf(Control), Action, Button, screen, Shift); });
}

// Where a key typed now arrives: an open Qt popup, else the focused
// control's widget, else the active form's.
QWidget* KeyReceiver()
{
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    if (TWinControl* focused = pl::FocusedControl()) return focused->Host().KeyWidget();
    if (Screen && Screen->ActiveForm()) return Screen->ActiveForm()->Host().KeyWidget();
    throw EInvalidOperation(SNoFocusedControl);
}

// The text a US keyboard gives for a key, as Qt reports it.
QString KeyText(Word Vk, TShiftState Shift)
{
    const bool ctrl = Shift.Contains(ssCtrl);
    if (Vk >= 'A' && Vk <= 'Z') {
        if (ctrl) return QString(QChar(Vk - 'A' + 1));
        return QString(QChar(Shift.Contains(ssShift) ? Vk : Vk + 32));
    }
    if (Vk >= '0' && Vk <= '9' && !Shift.Contains(ssShift)) return QString(QChar(Vk));
    if (Vk >= VK_NUMPAD0 && Vk <= VK_NUMPAD9) return QString(QChar('0' + Vk - VK_NUMPAD0));
    switch (Vk) {
        case VK_SPACE: return " ";
        case VK_RETURN: return "\r";
        case VK_TAB: return "\t";
        case VK_BACK: return "\b";
        case VK_ESCAPE: return "\x1b";
        default: return QString();
    }
}

void SendKey(QEvent::Type Type, int QtKey, Qt::KeyboardModifiers Modifiers, const QString& Text)
{
    QWidget* receiver = KeyReceiver();
    QKeyEvent event(Type, QtKey, Modifiers, Text);
    QCoreApplication::sendEvent(receiver, &event);
}

void SendVirtualKey(QEvent::Type Type, Word Vk, TShiftState Shift)
{
    Qt::KeyboardModifiers modifiers = pl::QtModifiers(Shift);
    if (Vk >= VK_NUMPAD0 && Vk <= VK_DIVIDE) modifiers |= Qt::KeypadModifier;
    int key = pl::QtKeyFromVirtualKey(Vk);
    if (Vk == VK_TAB && Shift.Contains(ssShift)) key = Qt::Key_Backtab;
    SendKey(Type, key, modifiers, KeyText(Vk, Shift));
}

std::unique_ptr<QMimeData> MimeDataOf(const Input::TTransferData& Data)
{
    auto mime = std::make_unique<QMimeData>();
    for (const auto& [type, bytes] : Data)
        mime->setData(QString::fromStdString(type), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return mime;
}

}  // namespace

void Input::MouseDown(TControl* Control, TMouseButton Button, Integer X, Integer Y, TShiftState Shift)
{
    Mouse(Control, pl::MouseAction::Press, Button, X, Y, Shift);
}

void Input::MouseUp(TControl* Control, TMouseButton Button, Integer X, Integer Y, TShiftState Shift)
{
    Mouse(Control, pl::MouseAction::Release, Button, X, Y, Shift);
}

void Input::MouseMove(TControl* Control, Integer X, Integer Y, TShiftState Shift)
{
    Mouse(Control, pl::MouseAction::Move, mbLeft, X, Y, Shift);
}

void Input::Click(TControl* Control, TMouseButton Button, Integer X, Integer Y, TShiftState Shift)
{
    // The control may go away on the press; the release still happens there.
    const TPoint screen = Control->ClientToScreen({X, Y});
    TControl* root = pl::RootOf(Control);
    TWeakRef<TControl> rootAlive(root);
    if (!ToOpenPopup(pl::MouseAction::Press, Button, screen, Shift))
        pl::Guard([&] { pl::RouteMouse(root, pl::MouseAction::Press, Button, screen, Shift); });
    if (ToOpenPopup(pl::MouseAction::Release, Button, screen, Shift)) return;
    if (TControl* r = rootAlive.Get())
        pl::Guard([&] { pl::RouteMouse(r, pl::MouseAction::Release, Button, screen, Shift); });
}

void Input::DblClick(TControl* Control, TMouseButton Button, Integer X, Integer Y, TShiftState Shift)
{
    TWeakRef<TControl> alive(Control);
    Click(Control, Button, X, Y, Shift);
    if (TControl* c = alive.Get()) Click(c, Button, X, Y, Shift);
}

void Input::Wheel(TControl* Control, Integer Delta, Integer X, Integer Y, TShiftState Shift)
{
    const TPoint screen = Control->ClientToScreen({X, Y});
    pl::Guard([&] { pl::RouteWheel(pl::RootOf(Control), Delta, screen, Shift); });
}

void Input::KeyDown(Word Vk, TShiftState Shift) { SendVirtualKey(QEvent::KeyPress, Vk, Shift); }

void Input::KeyUp(Word Vk, TShiftState Shift) { SendVirtualKey(QEvent::KeyRelease, Vk, Shift); }

void Input::Key(Word Vk, TShiftState Shift)
{
    KeyDown(Vk, Shift);
    KeyUp(Vk, Shift);
}

void Input::Type(const String& Text)
{
    for (QChar ch : QString::fromStdString(Text)) {
        const char16_t c = ch.unicode();
        int key = Qt::Key_unknown;
        Qt::KeyboardModifiers modifiers;
        if (c >= u'a' && c <= u'z') {
            key = Qt::Key_A + (c - u'a');
        } else if (c >= u'A' && c <= u'Z') {
            key = Qt::Key_A + (c - u'A');
            modifiers = Qt::ShiftModifier;
        } else if ((c >= u'0' && c <= u'9') || c == u' ') {
            key = c;
        }
        SendKey(QEvent::KeyPress, key, modifiers, QString(ch));
        SendKey(QEvent::KeyRelease, key, modifiers, QString(ch));
    }
}

void Input::Flush() { pl::ProcessPosted(); }

void Input::PutOnClipboard(const TTransferData& Data) { QGuiApplication::clipboard()->setMimeData(MimeDataOf(Data).release()); }

void Input::Drop(TControl* Control, const TTransferData& Data, Integer X, Integer Y)
{
    QWidget* widget = Control->Host().Widget;
    const QPoint point(X, Y);
    // The part of the widget under the point takes it (a memo's viewport,
    // a combo box's line edit).
    QWidget* target = widget->childAt(point);
    if (!target) target = widget;
    const QPoint at = target->mapFrom(widget, point);
    const std::unique_ptr<QMimeData> mime = MimeDataOf(Data);
    QDragEnterEvent enter(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    Flush();
}

// ---------------------------------------------------------------------------
// Answers
// ---------------------------------------------------------------------------

void Answers::Message(Integer Result) { Q().Messages.push_back(Result); }

const std::vector<String>& Answers::MessageTexts() { return Q().MessageTexts; }

void Answers::Dialog(std::function<bool(TObject*)> Answer) { Q().Dialogs.push_back(std::move(Answer)); }

void Answers::ToolkitDialog(std::function<bool(const std::vector<String>& Texts)> Answer)
{
    Q().ToolkitDialogs.push_back(std::move(Answer));
}

void Answers::Menu(const String& Caption) { Q().Menus.push_back(Caption); }

void Answers::Modal(std::function<void(TCustomForm*)> Answer) { Q().Modals.push_back(std::move(Answer)); }

Integer Answers::Pending()
{
    const AnswerQueues& q = Q();
    return static_cast<Integer>(q.Messages.size() + q.Dialogs.size() + q.ToolkitDialogs.size() + q.Menus.size() +
                                q.Modals.size());
}

void Answers::Clear()
{
    AnswerQueues& q = Q();
    q.Messages.clear();
    q.MessageTexts.clear();
    q.Dialogs.clear();
    q.ToolkitDialogs.clear();
    q.Menus.clear();
    q.Modals.clear();
}

// ---------------------------------------------------------------------------
// Inspection
// ---------------------------------------------------------------------------

TOwned<TBitmap> Grab(TControl* Control)
{
    auto bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(Control->ClientWidth(), Control->ClientHeight());
    Control->PaintTo(bitmap->Canvas(), 0, 0);
    return bitmap;
}

Integer CountColour(TBitmap* Bitmap, TColor Color)
{
    const QImage& image = BitmapImage(*Bitmap);
    const QRgb wanted = ToQRgb(Color) | 0xFF000000u;
    Integer count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == wanted) ++count;
    }
    return count;
}

std::vector<TControl*> ShownWindows()
{
    std::vector<TControl*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) shown.push_back(pl::ControlOfWidget(w));
    return shown;
}

namespace {

// Qt's line edit keeps this far from its frame on either side.
constexpr int LineEditTextMargin = 2;

int ButtonTextRoom(QAbstractButton* Button, QStyle::SubElement Contents)
{
    QStyleOptionButton option;
    option.initFrom(Button);
    option.text = Button->text();
    return Button->style()->subElementRect(Contents, &option, Button).width();
}

int EditTextRoom(QLineEdit* Edit)
{
    QStyleOptionFrame option;
    option.initFrom(Edit);
    option.lineWidth = Edit->hasFrame() ? Edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, Edit) : 0;
    const QMargins margins = Edit->textMargins();
    return Edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, Edit).width() - margins.left() -
           margins.right() - 2 * LineEditTextMargin;
}

int ComboTextRoom(QComboBox* Combo)
{
    QStyleOptionComboBox option;
    option.initFrom(Combo);
    option.editable = Combo->isEditable();
    option.frame = Combo->hasFrame();
    option.subControls = QStyle::SC_All;
    const int field =
        Combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, Combo).width();
    // An item's icon comes first, 4 pixels before its text.
    for (int i = 0; i < Combo->count(); ++i)
        if (!Combo->itemIcon(i).isNull()) return field - Combo->iconSize().width() - 4;
    return field;
}

}  // namespace

Integer TextRoom(TControl* Control)
{
    QWidget* w = Control->Host().Widget;
    if (!w || !Control->Host().Native) return -1;
    if (auto* button = qobject_cast<QPushButton*>(w)) return ButtonTextRoom(button, QStyle::SE_PushButtonContents);
    if (auto* box = qobject_cast<QCheckBox*>(w)) return ButtonTextRoom(box, QStyle::SE_CheckBoxContents);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return EditTextRoom(edit);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return ComboTextRoom(combo);
    return -1;
}

}  // namespace Testing
