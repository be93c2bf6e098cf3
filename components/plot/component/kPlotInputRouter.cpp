// The plot's share of the user's input: which object is under the mouse,
// which objects the selection holds, where a press, a drag, the wheel and
// the keys go.
//
// A press picks the object under the mouse (selecting it by the Shift and
// Ctrl rules) and goes to every selected object, unless the object handles
// its own drags (annotations, limits, buttons, toolbars); the moves and the
// release of the press follow it there. Without a press, a move asks the
// object under the mouse for its cursor and its hint.

#include "components/plot/component/kPlotInputRouter.h"

#include <algorithm>
#include <vector>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/component/kPlotComponent.h"
#include "components/plot/component/kPlotHint.h"
#include "components/plot/component/kPlotPainter.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/input/kPlotButton.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLegend.h"
#include "platform/Math.h"
#include "platform/Menus.h"

namespace {

bool IsButton(const TkPlotObject* Object) { return dynamic_cast<const TkPlotButton*>(Object) != nullptr; }

// An object that takes its press and drag itself rather than through the
// selection: what it does with them is its own, whatever else is selected.
bool HandlesOwnDrag(const TkPlotObject* Object)
{
    switch (Object->Kind()) {
    case kpokAnnotation:
    case kpokLimit:
    case kpokToolBar: return true;
    default: return IsButton(Object) || !Object->CanFocus();
    }
}

bool HeldLeftOrRight(TShiftState Shift) { return Shift.Contains(ssLeft) || Shift.Contains(ssRight); }

// Which objects each pass of the hit test looks at.
enum class THitPass { Selected, Any, Background };

bool IsBackground(const TkPlotObject* Object)
{
    return Object->Kind() == kpokDataView || Object->Kind() == kpokLegend || Object->Kind() == kpokNone;
}

bool TakesPart(const TkPlotObject* Object, THitPass Pass)
{
    if (!Object->Enabled() || !Object->Visible()) return false;
    switch (Pass) {
    case THitPass::Selected: return Object->UserSelected() && !IsBackground(Object);
    case THitPass::Any: return !IsBackground(Object);
    case THitPass::Background: return Object->Kind() == kpokDataView || Object->Kind() == kpokLegend;
    }
    return false;
}

}  // namespace

// ===========================================================================
// Hit test
// ===========================================================================

TkPlotObject* TkPlotInputRouter::GetObjectAt(TPoint P)
{
    if (!FPlot.HasObjects()) return nullptr;
    const TkPlotPainter::TLegendHitScope legendHits(FPainter, P);
    const TkPlotObjectManager& all = *FPlot.Master().PlotObjectManager();
    std::vector<TkPlotObject*> candidates;
    candidates.reserve(static_cast<std::size_t>(all.Count()));
    for (const THitPass pass : {THitPass::Selected, THitPass::Any, THitPass::Background}) {
        candidates.clear();
        for (Integer i = 0; i < all.Count(); ++i)
            if (TkPlotObject* object = all.GetItem(i); TakesPart(object, pass)) candidates.push_back(object);
        // What is drawn last lies on top: the highest layer answers first.
        // Layers are mostly in order already, and the sort's buffer would
        // cost every mouse move.
        const auto higher = [](const TkPlotObject* A, const TkPlotObject* B) { return A->Layer() > B->Layer(); };
        if (!std::is_sorted(candidates.begin(), candidates.end(), higher))
            std::stable_sort(candidates.begin(), candidates.end(), higher);
        for (TkPlotObject* object : candidates)
            if (object->HitTest(P.X, P.Y)) return object->GetObjectAtPoint(P);
    }
    return nullptr;
}

// ===========================================================================
// Press and selection
// ===========================================================================

