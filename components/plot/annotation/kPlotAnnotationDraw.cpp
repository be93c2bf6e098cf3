// Drawing of annotations: every style, the clip to the channel's axes (those
// of the paint context), and what the drawing leaves for the mouse (click
// rectangle, sizing handles).

#include <algorithm>
#include <cmath>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/view/kPlotDataView.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "platform/Math.h"
#include "platform/SysApi.h"

namespace {

constexpr Integer kMaxPixel = TkPlotAnnotation::MaxPixel;

Integer ClampedRound(Extended Value) { return std::clamp(RoundPix(Value), -kMaxPixel, kMaxPixel); }

// A pixel plus an offset, within the drawable range.
Integer Add(Integer A, Int64 B) { return Integer(std::clamp<Int64>(A + B, -kMaxPixel, kMaxPixel)); }

bool Meets(const TRect& A, const TRect& B)
{
    TRect common;
    return IntersectRect(common, A, B);
}

// A zero-area polygon (every vertex on one line) fills nothing.
bool Collinear(const std::vector<TPoint>& Points)
{
    const TPoint a = Points.front();
    for (std::size_t i = 1; i + 1 < Points.size(); ++i) {
        const Int64 cross = (Int64{Points[i].X} - a.X) * (Int64{Points[i + 1].Y} - a.Y) -
                            (Int64{Points[i].Y} - a.Y) * (Int64{Points[i + 1].X} - a.X);
        if (cross != 0) return false;
    }
    return true;
}

TRect BoundingBox(const std::vector<TPoint>& Points)
{
    TRect box = Rect(Points.front().X, Points.front().Y, Points.front().X, Points.front().Y);
    for (const TPoint& p : Points) {
        box.Left = std::min(box.Left, p.X);
        box.Top = std::min(box.Top, p.Y);
        box.Right = std::max(box.Right, p.X);
        box.Bottom = std::max(box.Bottom, p.Y);
    }
    return box;
}

}  // namespace

void TkPlotAnnotation::Draw(const TkPlotPaintContext& Context)
{
    FShowing = false;
    // Handles of an earlier style must not hit after a change of style.
    FHandles = {};
    FClickRect = {};
    FDrawRect = {};
    if (!Visible() || !CanConvert(Context)) return;
    TGeometry geometry;
    if (!MakeGeometry(Context, geometry)) return;
    ClipToChannelAxes(Context);
    SelectTools(Context.Canvas, Context.BackGroundColor);
    FShowing = DrawStyle(Context, geometry);
}

bool TkPlotAnnotation::MakeGeometry(const TkPlotPaintContext& Context, TGeometry& G) const
{
    const auto uses = [this](std::initializer_list<TkPlotAnnotationStyle> Styles) {
        return std::find(Styles.begin(), Styles.end(), FStyle) != Styles.end();
    };
    // Only the coordinates the style uses must be finite.
    if (FStyle != kpasPolygon && !(IsFinite(FX) && IsFinite(FY))) return false;
    if (uses({kpasLine, kpasEllipse, kpasRectangle2}) && !(IsFinite(FX2) && IsFinite(FY2))) return false;
    if (uses({kpasRectangle, kpasTextRectangle, kpasEllipse2}) && !(IsFinite(FWidth) && IsFinite(FHeight)))
        return false;
    G.PX = ToPixels(Context, kcPositionX, FX);
    G.PY = ToPixels(Context, kcPositionY, FY);
    G.PX2 = ToPixels(Context, kcPositionX, FX2);
    G.PY2 = ToPixels(Context, kcPositionY, FY2);
    G.HalfX = SizeToPixels(Context, kcSizeX, FWidth / 2);
    G.HalfY = SizeToPixels(Context, kcSizeY, FHeight / 2);
    return true;
}

