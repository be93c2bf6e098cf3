#pragma once
// The channel of a plot whose X axis runs in one direction (typically
// time). Its points are kept in X order, increasing or decreasing, so the
// range on the X axis' scale is found by binary search.

#include "components/plot/kPlotChannelCustom.h"

class TkPlotChannel : public TkPlotChannelCustom {
    PL_CLASSINFO()
public:
    TkPlotChannel(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
                  TNotifyEvent AOnRename);

    // The drawn range reaches one point beyond each end of the X axis'
    // scale, so that lines enter and leave the data view; -1 without X axis
    // or points.
    void CalcStartIndex() override;
    void CalcStopIndex() override;
    // The X extent of the first and last valid points (by X order), widened
    // by their markers; -1e300 (+1e300 for the minimum) without both axes
    // or while hidden.
    Double GetDataXMax() override;
    Double GetDataXMin() override;
    // The Y extent of the valid points in the drawn range.
    Double GetYMaxVisible() override;
    Double GetYMinVisible() override;
    void UpdateDataCursor(TkPlotDataCursor* Cursor) override;

    // True with at most two points, else whether X(1) >= X(0).
    bool XIncreasing() const;

private:
    // The last index examined by a binary search for Key over X (-1 without
    // points).
    Integer SearchX(Double Key) const;
    // Index within 0..Count-1.
    Integer ClampIndex(Integer Index) const;
    // The first or last valid index in list order; -1 when none.
    Integer FirstValidIndex() const;
    Integer LastValidIndex() const;
    bool HasBothAxes() { return XAxis() && YAxis(); }
    Double DrawnExtent(Double (TkPlotChannelCustom::*Extent)(Integer), Double Start, bool Larger);
};
