#pragma once
// The arrangement of a plot's layout objects (axes, legends, toolbars,
// labels, tables, data views) around the data view. Every layout object sits
// on a row (its ZOrder) and covers StartPercent..StopPercent of that row.
// The manager sorts the objects into four side lists, ordered by row and
// then by start; the plot's layout pass walks them, and the editor's layout
// viewer moves objects between rows through InsertZOrder and RemoveZOrder.
//
// Two placeholders, one per orientation, mark the data view's row: objects
// on a lower row lie on the bottom (horizontal) or left (vertical) side,
// those on a higher row on the top or right side.
//
// The manager lists the layout objects but owns only its placeholders.

#include "components/plot/objects/kPlotManagers.h"

// Where InsertZOrder puts an object: onto row Z beside the objects already
// there when it fits (else a new row Z), a new row Z below the existing row
// Z, or a new row Z + 1 above it.
enum TkInsertDirection { kidMerge, kidBelow, kidAbove };

// Marks the data view's row among the objects of one orientation.
class TkPlotDataViewLayout : public TkPlotLayoutObject {
    PL_CLASSINFO()
public:
    using TkPlotLayoutObject::TkPlotLayoutObject;
};

class TkPlotDataViewHorz : public TkPlotDataViewLayout {
    PL_CLASSINFO()
public:
    using TkPlotDataViewLayout::TkPlotDataViewLayout;
};

class TkPlotDataViewVert : public TkPlotDataViewLayout {
    PL_CLASSINFO()
public:
    using TkPlotDataViewLayout::TkPlotDataViewLayout;
};

// One side's objects, ordered by row, then by rounded start percent; among
// equal keys the object listed later in the manager comes first.
using TkPlotLayoutSideList = std::vector<TkPlotLayoutObject*>;

class TkPlotLayoutManager : public TkPlotObjectManagerCustom {
public:
    explicit TkPlotLayoutManager(TkPlotObjectOwner* AOwner);
    // Makes the two placeholders (row 1), which keep their rows; from then
    // on insertions and removals renumber rows.
    void AfterConstruction() override;
    // Frees the placeholders.
    void BeforeDestruction() override;

    String GetBaseName() const override { return "Layout Object"; }
    TkPlotLayoutObject* GetLayoutObject(Integer Index) const;
    // One of the two placeholders that mark the data view's row.
    bool IsPlaceholder(const TkPlotObject* AObject) const
    {
        return AObject && (AObject == FDataViewHorz || AObject == FDataViewVert);
    }

    // Lists a layout object. An X axis lies horizontally unless the axes are
    // exchanged, a Y axis the other way. While enabled, the object goes onto
    // row 0 beside what fits there, or onto a new row 0.
    void NotificationInsert(TkPlotObject* AObject) override;
    // The row, side or share of a listed object changed: the side lists are
    // made again.
    void NotificationLayoutChange(TkPlotObject* AObject);

    // Puts AObject on row Z (see TkInsertDirection); the rows of other
    // objects of its orientation move up to make room when needed.
    void InsertZOrder(TkPlotLayoutObject* AObject, Integer Z, TkInsertDirection Direction);
    // Closes AObject's row when no other object of its orientation shares
    // it: the rows above move down by one.
    void RemoveZOrder(TkPlotLayoutObject* AObject);
    // Sorts every layout object (but data views and placeholders) to its
    // side and tells it whether it lies beyond the data view. Only while
    // enabled; while updating, it only notes that a rebuild is due.
    void Rebuild();

    // The number of distinct rows in a side list.
    static Integer UniqueZOrderCount(const TkPlotLayoutSideList& List);
    // The number of visible objects in a side list.
    static Integer VisibleCount(const TkPlotLayoutSideList& List);

    bool Enabled() const { return FEnabled; }
    // Enabling rebuilds the side lists.
    void SetEnabled(bool Value);
    bool Updating() const { return FUpdating; }
    void SetUpdating(bool Value) { FUpdating = Value; }
    bool UpdateOccured() const { return FUpdateOccured; }
    void SetUpdateOccured(bool Value) { FUpdateOccured = Value; }
    bool XYAxesReverse() const { return FXYAxesReverse; }
    // Turns every axis to its new orientation (while enabled).
    void SetXYAxesReverse(bool Value);

    const TkPlotLayoutSideList& TopList() const { return FTopList; }
    const TkPlotLayoutSideList& BottomList() const { return FBottomList; }
    const TkPlotLayoutSideList& LeftList() const { return FLeftList; }
    const TkPlotLayoutSideList& RightList() const { return FRightList; }
    Integer TopUniqueCount() const { return UniqueZOrderCount(FTopList); }
    Integer BottomUniqueCount() const { return UniqueZOrderCount(FBottomList); }
    Integer LeftUniqueCount() const { return UniqueZOrderCount(FLeftList); }
    Integer RightUniqueCount() const { return UniqueZOrderCount(FRightList); }

    // The data view's row among horizontal and among vertical objects.
    TkPlotDataViewHorz* DataViewHorz() const { return FDataViewHorz; }
    TkPlotDataViewVert* DataViewVert() const { return FDataViewVert; }

protected:
    // Takes the object out of the side lists and, while enabled, closes its
    // row when it was alone there; then the side lists are made again.
    void DoObjectRemoved(TkPlotObject* AObject) override;

private:
    // The objects that share rows with AObject: the other layout objects of
    // its orientation, data views excluded, placeholders included.
    std::vector<TkPlotLayoutObject*> RowMates(const TkPlotLayoutObject* AObject) const;
    // An axis lies along the side its direction (X or Y) runs on.
    void OrientAxis(TkPlotLayoutObject* Axis);
    void ReverseAxes();
    void SortToSides();
    template <class T>
    T* CreatePlaceholder(bool Horizontal);

    bool FXYAxesReverse = false;
    TkPlotDataViewHorz* FDataViewHorz = nullptr;
    TkPlotDataViewVert* FDataViewVert = nullptr;
    bool FEnabled = false;
    bool FUpdating = false;
    bool FUpdateOccured = false;
    TkPlotLayoutSideList FTopList;
    TkPlotLayoutSideList FBottomList;
    TkPlotLayoutSideList FLeftList;
    TkPlotLayoutSideList FRightList;
};