TRect TkPlotAnnotation::ViewRect() const
{
    const TkPlotDataView* view = FDataView.Get();
    if (!view) return {};
    const TRect r = view->DrawRect();
    // The plot clips the view's contents one pixel beyond its draw rectangle.
    return Rect(r.Left, r.Top, Add(r.Right, 1), Add(r.Bottom, 1));
}

TRect TkPlotAnnotation::CentreRect(const TkPlotPaintContext& Context, const TGeometry& G)
{
    return OrientedRect(Context.XYAxesReversed, Add(G.PX, -Int64{G.HalfX}), Add(G.PY, -Int64{G.HalfY}),
                        Add(G.PX, G.HalfX), Add(G.PY, G.HalfY));
}

TRect TkPlotAnnotation::CornerRect(const TkPlotPaintContext& Context, const TGeometry& G)
{
    return OrientedRect(Context.XYAxesReversed, G.PX, G.PY, G.PX2, G.PY2);
}

TPoint TkPlotAnnotation::Anchor(const TkPlotPaintContext& Context, const TGeometry& G)
{
    return Context.OnCanvas(Point(G.PX, G.PY));
}

void TkPlotAnnotation::ClipToChannelAxes(const TkPlotPaintContext& Context) const
{
    const bool wanted = FClipToAxes || (FReference == kprtChannel && Context.ClipAnnotationsToAxes);
    // Without a channel there are no axes to clip to: the data view's clip stays.
    if (wanted && Context.HasScales()) ClipCanvasToAxes(Context);
}

void TkPlotAnnotation::SelectTools(TCanvas* Canvas, TColor BackGroundColor) const
{
    Canvas->Pen()->SetColor(FPenColor);
    Canvas->Pen()->SetWidth(FPenWidth);
    Canvas->Pen()->SetStyle(FPenStyle);
    Canvas->Brush()->SetColor(FBrushColor);
    Canvas->Brush()->SetStyle(FBrushStyle);
    SetBkColor(Canvas, ColorToRGB(BackGroundColor));
}

bool TkPlotAnnotation::DrawStyle(const TkPlotPaintContext& Context, const TGeometry& G)
{
    switch (FStyle) {
    case kpasText: return DrawText(Context, G, false);
    case kpasTextBox: return DrawText(Context, G, true);
    // A line never shows for the mouse.
    case kpasLine: DrawLine(Context, G); return false;
    case kpasLineX: return DrawCrossLine(Context, G.PX, false);
    case kpasLineY: return DrawCrossLine(Context, G.PY, true);
    case kpasRectangle:
    case kpasEllipse2:
    case kpasTextRectangle: return DrawShape(Context, CentreRect(Context, G));
    case kpasRectangle2:
    case kpasEllipse: return DrawShape(Context, CornerRect(Context, G));
    case kpasImage: return DrawImage(Context, G);
    case kpasPolygon: return DrawPolygon(Context);
    }
    return false;
}

TkPlotAnnotation::TTextSize TkPlotAnnotation::TextExtent(TCanvas* Canvas, const char* MarginLetter) const
{
    Canvas->SetFont(FFont.get());
    TTextSize size;
    size.W = MultiLineTextWidth(Canvas, FText);
    size.H = ::MeasureText(Canvas, FText);
    size.MX = ClampedRound(Extended(Canvas->TextWidth(MarginLetter)) * FTextHorzMargin);
    size.MY = ClampedRound(Extended(Canvas->TextHeight("A")) * FTextVertMargin);
    if (FTextRotation == kra090 || FTextRotation == kra270) std::swap(size.W, size.H);
    return size;
}

TRect TkPlotAnnotation::AlignedBox(TPoint Anchor, Integer W, Integer H, const TTextSize& Size) const
{
    Int64 left = Int64{Anchor.X} - W / 2;
    Int64 top = Int64{Anchor.Y} - H / 2;
    const Int64 shiftX = W / 2 + Int64{Size.MX};
    const Int64 shiftY = H / 2 + Int64{Size.MY};
    if (FTextHorzAlignment == kahLeft) left += shiftX;
    if (FTextHorzAlignment == kahRight) left -= shiftX;
    if (FTextVertAlignment == kavTop) top += shiftY;
    if (FTextVertAlignment == kavBottom) top -= shiftY;
    const Integer l = Add(0, left);
    const Integer t = Add(0, top);
    return Rect(l, t, Add(l, W), Add(t, H));
}

