#include "components/plot/channel/kPlotCursorReadout.h"

#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/view/kPlotDataView.h"

namespace {

// Inverse differences from here on read as infinite.
constexpr Double kInfiniteReadout = 1e301;

String CursorYText(TkPlotChannelCustom& Channel, TkPlotDataPointStatus Status, Double YValue, bool Digital)
{
    switch (Status) {
        case kpdpsNull: return Channel.TranslateString("Null");
        case kpdpsEmpty: return Channel.TranslateString("Empty");
        default: {
            if (Digital) return Channel.TranslateString(YValue == 0 ? "Low" : "High");
            String text;
            Channel.GetYValueText(YValue, text);
            return text;
        }
    }
}

}  // namespace

// "No Y-Axis" is shown as it stands, untranslated, unlike the other words.
String TkPlotCursorReadout::Build(TkPlotChannelCustom& Channel, TkPlotDataCursorStyle Style,
                                  TkPlotDataPointStatus AStatus, Double AYValue, Double AXValue, bool Digital)
{
    XText.clear();
    YText.clear();
    XValue = AXValue;
    YValue = AYValue;
    Status = AStatus;
    if (!Channel.XAxis()) {
        XText = Channel.TranslateString("No X-Axis");
        return XText;
    }
    const bool hasYAxis = Channel.YAxis() != nullptr;
    switch (Style) {
        case kpcsValueXY:
            Channel.GetXValueText(XValue, XText);
            YText = hasYAxis ? CursorYText(Channel, Status, YValue, Digital) : String("No Y-Axis");
            return XText + ", " + YText;
        case kpcsValueX:
        case kpcsDeltaX: Channel.GetXValueText(XValue, XText); return XText;
        case kpcsValueY:
        case kpcsDeltaY:
            if (!hasYAxis)
                YText = "No Y-Axis";
            else if (Style == kpcsValueY)
                YText = CursorYText(Channel, Status, YValue, Digital);
            else
                Channel.GetYValueText(YValue, YText);
            return YText;
        case kpcsInverseDeltaX:
            if (XValue < kInfiniteReadout)
                Channel.GetXValueText(XValue, XText);
            else
                XText = Channel.TranslateString("Infinite");
            return XText;
    }
    return String();
}

Integer TkPlotCursorPointers::PointerPixel(std::size_t Pointer) const
{
    const Double position = Positions[Pointer];
    return Horizontal[Pointer] ? DataView->PositionPercentToPixelsY(position)
                               : DataView->PositionPercentToPixelsX(position);
}
