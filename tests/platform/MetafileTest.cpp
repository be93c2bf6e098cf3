// Metafiles: a recording played back at 1:1 gives the pixels of drawing
// directly, played back larger it draws the calls again at that size, and
// the saved file is a vector enhanced metafile that an independent converter
// reads.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/Math.h"
#include "platform/Metafile.h"
#include "platform/SysApi.h"
#include "platform/SysUtils.h"
#include "support/EmfFile.h"
#include "support/ImageCompare.h"
#include "support/TempFolder.h"

namespace {

// Lines of both pen widths, a filled polygon, a dashed rectangle and text.
void DrawScene(TCanvas* Canvas)
{
    Canvas->Brush()->SetColor(clWhite);
    Canvas->FillRect(TRect{0, 0, 60, 40});
    Canvas->Pen()->SetColor(clRed);
    Canvas->MoveTo(2, 3);
    Canvas->LineTo(57, 30);
    Canvas->Pen()->SetWidth(3);
    Canvas->Pen()->SetColor(clBlue);
    Canvas->Polyline({{5, 35}, {20, 20}, {40, 35}});
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psDot);
    Canvas->Brush()->SetColor(clYellow);
    Canvas->Rectangle(30, 2, 55, 15);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Polygon({{10, 10}, {25, 5}, {18, 18}});
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextOut(3, 12, "Ab");
    Canvas->CopyRect(TRect{44, 30, 54, 38}, Canvas, TRect{0, 0, 10, 8});
    // Overlapping lines of one column, which a batch may merge.
    Canvas->DrawLines([](TLineBatch& Batch) {
        Batch.Line({58, 2}, {58, 9});
        Batch.Line({58, 9}, {58, 5});
        Batch.Line({58, 5}, {59, 12});
    });
}

TOwned<TBitmap> Blank(Integer W, Integer H)
{
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(W, H);
    return bitmap;
}

TOwned<TMetafile> Recorded(Integer W, Integer H, const std::function<void(TCanvas*)>& Draw)
{
    TOwned<TMetafile> metafile = CreateOwned<TMetafile>();
    metafile->SetSize(W, H);
    TMetafileCanvas canvas(metafile.get(), "Kelvane", "test");
    Draw(&canvas);
    return metafile;
}

// Every vector call at K times its size; pens of width 0 stay so.
void DrawShapes(TCanvas* Canvas, Integer K)
{
    const auto p = [K](Integer X, Integer Y) { return TPoint{X * K, Y * K}; };
    Canvas->Pen()->SetWidth(0);
    Canvas->Pen()->SetColor(clNavy);
    Canvas->DrawLines([&](TLineBatch& Batch) {
        Batch.Line(p(1, 1), p(9, 4));
        Batch.Line(p(9, 4), p(12, 1));
        Batch.Line(p(12, 1), p(12, 8));
        Batch.Line(p(14, 2), p(19, 2));
    });
    Canvas->Pen()->SetWidth(2 * K);
    Canvas->Pen()->SetColor(clMaroon);
    Canvas->Polyline({p(2, 16), p(8, 11), p(14, 16)});
    Canvas->Pen()->SetWidth(K);
    Canvas->Brush()->SetColor(clYellow);
    Canvas->Rectangle(p(16, 9).X, p(16, 9).Y, p(24, 15).X, p(24, 15).Y);
    Canvas->Ellipse(p(2, 18).X, p(2, 18).Y, p(10, 24).X, p(10, 24).Y);
    Canvas->Brush()->SetColor(clLime);
    Canvas->Polygon({p(14, 18), p(22, 18), p(18, 24)});
    Canvas->FillRect(TRect{p(24, 2).X, p(24, 2).Y, p(29, 6).X, p(29, 6).Y});
    Canvas->Pen()->SetWidth(0);
    Canvas->Pen()->SetStyle(psDot);
    Canvas->MoveTo(p(24, 20).X, p(24, 20).Y);
    Canvas->LineTo(p(29, 20).X, p(29, 20).Y);
}

// The rows of column X in Color.
Integer RowsOf(TBitmap& Bitmap, Integer X, TColor Color)
{
    Integer rows = 0;
    for (Integer y = 0; y < Bitmap.Height(); ++y) rows += Bitmap.Canvas()->Pixels(X, y) == Color;
    return rows;
}

}  // namespace

