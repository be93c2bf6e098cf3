#include <gtest/gtest.h>

#include <vector>

#include "support/Painted.h"
#include "support/ShownForm.h"
#include "widgets/QdUpDown.h"
#include "widgets/WidgetUnits.h"

using namespace Testing;

namespace {

// The default strips' arrow colours by state.
constexpr TColor kNormal = RGB(192, 192, 192);
constexpr TColor kHot = clWhite;
constexpr TColor kPressed = clLime;
constexpr TColor kDisabled = RGB(96, 96, 96);

class QdUpDownTest : public ShownForm {
protected:
    void SetUp() override
    {
        ShownForm::SetUp();
        RegisterResources_WIDGETS();
        QdUpDownInitialization();
        UpDown = Add<TQdUpDown>(Form, 10, 10, 20, 30);
        UpDown->OnUpClick = [this](TObject* Sender) { Clicks.push_back(Sender == UpDown ? "up" : "?"); };
        UpDown->OnDownClick = [this](TObject* Sender) { Clicks.push_back(Sender == UpDown ? "down" : "?"); };
    }
    // A pixel inside the arrow of the up (0) or down (1) button.
    TColor Arrow(Integer Button) { return Grab(UpDown)->Canvas()->Pixels(9, Button == 0 ? 8 : 23); }
    void Press(Integer X, Integer Y)
    {
        VirtualClock::Advance(DoubleClickTime + 1);
        Input::MouseMove(UpDown, X, Y);
        Input::MouseDown(UpDown, mbLeft, X, Y);
    }

    TQdUpDown* UpDown = nullptr;
    std::vector<String> Clicks;
};

}  // namespace

TEST_F(QdUpDownTest, ButtonsShowNormalHotPressedAndDisabledLooks)
{
    EXPECT_EQ(UpDown->GlyphSize(0), Point(11, 8));
    EXPECT_EQ(Arrow(0), kNormal);
    EXPECT_EQ(Grab(UpDown)->Canvas()->Pixels(0, 0), clBlack);  // the strip's key colour is left out
    Input::MouseMove(UpDown, 5, 5);
    EXPECT_EQ(Arrow(0), kHot);
    EXPECT_EQ(Arrow(1), kNormal);
    Input::MouseDown(UpDown, mbLeft, 5, 5);
    EXPECT_EQ(Arrow(0), kPressed);
    Input::MouseMove(UpDown, 5, 20);  // off the pressed button: shown released
    EXPECT_EQ(Arrow(0), kNormal);
    EXPECT_EQ(Arrow(1), kHot);
    Input::MouseUp(UpDown, mbLeft, 5, 20);
    EXPECT_TRUE(Clicks.empty());
    Input::MouseMove(Form, 150, 120);
    EXPECT_EQ(Arrow(1), kNormal);

    UpDown->SetEnabled(false);
    EXPECT_EQ(Arrow(0), kDisabled);
    // Three images: the disabled look falls back to the normal one; with
    // one image every state shows it; 0 images is refused.
    UpDown->SetNumGlyphs(3);
    EXPECT_EQ(UpDown->GlyphSize(1), Point(14, 8));
    EXPECT_NE(Arrow(0), kDisabled);
    UpDown->SetNumGlyphs(0);
    EXPECT_EQ(UpDown->NumGlyphs(), 3);
}

