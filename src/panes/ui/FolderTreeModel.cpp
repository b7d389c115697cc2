#include "FolderTreeModel.h"

#include "FolderPlaces.h"
#include "tags/NameText.h"

#include <QSet>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <thread>

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

// Reads the rest of a folder on a worker thread, then tells the model on its own
// thread. Dropping it stops the worker.
class FolderTreeModel::Reading {
public:
    Reading(FolderTreeModel& model, quint64 serial, std::unique_ptr<SubFolderReader> reader, QList<QByteArray> names)
        : model_(model), serial_(serial), reader_(std::move(reader)), names_(std::move(names))
    {
        worker_ = std::thread([this] {
            while (!cancel_ && reader_->Read(names_, kBatch)) {
            }
            if (!cancel_)
                QMetaObject::invokeMethod(
                    &model_, [model = &model_, serial = serial_] { model->ReadingDone(serial); }, Qt::QueuedConnection);
        });
    }
    ~Reading()
    {
        cancel_ = true;
        worker_.join();
        model_.readings_.remove(serial_);
    }
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

    // Only once the model has heard that the reading is done.
    QList<QByteArray> TakeNames() { return std::move(names_); }

private:
    static constexpr int kBatch = 1024;

    FolderTreeModel& model_;
    const quint64 serial_;
    std::unique_ptr<SubFolderReader> reader_;
    QList<QByteArray> names_;
    std::atomic<bool> cancel_ {false};
    std::thread worker_;
};

struct FolderTreeModel::Wanted {
    NodeKind kind;
    QByteArray path;
    QString caption;

    bool Matches(const Node& node) const { return node.kind == kind && node.path == path; }
};

namespace {

// Entries read at once: a folder this small shows its sub-folders when opened.
constexpr int kFirstEntries = 256;

QByteArray ReadWholeFile(const QByteArray& path)
{
    QByteArray text;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, n);
    }
    ::close(fd);
    return text;
}

QByteArray KeyOf(FolderTreeModel::NodeKind kind, const QByteArray& path)
{
    return char('0' + int(kind)) + path;
}

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

std::vector<FolderTreeModel::Wanted> FolderTreeModel::FixedChildren(const Node& node) const
{
    std::vector<Wanted> wanted;
    if (node.kind == NodeKind::Desktop) {
        wanted.push_back({NodeKind::Home, places_.home, DisplayName(LastComponent(places_.home))});
        wanted.push_back({NodeKind::Computer, "/", QStringLiteral("我的电脑")});
        wanted.push_back({NodeKind::Trash, kTrashPath, QStringLiteral("回收站")});
        wanted.push_back({NodeKind::Network, kNetworkPath, QStringLiteral("网上邻居")});
    } else if (node.kind == NodeKind::Computer) {
        // Volumes mounted right below "/" show up among its sub-folders anyway.
        for (const QByteArray& point : ParseMountPoints(ReadWholeFile(places_.mountsFile), places_.home)) {
            if (point.lastIndexOf('/') > 0 && IsExistingFolder(point))
                wanted.push_back({NodeKind::Volume, point, DisplayName(LastComponent(point))});
        }
    }
    return wanted;
}

std::vector<FolderTreeModel::Wanted> FolderTreeModel::WithFolders(const Node& node,
                                                                  const QList<QByteArray>& names) const
{
    std::vector<Wanted> wanted = FixedChildren(node);
    std::vector<Wanted> folders;
    folders.reserve(names.size());
    for (const QByteArray& name : names)
        folders.push_back({NodeKind::Folder, JoinPath(node.path, name), DisplayName(name)});
    std::sort(folders.begin(), folders.end(), [](const Wanted& a, const Wanted& b) {
        const int byCaption = a.caption.compare(b.caption, Qt::CaseInsensitive);
        return byCaption != 0 ? byCaption < 0 : a.path < b.path;
    });
    wanted.insert(wanted.end(), std::make_move_iterator(folders.begin()), std::make_move_iterator(folders.end()));
    return wanted;
}

