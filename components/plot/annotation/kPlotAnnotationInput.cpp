// The mouse on an annotation: hit test, cursor, moving by a drag and
// resizing by a sizing handle, the click and the popup menu.
//
// A handler of any of the plot's events may delete the annotation, so every
// event is fired last or followed by a check that the annotation lives.

#include <algorithm>
#include <cmath>

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "platform/Math.h"

namespace {

// A pixel moved by a drag's offset, within the range of the conversions.
Integer Shift(Integer Pixel, Int64 By)
{
    return Integer(std::clamp<Int64>(Pixel + By, -TkPlotAnnotation::MaxPixel, TkPlotAnnotation::MaxPixel));
}

}  // namespace

bool TkPlotAnnotation::IsResizableStyle() const
{
    switch (FStyle) {
    case kpasRectangle:
    case kpasTextRectangle:
    case kpasEllipse:
    case kpasEllipse2:
    case kpasRectangle2: return true;
    default: return false;
    }
}

bool TkPlotAnnotation::CanResize() const { return FUserCanSize && IsResizableStyle() && UserSelected(); }

TkPlotAnnotationSelectStyle TkPlotAnnotation::HandleAt(TPoint P) const
{
    // Tried in this order: a press on two overlapping handles of a tiny
    // shape takes the first.
    const std::pair<std::size_t, TkPlotAnnotationSelectStyle> order[] = {{0, kpassSizeTopLeft},
                                                                         {3, kpassSizeBottomRight},
                                                                         {1, kpassSizeTopRight},
                                                                         {2, kpassSizeBottomLeft}};
    for (const auto& [index, style] : order)
        if (PtInRect(FHandles[index], P)) return style;
    return kpassNone;
}

bool TkPlotAnnotation::kMouseHitTest(const TkPlotMouseData& MouseData)
{
    if (FSelectModeOnlyInteraction) {
        const TkPlotInputHost* input = Host().Input;
        if (!input || !input->IsToolBarSelectMode()) return false;
    }
    if (!FShowing) return false;
    const TPoint p = Point(MouseData.X, MouseData.Y);
    if (PtInRect(FClickRect, p)) return true;
    return std::any_of(FHandles.begin(), FHandles.end(), [p](const TRect& Handle) { return PtInRect(Handle, p); });
}

TCursor TkPlotAnnotation::GetMouseCursor(TPoint P)
{
    TCursor cursor = crHandPoint;
    if (CanResize()) {
        const TkPlotAnnotationSelectStyle handle = HandleAt(P);
        if (handle == kpassSizeTopLeft || handle == kpassSizeBottomRight) cursor = crSizeNWSE;
        if (handle == kpassSizeTopRight || handle == kpassSizeBottomLeft) cursor = crSizeNESW;
    }
    Fire(PlotEvent::GetMouseCursor{this, cursor});
    return cursor;
}

void TkPlotAnnotation::DoMouseLeft(const TkPlotMouseData& MouseData)
{
    FSelectStyle = kpassNone;
    FPress.reset();
    if (!FShowing) return;
    const TPoint screen = Point(MouseData.X, MouseData.Y);
    if (CanResize()) FSelectStyle = HandleAt(screen);
    if (FSelectStyle == kpassNone && FUserCanMove) FSelectStyle = kpassMove;
    TPress press;
    press.Screen = screen;
    press.Axes = Point(MouseData.XAxisPixels, MouseData.YAxisPixels);
    const TkPlotPaintContext frame = BoundContext();
    press.PositionPixels = Point(ToPixels(frame, kcPositionX, FX), ToPixels(frame, kcPositionY, FY));
    press.Rect = FDrawRect;
    press.X = FX;
    press.Y = FY;
    press.X2 = FX2;
    press.Y2 = FY2;
    press.Points = FPolyPoints;
    FPress = std::move(press);
}

void TkPlotAnnotation::DoMouseMove(const TkPlotMouseData& MouseData)
{
    if (!UserSelected() || !FPress) return;
    TWeakRef<TkPlotObject> self(this);
    if (FSelectStyle == kpassMove)
        MoveTo(MouseData);
    else if (FSelectStyle != kpassNone)
        ResizeTo(MouseData);
    if (self) DoChange();
}

