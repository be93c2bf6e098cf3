#include <gtest/gtest.h>

#include <algorithm>

#include "tests/plot/kPlotObjectsTestDoubles.h"
#include "support/MessageOf.h"

using namespace PlotTest;

namespace {

class PlotManagersTest : public ::testing::Test {
protected:
    TFakeMaster Master;
    std::vector<String>& Log = Master.Owner.Log;

    TFakeChannel* AddChannel() { return Master.Add(Master.Channels); }
    TFakeChannel* NamedChannel(const String& Name)
    {
        auto* channel = static_cast<TFakeChannel*>(Master.Channels->CreateObject());
        channel->SetName(Name);
        channel->DoInsert();
        return channel;
    }
    std::vector<String> Names(const TkPlotObjectManagerCustom& Manager) const
    {
        std::vector<String> names;
        for (Integer i = 0; i < Manager.Count(); ++i) names.push_back(Manager.GetItem(i)->Name());
        return names;
    }
};

}  // namespace

TEST_F(PlotManagersTest, NewNamesCountUpFromTheHighestNumber)
{
    EXPECT_EQ(AddChannel()->Name(), "Channel 1");
    EXPECT_EQ(AddChannel()->Name(), "Channel 2");
    EXPECT_EQ(AddChannel()->Name(), "Channel 3");
    Master.Channels->GetItem(1)->SetName("Signal");
    EXPECT_EQ(Master.Channels->GetNextName(), "Channel 4");  // the gap is not reused
    Master.Channels->GetItem(2)->Free();
    EXPECT_EQ(Master.Channels->GetNextName(), "Channel 2");

    // Tails that are no number are skipped; case and blanks do not matter.
    NamedChannel("Channel x");
    NamedChannel("Channel");
    NamedChannel("channel 7");
    EXPECT_EQ(Master.Channels->GetNextName(), "Channel 8");
    NamedChannel("CHANNEL9");
    NamedChannel("Channel -20");
    NamedChannel("Channel 3000000000");  // beyond 32 bits: no number
    EXPECT_EQ(Master.Channels->GetNextName(), "Channel 10");
    NamedChannel("Channel 2147483647");
    EXPECT_EQ(Master.Channels->GetNextName(), "Channel 2147483648");

    EXPECT_EQ(Master.Add(Master.XAxes)->Name(), "X-Axis 1");
    EXPECT_EQ(Master.Add(Master.DataViews)->Name(), "Data View 1");
    EXPECT_EQ(Master.Add(Master.Cursors)->Name(), "Cursor 1");
    EXPECT_EQ(Master.Add(Master.Limits)->Name(), "Limit 1");
    EXPECT_EQ(Master.Add(Master.Annotations)->Name(), "");  // annotations stay unnamed
    EXPECT_EQ(Master.All->GetBaseName(), "n/a");
}

TEST_F(PlotManagersTest, LookupIgnoresCase)
{
    AddChannel();
    AddChannel();
    NamedChannel("Température");
    EXPECT_EQ(Master.Channels->GetIndexByName("CHANNEL 2"), 1);
    EXPECT_EQ(Master.Channels->GetObjectByName("channel 1"), Master.Channels->GetItem(0));
    EXPECT_EQ(Master.Channels->GetIndexByName("TEMPÉRATURE"), 2);
    EXPECT_EQ(Master.Channels->GetIndexByName("Channel 9"), -1);
    EXPECT_EQ(Master.Channels->GetObjectByName(""), nullptr);
    // Duplicates are allowed; the first one listed answers, also when it
    // took the name last, and the next one once it gave the name up.
    NamedChannel("channel 2");
    EXPECT_EQ(Master.Channels->GetIndexByName("Channel 2"), 1);
    Master.Channels->GetItem(0)->SetName("CHANNEL 2");
    EXPECT_EQ(Master.Channels->GetIndexByName("Channel 2"), 0);
    Master.Channels->GetItem(0)->SetName("Channel 1");
    EXPECT_EQ(Master.Channels->GetIndexByName("Channel 2"), 1);
    EXPECT_EQ(Master.All->GetObjectByName("channel 1"), Master.Channels->GetItem(0));
    EXPECT_THROW(Master.Channels->GetItem(4), EListError);
    EXPECT_THROW(Master.Channels->GetItem(-1), EListError);
    EXPECT_EQ(Master.All->Count(), 4);
}

