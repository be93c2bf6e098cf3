// A trace drawn in one pass through the line batch must set the same pixels
// as the same trace drawn segment by segment, each segment its own
// two-point polyline. The full store still draws segment by segment (its
// points may carry pens of their own), so two channels of one plot, one of
// each store and otherwise alike, draw random data both ways.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <vector>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/store/kPlotDataList.h"
#include "platform/Graphics.h"
#include "support/PlotRoles.h"

namespace {

constexpr Integer kWidth = 300;
constexpr Integer kHeight = 200;
constexpr TColor kBackground = TColor(0x00336699);

struct TPixelComparison {
    Integer Differences = 0;
    // The pixels of A that Drawn tells are drawn.
    Integer Drawn = 0;
};

template <class F>
TPixelComparison ComparePixels(TBitmap& A, TBitmap& B, F Drawn)
{
    TPixelComparison comparison;
    for (Integer y = 0; y < kHeight; ++y)
        for (Integer x = 0; x < kWidth; ++x) {
            const TColor pixel = A.Canvas()->Pixels(x, y);
            comparison.Differences += pixel != B.Canvas()->Pixels(x, y);
            comparison.Drawn += Drawn(pixel);
        }
    return comparison;
}

struct TTraceCase {
    bool SortedX = true;
    bool NullsAndEmpties = false;
    // Points run this many spans past the scale on either side (Y at most
    // two, so that far-off X values still make lines across the view).
    Double Overshoot = 0;
    bool ClipToAxes = true;
    bool LogY = false;
    bool ReverseX = false;
    bool XYAxesReverse = false;
    TkPlotLineStyle Style = kplsSolid;
    Integer Width = 1;
    TPenMode Mode = pmCopy;
    Integer Points = 3000;
    // Y takes this many values only (0: any), so that the columns of a
    // dense trace often end on a row they held before.
    Integer Levels = 0;
};

class TraceBatchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { kXYPlotInitialization(); }

    TOwned<TkXYPlot> Plot{Create<TkXYPlot>(nullptr)};
    TkPlotChannelCustom* Batched = nullptr;
    TkPlotChannelCustom* BySegment = nullptr;
    std::mt19937 Random{7};

    void SetUp() override
    {
        Plot->SetBounds(0, 0, kWidth, kHeight);
        Batched = Plot->GetChannel(0);
        BySegment = Plot->GetChannel(Plot->AddChannel());
        BySegment->SetDataStyle(kpdsFullFeature);
        for (TkPlotChannelCustom* channel : {Batched, BySegment}) {
            channel->SetColor(clYellow);
            channel->SetXAxisTrackingEnabled(false);
            channel->SetYAxisTrackingEnabled(false);
        }
    }

    Double Uniform(Double Low, Double High) { return std::uniform_real_distribution<Double>(Low, High)(Random); }

    void Fill(const TTraceCase& Case)
    {
        const Double low = -Case.Overshoot;
        const Double high = 1 + Case.Overshoot;
        const Double yOvershoot = std::min(Case.Overshoot, 2.0);
        for (TkPlotChannelCustom* channel : {Batched, BySegment}) channel->Clear();
        for (Integer i = 0; i < Case.Points; ++i) {
            const Double x = Case.SortedX ? low + (high - low) * i / Case.Points : Uniform(low, high);
            Double y = Uniform(-yOvershoot, 1 + yOvershoot);
            if (Case.LogY) y = std::pow(10.0, Uniform(-1 - 3 * yOvershoot, 1 + 3 * yOvershoot));
            if (Case.Levels > 0) y = std::floor(y * Case.Levels) / Case.Levels;
            const Integer kind = Case.NullsAndEmpties ? Integer(Random() % 20) : 2;
            for (TkPlotChannelCustom* channel : {Batched, BySegment}) channel->AddPoint(kind == 0, kind == 1, x, y);
        }
    }

    void Configure(const TTraceCase& Case)
    {
        TkPlotXAxis* x = Plot->GetXAxis(0);
        TkPlotYAxis* y = Plot->GetYAxis(0);
        x->SetMinSpan(0, 1);
        x->SetReverseScale(Case.ReverseX);
        y->SetScaleType(Case.LogY ? kpstLog10 : kpstLinear);
        y->SetMinSpan(Case.LogY ? 0.1 : 0, Case.LogY ? 99.9 : 1);
        Plot->SetXYAxesReverse(Case.XYAxesReverse);
        for (TkPlotChannelCustom* channel : {Batched, BySegment}) {
            channel->SetClipToAxes(Case.ClipToAxes);
            channel->SetTraceLineStyle(Case.Style);
            channel->SetTraceLineWidth(Case.Width);
        }
    }

