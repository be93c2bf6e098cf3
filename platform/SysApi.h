#pragma once
// The system drawing calls, as free functions on layer objects: device
// state (background mode and colour, text colour, fill mode, window
// origin), clipping and regions, text drawing and metrics, raster
// operations and edges.

#include <memory>
#include <span>

#include "platform/Graphics.h"

// ---------------------------------------------------------------------------
// Device state. Setters return the previous value. A brush change sets
// OPAQUE with the brush colour for a solid brush, TRANSPARENT otherwise; a
// font change sets the text colour to the font colour.
// ---------------------------------------------------------------------------

constexpr Integer TRANSPARENT = 1;
constexpr Integer OPAQUE = 2;
constexpr Integer ALTERNATE = 1;
constexpr Integer WINDING = 2;
constexpr Integer BLACKONWHITE = 1;
constexpr Integer WHITEONBLACK = 2;
constexpr Integer COLORONCOLOR = 3;
constexpr Integer HALFTONE = 4;

Integer SetBkMode(TCanvas* DC, Integer Mode);
Integer GetBkMode(TCanvas* DC);
TColor SetBkColor(TCanvas* DC, TColor Color);
TColor GetBkColor(TCanvas* DC);
TColor SetTextColor(TCanvas* DC, TColor Color);
TColor GetTextColor(TCanvas* DC);
Integer SetPolyFillMode(TCanvas* DC, Integer Mode);
Integer GetPolyFillMode(TCanvas* DC);
// How a stretched copy that shrinks its source picks the pixels: the nearest
// source pixel (BLACKONWHITE, the default, WHITEONBLACK and COLORONCOLOR
// alike here), or with HALFTONE the average of the source pixels that each
// destination pixel covers, so that thin lines and small text stay visible.
// HALFTONE applies to plain colour copies (SRCCOPY, no transparent colour)
// that are not mirrored and grow in neither direction; others pick the
// nearest pixel.
Integer SetStretchBltMode(TCanvas* DC, Integer Mode);
Integer GetStretchBltMode(TCanvas* DC);
// Logical (X, Y) shows at the device origin.
bool SetWindowOrgEx(TCanvas* DC, Integer X, Integer Y, TPoint* Old = nullptr);
bool GetWindowOrgEx(TCanvas* DC, TPoint* Org);
// Saves origin, clip, modes and colours; returns the level (>= 1), 0 on failure.
Integer SaveDC(TCanvas* DC);
// A positive level restores that level, a negative one counts back from the latest.
bool RestoreDC(TCanvas* DC, Integer SavedDC);

constexpr Integer LOGPIXELSX = 88;
constexpr Integer LOGPIXELSY = 90;
constexpr Integer HORZRES = 8;
constexpr Integer VERTRES = 10;
constexpr Integer BITSPIXEL = 12;
constexpr Integer PLANES = 14;
// Printers: the whole sheet and the offset of the printable area, in device
// pixels (platform/Printers.h).
constexpr Integer PHYSICALWIDTH = 110;
constexpr Integer PHYSICALHEIGHT = 111;
constexpr Integer PHYSICALOFFSETX = 112;
constexpr Integer PHYSICALOFFSETY = 113;
// 96 dpi, 32 bits, and the size of the canvas's image.
Integer GetDeviceCaps(TCanvas* DC, Integer Index);
// The fixed system colour table (COLOR_BTNFACE = 15...).
TColor GetSysColor(Integer Index);

// ---------------------------------------------------------------------------
// Regions and clipping (device coordinates).
// ---------------------------------------------------------------------------

constexpr Integer ERROR = 0;
constexpr Integer NULLREGION = 1;
constexpr Integer SIMPLEREGION = 2;
constexpr Integer COMPLEXREGION = 3;
constexpr Integer RGN_AND = 1;
constexpr Integer RGN_OR = 2;
constexpr Integer RGN_XOR = 3;
constexpr Integer RGN_DIFF = 4;
constexpr Integer RGN_COPY = 5;

struct TRegionData;

// A set of pixels; copies are cheap and independent.
class TRegion {
public:
    TRegion();
    TRegion(const TRegion& Other);
    TRegion& operator=(const TRegion& Other);
    ~TRegion();

