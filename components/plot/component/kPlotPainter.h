#pragma once
// The plot's layout and paint, and what they keep between paints: the room
// Cartesian axes took, every axis's tick marks for the grid, the scales each
// object was drawn against (for the hit tests until the next paint), what
// the legends list, and what the layout was made from. The plot's paint
// services to its objects (TkPlotPaintHost) are its own.

#include <array>
#include <optional>
#include <vector>

#include "components/plot/component/kPlotPaintedAxes.h"
#include "components/plot/layout/kPlotLegendEntries.h"
#include "components/plot/objects/kPlotHostServices.h"

class TkPlotComponent;
class TkPlotHint;
class TkPlotImageLists;

class TkPlotPainter : public TkPlotPaintHost {
public:
    // Objects: what the plot holds, as its objects see it.
    TkPlotPainter(TkPlotComponent& Plot, const TkPlotObjectsHost& Objects, TkPlotHint& Hint,
                  const TkPlotImageLists& Images)
        : FPlot(Plot), FObjects(Objects), FHint(Hint), FImages(Images)
    {
    }

    // Settles the points that wait for their axes' tracking, lays the
    // objects out round the data view when what the last layout was made
    // from changed (new data changes none of it), then draws the background,
    // the data view's contents clipped to it (by layer), the side objects,
    // cursors, legends, tables and the hint box. A plot without a toolbar, a
    // legend or a data view settles the points and draws nothing at all.
    void Paint(TCanvas* Canvas);
    // Places every layout object in its band beside data view 0 and sizes
    // the data view; Canvas measures the objects. A paint that lays the
    // objects out runs it twice, after the axes made their ticks. The view's
    // layout rectangle is the room left between the bands; its draw
    // rectangle, where channels map, spans the axes' scales (inverted when
    // the plot has no axes).
    void CalcLayout(TCanvas* Canvas);
    // A paint on a scratch bitmap of the plot's size: every object's
    // rectangle is current afterwards, the screen untouched.
    void ReCalcLayout();
    // The border, the axes along the sides, the labels and the toolbars, on
    // the background of Outside.
    void DrawLayoutObjects(const TkPlotPaintContext& Outside);
    // True while Paint runs.
    bool Painting() const { return FPainting; }
    // An object was removed: what a paint step holds may be gone.
    void ObjectRemoved() { ++FRemovals; }

    // The scales Object was drawn against at the last paint, while they hold.
    TkPlotPaintContext HitTestContext(TkPlotObject& Object);
    // P lies on Channel's entry in any of the legends.
    bool LegendEntryHit(const TkPlotChannelCustom* Channel, TPoint P) const;
    // The channels on legend entries at P, kept for the hit test under way
    // (every channel asks, and a walk of every legend for each would cost
    // channels times legends) until the scope ends.
    class TLegendHitScope;

