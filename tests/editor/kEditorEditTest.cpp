// The kit edit: strict number reading, the event-free setters, and the
// commit protocol of Return, Esc and focus changes.

#include <limits>

#include "components/editor/kEditorEdit.h"
#include "platform/Messages.h"
#include "platform/SysUtils.h"
#include "support/EditorForm.h"

using namespace Testing;

namespace {

class EditorEditTest : public EditorFormTest {
protected:
    void SetUp() override
    {
        EditorFormTest::SetUp();
        Edit = Add<TkComponentEditorEdit>(10, 10);
        Other = Add<TkComponentEditorEdit>(10, 50);
        Edit->OnChange = Record("change");
        Edit->OnUpdate = Record("update");
    }
    // Types Text into the focused edit after clearing it.
    void TypeOver(const String& Text)
    {
        Edit->SetFocus();
        Edit->SelectAll();
        Input::Type(Text);
    }
    TkComponentEditorEdit* Edit = nullptr;
    TkComponentEditorEdit* Other = nullptr;
};

}  // namespace

TEST_F(EditorEditTest, NumbersAreReadStrictlyAndBadTextReadsZero)
{
    struct Case {
        const char* Text;
        Integer Int;
        Double Float;
    };
    const Case cases[] = {
        {" 42 ", 42, 42.0},         {"-7", -7, -7.0},        {"2.5", 0, 2.5},       {"", 0, 0.0},
        {"abc", 0, 0.0},            {"12abc", 0, 0.0},       {"nan", 0, 0.0},       {"INF", 0, 0.0},
        {"2147483648", 0, 2147483648.0}, {"1e999", 0, 0.0},  {"0x1p3", 0, 0.0},     {"1e3", 0, 1000.0},
    };
    for (const Case& c : cases) {
        Edit->SetAsString(c.Text);
        EXPECT_EQ(Edit->AsInteger(), c.Int) << c.Text;
        EXPECT_EQ(Edit->AsFloat(), c.Float) << c.Text;
    }
}

TEST_F(EditorEditTest, FloatWrittenReadsBackExactlyUntilTheTextChanges)
{
    const Double value = 0.1 + 0.2;  // 15 digits show it as 0.3
    Edit->SetAsFloat(value);
    EXPECT_EQ(Edit->Text(), "0.3");
    EXPECT_EQ(Edit->AsFloat(), value);
    TypeOver("0.3");  // the same text typed again is the user's 0.3
    EXPECT_EQ(Edit->AsFloat(), value);
    TypeOver("0.25");
    EXPECT_EQ(Edit->AsFloat(), 0.25);
    Edit->SetAsFloat(std::numeric_limits<Double>::quiet_NaN());
    EXPECT_EQ(Edit->AsFloat(), 0.0);
}

TEST_F(EditorEditTest, EventFreeSettersFireNothingAndKeepTheirHandlers)
{
    Edit->SetAsString("a");
    Edit->SetAsInteger(5);
    Edit->SetAsFloat(1.5);
    EXPECT_EQ(Edit->OriginalText(), "1.5");
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Form->UserChanges, 0);
    // The handlers are back: a user edit fires them.
    TypeOver("2");
    EXPECT_EQ(Log, (std::vector<String>{"change"}));
}

TEST_F(EditorEditTest, ReturnCommitsOnceAndOnlyAChangedText)
{
    Edit->SetAsString("10");
    TypeOver("11");
    Log.clear();
    Input::Key(VK_RETURN);
    EXPECT_EQ(Log, (std::vector<String>{"update"}));
    EXPECT_EQ(Form->UserChanges, 1);
    EXPECT_EQ(Edit->SelLength(), 2);  // the committed text is selected
    Input::Key(VK_RETURN);            // nothing new to commit
    TypeOver("11");                   // typed again: equal to the committed text
    Log.clear();
    Input::Key(VK_RETURN);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Form->UserChanges, 1);
}

TEST_F(EditorEditTest, EscapeRestoresTheCommittedTextWithoutCommitting)
{
    Edit->SetAsString("loaded");
    TypeOver("typed");
    Input::Key(VK_ESCAPE);
    EXPECT_EQ(Edit->Text(), "loaded");
    EXPECT_EQ(Edit->SelLength(), 6);
    Other->SetFocus();  // leaving commits nothing: the text is the committed one
    EXPECT_EQ(Form->UserChanges, 0);
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "update"), 0);
}

TEST_F(EditorEditTest, LeavingTheEditCommits)
{
    TypeOver("7");
    Other->SetFocus();
    EXPECT_EQ(Edit->OriginalText(), "7");
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "update"), 1);
    EXPECT_EQ(Form->UserChanges, 1);
}

TEST_F(EditorEditTest, WithEventSettersActLikeTheUser)
{
    Edit->SetIntegerWithEvent(3);
    // One for the text set, one for the commit.
    EXPECT_EQ(Form->UserChanges, 2);
    EXPECT_EQ(Log, (std::vector<String>{"change", "update"}));
    EXPECT_EQ(Edit->AsInteger(), 3);
}

TEST_F(EditorEditTest, DisableEmptiesWithoutEventsAndTheColourFollowsEnabled)
{
    TypeOver("typed, not committed");
    Log.clear();
    Edit->Disable();
    EXPECT_TRUE(!Edit->Enabled() && Edit->Text().empty() && Edit->OriginalText().empty());
    EXPECT_EQ(Edit->Color(), clBtnFace);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Form->UserChanges, 0);
    Edit->Enable();
    EXPECT_EQ(Edit->Color(), clWindow);
    Edit->SetAsString("kept");
    Edit->DisableNoClear();
    EXPECT_EQ(Edit->Text(), "kept");
    EXPECT_EQ(Edit->Color(), clBtnFace);
}

TEST_F(EditorEditTest, TabMovesTheFocusBothWays)
{
    Edit->SetFocus();
    Input::Key(VK_TAB);
    EXPECT_TRUE(Other->Focused());
    Input::Key(VK_TAB, {ssShift});
    EXPECT_TRUE(Edit->Focused());
}
