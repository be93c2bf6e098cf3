#include <gtest/gtest.h>

#include <functional>

#include "components/foundation/kCommonRoutines.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/Math.h"
#include "platform/SysApi.h"

namespace {

class Drawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        FBitmap->SetSize(120, 80);
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->FillRect(Rect(0, 0, 120, 80));
    }
    TCanvas* Canvas() { return FBitmap->Canvas(); }
    TColor Pixel(Integer x, Integer y) { return Canvas()->Pixels(x, y); }
    Integer Count(const std::function<bool(TColor)>& match)
    {
        Integer n = 0;
        for (Integer y = 0; y < FBitmap->Height(); ++y)
            for (Integer x = 0; x < FBitmap->Width(); ++x) n += match(Pixel(x, y)) ? 1 : 0;
        return n;
    }
    // The box of every pixel that is not white.
    TRect InkBox()
    {
        TRect box{1000, 1000, -1, -1};
        for (Integer y = 0; y < FBitmap->Height(); ++y)
            for (Integer x = 0; x < FBitmap->Width(); ++x)
                if (Pixel(x, y) != clWhite)
                    box = TRect{Min(box.Left, x), Min(box.Top, y), Max(box.Right, x + 1), Max(box.Bottom, y + 1)};
        return box;
    }

    TOwned<TBitmap> FBitmap = CreateOwned<TBitmap>();
};

}  // namespace

TEST(kCommonColour, DivideAndShift)
{
    EXPECT_EQ(DivideColor(clWhite, 3), RGB(85, 85, 85));
    EXPECT_EQ(DivideColor(RGB(100, 50, 10), -2), RGB(200, 100, 20));
    EXPECT_EQ(DivideColor(RGB(200, 50, 10), -2), RGB(255, 100, 20));
    EXPECT_EQ(DivideColor(RGB(12, 34, 56), 0), clBlack);
    // System colours count by their RGB value, not their raw bits.
    EXPECT_EQ(DivideColor(clBtnFace, 2), RGB(120, 120, 120));
    EXPECT_EQ(ShiftColor(clBtnFace, 64, true), RGB(255, 255, 255));
    EXPECT_EQ(ShiftColor(clBtnFace, 32, false), RGB(208, 208, 208));
    EXPECT_EQ(ShiftColor(RGB(10, 200, 0), 20, false), RGB(0, 180, 0));
}

TEST_F(Drawing, GradientRunsFromStartToStop)
{
    const TColor start = RGB(255, 0, 0);
    const TColor stop = RGB(0, 0, 255);
    GradientFill(Canvas(), Rect(0, 0, 100, 50), kfdTopBottom, start, stop);
    EXPECT_EQ(Pixel(0, 0), start);
    EXPECT_EQ(Pixel(99, 0), start);
    EXPECT_EQ(Pixel(50, 49), stop);
    EXPECT_EQ(Pixel(50, 50), clWhite);
    EXPECT_EQ(Pixel(100, 20), clWhite);

    GradientFill(Canvas(), Rect(0, 0, 100, 50), kfdBottomTop, start, stop);
    EXPECT_EQ(Pixel(0, 0), stop);
    EXPECT_EQ(Pixel(50, 49), start);

    GradientFill(Canvas(), Rect(10, 60, 20, 70), kfdLeftRight, start, stop);
    EXPECT_EQ(Pixel(10, 65), start);
    EXPECT_EQ(Pixel(19, 65), stop);
}

TEST_F(Drawing, GradientRoundsBytesHalfToEven)
{
    // Three lines: the middle one is half-way, 127.5 -> 128, 0.5 -> 0, 1.5 -> 2.
    GradientFill(Canvas(), Rect(0, 0, 10, 3), kfdTopBottom, RGB(0, 0, 0), RGB(255, 1, 3));
    EXPECT_EQ(Pixel(5, 1), RGB(128, 0, 2));
}

