#include "widgets/QdSysUtils.h"

#include <algorithm>
#include <functional>

#include "platform/Controls.h"
#include "platform/Math.h"
#include "platform/SysApi.h"

namespace {

// ---------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------

struct TChannels {
    Int64 R, G, B;
};

TChannels ChannelsOf(TColor Color)
{
    const TColor c = Color2RGB(Color);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

Byte ClampChannel(Int64 Value) { return static_cast<Byte>(EnsureRange<Int64>(Value, 0, 255)); }

TColor ColorOf(const TChannels& c) { return RGB(ClampChannel(c.R), ClampChannel(c.G), ClampChannel(c.B)); }

// C0 + (C1 - C0) * I / L per channel, truncated toward zero; the start
// colour when L is 0 or less, the end colour for I at or past L.
TColor ColourAt(const TChannels& C0, const TChannels& C1, Int64 I, Int64 L)
{
    if (L <= 0) return ColorOf(C0);
    I = std::min(I, L);
    auto mix = [&](Int64 a, Int64 b) { return a + (b - a) * I / L; };
    return ColorOf({mix(C0.R, C1.R), mix(C0.G, C1.G), mix(C0.B, C1.B)});
}

// The part of R that can show on the canvas: within its clip when it draws
// on an image, R itself on a recording canvas.
bool VisiblePart(TCanvas* Canvas, const TRect& R, TRect& Visible)
{
    if (!Canvas->HandleAllocated()) {
        Visible = R;
        return !IsRectEmpty(R);
    }
    return IntersectRect(Visible, R, Canvas->ClipRect());
}

// The indices k >= 0 of the multiples k * Step that lie in [Lo, Hi].
struct TStepRange {
    Int64 First, Last;
};

TStepRange StepsWithin(Int64 Lo, Int64 Hi, Int64 Step)
{
    const Int64 first = Lo <= 0 ? 0 : (Lo + Step - 1) / Step;
    const Int64 last = Hi < 0 ? -1 : Hi / Step;
    return {first, last};
}

void FillSolid(TCanvas* Canvas, const TRect& R, TColor Color)
{
    TBrush* brush = Canvas->Brush();
    brush->SetStyle(bsSolid);
    brush->SetColor(Color);
    Canvas->FillRect(R);
}

// Count bands of Step pixels from R's top (or left, AlongWidth), band j
// coloured by ColourOf(j); each clipped to R, only the visible ones drawn.
void DrawBands(TCanvas* Canvas, const TRect& R, bool AlongWidth, Int64 Step, Int64 Count,
               const std::function<TColor(Int64)>& ColourOf)
{
    TRect visible;
    if (Count <= 0 || !VisiblePart(Canvas, R, visible)) return;
    const Int64 origin = AlongWidth ? R.Left : R.Top;
    const Int64 lo = (AlongWidth ? visible.Left : visible.Top) - origin;
    const Int64 hi = (AlongWidth ? visible.Right : visible.Bottom) - 1 - origin;
    // A band starting up to Step - 1 before the visible part reaches into it.
    const TStepRange steps = StepsWithin(lo - (Step - 1), hi, Step);
    for (Int64 j = steps.First; j <= std::min(steps.Last, Count - 1); ++j) {
        const Integer start = SatInt32(origin + j * Step);
        const Integer stop = SatInt32(origin + (j + 1) * Step);
        const TRect band = AlongWidth ? Rect(start, visible.Top, stop, visible.Bottom)
                                      : Rect(visible.Left, start, visible.Right, stop);
        TRect clipped;
        if (IntersectRect(clipped, band, visible)) FillSolid(Canvas, clipped, ColourOf(j));
    }
}

// Extents of rectangles too wide for 32 bits.
Int64 WidthOf64(const TRect& R) { return Int64(R.Right) - R.Left; }
Int64 HeightOf64(const TRect& R) { return Int64(R.Bottom) - R.Top; }

Int64 BandCount(Int64 Length, Int64 Step) { return Length <= 0 ? 0 : (Length + Step - 1) / Step; }

}  // namespace

// ---------------------------------------------------------------------------
// Arithmetic and rectangles
// ---------------------------------------------------------------------------

Integer SolveForX(Integer Percent, Integer Value) { return SatInt32(Int64(Value) * Percent / 100); }

Integer SolveForY(Integer X, Integer Z) { return Z == 0 ? 0 : SatInt32(Int64(X) * 100 / Z); }

Integer Percent(Integer A, Integer B) { return SolveForY(A, B); }

Integer MinIntVal(Integer A, Integer B) { return A < B ? A : B; }

Integer MaxIntVal(Integer A, Integer B) { return A > B ? A : B; }

bool InRange(Integer Value, Integer Min, Integer Max) { return Min <= Value && Value <= Max; }

void AdjustRange(Integer& Value, Integer Min, Integer Max)
{
    if (Value < Min)
        Value = Min;
    else if (Value > Max)
        Value = Max;
}

Integer WidthOf(const TRect& R) { return R.Right - R.Left; }

Integer HeightOf(const TRect& R) { return R.Bottom - R.Top; }

bool CompareRect(const TRect& A, const TRect& B) { return A == B; }

TRect BitmapRect(TBitmap* Bitmap) { return Rect(0, 0, Bitmap->Width(), Bitmap->Height()); }

TRect GlyphRect(TBitmap* Bitmap, Integer Index, Integer Count)
{
    if (Count <= 1) return BitmapRect(Bitmap);
    const Int64 width = Bitmap->Width() / Count;
    const Int64 left = Int64(Index) * width;
    return Rect(SatInt32(left), 0, SatInt32(left + width), Bitmap->Height());
}

void FreeObject(TObject* Obj) { Free(Obj); }

void AllocateBitmaps(std::span<TBitmap*> Bitmaps, Integer High)
{
    const Int64 last = std::min<Int64>(High, Int64(Bitmaps.size()) - 1);
    for (Int64 i = 0; i <= last; ++i) {
        Free(Bitmaps[i]);
        Bitmaps[i] = Create<TBitmap>();
    }
}

void DeallocateBitmaps(std::span<TBitmap*> Bitmaps, Integer High)
{
    const Int64 last = std::min<Int64>(High, Int64(Bitmaps.size()) - 1);
    for (Int64 i = 0; i <= last; ++i) FreeAndNil(Bitmaps[i]);
}

TWinControl* GetOwnerControl(TComponent* Component)
{
    TWinControl* last = nullptr;
    for (TComponent* owner = Component ? Component->Owner() : nullptr; owner; owner = owner->Owner()) {
        auto* control = dynamic_cast<TWinControl*>(owner);
        if (!control) break;
        last = control;
    }
    return last;
}

String GetStrParam(String& S, const String& Delimiter)
{
    const std::size_t at = Delimiter.empty() ? String::npos : S.find(Delimiter);
    if (at == String::npos) {
        String whole = std::move(S);
        S.clear();
        return whole;
    }
    String head = S.substr(0, at);
    S.erase(0, at + Delimiter.size());
    return head;
}

// ---------------------------------------------------------------------------
// Colours
// ---------------------------------------------------------------------------

TColor Color2RGB(TColor Color) { return Color < 0 ? GetSysColor(Color & 0xFF) : Color; }

void GetRGB(TColor Color, Byte& R, Byte& G, Byte& B)
{
    const TColor c = Color2RGB(Color);
    R = GetRValue(c);
    G = GetGValue(c);
    B = GetBValue(c);
}

TColor AdjustColor(TColor Color, Integer Delta)
{
    auto adjust = [Delta](Int64 channel) -> Byte {
        const Int64 v = channel + Delta;
        if (Delta >= 1) return static_cast<Byte>(v > 255 ? 254 : v);
        return static_cast<Byte>(v < 0 ? 1 : v);
    };
    const TChannels c = ChannelsOf(Color);
    return RGB(adjust(c.R), adjust(c.G), adjust(c.B));
}

TOwned<TBitmap> CreateDitherPattern(TColor Color1, TColor Color2)
{
    TOwned<TBitmap> pattern = CreateOwned<TBitmap>();
    pattern->SetSize(8, 8);
    TCanvas* canvas = pattern->Canvas();
    FillSolid(canvas, Rect(0, 0, 8, 8), Color2);
    for (Integer y = 0; y < 8; ++y)
        for (Integer x = y % 2; x < 8; x += 2) canvas->SetPixels(x, y, Color1);
    return pattern;
}

// ---------------------------------------------------------------------------
// Gradients
// ---------------------------------------------------------------------------

void DrawGradient(TCanvas* Canvas, const TRect& R, TColor StartColor, TColor EndColor, Integer Direction,
                  Integer Step)
{
    if (Direction != 0 && Direction != 1) return;
    const bool alongWidth = Direction == 1;
    const Int64 step = std::max(Step, 1);
    const Int64 count = BandCount(alongWidth ? WidthOf64(R) : HeightOf64(R), step);
    const TChannels c0 = ChannelsOf(StartColor);
    const TChannels c1 = ChannelsOf(EndColor);
    const Extended last = static_cast<Extended>(std::max<Int64>(count - 1, 1));
    auto channel = [&](Int64 a, Int64 b, Int64 j) {
        const Extended increment = static_cast<Extended>(b - a) / last;
        return Round(static_cast<Extended>(a) + increment * static_cast<Extended>(j));
    };
    DrawBands(Canvas, R, alongWidth, step, count, [&](Int64 j) {
        return ColorOf({channel(c0.R, c1.R, j), channel(c0.G, c1.G, j), channel(c0.B, c1.B, j)});
    });
}

namespace {

// Styles 3 and 4: strokes for i = 0, Step, ... <= W + H whose pen can reach
// the visible part; Line gives each stroke's end points.
void DrawDiagonalGradient(TCanvas* Canvas, const TRect& R, const TChannels& C0, const TChannels& C1, Int64 Step,
                          bool Rising)
{
    const Int64 length = WidthOf64(R) + HeightOf64(R);
    const TRect clip = Canvas->HandleAllocated() ? Canvas->ClipRect() : R;
    if (length < 0 || IsRectEmpty(clip)) return;
    constexpr Int64 kMaxPenWidth = 1 << 17;  // wider than any image's diagonal
    const Int64 width = std::min(Step, kMaxPenWidth);
    const Int64 pad = width + 2;
    const Int64 h = HeightOf64(R);
    // Style 3 strokes lie on x + y = i, style 4 strokes on y - x = H - i.
    const Int64 lo = Rising ? Int64(clip.Left) + clip.Top - pad : h - (Int64(clip.Bottom) - clip.Left) - pad;
    const Int64 hi = Rising ? Int64(clip.Right) + clip.Bottom + pad : h - (Int64(clip.Top) - clip.Right) + pad;
    const TStepRange steps = StepsWithin(lo, std::min(hi, length), Step);
    TPen* pen = Canvas->Pen();
    pen->SetWidth(static_cast<Integer>(width));
    for (Int64 k = steps.First; k <= steps.Last; ++k) {
        const Int64 i = k * Step;
        pen->SetColor(ColourAt(C0, C1, i, length));
        const Integer n = SatInt32(i);
        if (Rising) {
            Canvas->MoveTo(n, 0);
            Canvas->LineTo(-1, n);
        } else {
            Canvas->MoveTo(0, SatInt32(h - i));
            Canvas->LineTo(n, SatInt32(h));
        }
    }
}

}  // namespace

void DrawGradientExt(TCanvas* Canvas, const TRect& R, TColor StartColor, TColor EndColor, Integer Style,
                     Integer Step)
{
    const Int64 step = std::max(Step, 1);
    const TChannels c0 = ChannelsOf(StartColor);
    const TChannels c1 = ChannelsOf(EndColor);
    const Int64 w = WidthOf64(R);
    const Int64 h = HeightOf64(R);
    switch (Style) {
        case 1:
            DrawBands(Canvas, R, false, step, BandCount(h, step),
                      [&](Int64 j) { return ColourAt(c0, c1, j * step, h); });
            break;
        case 2:
            // i runs up to W inclusive: one band more than the width needs.
            DrawBands(Canvas, R, true, step, w < 0 ? 0 : w / step + 1,
                      [&](Int64 j) { return ColourAt(c0, c1, j * step, w); });
            break;
        case 3:
        case 4:
            DrawDiagonalGradient(Canvas, R, c0, c1, step, Style == 3);
            break;
        case 5:
        case 6: {
            // Out to the first multiple of Step at or past the middle, then
            // back to 0: the end colour lands in the middle.
            const Int64 middle = (Style == 5 ? h : w) / 2;
            const Int64 outward = BandCount(middle, step);
            DrawBands(Canvas, R, Style == 6, step, 2 * outward + 1, [&](Int64 j) {
                const Int64 i = j < outward ? j * step : (2 * outward - j) * step;
                return ColourAt(c0, c1, i, middle);
            });
            break;
        }
        default: break;
    }
}

// ---------------------------------------------------------------------------
// Shapes, frames, bitmaps
// ---------------------------------------------------------------------------

void DrawShape(TCanvas* Canvas, TQdShapeType Shape, Integer X, Integer Y, Integer W, Integer H)
{
    if (Canvas->Pen()->Width() == 0) {
        --W;
        --H;
    }
    const bool square = Shape == stSquare || Shape == stRoundSquare || Shape == stCircle;
    if (square) {
        const Integer side = std::min(W, H);
        X += (W - side) / 2;
        Y += (H - side) / 2;
        W = side;
        H = side;
    }
    const Integer corner = std::min(W, H) / 4;
    switch (Shape) {
        case stRectangle:
        case stSquare: Canvas->Rectangle(X, Y, X + W, Y + H); break;
        case stRoundRect:
        case stRoundSquare: Canvas->RoundRect(X, Y, X + W, Y + H, corner, corner); break;
        case stEllipse:
        case stCircle: Canvas->Ellipse(X, Y, X + W, Y + H); break;
    }
}

namespace {

// The rings of DrawFrame3D; BottomEnd 0 runs each bottom edge under the
// left edge (the corner pixel turns BottomColor), 1 stops one pixel short.
void DrawRings(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, Integer Width, Integer BottomEnd)
{
    if (Width <= 0) return;
    TPen* pen = Canvas->Pen();
    pen->SetWidth(1);
    --R.Right;
    --R.Bottom;
    // Rings past the middle would draw inside-out over the frame: the
    // remaining ones only shrink the rectangle.
    const Integer least = std::min(R.Width(), R.Height());
    const Integer drawn = least < 0 ? 0 : std::min(Width, least / 2 + 1);
    for (Integer ring = 0; ring < drawn; ++ring) {
        pen->SetColor(TopColor);
        Canvas->Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}});
        pen->SetColor(BottomColor);
        Canvas->Polyline({{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left - 1 + BottomEnd, R.Bottom}});
        InflateRect(R, -1, -1);
    }
    const Int64 rest = Int64(Width) - drawn;
    R = Rect(SatInt32(R.Left + rest), SatInt32(R.Top + rest), SatInt32(R.Right - rest), SatInt32(R.Bottom - rest));
    ++R.Right;
    ++R.Bottom;
}

}  // namespace

