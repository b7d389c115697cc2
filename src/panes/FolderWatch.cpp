#include "panes/FolderWatch.h"

#include <QSocketNotifier>

#include <sys/inotify.h>
#include <unistd.h>

#include <climits>

namespace {

constexpr uint32_t kEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_ATTRIB
    | IN_MODIFY | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

} // namespace

InotifyFolderWatch::InotifyFolderWatch(QObject* parent)
    : FolderWatch(parent), fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (fd_ < 0)
        return;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &InotifyFolderWatch::ReadEvents);
}

InotifyFolderWatch::~InotifyFolderWatch()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool InotifyFolderWatch::Watch(const QByteArray& folder)
{
    if (fd_ < 0)
        return false;
    if (!watchOf_.contains(folder)) {
        const int wd = ::inotify_add_watch(fd_, folder.constData(), kEvents);
        if (wd < 0)
            return false;
        folderOf_.insert(wd, folder);
        watchOf_.insert(folder, wd);
    }
    ++holders_[folder];
    return true;
}

void InotifyFolderWatch::Unwatch(const QByteArray& folder)
{
    const auto held = holders_.find(folder);
    if (held == holders_.end() || --held.value() > 0)
        return;
    holders_.erase(held);
    const auto wd = watchOf_.constFind(folder);
    if (wd == watchOf_.constEnd())
        return;
    ::inotify_rm_watch(fd_, wd.value());
    folderOf_.remove(wd.value());
    watchOf_.erase(wd);
}

void InotifyFolderWatch::Flush()
{
    if (fd_ >= 0)
        ReadEvents();
}

void InotifyFolderWatch::ReadEvents()
{
    alignas(inotify_event) char buffer[64 * (sizeof(inotify_event) + NAME_MAX + 1)];
    QHash<QByteArray, FolderChange> changed;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got <= 0)
            break;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                // Events were lost: every folder may have changed.
                for (const QByteArray& folder : std::as_const(folderOf_))
                    changed[folder].everything = changed[folder].subfolders = true;
                continue;
            }
            const QByteArray folder = folderOf_.value(event->wd);
            if (event->mask & IN_IGNORED) {
                // The kernel dropped the watch (the folder went): forget it.
                watchOf_.remove(folder);
                folderOf_.remove(event->wd);
            }
            if (folder.isEmpty())
                continue;
            FolderChange& change = changed[folder];
            change.gone |= (event->mask & IN_IGNORED) != 0;
            // An event on the folder itself names no entry.
            if (event->len > 0 && event->name[0] != '\0')
                change.names.insert(QByteArray(event->name));
            else
                change.everything = true;
            change.subfolders |= (event->mask & (IN_ISDIR | IN_DELETE_SELF | IN_MOVE_SELF)) != 0 || change.everything;
        }
    }
    for (auto c = changed.cbegin(); c != changed.cend(); ++c)
        emit Changed(c.key(), c.value());
}
