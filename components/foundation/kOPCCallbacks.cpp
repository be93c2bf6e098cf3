#include "components/foundation/kOPCCallbacks.h"

#include <mutex>
#include <unordered_map>
#include <variant>

#include "platform/Threads.h"

namespace {

using TTarget = std::variant<IkOPCSignalTarget*, IkOPCGroupTarget*>;

// Registration happens on the GUI thread; the lock keeps a stray caller on
// another thread from tearing the map.
struct TTargets {
    std::mutex Mutex;
    std::unordered_map<TkOPCCookie, TTarget> Live;
    TkOPCCookie Last = 0;
};

TTargets& Targets()
{
    static TTargets targets;
    return targets;
}

TkOPCCookie Register(TTarget Target)
{
    TTargets& targets = Targets();
    std::lock_guard lock(targets.Mutex);
    const TkOPCCookie cookie = ++targets.Last;
    targets.Live.emplace(cookie, Target);
    return cookie;
}

template <class T>
T* Find(TkOPCCookie Cookie)
{
    TTargets& targets = Targets();
    std::lock_guard lock(targets.Mutex);
    const auto found = targets.Live.find(Cookie);
    if (found == targets.Live.end()) return nullptr;
    T* const* target = std::get_if<T*>(&found->second);
    return target ? *target : nullptr;
}

void* ContextOf(TkOPCCookie Cookie) { return reinterpret_cast<void*>(Cookie); }
TkOPCCookie CookieOf(void* Context) { return reinterpret_cast<TkOPCCookie>(Context); }

void SignalNewData(void* Context, int32_t SignalHandle) noexcept
{
    try {
        auto sample = std::make_shared<TkOPCSample>();
        if (!OPCReadSample(SignalHandle, *sample)) return;
        // What a target raises there goes to the application's handler.
        QueueOnMainThread([cookie = CookieOf(Context), sample] {
            if (IkOPCSignalTarget* target = Find<IkOPCSignalTarget>(cookie)) target->OPCDataArrived(*sample);
        });
    } catch (...) {
        // Out of memory while queueing: the value is lost, the library is not.
    }
}

void GroupUpdate(void* Context, int32_t GroupHandle, bool After) noexcept
{
    try {
        QueueOnMainThread([cookie = CookieOf(Context), GroupHandle, After] {
            if (IkOPCGroupTarget* target = Find<IkOPCGroupTarget>(cookie)) target->OPCGroupUpdate(GroupHandle, After);
        });
    } catch (...) {
    }
}

void BeforeGroupUpdate(void* Context, int32_t GroupHandle) noexcept { GroupUpdate(Context, GroupHandle, false); }
void AfterGroupUpdate(void* Context, int32_t GroupHandle) noexcept { GroupUpdate(Context, GroupHandle, true); }

}  // namespace

TkOPCCookie OPCRegisterTarget(IkOPCSignalTarget* Target) { return Register(Target); }
TkOPCCookie OPCRegisterTarget(IkOPCGroupTarget* Target) { return Register(Target); }

void OPCUnregisterTarget(TkOPCCookie Cookie)
{
    if (Cookie == 0) return;
    TTargets& targets = Targets();
    std::lock_guard lock(targets.Mutex);
    targets.Live.erase(Cookie);
}

kOPCSignalCallback OPCSignalCallbackFor(TkOPCCookie Cookie) { return {ContextOf(Cookie), &SignalNewData}; }

kOPCGroupCallback OPCGroupCallbackFor(TkOPCCookie Cookie)
{
    return {ContextOf(Cookie), &BeforeGroupUpdate, &AfterGroupUpdate};
}
