#include <gtest/gtest.h>

#include <vector>

#include "components/editor/kPlotEditorBinder.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kPlot.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/view/kPlotDataView.h"
#include "components/plot/view/kPlotLimit.h"
#include "support/EditorFieldsStandIn.h"
#include "support/EditorValues.h"
#include "support/MessageOf.h"

namespace {

using EditorTest::Floats;
using EditorTest::GiveNonDefaultValues;
using EditorTest::PropertyText;
using EditorTest::TStandInFields;

class PlotEditorBinderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        kPlotInitialization();
        kXYPlotInitialization();
    }

    void SetUp() override
    {
        Plot->AddTable();
        Plot->AddLimit();
        Plot->AddLabel();
        Plot->AddXAxis();
    }

    TOwned<TkPlot> Plot{Create<TkPlot>(nullptr)};
    TStandInFields Fields;
    TkPlotEditorBinder Binder{Fields, Plot->Master()};

    TkPlotObject* FirstOf(TkPlotObjectKind Kind) const { return Plot->Master().Manager(Kind)->GetItem(0); }

    // Loads, writes back untouched and checks the object did not change.
    void ExpectUntouchedRoundTrip(const TkPlotEditorPage& Page, TObject* Object)
    {
        const String text = PropertyText(Object);
        const std::vector<Extended> floats = Floats(Object);
        Binder.Load(Page, Object);
        Binder.Write(Page, Object);
        EXPECT_EQ(PropertyText(Object), text);
        EXPECT_EQ(Floats(Object), floats);
    }
};

// ===========================================================================
// The page tables
// ===========================================================================

TEST_F(PlotEditorBinderTest, ControlsOfAKindPageCarryItsPrefixAndAppearOnce)
{
    std::vector<String> seen;
    for (Integer kind = kpokToolBar; kind <= kpokLabel; ++kind) {
        const TkPlotEditorPage& page = PlotEditorPage(TkPlotObjectKind(kind));
        for (const TkPlotEditorRow& row : page.Rows) {
            EXPECT_TRUE(SameText(String(row.Control).substr(0, String(page.Prefix).size()), page.Prefix)) << row.Control;
            EXPECT_EQ(std::count(seen.begin(), seen.end(), UpperCase(row.Control)), 0) << row.Control;
            seen.push_back(UpperCase(row.Control));
        }
        EXPECT_STREQ(page.Rows.front().Property, "Name");
    }
    EXPECT_THROW(PlotEditorPage(kpokAnnotation), EListError);
}

// ===========================================================================
// Round trips
// ===========================================================================

TEST_F(PlotEditorBinderTest, EveryPageWritesBackAnUntouchedObjectUnchanged)
{
    for (Integer kind = kpokToolBar; kind <= kpokLabel; ++kind) {
        SCOPED_TRACE(kind);
        const TkPlotEditorPage& page = PlotEditorPage(TkPlotObjectKind(kind));
        TkPlotObject* object = FirstOf(TkPlotObjectKind(kind));
        GiveNonDefaultValues(Plot->Master(), page, object);
        ExpectUntouchedRoundTrip(page, object);
    }
    GiveNonDefaultValues(Plot->Master(), PlotEditorGeneralPage(), Plot.get());
    ExpectUntouchedRoundTrip(PlotEditorGeneralPage(), Plot.get());
    ExpectUntouchedRoundTrip(PlotEditorTitlePage(), FirstOf(kpokLabel));
}

TEST_F(PlotEditorBinderTest, FloatsAreWrittenOnlyOnceTheirTextChanged)
{
    TkPlotXAxis* axis = Plot->GetXAxis(0);
    axis->SetMin(0.1 + 0.2);
    Binder.Load(PlotEditorPage(kpokXAxis), axis);
    EXPECT_EQ(Fields.Field("XAxisMinEdit").Text(), "0.3");
    Binder.Write(PlotEditorPage(kpokXAxis), axis);
    EXPECT_EQ(axis->Min(), 0.1 + 0.2);

    // The plot moved the axis after the page was loaded (tracking): an
    // unrelated edit of the page must not move it back.
    axis->SetMin(5);
    Fields.Field("XAxisTitleTextEdit").SetText("Time");
    Binder.Write(PlotEditorPage(kpokXAxis), axis);
    EXPECT_EQ(axis->Min(), 5);

    Fields.Field("XAxisMinEdit").SetText(" 0.25 ");
    Binder.Write(PlotEditorPage(kpokXAxis), axis);
    EXPECT_EQ(axis->Min(), 0.25);
}

