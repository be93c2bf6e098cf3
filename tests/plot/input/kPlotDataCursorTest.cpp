// The data cursor on a plot: its pointers by style, its readout of a known
// channel, and the user's mouse and keys.

#include <gtest/gtest.h>

#include <cmath>

#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLegend.h"
#include "components/plot/view/kPlotDataView.h"
#include "platform/Menus.h"
#include "support/MenuCaptions.h"
#include "support/PlotOnForm.h"
#include "support/PlotRoles.h"

namespace {

// X and Y axes 0..100, a channel on both, and data cursor 0 shown through
// the toolbar with its pointers at the view's edges.
class DataCursorTest : public PlotTest::PlotOnForm {
protected:
    void SetUp() override
    {
        PlotOnForm::SetUp();
        X()->SetTrackingEnabled(false);
        Y()->SetTrackingEnabled(false);
        X()->SetMinSpan(0, 100);
        Y()->SetMinSpan(0, 100);
        Plot->GetChannel(0)->SetName("Signal");
        Cursor()->SetChannelName("Signal");
        Plot->GetToolBar(0)->DoButtonClickCursor();
        Cursor()->SetPointer1Position(0);
        Cursor()->SetPointer2Position(100);
        Plot->Repaint();
    }
    TkPlotDataCursor* Cursor() const { return Plot->GetDataCursor(0); }
    String ReadoutOf(TkPlotDataCursorStyle Style)
    {
        Cursor()->SetStyle(Style);
        Plot->Repaint();
        return Cursor()->CursorDisplayText();
    }
    TPoint PointerPoint(Integer Pointer)
    {
        const TRect view = View()->DrawRect();
        const Integer y = (view.Top + view.Bottom) / 2 + 30;
        return Point(View()->PositionPercentToPixelsX(Pointer == 1 ? Cursor()->Pointer1Position()
                                                                   : Cursor()->Pointer2Position()),
                     y);
    }
};

TEST_F(DataCursorTest, ItIsHiddenUntilTheCursorButtonAndKeepsItsPositionsInTheView)
{
    EXPECT_FALSE(Plot->GetDataCursor(Plot->AddDataCursor())->Visible());
    EXPECT_TRUE(Cursor()->Visible());
    Cursor()->SetPointer1Position(120);
    EXPECT_EQ(Cursor()->Pointer1Position(), 100);
    Cursor()->SetPointer1Position(-3);
    EXPECT_EQ(Cursor()->Pointer1Position(), 0);
    Cursor()->SetHintPosition(std::nan(""));
    EXPECT_EQ(Cursor()->HintPosition(), 0);
    Plot->GetToolBar(0)->DoButtonClickCursor();
    EXPECT_FALSE(Cursor()->Visible());
}

TEST_F(DataCursorTest, TheStyleChoosesThePointersAndReversedAxesTurnThem)
{
    const auto pointers = [this](TkPlotDataCursorStyle Style) {
        Cursor()->SetStyle(Style);
        String shape;
        for (const Integer p : {1, 2})
            shape += !Cursor()->PointerShown(p) ? "-" : Cursor()->PointerHorizontal(p) ? "H" : "V";
        return shape;
    };
    EXPECT_EQ(pointers(kpcsValueXY), "VH");
    EXPECT_EQ(pointers(kpcsValueX), "V-");
    EXPECT_EQ(pointers(kpcsValueY), "-H");
    EXPECT_EQ(pointers(kpcsDeltaX), "VV");
    EXPECT_EQ(pointers(kpcsInverseDeltaX), "VV");
    EXPECT_EQ(pointers(kpcsDeltaY), "HH");
    Plot->SetXYAxesReverse(true);
    EXPECT_EQ(pointers(kpcsDeltaY), "VV");
}

TEST_F(DataCursorTest, TheHintShowsTheExactReadoutOfEachStyle)
{
    EXPECT_EQ(ReadoutOf(kpcsValueXY), "0, 100");
    EXPECT_EQ(ReadoutOf(kpcsValueX), "0");
    EXPECT_EQ(ReadoutOf(kpcsValueY), "100");
    EXPECT_EQ(ReadoutOf(kpcsDeltaX), "100");
    EXPECT_EQ(ReadoutOf(kpcsDeltaY), "100");
    X()->SetCursorScaler(0.001);
    EXPECT_EQ(ReadoutOf(kpcsInverseDeltaX), "10");
    EXPECT_EQ(Cursor()->ValueX(), 10);
    EXPECT_FALSE(IsRectEmpty(Cursor()->HintRect()));

    Cursor()->SetPointer1Position(Cursor()->Pointer2Position());
    EXPECT_EQ(ReadoutOf(kpcsInverseDeltaX), "Infinite");
}

TEST_F(DataCursorTest, TheChangeEventFiresOnlyWhenTheValuesChange)
{
    Integer changes = 0;
    Plot->OnDataCursorChange = [&](TObject*, Integer) { ++changes; };
    Plot->Repaint();
    Plot->Repaint();
    EXPECT_EQ(changes, 0);
    Cursor()->SetPointer1Position(50);
    Plot->Repaint();
    EXPECT_EQ(changes, 1);
}

TEST_F(DataCursorTest, ReadingEveryChannelShowsNoHintAndAnUnknownChannelSaysSo)
{
    Cursor()->SetChannelName("<all>");
    Plot->Repaint();
    EXPECT_TRUE(IsRectEmpty(Cursor()->HintRect()));
    EXPECT_TRUE(Plot->GetLegend(0)->CursorAllChannels());

    String shown;
    Plot->OnDataCursorCustomizeHint = [&](TObject*, Integer, String& Text) { shown = Text; };
    Cursor()->SetChannelName("Nothing");
    Plot->Repaint();
    EXPECT_EQ(shown, "No Channel");
}

TEST_F(DataCursorTest, APointerDraggedWithTheMouseFollowsItAndTheHintTurnsAtTheEdge)
{
    Cursor()->SetStyle(kpcsValueX);
    Cursor()->SetPointer1Position(50);
    Plot->Repaint();
    const TPoint from = PointerPoint(1);
    Drag(from, Point(from.X + 40, from.Y));
    Plot->Repaint();
    EXPECT_EQ(View()->PositionPercentToPixelsX(Cursor()->Pointer1Position()), from.X + 40);
    EXPECT_EQ(Cursor()->HintOrientationSide(), kosBottomRight);
    EXPECT_GT(Cursor()->HintRect().Left, from.X + 40);

    // Dragged to the right edge, the hint goes to the pointer's left.
    const TPoint at = PointerPoint(1);
    Drag(at, Point(View()->DrawRect().Right + 50, at.Y));
    Plot->Repaint();
    EXPECT_EQ(Cursor()->Pointer1Position(), 100);
    EXPECT_EQ(Cursor()->HintOrientationSide(), kosTopLeft);
    EXPECT_LT(Cursor()->HintRect().Right, View()->DrawRect().Right);
}

TEST_F(DataCursorTest, KeysStepTheSelectedCursorsPointersByPixels)
{
    Cursor()->SetStyle(kpcsDeltaX);
    Cursor()->SetPointer1Position(50);
    Cursor()->SetPointer2Position(50);
    Plot->Repaint();
    Click(PointerPoint(1));
    ASSERT_TRUE(Cursor()->UserSelected());
    const Integer start = View()->PositionPercentToPixelsX(50);
    Testing::Input::Key(VK_PRIOR);
    EXPECT_EQ(View()->PositionPercentToPixelsX(Cursor()->Pointer1Position()), start + 5);
    Testing::Input::Key(VK_LEFT);
    EXPECT_EQ(View()->PositionPercentToPixelsX(Cursor()->Pointer1Position()), start + 4);
    Testing::Input::Key(VK_END, {ssCtrl});
    EXPECT_EQ(Cursor()->Pointer2Position(), 100);
    Testing::Input::Key(VK_HOME);
    EXPECT_EQ(Cursor()->Pointer1Position(), 0);
}

using MenuTest::Captions;
using MenuTest::SubMenu;

TEST_F(DataCursorTest, TheMenuOffersTheChannelsTheChosenStylesAndTheOptions)
{
    Cursor()->SetMenuItemVisible<kpcsDeltaY>(false);
    Cursor()->SetMenuItemCaption<kpcsDeltaX>("T");
    TPopupMenu* menu = PlotTest::RolesOf(*Plot).PopupMenu.get();
    Cursor()->BuildPopupMenu(menu);
    ASSERT_NE(SubMenu(menu, "Style"), nullptr);
    EXPECT_EQ(Captions(SubMenu(menu, "Style")),
              (std::vector<String>{"Value X-Y*", "Value X", "Value Y", "T", "Frequency"}));
    EXPECT_EQ(Captions(SubMenu(menu, "Channel")), (std::vector<String>{"Signal*", "<All>"}));
    EXPECT_EQ(Captions(SubMenu(menu, "Options")), (std::vector<String>{"Use Channel Color*", "Hide Hint On Release",
                                                                       "Flip Alignment", "Snap to Data-Point"}));

    SubMenu(menu, "Style")->Items(3)->Click();
    EXPECT_EQ(Cursor()->Style(), kpcsDeltaX);
    SubMenu(menu, "Channel")->Items(1)->Click();
    EXPECT_TRUE(Cursor()->ReadsAllChannels());
    SubMenu(menu, "Options")->Items(2)->Click();
    EXPECT_EQ(Cursor()->HintOrientationSide(), kosTopLeft);
    // Switched on here too, but an XY plot's points are not in X order:
    // the pointers stay where they are.
    Plot->GetChannel(0)->AddXY(10, 10);
    SubMenu(menu, "Options")->Items(3)->Click();
    EXPECT_TRUE(Cursor()->SnapToDataPoint());
    EXPECT_EQ(Cursor()->Pointer2Position(), 100);

    Cursor()->SetMenuUserCanChangeOptions(false);
    Cursor()->SetChannelAllowAll(false);
    Cursor()->BuildPopupMenu(menu);
    EXPECT_EQ(SubMenu(menu, "Options"), nullptr);
    EXPECT_EQ(Captions(SubMenu(menu, "Channel")), (std::vector<String>{"Signal"}));
}

TEST_F(DataCursorTest, SelectingAnotherChannelBindsTheSelectedCursorToIt)
{
    TkPlotChannelCustom* other = Plot->GetChannel(Plot->AddChannel());
    other->SetName("Other");
    Cursor()->SetUserSelected(true);
    EXPECT_TRUE(Plot->GetChannel(0)->UserSelected()) << "the cursor's channel is selected with it";
    other->SetUserSelected(true);
    EXPECT_EQ(Cursor()->ChannelName(), "Other");
    EXPECT_FALSE(Cursor()->UserSelected());
    Plot->GetChannel(0)->SetName("Renamed");
    other->SetName("Other 2");
    EXPECT_EQ(Cursor()->ChannelName(), "Other 2");
}

TEST_F(DataCursorTest, AViewOfNoSizeTakesKeysWithoutDividingByZero)
{
    View()->SetDrawRect(Rect(50, 50, 50, 50));
    for (const TkPlotDataCursorStyle style : {kpcsDeltaX, kpcsDeltaY}) {
        Cursor()->SetStyle(style);
        for (Word key : {VK_PRIOR, VK_LEFT, VK_UP, VK_DOWN, VK_RIGHT}) Cursor()->kKeyDown(key, {}, nullptr);
        EXPECT_TRUE(std::isfinite(Cursor()->Pointer1Position()));
        EXPECT_TRUE(std::isfinite(Cursor()->HintPosition()));
    }
    EXPECT_EQ(View()->PixelsXToPositionPercent(60), 0);
}

}  // namespace
