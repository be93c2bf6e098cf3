// The image exports of a control: files and bytes decode to what kPaintTo
// draws, bad compressions and empty controls fail before anything is drawn
// or written, and the byte exports never leave the lock held.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "components/foundation/kImageExport.h"
#include "platform/Jpeg.h"
#include "platform/Metafile.h"
#include "platform/PngImage.h"
#include "platform/SysUtils.h"
#include "platform/Variants.h"
#include "support/EmfFile.h"
#include "support/ImageCompare.h"
#include "support/LockingWorker.h"
#include "support/MessageOf.h"
#include "support/Painted.h"
#include "support/TempFolder.h"

namespace {

class ImageExportTest : public ::testing::Test {
protected:
    void SetUp() override { Control.reset(Create<TPatternControl>(nullptr)); }

    // The graphic of class G read back from a file or from bytes.
    template <class G>
    TOwned<TBitmap> Decoded(const String& FileName)
    {
        TOwned<G> image = CreateOwned<G>();
        image->LoadFromFile(FileName);
        TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
        bitmap->Assign(image.get());
        return bitmap;
    }
    template <class G>
    TOwned<TBitmap> Decoded(Variant& Bytes)
    {
        const Integer count = VarArrayHighBound(Bytes, 1) + 1;
        TMemoryStream stream;
        stream.WriteBuffer(VarArrayLock(Bytes), count);
        VarArrayUnlock(Bytes);
        stream.SetPosition(0);
        TOwned<G> image = CreateOwned<G>();
        image->LoadFromStream(stream);
        TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
        bitmap->Assign(image.get());
        return bitmap;
    }
    // Lossless exports give kPaintTo's pixels; JPEG only comes near them.
    void ExpectPainted(TBitmap& Image, Integer Tolerance)
    {
        TOwned<TBitmap> direct = PaintedAlone(Control.get());
        EXPECT_LE(MaxChannelDifference(*direct, Image), Tolerance);
        EXPECT_GE(MaxChannelDifference(*direct, Image), 0);
    }

    TOwned<TPatternControl> Control;
    TTempFolder Folder;
};

}  // namespace

TEST_F(ImageExportTest, FilesAndBytesDecodeToThePaintedImage)
{
    Control->SaveImageToBitmap(Folder / "c.bmp");
    Control->SaveImageToPNG(Folder / "c.png", 9);
    Control->SaveImageToPNG(Folder / "stored.png", 0);
    Control->SaveImageToJPEG(Folder / "c.jpg", 100, true);
    Control->SaveImageToMetaFile(Folder / "c.emf");
    const std::vector<uint32_t> records = EmfRecordTypes(Folder / "c.emf");
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back(), Emr::Eof);
    EXPECT_EQ(CountOf(records, Emr::Rectangle), 3u);  // the three fills
    TOwned<TMetafile> metafile = CreateOwned<TMetafile>();
    kRecordMetafile(*Control, *metafile, "Kelvane", "test");
    TOwned<TBitmap> replayed = CreateOwned<TBitmap>();
    replayed->SetSize(40, 24);
    replayed->Canvas()->Draw(0, 0, metafile.get());
    ExpectPainted(*replayed, 0);
    ExpectPainted(*Decoded<TBitmap>(Folder / "c.bmp"), 0);
    ExpectPainted(*Decoded<TPngImage>(Folder / "c.png"), 0);
    ExpectPainted(*Decoded<TPngImage>(Folder / "stored.png"), 0);
    ExpectPainted(*Decoded<TJPEGImage>(Folder / "c.jpg"), 60);
    // Stored is bigger than deflated.
    EXPECT_GT(std::filesystem::file_size(Folder / "stored.png"), std::filesystem::file_size(Folder / "c.png"));

    Variant png = Control->GetBytesPNG(6);
    EXPECT_EQ(VarArrayLowBound(png, 1), 0);
    const Byte* signature = VarArrayLock(png);
    EXPECT_EQ(String(reinterpret_cast<const char*>(signature) + 1, 3), "PNG");
    VarArrayUnlock(png);
    ExpectPainted(*Decoded<TPngImage>(png), 0);
    // The bytes are the file's.
    Variant level9 = Control->GetBytesPNG(9);
    TMemoryStream file;
    file.LoadFromFile(Folder / "c.png");
    ASSERT_EQ(VarArrayHighBound(level9, 1) + 1, file.Size());
    EXPECT_EQ(std::memcmp(VarArrayLock(level9), file.Memory(), size_t(file.Size())), 0);
    VarArrayUnlock(level9);
    Variant jpeg = Control->GetBytesJPEG(90, false);
    ExpectPainted(*Decoded<TJPEGImage>(jpeg), 80);

    TOwned<TJPEGImage> object(Control->GetJPEGImage(100, false));
    EXPECT_EQ(object->CompressionQuality(), 100);
    TOwned<TBitmap> fromObject = CreateOwned<TBitmap>();
    fromObject->Assign(object.get());
    ExpectPainted(*fromObject, 60);
}

