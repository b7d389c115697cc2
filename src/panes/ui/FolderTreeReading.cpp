#include "FolderTreeNode.h"

#include "tags/NameText.h"

#include <QSet>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

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

} // namespace

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
    static const std::atomic<bool> never {false};
    if (!reader->Read(names, kFirstEntries, never))
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

