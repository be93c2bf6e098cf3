#include "components/foundation/kCheckBox.h"

#include "components/foundation/kCommonRoutines.h"
#include "platform/Graphics.h"
#include "platform/Math.h"

namespace {

// Side of the square box, and the caption's distance from the box's left
// edge when the caption stands right of it.
constexpr Integer BoxSize = 13;
constexpr Integer CaptionIndent = 18;
// The largest side a bitmap may have: a control fitted to a longer caption
// or a larger font could not be painted, so the fit stops there.
constexpr Int64 MaxFittedSide = 32767;

TRect SatRect(Int64 Left, Int64 Top, Int64 Right, Int64 Bottom)
{
    return {SatInt32(Left), SatInt32(Top), SatInt32(Right), SatInt32(Bottom)};
}

}  // namespace

TClass TkCheckBox::StaticClassInfo()
{
    using C = TkCheckBox;
    static const TClassInfo info = TClassBuilder<C, TkCustomComponent>("TkCheckBox")
                                       .String("Caption", &C::Caption, &C::SetCaption)
                                       .Bool("Checked", &C::Checked, &C::SetChecked).Default(false)
                                       .Integer("Alignment", &C::Alignment, &C::SetAlignment).Default(1)
                                       .Bool("AutoSize", &C::AutoSize, &C::SetAutoSize).Default(true)
                                       .Object("Font", &C::Font, &C::SetFont)
                                       .Event("OnChange", &C::OnChange, &C::OnChange)
                                       .Event("OnChangeUser", &C::OnChangeUser, &C::OnChangeUser)
                                       .Color("BackGroundColor", &C::BackGroundColor, &C::SetBackGroundColor)
                                       .Default(clBtnFace)
                                       .Integer("TabOrder", &C::TabOrder, &C::SetTabOrder).Default(-1)
                                       .Bool("TabStop", &C::TabStop, &C::SetTabStop).Default(true)
                                       .Build();
    return &info;
}

void kCheckBoxInitialization() { RegisterClass(TkCheckBox::StaticClassInfo()); }

TkCheckBox::TkCheckBox(TComponent* AOwner) : TkPressControl(AOwner, "Checked"), FFont(CreateOwned<TFont>())
{
    FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    AdjustSize();
}

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

void TkCheckBox::ClickedByUser()
{
    ChangeByUser([this] { SetChecked(!FChecked); });
}

// ---------------------------------------------------------------------------
// Appearance and auto-size
// ---------------------------------------------------------------------------

void TkCheckBox::SetCaption(const String& Value)
{
    SetIfDifferent(FCaption, Value, [this] {
        AdjustSize();
        InvalidateChange();
    });
}

void TkCheckBox::SetAutoSize(bool Value)
{
    SetIfDifferent(FAutoSize, Value, [this] {
        AdjustSize();
        InvalidateChange();
    });
}

void TkCheckBox::SetAlignment(Byte Value)
{
    const Byte alignment = Value == 0 ? 0 : 1;
    if (alignment == FAlignment) return;
    FAlignment = alignment;
    InvalidateChange();
}

Integer TkCheckBox::CaptionRoom() const
{
    // Left of a box at the right edge the caption starts at 1.
    return FAlignment == 0 ? Width() - BoxSize - 1 : Width() - CaptionIndent;
}

void TkCheckBox::FontChanged(TObject*)
{
    AdjustSize();
    InvalidateChange();
}

void TkCheckBox::AdjustSize()
{
    if (!FAutoSize || IsLoading() || FDoingAutoSize) return;
    TFlagScope sizing(FDoingAutoSize);
    TOwned<TBitmap> scratch(CreateOwned<TBitmap>());
    scratch->Canvas()->SetFont(FFont.get());
    const TSize text = scratch->Canvas()->TextExtent(FCaption);
    const Integer width = Integer(Min(Int64(text.cx) + 20, MaxFittedSide));
    const Integer height = Integer(Min(Int64(text.cy) + 4, MaxFittedSide));
    // With the box at the right the right edge stays where it is.
    const Integer left = FAlignment == 0 ? SatInt32(Int64(Left()) + Width() - width) : Left();
    SetBounds(left, Top(), width, height);
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

void TkCheckBox::kPaintTo(TCanvas* Canvas)
{
    SetTransparent(true);
    DrawBackGround(Canvas, BackGroundColor());
    const Integer middle = Height() / 2;
    Canvas->SetFont(FFont.get());
    const TRect box = BoxRect(middle);
    const TRect caption = CaptionRect(middle, Canvas->TextExtent(FCaption));
    DrawBox(Canvas, box);
    DrawCaption(Canvas, caption);
    if (FChecked) DrawCheckMark(Canvas, box.Left, middle);
    if (HasFocus()) DrawFocus(Canvas, caption);
}

TRect TkCheckBox::BoxRect(Integer Middle) const
{
    const Int64 left = FAlignment == 0 ? Int64(Width()) - BoxSize : 0;
    return SatRect(left, Int64(Middle) - 7, left + BoxSize, Int64(Middle) + 6);
}

TRect TkCheckBox::CaptionRect(Integer Middle, TSize Text) const
{
    const Int64 left = FAlignment == 0 ? 1 : CaptionIndent;
    const Int64 top = Int64(Middle) - Text.cy / 2 - 1;
    return SatRect(left, top, left + Text.cx, top + Text.cy);
}

void TkCheckBox::DrawBox(TCanvas* Canvas, const TRect& Box)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Pressed() || !Enabled() ? BackGroundColor() : clWhite);
    Canvas->FillRect(Box);
    DrawFrame(Canvas, Box, 0);
}

void TkCheckBox::DrawCaption(TCanvas* Canvas, TRect Rect)
{
    Canvas->Brush()->SetStyle(bsClear);
    DrawTextStyled(Canvas, FCaption, Rect, {ktfLeft, ktfVCenter, ktfSingleLine, ktfNoClip}, Enabled(),
                   BackGroundColor());
}

void TkCheckBox::DrawCheckMark(TCanvas* Canvas, Integer BoxLeft, Integer Middle)
{
    TPen* pen = Canvas->Pen();
    pen->SetColor(clBlack);
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    const Integer l = BoxLeft;
    for (Integer d = 0; d >= -2; --d)
        Canvas->Polyline({{l + 3, Middle + d}, {l + 5, Middle + 2 + d}, {l + 10, Middle - 3 + d}});
}

void TkCheckBox::DrawFocus(TCanvas* Canvas, const TRect& Caption)
{
    const TRect grown = SatRect(Int64(Caption.Left) - 1, Int64(Caption.Top) - 1, Int64(Caption.Right) + 1,
                                Int64(Caption.Bottom) + 2);
    TRect focus;
    if (!IntersectRect(focus, grown, TRect{0, 0, Width(), Height()})) return;
    Canvas->Font()->SetColor(clWhite);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBlack);
    DrawFocusRectangle(Canvas, focus);
}
