#include "DefaultApplication.h"

#include <QFile>
#include <QMimeDatabase>
#include <QProcess>

#include <thread>

QStringList HandlerTypes(const QByteArray& pathOrUrl)
{
    if (!pathOrUrl.startsWith('/')) {
        const qsizetype colon = pathOrUrl.indexOf(':');
        if (colon <= 0)
            return {};
        return {QStringLiteral("x-scheme-handler/") + QString::fromLatin1(pathOrUrl.left(colon)).toLower()};
    }
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QFile::decodeName(pathOrUrl));
    QStringList types{type.name()};
    types += type.aliases();
    types += type.allAncestors();
    // Every file is an octet stream: its handler says nothing about this file.
    types.removeAll(QStringLiteral("application/octet-stream"));
    types.removeDuplicates();
    return types;
}

QString DefaultApplication(const QStringList& mimeTypes)
{
    for (const QString& type : mimeTypes) {
        QProcess query;
        query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type});
        if (!query.waitForFinished(10000) || query.exitStatus() != QProcess::NormalExit) {
            query.kill();
            query.waitForFinished();
            return {};
        }
        const QString desktopEntry = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
        if (!desktopEntry.isEmpty())
            return desktopEntry;
    }
    return {};
}

KnownApplications& KnownApplications::Shared()
{
    static KnownApplications known;
    return known;
}

void KnownApplications::AskAhead(const QStringList& mimeTypes)
{
    const QString key = mimeTypes.join(u'\n');
    {
        const std::lock_guard lock(mutex_);
        if (answers_.contains(key))
            return;
        answers_.insert(key, std::nullopt);
    }
    std::thread([this, key, mimeTypes] {
        const QString answer = DefaultApplication(mimeTypes);
        const std::lock_guard lock(mutex_);
        answers_.insert(key, answer);
    }).detach();
}

std::optional<QString> KnownApplications::Answer(const QStringList& mimeTypes) const
{
    const std::lock_guard lock(mutex_);
    return answers_.value(mimeTypes.join(u'\n'));
}