void DrawFrame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, Integer Width)
{
    DrawRings(Canvas, R, TopColor, BottomColor, Width, 0);
}

void DrawOutline3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, Integer Width)
{
    DrawRings(Canvas, R, TopColor, BottomColor, Width, 1);
}

void ClearBitmapCanvas(const TRect& R, TBitmap* Bitmap, TColor Color)
{
    Bitmap->SetSize(R.Width(), R.Height());
    FillSolid(Bitmap->Canvas(), R, Color);
}

void CopyParentImage(TControl* Control, TCanvas* Canvas)
{
    if (Control && Control->Parent()) Control->CopyParentImage(Canvas);
}

void DrawTiledBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap)
{
    const Int64 w = Bitmap->Width();
    const Int64 h = Bitmap->Height();
    TRect visible;
    if (w <= 0 || h <= 0 || !VisiblePart(Canvas, R, visible)) return;
    // Only tiles that reach the visible part; their origins stay in R.
    const TStepRange columns = StepsWithin(Int64(visible.Left) - R.Left - (w - 1), WidthOf64(R) - 1, w);
    const TStepRange rows = StepsWithin(Int64(visible.Top) - R.Top - (h - 1), HeightOf64(R) - 1, h);
    const Int64 lastColumn = std::min(columns.Last, (Int64(visible.Right) - 1 - R.Left) / w);
    const Int64 lastRow = std::min(rows.Last, (Int64(visible.Bottom) - 1 - R.Top) / h);
    for (Int64 row = rows.First; row <= lastRow; ++row)
        for (Int64 column = columns.First; column <= lastColumn; ++column)
            Canvas->Draw(SatInt32(R.Left + column * w), SatInt32(R.Top + row * h), Bitmap);
}

