#include <gtest/gtest.h>

#include <vector>

#include "components/foundation/kCheckBox.h"
#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/Messages.h"
#include "platform/SysUtils.h"
#include "platform/Testing.h"

namespace {

using namespace Testing;
using TLog = std::vector<String>;

// Logs every event and every value offered to the OPC items, in order.
class TLoggedCheckBox : public TkCheckBox {
public:
    explicit TLoggedCheckBox(TComponent* AOwner) : TkCheckBox(AOwner)
    {
        OnClick = [this](TObject*) { Log.push_back("click"); };
        OnChange = [this](TObject*) { Log.push_back("change"); };
        OnChangeUser = [this](TObject*) { Log.push_back("user"); };
        OnChangeProtected = [this](TObject*, const String& Name) { Log.push_back("protected " + Name); };
    }
    bool OPCOutputData(const String& PropertyName, const Variant& Value) override
    {
        Log.push_back("opc " + PropertyName + (Value.BooleanValue() ? "=1" : "=0"));
        return false;
    }
    TLog Log;
};

TSize TextSize(TFont* Font, const String& Text)
{
    TOwned<TBitmap> scratch(CreateOwned<TBitmap>());
    scratch->Canvas()->SetFont(Font);
    return scratch->Canvas()->TextExtent(Text);
}

// A shown form with the check box (100 x 20: the box is (0, 3) - (13, 16),
// the check mark starts at (3, 10)) and a second one to take the focus.
class CheckBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 300, 200);
        for (TLoggedCheckBox** b : {&Box, &Other}) {
            *b = Create<TLoggedCheckBox>(Form);
            (*b)->SetParent(Form);
            (*b)->SetAutoSize(false);
            (*b)->SetBounds(10, b == &Box ? 10 : 60, 100, 20);
        }
        Form->Show();
        Input::Flush();
    }
    void TearDown() override
    {
        FreeAndNil(Form);
        Input::Flush();
    }
    // Each press well apart from the last, so none pairs into a double click.
    void Press()
    {
        VirtualClock::Advance(DoubleClickTime + 1);
        Input::MouseDown(Box, mbLeft, 5, 5);
    }
    void Click()
    {
        Press();
        Input::MouseUp(Box, mbLeft, 5, 5);
    }
    TColor PixelAt(Integer X, Integer Y)
    {
        TOwned<TBitmap> bitmap(CreateOwned<TBitmap>());
        bitmap->SetSize(Box->Width(), Box->Height());
        Box->kPaintTo(bitmap->Canvas());
        return bitmap->Canvas()->Pixels(X, Y);
    }

    TForm* Form = nullptr;
    TLoggedCheckBox* Box = nullptr;
    TLoggedCheckBox* Other = nullptr;
};

TEST(CheckBox, DefaultsAndAutoSize)
{
    TOwned<TkCheckBox> b(Create<TkCheckBox>(nullptr));
    EXPECT_EQ(b->Caption(), "Caption");
    EXPECT_TRUE(b->Alignment() == 1 && b->AutoSize() && b->TabStop() && !b->Checked());
    TSize text = TextSize(b->Font(), "Caption");
    EXPECT_EQ(b->Width(), text.cx + 20);
    EXPECT_EQ(b->Height(), text.cy + 4);

    b->SetAutoSize(false);
    b->SetAlignment(7);  // anything but 0 puts the box at the left
    EXPECT_EQ(b->Alignment(), 1);
    b->SetAlignment(0);
    b->SetBounds(200, 10, 50, 30);
    b->SetCaption("Longer caption");
    EXPECT_EQ(b->Width(), 50);
    // With the box at the right its edge stays; with it at the left, the left.
    b->SetAutoSize(true);
    b->Font()->SetHeight(-24);
    text = TextSize(b->Font(), "Longer caption");
    EXPECT_EQ(b->Width(), text.cx + 20);
    EXPECT_EQ(b->Height(), text.cy + 4);
    EXPECT_EQ(b->Left() + b->Width(), 250);
    b->SetAlignment(1);
    b->SetCaption("x");
    EXPECT_EQ(b->Left(), 250 - (text.cx + 20));
    // A caption too long to paint stops the fit at the largest bitmap side.
    b->SetCaption(String(20000, 'W'));
    EXPECT_EQ(b->Width(), 32767);
}

