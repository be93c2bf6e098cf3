#include "MessageLoop.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimerEvent>
#include <algorithm>
#include <deque>
#include <map>
#include <memory>

#include "ControlHost.h"
#include "Guard.h"

namespace pl {

namespace {

struct TimerEntry {
    TimerId Id = 0;
    Cardinal Interval = 0;
    std::function<void()> Tick;
    bool Running = false;
    int QtId = 0;    // real clock
    Int64 Due = 0;   // virtual clock
};
using TimerPtr = std::shared_ptr<TimerEntry>;

struct LoopState {
    std::map<TimerId, TimerPtr> Timers;
    std::map<int, TimerId> ByQtId;
    TimerId LastId = 0;
    bool Virtual = false;
    Int64 VirtualMs = 0;
    std::deque<std::function<void()>> Posted;
};

LoopState& State()
{
    static LoopState state;
    return state;
}

Cardinal Effective(Cardinal ms) { return std::max(ms, MinTimerInterval); }

// Runs one tick. The entry is taken by value: the tick may stop its own timer
// or free the timer's owner, which erases the map's reference to the entry
// while the tick still runs.
void Fire(TimerPtr entry)
{
    if (entry->Running) return;
    entry->Running = true;
    Guard(entry->Tick);
    entry->Running = false;
}

// Receives Qt's timer events for the real clock.
class TimerHost : public QObject {
public:
    void timerEvent(QTimerEvent* event) override
    {
        auto& s = State();
        auto qt = s.ByQtId.find(event->timerId());
        if (qt == s.ByQtId.end()) return;
        auto it = s.Timers.find(qt->second);
        if (it != s.Timers.end()) Fire(it->second);
    }
};

TimerHost& Host()
{
    static TimerHost* host = new TimerHost;  // lives as long as the process
    return *host;
}

void StartQtTimer(TimerEntry& e)
{
    e.QtId = Host().startTimer(static_cast<int>(Effective(e.Interval)), Qt::PreciseTimer);
    State().ByQtId[e.QtId] = e.Id;
}

void StopQtTimer(TimerEntry& e)
{
    if (e.QtId == 0) return;
    Host().killTimer(e.QtId);
    State().ByQtId.erase(e.QtId);
    e.QtId = 0;
}

void RunOnePosted()
{
    auto& q = State().Posted;
    if (q.empty()) return;
    auto fn = std::move(q.front());
    q.pop_front();
    Guard(fn);
}

// The due timer that fires next: earliest due time, then lowest id.
TimerPtr NextDue(Int64 until)
{
    TimerPtr best;
    for (auto& [id, e] : State().Timers) {
        if (e->Running || e->Due > until) continue;
        if (!best || e->Due < best->Due) best = e;
    }
    return best;
}

}  // namespace

TimerId StartTimer(Cardinal intervalMs, std::function<void()> tick)
{
    auto& s = State();
    auto e = std::make_shared<TimerEntry>();
    e->Id = ++s.LastId;
    e->Interval = intervalMs;
    e->Tick = std::move(tick);
    if (s.Virtual)
        e->Due = s.VirtualMs + Effective(intervalMs);
    else
        StartQtTimer(*e);
    s.Timers[e->Id] = e;
    return e->Id;
}

void ChangeTimerInterval(TimerId id, Cardinal intervalMs)
{
    auto& s = State();
    auto it = s.Timers.find(id);
    if (it == s.Timers.end()) return;
    TimerEntry& e = *it->second;
    e.Interval = intervalMs;
    if (s.Virtual) {
        e.Due = s.VirtualMs + Effective(intervalMs);
    } else {
        StopQtTimer(e);
        StartQtTimer(e);
    }
}

void StopTimer(TimerId id)
{
    auto& s = State();
    auto it = s.Timers.find(id);
    if (it == s.Timers.end()) return;
    StopQtTimer(*it->second);
    s.Timers.erase(it);
}

bool TimerExists(TimerId id) { return State().Timers.count(id) != 0; }

void PostCall(std::function<void()> fn)
{
    State().Posted.push_back(std::move(fn));
    // One queued drain per call keeps the order and lets a nested loop
    // started by a posted call still run the calls behind it.
    if (auto* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [] { RunOnePosted(); }, Qt::QueuedConnection);
}

void ProcessPosted()
{
    auto& q = State().Posted;
    // Posted calls may post again; a bound keeps a call that always re-posts
    // itself from hanging the tests.
    for (int round = 0; round < 10000; ++round) {
        const bool hadCalls = !q.empty();
        while (!q.empty()) RunOnePosted();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        // Widgets of freed controls go once no widget handler is running.
        if (WidgetDispatchDepth() == 0) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!hadCalls && q.empty()) return;
    }
}

void UseVirtualClock() { State().Virtual = true; }
bool VirtualClockActive() { return State().Virtual; }
Int64 VirtualNow() { return State().VirtualMs; }

void AdvanceVirtualClock(Cardinal ms)
{
    auto& s = State();
    const Int64 target = s.VirtualMs + ms;
    ProcessPosted();
    while (TimerPtr e = NextDue(target)) {
        s.VirtualMs = std::max(s.VirtualMs, e->Due);
        e->Due = s.VirtualMs + Effective(e->Interval);
        Fire(e);
        ProcessPosted();
    }
    // A tick may have advanced the clock itself (a modal answer, say).
    s.VirtualMs = std::max(s.VirtualMs, target);
    ProcessPosted();
}

}  // namespace pl
