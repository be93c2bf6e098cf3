// Saves that replace a file in one step: where a save lands when links lead
// to the file, the temporary file written beside it, and the temporaries
// that killed saves left behind.

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>

#include "platform/Classes.h"
#include "platform/Consts.h"

namespace {

namespace fs = std::filesystem;

// The system's own limit on links followed in one name.
constexpr int MaxLinksFollowed = 40;

[[noreturn]] void RaiseCreateError(const String& FileName, int Error)
{
    throw EFCreateError(Format(SFCreateError, FileName, std::strerror(Error)));
}

// Path with its chain of symbolic links followed to the file a save writes,
// which need not exist yet: a link to no file makes that file, and every
// link stays a link.
String LinkedFile(const String& FileName, String Path)
{
    for (int followed = 0;; ++followed) {
        struct stat info {};
        if (::lstat(Path.c_str(), &info) != 0) {
            if (errno == ENOENT) return Path;
            RaiseCreateError(FileName, errno);
        }
        if (!S_ISLNK(info.st_mode)) return Path;
        if (followed == MaxLinksFollowed) RaiseCreateError(FileName, ELOOP);
        std::error_code error;
        const fs::path linked = fs::read_symlink(Path, error);
        if (error) RaiseCreateError(FileName, error.value());
        // A relative link starts from the folder holding it; nothing is
        // folded lexically, as ".." after a linked folder leaves the folder
        // it points to.
        Path = linked.is_absolute() ? linked.string() : (fs::path(Path).parent_path() / linked).string();
    }
}

// Temporaries are named ".~<hash of the file's name>-<writer's process>-<n>":
// short whatever the file's name is, and telling a later save which file
// and which writer they belong to. Earlier saves named them
// "<file's name>.~<process>-<n>".
String TemporaryPrefix(const String& TargetName)
{
    std::uint64_t hash = 0xcbf29ce484222325u;  // FNV-1a
    for (const char c : TargetName) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    return ".~" + IntToHex(hash, 16) + "-";
}

// The writer's process of Name when it is a temporary of Prefix ("<pid>-<n>"
// after it), else 0.
pid_t TemporaryWriter(std::string_view Name, std::string_view Prefix)
{
    if (!Name.starts_with(Prefix)) return 0;
    Name.remove_prefix(Prefix.size());
    pid_t pid = 0;
    Cardinal serial = 0;
    const char* end = Name.data() + Name.size();
    const auto [afterPid, pidError] = std::from_chars(Name.data(), end, pid);
    if (pidError != std::errc() || pid <= 0 || afterPid == end || *afterPid != '-') return 0;
    const auto [afterSerial, serialError] = std::from_chars(afterPid + 1, end, serial);
    return serialError == std::errc() && afterSerial == end ? pid : 0;
}

// Removes Name from Folder when its writer is gone: no process of its
// number runs, and none holds the lock a writer keeps on its temporary (a
// writer of another process namespace, known here under another number,
// still does). A running process of that number may be another program;
// the temporary then waits for a later save.
void RemoveWhenWriterGone(int Folder, const char* Name, pid_t Writer)
{
    if (Writer == ::getpid() || ::kill(Writer, 0) == 0 || errno != ESRCH) return;
    const int handle = ::openat(Folder, Name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (handle < 0) return;
    struct stat info {};
    if (::fstat(handle, &info) == 0 && S_ISREG(info.st_mode) && ::flock(handle, LOCK_EX | LOCK_NB) == 0)
        ::unlinkat(Folder, Name, 0);
    ::close(handle);
}

// A save killed between writing its temporary and putting it in place
// leaves it behind, as large as the file; the next save of the same file
// takes it away. Nothing here stops the save: an unreadable folder just
// keeps what it holds.
void RemoveStaleTemporaries(const String& Target)
{
    const fs::path target(Target);
    const String name = target.filename().string();
    const String prefix = TemporaryPrefix(name), earlierPrefix = name + ".~";
    DIR* folder = ::opendir(target.parent_path().c_str());
    if (!folder) return;
    while (const dirent* entry = ::readdir(folder)) {
        pid_t writer = TemporaryWriter(entry->d_name, prefix);
        if (writer == 0) writer = TemporaryWriter(entry->d_name, earlierPrefix);
        if (writer != 0) RemoveWhenWriterGone(::dirfd(folder), entry->d_name, writer);
    }
    ::closedir(folder);
}

// Creates a temporary beside Target, locked for as long as this process
// holds it open: unique among the saves of every process, so that two
// programs saving the same file each write their own and the last whole one
// wins.
int CreateTemporary(const String& FileName, const String& Target, String& Temporary)
{
    static std::atomic<Cardinal> serial{0};
    const fs::path target(Target);
    const String prefix =
        TemporaryPrefix(target.filename().string()) + IntToStr(static_cast<Int64>(::getpid())) + "-";
    while (true) {
        // Only a process that had this number before leaves a name taken.
        Temporary = (target.parent_path() / (prefix + IntToStr(static_cast<Int64>(++serial)))).string();
        const int handle =
            ::open(Temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
        if (handle >= 0) {
            ::flock(handle, LOCK_EX | LOCK_NB);
            return handle;
        }
        if (errno != EEXIST) RaiseCreateError(FileName, errno);
    }
}

}  // namespace

TSafeFileStream::TPaths TSafeFileStream::PathsFor(const String& FileName)
{
    TPaths paths;
    paths.Target = LinkedFile(FileName, ExpandFileName(FileName));
    struct stat info {};
    if (::stat(paths.Target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) RaiseCreateError(FileName, EISDIR);
        if (!S_ISREG(info.st_mode)) RaiseCreateError(FileName, EINVAL);
        // Replacing is no way around a file's protection.
        if (::access(paths.Target.c_str(), W_OK) != 0) RaiseCreateError(FileName, errno);
    }
    RemoveStaleTemporaries(paths.Target);
    paths.Handle = CreateTemporary(FileName, paths.Target, paths.Temporary);
    return paths;
}

TSafeFileStream::TSafeFileStream(const String& FileName) : TSafeFileStream(FileName, PathsFor(FileName)) {}

TSafeFileStream::TSafeFileStream(const String& FileName, const TPaths& Paths)
    : TFileStream(Paths.Handle, FileName), FPaths(Paths)
{
    struct stat earlier {};
    if (::stat(FPaths.Target.c_str(), &earlier) == 0) ::fchmod(Handle(), earlier.st_mode & 07777);
}

TSafeFileStream::~TSafeFileStream()
{
    if (!FCommitted) ::unlink(FPaths.Temporary.c_str());
}

void TSafeFileStream::Commit()
{
    if (::fdatasync(Handle()) != 0) throw EWriteError(SWriteError);
    if (::rename(FPaths.Temporary.c_str(), FPaths.Target.c_str()) != 0) RaiseCreateError(FileName(), errno);
    FCommitted = true;
}
