// The traces of a time channel besides the straight line: the fill under
// it, steps, the two-level digital trace and the interpolated curves.
//
// Long recordings cost one pass over the drawn range: points are read a
// block at a time and converted by the axes' scale maps, the fill is one
// polygon per pair of pixel columns and one bar per column, and the lines
// of the steps and digital levels go through one line batch, which merges
// the vertical lines of a column; a merging pen is not handed the lines
// that draw nothing or draw again what is drawn. The fill under a dense
// straight line takes the trace's pixel columns whole.

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <vector>

#include "components/foundation/kClasses.h"
#include "components/foundation/kMath.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"

namespace {

struct TScalePoint {
    Double X;
    Double Y;
};

// The point a step holds its value from, while there is one.
struct THeldPoint {
    bool Set = false;
    Double X = 0;
    Double Y = 0;
};

// Calls Visit(Block, Count) for the points of Start..Stop a block at a time.
template <class F>
void ForEachBlock(const TkPlotDataCustomList& Store, Integer Start, Integer Stop, F Visit)
{
    constexpr Integer kBlock = TkPlotPointBlock::Capacity;
    const auto block = std::make_unique<TkPlotPointBlock>();
    for (Integer first = Start; first <= Stop; first += kBlock) {
        const Integer count = std::min(kBlock, Stop - first + 1);
        Store.ReadPoints(first, count, *block);
        Visit(*block, count);
    }
}

// Visit(X, Y, Status) for every point of Start..Stop.
template <class F>
void ForEachPoint(const TkPlotDataCustomList& Store, Integer Start, Integer Stop, F Visit)
{
    ForEachBlock(Store, Start, Stop, [&](const TkPlotPointBlock& Block, Integer Count) {
        for (Integer i = 0; i < Count; ++i) Visit(Block.X[i], Block.Y[i], Block.Status[i]);
    });
}

// The area between the trace and the fill reference. Between points
// columns apart it is the quadrilateral under the segment; points in one
// column or in neighbouring ones widen their columns' bars from the
// reference row to the farthest of them, so a dense trace costs a
// comparison per point and a bar per column. Pixels, not values, are
// compared: the scale map is monotonic, so the farthest pixel is that of
// the farthest value.
class TFillArea {
public:
    explicit TFillArea(Integer ReferenceRow) : FReferenceRow(ReferenceRow) {}

