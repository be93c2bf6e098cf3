#include <gtest/gtest.h>

#include <limits>

#include "support/ShownForm.h"
#include "widgets/QdColumnBars.h"
#include "widgets/QdSysUtils.h"

using namespace Testing;

namespace {

class QdSpectrumTest : public ShownForm {
protected:
    void SetUp() override
    {
        ShownForm::SetUp();
        QdSpectrumInitialization();
        Spectrum = Add<TQdSpectrum>(Form, 0, 0, 217, 117);
        Image = Settled(Spectrum);
    }
    // The pixel of the column's cell (0 = top), in its middle.
    TColor Cell(Integer Column, Integer CellIndex)
    {
        const TRect r = Spectrum->GetItemRect(Column);
        const Integer pitch = Spectrum->TickHeight() + Spacing();
        return Image->Canvas()->Pixels(r.Left + Spectrum->BarWidth() / 2, r.Top + CellIndex * pitch);
    }
    Integer Spacing() const { return Spectrum->Spacing(); }
    void Repaint() { Image = Settled(Spectrum); }

    TQdSpectrum* Spectrum = nullptr;
    TOwned<TBitmap> Image;
};

}  // namespace

TEST_F(QdSpectrumTest, SizesItselfToWholeColumnsAndCells)
{
    EXPECT_EQ(Spectrum->Width(), 225);
    EXPECT_EQ(Spectrum->Height(), 117);
    EXPECT_EQ(Spectrum->Ticks(), 54);
    EXPECT_EQ(Spectrum->Count(), 24);
    EXPECT_EQ(Spectrum->GetItemRect(1), Rect(14, 5, 22, 112));
    // A second pass keeps the size it found.
    Repaint();
    EXPECT_EQ(Spectrum->Width(), 225);
    EXPECT_EQ(Spectrum->Height(), 117);

    // The bevel changes; the bars keep their area.
    Spectrum->Bevel()->SetInnerWidth(4);
    EXPECT_EQ(Spectrum->Width(), 229);
    EXPECT_EQ(Spectrum->Height(), 121);
    Repaint();
    EXPECT_EQ(Spectrum->Ticks(), 54);
}

TEST_F(QdSpectrumTest, ColumnsShowThreeZonesAndAMarkerOnTop)
{
    Spectrum->SetPlainColors(true);
    Spectrum->SetTickHeight(3);
    Spectrum->SetSpacing(2);
    Repaint();
    const Integer ticks = Spectrum->Ticks();
    ASSERT_EQ(ticks, 21);  // (107 + 2) / 5
    Spectrum->Items(0)->SetPosition(100);
    Spectrum->Items(1)->SetPosition(0);
    Spectrum->Items(2)->SetPosition(50);
    Repaint();
    // Full column: the marker, then the top, middle and bottom zones in
    // their bright colours (12 cells of 60 %, 5 of 25 %, the rest on top).
    EXPECT_EQ(Cell(0, 0), clWhite);
    EXPECT_EQ(Cell(0, 1), TColor(0x0000FF));
    EXPECT_EQ(Cell(0, ticks - 13), TColor(0x00FFFF));
    EXPECT_EQ(Cell(0, ticks - 12), TColor(0x00FF00));
    EXPECT_EQ(Cell(0, ticks - 1), TColor(0x00FF00));
    // Empty column: the dark colours of the same zones.
    EXPECT_EQ(Cell(1, 0), TColor(0x000080));
    EXPECT_EQ(Cell(1, ticks - 13), TColor(0x008080));
    EXPECT_EQ(Cell(1, ticks - 1), TColor(0x008000));
    // Half: 10 cells lit, the marker on the first of them.
    EXPECT_EQ(Cell(2, ticks - 11), TColor(0x008000));
    EXPECT_EQ(Cell(2, ticks - 10), clWhite);
    EXPECT_EQ(Cell(2, ticks - 9), TColor(0x00FF00));
    // The gaps between cells keep the background.
    const TRect r = Spectrum->GetItemRect(0);
    EXPECT_EQ(Image->Canvas()->Pixels(r.Left, r.Top + 3), clBlack);

    Spectrum->SetShowInactive(false);
    Spectrum->SetMarkerVisible(false);
    Repaint();
    EXPECT_EQ(Cell(1, 0), clBlack);
    EXPECT_EQ(Cell(2, ticks - 10), TColor(0x00FF00));
}

