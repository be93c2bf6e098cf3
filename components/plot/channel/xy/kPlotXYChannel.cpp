#include "components/plot/channel/xy/kPlotXYChannel.h"

#include "components/plot/channel/kPlotChannelOPC.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "components/plot/objects/kPlotHostServices.h"
#include "platform/SysApi.h"

namespace {

constexpr Double kExtentMinStart = 1e300;
constexpr Double kExtentMaxStart = -1e300;

}  // namespace

TClass TkXYPlotChannel::StaticClassInfo()
{
    static const TClassInfo info =
        PublishChannelOPC(TClassBuilder<TkXYPlotChannel, TkPlotChannelCustom>("TkXYPlotChannel"), false).Build();
    return &info;
}

TkXYPlotChannel::TkXYPlotChannel(TkPlotObjectOwner* AOwner)
    : TkPlotChannelCustom(AOwner)
{
}

Integer TkXYPlotChannel::AddNull()
{
    const Integer slot = DataList().Add(0, 0, true, false);
    DoChange();
    return slot;
}

Integer TkXYPlotChannel::AddEmpty()
{
    const Integer slot = DataList().Add(0, 0, false, true);
    DoChange();
    return slot;
}

// ===========================================================================
// Drawing
// ===========================================================================

void TkXYPlotChannel::CalcStartIndex(const TkPlotAxisScale*) { SetDrawStartIndex(Count() == 0 ? -1 : 0); }

void TkXYPlotChannel::CalcStopIndex(const TkPlotAxisScale*) { SetDrawStopIndex(Count() - 1); }

void TkXYPlotChannel::PrepareDraw(const TkPlotPaintContext& Context)
{
    SettleWaitingPoints();
    SetCanDraw(false);
    if (!Context.HasScales() || !Visible() || Count() < 1) return;
    CalcStartIndex(Context.XScale);
    CalcStopIndex(Context.XScale);
    SetCanDraw(DrawStartIndex() != -1 && DrawStopIndex() != -1);
}

void TkXYPlotChannel::Draw(const TkPlotPaintContext& Context)
{
    if (!Context.HasScales()) return;
    if (ClipToAxes()) ClipCanvasToAxes(Context);
    DrawTrace(Context);
    DrawMarkers(Context);
}

// ===========================================================================
// Extents
// ===========================================================================

// The widening by markers is the same for every point, so the extreme of
// the widened values is the widened extreme of the values.
Double TkXYPlotChannel::DataExtent(bool Y, Double Sign, Double Start)
{
    TkPlotXAxis* xAxis = XAxis();
    CalcStartIndex(ScaleOf(xAxis));
    CalcStopIndex(ScaleOf(xAxis));
    TkPlotYAxis* yAxis = YAxis();
    if (!xAxis || !yAxis || !Visible() || DrawStartIndex() == -1 || DrawStopIndex() == -1) return Start;
    const TkPlotExtents extents = ValidExtents(Y);
    if (extents.High < extents.Low) return Start;
    const Double value = Sign > 0 ? extents.High : extents.Low;
    if (!MarkersVisible()) return value;
    return value + Sign * MarkerSpan(Y ? static_cast<TkPlotAxis&>(*yAxis) : *xAxis);
}

Double TkXYPlotChannel::GetDataXMax() { return DataExtent(false, 1.0, kExtentMaxStart); }

Double TkXYPlotChannel::GetDataXMin() { return DataExtent(false, -1.0, kExtentMinStart); }

Double TkXYPlotChannel::GetYMaxVisible() { return DataExtent(true, 1.0, kExtentMaxStart); }

Double TkXYPlotChannel::GetYMinVisible() { return DataExtent(true, -1.0, kExtentMinStart); }

// ===========================================================================
// Data cursor
// ===========================================================================

// Always a reading: without axes it runs on zeros (see ReadDataCursor).
std::optional<TkPlotCursorReading> TkXYPlotChannel::ReadCursor(const TkPlotCursorPointers& Cursor)
{
    TkPlotCursorReading reading;
    ReadDataCursor(Cursor.Style, Cursor.Positions[0], Cursor.Positions[1], reading.X, reading.Y, reading.Text);
    return reading;
}

Double TkXYPlotChannel::CursorPosition(TkPlotAxis& Axis, Double Pointer, bool Vertical)
{
    Integer pixel = 0;
    const TkPlotPaintHost* paint = Host().Paint;
    const bool spansView = Axis.StartPercent() == 0 && Axis.StopPercent() == 100;
    if (spansView && paint && paint->DataViewPercentToPixels(Pointer, Vertical, pixel))
        return Axis.PixelsToPosition(pixel);
    return Axis.PercentToPosition(Pointer / 100);
}

// Without axes the readout still runs, on zeros, so that the cursor shows
// which axis is missing.
void TkXYPlotChannel::ReadDataCursor(TkPlotDataCursorStyle Style, Double Pointer1, Double Pointer2, Double& X,
                                     Double& Y, String& Text)
{
    X = 0;
    Y = 0;
    Text.clear();
    TkPlotXAxis* xAxis = XAxis();
    TkPlotYAxis* yAxis = YAxis();
    if (xAxis && yAxis) {
        const Double x1 = CursorPosition(*xAxis, Pointer1, false);
        const Double x2 = CursorPosition(*xAxis, Pointer2, false);
        const Double y1 = CursorPosition(*yAxis, Pointer1, true);
        const Double y2 = CursorPosition(*yAxis, Pointer2, true);
        switch (Style) {
            case kpcsValueXY:
                X = x1;
                Y = y2;
                break;
            case kpcsValueX: X = x1; break;
            case kpcsValueY: Y = y2; break;
            case kpcsDeltaX: X = std::fabs(x1 - x2); break;
            case kpcsDeltaY: Y = std::fabs(y1 - y2); break;
            case kpcsInverseDeltaX: {
                const Double scaler = xAxis->CursorScaler();
                X = x1 == x2 || scaler == 0 ? std::numeric_limits<Double>::infinity()
                                            : std::fabs(1 / (scaler * (x1 - x2)));
                break;
            }
        }
    }
    GetPointText(Style, kpdpsValid, Text, Y, X);
}

void TkXYPlotChannel::GetPointText(TkPlotDataCursorStyle Style, TkPlotDataPointStatus Status, String& Text,
                                   Double YValue, Double XValue)
{
    Text = FDataCursor.Build(*this, Style, Status, YValue, XValue);
}
