#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "components/plot/input/kPlotButton.h"
#include "tests/plot/kPlotObjectsTestDoubles.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "support/MessageOf.h"

using namespace PlotTest;

namespace {

// A layout object that records the mouse records its operations receive.
class TProbe : public TkPlotLayoutObject {
public:
    using TkPlotLayoutObject::TkPlotLayoutObject;
    std::vector<String> Calls;
    TkPlotMouseData Last;

protected:
    void DoMouseLeft(const TkPlotMouseData& D) override { Record("left", D); }
    void DoMouseRight(const TkPlotMouseData& D) override { Record("right", D); }
    void DoMouseMove(const TkPlotMouseData& D) override { Record("move", D); }
    void DoMouseUp(const TkPlotMouseData& D) override { Record("up", D); }
    void DoMouseHint(const TkPlotMouseData& D, TkPlotHintData& Hint) override
    {
        Record("hint", D);
        Hint.Text = "probe";
    }

private:
    void Record(const char* What, const TkPlotMouseData& D)
    {
        Calls.push_back(What);
        Last = D;
    }
};

class PlotObjectTest : public ::testing::Test {
protected:
    PlotObjectTest() { Owner.ReportTo(&Reports); }

    TStandInPlot Owner{TStandInPlot::AsPlotLoggingInput};
    TReportLog Reports;
    std::vector<String>& Hooks = Reports.Log;

    TProbe* NewProbe()
    {
        auto* probe = Create<TProbe>(&Owner);
        probe->SetName("Probe");
        probe->SetDrawRect(Rect(10, 20, 110, 60));
        Hooks.clear();
        return probe;
    }
    std::vector<TOwned<TkPlotObject>> FObjects;
    TProbe* Probe()
    {
        FObjects.emplace_back(NewProbe());
        return static_cast<TProbe*>(FObjects.back().get());
    }
};

std::vector<String> PropertyNames(TClass Class)
{
    std::vector<String> names;
    for (PPropInfo prop : GetPropList(Class)) names.push_back(prop->Name);
    return names;
}

}  // namespace

TEST_F(PlotObjectTest, PublishedPropertiesAndDefaults)
{
    EXPECT_EQ(PropertyNames(TkPlotLayoutObject::StaticClassInfo()),
              (std::vector<String>{"Name", "Visible", "Enabled", "Layer", "PopupEnabled", "CanFocus", "Horizontal",
                                   "ZOrder", "StartPercent", "StopPercent"}));
    TProbe* p = Probe();
    EXPECT_TRUE(p->Visible() && p->Enabled() && p->PopupEnabled() && p->CanFocus() && p->UserCanEdit());
    EXPECT_FALSE(p->UserSelected() || p->Horizontal() || p->XYAxesReversed() || p->CanDraw());
    EXPECT_EQ(p->Layer(), 100);
    EXPECT_EQ(p->StartPercent(), 0.0);
    EXPECT_EQ(p->StopPercent(), 100.0);
    p->PrepareDraw({});
    EXPECT_TRUE(p->CanDraw());
    // Layout properties and Name have no stream default: always stored.
    for (const char* name : {"Horizontal", "ZOrder", "StartPercent", "StopPercent", "Name"})
        EXPECT_FALSE(IsDefaultPropValue(p, GetPropInfo(p, name))) << name;
    EXPECT_TRUE(IsDefaultPropValue(p, GetPropInfo(p, "Layer")));
}

TEST_F(PlotObjectTest, SettersReportOnlyChangesThroughTheirChangeMethod)
{
    TProbe* p = Probe();
    p->SetVisible(true);
    p->SetLayer(100);
    p->SetName("Probe");
    p->SetZOrder(0);
    EXPECT_TRUE(Hooks.empty());

    p->SetLayer(7);
    p->SetZOrder(2);
    p->SetHorizontal(true);
    p->SetForceStacking(true);
    p->SetReverseSide(true);
    p->SetDrawRect(Rect(0, 0, 1, 1));  // written by the layout engine: no report
    p->SetStartStacked(true);
    EXPECT_EQ(Hooks, (std::vector<String>{"change", "layout", "change", "layout", "change", "layout", "change",
                                          "change"}));
}

