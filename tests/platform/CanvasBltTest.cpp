// Raster operations: ROP3 block transfers, monochrome conversions,
// mirrored copies, transparency, focus rectangles and edges.

#include <random>
#include <sstream>

#include "GraphicsTestSupport.h"
#include "platform/System.h"
#include "platform/Testing.h"

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

    // Negative extents on both sides mirror twice: not at all.
    auto halves = MakeBitmap(4, 2, clRed);
    halves->Canvas()->Brush()->SetColor(clBlue);
    halves->Canvas()->FillRect(Rect(2, 0, 4, 2));
    StretchBlt(t, 2, 0, -2, 1, halves->Canvas(), 4, 0, -4, 2, SRCCOPY);
    EXPECT_EQ(Art(*target, kKey)[0], "rb");
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

namespace {

// A bitmap of random colours, one per pixel.
TOwned<TBitmap> NoiseBitmap(std::mt19937& random, Integer w, Integer h)
{
    auto b = MakeBitmap(w, h);
    for (Integer y = 0; y < h; ++y)
        for (Integer x = 0; x < w; ++x) b->Canvas()->SetPixels(x, y, static_cast<TColor>(random() & 0xFFFFFF));
    return b;
}

TOwned<TBitmap> CopyOf(TBitmap& Bitmap)
{
    auto copy = CreateOwned<TBitmap>();
    copy->Assign(&Bitmap);
    return copy;
}

// What Draw returns with the row-wise path switched off: the reference the
// fast path must not be told apart from.
template <class TDraw>
auto OnTheGeneralPath(TDraw&& Draw)
{
    Testing::BlockTransfers::GeneralPathOnly(true);
    const TScopeExit restore([] { Testing::BlockTransfers::GeneralPathOnly(false); });
    return Draw();
}

std::vector<TColor> PixelsOf(TBitmap& Bitmap)
{
    std::vector<TColor> pixels;
    const TPixels pixel(Bitmap);
    for (Integer y = 0; y < Bitmap.Height(); ++y)
        for (Integer x = 0; x < Bitmap.Width(); ++x) pixels.push_back(pixel(x, y));
    return pixels;
}

// One random transfer, drawn the same way on any set of images.
struct TRandomTransfer {
    enum TCall { Blt, Stretch, Pat, Draw, CopyRect } Call;
    Byte Rop;
    Integer Dest, Source;  // indexes into the images: 0 and 1 colour, 2 monochrome
    TRect D, S;            // corner and extents, as the calls take them
    TPoint DestOrigin, SourceOrigin;
    Integer Clip;  // 0 none, 1 a rectangle, 2 a rectangle with a hole
    TRect ClipRect, Hole;
    TBrushStyle Brush;
    TColor BrushColour, TextColour, BkColour, SourceBk;

    static TRandomTransfer Make(std::mt19937& random, Byte Rop)
    {
        const auto in = [&random](Integer lo, Integer hi) {
            return std::uniform_int_distribution<Integer>(lo, hi)(random);
        };
        const auto colour = [&random] { return static_cast<TColor>(random() & 0xFFFFFF); };
        TRandomTransfer t{};
        const Integer call = in(0, 19);
        t.Call = call < 8 ? Blt : call < 11 ? Stretch : call < 14 ? Pat : call < 17 ? CopyRect : Draw;
        t.Rop = Rop;
        t.Dest = in(0, 5) == 0 ? 2 : 0;
        const Integer source = in(0, 5);
        t.Source = source < 3 ? 1 : source == 3 ? 0 : 2;
        // Corners and extents that mostly overlap both images and a clip
        // that mostly shows part of them: a transfer that touches no pixel
        // proves nothing about its operation.
        t.D = Rect(in(-4, 14), in(-4, 8), in(0, 24), in(0, 16));
        // Mostly the destination's extents, so that most transfers go one
        // to one; else stretched, or an axis mirrored on both sides (not
        // mirrored at all) or on the destination's only.
        t.S = Rect(in(-4, 12), in(-4, 8), t.D.Right, t.D.Bottom);
        const Integer shape = in(0, 11);
        if (shape == 0) t.S = Rect(t.S.Left, t.S.Top, in(-20, 24), in(-14, 16));
        if (shape == 1 || shape == 2) t.D.Right = -t.D.Right;
        if (shape == 1) t.S.Right = -t.S.Right;
        if (shape == 3 || shape == 4) t.D.Bottom = -t.D.Bottom;
        if (shape == 3) t.S.Bottom = -t.S.Bottom;
        t.DestOrigin = Point(in(-3, 3), in(-3, 3));
        t.SourceOrigin = Point(in(-3, 3), in(-3, 3));
        t.Clip = in(0, 2);
        t.ClipRect = Rect(in(-5, 14), in(-5, 8), in(8, 35), in(6, 25));
        t.Hole = Rect(in(0, 20), in(0, 12), in(5, 30), in(5, 20));
        t.Brush = static_cast<TBrushStyle>(in(0, 7));
        t.BrushColour = colour();
        t.TextColour = colour();
        t.BkColour = colour();
        t.SourceBk = in(0, 1) ? colour() : clWhite;
        return t;
    }

