// Qt-based standard controls: which values set from code fire events, and
// what the user's actions fire.

#include <gtest/gtest.h>

#include <vector>

#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/Testing.h"

using namespace Testing;

namespace {

class StdCtrlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetClientWidth(300);
        Form->SetClientHeight(200);
        Form->Show();
    }
    void TearDown() override
    {
        Free(Form);
        Input::Flush();
        Answers::Clear();
    }
    template <class T>
    T* Add(Integer left, Integer top)
    {
        T* c = Create<T>(Form);
        c->SetLeft(left);
        c->SetTop(top);
        c->SetParent(Form);
        return c;
    }
    std::vector<String> Events;
    TNotifyEvent Record(const char* what)
    {
        return [this, what](TObject*) { Events.push_back(what); };
    }
    TForm* Form = nullptr;
};

}  // namespace

TEST_F(StdCtrlsTest, ComboBoxSetFromCodeFiresNothing)
{
    auto* combo = Add<TComboBox>(10, 10);
    combo->OnClick = Record("click");
    combo->OnChange = Record("change");
    combo->SetText("waveform");
    combo->Items()->Add("signal carre");
    combo->Items()->Add("signal triangulaire");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "waveform");
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), "signal triangulaire");
    combo->SetText("autre");
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_TRUE(Events.empty());
}

TEST_F(StdCtrlsTest, ComboBoxUserChoiceFiresClickThenChangeAndTypingFiresChange)
{
    auto* combo = Add<TComboBox>(10, 10);
    for (const char* item : {"un", "deux", "trois"}) combo->Items()->Add(item);
    combo->OnClick = [&](TObject*) { Events.push_back("click " + IntToStr(combo->ItemIndex())); };
    combo->OnChange = Record("change");
    combo->SetItemIndex(0);
    combo->SetFocus();
    Input::Key(VK_DOWN);  // the keyboard chooses like the list does
    EXPECT_EQ(Events, (std::vector<String>{"click 1", "change"}));
    Events.clear();
    combo->SetStyle(csDropDownList);
    Input::Key(VK_DOWN);
    EXPECT_EQ(Events, (std::vector<String>{"click 2", "change"}));
    Events.clear();
    combo->SetStyle(csDropDown);
    combo->SetText("");
    Input::Type("x");
    EXPECT_EQ(Events, (std::vector<String>{"change"}));
    EXPECT_EQ(combo->Text(), "x");
}

TEST_F(StdCtrlsTest, EditChangeFiresOnRealChangesFromCodeOrTyping)
{
    auto* edit = Add<TEdit>(10, 10);
    edit->OnChange = Record("change");
    edit->SetText("Mise en marche");
    edit->SetText("Mise en marche");
    EXPECT_EQ(Events.size(), 1u);
    edit->SetFocus();
    edit->SelectAll();
    Input::Type("ab");
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_EQ(Events.size(), 3u);
    EXPECT_TRUE(edit->Modified());
    edit->SetReadOnly(true);
    Input::Type("c");
    EXPECT_EQ(edit->Text(), "ab");
    edit->SetReadOnly(false);
    edit->SetMaxLength(3);
    Input::Type("cd");
    EXPECT_EQ(edit->Text(), "abc");
}

TEST_F(StdCtrlsTest, EditKeepsArrowsAndTabMovesOn)
{
    auto* edit = Add<TEdit>(10, 10);
    auto* other = Add<TEdit>(10, 40);
    edit->SetText("abc");
    edit->SetFocus();
    edit->SetSelStart(3);
    Input::Key(VK_LEFT);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelStart(), 2);
    Input::Key(VK_TAB);
    EXPECT_TRUE(other->Focused());
}

TEST_F(StdCtrlsTest, CheckBoxFiresClickFromCodeAndFromTheUser)
{
    auto* box = Add<TCheckBox>(10, 10);
    box->SetCaption("&Auto");
    box->OnClick = Record("click");
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(Events.size(), 1u);
    Input::Click(box, mbLeft, 5, 5);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(Events.size(), 2u);
    box->SetAllowGrayed(true);
    Input::Click(box, mbLeft, 5, 5);
    EXPECT_EQ(box->State(), cbGrayed);
    box->SetFocus();
    Input::Key('A', {ssAlt});
    EXPECT_EQ(box->State(), cbChecked);
}

TEST_F(StdCtrlsTest, ButtonGivesItsModalResultThenFiresOnClick)
{
    auto* button = Add<TButton>(10, 10);
    button->SetModalResult(mrYes);
    TModalResult seen = mrNone;
    button->OnClick = [&](TObject*) { seen = Form->ModalResult(); };
    Input::Click(button, mbLeft, 5, 5);
    EXPECT_EQ(seen, mrYes);
    button->SetEnabled(false);
    seen = mrNone;
    Input::Click(button, mbLeft, 5, 5);
    EXPECT_EQ(seen, mrNone);
}

