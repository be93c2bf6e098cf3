#include "platform/ExtCtrls.h"

#include "MessageLoop.h"
#include "Publish.h"
#include "platform/Math.h"
#include "platform/SysApi.h"

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width)
{
    TPen* pen = Canvas->Pen();
    pen->SetWidth(1);
    pen->SetStyle(psSolid);
    --Rect.Bottom;
    --Rect.Right;
    for (; Width > 0; --Width) {
        pen->SetColor(TopColor);
        Canvas->Polyline({{Rect.Left, Rect.Bottom}, {Rect.Left, Rect.Top}, {Rect.Right, Rect.Top}});
        pen->SetColor(BottomColor);
        Canvas->Polyline({{Rect.Right, Rect.Top}, {Rect.Right, Rect.Bottom}, {Rect.Left - 1, Rect.Bottom}});
        InflateRect(Rect, -1, -1);
    }
    ++Rect.Bottom;
    ++Rect.Right;
}

// ---------------------------------------------------------------------------
// TCustomPanel
// ---------------------------------------------------------------------------

namespace {

void BevelColors(TBevelCut Bevel, TColor& Top, TColor& Bottom)
{
    Top = Bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    Bottom = Bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}

}  // namespace

TClass TCustomPanel::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomPanel, TCustomControl>("TCustomPanel").Build();
    return &info;
}

TClass TPanel::StaticClassInfo()
{
    using C = TPanel;
    static const TClassInfo info = [] {
        TClassBuilder<C, TCustomPanel> b("TPanel");
        pl::PublishAlign(b)
            .Enum("Alignment", &C::Alignment, &C::SetAlignment).Default(taCenter)
            .Enum("BevelInner", &C::BevelInner, &C::SetBevelInner).Default(bvNone)
            .Enum("BevelOuter", &C::BevelOuter, &C::SetBevelOuter).Default(bvRaised)
            .Integer("BevelWidth", &C::BevelWidth, &C::SetBevelWidth).Default(1)
            .Integer("BorderWidth", &C::BorderWidth, &C::SetBorderWidth).Default(0)
            .Enum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(bsNone)
            .String("Caption", &C::Caption, &C::SetCaption).Default(String());
        pl::PublishColor(b, clBtnFace, false)
            .Bool("FullRepaint", &C::FullRepaint, &C::SetFullRepaint).Default(true);
        pl::PublishFont(b)
            .Bool("ParentBackground", &C::ParentBackground, &C::SetParentBackground).Default(true)
            .Bool("ShowCaption", &C::ShowCaption, &C::SetShowCaption).Default(true);
        pl::PublishState(b);
        pl::PublishTab(b, false);
        b.Enum("VerticalAlignment", &C::VerticalAlignment, &C::SetVerticalAlignment).Default(taVerticalCenter);
        pl::PublishMouseEvents(b);
        pl::PublishKeyEvents(b).Event("OnResize", &C::OnResize, &C::OnResize);
        return b.Build();
    }();
    return &info;
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                     csReplicatable};
    SetParentColor(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::Changed()
{
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TVerticalAlignment Value)
{
    FVerticalAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value)
{
    FBevelInner = Value;
    Changed();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value)
{
    FBevelOuter = Value;
    Changed();
}

void TCustomPanel::SetBevelWidth(Integer Value)
{
    FBevelWidth = std::max(Value, 1);
    Changed();
}

void TCustomPanel::SetBorderWidth(Integer Value)
{
    FBorderWidth = std::max(Value, 0);
    Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value == bsNone ? bsNone : bsSingle;
    Changed();
}

void TCustomPanel::SetShowCaption(bool Value)
{
    FShowCaption = Value;
    Invalidate();
}

void TCustomPanel::CMTextChanged()
{
    TCustomControl::CMTextChanged();
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect) const
{
    Integer inset = FBorderWidth + (FBorderStyle == bsSingle ? 1 : 0);
    if (FBevelOuter != bvNone) inset += FBevelWidth;
    if (FBevelInner != bvNone) inset += FBevelWidth;
    InflateRect(Rect, -inset, -inset);
}

void TCustomPanel::Paint()
{
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    TColor top, bottom;
    if (FBorderStyle == bsSingle) Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, top, bottom);
        Frame3D(canvas, r, top, bottom, FBevelWidth);
    }
    Frame3D(canvas, r, Color(), Color(), FBorderWidth);
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, top, bottom);
        Frame3D(canvas, r, top, bottom, FBevelWidth);
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    if (!FShowCaption || Caption().empty()) return;
    static const Cardinal horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    static const Cardinal vertical[] = {DT_TOP, DT_BOTTOM, DT_VCENTER};
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    DrawText(canvas, Caption(), r,
             DT_EXPANDTABS | DT_SINGLELINE | horizontal[FAlignment] | vertical[FVerticalAlignment]);
}

