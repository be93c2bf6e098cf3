#include "platform/Threads.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <deque>
#include <utility>

#include "Guard.h"

namespace {

struct SyncCall {
    std::function<void()> Method;
    // Set for Synchronize: the worker waits for Done and rethrows Error.
    bool Waited = false;
    bool Done = false;
    // The thread that waits, for TThread::TerminateAndFree.
    const TThread* Waiter = nullptr;
    std::exception_ptr Error;
};

struct SyncQueue {
    std::mutex Mutex;
    std::condition_variable Changed;
    std::deque<std::shared_ptr<SyncCall>> Calls;
};

// The thread whose synchronized call runs on this thread now, if any.
thread_local const TThread* tRunningCallOf = nullptr;

SyncQueue& Sync()
{
    static SyncQueue queue;
    return queue;
}

void Push(const std::shared_ptr<SyncCall>& call)
{
    {
        std::lock_guard lock(Sync().Mutex);
        Sync().Calls.push_back(call);
    }
    Sync().Changed.notify_all();
    if (auto* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [] { CheckSynchronize(); }, Qt::QueuedConnection);
}

std::shared_ptr<SyncCall> PopCall(Cardinal timeoutMs)
{
    std::unique_lock lock(Sync().Mutex);
    if (Sync().Calls.empty() && timeoutMs > 0)
        Sync().Changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [] { return !Sync().Calls.empty(); });
    if (Sync().Calls.empty()) return nullptr;
    auto call = Sync().Calls.front();
    Sync().Calls.pop_front();
    return call;
}

void RunCall(SyncCall& call)
{
    if (call.Waited) {
        const TThread* outer = std::exchange(tRunningCallOf, call.Waiter);
        try {
            call.Method();
        } catch (...) {
            call.Error = std::current_exception();
        }
        tRunningCallOf = outer;
        {
            std::lock_guard lock(Sync().Mutex);
            call.Done = true;
        }
        Sync().Changed.notify_all();
    } else {
        pl::Guard(call.Method);
    }
}

}  // namespace

bool IsMainThread()
{
    auto* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

bool CheckSynchronize(Cardinal timeoutMs)
{
    if (!IsMainThread()) return false;
    bool ran = false;
    while (auto call = PopCall(ran ? 0 : timeoutMs)) {
        RunCall(*call);
        ran = true;
    }
    return ran;
}

void QueueOnMainThread(std::function<void()> method)
{
    auto call = std::make_shared<SyncCall>();
    call->Method = std::move(method);
    Push(call);
}

// ---- TEvent ----------------------------------------------------------------

void TEvent::SetEvent()
{
    {
        std::lock_guard lock(FMutex);
        FSignaled = true;
    }
    FCond.notify_all();
}

void TEvent::ResetEvent()
{
    std::lock_guard lock(FMutex);
    FSignaled = false;
}

TWaitResult TEvent::WaitFor(Cardinal timeoutMs)
{
    std::unique_lock lock(FMutex);
    auto signaled = [this] { return FSignaled; };
    if (timeoutMs == INFINITE)
        FCond.wait(lock, signaled);
    else if (!FCond.wait_for(lock, std::chrono::milliseconds(timeoutMs), signaled))
        return wrTimeout;
    if (!FManualReset) FSignaled = false;
    return wrSignaled;
}

// ---- TThread ---------------------------------------------------------------

TThread::TThread(bool createSuspended) : FSuspendCount(createSuspended ? 1 : 0) {}

TThread::~TThread()
{
    if (FThread.joinable()) FThread.join();
}

void TThread::AfterConstruction()
{
    TObject::AfterConstruction();
    std::lock_guard lock(FMutex);
    if (FSuspendCount == 0) Launch();
}

void TThread::BeforeDestruction()
{
    Terminate();
    bool started;
    {
        std::lock_guard lock(FMutex);
        started = FStarted;
        FSuspendCount = 0;
    }
    FResumed.notify_all();
    if (started && FThread.get_id() != std::this_thread::get_id()) {
        WaitFor();
        FThread.join();
    }
    TObject::BeforeDestruction();
}

// Called with FMutex held.
void TThread::Launch()
{
    FStarted = true;
    FThread = std::thread([this] { Run(); });
}

void TThread::Start() { Resume(); }

void TThread::Suspend()
{
    std::lock_guard lock(FMutex);
    ++FSuspendCount;
}

void TThread::Resume()
{
    {
        std::lock_guard lock(FMutex);
        if (FSuspendCount > 0) --FSuspendCount;
        if (FSuspendCount == 0 && !FStarted) Launch();
    }
    FResumed.notify_all();
}

bool TThread::Suspended() const
{
    std::lock_guard lock(FMutex);
    return FSuspendCount > 0;
}

void TThread::Terminate()
{
    {
        std::lock_guard lock(FMutex);
        FTerminated = true;
    }
    FResumed.notify_all();
}

void TThread::WaitWhileSuspended()
{
    std::unique_lock lock(FMutex);
    FResumed.wait(lock, [this] { return FSuspendCount == 0 || FTerminated; });
}

Integer TThread::WaitFor()
{
    auto finished = [this] {
        std::lock_guard lock(FMutex);
        return FFinished || !FStarted;
    };
    if (IsMainThread()) {
        while (!finished()) CheckSynchronize(10);
    } else {
        std::unique_lock lock(Sync().Mutex);
        Sync().Changed.wait(lock, [&] {
            std::lock_guard inner(FMutex);
            return FFinished || !FStarted;
        });
    }
    return ReturnValue;
}

bool TThread::CallerIsAwaitedByWorker() const
{
    if (tRunningCallOf == this) return true;
    std::lock_guard lock(FMutex);
    return FStarted && FThread.get_id() == std::this_thread::get_id();
}

void TThread::TerminateAndFree()
{
    if (!CallerIsAwaitedByWorker()) {
        Free();
        return;
    }
    FreeOnTerminate = true;
    {
        std::lock_guard lock(FMutex);
        FSuspendCount = 0;
    }
    Terminate();
}

void TThread::Synchronize(const std::function<void()>& method)
{
    if (IsMainThread()) {
        method();
        return;
    }
    auto call = std::make_shared<SyncCall>();
    call->Method = method;
    call->Waited = true;
    call->Waiter = this;
    Push(call);
    std::unique_lock lock(Sync().Mutex);
    Sync().Changed.wait(lock, [&] { return call->Done; });
    if (call->Error) std::rethrow_exception(call->Error);
}

void TThread::Queue(std::function<void()> method) { QueueOnMainThread(std::move(method)); }

void TThread::Run()
{
    try {
        Execute();
    } catch (...) {
        FFatalException = std::current_exception();
    }
    if (OnTerminate) {
        try {
            Synchronize([this] { OnTerminate(this); });
        } catch (...) {
            if (!FFatalException) FFatalException = std::current_exception();
        }
    }
    if (FFatalException) {
        std::exception_ptr error = FFatalException;
        QueueOnMainThread([error] { std::rethrow_exception(error); });
    }
    const bool freeSelf = FreeOnTerminate;
    {
        std::lock_guard lock(FMutex);
        FFinished = true;
    }
    {
        // Wakes a worker-side WaitFor, which waits on the queue's condition.
        std::lock_guard lock(Sync().Mutex);
    }
    Sync().Changed.notify_all();
    if (freeSelf) QueueOnMainThread([this] { Free(); });
}
