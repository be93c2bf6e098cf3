#include "widgets/QdColumnBars.h"

#include <algorithm>

#include "platform/Math.h"
#include "platform/SysApi.h"
#include "widgets/QdPublishControl.h"
#include "widgets/QdSysUtils.h"

namespace {

// The widest and highest a control's image can be.
constexpr Int64 kMaxSide = 32767;

Integer ClampSide(Int64 Value) { return static_cast<Integer>(std::clamp<Int64>(Value, 0, kMaxSide)); }

Integer ClampPercent(Integer Value) { return std::clamp(Value, 0, 100); }

// Start + (End - Start) * I / L per channel, truncated toward zero.
TColor FadedColor(TColor Start, TColor End, Integer I, Integer L)
{
    Byte r0, g0, b0, r1, g1, b1;
    GetRGB(Start, r0, g0, b0);
    GetRGB(End, r1, g1, b1);
    const auto channel = [I, L](Integer c0, Integer c1) { return c0 + (c1 - c0) * I / L; };
    return RGB(channel(r0, r1), channel(g0, g1), channel(b0, b1));
}

void FillArea(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(R);
}

void FillRows(TCanvas* Canvas, Integer Width, Integer Top, Integer Rows, TColor Color)
{
    if (Rows > 0) FillArea(Canvas, Rect(0, Top, Width, Top + Rows), Color);
}

}  // namespace

void QdSpectrumInitialization() { RegisterClass(TQdSpectrum::StaticClassInfo()); }

// ---------------------------------------------------------------------------
// Bars
// ---------------------------------------------------------------------------

void TQdSpectrumBar::SetPosition(Integer Value)
{
    if (Value == FPosition) return;
    FPosition = Value;
    Changed(false);
}

void TQdSpectrumBars::Update(TQdCollectionItem* Item)
{
    if (Item)
        FOwner->UpdateBar(Item->Index());
    else
        FOwner->UpdateBars();
}

// ---------------------------------------------------------------------------
// TQdSpectrum
// ---------------------------------------------------------------------------

TClass TQdSpectrum::StaticClassInfo()
{
    using S = TQdSpectrum;
    static const TClassInfo info = [] {
        TClassBuilder<S, TQdGraphicImageControl> b("TQdSpectrum");
        b.Object("Palette1", &S::Palette1, &S::SetPalette1)
            .Object("Palette2", &S::Palette2, &S::SetPalette2)
            .Object("Palette3", &S::Palette3, &S::SetPalette3)
            .Integer("Percent1", &S::Percent1, &S::SetPercent1).Default(60)
            .Integer("Percent2", &S::Percent2, &S::SetPercent2).Default(25)
            .Object("Bevel", &S::Bevel, &S::SetBevel)
            .Integer("Columns", &S::Columns, &S::SetColumns).Default(24)
            .Integer("MaxValue", &S::MaxValue, &S::SetMaxValue).Default(100)
            .Integer("MinValue", &S::MinValue, &S::SetMinValue).Default(0)
            .Color("MarkerColor", &S::MarkerColor, &S::SetMarkerColor).Default(clWhite)
            .Bool("MarkerVisible", &S::MarkerVisible, &S::SetMarkerVisible).Default(true)
            .Integer("TickHeight", &S::TickHeight, &S::SetTickHeight).Default(1)
            .Integer("Spacing", &S::Spacing, &S::SetSpacing).Default(1)
            .Integer("BarWidth", &S::BarWidth, &S::SetBarWidth).Default(8)
            .Integer("BarSpacing", &S::BarSpacing, &S::SetBarSpacing).Default(1)
            .Bool("ShowInactive", &S::ShowInactive, &S::SetShowInactive).Default(true)
            .Bool("PlainColors", &S::PlainColors, &S::SetPlainColors).Default(false);
        PublishOwnColor(b, clBlack);
        PublishPlacementAndMouse(b);
        return b.Build();
    }();
    return &info;
}

