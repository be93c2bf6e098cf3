// The pixel writer and the rasterisers for thin lines and polygons.

#include <algorithm>
#include <cmath>

#include "CanvasImpl.h"
#include "QtGraphics.h"
#include "platform/Math.h"

Integer ClampCoord(Int64 v)
{
    return static_cast<Integer>(std::clamp<Int64>(v, -kCoordLimit, kCoordLimit));
}

QRgb DeviceRgb(TColor c) { return ToQRgb(c); }

QRgb MonoRgb(QRgb c)
{
    // Luminance weights of the usual conversion, scaled by 1000.
    const Integer lum = 299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c);
    return lum >= 128 * 1000 ? 0xFFFFFFFFu : 0xFF000000u;
}

// ---------------------------------------------------------------------------
// Raster operations
// ---------------------------------------------------------------------------

namespace {

// The R2_ code of each TPenMode; its value minus one is the truth table
// over (pen, destination): bit 3 for P=1,D=1, bit 2 for P=1,D=0, bit 1
// for P=0,D=1, bit 0 for P=0,D=0.
constexpr Integer kRop2Codes[] = {1, 16, 11, 6, 13, 4, 14, 5, 12, 3, 15, 2, 9, 8, 7, 10};

}  // namespace

Integer Rop2Code(TPenMode mode) { return kRop2Codes[mode]; }

QRgb ApplyRop2(Integer rop2, QRgb pen, QRgb dst)
{
    const Integer table = rop2 - 1;
    QRgb r = 0;
    if (table & 8) r |= pen & dst;
    if (table & 4) r |= pen & ~dst;
    if (table & 2) r |= ~pen & dst;
    if (table & 1) r |= ~pen & ~dst;
    return 0xFF000000u | (r & 0x00FFFFFFu);
}

QRgb ApplyRop3(Byte rop3, QRgb pattern, QRgb src, QRgb dst)
{
    QRgb r = 0;
    for (Integer i = 0; i < 8; ++i) {
        if (!(rop3 & (1 << i))) continue;
        const QRgb p = (i & 4) ? pattern : ~pattern;
        const QRgb s = (i & 2) ? src : ~src;
        const QRgb d = (i & 1) ? dst : ~dst;
        r |= p & s & d;
    }
    return 0xFF000000u | (r & 0x00FFFFFFu);
}

// ---------------------------------------------------------------------------
// Fills
// ---------------------------------------------------------------------------

