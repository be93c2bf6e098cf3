#pragma once
// Non-visual components with a periodic or repeated event: a timer that
// ticks on a hidden window's system timer or on a worker thread of its own,
// and a worker thread that calls an event back to back.
//
// The events run on the GUI thread unless SyncEvent is off; then they run
// on the worker, concurrently with the GUI thread, and handlers do their
// own locking. Freeing a component, or rebuilding its mechanism, is safe
// at any time, also from inside its own event.

#include <atomic>
#include <mutex>

#include "platform/Messages.h"
#include "platform/Threads.h"
#include "widgets/QdControls.h"

enum TQdTimerType { ttThread, ttSystem };
PL_ENUM_NAMES(TQdTimerType, "ttThread", "ttSystem")

// Registers the components for form streams.
void QdThreadsInitialization();

class TQdTimer;
class TQdThread;

// The worker of a timer in thread mode: waits Interval milliseconds, then
// ticks. A wake-up by Interrupt or Reset is never a tick.
class TQdTimerThread : public TThread {
public:
    // Created suspended.
    explicit TQdTimerThread(TQdTimer* AOwner);
    // Reset first, so that a wait in progress ends at once.
    void BeforeDestruction() override;

    Cardinal Interval() const { return FInterval; }
    // Takes effect at the next wait; values above MaxInt count as MaxInt.
    void SetInterval(Cardinal Value);
    // Ends a wait in progress; the worker then passes its pause gate again.
    void Interrupt() { FEvent.SetEvent(); }
    // Resumes fully, terminates and interrupts.
    void Reset();

protected:
    void Execute() override;

private:
    void CallTimer();

    TQdTimer* FOwner;
    TEvent FEvent{false, false};
    std::atomic<Cardinal> FInterval{1000};
};

class TQdTimer : public TQdComponent {
    PL_CLASSINFO()
public:
    explicit TQdTimer(TComponent* AOwner);
    // Stops delivering ticks, then takes down the window or the thread.
    void BeforeDestruction() override;
    void Loaded() override;

    bool Enabled() const { return FEnabled; }
    // Switching off stops a system timer (its window stays) and leaves a
    // worker running, whose ticks are then ignored.
    void SetEnabled(bool Value);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal Value);
    TNotifyEvent OnTimer() const;
    // Assigning alone starts nothing; the next UpdateTimer looks at it.
    void SetOnTimer(TNotifyEvent Value);
    bool SyncEvent() const { return FSyncEvent; }
    void SetSyncEvent(bool Value) { FSyncEvent = Value; }
    TQdTimerType TimerType() const { return FTimerType; }
    void SetTimerType(TQdTimerType Value);
    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority Value);

    // True while the hidden window or the worker exists.
    bool Allocated() const { return FWindowHandle != nullptr || FTimerThread != nullptr; }
    HWND WindowHandle() const { return FWindowHandle; }
    TQdTimerThread* TimerThread() const { return FTimerThread.get(); }

protected:
    friend class TQdTimerThread;
    // One tick: OnTimer, while enabled. What it raises goes to the
    // application's exception handler.
    virtual void Timer();
    // Creates the mechanism when needed and starts or pauses it.
    void UpdateTimer();

private:
    void CreateTimer();
    void DestroyTimer();
    void UpdateSystemTimer();
    void UpdateThreadTimer();
    // Interval, Enabled and OnTimer together ask for ticks.
    bool WantsTicks() const;
    void WndProc(TMessage& Message);

    std::atomic<bool> FEnabled{true};
    Cardinal FInterval = 1000;
    mutable std::mutex FOnTimerLock;
    TNotifyEvent FOnTimer;
    HWND FWindowHandle = nullptr;
    std::atomic<bool> FSyncEvent{true};
    TQdTimerType FTimerType = ttThread;
    TOwned<TQdTimerThread> FTimerThread;
    TThreadPriority FPriority = tpNormal;
};

// The worker of a TQdThread: calls its event back to back while the owner
// is enabled, and pauses itself otherwise.
class TQdSystemThread : public TThread {
public:
    // Created suspended.
    explicit TQdSystemThread(TQdThread* AOwner);

    void SetOnExecute(TNotifyEvent Value);

protected:
    void Execute() override;

private:
    void CallExecute();
    // Blocks at the pause gate until the owner resumes it or frees it.
    void PauseWhileIdle();

    TQdThread* FOwner;
    std::mutex FOnExecuteLock;
    TNotifyEvent FOnExecute;
};

class TQdThread : public TQdComponent {
    PL_CLASSINFO()
public:
    explicit TQdThread(TComponent* AOwner);
    // Stops the worker and waits for its end.
    void BeforeDestruction() override;
    void Loaded() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool SyncEvent() const { return FSyncEvent; }
    void SetSyncEvent(bool Value) { FSyncEvent = Value; }
    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority Value);
    TNotifyEvent OnExecute() const;
    void SetOnExecute(TNotifyEvent Value);

    // OnExecute with the component as sender, while enabled, guarded as
    // TQdTimer's ticks are.
    void ExecuteEvent(TObject* Sender);

    TQdSystemThread* SystemThread() const { return FSystemThread.get(); }

protected:
    // Runs the worker while enabled, pauses it otherwise.
    void UpdateThreadParams();

private:
    friend class TQdSystemThread;
    // Enabled, and the application not shutting down.
    bool WantsExecution() const;

    std::atomic<bool> FEnabled{true};
    std::atomic<bool> FSyncEvent{true};
    TThreadPriority FPriority = tpNormal;
    mutable std::mutex FOnExecuteLock;
    TNotifyEvent FOnExecute;
    TOwned<TQdSystemThread> FSystemThread;
};
