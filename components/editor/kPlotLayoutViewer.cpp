#include "components/editor/kPlotLayoutViewer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/objects/kPlotTranslation.h"
#include "platform/Math.h"

namespace {

// The view keeps this margin inside the control.
constexpr Integer kViewMargin = 5;
// An end of a block this close to the mouse (in pixels) is taken for sizing.
constexpr Integer kSizingReach = 7;
// Sizing moves an end in steps of this many percent.
constexpr Extended kPercentStep = 1.25;
constexpr TColor kSelectedColor = 0x00FFFF;
constexpr TColor kBlockColor = 0xC0C0C0;

bool IsKind(const TkPlotObject* AObject, TkPlotObjectKind Kind) { return AObject && AObject->Kind() == Kind; }
bool IsAxis(const TkPlotObject* AObject) { return AObject && IsAxisKind(AObject->Kind()); }
bool IsDataView(const TkPlotObject* AObject) { return IsKind(AObject, kpokDataView); }
bool IsTextBlock(const TkPlotObject* AObject) { return IsKind(AObject, kpokLabel) || IsKind(AObject, kpokLegend); }
bool Sizable(const TkPlotObject* AObject)
{
    return IsAxis(AObject) || IsKind(AObject, kpokLabel) || IsKind(AObject, kpokLegend) ||
           IsKind(AObject, kpokTable);
}
// Objects that may share a row when dropped into the middle of one: axes
// with axes, labels and legends with labels.
bool Compatible(const TkPlotObject* Dragged, const TkPlotObject* Reference)
{
    if (IsAxis(Dragged) || IsAxis(Reference)) return IsAxis(Dragged) && IsAxis(Reference);
    return IsTextBlock(Dragged) && IsTextBlock(Reference) &&
           (IsKind(Dragged, kpokLabel) || IsKind(Reference, kpokLabel));
}

bool Contains(const TRect& R, Integer X, Integer Y) { return R.Left <= X && X < R.Right && R.Top <= Y && Y < R.Bottom; }

Integer RoundPixel(Extended Value) { return Integer(EnsureRange<Extended>(std::nearbyint(Value), -1e9, 1e9)); }

}  // namespace

TClass TkPlotLayoutViewer::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TkPlotLayoutViewer, TkCustomComponent>("TkPlotLayoutViewer")
            .Event("OnChange", &TkPlotLayoutViewer::OnChange, &TkPlotLayoutViewer::OnChange)
            .Build();
    return &info;
}

TkPlotLayoutViewer::TkPlotLayoutViewer(TComponent* AOwner) : TkCustomComponent(AOwner), FFont(CreateOwned<TFont>())
{
    FFont->SetName("Arial");
    FFont->SetSize(10);
}

TkPlotLayoutViewer::~TkPlotLayoutViewer() = default;

void TkPlotLayoutViewer::SetLayoutManager(TkPlotLayoutManager* Value)
{
    FLayoutManager = TWeakRef<TkPlotLayoutManager>(Value);
    Forget();
    Invalidate();
}

std::vector<TkPlotLayoutObject*> TkPlotLayoutViewer::LayoutObjects() const
{
    std::vector<TkPlotLayoutObject*> objects;
    if (const TkPlotLayoutManager* manager = LayoutManager())
        for (Integer i = 0; i < manager->Count(); ++i) objects.push_back(manager->GetLayoutObject(i));
    return objects;
}

// ===========================================================================
// The schematic
// ===========================================================================

