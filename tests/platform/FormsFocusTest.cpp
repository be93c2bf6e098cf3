// Focus across forms: activation, hidden forms, modal forms, controls
// that go away while they hold the focus, and the focus frame.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/ListBox.h"
#include "platform/StdCtrls.h"
#include "platform/Testing.h"

using namespace Testing;

namespace {

class FocusTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (TForm* f : Forms) Free(f);
        Input::Flush();
        Answers::Clear();
    }
    TForm* NewForm(const char* name)
    {
        auto* form = Create<TForm>(nullptr);
        form->SetName(name);
        form->OnActivate = [this, name](TObject*) { Log.push_back(String("activate ") + name); };
        form->OnDeactivate = [this, name](TObject*) { Log.push_back(String("deactivate ") + name); };
        Forms.push_back(form);
        return form;
    }
    TEdit* NewEdit(TForm* form, const char* name)
    {
        auto* edit = Create<TEdit>(form);
        edit->SetName(name);
        edit->SetParent(form);
        edit->OnEnter = [this, name](TObject*) { Log.push_back(String("enter ") + name); };
        edit->OnExit = [this, name](TObject*) { Log.push_back(String("exit ") + name); };
        return edit;
    }
    // The form Main, shown, with the edits A, B and C in tab order.
    std::array<TEdit*, 3> ShownWithThreeEdits()
    {
        TForm* form = NewForm("Main");
        const std::array<TEdit*, 3> edits{NewEdit(form, "A"), NewEdit(form, "B"), NewEdit(form, "C")};
        form->Show();
        return edits;
    }
    std::vector<TForm*> Forms;
    std::vector<String> Log;
};

}  // namespace

TEST_F(FocusTest, ShowingAFormFocusesItsFirstTabStop)
{
    TForm* form = NewForm("Main");
    TEdit* first = NewEdit(form, "First");
    NewEdit(form, "Second");
    form->Show();
    EXPECT_EQ(Screen->ActiveForm(), form);
    EXPECT_TRUE(first->Focused());
    EXPECT_EQ(Log, (std::vector<String>{"activate Main", "enter First"}));
}

TEST_F(FocusTest, AHiddenFormOnlyRecordsItsActiveControl)
{
    TForm* form = NewForm("Hidden");
    TEdit* edit = NewEdit(form, "Edit");
    TEdit* other = NewEdit(form, "Other");
    form->SetActiveControl(other);
    EXPECT_FALSE(other->Focused());
    EXPECT_EQ(form->ActiveControl(), other);
    form->Show();
    EXPECT_TRUE(other->Focused());
    edit->SetVisible(false);
    EXPECT_THROW(edit->SetFocus(), EInvalidOperation);
    EXPECT_FALSE(edit->CanFocus());
}

TEST_F(FocusTest, ActivatingAnotherFormMovesTheFocusWithoutExitEvents)
{
    TForm* a = NewForm("A");
    TEdit* editA = NewEdit(a, "EditA");
    TForm* b = NewForm("B");
    TEdit* editB = NewEdit(b, "EditB");
    a->Show();
    b->Show();
    EXPECT_TRUE(editB->Focused());
    Log.clear();
    a->Show();
    EXPECT_TRUE(editA->Focused());
    EXPECT_EQ(Log, (std::vector<String>{"deactivate B", "activate A"}));
    EXPECT_EQ(b->ActiveControl(), editB);  // each form remembers its own
}

TEST_F(FocusTest, EscapeEndsAModalFormThroughItsCancelButton)
{
    TForm* owner = NewForm("Owner");
    TEdit* ownerEdit = NewEdit(owner, "OwnerEdit");
    owner->Show();
    TForm* dialog = NewForm("Dialog");
    TEdit* field = NewEdit(dialog, "Field");
    auto* cancel = Create<TButton>(dialog);
    cancel->SetParent(dialog);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    Answers::Modal([&](TCustomForm*) {
        EXPECT_TRUE(field->Focused());
        Input::Key(VK_ESCAPE);
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_TRUE(ownerEdit->Focused());
    EXPECT_EQ(Screen->ActiveForm(), owner);
}

TEST_F(FocusTest, FreeingTheFocusedControlDropsTheFocusSilently)
{
    TForm* form = NewForm("Main");
    TEdit* edit = NewEdit(form, "Edit");
    TEdit* other = NewEdit(form, "Other");
    form->Show();
    Log.clear();
    edit->Free();
    EXPECT_EQ(Screen->ActiveControl(), nullptr);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_TRUE(Log.empty());
    other->SetFocus();
    EXPECT_EQ(Log, (std::vector<String>{"enter Other"}));
}

TEST_F(FocusTest, FocusMovedInsideOnExitWins)
{
    const auto [a, b, c] = ShownWithThreeEdits();
    a->OnExit = [&](TObject*) {
        Log.push_back("exit A");
        c->SetFocus();
    };
    Log.clear();
    b->SetFocus();
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "enter B"), 0);
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "enter C"), 1);
}

