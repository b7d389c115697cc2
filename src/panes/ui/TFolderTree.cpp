#include "TFolderTree.h"

#include "FolderPlaces.h"
#include "PaneFont.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>

TFolderTree::TFolderTree(const FolderTreeModel::Places& places, QWidget* parent)
    : QTreeView(parent), model_(places)
{
    using Kind = FolderTreeModel::NodeKind;
    const auto icon = [this](const char* themeName, QStyle::StandardPixmap fallback) {
        return QIcon::fromTheme(QString::fromLatin1(themeName), style()->standardIcon(fallback));
    };
    model_.SetKindIcon(Kind::Desktop, icon("user-desktop", QStyle::SP_DesktopIcon));
    model_.SetKindIcon(Kind::Home, icon("user-home", QStyle::SP_DirHomeIcon));
    model_.SetKindIcon(Kind::Computer, icon("computer", QStyle::SP_ComputerIcon));
    model_.SetKindIcon(Kind::Volume, icon("drive-harddisk", QStyle::SP_DriveHDIcon));
    model_.SetKindIcon(Kind::Trash, icon("user-trash", QStyle::SP_TrashIcon));
    model_.SetKindIcon(Kind::Network, icon("network-workgroup", QStyle::SP_DriveNetIcon));
    model_.SetKindIcon(Kind::Folder, icon("folder", QStyle::SP_DirIcon));

    setModel(&model_);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(19);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFont(PaneFont());
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (menu_)
            menu_->popup(viewport()->mapToGlobal(pos));
    });
    connect(this, &QAbstractItemView::clicked, this, &TFolderTree::TreeClicked);

    const QModelIndex root = model_.RootIndex();
    model_.fetchMore(root);
    expand(root);
    SelectNode(root);
}

QModelIndex TFolderTree::SelectedNode() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : selected.first();
}

QModelIndex TFolderTree::SelectedParent() const
{
    return SelectedNode().parent();
}

QByteArray TFolderTree::SelectedPath() const
{
    return model_.Path(SelectedNode());
}

void TFolderTree::SelectNode(const QModelIndex& index)
{
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    if (index.isValid())
        scrollTo(index);
}

bool TFolderTree::SelectPath(const QByteArray& path)
{
    const QModelIndex found = model_.Resolve(path);
    if (!found.isValid())
        return false;
    for (QModelIndex up = found.parent(); up.isValid(); up = up.parent())
        expand(up);
    SelectNode(found);
    return true;
}

void TFolderTree::RefreshNode(const QModelIndex& index)
{
    model_.Refresh(index);
}

void TFolderTree::SelectExistingFolder()
{
    QModelIndex node = SelectedNode();
    if (!node.isValid())
        return;
    while (!IsExistingFolder(model_.Path(node)) && node.parent().isValid()) {
        node = node.parent();
        SelectNode(node);
    }
    RefreshNode(node);
}

void TFolderTree::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        const QModelIndex under = indexAt(event->position().toPoint());
        if (under.isValid())
            SelectNode(under);
        event->accept();
        return;
    }
    QTreeView::mousePressEvent(event);
}

void TFolderTree::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void TFolderTree::dragMoveEvent(QDragMoveEvent* event)
{
    event->ignore();
    emit DragOver(event);
}

void TFolderTree::dropEvent(QDropEvent* event)
{
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
}
