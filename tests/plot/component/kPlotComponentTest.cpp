#include <gtest/gtest.h>

#include <vector>

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kPlot.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLabel.h"
#include "components/plot/layout/kPlotLegend.h"
#include "components/plot/view/kPlotDataView.h"
#include "components/plot/view/kPlotLimit.h"
#include "platform/FormStream.h"
#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "platform/Resources.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"
#include "support/MessageOf.h"
#include "support/PlotRoles.h"

namespace {

using TLog = std::vector<String>;

String Text(Integer Value) { return IntToStr(Value); }

class PlotComponentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        kXYPlotInitialization();
        kPlotInitialization();
    }

    TOwned<TkXYPlot> Plot{Create<TkXYPlot>(nullptr)};

    // Logs the add and remove events of every kind that has them.
    void LogListEvents(TkPlotComponent& Target, TLog& Log)
    {
        for (TkPlotObjectKind kind : PlotListEventKinds) {
            Target.OnObjectAdd[kind] = [&Log, kind](TObject*, Integer Index) {
                Log.push_back("add " + Text(kind) + " " + Text(Index));
            };
            Target.OnObjectRemove[kind] = [&Log, kind](TObject*, Integer Index) {
                Log.push_back("remove " + Text(kind) + " " + Text(Index));
            };
        }
    }
};

// ===========================================================================
// Default objects and access
// ===========================================================================

TEST_F(PlotComponentTest, NewXYPlotHoldsTheDefaultObjectsInOrder)
{
    std::vector<String> names;
    TkPlotObjectManager* all = Plot->Master().PlotObjectManager();
    for (Integer i = 0; i < all->Count(); ++i)
        if (Plot->Master().ObjectKind(all->GetItem(i)) != kpokNone) names.push_back(all->GetItem(i)->Name());
    EXPECT_EQ(names, (std::vector<String>{"Toolbar 1", "Legend 1", "X-Axis 1", "Y-Axis 1", "Channel 1",
                                          "Data View 1", "Cursor 1", "Title"}));

    EXPECT_EQ(Plot->GetToolBar(0)->ZOrder(), 3);
    EXPECT_TRUE(Plot->GetToolBar(0)->Horizontal());
    EXPECT_EQ(Plot->GetLegend(0)->ZOrder(), 2);
    EXPECT_EQ(Plot->GetLabel(0)->ZOrder(), 2);
    EXPECT_EQ(Plot->GetLabel(0)->Caption(), "Untitled");
    EXPECT_EQ(Plot->TitleText(), "Untitled");
    EXPECT_TRUE(Plot->Master().LayoutManager()->Enabled());

    TkXYPlotChannel* channel = Plot->GetChannel(0);
    EXPECT_EQ(channel->XAxis(), Plot->GetXAxis(0));
    EXPECT_EQ(channel->YAxis(), Plot->GetYAxis(0));
    EXPECT_EQ(Plot->GetDataCursor(0)->ChannelName(), "Channel 1");
    EXPECT_EQ(Plot->GetDataCursor(0)->DataView(), Plot->GetDataView(0));
    EXPECT_EQ(Plot->GetDataView(0)->GridXAxisName(), "X-Axis 1");
    EXPECT_EQ(Plot->TableCount() + Plot->LimitCount() + Plot->AnnotationCount() + Plot->TranslationCount(), 0);
}

TEST_F(PlotComponentTest, NewPlotHasTheGeneralDefaults)
{
    EXPECT_EQ(Plot->Width(), 500);
    EXPECT_EQ(Plot->Height(), 200);
    EXPECT_EQ(Plot->BackGroundColor(), clBlack);
    EXPECT_EQ(Plot->BorderStyle(), kbsLowered);
    EXPECT_TRUE(Plot->AutoFrameRate());
    EXPECT_EQ(Plot->UpdateFrameRate(), 60);
    EXPECT_FALSE(Plot->TabStop());
    EXPECT_EQ(Plot->PrintDocumentName(), "Untitled");
    EXPECT_EQ(Plot->PrintOrientation(), poLandscape);
    EXPECT_EQ(Plot->AnnotationDefaultFont()->Color(), clWhite);
    EXPECT_TRUE(Plot->UserCanEditObjects());
    EXPECT_FALSE(PlotTest::SeamOf(*Plot).Objects->IsTkPlot());
}

