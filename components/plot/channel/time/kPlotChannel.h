#pragma once
// The channel of a plot whose X axis runs in one direction (typically
// time). Its points are kept in X order, increasing or decreasing, so the
// range on the X axis' scale is found by binary search.
//
// Besides plain points it takes time-stamped ones (now, or the time since
// its start), high/low points with their open and close, and it draws them
// as lines, steps, a two-level digital trace, interpolated curves, bars,
// fills, high/low bars or candlesticks (kPlotChannelDraw.cpp).

#include <vector>

#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/kPlotCursorReadout.h"

// The value drawn in one pixel column by an interpolated trace, read back by
// the data cursor.
struct TkPlotPixelPoint {
    Boolean Null = true;
    Integer XPixel = 0;
    Double YValue = 0;
};

class TkPlotChannel : public TkPlotChannelCustom {
    PL_CLASSINFO()
public:
    explicit TkPlotChannel(TkPlotObjectOwner* AOwner);

    // --- data entry -----------------------------------------------------------------------
    // With AllowOutOfOrderXValues off, a point against the X order of the
    // first two points raises "New Data-Point X-Value is out of order" (a
    // full stop ends the message for decreasing data) and is not added.
    Integer AddXY(Double X, Double Y) override;
    // With out-of-order X values refused, point after point; else in one
    // run, the start-time rule applied once as AddXY would.
    void AddXYPoints(std::span<const TkPlotNewPoint> Points) override;
    // A null (a gap) or empty (skipped) point at X, Y 0.
    Integer AddXNull(Double X);
    Integer AddXEmpty(Double X);
    // The point (X, 0) straight into the store, its four values kept by the
    // full-feature store; the arguments steer the Y axis' tracking.
    Integer AddHighLow(Double X, Double High, Double Low, Double Open, Double Close);
    // X: now (days), the days since the elapsed start time, or its seconds.
    Integer AddYNow(Double Y);
    Integer AddYElapsedTime(Double Y);
    Integer AddYElapsedSeconds(Double Y);
    // One point per element of a one-dimensional array, XInterval apart,
    // the first at the last point's X (0 on an empty channel).
    void AddYArray(const Variant& YData, Double XInterval);
    void ResetElapsedStartTime();
    TDateTime ElapsedStartTime() const { return FElapsedStartTime; }

    // --- reading ---------------------------------------------------------------------------
    // The index of the first point at or past X in X order; -1 outside the
    // data or without X axis.
    Integer CalcIndex(Double X);
    // Y at X on the trace between the two points around it (linear in
    // pixels; the earlier level for a digital channel).
    bool GetYInterpolated(Double& Y, Double X);
    // Y at X as the data cursor reads it, by the trace's style.
    TkPlotDataPointStatus GetCursorValue(Double X, Double& Y);
    Double GetHigh(Integer Index) const { return DataList().GetHigh(Index); }
    Double GetLow(Integer Index) const { return DataList().GetLow(Index); }
    Double GetOpen(Integer Index) const { return DataList().GetOpen(Index); }
    Double GetClose(Integer Index) const { return DataList().GetClose(Index); }
    Boolean GetBarVisible(Integer Index) const { return DataList().GetBarVisible(Index); }
    Double GetBarReference(Integer Index) const { return DataList().GetBarReference(Index); }
    Double GetBarWidth(Integer Index) const { return DataList().GetBarWidth(Index); }
    TColor GetBarPenColor(Integer Index) const { return DataList().GetBarPenColor(Index); }
    Integer GetBarPenWidth(Integer Index) const { return DataList().GetBarPenWidth(Index); }
    TPenStyle GetBarPenStyle(Integer Index) const { return DataList().GetBarPenStyle(Index); }
    TColor GetBarBrushColor(Integer Index) const { return DataList().GetBarBrushColor(Index); }
    TBrushStyle GetBarBrushStyle(Integer Index) const { return DataList().GetBarBrushStyle(Index); }

