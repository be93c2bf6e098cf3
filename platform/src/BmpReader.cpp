// Reads BMP files: core and info headers up to version 5, 1/4/8/16/24/32
// bits per pixel, bit fields, RLE4 and RLE8, bottom-up and top-down.
// Every offset and size is checked against the bytes given.

#include <algorithm>
#include <array>

#include "BmpCodec.h"
#include "platform/Consts.h"
#include "QtGraphics.h"

namespace {

constexpr Cardinal BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;

[[noreturn]] void Invalid() { throw EInvalidGraphic(SInvalidBitmap); }

// Bounds-checked little-endian reads.
class TBytes {
public:
    explicit TBytes(std::span<const Byte> data) : FData(data) {}
    std::size_t Size() const { return FData.size(); }
    Byte U8(std::size_t at) const
    {
        if (at >= FData.size()) Invalid();
        return FData[at];
    }
    Cardinal U16(std::size_t at) const { return U8(at) | (Cardinal(U8(at + 1)) << 8); }
    Cardinal U32(std::size_t at) const { return U16(at) | (U16(at + 2) << 16); }
    Integer S32(std::size_t at) const { return static_cast<Integer>(U32(at)); }

private:
    std::span<const Byte> FData;
};

struct THeader {
    Int64 Width = 0;
    Int64 Height = 0;  // positive: bottom-up
    Cardinal BitCount = 0;
    Cardinal Compression = BI_RGB;
    Cardinal ColorsUsed = 0;
    std::array<Cardinal, 3> Masks{};  // red, green, blue
    std::size_t PaletteAt = 0;
    std::size_t PaletteEntry = 4;
    bool Core = false;
};

THeader ReadHeader(const TBytes& b)
{
    THeader h;
    const Cardinal size = b.U32(kBmpFileHeaderSize);
    const std::size_t at = kBmpFileHeaderSize;
    if (size == 12) {
        h.Core = true;
        h.Width = b.U16(at + 4);
        h.Height = static_cast<int16_t>(b.U16(at + 6));
        if (b.U16(at + 8) != 1) Invalid();
        h.BitCount = b.U16(at + 10);
        h.PaletteEntry = 3;
    } else if (size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124) {
        h.Width = b.S32(at + 4);
        h.Height = b.S32(at + 8);
        if (b.U16(at + 12) != 1) Invalid();
        h.BitCount = b.U16(at + 14);
        h.Compression = b.U32(at + 16);
        h.ColorsUsed = b.U32(at + 32);
        const bool bitFields = h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS;
        if (bitFields) {
            // Version 2+ headers hold the masks; after a 40-byte header they follow it.
            const std::size_t masksAt = size >= 52 ? at + 40 : at + size;
            for (std::size_t i = 0; i < 3; ++i) h.Masks[i] = b.U32(masksAt + 4 * i);
            if (size < 52) h.PaletteAt = masksAt + (h.Compression == BI_ALPHABITFIELDS ? 16 : 12);
        }
    } else {
        Invalid();
    }
    if (h.PaletteAt == 0) h.PaletteAt = at + size;
    return h;
}

void CheckHeader(const THeader& h)
{
    if (h.Width < 0) Invalid();
    if (!ImageSizeAllowed(h.Width, std::abs(h.Height))) Invalid();
    switch (h.Compression) {
        case BI_RGB:
            if (h.BitCount != 1 && h.BitCount != 4 && h.BitCount != 8 && h.BitCount != 16 && h.BitCount != 24 &&
                h.BitCount != 32)
                Invalid();
            break;
        case BI_RLE8:
            if (h.BitCount != 8 || h.Height < 0) Invalid();
            break;
        case BI_RLE4:
            if (h.BitCount != 4 || h.Height < 0) Invalid();
            break;
        case BI_BITFIELDS:
        case BI_ALPHABITFIELDS:
            if (h.BitCount != 16 && h.BitCount != 32) Invalid();
            break;
        default: Invalid();
    }
    if (h.BitCount <= 8 && h.ColorsUsed > 256) Invalid();
}

std::vector<QRgb> ReadPalette(const TBytes& b, const THeader& h)
{
    std::vector<QRgb> palette;
    if (h.BitCount > 8) return palette;
    const Cardinal count = h.ColorsUsed ? h.ColorsUsed : (1u << h.BitCount);
    for (Cardinal i = 0; i < count; ++i) {
        const std::size_t at = h.PaletteAt + i * h.PaletteEntry;
        palette.push_back(qRgb(b.U8(at + 2), b.U8(at + 1), b.U8(at)));
    }
    return palette;
}

QRgb PaletteColor(const std::vector<QRgb>& palette, Cardinal index)
{
    return index < palette.size() ? palette[index] : qRgb(0, 0, 0);
}

// One channel of a bit-field pixel scaled to 0..255.
struct TChannel {
    Cardinal Mask = 0;
    Integer Shift = 0;
    Cardinal Max = 0;

