#include "components/plot/layout/kPlotLayoutManager.h"

#include <algorithm>
#include <utility>

#include "platform/Math.h"

namespace {

// Side lists sort on the numbers themselves rather than on zero-padded
// text, so rows beyond 999 and below 0 keep their order too.
std::pair<Int64, Int64> SortKey(const TkPlotLayoutObject* AObject)
{
    // Start percents are finite; the clamp only keeps Round in range for
    // values the unchecked SetStartStopPercent let through.
    return {AObject->ZOrder(), Round(EnsureRange<Double>(AObject->StartPercent(), -1e9, 1e9))};
}

// Sorts List by Key. The list holds the objects in reverse manager order, so
// among equal keys an object listed later in the manager comes first.
template <class K>
void SortBy(std::vector<TkPlotLayoutObject*>& List, K Key)
{
    std::stable_sort(List.begin(), List.end(),
                     [&](const TkPlotLayoutObject* A, const TkPlotLayoutObject* B) { return Key(A) < Key(B); });
}

bool Overlaps(const TkPlotLayoutObject& A, const TkPlotLayoutObject& B)
{
    const bool sameRange = A.StartPercent() == B.StartPercent() && A.StopPercent() == B.StopPercent();
    return sameRange || (A.StartPercent() < B.StopPercent() && B.StartPercent() < A.StopPercent());
}

bool IsAxis(const TkPlotObject* AObject) { return IsAxisKind(AObject->Kind()); }
bool IsDataView(const TkPlotObject* AObject) { return AObject->Kind() == kpokDataView; }

// Row arithmetic saturates: a row read from a file may sit at the limit.
Integer RowAbove(Integer Row) { return SatInt32(Int64{Row} + 1); }
Integer RowBelow(Integer Row) { return SatInt32(Int64{Row} - 1); }

void EraseFrom(TkPlotLayoutSideList& List, const TkPlotObject* AObject)
{
    std::erase(List, AObject);
}

}  // namespace

