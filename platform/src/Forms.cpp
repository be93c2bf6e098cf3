#include "platform/Forms.h"

#include <QApplication>
#include <QEventLoop>
#include <QMoveEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWidget>

#include "ControlHost.h"
#include "Guard.h"
#include "InputRouting.h"
#include "MenuBridge.h"
#include "MessageLoop.h"
#include "QtGraphics.h"
#include "TestHooks.h"
#include "platform/FormStream.h"
#include "platform/Menus.h"

namespace {

const char SVisibleChangeModal[] = "Impossible de rendre modale une fenêtre visible ou désactivée";
const char SNotOnForm[] = "Le contrôle n'appartient pas à cette fiche";
const char SCannotFocusForm[] = "Impossible de donner le focus à une fenêtre désactivée ou invisible";

// The top-level window of a form: the menu bar and the client widget.
class FormWindow : public QWidget, public pl::WidgetLink {
public:
    explicit FormWindow(TCustomForm* Form)
    {
        LinkedControl = Form;
        setAttribute(Qt::WA_DeleteOnClose, false);
    }

protected:
    bool event(QEvent* Event) override
    {
        auto* form = static_cast<TCustomForm*>(LinkedControl);
        if (!form) return QWidget::event(Event);
        switch (Event->type()) {
            case QEvent::Close:
                Event->ignore();
                pl::Guard([form] { form->Close(); });
                return true;
            case QEvent::WindowActivate:
                pl::Guard([form] {
                    if (Screen) Screen->SetActiveForm(form);
                });
                break;
            case QEvent::WindowDeactivate:
                // Another application took over: capture ends.
                if (!QApplication::activeWindow()) ReleaseCapture();
                break;
            case QEvent::Leave: pl::Guard([form] { pl::MouseLeftWindow(form); }); break;
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
                return pl::DispatchWidgetEvent(this, form, Event, false, [this](QEvent* e) { return QWidget::event(e); });
            case QEvent::Resize:
            case QEvent::Move:
                if (Event->spontaneous()) pl::Guard([this, form] { UserMovedOrResized(form); });
                break;
            default: break;
        }
        return QWidget::event(Event);
    }

private:
    void UserMovedOrResized(TCustomForm* form)
    {
        const int menuHeight = form->Host().MenuBar ? FormMenuBarHeight : 0;
        form->WindowGeometryChanged(x(), y(), width(), height() - menuHeight);
    }
};

}  // namespace

// ---------------------------------------------------------------------------
// Focus
// ---------------------------------------------------------------------------

namespace pl {

namespace {
TWeakRef<TWinControl> g_focused;
}

TWinControl* FocusedControl() { return g_focused.Get(); }

void MoveFocus(TWinControl* New)
{
    TWinControl* old = g_focused.Get();
    if (old != New) {
        g_focused = TWeakRef<TWinControl>(New);
        if (old) old->WMKillFocus(New);
        if (New && g_focused.Get() == New) New->WMSetFocus(old);
        if (Screen && Screen->OnActiveControlChange) Screen->OnActiveControlChange(Screen);
    }
    if (TWinControl* now = g_focused.Get())
        if (QWidget* w = now->Host().KeyWidget()) w->setFocus(Qt::OtherFocusReason);
}

void DropFocus(TWinControl* Control)
{
    if (TWinControl* f = g_focused.Get(); f && Control->ContainsControl(f)) g_focused = TWeakRef<TWinControl>();
    if (TCustomForm* form = GetParentForm(Control)) form->DefocusControl(Control);
}

}  // namespace pl

// ---------------------------------------------------------------------------
// TCustomForm
// ---------------------------------------------------------------------------

TClass TCustomForm::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomForm, TWinControl>("TCustomForm").Build();
    return &info;
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    SetVisible(false);
    SetParentFont(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320 + 2 * FormBorderWidth, 240 + 2 * FormBorderWidth + FormCaptionHeight);
}

