#include <gtest/gtest.h>

#include <climits>

#include "components/foundation/kSwitchLed.h"
#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/Messages.h"
#include "platform/SysUtils.h"
#include "platform/Testing.h"
#include "support/EventLog.h"
#include "support/TwoControlForm.h"

namespace {

using namespace Testing;
using TLoggedSwitch = TLogged<TkSwitchLed>;

class SwitchTest : public TwoControlForm<TLoggedSwitch> {
protected:
    void SetUp() override
    {
        ShowForm(300, 200, [](TLoggedSwitch* Switch, bool UnderTest) { Switch->SetLeft(UnderTest ? 10 : 100); });
    }
    void Press() { TwoControlForm::Press(5, 5); }
    void Click() { TwoControlForm::Click(20, 14); }
};

TEST(SwitchLed, CreationDefaultsAndPublishedProperties)
{
    TOwned<TkSwitchLed> s(Create<TkSwitchLed>(nullptr));
    EXPECT_TRUE(s->Width() == 40 && s->Height() == 28 && s->Caption() == "On" && s->TabStop());
    s->SetBorderSize(0);
    EXPECT_EQ(s->BorderSize(), 2);
    s->FillOPCSpecialList();
    EXPECT_EQ(s->OPCSpecialList()->Text(), "{MouseDown}\r\n");

    String own;  // the properties from the switch's own first one on
    for (PPropInfo p : GetPropList(s.get()))
        if (!own.empty() || p->Name == "Active") own += p->Name + " ";
    EXPECT_EQ(own,
              "Active ActiveColor AutoLedSize Caption CaptionFont CaptionMargin CaptionAlignment IndicatorAlignment "
              "MomentaryStyle IndicatorHeight IndicatorMargin IndicatorWidth ShowFocusRect WordWrap BorderSize "
              "BorderHighlightColor BorderShadowColor OnChange OnChangeUser Glyph TabOrder TabStop BackGroundColor ");
}

TEST_F(SwitchTest, ClickTogglesOnceAfterTheClassLibrarysClick)
{
    Click();
    EXPECT_TRUE(Control->Active() && Control->Focused());
    EXPECT_EQ(Control->Log, (TEventLog{"opc {MouseDown}=1", "click", "opc {MouseDown}=0", "protected Active", "change",
                                 "user", "opc Active=1"}));
    Control->Log.clear();
    Control->SetActive(false);
    Control->SetActiveNoEvent(true);
    Control->SetActive(true);  // unchanged: silent
    EXPECT_EQ(Control->Log,
              (TEventLog{"protected Active", "change", "opc Active=0", "protected Active", "opc Active=1"}));

    Control->Log.clear();
    Control->OnRequestEdit = [](TObject*, const String& Name, Boolean& CanEdit) { CanEdit = Name != "Active"; };
    Click();
    EXPECT_TRUE(Control->Active());
    EXPECT_EQ(Control->Log, (TEventLog{"opc {MouseDown}=1", "click", "opc {MouseDown}=0"}));
}

TEST_F(SwitchTest, OnlyALeftReleaseInsideToggles)
{
    Press();
    EXPECT_TRUE(Control->Pressed());
    Input::MouseUp(Control, mbLeft, 40, 5);  // x = Width lies outside
    EXPECT_FALSE(Control->Pressed() || Control->Active());

    Input::MouseDown(Control, mbLeft, 5, 5);
    Input::MouseDown(Control, mbRight, 5, 5);
    Input::MouseUp(Control, mbRight, 5, 5);
    EXPECT_TRUE(!Control->Active() && Control->Pressed());
    Input::MouseUp(Control, mbLeft, 5, 5);
    EXPECT_TRUE(Control->Active());

    Control->SetEnabled(false);
    Click();
    EXPECT_TRUE(Control->Active());
}

// A momentary switch is active exactly while held. Losing the focus ends
// the press: the release no longer reaches the switch, so no toggle, and a
// momentary switch goes off at once.
TEST_F(SwitchTest, MomentaryStyleAndFocusLossWhileHeld)
{
    Control->SetMomentaryStyle(ksmsSimple);
    Press();
    EXPECT_TRUE(Control->Active());
    Input::MouseUp(Control, mbLeft, 50, 50);
    EXPECT_FALSE(Control->Active());
    for (TkSwitchMomentaryStyle style : {ksmsNone, ksmsSimple}) {
        Control->SetMomentaryStyle(style);
        Press();
        Control->Log.clear();
        Other->SetFocus();
        EXPECT_EQ(Control->Log.front(), "opc {MouseDown}=0");
        EXPECT_FALSE(Control->Pressed());
        Input::MouseUp(Control, mbLeft, 5, 5);
        EXPECT_FALSE(Control->Active());
    }
}

// Only the space bar's own release ends its press, and that release also
// ends a press of the mouse begun meanwhile: the mouse's release then
// changes nothing. Space on a momentary switch leaves it off.
TEST_F(SwitchTest, OnlyTheSpaceBarsReleaseEndsItsPress)
{
    Control->SetFocus();
    Input::KeyDown(VK_SPACE);
    Input::Key('A');
    EXPECT_TRUE(Control->Pressed() && !Control->Active());
    Press();
    Input::KeyUp(VK_SPACE);
    EXPECT_TRUE(!Control->Pressed() && Control->Active());
    EXPECT_EQ(Control->Log.back(), "opc Active=1");
    Input::MouseUp(Control, mbLeft, 5, 5);
    EXPECT_TRUE(Control->Active());

    Control->SetMomentaryStyle(ksmsSimple);
    Input::Key(VK_SPACE);
    EXPECT_FALSE(Control->Active());
}

// Even a momentary switch stays on.
TEST_F(SwitchTest, AcceleratorTogglesAsTheUser)
{
    Control->SetMomentaryStyle(ksmsSimple);
    Control->SetCaption("&Go");
    Other->SetFocus();
    Control->Log.clear();
    Input::Key('G', {ssAlt});
    EXPECT_TRUE(Control->Active() && Control->Focused());
    EXPECT_EQ(Control->Log, (TEventLog{"protected Active", "change", "user", "opc Active=1"}));
    Input::KeyUp(VK_MENU);
    EXPECT_FALSE(Control->CMDialogChar(u'g', false));  // a dialog character without Alt

    Control->SetActive(false);
    Control->SetCaption("Go&");  // a mark with nothing after it
    Input::Key('G', {ssAlt});
    EXPECT_FALSE(Control->Active());
    Control->SetCaption("&Go");
    Control->SetEnabled(false);
    Input::Key('G', {ssAlt});
    EXPECT_FALSE(Control->Active());
}

TEST_F(SwitchTest, LedAndBevelShowTheState)
{
    const TColor highlight = ColorToRGB(clBtnHighlight);
    Other->SetFocus();
    EXPECT_EQ(PixelAt(20, 20), RGB(0, 85, 0));
    EXPECT_EQ(PixelAt(10, 0), highlight);
    EXPECT_EQ(PixelAt(39, 10), clBlack);
    Control->SetActive(true);
    EXPECT_EQ(PixelAt(20, 20), clLime);

    Control->SetFocus();
    EXPECT_EQ(PixelAt(10, 0), ColorToRGB(cl3DDkShadow));
    Press();
    EXPECT_EQ(PixelAt(10, 0), clBlack);                     // sunk
    EXPECT_EQ(PixelAt(10, 1), ColorToRGB(cl3DDkShadow));
    Input::MouseUp(Control, mbLeft, 50, 50);

    // A system colour darkens through its RGB value.
    Control->SetActiveColor(clBtnHighlight);
    EXPECT_EQ(PixelAt(20, 20), highlight);
    Control->SetActive(false);
    EXPECT_EQ(PixelAt(20, 20), RGB(85, 85, 85));
}

TEST_F(SwitchTest, GlyphAndExtremeSizesDraw)
{
    TOwned<TBitmap> glyph(CreateOwned<TBitmap>());
    glyph->SetSize(6, 4);
    glyph->Canvas()->Brush()->SetColor(clRed);
    glyph->Canvas()->FillRect(Rect(0, 0, 6, 4));
    glyph->Canvas()->SetPixels(0, 3, clBlue);  // the transparent colour
    glyph->Canvas()->SetPixels(5, 0, clBlue);
    Control->SetGlyph(glyph.get());
    Other->SetFocus();
    // Centred at the bottom, IndicatorMargin above the inner bottom (27).
    EXPECT_EQ(PixelAt(17, 18), clRed);
    EXPECT_EQ(PixelAt(22, 18), ColorToRGB(clBtnFace));

    Control->SetGlyph(nullptr);
    for (Integer value : {INT_MIN, -50, 0, INT_MAX}) {
        Control->SetIndicatorMargin(value);
        Control->SetCaptionMargin(value);
        Control->SetIndicatorWidth(value);
        Control->SetBorderSize(value);
        Control->SetAutoLedSize(value < 0);
        EXPECT_NE(PixelAt(0, 0), -1);
    }
}

// The switch of the main window's form data, with its event.
class TSwitchHost : public TForm {
    PL_CLASSINFO()
public:
    using TForm::TForm;
    void interact(TObject*) { ++Interactions; }
    TkSwitchLed* kSwitchLed1 = nullptr;
    Integer Interactions = 0;
};

TClass TSwitchHost::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TSwitchHost, TForm>("TSwitchHost")
                                       .Field("kSwitchLed1", &TSwitchHost::kSwitchLed1)
                                       .Method<TNotifyEvent>("interact", &TSwitchHost::interact)
                                       .Build();
    return &info;
}

