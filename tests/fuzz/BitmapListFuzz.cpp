// Feeds arbitrary bytes to the bitmap list's stream reader, both as a load
// that appends and as the form property that replaces. A refused stream
// raises one of the expected errors and leaves the list exactly as it was;
// an accepted one adds its bitmaps, which save and load back unchanged.

#include "ImageFuzzSupport.h"
#include "widgets/QdClasses.h"

using namespace ImageFuzz;

namespace {

// A bad list stream, a bad bitmap in it, or a list too large.
bool IsListError(const Exception& e)
{
    if (e.Message().empty()) return false;
    return IsImageError(e) || dynamic_cast<const EReadError*>(&e) || e.Message() == "Invalid file format";
}

void CheckRoundTrip(TQdBitmaps& List)
{
    TOwned<TQdBitmaps> back = SaveAndReload(List);
    Check(back->Count() == List.Count());
    for (Integer i = 0; i < List.Count(); ++i) Check(SamePixels(*List.Bitmaps(i), *back->Bitmaps(i)));
}

// Reads the input into a list that holds one white pixel.
void ReadInto(std::span<const std::uint8_t> d, bool Replace)
{
    TOwned<TQdBitmaps> list = CreateOwned<TQdBitmaps>();
    list->Add(WhitePixel().get());
    TBitmap* const kept = list->Bitmaps(0);
    Integer changes = 0;
    list->OnChange = [&changes](TObject*) { ++changes; };
    TMemoryStream stream;
    LoadStream(stream, d);
    try {
        if (Replace) list->ReadData(stream);
        else list->LoadFromStream(stream);
    } catch (const Exception& e) {
        Check(IsListError(e));
        Check(changes == 0 && list->UpdateCount() == 0);
        Check(list->Count() == 1 && list->Bitmaps(0) == kept);
        Check(IsWhitePixel(*kept));
        return;
    }
    Check(list->UpdateCount() == 0);
    if (!Replace) Check(list->Bitmaps(0) == kept);
    for (Integer i = 0; i < list->Count(); ++i) {
        TBitmap* b = list->Bitmaps(i);
        Check(WithinCaps(b->Width(), b->Height()));
    }
    CheckRoundTrip(*list);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::span<const std::uint8_t> d(Data, Size);
    if (DeclaresCostlyImage(d)) return 0;
    ReadInto(d, false);
    ReadInto(d, true);
    return 0;
}
