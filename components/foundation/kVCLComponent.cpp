#include "components/foundation/kVCLComponent.h"

#include "components/foundation/kOPCItem.h"

#include "platform/Classes.h"
#include "platform/SysApi.h"
#include "platform/Threads.h"

TClass TkVCLComponent::StaticClassInfo()
{
    using C = TkVCLComponent;
    static const TClassInfo info = TClassBuilder<C, TkComponent>("TkVCLComponent")
                                       .Event("OnNewOPCData", &C::OnNewOPCData, &C::OnNewOPCData)
                                       .Event("OnBeforeNewOPCData", &C::OnBeforeNewOPCData, &C::OnBeforeNewOPCData)
                                       .Build();
    return &info;
}

// ---------------------------------------------------------------------------
// Life cycle
// ---------------------------------------------------------------------------

TkVCLComponent::TkVCLComponent(TComponent* AOwner)
    : TkComponent(AOwner),
      FDataCriticalSection(CreateOwned<TCriticalSection>()),
      FOPCSpecialList(CreateOwned<TStringList>()),
      FThemeCategoryList(CreateOwned<TStringList>(true))
{
    FWindowHandle = AllocateHWnd([this](TMessage& Message) { InternalWindowProc(Message); });
    CreateOPCItemManager();
}

TkVCLComponent::~TkVCLComponent()
{
    if (FTimerID != 0) KillTimer(FWindowHandle, TimerIdentifier);
    DeallocateHWnd(FWindowHandle);
}

// ---------------------------------------------------------------------------
// Lock
// ---------------------------------------------------------------------------

void TkVCLComponent::Lock()
{
    if (!ComponentState().Contains(csDestroying)) FDataCriticalSection->Enter();
}

void TkVCLComponent::Unlock()
{
    if (!ComponentState().Contains(csDestroying)) FDataCriticalSection->Leave();
}

// ---------------------------------------------------------------------------
// Timer window
// ---------------------------------------------------------------------------

void TkVCLComponent::TimerStart(Cardinal FirstInterval, Cardinal RepeatInterval)
{
    if (FTimerID != 0) return;
    FTimerInterval = RepeatInterval;
    if (FirstInterval != 0) {
        FTimerID = SetTimer(FWindowHandle, TimerIdentifier, FirstInterval);
        FTimerFirstMessage = true;
    } else if (RepeatInterval != 0) {
        FTimerID = SetTimer(FWindowHandle, TimerIdentifier, RepeatInterval);
        FTimerFirstMessage = false;
    }
}

void TkVCLComponent::TimerStop()
{
    if (FTimerID == 0) return;
    KillTimer(FWindowHandle, TimerIdentifier);
    FTimerID = 0;
}

void TkVCLComponent::InternalWindowProc(TMessage& Message)
{
    if (Message.Msg == WM_TIMER && Message.WParam == TimerIdentifier)
        TimerTick();
    else if (Message.Msg == WM_ENDSESSION)
        Message.Result = 0;
    else
        Message.Result = DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TkVCLComponent::TimerTick()
{
    if (FTimerFirstMessage) {
        // From the first interval to the repeat interval; an interval of 0
        // runs at the timer service's shortest period.
        FTimerFirstMessage = false;
        SetTimer(FWindowHandle, TimerIdentifier, FTimerInterval);
    }
    if (OnInternalTimer) OnInternalTimer(this);
}

// ---------------------------------------------------------------------------
// Transparency
// ---------------------------------------------------------------------------

void TkVCLComponent::SetTransparent(bool Value)
{
    if (FTransparent == Value) return;
    FTransparent = Value;
    if (Value) {
        if (!FTransparentBitmap) {
            FTransparentBitmap = CreateOwned<TBitmap>();
            FTransparentBitmap->SetSize(Width(), Height());
        }
        RequestTransparentCapture();
    } else {
        FTransparentBitmap.reset();
    }
    RequestRepaint();
}

void TkVCLComponent::RequestTransparentCapture()
{
    if (!FTransparent || FNeedsTransparentCapture) return;
    FNeedsTransparentCapture = true;
    RequestRepaint();
}

void TkVCLComponent::CaptureTransparentBackground()
{
    if (!FNeedsTransparentCapture) return;
    if (CopyParentBackground(FTransparentBitmap.get())) {
        FNeedsTransparentCapture = false;
        return;
    }
    // Nothing to see yet: the control's own colour until a later paint
    // captures again.
    TCanvas* canvas = FTransparentBitmap->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(BackGroundColor());
    canvas->FillRect(TRect{0, 0, FTransparentBitmap->Width(), FTransparentBitmap->Height()});
}

bool TkVCLComponent::CopyParentBackground(TBitmap* Bitmap)
{
    TWinControl* parent = Parent();
    if (!parent) return false;
    TCanvas* canvas = Bitmap->Canvas();
    const TRect area{0, 0, Bitmap->Width(), Bitmap->Height()};
    if (auto* painted = dynamic_cast<TCustomControl*>(parent)) {
        // The parent's retained image holds its own drawing only: the
        // children paint on images of their own.
        canvas->SetCopyMode(cmSrcCopy);
        canvas->CopyRect(area, painted->Canvas(), Bounds(Left(), Top(), area.Width(), area.Height()));
    } else {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(parent->Color());
        canvas->FillRect(area);
    }
    return true;
}

void TkVCLComponent::DrawBackGround(TCanvas* Canvas, TColor Color)
{
    if (FPaintDCTransparent) return;
    if (!FTransparent) {
        TkComponent::DrawBackGround(Canvas, Color);
        return;
    }
    CaptureTransparentBackground();
    Canvas->Draw(0, 0, FTransparentBitmap.get());
}

void TkVCLComponent::RepaintAll()
{
    TkComponent::RepaintAll();
    RequestTransparentCapture();
}

void TkVCLComponent::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height()) return;
    TkComponent::SetBounds(ALeft, ATop, AWidth, AHeight);
    // The sizes the control took (its constraints may differ from the request).
    const Integer width = Width();
    const Integer height = Height();
    if (FTransparentBitmap && width >= 1 && height >= 1) FTransparentBitmap->SetSize(width, height);
    RequestTransparentCapture();
    if (FCachedDrawing && width > 0 && height > 0) GetBackGroundBitmap()->SetSize(width, height);
    RequestRepaint();
}

