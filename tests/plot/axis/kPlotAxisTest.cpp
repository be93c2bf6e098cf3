#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <map>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/objects/kPlotManagers.h"
#include "platform/FormStream.h"
#include "platform/SysUtils.h"
#include "tests/support/PlotStandIn.h"

namespace {

constexpr Double kNaN = std::numeric_limits<Double>::quiet_NaN();

// The stand-in plot records the axis events, finds the axes listed with it
// by name and lets a test customise labels; a bare owner is no plot
// component: no events, no lookups.
using PlotTest::TStandInPlot;

class PlotAxisTest : public ::testing::Test {
protected:
    TStandInPlot Plot;
    // The change reports of the axes made with the plot.
    Integer& Changes = Plot.Changes;
    TOwned<TBitmap> Bitmap = CreateOwned<TBitmap>();
    std::vector<TOwned<TkPlotAxis>> Axes;

    void SetUp() override { Bitmap->SetSize(50, 50); }
    void TearDown() override { Axes.clear(); }

    TCanvas* Canvas() { return Bitmap->Canvas(); }

    template <class T = TkPlotXAxis>
    T* NewAxis(TkPlotObjectOwner* Owner = nullptr)
    {
        T* axis = Create<T>(Owner ? Owner : &Plot);
        Axes.emplace_back(axis);
        return axis;
    }

    // A horizontal axis along pixels Left .. Right.
    TkPlotXAxis* HorizontalAxis(Integer Left, Integer Right, Double Min, Double Span)
    {
        TkPlotXAxis* axis = NewAxis();
        axis->SetHorizontal(true);
        axis->SetLayoutRect(Rect(Left, 10, Right, 40));
        axis->SetMinSpan(Min, Span);
        Plot.Events.clear();
        Changes = 0;
        return axis;
    }

    // One label per Pixels along the axis (labels stand across it, so only
    // the height of "0" and the separation count).
    void SetLabelPitch(TkPlotAxis* Axis, Integer Pixels)
    {
        Axis->SetLabelsRotation(Axis->Horizontal() ? kra090 : kra000);
        Canvas()->SetFont(Axis->LabelsFont());
        Axis->SetLabelSeparation(Double(Pixels) / Canvas()->TextHeight("0") - 1);
    }

    static std::vector<Double> Positions(const TkPlotAxis* Axis, TkPlotTickType Type)
    {
        std::vector<Double> result;
        for (Integer i = 0; i < Axis->TickListCount(); ++i)
            if (Axis->GetTick(i)->TickType == Type) result.push_back(Axis->GetTick(i)->Position);
        return result;
    }
    static std::vector<String> Labels(const TkPlotAxis* Axis)
    {
        std::vector<String> result;
        for (Integer i = 0; i < Axis->TickListCount(); ++i)
            if (Axis->GetTick(i)->TickType == kpttMajor) result.push_back(Axis->GetTick(i)->Text);
        return result;
    }
};

}  // namespace

TEST_F(PlotAxisTest, PublishedPropertiesInStreamOrder)
{
    std::vector<String> names;
    for (PPropInfo prop : GetPropList(TkPlotXAxis::StaticClassInfo())) names.push_back(prop->Name);
    const std::vector<String> expected = {
        "Name", "Visible", "Enabled", "Layer", "PopupEnabled", "CanFocus", "Horizontal", "ZOrder", "StartPercent",
        "StopPercent", "Min", "Span", "DesiredStart", "DesiredIncrement", "ReverseScale", "InnerMargin",
        "OuterMargin", "Title", "TitleMargin", "TitleFont", "TitleShow", "TitleRotated", "MajorLength",
        "MinorLength", "MinorCount", "LabelsVisible", "LabelsMargin", "LabelsFont", "LabelSeparation",
        "LabelsRotation", "LabelsPrecision", "LabelsPrecisionStyle", "LabelsFormatStyle", "DateTimeFormat",
        "LabelsMinLength", "LabelsMinLengthAutoAdjust", "ScaleLineShow", "ScaleLinesShow", "ScaleLinesColor",
        "StackingEndsMargin", "ScaleType", "TrackingEnabled", "TrackingStyle", "TrackingIncrementStyle",
        "TrackingAlignFirstStyle", "TrackingScrollCompressMax", "TrackingSpanMinimum", "TrackingMaxMargin",
        "TrackingMinMargin", "CursorUseDefaultFormat", "CursorFormatStyle", "CursorDateTimeFormat",
        "CursorPrecisionStyle", "CursorPrecision", "CursorMinLength", "CursorMinLengthAutoAdjust",
        "LegendUseDefaultFormat", "LegendFormatStyle", "LegendDateTimeFormat", "LegendPrecisionStyle",
        "LegendPrecision", "LegendMinLength", "LegendMinLengthAutoAdjust", "CursorScaler", "ScrollMinMaxEnabled",
        "ScrollMax", "ScrollMin", "RestoreValuesOnResume", "MasterUIInput", "CartesianStyle",
        "CartesianChildRefAxisName", "CartesianChildRefValue", "AlignRefAxisName", "GridLinesVisible",
        "ForceStacking"};
    EXPECT_EQ(names, expected);
}

