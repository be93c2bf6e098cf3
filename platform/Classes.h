#pragma once
// Persistent objects, components, lists, string lists, streams and the
// class registry.

#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

class TFiler;

class TPersistent : public TObject {
    PL_CLASSINFO()
public:
    // Copies Source's state into this object; raises EConvertError when
    // neither side knows how.
    virtual void Assign(TPersistent* Source);
    // Declares the stream properties that are not published properties.
    virtual void DefineProperties(TFiler& Filer);

protected:
    virtual void AssignTo(TPersistent* Dest);
};