TEST(Metafile, ReplayAtOneToOneEqualsDrawingDirectly)
{
    TOwned<TMetafile> metafile = CreateOwned<TMetafile>();
    metafile->SetSize(60, 40);
    {
        TMetafileCanvas canvas(metafile.get(), "Kelvane", "scene");
        DrawScene(&canvas);
    }
    EXPECT_EQ(metafile->CreatedBy(), "Kelvane");
    TOwned<TBitmap> direct = Blank(60, 40);
    DrawScene(direct->Canvas());
    TOwned<TBitmap> replayed = Blank(60, 40);
    replayed->Canvas()->StretchDraw(TRect{0, 0, 60, 40}, metafile.get());
    for (Integer y = 0; y < 40; ++y)
        for (Integer x = 0; x < 60; ++x)
            ASSERT_EQ(replayed->Canvas()->Pixels(x, y), direct->Canvas()->Pixels(x, y)) << x << "," << y;
}

TEST(Metafile, SavedFilesAreEnhancedMetafilesWithTheirTexts)
{
    TTempFolder folder;
    TOwned<TMetafile> metafile = CreateOwned<TMetafile>();
    EXPECT_THROW(metafile->SaveToFile(folder / "empty.emf"), EInvalidGraphic);
    EXPECT_FALSE(std::filesystem::exists(folder / "empty.emf"));
    metafile->SetSize(60, 40);
    {
        TMetafileCanvas canvas(metafile.get(), "Kelvane", "Strip Chart");
        DrawScene(&canvas);
    }
    metafile->SaveToFile(folder / "scene.emf");
    TMemoryStream file;
    file.LoadFromFile(folder / "scene.emf");
    const auto* bytes = static_cast<const Byte*>(file.Memory());
    ASSERT_GT(file.Size(), 108);
    EXPECT_EQ(bytes[0], 1);  // the header record
    EXPECT_EQ(String(reinterpret_cast<const char*>(bytes) + 41, 3), "EMF");
    // "Kelvane" in UTF-16 somewhere in the header's description.
    const std::string raw(reinterpret_cast<const char*>(bytes), size_t(file.Size()));
    EXPECT_NE(raw.find(std::string("K\0e\0l\0v\0a\0n\0e\0\0\0S\0t\0r\0i\0p", 25)), std::string::npos);
    EXPECT_THROW(metafile->LoadFromFile(folder / "scene.emf"), EInvalidGraphic);

    // Vector records with their objects; the copy as a bitmap record.
    const std::vector<uint32_t> records = EmfRecordTypes(folder / "scene.emf");
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back(), Emr::Eof);
    EXPECT_EQ(CountOf(records, Emr::Polyline16), 3u);  // the line, the wide polyline, the batch
    EXPECT_EQ(CountOf(records, Emr::Polygon16), 1u);
    EXPECT_EQ(CountOf(records, Emr::Rectangle), 2u);  // the fill and the dotted rectangle
    EXPECT_EQ(CountOf(records, Emr::ExtTextOutW), 1u);
    EXPECT_EQ(CountOf(records, Emr::ExtCreateFont), 1u);
    EXPECT_EQ(CountOf(records, Emr::StretchDibits), 1u);
    // Each pen or brush change creates one object and deletes the one it replaces.
    EXPECT_GE(CountOf(records, Emr::CreatePen), 4u);
    EXPECT_EQ(CountOf(records, Emr::CreatePen) + CountOf(records, Emr::CreateBrush) +
                  CountOf(records, Emr::ExtCreateFont),
              CountOf(records, Emr::SelectObject));
    EXPECT_EQ(CountOf(records, Emr::SelectObject) - 3, CountOf(records, Emr::DeleteObject));

    if (!ToolAvailable("emf2svg-conv")) GTEST_SKIP() << "emf2svg is not installed";
    bool ok = false;
    const String text = EmfAsSvg(folder / "scene.emf", ok);
    ASSERT_TRUE(ok);
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("<image"), std::string::npos);
    EXPECT_TRUE(SvgHasText(text, "Ab"));
}

