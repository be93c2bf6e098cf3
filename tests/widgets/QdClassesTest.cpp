#include <gtest/gtest.h>

#include "platform/FormStream.h"
#include "platform/SysApi.h"
#include "platform/Testing.h"
#include "platform/TypInfo.h"
#include "widgets/QdClasses.h"

using namespace Testing;

namespace {

// A component publishing groups, as a control would.
class TGroupHost : public TComponent {
    PL_CLASSINFO()
public:
    using TComponent::TComponent;
    TQdBevel* Bevel() const { return FBevel.get(); }
    TQdMinMax* MinMax() const { return FMinMax.get(); }
    TQdFont3D* Font3D() const { return FFont3D.get(); }
    TQdGlyphs* Glyphs() const { return FGlyphs.get(); }

private:
    TOwned<TQdBevel> FBevel = CreateOwned<TQdBevel>();
    TOwned<TQdMinMax> FMinMax = CreateOwned<TQdMinMax>();
    TOwned<TQdFont3D> FFont3D = CreateOwned<TQdFont3D>();
    TOwned<TQdGlyphs> FGlyphs = CreateOwned<TQdGlyphs>();
};

TClass TGroupHost::StaticClassInfo()
{
    using H = TGroupHost;
    static const TClassInfo info = TClassBuilder<H, TComponent>("TGroupHost")
                                       .Object("Bevel", &H::Bevel)
                                       .Object("MinMax", &H::MinMax)
                                       .Object("Font3D", &H::Font3D)
                                       .Object("Glyphs", &H::Glyphs)
                                       .Build();
    return &info;
}

TOwned<TGroupHost> ReadHost(const String& Properties)
{
    TOwned<TGroupHost> host = CreateOwned<TGroupHost>(nullptr);
    ReadComponent("object Host: TGroupHost\n" + Properties + "end\n", host.get());
    return host;
}

TOwned<TBitmap> SolidBitmap(Integer Width, Integer Height, TColor Color)
{
    TOwned<TBitmap> b = CreateOwned<TBitmap>();
    b->SetSize(Width, Height);
    b->Canvas()->Brush()->SetColor(Color);
    b->Canvas()->FillRect(Rect(0, 0, Width, Height));
    return b;
}

std::vector<Integer> Triple(const TQdMinMax& M) { return {M.MinValue(), M.MaxValue(), M.Position()}; }

}  // namespace

TEST(QdPersistent, UpdatesNestAndAssignReportsOnce)
{
    TOwned<TQdPalette> palette = CreateOwned<TQdPalette>();
    Integer changes = 0;
    palette->OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, palette.get());
        ++changes;
    };
    palette->SetLow(clGreen);  // unchanged: no report
    palette->BeginUpdate();
    palette->BeginUpdate();
    palette->SetLow(clBlue);
    palette->SetHigh(clYellow);
    palette->EndUpdate();
    EXPECT_EQ(changes, 0);
    palette->EndUpdate();
    palette->EndUpdate();  // unmatched: stays at 0, still reports
    EXPECT_EQ(palette->UpdateCount(), 0);
    EXPECT_EQ(changes, 2);

    palette->Assign(CreateOwned<TQdPalette>().get());
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(palette->Low(), clGreen);
    EXPECT_THROW(palette->Assign(CreateOwned<TQdPaletteEx>().get()), EConvertError);
    EXPECT_THROW(palette->Assign(nullptr), EConvertError);
    palette->SetHigh(clRed);  // a refused Assign left no update open
    EXPECT_EQ(changes, 4);
}

TEST(QdMinMax, SettersAssignAndFormDataKeepTheRangeOrdered)
{
    TOwned<TQdMinMax> m = CreateOwned<TQdMinMax>();
    Integer changes = 0;
    m->OnChange = [&](TObject*) { ++changes; };
    m->SetPosition(10);
    m->SetMinValue(50);  // drags the position along, one report
    EXPECT_EQ(Triple(*m), (std::vector<Integer>{50, 100, 50}));
    EXPECT_EQ(changes, 2);
    m->SetMaxValue(50);
    m->SetMinValue(100);
    EXPECT_EQ(changes, 2);
    m->SetPosition(90);
    m->SetMaxValue(70);
    EXPECT_EQ(Triple(*m), (std::vector<Integer>{50, 70, 70}));

    // Assign and form data carry a range beyond the current one whole.
    for (const std::vector<Integer>& t : {std::vector<Integer>{200, 300, 250}, std::vector<Integer>{-50, -10, -20}}) {
        TOwned<TQdMinMax> source = CreateOwned<TQdMinMax>();
        source->SetMinValue(-1000);
        source->SetMaxValue(t[1]);
        source->SetMinValue(t[0]);
        source->SetPosition(t[2]);
        TOwned<TQdMinMax> copy = CreateOwned<TQdMinMax>();
        copy->OnChange = m->OnChange;
        copy->Assign(source.get());
        EXPECT_EQ(Triple(*copy), t);

        TOwned<TGroupHost> host = ReadHost(Format("    MinMax.MinValue = %d\n    MinMax.MaxValue = %d\n"
                                                  "    MinMax.Position = %d\n",
                                                  t[0], t[1], t[2]));
        EXPECT_EQ(Triple(*host->MinMax()), t);
    }
    EXPECT_EQ(changes, 6);  // one per Assign
    // A refused minimum is not taken up by a later maximum below it.
    TOwned<TGroupHost> refused = ReadHost("    MinMax.MinValue = 500\n    MinMax.MaxValue = 300\n");
    EXPECT_EQ(Triple(*refused->MinMax()), (std::vector<Integer>{0, 300, 0}));
}

