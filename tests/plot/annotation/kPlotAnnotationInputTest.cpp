// Annotations under the user's mouse on a plot: dragged and resized through
// the plot's routing of synthetic input, ending at the values under the
// release, with the plot's annotation events.

#include <gtest/gtest.h>

#include <vector>

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/view/kPlotDataView.h"
#include "support/PlotOnForm.h"

namespace {

using PlotTest::PlotOnForm;

class PlotAnnotationInputTest : public PlotOnForm {
protected:
    TkPlotAnnotation* Note = nullptr;
    std::vector<String> Events;

    void SetUp() override
    {
        PlotOnForm::SetUp();
        Note = Plot->GetAnnotation(Plot->AddAnnotation());
        Note->SetStyle(kpasRectangle2);
        Note->SetSelectModeOnlyInteraction(false);
        Note->SetUserCanMove(true);
        Note->SetUserCanSize(true);
        Note->SetX(20);
        Note->SetY(80);
        Note->SetX2(40);
        Note->SetY2(60);
        const auto note = [this](const char* Word) {
            return [this, Word](TObject*, Integer Index) { Events.push_back(Word + IntToStr(Index)); };
        };
        Plot->OnAnnotationMoveUser = note("moved ");
        Plot->OnAnnotationResizeUser = note("resized ");
        Plot->OnAnnotationCoordinatesChangeFinished = note("finished ");
        Plot->OnObjectClick[kpokAnnotation] = note("click ");
        Plot->ReCalcLayout();
        ASSERT_TRUE(Note->Showing());
    }
    Integer PixelX(Double Percent) const { return View()->PositionPercentToPixelsX(Percent); }
    Integer PixelY(Double Percent) const { return View()->PositionPercentToPixelsY(Percent); }
    Double PercentX(Integer Pixel) const { return View()->PixelsXToPositionPercent(Pixel); }
    Double PercentY(Integer Pixel) const { return View()->PixelsYToPositionPercent(Pixel); }
};

TEST_F(PlotAnnotationInputTest, ADragMovesTheShapeToTheValuesUnderTheRelease)
{
    // Taken 5 pixels inside its top-left corner.
    const TPoint from = Point(PixelX(20) + 5, PixelY(80) + 5);
    const TPoint to = Point(from.X + 60, from.Y + 30);
    Drag(from, to);
    EXPECT_DOUBLE_EQ(Note->X(), PercentX(to.X - 5));
    EXPECT_DOUBLE_EQ(Note->Y(), PercentY(to.Y - 5));
    EXPECT_DOUBLE_EQ(Note->X2() - Note->X(), 20);
    EXPECT_DOUBLE_EQ(Note->Y2() - Note->Y(), -20);
    ASSERT_GE(Events.size(), 3u);
    EXPECT_EQ(Events.front(), "moved 0");
    EXPECT_EQ(Events[Events.size() - 2], "click 0");
    EXPECT_EQ(Events.back(), "finished 0");
    EXPECT_TRUE(Note->UserSelected());
}

TEST_F(PlotAnnotationInputTest, ASelectedShapeResizesByItsHandle)
{
    // The first click selects it and shows the handles.
    const TPoint inside = Point(PixelX(30), PixelY(70));
    Click(inside);
    ASSERT_TRUE(Note->UserSelected());
    Plot->ReCalcLayout();
    Events.clear();
    const TPoint corner = Point(PixelX(40), PixelY(60));
    const TPoint to = Point(corner.X + 40, corner.Y + 20);
    Drag(corner, to);
    // Every coordinate comes from the pixel rectangle: the corner that
    // stayed is read back from its pixel.
    EXPECT_DOUBLE_EQ(Note->X(), PercentX(PixelX(20)));
    EXPECT_DOUBLE_EQ(Note->Y(), PercentY(PixelY(80)));
    EXPECT_DOUBLE_EQ(Note->X2(), PercentX(to.X));
    EXPECT_DOUBLE_EQ(Note->Y2(), PercentY(to.Y));
    EXPECT_EQ(Events.front(), "resized 0");
    EXPECT_EQ(Events.back(), "finished 0");
}

TEST_F(PlotAnnotationInputTest, AHandlerMayDeleteTheAnnotationItIsTold)
{
    Plot->OnAnnotationMoveUser = [this](TObject*, Integer Index) { Plot->DeleteAnnotation(Index); };
    const TPoint from = Point(PixelX(30), PixelY(70));
    Drag(from, Point(from.X + 30, from.Y));
    EXPECT_EQ(Plot->AnnotationCount(), 0);
    Move(from);
    Plot->ReCalcLayout();
}

}  // namespace
