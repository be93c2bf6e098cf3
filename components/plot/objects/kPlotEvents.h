#pragma once
// The plot's events: the types of their handlers.

#include <array>
#include <functional>

#include "components/foundation/kTypes.h"
#include "components/plot/objects/kPlotKinds.h"
#include "platform/Controls.h"

// Index is the object's index within its kind; data point events name the
// channel's index and the point's.
using TkPlotObjectEvent = std::function<void(TObject* Sender, Integer Index)>;
using TkPlotObjectMouseEvent = std::function<void(TObject* Sender, Integer Index, TMouseButton Button,
                                                  TShiftState Shift, Integer X, Integer Y)>;
using TkPlotObjectMouseMoveEvent =
    std::function<void(TObject* Sender, Integer Index, TShiftState Shift, Integer X, Integer Y)>;
using TkPlotObjectMouseWheelEvent = std::function<void(TObject* Sender, Integer Index, Integer WheelDelta,
                                                       TShiftState Shift, Integer X, Integer Y)>;
using TkPlotObjectGetMouseCursorEvent = std::function<void(TObject* Sender, Integer Index, TCursor& MouseCursor)>;
// The handler may set Cancel to keep the menu closed.
using TkPlotObjectPopupMenuEvent =
    std::function<void(TObject* Sender, Integer Index, bool& Cancel, Integer ScreenX, Integer ScreenY)>;
using TkPlotDataPointEvent = std::function<void(TObject* Sender, Integer ChannelIndex, Integer DataIndex)>;
using TkPlotDataPointMouseEvent = std::function<void(TObject* Sender, Integer ChannelIndex, Integer DataIndex,
                                                     TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TkPlotDataPointMouseMoveEvent = std::function<void(TObject* Sender, Integer ChannelIndex, Integer DataIndex,
                                                         TShiftState Shift, Integer X, Integer Y)>;
using TkPlotDataPointMovedEvent = std::function<void(TObject* Sender, Integer ChannelIndex, Integer DataIndex,
                                                     Double OldX, Double OldY, Double NewX, Double NewY)>;
using TkPlotValueChangeEvent =
    std::function<void(TObject* Sender, Integer Index, Double OldValue, Double NewValue)>;
using TkPlotMinSpanChangeEvent = std::function<void(TObject* Sender, Integer Index, Double OldMin, Double OldSpan,
                                                    Double NewMin, Double NewSpan)>;
// The handler may replace ALabel.
using TkPlotCustomizeLabelEvent =
    std::function<void(TObject* Sender, Integer Index, Double Value, String& ALabel)>;
// The handler may replace AText.
using TkPlotCustomizeHintEvent = std::function<void(TObject* Sender, Integer Index, String& AText)>;
using TkPlotDataPointCustomizeHintEvent =
    std::function<void(TObject* Sender, Integer ChannelIndex, Integer DataPointIndex, String& AText)>;
using TkPlotBeforePrintPageEvent = std::function<void(TObject* Sender, Integer PageIndex, bool LastPage)>;
// The handler may change the box or cancel the zoom.
using TkPlotBeforeZoomBoxEvent = std::function<void(TObject* Sender, TRect& ZoomRect, bool& Cancel)>;
using TkPlotToolBarButtonClickEvent =
    std::function<void(TObject* Sender, Integer Index, TkPlotToolBarButtonType ButtonType)>;
using TkPlotBeforeToolBarButtonClickEvent =
    std::function<void(TObject* Sender, Integer Index, TkPlotToolBarButtonType ButtonType, bool& Cancel)>;

// One handler per kind of plot object; the kinds that have the events of
// each family, in their published order, are the kind table's
// (PlotMouseEventKinds: mouse, click and popup menu; PlotFocusEventKinds;
// PlotListEventKinds: add, remove and mouse cursor).
template <class E>
using TkPlotKindEvents = std::array<E, PlotObjectKindCount>;