void TCustomForm::AfterConstruction()
{
    TWinControl::AfterConstruction();
    if (Screen) Screen->AddForm(this);
    ReadComponentResource(this);
}

void TCustomForm::DoCreate()
{
    if (FCreated) return;
    FCreated = true;
    if (!OnCreate) return;
    try {
        OnCreate(this);
    } catch (...) {
        if (Application) Application->HandleException(this);
    }
}

void TCustomForm::BeforeDestruction()
{
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            if (Application) Application->HandleException(this);
        }
    }
    if (Screen) Screen->RemoveForm(this);
    TWinControl::BeforeDestruction();
}

void TCustomForm::CreateWnd()
{
    auto* frame = new FormWindow(this);
    auto* client = new pl::LayerWidget<QWidget>(this, false, frame);
    client->setMouseTracking(true);
    client->setFocusPolicy(Qt::NoFocus);
    client->setContextMenuPolicy(Qt::PreventContextMenu);
    TControlHost& host = Host();
    host.Client = client;
    host.FocusWidget = client;
    host.ApplyBounds = [this] { ApplyFormBounds(); };
    host.ApplyVisible = [this] { ApplyFormVisible(); };
    host.Painter = [this](QWidget* w, const QRect& dirty) {
        QPainter painter(w);
        painter.fillRect(dirty, ToQColor(Color()));
    };
    frame->setWindowTitle(QString::fromStdString(FCaption));
    frame->setFocusPolicy(Qt::NoFocus);
    pl::AttachWidget(this, frame, false);
    MenuChanged();
}

Integer TCustomForm::NonClientWidth() const { return FBorderStyle == bsNone ? 0 : 2 * FormBorderWidth; }

Integer TCustomForm::NonClientHeight() const
{
    const Integer frame = FBorderStyle == bsNone ? 0 : 2 * FormBorderWidth + FormCaptionHeight;
    return frame + (FMenu ? FormMenuBarHeight : 0);
}

TRect TCustomForm::ClientRect() const
{
    return Rect(0, 0, std::max(Width() - NonClientWidth(), 0), std::max(Height() - NonClientHeight(), 0));
}

void TCustomForm::ApplyFormBounds()
{
    TControlHost& host = Host();
    QWidget* frame = host.Widget;
    if (!frame) return;
    const int menuHeight = host.MenuBar ? FormMenuBarHeight : 0;
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    frame->move(Left(), Top());
    frame->resize(cw, ch + menuHeight);
    if (host.MenuBar) host.MenuBar->setGeometry(0, 0, cw, menuHeight);
    if (host.Client) host.Client->setGeometry(0, menuHeight, cw, ch);
}

void TCustomForm::WindowGeometryChanged(Integer ALeft, Integer ATop, Integer AClientWidth, Integer AClientHeight)
{
    SetBounds(ALeft, ATop, AClientWidth + NonClientWidth(), AClientHeight + NonClientHeight());
}

void TCustomForm::MenuChanged()
{
    TControlHost& host = Host();
    if (!host.Widget) return;
    const bool hadBar = host.MenuBar != nullptr;
    pl::RebuildMenuBar(FMenu, host.Widget, host.MenuBar);
    if (hadBar != (host.MenuBar != nullptr)) ApplyFormBounds();
}

void TCustomForm::SetMenu(TMainMenu* Value)
{
    if (FMenu == Value) return;
    const Integer cw = ClientWidth();
    const Integer ch = ClientHeight();
    if (FMenu) FMenu->RemoveFreeNotification(this);
    FMenu = Value;
    if (Value) Value->FreeNotification(this);
    MenuChanged();
    // The client area keeps its size; the window grows or shrinks.
    SetBounds(Left(), Top(), cw + NonClientWidth(), ch + NonClientHeight());
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    const Integer cw = ClientWidth();
    const Integer ch = ClientHeight();
    FBorderStyle = Value;
    if (QWidget* frame = Host().Widget) frame->setWindowFlag(Qt::FramelessWindowHint, Value == bsNone);
    SetBounds(Left(), Top(), cw + NonClientWidth(), ch + NonClientHeight());
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
    FFormStyle = Value;
    if (QWidget* frame = Host().Widget) {
        const bool visible = frame->isVisible();
        frame->setWindowFlag(Qt::WindowStaysOnTopHint, Value == fsStayOnTop);
        if (visible) frame->show();
    }
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    FWindowState = Value;
    QWidget* frame = Host().Widget;
    if (!frame || !frame->isVisible()) return;
    switch (Value) {
        case wsMinimized: frame->showMinimized(); break;
        case wsMaximized: frame->showMaximized(); break;
        case wsNormal: frame->showNormal(); break;
    }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMenu) {
        FMenu = nullptr;
        MenuChanged();
    }
}

