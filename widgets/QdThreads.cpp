#include "widgets/QdThreads.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"
#include "widgets/QdInterface.h"

namespace {

constexpr UINT kTimerId = 1;
constexpr const char* SNoTimers = "No timer resources left.";

// The platform's timers and waits take signed 32-bit periods (and read
// 0xFFFFFFFF as "for ever"), so longer intervals run at the longest one.
Cardinal ClampInterval(Cardinal Value)
{
    return std::min<Cardinal>(Value, static_cast<Cardinal>(std::numeric_limits<Integer>::max()));
}

// What a handler raises goes to the application's exception handler (on
// the GUI thread, also when the handler ran on a worker).
void CallGuarded(const TNotifyEvent& Handler, TObject* Sender)
{
    if (!Handler) return;
    try {
        Handler(Sender);
    } catch (...) {
        Application->HandleException(Sender);
    }
}

void ResumeFully(TThread* Thread)
{
    while (Thread->Suspended()) Thread->Resume();
}

void PauseIfRunning(TThread* Thread)
{
    if (!Thread->Suspended()) Thread->Suspend();
}

bool IsDesigning(const TComponent* Component) { return Component->ComponentState().Contains(csDesigning); }

}  // namespace

void QdThreadsInitialization() { RegisterClasses({TQdTimer::StaticClassInfo(), TQdThread::StaticClassInfo()}); }

// ---------------------------------------------------------------------------
// TQdTimerThread
// ---------------------------------------------------------------------------

TQdTimerThread::TQdTimerThread(TQdTimer* AOwner) : TThread(true), FOwner(AOwner) {}

void TQdTimerThread::BeforeDestruction()
{
    Reset();
    TThread::BeforeDestruction();
}

void TQdTimerThread::SetInterval(Cardinal Value) { FInterval = ClampInterval(Value); }

void TQdTimerThread::Reset()
{
    Terminate();
    Interrupt();
}

void TQdTimerThread::Execute()
{
    while (!Terminated()) {
        WaitWhileSuspended();
        if (Terminated()) break;
        if (FEvent.WaitFor(FInterval) != wrTimeout || Terminated() || Application->Terminated()) continue;
        if (FOwner->SyncEvent())
            Synchronize([this] { CallTimer(); });
        else
            CallTimer();
    }
}

// A tick still queued for the GUI thread when the timer is taken down is
// dropped.
void TQdTimerThread::CallTimer()
{
    if (!Terminated()) FOwner->Timer();
}

// ---------------------------------------------------------------------------
// TQdTimer
// ---------------------------------------------------------------------------

TClass TQdTimer::StaticClassInfo()
{
    using C = TQdTimer;
    static const TClassInfo info = TClassBuilder<C, TQdComponent>("TQdTimer")
                                       .Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true)
                                       .Integer("Interval", &C::Interval, &C::SetInterval).Default(1000)
                                       .Event("OnTimer", &C::OnTimer, &C::SetOnTimer)
                                       .Bool("SyncEvent", &C::SyncEvent, &C::SetSyncEvent).Default(true)
                                       .Enum("TimerType", &C::TimerType, &C::SetTimerType).Default(ttThread)
                                       .Enum("Priority", &C::Priority, &C::SetPriority).Default(tpNormal)
                                       .Build();
    return &info;
}

TQdTimer::TQdTimer(TComponent* AOwner) : TQdComponent(AOwner) {}

void TQdTimer::BeforeDestruction()
{
    FEnabled = false;
    SetOnTimer(nullptr);
    DestroyTimer();
    TQdComponent::BeforeDestruction();
}

void TQdTimer::Loaded()
{
    TQdComponent::Loaded();
    UpdateTimer();
}

void TQdTimer::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    // A system timer switched off stops waking its window for nothing.
    if (Value || (FTimerType == ttSystem && Allocated())) UpdateTimer();
}

void TQdTimer::SetInterval(Cardinal Value)
{
    SetIfDifferent(FInterval, Value, [this] {
        if (FEnabled) UpdateTimer();
    });
}

TNotifyEvent TQdTimer::OnTimer() const
{
    std::lock_guard lock(FOnTimerLock);
    return FOnTimer;
}

void TQdTimer::SetOnTimer(TNotifyEvent Value)
{
    std::lock_guard lock(FOnTimerLock);
    FOnTimer = std::move(Value);
}

void TQdTimer::SetTimerType(TQdTimerType Value)
{
    if (FTimerType == Value) return;
    DestroyTimer();
    FTimerType = Value;
    if (FEnabled) UpdateTimer();
}

void TQdTimer::SetPriority(TThreadPriority Value)
{
    SetIfDifferent(FPriority, Value, [this] {
        if (FTimerType == ttThread && FEnabled) UpdateTimer();
    });
}

void TQdTimer::Timer()
{
    if (FEnabled) CallGuarded(OnTimer(), this);
}

bool TQdTimer::WantsTicks() const { return FInterval != 0 && FEnabled && OnTimer(); }

void TQdTimer::UpdateTimer()
{
    if (IsDesigning(this)) return;
    if (!Allocated()) CreateTimer();
    if (FTimerType == ttSystem)
        UpdateSystemTimer();
    else
        UpdateThreadTimer();
}

