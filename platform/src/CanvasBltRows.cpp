// Block transfers whose source pixels land one to one on the destination's,
// a row at a time: every control's paint ends with one of these (its
// offscreen picture copied whole onto its retained image), so they run at
// the speed of memory rather than through the per-pixel sampling of the
// general path, which they match pixel for pixel. A copy of a whole image
// onto one of its size shares its pixels instead.

#include <algorithm>
#include <vector>

#include "CanvasImpl.h"

namespace {

// Pixels side by side: the source and pattern never overlap the
// destination, which lets the compiler take several pixels per step.
template <class TOp>
void TransferPixels(QRgb* __restrict dst, const QRgb* __restrict src, const QRgb* __restrict pat, qsizetype count,
                    TOp op)
{
    for (qsizetype i = 0; i < count; ++i) dst[i] = op(pat[i], src[i], dst[i]) | 0xFF000000u;
}

template <class TOp>
void TransferRow(QRgb* dst, const QRgb* src, const QRgb* pat, qsizetype count, TOp op)
{
    ForPixelBlocks(count, [=](qsizetype first, qsizetype n) {
        TransferPixels(dst + first, src + first, pat + first, n, op);
    });
}

struct TRowsJob {
    uchar* Bits;  // the destination's pixels, detached
    qsizetype Stride;
    const QImage* Source;  // nullptr: the operation reads no source
    QPoint Shift;          // source pixel = destination pixel + Shift
    const TFill* Pattern;  // nullptr: the operation reads no pattern
    std::vector<QRect> Parts;
    Integer Widest;

