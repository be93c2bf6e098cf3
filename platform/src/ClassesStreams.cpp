#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <bit>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>

#include "platform/Classes.h"
#include "platform/Consts.h"
#include "platform/Resources.h"
#include "TestHooks.h"

// --- TStream ---------------------------------------------------------------

std::size_t TStream::LEIndex(std::size_t i, std::size_t size)
{
    return std::endian::native == std::endian::little ? i : size - 1 - i;
}

Int64 TStream::Size()
{
    const Int64 pos = Seek(0, soCurrent);
    const Int64 size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(Int64) { throw EStreamError(SStreamSetSize); }

void TStream::ReadBuffer(void* Buffer, Int64 Count)
{
    if (Count < 0 || (Count != 0 && Read(Buffer, Count) != Count)) throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* Buffer, Int64 Count)
{
    if (Count < 0 || (Count != 0 && Write(Buffer, Count) != Count)) throw EWriteError(SWriteError);
}

Int64 TStream::CopyFrom(TStream& Source, Int64 Count)
{
    if (Count < 0) throw EReadError(SReadError);
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    std::vector<Byte> buffer(static_cast<std::size_t>(std::min<Int64>(Count, 1 << 16)));
    Int64 left = Count;
    while (left > 0) {
        const Int64 n = std::min<Int64>(left, static_cast<Int64>(buffer.size()));
        Source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return Count;
}

// --- Memory streams --------------------------------------------------------

void TCustomMemoryStream::SetPointer(const void* Ptr, Int64 Size)
{
    FMemory = Ptr;
    FSize = Size;
}

Int64 TCustomMemoryStream::Read(void* Buffer, Int64 Count)
{
    if (Count <= 0 || FPosition >= FSize) return 0;
    const Int64 n = std::min(Count, FSize - FPosition);
    std::memcpy(Buffer, static_cast<const Byte*>(FMemory) + FPosition, static_cast<std::size_t>(n));
    FPosition += n;
    return n;
}

Int64 TCustomMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    const Int64 base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : FSize;
    if ((Offset > 0 && base > std::numeric_limits<Int64>::max() - Offset) || base + Offset < 0)
        throw EStreamError(SInvalidStreamPosition);
    FPosition = base + Offset;
    return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream& Stream) { Stream.WriteBuffer(FMemory, FSize); }

void TCustomMemoryStream::SaveToFile(const String& FileName)
{
    TSafeFileStream file(FileName);
    SaveToStream(file);
    file.Commit();
}

void TMemoryStream::Sync() { SetPointer(FData.data(), static_cast<Int64>(FData.size())); }

Int64 TMemoryStream::Write(const void* Buffer, Int64 Count)
{
    if (Count <= 0) return 0;
    const Int64 end = FPosition + Count;
    if (end > static_cast<Int64>(FData.size())) {
        FData.resize(static_cast<std::size_t>(end));
        Sync();
    }
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<std::size_t>(Count));
    FPosition = end;
    return Count;
}

void TMemoryStream::SetSize(Int64 NewSize)
{
    if (NewSize < 0) throw EStreamError(SInvalidStreamSize);
    FData.resize(static_cast<std::size_t>(NewSize));
    Sync();
    FPosition = std::min(FPosition, NewSize);
}

void TMemoryStream::Clear()
{
    FData.clear();
    FData.shrink_to_fit();
    Sync();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream)
{
    Stream.SetPosition(0);
    const Int64 size = Stream.Size();
    SetSize(size);
    Stream.ReadBuffer(FData.data(), size);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName)
{
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

TResourceStream::TResourceStream(const String& ResName)
{
    const auto data = FindResourceData(ResName);
    if (data.data() == nullptr) throw EFOpenError(Format(SResourceStreamNotFound, ResName));
    SetPointer(data.data(), static_cast<Int64>(data.size()));
}

Int64 TResourceStream::Write(const void*, Int64) { throw EWriteError(SResourceReadOnly); }

// --- TFileStream -----------------------------------------------------------

TFileStream::TFileStream(const String& FileName, Word Mode) : TFileStream(FileName, Mode, FileName) {}

TFileStream::TFileStream(const String& Path, Word Mode, const String& FileName) : FFileName(FileName)
{
    const String path = ExpandFileName(Path);
    if (Mode == fmCreate) {
        FHandle = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0)
            throw EFCreateError(Format(SFCreateError, FileName, std::strerror(errno)));
        return;
    }
    const int access = (Mode & 3) == fmOpenWrite ? O_WRONLY : (Mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY;
    FHandle = ::open(path.c_str(), access | O_CLOEXEC);
    struct stat info {};
    if (FHandle >= 0 && ::fstat(FHandle, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(FHandle);
        FHandle = -1;
        errno = EISDIR;
    }
    if (FHandle < 0)
        throw EFOpenError(Format(SFOpenError, FileName, std::strerror(errno)));
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0) ::close(FHandle);
}

Int64 TFileStream::Read(void* Buffer, Int64 Count)
{
    Int64 done = 0;
    while (done < Count) {
        const ssize_t n = ::read(FHandle, static_cast<Byte*>(Buffer) + done, static_cast<std::size_t>(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

Int64 TFileStream::Write(const void* Buffer, Int64 Count)
{
    // A test's full disk takes only part of it.
    const Int64 room = pl::DiskRoomFor(std::max<Int64>(Count, 0));
    Int64 done = 0;
    while (done < room) {
        const ssize_t n =
            ::write(FHandle, static_cast<const Byte*>(Buffer) + done, static_cast<std::size_t>(room - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    if (done == room && room < Count) errno = ENOSPC;
    return done;
}

Int64 TFileStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
    const off_t pos = ::lseek(FHandle, static_cast<off_t>(Offset), whence);
    if (pos < 0) throw EStreamError(Format(SFileSeekError, FFileName));
    return pos;
}

void TFileStream::SetSize(Int64 NewSize)
{
    if (NewSize < 0 || ::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
        throw EStreamError(Format(SFileSizeError, FFileName));
    if (Position() > NewSize) SetPosition(NewSize);
}

// --- TSafeFileStream -------------------------------------------------------

namespace {

[[noreturn]] void RaiseCreateError(const String& FileName, int Error)
{
    throw EFCreateError(Format(SFCreateError, FileName, std::strerror(Error)));
}

// Unique among the saves of every process: two programs saving the same
// file each write their own, and the last whole one wins.
String TemporaryBeside(const String& Target)
{
    static std::atomic<Cardinal> serial{0};
    return Target + ".~" + IntToStr(static_cast<Int64>(::getpid())) + "-" + IntToStr(static_cast<Int64>(++serial));
}

}  // namespace

TSafeFileStream::TPaths TSafeFileStream::PathsFor(const String& FileName)
{
    String target = ExpandFileName(FileName);
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        std::error_code ec;
        const std::filesystem::path linked = std::filesystem::canonical(target, ec);
        if (!ec) target = linked.string();
    }
    if (::stat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) RaiseCreateError(FileName, EISDIR);
        if (!S_ISREG(info.st_mode)) RaiseCreateError(FileName, EINVAL);
        // Replacing is no way around a file's protection.
        if (::access(target.c_str(), W_OK) != 0) RaiseCreateError(FileName, errno);
    }
    return {target, TemporaryBeside(target)};
}

TSafeFileStream::TSafeFileStream(const String& FileName) : TSafeFileStream(FileName, PathsFor(FileName)) {}

TSafeFileStream::TSafeFileStream(const String& FileName, const TPaths& Paths)
    : TFileStream(Paths.Temporary, fmCreate, FileName), FPaths(Paths)
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
