#include <gtest/gtest.h>

#include <algorithm>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/component/kPlot.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/layout/kPlotLabel.h"
#include "components/plot/view/kPlotDataView.h"
#include "support/EditorStandIn.h"

namespace {

using EditorTest::TStandInEditor;
using EditorTest::TStandInEditors;

bool Lists(TStandInEditor& Editor, const String& Combo, const String& Name)
{
    const std::vector<String> items = Editor.ItemsOf(Combo);
    return std::find(items.begin(), items.end(), Name) != items.end();
}

class PlotEditorControllerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        kPlotInitialization();
        kXYPlotInitialization();
    }

    // Opens the plot's editor as the master manager does (stay-on-top, so
    // that opening returns).
    TStandInEditor& Open(TkPlotComponent& APlot)
    {
        APlot.SetEditorFormStyle(kpfsStayOnTop);
        APlot.Master().EditProperties();
        return *Editors.Last;
    }

    TStandInEditors Editors;
    TOwned<TkPlot> Plot{Create<TkPlot>(nullptr)};
};

// ===========================================================================
// Opening and the read protocol
// ===========================================================================

TEST_F(PlotEditorControllerTest, OpeningListsEveryKindAndLoadsTheFirstObjects)
{
    Plot->AddXAxis();
    TStandInEditor& editor = Open(*Plot);
    EXPECT_EQ(editor.Lists[kpokXAxis].Rows,
              (std::vector<TkPlotObject*>{Plot->GetXAxis(0), Plot->GetXAxis(1)}));
    EXPECT_EQ(editor.Lists[kpokXAxis].ItemIndex(), 0);
    EXPECT_EQ(editor.Field("XAxisNameEdit").Text(), "X-Axis 1");
    EXPECT_EQ(editor.Field("ChannelXAxisNameComboBox").Text(), "X-Axis 1");
    EXPECT_EQ(editor.Field("TitleTextEdit").Text(), Plot->TitleText());
    EXPECT_TRUE(editor.PrefixEnabled["XAxis"]);
    // No table yet: its page is off, its add button is no control of it.
    EXPECT_EQ(editor.Lists[kpokTable].ItemIndex(), -1);
    EXPECT_FALSE(editor.PrefixEnabled["Table"]);
    EXPECT_EQ(editor.Captions["ChannelStatsPointCountDisplay"], "Click Refresh");
}

TEST_F(PlotEditorControllerTest, AnEmptyListDisablesItsPageUntilAnObjectIsAdded)
{
    Plot->RemoveAllChannels();
    TStandInEditor& editor = Open(*Plot);
    EXPECT_FALSE(editor.PrefixEnabled["Channel"]);
    EXPECT_EQ(editor.Captions["ChannelStatsPointCountDisplay"], "");

    editor.Controller().AddObject(kpokChannel);
    EXPECT_EQ(editor.Lists[kpokChannel].Selected(), Plot->GetChannel(0));
    EXPECT_TRUE(editor.PrefixEnabled["Channel"]);
    EXPECT_EQ(editor.Field("ChannelNameEdit").Text(), Plot->GetChannel(0)->Name());
    EXPECT_EQ(editor.Captions["ChannelStatsPointCountDisplay"], "Click Refresh");
}

TEST_F(PlotEditorControllerTest, OnlyTheFullChannelClassShowsItsFillBarAndDigitalPages)
{
    TStandInEditor& editor = Open(*Plot);
    EXPECT_TRUE(editor.ControlVisible["ChannelFillTabSheet"]);
    EXPECT_TRUE(editor.ControlVisible["ChannelInterpolationStyleComboBox"]);

    TOwned<TkXYPlot> xy{Create<TkXYPlot>(nullptr)};
    TStandInEditor& xyEditor = Open(*xy);
    for (const char* control : {"ChannelFillTabSheet", "ChannelBarTabSheet", "ChannelHighLowTabSheet",
                                "ChannelDigitalTabSheet", "ChannelFastDrawCheckBox"})
        EXPECT_FALSE(xyEditor.ControlVisible[control]) << control;
}

// ===========================================================================
// Writes and the pages that follow them
// ===========================================================================

