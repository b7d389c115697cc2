#include "AppPath.h"
#include "Application.h"
#include "utMain.h"

#include <QApplication>
#include <QFile>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    PrepareApplication(app);
    QByteArray programFile = RunningProgramFile();
    if (programFile.isEmpty())
        programFile = QFile::encodeName(QCoreApplication::applicationFilePath());
    TwinMain winMain(programFile);
    winMain.show();
    return QApplication::exec();
}
