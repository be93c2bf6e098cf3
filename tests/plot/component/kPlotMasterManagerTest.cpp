#include <gtest/gtest.h>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/objects/kPlotEditorSession.h"
#include "tests/plot/kPlotObjectsTestDoubles.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/Testing.h"

using namespace PlotTest;

namespace {

String KindText(TkPlotObjectKind Kind) { return IntToStr(static_cast<Integer>(Kind)); }

// The kinds the doubles lack, and the operations the master manager calls.
class TToolBarDouble : public TOfKind<TkPlotLayoutObject, kpokToolBar> {
public:
    using TOfKind::TOfKind;
};
class TLegendDouble : public TOfKind<TkPlotLayoutObject, kpokLegend> {
public:
    using TOfKind::TOfKind;
};
class TTableDouble : public TOfKind<TkPlotLayoutObject, kpokTable> {
public:
    using TOfKind::TOfKind;
};
class TChannelDouble : public TFakeChannel {
public:
    using TFakeChannel::TFakeChannel;
    void Clear() { OwnerOf(*this).Log.push_back("clear " + Name()); }
};
template <class Axis>
class TAligningAxis : public Axis {
public:
    using Axis::Axis;
    void ResetFirstAlign() { OwnerOf(*this).Log.push_back("align " + this->Name()); }
};

struct TestKinds {
    using ToolBar = TToolBarDouble;
    using Legend = TLegendDouble;
    using Table = TTableDouble;
    using XAxis = TAligningAxis<TFakeXAxis>;
    using YAxis = TAligningAxis<TFakeYAxis>;
    using Channel = TChannelDouble;
    using DataView = TFakeDataView;
    using DataCursor = TFakeCursor;
    using Limit = TFakeLimit;
    using Label = TFakeLabel;
    using Annotation = TFakeAnnotation;
};
using TMaster = TkPlotMasterManagerOf<TestKinds>;

// A plot component as the master manager and its editor dialog see it.
class TPlotDouble : public TkPlotEditorHost, public TStandInPlot {
public:
    TPlotDouble() : TStandInPlot(AsPlotLoggingInput, this) {}

    TkPlotFormStyle Style = kpfsModal;
    bool Logging = false;
    TkComponent* PlotComponent() override { return nullptr; }
    TkPlotFormStyle EditorFormStyle() const override { return Style; }
    bool LoggingActive() const override { return Logging; }
};

// What an editor did, kept beyond its end.
struct TEditorRecord {
    std::vector<String> Log;
    TkPlotEditorPageIndexes Pages;
    bool Alive = false;
    bool ForgottenBeforeEnd = false;
    bool FailWrite = false;
    // Run while the dialog ends (the plot's after-close event).
    std::function<void()> OnEnd;
};

class TEditorDouble : public TForm, public TkPlotEditorFormLink {
    PL_CLASSINFO()
public:
    TEditorDouble(TComponent* AOwner, TkPlotMasterManagerCustom* AMaster, TEditorRecord* ARecord)
        : TForm(AOwner), Master(AMaster), Record(ARecord)
    {
        Record->Alive = true;
    }
    void BeforeDestruction() override
    {
        Record->ForgottenBeforeEnd = Master->Editor().Form() != this;
        if (Record->OnEnd) Record->OnEnd();
        Record->Alive = false;
        TForm::BeforeDestruction();
    }

