#include <gtest/gtest.h>

#include "components/editor/EditorUnits.h"
#include "components/editor/kEditorEdit.h"
#include "components/editor/kPlotEditorForm.h"
#include "components/plot/kPlot.h"

void RegisterResources_APP();

namespace {

class PlotEditorFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterResources_APP();
        RegisterEditorUnits();
        InitializeUnits();
        kPlotInitialization();
    }

    TOwned<TkPlot> Plot{Create<TkPlot>(nullptr)};
};

TEST_F(PlotEditorFormTest, OpensFromThePlotWithEveryPageLoaded)
{
    Plot->SetEditorFormStyle(kpfsStayOnTop);
    Plot->Master().EditProperties();
    auto* form = dynamic_cast<TkPlotEditorForm*>(Plot->Master().EditorForm());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Caption(), "Plot");
    EXPECT_EQ(form->ComponentCount(), 908);
    EXPECT_EQ(dynamic_cast<TkComponentEditorEdit&>(*form->Component("XAxisNameEdit")).AsString(), "X-Axis 1");
}

}  // namespace
