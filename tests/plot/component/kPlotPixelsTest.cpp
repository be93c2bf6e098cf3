// Every kind of plot object drawn in a whole plot, each pixel compared with
// the picture the plot drew when the case was written down. A picture is
// kept as the SHA-256 of its pixels; a case that differs leaves its picture
// as a PNG file in the working folder for a person to look at.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/component/kPlot.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/layout/kPlotLabel.h"
#include "components/plot/table/kPlotTable.h"
#include "components/plot/view/kPlotDataView.h"
#include "components/plot/view/kPlotLimit.h"
#include "components/plot/component/kXYPlot.h"
#include "support/PixelDigest.h"
#include "support/RandomTrace.h"

namespace {

TkPlotAnnotation* AddNote(TkPlotComponent& Plot, TkPlotAnnotationStyle Style, Double X, Double Y)
{
    TkPlotAnnotation* note = Plot.GetAnnotation(Plot.AddAnnotation());
    note->SetStyle(Style);
    note->SetX(X);
    note->SetY(Y);
    note->SetX2(X + 12);
    note->SetY2(Y - 9);
    note->SetWidth(10);
    note->SetHeight(8);
    note->SetText("Note");
    note->SetBrushColor(clNavy);
    note->SetPenColor(clAqua);
    return note;
}

TkPlotLimit* AddLimit(TkPlotComponent& Plot, TkPlotLimitStyle Style, Double Line1, Double Line2)
{
    TkPlotLimit* limit = Plot.GetLimit(Plot.AddLimit());
    limit->SetStyle(Style);
    limit->SetXAxisName(Plot.GetXAxis(0)->Name());
    limit->SetYAxisName(Plot.GetYAxis(0)->Name());
    limit->SetLine1Position(Line1);
    limit->SetLine2Position(Line2);
    return limit;
}

void BindToAxes(TkPlotChannelCustom& Channel, TkPlotComponent& Plot)
{
    Channel.SetXAxisName(Plot.GetXAxis(0)->Name());
    Channel.SetYAxisName(Plot.GetYAxis(0)->Name());
}

void SetScales(TkPlotComponent& Plot)
{
    for (TkPlotAxis* axis : {static_cast<TkPlotAxis*>(Plot.GetXAxis(0)), static_cast<TkPlotAxis*>(Plot.GetYAxis(0))}) {
        axis->SetTrackingEnabled(false);
        axis->SetMinSpan(0, 100);
    }
}

// The view's grid with minors, a Cartesian Y axis through its middle, two
// XY channels (one of per-point pens, clipped), three limits, a table, a
// second label, a data cursor reading differences, annotations of every
// shape; the axes exchanged when asked.
void EveryXYObject(TkPlotComponent& Plot, bool Reversed)
{
    SetScales(Plot);
    TkPlotDataView* view = Plot.GetDataView(0);
    view->SetGridXAxisName("<ALL>");
    view->SetGridYAxisName(Plot.GetYAxis(0)->Name());
    view->SetGridLineShowXMinors(true);
    view->SetGridLineMinorStyle(kpglsDot);
    TkPlotYAxis* cartesian = Plot.GetYAxis(Plot.AddYAxis());
    cartesian->SetCartesianStyle(kpcsMaster);
    cartesian->SetMinSpan(-5, 10);

    TkPlotChannelCustom* curve = Plot.GetChannel(0);
    BindToAxes(*curve, Plot);
    curve->SetMarkersVisible(true);
    curve->SetMarkersStyle(kpmsDiamond);
    curve->SetMarkersSize(4);
    for (Integer i = 0; i <= 40; ++i) curve->AddXY(i * 2.5, 50 + 40 * std::sin(i / 4.0));
    TkPlotChannelCustom* steps = Plot.GetChannel(Plot.AddChannel());
    BindToAxes(*steps, Plot);
    steps->SetDataStyle(kpdsFullFeature);
    steps->SetClipToAxes(true);
    steps->SetColor(clFuchsia);
    steps->SetMarkersVisible(true);
    steps->SetMarkersStyle(kpmsTriangleUp);
    for (Integer i = 0; i <= 12; ++i) steps->AddXY(i * 10 - 5, i % 3 == 0 ? 110 : 20 + i * 5);

    AddLimit(Plot, kplsLineY, 85, 0)->SetLineStyle(psDash);
    AddLimit(Plot, kplsBandX, 60, 75)->SetFillStyle(bsDiagCross);
    TkPlotLimit* poly = AddLimit(Plot, kplsPolyBandY, 0, 0);
    poly->SetFillStyle(bsClear);
    for (const Double x : {0.0, 30.0, 70.0, 100.0}) poly->AddBandElement(x, 20 + x / 5, 5 + x / 10);

    TkPlotTable* table = Plot.GetTable(Plot.AddTable());
    table->AddColumn("Name");
    table->AddColumn("Value");
    for (Integer row = 0; row < 3; ++row) {
        table->AddRow();
        table->SetCellText(0, row, "Row " + IntToStr(row));
        table->SetCellText(1, row, IntToStr(row * 7));
    }
    TkPlotLabel* label = Plot.GetLabel(Plot.AddLabel());
    label->SetCaption("Side");
    label->SetHorizontal(false);

    TkPlotDataCursor* cursor = Plot.GetDataCursor(0);
    cursor->SetVisible(true);
    cursor->SetChannelName(curve->Name());
    cursor->SetStyle(kpcsDeltaX);
    cursor->SetPointer1Position(30);
    cursor->SetPointer2Position(55);

    const TkPlotAnnotationStyle shapes[] = {kpasText,    kpasLine,      kpasRectangle,  kpasLineX,
                                            kpasLineY,   kpasTextRectangle, kpasEllipse, kpasTextBox,
                                            kpasEllipse2, kpasRectangle2};
    Double at = 8;
    for (const TkPlotAnnotationStyle shape : shapes) {
        AddNote(Plot, shape, at, 100 - at);
        at += 8.5;
    }
    TkPlotAnnotation* polygon = AddNote(Plot, kpasPolygon, 0, 0);
    for (const auto& [x, y] : {std::pair{70.0, 80.0}, {90.0, 85.0}, {85.0, 60.0}}) polygon->PolyPointAdd(x, y);
    polygon->SetUserSelected(true);
    Plot.SetXYAxesReverse(Reversed);
}

// Time channels of every trace: a filled line with markers, steps, a
// digital trace, bars, high/low bars, candlesticks and a spline; a limit
// line, annotations on a channel's axes clipped to them, a cursor reading
// values.
void EveryTimeObject(TkPlotComponent& Plot)
{
    SetScales(Plot);
    const auto channel = [&Plot](Integer Index, TColor Color) {
        if (Index > 0) Plot.AddChannel();
        TkPlotChannel* c = static_cast<TkPlotChannel*>(Plot.GetChannel(Index));
        BindToAxes(*c, Plot);
        c->SetColor(Color);
        return c;
    };
    TkPlotChannel* filled = channel(0, clLime);
    filled->SetFillEnabled(true);
    filled->SetFillReference(10);
    filled->SetMarkersVisible(true);
    filled->SetMarkersStyle(kpmsSquare);
    TkPlotChannel* steps = channel(1, clYellow);
    steps->SetInterpolationStyle(kpistDifferential);
    TkPlotChannel* digital = channel(2, clAqua);
    digital->SetDigitalEnabled(true);
    digital->SetDigitalReferenceLow(82);
    digital->SetDigitalReferenceHigh(92);
    TkPlotChannel* bars = channel(3, clRed);
    bars->SetBarEnabled(true);
    bars->SetBarWidth(2);
    TkPlotChannel* spline = channel(4, clWhite);
    spline->SetInterpolationStyle(kpistCubicSpline);
    for (Integer i = 0; i <= 24; ++i) {
        const Double x = i * 4.0;
        if (x < 50) filled->AddXY(x, 30 + 15 * std::sin(i / 3.0));
        steps->AddXY(x, 55 + (i % 4) * 4);
        digital->AddXY(x, i % 5 < 2 ? 1 : 0);
        bars->AddXY(x + 1, 5 + i % 6);
        if (i % 4 == 0) spline->AddXY(x, 70 + (i % 8 == 0 ? 6 : -6));
    }
    TkPlotChannel* highLow = channel(5, clSilver);
    highLow->SetDataStyle(kpdsFullFeature);
    highLow->SetHighLowEnabled(true);
    highLow->SetHighLowBarWidth(1.5);
    TkPlotChannel* candles = channel(6, clSilver);
    candles->SetDataStyle(kpdsFullFeature);
    candles->SetHighLowEnabled(true);
    candles->SetHighLowStyle(kphlsCandleStick);
    candles->SetHighLowBarWidth(1.5);
    for (Integer i = 0; i < 8; ++i) {
        const Double x = 50 + i * 6.0;
        highLow->AddHighLow(x, 48, 40, 42 + i % 3, 46 - i % 2);
        candles->AddHighLow(x + 3, 20, 12, i % 2 ? 14 : 18, i % 2 ? 18 : 14);
    }
    AddLimit(Plot, kplsLineX, 45, 0)->SetColor(clFuchsia);
    for (const TkPlotAnnotationStyle shape : {kpasRectangle2, kpasText}) {
        TkPlotAnnotation* note = AddNote(Plot, shape, 88, 40);
        note->SetReference(kprtChannel);
        note->SetChannelName(filled->Name());
        note->SetClipToAxes(true);
    }
    TkPlotDataCursor* cursor = Plot.GetDataCursor(0);
    cursor->SetVisible(true);
    cursor->SetChannelName(filled->Name());
    cursor->SetPointer1Position(40);
}

// Dense traces of every kind: many points to a pixel column, sorted and
// scattered, with nulls, empties and points off the scale, on logarithmic,
// reversed and exchanged axes, in thin and dashed pens.
enum class TTraceKind { XYLine, TimeLine, TimeFilled, TimeSteps, TimeDigital };

struct TTraceLook {
    bool ClipToAxes = true;
    bool ReverseX = false;
    bool Exchanged = false;
    TkPlotLineStyle Style = kplsSolid;
};

std::function<void(TkPlotComponent&)> Trace(TTraceKind Kind, TRandomTrace Data, TTraceLook Look = {})
{
    return [Kind, Look, Data](TkPlotComponent& Plot) {
        TkPlotXAxis* x = Plot.GetXAxis(0);
        TkPlotYAxis* y = Plot.GetYAxis(0);
        x->SetTrackingEnabled(false);
        y->SetTrackingEnabled(false);
        x->SetMinSpan(0, 1);
        x->SetReverseScale(Look.ReverseX);
        y->SetScaleType(Data.LogY ? kpstLog10 : kpstLinear);
        y->SetMinSpan(Data.LogY ? 0.1 : 0, Data.LogY ? 99.9 : 1);
        Plot.SetXYAxesReverse(Look.Exchanged);
        TkPlotChannelCustom* channel = Plot.GetChannel(0);
        channel->SetColor(clYellow);
        channel->SetClipToAxes(Look.ClipToAxes);
        channel->SetTraceLineStyle(Look.Style);
        if (auto* time = dynamic_cast<TkPlotChannel*>(channel)) {
            time->SetFillEnabled(Kind == TTraceKind::TimeFilled);
            time->SetFillReference(0.3);
            time->SetDigitalEnabled(Kind == TTraceKind::TimeDigital);
            time->SetDigitalReferenceLow(0.2);
            time->SetDigitalReferenceHigh(0.7);
            if (Kind == TTraceKind::TimeSteps) time->SetInterpolationStyle(kpistDifferential);
        }
        Data.AddTo(*channel);
    };
}

constexpr TTraceKind kXY = TTraceKind::XYLine;
constexpr TTraceKind kLines = TTraceKind::TimeLine;
constexpr TTraceKind kFilled = TTraceKind::TimeFilled;
constexpr TTraceKind kDigital = TTraceKind::TimeDigital;

struct TPictureCase {
    const char* Name;
    bool TimePlot;
    std::function<void(TkPlotComponent&)> SetUp;
    const char* Digest;
};

void PrintTo(const TPictureCase& Case, std::ostream* Out) { *Out << Case.Name; }

class PlotPixelsTest : public ::testing::TestWithParam<TPictureCase> {
protected:
    static void SetUpTestSuite()
    {
        kPlotInitialization();
        kXYPlotInitialization();
    }
};

TEST_P(PlotPixelsTest, EveryPixelIsAsWrittenDown)
{
    const TPictureCase& c = GetParam();
    TOwned<TkPlotComponent> plot(c.TimePlot ? static_cast<TkPlotComponent*>(Create<TkPlot>(nullptr))
                                            : Create<TkXYPlot>(nullptr));
    plot->SetBounds(0, 0, 640, 440);
    c.SetUp(*plot);
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(plot->Width(), plot->Height());
    // Twice: the second paint draws on what the first laid out and read.
    plot->kPaintTo(bitmap->Canvas());
    plot->kPaintTo(bitmap->Canvas());
    const std::string digest = PixelDigest::Of(*bitmap);
    if (digest != c.Digest) PixelDigest::SavePng(*bitmap, String("plot-pixels-") + c.Name + ".png");
    EXPECT_EQ(digest, c.Digest) << "the picture is in plot-pixels-" << c.Name << ".png";
}

INSTANTIATE_TEST_SUITE_P(
    EveryObjectKindAndDenseTraces, PlotPixelsTest,
    ::testing::Values(
        TPictureCase{"xy", false, [](TkPlotComponent& P) { EveryXYObject(P, false); },
                     "6dc093c8af71f9af04eccc64dd9c74fe509127ce34d2e04644dcba9ab2a2ff8d"},
        TPictureCase{"xy-exchanged", false, [](TkPlotComponent& P) { EveryXYObject(P, true); },
                     "7847056d35cafe016f0036802d7be27d4cf089a989ec239bb224f3ee7069a2f6"},
        TPictureCase{"time", true, EveryTimeObject,
                     "736790a6b19b34cbd5e99bf158334fb40153912674008af8ebccef80bf9fc9b1"},
        TPictureCase{"xy-narrow", false, Trace(kXY, {.Noise = 0.02}),
                     "cbdcae4f365cfdc1639a2a15baed37cceabc5a4cf9fe3c23da2e27d8908d86ed"},
        TPictureCase{"xy-smooth", false, Trace(kXY, {.Points = 200000, .Noise = 0}),
                     "0d3a9eb2ea3ceca962bc811e0e5e42f1ecb9de824c68507aba0d78f3604c72da"},
        TPictureCase{"xy-smooth-nulls", false, Trace(kXY, {.Points = 200000, .NullsAndEmpties = true, .Noise = 0.001}),
                     "421d0a8a13cb5596030b3fb7572c33f29af571afe7edfe43de06b2fc27da2aab"},
        TPictureCase{"xy-scattered", false, Trace(kXY, {.Points = 3000, .SortedX = false, .Noise = 0.5}),
                     "747f58bf13c511fcf3affd8a15b9a2b6273066ea2920ec0f001b0ede6d071aad"},
        TPictureCase{"xy-nulls-off-scale", false, Trace(kXY, {.NullsAndEmpties = true, .Overshoot = 0.5}),
                     "a3c3e86b661dfcf0e0aa2412565b23a1e053e9916db3dd656ec09ce9618ac39a"},
        TPictureCase{"xy-unclipped", false, Trace(kXY, {.Overshoot = 0.5}, {.ClipToAxes = false}),
                     "7708482e4d69f6c2963cf8b99b9ee3a8473d5a6006b4d17532aab273d1451a6d"},
        TPictureCase{"xy-log", false, Trace(kXY, {.Overshoot = 0.3, .LogY = true}),
                     "d988b387c08a33bace549985e9212a6ef37dc07a2c718d945ec166f588723ddd"},
        TPictureCase{"xy-reversed", false, Trace(kXY, {.Overshoot = 0.2, .Noise = 0.1}, {.ReverseX = true}),
                     "23447e9ec125bce307d18ca4c1cacbe598b11e45bcbb7f9ad9171f6a60cee3e9"},
        TPictureCase{"xy-trace-exchanged", false, Trace(kXY, {.NullsAndEmpties = true}, {.Exchanged = true}),
                     "b15b5d2b06b16cebfeed24e41892d44d0c9b4e873b8c94ca7c9f5ce3c5c29db2"},
        TPictureCase{"xy-dashed", false, Trace(kXY, {}, {.Style = kplsDash}),
                     "f8eff703e4b41db9b11b52f90f1bc495fa1d922905f5dd6679606940faf7ea8a"},
        TPictureCase{"time-lines", true, Trace(kLines, {.NullsAndEmpties = true}),
                     "87fc3eecd763261bdc43b1578880115102e796bc6b8edbaa73eb56b31cd1809d"},
        TPictureCase{"time-lines-log-reversed", true,
                     Trace(kLines, {.Overshoot = 0.2, .LogY = true}, {.ReverseX = true}),
                     "04f39cdc6d2b613e7d80a8ec298174ea74a7aa530988842b7aa42c58bcadfed2"},
        TPictureCase{"time-filled", true, Trace(kFilled, {.NullsAndEmpties = true, .Overshoot = 0.2}),
                     "f96e6b702be01caa4846525cd70071f447b9335a3795682469e973cabf9c5505"},
        TPictureCase{"time-filled-exchanged", true, Trace(kFilled, {.Noise = 0.3}, {.Exchanged = true}),
                     "d611ca0f1c241bb90b4dceb7a03af8f2a6aacdc8dceb5c69e4dd7dec0f53af1e"},
        TPictureCase{"time-steps", true, Trace(TTraceKind::TimeSteps, {.NullsAndEmpties = true}),
                     "67c35399a236325a65d6d2f79f54cd80a45aca3904e533232f25442109d6ae75"},
        TPictureCase{"time-digital", true, Trace(kDigital, {.NullsAndEmpties = true, .Noise = 0.3, .Levels = true}),
                     "297829cf08f7c2099f2958ef73f6ca0ba589d78a84dd9c869eeb2119c29f04b1"},
        TPictureCase{"time-digital-reversed", true,
                     Trace(kDigital, {.Overshoot = 0.2, .Noise = 0.3, .Levels = true}, {.ReverseX = true}),
                     "4b21c2a245072e4b4ae11d097cc9b6cf7426105826a9017d607e403fad6f05fe"}),
    [](const ::testing::TestParamInfo<TPictureCase>& Info) {
        String name = Info.param.Name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

}  // namespace
