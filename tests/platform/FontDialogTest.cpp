// The layer's font dialog, driven through its controls while it is shown:
// it starts from the font given, takes back exactly what the user chose,
// answers Return and Escape, and refuses sizes it cannot draw.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "platform/CommonDialogs.h"
#include "platform/Forms.h"
#include "platform/ListBox.h"
#include "platform/StdCtrls.h"
#include "platform/Testing.h"

using namespace Testing;

namespace {

struct TFontValues {
    String Name;
    Integer Height;
    TFontStyles Style;
    TColor Color;
    TFontCharset Charset;
    TFontPitch Pitch = fpDefault;
    Integer Orientation = 0;
};

TFontValues ValuesOf(const TFont& Font)
{
    return {Font.Name(),    Font.Height(), Font.Style(),      Font.Color(),
            Font.Charset(), Font.Pitch(),  Font.Orientation()};
}

void ExpectValues(const TFont& Font, const TFontValues& Expected)
{
    const TFontValues v = ValuesOf(Font);
    EXPECT_EQ(v.Name, Expected.Name);
    EXPECT_EQ(v.Height, Expected.Height);
    EXPECT_EQ(v.Style, Expected.Style);
    EXPECT_EQ(v.Color, Expected.Color);
    EXPECT_EQ(v.Charset, Expected.Charset);
    EXPECT_EQ(v.Pitch, Expected.Pitch);
    EXPECT_EQ(v.Orientation, Expected.Orientation);
}

class FontDialogTest : public ::testing::Test {
protected:
    void SetUp() override { Set(Dialog->Font(), Given); }
    void TearDown() override
    {
        EXPECT_EQ(Answers::Pending(), 0);
        Answers::Clear();
    }

    static void Set(TFont* Font, const TFontValues& V)
    {
        Font->SetName(V.Name);
        Font->SetHeight(V.Height);
        Font->SetStyle(V.Style);
        Font->SetColor(V.Color);
        Font->SetCharset(V.Charset);
        Font->SetPitch(V.Pitch);
        Font->SetOrientation(V.Orientation);
    }
    // Runs the dialog; Use works its form while it is shown.
    bool Run(std::function<void(TCustomForm* Form)> Use)
    {
        Answers::Modal([this, Use = std::move(Use)](TCustomForm* Form) {
            Shown = Form;
            Input::Flush();
            Use(Form);
        });
        return Dialog->Execute();
    }
    template <class T>
    T* Part(const char* Name) const
    {
        return dynamic_cast<T*>(Shown->FindComponent(Name));
    }
    void ClickRow(const char* List, const String& Row)
    {
        auto* list = Part<TListBox>(List);
        const Integer index = list->Items()->IndexOf(Row);
        ASSERT_GE(index, 0) << Row;
        list->SetTopIndex(index);
        Input::Click(list, mbLeft, 5, list->ItemRect(index).Top + 2);
    }
    // As a click on the row of the open list.
    void ChooseColorRow(Integer Row)
    {
        auto* combo = Part<TComboBox>("ColorComboBox");
        combo->SetItemIndex(Row);
        combo->UserSelected();
    }

