// Drawing of a channel: the trace as clipped two-point segments and the
// markers, all positions converted to pixels by the axes of the paint
// context (the channel's own, found by the plot). A trace
// of one pen reads its points a block at a time, converts each point once and
// hands its segments to one line batch, the runs of one pixel column merged.
// Where many points share a pixel column and the pen merges, the column is
// taken whole: its ends are found by search on X and only its extreme
// values, first and last point become pixels, so a million points cost
// little more than reading them.
//
// Segments are cut to the axes in scale units before any pixel conversion:
// the axes clamp pixels to +-32000, and a segment whose ends were clamped
// separately would bend. Values that are not numbers never reach a pixel:
// such a segment or marker is left out, as if off the scale.

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/kPlotValueRange.h"
#include "platform/Graphics.h"
#include "platform/Math.h"
#include "platform/SysApi.h"
#include "platform/SysUtils.h"

namespace {

// The axes' own pixel range; marker corners are held to it too.
constexpr Int64 kMaxPixel = 32000;
// Wider pens draw nothing a screen could show, only slowly.
constexpr Integer kMaxPenWidth = 1000;
// The legend's marker sample stays within its line of text.
constexpr Integer kMaxSampleMarkerSize = 6;

Integer ClampPixel(Int64 Value) { return Integer(EnsureRange(Value, -kMaxPixel, kMaxPixel)); }

// A width of 1 is set as 0, the thinnest cosmetic pen.
Integer TracePenWidth(Integer Width) { return Width == 1 ? 0 : std::min(Width, kMaxPenWidth); }

void SetTracePen(TPen* Pen, TColor Color, TkPlotLineStyle Style, Integer Width)
{
    Pen->SetColor(Color);
    Pen->SetStyle(PenStyleOf(Style));
    Pen->SetWidth(TracePenWidth(Width));
}

// Both ends of a value range inside Low..High, or the range spanning it.
bool Overlaps(Double A, Double B, Double Low, Double High)
{
    if (B < A) std::swap(A, B);
    return (A < Low && B > High) || (Low <= A && A <= High) || (Low <= B && B <= High);
}

// A marker's half size as drawn: a negative size is the same box turned
// inside out, so its magnitude counts.
Int64 MarkerHalfSize(Integer Size) { return std::abs(Int64{Size}); }

TRect MarkerBox(TPoint Centre, Int64 S)
{
    return Rect(ClampPixel(Centre.X - S), ClampPixel(Centre.Y - S), ClampPixel(Centre.X + S),
                ClampPixel(Centre.Y + S));
}

struct TMarkerLook {
    TkPlotMarkerStyle Style;
    Int64 Size;
    Integer PenWidth;
    TPenStyle PenStyle;
    TColor PenColor;
    TColor BrushColor;
    TBrushStyle BrushStyle;
    Char Character;
};

void DrawMarkerCharacter(TCanvas* Canvas, TPoint P, Char Character, TColor BackgroundColor)
{
    if (Character == 0) return;
    Canvas->Brush()->SetStyle(bsClear);
    SetBkColor(Canvas, BackgroundColor);
    TRect box = Rect(P.X, P.Y, P.X, P.Y);
    DrawTextStyled(Canvas, Utf16ToUtf8(std::u16string_view(&Character, 1)), box,
                   TkTextFlags{ktfCenter, ktfVCenter, ktfSingleLine, ktfNoClip}, true, BackgroundColor);
}

// Pixel y grows downwards; triangles have their apex on the point itself.
void DrawMarkerShape(TCanvas* Canvas, const TMarkerLook& Look, TPoint P, TColor BackgroundColor)
{
    const Int64 s = Look.Size;
    const Integer left = ClampPixel(P.X - s);
    const Integer right = ClampPixel(P.X + s);
    const Integer top = ClampPixel(P.Y - s);
    const Integer bottom = ClampPixel(P.Y + s);
    switch (Look.Style) {
        case kpmsCircle: Canvas->Ellipse(MarkerBox(P, s)); break;
        case kpmsSquare: Canvas->Rectangle(MarkerBox(P, s)); break;
        case kpmsDiamond:
            Canvas->Polygon({Point(right, P.Y), Point(P.X, bottom), Point(left, P.Y), Point(P.X, top)});
            break;
        case kpmsCross:
            Canvas->Polyline({Point(right, bottom), Point(left, top)});
            Canvas->Polyline({Point(right, top), Point(left, bottom)});
            break;
        case kpmsPlus:
            Canvas->Polyline({Point(P.X, bottom), Point(P.X, top)});
            Canvas->Polyline({Point(right, P.Y), Point(left, P.Y)});
            break;
        case kpmsTriangleUp: Canvas->Polygon({Point(left, bottom), P, Point(right, bottom)}); break;
        case kpmsTriangleDown: Canvas->Polygon({Point(left, top), P, Point(right, top)}); break;
        case kpmsTriangleLeft: Canvas->Polygon({Point(right, top), P, Point(right, bottom)}); break;
        case kpmsTriangleRight: Canvas->Polygon({Point(left, top), P, Point(left, bottom)}); break;
        case kpmsVerticalLine: Canvas->Polyline({Point(P.X, top), Point(P.X, bottom)}); break;
        case kpmsHorizontalLine: Canvas->Polyline({Point(left, P.Y), Point(right, P.Y)}); break;
        case kpmsCharacter: DrawMarkerCharacter(Canvas, P, Look.Character, BackgroundColor); break;
        default: break;
    }
}

}  // namespace

