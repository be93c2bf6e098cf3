#pragma once
// The plotting area of a plot: the rectangle the layout places in the middle,
// inside which channels draw and around which the axes stand. It fills its
// background, draws the grid from the tick lists of its grid axes, frames
// itself, converts between pixels and percent positions of its area, and
// turns drags and the wheel into scrolling or zooming of the axes, or into a
// zoom box that sets every axis at once.
//
// Mouse modes (GetMouseMode): 0 none, 1 zoom box (the toolbar's Zoom Box
// button), 2 select (the toolbar's Select button), 3 axes control.

#include <array>
#include <functional>
#include <span>

#include "components/plot/objects/kPlotObjectRef.h"
#include "components/plot/objects/kPlotObjects.h"
#include "platform/Graphics.h"

class TkPlotAxis;

// Pen style of a grid line.
enum TkPlotGridLineStyle { kpglsSolid, kpglsDash, kpglsDot };
PL_ENUM_NAMES(TkPlotGridLineStyle, "kpglsSolid", "kpglsDash", "kpglsDot")

// The pen style that draws a grid line style.
constexpr TPenStyle PenStyleOf(TkPlotGridLineStyle Style)
{
    switch (Style) {
    case kpglsDash: return psDash;
    case kpglsDot: return psDot;
    case kpglsSolid: break;
    }
    return psSolid;
}

// Which axes a drag or the wheel inside the data view moves.
enum TkPlotAxesControlStyle { kpacsXAxis, kpacsYAxis, kpacsBoth, kpacsNone };
PL_ENUM_NAMES(TkPlotAxesControlStyle, "kpacsXAxis", "kpacsYAxis", "kpacsBoth", "kpacsNone")

// The four kinds of grid line, each with its own optional pen.
enum TkPlotGridLineKind { kpglkXMajor, kpglkXMinor, kpglkYMajor, kpglkYMinor };

// A grid line kind's own pen, used instead of the common one when Custom.
struct TkPlotGridPen {
    bool Custom = false;
    TColor Color = 32768;
    Integer Width = 0;
    TkPlotGridLineStyle Style = kpglsSolid;
};

class TkPlotDataView : public TkPlotLayoutObject {
    PL_CLASSINFO()
public:
    explicit TkPlotDataView(TkPlotObjectOwner* AOwner);
    TkPlotObjectKind Kind() const override { return kpokDataView; }

    static constexpr Integer MouseModeNone = 0;
    static constexpr Integer MouseModeZoomBox = 1;
    static constexpr Integer MouseModeSelect = 2;
    static constexpr Integer MouseModeAxesControl = 3;
    // Grid pen widths beyond this come only from damaged streams.
    static constexpr Integer MaxGridLineWidth = 100;

    // --- published properties ---------------------------------------------
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value);
    bool BackgroundTransparent() const { return FBackgroundTransparent; }
    void SetBackgroundTransparent(bool Value);
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor Value);
    // An axis name, or "<ALL>" (any case) for every axis of the direction.
    const String& GridXAxisName() const { return FXAxis.Name(); }
    void SetGridXAxisName(const String& Value);
    const String& GridYAxisName() const { return FYAxis.Name(); }
    void SetGridYAxisName(const String& Value);
    bool GridShow() const { return FGridShow; }
    void SetGridShow(bool Value);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value);
    bool GridLineShowLeft() const { return FGridLineShowLeft; }
    void SetGridLineShowLeft(bool Value);
    bool GridLineShowRight() const { return FGridLineShowRight; }
    void SetGridLineShowRight(bool Value);
    bool GridLineShowTop() const { return FGridLineShowTop; }
    void SetGridLineShowTop(bool Value);
    bool GridLineShowBottom() const { return FGridLineShowBottom; }
    void SetGridLineShowBottom(bool Value);
    bool GridLineShowXMajors() const { return FGridLineShowXMajors; }
    void SetGridLineShowXMajors(bool Value);
    bool GridLineShowXMinors() const { return FGridLineShowXMinors; }
    void SetGridLineShowXMinors(bool Value);
    bool GridLineShowYMajors() const { return FGridLineShowYMajors; }
    void SetGridLineShowYMajors(bool Value);
    bool GridLineShowYMinors() const { return FGridLineShowYMinors; }
    void SetGridLineShowYMinors(bool Value);
    TkPlotGridLineStyle GridLineMajorStyle() const { return FGridLineMajorStyle; }
    void SetGridLineMajorStyle(TkPlotGridLineStyle Value);
    TkPlotGridLineStyle GridLineMinorStyle() const { return FGridLineMinorStyle; }
    void SetGridLineMinorStyle(TkPlotGridLineStyle Value);

    // The per-kind pens; the named accessors below are their published faces.
    const TkPlotGridPen& GridPen(TkPlotGridLineKind Kind) const { return FGridPens[Kind]; }
    void SetGridPenCustom(TkPlotGridLineKind Kind, bool Value);
    void SetGridPenColor(TkPlotGridLineKind Kind, TColor Value);
    // Clamped to 0 .. MaxGridLineWidth.
    void SetGridPenWidth(TkPlotGridLineKind Kind, Integer Value);
    void SetGridPenStyle(TkPlotGridLineKind Kind, TkPlotGridLineStyle Value);

