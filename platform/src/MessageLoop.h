#pragma once
// The layer's message loop services: timers (on Qt or on the virtual clock of
// the tests) and posted calls. Everything runs on the GUI thread.

#include <functional>

#include "platform/Types.h"

namespace pl {

using TimerId = Integer;

// Intervals below this run at this period; no timer becomes a 0-ms timer.
constexpr Cardinal MinTimerInterval = 10;

// Starts a repeating timer. The tick runs under Guard, never re-enters while
// it runs, and may stop or restart its own timer. Returns an id > 0.
TimerId StartTimer(Cardinal intervalMs, std::function<void()> tick);
// Changes the period of a running timer; the next tick is one new period away.
void ChangeTimerInterval(TimerId id, Cardinal intervalMs);
void StopTimer(TimerId id);
bool TimerExists(TimerId id);

// Runs fn from the message loop after the current handler returns, in order
// of posting, under Guard.
void PostCall(std::function<void()> fn);
// Runs every posted call, including calls posted meanwhile, and Qt's pending
// events; the message loop of the tests.
void ProcessPosted();

// Switches timers to the virtual clock (tests). Must precede the first timer.
void UseVirtualClock();
bool VirtualClockActive();
// Milliseconds of the virtual clock.
Int64 VirtualNow();
// Moves the virtual clock forward, firing due timers in time order (ties in
// order of start) and running posted calls after each tick.
void AdvanceVirtualClock(Cardinal ms);

}  // namespace pl