TEST_F(PlotEditorBinderTest, DraggedCursorPositionsShowFourDigitsAndKeepTheirWholeValue)
{
    auto* cursor = dynamic_cast<TkPlotDataCursor*>(FirstOf(kpokDataCursor));
    ASSERT_NE(cursor, nullptr);
    cursor->SetPointer1Position(100.0 / 3);
    Binder.Load(PlotEditorPage(kpokDataCursor), cursor);
    EXPECT_EQ(Fields.Field("DataCursorPointer1PositionEdit").Text(), "33.33");
    Binder.Write(PlotEditorPage(kpokDataCursor), cursor);
    EXPECT_EQ(cursor->Pointer1Position(), 100.0 / 3);
}

// ===========================================================================
// Channels
// ===========================================================================

TEST_F(PlotEditorBinderTest, ClipToAxesIsBoundForEveryChannelClass)
{
    TOwned<TkXYPlot> xy{Create<TkXYPlot>(nullptr)};
    TkPlotEditorBinder binder{Fields, xy->Master()};
    TkPlotChannelCustom* channel = xy->GetChannel(0);
    binder.Load(PlotEditorPage(kpokChannel), channel);
    EXPECT_EQ(Fields.Field("ChannelClipToAxesCheckBox").Checked(), channel->ClipToAxes());
    Fields.Field("ChannelClipToAxesCheckBox").SetChecked(!channel->ClipToAxes());
    const bool clipped = !channel->ClipToAxes();
    binder.Write(PlotEditorPage(kpokChannel), channel);
    EXPECT_EQ(channel->ClipToAxes(), clipped);
}

// ===========================================================================
// What a write leaves alone
// ===========================================================================

TEST_F(PlotEditorBinderTest, ChoicesWithoutAnOrdinalOfTheEnumerationWriteNothing)
{
    TkPlotXAxis* axis = Plot->GetXAxis(0);
    axis->SetScaleType(kpstLog10);
    axis->SetLabelsFormatStyle(kptfDateTime);
    Binder.Load(PlotEditorPage(kpokXAxis), axis);
    Fields.Field("XAxisScaleTypeRadioGroup").SetItemIndex(-1);
    Fields.Field("XAxisLabelFormatStyleComboBox").SetItemIndex(40);
    Binder.Write(PlotEditorPage(kpokXAxis), axis);
    EXPECT_EQ(axis->ScaleType(), kpstLog10);
    EXPECT_EQ(axis->LabelsFormatStyle(), kptfDateTime);
}

TEST_F(PlotEditorBinderTest, ANameNotListedSurvivesAWriteOfItsPage)
{
    TkPlotChannelCustom* channel = Plot->GetChannel(0);
    channel->SetXAxisName("Axis To Come");
    Binder.Load(PlotEditorPage(kpokChannel), channel);
    EXPECT_EQ(Fields.Field("ChannelXAxisNameComboBox").ItemIndex(), -1);
    Binder.Write(PlotEditorPage(kpokChannel), channel);
    EXPECT_EQ(channel->XAxisName(), "Axis To Come");
}

TEST_F(PlotEditorBinderTest, ANumberOutOfRangeIsRefusedAndNothingIsWritten)
{
    TkPlotXAxis* axis = Plot->GetXAxis(0);
    const String before = PropertyText(axis);
    // The name comes first in the page: it must not be written either.
    Binder.Load(PlotEditorPage(kpokXAxis), axis);
    Fields.Field("XAxisNameEdit").SetText("Renamed");
    Fields.Field("XAxisLayerEdit").SetText("99999999999");
    EXPECT_THROW(Binder.Write(PlotEditorPage(kpokXAxis), axis), EConvertError);
    EXPECT_EQ(PropertyText(axis), before);
}

