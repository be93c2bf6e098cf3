#include "components/editor/kEditorListBox.h"

#include "components/editor/kEditorForm.h"
#include "platform/Math.h"
#include "platform/Messages.h"

TClass TkComponentEditorListBox::StaticClassInfo()
{
    using C = TkComponentEditorListBox;
    static const TClassInfo info = TClassBuilder<C, TListBox>("TkComponentEditorListBox")
                                       .Event("OnGetData", &C::OnGetData, &C::OnGetData)
                                       .Event("OnItemMove", &C::OnItemMove, &C::OnItemMove)
                                       .Build();
    return &info;
}

TkComponentEditorListBox::TkComponentEditorListBox(TComponent* AOwner) : TListBox(AOwner)
{
    SetStyle(lbOwnerDrawFixed);
    SetDragMode(dmAutomatic);
    SetSorted(false);
}

// ---- Rows ----

void TkComponentEditorListBox::SelectLast() { SetItemIndex(Count() - 1); }

void TkComponentEditorListBox::DeleteRow(Integer Index)
{
    Items()->Delete(Index);
    SetItemIndex(::Min(Index, Count() - 1));
}

void TkComponentEditorListBox::DeleteSelectedObject()
{
    const Integer index = ItemIndex();
    if (index < 0) return;
    TObject* object = Items()->Objects(index);
    DeleteRow(index);
    FreeAndNil(object);
}

void TkComponentEditorListBox::DeleteObjectIndex(TObject* AObject)
{
    const Integer index = Items()->IndexOfObject(AObject);
    if (index >= 0) DeleteRow(index);
}

// ---- Drag and drop ----

Integer TkComponentEditorListBox::DropRow(Integer Y) const
{
    if (Count() == 0) return -1;
    // Floor division: a point above the list lands on the first row.
    const Integer position = TopIndex() * ItemHeight() + Y;
    const Integer row = position >= 0 ? position / ItemHeight() : -1;
    return EnsureRange(row, 0, Count() - 1);
}

void TkComponentEditorListBox::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)
{
    TListBox::DragOver(Source, X, Y, State, Accept);
    Accept = Source == this;
}

void TkComponentEditorListBox::DragDrop(TObject* Source, Integer X, Integer Y)
{
    TListBox::DragDrop(Source, X, Y);
    const Integer from = ItemIndex();
    const Integer to = DropRow(Y);
    if (Source != this || from < 0 || to < 0 || to == from) return;
    Items()->Move(from, to);
    SetItemIndex(to);
    if (OnItemMove) OnItemMove(this);
}

// ---- Drawing ----

void TkComponentEditorListBox::DrawItem(Integer Index, TRect Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    bool drawColorBox = true;
    TColor colour = clRed;
    String text = Items()->Strings(Index);
    if (OnGetData) OnGetData(this, Index, drawColorBox, colour, text);
    TCanvas* canvas = Canvas();
    const bool selected = State.Contains(odSelected);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(selected ? TColor(0x808000) : clWindow);
    canvas->FillRect(Rect);
    canvas->Font()->SetColor(selected ? clWhite : clBlack);
    canvas->TextOut(Rect.Left + (drawColorBox ? 22 : 2), Rect.Top, text);
    if (!drawColorBox) return;
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetColor(colour);
    canvas->Rectangle(Rect.Left + 2, Rect.Top + 1, Rect.Left + 18, Rect.Bottom - 1);
}

// ---- Keys ----

Integer TkComponentEditorListBox::WMGetDlgCode() { return TListBox::WMGetDlgCode() | DLGC_WANTTAB | DLGC_WANTALLKEYS; }

void TkComponentEditorListBox::KeyPress(Char& Key)
{
    TListBox::KeyPress(Key);
    kEditorTabKey(this, Key);
}

void kEditorListBoxInitialization() { RegisterClass(TkComponentEditorListBox::StaticClassInfo()); }
