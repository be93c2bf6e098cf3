#include "platform/Menus.h"

#include <QMenu>
#include <QMenuBar>

#include "Guard.h"
#include "MenuBridge.h"
#include "MessageLoop.h"
#include "TestHooks.h"
#include "platform/Consts.h"
#include "platform/Forms.h"

// ---------------------------------------------------------------------------
// Shortcuts
// ---------------------------------------------------------------------------

namespace {

struct KeyName {
    Word Key;
    const char* Name;
};

constexpr KeyName KeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},      {VK_ESCAPE, "Esc"},    {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},       {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"},  {VK_DOWN, "Down"},     {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

String KeyText(Word Key)
{
    if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) return String(1, static_cast<char>(Key));
    if (Key >= VK_F1 && Key <= VK_F12) return "F" + IntToStr(Key - VK_F1 + 1);
    for (const KeyName& k : KeyNames)
        if (k.Key == Key) return k.Name;
    return String();
}

void PrepareAction(QAction* Action, TMenuItem* Item)
{
    QString text = QString::fromStdString(Item->Caption());
    if (Item->ShortCut() != scNone) text += "\t" + QString::fromStdString(ShortCutToText(Item->ShortCut()));
    Action->setText(text);
    Action->setEnabled(Item->Enabled());
    Action->setCheckable(Item->Checked() || Item->AutoCheck() || Item->RadioItem());
    Action->setChecked(Item->Checked());
    QFont font = Action->font();
    font.setBold(Item->Default());
    Action->setFont(font);
}

void FillMenu(QMenu* Menu, TMenuItem* Parent);

// One entry: a separator, a sub-menu or a command whose Click is posted.
void AddEntry(QWidget* Container, TMenuItem* Item)
{
    if (!Item->Visible()) return;
    if (Item->IsLine()) {
        if (auto* menu = dynamic_cast<QMenu*>(Container)) menu->addSeparator();
        return;
    }
    if (Item->Count() > 0) {
        auto* sub = new QMenu(QString::fromStdString(Item->Caption()), Container);
        sub->setEnabled(Item->Enabled());
        FillMenu(sub, Item);
        Container->addAction(sub->menuAction());
        return;
    }
    auto* action = new QAction(Container);
    PrepareAction(action, Item);
    TWeakRef<TMenuItem> alive(Item);
    QObject::connect(action, &QAction::triggered, [alive] {
        if (TMenuItem* item = alive.Get()) PostMenuClick(item);
    });
    Container->addAction(action);
}

void FillMenu(QMenu* Menu, TMenuItem* Parent)
{
    for (Integer i = 0; i < Parent->Count(); ++i) AddEntry(Menu, Parent->Items(i));
}

bool HasVisibleItems(TMenuItem* Parent)
{
    for (Integer i = 0; i < Parent->Count(); ++i)
        if (Parent->Items(i)->Visible()) return true;
    return false;
}

// The visible item with this caption (accelerators ignored), depth first.
TMenuItem* FindByCaption(TMenuItem* Parent, const String& Caption)
{
    for (Integer i = 0; i < Parent->Count(); ++i) {
        TMenuItem* item = Parent->Items(i);
        if (!item->Visible()) continue;
        if (StripHotkey(item->Caption()) == StripHotkey(Caption)) return item;
        if (TMenuItem* found = FindByCaption(item, Caption)) return found;
    }
    return nullptr;
}

}  // namespace

