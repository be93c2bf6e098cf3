#include "components/foundation/kSwitchLed.h"

#include "components/foundation/kCommonRoutines.h"
#include "platform/FormStream.h"
#include "platform/Variants.h"

namespace {

// Coordinates computed from property values are kept within this range, so
// that extreme margins and sizes draw nothing rather than overflow.
constexpr Int64 PixelLimit = 1000000;

Integer Pixel(Int64 Value) { return static_cast<Integer>(EnsureRange(Value, -PixelLimit, PixelLimit)); }

TRect PixelRect(Int64 Left, Int64 Top, Int64 Right, Int64 Bottom)
{
    return {Pixel(Left), Pixel(Top), Pixel(Right), Pixel(Bottom)};
}

bool LedAlongWidth(TkSideAlignment Side) { return Side != ksaLeft && Side != ksaRight; }

// Only the space bar's own release ends its press, and that release ends
// the mouse's press as well.
constexpr TkKeyPressing SpaceKeyPressing{.ClickKey = VK_SPACE, .AnyKeyUpEnds = false, .KeyUpEndsMousePress = true};

}  // namespace

TClass TkSwitchLed::StaticClassInfo()
{
    using C = TkSwitchLed;
    static const TClassInfo info =
        TClassBuilder<C, TkCustomComponent>("TkSwitchLed")
            .Bool("Active", &C::Active, &C::SetActive).Default(false)
            .Color("ActiveColor", &C::ActiveColor, &C::SetActiveColor).Default(clLime)
            .Bool("AutoLedSize", &C::AutoLedSize, &C::SetAutoLedSize).Default(true)
            .String("Caption", &C::Caption, &C::SetCaption)
            .Object("CaptionFont", &C::CaptionFont, &C::SetCaptionFont)
            .Integer("CaptionMargin", &C::CaptionMargin, &C::SetCaptionMargin)
            .Enum("CaptionAlignment", &C::CaptionAlignment, &C::SetCaptionAlignment).Default(kslcaIndicator)
            .Enum("IndicatorAlignment", &C::IndicatorAlignment, &C::SetIndicatorAlignment).Default(ksaBottom)
            .Enum("MomentaryStyle", &C::MomentaryStyle, &C::SetMomentaryStyle).Default(ksmsNone)
            .Integer("IndicatorHeight", &C::IndicatorHeight, &C::SetIndicatorHeight).Default(4)
            .Integer("IndicatorMargin", &C::IndicatorMargin, &C::SetIndicatorMargin).Default(5)
            .Integer("IndicatorWidth", &C::IndicatorWidth, &C::SetIndicatorWidth).Default(10)
            .Bool("ShowFocusRect", &C::ShowFocusRect, &C::SetShowFocusRect).Default(true)
            .Bool("WordWrap", &C::WordWrap, &C::SetWordWrap).Default(false)
            .Integer("BorderSize", &C::BorderSize, &C::SetBorderSize)
            .Color("BorderHighlightColor", &C::BorderHighlightColor, &C::SetBorderHighlightColor)
            .Color("BorderShadowColor", &C::BorderShadowColor, &C::SetBorderShadowColor)
            .Event("OnChange", &C::OnChange, &C::OnChange)
            .Event("OnChangeUser", &C::OnChangeUser, &C::OnChangeUser)
            .Object("Glyph", &C::Glyph, &C::SetGlyph)
            .Integer("TabOrder", &C::TabOrder, &C::SetTabOrder).Default(-1)
            .Bool("TabStop", &C::TabStop, &C::SetTabStop).Default(true)
            .Color("BackGroundColor", &C::BackGroundColor, &C::SetBackGroundColor).Default(clBtnFace)
            .Build();
    return &info;
}

void kSwitchLedInitialization() { RegisterClass(TkSwitchLed::StaticClassInfo()); }

TkSwitchLed::TkSwitchLed(TComponent* AOwner)
    : TkPressControl(AOwner, "Active", SpaceKeyPressing), FCaptionFont(CreateOwned<TFont>()),
      FGlyph(CreateOwned<TBitmap>())
{
    SetBounds(Left(), Top(), 40, 28);
    SetCaption("On");
    FCaptionFont->OnChange = [this](TObject* Sender) { RequestRepaintEvent(Sender); };
    FGlyph->OnChange = [this](TObject* Sender) { InvalidateChangeEvent(Sender); };
}

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

void TkSwitchLed::SetActiveNoEvent(bool Value)
{
    TFlagScope suppressed(FOnChangeSuppressed);
    SetActive(Value);
}

