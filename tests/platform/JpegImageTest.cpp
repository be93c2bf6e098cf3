// JPEG images and pictures: encoding and decoding, bad data, and the
// picture's file and form-data forms.

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "GraphicsTestSupport.h"
#include "platform/FormStream.h"
#include "platform/Jpeg.h"
#include "platform/SysUtils.h"

using namespace GraphicsTest;

namespace {

// A smooth gradient: JPEG at quality 100 keeps it within a step or two.
TOwned<TBitmap> Gradient(Integer w, Integer h)
{
    auto b = MakeBitmap(w, h);
    for (Integer y = 0; y < h; ++y)
        for (Integer x = 0; x < w; ++x)
            b->Canvas()->SetPixels(x, y, RGB(static_cast<Byte>(40 + x), static_cast<Byte>(60 + y),
                                                static_cast<Byte>(120 + (x + y) / 3)));
    return b;
}

std::vector<Byte> Bytes(TGraphic& g)
{
    TMemoryStream s;
    g.SaveToStream(s);
    const Byte* p = static_cast<const Byte*>(s.Memory());
    return std::vector<Byte>(p, p + s.Size());
}

void LoadBytes(TGraphic& g, const std::vector<Byte>& bytes)
{
    TMemoryStream s;
    if (!bytes.empty()) s.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    s.SetPosition(0);
    g.LoadFromStream(s);
}

Integer MaxChannelDifference(TBitmap& a, TBitmap& b)
{
    Integer worst = 0;
    for (Integer y = 0; y < a.Height(); ++y)
        for (Integer x = 0; x < a.Width(); ++x) {
            const TColor p = a.Canvas()->Pixels(x, y), q = b.Canvas()->Pixels(x, y);
            worst = std::max({worst, std::abs(GetRValue(p) - GetRValue(q)), std::abs(GetGValue(p) - GetGValue(q)),
                              std::abs(GetBValue(p) - GetBValue(q))});
        }
    return worst;
}

// Keeps what a persistent object declares for the form data.
class TCaptureFiler : public TFiler {
public:
    TCaptureFiler() : TFiler(nullptr) {}
    void DefineProperty(const String&, const TReaderProc&, const TWriterProc&, bool) override {}
    void DefineBinaryProperty(const String& Name, const TStreamProc& Read, const TStreamProc& Write,
                              bool Has) override
    {
        this->Name = Name;
        ReadProc = Read;
        WriteProc = Write;
        HasData = Has;
    }
    String Name;
    TStreamProc ReadProc, WriteProc;
    bool HasData = false;
};

bool HasMarker(const std::vector<Byte>& data, Byte marker)
{
    for (std::size_t i = 0; i + 1 < data.size(); ++i)
        if (data[i] == 0xFF && data[i + 1] == marker) return true;
    return false;
}

}  // namespace

TEST(JpegImage, QualityHundredRoundTripStaysWithinTwo)
{
    auto original = Gradient(40, 30);
    auto jpeg = CreateOwned<TJPEGImage>();
    jpeg->Assign(original.get());
    jpeg->SetCompressionQuality(100);
    const std::vector<Byte> data = Bytes(*jpeg);
    EXPECT_TRUE(HasMarker(data, 0xD8));
    EXPECT_FALSE(HasMarker(data, 0xC2));

    auto loaded = CreateOwned<TJPEGImage>();
    LoadBytes(*loaded, data);
    EXPECT_EQ(loaded->Width(), 40);
    EXPECT_EQ(loaded->Height(), 30);
    auto decoded = CreateOwned<TBitmap>();
    decoded->Assign(loaded.get());
    EXPECT_LE(MaxChannelDifference(*original, *decoded), 2);
}

TEST(JpegImage, ProgressiveSpeedAndGreyEncodingsDecode)
{
    auto original = Gradient(17, 9);
    for (Integer variant = 0; variant < 3; ++variant) {
        auto jpeg = CreateOwned<TJPEGImage>();
        jpeg->Assign(original.get());
        jpeg->SetProgressiveEncoding(variant == 0);
        jpeg->SetPerformance(variant == 1 ? jpBestSpeed : jpBestQuality);
        jpeg->SetPixelFormat(variant == 2 ? jf8Bit : jf24Bit);
        const std::vector<Byte> data = Bytes(*jpeg);
        EXPECT_EQ(HasMarker(data, 0xC2), variant == 0);
        auto back = CreateOwned<TJPEGImage>();
        LoadBytes(*back, data);
        auto decoded = CreateOwned<TBitmap>();
        decoded->Assign(back.get());
        const TColor p = decoded->Canvas()->Pixels(8, 4);
        EXPECT_EQ(variant == 2, GetRValue(p) == GetGValue(p) && GetGValue(p) == GetBValue(p)) << variant;
    }
}

TEST(JpegImage, EmptyImagesAndBadSettingsRaise)
{
    auto jpeg = CreateOwned<TJPEGImage>();
    EXPECT_TRUE(jpeg->Empty());
    EXPECT_THROW(jpeg->Compress(), EInvalidGraphic);
    auto empty = CreateOwned<TBitmap>();
    jpeg->Assign(empty.get());
    TMemoryStream s;
    EXPECT_THROW(jpeg->SaveToStream(s), EInvalidGraphic);
    EXPECT_EQ(s.Size(), 0);
    EXPECT_THROW(jpeg->SetCompressionQuality(0), ERangeError);
    EXPECT_THROW(jpeg->SetCompressionQuality(101), ERangeError);
    jpeg->SetCompressionQuality(1);
    EXPECT_THROW(jpeg->SetWidth(5), EInvalidGraphic);
}

