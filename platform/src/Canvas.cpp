// TCanvas: the device context state, binding to images, lines,
// rectangles, polygons and pixels.

#include <algorithm>
#include <vector>

#include "CanvasImpl.h"
#include "platform/Consts.h"
#include "QtGraphics.h"

// ---------------------------------------------------------------------------
// TCanvasImpl
// ---------------------------------------------------------------------------

QPoint TCanvasImpl::ToDevice(Integer x, Integer y) const
{
    const QPoint off = Offset();
    return QPoint(ClampCoord(Int64(ClampCoord(x)) + off.x()), ClampCoord(Int64(ClampCoord(y)) + off.y()));
}

QRect TCanvasImpl::ToDevice(const TRect& r) const
{
    const QPoint tl = ToDevice(r.Left, r.Top);
    const QPoint br = ToDevice(r.Right, r.Bottom);
    // Qt would normalise an inverted rectangle when intersecting it.
    if (br.x() <= tl.x() || br.y() <= tl.y()) return QRect();
    return QRect(tl.x(), tl.y(), br.x() - tl.x(), br.y() - tl.y());
}

TRect TCanvasImpl::ToLogical(const QRect& r) const
{
    const QPoint off = Offset();
    return TRect{r.left() - off.x(), r.top() - off.y(), r.right() + 1 - off.x(), r.bottom() + 1 - off.y()};
}

const QRegion& TCanvasImpl::Visible()
{
    if (!FVisibleValid) {
        FVisible = Target ? QRegion(Bounds) : QRegion();
        if (State.HasClip) FVisible &= State.Clip;
        FVisibleValid = true;
    }
    return FVisible;
}

void TCanvasImpl::Bind(QImage* target, const QRect& bounds, const QPoint& origin)
{
    Target = target;
    Bounds = target ? bounds & target->rect() : QRect();
    Origin = origin;
    State.WindowOrg = QPoint();
    State.HasClip = false;
    State.Clip = QRegion();
    Saved.clear();
    ClipChanged();
}

QImage& TCanvasImpl::RequireTarget()
{
    if (!Target) throw EInvalidOperation(SNoCanvasHandle);
    return *Target;
}

// ---------------------------------------------------------------------------
// Binding (QtGraphics.h)
// ---------------------------------------------------------------------------

void BindCanvas(TCanvas& Canvas, QImage& Image, const QRect& Clip, const QPoint& Origin)
{
    Canvas.Impl().Bind(&Image, Clip, Origin);
    Canvas.Impl().Monochrome = false;
    Canvas.Reselect();
}

void UnbindCanvas(TCanvas& Canvas) { Canvas.Impl().Bind(nullptr, QRect(), QPoint()); }

// ---------------------------------------------------------------------------
// TCanvas: state
// ---------------------------------------------------------------------------

TClass TCanvas::StaticClassInfo()
{
    static const TClassInfo info("TCanvas", TPersistent::StaticClassInfo());
    return &info;
}

TCanvas::TCanvas()
    : FImpl(std::make_unique<TCanvasImpl>()),
      FFont(CreateOwned<TFont>()),
      FPen(CreateOwned<TPen>()),
      FBrush(CreateOwned<TBrush>())
{
    FFont->OnChange = [this](TObject*) { FontChanged(); };
    FBrush->OnChange = [this](TObject*) { BrushChanged(); };
    Reselect();
}

TCanvas::~TCanvas() = default;

// A new device context starts with the canvas's font and brush selected.
void TCanvas::Reselect()
{
    FontChanged();
    BrushChanged();
}

void TCanvas::FontChanged() { FImpl->State.TextColor = FFont->Color(); }

void TCanvas::BrushChanged()
{
    TDeviceState& s = FImpl->State;
    if (FBrush->Style() == bsSolid) {
        s.BkColor = FBrush->Color();
        s.BkMode = OPAQUE;
    } else {
        s.BkMode = TRANSPARENT;
    }
}

