#pragma once
// Enumerations and event types shared by the component library's units.
// The ordinals are stored in property files and form streams: never reorder
// or insert values. Each enumeration's value names, in ordinal order, are
// its type information for property text and form streams.

#include <functional>

#include "platform/Graphics.h"
#include "platform/System.h"
#include "platform/TypInfo.h"

class TCanvas;
class Variant;

// Border of a windowed component.
enum TkBevelStyle { kbsNone, kbsRaised, kbsLowered };
PL_ENUM_NAMES(TkBevelStyle, "kbsNone", "kbsRaised", "kbsLowered")

// Direction of a gradient fill. Each pair runs the same geometry, the second
// with the colours the other way; the name tells where the start colour lies.
enum TkFillDirection {
    kfdTopBottom,
    kfdBottomTop,
    kfdLeftRight,
    kfdRightLeft,
    kfdTopLeftBottomRight,
    kfdBottomRightTopLeft,
    kfdBottomLeftTopRight,
    kfdTopRightBottomLeft,
    kfdRectangleCenterOut,
    kfdRectangleCenterIn,
    kfdEllipseCenterOut,
    kfdEllipseCenterIn
};
PL_ENUM_NAMES(TkFillDirection,
              "kfdTopBottom", "kfdBottomTop", "kfdLeftRight", "kfdRightLeft", "kfdTopLeftBottomRight",
              "kfdBottomRightTopLeft", "kfdBottomLeftTopRight", "kfdTopRightBottomLeft",
              "kfdRectangleCenterOut", "kfdRectangleCenterIn", "kfdEllipseCenterOut", "kfdEllipseCenterIn")

// Counter-clockwise text rotation.
enum TkRotationAngle { kra000, kra090, kra180, kra270 };
PL_ENUM_NAMES(TkRotationAngle, "kra000", "kra090", "kra180", "kra270")

enum TkAlignmentHorizontal { kahCenter, kahLeft, kahRight };
PL_ENUM_NAMES(TkAlignmentHorizontal, "kahCenter", "kahLeft", "kahRight")
enum TkAlignmentVertical { kavCenter, kavTop, kavBottom };
PL_ENUM_NAMES(TkAlignmentVertical, "kavCenter", "kavTop", "kavBottom")
enum TkSideAlignment { ksaBottom, ksaTop, ksaLeft, ksaRight };
PL_ENUM_NAMES(TkSideAlignment, "ksaBottom", "ksaTop", "ksaLeft", "ksaRight")
enum TkOrientationSide { kosBottomRight, kosTopLeft };
PL_ENUM_NAMES(TkOrientationSide, "kosBottomRight", "kosTopLeft")

// Decimal places of value texts: significant digits over the span, or a
// fixed count.
enum TkPrecisionStyle { kpsSignificantDigits, kpsFixedDecimalPoints };
PL_ENUM_NAMES(TkPrecisionStyle, "kpsSignificantDigits", "kpsFixedDecimalPoints")

// Marker shapes of channel points.
enum TkPlotMarkerStyle {
    kpmsCircle,
    kpmsSquare,
    kpmsDiamond,
    kpmsCross,
    kpmsPlus,
    kpmsTriangleUp,
    kpmsTriangleDown,
    kpmsTriangleLeft,
    kpmsTriangleRight,
    kpmsVerticalLine,
    kpmsHorizontalLine,
    kpmsCharacter
};
PL_ENUM_NAMES(TkPlotMarkerStyle,
              "kpmsCircle", "kpmsSquare", "kpmsDiamond", "kpmsCross", "kpmsPlus", "kpmsTriangleUp",
              "kpmsTriangleDown", "kpmsTriangleLeft", "kpmsTriangleRight", "kpmsVerticalLine",
              "kpmsHorizontalLine", "kpmsCharacter")

// Trace line styles; ordinal for ordinal the pen styles solid, dash, dot,
// dash-dot and dash-dot-dot.
enum TkPlotLineStyle { kplsSolid, kplsDash, kplsDot, kplsDashDot, kplsDashDotDot };
PL_ENUM_NAMES(TkPlotLineStyle, "kplsSolid", "kplsDash", "kplsDot", "kplsDashDot", "kplsDashDotDot")

// The pen style that draws a line style.
constexpr TPenStyle PenStyleOf(TkPlotLineStyle Style)
{
    switch (Style) {
    case kplsDash: return psDash;
    case kplsDot: return psDot;
    case kplsDashDot: return psDashDot;
    case kplsDashDotDot: return psDashDotDot;
    case kplsSolid: break;
    }
    return psSolid;
}

// Status of a point's value.
enum TkPlotDataPointStatus { kpdpsValid, kpdpsNull, kpdpsEmpty };
PL_ENUM_NAMES(TkPlotDataPointStatus, "kpdpsValid", "kpdpsNull", "kpdpsEmpty")

// Which coordinates the user may drag a data point along.
enum TkPlotChannelDataPointMoveStyle { kpcdpmsXandY, kpcdpmsXOnly, kpcdpmsYOnly };
PL_ENUM_NAMES(TkPlotChannelDataPointMoveStyle, "kpcdpmsXandY", "kpcdpmsXOnly", "kpcdpmsYOnly")

