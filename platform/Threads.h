#pragma once
// Locks, events and worker threads whose calls into the GUI thread are
// marshalled through the message loop.

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/System.h"
#include "platform/TypInfo.h"

// A recursive lock: the owning thread may enter it again.
class TCriticalSection : public TObject {
public:
    void Acquire() { FMutex.lock(); }
    void Release() { FMutex.unlock(); }
    void Enter() { Acquire(); }
    void Leave() { Release(); }
    bool TryEnter() { return FMutex.try_lock(); }

private:
    std::recursive_mutex FMutex;
};

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };
constexpr Cardinal WAIT_TIMEOUT = 258;
constexpr Cardinal INFINITE = 0xFFFFFFFF;

// A manual- or auto-reset event.
class TEvent : public TObject {
public:
    explicit TEvent(bool manualReset = true, bool initialState = false)
        : FManualReset(manualReset), FSignaled(initialState) {}
    void SetEvent();
    void ResetEvent();
    // wrSignaled, or wrTimeout after timeoutMs (INFINITE waits for ever).
    TWaitResult WaitFor(Cardinal timeoutMs = INFINITE);

private:
    std::mutex FMutex;
    std::condition_variable FCond;
    bool FManualReset;
    bool FSignaled;
};

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
PL_ENUM_NAMES(TThreadPriority, "tpIdle", "tpLowest", "tpLower", "tpNormal", "tpHigher", "tpHighest",
              "tpTimeCritical")

// A worker thread. It starts after construction unless created suspended;
// Execute runs on the worker, OnTerminate and Synchronize'd calls on the GUI
// thread. An exception escaping Execute is handed to the application's
// exception handler on the GUI thread.
class TThread : public TObject {
public:
    explicit TThread(bool createSuspended = false);
    ~TThread() override;
    void AfterConstruction() override;
    // Terminates and waits for the worker (unless it is the caller).
    void BeforeDestruction() override;

    // Starts a thread created suspended; same as Resume until the count is 0.
    void Start();
    // Counts nested pauses; the worker stops at its next WaitWhileSuspended.
    void Suspend();
    // Ends one pause; the last one starts a thread created suspended.
    void Resume();
    bool Suspended() const;

    void Terminate();
    bool Terminated() const { return FTerminated; }
    bool Finished() const { return FFinished; }
    // Waits for Execute to end; on the GUI thread it keeps running the
    // calls the worker synchronizes meanwhile. Returns ReturnValue.
    Integer WaitFor();
    // Terminates the thread and frees it. Freeing waits for the worker,
    // which cannot end while the caller runs on it or inside a call it
    // synchronized: from there the thread is only terminated and frees
    // itself once Execute has returned.
    void TerminateAndFree();

    std::atomic<bool> FreeOnTerminate{false};
    TThreadPriority Priority = tpNormal;
    Integer ReturnValue = 0;
    TNotifyEvent OnTerminate;
    std::exception_ptr FatalException() const { return FFatalException; }

    // Runs method on the GUI thread; the worker waits until it has run.
    // Called on the GUI thread, it runs at once.
    void Synchronize(const std::function<void()>& method);
    // Runs method on the GUI thread later, without waiting.
    void Queue(std::function<void()> method);

protected:
    virtual void Execute() = 0;
    // The pause gate: blocks while the thread counts as suspended, or until
    // it is terminated.
    void WaitWhileSuspended();

private:
    void Run();
    void Launch();
    // True on the worker, and on the GUI thread inside a call the worker
    // waits for through Synchronize.
    bool CallerIsAwaitedByWorker() const;

    std::thread FThread;
    mutable std::mutex FMutex;
    std::condition_variable FResumed;
    Integer FSuspendCount = 0;
    bool FStarted = false;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::exception_ptr FFatalException;
};

// Runs the calls workers synchronized or queued; true when any ran. The
// message loop calls it, and Application->ProcessMessages.
bool CheckSynchronize(Cardinal timeoutMs = 0);
// Queues a call for the GUI thread from any thread.
void QueueOnMainThread(std::function<void()> method);
bool IsMainThread();
