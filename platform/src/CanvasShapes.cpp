// Ellipses, rounded rectangles, arcs, pies and chords by the box rule:
// the shape with a pen covers [X1, X2) x [Y1, Y2). Thin outlines and all
// fills are rasterised here row by row, symmetric about the centre; wide
// outlines are stroked through a mask.

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "CanvasImpl.h"
#include "platform/Math.h"

namespace {

constexpr double kTwoPi = 6.283185307179586476925286766559;

// The rows of a box [left, right] x [top, bottom] (inclusive pixels)
// whose corners are quarter ellipses of the given width and height; an
// ellipse is a box whose corner ellipse is the box itself.
class TRoundBox {
public:
    TRoundBox(const QRect& box, Integer cornerW, Integer cornerH)
        : FBox(box),
          FA((std::clamp(cornerW, 0, box.width()) - 1) / 2.0),
          FB((std::clamp(cornerH, 0, box.height()) - 1) / 2.0)
    {
    }

    const QRect& Box() const { return FBox; }
    double CentreX() const { return FBox.left() + (FBox.width() - 1) / 2.0; }
    double CentreY() const { return FBox.top() + (FBox.height() - 1) / 2.0; }

    // Inclusive span of row y (FBox.top() <= y <= FBox.bottom()).
    std::pair<Integer, Integer> Row(Integer y) const
    {
        const Integer fromEdge = std::min(y - FBox.top(), FBox.bottom() - y);
        Integer inset = 0;
        if (FA > 0 && FB > 0 && fromEdge < FB) {
            const double dy = (FB - fromEdge) / FB;
            const double half = FA * std::sqrt(std::max(0.0, 1.0 - dy * dy));
            inset = std::min(RoundPix(std::floor(FA - half + 0.5)), RoundPix(std::floor(FA)));
        }
        return {FBox.left() + inset, FBox.right() - inset};
    }

    // The outline part of row y: pixels [left, leftEnd] and [rightStart, right].
    struct TOutlineRow {
        Integer Left, LeftEnd, RightStart, Right;
    };
    TOutlineRow Outline(Integer y) const
    {
        const auto [l, r] = Row(y);
        if (y == FBox.top() || y == FBox.bottom()) return {l, r, l, r};
        const auto [ul, ur] = Row(y - 1);
        const auto [dl, dr] = Row(y + 1);
        const Integer leftEnd = std::max(l, std::max(ul, dl) - 1);
        const Integer rightStart = std::min(r, std::min(ur, dr) + 1);
        return {l, leftEnd, rightStart, r};
    }

private:
    QRect FBox;
    double FA, FB;
};

// Which part of the ellipse an arc, pie or chord keeps: the sweep
// counter-clockwise (as seen on the screen) from the ray through Start to
// the ray through End; equal angles keep the whole ellipse.
struct TSweep {
    bool Whole = true;
    double Start = 0, Span = kTwoPi;
    double Cx = 0, Cy = 0;

    static double Angle(double dx, double dy) { return std::atan2(-dy, dx); }
    bool Contains(double x, double y) const
    {
        if (Whole) return true;
        const double d = std::fmod(Angle(x - Cx, y - Cy) - Start + 2 * kTwoPi, kTwoPi);
        return d <= Span;
    }
};

TSweep SweepOf(const TRoundBox& shape, QPoint start, QPoint end)
{
    TSweep s;
    s.Cx = shape.CentreX();
    s.Cy = shape.CentreY();
    const double a0 = TSweep::Angle(start.x() - s.Cx, start.y() - s.Cy);
    const double a1 = TSweep::Angle(end.x() - s.Cx, end.y() - s.Cy);
    s.Start = a0;
    s.Span = std::fmod(a1 - a0 + 2 * kTwoPi, kTwoPi);
    s.Whole = s.Span == 0;
    return s;
}

// Where the ray from the centre at angle theta leaves the ellipse.
QPointF EllipsePoint(const TRoundBox& shape, double theta)
{
    const double a = (shape.Box().width() - 1) / 2.0;
    const double b = (shape.Box().height() - 1) / 2.0;
    const double c = std::cos(theta), s = std::sin(theta);
    const double den = std::sqrt(b * b * c * c + a * a * s * s);
    const double r = den > 0 ? a * b / den : 0;
    return QPointF(shape.CentreX() + r * c, shape.CentreY() - r * s);
}

QPoint RoundedPoint(QPointF p) { return QPoint(RoundPix(p.x()), RoundPix(p.y())); }

enum class TCut { None, Pie, Chord };

// Which interior pixels a pie or chord keeps.
struct TRegionTest {
    TCut Cut = TCut::None;
    TSweep Sweep;
    QPointF From, To;  // the chord

