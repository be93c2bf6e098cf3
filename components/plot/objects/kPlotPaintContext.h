#pragma once
// What a paint hands each object it draws, in one value: the canvas, the
// colour the object draws on, the scales of the object's own X and Y axes
// (found once per paint by the plot), the tick marks of every axis for the
// grid, the data view's draw rectangle, whether the axes are exchanged on
// screen, the rectangle the plot clips the data view's contents to, and the
// room that Cartesian axes take inside the data view.
//
// An object draws by scales, never by axes: a scale maps values to pixels
// and tells its ends (TkPlotAxisScale), and the grid follows the marks an
// axis laid out (TkPlotTickMarks). Both are borrowed, never owned. A context
// is valid during its paint; the one the plot keeps for the hit tests that
// follow stays valid until an object is removed or renamed or the object's
// own settings change, when the plot makes a new one. Geometry that drawing
// shares with the mouse takes a context too: outside a paint the object
// makes one from its own settings, without a canvas.
//
// The context lies below every kind of object, the axes and their scales
// too: what reads a scale (the maps of the context's scales, the clip to
// them) is the scale's own (XScaleMap, YScaleMap and ClipCanvasToAxes in
// kPlotAxisScale.h).

#include <optional>
#include <span>
#include <vector>

#include "platform/Graphics.h"

class TkPlotAxisScale;
class TkPlotTickObject;

// The rectangles that Cartesian axes and their labels take inside the data
// view during one paint, kept by the painter.
class TkPlotOccupiedRects {
public:
    TkPlotOccupiedRects(std::vector<TRect>& Taken, const TRect& View) : FTaken(Taken), FView(View) {}

    // Taken whatever was taken before.
    void Add(const TRect& Rect) { FTaken.push_back(Rect); }
    // Taken only when it meets no rectangle taken so far and, once any was
    // taken, lies wholly inside the view; false (and nothing taken) else.
    bool TryAdd(const TRect& Rect);

private:
    std::vector<TRect>& FTaken;
    TRect FView;
};

// The scales of an object's X and Y axes; either may be missing.
struct TkPlotScalePair {
    const TkPlotAxisScale* X = nullptr;
    const TkPlotAxisScale* Y = nullptr;
};

// The tick marks that one axis laid out at its last tick generation, where
// grid lines across the data view go: the axis's own view of them.
class TkPlotTickMarks {
public:
    // The scale the marks lie on.
    virtual const TkPlotAxisScale& MarkedScale() const = 0;
    // The axis wants grid lines at its marks.
    virtual bool GridLinesVisible() const = 0;
    virtual Integer TickListCount() const = 0;
    virtual TkPlotTickObject* GetTick(Integer Index) const = 0;

protected:
    ~TkPlotTickMarks() = default;
};

struct TkPlotPaintContext {
    // nullptr outside a paint.
    TCanvas* Canvas = nullptr;
    TColor BackGroundColor = clBlack;
    // The scales of the object's own axes.
    const TkPlotAxisScale* XScale = nullptr;
    const TkPlotAxisScale* YScale = nullptr;
    // The marks of every X axis and every Y axis of the plot, in the order
    // of their managers.
    std::span<const TkPlotTickMarks* const> XMarks{};
    std::span<const TkPlotTickMarks* const> YMarks{};
    // The data view's draw rectangle, while there is one.
    std::optional<TRect> DataView{};
    bool XYAxesReversed = false;
    // The data view's contents are clipped to it: the draw rectangle and
    // one pixel beyond its right and bottom edges.
    TRect Clip{};
    // nullptr outside a paint: nothing is kept from the way then.
    TkPlotOccupiedRects* Occupied = nullptr;
    // The plot clips annotations on a channel to the channel's axes.
    bool ClipAnnotationsToAxes = false;

    // The context of a part drawn on another colour.
    TkPlotPaintContext WithBackGround(TColor Color) const
    {
        TkPlotPaintContext context = *this;
        context.BackGroundColor = Color;
        return context;
    }
    TkPlotPaintContext WithScales(TkPlotScalePair Scales) const
    {
        TkPlotPaintContext context = *this;
        context.XScale = Scales.X;
        context.YScale = Scales.Y;
        return context;
    }
    bool HasScales() const { return XScale && YScale; }
    // A point or a rectangle in pixels along the X and the Y axis, as it
    // lies on the canvas.
    TPoint OnCanvas(TPoint AlongAxes) const { return XYAxesReversed ? TPoint{AlongAxes.Y, AlongAxes.X} : AlongAxes; }
    TRect OnCanvas(const TRect& AlongAxes) const
    {
        const TRect& r = AlongAxes;
        return XYAxesReversed ? TRect{r.Top, r.Left, r.Bottom, r.Right} : r;
    }
    // The pixel of a position in percent of the data view: from its bottom
    // edge when Vertical, else from its left edge; false without a data view.
    bool PercentToPixels(Double Percent, bool Vertical, Integer& Pixel) const;
};

// Positions in percent of a data view's draw rectangle and their pixels;
// a rectangle of no size maps every position to its corner and every pixel
// to 0. Y percent counts from the bottom edge.
Integer ViewPercentToPixelsX(const TRect& View, Double Percent);
Integer ViewPercentToPixelsY(const TRect& View, Double Percent);
Double ViewPixelsXToPercent(const TRect& View, Integer X);
Double ViewPixelsYToPercent(const TRect& View, Integer Y);
