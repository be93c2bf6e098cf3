#pragma once
// The repeat of a held button: once started, the first tick comes after a
// pause, the following ones at a shorter interval, until stopped. Each
// user of a repeating button keeps its own timings; the ticking is shared.
//
// Ticks arrive on the GUI thread. A tick's handler may stop the repeat or
// free the repeat's owner (and with it the repeat).

#include <functional>

#include "platform/System.h"

class TTimer;

class TAutoRepeat {
public:
    TAutoRepeat(Cardinal FirstDelay, Cardinal Interval, std::function<void()> OnRepeat);
    ~TAutoRepeat();
    TAutoRepeat(const TAutoRepeat&) = delete;
    TAutoRepeat& operator=(const TAutoRepeat&) = delete;

    // Starts over: the next tick comes FirstDelay after now.
    void Start();
    void Stop() noexcept;
    bool Running() const;

    Cardinal Interval() const { return FInterval; }
    // Takes effect from the next tick on.
    void SetInterval(Cardinal Value) { FInterval = Value; }

private:
    void Tick();

    Cardinal FFirstDelay;
    Cardinal FInterval;
    std::function<void()> FOnRepeat;
    // Made on the first start: most buttons never repeat.
    TOwned<TTimer> FTimer;
};
