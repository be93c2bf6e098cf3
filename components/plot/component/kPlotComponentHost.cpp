// The plot's services to the objects it holds (kPlotHost.h): the events it
// fires for them, what axes and channels ask of the plot, and what its
// toolbar asks.

#include "components/plot/component/kPlotComponent.h"

#include <algorithm>
#include <array>
#include <utility>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLegend.h"
#include "components/plot/objects/kPlotMasterManager.h"
#include "components/plot/view/kPlotDataView.h"
#include "components/plot/view/kPlotLimit.h"
#include "platform/Forms.h"

// ===========================================================================
// Notifications and events
// ===========================================================================

namespace {

bool Contains(std::span<const TkPlotObjectKind> Kinds, TkPlotObjectKind Kind)
{
    return std::find(Kinds.begin(), Kinds.end(), Kind) != Kinds.end();
}

}  // namespace

TkPlotTranslationManager* TkPlotComponent::PlotTranslationManager() const
{
    return FMasterManager ? FMasterManager->TranslationManager() : nullptr;
}

// Most events have no handler: those cost no search for the object.
template <class E, class... A>
void TkPlotComponent::FireIndexedEvent(const E& Event, const TkPlotObject* Object, A&&... Args)
{
    if (!Event || IsLoading()) return;
    const Integer index = ObjectIndex(Object);
    if (index < 0) return;
    // A copy: the handler may replace itself.
    const E handler = Event;
    handler(this, index, std::forward<A>(Args)...);
}

template <class E, class... A>
void TkPlotComponent::FireObjectEvent(const TkPlotKindEvents<E>& Events, std::span<const TkPlotObjectKind> Kinds,
                                      TkPlotObject* Object, A&&... Args)
{
    const TkPlotObjectKind kind = Object->Kind();
    if (Contains(Kinds, kind)) FireIndexedEvent(Events[kind], Object, std::forward<A>(Args)...);
}

void TkPlotComponent::DoObjectAdd(TObject* Object)
{
    if (auto* object = dynamic_cast<TkPlotObject*>(Object)) FireObjectEvent(OnObjectAdd, PlotListEventKinds, object);
}

void TkPlotComponent::DoObjectRemove(TObject* Object)
{
    ++FRemovals;
    if (auto* object = dynamic_cast<TkPlotObject*>(Object)) {
        ForgetHintOf(object);
        FireObjectEvent(OnObjectRemove, PlotListEventKinds, object);
    }
}

void TkPlotComponent::DoObjectChange(TObject*) { InvalidateChange(); }

void TkPlotComponent::DoObjectMouseDown(TkPlotObject* Object, TMouseButton Button, TShiftState Shift, Integer X,
                                        Integer Y)
{
    FireObjectEvent(OnObjectMouseDown, PlotMouseEventKinds, Object, Button, Shift, X, Y);
}

void TkPlotComponent::DoObjectMouseMove(TkPlotObject* Object, TShiftState Shift, Integer X, Integer Y)
{
    FireObjectEvent(OnObjectMouseMove, PlotMouseEventKinds, Object, Shift, X, Y);
}

void TkPlotComponent::DoObjectMouseUp(TkPlotObject* Object, TMouseButton Button, TShiftState Shift, Integer X,
                                      Integer Y)
{
    FireObjectEvent(OnObjectMouseUp, PlotMouseEventKinds, Object, Button, Shift, X, Y);
}

void TkPlotComponent::DoObjectMouseWheel(TkPlotObject* Object, Integer WheelDelta, TShiftState Shift, Integer X,
                                         Integer Y)
{
    FireObjectEvent(OnObjectMouseWheel, PlotMouseEventKinds, Object, WheelDelta, Shift, X, Y);
}

void TkPlotComponent::DoObjectGotFocus(TkPlotObject* Object)
{
    FireObjectEvent(OnObjectGotFocus, PlotFocusEventKinds, Object);
}

void TkPlotComponent::DoObjectLostFocus(TkPlotObject* Object)
{
    FireObjectEvent(OnObjectLostFocus, PlotFocusEventKinds, Object);
}

void TkPlotComponent::DoObjectPopupMenu(TkPlotObject* Object, bool& Cancel, Integer ScreenX, Integer ScreenY)
{
    FireObjectEvent(OnObjectPopupMenu, PlotMouseEventKinds, Object, Cancel, ScreenX, ScreenY);
}

template <class E, class... A>
void TkPlotComponent::FireAxisEvent(const E& XEvent, const E& YEvent, TkPlotAxis* Axis, A&&... Args)
{
    if (Axis->IsXAxis())
        FireIndexedEvent(XEvent, Axis, std::forward<A>(Args)...);
    else if (Axis->IsYAxis())
        FireIndexedEvent(YEvent, Axis, std::forward<A>(Args)...);
}

bool TkPlotComponent::AxisScaleEventsAssigned() const
{
    return OnXAxisMinChange || OnYAxisMinChange || OnXAxisSpanChange || OnYAxisSpanChange || OnXAxisMinSpanChange ||
           OnYAxisMinSpanChange;
}

void TkPlotComponent::DoAxisMinChange(TkPlotAxis* Axis, Double OldValue, Double NewValue)
{
    FireAxisEvent(OnXAxisMinChange, OnYAxisMinChange, Axis, OldValue, NewValue);
}

void TkPlotComponent::DoAxisSpanChange(TkPlotAxis* Axis, Double OldValue, Double NewValue)
{
    FireAxisEvent(OnXAxisSpanChange, OnYAxisSpanChange, Axis, OldValue, NewValue);
}

void TkPlotComponent::DoAxisMinSpanChange(TkPlotAxis* Axis, Double OldMin, Double OldSpan, Double NewMin,
                                          Double NewSpan)
{
    FireAxisEvent(OnXAxisMinSpanChange, OnYAxisMinSpanChange, Axis, OldMin, OldSpan, NewMin, NewSpan);
}

void TkPlotComponent::DoAxisCustomizeLabel(TkPlotAxis* Axis, String& Text, Double Value)
{
    // Kept by the plot meanwhile: a handler may ask for it to be set.
    FInput.CustomizeLabelText = Text;
    FireAxisEvent(OnXAxisCustomizeLabel, OnYAxisCustomizeLabel, Axis, Value, FInput.CustomizeLabelText);
    Text = FInput.CustomizeLabelText;
}

void TkPlotComponent::DoAxisMinSpanChangeFinished(TkPlotAxis* Axis, Double OldMin, Double OldSpan, Double NewMin,
                                                  Double NewSpan)
{
    FireAxisEvent(OnXAxisMinSpanChangeFinished, OnYAxisMinSpanChangeFinished, Axis, OldMin, OldSpan, NewMin,
                  NewSpan);
}

void TkPlotComponent::DoAxisCustomizeHint(TkPlotAxis* Axis, String& Text)
{
    FireAxisEvent(OnXAxisCustomizeHint, OnYAxisCustomizeHint, Axis, Text);
}

void TkPlotComponent::DoObjectClick(TkPlotObject* Object)
{
    const bool dblClick = std::exchange(FInput.DblClick, false);
    FireObjectEvent(dblClick ? OnObjectDblClick : OnObjectClick, PlotMouseEventKinds, Object);
}

void TkPlotComponent::DoObjectGetMouseCursor(TkPlotObject* Object, TCursor& Cursor)
{
    FireObjectEvent(OnObjectGetMouseCursor, PlotListEventKinds, Object, Cursor);
}

void TkPlotComponent::DoBeforeToolBarButtonClick(TkPlotObject* ToolBar, TkPlotToolBarButtonType Type, bool& Cancel)
{
    FireIndexedEvent(OnBeforeToolBarButtonClick, ToolBar, Type, Cancel);
}

void TkPlotComponent::DoToolBarButtonClick(TkPlotObject* ToolBar, TkPlotToolBarButtonType Type)
{
    FireIndexedEvent(OnToolBarButtonClick, ToolBar, Type);
}

void TkPlotComponent::DoToolBarCustomizeHint(TkPlotObject* ToolBar, String& Text)
{
    FireIndexedEvent(OnToolBarCustomizeHint, ToolBar, Text);
}

void TkPlotComponent::DoDataPointMouseDown(TkPlotChannelCustom* Channel, Integer DataIndex, TMouseButton Button,
                                           TShiftState Shift, Integer X, Integer Y)
{
    FireIndexedEvent(OnMouseDownDataPoint, Channel, DataIndex, Button, Shift, X, Y);
}

void TkPlotComponent::DoDataPointMouseMove(TkPlotChannelCustom* Channel, Integer DataIndex, TShiftState Shift,
                                           Integer X, Integer Y)
{
    FireIndexedEvent(OnMouseMoveDataPoint, Channel, DataIndex, Shift, X, Y);
}

void TkPlotComponent::DoDataPointMouseUp(TkPlotChannelCustom* Channel, Integer DataIndex, TMouseButton Button,
                                         TShiftState Shift, Integer X, Integer Y)
{
    FireIndexedEvent(OnMouseUpDataPoint, Channel, DataIndex, Button, Shift, X, Y);
}

void TkPlotComponent::DoDataPointClick(TkPlotChannelCustom* Channel, Integer DataIndex)
{
    const bool dblClick = std::exchange(FInput.DblClick, false);
    FireIndexedEvent(dblClick ? OnDblClickDataPoint : OnClickDataPoint, Channel, DataIndex);
}

void TkPlotComponent::DoDataPointMoved(TkPlotChannelCustom* Channel, Integer DataIndex, Double OldX, Double OldY,
                                       Double NewX, Double NewY)
{
    FireIndexedEvent(OnDataPointMoved, Channel, DataIndex, OldX, OldY, NewX, NewY);
}

void TkPlotComponent::DoDataPointCustomizeHint(TkPlotChannelCustom* Channel, Integer DataIndex, String& Text)
{
    FireIndexedEvent(OnDataPointCustomizeHint, Channel, DataIndex, Text);
}

void TkPlotComponent::DoBeforeDataCursorUpdate(TkPlotObject* Cursor)
{
    FireIndexedEvent(OnBeforeDataCursorUpdate, Cursor);
}

void TkPlotComponent::DoDataCursorChange(TkPlotObject* Cursor) { FireIndexedEvent(OnDataCursorChange, Cursor); }

void TkPlotComponent::DoDataCursorCustomizeHint(TkPlotObject* Cursor, String& Text)
{
    FireIndexedEvent(OnDataCursorCustomizeHint, Cursor, Text);
}

void TkPlotComponent::ShowCursorReadoutInLegend()
{
    if (LegendCount() > 0) GetLegend(0)->SetCursorAllChannels(true);
}

void TkPlotComponent::DoLimitLine1PositionChange(TkPlotLimit* Limit, Double OldValue, Double NewValue)
{
    FireIndexedEvent(OnLimitLine1PositionChange, Limit, OldValue, NewValue);
}

void TkPlotComponent::DoLimitLine2PositionChange(TkPlotLimit* Limit, Double OldValue, Double NewValue)
{
    FireIndexedEvent(OnLimitLine2PositionChange, Limit, OldValue, NewValue);
}

void TkPlotComponent::DoAnnotationEvent(TkPlotObject* Annotation, TkPlotAnnotationEvent Event)
{
    const TkPlotObjectEvent* events[] = {&OnAnnotationCoordinatesChange, &OnAnnotationMoveUser,
                                         &OnAnnotationResizeUser, &OnAnnotationCoordinatesChangeFinished};
    FireIndexedEvent(*events[Event], Annotation);
}

void TkPlotComponent::DoBeforeZoomBox(TRect& ZoomRect, bool& Cancel)
{
    if (IsLoading()) return;
    const TkPlotBeforeZoomBoxEvent handler = OnBeforeZoomBox;
    if (handler) handler(this, ZoomRect, Cancel);
}

void TkPlotComponent::DoAfterOpenEditor(TCustomForm* Form)
{
    if (OnAfterOpenEditor) OnAfterOpenEditor(Form);
}

// ===========================================================================
// What axes and channels ask
// ===========================================================================

Cardinal TkPlotComponent::AxesVersion() const { return Master().AxesVersion(); }

TkPlotNameIndex* TkPlotComponent::NameIndex(TkPlotObjectKind Kind)
{
    const TkPlotObjectManagerCustom* manager = FMasterManager ? FMasterManager->Manager(Kind) : nullptr;
    return manager ? manager->NameIndex() : nullptr;
}

TkPlotExtents TkPlotComponent::ChannelExtents(const TkPlotAxis& Axis, bool Visible) const
{
    TkPlotExtents extents;
    for (Integer i = 0; i < ChannelCount(); ++i) GetChannel(i)->WidenExtents(Axis, Visible, extents);
    return extents;
}

TkPlotAxis* TkPlotComponent::GetAxis(bool XAxes, Integer Index) const
{
    if (XAxes) return GetXAxis(Index);
    return GetYAxis(Index);
}

void TkPlotComponent::ForwardToAxes(TkPlotAxis* Axis, const std::function<void(TkPlotAxis*)>& Action)
{
    if (FAxesForwarding) return;
    const bool xAxes = Axis->IsXAxis();
    // Held weakly: a handler reached through an axis may free others.
    std::vector<TWeakRef<TkPlotAxis>> others;
    for (Integer i = 0; i < AxisCount(xAxes); ++i)
        if (TkPlotAxis* other = GetAxis(xAxes, i); other != Axis) others.emplace_back(other);
    const TFlagScope forwarding(FAxesForwarding);
    for (const TWeakRef<TkPlotAxis>& other : others)
        if (TkPlotAxis* axis = other.Get()) Action(axis);
}

void TkPlotComponent::AxesDoMouseLeft(TkPlotAxis* Axis, const TkPlotMouseData& MouseData)
{
    ForwardToAxes(Axis, [&MouseData](TkPlotAxis* Other) { Other->DoMouseLeft(MouseData); });
}

void TkPlotComponent::AxesDoMouseMove(TkPlotAxis* Axis, const TkPlotMouseData& MouseData)
{
    ForwardToAxes(Axis, [&MouseData](TkPlotAxis* Other) { Other->DoMouseMove(MouseData); });
}

void TkPlotComponent::AxesDoMouseUp(TkPlotAxis* Axis, const TkPlotMouseData& MouseData)
{
    ForwardToAxes(Axis, [&MouseData](TkPlotAxis* Other) { Other->DoMouseUp(MouseData); });
}

void TkPlotComponent::AxesDoMouseWheel(TkPlotAxis* Axis, Integer WheelDelta, TShiftState Shift, Integer X, Integer Y)
{
    ForwardToAxes(Axis, [=](TkPlotAxis* Other) { Other->DoMouseWheel(WheelDelta, Shift, X, Y); });
}

void TkPlotComponent::AxesKeyDown(TkPlotAxis* Axis, Word& Key, TShiftState Shift)
{
    // The other axes open no popup menu.
    ForwardToAxes(Axis, [&Key, Shift](TkPlotAxis* Other) { Other->kKeyDown(Key, Shift, nullptr); });
}

void TkPlotComponent::DisableAllTracking() { SetAllTracking(false); }

void TkPlotComponent::EnableAllTracking() { SetAllTracking(true); }

void TkPlotComponent::SetAllTracking(bool Value)
{
    // By index: turning tracking off may bring back resume values, whose
    // events reach the user's handlers.
    for (const bool xAxes : {true, false})
        for (Integer i = 0; i < AxisCount(xAxes); ++i) GetAxis(xAxes, i)->SetTrackingEnabled(Value);
}

bool TkPlotComponent::DataViewPercentToPixels(Double Percent, bool Vertical, Integer& Pixel) const
{
    if (DataViewCount() == 0) return false;
    const TkPlotDataView* view = GetDataView(0);
    Pixel = Vertical ? view->PositionPercentToPixelsY(Percent) : view->PositionPercentToPixelsX(Percent);
    return true;
}

// ===========================================================================
// What the toolbar asks: the modes of the first toolbar, and the commands
// that act on the whole plot
// ===========================================================================

bool TkPlotComponent::IsToolBarZoomBoxMode() const { return ToolBarCount() > 0 && GetToolBar(0)->ZoomBoxDown(); }

bool TkPlotComponent::IsToolBarSelectMode() const { return ToolBarCount() > 0 && GetToolBar(0)->SelectDown(); }

void TkPlotComponent::SetToolBarSelectMode(bool Value)
{
    if (ToolBarCount() > 0 && GetToolBar(0)->SelectDown() != Value) GetToolBar(0)->DoButtonClickSelect();
}

void TkPlotComponent::ClearAllUserSelections() { Master().PlotObjectManager()->ClearAllUserSelections(); }

void TkPlotComponent::ShowDataCursors(bool Value)
{
    for (Integer i = 0; i < DataCursorCount(); ++i) GetDataCursor(i)->SetVisible(Value);
    if (Value && DataCursorCount() > 0) GetDataCursor(0)->SetUserSelected(true);
}

void TkPlotComponent::EditProperties() { Master().EditProperties(); }

void TkPlotComponent::DoToolBarOutput(TkPlotToolBarButtonType Command)
{
    switch (Command) {
    case kptbbtCopy: CopyToClipBoard(); return;
    case kptbbtSave: Save(); return;
    case kptbbtPrint: PrintChart(); return;
    case kptbbtPreview: PreviewChart(); return;
    default: return;
    }
}
