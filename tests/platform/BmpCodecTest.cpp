// BMP streams: round trips at each depth, bitmaps back to back, the
// compressed and bit-field variants, and hostile headers.

#include <cstring>

#include "GraphicsTestSupport.h"
#include "platform/SysUtils.h"

using namespace GraphicsTest;

namespace {

// A bitmap with a few distinct colours in a pattern that shows any shift.
TOwned<TBitmap> Pattern(Integer w, Integer h, std::initializer_list<TColor> colours)
{
    auto b = MakeBitmap(w, h);
    const std::vector<TColor> c(colours);
    for (Integer y = 0; y < h; ++y)
        for (Integer x = 0; x < w; ++x) b->Canvas()->SetPixels(x, y, c[(x * 3 + y * 5 + x * y) % c.size()]);
    return b;
}

bool SamePixels(TBitmap& a, TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (Integer y = 0; y < a.Height(); ++y)
        for (Integer x = 0; x < a.Width(); ++x)
            if (a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y)) return false;
    return true;
}

std::vector<Byte> Saved(TBitmap& b)
{
    TMemoryStream s;
    b.SaveToStream(s);
    const Byte* p = static_cast<const Byte*>(s.Memory());
    return std::vector<Byte>(p, p + s.Size());
}

void Load(TBitmap& b, const std::vector<Byte>& bytes)
{
    TMemoryStream s;
    s.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    s.SetPosition(0);
    b.LoadFromStream(s);
}

void PutU32(std::vector<Byte>& v, std::size_t at, Cardinal x)
{
    for (Integer i = 0; i < 4; ++i) v[at + i] = static_cast<Byte>(x >> (8 * i));
}

// A hand-made 40-byte-header file: palette entries, then pixel data.
std::vector<Byte> Handmade(Integer w, Integer h, Integer bits, Cardinal compression, std::vector<Cardinal> palette,
                           std::vector<Byte> data)
{
    const std::size_t offBits = 14 + 40 + 4 * palette.size();
    std::vector<Byte> f(offBits, 0);
    f[0] = 'B';
    f[1] = 'M';
    PutU32(f, 2, static_cast<Cardinal>(offBits + data.size()));
    PutU32(f, 10, static_cast<Cardinal>(offBits));
    PutU32(f, 14, 40);
    PutU32(f, 18, static_cast<Cardinal>(w));
    PutU32(f, 22, static_cast<Cardinal>(h));
    f[26] = 1;
    f[28] = static_cast<Byte>(bits);
    PutU32(f, 30, compression);
    PutU32(f, 46, static_cast<Cardinal>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) PutU32(f, 54 + 4 * i, palette[i]);
    f.insert(f.end(), data.begin(), data.end());
    return f;
}

}  // namespace

TEST(BmpCodec, RoundTripsAtEachDepth)
{
    const struct {
        TPixelFormat Format;
        Integer Bits;
        std::initializer_list<TColor> Colours;
    } cases[] = {
        {pf1bit, 1, {clBlack, clWhite}},
        {pf4bit, 4, {clRed, clBlue, clLime, clYellow, clTeal, RGB(1, 2, 3)}},
        {pf8bit, 8, {clRed, clBlue, RGB(10, 20, 30), RGB(200, 100, 50), clWhite, clBlack, clGray}},
        {pf24bit, 24, {RGB(1, 2, 3), RGB(250, 128, 7), RGB(9, 200, 77), clAqua}},
        {pf32bit, 32, {RGB(1, 2, 3), RGB(250, 128, 7)}},
    };
    for (const auto& c : cases) {
        // 13 and 7 pixels: rows need padding at every depth.
        auto original = Pattern(13, 7, c.Colours);
        original->SetPixelFormat(c.Format);
        const std::vector<Byte> bytes = Saved(*original);
        EXPECT_EQ(bytes[28], c.Bits);
        auto loaded = CreateOwned<TBitmap>();
        Load(*loaded, bytes);
        EXPECT_EQ(loaded->PixelFormat(), c.Format);
        EXPECT_TRUE(SamePixels(*original, *loaded)) << c.Bits;
    }
}

TEST(BmpCodec, BitmapsBackToBackInOneStream)
{
    auto first = Pattern(5, 3, {clRed, clBlue});
    auto second = Pattern(9, 4, {clLime, clBlack, clWhite});
    second->SetPixelFormat(pf8bit);
    TMemoryStream s;
    first->SaveToStream(s);
    const Int64 firstSize = s.Size();
    second->SaveToStream(s);
    s.WriteLE<Cardinal>(0xDEADBEEF);  // what follows the bitmaps stays unread
    s.SetPosition(0);
    auto a = CreateOwned<TBitmap>(), b = CreateOwned<TBitmap>();
    a->LoadFromStream(s);
    EXPECT_EQ(s.Position(), firstSize);
    b->LoadFromStream(s);
    EXPECT_EQ(s.ReadLE<Cardinal>(), 0xDEADBEEFu);
    EXPECT_TRUE(SamePixels(*a, *first));
    EXPECT_TRUE(SamePixels(*b, *second));
}

