#pragma once

#include "CommandLine.h"

#include <QObject>
#include <QString>

class QLocalServer;

// One running copy per user. The first start listens on a local socket; a later start hands its command
// line to it and ends, so that only one process ever writes the catalogue.
class TRunningCopy final : public QObject {
    Q_OBJECT

public:
    // socketPath: as RunningCopySocket() gives it; tests give their own.
    explicit TRunningCopy(const QString& socketPath, QObject* parent = nullptr);
    ~TRunningCopy() override;

    // True when a copy runs and took the command line: this start is to end. Otherwise this copy
    // listens from now on (where the socket can be made at all) and the caller goes on starting.
    bool HandOver(const CommandLine& line);
    bool Listening() const;

signals:
    void CommandLineArrived(const CommandLine& line);

private:
    void Accept();

    QString socketPath_;
    QLocalServer* server_;
};

// $XDG_RUNTIME_DIR/melvanekiro-<uid>, or in the temporary folder where there is no runtime folder.
QString RunningCopySocket();
