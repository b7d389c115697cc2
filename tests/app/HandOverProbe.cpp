// Run by the hand-over tests as another user.
//   handover_probe start <path>     hands <path> over as a start of the program does, and prints
//                                   "handed over" or "own window" and the milliseconds that took
//   handover_probe send <socket>    writes a command line to <socket> without asking who listens
#include "app/CommandLine.h"
#include "app/TRunningCopy.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalSocket>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const CommandLine line{"/", {QByteArray(argv[2])}};
    if (std::strcmp(argv[1], "send") == 0) {
        QLocalSocket socket;
        socket.connectToServer(QString::fromUtf8(argv[2]));
        if (!socket.waitForConnected(1000))
            return 1;
        socket.write(EncodeCommandLine(line));
        return socket.waitForBytesWritten(1000) ? 0 : 1;
    }
    QElapsedTimer clock;
    clock.start();
    TRunningCopy start(RunningCopySocket());
    const bool handedOver = start.HandOver(line);
    std::printf("%s %lld\n", handedOver ? "handed over" : "own window", static_cast<long long>(clock.elapsed()));
    return 0;
}
