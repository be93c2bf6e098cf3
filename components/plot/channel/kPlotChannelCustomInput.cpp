// A channel under the user's mouse: its data points are picked in the
// select mode of the plot's toolbar, show their values as a hint, and can
// be clicked and dragged.
//
// The grabbed point is held by its index; every removal of points forgets
// it (ForgetPointSelection), and a drag whose point is gone ends silently,
// so data arriving during a drag never makes the drag act on another
// point or on none.

#include <cmath>
#include <memory>
#include <utility>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "platform/Math.h"
#include "platform/Menus.h"

namespace {

constexpr Integer kHintPadding = 4;

}  // namespace

bool TkPlotChannelCustom::kMouseHitTest(const TkPlotMouseData& MouseData)
{
    const bool hit = TkPlotObject::kMouseHitTest(MouseData) || OnLegendEntry(MouseData);
    const TkPlotInputHost* input = Host().Input;
    if (!input || !input->IsToolBarSelectMode()) return hit;
    FSelectDataIndex = -1;
    if (!PointsPickable() || Count() == 0) return hit;
    const TkPlotPaintContext context = HitTestContext();
    CalcStartIndex(context.XScale);
    CalcStopIndex(context.XScale);
    FSelectDataIndex = FindMarkerAt(context, MouseData, FSelectHitTestRect);
    return hit || FSelectDataIndex >= 0;
}

bool TkPlotChannelCustom::OnLegendEntry(const TkPlotMouseData& MouseData) const
{
    const TkPlotInputHost* input = Host().Input;
    return input && input->LegendEntryHit(this, Point(MouseData.X, MouseData.Y));
}

// Picking is the drawing's conversion of the drawn range to pixels, done
// once and kept in a grid until the points, the range or a scale change;
// each move then measures only the markers near the mouse. Markers of
// their own sizes reach any distance and are all measured.
Integer TkPlotChannelCustom::FindMarkerAt(const TkPlotPaintContext& Context, const TkPlotMouseData& MouseData,
                                          TRect& HitRect)
{
    // Markers are not drawn past the turn-off limit: none can be hit then.
    const Int64 span = std::abs(Int64{DrawStopIndex()} - DrawStartIndex());
    if (!MarkersVisible() || (MarkersTurnOffLimit() > 0 && MarkersTurnOffLimit() < span)) return -1;
    if (!Context.HasScales()) return -1;
    const TPoint p = Point(MouseData.X, MouseData.Y);
    const auto hits = [&](Integer Index) {
        if (!MarkerDrawable(Context, Index)) return false;
        HitRect = GetMarkerRect(Context, Index);
        return PtInRect(HitRect, p);
    };
    const TkPlotMarkerGridStamp stamp{FPointsRevision,       std::max(DrawStartIndex(), 0),
                                      std::min(DrawStopIndex(), Count() - 1),
                                      std::abs(MarkersSize()) + 1, XScaleMap(Context), YScaleMap(Context)};
    if (FMarkersAllowIndividual) {
        Integer found = -1;
        ForEachPointPixel(stamp, [&](Integer Index, Integer, Integer) {
            if (!hits(Index)) return false;
            found = Index;
            return true;
        });
        return found;
    }
    if (!FMarkerGrid.Current(stamp)) {
        FMarkerGrid.Reset(stamp);
        ForEachPointPixel(stamp, [this](Integer Index, Integer X, Integer Y) {
            FMarkerGrid.Add(Index, X, Y);
            return false;
        });
        FMarkerGrid.Finish();
    }
    // Along the axes: a hit test's record holds only the position (a point
    // exchanged to the canvas is exchanged back the same way).
    const TPoint along = Context.OnCanvas(p);
    FMarkerGrid.Near(along.X, along.Y, stamp.Reach, FNearMarkers);
    for (const Integer index : FNearMarkers)
        if (hits(index)) return index;
    return -1;
}

