// The window as the user meets it: its start-up state, the signal choices,
// the menu and the program entry.

#include "MainWindowFixture.h"
#include "app/ProgramEntry.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "support/LayoutCheck.h"
#include "widgets/QdControls.h"

TEST_F(MainWindowTest, StartsIdleWithItsTexts)
{
    EXPECT_EQ(Form->ClientWidth(), 1064);
    EXPECT_EQ(Form->ClientHeight(), 542);
    EXPECT_EQ(Form->QdStrEdit1->Text(), "Mise en marche");
    EXPECT_EQ(Form->QdStrEdit2->Text(), "sequence m1[7,6,4,2] sequence m2[7,5,4,3,2,1]");
    for (TComboBox* box : {Form->ComboBox2, Form->ComboBox1}) {
        EXPECT_EQ(box->ItemIndex(), -1);
        EXPECT_EQ(box->Text(), "waveform");
    }
    EXPECT_EQ(Form->ComboBox2->Items()->Count(), 5);
    EXPECT_EQ(Form->ComboBox2->Items()->Strings(0), "signal carre");
    EXPECT_EQ(Form->ComboBox2->Items()->Strings(4), "");
    EXPECT_EQ(Form->ComboBox1->Items()->Count(), 4);
    EXPECT_EQ(Form->ComboBox1->Items()->Strings(0), "Signal carré");
    EXPECT_FALSE(Form->Timer1->Enabled());
    EXPECT_EQ(Form->Timer1->Interval(), 50u);
    EXPECT_FALSE(Form->kSwitchLed1->Active());
    EXPECT_EQ(Form->kSwitchLed1->Caption(), "calcul décomposé");
    for (TkXYPlot* plot : {Form->kXYPlot1, Form->kXYPlot3, Form->kXYPlot2}) EXPECT_EQ(Points(plot)->Count(), 0);
    // The user starts at the first choice; no status line is highlighted.
    EXPECT_TRUE(Form->ComboBox2->Focused());
    EXPECT_EQ(Form->QdStrEdit1->SelLength(), 0);
    // The widget library found its compiled-in hand cursor at start-up.
    EXPECT_NE(Screen->Cursors(crQdHandPoint), Screen->Cursors(crHandPoint));
}

TEST_F(MainWindowTest, ShowsItsTextWholeAndItsControlsApart)
{
    // The window's two frames reach past its edges, hiding their outer
    // bevels, and the right one overlaps the left; plot 1 and the signal
    // group sit on their frame's bevel. So the window's form data has it.
    const LayoutCheck::TMeant meant{{{"Panel10", "Panel1"}}, {"Panel10", "Panel1", "kXYPlot1", "Panel2"}};
    EXPECT_EQ(LayoutCheck::Faults(Form, meant), std::vector<String>{});
}

TEST_F(MainWindowTest, UserChoicesRedrawTheirOwnPlot)
{
    // From code the choice is silent, as it has always been.
    Form->ComboBox2->SetItemIndex(0);
    EXPECT_EQ(Points(Form->kXYPlot1)->Count(), 0);
    Form->ComboBox2->SetItemIndex(-1);

    Choose(Form->ComboBox2, 0);
    auto* x = Points(Form->kXYPlot1);
    ASSERT_EQ(x->Count(), 1080);
    EXPECT_EQ(x->GetXValue(1079), 1079.0);
    EXPECT_EQ(x->GetYValue(359), 0.0);
    EXPECT_EQ(x->GetYValue(360), 1.0);
    EXPECT_EQ(x->GetYValue(719), 1.0);
    EXPECT_EQ(x->GetYValue(720), 0.0);
    EXPECT_EQ(Points(Form->kXYPlot3)->Count(), 0);

    Choose(Form->ComboBox1, 1);
    auto* y = Points(Form->kXYPlot3);
    ASSERT_EQ(y->Count(), 1080);
    EXPECT_EQ(y->GetYValue(0), 0.0055);
    EXPECT_NEAR(y->GetYValue(179), 0.99, 1e-12);
    EXPECT_NEAR(y->GetYValue(359), 0.0, 1e-15);
    EXPECT_EQ(y->GetYValue(360), 0.0);

    // The empty fifth item chooses no table: plot 1 is cleared.
    Choose(Form->ComboBox2, 4);
    EXPECT_EQ(Form->ComboBox2->ItemIndex(), 4);
    EXPECT_EQ(x->Count(), 0);
}

// The m-sequences, as the tables hold them: two periods of 127 chips from
// state 255, X at 412 and Y at 0.
TEST_F(MainWindowTest, SequencesAreTwoPeriodsFromState255)
{
    const double m1[16] = {0, 0, 1, 1, 1, 1, 1, 0, 1, 1, 0, 1, 1, 1, 0, 0};
    const double m2[16] = {0, 1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 1, 0, 1};
    Choose(Form->ComboBox2, 2);
    Choose(Form->ComboBox1, 3);
    auto* x = Points(Form->kXYPlot1);
    auto* y = Points(Form->kXYPlot3);
    for (Integer i = 0; i < 16; ++i) {
        EXPECT_EQ(x->GetYValue(412 + i), m1[i]) << i;
        EXPECT_EQ(y->GetYValue(i), m2[i]) << i;
    }
    double ones1 = 0, ones2 = 0;
    for (Integer i = 0; i < 127; ++i) {
        EXPECT_EQ(x->GetYValue(412 + i), x->GetYValue(412 + 127 + i));
        EXPECT_EQ(y->GetYValue(i), y->GetYValue(127 + i));
        ones1 += x->GetYValue(412 + i);
        ones2 += y->GetYValue(i);
    }
    EXPECT_EQ(ones1, 64);
    EXPECT_EQ(ones2, 64);
    EXPECT_EQ(x->GetYValue(411), 0.0);
    EXPECT_EQ(x->GetYValue(666), 0.0);
    EXPECT_EQ(y->GetYValue(254), 0.0);
}

TEST_F(MainWindowTest, ExitClosesTheWindowRunningOrNot)
{
    Form->Exit1->Click();
    Testing::Input::Flush();
    EXPECT_FALSE(Form->Visible());

    Form->Show();
    ClickSwitch();
    Tick(3);
    ASSERT_TRUE(Form->Timer1->Enabled());
    Form->Exit1->Click();
    Testing::Input::Flush();
    EXPECT_FALSE(Form->Visible());
}

// Whatever escapes the program entry is shown with its own text, never an
// empty box.
TEST(ProgramEntryTest, ShowsTheExceptionsOwnText)
{
    Testing::Answers::Clear();
    for (Integer i = 0; i < 3; ++i) Testing::Answers::Message(mrOk);
    ShowEscapedException(std::make_exception_ptr(std::runtime_error("disque plein")));
    ShowEscapedException(std::make_exception_ptr(EReadError("Propriété inconnue")));
    ShowEscapedException(std::make_exception_ptr(42));
    const auto& texts = Testing::Answers::MessageTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_NE(texts[0].find("disque plein"), String::npos);
    EXPECT_NE(texts[1].find("Propriété inconnue"), String::npos);
    EXPECT_NE(texts[2].find("Erreur inconnue"), String::npos);
    Testing::Answers::Clear();
}