TEST_F(PlotAxisTest, KindsSetTheirTrackingDefaults)
{
    TkPlotXAxis* x = NewAxis<TkPlotXAxis>();
    EXPECT_EQ(x->TrackingStyle(), kptsScaleMinMax);
    EXPECT_EQ(x->TrackingAlignFirstStyle(), kpafsAuto);
    Plot.TimePlot = true;
    EXPECT_EQ(NewAxis<TkPlotXAxis>()->TrackingStyle(), kptsScrollSmooth);
    TkPlotYAxis* y = NewAxis<TkPlotYAxis>();
    EXPECT_EQ(y->TrackingStyle(), kptsScaleMinMax);
    EXPECT_EQ(y->TrackingAlignFirstStyle(), kpafsNone);
    EXPECT_EQ(y->Min(), 0);
    EXPECT_EQ(y->Span(), 100);
    EXPECT_EQ(y->TitleFont()->Name(), "Arial");
    EXPECT_EQ(y->TitleFont()->Size(), 10);
    EXPECT_TRUE(y->TitleFont()->Style().Contains(fsBold));
    EXPECT_EQ(y->TitleFont()->Color(), clWhite);
    EXPECT_EQ(y->LabelsFont()->Color(), clWhite);
    EXPECT_EQ(y->CartesianChildRefAxisName(), "<None>");
    EXPECT_EQ(y->CursorDateTimeFormat(), "hh:nn:ss");
    EXPECT_EQ(Changes, 0);  // building an axis reports nothing
    y->LabelsFont()->SetSize(12);
    EXPECT_EQ(Changes, 1);
}

TEST_F(PlotAxisTest, ScaleValuesAreClampedAndNaNIsIgnored)
{
    TkPlotXAxis* axis = NewAxis();
    axis->SetSpan(0);
    EXPECT_EQ(axis->Span(), 1e-300);
    axis->SetSpan(-5);
    EXPECT_EQ(axis->Span(), 1e-300);
    axis->SetSpan(1e301);
    EXPECT_EQ(axis->Span(), 1e300);
    axis->SetMin(1e301);
    EXPECT_EQ(axis->Min(), 1e300);
    axis->SetMin(-std::numeric_limits<Double>::infinity());
    EXPECT_EQ(axis->Min(), -1e300);
    axis->SetDesiredIncrement(-5);
    EXPECT_EQ(axis->DesiredIncrement(), 0);
    axis->SetDesiredIncrement(1e301);
    EXPECT_EQ(axis->DesiredIncrement(), 1e300);
    Changes = 0;
    for (auto set : {&TkPlotAxis::SetMin, &TkPlotAxis::SetSpan, &TkPlotAxis::SetDesiredIncrement,
                     &TkPlotAxis::SetLabelsMinLength, &TkPlotAxis::SetCursorScaler})
        (axis->*set)(kNaN);
    axis->SetMinSpan(kNaN, kNaN);
    EXPECT_EQ(axis->Min(), -1e300);
    EXPECT_EQ(axis->Span(), 1e300);
    EXPECT_EQ(axis->LabelsMinLength(), 5);
    EXPECT_EQ(Changes, 0);
}

TEST_F(PlotAxisTest, MinAndSpanChangesFireThePlotEvents)
{
    TkPlotXAxis* axis = NewAxis();
    axis->SetMinSpan(5, 10);
    Plot.Events.clear();
    Changes = 0;

    axis->SetMinSpan(5, 10);
    EXPECT_TRUE(Plot.Events.empty());
    EXPECT_EQ(Changes, 0);

    axis->SetMinSpan(0, 10);
    EXPECT_EQ(Plot.Events, (std::vector<String>{"min 5 0", "min-span 5 10 0 10"}));
    EXPECT_EQ(Changes, 1);

    Plot.Events.clear();
    axis->SetSpan(20);
    EXPECT_EQ(Plot.Events, (std::vector<String>{"span 10 20", "min-span 0 10 0 20"}));

    Plot.Events.clear();
    axis->SetMinSpan(1, 2);
    EXPECT_EQ(Plot.Events, (std::vector<String>{"min 0 1", "span 20 2", "min-span 0 20 1 2"}));

    // A request that the clamps turn into the stored values reports nothing.
    axis->SetMinSpan(1e300, 2);
    Plot.Events.clear();
    axis->SetMinSpan(1e301, 2);
    EXPECT_TRUE(Plot.Events.empty());

    // An owner that is no plot gets no events.
    TStandInPlot bare(TStandInPlot::Bare);
    TkPlotXAxis* loose = NewAxis(&bare);
    loose->SetMinSpan(3, 4);
    EXPECT_EQ(loose->Min(), 3);
    EXPECT_EQ(loose->GetCartesianChildRefAxis(), nullptr);
}