// ===========================================================================
// Trace
// ===========================================================================

void TkPlotChannelCustom::DrawTrace(const TkPlotPaintContext& Context)
{
    if (!FTraceVisible) return;
    // Only the full store keeps a pen per point; the others answer every
    // point with the channel's pen.
    DrawLineTrace(Context, FDataStyle == kpdsFullFeature);
}

void TkPlotChannelCustom::DrawLineTrace(const TkPlotPaintContext& Context, bool PerPointPens,
                                        TkPlotTraceUnderlay* Underlay)
{
    UseTracePen(Context);
    const Integer start = std::max(FStartIndex, 0);
    const Integer stop = std::min(FStopIndex, Count() - 1);
    if (FStartIndex == FStopIndex) return;
    if (PerPointPens)
        DrawTraceBySegment(Context, start, stop);
    else
        DrawTraceBatched(Context, start, stop, Underlay);
}

void TkPlotChannelCustom::UseTracePen(const TkPlotPaintContext& Context)
{
    TCanvas* canvas = Context.Canvas;
    SetTracePen(canvas->Pen(), Color(), TraceLineStyle(), TraceLineWidth());
    canvas->Brush()->SetStyle(bsClear);
    SetBkColor(canvas, Context.BackGroundColor);
}

void TkPlotChannelCustom::DrawTraceBySegment(const TkPlotPaintContext& Context, Integer Start, Integer Stop)
{
    TPen* pen = Context.Canvas->Pen();
    Double previousX = 0;
    Double previousY = 0;
    bool restart = true;
    for (Integer i = Start; i <= Stop; ++i) {
        Double x;
        Double y;
        Boolean empty;
        Boolean null;
        FDataList->GetXYEmptyNull(i, x, y, empty, null);
        if (empty) continue;
        if (null) {
            restart = true;
            continue;
        }
        if (restart) {
            restart = false;
        } else {
            SetTracePen(pen, GetTraceLineColor(i), GetTraceLineStyle(i), GetTraceLineWidth(i));
            DrawSegment(Context, false, previousX, previousY, x, y);
        }
        previousX = x;
        previousY = y;
    }
}

namespace {

// A point of the trace with its pixels, converted once for both of its
// segments.
struct TTracePoint {
    Double X;
    Double Y;
    TPoint Pixel;
    // Inside the X scale (and the Y scale when the trace is clipped to it),
    // and on the scale rectangles when it is clipped: a segment between two
    // such points needs no cut, it runs between their pixels.
    bool Plain;
};

// The vertical segments of one pixel column drawn one after the other, each
// from its lower X (so from the previous point) leaving out its end. Their
// pixels are the rows from the lowest to the highest point, but for the
// last point when no segment reached it from another row: a segment covers
// every row between its ends but its end, and the next one goes on from
// there. Collected this way a dense trace costs a few comparisons a point.
class TColumnRun {
public:
    bool Open() const { return FOpen; }
    Integer Column() const { return FColumn; }
    void Start(Integer Column, Integer Row)
    {
        FOpen = true;
        FColumn = Column;
        FLow = FHigh = FLast = Row;
        FLastCovered = false;
    }
    void Add(Integer Row)
    {
        if (Row == FLast) return;
        FLastCovered = FLow <= Row && Row <= FHigh;
        FLow = std::min(FLow, Row);
        FHigh = std::max(FHigh, Row);
        FLast = Row;
    }
    Integer Low() const { return FLow; }
    Integer High() const { return FHigh; }
    Integer Last() const { return FLast; }
    bool LastCovered() const { return FLastCovered; }
    // The state Add would leave after rows whose extremes, the last row
    // among them, are Low..High.
    void Set(Integer Low, Integer High, Integer Last, bool LastCovered)
    {
        FLow = Low;
        FHigh = High;
        FLast = Last;
        FLastCovered = LastCovered;
    }
    // The rows as one line (which leaves out its end), handed to Draw.
    template <class F>
    void Close(F Draw)
    {
        FOpen = false;
        const Integer low = FLow + (!FLastCovered && FLast == FLow);
        const Integer high = FHigh - (!FLastCovered && FLast == FHigh && FLow != FHigh);
        if (low <= high) Draw(Point(FColumn, low), Point(FColumn, high + 1));
    }

private:
    bool FOpen = false;
    bool FLastCovered = false;
    Integer FColumn = 0;
    Integer FLow = 0;
    Integer FHigh = 0;
    Integer FLast = 0;
};

// Where the points of a block stop running forward in X with valid
// statuses: End(I) is the first index after I where a point is not valid
// or lies back in X (or is a NaN), Count when none. Asked for increasing I.
class TForwardRuns {
public:
    TForwardRuns(const TkPlotPointBlock& Block, Integer Count) : FCount(Count)
    {
        // Most blocks of a long recording have no break at all: vector
        // scans tell, and only a block with one is searched point by point.
        if (AllValid(Block.Status, Count) && RunsForward(Block.X, Count)) return;
        if (Block.Status[0] != kpdpsValid) FBreaks[FBreakCount++] = 0;
        for (Integer i = 1; i < Count; ++i)
            if (Broken(Block, i)) FBreaks[FBreakCount++] = i;
    }
    Integer Breaks() const { return FBreakCount; }
    Integer End(Integer I)
    {
        while (FNext < FBreakCount && FBreaks[FNext] <= I) ++FNext;
        return FNext < FBreakCount ? FBreaks[FNext] : FCount;
    }

private:
    static bool Broken(const TkPlotPointBlock& Block, Integer I)
    {
        return (Block.Status[I] != kpdpsValid) | !(Block.X[I] >= Block.X[I - 1]);
    }

