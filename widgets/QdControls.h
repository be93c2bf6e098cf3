#pragma once
// The bases of the panel widget library: non-visual components (with
// change links to client controls), windowed controls and windowless ones,
// each also double-buffered; the library's exception, shared types and
// hand cursor.
//
// Every base publishes "Version", which always reads kQdVersion and is
// never written to a form (a value read from an old form is ignored).

#include <vector>

#include "platform/Controls.h"
#include "platform/SysUtils.h"

inline constexpr const char* kQdVersion = "1.4.5";

enum TQdOrientation { qoVertical, qoHorizontal };
PL_ENUM_NAMES(TQdOrientation, "qoVertical", "qoHorizontal")

// 1 .. the largest Integer; properties of this type keep to that range.
using TQdMaxInt = Integer;

PL_DECLARE_EXCEPTION(EQdException, Exception)

// Screen cursor of the library's pointing hand.
constexpr TCursor crQdHandPoint = 99;

// Installs the hand cursor (the first time of nested calls); the
// finalization only counts the calls down.
void QdControlsInitialization();
void QdControlsFinalization();

// ---------------------------------------------------------------------------
// Non-visual components
// ---------------------------------------------------------------------------

class TQdComponent : public TComponent {
    PL_CLASSINFO()
public:
    using TComponent::TComponent;
};

class TQdSharedComponent;

// A client's subscription to a shared component. The client owns it;
// freeing it leaves the shared component first.
class TQdChangeLink : public TObject {
public:
    ~TQdChangeLink() override;

    // The shared component the link is attached to, or nullptr.
    TQdSharedComponent* Sender() const { return FSender; }
    // Fires OnChange with the shared component as sender.
    virtual void Change();

    TNotifyEvent OnChange;

private:
    friend class TQdSharedComponent;
    TQdSharedComponent* FSender = nullptr;
};

// A component whose changes reach every attached link, in order of
// attachment. It never frees the links; freeing it detaches them.
class TQdSharedComponent : public TQdComponent {
    PL_CLASSINFO()
public:
    using TQdComponent::TQdComponent;
    ~TQdSharedComponent() override;

    // Attaches Link at the end (leaving the component it was attached to).
    void InsertLink(TQdChangeLink* Link);
    // Detaches Link; a link that is not attached here is left alone.
    void RemoveLink(TQdChangeLink* Link);
    // Change of every link, first attached first; a link freed or detached
    // meanwhile is skipped.
    void NotifyClients();
    Integer ClientCount() const { return static_cast<Integer>(FClients.size()); }

private:
    std::vector<TQdChangeLink*> FClients;
};

// ---------------------------------------------------------------------------
// Controls
// ---------------------------------------------------------------------------

// What the windowed and the windowless bases share: batched repaints and
// the enter, leave, font and text notices as virtual operations.
template <class Base>
class TQdControlCommon : public Base {
public:
    explicit TQdControlCommon(TComponent* AOwner) : Base(AOwner) {}

    bool Designing() const { return this->ComponentState().Contains(csDesigning); }
    bool Loading() const { return this->ComponentState().Contains(csLoading); }
    // Between BeginUpdate and the matching EndUpdate nothing repaints; the
    // last EndUpdate repaints once. An unmatched EndUpdate only repaints.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // The client area in the control's Color, on its own canvas.
    void ClearClientCanvas();
    // The one repaint entry of the library's setters: at once, unless
    // loading or inside an update (inside a paint it is deferred).
    virtual void UpdateControlCanvas();

    void CMMouseEnter() override;
    void CMMouseLeave() override;
    void CMFontChanged() override;
    void CMTextChanged() override;

    TNotifyEvent OnFontChanged;
    TNotifyEvent OnTextChanged;

protected:
    // Fire OnMouseEnter, OnMouseLeave, OnFontChanged and OnTextChanged.
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void FontChanged();
    virtual void TextChanged();
    Integer UpdateCount() const { return FUpdateCount; }
    // Stores Value and repaints when it differs: the library's setter.
    template <class V>
    void Change(V& Field, const V& Value)
    {
        SetIfDifferent(Field, Value, [this] { UpdateControlCanvas(); });
    }

private:
    Integer FUpdateCount = 0;
};

class TQdCustomControl : public TQdControlCommon<TCustomControl> {
    PL_CLASSINFO()
public:
    using TQdControlCommon::TQdControlCommon;
};

// Draws into an off-screen bitmap that Paint copies to the screen.
class TQdCustomImageControl : public TQdCustomControl {
    PL_CLASSINFO()
public:
    explicit TQdCustomImageControl(TComponent* AOwner);

    TCanvas* GetBitmapCanvas() const { return FBitmapImage->Canvas(); }

protected:
    // Descendants draw into the bitmap, then call this Paint.
    void Paint() override;
    // Sizes the bitmap to the control and fills it with Color.
    virtual void ClearBitmapCanvas();
    TBitmap* BitmapImage() const { return FBitmapImage.get(); }
    TCanvas* DestCanvas() const { return Canvas(); }

private:
    TOwned<TBitmap> FBitmapImage;
};

class TQdGraphicControl : public TQdControlCommon<TGraphicControl> {
    PL_CLASSINFO()
public:
    using TQdControlCommon::TQdControlCommon;

    // While designing: a dotted black frame round the control on Canvas.
    void ShowDesignFrame(TCanvas* Canvas);
    // With AutoSize and an alignment the control keeps its own size in
    // (not client or custom): SetBounds again, which may give the size the
    // control wants; otherwise, or when nothing moved, a repaint.
    virtual void UpdateControlBounds();
    // SetBounds again (not while loading); a repaint when nothing moved.
    virtual void AdjustControlSize();

protected:
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);

private:
    void ReapplyBounds();

    bool FAutoSize = false;
};

// A windowless control drawn through an off-screen bitmap, optionally
// transparent: it then shows what its parent paints under it, from a
// cached copy while its own changes repaint it.
class TQdGraphicImageControl : public TQdGraphicControl {
    PL_CLASSINFO()
public:
    explicit TQdGraphicImageControl(TComponent* AOwner);

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // The canvas of the off-screen bitmap, sized to the control.
    TCanvas* GetBitmapCanvas() const;
    // A change of the control itself: repainted over the cached parent
    // image, without the parent painting again.
    void UpdateControlCanvas() override;

protected:
    // Descendants draw into the bitmap, then call this Paint.
    void Paint() override;
    // The cached parent image when transparent (captured again first when
    // due), else the control's Color.
    virtual void ClearBitmapCanvas();
    void CopyParentImage();
    void CopyOverlayImage();
    TBitmap* BitmapImage() const { return FBitmapImage.get(); }
    TCanvas* DestCanvas() const { return Canvas(); }

private:
    // Opaque: the parent does not paint under the control.
    void SetOpaque(bool Opaque);

    TOwned<TBitmap> FOverlay;
    TOwned<TBitmap> FBitmapImage;
    bool FRefreshOverlay = true;
    bool FTransparent = false;
};
