#include "widgets/QdTrayIcon.h"

#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/TypInfo.h"

namespace {

// The modifier keys held now, and the button.
TShiftState ShiftWith(TShiftState Button)
{
    TShiftState shift = Button;
    if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}

}  // namespace

TClass TQdCustomTrayIcon::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TQdCustomTrayIcon, TQdComponent>("TQdCustomTrayIcon").Build();
    return &info;
}

TClass TQdTrayIcon::StaticClassInfo()
{
    using T = TQdTrayIcon;
    static const TClassInfo info = TClassBuilder<T, TQdCustomTrayIcon>("TQdTrayIcon")
                                       .Object("Icon", &T::Icon, &T::SetIcon)
                                       .Bool("Enabled", &T::Enabled, &T::SetEnabled).Default(true)
                                       .String("Hint", &T::Hint, &T::SetHint).Default(String())
                                       .Bool("ShowHint", &T::ShowHint, &T::SetShowHint).Default(false)
                                       .Reference("PopupMenu", &T::PopupMenu, &T::SetPopupMenu)
                                       .Bool("Visible", &T::Visible, &T::SetVisible).Default(false)
                                       .Bool("HideTaskBtn", &T::HideTaskBtn, &T::SetHideTaskBtn).Default(false)
                                       .Bool("LeftBtnPopup", &T::LeftBtnPopup, &T::SetLeftBtnPopup).Default(false)
                                       .Event("OnClick", &T::OnClick)
                                       .Event("OnDblClick", &T::OnDblClick)
                                       .Event("OnMouseDown", &T::OnMouseDown)
                                       .Event("OnMouseUp", &T::OnMouseUp)
                                       .Event("OnMouseMove", &T::OnMouseMove)
                                       .Build();
    return &info;
}

TQdCustomTrayIcon::TQdCustomTrayIcon(TComponent* AOwner) : TQdComponent(AOwner), FIcon(CreateOwned<TIcon>()) {}

void TQdCustomTrayIcon::AfterConstruction()
{
    TQdComponent::AfterConstruction();
    FIcon->OnChange = [this](TObject*) { UpdateSystemTray(); };
    FTray.OnActivated = [this](TTrayActivation Reason) { Activated(Reason); };
}

void TQdCustomTrayIcon::BeforeDestruction()
{
    FTray.OnActivated = nullptr;
    FTray.WatchMinimize(nullptr, nullptr);
    FTray.SetVisible(false);
    TQdComponent::BeforeDestruction();
}

void TQdCustomTrayIcon::Loaded()
{
    TQdComponent::Loaded();
    UpdateMinimizeWatch();
    UpdateSystemTray();
}

void TQdCustomTrayIcon::SetHint(const String& Value)
{
    if (Value == FHint) return;
    FHint = Value;
    UpdateSystemTray();
}

void TQdCustomTrayIcon::SetShowHint(bool Value)
{
    FShowHint = Value;
    UpdateSystemTray();
}

void TQdCustomTrayIcon::SetVisible(bool Value)
{
    FVisible = Value;
    UpdateSystemTray();
}

void TQdCustomTrayIcon::SetPopupMenu(TPopupMenu* Value)
{
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (Value) Value->FreeNotification(this);
}

void TQdCustomTrayIcon::SetHideTaskBtn(bool Value)
{
    FHideTaskBtn = Value;
    UpdateMinimizeWatch();
}

void TQdCustomTrayIcon::Notification(TComponent* AComponent, TOperation Operation)
{
    TQdComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

String TQdCustomTrayIcon::TipText() const
{
    if (!FShowHint || FHint.empty()) return String();
    UnicodeString tip = Utf8ToUtf16(FHint);
    if (tip.size() > static_cast<std::size_t>(kQdMaxTrayHint)) {
        tip.resize(kQdMaxTrayHint);
        // Half of a character outside the basic plane is no character.
        if (tip.back() >= 0xD800 && tip.back() <= 0xDBFF) tip.pop_back();
    }
    return Utf16ToUtf8(tip);
}

void TQdCustomTrayIcon::UpdateSystemTray()
{
    if (FIcon->Empty() || ComponentState().Contains(csDesigning) || ComponentState().Contains(csLoading)) return;
    FTray.SetToolTip(TipText());
    FTray.SetIcon(FIcon.get());
    FTray.SetVisible(FVisible);
}

void TQdCustomTrayIcon::UpdateMinimizeWatch()
{
    if (ComponentState().Contains(csDesigning) || ComponentState().Contains(csLoading)) return;
    TCustomForm* form = FHideTaskBtn ? Application->MainForm() : nullptr;
    FTray.WatchMinimize(form, [this] { DoHideTaskBtn(); });
}

void TQdCustomTrayIcon::DoHideTaskBtn()
{
    HideMainForm();
    SetVisible(true);
}

void TQdCustomTrayIcon::HideMainForm()
{
    if (TCustomForm* form = Application->MainForm()) form->Hide();
}

void TQdCustomTrayIcon::ShowMainForm()
{
    TCustomForm* form = Application->MainForm();
    if (!form) return;
    if (form->WindowState() == wsMinimized) form->SetWindowState(wsNormal);
    form->Show();
}

void TQdCustomTrayIcon::Activated(TTrayActivation Reason)
{
    if (!FEnabled) return;
    const TPoint at = Mouse->CursorPos();
    // Each event may free the component.
    TWeakRef<TQdCustomTrayIcon> alive(this);
    const auto press = [&](TMouseButton Button, TShiftState State, auto&& Between) {
        MouseDown(Button, ShiftWith(State), at.X, at.Y);
        if (!alive) return;
        Between();
        if (alive) MouseUp(Button, ShiftWith(State), at.X, at.Y);
    };
    switch (Reason) {
    case taTrigger:
        press(mbLeft, {ssLeft}, [this] {
            if (FLeftBtnPopup)
                ShowMenu();
            else
                Click();
        });
        break;
    case taContext:
        press(mbRight, {ssRight}, [this] { ShowMenu(); });
        break;
    case taMiddleClick:
        press(mbMiddle, {ssMiddle}, [] {});
        break;
    case taDoubleClick:
        DblClick();
        break;
    }
}

void TQdCustomTrayIcon::ShowMenu()
{
    if (!FPopupMenu) return;
    const TPoint at = Mouse->CursorPos();
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(at.X, at.Y);
}

void TQdCustomTrayIcon::Click()
{
    if (OnClick) OnClick(this);
}

void TQdCustomTrayIcon::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TQdCustomTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TQdCustomTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
