#pragma once
// The hub of one plot's object model. The master manager owns one manager
// per kind of plot object, the manager of all objects, the layout manager
// and the translation table; it hears what every object reports of itself
// (its insertion, removal, rename, changes and selection: the reports part
// of the plot's seam, kPlotHost.h), routes it to the managers and passes on
// to the plot what the plot answers (TkPlotMasterListener, kPlotHost.h). It
// also opens, feeds and closes the plot's property editor dialog, through
// the editor's session, which keeps the editor's own state.
//
// Routing. An insertion reaches the all-objects manager, the layout manager
// (layout objects) and the manager of the object's kind, then the plot. A
// removal reaches the plot first (the plot drops its own references), then
// every manager. A change, and a repaint asked for at once, reach the plot.
//
// The master manager keeps each manager it makes by the kind the manager
// answers, and forgets it when it frees it.
//
// TkPlotMasterManagerOf is written over the classes of the kinds (see
// TkPlotObjectKinds) so that it depends only on the few operations it calls;
// the plot's own master manager is TkPlotMasterManager.

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <tuple>
#include <utility>

#include "components/plot/layout/kPlotLayoutManager.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "components/plot/objects/kPlotManagers.h"
#include "components/plot/objects/kPlotTranslation.h"

class TControl;
class TkPlotEditorSession;


// The part of the master manager that does not depend on the classes of the
// kinds. The plot's objects reach it through their owner's seam (it is the
// plot's TkPlotReportHost).
class TkPlotMasterManagerCustom : public TObject, public TkPlotReportHost {
public:
    // Seat hands the master to the owner's seam as the hearer of its
    // objects' reports, once the master is made and before it makes its
    // managers (AfterConstruction), whose first objects (the layout
    // placeholders) report to it.
    TkPlotMasterManagerCustom(TkPlotObjectOwner* AOwner, const std::function<void(TkPlotReportHost&)>& Seat);
    ~TkPlotMasterManagerCustom() override;
    // Frees an open editor, then the managers (and with them every object).
    void BeforeDestruction() override;

    TkPlotObjectOwner* Owner() const { return FOwner; }

    // --- the plot ----------------------------------------------------------------
    // What hears what reaches the plot; nullptr: nothing does.
    void SetListener(TkPlotMasterListener* Value) { FListener = Value; }

    // --- managers (nullptr once ended) ----------------------------------------
    TkPlotObjectManager* PlotObjectManager() const { return FPlotObjectManager; }
    TkPlotLayoutManager* LayoutManager() const { return FLayoutManager; }
    TkPlotTranslationManager* TranslationManager() const { return FTranslationManager; }
    TkPlotObjectManagerCustom* Manager(TkPlotObjectKind Kind) const;
    // Calls Action on every object of the kinds in Kinds, kind by kind.
    template <class F>
    void ForEachObjectOf(std::span<const TkPlotObjectKind> Kinds, F Action) const;
    template <class F>
    void ForEachObjectOf(TkPlotObjectKind Kind, F Action) const
    {
        ForEachObjectOf(std::span(&Kind, 1), Action);
    }
    // The kind of an object; kpokNone for others (the layout placeholders).
    static TkPlotObjectKind ObjectKind(const TkPlotObject* AObject) { return AObject->Kind(); }

    // --- adding objects ----------------------------------------------------------
    // Makes an object of Kind with the plot, announces it, and returns its
    // index in its manager (-1 when a handler of the announcement took it
    // away again, or for kpokNone). The manager gives it its default name
    // and settings. A channel raises Exception when no channel class was set.
    Integer Add(TkPlotObjectKind Kind) { return Kind == kpokChannel ? AddChannel() : AddObject(Kind); }
    // A new translation entry, first in the table (index 0).
    Integer AddTranslation();

    // --- settings copied to every object ----------------------------------------------
    bool UserCanEditObjects() const { return FUserCanEditObjects; }
    void SetUserCanEditObjects(bool Value);
    bool XYAxesReverse() const { return FXYAxesReverse; }
    // Tells the layout manager and every object, then repaints at once.
    void SetXYAxesReverse(bool Value);

    // --- operations on the plot's objects ------------------------------------------------
    void ShowToolBars(bool Value);
    // Empties every channel; the axes align again on the next point.
    virtual void ClearAllData() = 0;
    void DeSelectAll();

