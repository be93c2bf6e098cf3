#pragma once
// Libraries loaded at run time by name, their exports looked up by name.

#include "platform/System.h"

// Owns one loaded shared object; it is unloaded with the object.
class TDynLib {
public:
    TDynLib() = default;
    ~TDynLib();
    TDynLib(const TDynLib&) = delete;
    TDynLib& operator=(const TDynLib&) = delete;

    // Loads FileName, unloading what was loaded before; false (and nothing
    // loaded) when it cannot be, LastError then says why.
    bool Load(const String& FileName);
    void Unload();
    bool Loaded() const { return FHandle != nullptr; }
    // The export's address; nullptr when nothing is loaded or there is no
    // such export.
    void* Symbol(const char* Name) const;
    const String& LastError() const { return FLastError; }

private:
    void* FHandle = nullptr;
    String FLastError;
};

// The file to load for a library the program names the Windows way:
// "x.dll" becomes "libx.so"; a non-empty environment variable
// OverrideVariable names the file instead.
String DynLibFileName(const String& LibraryName, const char* OverrideVariable);