    // The channel's trace alone, over a background the modes can mix with.
    TOwned<TBitmap> Trace(TkPlotChannelCustom* Channel, TPenMode Mode)
    {
        TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
        bitmap->SetSize(kWidth, kHeight);
        TCanvas* canvas = bitmap->Canvas();
        canvas->Brush()->SetColor(kBackground);
        canvas->FillRect(Rect(0, 0, kWidth, kHeight));
        canvas->Pen()->SetMode(Mode);
        TkPlotPaintContext context = PlotTest::SeamOf(*Plot).Input->HitTestContext(*Channel);
        context.Canvas = canvas;
        context.BackGroundColor = clWhite;
        Channel->DrawTrace(context);
        return bitmap;
    }

    void ExpectSamePixels(const TTraceCase& Case)
    {
        Configure(Case);
        Fill(Case);
        ExpectSameTraces(Case.Mode);
    }
    // Both channels' traces, after the paint that lays the axes out and
    // finds the drawn range.
    void ExpectSameTraces(TPenMode Mode)
    {
        TOwned<TBitmap> scratch = CreateOwned<TBitmap>();
        scratch->SetSize(kWidth, kHeight);
        Plot->kPaintTo(scratch->Canvas());
        const TOwned<TBitmap> batched = Trace(Batched, Mode);
        const TOwned<TBitmap> bySegment = Trace(BySegment, Mode);
        const TPixelComparison pixels =
            ComparePixels(*batched, *bySegment, [](TColor Pixel) { return Pixel != kBackground; });
        EXPECT_EQ(pixels.Differences, 0);
        EXPECT_GT(pixels.Drawn, 0) << "the case draws nothing to compare";
    }
};