void DrawBitmap(TCanvas* Canvas, const TRect& DestRect, TBitmap* Bitmap, const TRect& SourceRect, bool Transparent,
                TColor TransparentColor)
{
    if (Transparent) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->BrushCopy(DestRect, Bitmap, SourceRect, TransparentColor);
    } else {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->StretchDraw(DestRect, Bitmap);
    }
}

void ChangeBitmapColor(TBitmap* Bitmap, TColor FromColor, TColor ToColor)
{
    const Integer w = Bitmap->Width();
    const Integer h = Bitmap->Height();
    if (w <= 0 || h <= 0) return;
    // A mask with 1 on the pixels of FromColor...
    TOwned<TBitmap> mask = CreateOwned<TBitmap>();
    mask->SetMonochrome(true);
    mask->SetSize(w, h);
    TCanvas* canvas = Bitmap->Canvas();
    SetBkColor(canvas, Color2RGB(FromColor));
    BitBlt(mask->Canvas(), 0, 0, w, h, canvas, 0, 0, SRCCOPY);
    // ...through which the brush paints: 1 (white) takes ToColor, 0 keeps
    // the pixel.
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(ToColor);
    SetTextColor(canvas, clBlack);
    SetBkColor(canvas, clWhite);
    BitBlt(canvas, 0, 0, w, h, mask->Canvas(), 0, 0, 0x00E20746);
}

