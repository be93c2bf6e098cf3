#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "components/plot/axis/kPlotAxis.h"
#include "platform/Math.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/SysUtils.h"
#include "tests/plot/kPlotAxesControlTestDoubles.h"

using AxesControlTest::At;
using PlotTest::TStandInPlot;

namespace {

constexpr TColor kLines = clLime;
constexpr TColor kLabels = clYellow;
constexpr TColor kTitle = clAqua;

class PlotAxisDrawTest : public ::testing::Test {
protected:
    TStandInPlot Plot;
    TOwned<TBitmap> Bitmap = CreateOwned<TBitmap>();

    void SetUp() override { Bitmap->SetSize(300, 240); }
    TCanvas* Canvas() { return Bitmap->Canvas(); }
    TColor Pixel(Integer X, Integer Y) { return Canvas()->Pixels(X, Y); }
    TRect Ink(TColor Color) { return AxesControlTest::InkBox(Canvas(), 300, 240, Color); }

    // A linear horizontal axis 0..100 whose scale is 400 pixels long.
    TkPlotXAxis* DragAxis(const String& Name = "X-Axis 1")
    {
        TkPlotXAxis* axis = Plot.PutAxis(Name, Rect(0, 0, 400, 30), 0, 100);
        axis->CalcTicks(Canvas());
        return axis;
    }
    template <class T>
    T* Painted(const TRect& Layout, bool ReverseSide = false, const String& Title = "")
    {
        AxesControlTest::Blacken(Canvas(), 300, 240);
        T* axis = Plot.PutAxis<T>(Title, Layout, 0, 10);
        axis->SetScaleLinesColor(kLines);
        axis->LabelsFont()->SetColor(kLabels);
        axis->TitleFont()->SetColor(kTitle);
        axis->SetTitle(Title);
        axis->SetTitleShow(!Title.empty());
        axis->SetReverseSide(ReverseSide);
        axis->CalcTicks(Canvas());
        axis->PrepareDraw(Plot.PaintContext(*axis));
        axis->Draw(Plot.PaintContext(*axis, Canvas()));
        return axis;
    }
    static void Drag(TkPlotAxis* Axis, Integer FromX, Integer FromY, Integer ToX, Integer ToY)
    {
        Axis->DoMouseLeft(At(FromX, FromY));
        Axis->DoMouseMove(At(ToX, ToY));
        Axis->DoMouseUp(At(ToX, ToY));
    }
    static void Key(TkPlotAxis* Axis, Word Code) { Axis->kKeyDown(Code, {}, nullptr); }
};

TEST_F(PlotAxisDrawTest, RequiredSizeAndEndMargin)
{
    TkPlotYAxis* axis = Plot.PutAxis<TkPlotYAxis>("Y", Rect(10, 10, 60, 200), 0, 10);
    axis->SetLabelsVisible(false);
    axis->SetMinorLength(12);
    EXPECT_EQ(axis->GetRequiredSize(Canvas()), 5 + 5 + 12);
    EXPECT_EQ(axis->GetRequiredEndMargin(Canvas()), 0);
    axis->SetScaleLinesShow(false);
    axis->SetTitle("Volts");
    axis->SetTitleShow(true);
    axis->SetTitleRotated(true);
    Canvas()->SetFont(axis->TitleFont());
    const Integer h = Canvas()->TextHeight("Volts");
    EXPECT_EQ(axis->GetRequiredSize(Canvas()), 10 + RoundPix(h * 0.25L + Canvas()->TextWidth("Volts")));
    axis->SetCartesianStyle(kpcsMaster);  // no room for a title
    EXPECT_EQ(axis->GetRequiredSize(Canvas()), 10);

    // Level labels of a vertical axis: the widest across it, the height of "XYZ" along.
    axis->SetLabelsVisible(true);
    axis->CalcTicks(Canvas());
    Canvas()->SetFont(axis->LabelsFont());
    const Integer gap = RoundPix(Canvas()->TextHeight("A") * 0.25L);
    EXPECT_EQ(axis->GetRequiredSize(Canvas()), 10 + gap + axis->GetMaxLabelWidth(Canvas(), axis->LabelsFont()));
    EXPECT_EQ(axis->GetRequiredEndMargin(Canvas()), Canvas()->TextHeight("XYZ") / 2);
    axis->SetInnerMargin(INT_MAX);  // saturates, never wraps round
    EXPECT_EQ(axis->GetRequiredSize(Canvas()), INT_MAX);
}

TEST_F(PlotAxisDrawTest, BottomAxisDrawsLineMarksLabelsAndTitleOutward)
{
    TkPlotXAxis* axis = Painted<TkPlotXAxis>(Rect(40, 150, 260, 230), false, "Time");
    for (const Integer x : {40, 150, 260}) EXPECT_EQ(Pixel(x, 155), kLines) << x;  // InnerMargin down
    const std::vector<Integer> ticks = AxesControlTest::TickPixels(axis, kpttMajor);
    ASSERT_GE(ticks.size(), 2u);
    for (const Integer p : ticks) EXPECT_EQ(Pixel(p, 160), kLines) << p;
    EXPECT_EQ(Pixel(ticks[0], 149), clBlack);
    const TRect labels = Ink(kLabels);
    EXPECT_GE(labels.Top, 162);
    EXPECT_LE(labels.Left, ticks.front() + 2);
    EXPECT_GE(labels.Right, ticks.back() - 2);
    const TRect title = Ink(kTitle);
    EXPECT_GT(title.Top, labels.Bottom - 2);
    EXPECT_LE(title.Bottom, 230 - 5 + 1);
    EXPECT_NEAR((title.Left + title.Right) / 2, 150, 3);
}

TEST_F(PlotAxisDrawTest, EverySideDrawsOutwardAndTurnsItsTitle)
{
    Painted<TkPlotYAxis>(Rect(10, 20, 100, 220), false, "Volts");
    EXPECT_EQ(Pixel(95, 120), kLines);
    EXPECT_LE(Ink(kLabels).Right, 95 - 7);
    EXPECT_GT(Ink(kTitle).Height(), Ink(kTitle).Width());  // turned a quarter
    EXPECT_LT(Ink(kTitle).Right, Ink(kLabels).Left + 2);

    Painted<TkPlotYAxis>(Rect(200, 20, 290, 220), true);
    EXPECT_EQ(Pixel(205, 120), kLines);
    EXPECT_GE(Ink(kLabels).Left, 205 + 7);

    TkPlotXAxis* top = Painted<TkPlotXAxis>(Rect(40, 10, 260, 80), true);
    EXPECT_EQ(Pixel(150, 75), kLines);
    EXPECT_LE(Ink(kLabels).Bottom, 75 - 7 + 1);
    for (const Integer p : AxesControlTest::TickPixels(top, kpttMajor)) EXPECT_EQ(Pixel(p, 70), kLines);

}

TEST_F(PlotAxisDrawTest, CartesianAxisCentresMarksAndLabelsAvoidTakenRoom)
{
    Plot.ReferenceView = Rect(0, 0, 300, 240);
    TkPlotXAxis* axis = Plot.PutAxis("C", Rect(40, 100, 260, 100), 0, 10);
    axis->SetCartesianStyle(kpcsMaster);
    axis->SetScaleLinesColor(kLines);
    axis->LabelsFont()->SetColor(kLabels);
    AxesControlTest::Blacken(Canvas(), 300, 240);
    axis->CalcTicks(Canvas());
    axis->PrepareDraw(Plot.PaintContext(*axis));
    axis->Draw(Plot.PaintContext(*axis, Canvas()));
    ASSERT_FALSE(Plot.Occupied.empty());
    EXPECT_EQ(Plot.Occupied.front(), Rect(40, 100, 260, 101));
    const Integer p = AxesControlTest::TickPixels(axis, kpttMajor).at(1);
    EXPECT_EQ(Pixel(p, 95), kLines);
    EXPECT_EQ(Pixel(p, 103), kLines);
    EXPECT_EQ(Pixel(p, 94), clBlack);
    EXPECT_GE(Ink(kLabels).Top, 104);
    EXPECT_EQ(axis->FocusRect().Top, 100 - (4 + 5));
    EXPECT_EQ(axis->FocusRect().Height(), axis->GetRequiredSize(Canvas()));

    AxesControlTest::Blacken(Canvas(), 300, 240);
    Plot.Occupied = {Rect(0, 101, 300, 240)};
    axis->Draw(Plot.PaintContext(*axis, Canvas()));
    EXPECT_EQ(Ink(kLabels), TRect{});
}

TEST_F(PlotAxisDrawTest, DragScrollsWithTheMouseAndCtrlZooms)
{
    TkPlotXAxis* axis = DragAxis();
    Drag(axis, 100, 10, 140, 10);
    EXPECT_DOUBLE_EQ(axis->Min(), -10);
    EXPECT_DOUBLE_EQ(axis->Max(), 90);
    EXPECT_FALSE(axis->TrackingEnabled());
    EXPECT_GT(Plot.Repaints, 0);
    EXPECT_EQ(Plot.Log, (std::vector<String>{"click X-Axis 1", "finished X-Axis 1 0 100 -10 100"}));

    axis->SetMinSpan(0, 100);
    axis->DoMouseLeft(At(100, 10));
    axis->SetShiftState(TShiftState{ssCtrl});  // read at the move
    axis->DoMouseMove(At(140, 10));
    axis->DoMouseMove(At(140, 10));  // each move applies only its own change
    EXPECT_NEAR(axis->Span(), 100 / std::pow(10.0, 0.1 / 4), 1e-9);
    EXPECT_NEAR(axis->Center(), 50, 1e-9);
    axis->SetShiftState({});
    axis->DoMouseUp(At(140, 10));
}

TEST_F(PlotAxisDrawTest, GesturesThatChangeNothingReportNothing)
{
    TkPlotXAxis* axis = DragAxis();
    axis->DoMouseUp(At(100, 10));  // the focus loss' release: never pressed
    axis->DoMouseLeft(At(100, 10));
    axis->DoMouseMove(At(140, 10, true));  // double click
    axis->DoMouseMove(At(150, 10));
    axis->DoMouseMove(At(100, 10));
    axis->DoMouseUp(At(100, 50));  // back where it began, released off the axis
    EXPECT_TRUE(Plot.Log.empty());
    EXPECT_EQ(axis->Min(), 0);

    TkPlotXAxis* flat = Plot.PutAxis("Flat", Rect(50, 0, 50, 30), 0, 100);
    flat->CalcTicks(Canvas());
    Drag(flat, 50, 10, 90, 10);  // a scale without length
    EXPECT_EQ(flat->Min(), 0);
    EXPECT_EQ(flat->Span(), 100);
}

TEST_F(PlotAxisDrawTest, WheelAndKeysStep)
{
    TkPlotXAxis* axis = DragAxis();
    EXPECT_FALSE(axis->DoMouseWheel(0, {}, 0, 0));
    EXPECT_TRUE(axis->TrackingEnabled());
    EXPECT_TRUE(axis->DoMouseWheel(1, {}, 0, 0));  // only the sign counts
    EXPECT_DOUBLE_EQ(axis->Min(), 5);
    EXPECT_FALSE(axis->TrackingEnabled());
    axis->DoMouseWheel(-480, TShiftState{ssCtrl}, 0, 0);
    EXPECT_NEAR(axis->Span(), 100 * std::pow(10.0, 0.025), 1e-9);

    axis->SetMinSpan(0, 100);
    Key(axis, VK_PRIOR);
    EXPECT_DOUBLE_EQ(axis->Min(), 100);
    Key(axis, VK_HOME);
    Key(axis, VK_UP);
    EXPECT_DOUBLE_EQ(axis->Min(), 1);
    axis->SetMinSpan(0, 100);
    axis->SetMode(kpamZoom);
    Word key = VK_END;
    axis->kKeyDown(key, TShiftState{ssCtrl}, nullptr);  // Ctrl does not swap the mode of keys
    EXPECT_EQ(Plot.Log.back(), "finished X-Axis 1 0 100 45 10");

    axis->Zoom(2);
    EXPECT_DOUBLE_EQ(axis->Span(), 20);
    EXPECT_DOUBLE_EQ(axis->Center(), 50);
    for (const Double bad : {0.0, -1.0, std::nan("")}) EXPECT_THROW(axis->Zoom(bad), Exception) << bad;
    axis->Zoom(1e-320);
    EXPECT_GT(axis->Span(), 0);
}

TEST_F(PlotAxisDrawTest, ScrollLimitsHoldOnLinearAndLogScales)
{
    TkPlotXAxis* axis = DragAxis();
    axis->SetScrollMinMaxEnabled(true);
    axis->SetScrollMax(150);
    Drag(axis, 100, 10, 200, 10);
    EXPECT_EQ(axis->Min(), 0);
    Key(axis, VK_PRIOR);
    EXPECT_EQ(axis->Max(), 150);

    // Log10: the top end stops at the upper limit, the decades kept.
    axis->SetScaleType(kpstLog10);
    axis->SetScrollMin(1);
    axis->SetScrollMax(1000);
    axis->SetMinSpan(10, 90);
    Key(axis, VK_PRIOR);
    Key(axis, VK_PRIOR);
    EXPECT_NEAR(axis->Min(), 100, 1e-9);
    EXPECT_NEAR(axis->Max(), 1000, 1e-9);
    for (Integer i = 0; i < 3; ++i) Key(axis, VK_HOME);
    EXPECT_NEAR(axis->Min(), 1, 1e-12);
    EXPECT_NEAR(axis->Max(), 10, 1e-9);
}

TEST_F(PlotAxisDrawTest, LogScaleGesturesStayDefined)
{
    TkPlotXAxis* axis = DragAxis();
    axis->SetScaleType(kpstLog10);
    axis->SetMinSpan(1, 999);
    axis->CalcTicks(Canvas());
    axis->DoMouseWheel(120, {}, 0, 0);
    EXPECT_NEAR(std::log10(axis->Min()), 0.05 * 3, 1e-9);
    for (const TkPlotAxisMode mode : {kpamScroll, kpamZoom}) {
        axis->SetMode(mode);
        for (Integer i = 0; i < 400; ++i) {
            Key(axis, i < 200 ? VK_PRIOR : VK_NEXT);
            Drag(axis, 0, 10, i % 2 ? 30000 : -30000, 10);
            ASSERT_TRUE(std::isfinite(axis->Min()) && std::isfinite(axis->Span()));
            ASSERT_GT(axis->Min(), 0);
            ASSERT_GT(axis->Span(), 0);
        }
    }
}

TEST_F(PlotAxisDrawTest, CursorHintSelectionAndPopup)
{
    TkPlotXAxis* axis = DragAxis();
    TkPlotYAxis* y = Plot.PutAxis<TkPlotYAxis>("Y-Axis 1", Rect(0, 0, 30, 200), 0, 100);
    y->SetMode(kpamZoom);
    EXPECT_EQ(axis->GetMouseCursor({}), crHandPoint);
    EXPECT_EQ(y->GetMouseCursor({}), crSizeNS);

    TkPlotHintData hint;
    axis->SetTitle("Time");
    Plot.OnCustomizeHint = [](TkPlotAxis*, String& Text) { Text += " [s]"; };
    axis->DoMouseHint(At(30, 50), hint);  // measured as the handler left it
    EXPECT_EQ(Rect(hint.Left, hint.Top, hint.Width, hint.Height), Rect(30, 30, 8 * 7 + 4, 16));

    axis->SetUserSelected(true);
    axis->SetShiftState(TShiftState{ssShift});  // another axis picked with Shift joins
    y->SetUserSelected(true);
    axis->NotificationSetFocus(y);
    EXPECT_TRUE(axis->UserSelected());

    TOwned<TPopupMenu> menu(Create<TPopupMenu>(nullptr));
    axis->BuildPopupMenu(menu.get());
    TMenuItem* items = menu->Items();
    ASSERT_EQ(items->Count(), 4);
    EXPECT_EQ(items->Items(2)->Caption(), "Zoom to Fit");
    EXPECT_TRUE(items->Items(0)->Checked());
    EXPECT_FALSE(items->Items(1)->Enabled());
    items->Items(0)->Click();  // "Tracking Enabled"
    axis->SetMinSpan(5, 50);
    axis->BuildPopupMenu(menu.get());
    ASSERT_TRUE(menu->Items()->Items(1)->Enabled());
    menu->Items()->Items(1)->Click();  // "Update Resume Values"
    axis->SetTrackingEnabled(true);
    EXPECT_EQ(axis->Min(), 5);
}

}  // namespace
