#pragma once
// Object managers: the ordered, named lists of a plot's objects, one per
// kind, plus the list of all objects. A manager hands its owner (the plot)
// to every object it creates, names unnamed objects ("Channel 1", "Channel
// 2", ...), keeps the index of its objects' names that resolves the
// references other objects hold to them, and writes and reads its objects
// as one collection of the plot's form stream. A notification costs the
// references it concerns, not a walk of the objects: a plot loads and ends
// thousands of objects in linear time.
//
// The typed managers are templates over their object class so that they
// depend only on the few operations listed with each; the master manager
// makes the plot's own, keeps them and hands them the reports of the
// objects. A manager answers the kind it keeps (Kind) and reports a change
// of its list to the plot (DoChange).

#include <array>
#include <concepts>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <unordered_set>
#include <vector>

#include "components/plot/objects/kPlotNameNumbers.h"
#include "components/plot/objects/kPlotObjectRef.h"
#include "components/plot/objects/kPlotObjects.h"

class TReader;
class TWriter;

class TkPlotObjectManagerCustom : public TObject {
public:
    // Raises Exception("Owner must be Assigned") without an owner.
    explicit TkPlotObjectManagerCustom(TkPlotObjectOwner* AOwner);
    // Clear.
    void BeforeDestruction() override;

    // An object of the manager's kind, made with the manager's owner and not
    // announced yet (its maker calls DoInsert). Raises "Object Manager does
    // not support creation of objects" here.
    virtual TkPlotObject* CreateObject();
    // The stem of generated names.
    virtual String GetBaseName() const = 0;
    // The kind of the objects the manager keeps; kpokNone for the lists of
    // every object and of the layout objects.
    virtual TkPlotObjectKind Kind() const { return kpokNone; }
    // An object is being removed from the plot: takes it out of the list
    // (searching from the last entry), then DoObjectRemoved and DoChange.
    virtual void NotificationRemove(TkPlotObject* AObject);
    // An object was announced; each manager lists only its own kind.
    virtual void NotificationInsert(TkPlotObject* AObject) = 0;
    // Notes the new name of a listed object.
    virtual void NotificationRename(TkPlotObject* AObject);
    virtual void NotificationSetFocus(TkPlotObject* AObject);
    virtual void Clear();
    // Takes the entry at Index out of the list without freeing the object.
    virtual void Delete(Integer Index);

    Integer Count() const { return static_cast<Integer>(FList.size()); }
    // Raises EListError outside 0..Count-1.
    TkPlotObject* GetItem(Integer Index) const;
    Integer GetIndex(const TkPlotObject* AObject) const;
    // The first object of that name, ignoring case; nullptr when none.
    TkPlotObject* GetObjectByName(const String& Name) const;
    // The names of the objects, which resolve references to them; nullptr
    // for a manager whose objects are not named by others.
    TkPlotNameIndex* NameIndex() const { return FNames.get(); }
    Integer GetIndexByName(const String& Name) const;
    // GetBaseName, a blank and one more than the highest number that follows
    // the base name in an object's name: gaps are not reused.
    String GetNextName() const;
    // Appends unless listed already.
    void InsertObject(TkPlotObject* AObject);
    // The objects listed, in their order.
    std::vector<TkPlotObject*> Objects() const { return {FList.begin(), FList.end()}; }
    // Lists the objects in their order in Order, which holds every one of
    // them (and may hold others, passed over); nothing when it does not.
    void ListInOrder(std::span<TkPlotObject* const> Order);

    bool DoWriteToStream() const { return Count() != 0; }
    // A collection: per object in list order a list of its published and
    // defined properties.
    void WriteToStream(TWriter& Writer) const;
    // Reads a collection, then replaces the manager's objects by the new
    // ones (each announced through DoInsert, in stream order). On a reader
    // error the objects read so far are discarded unannounced and the
    // manager keeps what it held. Another value is skipped.
    void ReadFromStream(TReader& Reader);
    // The list changed: the plot repaints.
    void DoChange();

    TkPlotObjectOwner* Owner() const { return FOwner; }

protected:
    // After an object left the list.
    virtual void DoObjectRemoved(TkPlotObject* AObject);

    // Calls Action on each object listed now; objects freed or taken out of
    // the list meanwhile (by a report or a handler) are skipped.
    template <class F>
    void ForEachObject(F Action) const
    {
        const std::vector<TWeakRef<TkPlotObject>> snapshot(FList.begin(), FList.end());
        for (const auto& ref : snapshot)
            if (TkPlotObject* object = ref.Get(); object && Lists(object)) Action(object);
    }
    void RemoveFromList(TkPlotObject* AObject);
    // Whether AObject is listed here: every notification asks, and the set
    // answers at once, where the list would be searched.
    bool Lists(const TkPlotObject* AObject) const { return FMembers.contains(AObject); }
    // From the constructor of a manager whose objects are named by others.
    void IndexNames() { FNames = std::make_unique<TkPlotNameIndex>(); }

private:
    void DeleteEntry(Integer Index);

