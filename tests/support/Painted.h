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