void TkPlotLayoutViewer::BuildBlocks(TCanvas* Canvas)
{
    FViewRect = Rect(kViewMargin, kViewMargin, Width() - kViewMargin, Height() - kViewMargin);
    const TkPlotLayoutManager* manager = LayoutManager();
    if (!manager) {
        FObjectRects.clear();
        return;
    }
    Canvas->SetFont(FFont.get());
    FCellWidth = RoundPixel(Canvas->TextHeight("ABC") * 1.1L);
    const Int64 c = FCellWidth;
    FDataViewRect = Rect(Integer(FViewRect.Left + manager->LeftUniqueCount() * c),
                         Integer(FViewRect.Top + manager->TopUniqueCount() * c),
                         Integer(FViewRect.Right - manager->RightUniqueCount() * c),
                         Integer(FViewRect.Bottom - manager->BottomUniqueCount() * c));
    FDataViewWidth = FDataViewRect.Right - FDataViewRect.Left;
    FDataViewHeight = FDataViewRect.Bottom - FDataViewRect.Top;
    // The cell under a drag stays the same cell for the whole gesture.
    if (FDragOverRefBlock2 < 0)
        BuildCells(manager->LeftUniqueCount(), manager->RightUniqueCount(), manager->TopUniqueCount(),
                   manager->BottomUniqueCount());
    PlaceObjects();
}

void TkPlotLayoutViewer::BuildCells(Integer Left, Integer Right, Integer Top, Integer Bottom)
{
    FBlockList.clear();
    const Integer c = FCellWidth;
    const TRect& dv = FDataViewRect;
    for (Integer i = 0; i < Left; ++i)
        FBlockList.push_back({Rect(FViewRect.Left + i * c, dv.Top, FViewRect.Left + (i + 1) * c, dv.Bottom), i});
    FBlockList.push_back({dv, Left, false, true});
    for (Integer i = 0; i < Right; ++i)
        FBlockList.push_back({Rect(dv.Right + i * c, dv.Top, dv.Right + (i + 1) * c, dv.Bottom), Left + 1 + i});
    for (Integer i = 0; i < Top; ++i) {
        const TRect r = Rect(FViewRect.Left, FViewRect.Top + i * c, FViewRect.Right, FViewRect.Top + (i + 1) * c);
        FBlockList.push_back({r, Top + Bottom - i, true, false, i == 0});
    }
    FBlockList.push_back({dv, Bottom, true, true});
    for (Integer i = 0; i < Bottom; ++i) {
        const TRect r = Rect(FViewRect.Left, dv.Bottom + i * c, FViewRect.Right, dv.Bottom + (i + 1) * c);
        FBlockList.push_back({r, Bottom - 1 - i, true});
    }
}

// Rows count outward from the data view's placeholder of their orientation;
// percents run left to right and bottom to top.
void TkPlotLayoutViewer::PlaceObjects()
{
    FObjectRects.clear();
    const TkPlotLayoutManager* manager = LayoutManager();
    const Int64 c = FCellWidth;
    const TRect& dv = FDataViewRect;
    const Int64 verticalRow = manager->DataViewVert() ? manager->DataViewVert()->ZOrder() : 0;
    const Int64 horizontalRow = manager->DataViewHorz() ? manager->DataViewHorz()->ZOrder() : 0;
    const auto along = [](Integer Origin, Integer Length, Double Percent) {
        return RoundPixel(Extended(Length) * Percent / 100 + Origin);
    };
    for (TkPlotLayoutObject* object : LayoutObjects()) {
        TRect r = dv;
        const Int64 z = object->ZOrder();
        if (IsDataView(object) || manager->IsPlaceholder(object)) {
        } else if (!object->Horizontal()) {
            const Int64 d = verticalRow;
            const Int64 left = z <= d ? dv.Left - (d - z) * c : dv.Right + (z - d - 1) * c;
            r = Rect(Integer(EnsureRange<Int64>(left, Int64{INT32_MIN}, Int64{INT32_MAX} - c)), 0, 0, 0);
            r.Right = Integer(r.Left + c);
            r.Top = dv.Bottom - RoundPixel(Extended(FDataViewHeight) * object->StopPercent() / 100);
            r.Bottom = dv.Bottom - RoundPixel(Extended(FDataViewHeight) * object->StartPercent() / 100);
        } else {
            const Int64 d = horizontalRow;
            const Int64 top = z <= d ? dv.Bottom + (d - z - 1) * c : dv.Top - (z - d) * c;
            r.Top = Integer(EnsureRange<Int64>(top, Int64{INT32_MIN}, Int64{INT32_MAX} - c));
            r.Bottom = Integer(r.Top + c);
            const bool axis = IsAxis(object);
            const Integer origin = axis ? dv.Left : FViewRect.Left;
            const Integer length = axis ? FDataViewWidth : FViewRect.Right - FViewRect.Left;
            r.Left = along(origin, length, object->StartPercent());
            r.Right = along(origin, length, object->StopPercent());
        }
        FObjectRects[object] = r;
    }
}

