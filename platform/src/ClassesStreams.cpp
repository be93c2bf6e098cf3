#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstring>
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

namespace {

// Why opening Path failed with Error: a pipe without a reader or a socket
// answers "no such device", which would hide that it is no file at all.
String OpenFailure(const String& Path, int Error)
{
    struct stat info {};
    if (Error == ENXIO && ::stat(Path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return SNotRegularFile;
    return std::strerror(Error);
}

// Opens Path as a regular file, or raises E with Message naming FileName.
// The open itself never waits: a pipe without a writer, or a device, would
// hold it (and the whole program) until someone answered. Whatever is not
// a regular file is refused before a byte moves: reading a pipe or a
// device has no end to wait for, and a directory has no bytes.
template <class E>
int OpenRegularFile(const String& Path, int Flags, const String& FileName, const char* Message)
{
    const int handle = ::open(Path.c_str(), Flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    if (handle < 0) throw E(Format(Message, TextExcerpt(FileName), OpenFailure(Path, errno)));
    struct stat info {};
    const int statError = ::fstat(handle, &info) == 0 ? 0 : errno;
    if (statError == 0 && S_ISREG(info.st_mode)) {
        // Reads and writes then wait for the disk as they always do.
        if (const int flags = ::fcntl(handle, F_GETFL); flags >= 0) ::fcntl(handle, F_SETFL, flags & ~O_NONBLOCK);
        return handle;
    }
    String reason = SNotRegularFile;
    if (statError != 0) reason = std::strerror(statError);
    else if (S_ISDIR(info.st_mode)) reason = std::strerror(EISDIR);
    ::close(handle);
    throw E(Format(Message, TextExcerpt(FileName), reason));
}

}  // namespace

TFileStream::TFileStream(const String& FileName, Word Mode) : FFileName(FileName)
{
    const String path = ExpandFileName(FileName);
    if (Mode == fmCreate) {
        FHandle = OpenRegularFile<EFCreateError>(path, O_RDWR | O_CREAT | O_TRUNC, FileName, SFCreateError);
        return;
    }
    const int access = (Mode & 3) == fmOpenWrite ? O_WRONLY : (Mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY;
    FHandle = OpenRegularFile<EFOpenError>(path, access, FileName, SFOpenError);
}

TFileStream::TFileStream(int Handle, const String& FileName) : FFileName(FileName), FHandle(Handle) {}

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
    if (pos < 0) throw EStreamError(Format(SFileSeekError, TextExcerpt(FFileName)));
    return pos;
}

void TFileStream::SetSize(Int64 NewSize)
{
    if (NewSize < 0 || ::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
        throw EStreamError(Format(SFileSizeError, TextExcerpt(FFileName)));
    if (Position() > NewSize) SetPosition(NewSize);
}