String TCustomForm::GetTextValue() const { return FCaption; }

void TCustomForm::SetTextValue(const String& Value)
{
    FCaption = Value;
    if (QWidget* frame = Host().Widget) frame->setWindowTitle(QString::fromStdString(Value));
}

// ---- Showing ----

void TCustomForm::Show()
{
    SetVisible(true);
    if (Screen) Screen->SetActiveForm(this);
    pl::RaiseWindow(Host().Widget);
}

void TCustomForm::ApplyFormVisible()
{
    QWidget* frame = Host().Widget;
    if (!frame) return;
    if (Visible() == frame->isVisible()) return;
    if (Visible()) {
        DoShow();
        PlaceOnFirstShow();
        if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
        frame->show();
        if (Screen) Screen->SetActiveForm(this);
    } else {
        DoHide();
        frame->hide();
        if (Screen) Screen->ActivateNextForm(this);
    }
}

void TCustomForm::PlaceOnFirstShow()
{
    if (FShownOnce) return;
    FShownOnce = true;
    TRect area{0, 0, Screen ? Screen->Width() : Width(), Screen ? Screen->Height() : Height()};
    switch (FPosition) {
        case poMainFormCenter:
        case poOwnerFormCenter: {
            TCustomForm* center = FPosition == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
            if (!center && Application) center = Application->MainForm();
            if (center && center != this) area = center->BoundsRect();
            [[fallthrough]];
        }
        case poScreenCenter:
        case poDesktopCenter:
            SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(),
                      Height());
            break;
        default: break;
    }
}

