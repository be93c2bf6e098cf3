// Feeds arbitrary bytes to the BMP reader as a stream that may hold two
// bitmaps back to back, and to the picture's form Data reader. A load
// either raises an image error and keeps the bitmap it was given, or ends
// exactly where the file said it ends, with an image within the caps that
// writes and reads back to the same pixels.

#include "ImageFuzzSupport.h"

using namespace ImageFuzz;

namespace {

// Declared size of the file at the stream's position; 0 means the rest.
Int64 DeclaredEnd(std::span<const std::uint8_t> d, Int64 start)
{
    const Int64 declared = Le(d, static_cast<std::size_t>(start) + 2, 4);
    return declared == 0 ? Int64(d.size()) : start + declared;
}

void CheckRoundTrip(TBitmap& Bitmap)
{
    if (Bitmap.Empty()) {
        Check(Bitmap.Width() == 0 || Bitmap.Height() == 0);
        return;
    }
    Check(WithinCaps(Bitmap.Width(), Bitmap.Height()));
    Check(SamePixels(Bitmap, *SaveAndReload(Bitmap)));
}

// Loads one bitmap from the stream's position into a bitmap that holds one
// white pixel. False when the reader refused the data.
bool LoadOne(TMemoryStream& Stream, std::span<const std::uint8_t> d)
{
    const Int64 start = Stream.Position();
    TOwned<TBitmap> bitmap = WhitePixel();
    try {
        bitmap->LoadFromStream(Stream);
    } catch (const Exception& e) {
        Check(IsImageError(e));
        Check(IsWhitePixel(*bitmap));
        return false;
    }
    Check(Stream.Position() == DeclaredEnd(d, start));
    CheckRoundTrip(*bitmap);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::span<const std::uint8_t> d(Data, Size);
    if (DeclaresCostlyImage(d)) return 0;
    TMemoryStream stream;
    LoadStream(stream, d);
    if (LoadOne(stream, d) && stream.Position() < stream.Size()) LoadOne(stream, d);
    FuzzPictureData(d);
    return 0;
}