TEST_F(ImageExportTest, CompressionOutOfRangeRaisesBeforeDrawingAndKeepsTheLockFree)
{
    Control->Fail = true;  // a drawing would raise another message
    const String jpegRange = "Compression must be in the range of 1-100";
    const String pngRange = "Compression must be in the range of 0-9";
    EXPECT_EQ(MessageOf([&] { Control->SaveImageToJPEG(Folder / "a.jpg", 0, false); }), jpegRange);
    EXPECT_EQ(MessageOf([&] { Control->SaveImageToJPEG(Folder / "a.jpg", 101, false); }), jpegRange);
    EXPECT_EQ(MessageOf([&] { Control->GetJPEGImage(-5, false); }), jpegRange);
    EXPECT_EQ(MessageOf([&] { Control->GetBytesJPEG(0, false); }), jpegRange);
    EXPECT_EQ(MessageOf([&] { Control->SaveImageToPNG(Folder / "a.png", 10); }), pngRange);
    EXPECT_EQ(MessageOf([&] { Control->GetBytesPNG(-1); }), pngRange);
    // A drawing that raises inside the lock lets go of it too.
    EXPECT_EQ(MessageOf([&] { Control->GetBytesPNG(1); }), "paint failed");
    EXPECT_EQ(MessageOf([&] { Control->GetBytesJPEG(1, true); }), "paint failed");
    TLockingWorker worker(Control.get());
    worker.Join();
    EXPECT_TRUE(worker.Acquired);
    EXPECT_TRUE(std::filesystem::is_empty(Folder.Path()));
}

TEST_F(ImageExportTest, AnEmptyControlRaisesAndWritesNothing)
{
    Control->SetBounds(0, 0, 0, 0);
    for (const auto& save : std::initializer_list<std::function<void()>>{
             [&] { Control->SaveImageToBitmap(Folder / "e.bmp"); },
             [&] { Control->SaveImageToMetaFile(Folder / "e.emf"); },
             [&] { Control->SaveImageToPNG(Folder / "e.png", 9); },
             [&] { Control->SaveImageToJPEG(Folder / "e.jpg", 100, false); },
             [&] { Control->GetBytesPNG(9); },
             [&] { Control->GetBytesJPEG(50, false); },
             [&] { Control->GetJPEGImage(50, false); },
         })
        EXPECT_EQ(MessageOf(save), SImageHasNoSize);
    Control->SetBounds(0, 0, 30, 0);
    EXPECT_EQ(MessageOf([&] { Control->SaveImageToPNG(Folder / "e.png", 9); }), SImageHasNoSize);
    EXPECT_TRUE(std::filesystem::is_empty(Folder.Path()));
}

TEST(PngImage, BadDataAndBadLevelsAreRefused)
{
    TOwned<TPngImage> png = CreateOwned<TPngImage>();
    EXPECT_THROW(png->SetCompressionLevel(10), ERangeError);
    EXPECT_THROW(png->SetCompressionLevel(-1), ERangeError);
    TMemoryStream stream;
    EXPECT_THROW(png->SaveToStream(stream), EInvalidGraphic);  // empty
    EXPECT_EQ(stream.Size(), 0);
    const char junk[] = "\x89PNG\r\n\x1a\n this is no image";
    stream.WriteBuffer(junk, sizeof junk);
    stream.SetPosition(0);
    EXPECT_THROW(png->LoadFromStream(stream), EInvalidGraphic);
    EXPECT_TRUE(png->Empty());
}
