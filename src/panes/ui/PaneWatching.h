#pragma once

#include "panes/FolderWatch.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTimer>

#include <memory>

class FileListFiller;
class TFolderTree;
class QModelIndex;

// Keeps a pane true to its folders on disk: watches the listed folder and the open nodes
// of the tree, each under the name it is known by, and reads again what changed. A single
// change shows at once; a burst is gathered so that the window stays smooth.
class PaneWatching final : public QObject {
    Q_OBJECT

public:
    PaneWatching(std::shared_ptr<FolderWatch> watch, FileListFiller& filler, TFolderTree& tree,
                 QObject* parent = nullptr);
    ~PaneWatching() override;

    // Before the folder is listed: the changes so far are all in that listing, and the folder is
    // watched from now on. True when changes were pending (a reading begun before them will not do).
    bool BeforeListing(const QByteArray& folder);
    // Whether the listed folder is watched.
    bool Watching() const { return !listed_.isEmpty(); }

private:
    void FolderChanged(const QByteArray& folder, const FolderChange& change);
    void Settled();
    void WatchTreeNode(const QModelIndex& node, bool open);
    void TreeNodesLeaving(const QModelIndex& parent, int first, int last);

    std::shared_ptr<FolderWatch> watch_;
    FileListFiller& filler_;
    TFolderTree& tree_;
    // The listed folder as watched; empty when it is not (the system's limit reached, or it went).
    QByteArray listed_;
    // The open folders of the tree that are watched.
    QSet<QByteArray> openFolders_;
    bool treeRootWatched_ = false;
    QTimer settle_;
    // Since changes were last read again, and how many entries and folders they were: a change
    // is read at once unless a burst goes on.
    QElapsedTimer sinceSettled_;
    qsizetype lastSettled_ = 0;
    // What changed in the listed folder since it was read.
    FolderChange listChange_;
    QSet<QByteArray> treeChanged_;
};
