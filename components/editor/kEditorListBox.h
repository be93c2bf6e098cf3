#pragma once
// The editor kit's list of objects: each row shows an optional colour
// swatch and a text that OnGetData may change, rows move by drag and drop
// within the list, and the selection stays on a valid row when objects are
// deleted.

#include "platform/ListBox.h"

using TkListBoxGetDataEvent =
    std::function<void(TObject* Sender, Integer Index, bool& DrawColorBox, TColor& AColor, String& AText)>;

class TkComponentEditorListBox : public TListBox {
    PL_CLASSINFO()
public:
    explicit TkComponentEditorListBox(TComponent* AOwner);

    // Chooses the last row (none when the list is empty).
    void SelectLast();
    // Deletes the selected row and frees its object; nothing without a
    // selection. The selection stays on the same row, or on the new last
    // row when the last one went.
    void DeleteSelectedObject();
    // Deletes the row holding AObject without freeing it; nothing when no
    // row holds it. The selection stays valid as above.
    void DeleteObjectIndex(TObject* AObject);
    // The row a drop at client height Y lands on, within the rows; -1 for
    // an empty list.
    Integer DropRow(Integer Y) const;

    TkListBoxGetDataEvent OnGetData;
    // A row was moved by drag and drop.
    TNotifyEvent OnItemMove;

    void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;
    void DragDrop(TObject* Source, Integer X, Integer Y) override;
    Integer WMGetDlgCode() override;
    void KeyPress(Char& Key) override;

protected:
    void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) override;

private:
    // Deletes row Index and selects the row now at its place, or the last.
    void DeleteRow(Integer Index);
};

void kEditorListBoxInitialization();