TEST_F(PlotAxisTest, LogScaleKeepsMinAndSpanPositive)
{
    TkPlotXAxis* axis = NewAxis();
    axis->SetMin(-3);
    Plot.Events.clear();
    Changes = 0;
    axis->SetScaleType(kpstLog10);
    EXPECT_EQ(axis->Min(), 1);
    EXPECT_TRUE(Plot.Events.empty());
    EXPECT_EQ(Changes, 1);
    axis->SetMinSpan(-5, -1);
    EXPECT_EQ(axis->Min(), 1);
    EXPECT_EQ(axis->Span(), 1);
}

TEST_F(PlotAxisTest, TurningTrackingOnRestoresTheResumeValues)
{
    TkPlotXAxis* axis = NewAxis();
    axis->SetMinSpan(10, 50);
    axis->SetLabelsMinLength(8);
    axis->SetTrackingEnabled(false);
    axis->SetMinSpan(-100, 1000);
    axis->SetLabelsMinLength(3);
    axis->SetTrackingEnabled(true);
    EXPECT_EQ(axis->Min(), 10);
    EXPECT_EQ(axis->Span(), 50);
    EXPECT_EQ(axis->LabelsMinLength(), 8);

    axis->SetRestoreValuesOnResume(false);
    axis->SetTrackingEnabled(false);
    axis->SetMinSpan(-100, 1000);
    axis->SetTrackingEnabled(true);
    EXPECT_EQ(axis->Min(), -100);
}

TEST_F(PlotAxisTest, ReferenceAxesAreFoundByNameAndForgotten)
{
    TkPlotXAxis* x = NewAxis<TkPlotXAxis>();
    TkPlotXAxis* x2 = NewAxis<TkPlotXAxis>();
    TkPlotYAxis* y = NewAxis<TkPlotYAxis>();
    x2->SetName("X2");
    y->SetName("Y1");
    Plot.List(x2);
    Plot.List(y);

    x->SetCartesianChildRefAxisName("Y1");
    x->SetAlignRefAxisName("X2");
    EXPECT_EQ(x->GetCartesianChildRefAxis(), y);   // the other direction
    EXPECT_EQ(x->GetAlignRefAxis(), x2);            // the same direction
    x->SetCartesianChildRefAxisName("X2");
    EXPECT_EQ(x->GetCartesianChildRefAxis(), nullptr);

    x->SetCartesianChildRefAxisName("Y1");
    ASSERT_EQ(x->GetCartesianChildRefAxis(), y);
    y->SetName("Vertical");
    EXPECT_EQ(x->CartesianChildRefAxisName(), "Vertical");
    x2->SetName("Other");
    EXPECT_EQ(x->AlignRefAxisName(), "Other");

    Plot.Unlist(y);
    EXPECT_EQ(x->GetCartesianChildRefAxis(), nullptr);
}

TEST_F(PlotAxisTest, PixelsAndValuesOnAKnownRectangle)
{
    TkPlotXAxis* axis = HorizontalAxis(100, 500, 0, 1080);
    EXPECT_EQ(axis->PositionToPixels(200), 0);  // nothing laid out yet
    axis->CalcTicks(Canvas());
    EXPECT_EQ(axis->ScaleRect(), Rect(100, 10, 500, 40));
    EXPECT_EQ(axis->QuadSide(), 3);
    EXPECT_EQ(axis->ScaleLength(), 400);
    EXPECT_EQ(axis->PositionToPixels(0), 100);
    EXPECT_EQ(axis->PositionToPixels(1080), 500);
    EXPECT_EQ(axis->PositionToPixels(200), 174);  // 74.07
    EXPECT_EQ(axis->PositionToPixels(540), 300);
    EXPECT_EQ(axis->MinPixels(), 100);
    EXPECT_EQ(axis->MaxPixels(), 500);
    EXPECT_EQ(axis->WidthToPixels(270), 100);
    EXPECT_DOUBLE_EQ(axis->PixelsToPosition(300), 540);
    EXPECT_DOUBLE_EQ(axis->PixelsToPosition(100), 0);
    EXPECT_DOUBLE_EQ(axis->PixelsToPosition(600), 1350);
    // Far values and NaN stay inside the drawable range, off the scale.
    EXPECT_EQ(axis->PositionToPixels(1e10), 32000);
    EXPECT_EQ(axis->PositionToPixels(-1e300), -32000);
    EXPECT_EQ(axis->PositionToPixels(kNaN), 32000);
    EXPECT_EQ(axis->PositionToPixels(std::numeric_limits<Double>::infinity()), 32000);
    EXPECT_FALSE(axis->PointOnScale(kNaN));
    EXPECT_TRUE(axis->PointOnScale(1080));
    EXPECT_FALSE(axis->PointOnScale(1084));

    axis->SetReverseScale(true);
    axis->CalcTicks(Canvas());
    EXPECT_EQ(axis->PositionToPixels(0), 500);
    EXPECT_EQ(axis->PositionToPixels(200), 426);
    EXPECT_DOUBLE_EQ(axis->PixelsToPosition(400), 270);

    // A vertical axis runs from the bottom up.
    TkPlotYAxis* y = NewAxis<TkPlotYAxis>();
    y->SetLayoutRect(Rect(0, 50, 30, 250));
    y->SetMinSpan(-1, 2);
    y->CalcTicks(Canvas());
    EXPECT_EQ(y->QuadSide(), 0);
    EXPECT_EQ(y->PositionToPixels(-1), 250);
    EXPECT_EQ(y->PositionToPixels(1), 50);
    EXPECT_EQ(y->PositionToPixels(0.5), 100);
    EXPECT_DOUBLE_EQ(y->PixelsToPosition(200), -0.5);

    // No length: every value at the midpoint, every pixel at Min.
    axis->SetLayoutRect(Rect(300, 10, 300, 40));
    axis->CalcTicks(Canvas());
    EXPECT_EQ(axis->PositionToPixels(12345), 300);
    EXPECT_EQ(axis->PixelsToPosition(77), 0);
}

