#include "platform/ListBox.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <cstdlib>

#include "ControlHost.h"
#include "Guard.h"
#include "Publish.h"
#include "platform/Forms.h"
#include "platform/Math.h"
#include "platform/Messages.h"
#include "platform/SysApi.h"

namespace {

// How far a pressed row moves before it drags, so that a plain click with
// a shaky hand still only selects.
constexpr Integer DragThreshold = 5;

QScrollBar* ScrollBarOf(const TControl* List)
{
    QWidget* widget = List->Host().Widget.data();
    return widget ? widget->findChild<QScrollBar*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// TCustomListBox
// ---------------------------------------------------------------------------

TClass TCustomListBox::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomListBox, TCustomControl>("TCustomListBox").Build();
    return &info;
}

TClass TListBox::StaticClassInfo()
{
    using C = TListBox;
    static const TClassInfo info = [] {
        TClassBuilder<C, TCustomListBox> b("TListBox");
        pl::PublishAlign(b);
        pl::PublishColor(b, clWindow, false)
            .Enum("DragMode", &C::DragMode, &C::SetDragMode).Default(dmManual);
        pl::PublishFont(b)
            .Integer("ItemHeight", &C::ItemHeight, &C::SetItemHeight).Default(13)
            .Object("Items", &C::Items, &C::SetItems)
            .Bool("Sorted", &C::Sorted, &C::SetSorted).Default(false)
            .Enum("Style", &C::Style, &C::SetStyle).Default(lbStandard);
        pl::PublishState(b);
        pl::PublishTab(b, true);
        pl::PublishMouseEvents(b).Event("OnDrawItem", &C::OnDrawItem, &C::OnDrawItem);
        pl::PublishKeyEvents(b);
        return b.Build();
    }();
    return &info;
}

TCustomListBox::TCustomListBox(TComponent* AOwner) : TCustomControl(AOwner), FItems(CreateOwned<TStringList>())
{
    // No capture: the release that drops must reach the list with the drag
    // still on, and a drag only ever ends inside the list.
    FControlStyle = {csOpaque, csDoubleClicks};
    SetParentColor(false);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
    FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
}

TStrings* TCustomListBox::Items() const { return FItems.get(); }
void TCustomListBox::SetItems(TStrings* Value) { FItems->Assign(Value); }
Integer TCustomListBox::Count() const { return FItems->Count(); }
bool TCustomListBox::Sorted() const { return FItems->Sorted(); }
void TCustomListBox::SetSorted(bool Value) { FItems->SetSorted(Value); }

void TCustomListBox::Clear() { FItems->Clear(); }

void TCustomListBox::ItemsChanged(TObject*)
{
    if (FItemIndex >= Count()) FItemIndex = -1;
    SetTopIndex(FTopIndex);
    SyncScrollBar();
    Invalidate();
}

void TCustomListBox::SetItemIndex(Integer Value)
{
    const Integer index = Value >= 0 && Value < Count() ? Value : -1;
    if (index == FItemIndex) return;
    FItemIndex = index;
    if (index >= 0 && index < FTopIndex) SetTopIndex(index);
    if (index >= FTopIndex + VisibleRows()) SetTopIndex(index - VisibleRows() + 1);
    Invalidate();
}

void TCustomListBox::SetTopIndex(Integer Value)
{
    const Integer top = EnsureRange(Value, 0, Max(Count() - 1, 0));
    if (top == FTopIndex) return;
    FTopIndex = top;
    SyncScrollBar();
    Invalidate();
}

void TCustomListBox::SetItemHeight(Integer Value)
{
    const Integer height = Max(Value, 1);
    if (height == FItemHeight) return;
    FItemHeight = height;
    SyncScrollBar();
    Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    Invalidate();
}

Integer TCustomListBox::VisibleRows() const { return Max(ClientHeight() / FItemHeight, 1); }

Integer TCustomListBox::LastTopIndex() const { return Max(Count() - VisibleRows(), 0); }

// ---- Scrolling ----

void TCustomListBox::CreateWnd()
{
    TCustomControl::CreateWnd();
    auto* bar = new QScrollBar(Qt::Vertical, Host().Widget.data());
    bar->setFocusPolicy(Qt::NoFocus);
    bar->hide();
    TWeakRef<TCustomListBox> alive(this);
    QObject::connect(bar, &QScrollBar::valueChanged, [alive](int Value) {
        if (TCustomListBox* list = alive.Get()) pl::Guard([list, Value] { list->SetTopIndex(Value); });
    });
    SyncScrollBar();
}

void TCustomListBox::Resize()
{
    TCustomControl::Resize();
    SyncScrollBar();
}

void TCustomListBox::SyncScrollBar()
{
    QScrollBar* bar = ScrollBarOf(this);
    if (!bar) return;
    const bool needed = Count() > VisibleRows();
    if (needed) {
        QSignalBlocker block(bar);
        bar->setRange(0, LastTopIndex());
        bar->setPageStep(VisibleRows());
        bar->setValue(FTopIndex);
        const int width = bar->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar);
        bar->setGeometry(ClientWidth() - width, 0, width, ClientHeight());
    }
    bar->setVisible(needed);
}

