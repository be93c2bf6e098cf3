// Many lines through one pixel writer.

#include "CanvasImpl.h"

struct TLineBatch::TImpl {
    TImpl(TCanvasImpl& Canvas, const TPen& Pen) : Writer(Canvas, Pen.Mode()), PenInfo(PenInfoOf(Canvas, Pen)) {}

    TRasterWriter Writer;
    const TPenInfo PenInfo;
};

TLineBatch::TLineBatch(TCanvas& Canvas) : FImpl(std::make_unique<TImpl>(Canvas.Impl(), *Canvas.Pen()))
{
    const QPoint offset = Canvas.Impl().Offset();
    FOffsetX = offset.x();
    FOffsetY = offset.y();
    const TPenInfo& pen = FImpl->PenInfo;
    FMerge = pen.Visible() && pen.Thin() && !pen.Dashed() && FImpl->Writer.Idempotent();
}

// Pixel writes cannot fail: the run left open is painted on every path.
TLineBatch::~TLineBatch() { FlushRun(); }

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
    }
    Changed();
}