    // The drawn range reaches one point beyond each end of the X axis'
    // scale, so that lines enter and leave the data view; -1 without X axis
    // or points.
    void CalcStartIndex(const TkPlotAxisScale* XScale) override;
    void CalcStopIndex(const TkPlotAxisScale* XScale) override;
    // The X extent of the first and last valid points (by X order), widened
    // by their markers; -1e300 (+1e300 for the minimum) without both axes
    // or while hidden.
    Double GetDataXMax() override;
    Double GetDataXMin() override;
    // The Y extent of the valid points in the drawn range.
    Double GetYMaxVisible() override;
    Double GetYMinVisible() override;
    // --- data cursor and mouse (kPlotChannelCursor.cpp) ----------------------------------
    // The cursor's pointers read through the data view's pixels; the value
    // at pointer 1 follows GetCursorValue.
    std::optional<TkPlotCursorReading> ReadCursor(const TkPlotCursorPointers& Cursor) override;
    void GetDataCursorTexts(String& X, String& Y) const override
    {
        X = FDataCursor.XText;
        Y = FDataCursor.YText;
    }
    Integer NearestPointIndex(Double X) override;
    // Also hit, by the right button, within 10 pixels of the trace.
    bool kMouseHitTest(const TkPlotMouseData& MouseData) override;

    // True with at most two points, else whether X(1) >= X(0).
    bool XIncreasing() const;

    // --- drawing (kPlotChannelDraw.cpp) ----------------------------------------------------
    void PrepareDraw(const TkPlotPaintContext& Context) override;
    // Fill, bars, trace, markers, then high/low bars or candlesticks.
    void Draw(const TkPlotPaintContext& Context) override;
    void DrawTrace(const TkPlotPaintContext& Context) override;
    void DrawMarkers(const TkPlotPaintContext& Context) override;
    // Column XPixel of the interpolated trace holds Y; a column outside the
    // X axis raises "Pixel List XPixel out of Range".
    void SetPixelPoint(Integer XPixel, Double Y);
    // The bar of a point as drawn (and hit), in pixels on the canvas.
    TRect GetBarRect(const TkPlotPaintContext& Context, Integer Index);

    // --- published properties --------------------------------------------------------------
    Boolean FastDrawEnabled() const { return FFastDrawEnabled; }
    void SetFastDrawEnabled(Boolean Value);
    Boolean AllowOutOfOrderXValues() const { return FAllowOutOfOrderXValues; }
    void SetAllowOutOfOrderXValues(Boolean Value) { FAllowOutOfOrderXValues = Value; }
    Boolean DrawOutOfOrderXValues() const { return FDrawOutOfOrderXValues; }
    void SetDrawOutOfOrderXValues(Boolean Value);
    Boolean ResetStartTimeOnFirstDataPoint() const { return FResetStartTimeOnFirstDataPoint; }
    void SetResetStartTimeOnFirstDataPoint(Boolean Value) { FResetStartTimeOnFirstDataPoint = Value; }
    TkPlotInterpolationStyle InterpolationStyle() const { return FInterpolationStyle; }
    void SetInterpolationStyle(TkPlotInterpolationStyle Value);
    Boolean FillEnabled() const { return FFillEnabled; }
    void SetFillEnabled(Boolean Value);
    Double FillReference() const { return FFillReference; }
    void SetFillReference(Double Value);
    TBrushStyle FillStyle() const { return FFillStyle; }
    void SetFillStyle(TBrushStyle Value);
    TColor FillColor() const { return FFillColor; }
    void SetFillColor(TColor Value);
    Boolean FillUseChannelColor() const { return FFillUseChannelColor; }
    void SetFillUseChannelColor(Boolean Value);
    Boolean DigitalEnabled() const { return FDigitalEnabled; }
    void SetDigitalEnabled(Boolean Value);
    TkPlotDigitalReferenceStyle DigitalReferenceStyle() const { return FDigitalReferenceStyle; }
    void SetDigitalReferenceStyle(TkPlotDigitalReferenceStyle Value);
    Double DigitalReferenceLow() const { return FDigitalReferenceLow; }
    void SetDigitalReferenceLow(Double Value);
    Double DigitalReferenceHigh() const { return FDigitalReferenceHigh; }
    void SetDigitalReferenceHigh(Double Value);
    TkPlotHighLowStyle HighLowStyle() const { return FHighLowStyle; }
    void SetHighLowStyle(TkPlotHighLowStyle Value);
    Boolean HighLowEnabled() const { return FHighLowEnabled; }
    void SetHighLowEnabled(Boolean Value);
    TColor HighLowBarColor() const { return FHighLowBarColor; }
    void SetHighLowBarColor(TColor Value);
    Double HighLowBarWidth() const { return FHighLowBarWidth; }
    void SetHighLowBarWidth(Double Value);
    Boolean HighLowOpenShow() const { return FHighLowOpenShow; }
    void SetHighLowOpenShow(Boolean Value);
    TColor HighLowOpenColor() const { return FHighLowOpenColor; }
    void SetHighLowOpenColor(TColor Value);
    Double HighLowOpenWidth() const { return FHighLowOpenWidth; }
    void SetHighLowOpenWidth(Double Value);
    Double HighLowOpenHeight() const { return FHighLowOpenHeight; }
    void SetHighLowOpenHeight(Double Value);
    Boolean HighLowCloseShow() const { return FHighLowCloseShow; }
    void SetHighLowCloseShow(Boolean Value);
    TColor HighLowCloseColor() const { return FHighLowCloseColor; }
    void SetHighLowCloseColor(TColor Value);
    Double HighLowCloseWidth() const { return FHighLowCloseWidth; }
    void SetHighLowCloseWidth(Double Value);
    Double HighLowCloseHeight() const { return FHighLowCloseHeight; }
    void SetHighLowCloseHeight(Double Value);
    TColor HighLowShadowColor() const { return FHighLowShadowColor; }
    void SetHighLowShadowColor(TColor Value);
    TColor HighLowBullishColor() const { return FHighLowBullishColor; }
    void SetHighLowBullishColor(TColor Value);
    TColor HighLowBearishColor() const { return FHighLowBearishColor; }
    void SetHighLowBearishColor(TColor Value);
    Boolean BarEnabled() const { return FBarEnabled; }
    void SetBarEnabled(Boolean Value);
    Boolean BarPenUseChannelColor() const { return FBarPenUseChannelColor; }
    void SetBarPenUseChannelColor(Boolean Value);
    Boolean BarBrushUseChannelColor() const { return FBarBrushUseChannelColor; }
    void SetBarBrushUseChannelColor(Boolean Value);
    Double BarReference() const { return DataList().StoredBarReference(); }
    void SetBarReference(Double Value);
    Double BarWidth() const { return DataList().StoredBarWidth(); }
    void SetBarWidth(Double Value);
    TColor BarPenColor() const { return DataList().StoredBarPenColor(); }
    void SetBarPenColor(TColor Value);
    Integer BarPenWidth() const { return DataList().StoredBarPenWidth(); }
    void SetBarPenWidth(Integer Value);
    TPenStyle BarPenStyle() const { return DataList().StoredBarPenStyle(); }
    void SetBarPenStyle(TPenStyle Value);
    TColor BarBrushColor() const { return DataList().StoredBarBrushColor(); }
    void SetBarBrushColor(TColor Value);
    TBrushStyle BarBrushStyle() const { return DataList().StoredBarBrushStyle(); }
    void SetBarBrushStyle(TBrushStyle Value);