// Streams and property files name these properties: a missing or
// misspelt one loses settings.
TEST_F(PlotComponentTest, EveryPropertyAndEventIsPublishedOnce)
{
    const TPropList& plot = GetPropList(TkXYPlot::StaticClassInfo());
    const TPropList& base = GetPropList(TkCustomComponent::StaticClassInfo());
    Integer events = 0;
    for (PPropInfo prop : plot) events += prop->Kind == tkMethod ? 1 : 0;
    for (PPropInfo prop : base) events -= prop->Kind == tkMethod ? 1 : 0;
    // 203 less AutoFrameRate, Anchors and Constraints, published before.
    EXPECT_EQ(plot.size() - base.size(), 200u);
    EXPECT_EQ(events, 141);  // the object events and OnResize
    for (const char* name : {"OnMouseDownXAxis", "OnMouseWheelAnnotation", "OnClickDataPoint", "OnRemoveTable",
                             "OnGetMouseCursorTable", "OnPopupMenuLimit", "OnGotFocusDataCursor",
                             "AnnotationDefaultBrushStlye", "AnnotationDefaultPenStlye", "LoggingActive"})
        EXPECT_NE(GetPropInfo(TkXYPlot::StaticClassInfo(), name), nullptr) << name;
    for (const char* name : {"OnMouseDownToolBar", "OnGotFocusLimit", "OnAddLabel", "OnMouseWheelDataPoint"})
        EXPECT_EQ(GetPropInfo(TkXYPlot::StaticClassInfo(), name), nullptr) << name;
    EXPECT_EQ(GetPropInfo(TkXYPlot::StaticClassInfo(), "AutoFrameRate")->Default, TValue(Int64{1}));
}

TEST_F(PlotComponentTest, TimePlotMakesTimeChannels)
{
    TOwned<TkPlot> plot{Create<TkPlot>(nullptr)};
    EXPECT_TRUE(PlotTest::SeamOf(*plot).Objects->IsTkPlot());
    EXPECT_EQ(plot->ChannelCount(), 1);
    EXPECT_EQ(plot->GetChannel(plot->AddChannel())->Name(), "Channel 2");
    EXPECT_EQ(plot->GetChannel(1)->XAxis(), plot->GetXAxis(0));
}

TEST_F(PlotComponentTest, ObjectsAreFoundByNameIgnoringCase)
{
    EXPECT_EQ(Plot->GetChannelByName("CHANNEL 1"), Plot->GetChannel(0));
    EXPECT_EQ(Plot->GetXAxisIndexByName("x-axis 1"), 0);
    EXPECT_EQ(Plot->GetLabelByName("title"), Plot->TitleLabel());
    EXPECT_EQ(Plot->GetChannelByName("Channel 9"), nullptr);
    EXPECT_EQ(Plot->GetDataViewIndexByName("nothing"), -1);
    EXPECT_EQ(Plot->AddChannel(), 1);
    EXPECT_EQ(Plot->GetChannelIndexByName("Channel 2"), 1);
}

TEST_F(PlotComponentTest, IndexesOutsideTheKindRaiseListErrors)
{
    EXPECT_THROW(Plot->GetChannel(1), EListError);
    EXPECT_THROW(Plot->GetXAxis(-1), EListError);
    EXPECT_THROW(Plot->DeleteLegend(3), EListError);
    EXPECT_THROW(Plot->DeleteLabel(1), EListError);
    EXPECT_THROW(Plot->DeleteTranslation(0), EListError);
    EXPECT_THROW(Plot->GetTranslationOriginalString(0), EListError);
    EXPECT_EQ(Plot->LegendCount(), 1);
}

TEST_F(PlotComponentTest, TheTitleLabelCannotBeDeleted)
{
    Plot->AddLabel();
    Plot->AddLabel();
    EXPECT_EQ(MessageOf([&] { Plot->DeleteLabel(0); }), "Label Index 0 can not be Deleted (Resevered for Title)");
    Plot->DeleteLabel(2);
    EXPECT_EQ(Plot->LabelCount(), 2);
    Plot->AddLabel();
    Plot->RemoveAllLabels();
    ASSERT_EQ(Plot->LabelCount(), 1);
    EXPECT_EQ(Plot->GetLabel(0)->Name(), "Title");
    Plot->SetTitleText("Signal");
    EXPECT_EQ(Plot->TitleText(), "Signal");
}