    bool Contains(Integer x, Integer y) const
    {
        switch (Cut) {
            case TCut::None: return true;
            case TCut::Pie: return Sweep.Contains(x, y);
            case TCut::Chord: {
                // The arc side lies to the right of the chord walked from its
                // start to its end (y grows downward here).
                const double cross = (To.x() - From.x()) * (y - From.y()) - (To.y() - From.y()) * (x - From.x());
                return cross >= 0;
            }
        }
        return true;
    }
};

void FillInterior(TRasterWriter& w, const TRoundBox& shape, bool withOutline, const TRegionTest& test,
                  const TFill& fill)
{
    const QRect& box = shape.Box();
    const Integer y0 = std::max(box.top(), w.ClipBox().top());
    const Integer y1 = std::min(box.bottom(), w.ClipBox().bottom());
    for (Integer y = y0; y <= y1; ++y) {
        Integer from, to;
        if (withOutline) {
            const auto o = shape.Outline(y);
            from = o.LeftEnd + 1;
            to = o.RightStart - 1;
        } else {
            std::tie(from, to) = shape.Row(y);
        }
        if (test.Cut == TCut::None) {
            w.Span(y, from, to + 1, fill);
            continue;
        }
        from = std::max(from, w.ClipBox().left());
        to = std::min(to, w.ClipBox().right());
        for (Integer x = from; x <= to; ++x)
            if (test.Contains(x, y)) w.Span(y, x, x + 1, fill);
    }
}

// Thin outline pixels inside the sweep, dashed by their order around the
// centre.
void ThinOutline(TRasterWriter& w, const TRoundBox& shape, const TSweep& sweep, const TPenInfo& pen)
{
    const QRect& box = shape.Box();
    const Integer y0 = std::max(box.top(), w.ClipBox().top());
    const Integer y1 = std::min(box.bottom(), w.ClipBox().bottom());
    std::vector<QPoint> pixels;
    for (Integer y = y0; y <= y1; ++y) {
        const auto o = shape.Outline(y);
        const auto add = [&](Integer from, Integer to) {
            for (Integer x = std::max(from, w.ClipBox().left()); x <= std::min(to, w.ClipBox().right()); ++x)
                if (sweep.Contains(x, y)) pixels.emplace_back(x, y);
        };
        add(o.Left, o.LeftEnd);
        if (o.RightStart > o.LeftEnd) add(o.RightStart, o.Right);
        else add(o.LeftEnd + 1, o.Right);
    }
    if (!pen.Dashed()) {
        for (const QPoint& p : pixels) w.Pixel(p.x(), p.y(), pen.Colour);
        return;
    }
    const double cx = shape.CentreX(), cy = shape.CentreY();
    const auto order = [&](const QPoint& p) {
        return std::fmod(TSweep::Angle(p.x() - cx, p.y() - cy) - sweep.Start + 2 * kTwoPi, kTwoPi);
    };
    std::sort(pixels.begin(), pixels.end(), [&](const QPoint& a, const QPoint& b) { return order(a) < order(b); });
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (PenPatternOn(pen.Style, static_cast<Int64>(i))) w.Pixel(pixels[i].x(), pixels[i].y(), pen.Colour);
        else if (pen.Opaque) w.Pixel(pixels[i].x(), pixels[i].y(), pen.Back);
    }
}

double ParametricDegrees(const TRoundBox& shape, double theta)
{
    const double a = std::max(1.0, (shape.Box().width() - 1) / 2.0);
    const double b = std::max(1.0, (shape.Box().height() - 1) / 2.0);
    return std::atan2(std::sin(theta) / b, std::cos(theta) / a) * 360.0 / kTwoPi;
}

// The outline as a path through pixel centres, for wide pens.
QPainterPath WidePath(const TRoundBox& shape, Integer cornerW, Integer cornerH, const TPenInfo& pen, TCut cut,
                      const TSweep& sweep)
{
    const qreal inset = pen.Style == psInsideFrame ? pen.Width / 2.0 : 0.5;
    const QRectF r = QRectF(shape.Box()).adjusted(inset, inset, 1 - inset, 1 - inset);
    QPainterPath path;
    if (sweep.Whole && cut == TCut::None) {
        path.addRoundedRect(r, cornerW / 2.0, cornerH / 2.0);
        return path;
    }
    const double start = ParametricDegrees(shape, sweep.Start);
    double span = ParametricDegrees(shape, sweep.Start + sweep.Span) - start;
    if (span <= 0) span += 360;
    if (sweep.Whole) span = 360;
    if (cut == TCut::Pie) {
        path.moveTo(r.center());
        path.arcTo(r, start, span);
        path.closeSubpath();
    } else {
        path.arcMoveTo(r, start);
        path.arcTo(r, start, span);
        if (cut == TCut::Chord) path.closeSubpath();
    }
    return path;
}

struct TShapeCall {
    Integer X1, Y1, X2, Y2;
    Integer CornerW = -1, CornerH = -1;  // -1: the box itself (an ellipse)
    TCut Cut = TCut::None;
    bool Filled = true;  // Arc does not fill
    bool Partial = false;
    Integer X3 = 0, Y3 = 0, X4 = 0, Y4 = 0;
};