TEST_F(PlotAxisTest, StackedEndsKeepRoomForHalfALabel)
{
    TkPlotXAxis* x = HorizontalAxis(100, 500, 0, 100);
    x->SetLabelsVisible(false);
    x->SetStackingEndsMargin(2);
    x->SetStartStacked(true);
    x->CalcTicks(Canvas());
    Canvas()->SetFont(x->LabelsFont());
    const Integer gap = Canvas()->TextWidth("0") * 2;
    EXPECT_EQ(x->ScaleRect(), Rect(100 + gap, 10, 500, 40));
    EXPECT_EQ(x->FocusRect(), Rect(100, 12, 500 + gap, 38));
    EXPECT_EQ(x->PositionToPixels(0), 100 + gap);
    x->SetCartesianStyle(kpcsMaster);  // drawn across the data view: no end room
    x->CalcTicks(Canvas());
    EXPECT_EQ(x->ScaleRect(), Rect(100, 10, 500, 40));
    EXPECT_EQ(x->QuadSide(), 3);

    // Vertical: half of the label height plus the gap, both ends.
    TkPlotYAxis* y = NewAxis<TkPlotYAxis>();
    y->SetLayoutRect(Rect(0, 50, 30, 250));
    y->SetStackingEndsMargin(0);
    y->SetStartStacked(true);
    y->SetStopStacked(true);
    y->SetReverseSide(true);
    y->CalcTicks(Canvas());
    const Integer half = Canvas()->TextHeight(y->GetLabelText(0)) / 2;
    EXPECT_EQ(y->ScaleRect(), Rect(0, 50 + half, 30, 250 - half));
    EXPECT_EQ(y->QuadSide(), 2);
}

TEST_F(PlotAxisTest, LogScalePixels)
{
    TkPlotXAxis* axis = HorizontalAxis(100, 400, 1, 999);
    axis->SetScaleType(kpstLog10);
    axis->CalcTicks(Canvas());
    EXPECT_EQ(axis->PositionToPixels(1), 100);
    EXPECT_EQ(axis->PositionToPixels(10), 200);
    EXPECT_EQ(axis->PositionToPixels(1000), 400);
    EXPECT_EQ(axis->PositionToPixels(0), 100);   // like 1
    EXPECT_EQ(axis->PositionToPixels(-7), 100);
    EXPECT_DOUBLE_EQ(axis->PixelsToPosition(300), 100);
    // A span far below one decade: clamped, not wrapped.
    axis->SetMinSpan(1, 1e-15);
    axis->CalcTicks(Canvas());
    EXPECT_EQ(axis->PositionToPixels(10), 32000);
    EXPECT_EQ(axis->PositionToPixels(0.1), -32000);
    // Min at or below zero (a stream may set it after the scale type).
    axis->SetMin(-5);
    axis->SetSpan(99);
    axis->CalcTicks(Canvas());
    EXPECT_EQ(axis->PositionToPixels(1), 100);
    EXPECT_EQ(axis->PositionToPixels(100), 400);
    EXPECT_TRUE(std::isfinite(axis->PixelsToPosition(250)));
    EXPECT_TRUE(std::isfinite(axis->PercentToPosition(0.5)));
    EXPECT_TRUE(std::isfinite(axis->PixelsToPosition(INT_MAX)));
}

