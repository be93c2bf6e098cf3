#pragma once
// Small bitmaps for pixel tests, and their pixels as text rows.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/Graphics.h"
#include "platform/SysApi.h"

void RegisterLayerFonts();  // platform/src/QtGraphics.h

namespace GraphicsTest {

// A w x h bitmap cleared to Fill, pen black width 1, brush Fill.
inline TOwned<TBitmap> MakeBitmap(Integer w, Integer h, TColor fill = clWhite)
{
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(w, h);
    TCanvas* c = bitmap->Canvas();
    c->Brush()->SetColor(fill);
    c->FillRect(Rect(0, 0, w, h));
    return bitmap;
}

// The colours of a bitmap's pixels, whatever the clip of its canvas.
class TPixels {
public:
    explicit TPixels(TBitmap& bitmap) : FCopy(CreateOwned<TBitmap>()) { FCopy->Assign(&bitmap); }
    TColor operator()(Integer x, Integer y) const { return FCopy->Canvas()->Pixels(x, y); }

private:
    TOwned<TBitmap> FCopy;
};

// One character per pixel: the key's character for its colour, '?' for
// any other colour.
inline std::vector<std::string> Art(TBitmap& bitmap, const std::map<TColor, char>& key)
{
    std::vector<std::string> rows;
    const TPixels pixel(bitmap);
    for (Integer y = 0; y < bitmap.Height(); ++y) {
        std::string row;
        for (Integer x = 0; x < bitmap.Width(); ++x) {
            auto it = key.find(pixel(x, y));
            row += it == key.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    return rows;
}

// Number of pixels of a colour.
inline Integer CountColor(TBitmap& bitmap, TColor color)
{
    Integer n = 0;
    const TPixels pixel(bitmap);
    for (Integer y = 0; y < bitmap.Height(); ++y)
        for (Integer x = 0; x < bitmap.Width(); ++x) n += pixel(x, y) == color;
    return n;
}

// Fixture for tests that measure or draw text.
class WithFonts : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterLayerFonts(); }
};

}  // namespace GraphicsTest
