#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/Testing.h"
#include "widgets/QdEdit.h"

using namespace Testing;

namespace {

class QdEditTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { QdEditInitialization(); }
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->Show();
        Other = Add<TQdStrEdit>(150);
    }
    void TearDown() override
    {
        Free(Form);
        Input::Flush();
    }
    template <class T>
    T* Add(Integer Top = 10)
    {
        T* c = Create<T>(Form);
        c->SetBounds(10, Top, 120, 21);
        c->SetParent(Form);
        return c;
    }
    // Text typed at the end of Edit, then the focus moved away.
    void TypeAndLeave(TCustomEdit* Edit, const String& Text)
    {
        Edit->SetFocus();
        Edit->SetSelStart(static_cast<Integer>(Edit->Text().size()));
        Input::Type(Text);
        Other->SetFocus();
        Input::Flush();
    }
    TForm* Read(const String& Objects)
    {
        TForm* root = Create<TForm>(Form);
        ReadComponent("object F: TForm\n" + Objects + "end\n", root);
        return root;
    }
    TForm* Form = nullptr;
    TQdStrEdit* Other = nullptr;
};

}  // namespace

TEST_F(QdEditTest, StatusLinesComeFromFormDataLimeOnBlack)
{
    TForm* root = Read("  object QdStrEdit1: TQdStrEdit\n"
                       "    Left = 40\n    Width = 369\n    Alignment = taRightJustify\n"
                       "    Font.Color = clLime\n    Font.Name = 'Tahoma'\n    ParentFont = False\n"
                       "    ValidKeys = '0123456789'\n    Text = '42'\n"
                       "  end\n");
    auto* edit = dynamic_cast<TQdStrEdit*>(root->FindComponent("QdStrEdit1"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Parent(), root);
    EXPECT_EQ(edit->Alignment(), taRightJustify);
    EXPECT_EQ(edit->Text(), "42");  // ValidKeys read before it did not clear it
    EXPECT_EQ(edit->Color(), clBlack);
    EXPECT_EQ(edit->Font()->Color(), clLime);
    edit->SetName("Status");
    EXPECT_EQ(edit->Text(), "42");  // the name never becomes the text

    std::vector<String> names;
    for (PPropInfo p : GetPropList(edit)) names.push_back(p->Name);
    const auto at = [&](const char* name) { return std::find(names.begin(), names.end(), name) - names.begin(); };
    EXPECT_LT(at("TabStop"), at("ValidKeys"));
    EXPECT_LT(at("ValidKeys"), at("Alignment"));
    EXPECT_LT(at("ReadOnly"), at("Text"));
    EXPECT_EQ(names.back(), "OnStartDrag");
    EXPECT_EQ(WriteComponent(root).find("\n    Color = "), String::npos);  // black is the default
}

TEST_F(QdEditTest, EveryListedPropertyIsPublishedInOrderAndReadBack)
{
    const std::vector<String> listed = {
        "TabStop", "ValidKeys", "Alignment", "OnMouseEnter", "OnMouseLeave", "Align", "Anchors", "AutoSelect",
        "AutoSize", "BiDiMode", "BorderStyle", "CharCase", "Color", "Constraints", "Ctl3D", "DragCursor", "DragKind",
        "DragMode", "Enabled", "Font", "HideSelection", "ImeMode", "ImeName", "MaxLength", "OEMConvert",
        "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PasswordChar", "PopupMenu",
        "ReadOnly", "ShowHint", "TabOrder", "Text", "Visible", "OnChange", "OnClick", "OnContextPopup", "OnDblClick",
        "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress",
        "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"};
    const auto published = [](TObject* Edit) {
        std::vector<String> names;
        for (PPropInfo p : GetPropList(Edit)) names.push_back(p->Name);
        return std::vector<String>(std::find(names.begin(), names.end(), "TabStop"), names.end());
    };
    EXPECT_EQ(published(Add<TQdStrEdit>()), listed);
    std::vector<String> numeric = {"TabStop", "MaxValue", "MinValue", "Decimals", "Value", "RestoreOnEsc", "OnError"};
    for (const String& name : listed)
        if (name != "TabStop" && name != "ValidKeys" && name != "Text" && name != "CharCase") numeric.push_back(name);
    EXPECT_EQ(published(Add<TQdNumEdit>()), numeric);

    // Each set in form data is read, written and read back the same.
    const std::vector<String> set = {
        "AutoSize = False", "BiDiMode = bdRightToLeft", "Ctl3D = False", "DragCursor = crHandPoint",
        "DragKind = dkDock", "DragMode = dmAutomatic", "HideSelection = False", "ImeMode = imOpen",
        "ImeName = 'Pinyin'", "OEMConvert = True", "ParentBiDiMode = False", "ParentCtl3D = False"};
    String objects = "  object Edit: TQdStrEdit\n";
    for (const String& line : set) objects += "    " + line + "\n";
    const String written = WriteComponent(Read(objects + "  end\n"));
    for (const String& line : set) EXPECT_NE(written.find("    " + line + "\n"), String::npos) << line;
    TForm* again = Create<TForm>(Form);
    ReadComponent(written, again);
    const auto below = [](const String& Text) { return Text.substr(Text.find('\n')); };
    EXPECT_EQ(below(WriteComponent(again)), below(written));
}

TEST_F(QdEditTest, HeightFollowsTheFontAndTheSelectionMayStayShown)
{
    auto* edit = Add<TQdStrEdit>();
    edit->SetParentFont(false);
    edit->Font()->SetHeight(-24);
    TOwned<TBitmap> measure = CreateOwned<TBitmap>();
    measure->Canvas()->SetFont(edit->Font());
    const Integer line = measure->Canvas()->TextHeight("Ag");
    EXPECT_EQ(edit->Height(), line + 8);
    edit->SetCtl3D(false);
    EXPECT_EQ(edit->Height(), line + 6);
    edit->SetAutoSize(false);
    edit->SetHeight(40);
    edit->Font()->SetHeight(-11);
    EXPECT_EQ(edit->Height(), 40);

    edit->SetText("selected");
    Input::Flush();  // the window is active
    for (bool hide : {true, false}) {
        edit->SetHideSelection(hide);
        edit->SetFocus();
        edit->SelectAll();
        Other->SetFocus();
        Input::Flush();
        EXPECT_EQ(edit->SelLength(), hide ? 0 : 8) << hide;
    }
}

TEST_F(QdEditTest, StoredRangesLoadWhateverTheirOrder)
{
    TForm* root = Read("  object Num: TQdNumEdit\n"
                       "    MaxValue = -10.0\n    MinValue = -100.0\n    Decimals = 1\n    Value = -50.0\n"
                       "  end\n");
    auto* edit = dynamic_cast<TQdNumEdit*>(root->FindComponent("Num"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->MaxValue(), -10.0);
    EXPECT_EQ(edit->MinValue(), -100.0);
    EXPECT_EQ(edit->Text(), "-50.0");
    EXPECT_NE(WriteComponent(root).find("MaxValue = -10.0"), String::npos);
}

TEST_F(QdEditTest, ValidKeysFilterTypingButBackspaceAlwaysPasses)
{
    auto* edit = Add<TQdStrEdit>();
    std::vector<Char> seen;
    edit->OnKeyPress = [&](TObject*, Char& key) { seen.push_back(key); };
    edit->SetFocus();
    Input::Type("1a2");
    EXPECT_EQ(edit->Text(), "1a2");
    edit->SetValidKeys("0123456789");
    EXPECT_EQ(edit->Text(), "");  // set at run time: the text is cleared
    seen.clear();
    Input::Type("1a2");
    EXPECT_EQ(edit->Text(), "12");
    EXPECT_EQ(seen, (std::vector<Char>{u'1', 0, u'2'}));  // the handler sees the swallowed key
    Input::Key(VK_BACK);
    EXPECT_EQ(edit->Text(), "1");
    edit->SetValidKeys("éè");
    Input::Type("eéè");
    EXPECT_EQ(edit->Text(), "éè");
}

TEST_F(QdEditTest, NumbersInRangeAreReformattedOnExit)
{
    auto* edit = Add<TQdNumEdit>();
    edit->SetDecimals(2);
    TypeAndLeave(edit, "3.14159");
    EXPECT_EQ(edit->Text(), "3.14");
    edit->SetText("0.125");
    edit->Validate();
    EXPECT_EQ(edit->Text(), "0.13");  // half away from zero
    edit->SetDecimals(40);  // at most 18 decimals, of the double's 18 significant digits
    EXPECT_EQ(edit->Text(), "0.130000000000000004");
    edit->SetText("  ");
    edit->Validate();  // empty is valid and left alone
    edit->SetValue(std::nan(""));
    EXPECT_EQ(edit->Text(), "  ");
}

TEST_F(QdEditTest, OutOfRangeOrGarbageIsReportedAndKept)
{
    auto* edit = Add<TQdNumEdit>();
    Integer errors = 0;
    edit->OnError = [&](TObject*, bool& canExit) { errors += canExit ? 1 : 100; };
    TypeAndLeave(edit, "20000");
    EXPECT_EQ(edit->Text(), "20000");
    EXPECT_EQ(errors, 1);
    EXPECT_TRUE(Other->Focused());
    // Pasted text is not filtered; no C-style spelling passes for a number.
    for (const char* text : {"nan", "inf", "0x10", "1e400", "1,5", "--1"}) {
        edit->SetText(text);
        edit->Validate();
        EXPECT_EQ(edit->Text(), text);
        EXPECT_THROW(edit->Value(), EConvertError) << text;
    }
    EXPECT_EQ(errors, 7);
    edit->SetText("");
    EXPECT_EQ(edit->Value(), 0.0);  // MinValue

    // A range is never emptied.
    edit->SetMinValue(10000);
    edit->SetMaxValue(0);
    edit->SetMaxValue(std::nan(""));
    EXPECT_EQ(edit->MinValue(), 0.0);
    EXPECT_EQ(edit->MaxValue(), 10000.0);
}

TEST_F(QdEditTest, AnErrorHandlerCanKeepTheFocus)
{
    auto* edit = Add<TQdNumEdit>();
    edit->OnError = [](TObject*, bool& canExit) { canExit = false; };
    std::vector<String> events;
    edit->OnExit = [&](TObject*) { events.push_back("exit"); };
    edit->OnEnter = [&](TObject*) { events.push_back("enter"); };
    TypeAndLeave(edit, "-5");
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(events, (std::vector<String>{"enter", "exit", "enter"}));
}

TEST_F(QdEditTest, TypingKeepsToDigitsASeparatorASignAndEscape)
{
    auto* edit = Add<TQdNumEdit>();
    edit->SetFocus();
    Input::Type("1a.2");
    EXPECT_EQ(edit->Text(), "12");  // no decimals: no separator
    edit->SetSelStart(1);
    Input::Type("-");
    EXPECT_EQ(edit->Text(), "-12");
    EXPECT_EQ(edit->SelStart(), 2);
    Input::Type("-");
    EXPECT_EQ(edit->Text(), "12");
    EXPECT_EQ(edit->SelStart(), 1);
    edit->SetSelStart(0);
    Input::Type("--");
    EXPECT_EQ(edit->SelStart(), 0);
    edit->SetText("5-3");  // only a leading sign is taken away
    Input::Type("-");
    EXPECT_EQ(edit->Text(), "-5-3");

    edit->SetDecimals(2);
    edit->SetText("1");
    edit->SetSelStart(1);
    Input::Type(".5.");
    EXPECT_EQ(edit->Text(), "1.5");
    Input::Key(VK_ESCAPE);
    EXPECT_EQ(edit->Text(), "1.5");
    edit->SetRestoreOnEsc(true);
    Input::Key(VK_ESCAPE);
    EXPECT_EQ(edit->Text(), "");  // the text when the edit got the focus
}
