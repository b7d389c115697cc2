#include "FolderTreeModel.h"

#include "FolderTreeNode.h"

namespace {

bool IsPathPrefix(const QByteArray& prefix, const QByteArray& path)
{
    if (prefix == "/")
        return path.startsWith('/');
    return path == prefix || path.startsWith(prefix + '/');
}

} // namespace

FolderTreeModel::FolderTreeModel(const Places& places, QObject* parent)
    : QAbstractItemModel(parent), places_(places), root_(std::make_unique<Node>())
{
    root_->kind = NodeKind::Desktop;
    root_->path = places_.desktop;
    root_->caption = QStringLiteral("桌面");
}

FolderTreeModel::~FolderTreeModel()
{
    // The readings stop before the model can no longer hear of them.
    root_.reset();
}

FolderTreeModel::Places FolderTreeModel::SystemPlaces()
{
    return {DesktopFolder(), HomeFolder(), "/proc/self/mounts"};
}

QModelIndex FolderTreeModel::RootIndex() const
{
    return createIndex(0, 0, root_.get());
}

FolderTreeModel::Node* FolderTreeModel::NodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : nullptr;
}

QModelIndex FolderTreeModel::IndexOf(const Node* node) const
{
    return createIndex(node->row, 0, const_cast<Node*>(node));
}

QByteArray FolderTreeModel::Path(const QModelIndex& index) const
{
    const Node* node = NodeOf(index);
    return node ? node->path : QByteArray();
}

FolderTreeModel::NodeKind FolderTreeModel::Kind(const QModelIndex& index) const
{
    const Node* node = NodeOf(index);
    return node ? node->kind : NodeKind::Folder;
}

void FolderTreeModel::Refresh(const QModelIndex& index, bool wait)
{
    Node* node = NodeOf(index);
    if (!node || !node->CanHaveChildren())
        return;
    if (!node->loaded) {
        Load(*node, wait);
        return;
    }
    if (const std::optional<QList<QByteArray>> names = ReadSubFolders(*node, wait))
        Merge(*node, WithFolders(*node, *names));
}

FolderTreeModel::Node* FolderTreeModel::FindChild(Node& node, const QByteArray& path)
{
    for (const auto& child : node.children) {
        if (child->path == path)
            return child.get();
    }
    return nullptr;
}

QModelIndex FolderTreeModel::Resolve(const QByteArray& path)
{
    if (path == kTrashPath || path == kNetworkPath) {
        if (!root_->loaded)
            Load(*root_, true);
        for (const auto& child : root_->children) {
            if (child->path == path)
                return IndexOf(child.get());
        }
        return {};
    }
    const QByteArray target = NormalisedFolderPath(path);
    if (target.isEmpty())
        return {};

    // Start from the node whose folder is the longest prefix of the path: the
    // desktop, the home folder, a mounted volume or the computer.
    if (!root_->loaded)
        Load(*root_, true);
    Node* start = nullptr;
    const auto consider = [&](Node* candidate) {
        if (IsPathPrefix(candidate->path, target) && (!start || candidate->path.size() > start->path.size()))
            start = candidate;
    };
    consider(root_.get());
    for (const auto& child : root_->children) {
        if (child->kind == NodeKind::Home)
            consider(child.get());
        if (child->kind == NodeKind::Computer) {
            consider(child.get());
            if (!child->loaded)
                Load(*child, true);
            for (const auto& volume : child->children) {
                if (volume->kind == NodeKind::Volume)
                    consider(volume.get());
            }
        }
    }
    if (!start)
        return {};

    Node* node = start;
    const QByteArray rest = start->path == "/" ? target.mid(1) : target.mid(start->path.size() + 1);
    for (const QByteArray& name : rest.split('/')) {
        if (name.isEmpty())
            continue;
        const QByteArray childPath = JoinPath(node->path, name);
        if (!node->loaded)
            Load(*node, true);
        Node* child = FindChild(*node, childPath);
        if (!child) {
            // Made since the node was read: read it again once.
            Refresh(IndexOf(node));
            child = FindChild(*node, childPath);
        }
        if (!child)
            return {};
        node = child;
    }
    return IndexOf(node);
}

void FolderTreeModel::SetKindIcon(NodeKind kind, const QIcon& icon)
{
    icons_.insert(int(kind), icon);
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? RootIndex() : QModelIndex();
    const Node* node = NodeOf(parent);
    if (row >= int(node->children.size()))
        return {};
    return createIndex(row, 0, node->children[row].get());
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const
{
    const Node* node = NodeOf(child);
    if (!node || !node->parent)
        return {};
    return IndexOf(node->parent);
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return 1;
    if (parent.column() != 0)
        return 0;
    return int(NodeOf(parent)->children.size());
}

int FolderTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const
{
    const Node* node = NodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return node->caption;
    case Qt::DecorationRole:
        return icons_.value(int(node->kind));
    case PathRole:
        return node->path;
    default:
        return {};
    }
}

bool FolderTreeModel::hasChildren(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return true;
    const Node* node = NodeOf(parent);
    return node->CanHaveChildren() && (!node->loaded || node->reading || !node->children.empty());
}

bool FolderTreeModel::canFetchMore(const QModelIndex& parent) const
{
    const Node* node = NodeOf(parent);
    return node && node->CanHaveChildren() && !node->loaded;
}

void FolderTreeModel::fetchMore(const QModelIndex& parent)
{
    if (canFetchMore(parent))
        Load(*NodeOf(parent), false);
}
