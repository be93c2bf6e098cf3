#include <gtest/gtest.h>

#include "components/foundation/kCheckBox.h"
#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/Messages.h"
#include "platform/SysUtils.h"
#include "platform/Testing.h"
#include "support/EventLog.h"
#include "support/TwoControlForm.h"

// The press behaviour shared with the switch (release outside, disabled,
// refused edit, focus loss of a mouse press) is tested in kSwitchLedTest.
namespace {

using namespace Testing;
using TLoggedCheckBox = TLogged<TkCheckBox>;

// The check box under test is 100 x 20: the box is (0, 3) - (13, 16), the
// check mark starts at (3, 10).
class CheckBoxTest : public TwoControlForm<TLoggedCheckBox> {
protected:
    void SetUp() override
    {
        ShowForm(300, 200, [](TLoggedCheckBox* Box, bool UnderTest) {
            Box->SetAutoSize(false);
            Box->SetBounds(10, UnderTest ? 10 : 60, 100, 20);
        });
    }
};

TEST(CheckBox, DefaultsAndAutoSize)
{
    TOwned<TkCheckBox> b(Create<TkCheckBox>(nullptr));
    EXPECT_TRUE(b->Caption() == "Caption" && b->Alignment() == 1 && b->AutoSize() && b->TabStop() && !b->Checked());
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

TEST_F(CheckBoxTest, ClickAndSpaceToggleInOrder)
{
    Click(5, 5);
    EXPECT_TRUE(Control->Checked() && Control->Focused());
    EXPECT_EQ(Control->Log, (TEventLog{"click", "protected Checked", "change", "user", "opc Checked=1"}));
    Control->Log.clear();
    Control->SetChecked(false);
    Control->SetChecked(false);  // unchanged: silent
    EXPECT_EQ(Control->Log, (TEventLog{"protected Checked", "change", "opc Checked=0"}));

    Control->Log.clear();
    Input::KeyDown(VK_SPACE);
    EXPECT_TRUE(Control->Pressed() && !Control->Checked());
    Input::KeyUp(VK_SPACE);
    EXPECT_TRUE(!Control->Pressed() && Control->Checked());
    EXPECT_EQ(Control->Log, (TEventLog{"protected Checked", "change", "user", "opc Checked=1"}));
    // Another key let go while Space is held ends the press.
    Input::KeyDown(VK_SPACE);
    Input::Key('A');
    Input::KeyUp(VK_SPACE);
    EXPECT_TRUE(Control->Checked());
}

// Neither the focus change nor the release that follows toggles.
TEST_F(CheckBoxTest, FocusLossEndsTheKeysPress)
{
    Control->SetFocus();
    Input::KeyDown(VK_SPACE);
    Other->SetFocus();
    EXPECT_FALSE(Control->Pressed() || Control->Checked());
    for (const String& entry : Control->Log) EXPECT_NE(entry, "change");
}

TEST_F(CheckBoxTest, PaintShowsCheckPressAlignmentFocusAndDisabled)
{
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(PixelAt(3, 10), clWhite);
    Control->SetChecked(true);
    EXPECT_EQ(PixelAt(3, 10), clBlack);
    EXPECT_EQ(PixelAt(8, 12), clWhite);
    Control->SetFocus();
    Input::KeyDown(VK_SPACE);
    EXPECT_EQ(PixelAt(8, 12), face);
    Input::KeyUp(VK_SPACE);
    Control->SetAlignment(0);  // the box at (87, 3) - (100, 16)
    Control->SetChecked(true);
    EXPECT_EQ(PixelAt(90, 10), clBlack);

    // Focus: the caption's frame, dotted over what lies beneath it.
    Control->SetAlignment(1);
    const TSize text = TextSize(Control->Font(), Control->Caption());
    const Integer top = 10 - text.cy / 2 - 1;
    const Integer y = (17 + top) % 2 == 0 ? top : top + 1;
    const TColor focused = PixelAt(17, y);
    Other->SetFocus();
    EXPECT_EQ(focused, PixelAt(17, y) ^ 0xFFFFFF);

    Control->SetEnabled(false);
    EXPECT_EQ(PixelAt(8, 12), face);

    // Heights without room for the box, and a huge font, draw clipped.
    Control->Font()->SetHeight(-300);
    for (Integer height : {0, 1, 5000}) {
        Control->SetBounds(10, 10, 40, height);
        TOwned<TBitmap> bitmap(CreateOwned<TBitmap>());
        bitmap->SetSize(40, 40);
        Control->kPaintTo(bitmap->Canvas());
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
    EXPECT_EQ(loaded->Log, (TEventLog{"opc Checked=1"}));
    EXPECT_EQ(WriteComponent(loaded.get()), written);
    EXPECT_THROW(ReadComponent("object Box: TkCheckBox\n  Alignment = 300\nend\n", loaded.get()), EConvertError);
}

}  // namespace
