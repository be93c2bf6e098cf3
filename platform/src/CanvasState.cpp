// The device-state calls: modes and colours, window origin, saved states,
// device capabilities, regions and clipping.

#include <algorithm>

#include "CanvasImpl.h"

// ---------------------------------------------------------------------------
// Modes and colours
// ---------------------------------------------------------------------------

Integer SetBkMode(TCanvas* DC, Integer Mode)
{
    TDeviceState& s = DC->Impl().State;
    const Integer old = s.BkMode;
    if (Mode == TRANSPARENT || Mode == OPAQUE) s.BkMode = Mode;
    return old;
}

Integer GetBkMode(TCanvas* DC) { return DC->Impl().State.BkMode; }

TColor SetBkColor(TCanvas* DC, TColor Color)
{
    return std::exchange(DC->Impl().State.BkColor, Color);
}

TColor GetBkColor(TCanvas* DC) { return DC->Impl().State.BkColor; }

TColor SetTextColor(TCanvas* DC, TColor Color)
{
    return std::exchange(DC->Impl().State.TextColor, Color);
}

TColor GetTextColor(TCanvas* DC) { return DC->Impl().State.TextColor; }

Integer SetPolyFillMode(TCanvas* DC, Integer Mode)
{
    TDeviceState& s = DC->Impl().State;
    const Integer old = s.PolyFillMode;
    if (Mode == ALTERNATE || Mode == WINDING) s.PolyFillMode = Mode;
    return old;
}

Integer GetPolyFillMode(TCanvas* DC) { return DC->Impl().State.PolyFillMode; }

Integer SetStretchBltMode(TCanvas* DC, Integer Mode)
{
    TDeviceState& s = DC->Impl().State;
    const Integer old = s.StretchBltMode;
    if (Mode >= BLACKONWHITE && Mode <= HALFTONE) s.StretchBltMode = Mode;
    return old;
}

Integer GetStretchBltMode(TCanvas* DC) { return DC->Impl().State.StretchBltMode; }

bool SetWindowOrgEx(TCanvas* DC, Integer X, Integer Y, TPoint* Old)
{
    TDeviceState& s = DC->Impl().State;
    if (Old) *Old = TPoint{s.WindowOrg.x(), s.WindowOrg.y()};
    s.WindowOrg = QPoint(ClampCoord(X), ClampCoord(Y));
    return true;
}

bool GetWindowOrgEx(TCanvas* DC, TPoint* Org)
{
    const QPoint o = DC->Impl().State.WindowOrg;
    if (Org) *Org = TPoint{o.x(), o.y()};
    return true;
}

Integer SaveDC(TCanvas* DC)
{
    TCanvasImpl& c = DC->Impl();
    c.Saved.push_back(c.State);
    return static_cast<Integer>(c.Saved.size());
}

bool RestoreDC(TCanvas* DC, Integer SavedDC)
{
    TCanvasImpl& c = DC->Impl();
    const Int64 count = static_cast<Int64>(c.Saved.size());
    const Int64 level = SavedDC < 0 ? count + 1 + SavedDC : SavedDC;
    if (SavedDC == 0 || level < 1 || level > count) return false;
    c.State = c.Saved[static_cast<std::size_t>(level - 1)];
    c.Saved.resize(static_cast<std::size_t>(level - 1));
    c.ClipChanged();
    return true;
}

Integer GetDeviceCaps(TCanvas* DC, Integer Index)
{
    const TCanvasImpl& c = DC->Impl();
    switch (Index) {
        case LOGPIXELSX:
        case LOGPIXELSY: return TFont::PixelsPerInch;
        case HORZRES: return c.Target ? c.Target->width() : 0;
        case VERTRES: return c.Target ? c.Target->height() : 0;
        case BITSPIXEL: return c.Monochrome ? 1 : 32;
        case PLANES: return 1;
        default: return 0;
    }
}

TColor GetSysColor(Integer Index) { return ColorToRGB(SystemColor(Index & 0xFF)); }

// ---------------------------------------------------------------------------
// Regions
// ---------------------------------------------------------------------------

Integer RegionKind(const QRegion& r)
{
    if (r.isEmpty()) return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

TRegion::TRegion() : FData(std::make_unique<TRegionData>()) {}
TRegion::TRegion(const TRegion& Other) : FData(std::make_unique<TRegionData>(*Other.FData)) {}
TRegion& TRegion::operator=(const TRegion& Other)
{
    *FData = *Other.FData;
    return *this;
}
TRegion::~TRegion() = default;

namespace {

// Regions cover at most this area around the origin, which bounds the
// work of rasterising polygons with far-away corners.
const QRect kRegionLimit(-65536, -65536, 131072, 131072);

QRect NormalRect(Integer x1, Integer y1, Integer x2, Integer y2)
{
    const Integer l = ClampCoord(std::min(x1, x2)), r = ClampCoord(std::max(x1, x2));
    const Integer t = ClampCoord(std::min(y1, y2)), b = ClampCoord(std::max(y1, y2));
    return QRect(l, t, r - l, b - t) & kRegionLimit;
}

TRegion FromQRegion(const QRegion& r)
{
    TRegion rgn;
    rgn.Data().Region = r;
    return rgn;
}

QRegion RegionOfSpans(const std::vector<TSpan>& spans)
{
    std::vector<QRect> rects;
    rects.reserve(spans.size());
    for (const TSpan& s : spans) rects.push_back(QRect(s.X0, s.Y, s.X1 - s.X0, 1));
    QRegion r;
    if (!rects.empty()) r.setRects(rects.data(), static_cast<int>(rects.size()));
    return r;
}

}  // namespace

TRegion CreateRectRgn(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    return FromQRegion(QRegion(NormalRect(X1, Y1, X2, Y2)));
}

TRegion CreateRectRgnIndirect(const TRect& R) { return CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom); }