    Integer FCount;
    Integer FBreaks[TkPlotPointBlock::Capacity];
    Integer FBreakCount = 0;
    Integer FNext = 0;
};

// Where a walk stands between two points: the point before, whether the
// next valid point starts the line anew, and the pixel column being taken.
struct TTraceWalkState {
    TTracePoint Previous{};
    bool Restart = true;
    TColumnRun Run;
};

// A walk's standing after its blocks up to Next (a walk from Start stands
// at the default state).
struct TTraceCheckpoint {
    Integer Next = 0;
    TTraceWalkState State{};
};

Double ColumnLow(const TkPlotScaleMap& Y, bool ClipY)
{
    const Double low = ClipY ? Y.Min : -std::numeric_limits<Double>::infinity();
    return Y.Log ? std::max(low, std::numeric_limits<Double>::denorm_min()) : low;
}

// Walks the drawn range once, point by point, and hands every segment to
// the line batch: as it is between plain points, through the channel's cut
// otherwise.
template <class TSink>
class TTraceWalker {
public:
    TTraceWalker(const TkPlotScaleMap& X, const TkPlotScaleMap& Y, bool ClipY, bool XYAxesReversed,
                 TSink& Batch, TkPlotTraceUnderlay* Underlay)
        : FX(X), FY(Y), FXMax(X.Min + X.Span), FYMax(Y.Min + Y.Span), FYLow(ColumnLow(Y, ClipY)),
          FYHigh(ClipY ? FYMax : std::numeric_limits<Double>::infinity()), FClipY(ClipY), FReversed(XYAxesReversed),
          FMerge(Batch.Merges()), FBatch(Batch), FUnderlay(Underlay)
    {
    }

    bool Merges() const { return FMerge; }
    const TTraceWalkState& State() const { return FState; }
    void Resume(const TTraceWalkState& State) { FState = State; }

