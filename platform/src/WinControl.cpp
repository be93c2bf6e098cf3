#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "ControlHost.h"
#include "Guard.h"
#include "InputRouting.h"
#include "MessageLoop.h"
#include "QtGraphics.h"
#include "platform/Forms.h"

namespace {

const char SCannotFocus[] = "Impossible de donner le focus à une fenêtre désactivée ou invisible";

bool IsWindowed(const TControl* c) { return dynamic_cast<const TWinControl*>(c) != nullptr; }

}  // namespace

TClass TWinControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TWinControl, TControl>("TWinControl").Build();
    return &info;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

void TWinControl::BeforeDestruction()
{
    pl::DropFocus(this);
    TControl::BeforeDestruction();
    // Children that another component owns go with their parent too.
    while (!FControls.empty()) FControls.back()->Free();
}

void TWinControl::CreateWnd()
{
    pl::AttachWidget(this, new pl::LayerWidget<QWidget>(this, false), false);
    Host().Painter = [this](QWidget* w, const QRect& dirty) {
        QPainter painter(w);
        painter.fillRect(dirty, ToQColor(Color()));
    };
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    if (FPendingTabOrder >= 0) {
        const Integer order = FPendingTabOrder;
        FPendingTabOrder = -1;
        SetTabOrder(order);
    }
    Realign();
}

// ---- Children ----

TControl* TWinControl::Controls(Integer Index) const
{
    if (Index < 0 || Index >= ControlCount()) RaiseListIndexError(Index);
    return FControls[static_cast<std::size_t>(Index)];
}

void TWinControl::InsertControl(TControl* AControl)
{
    if (!AControl || AControl->FParent == this) return;
    AControl->FParent = this;
    FControls.push_back(AControl);
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) FTabList.push_back(w);
    pl::PlaceInParent(AControl);
    if (AControl->FParentColor) AControl->TakeParentColor();
    if (AControl->FParentFont) AControl->TakeParentFont();
    if (AControl->FParentShowHint) AControl->FShowHint = ShowHint();
    if (AControl->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* AControl)
{
    if (!AControl || AControl->FParent != this) return;
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        pl::DropFocus(w);
        std::erase(FTabList, w);
    }
    std::erase(FControls, AControl);
    AControl->FParent = nullptr;
    QWidget* child = AControl->Host().Widget;
    if (child && !AControl->ComponentState().Contains(csDestroying)) {
        child->hide();
        child->setParent(nullptr);
    }
    if (AControl->Align() != alNone) Realign();
}

bool TWinControl::ContainsControl(const TControl* Control) const
{
    while (Control && Control != this) Control = Control->Parent();
    return Control != nullptr;
}

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    for (TControl* c : std::vector<TControl*>(FControls))
        if (c->Owner() == Root) Proc(c);
    TControl::GetChildren(Proc, Root);
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled) const
{
    auto hit = [&](const TControl* c) {
        return c->Visible() && (AllowDisabled || c->Enabled()) && PtInRect(c->BoundsRect(), Pos);
    };
    for (bool windowed : {true, false})
        for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
            if (IsWindowed(*it) == windowed && hit(*it)) return *it;
    return nullptr;
}

// ---- Tab order and focus ----

