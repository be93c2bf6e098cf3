#pragma once
// The plot's image lists 0, 1 and 2 (24 x 24 when new), for the user's
// pictures on the plot's objects; they stream with the plot's form as
// ImageList0 .. ImageList2. Every change repaints the plot.

#include <array>

#include "components/foundation/kComponent.h"
#include "platform/ImgList.h"
#include "platform/Resources.h"

class TkPlotImageLists {
public:
    explicit TkPlotImageLists(TkComponent& Plot);

    // Raises "ImageList Index must be 0-2" for another index.
    TImageList* List(Integer Index) const;
    void Clear(Integer Index);
    // An empty list takes the bitmap's size; a bitmap smaller than the list
    // in both directions is centred on the list's size in its transparent
    // colour; one that is smaller in one direction and larger in the other
    // (or empty) raises "Image Width and Height must be the same as other
    // images, or both smaller, or both larger". The transparent colour is
    // the mask colour.
    void Add(Integer Index, TBitmap* Bitmap);
    // A bitmap compiled into the program (EInvalidGraphic when none has that
    // name), added as by Add.
    void LoadFromResourceName(Integer Index, const String& ResName);

    // The images of list ListIndex (none for an index that names no list),
    // their width, and image ImageIndex drawn at (X, Y), greyed when not
    // Enabled.
    Integer ImageCount(Integer ListIndex) const;
    Integer ImageWidth(Integer ListIndex) const;
    void DrawImage(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y, bool Enabled) const;

    // The lists that hold images, as binary properties of the form.
    void DefineProperties(TFiler& Filer);

private:
    // The list of that index, or nullptr.
    TImageList* Find(Integer Index) const;
    void DefineList(TFiler& Filer, Integer Index);

    TkComponent& FPlot;
    std::array<TOwned<TImageList>, 3> FLists;
};
