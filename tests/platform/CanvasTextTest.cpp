// Text metrics, TextOut placement and DrawText layout.

#include "GraphicsTestSupport.h"

using namespace GraphicsTest;

namespace {

class CanvasText : public WithFonts {
protected:
    void SetUp() override
    {
        Bitmap = MakeBitmap(120, 60);
        Canvas = Bitmap->Canvas();
    }
    Integer Calc(const String& text, Cardinal flags, TRect r = Rect(0, 0, 0, 0))
    {
        DrawText(Canvas, text, r, flags | DT_CALCRECT);
        Calculated = r;
        return r.Right - r.Left;
    }
    // The bounding box of the pixels that are not white.
    TRect Ink()
    {
        TRect box{1 << 20, 1 << 20, -1, -1};
        for (Integer y = 0; y < Bitmap->Height(); ++y)
            for (Integer x = 0; x < Bitmap->Width(); ++x)
                if (Canvas->Pixels(x, y) != clWhite) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
        return box;
    }

    TOwned<TBitmap> Bitmap;
    TCanvas* Canvas = nullptr;
    TRect Calculated;
};

}  // namespace

TEST_F(CanvasText, TahomaMetricsFollowTheWindowsCell)
{
    TFont* f = Canvas->Font();
    EXPECT_EQ(f->Name(), "Tahoma");
    EXPECT_EQ(f->Height(), -11);
    EXPECT_EQ(f->Size(), 8);
    EXPECT_EQ(Canvas->TextHeight("Hg"), 13);
    EXPECT_EQ(Canvas->TextHeight(""), 13);
    EXPECT_EQ(Canvas->TextWidth(""), 0);
    TTextMetric tm;
    GetTextMetrics(Canvas, tm);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_EQ(tm.tmInternalLeading, 2);
    EXPECT_GT(Canvas->TextWidth("Wide text"), Canvas->TextWidth("Wide"));
    f->SetSize(12);
    EXPECT_EQ(f->Height(), -16);
    f->SetHeight(20);  // a positive height is the cell height
    EXPECT_EQ(Canvas->TextHeight("x"), 20);
}

// The default face is bold at every size: its bold file holds bold letters
// only in its bitmaps of 9 to 12 pixels (8 and 9 points).
TEST_F(CanvasText, BoldTahomaIsBoldAtEverySize)
{
    TFont* f = Canvas->Font();
    f->SetColor(clBlack);
    const auto ink = [&](TFontStyles Style) {
        f->SetStyle(Style);
        Canvas->FillRect(Rect(0, 0, 120, 60));
        Canvas->TextOut(0, 0, "AaBbYy");
        return std::pair{CountColor(*Bitmap, clBlack), Canvas->TextWidth("AaBbYy")};
    };
    for (const Integer points : {8, 10, 12, 16}) {
        f->SetSize(points);
        const auto [regular, regularWidth] = ink({});
        const auto [bold, boldWidth] = ink({fsBold});
        EXPECT_GT(bold, regular * 5 / 4) << points;
        EXPECT_GT(boldWidth, regularWidth) << points;  // the letters do not run into each other
    }
}

TEST_F(CanvasText, TextOutPlacesTheCellTopLeftWithoutAntialiasing)
{
    Canvas->Font()->SetColor(clBlack);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextOut(10, 20, "Hello");
    const TRect ink = Ink();
    EXPECT_GE(ink.Left, 10);
    EXPECT_GE(ink.Top, 20);
    EXPECT_LE(ink.Bottom, 20 + 13);
    EXPECT_LE(ink.Right, 10 + Canvas->TextWidth("Hello") + 1);
    EXPECT_EQ(CountColor(*Bitmap, clBlack) + CountColor(*Bitmap, clWhite), 120 * 60);
    EXPECT_EQ(Canvas->PenPos(), Point(10 + Canvas->TextWidth("Hello"), 20));
}

TEST_F(CanvasText, OpaqueBackgroundFillsTheCell)
{
    Canvas->Brush()->SetColor(clRed);
    Canvas->TextOut(5, 5, "ab");
    const Integer w = Canvas->TextWidth("ab");
    EXPECT_EQ(Canvas->Pixels(5, 5), clRed);
    EXPECT_EQ(Canvas->Pixels(5 + w - 1, 5 + 12), clRed);
    EXPECT_EQ(Canvas->Pixels(5 + w, 5), clWhite);
    EXPECT_EQ(Canvas->Pixels(5, 5 + 13), clWhite);
    // SetBkMode holds until the next brush change.
    SetBkMode(Canvas, TRANSPARENT);
    Canvas->TextOut(5, 30, "ab");
    EXPECT_EQ(Canvas->Pixels(5, 30), clWhite);
    Canvas->Brush()->SetColor(clBlue);
    Canvas->TextOut(5, 45, "ab");
    EXPECT_EQ(Canvas->Pixels(5, 45), clBlue);
}