TEST_F(PlotEditorBinderTest, NumberFieldsHoldingNoNumberWriteZero)
{
    TkPlotXAxis* axis = Plot->GetXAxis(0);
    axis->SetMin(5);
    axis->SetMinorCount(4);
    axis->SetLayer(7);
    Binder.Load(PlotEditorPage(kpokXAxis), axis);
    Fields.Field("XAxisMinEdit").SetText("abc");
    Fields.Field("XAxisMinorCountEdit").SetText("");
    Fields.Field("XAxisLayerEdit").SetText("3.5");
    Binder.Write(PlotEditorPage(kpokXAxis), axis);
    EXPECT_EQ(axis->Min(), 0);
    EXPECT_EQ(axis->MinorCount(), 0);
    EXPECT_EQ(axis->Layer(), 0);
}

// ===========================================================================
// Name combo boxes
// ===========================================================================

class PlotEditorNamesTest : public PlotEditorBinderTest {
protected:
    void Translate(const String& Original, const String& Replacement)
    {
        TkPlotTranslationManager* table = Plot->Master().TranslationManager();
        TkPlotTranslationObject* entry = table->GetItem(table->Add());
        entry->SetOriginalString(Original);
        entry->SetReplacementString(Replacement);
    }
};

TEST_F(PlotEditorNamesTest, SpecialItemsShowTranslatedAndStoreTheirCanonicalText)
{
    Translate("<None>", "<Aucun>");
    Translate("<All>", "<Tous>");
    TkPlotDataView* view = Plot->GetDataView(0);
    view->SetGridXAxisName("<All>");
    view->SetGridYAxisName("<None>");
    Binder.Load(PlotEditorPage(kpokDataView), view);
    EXPECT_EQ(Fields.ItemsOf("DataViewGridXAxisNameComboBox"),
              (std::vector<String>{"<Aucun>", "X-Axis 1", "X-Axis 2", "<Tous>"}));
    EXPECT_EQ(Fields.Field("DataViewGridXAxisNameComboBox").Text(), "<Tous>");
    EXPECT_EQ(Fields.Field("DataViewGridYAxisNameComboBox").Text(), "<Aucun>");
    Binder.Write(PlotEditorPage(kpokDataView), view);
    EXPECT_EQ(view->GridXAxisName(), "<All>");
    EXPECT_EQ(view->GridYAxisName(), "<None>");

    TkPlotDataCursor* cursor = Plot->GetDataCursor(0);
    cursor->SetChannelName("<All>");
    Binder.Load(PlotEditorPage(kpokDataCursor), cursor);
    EXPECT_EQ(Fields.Field("DataCursorChannelNameComboBox").ItemIndex(), 0);
    Binder.Write(PlotEditorPage(kpokDataCursor), cursor);
    EXPECT_EQ(cursor->ChannelName(), "<All>");
}

TEST_F(PlotEditorNamesTest, RefillKeepsTheChosenNameWhileItIsListed)
{
    TkPlotLimit* limit = Plot->GetLimit(0);
    limit->SetXAxisName("x-axis 2");
    Binder.Load(PlotEditorPage(kpokLimit), limit);
    TkPlotEditorChoiceField& combo = Fields.Field("LimitXAxisNameComboBox");
    EXPECT_EQ(combo.ItemIndex(), 2);

    Plot->GetXAxis(0)->SetName("Renamed");
    Binder.RefillNameChoices(PlotEditorPage(kpokLimit));
    EXPECT_EQ(combo.Items().Strings(1), "Renamed");
    EXPECT_EQ(combo.ItemIndex(), 2);

    Plot->GetXAxis(1)->SetName("Gone");
    Binder.RefillNameChoices(PlotEditorPage(kpokLimit));
    EXPECT_EQ(combo.ItemIndex(), -1);
}

}  // namespace
