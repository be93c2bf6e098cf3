// Every kind of plot object drawn in a whole plot, each pixel compared with
// the picture the plot drew when the case was written down. A picture is
// kept as the SHA-256 of its pixels; a case that differs leaves its picture
// as a PNG file in the working folder for a person to look at.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "components/plot/component/kPlot.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/layout/kPlotLabel.h"
#include "components/plot/table/kPlotTable.h"
#include "components/plot/view/kPlotDataView.h"
#include "components/plot/view/kPlotLimit.h"
#include "components/plot/component/kXYPlot.h"
#include "support/PixelDigest.h"

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
    EveryObjectKind, PlotPixelsTest,
    ::testing::Values(
        TPictureCase{"xy", false, [](TkPlotComponent& P) { EveryXYObject(P, false); },
                     "6dc093c8af71f9af04eccc64dd9c74fe509127ce34d2e04644dcba9ab2a2ff8d"},
        TPictureCase{"xy-exchanged", false, [](TkPlotComponent& P) { EveryXYObject(P, true); },
                     "7847056d35cafe016f0036802d7be27d4cf089a989ec239bb224f3ee7069a2f6"},
        TPictureCase{"time", true, EveryTimeObject,
                     "736790a6b19b34cbd5e99bf158334fb40153912674008af8ebccef80bf9fc9b1"}),
    [](const ::testing::TestParamInfo<TPictureCase>& Info) {
        String name = Info.param.Name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

}  // namespace
