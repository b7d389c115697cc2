#include "TRunningCopy.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>
#include <QTimer>

#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(lcRunningCopy, "melvane")

constexpr int kConnectMs = 500;
constexpr int kSendMs = 5000;
// Another start holds the lock only while it looks for a running copy: milliseconds.
constexpr int kLockMs = 500;
constexpr int kSilentMs = 2000;
constexpr int kMaxReaders = 8;
constexpr qint64 kReadChunk = 64 * 1024;

// The folder when it is one of ours that nobody else may enter and no link; made (0700) when make.
QByteArray PrivateFolder(const QByteArray& folder, bool make)
{
    if (!folder.startsWith('/'))
        return {};
    if (make)
        ::mkdir(folder.constData(), 0700);
    struct stat st {};
    if (::lstat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()
        || (st.st_mode & 077) != 0)
        return {};
    return folder;
}

bool SameUser(const QLocalSocket& socket)
{
    return PeerUserId(socket.socketDescriptor()) == qint64(::geteuid());
}

} // namespace

qint64 PeerUserId(qintptr socketDescriptor)
{
    struct ucred peer {};
    socklen_t size = sizeof peer;
    if (socketDescriptor < 0 || ::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0)
        return -1;
    return peer.uid;
}

QString RunningCopySocket()
{
    QByteArray folder = PrivateFolder(qgetenv("XDG_RUNTIME_DIR"), false);
    if (folder.isEmpty()) {
        QByteArray cache = qgetenv("XDG_CACHE_HOME");
        if (!cache.startsWith('/') && qgetenv("HOME").startsWith('/'))
            cache = qgetenv("HOME") + "/.cache";
        if (cache.startsWith('/')) {
            ::mkdir(cache.constData(), 0700);
            folder = PrivateFolder(cache + "/melvanekiro", true);
        }
    }
    if (folder.isEmpty()) {
        qCWarning(lcRunningCopy) << "no private folder for the running copy's socket: this start keeps to itself";
        return {};
    }
    return QFile::decodeName(folder + "/melvanekiro-" + QByteArray::number(::geteuid()));
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
    if (socketPath_.isEmpty())
        return false;
    // Two starts at one moment must not both decide to be the first.
    QLockFile lock(socketPath_ + QStringLiteral(".lock"));
    const bool locked = lock.tryLock(kLockMs);
    if (!locked)
        qCWarning(lcRunningCopy) << "cannot take the lock" << lock.fileName() << "error" << int(lock.error());
    switch (Send(line)) {
    case Sent::Yes:
        return true;
    case Sent::Refused:
        return false;
    case Sent::NobodyThere:
        break;
    }
    if (!locked)
        return false;
    // Nobody answers: what lies there is left by a copy that ended without removing it.
    QLocalServer::removeServer(socketPath_);
    if (!server_->listen(socketPath_))
        qCWarning(lcRunningCopy) << "cannot listen on" << socketPath_ << server_->errorString();
    return false;
}

TRunningCopy::Sent TRunningCopy::Send(const CommandLine& line)
{
    QLocalSocket first;
    first.connectToServer(socketPath_);
    if (!first.waitForConnected(kConnectMs))
        return Sent::NobodyThere;
    if (!SameUser(first)) {
        qCWarning(lcRunningCopy) << socketPath_ << "is held by another user's process: nothing sent";
        return Sent::Refused;
    }
    qsizetype dropped = 0;
    first.write(EncodeCommandLine(WithinHandOverCaps(line, dropped)));
    if (dropped > 0)
        qCWarning(lcRunningCopy) << dropped << "arguments past what one hand-over carries are left out";
    while (first.bytesToWrite() > 0 && first.waitForBytesWritten(kSendMs)) {
    }
    const bool sent = first.bytesToWrite() == 0;
    first.disconnectFromServer();
    if (!sent)
        qCWarning(lcRunningCopy) << "the running copy took no command line:" << first.errorString();
    return sent ? Sent::Yes : Sent::Refused;
}

bool TRunningCopy::Listening() const
{
    return server_->isListening();
}

void TRunningCopy::Accept()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!SameUser(*socket) || readers_ >= kMaxReaders) {
            qCWarning(lcRunningCopy) << "a connection" << (readers_ >= kMaxReaders ? "past the limit" : "of another user")
                                     << "is dropped";
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++readers_;
        connect(socket, &QObject::destroyed, this, [this] { --readers_; });
        Read(socket);
    }
}

void TRunningCopy::Read(QLocalSocket* socket)
{
    socket->setReadBufferSize(kReadChunk);
    auto reader = std::make_shared<CommandLineReader>();
    auto* silence = new QTimer(socket);
    silence->setSingleShot(true);
    silence->setInterval(kSilentMs);
    const auto drop = [socket](const char* why) {
        qCWarning(lcRunningCopy) << "a hand-over is dropped:" << why;
        socket->abort();
        socket->deleteLater();
    };
    connect(silence, &QTimer::timeout, socket, [drop] { drop("silent for 2 s"); });
    const auto take = [this, socket, reader, silence, drop] {
        silence->start();
        switch (reader->Feed(socket->readAll())) {
        case CommandLineReader::State::More:
            return;
        case CommandLineReader::State::Bad:
            return drop("over the cap or not a command line");
        case CommandLineReader::State::Done:
            silence->stop();
            socket->disconnectFromServer();
            emit CommandLineArrived(reader->Line());
        }
    };
    connect(socket, &QLocalSocket::readyRead, this, take);
    silence->start();
    if (socket->bytesAvailable() > 0)
        take();
}
