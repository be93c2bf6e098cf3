#include "platform/Metafile.h"

#include <QFile>
#include <QImage>
#include <QTemporaryFile>
#include <cstring>
#include <vector>

extern "C" {
#include <uemf.h>
}

#include "QtGraphics.h"
#include "platform/Classes.h"
#include "platform/Consts.h"
#include "platform/Math.h"
#include "platform/SysUtils.h"

namespace {

// Reference device: 96 pixels per inch; the frame is in 0.01 mm.
constexpr int32_t kHundredthsPerInch = 2540;
constexpr int32_t kPixelsPerInch = 96;

// "creator\0description\0\0" in UTF-16LE, as the header's description.
std::vector<uint16_t> HeaderText(const String& CreatedBy, const String& Description)
{
    std::vector<uint16_t> text;
    for (const String& part : {CreatedBy, Description}) {
        const std::u16string utf16 = QString::fromStdString(part).toStdU16String();
        text.insert(text.end(), utf16.begin(), utf16.end());
        text.push_back(0);
    }
    text.push_back(0);
    return text;
}

// The picture's rows bottom-up, 24 bits per pixel, each row padded to 4 bytes.
std::vector<char> DibPixels(const QImage& Image)
{
    const QImage rgb = Image.convertToFormat(QImage::Format_RGB888);
    const size_t stride = (size_t(rgb.width()) * 3 + 3) & ~size_t(3);
    std::vector<char> pixels(stride * size_t(rgb.height()), 0);
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* row = rgb.constScanLine(rgb.height() - 1 - y);
        char* out = pixels.data() + stride * size_t(y);
        for (int x = 0; x < rgb.width(); ++x) {
            out[3 * x] = char(row[3 * x + 2]);  // blue, green, red
            out[3 * x + 1] = char(row[3 * x + 1]);
            out[3 * x + 2] = char(row[3 * x]);
        }
    }
    return pixels;
}

// Appends Record to the file being built; false when it could not be made.
bool Append(char* Record, EMFTRACK* Track)
{
    return Record && emf_append(reinterpret_cast<PU_ENHMETARECORD>(Record), Track, U_REC_FREE) == 0;
}

// Writes the enhanced metafile of Image to FileName; false on failure.
bool WriteEmf(const QString& FileName, const QImage& Image, const String& CreatedBy, const String& Description)
{
    EMFTRACK* track = nullptr;
    EMFHANDLES* handles = nullptr;
    const QByteArray name = QFile::encodeName(FileName);
    if (emf_start(name.constData(), 1 << 20, 1 << 18, &track) != 0) return false;
    if (emf_htable_create(16, 16, &handles) != 0) {
        emf_free(&track);
        return false;
    }
    const int32_t w = Image.width();
    const int32_t h = Image.height();
    const U_RECTL bounds = rectl_set(point32_set(0, 0), point32_set(w - 1, h - 1));
    const U_RECTL frame = rectl_set(point32_set(0, 0), point32_set(w * kHundredthsPerInch / kPixelsPerInch,
                                                                  h * kHundredthsPerInch / kPixelsPerInch));
    std::vector<uint16_t> text = HeaderText(CreatedBy, Description);
    std::vector<char> pixels = DibPixels(Image);
    const U_BITMAPINFOHEADER header =
        bitmapinfoheader_set(w, h, 1, 24, U_BI_RGB, uint32_t(pixels.size()), 3780, 3780, 0, 0);
    PU_BITMAPINFO info = bitmapinfo_set(header, nullptr);
    bool written = Append(U_EMRHEADER_set(bounds, frame, nullptr, U_CBSTR(text.size()), text.data(),
                                          sizel_set(w, h), sizel_set(w * 254 / 960, h * 254 / 960), 0),
                          track) &&
                   Append(U_EMRSTRETCHDIBITS_set(bounds, point32_set(0, 0), point32_set(w, h), point32_set(0, 0),
                                                 point32_set(w, h), U_DIB_RGB_COLORS, U_SRCCOPY, info,
                                                 uint32_t(pixels.size()), pixels.data()),
                          track) &&
                   Append(U_EMREOF_set(0, nullptr, track), track);
    std::free(info);
    written = emf_finish(track, handles) == 0 && written;
    emf_free(&track);
    emf_htable_free(&handles);
    return written;
}

}  // namespace

// ---------------------------------------------------------------------------
// TMetafile
// ---------------------------------------------------------------------------

TClass TMetafile::StaticClassInfo()
{
    static const TClassInfo info("TMetafile", TGraphic::StaticClassInfo());
    return &info;
}

TMetafile::TMetafile() : FPicture(CreateOwned<TBitmap>()) {}
TMetafile::~TMetafile() = default;

void TMetafile::Assign(TPersistent* Source)
{
    if (auto* metafile = dynamic_cast<TMetafile*>(Source)) {
        if (metafile == this) return;
        FPicture->Assign(metafile->FPicture.get());
        FCreatedBy = metafile->FCreatedBy;
        FDescription = metafile->FDescription;
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TMetafile::AssignTo(TPersistent* Dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
        bitmap->Assign(FPicture.get());
        return;
    }
    TGraphic::AssignTo(Dest);
}

bool TMetafile::Empty() const { return FPicture->Empty(); }
Integer TMetafile::Width() const { return FPicture->Width(); }
Integer TMetafile::Height() const { return FPicture->Height(); }
void TMetafile::SetWidth(Integer Value) { SetSize(Value, Height()); }
void TMetafile::SetHeight(Integer Value) { SetSize(Width(), Value); }

void TMetafile::SetSize(Integer AWidth, Integer AHeight)
{
    FPicture = CreateOwned<TBitmap>();
    FPicture->SetSize(AWidth, AHeight);
    Changed();
}

void TMetafile::LoadFromStream(TStream&) { throw EInvalidGraphic(SMetafileRead); }

void TMetafile::SaveToStream(TStream& Stream)
{
    if (Empty()) throw EInvalidGraphic(SMetafileEmpty);
    QTemporaryFile file;
    if (!file.open()) throw EInvalidGraphic(SMetafileWrite);
    file.close();
    if (!WriteEmf(file.fileName(), BitmapImage(*FPicture), FCreatedBy, FDescription) || !file.open())
        throw EInvalidGraphic(SMetafileWrite);
    const QByteArray bytes = file.readAll();
    Stream.WriteBuffer(bytes.constData(), bytes.size());
}

void TMetafile::Draw(TCanvas* ACanvas, const TRect& R)
{
    if (!Empty()) FPicture->Draw(ACanvas, R);
}

// ---------------------------------------------------------------------------
// TMetafileCanvas
// ---------------------------------------------------------------------------

struct TMetafileCanvas::TRecording {
    QImage Image;
};

TMetafileCanvas::TMetafileCanvas(TMetafile* Metafile, const String& CreatedBy, const String& Description)
    : FMetafile(Metafile), FRecording(std::make_unique<TRecording>())
{
    FMetafile->FCreatedBy = CreatedBy;
    FMetafile->FDescription = Description;
    const Integer w = Max(FMetafile->Width(), 0);
    const Integer h = Max(FMetafile->Height(), 0);
    FRecording->Image = QImage(w, h, QImage::Format_RGB32);
    FRecording->Image.fill(Qt::white);
    if (!FRecording->Image.isNull()) BindCanvas(*this, FRecording->Image, FRecording->Image.rect());
}

TMetafileCanvas::~TMetafileCanvas()
{
    UnbindCanvas(*this);
    if (!FRecording->Image.isNull()) SetBitmapImage(*FMetafile->FPicture, FRecording->Image);
}
