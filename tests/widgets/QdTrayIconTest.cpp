#include <gtest/gtest.h>

#include <vector>

#include "platform/FormStream.h"
#include "platform/Menus.h"
#include "platform/Testing.h"
#include "support/Painted.h"
#include "widgets/QdSystem.h"

using namespace Testing;

namespace {

class QdTrayIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Root = CreateOwned<TComponent>(nullptr);
        Root->SetName("Root");
        Tray = Create<TQdTrayIcon>(Root.get());
        Tray->SetName("Tray");
        Tray->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState, Integer, Integer) {
            Events.push_back("down " + std::to_string(Button));
        };
        Tray->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, Integer, Integer) {
            Events.push_back("up " + std::to_string(Button));
        };
        Tray->OnClick = [this](TObject*) { Events.push_back("click"); };
        Tray->OnDblClick = [this](TObject*) { Events.push_back("dblclick"); };
    }
    void TearDown() override { Answers::Clear(); }

    TOwned<TComponent> Root;
    TQdTrayIcon* Tray = nullptr;
    std::vector<String> Events;
};

}  // namespace

TEST_F(QdTrayIconTest, ActivationsBecomeTheMouseEventsOfTheirButtons)
{
    Tray->Activated(taTrigger);
    EXPECT_EQ(Events, (std::vector<String>{"down 0", "click", "up 0"}));

    // The menu instead of the click, and for the right button.
    auto* menu = Create<TPopupMenu>(Root.get());
    auto* item = Create<TMenuItem>(Root.get());
    item->SetCaption("Open");
    menu->Items()->Add(item);
    Integer popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    Tray->SetPopupMenu(menu);
    Tray->SetLeftBtnPopup(true);
    Events.clear();
    Answers::Menu("");
    Tray->Activated(taTrigger);
    Answers::Menu("");
    Tray->Activated(taContext);
    EXPECT_EQ(Events, (std::vector<String>{"down 0", "up 0", "down 1", "up 1"}));
    EXPECT_EQ(popups, 2);

    Events.clear();
    Tray->Activated(taDoubleClick);
    Tray->Activated(taMiddleClick);
    EXPECT_EQ(Events, (std::vector<String>{"dblclick", "down 2", "up 2"}));

    // Disabled: nothing; a freed menu is let go.
    Events.clear();
    Tray->SetEnabled(false);
    Tray->Activated(taTrigger);
    EXPECT_TRUE(Events.empty());
    menu->Free();
    EXPECT_EQ(Tray->PopupMenu(), nullptr);
    // A handler may free the icon.
    Tray->SetEnabled(true);
    Tray->SetLeftBtnPopup(false);
    Tray->OnClick = [this](TObject*) { FreeAndNil(Tray); };
    Tray->Activated(taTrigger);
    EXPECT_EQ(Tray, nullptr);
}

TEST_F(QdTrayIconTest, TipIsCutWholeAndNothingShowsWithoutANotificationArea)
{
    Tray->SetHint("Ready");
    EXPECT_EQ(Tray->TipText(), "");  // only with ShowHint
    Tray->SetShowHint(true);
    EXPECT_EQ(Tray->TipText(), "Ready");
    // 126 letters and a character of two UTF-16 units: the pair is not split.
    Tray->SetHint(String(126, 'a') + "\xF0\x9F\x98\x80");
    EXPECT_EQ(Tray->TipText(), String(126, 'a'));
    Tray->SetHint(String(200, 'b'));
    EXPECT_EQ(Tray->TipText(), String(kQdMaxTrayHint, 'b'));

    Tray->SetIcon(static_cast<TIcon*>(nullptr));
    Tray->Icon()->Assign(PatternBitmap(16, 16, 5).get());
    Tray->SetVisible(true);
    EXPECT_EQ(Tray->Exists(), TQdTrayIcon::TrayAvailable());
    EXPECT_FALSE(TQdTrayIcon::TrayAvailable());  // headless

    Tray->SetHideTaskBtn(true);
    Tray->SetLeftBtnPopup(true);
    QdSystemInitialization();
    const String text = WriteComponent(Root.get());
    TOwned<TComponent> copy = CreateOwned<TComponent>(nullptr);
    ReadComponent(text, copy.get());
    EXPECT_EQ(WriteComponent(copy.get()), text);
    auto* read = static_cast<TQdTrayIcon*>(copy->FindComponent("Tray"));
    EXPECT_TRUE(SamePixels(read->Icon(), Tray->Icon()));
    EXPECT_TRUE(read->Visible());
}
