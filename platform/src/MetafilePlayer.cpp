// Replay of recorded operations through the canvas's own drawing calls.

#include "MetafilePlayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "QtGraphics.h"
#include "platform/Math.h"
#include "platform/SysApi.h"
#include "platform/System.h"

namespace {

// Maps picture pixels onto the destination rectangle.
class TScaling {
public:
    TScaling(QSize Size, const TRect& R)
        : FLeft(R.Left), FTop(R.Top), FX(double(Int64(R.Right) - R.Left) / Size.width()),
          FY(double(Int64(R.Bottom) - R.Top) / Size.height())
    {
    }

    TPoint Point(QPoint P) const { return TPoint{RoundPix(FLeft + P.x() * FX), RoundPix(FTop + P.y() * FY)}; }
    TPoint Extent(QPoint P) const { return TPoint{RoundPix(P.x() * std::abs(FX)), RoundPix(P.y() * std::abs(FY))}; }
    // The corners as mapped: a mirrored box keeps its corners swapped.
    TRect Corners(QPoint A, QPoint B) const
    {
        const TPoint a = Point(A), b = Point(B);
        return TRect{a.X, a.Y, b.X, b.Y};
    }
    TRect Box(QPoint A, QPoint B) const { return Normal(Corners(A, B)); }
    static TRect Normal(const TRect& R)
    {
        return TRect{std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
                     std::max(R.Top, R.Bottom)};
    }
    // Mirrored along one axis: arcs run the other way round.
    bool Mirrored() const { return (FX < 0) != (FY < 0); }
    // A non-zero length stays at least one pixel.
    Integer Length(Integer L) const
    {
        if (L == 0) return 0;
        const Integer scaled = RoundPix(L * (std::abs(FX) + std::abs(FY)) / 2);
        return scaled != 0 ? scaled : (L < 0 ? -1 : 1);
    }
    Integer Height(Integer H) const
    {
        if (H == 0) return 0;
        const Integer scaled = RoundPix(H * std::abs(FY));
        return scaled != 0 ? scaled : (H < 0 ? -1 : 1);
    }
    // How much a length grows along a text's baseline, turned by
    // Orientation tenths of a degree.
    double AlongBaseline(Integer Orientation) const
    {
        const double angle = Orientation * std::numbers::pi / 1800;
        return std::hypot(FX * std::cos(angle), FY * std::sin(angle));
    }

private:
    Integer FLeft, FTop;
    double FX, FY;
};

// Holds the drawing state of a canvas and gives it back.
class TCanvasStateScope {
public:
    explicit TCanvasStateScope(TCanvas& Canvas)
        : FCanvas(Canvas), FPen(CreateOwned<TPen>()), FBrush(CreateOwned<TBrush>()), FFont(CreateOwned<TFont>()),
          FCopyMode(Canvas.CopyMode()), FLevel(SaveDC(&Canvas))
    {
        FPen->Assign(Canvas.Pen());
        FBrush->Assign(Canvas.Brush());
        FFont->Assign(Canvas.Font());
    }
    ~TCanvasStateScope()
    {
        FCanvas.SetPen(FPen.get());
        FCanvas.SetBrush(FBrush.get());
        FCanvas.SetFont(FFont.get());
        FCanvas.SetCopyMode(FCopyMode);
        RestoreDC(&FCanvas, FLevel);
    }
    TCanvasStateScope(const TCanvasStateScope&) = delete;
    TCanvasStateScope& operator=(const TCanvasStateScope&) = delete;

private:
    TCanvas& FCanvas;
    TOwned<TPen> FPen;
    TOwned<TBrush> FBrush;
    TOwned<TFont> FFont;
    TCopyMode FCopyMode;
    Integer FLevel;
};

class TPlayer {
public:
    TPlayer(TCanvas& Canvas, QSize Size, const TRect& R) : FCanvas(Canvas), FScale(Size, R), FDest(TScaling::Normal(R))
    {
        FBase = SaveDC(&FCanvas);
        Clip({});
    }

