#include "components/foundation/kImageExport.h"

#include <cstring>

#include "components/foundation/kVCLComponent.h"
#include "platform/Jpeg.h"
#include "platform/Metafile.h"
#include "platform/PngImage.h"
#include "platform/SysUtils.h"
#include "platform/Variants.h"

namespace {

void RequireSize(const TkComponent& Control)
{
    if (Control.Width() <= 0 || Control.Height() <= 0) throw Exception(SImageHasNoSize);
}

}  // namespace

TOwned<TBitmap> kRenderImage(TkComponent& Control)
{
    RequireSize(Control);
    TOwned<TBitmap> bitmap(Control.CreateOffScreenBitmap());
    Control.kPaintTo(bitmap->Canvas());
    return bitmap;
}

void kRecordMetafile(TkComponent& Control, TMetafile& Metafile, const String& CreatedBy, const String& Description)
{
    RequireSize(Control);
    Metafile.SetSize(Control.Width(), Control.Height());
    TMetafileCanvas canvas(&Metafile, CreatedBy, Description);
    Control.kPaintTo(&canvas);
}

void kCheckCompression(Integer Compression, Integer Low, Integer High)
{
    if (Compression < Low || Compression > High)
        throw Exception(Format("Compression must be in the range of %d-%d", Low, High));
}

namespace {

TOwned<TJPEGImage> CompressedJpeg(TBitmap& Bitmap, Integer Compression, bool Progressive,
                                  TJPEGPerformance Performance)
{
    TOwned<TJPEGImage> jpeg = CreateOwned<TJPEGImage>();
    jpeg->SetCompressionQuality(Compression);
    jpeg->SetPerformance(Performance);
    jpeg->SetPixelFormat(jf24Bit);
    jpeg->SetProgressiveEncoding(Progressive);
    jpeg->Assign(&Bitmap);
    jpeg->Compress();
    return jpeg;
}

TOwned<TPngImage> PngOf(TBitmap& Bitmap, Integer Compression)
{
    TOwned<TPngImage> png = CreateOwned<TPngImage>();
    png->SetCompressionLevel(Compression);
    png->Assign(&Bitmap);
    return png;
}

Variant BytesOf(TGraphic& Image)
{
    TMemoryStream stream;
    Image.SaveToStream(stream);
    const auto size = static_cast<Integer>(stream.Size());
    Variant bytes = VarArrayCreate({0, size - 1}, varByte);
    std::memcpy(VarArrayLock(bytes), stream.Memory(), static_cast<size_t>(size));
    VarArrayUnlock(bytes);
    return bytes;
}

}  // namespace

void TkVCLComponent::SaveImageToMetaFile(const String& FileName)
{
    TOwned<TMetafile> metafile = CreateOwned<TMetafile>();
    kRecordMetafile(*this, *metafile, "Kelvane", String());
    metafile->SaveToFile(FileName);
}

void TkVCLComponent::SaveImageToJPEG(const String& FileName, Integer Compression, bool Progressive)
{
    kCheckCompression(Compression, 1, 100);
    TOwned<TBitmap> bitmap = kRenderImage(*this);
    CompressedJpeg(*bitmap, Compression, Progressive, jpBestQuality)->SaveToFile(FileName);
}

void TkVCLComponent::SaveImageToPNG(const String& FileName, Integer Compression)
{
    kCheckCompression(Compression, 0, 9);
    TOwned<TBitmap> bitmap = kRenderImage(*this);
    PngOf(*bitmap, Compression)->SaveToFile(FileName);
}

Variant TkVCLComponent::GetBytesJPEG(Integer Compression, bool Progressive)
{
    kCheckCompression(Compression, 1, 100);
    TLockScope<TkVCLComponent> lock(*this);
    TOwned<TBitmap> bitmap = kRenderImage(*this);
    return BytesOf(*CompressedJpeg(*bitmap, Compression, Progressive, jpBestSpeed));
}

Variant TkVCLComponent::GetBytesPNG(Integer Compression)
{
    kCheckCompression(Compression, 0, 9);
    TLockScope<TkVCLComponent> lock(*this);
    TOwned<TBitmap> bitmap = kRenderImage(*this);
    return BytesOf(*PngOf(*bitmap, Compression));
}

TJPEGImage* TkVCLComponent::GetJPEGImage(Integer Compression, bool Progressive)
{
    kCheckCompression(Compression, 1, 100);
    TOwned<TBitmap> bitmap = kRenderImage(*this);
    return CompressedJpeg(*bitmap, Compression, Progressive, jpBestQuality).release();
}
