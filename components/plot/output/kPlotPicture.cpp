#include "components/plot/output/kPlotPicture.h"

#include "components/plot/objects/kPlotHostServices.h"

bool PlotImageShows(const TkPlotPaintHost* Plot, Integer ListIndex, Integer ImageIndex)
{
    if (!Plot || ListIndex < 0 || ListIndex > 2 || ImageIndex < 0) return false;
    return ImageIndex < Plot->PlotImageCount(ListIndex);
}

void TkPlotPicture::Assign(TBitmap* Bitmap)
{
    if (!Bitmap) {
        FImage.reset();
        return;
    }
    TOwned<TBitmap> copy = CreateOwned<TBitmap>();
    copy->Assign(Bitmap);
    copy->SetTransparentMode(tmAuto);
    copy->SetTransparent(true);
    FImage = std::move(copy);
}

bool TkPlotPicture::Clear()
{
    if (!FImage) return false;
    FImage.reset();
    return true;
}

void TkPlotPicture::LoadFromFile(const String& FileName)
{
    TOwned<TBitmap> loaded = CreateOwned<TBitmap>();
    loaded->LoadFromFile(FileName);
    Assign(loaded.get());
}

void TkPlotPicture::LoadFromStream(TStream& Stream)
{
    TOwned<TBitmap> loaded = CreateOwned<TBitmap>();
    loaded->LoadFromStream(Stream);
    Assign(loaded.get());
}