void TkSwitchLed::SetActiveByUser(bool Value)
{
    ChangeByUser([this, Value] { SetActive(Value); });
}

void TkSwitchLed::DoChange() { ReportChange(!FOnChangeSuppressed); }

void TkSwitchLed::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    FGlyph->SetTransparent(true);
    FGlyph->SetTransparentMode(tmAuto);
    InvalidateChange();
}

// ---------------------------------------------------------------------------
// Input
// ---------------------------------------------------------------------------

void TkSwitchLed::ClickedByUser() { SetActiveByUser(!FActive); }

void TkSwitchLed::MousePressed(Integer, Integer)
{
    if (FMomentaryStyle == ksmsSimple) SetActiveByUser(true);
    OPCOutputData(MouseDownProperty, Variant(true));
}

void TkSwitchLed::MousePressEnding() { OPCOutputData(MouseDownProperty, Variant(false)); }

bool TkSwitchLed::SpringBack()
{
    if (FMomentaryStyle != ksmsSimple) return false;
    SetActiveByUser(false);
    return true;
}

bool TkSwitchLed::CMDialogChar(Char Key, bool Alt)
{
    if (!Enabled() || !(Alt || AltKeyDown()) || !IsAccel(Key, Caption()))
        return TkPressControl::CMDialogChar(Key, Alt);
    FocusControl(this);
    InvalidateChange();
    ClickedByUser();
    return true;
}

void TkSwitchLed::CMEnabledChanged()
{
    InvalidateChange();
    TkPressControl::CMEnabledChanged();
}

void TkSwitchLed::CMTextChanged()
{
    InvalidateChange();
    TkPressControl::CMTextChanged();
}

// ---------------------------------------------------------------------------
// OPC and form data
// ---------------------------------------------------------------------------

// The OPC items themselves are bound by the component's OPC hosting; the
// switch only names its pseudo property and reports its values through
// OPCOutputData.
void TkSwitchLed::FillOPCSpecialList()
{
    OPCSpecialList()->Clear();
    OPCSpecialList()->Add(MouseDownProperty);
}

// "Caption_2" repeats the caption after it; read last, it is the one kept.
void TkSwitchLed::DefineProperties(TFiler& Filer)
{
    TkPressControl::DefineProperties(Filer);
    Filer.DefineProperty(
        "Caption_2", [this](TReader& Reader) { SetCaption(Reader.ReadString()); },
        [this](TWriter& Writer) { Writer.WriteString(Caption()); }, true);
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

void TkSwitchLed::kPaintTo(TCanvas* Canvas)
{
    DrawBackGround(Canvas, BackGroundColor());
    DrawBevel(Canvas);
    const Integer margin = FBorderSize - 2;
    const TRect inner{margin, margin, Width() - 1 - margin, Height() - 1 - margin};
    Canvas->SetFont(FCaptionFont.get());
    const TRect led = LedRect(inner);
    DrawCaption(Canvas, inner, led);
    DrawLed(Canvas, led);
    DrawFocus(Canvas);
}

namespace {

// Ring 0 is the outer edge of (0, 0, Width - 1, Height - 1); each ring lies
// one pixel further in. The top-left pair is the left and top edges, the
// bottom-right pair the right and bottom edges, which take the corners.
TRect RingRect(TControl* Control, Integer Ring)
{
    return {Ring, Ring, Control->Width() - 1 - Ring, Control->Height() - 1 - Ring};
}

bool RingFits(TControl* Control, Integer Ring) { return 2 * Int64(Ring) < Min(Control->Width(), Control->Height()); }

void DrawTopLeft(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}});
}

void DrawBottomRight(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Polyline({{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left - 1, R.Bottom}});
}

void DrawRing(TCanvas* Canvas, const TRect& R, TColor TopLeft, TColor BottomRight)
{
    DrawTopLeft(Canvas, R, TopLeft);
    DrawBottomRight(Canvas, R, BottomRight);
}

}  // namespace

void TkSwitchLed::DrawBevel(TCanvas* Canvas)
{
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    const bool sunken = HasFocus() && Pressed();
    const TColor topLeft = sunken ? FBorderShadowColor : FBorderHighlightColor;
    const TColor bottomRight = sunken ? FBorderHighlightColor : FBorderShadowColor;
    Integer ring = 1;
    if (!HasFocus()) {
        DrawRing(Canvas, RingRect(this, 0), clBtnHighlight, clBlack);
    } else if (!Pressed()) {
        DrawRing(Canvas, RingRect(this, 0), cl3DDkShadow, clBlack);
    } else {
        DrawRing(Canvas, RingRect(this, 0), clBlack, clBlack);
        DrawRing(Canvas, RingRect(this, 1), cl3DDkShadow, cl3DDkShadow);
        ring = 2;
    }
    for (; ring < FBorderSize && RingFits(this, ring); ++ring)
        DrawRing(Canvas, RingRect(this, ring), topLeft, bottomRight);
    if (HasFocus() && !Pressed() && RingFits(this, FBorderSize))
        DrawBottomRight(Canvas, RingRect(this, FBorderSize), FBorderShadowColor);
}

