#pragma once
// Points that a channel holds back from its axes' tracking while nobody can
// see the scales: the three parties of the wait. A channel whose points
// wait (TkPlotWaitingPoints) holds the scales they wait for by the part of
// a scale that takes them (TkPlotWaitingScale); a scale settles them before
// anyone reads or changes it, so that everyone sees the scale that tracking
// each point at once gives. The plot (TkPlotWaitingPointsOwner) settles
// every channel's points at once: before every paint, and before a handler
// of its scale events comes (TkPlotSettlingEvent).

#include <span>
#include <utility>

#include "components/foundation/kTypes.h"

class TkPlotWaitingScale;

// A channel whose points may wait for its scales.
class TkPlotWaitingPoints {
public:
    // The waiting points are tracked, and the scales no longer wait for them.
    virtual void SettleWaitingPoints() = 0;
    // Scale goes: the points are tracked by the other scale alone.
    virtual void DropWaitingScale(const TkPlotWaitingScale& Scale) = 0;

protected:
    ~TkPlotWaitingPoints() = default;
};

// What a channel whose points wait may do with a scale it holds them for
// (TkPlotAxisScale::HoldWaiting hands it out).
class TkPlotWaitingScale {
public:
    // Source's points no longer wait for the scale.
    virtual void ReleaseWaiting(const TkPlotWaitingPoints& Source) = 0;
    // Tracking leaves the scale as it is for every value from Low to High.
    virtual bool LeavesScaleFor(Double Low, Double High) const = 0;
    // The values of waiting points, in order, as tracking takes them while
    // the plot's repaint is pending and no handler listens to its scale
    // events; with Status, only those of valid points.
    virtual void TakeWaitingValues(std::span<const Double> Values, const TkPlotDataPointStatus* Status) = 0;

protected:
    ~TkPlotWaitingScale() = default;
};

// What holds channels whose points may wait: the plot.
class TkPlotWaitingPointsOwner {
public:
    // Every waiting point is tracked now.
    virtual void SettleWaitingPoints() = 0;

protected:
    ~TkPlotWaitingPointsOwner() = default;
};

// A published event whose handler decides whether points may wait for
// their scales (a handler of the plot's scale events hears every move): a
// new handler first has the waiting points settled, so that it hears of
// every move after it came, as it would had every point been tracked at
// once. Otherwise the handler itself (F, a std::function): assigned,
// compared to nullptr and called as one.
template <class F>
class TkPlotSettlingEvent : public F {
public:
    using THandler = F;
    explicit TkPlotSettlingEvent(TkPlotWaitingPointsOwner& Owner) : FOwner(Owner) {}
    // A copy is a handler to call (a guard against one that replaces itself).
    TkPlotSettlingEvent(const TkPlotSettlingEvent&) = default;
    TkPlotSettlingEvent& operator=(const TkPlotSettlingEvent& Other) { return *this = static_cast<const F&>(Other); }
    TkPlotSettlingEvent& operator=(F Handler)
    {
        FOwner.SettleWaitingPoints();
        F::operator=(std::move(Handler));
        return *this;
    }

private:
    TkPlotWaitingPointsOwner& FOwner;
};
