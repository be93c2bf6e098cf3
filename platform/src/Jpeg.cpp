// TJPEGImage over libjpeg (version-62 interface). The library reports
// errors by longjmp, so each codec run happens in a function that holds
// only plain data; its caller turns a failure into EInvalidGraphic.

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "platform/Consts.h"
#include "QtGraphics.h"
#include "platform/Jpeg.h"

namespace {

// ---------------------------------------------------------------------------
// Plain-data codec runs (no object with a destructor may live here)
// ---------------------------------------------------------------------------

struct TJpegError {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<TJpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->Message);
    std::longjmp(err->Jump, 1);
}

void OnJpegMessage(j_common_ptr) {}

void InitError(TJpegError& err, jpeg_error_mgr*& slot)
{
    slot = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = OnJpegError;
    err.Pub.output_message = OnJpegMessage;
    err.Message[0] = 0;
}

struct TEncodeJob {
    const Byte* Pixels;  // RGB32 rows
    Integer Width, Height, Stride;
    Integer Quality;
    bool Progressive, Fast, Gray;
    Byte* Row;  // Width * 3 bytes, owned by the caller
    Byte* Out;  // malloc'd; the caller frees it in every case
    std::size_t OutSize, OutCapacity;
    TJpegError Error;
};

struct TMemoryDest {
    jpeg_destination_mgr Pub;
    TEncodeJob* Job;
};

void DestInit(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<TMemoryDest*>(cinfo->dest);
    TEncodeJob* job = dest->Job;
    job->OutCapacity = 65536;
    job->Out = static_cast<Byte*>(std::malloc(job->OutCapacity));
    if (!job->Out) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    dest->Pub.next_output_byte = job->Out;
    dest->Pub.free_in_buffer = job->OutCapacity;
}

boolean DestEmpty(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<TMemoryDest*>(cinfo->dest);
    TEncodeJob* job = dest->Job;
    const std::size_t used = job->OutCapacity;
    Byte* grown = static_cast<Byte*>(std::realloc(job->Out, used * 2));
    if (!grown) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    job->Out = grown;
    job->OutCapacity = used * 2;
    dest->Pub.next_output_byte = grown + used;
    dest->Pub.free_in_buffer = used;
    return TRUE;
}

void DestTerm(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<TMemoryDest*>(cinfo->dest);
    dest->Job->OutSize = dest->Job->OutCapacity - dest->Pub.free_in_buffer;
}