    TRegionData& Data() const { return *FData; }

private:
    std::unique_ptr<TRegionData> FData;
};

TRegion CreateRectRgn(Integer X1, Integer Y1, Integer X2, Integer Y2);
TRegion CreateRectRgnIndirect(const TRect& R);
// Pixels whose centres lie inside, by the ALTERNATE or WINDING rule.
TRegion CreatePolygonRgn(std::span<const TPoint> Points, Integer Mode);
Integer CombineRgn(TRegion& Dest, const TRegion& Src1, const TRegion& Src2, Integer Mode);
Integer OffsetRgn(TRegion& Rgn, Integer X, Integer Y);
Integer GetRgnBox(const TRegion& Rgn, TRect& R);
bool PtInRegion(const TRegion& Rgn, Integer X, Integer Y);
bool EqualRgn(const TRegion& A, const TRegion& B);

// Logical coordinates; an inverted rectangle clips everything.
Integer IntersectClipRect(TCanvas* DC, Integer Left, Integer Top, Integer Right, Integer Bottom);
Integer ExcludeClipRect(TCanvas* DC, Integer Left, Integer Top, Integer Right, Integer Bottom);
// Device coordinates; nullptr removes the clip.
Integer SelectClipRgn(TCanvas* DC, const TRegion* Rgn);
Integer GetClipBox(TCanvas* DC, TRect& R);
// 1 with the clip copied into Rgn, 0 when there is no clip.
Integer GetClipRgn(TCanvas* DC, TRegion& Rgn);
bool FillRgn(TCanvas* DC, const TRegion& Rgn, TBrush* Brush);
bool InvertRgn(TCanvas* DC, const TRegion& Rgn);

// ---------------------------------------------------------------------------
// Text.
// ---------------------------------------------------------------------------

constexpr Cardinal DT_TOP = 0x0;
constexpr Cardinal DT_LEFT = 0x0;
constexpr Cardinal DT_CENTER = 0x1;
constexpr Cardinal DT_RIGHT = 0x2;
constexpr Cardinal DT_VCENTER = 0x4;
constexpr Cardinal DT_BOTTOM = 0x8;
constexpr Cardinal DT_WORDBREAK = 0x10;
constexpr Cardinal DT_SINGLELINE = 0x20;
constexpr Cardinal DT_EXPANDTABS = 0x40;
constexpr Cardinal DT_TABSTOP = 0x80;
constexpr Cardinal DT_NOCLIP = 0x100;
constexpr Cardinal DT_EXTERNALLEADING = 0x200;
constexpr Cardinal DT_CALCRECT = 0x400;
constexpr Cardinal DT_NOPREFIX = 0x800;
constexpr Cardinal DT_INTERNAL = 0x1000;
constexpr Cardinal DT_EDITCONTROL = 0x2000;
constexpr Cardinal DT_PATH_ELLIPSIS = 0x4000;
constexpr Cardinal DT_END_ELLIPSIS = 0x8000;
constexpr Cardinal DT_MODIFYSTRING = 0x10000;
constexpr Cardinal DT_RTLREADING = 0x20000;
constexpr Cardinal DT_WORD_ELLIPSIS = 0x40000;
constexpr Cardinal DT_NOFULLWIDTHCHARBREAK = 0x80000;
constexpr Cardinal DT_HIDEPREFIX = 0x100000;
constexpr Cardinal DT_PREFIXONLY = 0x200000;

// Draws Text in R with the canvas's font, text colour and background
// mode. Returns the text height (with DT_VCENTER or DT_BOTTOM and
// DT_SINGLELINE, the offset from R.Top to the bottom of the text); 0 for
// an empty text. DT_CALCRECT only measures and sets R.Right and R.Bottom.
// DT_MODIFYSTRING never changes Text. Count < 0: the whole text, else its
// first Count characters.
Integer DrawText(TCanvas* DC, const String& Text, Integer Count, TRect& R, Cardinal Format);
inline Integer DrawText(TCanvas* DC, const String& Text, TRect& R, Cardinal Format)
{
    return DrawText(DC, Text, -1, R, Format);
}

