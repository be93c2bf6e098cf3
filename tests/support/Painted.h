#pragma once
// What a library control and a font draw, measured off screen.

#include "platform/Graphics.h"
#include "platform/Math.h"

// Control as its own paint draws it, alone on a bitmap of its size (at
// least 1 x 1).
template <class T>
TOwned<TBitmap> PaintedAlone(T* Control)
{
    TOwned<TBitmap> bitmap(CreateOwned<TBitmap>());
    bitmap->SetSize(Max(Control->Width(), 1), Max(Control->Height(), 1));
    Control->kPaintTo(bitmap->Canvas());
    return bitmap;
}

// The size of Text drawn in Font.
inline TSize TextSize(TFont* Font, const String& Text)
{
    TOwned<TBitmap> scratch(CreateOwned<TBitmap>());
    scratch->Canvas()->SetFont(Font);
    return scratch->Canvas()->TextExtent(Text);
}

// A 24-bit bitmap whose pixels all differ along x and y; Seed shifts red.
inline TOwned<TBitmap> PatternBitmap(Integer Width, Integer Height, Integer Seed)
{
    TOwned<TBitmap> b = CreateOwned<TBitmap>();
    b->SetPixelFormat(pf24bit);
    b->SetSize(Width, Height);
    for (Integer y = 0; y < Height; ++y)
        for (Integer x = 0; x < Width; ++x) b->Canvas()->SetPixels(x, y, RGB(Byte(x * 40 + Seed), Byte(y * 30), 7));
    return b;
}

inline bool SamePixels(TBitmap* A, TBitmap* B)
{
    if (A->Width() != B->Width() || A->Height() != B->Height()) return false;
    for (Integer y = 0; y < A->Height(); ++y)
        for (Integer x = 0; x < A->Width(); ++x)
            if (A->Canvas()->Pixels(x, y) != B->Canvas()->Pixels(x, y)) return false;
    return true;
}