    // The points of a block with their pixels. Cut is called for the
    // segments between points that are not plain; it answers the ends to
    // draw, or false. Without pixels (a dense block of a merging pen, with
    // its forward runs) each pixel is found as it is needed, and the points
    // that follow a plain point in its pixel column are taken as one column.
    template <class C>
    void Walk(const TkPlotPointBlock& Block, const Integer* XPixels, const Integer* YPixels, Integer Count, C Cut,
              TForwardRuns* Runs = nullptr)
    {
        // The state of the walk lives in locals for the block: written to
        // members at every point, it would be reloaded after every store
        // into the pixel arrays' type.
        TTraceWalkState state = FState;
        for (Integer i = 0; i < Count; ++i) {
            if (Block.Status[i] == kpdpsEmpty) continue;
            if (Block.Status[i] == kpdpsNull) {
                CloseRun(state.Run);
                state.Restart = true;
                if (Runs && FUnderlay) FUnderlay->VisitBreak();
                continue;
            }
            const Integer column = XPixels ? XPixels[i] : FX.Pixel(Block.X[i]);
            const Integer row = YPixels ? YPixels[i] : FY.Pixel(Block.Y[i]);
            if (Runs && FUnderlay) {
                if (Block.Y[i] == Block.Y[i])
                    FUnderlay->VisitPoint(column, row);
                else
                    FUnderlay->VisitBreak();
            }
            const TTracePoint current{Block.X[i], Block.Y[i], Point(column, row),
                                      Plain(Block.X[i], Block.Y[i], column, row)};
            if (state.Restart) {
                state.Restart = false;
            } else if (state.Previous.Plain && current.Plain) {
                PlainSegment(state, current);
            } else {
                CloseRun(state.Run);
                if (TPoint from, to; Cut(state.Previous.X, state.Previous.Y, current.X, current.Y, from, to))
                    FBatch.Line(from, to);
            }
            // Field by field: a copy of the whole record would be read back
            // from the stores that just made it, a stall at every point.
            state.Previous.X = current.X;
            state.Previous.Y = current.Y;
            state.Previous.Pixel.X = current.Pixel.X;
            state.Previous.Pixel.Y = current.Pixel.Y;
            state.Previous.Plain = current.Plain;
            if (Runs && current.Plain) i = TakeColumn(state, Block, i, Runs->End(i));
        }
        FState = state;
    }
    void Finish() { CloseRun(FState.Run); }

private:
    // A Y that is no number is never plain, clipped or not: its segments
    // go to the cut, which leaves them out.
    bool Plain(Double X, Double Y, Integer XPixel, Integer YPixel) const
    {
        const bool inside = FX.Min <= X && X <= FXMax && Y == Y && (!FClipY || (FY.Min <= Y && Y <= FYMax));
        return inside && (!FClipY || (FX.OnScalePixel(XPixel) && FY.OnScalePixel(YPixel)));
    }
    // The points after the plain point I that share its pixel column, run
    // forward in X and are plain make vertical segments only: the column's
    // run takes their extremes and its last row, as Add would one by one.
    // Points before End run forward with valid statuses, so their pixels
    // along X are monotonic (in positive X on a logarithmic scale) and the
    // column's end is found by search; so are the rows in Y (in positive Y
    // on a logarithmic scale), and the extreme rows are those of the
    // extreme values. Answers the last point taken (I when the column is
    // left to the point-by-point walk).
    Integer TakeColumn(TTraceWalkState& State, const TkPlotPointBlock& Block, Integer I, Integer End)
    {
        const Integer column = State.Previous.Pixel.X;
        if (FX.Log && !(Block.X[I] > 0)) return I;
        const Integer last = LastInColumn(Block.X, I, End, column);
        // Two points at least: one alone is as quick to take as it comes.
        if (last - I < 2 || !(Block.X[last] <= FXMax)) return I;
        const TkPlotValueRange before = ValueRangeOf(Block.Y + I + 1, last - I - 1, FYLow, FYHigh);
        const Double lastY = Block.Y[last];
        if (!before.Inside || !(FYLow <= lastY && lastY <= FYHigh)) return I;
        const Integer a = FY.Pixel(before.Min);
        const Integer b = FY.Pixel(before.Max);
        const Integer lastRow = FY.Pixel(lastY);
        if (FClipY && !(FY.OnScalePixel(a) && FY.OnScalePixel(b) && FY.OnScalePixel(lastRow))) return I;

        TColumnRun& run = State.Run;
        if (!run.Open() || run.Column() != column) {
            CloseRun(run);
            run.Start(column, State.Previous.Pixel.Y);
        }
        if (FUnderlay) FUnderlay->VisitColumn(column, std::min({a, b, lastRow}), std::max({a, b, lastRow}), lastRow);
        const Integer low = std::min({run.Low(), a, b});
        const Integer high = std::max({run.High(), a, b});
        if (lastRow < low || lastRow > high) {
            // A new extreme: no segment reached it.
            run.Set(std::min(low, lastRow), std::max(high, lastRow), lastRow, false);
        } else if (low < lastRow && lastRow < high) {
            run.Set(low, high, lastRow, true);
        } else if (low == high) {
            // Every row the same: no Add changes the run.
        } else if (JoinsNext(Block, last, End, column)) {
            // The next line starts on the last row: whether a segment of
            // the column reached it makes no pixel of difference.
            run.Set(low, high, lastRow, true);
        } else {
            run.Set(low, high, lastRow, HeldExtremeCovered(run, Block, I, last, lastRow));
        }
        State.Previous.X = Block.X[last];
        State.Previous.Y = lastY;
        State.Previous.Pixel = Point(column, lastRow);
        return last;
    }
    // Whether a segment of the column reached LastRow, an extreme row of
    // the column that the points I+1..Last end on, as Add one by one would
    // tell: the rows before the final stretch on LastRow reached it. Only
    // that stretch is converted point by point, from the end; the rows
    // before it come from the extremes of their values.
    bool HeldExtremeCovered(const TColumnRun& Run, const TkPlotPointBlock& Block, Integer I, Integer Last,
                            Integer LastRow) const
    {
        Integer held = Last;
        while (held > I + 1 && FY.Pixel(Block.Y[held - 1]) == LastRow) --held;
        // From the run's last row to the stretch, or not a row changed.
        if (held == I + 1)
            return Run.Last() == LastRow ? Run.LastCovered() : Run.Low() <= LastRow && LastRow <= Run.High();
        const TkPlotValueRange before = ValueRangeOf(Block.Y + I + 1, held - I - 1, FYLow, FYHigh);
        const Integer a = FY.Pixel(before.Min);
        const Integer b = FY.Pixel(before.Max);
        return std::min({Run.Low(), a, b}) <= LastRow && LastRow <= std::max({Run.High(), a, b});
    }
    // The last of the points I..End-1 in the pixel column of point I, whose
    // X is monotonic in these points: by steps that double, then halve.
    Integer LastInColumn(const Double* X, Integer I, Integer End, Integer Column) const
    {
        Integer inside = I;
        Integer step = 1;
        while (inside + step < End && FX.Pixel(X[inside + step]) == Column) {
            inside += step;
            step *= 2;
        }
        for (step /= 2; step > 0; step /= 2)
            if (inside + step < End && FX.Pixel(X[inside + step]) == Column) inside += step;
        return inside;
    }
    // The point after Last is plain and forward in another column, so its
    // segment is a line from the last point's pixel.
    bool JoinsNext(const TkPlotPointBlock& Block, Integer Last, Integer End, Integer Column) const
    {
        const Integer next = Last + 1;
        if (next >= End) return false;
        const Integer nextColumn = FX.Pixel(Block.X[next]);
        return nextColumn != Column && Plain(Block.X[next], Block.Y[next], nextColumn, FY.Pixel(Block.Y[next]));
    }
    void PlainSegment(TTraceWalkState& State, const TTracePoint& Current)
    {
        const TTracePoint& previous = State.Previous;
        // A segment runs from its lower X to its higher one.
        const bool backwards = Current.X < previous.X;
        if (FMerge && !backwards && Current.Pixel.X == previous.Pixel.X) {
            if (!State.Run.Open() || State.Run.Column() != Current.Pixel.X) {
                CloseRun(State.Run);
                State.Run.Start(Current.Pixel.X, previous.Pixel.Y);
            }
            State.Run.Add(Current.Pixel.Y);
            return;
        }
        CloseRun(State.Run);
        const TPoint from = backwards ? Current.Pixel : previous.Pixel;
        const TPoint to = backwards ? previous.Pixel : Current.Pixel;
        FBatch.Line(Device(from), Device(to));
    }
    void CloseRun(TColumnRun& Run)
    {
        if (Run.Open()) Run.Close([this](TPoint A, TPoint B) { FBatch.Line(Device(A), Device(B)); });
    }
    TPoint Device(TPoint P) const { return FReversed ? Point(P.Y, P.X) : P; }

