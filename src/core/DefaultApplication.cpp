#include "DefaultApplication.h"

#include <QFile>
#include <QMimeDatabase>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
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

namespace {

constexpr auto kMostWait = std::chrono::seconds(10);

// What `xdg-mime query default TYPE` prints; none when it could not run, or ran over 10 s.
// Plain system calls: it runs on a worker thread that may outlive the application object.
std::optional<QByteArray> askXdgMime(const QByteArray& type)
{
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const char* const argv[] = {"xdg-mime", "query", "default", type.constData(), nullptr};
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, const_cast<char* const*>(argv), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return std::nullopt;
    }
    QByteArray text;
    bool ended = false;
    const auto deadline = std::chrono::steady_clock::now() + kMostWait;
    while (!ended) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready {out[0], POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, int(left.count())) == 0)
            break;
        char buffer[512];
        const ssize_t got = ::read(out[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        ended = got <= 0;
        if (got > 0)
            text.append(buffer, got);
    }
    ::close(out[0]);
    if (!ended)
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!ended || !WIFEXITED(status))
        return std::nullopt;
    return text;
}

} // namespace

QString DefaultApplication(const QStringList& mimeTypes)
{
    for (const QString& type : mimeTypes) {
        const std::optional<QByteArray> answer = askXdgMime(type.toUtf8());
        if (!answer)
            return {};
        const QString desktopEntry = QString::fromUtf8(*answer).trimmed();
        if (!desktopEntry.isEmpty())
            return desktopEntry;
    }
    return {};
}

KnownApplications& KnownApplications::Shared()
{
    // Never destroyed: a question may still be under way on its worker when the program ends.
    static KnownApplications* const known = new KnownApplications;
    return *known;
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