void TQdTimer::CreateTimer()
{
    if (FTimerType == ttSystem)
        FWindowHandle = Qi_AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
    else
        FTimerThread = CreateOwned<TQdTimerThread>(this);
}

void TQdTimer::DestroyTimer()
{
    if (FWindowHandle) {
        KillTimer(FWindowHandle, kTimerId);
        Qi_DeallocateHWnd(std::exchange(FWindowHandle, nullptr));
    }
    // From inside the worker's own tick this cannot wait; the worker then
    // ends by itself after the tick, without touching the timer again.
    if (FTimerThread) FTimerThread.release()->TerminateAndFree();
}

void TQdTimer::UpdateSystemTimer()
{
    KillTimer(FWindowHandle, kTimerId);
    if (WantsTicks() && SetTimer(FWindowHandle, kTimerId, ClampInterval(FInterval)) == 0)
        throw EOutOfResources(SNoTimers);
}

void TQdTimer::UpdateThreadTimer()
{
    PauseIfRunning(FTimerThread.get());
    FTimerThread->SetInterval(FInterval);
    // A wait in progress would otherwise run out its old interval first.
    FTimerThread->Interrupt();
    if (!WantsTicks()) return;
    FTimerThread->Priority = FPriority;
    ResumeFully(FTimerThread.get());
}

void TQdTimer::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_TIMER)
        Timer();
    else
        Message.Result = DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
}

// ---------------------------------------------------------------------------
// TQdSystemThread
// ---------------------------------------------------------------------------

TQdSystemThread::TQdSystemThread(TQdThread* AOwner) : TThread(true), FOwner(AOwner) {}

void TQdSystemThread::SetOnExecute(TNotifyEvent Value)
{
    std::lock_guard lock(FOnExecuteLock);
    FOnExecute = std::move(Value);
}

void TQdSystemThread::Execute()
{
    while (!Terminated()) {
        WaitWhileSuspended();
        if (Terminated()) break;
        if (!FOwner->WantsExecution())
            PauseWhileIdle();
        else if (FOwner->SyncEvent())
            Synchronize([this] { CallExecute(); });
        else
            CallExecute();
    }
}

// The owner pauses the worker when it is disabled, but the worker may see
// the change first (and no one resumes it during shutdown): pausing itself
// keeps it from spinning. The check after the pause catches an owner
// enabled again in between, whose resume may have come before the pause.
void TQdSystemThread::PauseWhileIdle()
{
    Suspend();
    if (FOwner->WantsExecution()) Resume();
}

void TQdSystemThread::CallExecute()
{
    TNotifyEvent handler;
    {
        std::lock_guard lock(FOnExecuteLock);
        handler = FOnExecute;
    }
    if (handler) handler(this);
}

// ---------------------------------------------------------------------------
// TQdThread
// ---------------------------------------------------------------------------

TClass TQdThread::StaticClassInfo()
{
    using C = TQdThread;
    static const TClassInfo info = TClassBuilder<C, TQdComponent>("TQdThread")
                                       .Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true)
                                       .Bool("SyncEvent", &C::SyncEvent, &C::SetSyncEvent).Default(true)
                                       .Enum("Priority", &C::Priority, &C::SetPriority).Default(tpNormal)
                                       .Event("OnExecute", &C::OnExecute, &C::SetOnExecute)
                                       .Build();
    return &info;
}

TQdThread::TQdThread(TComponent* AOwner)
    : TQdComponent(AOwner), FSystemThread(CreateOwned<TQdSystemThread>(this))
{
    FSystemThread->SetOnExecute([this](TObject* Sender) { ExecuteEvent(Sender); });
}

void TQdThread::BeforeDestruction()
{
    FSystemThread->SetOnExecute(nullptr);
    // Waits for the worker, unless called from inside its own event.
    FSystemThread.release()->TerminateAndFree();
    TQdComponent::BeforeDestruction();
}

void TQdThread::Loaded()
{
    TQdComponent::Loaded();
    UpdateThreadParams();
}

void TQdThread::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    UpdateThreadParams();
}

void TQdThread::SetPriority(TThreadPriority Value)
{
    SetIfDifferent(FPriority, Value, [this] { UpdateThreadParams(); });
}

TNotifyEvent TQdThread::OnExecute() const
{
    std::lock_guard lock(FOnExecuteLock);
    return FOnExecute;
}

void TQdThread::SetOnExecute(TNotifyEvent Value)
{
    std::lock_guard lock(FOnExecuteLock);
    FOnExecute = std::move(Value);
}

void TQdThread::ExecuteEvent(TObject*)
{
    if (FEnabled) CallGuarded(OnExecute(), this);
}

bool TQdThread::WantsExecution() const { return FEnabled && !Application->Terminated(); }

void TQdThread::UpdateThreadParams()
{
    if (IsDesigning(this)) return;
    PauseIfRunning(FSystemThread.get());
    if (!FEnabled) return;
    FSystemThread->Priority = FPriority;
    ResumeFully(FSystemThread.get());
}