    const TkPlotScaleMap FX;
    const TkPlotScaleMap FY;
    const Double FXMax;
    const Double FYMax;
    // The Y values a column is taken whole within: on the scale when the
    // trace is clipped, and positive on a logarithmic scale, where a row
    // is monotonic only in positive values.
    const Double FYLow;
    const Double FYHigh;
    const bool FClipY;
    const bool FReversed;
    const bool FMerge;
    TSink& FBatch;
    // Shown the points and columns of the blocks walked without pixels.
    TkPlotTraceUnderlay* FUnderlay;
    TTraceWalkState FState;
};

// A line of a trace as handed to a line batch.
using TTraceLine = std::pair<TPoint, TPoint>;

void ReplayLines(const std::vector<TTraceLine>& Lines, TLineBatch& Batch)
{
    for (const auto& [a, b] : Lines) Batch.Line(a, b);
}

// The lines of a trace kept to be drawn later, merged as a line batch of the
// same pen would merge them.
class TLineRecorder {
public:
    explicit TLineRecorder(bool Merges) : FMerges(Merges) {}
    bool Merges() const { return FMerges; }
    void Line(TPoint A, TPoint B) { FLines.push_back({A, B}); }
    void Replay(TLineBatch& Batch) const { ReplayLines(FLines, Batch); }

private:
    bool FMerges;
    std::vector<TTraceLine> FLines;
};

// Whether the canvas' pen merges the lines of a batch.
bool LinesMerge(TCanvas* Canvas)
{
    bool merges = false;
    Canvas->DrawLines([&merges](TLineBatch& Batch) { merges = Batch.Merges(); });
    return merges;
}

// A block of many points to a pixel column, as far as its ends tell, and
// few breaks in its forward runs: taking the points of a column together
// pays.
bool Dense(const TkPlotScaleMap& XMap, const TkPlotPointBlock& Block, Integer Count, const TForwardRuns& Runs)
{
    constexpr Int64 kPointsPerColumn = 4;
    const Int64 columns = std::abs(Int64{XMap.Pixel(Block.X[Count - 1])} - XMap.Pixel(Block.X[0])) + 1;
    return (columns + Runs.Breaks()) * kPointsPerColumn <= Count;
}

// The one pass of the batched trace over From.Next..Stop, from the walk's
// standing there: each block of points walked, and shown to the underlay:
// a dense block of a merging pen without pixels, each of its points
// converted as needed and its columns taken whole; any other block
// converted at once and shown with its pixels. Every whole block walked
// is reported to Walked with the walk's standing after it.
template <class TSink, class C, class W>
void WalkTrace(const TkPlotDataCustomList& Store, const TTraceCheckpoint& From, Integer Stop,
               const TkPlotScaleMap& XMap, const TkPlotScaleMap& YMap, bool ClipY, bool XYAxesReversed, TSink& Sink,
               C Cut, TkPlotTraceUnderlay* Underlay, W Walked)
{
    TTraceWalker<TSink> walker(XMap, YMap, ClipY, XYAxesReversed, Sink, Underlay);
    walker.Resume(From.State);
    constexpr Integer kBlock = TkPlotPointBlock::Capacity;
    const auto block = std::make_unique<TkPlotPointBlock>();
    Integer xPixels[kBlock];
    Integer yPixels[kBlock];
    for (Integer first = From.Next; first <= Stop; first += kBlock) {
        const Integer count = std::min(kBlock, Stop - first + 1);
        // The next block is on its way while this one is read and walked.
        Store.PrefetchPoints(first + kBlock, std::min(kBlock, Stop - first - kBlock + 1));
        Store.ReadPoints(first, count, *block);
        bool dense = false;
        if (walker.Merges()) {
            if (TForwardRuns runs(*block, count); Dense(XMap, *block, count, runs)) {
                walker.Walk(*block, nullptr, nullptr, count, Cut, &runs);
                dense = true;
            }
        }
        if (!dense) {
            XMap.Pixels(block->X, count, xPixels);
            YMap.Pixels(block->Y, count, yPixels);
            walker.Walk(*block, xPixels, yPixels, count, Cut);
            if (Underlay) Underlay->Visit(*block, xPixels, yPixels, count);
        }
        if (count == kBlock) Walked(TTraceCheckpoint{first + kBlock, walker.State()});
    }
    walker.Finish();
}

// A trace's lines handed to a line batch and kept, up to a number in
// proportion to the pixels of the scale rectangle: lines beyond it mean a
// sparse or scattered trace, which gains little from being kept.
class TKeepingSink {
public:
    TKeepingSink(TLineBatch& Batch, std::vector<TTraceLine>& Kept, std::size_t Limit)
        : FBatch(Batch), FKept(Kept), FLimit(Limit)
    {
    }
    bool Merges() const { return FBatch.Merges(); }
    void Line(TPoint A, TPoint B)
    {
        FBatch.Line(A, B);
        if (FKept.size() < FLimit) FKept.push_back({A, B});
        else FOverflow = true;
    }
    // Some line was not kept.
    bool Overflow() const { return FOverflow; }

private:
    TLineBatch& FBatch;
    std::vector<TTraceLine>& FKept;
    std::size_t FLimit;
    bool FOverflow = false;
};

}  // namespace

