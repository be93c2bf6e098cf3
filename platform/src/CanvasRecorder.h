#pragma once
// The display list a canvas hands to a recorder attached to it: every
// drawing call as one operation in device pixels, with the pen, brush and
// font it was drawn with, after its pixels were written. Calls that only
// move pixels about (block transfers, focus frames, inversions) are kept as
// the pixels they left.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <span>
#include <vector>

#include "platform/Graphics.h"

struct TCanvasImpl;

enum class TDrawKind { Polyline, Polygon, Rectangle, RoundRect, Ellipse, Arc, Pie, Chord, FillRect, Text, Raster };

// Colours are plain RGB (system colours resolved).
struct TDrawPen {
    TColor Color = clBlack;
    TPenStyle Style = psSolid;
    Integer Width = 1;
    TPenMode Mode = pmCopy;
    bool operator==(const TDrawPen&) const = default;
};

struct TDrawBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    bool operator==(const TDrawBrush&) const = default;
};

struct TDrawFont {
    String Name;
    Integer Height = 0;
    TFontStyles Style;
    Integer Orientation = 0;  // tenths of a degree
    bool operator==(const TDrawFont&) const = default;
};

// A run of text whose cell's top-left corner is Points[0]; an opaque
// cell is recorded as a fill of its own before the text.
struct TDrawText {
    QString Text;
    TDrawFont Font;
    TColor Color = clBlack;
    std::vector<Integer> Advances;  // pixels from each UTF-16 unit to the next
};

struct TDrawOp {
    TDrawKind Kind = TDrawKind::Polyline;
    // Polyline, Polygon: the corners. Box shapes, FillRect and Raster: the
    // top-left and the bottom-right (outside) corners; RoundRect adds the
    // corner ellipse's size, Arc, Pie and Chord the start and end points.
    // Text: the reference point.
    std::vector<QPoint> Points;
    TDrawPen Pen;
    TDrawBrush Brush;
    bool Winding = false;
    TDrawText Text;
    QImage Pixels;  // Raster: what the call left in the box
    // The pixels the call could write; empty when it could write them all.
    std::vector<QRect> Clip;
};

struct TDisplayList {
    std::vector<TDrawOp> Ops;
};

class TCanvasRecorder {
public:
    virtual ~TCanvasRecorder() = default;
    // Visible: the pixels the call could write.
    virtual void Record(TDrawOp&& Op, std::span<const QRect> Visible) = 0;
};

TDrawBrush BrushOf(const TBrush& Brush);
TDrawBrush SolidBrush(QRgb Colour);
// The top-left and bottom-right (outside) corners of Box.
std::vector<QPoint> BoxPoints(const QRect& Box);

// An operation drawn with the canvas's pen, brush and fill mode.
TDrawOp ShapeOp(TDrawKind Kind, std::vector<QPoint> Points, const TCanvasImpl& Canvas, const TPen& Pen,
                const TBrush& Brush);
// A fill of the polygon or box Points without an outline.
TDrawOp FillOp(TDrawKind Kind, std::vector<QPoint> Points, const TDrawBrush& Brush);
// A one-pixel frame just inside Box in the brush's colour.
TDrawOp FrameOp(const QRect& Box, const TDrawBrush& Brush);
TDrawOp TextOp(QPoint Ref, const QString& Text, const TFont& Font, QRgb Colour, std::vector<Integer> Advances);
// The pixels of Area (device) as the canvas holds them now.
TDrawOp RasterOp(const TCanvasImpl& Canvas, const QRect& Area);

// Records the pixels of Area as drawn through the canvas's visible pixels,
// if a recorder is attached (calls that draw through a TRasterWriter
// record through it instead).
void RecordRaster(TCanvasImpl& Canvas, const QRect& Area);
