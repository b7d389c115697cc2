#include "utMain.h"

#include <QApplication>
#include <QFile>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TwinMain winMain(QFile::encodeName(QCoreApplication::applicationFilePath()));
    winMain.show();
    return QApplication::exec();
}