TRect TkPlotLayoutViewer::BlockRect(const TkPlotLayoutObject* AObject) const
{
    const auto found = FObjectRects.find(AObject);
    return found == FObjectRects.end() ? Rect(0, 0, 0, 0) : found->second;
}

void TkPlotLayoutViewer::kPaintTo(TCanvas* Canvas)
{
    BuildBlocks(Canvas);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBlue);
    Canvas->Pen()->SetColor(clBlue);
    Canvas->FillRect(Rect(0, 0, Width(), Height()));
    Canvas->Brush()->SetColor(clWhite);
    Canvas->FillRect(FViewRect);
    if (LayoutManager()) DrawBlocks(Canvas);
}

// Neither placeholder is drawn: both stand for the white data view.
void TkPlotLayoutViewer::DrawBlocks(TCanvas* Canvas)
{
    const TkPlotLayoutManager* manager = LayoutManager();
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetStyle(psClear);
    Canvas->SetFont(FFont.get());
    for (TkPlotLayoutObject* object : LayoutObjects()) {
        if (IsDataView(object) || manager->IsPlaceholder(object)) continue;
        const TRect r = BlockRect(object);
        TBrush* brush = Canvas->Brush();
        const TColor color = object == FSelectedBlock.Get() ? kSelectedColor : kBlockColor;
        brush->SetColor(color);
        brush->SetStyle(object->Visible() ? bsSolid : bsDiagCross);
        Canvas->Rectangle(r);
        String name = object->Name();
        if (FTranslationManager) FTranslationManager->FindReplacement(object->Name(), name);
        brush->SetStyle(bsClear);
        TRect textRect;
        DrawRotatedText(Canvas, name, r, object->Horizontal() ? kra000 : kra090, kahCenter, true, color, textRect);
    }
    DrawDropMarker(Canvas);
}

void TkPlotLayoutViewer::DrawDropMarker(TCanvas* Canvas)
{
    TRect marker;
    if (TkPlotLayoutObject* over = FOverLayoutObject.Get())
        marker = BlockRect(over);
    else if (FDragOverRefBlock2 >= 0)
        marker = DropMarkerRect(FBlockList[std::size_t(FDragOverRefBlock2)]);
    else
        return;
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetWidth(2);
    Canvas->Rectangle(marker);
    Canvas->Pen()->SetWidth(1);
}

// The cell moved toward the side the drop goes to; on the data view a band
// one cell thick at that side.
TRect TkPlotLayoutViewer::DropMarkerRect(const TBlockObject& Cell) const
{
    const Integer c = FCellWidth;
    TRect r = Cell.ARect;
    const Integer shift = FInsertDirection == kidBelow ? c / 2 : (FInsertDirection == kidAbove ? -(c / 2 - 1) : 0);
    if (Cell.Horizontal) {
        r.Top += shift;
        r.Bottom += shift;
    } else {
        const Integer across = FInsertDirection == kidBelow ? -(c / 2) : (FInsertDirection == kidAbove ? c / 2 + 1 : 0);
        r.Left += across;
        r.Right += across;
    }
    if (!Cell.DataView) return r;
    if (Cell.Horizontal) {
        if (FInsertDirection == kidBelow) r.Top = r.Bottom - c;
        if (FInsertDirection == kidAbove) r.Bottom = r.Top + c;
        r.Left = FViewRect.Left;
        r.Right = FViewRect.Right;
    } else {
        if (FInsertDirection == kidBelow) r.Right = r.Left + c;
        if (FInsertDirection == kidAbove) r.Left = r.Right - c;
    }
    return r;
}

