#include "platform/Classes.h"

TClass TPersistent::StaticClassInfo()
{
    static const TClassInfo info("TPersistent", TObject::StaticClassInfo());
    return &info;
}

void TPersistent::Assign(TPersistent* Source)
{
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    AssignTo(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    (void)Dest;
    throw EConvertError("Impossible d'affecter " + ClassName());
}

void TPersistent::DefineProperties(TFiler&) {}
