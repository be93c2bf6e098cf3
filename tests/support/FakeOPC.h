#pragma once
// The simulated OPC server of tests/support/opc, for the tests and the
// benchmarks: the link is pointed at the test library's file and loaded
// again, and the steering exports are looked up in the same loaded library.

#include <cstdlib>

#include "components/foundation/kOPC2.h"
#include "platform/DynLib.h"
#include "platform/Threads.h"

namespace FakeOPC {

// Points the link at FileName and reloads it, as at program start.
inline void ReloadLibrary(const char* FileName)
{
    kOPC2Finalization();
    setenv(OPCLibraryVariable, FileName, 1);
    kOPC2Initialization();
}

inline kOPCVariant Value(double v) { return kOPCVariant{varDouble, 0, v, nullptr}; }
inline kOPCVariant IntValue(Word type, int64_t v) { return kOPCVariant{type, v, 0.0, nullptr}; }
inline kOPCVariant Text(const char* v) { return kOPCVariant{varOleStr, 0, 0.0, v}; }
inline kOPCVariant Flag(bool v) { return kOPCVariant{varBoolean, v ? -1 : 0, 0.0, nullptr}; }

constexpr uint16_t Good = 0xC0;
constexpr uint16_t Uncertain = 0x40;

// The loaded test library and its steering exports.
class Server {
public:
    explicit Server(const char* FileName = FAKE_OPC_LIBRARY)
    {
        ReloadLibrary(FileName);
        // The same file: the loader hands out the library the link loaded.
        FLibrary.Load(FileName);
        Reset = Find<void (*)()>("FakeOPC_Reset");
        PublishFn = Find<void (*)(const char*, kOPCVariant, uint16_t, double)>("FakeOPC_Publish");
        DrainFn = Find<void (*)()>("FakeOPC_Drain");
        FailNext = Find<void (*)(const char*, const char*)>("FakeOPC_FailNext");
        SentFn = Find<int32_t (*)(const char*, kOPCVariant*)>("FakeOPC_Sent");
        SignalCount = Find<int32_t (*)()>("FakeOPC_SignalCount");
        GroupRate = Find<int32_t (*)(const char*)>("FakeOPC_GroupRate");
        ManagersDestroyed = Find<int32_t (*)()>("FakeOPC_ManagersDestroyed");
        AddConnection = Find<void (*)(const char*)>("FakeOPC_AddConnection");
        Reset();
    }
    ~Server()
    {
        Deliver();
        Reset();
    }

    void Publish(const char* Item, kOPCVariant V, uint16_t Quality = Good, double TimeStamp = 45000.0)
    {
        PublishFn(Item, V, Quality, TimeStamp);
    }
    // Waits for the worker, then runs what it queued for the GUI thread.
    void Deliver()
    {
        DrainFn();
        while (CheckSynchronize()) {
        }
    }
    // The last value sent to Item (empty when none) and how often.
    Variant Sent(const char* Item, int32_t* Count = nullptr)
    {
        kOPCVariant v{};
        const int32_t count = SentFn(Item, &v);
        if (Count) *Count = count;
        return count ? VariantFromOPC(v) : Variant();
    }

    void (*Reset)() = nullptr;
    void (*FailNext)(const char* Export, const char* Text) = nullptr;
    int32_t (*SignalCount)() = nullptr;
    int32_t (*GroupRate)(const char* Name) = nullptr;
    int32_t (*ManagersDestroyed)() = nullptr;
    void (*AddConnection)(const char* Name) = nullptr;

private:
    template <class F>
    F Find(const char* Name)
    {
        auto f = reinterpret_cast<F>(FLibrary.Symbol(Name));
        if (!f) throw Exception(String("the test library lacks ") + Name);
        return f;
    }

    void (*PublishFn)(const char*, kOPCVariant, uint16_t, double) = nullptr;
    void (*DrainFn)() = nullptr;
    int32_t (*SentFn)(const char*, kOPCVariant*) = nullptr;
    TDynLib FLibrary;
};

}  // namespace FakeOPC