TEST_F(CheckBoxTest, ClickTogglesOnALeftPressAndReleaseInside)
{
    Click();
    EXPECT_TRUE(Box->Checked());
    EXPECT_TRUE(Box->Focused());
    EXPECT_EQ(Box->Log, (TLog{"click", "protected Checked", "change", "user", "opc Checked=1"}));
    Box->Log.clear();
    Box->SetChecked(false);
    EXPECT_EQ(Box->Log, (TLog{"protected Checked", "change", "opc Checked=0"}));
    Box->Log.clear();
    Box->SetChecked(false);
    EXPECT_TRUE(Box->Log.empty());

    Press();
    EXPECT_TRUE(Box->Pressed());
    Input::MouseUp(Box, mbLeft, 100, 5);  // x = Width lies outside
    EXPECT_FALSE(Box->Pressed() || Box->Checked());

    Box->OnRequestEdit = [](TObject*, const String& Name, Boolean& CanEdit) { CanEdit = Name != "Checked"; };
    Box->Log.clear();
    Click();
    EXPECT_FALSE(Box->Checked());
    EXPECT_EQ(Box->Log, (TLog{"click"}));
    Box->OnRequestEdit = nullptr;
    Box->SetEnabled(false);
    Click();
    EXPECT_FALSE(Box->Checked());
}

TEST_F(CheckBoxTest, SpaceTogglesOnceOnItsRelease)
{
    Box->SetFocus();
    Input::KeyDown(VK_SPACE);
    EXPECT_TRUE(Box->Pressed());
    EXPECT_FALSE(Box->Checked());
    Input::KeyUp(VK_SPACE);
    EXPECT_FALSE(Box->Pressed());
    EXPECT_TRUE(Box->Checked());
    EXPECT_EQ(Box->Log, (TLog{"protected Checked", "change", "user", "opc Checked=1"}));
    // Another key let go while Space is held ends the press.
    Input::KeyDown(VK_SPACE);
    Input::Key('A');
    Input::KeyUp(VK_SPACE);
    EXPECT_TRUE(Box->Checked());
}

// Neither the focus change nor the release that follows toggles.
TEST_F(CheckBoxTest, FocusLossEndsThePress)
{
    Press();
    Other->SetFocus();
    EXPECT_FALSE(Box->Pressed());
    Input::MouseUp(Box, mbLeft, 5, 5);
    Box->SetFocus();
    Input::KeyDown(VK_SPACE);
    Other->SetFocus();
    EXPECT_FALSE(Box->Pressed() || Box->Checked());
    for (const String& entry : Box->Log) EXPECT_NE(entry, "change");
}

TEST_F(CheckBoxTest, PaintShowsCheckPressAlignmentFocusAndDisabled)
{
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(PixelAt(3, 10), clWhite);
    Box->SetChecked(true);
    EXPECT_EQ(PixelAt(3, 10), clBlack);
    EXPECT_EQ(PixelAt(8, 12), clWhite);
    Box->SetFocus();
    Input::KeyDown(VK_SPACE);
    EXPECT_EQ(PixelAt(8, 12), face);
    Input::KeyUp(VK_SPACE);
    Box->SetAlignment(0);  // the box at (87, 3) - (100, 16)
    Box->SetChecked(true);
    EXPECT_EQ(PixelAt(90, 10), clBlack);

    // Focus: the caption's frame, dotted over what lies beneath it.
    Box->SetAlignment(1);
    const TSize text = TextSize(Box->Font(), Box->Caption());
    const Integer top = 10 - text.cy / 2 - 1;
    const Integer y = (17 + top) % 2 == 0 ? top : top + 1;
    const TColor focused = PixelAt(17, y);
    Other->SetFocus();
    EXPECT_EQ(focused, PixelAt(17, y) ^ 0xFFFFFF);

    Box->SetEnabled(false);
    EXPECT_EQ(PixelAt(8, 12), face);

    // Heights without room for the box, and a huge font, draw clipped.
    Box->Font()->SetHeight(-300);
    for (Integer height : {0, 1, 5000}) {
        Box->SetBounds(10, 10, 40, height);
        TOwned<TBitmap> bitmap(CreateOwned<TBitmap>());
        bitmap->SetSize(40, 40);
        Box->kPaintTo(bitmap->Canvas());
    }
}

TEST(CheckBoxStream, PropertiesRoundTripAndLoadingIsSilent)
{
    kCheckBoxInitialization();
    TOwned<TkCheckBox> b(Create<TkCheckBox>(nullptr));
    b->SetName("Box");
    b->SetAutoSize(false);
    b->SetBounds(4, 5, 120, 22);
    b->SetCaption("Grille d'axes");
    b->SetChecked(true);
    b->SetAlignment(0);
    b->Font()->SetStyle({fsBold});
    const String written = WriteComponent(b.get());
    EXPECT_NE(written.find("  Caption = 'Grille d''axes'\n  Checked = True\n  Alignment = 0\n  AutoSize = False\n"),
              String::npos)
        << written;

    TOwned<TLoggedCheckBox> loaded(Create<TLoggedCheckBox>(nullptr));
    ReadComponent(written, loaded.get());
    EXPECT_EQ(loaded->Width(), 120);  // not refitted while loading
    EXPECT_EQ(loaded->Font()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(loaded->Log, (TLog{"opc Checked=1"}));
    EXPECT_EQ(WriteComponent(loaded.get()), written);
    EXPECT_THROW(ReadComponent("object Box: TkCheckBox\n  Alignment = 300\nend\n", loaded.get()), EConvertError);
}

}  // namespace