    // --- TkPlotPaintHost ----------------------------------------------------------------
    bool RepaintPending() const override;
    bool RepaintQueued() const override;
    TkPlotLegendEntries* LegendEntries() override { return FLegendEntries ? &*FLegendEntries : nullptr; }
    bool DataViewPercentToPixels(Double Percent, bool Vertical, Integer& Pixel) const override;
    Integer PlotImageCount(Integer ListIndex) const override;
    Integer PlotImageWidth(Integer ListIndex) const override;
    void PlotDrawImage(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y,
                       bool Enabled) override;

private:
    // Layout steps. Along the sides: every layout object covers its share
    // of the view's side (toolbars and horizontal labels: of the plot's
    // width).
    void PlaceAlongSides(const TRect& View, Int64 Border);
    void PlaceCartesianAxes(const TRect& View);
    // Axes with an alignment reference take its extent and stacking.
    void AlignAxes();
    // The extent of the axes' scales: the data view that the channels see.
    TRect ScaleBounds() const;
    // Every X axis, then every Y axis, lays out its scale and makes its ticks.
    void CalcAllTicks(TCanvas* Canvas);
    // What the layout and the ticks were made from: the plot's size and
    // margins, the objects and the counts of their changes, the translation
    // table. A paint that finds it unchanged keeps them: new data changes
    // none of it.
    struct TLayoutKey {
        Integer Width = 0;
        Integer Height = 0;
        Integer Margins[4] = {};
        Integer BorderStyle = 0;
        bool XYAxesReverse = false;
        Cardinal Objects = 0;
        Cardinal Versions = 0;
        Cardinal Removals = 0;
        Cardinal Translations = 0;
        bool operator==(const TLayoutKey&) const = default;
    };
    TLayoutKey LayoutKey() const;
    // Ticks, two layout passes (the second sees the labels that the first
    // gave the axes), ticks again; skipped while the layout key holds,
    // unless the user's handlers write the labels.
    void UpdateLayout(TCanvas* Canvas);
    // The context of data view 0 that every paint and hit test starts from:
    // its rectangles, the exchanged axes, the clip of annotations.
    TkPlotPaintContext ViewContext() const;
    // The context of one paint inside the data view: the canvas, the
    // background the channels see, the room Cartesian axes take, every
    // axis's tick marks.
    TkPlotPaintContext InViewContext(TCanvas* Canvas, TColor BackGround, TkPlotOccupiedRects& Occupied);
    // What hit tests compare to tell that the scales kept from the last paint
    // may be gone or others found now.
    TkPlotPaintedAxes::TStamp PaintStamp() const;
    // An object drawn inside the data view, with the scales the paint found
    // for it once, and its place in the order of drawing (layer, then kind).
    struct TPaintItem {
        TkPlotObject* Object;
        TkPlotScalePair Scales;
        Integer Layer;
        char Letter;
    };
    std::vector<TPaintItem> DataViewItems();
    // Channels on their axes, every axis on the paint's occupied room.
    void PrepareObjects(const TkPlotPaintContext& InView, const std::vector<TPaintItem>& Items);
    void DrawBackGroundLayer(TCanvas* Canvas);
    void DrawDataViewContents(const TkPlotPaintContext& InView, std::vector<TPaintItem> Items);
    // An object removed since Generation: what a paint step holds may be
    // gone, and the removal has asked for a new paint.
    bool ObjectsRemovedSince(Cardinal Generation) const { return FRemovals != Generation; }
    std::vector<const TkPlotChannelCustom*> ChannelsOnLegendEntries(TPoint P) const;

    TkPlotComponent& FPlot;
    const TkPlotObjectsHost& FObjects;
    TkPlotHint& FHint;
    const TkPlotImageLists& FImages;
    bool FPainting = false;
    std::vector<TRect> FOccupiedRects;
    std::array<std::vector<const TkPlotTickMarks*>, 2> FPaintMarks;
    TkPlotPaintedAxes FPaintedAxes;
    // What the legends list, made anew for each layout pass and for the
    // drawing of a paint; none outside a paint.
    std::optional<TkPlotLegendEntries> FLegendEntries;
    struct TLegendEntriesHit {
        TPoint P;
        std::vector<const TkPlotChannelCustom*> Channels;
    };
    std::optional<TLegendEntriesHit> FLegendEntriesHit;
    // Objects removed so far; a paint step that called out to the user's
    // handlers compares it before touching what it collected.
    Cardinal FRemovals = 0;
    std::optional<TLayoutKey> FLayoutKey;
};

class TkPlotPainter::TLegendHitScope {
public:
    TLegendHitScope(TkPlotPainter& Painter, TPoint P);
    ~TLegendHitScope();
    TLegendHitScope(const TLegendHitScope&) = delete;
    TLegendHitScope& operator=(const TLegendHitScope&) = delete;

private:
    TkPlotPainter& FPainter;
    std::optional<TLegendEntriesHit> FSaved;
};
