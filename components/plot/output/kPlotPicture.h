#pragma once
// A picture that a plot object owns instead of an image-list entry: a copy
// of a bitmap whose bottom-left pixel is its transparent colour. Loading
// decodes into a scratch bitmap first, so a file that cannot be read leaves
// the picture as it was.

#include "platform/Graphics.h"

class TkPlotPaintHost;

// Image ImageIndex of the plot's image list ListIndex (0, 1 or 2) exists.
bool PlotImageShows(const TkPlotPaintHost* Plot, Integer ListIndex, Integer ImageIndex);

class TkPlotPicture {
public:
    TBitmap* Image() const { return FImage.get(); }
    explicit operator bool() const { return FImage != nullptr; }
    // A copy of Bitmap; nullptr drops the picture.
    void Assign(TBitmap* Bitmap);
    // False when there was no picture to drop.
    bool Clear();
    // Raises what the bitmap reader raises; the picture stays then.
    void LoadFromFile(const String& FileName);
    void LoadFromStream(TStream& Stream);

private:
    TOwned<TBitmap> FImage;
};
