#include "platform/PngImage.h"

#include <QBuffer>
#include <QImageWriter>

#include "QtGraphics.h"
#include "platform/Classes.h"
#include "platform/Consts.h"
#include "platform/SysUtils.h"

namespace {

// Qt's PNG writer takes a quality of 0..100 and turns it into the deflate
// level (100 - quality) * 9 / 91; this is the smallest quality per level.
int QualityOfLevel(Integer Level) { return 100 - (Level * 91 + 8) / 9; }

}  // namespace

TClass TPngImage::StaticClassInfo()
{
    static const TClassInfo info("TPngImage", TGraphic::StaticClassInfo());
    return &info;
}

TPngImage::TPngImage() : FBitmap(CreateOwned<TBitmap>()) {}
TPngImage::~TPngImage() = default;

void TPngImage::Assign(TPersistent* Source)
{
    if (auto* png = dynamic_cast<TPngImage*>(Source)) {
        if (png == this) return;
        FCompressionLevel = png->FCompressionLevel;
        FBitmap->Assign(png->FBitmap.get());
        Changed();
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
        FBitmap->Assign(bitmap);
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TPngImage::AssignTo(TPersistent* Dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
        bitmap->Assign(FBitmap.get());
        return;
    }
    TGraphic::AssignTo(Dest);
}

bool TPngImage::Empty() const { return FBitmap->Empty(); }
Integer TPngImage::Width() const { return FBitmap->Width(); }
Integer TPngImage::Height() const { return FBitmap->Height(); }
void TPngImage::SetWidth(Integer Value) { FBitmap->SetWidth(Value); }
void TPngImage::SetHeight(Integer Value) { FBitmap->SetHeight(Value); }

void TPngImage::SetCompressionLevel(Integer Value)
{
    if (Value < 0 || Value > 9) throw ERangeError(SPngLevel);
    FCompressionLevel = Value;
}

void TPngImage::LoadFromStream(TStream& Stream)
{
    const Int64 count = Stream.Size() - Stream.Position();
    if (count <= 0 || count > kMaxImageBytes) throw EInvalidGraphic(SInvalidPng);
    QByteArray data(static_cast<qsizetype>(count), Qt::Uninitialized);
    Stream.ReadBuffer(data.data(), count);
    QImage image;
    if (!image.loadFromData(data, "PNG") || image.isNull() || !ImageSizeAllowed(image.width(), image.height()))
        throw EInvalidGraphic(SInvalidPng);
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    SetBitmapImage(*bitmap, image.convertToFormat(QImage::Format_RGB32));
    FBitmap = std::move(bitmap);
    Changed();
}

void TPngImage::SaveToStream(TStream& Stream)
{
    if (FBitmap->Empty()) throw EInvalidGraphic(SPngEmpty);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "PNG");
    writer.setQuality(QualityOfLevel(FCompressionLevel));
    // 24-bit colour, as the bitmap holds no alpha.
    if (!writer.write(BitmapImage(*FBitmap).convertToFormat(QImage::Format_RGB888)))
        throw EInvalidGraphic(SInvalidPng);
    Stream.WriteBuffer(bytes.constData(), bytes.size());
}

void TPngImage::Draw(TCanvas* ACanvas, const TRect& R) { FBitmap->Draw(ACanvas, R); }
