#include "SourceList.h"

void AppendSource(QByteArray& list, const QByteArray& path)
{
    list += path;
    list += '\0';
}

QByteArray EndSourceList(QByteArray list)
{
    list += '\0';
    return list;
}

QList<QByteArray> SplitSourceList(const QByteArray& list)
{
    QList<QByteArray> paths;
    qsizetype at = 0;
    while (at < list.size()) {
        const qsizetype end = list.indexOf('\0', at);
        if (end == at)
            break;
        paths.append(list.mid(at, end < 0 ? -1 : end - at));
        if (end < 0)
            break;
        at = end + 1;
    }
    return paths;
}