    // The drawing's pixel rows of the digital references and the X axis'
    // pixel columns, as the last PrepareDraw found them.
    Integer PixelsHigh() const { return FPixelsHigh; }
    Integer PixelsLow() const { return FPixelsLow; }
    Integer PixelListStart() const { return FPixelListStart; }
    Integer PixelListStop() const { return FPixelListStop; }

protected:
    bool PointsPickable() override { return TkPlotChannelCustom::PointsPickable() || FBarEnabled; }
    Integer FindMarkerAt(const TkPlotPaintContext& Context, const TkPlotMouseData& MouseData,
                         TRect& HitRect) override;

private:
    // The last index examined by a binary search for Key over X (-1 without
    // points).
    Integer SearchX(Double Key) const;
    // Index within 0..Count-1.
    Integer ClampIndex(Integer Index) const;
    // The first or last valid index in list order; -1 when none.
    Integer FirstValidIndex() const;
    Integer LastValidIndex() const;
    // The smallest (Last: largest) index whose X is on the scale of XAxis;
    // Count - 1 (Last: -1) when none is.
    Integer OnScaleIndex(const TkPlotAxisScale& XScale, bool Last);
    bool HasBothAxes() { return XAxis() && YAxis(); }
    // CalcIndex with the X axis there.
    Integer IndexAt(Double X);
    // GetYInterpolated along XAxis (none: only the end points are found).
    bool YAlongTrace(const TkPlotAxisScale* XScale, Double& Y, Double X);
    Double DrawnExtent(Double (TkPlotChannelCustom::*Extent)(Integer), Double Start, bool Larger);
    void ApplyStartTimeRule();
    void CheckXOrder(Double X) const;
    // The style the trace is drawn in: straight lines for a digital channel.
    TkPlotInterpolationStyle EffectiveStyle() const;
    TkPlotDataPointStatus PixelListValue(Double X, Double& Y);
    TkPlotDataPointStatus StepValue(Double X, Double& Y);
    template <class V>
    void SetStoredBar(void (TkPlotDataCustomList::*Set)(V), V Value);

