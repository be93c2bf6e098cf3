// The correlation curve, computed at once ("Calcul direct") and one shift
// per 50 ms tick (the switch "calcul décomposé").

#include <algorithm>
#include <vector>

#include "MainWindowFixture.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"

namespace {

std::vector<double> YValues(TkXYPlotChannel* Channel)
{
    std::vector<double> values;
    for (Integer i = 0; i < Channel->Count(); ++i) values.push_back(Channel->GetYValue(i));
    return values;
}

}  // namespace

class CorrelationTest : public MainWindowTest {
protected:
    void ClickCalculDirect()
    {
        Testing::Input::Click(Form->Button1, mbLeft, 10, 10);
        Testing::Input::Flush();
    }
};

TEST_F(CorrelationTest, SquareBySquareIsExactlyKOver360)
{
    Choose(Form->ComboBox2, 0);
    Choose(Form->ComboBox1, 0);
    ClickCalculDirect();
    EXPECT_EQ(Form->QdStrEdit1->Text(), " calcul instantané ");
    auto* curve = Points(Form->kXYPlot2);
    ASSERT_EQ(curve->Count(), 1080);
    for (Integer k = 0; k < 1080; ++k) {
        const double expected = k <= 360 ? k / 360.0 : k < 720 ? (720 - k) / 360.0 : 0.0;
        ASSERT_EQ(curve->GetXValue(k), k);
        ASSERT_EQ(curve->GetYValue(k), expected) << k;
    }
}

TEST_F(CorrelationTest, SequenceAutoCorrelationPeaksAt412)
{
    Choose(Form->ComboBox2, 2);
    Choose(Form->ComboBox1, 2);
    ClickCalculDirect();
    const std::vector<double> c = YValues(Points(Form->kXYPlot2));
    ASSERT_EQ(c.size(), 1080u);
    EXPECT_EQ(std::max_element(c.begin(), c.end()) - c.begin(), 412);
    EXPECT_EQ(c[412], 128.0 / 127.0);
    EXPECT_EQ(c[539], 64.0 / 127.0);
    EXPECT_EQ(c[1079], 0.0);
}

// Without a second signal the sums run over zeros, not over whatever the
// buffer held; without a first signal nothing is summed.
TEST_F(CorrelationTest, MissingChoiceGivesAFlatCurve)
{
    Choose(Form->ComboBox2, 1);
    ClickCalculDirect();
    EXPECT_EQ(YValues(Points(Form->kXYPlot2)), std::vector<double>(1080, 0.0));

    Choose(Form->ComboBox1, 1);
    Choose(Form->ComboBox2, 4);
    ClickCalculDirect();
    EXPECT_EQ(YValues(Points(Form->kXYPlot2)), std::vector<double>(1080, 0.0));
}

TEST_F(CorrelationTest, StepRunAddsOnePointPerTickAndSweepsAgain)
{
    Choose(Form->ComboBox2, 0);
    Choose(Form->ComboBox1, 0);
    ClickCalculDirect();
    const std::vector<double> direct = YValues(Points(Form->kXYPlot2));

    ClickSwitch();
    ASSERT_TRUE(Form->kSwitchLed1->Active());
    ASSERT_TRUE(Form->Timer1->Enabled());
    auto* curve = Points(Form->kXYPlot2);
    auto* shifted = Points(Form->kXYPlot3);
    EXPECT_EQ(curve->Count(), 1080);  // cleared only by the first tick

    Tick();
    EXPECT_EQ(Form->QdStrEdit1->Text(), " calcul de l'aire commune x et y donne un point sur Cxy(t) ou Cxy(n) ");
    EXPECT_EQ(curve->Count(), 1);
    Tick(9);
    ASSERT_EQ(curve->Count(), 10);
    // Plot 3 shows the second signal delayed by the last shift, 9.
    ASSERT_EQ(shifted->Count(), 1080);
    EXPECT_EQ(shifted->GetYValue(8), 0.0);
    EXPECT_EQ(shifted->GetYValue(9), 1.0);
    EXPECT_EQ(shifted->GetYValue(368), 1.0);
    EXPECT_EQ(shifted->GetYValue(369), 0.0);

    Tick(1070);
    EXPECT_EQ(YValues(curve), direct);
    Tick();
    ASSERT_EQ(curve->Count(), 1);
    EXPECT_EQ(curve->GetXValue(0), 0.0);

    ClickSwitch();
    EXPECT_FALSE(Form->Timer1->Enabled());
    Tick(20);
    EXPECT_EQ(curve->Count(), 1);
}

// The step timer runs exactly while the switch is on, whoever turned it.
TEST_F(CorrelationTest, SwitchAndStepTimerNeverDisagree)
{
    Choose(Form->ComboBox2, 0);
    Choose(Form->ComboBox1, 0);
    auto* curve = Points(Form->kXYPlot2);

    Form->kSwitchLed1->SetActive(true);
    EXPECT_TRUE(Form->Timer1->Enabled());
    Tick(400);
    ASSERT_EQ(curve->Count(), 400);
    // A handler call while both agree changes nothing.
    Form->interact(Form->kSwitchLed1);
    EXPECT_TRUE(Form->Timer1->Enabled());
    Tick();
    EXPECT_EQ(curve->Count(), 401);

    Form->kSwitchLed1->SetActive(false);
    EXPECT_FALSE(Form->Timer1->Enabled());
    Form->kSwitchLed1->SetActive(true);
    Tick();
    // Turned on again: a new sweep from shift 0.
    ASSERT_EQ(curve->Count(), 1);
    EXPECT_EQ(curve->GetXValue(0), 0.0);

    Testing::Input::DblClick(Form->kSwitchLed1, mbLeft, 10, 10);
    Testing::Input::Flush();
    EXPECT_EQ(Form->Timer1->Enabled(), Form->kSwitchLed1->Active());
}
