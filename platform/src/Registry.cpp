#include "platform/Registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <unordered_map>
#include <vector>

#include "platform/Classes.h"
#include "platform/Consts.h"
#include "platform/SysUtils.h"
#include "TextLines.h"

namespace {

// One key: its values in file order, raw text after "=".
struct TIniSection {
    String Name;
    std::vector<std::pair<String, String>> Values;
};

// The whole file of one root key, read at open and written back whole.
class TIniFile {
public:
    std::vector<TIniSection> Sections;

    TIniSection* Find(const String& Key)
    {
        const auto found = FIndex.find(UpperCase(Key));
        return found == FIndex.end() ? nullptr : &Sections[found->second];
    }

    TIniSection& Add(const String& Key)
    {
        FIndex.emplace(UpperCase(Key), Sections.size());
        return Sections.emplace_back(TIniSection{Key, {}});
    }

    TIniSection& FindOrAdd(const String& Key)
    {
        TIniSection* found = Find(Key);
        return found ? *found : Add(Key);
    }

private:
    // Section indexes by key path in upper case, as key paths compare: a
    // file of many keys reads in linear time.
    std::unordered_map<String, std::size_t> FIndex;
};

String ProgramFolderName() { return "correlation"; }

String RootFileName(HKEY Root)
{
    const bool user = Root == HKEY_CURRENT_USER;
    if (const char* chosen = std::getenv(user ? "PL_REGISTRY_USER" : "PL_REGISTRY_SYSTEM"); chosen && *chosen)
        return chosen;
    if (!user) return "/etc/" + ProgramFolderName() + "/registry.ini";
    String base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) base = config;
    else if (const char* home = std::getenv("HOME"); home && *home) base = String(home) + "/.config";
    else base = ".";
    return base + "/" + ProgramFolderName() + "/registry.ini";
}

// Key paths compare without their outer separators.
String NormalizeKey(const String& Key)
{
    std::size_t first = Key.find_first_not_of('\\');
    if (first == String::npos) return String();
    std::size_t last = Key.find_last_not_of('\\');
    return Key.substr(first, last - first + 1);
}

// The text of a file's bytes. The registry writes UTF-8 without a mark;
// a file that another program saved behind a byte-order mark (UTF-8 or
// UTF-16) reads as every text file of the layer reads, never as noise
// that holds no key.
String StoreText(RawByteString Bytes, const String& FileName)
{
    if (!HasByteOrderMark(Bytes)) return Bytes;
    try {
        return DecodeTextFile(std::move(Bytes));
    } catch (const EEncodingError& error) {
        throw ERegistryException(Format(SRegNotText, TextExcerpt(FileName), error.Message()));
    }
}

