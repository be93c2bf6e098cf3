#pragma once
// The channel of an XY plot: every point has its own free X and the points
// are drawn in the order they were added, so a trace may run back and forth
// in X. The whole store is always drawn.

#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/kPlotCursorReadout.h"

class TkXYPlotChannel : public TkPlotChannelCustom {
    PL_CLASSINFO()
public:
    explicit TkXYPlotChannel(TkPlotObjectOwner* AOwner);

    // A null (a gap in the trace) or empty (skipped) point at (0, 0), put
    // straight into the store: no statistics, tracking or logging. Returns
    // the slot written.
    Integer AddNull();
    Integer AddEmpty();

    // Drawable when both axes exist, the channel is visible and holds a
    // point.
    void PrepareDraw(const TkPlotPaintContext& Context) override;
    // Trace, then markers on top, inside the axes' rectangle with ClipToAxes.
    void Draw(const TkPlotPaintContext& Context) override;

    // The drawn range is every point, whatever the axis.
    void CalcStartIndex(const TkPlotAxisScale* XScale) override;
    void CalcStopIndex(const TkPlotAxisScale* XScale) override;
    // Extents of the valid points, widened by their markers; -1e300 (+1e300
    // for the minima) without both axes, while hidden or without points.
    Double GetDataXMax() override;
    Double GetDataXMin() override;
    Double GetYMaxVisible() override;
    Double GetYMinVisible() override;

    // ReadDataCursor's values (status valid) and text.
    std::optional<TkPlotCursorReading> ReadCursor(const TkPlotCursorPointers& Cursor) override;
    void GetDataCursorTexts(String& X, String& Y) const override
    {
        X = FDataCursor.XText;
        Y = FDataCursor.YText;
    }
    // The values of a data cursor of Style whose pointers stand at Pointer1
    // and Pointer2 (percent of the data view), and its readout text.
    void ReadDataCursor(TkPlotDataCursorStyle Style, Double Pointer1, Double Pointer2, Double& X, Double& Y,
                        String& Text);
    // The readout text of a cursor value by Style and Status; keeps the
    // values and texts as the DataCursor... properties.
    void GetPointText(TkPlotDataCursorStyle Style, TkPlotDataPointStatus Status, String& Text, Double YValue,
                      Double XValue);

    const String& DataCursorXText() const { return FDataCursor.XText; }
    const String& DataCursorYText() const { return FDataCursor.YText; }
    Double DataCursorXValue() const { return FDataCursor.XValue; }
    Double DataCursorYValue() const { return FDataCursor.YValue; }
    TkPlotDataPointStatus DataCursorStatus() const { return FDataCursor.Status; }

private:
    // Start, or the extreme of the valid points along X or Y (Sign 1: the
    // largest, -1: the smallest), widened by the markers.
    Double DataExtent(bool Y, Double Sign, Double Start);
    // A cursor pointer's position on Axis: through the data view's pixels
    // when the axis spans the whole view.
    Double CursorPosition(TkPlotAxis& Axis, Double Pointer, bool Vertical);

    TkPlotCursorReadout FDataCursor;
};