TEST(Metafile, ScaledReplayDrawsTheCallsAtThatScale)
{
    constexpr Integer K = 3;
    TOwned<TMetafile> metafile = Recorded(30, 25, [](TCanvas* Canvas) { DrawShapes(Canvas, 1); });
    TOwned<TBitmap> replayed = Blank(30 * K, 25 * K);
    replayed->Canvas()->StretchDraw(TRect{0, 0, 30 * K, 25 * K}, metafile.get());
    TOwned<TBitmap> direct = Blank(30 * K, 25 * K);
    DrawShapes(direct->Canvas(), K);
    EXPECT_EQ(MaxChannelDifference(*replayed, *direct), 0);
    // Width 0 stays one pixel: the batch's horizontal line at y = 2.
    EXPECT_EQ(RowsOf(*replayed, 16 * K, clNavy), 1);
    // The canvas's own pen and brush are given back.
    EXPECT_EQ(replayed->Canvas()->Pen()->Width(), 1);
    EXPECT_EQ(replayed->Canvas()->Brush()->Color(), clWhite);
}

TEST(Metafile, ClippedTextReplaysAsDrawnAtThatScale)
{
    constexpr Integer K = 3;
    const auto draw = [](TCanvas* Canvas, Integer Scale) {
        Canvas->Brush()->SetColor(clBlack);
        Canvas->FillRect(TRect{0, 0, 20 * Scale, 16 * Scale});
        // An outline with a clear brush, so that the text finds its brush clear.
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetColor(clWhite);
        Canvas->Pen()->SetWidth(0);
        Canvas->Rectangle(Scale, Scale, 19 * Scale, 15 * Scale);
        IntersectClipRect(Canvas, 2 * Scale, 2 * Scale, 18 * Scale, 9 * Scale);
        Canvas->Font()->SetColor(clWhite);
        Canvas->Font()->SetHeight(-11 * Scale);
        Canvas->TextOut(3 * Scale, 3 * Scale, "Ch 1");
        SelectClipRgn(Canvas, nullptr);
    };
    TOwned<TMetafile> metafile = Recorded(20, 16, [&](TCanvas* Canvas) { draw(Canvas, 1); });
    TOwned<TBitmap> replayed = Blank(20 * K, 16 * K);
    replayed->Canvas()->StretchDraw(TRect{0, 0, 20 * K, 16 * K}, metafile.get());
    TOwned<TBitmap> direct = Blank(20 * K, 16 * K);
    draw(direct->Canvas(), K);
    EXPECT_EQ(MaxChannelDifference(*replayed, *direct), 0);
}

// A text clipped to its own extent, as a legend draws its entries, shows
// whole at every size the picture is played at: what the replay shows is
// the whole text at some height, not a text cut short.
TEST(Metafile, TextClippedToItsExtentStaysWholeAtEveryScale)
{
    const String text = "X(tau) ou X(k)";
    TOwned<TMetafile> metafile = Recorded(120, 20, [&](TCanvas* Canvas) {
        Canvas->Font()->SetHeight(-11);
        const TSize extent = Canvas->TextExtent(text);
        IntersectClipRect(Canvas, 4, 4, 4 + extent.cx, 4 + extent.cy);
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->TextOut(4, 4, text);
    });
    const auto whole = [&](TBitmap& Replayed, TPoint At, Integer Height) {
        TOwned<TBitmap> drawn = Blank(Replayed.Width(), Replayed.Height());
        drawn->Canvas()->Font()->SetHeight(-Height);
        drawn->Canvas()->Brush()->SetStyle(bsClear);
        drawn->Canvas()->TextOut(At.X, At.Y, text);
        return MaxChannelDifference(Replayed, *drawn) == 0;
    };
    for (Integer width = 60; width <= 480; width += 7) {
        const double scale = width / 120.0;
        TOwned<TBitmap> replayed = Blank(width, width / 6);
        replayed->Canvas()->StretchDraw(TRect{0, 0, width, width / 6}, metafile.get());
        const TPoint at{Integer(Round(4 * scale)), Integer(Round(4 * (width / 6) / 20.0))};
        bool found = false;
        for (Integer height = 1; height <= Round(11 * scale) && !found; ++height) found = whole(*replayed, at, height);
        EXPECT_TRUE(found) << "played " << width << " pixels wide";
    }
}

TEST(Metafile, ClipsAndOffsetsAreKeptInTheFileAndTheReplay)
{
    TTempFolder folder;
    TOwned<TMetafile> metafile = Recorded(20, 20, [](TCanvas* Canvas) {
        SetWindowOrgEx(Canvas, -2, -2, nullptr);  // logical (0, 0) at pixel (2, 2)
        IntersectClipRect(Canvas, 3, 3, 13, 13);
        Canvas->Brush()->SetColor(clRed);
        Canvas->FillRect(TRect{-2, -2, 18, 18});
        // An inverted rectangle clips everything away.
        IntersectClipRect(Canvas, 9, 9, 4, 4);
        Canvas->Brush()->SetColor(clBlue);
        Canvas->FillRect(TRect{-2, -2, 18, 18});
    });
    // Replayed at twice the size into the middle of a larger picture: red
    // only over pixels 10 .. 29 of the picture, shifted by 4.
    TOwned<TBitmap> replayed = Blank(50, 50);
    replayed->Canvas()->StretchDraw(TRect{4, 4, 44, 44}, metafile.get());
    for (Integer i = 0; i < 50; ++i)
        EXPECT_EQ(replayed->Canvas()->Pixels(i, i), i >= 14 && i < 34 ? clRed : clWhite) << i;
    // A replay leaves the canvas's clip as it was.
    EXPECT_EQ(replayed->Canvas()->ClipRect(), (TRect{0, 0, 50, 50}));
    // Mirrored along both axes, the clipped square lands where the
    // mirrored picture has it.
    TOwned<TBitmap> mirrored = Blank(50, 50);
    mirrored->Canvas()->StretchDraw(TRect{44, 44, 4, 4}, metafile.get());
    for (Integer i = 0; i < 50; ++i)
        EXPECT_EQ(mirrored->Canvas()->Pixels(i, i), i >= 14 && i < 34 ? clRed : clWhite) << i;

    metafile->SaveToFile(folder / "clip.emf");
    const std::vector<uint32_t> records = EmfRecordTypes(folder / "clip.emf");
    EXPECT_EQ(CountOf(records, Emr::ExtSelectClipRgn), 1u);
    EXPECT_EQ(CountOf(records, Emr::Rectangle), 1u);
}

TEST(Metafile, PixelCopiesCoverOnlyThePixelsTheyChanged)
{
    constexpr Integer K = 3;
    TOwned<TBitmap> glyph = Blank(2, 2);
    glyph->Canvas()->SetPixels(0, 0, clRed);
    TOwned<TMetafile> metafile = Recorded(20, 20, [&](TCanvas* Canvas) {
        Canvas->Pen()->SetWidth(0);
        Canvas->MoveTo(4, 10);
        Canvas->LineTo(16, 10);
        Canvas->DrawFocusRect(TRect{2, 2, 18, 18});
        Canvas->Draw(9, 14, glyph.get());
    });
    TOwned<TBitmap> replayed = Blank(20 * K, 20 * K);
    replayed->Canvas()->StretchDraw(TRect{0, 0, 20 * K, 20 * K}, metafile.get());
    // The line inside the focus frame is still drawn, one pixel wide.
    // In column 10 the frame's dots leave the top white and the bottom black.
    EXPECT_EQ(RowsOf(*replayed, 10 * K, clBlack), 1 + K);
    // The frame and the glyph come back as their pixels, stretched.
    EXPECT_EQ(replayed->Canvas()->Pixels(3 * K + 1, 2 * K + 1), clBlack);
    EXPECT_EQ(replayed->Canvas()->Pixels(9 * K + 1, 14 * K + 1), clRed);
    EXPECT_EQ(replayed->Canvas()->Pixels(10 * K + 1, 14 * K + 1), clWhite);
}

TEST(Metafile, ExtremeReplayRectanglesDrawWithoutFault)
{
    TOwned<TMetafile> metafile = Recorded(30, 25, [](TCanvas* Canvas) {
        DrawShapes(Canvas, 1);
        Canvas->TextOut(2, 2, "Ab");
    });
    TOwned<TBitmap> target = Blank(40, 40);
    const Integer big = 2147483647;
    for (const TRect& r : {TRect{-big, -big, big, big}, TRect{big, big, -big, -big}, TRect{0, 0, 1, 1},
                           TRect{5, 5, 5, 30}, TRect{-big, 0, -big + 3, 2}})
        target->Canvas()->StretchDraw(r, metafile.get());
    EXPECT_EQ(target->Canvas()->ClipRect(), (TRect{0, 0, 40, 40}));
}