    QRgb* Row(Integer y) const { return reinterpret_cast<QRgb*>(Bits + qsizetype(y) * Stride); }
};

// The visible parts of area that have source pixels to read.
std::vector<QRect> PartsOf(TCanvasImpl& dest, const QRect& area, const QImage* source, const QPoint& shift)
{
    std::vector<QRect> parts;
    const QRect readable = source ? source->rect().translated(-shift) : area;
    for (const QRect& clip : dest.Visible()) {
        const QRect part = clip & area & readable;
        if (!part.isEmpty()) parts.push_back(part);
    }
    return parts;
}

// Reads zeros where the operation has no source or no pattern, as the
// general path does; the operations that ignore them never read them.
template <class TOp>
void TransferParts(const TRowsJob& job, TOp op)
{
    const std::vector<QRgb> zeros(static_cast<std::size_t>(job.Widest), 0u);
    std::vector<QRgb> pattern;
    const bool hatched = job.Pattern && job.Pattern->Hatch;
    if (job.Pattern) pattern.assign(static_cast<std::size_t>(job.Widest), job.Pattern->Fore);
    const QRgb* pat = job.Pattern ? pattern.data() : zeros.data();
    const uchar* sourceBits = job.Source ? job.Source->constBits() : nullptr;
    const qsizetype sourceStride = job.Source ? job.Source->bytesPerLine() : 0;
    for (const QRect& part : job.Parts) {
        const Integer count = part.width();
        for (Integer y = part.top(); y <= part.bottom(); ++y) {
            if (hatched)
                for (Integer i = 0; i < count; ++i)
                    pattern[std::size_t(i)] = PatternAt(*job.Pattern, part.left() + i, y);
            const QRgb* src = zeros.data();
            if (sourceBits)
                src = reinterpret_cast<const QRgb*>(sourceBits + qsizetype(y + job.Shift.y()) * sourceStride) +
                      (part.left() + job.Shift.x());
            TransferRow(job.Row(y) + part.left(), src, pat, count, op);
        }
    }
}

// The raster operations in common use, spelled out so that each row loop
// is a few instructions; any other goes through the truth table.
void TransferByRop(const TRowsJob& job, Byte rop3)
{
    switch (rop3) {
        case 0x00: return TransferParts(job, [](QRgb, QRgb, QRgb) { return 0u; });  // BLACKNESS
        case 0x11: return TransferParts(job, [](QRgb, QRgb s, QRgb d) { return ~(s | d); });  // NOTSRCERASE
        case 0x33: return TransferParts(job, [](QRgb, QRgb s, QRgb) { return ~s; });  // NOTSRCCOPY
        case 0x44: return TransferParts(job, [](QRgb, QRgb s, QRgb d) { return s & ~d; });  // SRCERASE
        case 0x55: return TransferParts(job, [](QRgb, QRgb, QRgb d) { return ~d; });  // DSTINVERT
        case 0x5A: return TransferParts(job, [](QRgb p, QRgb, QRgb d) { return p ^ d; });  // PATINVERT
        case 0x66: return TransferParts(job, [](QRgb, QRgb s, QRgb d) { return s ^ d; });  // SRCINVERT
        case 0x88: return TransferParts(job, [](QRgb, QRgb s, QRgb d) { return s & d; });  // SRCAND
        case 0xBB: return TransferParts(job, [](QRgb, QRgb s, QRgb d) { return ~s | d; });  // MERGEPAINT
        case 0xC0: return TransferParts(job, [](QRgb p, QRgb s, QRgb) { return p & s; });  // MERGECOPY
        case 0xCC: return TransferParts(job, [](QRgb, QRgb s, QRgb) { return s; });  // SRCCOPY
        case 0xE2: return TransferParts(job, [](QRgb p, QRgb s, QRgb d) { return ((p ^ d) & s) ^ d; });  // DSPDxax
        case 0xEE: return TransferParts(job, [](QRgb, QRgb s, QRgb d) { return s | d; });  // SRCPAINT
        case 0xF0: return TransferParts(job, [](QRgb p, QRgb, QRgb) { return p; });  // PATCOPY
        case 0xFB: return TransferParts(job, [](QRgb p, QRgb s, QRgb d) { return p | ~s | d; });  // PATPAINT
        case 0xFF: return TransferParts(job, [](QRgb, QRgb, QRgb) { return ~0u; });  // WHITENESS
        default: return TransferParts(job, [rop3](QRgb p, QRgb s, QRgb d) { return ApplyRop3(rop3, p, s, d); });
    }
}

// A plain copy of a whole image onto the whole of another of its size,
// format and resolution, nothing clipped: the destination takes the
// source's pixels shared, and whichever is drawn on next detaches. These are
// the pixels the copy writes (its alpha aside, which an RGB image never
// shows), without a pass over them: a control's paint ends with one.
bool ShareWholeCopy(TCanvasImpl& dest, QImage& image, const QRect& area, const QImage* source, const QPoint& shift,
                    Byte rop3)
{
    constexpr Byte kSrcCopy = 0xCC;
    if (rop3 != kSrcCopy || !source || source == &image || !shift.isNull() || area != image.rect()) return false;
    if (image.format() != QImage::Format_RGB32 || source->format() != image.format() ||
        source->size() != image.size() || source->dotsPerMeterX() != image.dotsPerMeterX() ||
        source->dotsPerMeterY() != image.dotsPerMeterY() || source->devicePixelRatio() != image.devicePixelRatio())
        return false;
    if (dest.Visible() != QRegion(image.rect())) return false;
    image = *source;
    return true;
}

}  // namespace

void TransferRows(TCanvasImpl& dest, const QRect& area, const QImage* source, const QPoint& shift, Byte rop3,
                  const TFill& pattern)
{
    QImage& image = dest.RequireTarget();
    if (ShareWholeCopy(dest, image, area, source, shift, rop3)) return;
    TRowsJob job{image.bits(), image.bytesPerLine(), source, shift, UsesPattern(rop3) ? &pattern : nullptr, {}, 0};
    job.Parts = PartsOf(dest, area, source, shift);
    if (job.Parts.empty()) return;
    // A transfer within one image reads the source part as it was before
    // any row of it is written.
    QImage before;
    if (source == &image) {
        QRect read;
        for (const QRect& part : job.Parts) read |= part.translated(shift);
        before = image.copy(read);
        job.Source = &before;
        job.Shift = shift - read.topLeft();
    }
    for (const QRect& part : job.Parts) job.Widest = std::max(job.Widest, part.width());
    TransferByRop(job, rop3);
}