void TCustomForm::DoShow()
{
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Activate()
{
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::WMActivate(bool Activating)
{
    if (Activating)
        Activate();
    else
        Deactivate();
}

bool TCustomForm::Active() const { return Screen && Screen->ActiveForm() == this; }

// ---- Closing ----

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (Modal()) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    TWeakRef<TCustomForm> self(this);
    DoClose(action);
    if (!self || action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Hide();
        Application->Terminate();
    } else if (action == caHide) {
        Hide();
    } else if (action == caMinimize) {
        SetWindowState(wsMinimized);
    } else {
        Release();
    }
}

void TCustomForm::Release()
{
    TWeakRef<TCustomForm> self(this);
    pl::PostCall([self] {
        if (TCustomForm* form = self.Get()) form->Free();
    });
}

void TCustomForm::SetModalResult(TModalResult Value)
{
    FModalResult = Value;
    if (Value != mrNone && FModalLoop) static_cast<QEventLoop*>(FModalLoop)->quit();
}

// ModalResult was set: OnCloseQuery and OnClose decide whether the modal
// loop really ends. False (and ModalResult 0) when the form stays.
bool TCustomForm::CloseModal()
{
    TCloseAction action = caNone;
    try {
        if (CloseQuery()) {
            action = caHide;
            DoClose(action);
        }
    } catch (...) {
        action = caNone;
        if (Application) Application->HandleException(this);
    }
    if (action == caNone) {
        FModalResult = mrNone;
        return false;
    }
    if (action == caFree) Release();
    return true;
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || Modal()) throw EInvalidOperation(SVisibleChangeModal);
    ReleaseCapture();
    TWeakRef<TCustomForm> self(this);
    TCustomForm* previous = Screen ? Screen->ActiveForm() : nullptr;
    TWeakRef<TCustomForm> previousRef(previous);
    FModalResult = mrNone;
    FModalRunning = true;
    if (QWidget* frame = Host().Widget) frame->setWindowModality(Qt::ApplicationModal);
    auto finish = [&] {
        if (!self) return;
        FModalRunning = false;
        FModalLoop = nullptr;
        // Qt keeps a shown modal window in its modal list until it hides
        // as a modal window: hide first, then drop the modality.
        Hide();
        if (QWidget* frame = Host().Widget) frame->setWindowModality(Qt::NonModal);
        if (TCustomForm* p = previousRef.Get(); p && Screen && p->Visible()) Screen->SetActiveForm(p);
    };
    try {
        Show();
        if (pl::TestAnswering()) {
            auto answer = pl::TakeModalAnswer();
            if (!answer) pl::RaiseUnanswered("fiche modale " + ClassName());
            answer(this);
            // The answer must have ended the form; a test never waits.
            if (self && (FModalResult == mrNone || !CloseModal()))
                pl::RaiseUnanswered("fiche modale " + ClassName() + " restée ouverte");
        } else {
            QEventLoop loop;
            while (self) {
                if (Application && Application->Terminated()) FModalResult = mrCancel;
                if (FModalResult != mrNone && CloseModal()) break;
                FModalLoop = &loop;
                loop.exec();
                FModalLoop = nullptr;
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    const TModalResult result = self ? FModalResult : mrCancel;
    finish();
    return result;
}

// ---- Focus ----

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (Control && (Control == this || GetParentForm(Control) != this)) throw EInvalidOperation(SNotOnForm);
    if (Control && !ComponentState().Contains(csLoading) && !Control->CanFocus())
        throw EInvalidOperation(SCannotFocusForm);
    FocusControl(Control);
}

void TCustomForm::FocusControl(TWinControl* Control)
{
    FActiveControl = Control;
    if (ComponentState().Contains(csLoading)) return;
    if (Active()) {
        pl::MoveFocus(Control ? Control : this);
    } else if (Control && Visible() && Screen) {
        Screen->SetActiveForm(this);
    }
}

void TCustomForm::DefocusControl(TWinControl* Control)
{
    if (FActiveControl && Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
    if (FFocusedControl && Control->ContainsControl(FFocusedControl)) FFocusedControl = nullptr;
}

void TCustomForm::SetFocusedControl(TWinControl* Control)
{
    if (FFocusedControl == Control) return;
    TWinControl* old = FFocusedControl;
    FFocusedControl = Control;
    if (Control != this) FActiveControl = Control;
    // CMExit from the old control up to the first container that also holds
    // the new one, then CMEnter down from there to the new one.
    for (TWinControl* c = old; c && c != this && !c->ContainsControl(Control); c = c->Parent()) {
        c->CMExit();
        if (FFocusedControl != Control) return;
    }
    std::vector<TWinControl*> path;
    for (TWinControl* c = Control; c && c != this && !(old && c->ContainsControl(old)); c = c->Parent())
        path.push_back(c);
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        (*it)->CMEnter();
        if (FFocusedControl != Control) return;
    }
}

// ---- Keys ----

bool TCustomForm::IsShortCut(Word Key, TShiftState Shift) { return FMenu && FMenu->IsShortCut(Key, Shift); }

bool TCustomForm::CMDialogKey(Word& CharCode, TShiftState Shift)
{
    switch (CharCode) {
        case VK_TAB:
            if (Shift.Contains(ssCtrl)) break;
            SelectNext(FActiveControl, !Shift.Contains(ssShift), true);
            return true;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent())
                FActiveControl->Parent()->SelectNext(FActiveControl, CharCode == VK_RIGHT || CharCode == VK_DOWN,
                                                     false);
            return FActiveControl != nullptr;
        default: break;
    }
    return TWinControl::CMDialogKey(CharCode, Shift);
}

// ---------------------------------------------------------------------------
// TForm: the published properties of the form data
// ---------------------------------------------------------------------------

TClass TForm::StaticClassInfo()
{
    using C = TForm;
    static const TClassInfo info =
        TClassBuilder<C, TCustomForm>("TForm")
            .Integer("Width", &C::Width, &C::SetWidth).Stored(false)
            .Integer("Height", &C::Height, &C::SetHeight).Stored(false)
            .Reference("ActiveControl", &C::ActiveControl, &C::SetActiveControl)
            .Enum("Align", &C::Align, &C::SetAlign).Default(alNone)
            .Set("Anchors", &C::Anchors, &C::SetAnchors).Default(TAnchors{akLeft, akTop})
            .Set("BorderIcons", &C::BorderIcons, &C::SetBorderIcons)
            .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize})
            .Enum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(bsSizeable)
            .String("Caption", &C::Caption, &C::SetCaption).Default(String())
            .Integer("ClientHeight", &C::ClientHeight, &C::SetClientHeight)
            .Integer("ClientWidth", &C::ClientWidth, &C::SetClientWidth)
            .Color("Color", &C::Color, &C::SetColor).Default(clBtnFace)
            .Object("Constraints", &C::Constraints, &C::SetConstraints)
            .Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true)
            .Bool("ParentFont", &C::ParentFont, &C::SetParentFont).Default(false)
            .Object("Font", &C::Font, &C::SetFont)
            .Enum("FormStyle", &C::FormStyle, &C::SetFormStyle).Default(fsNormal)
            .Bool("KeyPreview", &C::KeyPreview, &C::SetKeyPreview).Default(false)
            .Reference("Menu", &C::Menu, &C::SetMenu)
            .Bool("OldCreateOrder", &C::OldCreateOrder, &C::SetOldCreateOrder).Default(false)
            .Integer("PixelsPerInch", &C::PixelsPerInch, &C::SetPixelsPerInch)
            .Reference("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
            .Enum("Position", &C::Position, &C::SetPosition).Default(poDefaultPosOnly)
            .Bool("Scaled", &C::Scaled, &C::SetScaled).Default(true)
            .Bool("ShowHint", &C::ShowHint, &C::SetShowHint).Default(false)
            .Integer("TextHeight", &C::TextHeight, &C::SetTextHeight)
            .Bool("Visible", &C::Visible, &C::SetVisible).Default(false)
            .Enum("WindowState", &C::WindowState, &C::SetWindowState).Default(wsNormal)
            .Event("OnActivate", &C::OnActivate, &C::OnActivate)
            .Event("OnClick", &C::OnClick, &C::OnClick)
            .Event("OnClose", &C::OnClose, &C::OnClose)
            .Event("OnCloseQuery", &C::OnCloseQuery, &C::OnCloseQuery)
            .Event("OnCreate", &C::OnCreate, &C::OnCreate)
            .Event("OnDblClick", &C::OnDblClick, &C::OnDblClick)
            .Event("OnDestroy", &C::OnDestroy, &C::OnDestroy)
            .Event("OnDeactivate", &C::OnDeactivate, &C::OnDeactivate)
            .Event("OnHide", &C::OnHide, &C::OnHide)
            .Event("OnKeyDown", &C::OnKeyDown, &C::OnKeyDown)
            .Event("OnKeyPress", &C::OnKeyPress, &C::OnKeyPress)
            .Event("OnKeyUp", &C::OnKeyUp, &C::OnKeyUp)
            .Event("OnMouseDown", &C::OnMouseDown, &C::OnMouseDown)
            .Event("OnMouseMove", &C::OnMouseMove, &C::OnMouseMove)
            .Event("OnMouseUp", &C::OnMouseUp, &C::OnMouseUp)
            .Event("OnMouseWheel", &C::OnMouseWheel, &C::OnMouseWheel)
            .Event("OnResize", &C::OnResize, &C::OnResize)
            .Event("OnShow", &C::OnShow, &C::OnShow)
            .Build();
    return &info;
}
