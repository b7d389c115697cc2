#include "PaneWatching.h"

#include "TFolderTree.h"
#include "panes/FileListFiller.h"

namespace {

// A change is read this soon: the few events of one file written (made, written, closed)
// come together.
constexpr int kFirstGatherMs = 10;
// While changes keep coming, they gather this long before they are read again.
constexpr int kSettleMs = 150;
// Changed entries looked at one by one; past this many the folder is read again.
constexpr int kMostNamesLookedAt = 500;

bool IsUnder(const QByteArray& path, const QByteArray& folder)
{
    return path == folder || path.startsWith(folder.endsWith('/') ? folder : folder + '/');
}

} // namespace

PaneWatching::PaneWatching(std::shared_ptr<FolderWatch> watch, FileListFiller& filler, TFolderTree& tree,
                           QObject* parent)
    : QObject(parent), watch_(std::move(watch)), filler_(filler), tree_(tree)
{
    settle_.setSingleShot(true);
    connect(&settle_, &QTimer::timeout, this, &PaneWatching::Settled);
    connect(&tree_, &QTreeView::expanded, this, [this](const QModelIndex& node) { WatchTreeNode(node, true); });
    connect(&tree_, &QTreeView::collapsed, this, [this](const QModelIndex& node) { WatchTreeNode(node, false); });
    connect(&tree_.Model(), &QAbstractItemModel::rowsAboutToBeRemoved, this, &PaneWatching::TreeNodesLeaving);
    connect(watch_.get(), &FolderWatch::Changed, this, &PaneWatching::FolderChanged);
}

PaneWatching::~PaneWatching()
{
    // The watch is shared: this pane's holds end with it.
    if (!listed_.isEmpty())
        watch_->Unwatch(listed_);
    for (const QByteArray& folder : std::as_const(openFolders_))
        watch_->Unwatch(folder);
}

bool PaneWatching::BeforeListing(const QByteArray& folder)
{
    // The tree opened its root before the pane could hear of it. Watching a folder of many
    // files takes the system a while, so not before the window has appeared.
    if (!std::exchange(treeRootWatched_, true))
        WatchTreeNode(tree_.Model().RootIndex(), true);
    watch_->Flush();
    const FolderChange change = std::exchange(listChange_, {});
    if (listed_ != folder) {
        if (!listed_.isEmpty())
            watch_->Unwatch(listed_);
        // Where the folder cannot be watched, the pane is refreshed by hand only.
        listed_ = watch_->Watch(folder) ? folder : QByteArray();
    }
    return change.everything || !change.names.isEmpty();
}

void PaneWatching::FolderChanged(const QByteArray& folder, const FolderChange& change)
{
    const bool list = folder == listed_;
    const bool tree = change.subfolders && openFolders_.contains(folder);
    if (!list && !tree)
        return;
    if (change.gone) {
        // The watch has ended every hold on it. Should the folder come back, listing it (or
        // opening its node) watches it again.
        if (list)
            listed_.clear();
        openFolders_.remove(folder);
    }
    if (list) {
        listChange_.everything |= change.everything;
        listChange_.names.unite(change.names);
    }
    if (tree)
        treeChanged_.insert(folder);
    if (settle_.isActive())
        return;
    // Many entries read again a moment ago: a burst goes on, and gathers.
    const bool burst = sinceSettled_.isValid() && sinceSettled_.elapsed() < kSettleMs && lastSettled_ > 1;
    settle_.start(burst ? kSettleMs : kFirstGatherMs);
}

void PaneWatching::Settled()
{
    sinceSettled_.start();
    lastSettled_ = listChange_.everything ? kMostNamesLookedAt : listChange_.names.size() + treeChanged_.size();
    const FolderChange change = std::exchange(listChange_, {});
    // A few names are read again; a burst is the whole folder read again.
    if (change.everything || change.names.size() > kMostNamesLookedAt)
        filler_.Refresh();
    else
        filler_.RefreshNames(change.names);
    for (const QByteArray& folder : std::exchange(treeChanged_, {})) {
        const QModelIndex node = tree_.Model().Resolve(folder);
        if (node.isValid())
            tree_.Model().Refresh(node, false);
    }
}

void PaneWatching::WatchTreeNode(const QModelIndex& node, bool open)
{
    const QByteArray path = tree_.Model().Path(node);
    // Only real folders; the trash and the network are no folders to watch.
    if (!path.startsWith('/'))
        return;
    if (!open) {
        if (openFolders_.remove(path))
            watch_->Unwatch(path);
    } else if (!openFolders_.contains(path) && watch_->Watch(path)) {
        openFolders_.insert(path);
    }
}

void PaneWatching::TreeNodesLeaving(const QModelIndex& parent, int first, int last)
{
    for (int row = first; row <= last; ++row) {
        const QByteArray path = tree_.Model().Path(tree_.Model().index(row, 0, parent));
        if (!path.startsWith('/'))
            continue;
        openFolders_.removeIf([&](const QByteArray& folder) {
            if (!IsUnder(folder, path))
                return false;
            watch_->Unwatch(folder);
            return true;
        });
    }
}