    // A deque: a manager cleared from its first object on takes each out
    // at once.
    std::deque<TkPlotObject*> FList;
    std::unordered_set<const TkPlotObject*> FMembers;
    TkPlotNameNumbers FNameNumbers;
    // Only in the managers of the kinds (the list of every object hears of
    // no rename, and walks its objects).
    std::unique_ptr<TkPlotNameIndex> FNames;
    TkPlotObjectOwner* FOwner;
};

// The name of Manager's first object; false when Manager is not set or holds
// no object.
bool FirstObjectName(const TkPlotObjectManagerCustom* Manager, String& Name);

// A manager that owns its objects: Clear and the manager's end free them.
// Its objects are found by name without a walk.
class TkPlotObjectOwnedManager : public TkPlotObjectManagerCustom {
public:
    explicit TkPlotObjectOwnedManager(TkPlotObjectOwner* AOwner);
    // Frees each object listed now; each reports its own removal.
    void Clear() override;
};

// Every object of a plot, not owned.
class TkPlotObjectManager : public TkPlotObjectManagerCustom {
public:
    using TkPlotObjectManagerCustom::TkPlotObjectManagerCustom;
    String GetBaseName() const override { return "n/a"; }
    void NotificationInsert(TkPlotObject* AObject) override;

    void ClearAllUserSelections();
    void SetShiftState(TShiftState Shift);
    // Each forwarder hands its arguments to the entry point of every
    // selected object, in list order.
    void MouseDownFocusObjects(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    void MouseMoveFocusObjects(TkPlotHintData& HintData, TShiftState Shift, Integer X, Integer Y,
                               bool DblClickActive);
    void MouseUpFocusObjects(TMouseButton Button, TShiftState Shift, Integer X, Integer Y, Integer ScreenX,
                             Integer ScreenY, bool DblClickActive, TPopupMenu* PopupMenu);
    void KeyDownFocusObjects(Word& Key, TShiftState Shift, TPopupMenu* PopupMenu);
    // True when any selected object handled the wheel.
    bool MouseWheelFocusObjects(Integer WheelDelta, TShiftState Shift, TPoint MousePos);
    // Before the plot is torn down: no object reports its end any more.
    void ShutDownSetup();

private:
    template <class F>
    void ForEachSelected(F Action) const
    {
        ForEachObject([&](TkPlotObject* object) {
            if (object->UserSelected()) Action(object);
        });
    }
};

// ===========================================================================
// Typed managers
// ===========================================================================

// The manager of kind K: lists only objects of class TKind, creates them
// through a class reference (TKind itself unless it is abstract), and gives
// an unnamed object its defaults once it is listed: a name after the kind
// table's stem ("X-Axis 1").
template <class TKind, TkPlotObjectKind K>
class TkPlotKindManager : public TkPlotObjectOwnedManager {
public:
    using TObjectClass = TkPlotObjectClassOf<TKind>;
    static constexpr TkPlotObjectKind KindOf = K;
    using TkPlotObjectOwnedManager::TkPlotObjectOwnedManager;

    String GetBaseName() const override { return PlotKind(K).NewName; }
    TkPlotObjectKind Kind() const override { return K; }

    TKind* GetItem(Integer Index) const { return static_cast<TKind*>(TkPlotObjectOwnedManager::GetItem(Index)); }
    TKind* GetObjectByName(const String& Name) const
    {
        return static_cast<TKind*>(TkPlotObjectOwnedManager::GetObjectByName(Name));
    }

    TObjectClass ObjectClass() const { return FObjectClass; }
    void SetObjectClass(TObjectClass Value) { FObjectClass = Value; }

    TkPlotObject* CreateObject() override
    {
        if (!FObjectClass) return TkPlotObjectOwnedManager::CreateObject();
        return FObjectClass(Owner());
    }