namespace {

// Square tiles of at most this many pixels a side carry the dot pattern.
constexpr Int64 kMaxPatternTile = 2048;

}  // namespace

void DrawRasterPattern(TCanvas* Canvas, const TRect& R, TColor ForeColor, TColor BackColor, Integer DotSize,
                       Integer Spacing)
{
    const Int64 pitch = Int64(DotSize) + Spacing;
    if (pitch < 1 || pitch > kMaxPatternTile) return;
    // Twenty dots a side, fewer when they would make the tile too large.
    const Int64 side = pitch * std::clamp<Int64>(kMaxPatternTile / pitch, 1, 20);
    TOwned<TBitmap> tile = CreateOwned<TBitmap>();
    tile->SetSize(static_cast<Integer>(side), static_cast<Integer>(side));
    TCanvas* canvas = tile->Canvas();
    FillSolid(canvas, Rect(0, 0, tile->Width(), tile->Height()), BackColor);
    if (DotSize > 0)
        for (Int64 y = 0; y < side; y += pitch)
            for (Int64 x = 0; x < side; x += pitch)
                FillSolid(canvas, Bounds(Integer(x), Integer(y), DotSize, DotSize), ForeColor);
    DrawTiledBitmap(Canvas, R, tile.get());
}

namespace {

// Work shows Picture stretched over it where Mask is black and keeps its
// own pixels where Mask is white (XOR, AND, XOR).
void PaintThroughMask(TBitmap* Work, TBitmap* Mask, TBitmap* Picture)
{
    const Integer w = Work->Width();
    const Integer h = Work->Height();
    TCanvas* work = Work->Canvas();
    TCanvas* picture = Picture->Canvas();
    StretchBlt(work, 0, 0, w, h, picture, 0, 0, Picture->Width(), Picture->Height(), SRCINVERT);
    BitBlt(work, 0, 0, w, h, Mask->Canvas(), 0, 0, SRCAND);
    StretchBlt(work, 0, 0, w, h, picture, 0, 0, Picture->Width(), Picture->Height(), SRCINVERT);
}

// The dot mask (black dots on white) and the coloured pattern of a w x h
// area, then Picture seen through the dots.
TOwned<TBitmap> RasterImage(Integer W, Integer H, TBitmap* Picture, TColor ForeColor, TColor BackColor,
                            Integer DotSize, Integer Spacing)
{
    TOwned<TBitmap> mask = CreateOwned<TBitmap>();
    mask->SetSize(W, H);
    DrawRasterPattern(mask->Canvas(), Rect(0, 0, W, H), clBlack, clWhite, DotSize, Spacing);
    TOwned<TBitmap> work = CreateOwned<TBitmap>();
    work->SetSize(W, H);
    DrawRasterPattern(work->Canvas(), Rect(0, 0, W, H), ForeColor, BackColor, DotSize, Spacing);
    if (!Picture->Empty()) PaintThroughMask(work.get(), mask.get(), Picture);
    return work;
}

}  // namespace