TQdSpectrum::TQdSpectrum(TComponent* AOwner)
    : TQdGraphicImageControl(AOwner),
      FBevel(CreateOwned<TQdBevel>()),
      FPalette1(CreateOwned<TQdPalette>()),
      FPalette2(CreateOwned<TQdPalette>()),
      FPalette3(CreateOwned<TQdPalette>()),
      FBarImages{CreateOwned<TBitmap>(), CreateOwned<TBitmap>()},
      FBars(CreateOwned<TQdSpectrumBars>(this))
{
    FControlStyle.Include(csOpaque);
    FControlStyle.Include(csReplicatable);
    SetBounds(Left(), Top(), 217, 117);
    SetParentColor(false);
    SetColor(clBlack);
    FBevel->SetInnerStyle(TQdBevelStyle::bsLowered);
    FBevel->SetInnerWidth(2);
    FBevel->SetInnerSpace(1);
    FBevel->SetInnerColor(clBlack);
    FPalette1->SetLow(0x008000);
    FPalette1->SetHigh(0x00FF00);
    FPalette2->SetLow(0x008080);
    FPalette2->SetHigh(0x00FFFF);
    FPalette3->SetLow(0x000080);
    FPalette3->SetHigh(0x0000FF);
    for (TQdPalette* palette : {FPalette1.get(), FPalette2.get(), FPalette3.get()})
        palette->OnChange = [this](TObject*) { UpdateControlCanvas(); };
    FBevel->OnChange = [this](TObject*) { BevelChanged(); };
    RecreateBars();
}

TQdSpectrum::~TQdSpectrum() = default;

void TQdSpectrum::Loaded()
{
    TQdGraphicImageControl::Loaded();
    UpdateControlCanvas();
}

TQdSpectrumBar* TQdSpectrum::Items(Integer Index) const
{
    return static_cast<TQdSpectrumBar*>(FBars->Items(Index));
}

void TQdSpectrum::Reset(Integer Value)
{
    // An inverted range (possible only from form data) clamps to MinValue.
    const Integer position = std::max(FMinValue, std::min(Value, FMaxValue));
    AdjustBars([position](Integer) { return position; });
}

Integer TQdSpectrum::GetPercentDone(Integer Position) const
{
    const Int64 range = Int64(FMaxValue) - FMinValue;
    if (range <= 0) return 0;
    return static_cast<Integer>(
        std::clamp<Int64>((Int64(Position) - FMinValue) * 100 / range, std::numeric_limits<Integer>::min(),
                          std::numeric_limits<Integer>::max()));
}

TRect TQdSpectrum::GetItemRect(Integer Index) const
{
    const Int64 left = FViewPort.Left + (Int64(FBarWidth) + FBarSpacing) * Index;
    const Integer x = SatInt32(left);
    return Rect(x, FViewPort.Top, SatInt32(Int64(x) + FBarWidth), FViewPort.Bottom);
}

template <class F>
void TQdSpectrum::AdjustBars(F&& Adjust)
{
    // The whole control is drawn once at the end.
    FImageValid = false;
    FBars->BeginUpdate();
    for (Integer i = 0; i < FBars->Count(); ++i) Items(i)->SetPosition(Adjust(Items(i)->Position()));
    FBars->EndUpdate();
    UpdateControlCanvas();
}

void TQdSpectrum::RecreateBars()
{
    FImageValid = false;
    FBars->BeginUpdate();
    FBars->Clear();
    for (Integer i = 0; i < FColumns; ++i) Create<TQdSpectrumBar>(FBars.get());
    FBars->EndUpdate();
}

// --- setters -------------------------------------------------------------------

void TQdSpectrum::SetBarWidth(TQdMaxInt Value)
{
    Change(FBarWidth, ClampSide(std::max<Int64>(Value, 1)));
}

void TQdSpectrum::SetBarSpacing(Integer Value)
{
    if (Value >= 0) Change(FBarSpacing, ClampSide(Value));
}

