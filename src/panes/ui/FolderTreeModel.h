#pragma once

#include <QAbstractItemModel>
#include <QByteArray>
#include <QHash>
#include <QIcon>

#include <memory>
#include <optional>
#include <vector>

// The folder tree rooted at the desktop: the desktop folder, under it the home
// folder, the computer ("/", with the mounted volumes first), the two virtual
// nodes and the desktop's sub-folders. Sub-folders load when first asked for;
// hidden ones are included. A folder with many entries is read on a worker
// thread and its sub-folders arrive when it has been read to the end. Node paths are native bytes without a trailing "/"
// (except "/"); the virtual nodes carry "trash:///" and "network:///".
class FolderTreeModel final : public QAbstractItemModel {
    Q_OBJECT

public:
    enum class NodeKind { Desktop, Home, Computer, Volume, Trash, Network, Folder };

    struct Places {
        QByteArray desktop;
        QByteArray home;
        QByteArray mountsFile; // the /proc/self/mounts of this process, or a test's file
    };

    static constexpr int PathRole = Qt::UserRole + 1;

    static inline const QByteArray kTrashPath = "trash:///";
    static inline const QByteArray kNetworkPath = "network:///";

    explicit FolderTreeModel(const Places& places, QObject* parent = nullptr);
    ~FolderTreeModel() override;

    static Places SystemPlaces();

    QModelIndex RootIndex() const;
    QByteArray Path(const QModelIndex& index) const;
    NodeKind Kind(const QModelIndex& index) const;

    // Reads the node's sub-folders again; nodes that stay keep their sub-trees.
    // Unless told to wait, a folder with many entries is read on the worker.
    void Refresh(const QModelIndex& index, bool wait = true);

    // The node of a folder path (with or without trailing "/"), loading nodes on
    // the way; invalid when some part of the path is not in the tree.
    QModelIndex Resolve(const QByteArray& path);

    void SetKindIcon(NodeKind kind, const QIcon& icon);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    struct Node;
    struct Wanted;
    class Reading;

    Node* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const Node* node) const;
    std::vector<Wanted> FixedChildren(const Node& node) const;
    std::vector<Wanted> WithFolders(const Node& node, const QList<QByteArray>& names) const;
    // The node's sub-folder names, or none while they are read on the worker.
    std::optional<QList<QByteArray>> ReadSubFolders(Node& node, bool wait);
    void ReadingDone(quint64 serial);
    void Load(Node& node, bool wait);
    void Append(Node& node, std::vector<Wanted> wanted);
    void Merge(Node& node, std::vector<Wanted> wanted);
    Node* FindChild(Node& node, const QByteArray& path);

    Places places_;
    std::unique_ptr<Node> root_;
    QHash<int, QIcon> icons_;
    // The nodes whose sub-folders are being read, by the reading's number.
    QHash<quint64, Node*> readings_;
    quint64 lastReading_ = 0;
};