    // Appends first and names afterwards, so the new object is listed
    // while its name (and colour) are chosen. Named objects keep their
    // settings. The objects of the manager's kind are of its class.
    void NotificationInsert(TkPlotObject* AObject) override
    {
        if (!AObject || AObject->Kind() != this->Kind()) return;
        auto& object = static_cast<TKind&>(*AObject);
        InsertObject(&object);
        if (object.Name().empty()) AssignDefaults(object);
    }

protected:
    virtual void AssignDefaults(TKind& Object) { Object.SetName(GetNextName()); }

private:
    static TObjectClass DefaultClass()
    {
        if constexpr (std::is_abstract_v<TKind>)
            return nullptr;
        else
            return &CreatePlotObject<TKind>;
    }

    TObjectClass FObjectClass = DefaultClass();
};

// Requirements of the kinds whose defaults go beyond a name.
template <class T>
concept PlotTitledAxis = requires(T& Axis, const String& Text) { Axis.SetTitle(Text); };
template <class T>
concept PlotAxisBound = requires(T& Object, const String& Text) {
    Object.SetXAxisName(Text);
    Object.SetYAxisName(Text);
};
template <class T>
concept PlotChannelKind = PlotAxisBound<T> && requires(T& Channel, const String& Text, TColor Color) {
    Channel.SetTitleText(Text);
    Channel.SetColor(Color);
    { Channel.Color() } -> std::convertible_to<TColor>;
};
template <class T>
concept PlotGridKind = requires(T& View, const String& Text) {
    View.SetGridXAxisName(Text);
    View.SetGridYAxisName(Text);
};
template <class T, class TDataView>
concept PlotCursorKind = requires(T& Cursor, TDataView* View, const String& Text) {
    Cursor.SetDataView(View);
    Cursor.SetChannelName(Text);
};
template <class T>
concept PlotCaptionKind = requires(T& Label, const String& Text) { Label.SetCaption(Text); };

template <class TToolBar>
using TkPlotToolBarManagerOf = TkPlotKindManager<TToolBar, kpokToolBar>;
template <class TLegend>
using TkPlotLegendManagerOf = TkPlotKindManager<TLegend, kpokLegend>;
template <class TTable>
using TkPlotTableManagerOf = TkPlotKindManager<TTable, kpokTable>;

// An axis is titled with its name.
template <class TAxis, TkPlotObjectKind K>
class TkPlotAxisManagerOf : public TkPlotKindManager<TAxis, K> {
public:
    using TkPlotKindManager<TAxis, K>::TkPlotKindManager;

protected:
    void AssignDefaults(TAxis& Axis) override
    {
        static_assert(PlotTitledAxis<TAxis>);
        TkPlotKindManager<TAxis, K>::AssignDefaults(Axis);
        Axis.SetTitle(Axis.Name());
    }
};

template <class TXAxis>
using TkPlotXAxisManagerOf = TkPlotAxisManagerOf<TXAxis, kpokXAxis>;
template <class TYAxis>
using TkPlotYAxisManagerOf = TkPlotAxisManagerOf<TYAxis, kpokYAxis>;

// A kind whose new objects are bound to X axis 0 and Y axis 0. The axis
// managers are siblings set by the master manager, valid for its lifetime.
template <class TKind, TkPlotObjectKind K>
class TkPlotAxisBoundManager : public TkPlotKindManager<TKind, K> {
public:
    using TkPlotKindManager<TKind, K>::TkPlotKindManager;
    void SetXAxisManager(const TkPlotObjectManagerCustom* Value) { FXAxisManager = Value; }
    void SetYAxisManager(const TkPlotObjectManagerCustom* Value) { FYAxisManager = Value; }

protected:
    // Calls Bind with the names of X axis 0 and Y axis 0, each only when
    // that axis exists.
    template <class FX, class FY>
    void BindFirstAxes(FX BindX, FY BindY) const
    {
        String name;
        if (FirstObjectName(FXAxisManager, name)) BindX(name);
        if (FirstObjectName(FYAxisManager, name)) BindY(name);
    }

private:
    const TkPlotObjectManagerCustom* FXAxisManager = nullptr;
    const TkPlotObjectManagerCustom* FYAxisManager = nullptr;
};

// The colours given to new channels, in the order they are handed out.
extern const std::array<TColor, 30> ChannelColorPalette;

// One colour of the channel palette and how many channels have it.
struct TkColorCountObject {
    TColor Color = 0;
    Integer Count = 0;
};

// The palette in its order, each entry counting the channel colours equal
// to it exactly; colours outside the palette count nowhere.
std::array<TkColorCountObject, ChannelColorPalette.size()> CountChannelColors(std::span<const TColor> ChannelColors);

// The colour of a new channel, given the colours of every channel including
// the new one (still red): red while there are fewer than 2 channels, else
// the first palette colour that the fewest channels use.
TColor NextChannelColor(std::span<const TColor> ChannelColors);

template <class TChannel>
class TkPlotChannelManagerOf : public TkPlotAxisBoundManager<TChannel, kpokChannel> {
    using Base = TkPlotAxisBoundManager<TChannel, kpokChannel>;

public:
    using Base::Base;
    // The class of the channels CreateObject makes (the plot's channel class).
    void SetChannelClass(typename Base::TObjectClass Value) { this->SetObjectClass(Value); }

