// The kit memo: text from code fires nothing, every keystroke of the user
// is a change the form hears of, disabling blanks it silently, and Tab
// moves on rather than typing a tab.

#include "components/editor/kEditorEdit.h"
#include "components/editor/kEditorMemo.h"
#include "platform/Messages.h"
#include "support/EditorForm.h"

using namespace Testing;

namespace {

class EditorMemoTest : public EditorFormTest {
protected:
    void SetUp() override
    {
        EditorFormTest::SetUp();
        Memo = Add<TkComponentEditorMemo>(10, 10);
        Other = Add<TkComponentEditorEdit>(10, 120);
        Memo->OnChange = Record("change");
    }
    TkComponentEditorMemo* Memo = nullptr;
    TkComponentEditorEdit* Other = nullptr;
};

}  // namespace

TEST_F(EditorMemoTest, CodeWritesSilentlyAndEachKeystrokeIsTheUsersChange)
{
    Memo->SetAsString("one\ntwo");
    EXPECT_EQ(Memo->AsString(), "one\r\ntwo");
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Form->UserChanges, 0);

    Memo->SetFocus();
    Memo->SelectAll();
    Input::Type("ab");
    EXPECT_EQ(Memo->AsString(), "ab");
    EXPECT_EQ(Log, (std::vector<String>{"change", "change"}));
    EXPECT_EQ(Form->UserChanges, 2);
}

TEST_F(EditorMemoTest, DisableBlanksWithoutEventsAndTheColourFollowsEnabled)
{
    Memo->SetAsString("text");
    Memo->Disable();
    EXPECT_FALSE(Memo->Enabled());
    EXPECT_EQ(Memo->AsString(), "");
    EXPECT_EQ(Memo->Color(), clBtnFace);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Form->UserChanges, 0);
    Memo->Enable();
    EXPECT_EQ(Memo->Color(), clWindow);
    Memo->SetAsString("back");
    EXPECT_TRUE(Log.empty());
}

TEST_F(EditorMemoTest, TabMovesTheFocusBothWays)
{
    Memo->SetFocus();
    Input::Key(VK_TAB);
    EXPECT_TRUE(Other->Focused());
    Input::Key(VK_TAB, {ssShift});
    EXPECT_TRUE(Memo->Focused());
    EXPECT_EQ(Memo->AsString(), "");
}
