#include "components/foundation/kOPC2.h"

#include <atomic>
#include <cmath>
#include <limits>

#include "platform/DynLib.h"

namespace {

// Every export the link looks up; the browsing and connection queries of
// the library are looked up as well but never called.
#define K_OPC_EXPORTS(X)                                \
    X(SignalAdd, kOPCSignalAddFn)                       \
    X(SignalRemove, kOPCHandleFn)                       \
    X(SignalSuspend, kOPCHandleFn)                      \
    X(SignalResume, kOPCHandleFn)                       \
    X(SignalGetActive, kOPCHandleFlagFn)                \
    X(SignalGetUpdateSuspended, kOPCHandleFlagFn)       \
    X(SignalSendData, kOPCSendDataFn)                   \
    X(SignalGetDataNow, kOPCHandleFn)                   \
    X(SignalGetData, kOPCGetDataFn)                     \
    X(SignalGetTimeStamp, kOPCGetTimeStampFn)           \
    X(SignalGetQuality, kOPCGetQualityFn)               \
    X(GroupAdd, kOPCGroupAddFn)                         \
    X(GroupDelete, kOPCHandleFn)                        \
    X(GroupResume, kOPCHandleFn)                        \
    X(GroupSuspend, kOPCHandleFn)                       \
    X(GroupSetUpdateRate, kOPCGroupSetUpdateRateFn)     \
    X(CloseAllServerConnections, kOPCVoidFn)            \
    X(ServerConnectionGetCount, kOPCCountFn)            \
    X(ServerConnectionGetName, kOPCConnectionNameFn)    \
    X(ManagerCreated, kOPCManagerCreatedFn)             \
    X(ManagerDestroyed, kOPCVoidFn)                     \
    X(GetLastCallErrorString, kOPCTextFn)

struct TExports {
#define K_OPC_FIELD(Name, Type) Type Name = nullptr;
    K_OPC_EXPORTS(K_OPC_FIELD)
#undef K_OPC_FIELD
};

struct TLink {
    TDynLib Library;
    TExports Exports;
    // Read by the callback threads, which exist only while the library does.
    std::atomic<bool> Loaded{false};
    Integer UnitCount = 0;
};

TLink& Link()
{
    static TLink link;
    return link;
}

void LoadLibraryExports()
{
    TLink& link = Link();
    if (!link.Library.Load(DynLibFileName(OPCLibraryName, OPCLibraryVariable))) return;
#define K_OPC_LOOKUP(Name, Type) link.Exports.Name = reinterpret_cast<Type>(link.Library.Symbol(#Name));
    K_OPC_EXPORTS(K_OPC_LOOKUP)
#undef K_OPC_LOOKUP
    link.Loaded = true;
}

String TextOf(const char* Text) { return Text ? String(Text) : String(); }

// The library's word on its last call on this thread; empty when it has
// none to give.
String LastCallError() noexcept
{
    const kOPCTextFn get = Link().Exports.GetLastCallErrorString;
    if (!get) return String();
    const char* text = nullptr;
    get(&text);
    return TextOf(text);
}

template <class F>
F ExportOrRaise(F TExports::*Field, const char* Name)
{
    if (!Link().Loaded) throw Exception(SOPCDLLNotFound);
    F function = Link().Exports.*Field;
    if (!function) throw Exception(Format(SOPCFunctionNotFound, Name));
    return function;
}

template <class F, class... A>
void Invoke(F TExports::*Field, const char* Name, A&&... Args)
{
    ExportOrRaise(Field, Name)(std::forward<A>(Args)...);
    if (String error = LastCallError(); !error.empty()) throw Exception(error);
}

// A manager call: nothing without the library; else as an item call.
template <class F, class... A>
bool InvokeManager(F TExports::*Field, const char* Name, A&&... Args)
{
    if (!Link().Loaded) return false;
    Invoke(Field, Name, std::forward<A>(Args)...);
    return true;
}

#define K_OPC_CALL(Name, ...) Invoke(&TExports::Name, #Name __VA_OPT__(, ) __VA_ARGS__)
#define K_OPC_MANAGER_CALL(Name, ...) InvokeManager(&TExports::Name, #Name __VA_OPT__(, ) __VA_ARGS__)

bool FlagOf(kOPCHandleFlagFn TExports::*Field, const char* Name, Integer Handle)
{
    uint8_t value = 0;
    Invoke(Field, Name, Handle, &value);
    return value != 0;
}

// The OPC time stamp is a date-time; the library's word is untrusted.
TDateTime CheckedTimeStamp(double Value) { return std::isfinite(Value) ? Value : 0.0; }

// Beyond the single range the value saturates to an infinity.
Single ToSingle(double Value)
{
    constexpr double limit = std::numeric_limits<Single>::max();
    if (Value > limit) return std::numeric_limits<Single>::infinity();
    if (Value < -limit) return -std::numeric_limits<Single>::infinity();
    return static_cast<Single>(Value);
}

}  // namespace

void kOPC2Initialization()
{
    if (Link().UnitCount++ == 0) LoadLibraryExports();
}

void kOPC2Finalization()
{
    TLink& link = Link();
    if (link.UnitCount == 0 || --link.UnitCount > 0) return;
    link.Loaded = false;
    link.Exports = TExports{};
    link.Library.Unload();
}

bool OPCDLLLoaded() { return Link().Loaded; }

// ---------------------------------------------------------------------------
// Signals
// ---------------------------------------------------------------------------

