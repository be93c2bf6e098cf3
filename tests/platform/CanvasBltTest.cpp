// Raster operations: ROP3 block transfers, monochrome conversions,
// mirrored copies, transparency, focus rectangles and edges.

#include "GraphicsTestSupport.h"

using namespace GraphicsTest;

namespace {

const std::map<TColor, char> kKey = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}, {clLime, 'g'}};

// A monochrome mask: white where the pattern has 'x'.
TOwned<TBitmap> Mask(const std::vector<std::string>& rows)
{
    auto b = MakeBitmap(static_cast<Integer>(rows[0].size()), static_cast<Integer>(rows.size()), clBlack);
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] == 'x') b->Canvas()->SetPixels(Integer(x), Integer(y), clWhite);
    b->SetMonochrome(true);
    return b;
}

}  // namespace

TEST(CanvasBlt, FocusRectTwiceRestoresTheImage)
{
    auto b = MakeBitmap(7, 5, clRed);
    TCanvas* c = b->Canvas();
    c->Font()->SetColor(clWhite);
    c->Brush()->SetColor(clBlack);
    c->DrawFocusRect(Rect(1, 1, 6, 5));
    // Even x + y pixels XOR the text colour (white), the others the
    // background colour (black: unchanged).
    EXPECT_EQ(c->Pixels(1, 1), RGB(0, 255, 255));
    EXPECT_EQ(c->Pixels(2, 1), clRed);
    EXPECT_EQ(c->Pixels(3, 3), clRed);  // inside the frame
    EXPECT_EQ(c->Pixels(5, 3), RGB(0, 255, 255));
    c->DrawFocusRect(Rect(1, 1, 6, 5));
    EXPECT_EQ(CountColor(*b, clRed), 35);
    c->DrawFocusRect(Rect(5, 5, 1, 1));  // inverted: nothing
    EXPECT_EQ(CountColor(*b, clRed), 35);
}

