#include "components/foundation/kCommonRoutines.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include "components/foundation/kMath.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/Consts.h"
#include "platform/Controls.h"
#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/Math.h"
#include "platform/Printers.h"
#include "platform/SysApi.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------

namespace {

constexpr Cardinal kTextFlagFormats[] = {
    DT_LEFT,         DT_CENTER,        DT_RIGHT,         DT_TOP,          DT_VCENTER,       DT_BOTTOM,
    DT_WORDBREAK,    DT_SINGLELINE,    DT_EXPANDTABS,    DT_NOCLIP,       0,                DT_CALCRECT,
    DT_END_ELLIPSIS, DT_PATH_ELLIPSIS, DT_WORD_ELLIPSIS, 0,
};

// The library's flags as system text formats. Prefix processing is on
// only when asked for; the modify-string flag is dropped, so the caller's
// text is never written to.
Cardinal TextFormat(TkTextFlags flags)
{
    Cardinal format = flags.Contains(ktfPrefix) ? 0 : DT_NOPREFIX;
    for (int bit = 0; bit < 16; ++bit)
        if (flags.Contains(TkTextFlag(bit))) format |= kTextFlagFormats[bit];
    return format;
}

}  // namespace

Integer DrawTextStyled(TCanvas* Canvas, const String& Text, TRect& Rect, TkTextFlags Flags, Boolean Enabled,
                       TColor BackgroundColor)
{
    const Cardinal format = TextFormat(Flags);
    const bool embossed = !Enabled && !Flags.Contains(ktfCalcRect) && ColorToRGB(BackgroundColor) != clBlack;
    if (!embossed) return DrawText(Canvas, Text, Rect, format);

    TFont* font = Canvas->Font();
    const TScopeExit restore([font, color = font->Color()] { font->SetColor(color); });
    TRect highlight = Rect;
    OffsetRect(highlight, 1, 1);
    font->SetColor(ShiftColor(clBtnFace, 64, true));
    DrawText(Canvas, Text, highlight, format);
    font->SetColor(ShiftColor(clBtnFace, 32, false));
    return DrawText(Canvas, Text, Rect, format);
}

namespace {

// The W x H box (H x W when turned a quarter) centred on Rect's centre.
TRect CentredBox(const TRect& rect, Integer width, Integer height)
{
    const Int64 left = (Int64(rect.Left) + rect.Right) / 2 - width / 2;
    const Int64 top = (Int64(rect.Top) + rect.Bottom) / 2 - height / 2;
    return {SatInt32(left), SatInt32(top), SatInt32(left + width), SatInt32(top + height)};
}

TkTextFlag AlignmentFlag(TkAlignmentHorizontal alignment)
{
    switch (alignment) {
    case kahLeft:
        return ktfLeft;
    case kahRight:
        return ktfRight;
    case kahCenter:
        break;
    }
    return ktfCenter;
}

// Text turned about its cell's top-left corner, which the escapement takes
// to the corner of the box where the text starts.
void DrawTurnedText(TCanvas* canvas, const String& text, TPoint start, Integer escapement, Boolean enabled,
                    TColor backgroundColor)
{
    TFont* font = canvas->Font();
    const TScopeExit restore([font, orientation = font->Orientation()] { font->SetOrientation(orientation); });
    font->SetOrientation(escapement);
    TRect at{start.X, start.Y, start.X, start.Y};
    DrawTextStyled(canvas, text, at, {ktfSingleLine, ktfNoClip}, enabled, backgroundColor);
}

}  // namespace

void DrawRotatedText(TCanvas* Canvas, const String& Text, const TRect& Rect, TkRotationAngle Rotation,
                     TkAlignmentHorizontal Alignment, Boolean Enabled, TColor BackgroundColor, TRect& TextRect)
{
    const TSize extent = Canvas->TextExtent(Text);
    switch (Rotation) {
    case kra000: {
        TextRect = CentredBox(Rect, extent.cx, extent.cy);
        TkTextFlags flags{AlignmentFlag(Alignment), ktfVCenter, ktfNoClip};
        if (Text.find('\r') == String::npos) flags.Include(ktfSingleLine);
        TRect r = Rect;
        DrawTextStyled(Canvas, Text, r, flags, Enabled, BackgroundColor);
        return;
    }
    case kra090:
        TextRect = CentredBox(Rect, extent.cy, extent.cx);
        DrawTurnedText(Canvas, Text, {TextRect.Left, TextRect.Bottom}, 900, Enabled, BackgroundColor);
        return;
    case kra180:
        TextRect = CentredBox(Rect, extent.cx, extent.cy);
        DrawTurnedText(Canvas, Text, {TextRect.Right, TextRect.Bottom}, 1800, Enabled, BackgroundColor);
        return;
    case kra270:
        TextRect = CentredBox(Rect, extent.cy, extent.cx);
        DrawTurnedText(Canvas, Text, {TextRect.Right, TextRect.Top}, 2700, Enabled, BackgroundColor);
        return;
    }
    TextRect = {};
}

