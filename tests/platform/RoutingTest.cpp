// Mouse routing, keys and focus through the real router and key pipeline.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/Testing.h"

using namespace Testing;

namespace {

using Log = std::vector<std::string>;

// A windowed control that logs the virtuals the routers call.
class TProbe : public TCustomControl {
public:
    TProbe(TComponent* AOwner, Log* ALog, const char* ATag) : TCustomControl(AOwner), FLog(ALog), FTag(ATag)
    {
        FControlStyle += TControlStyle{csOpaque};
    }
    void MouseDown(TMouseButton B, TShiftState S, Integer X, Integer Y) override
    {
        Add("MouseDown" + Suffix(B, S) + Pos(X, Y));
        TCustomControl::MouseDown(B, S, X, Y);
    }
    void MouseUp(TMouseButton B, TShiftState S, Integer X, Integer Y) override
    {
        Add("MouseUp" + Suffix(B, S));
        TCustomControl::MouseUp(B, S, X, Y);
    }
    void MouseMove(TShiftState, Integer, Integer) override { ++Moves; }
    void Click() override
    {
        Add("Click");
        TCustomControl::Click();
    }
    void DblClick() override
    {
        Add("DblClick");
        TCustomControl::DblClick();
    }
    void WMCaptureChanged() override { Add("CaptureChanged"); }
    void CMMouseEnter() override { Add("Enter"); }
    void CMMouseLeave() override { Add("Leave"); }
    void KeyDown(Word& Key, TShiftState Shift) override
    {
        Add("KeyDown " + std::to_string(Key) + (Shift.Contains(ssShift) ? "+shift" : ""));
        TCustomControl::KeyDown(Key, Shift);
    }
    void KeyPress(Char& Key) override
    {
        Add("KeyPress " + std::to_string(Key));
        TCustomControl::KeyPress(Key);
    }
    void KeyUp(Word& Key, TShiftState Shift) override
    {
        Add("KeyUp " + std::to_string(Key));
        TCustomControl::KeyUp(Key, Shift);
    }
    bool CNKeyDown(Word& Key, TShiftState Shift) override
    {
        const bool consumed = TCustomControl::CNKeyDown(Key, Shift);
        if (consumed) Add("consumed " + std::to_string(Key));
        return consumed;
    }
    Integer WMGetDlgCode() override { return DlgCode; }
    void WMSetFocus(TWinControl* From) override
    {
        Add("SetFocus");
        TCustomControl::WMSetFocus(From);
    }
    void WMKillFocus(TWinControl* To) override
    {
        Add("KillFocus");
        TCustomControl::WMKillFocus(To);
    }
    bool DoMouseWheel(TShiftState, Integer Delta, TPoint) override
    {
        Add("Wheel " + std::to_string(Delta));
        return HandlesWheel;
    }

    Integer DlgCode = 0;
    bool HandlesWheel = true;
    int Moves = 0;

private:
    void Add(const std::string& s) { FLog->push_back(FTag + ":" + s); }
    static std::string Suffix(TMouseButton B, TShiftState S)
    {
        std::string s = B == mbLeft ? " L" : B == mbRight ? " R" : " M";
        if (S.Contains(ssDouble)) s += " dbl";
        if (S.Contains(ssShift)) s += " shift";
        return s;
    }
    static std::string Pos(Integer X, Integer Y) { return " " + std::to_string(X) + "," + std::to_string(Y); }

    Log* FLog;
    std::string FTag;
};

class RoutingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(10, 10, 400, 300);
        A = Place(Create<TProbe>(Form, &Events, "A"), 10, 10);
        B = Place(Create<TProbe>(Form, &Events, "B"), 120, 10);
        Form->Show();
        Input::Flush();
        Events.clear();
    }
    void TearDown() override
    {
        Free(Form);
        Input::Flush();
        Answers::Clear();
    }
    TProbe* Place(TProbe* probe, Integer x, Integer y)
    {
        probe->SetBounds(x, y, 100, 50);
        probe->SetParent(Form);
        return probe;
    }

    Log Events;
    TForm* Form = nullptr;
    TProbe* A = nullptr;
    TProbe* B = nullptr;
};

}  // namespace