TEST_F(PlotObjectTest, RenameKeepsTheOldNameForTheRenameReport)
{
    TProbe* p = Probe();
    String seenOld;
    p->SetName("Probe");
    Reports.OnRename = [&](TkPlotObject& Object) { seenOld = Object.NameOld() + ">" + Object.Name(); };
    auto* q = Create<TProbe>(&Owner);
    TOwned<TkPlotObject> owned(q);
    q->SetName("Channel 1");
    q->SetName("Signal");
    EXPECT_EQ(seenOld, "Channel 1>Signal");
    EXPECT_EQ(q->NameOld(), "Channel 1");
    // A change after each rename report.
    EXPECT_EQ(Hooks, (std::vector<String>{"rename", "change", "rename", "change"}));
}

TEST_F(PlotObjectTest, PercentSettersKeepTheirInvariant)
{
    TProbe* p = Probe();
    p->SetStartPercent(100);
    EXPECT_EQ(p->StartPercent(), 99.0);
    EXPECT_EQ(p->StopPercent(), 100.0);

    TProbe* q = Probe();
    q->SetStopPercent(0);
    EXPECT_EQ(q->StartPercent(), 0.0);
    EXPECT_EQ(q->StopPercent(), 1.0);
    q->SetStopPercent(250);
    EXPECT_EQ(q->StopPercent(), 100.0);
    q->SetStartPercent(-5);
    EXPECT_EQ(q->StartPercent(), 0.0);

    TProbe* r = Probe();
    r->SetStopPercent(50.5);
    Hooks.clear();
    r->SetStartPercent(50);
    EXPECT_EQ(r->StopPercent(), 51.0);
    EXPECT_EQ(Hooks, (std::vector<String>{"change"}));  // no separate report for the stop
}

TEST_F(PlotObjectTest, NoNaNOrInfinityReachesAPercent)
{
    TProbe* p = Probe();
    p->SetStartPercent(40);
    p->SetStartPercent(std::numeric_limits<Double>::quiet_NaN());  // counts as below 0
    EXPECT_EQ(p->StartPercent(), 0.0);
    p->SetStopPercent(std::numeric_limits<Double>::quiet_NaN());
    EXPECT_EQ(p->StopPercent(), 1.0);
    p->SetStopPercent(std::numeric_limits<Double>::infinity());
    EXPECT_EQ(p->StopPercent(), 100.0);

    Hooks.clear();
    p->SetStartStopPercent(std::numeric_limits<Double>::quiet_NaN(), 50);
    p->SetStartStopPercent(10, std::numeric_limits<Double>::infinity());
    EXPECT_EQ(p->StartPercent(), 0.0);
    EXPECT_EQ(p->StopPercent(), 100.0);
    EXPECT_TRUE(Hooks.empty());
    p->SetStartStopPercent(30, 20);  // unchecked otherwise
    EXPECT_EQ(p->StartPercent(), 30.0);
    EXPECT_EQ(p->StopPercent(), 20.0);
    EXPECT_EQ(Hooks, (std::vector<String>{"change"}));

    // Any Double property set through the setter routine ignores NaN.
    TFakeMaster master;
    auto* channel = master.Add(master.Channels);
    channel->SetOffset(2.5);
    channel->SetOffset(std::numeric_limits<Double>::quiet_NaN());
    EXPECT_EQ(channel->Offset(), 2.5);
}

