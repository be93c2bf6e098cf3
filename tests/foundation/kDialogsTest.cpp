// The dialog components: what the save dialog makes of the chosen filter,
// and dialogs without an owner form.

#include <gtest/gtest.h>

#include "components/foundation/kDialogs.h"
#include "platform/CommonDialogs.h"
#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/Testing.h"
#include "platform/StdCtrls.h"
#include "platform/TypInfo.h"
#include "support/LayoutCheck.h"

using namespace Testing;

namespace {

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override { Form = Create<TForm>(nullptr); }
    void TearDown() override
    {
        FreeAndNil(Form);
        Answers::Clear();
    }
    // The next file dialog: the user types Name and picks filter Index.
    static void Answer(const String& Name, Integer Index, bool Ok = true)
    {
        Answers::Dialog([=](TObject* Dialog) {
            auto* file = dynamic_cast<TFileDialog*>(Dialog);
            file->SetFileName(Name);
            file->SetFilterIndex(Index);
            return Ok;
        });
    }
    TForm* Form = nullptr;
};

}  // namespace

TEST(FileFilter, PatternsAreTheEvenPartsAndOnlyStarDotExtGivesAnExtension)
{
    EXPECT_EQ(kFilterPatterns("*Star files|data*.txt|Images|*.jpg;*.jpeg|Dangling"),
              (std::vector<String>{"data*.txt", "*.jpg;*.jpeg"}));
    EXPECT_TRUE(kFilterPatterns("").empty());
    struct Case {
        const char* Filter;
        Integer Index;
        const char* Ext;
    };
    const Case cases[] = {
        {"Text|*.txt|CSV|*.csv", 2, ".csv"}, {"Text|*.txt|CSV|*.csv", 0, ""},
        {"Text|*.txt|CSV|*.csv", -3, ""},    {"Text|*.txt|CSV|*.csv", 3, ""},
        {"Images|*.jpg;*.jpeg", 1, ".jpg"},   {"All|*.*", 1, ".*"},
        {"Data|data*.txt", 1, ""},           {"Odd|", 1, ""},
        {"|||", 2, ""},                      {"Any|*", 1, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(kFilterExtension(c.Filter, c.Index), c.Ext) << c.Filter << " " << c.Index;
}

TEST_F(DialogsTest, SaveAppendsTheChosenExtensionUnlessTheNameEndsInIt)
{
    TkSaveDialog* save = Create<TkSaveDialog>(Form);
    save->SetFilter("Text files|*.txt|CSV files|*.csv|All|*.*");
    const struct {
        const char* Typed;
        Integer Index;
        const char* Saved;
    } cases[] = {
        {"data", 2, "data.csv"},       {"data.csv", 2, "data.csv"}, {"data.txt", 2, "data.txt.csv"},
        {"DATA.CSV", 2, "DATA.CSV"},   {"data", 3, "data"},         {"data", 0, "data"},
    };
    for (const auto& c : cases) {
        Answer(c.Typed, c.Index);
        ASSERT_TRUE(save->Execute());
        EXPECT_EQ(save->FileName(), c.Saved) << c.Typed;
        EXPECT_EQ(save->FilterIndex(), c.Index);
    }
    EXPECT_EQ(save->ReturnExt(), "");
    Answer("other", 1, false);  // cancelled: nothing changes
    EXPECT_FALSE(save->Execute());
    EXPECT_EQ(save->FileName(), "data");
    EXPECT_EQ(save->FilterIndex(), 0);
}

// The chosen extension is published for the inspector and scripts to read,
// never to set, and so never stored with the form.
TEST_F(DialogsTest, SavePublishesTheChosenExtensionReadOnly)
{
    std::vector<String> names;
    for (PPropInfo prop : GetPropList(TkSaveDialog::StaticClassInfo())) names.push_back(prop->Name);
    EXPECT_EQ(names, (std::vector<String>{"Name", "Tag", "FileName", "Filter", "FilterIndex", "DefaultExt",
                                          "ReturnExt", "DefaultDir"}));
    TkSaveDialog* save = Create<TkSaveDialog>(Form);
    save->SetFilter("Text files|*.txt|CSV files|*.csv");
    Answer("data", 2);
    ASSERT_TRUE(save->Execute());
    EXPECT_EQ(GetStrProp(save, "ReturnExt"), ".csv");
    EXPECT_THROW(SetStrProp(save, "ReturnExt", ".txt"), EConvertError);
    const String stored = WriteComponent(Form);
    EXPECT_NE(stored.find("FilterIndex = 2"), String::npos);
    EXPECT_EQ(stored.find("ReturnExt"), String::npos);
}

TEST_F(DialogsTest, FileDialogsWithoutAnOwnerFormShowNothing)
{
    TOwned<TkOpenDialog> open(Create<TkOpenDialog>(nullptr));
    TOwned<TkSaveDialog> save(Create<TkSaveDialog>(nullptr));
    open->Files()->Add("stale");
    Answer("x", 1);
    EXPECT_FALSE(open->Execute());
    EXPECT_FALSE(save->Execute());
    EXPECT_EQ(Answers::Pending(), 1);  // no dialog asked for an answer
    EXPECT_EQ(open->Files()->Count(), 0);
}

TEST_F(DialogsTest, OpenReturnsEveryChosenFileAndColourStartsOnRgb)
{
    TkOpenDialog* open = Create<TkOpenDialog>(Form);
    open->AllowMultiSelect = true;
    Answers::Dialog([](TObject* Dialog) {
        auto* file = dynamic_cast<TOpenDialog*>(Dialog);
        EXPECT_EQ(file->InitialDir(), ".");
        for (int i = 0; i < 500; ++i) file->Files()->Add("/folder/a fairly long file name " + IntToStr(i) + ".txt");
        file->SetFileName(file->Files()->Strings(0));
        return true;
    });
    ASSERT_TRUE(open->Execute());
    EXPECT_EQ(open->Files()->Count(), 500);
    EXPECT_EQ(open->FileName(), "/folder/a fairly long file name 0.txt");

    // No owner at all is fine for the colour dialog.
    TOwned<TkColorDialog> colour(Create<TkColorDialog>(nullptr));
    colour->SetColor(clBtnFace);
    Answers::Dialog([](TObject* Dialog) {
        auto* d = dynamic_cast<TColorDialog*>(Dialog);
        EXPECT_EQ(d->Color(), ColorToRGB(clBtnFace));
        d->SetColor(clTeal);
        return true;
    });
    ASSERT_TRUE(colour->Execute());
    EXPECT_EQ(colour->Color(), clTeal);
}

TEST_F(DialogsTest, FontTakesTheCharsetOnlyWithANewFace)
{
    TOwned<TkFontDialog> font(Create<TkFontDialog>(nullptr));
    font->Font()->SetName("Arial");
    font->Font()->SetCharset(0);
    auto answer = [](const char* Face) {
        Answers::Dialog([Face](TObject* Dialog) {
            TFont* f = dynamic_cast<TFontDialog*>(Dialog)->Font();
            f->SetName(Face);
            f->SetCharset(161);
            f->SetHeight(-20);
            f->SetStyle({fsBold, fsItalic});
            return true;
        });
    };
    answer("ARIAL");
    ASSERT_TRUE(font->Execute());
    EXPECT_EQ(font->Font()->Charset(), 0);
    EXPECT_EQ(font->Font()->Height(), -20);
    EXPECT_EQ(font->Font()->Style(), (TFontStyles{fsBold, fsItalic}));
    answer("Courier New");
    ASSERT_TRUE(font->Execute());
    EXPECT_EQ(font->Font()->Charset(), 161);
    EXPECT_EQ(font->Font()->Name(), "Courier New");
}

TEST_F(DialogsTest, FontDialogPassesTheLayoutCheckAndOkWithoutAChangeKeepsTheFont)
{
    TOwned<TkFontDialog> font(Create<TkFontDialog>(nullptr));
    TFont* f = font->Font();
    f->SetName("Arial");
    f->SetHeight(-19);
    f->SetStyle({fsBold, fsItalic, fsUnderline});
    f->SetColor(clRed);
    f->SetCharset(ANSI_CHARSET);
    TOwned<TFont> given(CreateOwned<TFont>());
    given->Assign(f);
    Answers::Modal([](TCustomForm* Dialog) {
        Input::Flush();
        for (const String& fault : LayoutCheck::Faults(Dialog)) ADD_FAILURE() << fault;
        dynamic_cast<TButton*>(Dialog->FindComponent("OkButton"))->Click();
    });
    ASSERT_TRUE(font->Execute());
    EXPECT_EQ(f->Name(), given->Name());
    EXPECT_EQ(f->Height(), given->Height());
    EXPECT_EQ(f->Style(), given->Style());
    EXPECT_EQ(f->Color(), given->Color());
    EXPECT_EQ(f->Charset(), given->Charset());
}
