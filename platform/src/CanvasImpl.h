#pragma once
// The drawing state of a canvas (its device context) and the raster
// engine that writes pixels by the Windows rules: one pixel writer that
// applies the clip, the mix mode and the monochrome mapping, and the
// rasterisers built on it.

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

#include "CanvasRecorder.h"
#include "platform/Graphics.h"
#include "platform/SysApi.h"

constexpr Integer kCoordLimit = kCanvasCoordLimit;

// The part of the device context that SaveDC keeps.
struct TDeviceState {
    QPoint WindowOrg;  // logical point shown at the binding origin
    bool HasClip = false;
    QRegion Clip;  // device pixels
    Integer BkMode = OPAQUE;
    TColor BkColor = clWhite;
    TColor TextColor = clBlack;
    Integer PolyFillMode = ALTERNATE;
    Integer StretchBltMode = BLACKONWHITE;
};

struct TCanvasImpl {
    QImage* Target = nullptr;
    QRect Bounds;    // device pixels the canvas may touch
    QPoint Origin;   // device position of logical (0, 0) at window origin (0, 0)
    bool Monochrome = false;
    TDeviceState State;
    std::vector<TDeviceState> Saved;
    QPoint PenPos;          // logical
    Integer DashPhase = 0;  // pixels of the pen pattern used since MoveTo
    TCanvasRecorder* Recorder = nullptr;  // sees every drawing call when set
    std::recursive_mutex Mutex;

    QPoint Offset() const { return Origin - State.WindowOrg; }
    QPoint ToDevice(Integer x, Integer y) const;
    // An inverted rectangle becomes the null rectangle.
    QRect ToDevice(const TRect& r) const;
    TRect ToLogical(const QRect& r) const;
    // Bounds intersected with the clip region, in device pixels.
    const QRegion& Visible();
    void ClipChanged() { FVisibleValid = false; }
    void Bind(QImage* target, const QRect& bounds, const QPoint& origin);
    // Raises EInvalidOperation when the canvas has no image.
    QImage& RequireTarget();

private:
    QRegion FVisible;
    bool FVisibleValid = false;
};

Integer ClampCoord(Int64 v);

struct TRegionData {
    QRegion Region;  // device pixels of the context that selects it
};
// NULLREGION, SIMPLEREGION or COMPLEXREGION.
Integer RegionKind(const QRegion& r);
// 0xFFRRGGBB of a TColor, after ColorToRGB.
QRgb DeviceRgb(TColor c);
// Nearest of black and white, for monochrome images.
QRgb MonoRgb(QRgb c);

// 8x8 hatch rows of a brush style; nullptr for solid and clear.
const Byte* HatchPattern(TBrushStyle style);

// Colour source of a fill: solid, or a hatch whose gaps show the back
// colour only when DrawBack is set.
struct TFill {
    QRgb Fore = 0;
    QRgb Back = 0;
    bool DrawBack = false;
    const Byte* Hatch = nullptr;

    static TFill Solid(QRgb c) { return TFill{c, c, true, nullptr}; }
};

// Writes pixels inside the visible region through a binary raster
// operation (the pen modes), mapping colours to black and white on a
// monochrome image.
class TRasterWriter {
public:
    TRasterWriter(TCanvasImpl& canvas, TPenMode mode);

    const QRect& ClipBox() const { return FBox; }
    // Limits further writes to r as well.
    void Restrict(const QRect& r);
    void Pixel(Integer x, Integer y, QRgb colour);
    // Rows [y0, y1] of column x.
    void Column(Integer x, Integer y0, Integer y1, QRgb colour);
    // True when writing a pixel twice leaves what writing it once does, so
    // that overlapping writes of one colour may be merged.
    bool Idempotent() const;
    // [x0, x1) on row y.
    void Span(Integer y, Integer x0, Integer x1, const TFill& fill);
    void Rect(const QRect& r, const TFill& fill);
    // Pixels whose mask value is at least 128; the mask's (0, 0) lies at topLeft.
    void Mask(const QImage& mask, const QPoint& topLeft, const TFill& fill);
    // True when the canvas's recorder wants the calls drawn through this writer.
    bool Recording() const { return FRecorder != nullptr; }
    // Hands op to the recorder as drawn through the writer's pixels.
    void Record(TDrawOp&& op) const { FRecorder->Record(std::move(op), FRects); }

private:
    void Put(QRgb& dst, QRgb colour) const;
    void RunOnRect(Integer y, Integer x0, Integer x1, const TFill& fill);
    QRgb* Row(Integer y) const { return reinterpret_cast<QRgb*>(FBits + qsizetype(y) * FStride); }

    // The image's pixels, detached once: scanLine would check at every row.
    uchar* FBits;
    qsizetype FStride;
    std::vector<QRect> FRects;
    QRect FBox;
    Integer FRop2;
    bool FMono;
    TCanvasRecorder* FRecorder;
};