void StretchPaintOnRasterPattern(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap, TColor ForeColor,
                                 TColor BackColor, Integer DotSize, Integer Spacing)
{
    if (R.Width() <= 0 || R.Height() <= 0 || Int64(DotSize) + Spacing < 1) return;
    TOwned<TBitmap> work = RasterImage(R.Width(), R.Height(), Bitmap, ForeColor, BackColor, DotSize, Spacing);
    Canvas->Draw(0, 0, work.get());
}

void BitmapToLCD(TBitmap* Dest, TBitmap* Source, TColor ForeColor, TColor BackColor, Integer DotSize,
                 Integer Spacing)
{
    const Int64 pitch = std::max<Int64>(Int64(DotSize) + Spacing, 0);
    const Integer w = SatInt32(Source->Width() * pitch);
    const Integer h = SatInt32(Source->Height() * pitch);
    // Built apart, so that a size too large leaves Dest whole.
    TOwned<TBitmap> work = w > 0 && h > 0 ? RasterImage(w, h, Source, ForeColor, BackColor, DotSize, Spacing)
                                          : CreateOwned<TBitmap>();
    Dest->Assign(work.get());
}

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------

void CalcTextBounds(TCanvas* Canvas, const TRect& R, TRect& TextRect, const String& Text)
{
    TextRect = Rect(0, 0, R.Width(), 0);
    DrawText(Canvas, Text, TextRect, DT_CALCRECT | DT_WORDBREAK);
    OffsetRect(TextRect, R.Left + (R.Width() - TextRect.Width() + 1) / 2,
               R.Top + (R.Height() - TextRect.Height() + 1) / 2);
}

