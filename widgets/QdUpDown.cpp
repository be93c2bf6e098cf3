#include "widgets/QdUpDown.h"

#include "platform/Resources.h"
#include "platform/TypInfo.h"
#include "widgets/QdPublishControl.h"

namespace {

const char* const kDefaultGlyphs[2] = {"UPDOWN_UP", "UPDOWN_DOWN"};

enum TGlyphState { gsNormal, gsHot, gsPressed, gsDisabled };

}  // namespace

void QdUpDownInitialization() { RegisterClass(TQdUpDown::StaticClassInfo()); }

TClass TQdUpDown::StaticClassInfo()
{
    using U = TQdUpDown;
    static const TClassInfo info = [] {
        TClassBuilder<U, TQdGraphicImageControl> b("TQdUpDown");
        b.Object("GlyphsUp", &U::GlyphsUp, &U::SetGlyphsUp).Stored([](U& u) { return !u.DefaultGlyphs(0); })
            .Object("GlyphsDown", &U::GlyphsDown, &U::SetGlyphsDown).Stored([](U& u) { return !u.DefaultGlyphs(1); })
            .Integer("NumGlyphs", &U::NumGlyphs, &U::SetNumGlyphs).Default(4)
            .Enum("Orientation", &U::Orientation, &U::SetOrientation).Default(qoVertical)
            .Bool("RepeatClick", &U::RepeatClick, &U::SetRepeatClick).Default(true)
            .Integer("RepeatPause", &U::RepeatPause, &U::SetRepeatPause).Default(DefaultRepeatPause)
            .Event("OnUpClick", &U::OnUpClick)
            .Event("OnDownClick", &U::OnDownClick)
            .Bool("Transparent", &U::Transparent, &U::SetTransparent).Default(false);
        PublishOwnColor(b, clBlack);
        PublishPlacementAndMouse(b);
        return b.Build();
    }();
    return &info;
}

TQdUpDown::TQdUpDown(TComponent* AOwner)
    : TQdGraphicImageControl(AOwner),
      FGlyphs{CreateOwned<TBitmap>(), CreateOwned<TBitmap>()}
{
    FControlStyle.Include(csOpaque);
    SetBounds(Left(), Top(), 20, 30);
    SetColor(clBlack);
    SetParentColor(false);
    for (Integer i = 0; i < 2; ++i) FGlyphs[i]->OnChange = [this, i](TObject*) { GlyphsChanged(i); };
    LoadBitmaps();
}

TQdUpDown::~TQdUpDown() = default;

// --- glyphs ------------------------------------------------------------------------

void TQdUpDown::LoadBitmaps()
{
    LoadBitmap(0);
    LoadBitmap(1);
}

void TQdUpDown::LoadBitmap(Integer Index)
{
    TFlagScope loading(FLoadingDefaults);
    if (FindResourceData(kDefaultGlyphs[Index]).empty())
        FGlyphs[Index]->Assign(nullptr);
    else
        FGlyphs[Index]->LoadFromResourceName(kDefaultGlyphs[Index]);
    FDefaultGlyphs[Index] = true;
    AdjustGlyphs();
}

void TQdUpDown::SetGlyphs(Integer Index, TBitmap* Value)
{
    if (Value)
        FGlyphs[Index]->Assign(Value);
    else
        LoadBitmap(Index);
    UpdateControlCanvas();
}

void TQdUpDown::GlyphsChanged(Integer Index)
{
    if (FLoadingDefaults) return;
    FDefaultGlyphs[Index] = false;
    AdjustGlyphs();
    UpdateControlCanvas();
}

void TQdUpDown::SetNumGlyphs(TQdNumGlyphs Value)
{
    if (Value == 0 || Value == FNumGlyphs) return;
    FNumGlyphs = Value;
    AdjustGlyphs();
    UpdateControlCanvas();
}