// How a time channel joins its points.
enum TkPlotInterpolationStyle {
    kpistStraightLine,
    kpistDifferential,
    kpistDifferentialTerminated,
    kpistCubicSpline,
    kpistPolynomial,
    kpistRational
};
PL_ENUM_NAMES(TkPlotInterpolationStyle,
              "kpistStraightLine", "kpistDifferential", "kpistDifferentialTerminated", "kpistCubicSpline",
              "kpistPolynomial", "kpistRational")

enum TkPlotHighLowStyle { kphlsOpenClose, kphlsCandleStick };
PL_ENUM_NAMES(TkPlotHighLowStyle, "kphlsOpenClose", "kphlsCandleStick")

// Digital trace levels in scale units or in percent of the data view.
enum TkPlotDigitalReferenceStyle { kpdrScale, kpdrPercent };
PL_ENUM_NAMES(TkPlotDigitalReferenceStyle, "kpdrScale", "kpdrPercent")

// Where a time channel fed by OPC takes its X values from.
enum TkOPCXValueSourceStyle {
    kopcxvsOPCServerTimeStamp,
    kopcxvsOPCItem,
    kopcxvsSystemTimeStamp,
    kopcxvsElapsedTime,
    kopcxvsElapsedSeconds
};
PL_ENUM_NAMES(TkOPCXValueSourceStyle,
              "kopcxvsOPCServerTimeStamp", "kopcxvsOPCItem", "kopcxvsSystemTimeStamp", "kopcxvsElapsedTime",
              "kopcxvsElapsedSeconds")

// Clipboard format of a plot copy.
enum TkPlotExportFormat { kpefMetaFile, kpefBitmap, kpefJPEG };
PL_ENUM_NAMES(TkPlotExportFormat, "kpefMetaFile", "kpefBitmap", "kpefJPEG")

// File format of a saved plot image.
enum TkPlotImageFormat { kpifBitmap, kpifEnhancedMetaFile, kpifJPEG, kpifPNG };
PL_ENUM_NAMES(TkPlotImageFormat, "kpifBitmap", "kpifEnhancedMetaFile", "kpifJPEG", "kpifPNG")

// How the plot's editor form is shown.
enum TkPlotFormStyle { kpfsModal, kpfsStayOnTop };
PL_ENUM_NAMES(TkPlotFormStyle, "kpfsModal", "kpfsStayOnTop")

// The code of a toolbar button, carried by the plot's toolbar click events.
enum TkPlotToolBarButtonType {
    kptbbtResume,
    kptbbtPause,
    kptbbtScrollAxesMode,
    kptbbtZoomAxesMode,
    kptbbtSelect,
    kptbbtZoomBox,
    kptbbtZoomOut,
    kptbbtZoomIn,
    kptbbtCursor,
    kptbbtEdit,
    kptbbtCopy,
    kptbbtSave,
    kptbbtPrint,
    kptbbtPreview
};
PL_ENUM_NAMES(TkPlotToolBarButtonType, "kptbbtResume", "kptbbtPause", "kptbbtScrollAxesMode", "kptbbtZoomAxesMode",
              "kptbbtSelect", "kptbbtZoomBox", "kptbbtZoomOut", "kptbbtZoomIn", "kptbbtCursor", "kptbbtEdit",
              "kptbbtCopy", "kptbbtSave", "kptbbtPrint", "kptbbtPreview")

// What a plot annotation's coordinates refer to.
enum TkPlotReferenceType { kprtDataView, kprtChannel, kprtXChannelYDataView, kprtXDataViewYChannel };
PL_ENUM_NAMES(TkPlotReferenceType, "kprtDataView", "kprtChannel", "kprtXChannelYDataView", "kprtXDataViewYChannel")

// The reference of one coordinate kind; kpriAuto follows the Reference.
enum TkPlotReferenceIndividual { kpriDataView, kpriChannel, kpriAuto };
PL_ENUM_NAMES(TkPlotReferenceIndividual, "kpriDataView", "kpriChannel", "kpriAuto")

// Events of the windowed components.
using TkPaintEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;
using TkChangeProtectedEvent = std::function<void(TObject* Sender, const String& PropertyName)>;
using TkRequestEditEvent = std::function<void(TObject* Sender, const String& PropertyName, Boolean& CanEdit)>;
using TkGetDesigningEvent = std::function<void(TObject* Sender, Boolean& Designing)>;

// OPC events: a value arrived for the item at Index; before it is applied
// the handler may change it.
using TIndexObjectEvent = std::function<void(TObject* Sender, Integer Index)>;
using TBeforeOPCNewDataEvent = std::function<void(TObject* Sender, Integer Index, Variant& Data)>;

// Editor list box rows: the handler may change the colour box, its colour
// and the row's text.
using TkListBoxGetDataEvent =
    std::function<void(TObject* Sender, Integer Index, Boolean& DrawColorBox, TColor& AColor, String& AText)>;