TSize GetTextSize(TCanvas* Canvas, const String& Text)
{
    TRect r;
    DrawText(Canvas, Text, r, DT_CALCRECT);
    return {r.Width(), r.Height()};
}

namespace {

// Runs Draw with the font colour set to Color, then puts the colour back.
void WithFontColor(TCanvas* Canvas, TColor Color, const std::function<void()>& Draw)
{
    TFont* font = Canvas->Font();
    const TColor saved = font->Color();
    font->SetColor(Color);
    Draw();
    font->SetColor(saved);
}

}  // namespace

void DrawButtonText(TCanvas* Canvas, const String& Text, const TRect& R, bool Enabled)
{
    Canvas->Brush()->SetStyle(bsClear);
    TRect r = R;
    if (Enabled) {
        DrawText(Canvas, Text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    OffsetRect(r, 1, 1);
    WithFontColor(Canvas, clBtnHighlight, [&] { DrawText(Canvas, Text, r, 0); });
    r = R;
    WithFontColor(Canvas, clBtnShadow, [&] { DrawText(Canvas, Text, r, 0); });
}

void SetCanvasTextAngle(TCanvas* Canvas, Integer Angle)
{
    // Whole turns change nothing; keeping the angle small keeps it in range.
    Canvas->Font()->SetOrientation((Angle % 360) * 10);
}

void CanvasTextOutAngle(TCanvas* Canvas, Integer X, Integer Y, Integer Angle, const String& Text)
{
    TFont* font = Canvas->Font();
    const Integer saved = font->Orientation();
    SetCanvasTextAngle(Canvas, Angle);
    Canvas->TextOut(X, Y, Text);
    font->SetOrientation(saved);
}

void Draw3DText(TCanvas* Canvas, Integer X, Integer Y, const String& Text, TColor HighlightColor,
                TColor ShadowColor)
{
    Canvas->Brush()->SetStyle(bsClear);
    WithFontColor(Canvas, ShadowColor, [&] { Canvas->TextOut(X + 1, Y + 1, Text); });
    WithFontColor(Canvas, HighlightColor, [&] { Canvas->TextOut(X - 1, Y - 1, Text); });
    Canvas->TextOut(X, Y, Text);
}

void DrawShadowTextExt(TCanvas* Canvas, Integer X, Integer Y, const String& Text, TColor ShadowColor,
                       Integer OffsetX, Integer OffsetY)
{
    Canvas->Brush()->SetStyle(bsClear);
    WithFontColor(Canvas, ShadowColor,
                  [&] { Canvas->TextOut(SatInt32(Int64(X) + OffsetX), SatInt32(Int64(Y) + OffsetY), Text); });
    Canvas->TextOut(X, Y, Text);
}

void DrawOutlinedText(TCanvas* Canvas, Integer X, Integer Y, const String& Text, TColor OutlineColor, Integer Width)
{
    Canvas->Brush()->SetStyle(bsClear);
    WithFontColor(Canvas, OutlineColor, [&] {
        for (Integer i = 1; i <= std::min(Width, kQdMaxOutlineWidth); ++i) {
            Canvas->TextOut(X + i, Y + i, Text);
            Canvas->TextOut(X - i, Y + i, Text);
            Canvas->TextOut(X - i, Y - i, Text);
            Canvas->TextOut(X + i, Y - i, Text);
        }
    });
    Canvas->TextOut(X, Y, Text);
}

void StretchPaintOnText(TCanvas* Canvas, const TRect& R, Integer X, Integer Y, const String& Text, TBitmap* Bitmap,
                        Integer Angle)
{
    const Integer w = R.Width();
    const Integer h = R.Height();
    if (w <= 0 || h <= 0) return;
    // The text in black on white...
    TOwned<TBitmap> mask = CreateOwned<TBitmap>();
    mask->SetSize(w, h);
    TCanvas* maskCanvas = mask->Canvas();
    FillSolid(maskCanvas, Rect(0, 0, w, h), clWhite);
    maskCanvas->SetFont(Canvas->Font());
    maskCanvas->Font()->SetColor(clBlack);
    SetCanvasTextAngle(maskCanvas, Angle);
    maskCanvas->Brush()->SetStyle(bsClear);
    maskCanvas->TextOut(X, Y, Text);
    // ...lets the bitmap through onto a copy of the canvas.
    TOwned<TBitmap> work = CreateOwned<TBitmap>();
    work->SetSize(w, h);
    BitBlt(work->Canvas(), 0, 0, w, h, Canvas, 0, 0, SRCCOPY);
    if (!Bitmap->Empty()) PaintThroughMask(work.get(), mask.get(), Bitmap);
    Canvas->Draw(0, 0, work.get());
}

namespace {

// Where the glyph and the caption start along one axis of ClientSize.
void PlaceAlongAxis(Integer ClientSize, Integer GlyphSize, Integer TextSize, Integer Margin, Integer Spacing,
                    bool GlyphFirst, Integer& GlyphAt, Integer& TextAt)
{
    if (GlyphSize == 0 || TextSize == 0) Spacing = 0;
    if (Margin == -1) {
        if (Spacing == -1) {
            Spacing = (ClientSize - GlyphSize - TextSize) / 3;
            Margin = Spacing;
        } else {
            Margin = (ClientSize - GlyphSize - Spacing - TextSize + 1) / 2;
        }
    } else if (Spacing == -1) {
        Spacing = (ClientSize - Margin - GlyphSize - TextSize) / 2;
    }
    if (GlyphFirst) {
        GlyphAt = Margin;
        TextAt = GlyphAt + GlyphSize + Spacing;
    } else {
        GlyphAt = ClientSize - Margin - GlyphSize;
        TextAt = GlyphAt - Spacing - TextSize;
    }
}

}  // namespace

void CalcImageTextLayout(TCanvas* Canvas, const TRect& R, const TPoint& Offset, const String& Caption,
                         const TSize& GlyphSize, Integer Layout, Integer Margin, Integer Spacing, TPoint& GlyphPos,
                         TRect& TextBounds)
{
    TSize text{};
    if (!Caption.empty()) {
        TRect measured = Rect(0, 0, R.Width(), 0);
        DrawText(Canvas, Caption, measured, DT_CALCRECT);
        text = {measured.Width(), measured.Height()};
    }
    const bool stacked = Layout == 0 || Layout == 3;  // glyph above or below the caption
    const bool glyphFirst = Layout == 0 || Layout == 1;
    TPoint textPos;
    if (stacked) {
        GlyphPos.X = (R.Width() - GlyphSize.cx + 1) / 2;
        textPos.X = (R.Width() - text.cx + 1) / 2;
        PlaceAlongAxis(R.Height(), GlyphSize.cy, text.cy, Margin, Spacing, glyphFirst, GlyphPos.Y, textPos.Y);
    } else {
        GlyphPos.Y = (R.Height() - GlyphSize.cy + 1) / 2;
        textPos.Y = (R.Height() - text.cy + 1) / 2;
        PlaceAlongAxis(R.Width(), GlyphSize.cx, text.cx, Margin, Spacing, glyphFirst, GlyphPos.X, textPos.X);
    }
    GlyphPos = Point(GlyphPos.X + R.Left + Offset.X, GlyphPos.Y + R.Top + Offset.Y);
    TextBounds = Bounds(textPos.X + R.Left + Offset.X, textPos.Y + R.Top + Offset.Y, text.cx, text.cy);
}