TEST_F(RoutingTest, LeftClickOrderIsDownThenCaptureChangedClickUp)
{
    Input::MouseDown(A, mbLeft, 5, 6);
    EXPECT_EQ(GetCapture(), A);
    Input::MouseUp(A, mbLeft, 5, 6);
    EXPECT_EQ(Events, (Log{"A:MouseDown L 5,6", "A:CaptureChanged", "A:Click", "A:MouseUp L"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(RoutingTest, ReleaseOutsideGoesToTheHolderWithoutClick)
{
    Input::MouseDown(A, mbLeft, 5, 5);
    Input::MouseMove(B, 5, 5);
    Input::MouseUp(B, mbLeft, 5, 5);
    EXPECT_EQ(Events, (Log{"A:MouseDown L 5,5", "A:CaptureChanged", "A:MouseUp L"}));
    EXPECT_GT(A->Moves, 0);
    EXPECT_EQ(B->Moves, 0);
}

TEST_F(RoutingTest, DoubleClickGivesDblClickThenDownWithDoubleAndNoSecondClick)
{
    Input::DblClick(A, mbLeft, 5, 5);
    EXPECT_EQ(Events, (Log{"A:MouseDown L 5,5", "A:CaptureChanged", "A:Click", "A:MouseUp L", "A:DblClick",
                           "A:MouseDown L dbl 5,5", "A:CaptureChanged", "A:MouseUp L"}));
}

TEST_F(RoutingTest, SlowOrDistantSecondPressIsAPlainClick)
{
    Input::Click(A, mbLeft, 5, 5);
    VirtualClock::Advance(DoubleClickTime + 1);
    Input::Click(A, mbLeft, 5, 5);
    Input::Click(A, mbLeft, 9, 5);
    EXPECT_EQ(std::count(Events.begin(), Events.end(), "A:Click"), 3);
    EXPECT_EQ(std::count(Events.begin(), Events.end(), "A:DblClick"), 0);
}

TEST_F(RoutingTest, WithoutDoubleClickStyleTheSecondPressIsPlain)
{
    A->SetControlStyle(A->ControlStyle() - TControlStyle{csDoubleClicks});
    Input::DblClick(A, mbLeft, 5, 5);
    EXPECT_EQ(std::count(Events.begin(), Events.end(), "A:Click"), 2);
    EXPECT_EQ(std::count(Events.begin(), Events.end(), "A:DblClick"), 0);
}

TEST_F(RoutingTest, RightButtonDoesNotCaptureAndPopsUpAfterMouseUp)
{
    auto* menu = Create<TPopupMenu>(Form);
    auto* item = Create<TMenuItem>(Form);
    item->SetCaption("&Copier");
    menu->Items()->Add(item);
    A->SetPopupMenu(menu);
    bool clicked = false;
    menu->OnPopup = [&](TObject*) { Events.push_back("popup"); };
    item->OnClick = [&](TObject*) {
        clicked = true;
        Free(A);  // the item's handler may free the control that opened the menu
    };
    Answers::Menu("Copier");
    Input::MouseDown(A, mbRight, 5, 5);
    EXPECT_EQ(GetCapture(), nullptr);
    Input::MouseUp(A, mbRight, 5, 5);
    EXPECT_EQ(Events, (Log{"A:MouseDown R 5,5", "A:MouseUp R", "popup"}));
    EXPECT_FALSE(clicked);  // posted: runs after the handler returned
    Input::Flush();
    EXPECT_TRUE(clicked);
    EXPECT_EQ(Form->ControlCount(), 1);
}

TEST_F(RoutingTest, EmptyPopupMenuShowsNothing)
{
    auto* menu = Create<TPopupMenu>(Form);
    A->SetPopupMenu(menu);
    Input::Click(A, mbRight, 5, 5);  // no answer queued: it would raise if shown
    EXPECT_EQ(Answers::Pending(), 0);
}

TEST_F(RoutingTest, MovesSendEnterAndLeave)
{
    Input::MouseMove(A, 1, 1);
    Input::MouseMove(A, 2, 2);
    Input::MouseMove(B, 1, 1);
    EXPECT_EQ(Events, (Log{"A:Enter", "A:Leave", "B:Enter"}));
}

TEST_F(RoutingTest, CaptureWithoutButtonAndReleaseNotifyTheHolder)
{
    SetCapture(A);
    SetCapture(B);
    ReleaseCapture();
    EXPECT_EQ(Events, (Log{"A:CaptureChanged", "B:CaptureChanged"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(RoutingTest, HiddenOrDisabledControlsLetTheParentReceive)
{
    bool formClicked = false;
    Form->OnClick = [&](TObject*) { formClicked = true; };
    A->SetEnabled(false);
    Input::Click(A, mbLeft, 5, 5);
    EXPECT_TRUE(formClicked);
    EXPECT_TRUE(Events.empty());
}

TEST_F(RoutingTest, WheelAccumulatesAndBubblesToParents)
{
    A->SetFocus();
    Events.clear();
    bool formGotIt = false;
    Form->OnMouseWheel = [&](TObject*, TShiftState, Integer delta, TPoint, bool& handled) {
        formGotIt = delta == -120;
        handled = true;
    };
    Input::Wheel(A, 60, 1, 1);
    EXPECT_TRUE(Events.empty());
    Input::Wheel(A, 60, 1, 1);
    EXPECT_EQ(Events, (Log{"A:Wheel 120"}));
    A->HandlesWheel = false;
    Input::Wheel(B, -120, 1, 1);  // goes to the focused control, not the one under the pointer
    EXPECT_TRUE(formGotIt);
}

// ---- Keys and focus ----

TEST_F(RoutingTest, KeyReachesTheFocusedControlOnceWithItsShiftState)
{
    A->DlgCode = DLGC_WANTARROWS;
    A->SetFocus();
    Events.clear();
    Input::Key(VK_LEFT, {ssShift});
    Input::Key('X', {ssShift});
    EXPECT_EQ(Events, (Log{"A:KeyDown 37+shift", "A:KeyUp 37", "A:KeyDown 88+shift", "A:KeyPress 88", "A:KeyUp 88"}));
    EXPECT_FALSE(GetKeyState('X') < 0);
}

TEST_F(RoutingTest, EachPressTogglesTheKeysLockBit)
{
    A->SetFocus();
    const SmallInt before = GetKeyState(VK_CAPITAL) & 1;
    Input::Key(VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL), before ^ 1);  // released, lock switched
    Input::Key(VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL), before);
}

TEST_F(RoutingTest, ArrowsMoveTheFocusUnlessTheControlWantsThem)
{
    A->SetFocus();
    Events.clear();
    Input::Key(VK_RIGHT);
    EXPECT_EQ(Events, (Log{"A:KillFocus", "B:SetFocus", "A:consumed 39", "B:KeyUp 39"}));
    EXPECT_TRUE(B->Focused());
}

TEST_F(RoutingTest, WantAllKeysClaimsReturnButNotArrows)
{
    A->DlgCode = DLGC_WANTALLKEYS;
    A->SetFocus();
    Events.clear();
    Input::Key(VK_RETURN);
    EXPECT_EQ(Events, (Log{"A:KeyDown 13", "A:KeyPress 13", "A:KeyUp 13"}));
    Input::Key(VK_DOWN);
    EXPECT_TRUE(B->Focused());
}

TEST_F(RoutingTest, TabFollowsTabOrderAndWraps)
{
    auto* C = Place(Create<TProbe>(Form, &Events, "C"), 240, 10);
    for (TProbe* p : {A, B, C}) p->SetTabStop(true);
    C->SetTabOrder(0);  // C, A, B
    A->SetFocus();
    Input::Key(VK_TAB);
    EXPECT_TRUE(B->Focused());
    Input::Key(VK_TAB);
    EXPECT_TRUE(C->Focused());
    Input::Key(VK_TAB, {ssShift});
    EXPECT_TRUE(B->Focused());
    B->SetEnabled(false);
    Input::Key(VK_TAB, {ssShift});
    EXPECT_TRUE(A->Focused());
}

TEST_F(RoutingTest, KillFocusThenSetFocusThenExitBeforeEnter)
{
    A->SetFocus();
    Events.clear();
    A->OnExit = [&](TObject*) { Events.push_back("exit A"); };
    B->OnEnter = [&](TObject*) { Events.push_back("enter B"); };
    B->SetFocus();
    EXPECT_EQ(Events, (Log{"A:KillFocus", "B:SetFocus", "exit A", "enter B"}));
    EXPECT_EQ(Screen->ActiveControl(), B);
    EXPECT_EQ(Form->ActiveControl(), B);
}

TEST_F(RoutingTest, ContainersGetEnterAndExitAroundTheirChildren)
{
    auto* panel = Create<TCustomControl>(Form);
    panel->SetBounds(0, 100, 200, 100);
    panel->SetParent(Form);
    auto* inner = Create<TProbe>(Form, &Events, "I");
    inner->SetBounds(0, 0, 50, 50);
    inner->SetParent(panel);
    panel->OnEnter = [&](TObject*) { Events.push_back("enter panel"); };
    panel->OnExit = [&](TObject*) { Events.push_back("exit panel"); };
    A->SetFocus();
    Events.clear();
    inner->SetFocus();
    B->SetFocus();
    EXPECT_EQ(Events, (Log{"A:KillFocus", "I:SetFocus", "enter panel", "I:KillFocus", "B:SetFocus", "exit panel"}));
}

TEST_F(RoutingTest, CtrlLetterGivesControlCharacterAndZeroSwallows)
{
    auto* edit = Create<TEdit>(Form);
    edit->SetParent(Form);
    edit->SetFocus();
    std::vector<Char> seen;
    edit->OnKeyPress = [&](TObject*, Char& key) {
        seen.push_back(key);
        if (key == u'b') key = 0;
        if (key == u'c') key = u'C';
    };
    Input::Key('C', {ssCtrl});
    Input::Type("abc");
    EXPECT_EQ(seen, (std::vector<Char>{3, u'a', u'b', u'c'}));
    EXPECT_EQ(edit->Text(), "aC");
}

TEST_F(RoutingTest, KeyPreviewFormSeesTheKeyFirst)
{
    Form->SetKeyPreview(true);
    A->SetFocus();
    Events.clear();
    Form->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
        Events.push_back("form " + std::to_string(key));
        if (key == 'Q') key = 0;
    };
    Input::Key('W');
    Input::Key('Q');
    EXPECT_EQ(Events, (Log{"form 87", "A:KeyDown 87", "A:KeyPress 119", "A:KeyUp 87", "form 81", "A:KeyPress 113",
                           "A:KeyUp 81"}));
}

TEST_F(RoutingTest, AltCharacterReachesTheAcceleratorNotKeyPress)
{
    auto* button = Create<TButton>(Form);
    button->SetCaption("&Go");
    button->SetParent(Form);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    A->SetFocus();
    Events.clear();
    Input::Key('G', {ssAlt});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(std::count(Events.begin(), Events.end(), "A:KeyPress 103"), 0);
}

TEST_F(RoutingTest, ReturnClicksTheDefaultButtonAndEscapeTheCancelButton)
{
    auto* ok = Create<TButton>(Form);
    ok->SetParent(Form);
    ok->SetDefault(true);
    auto* cancel = Create<TButton>(Form);
    cancel->SetParent(Form);
    cancel->SetCancel(true);
    Log clicks;
    ok->OnClick = [&](TObject*) { clicks.push_back("ok"); };
    cancel->OnClick = [&](TObject*) { clicks.push_back("cancel"); };
    A->SetFocus();
    Input::Key(VK_RETURN);
    Input::Key(VK_ESCAPE);
    EXPECT_EQ(clicks, (Log{"ok", "cancel"}));
}
