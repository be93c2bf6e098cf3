// Cursor handles: the standard shapes by identifier, and cursors read from
// resources in the Windows cursor file format (a bitmap with its AND mask,
// 1 to 32 bits per pixel, or a PNG image).

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <map>
#include <memory>
#include <vector>

#include "BmpCodec.h"
#include "ControlHost.h"
#include "platform/Forms.h"
#include "platform/Resources.h"
#include "platform/SysUtils.h"

struct HCURSOR__ {
    Qt::CursorShape Shape = Qt::ArrowCursor;
    QImage Image;  // null: the standard Shape
    QPoint HotSpot;
};

namespace {

// Little-endian reads that fail outside the data.
class TCursorBytes {
public:
    explicit TCursorBytes(std::span<const unsigned char> Data) : FData(Data) {}
    bool Has(std::size_t At, std::size_t Count) const { return At <= FData.size() && Count <= FData.size() - At; }
    Cardinal U8(std::size_t At) const { return Has(At, 1) ? FData[At] : 0; }
    Cardinal U16(std::size_t At) const { return U8(At) | (U8(At + 1) << 8); }
    Cardinal U32(std::size_t At) const { return U16(At) | (U16(At + 2) << 16); }
    std::span<const unsigned char> Span(std::size_t At, std::size_t Count) const { return FData.subspan(At, Count); }

private:
    std::span<const unsigned char> FData;
};

constexpr Cardinal kMaxCursorSide = 256;

void PutU32(std::vector<Byte>& Out, std::size_t At, Cardinal Value)
{
    for (int i = 0; i < 4; ++i) Out[At + i] = static_cast<Byte>(Value >> (8 * i));
}

// The colour bitmap of a cursor image and its AND mask (1: the screen shows
// through where the colour is black) as an image with alpha; null when the
// data is not a well-formed uncompressed bitmap.
QImage DecodeCursorBitmap(std::span<const unsigned char> Dib)
{
    const TCursorBytes b(Dib);
    const Cardinal headerSize = b.U32(0);
    const Integer width = static_cast<Integer>(b.U32(4));
    const Integer height = static_cast<Integer>(b.U32(8)) / 2;  // colour bitmap, then mask
    const Cardinal bits = b.U16(14);
    if (headerSize < 40 || !b.Has(0, headerSize) || b.U32(16) != 0) return {};
    if (width <= 0 || height <= 0 || Cardinal(width) > kMaxCursorSide || Cardinal(height) > kMaxCursorSide) return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return {};
    const Cardinal colors = bits <= 8 ? (b.U32(32) != 0 ? b.U32(32) : 1u << bits) : 0;
    const std::size_t colorRow = ((std::size_t(width) * bits + 31) / 32) * 4;
    const std::size_t maskRow = ((std::size_t(width) + 31) / 32) * 4;
    const std::size_t pixelsAt = headerSize + std::size_t(colors) * 4;
    const std::size_t maskAt = pixelsAt + colorRow * height;
    if (colors > 256 || !b.Has(maskAt, maskRow * height)) return {};
    // The colour bitmap as a BMP file of the cursor's own height.
    std::vector<Byte> file(14 + maskAt);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, static_cast<Cardinal>(file.size()));
    PutU32(file, 10, static_cast<Cardinal>(14 + pixelsAt));
    std::copy(Dib.begin(), Dib.begin() + maskAt, file.begin() + 14);
    PutU32(file, 14 + 8, static_cast<Cardinal>(height));
    QImage image;
    try {
        image = DecodeBmp(file).Image.convertToFormat(QImage::Format_ARGB32);
    } catch (const Exception&) {
        return {};
    }
    for (Integer y = 0; y < height; ++y) {
        const std::size_t row = maskAt + maskRow * std::size_t(height - 1 - y);
        for (Integer x = 0; x < width; ++x) {
            const bool screen = (b.U8(row + x / 8) >> (7 - x % 8)) & 1;
            if (screen && (image.pixel(x, y) & 0xFFFFFF) == 0) image.setPixel(x, y, 0);
        }
    }
    return image;
}

std::unique_ptr<HCURSOR__> DecodeCursor(std::span<const unsigned char> Data)
{
    const TCursorBytes b(Data);
    // A cursor directory (type 2) with at least one entry; the first is used.
    if (!b.Has(0, 22) || b.U16(0) != 0 || b.U16(2) != 2 || b.U16(4) == 0) return nullptr;
    const std::size_t size = b.U32(14);
    const std::size_t at = b.U32(18);
    if (!b.Has(at, size)) return nullptr;
    const std::span<const unsigned char> image = b.Span(at, size);
    static constexpr unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G'};
    auto cursor = std::make_unique<HCURSOR__>();
    if (size >= 4 && std::equal(std::begin(kPngSignature), std::end(kPngSignature), image.begin()))
        cursor->Image = QImage::fromData(image.data(), static_cast<int>(size), "PNG");
    else
        cursor->Image = DecodeCursorBitmap(image);
    if (cursor->Image.isNull() || Cardinal(cursor->Image.width()) > kMaxCursorSide ||
        Cardinal(cursor->Image.height()) > kMaxCursorSide)
        return nullptr;
    cursor->HotSpot = QPoint(std::min<int>(b.U16(10), cursor->Image.width() - 1),
                             std::min<int>(b.U16(12), cursor->Image.height() - 1));
    return cursor;
}

// Handles live as long as the process, as a module's cursors do.
std::map<String, std::unique_ptr<HCURSOR__>>& LoadedCursors()
{
    static std::map<String, std::unique_ptr<HCURSOR__>> cursors;
    return cursors;
}

}  // namespace

HCURSOR LoadCursor(const String& ResName)
{
    const String key = UpperCase(ResName);
    auto it = LoadedCursors().find(key);
    if (it != LoadedCursors().end()) return it->second.get();
    std::unique_ptr<HCURSOR__> cursor = DecodeCursor(FindResourceData(ResName));
    if (!cursor) return nullptr;
    return LoadedCursors().emplace(key, std::move(cursor)).first->second.get();
}

namespace pl {

HCURSOR StandardCursor(TCursor Cursor)
{
    static std::map<TCursor, std::unique_ptr<HCURSOR__>> standard;
    std::unique_ptr<HCURSOR__>& handle = standard[Cursor];
    if (!handle) {
        handle = std::make_unique<HCURSOR__>();
        handle->Shape = QtCursorShape(Cursor);
    }
    return handle.get();
}

QCursor QtCursor(TCursor Cursor)
{
    HCURSOR handle = Screen ? Screen->Cursors(Cursor) : nullptr;
    if (!handle) handle = StandardCursor(Cursor);
    if (handle->Image.isNull()) return QCursor(handle->Shape);
    return QCursor(QPixmap::fromImage(handle->Image), handle->HotSpot.x(), handle->HotSpot.y());
}

}  // namespace pl
