#pragma once
// The panel widget library's free routines: integer and rectangle
// arithmetic, colour arithmetic, gradients, 3-D frames, text effects, bitmap
// helpers and pattern fills. They keep no state and run on the GUI thread.
//
// "/ 2" on integers truncates toward zero, as everywhere in the library.
// Colours given as system colours count by their RGB value (Color2RGB)
// wherever channels are computed.

#include <span>

#include "platform/Graphics.h"

class TComponent;
class TWinControl;
class TControl;

enum TQdShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
PL_ENUM_NAMES(TQdShapeType, "stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle")

// ---------------------------------------------------------------------------
// Arithmetic and rectangles
// ---------------------------------------------------------------------------

// Percent % of Value, truncated toward zero; exact (64-bit) and saturated
// to the 32-bit range.
Integer SolveForX(Integer Percent, Integer Value);
// X as a percentage of Z, truncated toward zero; 0 when Z is 0. Exact and
// saturated like SolveForX.
Integer SolveForY(Integer X, Integer Z);
// A as a percentage of B, truncated toward zero; 0 when B is 0.
Integer Percent(Integer A, Integer B);
Integer MinIntVal(Integer A, Integer B);
Integer MaxIntVal(Integer A, Integer B);
// Min <= Value <= Max.
bool InRange(Integer Value, Integer Min, Integer Max);
// Clamps Value into [Min, Max]; Min is tested first.
void AdjustRange(Integer& Value, Integer Min, Integer Max);
Integer WidthOf(const TRect& R);
Integer HeightOf(const TRect& R);
// All four sides equal.
bool CompareRect(const TRect& A, const TRect& B);
// (0, 0, width, height) of Bitmap.
TRect BitmapRect(TBitmap* Bitmap);
// Glyph Index of a strip of Count glyphs side by side; the whole bitmap
// when Count is 1 or less.
TRect GlyphRect(TBitmap* Bitmap, Integer Index, Integer Count);
// Frees Obj unless it is nullptr.
void FreeObject(TObject* Obj);
// A new bitmap in each slot 0 .. High (a bitmap already there is freed
// first); slots past the end of Bitmaps are ignored.
void AllocateBitmaps(std::span<TBitmap*> Bitmaps, Integer High);
// Frees the bitmaps of slots 0 .. High and clears the slots.
void DeallocateBitmaps(std::span<TBitmap*> Bitmaps, Integer High);
// Up the owner chain from Component's owner while the owners are windowed
// controls: the last of them; nullptr when the owner is not one.
TWinControl* GetOwnerControl(TComponent* Component);
// Takes the text before the first Delimiter off S (the delimiter too) and
// returns it; without a delimiter, returns S whole and empties it.
String GetStrParam(String& S, const String& Delimiter);

// ---------------------------------------------------------------------------
// Colours
// ---------------------------------------------------------------------------

// A system colour becomes the current colour of its index (low byte);
// others are returned unchanged.
TColor Color2RGB(TColor Color);
void GetRGB(TColor Color, Byte& R, Byte& G, Byte& B);
// Delta added to each channel; a channel pushed above 255 becomes 254
// (Delta >= 1), one pushed below 0 becomes 1 (Delta < 1).
TColor AdjustColor(TColor Color, Integer Delta);
// An 8 x 8 checkerboard: Color1 where x and y are both even or both odd,
// Color2 elsewhere.
TOwned<TBitmap> CreateDitherPattern(TColor Color1, TColor Color2);

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

// Bands Step pixels thick across R, from StartColor (first band) to
// EndColor (last band), each channel rounded and clamped to 0..255.
// Direction 0 stacks horizontal bands downward, 1 vertical bands
// rightward; other directions draw nothing. A Step below 1 counts as 1.
void DrawGradient(TCanvas* Canvas, const TRect& R, TColor StartColor, TColor EndColor, Integer Direction,
                  Integer Step);
// Gradients by Style, the colour at position i of a length L being
// C0 + (C1 - C0) * i / L per channel (truncated; the start colour when L is
// 0, the end colour for i past L):
//   1 horizontal bands downward, 2 vertical bands rightward;
//   3 diagonal strokes (i, 0)-(-1, i), 4 strokes (0, H - i)-(i, H), both of
//     pen width Step in the canvas's own coordinates, over L = W + H;
//   5 bands downward mirrored about the middle (StartColor at the top and
//     bottom edges, EndColor in the middle), 6 the same along the width.
// Bands are clipped to R. Other styles draw nothing; a Step below 1 counts
// as 1.
void DrawGradientExt(TCanvas* Canvas, const TRect& R, TColor StartColor, TColor EndColor, Integer Style,
                     Integer Step);
