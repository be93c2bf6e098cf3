// Timers, hidden windows, posted messages and the virtual clock.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/AutoRepeat.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Messages.h"
#include "platform/Testing.h"
#include "support/ExceptionCatcher.h"

using namespace Testing;

namespace {

// A hidden window that records (time, WParam) of each WM_TIMER.
struct TimerWindow {
    std::vector<std::pair<Int64, WPARAM>> Ticks;
    HWND Handle = AllocateHWnd([this](TMessage& m) {
        if (m.Msg == WM_TIMER) Ticks.emplace_back(VirtualClock::Now(), m.WParam);
    });
    ~TimerWindow() { DeallocateHWnd(Handle); }
    std::vector<Int64> Times() const
    {
        std::vector<Int64> t;
        for (auto& tick : Ticks) t.push_back(tick.first);
        return t;
    }
};

}  // namespace

TEST(TimerTest, ZeroAndShortIntervalsTickEveryTenMilliseconds)
{
    TimerWindow w;
    const Int64 start = VirtualClock::Now();
    ASSERT_EQ(SetTimer(w.Handle, 7, 0), 7u);
    VirtualClock::Advance(35);
    ASSERT_EQ(w.Ticks.size(), 3u);
    EXPECT_EQ(w.Times(), (std::vector<Int64>{start + 10, start + 20, start + 30}));
    EXPECT_EQ(w.Ticks[0].second, 7u);
    KillTimer(w.Handle, 7);
    SetTimer(w.Handle, 8, 3);
    VirtualClock::Advance(20);
    EXPECT_EQ(w.Ticks.size(), 5u);
}

TEST(TimerTest, SetTimerAgainReplacesTheIntervalOfTheSameId)
{
    TimerWindow w;
    const Int64 start = VirtualClock::Now();
    SetTimer(w.Handle, 1, 500);
    VirtualClock::Advance(500);
    SetTimer(w.Handle, 1, 50);  // the first interval, then the repeat interval
    VirtualClock::Advance(120);
    EXPECT_EQ(w.Times(), (std::vector<Int64>{start + 500, start + 550, start + 600}));
}

TEST(TimerTest, TimersFireInTimeOrderAndKillStops)
{
    TimerWindow w;
    SetTimer(w.Handle, 1, 30);
    SetTimer(w.Handle, 2, 20);
    VirtualClock::Advance(60);
    std::vector<WPARAM> ids;
    for (auto& t : w.Ticks) ids.push_back(t.second);
    // At 60 ms both are due: the one started first fires first.
    EXPECT_EQ(ids, (std::vector<WPARAM>{2, 1, 2, 1, 2}));
    EXPECT_TRUE(KillTimer(w.Handle, 1));
    EXPECT_FALSE(KillTimer(w.Handle, 1));
    w.Ticks.clear();
    VirtualClock::Advance(40);
    EXPECT_EQ(w.Ticks.size(), 2u);
}

TEST(TimerTest, FailuresReturnZero)
{
    TimerWindow w;
    EXPECT_EQ(SetTimer(nullptr, 1, 10), 0u);
    EXPECT_EQ(SetTimer(w.Handle, 0, 10), 0u);
    HWND gone = AllocateHWnd(nullptr);
    DeallocateHWnd(gone);
    EXPECT_EQ(SetTimer(gone, 1, 10), 0u);
    EXPECT_FALSE(PostMessage(gone, WM_USER, 0, 0));
}

TEST(TimerTest, PostedMessagesArriveAfterTheHandlerAndOnlyWhileTheWindowExists)
{
    std::vector<Cardinal> seen;
    HWND a = AllocateHWnd([&](TMessage& m) { seen.push_back(m.Msg); });
    HWND b = AllocateHWnd([&](TMessage& m) { seen.push_back(m.Msg); });
    PostMessage(a, WM_USER + 1, 0, 0);
    PostMessage(b, WM_USER + 2, 0, 0);
    PostMessage(a, WM_USER + 3, 0, 0);
    EXPECT_TRUE(seen.empty());
    DeallocateHWnd(b);
    Input::Flush();
    EXPECT_EQ(seen, (std::vector<Cardinal>{WM_USER + 1, WM_USER + 3}));
    DeallocateHWnd(a);
}

