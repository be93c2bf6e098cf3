#pragma once
// Free routines shared by the library's controls: text, colour, frames and
// gradients, geometry, keys and controls, date-time counts, paper sizes and
// the property text of published properties. All are stateless and run on
// the GUI thread.

#include <string_view>

#include "components/foundation/kTypes.h"
#include "platform/Types.h"

class TCanvas;
class TComponent;
class TObject;
class TPageControl;
class TPersistent;
class TStrings;
class TWinControl;
class TWriter;

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------

// Layout of DrawTextStyled; ordinals are the bits of the stored 16-bit set.
enum TkTextFlag {
    ktfLeft,
    ktfCenter,
    ktfRight,
    ktfTop,
    ktfVCenter,
    ktfBottom,
    ktfWordBreak,
    ktfSingleLine,
    ktfExpandTabs,
    ktfNoClip,
    ktfPrefix,  // "&x" underlines x; without it '&' is drawn as it stands
    ktfCalcRect,
    ktfEndEllipsis,
    ktfPathEllipsis,
    ktfWordEllipsis,
    ktfModifyString  // accepted but ignored: the caller's text is never changed
};
using TkTextFlags = TSet<TkTextFlag>;

// Draws Text in Rect with the canvas font and returns the text height.
// Disabled text on a background that is not black is drawn embossed.
// With ktfCalcRect nothing is drawn and Rect receives the text's extent.
Integer DrawTextStyled(TCanvas* Canvas, const String& Text, TRect& Rect, TkTextFlags Flags, Boolean Enabled,
                       TColor BackgroundColor);

// Draws Text centred on Rect, turned counter-clockwise by Rotation and
// aligned by Alignment; TextRect receives the text's box (empty for an
// unknown rotation, which draws nothing).
void DrawRotatedText(TCanvas* Canvas, const String& Text, const TRect& Rect, TkRotationAngle Rotation,
                     TkAlignmentHorizontal Alignment, Boolean Enabled, TColor BackgroundColor, TRect& TextRect);

// Height of Text, line breaks included.
Integer MeasureText(TCanvas* Canvas, const String& Text);
// Height of Text wrapped at blanks to Width.
Integer MeasureTextInWidth(TCanvas* Canvas, const String& Text, Integer Width);
// Takes the next line off Rest, ending at CR, LF or CR LF; false when no
// text is left.
Boolean NextTextLine(std::string_view& Rest, String& Line);
// Width of the widest line; 0 for an empty text.
Integer MultiLineTextWidth(TCanvas* Canvas, const String& Text);
// Decimal places of labels over the span Min .. Max.
Integer DigitsForSpan(Integer Precision, TkPrecisionStyle PrecisionStyle, Double Min, Double Max);

// ---------------------------------------------------------------------------
// Colour
// ---------------------------------------------------------------------------

// Each byte of the colour (system colours turned into RGB) divided by
// Divisor, or multiplied by -Divisor when Divisor is 0 or negative; clamped.
TColor DivideColor(TColor Color, Integer Divisor);
// Amount added to (Lighten) or taken from each byte, clamped.
TColor ShiftColor(TColor Color, Byte Amount, Boolean Lighten);

// ---------------------------------------------------------------------------
// Frames and fills
// ---------------------------------------------------------------------------

// Style 0 a sunken edge, 1 a raised edge, 2 a flat frame filled with the
// canvas's brush; other values draw nothing.
void DrawFrame(TCanvas* Canvas, const TRect& Rect, Integer Style);
void DrawFocusRectangle(TCanvas* Canvas, const TRect& Rect);
void DrawColoredFocusRect(TCanvas* Canvas, const TRect& Rect, TColor Color);
void GradientFill(TCanvas* Canvas, const TRect& Rect, TkFillDirection Direction, TColor StartColor,
                  TColor StopColor);

// ---------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------

TRect MakeRect(Integer Left, Integer Top, Integer Right, Integer Bottom);
// Left not above Right, Top not above Bottom.
TRect NormalizedRect(Integer X1, Integer Y1, Integer X2, Integer Y2);
// NormalizedRect, with X and Y exchanged when Horizontal.
TRect OrientedRect(Boolean Horizontal, Integer A1, Integer B1, Integer A2, Integer B2);
// (A, B), or (B, A) when Horizontal.
TPoint OrientedPoint(Boolean Horizontal, Integer A, Integer B);
void OrientedPointXY(Boolean Horizontal, Integer A, Integer B, Integer& X, Integer& Y);
void SwapIntegers(Integer& A, Integer& B);

// A vertical line gets the slope 1e30.
void LineFromPoints(const TPoint& P1, const TPoint& P2, Double& Slope, Double& Intercept);
// True when the lines through the segments cross (rounded to a whole X)
// within the X range of both segments; the Y ranges are not tested.
Boolean SegmentsIntersect(const TPoint& A1, const TPoint& A2, const TPoint& B1, const TPoint& B2);
// The segment meets an edge of Rect, or an end lies inside it (edges
// included).
Boolean SegmentIntersectsRect(const TPoint& P1, const TPoint& P2, const TRect& Rect);