TEST_F(PlotAxisTest, PercentConversionsAreInverseOnEveryScale)
{
    TkPlotXAxis* axis = HorizontalAxis(0, 100, 10, 990);
    EXPECT_DOUBLE_EQ(axis->PositionToPercent(10), 0);
    EXPECT_DOUBLE_EQ(axis->PositionToPercent(1000), 1);
    axis->SetReverseScale(true);
    EXPECT_DOUBLE_EQ(axis->PositionToPercent(10), 1);
    EXPECT_DOUBLE_EQ(axis->PercentToPosition(1), 10);
    axis->SetStartPercent(20);
    axis->SetStopPercent(80);
    for (const bool reverse : {false, true})
        for (const TkPlotScaleType type : {kpstLinear, kpstLog10}) {
            axis->SetReverseScale(reverse);
            axis->SetScaleType(type);
            for (const Double v : {10.0, 55.5, 400.0, 1000.0})
                EXPECT_NEAR(axis->PercentToPosition(axis->PositionToPercent(v)), v, v * 1e-12)
                    << reverse << " " << type << " " << v;
        }
    axis->SetReverseScale(false);
    axis->SetScaleType(kpstLinear);
    EXPECT_DOUBLE_EQ(axis->PositionToPercent(10), 0.2);
    EXPECT_DOUBLE_EQ(axis->PercentToPosition(0.8), 1000);
}

TEST_F(PlotAxisTest, ZoomBoxSetsTheScale)
{
    TkPlotXAxis* axis = HorizontalAxis(100, 500, 0, 400);
    axis->CalcTicks(Canvas());
    axis->SetMinSpanFromRect(Rect(150, 0, 250, 0));
    EXPECT_DOUBLE_EQ(axis->Min(), 50);
    EXPECT_DOUBLE_EQ(axis->Span(), 100);

    TkPlotYAxis* y = NewAxis<TkPlotYAxis>();
    y->SetLayoutRect(Rect(0, 0, 30, 100));
    y->SetMinSpan(0, 100);
    y->SetReverseScale(true);
    y->CalcTicks(Canvas());
    y->SetMinSpanFromRect(Rect(0, 20, 30, 60));
    EXPECT_DOUBLE_EQ(y->Min(), 20);
    EXPECT_DOUBLE_EQ(y->Span(), 40);
}

TEST_F(PlotAxisTest, LinearTicksWithLabelsAndPixels)
{
    TkPlotXAxis* axis = HorizontalAxis(100, 500, 0, 1080);
    SetLabelPitch(axis, 40);  // ten labels fit
    axis->CalcTicks(Canvas());
    EXPECT_EQ(axis->MajorIncrement(), 200);
    EXPECT_EQ(axis->MinorIncrement(), 100);
    EXPECT_EQ(Positions(axis, kpttMajor), (std::vector<Double>{0, 200, 400, 600, 800, 1000}));
    EXPECT_EQ(Positions(axis, kpttMinor), (std::vector<Double>{100, 300, 500, 700, 900}));
    EXPECT_EQ(Labels(axis), (std::vector<String>{"0", "200", "400", "600", "800", "1000"}));
    const TkPlotTickObject* tick = axis->GetTick(2);
    EXPECT_EQ(tick->Position, 200);
    EXPECT_TRUE(tick->Show);
    EXPECT_EQ(tick->PositionPixels, 174);
    EXPECT_EQ(axis->GetTick(1)->Text, "");
    EXPECT_EQ(axis->GetTick(10)->PositionPixels, 470);
    EXPECT_THROW(axis->GetTick(11), EListError);

    // The desired increment is used as it stands when its labels fit.
    axis->SetMinSpan(0, 1000);
    axis->SetDesiredIncrement(250);
    axis->CalcTicks(Canvas());
    EXPECT_EQ(Positions(axis, kpttMajor), (std::vector<Double>{0, 250, 500, 750, 1000}));
    axis->SetDesiredStart(100);
    axis->CalcTicks(Canvas());
    EXPECT_EQ(Positions(axis, kpttMajor), (std::vector<Double>{100, 350, 600, 850}));
}

TEST_F(PlotAxisTest, NegativeValuesAndNoNegativeZero)
{
    TkPlotXAxis* axis = HorizontalAxis(0, 400, -540, 1080);
    SetLabelPitch(axis, 40);
    axis->CalcTicks(Canvas());
    EXPECT_EQ(Labels(axis), (std::vector<String>{"-400", "-200", "0", "200", "400"}));

    axis->SetMinSpan(-0.3, 0.6);  // 0.1 steps: the middle one lands a hair below zero
    axis->CalcTicks(Canvas());
    EXPECT_EQ(axis->MajorIncrement(), 0.1);
    const std::vector<String> labels = Labels(axis);
    EXPECT_NE(std::find(labels.begin(), labels.end(), "0.000"), labels.end());
    for (const String& label : labels) EXPECT_NE(label, "-0.000");
    EXPECT_EQ(axis->GetLabelText(-1e-20), "0.000");
}