struct TTextMetric {
    Integer tmHeight = 0;
    Integer tmAscent = 0;
    Integer tmDescent = 0;
    Integer tmInternalLeading = 0;
    Integer tmExternalLeading = 0;
    Integer tmAveCharWidth = 0;
    Integer tmMaxCharWidth = 0;
    Integer tmWeight = 0;
    Integer tmOverhang = 0;
    Byte tmItalic = 0;
    Byte tmUnderlined = 0;
    Byte tmStruckOut = 0;
    Byte tmPitchAndFamily = 0;
    Byte tmCharSet = 0;
};
bool GetTextMetrics(TCanvas* DC, TTextMetric& Metric);
bool GetTextExtentPoint32(TCanvas* DC, const String& Text, TSize& Size);

// ---------------------------------------------------------------------------
// Raster operations (ROP3 codes as TCopyMode: cmSrcCopy = SRCCOPY...).
// ---------------------------------------------------------------------------

constexpr Cardinal SRCCOPY = 0x00CC0020;
constexpr Cardinal SRCPAINT = 0x00EE0086;
constexpr Cardinal SRCAND = 0x008800C6;
constexpr Cardinal SRCINVERT = 0x00660046;
constexpr Cardinal SRCERASE = 0x00440328;
constexpr Cardinal NOTSRCCOPY = 0x00330008;
constexpr Cardinal NOTSRCERASE = 0x001100A6;
constexpr Cardinal MERGECOPY = 0x00C000CA;
constexpr Cardinal MERGEPAINT = 0x00BB0226;
constexpr Cardinal PATCOPY = 0x00F00021;
constexpr Cardinal PATPAINT = 0x00FB0A09;
constexpr Cardinal PATINVERT = 0x005A0049;
constexpr Cardinal DSTINVERT = 0x00550009;
constexpr Cardinal BLACKNESS = 0x00000042;
constexpr Cardinal WHITENESS = 0x00FF0062;

// Any ROP3, evaluated bit by bit from its truth table over pattern (the
// destination's brush), source and destination. A monochrome source maps 0
// to the destination's text colour and 1 to its background colour; a
// monochrome destination takes 1 where the source equals the source's
// background colour.
bool BitBlt(TCanvas* Dest, Integer X, Integer Y, Integer Width, Integer Height, TCanvas* Src, Integer XSrc,
            Integer YSrc, Cardinal Rop);
// Nearest neighbour; a negative size mirrors.
bool StretchBlt(TCanvas* Dest, Integer X, Integer Y, Integer Width, Integer Height, TCanvas* Src, Integer XSrc,
                Integer YSrc, Integer WidthSrc, Integer HeightSrc, Cardinal Rop);
bool PatBlt(TCanvas* DC, Integer X, Integer Y, Integer Width, Integer Height, Cardinal Rop);
bool InvertRect(TCanvas* DC, const TRect& R);
// Fills with Brush (the canvas's own brush when nullptr); inverted draws nothing.
Integer FillRect(TCanvas* DC, const TRect& R, TBrush* Brush);
bool DrawFocusRect(TCanvas* DC, const TRect& R);

class TControl;
// Marks R of Control (the whole control when nullptr) for its next paint,
// which then runs over that area alone; marks of one cycle add up.
bool InvalidateRect(TControl* Control, const TRect* R);

constexpr Cardinal BDR_RAISEDOUTER = 0x0001;
constexpr Cardinal BDR_SUNKENOUTER = 0x0002;
constexpr Cardinal BDR_RAISEDINNER = 0x0004;
constexpr Cardinal BDR_SUNKENINNER = 0x0008;
constexpr Cardinal EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr Cardinal EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr Cardinal EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr Cardinal EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr Cardinal BF_LEFT = 0x0001;
constexpr Cardinal BF_TOP = 0x0002;
constexpr Cardinal BF_RIGHT = 0x0004;
constexpr Cardinal BF_BOTTOM = 0x0008;
constexpr Cardinal BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr Cardinal BF_MIDDLE = 0x0800;
constexpr Cardinal BF_ADJUST = 0x2000;
constexpr Cardinal BF_FLAT = 0x4000;
constexpr Cardinal BF_MONO = 0x8000;
// The 3-D edge in the fixed system colours; BF_ADJUST shrinks R by it.
bool DrawEdge(TCanvas* DC, TRect& R, Cardinal Edge, Cardinal Flags);
