#pragma once
// Panels, images and timers.

#include "platform/Controls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
PL_ENUM_NAMES(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")

// Draws Width nested one-pixel frames: TopColor on the left and top edges,
// BottomColor on the right and bottom ones; Rect shrinks by Width.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width);

// ---------------------------------------------------------------------------
// Panels
// ---------------------------------------------------------------------------

// Outer bevel, border, inner bevel, then the face with the caption.
class TCustomPanel : public TCustomControl {
    PL_CLASSINFO()
public:
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    Integer BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(Integer Value);
    Integer BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(Integer Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool Value) { FFullRepaint = Value; }
    bool ParentBackground() const { return FParentBackground; }
    void SetParentBackground(bool Value) { FParentBackground = Value; }

    // Aligned children fit inside the bevels and the border.
    void AdjustClientRect(TRect& Rect) const override;
    void CMTextChanged() override;

protected:
    void Paint() override;

private:
    void Changed();

    TAlignment FAlignment = taCenter;
    TVerticalAlignment FVerticalAlignment = taVerticalCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    Integer FBevelWidth = 1;
    Integer FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    bool FShowCaption = true;
    bool FFullRepaint = true;
    bool FParentBackground = true;
};

class TPanel : public TCustomPanel {
    PL_CLASSINFO()
public:
    using TCustomPanel::TCustomPanel;
};

// ---------------------------------------------------------------------------
// Images
// ---------------------------------------------------------------------------

// Shows its picture at natural size from the top-left corner, clipped to
// the control; Stretch, Proportional and Center change the placement.
class TImage : public TGraphicControl {
    PL_CLASSINFO()
public:
    explicit TImage(TComponent* AOwner);

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();

    TOwned<TPicture> FPicture;
    bool FAutoSize = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FStretch = false;
    bool FTransparent = false;
};

// ---------------------------------------------------------------------------
// Timers
// ---------------------------------------------------------------------------

// Ticks on the GUI thread every Interval milliseconds (below 10 ms: 10 ms)
// while Enabled, with Interval not 0 and OnTimer set. A tick never
// overlaps another handler of the message loop; the timer may be freed
// inside its own tick.
class TTimer : public TComponent {
    PL_CLASSINFO()
public:
    explicit TTimer(TComponent* AOwner);
    void BeforeDestruction() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal Value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent Value);
    // True while a tick is scheduled.
    bool Running() const { return FTimerId != 0; }

protected:
    virtual void Timer();

private:
    void UpdateTimer();

    bool FEnabled = true;
    Cardinal FInterval = 1000;
    TNotifyEvent FOnTimer;
    Integer FTimerId = 0;
};