Integer OPCSignalAdd(const String& ComputerName, const String& ServerName, const String& ItemName,
                     const String& GroupName, Integer UpdateRate, bool Suspended, Word VariantType,
                     const kOPCSignalCallback& Callback)
{
    int32_t handle = 0;
    K_OPC_CALL(SignalAdd, &handle, ComputerName.c_str(), ServerName.c_str(), ItemName.c_str(), GroupName.c_str(),
               UpdateRate, static_cast<uint8_t>(Suspended ? 1 : 0), VariantType, Callback);
    return handle;
}

void OPCSignalRemove(Integer Handle) { K_OPC_CALL(SignalRemove, Handle); }
void OPCSignalSuspend(Integer Handle) { K_OPC_CALL(SignalSuspend, Handle); }
void OPCSignalResume(Integer Handle) { K_OPC_CALL(SignalResume, Handle); }

bool OPCSignalGetActive(Integer Handle)
{
    return FlagOf(&TExports::SignalGetActive, "SignalGetActive", Handle);
}

bool OPCSignalGetUpdateSuspended(Integer Handle)
{
    return FlagOf(&TExports::SignalGetUpdateSuspended, "SignalGetUpdateSuspended", Handle);
}

void OPCSignalSendData(Integer Handle, const Variant& Value)
{
    // The text must outlive the call.
    const String text = Value.VarType() == varOleStr ? Value.StringValue() : String();
    kOPCVariant out{Value.VarType(), 0, 0.0, text.c_str()};
    if (Value.IsInteger()) out.IntValue = Value.IntegerValue();
    else if (Value.IsFloat()) out.FloatValue = Value.FloatValue();
    else if (Value.VarType() == varBoolean) out.IntValue = Value.BooleanValue() ? -1 : 0;
    K_OPC_CALL(SignalSendData, Handle, &out);
}

void OPCSignalGetDataNow(Integer Handle) { K_OPC_CALL(SignalGetDataNow, Handle); }

Variant OPCSignalGetData(Integer Handle)
{
    kOPCVariant value{};
    K_OPC_CALL(SignalGetData, Handle, &value);
    return VariantFromOPC(value);
}

TDateTime OPCSignalGetTimeStamp(Integer Handle)
{
    double value = 0.0;
    K_OPC_CALL(SignalGetTimeStamp, Handle, &value);
    return CheckedTimeStamp(value);
}

Word OPCSignalGetQuality(Integer Handle)
{
    uint16_t value = 0;
    K_OPC_CALL(SignalGetQuality, Handle, &value);
    return value;
}

bool OPCReadSample(Integer Handle, TkOPCSample& Sample) noexcept
{
    try {
        Sample.Data = OPCSignalGetData(Handle);
        Sample.TimeStamp = OPCSignalGetTimeStamp(Handle);
        Sample.Quality = OPCSignalGetQuality(Handle);
        return true;
    } catch (...) {
        return false;
    }
}

// ---------------------------------------------------------------------------
// Manager calls
// ---------------------------------------------------------------------------

Integer OPCGroupAdd(const String& ComputerName, const String& ServerName, const String& GroupName,
                    Integer UpdateRate, const kOPCGroupCallback& Callback)
{
    int32_t handle = 0;
    K_OPC_MANAGER_CALL(GroupAdd, &handle, ComputerName.c_str(), ServerName.c_str(), GroupName.c_str(), UpdateRate,
                       Callback);
    return handle;
}

void OPCGroupDelete(Integer Handle) { K_OPC_MANAGER_CALL(GroupDelete, Handle); }
void OPCGroupResume(Integer Handle) { K_OPC_MANAGER_CALL(GroupResume, Handle); }
void OPCGroupSuspend(Integer Handle) { K_OPC_MANAGER_CALL(GroupSuspend, Handle); }
void OPCGroupSetUpdateRate(Integer Handle, Integer UpdateRate)
{
    K_OPC_MANAGER_CALL(GroupSetUpdateRate, Handle, UpdateRate);
}
void OPCCloseAllServerConnections() { K_OPC_MANAGER_CALL(CloseAllServerConnections); }

Integer OPCServerConnectionGetCount()
{
    int32_t count = 0;
    K_OPC_MANAGER_CALL(ServerConnectionGetCount, &count);
    return count < 0 ? 0 : count;
}

String OPCServerConnectionGetName(Integer Index)
{
    const char* name = nullptr;
    K_OPC_MANAGER_CALL(ServerConnectionGetName, &name, Index);
    return TextOf(name);
}

Integer OPCManagerCreated()
{
    int32_t result = 0;
    K_OPC_MANAGER_CALL(ManagerCreated, &result);
    return result;
}

void OPCManagerDestroyed() { K_OPC_MANAGER_CALL(ManagerDestroyed); }

// ---------------------------------------------------------------------------
// Values
// ---------------------------------------------------------------------------

Variant VariantFromOPC(const kOPCVariant& Value)
{
    const Int64 i = Value.IntValue;
    switch (Value.VarType) {
    case varNull: return Variant::Null();
    case varSmallint: return Variant(static_cast<int16_t>(i));
    case varInteger: return Variant(static_cast<int32_t>(i));
    case varShortInt: return Variant(static_cast<int8_t>(i));
    case varByte: return Variant(static_cast<uint8_t>(i));
    case varWord: return Variant(static_cast<uint16_t>(i));
    case varLongWord: return Variant(static_cast<uint32_t>(i));
    case varInt64: return Variant(static_cast<int64_t>(i));
    case varSingle: return Variant(ToSingle(Value.FloatValue));
    case varDouble: return Variant(Value.FloatValue);
    case varDate: return Variant::FromDateTime(Value.FloatValue);
    case varBoolean: return Variant(i != 0);
    case varOleStr: return Variant(TextOf(Value.Text));
    default: return Variant();
    }
}