// A trace pass over points that were only added to since the last one,
// against the same scales, clip and pen merging, hands the batch the same
// lines for the blocks that pass walked whole: they are kept, with the
// walk's standing after them, and the next pass hands them over again and
// walks on from there. The pen's colour, width and style act on the batch
// alone, so the lines do not depend on them.
struct TkPlotTraceResume {
    struct TKey {
        const TkPlotDataCustomList* Store;
        UInt64 Rewrites;
        Integer Start;
        TkPlotScaleMap X;
        TkPlotScaleMap Y;
        bool ClipY;
        bool XYAxesReversed;
        bool Merges;
        TRect Clip;
        std::optional<TRect> DataView;

        bool operator==(const TKey&) const = default;
    };

    TKey Key;
    TTraceCheckpoint Checkpoint;
    // The lines of the blocks before Checkpoint.Next.
    std::vector<TTraceLine> Lines;
};

void TkPlotTraceResumeDelete::operator()(TkPlotTraceResume* Resume) const noexcept { delete Resume; }

namespace {

// Lines kept per pixel of the scale rectangle's width and height: a dense
// trace hands over about two per pixel column.
std::size_t KeptLinesLimit(const TkPlotScaleMap& X, const TkPlotScaleMap& Y)
{
    constexpr Int64 kLinesPerPixel = 8;
    return std::size_t(kLinesPerPixel * (std::abs(Int64{X.Last} - X.First) + std::abs(Int64{Y.Last} - Y.First) + 2));
}

}  // namespace

