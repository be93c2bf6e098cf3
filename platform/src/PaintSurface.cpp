#include <QPainter>
#include <QWidget>

#include "ControlHost.h"
#include "Guard.h"
#include "MessageLoop.h"
#include "QtGraphics.h"
#include "platform/Controls.h"

namespace {

void ClearToTransparent(QImage& Image, const QRect& Area)
{
    QPainter clear(&Image);
    clear.setCompositionMode(QPainter::CompositionMode_Source);
    clear.fillRect(Area, Qt::transparent);
}

// Bounds set during a paint take effect once the paint is over.
void ApplyPendingBounds(TControl* Control)
{
    TControlHost& host = Control->Host();
    if (!host.BoundsPending) return;
    host.BoundsPending = false;
    TWeakRef<TControl> alive(Control);
    const TRect r = host.PendingBounds;
    pl::PostCall([alive, r] {
        if (TControl* c = alive.Get()) c->SetBoundsRect(r);
    });
}

}  // namespace

TPaintSurface::TPaintSurface(TControl* Control, bool Windowed, std::function<void()> Paint)
    : FControl(Control), FWindowed(Windowed), FPaint(std::move(Paint)), FCanvas(CreateOwned<TCanvas>())
{
    // Drawing outside a paint lands in the retained image; show it.
    if (FWindowed)
        FCanvas->OnChange = [Control](TObject*) {
            if (!Control->Host().InPaint) Control->Invalidate();
        };
}

TPaintSurface::~TPaintSurface() { UnbindCanvas(*FCanvas); }

TCanvas* TPaintSurface::Canvas() const
{
    EnsureBacking();
    return FCanvas.get();
}

bool TPaintSurface::EnsureBacking() const
{
    QImage& backing = FControl->Host().Backing;
    const QSize size(FControl->Width(), FControl->Height());
    if (size.isEmpty()) {
        if (!backing.isNull()) {
            UnbindCanvas(*FCanvas);
            backing = QImage();
        }
        return false;
    }
    const QImage::Format format = FWindowed ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    if (backing.size() != size || backing.format() != format) {
        UnbindCanvas(*FCanvas);
        backing = QImage(size, format);
        backing.fill(FWindowed ? ToQRgb(FControl->Color()) : 0);
        BindCanvas(*FCanvas, backing, backing.rect());
    }
    return true;
}

void TPaintSurface::CreateWnd()
{
    pl::AttachWidget(FControl, new pl::LayerWidget<QWidget>(FControl, false), false);
    FControl->Host().Painter = [this](QWidget* w, const QRect& dirty) {
        PaintCycle({dirty.left(), dirty.top(), dirty.right() + 1, dirty.bottom() + 1});
        const QImage& backing = FControl->Host().Backing;
        if (backing.isNull()) return;
        QPainter painter(w);
        painter.drawImage(dirty, backing, dirty);
    };
}

void TPaintSurface::PaintCycle(const TRect& DirtyRect)
{
    if (!EnsureBacking()) return;
    TControlHost& host = FControl->Host();
    const QRect dirty =
        QRect(DirtyRect.Left, DirtyRect.Top, DirtyRect.Width(), DirtyRect.Height()) & host.Backing.rect();
    if (dirty.isEmpty()) return;
    if (!FWindowed)
        ClearToTransparent(host.Backing, dirty);
    else if (!FControl->ControlStyle().Contains(csOpaque))
        QPainter(&host.Backing).fillRect(dirty, ToQColor(FControl->Color()));
    BindCanvas(*FCanvas, host.Backing, dirty);
    host.InPaint = true;
    pl::Guard(FPaint);
    host.InPaint = false;
    BindCanvas(*FCanvas, host.Backing, host.Backing.rect());
    ApplyPendingBounds(FControl);
}
