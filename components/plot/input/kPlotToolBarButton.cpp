#include "components/plot/input/kPlotToolBarButton.h"

#include <array>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "platform/ImgList.h"
#include "platform/Math.h"
#include "platform/Resources.h"

namespace {

// The pictures' background, left out when they are drawn.
constexpr TColor kImageTransparentColor = 0x808000;
// The face of a pressed button.
constexpr TColor kPressedFace = 0xFFFFFF - 0x101010;
constexpr Integer kHintGap = 3;
constexpr Integer kHintPadding = 4;

// The edge of a flat button, on R less its last column and row: Top-left
// in one colour, bottom-right in the other.
void DrawEdge(TCanvas* Canvas, const TRect& R, TColor TopLeft, TColor BottomRight)
{
    const Integer right = R.Right - 1;
    const Integer bottom = R.Bottom - 1;
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(TopLeft);
    Canvas->Polyline(std::array{Point(R.Left, bottom), Point(R.Left, R.Top), Point(right, R.Top)});
    Canvas->Pen()->SetColor(BottomRight);
    Canvas->Polyline(std::array{Point(right, R.Top), Point(right, bottom), Point(R.Left, bottom)});
}

void FillFace(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(R);
}

}  // namespace

TClass TkPlotToolBarButton::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TkPlotToolBarButton, TkPlotButton>("TkPlotToolBarButton").Build();
    return &info;
}

TkPlotToolBarButton::TkPlotToolBarButton(TkPlotObjectOwner* AOwner, TkPlotObject* AToolBar, TImageList* AImageList)
    : TkPlotButton(AOwner), FToolBar(AToolBar), FImageList(AImageList)
{
}

TkPlotToolBarButton::TkPlotToolBarButton(TkPlotObjectOwner* AOwner, TkPlotObject* AToolBar, TImageList* AImageList,
                                         const TkPlotToolBarButtonSpec& Spec)
    : TkPlotToolBarButton(AOwner, AToolBar, AImageList)
{
    FStyle = kptbbsButton;
    FType = Spec.Type;
    FHint = Spec.Hint;
    FBaseImageName = Spec.ImageName;
    FImageName = FBaseImageName;
    SetGroupIndex(Spec.GroupIndex);
}

void TkPlotToolBarButton::SetSmallImage(bool Value)
{
    if (FStyle == kptbbsSpacer) return;
    FImageName = Value ? "SMALL" + FBaseImageName : FBaseImageName;
    FImageIndex = -1;
    FImageMissing = false;
}

void TkPlotToolBarButton::LoadImage()
{
    if (FImageIndex >= 0 || FImageMissing || FImageName.empty()) return;
    // A program built without the pictures still shows its buttons.
    FImageMissing = FindResourceData(FImageName).empty();
    if (FImageMissing) return;
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->LoadFromResourceName(FImageName);
    FImageIndex = FImageList->AddMasked(bitmap.get(), kImageTransparentColor);
}

void TkPlotToolBarButton::Draw(const TkPlotPaintContext& Context)
{
    TCanvas* canvas = Context.Canvas;
    if (FStyle == kptbbsSpacer) return;
    LoadImage();
    const bool pressed = Pressed() || Down();
    DrawFace(canvas, pressed);
    if (FImageIndex < 0) return;
    const TRect r = DrawRect();
    const Integer shift = pressed ? 1 : 0;
    const Integer x = SatInt32(Int64{r.Left} + Width() / 2 - FImageList->Width() / 2 + shift);
    const Integer y = SatInt32(Int64{r.Top} + Height() / 2 - FImageList->Height() / 2 + shift);
    FImageList->Draw(canvas, x, y, FImageIndex, DrawnEnabled());
}

// A disabled toolbar takes no click, so none of its buttons looks as if it did.
bool TkPlotToolBarButton::DrawnEnabled() const { return Enabled() && (!FToolBar || FToolBar->Enabled()); }

void TkPlotToolBarButton::DrawFace(TCanvas* Canvas, bool Pressed)
{
    const TRect r = DrawRect();
    if (!FFlat) {
        if (Pressed) FillFace(Canvas, r, kPressedFace);
        DrawFrame(Canvas, r, Pressed ? 0 : 1);
        return;
    }
    if (Pressed && !FMouseOver) FillFace(Canvas, r, kPressedFace);
    if (!DrawnEnabled()) return;
    if (Pressed)
        DrawEdge(Canvas, r, clBtnShadow, clBtnHighlight);
    else if (FMouseOver)
        DrawEdge(Canvas, r, clBtnHighlight, clBtnShadow);
}

void TkPlotToolBarButton::SetMouseOver(bool Value)
{
    // Only a change of look asks for a paint.
    if (Value == FMouseOver) return;
    FMouseOver = Value;
    if (FFlat || !Value) DoInvalidate();
}

void TkPlotToolBarButton::kMouseMove(TkPlotHintData& HintData, TShiftState Shift, Integer X, Integer Y,
                                     bool DblClickActive)
{
    TWeakRef<TkPlotObject> self(this);
    SetMouseOver(true);
    if (self) TkPlotButton::kMouseMove(HintData, Shift, X, Y, DblClickActive);
}

void TkPlotToolBarButton::DoMouseNotOver()
{
    TWeakRef<TkPlotObject> self(this);
    TkPlotButton::DoMouseNotOver();
    if (self) SetMouseOver(false);
}

void TkPlotToolBarButton::DoMouseHint(const TkPlotMouseData&, TkPlotHintData& HintData)
{
    if (FStyle == kptbbsSpacer) return;
    TkPlotInputHost* input = Host().Input;
    HintData.Text = TranslateString(FHint);
    if (!input) return;
    Fire(PlotEvent::ToolBarCustomizeHint{FToolBar, HintData.Text});
    const TRect r = DrawRect();
    const TSize extent = input->HintTextExtent(HintData.Text);
    HintData.Left = r.Left;
    HintData.Top = SatInt32(Int64{r.Bottom} + kHintGap);
    HintData.Width = SatInt32(Int64{extent.cx} + kHintPadding);
    HintData.Height = SatInt32(Int64{extent.cy} + kHintPadding);
}