TEST_F(PlotComponentTest, TitlePropertiesActOnLabelZeroOrOnNothing)
{
    Plot->SetTitleMargin(1.5);
    Plot->SetTitleVisible(false);
    EXPECT_EQ(Plot->GetLabel(0)->MarginBottom(), 1.5);
    EXPECT_FALSE(Plot->GetLabel(0)->Visible());
    EXPECT_EQ(Plot->TitleFont(), Plot->GetLabel(0)->Font());

    Plot->Master().KindManager<kpokLabel>()->Clear();
    Plot->SetTitleText("ignored");
    Plot->SetTitleMargin(3);
    EXPECT_EQ(Plot->TitleText(), "");
    EXPECT_FALSE(Plot->TitleVisible());
    EXPECT_EQ(Plot->TitleMargin(), 0.0);
    EXPECT_EQ(Plot->TitleFont(), Plot->Font());
}

TEST_F(PlotComponentTest, DeleteAndRemoveAllFreeTheObjects)
{
    Plot->AddXAxis();
    Plot->AddChannel();
    Plot->DeleteXAxis(0);
    EXPECT_EQ(Plot->GetXAxis(0)->Name(), "X-Axis 2");
    Plot->RemoveAllChannels();
    EXPECT_EQ(Plot->ChannelCount(), 0);
    EXPECT_EQ(Plot->Master().PlotObjectManager()->GetObjectByName("Channel 1"), nullptr);
    Plot->RemoveAllToolBars();
    Plot->RemoveAllDataViews();
    EXPECT_EQ(Plot->ToolBarCount() + Plot->DataViewCount(), 0);
}

TEST_F(PlotComponentTest, TranslationsGoToTheFrontOfTheTable)
{
    EXPECT_EQ(Plot->AddTranslation("Edit...", "Modifier..."), 0);
    EXPECT_EQ(Plot->AddTranslation("Copy", "Copier"), 0);
    EXPECT_EQ(Plot->TranslationCount(), 2);
    EXPECT_EQ(Plot->GetTranslationOriginalString(0), "Copy");
    EXPECT_EQ(Plot->GetTranslationReplacementString(1), "Modifier...");
    EXPECT_EQ(Plot->GetChannel(0)->TranslateString("Edit..."), "Modifier...");
    Plot->DeleteTranslation(0);
    EXPECT_EQ(Plot->GetTranslationOriginalString(0), "Edit...");
    Plot->RemoveAllTranslations();
    EXPECT_EQ(Plot->TranslationCount(), 0);
}

TEST_F(PlotComponentTest, NewAnnotationsTakeTheAnnotationDefaults)
{
    TOwned<TFont> font = CreateOwned<TFont>();
    font->SetName("Courier New");
    font->SetColor(clYellow);
    Plot->SetAnnotationDefaultFont(font.get());
    Plot->SetAnnotationDefaultPenColor(clRed);
    Plot->SetAnnotationDefaultPenWidth(3);
    Plot->SetAnnotationDefaultBrushStlye(bsClear);
    Plot->SetAnnotationDefaultReference(kprtChannel);
    Plot->SetAnnotationDefaultReferenceSizeY(kpriDataView);

    TkPlotAnnotation* annotation = Plot->GetAnnotation(Plot->AddAnnotation());
    EXPECT_EQ(annotation->PenColor(), clRed);
    EXPECT_EQ(annotation->PenWidth(), 3);
    EXPECT_EQ(annotation->BrushStyle(), bsClear);
    EXPECT_EQ(annotation->BrushColor(), clWhite);
    EXPECT_EQ(annotation->Reference(), kprtChannel);
    EXPECT_EQ(annotation->ReferencePositionX(), kpriAuto);
    EXPECT_EQ(annotation->ReferenceSizeY(), kpriDataView);
    EXPECT_EQ(annotation->Font()->Name(), "Courier New");
    EXPECT_EQ(annotation->Font()->Color(), clYellow);
    EXPECT_EQ(annotation->Name(), "");
}

TEST_F(PlotComponentTest, SettingsReachEveryObjectThroughTheMasterManager)
{
    Plot->SetUserCanEditObjects(false);
    Plot->SetXYAxesReverse(true);
    EXPECT_FALSE(Plot->GetChannel(0)->UserCanEdit());
    EXPECT_TRUE(Plot->GetLegend(0)->XYAxesReversed());
    EXPECT_TRUE(Plot->Master().LayoutManager()->XYAxesReverse());
    const Integer added = Plot->AddLimit();
    EXPECT_FALSE(Plot->GetLimit(added)->UserCanEdit());
    EXPECT_TRUE(Plot->GetLimit(added)->XYAxesReversed());
    EXPECT_EQ(Plot->GetLimit(added)->XAxisName(), "X-Axis 1");
}