    // --- drawing (kPlotChannelDraw.cpp, kPlotChannelTraces.cpp) ------------------------------------
    // All of it against the axes of the paint context.
    bool DrawnRangeValid() const;
    void PrepareDigitalRows(const TkPlotAxisScale& YScale);
    void PreparePixelList(const TkPlotAxisScale& XScale);
    bool Filling() const { return FFillEnabled && FFillStyle != bsClear; }
    TColor FillBrushColor() const { return FFillUseChannelColor ? Color() : FFillColor; }
    void SetFillBrush(const TkPlotPaintContext& Context);
    void DrawFill(const TkPlotPaintContext& Context);
    // The fill and the straight-line trace over it from one pass.
    void DrawFilledLineTrace(const TkPlotPaintContext& Context);
    // The fast trace leaves the points' own pens aside.
    bool TracePerPointPens() const { return !FFastDrawEnabled && DataStyle() == kpdsFullFeature; }
    void DrawBars(const TkPlotPaintContext& Context);
    void DrawStepTrace(const TkPlotPaintContext& Context);
    void DrawDigitalTrace(const TkPlotPaintContext& Context);
    void DrawInterpolatedTrace(const TkPlotPaintContext& Context);
    // One interpolated curve over X1..X2 (cut to the X axis), sampled at
    // every pixel column.
    template <class F>
    void DrawCurve(const TkPlotPaintContext& Context, Double X1, Double X2, F ValueAt);
    void DrawDigitalMarkers(const TkPlotPaintContext& Context);
    void DrawHighLowBars(const TkPlotPaintContext& Context);
    void DrawCandleSticks(const TkPlotPaintContext& Context);
    // The filled quadrilateral under a segment of the trace.
    void FillSegment(const TkPlotPaintContext& Context, Double X1, Double Y1, Double X2, Double Y2);
    // A pixel rectangle on the canvas from scale values.
    TRect ScaleRect(const TkPlotPaintContext& Context, Double X1, Double Y1, Double X2, Double Y2);

    // The bar under the mouse, first in drawn order; -1 for none.
    Integer FindBarAt(const TkPlotPaintContext& Context, const TkPlotMouseData& MouseData, TRect& HitRect);
    // The position on Axis of a data cursor's pointer 0 or 1.
    static Double CursorPosition(const TkPlotCursorPointers& Cursor, const TkPlotAxis& Axis, std::size_t Pointer);

    TkPlotCursorReadout FDataCursor;
    std::vector<TkPlotPixelPoint> FPixelList;
    Integer FPixelListStart = 0;
    Integer FPixelListStop = 0;
    Integer FPixelsHigh = 0;
    Integer FPixelsLow = 0;
    Boolean FXIncreasing = true;
    Boolean FFastDrawEnabled = true;
    Boolean FAllowOutOfOrderXValues = true;
    Boolean FDrawOutOfOrderXValues = false;
    Boolean FResetStartTimeOnFirstDataPoint = false;
    TkPlotInterpolationStyle FInterpolationStyle = kpistStraightLine;
    TDateTime FElapsedStartTime = 0;
    Boolean FFillEnabled = false;
    Double FFillReference = 0;
    Boolean FFillUseChannelColor = true;
    TBrushStyle FFillStyle = bsSolid;
    TColor FFillColor = 0;
    TkPlotHighLowStyle FHighLowStyle = kphlsOpenClose;
    Boolean FHighLowEnabled = false;
    TColor FHighLowBarColor = 16776960;
    Double FHighLowBarWidth = 0.5;
    Boolean FHighLowOpenShow = true;
    TColor FHighLowOpenColor = 65280;
    Double FHighLowOpenWidth = 1.0;
    Double FHighLowOpenHeight = 1.0;
    Boolean FHighLowCloseShow = true;
    TColor FHighLowCloseColor = 255;
    Double FHighLowCloseWidth = 1.0;
    Double FHighLowCloseHeight = 1.0;
    TColor FHighLowShadowColor = 8421504;
    TColor FHighLowBullishColor = 16777215;
    TColor FHighLowBearishColor = 8421504;
    Boolean FDigitalEnabled = false;
    Double FDigitalReferenceLow = 10.0;
    Double FDigitalReferenceHigh = 90.0;
    TkPlotDigitalReferenceStyle FDigitalReferenceStyle = kpdrScale;
    Boolean FBarEnabled = false;
    Boolean FBarPenUseChannelColor = true;
    Boolean FBarBrushUseChannelColor = true;
};