    TCustomForm* Form() override { return this; }
    bool IsClosing() const override { return Closing; }
    void SetClosing() override { Closing = true; }
    void LoadObjects() override { Record->Log.push_back("load objects"); }
    void UpdateAll() override { Record->Log.push_back("update all"); }
    void ObjectAdded(TkPlotObjectKind Kind, TkPlotObject* AObject) override
    {
        Record->Log.push_back("added " + KindText(Kind) + " " + AObject->Name());
    }
    void ObjectRemoved(TkPlotObjectKind Kind, TkPlotObject* AObject) override
    {
        Record->Log.push_back("removed " + KindText(Kind) + " " + AObject->Name());
    }
    void ObjectRenamed(TkPlotObjectKind Kind, TkPlotObject* AObject) override
    {
        Record->Log.push_back("renamed " + KindText(Kind) + " " + AObject->NameOld() + " " + AObject->Name());
    }
    void ShowObject(TkPlotObjectKind Kind, TkPlotObject* AObject) override
    {
        Record->Log.push_back("show " + KindText(Kind) + " " + AObject->Name());
    }
    void LoadGeneralPages() override { Record->Log.push_back("load general"); }
    void WriteGeneralPages() override
    {
        Record->Log.push_back("write general");
        if (Record->FailWrite) throw Exception("refused");
    }
    void EnableLogControls(bool LoggingActive) override
    {
        Record->Log.push_back(LoggingActive ? "log controls off" : "log controls on");
    }
    TkPlotEditorPageIndexes PageIndexes() const override { return Record->Pages; }
    void SetPageIndexes(const TkPlotEditorPageIndexes& Value) override { Record->Pages = Value; }

private:
    TkPlotMasterManagerCustom* Master;
    TEditorRecord* Record;
    bool Closing = false;
};

TClass TEditorDouble::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TEditorDouble, TForm>("TEditorDouble").Build();
    return &info;
}

// The master manager of a plot double, and what it passes on to the plot.
class MasterManagerTest : public ::testing::Test, public TkPlotMasterListener {
protected:
    TPlotDouble Plot;
    TMaster* Master = Create<TMaster>(&Plot, [this](TkPlotReportHost& Reports) { Plot.ReportTo(&Reports); });
    std::vector<String>& Log = Plot.Log;
    Integer InvalidateNow = 0;
    Integer Changes = 0;
    TObject* ChangeSender = nullptr;
    std::function<void(TObject*)> OnAdd;
    std::function<void(TObject*)> OnRemove;

    MasterManagerTest()
    {
        Plot.Table = Master->TranslationManager();
        Master->SetListener(this);
        Log.clear();
    }

    void ObjectAdded(TkPlotObject& Object) override
    {
        if (OnAdd) OnAdd(&Object);
    }
    void MemberRemoving(TObject& Member) override
    {
        if (auto* object = dynamic_cast<TkPlotObject*>(&Member)) Log.push_back("plot remove " + object->Name());
        if (OnRemove) OnRemove(&Member);
    }
    void ObjectsChanged(TObject& Sender) override
    {
        ++Changes;
        ChangeSender = &Sender;
    }
    void RepaintNow() override { ++InvalidateNow; }
    ~MasterManagerTest() override
    {
        OnAdd = nullptr;
        OnRemove = nullptr;
        Plot.Table = nullptr;
        Free(Master);
        SetPlotEditorFormMaker(nullptr);
    }

    // Every manager's index of the object, all-objects and layout first.
    std::vector<Integer> Listings(TkPlotObject* AObject) const
    {
        std::vector<Integer> result{Master->PlotObjectManager()->GetIndex(AObject),
                                    Master->LayoutManager()->GetIndex(AObject)};
        for (Integer kind = 0; kind < kpokNone; ++kind)
            result.push_back(Master->Manager(static_cast<TkPlotObjectKind>(kind))->GetIndex(AObject));
        return result;
    }
    bool ListedAnywhere(TkPlotObject* AObject) const
    {
        for (Integer index : Listings(AObject))
            if (index >= 0) return true;
        return false;
    }

    TEditorRecord Editor;
    void UseEditor()
    {
        SetPlotEditorFormMaker([this](TComponent* Owner, TkPlotMasterManagerCustom* M) {
            return Create<TEditorDouble>(Owner, M, &Editor);
        });
    }
    TEditorDouble* OpenStayOnTop()
    {
        UseEditor();
        Plot.Style = kpfsStayOnTop;
        Master->EditProperties();
        return static_cast<TEditorDouble*>(Master->Editor().Form());
    }
};

// --- construction ---------------------------------------------------------------

