// The value converter's "..." button: it opens the dialog on its edit's
// value (or its own without an edit), puts a confirmed value into the edit
// as the user's change, and lets the plot editor translate the dialog.

#include <gtest/gtest.h>

#include "components/editor/EditorUnits.h"
#include "components/editor/kValueConverterEditForm.h"
#include "components/editor/kValueConverterPicker.h"
#include "support/EditorForm.h"

void RegisterResources_APP();

using namespace Testing;

namespace {

class ValueConverterPickerTest : public EditorFormTest {
protected:
    static void SetUpTestSuite()
    {
        RegisterResources_APP();
        RegisterEditorUnits();
        InitializeUnits();
    }
    void SetUp() override
    {
        EditorFormTest::SetUp();
        Edit = Add<TkComponentEditorEdit>(10, 10);
        Edit->SetWidth(80);
        Picker = Add<TkComponentEditorValueConverterPicker>(0, 0);
        Picker->SetAssociate(Edit);
        Edit->OnUpdate = Record("update");
        Picker->OnChange = Record("change");
    }
    // The next dialog: checks it opened on Expected at Page, then makes
    // the value Typed (through its price page) and presses OK, or Cancel.
    static void Answer(Double Expected, TTabSheet* TkValueConverterEditForm::*Page, const char* Typed, bool Ok)
    {
        Answers::Modal([=](TCustomForm* Dialog) {
            auto* form = dynamic_cast<TkValueConverterEditForm*>(Dialog);
            ASSERT_NE(form, nullptr);
            EXPECT_DOUBLE_EQ(form->Value(), Expected);
            EXPECT_EQ(form->PageControl->ActivePage(), form->*Page);
            form->PriceIntegerEdit->SetStringWithEvent(Typed);
            (Ok ? form->OkButton : form->CancelButton)->Click();
        });
    }

    TkComponentEditorEdit* Edit = nullptr;
    TkComponentEditorValueConverterPicker* Picker = nullptr;
};

}  // namespace

TEST_F(ValueConverterPickerTest, OkWritesTheValueIntoTheEditAsTheUsersChangeAndCancelChangesNothing)
{
    EXPECT_EQ(Picker->Caption(), "...");
    EXPECT_EQ(Picker->Left(), Edit->Left() + Edit->Width());
    EXPECT_EQ(Picker->Top(), Edit->Top());
    EXPECT_EQ(Picker->Width(), 21);

    Edit->SetAsFloat(1.5);
    Picker->SetDefaultPage(kvcptPrice32nd);
    Answer(1.5, &TkValueConverterEditForm::PriceSheet, "4", true);
    Picker->Click();
    EXPECT_DOUBLE_EQ(Edit->AsFloat(), 4.5);
    EXPECT_DOUBLE_EQ(Picker->DateTime(), 4.5);
    EXPECT_EQ(Log, (std::vector<String>{"update", "change"}));
    EXPECT_EQ(Form->UserChanges, 2);  // the text set, then its commit

    Log.clear();
    Answer(4.5, &TkValueConverterEditForm::PriceSheet, "9", false);
    Picker->Click();
    EXPECT_DOUBLE_EQ(Edit->AsFloat(), 4.5);
    EXPECT_DOUBLE_EQ(Picker->DateTime(), 4.5);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Answers::Pending(), 0);
}

TEST_F(ValueConverterPickerTest, WithoutAnEditTheButtonWorksOnItsOwnValueAndAGoneEditIsForgotten)
{
    Picker->SetDateTime(2.25);
    FreeAndNil(Edit);
    EXPECT_EQ(Picker->Associate(), nullptr);
    Answer(2.25, &TkValueConverterEditForm::IntervalSheet, "6", true);
    Picker->Click();
    EXPECT_DOUBLE_EQ(Picker->DateTime(), 6.25);
    EXPECT_EQ(Log, (std::vector<String>{"change"}));
}

TEST_F(ValueConverterPickerTest, TheTranslationMethodTranslatesTheDialogBeforeItShowsTheValue)
{
    std::vector<String> order;
    Picker->TranslationMethod = [&](TCustomForm* Dialog) {
        auto* form = dynamic_cast<TkValueConverterEditForm*>(Dialog);
        ASSERT_NE(form, nullptr);
        form->SetCaption("Convertisseur");
        order.push_back("translated holding '" + form->ValueEdit->AsString() + "'");
    };
    Edit->SetAsFloat(3);
    Answers::Modal([&](TCustomForm* Dialog) {
        auto* form = static_cast<TkValueConverterEditForm*>(Dialog);
        order.push_back("shown as " + Dialog->Caption() + " holding '" + form->ValueEdit->AsString() + "'");
        form->CancelButton->Click();
    });
    Picker->Click();
    // Translated before SetValue: what the controls hold is data.
    EXPECT_EQ(order, (std::vector<String>{"translated holding ''", "shown as Convertisseur holding '3'"}));
}
