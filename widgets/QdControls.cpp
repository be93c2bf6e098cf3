#include "widgets/QdControls.h"

#include <algorithm>

#include "platform/Forms.h"
#include "platform/SysApi.h"
#include "platform/TypInfo.h"
#include "widgets/QdSysUtils.h"

namespace {

// "Version" reads the library's version and ignores what is assigned.
template <class C, class B>
TClassBuilder<C, B>& PublishVersion(TClassBuilder<C, B>& b)
{
    b.String(
         "Version", [](const C&) { return String(kQdVersion); }, [](C&, const String&) {})
        .Stored(false);
    return b;
}

// The class information of a base that publishes only "Version".
template <class C, class B>
TClass BaseClassInfo(const char* Name)
{
    static const TClassInfo info = [Name] {
        TClassBuilder<C, B> b(Name);
        return PublishVersion(b).Build();
    }();
    return &info;
}

Integer g_unitCount = 0;

}  // namespace

void QdControlsInitialization()
{
    if (g_unitCount++ > 0) return;
    // Without its own cursor the program points with the system's hand.
    HCURSOR hand = LoadCursor("QDCURSORHANDPOINT");
    Screen->SetCursors(crQdHandPoint, hand ? hand : Screen->Cursors(crHandPoint));
}

void QdControlsFinalization()
{
    if (g_unitCount > 0) --g_unitCount;
}

// ---------------------------------------------------------------------------
// Components and links
// ---------------------------------------------------------------------------

TClass TQdComponent::StaticClassInfo() { return BaseClassInfo<TQdComponent, TComponent>("TQdComponent"); }

TClass TQdSharedComponent::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TQdSharedComponent, TQdComponent>("TQdSharedComponent").Build();
    return &info;
}

TQdChangeLink::~TQdChangeLink()
{
    if (FSender) FSender->RemoveLink(this);
}

void TQdChangeLink::Change()
{
    if (OnChange) OnChange(FSender);
}

TQdSharedComponent::~TQdSharedComponent()
{
    while (!FClients.empty()) RemoveLink(FClients.back());
}

void TQdSharedComponent::InsertLink(TQdChangeLink* Link)
{
    // A link on two lists would outlive its place on one of them.
    if (Link->FSender) Link->FSender->RemoveLink(Link);
    Link->FSender = this;
    FClients.push_back(Link);
}

void TQdSharedComponent::RemoveLink(TQdChangeLink* Link)
{
    auto it = std::find(FClients.begin(), FClients.end(), Link);
    if (it == FClients.end()) return;
    Link->FSender = nullptr;
    FClients.erase(it);
}

void TQdSharedComponent::NotifyClients()
{
    TWeakRef<TQdSharedComponent> alive(this);
    const std::vector<TQdChangeLink*> snapshot = FClients;
    for (TQdChangeLink* link : snapshot) {
        if (!alive) return;
        if (std::find(FClients.begin(), FClients.end(), link) != FClients.end()) link->Change();
    }
}

// ---------------------------------------------------------------------------
// TQdControlCommon
// ---------------------------------------------------------------------------

template <class Base>
void TQdControlCommon<Base>::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    UpdateControlCanvas();
}

template <class Base>
void TQdControlCommon<Base>::ClearClientCanvas()
{
    TCanvas* canvas = this->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(this->Color());
    canvas->FillRect(this->ClientRect());
}

template <class Base>
void TQdControlCommon<Base>::UpdateControlCanvas()
{
    if (Loading() || FUpdateCount != 0) return;
    this->Repaint();
}

// The class library's own handling of the enter and leave notices is firing
// OnMouseEnter and OnMouseLeave, which MouseEnter and MouseLeave do.
template <class Base>
void TQdControlCommon<Base>::CMMouseEnter()
{
    MouseEnter();
}

template <class Base>
void TQdControlCommon<Base>::CMMouseLeave()
{
    MouseLeave();
}

template <class Base>
void TQdControlCommon<Base>::CMFontChanged()
{
    Base::CMFontChanged();
    FontChanged();
}

template <class Base>
void TQdControlCommon<Base>::CMTextChanged()
{
    Base::CMTextChanged();
    TextChanged();
}

template <class Base>
void TQdControlCommon<Base>::MouseEnter()
{
    if (this->OnMouseEnter) this->OnMouseEnter(this);
}

template <class Base>
void TQdControlCommon<Base>::MouseLeave()
{
    if (this->OnMouseLeave) this->OnMouseLeave(this);
}

template <class Base>
void TQdControlCommon<Base>::FontChanged()
{
    if (OnFontChanged) OnFontChanged(this);
}

template <class Base>
void TQdControlCommon<Base>::TextChanged()
{
    if (OnTextChanged) OnTextChanged(this);
}

template class TQdControlCommon<TCustomControl>;
template class TQdControlCommon<TGraphicControl>;

