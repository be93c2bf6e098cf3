// The plot's layout and paint.
//
// Layout: the visible layout objects of each side stand in bands, one band
// per row (ZOrder), counted outward from the data view; a band is as deep as
// its deepest object, and the ends of the sides leave room for the half
// labels that overhang the ends of the objects across the corner. The data
// view takes what is left. Along its side each object covers its start ..
// stop percentage of the data view (toolbars and horizontal labels: of the
// whole plot). Axes drawn across the data view (Cartesian axes) take no
// band: they run through its middle or cross another axis at a value.
//
// Paint: ticks, two layout passes (the second sees the labels that the
// first layout gave the axes), ticks again, unless nothing they depend on
// changed since the last paint; then the background, the contents of the
// data view in layer order clipped to it, and the objects round it. Each
// object draws from one paint context: the paint finds its axes once and
// keeps them for the hit tests until the next paint.
//
// Every pixel sum saturates: margins and fonts from damaged property text
// can be huge, and a plot can be smaller than its margins.

#include <algorithm>
#include <optional>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/component/kPlotPainter.h"

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/component/kPlotComponent.h"
#include "components/plot/component/kPlotHint.h"
#include "components/plot/component/kPlotImageLists.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLabel.h"
#include "components/plot/layout/kPlotLegend.h"
#include "components/plot/table/kPlotTable.h"
#include "components/plot/view/kPlotDataView.h"
#include "components/plot/view/kPlotLimit.h"
#include "platform/Math.h"
#include "platform/SysApi.h"