bool EncodePlain(TEncodeJob* job)
{
    jpeg_compress_struct cinfo;
    TMemoryDest dest;
    InitError(job->Error, cinfo.err);
    if (setjmp(job->Error.Jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    dest.Pub.init_destination = DestInit;
    dest.Pub.empty_output_buffer = DestEmpty;
    dest.Pub.term_destination = DestTerm;
    dest.Job = job;
    cinfo.dest = &dest.Pub;
    cinfo.image_width = static_cast<JDIMENSION>(job->Width);
    cinfo.image_height = static_cast<JDIMENSION>(job->Height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (job->Gray) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    jpeg_set_quality(&cinfo, job->Quality, TRUE);
    // High qualities keep the colour at full resolution.
    if (job->Quality >= 90) cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
    cinfo.dct_method = job->Fast ? JDCT_IFAST : JDCT_ISLOW;
    if (job->Progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const Byte* src = job->Pixels + std::size_t(cinfo.next_scanline) * job->Stride;
        for (Integer x = 0; x < job->Width; ++x) {
            // RGB32 is 0xFFRRGGBB, stored B, G, R, A.
            job->Row[3 * x] = src[4 * x + 2];
            job->Row[3 * x + 1] = src[4 * x + 1];
            job->Row[3 * x + 2] = src[4 * x];
        }
        JSAMPROW row = job->Row;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

struct TDecodeJob {
    const Byte* Data;
    std::size_t Size;
    bool Fast;
    Integer Width, Height;
    Byte* Pixels;  // malloc'd RGB32; the caller frees it in every case
    Byte* Row;     // malloc'd; the caller frees it in every case
    bool TooLarge;
    TJpegError Error;
};

void SourceInit(j_decompress_ptr) {}

// The whole file is in memory: running out of it is an error, not a
// reason to invent an end marker.
boolean SourceFill(j_decompress_ptr cinfo)
{
    ERREXIT(cinfo, JERR_INPUT_EOF);
    return FALSE;
}

void SourceSkip(j_decompress_ptr cinfo, long count)
{
    if (count <= 0) return;
    jpeg_source_mgr* src = cinfo->src;
    if (static_cast<std::size_t>(count) > src->bytes_in_buffer) ERREXIT(cinfo, JERR_INPUT_EOF);
    src->next_input_byte += count;
    src->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void SourceTerm(j_decompress_ptr) {}

void StoreRow(const jpeg_decompress_struct& cinfo, const Byte* in, Byte* out, Integer width)
{
    const bool adobe = cinfo.saw_Adobe_marker;
    for (Integer x = 0; x < width; ++x) {
        Byte r, g, b;
        switch (cinfo.output_components) {
            case 1: r = g = b = in[x]; break;
            case 4: {
                // Adobe writes CMYK inverted.
                const Integer k = adobe ? in[4 * x + 3] : 255 - in[4 * x + 3];
                const auto channel = [&](Integer v) { return static_cast<Byte>((adobe ? v : 255 - v) * k / 255); };
                r = channel(in[4 * x]);
                g = channel(in[4 * x + 1]);
                b = channel(in[4 * x + 2]);
                break;
            }
            default: r = in[3 * x], g = in[3 * x + 1], b = in[3 * x + 2];
        }
        out[4 * x] = b;
        out[4 * x + 1] = g;
        out[4 * x + 2] = r;
        out[4 * x + 3] = 0xFF;
    }
}

bool DecodePlain(TDecodeJob* job)
{
    jpeg_decompress_struct cinfo;
    jpeg_source_mgr src;
    InitError(job->Error, cinfo.err);
    if (setjmp(job->Error.Jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    src.init_source = SourceInit;
    src.fill_input_buffer = SourceFill;
    src.skip_input_data = SourceSkip;
    src.resync_to_restart = jpeg_resync_to_restart;
    src.term_source = SourceTerm;
    src.next_input_byte = job->Data;
    src.bytes_in_buffer = job->Size;
    cinfo.src = &src;
    jpeg_read_header(&cinfo, TRUE);
    job->Width = static_cast<Integer>(cinfo.image_width);
    job->Height = static_cast<Integer>(cinfo.image_height);
    if (!ImageSizeAllowed(job->Width, job->Height) || job->Width == 0 || job->Height == 0) {
        job->TooLarge = true;
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    const bool gray = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    cinfo.out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : JCS_RGB;
    cinfo.dct_method = job->Fast ? JDCT_IFAST : JDCT_ISLOW;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = std::size_t(job->Width) * 4;
    job->Pixels = static_cast<Byte*>(std::malloc(stride * std::size_t(job->Height)));
    job->Row = static_cast<Byte*>(std::malloc(std::size_t(job->Width) * std::size_t(cinfo.output_components)));
    if (!job->Pixels || !job->Row) ERREXIT(&cinfo, JERR_OUT_OF_MEMORY);
    while (cinfo.output_scanline < cinfo.output_height) {
        const std::size_t y = cinfo.output_scanline;
        JSAMPROW row = job->Row;
        jpeg_read_scanlines(&cinfo, &row, 1);
        StoreRow(cinfo, job->Row, job->Pixels + y * stride, job->Width);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

// ---------------------------------------------------------------------------
// C++ side
// ---------------------------------------------------------------------------

[[noreturn]] void RaiseJpeg(const char* detail)
{
    String message = SInvalidJpeg;
    if (detail && *detail) message += String(" (") + detail + ")";
    throw EInvalidGraphic(message);
}

std::vector<Byte> EncodeJpeg(const QImage& image, Integer quality, bool progressive, bool fast, bool gray)
{
    std::vector<Byte> row(std::size_t(image.width()) * 3);
    TEncodeJob job{};
    job.Pixels = image.constBits();
    job.Width = image.width();
    job.Height = image.height();
    job.Stride = static_cast<Integer>(image.bytesPerLine());
    job.Quality = quality;
    job.Progressive = progressive;
    job.Fast = fast;
    job.Gray = gray;
    job.Row = row.data();
    const bool ok = EncodePlain(&job);
    std::vector<Byte> out;
    if (ok) out.assign(job.Out, job.Out + job.OutSize);
    std::free(job.Out);
    if (!ok) RaiseJpeg(job.Error.Message);
    return out;
}

QImage DecodeJpeg(const std::vector<Byte>& data, bool fast)
{
    TDecodeJob job{};
    job.Data = data.data();
    job.Size = data.size();
    job.Fast = fast;
    const bool ok = DecodePlain(&job);
    QImage image;
    if (ok) {
        image = QImage(job.Width, job.Height, QImage::Format_RGB32);
        for (Integer y = 0; ok && y < job.Height && !image.isNull(); ++y)
            std::memcpy(image.scanLine(y), job.Pixels + std::size_t(y) * job.Width * 4, std::size_t(job.Width) * 4);
    }
    std::free(job.Pixels);
    std::free(job.Row);
    if (job.TooLarge) throw EInvalidGraphic(SImageTooLarge);
    if (!ok) RaiseJpeg(job.Error.Message);
    if (image.isNull()) throw EOutOfResources(SImageTooLarge);
    return image;
}

}  // namespace

// ---------------------------------------------------------------------------
// TJPEGImage
// ---------------------------------------------------------------------------

TClass TJPEGImage::StaticClassInfo()
{
    static const TClassInfo info("TJPEGImage", TGraphic::StaticClassInfo());
    return &info;
}

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Assign(TPersistent* Source)
{
    if (!Source) {
        FData.reset();
        FBitmap.reset();
        Changed();
        return;
    }
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(Source)) {
        if (jpeg == this) return;
        FQuality = jpeg->FQuality;
        FPerformance = jpeg->FPerformance;
        FProgressive = jpeg->FProgressive;
        FPixelFormat = jpeg->FPixelFormat;
        FData = jpeg->FData;
        FBitmap.reset();
        if (jpeg->FBitmap) {
            FBitmap = CreateOwned<TBitmap>();
            FBitmap->Assign(jpeg->FBitmap.get());
        }
        Changed();
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
        FData.reset();
        FBitmap = CreateOwned<TBitmap>();
        FBitmap->Assign(bitmap);
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
        DIBNeeded();
        if (FBitmap) bitmap->Assign(FBitmap.get());
        else bitmap->Assign(nullptr);
        return;
    }
    TGraphic::AssignTo(Dest);
}

bool TJPEGImage::Empty() const { return (!FData || FData->empty()) && (!FBitmap || FBitmap->Empty()); }

Integer TJPEGImage::Width() const
{
    const_cast<TJPEGImage*>(this)->DIBNeeded();
    return FBitmap ? FBitmap->Width() : 0;
}

Integer TJPEGImage::Height() const
{
    const_cast<TJPEGImage*>(this)->DIBNeeded();
    return FBitmap ? FBitmap->Height() : 0;
}

void TJPEGImage::SetWidth(Integer) { throw EInvalidGraphic(SJpegResize); }
void TJPEGImage::SetHeight(Integer) { throw EInvalidGraphic(SJpegResize); }

void TJPEGImage::SetCompressionQuality(Integer Value)
{
    if (Value < 1 || Value > 100) throw ERangeError(SJpegQuality);
    FQuality = Value;
}

void TJPEGImage::Compress()
{
    if (FData && !FData->empty()) return;
    if (!FBitmap || FBitmap->Empty()) throw EInvalidGraphic(SJpegEmpty);
    FData = std::make_shared<const std::vector<Byte>>(EncodeJpeg(BitmapImage(*FBitmap), FQuality, FProgressive,
                                                                 FPerformance == jpBestSpeed, FPixelFormat == jf8Bit));
}

void TJPEGImage::DIBNeeded()
{
    if (FBitmap || !FData || FData->empty()) return;
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    SetBitmapImage(*bitmap, DecodeJpeg(*FData, FPerformance == jpBestSpeed));
    FBitmap = std::move(bitmap);
}

void TJPEGImage::SetData(std::shared_ptr<const std::vector<Byte>> Data)
{
    FData = std::move(Data);
    FBitmap.reset();
    DIBNeeded();
}

void TJPEGImage::LoadFromStream(TStream& Stream)
{
    const Int64 count = Stream.Size() - Stream.Position();
    if (count <= 0 || count > kMaxImageBytes) throw EInvalidGraphic(SInvalidJpeg);
    std::vector<Byte> data(static_cast<std::size_t>(count));
    Stream.ReadBuffer(data.data(), count);
    // Decoded at once, so bad data fails here and keeps the old image.
    TJPEGImage loaded;
    loaded.SetData(std::make_shared<const std::vector<Byte>>(std::move(data)));
    FData = loaded.FData;
    FBitmap = std::move(loaded.FBitmap);
    Changed();
}

void TJPEGImage::SaveToStream(TStream& Stream)
{
    Compress();
    Stream.WriteBuffer(FData->data(), static_cast<Int64>(FData->size()));
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& R)
{
    DIBNeeded();
    if (FBitmap) FBitmap->Draw(ACanvas, R);
}
