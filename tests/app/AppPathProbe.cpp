// Prints the bytes of the running program's path, for the test that runs a copy of it from a folder
// whose name is no UTF-8.
#include "app/AppPath.h"

#include <cstdio>

int main()
{
    const QByteArray file = RunningProgramFile();
    std::fwrite(file.constData(), 1, file.size(), stdout);
    return file.isEmpty() ? 1 : 0;
}