TEST_F(PlotManagersTest, ChannelColoursFollowThePalette)
{
    EXPECT_EQ(ChannelColorPalette[0], 0x0000FF);
    EXPECT_EQ(ChannelColorPalette[1], 0x00FFFF);
    EXPECT_EQ(ChannelColorPalette[2], 0xFF0000);
    EXPECT_EQ(ChannelColorPalette[29], 0x80FF80);

    std::vector<TColor> colours;
    for (Integer i = 0; i < 32; ++i) colours.push_back(AddChannel()->Color());
    // Red, then yellow (red counts twice), blue, fuchsia, aqua, lime, white...
    EXPECT_EQ(std::vector<TColor>(colours.begin(), colours.begin() + 8),
              (std::vector<TColor>{0x0000FF, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x00FF00, 0xFFFFFF, 0x000080}));
    for (std::size_t i = 2; i < 30; ++i) EXPECT_EQ(colours[i], ChannelColorPalette[i]) << i;
    // Every colour used once, red twice: the least used start again after red.
    EXPECT_EQ(colours[30], 0x00FFFF);
    EXPECT_EQ(colours[31], 0xFF0000);
    EXPECT_EQ(Master.Channels->GetItem(0)->TitleText(), "Channel 1");
}

TEST_F(PlotManagersTest, NextChannelColourCountsOnlyPaletteColours)
{
    EXPECT_EQ(NextChannelColor({}), 0x0000FF);
    EXPECT_EQ(NextChannelColor(std::vector<TColor>{0x123456}), 0x0000FF);
    // Colours outside the palette count for nothing.
    EXPECT_EQ(NextChannelColor(std::vector<TColor>{0x123456, 0x654321}), 0x0000FF);
    EXPECT_EQ(NextChannelColor(std::vector<TColor>{0x0000FF, 0x00FFFF, 0x0000FF}), 0xFF0000);
}

TEST_F(PlotManagersTest, ThePaletteCountsEachChannelColourExactly)
{
    const auto palette = CountChannelColors(std::vector<TColor>{0xFF0000, 0x123456, 0xFF0000, 0x80FF80, 0xFE0000});
    Integer counted = 0;
    for (const TkColorCountObject& entry : palette) counted += entry.Count;
    EXPECT_EQ(counted, 3);
    EXPECT_EQ(palette[2].Color, 0xFF0000);
    EXPECT_EQ(palette[2].Count, 2);
    EXPECT_EQ(palette[29].Count, 1);
}

TEST_F(PlotManagersTest, DefaultsOfEachKind)
{
    // Without axes a channel stays unbound; a cursor without channel has none.
    TFakeChannel* lonely = AddChannel();
    EXPECT_EQ(lonely->XAxisName(), "");
    Master.Channels->GetItem(0)->Free();
    auto* cursor0 = Master.Add(Master.Cursors);
    EXPECT_EQ(cursor0->ChannelName, "");
    EXPECT_EQ(cursor0->DataView, nullptr);

    auto* x = Master.Add(Master.XAxes);
    auto* y = Master.Add(Master.YAxes);
    EXPECT_EQ(x->Title(), "X-Axis 1");
    EXPECT_EQ(y->Title(), "Y-Axis 1");
    x->SetName("Time");
    TFakeChannel* channel = AddChannel();
    EXPECT_EQ(channel->XAxisName(), "Time");
    EXPECT_EQ(channel->YAxisName(), "Y-Axis 1");
    auto* view = Master.Add(Master.DataViews);
    EXPECT_EQ(view->GridXAxisName, "Time");
    EXPECT_EQ(view->GridYAxisName, "Y-Axis 1");
    auto* cursor = Master.Add(Master.Cursors);
    EXPECT_EQ(cursor->DataView, view);
    EXPECT_EQ(cursor->ChannelName, channel->Name());
    auto* limit = Master.Add(Master.Limits);
    EXPECT_EQ(limit->XAxisName, "Time");
    EXPECT_EQ(limit->YAxisName, "Y-Axis 1");
    auto* label = Master.Add(Master.Labels);
    EXPECT_EQ(label->Caption, "Label 1");

    // An object that arrives named keeps its settings.
    TFakeChannel* named = NamedChannel("Signal");
    EXPECT_EQ(named->TitleText(), "");
    EXPECT_EQ(named->XAxisName(), "");
    EXPECT_EQ(named->Color(), 0x0000FF);
}

