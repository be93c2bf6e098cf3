#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "components/plot/layout/kPlotLabel.h"
#include "tests/plot/kPlotObjectsTestDoubles.h"
#include "platform/SysUtils.h"

using namespace PlotTest;

namespace {

// A plot whose image list 1 holds two 16-pixel pictures (lists 0 and 2 are
// empty); it logs each picture it is asked to draw.
class TImageListPlotOwner : public TStandInPlot {
public:
    TImageListPlotOwner() : TStandInPlot(AsPlotLoggingInput) { ImageCounts = {0, 2, 0}; }
};

// A 300 x 200 black bitmap on which the label draws; W0 and H0 are the
// size of "0" in the label's font.
class PlotLabelTest : public ::testing::Test {
protected:
    TImageListPlotOwner Owner;
    // The label's change reports.
    Integer& Changes = Owner.Changes;
    TOwned<TkPlotLabel> Label{Create<TkPlotLabel>(&Owner)};
    TOwned<TBitmap> Bitmap = CreateOwned<TBitmap>();
    TCanvas* Canvas = Bitmap->Canvas();
    Integer W0 = 0;
    Integer H0 = 0;

    void SetUp() override
    {
        Bitmap->SetSize(300, 200);
        Label->SetCaption("Title");
        Canvas->SetFont(Label->Font());
        W0 = Canvas->TextWidth("0");
        H0 = Canvas->TextHeight("0");
        Changes = 0;
    }
    // Draws the label in Band and returns the box of the pixels it changed.
    TRect DrawIn(const TRect& Band)
    {
        Canvas->Brush()->SetColor(clBlack);
        Canvas->FillRect(Rect(0, 0, 300, 200));
        Label->SetDrawRect(Band);
        Label->Draw({.Canvas = Canvas, .BackGroundColor = clBlack});
        TRect box{300, 200, 0, 0};
        for (Integer y = 0; y < 200; ++y)
            for (Integer x = 0; x < 300; ++x)
                if (Canvas->Pixels(x, y) != clBlack)
                    box = Rect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                               std::max(box.Bottom, y + 1));
        return IsRectEmpty(box) ? TRect{} : box;
    }
    // A 20 x 10 red picture whose bottom-left pixel is green.
    static TOwned<TBitmap> Picture()
    {
        TOwned<TBitmap> picture = CreateOwned<TBitmap>();
        picture->SetSize(20, 10);
        picture->Canvas()->Brush()->SetColor(clRed);
        picture->Canvas()->FillRect(Rect(0, 0, 20, 10));
        picture->Canvas()->SetPixels(0, 9, clLime);
        return picture;
    }
};

Integer CentreX(const TRect& R) { return (R.Left + R.Right) / 2; }
Integer CentreY(const TRect& R) { return (R.Top + R.Bottom) / 2; }

}  // namespace

TEST_F(PlotLabelTest, RequiredSizeIsTheCaptionHeightPlusTheTopAndBottomMargins)
{
    const Integer line = Canvas->TextHeight("Title");
    EXPECT_EQ(Label->GetRequiredSize(Canvas), line);
    Label->SetCaption("One\r\nTwo\r\nThree");
    EXPECT_EQ(Label->GetRequiredSize(Canvas), 3 * line);
    Label->SetCaption("");
    EXPECT_EQ(Label->GetRequiredSize(Canvas), 0);

    // Half a "0" rounds to the even neighbour when its height is odd; the
    // side margins do not count, nor does the label's direction.
    Label->SetMarginTop(0.5);
    Label->SetMarginBottom(2);
    Label->SetMarginLeft(3);
    Label->SetHorizontal(false);
    EXPECT_EQ(Label->GetRequiredSize(Canvas), (H0 % 4 == 3 ? H0 / 2 + 1 : H0 / 2) + 2 * H0);

    // Absurd margins saturate instead of overflowing.
    Label->SetMarginTop(1e300);
    Label->SetMarginBottom(std::numeric_limits<Double>::infinity());
    EXPECT_EQ(Label->GetRequiredSize(Canvas), 2'000'000);
    Label->SetMarginLeft(-1e300);
    EXPECT_NO_THROW(DrawIn(Rect(0, 0, 300, 50)));
}

