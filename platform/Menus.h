#pragma once
// Menus: items with "&" mnemonics and "-" separators, the form's main menu
// and popup menus. A chosen item's Click is posted: it runs after the input
// handler has returned, and only if the item still exists.

#include <vector>

#include "platform/Controls.h"

class TMenu;

// A key with modifiers: the virtual key plus scShift, scCtrl and scAlt.
using TShortCut = Word;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut Value, Word& Key, TShiftState& Shift);
// "Ctrl+S", "Shift+F10", "Del"...; "" for scNone.
String ShortCutToText(TShortCut Value);
// The reverse; 0 for text it does not know.
TShortCut TextToShortCut(const String& Text);

class TMenuItem : public TComponent {
    PL_CLASSINFO()
public:
    explicit TMenuItem(TComponent* AOwner);
    // Frees the sub-items and leaves the parent item.
    void BeforeDestruction() override;

    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    // Raises EListError outside 0..Count-1.
    TMenuItem* Items(Integer Index) const;
    Integer IndexOf(const TMenuItem* Item) const;
    void Add(TMenuItem* Item);
    void Insert(Integer Index, TMenuItem* Item);
    // Takes the item out without freeing it.
    void Remove(TMenuItem* Item);
    // Frees the item at Index.
    void Delete(Integer Index);
    // Frees every sub-item.
    void Clear();
    TMenuItem* Parent() const { return FParent; }
    // The menu at the root of this item's tree (nullptr when none).
    TMenu* GetParentMenu() const;
    Integer MenuIndex() const;
    void SetMenuIndex(Integer Value);
    // A separator ("-").
    bool IsLine() const { return FCaption == "-"; }

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Checked() const { return FChecked; }
    // From code: no event.
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte Value) { FGroupIndex = Value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    Integer HelpContext() const { return FHelpContext; }
    void SetHelpContext(Integer Value) { FHelpContext = Value; }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { FImageIndex = Value; }

    // AutoCheck toggles Checked, then OnClick; nothing when disabled.
    virtual void Click();
    TNotifyEvent OnClick;

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void SetParentComponent(TComponent* Value) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }

    // The item or one below it with this shortcut (enabled and visible).
    TMenuItem* FindShortCut(TShortCut Value);

private:
    friend class TMenu;
    // Tells the menu that its look changed.
    void Changed();

    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;  // set on a menu's root item
    std::vector<TMenuItem*> FItems;
    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FAutoCheck = false;
    bool FRadioItem = false;
    Byte FGroupIndex = 0;
    bool FDefault = false;
    TShortCut FShortCut = scNone;
    String FHint;
    Integer FHelpContext = 0;
    Integer FImageIndex = -1;
};

class TMenu : public TComponent {
    PL_CLASSINFO()
public:
    explicit TMenu(TComponent* AOwner);
    // The root item; its sub-items are the menu's entries.
    TMenuItem* Items() const { return FItems; }
    // Posts the Click of the item with this shortcut; true when there is one.
    bool IsShortCut(Word Key, TShiftState Shift);
    // Offers an Alt+character to the top-level items; true when one matched.
    TMenuItem* FindAccelerator(Char Key) const;

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    // A change of the items' captions, states or structure.
    virtual void MenuChanged();

private:
    TMenuItem* FItems = nullptr;
};

class TMainMenu : public TMenu {
    PL_CLASSINFO()
public:
    using TMenu::TMenu;
    bool AutoMerge() const { return FAutoMerge; }
    void SetAutoMerge(bool Value) { FAutoMerge = Value; }
    // Rebuilds the menu bar of the forms that show this menu.
    void MenuChanged() override;

private:
    bool FAutoMerge = false;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
PL_ENUM_NAMES(TPopupAlignment, "paLeft", "paRight", "paCenter")

class TPopupMenu : public TMenu {
    PL_CLASSINFO()
public:
    using TMenu::TMenu;
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    // The control whose right click opened the menu.
    TComponent* PopupComponent() const { return FPopupComponent.Get(); }
    void SetPopupComponent(TComponent* Value) { FPopupComponent = TWeakRef<TComponent>(Value); }

    // Releases the mouse capture, fires OnPopup and shows the visible items
    // at the screen point, blocking until the user chose or dismissed; the
    // chosen item's Click is posted. A menu without visible items shows
    // nothing.
    virtual void Popup(Integer X, Integer Y);
    TNotifyEvent OnPopup;

private:
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
    TWeakRef<TComponent> FPopupComponent;
};

// Posts Item->Click(), guarded by a weak reference.
void PostMenuClick(TMenuItem* Item);