// ---------------------------------------------------------------------------
// TImage
// ---------------------------------------------------------------------------

TClass TImage::StaticClassInfo()
{
    using C = TImage;
    static const TClassInfo info = [] {
        TClassBuilder<C, TGraphicControl> b("TImage");
        pl::PublishAlign(b)
            .Bool("AutoSize", &C::AutoSize, &C::SetAutoSize).Default(false)
            .Bool("Center", &C::Center, &C::SetCenter).Default(false);
        pl::PublishState(b)
            .Object("Picture", &C::Picture, &C::SetPicture)
            .Bool("Proportional", &C::Proportional, &C::SetProportional).Default(false)
            .Bool("Stretch", &C::Stretch, &C::SetStretch).Default(false)
            .Bool("Transparent", &C::Transparent, &C::SetTransparent).Default(false);
        pl::PublishMouseEvents(b);
        return b.Build();
    }();
    return &info;
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(CreateOwned<TPicture>())
{
    FControlStyle += TControlStyle{csReplicatable};
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

void TImage::PictureChanged()
{
    if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    if (TGraphic* graphic = FPicture->Graphic()) graphic->SetTransparent(FTransparent);
    Invalidate();
}

void TImage::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    PictureChanged();
}

void TImage::SetCenter(bool Value)
{
    FCenter = Value;
    Invalidate();
}

void TImage::SetProportional(bool Value)
{
    FProportional = Value;
    Invalidate();
}

void TImage::SetStretch(bool Value)
{
    FStretch = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value)
{
    FTransparent = Value;
    PictureChanged();
}

TRect TImage::DestRect() const
{
    Integer w = FPicture->Width();
    Integer h = FPicture->Height();
    const Integer cw = ClientWidth();
    const Integer ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            const double aspect = static_cast<double>(w) / h;
            if (w > h) {
                w = cw;
                h = static_cast<Integer>(Trunc(cw / aspect));
                if (h > ch) {
                    h = ch;
                    w = static_cast<Integer>(Trunc(ch * aspect));
                }
            } else {
                h = ch;
                w = static_cast<Integer>(Trunc(ch * aspect));
                if (w > cw) {
                    w = cw;
                    h = static_cast<Integer>(Trunc(cw / aspect));
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r = Rect(0, 0, w, h);
    if (FCenter) OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint()
{
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic || graphic->Empty()) return;
    Canvas()->StretchDraw(DestRect(), graphic);
}

// ---------------------------------------------------------------------------
// TTimer
// ---------------------------------------------------------------------------

TClass TTimer::StaticClassInfo()
{
    using C = TTimer;
    static const TClassInfo info = TClassBuilder<C, TComponent>("TTimer")
                                       .Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true)
                                       .Integer("Interval", &C::Interval, &C::SetInterval).Default(1000)
                                       .Event("OnTimer", &C::OnTimer, &C::SetOnTimer)
                                       .Build();
    return &info;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

void TTimer::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    pl::StopTimer(FTimerId);
    FTimerId = 0;
}

void TTimer::SetEnabled(bool Value)
{
    SetIfDifferent(FEnabled, Value, [this] { UpdateTimer(); });
}

void TTimer::SetInterval(Cardinal Value)
{
    SetIfDifferent(FInterval, Value, [this] { UpdateTimer(); });
}

void TTimer::SetOnTimer(TNotifyEvent Value)
{
    FOnTimer = std::move(Value);
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    pl::StopTimer(FTimerId);
    FTimerId = 0;
    if (!FEnabled || FInterval == 0 || !FOnTimer || ComponentState().Contains(csDestroying)) return;
    TWeakRef<TTimer> self(this);
    FTimerId = pl::StartTimer(FInterval, [self] {
        if (TTimer* timer = self.Get()) timer->Timer();
    });
}

void TTimer::Timer()
{
    if (FOnTimer) FOnTimer(this);
}