// ---------------------------------------------------------------------------
// Windowed controls
// ---------------------------------------------------------------------------

TClass TQdCustomControl::StaticClassInfo()
{
    return BaseClassInfo<TQdCustomControl, TCustomControl>("TQdCustomControl");
}

TClass TQdCustomImageControl::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TQdCustomImageControl, TQdCustomControl>("TQdCustomImageControl").Build();
    return &info;
}

TQdCustomImageControl::TQdCustomImageControl(TComponent* AOwner)
    : TQdCustomControl(AOwner), FBitmapImage(CreateOwned<TBitmap>())
{
}

void TQdCustomImageControl::Paint()
{
    BitBlt(Canvas(), 0, 0, Width(), Height(), FBitmapImage->Canvas(), 0, 0, SRCCOPY);
}

void TQdCustomImageControl::ClearBitmapCanvas()
{
    FBitmapImage->SetSize(Width(), Height());
    TCanvas* canvas = FBitmapImage->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(BitmapRect(FBitmapImage.get()));
}

// ---------------------------------------------------------------------------
// Windowless controls
// ---------------------------------------------------------------------------

TClass TQdGraphicControl::StaticClassInfo()
{
    return BaseClassInfo<TQdGraphicControl, TGraphicControl>("TQdGraphicControl");
}

void TQdGraphicControl::ShowDesignFrame(TCanvas* Canvas)
{
    if (!Designing()) return;
    Canvas->Pen()->SetStyle(psDot);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Rectangle(0, 0, Width(), Height());
}

void TQdGraphicControl::UpdateControlBounds()
{
    if (FAutoSize && Align() != alClient && Align() != alCustom)
        ReapplyBounds();
    else
        UpdateControlCanvas();
}

void TQdGraphicControl::AdjustControlSize()
{
    if (!Loading()) ReapplyBounds();
}

void TQdGraphicControl::SetAutoSize(bool Value)
{
    SetIfDifferent(FAutoSize, Value, [this] { UpdateControlBounds(); });
}

void TQdGraphicControl::ReapplyBounds()
{
    const TRect before = BoundsRect();
    if (!Loading()) SetBounds(Left(), Top(), Width(), Height());
    if (CompareRect(before, BoundsRect())) UpdateControlCanvas();
}

TClass TQdGraphicImageControl::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TQdGraphicImageControl, TQdGraphicControl>("TQdGraphicImageControl").Build();
    return &info;
}

TQdGraphicImageControl::TQdGraphicImageControl(TComponent* AOwner)
    : TQdGraphicControl(AOwner), FOverlay(CreateOwned<TBitmap>()), FBitmapImage(CreateOwned<TBitmap>())
{
    FControlStyle.Include(csOpaque);
}

void TQdGraphicImageControl::SetTransparent(bool Value)
{
    if (FTransparent == Value) return;
    FTransparent = Value;
    SetOpaque(!Value);
    if (Designing())
        Invalidate();
    else
        UpdateControlCanvas();
}

TCanvas* TQdGraphicImageControl::GetBitmapCanvas() const
{
    FBitmapImage->SetSize(Width(), Height());
    return FBitmapImage->Canvas();
}

void TQdGraphicImageControl::UpdateControlCanvas()
{
    if (!Designing() && FTransparent && !FOverlay->Empty()) {
        // The parent's image is still cached: keep the parent from painting.
        FRefreshOverlay = false;
        SetOpaque(true);
    }
    TQdGraphicControl::UpdateControlCanvas();
}

void TQdGraphicImageControl::Paint()
{
    BitBlt(Canvas(), 0, 0, Width(), Height(), FBitmapImage->Canvas(), 0, 0, SRCCOPY);
    if (!FTransparent) return;
    // Any later repaint lets the parent paint under the control again, and
    // the cached image is renewed from it.
    FRefreshOverlay = true;
    SetOpaque(false);
}

void TQdGraphicImageControl::ClearBitmapCanvas()
{
    TCanvas* canvas = GetBitmapCanvas();
    canvas->Brush()->SetStyle(bsSolid);
    if (FTransparent) {
        if (FRefreshOverlay) CopyParentImage();
        CopyOverlayImage();
    } else {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(BitmapRect(FBitmapImage.get()));
    }
}

void TQdGraphicImageControl::SetOpaque(bool Opaque)
{
    TControlStyle style = ControlStyle();
    if (Opaque)
        style.Include(csOpaque);
    else
        style.Exclude(csOpaque);
    SetControlStyle(style);
}

void TQdGraphicImageControl::CopyParentImage()
{
    FOverlay->SetSize(Width(), Height());
    ::CopyParentImage(this, FOverlay->Canvas());
}

void TQdGraphicImageControl::CopyOverlayImage()
{
    BitBlt(GetBitmapCanvas(), 0, 0, FOverlay->Width(), FOverlay->Height(), FOverlay->Canvas(), 0, 0, SRCCOPY);
}