TEST_F(PlotLabelTest, HorizontalCaptionIsPlacedByAlignmentAndMargins)
{
    const TRect band = Rect(0, 50, 300, 100);
    TRect ink = DrawIn(band);
    EXPECT_NEAR(CentreX(ink), 150, 3);
    EXPECT_NEAR(CentreY(ink), 75, 4);
    const Integer oneLine = ink.Height();

    Label->SetAlignment(kahLeft);
    Label->SetMarginLeft(2);
    EXPECT_NEAR(DrawIn(band).Left, 2 * W0, 3);
    Label->SetAlignment(kahRight);
    Label->SetMarginRight(1);
    EXPECT_NEAR(DrawIn(band).Right, 300 - W0, 3);

    // Several lines are not centred vertically: they start at the top.
    Label->SetCaption("Title\r\nTitle");
    ink = DrawIn(band);
    EXPECT_GT(ink.Height(), oneLine + H0 / 2);
    EXPECT_LT(ink.Top, 50 + H0 / 2);

    Label->SetVisible(false);
    EXPECT_TRUE(IsRectEmpty(DrawIn(band)));
}

TEST_F(PlotLabelTest, VerticalCaptionIsTurnedAndPlacedAlongTheBand)
{
    Label->SetCaption("Vertical");
    Label->SetHorizontal(false);
    const TRect band = Rect(100, 0, 140, 200);
    const TRect ink = DrawIn(band);
    EXPECT_GT(ink.Height(), 2 * ink.Width());
    EXPECT_NEAR(CentreY(ink), 100, 3);
    EXPECT_NEAR(CentreX(ink), 120, 5);

    // Left alignment starts the text at the bottom, right at the top.
    Label->SetAlignment(kahLeft);
    Label->SetMarginLeft(1);
    EXPECT_NEAR(DrawIn(band).Bottom, 200 - W0, 3);
    Label->SetAlignment(kahRight);
    Label->SetMarginRight(2);
    EXPECT_NEAR(DrawIn(band).Top, 2 * W0, 3);
}

TEST_F(PlotLabelTest, OwnedPictureThenImageListPictureThenCaption)
{
    const TRect band = Rect(0, 50, 300, 100);
    struct Case {
        Integer List, Image;
        bool Picture;
    };
    for (const Case c : {Case{-1, 0, false}, Case{3, 0, false}, Case{0, 0, false}, Case{1, 1, true},
                         Case{1, 2, false}, Case{1, -1, false}}) {
        Label->SetImageListIndex(c.List);
        Label->SetImageIndex(c.Image);
        Owner.Draws.clear();
        const bool captionShown = !IsRectEmpty(DrawIn(band));
        EXPECT_EQ(Owner.Draws.size(), c.Picture ? 1u : 0u) << c.List << "/" << c.Image;
        EXPECT_EQ(captionShown, !c.Picture) << c.List << "/" << c.Image;
    }

    // The owned picture hides both; its bottom-left pixel is transparent.
    Label->SetImageIndex(1);
    Label->SetImage(Picture().get());
    Owner.Draws.clear();
    EXPECT_EQ(DrawIn(band), Rect(140, 50, 160, 60));
    EXPECT_EQ(Canvas->Pixels(140, 59), clBlack);
    EXPECT_EQ(Canvas->Pixels(141, 59), clRed);
    EXPECT_TRUE(Owner.Draws.empty());
    Label->SetMarginTop(1);
    Label->SetAlignment(kahLeft);
    Label->SetMarginLeft(1);
    EXPECT_EQ(DrawIn(band), Rect(W0, 50 + H0, W0 + 20, 60 + H0));

    Changes = 0;
    Label->ImageClear();
    Label->ImageClear();  // nothing left to clear: no change
    EXPECT_EQ(Changes, 1);
    Label->SetEnabled(false);
    DrawIn(band);
    EXPECT_EQ(Owner.Draws, (std::vector<String>{"1:1 at " + IntToStr(W0) + "," + IntToStr(50 + H0) + " disabled"}));

    // A label whose owner has no image lists shows its caption.
    TStandInPlot plain{TStandInPlot::Bare};
    Label = TOwned<TkPlotLabel>(Create<TkPlotLabel>(&plain));
    Label->SetCaption("Title");
    Label->SetImageListIndex(1);
    EXPECT_FALSE(IsRectEmpty(DrawIn(band)));
    Label.reset();  // before its owner goes
}

TEST_F(PlotLabelTest, ImageLoadFromFileKeepsThePictureWhenTheFileIsBad)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("kPlotLabelTest-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    Picture()->SaveToFile((dir / "picture.bmp").string());
    std::ofstream(dir / "bad.bmp", std::ios::binary) << "BM this is no bitmap";

    Label->ImageLoadFromFile((dir / "picture.bmp").string());
    ASSERT_NE(Label->Image(), nullptr);
    Changes = 0;
    EXPECT_THROW(Label->ImageLoadFromFile((dir / "bad.bmp").string()), Exception);
    EXPECT_THROW(Label->ImageLoadFromFile((dir / "missing.bmp").string()), Exception);
    ASSERT_NE(Label->Image(), nullptr);
    EXPECT_EQ(Label->Image()->Width(), 20);
    EXPECT_EQ(Changes, 0);
    std::filesystem::remove_all(dir);
}