Integer TCustomListBox::ScrollBarWidth() const
{
    const QScrollBar* bar = ScrollBarOf(this);
    return bar && Count() > VisibleRows() ? bar->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar) : 0;
}

bool TCustomListBox::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos)
{
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    if (Count() <= VisibleRows()) return false;
    const Integer rows = WheelDelta / 120 * (Mouse ? Mouse->WheelScrollLines() : 3);
    SetTopIndex(EnsureRange(FTopIndex - rows, 0, LastTopIndex()));
    return true;
}

Integer TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const
{
    if (Pos.Y < 0) return Existing ? -1 : FTopIndex;
    const Integer row = FTopIndex + Pos.Y / FItemHeight;
    if (row < Count()) return row;
    return Existing ? -1 : Count();
}

TRect TCustomListBox::ItemRect(Integer Index) const
{
    const Integer top = (Index - FTopIndex) * FItemHeight;
    return TRect{0, top, ClientWidth() - ScrollBarWidth(), top + FItemHeight};
}

// ---- Painting ----

void TCustomListBox::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    const Integer last = Min(Count(), FTopIndex + VisibleRows() + 1);
    for (Integer i = FTopIndex; i < last; ++i) {
        TOwnerDrawState state;
        if (i == FItemIndex) state.Include(odSelected);
        if (i == FItemIndex && Focused()) state.Include(odFocused);
        if (!Enabled()) state.Include(odDisabled);
        DrawItem(i, ItemRect(i), state);
    }
    if (!Focused()) return;
    // Over whatever drew the chosen row, an owner's drawing included, as the
    // system's list does; without a chosen row, at the top row's place. In
    // the list's own colours, whatever the drawing left, so that the dots
    // show alike on every row.
    canvas->Font()->SetColor(Font()->Color());
    canvas->Brush()->SetColor(Color());
    canvas->DrawFocusRect(ItemRect(FItemIndex >= 0 ? FItemIndex : FTopIndex));
}

