// Saves that replace a file in one step: where a save lands when links lead
// to the file, the temporary file written beside it, the temporaries that
// killed saves left behind, and the save in place of a file whose folder
// takes no temporary.

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <optional>

#include "TestHooks.h"
#include "platform/Classes.h"
#include "platform/Consts.h"

namespace {

namespace fs = std::filesystem;

// The system's own limit on links followed in one name.
constexpr int MaxLinksFollowed = 40;

[[noreturn]] void RaiseCreateError(const String& FileName, int Error)
{
    throw EFCreateError(Format(SFCreateError, TextExcerpt(FileName), std::strerror(Error)));
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
// and which writer they belong to. No user names a file so. (Earlier saves
// named them "<file's name>.~<process>-<n>", a name a user may well give a
// file of their own: such files are left alone.)
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
    const String prefix = TemporaryPrefix(target.filename().string());
    DIR* folder = ::opendir(target.parent_path().c_str());
    if (!folder) return;
    while (const dirent* entry = ::readdir(folder))
        if (const pid_t writer = TemporaryWriter(entry->d_name, prefix); writer != 0)
            RemoveWhenWriterGone(::dirfd(folder), entry->d_name, writer);
    ::closedir(folder);
}

// Creates a temporary beside Target, locked for as long as this process
// holds it open: unique among the saves of every process, so that two
// programs saving the same file each write their own and the last whole one
// wins. -1 with errno set when the folder refuses it.
int CreateTemporary(const String& Target, String& Temporary)
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
        if (errno != EEXIST) return -1;
    }
}

// Whether the disk of Handle takes the blocks that growing its file from
// OldSize to NewSize bytes needs: no more than the system leaves free to
// us, nor than a test's full disk leaves. A disk that cannot tell is
// trusted.
bool DiskTakes(int Handle, Int64 OldSize, Int64 NewSize)
{
    struct statvfs disk {};
    if (NewSize > OldSize && ::fstatvfs(Handle, &disk) == 0 && disk.f_frsize > 0) {
        const auto blocks = [&](Int64 Size) { return (static_cast<std::uint64_t>(Size) + disk.f_frsize - 1) / disk.f_frsize; };
        if (blocks(NewSize) - blocks(OldSize) > disk.f_bavail) return false;
    }
    const Int64 room = pl::DiskRoomLeft();
    return room < 0 || NewSize - OldSize <= room;
}

// Puts Bytes back as the whole content of Handle's file; false when the
// disk took fewer. They fill blocks the file already had, so a test's full
// disk does not stop them.
bool PutBack(int Handle, const String& Bytes)
{
    for (std::size_t done = 0; done < Bytes.size();) {
        const ssize_t n = ::pwrite(Handle, Bytes.data() + done, Bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return ::ftruncate(Handle, static_cast<off_t>(Bytes.size())) == 0 && ::fdatasync(Handle) == 0;
}

// The file a save writes over in place, as a file stream: its writes meet
// a test's full disk as every file's do.
class TInPlaceTarget : public TFileStream {
public:
    explicit TInPlaceTarget(const String& Target) : TFileStream(Target, fmOpenReadWrite) {}
    int Descriptor() const { return Handle(); }

    String Content()
    {
        String bytes(static_cast<std::size_t>(Size()), '\0');
        SetPosition(0);
        ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
        return bytes;
    }
};

}  // namespace

TSafeFileStream::TPaths TSafeFileStream::PathsFor(const String& FileName)
{
    TPaths paths;
    paths.Target = LinkedFile(FileName, ExpandFileName(FileName));
    struct stat info {};
    const bool exists = ::stat(paths.Target.c_str(), &info) == 0;
    if (exists) {
        if (S_ISDIR(info.st_mode)) RaiseCreateError(FileName, EISDIR);
        if (!S_ISREG(info.st_mode)) RaiseCreateError(FileName, EINVAL);
        // Replacing is no way around a file's protection.
        if (::access(paths.Target.c_str(), W_OK) != 0) RaiseCreateError(FileName, errno);
    }
    RemoveStaleTemporaries(paths.Target);
    paths.Handle = CreateTemporary(paths.Target, paths.Temporary);
    if (paths.Handle >= 0) return paths;
    // A folder the user may not write (a shared one, another user's) can
    // still hold a file the user may: that file is written in place, its
    // new content kept in memory until Commit.
    const int refused = errno;
    if ((refused != EACCES && refused != EPERM) || !exists) RaiseCreateError(FileName, refused);
    paths.Temporary.clear();
    paths.Handle = ::memfd_create("save", MFD_CLOEXEC);
    if (paths.Handle < 0) RaiseCreateError(FileName, refused);
    return paths;
}

TSafeFileStream::TSafeFileStream(const String& FileName) : TSafeFileStream(FileName, PathsFor(FileName)) {}

TSafeFileStream::TSafeFileStream(const String& FileName, const TPaths& Paths)
    : TFileStream(Paths.Handle, FileName), FPaths(Paths)
{
    struct stat earlier {};
    if (!InPlace() && ::stat(FPaths.Target.c_str(), &earlier) == 0) ::fchmod(Handle(), earlier.st_mode & 07777);
}

TSafeFileStream::~TSafeFileStream()
{
    if (!FCommitted && !InPlace()) ::unlink(FPaths.Temporary.c_str());
}

void TSafeFileStream::Commit()
{
    if (InPlace()) {
        CommitInPlace();
    } else {
        if (::fdatasync(Handle()) != 0) throw EWriteError(SWriteError);
        if (::rename(FPaths.Temporary.c_str(), FPaths.Target.c_str()) != 0) RaiseCreateError(FileName(), errno);
    }
    FCommitted = true;
}

void TSafeFileStream::CommitInPlace()
{
    std::optional<TInPlaceTarget> opened;
    try {
        opened.emplace(FPaths.Target);
    } catch (const EFOpenError& error) {
        throw EFCreateError(error.Message());
    }
    TInPlaceTarget& target = *opened;
    const String earlier = target.Content();
    const Int64 size = Size();
    // A disk too full for the new content leaves the file as it was.
    if (!DiskTakes(target.Descriptor(), static_cast<Int64>(earlier.size()), size)) throw EWriteError(SWriteError);
    const bool written = [&] {
        try {
            target.SetPosition(0);
            target.CopyFrom(*this, 0);
            target.SetSize(size);
            return ::fdatasync(target.Descriptor()) == 0;
        } catch (const EStreamError&) {
            return false;
        }
    }();
    if (!written) {
        PutBack(target.Descriptor(), earlier);
        throw EWriteError(SWriteError);
    }
}
