#include "widgets/QdJogMeter.h"

#include <algorithm>
#include <cmath>

#include "platform/Math.h"
#include "platform/Resources.h"
#include "platform/SysApi.h"
#include "platform/SysUtils.h"
#include "widgets/QdPublishControl.h"
#include "widgets/QdSysUtils.h"

namespace {

constexpr Cardinal kLabelFormat = DT_SINGLELINE | DT_NOPREFIX | DT_BOTTOM;
const char* const kPinResource = "QDPIN";
// Tick numbers beyond this lose their integer precision in a double.
constexpr double kMaxTickNumber = 1e15;

// Format with its one "%s" replaced by Number and "%%" by "%"; a format
// that asks for anything else gives Number alone.
String FormatLabel(const String& Format, const String& Number)
{
    String out;
    bool placed = false;
    for (std::size_t i = 0; i < Format.size(); ++i) {
        if (Format[i] != '%') {
            out += Format[i];
            continue;
        }
        const char next = i + 1 < Format.size() ? Format[i + 1] : '\0';
        if (next == '%') {
            out += '%';
        } else if ((next == 's' || next == 'S') && !placed) {
            out += Number;
            placed = true;
        } else {
            return Number;
        }
        ++i;
    }
    return out;
}

// "-0", "-0.00": a value that rounds to zero shows no sign.
String WithoutNegativeZero(String Text)
{
    if (!Text.empty() && Text[0] == '-' &&
        Text.find_first_not_of("0.,", 1) == String::npos)
        Text.erase(0, 1);
    return Text;
}

}  // namespace

void QdJogMeterInitialization() { RegisterClass(TQdJogMeter::StaticClassInfo()); }

// ---------------------------------------------------------------------------
// TQdJogMeterScale
// ---------------------------------------------------------------------------

// No stream defaults: the meter's own values differ from those of a
// group standing alone, and a value equal to such a default would not be
// stored and come back as the meter's.
TClass TQdJogMeterScale::StaticClassInfo()
{
    using S = TQdJogMeterScale;
    static const TClassInfo info = TClassBuilder<S, TQdPersistent>("TQdJogMeterScale")
                                       .Color("Color", &S::Color, &S::SetColor)
                                       .Integer("Decimals", &S::Decimals, &S::SetDecimals)
                                       .String("FormatText", &S::FormatText, &S::SetFormatText)
                                       .Float("Apperture", &S::Apperture, &S::SetApperture)
                                       .Enum("Position", &S::Position, &S::SetPosition)
                                       .Float("Step", &S::Step, &S::SetStep)
                                       .Float("SmallStep", &S::SmallStep, &S::SetSmallStep)
                                       .Integer("HeightMax", &S::HeightMax, &S::SetHeightMax)
                                       .Integer("HeightMin", &S::HeightMin, &S::SetHeightMin)
                                       .Bool("Visible", &S::Visible, &S::SetVisible)
                                       .Build();
    return &info;
}

void TQdJogMeterScale::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TQdJogMeterScale*>(Source);
    if (!s) return TQdPersistent::Assign(Source);
    Batch([&] {
        SetColor(s->Color());
        SetDecimals(s->Decimals());
        SetFormatText(s->FormatText());
        SetApperture(s->Apperture());
        SetPosition(s->Position());
        SetStep(s->Step());
        SetSmallStep(s->SmallStep());
        SetHeightMax(s->HeightMax());
        SetHeightMin(s->HeightMin());
        SetVisible(s->Visible());
    });
}

void TQdJogMeterScale::SetDecimals(Integer Value) { Change(FDecimals, std::clamp(Value, 0, kQdMaxJogDecimals)); }

void TQdJogMeterScale::SetHeightMax(Integer Value)
{
    Change(FHeightMax, std::clamp(Value, -kQdMaxTickLength, kQdMaxTickLength));
}

void TQdJogMeterScale::SetHeightMin(Integer Value)
{
    Change(FHeightMin, std::clamp(Value, -kQdMaxTickLength, kQdMaxTickLength));
}

// ---------------------------------------------------------------------------
// TQdLiniarIndicator
// ---------------------------------------------------------------------------

TClass TQdLiniarIndicator::StaticClassInfo()
{
    using L = TQdLiniarIndicator;
    static const TClassInfo info =
        TClassBuilder<L, TQdPersistent>("TQdLiniarIndicator")
            .Float("Value", &L::Value, &L::SetValue)
            .Object("Bitmap", &L::Bitmap, &L::SetBitmap).Stored([](L& l) { return !l.DefaultBitmap(); })
            .Enum("Shape", &L::Shape, &L::SetShape)
            .Color("Color", &L::Color, &L::SetColor)
            .Bool("Visible", &L::Visible, &L::SetVisible)
            .Build();
    return &info;
}

TQdLiniarIndicator::TQdLiniarIndicator() : FBitmap(CreateOwned<TBitmap>())
{
    FBitmap->OnChange = [this](TObject*) { BitmapChanged(); };
    BitmapChanged();
}

