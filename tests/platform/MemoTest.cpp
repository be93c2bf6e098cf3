// The memo: lines joined by CR LF whatever breaks were given, its change
// event, and Return breaking a line (or pressing the default button when
// the memo does not want it) while Esc always reaches the cancel button.

#include <gtest/gtest.h>

#include "platform/FormStream.h"
#include "platform/Memo.h"
#include "platform/Testing.h"
#include "support/TwoControlForm.h"

using namespace Testing;

namespace {

class MemoTest : public TwoControlForm<TMemo> {
protected:
    void SetUp() override
    {
        ShowForm(300, 200, [](TMemo* Memo, bool First) { Memo->SetBounds(8, First ? 8 : 100, 200, 80); });
        Control->OnChange = [this](TObject*) { ++Changes; };
    }
    // Ok and Cancel buttons on the form, recording their clicks.
    void AddDialogButtons()
    {
        for (const bool isDefault : {true, false}) {
            auto* button = Create<TButton>(Form);
            button->SetParent(Form);
            button->SetLeft(220);
            isDefault ? button->SetDefault(true) : button->SetCancel(true);
            button->OnClick = [this, isDefault](TObject*) { Clicks.push_back(isDefault ? "ok" : "cancel"); };
        }
    }

    Integer Changes = 0;
    std::vector<String> Clicks;
};

}  // namespace

TEST_F(MemoTest, LinesAreJoinedByCRLFWhateverBreaksWereGiven)
{
    EXPECT_EQ(Control->LineCount(), 0);
    Control->SetText("one\ntwo\r\nthree\rfour");
    EXPECT_EQ(Control->Text(), "one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(Control->LineCount(), 4);
    EXPECT_EQ(Changes, 1);
    // The same text again is no change.
    Control->SetText("one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(Changes, 1);
    Control->SetText("last\r\n");
    EXPECT_EQ(Control->LineCount(), 2);
    Control->SetText(String());
    EXPECT_EQ(Control->Text(), "");
    EXPECT_EQ(Changes, 3);
}

TEST_F(MemoTest, ReturnBreaksTheLineAndEscapeStillCancels)
{
    AddDialogButtons();
    Control->SetFocus();
    Input::Type("ab");
    Input::Key(VK_RETURN);
    Input::Type("c");
    EXPECT_EQ(Control->Text(), "ab\r\nc");
    EXPECT_EQ(Changes, 4);
    EXPECT_TRUE(Clicks.empty());
    Input::Key(VK_ESCAPE);
    EXPECT_EQ(Clicks, (std::vector<String>{"cancel"}));

    Control->SetWantReturns(false);
    Input::Key(VK_RETURN);
    EXPECT_EQ(Control->Text(), "ab\r\nc");
    EXPECT_EQ(Clicks, (std::vector<String>{"cancel", "ok"}));

    Control->SetReadOnly(true);
    Input::Type("d");
    EXPECT_EQ(Control->Text(), "ab\r\nc");
}

TEST_F(MemoTest, FormTextCarriesItsSettingsAndLines)
{
    Control->SetName("Notes");
    Control->SetText("first\r\nsecond");
    Control->SetWordWrap(false);
    Control->SetWantReturns(false);
    const String text = WriteComponent(Control);
    TOwned<TMemo> copy{Create<TMemo>(nullptr)};
    ReadComponent(text, copy.get());
    EXPECT_EQ(copy->Text(), "first\r\nsecond");
    EXPECT_FALSE(copy->WordWrap());
    EXPECT_FALSE(copy->WantReturns());
}