// Shape in the box (X, Y, W, H) with the canvas's pen and brush; one pixel
// smaller with a pen of width 0. The square kinds use the centred square
// of side min(W, H); the round kinds have corners of min(W, H) / 4.
void DrawShape(TCanvas* Canvas, TQdShapeType Shape, Integer X, Integer Y, Integer W, Integer H);
// Width rings, TopColor on the left and top edges, BottomColor on the right
// and bottom; R ends as the area inside the frame. Width 0 or less draws
// nothing.
void DrawFrame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, Integer Width);
// DrawFrame3D, the bottom-left corner pixel of each ring keeping TopColor.
void DrawOutline3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, Integer Width);
// Sizes Bitmap to R's width and height and fills R on it with Color.
void ClearBitmapCanvas(const TRect& R, TBitmap* Bitmap, TColor Color);
// Paints into Canvas at (0, 0) what Control's parent and the siblings
// below Control show under it; nothing without a control or parent.
void CopyParentImage(TControl* Control, TCanvas* Canvas);
// Bitmap repeated from R's top-left in steps of its size, for every tile
// whose origin lies in R (the last tiles may overhang). An empty bitmap
// draws nothing; tiles outside the canvas's clip are skipped.
void DrawTiledBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap);
// Transparent: SourceRect of Bitmap into DestRect, the pixels of
// TransparentColor left out. Otherwise the whole bitmap stretched into
// DestRect.
void DrawBitmap(TCanvas* Canvas, const TRect& DestRect, TBitmap* Bitmap, const TRect& SourceRect, bool Transparent,
                TColor TransparentColor);
// Every pixel of FromColor becomes ToColor, in place.
void ChangeBitmapColor(TBitmap* Bitmap, TColor FromColor, TColor ToColor);
// R tiled with squares of DotSize in ForeColor every DotSize + Spacing
// pixels, on BackColor, anchored at R's top-left (tiles may overhang like
// DrawTiledBitmap). Nothing when DotSize + Spacing is outside 1 .. 2048.
void DrawRasterPattern(TCanvas* Canvas, const TRect& R, TColor ForeColor, TColor BackColor, Integer DotSize,
                       Integer Spacing);
// Bitmap stretched to R's size, seen through the dots of a raster pattern
// (gaps in BackColor), drawn at the canvas's (0, 0): R gives only the size.
void StretchPaintOnRasterPattern(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap, TColor ForeColor,
                                 TColor BackColor, Integer DotSize, Integer Spacing);
// Dest becomes Source with every pixel a DotSize square, DotSize + Spacing
// apart, on BackColor. A size beyond the bitmap limits raises
// EOutOfResources and leaves Dest as it was.
void BitmapToLCD(TBitmap* Dest, TBitmap* Source, TColor ForeColor, TColor BackColor, Integer DotSize,
                 Integer Spacing);

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------

// The text's extent (wrapped to R's width), centred in R.
void CalcTextBounds(TCanvas* Canvas, const TRect& R, TRect& TextRect, const String& Text);
TSize GetTextSize(TCanvas* Canvas, const String& Text);
// Enabled: centred on one line in the font's colour. Disabled: embossed
// (clBtnHighlight one pixel down-right, clBtnShadow on top), left-aligned.
void DrawButtonText(TCanvas* Canvas, const String& Text, const TRect& R, bool Enabled);
// The canvas font turned counter-clockwise by Angle degrees.
void SetCanvasTextAngle(TCanvas* Canvas, Integer Angle);
// Text at (X, Y) turned by Angle degrees; the font is left as it was.
void CanvasTextOutAngle(TCanvas* Canvas, Integer X, Integer Y, Integer Angle, const String& Text);
// Shadow one pixel down-right, highlight one pixel up-left, then the text
// in the font's colour; no background.
void Draw3DText(TCanvas* Canvas, Integer X, Integer Y, const String& Text, TColor HighlightColor,
                TColor ShadowColor);
void DrawShadowTextExt(TCanvas* Canvas, Integer X, Integer Y, const String& Text, TColor ShadowColor,
                       Integer OffsetX, Integer OffsetY);
// The text ringed by Width diagonal copies in OutlineColor (Width is
// capped at kQdMaxOutlineWidth), then the text in the font's colour.
constexpr Integer kQdMaxOutlineWidth = 64;
void DrawOutlinedText(TCanvas* Canvas, Integer X, Integer Y, const String& Text, TColor OutlineColor, Integer Width);
// Text at (X, Y), turned by Angle degrees, filled with Bitmap stretched to
// R's size; the rest of the canvas area (0, 0, R's size) is kept.
void StretchPaintOnText(TCanvas* Canvas, const TRect& R, Integer X, Integer Y, const String& Text, TBitmap* Bitmap,
                        Integer Angle);
// Places a glyph of GlyphSize and the caption in R as a button does.
// Layout 0 puts the glyph above the caption, 1 left of it, 2 right of it, 3
// below it; across that axis both are centred. Along it, Margin is the
// glyph's distance from the edge and Spacing the gap to the caption; -1
// centres (with both -1 the three gaps are equal). Positions are offset by
// R's top-left and Offset.
void CalcImageTextLayout(TCanvas* Canvas, const TRect& R, const TPoint& Offset, const String& Caption,
                         const TSize& GlyphSize, Integer Layout, Integer Margin, Integer Spacing, TPoint& GlyphPos,
                         TRect& TextBounds);
