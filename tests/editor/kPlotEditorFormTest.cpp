#include <gtest/gtest.h>

#include "components/editor/EditorUnits.h"
#include "components/editor/kEditorControls.h"
#include "components/editor/kEditorEdit.h"
#include "components/editor/kEditorPickers.h"
#include "components/editor/kPlotEditorForm.h"
#include "components/editor/kPlotLayoutViewer.h"
#include "components/plot/kPlot.h"
#include "platform/CommonDialogs.h"
#include "platform/Testing.h"
#include "support/EditorValues.h"

void RegisterResources_APP();

namespace {

using namespace EditorTest;

class PlotEditorFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterResources_APP();
        RegisterEditorUnits();
        InitializeUnits();
        kPlotInitialization();
    }

    void SetUp() override
    {
        Plot->AddTable();
        Plot->AddLimit();
        Plot->AddXAxis();
        Plot->SetEditorFormStyle(kpfsStayOnTop);
        Plot->Master().EditProperties();
        Editor = dynamic_cast<TkPlotEditorForm*>(Plot->Master().EditorForm());
        ASSERT_NE(Editor, nullptr);
        Testing::Input::Flush();
    }

    void TearDown() override
    {
        Testing::Input::Flush();
        Testing::Answers::Clear();
    }

    template <class T>
    T* Control(const char* Name) const
    {
        return dynamic_cast<T*>(Editor->Component(Name));
    }

    // Brings the tabs that hold Control to the front, as a user would.
    template <class T>
    T* Reveal(const char* Name) const
    {
        T* control = Control<T>(Name);
        for (TWinControl* parent = control->Parent(); parent; parent = parent->Parent())
            if (auto* sheet = dynamic_cast<TTabSheet*>(parent)) sheet->PageControl()->SetActivePage(sheet);
        Testing::Input::Flush();
        return control;
    }

    TOwned<TkPlot> Plot{Create<TkPlot>(nullptr)};
    TkPlotEditorForm* Editor = nullptr;
};

TEST_F(PlotEditorFormTest, OpensWithEveryPageLoadedFromItsFirstObject)
{
    EXPECT_EQ(Editor->Caption(), "Plot");
    EXPECT_EQ(Editor->ClientWidth(), 576);
    EXPECT_EQ(Control<TkComponentEditorEdit>("XAxisNameEdit")->AsString(), "X-Axis 1");
    EXPECT_EQ(Control<TkComponentEditorComboBox>("ChannelXAxisNameComboBox")->AsString(), "X-Axis 1");
    EXPECT_EQ(Control<TkComponentEditorEdit>("TitleTextEdit")->AsString(), Plot->TitleText());
    EXPECT_TRUE(Control<TControl>("kTableAddButton")->Enabled());
}

TEST_F(PlotEditorFormTest, StyleChoicesListEveryValueOfTheirEnumeration)
{
    // An item short and the last value could not be chosen; one too many
    // and a choice would write no value at all.
    std::vector<std::pair<const TkPlotEditorPage*, TObject*>> pages = {{&PlotEditorGeneralPage(), Plot.get()}};
    for (Integer kind = kpokToolBar; kind <= kpokLabel; ++kind)
        pages.push_back({&PlotEditorPage(TkPlotObjectKind(kind)), Plot->Master().Manager(TkPlotObjectKind(kind))->GetItem(0)});
    for (auto [page, object] : pages)
        for (const TkPlotEditorRow& row : page->Rows) {
            PPropInfo prop = object->ClassInfo()->FindProperty(row.Property);
            if (!prop || prop->Kind != tkEnumeration || (row.Kind != kecCombo && row.Kind != kecRadio)) continue;
            EXPECT_EQ(Editor->ChoiceField(row.Control).Items().Count(), prop->Type->MaxValue + 1) << row.Control;
        }
}

TEST_F(PlotEditorFormTest, CaptionsGoThroughTheTranslationTableAndDataDoesNot)
{
    Editor->Close();
    Testing::Input::Flush();
    Plot->AddTranslation("Channels", "Voies");
    Plot->AddTranslation("<None>", "<Aucun>");
    Plot->AddTranslation("Channel 1", "Voie 1");
    Plot->Master().EditProperties();
    Editor = dynamic_cast<TkPlotEditorForm*>(Plot->Master().EditorForm());

    EXPECT_EQ(Control<TControl>("ChannelsTabSheet")->Text(), "Voies");
    EXPECT_EQ(Control<TkComponentEditorComboBox>("ChannelXAxisNameComboBox")->Items()->Strings(0), "<Aucun>");
    EXPECT_EQ(Control<TkComponentEditorEdit>("ChannelNameEdit")->AsString(), "Channel 1");
    Editor->Controller().Change(kpokChannel);
    EXPECT_EQ(Plot->GetChannel(0)->Name(), "Channel 1");
}

TEST_F(PlotEditorFormTest, EveryPageWritesBackAnUntouchedObjectUnchanged)
{
    for (Integer each = kpokToolBar; each <= kpokLabel; ++each) {
        const auto kind = TkPlotObjectKind(each);
        SCOPED_TRACE(kind);
        TkPlotObject* object = Plot->Master().Manager(kind)->GetItem(0);
        GiveNonDefaultValues(Plot->Master(), PlotEditorPage(kind), object);
        Editor->UpdateAll();
        const String text = PropertyText(object);
        const std::vector<Extended> floats = Floats(object);
        Editor->Controller().Change(kind);
        EXPECT_EQ(PropertyText(object), text);
        EXPECT_EQ(Floats(object), floats);
    }
}

