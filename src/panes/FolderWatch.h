#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>

class QSocketNotifier;

// What changed in one watched folder.
struct FolderChange {
    // The entries that appeared, went, were renamed or changed.
    QSet<QByteArray> names;
    // Anything may have changed: events were lost, or the folder itself went.
    bool everything = false;
    // One of the entries was a folder (or the folder itself went).
    bool subfolders = false;
    // The folder itself went: its watch has ended, and is ended by one Unwatch per holder.
    bool gone = false;
};

// Tells when the entries of watched folders change, by this program or another.
class FolderWatch : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // false when the folder cannot be watched (the system's watch limit, no such folder).
    // Each Watch that succeeded is ended by one Unwatch.
    virtual bool Watch(const QByteArray& folder) = 0;
    virtual void Unwatch(const QByteArray& folder) = 0;
    // Tells now of the changes that happened so far.
    virtual void Flush() = 0;

signals:
    void Changed(const QByteArray& folder, const FolderChange& change);
};

// The real one: inotify on the folder's own bytes (QFileSystemWatcher takes paths as
// text and loses names that are not UTF-8). Quiet folders cost nothing.
class InotifyFolderWatch final : public FolderWatch {
    Q_OBJECT
public:
    explicit InotifyFolderWatch(QObject* parent = nullptr);
    ~InotifyFolderWatch() override;
    bool Watch(const QByteArray& folder) override;
    void Unwatch(const QByteArray& folder) override;
    void Flush() override;

private:
    void ReadEvents();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QHash<int, QByteArray> folderOf_;
    QHash<QByteArray, int> watchOf_;
    QHash<QByteArray, int> holders_;
};
