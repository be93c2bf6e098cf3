#pragma once
// Helpers of the tests of the user's scrolling and zooming and of drawing:
// mouse records, and what a paint left on the bitmap.

#include <algorithm>
#include <functional>
#include <vector>

#include "components/plot/axis/kPlotAxis.h"
#include "platform/SysUtils.h"
#include "tests/plot/kPlotChannelTestDoubles.h"

namespace AxesControlTest {

inline TkPlotMouseData At(Integer X, Integer Y, bool DblClickActive = false)
{
    TkPlotMouseData data;
    data.X = data.XAxisPixels = X;
    data.Y = data.YAxisPixels = Y;
    data.DblClickActive = DblClickActive;
    return data;
}

inline void Blacken(TCanvas* Canvas, Integer Width, Integer Height)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBlack);
    Canvas->FillRect(Rect(0, 0, Width, Height));
}

// The box of the pixels of one colour; empty when there is none.
inline TRect InkBox(TCanvas* Canvas, Integer Width, Integer Height, TColor Color)
{
    TRect box{Width, Height, 0, 0};
    for (Integer y = 0; y < Height; ++y)
        for (Integer x = 0; x < Width; ++x)
            if (Canvas->Pixels(x, y) == Color)
                box = Rect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                           std::max(box.Bottom, y + 1));
    return box.Right > box.Left ? box : TRect{};
}

inline std::vector<Integer> TickPixels(const TkPlotAxis* Axis, TkPlotTickType Type)
{
    std::vector<Integer> result;
    for (Integer i = 0; i < Axis->TickListCount(); ++i)
        if (Axis->GetTick(i)->Show && Axis->GetTick(i)->TickType == Type)
            result.push_back(Axis->GetTick(i)->PositionPixels);
    return result;
}

}  // namespace AxesControlTest
