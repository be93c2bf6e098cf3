// Timer and worker components. Main-thread timers run on the virtual clock;
// worker threads run in real time, so those tests wait for conditions
// (serving the GUI thread's calls meanwhile) and never measure durations.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <limits>
#include <thread>
#include <vector>

#include "platform/Forms.h"
#include "platform/Testing.h"
#include "support/ExceptionCatcher.h"
#include "widgets/QdThreads.h"

using namespace Testing;

namespace {

template <class P>
bool WaitUntil(P Done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        CheckSynchronize(5);
    }
    return true;
}

// Workers run a while; the GUI thread serves none of their calls.
void LetWorkersRun() { std::this_thread::sleep_for(std::chrono::milliseconds(30)); }

// Calls from any thread; the first one raises when asked to.
struct TCallLog {
    std::atomic<int> Calls{0}, OffMainThread{0};
    bool RaiseFirst = false;
    TNotifyEvent Recorder()
    {
        return [this](TObject*) {
            if (!IsMainThread()) ++OffMainThread;
            if (++Calls == 1 && RaiseFirst) throw EConvertError("bad tick");
        };
    }
};

TQdTimer* NewTimer(TNotifyEvent OnTimer, TQdTimerType Type, Cardinal Interval, bool SyncEvent = true)
{
    auto* timer = Create<TQdTimer>(nullptr);
    timer->SetSyncEvent(SyncEvent);
    timer->SetOnTimer(std::move(OnTimer));
    timer->SetTimerType(Type);
    timer->SetInterval(Interval);
    return timer;
}

template <class T>
struct TDesigning : T {
    explicit TDesigning(TComponent* AOwner) : T(AOwner) { this->SetComponentStateFlag(csDesigning, true); }
};

}  // namespace

TEST(QdTimerTest, StartsOnlyWhenASetterOrLoadedAsksAndNeverWhileDesigning)
{
    TCallLog log;
    TOwned<TQdTimer> timer(Create<TQdTimer>(nullptr));
    timer->SetOnTimer(log.Recorder());
    EXPECT_FALSE(timer->Allocated());
    timer->Loaded();
    ASSERT_TRUE(timer->Allocated());
    EXPECT_FALSE(timer->TimerThread()->Suspended());

    TOwned<TQdTimer> designed(Create<TDesigning<TQdTimer>>(nullptr));
    designed->SetOnTimer(log.Recorder());
    designed->SetInterval(10);
    designed->Loaded();
    EXPECT_FALSE(designed->Allocated());
}

TEST(QdTimerTest, SystemTimerTicksIgnoredWhileDisabledAndSurvivesExceptions)
{
    ExceptionCatcher errors;
    TCallLog log;
    log.RaiseFirst = true;
    TOwned<TQdTimer> timer(NewTimer(log.Recorder(), ttSystem, 100));
    VirtualClock::Advance(350);
    EXPECT_EQ(log.Calls, 3);
    EXPECT_EQ(errors.Messages, (std::vector<String>{"bad tick"}));

    timer->SetEnabled(false);  // the timer stops; its window stays
    VirtualClock::Advance(300);
    EXPECT_TRUE(IsWindow(timer->WindowHandle()));
    timer->SetEnabled(true);
    VirtualClock::Advance(100);
    EXPECT_EQ(log.Calls, 4);

    timer->SetInterval(0);
    VirtualClock::Advance(500);
    EXPECT_EQ(log.Calls, 4);
}

TEST(QdTimerTest, ThreadTimerTicksOnTheGuiThreadOrOnTheWorker)
{
    TCallLog synced;
    TOwned<TQdTimer> timer(NewTimer(synced.Recorder(), ttThread, 5));
    ASSERT_TRUE(WaitUntil([&] { return synced.Calls >= 3; }));
    EXPECT_EQ(synced.OffMainThread, 0);

    // A worker's exception is reported on the GUI thread.
    ExceptionCatcher errors;
    TCallLog direct;
    direct.RaiseFirst = true;
    TOwned<TQdTimer> worker(NewTimer(direct.Recorder(), ttThread, 5, false));
    ASSERT_TRUE(WaitUntil([&] { return direct.Calls >= 3 && !errors.Messages.empty(); }));
    worker.reset();  // waits for a tick in progress
    EXPECT_EQ(direct.OffMainThread, direct.Calls);
    EXPECT_EQ(errors.Messages, (std::vector<String>{"bad tick"}));
}

TEST(QdTimerTest, ThreadTimerPausesWithoutIntervalOrHandlerAndClampsHugeIntervals)
{
    TCallLog log;
    TOwned<TQdTimer> timer(NewTimer(log.Recorder(), ttThread, 0));
    EXPECT_TRUE(timer->TimerThread()->Suspended());
    timer->SetOnTimer(nullptr);
    timer->SetInterval(5);
    EXPECT_TRUE(timer->TimerThread()->Suspended());

    timer->SetOnTimer(log.Recorder());
    timer->SetInterval(std::numeric_limits<Cardinal>::max());
    EXPECT_FALSE(timer->TimerThread()->Suspended());
    EXPECT_EQ(timer->TimerThread()->Interval(), static_cast<Cardinal>(std::numeric_limits<Integer>::max()));
    timer->SetInterval(5);  // ends the long wait at once
    EXPECT_TRUE(WaitUntil([&] { return log.Calls >= 1; }));
}

TEST(QdTimerTest, SwitchingTimerTypeWhileEnabledReplacesTheMechanism)
{
    TCallLog log;
    TOwned<TQdTimer> timer(NewTimer(log.Recorder(), ttThread, 100));
    timer->SetTimerType(ttSystem);
    EXPECT_EQ(timer->TimerThread(), nullptr);
    const int before = log.Calls;
    VirtualClock::Advance(200);
    EXPECT_EQ(log.Calls, before + 2);

    const HWND window = timer->WindowHandle();
    timer->SetTimerType(ttThread);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(timer->TimerThread()->Suspended());
}

TEST(QdTimerTest, FreeingEndsALongWaitAndDropsATickQueuedForTheGuiThread)
{
    TCallLog log;
    NewTimer(log.Recorder(), ttThread, 3600 * 1000)->Free();  // no hour-long wait

    auto* queued = NewTimer(log.Recorder(), ttThread, 1);
    LetWorkersRun();  // its worker now waits in a synchronized tick
    queued->Free();
    CheckSynchronize(20);
    EXPECT_EQ(log.Calls, 0);
}

TEST(QdTimerTest, RebuiltOrFreedFromItsOwnTick)
{
    int calls = 0;
    auto freeSelf = [&](TObject* Sender) {
        ++calls;
        Sender->Free();
    };
    const HWND window = NewTimer(freeSelf, ttSystem, 100)->WindowHandle();
    VirtualClock::Advance(300);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(IsWindow(window));

    // Inside the worker's synchronized tick, and on the worker itself.
    for (bool sync : {true, false}) {
        std::atomic<int> ticks{0};
        auto* timer = NewTimer([&](TObject* Sender) { if (++ticks == 1) Sender->Free(); }, ttThread, 0, sync);
        TWeakRef<TQdTimerThread> worker(timer->TimerThread());
        timer->SetInterval(2);
        ASSERT_TRUE(WaitUntil([&] { return !worker; })) << sync;
        EXPECT_EQ(ticks, 1);
    }

    TOwned<TQdTimer> timer(NewTimer(
        [&](TObject* Sender) { static_cast<TQdTimer*>(Sender)->SetTimerType(ttSystem); }, ttThread, 2));
    TWeakRef<TQdTimerThread> worker(timer->TimerThread());
    ASSERT_TRUE(WaitUntil([&] { return !worker; }));
    EXPECT_TRUE(IsWindow(timer->WindowHandle()));
}

TEST(QdThreadTest, WorkerRunsOnlyOnceLoadedOrChangedAndPausesWhenDisabled)
{
    TCallLog log;
    TOwned<TQdThread> thread(Create<TQdThread>(nullptr));
    thread->SetOnExecute(log.Recorder());
    LetWorkersRun();
    CheckSynchronize(20);
    EXPECT_EQ(log.Calls, 0);

    thread->Loaded();
    ASSERT_TRUE(WaitUntil([&] { return log.Calls >= 3; }));
    EXPECT_EQ(log.OffMainThread, 0);
    thread->SetEnabled(false);
    EXPECT_TRUE(thread->SystemThread()->Suspended());
    const int before = log.Calls;
    LetWorkersRun();
    CheckSynchronize(20);
    EXPECT_EQ(log.Calls, before);

    thread->SetPriority(tpHigher);
    thread->SetSyncEvent(false);
    thread->SetEnabled(true);
    EXPECT_EQ(thread->SystemThread()->Priority, tpHigher);
    EXPECT_TRUE(WaitUntil([&] { return log.OffMainThread > 0; }));

    TOwned<TQdThread> designed(Create<TDesigning<TQdThread>>(nullptr));
    designed->Loaded();
    EXPECT_TRUE(designed->SystemThread()->Suspended());
}

TEST(QdThreadTest, FreedWhileRunningOrFromItsOwnEvent)
{
    for (bool sync : {true, false}) {
        std::atomic<int> calls{0};
        auto* thread = Create<TQdThread>(nullptr);
        thread->SetSyncEvent(sync);
        thread->SetOnExecute([&](TObject*) { ++calls; });
        thread->Loaded();
        LetWorkersRun();
        thread->Free();
        const int after = calls;
        CheckSynchronize(20);
        EXPECT_EQ(calls, after) << sync;

        auto* selfFreeing = Create<TQdThread>(nullptr);
        selfFreeing->SetSyncEvent(sync);
        selfFreeing->SetOnExecute([&](TObject* Sender) { if (++calls == after + 1) Sender->Free(); });
        TWeakRef<TQdSystemThread> worker(selfFreeing->SystemThread());
        selfFreeing->Loaded();
        ASSERT_TRUE(WaitUntil([&] { return !worker; })) << sync;
        EXPECT_EQ(calls, after + 1) << sync;
    }
}