    void Play(const TDrawOp& Op)
    {
        if (Op.Clip != FClip) Clip(Op.Clip);
        if (Op.Kind == TDrawKind::Text) Text(Op);
        else if (Op.Kind == TDrawKind::Raster) Raster(Op);
        else Shape(Op);
    }

private:
    // The picture's clip within the destination rectangle and the canvas's
    // own clip.
    void Clip(const std::vector<QRect>& Rects)
    {
        RestoreDC(&FCanvas, FBase);
        FBase = SaveDC(&FCanvas);
        // The restored state has its own background mode and colours.
        FCanvas.Reselect();
        IntersectClipRect(&FCanvas, FDest.Left, FDest.Top, FDest.Right, FDest.Bottom);
        FClip = Rects;
        if (Rects.empty()) return;
        TPoint org{};
        GetWindowOrgEx(&FCanvas, &org);
        TRegion picture;
        for (const QRect& r : Rects) {
            const TRect box = FScale.Box(r.topLeft(), r.bottomRight() + QPoint(1, 1));
            const TRegion part = CreateRectRgn(box.Left - org.X, box.Top - org.Y, box.Right - org.X, box.Bottom - org.Y);
            CombineRgn(picture, picture, part, RGN_OR);
        }
        TRegion current;
        if (GetClipRgn(&FCanvas, current) == 1) CombineRgn(picture, picture, current, RGN_AND);
        SelectClipRgn(&FCanvas, &picture);
    }

    void Style(const TDrawOp& Op)
    {
        TPen* pen = FCanvas.Pen();
        pen->SetColor(Op.Pen.Color);
        pen->SetStyle(Op.Pen.Style);
        pen->SetMode(Op.Pen.Mode);
        pen->SetWidth(FScale.Length(Op.Pen.Width));
        FCanvas.Brush()->SetColor(Op.Brush.Color);
        FCanvas.Brush()->SetStyle(Op.Brush.Style);
        SetPolyFillMode(&FCanvas, Op.Winding ? WINDING : ALTERNATE);
    }

    void Shape(const TDrawOp& Op)
    {
        Style(Op);
        const std::vector<QPoint>& p = Op.Points;
        std::vector<TPoint> points;
        const auto box = [&] { return FScale.Box(p[0], p[1]); };
        const auto point = [&](size_t i) { return FScale.Point(p[i]); };
        switch (Op.Kind) {
            case TDrawKind::Polyline:
            case TDrawKind::Polygon:
                for (const QPoint& q : p) points.push_back(FScale.Point(q));
                if (Op.Kind == TDrawKind::Polygon) FCanvas.Polygon(points);
                else FCanvas.Polyline(points);
                break;
            case TDrawKind::Rectangle:
                FCanvas.Rectangle(box());
                break;
            case TDrawKind::FillRect:
                FCanvas.FillRect(box());
                break;
            case TDrawKind::Ellipse:
                FCanvas.Ellipse(box());
                break;
            case TDrawKind::RoundRect: {
                const TRect b = box();
                const TPoint corner = FScale.Extent(p[2]);
                FCanvas.RoundRect(b.Left, b.Top, b.Right, b.Bottom, corner.X, corner.Y);
                break;
            }
            case TDrawKind::Arc:
            case TDrawKind::Pie:
            case TDrawKind::Chord: {
                const TRect b = box();
                TPoint s = point(2), e = point(3);
                if (FScale.Mirrored()) std::swap(s, e);
                if (Op.Kind == TDrawKind::Arc) FCanvas.Arc(b.Left, b.Top, b.Right, b.Bottom, s.X, s.Y, e.X, e.Y);
                else if (Op.Kind == TDrawKind::Pie) FCanvas.Pie(b.Left, b.Top, b.Right, b.Bottom, s.X, s.Y, e.X, e.Y);
                else FCanvas.Chord(b.Left, b.Top, b.Right, b.Bottom, s.X, s.Y, e.X, e.Y);
                break;
            }
            case TDrawKind::Text:
            case TDrawKind::Raster:
                break;
        }
    }