TEST(QdBevel, PaintLeavesTheVisibleArea)
{
    TOwned<TQdBevel> bevel = CreateOwned<TQdBevel>();
    TRect area = Rect(10, 20, 110, 70);
    bevel->GetVisibleArea(area);
    EXPECT_EQ(area, Rect(14, 24, 106, 66));  // outline, raised, lowered, space

    TOwned<TBitmap> bitmap = SolidBitmap(30, 30, clWhite);
    TRect painted = Rect(0, 0, 30, 30);
    bevel->Paint(bitmap->Canvas(), painted);
    EXPECT_EQ(painted, Rect(4, 4, 26, 26));
    // Outline, raised (light top-left), lowered (swapped), inner space.
    std::vector<TColor> row;
    for (Integer x : {0, 1, 28, 2, 3, 4}) row.push_back(bitmap->Canvas()->Pixels(x, 10));
    EXPECT_EQ(row, (std::vector<TColor>{clBlack, ColorToRGB(clBtnHighlight), ColorToRGB(clBtnShadow),
                                        ColorToRGB(clBtnShadow), ColorToRGB(clBtnFace), clWhite}));

    bevel->SetBorderWidth(2);
    bevel->SetInnerOutline(osInner);
    bevel->SetOuterSpace(3);
    bevel->SetInnerStyle(TQdBevelStyle::bsNone);
    TRect expected = Rect(0, 0, 40, 40);
    bevel->GetVisibleArea(expected);
    EXPECT_EQ(expected, Rect(9, 9, 31, 31));
    TRect r = Rect(0, 0, 40, 40);
    bevel->Paint(SolidBitmap(40, 40, clWhite)->Canvas(), r);
    EXPECT_EQ(r, expected);

    bevel->SetVisible(false);
    TOwned<TBitmap> blank = SolidBitmap(30, 30, clWhite);
    TRect untouched = Rect(0, 0, 30, 30);
    bevel->GetVisibleArea(untouched);
    bevel->Paint(blank->Canvas(), untouched);
    EXPECT_EQ(untouched, Rect(0, 0, 30, 30));
    EXPECT_EQ(CountColour(blank.get(), clWhite), 900);
}

TEST(QdBevel, OutOfRangeWidthsFromFormDataAreClamped)
{
    TOwned<TGroupHost> host = ReadHost("    Bevel.BorderWidth = -7\n    Bevel.InnerWidth = -100\n"
                                       "    Bevel.OuterWidth = -1\n    Bevel.InnerSpace = -3\n"
                                       "    Bevel.OuterSpace = -2147483648\n");
    TRect r = Rect(0, 0, 10, 10);
    host->Bevel()->GetVisibleArea(r);
    EXPECT_EQ(r, Rect(1, 1, 9, 9));  // the outer outline alone

    host->Bevel()->SetBorderWidth(2147483647);
    EXPECT_EQ(host->Bevel()->BorderWidth(), kQdMaxBevelWidth);
    TRect shrunk = Rect(0, 0, 10, 10);
    host->Bevel()->GetVisibleArea(shrunk);
    TRect painted = Rect(0, 0, 10, 10);
    host->Bevel()->Paint(SolidBitmap(10, 10, clWhite)->Canvas(), painted);
    EXPECT_TRUE(IsRectEmpty(painted));
    EXPECT_EQ(painted, shrunk);
}

TEST(QdPalette, ToBMPRecoloursTwoColoursInTurn)
{
    TOwned<TQdPalette> palette = CreateOwned<TQdPalette>();
    TOwned<TBitmap> b = SolidBitmap(3, 1, clWhite);
    b->Canvas()->SetPixels(0, 0, clRed);
    b->Canvas()->SetPixels(1, 0, clBlue);
    palette->ToBMP(b.get(), clRed, clBlue);
    EXPECT_EQ(CountColour(b.get(), clGreen), 1);
    EXPECT_EQ(b->Canvas()->Pixels(1, 0), clLime);
    EXPECT_EQ(b->Canvas()->Pixels(2, 0), clWhite);
    // Pixels made Low are recoloured again when Low is the second colour.
    palette->SetLow(clBlue);
    TOwned<TBitmap> chain = SolidBitmap(2, 1, clRed);
    palette->ToBMP(chain.get(), clRed, clBlue);
    EXPECT_EQ(CountColour(chain.get(), clLime), 2);
}

