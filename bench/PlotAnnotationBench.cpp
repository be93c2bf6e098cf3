// A plot of 600 x 400 pixels carrying 1,000 annotations, a mix of every
// style a user places (rectangles, ellipses, text, boxed text, marker lines,
// polygons) spread over the data view: a whole paint, and the search for
// the object under the mouse that every mouse move makes.

#include <benchmark/benchmark.h>

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/view/kPlotDataView.h"

namespace {

constexpr Integer kAnnotations = 1000;

void AddAnnotations(TkXYPlot& Plot, Integer Count)
{
    const TkPlotAnnotationStyle styles[] = {kpasRectangle, kpasRectangle2, kpasEllipse, kpasEllipse2, kpasText,
                                            kpasTextBox,   kpasTextRectangle, kpasLineX, kpasLineY, kpasLine,
                                            kpasPolygon};
    for (Integer i = 0; i < Count; ++i) {
        TkPlotAnnotation* note = Plot.GetAnnotation(Plot.AddAnnotation());
        const Double x = 5 + (i * 37) % 90;
        const Double y = 5 + (i * 53) % 90;
        note->SetStyle(styles[i % std::size(styles)]);
        note->SetSelectModeOnlyInteraction(false);
        note->SetX(x);
        note->SetY(y);
        note->SetX2(x + 4);
        note->SetY2(y - 3);
        note->SetWidth(4);
        note->SetHeight(3);
        note->SetText("A" + IntToStr(i % 10));
        for (const auto& [dx, dy] : {std::pair{0.0, 0.0}, {3.0, 0.0}, {1.5, 3.0}}) note->PolyPointAdd(x + dx, y + dy);
    }
}

TOwned<TkXYPlot> MakePlot(Integer Annotations)
{
    TOwned<TkXYPlot> plot(Create<TkXYPlot>(nullptr));
    plot->SetBounds(0, 0, 600, 400);
    AddAnnotations(*plot, Annotations);
    plot->ReCalcLayout();
    return plot;
}

void BM_PaintPlotWithAnnotations(benchmark::State& State)
{
    TOwned<TkXYPlot> plot = MakePlot(static_cast<Integer>(State.range(0)));
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(600, 400);
    for (auto _ : State) {
        plot->kPaintTo(bitmap->Canvas());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintPlotWithAnnotations)->Arg(0)->Arg(kAnnotations)->Unit(benchmark::kMillisecond);

// Arg 0: a point in the data view that no annotation covers, so that every
// one is tested; arg 1: over the last annotation that shows.
void BM_ObjectUnderTheMouse(benchmark::State& State)
{
    TOwned<TkXYPlot> plot = MakePlot(kAnnotations);
    const TRect view = plot->GetDataView(0)->DrawRect();
    TPoint p = Point(view.Left + 1, view.Bottom - 1);
    if (State.range(0) == 1) {
        Integer last = kAnnotations - 1;
        while (!plot->GetAnnotation(last)->Showing()) --last;
        const TRect hit = plot->GetAnnotation(last)->ClickRect();
        p = Point((hit.Left + hit.Right) / 2, (hit.Top + hit.Bottom) / 2);
    }
    for (auto _ : State) benchmark::DoNotOptimize(plot->GetObjectAt(p));
}
BENCHMARK(BM_ObjectUnderTheMouse)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
