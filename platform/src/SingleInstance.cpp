#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <memory>

#include "Guard.h"
#include "platform/InstanceRequestReader.h"
#include "platform/SysServices.h"
#include "platform/SysUtils.h"

namespace {

constexpr int kWaitMs = 1000;
// Longer keys are cut and marked with a hash of the whole, so that the
// socket's path stays within the 107 bytes a local socket name may hold.
constexpr std::size_t kMaxKeyLength = 32;

// FNV-1a: the same in every build, so that every version of the program
// finds the others.
String KeyHash(const String& Key)
{
    UInt64 hash = 14695981039346656037ull;
    for (unsigned char c : Key) hash = (hash ^ c) * 1099511628211ull;
    return IntToHex(hash, 16);
}

// Letters, digits, '-' and '_' stay; the rest would be path separators or
// worse in a file or socket name. The folder is the user's: the name needs
// no user id.
String SafeName(const String& Key)
{
    String safe;
    for (unsigned char c : Key) safe += std::isalnum(c) || c == '-' || c == '_' ? static_cast<char>(c) : '_';
    if (safe.size() > kMaxKeyLength) safe = safe.substr(0, kMaxKeyLength) + "-" + KeyHash(Key);
    return "pl-instance-" + safe;
}

// Nobody but the user can add, replace or remove its entries: a real
// folder (not a link), the user's own, closed to group and others.
bool IsPrivateFolder(const String& Path)
{
    struct stat info {};
    return ::lstat(Path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & 077) == 0;
}

// $XDG_RUNTIME_DIR when it is private, else <temp>/pl-runtime-<uid>, made
// private; empty when neither can be trusted.
String RuntimeFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && IsPrivateFolder(runtime)) return runtime;
    const String own = QDir::tempPath().toStdString() + "/pl-runtime-" + std::to_string(::geteuid());
    ::mkdir(own.c_str(), 0700);  // one that exists already is checked all the same
    return IsPrivateFolder(own) ? own : String();
}

// A file the user made as a lock: regular, the user's own, writable by
// nobody else.
bool IsOwnLockFile(int Fd)
{
    struct stat info {};
    return ::fstat(Fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & 022) == 0;
}

// The open file is the one the path names now.
bool IsFileAt(int Fd, const String& Path)
{
    struct stat opened {}, named {};
    return ::fstat(Fd, &opened) == 0 && ::lstat(Path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

// Opens the lock file, made when missing. A link or a file someone else
// made in its place is not trusted: it is replaced. -1 when none opens.
int OpenOwnFile(const String& Path)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(Path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 && IsOwnLockFile(fd)) return fd;
        if (fd < 0 && errno != ELOOP) return -1;
        if (fd >= 0) ::close(fd);
        ::unlink(Path.c_str());
    }
    return -1;
}

enum class TLockState { Held, HeldElsewhere, Unavailable };

// An advisory lock on a file: the system lets it go when its holder ends,
// so a crashed instance leaves nothing that blocks the next one.
class TLockFile {
public:
    TLockFile() = default;
    TLockFile(const TLockFile&) = delete;
    TLockFile& operator=(const TLockFile&) = delete;
    // Removed while still locked: whoever opened it meanwhile finds, once
    // locked, that it is no longer the lock file and tries again.
    ~TLockFile()
    {
        if (FFd < 0) return;
        ::unlink(FPath.c_str());
        ::close(FFd);
    }

    TLockState Take(const String& Path)
    {
        if (FFd >= 0) return TLockState::Held;
        for (int attempt = 0; attempt < 2; ++attempt) {
            const int fd = OpenOwnFile(Path);
            if (fd < 0) return TLockState::Unavailable;
            if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
                const bool elsewhere = errno == EWOULDBLOCK;
                ::close(fd);
                return elsewhere ? TLockState::HeldElsewhere : TLockState::Unavailable;
            }
            if (IsFileAt(fd, Path)) {
                FFd = fd;
                FPath = Path;
                return TLockState::Held;
            }
            ::close(fd);
        }
        return TLockState::Unavailable;
    }

private:
    int FFd = -1;
    String FPath;
};

}  // namespace

struct TSingleInstance::TImpl {
    const String Folder = RuntimeFolder();
    TLockFile Lock;
    QLocalServer Server;

    String PathOf(const String& Name, const char* Extension) const { return Folder + "/" + Name + Extension; }
};

TSingleInstance::TSingleInstance(const String& Key) : FName(SafeName(Key)), FImpl(std::make_unique<TImpl>()) {}

TSingleInstance::~TSingleInstance() = default;

bool TSingleInstance::Acquire()
{
    // Without a folder of the user's own, nothing found can be trusted to
    // be another instance: this one runs, unguarded.
    if (FImpl->Folder.empty()) return true;
    switch (FImpl->Lock.Take(FImpl->PathOf(FName, ".lock"))) {
        case TLockState::HeldElsewhere: return false;
        case TLockState::Unavailable: return true;
        case TLockState::Held: break;
    }
    Listen();
    return true;
}

void TSingleInstance::Listen()
{
    const QString path = QString::fromStdString(FImpl->PathOf(FName, ".socket"));
    // The lock is ours: a socket left behind belongs to a dead instance.
    QLocalServer::removeServer(path);
    if (!FImpl->Server.listen(path)) return;  // first, though nobody can ask it to come forward
    QLocalServer* server = &FImpl->Server;
    QObject::connect(server, &QLocalServer::newConnection, server, [this, server] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            const auto readRequests = [this, server, socket, reader = std::make_shared<TInstanceRequestReader>()] {
                const QByteArray bytes = socket->readAll();
                // Posted to the server, so that a handler that ends this
                // instance ends the requests still to come with it.
                for (Integer n = reader->Read({bytes.constData(), std::size_t(bytes.size())}); n > 0; --n)
                    QMetaObject::invokeMethod(
                        server, [this] { if (OnActivate) pl::Guard(OnActivate); }, Qt::QueuedConnection);
                if (reader->Refused()) socket->abort();
            };
            QObject::connect(socket, &QLocalSocket::readyRead, socket, readRequests);
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            // A request may have come with the connection.
            readRequests();
        }
    });
}

bool TSingleInstance::ActivateFirst()
{
    if (FImpl->Folder.empty()) return false;
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(FImpl->PathOf(FName, ".socket")));
    if (!socket.waitForConnected(kWaitMs)) return false;
    const std::string_view request = TInstanceRequestReader::ActivateLine;
    socket.write(request.data(), qint64(request.size()));
    const bool sent = socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    return sent;
}
