#include "AppPath.h"

#include <climits>
#include <unistd.h>

QByteArray AppPathOf(const QByteArray& programFile)
{
    const qsizetype slash = programFile.lastIndexOf('/');
    if (slash < 0)
        return "./";
    return programFile.left(slash + 1);
}

QByteArray RunningProgramFile()
{
    QByteArray path(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || length >= path.size())
        return {};
    path.resize(length);
    return path;
}
