// Many lines through one pixel writer.

#include "CanvasImpl.h"

struct TLineBatch::TImpl {
    TImpl(TCanvasImpl& Canvas, const TPen& Pen, const TBrush& Brush)
        : Writer(Canvas, Pen.Mode()), PenInfo(PenInfoOf(Canvas, Pen)),
          Pending(ShapeOp(TDrawKind::Polyline, {}, Canvas, Pen, Brush))
    {
    }

    // Lines that join end to start are recorded as one polyline.
    void RecordLine(QPoint A, QPoint B)
    {
        if (!Pending.Points.empty() && Pending.Points.back() != A) RecordPending();
        if (Pending.Points.empty()) Pending.Points.push_back(A);
        Pending.Points.push_back(B);
    }
    void RecordPending()
    {
        if (Pending.Points.empty()) return;
        TDrawOp op = Pending;
        Pending.Points.clear();
        Writer.Record(std::move(op));
    }

    TRasterWriter Writer;
    const TPenInfo PenInfo;
    TDrawOp Pending;  // the polyline being recorded
};

TLineBatch::TLineBatch(TCanvas& Canvas)
    : FImpl(std::make_unique<TImpl>(Canvas.Impl(), *Canvas.Pen(), *Canvas.Brush()))
{
    const QPoint offset = Canvas.Impl().Offset();
    FOffsetX = offset.x();
    FOffsetY = offset.y();
    const TPenInfo& pen = FImpl->PenInfo;
    // A recorder sees every line as handed over.
    FMerge = pen.Visible() && pen.Thin() && !pen.Dashed() && FImpl->Writer.Idempotent() && !FImpl->Writer.Recording();
}

// Pixel writes cannot fail: the run left open is painted on every path.
TLineBatch::~TLineBatch() { FlushRun(); }

void TLineBatch::Finish()
{
    if (FImpl->Writer.Recording()) FImpl->RecordPending();
}

void TLineBatch::FlushRun()
{
    if (FRunFirst <= FRunLast) FImpl->Writer.Column(FRunX, FRunFirst, FRunLast, FImpl->PenInfo.Colour);
    FRunFirst = 0;
    FRunLast = -1;
}

void TLineBatch::Draw(Integer AX, Integer AY, Integer BX, Integer BY)
{
    const TPenInfo& pen = FImpl->PenInfo;
    if (!pen.Visible()) return;
    const QPoint a(AX, AY);
    const QPoint b(BX, BY);
    if (FImpl->Writer.Recording()) FImpl->RecordLine(a, b);
    if (pen.Thin()) {
        Integer phase = 0;
        RasterThinLine(FImpl->Writer, a, b, pen, phase);
        return;
    }
    QPainterPath path(QPointF(a) + QPointF(0.5, 0.5));
    path.lineTo(QPointF(b) + QPointF(0.5, 0.5));
    StrokeWide(FImpl->Writer, path, pen);
}

void TCanvas::DrawLines(const std::function<void(TLineBatch& Batch)>& Lines)
{
    Changing();
    {
        TLineBatch batch(*this);
        Lines(batch);
        batch.Finish();
    }
    Changed();
}
