// Exact pixels of lines, rectangles, polygons and ellipses on small bitmaps.

#include "GraphicsTestSupport.h"

using namespace GraphicsTest;

namespace {

const std::map<TColor, char> kKey = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}, {clLime, 'g'}};

TCanvas* Prepare(TBitmap& b, TColor pen, TColor brush)
{
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(pen);
    c->Brush()->SetColor(brush);
    return c;
}

}  // namespace

TEST(CanvasRectangle, CoversLeftTopToRightBottomExclusive)
{
    auto b = MakeBitmap(8, 8);
    Prepare(*b, clBlack, clRed)->Rectangle(2, 2, 6, 6);
    const std::vector<std::string> expected = {
        "........", "........", "..####..", "..#rr#..", "..#rr#..", "..####..", "........", "........",
    };
    EXPECT_EQ(Art(*b, kKey), expected);
}

TEST(CanvasRectangle, ClearPenFillsOneLessRightAndBottom)
{
    auto b = MakeBitmap(8, 8);
    TCanvas* c = Prepare(*b, clBlack, clRed);
    c->Pen()->SetStyle(psClear);
    c->Rectangle(6, 6, 2, 2);  // corners in either order
    const std::vector<std::string> expected = {
        "........", "........", "..rrr...", "..rrr...", "..rrr...", "........", "........", "........",
    };
    EXPECT_EQ(Art(*b, kKey), expected);
}

TEST(CanvasRectangle, ClearBrushDrawsOutlineOnlyAndFillRectIgnoresPen)
{
    auto b = MakeBitmap(6, 6);
    TCanvas* c = Prepare(*b, clBlack, clRed);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(0, 0, 4, 4);
    EXPECT_EQ(Art(*b, kKey)[1], "#..#..");
    c->Brush()->SetColor(clBlue);  // a colour makes a clear brush solid
    EXPECT_EQ(c->Brush()->Style(), bsSolid);
    c->FillRect(Rect(4, 4, 6, 6));
    c->FillRect(Rect(3, 3, 1, 1));  // inverted: nothing
    EXPECT_EQ(Art(*b, kKey)[4], "....bb");
    EXPECT_EQ(Art(*b, kKey)[2], "#..#..");
}

TEST(CanvasLines, LineToLeavesOutTheEndPixel)
{
    auto b = MakeBitmap(8, 8);
    TCanvas* c = Prepare(*b, clBlack, clWhite);
    c->MoveTo(1, 0);
    c->LineTo(5, 0);  // horizontal
    c->MoveTo(0, 1);
    c->LineTo(0, 5);  // vertical
    c->MoveTo(2, 2);
    c->LineTo(6, 6);  // 45 degrees
    const std::vector<std::string> expected = {
        ".####...", "#.......", "#.#.....", "#..#....", "#...#...", ".....#..", "........", "........",
    };
    EXPECT_EQ(Art(*b, kKey), expected);
    EXPECT_EQ(c->PenPos(), Point(6, 6));
}

TEST(CanvasLines, PolylineJoinsWithoutGapsOrDoubles)
{
    // XOR shows any pixel drawn twice.
    auto b = MakeBitmap(8, 8, clBlack);
    TCanvas* c = Prepare(*b, clWhite, clBlack);
    c->Pen()->SetMode(pmXor);
    c->Polyline({Point(1, 1), Point(5, 1), Point(5, 5), Point(1, 5), Point(1, 1)});
    EXPECT_EQ(CountColor(*b, clWhite), 16);
    EXPECT_EQ(Art(*b, {{clWhite, '#'}, {clBlack, '.'}})[1], ".#####..");
}

