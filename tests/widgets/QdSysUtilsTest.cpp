#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Testing.h"
#include "widgets/QdSysUtils.h"

namespace {

constexpr Integer kMaxInt = std::numeric_limits<Integer>::max();
constexpr Integer kMinInt = std::numeric_limits<Integer>::min();

TOwned<TBitmap> Solid(Integer w, Integer h, TColor color)
{
    TOwned<TBitmap> b = CreateOwned<TBitmap>();
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(color);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

class QdDrawing : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void Reset() { FBitmap = Solid(40, 30, clWhite); }
    TCanvas* Canvas() { return FBitmap->Canvas(); }
    TColor Pixel(Integer x, Integer y) { return Canvas()->Pixels(x, y); }
    Integer Count(TColor color) { return Testing::CountColour(FBitmap.get(), color); }
    // The box of every pixel that is not white.
    TRect InkBox()
    {
        TRect box{kMaxInt, kMaxInt, -1, -1};
        for (Integer y = 0; y < FBitmap->Height(); ++y)
            for (Integer x = 0; x < FBitmap->Width(); ++x)
                if (Pixel(x, y) != clWhite)
                    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                           std::max(box.Bottom, y + 1)};
        return box;
    }

    TOwned<TBitmap> FBitmap;
};

}  // namespace

// ---------------------------------------------------------------------------
// Arithmetic, rectangles, strings, colours
// ---------------------------------------------------------------------------

TEST(QdArithmetic, PercentagesAreExactTruncatedAndSaturated)
{
    EXPECT_EQ(SolveForX(60, 117), 70);
    EXPECT_EQ(SolveForX(29, 100), 29);  // 0.29 in binary floating point would give 28
    EXPECT_EQ(SolveForX(-50, 3), -1);
    EXPECT_EQ(SolveForY(50, 0), 0);
    EXPECT_EQ(SolveForY(-1, 3), -33);
    EXPECT_EQ(Percent(1, 3), 33);
    EXPECT_EQ(Percent(29, 100), 29);
    EXPECT_EQ(Percent(7, 0), 0);
    EXPECT_EQ(SolveForY(30000000, 1), kMaxInt);
    EXPECT_EQ(SolveForY(-30000000, 1), kMinInt);
    Integer v = 5;
    AdjustRange(v, 10, 0);  // an inverted range: Min is tested first
    EXPECT_EQ(v, 10);
}

TEST(QdArithmetic, GlyphRectsAndTextFields)
{
    TOwned<TBitmap> strip = Solid(64, 16, clWhite);
    EXPECT_EQ(GlyphRect(strip.get(), 2, 4), Rect(32, 0, 48, 16));
    EXPECT_EQ(GlyphRect(strip.get(), 0, -3), Rect(0, 0, 64, 16));
    EXPECT_EQ(GlyphRect(strip.get(), 1, 5), Rect(12, 0, 24, 16));

    String s = "a;b;c";
    EXPECT_EQ(GetStrParam(s, ";"), "a");
    EXPECT_EQ(s, "b;c");
    String plain = "abc";
    EXPECT_EQ(GetStrParam(plain, ";"), "abc");
    EXPECT_EQ(plain, "");
    String pairs = "x, y";
    EXPECT_EQ(GetStrParam(pairs, ", "), "x");
    EXPECT_EQ(pairs, "y");
}

TEST(QdArithmetic, BitmapSlotsAndOwnerControls)
{
    std::array<TBitmap*, 3> slots{};
    AllocateBitmaps(slots, 1);
    EXPECT_EQ(slots[2], nullptr);
    AllocateBitmaps(slots, 10);  // replaced, not leaked; no slot past the end
    DeallocateBitmaps(slots, 10);
    EXPECT_EQ(slots, (std::array<TBitmap*, 3>{}));

    TForm* form = Create<TForm>(nullptr);
    auto* inner = Create<TComponent>(Create<TPanel>(form));
    auto* loose = Create<TComponent>(Create<TComponent>(form));
    EXPECT_EQ(GetOwnerControl(inner), form);
    EXPECT_EQ(GetOwnerControl(loose), nullptr);
    form->Free();
}