TEST_F(CanvasText, RotatedTextTurnsAboutItsReferencePoint)
{
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Font()->SetColor(clBlack);
    Canvas->Font()->SetOrientation(900);
    Canvas->TextOut(30, 50, "Hello");
    const TRect ink = Ink();
    // Upward from (30, 50): the cell spans x 30..43 and y 50-width..50.
    EXPECT_GE(ink.Left, 30);
    EXPECT_LE(ink.Right, 30 + 13 + 1);
    EXPECT_LE(ink.Bottom, 51);
    EXPECT_LT(ink.Top, 50 - Canvas->TextWidth("Hello") + 5);
}

TEST_F(CanvasText, PrefixesMeasureAsShownAndNoPrefixKeepsThem)
{
    EXPECT_EQ(Calc("&&a", 0), Calc("&a", DT_NOPREFIX));
    EXPECT_EQ(Calc("&a", 0), Canvas->TextWidth("a"));
    EXPECT_EQ(Calc("&a", DT_NOPREFIX), Canvas->TextWidth("&a"));
}

TEST_F(CanvasText, PrefixUnderlinesTheCharacter)
{
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Font()->SetColor(clBlack);
    TRect r = Rect(0, 0, 100, 20);
    DrawText(Canvas, "&o", r, DT_SINGLELINE);
    const Integer underlined = CountColor(*Bitmap, clBlack);
    auto plain = MakeBitmap(120, 60);
    plain->Canvas()->Brush()->SetStyle(bsClear);
    plain->Canvas()->Font()->SetColor(clBlack);
    DrawText(plain->Canvas(), "o", r, DT_SINGLELINE);
    EXPECT_EQ(underlined, CountColor(*plain, clBlack) + Canvas->TextWidth("o"));
}

TEST_F(CanvasText, CalcRectMeasuresLinesAndDrawsNothing)
{
    const Integer h = Canvas->TextHeight("x");
    TRect r = Rect(10, 10, 10, 10);
    EXPECT_EQ(DrawText(Canvas, "ab\r\nlonger line\ncd", r, DT_CALCRECT), 3 * h);
    EXPECT_EQ(r, Rect(10, 10, 10 + Canvas->TextWidth("longer line"), 10 + 3 * h));
    r = Rect(10, 10, 10, 10);
    EXPECT_EQ(DrawText(Canvas, "ab\r\ncd", r, DT_CALCRECT | DT_SINGLELINE), h);
    EXPECT_EQ(r.Right - r.Left, Canvas->TextWidth("abcd"));
    EXPECT_EQ(CountColor(*Bitmap, clWhite), 120 * 60);
}

TEST_F(CanvasText, EmptyTextGivesZero)
{
    TRect r = Rect(3, 4, 50, 60);
    EXPECT_EQ(DrawText(Canvas, "", r, DT_CALCRECT), 0);
    EXPECT_EQ(r, Rect(3, 4, 3, 4));
    r = Rect(3, 4, 50, 60);
    EXPECT_EQ(DrawText(Canvas, "", r, DT_VCENTER | DT_SINGLELINE), 0);
}

TEST_F(CanvasText, WordBreakKeepsWordsWhole)
{
    const Integer h = Canvas->TextHeight("x");
    const Integer w = Canvas->TextWidth("aaa bbb");
    EXPECT_EQ(DrawText(Canvas, "aaa bbb ccc", *std::make_unique<TRect>(Rect(0, 0, w, 0)), DT_WORDBREAK | DT_CALCRECT),
              2 * h);
    TRect r = Rect(0, 0, 5, 0);  // narrower than any word
    EXPECT_EQ(DrawText(Canvas, "extraordinarily long words", r, DT_WORDBREAK | DT_CALCRECT), 3 * h);
    EXPECT_EQ(r.Right, Canvas->TextWidth("extraordinarily"));
    // Line breaks count with word breaking too.
    r = Rect(0, 0, 1000, 0);
    EXPECT_EQ(DrawText(Canvas, "a\rb\nc", r, DT_WORDBREAK | DT_CALCRECT), 3 * h);
}

