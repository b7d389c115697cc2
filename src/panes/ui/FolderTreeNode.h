#pragma once

// The nodes of a FolderTreeModel and the reading of their sub-folders; only its own files see them.
#include "FolderPlaces.h"
#include "FolderTreeModel.h"
#include "panes/WorkerJob.h"

#include <limits>

struct FolderTreeModel::Node {
    NodeKind kind;
    QByteArray path;
    QString caption;
    Node* parent = nullptr;
    int row = 0;
    bool loaded = false;
    std::vector<std::unique_ptr<Node>> children;
    std::unique_ptr<Reading> reading;

    bool CanHaveChildren() const { return kind != NodeKind::Trash && kind != NodeKind::Network; }
};

// Reads the rest of a folder on a worker, then tells the model on its own thread.
// Dropping it stops the worker.
class FolderTreeModel::Reading {
public:
    Reading(FolderTreeModel& model, quint64 serial, std::unique_ptr<SubFolderReader> reader, QList<QByteArray> names)
        : model_(model), serial_(serial), names_(std::move(names))
        , job_([reader = std::shared_ptr<SubFolderReader>(std::move(reader))](
                   QList<QByteArray>& into, int entries,
                   const std::atomic<bool>& cancelled) { return reader->Read(into, entries, cancelled); },
               [this](QList<QByteArray> names, bool ended) {
                   names_.append(names);
                   if (ended)
                       model_.ReadingDone(serial_);
               },
               JobPace {kBatch, kBatch, std::numeric_limits<int>::max()})
    {
    }
    ~Reading() { model_.readings_.remove(serial_); }
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

    // Only once the model has heard that the reading is done.
    QList<QByteArray> TakeNames() { return std::move(names_); }

private:
    static constexpr int kBatch = 1024;

    FolderTreeModel& model_;
    const quint64 serial_;
    QList<QByteArray> names_;
    WorkerJob<QByteArray> job_;
};

struct FolderTreeModel::Wanted {
    NodeKind kind;
    QByteArray path;
    QString caption;

    bool Matches(const Node& node) const { return node.kind == kind && node.path == path; }
};