void TkPlotChannelCustom::DrawTraceBatched(const TkPlotPaintContext& Context, Integer Start, Integer Stop,
                                           TkPlotTraceUnderlay* Underlay)
{
    if (!Context.HasScales()) return;
    TCanvas* canvas = Context.Canvas;
    const auto cut = [this, &Context](Double X1, Double Y1, Double X2, Double Y2, TPoint& From, TPoint& To) {
        return SegmentPixels(Context, false, X1, Y1, X2, Y2, From, To);
    };
    const auto walk = [&](auto& Sink, const TTraceCheckpoint& From, auto Walked) {
        WalkTrace(*FDataList, From, Stop, XScaleMap(Context), YScaleMap(Context), FClipToAxes, Context.XYAxesReversed,
                  Sink, cut, Underlay, Walked);
    };
    const auto ignore = [](const TTraceCheckpoint&) {};
    if (!Underlay) {
        canvas->DrawLines([&](TLineBatch& Batch) {
            // Out of the channel while the pass runs: a pass that fails
            // leaves none behind.
            std::unique_ptr<TkPlotTraceResume, TkPlotTraceResumeDelete> resume = std::move(FTraceResume);
            if (!TraceResumable()) {
                walk(Batch, TTraceCheckpoint{Start}, ignore);
                return;
            }
            const TkPlotTraceResume::TKey key{FDataList.get(),   FPointsRewrites,        Start,
                                              XScaleMap(Context), YScaleMap(Context),     FClipToAxes,
                                              Context.XYAxesReversed, Batch.Merges(), Context.Clip,
                                              Context.DataView};
            if (!resume) resume.reset(new TkPlotTraceResume{key, TTraceCheckpoint{Start}, {}});
            if (resume->Key == key && resume->Checkpoint.Next <= Stop + 1) {
                ReplayLines(resume->Lines, Batch);
            } else {
                // The lines' room stays for the new ones.
                resume->Key = key;
                resume->Checkpoint = TTraceCheckpoint{Start};
                resume->Lines.clear();
            }
            TKeepingSink sink(Batch, resume->Lines, KeptLinesLimit(key.X, key.Y));
            std::size_t kept = resume->Lines.size();
            const TTraceCheckpoint from = resume->Checkpoint;
            walk(sink, from, [&](const TTraceCheckpoint& Reached) {
                resume->Checkpoint = Reached;
                kept = resume->Lines.size();
            });
            if (sink.Overflow()) return;
            resume->Lines.resize(kept);
            FTraceResume = std::move(resume);
        });
        return;
    }
    // The underlay draws in its own brush and pen once the pass is over;
    // the lines, kept meanwhile, go over it in the trace's pen.
    TLineRecorder lines(LinesMerge(canvas));
    walk(lines, TTraceCheckpoint{Start}, ignore);
    Underlay->Draw();
    UseTracePen(Context);
    canvas->DrawLines([&lines](TLineBatch& Batch) { lines.Replay(Batch); });
}

Double TkPlotChannelCustom::InterpolateY(Double X, Double X1, Double Y1, Double X2, Double Y2)
{
    if (X1 == X2) return 0;
    return Y1 + (X - X1) * ((Y2 - Y1) / (X2 - X1));
}

Double TkPlotChannelCustom::InterpolateX(Double Y, Double X1, Double Y1, Double X2, Double Y2)
{
    if (X1 == X2 || Y1 == Y2) return X1;
    return X1 + (Y - Y1) * ((X2 - X1) / (Y2 - Y1));
}

void TkPlotChannelCustom::DrawSegment(const TkPlotPaintContext& Context, Boolean YIsPercent, Double X1, Double Y1,
                                      Double X2, Double Y2)
{
    if (TPoint from, to; SegmentPixels(Context, YIsPercent, X1, Y1, X2, Y2, from, to))
        Context.Canvas->Polyline({from, to});
}

bool TkPlotChannelCustom::SegmentPixels(const TkPlotPaintContext& Context, Boolean YIsPercent, Double X1, Double Y1,
                                        Double X2, Double Y2, TPoint& From, TPoint& To)
{
    if (!Context.HasScales()) return false;
    if (std::isnan(X1) || std::isnan(Y1) || std::isnan(X2) || std::isnan(Y2)) return false;
    const TkPlotScaleMap& xMap = XScaleMap(Context);
    const TkPlotScaleMap& yMap = YScaleMap(Context);
    const Double xMin = xMap.Min;
    const Double xMax = xMin + xMap.Span;
    const Double yMin = yMap.Min;
    const Double yMax = yMin + yMap.Span;
    const bool clipY = FClipToAxes && !YIsPercent;

    Double xa = X1, ya = Y1, xb = X2, yb = Y2;
    if (xb < xa) {
        std::swap(xa, xb);
        std::swap(ya, yb);
    }
    if (!Overlaps(xa, xb, xMin, xMax)) return false;
    if (clipY && !Overlaps(ya, yb, yMin, yMax)) return false;

    const Double lineXa = xa, lineYa = ya, lineXb = xb, lineYb = yb;
    if (xa < xMin) {
        ya = InterpolateY(xMin, lineXa, lineYa, lineXb, lineYb);
        xa = xMin;
    }
    if (xb > xMax) {
        yb = InterpolateY(xMax, lineXa, lineYa, lineXb, lineYb);
        xb = xMax;
    }
    if (clipY) {
        const Double cutXa = xa, cutYa = ya, cutXb = xb, cutYb = yb;
        const auto clipEnd = [&](Double& X, Double& Y) {
            if (Y > yMax) {
                X = InterpolateX(yMax, cutXa, cutYa, cutXb, cutYb);
                Y = yMax;
            }
            if (Y < yMin) {
                X = InterpolateX(yMin, cutXa, cutYa, cutXb, cutYb);
                Y = yMin;
            }
        };
        clipEnd(xa, ya);
        clipEnd(xb, yb);
        if (!xMap.OnScale(xa) || !xMap.OnScale(xb) || !yMap.OnScale(ya) || !yMap.OnScale(yb)) return false;
    }
    // Cuts through infinite ends have no place on the line.
    if (std::isnan(ya) || std::isnan(yb) || std::isnan(xa) || std::isnan(xb)) return false;

    Integer pyA;
    Integer pyB;
    if (YIsPercent) {
        const bool vertical = !Context.XYAxesReversed;
        if (!std::isfinite(ya) || !std::isfinite(yb) || !Context.PercentToPixels(ya, vertical, pyA) ||
            !Context.PercentToPixels(yb, vertical, pyB))
            return false;
    } else {
        pyA = yMap.Pixel(ya);
        pyB = yMap.Pixel(yb);
    }
    From = Context.OnCanvas(Point(xMap.Pixel(xa), pyA));
    To = Context.OnCanvas(Point(xMap.Pixel(xb), pyB));
    return true;
}