TEST(QdColour, AdjustColorStopsShortOfTheChannelLimits)
{
    EXPECT_EQ(AdjustColor(0xFAFAFA, 10), 0xFEFEFE);
    EXPECT_EQ(AdjustColor(0x050505, -10), 0x010101);
    EXPECT_EQ(AdjustColor(RGB(0, 255, 100), 0), RGB(0, 255, 100));
    EXPECT_EQ(AdjustColor(RGB(1, 2, 3), kMaxInt), RGB(254, 254, 254));
    EXPECT_EQ(AdjustColor(RGB(1, 2, 3), kMinInt), RGB(1, 1, 1));
    EXPECT_EQ(AdjustColor(clBtnFace, -40), RGB(200, 200, 200));  // by its RGB value

    TOwned<TBitmap> pattern = CreateDitherPattern(clRed, clBlue);
    EXPECT_EQ(Testing::CountColour(pattern.get(), clRed), 32);
    EXPECT_EQ(pattern->Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(pattern->Canvas()->Pixels(1, 0), clBlue);
}

// ---------------------------------------------------------------------------
// Gradients
// ---------------------------------------------------------------------------

TEST_F(QdDrawing, BandGradientsTruncateTheirChannels)
{
    DrawGradientExt(Canvas(), Rect(0, 0, 10, 10), clBlack, RGB(250, 7, 0), 1, 1);
    for (Integer y = 0; y < 10; ++y) EXPECT_EQ(Pixel(3, y), RGB(25 * y, 7 * y / 10, 0)) << y;
    EXPECT_EQ(InkBox(), Rect(0, 0, 10, 10));
    // Style 2 runs one band past the width, clipped to the rectangle.
    DrawGradientExt(Canvas(), Rect(20, 0, 24, 5), RGB(0, 0, 200), clBlack, 2, 2);
    EXPECT_EQ(Pixel(22, 4), RGB(0, 0, 100));
    EXPECT_EQ(Pixel(24, 0), clWhite);
}

TEST_F(QdDrawing, MirroredGradientsPutTheEndColourInTheMiddle)
{
    DrawGradientExt(Canvas(), Rect(0, 0, 5, 10), clBlack, RGB(250, 250, 250), 5, 1);
    EXPECT_EQ(Pixel(0, 0), clBlack);
    EXPECT_EQ(Pixel(0, 5), RGB(250, 250, 250));
    EXPECT_EQ(Pixel(0, 9), RGB(50, 50, 50));
    EXPECT_EQ(Pixel(0, 10), clWhite);  // the last band lies below and is clipped
    // A step that overshoots the middle gives the end colour there.
    DrawGradientExt(Canvas(), Rect(10, 0, 20, 10), clBlack, RGB(100, 0, 0), 6, 3);
    EXPECT_EQ(Pixel(16, 0), RGB(100, 0, 0));
}

TEST_F(QdDrawing, GradientsOfDegenerateOrHugeRectanglesNeitherDivideByZeroNorHang)
{
    const TRect huge = Rect(-1000000000, -1000000000, 1000000000, 1000000000);
    for (Integer style = 1; style <= 6; ++style)
        for (const TRect& r : {Rect(0, 0, 0, 0), Rect(0, 0, 1, 1), Rect(5, 5, 2, 2), Rect(0, 0, 40, 1), huge})
            for (Integer step : {1, 0, -7}) {
                DrawGradientExt(Canvas(), r, RGB(10, 20, 30), clWhite, style, step);
                DrawGradient(Canvas(), r, RGB(10, 20, 30), clWhite, style % 2, step);
            }
    Reset();
    DrawGradientExt(Canvas(), Rect(0, 0, 4, 1), RGB(10, 20, 30), clWhite, 5, 1);  // no middle
    EXPECT_EQ(Pixel(2, 0), RGB(10, 20, 30));
    DrawGradientExt(Canvas(), huge, clBlack, RGB(200, 100, 0), 1, 1);
    EXPECT_EQ(Pixel(0, 0), RGB(100, 50, 0));  // the canvas shows the middle band
    // Diagonal strokes lie in the canvas's own coordinates.
    Reset();
    DrawGradientExt(Canvas(), Rect(20, 10, 30, 20), clBlack, RGB(200, 0, 0), 3, 1);
    EXPECT_LT(GetRValue(Pixel(2, 2)), GetRValue(Pixel(8, 8)));
}

TEST_F(QdDrawing, FloatGradientRoundsFromFirstToLastBand)
{
    DrawGradient(Canvas(), Rect(0, 0, 10, 3), clBlack, RGB(255, 1, 3), 0, 1);
    EXPECT_EQ(Pixel(5, 1), RGB(128, 0, 2));  // 127.5, 0.5 and 1.5 round to even
    EXPECT_EQ(Pixel(5, 2), RGB(255, 1, 3));
    DrawGradient(Canvas(), Rect(20, 0, 25, 2), clRed, clBlue, 1, 3);  // two bands, the last cut
    EXPECT_EQ(Pixel(24, 1), clBlue);
    EXPECT_EQ(Pixel(25, 1), clWhite);
}

// ---------------------------------------------------------------------------
// Frames, shapes, bitmaps
// ---------------------------------------------------------------------------

TEST_F(QdDrawing, FramesShrinkTheRectangleByTheirWidth)
{
    TRect r = Rect(0, 0, 10, 10);
    DrawFrame3D(Canvas(), r, clRed, clBlue, 2);
    EXPECT_EQ(r, Rect(2, 2, 8, 8));
    EXPECT_EQ(Pixel(9, 0), clBlue);
    EXPECT_EQ(Pixel(0, 9), clBlue);  // the bottom edge runs under the left one
    EXPECT_EQ(Pixel(1, 1), clRed);
    EXPECT_EQ(Pixel(2, 2), clWhite);
    r = Rect(20, 0, 30, 10);
    DrawOutline3D(Canvas(), r, clRed, clBlue, 1);
    EXPECT_EQ(Pixel(20, 9), clRed);
    r = Rect(0, 0, 10, 10);
    DrawFrame3D(Canvas(), r, clRed, clBlue, 0);
    EXPECT_EQ(r, Rect(0, 0, 10, 10));
    // Rings past the middle are not drawn; the rectangle still shrinks.
    Reset();
    DrawFrame3D(Canvas(), r, clRed, clBlue, 1000000000);
    EXPECT_EQ(r, Rect(1000000000, 1000000000, 10 - 1000000000, 10 - 1000000000));
    EXPECT_EQ(InkBox(), Rect(0, 0, 10, 10));
}

TEST_F(QdDrawing, SquareShapesAreCentredAndPenWidthZeroDrawsOneSmaller)
{
    DrawShape(Canvas(), stSquare, 0, 0, 20, 10);
    EXPECT_EQ(InkBox(), Rect(5, 0, 15, 10));
    Reset();
    Canvas()->Pen()->SetWidth(0);
    DrawShape(Canvas(), stCircle, 0, 0, 20, 10);
    EXPECT_EQ(InkBox(), Rect(5, 0, 14, 9));
}

TEST_F(QdDrawing, TilesStartInsideTheRectangleAndMayOverhang)
{
    DrawTiledBitmap(Canvas(), Bounds(1, 1, 8, 5), Solid(3, 2, clRed).get());
    EXPECT_EQ(InkBox(), Rect(1, 1, 10, 7));
    Reset();
    DrawTiledBitmap(Canvas(), Rect(0, 0, 40, 30), CreateOwned<TBitmap>().get());
    DrawTiledBitmap(Canvas(), Rect(-1000000000, -1000000000, 1000000000, 1000000000), Solid(1, 1, clRed).get());
    EXPECT_EQ(Count(clRed), 40 * 30);
}

TEST_F(QdDrawing, ChangeBitmapColorReplacesOnlyTheGivenColour)
{
    TOwned<TBitmap> b = Solid(3, 1, clRed);
    b->Canvas()->SetPixels(1, 0, RGB(255, 0, 1));
    ChangeBitmapColor(b.get(), clRed, clLime);
    EXPECT_EQ(Testing::CountColour(b.get(), clLime), 2);
    EXPECT_EQ(b->Canvas()->Pixels(1, 0), RGB(255, 0, 1));
}

TEST_F(QdDrawing, RasterPatternsPutDotsOnTheBackground)
{
    DrawRasterPattern(Canvas(), Rect(0, 0, 7, 7), clRed, clBlue, 2, 1);
    EXPECT_EQ(Pixel(1, 1), clRed);
    EXPECT_EQ(Pixel(2, 0), clBlue);
    EXPECT_EQ(Pixel(3, 3), clRed);
    Reset();
    for (const auto& [dot, spacing] : {std::pair{0, 0}, {5, -9}, {kMaxInt, kMaxInt}})
        DrawRasterPattern(Canvas(), Rect(0, 0, 7, 7), clRed, clBlue, dot, spacing);
    EXPECT_EQ(Count(clWhite), 40 * 30);

    StretchPaintOnRasterPattern(Canvas(), Rect(50, 50, 56, 56), Solid(1, 1, clRed).get(), clBlack, clBlue, 2, 1);
    EXPECT_EQ(Pixel(0, 0), clRed);
    EXPECT_EQ(Pixel(2, 2), clBlue);
    EXPECT_EQ(Pixel(6, 0), clWhite);  // only the size of the rectangle counts
}

TEST_F(QdDrawing, LcdImagesMakeEachPixelADotWithinTheBitmapLimits)
{
    TOwned<TBitmap> source = Solid(2, 1, clRed);
    source->Canvas()->SetPixels(1, 0, clLime);
    TOwned<TBitmap> lcd = CreateOwned<TBitmap>();
    BitmapToLCD(lcd.get(), source.get(), clBlack, clBlue, 2, 1);
    ASSERT_EQ(lcd->Width(), 6);
    ASSERT_EQ(lcd->Height(), 3);
    EXPECT_EQ(lcd->Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(lcd->Canvas()->Pixels(2, 0), clBlue);
    EXPECT_EQ(lcd->Canvas()->Pixels(3, 1), clLime);
    EXPECT_EQ(lcd->Canvas()->Pixels(4, 2), clBlue);
    EXPECT_THROW(BitmapToLCD(lcd.get(), Solid(30000, 1, clRed).get(), clBlack, clBlue, 2, 1), EOutOfResources);
    EXPECT_EQ(lcd->Width(), 6);  // kept
}

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------

TEST_F(QdDrawing, TextIsMeasuredAndCentred)
{
    const TSize size = GetTextSize(Canvas(), "Hi");
    EXPECT_EQ(size, (TSize{Canvas()->TextWidth("Hi"), Canvas()->TextHeight("Hi")}));
    EXPECT_EQ(GetTextSize(Canvas(), ""), (TSize{0, 0}));
    TRect bounds;
    CalcTextBounds(Canvas(), Rect(10, 20, 110, 70), bounds, "Hi");
    EXPECT_EQ(bounds, Bounds(10 + (100 - size.cx + 1) / 2, 20 + (50 - size.cy + 1) / 2, size.cx, size.cy));
}

TEST_F(QdDrawing, TextEffectsLayerTheirCopies)
{
    Canvas()->Font()->SetHeight(-20);
    StretchPaintOnText(Canvas(), Rect(0, 0, 40, 30), 2, 2, "W", Solid(1, 1, clRed).get(), 0);
    EXPECT_GT(Count(clRed), 20);
    EXPECT_EQ(Count(clRed) + Count(clWhite), 40 * 30);
    Reset();
    Canvas()->Font()->SetColor(clBlack);
    Draw3DText(Canvas(), 10, 5, "W", clRed, clBlue);
    EXPECT_GT(Count(clRed) * Count(clBlue), 0);
    EXPECT_EQ(Canvas()->Font()->Color(), clBlack);
    DrawOutlinedText(Canvas(), 10, 5, "W", clRed, kMaxInt);  // capped, not endless
}