    explicit TChannel(Cardinal mask) : Mask(mask)
    {
        if (!mask) return;
        while (!((mask >> Shift) & 1)) ++Shift;
        Max = mask >> Shift;
    }
    Integer Value(Cardinal pixel) const
    {
        if (!Max) return 0;
        return static_cast<Integer>((Int64((pixel & Mask) >> Shift) * 255 + Max / 2) / Max);
    }
};

std::array<Cardinal, 3> DefaultMasks(Cardinal bitCount)
{
    if (bitCount == 16) return {0x7C00, 0x03E0, 0x001F};
    return {0x00FF0000, 0x0000FF00, 0x000000FF};
}

void DecodeRows(const TBytes& b, std::size_t dataAt, const THeader& h, const std::vector<QRgb>& palette, QImage& image)
{
    const Int64 stride = ((h.Width * h.BitCount + 31) / 32) * 4;
    const Int64 rows = std::abs(h.Height);
    if (Int64(dataAt) + stride * rows > Int64(b.Size())) Invalid();
    const std::array<Cardinal, 3> masks = h.Compression == BI_RGB ? DefaultMasks(h.BitCount) : h.Masks;
    const TChannel red(masks[0]), green(masks[1]), blue(masks[2]);
    for (Int64 r = 0; r < rows; ++r) {
        const std::size_t row = dataAt + static_cast<std::size_t>(r * stride);
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(h.Height > 0 ? rows - 1 - r : r)));
        for (Int64 x = 0; x < h.Width; ++x) {
            const std::size_t px = static_cast<std::size_t>(x);
            switch (h.BitCount) {
                case 1: out[x] = PaletteColor(palette, (b.U8(row + px / 8) >> (7 - px % 8)) & 1); break;
                case 4: out[x] = PaletteColor(palette, (b.U8(row + px / 2) >> (px % 2 ? 0 : 4)) & 0xF); break;
                case 8: out[x] = PaletteColor(palette, b.U8(row + px)); break;
                case 24: out[x] = qRgb(b.U8(row + 3 * px + 2), b.U8(row + 3 * px + 1), b.U8(row + 3 * px)); break;
                default: {
                    const Cardinal v = h.BitCount == 16 ? b.U16(row + 2 * px) : b.U32(row + 4 * px);
                    out[x] = qRgb(red.Value(v), green.Value(v), blue.Value(v));
                }
            }
        }
    }
}

// RLE8 and RLE4: runs and absolute blocks, with end-of-line, end-of-bitmap
// and delta escapes. Pixels outside the image are dropped; the data may
// end early, which leaves the rest in palette colour 0.
void DecodeRle(const TBytes& b, std::size_t at, const THeader& h, const std::vector<QRgb>& palette, QImage& image)
{
    const bool four = h.Compression == BI_RLE4;
    image.fill(PaletteColor(palette, 0));
    Int64 x = 0, y = 0;
    const auto put = [&](Cardinal index) {
        if (x < h.Width && y < h.Height)
            reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(h.Height - 1 - y)))[x] = PaletteColor(palette, index);
        ++x;
    };
    while (at + 1 < b.Size() && y < h.Height) {
        const Cardinal count = b.U8(at), value = b.U8(at + 1);
        at += 2;
        if (count > 0) {
            for (Cardinal i = 0; i < count && x < h.Width; ++i) put(four ? (i % 2 ? value & 0xF : value >> 4) : value);
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            x += b.U8(at);
            y += b.U8(at + 1);
            at += 2;
        } else {
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            for (Cardinal i = 0; i < value; ++i) {
                const Byte data = b.U8(at + (four ? i / 2 : i));
                put(four ? (i % 2 ? data & 0xF : data >> 4) : data);
            }
            at += (bytes + 1) & ~std::size_t{1};
        }
    }
}

TPixelFormat FormatOf(const THeader& h)
{
    switch (h.BitCount) {
        case 1: return pf1bit;
        case 4: return pf4bit;
        case 8: return pf8bit;
        case 16: return (h.Compression == BI_RGB || h.Masks[1] == 0x03E0) ? pf15bit : pf16bit;
        case 32: return pf32bit;
        default: return pf24bit;
    }
}

}  // namespace

Cardinal BmpDeclaredSize(std::span<const Byte> fileHeader)
{
    const TBytes b(fileHeader);
    if (b.U8(0) != 'B' || b.U8(1) != 'M') Invalid();
    return b.U32(2);
}

TBmpImage DecodeBmp(std::span<const Byte> file)
{
    const TBytes b(file);
    BmpDeclaredSize(file);
    const Cardinal dataAt = b.U32(10);
    THeader h = ReadHeader(b);
    CheckHeader(h);
    TBmpImage result;
    result.Format = FormatOf(h);
    if (h.Width == 0 || h.Height == 0) return result;
    const std::vector<QRgb> palette = ReadPalette(b, h);
    if (dataAt < kBmpFileHeaderSize || dataAt >= file.size()) Invalid();
    result.Image = QImage(static_cast<int>(h.Width), static_cast<int>(std::abs(h.Height)), QImage::Format_RGB32);
    if (result.Image.isNull()) throw EOutOfResources(SImageTooLarge);
    if (h.Compression == BI_RLE8 || h.Compression == BI_RLE4) DecodeRle(b, dataAt, h, palette, result.Image);
    else DecodeRows(b, dataAt, h, palette, result.Image);
    return result;
}
