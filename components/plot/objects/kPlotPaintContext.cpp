#include "components/plot/objects/kPlotPaintContext.h"

#include "platform/Math.h"

bool TkPlotOccupiedRects::TryAdd(const TRect& Rect)
{
    TRect common;
    for (const TRect& taken : FTaken)
        if (IntersectRect(common, taken, Rect)) return false;
    if (!FTaken.empty() && (!IntersectRect(common, Rect, FView) || common != Rect)) return false;
    FTaken.push_back(Rect);
    return true;
}

bool TkPlotPaintContext::PercentToPixels(Double Percent, bool Vertical, Integer& Pixel) const
{
    if (!DataView) return false;
    Pixel = Vertical ? ViewPercentToPixelsY(*DataView, Percent) : ViewPercentToPixelsX(*DataView, Percent);
    return true;
}

Integer ViewPercentToPixelsX(const TRect& View, Double Percent)
{
    const Int64 width = Int64{View.Right} - View.Left;
    if (width == 0) return View.Left;
    return RoundPix(Extended(width) * Percent / 100 + View.Left);
}

Integer ViewPercentToPixelsY(const TRect& View, Double Percent)
{
    const Int64 height = Int64{View.Bottom} - View.Top;
    if (height == 0) return View.Top;
    return RoundPix(Extended(height) * (100 - Extended(Percent)) / 100 + View.Top);
}

Double ViewPixelsXToPercent(const TRect& View, Integer X)
{
    const Int64 width = Int64{View.Right} - View.Left;
    if (width == 0) return 0;
    return Double((Extended(X) - View.Left) / width * 100);
}

Double ViewPixelsYToPercent(const TRect& View, Integer Y)
{
    const Int64 height = Int64{View.Bottom} - View.Top;
    if (height == 0) return 0;
    return Double((1 - (Extended(Y) - View.Top) / height) * 100);
}
