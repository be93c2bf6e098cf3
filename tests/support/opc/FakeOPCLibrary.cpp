// A stand-in for the outside OPC client library, built as a shared object
// and loaded through the link's real loading path. It simulates one server:
// values published by a test reach the signals that name their item from a
// worker thread, around the updates of the signals' groups. Tests steer it
// through the FakeOPC_ exports (tests/support/FakeOPC.h).

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "components/foundation/kOPC2Abi.h"

namespace {

struct Signal {
    std::string Item, Group;
    int32_t Rate = 0;
    bool Suspended = false;
    kOPCSignalCallback Callback{};
    kOPCVariant Value{};
    std::string Text;
    double TimeStamp = 0;
    uint16_t Quality = 0;
};

struct Group {
    std::string Name;
    int32_t Rate = 0;
    bool Suspended = false;
    kOPCGroupCallback Callback{};
};

struct Publication {
    std::string Item, Text;
    kOPCVariant Value;
    uint16_t Quality;
    double TimeStamp;
};

struct Server {
    std::mutex Mutex;
    std::condition_variable Changed;
    std::map<int32_t, Signal> Signals;
    std::map<int32_t, Group> Groups;
    std::deque<Publication> Pending;
    bool Delivering = false;
    bool Stop = false;
    int32_t NextHandle = 1;
    bool ManagerLive = false;
    int32_t ManagersDestroyed = 0;
    std::map<std::string, std::string> Failures;  // export -> error text
    std::map<std::string, std::pair<kOPCVariant, std::string>> Sent;
    std::map<std::string, int32_t> SendCount;
    std::vector<std::string> Connections;
    std::thread Worker;
};

Server& S()
{
    static Server server;
    return server;
}

thread_local std::string tLastError;
thread_local std::string tOutText;

// Sets the call's error: the configured failure for this export, if any.
bool Failed(const char* Export)
{
    const auto found = S().Failures.find(Export);
    if (found == S().Failures.end()) {
        tLastError.clear();
        return false;
    }
    tLastError = found->second;
    S().Failures.erase(found);
    return true;
}

Signal* FindSignal(int32_t Handle)
{
    const auto found = S().Signals.find(Handle);
    if (found != S().Signals.end()) return &found->second;
    tLastError = "Unknown signal handle";
    return nullptr;
}

void Deliver(const Publication& P, std::unique_lock<std::mutex>& Lock)
{
    struct Call {
        kOPCSignalCallback Callback;
        int32_t Handle;
        int32_t Group;
    };
    std::vector<Call> calls;
    std::map<int32_t, kOPCGroupCallback> groups;
    for (auto& [handle, signal] : S().Signals) {
        if (signal.Item != P.Item || signal.Suspended) continue;
        int32_t groupHandle = 0;
        for (auto& [h, group] : S().Groups)
            if (group.Name == signal.Group) groupHandle = h;
        if (groupHandle != 0 && S().Groups[groupHandle].Suspended) continue;
        signal.Value = P.Value;
        signal.Text = P.Text;
        signal.TimeStamp = P.TimeStamp;
        signal.Quality = P.Quality;
        calls.push_back({signal.Callback, handle, groupHandle});
        if (groupHandle != 0) groups[groupHandle] = S().Groups[groupHandle].Callback;
    }
    // Callbacks run unlocked: they call back into the library.
    Lock.unlock();
    for (auto& [handle, callback] : groups)
        if (callback.BeforeGroupUpdate) callback.BeforeGroupUpdate(callback.Context, handle);
    for (const Call& call : calls) call.Callback.NewData(call.Callback.Context, call.Handle);
    for (auto& [handle, callback] : groups)
        if (callback.AfterGroupUpdate) callback.AfterGroupUpdate(callback.Context, handle);
    Lock.lock();
}

void WorkerLoop()
{
    std::unique_lock lock(S().Mutex);
    while (!S().Stop) {
        if (S().Pending.empty()) {
            S().Changed.wait(lock);
            continue;
        }
        Publication p = S().Pending.front();
        S().Pending.pop_front();
        S().Delivering = true;
        Deliver(p, lock);
        S().Delivering = false;
        S().Changed.notify_all();
    }
}

void EnsureWorker()
{
    if (!S().Worker.joinable()) S().Worker = std::thread(WorkerLoop);
}

struct WorkerStopper {
    // The server is made first, so that it is still there when the worker stops.
    WorkerStopper() { S(); }
    ~WorkerStopper()
    {
        {
            std::lock_guard lock(S().Mutex);
            S().Stop = true;
        }
        S().Changed.notify_all();
        if (S().Worker.joinable()) S().Worker.join();
    }
} gStopper;

}  // namespace

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))
#define FAKE_LOCK(Export)                 \
    std::lock_guard lock(S().Mutex); \
    if (Failed(Export)) return