    bool Apply(std::vector<TOwned<TBitmap>>& Images) const
    {
        TCanvas* dc = Images[Dest]->Canvas();
        TCanvas* src = Images[Source]->Canvas();
        SetWindowOrgEx(src, SourceOrigin.X, SourceOrigin.Y);
        SetBkColor(src, SourceBk);
        SetWindowOrgEx(dc, DestOrigin.X, DestOrigin.Y);
        if (Clip > 0) IntersectClipRect(dc, ClipRect.Left, ClipRect.Top, ClipRect.Right, ClipRect.Bottom);
        if (Clip > 1) ExcludeClipRect(dc, Hole.Left, Hole.Top, Hole.Right, Hole.Bottom);
        dc->Brush()->SetStyle(Brush);
        dc->Brush()->SetColor(BrushColour);
        SetTextColor(dc, TextColour);
        SetBkColor(dc, BkColour);
        const Cardinal rop = Cardinal(Rop) << 16;
        switch (Call) {
            case Blt: return BitBlt(dc, D.Left, D.Top, D.Right, D.Bottom, src, S.Left, S.Top, rop);
            case Stretch:
                return StretchBlt(dc, D.Left, D.Top, D.Right, D.Bottom, src, S.Left, S.Top, S.Right, S.Bottom, rop);
            case Pat: return PatBlt(dc, D.Left, D.Top, D.Right, D.Bottom, rop);
            case Draw:
                dc->SetCopyMode(static_cast<TCopyMode>(rop));
                dc->Draw(D.Left, D.Top, Images[Source].get());
                dc->StretchDraw(Bounds(S.Left, S.Top, D.Right, D.Bottom), Images[Source].get());
                return true;
            case CopyRect:
                dc->SetCopyMode(static_cast<TCopyMode>(rop));
                dc->CopyRect(Bounds(D.Left, D.Top, D.Right, D.Bottom), src, Bounds(S.Left, S.Top, S.Right, S.Bottom));
                return true;
        }
        return false;
    }

    std::string Describe() const
    {
        std::ostringstream out;
        out << "call " << Call << " rop 0x" << std::hex << Integer(Rop) << std::dec << " images " << Dest << "<-"
            << Source << " dest (" << D.Left << "," << D.Top << " " << D.Right << "x" << D.Bottom << ") source ("
            << S.Left << "," << S.Top << " " << S.Right << "x" << S.Bottom << ") clip " << Clip << " brush " << Brush;
        return out.str();
    }
};

}  // namespace

// Every ROP3 over random rectangles (partly outside both images, negative
// origins and extents, empty ones), clip regions and window origins, between
// colour and monochrome bitmaps and within one bitmap: the row-wise path of
// one-to-one transfers leaves exactly the pixels of the general path.
TEST(CanvasBlt, RowWiseTransfersMatchTheGeneralPath)
{
    std::mt19937 random(20240607);
    std::vector<TOwned<TBitmap>> scene;
    scene.push_back(NoiseBitmap(random, 29, 17));
    scene.push_back(NoiseBitmap(random, 23, 19));
    scene.push_back(NoiseBitmap(random, 21, 13));
    scene[2]->SetMonochrome(true);
    const auto copyScene = [&scene] {
        std::vector<TOwned<TBitmap>> copy;
        for (auto& image : scene) copy.push_back(CopyOf(*image));
        return copy;
    };
    for (Integer rop = 0; rop < 256 && !HasFailure(); ++rop)
        for (Integer round = 0; round < 16 && !HasFailure(); ++round) {
            const TRandomTransfer transfer = TRandomTransfer::Make(random, static_cast<Byte>(rop));
            std::vector<TOwned<TBitmap>> general = copyScene(), rows = copyScene();
            const bool generalResult = OnTheGeneralPath([&] { return transfer.Apply(general); });
            EXPECT_EQ(transfer.Apply(rows), generalResult) << transfer.Describe();
            for (std::size_t i = 0; i < scene.size(); ++i)
                EXPECT_EQ(PixelsOf(*rows[i]), PixelsOf(*general[i])) << transfer.Describe() << " image " << i;
        }
}

// A plain copy of a whole bitmap onto one of its size, as every control's
// paint ends, leaves the pixels of the general path, and the two bitmaps
// stay apart: whichever is drawn on next changes alone. Through Draw and
// BitBlt, onto an unclipped canvas and onto a clipped one.
TEST(CanvasBlt, AWholeCopyLeavesTheGeneralPathsPixelsAndTheImagesApart)
{
    std::mt19937 random(7);
    const TOwned<TBitmap> picture = NoiseBitmap(random, 31, 23);
    const TOwned<TBitmap> background = NoiseBitmap(random, 31, 23);
    for (const bool draw : {true, false})
        for (const bool clipped : {false, true}) {
            SCOPED_TRACE(testing::Message() << (draw ? "Draw" : "BitBlt") << (clipped ? ", clipped" : ""));
            const auto copy = [&] {
                TOwned<TBitmap> target = CopyOf(*background);
                if (clipped) IntersectClipRect(target->Canvas(), 2, 3, 31, 23);
                if (draw)
                    target->Canvas()->Draw(0, 0, picture.get());
                else
                    BitBlt(target->Canvas(), 0, 0, 31, 23, picture->Canvas(), 0, 0, SRCCOPY);
                return target;
            };
            const TOwned<TBitmap> general = OnTheGeneralPath(copy);
            const TOwned<TBitmap> target = copy();
            EXPECT_EQ(PixelsOf(*target), PixelsOf(*general));

            const std::vector<TColor> before = PixelsOf(*picture);
            target->Canvas()->SetPixels(5, 5, clRed);
            EXPECT_EQ(PixelsOf(*picture), before);
            picture->Canvas()->SetPixels(6, 6, clBlue);
            EXPECT_EQ(target->Canvas()->Pixels(6, 6), general->Canvas()->Pixels(6, 6));
            picture->Canvas()->SetPixels(6, 6, before[6 * 31 + 6]);
        }
}