// ===========================================================================
// Hit tests
// ===========================================================================

TkPlotLayoutObject* TkPlotLayoutViewer::GetMouseOverBlock(Integer X, Integer Y) const
{
    const TkPlotLayoutManager* manager = LayoutManager();
    for (TkPlotLayoutObject* object : LayoutObjects())
        if (!manager->IsPlaceholder(object) && Contains(BlockRect(object), X, Y)) return object;
    return nullptr;
}

// The toolbar's row is only hit in its lower half, the data view only in
// the strips along its edges where a new row would go.
const TBlockObject* TkPlotLayoutViewer::GetMouseOverBlock2(Integer X, Integer Y) const
{
    const Integer c = FCellWidth;
    for (const TBlockObject& cell : FBlockList) {
        const TRect& r = cell.ARect;
        if (cell.ToolBar && Y < (r.Top + r.Bottom) / 2) continue;
        if (cell.DataView) {
            const bool strip = cell.Horizontal ? (Y >= r.Bottom - c || Y < r.Top + c) : (X < r.Left + c || X >= r.Right - c);
            if (!strip) continue;
        }
        if (Contains(r, X, Y)) return &cell;
    }
    return nullptr;
}

// ===========================================================================
// Gestures
// ===========================================================================

void TkPlotLayoutViewer::kMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TkCustomComponent::kMouseDown(Button, Shift, X, Y);
    TkPlotLayoutObject* object = GetMouseOverBlock(X, Y);
    if (!object || IsDataView(object) || IsKind(object, kpokToolBar)) return;
    FSelectedBlock = TWeakRef<TkPlotLayoutObject>(object);
    FMouseDown = true;
    FMouseDownX = X;
    FMouseDownY = Y;
    if (!Shift.Contains(ssLeft)) FInsertDirection = kidMerge;
    // Only the end the hover found on this very block is sized.
    if (FResizeBlock.Get() == object) {
        FEditMode = klemSize;
        FMouseDownStartPercent = object->StartPercent();
        FMouseDownStopPercent = object->StopPercent();
    } else {
        FEditMode = klemDrag;
    }
    Invalidate();
}

void TkPlotLayoutViewer::kMouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TkCustomComponent::kMouseMove(Shift, X, Y);
    SetCursor(crDefault);
    if (FEditMode == klemDrag && !Shift.Contains(ssLeft)) return;
    FOverLayoutObject = {};
    FDragOverRefBlock2 = -1;
    switch (FEditMode) {
        case klemNone: Hover(X, Y); break;
        case klemDrag: DragOver(X, Y); break;
        case klemSize: SizeTo(X, Y); break;
    }
    Invalidate();
}

void TkPlotLayoutViewer::Hover(Integer X, Integer Y)
{
    FResizeBlock = {};
    TkPlotLayoutObject* object = GetMouseOverBlock(X, Y);
    if (!Sizable(object)) return;
    const TRect r = BlockRect(object);
    const bool horizontal = object->Horizontal();
    const Integer position = horizontal ? X : Y;
    const Integer start = horizontal ? r.Left : r.Bottom;
    const Integer stop = horizontal ? r.Right : r.Top;
    if (std::abs(position - start) < kSizingReach)
        FSizingSide = klssStart;
    else if (std::abs(position - stop) < kSizingReach)
        FSizingSide = klssStop;
    else
        return;
    FResizeBlock = TWeakRef<TkPlotLayoutObject>(object);
    SetCursor(horizontal ? crSizeWE : crSizeNS);
}

