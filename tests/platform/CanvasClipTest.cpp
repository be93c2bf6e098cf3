// Clipping, saved device states, the window origin and regions.

#include "GraphicsTestSupport.h"

using namespace GraphicsTest;

namespace {

const std::map<TColor, char> kKey = {{clWhite, '.'}, {clRed, 'r'}};

void FillAll(TCanvas* c, TColor colour)
{
    c->Brush()->SetColor(colour);
    c->FillRect(Rect(-100, -100, 100, 100));
}

}  // namespace

TEST(CanvasClip, IntersectClipRectLimitsAndAnInvertedRectClipsEverything)
{
    auto b = MakeBitmap(6, 4);
    TCanvas* c = b->Canvas();
    EXPECT_EQ(IntersectClipRect(c, 1, 1, 4, 3), SIMPLEREGION);
    EXPECT_EQ(c->ClipRect(), Rect(1, 1, 4, 3));
    FillAll(c, clRed);
    EXPECT_EQ(Art(*b, kKey), (std::vector<std::string>{"......", ".rrr..", ".rrr..", "......"}));

    auto inverted = MakeBitmap(6, 4);
    c = inverted->Canvas();
    EXPECT_EQ(IntersectClipRect(c, 4, 3, 1, 1), NULLREGION);
    FillAll(c, clRed);
    c->Pen()->SetColor(clRed);
    c->Rectangle(0, 0, 6, 4);
    c->TextOut(0, 0, "x");
    c->SetPixels(2, 2, clRed);
    EXPECT_EQ(CountColor(*inverted, clWhite), 24);
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 0, 0));
    EXPECT_EQ(SelectClipRgn(c, nullptr), SIMPLEREGION);
    FillAll(c, clRed);
    EXPECT_EQ(CountColor(*inverted, clRed), 24);
}

TEST(CanvasClip, SaveAndRestoreTheDeviceState)
{
    auto b = MakeBitmap(6, 4);
    TCanvas* c = b->Canvas();
    const Integer level = SaveDC(c);
    EXPECT_EQ(level, 1);
    IntersectClipRect(c, 0, 0, 2, 4);
    SetWindowOrgEx(c, -1, 0);
    SetBkMode(c, TRANSPARENT);
    EXPECT_EQ(SaveDC(c), 2);
    ExcludeClipRect(c, 0, 0, 1, 4);
    EXPECT_TRUE(RestoreDC(c, -1));
    EXPECT_TRUE(RestoreDC(c, level));
    EXPECT_FALSE(RestoreDC(c, 1));  // already gone
    EXPECT_EQ(GetBkMode(c), OPAQUE);
    TPoint org{9, 9};
    GetWindowOrgEx(c, &org);
    EXPECT_EQ(org, Point(0, 0));
    FillAll(c, clRed);
    EXPECT_EQ(CountColor(*b, clRed), 24);
}

TEST(CanvasClip, WindowOriginShiftsDrawingButNotTheClip)
{
    auto b = MakeBitmap(6, 4);
    TCanvas* c = b->Canvas();
    IntersectClipRect(c, 0, 0, 3, 4);
    TPoint old;
    SetWindowOrgEx(c, 2, 1, &old);
    EXPECT_EQ(old, Point(0, 0));
    EXPECT_EQ(c->ClipRect(), Rect(2, 1, 5, 5));
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(3, 2, 10, 3));  // device (1, 1) to (8, 2), clipped at 3
    EXPECT_EQ(Art(*b, kKey), (std::vector<std::string>{"......", ".rr...", "......", "......"}));
    EXPECT_EQ(c->Pixels(3, 2), clRed);
}

TEST(CanvasClip, RegionsAlternateAndWindingDifferForAStar)
{
    const TPoint star[] = {Point(10, 0), Point(16, 19), Point(0, 7), Point(20, 7), Point(4, 19)};
    const TRegion alternate = CreatePolygonRgn(star, ALTERNATE);
    const TRegion winding = CreatePolygonRgn(star, WINDING);
    EXPECT_FALSE(PtInRegion(alternate, 10, 11));
    EXPECT_TRUE(PtInRegion(winding, 10, 11));
    EXPECT_TRUE(PtInRegion(alternate, 10, 3));
    TRect box;
    EXPECT_EQ(GetRgnBox(winding, box), COMPLEXREGION);
    EXPECT_EQ(box, Rect(1, 2, 19, 19));

    TRegion both;
    EXPECT_EQ(CombineRgn(both, winding, alternate, RGN_DIFF), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(both, 10, 11));
    EXPECT_FALSE(PtInRegion(both, 10, 3));
    EXPECT_EQ(CombineRgn(both, CreateRectRgn(0, 0, 4, 4), CreateRectRgn(4, 0, 8, 4), RGN_OR), SIMPLEREGION);
    EXPECT_EQ(CombineRgn(both, CreateRectRgn(0, 0, 4, 4), CreateRectRgn(4, 0, 8, 4), RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(both, both, both, 99), ERROR);
    TRegion copy = winding;
    OffsetRgn(copy, 100, 0);
    EXPECT_FALSE(EqualRgn(copy, winding));
    EXPECT_TRUE(PtInRegion(copy, 110, 11));
}

TEST(CanvasClip, SelectedRegionClipsDrawing)
{
    auto b = MakeBitmap(6, 4);
    TCanvas* c = b->Canvas();
    TRegion rgn;
    CombineRgn(rgn, CreateRectRgn(0, 0, 2, 2), CreateRectRgn(4, 2, 6, 4), RGN_OR);
    EXPECT_EQ(SelectClipRgn(c, &rgn), COMPLEXREGION);
    FillAll(c, clRed);
    EXPECT_EQ(Art(*b, kKey), (std::vector<std::string>{"rr....", "rr....", "....rr", "....rr"}));
    TRegion current;
    EXPECT_EQ(GetClipRgn(c, current), 1);
    EXPECT_TRUE(EqualRgn(current, rgn));
    SelectClipRgn(c, nullptr);
    EXPECT_EQ(GetClipRgn(c, current), 0);
}

TEST(CanvasClip, DrawingWithoutAnImageRaises)
{
    TOwned<TCanvas> c = CreateOwned<TCanvas>();
    EXPECT_FALSE(c->HandleAllocated());
    EXPECT_THROW(c->Rectangle(0, 0, 2, 2), EInvalidOperation);
    EXPECT_EQ(c->Pixels(0, 0), -1);
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 0, 0));
}