TEST_F(MasterManagerTest, KeepsEveryManagerItHearsOf)
{
    EXPECT_NE(Master->PlotObjectManager(), nullptr);
    EXPECT_NE(Master->LayoutManager(), nullptr);
    EXPECT_NE(Master->TranslationManager(), nullptr);
    for (Integer kind = 0; kind < kpokNone; ++kind)
        EXPECT_NE(Master->Manager(static_cast<TkPlotObjectKind>(kind)), nullptr) << kind;
    EXPECT_NE(Master->KindManager<kpokXAxis>(), nullptr);
    EXPECT_NE(Master->KindManager<kpokAnnotation>(), nullptr);
    EXPECT_TRUE(Master->UserCanEditObjects());
    // The layout placeholders are plot objects of no kind.
    EXPECT_EQ(Master->PlotObjectManager()->Count(), 2);
    EXPECT_EQ(Master->ObjectKind(Master->LayoutManager()->DataViewHorz()), kpokNone);
}

// --- adding ------------------------------------------------------------------------

TEST_F(MasterManagerTest, AddsOneObjectOfEachKind)
{
    // In the order of the kinds, the axes, the channel and the data view come
    // before the cursor that follows them.
    for (TkPlotObjectKind kind : PlotAllKinds) EXPECT_EQ(Master->Add(kind), 0);
    EXPECT_EQ(Master->Add(kpokXAxis), 1);

    TChannelDouble* channel = Master->KindManager<kpokChannel>()->GetItem(0);
    EXPECT_EQ(channel->Name(), "Channel 1");
    EXPECT_EQ(channel->Color(), 0x0000FF);
    EXPECT_EQ(channel->XAxisName(), "X-Axis 1");
    EXPECT_EQ(channel->YAxisName(), "Y-Axis 1");
    EXPECT_EQ(Master->KindManager<kpokDataCursor>()->GetItem(0)->ChannelName, "Channel 1");
    EXPECT_EQ(Master->KindManager<kpokDataCursor>()->GetItem(0)->DataView,
              Master->KindManager<kpokDataView>()->GetItem(0));
    EXPECT_EQ(Master->KindManager<kpokToolBar>()->GetItem(0)->Name(), "Toolbar 1");
    EXPECT_EQ(Master->KindManager<kpokTable>()->GetItem(0)->Name(), "Table 1");
    EXPECT_EQ(Master->KindManager<kpokLabel>()->GetItem(0)->Caption, "Label 1");
    // Layout objects (axes, data view, toolbar, legend, table, label) are
    // laid out; the rest are not.
    EXPECT_EQ(Master->LayoutManager()->Count(), 2 + 8);
    EXPECT_EQ(Master->PlotObjectManager()->Count(), 2 + 12);
    EXPECT_EQ(Master->ObjectKind(channel), kpokChannel);
    EXPECT_EQ(Master->ObjectKind(Master->KindManager<kpokLegend>()->GetItem(0)), kpokLegend);
}

TEST_F(MasterManagerTest, AddChannelNeedsAChannelClass)
{
    Master->SetChannelClass(nullptr);
    EXPECT_THROW(Master->Add(kpokChannel), Exception);
    EXPECT_EQ(Master->KindManager<kpokChannel>()->Count(), 0);
    Master->SetChannelClass(&CreatePlotObject<TChannelDouble>);
    EXPECT_EQ(Master->KindManager<kpokChannel>()->ObjectClass(), &CreatePlotObject<TChannelDouble>);
    EXPECT_EQ(Master->Add(kpokChannel), 0);
}

TEST_F(MasterManagerTest, AddReturnsTheNewObjectsOwnIndex)
{
    // The plot's add event adds another channel before AddChannel returns.
    OnAdd = [this](TObject* Sender) {
        if (dynamic_cast<TChannelDouble*>(Sender) && Master->KindManager<kpokChannel>()->Count() == 1)
            Master->Add(kpokChannel);
    };
    EXPECT_EQ(Master->Add(kpokChannel), 0);
    EXPECT_EQ(Master->KindManager<kpokChannel>()->Count(), 2);

    OnAdd = [](TObject* Sender) {
        if (dynamic_cast<TFakeLimit*>(Sender)) Free(Sender);
    };
    EXPECT_EQ(Master->Add(kpokLimit), -1);
    EXPECT_EQ(Master->KindManager<kpokLimit>()->Count(), 0);
}

