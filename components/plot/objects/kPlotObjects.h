#pragma once
// The bases of every part of a plot: TkPlotObject (name, visibility, layer,
// its reports to the plot, mouse and keyboard entry points, popup menu),
// TkPlotManagerObject (an object that a typed manager holds, whose owner is
// mandatory) and TkPlotLayoutObject (an object placed in a band along one
// side of the data view).
//
// Change protocol: an object reports to its plot through the reports part
// of the plot's seam (kPlotHost.h), reached through its owner; the plot's
// master manager hears the reports and passes on to the plot what it
// answers. Setters store a value only when it differs, then call the change
// method of their property: DoChange (look only) or DoLayoutChange (layout
// again, then repaint).
//
// Life cycle: objects are made with Create<T>(Owner) and ended with Free().
// Whoever makes an object calls DoInsert once it is fully set up; freeing it
// reports the removal (removed, then layout changed and changed) while the
// object is still whole.

#include <cmath>
#include <cstddef>
#include <string_view>
#include <type_traits>

#include "components/plot/objects/kPlotHost.h"
#include "components/plot/objects/kPlotKinds.h"
#include "components/plot/objects/kPlotPaintContext.h"
#include "platform/Classes.h"
#include "platform/Controls.h"

class TCanvas;
class TPopupMenu;
class TkPlotObject;

// The record handed to the DoMouse... operations and to hit tests. The entry
// points fill X, Y, the axis pixels (and DblClickActive where they receive
// it); the other fields stay zero.
struct TkPlotMouseData {
    Integer X = 0;             // component pixels
    Integer Y = 0;
    Integer ScreenX = 0;
    Integer ScreenY = 0;
    Integer XAxisPixels = 0;   // the coordinate along the X axis (Y when the axes are exchanged)
    Integer YAxisPixels = 0;
    TShiftState Shift;
    TMouseButton Button = mbLeft;
    bool DblClickActive = false;
};

// The plot's hint record: what the object under the mouse asks to show.
struct TkPlotHintData {
    String Text;
    Integer Left = 0;
    Integer Top = 0;
    Integer Width = 0;
    Integer Height = 0;
};

class TkPlotObject : public TPersistent {
    PL_CLASSINFO()
public:
    // Stores the owner; checks nothing (annotations, limits and buttons may
    // run without a plot).
    explicit TkPlotObject(TkPlotObjectOwner* AOwner);
    // Reports the removal while the object is whole.
    void BeforeDestruction() override;
    // Takes the object out of the plot as freeing it would, its removal
    // reported, but keeps it whole and silent: PutBackIntoPlot lists it
    // again, or it ends without a further report.
    void TakeOutOfPlot();
    // Announces an object taken out again: it reports as before.
    void PutBackIntoPlot();
    // The object reports nothing more, so that its end reports nothing.
    void StopReporting() { FReporting = false; }

    // --- published properties -------------------------------------------
    const String& Name() const { return FName; }
    // A new name keeps the old one in NameOld, then the rename is reported
    // and DoChange runs.
    void SetName(const String& Value);
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    bool Enabled() const { return FEnabled; }
    // Disabling also ends a press in progress and deselects the object.
    virtual void SetEnabled(bool Value);
    Integer Layer() const { return FLayer; }
    void SetLayer(Integer Value);
    bool PopupEnabled() const { return FPopupEnabled; }
    void SetPopupEnabled(bool Value);
    bool CanFocus() const { return FCanFocus; }
    void SetCanFocus(bool Value);