bool TkPlotAnnotation::DrawText(const TkPlotPaintContext& Context, const TGeometry& G, bool Boxed)
{
    TCanvas* canvas = Context.Canvas;
    const TTextSize size = TextExtent(canvas, "A");
    const Integer margin = Boxed ? std::clamp(FOuterMargin, 0, kMaxPixel) : 0;
    const Integer w = Add(size.W, 2 * Int64{margin});
    const Integer h = Add(size.H, 2 * Int64{margin});
    const TRect box = AlignedBox(Anchor(Context, G), w, h, size);
    if (!Meets(box, ViewRect())) return false;
    if (Boxed) canvas->Rectangle(box);
    canvas->Brush()->SetStyle(bsClear);
    TRect textRect;
    const TRect inner = Rect(Add(box.Left, margin), Add(box.Top, margin), Add(box.Right, -Int64{margin}),
                             Add(box.Bottom, -Int64{margin}));
    DrawRotatedText(canvas, FText, inner, FTextRotation, FTextLineAlignment, Enabled(), Context.BackGroundColor,
                    textRect);
    FClickRect = box;
    return true;
}

void TkPlotAnnotation::DrawLine(const TkPlotPaintContext& Context, const TGeometry& G) const
{
    const TPoint a = Context.OnCanvas(Point(G.PX, G.PY));
    const TPoint b = Context.OnCanvas(Point(G.PX2, G.PY2));
    if (SegmentIntersectsRect(a, b, ViewRect())) Context.Canvas->Polyline({a, b});
}

bool TkPlotAnnotation::DrawCrossLine(const TkPlotPaintContext& Context, Integer Pixel, bool AlongY)
{
    TCanvas* canvas = Context.Canvas;
    // A line at an X value runs along the Y direction on screen, and the
    // other way round; exchanged axes turn both.
    const bool horizontal = AlongY != Context.XYAxesReversed;
    const TRect view = ViewRect();
    const Integer low = Add(Pixel, -LineClickMargin);
    const Integer high = Add(Pixel, LineClickMargin);
    const TRect band = horizontal ? Rect(view.Left, low, view.Right, high) : Rect(low, view.Top, high, view.Bottom);
    if (!Meets(band, view)) return false;
    if (horizontal)
        canvas->Polyline({Point(view.Left, Pixel), Point(view.Right, Pixel)});
    else
        canvas->Polyline({Point(Pixel, view.Top), Point(Pixel, view.Bottom)});
    FClickRect = band;
    return true;
}

bool TkPlotAnnotation::DrawShape(const TkPlotPaintContext& Context, const TRect& Shape)
{
    TCanvas* canvas = Context.Canvas;
    if (!Meets(Shape, ViewRect())) return false;
    if (FStyle == kpasEllipse || FStyle == kpasEllipse2)
        canvas->Ellipse(Shape);
    else
        canvas->Rectangle(Shape);
    if (FStyle == kpasTextRectangle) DrawShapeText(canvas, Shape, Context.BackGroundColor);
    TakeShape(Shape);
    InvertHandles(canvas);
    return true;
}