TEST_F(PlotComponentTest, DataViewRowsAreThePlaceholderRows)
{
    Plot->SetDataViewZHorz(4);
    EXPECT_EQ(Plot->Master().LayoutManager()->DataViewHorz()->ZOrder(), 4);
    EXPECT_EQ(Plot->DataViewZVert(), Plot->Master().LayoutManager()->DataViewVert()->ZOrder());
}

// ===========================================================================
// References and events
// ===========================================================================

TEST_F(PlotComponentTest, RemovedObjectsAreForgotten)
{
    TkPlotDataCursor* cursor = Plot->GetDataCursor(0);
    TkPlotChannelCustom* channel = Plot->GetChannel(0);
    ASSERT_EQ(channel->XAxis(), Plot->GetXAxis(0));
    Plot->DeleteDataView(0);
    Plot->DeleteXAxis(0);
    EXPECT_EQ(cursor->DataView(), nullptr);
    EXPECT_EQ(channel->XAxis(), nullptr);
    Integer pixel = 7;
    EXPECT_FALSE(PlotTest::SeamOf(*Plot).Paint->DataViewPercentToPixels(50, false, pixel));
}

TEST_F(PlotComponentTest, ChannelsFindAnAxisRenamedToTheirAxisName)
{
    TkPlotChannelCustom* channel = Plot->GetChannel(0);
    channel->SetXAxisName("Time");
    channel->AddXY(1, 2);
    EXPECT_EQ(channel->XAxis(), nullptr);
    const Cardinal version = Plot->Master().AxesVersion();
    EXPECT_EQ(Plot->Master().AxesVersion(), version);
    Plot->GetXAxis(0)->SetName("Time");
    EXPECT_NE(Plot->Master().AxesVersion(), version);
    EXPECT_EQ(channel->XAxis(), Plot->GetXAxis(0));
}

TEST_F(PlotComponentTest, AddAndRemoveEventsCarryTheIndexWithinTheKind)
{
    TLog log;
    LogListEvents(*Plot, log);
    Plot->AddToolBar();
    Plot->AddLabel();
    Plot->AddTranslation("a", "b");
    EXPECT_TRUE(log.empty());
    Plot->AddChannel();
    Plot->AddTable();
    Plot->DeleteChannel(0);
    Plot->RemoveAllTables();
    EXPECT_EQ(log, (TLog{"add 5 1", "add 2 0", "remove 5 0", "remove 2 0"}));
}

TEST_F(PlotComponentTest, ObjectEventsFireOnlyForTheirKinds)
{
    TLog log;
    Plot->OnObjectMouseDown[kpokLegend] = [&](TObject* Sender, Integer Index, TMouseButton, TShiftState, Integer X,
                                             Integer) {
        log.push_back("legend " + Text(Index) + " at " + Text(X) + (Sender == Plot.get() ? "" : " foreign"));
    };
    Plot->OnObjectMouseDown[kpokToolBar] = [&](TObject*, Integer, TMouseButton, TShiftState, Integer, Integer) {
        log.push_back("toolbar");
    };
    Plot->OnObjectGotFocus[kpokChannel] = [&](TObject*, Integer Index) { log.push_back("focus " + Text(Index)); };
    Plot->AddLegend();
    PlotTest::SeamOf(*Plot).Events->Fire(PlotEvent::MouseDown{Plot->GetLegend(1), mbLeft, {}, 12, 0});
    PlotTest::SeamOf(*Plot).Events->Fire(PlotEvent::MouseDown{Plot->GetToolBar(0), mbLeft, {}, 12, 0});
    Plot->GetChannel(0)->SetUserSelected(true);
    EXPECT_EQ(log, (TLog{"legend 1 at 12", "focus 0"}));
}

