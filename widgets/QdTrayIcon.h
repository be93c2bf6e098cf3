#pragma once
// An icon in the desktop's notification area with mouse events and a
// popup menu, which can also stand in for the main window's task-bar
// button while the window is minimised.
//
// The notification area reports activations, not raw mouse messages: a
// click gives MouseDown, then Click (or the menu with LeftBtnPopup), then
// MouseUp; a context click gives MouseDown, the menu and MouseUp of the
// right button; a double click gives DblClick; a middle click MouseDown
// and MouseUp of the middle button. There is no MouseMove. Without a
// notification area nothing is shown, and TrayAvailable says so.

#include "platform/Controls.h"
#include "platform/SysServices.h"
#include "widgets/QdControls.h"

class TPopupMenu;

// The longest tip the notification area shows, in UTF-16 units.
constexpr Integer kQdMaxTrayHint = 127;

class TQdCustomTrayIcon : public TQdComponent {
    PL_CLASSINFO()
public:
    explicit TQdCustomTrayIcon(TComponent* AOwner);
    void AfterConstruction() override;
    void BeforeDestruction() override;
    void Loaded() override;

    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value) { FIcon->Assign(Value); }
    bool Enabled() const { return FEnabled; }
    // Mouse events come only while enabled.
    void SetEnabled(bool Value) { FEnabled = Value; }
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    // Minimising the main window hides it and shows the icon instead.
    bool HideTaskBtn() const { return FHideTaskBtn; }
    void SetHideTaskBtn(bool Value);
    bool LeftBtnPopup() const { return FLeftBtnPopup; }
    void SetLeftBtnPopup(bool Value) { FLeftBtnPopup = Value; }

    // The icon is in the notification area now.
    bool Exists() const { return FTray.Visible(); }
    static bool TrayAvailable() { return TTrayIcon::Available(); }
    // The tip as the notification area gets it: Hint cut to
    // kQdMaxTrayHint units (never inside a character), and only with
    // ShowHint.
    String TipText() const;
    // What the notification area reports, turned into the mouse events.
    void Activated(TTrayActivation Reason);
    // The main window hidden, or shown again.
    void HideMainForm();
    void ShowMainForm();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    // The popup menu at the cursor, when there is one.
    void ShowMenu();

private:
    void UpdateSystemTray();
    void UpdateMinimizeWatch();
    void DoHideTaskBtn();

    TOwned<TIcon> FIcon;
    bool FEnabled = true;
    String FHint;
    bool FShowHint = false;
    bool FVisible = false;
    TPopupMenu* FPopupMenu = nullptr;
    bool FHideTaskBtn = false;
    bool FLeftBtnPopup = false;
    TTrayIcon FTray;
};

class TQdTrayIcon : public TQdCustomTrayIcon {
    PL_CLASSINFO()
public:
    using TQdCustomTrayIcon::TQdCustomTrayIcon;
};
