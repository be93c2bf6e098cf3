#pragma once
// A list of same-sized images drawn with a mask colour: every pixel of that
// colour stays transparent. Each add keeps one image: a bitmap of another
// size is cut to the list's size or padded with the mask colour. Changing
// the size empties the list.

#include <vector>

#include "platform/Classes.h"
#include "platform/Graphics.h"

class TImageList : public TComponent {
    PL_CLASSINFO()
public:
    explicit TImageList(TComponent* AOwner);

    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    // Sizes below 1 become 1. A new size empties the list.
    void SetSize(Integer AWidth, Integer AHeight);
    void SetWidth(Integer Value) { SetSize(Value, FHeight); }
    void SetHeight(Integer Value) { SetSize(FWidth, Value); }

    Integer Count() const { return static_cast<Integer>(FImages.size()); }
    // Appends Image (its top-left part at the list's size, the rest in
    // MaskColor); returns its index.
    Integer AddMasked(TBitmap* Image, TColor MaskColor);
    void Clear();

    // Image Index with its top-left corner at (X, Y); a disabled image shows
    // its dark pixels embossed in the button highlight and shadow colours.
    // An index outside the list draws nothing.
    void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true) const;

    // The list as bytes: "PLIL", a version, the size, the count, then per
    // image its mask colour and a BMP file. Reading raises EReadError on any
    // malformed data and leaves the list as it was.
    void WriteData(TStream& Stream) const;
    void ReadData(TStream& Stream);

    TNotifyEvent OnChange;

private:
    struct TImage {
        TOwned<TBitmap> Bitmap;
        TColor MaskColor;
    };
    void Changed();
    TOwned<TBitmap> Fitted(TBitmap* Image, TColor MaskColor) const;

    Integer FWidth = 16;
    Integer FHeight = 16;
    std::vector<TImage> FImages;
};
