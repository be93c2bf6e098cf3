#pragma once
// Forms, the application object, the screen and the program entry.

#include <atomic>
#include <exception>
#include <functional>
#include <map>
#include <vector>

#include "platform/Controls.h"

class TMainMenu;

enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                 poMainFormCenter, poOwnerFormCenter };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TCloseAction { caNone, caHide, caFree, caMinimize };

PL_ENUM_NAMES(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
              "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")
PL_ENUM_NAMES(TFormStyle, "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop")
PL_ENUM_NAMES(TWindowState, "wsNormal", "wsMinimized", "wsMaximized")
PL_ENUM_NAMES(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;

// Fixed non-client sizes of a form: a 4-pixel border on each side and a
// 26-pixel caption, plus the menu bar when the form has a menu.
constexpr Integer FormBorderWidth = 4;
constexpr Integer FormCaptionHeight = 26;
constexpr Integer FormMenuBarHeight = 20;

// ---------------------------------------------------------------------------
// Forms
// ---------------------------------------------------------------------------

// A top-level window: the menu bar above a client area that holds the
// controls. Width and Height are the outer size; ClientWidth and
// ClientHeight the client area's.
class TCustomForm : public TWinControl {
    PL_CLASSINFO()
public:
    explicit TCustomForm(TComponent* AOwner);
    // Reads the form data compiled in under ClassName() (when there is
    // one). A derived form runs its own construction code after the base
    // call; OnCreate comes after the whole AfterConstruction chain.
    void AfterConstruction() override;
    // OnDestroy, then the components.
    void BeforeDestruction() override;
    // Fires OnCreate once; Create<T> and CreateForm call it. An exception
    // in the handler goes to the application's handler.
    void DoCreate();

    void Show();
    void Hide() { SetVisible(false); }
    // Runs a nested message loop (timers and paints go on) until
    // ModalResult is not 0; returns it.
    TModalResult ShowModal();
    // OnCloseQuery, then OnClose; caHide hides, caFree releases, caNone
    // keeps the form. Closing the main form ends the application; closing
    // a modal form sets ModalResult to mrCancel.
    void Close();
    bool CloseQuery();
    // Frees the form from the message loop, once the current handler returned.
    void Release();
    bool Modal() const { return FModalLoop != nullptr || FModalRunning; }

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value);
    TWinControl* ActiveControl() const { return FActiveControl; }
    // Raises EInvalidOperation for a control that is not on this form or
    // cannot take the focus.
    void SetActiveControl(TWinControl* Control);
    // Records Control as the active control and, on the active form, moves
    // the focus to it.
    void FocusControl(TWinControl* Control);
    // The focus arrived at Control: CMExit up from the old focused control,
    // CMEnter down to the new one.
    void SetFocusedControl(TWinControl* Control);
    // Control (or a container of the active control) goes away: forgets
    // it without messages.
    void DefocusControl(TWinControl* Control);
    // True while this form is the active one.
    bool Active() const;

    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value) { FBorderIcons = Value; }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    // Kept for the form data; the layer always works at 96 dpi.
    Integer PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(Integer Value) { FPixelsPerInch = Value; }
    Integer TextHeight() const { return FTextHeight; }
    void SetTextHeight(Integer Value) { FTextHeight = Value; }
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }
    bool Scaled() const { return FScaled; }
    void SetScaled(bool Value) { FScaled = Value; }

    TRect ClientRect() const override;
    // Menu shortcuts of the form's menu; the item's Click is posted.
    bool IsShortCut(Word Key, TShiftState Shift);
    bool CMDialogKey(Word& CharCode, TShiftState Shift) override;
    // Activation (true) or deactivation (false) of the window.
    virtual void WMActivate(bool Activating);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    // Layer internals: the menu bar follows the menu's items; the window
    // was moved or resized by the user.
    void MenuChanged();
    void WindowGeometryChanged(Integer ALeft, Integer ATop, Integer AClientWidth, Integer AClientHeight);

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    String GetTextValue() const override;
    void SetTextValue(const String& Value) override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();

private:
    friend class TScreen;
    Integer NonClientWidth() const;
    Integer NonClientHeight() const;
    void ApplyFormBounds();
    void ApplyFormVisible();
    void PlaceOnFirstShow();
    bool CloseModal();

    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TMainMenu* FMenu = nullptr;
    TModalResult FModalResult = mrNone;
    void* FModalLoop = nullptr;  // the nested Qt loop of ShowModal
    bool FModalRunning = false;
    bool FKeyPreview = false;
    TPosition FPosition = poDefaultPosOnly;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    Integer FPixelsPerInch = 96;
    Integer FTextHeight = 13;
    bool FOldCreateOrder = false;
    bool FScaled = true;
    bool FCreated = false;
    bool FShownOnce = false;
    String FCaption;
};

