#include "components/editor/kUpDown.h"

#include "components/foundation/kCommonRoutines.h"
#include "platform/Math.h"

namespace {

constexpr Cardinal FirstRepeatInterval = 500;
constexpr Cardinal RepeatInterval = 50;

}  // namespace

TClass TkUpDown::StaticClassInfo()
{
    using C = TkUpDown;
    static const TClassInfo info = TClassBuilder<C, TGraphicControl>("TkUpDown")
                                       .Reference("Associate", &C::Associate, &C::SetAssociate)
                                       .Integer("Min", &C::Min, &C::SetMin).Default(0)
                                       .Integer("Max", &C::Max, &C::SetMax).Default(100)
                                       .Integer("Increment", &C::Increment, &C::SetIncrement).Default(1)
                                       .Integer("Left", &C::Left, &C::SetLeft)
                                       .Integer("Top", &C::Top, &C::SetTop)
                                       .Integer("Width", &C::Width, &C::SetWidth).Default(15)
                                       .Integer("Height", &C::Height, &C::SetHeight).Default(21)
                                       .Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true)
                                       .Bool("Visible", &C::Visible, &C::SetVisible).Default(true)
                                       .Build();
    return &info;
}

TkUpDown::TkUpDown(TComponent* AOwner)
    : TGraphicControl(AOwner), FRepeat(FirstRepeatInterval, RepeatInterval, [this] { Step(); })
{
    SetBounds(Left(), Top(), 15, 21);
}

// ---- Associate ----

void TkUpDown::SetAssociate(TkComponentEditorEdit* Value) { FAssociate.SetEdit(Value); }

void TkUpDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove) FAssociate.Removed(AComponent);
}

// ---- Value ----

Integer TkUpDown::AsInteger() const { return Associate() ? Associate()->AsInteger() : 0; }

void TkUpDown::SetAsInteger(Integer Value)
{
    TkComponentEditorEdit* edit = Associate();
    if (!edit) return;
    // Written out rather than a clamp routine: Min above Max must still
    // give a defined result (Min).
    const bool bounded = FMin != 0 || FMax != 0;
    if (bounded && Value > FMax) Value = FMax;
    if (bounded && Value < FMin) Value = FMin;
    if (FUserGenerated) edit->SetIntegerWithEvent(Value);
    else edit->SetAsInteger(Value);
}

// ---- Enabled state ----

void TkUpDown::Disable() { SetEnabled(false); }
void TkUpDown::Enable() { SetEnabled(true); }

void TkUpDown::SetEnabled(bool Value)
{
    if (!Value) StopRepeat();
    TGraphicControl::SetEnabled(Value);
    if (Associate()) Associate()->SetEnabled(Value);
    Invalidate();
}

void TkUpDown::CMVisibleChanged()
{
    if (!Visible()) StopRepeat();
    TGraphicControl::CMVisibleChanged();
}

// ---- Repeat ----

void TkUpDown::TrackButtons(Integer X, Integer Y)
{
    const TPoint at{X, Y};
    const bool up = FMouseDown && PtInRect(FUpButtonRect, at);
    const bool down = FMouseDown && PtInRect(FDownButtonRect, at);
    if (up == FUpButtonPressed && down == FDownButtonPressed) return;
    FUpButtonPressed = up;
    FDownButtonPressed = down;
    Invalidate();
}

void TkUpDown::Step()
{
    if (!FUpButtonPressed && !FDownButtonPressed) return;
    bool stepped = false;
    TScopeExit stopUnlessStepped([&] {
        if (!stepped) StopRepeat();
    });
    TFlagScope user(FUserGenerated);
    SetAsInteger(AsInteger() + (FUpButtonPressed ? FIncrement : -FIncrement));
    stepped = true;
}

void TkUpDown::StopRepeat() noexcept
{
    FRepeat.Stop();
    FMouseDown = false;
    FUpButtonPressed = false;
    FDownButtonPressed = false;
}

// ---- Mouse ----

void TkUpDown::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    FMouseDown = true;
    LayoutButtons();
    TrackButtons(X, Y);
    FRepeat.Start();
    Step();
}

void TkUpDown::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FMouseDown) TrackButtons(X, Y);
}

void TkUpDown::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (Button == mbLeft) {
        StopRepeat();
        Invalidate();
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TkUpDown::WMCaptureChanged()
{
    StopRepeat();
    Invalidate();
    TGraphicControl::WMCaptureChanged();
}

// ---- Painting ----

void TkUpDown::LayoutButtons()
{
    const Integer buttonHeight = (Height() - 1) / 2;
    FUpButtonRect = TRect{0, 0, Width(), buttonHeight};
    FDownButtonRect = TRect{0, Height() - buttonHeight, Width(), Height()};
}

void TkUpDown::Paint()
{
    LayoutButtons();
    DrawButton(FUpButtonRect, FUpButtonPressed, true);
    DrawButton(FDownButtonRect, FDownButtonPressed, false);
}

void TkUpDown::DrawButton(const TRect& Rect, bool Pressed, bool Up)
{
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(Rect);
    DrawFrame(canvas, Rect, Pressed ? 0 : 1);
    const Integer s = ::Min(Height() / 2, Width()) / 7;
    const Integer cx = (Rect.Left + Rect.Right) / 2;
    const Integer cy = (Rect.Top + Rect.Bottom) / 2;
    const TColor colour = Enabled() ? clBlack : TColor(0x808080);
    canvas->Pen()->SetColor(colour);
    canvas->Brush()->SetColor(colour);
    const Integer tip = Up ? -s : s;
    canvas->Polygon({{cx - 2 * s, cy - tip}, {cx, cy + tip}, {cx + 2 * s, cy - tip}});
}

void kUpDownInitialization() { RegisterClass(TkUpDown::StaticClassInfo()); }