TEST_F(QdSpectrumTest, GradientColumnsFadeBetweenTheZones)
{
    Spectrum->Items(0)->SetPosition(100);
    Repaint();
    const Integer ticks = Spectrum->Ticks();
    // Row i of the top run is red + (yellow - red) * i / b, with
    // b = 107 - (26 / 2 + 64) from the zones of 25 % and 60 %.
    EXPECT_EQ(Cell(0, 1), RGB(255, 255 * 2 / 30, 0));
    EXPECT_EQ(Cell(0, 0), clWhite);
    Byte r, g, b;
    GetRGB(Cell(0, ticks - 1), r, g, b);  // almost the bottom colour
    EXPECT_LT(r, 8);
    EXPECT_EQ(g, 255);
    GetRGB(Cell(0, ticks / 4), r, g, b);  // between red and yellow
    EXPECT_EQ(r, 255);
    EXPECT_GT(g, 100);
    EXPECT_LT(g, 255);
}

TEST_F(QdSpectrumTest, OneColumnChangesAloneAndOutOfRangePositionsStayInside)
{
    for (Integer i = 0; i < Spectrum->Count(); ++i) Spectrum->Items(i)->SetPosition(30);
    Repaint();
    const TOwned<TBitmap> before = std::move(Image);
    Spectrum->Items(5)->SetPosition(90);
    Repaint();
    const TRect changed = Spectrum->GetItemRect(5);
    Integer differing = 0, outside = 0;
    for (Integer y = 0; y < Image->Height(); ++y)
        for (Integer x = 0; x < Image->Width(); ++x)
            if (Image->Canvas()->Pixels(x, y) != before->Canvas()->Pixels(x, y)) {
                ++differing;
                if (!PtInRect(changed, Point(x, y))) ++outside;
            }
    EXPECT_GT(differing, 0);
    EXPECT_EQ(outside, 0);

    // Far beyond the range either way: every cell lit, or none, and
    // nothing drawn beyond the column.
    Spectrum->Items(5)->SetPosition(std::numeric_limits<Integer>::max());
    Spectrum->Items(6)->SetPosition(std::numeric_limits<Integer>::min());
    Spectrum->Items(7)->SetPosition(100);
    Spectrum->Items(8)->SetPosition(0);
    Repaint();
    for (Integer cell : {0, 1, Spectrum->Ticks() - 1}) {
        EXPECT_EQ(Cell(5, cell), Cell(7, cell));
        EXPECT_EQ(Cell(6, cell), Cell(8, cell));
    }
    EXPECT_EQ(Image->Canvas()->Pixels(changed.Left, changed.Bottom), before->Canvas()->Pixels(changed.Left, changed.Bottom));
    // A bar that left the list names no column.
    TQdSpectrumBar* last = Spectrum->Items(Spectrum->Count() - 1);
    last->SetCollection(nullptr);
    last->SetPosition(40);
    Free(last);
}

