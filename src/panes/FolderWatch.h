#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>

#include <memory>

class QSocketNotifier;

// What changed in one watched folder.
struct FolderChange {
    // The entries that appeared, went, were renamed or changed.
    QSet<QByteArray> names;
    // Anything may have changed: events were lost, or the folder itself went.
    bool everything = false;
    // One of the entries was a folder (or the folder itself went).
    bool subfolders = false;
    // The folder itself was moved or removed: every hold on it has ended.
    bool gone = false;
};

// Tells when the entries of watched folders change, by this program or another. A folder
// is held under the name each holder asks with ("dir/" and "dir" are one folder, held
// twice), and its changes are told under every name it is held by.
class FolderWatch : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // false when the folder cannot be watched (the system's watch limit, no such folder).
    // Each Watch that succeeded is ended by one Unwatch, unless the folder went first.
    virtual bool Watch(const QByteArray& folder) = 0;
    virtual void Unwatch(const QByteArray& folder) = 0;
    // Tells now of the changes that happened so far.
    virtual void Flush() = 0;

signals:
    void Changed(const QByteArray& folder, const FolderChange& change);
};

// The real one: inotify on the folder's own bytes (QFileSystemWatcher takes paths as
// text and loses names that are not UTF-8). The kernel gives one watch per folder
// (device and inode) whatever the name, so the holds are counted per name and the
// names per watch. Quiet folders cost nothing.
class InotifyFolderWatch final : public FolderWatch {
    Q_OBJECT
public:
    explicit InotifyFolderWatch(QObject* parent = nullptr);
    ~InotifyFolderWatch() override;
    // The one watch both panes share, made when first asked for.
    static std::shared_ptr<FolderWatch> Shared();
    bool Watch(const QByteArray& folder) override;
    void Unwatch(const QByteArray& folder) override;
    void Flush() override;

private:
    struct Hold {
        int watch = -1;
        int count = 0;
    };

    void ReadEvents();
    void DropName(int watch, const QByteArray& name);
    // The folder of this watch went: every hold on it ends.
    void EndWatch(int watch, bool dropped);

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QHash<int, QSet<QByteArray>> namesOf_;
    QHash<QByteArray, Hold> holds_;
};