TEST_F(PlotManagersTest, ManagersListOnlyTheirKind)
{
    auto* x = Master.Add(Master.XAxes);
    EXPECT_EQ(Master.Channels->Count(), 0);
    Master.Channels->NotificationInsert(x);
    Master.Channels->NotificationInsert(nullptr);
    EXPECT_EQ(Master.Channels->Count(), 0);
    EXPECT_EQ(Master.All->Count(), 1);
    // Listing twice keeps one entry.
    Master.XAxes->InsertObject(x);
    EXPECT_EQ(Master.XAxes->Count(), 1);
    EXPECT_EQ(Master.XAxes->GetIndex(x), 0);
}

TEST_F(PlotManagersTest, InsertionIsNamedBeforeTheReportMovesOn)
{
    AddChannel();
    // The typed manager named the object before the master's report moved on.
    EXPECT_EQ(Log, (std::vector<String>{"rename  to Channel 1", "insert Channel 1"}));
    EXPECT_EQ(Master.All->GetItem(0)->Name(), "Channel 1");
}

TEST_F(PlotManagersTest, RemovalLeavesTheListsAndTheNames)
{
    auto* x1 = Master.Add(Master.XAxes);
    Master.Add(Master.XAxes);
    AddChannel();
    Master.Add(Master.Annotations)->SetName("Note");
    Log.clear();
    const Integer changes = Master.Changes;

    x1->Free();
    EXPECT_EQ(Log, (std::vector<String>{"remove X-Axis 1"}));
    EXPECT_EQ(Names(*Master.XAxes), (std::vector<String>{"X-Axis 2"}));
    EXPECT_EQ(Master.XAxes->GetObjectByName("X-Axis 1"), nullptr);
    EXPECT_EQ(Master.All->Count(), 3);
    // Removal from each list reports a change; the object's own end too.
    EXPECT_GE(Master.Changes - changes, 3);
}

TEST_F(PlotManagersTest, RenameReachesTheNamesOfItsKind)
{
    AddChannel();
    auto* x = Master.Add(Master.XAxes);
    Log.clear();
    x->SetName("Time");
    EXPECT_EQ(Log, (std::vector<String>{"rename X-Axis 1 to Time"}));
    EXPECT_EQ(Master.XAxes->GetObjectByName("time"), x);
    EXPECT_EQ(Master.XAxes->GetObjectByName("X-Axis 1"), nullptr);
    EXPECT_EQ(Master.Channels->GetObjectByName("Time"), nullptr);
}

TEST_F(PlotManagersTest, ClearFreesEachObjectOnceEvenWhenHandlersFreeOthers)
{
    // A channel that frees the next channel when it hears of a removal.
    for (int i = 0; i < 4; ++i) AddChannel();
    TFakeChannel* victim = Master.Channels->GetItem(3);
    struct TFreeOnRemoval {
        TFakeChannel* Victim;
        TkPlotChannelManagerOf<TFakeChannel>* Channels;
    } state{victim, Master.Channels};
    Master.OnChange = [&state] {
        if (state.Victim && state.Channels->GetIndex(state.Victim) >= 0) {
            TFakeChannel* v = state.Victim;
            state.Victim = nullptr;
            v->Free();
        }
    };
    Master.Channels->Clear();  // ASan reports a double free
    EXPECT_EQ(Master.Channels->Count(), 0);
    EXPECT_EQ(Master.All->Count(), 0);
    EXPECT_EQ(state.Victim, nullptr);
}

TEST_F(PlotManagersTest, ClearAfterShutDownEmptiesTheListSilently)
{
    AddChannel();
    AddChannel();
    Master.Add(Master.XAxes);
    Master.All->ShutDownSetup();
    Log.clear();
    Master.Channels->Clear();
    EXPECT_EQ(Master.Channels->Count(), 0);
    EXPECT_TRUE(Log.empty());
    // The all-objects list still names the freed channels: the plot is
    // torn down right after, and only the layout axis is left to free.
    Master.XAxes->Clear();
    EXPECT_EQ(Master.XAxes->Count(), 0);
    while (Master.All->Count() > 0) Master.All->Delete(0);
}

TEST_F(PlotManagersTest, ConstructorChecksTheOwner)
{
    auto fails = [](auto make, const char* message) { EXPECT_EQ(MessageOf(make), message); };
    using M = TkPlotChannelManagerOf<TFakeChannel>;
    fails([&] { Create<M>(nullptr); }, "Owner must be Assigned");
    fails([&] { Master.All->CreateObject(); }, "Object Manager does not support creation of objects");
}