// ---- The library's interface ----

FAKE_EXPORT void SignalAdd(int32_t* Handle, const char*, const char*, const char* Item, const char* Group,
                           int32_t Rate, uint8_t Suspended, uint16_t, kOPCSignalCallback Callback)
{
    FAKE_LOCK("SignalAdd");
    const int32_t handle = S().NextHandle++;
    Signal& signal = S().Signals[handle];
    signal.Item = Item ? Item : "";
    signal.Group = Group ? Group : "";
    signal.Rate = Rate;
    signal.Suspended = Suspended != 0;
    signal.Callback = Callback;
    *Handle = handle;
    EnsureWorker();
}

FAKE_EXPORT void SignalRemove(int32_t Handle)
{
    FAKE_LOCK("SignalRemove");
    if (FindSignal(Handle)) S().Signals.erase(Handle);
}

FAKE_EXPORT void SignalSuspend(int32_t Handle)
{
    FAKE_LOCK("SignalSuspend");
    if (Signal* s = FindSignal(Handle)) s->Suspended = true;
}

FAKE_EXPORT void SignalResume(int32_t Handle)
{
    FAKE_LOCK("SignalResume");
    if (Signal* s = FindSignal(Handle)) s->Suspended = false;
}

FAKE_EXPORT void SignalGetActive(int32_t Handle, uint8_t* Value)
{
    FAKE_LOCK("SignalGetActive");
    *Value = S().Signals.count(Handle) ? 1 : 0;
}

FAKE_EXPORT void SignalGetUpdateSuspended(int32_t Handle, uint8_t* Value)
{
    FAKE_LOCK("SignalGetUpdateSuspended");
    if (Signal* s = FindSignal(Handle)) *Value = s->Suspended ? 1 : 0;
}

#ifndef FAKE_OPC_WITHOUT_SEND_DATA
FAKE_EXPORT void SignalSendData(int32_t Handle, const kOPCVariant* Value)
{
    FAKE_LOCK("SignalSendData");
    if (Signal* s = FindSignal(Handle)) {
        S().Sent[s->Item] = {*Value, Value->Text ? Value->Text : ""};
        ++S().SendCount[s->Item];
    }
}
#endif

FAKE_EXPORT void SignalGetDataNow(int32_t Handle)
{
    FAKE_LOCK("SignalGetDataNow");
    FindSignal(Handle);
}

FAKE_EXPORT void SignalGetData(int32_t Handle, kOPCVariant* Value)
{
    FAKE_LOCK("SignalGetData");
    if (Signal* s = FindSignal(Handle)) {
        tOutText = s->Text;
        *Value = s->Value;
        Value->Text = tOutText.c_str();
    }
}

FAKE_EXPORT void SignalGetTimeStamp(int32_t Handle, double* Value)
{
    FAKE_LOCK("SignalGetTimeStamp");
    if (Signal* s = FindSignal(Handle)) *Value = s->TimeStamp;
}

FAKE_EXPORT void SignalGetQuality(int32_t Handle, uint16_t* Value)
{
    FAKE_LOCK("SignalGetQuality");
    if (Signal* s = FindSignal(Handle)) *Value = s->Quality;
}

FAKE_EXPORT void GroupAdd(int32_t* Handle, const char*, const char*, const char* Name, int32_t Rate,
                          kOPCGroupCallback Callback)
{
    FAKE_LOCK("GroupAdd");
    const int32_t handle = S().NextHandle++;
    S().Groups[handle] = Group{Name ? Name : "", Rate, false, Callback};
    *Handle = handle;
    EnsureWorker();
}

FAKE_EXPORT void GroupDelete(int32_t Handle)
{
    FAKE_LOCK("GroupDelete");
    S().Groups.erase(Handle);
}

