#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <mutex>

// What a file operation has done so far and has to do in all.
struct FileOpStats {
    qint64 itemsDone = 0;
    qint64 itemsTotal = 0;
    qint64 bytesDone = 0;
    qint64 bytesTotal = 0;
};

// The statistics a job writes and the progress window reads, from two threads.
class FileOpProgress {
public:
    FileOpStats Snapshot() const
    {
        std::lock_guard lock(mutex_);
        return stats_;
    }
    void Set(const FileOpStats& stats)
    {
        std::lock_guard lock(mutex_);
        stats_ = stats;
    }

private:
    mutable std::mutex mutex_;
    FileOpStats stats_;
};

enum class ErrorAnswer { Skip, Retry, Stop };

// How a file-operation job reaches the user. The job calls these from its worker thread; each
// answer blocks the job until the user has given it.
class IFileOpQuestions {
public:
    virtual ~IFileOpQuestions() = default;

    // Before items go to the trash: their count, and the path when there is only one.
    virtual bool ConfirmTrash(int count, const QByteArray& onlyPath) = 0;
    // Before a missing destination folder is created.
    virtual bool ConfirmCreateFolder(const QByteArray& path) = 0;
    // An item failed: its path and the system's reason.
    virtual ErrorAnswer AskError(const QByteArray& path, const QString& reason) = 0;
    // No trash can take the item: erase it for good?
    virtual bool ConfirmDeleteForGood(const QByteArray& path) = 0;
    // The cancel checkpoint, called between blocks with the statistics so far; false cancels.
    virtual bool GoOn(const FileOpStats& done) = 0;
};

// A cancel request from another thread, for question objects that have a Cancel button.
class CancelFlag {
public:
    void Cancel() { cancelled_.store(true); }
    bool Cancelled() const { return cancelled_.load(); }

private:
    std::atomic<bool> cancelled_ {false};
};