TEST(JpegImage, BadDataRaisesAndKeepsTheImage)
{
    auto original = Gradient(16, 16);
    auto jpeg = CreateOwned<TJPEGImage>();
    jpeg->Assign(original.get());
    const std::vector<Byte> good = Bytes(*jpeg);

    std::vector<Byte> garbage(200, 0x5A);
    std::vector<Byte> truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
    std::vector<Byte> corrupt = good;
    for (std::size_t i = 2; i < 40 && i < corrupt.size(); ++i) corrupt[i] = 0xFF;
    std::vector<Byte> huge = good;
    for (std::size_t i = 0; i + 8 < huge.size(); ++i)
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {  // SOF0: height and width
            huge[i + 5] = huge[i + 6] = huge[i + 7] = huge[i + 8] = 0xFF;
            break;
        }

    auto loaded = CreateOwned<TJPEGImage>();
    LoadBytes(*loaded, good);
    for (const auto& bad : {garbage, truncated, corrupt, huge, std::vector<Byte>{}}) {
        EXPECT_THROW(LoadBytes(*loaded, bad), EInvalidGraphic);
        EXPECT_EQ(loaded->Width(), 16);
    }
}

TEST(JpegImage, DrawsOnACanvas)
{
    auto original = Gradient(8, 8);
    auto jpeg = CreateOwned<TJPEGImage>();
    jpeg->SetCompressionQuality(100);
    jpeg->Assign(original.get());
    auto back = CreateOwned<TJPEGImage>();
    LoadBytes(*back, Bytes(*jpeg));
    auto target = MakeBitmap(20, 20);
    target->Canvas()->Draw(5, 5, back.get());
    EXPECT_EQ(target->Canvas()->Pixels(4, 4), clWhite);
    EXPECT_EQ(target->Canvas()->Pixels(13, 13), clWhite);
    EXPECT_NE(target->Canvas()->Pixels(5, 5), clWhite);
}

TEST(Picture, FormDataRoundTripsAndRejectsBadData)
{
    auto original = Gradient(12, 6);
    auto picture = CreateOwned<TPicture>();
    auto jpeg = CreateOwned<TJPEGImage>();
    jpeg->Assign(original.get());
    picture->SetGraphic(jpeg.get());
    EXPECT_EQ(picture->Width(), 12);

    TMemoryStream data;
    picture->WriteData(data);
    const Byte* p = static_cast<const Byte*>(data.Memory());
    EXPECT_EQ(p[0], 10);
    EXPECT_EQ(String(reinterpret_cast<const char*>(p + 1), 10), "TJPEGImage");
    const Cardinal size = p[11] | (p[12] << 8) | (p[13] << 16) | (Cardinal(p[14]) << 24);
    EXPECT_EQ(Int64(size) + 15, data.Size());

    data.SetPosition(0);
    auto copy = CreateOwned<TPicture>();
    copy->ReadData(data);
    ASSERT_NE(dynamic_cast<TJPEGImage*>(copy->Graphic()), nullptr);
    EXPECT_EQ(copy->Height(), 6);

    // A size past the end, and an unknown class.
    TMemoryStream bad;
    bad.WriteBuffer(p, 15);
    bad.SetPosition(0);
    EXPECT_THROW(copy->ReadData(bad), EInvalidGraphic);
    TMemoryStream unknown;
    const char record[] = "\x06TThing\x00\x00\x00\x00";
    unknown.WriteBuffer(record, 11);
    unknown.SetPosition(0);
    EXPECT_THROW(copy->ReadData(unknown), EInvalidGraphic);
    EXPECT_EQ(copy->Width(), 12);
}

TEST(Picture, DeclaresItsDataForForms)
{
    auto picture = CreateOwned<TPicture>();
    TCaptureFiler empty;
    picture->DefineProperties(empty);
    EXPECT_EQ(empty.Name, "Data");
    EXPECT_FALSE(empty.HasData);

    auto bitmap = Gradient(3, 2);
    picture->SetGraphic(bitmap.get());
    TCaptureFiler filer;
    picture->DefineProperties(filer);
    ASSERT_TRUE(filer.HasData);
    TMemoryStream data;
    filer.WriteProc(data);
    data.SetPosition(0);
    auto copy = CreateOwned<TPicture>();
    TCaptureFiler reader;
    copy->DefineProperties(reader);
    reader.ReadProc(data);
    ASSERT_NE(dynamic_cast<TBitmap*>(copy->Graphic()), nullptr);
    EXPECT_EQ(copy->Bitmap()->Canvas()->Pixels(2, 1), bitmap->Canvas()->Pixels(2, 1));
}

TEST(Picture, FilesByExtension)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const String bmpName = (dir / "picture_test.BMP").string();
    const String jpgName = (dir / "picture_test.jpg").string();
    auto original = Gradient(6, 5);
    original->SaveToFile(bmpName);
    auto picture = CreateOwned<TPicture>();
    picture->LoadFromFile(bmpName);
    EXPECT_NE(dynamic_cast<TBitmap*>(picture->Graphic()), nullptr);
    auto jpeg = CreateOwned<TJPEGImage>();
    jpeg->Assign(original.get());
    jpeg->SaveToFile(jpgName);
    picture->LoadFromFile(jpgName);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(picture->Graphic()), nullptr);
    EXPECT_EQ(picture->Width(), 6);
    EXPECT_THROW(picture->LoadFromFile((dir / "picture_test.xyz").string()), EInvalidGraphic);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(picture->Graphic()), nullptr);
    // The bitmap view replaces another graphic by an empty bitmap.
    EXPECT_TRUE(picture->Bitmap()->Empty());
    std::filesystem::remove(bmpName);
    std::filesystem::remove(jpgName);
}
