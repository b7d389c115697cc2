#pragma once

#include "CommandLine.h"

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// One running copy per user. The first start listens on a local socket in a folder only the user can
// enter; a later start hands its command line to it and ends, so that only one process ever writes the
// catalogue. Each end checks that the other runs as the same user before a byte goes across; a start
// that cannot hand over safely goes on with a window of its own.
class TRunningCopy final : public QObject {
    Q_OBJECT

public:
    // socketPath: as RunningCopySocket() gives it (empty: no safe place, nothing is tried); tests give
    // their own.
    explicit TRunningCopy(const QString& socketPath, QObject* parent = nullptr);
    ~TRunningCopy() override;

    // True when a copy of this user runs and took the command line: this start is to end. Otherwise
    // this copy listens from now on where that is safe, and the caller goes on starting.
    bool HandOver(const CommandLine& line);
    bool Listening() const;

signals:
    void CommandLineArrived(const CommandLine& line);

private:
    enum class Sent { Yes, NobodyThere, Refused };
    Sent Send(const CommandLine& line);
    void Accept();
    void Read(QLocalSocket* socket);

    QString socketPath_;
    QLocalServer* server_;
    int readers_ = 0;
};

// The socket in $XDG_RUNTIME_DIR, or else in $XDG_CACHE_HOME/melvanekiro ($HOME/.cache/melvanekiro),
// made when missing; each must be a folder of this user that nobody else may enter, and no link. Empty
// when there is no such folder.
QString RunningCopySocket();

// The user id of the process at the other end of a local socket, or -1.
qint64 PeerUserId(qintptr socketDescriptor);