void TCustomListBox::DrawItem(Integer Index, TRect Rect, TOwnerDrawState State)
{
    if (FStyle != lbStandard && OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    TCanvas* canvas = Canvas();
    const bool selected = State.Contains(odSelected);
    canvas->Brush()->SetColor(selected ? clHighlight : Color());
    canvas->FillRect(Rect);
    canvas->Font()->SetColor(selected ? clHighlightText : Font()->Color());
    canvas->TextOut(Rect.Left + 2, Rect.Top, FItems->Strings(Index));
}

// The chosen row shows whether the list has the focus.
void TCustomListBox::WMSetFocus(TWinControl* FocusedFrom)
{
    TCustomControl::WMSetFocus(FocusedFrom);
    Invalidate();
}

void TCustomListBox::WMKillFocus(TWinControl* FocusedTo)
{
    TCustomControl::WMKillFocus(FocusedTo);
    Invalidate();
}

// ---- Input ----

void TCustomListBox::UserSelect(Integer Index)
{
    if (Index < 0) return;
    SetItemIndex(Index);
    Click();
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (Button == mbLeft) {
        if (CanFocus() && !Focused()) SetFocus();
        EndDrag();
        FMouseDown = true;
        FMouseDownPos = TPoint{X, Y};
        UserSelect(ItemAtPos(TPoint{X, Y}, true));
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (FMouseDown && !FDragging && FDragMode == dmAutomatic && FItemIndex >= 0 &&
        (std::abs(X - FMouseDownPos.X) > DragThreshold || std::abs(Y - FMouseDownPos.Y) > DragThreshold))
        FDragging = true;
    if (FDragging) {
        bool accept = false;
        DragOver(this, X, Y, dsDragMove, accept);
        SetCursor(accept ? crDrag : crNoDrop);
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (Button == mbLeft) {
        const bool dropping = FDragging && PtInRect(ClientRect(), TPoint{X, Y});
        EndDrag();
        if (dropping) {
            bool accept = false;
            DragOver(this, X, Y, dsDragMove, accept);
            if (accept) DragDrop(this, X, Y);
        }
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomListBox::CMMouseLeave()
{
    EndDrag();
    TCustomControl::CMMouseLeave();
}

void TCustomListBox::EndDrag() noexcept
{
    FMouseDown = false;
    if (!FDragging) return;
    FDragging = false;
    SetCursor(crDefault);
}

void TCustomListBox::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)
{
    Accept = false;
    if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

void TCustomListBox::DragDrop(TObject* Source, Integer X, Integer Y)
{
    if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TCustomListBox::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    Integer target = -1;
    switch (Key) {
        case VK_UP: target = Max(FItemIndex - 1, 0); break;
        case VK_DOWN: target = Min(FItemIndex + 1, Count() - 1); break;
        case VK_PRIOR: target = Max(FItemIndex - (VisibleRows() - 1), 0); break;
        case VK_NEXT: target = Min(FItemIndex + Max(VisibleRows() - 1, 1), Count() - 1); break;
        case VK_HOME: target = 0; break;
        case VK_END: target = Count() - 1; break;
        default: return;
    }
    Key = 0;
    if (target != FItemIndex) UserSelect(target);
}

Integer TCustomListBox::WMGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

// ---------------------------------------------------------------------------
// TGroupBox
// ---------------------------------------------------------------------------

TClass TGroupBox::StaticClassInfo()
{
    using C = TGroupBox;
    static const TClassInfo info = [] {
        TClassBuilder<C, TCustomControl> b("TGroupBox");
        pl::PublishAlign(b).String("Caption", &C::Caption, &C::SetCaption).Default(String());
        pl::PublishColor(b, clBtnFace, true);
        pl::PublishFont(b);
        pl::PublishState(b);
        pl::PublishTab(b, false);
        pl::PublishMouseEvents(b);
        return b.Build();
    }();
    return &info;
}

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable};
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::AdjustClientRect(TRect& Rect) const
{
    TCustomControl::AdjustClientRect(Rect);
    const Integer captionHeight = Max(-Font()->Height(), 8) + 2;
    Rect.Top += captionHeight;
    InflateRect(Rect, -2, -2);
}

void TGroupBox::CMTextChanged()
{
    TCustomControl::CMTextChanged();
    Invalidate();
}

void TGroupBox::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    const Integer textHeight = canvas->TextHeight("0");
    TRect frame = ClientRect();
    frame.Top += textHeight / 2;
    DrawEdge(canvas, frame, EDGE_ETCHED, BF_RECT);
    if (Caption().empty()) return;
    TRect caption{8, 0, 8, textHeight};
    DrawText(canvas, Caption(), caption, DT_SINGLELINE | DT_CALCRECT);
    caption.Right += 2;
    canvas->FillRect(caption);
    DrawText(canvas, Caption(), caption, DT_SINGLELINE | DT_CENTER);
}