TEST_F(MasterManagerTest, AddTranslationPutsAnEntryFirstAndAnEntryGoingReachesThePlot)
{
    Integer gone = 0;
    OnRemove = [&](TObject* Sender) {
        if (dynamic_cast<TkPlotTranslationObject*>(Sender)) ++gone;
    };
    EXPECT_EQ(Master->AddTranslation(), 0);
    EXPECT_EQ(Master->AddTranslation(), 0);
    EXPECT_EQ(Master->TranslationManager()->Count(), 2);
    Master->TranslationManager()->Delete(1);
    EXPECT_EQ(Master->TranslationManager()->Count(), 1);
    EXPECT_EQ(gone, 1);
}

// --- routing ----------------------------------------------------------------------

TEST_F(MasterManagerTest, InsertionReachesEveryManagerBeforeThePlot)
{
    std::vector<Integer> seen;
    OnAdd = [&](TObject* Sender) {
        if (auto* object = dynamic_cast<TkPlotObject*>(Sender)) seen = Listings(object);
    };
    Master->Add(kpokXAxis);
    TkPlotObject* axis = Master->KindManager<kpokXAxis>()->GetItem(0);
    EXPECT_EQ(seen, Listings(axis));
    EXPECT_GE(seen[0], 0) << "all objects";
    EXPECT_GE(seen[1], 0) << "layout";
    EXPECT_GE(seen[2 + kpokXAxis], 0) << "its kind";
    EXPECT_TRUE(static_cast<TkPlotLayoutObject*>(axis)->Horizontal());
}

TEST_F(MasterManagerTest, RemovalReachesThePlotFirstThenEveryManager)
{
    Master->Add(kpokXAxis);
    Master->Add(kpokChannel);
    Master->Add(kpokLabel);
    TkPlotObject* axis = Master->KindManager<kpokXAxis>()->GetItem(0);
    bool listedWhenPlotHeard = false;
    OnRemove = [&](TObject* Sender) {
        if (Sender == axis)
            listedWhenPlotHeard = ListedAnywhere(axis) && Master->KindManager<kpokXAxis>()->Count() == 1;
    };
    Log.clear();
    Free(axis);
    EXPECT_TRUE(listedWhenPlotHeard);
    EXPECT_EQ(Master->KindManager<kpokXAxis>()->Count(), 0);
    EXPECT_EQ(Master->LayoutManager()->Count(), 3);
    EXPECT_EQ(Master->PlotObjectManager()->Count(), 4);
    EXPECT_EQ(Log, (std::vector<String>{"plot remove X-Axis 1"}));
}

TEST_F(MasterManagerTest, RenamesReachTheNamesOfTheKind)
{
    Master->Add(kpokXAxis);
    Master->Add(kpokChannel);
    Master->Add(kpokLimit);
    TkPlotObject* axis = Master->KindManager<kpokXAxis>()->GetItem(0);
    const Cardinal axes = Master->AxesVersion();
    Log.clear();
    axis->SetName("Time");
    EXPECT_EQ(Master->KindManager<kpokXAxis>()->GetObjectByName("TIME"), axis);
    EXPECT_EQ(Master->KindManager<kpokXAxis>()->GetObjectByName("X-Axis 1"), nullptr);
    EXPECT_NE(Master->AxesVersion(), axes);
    EXPECT_TRUE(Log.empty());
}

TEST_F(MasterManagerTest, ChangesReachThePlotWithTheMasterAsSender)
{
    Master->Add(kpokLegend);
    Changes = 0;
    Master->KindManager<kpokLegend>()->GetItem(0)->SetLayer(7);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(ChangeSender, Master);
}

TEST_F(MasterManagerTest, SelectionIsClearedEverywhere)
{
    Master->Add(kpokXAxis);
    Master->Add(kpokLegend);
    TkPlotObject* axis = Master->KindManager<kpokXAxis>()->GetItem(0);
    axis->SetUserSelected(true);
    EXPECT_EQ(InvalidateNow, 1) << "selection repaints at once through the master";
    Master->DeSelectAll();
    EXPECT_FALSE(axis->UserSelected());
}