void TQdUpDown::AdjustGlyphs()
{
    for (Integer i = 0; i < 2; ++i) {
        TBitmap* strip = FGlyphs[i].get();
        FGlyphSize[i] = strip->Empty() ? Point(0, 0) : Point(strip->Width() / FNumGlyphs, strip->Height());
    }
}

void TQdUpDown::SetOrientation(TQdOrientation Value)
{
    if (Value == FOrientation) return;
    FOrientation = Value;
    if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
    UpdateControlCanvas();
}

// --- geometry and drawing --------------------------------------------------------

TRect TQdUpDown::GetGlyphRect(Integer Index) const
{
    if (FOrientation == qoVertical) return Bounds(0, Index * (Height() / 2), Width(), Height() / 2);
    return Bounds(Index * (Width() / 2), 0, Width() / 2, Height());
}

Integer TQdUpDown::GetGlyphIndex(Integer X, Integer Y) const
{
    for (Integer i = 0; i < 2; ++i)
        if (PtInRect(GetGlyphRect(i), Point(X, Y))) return i;
    return -1;
}

void TQdUpDown::Paint()
{
    ClearBitmapCanvas();
    DrawGlyph(0);
    DrawGlyph(1);
    TQdGraphicImageControl::Paint();
}

void TQdUpDown::DrawGlyph(Integer Index)
{
    TBitmap* strip = FGlyphs[Index].get();
    const TPoint size = FGlyphSize[Index];
    if (strip->Empty() || size.X == 0) return;
    Integer state = gsNormal;
    if (FFocusIndex == Index) state = FDown ? gsPressed : gsHot;
    if (!Enabled()) state = gsDisabled;
    if (state > FNumGlyphs - 1) state = gsNormal;
    const TRect r = GetGlyphRect(Index);
    const TRect dest = Bounds(r.Left + (r.Width() - size.X) / 2, r.Top + (r.Height() - size.Y) / 2, size.X, size.Y);
    TCanvas* canvas = BitmapImage()->Canvas();
    canvas->Brush()->SetStyle(bsClear);
    canvas->BrushCopy(dest, strip, Bounds(state * size.X, 0, size.X, size.Y), strip->TransparentColor());
}

// --- mouse and repeat --------------------------------------------------------------

void TQdUpDown::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (Button == mbLeft && Enabled()) {
        FPressed = true;
        FDown = true;
        FDownIndex = GetGlyphIndex(X, Y);
        if (FRepeatClick) FRepeat.Start();
        else FRepeat.Stop();
        UpdateControlCanvas();
    }
    TQdGraphicImageControl::MouseDown(Button, Shift, X, Y);
}

void TQdUpDown::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TQdGraphicImageControl::MouseMove(Shift, X, Y);
    const Integer index = GetGlyphIndex(X, Y);
    // Off the button it was pressed on, the button shows released.
    if (FPressed) FDown = index == FDownIndex;
    if (index != FFocusIndex) {
        FFocusIndex = index;
        UpdateControlCanvas();
    }
}

void TQdUpDown::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    FRepeat.Stop();
    if (FPressed) {
        const bool shownPressed = FDown;
        FPressed = false;
        FDown = false;
        UpdateControlCanvas();
        if (shownPressed) {
            // The handler may free the control.
            TWeakRef<TQdUpDown> alive(this);
            Clicked();
            if (!alive) return;
        }
    }
    TQdGraphicImageControl::MouseUp(Button, Shift, X, Y);
}

void TQdUpDown::Repeat()
{
    if (FPressed && FDown) Clicked();
}

void TQdUpDown::Clicked()
{
    const TNotifyEvent& event = FDownIndex == 0 ? OnUpClick : FDownIndex == 1 ? OnDownClick : TNotifyEvent();
    if (event) event(this);
}

void TQdUpDown::CMMouseLeave()
{
    TQdGraphicImageControl::CMMouseLeave();
    FFocusIndex = -1;
    UpdateControlCanvas();
}

void TQdUpDown::CMEnabledChanged()
{
    TQdGraphicImageControl::CMEnabledChanged();
    UpdateControlCanvas();
}
