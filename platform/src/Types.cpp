#include "platform/Types.h"

#include <algorithm>

bool IntersectRect(TRect& result, const TRect& a, const TRect& b)
{
    result = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
              std::min(a.Bottom, b.Bottom)};
    if (IsRectEmpty(result)) {
        result = {};
        return false;
    }
    return true;
}

bool UnionRect(TRect& result, const TRect& a, const TRect& b)
{
    if (IsRectEmpty(a)) {
        result = b;
    } else if (IsRectEmpty(b)) {
        result = a;
    } else {
        result = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                  std::max(a.Bottom, b.Bottom)};
    }
    if (IsRectEmpty(result)) {
        result = {};
        return false;
    }
    return true;
}

void OffsetRect(TRect& r, Integer dx, Integer dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

void InflateRect(TRect& r, Integer dx, Integer dy)
{
    r.Left -= dx;
    r.Right += dx;
    r.Top -= dy;
    r.Bottom += dy;
}