    // --- editor ----------------------------------------------------------------------------
    // The plot's property editor: its dialog and what it keeps between
    // openings.
    TkPlotEditorSession& Editor() const { return *FEditor; }
    // Opens the editor (see TkPlotEditorSession::EditProperties).
    void EditProperties();
    // Translates the captions and items of a dialog and its owned controls
    // (never the contents of edits), when the table holds entries; an
    // editor that is closing is left alone.
    void TranslateEditorForm(TControl* Control);

    // Changes whenever an axis is added, removed or renamed: kept by the
    // reports that carry those changes, so that asking costs nothing.
    Cardinal AxesVersion() const { return FAxesVersion; }

    // --- what every object reports (TkPlotReportHost) ------------------------------------
    void Inserted(TkPlotObject& Object) override;
    void Removed(TObject& Member) override;
    void Renamed(TkPlotObject& Object) override;
    void Changed() override;
    void LayoutChanged(TkPlotObject& Object) override;
    void Selected(TkPlotObject& Object) override;
    void EditRequested(TkPlotObject& Object) override;
    void RepaintNow() override;

protected:
    // The one Add that depends on the classes of the kinds.
    virtual Integer AddChannel() = 0;
    // Makes a manager with the plot and keeps it.
    template <class M, class... Extra>
    M* CreateManager(Extra&&... extra)
    {
        M* manager = Create<M>(FOwner, std::forward<Extra>(extra)...);
        Keep(manager);
        return manager;
    }
    void CreateTranslationManager();
    Integer AddObject(TkPlotObjectKind Kind);
    void SetUserCanEditObjectsField(bool Value) { FUserCanEditObjects = Value; }

private:
    void Keep(TkPlotObjectManager* Manager) { FPlotObjectManager = Manager; }
    void Keep(TkPlotLayoutManager* Manager) { FLayoutManager = Manager; }
    // A manager of one kind, by the kind it answers.
    void Keep(TkPlotObjectManagerCustom* Manager);
    void InsertPlotObject(TkPlotObject* AObject);
    void RemovePlotObject(TkPlotObject* AObject);
    void CountAxisChange(const TkPlotObject* AObject);

    TkPlotObjectOwner* FOwner;
    bool FUserCanEditObjects = false;
    std::array<TkPlotObjectManagerCustom*, PlotObjectKindCount> FManagers{};
    TkPlotTranslationManager* FTranslationManager = nullptr;
    TkPlotLayoutManager* FLayoutManager = nullptr;
    TkPlotObjectManager* FPlotObjectManager = nullptr;
    TkPlotMasterListener* FListener = nullptr;
    std::unique_ptr<TkPlotEditorSession> FEditor;
    bool FXYAxesReverse = false;
    Cardinal FAxesVersion = 0;
};

template <class F>
void TkPlotMasterManagerCustom::ForEachObjectOf(std::span<const TkPlotObjectKind> Kinds, F Action) const
{
    for (TkPlotObjectKind kind : Kinds) {
        TkPlotObjectManagerCustom* manager = Manager(kind);
        // Indexes are checked against the count each time: an action may
        // take objects away.
        for (Integer i = 0; manager && i < manager->Count(); ++i) Action(manager->GetItem(i));
    }
}

// Requirements of the kinds whose operations the master manager calls.
template <class T>
concept PlotClearableChannel = requires(T& Channel) { Channel.Clear(); };
template <class T>
concept PlotAligningAxis = requires(T& Axis) { Axis.ResetFirstAlign(); };

// Whether the managers in tuple M keep the kinds in the order of the kinds.
template <class M, std::size_t... Kinds>
constexpr bool PlotManagersInKindOrder(std::index_sequence<Kinds...>)
{
    return ((std::tuple_element_t<Kinds, M>::KindOf == TkPlotObjectKind(Kinds)) && ...);
}