TEST_F(QdUpDownTest, HeldButtonsRepeatOnTheClockAndReleaseClicksOnlyOnTheButton)
{
    Press(5, 20);
    VirtualClock::Advance(399);
    EXPECT_TRUE(Clicks.empty());
    VirtualClock::Advance(1);
    EXPECT_EQ(Clicks.size(), 1u);
    VirtualClock::Advance(200);
    EXPECT_EQ(Clicks.size(), 3u);
    Input::MouseUp(UpDown, mbLeft, 5, 20);
    EXPECT_EQ(Clicks, (std::vector<String>{"down", "down", "down", "down"}));
    VirtualClock::Advance(1000);
    EXPECT_EQ(Clicks.size(), 4u);

    // Moved off the button while held: no repeats, no release click.
    Clicks.clear();
    UpDown->SetRepeatPause(0);
    EXPECT_EQ(UpDown->RepeatPause(), 1);
    Press(5, 5);
    Input::MouseMove(UpDown, 5, 25);
    VirtualClock::Advance(500);
    Input::MouseUp(UpDown, mbLeft, 5, 25);
    EXPECT_TRUE(Clicks.empty());

    UpDown->SetRepeatClick(false);
    Press(5, 5);
    VirtualClock::Advance(1000);
    Input::MouseUp(UpDown, mbLeft, 5, 5);
    EXPECT_EQ(Clicks, (std::vector<String>{"up"}));

    // A handler may free the control.
    UpDown->OnUpClick = [this](TObject*) { FreeAndNil(UpDown); };
    UpDown->SetRepeatClick(true);
    Press(5, 5);
    VirtualClock::Advance(400);
    EXPECT_EQ(UpDown, nullptr);
    VirtualClock::Advance(1000);
}

TEST_F(QdUpDownTest, OrientationSwapsTheSizeAndTinyControlsHaveNoButtons)
{
    UpDown->SetOrientation(qoHorizontal);
    EXPECT_EQ(UpDown->Width(), 30);
    EXPECT_EQ(UpDown->Height(), 20);
    EXPECT_EQ(UpDown->GetGlyphRect(0), Rect(0, 0, 15, 20));
    EXPECT_EQ(UpDown->GetGlyphIndex(20, 5), 1);
    Press(3, 3);
    Input::MouseUp(UpDown, mbLeft, 3, 3);
    EXPECT_EQ(Clicks, (std::vector<String>{"up"}));

    UpDown->SetOrientation(qoVertical);
    UpDown->SetBounds(10, 10, 20, 1);
    EXPECT_EQ(UpDown->GetGlyphIndex(5, 0), -1);
    Press(5, 0);
    Input::MouseUp(UpDown, mbLeft, 5, 0);
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(QdUpDownTest, OwnGlyphsAreStoredAndNoneBringsTheDefaultBack)
{
    UpDown->SetName("UpDown1");
    const String plain = ExpectFormRoundTrip(Form);
    EXPECT_EQ(plain.find("Glyphs"), String::npos);  // the defaults come from the program

    TOwned<TBitmap> strip = PatternBitmap(8, 6, 3);
    UpDown->SetGlyphsDown(strip.get());
    UpDown->SetNumGlyphs(2);
    UpDown->SetOrientation(qoHorizontal);
    UpDown->SetRepeatClick(false);
    UpDown->SetRepeatPause(250);
    UpDown->SetTransparent(true);
    UpDown->SetColor(clMaroon);
    EXPECT_EQ(UpDown->GlyphSize(1), Point(4, 6));
    const String text = ExpectFormRoundTrip(Form);
    EXPECT_NE(text.find("GlyphsDown.Data"), String::npos);
    EXPECT_EQ(text.find("GlyphsUp.Data"), String::npos);
    TOwned<TForm> copy(Create<TForm>(nullptr));
    ReadComponent(text, copy.get());
    EXPECT_TRUE(SamePixels(static_cast<TQdUpDown*>(copy->FindComponent("UpDown1"))->GlyphsDown(), strip.get()));

    UpDown->SetGlyphsDown(nullptr);
    EXPECT_TRUE(UpDown->DefaultGlyphs(1));
    EXPECT_EQ(UpDown->GlyphSize(1), Point(22, 8));
    // Drawing on a strip makes it the control's own.
    UpDown->GlyphsUp()->Canvas()->SetPixels(0, 0, clRed);
    EXPECT_FALSE(UpDown->DefaultGlyphs(0));
}