#define KPLOT_GRID_PEN_ACCESSORS(Name, Kind)                                                              \
    bool GridLine##Name##Custom() const { return FGridPens[Kind].Custom; }                                \
    void SetGridLine##Name##Custom(bool Value) { SetGridPenCustom(Kind, Value); }                         \
    TColor GridLine##Name##Color() const { return FGridPens[Kind].Color; }                                \
    void SetGridLine##Name##Color(TColor Value) { SetGridPenColor(Kind, Value); }                         \
    Integer GridLine##Name##Width() const { return FGridPens[Kind].Width; }                               \
    void SetGridLine##Name##Width(Integer Value) { SetGridPenWidth(Kind, Value); }                        \
    TkPlotGridLineStyle GridLine##Name##Style() const { return FGridPens[Kind].Style; }                   \
    void SetGridLine##Name##Style(TkPlotGridLineStyle Value) { SetGridPenStyle(Kind, Value); }
    KPLOT_GRID_PEN_ACCESSORS(XMajor, kpglkXMajor)
    KPLOT_GRID_PEN_ACCESSORS(XMinor, kpglkXMinor)
    KPLOT_GRID_PEN_ACCESSORS(YMajor, kpglkYMajor)
    KPLOT_GRID_PEN_ACCESSORS(YMinor, kpglkYMinor)
#undef KPLOT_GRID_PEN_ACCESSORS

    // Stored without a repaint: it changes only what the mouse does.
    bool AxesControlEnabled() const { return FAxesControlEnabled; }
    void SetAxesControlEnabled(bool Value) { FAxesControlEnabled = Value; }
    TkPlotAxesControlStyle AxesControlMouseStyle() const { return FAxesControlMouseStyle; }
    void SetAxesControlMouseStyle(TkPlotAxesControlStyle Value) { FAxesControlMouseStyle = Value; }
    TkPlotAxesControlStyle AxesControlWheelStyle() const { return FAxesControlWheelStyle; }
    void SetAxesControlWheelStyle(TkPlotAxesControlStyle Value) { FAxesControlWheelStyle = Value; }
    bool AxesControlAllowInSelectMode() const { return FAxesControlAllowInSelectMode; }
    void SetAxesControlAllowInSelectMode(bool Value);

    // --- conversions (draw rectangle; a zero-size view maps to its corner) ---
    Double PixelsXToPositionPercent(Integer X) const;
    // 0 at the bottom, 100 at the top.
    Double PixelsYToPositionPercent(Integer Y) const;
    Integer PositionPercentToPixelsX(Double P) const;
    Integer PositionPercentToPixelsY(Double P) const;

    // --- drawing (the plot calls these around the objects' Draw) -------------
    void DrawBackground(TCanvas* Canvas);
    void DrawZoomBox(TCanvas* Canvas);
    // The grid axes of their names; none for "<ALL>".
    TkPlotScalePair BoundScales() override;
    // The grid of the context's axes (every axis of a direction for
    // "<ALL>"), the frame and the selection.
    void Draw(const TkPlotPaintContext& Context) override;

    // --- mouse ------------------------------------------------------------------
    Integer GetMouseMode() const;
    // Every X axis, then every Y axis, takes the box as its scale, unless the
    // plot's before-zoom-box event cancels.
    void ZoomToRect(const TRect& Rect);
    bool ZoomBoxActive() const { return FZoomBoxActive; }

    void NotificationSetFocus(TkPlotObject* AObject) override;
    void DoMouseLeft(const TkPlotMouseData& MouseData) override;
    void DoMouseRight(const TkPlotMouseData& MouseData) override;
    void DoMouseMove(const TkPlotMouseData& MouseData) override;
    void DoMouseUp(const TkPlotMouseData& MouseData) override;
    bool DoMouseWheel(Integer WheelDelta, TShiftState Shift, Integer X, Integer Y) override;
    TkPlotObject* GetObjectAtPoint(TPoint P) override;
    TCursor GetMouseCursor(TPoint P) override;
    void kKeyDown(Word& Key, TShiftState Shift, TPopupMenu* PopupMenu) override;
    void BuildPopupMenu(TPopupMenu* PopupMenu) override;