// Left where it was, the focus would sit where keys do nothing.
TEST_F(FocusTest, AControlDisabledOrHiddenWithTheFocusPassesItOnInTabOrder)
{
    const auto [a, b, c] = ShownWithThreeEdits();
    b->SetFocus();
    b->SetEnabled(false);
    EXPECT_TRUE(c->Focused());
    c->SetVisible(false);
    EXPECT_TRUE(a->Focused());
    // Nothing left that can take it: the form has it.
    a->SetEnabled(false);
    EXPECT_EQ(Screen->ActiveControl(), Forms.back());
    EXPECT_EQ(Log.back(), "exit A");
}

TEST_F(FocusTest, ClickingAnEditFocusesIt)
{
    TForm* form = NewForm("Main");
    NewEdit(form, "A");
    TEdit* b = NewEdit(form, "B");
    b->SetTop(40);
    form->Show();
    Input::Click(b, mbLeft, 3, 3);
    EXPECT_TRUE(b->Focused());
}

// A control shows the layer's dotted focus frame while it holds the focus,
// and only then: taking the focus away gives back its picture. So do those
// Qt paints, a drop-down list included, and a list whose owner draws its
// rows, empty or not.
TEST_F(FocusTest, EveryKindOfControlShowsTheFocusFrameOnlyWhileFocused)
{
    TForm* form = NewForm("F");
    form->SetClientWidth(300);
    form->SetClientHeight(700);
    TEdit* elsewhere = NewEdit(form, "Elsewhere");
    auto* button = Create<TButton>(form);
    button->SetCaption("Calcul direct");
    auto* box = Create<TCheckBox>(form);
    box->SetCaption("Visible");
    auto* pages = Create<TPageControl>(form);
    pages->SetBounds(0, 0, 200, 100);
    for (const char* caption : {"General", "Trace"}) {
        auto* sheet = Create<TTabSheet>(form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }
    auto* combo = Create<TComboBox>(form);
    combo->SetStyle(csDropDownList);
    combo->Items()->Add("Solid");
    combo->SetItemIndex(0);
    auto* owned = Create<TListBox>(form);
    owned->SetStyle(lbOwnerDrawFixed);
    owned->OnDrawItem = [owned](TWinControl*, Integer, TRect Rect, TOwnerDrawState) { owned->Canvas()->FillRect(Rect); };
    owned->Items()->Add("Channel 1");
    owned->SetItemIndex(0);
    auto* empty = Create<TListBox>(form);
    const std::initializer_list<TWinControl*> controls{button, box, pages, combo, owned, empty};
    Integer top = 30;
    for (TWinControl* control : controls) {
        control->SetTop(top += 30);
        control->SetParent(form);
        top += control->Height();
    }
    form->Show();
    Input::Flush();
    const auto differing = [](TBitmap& A, TBitmap& B) {
        Integer count = 0;
        for (Integer y = 0; y < A.Height(); ++y)
            for (Integer x = 0; x < A.Width(); ++x) count += A.Canvas()->Pixels(x, y) != B.Canvas()->Pixels(x, y);
        return count;
    };
    for (TWinControl* control : controls) {
        elsewhere->SetFocus();
        const TOwned<TBitmap> plain = Grab(control);
        control->SetFocus();
        EXPECT_GT(differing(*plain, *Grab(control)), 10) << control->ClassName();
        elsewhere->SetFocus();
        EXPECT_EQ(differing(*plain, *Grab(control)), 0) << control->ClassName();
    }
}