// --- settings and operations ------------------------------------------------------------

TEST_F(MasterManagerTest, ExchangingTheAxesReachesEveryObjectAndRepaintsAtOnce)
{
    Master->Add(kpokXAxis);
    Master->Add(kpokYAxis);
    Master->Add(kpokChannel);
    Master->SetXYAxesReverse(true);
    EXPECT_EQ(InvalidateNow, 1);
    EXPECT_TRUE(Master->XYAxesReverse());
    EXPECT_TRUE(Master->LayoutManager()->XYAxesReverse());
    EXPECT_TRUE(Master->KindManager<kpokChannel>()->GetItem(0)->XYAxesReversed());
    EXPECT_TRUE(Master->KindManager<kpokYAxis>()->GetItem(0)->XYAxesReversed());
    EXPECT_FALSE(Master->KindManager<kpokXAxis>()->GetItem(0)->Horizontal());
    EXPECT_TRUE(Master->KindManager<kpokYAxis>()->GetItem(0)->Horizontal());

    Master->Add(kpokLimit);
    EXPECT_TRUE(Master->KindManager<kpokLimit>()->GetItem(0)->XYAxesReversed());
}

TEST_F(MasterManagerTest, EditPermissionReachesEveryObject)
{
    Master->Add(kpokChannel);
    Master->Add(kpokAnnotation);
    Master->SetUserCanEditObjects(false);
    EXPECT_FALSE(Master->KindManager<kpokChannel>()->GetItem(0)->UserCanEdit());
    EXPECT_FALSE(Master->KindManager<kpokAnnotation>()->GetItem(0)->UserCanEdit());
    Master->Add(kpokTable);
    EXPECT_FALSE(Master->KindManager<kpokTable>()->GetItem(0)->UserCanEdit());
}

TEST_F(MasterManagerTest, ShowToolBarsSetsEveryToolbarsVisibility)
{
    Master->Add(kpokToolBar);
    Master->Add(kpokToolBar);
    Master->ShowToolBars(false);
    EXPECT_FALSE(Master->KindManager<kpokToolBar>()->GetItem(0)->Visible());
    EXPECT_FALSE(Master->KindManager<kpokToolBar>()->GetItem(1)->Visible());
}

TEST_F(MasterManagerTest, ClearAllDataEmptiesChannelsThenRealignsXThenYAxes)
{
    Master->Add(kpokYAxis);
    Master->Add(kpokXAxis);
    Master->Add(kpokChannel);
    Master->Add(kpokChannel);
    Log.clear();
    Master->ClearAllData();
    EXPECT_EQ(Log, (std::vector<String>{"clear Channel 1", "clear Channel 2", "align X-Axis 1", "align Y-Axis 1"}));
}

TEST_F(MasterManagerTest, EndingTheMasterEndsEveryObjectAndManager)
{
    Master->Add(kpokChannel);
    Master->Add(kpokXAxis);
    Master->AddTranslation();
    std::vector<TWeakRef<TObject>> watched{Master->KindManager<kpokChannel>()->GetItem(0), Master->LayoutManager(),
                                           Master->LayoutManager()->DataViewHorz(), Master->TranslationManager()};
    Plot.Table = nullptr;
    Free(Master);
    Master = nullptr;
    for (const auto& ref : watched) EXPECT_FALSE(ref.Alive());
}

TEST_F(MasterManagerTest, EndingTheMasterAfterShutDownTouchesNoFreedObject)
{
    Master->Add(kpokChannel);
    Master->Add(kpokXAxis);
    Master->Add(kpokLabel);
    // The objects report nothing any more: the lists that do not own them
    // must not reach them once their owners freed them.
    Master->PlotObjectManager()->ShutDownSetup();
    Plot.Table = nullptr;
    Free(Master);
    Master = nullptr;
}

// --- editor ---------------------------------------------------------------------------------

