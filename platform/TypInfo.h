#pragma once
// Run-time class information: class names, ancestry and (to come) the
// published properties of each class.

#include "platform/System.h"

class TComponent;

class TClassInfo {
public:
    TClassInfo(const char* name, TClass parent) : FName(name), FParent(parent) {}
    const String& Name() const { return FName; }
    TClass Parent() const { return FParent; }
    bool InheritsFrom(TClass ancestor) const;

private:
    String FName;
    TClass FParent;
};

// Declares the class information of a class: a static table and the
// virtual accessor that returns it.
#define PL_CLASSINFO()                                              \
public:                                                             \
    static TClass StaticClassInfo();                                \
    TClass ClassInfo() const override { return StaticClassInfo(); } \
                                                                    \
private:
