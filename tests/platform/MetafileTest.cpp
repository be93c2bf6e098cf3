// Metafiles: a recording played back at 1:1 gives the pixels of drawing
// directly, and the saved file is an enhanced metafile that an independent
// converter reads.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Metafile.h"
#include "platform/SysUtils.h"
#include "support/ToolOutput.h"
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
}

TOwned<TBitmap> Blank(Integer W, Integer H)
{
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(W, H);
    return bitmap;
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

    if (!ToolAvailable("emf2svg-conv")) GTEST_SKIP() << "emf2svg is not installed";
    bool ok = false;
    ToolOutput("emf2svg-conv -i '" + (folder / "scene.emf") + "' -o '" + (folder / "scene.svg") + "'", ok);
    EXPECT_TRUE(ok);
    TMemoryStream svg;
    svg.LoadFromFile(folder / "scene.svg");
    const std::string text(static_cast<const char*>(svg.Memory()), size_t(svg.Size()));
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("<image"), std::string::npos);
}