// The valid points of the stamp's range go by in blocks, converted to
// pixels as drawing converts them, until Visit says to stop.
template <class F>
void TkPlotChannelCustom::ForEachPointPixel(const TkPlotMarkerGridStamp& Stamp, F Visit) const
{
    constexpr Integer kBlock = TkPlotPointBlock::Capacity;
    const auto block = std::make_unique<TkPlotPointBlock>();
    Integer xPixels[kBlock];
    Integer yPixels[kBlock];
    for (Integer first = Stamp.Start; first <= Stamp.Stop; first += kBlock) {
        const Integer count = std::min(kBlock, Stamp.Stop - first + 1);
        DataList().ReadPoints(first, count, *block);
        Stamp.X.Pixels(block->X, count, xPixels);
        Stamp.Y.Pixels(block->Y, count, yPixels);
        for (Integer k = 0; k < count; ++k)
            if (block->Status[k] == kpdpsValid && Visit(first + k, xPixels[k], yPixels[k])) return;
    }
}

// ===========================================================================
// Hint
// ===========================================================================

void TkPlotChannelCustom::DoMouseHint(const TkPlotMouseData& MouseData, TkPlotHintData& HintData)
{
    TkPlotInputHost* input = Host().Input;
    if (!input) return;
    TWeakRef<TkPlotObject> self(this);
    Fire(PlotEvent::DataPointMouseMove{this, FSelectDataIndex, ShiftState(), MouseData.X, MouseData.Y});
    if (!self || !ShowDataPointHints() || FSelectDataIndex < 0 || FSelectDataIndex >= Count()) return;
    if (!PtInRect(FSelectHitTestRect, Point(MouseData.X, MouseData.Y))) return;
    TkPlotXAxis* xAxis = XAxis();
    TkPlotYAxis* yAxis = YAxis();
    if (!xAxis || !yAxis) return;
    const Integer index = FSelectDataIndex;
    String text = xAxis->GetLabelText(GetXValue(index)) + ", " + yAxis->GetLabelText(GetYValue(index));
    Fire(PlotEvent::DataPointCustomizeHint{this, index, text});
    if (!self) return;
    const TSize extent = input->HintTextExtent(text);
    HintData.Text = text;
    HintData.Width = SatInt32(Int64{extent.cx} + kHintPadding);
    HintData.Height = SatInt32(Int64{extent.cy} + kHintPadding);
    PlaceHint(MouseData, HintData);
}

void TkPlotChannelCustom::PlaceHint(const TkPlotMouseData& MouseData, TkPlotHintData& HintData) const
{
    const TkPlotPaintHost* paint = Host().Paint;
    Integer l = 0;
    Integer t = 0;
    Integer r = 0;
    Integer b = 0;
    if (!paint || !paint->DataViewPercentToPixels(0, false, l) || !paint->DataViewPercentToPixels(100, false, r) ||
        !paint->DataViewPercentToPixels(100, true, t) || !paint->DataViewPercentToPixels(0, true, b))
        return;
    // Above the point, centred; below it when there is no room above; to
    // its right or left when it is near a side; always inside the view.
    const Int64 x = MouseData.X;
    const Int64 y = MouseData.Y;
    const Int64 w = HintData.Width;
    const Int64 h = HintData.Height;
    const Int64 m = MarkersSize() / 2;
    Int64 left = x - w / 2;
    Int64 top = y - (m + h + 4);
    if (top <= t) top = y + m + h + 4;
    if (left <= l) {
        left = x + m + 8;
        top = y - h / 2;
    } else if (left + w >= r) {
        left = x - m - 4 - w;
        top = y - h / 2;
    }
    if (top + h >= b) top = b - h;
    if (top <= t) top = t;
    HintData.Left = SatInt32(left);
    HintData.Top = SatInt32(top);
}

// ===========================================================================
// Press, drag and release
// ===========================================================================

void TkPlotChannelCustom::DoMouseLeft(const TkPlotMouseData& MouseData)
{
    TWeakRef<TkPlotObject> self(this);
    Fire(PlotEvent::DataPointMouseDown{this, FSelectDataIndex, mbLeft, ShiftState(), MouseData.X, MouseData.Y});
    if (!self) return;
    FMouseDownDataIndex = FSelectDataIndex;
    FSelectMouseDownIndex = -1;
    if (FSelectDataIndex < 0 || FSelectDataIndex >= Count()) return;
    if (!PtInRect(FSelectHitTestRect, Point(MouseData.X, MouseData.Y))) return;
    FSelectMouseDownIndex = FSelectDataIndex;
    FSelectDownRect = FSelectHitTestRect;
    FMouseDownValueX = GetXValue(FSelectMouseDownIndex);
    FMouseDownValueY = GetYValue(FSelectMouseDownIndex);
    FMouseDownPixelX = MouseData.XAxisPixels;
    FMouseDownPixelY = MouseData.YAxisPixels;
}