TEST_F(CanvasText, VerticalCentringNeedsSingleLine)
{
    const Integer h = Canvas->TextHeight("x");
    TRect r = Rect(0, 0, 100, 40);
    EXPECT_EQ(DrawText(Canvas, "x", r, DT_VCENTER), h);
    EXPECT_EQ(DrawText(Canvas, "x", r, DT_VCENTER | DT_SINGLELINE), (40 - h) / 2 + h);
    EXPECT_EQ(DrawText(Canvas, "x", r, DT_BOTTOM | DT_SINGLELINE), 40);

    Canvas->Brush()->SetColor(clRed);
    Canvas->FillRect(Rect(0, 0, 120, 60));
    DrawText(Canvas, "x", r, DT_VCENTER);  // opaque cell at the top
    EXPECT_EQ(Canvas->Pixels(0, 0), clRed);
    Canvas->Brush()->SetColor(clBlue);
    DrawText(Canvas, "x", r, DT_VCENTER | DT_SINGLELINE | DT_CENTER);
    EXPECT_EQ(Canvas->Pixels(50, (40 - h) / 2), clBlue);
    EXPECT_EQ(Canvas->Pixels(50, (40 - h) / 2 - 1), clRed);
}

TEST_F(CanvasText, ClippingFollowsTheRectangleUnlessNoClip)
{
    Canvas->Brush()->SetColor(clRed);
    TRect r = Rect(10, 10, 14, 14);
    DrawText(Canvas, "Wide text", r, DT_SINGLELINE);
    EXPECT_EQ(Ink(), Rect(10, 10, 14, 14));
    DrawText(Canvas, "Wide text", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(Ink(), Rect(10, 10, 10 + Canvas->TextWidth("Wide text"), 10 + Canvas->TextHeight("W")));
}

TEST_F(CanvasText, EllipsisShortensOnlyWhatIsShown)
{
    const String text = "C:\\some\\long\\folder\\file.txt";
    const Integer limit = Canvas->TextWidth("C:\\some\\...\\file.txt");
    EXPECT_LE(Calc(text, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING, Rect(0, 0, limit, 0)), limit);
    EXPECT_EQ(text, "C:\\some\\long\\folder\\file.txt");
    EXPECT_GT(Calc(text, DT_SINGLELINE | DT_PATH_ELLIPSIS, Rect(0, 0, limit, 0)),
              Canvas->TextWidth("\\file.txt"));
    EXPECT_LE(Calc("abcdefghijkl", DT_SINGLELINE | DT_END_ELLIPSIS, Rect(0, 0, 30, 0)), 30);
    EXPECT_EQ(Calc("short", DT_SINGLELINE | DT_END_ELLIPSIS, Rect(0, 0, 300, 0)), Canvas->TextWidth("short"));
    EXPECT_EQ(Calc("one two three", DT_SINGLELINE | DT_WORD_ELLIPSIS,
                   Rect(0, 0, Canvas->TextWidth("one two..."), 0)),
              Canvas->TextWidth("one two..."));
}

TEST_F(CanvasText, TabsExpandToEightAverageCharacters)
{
    TTextMetric tm;
    GetTextMetrics(Canvas, tm);
    EXPECT_EQ(Calc("a\tb", DT_EXPANDTABS | DT_SINGLELINE), 8 * tm.tmAveCharWidth + Canvas->TextWidth("b"));
}

TEST_F(CanvasText, AHugeRunDrawsWhatItsVisibleStartDraws)
{
    // Only the start that can reach the clip is shaped; what shows is the
    // same, in every orientation, with the cell filled as far as it shows.
    const String start = "Huge caption ";
    const String huge = start + String(1 << 20, 'W');
    const String shown = start + String(200, 'W');
    for (Integer orientation : {0, 900, 1800, 450}) {
        TOwned<TBitmap> expected = MakeBitmap(120, 60);
        for (TCanvas* canvas : {Canvas, expected->Canvas()}) {
            canvas->Brush()->SetColor(clYellow);
            canvas->Font()->SetColor(clBlack);
            canvas->Font()->SetOrientation(orientation);
        }
        Canvas->FillRect(Rect(0, 0, 120, 60));
        expected->Canvas()->FillRect(Rect(0, 0, 120, 60));
        Canvas->TextOut(60, 30, huge);
        expected->Canvas()->TextOut(60, 30, shown);
        for (Integer y = 0; y < 60; ++y)
            for (Integer x = 0; x < 120; ++x)
                ASSERT_EQ(Canvas->Pixels(x, y), expected->Canvas()->Pixels(x, y)) << orientation << " " << x << "," << y;
    }
    EXPECT_GT(Canvas->PenPos().X, 1 << 20);  // the pen moves past the whole run
}

namespace {

// Texts of 16 KB and more are measured by the advances of their characters
// and only what shows of them is drawn. In a font of one advance that
// measure is exact, so what they show must be what the same characters show
// drawn as an ordinary text.
class LongText : public CanvasText {
protected:
    void SetUp() override
    {
        CanvasText::SetUp();
        Expected = MakeBitmap(120, 60);
        for (TCanvas* canvas : {Canvas, Expected->Canvas()}) {
            canvas->Font()->SetName("Courier New");
            canvas->Font()->SetColor(clBlack);
            canvas->Brush()->SetStyle(bsClear);
        }
        Pitch = Canvas->TextWidth("0");
        ASSERT_EQ(Canvas->TextWidth("0123456789"), 10 * Pitch);
    }
    static String Digits(Integer Count)
    {
        String text;
        for (Integer i = 0; i < Count; ++i) text += char('0' + i % 10);
        return text;
    }
    void ExpectSamePixels()
    {
        for (Integer y = 0; y < 60; ++y)
            for (Integer x = 0; x < 120; ++x)
                ASSERT_EQ(Canvas->Pixels(x, y), Expected->Canvas()->Pixels(x, y)) << x << "," << y;
    }

    TOwned<TBitmap> Expected;
    Integer Pitch = 0;
};

}  // namespace

TEST_F(LongText, ACentredLineShowsItsMiddle)
{
    const String text = Digits(20000);
    const TRect r = Rect(10, 5, 110, 55);
    TRect drawn = r;
    DrawText(Canvas, text, drawn, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    const Integer left = 10 + (100 - 20000 * Pitch) / 2;
    const Integer first = (10 - left) / Pitch - 3;
    Expected->Canvas()->TextRect(r, left + first * Pitch, 5 + (50 - Canvas->TextHeight("0")) / 2,
                                 text.substr(std::size_t(first), std::size_t(100 / Pitch + 6)));
    ExpectSamePixels();
}

TEST_F(LongText, ARunFarAlongShowsWhatReachesTheBitmap)
{
    // Turned up or over, from far below or right of the bitmap.
    const String text = Digits(20000);
    for (const Integer orientation : {900, 1800}) {
        SetUp();
        const Integer far = 5000 * Pitch;
        const TPoint at = orientation == 900 ? Point(60, 30 + far) : Point(60 + far, 30);
        const TPoint excerptAt = orientation == 900 ? Point(60, 30 + 20 * Pitch) : Point(60 + 20 * Pitch, 30);
        for (TCanvas* canvas : {Canvas, Expected->Canvas()}) canvas->Font()->SetOrientation(orientation);
        Canvas->TextOut(at.X, at.Y, text);
        Expected->Canvas()->TextOut(excerptAt.X, excerptAt.Y, text.substr(4980, 60));
        ExpectSamePixels();
        EXPECT_EQ(Canvas->PenPos().X, at.X + 20000 * Pitch);
    }
}

TEST_F(LongText, LinesBreaksEllipsesAndPrefixesShowAsTheTextsBeginning)
{
    // Left-aligned from the top, a long text shows what its beginning shows.
    String words;
    while (words.size() < 20000) words += "abc de&fgh ij ";
    String lines;
    for (Integer i = 0; lines.size() < 20000; ++i) lines += "line " + IntToStr(i) + (i == 7 ? "&xyz\r\n" : "\r\n");
    const struct {
        String Text;
        std::size_t Shown;
        Cardinal Flags;
    } cases[] = {{words, 140, DT_WORDBREAK},
                 {lines, 120, DT_EXPANDTABS},
                 {words, 40, DT_SINGLELINE | DT_END_ELLIPSIS},
                 {words, 40, DT_SINGLELINE | DT_WORD_ELLIPSIS}};
    for (const auto& c : cases) {
        SetUp();
        TRect longRect = Rect(10, 5, 100, 55);
        TRect shortRect = longRect;
        DrawText(Canvas, c.Text, longRect, c.Flags);
        DrawText(Expected->Canvas(), c.Text.substr(0, c.Shown), shortRect, c.Flags);
        ExpectSamePixels();
        if (c.Flags & DT_SINGLELINE) {
            EXPECT_EQ(Calc(c.Text, c.Flags, longRect), Calc(c.Text.substr(0, c.Shown), c.Flags, longRect));
        }
    }
    TRect r = Rect(0, 0, 0, 0);
    const auto count = static_cast<Integer>(std::count(lines.begin(), lines.end(), '\n'));
    EXPECT_EQ(DrawText(Canvas, lines, r, DT_CALCRECT), (count + 1) * Canvas->TextHeight("x"));
    EXPECT_EQ(r.Right, Canvas->TextWidth("line " + IntToStr(count - 1)));
}

TEST_F(LongText, AnEditedTextIsMeasuredAfresh)
{
    String text = Digits(20000);
    const Integer h = Canvas->TextHeight("0");
    TRect r = Rect(0, 0, 0, 0);
    EXPECT_EQ(DrawText(Canvas, text, r, DT_CALCRECT), h);
    text[10000] = '\n';
    EXPECT_EQ(DrawText(Canvas, text, r, DT_CALCRECT), 2 * h);
    EXPECT_EQ(Canvas->TextWidth(text), Canvas->TextWidth(Digits(19999)) + Canvas->TextWidth("\n"));
}