// Calls step(first, count) over the pixels [0, count) of a row in blocks of
// a fixed count, then once for the rest: at the program's optimisation
// level the compiler turns only loops of a known count into vector steps.
template <class TStep>
void ForPixelBlocks(qsizetype count, TStep step)
{
    constexpr qsizetype kBlock = 8;
    qsizetype first = 0;
    for (; first + kBlock <= count; first += kBlock) step(first, kBlock);
    step(first, count - first);
}

// The R2_ code of a pen mode.
Integer Rop2Code(TPenMode mode);
// Fills r with one colour through w, and records the fill.
void SolidRect(TRasterWriter& w, const QRect& r, QRgb colour);

// Result of a binary raster operation (TPenMode) on 24-bit colours.
QRgb ApplyRop2(Integer rop2, QRgb pen, QRgb dst);
// Result of a ternary raster operation (the ROP3 code byte).
QRgb ApplyRop3(Byte rop3, QRgb pattern, QRgb src, QRgb dst);
// Whether a ROP3's result depends on the source, on the pattern.
inline bool UsesSource(Byte rop3) { return ((rop3 >> 2) ^ rop3) & 0x33; }
inline bool UsesPattern(Byte rop3) { return ((rop3 >> 4) ^ rop3) & 0x0F; }

// The pen as the rasterisers see it.
struct TPenInfo {
    QRgb Colour = 0;
    QRgb Back = 0;
    bool Opaque = false;  // dash gaps in Back
    TPenStyle Style = psSolid;
    Integer Width = 1;  // 0 counts as 1
    bool Thin() const { return Width <= 1; }
    bool Visible() const { return Style != psClear; }
    // Dashed styles of wide pens draw solid.
    bool Dashed() const { return Thin() && Style != psSolid && Style != psInsideFrame && Style != psClear; }
};
TPenInfo PenInfoOf(TCanvasImpl& canvas, const TPen& pen);
TFill BrushFillOf(TCanvasImpl& canvas, const TBrush& brush);

// True when pixel n of the style's dash pattern is drawn (always for
// styles without a pattern).
bool PenPatternOn(TPenStyle style, Int64 n);
// One-pixel line from a to b (device), leaving out b; phase counts the
// pattern pixels already used and advances.
void RasterThinLine(TRasterWriter& w, QPoint a, QPoint b, const TPenInfo& pen, Integer& phase);
// Pixel spans of a polygon by pixel centres inside limit: {y, x0, x1}.
struct TSpan {
    Integer Y, X0, X1;
};
std::vector<TSpan> PolygonSpans(std::span<const QPointF> points, bool winding, const QRect& limit);
void FillSpans(TRasterWriter& w, const std::vector<TSpan>& spans, const TFill& fill);

// Renders with QPainter (aliased, white on transparent) into an Alpha8
// mask covering box (device pixels): text and wide outlines.
QImage RenderMask(const QRect& box, const std::function<void(QPainter&)>& paint);
// Strokes a path (device coordinates, pixel centres at +0.5) with a wide
// solid pen: round caps and joins, mitred for psInsideFrame.
void StrokeWide(TRasterWriter& w, const QPainterPath& path, const TPenInfo& pen);

// A block transfer: a rectangle given by a corner and signed extents; a
// negative extent runs from the corner back ([X + W, X)).
struct TBltRect {
    Integer X = 0, Y = 0, W = 0, H = 0;
};
struct TBltSource {
    const QImage* Image = nullptr;  // nullptr: pattern and destination only
    TBltRect Rect;                  // image pixels
    bool Mono = false;              // black/white pixels read as 0/1
    QRgb BkColour = 0;              // source background, for monochrome targets
};
struct TBltKey {
    bool Active = false;
    QRgb Colour = 0;              // source pixels of this colour...
    const TFill* Fill = nullptr;  // ...take this fill, or stay untouched
};
// Nearest-neighbour transfer through a ROP3, mirrored where the signs of
// the extents differ. dest is in image pixels of the canvas's target.
void TransferBlock(TCanvasImpl& dest, const TBltRect& rect, const TBltSource& src, Byte rop3, const TFill& pattern,
                   const TBltKey& key);
// The pattern's colour at device pixel (x, y) of a block transfer: hatch
// gaps show the back colour whatever the background mode.
QRgb PatternAt(const TFill& fill, Integer x, Integer y);
// The part of TransferBlock where each destination pixel of area reads the
// source pixel at its own position plus shift (no stretch, no mirror), and
// neither a colour key nor a monochrome image is involved: whole rows at a
// time. source is nullptr when the operation reads none.
void TransferRows(TCanvasImpl& dest, const QRect& area, const QImage* source, const QPoint& shift, Byte rop3,
                  const TFill& pattern);

// Draws a bitmap's pixels over R (logical) through the canvas's copy mode;
// a transparent bitmap leaves the pixels of its transparent colour out.
void DrawBitmapImage(TCanvas& Canvas, const TBitmap& Bitmap, const TRect& R);