    // --- public state -----------------------------------------------------
    const String& NameOld() const { return FNameOld; }
    TkPlotObjectOwner* Owner() const { return FOwner; }
    // The parts of the plot's services; none without an owner or when the
    // owner is no plot.
    const TkPlotHost& Host() const { return FOwner ? FOwner->Host() : NoPlotHost; }
    // The plot's published event for Event, when the plot publishes events.
    void Fire(const TkPlotEvent& Event) const;
    // Which of the plot's kinds the object is; kpokNone for others (the
    // layout placeholders).
    virtual TkPlotObjectKind Kind() const { return kpokNone; }
    TShiftState ShiftState() const { return FShiftState; }
    void SetShiftState(TShiftState Value) { FShiftState = Value; }
    bool UserSelected() const { return FUserSelected; }
    // Selecting asks for an immediate repaint, reports the selection and
    // calls DoGotFocus; deselecting calls DoLostFocus.
    void SetUserSelected(bool Value);
    bool UserCanEdit() const { return FUserCanEdit; }
    void SetUserCanEdit(bool Value) { FUserCanEdit = Value; }
    bool XYAxesReversed() const { return FXYAxesReversed; }
    virtual void SetXYAxesReversed(bool Value);
    bool CanDraw() const { return FCanDraw; }
    // The sub-object (or this object) that was under the mouse last.
    TkPlotObject* MouseOverObject() const { return FMouseOverObject.Get(); }
    // Keeps the coming release from opening a popup (a drag began).
    void ClearMouseDownPopup() { FMouseDownPopup = false; }

    // --- change protocol ------------------------------------------------------
    virtual void DoChange();
    // DoChange for a change that streams in (a scale moving with every
    // tracked point): counted as always, but not reported while the plot's
    // repaint is pending, since that repaint shows it anyway.
    void DoChangeUnlessRepaintPending();
    // Counts a change that the pending repaint shows anyway, unreported.
    void CountUnreportedChange() { ++FLookVersion; }
    // A change of the data alone: the plot repaints, but nothing it lays
    // out changes shape, so its layout stays.
    void DoDataChange();
    // Counts the changes but those of the data: the plot lays itself out
    // again only when the counts of its objects moved.
    Cardinal LookVersion() const { return FLookVersion; }
    virtual void DoLayoutChange();
    // Announces the object to its managers (called by its maker).
    virtual void DoInsert();
    void DoInvalidateNow();

    // Another object (or this one) became selected.
    virtual void NotificationSetFocus(TkPlotObject* AObject);
    // Whether Object stays selected when this object becomes selected (a
    // data cursor keeps its channel); no object here.
    virtual bool KeepsSelected(const TkPlotObject* /*Object*/) const { return false; }

    // --- drawing ----------------------------------------------------------------
    // The scales of the axes the object is drawn against, found from its
    // own settings; none here. The plot asks once per paint and hands them
    // back in the paint context, to drawing and to the hit tests until the
    // next paint.
    virtual TkPlotScalePair BoundScales();
    // Called for every object before drawing; descendants clear CanDraw when
    // they cannot draw.
    virtual void PrepareDraw(const TkPlotPaintContext& Context);
    virtual void Draw(const TkPlotPaintContext& Context);

    // --- input entry points (from the plot component) -----------------------------
    virtual void kMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void kMouseMove(TkPlotHintData& HintData, TShiftState Shift, Integer X, Integer Y, bool DblClickActive);
    virtual void kMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y, Integer ScreenX,
                          Integer ScreenY, bool DblClickActive, TPopupMenu* PopupMenu);
    virtual bool kMouseHitTest(const TkPlotMouseData& MouseData);
    virtual bool kMouseWheel(Integer WheelDelta, TShiftState Shift, TPoint MousePos);
    // Shift+F10 and the Applications key open the popup menu.
    virtual void kKeyDown(Word& Key, TShiftState Shift, TPopupMenu* PopupMenu);
    virtual void DoMouseNotOver();
    virtual TkPlotObject* GetObjectAtPoint(TPoint P);
    virtual TCursor GetMouseCursor(TPoint P);
    // Clears the menu; descendants call it first, then add their items.
    virtual void BuildPopupMenu(TPopupMenu* PopupMenu);
    bool HitTest(Integer X, Integer Y);

    // Where the keyboard opens the popup menu, in component pixels; false for
    // objects that offer no popup from the keyboard.
    virtual bool GetPopupCentre(TPoint& Centre) const;

    // --- helpers -------------------------------------------------------------------
    // The layer as decimal text, left-padded with "0" to 6 characters.
    String GetLayerSortKey() const;
    // Text through the plot's translation table.
    String TranslateString(const String& Text) const;
    // "Edit..." (translated), when UserCanEdit; its click asks for the
    // editor on the object.
    void AddEditMenuItem(TPopupMenu* PopupMenu);
    void DoEditMenuItemClick();
    void SwapXY(Integer X, Integer Y, Integer& XAxisPixels, Integer& YAxisPixels) const;

    // The object's own reactions, reached through the entry points above
    // (and called directly by the plot to move every axis of a direction
    // together).
    virtual void DoMouseHint(const TkPlotMouseData& MouseData, TkPlotHintData& HintData);
    virtual void DoMouseLeft(const TkPlotMouseData& MouseData);
    virtual void DoMouseRight(const TkPlotMouseData& MouseData);
    virtual void DoMouseMove(const TkPlotMouseData& MouseData);
    virtual void DoMouseUp(const TkPlotMouseData& MouseData);
    virtual bool DoMouseWheel(Integer WheelDelta, TShiftState Shift, Integer X, Integer Y);
    virtual void DoGotFocus();
    virtual void DoLostFocus();