namespace {

Integer Sum(std::initializer_list<Int64> Parts)
{
    Int64 total = 0;
    for (const Int64 part : Parts) total += part;
    return SatInt32(total);
}

// Percent of Length, rounded to the nearest pixel (ties to even).
Integer PercentOf(Double Percent, Int64 Length) { return RoundPix(Extended(Percent) / 100 * Extended(Length)); }

bool IsAxis(const TkPlotObject* Object) { return IsAxisKind(Object->Kind()); }

bool IsCartesianAxis(const TkPlotObject* Object)
{
    return IsAxis(Object) && static_cast<const TkPlotAxis*>(Object)->CartesianStyle() != kpcsNone;
}

// Layout objects get one rectangle: the cell they are drawn in.
void SetObjectRect(TkPlotLayoutObject* Object, const TRect& Rect)
{
    Object->SetLayoutRect(Rect);
    Object->SetDrawRect(Rect);
}

// Clips the canvas to a rectangle for the life of the scope, then gives
// back the clip it had (a host's clip included). The font and brush the
// drawing inside chose stay chosen: the restored state must not bring back
// older text colours under them.
class TClipScope {
public:
    TClipScope(TCanvas* Canvas, const TRect& Rect) : FCanvas(Canvas), FSaved(SaveDC(Canvas))
    {
        IntersectClipRect(Canvas, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
    }
    ~TClipScope()
    {
        RestoreDC(FCanvas, FSaved);
        FCanvas->Refresh();
    }
    TClipScope(const TClipScope&) = delete;
    TClipScope& operator=(const TClipScope&) = delete;

private:
    TCanvas* FCanvas;
    Integer FSaved;
};

// A visible object of a side that takes a band, with its own depth and the
// depth of its band.
struct TBandEntry {
    TkPlotLayoutObject* Object;
    Integer Size;
    Integer BandDepth = 0;
};

// One side of the data view as the layout measured it.
struct TSideLayout {
    Integer VisibleCount = 0;
    // In the side list's order (rows ascending).
    std::vector<TBandEntry> Entries;
    Int64 Depth = 0;
    Integer StartMargin = 0;
    Integer StopMargin = 0;
};

// Neighbours on one row are stacked at the ends where they meet; an object
// that forces stacking is stacked at both ends.
void MarkStacking(const std::vector<TkPlotLayoutObject*>& Objects)
{
    std::optional<Integer> lastRow;
    TkPlotLayoutObject* previous = nullptr;
    for (TkPlotLayoutObject* object : Objects) {
        if (object->ForceStacking()) {
            object->SetStartStacked(true);
            object->SetStopStacked(true);
        } else if (lastRow == object->ZOrder()) {
            previous->SetStopStacked(true);
            object->SetStartStacked(true);
        } else {
            lastRow = object->ZOrder();
        }
        previous = object;
    }
}

// Stops early (with a partial result) once Intact answers false: an object
// measured may have reached a handler that freed objects.
template <class F>
TSideLayout MeasureSide(const TkPlotLayoutSideList& List, TCanvas* Canvas, F Intact)
{
    TSideLayout side;
    std::vector<TkPlotLayoutObject*> banded;
    for (TkPlotLayoutObject* object : List) {
        if (!object->Visible()) continue;
        ++side.VisibleCount;
        object->SetStartStacked(false);
        object->SetStopStacked(false);
        if (!IsCartesianAxis(object)) banded.push_back(object);
    }
    MarkStacking(banded);
    for (TkPlotLayoutObject* object : banded) {
        if (!Intact()) return side;
        side.Entries.push_back({object, std::max(object->GetRequiredSize(Canvas), 0)});
        if (!Intact()) return side;
        const Integer margin = object->GetRequiredEndMargin(Canvas);
        if (!object->StartStacked()) side.StartMargin = std::max(side.StartMargin, margin);
        if (!object->StopStacked()) side.StopMargin = std::max(side.StopMargin, margin);
    }
    // Rows are runs of equal ZOrder in the list's order.
    for (std::size_t first = 0; first < side.Entries.size();) {
        std::size_t last = first;
        Integer depth = 0;
        const Integer row = side.Entries[first].Object->ZOrder();
        while (last < side.Entries.size() && side.Entries[last].Object->ZOrder() == row)
            depth = std::max(depth, side.Entries[last++].Size);
        for (std::size_t i = first; i < last; ++i) side.Entries[i].BandDepth = depth;
        side.Depth += depth;
        first = last;
    }
    return side;
}

// How a side's bands are walked: from the data view's edge outward, in the
// direction of Sign (-1 toward left or top), setting the coordinates across
// the side (left and right of vertical sides, top and bottom of others).
struct TSideWalk {
    bool Reversed;  // from the list's last object to its first
    Integer Sign;
    bool Vertical;
};

// The objects of a side get their place across it. Shift, when given,
// moves the position outward once before the first object that is no axis.
template <class F>
void PlaceSide(const TSideLayout& Side, const TSideWalk& Walk, Int64 Edge, Int64 Shift, F Adjust)
{
    Int64 position = Edge;
    Int64 previousDepth = 0;
    std::optional<Integer> row;
    bool shifted = Shift == 0;
    const auto place = [&](const TBandEntry& Entry) {
        TkPlotLayoutObject* object = Entry.Object;
        if (row != object->ZOrder()) {
            position += Walk.Sign * previousDepth;
            previousDepth = Entry.BandDepth;
            row = object->ZOrder();
        }
        if (!shifted && !IsAxis(object)) {
            position += Walk.Sign * Shift;
            shifted = true;
        }
        const Integer near = SatInt32(position);
        const Integer far = Sum({position, Walk.Sign * Int64{Entry.BandDepth}});
        TRect r = object->LayoutRect();
        if (Walk.Vertical) {
            r.Left = std::min(near, far);
            r.Right = std::max(near, far);
        } else {
            r.Top = std::min(near, far);
            r.Bottom = std::max(near, far);
        }
        Adjust(Entry, r);
        SetObjectRect(object, r);
    };
    if (Walk.Reversed)
        std::for_each(Side.Entries.rbegin(), Side.Entries.rend(), place);
    else
        std::for_each(Side.Entries.begin(), Side.Entries.end(), place);
}

// The context of one object: its own axes' scales, and the exchange of axes
// that the object follows.
TkPlotPaintContext ObjectContext(const TkPlotPaintContext& Base, const TkPlotObject& Object, TkPlotScalePair Scales)
{
    TkPlotPaintContext context = Base.WithScales(Scales);
    context.XYAxesReversed = Object.XYAxesReversed();
    return context;
}

}  // namespace

// ===========================================================================
// Layout
// ===========================================================================

void TkPlotPainter::CalcLayout(TCanvas* Canvas)
{
    if (FPlot.DataViewCount() == 0) return;
    const Cardinal generation = FRemovals;
    const TkPlotLayoutManager& manager = *FPlot.Master().LayoutManager();
    // Measuring asks the axes for their labels, and the user's handlers for
    // their texts.
    const auto intact = [this, generation] { return !ObjectsRemovedSince(generation); };
    // The legends of this pass share what they list.
    FLegendEntries.emplace(&FObjects);
    const TScopeExit entriesMeasured([this] { FLegendEntries.reset(); });
    const TSideLayout left = MeasureSide(manager.LeftList(), Canvas, intact);
    const TSideLayout top = MeasureSide(manager.TopList(), Canvas, intact);
    const TSideLayout right = MeasureSide(manager.RightList(), Canvas, intact);
    const TSideLayout bottom = MeasureSide(manager.BottomList(), Canvas, intact);
    if (!intact()) return;

    const Int64 border = FPlot.BorderStyle() != kbsNone ? 2 : 0;
    // Vertical objects start at the bottom, horizontal ones at the left.
    const Int64 leftDepth = std::max({left.Depth, Int64{top.StartMargin}, Int64{bottom.StartMargin}});
    const Int64 rightDepth = std::max({right.Depth, Int64{top.StopMargin}, Int64{bottom.StopMargin}});
    const Int64 topDepth = std::max({top.Depth, Int64{left.StopMargin}, Int64{right.StopMargin}});
    const Int64 bottomDepth = std::max({bottom.Depth, Int64{left.StartMargin}, Int64{right.StartMargin}});
    // A lone toolbar on top hugs the border; the view keeps room for the
    // labels that overhang the tops of the side axes.
    const bool loneToolBar =
        top.VisibleCount == 1 && top.Entries.size() == 1 && top.Entries[0].Object->Kind() == kpokToolBar;
    const Int64 overhang = loneToolBar ? std::max(left.StopMargin, right.StopMargin) : 0;

    TRect view;
    view.Left = Sum({leftDepth, border, FPlot.OuterMarginLeft()});
    view.Top = Sum({topDepth, border, FPlot.OuterMarginTop(), overhang});
    // A plot smaller than its margins gets a view of no size, never an
    // inverted one.
    view.Right = std::max(view.Left, Sum({FPlot.Width(), -rightDepth, -border, -Int64{FPlot.OuterMarginRight()}, -1}));
    view.Bottom = std::max(view.Top, Sum({FPlot.Height(), -bottomDepth, -border, -Int64{FPlot.OuterMarginBottom()}, -1}));

    const auto keep = [](const TBandEntry&, TRect&) {};
    PlaceSide(left, {true, -1, true}, view.Left, 0, keep);
    PlaceSide(right, {false, 1, true}, view.Right, 0, keep);
    PlaceSide(bottom, {true, 1, false}, view.Bottom, 0, keep);
    PlaceSide(top, {false, -1, false}, view.Top, overhang, [border](const TBandEntry& Entry, TRect& R) {
        if (Entry.Object->Kind() != kpokToolBar) return;
        R.Top = SatInt32(border);
        R.Bottom = Sum({border, Entry.Size});
    });

    TkPlotDataView* dataView = FPlot.GetDataView(0);
    SetObjectRect(dataView, view);
    PlaceAlongSides(view, border);
    PlaceCartesianAxes(view);
    AlignAxes();
    CalcAllTicks(Canvas);
    if (!intact()) return;
    dataView->SetDrawRect(ScaleBounds());
}

void TkPlotPainter::PlaceAlongSides(const TRect& View, Int64 Border)
{
    // Lengths below zero (a plot narrower than its margins) would turn the
    // objects inside out.
    const Int64 viewWidth = Int64{View.Right} - View.Left;
    const Int64 viewHeight = Int64{View.Bottom} - View.Top;
    const Int64 plotWidth = std::max<Int64>(Int64{FPlot.Width()} - 2 * Border, 0);
    const Int64 labelWidth = std::max<Int64>(Int64{FPlot.Width()} - Border - FPlot.OuterMarginLeft() - FPlot.OuterMarginRight(), 0);
    const Int64 labelLeft = Border + FPlot.OuterMarginLeft();
    const TkPlotLayoutManager& manager = *FPlot.Master().LayoutManager();
    // Hidden objects too: they are where they will show.
    for (Integer i = 0; i < manager.Count(); ++i) {
        TkPlotLayoutObject* object = manager.GetLayoutObject(i);
        const TkPlotObjectKind kind = object->Kind();
        if (kind == kpokDataView || manager.IsPlaceholder(object)) continue;
        const Double start = object->StartPercent();
        const Double stop = object->StopPercent();
        const bool sideKind = kind == kpokLegend || kind == kpokTable || IsAxisKind(kind);
        TRect r = object->LayoutRect();
        if (object->IsHorz() && kind == kpokToolBar) {
            r.Left = Sum({PercentOf(start, plotWidth), Border});
            r.Right = Sum({PercentOf(stop, plotWidth), Border, -1});
        } else if (object->IsHorz() && kind == kpokLabel) {
            r.Left = Sum({PercentOf(start, labelWidth), labelLeft});
            r.Right = Sum({PercentOf(stop, labelWidth), labelLeft});
        } else if (object->IsHorz() && sideKind) {
            r.Left = Sum({View.Left, PercentOf(start, viewWidth)});
            r.Right = Sum({View.Left, PercentOf(stop, viewWidth)});
        } else if (!object->IsHorz() && (sideKind || kind == kpokLabel)) {
            r.Top = Sum({View.Bottom, -Int64{PercentOf(stop, viewHeight)}});
            r.Bottom = Sum({View.Bottom, -Int64{PercentOf(start, viewHeight)}});
        } else {
            continue;
        }
        SetObjectRect(object, r);
    }
}

void TkPlotPainter::PlaceCartesianAxes(const TRect& View)
{
    for (const bool xAxes : {true, false})
        for (Integer i = 0; i < FPlot.AxisCount(xAxes); ++i) {
            TkPlotAxis* axis = FPlot.GetAxis(xAxes, i);
            const TkPlotCartesianStyle style = axis->CartesianStyle();
            if (style == kpcsNone) continue;
            // A master runs through the middle of the view, a child across
            // its reference axis at the reference value.
            Integer across = 0;
            if (style == kpcsMaster) {
                across = axis->IsHorz() ? SatInt32((Int64{View.Top} + View.Bottom) / 2)
                                        : SatInt32((Int64{View.Left} + View.Right) / 2);
            } else if (const TkPlotAxis* reference = axis->GetCartesianChildRefAxis()) {
                across = reference->PositionToPixels(axis->CartesianChildRefValue());
            } else {
                SetObjectRect(axis, TRect{});
                continue;
            }
            SetObjectRect(axis, axis->IsHorz() ? Rect(View.Left, across, View.Right, across)
                                               : Rect(across, View.Top, across, View.Bottom));
        }
}

void TkPlotPainter::AlignAxes()
{
    for (const bool xAxes : {true, false})
        for (Integer i = 0; i < FPlot.AxisCount(xAxes); ++i) {
            TkPlotAxis* axis = FPlot.GetAxis(xAxes, i);
            const TkPlotAxis* reference = axis->GetAlignRefAxis();
            if (!reference) continue;
            TRect r = axis->LayoutRect();
            const TRect along = reference->LayoutRect();
            if (axis->IsHorz()) {
                r.Left = along.Left;
                r.Right = along.Right;
            } else {
                r.Top = along.Top;
                r.Bottom = along.Bottom;
            }
            SetObjectRect(axis, r);
            axis->SetStartStacked(reference->StartStacked());
            axis->SetStopStacked(reference->StopStacked());
        }
}

TRect TkPlotPainter::ScaleBounds() const
{
    // Starts inverted: without axes the view has no extent at all.
    TRect bounds = Rect(FPlot.Width(), FPlot.Height(), 0, 0);
    // Y axes run along the view's height unless the axes are exchanged.
    const bool reversed = FPlot.XYAxesReverse();
    for (const bool xAxes : {true, false})
        for (Integer i = 0; i < FPlot.AxisCount(xAxes); ++i) {
            const TRect scale = FPlot.GetAxis(xAxes, i)->ScaleRect();
            if (xAxes != reversed) {
                bounds.Left = std::min(bounds.Left, scale.Left);
                bounds.Right = std::max(bounds.Right, scale.Right);
            } else {
                bounds.Top = std::min(bounds.Top, scale.Top);
                bounds.Bottom = std::max(bounds.Bottom, scale.Bottom);
            }
        }
    return bounds;
}

void TkPlotPainter::CalcAllTicks(TCanvas* Canvas)
{
    // By index: the labels reach the user's handlers.
    for (const bool xAxes : {true, false})
        for (Integer i = 0; i < FPlot.AxisCount(xAxes); ++i) FPlot.GetAxis(xAxes, i)->CalcTicks(Canvas);
}

// ===========================================================================
// Paint contexts
// ===========================================================================

TkPlotPaintContext TkPlotPainter::ViewContext() const
{
    TkPlotPaintContext context;
    context.XYAxesReversed = FPlot.XYAxesReverse();
    context.ClipAnnotationsToAxes = FPlot.ClipAnnotationsToAxes();
    if (FPlot.DataViewCount() == 0) return context;
    const TRect r = FPlot.GetDataView(0)->DrawRect();
    context.DataView = r;
    context.Clip = Rect(r.Left, r.Top, Sum({r.Right, 1}), Sum({r.Bottom, 1}));
    return context;
}

TkPlotPaintedAxes::TStamp TkPlotPainter::PaintStamp() const { return {FRemovals, FPlot.Master().AxesVersion()}; }

TkPlotPaintContext TkPlotPainter::HitTestContext(TkPlotObject& Object)
{
    return ObjectContext(ViewContext(), Object, FPaintedAxes.Kept(Object, PaintStamp()));
}

// ===========================================================================
// Paint
// ===========================================================================

TkPlotPainter::TLayoutKey TkPlotPainter::LayoutKey() const
{
    TLayoutKey key{FPlot.Width(), FPlot.Height(), {FPlot.OuterMarginLeft(), FPlot.OuterMarginTop(), FPlot.OuterMarginRight(), FPlot.OuterMarginBottom()},
                   Integer(FPlot.BorderStyle()), FPlot.XYAxesReverse()};
    FPlot.Master().ForEachObjectOf(PlotAllKinds, [&key](const TkPlotObject* Object) {
        ++key.Objects;
        key.Versions += Object->LookVersion();
    });
    key.Removals = FRemovals;
    if (const TkPlotTranslationManager* translations = FPlot.Master().TranslationManager())
        key.Translations = translations->Version();
    return key;
}

void TkPlotPainter::UpdateLayout(TCanvas* Canvas)
{
    const bool labelsFromHandlers = FPlot.OnXAxisCustomizeLabel || FPlot.OnYAxisCustomizeLabel;
    if (!labelsFromHandlers && FLayoutKey == LayoutKey()) return;
    FLayoutKey.reset();
    const Cardinal generation = FRemovals;
    CalcAllTicks(Canvas);
    CalcLayout(Canvas);
    CalcLayout(Canvas);
    CalcAllTicks(Canvas);
    // Taken after the layout, which may itself report changes of objects.
    if (!ObjectsRemovedSince(generation)) FLayoutKey = LayoutKey();
}

void TkPlotPainter::ReCalcLayout()
{
    FLayoutKey.reset();
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(FPlot.Width(), FPlot.Height());
    Paint(bitmap->Canvas());
}

void TkPlotPainter::Paint(TCanvas* Canvas)
{
    FPainting = true;
    const TScopeExit painted([this] {
        FPainting = false;
        FLegendEntries.reset();
    });
    // Before anything reads a scale: the layout is kept or made again, and
    // the ticks with it, by the scales as every point tracked at once left
    // them. A paint that draws nothing ends the wait too: the points after
    // it are tracked and reported at once, as after any paint.
    FPlot.SettleWaitingPoints();
    if (FPlot.ToolBarCount() == 0 || FPlot.LegendCount() == 0 || FPlot.DataViewCount() == 0) return;
    const Cardinal generation = FRemovals;
    TkPlotDataView* view = FPlot.GetDataView(0);
    const TColor channelBackGround = view->BackgroundTransparent() ? FPlot.BackGroundColor() : view->BackgroundColor();
    FOccupiedRects.clear();
    // Raised again by a data cursor that shows every channel in the legend.
    FPlot.GetLegend(0)->SetCursorAllChannels(false);

    UpdateLayout(Canvas);
    if (ObjectsRemovedSince(generation)) return;
    TkPlotOccupiedRects occupied(FOccupiedRects, view->DrawRect());
    const TkPlotPaintContext inView = InViewContext(Canvas, channelBackGround, occupied);
    FPaintedAxes.Reset(PaintStamp());
    std::vector<TPaintItem> items = DataViewItems();
    PrepareObjects(inView, items);
    for (Integer i = 0; i < FPlot.DataCursorCount(); ++i) FPlot.GetDataCursor(i)->SetDataView(view);
    for (Integer i = 0; i < FPlot.AnnotationCount(); ++i) FPlot.GetAnnotation(i)->SetDataView(view);

    DrawBackGroundLayer(Canvas);
    view->DrawBackground(Canvas);
    DrawDataViewContents(inView, std::move(items));
    if (ObjectsRemovedSince(generation)) return;
    view->DrawZoomBox(Canvas);
    const TkPlotPaintContext outside = inView.WithBackGround(FPlot.BackGroundColor());
    DrawLayoutObjects(outside);
    for (Integer i = 0; i < FPlot.DataCursorCount(); ++i) FPlot.GetDataCursor(i)->Draw(inView);
    // The data cursors have given the legend their readouts.
    FLegendEntries.emplace(&FObjects);
    for (Integer i = 0; i < FPlot.LegendCount(); ++i) FPlot.GetLegend(i)->Draw(outside);
    for (Integer i = 0; i < FPlot.TableCount(); ++i) FPlot.GetTable(i)->Draw(outside);
    FHint.Draw(Canvas);

    FPainting = false;
    FLegendEntries.reset();
    if (const TNotifyEvent handler = FPlot.OnAfterPaint) handler(&FPlot);
}

TkPlotPaintContext TkPlotPainter::InViewContext(TCanvas* Canvas, TColor BackGround, TkPlotOccupiedRects& Occupied)
{
    TkPlotPaintContext context = ViewContext();
    context.Canvas = Canvas;
    context.BackGroundColor = BackGround;
    context.Occupied = &Occupied;
    for (const bool xAxes : {true, false}) {
        std::vector<const TkPlotTickMarks*>& marks = FPaintMarks[xAxes ? 0 : 1];
        marks.clear();
        for (Integer i = 0; i < FPlot.AxisCount(xAxes); ++i) marks.push_back(FPlot.GetAxis(xAxes, i));
        (xAxes ? context.XMarks : context.YMarks) = marks;
    }
    return context;
}

std::vector<TkPlotPainter::TPaintItem> TkPlotPainter::DataViewItems()
{
    // Added in the order of the letters; within a layer the letters order
    // the kinds: filled limits under the grid, the grid under line limits,
    // axes across the view, channels and annotations on top.
    std::vector<TPaintItem> items;
    const auto add = [&](TkPlotObject* Object, char Letter) {
        items.push_back({Object, FPaintedAxes.Find(*Object), Object->Layer(), Letter});
    };
    for (Integer i = 0; i < FPlot.LimitCount(); ++i)
        if (FPlot.GetLimit(i)->IsFilledStyle()) add(FPlot.GetLimit(i), 'A');
    add(FPlot.GetDataView(0), 'B');
    for (Integer i = 0; i < FPlot.LimitCount(); ++i)
        if (!FPlot.GetLimit(i)->IsFilledStyle()) add(FPlot.GetLimit(i), 'C');
    for (Integer i = 0; i < FPlot.YAxisCount(); ++i)
        if (IsCartesianAxis(FPlot.GetYAxis(i))) add(FPlot.GetYAxis(i), 'D');
    for (Integer i = 0; i < FPlot.XAxisCount(); ++i)
        if (IsCartesianAxis(FPlot.GetXAxis(i))) add(FPlot.GetXAxis(i), 'E');
    for (Integer i = 0; i < FPlot.ChannelCount(); ++i) add(FPlot.GetChannel(i), 'F');
    for (Integer i = 0; i < FPlot.AnnotationCount(); ++i) add(FPlot.GetAnnotation(i), 'G');
    return items;
}

void TkPlotPainter::PrepareObjects(const TkPlotPaintContext& InView, const std::vector<TPaintItem>& Items)
{
    // The channels in the order of their manager, as the items hold them.
    for (const TPaintItem& item : Items)
        if (item.Object->Kind() == kpokChannel)
            item.Object->PrepareDraw(ObjectContext(InView, *item.Object, item.Scales));
    for (const bool xAxes : {true, false})
        for (Integer i = 0; i < FPlot.AxisCount(xAxes); ++i) FPlot.GetAxis(xAxes, i)->PrepareDraw(InView);
}

void TkPlotPainter::DrawBackGroundLayer(TCanvas* Canvas)
{
    if (!FPlot.BackGroundGradientEnabled()) {
        FPlot.DrawBackGround(Canvas, FPlot.BackGroundColor());
        return;
    }
    const TRect client = Rect(0, 0, FPlot.Width(), FPlot.Height());
    TClipScope clip(Canvas, client);
    GradientFill(Canvas, client, FPlot.BackGroundGradientDirection(), FPlot.BackGroundGradientStartColor(),
                 FPlot.BackGroundGradientStopColor());
}

void TkPlotPainter::DrawDataViewContents(const TkPlotPaintContext& InView, std::vector<TPaintItem> Items)
{
    // Ordered by the layer's value (any layer, negative ones too), then the
    // letter; of equal keys the one added last draws first.
    std::reverse(Items.begin(), Items.end());
    std::stable_sort(Items.begin(), Items.end(), [](const TPaintItem& A, const TPaintItem& B) {
        return A.Layer != B.Layer ? A.Layer < B.Layer : A.Letter < B.Letter;
    });
    const Cardinal generation = FRemovals;
    for (const TPaintItem& item : Items) {
        if (ObjectsRemovedSince(generation)) return;
        // A channel draws when its preparation found something to draw.
        if (item.Object->Kind() == kpokChannel && !item.Object->CanDraw()) continue;
        TClipScope clip(InView.Canvas, InView.Clip);
        item.Object->Draw(ObjectContext(InView, *item.Object, item.Scales));
    }
}

void TkPlotPainter::DrawLayoutObjects(const TkPlotPaintContext& Outside)
{
    TCanvas* canvas = Outside.Canvas;
    canvas->Brush()->SetColor(Outside.BackGroundColor);
    canvas->Brush()->SetStyle(bsSolid);
    FPlot.DrawBorder(canvas);
    for (const bool xAxes : {true, false})
        for (Integer i = 0; i < FPlot.AxisCount(xAxes); ++i)
            if (TkPlotAxis* axis = FPlot.GetAxis(xAxes, i); !IsCartesianAxis(axis)) axis->Draw(Outside);
    for (Integer i = 0; i < FPlot.LabelCount(); ++i) FPlot.GetLabel(i)->Draw(Outside);
    for (Integer i = 0; i < FPlot.ToolBarCount(); ++i) FPlot.GetToolBar(i)->Draw(Outside);
}

// ===========================================================================
// Hit tests
// ===========================================================================

TkPlotPainter::TLegendHitScope::TLegendHitScope(TkPlotPainter& Painter, TPoint P)
    : FPainter(Painter), FSaved(std::move(Painter.FLegendEntriesHit))
{
    FPainter.FLegendEntriesHit = TLegendEntriesHit{P, FPainter.ChannelsOnLegendEntries(P)};
}

TkPlotPainter::TLegendHitScope::~TLegendHitScope() { FPainter.FLegendEntriesHit = std::move(FSaved); }

bool TkPlotPainter::LegendEntryHit(const TkPlotChannelCustom* Channel, TPoint P) const
{
    const auto holds = [Channel](const std::vector<const TkPlotChannelCustom*>& Channels) {
        return std::find(Channels.begin(), Channels.end(), Channel) != Channels.end();
    };
    if (FLegendEntriesHit && FLegendEntriesHit->P == P) return holds(FLegendEntriesHit->Channels);
    return holds(ChannelsOnLegendEntries(P));
}

std::vector<const TkPlotChannelCustom*> TkPlotPainter::ChannelsOnLegendEntries(TPoint P) const
{
    std::vector<const TkPlotChannelCustom*> channels;
    if (!FPlot.HasObjects()) return channels;
    for (Integer i = 0; i < FPlot.LegendCount(); ++i) FPlot.GetLegend(i)->AddChannelsOnEntries(P, channels);
    return channels;
}

// ===========================================================================
// What painting and layout ask of the plot
// ===========================================================================

bool TkPlotPainter::RepaintPending() const { return FPlot.RepaintPending(); }
bool TkPlotPainter::RepaintQueued() const { return FPlot.RepaintQueued(); }

bool TkPlotPainter::DataViewPercentToPixels(Double Percent, bool Vertical, Integer& Pixel) const
{
    if (FPlot.DataViewCount() == 0) return false;
    const TkPlotDataView* view = FPlot.GetDataView(0);
    Pixel = Vertical ? view->PositionPercentToPixelsY(Percent) : view->PositionPercentToPixelsX(Percent);
    return true;
}

Integer TkPlotPainter::PlotImageCount(Integer ListIndex) const { return FImages.ImageCount(ListIndex); }

Integer TkPlotPainter::PlotImageWidth(Integer ListIndex) const { return FImages.ImageWidth(ListIndex); }

void TkPlotPainter::PlotDrawImage(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y,
                                  bool Enabled)
{
    FImages.DrawImage(Canvas, ListIndex, ImageIndex, X, Y, Enabled);
}