TEST_F(PlotObjectTest, SortKeys)
{
    TProbe* p = Probe();
    p->SetLayer(7);
    EXPECT_EQ(p->GetLayerSortKey(), "000007");
    p->SetLayer(1234567);
    EXPECT_EQ(p->GetLayerSortKey(), "1234567");
    p->SetLayer(-5);
    EXPECT_EQ(p->GetLayerSortKey(), "0000-5");
    p->SetZOrder(2);
    EXPECT_EQ(p->GetZOrderSortKey(), "002");
    p->SetStartPercent(12.5);
    EXPECT_EQ(p->GetStartPercentSortKey(), "012");
    p->SetStartPercent(13.5);
    EXPECT_EQ(p->GetStartPercentSortKey(), "014");
}

TEST_F(PlotObjectTest, ManagedObjectsCheckTheirOwnerAndObjectsWithoutAPlotReportNothing)
{
    EXPECT_EQ(MessageOf([&] { Create<TkPlotManagerObject>(nullptr); }), "Owner must be assigned");
    // A plain plot object runs without owner, and one whose owner is no
    // plot reports nothing.
    TOwned<TkPlotObject> free(Create<TkPlotObject>(nullptr));
    free->SetLayer(3);
    free->SetUserSelected(true);
    EXPECT_EQ(free->TranslateString("Edit..."), "Edit...");
    TStandInPlot bare(TStandInPlot::Bare);
    TOwned<TkPlotObject> alone(Create<TProbe>(&bare));
    alone->DoInsert();
    alone->SetLayer(3);
    alone->SetUserSelected(true);
    alone.reset();
    EXPECT_TRUE(Hooks.empty());
}

TEST_F(PlotObjectTest, InsertAndRemovalReportInOrder)
{
    TProbe* p = NewProbe();
    p->DoInsert();
    EXPECT_EQ(Hooks, (std::vector<String>{"insert", "layout"}));  // no change report on insertion
    Hooks.clear();
    p->Free();
    EXPECT_EQ(Hooks, (std::vector<String>{"remove", "layout", "change"}));
}

TEST_F(PlotObjectTest, SelectionAndDisabling)
{
    TProbe* p = Probe();
    p->SetUserSelected(true);
    EXPECT_EQ(Hooks, (std::vector<String>{"invalidate now", "set focus"}));
    EXPECT_EQ(Owner.Log, (std::vector<String>{"got focus Probe"}));

    p->kMouseDown(mbLeft, {}, 20, 30);  // a press in progress
    Hooks.clear();
    Owner.Log.clear();
    p->SetEnabled(false);
    EXPECT_FALSE(p->UserSelected());
    EXPECT_EQ(Hooks, (std::vector<String>{"invalidate now", "change"}));
    EXPECT_EQ(Owner.Log, (std::vector<String>{"lost focus Probe"}));

    // The press ended: a release reports nothing to the plot.
    p->SetEnabled(true);
    Owner.Log.clear();
    p->kMouseUp(mbLeft, {}, 20, 30, 0, 0, false, nullptr);
    EXPECT_TRUE(Owner.Log.empty());
    // A disabled object ignores presses.
    p->SetEnabled(false);
    p->kMouseDown(mbLeft, {}, 20, 30);
    EXPECT_EQ(p->Calls, (std::vector<String>{"left", "up"}));
    EXPECT_TRUE(Owner.Log.empty());
}

