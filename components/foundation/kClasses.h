#pragma once
// Library classes shared by the components: the drawing containers of the
// channels and limits.

#include <memory>

#include "platform/Classes.h"

// ---------------------------------------------------------------------------
// Drawing containers
// ---------------------------------------------------------------------------

// Minimum and maximum of the values that fall on one pixel column, so that
// dense data draws one vertical stroke per column.
class TkPlotMinMaxPoint : public TPersistent {
    PL_CLASSINFO()
public:
    TkPlotMinMaxPoint() { Clear(); }

    // Starts a new column; the position and the first and last values stay.
    void Clear();
    void AddData(Double NewXValue, Double NewYValue, Integer NewXPixels);
    void AssignDown(const TkPlotMinMaxPoint* Source);

    Boolean Empty = true;
    Integer XPixels = 0;
    Double XValue = 0.0;
    Double YMax = 0.0;
    Double YMin = 0.0;
    Double YFirst = 0.0;
    Double YLast = 0.0;
};

struct TkLimitData {
    Double Value1 = 0.0;
    Double Value2 = 0.0;
    Double Value3 = 0.0;
};

// Growable array of three-value records (the points of a limit band).
class TkLimitDataList : public TObject {
    PL_CLASSINFO()
public:
    static constexpr Integer MaxCapacity = 0x7FFFFFF;

    Integer Add(Double Value1, Double Value2, Double Value3);
    // Raises "Exceed Maximum List Size" above MaxCapacity or below 0 and
    // changes nothing then; a capacity below Count drops the records above.
    void SetCapacity(Integer NewCapacity);
    // Count and capacity 0; the array is released.
    void Clear();

    // An index outside 0 .. Count - 1 raises "Index out of Bounds".
    const TkLimitData& GetItem(Integer Index) const;
    Double GetValue1(Integer Index) const { return GetItem(Index).Value1; }
    Double GetValue2(Integer Index) const { return GetItem(Index).Value2; }
    Double GetValue3(Integer Index) const { return GetItem(Index).Value3; }

    Integer Count() const { return FCount; }
    Integer Capacity() const { return FCapacity; }

private:
    void Grow();

    std::unique_ptr<TkLimitData[]> FList;
    Integer FCount = 0;
    Integer FCapacity = 0;
};

// State of one step of a digital trace.
class TDigitalSequenceData : public TObject {
    PL_CLASSINFO()
public:
    // Forgets which values are set; the values stay.
    void Clear();

    Boolean StartSet = false;
    Double StartXValue = 0.0;
    Double StartYValue = 0.0;
    Boolean StopSet = false;
    Double StopXValue = 0.0;
    Boolean TransitionSet = false;
    Double TransitionXValue = 0.0;
};

// ---------------------------------------------------------------------------
// Repaint pacing: the global update object
// ---------------------------------------------------------------------------

#include <vector>

class TTimer;

// What the update object asks of a paced component. Times are milliseconds
// of MonotonicNow, so a wall-clock change never stalls the pacing.
class IkUpdateControl {
public:
    virtual Boolean GetUpdateActive() const = 0;
    virtual Boolean GetNeedsRepaint() const = 0;
    virtual Integer GetUpdateFrameRate() const = 0;
    virtual Int64 GetLastUpdate() const = 0;
    virtual void DoRepaint() = 0;

protected:
    ~IkUpdateControl() = default;
};

// True when more than one frame period (1 / FrameRate seconds) has passed
// since LastUpdate. A rate of 0 has no period and counts as due; a negative
// rate gives a negative period, which is always due.
Boolean FramePeriodElapsed(Int64 LastUpdate, Integer FrameRate);

// Repaints, once a second, the components whose repaint was deferred by
// their frame rate. Its timer runs from creation, stops when the last
// component unregisters and starts again with the next registration.
class TkUpdateObject : public TObject {
    PL_CLASSINFO()
public:
    TkUpdateObject();
    ~TkUpdateObject() override;

    void AddUpdateControl(IkUpdateControl* Control);
    void RemoveUpdateControl(IkUpdateControl* Control);
    Integer ControlCount() const { return static_cast<Integer>(FControlList.size()); }
    Boolean TimerEnabled() const;

    // One tick: repaints every registered component that is due.
    void UpdateTimerTick();

private:
    static Boolean ComponentNeedsUpdate(const IkUpdateControl* Control);
    Boolean IsRegistered(const IkUpdateControl* Control) const;

    TOwned<TTimer> FTimer;
    std::vector<IkUpdateControl*> FControlList;
};

// The single update object: made by the unit's initialisation (or by the
// first component, whichever comes first) and freed by its finalisation;
// nullptr once finalised.
TkUpdateObject* UpdateObject();
// The unit's initialisation and finalisation, guarded by a unit counter.
void kClassesInitialization();
void kClassesFinalization();