TEST_F(PlotManagersTest, AManagerReportsTheChangesOfItsListAndNotItsOwnComingAndGoing)
{
    TStandInPlot owner;
    TReportLog reports;
    owner.ReportTo(&reports);
    auto* manager = Create<TkPlotLabelManagerOf<TFakeLabel>>(&owner);
    manager->DoChange();
    manager->Free();
    // The master manager that makes a manager keeps it, and forgets it as
    // it frees it.
    EXPECT_EQ(reports.Log, (std::vector<String>{"change"}));
}

namespace {

// An axis whose press frees another object (as a user handler may).
class TFreeingAxis : public TFakeXAxis {
public:
    using TFakeXAxis::TFakeXAxis;
    TkPlotObject* Victim = nullptr;

protected:
    void DoMouseLeft(const TkPlotMouseData&) override
    {
        if (Victim) std::exchange(Victim, nullptr)->Free();
    }
};

}  // namespace

TEST_F(PlotManagersTest, FocusForwardersReachSelectedObjectsOnly)
{
    auto* a = Master.Add(Master.XAxes);
    auto* b = Master.Add(Master.XAxes);
    auto* c = Master.Add(Master.XAxes);
    for (auto* axis : {a, b, c}) axis->SetDrawRect(Rect(0, 0, 100, 100));
    a->SetUserSelected(true);
    c->SetUserSelected(true);
    Log.clear();
    Master.All->MouseDownFocusObjects(mbLeft, {ssShift}, 5, 6);
    EXPECT_EQ(Log, (std::vector<String>{"mouse down X-Axis 1 5,6", "mouse down X-Axis 3 5,6"}));
    Log.clear();
    EXPECT_FALSE(Master.All->MouseWheelFocusObjects(120, {}, Point(5, 6)));
    EXPECT_EQ(Log, (std::vector<String>{"wheel X-Axis 1 120", "wheel X-Axis 3 120"}));

    Master.All->SetShiftState({ssCtrl});
    EXPECT_EQ(b->ShiftState(), TShiftState{ssCtrl});

    Master.All->ClearAllUserSelections();
    for (Integer i = 0; i < Master.All->Count(); ++i) EXPECT_FALSE(Master.All->GetItem(i)->UserSelected());
}

TEST_F(PlotManagersTest, ForwardersSkipObjectsFreedOnTheWay)
{
    auto* a = Master.Add(Master.XAxes);
    auto* d = Create<TFreeingAxis>(&Master.Owner);
    d->DoInsert();
    auto* c = Master.Add(Master.XAxes);
    for (TkPlotLayoutObject* axis : std::initializer_list<TkPlotLayoutObject*>{a, d, c}) {
        axis->SetDrawRect(Rect(0, 0, 100, 100));
        axis->SetUserSelected(true);
    }
    d->Victim = c;
    Log.clear();
    Master.All->MouseDownFocusObjects(mbLeft, {}, 1, 1);
    EXPECT_EQ(Master.XAxes->GetIndex(c), -1);
    EXPECT_NE(std::find(Log.begin(), Log.end(), "mouse down X-Axis 2 1,1"), Log.end());
    EXPECT_EQ(std::find(Log.begin(), Log.end(), "mouse down X-Axis 3 1,1"), Log.end());
}

// --- form stream -------------------------------------------------------------

namespace {

class PlotManagersStreamTest : public ::testing::Test {
protected:
    std::vector<TFakePlotRoot*> FRoots;
    ~PlotManagersStreamTest() override
    {
        for (auto* root : FRoots) root->Free();
    }
    TFakePlotRoot* NewRoot()
    {
        FRoots.push_back(Create<TFakePlotRoot>(nullptr));
        FRoots.back()->SetName("Plot1");
        return FRoots.back();
    }
};

}  // namespace

