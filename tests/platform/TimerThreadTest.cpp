// Worker threads, their calls into the GUI thread, locks and events.

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/Forms.h"
#include "platform/Testing.h"
#include "platform/Threads.h"
#include "support/ExceptionCatcher.h"

namespace {

// Counts passes; each pass first goes through the pause gate.
struct Looper : TThread {
    using TThread::TThread;
    std::atomic<int> Passes{0};
    TEvent Started{true, false};
    void Execute() override
    {
        Started.SetEvent();
        while (!Terminated()) {
            WaitWhileSuspended();
            if (Terminated()) break;
            ++Passes;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
};

}  // namespace

TEST(ThreadTest, SynchronizeRunsOnTheGuiThreadAndWaitForServesIt)
{
    struct Worker : TThread {
        using TThread::TThread;
        bool RanOnGui = false;
        void Execute() override
        {
            Synchronize([this] { RanOnGui = IsMainThread(); });
            ReturnValue = 42;
        }
    };
    auto* worker = Create<Worker>(false);
    EXPECT_EQ(worker->WaitFor(), 42);
    EXPECT_TRUE(worker->RanOnGui);
    worker->Free();
}

TEST(ThreadTest, ExceptionInExecuteGoesToTheApplication)
{
    struct Failing : TThread {
        using TThread::TThread;
        void Execute() override { throw EInOutError("worker failed"); }
    };
    ExceptionCatcher caught;
    auto* worker = Create<Failing>(false);
    worker->WaitFor();
    worker->Free();
    CheckSynchronize();
    EXPECT_EQ(caught.Messages, (std::vector<String>{"worker failed"}));
}

TEST(ThreadTest, CriticalSectionIsRecursive)
{
    TCriticalSection section;
    section.Enter();
    EXPECT_TRUE(section.TryEnter());
    section.Leave();
    section.Leave();
    TEvent event(true, false);
    EXPECT_EQ(event.WaitFor(1), wrTimeout);
    event.SetEvent();
    EXPECT_EQ(event.WaitFor(1), wrSignaled);
}

TEST(ThreadTest, CreatedSuspendedStartsOnResumeAndSuspensionsNest)
{
    auto* worker = Create<Looper>(true);
    EXPECT_TRUE(worker->Suspended());
    EXPECT_EQ(worker->Started.WaitFor(20), wrTimeout);
    worker->Resume();
    ASSERT_EQ(worker->Started.WaitFor(2000), wrSignaled);
    worker->Suspend();
    worker->Suspend();
    worker->Resume();
    EXPECT_TRUE(worker->Suspended());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // let a running pass finish
    const int paused = worker->Passes;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(worker->Passes, paused);
    worker->Resume();
    EXPECT_FALSE(worker->Suspended());
    worker->Free();  // terminates and waits, also from a paused state
}

TEST(ThreadTest, FreeOnTerminateAndQueuedCallsRunOnTheGuiThread)
{
    struct Quick : TThread {
        using TThread::TThread;
        bool* Queued = nullptr;
        void Execute() override
        {
            Queue([q = Queued] { *q = IsMainThread(); });
        }
    };
    bool queued = false, terminated = false;
    auto* worker = Create<Quick>(true);
    TWeakRef<Quick> alive(worker);
    worker->Queued = &queued;
    worker->FreeOnTerminate = true;
    worker->OnTerminate = [&](TObject*) { terminated = IsMainThread(); };
    worker->Start();
    for (int i = 0; i < 200 && alive; ++i) CheckSynchronize(10);
    EXPECT_TRUE(queued);
    EXPECT_TRUE(terminated);
    EXPECT_FALSE(alive);
}