TRect TkSwitchLed::LedRect(const TRect& Inner)
{
    const Int64 margin = FIndicatorMargin;
    Int64 width = FIndicatorWidth;
    Int64 height = FIndicatorHeight;
    if (!FGlyph->Empty()) {
        width = FGlyph->Width();
        height = FGlyph->Height();
    } else if (FAutoLedSize && LedAlongWidth(FIndicatorAlignment)) {
        width = Inner.Width() - 2 * margin;
    } else if (FAutoLedSize) {
        height = Inner.Height() - 2 * margin;
    }
    const TPoint centre = GetCenterPoint();
    Int64 left = centre.X - width / 2;
    Int64 top = centre.Y - height / 2;
    switch (FIndicatorAlignment) {
        case ksaTop: top = Inner.Top + margin; break;
        case ksaLeft: left = Inner.Left + margin; break;
        case ksaRight: left = Inner.Right - margin - width; break;
        default: top = Inner.Bottom - margin - height; break;
    }
    // The outline takes one pixel more on the right and at the bottom.
    return PixelRect(left, top, left + width + 1, top + height + 1);
}

void TkSwitchLed::DrawCaption(TCanvas* Canvas, const TRect& Inner, const TRect& Led)
{
    const bool byLed = FCaptionAlignment != kslcaOppisiteSide;
    const Int64 margin = FCaptionMargin;
    const Int64 nearGap = byLed ? margin : 0;
    const Int64 farGap = byLed ? 0 : margin;
    Int64 left = Inner.Left, top = Inner.Top, right = Inner.Right, bottom = Inner.Bottom;
    TkTextFlags flags;
    switch (FIndicatorAlignment) {
        case ksaTop:
            top = Led.Bottom + nearGap;
            bottom -= farGap;
            flags = {ktfCenter, byLed ? ktfTop : ktfBottom};
            break;
        case ksaLeft:
            left = Led.Right + nearGap;
            right -= farGap;
            flags = {byLed ? ktfLeft : ktfRight, ktfVCenter};
            break;
        case ksaRight:
            right = Led.Left - nearGap;
            left += farGap;
            flags = {byLed ? ktfRight : ktfLeft, ktfVCenter};
            break;
        default:
            bottom = Led.Top - nearGap;
            top += farGap;
            flags = {ktfCenter, byLed ? ktfBottom : ktfTop};
            break;
    }
    flags += TkTextFlags{FWordWrap ? ktfWordBreak : ktfSingleLine, ktfNoClip, ktfPrefix};
    TRect rect = PixelRect(left, top, right, bottom);
    if (Pressed()) OffsetRect(rect, 1, 1);
    DrawTextStyled(Canvas, Caption(), rect, flags, Enabled(), BackGroundColor());
}

void TkSwitchLed::DrawLed(TCanvas* Canvas, const TRect& Led)
{
    const bool hasGlyph = !FGlyph->Empty();
    if (!hasGlyph && (FIndicatorHeight <= 1 || FIndicatorWidth <= 1)) return;
    if (Led.Width() <= 0 || Led.Height() <= 0) return;
    TRect led = Led;
    if (Pressed()) OffsetRect(led, 1, 1);
    if (hasGlyph) {
        Canvas->Draw(led.Left, led.Top, FGlyph.get());
        return;
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FActive ? FActiveColor : DivideColor(FActiveColor, 3));
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Rectangle(led);
    const Integer right = led.Right - 1;
    const Integer bottom = led.Bottom - 1;
    Canvas->Pen()->SetColor(clWhite);
    Canvas->Polyline({{led.Left, bottom}, {right, bottom}, {right, led.Top - 1}});
}

void TkSwitchLed::DrawFocus(TCanvas* Canvas)
{
    if (!FShowFocusRect || !HasFocus()) return;
    Canvas->Pen()->SetColor(clBtnFace);
    Canvas->Brush()->SetColor(clBtnFace);
    DrawColoredFocusRect(Canvas, TRect{3, 3, Width() - 3, Height() - 3}, BackGroundColor());
}
