#include "AppPath.h"
#include "Application.h"
#include "CommandLine.h"
#include "TRunningCopy.h"
#include "utMain.h"

#include <QApplication>
#include <QFile>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Qt has taken its own options out of argv; what is left are the user's, as bytes.
    const CommandLine line = CommandLineOf(argc, argv);
    TRunningCopy runningCopy(RunningCopySocket());
    if (runningCopy.HandOver(line))
        return 0;

    PrepareApplication(app);
    QByteArray programFile = RunningProgramFile();
    if (programFile.isEmpty())
        programFile = QFile::encodeName(QCoreApplication::applicationFilePath());
    TwinMain winMain(programFile);
    QObject::connect(&runningCopy, &TRunningCopy::CommandLineArrived, &winMain, &TwinMain::ShowCommandLine);
    winMain.show();
    winMain.OpenFiles(AbsolutePaths(line));
    return QApplication::exec();
}