// No file is an empty one; a file that is there but cannot be read (a loop
// of links, a pipe, a folder) is an error, not an empty registry.
TIniFile ReadIniFile(const String& FileName)
{
    TIniFile file;
    if (FileMissing(FileName)) return file;
    TMemoryStream bytes;
    try {
        bytes.LoadFromFile(FileName);
    } catch (const EStreamError& error) {
        throw ERegistryException(error.Message());
    }
    TIniSection* current = nullptr;
    const String text =
        StoreText(RawByteString(static_cast<const char*>(bytes.Memory()), static_cast<std::size_t>(bytes.Size())),
                  FileName);
    ForEachLine(text, [&](std::string_view Line) {
        const String line = Trim(Line);
        if (line.empty() || line[0] == ';' || line[0] == '#') return;
        if (line.front() == '[' && line.back() == ']') {
            current = &file.FindOrAdd(NormalizeKey(line.substr(1, line.size() - 2)));
            return;
        }
        const std::size_t equals = line.find('=');
        if (current && equals != String::npos)
            current->Values.emplace_back(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
    });
    return file;
}

void WriteIniFile(const String& FileName, const TIniFile& File)
{
    std::ostringstream text;
    for (const TIniSection& section : File.Sections) {
        text << '[' << section.Name << "]\n";
        for (const auto& [name, raw] : section.Values) text << name << '=' << raw << '\n';
        text << '\n';
    }
    const String bytes = text.str();
    try {
        TSafeFileStream out(FileName);
        out.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
        out.Commit();
    } catch (const EStreamError&) {
        throw ERegistryException(Format(SRegCreateFailed, TextExcerpt(FileName)));
    }
}

// The advisory lock of a registry file, held for one read-modify-write:
// every writer takes it, in this process or another, so that each write
// lands on the values the writers before it put there. It locks the file
// itself; a writer that replaced the file meanwhile (a new file under the
// name) sends a waiting one to lock the new file instead. A missing file
// is made empty to be locked, which reads as no file does.
class TStoreLock {
public:
    explicit TStoreLock(const String& FileName)
    {
        for (;;) {
            FHandle = OpenForLock(FileName);
            int locked = 0;
            do locked = ::flock(FHandle, LOCK_EX);
            while (locked != 0 && errno == EINTR);
            // A file system without locks still takes the write, unguarded.
            if (locked != 0 || StillNamed(FHandle, FileName)) return;
            ::close(FHandle);
        }
    }
    ~TStoreLock() { ::close(FHandle); }
    TStoreLock(const TStoreLock&) = delete;
    TStoreLock& operator=(const TStoreLock&) = delete;

private:
    static bool StillNamed(int Handle, const String& FileName)
    {
        struct stat locked {}, named {};
        return ::fstat(Handle, &locked) == 0 && ::stat(FileName.c_str(), &named) == 0 &&
               locked.st_dev == named.st_dev && locked.st_ino == named.st_ino;
    }

    // Never waits on a pipe or a device: only a regular file is locked.
    static int OpenForLock(const String& FileName)
    {
        ForceDirectories(ExtractFileDir(FileName));
        const int handle = ::open(FileName.c_str(), O_RDONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
        if (handle < 0) throw ERegistryException(Format(SRegCreateFailed, TextExcerpt(FileName)));
        struct stat info {};
        if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(handle);
            throw ERegistryException(Format(SRegCreateFailed, TextExcerpt(FileName)));
        }
        return handle;
    }

    int FHandle = -1;
};

String QuoteText(const String& Value)
{
    String quoted = "\"";
    for (char c : Value) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

bool UnquoteText(const String& Raw, String& Value)
{
    if (Raw.size() < 2 || Raw.front() != '"' || Raw.back() != '"') return false;
    Value.clear();
    for (std::size_t i = 1; i + 1 < Raw.size(); ++i) {
        if (Raw[i] == '\\' && i + 2 < Raw.size()) ++i;
        Value += Raw[i];
    }
    return true;
}

constexpr std::string_view DwordPrefix = "dword:";

bool HasLineBreak(std::string_view Text) { return Text.find_first_of("\r\n") != std::string_view::npos; }

// What the file keeps as written: a line each, a name that its line reads
// back whole (nothing trimmed, no '=', not taken for a comment).
bool Storable(const String& Key, const String& Name, const String& Raw)
{
    const bool nameReadsBack = Trim(Name) == Name && Name.find('=') == String::npos &&
                               (Name.empty() || (Name[0] != ';' && Name[0] != '#'));
    return nameReadsBack && !HasLineBreak(Key) && !HasLineBreak(Name) && !HasLineBreak(Raw);
}

}  // namespace

struct TRegistry::TImpl {
    TIniFile File;
    String FileName;
};

TRegistry::TRegistry() : FImpl(std::make_unique<TImpl>()) {}

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(HKEY Value)
{
    CloseKey();
    FRootKey = Value;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate)
{
    String fileName = RootFileName(FRootKey);
    TIniFile file = ReadIniFile(fileName);
    CloseKey();
    const String key = NormalizeKey(Key);
    if (!file.Find(key)) {
        if (!CanCreate) return false;
        file.Add(key);
    }
    FImpl->FileName = std::move(fileName);
    FImpl->File = std::move(file);
    FCurrentPath = key;
    FKeyOpen = true;
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& Key)
{
    if (!OpenKey(Key, false)) return false;
    FReadOnly = true;
    return true;
}

void TRegistry::CloseKey()
{
    FKeyOpen = false;
    FReadOnly = true;
    FCurrentPath.clear();
}

bool TRegistry::KeyExists(const String& Key)
{
    return ReadIniFile(RootFileName(FRootKey)).Find(NormalizeKey(Key)) != nullptr;
}

const String* TRegistry::FindRaw(const String& Name) const
{
    if (!FKeyOpen) return nullptr;
    const TIniSection* section = FImpl->File.Find(FCurrentPath);
    if (!section) return nullptr;
    for (const auto& [name, raw] : section->Values)
        if (SameText(name, Name)) return &raw;
    return nullptr;
}

bool TRegistry::ValueExists(const String& Name) const { return FindRaw(Name) != nullptr; }

String TRegistry::ReadString(const String& Name) const
{
    const String* raw = FindRaw(Name);
    if (!raw) return String();
    String value;
    if (!UnquoteText(*raw, value)) throw ERegistryException(Format(SRegInvalidDataType, TextExcerpt(Name)));
    return value;
}

Integer TRegistry::ReadInteger(const String& Name) const
{
    const String* raw = FindRaw(Name);
    if (!raw || raw->size() <= DwordPrefix.size() || !SameText(raw->substr(0, DwordPrefix.size()), DwordPrefix))
        throw ERegistryException(Format(SRegInvalidDataType, TextExcerpt(Name)));
    Int64 value = 0;
    if (!TryStrToInt64("$" + raw->substr(DwordPrefix.size()), value) || value < 0 || value > 0xFFFFFFFFLL)
        throw ERegistryException(Format(SRegInvalidDataType, TextExcerpt(Name)));
    return static_cast<Integer>(static_cast<Cardinal>(value));
}

void TRegistry::WriteRaw(const String& Name, const String& Raw)
{
    if (!FKeyOpen || FReadOnly) throw ERegistryException(Format(SRegNoKeyOpen, TextExcerpt(Name)));
    if (!Storable(FCurrentPath, Name, Raw)) throw ERegistryException(Format(SRegNotStorable, TextExcerpt(Name)));
    // The value goes into the file as it is now, not as it was when the key
    // was opened: what other objects and processes wrote since stays.
    const TStoreLock lock(FImpl->FileName);
    TIniFile current = ReadIniFile(FImpl->FileName);
    TIniSection& section = current.FindOrAdd(FCurrentPath);
    bool replaced = false;
    for (auto& [name, raw] : section.Values)
        if (SameText(name, Name)) {
            raw = Raw;
            replaced = true;
        }
    if (!replaced) section.Values.emplace_back(Name, Raw);
    WriteIniFile(FImpl->FileName, current);
    FImpl->File = std::move(current);
}

void TRegistry::WriteString(const String& Name, const String& Value) { WriteRaw(Name, QuoteText(Value)); }

void TRegistry::WriteInteger(const String& Name, Integer Value)
{
    WriteRaw(Name, String(DwordPrefix) + IntToHex(static_cast<Cardinal>(Value), 8));
}
