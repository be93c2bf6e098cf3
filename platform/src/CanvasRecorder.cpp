// Building the operations a canvas hands to its recorder.

#include "CanvasRecorder.h"

#include "CanvasImpl.h"
#include "QtGraphics.h"

namespace {

TDrawPen PenOf(const TPen& Pen) { return TDrawPen{ColorToRGB(Pen.Color()), Pen.Style(), Pen.Width(), Pen.Mode()}; }

}  // namespace

TDrawBrush BrushOf(const TBrush& Brush) { return TDrawBrush{ColorToRGB(Brush.Color()), Brush.Style()}; }

TDrawBrush SolidBrush(QRgb Colour) { return TDrawBrush{FromQRgb(Colour), bsSolid}; }

std::vector<QPoint> BoxPoints(const QRect& Box) { return {Box.topLeft(), Box.bottomRight() + QPoint(1, 1)}; }

TDrawOp ShapeOp(TDrawKind Kind, std::vector<QPoint> Points, const TCanvasImpl& Canvas, const TPen& Pen,
                const TBrush& Brush)
{
    TDrawOp op;
    op.Kind = Kind;
    op.Points = std::move(Points);
    op.Pen = PenOf(Pen);
    op.Brush = BrushOf(Brush);
    op.Winding = Canvas.State.PolyFillMode == WINDING;
    return op;
}

TDrawOp FillOp(TDrawKind Kind, std::vector<QPoint> Points, const TDrawBrush& Brush)
{
    TDrawOp op;
    op.Kind = Kind;
    op.Points = std::move(Points);
    op.Pen.Style = psClear;
    op.Brush = Brush;
    return op;
}

TDrawOp FrameOp(const QRect& Box, const TDrawBrush& Brush)
{
    TDrawOp op;
    op.Kind = TDrawKind::Rectangle;
    op.Points = BoxPoints(Box);
    // Width 0: one pixel at any scale, as the frame is drawn.
    op.Pen = TDrawPen{Brush.Color, psSolid, 0, pmCopy};
    op.Brush.Style = bsClear;
    return op;
}

TDrawOp TextOp(QPoint Ref, const QString& Text, const TFont& Font, QRgb Colour, std::vector<Integer> Advances)
{
    TDrawOp op;
    op.Kind = TDrawKind::Text;
    op.Points = {Ref};
    op.Text = TDrawText{Text, TDrawFont{Font.Name(), Font.Height(), Font.Style(), Font.Orientation()},
                        FromQRgb(Colour), std::move(Advances)};
    return op;
}

TDrawOp RasterOp(const TCanvasImpl& Canvas, const QRect& Area)
{
    TDrawOp op;
    op.Kind = TDrawKind::Raster;
    const QRect box = Canvas.Target ? Area & Canvas.Target->rect() : QRect();
    if (box.isEmpty()) return op;
    op.Points = BoxPoints(box);
    op.Pixels = Canvas.Target->copy(box);
    return op;
}

void SolidRect(TRasterWriter& w, const QRect& r, QRgb colour)
{
    w.Rect(r, TFill::Solid(colour));
    if (w.Recording() && !r.isEmpty()) w.Record(FillOp(TDrawKind::FillRect, BoxPoints(r), SolidBrush(colour)));
}

void RecordRaster(TCanvasImpl& Canvas, const QRect& Area)
{
    if (!Canvas.Recorder) return;
    TDrawOp op = RasterOp(Canvas, Area);
    if (op.Points.empty()) return;
    const QRegion& visible = Canvas.Visible();
    Canvas.Recorder->Record(std::move(op), std::span<const QRect>(visible.begin(), visible.end()));
}
