#include "TRunningCopy.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <memory>
#include <unistd.h>

namespace {

constexpr int kConnectMs = 2000;
constexpr int kSendMs = 5000;
constexpr int kLockMs = 10000;

} // namespace

QString RunningCopySocket()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QString folder = runtime.startsWith('/') ? QFile::decodeName(runtime) : QDir::tempPath();
    return folder + QStringLiteral("/melvanekiro-%1").arg(::getuid());
}

TRunningCopy::TRunningCopy(const QString& socketPath, QObject* parent)
    : QObject(parent), socketPath_(socketPath), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &TRunningCopy::Accept);
}

TRunningCopy::~TRunningCopy() = default;

bool TRunningCopy::HandOver(const CommandLine& line)
{
    // Two starts at one moment must not both decide to be the first.
    QLockFile lock(socketPath_ + QStringLiteral(".lock"));
    lock.tryLock(kLockMs);

    QLocalSocket first;
    first.connectToServer(socketPath_);
    if (first.waitForConnected(kConnectMs)) {
        first.write(EncodeCommandLine(line));
        while (first.bytesToWrite() > 0 && first.waitForBytesWritten(kSendMs)) {
        }
        const bool sent = first.bytesToWrite() == 0;
        first.disconnectFromServer();
        if (sent)
            return true;
    }
    // Nobody answers: what lies there is left by a copy that ended without removing it.
    QLocalServer::removeServer(socketPath_);
    server_->listen(socketPath_);
    return false;
}

bool TRunningCopy::Listening() const
{
    return server_->isListening();
}

void TRunningCopy::Accept()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            bool bad = false;
            while (const std::optional<CommandLine> line = TakeCommandLine(*buffer, bad))
                emit CommandLineArrived(*line);
            if (bad)
                socket->abort();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}
