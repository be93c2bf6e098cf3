#pragma once
// The registry: the machine's and the user's key trees, kept in INI files
// whose sections are full key paths and whose names are read ignoring case.
//
//   [SOFTWARE\Maker\Themes]
//   Some Path="/opt/themes/"
//   Count=dword:0000000A
//
// The machine's file is $PL_REGISTRY_SYSTEM, else /etc/<program>/registry.ini;
// the user's $PL_REGISTRY_USER, else $XDG_CONFIG_HOME/<program>/registry.ini.
// Lines may end in CR LF, CR or LF. The registry writes UTF-8; a file
// behind a byte-order mark (UTF-8, UTF-16) reads as any text file does.
// Each write changes its own value in the file as it is at that moment,
// under the file's lock: the values other objects and processes wrote
// since the key was opened stay.

#include <memory>

#include "platform/System.h"

using HKEY = Cardinal;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

class TRegistry : public TObject {
public:
    TRegistry();
    ~TRegistry() override;

    HKEY RootKey() const { return FRootKey; }
    // Closes the open key.
    void SetRootKey(HKEY Value);

    // Opens Key (a path with "\" between the names); a missing key is
    // created only when CanCreate. False when it does not exist. No file
    // holds no key; a file that is there but cannot be read (a loop of
    // links, a pipe, a folder) raises ERegistryException naming it, and
    // then the key open before stays open.
    bool OpenKey(const String& Key, bool CanCreate);
    bool OpenKeyReadOnly(const String& Key);
    void CloseKey();
    bool KeyExists(const String& Key);
    const String& CurrentPath() const { return FCurrentPath; }

    bool ValueExists(const String& Name) const;
    // "" when the value is missing; ERegistryException when it is no text.
    String ReadString(const String& Name) const;
    // ERegistryException when the value is missing or no number.
    Integer ReadInteger(const String& Name) const;
    // ERegistryException without a key open for writing, or when the file
    // cannot be read or written.
    void WriteString(const String& Name, const String& Value);
    void WriteInteger(const String& Name, Integer Value);

private:
    struct TImpl;
    void WriteRaw(const String& Name, const String& Raw);
    const String* FindRaw(const String& Name) const;

    std::unique_ptr<TImpl> FImpl;
    HKEY FRootKey = HKEY_CURRENT_USER;
    String FCurrentPath;
    bool FKeyOpen = false;
    bool FReadOnly = true;
};