void TkPlotInputRouter::ApplySelection(TkPlotObject* Object, TShiftState Shift)
{
    const bool axis = IsAxisKind(Object->Kind());
    if (Shift.Contains(ssShift)) {
        Object->SetUserSelected(true);
        FInput.AxisSelect = axis;
    } else if (Shift.Contains(ssCtrl)) {
        Object->SetUserSelected(axis ? !Object->UserSelected() : true);
        FInput.AxisSelect = axis;
    } else if (Object->Kind() != kpokNone && Object->Kind() != kpokToolBar && Object->CanFocus()) {
        // Buttons and other parts of an object are never selected themselves.
        Object->SetUserSelected(true);
    }
}

void TkPlotInputRouter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TkPlotObjectManager& all = *FPlot.Master().PlotObjectManager();
    FInput.Shift = Shift;
    all.SetShiftState(Shift);
    FInput.ButtonDown = true;
    FInput.LastMouse = Point(X, Y);
    FocusControl(&FPlot);
    FHint.Hide();
    if (Button == mbRight) all.ClearAllUserSelections();

    TkPlotObject* object = GetObjectAt(Point(X, Y));
    FInput.MouseDownObject = object;
    FInput.LastMouseUp.Object = nullptr;
    if (!object) {
        all.ClearAllUserSelections();
        return;
    }
    TWeakRef<TkPlotObject> pressed(object);
    ApplySelection(object, Shift);
    if (!pressed) return;
    if (Button == mbRight) FPlot.SetMouseCapture(true);
    if (Button != mbRight && !HandlesOwnDrag(object))
        all.MouseDownFocusObjects(Button, Shift, X, Y);
    else if (TkPlotObject* target = pressed.Get())
        target->kMouseDown(Button, Shift, X, Y);
}

// ===========================================================================
// Moves
// ===========================================================================

void TkPlotInputRouter::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (FPlot.IsDesigning() || FInput.AxisSelect) return;
    const TPoint p = Point(X, Y);
    if (!PtInRect(FPlot.ClientRect(), p) && !FInput.ButtonDown && FPlot.MouseCapture()) FPlot.SetMouseCapture(false);
    FInput.Shift = Shift;
    FInput.LastMouse = p;

    if (TkPlotObject* pressed = FInput.MouseDownObject.Get()) {
        if (HeldLeftOrRight(Shift)) {
            TkPlotHintData ignored;
            if (HandlesOwnDrag(pressed))
                pressed->kMouseMove(ignored, Shift, X, Y, FInput.DblClick);
            else
                FPlot.Master().PlotObjectManager()->MouseMoveFocusObjects(ignored, Shift, X, Y, FInput.DblClick);
            FPlot.SetCursor(crDefault);
            return;
        }
        EndLostPress();
    }
    HoverOver(GetObjectAt(p), p);
}

void TkPlotInputRouter::EndLostPress()
{
    // The object first hears that the mouse left it, so that a button ends
    // its press without clicking where the mouse happens to be now.
    if (TkPlotObject* pressed = FInput.MouseDownObject.Get()) pressed->DoMouseNotOver();
    MouseUp(mbLeft, FInput.Shift, FInput.LastMouse.X, FInput.LastMouse.Y);
}

void TkPlotInputRouter::HoverOver(TkPlotObject* Object, TPoint P)
{
    if (TkPlotObject* over = FInput.MouseOverObject.Get(); over && over != Object) {
        FInput.MouseOverObject = nullptr;
        TWeakRef<TkPlotObject> hit(Object);
        over->DoMouseNotOver();
        Object = hit.Get();
    }
    if (!Object) {
        FPlot.SetCursor(crDefault);
        return;
    }
    TWeakRef<TkPlotObject> hit(Object);
    FPlot.SetCursor(Object->GetMouseCursor(P));
    if (!hit) return;
    TkPlotHintData hint;
    Object->kMouseMove(hint, FInput.Shift, P.X, P.Y, FInput.DblClick);
    if (!hit) return;
    if (FHint.Show) {
        FHint.Set(hint, FHint.Showing());
        FHint.Track(Object, P, FInput.ButtonDown);
    }
    FInput.MouseOverObject = hit;
}

