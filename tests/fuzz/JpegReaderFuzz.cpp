// Feeds arbitrary bytes to the JPEG decoder with both DCT methods, and to
// the picture's form Data reader. A load either raises an image error and
// keeps the image it was given, or decodes to an image within the caps
// that draws into bitmaps and saves back the very bytes it was given.

#include <algorithm>

#include "ImageFuzzSupport.h"
#include "platform/Jpeg.h"

using namespace ImageFuzz;

namespace {

// Decodes into an image that holds a 1 x 1 bitmap; null when the decoder
// refused the data.
TOwned<TJPEGImage> Decode(std::span<const std::uint8_t> d, TJPEGPerformance Performance)
{
    TOwned<TJPEGImage> image = CreateOwned<TJPEGImage>();
    image->Assign(WhitePixel().get());
    image->SetPerformance(Performance);
    return LoadsWholeOrKeeps(*image, d) ? std::move(image) : nullptr;
}

void CheckSavesTheSameBytes(TJPEGImage& Image, std::span<const std::uint8_t> d)
{
    TMemoryStream saved;
    Image.SaveToStream(saved);
    const auto* bytes = static_cast<const std::uint8_t*>(saved.Memory());
    Check(saved.Size() == Int64(d.size()) && std::equal(d.begin(), d.end(), bytes));
}

// Stretched, shifted past the edges, and as a bitmap of its own.
void CheckDraws(TJPEGImage& Image)
{
    TOwned<TBitmap> target = CreateOwned<TBitmap>();
    target->SetSize(7, 5);
    target->Canvas()->StretchDraw(TRect{1, 1, 6, 4}, &Image);
    target->Canvas()->Draw(-2, -3, &Image);
    TOwned<TBitmap> copy = CreateOwned<TBitmap>();
    copy->Assign(&Image);
    Check(copy->Width() == Image.Width() && copy->Height() == Image.Height());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::span<const std::uint8_t> d(Data, Size);
    if (DeclaresCostlyImage(d)) return 0;
    TOwned<TJPEGImage> exact = Decode(d, jpBestQuality);
    TOwned<TJPEGImage> fast = Decode(d, jpBestSpeed);
    // The DCT method changes pixel values, never whether the data is sound.
    Check(!exact == !fast);
    if (exact) {
        Check(fast->Width() == exact->Width() && fast->Height() == exact->Height());
        CheckSavesTheSameBytes(*exact, d);
        CheckDraws(*exact);
    }
    FuzzPictureData(d);
    return 0;
}