#define PLOT_LAYOUT_PLACEHOLDER_CLASSINFO(C, Base)                          \
    TClass C::StaticClassInfo()                                             \
    {                                                                       \
        static const TClassInfo info = TClassBuilder<C, Base>(#C).Build(); \
        return &info;                                                       \
    }
PLOT_LAYOUT_PLACEHOLDER_CLASSINFO(TkPlotDataViewLayout, TkPlotLayoutObject)
PLOT_LAYOUT_PLACEHOLDER_CLASSINFO(TkPlotDataViewHorz, TkPlotDataViewLayout)
PLOT_LAYOUT_PLACEHOLDER_CLASSINFO(TkPlotDataViewVert, TkPlotDataViewLayout)
#undef PLOT_LAYOUT_PLACEHOLDER_CLASSINFO

// ===========================================================================
// Life cycle
// ===========================================================================

TkPlotLayoutManager::TkPlotLayoutManager(TkPlotObjectOwner* AOwner) : TkPlotObjectManagerCustom(AOwner) {}

void TkPlotLayoutManager::AfterConstruction()
{
    TkPlotObjectManagerCustom::AfterConstruction();
    FDataViewHorz = CreatePlaceholder<TkPlotDataViewHorz>(true);
    FDataViewVert = CreatePlaceholder<TkPlotDataViewVert>(false);
    FEnabled = true;
}

template <class T>
T* TkPlotLayoutManager::CreatePlaceholder(bool Horizontal)
{
    T* placeholder = Create<T>(Owner());
    placeholder->SetName("Data View");
    placeholder->SetHorizontal(Horizontal);
    placeholder->SetZOrder(1);
    // The insert report reaches the plot's other managers; this manager
    // lists the placeholder itself, as its owner may not know it yet.
    placeholder->DoInsert();
    NotificationInsert(placeholder);
    return placeholder;
}

void TkPlotLayoutManager::BeforeDestruction()
{
    FEnabled = false;
    for (TkPlotLayoutObject* placeholder : {static_cast<TkPlotLayoutObject*>(FDataViewHorz),
                                            static_cast<TkPlotLayoutObject*>(FDataViewVert)}) {
        if (!placeholder) continue;
        // Its report may have been switched off (ShutDownSetup): unlist it here.
        placeholder->Free();
        RemoveFromList(placeholder);
    }
    FDataViewHorz = nullptr;
    FDataViewVert = nullptr;
    TkPlotObjectManagerCustom::BeforeDestruction();
}

TkPlotLayoutObject* TkPlotLayoutManager::GetLayoutObject(Integer Index) const
{
    return static_cast<TkPlotLayoutObject*>(GetItem(Index));
}

// ===========================================================================
// Insertion and removal
// ===========================================================================

void TkPlotLayoutManager::NotificationInsert(TkPlotObject* AObject)
{
    auto* object = dynamic_cast<TkPlotLayoutObject*>(AObject);
    if (!object) return;
    InsertObject(object);
    if (IsAxis(object)) OrientAxis(object);
    if (FEnabled) InsertZOrder(object, 0, kidMerge);
}

// Every layout object, placeholders and tables included: a change of row or
// orientation from code must reach the side lists.
void TkPlotLayoutManager::NotificationLayoutChange(TkPlotObject* AObject)
{
    if (Lists(AObject)) Rebuild();
}

void TkPlotLayoutManager::DoObjectRemoved(TkPlotObject* AObject)
{
    for (TkPlotLayoutSideList* list : {&FTopList, &FBottomList, &FLeftList, &FRightList}) EraseFrom(*list, AObject);
    if (auto* object = dynamic_cast<TkPlotLayoutObject*>(AObject); object && FEnabled) RemoveZOrder(object);
    Rebuild();
}

void TkPlotLayoutManager::OrientAxis(TkPlotLayoutObject* Axis)
{
    Axis->SetHorizontal((Axis->Kind() == kpokXAxis) != FXYAxesReverse);
}

std::vector<TkPlotLayoutObject*> TkPlotLayoutManager::RowMates(const TkPlotLayoutObject* AObject) const
{
    std::vector<TkPlotLayoutObject*> mates;
    for (Integer i = 0; i < Count(); ++i) {
        TkPlotLayoutObject* other = GetLayoutObject(i);
        if (other != AObject && other->Horizontal() == AObject->Horizontal() && !IsDataView(other))
            mates.push_back(other);
    }
    return mates;
}

void TkPlotLayoutManager::InsertZOrder(TkPlotLayoutObject* AObject, Integer Z, TkInsertDirection Direction)
{
    const std::vector<TkPlotLayoutObject*> mates = RowMates(AObject);
    const bool fits = Direction == kidMerge && std::none_of(mates.begin(), mates.end(), [&](const auto* other) {
                          return other->ZOrder() == Z && Overlaps(*other, *AObject);
                      });
    // An object that does not fit always has a neighbour on row Z to make
    // room from.
    if (!fits) {
        for (TkPlotLayoutObject* other : mates)
            if (Direction == kidAbove ? other->ZOrder() > Z : other->ZOrder() >= Z)
                other->SetZOrder(RowAbove(other->ZOrder()));
        if (Direction == kidAbove) Z = RowAbove(Z);
    }
    AObject->SetZOrder(Z);
    Rebuild();
}

void TkPlotLayoutManager::RemoveZOrder(TkPlotLayoutObject* AObject)
{
    const std::vector<TkPlotLayoutObject*> mates = RowMates(AObject);
    const Integer row = AObject->ZOrder();
    const bool shared =
        std::any_of(mates.begin(), mates.end(), [row](const auto* other) { return other->ZOrder() == row; });
    if (!shared)
        for (TkPlotLayoutObject* other : mates)
            if (other->ZOrder() > row) other->SetZOrder(RowBelow(other->ZOrder()));
    Rebuild();
}

// ===========================================================================
// Side lists
// ===========================================================================

void TkPlotLayoutManager::Rebuild()
{
    if (!FEnabled) return;
    if (FUpdating) {
        FUpdateOccured = true;
        return;
    }
    SortToSides();
}

void TkPlotLayoutManager::SortToSides()
{
    for (TkPlotLayoutSideList* list : {&FTopList, &FBottomList, &FLeftList, &FRightList}) list->clear();
    for (Integer i = Count() - 1; i >= 0; --i) {
        TkPlotLayoutObject* object = GetLayoutObject(i);
        if (IsDataView(object) || IsPlaceholder(object)) continue;
        const TkPlotLayoutObject* dataView = object->Horizontal() ? static_cast<TkPlotLayoutObject*>(FDataViewHorz)
                                                                  : static_cast<TkPlotLayoutObject*>(FDataViewVert);
        const bool beyond = dataView->ZOrder() < object->ZOrder();
        if (object->Horizontal())
            (beyond ? FTopList : FBottomList).push_back(object);
        else
            (beyond ? FRightList : FLeftList).push_back(object);
    }
    for (TkPlotLayoutSideList* list : {&FTopList, &FBottomList, &FLeftList, &FRightList}) SortBy(*list, SortKey);
    // Telling the objects comes last: their change reports may lead to a
    // paint, which reads the lists.
    for (TkPlotLayoutSideList* list : {&FTopList, &FBottomList, &FLeftList, &FRightList}) {
        const bool beyond = list == &FTopList || list == &FRightList;
        for (TkPlotLayoutObject* object : TkPlotLayoutSideList(*list)) object->SetReverseSide(beyond);
    }
}

Integer TkPlotLayoutManager::UniqueZOrderCount(const TkPlotLayoutSideList& List)
{
    if (List.empty()) return 0;
    Integer count = 1;
    Integer highest = List.front()->ZOrder();
    for (const TkPlotLayoutObject* object : List) {
        if (object->ZOrder() <= highest) continue;
        highest = object->ZOrder();
        ++count;
    }
    return count;
}

Integer TkPlotLayoutManager::VisibleCount(const TkPlotLayoutSideList& List)
{
    return static_cast<Integer>(
        std::count_if(List.begin(), List.end(), [](const TkPlotLayoutObject* object) { return object->Visible(); }));
}

// ===========================================================================
// Settings
// ===========================================================================

void TkPlotLayoutManager::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    FEnabled = Value;
    if (FEnabled) Rebuild();
}

void TkPlotLayoutManager::SetXYAxesReverse(bool Value)
{
    if (Value == FXYAxesReverse) return;
    FXYAxesReverse = Value;
    if (FEnabled) ReverseAxes();
}

void TkPlotLayoutManager::ReverseAxes()
{
    std::vector<TkPlotLayoutObject*> axes;
    for (Integer i = Count() - 1; i >= 0; --i)
        if (IsAxis(GetLayoutObject(i))) axes.push_back(GetLayoutObject(i));
    // The rows are compared as plain decimal text ("10" before "2"); the
    // order in which the axes move decides where each one lands.
    SortBy(axes, [](const TkPlotLayoutObject* axis) { return IntToStr(axis->ZOrder()); });
    for (TkPlotLayoutObject* axis : axes) {
        RemoveZOrder(axis);
        OrientAxis(axis);
        InsertZOrder(axis, 0, kidMerge);
    }
}