TEST_F(PlotComponentTest, AxisEventsNameTheAxisByDirection)
{
    TLog log;
    Plot->OnXAxisMinChange = [&](TObject*, Integer Index, Double Old, Double New) {
        log.push_back("x " + Text(Index) + " " + FloatToStr(Old) + ">" + FloatToStr(New));
    };
    Plot->OnYAxisSpanChange = [&](TObject*, Integer Index, Double, Double New) {
        log.push_back("y span " + Text(Index) + " " + FloatToStr(New));
    };
    Plot->OnYAxisCustomizeLabel = [&](TObject*, Integer, Double Value, String& Label) {
        Label = "<" + FloatToStr(Value) + ">";
    };
    Plot->AddXAxis();
    Plot->GetXAxis(1)->SetMin(5);
    Plot->GetYAxis(0)->SetSpan(20);
    String label = "3";
    PlotTest::SeamOf(*Plot).Events->Fire(PlotEvent::AxisCustomizeLabel{Plot->GetYAxis(0), label, 3});
    EXPECT_EQ(log, (TLog{"x 1 0>5", "y span 0 20"}));
    EXPECT_EQ(label, "<3>");
}

// Outside code pauses and resumes the tracking of every axis: each axis of
// both directions, X axes first, comes back to the scale it had when paused.
TEST_F(PlotComponentTest, TrackingPausesAndResumesOnEveryAxis)
{
    Plot->AddXAxis();
    Plot->GetXAxis(1)->SetMinSpan(-5, 10);
    TkPlotChannelCustom* channel = Plot->GetChannel(0);
    channel->AddXY(1, 2);
    const std::vector<TkPlotAxis*> axes = {Plot->GetXAxis(0), Plot->GetXAxis(1), Plot->GetYAxis(0)};
    std::vector<Double> paused;
    for (TkPlotAxis* axis : axes) paused.insert(paused.end(), {axis->Min(), axis->Span()});

    Plot->DisableAllTracking();
    for (TkPlotAxis* axis : axes) EXPECT_FALSE(axis->TrackingEnabled());
    channel->AddXY(500, 600);
    for (TkPlotAxis* axis : axes) axis->SetMinSpan(1000, 1);

    TLog resumed;
    Plot->OnXAxisMinSpanChange = [&](TObject*, Integer Index, Double, Double, Double, Double) {
        resumed.push_back("x " + Text(Index));
    };
    Plot->OnYAxisMinSpanChange = [&](TObject*, Integer Index, Double, Double, Double, Double) {
        resumed.push_back("y " + Text(Index));
    };
    Plot->EnableAllTracking();
    EXPECT_EQ(resumed, (TLog{"x 0", "x 1", "y 0"}));
    std::vector<Double> back;
    for (TkPlotAxis* axis : axes) {
        EXPECT_TRUE(axis->TrackingEnabled());
        back.insert(back.end(), {axis->Min(), axis->Span()});
    }
    EXPECT_EQ(back, paused);
}

