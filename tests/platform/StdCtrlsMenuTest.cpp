// Menu items, popup menus and the combo box's inner edit.

#include <gtest/gtest.h>

#include <vector>

#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/Testing.h"

using namespace Testing;

namespace {

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override { Form = Create<TForm>(nullptr); }
    void TearDown() override
    {
        Free(Form);
        Input::Flush();
        Answers::Clear();
    }
    TMenuItem* Item(TMenuItem* parent, const char* caption)
    {
        auto* item = Create<TMenuItem>(Form);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
    TForm* Form = nullptr;
};

}  // namespace

TEST_F(MenuTest, ClickRespectsEnabledAndAutoCheckButCheckedFromCodeIsSilent)
{
    auto* menu = Create<TPopupMenu>(Form);
    TMenuItem* item = Item(menu->Items(), "&Grille");
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    item->SetChecked(true);
    EXPECT_EQ(clicks, 0);
    item->SetAutoCheck(true);
    item->Click();
    EXPECT_FALSE(item->Checked());
    EXPECT_EQ(clicks, 1);
    item->SetEnabled(false);
    item->Click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(MenuTest, RadioItemsOfAGroupExcludeEachOther)
{
    auto* menu = Create<TPopupMenu>(Form);
    TMenuItem* a = Item(menu->Items(), "A");
    TMenuItem* b = Item(menu->Items(), "B");
    TMenuItem* other = Item(menu->Items(), "C");
    for (TMenuItem* i : {a, b, other}) i->SetRadioItem(true);
    other->SetGroupIndex(2);
    a->SetChecked(true);
    other->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked());
}

TEST_F(MenuTest, ItemsNestMoveAndFreeTheirSubItems)
{
    auto* menu = Create<TMainMenu>(Form);
    TMenuItem* file = Item(menu->Items(), "&Fichier");
    TMenuItem* open = Item(file, "&Ouvrir");
    TMenuItem* quit = Item(file, "&Quitter");
    EXPECT_EQ(open->GetParentMenu(), menu);
    EXPECT_EQ(quit->MenuIndex(), 1);
    quit->SetMenuIndex(0);
    EXPECT_EQ(file->Items(0), quit);
    EXPECT_THROW(file->Items(2), EListError);
    EXPECT_THROW(menu->Items()->Add(open), EInvalidOperation);  // already in a menu
    TWeakRef<TMenuItem> openAlive(open);
    file->Free();
    EXPECT_FALSE(openAlive);
    EXPECT_EQ(menu->Items()->Count(), 0);
    EXPECT_EQ(menu->FindAccelerator(u'f'), nullptr);
}

TEST_F(MenuTest, ShortcutsSkipDisabledItemsAndPopupAnswersByCaption)
{
    auto* menu = Create<TPopupMenu>(Form);
    TMenuItem* copy = Item(menu->Items(), "&Copier");
    TMenuItem* sub = Item(menu->Items(), "Exporter");
    TMenuItem* deep = Item(sub, "Vers le &presse-papiers");
    copy->SetShortCut(ShortCut('C', {ssCtrl}));
    copy->SetEnabled(false);
    EXPECT_FALSE(menu->IsShortCut('C', {ssCtrl}));
    std::vector<String> chosen;
    deep->OnClick = [&](TObject*) { chosen.push_back("deep"); };
    Answers::Menu("Vers le presse-papiers");
    menu->Popup(10, 10);
    Input::Flush();
    Answers::Menu("");
    menu->Popup(10, 10);
    Input::Flush();
    EXPECT_EQ(chosen, (std::vector<String>{"deep"}));
    EXPECT_THROW(menu->Popup(10, 10), EInvalidOperation);  // unanswered
}

TEST_F(MenuTest, MainMenuChangesKeepTheClientSize)
{
    Form->SetClientHeight(100);
    auto* menu = Create<TMainMenu>(Form);
    Item(menu->Items(), "&Fichier");
    Form->SetMenu(menu);
    EXPECT_EQ(Form->ClientHeight(), 100);
    const Integer withMenu = Form->Height();
    menu->Free();
    EXPECT_EQ(Form->Menu(), nullptr);
    EXPECT_EQ(Form->Height(), withMenu);  // the window keeps its size, the client grows
    EXPECT_EQ(Form->ClientHeight(), 100 + FormMenuBarHeight);
}

TEST_F(MenuTest, KeysTypedInAComboBoxGoThroughThePipeline)
{
    Form->Show();
    auto* combo = Create<TComboBox>(Form);
    combo->SetParent(Form);
    auto* next = Create<TEdit>(Form);
    next->SetParent(Form);
    std::vector<Word> keys;
    combo->OnKeyDown = [&](TObject*, Word& key, TShiftState) { keys.push_back(key); };
    combo->SetFocus();
    Input::Type("ab");
    EXPECT_EQ(combo->Text(), "ab");
    EXPECT_EQ(keys, (std::vector<Word>{'A', 'B'}));
    Input::Key(VK_TAB);
    EXPECT_TRUE(next->Focused());
}