TEST(QdFont3D, LayersTextInTheStyleColoursAndEndsInTheFace)
{
    TOwned<TQdFont3D> font3D = CreateOwned<TQdFont3D>();
    font3D->SetHighlightColor(clBlue);
    font3D->SetShadowColor(clRed);
    font3D->SetShadowDepth(3);
    font3D->SetHighlightDepth(2);
    // The lowest row holding Color, -1 when none does.
    const auto lowestRow = [](TBitmap* b, TColor Color) {
        for (Integer y = b->Height() - 1; y >= 0; --y)
            for (Integer x = 0; x < b->Width(); ++x)
                if (b->Canvas()->Pixels(x, y) == Color) return y;
        return -1;
    };
    const auto paint = [&](TQdFont3DStyle Style) {
        font3D->SetStyle(Style);
        TOwned<TBitmap> b = SolidBitmap(80, 40, clWhite);
        b->Canvas()->Font()->SetColor(clBlack);
        b->Canvas()->Font()->SetHeight(-24);
        font3D->Paint(b->Canvas(), Rect(10, 5, 80, 40), "IH", DT_LEFT | DT_TOP | DT_SINGLELINE);
        EXPECT_EQ(b->Canvas()->Font()->Color(), clBlack);
        return b;
    };
    const Integer face = CountColour(paint(f3dNone).get(), clBlack);
    EXPECT_GT(face, 0);
    TOwned<TBitmap> shadow = paint(f3dShadow);
    EXPECT_EQ(CountColour(shadow.get(), clBlack), face);  // the face on top, no background
    EXPECT_GT(lowestRow(shadow.get(), clRed), lowestRow(shadow.get(), clBlack));
    EXPECT_EQ(lowestRow(shadow.get(), clBlue), -1);
    TOwned<TBitmap> raised = paint(f3dRaised);
    EXPECT_GT(lowestRow(raised.get(), clRed), lowestRow(raised.get(), clBlue));
    TOwned<TBitmap> sunken = paint(f3dSunken);
    EXPECT_LT(lowestRow(sunken.get(), clRed), lowestRow(sunken.get(), clBlue));
    EXPECT_EQ(CountColour(sunken.get(), clBlack), face);
}

TEST(QdGlyphs, BitmapIsCopiedAndAlwaysReportsNumGlyphsNeverZero)
{
    TOwned<TQdGlyphs> glyphs = CreateOwned<TQdGlyphs>();
    Integer changes = 0;
    glyphs->OnChange = [&](TObject*) { ++changes; };
    TOwned<TBitmap> strip = SolidBitmap(8, 4, clRed);
    glyphs->SetBitmap(strip.get());
    EXPECT_NE(glyphs->Bitmap(), strip.get());
    strip.reset();
    EXPECT_EQ(glyphs->Bitmap()->Canvas()->Pixels(7, 3), clRed);
    glyphs->SetBitmap(glyphs->Bitmap());
    glyphs->SetNumGlyphs(0);
    EXPECT_EQ(glyphs->NumGlyphs(), 2);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(ReadHost("    Glyphs.NumGlyphs = 0\n")->Glyphs()->NumGlyphs(), 2);
}

TEST(QdRect, BoundsReportOnceAndSaturate)
{
    TOwned<TQdRect> r = CreateOwned<TQdRect>();
    Integer changes = 0;
    r->OnChange = [&](TObject*) { ++changes; };
    r->SetBounds(5, 6, 10, 20);
    r->SetBounds(5, 6, 10, 20);
    r->SetWidth(10);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(r->BoundsRect(), Rect(5, 6, 15, 26));
    r->SetBoundsRect(Rect(-4, -8, 6, 2));
    EXPECT_EQ(r->Height(), 10);
    r->SetBounds(2147483600, 0, 1000, 0);
    EXPECT_EQ(r->BoundsRect().Right, 2147483647);
}

TEST(QdClassesFormData, GroupsRoundTripAndWriteOnlyWhatDiffers)
{
    TOwned<TGroupHost> host = CreateOwned<TGroupHost>(nullptr);
    host->SetName("Host");
    const String defaults = WriteComponent(host.get());
    EXPECT_EQ(defaults.find("Bevel.BorderWidth"), String::npos);
    EXPECT_EQ(defaults.find("Font3D.Style"), String::npos);
    EXPECT_NE(defaults.find("Bevel.InnerStyle = bsLowered"), String::npos);
    EXPECT_NE(defaults.find("MinMax.MaxValue = 100"), String::npos);

    host->Bevel()->SetBorderColor(clBtnShadow);
    host->Bevel()->SetOuterOutline(osInner);
    host->Font3D()->SetStyle(f3dSunken);
    host->Font3D()->SetShadowDepth(-2);
    host->Glyphs()->SetNumGlyphs(3);
    const String written = WriteComponent(host.get());
    TOwned<TGroupHost> copy = CreateOwned<TGroupHost>(nullptr);
    ReadComponent(written, copy.get());
    EXPECT_EQ(WriteComponent(copy.get()), written);  // so every changed value came back
}