TEST_F(PlotObjectTest, MouseEntryPoints)
{
    TProbe* p = Probe();
    TOwned<TPopupMenu> menu(Create<TPopupMenu>(nullptr));

    p->kMouseDown(mbLeft, {}, 20, 30);  // inside DrawRect (10,20)-(110,60)
    p->kMouseMove(*std::make_unique<TkPlotHintData>(), {}, 25, 35, false);
    p->kMouseUp(mbLeft, {}, 25, 35, 500, 600, true, menu.get());
    EXPECT_EQ(p->Calls, (std::vector<String>{"left", "move", "up"}));
    EXPECT_TRUE(p->Last.DblClickActive);
    EXPECT_EQ(Owner.Log, (std::vector<String>{"mouse down Probe 20,30", "mouse move Probe", "mouse up Probe"}));

    // Outside the object: its operations run, the plot hears nothing; a
    // hint is asked while no button is down.
    Owner.Log.clear();
    p->Calls.clear();
    TkPlotHintData hint;
    p->kMouseMove(hint, {}, 110, 60, false);
    EXPECT_EQ(p->Calls, (std::vector<String>{"hint"}));
    EXPECT_EQ(hint.Text, "probe");
    EXPECT_TRUE(Owner.Log.empty());
    EXPECT_FALSE(p->HitTest(110, 59));
    EXPECT_TRUE(p->HitTest(10, 20));

    // A right press asks the plot before the popup; a cancel keeps it shut.
    p->kMouseDown(mbRight, {}, 20, 30);
    Owner.CancelPopup = true;
    p->kMouseUp(mbRight, {}, 20, 30, 500, 600, false, menu.get());
    EXPECT_EQ(Owner.Log[1], "popup Probe 500,600");
    EXPECT_EQ(Owner.Log.back(), "mouse up Probe");
    // A middle press is neither left nor right.
    p->Calls.clear();
    p->kMouseDown(mbMiddle, {}, 20, 30);
    EXPECT_TRUE(p->Calls.empty());

    // With the axes exchanged, the axis pixels are exchanged too.
    p->SetXYAxesReversed(true);
    p->kMouseDown(mbLeft, {}, 20, 30);
    EXPECT_EQ(p->Last.X, 20);
    EXPECT_EQ(p->Last.XAxisPixels, 30);
    EXPECT_EQ(p->Last.YAxisPixels, 20);
    EXPECT_EQ(p->Last.ScreenX, 0);
}

TEST_F(PlotObjectTest, DragClearsThePendingPopupAndHandlersMayFreeTheObject)
{
    TProbe* p = NewProbe();
    TOwned<TPopupMenu> menu(Create<TPopupMenu>(nullptr));
    p->kMouseDown(mbRight, {}, 20, 30);
    p->ClearMouseDownPopup();
    p->kMouseUp(mbRight, {}, 20, 30, 0, 0, false, menu.get());
    EXPECT_EQ(Owner.Log, (std::vector<String>{"mouse down Probe 20,30", "mouse up Probe"}));

    // The plot's popup handler frees the object: nothing runs on it after.
    struct TFreeingOwner : TStandInPlot {
        TFreeingOwner() : TStandInPlot(AsPlotLoggingInput) {}
        void Fire(const TkPlotEvent& Event) override
        {
            if (const auto* popup = std::get_if<PlotEvent::PopupMenu>(&Event))
                popup->Object->Free();
            else
                TStandInPlot::Fire(Event);
        }
    } freeing;
    auto* q = Create<TProbe>(&freeing);
    q->SetDrawRect(Rect(0, 0, 10, 10));
    q->kMouseDown(mbRight, {}, 1, 1);
    q->kMouseUp(mbRight, {}, 1, 1, 0, 0, false, menu.get());  // ASan checks the rest
    p->Free();
}

TEST_F(PlotObjectTest, KeyboardPopup)
{
    TProbe* p = Probe();
    TOwned<TPopupMenu> menu(Create<TPopupMenu>(nullptr));
    Word key = VK_F10;
    p->kKeyDown(key, {}, menu.get());
    EXPECT_TRUE(Owner.Log.empty());
    p->kKeyDown(key, {ssShift}, menu.get());
    key = VK_APPS;
    p->kKeyDown(key, {}, menu.get());
    EXPECT_EQ(Owner.Log, (std::vector<String>{"popup Probe 0,0", "popup Probe 0,0"}));

    p->SetPopupEnabled(false);
    p->kKeyDown(key, {}, menu.get());
    EXPECT_EQ(Owner.Log.size(), 2u);

    TPoint centre;
    p->SetDrawRect(Rect(-3, 0, 0, 5));
    ASSERT_TRUE(p->GetPopupCentre(centre));
    EXPECT_EQ(centre, Point(-1, 2));  // truncated toward zero
    p->SetDrawRect(Rect(2147483600, 0, 2147483646, 0));
    ASSERT_TRUE(p->GetPopupCentre(centre));
    EXPECT_EQ(centre.X, 2147483623);

    // Objects outside the layout have no keyboard popup.
    TOwned<TkPlotObject> plain(Create<TkPlotObject>(&Owner));
    p->SetPopupEnabled(true);
    plain->kKeyDown(key, {}, menu.get());
    EXPECT_EQ(Owner.Log.size(), 2u);
}

