// Writes BMP files: bottom-up, uncompressed, with a 40-byte info header.

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "BmpCodec.h"

namespace {

Integer BitCountOf(TPixelFormat format)
{
    switch (format) {
        case pf1bit: return 1;
        case pf4bit: return 4;
        case pf8bit: return 8;
        case pf32bit: return 32;
        default: return 24;
    }
}

void PutU16(std::vector<Byte>& out, Cardinal v)
{
    out.push_back(static_cast<Byte>(v));
    out.push_back(static_cast<Byte>(v >> 8));
}

void PutU32(std::vector<Byte>& out, Cardinal v)
{
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

QRgb PixelAt(const QImage& image, Integer x, Integer y)
{
    return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x] | 0xFF000000u;
}

// The fixed palettes used when an image has too many colours.
std::vector<QRgb> FixedPalette(Integer bitCount)
{
    if (bitCount == 1) return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    if (bitCount == 4) {
        return {qRgb(0, 0, 0),     qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
                qRgb(0, 0, 128),   qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
                qRgb(192, 192, 192), qRgb(255, 0, 0), qRgb(0, 255, 0),   qRgb(255, 255, 0),
                qRgb(0, 0, 255),   qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    }
    std::vector<QRgb> palette;
    for (Integer r = 0; r < 6; ++r)
        for (Integer g = 0; g < 6; ++g)
            for (Integer b = 0; b < 6; ++b) palette.push_back(qRgb(r * 51, g * 51, b * 51));
    for (Integer i = 1; palette.size() < 256; ++i) palette.push_back(qRgb(i * 6, i * 6, i * 6));
    return palette;
}

// The image's own colours in ascending order when they fit, else empty.
std::vector<QRgb> OwnPalette(const QImage& image, Integer bitCount)
{
    const std::size_t limit = std::size_t{1} << bitCount;
    std::unordered_set<QRgb> seen;
    for (Integer y = 0; y < image.height(); ++y) {
        for (Integer x = 0; x < image.width(); ++x) {
            seen.insert(PixelAt(image, x, y));
            if (seen.size() > limit) return {};
        }
    }
    std::vector<QRgb> colours(seen.begin(), seen.end());
    std::sort(colours.begin(), colours.end());
    return colours;
}

Integer Nearest(const std::vector<QRgb>& palette, QRgb c)
{
    Integer best = 0;
    Int64 bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const Int64 dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]), db = qBlue(c) - qBlue(palette[i]);
        const Int64 d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<Integer>(i);
        }
    }
    return best;
}

void PutRow(std::vector<Byte>& out, const QImage& image, Integer y, Integer bitCount, const std::vector<QRgb>& palette,
            std::unordered_map<QRgb, Integer>& indexOf, std::size_t stride)
{
    const std::size_t start = out.size();
    out.resize(start + stride, 0);
    Byte* row = out.data() + start;
    for (Integer x = 0; x < image.width(); ++x) {
        const QRgb c = PixelAt(image, x, y);
        switch (bitCount) {
            case 24:
            case 32: {
                Byte* p = row + x * (bitCount / 8);
                p[0] = static_cast<Byte>(qBlue(c));
                p[1] = static_cast<Byte>(qGreen(c));
                p[2] = static_cast<Byte>(qRed(c));
                break;
            }
            default: {
                auto it = indexOf.find(c);
                if (it == indexOf.end()) it = indexOf.emplace(c, Nearest(palette, c)).first;
                const Integer perByte = 8 / bitCount;
                const Integer shift = (perByte - 1 - x % perByte) * bitCount;
                row[x / perByte] = static_cast<Byte>(row[x / perByte] | (it->second << shift));
            }
        }
    }
}

}  // namespace

std::vector<Byte> EncodeBmp(const QImage& image, TPixelFormat format)
{
    const Integer bitCount = BitCountOf(format);
    std::vector<QRgb> palette;
    if (bitCount <= 8) {
        palette = OwnPalette(image, bitCount);
        if (palette.empty()) palette = FixedPalette(bitCount);
    }
    const std::size_t stride = ((std::size_t(image.width()) * bitCount + 31) / 32) * 4;
    const std::size_t dataAt = kBmpFileHeaderSize + 40 + 4 * palette.size();
    const std::size_t total = dataAt + stride * std::size_t(image.height());

    std::vector<Byte> out;
    out.reserve(total);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, static_cast<Cardinal>(total));
    PutU32(out, 0);
    PutU32(out, static_cast<Cardinal>(dataAt));
    PutU32(out, 40);
    PutU32(out, static_cast<Cardinal>(image.width()));
    PutU32(out, static_cast<Cardinal>(image.height()));
    PutU16(out, 1);
    PutU16(out, static_cast<Cardinal>(bitCount));
    PutU32(out, 0);  // BI_RGB
    PutU32(out, static_cast<Cardinal>(stride * std::size_t(image.height())));
    PutU32(out, 3780);  // 96 dpi in pixels per metre
    PutU32(out, 3780);
    PutU32(out, static_cast<Cardinal>(palette.size()));
    PutU32(out, 0);
    for (QRgb c : palette) {
        out.push_back(static_cast<Byte>(qBlue(c)));
        out.push_back(static_cast<Byte>(qGreen(c)));
        out.push_back(static_cast<Byte>(qRed(c)));
        out.push_back(0);
    }
    std::unordered_map<QRgb, Integer> indexOf;
    for (Integer y = image.height() - 1; y >= 0; --y) PutRow(out, image, y, bitCount, palette, indexOf, stride);
    return out;
}
