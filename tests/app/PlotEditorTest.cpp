#include <algorithm>
#include <vector>

#include "components/editor/kEditorEdit.h"
#include "components/editor/kEditorPickers.h"
#include "components/editor/kPlotEditorForm.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/layout/kPlotLabel.h"
#include "platform/CommonDialogs.h"
#include "app/MainWindowFixture.h"
#include "support/LayoutCheck.h"

namespace {

using PlotEditorTest = MainWindowTest;

template <class T>
T& ControlOf(TCustomForm* Editor, const char* Name)
{
    return dynamic_cast<T&>(*dynamic_cast<TkPlotEditorForm&>(*Editor).Component(Name));
}

TEST_F(PlotEditorTest, AChannelColourAndTheTitleChangedInTheEditorShowInThePlot)
{
    TkXYPlot* plot = Form->kXYPlot1;
    Choose(Form->ComboBox2, 1);
    Testing::Answers::Modal([](TCustomForm* Editor) {
        Testing::Answers::Dialog([](TObject* Dialog) {
            dynamic_cast<TColorDialog&>(*Dialog).SetColor(clLime);
            return true;
        });
        ControlOf<TkComponentEditorColorPicker>(Editor, "ChannelColorPicker").Execute();
        ControlOf<TkComponentEditorEdit>(Editor, "TitleTextEdit").SetStringWithEvent("Signal edited");
        Editor->SetModalResult(mrOk);
    });
    plot->Master().EditProperties();
    Testing::Input::Flush();

    EXPECT_EQ(Testing::Answers::Pending(), 0);
    EXPECT_EQ(Points(plot)->Color(), clLime);
    EXPECT_EQ(plot->GetLabel(0)->Caption(), "Signal edited");
    EXPECT_GT(Testing::CountColour(Testing::Grab(plot).get(), clLime), 0);
}

TEST_F(PlotEditorTest, TheEditorOpensFromThePlotsMenuAsTheOnlyNewWindow)
{
    Testing::Answers::Modal([](TCustomForm* Editor) {
        std::vector<String> shown;
        for (TControl* window : Testing::ShownWindows()) shown.push_back(window ? window->ClassName() : "?");
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ(shown, (std::vector<String>{"TForm1", "TkPlotEditorForm"}));
        Editor->SetModalResult(mrOk);
    });
    Testing::Answers::Menu("Edit...");
    Testing::Input::Click(Form->kXYPlot1, mbRight, 300, 80);
    Testing::Input::Flush();
    EXPECT_EQ(Testing::Answers::Pending(), 0);
}

TEST_F(PlotEditorTest, TheEditorShowsThePlotsOwnTextsWhole)
{
    // Plot 2 has the longest title and channel title of the window.
    Testing::Answers::Modal([](TCustomForm* Editor) {
        EXPECT_EQ(LayoutCheck::Faults(Editor), std::vector<String>{});
        Editor->SetModalResult(mrOk);
    });
    Form->kXYPlot2->Master().EditProperties();
    EXPECT_EQ(Testing::Answers::Pending(), 0);
}

}  // namespace
