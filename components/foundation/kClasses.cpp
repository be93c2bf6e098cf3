#include "components/foundation/kClasses.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// Drawing containers
// ---------------------------------------------------------------------------

TClass TkPlotMinMaxPoint::StaticClassInfo()
{
    static const TClassInfo info("TkPlotMinMaxPoint", TPersistent::StaticClassInfo());
    return &info;
}

void TkPlotMinMaxPoint::Clear()
{
    Empty = true;
    YMax = -1e301;
    YMin = 1e301;
}

void TkPlotMinMaxPoint::AddData(Double NewXValue, Double NewYValue, Integer NewXPixels)
{
    if (Empty) {
        Empty = false;
        XPixels = NewXPixels;
        XValue = NewXValue;
        YFirst = NewYValue;
    }
    if (NewYValue > YMax) YMax = NewYValue;
    if (NewYValue < YMin) YMin = NewYValue;
    YLast = NewYValue;
}

void TkPlotMinMaxPoint::AssignDown(const TkPlotMinMaxPoint* Source)
{
    Empty = Source->Empty;
    XPixels = Source->XPixels;
    XValue = Source->XValue;
    YMax = Source->YMax;
    YMin = Source->YMin;
    YFirst = Source->YFirst;
    YLast = Source->YLast;
}

TClass TkLimitDataList::StaticClassInfo()
{
    static const TClassInfo info("TkLimitDataList", TObject::StaticClassInfo());
    return &info;
}

Integer TkLimitDataList::Add(Double Value1, Double Value2, Double Value3)
{
    if (FCount == FCapacity) Grow();
    FList[FCount] = {Value1, Value2, Value3};
    return FCount++;
}

void TkLimitDataList::Grow()
{
    Integer delta = 4;
    if (FCapacity > 64)
        delta = FCapacity / 4;
    else if (FCapacity > 8)
        delta = 16;
    SetCapacity(FCapacity + delta);
}

void TkLimitDataList::SetCapacity(Integer NewCapacity)
{
    if (NewCapacity > MaxCapacity || NewCapacity < 0) throw EListError("Exceed Maximum List Size");
    if (NewCapacity == FCapacity) return;
    std::unique_ptr<TkLimitData[]> list;
    if (NewCapacity > 0) {
        list = std::make_unique_for_overwrite<TkLimitData[]>(std::size_t(NewCapacity));
        std::copy_n(FList.get(), std::min(FCount, NewCapacity), list.get());
    }
    FList = std::move(list);
    FCapacity = NewCapacity;
    FCount = std::min(FCount, NewCapacity);
}

void TkLimitDataList::Clear()
{
    FList.reset();
    FCount = 0;
    FCapacity = 0;
}

const TkLimitData& TkLimitDataList::GetItem(Integer Index) const
{
    if (Index < 0 || Index >= FCount) throw EListError("Index out of Bounds");
    return FList[Index];
}

TClass TDigitalSequenceData::StaticClassInfo()
{
    static const TClassInfo info("TDigitalSequenceData", TObject::StaticClassInfo());
    return &info;
}

void TDigitalSequenceData::Clear()
{
    StartSet = false;
    StopSet = false;
    TransitionSet = false;
}

// ---------------------------------------------------------------------------
// Repaint pacing: the global update object
// ---------------------------------------------------------------------------

#include "platform/ExtCtrls.h"
#include "platform/SysUtils.h"

Boolean FramePeriodElapsed(Int64 LastUpdate, Integer FrameRate)
{
    if (FrameRate == 0) return true;
    // In floating point: a period of 1000 / rate ms never overflows.
    const Double periodMs = 1000.0 / FrameRate;
    return static_cast<Double>(LastUpdate) + periodMs < static_cast<Double>(MonotonicNow());
}

TClass TkUpdateObject::StaticClassInfo()
{
    static const TClassInfo info("TkUpdateObject", TObject::StaticClassInfo());
    return &info;
}

TkUpdateObject::TkUpdateObject() : FTimer(CreateOwned<TTimer>(nullptr))
{
    // The timer's own interval, 1000 ms; enabled from the start.
    FTimer->SetOnTimer([this](TObject*) { UpdateTimerTick(); });
}

TkUpdateObject::~TkUpdateObject() = default;

Boolean TkUpdateObject::TimerEnabled() const { return FTimer->Enabled(); }

Boolean TkUpdateObject::IsRegistered(const IkUpdateControl* Control) const
{
    return std::find(FControlList.begin(), FControlList.end(), Control) != FControlList.end();
}

void TkUpdateObject::AddUpdateControl(IkUpdateControl* Control)
{
    FControlList.push_back(Control);
    if (FControlList.size() == 1) FTimer->SetEnabled(true);
}

void TkUpdateObject::RemoveUpdateControl(IkUpdateControl* Control)
{
    auto it = std::find(FControlList.begin(), FControlList.end(), Control);
    if (it == FControlList.end()) return;
    FControlList.erase(it);
    if (FControlList.empty()) FTimer->SetEnabled(false);
}

Boolean TkUpdateObject::ComponentNeedsUpdate(const IkUpdateControl* Control)
{
    // In this order, so that a rate of 0 is never asked for its period.
    return !Control->GetUpdateActive() && Control->GetNeedsRepaint() &&
           FramePeriodElapsed(Control->GetLastUpdate(), Control->GetUpdateFrameRate());
}

void TkUpdateObject::UpdateTimerTick()
{
    // A copy: components may register or unregister while others repaint;
    // those that left meanwhile are skipped.
    const std::vector<IkUpdateControl*> controls = FControlList;
    for (IkUpdateControl* control : controls)
        if (IsRegistered(control) && ComponentNeedsUpdate(control)) control->DoRepaint();
}

namespace {

struct TUpdateObjectUnit {
    Integer Count = 0;
    Boolean Finalized = false;
    TkUpdateObject* Instance = nullptr;
};

TUpdateObjectUnit& UpdateObjectUnit()
{
    static TUpdateObjectUnit unit;
    return unit;
}

}  // namespace

TkUpdateObject* UpdateObject()
{
    TUpdateObjectUnit& unit = UpdateObjectUnit();
    if (!unit.Instance && !unit.Finalized) unit.Instance = Create<TkUpdateObject>();
    return unit.Instance;
}

void kClassesInitialization()
{
    TUpdateObjectUnit& unit = UpdateObjectUnit();
    if (unit.Count++ > 0) return;
    unit.Finalized = false;
    UpdateObject();
}

void kClassesFinalization()
{
    TUpdateObjectUnit& unit = UpdateObjectUnit();
    if (unit.Count == 0 || --unit.Count > 0) return;
    unit.Finalized = true;
    FreeAndNil(unit.Instance);
}
