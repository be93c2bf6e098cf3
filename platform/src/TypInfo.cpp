#include "platform/TypInfo.h"

bool TClassInfo::InheritsFrom(TClass ancestor) const
{
    for (TClass c = this; c; c = c->Parent())
        if (c == ancestor) return true;
    return false;
}

TClass TObject::StaticClassInfo()
{
    static const TClassInfo info("TObject", nullptr);
    return &info;
}

String TObject::ClassName() const { return ClassInfo()->Name(); }

bool TObject::InheritsFrom(TClass cls) const { return ClassInfo()->InheritsFrom(cls); }