    // The points of a block with their pixels; a null point, or a Y that is
    // no number, breaks the area.
    void AddBlock(const TkPlotPointBlock& Block, const Integer* XPixels, const Integer* YPixels, Integer Count)
    {
        for (Integer i = 0; i < Count; ++i) {
            i = WidenOpenColumn(Block, XPixels, YPixels, i, Count);
            if (i == Count) return;
            if (Block.Status[i] == kpdpsValid && Block.Y[i] == Block.Y[i])
                Add(XPixels[i], YPixels[i]);
            else if (Block.Status[i] != kpdpsEmpty)
                Break();
        }
    }
    void Break()
    {
        CloseColumn();
        FHasPrevious = false;
    }
    void Add(Integer X, Integer Row)
    {
        if (FHasPrevious && std::abs(Int64{X} - FPreviousX) <= 1) {
            Widen(FPreviousX, FPreviousRow);
            Widen(X, Row);
        } else {
            CloseColumn();
            if (FHasPrevious) {
                FQuads.push_back({Point(FPreviousX, FReferenceRow), Point(FPreviousX, FPreviousRow), Point(X, Row),
                                  Point(X, FReferenceRow)});
            }
        }
        FHasPrevious = true;
        FPreviousX = X;
        FPreviousRow = Row;
    }
    // Points in the column of the point added last, as Add would take them
    // one by one: each widens that column.
    void AddColumn(Integer X, Integer Low, Integer High, Integer LastRow)
    {
        Widen(X, FPreviousRow);
        Widen(X, Low);
        Widen(X, High);
        FPreviousRow = LastRow;
    }
    void Paint(const TkPlotPaintContext& Context) const
    {
        TCanvas* canvas = Context.Canvas;
        for (const auto& quad : FQuads) {
            canvas->Polygon({Context.OnCanvas(quad[0]), Context.OnCanvas(quad[1]), Context.OnCanvas(quad[2]),
                             Context.OnCanvas(quad[3])});
        }
        for (const TRect& column : FColumns) canvas->FillRect(Context.OnCanvas(column));
    }

private:
    // Most points of a dense trace fall in the open column, which holds the
    // previous point already: from First on, those widen it, and the index
    // of the first other point is answered. The column lives in locals
    // meanwhile: members stored at every point would be reloaded after
    // every read of the pixel arrays' type.
    Integer WidenOpenColumn(const TkPlotPointBlock& Block, const Integer* XPixels, const Integer* YPixels,
                            Integer First, Integer Count)
    {
        if (!FColumnOpen || FPreviousX != FColumn) return First;
        const Integer column = FColumn;
        Integer top = FTop;
        Integer bottom = FBottom;
        Integer row = FPreviousRow;
        Integer i = First;
        for (; i < Count && XPixels[i] == column && Block.Status[i] == kpdpsValid && Block.Y[i] == Block.Y[i]; ++i) {
            row = YPixels[i];
            top = std::min(top, row);
            bottom = std::max(bottom, row);
        }
        FTop = top;
        FBottom = bottom;
        FPreviousRow = row;
        return i;
    }
    void Widen(Integer X, Integer Row)
    {
        if (!FColumnOpen || X != FColumn) {
            CloseColumn();
            FColumnOpen = true;
            FTop = FBottom = FReferenceRow;
            FColumn = X;
        }
        FTop = std::min(FTop, Row);
        FBottom = std::max(FBottom, Row);
    }
    void CloseColumn()
    {
        if (!FColumnOpen) return;
        FColumnOpen = false;
        FColumns.push_back(Rect(FColumn, FTop, FColumn + 1, FBottom + 1));
    }

    Integer FReferenceRow;
    bool FHasPrevious = false;
    Integer FPreviousX = 0;
    Integer FPreviousRow = 0;
    bool FColumnOpen = false;
    Integer FColumn = 0;
    Integer FTop = 0;
    Integer FBottom = 0;
    std::vector<std::array<TPoint, 4>> FQuads;
    std::vector<TRect> FColumns;
};

// The fill taken from the trace's own pass and painted by Paint(Area)
// before the trace's lines.
template <class P>
class TFillUnderlay final : public TkPlotTraceUnderlay {
public:
    TFillUnderlay(Integer ReferenceRow, P Paint) : FArea(ReferenceRow), FPaint(std::move(Paint)) {}
    void Visit(const TkPlotPointBlock& Block, const Integer* XPixels, const Integer* YPixels, Integer Count) override
    {
        FArea.AddBlock(Block, XPixels, YPixels, Count);
    }
    void VisitPoint(Integer X, Integer Row) override { FArea.Add(X, Row); }
    void VisitBreak() override { FArea.Break(); }
    void VisitColumn(Integer X, Integer Low, Integer High, Integer LastRow) override
    {
        FArea.AddColumn(X, Low, High, LastRow);
    }
    void Draw() override
    {
        FArea.Break();
        FPaint(FArea);
    }

private:
    TFillArea FArea;
    P FPaint;
};

}  // namespace

// ===========================================================================
// Fill under the straight-line trace
// ===========================================================================

void TkPlotChannel::DrawFill(const TkPlotPaintContext& Context)
{
    const TkPlotScaleMap& xMap = XScaleMap(Context);
    const TkPlotScaleMap& yMap = YScaleMap(Context);
    TFillArea area(yMap.Pixel(FFillReference));
    constexpr Integer kBlock = TkPlotPointBlock::Capacity;
    Integer xPixels[kBlock];
    Integer yPixels[kBlock];
    ForEachBlock(DataList(), DrawStartIndex(), DrawStopIndex(), [&](const TkPlotPointBlock& Block, Integer Count) {
        xMap.Pixels(Block.X, Count, xPixels);
        yMap.Pixels(Block.Y, Count, yPixels);
        area.AddBlock(Block, xPixels, yPixels, Count);
    });
    area.Break();
    area.Paint(Context);
}

