#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QWidget>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "ControlHost.h"
#include "DialogBridge.h"
#include "Guard.h"
#include "InputRouting.h"
#include "LayerProcess.h"
#include "MessageLoop.h"
#include "PlatformUnit.h"
#include "QtGraphics.h"
#include "ToolkitTranslation.h"
#include "platform/Forms.h"
#include "platform/Threads.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;
TMouse* Mouse = nullptr;

namespace {

const char SUnknownException[] = "Exception inconnue";

void ReportToStandardError(const char* what) { std::fprintf(stderr, "Exception non traitée : %s\n", what); }

}  // namespace

// ---------------------------------------------------------------------------
// The fence
// ---------------------------------------------------------------------------

void pl::HandleCurrentException() noexcept
{
    try {
        if (!Application) throw;
        Application->HandleException(nullptr);
    } catch (const std::exception& e) {
        ReportToStandardError(e.what());
    } catch (...) {
        ReportToStandardError(SUnknownException);
    }
}

// ---------------------------------------------------------------------------
// TApplication
// ---------------------------------------------------------------------------

TClass TApplication::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TApplication, TComponent>("TApplication").Build();
    return &info;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
}

void TApplication::Run()
{
    if (FMainForm && ShowMainForm) FMainForm->Show();
    while (!FTerminated) QApplication::exec();
}

void TApplication::Terminate()
{
    FTerminated = true;
    QCoreApplication::quit();
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    CheckSynchronize();
}

void TApplication::HandleException(TObject* Sender) { HandleException(Sender, std::current_exception()); }

void TApplication::HandleException(TObject* Sender, std::exception_ptr Error)
{
    if (!Error) return;
    if (!IsMainThread()) {
        QueueOnMainThread([this, Error] { HandleException(nullptr, Error); });
        return;
    }
    auto report = [this, Sender](Exception& e) {
        try {
            if (OnException)
                OnException(Sender, e);
            else
                ShowException(e);
        } catch (const std::exception& inner) {
            ReportToStandardError(inner.what());
        } catch (...) {
            ReportToStandardError(SUnknownException);
        }
    };
    try {
        std::rethrow_exception(Error);
    } catch (EAbort&) {
    } catch (Exception& e) {
        report(e);
    } catch (const std::exception& e) {
        Exception wrapped(*e.what() ? e.what() : SUnknownException);
        report(wrapped);
    } catch (...) {
        Exception wrapped(SUnknownException);
        report(wrapped);
    }
}

void TApplication::ShowException(const Exception& E)
{
    String message = E.Message();
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
    MessageBox(message, Title, MB_OK | MB_ICONSTOP);
}

Integer TApplication::MessageBox(const String& Text, const String& Caption, Integer Flags)
{
    return pl::RunMessageBox(Text, Caption, Flags);
}

// ---------------------------------------------------------------------------
// TScreen
// ---------------------------------------------------------------------------

TClass TScreen::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TScreen, TComponent>("TScreen").Build();
    return &info;
}

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

Integer TScreen::Width() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 1024;
}

Integer TScreen::Height() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 768;
}

TRect TScreen::WorkAreaRect() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return Rect(0, 0, Width(), Height());
    const QRect r = s->availableGeometry();
    return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

TWinControl* TScreen::ActiveControl() const { return pl::FocusedControl(); }

TCustomForm* TScreen::Forms(Integer Index) const
{
    if (Index < 0 || Index >= FormCount()) RaiseListIndexError(Index);
    return FForms[static_cast<std::size_t>(Index)];
}

