#pragma once

#include "panes/FolderReader.h"
#include "panes/WorkerJob.h"

#include <QObject>

#include <memory>

// One reading of a folder. The first few entries are read at once, so a small
// folder is listed when Open returns; the rest is read on a worker thread and
// arrives in batches on the thread that opened it. Until the first batch has
// arrived, opening the same folder with the same rules joins the reading instead
// of reading again (both panes on one folder); the reading stops when the last
// holder lets it go.
class FolderListing final : public QObject {
    Q_OBJECT
public:
    // A reading whose batches are handed on and not kept; join: it may be joined.
    static std::shared_ptr<FolderListing> Open(const QByteArray& folder, const ListRules& rules, bool join = true,
                                               const FolderReaderMaker& maker = {});
    // A reading of its own that keeps every row (a watched folder read again, to compare).
    static std::shared_ptr<FolderListing> OpenKept(const QByteArray& folder, const ListRules& rules,
                                                   const FolderReaderMaker& maker = {});
    ~FolderListing() override;

    // The rows read when it was opened; for a kept reading, every row that has arrived.
    const QList<FileEntry>& Rows() const { return rows_; }
    bool Done() const { return done_; }

signals:
    // These rows have arrived after the ones before.
    void Arrived(const QList<FileEntry>& rows);
    void Finished();

private:
    FolderListing(std::unique_ptr<IFolderReader> reader, bool keep);
    bool Joinable() const { return !done_ && !handedOn_; }
    void Take(QList<FileEntry> rows, bool ended);

    QList<FileEntry> rows_;
    const bool keep_;
    bool handedOn_ = false; // a batch went to the holders without being kept
    bool done_ = false;
    std::unique_ptr<WorkerJob<FileEntry>> job_;
};