TEST(BmpCodec, ReadsRleTopDownAndBitFields)
{
    // RLE8, 4 x 2, bottom-up: the bottom row is 2 x colour 1 then an
    // absolute run (2, 1); the top row is a delta then colour 2.
    const std::vector<Byte> rle8 = {2, 1, 0, 3, 2, 1, 2, 0, 0, 0, 0, 2, 3, 0, 1, 2, 0, 1};
    auto b = CreateOwned<TBitmap>();
    Load(*b, Handmade(4, 2, 8, 1, {0x000000, 0x0000FF, 0xFF0000}, rle8));
    const std::map<TColor, char> key = {{clBlack, '0'}, {clBlue, '1'}, {clRed, '2'}};
    EXPECT_EQ(Art(*b, key), (std::vector<std::string>{"0002", "1121"}));

    // RLE4: a run of 5 alternating nibbles 1, 2.
    Load(*b, Handmade(5, 1, 4, 2, {0x000000, 0x0000FF, 0xFF0000}, {5, 0x12, 0, 1}));
    EXPECT_EQ(Art(*b, key), (std::vector<std::string>{"12121"}));

    // Top-down 24 bits: a negative height keeps the row order.
    const std::vector<Byte> rows = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0};
    Load(*b, Handmade(2, -2, 24, 0, {}, rows));
    EXPECT_EQ(b->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(b->Canvas()->Pixels(1, 0), clLime);
    EXPECT_EQ(b->Canvas()->Pixels(0, 1), clBlue);

    // 16 bits with 5-6-5 fields (masks follow the 40-byte header).
    std::vector<Byte> f = Handmade(1, 1, 16, 3, {0xF800, 0x07E0, 0x001F}, {0x1F, 0x00, 0, 0});
    Load(*b, f);
    EXPECT_EQ(b->Canvas()->Pixels(0, 0), clBlue);
    EXPECT_EQ(b->PixelFormat(), pf16bit);
}

TEST(BmpCodec, HostileHeadersRaiseInvalidGraphic)
{
    auto good = Pattern(4, 4, {clRed, clBlue});
    const std::vector<Byte> base = Saved(*good);
    const auto hostile = [&](std::size_t at, Cardinal value) {
        std::vector<Byte> f = base;
        PutU32(f, at, value);
        return f;
    };
    const std::vector<std::vector<Byte>> files = {
        hostile(0, 0x4D42 ^ 0x0101),                  // not "BM"
        hostile(2, 1u << 31),                         // bfSize past the stream
        hostile(2, 20),                               // bfSize smaller than any header
        hostile(10, 1u << 30),                        // pixel data past the file
        hostile(14, 99),                              // unknown header size
        hostile(18, 0x7FFFFFFF),                      // width
        hostile(18, static_cast<Cardinal>(-4)),       // negative width
        hostile(22, 30000),                           // height beyond the data
        hostile(26, 2 | (24u << 16)),                 // planes
        hostile(26, 1 | (7u << 16)),                  // bit count
        hostile(30, 9),                               // compression
        hostile(30, 1),                               // RLE8 at 24 bits
        std::vector<Byte>(base.begin(), base.begin() + 30),  // truncated header
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        auto b = CreateOwned<TBitmap>();
        EXPECT_THROW(Load(*b, files[i]), EInvalidGraphic) << i;
    }
    // 32767 x 32767 passes the side cap but not the memory cap.
    std::vector<Byte> huge = hostile(18, 32767);
    PutU32(huge, 22, 32767);
    auto b = CreateOwned<TBitmap>();
    EXPECT_THROW(Load(*b, huge), EInvalidGraphic);
    // 8 bits with 1000 palette entries.
    std::vector<Byte> palette = Handmade(1, 1, 8, 0, {0}, {0, 0, 0, 0});
    PutU32(palette, 46, 1000);
    EXPECT_THROW(Load(*b, palette), EInvalidGraphic);
    // A failed load keeps nothing half-read: the old image stays.
    Load(*b, base);
    EXPECT_THROW(Load(*b, files[3]), EInvalidGraphic);
    EXPECT_TRUE(SamePixels(*b, *good));
}

TEST(BmpCodec, SizeCapsAndEmptyBitmaps)
{
    auto b = CreateOwned<TBitmap>();
    EXPECT_TRUE(b->Empty());
    EXPECT_THROW(b->SetSize(40000, 1), EOutOfResources);
    EXPECT_THROW(b->SetSize(32767, 32767), EOutOfResources);
    auto loaded = CreateOwned<TBitmap>();
    Load(*loaded, Saved(*b));
    EXPECT_TRUE(loaded->Empty());
}