TEST_F(StdCtrlsTest, ButtonMouseEventsSurroundItsClick)
{
    auto* button = Add<TButton>(10, 10);
    button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { Events.push_back("down"); };
    button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { Events.push_back("up"); };
    button->OnClick = Record("click");
    Input::Click(button, mbLeft, 5, 5);
    EXPECT_EQ(Events, (std::vector<String>{"down", "click", "up"}));
}

TEST_F(StdCtrlsTest, LabelAcceleratorFocusesItsControl)
{
    auto* edit = Add<TEdit>(100, 10);
    auto* label = Add<TLabel>(10, 10);
    label->SetCaption("&Nom");
    label->SetFocusControl(edit);
    auto* button = Add<TButton>(10, 60);
    button->SetFocus();
    Input::Key('N', {ssAlt});
    EXPECT_TRUE(edit->Focused());
    edit->Free();
    EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST_F(StdCtrlsTest, ButtonIgnoresTheRightButtonWithoutEchoToItsParent)
{
    auto* button = Add<TButton>(10, 10);
    int downs = 0;
    bool formPressed = false;
    button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++downs; };
    Form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { formPressed = true; };
    button->OnClick = Record("click");
    Input::Click(button, mbRight, 5, 5);
    EXPECT_EQ(downs, 1);
    EXPECT_FALSE(formPressed);
    EXPECT_TRUE(Events.empty());
}

TEST_F(StdCtrlsTest, EditCharCaseAndAutoSelectApplyToTheUsersInput)
{
    auto* first = Add<TEdit>(10, 10);
    auto* edit = Add<TEdit>(10, 40);
    edit->SetText("abc");
    edit->SetCharCase(ecUpperCase);
    EXPECT_EQ(edit->Text(), "ABC");
    edit->OnChange = Record("change");
    first->SetFocus();
    Input::Key(VK_TAB);  // entering by keyboard selects the whole text
    EXPECT_EQ(edit->SelLength(), 3);
    Input::Type("xy");
    EXPECT_EQ(edit->Text(), "XY");
    EXPECT_EQ(Events.size(), 2u);
}

TEST_F(StdCtrlsTest, ComboBoxTellsWhenItsListOpensAndCloses)
{
    auto* combo = Add<TComboBox>(10, 10);
    combo->Items()->Add("un");
    combo->OnDropDown = Record("drop");
    combo->OnCloseUp = Record("close");
    combo->SetDroppedDown(true);
    combo->SetDroppedDown(false);
    EXPECT_EQ(Events, (std::vector<String>{"drop", "close"}));
}

// A box read from form data takes its style once the form is read: its text,
// its choice and its editing must come out as if the style had been set
// first.
TEST_F(StdCtrlsTest, ComboBoxesReadFromFormDataKeepTextChoiceAndEditing)
{
    const String text = R"(object Form1: TForm
  object Free1: TComboBox
    Left = 8
    Top = 8
    Text = 'libre'
    Items.Strings = (
      'un'
      'deux')
  end
  object List1: TComboBox
    Style = csDropDownList
    Left = 8
    Top = 40
    Items.Strings = (
      'un'
      'deux')
  end
end
)";
    auto* form = Create<TForm>(nullptr);
    ReadComponent(text, form);
    auto* free = dynamic_cast<TComboBox*>(form->FindComponent("Free1"));
    auto* list = dynamic_cast<TComboBox*>(form->FindComponent("List1"));
    ASSERT_NE(free, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(free->Text(), "libre");
    EXPECT_EQ(list->Text(), "");
    list->SetItemIndex(1);
    EXPECT_EQ(list->Text(), "deux");
    list->SetText("libre");  // not an item: no choice
    EXPECT_EQ(list->ItemIndex(), -1);

    form->Show();
    free->SetFocus();
    Input::Key(VK_END);
    Input::Type("s");
    EXPECT_EQ(free->Text(), "libres");

    // The list opens in the font chosen after it was read.
    free->Font()->SetSize(14);
    free->SetDroppedDown(true);
    EXPECT_TRUE(free->DroppedDown());
    free->SetDroppedDown(false);

    const String written = WriteComponent(form);
    auto* copy = Create<TForm>(nullptr);
    ReadComponent(written, copy);
    EXPECT_EQ(WriteComponent(copy), written);
    copy->Free();
    form->Free();
}