void TkPlotChannel::DrawFilledLineTrace(const TkPlotPaintContext& Context)
{
    TFillUnderlay fill(YScaleMap(Context).Pixel(FFillReference), [&](const TFillArea& Area) {
        SetFillBrush(Context);
        Area.Paint(Context);
    });
    DrawLineTrace(Context, false, &fill);
}

void TkPlotChannel::FillSegment(const TkPlotPaintContext& Context, Double X1, Double Y1, Double X2, Double Y2)
{
    const TkPlotScaleMap& xMap = XScaleMap(Context);
    const TkPlotScaleMap& yMap = YScaleMap(Context);
    const Integer x1 = xMap.Pixel(X1);
    const Integer x2 = xMap.Pixel(X2);
    const Integer reference = yMap.Pixel(FFillReference);
    Context.Canvas->Polygon({Context.OnCanvas(Point(x1, reference)), Context.OnCanvas(Point(x1, yMap.Pixel(Y1))),
                             Context.OnCanvas(Point(x2, yMap.Pixel(Y2))), Context.OnCanvas(Point(x2, reference))});
}

// ===========================================================================
// Trace styles
// ===========================================================================

void TkPlotChannel::DrawTrace(const TkPlotPaintContext& Context)
{
    if (!TraceVisible()) return;
    const TkPlotInterpolationStyle style = EffectiveStyle();
    if (!FDigitalEnabled && style == kpistStraightLine) {
        // The fast trace reduces each pixel column to its extremes and joins
        // and leaves the points' own pens aside.
        DrawLineTrace(Context, TracePerPointPens());
        return;
    }
    if (FDigitalEnabled) return DrawDigitalTrace(Context);
    if (style == kpistDifferential || style == kpistDifferentialTerminated) return DrawStepTrace(Context);
    DrawInterpolatedTrace(Context);
}

// ===========================================================================
// Steps
// ===========================================================================

namespace {

// The lines of a dense trace that a merging pen need not be handed: many
// points to a pixel column make many lines that draw nothing or draw again
// what is drawn. Lines between values inside the X scale come out of the
// segment cut at their ends' own pixels, and a merging pen draws a pixel
// twice as it draws it once.
class TPixelColumnLines {
public:
    TPixelColumnLines(const TkPlotScaleMap& XMap, bool Merges)
        : FMap(XMap), FMax(XMap.Min + XMap.Span), FMerges(Merges)
    {
    }
    // A level line from X1 to X2 within one pixel column: a line of no
    // length, which draws nothing.
    bool WithinOneColumn(Double X1, Double X2) const
    {
        return FMerges && Inside(X1) && Inside(X2) && FMap.Pixel(X1) == FMap.Pixel(X2);
    }
    // A line at X of the same ends as the one before it, in the same pixel
    // column.
    bool RepeatsVertical(Double X)
    {
        const bool known = FMerges && Inside(X);
        const Integer column = known ? FMap.Pixel(X) : 0;
        const bool repeats = known && FHasLast && column == FLastColumn;
        FHasLast = known;
        FLastColumn = column;
        return repeats;
    }

private:
    bool Inside(Double X) const { return FMap.Min <= X && X <= FMax; }