TEST(CanvasLines, WidthsZeroAndOneAreIdenticalWithoutAntialiasing)
{
    auto thin = MakeBitmap(20, 20);
    auto one = MakeBitmap(20, 20);
    for (auto* b : {thin.get(), one.get()}) {
        TCanvas* c = Prepare(*b, clBlack, clWhite);
        c->Pen()->SetWidth(b == thin.get() ? 0 : 1);
        c->MoveTo(1, 2);
        c->LineTo(18, 9);
        c->LineTo(3, 17);
    }
    EXPECT_EQ(Art(*thin, kKey), Art(*one, kKey));
    for (const std::string& row : Art(*one, kKey)) EXPECT_EQ(row.find('?'), std::string::npos) << row;
}

TEST(CanvasLines, DashGapsTakeTheBrushColourOnlyWithASolidBrush)
{
    auto b = MakeBitmap(30, 2);
    TCanvas* c = Prepare(*b, clBlack, clRed);
    c->Pen()->SetStyle(psDash);
    c->MoveTo(0, 0);
    c->LineTo(30, 0);
    EXPECT_EQ(Art(*b, kKey)[0], std::string(18, '#') + std::string(6, 'r') + std::string(6, '#'));
    c->Brush()->SetStyle(bsClear);
    c->MoveTo(0, 1);
    c->LineTo(30, 1);
    EXPECT_EQ(Art(*b, kKey)[1], std::string(18, '#') + std::string(6, '.') + std::string(6, '#'));
}

TEST(CanvasLines, DotAndDashDotPatterns)
{
    auto b = MakeBitmap(24, 2);
    TCanvas* c = Prepare(*b, clBlack, clWhite);
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetStyle(psDot);
    c->MoveTo(0, 0);
    c->LineTo(24, 0);
    c->Pen()->SetStyle(psDashDotDot);
    c->MoveTo(0, 1);
    c->LineTo(24, 1);
    EXPECT_EQ(Art(*b, kKey)[0], "###...###...###...###...");
    EXPECT_EQ(Art(*b, kKey)[1], "#########...###...###...");
}

TEST(CanvasLines, WideDashedPenDrawsSolid)
{
    auto b = MakeBitmap(30, 5);
    TCanvas* c = Prepare(*b, clBlack, clWhite);
    c->Pen()->SetStyle(psDash);
    c->Pen()->SetWidth(3);
    c->MoveTo(2, 2);
    c->LineTo(27, 2);
    EXPECT_EQ(Art(*b, kKey)[2].substr(2, 25), std::string(25, '#'));
    EXPECT_EQ(Art(*b, kKey)[1].substr(2, 25), std::string(25, '#'));
    EXPECT_EQ(Art(*b, kKey)[4], std::string(30, '.'));
}

TEST(CanvasLines, PenModesCombineWithTheDestination)
{
    auto b = MakeBitmap(4, 1, RGB(0x12, 0x34, 0x56));
    TCanvas* c = Prepare(*b, RGB(0xF0, 0x0F, 0xFF), clWhite);
    const TPenMode modes[] = {pmNot, pmXor, pmNotXor, pmMask};
    for (Integer i = 0; i < 4; ++i) {
        c->Pen()->SetMode(modes[i]);
        c->MoveTo(i, 0);
        c->LineTo(i + 1, 0);
    }
    EXPECT_EQ(c->Pixels(0, 0), RGB(0xED, 0xCB, 0xA9));
    EXPECT_EQ(c->Pixels(1, 0), RGB(0xE2, 0x3B, 0xA9));
    EXPECT_EQ(c->Pixels(2, 0), RGB(0x1D, 0xC4, 0x56));
    EXPECT_EQ(c->Pixels(3, 0), RGB(0x10, 0x04, 0x56));
}