protected:
    void DoRename();
    void DoSetFocus();
    // The layout change alone (DoLayoutChange adds DoChange).
    void FireLayoutChange();

    bool MouseDown() const { return FMouseDown; }
    // The context the plot keeps from the object's last paint for hit tests
    // (no canvas then); one without axes when the object has no plot.
    TkPlotPaintContext HitTestContext();
    // A context of the object's own axes and axes exchange, for geometry
    // that the mouse shares with drawing (no canvas, no data view).
    TkPlotPaintContext BoundContext();
    // A sub-object (a button, a legend's channel) that answers for this
    // object under the mouse; held weakly.
    void SetMouseOverObject(TkPlotObject* Value) { FMouseOverObject = TWeakRef<TkPlotObject>(Value); }
    void SetCanDraw(bool Value) { FCanDraw = Value; }
    TkPlotMouseData MakeMouseData(Integer X, Integer Y) const;
    // The setter routine of every property: stores Value when it differs
    // from Field (exact comparison), then calls Change on this object when
    // Change is given. A NaN is never stored.
    template <class V, class C = std::nullptr_t>
    void SetProperty(V& Field, const V& Value, C Change = nullptr)
    {
        SetIfDifferent(Field, Value, [this, Change] {
            if constexpr (!std::is_null_pointer_v<C>) CallChange(Change);
        });
    }

private:
    // Where the object's reports go: its plot's reports part, while the
    // object reports; none without a plot.
    TkPlotReportHost* Reports() const { return FReporting ? Host().Reports : nullptr; }
    // The removal, then the layout change and the change.
    void ReportRemoval();
    template <class D>
    void CallChange(void (D::*Change)())
    {
        static_assert(std::is_base_of_v<TkPlotObject, D>);
        if (Change) (static_cast<D*>(this)->*Change)();
    }

    String FName;
    String FNameOld;
    TkPlotObjectOwner* FOwner;
    TShiftState FShiftState;
    bool FReporting = true;
    bool FVisible = true;
    bool FEnabled = true;
    Integer FLayer = 100;
    bool FPopupEnabled = true;
    bool FCanFocus = true;
    bool FUserSelected = false;
    bool FUserCanEdit = true;
    bool FXYAxesReversed = false;
    bool FCanDraw = false;
    TWeakRef<TkPlotObject> FMouseOverObject;
    bool FMouseDown = false;
    bool FMouseDownPopup = false;
    Cardinal FLookVersion = 0;
};

// A plot object held by a typed manager: its owner is mandatory.
class TkPlotManagerObject : public TkPlotObject {
    PL_CLASSINFO()
public:
    // Raises Exception("Owner must be assigned") without an owner.
    explicit TkPlotManagerObject(TkPlotObjectOwner* AOwner);
};