TQdLiniarIndicator::~TQdLiniarIndicator() = default;

void TQdLiniarIndicator::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TQdLiniarIndicator*>(Source);
    if (!s) return TQdPersistent::Assign(Source);
    if (s == this) return;
    Batch([&] {
        SetValue(s->Value());
        SetBitmap(s->Bitmap());
        FDefaultBitmap = s->DefaultBitmap();
        SetShape(s->Shape());
        SetColor(s->Color());
        SetVisible(s->Visible());
    });
}

void TQdLiniarIndicator::BitmapChanged()
{
    if (FLoadingPin) return;
    FDefaultBitmap = FBitmap->Empty();
    if (FDefaultBitmap && !FindResourceData(kPinResource).empty()) {
        TFlagScope loading(FLoadingPin);
        FBitmap->LoadFromResourceName(kPinResource);
    }
    Changed();
}

// ---------------------------------------------------------------------------
// TQdJogMeter
// ---------------------------------------------------------------------------

TClass TQdJogMeter::StaticClassInfo()
{
    using M = TQdJogMeter;
    static const TClassInfo info = [] {
        TClassBuilder<M, TQdGraphicImageControl> b("TQdJogMeter");
        b.Object("Scale", &M::Scale, &M::SetScale)
            .Object("Value", &M::Value, &M::SetValue)
            .Enum("Direction", &M::Direction, &M::SetDirection).Default(TQdDirection::qoHorizontal)
            .Bool("ShowCaption", &M::ShowCaption, &M::SetShowCaption).Default(false)
            .Color("FromColor", &M::FromColor, &M::SetFromColor).Default(clBlack)
            .Color("ToColor", &M::ToColor, &M::SetFToColor).Default(clWhite)
            .String("Caption", &M::Caption, &M::SetCaption)
            .Object("Font", &M::Font, &M::SetFont).Stored([](M& m) { return !m.ParentFont(); })
            .Bool("ParentFont", &M::ParentFont, &M::SetParentFont);
        PublishOwnColor(b, clBlack);
        PublishPlacementAndMouse(b);
        return b.Build();
    }();
    return &info;
}

TQdJogMeter::TQdJogMeter(TComponent* AOwner)
    : TQdGraphicImageControl(AOwner), FScale(CreateOwned<TQdJogMeterScale>()), FValue(CreateOwned<TQdLiniarIndicator>())
{
    FControlStyle.Include(csOpaque);
    // The component's name never becomes its caption.
    FControlStyle.Exclude(csSetCaption);
    SetBounds(Left(), Top(), 160, 40);
    SetColor(clBlack);
    SetParentColor(false);
    Font()->SetName("Arial");
    Font()->SetSize(8);
    Font()->SetColor(clBlack);
    SetParentFont(false);
    FScale->OnChange = [this](TObject*) { UpdateControlCanvas(); };
    FValue->OnChange = [this](TObject*) { UpdateControlCanvas(); };
}

TQdJogMeter::~TQdJogMeter() = default;

void TQdJogMeter::SetDirection(TQdDirection Value)
{
    if (Value == FDirection) return;
    if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
    FDirection = Value;
    UpdateControlCanvas();
}

Integer TQdJogMeter::ValueToPixels(double V) const
{
    const double apperture = FScale->Apperture();
    if (!(apperture > 0)) return 0;
    // The scale runs along the whole long side, from its start.
    return RoundPix(LongSide() * V / apperture);
}

String TQdJogMeter::DisplayValue(double V) const
{
    const String number = WithoutNegativeZero(FloatToStrF(V, ffFixed, 8, FScale->Decimals()));
    return FormatLabel(FScale->FormatText(), number);
}

// --- drawing ---------------------------------------------------------------------

void TQdJogMeter::Paint()
{
    ClearBitmapCanvas();
    TCanvas* canvas = BitmapImage()->Canvas();
    DrawGradientExt(canvas, Rect(0, 0, Width(), Height()), FFromColor, FToColor, Vertical() ? 5 : 6, 1);
    UpdateMeterCoords();
    if (FShowCaption) DrawCaption(canvas);
    if (FScale->Visible()) {
        DrawLabels(canvas);
        DrawTicks(canvas, FScale->SmallStep(), FScale->HeightMin());
        DrawTicks(canvas, FScale->Step(), FScale->HeightMax());
    }
    if (FValue->Visible()) DrawAnIndicator(canvas);
    TQdGraphicImageControl::Paint();
}

void TQdJogMeter::UpdateMeterCoords()
{
    // The scale line lies on the edge the scale is after, or on the first.
    const bool after = FScale->Position() == qoAfter;
    FMeterLeft = Vertical() && after ? Width() : 0;
    FMeterTop = !Vertical() && after ? Height() : 0;
}