TEST_F(MasterManagerTest, NoEditorOpensWithoutAPlotOrAnEditorLibrary)
{
    Master->EditProperties();
    EXPECT_EQ(Master->Editor().Form(), nullptr);

    TStandInPlot bare{TStandInPlot::Bare};
    TMaster* other = Create<TMaster>(&bare, [&bare](TkPlotReportHost& Reports) { bare.ReportTo(&Reports); });
    UseEditor();
    other->EditProperties();
    EXPECT_EQ(other->Editor().Form(), nullptr);
    Free(other);
}

TEST_F(MasterManagerTest, AModalEditorIsForgottenBeforeItIsFreed)
{
    UseEditor();
    Master->Add(kpokChannel);
    // A handler of the dialog's end adds an object: the dialog half gone
    // must not hear of it.
    Editor.OnEnd = [this] { Master->Add(kpokChannel); };
    TCustomForm* shown = nullptr;
    Testing::Answers::Modal([&](TCustomForm* Form) {
        shown = Form;
        EXPECT_EQ(Form->Left(), Screen->Width() / 2 - Form->Width() / 2);
        EXPECT_EQ(Form->Top(), Screen->Height() / 2 - Form->Height() / 2);
        Editor.Pages.ChannelPageControlIndex = 3;
        Form->Close();
    });
    Master->EditProperties();
    EXPECT_NE(shown, nullptr);
    EXPECT_EQ(Master->Editor().Form(), nullptr);
    EXPECT_FALSE(Editor.Alive);
    EXPECT_TRUE(Editor.ForgottenBeforeEnd);
    EXPECT_EQ(Master->KindManager<kpokChannel>()->Count(), 2);
    EXPECT_EQ(Master->Editor().PageIndexes().ChannelPageControlIndex, 3);
    EXPECT_EQ(Editor.Log, (std::vector<String>{"load objects", "update all", "load general", "log controls on"}));
    EXPECT_NE(std::find(Log.begin(), Log.end(), "after open editor"), Log.end());
}

TEST_F(MasterManagerTest, AStayOnTopEditorLivesUntilClosed)
{
    TEditorDouble* editor = OpenStayOnTop();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->FormStyle(), fsStayOnTop);

    // Opening again refreshes the dialog that shows, whatever the style is now.
    Plot.Style = kpfsModal;
    Editor.Log.clear();
    Master->EditProperties();
    EXPECT_EQ(Master->Editor().Form(), editor);
    EXPECT_EQ(Editor.Log, std::vector<String>{"update all"});

    Editor.Pages.LegendPageControlIndex = 2;
    editor->Close();
    EXPECT_TRUE(editor->IsClosing());
    EXPECT_EQ(Master->Editor().Form(), nullptr);
    EXPECT_EQ(Master->Editor().PageIndexes().LegendPageControlIndex, 2) << "kept from the closing dialog";
    Testing::Input::Flush();
    EXPECT_FALSE(Editor.Alive);

    // The next dialog starts on the saved pages.
    Plot.Style = kpfsStayOnTop;
    Editor.Pages = {};
    Master->EditProperties();
    EXPECT_EQ(Editor.Pages.LegendPageControlIndex, 2);
}

TEST_F(MasterManagerTest, AnOpenEditorFollowsInsertionsRemovalsAndRenames)
{
    Master->Add(kpokXAxis);
    OpenStayOnTop();
    Editor.Log.clear();
    Master->Add(kpokChannel);
    Master->Add(kpokAnnotation);
    Master->Add(kpokLabel);
    Master->KindManager<kpokXAxis>()->GetItem(0)->SetName("Time");
    Master->KindManager<kpokLabel>()->GetItem(0)->SetName("Title");
    Free(Master->KindManager<kpokChannel>()->GetItem(0));
    const String channel = KindText(kpokChannel);
    EXPECT_EQ(Editor.Log,
              (std::vector<String>{"added " + channel + " Channel 1", "added " + KindText(kpokLabel) + " Label 1",
                                   "renamed " + KindText(kpokXAxis) + " X-Axis 1 Time",
                                   "removed " + channel + " Channel 1"}));
}