TEST_F(PlotAxisTest, LogTicksAtEveryDecade)
{
    TkPlotXAxis* axis = HorizontalAxis(0, 700, 1, 1e7 - 1);
    axis->SetScaleType(kpstLog10);
    SetLabelPitch(axis, 20);
    axis->CalcTicks(Canvas());
    EXPECT_EQ(Positions(axis, kpttMajor), (std::vector<Double>{1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7}));
    EXPECT_EQ(Labels(axis),
              (std::vector<String>{"1.00", "10.0", "100", "1000", "10000", "100000", "1000000", "10000000"}));
    EXPECT_EQ(Positions(axis, kpttMinor).size(), 56u);
    Integer decade = 0;
    for (Integer i = 0; i < axis->TickListCount(); ++i) {
        const TkPlotTickObject* tick = axis->GetTick(i);
        EXPECT_TRUE(tick->Show);
        if (tick->TickType == kpttMajor) {
            EXPECT_EQ(tick->PositionPixels, 100 * decade) << tick->Position;
            ++decade;
        }
    }
    // Less than a decade: plain decimal ticks.
    SetLabelPitch(axis, 70);
    axis->SetMinSpan(1, 4);
    axis->CalcTicks(Canvas());
    EXPECT_EQ(Positions(axis, kpttMajor), (std::vector<Double>{1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5, 5}));
    // A log scale whose Min is not positive still gets ticks.
    axis->SetMin(-5);
    axis->SetSpan(1000);
    EXPECT_NO_THROW(axis->CalcTicks(Canvas()));
    EXPECT_FALSE(Positions(axis, kpttMajor).empty());
    EXPECT_EQ(axis->GetLabelText(0), "Unknown");
    EXPECT_THROW(axis->TickListAdd(0, "zero", kpttMajor), Exception);
}

TEST_F(PlotAxisTest, DateTimeTicksSwitchToMonths)
{
    TFormatSettingsScope settings;
    TkPlotXAxis* axis = HorizontalAxis(0, 200, EncodeDate(2024, 1, 15), 90);
    axis->SetLabelsFormatStyle(kptfDateTime);
    axis->SetDateTimeFormat("dd/mm/yyyy");
    SetLabelPitch(axis, 40);  // five labels
    axis->CalcTicks(Canvas());
    EXPECT_TRUE(axis->MonthModeEnabled());
    EXPECT_FALSE(axis->YearModeEnabled());
    EXPECT_EQ(axis->MajorIncrement(), 1);
    EXPECT_EQ(Labels(axis), (std::vector<String>{"01/02/2024", "01/03/2024", "01/04/2024"}));
    EXPECT_TRUE(Positions(axis, kpttMinor).empty());

    // Hours over three days.
    axis->SetMinSpan(EncodeDate(2024, 1, 1), 3);
    axis->SetDateTimeFormat("dd hh:nn");
    SetLabelPitch(axis, 20);
    axis->CalcTicks(Canvas());
    EXPECT_FALSE(axis->MonthModeEnabled());
    EXPECT_DOUBLE_EQ(axis->MajorIncrement(), 0.5);
    EXPECT_EQ(Labels(axis), (std::vector<String>{"01 00:00", "01 12:00", "02 00:00", "02 12:00", "03 00:00",
                                                "03 12:00", "04 00:00"}));

    // Spans beyond the calendar are brought into it without raising.
    axis->SetMinSpan(1e300, 1e300);
    EXPECT_NO_THROW(axis->CalcTicks(Canvas()));
    EXPECT_TRUE(axis->YearModeEnabled());
    EXPECT_EQ(axis->Min(), 2593224);
    EXPECT_EQ(axis->Span(), 36525);
    EXPECT_GE(axis->MajorIncrement(), 1);
}

TEST_F(PlotAxisTest, PriceLabelsInThirtySeconds)
{
    TkPlotXAxis* axis = HorizontalAxis(0, 400, 0, 1);
    axis->SetLabelsFormatStyle(kptfPrice32nds);
    SetLabelPitch(axis, 40);
    axis->CalcTicks(Canvas());
    EXPECT_EQ(axis->MajorIncrement(), 0.125);
    EXPECT_EQ(Labels(axis), (std::vector<String>{"0.000", "0.040", "0.080", "0.120", "0.160", "0.200", "0.240",
                                                "0.280", "1.000"}));
    EXPECT_EQ(axis->GetLabelText(-2.25), "-2.080");
}