Double TkPlotChannelCustom::DraggedValue(const TkPlotAxis& Axis, Double Grabbed, Integer PressPixel, Integer Pixel)
{
    return Grabbed - (Axis.PixelsToPosition(PressPixel) - Axis.PixelsToPosition(Pixel));
}

void TkPlotChannelCustom::DoMouseMove(const TkPlotMouseData& MouseData)
{
    if (!PointGrabbed()) return;
    const Integer index = FSelectMouseDownIndex;
    TWeakRef<TkPlotObject> self(this);
    Fire(PlotEvent::DataPointMouseMove{this, index, ShiftState(), MouseData.X, MouseData.Y});
    if (!self || !FUserCanMoveDataPoints || !PointGrabbed()) return;
    TkPlotXAxis* xAxis = XAxis();
    TkPlotYAxis* yAxis = YAxis();
    if (!xAxis || !yAxis) return;
    const TkPlotChannelDataPointMoveStyle style = FUserCanMoveDataPointsStyle;
    // A store of evenly spaced X values holds no X of its own but the first.
    const bool xMovable = style != kpcdpmsYOnly && (FDataStyle != kpdsCompactInterval || index == 0);
    const bool yMovable = style != kpcdpmsXOnly;
    const Double x = DraggedValue(*xAxis, FMouseDownValueX, FMouseDownPixelX, MouseData.XAxisPixels);
    const Double y = DraggedValue(*yAxis, FMouseDownValueY, FMouseDownPixelY, MouseData.YAxisPixels);
    // Only what changes is written: every write reports a change.
    if (xMovable && std::isfinite(x) && x != GetXValue(index)) SetXValue(index, x);
    if (self && PointGrabbed() && yMovable && std::isfinite(y) && y != GetYValue(index)) SetYValue(index, y);
}

void TkPlotChannelCustom::DoMouseUp(const TkPlotMouseData& MouseData)
{
    // A release this channel did not see pressed ends nothing.
    if (!Host().Events || !MouseDown()) return;
    const bool grabbed = PointGrabbed();
    const Integer index = std::exchange(FSelectMouseDownIndex, -1);
    TWeakRef<TkPlotObject> self(this);
    Fire(PlotEvent::DataPointMouseUp{this, FMouseDownDataIndex, mbLeft, ShiftState(), MouseData.X, MouseData.Y});
    if (!self) return;
    if (!grabbed) {
        // Pressed on its legend entry: a click of the channel itself.
        if (OnLegendEntry(MouseData)) Fire(PlotEvent::Click{this});
        return;
    }
    if (index >= Count()) return;
    if (PtInRect(FSelectDownRect, Point(MouseData.X, MouseData.Y))) {
        Fire(PlotEvent::DataPointClick{this, index});
        if (!self || index >= Count()) return;
    }
    const Double x = GetXValue(index);
    const Double y = GetYValue(index);
    if (x != FMouseDownValueX || y != FMouseDownValueY)
        Fire(PlotEvent::DataPointMoved{this, index, FMouseDownValueX, FMouseDownValueY, x, y});
}

// ===========================================================================
// Cursor, menu and selection
// ===========================================================================

TCursor TkPlotChannelCustom::GetMouseCursor(TPoint)
{
    TCursor cursor = crHandPoint;
    Fire(PlotEvent::GetMouseCursor{this, cursor});
    return cursor;
}

void TkPlotChannelCustom::BuildPopupMenu(TPopupMenu* PopupMenu)
{
    TkPlotObject::BuildPopupMenu(PopupMenu);
    AddEditMenuItem(PopupMenu);
}

void TkPlotChannelCustom::NotificationSetFocus(TkPlotObject* AObject)
{
    TkPlotObject::NotificationSetFocus(AObject);
    if (AObject == this || !AObject->UserSelected() || AObject->Kind() == kpokLegend) return;
    if (AObject->KeepsSelected(this)) return;
    SetUserSelected(false);
}
