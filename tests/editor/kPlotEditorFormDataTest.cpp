#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "components/editor/kPlotEditorPages.h"
#include "platform/FormStream.h"
#include "platform/Resources.h"
#include "platform/SysUtils.h"

void RegisterResources_APP();

namespace {

// One component of the form data: its class, caption and the components
// that hold it, outermost first.
struct TComponentData {
    String Class;
    String Caption;
    std::vector<String> Holders;
};

class PlotEditorFormDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterResources_APP(); }

    void SetUp() override
    {
        const auto data = FindResourceData("TKPLOTEDITORFORM");
        Text.assign(reinterpret_cast<const char*>(data.data()), data.size());
        ReadComponents();
    }

    // The form data's tree by indentation: "object Name: Class" opens a
    // component, "end" closes it.
    void ReadComponents()
    {
        std::vector<String> open;
        std::size_t start = 0;
        while (start < Text.size()) {
            std::size_t end = Text.find('\n', start);
            if (end == String::npos) end = Text.size();
            const String line = Trim(std::string_view(Text).substr(start, end - start));
            start = end + 1;
            if (line.starts_with("object ")) {
                const std::size_t colon = line.find(':');
                const String name = line.substr(7, colon - 7);
                Order.push_back(name);
                Components[name] = {Trim(line.substr(colon + 1)), "", open};
                open.push_back(name);
            } else if (line == "end") open.pop_back();
            else if (line.starts_with("Caption = '")) Components[open.back()].Caption = line.substr(11, line.size() - 12);
        }
    }

    // The caption of the top-level tab that holds Name.
    String TopTab(const String& Name)
    {
        const std::vector<String>& holders = Components[Name].Holders;
        return holders.size() > 2 ? Components[holders[2]].Caption : String();
    }

    String Text;
    std::map<String, TComponentData> Components;
    std::vector<String> Order;
};

TEST_F(PlotEditorFormDataTest, FormDataReadsAsFormText)
{
    EXPECT_NO_THROW(ParseFormText(Text));
    EXPECT_EQ(Components[Order.front()].Class, "TkPlotEditorForm");
    EXPECT_EQ(Order.size(), std::set<String>(Order.begin(), Order.end()).size()) << "names are unique";
    EXPECT_GT(Order.size(), 900u);
}

TEST_F(PlotEditorFormDataTest, TopLevelTabsComeInTheirOrder)
{
    std::vector<String> tabs;
    for (const String& name : Order)
        if (Components[name].Holders == std::vector<String>{Order.front(), "PageControl"})
            tabs.push_back(Components[name].Caption);
    EXPECT_EQ(tabs, (std::vector<String>{"Control", "Layout", "Channels", "Cursors", "Limits", "Labels", "X-Axes",
                                         "Y-Axes", "Legend", "Tables", "ToolBar", "Data View"}));
}

TEST_F(PlotEditorFormDataTest, EveryBoundControlIsOnItsPageWithTheClassOfItsKind)
{
    static const std::map<TkPlotEditorControlKind, String> classes = {
        {kecEdit, "TkComponentEditorEdit"},         {kecCheck, "TkComponentEditorCheckBox"},
        {kecCombo, "TkComponentEditorComboBox"},    {kecNameCombo, "TkComponentEditorComboBox"},
        {kecRadio, "TkComponentEditorRadioGroup"},  {kecColor, "TkComponentEditorColorPicker"},
        {kecFont, "TkComponentEditorFontPicker"}};
    static const char* const tabs[] = {"ToolBar", "Legend", "Tables", "X-Axes", "Y-Axes",
                                       "Channels", "Data View", "Cursors", "Limits", "Labels"};
    auto check = [&](const TkPlotEditorPage& Page, const String& Tab) {
        for (const TkPlotEditorRow& row : Page.Rows) {
            SCOPED_TRACE(row.Control);
            ASSERT_TRUE(Components.contains(row.Control));
            EXPECT_EQ(Components[row.Control].Class, classes.at(row.Kind));
            EXPECT_EQ(TopTab(row.Control), Tab);
        }
    };
    for (Integer kind = kpokToolBar; kind <= kpokLabel; ++kind)
        check(PlotEditorPage(TkPlotObjectKind(kind)), tabs[kind]);
    check(PlotEditorGeneralPage(), "Control");
    check(PlotEditorTitlePage(), "Control");
}

TEST_F(PlotEditorFormDataTest, AddButtonsStayOutsideEveryContainerOfAKindPrefix)
{
    // Disabling a page disables what its prefixed containers hold (tab
    // sheets and page controls are passed over): an add button inside one
    // could never add the first object.
    for (const char* button : {"XAxesAddButton", "YAxesAddButton", "kChannelAddButton", "kDataCursorAddButton",
                               "kLimitAddButton", "kLabelAddButton", "kTableAddButton"}) {
        SCOPED_TRACE(button);
        ASSERT_TRUE(Components.contains(button));
        for (const String& holder : Components[button].Holders) {
            const String& holderClass = Components[holder].Class;
            if (holderClass == "TTabSheet" || holderClass == "TkComponentEditorPageControl") continue;
            for (Integer kind = kpokToolBar; kind <= kpokLabel; ++kind) {
                const String prefix = PlotEditorPage(TkPlotObjectKind(kind)).Prefix;
                EXPECT_FALSE(SameText(holder.substr(0, prefix.size()), prefix)) << holder;
            }
        }
    }
}

}  // namespace