// ---------------------------------------------------------------------------
// Painting into a foreign canvas
// ---------------------------------------------------------------------------

void TkVCLComponent::kPaintToDC(Integer X, Integer Y, bool Transparent, TCanvas* DC)
{
    const Integer saved = SaveDC(DC);
    SetWindowOrgEx(DC, -X, -Y);
    IntersectClipRect(DC, 0, 0, Width(), Height());
    const TScopeExit restore([this, DC, saved, cached = FCachedDrawing] {
        FCachedDrawing = cached;
        FPaintDCTransparent = false;
        RestoreDC(DC, saved);
    });
    FPaintDCTransparent = Transparent;
    const TLockScope lock(*this);
    FCachedDrawing = false;
    kPaintTo(DC);
}

// ---------------------------------------------------------------------------
// OPC hosting
// ---------------------------------------------------------------------------

bool TkVCLComponent::OPCNewDataSpecial(const String&, const Variant&) { return false; }

void TkVCLComponent::FillOPCSpecialList() {}

// ---------------------------------------------------------------------------
// Message routing
// ---------------------------------------------------------------------------

Integer TkVCLComponent::WMGetDlgCode() { return TkComponent::WMGetDlgCode() | DLGC_WANTALLKEYS; }

void TkVCLComponent::CMSysColorChange()
{
    TkComponent::CMSysColorChange();
    RequestRepaint();
}

void TkVCLComponent::CMColorChanged() { RequestRepaint(); }

void TkVCLComponent::WMMove()
{
    TkComponent::WMMove();
    RequestTransparentCapture();
}

void TkVCLComponent::WMSetFocus(TWinControl* FocusedFrom)
{
    RunAsUserAction([&] {
        kSetFocus();
        TkComponent::WMSetFocus(FocusedFrom);
    });
}

void TkVCLComponent::WMKillFocus(TWinControl* FocusedTo)
{
    RunAsUserAction([&] {
        if (FocusedTo != this) kKillFocus();
    });
    TkComponent::WMKillFocus(FocusedTo);
}

Integer TkVCLComponent::CMWantSpecialKey(Word& CharCode)
{
    Integer result = TkComponent::CMWantSpecialKey(CharCode);
    kWantSpecialKey(CharCode, result);
    return result;
}

template <class Inherited, class Hook>
bool TkVCLComponent::RouteKeyNotification(Word& Key, TShiftState Shift, Inherited&& Step, Hook&& KeyHook)
{
    return RunAsUserAction([&] {
        const bool consumed = Step(Key, Shift);
        if (consumed) KeyHook(Key, Shift);
        return consumed;
    });
}

bool TkVCLComponent::CNKeyDown(Word& Key, TShiftState Shift)
{
    return RouteKeyNotification(
        Key, Shift, [this](Word& K, TShiftState S) { return TkComponent::CNKeyDown(K, S); },
        [this](Word& K, TShiftState S) { kKeyDown(K, S); });
}

bool TkVCLComponent::CNKeyUp(Word& Key, TShiftState Shift)
{
    return RouteKeyNotification(
        Key, Shift, [this](Word& K, TShiftState S) { return TkComponent::CNKeyUp(K, S); },
        [this](Word& K, TShiftState S) { kKeyUp(K, S); });
}

// The button messages drop what their handlers raise.
void TkVCLComponent::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    try {
        TkComponent::MouseDown(Button, Shift, X, Y);
    } catch (...) {
    }
}

void TkVCLComponent::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    try {
        TkComponent::MouseUp(Button, Shift, X, Y);
    } catch (...) {
    }
}

void TkVCLComponent::DblClick()
{
    try {
        TkComponent::DblClick();
    } catch (...) {
    }
}

// A click is part of the button-up message.
void TkVCLComponent::Click()
{
    try {
        TkComponent::Click();
    } catch (...) {
    }
}

bool TkVCLComponent::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos)
{
    return kMouseWheel(WheelDelta, Shift, MousePos);
}
