#pragma once
// The library's own radio group: a transparent, owner-drawn etched frame
// with a caption and its items in columns, each with a radio circle. The
// items fill the first column top to bottom, then the next. A press and
// release on the same item, or an arrow key, selects.

#include "components/foundation/kPressControl.h"
#include "platform/Classes.h"

class TkRadioGroup : public TkPressControl {
    PL_CLASSINFO()
public:
    explicit TkRadioGroup(TComponent* AOwner);

    // ---- Selection ----
    // -1 when no item is selected.
    Integer ItemIndex() const { return FItemIndex; }
    // Clamps into -1 .. Items.Count - 1; a change repaints and reports.
    void SetItemIndex(Integer Value);
    // A change of the list clamps ItemIndex without change events.
    TStrings* Items() const;
    void SetItems(TStrings* Value);

    // ---- Appearance ----
    // The group's own caption, apart from the window text.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    Integer Columns() const { return FColumns; }
    // Values below 1 are ignored.
    void SetColumns(Integer Value);

    // ---- Item geometry, as laid out by the last paint ----
    Integer MaxRows() const { return FMaxRows; }
    Integer ItemsRowStart() const { return FItemsRowStart; }
    Double ItemsRowSpacing() const { return FItemsRowSpacing; }
    Integer ItemsColStart() const { return FItemsColStart; }
    Double ItemsColSpacing() const { return FItemsColSpacing; }
    // The point of item Index: its circle's left and its vertical centre.
    TPoint ItemPoint(Integer Index) const;
    // The item drawn at (X, Y); -1 for none.
    Integer ItemAt(Integer X, Integer Y) const;
    // The width item Index's text has before the gap that keeps it clear of
    // the next column's circles, or of the frame (0 for no such item).
    Integer ItemTextRoom(Integer Index) const;
    // The width the caption has on the frame's top edge.
    Integer CaptionRoom() const;

    // ---- Drawing ----
    void kPaintTo(TCanvas* Canvas) override;

protected:
    void Loaded() override;

    // Selects the item pressed and released on: the only change for which
    // OnChangeUser fires, as arrow keys select in code.
    void ClickedByUser() override;
    // Only over the item the press began on.
    bool ReleaseClicks(Integer X, Integer Y) const override;
    void MousePressed(Integer X, Integer Y) override;

    void kWantSpecialKey(Word& CharCode, Integer& Result) override;
    void kKeyDown(Word& Key, TShiftState Shift) override;
    void kMouseMove(TShiftState Shift, Integer X, Integer Y) override;

private:
    void ItemsChanged(TObject* Sender);
    void ClampItemIndex();
    bool ValidItem(Integer Index) const;
    // The item after (Step 1) or before (Step -1) the selection, wrapping
    // round; none stays none going back.
    Integer NeighbourItem(Integer Step) const;
    bool ItemPressed(Integer Index) const;
    bool ItemShowsFocus(Integer Index) const;

    void Layout(TCanvas* Canvas, Integer TextHeight);
    // The column of the last item.
    Integer LastColumn() const;
    void DrawFrameAndCaption(TCanvas* Canvas, Integer TextHeight);
    void DrawItem(TCanvas* Canvas, Integer Index);
    void DrawRing(TCanvas* Canvas, TPoint At);

    // The item under the pressed mouse, or the one last selected.
    Integer FMouseDownIndex = -1;
    Integer FItemsRowStart = 0;
    Double FItemsRowSpacing = 0;
    Integer FItemsColStart = 0;
    Double FItemsColSpacing = 0;
    Integer FMaxRows = 0;
    String FCaption = "Radio Group";
    TOwned<TFont> FFont;
    TOwned<TStringList> FItems;
    Integer FItemIndex = -1;
    Integer FColumns = 1;
};

// Registers the radio group's class for form data.
void kRadioGroupInitialization();
