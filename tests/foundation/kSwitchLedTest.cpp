#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "components/foundation/kSwitchLed.h"
#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/Messages.h"
#include "platform/SysUtils.h"
#include "platform/Testing.h"

namespace {

using namespace Testing;

// Logs every event and every value offered to the OPC items, in order.
class TLoggedSwitch : public TkSwitchLed {
public:
    explicit TLoggedSwitch(TComponent* AOwner) : TkSwitchLed(AOwner)
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
    std::vector<String> Log;
};

using TLog = std::vector<String>;

// A shown form with the switch and a second control to take the focus.
class SwitchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 300, 200);
        for (TLoggedSwitch** s : {&Switch, &Other}) {
            *s = Create<TLoggedSwitch>(Form);
            (*s)->SetParent(Form);
            (*s)->SetLeft(s == &Switch ? 10 : 100);
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
        Input::MouseDown(Switch, mbLeft, 5, 5);
    }
    void Click()
    {
        VirtualClock::Advance(DoubleClickTime + 1);
        Input::Click(Switch, mbLeft, 20, 14);
    }
    TColor PixelAt(Integer X, Integer Y)
    {
        TOwned<TBitmap> bitmap(CreateOwned<TBitmap>());
        bitmap->SetSize(Switch->Width(), Switch->Height());
        Switch->kPaintTo(bitmap->Canvas());
        return bitmap->Canvas()->Pixels(X, Y);
    }

    TForm* Form = nullptr;
    TLoggedSwitch* Switch = nullptr;
    TLoggedSwitch* Other = nullptr;
};

TEST(SwitchLed, CreationDefaultsAndPublishedProperties)
{
    TOwned<TkSwitchLed> s(Create<TkSwitchLed>(nullptr));
    EXPECT_EQ(s->Width(), 40);
    EXPECT_EQ(s->Height(), 28);
    EXPECT_EQ(s->Caption(), "On");
    EXPECT_TRUE(s->TabStop());
    s->SetBorderSize(0);
    EXPECT_EQ(s->BorderSize(), 2);
    s->FillOPCSpecialList();
    EXPECT_EQ(s->OPCSpecialList()->Text(), "{MouseDown}\r\n");

    std::vector<String> own;
    bool mine = false;
    for (PPropInfo p : GetPropList(s.get())) {
        mine = mine || p->Name == "Active";
        if (mine) own.push_back(p->Name);
    }
    const std::vector<String> expected = {
        "Active", "ActiveColor", "AutoLedSize", "Caption", "CaptionFont", "CaptionMargin", "CaptionAlignment",
        "IndicatorAlignment", "MomentaryStyle", "IndicatorHeight", "IndicatorMargin", "IndicatorWidth",
        "ShowFocusRect", "WordWrap", "BorderSize", "BorderHighlightColor", "BorderShadowColor", "OnChange",
        "OnChangeUser", "Glyph", "TabOrder", "TabStop", "BackGroundColor"};
    EXPECT_EQ(own, expected);
}

TEST_F(SwitchTest, ClickTogglesOnceAfterTheClassLibrarysClick)
{
    Click();
    EXPECT_TRUE(Switch->Active());
    EXPECT_TRUE(Switch->Focused());
    EXPECT_EQ(Switch->Log, (TLog{"opc {MouseDown}=1", "click", "opc {MouseDown}=0", "protected Active", "change",
                                 "user", "opc Active=1"}));
    Switch->Log.clear();
    Switch->SetActive(false);
    EXPECT_EQ(Switch->Log, (TLog{"protected Active", "change", "opc Active=0"}));
    Switch->Log.clear();
    Switch->SetActiveNoEvent(true);
    EXPECT_EQ(Switch->Log, (TLog{"protected Active", "opc Active=1"}));
    Switch->Log.clear();
    Switch->SetActive(true);
    EXPECT_TRUE(Switch->Log.empty());

    Switch->OnRequestEdit = [](TObject*, const String& Name, Boolean& CanEdit) { CanEdit = Name != "Active"; };
    Click();
    EXPECT_TRUE(Switch->Active());
    EXPECT_EQ(Switch->Log, (TLog{"opc {MouseDown}=1", "click", "opc {MouseDown}=0"}));
}

TEST_F(SwitchTest, OnlyALeftReleaseInsideToggles)
{
    Press();
    EXPECT_TRUE(Switch->Pressed());
    Input::MouseUp(Switch, mbLeft, 40, 5);  // x = Width lies outside
    EXPECT_FALSE(Switch->Pressed());
    EXPECT_FALSE(Switch->Active());

    Input::MouseDown(Switch, mbLeft, 5, 5);
    Input::MouseDown(Switch, mbRight, 5, 5);
    Input::MouseUp(Switch, mbRight, 5, 5);
    EXPECT_FALSE(Switch->Active());
    EXPECT_TRUE(Switch->Pressed());
    Input::MouseUp(Switch, mbLeft, 5, 5);
    EXPECT_TRUE(Switch->Active());

    Switch->SetEnabled(false);
    Click();
    EXPECT_TRUE(Switch->Active());
}

TEST_F(SwitchTest, MomentaryStyleIsActiveExactlyWhileHeld)
{
    Switch->SetMomentaryStyle(ksmsSimple);
    Press();
    EXPECT_TRUE(Switch->Active());
    Input::MouseUp(Switch, mbLeft, 50, 50);
    EXPECT_FALSE(Switch->Active());
}