std::optional<QList<QByteArray>> FolderTreeModel::ReadSubFolders(Node& node, bool wait)
{
    node.reading.reset();
    if (wait)
        return ListSubFolders(node.path);
    auto reader = std::make_unique<SubFolderReader>(node.path);
    QList<QByteArray> names;
    if (!reader->Read(names, kFirstEntries))
        return names;
    const quint64 serial = ++lastReading_;
    node.reading = std::make_unique<Reading>(*this, serial, std::move(reader), std::move(names));
    readings_.insert(serial, &node);
    return std::nullopt;
}

void FolderTreeModel::ReadingDone(quint64 serial)
{
    Node* node = readings_.value(serial);
    if (!node)
        return;
    const QList<QByteArray> names = node->reading->TakeNames();
    node->reading.reset();
    std::vector<Wanted> wanted = WithFolders(*node, names);
    const std::vector<Wanted> fixed = FixedChildren(*node);
    const bool onlyFixed = node->children.size() == fixed.size()
        && std::equal(fixed.begin(), fixed.end(), node->children.begin(),
                      [](const Wanted& w, const std::unique_ptr<Node>& child) { return w.Matches(*child); });
    // First read: the fixed nodes are there, the folders come after them in one go.
    if (onlyFixed) {
        wanted.erase(wanted.begin(), wanted.begin() + qsizetype(fixed.size()));
        Append(*node, std::move(wanted));
    } else {
        Merge(*node, std::move(wanted));
    }
}

void FolderTreeModel::Load(Node& node, bool wait)
{
    node.loaded = true;
    // The trash and the network have no nodes below them.
    if (!node.CanHaveChildren())
        return;
    const std::optional<QList<QByteArray>> names = ReadSubFolders(node, wait);
    Append(node, names ? WithFolders(node, *names) : FixedChildren(node));
}

void FolderTreeModel::Append(Node& node, std::vector<Wanted> wanted)
{
    if (wanted.empty())
        return;
    const int first = int(node.children.size());
    beginInsertRows(IndexOf(&node), first, first + int(wanted.size()) - 1);
    for (Wanted& w : wanted) {
        auto child = std::make_unique<Node>();
        child->kind = w.kind;
        child->path = std::move(w.path);
        child->caption = std::move(w.caption);
        child->parent = &node;
        child->row = int(node.children.size());
        node.children.push_back(std::move(child));
    }
    endInsertRows();
}

void FolderTreeModel::Merge(Node& node, std::vector<Wanted> wanted)
{
    const QModelIndex parentIndex = IndexOf(&node);
    auto& kids = node.children;
    const auto renumber = [&kids](int from, int to) {
        for (int k = from; k <= to; ++k)
            kids[k]->row = k;
    };

    QSet<QByteArray> keep;
    for (const Wanted& w : wanted)
        keep.insert(KeyOf(w.kind, w.path));

    // Drop the nodes that went away, last first, so that the views keep the rest.
    for (int i = int(kids.size()) - 1; i >= 0; --i) {
        if (keep.contains(KeyOf(kids[i]->kind, kids[i]->path)))
            continue;
        beginRemoveRows(parentIndex, i, i);
        kids.erase(kids.begin() + i);
        renumber(i, int(kids.size()) - 1);
        endRemoveRows();
    }

    // Walk the wanted order: a node that stays moves to its place with its sub-tree
    // (mounts change order when volumes are plugged again), a new one is inserted.
    for (int i = 0; i < int(wanted.size()); ++i) {
        if (i < int(kids.size()) && wanted[i].Matches(*kids[i]))
            continue;
        int found = -1;
        for (int k = i + 1; k < int(kids.size()) && found < 0; ++k) {
            if (wanted[i].Matches(*kids[k]))
                found = k;
        }
        if (found >= 0) {
            beginMoveRows(parentIndex, found, found, parentIndex, i);
            std::unique_ptr<Node> moved = std::move(kids[found]);
            kids.erase(kids.begin() + found);
            kids.insert(kids.begin() + i, std::move(moved));
            renumber(i, found);
            endMoveRows();
            continue;
        }
        beginInsertRows(parentIndex, i, i);
        auto child = std::make_unique<Node>();
        child->kind = wanted[i].kind;
        child->path = wanted[i].path;
        child->caption = wanted[i].caption;
        child->parent = &node;
        kids.insert(kids.begin() + i, std::move(child));
        renumber(i, int(kids.size()) - 1);
        endInsertRows();
    }
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