void TCanvas::Changing()
{
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() const { return TPoint{FImpl->PenPos.x(), FImpl->PenPos.y()}; }

TRect TCanvas::ClipRect() const
{
    if (!FImpl->Target) return TRect{};
    return FImpl->ToLogical(FImpl->Visible().boundingRect());
}

bool TCanvas::HandleAllocated() const { return FImpl->Target != nullptr; }

void TCanvas::Lock() { FImpl->Mutex.lock(); }
void TCanvas::Unlock() { FImpl->Mutex.unlock(); }
bool TCanvas::TryLock() { return FImpl->Mutex.try_lock(); }

TColor TCanvas::Pixels(Integer X, Integer Y)
{
    const QPoint p = FImpl->ToDevice(X, Y);
    if (!FImpl->Target || !FImpl->Visible().contains(p)) return -1;
    return FromQRgb(FImpl->Target->pixel(p));
}

void TCanvas::SetPixels(Integer X, Integer Y, TColor Color)
{
    Changing();
    TRasterWriter w(*FImpl, pmCopy);
    const QPoint p = FImpl->ToDevice(X, Y);
    w.Pixel(p.x(), p.y(), DeviceRgb(Color));
    if (w.Recording()) w.Record(RasterOp(*FImpl, QRect(p, QSize(1, 1))));
    Changed();
}

// ---------------------------------------------------------------------------
// Lines
// ---------------------------------------------------------------------------

void TCanvas::MoveTo(Integer X, Integer Y)
{
    FImpl->PenPos = QPoint(ClampCoord(X), ClampCoord(Y));
    FImpl->DashPhase = 0;
}

void TCanvas::LineTo(Integer X, Integer Y)
{
    Changing();
    TCanvasImpl& c = *FImpl;
    TRasterWriter w(c, FPen->Mode());
    const TPenInfo pen = PenInfoOf(c, *FPen);
    const QPoint a = c.ToDevice(c.PenPos.x(), c.PenPos.y());
    const QPoint b = c.ToDevice(X, Y);
    if (w.Recording()) w.Record(ShapeOp(TDrawKind::Polyline, {a, b}, c, *FPen, *FBrush));
    if (pen.Visible()) {
        if (pen.Thin()) {
            RasterThinLine(w, a, b, pen, c.DashPhase);
        } else {
            QPainterPath path(QPointF(a) + QPointF(0.5, 0.5));
            path.lineTo(QPointF(b) + QPointF(0.5, 0.5));
            StrokeWide(w, path, pen);
        }
    }
    c.PenPos = QPoint(ClampCoord(X), ClampCoord(Y));
    Changed();
}

namespace {

std::vector<QPoint> DevicePoints(const TCanvasImpl& c, std::span<const TPoint> points)
{
    std::vector<QPoint> out;
    out.reserve(points.size());
    for (const TPoint& p : points) out.push_back(c.ToDevice(p.X, p.Y));
    return out;
}

QPainterPath CentrePath(const std::vector<QPoint>& points, bool closed)
{
    QPainterPath path(QPointF(points[0]) + QPointF(0.5, 0.5));
    for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(QPointF(points[i]) + QPointF(0.5, 0.5));
    if (closed) path.closeSubpath();
    return path;
}

void OutlinePoints(TRasterWriter& w, const std::vector<QPoint>& points, const TPenInfo& pen, bool closed)
{
    if (points.empty() || !pen.Visible()) return;
    if (!pen.Thin()) {
        StrokeWide(w, CentrePath(points, closed), pen);
        return;
    }
    Integer phase = 0;
    for (std::size_t i = 1; i < points.size(); ++i) RasterThinLine(w, points[i - 1], points[i], pen, phase);
    if (closed && points.size() > 1) RasterThinLine(w, points.back(), points.front(), pen, phase);
}

}  // namespace

void TCanvas::Polyline(std::span<const TPoint> Points)
{
    Changing();
    TCanvasImpl& c = *FImpl;
    TRasterWriter w(c, FPen->Mode());
    std::vector<QPoint> points = DevicePoints(c, Points);
    OutlinePoints(w, points, PenInfoOf(c, *FPen), false);
    if (w.Recording()) w.Record(ShapeOp(TDrawKind::Polyline, std::move(points), c, *FPen, *FBrush));
    Changed();
}

void TCanvas::Polygon(std::span<const TPoint> Points)
{
    Changing();
    TCanvasImpl& c = *FImpl;
    TRasterWriter w(c, FPen->Mode());
    const std::vector<QPoint> points = DevicePoints(c, Points);
    if (FBrush->Style() != bsClear) {
        const std::vector<QPointF> corners(points.begin(), points.end());
        FillSpans(w, PolygonSpans(corners, c.State.PolyFillMode == WINDING, w.ClipBox()), BrushFillOf(c, *FBrush));
    }
    OutlinePoints(w, points, PenInfoOf(c, *FPen), true);
    if (w.Recording()) w.Record(ShapeOp(TDrawKind::Polygon, points, c, *FPen, *FBrush));
    Changed();
}

// ---------------------------------------------------------------------------
// Rectangles
// ---------------------------------------------------------------------------

namespace {

// Device rectangle with the corners in either order.
QRect NormalBox(const TCanvasImpl& c, Integer x1, Integer y1, Integer x2, Integer y2)
{
    const QPoint a = c.ToDevice(std::min(x1, x2), std::min(y1, y2));
    const QPoint b = c.ToDevice(std::max(x1, x2), std::max(y1, y2));
    return QRect(a.x(), a.y(), b.x() - a.x(), b.y() - a.y());
}

}  // namespace

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    Changing();
    TCanvasImpl& c = *FImpl;
    TRasterWriter w(c, FPen->Mode());
    const QRect box = NormalBox(c, X1, Y1, X2, Y2);
    const TPenInfo pen = PenInfoOf(c, *FPen);
    const bool filled = FBrush->Style() != bsClear;
    const TFill fill = BrushFillOf(c, *FBrush);
    if (w.Recording()) w.Record(ShapeOp(TDrawKind::Rectangle, BoxPoints(box), c, *FPen, *FBrush));
    if (!pen.Visible()) {
        if (filled) w.Rect(box.adjusted(0, 0, -1, -1), fill);
    } else if (pen.Thin()) {
        if (filled) w.Rect(box.adjusted(1, 1, -1, -1), fill);
        if (box.width() <= 2 || box.height() <= 2) {
            w.Rect(box, TFill::Solid(pen.Colour));
        } else {
            const std::vector<QPoint> corners = {box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
            OutlinePoints(w, corners, pen, true);
        }
    } else {
        // The pen is centred on the pixel-centre outline; an inside-frame
        // pen stays within the box.
        const qreal inset = pen.Style == psInsideFrame ? pen.Width / 2.0 : 0.5;
        const QRectF outline = QRectF(box).adjusted(inset, inset, -inset, -inset);
        if (filled) w.Rect(box.adjusted(1, 1, -1, -1), fill);
        QPainterPath path;
        path.addRect(outline);
        StrokeWide(w, path, pen);
    }
    Changed();
}

void TCanvas::FillRect(const TRect& R)
{
    Changing();
    ::FillRect(this, R, FBrush.get());
    Changed();
}

void TCanvas::FrameRect(const TRect& R)
{
    Changing();
    TCanvasImpl& c = *FImpl;
    TRasterWriter w(c, pmCopy);
    const QRect box = c.ToDevice(R);
    if (FBrush->Style() != bsClear && !box.isEmpty()) {
        if (w.Recording()) w.Record(FrameOp(box, BrushOf(*FBrush)));
        const TFill fill = BrushFillOf(c, *FBrush);
        w.Rect(QRect(box.left(), box.top(), box.width(), 1), fill);
        if (box.height() > 1) w.Rect(QRect(box.left(), box.bottom(), box.width(), 1), fill);
        if (box.height() > 2) {
            w.Rect(QRect(box.left(), box.top() + 1, 1, box.height() - 2), fill);
            if (box.width() > 1) w.Rect(QRect(box.right(), box.top() + 1, 1, box.height() - 2), fill);
        }
    }
    Changed();
}
