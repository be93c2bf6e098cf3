#include "platform/Graphics.h"

TClass TIcon::StaticClassInfo()
{
    static const TClassInfo info("TIcon", TBitmap::StaticClassInfo());
    return &info;
}