    void Text(const TDrawOp& Op)
    {
        const TDrawText& t = Op.Text;
        FCanvas.Brush()->SetStyle(bsClear);
        TFont* font = FCanvas.Font();
        font->SetName(t.Font.Name);
        font->SetStyle(t.Font.Style);
        font->SetOrientation(t.Font.Orientation);
        font->SetColor(t.Color);
        const TPoint ref = FScale.Point(Op.Points[0]);
        FitFont(t, ref, ClipBox(Op));
        // A text's opaque cell is a fill of its own.
        SetBkMode(&FCanvas, TRANSPARENT);
        FCanvas.TextOut(ref.X, ref.Y, t.Text.toStdString());
    }

    // The font's height follows the picture's height, but a font does not
    // widen in proportion to its height: at the scaled height a run may
    // come out wider than the run scaled, and the clip it was drawn in
    // (a legend's entry, a table's cell) would cut its end. While both hold,
    // the height steps down; a text with room about it keeps its height.
    void FitFont(const TDrawText& T, TPoint Ref, const TRect& Clip)
    {
        TFont* font = FCanvas.Font();
        Integer height = FScale.Height(T.Font.Height);
        font->SetHeight(height);
        Int64 run = 0;
        for (const Integer advance : T.Advances) run += advance;
        const double room = double(run) * FScale.AlongBaseline(T.Font.Orientation);
        const String text = T.Text.toStdString();
        while (std::abs(height) > 1 && FCanvas.TextWidth(text) > room && !RunInside(text, Ref, T.Font.Orientation, Clip)) {
            height += height < 0 ? 1 : -1;
            font->SetHeight(height);
        }
    }

    // Whether the text's cell, turned about Ref, stays within Clip along its
    // run (across the run a taller cell is no cut text).
    bool RunInside(const String& Text, TPoint Ref, Integer Orientation, const TRect& Clip)
    {
        const TSize cell = FCanvas.TextExtent(Text);
        const double angle = Orientation * std::numbers::pi / 1800;
        const double c = std::cos(angle), s = std::sin(angle);
        double low = 0, high = 0;
        const bool across = std::abs(c) >= std::abs(s);
        for (const auto& [x, y] : {std::pair{cell.cx, 0}, std::pair{0, cell.cy}, std::pair{cell.cx, cell.cy}}) {
            const double along = across ? x * c + y * s : y * c - x * s;
            low = std::min(low, along);
            high = std::max(high, along);
        }
        return across ? Ref.X + low >= Clip.Left && Ref.X + high <= Clip.Right
                      : Ref.Y + low >= Clip.Top && Ref.Y + high <= Clip.Bottom;
    }

    // The box round what an operation may draw in the destination.
    TRect ClipBox(const TDrawOp& Op) const
    {
        if (Op.Clip.empty()) return FDest;
        TRect box{};
        for (const QRect& r : Op.Clip) UnionRect(box, box, FScale.Box(r.topLeft(), r.bottomRight() + QPoint(1, 1)));
        TRect inside{};
        IntersectRect(inside, box, FDest);
        return inside;
    }

    void Raster(const TDrawOp& Op)
    {
        TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
        SetBitmapImage(*bitmap, Op.Pixels);
        FCanvas.SetCopyMode(cmSrcCopy);
        FCanvas.StretchDraw(FScale.Corners(Op.Points[0], Op.Points[1]), bitmap.get());
    }

    TCanvas& FCanvas;
    TScaling FScale;
    TRect FDest;
    Integer FBase = 0;
    std::vector<QRect> FClip;
};

}  // namespace

void PlayDisplayList(const TDisplayList& List, QSize Size, TCanvas& Canvas, const TRect& R)
{
    if (Size.isEmpty() || R.Left == R.Right || R.Top == R.Bottom) return;
    TCanvasStateScope state(Canvas);
    TPlayer player(Canvas, Size, R);
    for (const TDrawOp& op : List.Ops) player.Play(op);
}
