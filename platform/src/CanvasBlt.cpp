// Block transfers and raster operations: BitBlt, StretchBlt, PatBlt,
// CopyRect, BrushCopy, drawing graphics, focus rectangles, inversion and
// 3-D edges.

#include <algorithm>

#include "CanvasImpl.h"
#include "QtGraphics.h"
#include "TestHooks.h"

namespace {

// The span [Start, Start + Length) of a signed extent.
struct TAxis {
    Integer Start, Length;
    bool Negative;
};

TAxis AxisOf(Integer origin, Integer extent)
{
    if (extent < 0) return {ClampCoord(Int64(origin) + extent), ClampCoord(-Int64(extent)), true};
    return {origin, extent, false};
}

// A transfer's spans on both sides, and the image its source pixels come
// from (nullptr when the operation reads no source).
struct TSpans {
    TAxis Dx, Dy, Sx, Sy;
    const QImage* Source;

    bool MirrorX() const { return Dx.Negative != Sx.Negative; }
    bool MirrorY() const { return Dy.Negative != Sy.Negative; }
    // Each destination pixel reads the source pixel at its own offset.
    bool OneToOne() const
    {
        return !Source || (Dx.Length == Sx.Length && Dy.Length == Sy.Length && !MirrorX() && !MirrorY());
    }
};

// Source index for destination index u of an axis (nearest neighbour).
Integer SourceIndex(Int64 u, Int64 destLength, Int64 srcLength)
{
    return static_cast<Integer>(((2 * u + 1) * srcLength) / (2 * destLength));
}

Byte RopByte(Cardinal rop) { return static_cast<Byte>((rop >> 16) & 0xFF); }

// The source part averaged down to the destination's size, for a HALFTONE
// copy that shrinks (and grows in neither direction, so the average is never
// larger than the source); a null image when the copy picks nearest pixels.
QImage HalftoneSource(const TCanvasImpl& dest, const TBltSource& src, const TSpans& t, Byte rop3, const TBltKey& key)
{
    const TAxis &dx = t.Dx, &dy = t.Dy, &sx = t.Sx, &sy = t.Sy;
    const bool shrinks = dx.Length <= sx.Length && dy.Length <= sy.Length &&
                         (dx.Length < sx.Length || dy.Length < sy.Length);
    const bool plainCopy = rop3 == 0xCC && !key.Active && !src.Mono && !dest.Monochrome;
    const QRect part(sx.Start, sy.Start, sx.Length, sy.Length);
    if (dest.State.StretchBltMode != HALFTONE || !shrinks || !plainCopy || t.MirrorX() || t.MirrorY() ||
        !src.Image->rect().contains(part))
        return QImage();
    return src.Image->copy(part)
        .convertToFormat(QImage::Format_RGB32)
        .scaled(dx.Length, dy.Length, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The general path: each destination pixel samples its source pixel, then
// goes through the colour key, the monochrome mappings and the ROP3.
void TransferPixels(TCanvasImpl& dest, const QRect& area, const TBltSource& src, const TSpans& t, Byte rop3,
                    const TFill& pattern, const TBltKey& key)
{
    QImage& image = *dest.Target;
    // A copy of the image keeps overlapping transfers within one image correct.
    const QImage before = t.Source == &image ? image.copy() : QImage();
    const QImage* source = before.isNull() ? t.Source : &before;
    const TAxis &dx = t.Dx, &dy = t.Dy, &sx = t.Sx, &sy = t.Sy;
    const bool mirrorX = t.MirrorX(), mirrorY = t.MirrorY();
    const QRgb textRgb = DeviceRgb(dest.State.TextColor), bkRgb = DeviceRgb(dest.State.BkColor);
    image.bits();
    for (const QRect& clip : dest.Visible()) {
        const QRect part = clip & area;
        for (Integer y = part.top(); y <= part.bottom(); ++y) {
            const Integer v = mirrorY ? dy.Length - 1 - (y - dy.Start) : y - dy.Start;
            const Integer ys = sy.Start + SourceIndex(v, dy.Length, sy.Length);
            if (source && (ys < 0 || ys >= source->height())) continue;
            QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (Integer x = part.left(); x <= part.right(); ++x) {
                QRgb s = 0;
                if (source) {
                    const Integer u = mirrorX ? dx.Length - 1 - (x - dx.Start) : x - dx.Start;
                    const Integer xs = sx.Start + SourceIndex(u, dx.Length, sx.Length);
                    if (xs < 0 || xs >= source->width()) continue;
                    s = reinterpret_cast<const QRgb*>(source->constScanLine(ys))[xs] | 0xFF000000u;
                    if (key.Active && (s & 0xFFFFFF) == (key.Colour & 0xFFFFFF)) {
                        if (key.Fill) row[x] = PatternAt(*key.Fill, x, y);
                        continue;
                    }
                    if (src.Mono && !dest.Monochrome) s = (s & 0xFFFFFF) ? bkRgb : textRgb;
                    else if (dest.Monochrome && !src.Mono)
                        s = (s & 0xFFFFFF) == (src.BkColour & 0xFFFFFF) ? 0xFFFFFFFFu : 0xFF000000u;
                }
                const QRgb p = UsesPattern(rop3) ? PatternAt(pattern, x, y) : 0;
                QRgb r = rop3 == 0xCC ? s : ApplyRop3(rop3, p, s, row[x]);
                row[x] = dest.Monochrome ? MonoRgb(r) : (r | 0xFF000000u);
            }
        }
    }
}

}  // namespace

QRgb PatternAt(const TFill& fill, Integer x, Integer y)
{
    if (!fill.Hatch) return fill.Fore;
    return (fill.Hatch[y & 7] & (0x80 >> (x & 7))) ? fill.Fore : fill.Back;
}

void TransferBlock(TCanvasImpl& dest, const TBltRect& rect, const TBltSource& src, Byte rop3, const TFill& pattern,
                   const TBltKey& key)
{
    dest.RequireTarget();
    TSpans t{AxisOf(rect.X, rect.W), AxisOf(rect.Y, rect.H), AxisOf(src.Rect.X, src.Rect.W),
             AxisOf(src.Rect.Y, src.Rect.H), UsesSource(rop3) ? src.Image : nullptr};
    if (t.Dx.Length <= 0 || t.Dy.Length <= 0 || (t.Source && (t.Sx.Length <= 0 || t.Sy.Length <= 0))) return;
    // An averaged source is copied one to one, in the direction the
    // extents give.
    const QImage averaged = t.Source ? HalftoneSource(dest, src, t, rop3, key) : QImage();
    if (!averaged.isNull()) {
        t.Sx = {0, t.Dx.Length, t.Dx.Negative};
        t.Sy = {0, t.Dy.Length, t.Dy.Negative};
        t.Source = &averaged;
    }
    const QRect area(t.Dx.Start, t.Dy.Start, t.Dx.Length, t.Dy.Length);
    const bool converts = key.Active || dest.Monochrome || (t.Source && src.Mono);
    if (!converts && t.OneToOne() && !pl::GeneralBlockTransfersOnly())
        TransferRows(dest, area, t.Source, QPoint(t.Sx.Start - t.Dx.Start, t.Sy.Start - t.Dy.Start), rop3, pattern);
    else
        TransferPixels(dest, area, src, t, rop3, pattern, key);
    RecordRaster(dest, area);
}

// ---------------------------------------------------------------------------
// System calls
// ---------------------------------------------------------------------------

namespace {

TFill PatternOf(TCanvasImpl& c, const TBrush& brush)
{
    TFill fill = BrushFillOf(c, brush);
    if (brush.Style() == bsClear) fill = TFill::Solid(DeviceRgb(c.State.BkColor));
    return fill;
}

TBltSource CanvasSource(TCanvas* Src, Integer X, Integer Y, Integer W, Integer H)
{
    TBltSource s;
    if (!Src) return s;
    TCanvasImpl& c = Src->Impl();
    s.Image = &c.RequireTarget();
    const QPoint p = c.ToDevice(X, Y);
    s.Rect = TBltRect{p.x(), p.y(), W, H};
    s.Mono = c.Monochrome;
    s.BkColour = DeviceRgb(c.State.BkColor);
    return s;
}

TBltRect DestRect(TCanvasImpl& c, Integer X, Integer Y, Integer W, Integer H)
{
    const QPoint p = c.ToDevice(X, Y);
    return TBltRect{p.x(), p.y(), ClampCoord(W), ClampCoord(H)};
}

}  // namespace

bool StretchBlt(TCanvas* Dest, Integer X, Integer Y, Integer Width, Integer Height, TCanvas* Src, Integer XSrc,
                Integer YSrc, Integer WidthSrc, Integer HeightSrc, Cardinal Rop)
{
    TCanvasImpl& c = Dest->Impl();
    const Byte rop = RopByte(Rop);
    TBltSource src;
    if (UsesSource(rop)) {
        if (!Src) return false;
        src = CanvasSource(Src, XSrc, YSrc, ClampCoord(WidthSrc), ClampCoord(HeightSrc));
    }
    TransferBlock(c, DestRect(c, X, Y, Width, Height), src, rop, PatternOf(c, *Dest->Brush()), TBltKey{});
    return true;
}

bool BitBlt(TCanvas* Dest, Integer X, Integer Y, Integer Width, Integer Height, TCanvas* Src, Integer XSrc,
            Integer YSrc, Cardinal Rop)
{
    return StretchBlt(Dest, X, Y, Width, Height, Src, XSrc, YSrc, Width, Height, Rop);
}

bool PatBlt(TCanvas* DC, Integer X, Integer Y, Integer Width, Integer Height, Cardinal Rop)
{
    return StretchBlt(DC, X, Y, Width, Height, nullptr, 0, 0, 0, 0, Rop);
}

bool InvertRect(TCanvas* DC, const TRect& R)
{
    TCanvasImpl& c = DC->Impl();
    TRasterWriter w(c, pmNot);
    const QRect box = c.ToDevice(R);
    w.Rect(box, TFill::Solid(0));
    if (w.Recording()) w.Record(RasterOp(c, box));
    return true;
}

Integer FillRect(TCanvas* DC, const TRect& R, TBrush* Brush)
{
    TCanvasImpl& c = DC->Impl();
    TBrush* brush = Brush ? Brush : DC->Brush();
    TRasterWriter w(c, pmCopy);
    if (brush->Style() == bsClear) return 1;
    const QRect box = c.ToDevice(R);
    w.Rect(box, BrushFillOf(c, *brush));
    if (w.Recording() && !box.isEmpty()) w.Record(FillOp(TDrawKind::FillRect, BoxPoints(box), BrushOf(*brush)));
    return 1;
}

bool DrawFocusRect(TCanvas* DC, const TRect& R)
{
    TCanvasImpl& c = DC->Impl();
    TRasterWriter w(c, pmXor);
    const QRect box = c.ToDevice(R);
    if (box.isEmpty()) return true;
    const QRgb even = DeviceRgb(c.State.TextColor), odd = DeviceRgb(c.State.BkColor);
    const auto dot = [&](Integer x, Integer y) {
        const Integer parity = (x - c.Origin.x() + y - c.Origin.y()) & 1;
        w.Pixel(x, y, parity ? odd : even);
    };
    for (Integer x = box.left(); x <= box.right(); ++x) {
        dot(x, box.top());
        if (box.bottom() > box.top()) dot(x, box.bottom());
    }
    for (Integer y = box.top() + 1; y < box.bottom(); ++y) {
        dot(box.left(), y);
        if (box.right() > box.left()) dot(box.right(), y);
    }
    // The frame's four sides as the pixels they left, not the whole box.
    if (w.Recording()) {
        const QRect sides[] = {QRect(box.left(), box.top(), box.width(), 1),
                               QRect(box.left(), box.bottom(), box.width(), 1),
                               QRect(box.left(), box.top(), 1, box.height()),
                               QRect(box.right(), box.top(), 1, box.height())};
        for (const QRect& side : sides) w.Record(RasterOp(c, side));
    }
    return true;
}

namespace {

// Colours of one ring of an edge: top-left and bottom-right.
struct TEdgeRing {
    TColor TopLeft, BottomRight;
};

void DrawRing(TRasterWriter& w, const QRect& box, const TEdgeRing& ring, Cardinal flags)
{
    const QRgb tl = DeviceRgb(ring.TopLeft), br = DeviceRgb(ring.BottomRight);
    // Bottom and right own the corners they share with top and left.
    if (flags & BF_TOP) SolidRect(w, QRect(box.left(), box.top(), box.width() - 1, 1), tl);
    if (flags & BF_LEFT) SolidRect(w, QRect(box.left(), box.top(), 1, box.height() - 1), tl);
    if (flags & BF_BOTTOM) SolidRect(w, QRect(box.left(), box.bottom(), box.width(), 1), br);
    if (flags & BF_RIGHT) SolidRect(w, QRect(box.right(), box.top(), 1, box.height()), br);
}

QRect Shrunk(const QRect& box, Cardinal flags)
{
    return box.adjusted(flags & BF_LEFT ? 1 : 0, flags & BF_TOP ? 1 : 0, flags & BF_RIGHT ? -1 : 0,
                        flags & BF_BOTTOM ? -1 : 0);
}

}  // namespace

bool DrawEdge(TCanvas* DC, TRect& R, Cardinal Edge, Cardinal Flags)
{
    TCanvasImpl& c = DC->Impl();
    TRasterWriter w(c, pmCopy);
    QRect box = c.ToDevice(R);
    if (box.isEmpty()) return false;
    TEdgeRing outer{}, inner{};
    bool hasOuter = true, hasInner = true;
    if (Flags & (BF_FLAT | BF_MONO)) {
        const TColor frame = (Flags & BF_MONO) ? clWindowFrame : clBtnShadow;
        const TColor fill = (Flags & BF_MONO) ? clWindow : clBtnFace;
        outer = {frame, frame};
        inner = {fill, fill};
    } else {
        hasOuter = Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
        hasInner = Edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
        outer = (Edge & BDR_RAISEDOUTER) ? TEdgeRing{cl3DLight, cl3DDkShadow} : TEdgeRing{clBtnShadow, clBtnHighlight};
        inner = (Edge & BDR_RAISEDINNER) ? TEdgeRing{clBtnHighlight, clBtnShadow} : TEdgeRing{cl3DDkShadow, cl3DLight};
    }
    if (hasOuter) {
        DrawRing(w, box, outer, Flags);
        box = Shrunk(box, Flags);
    }
    if (hasInner && !box.isEmpty()) {
        DrawRing(w, box, inner, Flags);
        box = Shrunk(box, Flags);
    }
    if ((Flags & BF_MIDDLE) && !box.isEmpty()) SolidRect(w, box, DeviceRgb(clBtnFace));
    if (Flags & BF_ADJUST) R = c.ToLogical(box);
    return true;
}

// ---------------------------------------------------------------------------
// Canvas operations
// ---------------------------------------------------------------------------

void TCanvas::DrawFocusRect(const TRect& R)
{
    Changing();
    ::DrawFocusRect(this, R);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source)
{
    Changing();
    StretchBlt(this, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Canvas, Source.Left, Source.Top,
               Source.Width(), Source.Height(), static_cast<Cardinal>(FCopyMode));
    Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color)
{
    if (!Bitmap || Bitmap->Empty()) return;
    Changing();
    TCanvasImpl& c = *FImpl;
    TBltSource src;
    src.Image = &BitmapImage(*Bitmap);
    src.Rect = TBltRect{Source.Left, Source.Top, Source.Width(), Source.Height()};
    const TFill brush = PatternOf(c, *FBrush);
    const TBltKey key{true, DeviceRgb(Color), &brush};
    TransferBlock(c, DestRect(c, Dest.Left, Dest.Top, Dest.Width(), Dest.Height()), src, 0xCC, brush, key);
    Changed();
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty()) return;
    Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty()) return;
    Graphic->Draw(this, R);
}

void DrawBitmapImage(TCanvas& Canvas, const TBitmap& Bitmap, const TRect& R)
{
    TCanvasImpl& c = Canvas.Impl();
    TBltSource src;
    src.Image = &BitmapImage(Bitmap);
    src.Rect = TBltRect{0, 0, src.Image->width(), src.Image->height()};
    TBltKey key;
    if (Bitmap.Transparent()) key = TBltKey{true, DeviceRgb(Bitmap.TransparentColor()), nullptr};
    TransferBlock(c, DestRect(c, R.Left, R.Top, R.Width(), R.Height()), src,
                  RopByte(static_cast<Cardinal>(Canvas.CopyMode())), PatternOf(c, *Canvas.Brush()), key);
}