void TkPlotLayoutViewer::DragOver(Integer X, Integer Y)
{
    TkPlotLayoutObject* dragged = FSelectedBlock.Get();
    if (!dragged) return;
    TkPlotLayoutObject* over = GetMouseOverBlock(X, Y);
    if (over && over != dragged && !IsDataView(over) && over->Horizontal() == dragged->Horizontal() &&
        over->ZOrder() == dragged->ZOrder())
        FOverLayoutObject = TWeakRef<TkPlotLayoutObject>(over);
    const TBlockObject* cell = GetMouseOverBlock2(X, Y);
    if (!cell) return;
    const bool turning = cell->Horizontal != dragged->Horizontal();
    if (turning && IsAxis(dragged)) return;
    // A cell no other object lines up with (the dragged object's own row
    // when it is alone there, a row numbered past a gap) keeps the last
    // direction; the other orientation takes an object only beside another.
    const TkPlotLayoutObject* reference = ReferenceObject(*cell);
    if (reference ? !ChooseDirection(*cell, reference, X, Y) : turning) return;
    FDragOverRefBlock2 = Integer(cell - FBlockList.data());
}

TkPlotLayoutObject* TkPlotLayoutViewer::ReferenceObject(const TBlockObject& Cell) const
{
    const TkPlotLayoutObject* dragged = FSelectedBlock.Get();
    for (TkPlotLayoutObject* object : LayoutObjects()) {
        if (object == dragged || IsDataView(object)) continue;
        if (object->Horizontal() == Cell.Horizontal && object->ZOrder() == Cell.ZOrder) return object;
    }
    return nullptr;
}

// Thirds of the cell for objects that may share a row (outer thirds a new
// row, the middle a merge), halves for the others; on the toolbar's row
// only a new row below it.
bool TkPlotLayoutViewer::ChooseDirection(const TBlockObject& Cell, const TkPlotLayoutObject* Reference, Integer X,
                                         Integer Y)
{
    const TRect& r = Cell.ARect;
    const Integer h = r.Bottom - r.Top;
    const Integer w = r.Right - r.Left;
    if (Compatible(FSelectedBlock.Get(), Reference)) {
        if (Cell.ToolBar) {
            if (Y <= r.Top + 2 * h / 3) return false;
            FInsertDirection = kidBelow;
        } else if (Cell.Horizontal) {
            FInsertDirection = Y > r.Top + 2 * h / 3 ? kidBelow : (Y <= r.Top + h / 3 ? kidAbove : kidMerge);
        } else {
            FInsertDirection = X < r.Left + w / 3 ? kidBelow : (X >= r.Left + 2 * w / 3 ? kidAbove : kidMerge);
        }
    } else if (Cell.ToolBar) {
        FInsertDirection = kidBelow;
    } else if (Cell.Horizontal) {
        FInsertDirection = Y <= r.Top + h / 2 ? kidAbove : kidBelow;
    } else {
        FInsertDirection = X >= r.Left + w / 2 ? kidAbove : kidBelow;
    }
    return true;
}

// The end follows the mouse in steps of 1.25 % of the data view.
void TkPlotLayoutViewer::SizeTo(Integer X, Integer Y)
{
    TkPlotLayoutObject* object = FResizeBlock.Get();
    if (!object) return;
    const bool horizontal = object->Horizontal();
    const Integer length = horizontal ? FDataViewWidth : FDataViewHeight;
    if (length <= 0) return;
    const Integer moved = horizontal ? X - FMouseDownX : FMouseDownY - Y;
    const Extended delta = std::nearbyint(Extended(moved) / length * 100 / kPercentStep) * kPercentStep;
    if (FSizingSide == klssStart)
        object->SetStartPercent(Double(FMouseDownStartPercent + delta));
    else
        object->SetStopPercent(Double(FMouseDownStopPercent + delta));
}

