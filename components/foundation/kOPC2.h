#pragma once
// The link to the outside OPC client library: loaded by name at the unit's
// first initialisation, each export looked up by name. Item calls raise
// when the library or the export is missing and when the library reports an
// error; manager calls (groups, connections, manager life) then do nothing.

#include "components/foundation/kOPC2Abi.h"
#include "platform/SysUtils.h"
#include "platform/Variants.h"

inline constexpr const char OPCLibraryName[] = "kOPC2.dll";
// Names another file than the one derived from OPCLibraryName.
inline constexpr const char OPCLibraryVariable[] = "PL_OPC_LIBRARY";

inline constexpr const char SOPCDLLNotFound[] = "Kelvane OPC DLL Not Found.";
// Format: the export's name.
inline constexpr const char SOPCFunctionNotFound[] = "Function \"%s\" not found in \"kOPC2.dll\".";

// The unit's initialisation and finalisation, counted: the first loads the
// library, the last frees it.
void kOPC2Initialization();
void kOPC2Finalization();
bool OPCDLLLoaded();

// ---- Signals (items): raise without the library ----
Integer OPCSignalAdd(const String& ComputerName, const String& ServerName, const String& ItemName,
                     const String& GroupName, Integer UpdateRate, bool Suspended, Word VariantType,
                     const kOPCSignalCallback& Callback);
void OPCSignalRemove(Integer Handle);
void OPCSignalSuspend(Integer Handle);
void OPCSignalResume(Integer Handle);
bool OPCSignalGetActive(Integer Handle);
bool OPCSignalGetUpdateSuspended(Integer Handle);
void OPCSignalSendData(Integer Handle, const Variant& Value);
void OPCSignalGetDataNow(Integer Handle);
Variant OPCSignalGetData(Integer Handle);
TDateTime OPCSignalGetTimeStamp(Integer Handle);
Word OPCSignalGetQuality(Integer Handle);

// ---- Manager calls: nothing without the library ----
// 0 without the library.
Integer OPCGroupAdd(const String& ComputerName, const String& ServerName, const String& GroupName,
                    Integer UpdateRate, const kOPCGroupCallback& Callback);
void OPCGroupDelete(Integer Handle);
void OPCGroupResume(Integer Handle);
void OPCGroupSuspend(Integer Handle);
void OPCGroupSetUpdateRate(Integer Handle, Integer UpdateRate);
void OPCCloseAllServerConnections();
Integer OPCServerConnectionGetCount();
String OPCServerConnectionGetName(Integer Index);
Integer OPCManagerCreated();
void OPCManagerDestroyed();

// What a signal holds at one moment, read together.
struct TkOPCSample {
    Variant Data;
    TDateTime TimeStamp = 0.0;
    Word Quality = 0;
};

// Reads the signal's value, time stamp and quality without raising; false
// when the library is missing or reports an error. Safe on any thread.
bool OPCReadSample(Integer Handle, TkOPCSample& Sample) noexcept;

// Conversions at the library boundary. A type the system does not know
// arrives empty.
Variant VariantFromOPC(const kOPCVariant& Value);