TEST(CanvasLines, HugeAndFarCoordinatesAreClampedWithoutHanging)
{
    auto b = MakeBitmap(10, 10);
    TCanvas* c = Prepare(*b, clBlack, clRed);
    c->Rectangle(-2000000000, -2000000000, 2000000000, 3);
    c->Ellipse(-2000000000, -2000000000, 2000000000, 2000000000);
    c->Polygon({Point(-2000000000, 0), Point(2000000000, 0), Point(0, 2000000000)});
    c->MoveTo(-2147483647 - 1, -2147483647 - 1);
    c->LineTo(2147483647, 2147483647);
    EXPECT_EQ(c->Pixels(4, 4), clBlack);
    c->MoveTo(-2000000000, 5);
    c->LineTo(2000000000, 5);
    EXPECT_EQ(Art(*b, kKey)[5], "##########");
    EXPECT_EQ(Art(*b, kKey)[7], "rrrrrrr#rr");
}

TEST(CanvasPolygon, FillsByPixelCentresAlternateOrWinding)
{
    // A pentagram: its centre is inside for WINDING, outside for ALTERNATE.
    const TPoint star[] = {Point(10, 0), Point(16, 19), Point(0, 7), Point(20, 7), Point(4, 19)};
    auto alternate = MakeBitmap(21, 21);
    auto winding = MakeBitmap(21, 21);
    for (auto* b : {alternate.get(), winding.get()}) {
        TCanvas* c = Prepare(*b, clBlack, clRed);
        c->Pen()->SetStyle(psClear);
        if (b == winding.get()) SetPolyFillMode(c, WINDING);
        c->Polygon(star);
    }
    EXPECT_EQ(alternate->Canvas()->Pixels(10, 11), clWhite);
    EXPECT_EQ(winding->Canvas()->Pixels(10, 11), clRed);
    EXPECT_EQ(alternate->Canvas()->Pixels(10, 3), clRed);

    // A square polygon leaves out its right and bottom edges.
    auto b = MakeBitmap(6, 6);
    TCanvas* c = Prepare(*b, clBlack, clRed);
    c->Pen()->SetStyle(psClear);
    c->Polygon({Point(1, 1), Point(4, 1), Point(4, 4), Point(1, 4)});
    EXPECT_EQ(CountColor(*b, clRed), 9);
}

TEST(CanvasEllipse, BoxRuleAndSymmetry)
{
    auto b = MakeBitmap(8, 8);
    Prepare(*b, clBlack, clRed)->Ellipse(2, 2, 6, 6);
    const std::vector<std::string> expected = {
        "........", "........", "...##...", "..#rr#..", "..#rr#..", "...##...", "........", "........",
    };
    EXPECT_EQ(Art(*b, kKey), expected);

    auto big = MakeBitmap(23, 15);
    Prepare(*big, clBlack, clRed)->Ellipse(1, 1, 22, 14);
    const std::vector<std::string> rows = Art(*big, kKey);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        EXPECT_EQ(rows[y], std::string(rows[y].rbegin(), rows[y].rend())) << y;  // left-right
        EXPECT_EQ(rows[y], rows[rows.size() - 1 - y]) << y;                        // top-bottom
    }
    EXPECT_EQ(rows[7].substr(0, 2), ".#");
    EXPECT_EQ(rows[1][11], '#');
    EXPECT_EQ(rows[7][11], 'r');
}

TEST(CanvasEllipse, PieAndChordKeepTheirSideOnly)
{
    auto pie = MakeBitmap(21, 21);
    TCanvas* c = Prepare(*pie, clBlack, clRed);
    // The quarter from 3 o'clock counter-clockwise to 12 o'clock.
    c->Pie(0, 0, 21, 21, 20, 10, 10, 0);
    EXPECT_EQ(c->Pixels(15, 5), clRed);
    EXPECT_EQ(c->Pixels(5, 5), clWhite);
    EXPECT_EQ(c->Pixels(15, 15), clWhite);
    EXPECT_EQ(c->Pixels(10, 10), clBlack);  // the centre is on the outline

    auto chord = MakeBitmap(21, 21);
    c = Prepare(*chord, clBlack, clRed);
    c->Chord(0, 0, 21, 21, 20, 10, 10, 0);
    EXPECT_EQ(c->Pixels(16, 4), clRed);
    EXPECT_EQ(c->Pixels(12, 8), clWhite);
}
