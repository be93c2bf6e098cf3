#pragma once
// Library callbacks reach objects only through a registry of live targets:
// the library is handed a number, never an address. A callback, on whatever
// thread it comes, reads what it needs from the library there and queues
// the rest for the GUI thread, where the number is looked up again; a
// number whose target has gone is ignored. No exception leaves a callback.

#include <cstdint>

#include "components/foundation/kOPC2.h"

// What an item does with a value, on the GUI thread.
class IkOPCSignalTarget {
public:
    virtual void OPCDataArrived(const TkOPCSample& Sample) = 0;

protected:
    ~IkOPCSignalTarget() = default;
};

// What a manager does around a group update, on the GUI thread.
class IkOPCGroupTarget {
public:
    virtual void OPCGroupUpdate(Integer GroupHandle, bool After) = 0;

protected:
    ~IkOPCGroupTarget() = default;
};

using TkOPCCookie = std::uintptr_t;

// Numbers are never given twice in one process. Call on the GUI thread.
TkOPCCookie OPCRegisterTarget(IkOPCSignalTarget* Target);
TkOPCCookie OPCRegisterTarget(IkOPCGroupTarget* Target);
// Later callbacks for Cookie are ignored; 0 is no number.
void OPCUnregisterTarget(TkOPCCookie Cookie);

// The interfaces handed to the library for a registered number.
kOPCSignalCallback OPCSignalCallbackFor(TkOPCCookie Cookie);
kOPCGroupCallback OPCGroupCallbackFor(TkOPCCookie Cookie);