// ===========================================================================
// Release
// ===========================================================================

void TkPlotInputRouter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (FPlot.IsDesigning()) return;
    if (FInput.FocusLeaving) {
        // The focus' release comes without a position: the drag ends where
        // the mouse was last seen, not at the corner.
        X = FInput.LastMouse.X;
        Y = FInput.LastMouse.Y;
    }
    FInput.ButtonDown = false;
    FInput.Shift = Shift;
    FHint.Hide();
    FInput.AxisSelect = false;
    const TPoint screen = FPlot.ClientToScreen(Point(X, Y));
    TkPlotObject* pressed = FInput.MouseDownObject.Get();
    // Forgotten first: whatever the release sets off, it ends this press once.
    FInput.MouseDownObject = nullptr;
    const bool dblClick = FInput.DblClick;
    TWeakRef<TkPlotObject> alive(pressed);
    if (pressed) pressed->kMouseUp(Button, Shift, X, Y, screen.X, screen.Y, dblClick, &FPopupMenu);
    if (FPlot.HasObjects())
        FPlot.Master().PlotObjectManager()->MouseUpFocusObjects(Button, Shift, X, Y, screen.X, screen.Y, dblClick,
                                                          &FPopupMenu);
    FInput.LastMouseUp = {alive, Button, Shift, X, Y, screen.X, screen.Y};
    FInput.DblClick = false;
}

// ===========================================================================
// Wheel and keys
// ===========================================================================

void TkPlotInputRouter::MouseWheel(Integer WheelDelta, TShiftState Shift, TPoint MousePos)
{
    // The objects work in the control's pixels.
    const TPoint p = FPlot.ScreenToClient(MousePos);
    TkPlotObject* under = GetObjectAt(p);
    TWeakRef<TkPlotObject> target(under && !under->UserSelected() ? under : nullptr);
    FPlot.Master().PlotObjectManager()->MouseWheelFocusObjects(WheelDelta, Shift, p);
    // The object under the mouse answers the wheel even when it is not
    // selected: the user points at what should move.
    if (TkPlotObject* object = target.Get()) object->kMouseWheel(WheelDelta, Shift, p);
}

void TkPlotInputRouter::KeyDown(Word& Key, TShiftState Shift)
{
    FPlot.Master().PlotObjectManager()->KeyDownFocusObjects(Key, Shift, &FPopupMenu);
}

void TkPlotInputRouter::CaptureLost()
{
    // A press in progress ends with its release (the control lets the mouse
    // go just before it), or, when that never comes, at the next move.
    if (FInput.ButtonDown) return;
    if (TkPlotObject* over = FInput.MouseOverObject.Get()) {
        FInput.MouseOverObject = nullptr;
        over->DoMouseNotOver();
    }
}

// ===========================================================================
// What the objects ask
// ===========================================================================

TPoint TkPlotInputRouter::PlotClientToScreen(const TPoint& P) const { return FPlot.ClientToScreen(P); }

bool TkPlotInputRouter::IsToolBarZoomBoxMode() const
{
    return FPlot.ToolBarCount() > 0 && FPlot.GetToolBar(0)->ZoomBoxDown();
}

bool TkPlotInputRouter::IsToolBarSelectMode() const
{
    return FPlot.ToolBarCount() > 0 && FPlot.GetToolBar(0)->SelectDown();
}

bool TkPlotInputRouter::LegendEntryHit(const TkPlotChannelCustom* Channel, TPoint P) const
{
    return FPainter.LegendEntryHit(Channel, P);
}

TSize TkPlotInputRouter::HintTextExtent(const String& Text) { return FHint.TextExtent(Text); }

TkPlotPaintContext TkPlotInputRouter::HitTestContext(TkPlotObject& Object) { return FPainter.HitTestContext(Object); }
