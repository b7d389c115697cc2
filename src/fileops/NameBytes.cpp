#include "NameBytes.h"

#include "tags/NameText.h"

QList<qsizetype> CharStarts(QByteArrayView name)
{
    QList<qsizetype> starts;
    const bool utf8 = IsValidUtf8(name);
    qsizetype at = 0;
    while (at < name.size()) {
        starts.append(at);
        const auto byte = static_cast<unsigned char>(name[at]);
        if (utf8) {
            ++at;
            while (at < name.size() && (static_cast<unsigned char>(name[at]) & 0xC0) == 0x80)
                ++at;
        } else {
            at += byte >= 0x81 && byte <= 0xFE && at + 1 < name.size() ? 2 : 1;
        }
    }
    return starts;
}

QByteArray DropLastChars(QByteArrayView name, qsizetype count)
{
    const QList<qsizetype> starts = CharStarts(name);
    if (count >= starts.size())
        return {};
    if (count <= 0)
        return name.toByteArray();
    return name.first(starts[starts.size() - count]).toByteArray();
}

QByteArray FitToBytes(QByteArrayView name, qsizetype maxBytes)
{
    if (name.size() <= maxBytes)
        return name.toByteArray();
    qsizetype cut = 0;
    for (const qsizetype start : CharStarts(name)) {
        if (start > maxBytes)
            break;
        cut = start;
    }
    return name.first(cut).toByteArray();
}

QByteArray BaseName(QByteArrayView path)
{
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    if (path == "/")
        return QByteArray("/");
    const qsizetype slash = path.lastIndexOf('/');
    return path.sliced(slash + 1).toByteArray();
}

QByteArray FolderOf(QByteArrayView path)
{
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return {};
    return slash == 0 ? QByteArray("/") : path.first(slash).toByteArray();
}

QByteArray JoinPath(QByteArrayView folder, QByteArrayView name)
{
    QByteArray path = folder.toByteArray();
    if (!path.endsWith('/'))
        path += '/';
    return path + name.toByteArray();
}

QByteArray CollisionName(QByteArrayView name, int n, bool folder, qsizetype maxBytes)
{
    if (n <= 1 && name.size() <= maxBytes)
        return name.toByteArray();
    qsizetype dot = folder ? -1 : name.lastIndexOf('.');
    if (dot <= 0)
        dot = name.size();
    const QByteArray suffix = n <= 1 ? QByteArray() : " (" + QByteArray::number(n) + ")";
    const QByteArrayView extension = name.sliced(dot);
    const QByteArray stem = FitToBytes(name.first(dot), maxBytes - suffix.size() - extension.size());
    return stem + suffix + extension.toByteArray();
}
