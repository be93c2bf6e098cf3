// The plot's services to the objects it holds (kPlotHost.h) that are its
// own: the published event of each report, and the first toolbar's mode.
// What the objects ask of it otherwise its roles answer (kPlotRoles.h).

#include "components/plot/component/kPlotComponent.h"

#include <algorithm>
#include <array>
#include <utility>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/component/kPlotRoles.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLegend.h"
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
    FRoles->Painter.ObjectRemoved();
    if (auto* object = dynamic_cast<TkPlotObject*>(Object)) {
        FRoles->Hint.Forget(object);
        FireObjectEvent(OnObjectRemove, PlotListEventKinds, object);
    }
}

void TkPlotComponent::DoObjectChange(TObject*) { InvalidateChange(); }

void TkPlotComponent::ObjectAdded(TkPlotObject& Object) { DoObjectAdd(&Object); }

void TkPlotComponent::MemberRemoving(TObject& Member) { DoObjectRemove(&Member); }

void TkPlotComponent::ObjectsChanged(TObject& Sender) { DoObjectChange(&Sender); }

void TkPlotComponent::RepaintNow() { InvalidateNow(); }

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

// Each report reaches the published event of its kind (X or Y for an axis;
// the object's kind for the object events), with the object's index.
void TkPlotComponent::Fire(const TkPlotEvent& Event)
{
    std::visit(
        TkPlotEventHandlers{
            [this](const PlotEvent::MouseDown& E) {
                FireObjectEvent(OnObjectMouseDown, PlotMouseEventKinds, E.Object, E.Button, E.Shift, E.X, E.Y);
            },
            [this](const PlotEvent::MouseMove& E) {
                FireObjectEvent(OnObjectMouseMove, PlotMouseEventKinds, E.Object, E.Shift, E.X, E.Y);
            },
            [this](const PlotEvent::MouseUp& E) {
                FireObjectEvent(OnObjectMouseUp, PlotMouseEventKinds, E.Object, E.Button, E.Shift, E.X, E.Y);
            },
            [this](const PlotEvent::MouseWheel& E) {
                FireObjectEvent(OnObjectMouseWheel, PlotMouseEventKinds, E.Object, E.WheelDelta, E.Shift, E.X, E.Y);
            },
            [this](const PlotEvent::GotFocus& E) { FireObjectEvent(OnObjectGotFocus, PlotFocusEventKinds, E.Object); },
            [this](const PlotEvent::LostFocus& E) {
                FireObjectEvent(OnObjectLostFocus, PlotFocusEventKinds, E.Object);
            },
            [this](const PlotEvent::PopupMenu& E) {
                FireObjectEvent(OnObjectPopupMenu, PlotMouseEventKinds, E.Object, E.Cancel, E.ScreenX, E.ScreenY);
            },
            [this](const PlotEvent::Click& E) {
                const bool dblClick = std::exchange(FRoles->Input.State().DblClick, false);
                FireObjectEvent(dblClick ? OnObjectDblClick : OnObjectClick, PlotMouseEventKinds, E.Object);
            },
            [this](const PlotEvent::GetMouseCursor& E) {
                FireObjectEvent(OnObjectGetMouseCursor, PlotListEventKinds, E.Object, E.Cursor);
            },
            [this](const PlotEvent::AxisMinChange& E) {
                FireAxisEvent(OnXAxisMinChange, OnYAxisMinChange, E.Axis, E.OldValue, E.NewValue);
            },
            [this](const PlotEvent::AxisSpanChange& E) {
                FireAxisEvent(OnXAxisSpanChange, OnYAxisSpanChange, E.Axis, E.OldValue, E.NewValue);
            },
            [this](const PlotEvent::AxisMinSpanChange& E) {
                FireAxisEvent(OnXAxisMinSpanChange, OnYAxisMinSpanChange, E.Axis, E.OldMin, E.OldSpan, E.NewMin,
                              E.NewSpan);
            },
            [this](const PlotEvent::AxisMinSpanChangeFinished& E) {
                FireAxisEvent(OnXAxisMinSpanChangeFinished, OnYAxisMinSpanChangeFinished, E.Axis, E.OldMin, E.OldSpan,
                              E.NewMin, E.NewSpan);
            },
            [this](const PlotEvent::AxisCustomizeLabel& E) {
                // Kept by the plot meanwhile: a handler may ask for it to be set.
                FRoles->Input.State().CustomizeLabelText = E.Text;
                FireAxisEvent(OnXAxisCustomizeLabel, OnYAxisCustomizeLabel, E.Axis, E.Value,
                              FRoles->Input.State().CustomizeLabelText);
                E.Text = FRoles->Input.State().CustomizeLabelText;
            },
            [this](const PlotEvent::AxisCustomizeHint& E) {
                FireAxisEvent(OnXAxisCustomizeHint, OnYAxisCustomizeHint, E.Axis, E.Text);
            },
            [this](const PlotEvent::BeforeZoomBox& E) {
                if (IsLoading()) return;
                const TkPlotBeforeZoomBoxEvent handler = OnBeforeZoomBox;
                if (handler) handler(this, E.ZoomRect, E.Cancel);
            },
            [this](const PlotEvent::LimitLineMove& E) {
                FireIndexedEvent(E.Line == 1 ? OnLimitLine1PositionChange : OnLimitLine2PositionChange, E.Limit,
                                 E.OldValue, E.NewValue);
            },
            [this](const PlotEvent::Annotation& E) {
                const TkPlotObjectEvent* events[] = {&OnAnnotationCoordinatesChange, &OnAnnotationMoveUser,
                                                     &OnAnnotationResizeUser, &OnAnnotationCoordinatesChangeFinished};
                FireIndexedEvent(*events[E.Event], E.Object);
            },
            [this](const PlotEvent::BeforeToolBarButtonClick& E) {
                FireIndexedEvent(OnBeforeToolBarButtonClick, E.ToolBar, E.Type, E.Cancel);
            },
            [this](const PlotEvent::ToolBarButtonClick& E) {
                FireIndexedEvent(OnToolBarButtonClick, E.ToolBar, E.Type);
            },
            [this](const PlotEvent::ToolBarCustomizeHint& E) {
                FireIndexedEvent(OnToolBarCustomizeHint, E.ToolBar, E.Text);
            },
            [this](const PlotEvent::BeforeDataCursorUpdate& E) {
                FireIndexedEvent(OnBeforeDataCursorUpdate, E.Cursor);
            },
            [this](const PlotEvent::DataCursorChange& E) { FireIndexedEvent(OnDataCursorChange, E.Cursor); },
            [this](const PlotEvent::DataCursorCustomizeHint& E) {
                FireIndexedEvent(OnDataCursorCustomizeHint, E.Cursor, E.Text);
            },
            [this](const PlotEvent::DataPointMouseDown& E) {
                FireIndexedEvent(OnMouseDownDataPoint, E.Channel, E.DataIndex, E.Button, E.Shift, E.X, E.Y);
            },
            [this](const PlotEvent::DataPointMouseMove& E) {
                FireIndexedEvent(OnMouseMoveDataPoint, E.Channel, E.DataIndex, E.Shift, E.X, E.Y);
            },
            [this](const PlotEvent::DataPointMouseUp& E) {
                FireIndexedEvent(OnMouseUpDataPoint, E.Channel, E.DataIndex, E.Button, E.Shift, E.X, E.Y);
            },
            [this](const PlotEvent::DataPointClick& E) {
                const bool dblClick = std::exchange(FRoles->Input.State().DblClick, false);
                FireIndexedEvent(dblClick ? OnDblClickDataPoint : OnClickDataPoint, E.Channel, E.DataIndex);
            },
            [this](const PlotEvent::DataPointMoved& E) {
                FireIndexedEvent(OnDataPointMoved, E.Channel, E.DataIndex, E.OldX, E.OldY, E.NewX, E.NewY);
            },
            [this](const PlotEvent::DataPointCustomizeHint& E) {
                FireIndexedEvent(OnDataPointCustomizeHint, E.Channel, E.DataIndex, E.Text);
            },
            [this](const PlotEvent::AfterOpenEditor& E) {
                if (OnAfterOpenEditor) OnAfterOpenEditor(E.Form);
            },
        },
        Event);
}

// ===========================================================================
// The first toolbar's mode
// ===========================================================================

void TkPlotComponent::SetToolBarSelectMode(bool Value)
{
    if (ToolBarCount() > 0 && GetToolBar(0)->SelectDown() != Value) GetToolBar(0)->DoButtonClickSelect();
}
