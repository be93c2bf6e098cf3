#include <map>

#include "platform/Classes.h"
#include "platform/Consts.h"

namespace {

std::map<String, TClass>& Registry()
{
    static std::map<String, TClass> registry;
    return registry;
}

}  // namespace

void RegisterClass(TClass AClass)
{
    auto [it, inserted] = Registry().emplace(UpperCase(AClass->Name()), AClass);
    if (!inserted && it->second != AClass)
        throw EFilerError(Format(SDuplicateClass, AClass->Name()));
}

void RegisterClasses(std::initializer_list<TClass> Classes)
{
    for (TClass c : Classes) RegisterClass(c);
}

void UnRegisterClass(TClass AClass)
{
    auto it = Registry().find(UpperCase(AClass->Name()));
    if (it != Registry().end() && it->second == AClass) Registry().erase(it);
}

TClass GetClass(const String& ClassName)
{
    auto it = Registry().find(UpperCase(ClassName));
    return it == Registry().end() ? nullptr : it->second;
}

TClass FindClass(const String& ClassName)
{
    if (TClass c = GetClass(ClassName)) return c;
    throw EClassNotFound(Format(SClassNotFound, TextExcerpt(ClassName)));
}