TEST_F(TraceBatchTest, SortedAndUnsortedTracesInsideTheScales)
{
    ExpectSamePixels({});
    ExpectSamePixels({.SortedX = false, .Points = 400});
    ExpectSamePixels({.Points = 100'000});
    for (const Integer levels : {2, 7})
        for (const bool nulls : {false, true})
            ExpectSamePixels({.NullsAndEmpties = nulls, .Points = 100'000, .Levels = levels});
}

TEST_F(TraceBatchTest, NullsEmptiesAndPointsOffTheScales)
{
    ExpectSamePixels({.NullsAndEmpties = true, .Overshoot = 0.5});
    ExpectSamePixels({.SortedX = false, .NullsAndEmpties = true, .Overshoot = 2, .Points = 500});
    ExpectSamePixels({.SortedX = false, .Overshoot = 1e6, .Points = 2000});
    ExpectSamePixels({.Overshoot = 0.5, .ClipToAxes = false});
    ExpectSamePixels({.SortedX = false, .Overshoot = 3, .ClipToAxes = false, .Points = 300});
}

TEST_F(TraceBatchTest, LogarithmicReversedAndExchangedAxes)
{
    ExpectSamePixels({.Overshoot = 0.3, .LogY = true});
    ExpectSamePixels({.Overshoot = 0.3, .ReverseX = true});
    ExpectSamePixels({.SortedX = false, .Overshoot = 0.3, .XYAxesReverse = true, .Points = 500});
}

TEST_F(TraceBatchTest, EveryPenStyleWidthAndMode)
{
    for (const TkPlotLineStyle style : {kplsSolid, kplsDash, kplsDot, kplsDashDot, kplsDashDotDot})
        ExpectSamePixels({.SortedX = false, .Overshoot = 0.2, .Style = style, .Points = 300});
    for (const Integer width : {0, 2, 3})
        ExpectSamePixels({.SortedX = false, .Overshoot = 0.2, .Width = width, .Points = 200});
    // Modes that change a pixel drawn twice must not see merged runs.
    for (const TPenMode mode : {pmXor, pmNot, pmMerge, pmMask, pmNotCopy, pmMergePenNot, pmBlack})
        ExpectSamePixels({.Overshoot = 0.2, .Mode = mode, .Points = 5000});
}

// A pixel column that rises to a row it then holds, up to a null: no
// segment of the column reaches that row, and none after the null does.
// Held by a few points, and by hundreds (a column taken whole, across the
// end of a block of points too).
TEST_F(TraceBatchTest, ColumnEndingOnItsHeldExtreme)
{
    Configure({});
    for (const Integer repeat : {2, 400}) {
        for (TkPlotChannelCustom* channel : {Batched, BySegment}) {
            channel->Clear();
            for (const Double y : {0.2, 0.3, 0.4})
                for (Integer k = 0; k < repeat; ++k) channel->AddXY(0.5 + channel->Count() * 1e-7, y);
            channel->AddPoint(true, false, 0.5 + channel->Count() * 1e-7, 0.5);
            for (Integer i = 0; i < 6; ++i) channel->AddXY(0.9 + i * 1e-6, 0.1 * i);
        }
        ExpectSameTraces(pmCopy);
    }
}

TEST_F(TraceBatchTest, ValuesThatAreNoNumbersBreakNothing)
{
    const Double nan = std::numeric_limits<Double>::quiet_NaN();
    const Double inf = std::numeric_limits<Double>::infinity();
    Configure({});
    for (TkPlotChannelCustom* channel : {Batched, BySegment}) {
        channel->Clear();
        const Double values[][2] = {{0.1, 0.1}, {nan, 0.5}, {0.3, 0.9}, {0.4, inf}, {0.5, 0.2}, {-inf, 0.3},
                                    {0.7, nan}, {0.8, 0.6}, {inf, -inf}, {0.95, 0.95}};
        for (const auto& v : values) channel->AddPoint(false, false, v[0], v[1]);
    }
    ExpectSameTraces(pmCopy);
}

// A live trace: points come between paints, and the pass of a trace walks
// on from where the paint before it left off. Every paint of its plot must
// match that of a plot alike whose trace passes over all its points at
// every paint, whatever changed between the paints.
class TraceResumeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { kXYPlotInitialization(); }

    TOwned<TkXYPlot> Resumed{Create<TkXYPlot>(nullptr)};
    TOwned<TkXYPlot> FullPass{Create<TkXYPlot>(nullptr)};
    std::mt19937 Random{11};
    Double NextX = 0;
    Double LastY = 0.5;

    void SetUp() override
    {
        Both([](TkXYPlot& Plot, TkPlotChannelCustom& Channel) {
            Plot.SetBounds(0, 0, kWidth, kHeight);
            // The points of every step lie inside the X scale.
            Plot.GetXAxis(0)->SetMinSpan(0, 2.5);
            Plot.GetYAxis(0)->SetMinSpan(0, 1);
            Channel.SetColor(clYellow);
            // Only the trace takes the channel's colour.
            Channel.SetVisibleInLegend(false);
            Channel.SetXAxisTrackingEnabled(false);
            Channel.SetYAxisTrackingEnabled(false);
        });
    }

    void Both(const std::function<void(TkXYPlot&, TkPlotChannelCustom&)>& Change)
    {
        for (TkXYPlot* plot : {Resumed.get(), FullPass.get()}) Change(*plot, *plot->GetChannel(0));
    }

    // A random walk forward in X, in the middle of the Y scale, a few
    // points of it null, empty, or no number at all.
    std::vector<TkPlotNewPoint> Points(Integer Count)
    {
        const Double nan = std::numeric_limits<Double>::quiet_NaN();
        const Double inf = std::numeric_limits<Double>::infinity();
        std::vector<TkPlotNewPoint> points;
        for (Integer i = 0; i < Count; ++i) {
            NextX += 1.0 / 40'000;
            LastY = std::clamp(LastY + std::uniform_real_distribution<Double>(-0.02, 0.02)(Random), 0.3, 0.7);
            TkPlotNewPoint point{NextX, LastY};
            switch (Random() % 4000) {
                case 0: point.Kind = TkPlotPointKind::Null; break;
                case 1: point.Kind = TkPlotPointKind::Empty; break;
                case 2: point.Y = nan; break;
                case 3: point.Y = inf; break;
                case 4: point.X = nan; break;
                default: break;
            }
            points.push_back(point);
        }
        return points;
    }
    // One at a time, as a live source gives them.
    void Append(Integer Count)
    {
        const std::vector<TkPlotNewPoint> points = Points(Count);
        Both([&points](TkXYPlot&, TkPlotChannelCustom& Channel) {
            for (const TkPlotNewPoint& p : points)
                Channel.AddPoint(p.Kind == TkPlotPointKind::Null, p.Kind == TkPlotPointKind::Empty, p.X, p.Y);
        });
    }

    TOwned<TBitmap> Paint(TkXYPlot& Plot)
    {
        TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
        bitmap->SetSize(kWidth, kHeight);
        Plot.kPaintTo(bitmap->Canvas());
        return bitmap;
    }

    // Drawn: the trace shows (a store just cleared shows none).
    void ExpectSamePaint(const char* Step, bool Drawn = false)
    {
        const TOwned<TBitmap> resumed = Paint(*Resumed);
        // A point written over with its own value leaves nothing to walk
        // on from.
        TkPlotChannelCustom* full = FullPass->GetChannel(0);
        if (full->Count() > 0) full->SetYValue(0, full->GetYValue(0));
        const TOwned<TBitmap> fullPass = Paint(*FullPass);
        const TColor trace = Resumed->GetChannel(0)->Color();
        const TPixelComparison pixels =
            ComparePixels(*resumed, *fullPass, [trace](TColor Pixel) { return Pixel == trace; });
        EXPECT_EQ(pixels.Differences, 0) << Step;
        EXPECT_TRUE(!Drawn || pixels.Drawn > 0) << Step << ": no trace to compare";
    }
};

TEST_F(TraceResumeTest, EveryPaintAsTheFullPass)
{
    using TChange = std::function<void(TkXYPlot&, TkPlotChannelCustom&)>;
    const std::pair<const char*, TChange> steps[] = {
        {"points appended", [](TkXYPlot&, TkPlotChannelCustom&) {}},
        {"X scale moved", [](TkXYPlot& P, TkPlotChannelCustom&) { P.GetXAxis(0)->SetMinSpan(0.1, 2.6); }},
        {"Y scale reversed", [](TkXYPlot& P, TkPlotChannelCustom&) { P.GetYAxis(0)->SetReverseScale(true); }},
        {"logarithmic Y",
         [](TkXYPlot& P, TkPlotChannelCustom&) {
             P.GetYAxis(0)->SetScaleType(kpstLog10);
             P.GetYAxis(0)->SetMinSpan(0.2, 0.8);
         }},
        {"linear Y",
         [](TkXYPlot& P, TkPlotChannelCustom&) {
             P.GetYAxis(0)->SetScaleType(kpstLinear);
             P.GetYAxis(0)->SetMinSpan(0, 1);
         }},
        {"data view resized", [](TkXYPlot& P, TkPlotChannelCustom&) { P.SetBounds(0, 0, kWidth - 60, kHeight - 30); }},
        {"axes exchanged", [](TkXYPlot& P, TkPlotChannelCustom&) { P.SetXYAxesReverse(true); }},
        {"axes back", [](TkXYPlot& P, TkPlotChannelCustom&) { P.SetXYAxesReverse(false); }},
        {"wide pen", [](TkXYPlot&, TkPlotChannelCustom& C) { C.SetTraceLineWidth(3); }},
        {"dashed pen", [](TkXYPlot&, TkPlotChannelCustom& C) { C.SetTraceLineStyle(kplsDash); }},
        {"thin solid pen",
         [](TkXYPlot&, TkPlotChannelCustom& C) {
             C.SetTraceLineStyle(kplsSolid);
             C.SetTraceLineWidth(1);
         }},
        {"not clipped", [](TkXYPlot&, TkPlotChannelCustom& C) { C.SetClipToAxes(!C.ClipToAxes()); }},
        {"point moved", [](TkXYPlot&, TkPlotChannelCustom& C) { C.SetYValue(C.Count() / 3, 0.95); }},
        {"points nulled",
         [](TkXYPlot&, TkPlotChannelCustom& C) {
             for (Integer i = C.Count() / 2; i < C.Count() / 2 + 2000; ++i) C.SetNull(i, true);
         }},
        {"oldest points deleted", [](TkXYPlot&, TkPlotChannelCustom& C) { C.DeletePoints(700); }},
        {"newest points dropped", [](TkXYPlot&, TkPlotChannelCustom& C) { C.SetCount(C.Count() - 1500); }},
        {"cleared", [](TkXYPlot&, TkPlotChannelCustom& C) { C.Clear(); }},
        {"ring buffer", [](TkXYPlot&, TkPlotChannelCustom& C) { C.SetRingBufferSize(5000); }},
        {"no ring buffer", [](TkXYPlot&, TkPlotChannelCustom& C) { C.SetRingBufferSize(0); }},
        {"X follows the points",
         [](TkXYPlot& P, TkPlotChannelCustom& C) {
             P.GetXAxis(0)->SetMinSpan(0, 0.05);
             C.SetXAxisTrackingEnabled(true);
         }},
    };
    Append(9000);
    for (const auto& [step, change] : steps) {
        Both(change);
        ExpectSamePaint(step);
        // Within a block of points, across a block's end, and as a run.
        for (const Integer count : {300, 1500}) {
            Append(count);
            ExpectSamePaint(step);
        }
        const std::vector<TkPlotNewPoint> run = Points(2500);
        Both([&run](TkXYPlot&, TkPlotChannelCustom& C) { C.AddXYPoints(run); });
        ExpectSamePaint(step, true);
    }
}

}  // namespace