void TkPlotLayoutViewer::kMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TkCustomComponent::kMouseUp(Button, Shift, X, Y);
    FMouseDown = false;
    const bool changed = (FEditMode == klemDrag && Drop()) || (FEditMode == klemSize && FResizeBlock.Get());
    Forget();
    SetCursor(crDefault);
    if (changed) Changed();
    Invalidate();
}

bool TkPlotLayoutViewer::Drop()
{
    TkPlotLayoutObject* dragged = FSelectedBlock.Get();
    TkPlotLayoutManager* manager = LayoutManager();
    if (!dragged || !manager || FDragOverRefBlock2 < 0) return false;
    const TBlockObject cell = FBlockList[std::size_t(FDragOverRefBlock2)];
    if (TkPlotLayoutObject* over = FOverLayoutObject.Get()) {
        const Double start = dragged->StartPercent();
        const Double stop = dragged->StopPercent();
        dragged->SetStartStopPercent(over->StartPercent(), over->StopPercent());
        over->SetStartStopPercent(start, stop);
        return true;
    }
    TkPlotLayoutObject* reference = ReferenceObject(cell);
    if (cell.Horizontal != dragged->Horizontal()) {
        if (!reference) return false;
        manager->RemoveZOrder(dragged);
        dragged->SetHorizontal(cell.Horizontal);
        manager->InsertZOrder(dragged, reference->ZOrder(), FInsertDirection);
    } else if (FInsertDirection == kidMerge) {
        MergeIntoRow(dragged, cell, reference);
    } else {
        InsertAsRow(dragged, reference, FInsertDirection);
    }
    return true;
}

// The reference's row is read after the dragged object left its own: closing
// that row renumbers the rows beyond it. Without a reference the object
// stays in its row and only takes the whole length.
void TkPlotLayoutViewer::InsertAsRow(TkPlotLayoutObject* Dragged, TkPlotLayoutObject* Reference,
                                     TkInsertDirection Direction)
{
    if (Reference) {
        TkPlotLayoutManager* manager = LayoutManager();
        manager->RemoveZOrder(Dragged);
        manager->InsertZOrder(Dragged, Reference->ZOrder(), Direction);
    }
    Dragged->SetStopPercent(100);
    Dragged->SetStartPercent(0);
}

void TkPlotLayoutViewer::MergeIntoRow(TkPlotLayoutObject* Dragged, const TBlockObject& Cell,
                                      TkPlotLayoutObject* Reference)
{
    TkPlotLayoutManager* manager = LayoutManager();
    std::vector<TkPlotLayoutObject*> row;
    for (TkPlotLayoutObject* object : LayoutObjects()) {
        if (object == Dragged || IsDataView(object) || manager->IsPlaceholder(object)) continue;
        if (object->Horizontal() == Cell.Horizontal && object->ZOrder() == Cell.ZOrder) row.push_back(object);
    }
    row.push_back(Dragged);
    const Extended share = 100.0L / Extended(row.size());
    for (std::size_t i = 0; i < row.size(); ++i) {
        row[i]->SetStopPercent(Double(Extended(i) * share + share));
        row[i]->SetStartPercent(Double(Extended(i) * share));
    }
    if (!Reference) return;
    manager->RemoveZOrder(Dragged);
    manager->InsertZOrder(Dragged, Reference->ZOrder(), kidMerge);
}

// The objects the gesture held may be gone by the next one.
void TkPlotLayoutViewer::CMMouseLeave()
{
    TkCustomComponent::CMMouseLeave();
    if (!FMouseDown) FResizeBlock = {};
}

void TkPlotLayoutViewer::Forget()
{
    FEditMode = klemNone;
    FOverLayoutObject = {};
    FDragOverRefBlock2 = -1;
    FSelectedBlock = {};
    FResizeBlock = {};
}

// The plot lays its objects out again from the rows and percents written.
void TkPlotLayoutViewer::Changed()
{
    if (TkPlotLayoutManager* manager = LayoutManager()) manager->Rebuild();
    if (OnChange) OnChange(this);
}