Integer TWinControl::TabOrder() const
{
    if (FPendingTabOrder >= 0) return FPendingTabOrder;
    if (!Parent()) return -1;
    const auto& list = Parent()->FTabList;
    return static_cast<Integer>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(Integer Value)
{
    if (ComponentState().Contains(csLoading)) {
        FPendingTabOrder = Value;
        return;
    }
    if (!Parent()) return;
    auto& list = Parent()->FTabList;
    const Integer count = static_cast<Integer>(list.size());
    Value = std::clamp(Value, 0, count - 1);
    std::erase(list, this);
    list.insert(list.begin() + Value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const
{
    for (TWinControl* w : FTabList) {
        List.push_back(w);
        w->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    const Integer count = static_cast<Integer>(list.size());
    if (count == 0) return nullptr;
    Integer start = static_cast<Integer>(std::find(list.begin(), list.end(), CurControl) - list.begin());
    if (start == count) start = GoForward ? count - 1 : 0;
    Integer i = start;
    do {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* c = list[static_cast<std::size_t>(i)];
        if (c != CurControl && c->CanFocus() && (!CheckTabStop || c->TabStop()) &&
            (!CheckParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) next->SetFocus();
}

void TWinControl::SelectFirst()
{
    if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
}

bool TWinControl::CanFocus() const
{
    // A hidden form may still be given its active control.
    const TCustomForm* form = GetParentForm(this);
    for (const TControl* c = this; c && c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (!CanFocus()) throw EInvalidOperation(SCannotFocus);
    if (TCustomForm* form = GetParentForm(this))
        form->FocusControl(this);
    else
        pl::MoveFocus(this);
}

bool TWinControl::Focused() const { return pl::FocusedControl() == this; }

// ---- Alignment ----

void TWinControl::AdjustClientRect(TRect&) const {}

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0 && --FAlignLevel == 0) Realign();
}

void TWinControl::Realign()
{
    const TComponentState state = ComponentState();
    if (FAlignLevel > 0 || FAligning || state.Contains(csDestroying) || state.Contains(csLoading)) return;
    AlignChildren();
}

void TWinControl::AlignChildren()
{
    const TFlagScope aligning(FAligning);
    TRect r = ClientRect();
    AdjustClientRect(r);
    AlignControls(nullptr, r);
}

void TWinControl::AlignControls(TControl*, TRect& Rect)
{
    auto place = [](TControl* c, TRect r) {
        if (c->AlignWithMargins()) {
            const TMargins* m = c->Margins();
            r = {r.Left + m->Left(), r.Top + m->Top(), r.Right - m->Right(), r.Bottom - m->Bottom()};
        }
        c->SetBounds(r.Left, r.Top, std::max(r.Width(), 0), std::max(r.Height(), 0));
    };
    auto outerWidth = [](TControl* c) {
        return c->Width() + (c->AlignWithMargins() ? c->Margins()->Left() + c->Margins()->Right() : 0);
    };
    auto outerHeight = [](TControl* c) {
        return c->Height() + (c->AlignWithMargins() ? c->Margins()->Top() + c->Margins()->Bottom() : 0);
    };
    for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> group;
        for (TControl* c : FControls)
            if (c->Align() == kind && c->Visible()) group.push_back(c);
        // Edge-aligned controls keep their order along the edge they fill.
        std::stable_sort(group.begin(), group.end(), [kind](TControl* a, TControl* b) {
            switch (kind) {
                case alTop: return a->Top() < b->Top();
                case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
                case alLeft: return a->Left() < b->Left();
                case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
                default: return false;
            }
        });
        for (TControl* c : group) {
            switch (kind) {
                case alTop: {
                    const Integer h = outerHeight(c);
                    place(c, {Rect.Left, Rect.Top, Rect.Right, Rect.Top + h});
                    Rect.Top += h;
                    break;
                }
                case alBottom: {
                    const Integer h = outerHeight(c);
                    place(c, {Rect.Left, Rect.Bottom - h, Rect.Right, Rect.Bottom});
                    Rect.Bottom -= h;
                    break;
                }
                case alLeft: {
                    const Integer w = outerWidth(c);
                    place(c, {Rect.Left, Rect.Top, Rect.Left + w, Rect.Bottom});
                    Rect.Left += w;
                    break;
                }
                case alRight: {
                    const Integer w = outerWidth(c);
                    place(c, {Rect.Right - w, Rect.Top, Rect.Right, Rect.Bottom});
                    Rect.Right -= w;
                    break;
                }
                default: place(c, Rect); break;
            }
        }
    }
}

void TWinControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    const Integer oldWidth = ClientWidth();
    const Integer oldHeight = ClientHeight();
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (ComponentState().Contains(csLoading)) return;
    if (ClientWidth() != oldWidth || ClientHeight() != oldHeight) ArrangeAnchored(oldWidth, oldHeight);
}

void TWinControl::ArrangeAnchored(Integer OldClientWidth, Integer OldClientHeight)
{
    const Integer dx = ClientWidth() - OldClientWidth;
    const Integer dy = ClientHeight() - OldClientHeight;
    // One axis: both anchors stretch, the far one alone moves, none keeps the
    // control centred.
    auto shift = [](bool nearEdge, bool farEdge, Integer delta, Integer& pos, Integer& size) {
        if (nearEdge && farEdge) size += delta;
        else if (farEdge) pos += delta;
        else if (!nearEdge) pos += delta / 2;
    };
    for (TControl* c : std::vector<TControl*>(FControls)) {
        const TAnchors a = c->Anchors();
        if (c->Align() != alNone || a == TAnchors{akLeft, akTop}) continue;
        Integer left = c->Left(), top = c->Top(), width = c->Width(), height = c->Height();
        shift(a.Contains(akLeft), a.Contains(akRight), dx, left, width);
        shift(a.Contains(akTop), a.Contains(akBottom), dy, top, height);
        c->SetBounds(left, top, width, height);
    }
}

void TWinControl::Resize()
{
    Realign();
    TControl::Resize();
}

// ---- Notices to children ----

void TWinControl::CMColorChanged()
{
    TControl::CMColorChanged();
    for (TControl* c : std::vector<TControl*>(FControls))
        if (c->ParentColor()) c->TakeParentColor();
}

void TWinControl::CMFontChanged()
{
    TControl::CMFontChanged();
    for (TControl* c : std::vector<TControl*>(FControls))
        if (c->ParentFont()) c->TakeParentFont();
}

// ---- Keyboard ----

void TWinControl::KeyDown(Word& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::CNKeyDown(Word& Key, TShiftState Shift)
{
    Integer mask = 0;
    switch (Key) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
        default: return false;
    }
    Word code = Key;
    if (CMWantSpecialKey(code) != 0 || (WMGetDlgCode() & mask) != 0) return false;
    TCustomForm* form = GetParentForm(this);
    return form && form->CMDialogKey(Key, Shift);
}

bool TWinControl::CNKeyUp(Word&, TShiftState) { return false; }

Integer TWinControl::CMWantSpecialKey(Word&) { return 0; }

Integer TWinControl::WMGetDlgCode() { return 0; }

void TWinControl::WMSetFocus(TWinControl*)
{
    if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
    RepaintFocusFrame();
}

void TWinControl::WMKillFocus(TWinControl*) { RepaintFocusFrame(); }

void TWinControl::RepaintFocusFrame()
{
    const TControlHost& host = Host();
    if (host.FocusFrame && host.Widget) host.Widget->update();
}

void TWinControl::CMEnter()
{
    if (OnEnter) OnEnter(this);
}

void TWinControl::CMExit()
{
    if (OnExit) OnExit(this);
}

bool TWinControl::WMSysChar(Char Key)
{
    TControl* root = pl::RootOf(this);
    auto* top = dynamic_cast<TWinControl*>(root);
    return top && top->BroadcastDialogChar(Key, true);
}

bool TWinControl::CMDialogChar(Char Key, bool Alt) { return BroadcastDialogChar(Key, Alt); }

bool TWinControl::BroadcastDialogChar(Char Key, bool Alt)
{
    TWeakRef<TWinControl> self(this);
    for (TControl* c : std::vector<TControl*>(FControls)) {
        if (!self) return true;
        if (c->CMDialogChar(Key, Alt)) return true;
    }
    return false;
}

bool TWinControl::CMDialogKey(Word& CharCode, TShiftState Shift)
{
    TWeakRef<TWinControl> self(this);
    for (TControl* c : std::vector<TControl*>(FControls)) {
        if (!self) return true;
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->CMDialogKey(CharCode, Shift)) return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Self-painting controls
// ---------------------------------------------------------------------------

TClass TCustomControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomControl, TWinControl>("TCustomControl").Build();
    return &info;
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FSurface(this, true, [this] { Paint(); })
{
}

void TCustomControl::Paint() {}

TClass TGraphicControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TGraphicControl, TControl>("TGraphicControl").Build();
    return &info;
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FSurface(this, false, [this] { Paint(); })
{
}

void TGraphicControl::Paint() {}
