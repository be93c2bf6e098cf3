#include <gtest/gtest.h>

#include <limits>

#include "support/Painted.h"
#include "support/ShownForm.h"
#include "widgets/QdJogMeter.h"
#include "widgets/WidgetUnits.h"

using namespace Testing;

namespace {

class QdJogMeterTest : public ShownForm {
protected:
    void SetUp() override
    {
        ShownForm::SetUp();
        RegisterResources_WIDGETS();
        QdJogMeterInitialization();
        Meter = Add<TQdJogMeter>(Form, 0, 0, 160, 40);
        // A plain white ground, so that ticks, labels and the indicator
        // are the only other colours.
        Meter->SetFToColor(clWhite);
        Meter->SetFromColor(clWhite);
    }
    TColor Pixel(Integer X, Integer Y) { return Grab(Meter)->Canvas()->Pixels(X, Y); }
    // The columns of row Y holding the scale's colour.
    std::vector<Integer> TicksOnRow(Integer Y)
    {
        TOwned<TBitmap> shot = Grab(Meter);
        std::vector<Integer> columns;
        for (Integer x = 0; x < shot->Width(); ++x)
            if (shot->Canvas()->Pixels(x, Y) == clBlack) columns.push_back(x);
        return columns;
    }

    TQdJogMeter* Meter = nullptr;
};

}  // namespace

TEST_F(QdJogMeterTest, ScaleScrollsUnderTheFixedIndicator)
{
    // Major ticks (15 long) every 10 units of the window -30 .. 30; minor
    // ones (8 long) every 2 units; the red line in the middle.
    EXPECT_EQ(TicksOnRow(10), (std::vector<Integer>{0, 27, 53, 107, 133}));
    EXPECT_EQ(Pixel(80, 10), clRed);
    EXPECT_EQ(Pixel(80, 39), clRed);
    EXPECT_EQ(Pixel(5, 5), clBlack);  // minor tick at -28
    EXPECT_EQ(Pixel(5, 10), clWhite);
    // Labels below the major ticks.
    TOwned<TBitmap> shot = Grab(Meter);
    Integer labelPixels = 0;
    for (Integer y = 15; y < 40; ++y)
        for (Integer x = 20; x < 35; ++x) labelPixels += shot->Canvas()->Pixels(x, y) != clWhite;
    EXPECT_GT(labelPixels, 0);

    // Value 5: the scale moves left by 13.33 pixels, the indicator stays.
    Meter->Value()->SetValue(5);
    EXPECT_EQ(TicksOnRow(10), (std::vector<Integer>{13, 40, 67, 93, 120, 147}));
    EXPECT_EQ(Pixel(80, 10), clRed);

    // Other steps and windows.
    Meter->Value()->SetValue(0);
    Meter->Scale()->SetStep(25);
    Meter->Scale()->SetSmallStep(5);
    Meter->Scale()->SetApperture(100);
    EXPECT_EQ(TicksOnRow(10), (std::vector<Integer>{0, 40, 120}));  // 80 under the line, 160 off the edge

    // The scale after the band: ticks rise from the bottom edge.
    Meter->Scale()->SetPosition(qoAfter);
    EXPECT_EQ(TicksOnRow(30), (std::vector<Integer>{0, 40, 120}));
    EXPECT_TRUE(TicksOnRow(10).empty());
}

TEST_F(QdJogMeterTest, LabelsFollowTheFormatWithoutEverFormattingBlindly)
{
    EXPECT_EQ(Meter->DisplayValue(10), "10");
    EXPECT_EQ(Meter->DisplayValue(-0.2), "0");  // no "-0"
    Meter->Scale()->SetDecimals(2);
    EXPECT_EQ(Meter->DisplayValue(-0.001), "0.00");
    EXPECT_EQ(Meter->DisplayValue(2.5), "2.50");
    Meter->Scale()->SetDecimals(50);
    EXPECT_EQ(Meter->Scale()->Decimals(), kQdMaxJogDecimals);
    Meter->Scale()->SetDecimals(0);
    Meter->Scale()->SetFormatText("%s V");
    EXPECT_EQ(Meter->DisplayValue(10), "10 V");
    Meter->Scale()->SetFormatText("100%% of %s");
    EXPECT_EQ(Meter->DisplayValue(10), "100% of 10");
    for (const char* format : {"%d", "%s%s", "%n", "50%", "%.999999s"}) {
        Meter->Scale()->SetFormatText(format);
        EXPECT_EQ(Meter->DisplayValue(10), "10") << format;
    }
    Grab(Meter);  // the last one painted too
}

