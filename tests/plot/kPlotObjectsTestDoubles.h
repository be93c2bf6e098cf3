#pragma once
// Stand-ins for the object model: small object kinds with the operations
// the managers need, and a master that routes what the objects report as
// the plot's master manager does, logging it in its stand-in owner.

#include <functional>
#include <memory>
#include <vector>

#include "components/plot/objects/kPlotManagers.h"
#include "components/plot/objects/kPlotTranslation.h"
#include "platform/FormStream.h"
#include "tests/support/PlotStandIn.h"

namespace PlotTest {

inline TStandInPlot& OwnerOf(const TkPlotObject& Object) { return *static_cast<TStandInPlot*>(Object.Owner()); }

// An object of kind K.
template <class Base, TkPlotObjectKind K = kpokNone>
class TOfKind : public Base {
public:
    using Base::Base;
    TkPlotObjectKind Kind() const override { return K; }
};

class TFakeXAxis : public TOfKind<TkPlotLayoutObject, kpokXAxis> {
    PL_CLASSINFO()
public:
    using TOfKind::TOfKind;
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { SetProperty(FTitle, Value, &TFakeXAxis::DoChange); }

private:
    String FTitle;
};

class TFakeYAxis : public TOfKind<TkPlotLayoutObject, kpokYAxis> {
    PL_CLASSINFO()
public:
    using TOfKind::TOfKind;
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { SetProperty(FTitle, Value, &TFakeYAxis::DoChange); }

private:
    String FTitle;
};

class TFakeChannel : public TOfKind<TkPlotManagerObject, kpokChannel> {
    PL_CLASSINFO()
public:
    using TOfKind::TOfKind;
    const String& TitleText() const { return FTitleText; }
    void SetTitleText(const String& Value) { SetProperty(FTitleText, Value, &TFakeChannel::DoChange); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { SetProperty(FColor, Value, &TFakeChannel::DoChange); }
    const String& XAxisName() const { return FXAxisName; }
    void SetXAxisName(const String& Value) { SetProperty(FXAxisName, Value, &TFakeChannel::DoChange); }
    const String& YAxisName() const { return FYAxisName; }
    void SetYAxisName(const String& Value) { SetProperty(FYAxisName, Value, &TFakeChannel::DoChange); }
    Double Offset() const { return FOffset; }
    void SetOffset(Double Value) { SetProperty(FOffset, Value, &TFakeChannel::DoChange); }

private:
    String FTitleText;
    TColor FColor = 0x0000FF;
    String FXAxisName;
    String FYAxisName;
    Double FOffset = 0;
};

class TFakeDataView : public TOfKind<TkPlotLayoutObject, kpokDataView> {
    PL_CLASSINFO()
public:
    using TOfKind::TOfKind;
    String GridXAxisName;
    String GridYAxisName;
    void SetGridXAxisName(const String& Value) { GridXAxisName = Value; }
    void SetGridYAxisName(const String& Value) { GridYAxisName = Value; }
};

class TFakeCursor : public TOfKind<TkPlotManagerObject, kpokDataCursor> {
    PL_CLASSINFO()
public:
    using TOfKind::TOfKind;
    TFakeDataView* DataView = nullptr;
    String ChannelName;
    void SetDataView(TFakeDataView* Value) { DataView = Value; }
    void SetChannelName(const String& Value) { ChannelName = Value; }
};

class TFakeLimit : public TOfKind<TkPlotObject, kpokLimit> {
    PL_CLASSINFO()
public:
    using TOfKind::TOfKind;
    String XAxisName;
    String YAxisName;
    void SetXAxisName(const String& Value) { XAxisName = Value; }
    void SetYAxisName(const String& Value) { YAxisName = Value; }
};

class TFakeLabel : public TOfKind<TkPlotLayoutObject, kpokLabel> {
    PL_CLASSINFO()
public:
    using TOfKind::TOfKind;
    String Caption;
    void SetCaption(const String& Value) { Caption = Value; }
};

class TFakeAnnotation : public TOfKind<TkPlotObject, kpokAnnotation> {
    PL_CLASSINFO()
public:
    using TOfKind::TOfKind;
};

// Writes down what objects report, by the names of the reports.
class TReportLog : public TkPlotReportHost {
public:
    std::vector<String> Log;
    // Runs at each rename report.
    std::function<void(TkPlotObject&)> OnRename;

