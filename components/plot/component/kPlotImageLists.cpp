#include "components/plot/component/kPlotImageLists.h"

#include "platform/FormStream.h"
#include "platform/SysUtils.h"

TkPlotImageLists::TkPlotImageLists(TkComponent& Plot) : FPlot(Plot)
{
    for (TOwned<TImageList>& list : FLists) {
        list = CreateOwned<TImageList>(nullptr);
        list->SetSize(24, 24);
    }
}

namespace {

constexpr char ImageSizeMessage[] =
    "Image Width and Height must be the same as other images, or both smaller, or both larger";

}  // namespace

TImageList* TkPlotImageLists::Find(Integer Index) const
{
    return Index >= 0 && Index < static_cast<Integer>(FLists.size())
               ? FLists[static_cast<std::size_t>(Index)].get()
               : nullptr;
}

TImageList* TkPlotImageLists::List(Integer Index) const
{
    TImageList* list = Find(Index);
    if (!list) throw Exception("ImageList Index must be 0-2");
    return list;
}

void TkPlotImageLists::Clear(Integer Index)
{
    List(Index)->Clear();
    FPlot.InvalidateChange();
}

void TkPlotImageLists::Add(Integer Index, TBitmap* Bitmap)
{
    TImageList* list = List(Index);
    // An empty picture would give the list no size, or hold nothing.
    if (!Bitmap || Bitmap->Empty()) throw Exception(ImageSizeMessage);
    const Integer width = Bitmap->Width();
    const Integer height = Bitmap->Height();
    if (list->Count() == 0) list->SetSize(width, height);
    const bool smaller = width < list->Width() && height < list->Height();
    const bool larger = width > list->Width() && height > list->Height();
    if (!smaller && !larger && width != list->Width() && height != list->Height()) throw Exception(ImageSizeMessage);
    const TColor mask = Bitmap->TransparentColor();
    if (smaller) {
        TOwned<TBitmap> centred = CreateOwned<TBitmap>();
        centred->SetSize(list->Width(), list->Height());
        TCanvas* canvas = centred->Canvas();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(mask);
        canvas->FillRect(Rect(0, 0, list->Width(), list->Height()));
        canvas->Draw(list->Width() / 2 - width / 2, list->Height() / 2 - height / 2, Bitmap);
        list->AddMasked(centred.get(), mask);
    } else {
        list->AddMasked(Bitmap, mask);
    }
    FPlot.InvalidateChange();
}

void TkPlotImageLists::LoadFromResourceName(Integer Index, const String& ResName)
{
    List(Index);
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->LoadFromResourceName(ResName);
    Add(Index, bitmap.get());
}

Integer TkPlotImageLists::ImageCount(Integer ListIndex) const
{
    const TImageList* list = Find(ListIndex);
    return list ? list->Count() : 0;
}

Integer TkPlotImageLists::ImageWidth(Integer ListIndex) const
{
    const TImageList* list = Find(ListIndex);
    return list ? list->Width() : 0;
}

void TkPlotImageLists::DrawImage(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y,
                                 bool Enabled) const
{
    if (const TImageList* list = Find(ListIndex)) list->Draw(Canvas, X, Y, ImageIndex, Enabled);
}

void TkPlotImageLists::DefineProperties(TFiler& Filer)
{
    for (Integer i = 0; i < static_cast<Integer>(FLists.size()); ++i) DefineList(Filer, i);
}

void TkPlotImageLists::DefineList(TFiler& Filer, Integer Index)
{
    TOwned<TImageList>& list = FLists[static_cast<std::size_t>(Index)];
    Filer.DefineBinaryProperty(
        "ImageList" + IntToStr(Index),
        [this, &list](TStream& Stream) {
            // Read aside: a damaged list leaves the one held as it was.
            TOwned<TImageList> read = CreateOwned<TImageList>(nullptr);
            try {
                read->ReadData(Stream);
            } catch (const Exception&) {
                throw EReadError("Failed to read ImageList data from stream");
            }
            list = std::move(read);
            FPlot.InvalidateChange();
        },
        [&list](TStream& Stream) {
            try {
                list->WriteData(Stream);
            } catch (const Exception&) {
                throw EWriteError("Failed to write ImageList data to stream");
            }
        },
        list->Count() > 0);
}
