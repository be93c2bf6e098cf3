#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QObject>

#include <unistd.h>

#include <cctype>

#include "Guard.h"
#include "platform/SysServices.h"

namespace {

constexpr char kActivate[] = "activate\n";
constexpr int kWaitMs = 1000;

// Letters, digits, '-' and '_' stay; the rest would be path separators or
// worse in a file or socket name.
String SafeName(const String& Key)
{
    String name = "pl-instance-";
    for (unsigned char c : Key) name += std::isalnum(c) || c == '-' || c == '_' ? static_cast<char>(c) : '_';
    return name + "-" + std::to_string(::getuid());
}

}  // namespace

struct TSingleInstance::TImpl {
    explicit TImpl(const String& Name) : Lock(QDir::temp().filePath(QString::fromStdString(Name + ".lock"))) {}
    QLockFile Lock;
    QLocalServer Server;
};

TSingleInstance::TSingleInstance(const String& Key)
    : FName(SafeName(Key)), FImpl(std::make_unique<TImpl>(FName))
{
    FImpl->Lock.setStaleLockTime(0);
}

TSingleInstance::~TSingleInstance() = default;

bool TSingleInstance::Acquire()
{
    if (!FImpl->Lock.tryLock(0)) return false;
    const QString name = QString::fromStdString(FName);
    // The lock is ours: a socket left behind belongs to a dead instance.
    QLocalServer::removeServer(name);
    if (!FImpl->Server.listen(name)) return true;  // first, though nobody can ask it to come forward
    QLocalServer* server = &FImpl->Server;
    QObject::connect(server, &QLocalServer::newConnection, server, [this, server] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            const auto readRequests = [this, socket] {
                while (socket->canReadLine())
                    if (socket->readLine() == kActivate && OnActivate) pl::Guard(OnActivate);
            };
            QObject::connect(socket, &QLocalSocket::readyRead, socket, readRequests);
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            // A request may have come with the connection.
            readRequests();
        }
    });
    return true;
}

bool TSingleInstance::ActivateFirst()
{
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(FName));
    if (!socket.waitForConnected(kWaitMs)) return false;
    socket.write(kActivate);
    const bool sent = socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    return sent;
}