    void Inserted(TkPlotObject&) override { Log.push_back("insert"); }
    void Removed(TObject&) override { Log.push_back("remove"); }
    void Renamed(TkPlotObject& Object) override
    {
        Log.push_back("rename");
        if (OnRename) OnRename(Object);
    }
    void Changed() override { Log.push_back("change"); }
    void LayoutChanged(TkPlotObject&) override { Log.push_back("layout"); }
    void Selected(TkPlotObject&) override { Log.push_back("set focus"); }
    void EditRequested(TkPlotObject&) override { Log.push_back("edit"); }
    void RepaintNow() override { Log.push_back("invalidate now"); }
};

// Routes what every object reports as the plot's master manager does, and
// logs each report in the owner's log.
class TFakeMaster : public TPassedReports {
public:
    TStandInPlot Owner{TStandInPlot::AsPlotLoggingInput};
    Integer Changes = 0;
    // Runs at each change report, as a handler of the plot's would.
    std::function<void()> OnChange;

    TkPlotObjectManager* All = Create<TkPlotObjectManager>(&Owner);
    TkPlotXAxisManagerOf<TFakeXAxis>* XAxes = Create<TkPlotXAxisManagerOf<TFakeXAxis>>(&Owner);
    TkPlotYAxisManagerOf<TFakeYAxis>* YAxes = Create<TkPlotYAxisManagerOf<TFakeYAxis>>(&Owner);
    TkPlotChannelManagerOf<TFakeChannel>* Channels = Create<TkPlotChannelManagerOf<TFakeChannel>>(&Owner);
    TkPlotDataViewManagerOf<TFakeDataView>* DataViews = Create<TkPlotDataViewManagerOf<TFakeDataView>>(&Owner);
    TkPlotDataCursorManagerOf<TFakeCursor, TFakeDataView>* Cursors =
        Create<TkPlotDataCursorManagerOf<TFakeCursor, TFakeDataView>>(&Owner);
    TkPlotLimitManagerOf<TFakeLimit>* Limits = Create<TkPlotLimitManagerOf<TFakeLimit>>(&Owner);
    TkPlotLabelManagerOf<TFakeLabel>* Labels = Create<TkPlotLabelManagerOf<TFakeLabel>>(&Owner);
    TkPlotAnnotationManagerOf<TFakeAnnotation>* Annotations = Create<TkPlotAnnotationManagerOf<TFakeAnnotation>>(&Owner);
    TkPlotTranslationManager* Translations = Create<TkPlotTranslationManager>(&Owner);

    TFakeMaster()
    {
        Owner.ReportTo(this);
        Channels->SetXAxisManager(XAxes);
        Channels->SetYAxisManager(YAxes);
        DataViews->SetXAxisManager(XAxes);
        DataViews->SetYAxisManager(YAxes);
        Cursors->SetChannelManager(Channels);
        Cursors->SetDataViewManager(DataViews);
        Limits->SetXAxisManager(XAxes);
        Limits->SetYAxisManager(YAxes);
        Owner.Table = Translations;
        Owner.Log.clear();
    }
    TFakeMaster(const TFakeMaster&) = delete;
    TFakeMaster& operator=(const TFakeMaster&) = delete;

    ~TFakeMaster()
    {
        Owner.Table = nullptr;
        FreeAndClear(Channels);
        FreeAndClear(XAxes);
        FreeAndClear(YAxes);
        FreeAndClear(DataViews);
        FreeAndClear(Cursors);
        FreeAndClear(Limits);
        FreeAndClear(Labels);
        FreeAndClear(Annotations);
        FreeAndClear(Translations);
        FreeAndClear(All);
    }

    // The typed managers, in the order removals are passed on.
    std::vector<TkPlotObjectManagerCustom*> Typed() const
    {
        std::vector<TkPlotObjectManagerCustom*> result;
        for (TkPlotObjectManagerCustom* m : std::initializer_list<TkPlotObjectManagerCustom*>{
                 XAxes, YAxes, Channels, DataViews, Cursors, Limits, Labels, Annotations})
            if (m) result.push_back(m);
        return result;
    }

    // Creates an object of the manager's kind and announces it.
    template <class M>
    auto* Add(M* Manager)
    {
        auto* object = Manager->CreateObject();
        object->DoInsert();
        return Manager->GetItem(Manager->GetIndex(object));
    }