// The form class that applications derive from; it publishes the form's
// properties for the form data.
class TForm : public TCustomForm {
    PL_CLASSINFO()
public:
    using TCustomForm::TCustomForm;
};

// ---------------------------------------------------------------------------
// Application, screen and mouse
// ---------------------------------------------------------------------------

class TApplication : public TComponent {
    PL_CLASSINFO()
public:
    explicit TApplication(TComponent* AOwner);

    void Initialize() {}
    bool MainFormOnTaskBar = false;
    bool ShowMainForm = true;
    String Title;
    Integer HintPause = 500;
    Integer HintHidePause = 2500;
    Integer HintShortPause = 50;
    bool ShowHint = true;
    TExceptionEvent OnException;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    // Creates a form owned by the application. Reference is set before
    // AfterConstruction runs; the first form becomes the main form.
    template <class T>
    void CreateForm(T*& Reference)
    {
        T* form = new T(this);
        Reference = form;
        try {
            form->AfterConstruction();
        } catch (...) {
            Reference = nullptr;
            form->BeforeDestruction();
            delete form;
            throw;
        }
        if constexpr (std::is_base_of_v<TCustomForm, T>) {
            if (!FMainForm) FMainForm = form;
            form->DoCreate();
        }
    }

    TCustomForm* MainForm() const { return FMainForm; }
    // Shows the main form and runs the message loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Handles the pending events, then returns.
    void ProcessMessages();

    // Call inside a catch block: EAbort is ignored; other exceptions go to
    // OnException, or ShowException when it is not set. From a worker
    // thread the exception is handed to the GUI thread.
    void HandleException(TObject* Sender);
    void HandleException(TObject* Sender, std::exception_ptr Error);
    // A modal message box with the message; a '.' is added when the
    // message ends in a character above '.'.
    void ShowException(const Exception& E);
    Integer MessageBox(const String& Text, const String& Caption, Integer Flags);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TCustomForm* FMainForm = nullptr;
    // Read by worker threads, which stop delivering work once it is set.
    std::atomic<bool> FTerminated{false};
};

struct HCURSOR__;
using HCURSOR = HCURSOR__*;

class TScreen : public TComponent {
    PL_CLASSINFO()
public:
    explicit TScreen(TComponent* AOwner);

    Integer Width() const;
    Integer Height() const;
    Integer PixelsPerInch() const { return 96; }
    TRect WorkAreaRect() const;

    // The focused control and the active form.
    TWinControl* ActiveControl() const;
    TCustomForm* ActiveForm() const { return FActiveForm; }
    Integer FormCount() const { return static_cast<Integer>(FForms.size()); }
    // In activation order, the most recently active first.
    TCustomForm* Forms(Integer Index) const;

    // The cursor shown over the whole application (crDefault: each control's).
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    // Cursor handles by identifier: those set for application-defined
    // cursors, else the standard cursor of the identifier (the arrow for an
    // unknown one).
    HCURSOR Cursors(TCursor Index) const;
    void SetCursors(TCursor Index, HCURSOR Handle);

    TNotifyEvent OnActiveControlChange;
    TNotifyEvent OnActiveFormChange;

    // Layer internals.
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    // Makes Form the active form (the previous one is deactivated).
    void SetActiveForm(TCustomForm* Form);
    // After the active form went away: the next visible form, if any.
    void ActivateNextForm(TCustomForm* Leaving);

private:
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TCursor FCursor = crDefault;
    std::map<TCursor, HCURSOR> FCursors;
};

class TMouse : public TObject {
public:
    TPoint CursorPos() const;
    void SetCursorPos(const TPoint& Value);
    bool WheelPresent() const { return true; }
    Integer WheelScrollLines() const { return 3; }
    TControl* Capture() const { return GetCapture(); }
};

// A cursor compiled into the program (platform/Resources.h) in the Windows
// cursor file format; nullptr when there is none by that name or its data is
// not a cursor. The handle lasts as long as the process.
HCURSOR LoadCursor(const String& ResName);

extern TApplication* Application;
extern TScreen* Screen;
extern TMouse* Mouse;

// ---------------------------------------------------------------------------
// Program entry and unit initialisation
// ---------------------------------------------------------------------------

// A unit's initialisation and finalisation. Registrations are kept in
// order; InitializeUnits runs the pending ones in that order and
// FinalizeUnits the initialised ones in reverse. The platform registers
// itself first.
void RegisterUnitInitialization(const char* Name, void (*Init)(), void (*Fini)());
void InitializeUnits();
void FinalizeUnits();

// Sets up the process (no high-dpi scaling, QApplication, "C" numbers,
// the layer's fonts, Application, Screen and Mouse), initialises the
// units, runs body and shows any exception that escapes it, then frees the
// forms, finalises the units in reverse and ends Qt. Returns 0.
int ProgramMain(int argc, char** argv, const std::function<void()>& Body);