// Each report of an object reaches the published event of its kind (X or Y
// for the axes' events), naming the object's index.
TEST_F(PlotComponentTest, EveryReportReachesItsPublishedEvent)
{
    TLog log;
    const auto heard = [&log](const char* Event) {
        return [&log, Event](TObject*, Integer Index, auto&&...) { log.push_back(Event + (" " + Text(Index))); };
    };
    for (TkPlotObjectKind kind : PlotMouseEventKinds) {
        Plot->OnObjectMouseDown[kind] = heard("down");
        Plot->OnObjectMouseMove[kind] = heard("move");
        Plot->OnObjectMouseUp[kind] = heard("up");
        Plot->OnObjectMouseWheel[kind] = heard("wheel");
        Plot->OnObjectPopupMenu[kind] = heard("popup");
        Plot->OnObjectClick[kind] = heard("click");
    }
    for (TkPlotObjectKind kind : PlotFocusEventKinds) {
        Plot->OnObjectGotFocus[kind] = heard("got focus");
        Plot->OnObjectLostFocus[kind] = heard("lost focus");
    }
    for (TkPlotObjectKind kind : PlotListEventKinds) Plot->OnObjectGetMouseCursor[kind] = heard("cursor");
    Plot->OnXAxisMinChange = heard("x min");
    Plot->OnYAxisSpanChange = heard("y span");
    Plot->OnXAxisMinSpanChange = heard("x min-span");
    Plot->OnYAxisMinSpanChangeFinished = heard("y finished");
    Plot->OnXAxisCustomizeLabel = heard("x label");
    Plot->OnYAxisCustomizeHint = heard("y hint");
    Plot->OnBeforeZoomBox = [&log](TObject*, TRect&, bool&) { log.push_back("zoom box"); };
    Plot->OnLimitLine2PositionChange = heard("line 2");
    Plot->OnAnnotationResizeUser = heard("resized");
    Plot->OnBeforeToolBarButtonClick = heard("before button");
    Plot->OnToolBarButtonClick = heard("button");
    Plot->OnToolBarCustomizeHint = heard("toolbar hint");
    Plot->OnBeforeDataCursorUpdate = heard("before update");
    Plot->OnDataCursorChange = heard("cursor change");
    Plot->OnDataCursorCustomizeHint = heard("cursor hint");
    Plot->OnMouseDownDataPoint = heard("point down");
    Plot->OnMouseMoveDataPoint = heard("point move");
    Plot->OnMouseUpDataPoint = heard("point up");
    Plot->OnClickDataPoint = heard("point click");
    Plot->OnDataPointMoved = heard("point moved");
    Plot->OnDataPointCustomizeHint = heard("point hint");
    Plot->OnAfterOpenEditor = [&log](TObject*) { log.push_back("editor"); };

    TkPlotAxis* x = Plot->GetXAxis(Plot->AddXAxis());
    TkPlotAxis* y = Plot->GetYAxis(0);
    TkPlotLimit* limit = Plot->GetLimit(Plot->AddLimit());
    TkPlotObject* note = Plot->GetAnnotation(Plot->AddAnnotation());
    TkPlotChannelCustom* channel = Plot->GetChannel(0);
    TkPlotObject* toolBar = Plot->GetToolBar(0);
    TkPlotObject* cursor = Plot->GetDataCursor(0);
    bool cancel = false;
    String text;
    TCursor mouse = crDefault;
    TRect box;
    const struct {
        TkPlotEvent Event;
        const char* Heard;
    } cases[] = {
        {PlotEvent::MouseDown{x, mbLeft, {}, 1, 2}, "down 1"},
        {PlotEvent::MouseMove{y, {}, 1, 2}, "move 0"},
        {PlotEvent::MouseUp{limit, mbLeft, {}, 1, 2}, "up 0"},
        {PlotEvent::MouseWheel{note, 120, {}, 1, 2}, "wheel 0"},
        {PlotEvent::GotFocus{channel}, "got focus 0"},
        {PlotEvent::LostFocus{x}, "lost focus 1"},
        {PlotEvent::PopupMenu{Plot->GetLegend(0), cancel, 1, 2}, "popup 0"},
        {PlotEvent::Click{Plot->GetDataView(0)}, "click 0"},
        {PlotEvent::GetMouseCursor{cursor, mouse}, "cursor 0"},
        {PlotEvent::AxisMinChange{x, 0, 1}, "x min 1"},
        {PlotEvent::AxisSpanChange{y, 0, 1}, "y span 0"},
        {PlotEvent::AxisMinSpanChange{x, 0, 1, 2, 3}, "x min-span 1"},
        {PlotEvent::AxisMinSpanChangeFinished{y, 0, 1, 2, 3}, "y finished 0"},
        {PlotEvent::AxisCustomizeLabel{x, text, 5}, "x label 1"},
        {PlotEvent::AxisCustomizeHint{y, text}, "y hint 0"},
        {PlotEvent::BeforeZoomBox{box, cancel}, "zoom box"},
        {PlotEvent::LimitLineMove{limit, 2, 0, 1}, "line 2 0"},
        {PlotEvent::Annotation{note, kpaeResizeUser}, "resized 0"},
        {PlotEvent::BeforeToolBarButtonClick{toolBar, kptbbtZoomIn, cancel}, "before button 0"},
        {PlotEvent::ToolBarButtonClick{toolBar, kptbbtZoomIn}, "button 0"},
        {PlotEvent::ToolBarCustomizeHint{toolBar, text}, "toolbar hint 0"},
        {PlotEvent::BeforeDataCursorUpdate{cursor}, "before update 0"},
        {PlotEvent::DataCursorChange{cursor}, "cursor change 0"},
        {PlotEvent::DataCursorCustomizeHint{cursor, text}, "cursor hint 0"},
        {PlotEvent::DataPointMouseDown{channel, 3, mbLeft, {}, 1, 2}, "point down 0"},
        {PlotEvent::DataPointMouseMove{channel, 3, {}, 1, 2}, "point move 0"},
        {PlotEvent::DataPointMouseUp{channel, 3, mbLeft, {}, 1, 2}, "point up 0"},
        {PlotEvent::DataPointClick{channel, 3}, "point click 0"},
        {PlotEvent::DataPointMoved{channel, 3, 0, 1, 2, 3}, "point moved 0"},
        {PlotEvent::DataPointCustomizeHint{channel, 3, text}, "point hint 0"},
        {PlotEvent::AfterOpenEditor{nullptr}, "editor"},
    };
    static_assert(std::size(cases) == std::variant_size_v<TkPlotEvent>, "a case for every kind of report");
    for (const auto& c : cases) {
        log.clear();
        PlotTest::SeamOf(*Plot).Events->Fire(c.Event);
        EXPECT_EQ(log, TLog{c.Heard}) << "report " << c.Event.index();
    }
}