// ===========================================================================
// Markers
// ===========================================================================

void TkPlotChannelCustom::DrawMarkers(const TkPlotPaintContext& Context)
{
    if (!MarkersVisible()) return;
    Context.Canvas->SetFont(FMarkersFont.get());
    const Int64 span = std::abs(Int64{FStopIndex} - FStartIndex);
    if (FMarkersTurnOffLimit > 0 && FMarkersTurnOffLimit < span) return;
    const Integer start = std::max(FStartIndex, 0);
    const Integer stop = std::min(FStopIndex, Count() - 1);
    for (Integer i = start; i <= stop; ++i)
        if (MarkerDrawable(Context, i))
            DrawMarker(Context.Canvas, i, Context.BackGroundColor, GetMarkerPixel(Context, i));
}

Boolean TkPlotChannelCustom::MarkerDrawable(const TkPlotPaintContext& Context, Integer Index)
{
    if (!MarkersVisible()) return false;
    Double x;
    Double y;
    Boolean empty;
    Boolean null;
    FDataList->GetXYEmptyNull(Index, x, y, empty, null);
    if (null || empty || std::isnan(x) || std::isnan(y)) return false;
    if (!Context.HasScales()) return false;
    if (FMarkersAllowIndividual && !GetMarkerVisible(Index)) return false;
    return !FClipToAxes || (XScaleMap(Context).OnScale(x) && YScaleMap(Context).OnScale(y));
}

TPoint TkPlotChannelCustom::GetMarkerPixel(const TkPlotPaintContext& Context, Integer Index)
{
    // Without an axis the point lies off every canvas.
    const Integer x = Context.XScale ? XScaleMap(Context).Pixel(GetXValue(Index)) : Integer(kMaxPixel);
    const Integer y = Context.YScale ? YScaleMap(Context).Pixel(GetYValue(Index)) : Integer(kMaxPixel);
    return Context.OnCanvas(Point(x, y));
}

TRect TkPlotChannelCustom::GetMarkerRect(const TkPlotPaintContext& Context, Integer Index)
{
    const Integer size = FMarkersAllowIndividual ? GetMarkerSize(Index) : MarkersSize();
    return MarkerBox(GetMarkerPixel(Context, Index), MarkerHalfSize(size));
}

void TkPlotChannelCustom::DrawMarker(TCanvas* Canvas, Integer Index, TColor BackgroundColor, TPoint Point)
{
    const bool individual = Index != -1 && FMarkersAllowIndividual;
    TMarkerLook look;
    if (individual) {
        look = {GetMarkerStyle(Index),     MarkerHalfSize(GetMarkerSize(Index)), GetMarkerPenWidth(Index),
                GetMarkerPenStyle(Index),  GetMarkerPenColor(Index),            GetMarkerBrushColor(Index),
                GetMarkerBrushStyle(Index), GetMarkerCharacter(Index)};
    } else {
        const Integer size = Index == -1 ? std::min(MarkersSize(), kMaxSampleMarkerSize) : MarkersSize();
        // The sample has no point: the channel-wide character stands for it.
        const Char character = Index == -1 ? FDataList->StoredMarkerCharacter() : GetMarkerCharacter(Index);
        look = {MarkersStyle(),    MarkerHalfSize(size), MarkersPenWidth(),   MarkersPenStyle(),
                MarkersPenColor(), MarkersBrushColor(),  MarkersBrushStyle(), character};
    }
    if (FMarkersPenUseChannelColor) look.PenColor = Color();
    if (FMarkersBrushUseChannelColor) look.BrushColor = Color();

    TPen* pen = Canvas->Pen();
    pen->SetColor(look.PenColor);
    pen->SetStyle(look.PenStyle);
    pen->SetWidth(std::min(look.PenWidth, kMaxPenWidth));
    TBrush* brush = Canvas->Brush();
    brush->SetColor(look.BrushColor);
    brush->SetStyle(look.BrushStyle);
    DrawMarkerShape(Canvas, look, Point, BackgroundColor);
}