TShortCut ShortCut(Word Key, TShiftState Shift)
{
    if ((Key & 0xFF00) != 0) return scNone;
    TShortCut result = Key;
    if (Shift.Contains(ssShift)) result |= scShift;
    if (Shift.Contains(ssCtrl)) result |= scCtrl;
    if (Shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut Value, Word& Key, TShiftState& Shift)
{
    Key = Value & 0xFF;
    Shift = {};
    if (Value & scShift) Shift.Include(ssShift);
    if (Value & scCtrl) Shift.Include(ssCtrl);
    if (Value & scAlt) Shift.Include(ssAlt);
}

String ShortCutToText(TShortCut Value)
{
    const String key = KeyText(Value & 0xFF);
    if (key.empty()) return String();
    String prefix;
    if (Value & scShift) prefix += "Shift+";
    if (Value & scCtrl) prefix += "Ctrl+";
    if (Value & scAlt) prefix += "Alt+";
    return prefix + key;
}

TShortCut TextToShortCut(const String& Text)
{
    static const std::pair<const char*, TShortCut> prefixes[] = {{"Shift+", scShift}, {"Ctrl+", scCtrl},
                                                                 {"Alt+", scAlt}};
    String rest = Text;
    TShortCut mods = scNone;
    for (bool found = true; found;) {
        found = false;
        for (const auto& [prefix, flag] : prefixes) {
            const std::size_t length = std::char_traits<char>::length(prefix);
            if (rest.size() > length && SameText(rest.substr(0, length), prefix)) {
                mods |= flag;
                rest.erase(0, length);
                found = true;
            }
        }
    }
    for (Word key = 1; key < 256; ++key) {
        const String name = KeyText(key);
        if (!name.empty() && SameText(name, rest)) return static_cast<TShortCut>(key | mods);
    }
    return scNone;
}

void PostMenuClick(TMenuItem* Item)
{
    TWeakRef<TMenuItem> alive(Item);
    pl::PostCall([alive] {
        if (TMenuItem* item = alive.Get()) item->Click();
    });
}

// ---------------------------------------------------------------------------
// TMenuItem
// ---------------------------------------------------------------------------

TClass TMenuItem::StaticClassInfo()
{
    using C = TMenuItem;
    static const TClassInfo info = TClassBuilder<C, TComponent>("TMenuItem")
                                       .Bool("AutoCheck", &C::AutoCheck, &C::SetAutoCheck).Default(false)
                                       .String("Caption", &C::Caption, &C::SetCaption).Default(String())
                                       .Bool("Checked", &C::Checked, &C::SetChecked).Default(false)
                                       .Bool("Default", &C::Default, &C::SetDefault).Default(false)
                                       .Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true)
                                       .Integer("GroupIndex", &C::GroupIndex, &C::SetGroupIndex).Default(0)
                                       .Integer("HelpContext", &C::HelpContext, &C::SetHelpContext).Default(0)
                                       .String("Hint", &C::Hint, &C::SetHint).Default(String())
                                       .Integer("ImageIndex", &C::ImageIndex, &C::SetImageIndex).Default(-1)
                                       .Bool("RadioItem", &C::RadioItem, &C::SetRadioItem).Default(false)
                                       .Integer("ShortCut", &C::ShortCut, &C::SetShortCut).Default(0)
                                       .Bool("Visible", &C::Visible, &C::SetVisible).Default(true)
                                       .Event("OnClick", &C::OnClick, &C::OnClick)
                                       .Build();
    return &info;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

void TMenuItem::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    while (!FItems.empty()) FItems.back()->Free();
    if (FParent) FParent->Remove(this);
}

TMenuItem* TMenuItem::Items(Integer Index) const
{
    if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
    return FItems[static_cast<std::size_t>(Index)];
}

Integer TMenuItem::IndexOf(const TMenuItem* Item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<Integer>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(Integer Index, TMenuItem* Item)
{
    if (!Item) return;
    if (Item->FParent) throw EInvalidOperation(SMenuReinserted);
    if (Index < 0 || Index > Count()) RaiseListIndexError(Index);
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* Item)
{
    const Integer i = IndexOf(Item);
    if (i < 0) return;
    FItems.erase(FItems.begin() + i);
    Item->FParent = nullptr;
    Changed();
}

void TMenuItem::Delete(Integer Index) { Items(Index)->Free(); }

void TMenuItem::Clear()
{
    while (!FItems.empty()) FItems.back()->Free();
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* item = this;
    while (item->FParent) item = item->FParent;
    return item->FMenu;
}

Integer TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(Integer Value)
{
    if (!FParent) return;
    TMenuItem* parent = FParent;
    const Integer count = parent->Count();
    Value = std::clamp(Value, 0, count - 1);
    parent->FItems.erase(parent->FItems.begin() + MenuIndex());
    parent->FItems.insert(parent->FItems.begin() + Value, this);
    Changed();
}

void TMenuItem::SetCaption(const String& Value)
{
    SetIfDifferent(FCaption, Value, [this] { Changed(); });
}

void TMenuItem::SetChecked(bool Value)
{
    if (FChecked == Value) return;
    FChecked = Value;
    // A checked radio item unchecks the others of its group.
    if (Value && FRadioItem && FParent)
        for (TMenuItem* sibling : FParent->FItems)
            if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex) sibling->FChecked = false;
    Changed();
}

void TMenuItem::SetEnabled(bool Value)
{
    SetIfDifferent(FEnabled, Value, [this] { Changed(); });
}

void TMenuItem::SetVisible(bool Value)
{
    SetIfDifferent(FVisible, Value, [this] { Changed(); });
}

void TMenuItem::SetRadioItem(bool Value)
{
    FRadioItem = Value;
    Changed();
}

void TMenuItem::SetDefault(bool Value)
{
    FDefault = Value;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut Value)
{
    FShortCut = Value;
    Changed();
}

void TMenuItem::Changed()
{
    if (ComponentState().Contains(csDestroying)) return;
    if (TMenu* menu = GetParentMenu(); menu && !menu->ComponentState().Contains(csDestroying)) menu->MenuChanged();
}

