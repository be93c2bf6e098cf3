#include "platform/DynLib.h"

#include <dlfcn.h>

#include <cstdlib>

#include "platform/SysUtils.h"

TDynLib::~TDynLib() { Unload(); }

bool TDynLib::Load(const String& FileName)
{
    Unload();
    // Symbols stay local: two copies of a library's names must not mix.
    FHandle = dlopen(FileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (FHandle) {
        FLastError.clear();
        return true;
    }
    const char* error = dlerror();
    FLastError = error ? error : FileName;
    return false;
}

void TDynLib::Unload()
{
    if (!FHandle) return;
    dlclose(FHandle);
    FHandle = nullptr;
}

void* TDynLib::Symbol(const char* Name) const
{
    if (!FHandle || !Name) return nullptr;
    return dlsym(FHandle, Name);
}

String DynLibFileName(const String& LibraryName, const char* OverrideVariable)
{
    if (OverrideVariable) {
        const char* chosen = std::getenv(OverrideVariable);
        if (chosen && *chosen) return chosen;
    }
    String base = LibraryName;
    if (SameText(ExtractFileExt(base), ".dll")) base = ChangeFileExt(base, "");
    return "lib" + base + ".so";
}