void TkPlotAnnotation::MoveTo(const TkPlotMouseData& MouseData)
{
    // In the axes' frame: the offset of the press from the annotation's
    // position keeps the shape where the mouse took it.
    const TPress& press = *FPress;
    const Int64 dx = Int64{press.PositionPixels.X} - press.Axes.X;
    const Int64 dy = Int64{press.PositionPixels.Y} - press.Axes.Y;
    const TkPlotPaintContext frame = BoundContext();
    const Double x = ToValue(frame, kcPositionX, Shift(MouseData.XAxisPixels, dx));
    const Double y = ToValue(frame, kcPositionY, Shift(MouseData.YAxisPixels, dy));
    FX = x;
    FY = y;
    if (FStyle == kpasEllipse || FStyle == kpasRectangle2) {
        FX2 = press.X2 - press.X + x;
        FY2 = press.Y2 - press.Y + y;
    }
    // The polygon's points go along: moving it by its outline is what a
    // user expects, though its X and Y place nothing.
    if (FStyle == kpasPolygon) {
        for (std::size_t i = 0; i < FPolyPoints.size() && i < press.Points.size(); ++i)
            FPolyPoints[i] = {press.Points[i].X - press.X + x, press.Points[i].Y - press.Y + y};
    }
    FPress->RectChange = true;
    TWeakRef<TkPlotObject> self(this);
    DoChange();
    if (self) FireEvent(kpaeMoveUser);
    if (self) FireEvent(kpaeCoordinatesChange);
}

void TkPlotAnnotation::ResizeTo(const TkPlotMouseData& MouseData)
{
    // On screen: the dragged corner's two edges follow the mouse.
    TRect r = FPress->Rect;
    const Int64 ox = Int64{MouseData.X} - FPress->Screen.X;
    const Int64 oy = Int64{MouseData.Y} - FPress->Screen.Y;
    const bool left = FSelectStyle == kpassSizeTopLeft || FSelectStyle == kpassSizeBottomLeft;
    const bool top = FSelectStyle == kpassSizeTopLeft || FSelectStyle == kpassSizeTopRight;
    Integer& x = left ? r.Left : r.Right;
    Integer& y = top ? r.Top : r.Bottom;
    x = Shift(x, ox);
    y = Shift(y, oy);
    TWeakRef<TkPlotObject> self(this);
    SetFromPixelRect(r);
    if (self) FireEvent(kpaeResizeUser);
}

void TkPlotAnnotation::SetFromPixelRect(const TRect& Rect)
{
    // The rectangle in the axes' frame: X along the X axis.
    const bool reversed = XYAxesReversed();
    const Integer l = reversed ? Rect.Top : Rect.Left;
    const Integer r = reversed ? Rect.Bottom : Rect.Right;
    const Integer t = reversed ? Rect.Left : Rect.Top;
    const Integer b = reversed ? Rect.Right : Rect.Bottom;
    const TkPlotPaintContext frame = BoundContext();
    const auto value = [&](TCoordinate Coordinate, Integer Pixel) { return ToValue(frame, Coordinate, Pixel); };
    if (FStyle == kpasEllipse || FStyle == kpasRectangle2) {
        FX = value(kcPositionX, l);
        FY = value(kcPositionY, t);
        FX2 = value(kcPositionX, r);
        FY2 = value(kcPositionY, b);
    } else {
        FX = (value(kcPositionX, l) + value(kcPositionX, r)) / 2;
        FY = (value(kcPositionY, t) + value(kcPositionY, b)) / 2;
        FWidth = std::fabs(value(kcSizeX, r) - value(kcSizeX, l));
        FHeight = std::fabs(value(kcSizeY, b) - value(kcSizeY, t));
    }
    FPress->RectChange = true;
    TWeakRef<TkPlotObject> self(this);
    DoChange();
    if (self) FireEvent(kpaeCoordinatesChange);
}

void TkPlotAnnotation::DoMouseUp(const TkPlotMouseData& MouseData)
{
    if (!FPress) return;
    const bool changed = FPress->RectChange;
    FPress.reset();
    FSelectStyle = kpassNone;
    TWeakRef<TkPlotObject> self(this);
    if (kMouseHitTest(MouseData))
        Fire(PlotEvent::Click{this});
    if (self && changed) FireEvent(kpaeCoordinatesChangeFinished);
}

void TkPlotAnnotation::BuildPopupMenu(TPopupMenu* PopupMenu)
{
    TkPlotObject::BuildPopupMenu(PopupMenu);
    AddEditMenuItem(PopupMenu);
}
