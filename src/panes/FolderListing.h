#pragma once

#include "panes/FolderReader.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

// One reading of a folder. The first few entries are read at once, so a small
// folder is listed when Open returns; the rest is read on a worker thread and
// arrives in batches on the thread that opened it. While a reading is under
// way, opening the same folder with the same rules joins it instead of reading
// again; the reading stops when the last holder lets it go.
class FolderListing final : public QObject {
    Q_OBJECT
public:
    static std::shared_ptr<FolderListing> Open(const QByteArray& folder, const ListRules& rules);
    // A reading of its own, never joined (a watched folder read again).
    static std::shared_ptr<FolderListing> OpenAlone(const QByteArray& folder, const ListRules& rules);
    ~FolderListing() override;

    // Every row that has arrived, in the folder's order.
    const QList<FileEntry>& Rows() const { return rows_; }
    bool Done() const { return done_; }

signals:
    // Rows()[from] and after are new.
    void Arrived(int from);
    void Finished();

private:
    FolderListing(const QByteArray& folder, const ListRules& rules);
    void Work();
    void Take();

    std::unique_ptr<FolderReader> reader_;
    QList<FileEntry> rows_;
    bool done_ = false;
    std::thread worker_;
    std::atomic<bool> cancel_ {false};
    std::atomic<bool> takePosted_ {false};
    std::mutex mutex_;
    QList<FileEntry> pending_; // read by the worker, not yet taken
    bool ended_ = false;       // the worker has read the last entry
};