// The master manager over the object classes of a bundle K with one member
// per kind (TkPlotObjectKinds, kPlotKinds.h).
template <class K>
class TkPlotMasterManagerOf : public TkPlotMasterManagerCustom {
public:
    // The manager of each kind, in the order of the kinds.
    using TManagers = std::tuple<TkPlotToolBarManagerOf<typename K::ToolBar>, TkPlotLegendManagerOf<typename K::Legend>,
                                 TkPlotTableManagerOf<typename K::Table>, TkPlotXAxisManagerOf<typename K::XAxis>,
                                 TkPlotYAxisManagerOf<typename K::YAxis>, TkPlotChannelManagerOf<typename K::Channel>,
                                 TkPlotDataViewManagerOf<typename K::DataView>,
                                 TkPlotDataCursorManagerOf<typename K::DataCursor, typename K::DataView>,
                                 TkPlotLimitManagerOf<typename K::Limit>, TkPlotLabelManagerOf<typename K::Label>,
                                 TkPlotAnnotationManagerOf<typename K::Annotation>>;
    static_assert(std::tuple_size_v<TManagers> == PlotObjectKindCount);
    static_assert(PlotManagersInKindOrder<TManagers>(std::make_index_sequence<PlotObjectKindCount>()),
                  "one manager per kind, in the order of the kinds");
    template <TkPlotObjectKind Kind>
    using TManager = std::tuple_element_t<Kind, TManagers>;
    using TChannelClass = typename TManager<kpokChannel>::TObjectClass;

    using TkPlotMasterManagerCustom::TkPlotMasterManagerCustom;

    // Makes the managers (each is kept by its kind), then links those that
    // name objects of other kinds.
    void AfterConstruction() override
    {
        TkPlotMasterManagerCustom::AfterConstruction();
        CreateManager<TkPlotObjectManager>();
        CreateKindManagers(std::make_index_sequence<PlotObjectKindCount>());
        CreateManager<TkPlotLayoutManager>();
        CreateTranslationManager();
        LinkManagers();
        SetUserCanEditObjectsField(true);
    }

    // The manager of Kind (nullptr once ended).
    template <TkPlotObjectKind Kind>
    TManager<Kind>* KindManager() const
    {
        return static_cast<TManager<Kind>*>(Manager(Kind));
    }

    // The class of the channels AddChannel makes (none for an abstract
    // channel kind until the plot sets its own).
    TChannelClass ChannelClass() const { return KindManager<kpokChannel>()->ObjectClass(); }
    void SetChannelClass(TChannelClass Value) { KindManager<kpokChannel>()->SetChannelClass(Value); }

    void ClearAllData() override
    {
        static_assert(PlotClearableChannel<typename K::Channel>);
        static_assert(PlotAligningAxis<typename K::XAxis> && PlotAligningAxis<typename K::YAxis>);
        ForEachObjectOf(kpokChannel, [](TkPlotObject* o) { static_cast<typename K::Channel*>(o)->Clear(); });
        ForEachObjectOf(kpokXAxis, [](TkPlotObject* o) { static_cast<typename K::XAxis*>(o)->ResetFirstAlign(); });
        ForEachObjectOf(kpokYAxis, [](TkPlotObject* o) { static_cast<typename K::YAxis*>(o)->ResetFirstAlign(); });
    }

protected:
    Integer AddChannel() override
    {
        if (!ChannelClass()) throw Exception("No channel class is set for this plot");
        return AddObject(kpokChannel);
    }

private:
    template <std::size_t... Kinds>
    void CreateKindManagers(std::index_sequence<Kinds...>)
    {
        (CreateManager<TManager<TkPlotObjectKind(Kinds)>>(), ...);
    }

    void LinkManagers()
    {
        auto* channels = KindManager<kpokChannel>();
        channels->SetXAxisManager(KindManager<kpokXAxis>());
        channels->SetYAxisManager(KindManager<kpokYAxis>());
        KindManager<kpokDataView>()->SetXAxisManager(KindManager<kpokXAxis>());
        KindManager<kpokDataView>()->SetYAxisManager(KindManager<kpokYAxis>());
        KindManager<kpokDataCursor>()->SetChannelManager(channels);
        KindManager<kpokDataCursor>()->SetDataViewManager(KindManager<kpokDataView>());
        KindManager<kpokLimit>()->SetXAxisManager(KindManager<kpokXAxis>());
        KindManager<kpokLimit>()->SetYAxisManager(KindManager<kpokYAxis>());
    }
};

using TkPlotMasterManager = TkPlotMasterManagerOf<TkPlotObjectKinds>;