// ---------------------------------------------------------------------------
// Controls and keys
// ---------------------------------------------------------------------------

Boolean ShiftKeyDown();
Boolean CtrlKeyDown();
Boolean AltKeyDown();
// Gives the focus to Control when it can take it.
void FocusControl(TWinControl* Control);
// Up the owner chain, the first form; without one the last windowed control
// met; nullptr for nullptr.
TWinControl* FindOwnerForm(TComponent* Component);
// Shows page Index (no events); an index outside the pages does nothing.
void SetActivePageIndex(TPageControl* PageControl, Integer Index);
// The index of the active page; -1 when there is none.
Integer ActivePageIndex(TPageControl* PageControl);

// ---------------------------------------------------------------------------
// Date-time counts
// ---------------------------------------------------------------------------

// Whole units in a date-time value (days since the epoch). A count that is
// negative or does not fit in 32 bits gives the overflow value:
// 2,147,483,647, and 10,000 for minutes.
Integer DateTimeToMilliseconds(TDateTime Value);
Integer DateTimeToSeconds(TDateTime Value);
Integer DateTimeToMinutes(TDateTime Value);
Integer DateTimeToHours(TDateTime Value);

// ---------------------------------------------------------------------------
// Paper
// ---------------------------------------------------------------------------

Double MillimetersToInches(Double Value);
// Portrait size of a Windows paper code; letter for unknown codes.
void PaperSizeInches(Integer PaperCode, Double& Width, Double& Height);
// Size of the current printer's paper, exchanged for landscape. Raises
// when the printer has no device mode even after choosing it again.
void PrinterPaperSize(Double& Width, Double& Height);

// ---------------------------------------------------------------------------
// Property text: one "Path = Value" line per published property. The path is
// the property's name, joined by "." to the names of the owned sub-objects
// (fonts, margins) that lead to it; references to other components are
// neither written nor followed. Ordinals (Booleans, enumerations, sets,
// characters, colours) are written as signed decimal numbers, floats in the
// general format with the user's decimal separator, strings with CR as "#13"
// and LF as "#10". Lines are never cut.
// ---------------------------------------------------------------------------

// Appends the property text of Instance to Lines, each path behind Prefix
// and "." unless Prefix is blank. SkipDefaults leaves out ordinals equal to
// their declared default; Exclusions (may be nullptr) names whole paths that
// are left out, ignoring case.
void SavePublishedProperties(TObject* Instance, const String& Prefix, TStrings& Lines, Boolean SkipDefaults,
                             const TStrings* Exclusions = nullptr);
// Applies the lines at the top of Lines to Instance and deletes each line
// applied; stops at the first line whose first path component is not Prefix
// spelled exactly alike (with an empty Prefix every line is applied). A
// line that raises stays in Lines with those after it.
void LoadPublishedProperties(TObject* Instance, const String& Prefix, TStrings& Lines);
// The same walk without deleting: applies the lines from From on and
// returns the index of the first line not applied, which Applied follows
// line by line (so that it tells where a line raised).
Integer ApplyPublishedProperties(TObject* Instance, const String& Prefix, const TStrings& Lines, Integer From,
                                 Integer& Applied);
// Sets the published property at Path from its text. Unknown names, read-
// only properties, paths through anything but an owned sub-object and kinds
// without a text form are ignored. A value that is no number where one is
// needed, or lies outside the property's type (an ordinal beyond its
// enumeration, a set bit beyond its members), raises EConvertError. Floats
// accept "." and "," as DecimalSeparator, and "NAN", "INF" and "-INF"; any
// non-zero integer sets a Boolean.
void SetPropertyFromText(TObject* Instance, const String& Path, String Value, char DecimalSeparator);
// A float of property text: the decimal point and the decimal comma both
// read as DecimalSeparator, and "NAN", "INF" and "-INF" read too; raises
// EConvertError for anything else.
Extended FloatFromText(const String& Value, char DecimalSeparator);
// When Prefix is not empty and the text of Path before its first "." equals
// Prefix ignoring case, Head receives that text as written and Path loses it
// and the "."; otherwise Head is empty and Path unchanged.
void StripPathPrefix(const String& Prefix, String& Path, String& Head);
// The trimmed texts before and after the first Separator; both empty when
// Text holds no Separator.
void SplitAtSeparator(String Text, const String& Separator, String& Left, String& Right);
// Finds the first line whose trimmed text before "=" equals Name ignoring
// case, deletes it and gives the trimmed text after "=" in Value; false
// (Value untouched) when no line matches.
Boolean ExtractNamedLine(const String& Name, String& Value, TStrings& Lines);
// The object held by the class-typed published property Name; nullptr when
// there is no such property or it holds no object.
TObject* GetObjectProperty(TObject* Instance, const String& Name);
// Form-stream form: Writer writes the published properties of Instance that
// are stored and differ from their defaults, then the properties Instance
// defines itself.
void WritePublishedProperties(TWriter& Writer, TPersistent* Instance);