void TQdSpectrum::SetColumns(Integer Value)
{
    if (Value < 1) return;
    SetIfDifferent(FColumns, std::min(Value, kQdMaxSpectrumColumns), [this] {
        RecreateBars();
        UpdateControlCanvas();
    });
}

void TQdSpectrum::SetMaxValue(Integer Value)
{
    if (Value == FMaxValue) return;
    // Form data gives MaxValue first: the pair is checked at use.
    if (Loading()) {
        FMaxValue = Value;
        return;
    }
    if (Value <= FMinValue) return;
    FMaxValue = Value;
    AdjustBars([Value](Integer position) { return std::min(position, Value); });
}

void TQdSpectrum::SetMinValue(Integer Value)
{
    if (Value == FMinValue) return;
    if (Loading()) {
        FMinValue = Value;
        return;
    }
    if (Value >= FMaxValue) return;
    FMinValue = Value;
    AdjustBars([Value](Integer position) { return std::max(position, Value); });
}

void TQdSpectrum::SetPercent1(TQdPercentInt Value)
{
    if (Value == FPercent1) return;
    if (!Loading()) Value = std::min(ClampPercent(Value), 100 - ClampPercent(FPercent2));
    FPercent1 = Value;
    UpdateControlCanvas();
}

void TQdSpectrum::SetPercent2(TQdPercentInt Value)
{
    if (Value == FPercent2) return;
    if (!Loading()) Value = std::min(ClampPercent(Value), 100 - ClampPercent(FPercent1));
    FPercent2 = Value;
    UpdateControlCanvas();
}

void TQdSpectrum::SetTickHeight(Integer Value)
{
    if (Value > 0) Change(FTickHeight, ClampSide(Value));
}

void TQdSpectrum::SetSpacing(Integer Value)
{
    if (Value >= 0) Change(FSpacing, ClampSide(Value));
}

Integer TQdSpectrum::Zone1Percent() const { return ClampPercent(FPercent1); }

Integer TQdSpectrum::Zone2Percent() const { return std::min(ClampPercent(FPercent2), 100 - Zone1Percent()); }

void TQdSpectrum::BevelChanged()
{
    if (!Loading() && FViewPort.Width() > 0) {
        // The bars keep their area; the control grows or shrinks round it.
        TRect inner = ClientRect();
        FBevel->GetVisibleArea(inner);
        ResizeTo(Int64(FViewPort.Width()) + 2 * Int64(inner.Left), Int64(FViewPort.Height()) + 2 * Int64(inner.Top));
    }
    UpdateControlCanvas();
}

void TQdSpectrum::ResizeTo(Int64 AWidth, Int64 AHeight)
{
    const Integer w = ClampSide(AWidth), h = ClampSide(AHeight);
    if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
}

// --- drawing ---------------------------------------------------------------------

void TQdSpectrum::UpdateControlCanvas()
{
    FImageValid = false;
    TQdGraphicImageControl::UpdateControlCanvas();
}

void TQdSpectrum::Paint()
{
    const bool imageStands = FImageValid && BitmapImage()->Width() == Width() && BitmapImage()->Height() == Height();
    if (!imageStands) {
        CalcPaintParams();
        ClearBitmapCanvas();
        TRect r = ClientRect();
        FBevel->Paint(BitmapImage()->Canvas(), r);
        for (Integer i = 0; i < FBars->Count(); ++i) DrawBar(i);
        FImageValid = true;
    }
    TQdGraphicImageControl::Paint();
}

void TQdSpectrum::UpdateBar(Integer Index)
{
    // An index from a bar that left the list meanwhile names no column.
    if (Index < 0 || Index >= FBars->Count() || Loading()) return;
    if (!FImageValid) {
        Invalidate();
        return;
    }
    DrawBar(Index);
    const TRect r = GetItemRect(Index);
    InvalidateRect(this, &r);
}

void TQdSpectrum::UpdateBars()
{
    if (!FImageValid) {
        Invalidate();
        return;
    }
    for (Integer i = 0; i < FBars->Count(); ++i) DrawBar(i);
    InvalidateRect(this, &FViewPort);
}