TRegion CreatePolygonRgn(std::span<const TPoint> Points, Integer Mode)
{
    std::vector<QPointF> corners;
    corners.reserve(Points.size());
    for (const TPoint& p : Points) corners.emplace_back(ClampCoord(p.X), ClampCoord(p.Y));
    return FromQRegion(RegionOfSpans(PolygonSpans(corners, Mode == WINDING, kRegionLimit)));
}

Integer CombineRgn(TRegion& Dest, const TRegion& Src1, const TRegion& Src2, Integer Mode)
{
    const QRegion& a = Src1.Data().Region;
    const QRegion& b = Src2.Data().Region;
    QRegion r;
    switch (Mode) {
        case RGN_AND: r = a & b; break;
        case RGN_OR: r = a | b; break;
        case RGN_XOR: r = a ^ b; break;
        case RGN_DIFF: r = a - b; break;
        case RGN_COPY: r = a; break;
        default: return ERROR;
    }
    Dest.Data().Region = r;
    return RegionKind(r);
}

Integer OffsetRgn(TRegion& Rgn, Integer X, Integer Y)
{
    QRegion& r = Rgn.Data().Region;
    r.translate(X, Y);
    r &= kRegionLimit;
    return RegionKind(r);
}

Integer GetRgnBox(const TRegion& Rgn, TRect& R)
{
    const QRect box = Rgn.Data().Region.boundingRect();
    R = box.isEmpty() ? TRect{} : TRect{box.left(), box.top(), box.right() + 1, box.bottom() + 1};
    return RegionKind(Rgn.Data().Region);
}

bool PtInRegion(const TRegion& Rgn, Integer X, Integer Y) { return Rgn.Data().Region.contains(QPoint(X, Y)); }

bool EqualRgn(const TRegion& A, const TRegion& B) { return A.Data().Region == B.Data().Region; }

// ---------------------------------------------------------------------------
// Clipping. The clip is kept in image pixels; regions are in the device
// space of the context, whose (0, 0) is the binding origin.
// ---------------------------------------------------------------------------

namespace {

Integer ClipKind(TCanvasImpl& c) { return RegionKind(c.Visible()); }

QRegion CurrentClip(const TCanvasImpl& c) { return c.State.HasClip ? c.State.Clip : QRegion(c.Bounds); }

void SetClip(TCanvasImpl& c, const QRegion& r)
{
    c.State.HasClip = true;
    c.State.Clip = r;
    c.ClipChanged();
}

}  // namespace

Integer IntersectClipRect(TCanvas* DC, Integer Left, Integer Top, Integer Right, Integer Bottom)
{
    TCanvasImpl& c = DC->Impl();
    const QRect r = c.ToDevice(TRect{Left, Top, Right, Bottom});
    SetClip(c, r.isEmpty() ? QRegion() : CurrentClip(c) & r);
    return ClipKind(c);
}

Integer ExcludeClipRect(TCanvas* DC, Integer Left, Integer Top, Integer Right, Integer Bottom)
{
    TCanvasImpl& c = DC->Impl();
    const QRect r = c.ToDevice(TRect{Left, Top, Right, Bottom});
    SetClip(c, r.isEmpty() ? CurrentClip(c) : CurrentClip(c) - r);
    return ClipKind(c);
}

Integer SelectClipRgn(TCanvas* DC, const TRegion* Rgn)
{
    TCanvasImpl& c = DC->Impl();
    if (!Rgn) {
        c.State.HasClip = false;
        c.State.Clip = QRegion();
        c.ClipChanged();
    } else {
        SetClip(c, Rgn->Data().Region.translated(c.Origin));
    }
    return ClipKind(c);
}

Integer GetClipBox(TCanvas* DC, TRect& R)
{
    TCanvasImpl& c = DC->Impl();
    const QRect box = c.Visible().boundingRect();
    R = box.isEmpty() ? TRect{} : c.ToLogical(box);
    return ClipKind(c);
}

Integer GetClipRgn(TCanvas* DC, TRegion& Rgn)
{
    TCanvasImpl& c = DC->Impl();
    if (!c.State.HasClip) return 0;
    Rgn.Data().Region = c.State.Clip.translated(-c.Origin);
    return 1;
}

bool FillRgn(TCanvas* DC, const TRegion& Rgn, TBrush* Brush)
{
    TCanvasImpl& c = DC->Impl();
    TBrush* brush = Brush ? Brush : DC->Brush();
    if (brush->Style() == bsClear) return true;
    TRasterWriter w(c, pmCopy);
    const TFill fill = BrushFillOf(c, *brush);
    for (const QRect& r : Rgn.Data().Region.translated(c.Origin)) {
        w.Rect(r, fill);
        if (w.Recording()) w.Record(FillOp(TDrawKind::FillRect, BoxPoints(r), BrushOf(*brush)));
    }
    return true;
}

bool InvertRgn(TCanvas* DC, const TRegion& Rgn)
{
    TCanvasImpl& c = DC->Impl();
    TRasterWriter w(c, pmNot);
    const QRegion region = Rgn.Data().Region.translated(c.Origin);
    for (const QRect& r : region) w.Rect(r, TFill::Solid(0));
    if (w.Recording()) w.Record(RasterOp(c, region.boundingRect()));
    return true;
}
