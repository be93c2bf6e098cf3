#pragma once
// An XY plot with its default objects on a shown form, laid out, with a
// second control to take the focus from it. The mouse goes through the real
// router on the virtual clock; each press comes well apart from the last,
// so that none pairs into a double click unless asked.

#include <gtest/gtest.h>

#include <type_traits>

#include "components/plot/component/kPlot.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/Forms.h"
#include "platform/Testing.h"
#include "platform/StdCtrls.h"

namespace PlotTest {

// TPlot: the XY plot or the time plot.
template <class TPlot>
class PlotOnFormOf : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if constexpr (std::is_same_v<TPlot, TkPlot>)
            kPlotInitialization();
        else
            kXYPlotInitialization();
    }

    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 700, 400);
        Plot = Create<TPlot>(Form);
        Plot->SetParent(Form);
        Plot->SetBounds(0, 0, 600, 300);
        Other = Create<TEdit>(Form);
        Other->SetParent(Form);
        Other->SetBounds(610, 10, 60, 20);
        Form->Show();
        Testing::Input::Flush();
        Plot->ReCalcLayout();
    }
    void TearDown() override
    {
        FreeAndNil(Form);
        Testing::Input::Flush();
        Testing::Answers::Clear();
    }

    TkPlotXAxis* X() const { return Plot->GetXAxis(0); }
    TkPlotYAxis* Y() const { return Plot->GetYAxis(0); }
    TkPlotDataView* View() const { return Plot->GetDataView(0); }

    static TPoint Centre(const TRect& R) { return Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }
    TPoint ViewCentre() const { return Centre(View()->DrawRect()); }
    TPoint XAxisPoint() const { return Centre(X()->DrawRect()); }
    TPoint YAxisPoint() const { return Centre(Y()->DrawRect()); }

    void Move(TPoint P, TShiftState Shift = {}) { Testing::Input::MouseMove(Plot, P.X, P.Y, Shift); }
    void Press(TPoint P, TMouseButton Button = mbLeft, TShiftState Shift = {})
    {
        Testing::VirtualClock::Advance(DoubleClickTime + 1);
        Testing::Input::MouseDown(Plot, Button, P.X, P.Y, Shift);
    }
    void Release(TPoint P, TMouseButton Button = mbLeft, TShiftState Shift = {})
    {
        Testing::Input::MouseUp(Plot, Button, P.X, P.Y, Shift);
    }
    void Click(TPoint P, TMouseButton Button = mbLeft, TShiftState Shift = {})
    {
        Press(P, Button, Shift);
        Release(P, Button, Shift);
    }
    // Press, a move on the way, the end point, release.
    void Drag(TPoint From, TPoint To, TMouseButton Button = mbLeft)
    {
        Press(From, Button);
        Move(Point((From.X + To.X) / 2, (From.Y + To.Y) / 2));
        Move(To);
        Release(To, Button);
    }
    void Wait(Cardinal Ms) { Testing::VirtualClock::Advance(Ms); }

    TForm* Form = nullptr;
    TPlot* Plot = nullptr;
    TEdit* Other = nullptr;
};

class PlotOnForm : public PlotOnFormOf<TkXYPlot> {};

}  // namespace PlotTest
