// Feeds arbitrary bytes to the PNG reader and to the picture's form Data
// reader. A load either raises an image error and keeps the image it was
// given, or takes the rest of the stream and gives an image within the caps
// that saves and reads back to the same pixels.

#include "ImageFuzzSupport.h"
#include "platform/PngImage.h"

using namespace ImageFuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::span<const std::uint8_t> d(Data, Size);
    if (DeclaresCostlyImage(d)) return 0;
    TOwned<TPngImage> image = CreateOwned<TPngImage>();
    image->Assign(WhitePixel().get());
    if (LoadsWholeOrKeeps(*image, d)) {
        TOwned<TBitmap> pixels = CreateOwned<TBitmap>();
        pixels->Assign(image.get());
        TOwned<TBitmap> back = CreateOwned<TBitmap>();
        back->Assign(SaveAndReload(*image).get());
        Check(SamePixels(*pixels, *back));
    }
    FuzzPictureData(d);
    return 0;
}
