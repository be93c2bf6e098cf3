#pragma once
// Pixel comparisons of whole images, and a small control with a known
// drawing for the image exports.

#include <algorithm>
#include <cstdlib>

#include "components/foundation/kCustomComponent.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"

// The largest difference of one colour channel between two images of the
// same size; -1 when the sizes differ.
inline Integer MaxChannelDifference(TBitmap& A, TBitmap& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height()) return -1;
    Integer worst = 0;
    for (Integer y = 0; y < A.Height(); ++y)
        for (Integer x = 0; x < A.Width(); ++x) {
            const TColor a = A.Canvas()->Pixels(x, y);
            const TColor b = B.Canvas()->Pixels(x, y);
            for (int shift = 0; shift < 24; shift += 8)
                worst = std::max(worst, std::abs(Integer((a >> shift) & 0xFF) - Integer((b >> shift) & 0xFF)));
        }
    return worst;
}

// Draws coloured blocks, a diagonal line and a text; raises from kPaintTo
// while Fail is set.
class TPatternControl : public TkCustomComponent {
public:
    explicit TPatternControl(TComponent* AOwner) : TkCustomComponent(AOwner) { SetBounds(0, 0, 40, 24); }
    void kPaintTo(TCanvas* Canvas) override
    {
        if (Fail) throw Exception("paint failed");
        Canvas->Brush()->SetColor(clWhite);
        Canvas->FillRect(TRect{0, 0, Width(), Height()});
        Canvas->Brush()->SetColor(clRed);
        Canvas->FillRect(TRect{2, 2, 14, 12});
        Canvas->Brush()->SetColor(clBlue);
        Canvas->FillRect(TRect{20, 4, 36, 20});
        Canvas->Pen()->SetColor(clGreen);
        Canvas->MoveTo(0, Height() - 1);
        Canvas->LineTo(Width(), 0);
    }
    bool Fail = false;
};