const Byte* HatchPattern(TBrushStyle style)
{
    // Row bytes; bit 7 is column 0, as in the system's pattern bitmaps.
    static constexpr Byte kHorizontal[8] = {0xFF, 0, 0, 0, 0, 0, 0, 0};
    static constexpr Byte kVertical[8] = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
    static constexpr Byte kFDiagonal[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
    static constexpr Byte kBDiagonal[8] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};
    static constexpr Byte kCross[8] = {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
    static constexpr Byte kDiagCross[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
    switch (style) {
        case bsHorizontal: return kHorizontal;
        case bsVertical: return kVertical;
        case bsFDiagonal: return kFDiagonal;
        case bsBDiagonal: return kBDiagonal;
        case bsCross: return kCross;
        case bsDiagCross: return kDiagCross;
        default: return nullptr;
    }
}

TFill BrushFillOf(TCanvasImpl& canvas, const TBrush& brush)
{
    TFill fill;
    fill.Fore = DeviceRgb(brush.Color());
    fill.Hatch = HatchPattern(brush.Style());
    fill.Back = DeviceRgb(canvas.State.BkColor);
    fill.DrawBack = fill.Hatch == nullptr || canvas.State.BkMode == OPAQUE;
    if (!fill.Hatch) fill.Back = fill.Fore;
    return fill;
}

TPenInfo PenInfoOf(TCanvasImpl& canvas, const TPen& pen)
{
    TPenInfo info;
    info.Colour = DeviceRgb(pen.Color());
    info.Back = DeviceRgb(canvas.State.BkColor);
    info.Opaque = canvas.State.BkMode == OPAQUE;
    info.Style = pen.Style();
    info.Width = std::max(1, pen.Width());
    return info;
}

// ---------------------------------------------------------------------------
// The writer
// ---------------------------------------------------------------------------

TRasterWriter::TRasterWriter(TCanvasImpl& canvas, TPenMode mode)
    : FBits(canvas.RequireTarget().bits()), FStride(canvas.RequireTarget().bytesPerLine()), FRop2(kRop2Codes[mode]),
      FMono(canvas.Monochrome), FRecorder(canvas.Recorder)
{
    const QRegion& visible = canvas.Visible();
    FRects.assign(visible.begin(), visible.end());
    FBox = visible.boundingRect();
}

void TRasterWriter::Restrict(const QRect& r)
{
    if (r.isEmpty()) {
        FRects.clear();
        FBox = QRect();
        return;
    }
    std::vector<QRect> kept;
    for (const QRect& rect : FRects) {
        const QRect part = rect & r;
        if (!part.isEmpty()) kept.push_back(part);
    }
    FRects.swap(kept);
    FBox &= r;
}

void TRasterWriter::Put(QRgb& dst, QRgb colour) const
{
    if (FMono) colour = MonoRgb(colour);
    QRgb r = FRop2 == 13 ? (0xFF000000u | colour) : ApplyRop2(FRop2, colour, dst);
    if (FMono) r = MonoRgb(r);
    dst = r;
}

void TRasterWriter::Pixel(Integer x, Integer y, QRgb colour)
{
    if (!FBox.contains(x, y)) return;
    for (const QRect& r : FRects) {
        if (r.contains(x, y)) {
            Put(Row(y)[x], colour);
            return;
        }
    }
}

void TRasterWriter::Column(Integer x, Integer y0, Integer y1, QRgb colour)
{
    if (x < FBox.left() || x > FBox.right()) return;
    for (const QRect& r : FRects) {
        if (x < r.left() || x > r.right()) continue;
        const Integer top = std::max(y0, r.top());
        const Integer bottom = std::min(y1, r.bottom());
        for (Integer y = top; y <= bottom; ++y) Put(Row(y)[x], colour);
    }
}

bool TRasterWriter::Idempotent() const
{
    // Over every pen and destination bit: f(p, f(p, d)) == f(p, d).
    const Integer table = FRop2 - 1;
    const auto result = [table](Integer p, Integer d) { return (table >> (p * 2 + d)) & 1; };
    for (Integer p = 0; p <= 1; ++p)
        for (Integer d = 0; d <= 1; ++d)
            if (result(p, result(p, d)) != result(p, d)) return false;
    return true;
}

void TRasterWriter::RunOnRect(Integer y, Integer x0, Integer x1, const TFill& fill)
{
    QRgb* row = Row(y);
    if (!fill.Hatch) {
        if (FRop2 == 13 && !FMono) {
            const QRgb colour = 0xFF000000u | fill.Fore;
            ForPixelBlocks(x1 - x0, [=](qsizetype first, qsizetype n) { std::fill_n(row + x0 + first, n, colour); });
            return;
        }
        for (Integer x = x0; x < x1; ++x) Put(row[x], fill.Fore);
        return;
    }
    const Byte bits = fill.Hatch[y & 7];
    for (Integer x = x0; x < x1; ++x) {
        if (bits & (0x80 >> (x & 7))) Put(row[x], fill.Fore);
        else if (fill.DrawBack) Put(row[x], fill.Back);
    }
}

void TRasterWriter::Span(Integer y, Integer x0, Integer x1, const TFill& fill)
{
    if (y < FBox.top() || y > FBox.bottom() || x1 <= x0) return;
    for (const QRect& r : FRects) {
        if (y < r.top() || y > r.bottom()) continue;
        const Integer a = std::max(x0, r.left());
        const Integer b = std::min(x1, r.right() + 1);
        if (a < b) RunOnRect(y, a, b, fill);
    }
}

void TRasterWriter::Rect(const QRect& rect, const TFill& fill)
{
    if (rect.isEmpty()) return;
    const QRect area = rect & FBox;
    if (area.isEmpty()) return;
    for (const QRect& r : FRects) {
        const QRect part = r & area;
        for (Integer y = part.top(); y <= part.bottom(); ++y) RunOnRect(y, part.left(), part.right() + 1, fill);
    }
}

void TRasterWriter::Mask(const QImage& mask, const QPoint& topLeft, const TFill& fill)
{
    const QRect area = QRect(topLeft, mask.size()) & FBox;
    if (area.isEmpty()) return;
    for (const QRect& r : FRects) {
        const QRect part = r & area;
        for (Integer y = part.top(); y <= part.bottom(); ++y) {
            const uchar* m = mask.constScanLine(y - topLeft.y());
            Integer x = part.left();
            while (x <= part.right()) {
                // Runs of covered pixels go through the span writer.
                while (x <= part.right() && m[x - topLeft.x()] < 128) ++x;
                const Integer start = x;
                while (x <= part.right() && m[x - topLeft.x()] >= 128) ++x;
                if (start < x) RunOnRect(y, start, x, fill);
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Thin lines
// ---------------------------------------------------------------------------

namespace {

struct TDashPattern {
    Integer Runs[6];
    Integer Count;
    Integer Length;
};

const TDashPattern* PatternOf(TPenStyle style)
{
    static constexpr TDashPattern kDash{{18, 6}, 2, 24};
    static constexpr TDashPattern kDot{{3, 3}, 2, 6};
    static constexpr TDashPattern kDashDot{{9, 6, 3, 6}, 4, 24};
    static constexpr TDashPattern kDashDotDot{{9, 3, 3, 3, 3, 3}, 6, 24};
    switch (style) {
        case psDash: return &kDash;
        case psDot: return &kDot;
        case psDashDot: return &kDashDot;
        case psDashDotDot: return &kDashDotDot;
        default: return nullptr;
    }
}

// True when pixel number n of the pattern is drawn (an even run).
bool PatternOn(const TDashPattern& p, Int64 n)
{
    Integer pos = static_cast<Integer>(n % p.Length);
    for (Integer i = 0; i < p.Count; ++i) {
        if (pos < p.Runs[i]) return i % 2 == 0;
        pos -= p.Runs[i];
    }
    return false;
}

}  // namespace

bool PenPatternOn(TPenStyle style, Int64 n)
{
    const TDashPattern* p = PatternOf(style);
    return !p || PatternOn(*p, n);
}

namespace {

// Floor division of 64-bit values with a positive divisor.
Int64 FloorDiv(Int64 a, Int64 b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

void RasterThinLine(TRasterWriter& w, QPoint a, QPoint b, const TPenInfo& pen, Integer& phase)
{
    const Int64 dx = Int64(b.x()) - a.x();
    const Int64 dy = Int64(b.y()) - a.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const Int64 steps = xMajor ? std::abs(dx) : std::abs(dy);
    if (steps == 0) return;
    const Int64 dMajor = xMajor ? dx : dy;
    const Int64 dMinor = xMajor ? dy : dx;
    const Integer sMajor = dMajor > 0 ? 1 : -1;
    const Integer major0 = xMajor ? a.x() : a.y();
    const Integer minor0 = xMajor ? a.y() : a.x();

    // Only the steps whose major coordinate lies in the clip box.
    const QRect& box = w.ClipBox();
    const Integer lo = xMajor ? box.left() : box.top();
    const Integer hi = xMajor ? box.right() : box.bottom();
    Int64 k0 = 0, k1 = steps - 1;
    if (sMajor > 0) {
        k0 = std::max<Int64>(k0, Int64(lo) - major0);
        k1 = std::min<Int64>(k1, Int64(hi) - major0);
    } else {
        k0 = std::max<Int64>(k0, Int64(major0) - hi);
        k1 = std::min<Int64>(k1, Int64(major0) - lo);
    }

    const TDashPattern* pattern = pen.Dashed() ? PatternOf(pen.Style) : nullptr;
    // Level and upright solid lines (grids, frames, ticks) are one span.
    if (!pattern && dMinor == 0 && k0 <= k1) {
        const Integer from = static_cast<Integer>(major0 + sMajor * (sMajor > 0 ? k0 : k1));
        const Integer to = static_cast<Integer>(major0 + sMajor * (sMajor > 0 ? k1 : k0));
        if (xMajor)
            w.Span(minor0, from, to + 1, TFill::Solid(pen.Colour));
        else
            w.Column(minor0, from, to, pen.Colour);
        return;
    }
    const Int64 absMajor = std::abs(dMajor);
    for (Int64 k = k0; k <= k1; ++k) {
        // Nearest minor coordinate, halves rounded away from the start.
        const Int64 num = 2 * k * std::abs(dMinor) + absMajor;
        const Int64 off = FloorDiv(num, 2 * absMajor);
        const Integer minor = static_cast<Integer>(minor0 + (dMinor >= 0 ? off : -off));
        const Integer major = static_cast<Integer>(major0 + sMajor * k);
        const Integer x = xMajor ? major : minor;
        const Integer y = xMajor ? minor : major;
        if (!pattern || PatternOn(*pattern, phase + k)) w.Pixel(x, y, pen.Colour);
        else if (pen.Opaque) w.Pixel(x, y, pen.Back);
    }
    if (pattern) phase = static_cast<Integer>((phase + steps) % pattern->Length);
}

// ---------------------------------------------------------------------------
// Polygons by pixel centres
// ---------------------------------------------------------------------------

std::vector<TSpan> PolygonSpans(std::span<const QPointF> points, bool winding, const QRect& limit)
{
    std::vector<TSpan> spans;
    const std::size_t n = points.size();
    if (n < 3 || limit.isEmpty()) return spans;
    qreal minY = points[0].y(), maxY = points[0].y();
    for (const QPointF& p : points) {
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    const Integer y0 = std::max<Integer>(limit.top(), RoundPix(std::ceil(minY - 0.5)));
    const Integer y1 = std::min<Integer>(limit.bottom(), RoundPix(std::ceil(maxY - 0.5)) - 1);

    struct TCrossing {
        qreal X;
        Integer Dir;
    };
    std::vector<TCrossing> crossings;
    for (Integer y = y0; y <= y1; ++y) {
        const qreal yc = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const QPointF& p = points[i];
            const QPointF& q = points[(i + 1) % n];
            if (p.y() == q.y()) continue;
            const bool down = p.y() < q.y();
            const qreal top = down ? p.y() : q.y();
            const qreal bottom = down ? q.y() : p.y();
            if (yc < top || yc >= bottom) continue;
            const qreal x = p.x() + (yc - p.y()) * (q.x() - p.x()) / (q.y() - p.y());
            crossings.push_back({x, down ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(), [](const TCrossing& a, const TCrossing& b) { return a.X < b.X; });
        Integer count = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            count += winding ? crossings[i].Dir : 1;
            const bool inside = winding ? count != 0 : (count % 2) != 0;
            if (!inside) continue;
            // Pixels whose centre x + 0.5 lies in [xa, xb).
            const Integer xa = std::max<Integer>(limit.left(), RoundPix(std::ceil(crossings[i].X - 0.5)));
            const Integer xb = std::min<Integer>(limit.right() + 1, RoundPix(std::ceil(crossings[i + 1].X - 0.5)));
            if (xa < xb) spans.push_back({y, xa, xb});
        }
    }
    return spans;
}

void FillSpans(TRasterWriter& w, const std::vector<TSpan>& spans, const TFill& fill)
{
    for (const TSpan& s : spans) w.Span(s.Y, s.X0, s.X1, fill);
}

// ---------------------------------------------------------------------------
// Masks drawn by QPainter
// ---------------------------------------------------------------------------

QImage RenderMask(const QRect& box, const std::function<void(QPainter&)>& paint)
{
    QImage mask(box.size(), QImage::Format_Alpha8);
    mask.fill(0);
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.translate(-box.left(), -box.top());
    paint(p);
    return mask;
}

QPen WidePen(const TPenInfo& pen)
{
    const Qt::PenJoinStyle join = pen.Style == psInsideFrame ? Qt::MiterJoin : Qt::RoundJoin;
    return QPen(Qt::white, pen.Width, Qt::SolidLine, Qt::RoundCap, join);
}

void StrokeWide(TRasterWriter& w, const QPainterPath& path, const TPenInfo& pen)
{
    const Integer margin = pen.Width / 2 + 2;
    const QRect bounds = path.controlPointRect().toAlignedRect().adjusted(-margin, -margin, margin, margin);
    const QRect box = bounds & w.ClipBox();
    if (box.isEmpty()) return;
    const QImage mask = RenderMask(box, [&](QPainter& p) {
        p.setPen(WidePen(pen));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    });
    w.Mask(mask, box.topLeft(), TFill::Solid(pen.Colour));
}