void TkPlotAnnotation::DrawShapeText(TCanvas* Canvas, const TRect& Shape, TColor BackGroundColor)
{
    Canvas->Brush()->SetStyle(bsClear);
    const TTextSize size = TextExtent(Canvas, "0");
    TRect r = Shape;
    if (FTextHorzAlignment == kahLeft) {
        r.Left = Add(Shape.Left, size.MX);
        r.Right = Add(r.Left, size.W);
    } else if (FTextHorzAlignment == kahRight) {
        r.Right = Add(Shape.Right, -Int64{size.MX});
        r.Left = Add(r.Right, -Int64{size.W});
    }
    if (FTextVertAlignment == kavTop) {
        r.Top = Add(Shape.Top, size.MY);
        r.Bottom = Add(r.Top, size.H);
    } else if (FTextVertAlignment == kavBottom) {
        r.Bottom = Add(Shape.Bottom, -Int64{size.MY});
        r.Top = Add(r.Bottom, -Int64{size.H});
    }
    TRect textRect;
    DrawRotatedText(Canvas, FText, r, FTextRotation, FTextLineAlignment, Enabled(), BackGroundColor, textRect);
}

bool TkPlotAnnotation::DrawPolygon(const TkPlotPaintContext& Context)
{
    if (FPolyPoints.size() < 2) return false;
    std::vector<TPoint> points;
    points.reserve(FPolyPoints.size());
    for (const TkPlotAnnotationPoint& p : FPolyPoints) {
        if (!IsFinite(p.X) || !IsFinite(p.Y)) return false;
        points.push_back(
            Context.OnCanvas(Point(ToPixels(Context, kcPositionX, p.X), ToPixels(Context, kcPositionY, p.Y))));
    }
    if (Collinear(points)) return false;
    const TRect box = BoundingBox(points);
    if (!Meets(box, ViewRect())) return false;
    Context.Canvas->Polygon(std::span<const TPoint>(points));
    TakeShape(box);
    InvertHandles(Context.Canvas);
    return true;
}

bool TkPlotAnnotation::DrawImage(const TkPlotPaintContext& Context, const TGeometry& G)
{
    TCanvas* canvas = Context.Canvas;
    TBitmap* image = FImage.Image();
    TkPlotPaintHost* lists = Host().Paint;
    if (!image && !PlotImageShows(lists, FImageListIndex, FImageIndex)) return false;
    // The plot's image lists hold square pictures.
    const Integer w = image ? image->Width() : lists->PlotImageWidth(FImageListIndex);
    const Integer h = image ? image->Height() : w;
    const TPoint anchor = Anchor(Context, G);
    const Integer left = Add(anchor.X, -Int64{w / 2});
    const Integer top = Add(anchor.Y, -Int64{h / 2});
    const TRect picture = Rect(left, top, Add(left, w), Add(top, h));
    if (!Meets(picture, ViewRect())) return false;
    if (image) {
        image->SetTransparentColor(image->Canvas()->Pixels(0, h - 1));
        canvas->Draw(left, top, image);
    } else {
        lists->PlotDrawImage(canvas, FImageListIndex, FImageIndex, left, top, Enabled());
    }
    FClickRect = picture;
    return true;
}

void TkPlotAnnotation::TakeShape(const TRect& Shape)
{
    const TRect view = ViewRect();
    FDrawRect = Shape;
    IntersectRect(FClickRect, Shape, view);
    const TPoint corners[] = {Point(Shape.Left, Shape.Top), Point(Shape.Right, Shape.Top),
                              Point(Shape.Left, Shape.Bottom), Point(Shape.Right, Shape.Bottom)};
    for (std::size_t i = 0; i < FHandles.size(); ++i) {
        const TPoint c = corners[i];
        const TRect square = Rect(Add(c.X, -HandleHalfSize), Add(c.Y, -HandleHalfSize), Add(c.X, HandleHalfSize),
                                  Add(c.Y, HandleHalfSize));
        if (!IntersectRect(FHandles[i], square, view)) FHandles[i] = {};
    }
}

void TkPlotAnnotation::InvertHandles(TCanvas* Canvas) const
{
    if (!UserSelected() || !FShowFocusRect) return;
    for (const TRect& handle : FHandles)
        if (!IsRectEmpty(handle)) InvertRect(Canvas, handle);
}