Integer MeasureText(TCanvas* Canvas, const String& Text)
{
    TRect r{};
    return DrawTextStyled(Canvas, Text, r, {ktfCalcRect, ktfNoClip}, true, clBlack);
}

// Measured rather than drawn off the canvas: the same height, and no canvas
// image is needed.
Integer MeasureTextInWidth(TCanvas* Canvas, const String& Text, Integer Width)
{
    TRect r{0, -800, Width, -100};
    return DrawTextStyled(Canvas, Text, r, {ktfLeft, ktfTop, ktfWordBreak, ktfCalcRect}, true, clBlack);
}

namespace {

// The first CR or LF of Text (npos without one), found at memchr's speed:
// a caption may run for megabytes without a line end.
std::size_t FindLineEnd(std::string_view Text)
{
    const void* lf = std::memchr(Text.data(), '\n', Text.size());
    const std::size_t limit = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - Text.data()) : Text.size();
    const void* cr = std::memchr(Text.data(), '\r', limit);
    if (cr) return static_cast<std::size_t>(static_cast<const char*>(cr) - Text.data());
    return lf ? limit : std::string_view::npos;
}

}  // namespace

Boolean NextTextLine(std::string_view& Rest, String& Line)
{
    if (Rest.empty()) return false;
    const std::size_t end = FindLineEnd(Rest);
    Line.assign(Rest.substr(0, end));
    if (end == std::string_view::npos) {
        Rest = {};
        return true;
    }
    const bool crlf = Rest[end] == '\r' && end + 1 < Rest.size() && Rest[end + 1] == '\n';
    Rest.remove_prefix(end + (crlf ? 2 : 1));
    return true;
}

Integer MultiLineTextWidth(TCanvas* Canvas, const String& Text)
{
    // One line is measured as it stands, not copied: it may be megabytes.
    if (FindLineEnd(Text) == std::string_view::npos) return Canvas->TextWidth(Text);
    Integer widest = 0;
    std::string_view rest = Text;
    String line;
    while (NextTextLine(rest, line)) widest = Max(widest, Canvas->TextWidth(line));
    return widest;
}