TEST_F(PlotObjectTest, MouseOverObjectNeverDangles)
{
    TProbe* p = Probe();
    EXPECT_EQ(p->GetMouseCursor({}), crDefault);
    EXPECT_EQ(p->MouseOverObject(), p);

    struct TEntry : TkPlotObject {
        using TkPlotObject::TkPlotObject;
        TCursor GetMouseCursor(TPoint) override { return crHandPoint; }
    };
    // A legend answers with the channel whose entry is under the mouse.
    struct TLegendLike : TkPlotObject {
        using TkPlotObject::TkPlotObject;
        TkPlotObject* Entry = nullptr;
        TkPlotObject* GetObjectAtPoint(TPoint) override
        {
            SetMouseOverObject(Entry);
            return Entry;
        }
    };
    TOwned<TLegendLike> legend(Create<TLegendLike>(&Owner));
    auto* channel = Create<TEntry>(&Owner);
    legend->Entry = channel;
    EXPECT_EQ(legend->GetObjectAtPoint({}), channel);
    EXPECT_EQ(legend->GetMouseCursor({}), crHandPoint);

    // A freed object is never followed.
    channel->Free();
    EXPECT_EQ(legend->MouseOverObject(), nullptr);
    EXPECT_EQ(legend->GetMouseCursor({}), crDefault);
}

TEST_F(PlotObjectTest, EditMenuItem)
{
    TProbe* p = Probe();
    TOwned<TPopupMenu> menu(Create<TPopupMenu>(nullptr));
    TFakeMaster master;  // a translation table for the caption
    Owner.Table = master.Translations;
    const Integer i = master.Translations->Add();
    master.Translations->GetItem(i)->SetOriginalString("Edit...");
    master.Translations->GetItem(i)->SetReplacementString("Modifier...");

    p->AddEditMenuItem(menu.get());
    ASSERT_EQ(menu->Items()->Count(), 1);
    EXPECT_EQ(menu->Items()->Items(0)->Caption(), "Modifier...");
    menu->Items()->Items(0)->Click();
    EXPECT_EQ(Hooks, (std::vector<String>{"edit"}));

    // BuildPopupMenu empties the menu; without UserCanEdit no item is added.
    p->BuildPopupMenu(menu.get());
    EXPECT_EQ(menu->Items()->Count(), 0);
    p->SetUserCanEdit(false);
    p->AddEditMenuItem(menu.get());
    EXPECT_EQ(menu->Items()->Count(), 0);

    // An item that outlives its object does nothing.
    TProbe* q = NewProbe();
    q->AddEditMenuItem(menu.get());
    q->Free();
    Hooks.clear();
    menu->Items()->Items(0)->Click();
    EXPECT_TRUE(Hooks.empty());
    Owner.Table = nullptr;
}

TEST_F(PlotObjectTest, WheelEntryPoint)
{
    TProbe* p = Probe();
    EXPECT_FALSE(p->kMouseWheel(120, {}, Point(1, 2)));
    EXPECT_EQ(Owner.Log, (std::vector<String>{"wheel Probe 120"}));
}

TEST_F(PlotObjectTest, AButtonIsAPartOfItsObjectAndReportsNothingToThePlot)
{
    auto* button = Create<TkPlotButton>(&Owner);
    button->SetName("Scroll");
    button->SetEnabled(false);
    button->SetUserSelected(true);
    button->DoInsert();
    button->Free();
    EXPECT_TRUE(Hooks.empty());
}