void TScreen::AddForm(TCustomForm* Form)
{
    if (std::find(FForms.begin(), FForms.end(), Form) == FForms.end()) FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form)
{
    ActivateNextForm(Form);
    std::erase(FForms, Form);
    if (FActiveForm == Form) FActiveForm = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* Form)
{
    if (FActiveForm == Form) return;
    TWeakRef<TCustomForm> old(FActiveForm);
    FActiveForm = Form;
    if (Form) {
        std::erase(FForms, Form);
        FForms.insert(FForms.begin(), Form);
    }
    if (TCustomForm* previous = old.Get()) previous->WMActivate(false);
    if (Form && FActiveForm == Form) {
        TWeakRef<TCustomForm> alive(Form);
        Form->WMActivate(true);
        if (alive && FActiveForm == Form) pl::MoveFocus(Form->ActiveControl() ? Form->ActiveControl() : Form);
        pl::RaiseWindow(Form->Host().Widget);
    }
    if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::ActivateNextForm(TCustomForm* Leaving)
{
    if (FActiveForm != Leaving) return;
    for (TCustomForm* f : FForms)
        if (f != Leaving && f->Visible() && !f->ComponentState().Contains(csDestroying)) {
            SetActiveForm(f);
            return;
        }
    FActiveForm = nullptr;
    if (TWinControl* focused = pl::FocusedControl(); focused && Leaving->ContainsControl(focused))
        pl::MoveFocus(nullptr);
}

void TScreen::SetCursor(TCursor Value)
{
    if (FCursor == Value) return;
    FCursor = Value;
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    if (Value != crDefault) QApplication::setOverrideCursor(pl::QtCursor(Value));
}

HCURSOR TScreen::Cursors(TCursor Index) const
{
    auto it = FCursors.find(Index);
    return it != FCursors.end() && it->second ? it->second : pl::StandardCursor(Index);
}

void TScreen::SetCursors(TCursor Index, HCURSOR Handle) { FCursors[Index] = Handle; }

// ---------------------------------------------------------------------------
// TMouse
// ---------------------------------------------------------------------------

TPoint TMouse::CursorPos() const
{
    if (pl::VirtualClockActive()) return pl::LastCursorPos();
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

void TMouse::SetCursorPos(const TPoint& Value) { QCursor::setPos(Value.X, Value.Y); }

// ---------------------------------------------------------------------------
// Units
// ---------------------------------------------------------------------------

namespace {

struct UnitEntry {
    const char* Name;
    void (*Init)();
    void (*Fini)();
    bool Initialized = false;
};

std::vector<UnitEntry>& Units()
{
    static std::vector<UnitEntry> units;
    return units;
}

bool IsRegistered(const char* Name)
{
    for (const UnitEntry& u : Units())
        if (String(u.Name) == Name) return true;
    return false;
}

}  // namespace

void RegisterUnitInitialization(const char* Name, void (*Init)(), void (*Fini)())
{
    if (!IsRegistered(Name)) Units().push_back({Name, Init, Fini});
}

void InitializeUnits()
{
    // The list may grow while units initialise.
    for (std::size_t i = 0; i < Units().size(); ++i) {
        if (Units()[i].Initialized) continue;
        Units()[i].Initialized = true;
        if (Units()[i].Init) Units()[i].Init();
    }
}

void FinalizeUnits()
{
    for (auto it = Units().rbegin(); it != Units().rend(); ++it) {
        if (!it->Initialized) continue;
        it->Initialized = false;
        if (it->Fini) pl::Guard(it->Fini);
    }
}

// ---------------------------------------------------------------------------
// Process
// ---------------------------------------------------------------------------

namespace pl {

namespace {

class LayerApplication : public QApplication {
public:
    LayerApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            if (receiver->isWidgetType()) FollowQtButtons(event);
            return QApplication::notify(receiver, event);
        } catch (...) {
            HandleCurrentException();
            return true;
        }
    }
};

}  // namespace

std::unique_ptr<QApplication> CreateLayerApplication(int& argc, char** argv)
{
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    auto app = std::make_unique<LayerApplication>(argc, argv);
    // QApplication took the user's locale; numbers stay "C".
    std::setlocale(LC_NUMERIC, "C");
    return app;
}

void StartLayer()
{
    QApplication::setStyle("Fusion");
    QApplication::setDoubleClickInterval(static_cast<int>(DoubleClickTime));
    qApp->setQuitOnLastWindowClosed(false);
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, [](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive) Guard([] { ReleaseCapture(); });
    });
    LoadToolkitTranslation();
    RegisterLayerFonts();
    Application = Create<TApplication>(nullptr);
    Screen = Create<TScreen>(nullptr);
    Mouse = Create<TMouse>();
    if (!IsRegistered("platform")) Units().insert(Units().begin(), {"platform", InitializePlatformUnit, FinalizePlatformUnit});
    InitializeUnits();
}

void StopLayer()
{
    if (Application) Guard([] { Application->DestroyComponents(); });
    // Forms nobody owns go too.
    while (Screen) {
        TCustomForm* orphan = nullptr;
        for (Integer i = 0; i < Screen->FormCount(); ++i)
            if (!Screen->Forms(i)->Owner()) orphan = Screen->Forms(i);
        if (!orphan) break;
        Guard([orphan] { orphan->Free(); });
    }
    FinalizeUnits();
    FreeAndNil(Mouse);
    FreeAndNil(Screen);
    FreeAndNil(Application);
    ProcessPosted();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace pl

int ProgramMain(int argc, char** argv, const std::function<void()>& Body)
{
    auto app = pl::CreateLayerApplication(argc, argv);
    pl::StartLayer();
    auto show = [](const Exception& e) { pl::Guard([&] { Application->ShowException(e); }); };
    try {
        Body();
    } catch (Exception& e) {
        show(e);
    } catch (const std::exception& e) {
        show(Exception(*e.what() ? e.what() : SUnknownException));
    } catch (...) {
        show(Exception(SUnknownException));
    }
    pl::StopLayer();
    app.reset();
    return 0;
}