    const TkPlotScaleMap& FMap;
    const Double FMax;
    const bool FMerges;
    bool FHasLast = false;
    Integer FLastColumn = 0;
};

// The steps of a trace: each value holds until the next point's X. Visit
// gets the pieces in order: Level (from X1 to X2 at Y), Rise (at X from Y1
// to Y2).
template <class L, class R>
void WalkSteps(const TkPlotChannel& Channel, Integer Start, Integer Stop, bool HoldToEnd, Double EndX,
               THeldPoint Held, L Level, R Rise)
{
    for (Integer i = Start; i <= Stop; ++i) {
        Double x;
        Double y;
        Boolean empty;
        Boolean null;
        Channel.GetXYEmptyNull(i, x, y, empty, null);
        if (empty) continue;
        if (Held.Set) Level(Held.X, x, Held.Y);
        if (null) {
            Held.Set = false;
            continue;
        }
        if (Held.Set) Rise(x, Held.Y, y);
        Held = {true, x, y};
    }
    if (HoldToEnd && Held.Set) Level(Held.X, EndX, Held.Y);
}

}  // namespace

void TkPlotChannel::DrawStepTrace(const TkPlotPaintContext& Context)
{
    if (Count() == 0) return;
    // Without a drawn range only the last value is left to run to the
    // right edge.
    Integer start = DrawStartIndex();
    Integer stop = DrawStopIndex();
    THeldPoint held;
    if (!DrawnRangeValid()) {
        if (const Integer last = LastValidIndex(); last >= 0) held = {true, GetXValue(last), GetYValue(last)};
        start = 0;
        stop = -1;
    }
    const bool toEnd = FInterpolationStyle == kpistDifferential;
    const Double end = Context.XScale->Max();
    if (Filling()) {
        SetFillBrush(Context);
        WalkSteps(*this, start, stop, false, end, held,
                  [&](Double X1, Double X2, Double Y) { FillSegment(Context, X1, Y, X2, Y); },
                  [](Double, Double, Double) {});
    }
    UseTracePen(Context);
    Context.Canvas->DrawLines([&](TLineBatch& Batch) {
        const auto line = [&](Double X1, Double Y1, Double X2, Double Y2) {
            if (TPoint a, b; SegmentPixels(Context, false, X1, Y1, X2, Y2, a, b)) Batch.Line(a, b);
        };
        const TPixelColumnLines columns(XScaleMap(Context), Batch.Merges());
        WalkSteps(
            *this, start, stop, toEnd, end, held,
            [&](Double X1, Double X2, Double Y) {
                if (!columns.WithinOneColumn(X1, X2)) line(X1, Y, X2, Y);
            },
            [&](Double X, Double Y1, Double Y2) { line(X, Y1, X, Y2); });
    });
}

// ===========================================================================
// Digital trace
// ===========================================================================

namespace {

// The runs of one level of a digital trace (high for Y <> 0): Run(StartX,
// EndX, High, Transition) for each, Transition when the other level
// follows at EndX. A null point ends the run before it, so no level line
// crosses the gap.
template <class F>
void WalkDigitalRuns(const TkPlotDataCustomList& Store, Integer Start, Integer Stop, F Run)
{
    TDigitalSequenceData sequence;
    const auto flush = [&] {
        if (sequence.StartSet && (sequence.TransitionSet || sequence.StopSet)) {
            Run(sequence.StartXValue, sequence.TransitionSet ? sequence.TransitionXValue : sequence.StopXValue,
                sequence.StartYValue != 0, sequence.TransitionSet);
        }
        sequence.Clear();
    };
    const auto start = [&](Double X, Double Level) {
        sequence.StartSet = true;
        sequence.StartXValue = X;
        sequence.StartYValue = Level;
    };
    ForEachPoint(Store, Start, Stop, [&](Double X, Double Y, TkPlotDataPointStatus Status) {
        if (Status == kpdpsEmpty) return;
        if (Status == kpdpsNull) return flush();
        const Double level = Y != 0 ? 1 : 0;
        if (!sequence.StartSet) return start(X, level);
        if (level == sequence.StartYValue) {
            sequence.StopSet = true;
            sequence.StopXValue = X;
            return;
        }
        sequence.TransitionSet = true;
        sequence.TransitionXValue = X;
        flush();
        start(X, level);
    });
    flush();
}

}  // namespace