void TMenuItem::Click()
{
    if (!FEnabled) return;
    if (FAutoCheck) SetChecked(!FChecked);
    if (OnClick) OnClick(this);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    for (TMenuItem* item : std::vector<TMenuItem*>(FItems))
        if (item->Owner() == Root) Proc(item);
}

void TMenuItem::SetParentComponent(TComponent* Value)
{
    if (FParent) FParent->Remove(this);
    if (auto* item = dynamic_cast<TMenuItem*>(Value))
        item->Add(this);
    else if (auto* menu = dynamic_cast<TMenu*>(Value))
        menu->Items()->Add(this);
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut Value)
{
    if (!FEnabled || !FVisible) return nullptr;
    if (FShortCut == Value && FItems.empty()) return this;
    for (TMenuItem* item : FItems)
        if (TMenuItem* found = item->FindShortCut(Value)) return found;
    return nullptr;
}

// ---------------------------------------------------------------------------
// TMenu, TMainMenu, TPopupMenu
// ---------------------------------------------------------------------------

TClass TMenu::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TMenu, TComponent>("TMenu").Build();
    return &info;
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(Create<TMenuItem>(this))
{
    FItems->FMenu = this;
}

bool TMenu::IsShortCut(Word Key, TShiftState Shift)
{
    const TShortCut value = ShortCut(Key, Shift);
    if (value == scNone || (value & 0xFF) == 0) return false;
    TMenuItem* item = FItems->FindShortCut(value);
    if (!item) return false;
    PostMenuClick(item);
    return true;
}

TMenuItem* TMenu::FindAccelerator(Char Key) const
{
    for (Integer i = 0; i < FItems->Count(); ++i) {
        TMenuItem* item = FItems->Items(i);
        if (item->Visible() && item->Enabled() && IsAccel(Key, item->Caption())) return item;
    }
    return nullptr;
}

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root) { FItems->GetChildren(Proc, Root); }

void TMenu::MenuChanged() {}

TClass TMainMenu::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TMainMenu, TMenu>("TMainMenu")
                                       .Bool("AutoMerge", &TMainMenu::AutoMerge, &TMainMenu::SetAutoMerge)
                                       .Default(false)
                                       .Build();
    return &info;
}

void TMainMenu::MenuChanged()
{
    if (!Screen) return;
    for (Integer i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i)->Menu() == this) Screen->Forms(i)->MenuChanged();
}

TClass TPopupMenu::StaticClassInfo()
{
    using C = TPopupMenu;
    static const TClassInfo info = TClassBuilder<C, TMenu>("TPopupMenu")
                                       .Enum("Alignment", &C::Alignment, &C::SetAlignment).Default(paLeft)
                                       .Bool("AutoPopup", &C::AutoPopup, &C::SetAutoPopup).Default(true)
                                       .Event("OnPopup", &C::OnPopup, &C::OnPopup)
                                       .Build();
    return &info;
}

void TPopupMenu::Popup(Integer X, Integer Y)
{
    ReleaseCapture();
    TWeakRef<TPopupMenu> self(this);
    if (OnPopup) OnPopup(this);
    if (!self || !HasVisibleItems(Items())) return;
    if (pl::TestAnswering()) {
        String caption;
        if (!pl::TakeMenuAnswer(caption)) pl::RaiseUnanswered("menu surgissant " + Name());
        if (caption.empty()) return;
        TMenuItem* item = FindByCaption(Items(), caption);
        if (!item) pl::RaiseUnanswered("menu surgissant " + Name() + " sans élément « " + caption + " »");
        PostMenuClick(item);
        return;
    }
    QMenu menu;
    FillMenu(&menu, Items());
    // The chosen action posts its item's Click itself.
    menu.exec(QPoint(X, Y));
}

// ---------------------------------------------------------------------------
// The menu bar
// ---------------------------------------------------------------------------

void pl::RebuildMenuBar(TMainMenu* Menu, QWidget* Frame, QPointer<QWidget>& MenuBar)
{
    if (!Menu) {
        if (MenuBar) {
            MenuBar->hide();
            MenuBar->deleteLater();
            MenuBar = nullptr;
        }
        return;
    }
    auto* bar = static_cast<QMenuBar*>(MenuBar.data());
    if (!bar) {
        bar = new QMenuBar(Frame);
        bar->setNativeMenuBar(false);
        bar->show();
        MenuBar = bar;
    }
    // Sub-menus are widgets of the bar, not owned actions: clear() keeps them.
    for (QMenu* sub : bar->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) delete sub;
    bar->clear();
    for (Integer i = 0; i < Menu->Items()->Count(); ++i) AddEntry(bar, Menu->Items()->Items(i));
}
