#pragma once
// Shared by the image reader targets: their start-up, a cheap refusal of
// inputs that declare a costly image, the checks every load must pass, and
// the picture's form Data reader fed with the raw input.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/Graphics.h"
#include "platform/SysUtils.h"
#include "platform/Testing.h"
#include "FuzzSupport.h"

namespace ImageFuzz {

using Fuzz::Check;
using Fuzz::InitHeadlessProcess;

// Images past the caps (32767 px a side, 256 MB) are refused by the readers
// before any allocation, so they stay in; images within the caps but larger
// than this are skipped, since a few header bytes can make the reader fill
// them and one such input would take as long as thousands of small ones.
constexpr std::int64_t kMaxFuzzPixels = std::int64_t(1) << 16;
constexpr std::int64_t kMaxSide = 32767;
constexpr std::int64_t kMaxBytes = std::int64_t(256) << 20;

inline bool WithinCaps(std::int64_t Width, std::int64_t Height)
{
    return Width >= 0 && Height >= 0 && Width <= kMaxSide && Height <= kMaxSide && Width * Height * 4 <= kMaxBytes;
}

inline bool Costly(std::int64_t Width, std::int64_t Height)
{
    return WithinCaps(Width, Height) && Width * Height > kMaxFuzzPixels;
}

inline std::uint32_t Le(std::span<const std::uint8_t> d, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | d[at + i];
    return v;
}

// Any "BM" followed by a header whose size is costly, wherever it lies: the
// second of two bitmaps and the bitmap inside picture data start anywhere.
inline bool DeclaresCostlyBmp(std::span<const std::uint8_t> d, std::size_t at)
{
    if (d[at] != 'B' || d[at + 1] != 'M' || at + 26 > d.size()) return false;
    const bool core = Le(d, at + 14, 4) == 12;  // 16-bit sizes
    const std::int64_t width = core ? Le(d, at + 18, 2) : std::int32_t(Le(d, at + 18, 4));
    const std::int64_t height = core ? std::int16_t(Le(d, at + 20, 2)) : std::int32_t(Le(d, at + 22, 4));
    return Costly(width, std::abs(height));
}

// Any start-of-frame marker (0xFFC0..0xFFCF but the table markers C4, C8
// and CC) with a costly height and width, read big-endian.
inline bool DeclaresCostlyJpeg(std::span<const std::uint8_t> d, std::size_t at)
{
    if (d[at] != 0xFF || (d[at + 1] & 0xF0) != 0xC0 || at + 9 > d.size()) return false;
    const std::uint8_t m = d[at + 1];
    if (m == 0xC4 || m == 0xC8 || m == 0xCC) return false;
    return Costly((d[at + 7] << 8) | d[at + 8], (d[at + 5] << 8) | d[at + 6]);
}

inline std::uint32_t Be(std::span<const std::uint8_t> d, std::size_t at)
{
    return (std::uint32_t(d[at]) << 24) | (d[at + 1] << 16) | (d[at + 2] << 8) | d[at + 3];
}

// Any PNG header chunk ("IHDR", then width and height big-endian) of a
// costly size.
inline bool DeclaresCostlyPng(std::span<const std::uint8_t> d, std::size_t at)
{
    if (d[at] != 'I' || d[at + 1] != 'H' || at + 12 > d.size() || d[at + 2] != 'D' || d[at + 3] != 'R') return false;
    return Costly(Be(d, at + 4), Be(d, at + 8));
}

inline bool DeclaresCostlyImage(std::span<const std::uint8_t> d)
{
    for (std::size_t at = 0; at + 1 < d.size(); ++at)
        if (DeclaresCostlyBmp(d, at) || DeclaresCostlyJpeg(d, at) || DeclaresCostlyPng(d, at)) return true;
    return false;
}

inline void LoadStream(TMemoryStream& Stream, std::span<const std::uint8_t> d)
{
    Stream.WriteBuffer(d.data(), static_cast<Int64>(d.size()));
    Stream.SetPosition(0);
}

// The errors an image reader may give: a bad image, or one too large.
inline bool IsImageError(const Exception& e)
{
    return (dynamic_cast<const EInvalidGraphic*>(&e) || dynamic_cast<const EOutOfResources*>(&e)) &&
           !e.Message().empty();
}

inline bool SamePixels(TBitmap& A, TBitmap& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
    for (Integer y = 0; y < A.Height(); ++y)
        for (Integer x = 0; x < A.Width(); ++x)
            if (A.Canvas()->Pixels(x, y) != B.Canvas()->Pixels(x, y)) return false;
    return true;
}

// A 1 x 1 white bitmap, and whether a bitmap still is one.
inline TOwned<TBitmap> WhitePixel()
{
    TOwned<TBitmap> pixel = CreateOwned<TBitmap>();
    pixel->SetSize(1, 1);
    return pixel;
}

inline bool IsWhitePixel(TBitmap& B)
{
    return B.Width() == 1 && B.Height() == 1 && B.Canvas()->Pixels(0, 0) == clWhite;
}

// Loads the input into Image, which holds a 1 x 1 pixel: false when the
// reader refused it with an image error and kept the pixel, true when it
// read the whole stream into an image within the caps.
template <class T>
bool LoadsWholeOrKeeps(T& Image, std::span<const std::uint8_t> d)
{
    TMemoryStream input;
    LoadStream(input, d);
    try {
        Image.LoadFromStream(input);
    } catch (const Exception& e) {
        Check(IsImageError(e));
        Check(Image.Width() == 1 && Image.Height() == 1);
        return false;
    }
    Check(input.Position() == input.Size());
    Check(Image.Width() > 0 && Image.Height() > 0 && WithinCaps(Image.Width(), Image.Height()));
    return true;
}

// Saves Source and loads it into a fresh object of its kind; the load must
// end where the save did.
template <class T>
TOwned<T> SaveAndReload(T& Source)
{
    TMemoryStream saved;
    Source.SaveToStream(saved);
    saved.SetPosition(0);
    TOwned<T> back = CreateOwned<T>();
    back->LoadFromStream(saved);
    Check(saved.Position() == saved.Size());
    return back;
}

// The raw input as form Data: a failed read keeps the picture's graphic; a
// read graphic writes and reads back at the same size.
inline void FuzzPictureData(std::span<const std::uint8_t> d)
{
    TOwned<TPicture> picture = CreateOwned<TPicture>();
    picture->Bitmap()->SetSize(1, 1);
    TGraphic* const before = picture->Graphic();
    TMemoryStream input;
    LoadStream(input, d);
    try {
        picture->ReadData(input);
    } catch (const Exception& e) {
        Check(IsImageError(e) || dynamic_cast<const EReadError*>(&e));
        Check(picture->Graphic() == before && picture->Width() == 1);
        return;
    }
    TMemoryStream written;
    picture->WriteData(written);
    written.SetPosition(0);
    TOwned<TPicture> copy = CreateOwned<TPicture>();
    copy->ReadData(written);
    Check(copy->Width() == picture->Width() && copy->Height() == picture->Height());
    Check(!copy->Graphic() == !picture->Graphic());
}

}  // namespace ImageFuzz

// Images are drawn and measured: the application object comes first. Each
// target is one file, so this is defined once per program.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    ImageFuzz::InitHeadlessProcess();
    return 0;
}