TEST_F(PlotAxisTest, GenerationNeverHangsOnAbsurdSettings)
{
    TkPlotXAxis* axis = HorizontalAxis(0, 400, 0, 1080);
    SetLabelPitch(axis, 40);
    axis->SetMinorCount(INT_MAX);
    axis->CalcTicks(Canvas());
    ASSERT_EQ(axis->TickListCount(), 1);
    EXPECT_EQ(axis->GetTick(0)->Position, 540);

    axis->SetMinorCount(-1);
    axis->CalcTicks(Canvas());
    EXPECT_EQ(axis->MinorIncrement(), 200);
    EXPECT_EQ(Positions(axis, kpttMinor).size(), 0u);

    // A desired start whose steps lie below the resolution of the values.
    axis->SetMinorCount(1);
    axis->SetMinSpan(1e20, 65536);
    SetLabelPitch(axis, 20);
    axis->SetDesiredIncrement(5000);
    axis->SetDesiredStart(1e20 + 32768);
    axis->CalcTicks(Canvas());
    EXPECT_EQ(axis->MajorIncrement(), 5000);
    EXPECT_EQ(axis->TickListCount(), 1);

    axis->SetDesiredStart(0);
    axis->SetDesiredIncrement(0);
    axis->SetMinSpan(1e300, 1e-300);
    EXPECT_NO_THROW(axis->CalcTicks(Canvas()));
    EXPECT_NO_THROW(axis->GetMaxLabelWidth(Canvas(), axis->LabelsFont()));

    axis->SetMinSpan(0, 100);
    axis->SetLabelSeparation(1e300);
    axis->SetLabelsMinLength(1e300);
    EXPECT_NO_THROW(axis->CalcTicks(Canvas()));
}

TEST_F(PlotAxisTest, UserTickListIsKeptAndRefreshed)
{
    TkPlotXAxis* axis = HorizontalAxis(0, 100, 0, 100);
    axis->SetTickListCustom(true);
    EXPECT_EQ(axis->TickListAdd(50, "half", kpttMajor), 0);
    EXPECT_EQ(axis->TickListAdd(150, "beyond", kpttMinor), 1);
    EXPECT_EQ(Changes, 2);
    axis->CalcTicks(Canvas());
    ASSERT_EQ(axis->TickListCount(), 2);
    EXPECT_TRUE(axis->GetTick(0)->Show);
    EXPECT_EQ(axis->GetTick(0)->PositionPixels, 50);
    EXPECT_EQ(axis->GetTick(0)->Text, "half");
    EXPECT_FALSE(axis->GetTick(1)->Show);
    axis->TickListClear();
    EXPECT_EQ(axis->TickListCount(), 0);
    EXPECT_EQ(Changes, 3);
}

TEST_F(PlotAxisTest, LabelsCanBeCustomisedAndWidenTheirRoom)
{
    TkPlotXAxis* axis = HorizontalAxis(0, 400, 0, 1e6);
    std::vector<Double> asked;
    Plot.OnCustomizeLabel = [&](TkPlotAxis* A, String& Text, Double Value) {
        asked.push_back(Value);
        if (Value == 200000) Text = "two\r\nhundred\rthousand";
        if (Value == 400000) A->SetCustomizeLabelEventText(A->CustomizeLabelEventText() + "!");
    };
    EXPECT_EQ(axis->GetLabelText(200000), "two\r\nhundred\rthousand");
    EXPECT_EQ(axis->GetCursorText(200000), "two hundred thousand");
    EXPECT_EQ(axis->GetLegendText(400000), "400000!");
    EXPECT_EQ(axis->GetLabelText(5), "5");
    EXPECT_EQ(asked, (std::vector<Double>{200000, 200000, 400000, 5}));

    // Only measuring widens the label room, and it reports no change.
    axis->SetLabelsMinLengthAutoAdjust(true);
    axis->GetLabelText(12345678);
    EXPECT_EQ(axis->LabelsMinLength(), 5);
    Changes = 0;
    axis->GetMaxLabelWidth(Canvas(), axis->LabelsFont());  // measures the label of 1e6
    EXPECT_EQ(axis->LabelsMinLength(), 7);
    EXPECT_EQ(Changes, 0);

    // A log-scale value with no text is not offered for customisation.
    axis->SetScaleType(kpstLog10);
    asked.clear();
    EXPECT_EQ(axis->GetLabelText(-1), "Unknown");
    EXPECT_TRUE(asked.empty());
}

TEST_F(PlotAxisTest, CursorAndLegendFormats)
{
    TFormatSettingsScope settings;
    TkPlotXAxis* axis = HorizontalAxis(0, 400, EncodeDate(2024, 3, 1), 1);
    axis->SetLabelsFormatStyle(kptfDateTime);
    axis->SetDateTimeFormat("hh:nn");
    const Double noon = EncodeDate(2024, 3, 1) + 0.5;
    EXPECT_EQ(axis->GetCursorText(noon), "12:00");
    EXPECT_EQ(axis->GetCursorValueText(0.25), "0.25");
    axis->SetCursorUseDefaultFormat(false);
    axis->SetCursorFormatStyle(kptfExponent);
    axis->SetCursorPrecision(2);
    EXPECT_EQ(axis->GetCursorText(1234), "1.2E+003");
    EXPECT_EQ(axis->GetCursorValueText(0.25), "0.3");  // two significant digits over a span of 1
    axis->SetLegendUseDefaultFormat(false);
    axis->SetLegendFormatStyle(kptfPrefix);
    EXPECT_EQ(axis->GetLegendText(12500), "12.5K");

    Canvas()->SetFont(axis->LabelsFont());
    const Integer zero = Canvas()->TextWidth("0");
    EXPECT_EQ(axis->GetCursorTextWidth(Canvas(), axis->LabelsFont()), zero * 5);
    axis->SetLegendMinLength(2);
    EXPECT_EQ(axis->GetLegendTextWidth(Canvas(), axis->LabelsFont()), zero * 2);
    axis->SetLegendUseDefaultFormat(true);
    EXPECT_EQ(axis->GetLegendTextWidth(Canvas(), axis->LabelsFont()), zero * 5);
}