    TColor GetNextChannelColor() const
    {
        std::vector<TColor> colors;
        for (Integer i = 0; i < this->Count(); ++i) colors.push_back(this->GetItem(i)->Color());
        return NextChannelColor(colors);
    }
    // While set, new channels take this colour instead of the palette's
    // choice, which reads the colour of every channel: a loader that colours
    // each channel it adds spares that.
    void SetNewChannelColor(std::optional<TColor> Value) { FNewChannelColor = Value; }

protected:
    void AssignDefaults(TChannel& Channel) override
    {
        static_assert(PlotChannelKind<TChannel>);
        Base::AssignDefaults(Channel);
        Channel.SetTitleText(Channel.Name());
        Channel.SetColor(FNewChannelColor ? *FNewChannelColor : GetNextChannelColor());
        this->BindFirstAxes([&](const String& X) { Channel.SetXAxisName(X); },
                            [&](const String& Y) { Channel.SetYAxisName(Y); });
    }

private:
    std::optional<TColor> FNewChannelColor;
};

template <class TDataView>
class TkPlotDataViewManagerOf : public TkPlotAxisBoundManager<TDataView, kpokDataView> {
    using Base = TkPlotAxisBoundManager<TDataView, kpokDataView>;

public:
    using Base::Base;

protected:
    void AssignDefaults(TDataView& View) override
    {
        static_assert(PlotGridKind<TDataView>);
        Base::AssignDefaults(View);
        this->BindFirstAxes([&](const String& X) { View.SetGridXAxisName(X); },
                            [&](const String& Y) { View.SetGridYAxisName(Y); });
    }
};

template <class TLimit>
class TkPlotLimitManagerOf : public TkPlotAxisBoundManager<TLimit, kpokLimit> {
    using Base = TkPlotAxisBoundManager<TLimit, kpokLimit>;

public:
    using Base::Base;

protected:
    void AssignDefaults(TLimit& Limit) override
    {
        static_assert(PlotAxisBound<TLimit>);
        Base::AssignDefaults(Limit);
        this->BindFirstAxes([&](const String& X) { Limit.SetXAxisName(X); },
                            [&](const String& Y) { Limit.SetYAxisName(Y); });
    }
};

// A new cursor lives in data view 0 and follows channel 0 (when they exist).
template <class TCursor, class TDataView>
class TkPlotDataCursorManagerOf : public TkPlotKindManager<TCursor, kpokDataCursor> {
    using Base = TkPlotKindManager<TCursor, kpokDataCursor>;

public:
    using Base::Base;
    void SetChannelManager(const TkPlotObjectManagerCustom* Value) { FChannelManager = Value; }
    void SetDataViewManager(const TkPlotKindManager<TDataView, kpokDataView>* Value) { FDataViewManager = Value; }

protected:
    void AssignDefaults(TCursor& Cursor) override
    {
        static_assert(PlotCursorKind<TCursor, TDataView>);
        Base::AssignDefaults(Cursor);
        if (FDataViewManager && FDataViewManager->Count() > 0) Cursor.SetDataView(FDataViewManager->GetItem(0));
        String name;
        if (FirstObjectName(FChannelManager, name)) Cursor.SetChannelName(name);
    }

private:
    const TkPlotObjectManagerCustom* FChannelManager = nullptr;
    const TkPlotKindManager<TDataView, kpokDataView>* FDataViewManager = nullptr;
};

// A label's caption starts as its name.
template <class TLabel>
class TkPlotLabelManagerOf : public TkPlotKindManager<TLabel, kpokLabel> {
    using Base = TkPlotKindManager<TLabel, kpokLabel>;

public:
    using Base::Base;

protected:
    void AssignDefaults(TLabel& Label) override
    {
        static_assert(PlotCaptionKind<TLabel>);
        Base::AssignDefaults(Label);
        Label.SetCaption(Label.Name());
    }
};

// Annotations stay unnamed.
template <class TAnnotation>
class TkPlotAnnotationManagerOf : public TkPlotKindManager<TAnnotation, kpokAnnotation> {
public:
    using TkPlotKindManager<TAnnotation, kpokAnnotation>::TkPlotKindManager;

protected:
    void AssignDefaults(TAnnotation&) override {}
};