FAKE_EXPORT void GroupResume(int32_t Handle)
{
    FAKE_LOCK("GroupResume");
    S().Groups[Handle].Suspended = false;
}

FAKE_EXPORT void GroupSuspend(int32_t Handle)
{
    FAKE_LOCK("GroupSuspend");
    S().Groups[Handle].Suspended = true;
}

FAKE_EXPORT void GroupSetUpdateRate(int32_t Handle, int32_t Rate)
{
    FAKE_LOCK("GroupSetUpdateRate");
    S().Groups[Handle].Rate = Rate;
}

FAKE_EXPORT void CloseAllServerConnections()
{
    FAKE_LOCK("CloseAllServerConnections");
    S().Connections.clear();
}

FAKE_EXPORT void ServerConnectionGetCount(int32_t* Count)
{
    FAKE_LOCK("ServerConnectionGetCount");
    *Count = static_cast<int32_t>(S().Connections.size());
}

FAKE_EXPORT void ServerConnectionGetName(const char** Name, int32_t Index)
{
    FAKE_LOCK("ServerConnectionGetName");
    const bool known = Index >= 0 && Index < static_cast<int32_t>(S().Connections.size());
    // An unknown index gives no text at all.
    *Name = known ? (tOutText = S().Connections[static_cast<std::size_t>(Index)]).c_str() : nullptr;
}

FAKE_EXPORT void ManagerCreated(int32_t* Result)
{
    FAKE_LOCK("ManagerCreated");
    *Result = S().ManagerLive ? 0 : 1;
    S().ManagerLive = true;
}

FAKE_EXPORT void ManagerDestroyed()
{
    FAKE_LOCK("ManagerDestroyed");
    S().ManagerLive = false;
    ++S().ManagersDestroyed;
}

FAKE_EXPORT void GetLastCallErrorString(const char** Text) { *Text = tLastError.c_str(); }

// ---- Steering by the tests ----

FAKE_EXPORT void FakeOPC_Reset()
{
    std::lock_guard lock(S().Mutex);
    S().Signals.clear();
    S().Groups.clear();
    S().Pending.clear();
    S().Failures.clear();
    S().Sent.clear();
    S().SendCount.clear();
    S().Connections.clear();
    S().ManagerLive = false;
    S().ManagersDestroyed = 0;
}

FAKE_EXPORT void FakeOPC_Publish(const char* Item, kOPCVariant Value, uint16_t Quality, double TimeStamp)
{
    {
        std::lock_guard lock(S().Mutex);
        S().Pending.push_back({Item, Value.Text ? Value.Text : "", Value, Quality, TimeStamp});
        EnsureWorker();
    }
    S().Changed.notify_all();
}

// Waits until the worker has delivered every publication.
FAKE_EXPORT void FakeOPC_Drain()
{
    std::unique_lock lock(S().Mutex);
    S().Changed.wait(lock, [] { return S().Pending.empty() && !S().Delivering; });
}

FAKE_EXPORT void FakeOPC_FailNext(const char* Export, const char* Text)
{
    std::lock_guard lock(S().Mutex);
    S().Failures[Export] = Text;
}

// How often a value was sent to Item, and the last one.
FAKE_EXPORT int32_t FakeOPC_Sent(const char* Item, kOPCVariant* Value)
{
    std::lock_guard lock(S().Mutex);
    const auto found = S().Sent.find(Item);
    if (found == S().Sent.end()) return 0;
    tOutText = found->second.second;
    *Value = found->second.first;
    Value->Text = tOutText.c_str();
    return S().SendCount[Item];
}

FAKE_EXPORT int32_t FakeOPC_SignalCount()
{
    std::lock_guard lock(S().Mutex);
    return static_cast<int32_t>(S().Signals.size());
}

FAKE_EXPORT int32_t FakeOPC_GroupRate(const char* Name)
{
    std::lock_guard lock(S().Mutex);
    for (auto& [handle, group] : S().Groups)
        if (group.Name == Name) return group.Rate;
    return -1;
}

FAKE_EXPORT int32_t FakeOPC_ManagersDestroyed()
{
    std::lock_guard lock(S().Mutex);
    return S().ManagersDestroyed;
}

FAKE_EXPORT void FakeOPC_AddConnection(const char* Name)
{
    std::lock_guard lock(S().Mutex);
    S().Connections.push_back(Name);
}