TDrawKind KindOf(const TShapeCall& call)
{
    if (!call.Partial) return call.CornerW < 0 ? TDrawKind::Ellipse : TDrawKind::RoundRect;
    if (call.Cut == TCut::Pie) return TDrawKind::Pie;
    return call.Cut == TCut::Chord ? TDrawKind::Chord : TDrawKind::Arc;
}

// The box, then the corner size or the start and end points (device).
std::vector<QPoint> CallPoints(const TCanvasImpl& c, const QRect& box, const TShapeCall& call)
{
    std::vector<QPoint> points = BoxPoints(box);
    if (call.Partial) {
        points.push_back(c.ToDevice(call.X3, call.Y3));
        points.push_back(c.ToDevice(call.X4, call.Y4));
    } else if (call.CornerW >= 0) {
        points.emplace_back(call.CornerW, call.CornerH);
    }
    return points;
}

}  // namespace

// Shared by Ellipse, RoundRect, Arc, Pie and Chord.
static void DrawRoundShape(TCanvasImpl& c, const TPen& penObj, const TBrush& brush, const TShapeCall& call)
{
    TRasterWriter w(c, penObj.Mode());
    const QPoint a = c.ToDevice(std::min(call.X1, call.X2), std::min(call.Y1, call.Y2));
    const QPoint b = c.ToDevice(std::max(call.X1, call.X2), std::max(call.Y1, call.Y2));
    const QRect box(a.x(), a.y(), b.x() - a.x(), b.y() - a.y());
    if (box.isEmpty()) return;
    const Integer cw = call.CornerW < 0 ? box.width() : call.CornerW;
    const Integer ch = call.CornerH < 0 ? box.height() : call.CornerH;
    const TPenInfo pen = PenInfoOf(c, penObj);
    if (w.Recording()) w.Record(ShapeOp(KindOf(call), CallPoints(c, box, call), c, penObj, brush));

    const TRoundBox shape(box, cw, ch);
    TSweep sweep;
    if (call.Partial) sweep = SweepOf(shape, c.ToDevice(call.X3, call.Y3), c.ToDevice(call.X4, call.Y4));
    TRegionTest test{call.Cut, sweep, {}, {}};
    const QPoint from = RoundedPoint(EllipsePoint(shape, sweep.Start));
    const QPoint to = RoundedPoint(EllipsePoint(shape, sweep.Start + sweep.Span));
    test.From = from;
    test.To = to;
    if (sweep.Whole) test.Cut = TCut::None;

    if (call.Filled && brush.Style() != bsClear) {
        const TFill fill = BrushFillOf(c, brush);
        if (pen.Visible()) FillInterior(w, shape, true, test, fill);
        else if (box.width() > 1 && box.height() > 1)
            FillInterior(w, TRoundBox(box.adjusted(0, 0, -1, -1), cw, ch), false, test, fill);
    }
    if (!pen.Visible()) return;
    if (!pen.Thin()) {
        StrokeWide(w, WidePath(shape, cw, ch, pen, call.Cut, sweep), pen);
        return;
    }
    ThinOutline(w, shape, sweep, pen);
    if (sweep.Whole || call.Cut == TCut::None) return;
    Integer phase = 0;
    const QPoint centre = RoundedPoint(QPointF(shape.CentreX(), shape.CentreY()));
    if (call.Cut == TCut::Pie) {
        RasterThinLine(w, to, centre, pen, phase);
        RasterThinLine(w, centre, from, pen, phase);
    } else {
        RasterThinLine(w, to, from, pen, phase);
    }
}

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    Changing();
    DrawRoundShape(*FImpl, *FPen, *FBrush, TShapeCall{X1, Y1, X2, Y2});
    Changed();
}

void TCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3)
{
    Changing();
    TShapeCall call{X1, Y1, X2, Y2};
    call.CornerW = std::max(0, X3);
    call.CornerH = std::max(0, Y3);
    DrawRoundShape(*FImpl, *FPen, *FBrush, call);
    Changed();
}

namespace {

TShapeCall PartialCall(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4,
                       Integer Y4, TCut cut, bool filled)
{
    TShapeCall call{X1, Y1, X2, Y2};
    call.Cut = cut;
    call.Filled = filled;
    call.Partial = true;
    call.X3 = X3;
    call.Y3 = Y3;
    call.X4 = X4;
    call.Y4 = Y4;
    return call;
}

}  // namespace

void TCanvas::Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4)
{
    Changing();
    DrawRoundShape(*FImpl, *FPen, *FBrush, PartialCall(X1, Y1, X2, Y2, X3, Y3, X4, Y4, TCut::None, false));
    Changed();
}

void TCanvas::Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4)
{
    Changing();
    DrawRoundShape(*FImpl, *FPen, *FBrush, PartialCall(X1, Y1, X2, Y2, X3, Y3, X4, Y4, TCut::Pie, true));
    Changed();
}

void TCanvas::Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4)
{
    Changing();
    DrawRoundShape(*FImpl, *FPen, *FBrush, PartialCall(X1, Y1, X2, Y2, X3, Y3, X4, Y4, TCut::Chord, true));
    Changed();
}