void TQdSpectrum::DrawBar(Integer Index)
{
    const TRect r = GetItemRect(Index);
    const Integer height = FBarImages[0]->Height();
    const Integer pitch = Pitch();
    const Integer lit = SolveForX(GetPercentDone(Items(Index)->Position()), FTicks);
    const Integer unlit = std::clamp(FTicks - std::max(lit, 0), 0, FTicks);
    // Positions beyond the range would draw cells outside the column:
    // what lies outside the bar images is left out.
    const Integer unlitRows = std::min(unlit * pitch, height);
    TCanvas* canvas = BitmapImage()->Canvas();
    if (FShowInactive)
        BitBlt(canvas, r.Left, r.Top, FBarWidth, unlitRows, FBarImages[0]->Canvas(), 0, 0, SRCCOPY);
    else
        FillArea(canvas, Rect(r.Left, r.Top, r.Right, r.Top + unlitRows), Color());
    if (unlit == FTicks) return;
    BitBlt(canvas, r.Left, r.Top + unlitRows, FBarWidth, height - unlitRows, FBarImages[1]->Canvas(), 0, unlitRows,
           SRCCOPY);
    if (FMarkerVisible) FillArea(canvas, Rect(r.Left, r.Top + unlitRows, r.Right, r.Top + unlitRows + FTickHeight), FMarkerColor);
}

void TQdSpectrum::CalcPaintParams()
{
    FViewPort = ClientRect();
    FBevel->GetVisibleArea(FViewPort);
    const Int64 height = std::max(0, FViewPort.Height());
    const Int64 pitch = Pitch();
    FTicks = static_cast<Integer>((height + FSpacing) / pitch);
    CreateBarImages();
    ResizeTo(2 * Int64(FViewPort.Left) + (Int64(FBarWidth) + FBarSpacing) * FColumns - FBarSpacing,
             2 * Int64(FViewPort.Top) + FTicks * pitch - FSpacing);
}

void TQdSpectrum::CreateBarImages()
{
    const Integer h = std::max(0, FViewPort.Height());
    const Integer pitch = Pitch();
    Integer z1, z2;
    if (FPlainColors) {
        z1 = pitch * SolveForX(Zone1Percent(), FTicks);
        z2 = pitch * SolveForX(Zone2Percent(), FTicks);
    } else {
        z1 = SolveForX(Zone1Percent(), h);
        z2 = SolveForX(Zone2Percent(), h);
    }
    for (Integer image = 0; image < 2; ++image) {
        TBitmap* bitmap = FBarImages[image].get();
        bitmap->SetSize(FBarWidth, h);
        TCanvas* canvas = bitmap->Canvas();
        const TColor bottom = Color2RGB(FPalette1->GetColors(image));
        const TColor middle = Color2RGB(FPalette2->GetColors(image));
        const TColor top = Color2RGB(FPalette3->GetColors(image));
        if (FPlainColors) {
            FillRows(canvas, FBarWidth, 0, h - z1 - z2, top);
            FillRows(canvas, FBarWidth, h - z1 - z2, z2, middle);
            FillRows(canvas, FBarWidth, h - z1, z1, bottom);
        } else {
            const Integer a = std::max(1, z2 / 2 + z1);
            const Integer b = std::max(1, h - a);
            for (Integer i = 0; i <= b; ++i) FillRows(canvas, FBarWidth, i, 1, FadedColor(top, middle, i, b));
            for (Integer i = 0; i <= a; ++i)
                FillRows(canvas, FBarWidth, b + 1 + i, 1, FadedColor(middle, bottom, i, a));
        }
        // The gaps and the rows below the last cell show the background.
        for (Integer row = 0; row < h; ++row)
            if (row >= FTicks * pitch || row % pitch >= FTickHeight) FillRows(canvas, FBarWidth, row, 1, Color());
    }
}
