#pragma once
// The registry of one root read from another file for a while.

#include <cstdlib>

#include "platform/Registry.h"

class TRegistryFileScope {
public:
    TRegistryFileScope(HKEY Root, const String& Path)
        : FVariable(Root == HKEY_CURRENT_USER ? "PL_REGISTRY_USER" : "PL_REGISTRY_SYSTEM"),
          FFormer(std::getenv(FVariable))
    {
        ::setenv(FVariable, Path.c_str(), 1);
    }
    ~TRegistryFileScope() { ::setenv(FVariable, FFormer.c_str(), 1); }
    TRegistryFileScope(const TRegistryFileScope&) = delete;
    TRegistryFileScope& operator=(const TRegistryFileScope&) = delete;

private:
    const char* FVariable;
    String FFormer;
};
