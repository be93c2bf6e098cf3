// Timers on Qt's own clock: a tick may end its timer's life from inside.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

namespace {

// Runs the real message loop until Done holds or two seconds pass.
template <class Pred>
bool PumpUntil(Pred Done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace

TEST(TimerRealClockTest, TickThatStopsOrFreesItsOwnTimerEndsCleanly)
{
    int stopped = 0;
    TTimer stopper(nullptr);
    stopper.SetInterval(10);
    stopper.SetOnTimer([&](TObject*) {
        ++stopped;
        stopper.SetEnabled(false);
    });

    int freed = 0;
    auto* owner = new TComponent(nullptr);
    auto* doomed = new TTimer(owner);
    doomed->SetInterval(10);
    doomed->SetOnTimer([&](TObject*) {
        ++freed;
        delete owner;  // frees the timer whose tick this is
    });

    ASSERT_TRUE(PumpUntil([&] { return stopped > 0 && freed > 0; }));
    // Neither timer ticks again once its tick has ended it.
    const auto later = std::chrono::steady_clock::now() + std::chrono::milliseconds(60);
    PumpUntil([&] { return std::chrono::steady_clock::now() > later; });
    EXPECT_EQ(stopped, 1);
    EXPECT_EQ(freed, 1);
}