    // --- what the objects report ---------------------------------------------------------
    void Inserted(TkPlotObject& Object) override
    {
        if (All) All->NotificationInsert(&Object);
        for (TkPlotObjectManagerCustom* m : Typed()) m->NotificationInsert(&Object);
        Owner.Log.push_back("insert " + Object.Name());
    }
    void Removed(TObject& Member) override
    {
        auto* object = dynamic_cast<TkPlotObject*>(&Member);
        if (!object) return;
        Owner.Log.push_back("remove " + object->Name());
        if (All) All->NotificationRemove(object);
        for (TkPlotObjectManagerCustom* m : Typed()) m->NotificationRemove(object);
    }
    void Renamed(TkPlotObject& Object) override
    {
        Owner.Log.push_back("rename " + Object.NameOld() + " to " + Object.Name());
        for (TkPlotObjectManagerCustom* m : Typed()) m->NotificationRename(&Object);
    }
    void Changed() override
    {
        ++Changes;
        if (OnChange) OnChange();
    }
    void Selected(TkPlotObject& Object) override
    {
        for (TkPlotObjectManagerCustom* m : Typed()) m->NotificationSetFocus(&Object);
    }

private:
    // Kept until it is gone, as the master manager keeps its managers.
    template <class M>
    static void FreeAndClear(M*& Field)
    {
        Free(Field);
        Field = nullptr;
    }
};

// A component that streams the fake plot's collections as the plot does.
class TFakePlotRoot : public TComponent {
    PL_CLASSINFO()
public:
    explicit TFakePlotRoot(TComponent* AOwner) : TComponent(AOwner) {}
    std::unique_ptr<TFakeMaster> Master = std::make_unique<TFakeMaster>();

    void DefineProperties(TFiler& Filer) override
    {
        TComponent::DefineProperties(Filer);
        Define(Filer, "XAxisManager", *Master->XAxes);
        Define(Filer, "ChannelManager", *Master->Channels);
        Define(Filer, "TranslationManager", *Master->Translations);
    }

private:
    template <class M>
    static void Define(TFiler& Filer, const char* Name, M& Manager)
    {
        Filer.DefineProperty(
            Name, [&Manager](TReader& Reader) { Manager.ReadFromStream(Reader); },
            [&Manager](TWriter& Writer) { Manager.WriteToStream(Writer); }, Manager.DoWriteToStream());
    }
};

inline TClass TFakeXAxis::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFakeXAxis, TkPlotLayoutObject>("TFakeXAxis")
                                       .String("Title", &TFakeXAxis::Title, &TFakeXAxis::SetTitle)
                                       .Build();
    return &info;
}

inline TClass TFakeYAxis::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFakeYAxis, TkPlotLayoutObject>("TFakeYAxis")
                                       .String("Title", &TFakeYAxis::Title, &TFakeYAxis::SetTitle)
                                       .Build();
    return &info;
}

inline TClass TFakeChannel::StaticClassInfo()
{
    using C = TFakeChannel;
    static const TClassInfo info = TClassBuilder<C, TkPlotManagerObject>("TFakeChannel")
                                       .String("TitleText", &C::TitleText, &C::SetTitleText)
                                       .Color("Color", &C::Color, &C::SetColor)
                                       .String("XAxisName", &C::XAxisName, &C::SetXAxisName)
                                       .String("YAxisName", &C::YAxisName, &C::SetYAxisName)
                                       .Float("Offset", &C::Offset, &C::SetOffset)
                                       .Default(0.0)
                                       .Build();
    return &info;
}

#define PLOT_TEST_PLAIN_CLASSINFO(C, Base)                                      \
    inline TClass C::StaticClassInfo()                                          \
    {                                                                           \
        static const TClassInfo info = TClassBuilder<C, Base>(#C).Build();     \
        return &info;                                                           \
    }
PLOT_TEST_PLAIN_CLASSINFO(TFakeDataView, TkPlotLayoutObject)
PLOT_TEST_PLAIN_CLASSINFO(TFakeCursor, TkPlotManagerObject)
PLOT_TEST_PLAIN_CLASSINFO(TFakeLimit, TkPlotObject)
PLOT_TEST_PLAIN_CLASSINFO(TFakeLabel, TkPlotLayoutObject)
PLOT_TEST_PLAIN_CLASSINFO(TFakeAnnotation, TkPlotObject)
PLOT_TEST_PLAIN_CLASSINFO(TFakePlotRoot, TComponent)
#undef PLOT_TEST_PLAIN_CLASSINFO

}  // namespace PlotTest
