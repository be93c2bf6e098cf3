#pragma once
// The list box, painted by the layer: rows of ItemHeight pixels from
// TopIndex down, each drawn by OnDrawItem in the owner-drawn styles or as
// its text otherwise.
//
// A user's choice of row fires OnClick; ItemIndex set from code fires
// nothing. Rows that do not all show scroll: a vertical scroll bar at the
// right, the wheel, and the page keys. With DragMode dmAutomatic a row pressed and moved more than
// 5 pixels drags; the list box is the only drop target it knows, so a drag
// asks its own DragOver and, when accepted, ends in its own DragDrop.

#include "platform/Controls.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

PL_ENUM_NAMES(TListBoxStyle, "lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable")

using TDrawItemEvent =
    std::function<void(TWinControl* Control, Integer Index, TRect Rect, TOwnerDrawState State)>;

class TCustomListBox : public TCustomControl {
    PL_CLASSINFO()
public:
    explicit TCustomListBox(TComponent* AOwner);

    // Changing the items keeps ItemIndex within them.
    TStrings* Items() const;
    void SetItems(TStrings* Value);
    Integer Count() const;
    // -1 when no row is chosen; values outside the rows choose none.
    Integer ItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Value);
    // The first row shown; kept within the rows.
    Integer TopIndex() const { return FTopIndex; }
    void SetTopIndex(Integer Value);
    // At least 1.
    Integer ItemHeight() const { return FItemHeight; }
    void SetItemHeight(Integer Value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    bool Sorted() const;
    void SetSorted(bool Value);
    // The row at a client point; -1 outside the rows.
    Integer ItemAtPos(TPoint Pos, bool Existing) const;
    TRect ItemRect(Integer Index) const;
    // True while a row is dragged.
    bool Dragging() const { return FDragging; }
    void Clear();

    TDrawItemEvent OnDrawItem;

    // A drag over this control: OnDragOver decides; without it the drag is
    // refused.
    virtual void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, Integer X, Integer Y);

    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
    Integer WMGetDlgCode() override;
    // Leaving the list ends a drag without a drop.
    void CMMouseLeave() override;
    void WMSetFocus(TWinControl* FocusedFrom) override;
    void WMKillFocus(TWinControl* FocusedTo) override;

protected:
    void CreateWnd() override;
    void Resize() override;
    void Paint() override;
    // Draws one row: OnDrawItem in the owner-drawn styles, else the text.
    virtual void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State);

private:
    void ItemsChanged(TObject* Sender);
    // The user chose Index: it becomes the selection and OnClick fires.
    void UserSelect(Integer Index);
    Integer VisibleRows() const;
    // The last top row that still fills the list.
    Integer LastTopIndex() const;
    // The scroll bar follows the rows; the width it takes from them.
    void SyncScrollBar();
    Integer ScrollBarWidth() const;
    void EndDrag() noexcept;

    TOwned<TStringList> FItems;
    Integer FItemIndex = -1;
    Integer FTopIndex = 0;
    Integer FItemHeight = 13;
    TListBoxStyle FStyle = lbStandard;
    TDragMode FDragMode = dmManual;
    bool FMouseDown = false;
    bool FDragging = false;
    TPoint FMouseDownPos{};
};

class TListBox : public TCustomListBox {
    PL_CLASSINFO()
public:
    using TCustomListBox::TCustomListBox;
};

// A captioned etched frame that holds controls.
class TGroupBox : public TCustomControl {
    PL_CLASSINFO()
public:
    explicit TGroupBox(TComponent* AOwner);
    void AdjustClientRect(TRect& Rect) const override;
    void CMTextChanged() override;

protected:
    void Paint() override;
};
