#include <gtest/gtest.h>

#include "components/editor/EditorUnits.h"
#include "components/editor/kEditorControls.h"
#include "components/editor/kEditorEdit.h"
#include "components/editor/kEditorListBox.h"
#include "components/editor/kEditorMemo.h"
#include "components/editor/kEditorPickers.h"
#include "components/editor/kPlotEditorForm.h"
#include "components/editor/kPlotLayoutViewer.h"
#include "components/editor/kValueConverterEditForm.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/component/kPlot.h"
#include "components/plot/layout/kPlotLabel.h"
#include "platform/CommonDialogs.h"
#include "platform/Testing.h"
#include "support/EditorValues.h"
#include "support/LayoutCheck.h"
#include "support/TempFolder.h"

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
        Editor = dynamic_cast<TkPlotEditorForm*>(Plot->Master().Editor().Form());
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

TEST_F(PlotEditorFormTest, EveryPageShowsItsTextWholeAndItsControlsApart)
{
    EXPECT_EQ(LayoutCheck::Faults(Editor), std::vector<String>{});
}

// Whichever part of the tab row shows, a click on a tab wholly in view
// opens its page and leaves the row where it is.
TEST_F(PlotEditorFormTest, AClickOnATabInViewLeavesTheTabRowWhereItIs)
{
    auto* pages = Control<TPageControl>("PageControl");
    const auto row = [pages] {
        std::vector<TRect> tabs;
        for (Integer i = 0; i < pages->TabCount(); ++i) tabs.push_back(pages->TabRect(i));
        return tabs;
    };
    const auto inView = [pages](Integer Tab) {
        const TRect r = pages->TabRect(Tab);
        const Integer middle = (r.Top + r.Bottom) / 2;
        return r.Left >= 0 && pages->IndexOfTabAt(r.Left, middle) == Tab && pages->IndexOfTabAt(r.Right - 1, middle) == Tab;
    };
    EXPECT_FALSE(inView(pages->TabCount() - 1));  // the row is longer than the form is wide
    for (const Integer start : {Integer(0), pages->TabCount() - 1, pages->TabCount() / 2}) {
        pages->SetTabIndex(start);
        const std::vector<TRect> before = row();
        Integer clicked = 0;
        for (Integer tab = 0; tab < pages->TabCount(); ++tab) {
            if (!inView(tab)) continue;
            const TRect r = pages->TabRect(tab);
            Testing::VirtualClock::Advance(DoubleClickTime + 1);
            Testing::Input::Click(pages, mbLeft, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
            EXPECT_EQ(pages->TabIndex(), tab);
            EXPECT_EQ(row(), before) << "after a click on tab " << tab << " (row showing tab " << start << ")";
            ++clicked;
        }
        EXPECT_GT(clicked, 5);
    }
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
    Editor = dynamic_cast<TkPlotEditorForm*>(Plot->Master().Editor().Form());

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

// The Remove button holds the focus from its click when the last object
// goes and the page's controls are disabled, itself among them.
TEST_F(PlotEditorFormTest, RemovingThePagesLastObjectLeavesTheFocusWhereKeysWork)
{
    Testing::Input::Click(Reveal<TControl>("LimitRemoveButton"), mbLeft, 5, 5);
    EXPECT_EQ(Control<TkComponentEditorListBox>("LimitListBox")->Count(), 0);
    ASSERT_NE(Screen->ActiveControl(), nullptr);
    EXPECT_TRUE(Screen->ActiveControl()->CanFocus()) << Screen->ActiveControl()->Name();
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

TEST_F(PlotEditorFormTest, BlueChosenInTheFontDialogTurnsThePlotTitleBlue)
{
    Plot->SetBounds(0, 0, 300, 200);
    Control<TkComponentEditorEdit>("TitleTextEdit")->SetStringWithEvent("Signal");
    EXPECT_EQ(Testing::CountColour(Testing::Grab(Plot.get()).get(), clBlue), 0);
    Testing::Answers::Modal([](TCustomForm* Dialog) {
        auto* colours = dynamic_cast<TComboBox*>(Dialog->FindComponent("ColorComboBox"));
        colours->SetItemIndex(colours->Items()->IndexOf("Bleu"));
        colours->UserSelected();
        Testing::Input::Key(VK_RETURN);
    });
    Reveal<TkComponentEditorFontPicker>("TitleFontPicker")->Click();
    EXPECT_EQ(Plot->TitleFont()->Color(), clBlue);
    EXPECT_GT(Testing::CountColour(Testing::Grab(Plot.get()).get(), clBlue), 20);
}

TEST_F(PlotEditorFormTest, ObjectListsHoldTheNewNameAfterARename)
{
    TStrings* axes = Control<TkComponentEditorListBox>("XAxisListBox")->Items();
    Control<TkComponentEditorEdit>("XAxisNameEdit")->SetStringWithEvent("Time");
    EXPECT_EQ(axes->Strings(0), "Time");
    EXPECT_EQ(axes->Objects(0), Plot->GetXAxis(0));
    // Renamed by code while the editor is open: the same.
    Plot->GetChannel(0)->SetName("Signal");
    EXPECT_EQ(Control<TkComponentEditorListBox>("ChannelListBox")->Items()->Strings(0), "Signal");
}

TEST_F(PlotEditorFormTest, TheLabelCaptionIsTypedOverSeveralLinesAndWrittenAtEachKeystroke)
{
    auto* label = dynamic_cast<TkPlotLabel*>(Plot->Master().Manager(kpokLabel)->GetItem(0));
    ASSERT_NE(label, nullptr);
    auto* memo = Reveal<TkComponentEditorMemo>("LabelCaptionMemo");
    ASSERT_NE(memo, nullptr);
    memo->SetFocus();
    memo->SelectAll();
    Testing::Input::Type("Top");
    EXPECT_EQ(label->Caption(), "Top");
    // Each keystroke reloads the page: the caret must stay where it was.
    Testing::Input::Key(VK_RETURN);
    Testing::Input::Type("line");
    EXPECT_EQ(label->Caption(), "Top\r\nline");
    EXPECT_EQ(memo->AsString(), "Top\r\nline");

    label->SetCaption("A\r\nB");
    Editor->UpdateAll();
    EXPECT_EQ(memo->AsString(), "A\r\nB");
    // The title label always stays: disable the page as an empty list would.
    Editor->EnableControls("Label", false);
    EXPECT_FALSE(memo->Enabled());
    EXPECT_EQ(memo->AsString(), "");
    EXPECT_EQ(label->Caption(), "A\r\nB");
}

TEST_F(PlotEditorFormTest, ValueConverterButtonsTranslateTheirDialogAsTheEditorIs)
{
    Plot->AddTranslation("Value Converter", "Convertisseur");
    auto* picker = Create<TkComponentEditorValueConverterPicker>(Editor);
    Editor->SetFormTranslationMethod([this](TCustomForm* Form) { Plot->Master().TranslateEditorForm(Form); });
    String caption;
    Testing::Answers::Modal([&](TCustomForm* Dialog) {
        caption = Dialog->Caption();
        static_cast<TkValueConverterEditForm*>(Dialog)->CancelButton->Click();
    });
    picker->Click();
    EXPECT_EQ(caption, "Convertisseur");
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

// What a confirmed file dialog hands each picker reaches the plot's or the
// selected channel's files; a data file that cannot be read clears nothing.
TEST_F(PlotEditorFormTest, FilePickersAndLogButtonsReachThePlotsFiles)
{
    TTempFolder folder;
    auto pick = [&](const char* Picker, const String& File) {
        auto* picker = Control<TkEditorFilePicker>(Picker);
        picker->SetFileName(File);
        picker->OnChange(picker);
    };
    TkPlotChannelCustom* channel = Plot->GetChannel(0);
    channel->AddXY(1, 2);
    channel->AddXY(2, 3);
    pick("ControlDataSavePicker", folder / "plot.txt");
    pick("ChannelDataSavePicker", folder / "channel.txt");
    channel->AddXY(3, 4);
    EXPECT_ANY_THROW(pick("ControlDataOpenPicker", folder / "missing.txt"));
    EXPECT_EQ(channel->Count(), 3);
    pick("ControlDataOpenPicker", folder / "plot.txt");
    EXPECT_EQ(channel->Count(), 2);
    pick("ChannelDataOpenPicker", folder / "channel.txt");
    EXPECT_EQ(channel->Count(), 2);

    channel->SetColor(clLime);
    pick("ChannelPropertiesSavePicker", folder / "channel.cfg");
    channel->SetColor(clRed);
    pick("ChannelPropertiesOpenPicker", folder / "channel.cfg");
    EXPECT_EQ(channel->Color(), clLime);

    Plot->AddAnnotation();
    pick("ControlAnnotationSavePicker", folder / "notes.txt");
    Plot->AddAnnotation();
    pick("ControlAnnotationOpenPicker", folder / "notes.txt");
    EXPECT_EQ(Plot->AnnotationCount(), 1);

    pick("ControlLogFileNamePicker", folder / "log.txt");
    EXPECT_EQ(Plot->LogFileName(), folder / "log.txt");
    Control<TControl>("ControlLogActivateButton")->Click();
    EXPECT_TRUE(Plot->LoggingActive());
    Control<TControl>("ControlLogDeactivateButton")->Click();
    EXPECT_FALSE(Plot->LoggingActive());
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