// ---------------------------------------------------------------------------
// Form streams
// ---------------------------------------------------------------------------

namespace {

// A component that streams one X-axis manager as the plot does.
class TAxisRoot : public TComponent, public PlotTest::TPassedReports {
    PL_CLASSINFO()
public:
    explicit TAxisRoot(TComponent* AOwner) : TComponent(AOwner)
    {
        Plot.ReportTo(this);
        FAxes = Create<TkPlotXAxisManagerOf<TkPlotXAxis>>(&Plot);
    }
    // The axes' comings and goings reach their manager, as the plot's master
    // manager routes them.
    void Inserted(TkPlotObject& Object) override
    {
        if (FAxes) FAxes->NotificationInsert(&Object);
    }
    void Removed(TObject& Member) override
    {
        if (auto* object = dynamic_cast<TkPlotObject*>(&Member); object && FAxes) FAxes->NotificationRemove(object);
    }
    void BeforeDestruction() override
    {
        FreeAndNil(FAxes);
        TComponent::BeforeDestruction();
    }
    void DefineProperties(TFiler& Filer) override
    {
        TComponent::DefineProperties(Filer);
        Filer.DefineProperty(
            "XAxisManager", [this](TReader& Reader) { FAxes->ReadFromStream(Reader); },
            [this](TWriter& Writer) { FAxes->WriteToStream(Writer); }, FAxes->DoWriteToStream());
    }
    TkPlotXAxisManagerOf<TkPlotXAxis>* Axes() const { return FAxes; }

    TStandInPlot Plot;

private:
    TkPlotXAxisManagerOf<TkPlotXAxis>* FAxes = nullptr;
};

TClass TAxisRoot::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TAxisRoot, TComponent>("TAxisRoot").Build();
    return &info;
}

TAxisRoot* NewRoot()
{
    auto* root = Create<TAxisRoot>(nullptr);
    root->SetName("Plot1");
    return root;
}

}  // namespace

TEST(PlotAxisStream, SettingsRoundTripIncludingZeroesAndEmptyTexts)
{
    TOwned<TAxisRoot> source(NewRoot());
    TkPlotXAxis* axis = static_cast<TkPlotXAxis*>(source->Axes()->CreateObject());
    axis->DoInsert();
    axis->SetMinSpan(-2.5, 1080);
    axis->SetCursorScaler(0);           // differs from the constructor's 1
    axis->SetLabelSeparation(0);
    axis->SetDateTimeFormat("");
    axis->SetAlignRefAxisName("");
    axis->SetLabelsFormatStyle(kptfPrice32nds);
    axis->LabelsFont()->SetSize(14);
    const String text = WriteComponent(source.get());

    TOwned<TAxisRoot> copy(NewRoot());
    ReadComponent(text, copy.get());
    ASSERT_EQ(copy->Axes()->Count(), 1);
    const TkPlotXAxis* read = copy->Axes()->GetItem(0);
    EXPECT_EQ(read->Min(), -2.5);
    EXPECT_EQ(read->Span(), 1080);
    EXPECT_EQ(read->CursorScaler(), 0);
    EXPECT_EQ(read->LabelSeparation(), 0);
    EXPECT_EQ(read->DateTimeFormat(), "");
    EXPECT_EQ(read->AlignRefAxisName(), "");
    EXPECT_EQ(read->LabelsFormatStyle(), kptfPrice32nds);
    EXPECT_EQ(read->LabelsFont()->Size(), 14);
    EXPECT_EQ(WriteComponent(copy.get()), text);
}

TEST(PlotAxisStream, FormerSpanNameAndNaNValues)
{
    TOwned<TAxisRoot> root(NewRoot());
    ReadComponent("object Plot1: TAxisRoot\n  XAxisManager = <\n    item\n      Name = 'X-Axis 1'\n"
                  "      Span_2 = 250.000000000000000000\n      Min = NAN\n      TitleMargin = NAN\n    end>\nend\n",
                  root.get());
    ASSERT_EQ(root->Axes()->Count(), 1);
    const TkPlotXAxis* read = root->Axes()->GetItem(0);
    EXPECT_EQ(read->Span(), 250);
    EXPECT_EQ(read->Min(), 0);
    EXPECT_EQ(read->TitleMargin(), 0.25);
}