// A scrolling X axis moves with every point of a stream: each step fires its
// event, counts as a change of look, and converts with the scale it moved
// to, whether a repaint is pending meanwhile or not.
TEST_F(PlotComponentTest, AScrollingAxisReportsEveryStepAndConvertsWithTheScaleItMovedTo)
{
    TOwned<TkPlot> plot{Create<TkPlot>(nullptr)};
    plot->SetBounds(0, 0, 400, 300);
    TOwned<TBitmap> frame = CreateOwned<TBitmap>();
    frame->SetSize(400, 300);
    TkPlotXAxis* axis = plot->GetXAxis(0);
    axis->SetTrackingStyle(kptsScrollSmooth);
    TkPlotChannel* channel = plot->GetChannel(0);
    channel->SetYAxisTrackingEnabled(false);
    channel->AddXY(0, 0);
    axis->SetMinSpan(0, 10);
    plot->kPaintTo(frame->Canvas());
    const Integer left = axis->PositionToPixels(0);
    const Integer right = axis->PositionToPixels(10);
    ASSERT_LT(left, right);

    TLog log;
    plot->OnXAxisMinSpanChange = [&](TObject*, Integer, Double, Double, Double NewMin, Double NewSpan) {
        log.push_back(FloatToStr(NewMin) + "+" + FloatToStr(NewSpan));
    };
    const Cardinal look = axis->LookVersion();
    for (Integer x = 11; x <= 13; ++x) channel->AddXY(x, 0);
    EXPECT_EQ(log, (TLog{"1+10", "2+10", "3+10"}));
    EXPECT_EQ(axis->LookVersion(), look + 3);
    EXPECT_EQ(axis->PositionToPixels(3), left);
    EXPECT_EQ(axis->PositionToPixels(13), right);
    EXPECT_EQ(axis->ScaleMap().Pixel(13), right);
    EXPECT_EQ(axis->PixelsToPosition(left), 3);
}

// A handler may free the object whose event it handles: the object's own
// entry point must not touch it afterwards.
TEST_F(PlotComponentTest, HandlersMayDeleteTheirOwnSender)
{
    Plot->OnObjectMouseDown[kpokLegend] = [&](TObject*, Integer Index, TMouseButton, TShiftState, Integer, Integer) {
        Plot->DeleteLegend(Index);
    };
    Plot->OnObjectPopupMenu[kpokLegend] = [&](TObject*, Integer Index, bool&, Integer, Integer) {
        Plot->DeleteLegend(Index);
    };
    TkPlotLegend* legend = Plot->GetLegend(0);
    legend->SetDrawRect(Rect(0, 0, 50, 50));
    legend->kMouseDown(mbLeft, {}, 10, 10);
    EXPECT_EQ(Plot->LegendCount(), 0);

    Plot->OnObjectMouseDown[kpokLegend] = nullptr;
    legend = Plot->GetLegend(Plot->AddLegend());
    legend->SetDrawRect(Rect(0, 0, 50, 50));
    legend->kMouseDown(mbRight, {}, 10, 10);
    legend->kMouseUp(mbRight, {}, 10, 10, 0, 0, false, PlotTest::RolesOf(*Plot).PopupMenu.get());
    EXPECT_EQ(Plot->LegendCount(), 0);
}

}  // namespace

