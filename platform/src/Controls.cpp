#include "platform/Controls.h"

#include <QCoreApplication>
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "CanvasImpl.h"
#include "ControlHost.h"
#include "InputRouting.h"
#include "platform/Consts.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

// ---------------------------------------------------------------------------
// Small helpers
// ---------------------------------------------------------------------------

TShiftState KeyboardShiftState()
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

namespace {

Char FoldAscii(Char c) { return c >= u'a' && c <= u'z' ? static_cast<Char>(c - 32) : c; }

// The UTF-16 unit after each single '&' of Caption ("&&" is skipped).
Char AcceleratorOf(const String& Caption)
{
    const std::u16string text = Utf8ToUtf16(Caption);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1];
    }
    return 0;
}

}  // namespace

bool IsAccel(Char Key, const String& Caption)
{
    const Char accel = AcceleratorOf(Caption);
    if (accel == 0 || Key == 0) return false;
    return FoldAscii(accel) == FoldAscii(Key) ||
           AnsiSameText(Utf16ToUtf8(std::u16string(1, accel)), Utf16ToUtf8(std::u16string(1, Key)));
}

String StripHotkey(const String& Caption)
{
    String result;
    for (std::size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] != '&') {
            result += Caption[i];
        } else if (i + 1 < Caption.size() && Caption[i + 1] == '&') {
            result += '&';
            ++i;
        }
    }
    return result;
}

// ---------------------------------------------------------------------------
// TMargins and TSizeConstraints
// ---------------------------------------------------------------------------

TClass TMargins::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TMargins, TPersistent>("TMargins")
                                       .Integer("Left", &TMargins::Left, &TMargins::SetLeft).Default(3)
                                       .Integer("Top", &TMargins::Top, &TMargins::SetTop).Default(3)
                                       .Integer("Right", &TMargins::Right, &TMargins::SetRight).Default(3)
                                       .Integer("Bottom", &TMargins::Bottom, &TMargins::SetBottom).Default(3)
                                       .Build();
    return &info;
}