TEST_F(PlotEditorFormTest, AnEmptyListDisablesAndBlanksItsPageButNotItsAddButton)
{
    Plot->RemoveAllChannels();
    EXPECT_FALSE(Control<TControl>("ChannelListBox")->Enabled());
    EXPECT_FALSE(Control<TControl>("ChannelRemoveButton")->Enabled());
    EXPECT_FALSE(Control<TkComponentEditorEdit>("ChannelNameEdit")->Enabled());
    EXPECT_EQ(Control<TkComponentEditorEdit>("ChannelNameEdit")->AsString(), "");
    EXPECT_TRUE(Control<TControl>("kChannelAddButton")->Enabled());

    Testing::Input::Click(Reveal<TControl>("kChannelAddButton"), mbLeft, 5, 5);
    EXPECT_TRUE(Control<TkComponentEditorEdit>("ChannelNameEdit")->Enabled());
    EXPECT_EQ(Control<TkComponentEditorEdit>("ChannelNameEdit")->AsString(), Plot->GetChannel(0)->Name());
}

TEST_F(PlotEditorFormTest, EachKindOfControlWritesTheUsersChange)
{
    TkPlotXAxis* axis = Plot->GetXAxis(0);
    const bool reversed = !axis->ReverseScale();
    const TkPlotTextFormat format = axis->LabelsFormatStyle();

    Control<TkComponentEditorEdit>("XAxisTitleTextEdit")->SetStringWithEvent("Time");
    Control<TkComponentEditorEdit>("XAxisMinorCountEdit")->SetIntegerWithEvent(7);
    Control<TkComponentEditorEdit>("XAxisSpanEdit")->SetDoubleWithEvent(42.5);
    Testing::Input::Click(Reveal<TControl>("XAxisReverseScaleCheckBox"), mbLeft, 5, 8);
    Reveal<TWinControl>("XAxisLabelFormatStyleComboBox")->SetFocus();
    Testing::Input::Key(VK_DOWN);
    Reveal<TWinControl>("XAxisScaleTypeRadioGroup")->SetFocus();
    Testing::Input::Key(VK_RIGHT);
    Testing::Answers::Dialog([](TObject* Dialog) {
        dynamic_cast<TColorDialog&>(*Dialog).SetColor(clFuchsia);
        return true;
    });
    Control<TkComponentEditorColorPicker>("XAxisScaleLinesColorPicker")->Execute();
    Testing::Answers::Dialog([](TObject* Dialog) {
        dynamic_cast<TFontDialog&>(*Dialog).Font()->SetSize(21);
        return true;
    });
    Control<TkComponentEditorFontPicker>("XAxisTitleFontPicker")->Click();
    Testing::Input::Flush();

    EXPECT_EQ(Testing::Answers::Pending(), 0);
    EXPECT_EQ(axis->Title(), "Time");
    EXPECT_EQ(axis->MinorCount(), 7);
    EXPECT_EQ(axis->Span(), 42.5);
    EXPECT_EQ(axis->ReverseScale(), reversed);
    EXPECT_EQ(axis->LabelsFormatStyle(), format + 1);
    EXPECT_EQ(axis->ScaleType(), kpstLog10);
    EXPECT_EQ(axis->ScaleLinesColor(), clFuchsia);
    EXPECT_EQ(axis->TitleFont()->Size(), 21);
}

TEST_F(PlotEditorFormTest, TheLayoutPopupActsOnTheBlockUnderTheMouse)
{
    Plot->AddLabel();
    auto* viewer = Reveal<TkPlotLayoutViewer>("kPlotLayoutViewer");
    viewer->Invalidate();
    Testing::Input::Flush();
    auto rightClick = [viewer](TkPlotLayoutObject* AObject, const char* Item) {
        const TRect block = viewer->BlockRect(AObject);
        Testing::Answers::Menu(Item);
        Testing::Input::Click(viewer, mbRight, (block.Left + block.Right) / 2, (block.Top + block.Bottom) / 2);
        Testing::Input::Flush();
    };

    // The title stays; another label goes, and leaves its list.
    rightClick(Plot->GetLabel(0), "Delete");
    EXPECT_EQ(Plot->LabelCount(), 2);
    rightClick(Plot->GetLabel(1), "Delete");
    EXPECT_EQ(Plot->LabelCount(), 1);
    EXPECT_EQ(Editor->List(kpokLabel).Count(), 1);

    rightClick(Plot->GetXAxis(1), "Edit");
    EXPECT_EQ(Editor->List(kpokXAxis).Selected(), Plot->GetXAxis(1));
    EXPECT_EQ(Control<TkComponentEditorEdit>("XAxisNameEdit")->AsString(), "X-Axis 2");
}

TEST_F(PlotEditorFormTest, AfterCloseEditorIsHeardOnlyFromALivingPlot)
{
    Integer closed = 0;
    Plot->OnAfterCloseEditor = [&closed](TObject*) { ++closed; };
    Editor->Close();
    Testing::Input::Flush();
    EXPECT_EQ(closed, 1);

    Plot->Master().EditProperties();
    Plot.reset();
    EXPECT_EQ(closed, 1);
}

}  // namespace
