#include <QWidget>

#include "ControlHost.h"
#include "platform/Controls.h"
#include "platform/SysApi.h"

bool InvalidateRect(TControl* Control, const TRect* R)
{
    QWidget* widget = Control ? Control->Host().Widget : nullptr;
    if (!widget) return false;
    if (R)
        widget->update(QRect(R->Left, R->Top, R->Width(), R->Height()));
    else
        widget->update();
    return true;
}
