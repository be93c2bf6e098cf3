// The editor library's windows as a user sees them: whole captions,
// controls apart and inside their parents, on every page.

#include <gtest/gtest.h>

#include <vector>

#include "components/editor/EditorUnits.h"
#include "components/editor/kPlotEditorForm.h"
#include "components/editor/kPlotPreview.h"
#include "components/editor/kValueConverterEditForm.h"
#include "components/plot/kPlot.h"
#include "platform/Testing.h"
#include "support/LayoutCheck.h"

void RegisterResources_APP();

namespace {

const std::vector<String> None;

class FormLayoutTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterResources_APP();
        RegisterEditorUnits();
        InitializeUnits();
        kPlotInitialization();
    }

    void TearDown() override
    {
        Testing::Input::Flush();
        Testing::Answers::Clear();
    }

    // A plot of the full channel class, whose editor shows every page, with
    // one object of each kind to load them from.
    TOwned<TkPlot> Plot{Create<TkPlot>(nullptr)};
};

TEST_F(FormLayoutTest, EveryPageOfThePlotEditorShowsItsTextWholeAndItsControlsApart)
{
    Plot->AddTable();
    Plot->AddLimit();
    Plot->SetEditorFormStyle(kpfsStayOnTop);
    Plot->Master().EditProperties();
    Testing::Input::Flush();
    EXPECT_EQ(LayoutCheck::Faults(dynamic_cast<TkPlotEditorForm*>(Plot->Master().EditorForm())), None);
}

TEST_F(FormLayoutTest, TheValueConverterThePreviewAndItsSettingsShowTheirTextWholeAndTheirControlsApart)
{
    TOwned<TkValueConverterEditForm> converter{Create<TkValueConverterEditForm>(nullptr)};
    converter->SetValue(45000.123456);  // every field holds a number of several digits
    converter->Show();
    Testing::Input::Flush();
    EXPECT_EQ(LayoutCheck::Faults(converter.get()), None);

    Testing::Answers::Modal([](TCustomForm* Preview) {
        EXPECT_EQ(LayoutCheck::Faults(Preview), None);
        Testing::Answers::Modal([](TCustomForm* Settings) {
            EXPECT_EQ(LayoutCheck::Faults(Settings), None);
            Settings->SetModalResult(mrCancel);
        });
        dynamic_cast<TkPlotPreviewForm&>(*Preview).SettingsButton()->Click();
        Preview->SetModalResult(mrOk);
    });
    Plot->PreviewChart();
    EXPECT_EQ(Testing::Answers::Pending(), 0);
}

}  // namespace