namespace {

// ===========================================================================
// Image lists
// ===========================================================================

// A bitmap of the size given, filled with Color, whose bottom-left pixel
// (its transparent colour) is Transparent.
TOwned<TBitmap> Picture(Integer Width, Integer Height, TColor Color, TColor Transparent)
{
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(Width, Height);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(Color);
    canvas->FillRect(Rect(0, 0, Width, Height));
    canvas->SetPixels(0, Height - 1, Transparent);
    return bitmap;
}

// The colour drawn at (X, Y) by image Image of list List over black.
TColor DrawnPixel(TkPlotComponent& Plot, Integer List, Integer Image, Integer X, Integer Y)
{
    TOwned<TBitmap> target = Picture(40, 40, clBlack, clBlack);
    PlotTest::SeamOf(Plot).Paint->PlotDrawImage(target->Canvas(), List, Image, 0, 0, true);
    return target->Canvas()->Pixels(X, Y);
}

TEST_F(PlotComponentTest, ImageListsAreNumberedZeroToTwo)
{
    TOwned<TBitmap> picture = Picture(8, 8, clRed, clLime);
    for (Integer index : {-1, 3})
        EXPECT_EQ(MessageOf([&] { Plot->ImageListAdd(index, picture.get()); }), "ImageList Index must be 0-2") << index;
    EXPECT_THROW(Plot->ImageListClear(3), Exception);
    EXPECT_EQ(PlotTest::SeamOf(*Plot).Paint->PlotImageCount(3), 0);
    EXPECT_EQ(Plot->ImageList(2)->Width(), 24);
}

TEST_F(PlotComponentTest, ImagesFitTheSizeOfTheFirstImage)
{
    TOwned<TBitmap> first = Picture(20, 10, clRed, clLime);
    Plot->ImageListAdd(1, first.get());
    EXPECT_EQ(Plot->ImageList(1)->Width(), 20);
    EXPECT_EQ(Plot->ImageList(1)->Height(), 10);

    // Smaller both ways: centred on the transparent colour, which stays clear.
    TOwned<TBitmap> small = Picture(4, 2, clBlue, clYellow);
    Plot->ImageListAdd(1, small.get());
    EXPECT_EQ(DrawnPixel(*Plot, 1, 1, 9, 4), clBlue);
    EXPECT_EQ(DrawnPixel(*Plot, 1, 1, 1, 1), clBlack);

    // Larger both ways: one image, cut to the list's size.
    TOwned<TBitmap> large = Picture(30, 30, clAqua, clLime);
    Plot->ImageListAdd(1, large.get());
    // Equal in one direction: one image too.
    TOwned<TBitmap> wide = Picture(26, 10, clAqua, clLime);
    Plot->ImageListAdd(1, wide.get());
    EXPECT_EQ(PlotTest::SeamOf(*Plot).Paint->PlotImageCount(1), 4);

    for (TBitmap* refused : {Picture(30, 5, clRed, clLime).release(), CreateOwned<TBitmap>().release()}) {
        TOwned<TBitmap> owned(refused);
        EXPECT_EQ(MessageOf([&] { Plot->ImageListAdd(1, refused); }),
                  "Image Width and Height must be the same as other images, or both smaller, or both larger");
    }
    EXPECT_EQ(PlotTest::SeamOf(*Plot).Paint->PlotImageCount(1), 4);
}

TEST_F(PlotComponentTest, ImagesLoadFromNumberedResources)
{
    TMemoryStream file;
    Picture(16, 12, clRed, clLime)->SaveToStream(file);
    static std::vector<unsigned char> bytes;
    const auto* data = static_cast<const unsigned char*>(file.Memory());
    bytes.assign(data, data + file.Size());
    RegisterResource(NumberedResourceName(4101), bytes.data(), bytes.size());

    Plot->ImageListLoadFromResourceID(2, 4101);
    EXPECT_EQ(PlotTest::SeamOf(*Plot).Paint->PlotImageCount(2), 1);
    EXPECT_EQ(Plot->ImageList(2)->Width(), 16);
    EXPECT_EQ(DrawnPixel(*Plot, 2, 0, 3, 3), clRed);
    EXPECT_THROW(Plot->ImageListLoadFromResourceID(2, 4102), EInvalidGraphic);
    EXPECT_EQ(PlotTest::SeamOf(*Plot).Paint->PlotImageCount(2), 1);
}

// An empty picture must not shrink an empty list to nothing.
TEST_F(PlotComponentTest, AnEmptyFirstImageIsRefused)
{
    TOwned<TBitmap> empty = CreateOwned<TBitmap>();
    EXPECT_THROW(Plot->ImageListAdd(0, empty.get()), Exception);
    EXPECT_THROW(Plot->ImageListAdd(0, nullptr), Exception);
    EXPECT_EQ(Plot->ImageList(0)->Width(), 24);
    EXPECT_EQ(PlotTest::SeamOf(*Plot).Paint->PlotImageCount(0), 0);
}

}  // namespace