TEST_F(PlotManagersStreamTest, CollectionsRoundTrip)
{
    TFakePlotRoot* root = NewRoot();
    TFakeMaster& m = *root->Master;
    EXPECT_EQ(WriteComponent(root).find("Manager"), String::npos);  // empty managers write nothing

    auto* x = m.Add(m.XAxes);
    x->SetHorizontal(true);
    x->SetStartPercent(12.5);
    auto* c1 = m.Add(m.Channels);
    auto* c2 = m.Add(m.Channels);
    c2->SetName("Signal 'é'");
    c2->SetVisible(false);
    c2->SetLayer(7);
    c2->SetOffset(-2.5e-7);
    c1->SetTitleText("line 1\r\nline 2\ttab");
    const String text = WriteComponent(root);
    EXPECT_NE(text.find("ChannelManager = <"), String::npos) << text;
    EXPECT_NE(text.find("XAxisManager = <"), String::npos);

    TFakePlotRoot* copy = NewRoot();
    TFakeMaster& n = *copy->Master;
    ReadComponent(text, copy);
    ASSERT_EQ(n.Channels->Count(), 2);
    ASSERT_EQ(n.XAxes->Count(), 1);
    for (Integer i = 0; i < 2; ++i) {
        TFakeChannel* a = m.Channels->GetItem(i);
        TFakeChannel* b = n.Channels->GetItem(i);
        EXPECT_EQ(b->Name(), a->Name());
        EXPECT_EQ(b->TitleText(), a->TitleText());
        EXPECT_EQ(b->Color(), a->Color());
        EXPECT_EQ(b->XAxisName(), a->XAxisName());
        EXPECT_EQ(b->Visible(), a->Visible());
        EXPECT_EQ(b->Layer(), a->Layer());
        EXPECT_EQ(b->Offset(), a->Offset());
    }
    EXPECT_TRUE(n.XAxes->GetItem(0)->Horizontal());
    EXPECT_EQ(n.XAxes->GetItem(0)->StartPercent(), 12.5);
    EXPECT_EQ(n.XAxes->GetItem(0)->Title(), "X-Axis 1");
    EXPECT_EQ(n.All->Count(), 3);
    EXPECT_EQ(WriteComponent(copy), text);
}

TEST_F(PlotManagersStreamTest, ReadingReplacesTheObjects)
{
    TFakePlotRoot* source = NewRoot();
    source->Master->Add(source->Master->Channels)->SetName("Loaded");
    const String text = WriteComponent(source);

    TFakePlotRoot* target = NewRoot();
    TFakeMaster& m = *target->Master;
    m.Add(m.Channels);
    m.Add(m.Channels);
    ReadComponent(text, target);
    EXPECT_EQ(m.Channels->Count(), 1);
    EXPECT_EQ(m.Channels->GetItem(0)->Name(), "Loaded");
    EXPECT_EQ(m.All->Count(), 1);
}

TEST_F(PlotManagersStreamTest, BadCollectionsKeepWhatWasThere)
{
    TFakePlotRoot* root = NewRoot();
    TFakeMaster& m = *root->Master;
    m.Add(m.Channels)->SetName("Kept");
    const auto readFails = [&](const String& collection) {
        const String text = "object Plot1: TFakePlotRoot\n  ChannelManager = " + collection + "\nend\n";
        // The reader's errors, EReadError or EConvertError, name the line.
        const String message = MessageOf<EReadError, EConvertError>([&] { ReadComponent(text, root); });
        EXPECT_NE(message.find("ligne"), String::npos) << message << " for " << collection;
        ASSERT_EQ(m.Channels->Count(), 1) << collection;
        EXPECT_EQ(m.Channels->GetItem(0)->Name(), "Kept");
        EXPECT_EQ(m.All->Count(), 1);
    };
    readFails("<\n item\n Name = 'A'\n end\n item\n Bogus = 1\n end>");
    readFails("<\n item\n Name = 'A'\n Color = 'red'\n end>");
    readFails("<\n item\n Name = 'A'\n end");
    readFails("<\n item\n Name = 'A'\n Layer = 99999999999\n end>");
    readFails("<\n item\n Name = 'A'\n Visible = 3\n end>");
    for (std::size_t n = 1; n < 37; n += 3)
        EXPECT_THROW(ReadComponent(String("object Plot1: TFakePlotRoot\n  ChannelManager = <\n item\n Name = "
                                          "'A'\n end>\nend\n")
                                       .substr(0, 40 + n),
                                   root),
                     EReadError);
    EXPECT_EQ(m.Channels->GetItem(0)->Name(), "Kept");

    // Another kind of value is skipped; a collection item without fields
    // gets the defaults of a new object.
    ReadComponent("object Plot1: TFakePlotRoot\n  ChannelManager = 5\nend\n", root);
    EXPECT_EQ(m.Channels->GetItem(0)->Name(), "Kept");
    ReadComponent("object Plot1: TFakePlotRoot\n  ChannelManager = <\n item\n end>\nend\n", root);
    ASSERT_EQ(m.Channels->Count(), 1);
    EXPECT_EQ(m.Channels->GetItem(0)->Name(), "Channel 1");
}
