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

std::shared_ptr<FolderWatch> InotifyFolderWatch::Shared()
{
    static std::weak_ptr<FolderWatch> shared;
    std::shared_ptr<FolderWatch> watch = shared.lock();
    if (!watch) {
        watch = std::make_shared<InotifyFolderWatch>();
        shared = watch;
    }
    return watch;
}

bool InotifyFolderWatch::Watch(const QByteArray& folder)
{
    if (fd_ < 0)
        return false;
    // The same folder under any name gives the same watch.
    const int wd = ::inotify_add_watch(fd_, folder.constData(), kEvents);
    if (wd < 0)
        return false;
    Hold& hold = holds_[folder];
    // The name now leads to another folder (the old one went, its news not read yet).
    if (hold.count > 0 && hold.watch != wd)
        DropName(hold.watch, folder);
    hold.watch = wd;
    ++hold.count;
    namesOf_[wd].insert(folder);
    return true;
}

void InotifyFolderWatch::Unwatch(const QByteArray& folder)
{
    const auto hold = holds_.find(folder);
    if (hold == holds_.end() || --hold->count > 0)
        return;
    const int wd = hold->watch;
    holds_.erase(hold);
    DropName(wd, folder);
}

void InotifyFolderWatch::DropName(int watch, const QByteArray& name)
{
    const auto names = namesOf_.find(watch);
    if (names == namesOf_.end())
        return;
    names->remove(name);
    if (!names->isEmpty())
        return;
    namesOf_.erase(names);
    ::inotify_rm_watch(fd_, watch);
}

void InotifyFolderWatch::EndWatch(int watch, bool dropped)
{
    for (const QByteArray& name : namesOf_.take(watch))
        holds_.remove(name);
    // A moved folder is still watched at its new place until told otherwise.
    if (!dropped)
        ::inotify_rm_watch(fd_, watch);
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
                for (const QSet<QByteArray>& names : std::as_const(namesOf_)) {
                    for (const QByteArray& name : names)
                        changed[name].everything = changed[name].subfolders = true;
                }
                continue;
            }
            const QSet<QByteArray> names = namesOf_.value(event->wd);
            if (names.isEmpty())
                continue;
            const bool gone = (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT | IN_IGNORED)) != 0;
            if (gone)
                EndWatch(event->wd, (event->mask & IN_IGNORED) != 0);
            // An event on the folder itself names no entry.
            const bool named = event->len > 0 && event->name[0] != '\0';
            for (const QByteArray& name : names) {
                FolderChange& change = changed[name];
                change.gone |= gone;
                if (named)
                    change.names.insert(QByteArray(event->name));
                else
                    change.everything = true;
                change.subfolders |= (event->mask & IN_ISDIR) != 0 || change.everything;
            }
        }
    }
    for (auto c = changed.cbegin(); c != changed.cend(); ++c)
        emit Changed(c.key(), c.value());
}