// The release that follows no longer reaches the switch: no toggle, and a
// momentary switch goes off at once.
TEST_F(SwitchTest, FocusLossWhileHeldEndsThePress)
{
    for (TkSwitchMomentaryStyle style : {ksmsNone, ksmsSimple}) {
        Switch->SetMomentaryStyle(style);
        Switch->SetFocus();
        Press();
        Switch->Log.clear();
        Other->SetFocus();
        EXPECT_EQ(Switch->Log.front(), "opc {MouseDown}=0");
        EXPECT_FALSE(Switch->Pressed());
        Input::MouseUp(Switch, mbLeft, 5, 5);
        EXPECT_FALSE(Switch->Active());
    }
}

TEST_F(SwitchTest, SpaceBarAndAcceleratorToggleAsTheUser)
{
    Switch->SetFocus();
    Input::KeyDown(VK_SPACE);
    EXPECT_TRUE(Switch->Pressed());
    EXPECT_FALSE(Switch->Active());
    Input::KeyUp(VK_SPACE);
    EXPECT_FALSE(Switch->Pressed());
    EXPECT_TRUE(Switch->Active());
    EXPECT_EQ(Switch->Log.back(), "opc Active=1");

    Switch->SetMomentaryStyle(ksmsSimple);
    Input::Key(VK_SPACE);
    EXPECT_FALSE(Switch->Active());

    Switch->SetCaption("&Go");
    Other->SetFocus();
    Switch->Log.clear();
    Input::Key('G', {ssAlt});
    EXPECT_TRUE(Switch->Active());
    EXPECT_TRUE(Switch->Focused());
    EXPECT_EQ(Switch->Log, (TLog{"protected Active", "change", "user", "opc Active=1"}));
    Input::KeyUp(VK_MENU);
    EXPECT_FALSE(Switch->CMDialogChar(u'g', false));  // a dialog character without Alt

    Switch->SetCaption("Go&");  // a mark with nothing after it
    Input::Key('G', {ssAlt});
    EXPECT_TRUE(Switch->Active());
    Switch->SetCaption("&Go");
    Switch->SetEnabled(false);
    Input::Key('G', {ssAlt});
    EXPECT_TRUE(Switch->Active());
}

TEST_F(SwitchTest, LedAndBevelShowTheState)
{
    const TColor highlight = ColorToRGB(clBtnHighlight);
    Other->SetFocus();
    EXPECT_EQ(PixelAt(20, 20), RGB(0, 85, 0));
    EXPECT_EQ(PixelAt(10, 0), highlight);
    EXPECT_EQ(PixelAt(39, 10), clBlack);
    Switch->SetActive(true);
    EXPECT_EQ(PixelAt(20, 20), clLime);

    Switch->SetFocus();
    EXPECT_EQ(PixelAt(10, 0), ColorToRGB(cl3DDkShadow));
    Press();
    EXPECT_EQ(PixelAt(10, 0), clBlack);                     // sunk
    EXPECT_EQ(PixelAt(10, 1), ColorToRGB(cl3DDkShadow));
    Input::MouseUp(Switch, mbLeft, 50, 50);

    // A system colour darkens through its RGB value.
    Switch->SetActiveColor(clBtnHighlight);
    EXPECT_EQ(PixelAt(20, 20), highlight);
    Switch->SetActive(false);
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
    Switch->SetGlyph(glyph.get());
    Other->SetFocus();
    // Centred at the bottom, IndicatorMargin above the inner bottom (27).
    EXPECT_EQ(PixelAt(17, 18), clRed);
    EXPECT_EQ(PixelAt(22, 18), ColorToRGB(clBtnFace));

    Switch->SetGlyph(nullptr);
    for (Integer value : {INT_MIN, -50, 0, INT_MAX}) {
        Switch->SetIndicatorMargin(value);
        Switch->SetCaptionMargin(value);
        Switch->SetIndicatorWidth(value);
        Switch->SetBorderSize(value);
        Switch->SetAutoLedSize(value < 0);
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
    "  object kSwitchLed1: TkSwitchLed\n"
    "    Left = 144\n"
    "    Top = 64\n"
    "    Width = 105\n"
    "    Height = 41\n"
    "    Caption = 'calcul d'#233'compos'#233\n"
    "    CaptionFont.Charset = DEFAULT_CHARSET\n"
    "    CaptionFont.Color = clWindowText\n"
    "    CaptionFont.Height = -11\n"
    "    CaptionFont.Name = 'Tahoma'\n"
    "    CaptionFont.Style = []\n"
    "    CaptionMargin = 2\n"
    "    BorderSize = 2\n"
    "    BorderHighlightColor = clBtnHighlight\n"
    "    BorderShadowColor = clBtnShadow\n"
    "    OnChange = interact\n"
    "    Caption_2 = 'calcul d'#233'compos'#233\n"
    "  end\n";

TEST(SwitchLedStream, TheMainWindowsSwitchLoadsAndWritesBack)
{
    kSwitchLedInitialization();
    TOwned<TSwitchHost> host(Create<TSwitchHost>(nullptr));
    ReadComponent(String("object Host: TSwitchHost\n") + SwitchObject + "end\n", host.get());
    TkSwitchLed* s = host->kSwitchLed1;
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Caption(), "calcul décomposé");
    EXPECT_EQ(s->Width(), 105);
    EXPECT_EQ(s->CaptionFont()->Name(), "Tahoma");
    EXPECT_EQ(s->BorderShadowColor(), clBtnShadow);
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
    EXPECT_TRUE(loaded->Active());
    EXPECT_EQ(loaded->Caption(), "b");
    EXPECT_EQ(loaded->Log, (TLog{"opc Active=1"}));
    EXPECT_THROW(ReadComponent("object S: TkSwitchLed\n  IndicatorAlignment = ksaMiddle\nend\n", loaded.get()),
                 EReadError);
}

}  // namespace