void TMargins::Assign(TPersistent* Source)
{
    if (auto* m = dynamic_cast<TMargins*>(Source)) {
        FLeft = m->FLeft;
        FTop = m->FTop;
        FRight = m->FRight;
        FBottom = m->FBottom;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TMargins::Change(Integer& Field, Integer Value)
{
    SetIfDifferent(Field, Value, [this] { Changed(); });
}

void TMargins::Changed()
{
    if (OnChange) OnChange(this);
}

TClass TSizeConstraints::StaticClassInfo()
{
    using C = TSizeConstraints;
    static const TClassInfo info = TClassBuilder<C, TPersistent>("TSizeConstraints")
                                       .Integer("MaxHeight", &C::MaxHeight, &C::SetMaxHeight).Default(0)
                                       .Integer("MaxWidth", &C::MaxWidth, &C::SetMaxWidth).Default(0)
                                       .Integer("MinHeight", &C::MinHeight, &C::SetMinHeight).Default(0)
                                       .Integer("MinWidth", &C::MinWidth, &C::SetMinWidth).Default(0)
                                       .Build();
    return &info;
}

void TSizeConstraints::Assign(TPersistent* Source)
{
    if (auto* c = dynamic_cast<TSizeConstraints*>(Source)) {
        FMaxHeight = c->FMaxHeight;
        FMaxWidth = c->FMaxWidth;
        FMinHeight = c->FMinHeight;
        FMinWidth = c->FMinWidth;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

// A negative limit counts as no limit.
void TSizeConstraints::Change(Integer& Field, Integer Value)
{
    SetIfDifferent(Field, std::max(Value, 0), [this] { Changed(); });
}

void TSizeConstraints::Changed()
{
    if (OnChange) OnChange(this);
}

void TSizeConstraints::Constrain(Integer& Width, Integer& Height) const
{
    if (FMaxWidth > 0) Width = std::min(Width, FMaxWidth);
    if (FMinWidth > 0) Width = std::max(Width, FMinWidth);
    if (FMaxHeight > 0) Height = std::min(Height, FMaxHeight);
    if (FMinHeight > 0) Height = std::max(Height, FMinHeight);
}

TClass TCustomHint::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomHint, TComponent>("TCustomHint").Build();
    return &info;
}

// ---------------------------------------------------------------------------
// TControl
// ---------------------------------------------------------------------------

TClass TControl::StaticClassInfo()
{
    using C = TControl;
    static const TClassInfo info = TClassBuilder<C, TComponent>("TControl")
                                       .Bool("AlignWithMargins", &C::AlignWithMargins, &C::SetAlignWithMargins)
                                       .Default(false)
                                       .Integer("Left", &C::Left, &C::SetLeft)
                                       .Integer("Top", &C::Top, &C::SetTop)
                                       .Integer("Width", &C::Width, &C::SetWidth)
                                       .Integer("Height", &C::Height, &C::SetHeight)
                                       .Cursor("Cursor", &C::Cursor, &C::SetCursor).Default(crDefault)
                                       .String("Hint", &C::Hint, &C::SetHint).Default(String())
                                       .Enum("HelpType", &C::HelpType, &C::SetHelpType).Default(htContext)
                                       .String("HelpKeyword", &C::HelpKeyword, &C::SetHelpKeyword).Default(String())
                                       .Integer("HelpContext", &C::HelpContext, &C::SetHelpContext).Default(0)
                                       .Object("Margins", &C::Margins, &C::SetMargins)
                                       .Reference("CustomHint", &C::CustomHint, &C::SetCustomHint)
                                       .Bool("ParentCustomHint", &C::ParentCustomHint, &C::SetParentCustomHint)
                                       .Default(true)
                                       .Build();
    return &info;
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks},
      FHost(std::make_unique<TControlHost>()),
      FMargins(CreateOwned<TMargins>()),
      FConstraints(CreateOwned<TSizeConstraints>()),
      FFont(CreateOwned<TFont>())
{
    FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    FMargins->OnChange = [this](TObject*) {
        if (FAlignWithMargins) RequestAlign();
    };
    FConstraints->OnChange = [this](TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); };
}

TControl::~TControl() = default;

void TControl::AfterConstruction()
{
    TComponent::AfterConstruction();
    CreateWnd();
}

void TControl::BeforeDestruction()
{
    SetComponentStateFlag(csDestroying, true);
    pl::ForgetControl(this);
    if (FParent) FParent->RemoveControl(this);
    pl::DetachWidget(*FHost);
    TComponent::BeforeDestruction();
}

void TControl::SetName(const String& NewName)
{
    const String oldName = Name();
    auto* ownerControl = dynamic_cast<TControl*>(Owner());
    const bool follow = FControlStyle.Contains(csSetCaption) && !ComponentState().Contains(csLoading) &&
                        oldName == Text() && !(ownerControl && ownerControl->ComponentState().Contains(csLoading));
    TComponent::SetName(NewName);
    if (follow) SetText(NewName);
}

bool TControl::HandleAllocated() const { return FHost->Widget != nullptr; }

void TControl::CreateWnd()
{
    // A plain control: a transparent layer widget that paints nothing.
    pl::AttachWidget(this, new pl::LayerWidget<QWidget>(this, false), false);
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (FParent && FParentColor) TakeParentColor();
    if (FParent && FParentFont) TakeParentFont();
    RequestAlign();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FPopupMenu) FPopupMenu = nullptr;
    if (AComponent == FCustomHint) FCustomHint = nullptr;
}

// ---- Geometry ----

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    FConstraints->Constrain(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    if (FHost->InPaint) {
        // Qt refuses geometry changes of a widget that is painting.
        FHost->BoundsPending = true;
        FHost->PendingBounds = Bounds(ALeft, ATop, AWidth, AHeight);
        return;
    }
    UpdateBoundsRect(Bounds(ALeft, ATop, AWidth, AHeight));
}

void TControl::UpdateBoundsRect(const TRect& R)
{
    const bool moved = R.Left != FLeft || R.Top != FTop;
    const bool resized = R.Width() != FWidth || R.Height() != FHeight;
    FLeft = R.Left;
    FTop = R.Top;
    FWidth = R.Width();
    FHeight = R.Height();
    pl::SyncWidgetGeometry(this);
    Invalidate();
    if (moved) WMMove();
    if (resized && !ComponentState().Contains(csLoading)) Resize();
    if (FAlign != alNone) RequestAlign();
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(Integer Value) { SetWidth(FWidth - ClientWidth() + Value); }
void TControl::SetClientHeight(Integer Value) { SetHeight(FHeight - ClientHeight() + Value); }

TPoint TControl::ClientOrigin() const
{
    if (FParent) {
        const TPoint p = FParent->ClientOrigin();
        return {p.X + FLeft, p.Y + FTop};
    }
    if (QWidget* w = FHost->ClientWidget()) {
        const QPoint g = w->mapToGlobal(QPoint(0, 0));
        return {g.x(), g.y()};
    }
    return {FLeft, FTop};
}

TPoint TControl::ClientToScreen(const TPoint& P) const
{
    const TPoint o = ClientOrigin();
    return {P.X + o.X, P.Y + o.Y};
}

TPoint TControl::ScreenToClient(const TPoint& P) const
{
    const TPoint o = ClientOrigin();
    return {P.X - o.X, P.Y - o.Y};
}

TPoint TControl::ClientToParent(const TPoint& P, TWinControl* AParent) const
{
    if (!AParent) AParent = FParent;
    if (!AParent) throw EInvalidOperation(Format(SParentRequired, Name()));
    TPoint result = P;
    for (const TControl* c = this; c != AParent; c = c->FParent) {
        if (!c->FParent) throw EInvalidOperation(Format(SControlNotParent, AParent->Name()));
        result.X += c->FLeft;
        result.Y += c->FTop;
    }
    return result;
}

void TControl::SetAlign(TAlign Value)
{
    SetIfDifferent(FAlign, Value, [this] { RequestAlign(); });
}

void TControl::SetAnchors(TAnchors Value) { FAnchors = Value; }

void TControl::SetAlignWithMargins(bool Value)
{
    SetIfDifferent(FAlignWithMargins, Value, [this] { RequestAlign(); });
}

void TControl::RequestAlign()
{
    if (FParent && FAlign != alNone) FParent->Realign();
}

void TControl::Resize()
{
    if (OnResize) OnResize(this);
}

// ---- Parent ----

void TControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent) return;
    if (AParent == this) throw EInvalidOperation(SControlOwnParent);
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* Value)
{
    if (auto* p = dynamic_cast<TWinControl*>(Value)) SetParent(p);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

// ---- State ----

void TControl::SetVisible(bool Value)
{
    SetIfDifferent(FVisible, Value, [this] { CMVisibleChanged(); });
}

bool TControl::Showing() const
{
    if (!FVisible) return false;
    if (FParent) return FParent->Showing();
    return FHost->Widget && FHost->Widget->isVisible();
}

void TControl::SetEnabled(bool Value)
{
    SetIfDifferent(FEnabled, Value, [this] { CMEnabledChanged(); });
}

void TControl::SetColor(TColor Value)
{
    SetIfDifferent(FColor, Value, [this] {
        FParentColor = false;
        CMColorChanged();
    });
}

void TControl::SetParentColor(bool Value)
{
    SetIfDifferent(FParentColor, Value, [this, Value] {
        if (Value && FParent) TakeParentColor();
    });
}

void TControl::TakeParentColor()
{
    if (!FParent || FColor == FParent->Color()) return;
    FColor = FParent->Color();
    CMColorChanged();
}

void TControl::FontChanged(TObject*)
{
    FParentFont = false;
    CMFontChanged();
}

void TControl::SetParentFont(bool Value)
{
    SetIfDifferent(FParentFont, Value, [this, Value] {
        if (Value && FParent) TakeParentFont();
    });
}

void TControl::TakeParentFont()
{
    if (!FParent) return;
    // Assigning fires OnChange, which would clear ParentFont.
    auto handler = std::move(FFont->OnChange);
    FFont->OnChange = nullptr;
    FFont->Assign(FParent->Font());
    FFont->OnChange = std::move(handler);
    CMFontChanged();
}

void TControl::SetText(const String& Value)
{
    if (GetTextValue() == Value) return;
    SetTextValue(Value);
    CMTextChanged();
}

void TControl::SetShowHint(bool Value)
{
    FShowHint = Value;
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool Value)
{
    FParentShowHint = Value;
    if (Value && FParent) FShowHint = FParent->ShowHint();
}

void TControl::SetCursor(TCursor Value)
{
    SetIfDifferent(FCursor, Value, [this] { pl::SyncWidgetLook(this); });
}

void TControl::SetPopupMenu(TPopupMenu* Value)
{
    if (FPopupMenu == Value) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (Value) Value->FreeNotification(this);
}

void TControl::SetCustomHint(TCustomHint* Value)
{
    if (FCustomHint == Value) return;
    if (FCustomHint) FCustomHint->RemoveFreeNotification(this);
    FCustomHint = Value;
    if (Value) Value->FreeNotification(this);
}

void TControl::SetControlStyle(TControlStyle Value)
{
    FControlStyle = Value;
    if (QWidget* w = FHost->Widget) w->setAttribute(Qt::WA_OpaquePaintEvent, Value.Contains(csOpaque));
}

// ---- Painting ----

void TControl::Invalidate()
{
    if (QWidget* w = FHost->Widget) w->update();
}

void TControl::Update()
{
    QWidget* w = FHost->Widget;
    if (!w || FHost->InPaint || !w->isVisible()) return;
    QCoreApplication::sendPostedEvents(w->window(), QEvent::UpdateRequest);
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::PaintTo(TCanvas* Canvas, Integer X, Integer Y)
{
    QWidget* w = FHost->ClientWidget();
    if (!w) return;
    TCanvasImpl& impl = Canvas->Impl();
    QImage& target = impl.RequireTarget();
    QPainter painter(&target);
    painter.setClipRegion(impl.Visible());
    w->render(&painter, impl.ToDevice(X, Y), QRegion(), QWidget::DrawChildren);
}

void TControl::CopyParentImage(TCanvas* Canvas)
{
    if (!FParent) return;
    QWidget* parent = FParent->Host().ClientWidget();
    if (!parent) return;
    TCanvasImpl& impl = Canvas->Impl();
    QImage& target = impl.RequireTarget();
    QPainter painter(&target);
    painter.setClipRegion(impl.Visible());
    // The source region's top-left lands at the offset.
    parent->render(&painter, impl.ToDevice(0, 0), QRegion(FLeft, FTop, FWidth, FHeight),
                   QWidget::DrawWindowBackground);
    // Windowless siblings lie under windowed ones; within a kind, list order.
    const bool windowed = dynamic_cast<TWinControl*>(this) != nullptr;
    const auto& siblings = FParent->FControls;
    const auto self = std::find(siblings.begin(), siblings.end(), this);
    for (bool passWindowed : {false, true}) {
        if (passWindowed && !windowed) break;
        for (auto it = siblings.begin(); it != siblings.end(); ++it) {
            TControl* sibling = *it;
            const bool siblingWindowed = dynamic_cast<TWinControl*>(sibling) != nullptr;
            if (siblingWindowed != passWindowed || sibling == this) continue;
            if (siblingWindowed == windowed && it > self) continue;
            TRect common;
            QWidget* w = sibling->FHost->Widget;
            if (!w || !sibling->Visible() || !IntersectRect(common, BoundsRect(), sibling->BoundsRect())) continue;
            w->render(&painter, impl.ToDevice(sibling->FLeft - FLeft, sibling->FTop - FTop), QRegion(),
                      QWidget::DrawChildren);
        }
    }
}

void TControl::BringToFront()
{
    if (FParent) {
        auto& list = FParent->FControls;
        list.erase(std::find(list.begin(), list.end(), this));
        list.push_back(this);
    }
    if (QWidget* w = FHost->Widget) {
        if (w->isWindow())
            pl::RaiseWindow(w);
        else
            w->raise();
    }
    pl::SyncWidgetGeometry(this);
}

void TControl::SendToBack()
{
    if (FParent) {
        auto& list = FParent->FControls;
        list.erase(std::find(list.begin(), list.end(), this));
        list.insert(list.begin(), this);
    }
    if (QWidget* w = FHost->Widget) w->lower();
}

// ---- Mouse ----

bool TControl::MouseCapture() const { return GetCapture() == this; }

void TControl::SetMouseCapture(bool Value)
{
    if (Value)
        SetCapture(this);
    else if (MouseCapture())
        ReleaseCapture();
}

void TControl::Click()
{
    if (OnClick) OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled)
{
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

// ---- Messages ----

void TControl::CMMouseEnter()
{
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave()
{
    if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::CMFontChanged()
{
    pl::SyncWidgetLook(this);
    Invalidate();
}

void TControl::CMTextChanged() { Invalidate(); }

namespace {

// A control that can no longer hold the focus, being disabled or hidden,
// passes it on to the next control of its form that can take it, or to the
// form: left where it was, the focus would sit where keys do nothing.
void PassFocusOn(TControl* Control)
{
    auto* windowed = dynamic_cast<TWinControl*>(Control);
    TWinControl* focused = pl::FocusedControl();
    if (!windowed || dynamic_cast<TCustomForm*>(Control) || !focused || !windowed->ContainsControl(focused) ||
        focused->CanFocus() || Control->ComponentState().Contains(csDestroying))
        return;
    TCustomForm* form = GetParentForm(windowed);
    if (!form) return;
    if (TWinControl* next = form->FindNextControl(windowed, true, true, false))
        next->SetFocus();
    else
        form->SetActiveControl(nullptr);
}

}  // namespace

void TControl::CMEnabledChanged()
{
    // Before the widget is disabled: Qt would pass its own focus on in the
    // order of its widgets, not in the tab order.
    if (!FEnabled) PassFocusOn(this);
    pl::SyncWidgetEnabled(this);
    Invalidate();
}

void TControl::CMColorChanged()
{
    pl::SyncWidgetLook(this);
    Invalidate();
}

void TControl::CMVisibleChanged()
{
    if (!FVisible) PassFocusOn(this);
    pl::SyncWidgetVisible(this);
    if (FParent && FAlign != alNone) FParent->Realign();
}

void TControl::CMSysColorChange() { Invalidate(); }

bool TControl::CMDialogChar(Char, bool) { return false; }

void TControl::WMCaptureChanged() {}

void TControl::WMMove() {}

// ---------------------------------------------------------------------------
// Free functions
// ---------------------------------------------------------------------------

TCustomForm* GetParentForm(const TControl* Control)
{
    const TControl* c = Control;
    while (c && c->Parent()) c = c->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled)
{
    if (!Screen) return nullptr;
    for (Integer i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (!form->Visible()) continue;
        TControl* c = form;
        TPoint p = form->ScreenToClient(Pos);
        if (!PtInRect(form->ClientRect(), p)) continue;
        while (auto* w = dynamic_cast<TWinControl*>(c)) {
            TControl* child = w->ControlAtPos(p, AllowDisabled);
            if (!child) break;
            p = {p.X - child->Left(), p.Y - child->Top()};
            c = child;
        }
        return c;
    }
    return nullptr;
}