Integer DigitsForSpan(Integer Precision, TkPrecisionStyle PrecisionStyle, Double Min, Double Max)
{
    switch (PrecisionStyle) {
    case kpsFixedDecimalPoints:
        return Precision;
    case kpsSignificantDigits: {
        if (Precision <= 0) return 0;
        Extended span = std::fabs(Extended(Max) - Extended(Min));
        // An unmeasurable span counts as none: no magnitude of its own.
        if (!std::isfinite(span)) span = 0.0L;
        const Int64 magnitude = span > 0.0L ? Trunc(Log10(span)) : 0;
        Int64 digits = Precision - (magnitude + 1);
        if (span < 1.0L) ++digits;
        return SatInt32(digits < 0 ? 0 : digits);
    }
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Colour
// ---------------------------------------------------------------------------

namespace {

Byte ClampByte(Int64 value) { return Byte(EnsureRange<Int64>(value, 0, 255)); }

template <class F>
TColor MapBytes(TColor color, F f)
{
    const TColor rgb = ColorToRGB(color);
    return RGB(f(GetRValue(rgb)), f(GetGValue(rgb)), f(GetBValue(rgb)));
}

}  // namespace

TColor DivideColor(TColor Color, Integer Divisor)
{
    if (Divisor > 0) return MapBytes(Color, [&](Byte b) { return Byte(b / Divisor); });
    return MapBytes(Color, [&](Byte b) { return ClampByte(Int64(b) * -Int64(Divisor)); });
}

TColor ShiftColor(TColor Color, Byte Amount, Boolean Lighten)
{
    const Int64 delta = Lighten ? Amount : -Int64(Amount);
    return MapBytes(Color, [&](Byte b) { return ClampByte(b + delta); });
}

// ---------------------------------------------------------------------------
// Frames and fills
// ---------------------------------------------------------------------------

void DrawFrame(TCanvas* Canvas, const TRect& Rect, Integer Style)
{
    TRect r = Rect;
    switch (Style) {
    case 0:
        DrawEdge(Canvas, r, EDGE_SUNKEN, BF_RECT);
        break;
    case 1:
        DrawEdge(Canvas, r, EDGE_RAISED, BF_RECT);
        break;
    case 2:
        Canvas->Pen()->SetColor(clBtnShadow);
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->Polygon({{r.Left, r.Top}, {r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1}});
        break;
    default:
        break;
    }
}

void DrawFocusRectangle(TCanvas* Canvas, const TRect& Rect) { Canvas->DrawFocusRect(Rect); }

void DrawColoredFocusRect(TCanvas* Canvas, const TRect& Rect, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetColor(Color);
    Canvas->DrawFocusRect(Rect);
}

namespace {

// No gradient step count needs more lines than the largest image has
// pixels along a diagonal sweep; a larger rectangle only draws off-image.
constexpr Int64 kMaxGradientSteps = 2 * 65536;

struct TGradientSteps {
    Int64 Count;  // the last step index; negative draws nothing
    Integer PenWidth;
};

TGradientSteps GradientSteps(TkFillDirection direction, Int64 width, Int64 height, Int64 extent)
{
    switch (direction) {
    case kfdTopBottom:
    case kfdBottomTop:
        return {height - 1, 1};
    case kfdLeftRight:
    case kfdRightLeft:
        return {width - 1, 1};
    case kfdTopLeftBottomRight:
    case kfdBottomRightTopLeft:
    case kfdBottomLeftTopRight:
    case kfdTopRightBottomLeft:
        return {(extent - 1) * 2, 1};
    case kfdRectangleCenterOut:
    case kfdRectangleCenterIn:
        return {(extent - 1) / 3, 2};
    case kfdEllipseCenterOut:
    case kfdEllipseCenterIn:
        return {(extent - 1) / 8, 16};
    }
    return {0, 1};
}

Integer Nearest(Extended x) { return SatInt32(Round(x)); }

// The colour t of the way from `from` to `to`, each byte rounded to even.
TColor Blend(Extended t, TColor from, TColor to)
{
    auto mix = [t](Byte a, Byte b) { return ClampByte(Round(t * b + (1 - t) * a)); };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

void DrawGradientStep(TCanvas* canvas, const TRect& r, TkFillDirection direction, Integer i, Extended t)
{
    const Extended right = Extended(r.Right) - 1;
    const Extended bottom = Extended(r.Bottom) - 1;
    switch (direction) {
    case kfdTopBottom:
    case kfdBottomTop:
        canvas->MoveTo(r.Left, r.Top + i);
        canvas->LineTo(r.Right, r.Top + i);
        break;
    case kfdLeftRight:
    case kfdRightLeft:
        canvas->MoveTo(r.Left + i, r.Top);
        canvas->LineTo(r.Left + i, r.Bottom);
        break;
    case kfdTopLeftBottomRight:
    case kfdBottomRightTopLeft:
        canvas->MoveTo(Nearest(2 * t * right) - 1, 0);
        canvas->LineTo(-1, Nearest(2 * t * bottom));
        break;
    case kfdBottomLeftTopRight:
    case kfdTopRightBottomLeft:
        canvas->MoveTo(0, SatInt32(Int64(r.Bottom) - 1 - Nearest(2 * t * bottom)));
        canvas->LineTo(Nearest(2 * t * right), r.Bottom - 1);
        break;
    case kfdRectangleCenterOut:
    case kfdRectangleCenterIn:
    case kfdEllipseCenterOut:
    case kfdEllipseCenterIn: {
        const bool ellipse = direction == kfdEllipseCenterOut || direction == kfdEllipseCenterIn;
        // The outermost ellipse reaches the corners.
        const Extended reach = ellipse ? 1.414L * t : t;
        const Extended halfWidth = reach * right / 2;
        const Extended halfHeight = reach * bottom / 2;
        const Integer x1 = Nearest(right / 2 - halfWidth);
        const Integer y1 = Nearest(bottom / 2 - halfHeight);
        const Integer x2 = Nearest(right / 2 + halfWidth);
        const Integer y2 = Nearest(bottom / 2 + halfHeight);
        if (ellipse)
            canvas->Ellipse(x1, y1, x2, y2);
        else
            canvas->Rectangle(x1, y1, x2, y2);
        break;
    }
    }
}

}  // namespace

void GradientFill(TCanvas* Canvas, const TRect& Rect, TkFillDirection Direction, TColor StartColor,
                  TColor StopColor)
{
    const Int64 width = Int64(Rect.Right) - Rect.Left;
    const Int64 height = Int64(Rect.Bottom) - Rect.Top;
    const TGradientSteps steps = GradientSteps(Direction, width, height, Max(Rect.Right, Rect.Bottom));
    const Int64 count = Min(steps.Count, kMaxGradientSteps);
    // Even directions start with StartColor, odd ones with StopColor.
    const bool reversed = Direction % 2 != 0;
    const TColor first = ColorToRGB(reversed ? StopColor : StartColor);
    const TColor last = ColorToRGB(reversed ? StartColor : StopColor);

    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetWidth(steps.PenWidth);
    for (Int64 i = 0; i <= count; ++i) {
        // A single step (a one-pixel strip) is all first colour.
        const Extended t = count == 0 ? 0.0L : Extended(i) / count;
        Canvas->Pen()->SetColor(Blend(t, first, last));
        DrawGradientStep(Canvas, Rect, Direction, Integer(i), t);
    }
    if (Direction == kfdRectangleCenterOut || Direction == kfdRectangleCenterIn)
        Canvas->SetPixels(SatInt32(Rect.Left + width / 2 - 1), SatInt32(Rect.Top + height / 2 - 1), first);
}

// ---------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------

TRect MakeRect(Integer Left, Integer Top, Integer Right, Integer Bottom) { return {Left, Top, Right, Bottom}; }

TRect NormalizedRect(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    return {Min(X1, X2), Min(Y1, Y2), Max(X1, X2), Max(Y1, Y2)};
}

TRect OrientedRect(Boolean Horizontal, Integer A1, Integer B1, Integer A2, Integer B2)
{
    return Horizontal ? NormalizedRect(B1, A1, B2, A2) : NormalizedRect(A1, B1, A2, B2);
}

TPoint OrientedPoint(Boolean Horizontal, Integer A, Integer B)
{
    return Horizontal ? TPoint{B, A} : TPoint{A, B};
}

void OrientedPointXY(Boolean Horizontal, Integer A, Integer B, Integer& X, Integer& Y)
{
    const TPoint p = OrientedPoint(Horizontal, A, B);
    X = p.X;
    Y = p.Y;
}

void SwapIntegers(Integer& A, Integer& B)
{
    const Integer t = A;
    A = B;
    B = t;
}

void LineFromPoints(const TPoint& P1, const TPoint& P2, Double& Slope, Double& Intercept)
{
    if (P1.X == P2.X)
        Slope = 1e30;
    else
        Slope = (Double(P2.Y) - P1.Y) / (Double(P2.X) - P1.X);
    Intercept = P1.Y - P1.X * Slope;
}

namespace {

bool WithinX(Int64 x, const TPoint& a, const TPoint& b) { return x >= Min(a.X, b.X) && x <= Max(a.X, b.X); }

}  // namespace

Boolean SegmentsIntersect(const TPoint& A1, const TPoint& A2, const TPoint& B1, const TPoint& B2)
{
    Double slopeA, interceptA, slopeB, interceptB;
    LineFromPoints(A1, A2, slopeA, interceptA);
    LineFromPoints(B1, B2, slopeB, interceptB);
    if (slopeA == slopeB) return false;
    const Extended crossing = (Extended(interceptB) - interceptA) / (Extended(slopeA) - slopeB);
    // Nearly parallel lines cross far beyond any pixel coordinate.
    if (!(std::fabs(crossing) < 4e9L)) return false;
    const Int64 x = Round(crossing);
    return WithinX(x, A1, A2) && WithinX(x, B1, B2);
}

Boolean SegmentIntersectsRect(const TPoint& P1, const TPoint& P2, const TRect& Rect)
{
    const TPoint topLeft{Rect.Left, Rect.Top};
    const TPoint topRight{Rect.Right, Rect.Top};
    const TPoint bottomLeft{Rect.Left, Rect.Bottom};
    const TPoint bottomRight{Rect.Right, Rect.Bottom};
    if (SegmentsIntersect(P1, P2, topLeft, bottomLeft) || SegmentsIntersect(P1, P2, topLeft, topRight) ||
        SegmentsIntersect(P1, P2, topRight, bottomRight) || SegmentsIntersect(P1, P2, bottomLeft, bottomRight))
        return true;
    auto inside = [&](const TPoint& p) {
        return p.X >= Rect.Left && p.X <= Rect.Right && p.Y >= Rect.Top && p.Y <= Rect.Bottom;
    };
    return inside(P1) || inside(P2);
}

// ---------------------------------------------------------------------------
// Controls and keys
// ---------------------------------------------------------------------------

Boolean ShiftKeyDown() { return GetKeyState(VK_SHIFT) < 0; }
Boolean CtrlKeyDown() { return GetKeyState(VK_CONTROL) < 0; }
Boolean AltKeyDown() { return GetKeyState(VK_MENU) < 0; }

// A control that cannot take the focus is left alone, as the system does,
// rather than raising.
void FocusControl(TWinControl* Control)
{
    if (Control && Control->CanFocus()) Control->SetFocus();
}

TWinControl* FindOwnerForm(TComponent* Component)
{
    TWinControl* lastWindowed = nullptr;
    for (TComponent* c = Component; c; c = c->Owner()) {
        if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
        if (auto* windowed = dynamic_cast<TWinControl*>(c)) lastWindowed = windowed;
    }
    return lastWindowed;
}

// A negative index is ignored like one past the pages: it would otherwise
// take the page control to no page at all.
void SetActivePageIndex(TPageControl* PageControl, Integer Index)
{
    if (PageControl && Index >= 0 && Index < PageControl->PageCount()) PageControl->SetActivePageIndex(Index);
}

Integer ActivePageIndex(TPageControl* PageControl) { return PageControl ? PageControl->ActivePageIndex() : -1; }

// ---------------------------------------------------------------------------
// Date-time counts
// ---------------------------------------------------------------------------

namespace {

constexpr Int64 kMsPerDay = 86400000;
constexpr Integer kCountOverflow = 2147483647;
constexpr Integer kMinutesOverflow = 10000;

// Whole days and the rounded milliseconds of the time of day. The time is
// taken against the day count itself, so a value a hair below a whole day
// counts that day once, not a day plus 24 hours.
struct TDayTime {
    Int64 Days;
    Int64 MsOfDay;
};

// Beyond this no count fits in 32 bits.
constexpr Extended kCountableDays = 1e12L;

bool Split(TDateTime value, TDayTime& parts)
{
    if (!(std::fabs(Extended(value)) < kCountableDays)) return false;
    parts.Days = Trunc(Extended(value) + 1e-15L);
    parts.MsOfDay = Round(std::fabs(Extended(value) - parts.Days) * kMsPerDay);
    return true;
}

// Counts in 64 bits; anything negative or past 32 bits is the overflow
// value.
template <Int64 UnitsPerDay>
Integer CountUnits(TDateTime value, Integer overflow)
{
    TDayTime parts;
    if (!Split(value, parts)) return overflow;
    const Int64 count = parts.Days * UnitsPerDay + parts.MsOfDay / (kMsPerDay / UnitsPerDay);
    if (count < 0 || count > std::numeric_limits<Integer>::max()) return overflow;
    return Integer(count);
}

}  // namespace

Integer DateTimeToMilliseconds(TDateTime Value) { return CountUnits<kMsPerDay>(Value, kCountOverflow); }
Integer DateTimeToSeconds(TDateTime Value) { return CountUnits<86400>(Value, kCountOverflow); }
Integer DateTimeToMinutes(TDateTime Value) { return CountUnits<1440>(Value, kMinutesOverflow); }
Integer DateTimeToHours(TDateTime Value) { return CountUnits<24>(Value, kCountOverflow); }

// ---------------------------------------------------------------------------
// Paper
// ---------------------------------------------------------------------------

namespace {

struct TPaperSize {
    Double Width;
    Double Height;
    bool Metric;  // millimetres, else inches
};

// Portrait sizes of the Windows paper codes 1 to 68; 48 and 49 are
// reserved (zero).
constexpr TPaperSize kPaperSizes[68] = {
    {8.5, 11, false},     // 1 letter
    {8.5, 11, false},     // 2 letter small
    {11, 17, false},      // 3 tabloid
    {17, 11, false},      // 4 ledger
    {8.5, 14, false},     // 5 legal
    {5.5, 8.5, false},    // 6 statement
    {7.25, 10.5, false},  // 7 executive
    {297, 420, true},     // 8 A3
    {210, 297, true},     // 9 A4
    {210, 297, true},     // 10 A4 small
    {148, 210, true},     // 11 A5
    {250, 354, true},     // 12 B4
    {182, 257, true},     // 13 B5
    {8.5, 13, false},     // 14 folio
    {215, 275, true},     // 15 quarto
    {10, 14, false},      // 16 10 x 14
    {11, 17, false},      // 17 11 x 17
    {8.5, 11, false},     // 18 note
    {3.875, 8.875, false},  // 19 envelope #9
    {4.125, 9.5, false},    // 20 envelope #10
    {4.5, 10.375, false},   // 21 envelope #11
    {4.75, 11, false},      // 22 envelope #12
    {5, 11.5, false},       // 23 envelope #14
    {17, 22, false},        // 24 C sheet
    {22, 34, false},        // 25 D sheet
    {34, 44, false},        // 26 E sheet
    {110, 220, true},       // 27 envelope DL
    {162, 229, true},       // 28 envelope C5
    {324, 458, true},       // 29 envelope C3
    {229, 324, true},       // 30 envelope C4
    {114, 162, true},       // 31 envelope C6
    {114, 229, true},       // 32 envelope C65
    {250, 353, true},       // 33 envelope B4
    {176, 250, true},       // 34 envelope B5
    {176, 125, true},       // 35 envelope B6
    {110, 230, true},       // 36 envelope Italy
    {3.875, 7.5, false},    // 37 envelope Monarch
    {3.625, 6.5, false},    // 38 envelope 6 3/4
    {14.875, 11, false},    // 39 US standard fanfold
    {8.5, 12, false},       // 40 German standard fanfold
    {8.5, 13, false},       // 41 German legal fanfold
    {250, 353, true},       // 42 B4 (ISO)
    {100, 148, true},       // 43 Japanese postcard
    {9, 11, false},         // 44 9 x 11
    {10, 11, false},        // 45 10 x 11
    {15, 11, false},        // 46 15 x 11
    {220, 220, true},       // 47 envelope invite
    {0, 0, false},          // 48 reserved
    {0, 0, false},          // 49 reserved
    {9.5, 12, false},       // 50 letter extra
    {9.5, 15, false},       // 51 legal extra
    {11.69, 18, false},     // 52 tabloid extra
    {9.27, 12.69, false},   // 53 A4 extra
    {8.5, 11, false},       // 54 letter transverse
    {210, 297, true},       // 55 A4 transverse
    {9.5, 12, false},       // 56 letter extra transverse
    {227, 356, true},       // 57 super A
    {305, 487, true},       // 58 super B
    {8.5, 12.69, false},    // 59 letter plus
    {210, 330, true},       // 60 A4 plus
    {148, 210, true},       // 61 A5 transverse
    {182, 257, true},       // 62 B5 (JIS) transverse
    {322, 445, true},       // 63 A3 extra
    {174, 235, true},       // 64 A5 extra
    {201, 276, true},       // 65 B5 (ISO) extra
    {420, 594, true},       // 66 A2
    {297, 420, true},       // 67 A3 transverse
    {322, 445, true},       // 68 A3 extra transverse
};

}  // namespace

Double MillimetersToInches(Double Value) { return Value / 10 / 2.54; }

void PaperSizeInches(Integer PaperCode, Double& Width, Double& Height)
{
    Width = 8.5;
    Height = 11;
    if (PaperCode < 1 || PaperCode > 68) return;
    const TPaperSize& size = kPaperSizes[PaperCode - 1];
    if (size.Width == 0) return;
    Width = size.Metric ? MillimetersToInches(size.Width) : size.Width;
    Height = size.Metric ? MillimetersToInches(size.Height) : size.Height;
}

void PrinterPaperSize(Double& Width, Double& Height)
{
    TPrinter* printer = Printer();
    TDeviceMode* mode = printer->DeviceMode();
    if (!mode) {
        // No printer chosen yet: choosing the current one makes its mode.
        printer->SetPrinterIndex(printer->PrinterIndex());
        mode = printer->DeviceMode();
    }
    if (!mode) throw Exception("Could not initialize printer DeviceMode Structure");
    PaperSizeInches(mode->dmPaperSize, Width, Height);
    if (mode->dmOrientation == DMORIENT_LANDSCAPE) std::swap(Width, Height);
}

// ---------------------------------------------------------------------------
// Property text
// ---------------------------------------------------------------------------

namespace {

// Sub-objects nest a few levels at most (a font of an axis); anything deeper
// can only be owned objects that lead back to one another.
constexpr Integer kMaxSubObjectDepth = 32;

// The sub-object that property text enters: an owned persistent, never a
// component. Following a reference would rewrite a component other controls
// share (a popup menu renamed by "PopupMenu.Name"), and a reference cycle
// would never end.
TPersistent* OwnedSubObject(TObject* Instance, PPropInfo Prop)
{
    if (!Prop || Prop->Kind != tkClass || Prop->IsReference) return nullptr;
    auto* sub = dynamic_cast<TPersistent*>(GetObjectProp(Instance, Prop));
    return dynamic_cast<TComponent*>(sub) ? nullptr : sub;
}

String EscapeLineBreaks(const String& Text)
{
    String result;
    result.reserve(Text.size());
    for (char c : Text) {
        if (c == '\r')
            result += "#13";
        else if (c == '\n')
            result += "#10";
        else
            result += c;
    }
    return result;
}

String UnescapeLineBreaks(const String& Text)
{
    const String withCarriageReturns = StringReplace(Text, "#13", "\r", {rfReplaceAll});
    return StringReplace(withCarriageReturns, "#10", "\n", {rfReplaceAll});
}

// A text without an escape is set as it stands: a long one is not copied
// on the way.
void SetStringFromText(TObject* Instance, PPropInfo Prop, String Value)
{
    if (Value.find('#') != String::npos) Value = UnescapeLineBreaks(Value);
    SetStrProp(Instance, Prop, std::move(Value));
}

bool IsOrdinalKind(TTypeKind Kind)
{
    return Kind == tkInteger || Kind == tkChar || Kind == tkEnumeration || Kind == tkSet;
}

// The value text of a property that has one; false for kinds without a
// text form and for an ordinal left out as its default.
bool PropertyValueText(TObject* Instance, PPropInfo Prop, Boolean SkipDefaults, String& Text)
{
    if (IsOrdinalKind(Prop->Kind)) {
        if (SkipDefaults && IsDefaultPropValue(Instance, Prop)) return false;
        Text = IntToStr(GetOrdProp(Instance, Prop));
        return true;
    }
    if (Prop->Kind == tkFloat) {
        Text = FloatToStr(GetFloatProp(Instance, Prop));
        return true;
    }
    if (Prop->Kind == tkString) {
        Text = EscapeLineBreaks(GetStrProp(Instance, Prop));
        return true;
    }
    return false;
}

void SaveObjectProperties(TObject* Instance, const String& Prefix, TStrings& Lines, Boolean SkipDefaults,
                          const TStrings* Exclusions, Integer Depth)
{
    if (Depth > kMaxSubObjectDepth) throw EConvertError("Sub-Objects Nested Too Deeply - " + TextExcerpt(Prefix));
    const bool prefixed = !Trim(Prefix).empty();
    for (PPropInfo prop : GetPropList(Instance)) {
        if (!prop->HasSetter() || !IsStoredProp(Instance, prop)) continue;
        const String path = prefixed ? Prefix + "." + prop->Name : prop->Name;
        if (Exclusions && Exclusions->IndexOf(path) >= 0) continue;
        if (prop->Kind == tkClass) {
            if (TPersistent* sub = OwnedSubObject(Instance, prop))
                SaveObjectProperties(sub, path, Lines, SkipDefaults, Exclusions, Depth + 1);
            continue;
        }
        String value;
        if (PropertyValueText(Instance, prop, SkipDefaults, value)) Lines.Add(path + " = " + value);
    }
}

void SetOrdinalFromText(TObject* Instance, PPropInfo Prop, const String& Value)
{
    Int64 ordinal = StrToInt64(Value);
    // Booleans read any non-zero number as true, as they do from OPC data.
    if (Prop->Type == BooleanTypeInfo()) ordinal = ordinal != 0 ? 1 : 0;
    // Raises outside the property's type: no enumeration beyond its last
    // identifier, no set bit beyond its members.
    SetOrdProp(Instance, Prop, ordinal);
}

}  // namespace

// Files written with a decimal comma read where the decimal point is used,
// and the reverse: the first foreign separator is taken for the own one.
Extended FloatFromText(const String& Value, char DecimalSeparator)
{
    String text = Value;
    const char foreign = DecimalSeparator == ',' ? '.' : DecimalSeparator == '.' ? ',' : '\0';
    if (foreign != '\0') {
        const std::size_t at = text.find(foreign);
        if (at != String::npos) text[at] = DecimalSeparator;
    }
    TFormatSettings settings = FormatSettings;
    settings.DecimalSeparator = DecimalSeparator;
    Extended value = 0;
    // Non-finite values are written as "NAN", "INF" and "-INF"; they read back.
    if (!TryStrToFloat(text, value, settings, true)) throw EConvertError(Format(SInvalidFloat, TextExcerpt(Value)));
    return value;
}

void SavePublishedProperties(TObject* Instance, const String& Prefix, TStrings& Lines, Boolean SkipDefaults,
                             const TStrings* Exclusions)
{
    if (Instance) SaveObjectProperties(Instance, Prefix, Lines, SkipDefaults, Exclusions, 0);
}

Integer ApplyPublishedProperties(TObject* Instance, const String& Prefix, const TStrings& Lines, Integer From,
                                 Integer& Applied)
{
    const char decimalSeparator = FormatSettings.DecimalSeparator;
    Applied = std::max<Integer>(From, 0);
    for (; Applied < Lines.Count(); ++Applied) {
        String path, value, head;
        SplitAtSeparator(Lines.Strings(Applied), "=", path, value);
        StripPathPrefix(Prefix, path, head);
        if (head != Prefix) break;
        SetPropertyFromText(Instance, path, std::move(value), decimalSeparator);
    }
    return Applied;
}

void LoadPublishedProperties(TObject* Instance, const String& Prefix, TStrings& Lines)
{
    // The applied lines go in one cut, also when a line raises: deleting
    // them one by one from the front would cost the square of the lines.
    Integer applied = 0;
    TScopeExit cut([&] { Lines.DeleteRange(0, applied); });
    ApplyPublishedProperties(Instance, Prefix, Lines, 0, applied);
}

void SetPropertyFromText(TObject* Instance, const String& Path, String Value, char DecimalSeparator)
{
    if (!Instance) return;
    // Walked without recursion: a long path costs no stack.
    TObject* target = Instance;
    std::string_view rest = Path;
    for (std::size_t dot = rest.find('.'); dot != std::string_view::npos; dot = rest.find('.')) {
        target = OwnedSubObject(target, GetPropInfo(target, String(rest.substr(0, dot))));
        if (!target) return;
        rest.remove_prefix(dot + 1);
    }
    PPropInfo prop = GetPropInfo(target, String(rest));
    if (!prop || !prop->HasSetter()) return;
    if (IsOrdinalKind(prop->Kind))
        SetOrdinalFromText(target, prop, Value);
    else if (prop->Kind == tkFloat)
        SetFloatProp(target, prop, FloatFromText(Value, DecimalSeparator));
    else if (prop->Kind == tkString)
        SetStringFromText(target, prop, std::move(Value));
}

void StripPathPrefix(const String& Prefix, String& Path, String& Head)
{
    Head.clear();
    if (Prefix.empty()) return;
    const std::size_t dot = Path.find('.');
    if (dot == String::npos || !SameText(std::string_view(Path).substr(0, dot), Prefix)) return;
    Head = Path.substr(0, dot);
    Path.erase(0, dot + 1);
}

void SplitAtSeparator(String Text, const String& Separator, String& Left, String& Right)
{
    const std::size_t at = Separator.empty() ? String::npos : Text.find(Separator);
    if (at == String::npos) {
        Left.clear();
        Right.clear();
        return;
    }
    Left = Trim(std::string_view(Text).substr(0, at));
    // The right part keeps the text's own storage: a long value is not
    // copied once more.
    const std::string_view right = std::string_view(Text).substr(at + Separator.size());
    const std::string_view trimmed = TrimView(right);
    Text.erase(0, static_cast<std::size_t>(trimmed.data() - Text.data()));
    Text.resize(trimmed.size());
    Right = std::move(Text);
}

Boolean ExtractNamedLine(const String& Name, String& Value, TStrings& Lines)
{
    const String wanted = Trim(Name);
    for (Integer i = 0; i < Lines.Count(); ++i) {
        const String line = Lines.Strings(i);
        // A line without "=" has no name, not an empty one.
        if (line.find('=') == String::npos) continue;
        String left, right;
        SplitAtSeparator(line, "=", left, right);
        if (!SameText(left, wanted)) continue;
        Value = right;
        Lines.Delete(i);
        return true;
    }
    return false;
}

TObject* GetObjectProperty(TObject* Instance, const String& Name)
{
    PPropInfo prop = Instance ? GetPropInfo(Instance, Name) : nullptr;
    return prop && prop->Kind == tkClass ? GetObjectProp(Instance, prop) : nullptr;
}

void WritePublishedProperties(TWriter& Writer, TPersistent* Instance) { Writer.WriteProperties(Instance); }