TEST_F(PlotEditorControllerTest, ARenamedAxisShowsAtOnceInEveryChoice)
{
    TStandInEditor& editor = Open(*Plot);
    // As on a painted plot, the channel knows its axis (and follows its
    // renames).
    Plot->GetChannel(0)->XAxis();
    editor.Field("XAxisNameEdit").SetText("Time");
    editor.Controller().Change(kpokXAxis);
    EXPECT_EQ(Plot->GetXAxis(0)->Name(), "Time");
    EXPECT_EQ(editor.Field("ChannelXAxisNameComboBox").Text(), "Time");
    EXPECT_TRUE(Lists(editor, "DataViewGridXAxisNameComboBox", "Time"));
    EXPECT_FALSE(Lists(editor, "DataViewGridXAxisNameComboBox", "X-Axis 1"));

    // A channel written next keeps its axis under the new name.
    editor.Controller().Change(kpokChannel);
    EXPECT_EQ(Plot->GetChannel(0)->XAxisName(), "Time");
}

TEST_F(PlotEditorControllerTest, ARemovedAxisLeavesEveryChoiceAndIsNotWrittenBack)
{
    Plot->AddXAxis();
    Plot->AddLimit();
    TStandInEditor& editor = Open(*Plot);
    editor.Lists[kpokXAxis].SetItemIndex(1);
    editor.Controller().RemoveSelected(kpokXAxis);
    EXPECT_EQ(Plot->XAxisCount(), 1);
    EXPECT_EQ(editor.Lists[kpokXAxis].Rows, std::vector<TkPlotObject*>{Plot->GetXAxis(0)});
    for (const char* combo : {"ChannelXAxisNameComboBox", "LimitXAxisNameComboBox", "DataViewGridXAxisNameComboBox",
                              "XAxisAlignRefAxisNameComboBox"})
        EXPECT_FALSE(Lists(editor, combo, "X-Axis 2")) << combo;

    // Removed by code while the editor is open: the same.
    Plot->AddXAxis();
    EXPECT_TRUE(Lists(editor, "LimitXAxisNameComboBox", "X-Axis 2"));
    Plot->DeleteXAxis(1);
    EXPECT_FALSE(Lists(editor, "LimitXAxisNameComboBox", "X-Axis 2"));
}

TEST_F(PlotEditorControllerTest, TheTitleLabelAndTheTitleTabFollowEachOther)
{
    TStandInEditor& editor = Open(*Plot);
    TkPlotLabel* title = Plot->GetLabel(0);
    EXPECT_FALSE(editor.ControlEnabled["LabelRemoveButton"]);

    editor.Field("LabelCaptionMemo").SetText("Measured");
    editor.Controller().Change(kpokLabel);
    EXPECT_EQ(title->Caption(), "Measured");
    EXPECT_EQ(editor.Field("TitleTextEdit").Text(), "Measured");

    editor.Field("TitleTextEdit").SetText("Computed");
    editor.Controller().TitleChange();
    EXPECT_EQ(title->Caption(), "Computed");
    EXPECT_EQ(editor.Field("LabelCaptionMemo").Text(), "Computed");

    // Labels taken away by code or a configuration: nothing to write.
    Free(Plot->GetLabel(0));
    EXPECT_FALSE(editor.PrefixEnabled["Label"]);
    EXPECT_NO_THROW(editor.Controller().TitleChange());
}

TEST_F(PlotEditorControllerTest, CopyDefaultGivesTheCursorTabTheDefaultLabelFormat)
{
    TStandInEditor& editor = Open(*Plot);
    editor.Field("YAxisLabelFormatStyleComboBox").SetItemIndex(kptfDateTime);
    editor.Field("YAxisDateTimeFormatComboBox").SetText("hh:nn");
    editor.Field("YAxisLabelPrecisionEdit").SetText("4");
    editor.Controller().CopyDefaultLabelFormat(kpokYAxis, "Cursor");
    TkPlotYAxis* axis = Plot->GetYAxis(0);
    EXPECT_EQ(axis->CursorFormatStyle(), kptfDateTime);
    EXPECT_EQ(axis->CursorDateTimeFormat(), "hh:nn");
    EXPECT_EQ(axis->CursorPrecision(), 4);
}

// ===========================================================================
// Channels
// ===========================================================================