private:
    bool GridOnAllAxes(bool XAxes) const;
    // The marks of the axes whose grid lines the view draws: every axis of
    // the direction for "<ALL>", else the one on the context's own scale.
    std::span<const TkPlotTickMarks* const> GridMarks(const TkPlotPaintContext& Context, bool XAxes) const;
    void SelectGridPen(TCanvas* Canvas, TkPlotGridLineKind Kind) const;
    void DrawGridLines(TCanvas* Canvas, const TkPlotTickMarks& Marks, bool XAxes) const;
    void DrawFrame(TCanvas* Canvas) const;
    // Action on every X axis (when XAxes), then every Y axis (when YAxes),
    // with the plot's forwarding raised: axes that pass their gestures on
    // would reach the others twice.
    void ForAxes(bool XAxes, bool YAxes, const std::function<void(TkPlotAxis*)>& Action) const;
    // Which axes a left drag moves, by AxesControlMouseStyle and Shift.
    void ChooseDragAxes(const TkPlotMouseData& MouseData, bool& XAxes, bool& YAxes);
    void StartZoomBox(const TkPlotMouseData& MouseData);
    void EndZoomBox(const TkPlotMouseData& MouseData);

    String FTitle;
    bool FBackgroundTransparent = true;
    TColor FBackgroundColor = 8421376;
    bool FGridShow = true;
    TColor FGridLineColor = 32768;
    bool FGridLineShowLeft = true;
    bool FGridLineShowRight = true;
    bool FGridLineShowTop = true;
    bool FGridLineShowBottom = true;
    bool FGridLineShowXMajors = true;
    bool FGridLineShowXMinors = false;
    bool FGridLineShowYMajors = true;
    bool FGridLineShowYMinors = false;
    TkPlotGridLineStyle FGridLineMajorStyle = kpglsSolid;
    TkPlotGridLineStyle FGridLineMinorStyle = kpglsSolid;
    std::array<TkPlotGridPen, 4> FGridPens{};
    bool FAxesControlEnabled = false;
    TkPlotAxesControlStyle FAxesControlMouseStyle = kpacsBoth;
    TkPlotAxesControlStyle FAxesControlWheelStyle = kpacsXAxis;
    bool FAxesControlAllowInSelectMode = false;

    // The grid axes by name.
    TkPlotObjectRef<TkPlotAxis> FXAxis{*this, kpokXAxis};
    TkPlotObjectRef<TkPlotAxis> FYAxis{*this, kpokYAxis};
    bool FMouseDown = false;
    bool FMouseDownRight = false;
    bool FZoomBoxActive = false;
    Integer FMouseDownX = 0;
    Integer FMouseDownY = 0;
    Integer FMouseMoveX = 0;
    Integer FMouseMoveY = 0;
    bool FDirectionLock = false;
    bool FDirectionLockXAxis = false;
};
