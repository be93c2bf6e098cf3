// The value converter: one value as an interval, a date and time and a
// price, each page's edits making the value anew, and text that is no
// number of its field refused with a message that names the field.

#include <gtest/gtest.h>

#include <tuple>

#include "components/editor/EditorUnits.h"
#include "components/editor/kValueConverterEditForm.h"
#include "platform/Forms.h"
#include "platform/Testing.h"
#include "tests/support/LayoutCheck.h"
#include "tests/support/MessageOf.h"

void RegisterResources_APP();

namespace {

TEST(ValueConverterView, DaysTimeAndPriceAgreeAtMidnightAndForNegativeValues)
{
    TkValueConverterView v = ValueConverterView(1.5);
    EXPECT_EQ(v.Days, 1);
    EXPECT_EQ(v.Weeks, 0);
    EXPECT_EQ(v.Time.Hours, 12);
    EXPECT_EQ(v.PriceInteger, "1");
    EXPECT_EQ(v.Price32nds, 16);
    EXPECT_EQ(v.Price256ths, 0);

    v = ValueConverterView(100.0390625);  // 1/32 + 2/256
    EXPECT_EQ(v.Price32nds, 1);
    EXPECT_EQ(v.Price256ths, 2);

    // A millisecond short of midnight rounds into the next day, days and
    // time together.
    v = ValueConverterView(1.9999999999);
    EXPECT_EQ(v.Days, 2);
    EXPECT_EQ(v.Time.Hours, 0);
    EXPECT_EQ(v.Time.MilliSeconds, 0);

    // A negative interval comes back whole.
    v = ValueConverterView(-5.5);
    EXPECT_EQ(v.Days, -5);
    EXPECT_EQ(v.Time.Hours, 12);
    EXPECT_DOUBLE_EQ(IntervalValue(v.Days, v.Time, true), -5.5);
    EXPECT_DOUBLE_EQ(DateTimeValue(v.Date, v.TimeOfDay, true), -5.5);

    // Day counts past 1e14 show only the time of day; past 64 bits the
    // price's whole part is a float's text; what is no number shows 0.
    v = ValueConverterView(3e14 + 0.25);
    EXPECT_EQ(v.Days, 0);
    EXPECT_EQ(v.Time.Hours, 6);
    v = ValueConverterView(-1e20);
    EXPECT_EQ(v.Days, 0);
    EXPECT_EQ(v.PriceInteger, FloatToStr(-1e20));
    EXPECT_EQ(ValueConverterView(std::numeric_limits<Double>::quiet_NaN()).Value, 0);

    // Large day counts keep all 64 bits, and weeks drop the days beyond.
    v = ValueConverterView(3e12 + 0.5);
    EXPECT_EQ(v.Days, 3'000'000'000'000);
    EXPECT_EQ(v.Weeks, 428'571'428'571);
    EXPECT_DOUBLE_EQ(WeeksValue(3, v.Time, false), 21.5);
    EXPECT_EQ(MessageOf([&] { IntervalValue(1, {24, 0, 0, 0}, false); }),
              "Invalid time: hours must lie between 0 and 23");
}

class ValueConverterForm : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterResources_APP();
        RegisterEditorUnits();
        InitializeUnits();
    }
    TOwned<TkValueConverterEditForm> Form{Create<TkValueConverterEditForm>(nullptr)};
    // As the user commits a typed text.
    static void Type(TkComponentEditorEdit* Edit, const String& Text) { Edit->SetStringWithEvent(Text); }
};

TEST_F(ValueConverterForm, EveryPageFollowsTheValueAndEachEditMakesItAnew)
{
    EXPECT_EQ(Form->Caption(), "Value Converter");
    EXPECT_EQ(Form->PageControl->PageCount(), 3);
    ASSERT_NE(Form->DatePicker, nullptr);
    Form->SetValue(1.5);
    EXPECT_EQ(Form->DaysEdit->AsString(), "1");
    EXPECT_EQ(Form->HoursEdit->AsString(), "12");
    EXPECT_EQ(Form->DatePicker->AsString(), "1899-12-31");
    EXPECT_EQ(Form->TimePicker->AsString(), "12:00:00.000");
    EXPECT_EQ(Form->Price32ndsEdit->AsString(), "16");

    Form->SetValue(17.25);
    Type(Form->WeeksEdit, "3");
    EXPECT_DOUBLE_EQ(Form->Value(), 21.25);
    EXPECT_EQ(Form->DaysEdit->AsString(), "21");
    Type(Form->MinutesEdit, "30");
    EXPECT_DOUBLE_EQ(Form->Value(), 21.25 + 30.0 / 1440);
    Type(Form->DatePicker, "1900-01-10");
    EXPECT_DOUBLE_EQ(Form->Value(), 11.25 + 30.0 / 1440);

    Form->SetValue(11);
    Type(Form->Price32ndsEdit, "8");
    EXPECT_DOUBLE_EQ(Form->Value(), 11.25);
    EXPECT_EQ(Form->Price32ndsEdit->AsString(), "8");

    // Days past 32 bits are read whole.
    Form->SetValue(-5.5);
    Type(Form->HoursEdit, "6");
    EXPECT_DOUBLE_EQ(Form->Value(), -5.25);
    Type(Form->DaysEdit, "3000000000");
    EXPECT_DOUBLE_EQ(Form->Value(), -3000000000.25);
}