template <class F>
void TQdJogMeter::ForEachTick(double D, F&& Tick) const
{
    const double apperture = FScale->Apperture();
    const double start = FValue->Value() - apperture / 2;
    if (!(D > 0) || !std::isfinite(start) || !std::isfinite(D)) return;
    const double first = start / D, count = apperture / D;
    // A series finer than the pixels (or a window beyond the exact tick
    // numbers) would loop for nothing: none is drawn.
    if (std::fabs(first) > kMaxTickNumber || !(count >= 0) || count > 4.0 * std::max(LongSide(), 1)) return;
    const Int64 k = Trunc(first);
    const double offset = k * D - start;
    const Int64 n = Trunc(count);
    for (Int64 i = 0; i <= n; ++i) {
        const Integer p = ValueToPixels(offset + i * D);
        if (p < 0) continue;
        if (p > LongSide()) break;
        Tick(i, p, k);
    }
}

void TQdJogMeter::DrawTicks(TCanvas* Canvas, double D, Integer Length)
{
    Canvas->Pen()->SetMode(pmCopy);
    Canvas->Pen()->SetColor(FScale->Color());
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    // Ticks grow from the scale line into the control.
    const Integer grow = FScale->Position() == qoBefore ? Length : -Length;
    ForEachTick(D, [&](Int64, Integer p, Int64) {
        if (Vertical())
            Canvas->Polyline({Point(FMeterLeft, p), Point(FMeterLeft + grow, p)});
        else
            Canvas->Polyline({Point(p, FMeterTop), Point(p, FMeterTop + grow)});
    });
}

void TQdJogMeter::DrawLabels(TCanvas* Canvas)
{
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->SetFont(Font());
    const double step = FScale->Step();
    const Integer heightMax = FScale->HeightMax();
    const bool before = FScale->Position() == qoBefore;
    TRect r = ClientRect();
    ForEachTick(step, [&](Int64 i, Integer p, Int64 k) {
        const String text = DisplayValue(static_cast<double>(k) * step + static_cast<double>(i) * step);
        const TSize size = Canvas->TextExtent(text);
        if (Vertical()) {
            r.Top = p - size.cy / 2;
            r.Bottom = r.Top + size.cy;
            r.Left = before ? FMeterLeft + heightMax : FMeterLeft - heightMax - size.cx;
        } else {
            r.Left = p - size.cx / 2;
            if (before) {
                r.Top = FMeterTop + heightMax;
                r.Bottom = r.Top + size.cy;
            } else {
                r.Bottom = FMeterTop - heightMax;
                r.Top = r.Bottom - size.cy;
            }
        }
        DrawText(Canvas, text, r, kLabelFormat);
    });
}

void TQdJogMeter::DrawCaption(TCanvas* Canvas)
{
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->SetFont(Font());
    const String caption = Caption();
    const TSize size = Canvas->TextExtent(caption);
    TRect r = ClientRect();
    r.Left = Width() / 2 - size.cx / 2;
    // Away from the scale: at the bottom only when the scale is on top.
    if (!Vertical() && FScale->Position() == qoBefore) {
        r.Top = Height() - size.cy;
        r.Bottom = Height();
    } else {
        r.Top = 0;
        r.Bottom = size.cy;
    }
    DrawText(Canvas, caption, r, kLabelFormat);
}

void TQdJogMeter::DrawAnIndicator(TCanvas* Canvas)
{
    const Integer c = Vertical() ? Height() / 2 : Width() / 2;
    const Integer w = Width(), h = Height(), depth = FScale->HeightMin();
    const bool after = FScale->Position() == qoAfter;
    Canvas->Pen()->SetMode(pmCopy);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(FValue->Color());
    switch (FValue->Shape()) {
    case qoLine:
        if (Vertical())
            Canvas->Polyline({Point(w, c), Point(0, c)});
        else
            Canvas->Polyline({Point(c, 0), Point(c, h)});
        break;
    case qoTriangle: {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(FValue->Color());
        // The apex on the scale line, the base depth pixels inside.
        const Integer edge = after ? (Vertical() ? w : h) : 0;
        const Integer base = after ? edge - depth : depth;
        if (Vertical())
            Canvas->Polygon({Point(edge, c), Point(base, c - 5), Point(base, c + 5)});
        else
            Canvas->Polygon({Point(c, edge), Point(c - 5, base), Point(c + 5, base)});
        break;
    }
    case qoBitmap:
        DrawPin(Canvas, c);
        break;
    }
}

void TQdJogMeter::DrawPin(TCanvas* Canvas, Integer C)
{
    TBitmap* pin = FValue->Bitmap();
    if (pin->Empty()) return;
    const Integer pw = pin->Width(), ph = pin->Height(), depth = FScale->HeightMin();
    const bool after = FScale->Position() == qoAfter;
    // Left, top, width and height; a negative extent mirrors the pin.
    TRect dest;
    if (Vertical())
        dest = after ? Bounds(Width() - depth, C - ph / 2, pw, ph) : Bounds(depth, C - ph / 2, -pw, ph);
    else
        dest = after ? Bounds(C - pw / 2, Height(), pw, -ph) : Bounds(C - pw / 2, 0, pw, ph);
    Canvas->BrushCopy(dest, pin, Rect(0, 0, pw, ph), pin->TransparentColor());
}