// A plot object that occupies a band along one side of the data view: row
// ZOrder counted outward from the data view, share StartPercent..StopPercent
// of the side. The layout engine writes its rectangles.
class TkPlotLayoutObject : public TkPlotManagerObject {
    PL_CLASSINFO()
public:
    using TkPlotManagerObject::TkPlotManagerObject;

    // Also reports a layout change (without DoChange).
    void DoInsert() override;
    // Inside DrawRect (left and top included, right and bottom excluded).
    bool kMouseHitTest(const TkPlotMouseData& MouseData) override;
    // The centre of DrawRect.
    bool GetPopupCentre(TPoint& Centre) const override;

    // --- published properties ---------------------------------------------------
    bool Horizontal() const { return FHorizontal; }
    void SetHorizontal(bool Value);
    Integer ZOrder() const { return FZOrder; }
    void SetZOrder(Integer Value);
    Double StartPercent() const { return FStartPercent; }
    // Clamped to 0..100, keeping StopPercent at least 1 above (the stop
    // moves silently); NaN counts as below 0.
    void SetStartPercent(Double Value);
    Double StopPercent() const { return FStopPercent; }
    // Clamped to 0..100, keeping StartPercent at least 1 below.
    void SetStopPercent(Double Value);
    // Both at once, unchecked (the layout viewer computes consistent values);
    // a value that is not finite leaves both unchanged.
    void SetStartStopPercent(Double AStart, Double AStop);
    bool ForceStacking() const { return FForceStacking; }
    void SetForceStacking(bool Value);

    // --- written by the layout manager and the layout engine ----------------------
    bool ReverseSide() const { return FReverseSide; }
    void SetReverseSide(bool Value);
    TRect DrawRect() const { return Rect(FLeft, FTop, FRight, FBottom); }
    void SetDrawRect(const TRect& Value);
    TRect LayoutRect() const { return Rect(FLayoutLeft, FLayoutTop, FLayoutRight, FLayoutBottom); }
    void SetLayoutRect(const TRect& Value);
    bool StartStacked() const { return FStartStacked; }
    void SetStartStacked(bool Value) { FStartStacked = Value; }
    bool StopStacked() const { return FStopStacked; }
    void SetStopStacked(bool Value) { FStopStacked = Value; }

    bool IsHorz() const { return GetIsHorz(); }
    bool IsVert() const { return GetIsVert(); }
    Integer Width() const { return FRight - FLeft; }
    Integer Height() const { return FBottom - FTop; }
    Integer LayoutWidth() const { return FLayoutRight - FLayoutLeft; }
    Integer LayoutHeight() const { return FLayoutBottom - FLayoutTop; }

    virtual bool GetIsHorz() const { return FHorizontal; }
    virtual bool GetIsVert() const { return !FHorizontal; }
    // Thickness across its side.
    virtual Integer GetRequiredSize(TCanvas* Canvas);
    // Room needed beyond its ends.
    virtual Integer GetRequiredEndMargin(TCanvas* Canvas);

    // ZOrder padded to 3 characters; StartPercent rounded (ties to even),
    // padded to 3 characters.
    String GetZOrderSortKey() const;
    String GetStartPercentSortKey() const;

private:
    Double FStopPercent = 100.0;
    Double FStartPercent = 0.0;
    Integer FZOrder = 0;
    bool FHorizontal = false;
    bool FReverseSide = false;
    Integer FBottom = 0;
    Integer FLeft = 0;
    Integer FTop = 0;
    Integer FRight = 0;
    bool FStartStacked = false;
    bool FStopStacked = false;
    Integer FLayoutBottom = 0;
    Integer FLayoutLeft = 0;
    Integer FLayoutTop = 0;
    Integer FLayoutRight = 0;
    bool FForceStacking = false;
};

// Object names compare ignoring case (Unicode simple case folding),
// everywhere names are looked up.
bool SameObjectName(std::string_view A, std::string_view B);

// The virtual constructor of class C, typed as its kind T.
template <class C, class T = C>
T* CreatePlotObject(TkPlotObjectOwner* AOwner)
{
    static_assert(std::is_base_of_v<T, C>);
    return Create<C>(AOwner);
}