TEST_F(ValueConverterForm, FieldsHoldingNoWholeNumberReadZero)
{
    Form->SetValue(2.5);
    Type(Form->DaysEdit, "");
    EXPECT_DOUBLE_EQ(Form->Value(), 0.5);
    Form->SetValue(23.25);
    Type(Form->WeeksEdit, "1.5");
    EXPECT_DOUBLE_EQ(Form->Value(), 0.25);
    Form->SetValue(7.75);
    Type(Form->Price32ndsEdit, "x");
    EXPECT_DOUBLE_EQ(Form->Value(), 7);
    Type(Form->PriceIntegerEdit, "abc");
    EXPECT_DOUBLE_EQ(Form->Value(), 0);
}

TEST_F(ValueConverterForm, AnImpossibleTimeOrDateIsRefusedAndChangesNothing)
{
    Form->SetValue(2.5);
    EXPECT_EQ(MessageOf([&] { Type(Form->HoursEdit, "25"); }), "Invalid time: hours must lie between 0 and 23");
    EXPECT_EQ(MessageOf([&] { Type(Form->MinutesEdit, "5000000000"); }),
              "Invalid time: minutes must lie between 0 and 59");
    EXPECT_EQ(MessageOf([&] { Type(Form->DatePicker, "1899-02-30"); }),
              "'1899-02-30' is not a date (yyyy-mm-dd, years 1601 to 9999)");
    EXPECT_EQ(MessageOf([&] { Type(Form->TimePicker, "12:61:00.000"); }),
              "'12:61:00.000' is not a time of day (hh:nn:ss.zzz)");
    EXPECT_DOUBLE_EQ(Form->Value(), 2.5);
    EXPECT_EQ(Form->DaysEdit->AsString(), "2");  // the pages show the value again

    // A date the picker cannot show leaves it as it was.
    Form->SetValue(1e7);
    EXPECT_EQ(Form->DatePicker->AsString(), "1900-01-01");
}

TEST_F(ValueConverterForm, OkReturnsTheValueAndCancelLeavesItAsItWas)
{
    Testing::Answers::Modal([](TCustomForm* Dialog) {
        auto* form = static_cast<TkValueConverterEditForm*>(Dialog);
        EXPECT_EQ(form->PageControl->ActivePage(), form->PriceSheet);
        form->PriceIntegerEdit->SetStringWithEvent("3");
        form->OkButton->Click();
    });
    Double value = 1.5;
    EXPECT_TRUE(TkValueConverterEditForm::Execute(nullptr, kvcptPrice32nd, value));
    EXPECT_DOUBLE_EQ(value, 3.5);

    Testing::Answers::Modal([](TCustomForm* Dialog) {
        static_cast<TkValueConverterEditForm*>(Dialog)->PriceIntegerEdit->SetStringWithEvent("7");
        static_cast<TkValueConverterEditForm*>(Dialog)->CancelButton->Click();
    });
    EXPECT_FALSE(TkValueConverterEditForm::Execute(nullptr, kvcptInterval, value));
    EXPECT_DOUBLE_EQ(value, 3.5);
}

TEST_F(ValueConverterForm, ReturnAnswersOkWithTheFieldJustTypedAndEscapeCancels)
{
    for (const auto& [key, accepted, expected] : {std::tuple{VK_RETURN, true, 7.5}, std::tuple{VK_ESCAPE, false, 1.5}}) {
        Testing::Answers::Modal([key = key](TCustomForm* Dialog) {
            auto* form = static_cast<TkValueConverterEditForm*>(Dialog);
            form->PriceIntegerEdit->SetFocus();
            form->PriceIntegerEdit->SelectAll();
            Testing::Input::Type("7");
            Testing::Input::Key(key);
        });
        Double value = 1.5;
        EXPECT_EQ(TkValueConverterEditForm::Execute(nullptr, kvcptPrice32nd, value), accepted);
        EXPECT_DOUBLE_EQ(value, expected);
    }
}

TEST_F(ValueConverterForm, ShowsItsTextWholeAndItsControlsApart)
{
    Form->SetValue(45000.123456);  // every field holds a number of several digits
    Form->Show();
    Testing::Input::Flush();
    EXPECT_EQ(LayoutCheck::Faults(Form.get()), std::vector<String>{});
}

}  // namespace
