#pragma once
// The scale engine behind the plot's axes: how far apart major ticks lie for
// a span and a budget of labels (decimal, binary-fraction and calendar
// steps), where the ticks of a scale fall, and how a value becomes text in
// the six label formats. Nothing here knows an axis object: the axis hands
// in its settings and its on-scale test, and keeps the results.
//
// Every routine is total: any finite or non-finite input gives a bounded
// result without raising, because the axis runs them inside the plot's
// paint, where an exception blanks the whole plot.

#include <functional>
#include <optional>
#include <vector>

#include "components/foundation/kTypes.h"

// Linear or base-10 logarithmic scale.
enum TkPlotScaleType { kpstLinear, kpstLog10 };
PL_ENUM_NAMES(TkPlotScaleType, "kpstLinear", "kpstLog10")

// How a value is written on an axis, in a cursor readout or in a legend.
enum TkPlotTextFormat { kptfValue, kptfExponent, kptfPrefix, kptfDateTime, kptfPrice32nds, kptfThousands };
PL_ENUM_NAMES(TkPlotTextFormat, "kptfValue", "kptfExponent", "kptfPrefix", "kptfDateTime", "kptfPrice32nds",
              "kptfThousands")

enum TkPlotTickType { kpttMajor, kpttMinor };
PL_ENUM_NAMES(TkPlotTickType, "kpttMajor", "kpttMinor")

// The text of a value that has none in its format.
inline constexpr const char* kUnknownValueText = "Unknown";

// Decimal places are kept within what the number formatting can show.
inline constexpr Integer kMaxValueDigits = 18;

// Base-10 logarithm of a scale value; a value that is not positive counts as
// 1 (a log scale cannot show it). Whole for powers of ten and for the
// doubles nearest them (0.001 gives -3).
Extended ScaleLog10(Extended Value);
// The low end of a log scale: Min, or 1 where Min cannot be shown; the top
// is this plus the span.
Extended LogScaleBottom(Double Min);
// 10^Exponent, exact for whole exponents; the exponent is held within the
// extended range (a NaN exponent gives 1).
Extended ScalePower10(Extended Exponent);

// ---------------------------------------------------------------------------
// Major increments
// ---------------------------------------------------------------------------

// What a major increment counts: scale units (days on a date-time scale), or
// calendar months or years.
enum class TkPlotIncrementUnit { Scale, Months, Years };

struct TkPlotIncrement {
    Double Value = 0;    // the step, in its unit
    Integer Count = 0;   // steps across the span
    TkPlotIncrementUnit Unit = TkPlotIncrementUnit::Scale;
};

// 10^p, 2·10^p, 5·10^p for p upward from just below Span/MaxCount: the first
// step that needs at most MaxCount labels; Count is Span/step rounded.
TkPlotIncrement DecimalIncrement(Double Span, Integer MaxCount);
// 1/256 up to 1/2, then 1, 2, 5, 10, 20, 50, ...; Count truncated.
TkPlotIncrement BinaryFractionIncrement(Double Span, Integer MaxCount);
// Milliseconds, seconds, minutes, hours, days and weeks (in days), then
// months and years (as counts). A step fits when the whole units of Span
// divided by it leave at most MaxCount - 1; counts too large for 32 bits
// never fit.
TkPlotIncrement DateTimeIncrement(Double Span, Integer MaxCount);

// What the increment choice of a tick generation looks at.
struct TkPlotIncrementRequest {
    Double Span = 0;
    Double DesiredIncrement = 0;   // 0: automatic
    bool LabelsVisible = true;
    Integer ScaleLength = 0;       // pixels
    Integer MinorCount = 0;        // negative counts as 0
    Integer MaxCount = 1;          // labels that fit along the scale
    TkPlotTextFormat Format = kptfValue;
};

// The major increment of a generation: the desired increment where it fits,
// else the search of the label format; at least two steps when more than
// one label fits, at most MaxCount steps.
TkPlotIncrement ChooseMajorIncrement(const TkPlotIncrementRequest& Request);

// Step between minor ticks: the major step split into MinorCount + 1 parts
// (a negative count counts as 0).
Double MinorIncrementOf(Double MajorIncrement, Integer MinorCount);

// Month and year steps need a scale inside the calendar: Min, Span and the
// increment are brought into the range the calendar walk handles. Scale
// steps are left alone.
void ClampCalendarScale(TkPlotIncrementUnit Unit, Double& Min, Double& Span, Double& Increment);

// ---------------------------------------------------------------------------
// Tick positions
// ---------------------------------------------------------------------------

struct TkPlotTickPosition {
    TkPlotTickType Type = kpttMajor;
    Double Position = 0;
};
using TkPlotTickPositions = std::vector<TkPlotTickPosition>;
// Whether a value lies on the scale (its pixel inside the scale rectangle).
using TkPlotOnScale = std::function<bool(Double Value)>;

// A generation keeps at most this many ticks; beyond, or when a step no
// longer moves, the list collapses to one major tick mid-scale.
inline constexpr std::size_t kMaxTickCount = 5000;

struct TkPlotTickRun {
    Double Min = 0;
    Double Span = 1;
    TkPlotIncrement Major;         // Unit Months or Years walks the calendar
    Integer MinorCount = 0;
    Double MinorIncrement = 0;
    Double DesiredStart = 0;       // 0: automatic
    TkPlotScaleType ScaleType = kpstLinear;
};

// Majors (and minors between them) from a start at or below Min up to one
// step past Max, ascending; only positions on the scale are kept (and on a
// log scale only positive ones).
TkPlotTickPositions GenerateTicks(const TkPlotTickRun& Run, const TkPlotOnScale& OnScale);

// GenerateTicks for a scale that may have room for a single label only: its
// scale can fall between two steps of the increment and show no major tick.
// Then the step is halved, as the increment choice halves a step that gives
// fewer than two, at most twice (a quarter of a searched step that missed
// the scale is shorter than the scale), and the first halving that puts a
// major tick on the scale is kept, its increments written back into Run.
// Calendar steps are kept as they are.
TkPlotTickPositions GenerateLabelledTicks(TkPlotTickRun& Run, const TkPlotOnScale& OnScale);

// A log scale spanning more than one decade gets decade ticks.
bool SpansDecades(Double Min, Double Span);
// Majors at powers of ten, every D-th decade so that at most MaxCount fit;
// with every decade labelled, minors at 2..9 times each power.
TkPlotTickPositions GenerateDecadeTicks(Double Min, Double Span, Integer MaxCount, const TkPlotOnScale& OnScale);

// ---------------------------------------------------------------------------
// Value text
// ---------------------------------------------------------------------------

struct TkPlotValueFormat {
    TkPlotTextFormat Style = kptfValue;
    String DateTimeFormat;
    Integer Precision = 3;
    TkPrecisionStyle PrecisionStyle = kpsSignificantDigits;
};

// The text of Value in Format, on a scale of ScaleType and Span; "Unknown"
// where the format cannot write it (a date outside the calendar, an SI
// prefix beyond yocto..yotta). No text at all (nullopt) for a plain value
// that a log scale cannot show (zero or negative): the caller shows
// "Unknown" without offering it for customisation.
std::optional<String> FormatValueText(Double Value, const TkPlotValueFormat& Format, TkPlotScaleType ScaleType,
                                      Double Span);
