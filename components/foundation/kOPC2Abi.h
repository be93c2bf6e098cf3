#pragma once
// The binary interface of the outside OPC client library: the exports the
// link looks up by name, and the callback interfaces it hands over. Plain C
// types only, so that any library built for this interface can serve it.
//
// Texts are UTF-8. Texts and variants the library gives out stay valid until
// the library's next call on the same thread; a null text counts as empty.
// Every call returns nothing; GetLastCallErrorString tells whether the last
// call on the calling thread failed.

#include <stdint.h>

extern "C" {

// An automation value: VarType is the class library's variant type code
// (varInteger, varDouble, varOleStr, varBoolean, ...); integers and
// Booleans use IntValue, floats and dates FloatValue, strings Text.
struct kOPCVariant {
    uint16_t VarType;
    int64_t IntValue;
    double FloatValue;
    const char* Text;
};

// An item's callback interface: NewData tells that the signal has a new
// value. Context is what the item handed over; it may be called on any
// thread, also after the signal was removed.
struct kOPCSignalCallback {
    void* Context;
    void (*NewData)(void* Context, int32_t SignalHandle);
};

// The manager's callback interface, around each update of a group.
struct kOPCGroupCallback {
    void* Context;
    void (*BeforeGroupUpdate)(void* Context, int32_t GroupHandle);
    void (*AfterGroupUpdate)(void* Context, int32_t GroupHandle);
};

typedef void (*kOPCSignalAddFn)(int32_t* Handle, const char* ComputerName, const char* ServerName,
                                const char* ItemName, const char* GroupName, int32_t UpdateRate,
                                uint8_t Suspended, uint16_t VariantType, kOPCSignalCallback Callback);
typedef void (*kOPCHandleFn)(int32_t Handle);
typedef void (*kOPCHandleFlagFn)(int32_t Handle, uint8_t* Value);
typedef void (*kOPCSendDataFn)(int32_t Handle, const kOPCVariant* Value);
typedef void (*kOPCGetDataFn)(int32_t Handle, kOPCVariant* Value);
typedef void (*kOPCGetTimeStampFn)(int32_t Handle, double* Value);
typedef void (*kOPCGetQualityFn)(int32_t Handle, uint16_t* Value);
typedef void (*kOPCGroupAddFn)(int32_t* Handle, const char* ComputerName, const char* ServerName,
                               const char* GroupName, int32_t UpdateRate, kOPCGroupCallback Callback);
typedef void (*kOPCGroupSetUpdateRateFn)(int32_t Handle, int32_t UpdateRate);
typedef void (*kOPCVoidFn)(void);
typedef void (*kOPCCountFn)(int32_t* Count);
typedef void (*kOPCConnectionNameFn)(const char** Name, int32_t Index);
typedef void (*kOPCManagerCreatedFn)(int32_t* Result);
typedef void (*kOPCTextFn)(const char** Text);

}  // extern "C"