TEST_F(PlotEditorControllerTest, StatisticsShowTheChannelsFiguresAndSurviveAnEmptyChannel)
{
    TStandInEditor& editor = Open(*Plot);
    Plot->GetXAxis(0)->SetLabelsFormatStyle(kptfDateTime);
    editor.Controller().UpdateChannelStats();
    EXPECT_EQ(editor.Captions["ChannelStatsPointCountDisplay"], "0");
    EXPECT_TRUE(editor.Captions["ChannelStatsMemoryDisplay"].ends_with(" Bytes"));
    EXPECT_FALSE(editor.Captions["ChannelStatsXMinDisplay"].empty());

    Plot->GetChannel(0)->AddXY(1, 2);
    Plot->GetChannel(0)->AddXY(3, 6);
    Plot->GetXAxis(0)->SetLabelsFormatStyle(kptfValue);
    editor.Controller().UpdateChannelStats();
    EXPECT_EQ(editor.Captions["ChannelStatsPointCountDisplay"], "2");
    EXPECT_EQ(editor.Captions["ChannelStatsYMeanDisplay"], Plot->GetYAxis(0)->GetLabelText(4));
}

TEST_F(PlotEditorControllerTest, LogButtonsFollowTheLogAndAPickedFileReachesTheChannelAtOnce)
{
    TStandInEditor& editor = Open(*Plot);
    const String file = ::testing::TempDir() + "editor-log.txt";
    editor.Controller().ChannelLogFileNamePicked(file);
    EXPECT_EQ(Plot->GetChannel(0)->LogFileName(), file);
    EXPECT_EQ(editor.Field("ChannelLogFileNameEdit").Text(), file);

    // Refused or not, the page shows the log's state afterwards.
    editor.ControlEnabled.clear();
    EXPECT_THROW(editor.Controller().ChannelLogDeactivate(), Exception);
    EXPECT_TRUE(editor.ControlEnabled["ChannelLogActivateButton"]);
    EXPECT_FALSE(editor.ControlEnabled["ChannelLogDeactivateButton"]);
    EXPECT_TRUE(editor.ControlEnabled["ChannelLogFileNameEdit"]);
}

// ===========================================================================
// The layout popup
// ===========================================================================

TEST_F(PlotEditorControllerTest, LayoutPopupOffersWhatTheObjectUnderTheMouseAllows)
{
    Plot->AddLabel();
    TStandInEditor& editor = Open(*Plot);
    TkPlotEditorController& controller = editor.Controller();
    EXPECT_FALSE(controller.LayoutMenu().EditEnabled);

    controller.LayoutPressed(Plot->GetLabel(0));
    EXPECT_FALSE(controller.LayoutMenu().DeleteEnabled);
    controller.LayoutDelete();
    EXPECT_EQ(Plot->LabelCount(), 2);

    controller.LayoutPressed(Plot->GetDataView(0));
    EXPECT_FALSE(controller.LayoutMenu().VisibleEnabled);
    EXPECT_TRUE(controller.LayoutMenu().EditEnabled);

    controller.LayoutPressed(Plot->GetLabel(1));
    EXPECT_TRUE(controller.LayoutMenu().DeleteEnabled);
    controller.LayoutDelete();
    EXPECT_EQ(Plot->LabelCount(), 1);
    EXPECT_EQ(controller.LayoutObject(), nullptr);
    EXPECT_FALSE(controller.LayoutMenu().DeleteEnabled);
}

TEST_F(PlotEditorControllerTest, LayoutActionsLeaveNoPageOrPointerBehind)
{
    Plot->AddXAxis();
    TStandInEditor& editor = Open(*Plot);
    TkPlotEditorController& controller = editor.Controller();

    controller.LayoutPressed(Plot->GetXAxis(1));
    controller.LayoutEdit();
    EXPECT_EQ(editor.ShownPage, kpokXAxis);
    EXPECT_EQ(editor.Lists[kpokXAxis].Selected(), Plot->GetXAxis(1));

    controller.LayoutToggleVisible();
    EXPECT_FALSE(editor.Field("XAxisVisibleCheckBox").Checked());
    controller.LayoutXYAxesReverse();
    EXPECT_TRUE(controller.LayoutMenu().XYAxesReverseChecked);

    // Freed elsewhere: the popup no longer acts on it.
    editor.Controller().RemoveSelected(kpokXAxis);
    EXPECT_EQ(controller.LayoutObject(), nullptr);

    // A popup opened from the keyboard acts on nothing, not on the object
    // of a press long past.
    controller.LayoutPressed(Plot->GetXAxis(0));
    EXPECT_TRUE(controller.LayoutMenuOpened().EditEnabled);
    EXPECT_FALSE(controller.LayoutMenuOpened().EditEnabled);
}

}  // namespace
