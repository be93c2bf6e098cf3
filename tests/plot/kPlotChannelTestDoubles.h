#pragma once
// Test doubles for channels and axis tracking: a plot that holds axes and
// channels by name and routes their hooks as the plot does, and a concrete
// channel with an XY channel's extents and a log file in memory.

#include <algorithm>
#include <vector>

#include "components/plot/kPlotAxis.h"
#include "components/plot/kPlotChannelCustom.h"
#include "platform/SysUtils.h"
#include "tests/plot/SilentPlotOwner.h"

namespace ChannelTest {

class TTestPlot : public PlotTest::TSilentPlotOwner, public TkPlotChannelHost {
public:
    std::vector<TkPlotObject*> Objects;
    Cardinal Version = 0;
    mutable Integer Lookups = 0;
    Integer Changes = 0;
    Integer MinSpanEvents = 0;

    TTestPlot() = default;
    TTestPlot(const TTestPlot&) = delete;
    TTestPlot& operator=(const TTestPlot&) = delete;
    ~TTestPlot()
    {
        while (!Objects.empty()) Free(Objects.back());
    }

    template <class T>
    T* Add(const String& Name)
    {
        T* object = Create<T>(this, Hook([this](TObject*) { ++Changes; }), Hook([](TObject*) {}),
                              Hook([this](TObject* Sender) { Removed(static_cast<TkPlotObject*>(Sender)); }),
                              Hook([this](TObject* Sender) { Renamed(static_cast<TkPlotObject*>(Sender)); }));
        object->SetName(Name);
        Objects.push_back(object);
        ++Version;
        return object;
    }

    // --- TkPlotChannelHost ------------------------------------------------------------
    Cardinal AxesVersion() const override { return Version; }
    Integer ChannelCount() const override { return static_cast<Integer>(Channels().size()); }
    TkPlotChannelCustom* GetChannel(Integer Index) const override { return Channels().at(Index); }

    // --- TkPlotAxisOwner ----------------------------------------------------------------
    TkPlotXAxis* GetXAxisByName(const String& Name) const override { return Find<TkPlotXAxis>(Name); }
    TkPlotYAxis* GetYAxisByName(const String& Name) const override { return Find<TkPlotYAxis>(Name); }
    void DoAxisMinChange(TkPlotAxis*, Double, Double) override {}
    void DoAxisSpanChange(TkPlotAxis*, Double, Double) override {}
    void DoAxisMinSpanChange(TkPlotAxis*, Double, Double, Double, Double) override { ++MinSpanEvents; }
    void DoAxisCustomizeLabel(TkPlotAxis*, String&, Double) override {}
    bool IsTkPlot() const override { return false; }

private:
    static TNotifyEvent Hook(TNotifyEvent Event) { return Event; }

    template <class T>
    T* Find(const String& Name) const
    {
        ++Lookups;
        for (TkPlotObject* object : Objects)
            if (auto* typed = dynamic_cast<T*>(object); typed && SameObjectName(typed->Name(), Name)) return typed;
        return nullptr;
    }
    std::vector<TkPlotChannelCustom*> Channels() const
    {
        std::vector<TkPlotChannelCustom*> result;
        for (TkPlotObject* object : Objects)
            if (auto* channel = dynamic_cast<TkPlotChannelCustom*>(object)) result.push_back(channel);
        return result;
    }
    void Removed(TkPlotObject* Object)
    {
        std::erase(Objects, Object);
        ++Version;
        for (TkPlotObject* other : Objects) other->NotificationRemove(Object);
    }
    void Renamed(TkPlotObject* Object)
    {
        ++Version;
        for (TkPlotObject* other : Objects)
            if (other != Object) other->NotificationRename(Object);
    }
};

// An XY channel's extents: every valid point, widened by its marker. The
// log file is a list of the blocks written.
class TTestChannel : public TkPlotChannelCustom {
    PL_CLASSINFO()
public:
    using TkPlotChannelCustom::TkPlotChannelCustom;

    struct TLogBlock {
        Integer FirstIndex;
        Integer Count;
        bool operator==(const TLogBlock&) const = default;
    };
    std::vector<TLogBlock> LogBlocks;
    std::vector<Double> LoggedX;
    bool LogFails = false;

    void CalcStartIndex() override { SetDrawStartIndex(Count() == 0 ? -1 : 0); }
    void CalcStopIndex() override { SetDrawStopIndex(Count() - 1); }
    Double GetDataXMax() override { return Extreme(&TkPlotChannelCustom::GetPointXMax, -1e300, true); }
    Double GetDataXMin() override { return Extreme(&TkPlotChannelCustom::GetPointXMin, 1e300, false); }
    Double GetYMaxVisible() override { return Extreme(&TkPlotChannelCustom::GetPointYMax, -1e300, true); }
    Double GetYMinVisible() override { return Extreme(&TkPlotChannelCustom::GetPointYMin, 1e300, false); }
    void UpdateDataCursor(TkPlotDataCursor*) override {}

    Integer SelectDataIndex() const { return FSelectDataIndex; }
    void SelectPoint(Integer Index) { FSelectDataIndex = FSelectMouseDownIndex = FMouseDownDataIndex = Index; }

protected:
    void LogFileOpen(Boolean) override
    {
        if (LogFails) throw EInOutError("log file refused");
    }
    void LogFileAppend(Integer FirstIndex, Integer Count) override
    {
        if (LogFails) throw EInOutError("log file refused");
        LogBlocks.push_back({FirstIndex, Count});
        for (Integer i = FirstIndex; i < FirstIndex + Count; ++i) LoggedX.push_back(GetXValue(i));
    }

private:
    Double Extreme(Double (TkPlotChannelCustom::*Extent)(Integer), Double Start, bool Largest)
    {
        Double result = Start;
        for (Integer i = 0; i < Count(); ++i) {
            if (!GetValid(i)) continue;
            const Double v = (this->*Extent)(i);
            if (Largest ? v > result : v < result) result = v;
        }
        return result;
    }
};

inline TClass TTestChannel::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTestChannel, TkPlotChannelCustom>("TTestChannel").Build();
    return &info;
}

}  // namespace ChannelTest
