#include "AppPath.h"

QByteArray AppPathOf(const QByteArray& programFile)
{
    const qsizetype slash = programFile.lastIndexOf('/');
    if (slash < 0)
        return "./";
    return programFile.left(slash + 1);
}
