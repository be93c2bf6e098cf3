// TGraphic and TBitmap: a 32-bit image with a canvas, BMP streams and
// resources, transparency and copy-on-write assignment.

#include <vector>

#include "BmpCodec.h"
#include "CanvasImpl.h"
#include "platform/Consts.h"
#include "QtGraphics.h"
#include "platform/Resources.h"

bool ImageSizeAllowed(Int64 Width, Int64 Height)
{
    return Width >= 0 && Height >= 0 && Width <= kMaxImageSide && Height <= kMaxImageSide &&
           Width * Height * 4 <= kMaxImageBytes;
}

// ---------------------------------------------------------------------------
// TGraphic
// ---------------------------------------------------------------------------

TClass TGraphic::StaticClassInfo()
{
    static const TClassInfo info("TGraphic", TPersistent::StaticClassInfo());
    return &info;
}

void TGraphic::SetTransparent(bool Value)
{
    SetIfDifferent(FTransparent, Value, [this] { Changed(); });
}

void TGraphic::Changed()
{
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName)
{
    TFileStream stream(FileName, fmOpenRead);
    LoadFromStream(stream);
}

// An image that cannot be encoded leaves the file as it was.
void TGraphic::SaveToFile(const String& FileName)
{
    TSafeFileStream stream(FileName);
    SaveToStream(stream);
    stream.Commit();
}

// ---------------------------------------------------------------------------
// TBitmap
// ---------------------------------------------------------------------------

TClass TBitmap::StaticClassInfo()
{
    static const TClassInfo info("TBitmap", TGraphic::StaticClassInfo());
    return &info;
}

TBitmap::TBitmap() : FImage(std::make_unique<TBitmapImage>()) {}

TBitmap::~TBitmap() = default;

void TBitmap::Assign(TPersistent* Source)
{
    if (!Source) {
        FImage->Image = QImage();
        ImageReplaced();
        return;
    }
    auto* bitmap = dynamic_cast<TBitmap*>(Source);
    if (!bitmap) {
        TGraphic::Assign(Source);
        return;
    }
    if (bitmap == this) return;
    FImage->Image = bitmap->FImage->Image;  // shared until either side draws
    FPixelFormat = bitmap->FPixelFormat;
    FTransparentMode = bitmap->FTransparentMode;
    FTransparentColor = bitmap->FTransparentColor;
    SetTransparent(bitmap->Transparent());
    ImageReplaced();
}

bool TBitmap::Empty() const { return FImage->Image.isNull() || FImage->Image.width() == 0; }
Integer TBitmap::Width() const { return FImage->Image.width(); }
Integer TBitmap::Height() const { return FImage->Image.height(); }
void TBitmap::SetWidth(Integer Value) { SetSize(Value, Height()); }
void TBitmap::SetHeight(Integer Value) { SetSize(Width(), Value); }

void TBitmap::SetSize(Integer AWidth, Integer AHeight)
{
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (AWidth == Width() && AHeight == Height()) return;
    if (!ImageSizeAllowed(AWidth, AHeight)) throw EOutOfResources(SImageTooLarge);
    QImage resized;
    if (AWidth > 0 && AHeight > 0) {
        resized = QImage(AWidth, AHeight, QImage::Format_RGB32);
        if (resized.isNull()) throw EOutOfResources(SImageTooLarge);
        resized.fill(qRgb(255, 255, 255));
        const QImage& old = FImage->Image;
        const Integer w = std::min(AWidth, old.width()), h = std::min(AHeight, old.height());
        for (Integer y = 0; y < h; ++y)
            std::copy_n(reinterpret_cast<const QRgb*>(old.constScanLine(y)), w, reinterpret_cast<QRgb*>(resized.scanLine(y)));
    }
    FImage->Image = resized;
    ImageReplaced();
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = CreateOwned<TCanvas>();
        FCanvas->OnChange = [this](TObject*) { Changed(); };
        ImageReplaced();
    }
    return FCanvas.get();
}

void TBitmap::ImageReplaced()
{
    if (FCanvas) {
        TCanvasImpl& c = FCanvas->Impl();
        c.Bind(&FImage->Image, FImage->Image.rect(), QPoint());
        c.Monochrome = Monochrome();
        FCanvas->Reselect();
    }
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
    if (FPixelFormat == Value) return;
    FPixelFormat = Value;
    if (Value == pf1bit) {
        QImage& image = FImage->Image;
        for (Integer y = 0; y < image.height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (Integer x = 0; x < image.width(); ++x) row[x] = MonoRgb(row[x]);
        }
    }
    ImageReplaced();
}

void TBitmap::SetMonochrome(bool Value)
{
    if (Value) SetPixelFormat(pf1bit);
    else if (Monochrome()) SetPixelFormat(pfDevice);
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed) return FTransparentColor;
    if (Empty()) return clDefault;
    return FromQRgb(FImage->Image.pixel(0, Height() - 1));
}

void TBitmap::SetTransparentColor(TColor Value)
{
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    if (Value == FTransparentMode) return;
    FTransparentColor = Value == tmAuto ? clDefault : TransparentColor();
    FTransparentMode = Value;
    Changed();
}

namespace {

[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic(SInvalidBitmap); }

// The longest file the reader accepts: the pixel cap plus headers.
constexpr Int64 kMaxBmpFile = kMaxImageBytes + (Int64(1) << 20);

}  // namespace

void TBitmap::LoadFromStream(TStream& Stream)
{
    std::vector<Byte> file(kBmpFileHeaderSize);
    if (Stream.Read(file.data(), kBmpFileHeaderSize) != kBmpFileHeaderSize) InvalidBitmap();
    const Int64 declared = BmpDeclaredSize(file);
    const Int64 available = Stream.Size() - Stream.Position();
    // A size of 0 (some writers) means: the rest of the stream.
    const Int64 rest = declared == 0 ? available : declared - kBmpFileHeaderSize;
    if (rest < 12 || rest > available || rest > kMaxBmpFile) InvalidBitmap();
    file.resize(static_cast<std::size_t>(kBmpFileHeaderSize + rest));
    if (Stream.Read(file.data() + kBmpFileHeaderSize, rest) != rest) InvalidBitmap();
    TBmpImage bmp = DecodeBmp(file);
    FImage->Image = bmp.Image;
    FPixelFormat = bmp.Format;
    ImageReplaced();
}

void TBitmap::SaveToStream(TStream& Stream)
{
    const std::vector<Byte> bytes = EncodeBmp(FImage->Image, FPixelFormat);
    Stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TBitmap::LoadFromResourceName(const String& ResName)
{
    if (FindResourceData(ResName).empty()) throw EInvalidGraphic(SResourceNotFound + ResName);
    TResourceStream stream(ResName);
    LoadFromStream(stream);
}

void TBitmap::LoadFromResourceID(Integer ResID) { LoadFromResourceName(NumberedResourceName(ResID)); }

void TBitmap::Draw(TCanvas* ACanvas, const TRect& R) { DrawBitmapImage(*ACanvas, *this, R); }

// ---------------------------------------------------------------------------
// QtGraphics.h
// ---------------------------------------------------------------------------

const QImage& BitmapImage(const TBitmap& Bitmap) { return Bitmap.Image().Image; }

void SetBitmapImage(TBitmap& Bitmap, const QImage& Image)
{
    if (!ImageSizeAllowed(Image.width(), Image.height())) throw EOutOfResources(SImageTooLarge);
    Bitmap.Image().Image = Image.isNull() ? QImage() : Image.convertToFormat(QImage::Format_RGB32);
    Bitmap.ImageReplaced();
}