TEST_F(QdSpectrumTest, RangeAndPercentsKeepToWhatCanBeDrawn)
{
    EXPECT_EQ(Spectrum->GetPercentDone(50), 50);
    Spectrum->Items(0)->SetPosition(70);
    Spectrum->Items(1)->SetPosition(30);
    Spectrum->SetMaxValue(50);
    EXPECT_EQ(Spectrum->Items(0)->Position(), 50);
    EXPECT_EQ(Spectrum->Items(1)->Position(), 30);
    Spectrum->SetMinValue(40);
    EXPECT_EQ(Spectrum->Items(1)->Position(), 40);
    Spectrum->SetMinValue(60);  // above MaxValue: refused
    EXPECT_EQ(Spectrum->MinValue(), 40);
    Spectrum->Reset(1000);
    EXPECT_EQ(Spectrum->Items(3)->Position(), 50);

    // The widest range does not overflow.
    Spectrum->SetMinValue(std::numeric_limits<Integer>::min());
    Spectrum->SetMaxValue(std::numeric_limits<Integer>::max());
    EXPECT_EQ(Spectrum->GetPercentDone(std::numeric_limits<Integer>::max()), 100);
    EXPECT_EQ(Spectrum->GetPercentDone(0), 50);
    EXPECT_EQ(Spectrum->GetPercentDone(std::numeric_limits<Integer>::min()), 0);

    Spectrum->SetPercent1(80);
    EXPECT_EQ(Spectrum->Percent1(), 75);
    Spectrum->SetPercent2(-5);
    EXPECT_EQ(Spectrum->Percent2(), 0);

    Spectrum->SetColumns(0);
    EXPECT_EQ(Spectrum->Columns(), 24);
    Spectrum->SetColumns(std::numeric_limits<Integer>::max());
    EXPECT_EQ(Spectrum->Columns(), kQdMaxSpectrumColumns);
    EXPECT_EQ(Spectrum->Count(), kQdMaxSpectrumColumns);
    Spectrum->SetSpacing(-3);
    Spectrum->SetTickHeight(0);
    Spectrum->SetBarSpacing(-1);
    Spectrum->SetBarWidth(std::numeric_limits<Integer>::max());
    EXPECT_EQ(Spectrum->Spacing(), 1);
    EXPECT_EQ(Spectrum->TickHeight(), 1);
    EXPECT_EQ(Spectrum->BarSpacing(), 1);
    Repaint();
    EXPECT_LE(Spectrum->Width(), 32767);
}

TEST_F(QdSpectrumTest, FormDataKeepsEveryPropertyAndLoadsRangesBelowZero)
{
    Spectrum->SetName("Spectrum1");
    Spectrum->Palette2()->SetHigh(clFuchsia);
    Spectrum->SetPercent1(30);
    Spectrum->SetPercent2(50);
    Spectrum->Bevel()->SetInnerWidth(1);
    Spectrum->SetColumns(10);
    Spectrum->SetMarkerColor(clSilver);
    Spectrum->SetMarkerVisible(false);
    Spectrum->SetTickHeight(2);
    Spectrum->SetSpacing(0);
    Spectrum->SetBarWidth(5);
    Spectrum->SetBarSpacing(3);
    Spectrum->SetShowInactive(false);
    Spectrum->SetPlainColors(true);
    Spectrum->SetColor(clNavy);
    Spectrum->SetMinValue(-100);
    Spectrum->SetMaxValue(-10);
    const String text = ExpectFormRoundTrip(Form);
    EXPECT_NE(text.find("MaxValue = -10"), String::npos);

    // Percents out of range in form data are kept, and clamped where used.
    TOwned<TForm> read(Create<TForm>(nullptr));
    ReadComponent("object F: TForm\n  object S: TQdSpectrum\n    Percent1 = 150\n    Percent2 = -20\n"
                  "    MaxValue = -10\n    MinValue = -100\n  end\nend\n",
                  read.get());
    auto* loaded = static_cast<TQdSpectrum*>(read->FindComponent("S"));
    EXPECT_EQ(loaded->Percent1(), 150);
    EXPECT_EQ(loaded->MinValue(), -100);
    EXPECT_EQ(loaded->GetPercentDone(-55), 50);
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(loaded->Width(), loaded->Height());
    loaded->PaintTo(bitmap->Canvas(), 0, 0);
}