void TkPlotChannel::DrawDigitalTrace(const TkPlotPaintContext& Context)
{
    if (DrawStartIndex() == DrawStopIndex()) return;
    const Integer start = DrawStartIndex();
    const Integer stop = DrawStopIndex();
    TCanvas* canvas = Context.Canvas;
    if (Filling()) {
        const TkPlotScaleMap& xMap = XScaleMap(Context);
        const Integer reference = YScaleMap(Context).Pixel(FFillReference);
        SetFillBrush(Context);
        WalkDigitalRuns(DataList(), start, stop, [&](Double X1, Double X2, bool High, bool) {
            const TRect r = Rect(xMap.Pixel(X1), std::min(reference, High ? FPixelsHigh : FPixelsLow), xMap.Pixel(X2),
                                 std::max(reference, High ? FPixelsHigh : FPixelsLow));
            canvas->FillRect(Context.OnCanvas(r));
        });
    }
    UseTracePen(Context);
    const bool percent = FDigitalReferenceStyle == kpdrPercent;
    canvas->DrawLines([&](TLineBatch& Batch) {
        const auto line = [&](Double X1, Double Y1, Double X2, Double Y2) {
            if (TPoint a, b; SegmentPixels(Context, percent, X1, Y1, X2, Y2, a, b)) Batch.Line(a, b);
        };
        TPixelColumnLines columns(XScaleMap(Context), Batch.Merges());
        WalkDigitalRuns(DataList(), start, stop, [&](Double X1, Double X2, bool High, bool Transition) {
            const Double level = High ? FDigitalReferenceHigh : FDigitalReferenceLow;
            if (!columns.WithinOneColumn(X1, X2)) line(X1, level, X2, level);
            if (Transition && !columns.RepeatsVertical(X2)) line(X2, FDigitalReferenceLow, X2, FDigitalReferenceHigh);
        });
    });
}

// ===========================================================================
// Interpolated curves
// ===========================================================================

namespace {

// Neville's polynomial and the rational function cost the square of their
// points at every pixel column. Up to this many points a curve goes through
// all of them; a longer channel is drawn through the points nearest each
// column, so a paint costs at most this squared per column.
constexpr std::size_t kMaxCurvePoints = 32;

// Pieces of Points in which X strictly increases or strictly decreases,
// each turned to increase: a repeated X or a turn back starts a new piece.
std::vector<std::vector<TScalePoint>> MonotonicPieces(const std::vector<TScalePoint>& Points)
{
    std::vector<std::vector<TScalePoint>> pieces;
    std::vector<TScalePoint> piece;
    Integer direction = 0;
    const auto close = [&] {
        if (direction < 0) std::reverse(piece.begin(), piece.end());
        if (piece.size() >= 2) pieces.push_back(std::move(piece));
        piece.clear();
        direction = 0;
    };
    for (const TScalePoint& p : Points) {
        if (!piece.empty()) {
            const Double last = piece.back().X;
            const Integer step = p.X > last ? 1 : (p.X < last ? -1 : 0);
            if (step == 0 || (direction != 0 && step != direction)) {
                const TScalePoint keep = piece.back();
                close();
                if (step != 0) piece.push_back(keep);
            } else {
                direction = step;
            }
        }
        piece.push_back(p);
    }
    close();
    return pieces;
}

struct TCurvePoints {
    std::vector<Double> X;
    std::vector<Double> Y;
};

TCurvePoints Split(const std::vector<TScalePoint>& Points)
{
    TCurvePoints result;
    for (const TScalePoint& p : Points) {
        result.X.push_back(p.X);
        result.Y.push_back(p.Y);
    }
    return result;
}

}  // namespace