TEST_F(MasterManagerTest, EditObjectOpensTheEditorOnTheObjectsPage)
{
    Master->Add(kpokXAxis);
    Master->Add(kpokLabel);
    OpenStayOnTop();
    Editor.Log.clear();
    Master->KindManager<kpokXAxis>()->GetItem(0)->DoEditMenuItemClick();
    Master->KindManager<kpokLabel>()->GetItem(0)->DoEditMenuItemClick();
    EXPECT_EQ(Editor.Log, (std::vector<String>{"show " + KindText(kpokXAxis) + " X-Axis 1", "update all",
                                               "update all"}));
}

TEST_F(MasterManagerTest, GeneralPagesAreWrittenBackAndTheLogControlsAlwaysFollow)
{
    OpenStayOnTop();
    Plot.Logging = true;
    Editor.Log.clear();
    Master->Editor().BasicPropertyChanged();
    Editor.FailWrite = true;
    EXPECT_THROW(Master->Editor().BasicPropertyChanged(), Exception);
    EXPECT_EQ(Editor.Log,
              (std::vector<String>{"write general", "log controls off", "write general", "log controls off"}));
}

TEST_F(MasterManagerTest, TranslatesCaptionsAndItemsButNotEdits)
{
    TEditorDouble* editor = OpenStayOnTop();
    auto* edit = Create<TEdit>(editor);
    edit->SetParent(editor);
    edit->SetText("Untitled");
    auto* label = Create<TLabel>(editor);
    label->SetParent(editor);
    label->SetCaption("Untitled");
    auto* combo = Create<TComboBox>(editor);
    combo->SetParent(editor);
    combo->Items()->Add("Untitled");
    auto* menu = Create<TPopupMenu>(editor);
    auto* item = Create<TMenuItem>(menu);
    item->SetCaption("Untitled");
    menu->Items()->Add(item);

    Master->TranslateEditorForm(editor);
    EXPECT_EQ(label->Caption(), "Untitled") << "an empty table translates nothing";

    Master->AddTranslation();
    Master->TranslationManager()->GetItem(0)->SetOriginalString("Untitled");
    Master->TranslationManager()->GetItem(0)->SetReplacementString("Sans titre");
    Master->TranslateEditorForm(editor);
    EXPECT_EQ(label->Caption(), "Sans titre");
    EXPECT_EQ(combo->Items()->Strings(0), "Sans titre");
    EXPECT_EQ(item->Caption(), "Sans titre");
    EXPECT_EQ(edit->Text(), "Untitled");
}

// --- the plot's own kinds -------------------------------------------------------------------

struct PlotAxisKinds : TestKinds {
    using XAxis = TkPlotXAxis;
    using YAxis = TkPlotYAxis;
};

TEST(MasterManagerKindsTest, AddsThePlotsOwnAxes)
{
    TPlotDouble plot;
    auto* master = Create<TkPlotMasterManagerOf<PlotAxisKinds>>(
        &plot, [&plot](TkPlotReportHost& Reports) { plot.ReportTo(&Reports); });
    EXPECT_EQ(master->Add(kpokXAxis), 0);
    EXPECT_EQ(master->Add(kpokYAxis), 0);
    TkPlotXAxis* x = master->KindManager<kpokXAxis>()->GetItem(0);
    TkPlotYAxis* y = master->KindManager<kpokYAxis>()->GetItem(0);
    EXPECT_EQ(x->Name(), "X-Axis 1");
    EXPECT_EQ(x->Title(), "X-Axis 1");
    EXPECT_EQ(y->Title(), "Y-Axis 1");
    EXPECT_EQ(master->LayoutManager()->BottomList(), TkPlotLayoutSideList{x});
    EXPECT_EQ(master->LayoutManager()->LeftList(), TkPlotLayoutSideList{y});

    master->SetXYAxesReverse(true);
    EXPECT_TRUE(x->XYAxesReversed());
    EXPECT_EQ(master->LayoutManager()->LeftList(), TkPlotLayoutSideList{x});
    EXPECT_EQ(master->LayoutManager()->BottomList(), TkPlotLayoutSideList{y});
    master->ClearAllData();
    Free(master);
}

}  // namespace