TEST(TimerTest, AWindowMayFreeItselfInsideItsOwnTimer)
{
    int ticks = 0;
    HWND self = nullptr;
    self = AllocateHWnd([&](TMessage&) {
        ++ticks;
        DeallocateHWnd(self);
    });
    SetTimer(self, 1, 10);
    VirtualClock::Advance(50);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(IsWindow(self));
}

TEST(TimerTest, TTimerRunsOnlyWhenEnabledWithIntervalAndHandler)
{
    auto* timer = Create<TTimer>(nullptr);
    EXPECT_EQ(timer->Interval(), 1000u);
    EXPECT_FALSE(timer->Running());
    int ticks = 0;
    timer->SetOnTimer([&](TObject*) { ++ticks; });
    EXPECT_TRUE(timer->Running());
    timer->SetInterval(0);
    EXPECT_FALSE(timer->Running());
    timer->SetInterval(50);
    timer->SetEnabled(false);
    VirtualClock::Advance(200);
    EXPECT_EQ(ticks, 0);
    timer->SetEnabled(true);
    VirtualClock::Advance(200);
    EXPECT_EQ(ticks, 4);
    timer->Free();
    VirtualClock::Advance(200);
    EXPECT_EQ(ticks, 4);
}

TEST(TimerTest, TTimerFreedInItsOwnTickIsSafe)
{
    auto* timer = Create<TTimer>(nullptr);
    TWeakRef<TTimer> alive(timer);
    int ticks = 0;
    timer->SetInterval(10);
    timer->SetOnTimer([&](TObject* sender) {
        ++ticks;
        sender->Free();
    });
    VirtualClock::Advance(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(alive);
}

TEST(TimerTest, ATickNeverReentersItsOwnHandler)
{
    auto* timer = Create<TTimer>(nullptr);
    int depth = 0, maxDepth = 0, ticks = 0;
    timer->SetInterval(10);
    timer->SetOnTimer([&](TObject*) {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        if (ticks == 1) VirtualClock::Advance(100);  // a nested loop inside the tick
        --depth;
    });
    VirtualClock::Advance(15);
    EXPECT_EQ(maxDepth, 1);
    timer->Free();
}

TEST(TimerTest, ExceptionInATimerReachesHandleException)
{
    ExceptionCatcher caught;
    auto* timer = Create<TTimer>(nullptr);
    timer->SetInterval(10);
    timer->SetOnTimer([](TObject*) { throw EConvertError("tick failed"); });
    VirtualClock::Advance(25);
    EXPECT_EQ(caught.Messages, (std::vector<String>{"tick failed", "tick failed"}));
    timer->Free();
}

TEST(TimerTest, ClocksFollowTheVirtualClock)
{
    const TDateTime before = Now();
    const Int64 monotonic = MonotonicNow();
    VirtualClock::Advance(60000);
    EXPECT_NEAR((Now() - before) * SecsPerDay, 60.0, 1e-6);
    EXPECT_EQ(MonotonicNow() - monotonic, 60000);
}

TEST(AutoRepeatTest, TicksAfterTheFirstDelayThenAtTheIntervalAndStartsOverOnEachStart)
{
    std::vector<Int64> ticks;
    Int64 start = VirtualClock::Now();
    auto repeat = std::make_unique<TAutoRepeat>(300, 40, [&] { ticks.push_back(VirtualClock::Now() - start); });
    EXPECT_FALSE(repeat->Running());
    repeat->Start();
    VirtualClock::Advance(200);
    repeat->Start();  // a new press: the pause begins again
    start = VirtualClock::Now();
    VirtualClock::Advance(390);
    repeat->SetInterval(100);  // from the next tick on
    VirtualClock::Advance(200);
    EXPECT_EQ(ticks, (std::vector<Int64>{300, 340, 380, 420, 520}));
    repeat->Stop();
    VirtualClock::Advance(500);
    EXPECT_EQ(ticks.size(), 5u);
    EXPECT_FALSE(repeat->Running());

    // A handler may end the repeat's owner, and the repeat with it.
    repeat = std::make_unique<TAutoRepeat>(10, 10, [&] { repeat.reset(); });
    repeat->Start();
    VirtualClock::Advance(50);
    EXPECT_EQ(repeat, nullptr);
}
