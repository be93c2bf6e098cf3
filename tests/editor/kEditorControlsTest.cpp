// The kit's choice controls and pickers: values from code fire nothing,
// the user's changes reach both the control's events and the editor form.

#include "components/editor/kEditorControls.h"
#include "components/editor/kEditorPickers.h"
#include "platform/CommonDialogs.h"
#include "platform/Messages.h"
#include "support/EditorForm.h"

using namespace Testing;

namespace {

class EditorChoiceTest : public EditorFormTest {};

}  // namespace

TEST_F(EditorChoiceTest, CheckBoxReportsTheUsersChangeThenClicksOnce)
{
    auto* box = Add<TkComponentEditorCheckBox>(10, 10);
    box->OnClick = Record("click");
    box->OnChange = Record("change");
    box->SetAsBoolean(true);
    EXPECT_TRUE(box->AsBoolean());
    // Only OnClick is detached by the event-free write.
    EXPECT_EQ(Log, (std::vector<String>{"change"}));
    EXPECT_EQ(Form->UserChanges, 0);

    Log.clear();
    Input::Click(box, mbLeft, 5, 8);
    EXPECT_FALSE(box->AsBoolean());
    EXPECT_EQ(Log, (std::vector<String>{"change", "click"}));
    EXPECT_EQ(Form->UserChanges, 1);

    Log.clear();
    box->SetAsBoolean(true);
    box->Disable();
    EXPECT_TRUE(!box->Enabled() && !box->AsBoolean());
    EXPECT_EQ(Log, (std::vector<String>{"change"}));
    EXPECT_EQ(Form->UserChanges, 1);
}

TEST_F(EditorChoiceTest, RadioGroupAndComboBoxWriteWithoutEvents)
{
    auto* group = Add<TkComponentEditorRadioGroup>(10, 10);
    group->Items()->Add("one");
    group->Items()->Add("two");
    group->OnClick = Record("click");
    group->OnChange = Record("change");
    group->SetAsInteger(1);
    EXPECT_EQ(group->AsInteger(), 1);
    group->Disable();
    EXPECT_EQ(group->AsInteger(), -1);
    EXPECT_TRUE(Log.empty());
    group->Enable();
    group->SetFocus();
    Input::Key(VK_DOWN);  // the user's choice
    EXPECT_EQ(group->AsInteger(), 0);
    EXPECT_EQ(Log, (std::vector<String>{"change"}));
    EXPECT_EQ(Form->UserChanges, 1);

    Log.clear();
    auto* combo = Add<TkComponentEditorComboBox>(10, 150);
    combo->Items()->Add("a");
    combo->Items()->Add("b");
    combo->OnClick = Record("click");
    combo->SetAsInteger(1);
    EXPECT_EQ(combo->AsString(), "b");
    combo->Disable();
    EXPECT_TRUE(combo->AsInteger() == -1 && combo->AsString().empty() && combo->Color() == clBtnFace);
    combo->Enable();
    EXPECT_EQ(combo->Color(), clWindow);
    EXPECT_TRUE(Log.empty());
    combo->UserSelected();
    EXPECT_EQ(Log, (std::vector<String>{"click"}));
    EXPECT_EQ(Form->UserChanges, 2);
}

TEST_F(EditorChoiceTest, ColourPickerTakesTheDialogsColourOnlyWhenConfirmed)
{
    auto* picker = Add<TkComponentEditorColorPicker>(10, 10);
    picker->OnChange = Record("change");
    EXPECT_EQ(picker->Button()->Left(), picker->Width() - 21);
    picker->SetBounds(10, 10, 80, 30);
    EXPECT_EQ(picker->Button()->BoundsRect(), (TRect{59, 0, 80, 30}));

    picker->SetColor(clNavy);
    TColor offered = clNone;
    Answers::Dialog([&](TObject* Dialog) {
        auto* colour = dynamic_cast<TColorDialog*>(Dialog);
        offered = colour->Color();
        EXPECT_EQ(colour->CustomColors[15], TColor(0xFFFFFF));
        colour->SetColor(clYellow);
        return true;
    });
    picker->Button()->Click();
    EXPECT_EQ(offered, clNavy);
    EXPECT_EQ(picker->Color(), clYellow);
    EXPECT_EQ(Log, (std::vector<String>{"change"}));
    EXPECT_EQ(Form->UserChanges, 1);
    EXPECT_EQ(Grab(picker)->Canvas()->Pixels(20, 10), clYellow);

    Answers::Dialog([](TObject* Dialog) {
        dynamic_cast<TColorDialog*>(Dialog)->SetColor(clRed);
        return false;
    });
    picker->Execute();
    EXPECT_EQ(picker->Color(), clYellow);
    EXPECT_EQ(Form->UserChanges, 1);
    picker->Disable();
    EXPECT_EQ(Grab(picker)->Canvas()->Pixels(20, 10), ColorToRGB(clBtnFace));
}

TEST_F(EditorChoiceTest, FilePickersStartWhereTheyShould)
{
    auto* save = Add<TkComponentEditorSavePicker>(10, 10);
    save->SetFileName("/tmp/plots/");
    save->SetDefaultDir("/tmp/start");
    save->SetFilter("Text|*.txt|Comma separated|*.csv");
    std::vector<String> seen;
    auto answer = [&](const char* Typed, Integer Index, bool Ok) {
        Answers::Dialog([&seen, Typed, Index, Ok](TObject* Dialog) {
            auto* file = dynamic_cast<TFileDialog*>(Dialog);
            seen.push_back(file->FileName() + " in " + file->InitialDir());
            file->SetFileName(Typed);
            file->SetFilterIndex(Index);
            return Ok;
        });
    };
    answer("/tmp/plots/data", 2, true);
    EXPECT_TRUE(save->Execute());
    EXPECT_EQ(save->FileName(), "/tmp/plots/data.csv");
    EXPECT_EQ(save->FilterIndex(), 2);
    answer("/tmp/other", 1, false);
    EXPECT_FALSE(save->Execute());
    EXPECT_EQ(save->FileName(), "/tmp/plots/data.csv");
    // The default folder only on the first run.
    EXPECT_EQ(seen, (std::vector<String>{"/tmp/plots/Untitled in /tmp/start", "/tmp/plots/data.csv in ."}));
    EXPECT_EQ(Form->UserChanges, 1);

    auto* open = Add<TkComponentEditorOpenPicker>(10, 50);
    open->SetAllowMultiSelect(true);
    open->SetDefaultDir("/tmp/start");
    open->OnChange = Record("change");
    for (int run = 0; run < 2; ++run)
        Answers::Dialog([&](TObject* Dialog) {
            auto* file = dynamic_cast<TOpenDialog*>(Dialog);
            EXPECT_TRUE(file->AllowMultiSelect);
            EXPECT_EQ(file->InitialDir(), "/tmp/start");  // on every run
            file->Files()->Clear();
            file->Files()->Add("/d/a.txt");
            file->Files()->Add("/d/b.txt");
            file->SetFileName("/d/a.txt");
            return true;
        });
    open->Click();
    open->Click();
    EXPECT_EQ(open->FileName(), "/d/a.txt");
    EXPECT_EQ(open->Files()->Count(), 2);
    EXPECT_EQ(Log, (std::vector<String>{"change", "change"}));
}
