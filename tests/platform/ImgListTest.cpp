#include <gtest/gtest.h>

#include "platform/ImgList.h"
#include "platform/SysUtils.h"

namespace {

TOwned<TBitmap> Filled(Integer Width, Integer Height, TColor Color)
{
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(Width, Height);
    bitmap->Canvas()->Brush()->SetColor(Color);
    bitmap->Canvas()->FillRect(Rect(0, 0, Width, Height));
    return bitmap;
}

class ImageListTest : public ::testing::Test {
protected:
    TOwned<TImageList> List{Create<TImageList>(nullptr)};
    TOwned<TBitmap> Target = Filled(20, 20, clBlack);

    void SetUp() override { List->SetSize(8, 8); }
    TColor At(Integer X, Integer Y) { return Target->Canvas()->Pixels(X, Y); }
};

TEST_F(ImageListTest, EachAddKeepsOneImageOfTheListSize)
{
    TOwned<TBitmap> large = Filled(20, 4, clRed);
    EXPECT_EQ(List->AddMasked(large.get(), clLime), 0);
    ASSERT_EQ(List->Count(), 1);
    List->Draw(Target->Canvas(), 2, 2, 0);
    EXPECT_EQ(At(9, 2), clRed);    // cut at the list's width
    EXPECT_EQ(At(10, 2), clBlack);
    EXPECT_EQ(At(2, 6), clBlack);  // padded in the mask colour, which stays clear
    List->Draw(Target->Canvas(), 0, 0, 5);  // no such image: nothing
    List->SetSize(8, 9);
    EXPECT_EQ(List->Count(), 0);
}

TEST_F(ImageListTest, DisabledImagesShowTheirDarkPixelsEmbossed)
{
    TOwned<TBitmap> picture = Filled(8, 8, clWhite);
    picture->Canvas()->SetPixels(3, 3, clNavy);
    List->AddMasked(picture.get(), clWhite);
    List->Draw(Target->Canvas(), 0, 0, 0, false);
    EXPECT_EQ(At(3, 3), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(4, 4), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(5, 5), clBlack);
}

TEST_F(ImageListTest, StreamRoundTripAndDamagedData)
{
    List->AddMasked(Filled(8, 8, clRed).get(), clLime);
    List->AddMasked(Filled(8, 8, clBlue).get(), clLime);
    TMemoryStream stream;
    List->WriteData(stream);

    TOwned<TImageList> copy{Create<TImageList>(nullptr)};
    stream.SetPosition(0);
    copy->ReadData(stream);
    EXPECT_EQ(copy->Count(), 2);
    EXPECT_EQ(copy->Width(), 8);
    copy->Draw(Target->Canvas(), 0, 0, 1);
    EXPECT_EQ(At(0, 0), clBlue);

    stream.SetSize(stream.Size() - 10);
    stream.SetPosition(0);
    EXPECT_THROW(copy->ReadData(stream), EReadError);
    EXPECT_EQ(copy->Count(), 2);
}

}  // namespace