TEST(CanvasBlt, RopThroughAMaskRecoloursExactlyTheMaskedPixels)
{
    auto target = MakeBitmap(4, 3, clLime);
    TCanvas* c = target->Canvas();
    c->SetPixels(0, 0, clBlue);
    auto mask = Mask({"x..x", ".xx.", "...."});
    // Mono source: 1 maps to the background colour, 0 to the text colour.
    c->Brush()->SetColor(clRed);
    SetTextColor(c, clBlack);
    SetBkColor(c, clWhite);
    EXPECT_TRUE(BitBlt(c, 0, 0, 4, 3, mask->Canvas(), 0, 0, 0x00E20746));
    EXPECT_EQ(Art(*target, kKey), (std::vector<std::string>{"rggr", "grrg", "gggg"}));

    // The same with SRCINVERT, SRCAND, SRCINVERT through a colour source.
    auto image = MakeBitmap(4, 3, clLime);
    auto source = MakeBitmap(4, 3, clBlue);
    BitBlt(image->Canvas(), 0, 0, 4, 3, source->Canvas(), 0, 0, SRCINVERT);
    BitBlt(image->Canvas(), 0, 0, 4, 3, source->Canvas(), 0, 0, SRCINVERT);
    EXPECT_EQ(CountColor(*image, clLime), 12);
    BitBlt(image->Canvas(), 0, 0, 4, 3, source->Canvas(), 0, 0, SRCAND);
    EXPECT_EQ(CountColor(*image, clBlack), 12);
    BitBlt(image->Canvas(), 0, 0, 4, 3, source->Canvas(), 0, 0, SRCPAINT);
    EXPECT_EQ(CountColor(*image, clBlue), 12);
    PatBlt(image->Canvas(), 1, 1, 2, 1, WHITENESS);
    EXPECT_EQ(CountColor(*image, clWhite), 2);
    EXPECT_FALSE(BitBlt(image->Canvas(), 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
}

TEST(CanvasBlt, ColourToMonochromeUsesTheSourceBackground)
{
    auto source = MakeBitmap(3, 1, clRed);
    source->Canvas()->SetPixels(1, 0, clBlue);
    SetBkColor(source->Canvas(), clBlue);
    auto mono = MakeBitmap(3, 1, clBlack);
    mono->SetMonochrome(true);
    BitBlt(mono->Canvas(), 0, 0, 3, 1, source->Canvas(), 0, 0, SRCCOPY);
    EXPECT_EQ(Art(*mono, kKey)[0], "#.#");
    // Drawing on a monochrome bitmap keeps it black and white.
    mono->Canvas()->Brush()->SetColor(RGB(200, 200, 200));
    mono->Canvas()->FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(mono->Canvas()->Pixels(0, 0), clWhite);
}

TEST(CanvasBlt, NegativeExtentsMirror)
{
    auto source = MakeBitmap(3, 2);
    TCanvas* s = source->Canvas();
    s->SetPixels(0, 0, clRed);
    s->SetPixels(1, 0, clLime);
    s->SetPixels(2, 0, clBlue);
    auto target = MakeBitmap(5, 2);
    // From x = 4 back to x = 1: the row reversed in [1, 4).
    StretchBlt(target->Canvas(), 4, 0, -3, 1, s, 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(Art(*target, kKey)[0], ".bgr.");
    // Stretching samples the source at each pixel's centre.
    StretchBlt(target->Canvas(), 0, 1, 5, 1, s, 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(Art(*target, kKey)[1], "rrgbb");
}

TEST(CanvasBlt, HalftoneShrinkingAveragesWhereNearestPixelsDropADot)
{
    // A one-pixel dot that the nearest source pixels of a 3 -> 2 shrink skip.
    auto source = MakeBitmap(3, 3);
    source->Canvas()->SetPixels(1, 1, clBlack);
    auto target = MakeBitmap(2, 2, clRed);
    TCanvas* t = target->Canvas();
    EXPECT_EQ(GetStretchBltMode(t), BLACKONWHITE);
    t->StretchDraw(Rect(0, 0, 2, 2), source.get());
    EXPECT_EQ(CountColor(*target, clWhite), 4);
    EXPECT_EQ(SetStretchBltMode(t, HALFTONE), BLACKONWHITE);
    t->StretchDraw(Rect(0, 0, 2, 2), source.get());
    // Each target pixel covers a quarter of the dot: grey.
    EXPECT_EQ(CountColor(*target, clWhite) + CountColor(*target, clBlack), 0);
}

TEST(CanvasBlt, BrushCopyReplacesTheKeyColourAndMirrors)
{
    auto pin = MakeBitmap(3, 1, clTeal);
    pin->Canvas()->SetPixels(0, 0, clRed);
    auto target = MakeBitmap(4, 2, clLime);
    TCanvas* c = target->Canvas();
    c->Brush()->SetColor(clBlue);
    c->BrushCopy(Bounds(0, 0, 3, 1), pin.get(), Rect(0, 0, 3, 1), clTeal);
    c->BrushCopy(Bounds(4, 1, -3, 1), pin.get(), Rect(0, 0, 3, 1), clTeal);
    EXPECT_EQ(Art(*target, kKey), (std::vector<std::string>{"rbbg", "gbbr"}));
}

TEST(CanvasBlt, TransparentBitmapsLeaveTheirKeyColourOut)
{
    auto glyph = MakeBitmap(3, 2, clTeal);
    glyph->Canvas()->SetPixels(1, 0, clRed);
    EXPECT_EQ(glyph->TransparentColor(), clTeal);  // bottom-left pixel
    glyph->SetTransparent(true);
    auto target = MakeBitmap(4, 3, clLime);
    target->Canvas()->Draw(1, 1, glyph.get());
    EXPECT_EQ(Art(*target, kKey), (std::vector<std::string>{"gggg", "ggrg", "gggg"}));
    glyph->SetTransparentColor(clRed);
    EXPECT_EQ(glyph->TransparentMode(), tmFixed);
    target->Canvas()->StretchDraw(Rect(0, 0, 3, 2), glyph.get());
    EXPECT_EQ(target->Canvas()->Pixels(1, 0), clLime);
    EXPECT_EQ(target->Canvas()->Pixels(0, 0), clTeal);
}

TEST(CanvasBlt, CopyRectAndAssignShareUntilWritten)
{
    auto a = MakeBitmap(4, 4, clRed);
    auto b = CreateOwned<TBitmap>();
    b->Assign(a.get());
    b->Canvas()->SetPixels(0, 0, clBlue);
    EXPECT_EQ(a->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(b->Canvas()->Pixels(1, 1), clRed);
    // Overlapping copy within one bitmap.
    b->Canvas()->CopyRect(Rect(1, 0, 4, 1), b->Canvas(), Rect(0, 0, 3, 1));
    EXPECT_EQ(Art(*b, kKey)[0], "bbrr");
    b->Canvas()->SetCopyMode(cmDstInvert);
    b->Canvas()->CopyRect(Rect(0, 3, 4, 4), a->Canvas(), Rect(0, 0, 4, 1));
    EXPECT_EQ(Art(*b, {{clAqua, 'a'}, {clRed, 'r'}})[3], "aaaa");
}

TEST(CanvasBlt, InvertAndEdges)
{
    auto b = MakeBitmap(5, 5, clBlack);
    TCanvas* c = b->Canvas();
    InvertRect(c, Rect(0, 0, 2, 1));
    EXPECT_EQ(Art(*b, kKey)[0], "..###");
    TRect r = Rect(0, 0, 5, 5);
    DrawEdge(c, r, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE);
    EXPECT_EQ(r, Rect(2, 2, 3, 3));
    EXPECT_EQ(c->Pixels(0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(c->Pixels(4, 0), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(c->Pixels(1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(c->Pixels(3, 3), ColorToRGB(clBtnShadow));
    EXPECT_EQ(c->Pixels(2, 2), ColorToRGB(clBtnFace));
}