TEST_F(QdJogMeterTest, ScalesThatCannotBeDrawnDrawNoTicksAndNeverHang)
{
    Meter->Scale()->SetSmallStep(1e-300);  // billions of ticks a pixel apart
    Meter->Scale()->SetStep(0);
    EXPECT_TRUE(TicksOnRow(3).empty());
    Meter->Scale()->SetStep(-10);
    Meter->Scale()->SetSmallStep(std::numeric_limits<double>::infinity());
    EXPECT_TRUE(TicksOnRow(3).empty());
    Meter->Scale()->SetStep(10);
    Meter->Value()->SetValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(Meter->Value()->Value(), 0);  // refused
    for (double value : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), 1e300}) {
        Meter->Value()->SetValue(value);
        EXPECT_TRUE(TicksOnRow(3).empty()) << value;
        EXPECT_EQ(Pixel(80, 3), clRed);
    }
    Meter->Scale()->SetApperture(-1e300);  // a window upside down: nothing
    EXPECT_TRUE(TicksOnRow(3).empty());
    // A window of 0: every tick of the one series on pixel 0.
    Meter->Value()->SetValue(0);
    Meter->Scale()->SetApperture(0);
    EXPECT_EQ(Meter->ValueToPixels(5), 0);
    EXPECT_EQ(TicksOnRow(3), (std::vector<Integer>{0}));
    // Tick lengths far beyond the control, and slivers of controls.
    Meter->Scale()->SetApperture(60);
    Meter->Scale()->SetHeightMax(std::numeric_limits<Integer>::max());
    Meter->Scale()->SetHeightMin(std::numeric_limits<Integer>::min());
    EXPECT_EQ(Meter->Scale()->HeightMax(), kQdMaxTickLength);
    Grab(Meter);
    for (Integer side : {0, 1}) {
        Meter->SetBounds(0, 0, side, 40);
        Grab(Meter);
        Meter->SetBounds(0, 0, 160, side);
        Grab(Meter);
    }
}

TEST_F(QdJogMeterTest, IndicatorsPointAtTheScaleFromEitherSide)
{
    Meter->SetDirection(TQdDirection::qoVertical);
    EXPECT_EQ(Meter->Width(), 40);
    EXPECT_EQ(Meter->Height(), 160);
    // Vertical, scale after: the apex on the right edge at the middle, the
    // base 8 pixels inside.
    Meter->Scale()->SetVisible(false);
    Meter->Scale()->SetPosition(qoAfter);
    Meter->Value()->SetShape(qoTriangle);
    EXPECT_EQ(Pixel(36, 80), clRed);
    EXPECT_EQ(Pixel(33, 77), clRed);
    EXPECT_EQ(Pixel(30, 80), clWhite);
    EXPECT_EQ(Pixel(5, 80), clWhite);

    // The pin, mirrored for the scale before: its head on the left.
    Meter->Value()->SetShape(qoBitmap);
    Meter->Scale()->SetPosition(qoBefore);
    TOwned<TBitmap> shot = Grab(Meter);
    ASSERT_FALSE(Meter->Value()->Bitmap()->Empty());
    EXPECT_EQ(CountColour(shot.get(), clRed), 7 * 5 - 4);
    EXPECT_EQ(shot->Canvas()->Pixels(3, 75), clRed);
    EXPECT_EQ(shot->Canvas()->Pixels(3, 80), RGB(64, 64, 64));
    // Horizontal, scale after: the pin flipped upside down on the bottom edge.
    Meter->SetDirection(TQdDirection::qoHorizontal);
    Meter->Scale()->SetPosition(qoAfter);
    shot = Grab(Meter);
    EXPECT_EQ(CountColour(shot.get(), clRed), 7 * 5 - 4);
    EXPECT_EQ(shot->Canvas()->Pixels(80, 39), clRed);
    EXPECT_EQ(shot->Canvas()->Pixels(80, 30), RGB(64, 64, 64));

    // Clearing the pin brings the program's pin back.
    Meter->Value()->Bitmap()->Assign(nullptr);
    EXPECT_TRUE(Meter->Value()->DefaultBitmap());
    EXPECT_EQ(Meter->Value()->Bitmap()->Width(), 9);
}

TEST_F(QdJogMeterTest, FormDataKeepsValuesEqualToTheGroupsOwnDefaults)
{
    Meter->SetName("Jog1");
    // The values a scale standing alone starts with: still stored.
    Meter->Scale()->SetHeightMax(8);
    Meter->Scale()->SetHeightMin(5);
    Meter->Scale()->SetPosition(qoAfter);
    Meter->Scale()->SetColor(0x800000);
    Meter->Scale()->SetFormatText("%s dB");
    Meter->Scale()->SetDecimals(1);
    Meter->Value()->SetShape(qoBitmap);
    Meter->Value()->SetColor(0xFF0000);
    Meter->Value()->SetValue(-12.5);
    Meter->SetShowCaption(true);
    Meter->SetCaption("Gain");
    Meter->SetDirection(TQdDirection::qoVertical);
    const String text = ExpectFormRoundTrip(Form);
    EXPECT_EQ(text.find("Value.Bitmap"), String::npos);  // the program's pin
    TOwned<TForm> copy(Create<TForm>(nullptr));
    ReadComponent(text, copy.get());
    auto* read = static_cast<TQdJogMeter*>(copy->FindComponent("Jog1"));
    EXPECT_EQ(read->Scale()->HeightMax(), 8);
    EXPECT_EQ(read->Scale()->Position(), qoAfter);
    EXPECT_EQ(read->Value()->Shape(), qoBitmap);
    EXPECT_EQ(read->Width(), 40);  // not swapped again while reading

    // Another indicator's values are copied; the meter keeps its own.
    TQdLiniarIndicator* own = Meter->Value();
    TOwned<TQdLiniarIndicator> other = CreateOwned<TQdLiniarIndicator>();
    other->SetValue(3);
    other->SetBitmap(PatternBitmap(4, 4, 1).get());
    Meter->SetValue(other.get());
    EXPECT_EQ(Meter->Value(), own);
    EXPECT_EQ(own->Value(), 3);
    EXPECT_FALSE(own->DefaultBitmap());
    EXPECT_NE(ExpectFormRoundTrip(Form).find("Value.Bitmap.Data"), String::npos);
}