// The curve is sampled whole before anything is drawn: a routine that
// fails on the way (a pole of the rational function) leaves no half curve,
// and the rest of the plot paints.
template <class F>
void TkPlotChannel::DrawCurve(const TkPlotPaintContext& Context, Double X1, Double X2, F ValueAt)
{
    const TkPlotAxisScale* xScale = Context.XScale;
    const Double from = std::max(std::min(X1, X2), xScale->Min());
    const Double to = std::min(std::max(X1, X2), xScale->Max());
    if (!(from <= to)) return;
    const Integer a = xScale->Pixel(from);
    const Integer b = xScale->Pixel(to);
    std::vector<TScalePoint> samples;
    samples.reserve(std::size_t(std::abs(Int64{b} - a) + 1));
    try {
        for (Integer p = std::min(a, b); p <= std::max(a, b); ++p) {
            const Double x = xScale->Position(p);
            samples.push_back({x, ValueAt(x)});
        }
    } catch (const Exception&) {
        return;
    }
    const TColor fillColor = FillBrushColor();
    const bool filling = Filling();
    TPen* pen = Context.Canvas->Pen();
    for (std::size_t k = 0; k < samples.size(); ++k) {
        const TScalePoint& s = samples[k];
        if (filling) {
            pen->SetColor(fillColor);
            DrawSegment(Context, false, s.X, s.Y, s.X, FFillReference);
            pen->SetColor(Color());
        }
        if (k > 0) DrawSegment(Context, false, samples[k - 1].X, samples[k - 1].Y, s.X, s.Y);
        SetPixelPoint(Integer(std::min(a, b) + Int64(k)), s.Y);
    }
}

void TkPlotChannel::DrawInterpolatedTrace(const TkPlotPaintContext& Context)
{
    if (Count() < 2) return;
    UseTracePen(Context);
    std::vector<TScalePoint> valid;
    if (FInterpolationStyle == kpistCubicSpline) {
        // Runs of valid points over the whole channel; a null ends a run.
        const auto drawRun = [&] {
            for (const auto& piece : MonotonicPieces(valid)) {
                const TCurvePoints curve = Split(piece);
                const std::vector<Double> y2 =
                    SplineSecondDerivatives(curve.X, curve.Y, kSplineNaturalSlope, kSplineNaturalSlope);
                DrawCurve(Context, curve.X.front(), curve.X.back(),
                          [&](Double X) { return SplineInterpolate(curve.X, curve.Y, y2, X); });
            }
            valid.clear();
        };
        ForEachPoint(DataList(), 0, Count() - 1, [&](Double X, Double Y, TkPlotDataPointStatus Status) {
            if (Status == kpdpsNull) drawRun();
            if (Status == kpdpsValid) valid.push_back({X, Y});
        });
        drawRun();
        return;
    }
    // Through the valid points only, in X order, each X once.
    ForEachPoint(DataList(), 0, Count() - 1, [&](Double X, Double Y, TkPlotDataPointStatus Status) {
        if (Status == kpdpsValid) valid.push_back({X, Y});
    });
    std::stable_sort(valid.begin(), valid.end(), [](const TScalePoint& A, const TScalePoint& B) { return A.X < B.X; });
    valid.erase(std::unique(valid.begin(), valid.end(), [](const TScalePoint& A, const TScalePoint& B) { return A.X == B.X; }),
                valid.end());
    if (valid.size() < 2) return;
    const TCurvePoints curve = Split(valid);
    const bool rational = FInterpolationStyle == kpistRational;
    const std::size_t window = std::min(valid.size(), kMaxCurvePoints);
    DrawCurve(Context, curve.X.front(), curve.X.back(), [&](Double X) {
        const std::size_t near = std::size_t(std::lower_bound(curve.X.begin(), curve.X.end(), X) - curve.X.begin());
        const std::size_t first = std::min(near - std::min(near, window / 2), curve.X.size() - window);
        const std::span<const Double> xs(curve.X.data() + first, window);
        const std::span<const Double> ys(curve.Y.data() + first, window);
        Double y;
        Double error;
        if (rational)
            RationalInterpolate(xs, ys, X, y, error);
        else
            PolynomialInterpolate(xs, ys, X, y, error);
        return y;
    });
}