    TFontValues Given{"Tahoma", -19, {fsBold, fsItalic, fsUnderline}, clRed, ANSI_CHARSET};
    TOwned<TFontDialog> Dialog{Create<TFontDialog>(nullptr)};
    TCustomForm* Shown = nullptr;
};

TEST_F(FontDialogTest, StartsFromTheFontAndReturnLeavesEveryPropertyAsItWas)
{
    struct TCase {
        TFontValues Font;
        const char* Style;
        const char* Size;
        const char* Colour;
    };
    // Also a face found by substitution, a cell height, a system colour, a
    // symbol set and a turned font; and no face with a height no size can
    // show.
    const TCase cases[] = {
        {Given, "Gras italique", "14", "Rouge"},
        {{"Arial", 16, {fsStrikeOut}, clBtnText, SYMBOL_CHARSET, fpFixed, 900}, "Normal", "11", "Personnalisée"},
        {{"", std::numeric_limits<Integer>::min(), {}, clBlack, DEFAULT_CHARSET}, "Normal", "", "Noir"},
    };
    for (const TCase& c : cases) {
        Set(Dialog->Font(), c.Font);
        EXPECT_TRUE(Run([&](TCustomForm*) {
            auto* faces = Part<TListBox>("FaceList");
            EXPECT_EQ(Part<TEdit>("FaceEdit")->Text(), c.Font.Name);
            EXPECT_EQ(faces->ItemIndex(), faces->Items()->IndexOf(c.Font.Name));
            EXPECT_EQ(Part<TEdit>("StyleEdit")->Text(), c.Style);
            EXPECT_EQ(Part<TEdit>("SizeEdit")->Text(), c.Size);
            EXPECT_EQ(Part<TCheckBox>("UnderlineCheckBox")->Checked(), c.Font.Style.Contains(fsUnderline));
            EXPECT_EQ(Part<TCheckBox>("StrikeOutCheckBox")->Checked(), c.Font.Style.Contains(fsStrikeOut));
            EXPECT_EQ(Part<TComboBox>("ColorComboBox")->Text(), c.Colour);
            Input::Key(VK_RETURN);
        }));
        ExpectValues(*Dialog->Font(), c.Font);
    }
}

TEST_F(FontDialogTest, EachControlGivesItsChoiceAndEscapeDropsThemAll)
{
    const auto choose = [this](TCustomForm*) {
        ClickRow("FaceList", "DejaVu Serif");
        ClickRow("StyleList", "Normal");
        Part<TEdit>("SizeEdit")->SetText("20");
        Input::Click(Part<TCheckBox>("StrikeOutCheckBox"), mbLeft, 5, 8);
        Input::Click(Part<TCheckBox>("UnderlineCheckBox"), mbLeft, 5, 8);
        ChooseColorRow(12);
    };
    EXPECT_FALSE(Run([&](TCustomForm* Form) {
        choose(Form);
        Input::Key(VK_ESCAPE);
    }));
    ExpectValues(*Dialog->Font(), Given);

    EXPECT_TRUE(Run([&](TCustomForm* Form) {
        choose(Form);
        EXPECT_EQ(Part<TComboBox>("ColorComboBox")->Text(), "Bleu");
        Input::Click(Part<TButton>("OkButton"), mbLeft, 10, 10);
    }));
    ExpectValues(*Dialog->Font(), {"DejaVu Serif", -27, {fsStrikeOut}, clBlue, ANSI_CHARSET});
}

TEST_F(FontDialogTest, EditsWorkTheirListsAndUnknownNamesAreRefused)
{
    EXPECT_TRUE(Run([this](TCustomForm*) {
        Part<TEdit>("FaceEdit")->SetText("dejavu s");
        EXPECT_EQ(Part<TListBox>("FaceList")->Items()->Strings(Part<TListBox>("FaceList")->ItemIndex()), "DejaVu Sans");
        Part<TEdit>("FaceEdit")->SetText("Nowhere Sans");
        Answers::Message();
        Input::Key(VK_RETURN);
        EXPECT_EQ(Answers::MessageTexts().back(), "Aucune police ne porte ce nom.\nChoisissez une police de la liste.");
        EXPECT_EQ(Shown->ModalResult(), mrNone);
        Part<TEdit>("FaceEdit")->SetText("dejavu serif");
        Part<TEdit>("StyleEdit")->SetFocus();
        Input::Key(VK_UP);
        // The wheel at an edit scrolls its list.
        Part<TEdit>("SizeEdit")->SetFocus();
        Input::Wheel(Part<TEdit>("SizeEdit"), -120, 5, 5);
        EXPECT_EQ(Part<TListBox>("SizeList")->TopIndex(), 3);
        Input::Key(VK_RETURN);
    }));
    ExpectValues(*Dialog->Font(), {"DejaVu Serif", -19, {fsBold, fsUnderline}, clRed, ANSI_CHARSET});
}

// The drop-down list, a window of its own, takes the release of the press
// that opened it; the face text is selected all the same at the next
// opening, so that what is typed replaces it.
TEST_F(FontDialogTest, EveryOpeningSelectsTheFaceTextEvenAfterTheColourListWasDroppedDown)
{
    EXPECT_FALSE(Run([this](TCustomForm*) {
        auto* colours = Part<TComboBox>("ColorComboBox");
        Input::Click(colours, mbLeft, 10, 10);
        EXPECT_TRUE(colours->DroppedDown());
        Input::Key(VK_ESCAPE);
        EXPECT_FALSE(colours->DroppedDown());
        Input::Key(VK_ESCAPE);
    }));
    EXPECT_TRUE(Run([this](TCustomForm*) {
        EXPECT_EQ(Part<TEdit>("FaceEdit")->SelText(), Given.Name);
        Input::Type("DejaVu Sans");
        Input::Key(VK_RETURN);
    }));
    EXPECT_EQ(Dialog->Font()->Name(), "DejaVu Sans");
}

TEST_F(FontDialogTest, SizesThatAreNoNumberOrCannotBeDrawnAreRefusedWithTheReason)
{
    const String notANumber = "La taille doit être un nombre.";
    const String outOfRange = "La taille doit être comprise entre 1 et 1500 points.";
    const std::pair<const char*, String> cases[] = {
        {"abc", notANumber}, {"nan", notANumber}, {"", notANumber}, {"0", outOfRange}, {"0.5", outOfRange},
        {"1501", outOfRange}, {"1e308", outOfRange}, {"-12", outOfRange},
    };
    EXPECT_FALSE(Run([&](TCustomForm*) {
        for (const auto& [text, why] : cases) {
            Part<TEdit>("SizeEdit")->SetText(text);
            Answers::Message();
            Input::Click(Part<TButton>("OkButton"), mbLeft, 10, 10);
            EXPECT_EQ(Answers::MessageTexts().back(), why) << text;
            EXPECT_EQ(Shown->ModalResult(), mrNone) << text;
            EXPECT_EQ(Shown->ActiveControl(), Part<TEdit>("SizeEdit")) << text;
        }
        Input::Key(VK_ESCAPE);
    }));
    // A size in half points is a size all the same.
    EXPECT_TRUE(Run([this](TCustomForm*) {
        Part<TEdit>("SizeEdit")->SetText("10,5");
        Input::Key(VK_RETURN);
    }));
    EXPECT_EQ(Dialog->Font()->Height(), -14);
}

TEST_F(FontDialogTest, TheLastColourRowTakesAColourOfTheUsersOwnFromTheColourDialog)
{
    const auto other = [this](bool Confirm) {
        auto* combo = Part<TComboBox>("ColorComboBox");
        Answers::Dialog([Confirm](TObject* Dialog) {
            EXPECT_EQ(dynamic_cast<TColorDialog&>(*Dialog).Color(), clRed);
            // As everywhere else, the custom colours start white.
            const auto& custom = dynamic_cast<TColorDialog&>(*Dialog).CustomColors;
            EXPECT_TRUE(std::all_of(custom.begin(), custom.end(), [](TColor c) { return c == 0xFFFFFF; }));
            dynamic_cast<TColorDialog&>(*Dialog).SetColor(0x123456);
            return Confirm;
        });
        ChooseColorRow(combo->Items()->Count() - 1);
        return combo->Text();
    };
    EXPECT_TRUE(Run([&](TCustomForm*) {
        EXPECT_EQ(other(false), "Rouge");
        EXPECT_EQ(other(true), "Personnalisée");
        Input::Key(VK_RETURN);
    }));
    EXPECT_EQ(Dialog->Font()->Color(), 0x123456);
}

}  // namespace