const char* const SwitchObject =
    "  object kSwitchLed1: TkSwitchLed\n    Left = 144\n    Top = 64\n    Width = 105\n    Height = 41\n"
    "    Caption = 'calcul d'#233'compos'#233\n    CaptionFont.Charset = DEFAULT_CHARSET\n"
    "    CaptionFont.Color = clWindowText\n    CaptionFont.Height = -11\n    CaptionFont.Name = 'Tahoma'\n"
    "    CaptionFont.Style = []\n    CaptionMargin = 2\n    BorderSize = 2\n"
    "    BorderHighlightColor = clBtnHighlight\n    BorderShadowColor = clBtnShadow\n    OnChange = interact\n"
    "    Caption_2 = 'calcul d'#233'compos'#233\n  end\n";

TEST(SwitchLedStream, TheMainWindowsSwitchLoadsAndWritesBack)
{
    kSwitchLedInitialization();
    TOwned<TSwitchHost> host(Create<TSwitchHost>(nullptr));
    ReadComponent(String("object Host: TSwitchHost\n") + SwitchObject + "end\n", host.get());
    TkSwitchLed* s = host->kSwitchLed1;
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Caption(), "calcul décomposé");
    s->SetActive(true);
    EXPECT_EQ(host->Interactions, 1);

    s->SetActive(false);
    // In a parent the switch has a tab order, written before the extra
    // caption.
    String expected = SwitchObject;
    expected.insert(expected.find("    Caption_2"), "    TabOrder = 0\n");
    const String written = WriteComponent(host.get());
    EXPECT_NE(written.find(expected), String::npos) << written;

    // Caption_2 comes last and wins; Active read from form data fires no
    // event (the OPC items still hear of it).
    TOwned<TLoggedSwitch> loaded(Create<TLoggedSwitch>(nullptr));
    ReadComponent("object S: TkSwitchLed\n  Active = True\n  Caption = 'a'\n  Caption_2 = 'b'\nend\n", loaded.get());
    EXPECT_TRUE(loaded->Active() && loaded->Caption() == "b");
    EXPECT_EQ(loaded->Log, (TEventLog{"opc Active=1"}));
    EXPECT_THROW(ReadComponent("object S: TkSwitchLed\n  IndicatorAlignment = ksaMiddle\nend\n", loaded.get()),
                 EReadError);
}

}  // namespace
