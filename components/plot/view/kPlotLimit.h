#pragma once
// A limit marks values on a pair of axes inside the data view: a line at an
// X or Y value, a band between two values, or a poly-band whose lower and
// upper bounds vary along the other axis. It names its axes and looks them
// up when it first needs them; it draws against the axes the paint hands it. The user may drag its lines when allowed;
// every move of a line is reported to the plot, which raises its limit-line
// events.
//
// Hit testing relies on what the last paint drew: the click rectangles of
// the lines are set while drawing, so a line that was not drawn (off its
// axis, axes missing) cannot be grabbed.
//
// Poly-band elements are expected in ascending order of position: drawing
// skips the pairs below the axis and stops at the first element above it.

#include "components/foundation/kClasses.h"
#include "components/plot/objects/kPlotObjectRef.h"
#include "components/plot/objects/kPlotObjects.h"
#include "platform/Graphics.h"

class TkPlotAxis;
class TkPlotAxisScale;
class TkPlotLimit;
class TkPlotXAxis;
class TkPlotYAxis;

// X styles place their positions on the X axis, Y styles on the Y axis.
enum TkPlotLimitStyle { kplsLineX, kplsLineY, kplsBandX, kplsBandY, kplsPolyBandX, kplsPolyBandY };
PL_ENUM_NAMES(TkPlotLimitStyle, "kplsLineX", "kplsLineY", "kplsBandX", "kplsBandY", "kplsPolyBandX",
              "kplsPolyBandY")

class TkPlotLimit : public TkPlotObject {
    PL_CLASSINFO()
public:
    explicit TkPlotLimit(TkPlotObjectOwner* AOwner);
    TkPlotObjectKind Kind() const override { return kpokLimit; }

    // Pen widths beyond this come only from damaged streams.
    static constexpr Integer MaxLineWidth = 100;
    // Half the width of the band around a line that grabs it, in pixels.
    static constexpr Integer ClickMargin = 5;

    // --- published properties ---------------------------------------------
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TPenStyle LineStyle() const { return FLineStyle; }
    // An ordinal outside the enumeration is ignored.
    void SetLineStyle(TPenStyle Value);
    // Clamped to 0 .. MaxLineWidth.
    Integer LineWidth() const { return FLineWidth; }
    void SetLineWidth(Integer Value);
    TBrushStyle FillStyle() const { return FFillStyle; }
    void SetFillStyle(TBrushStyle Value);
    // The limit keeps to its axes when they are renamed.
    const String& XAxisName() const { return FXAxis.Name(); }
    void SetXAxisName(const String& Value);
    const String& YAxisName() const { return FYAxis.Name(); }
    void SetYAxisName(const String& Value);
    TkPlotLimitStyle Style() const { return FStyle; }
    void SetStyle(TkPlotLimitStyle Value);
    // A NaN is ignored; a change repaints, then reports the old and the new
    // value to the plot.
    Double Line1Position() const { return FLine1Position; }
    void SetLine1Position(Double Value);
    Double Line2Position() const { return FLine2Position; }
    void SetLine2Position(Double Value);
    bool UserCanMove() const { return FUserCanMove; }
    void SetUserCanMove(bool Value);
    // Stored without a repaint: it changes only what the mouse does.
    bool SelectModeOnlyInteraction() const { return FSelectModeOnlyInteraction; }
    void SetSelectModeOnlyInteraction(bool Value) { FSelectModeOnlyInteraction = Value; }
    bool ClipToAxes() const { return FClipToAxes; }
    void SetClipToAxes(bool Value);

    // --- poly-band elements -------------------------------------------------------
    // Appends an element (Value1 the position, Value2 the upper limit,
    // Value3 the lower limit). Raises "the Upper Limit must be greater than
    // or equal to the Lower Limit" when LowerLimit > UpperLimit, and an
    // Exception for a NaN; nothing is added then.
    void AddBandElement(Double Position, Double UpperLimit, Double LowerLimit);
    void ClearAllElements();
    const TkLimitDataList& PointList() const { return *FPointList; }

    bool IsYStyle() const;
    // Paints an area: every band and poly-band, except bands with a clear fill.
    bool IsFilledStyle() const;

    // The axes of the names; nullptr while the plot has none of that name.
    TkPlotXAxis* XAxis() const;
    TkPlotYAxis* YAxis() const;
    TkPlotScalePair BoundScales() override;
    // The lines drawn at the last paint.
    bool Line1Show() const { return FLine1Show; }
    bool Line2Show() const { return FLine2Show; }

    // --- overrides ------------------------------------------------------------------
    void NotificationSetFocus(TkPlotObject* AObject) override;
    void Draw(const TkPlotPaintContext& Context) override;
    // Inside the click rectangle of a drawn line; never while
    // SelectModeOnlyInteraction holds and the plot is not in select mode.
    bool kMouseHitTest(const TkPlotMouseData& MouseData) override;
    TCursor GetMouseCursor(TPoint P) override;
    void DoMouseLeft(const TkPlotMouseData& MouseData) override;
    void DoMouseMove(const TkPlotMouseData& MouseData) override;
    // Ends a drag; a press and a release both on the limit click it.
    void DoMouseUp(const TkPlotMouseData& MouseData) override;
    void BuildPopupMenu(TPopupMenu* PopupMenu) override;

private:
    // The axis the style's values lie on (the X axis for the X styles, whose
    // poly-band limits are X values).
    TkPlotAxis* ValueAxis();
    // The canvas point of a pixel along the value axis and one along the
    // other axis (exchanged when the axes are).
    TPoint CanvasPoint(const TkPlotPaintContext& Context, Integer ValuePixels, Integer OtherPixels) const;
    // The rectangle that grabs the line at ValuePixels across the other
    // axis' extent.
    TRect ClickRect(const TkPlotPaintContext& Context, Integer ValuePixels, const TkPlotAxisScale& Other) const;
    // Value: the scale of the style's values in the paint; Other: the other one.
    void DrawLine(const TkPlotPaintContext& Context, const TkPlotAxisScale& Value, const TkPlotAxisScale& Other);
    void DrawBand(const TkPlotPaintContext& Context, const TkPlotAxisScale& Value, const TkPlotAxisScale& Other);
    void DrawPolyBand(const TkPlotPaintContext& Context, const TkPlotAxisScale& Value,
                      const TkPlotAxisScale& Other) const;
    // Line is 1 or 2: which line's event reports the move.
    void SetLinePosition(Double& Field, Double Value, Integer Line);
    // Moves the dragged line to the mouse.
    void DragTo(const TkPlotMouseData& MouseData);

    TOwned<TkLimitDataList> FPointList;
    bool FMouseDownLine1 = false;
    bool FMouseDownLine2 = false;
    // The press began on the limit (its release may click it).
    bool FMouseDownHit = false;
    TkPlotObjectRef<TkPlotXAxis> FXAxis{*this, kpokXAxis};
    TkPlotObjectRef<TkPlotYAxis> FYAxis{*this, kpokYAxis};
    TkPlotLimitStyle FStyle = kplsLineY;
    TColor FColor = 0x0000FF;
    Integer FLineWidth = 0;
    TPenStyle FLineStyle = psSolid;
    TBrushStyle FFillStyle = bsSolid;
    bool FLine1Show = false;
    bool FLine2Show = false;
    Double FLine1Position = 50.0;
    Double FLine2Position = 50.0;
    TRect FLine1ClickRect;
    TRect FLine2ClickRect;
    bool FUserCanMove = false;
    bool FSelectModeOnlyInteraction = true;
    bool FClipToAxes = false;
};
