#include <QBitmap>
#include <QEvent>
#include <QPixmap>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

#include "ControlHost.h"
#include "Guard.h"
#include "QtGraphics.h"
#include "platform/Forms.h"
#include "platform/SysServices.h"

namespace {

// Calls back when the watched window becomes minimised.
class MinimizeWatcher : public QObject {
public:
    explicit MinimizeWatcher(std::function<void()> OnMinimize) : FOnMinimize(std::move(OnMinimize)) {}

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::WindowStateChange && (static_cast<QWidget*>(Watched)->windowState() & Qt::WindowMinimized))
            pl::Guard(FOnMinimize);
        return false;
    }

private:
    std::function<void()> FOnMinimize;
};

}  // namespace

struct TTrayIcon::TImpl {
    QSystemTrayIcon Icon;
    QPointer<QWidget> Watched;
    std::unique_ptr<MinimizeWatcher> Watcher;
};

TTrayIcon::TTrayIcon() : FImpl(std::make_unique<TImpl>())
{
    QObject::connect(&FImpl->Icon, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
        if (!OnActivated) return;
        TTrayActivation what = taTrigger;
        switch (reason) {
        case QSystemTrayIcon::Context: what = taContext; break;
        case QSystemTrayIcon::DoubleClick: what = taDoubleClick; break;
        case QSystemTrayIcon::MiddleClick: what = taMiddleClick; break;
        default: break;
        }
        pl::Guard([this, what] { OnActivated(what); });
    });
}

TTrayIcon::~TTrayIcon() { WatchMinimize(nullptr, nullptr); }

bool TTrayIcon::Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

void TTrayIcon::SetIcon(TBitmap* Icon)
{
    QPixmap pixmap = QPixmap::fromImage(Icon->Image().Image);
    if (Icon->Transparent() && !pixmap.isNull())
        pixmap.setMask(pixmap.createMaskFromColor(ToQColor(Icon->TransparentColor()), Qt::MaskInColor));
    FImpl->Icon.setIcon(QIcon(pixmap));
}

void TTrayIcon::SetToolTip(const String& Text) { FImpl->Icon.setToolTip(QString::fromStdString(Text)); }

void TTrayIcon::SetVisible(bool Value) { FImpl->Icon.setVisible(Value && Available()); }

bool TTrayIcon::Visible() const { return FImpl->Icon.isVisible(); }

void TTrayIcon::WatchMinimize(TCustomForm* Form, std::function<void()> OnMinimize)
{
    if (FImpl->Watched && FImpl->Watcher) FImpl->Watched->removeEventFilter(FImpl->Watcher.get());
    FImpl->Watched = nullptr;
    FImpl->Watcher.reset();
    QWidget* widget = Form ? Form->Host().Widget : nullptr;
    if (!widget || !OnMinimize) return;
    FImpl->Watcher = std::make_unique<MinimizeWatcher>(std::move(OnMinimize));
    FImpl->Watched = widget;
    widget->installEventFilter(FImpl->Watcher.get());
}