TEST_F(Drawing, GradientOfOnePixelStripsDrawsTheFirstColour)
{
    const TColor start = RGB(10, 20, 30);
    const TColor stop = RGB(200, 100, 0);
    GradientFill(Canvas(), Rect(0, 0, 50, 1), kfdTopBottom, start, stop);
    EXPECT_EQ(Pixel(25, 0), start);
    GradientFill(Canvas(), Rect(0, 5, 50, 6), kfdBottomTop, start, stop);
    EXPECT_EQ(Pixel(25, 5), stop);
    GradientFill(Canvas(), Rect(60, 0, 61, 30), kfdLeftRight, start, stop);
    EXPECT_EQ(Pixel(60, 15), start);
    // Every direction on a one-pixel rectangle at the origin: one step, t = 0.
    for (int d = kfdTopBottom; d <= kfdEllipseCenterIn; ++d)
        GradientFill(Canvas(), Rect(0, 0, 1, 1), TkFillDirection(d), start, stop);
    // Nothing at all for an empty rectangle.
    GradientFill(Canvas(), Rect(0, 40, 50, 40), kfdTopBottom, start, stop);
    EXPECT_EQ(Pixel(25, 40), clWhite);
}

TEST_F(Drawing, GradientUsesTheRGBOfSystemColours)
{
    GradientFill(Canvas(), Rect(0, 0, 40, 40), kfdTopBottom, clBtnFace, clHighlight);
    EXPECT_EQ(Pixel(5, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(Pixel(5, 39), ColorToRGB(clHighlight));
}

TEST_F(Drawing, RectangleGradientMarksItsCentre)
{
    GradientFill(Canvas(), Rect(0, 0, 41, 41), kfdRectangleCenterOut, RGB(1, 2, 3), RGB(200, 200, 200));
    EXPECT_EQ(Pixel(19, 19), RGB(1, 2, 3));
    GradientFill(Canvas(), Rect(0, 0, 41, 41), kfdRectangleCenterIn, RGB(1, 2, 3), RGB(200, 200, 200));
    EXPECT_EQ(Pixel(19, 19), RGB(200, 200, 200));
}

TEST_F(Drawing, FlatFrameIsOutlinedInButtonShadow)
{
    Canvas()->Brush()->SetColor(clRed);
    DrawFrame(Canvas(), Rect(2, 2, 10, 10), 2);
    const TColor shadow = ColorToRGB(clBtnShadow);
    EXPECT_EQ(Pixel(2, 2), shadow);
    EXPECT_EQ(Pixel(9, 9), shadow);
    EXPECT_EQ(Pixel(5, 5), clRed);
    EXPECT_EQ(Pixel(10, 10), clWhite);
}

TEST_F(Drawing, DisabledTextIsEmbossedUnlessTheBackgroundIsBlack)
{
    TCanvas* c = Canvas();
    c->Font()->SetColor(clBlack);
    const TColor light = ShiftColor(clBtnFace, 64, true);
    const TColor dark = ShiftColor(clBtnFace, 32, false);
    // On blue, so that every text colour shows.
    auto draw = [&](Boolean enabled, TColor background) {
        c->Brush()->SetColor(clBlue);
        c->FillRect(Rect(0, 0, 120, 80));
        c->Brush()->SetStyle(bsClear);
        TRect r = Rect(10, 10, 110, 70);
        return DrawTextStyled(c, "Wxyz", r, {ktfLeft, ktfTop}, enabled, background);
    };
    const Integer height = draw(false, clBtnFace);
    EXPECT_EQ(height, c->TextHeight("Wxyz"));
    EXPECT_GT(Count([&](TColor p) { return p == light; }), 0);
    EXPECT_GT(Count([&](TColor p) { return p == dark; }), 0);
    EXPECT_EQ(Count([](TColor p) { return p == clBlack; }), 0);
    EXPECT_EQ(c->Font()->Color(), clBlack);

    draw(false, clBlack);
    EXPECT_GT(Count([](TColor p) { return p == clBlack; }), 0);
    EXPECT_EQ(Count([&](TColor p) { return p == dark; }), 0);

    draw(true, clBtnFace);
    EXPECT_GT(Count([](TColor p) { return p == clBlack; }), 0);
    EXPECT_EQ(Count([&](TColor p) { return p == light; }), 0);
}

TEST_F(Drawing, MeasuringText)
{
    TCanvas* c = Canvas();
    const Integer line = c->TextHeight("0");
    EXPECT_EQ(MeasureText(c, "abc"), line);
    EXPECT_EQ(MeasureText(c, "abc\r\ndef\nghi"), 3 * line);
    EXPECT_EQ(MeasureText(c, ""), 0);
    EXPECT_EQ(MultiLineTextWidth(c, ""), 0);
    EXPECT_EQ(MultiLineTextWidth(c, "ab\r\nabcdef\rabc"), c->TextWidth("abcdef"));
    const Integer word = c->TextWidth("word");
    EXPECT_EQ(MeasureTextInWidth(c, "word word word", 1000), line);
    EXPECT_EQ(MeasureTextInWidth(c, "word word word", word + 2), 3 * line);
    EXPECT_EQ(MeasureTextInWidth(c, "word word word", 0), 3 * line);
    // Nothing was drawn.
    EXPECT_EQ(InkBox(), (TRect{1000, 1000, -1, -1}));
}

TEST_F(Drawing, RotatedTextStaysInItsCentredBox)
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(clBlack);
    const String text = "Rotated";
    const TSize extent = c->TextExtent(text);
    const TRect area = Rect(20, 10, 100, 70);
    for (TkRotationAngle rotation : {kra000, kra090, kra180, kra270}) {
        SetUp();
        c->Brush()->SetStyle(bsClear);
        TRect box;
        DrawRotatedText(c, text, area, rotation, kahCenter, true, clBtnFace, box);
        const bool quarter = rotation == kra090 || rotation == kra270;
        EXPECT_EQ(box.Width(), quarter ? extent.cy : extent.cx) << rotation;
        EXPECT_EQ(box.Height(), quarter ? extent.cx : extent.cy) << rotation;
        EXPECT_EQ((box.Left + box.Right) / 2, 60) << rotation;
        EXPECT_EQ((box.Top + box.Bottom) / 2, 40) << rotation;
        const TRect ink = InkBox();
        ASSERT_LT(ink.Left, ink.Right) << rotation;
        EXPECT_GE(ink.Left, box.Left - 1) << rotation;
        EXPECT_GE(ink.Top, box.Top - 1) << rotation;
        EXPECT_LE(ink.Right, box.Right + 1) << rotation;
        EXPECT_LE(ink.Bottom, box.Bottom + 1) << rotation;
    }
    SetUp();
    TRect box = Rect(1, 2, 3, 4);
    DrawRotatedText(c, text, area, TkRotationAngle(7), kahCenter, true, clBtnFace, box);
    EXPECT_EQ(box, TRect{});
    EXPECT_EQ(InkBox(), (TRect{1000, 1000, -1, -1}));
}

TEST(kCommonControls, FindOwnerFormWalksTheOwnersNotTheParents)
{
    EXPECT_EQ(FindOwnerForm(nullptr), nullptr);
    TOwned<TForm> form = CreateOwned<TForm>(nullptr);
    TPanel* panel = Create<TPanel>(form.get());
    TComponent* timer = Create<TTimer>(panel);
    EXPECT_EQ(FindOwnerForm(timer), form.get());
    EXPECT_EQ(FindOwnerForm(form.get()), form.get());

    // Without a form: the last windowed control on the way up.
    TOwned<TPanel> outer = CreateOwned<TPanel>(nullptr);
    TPanel* inner = Create<TPanel>(outer.get());
    TComponent* leaf = Create<TTimer>(inner);
    EXPECT_EQ(FindOwnerForm(leaf), outer.get());
    TOwned<TTimer> alone = CreateOwned<TTimer>(nullptr);
    EXPECT_EQ(FindOwnerForm(alone.get()), nullptr);
}
