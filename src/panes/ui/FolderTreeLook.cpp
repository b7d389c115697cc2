#include "FolderTreeLook.h"

#include "FolderTreeModel.h"
#include "PaneFont.h"

#include <QStyle>
#include <QTreeView>

void SetFolderTreeIcons(FolderTreeModel& model, const QStyle& style)
{
    using Kind = FolderTreeModel::NodeKind;
    const auto icon = [&style](const char* themeName, QStyle::StandardPixmap fallback) {
        return QIcon::fromTheme(QString::fromLatin1(themeName), style.standardIcon(fallback));
    };
    model.SetKindIcon(Kind::Desktop, icon("user-desktop", QStyle::SP_DesktopIcon));
    model.SetKindIcon(Kind::Home, icon("user-home", QStyle::SP_DirHomeIcon));
    model.SetKindIcon(Kind::Computer, icon("computer", QStyle::SP_ComputerIcon));
    model.SetKindIcon(Kind::Volume, icon("drive-harddisk", QStyle::SP_DriveHDIcon));
    model.SetKindIcon(Kind::Trash, icon("user-trash", QStyle::SP_TrashIcon));
    model.SetKindIcon(Kind::Network, icon("network-workgroup", QStyle::SP_DriveNetIcon));
    model.SetKindIcon(Kind::Folder, icon("folder", QStyle::SP_DirIcon));
}

void SetUpFolderTreeView(QTreeView& view)
{
    view.setHeaderHidden(true);
    view.setRootIsDecorated(false);
    view.setIndentation(19);
    view.setUniformRowHeights(true);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setFont(PaneFont());

    QItemSelectionModel* selection = view.selectionModel();
    const auto selectedNothing = [selection] { return selection->selectedIndexes().isEmpty(); };
    // A click beside the nodes or a Ctrl+click would leave nothing selected: take the node back.
    QObject::connect(selection, &QItemSelectionModel::selectionChanged, &view,
                     [&view, selection, selectedNothing](const QItemSelection&, const QItemSelection& deselected) {
                         if (!selectedNothing())
                             return;
                         QModelIndex keep = deselected.indexes().value(0);
                         if (!keep.isValid())
                             keep = selection->currentIndex();
                         if (!keep.isValid())
                             keep = view.model()->index(0, 0);
                         if (keep.isValid())
                             selection->setCurrentIndex(keep, QItemSelectionModel::ClearAndSelect);
                     });
    // A refresh that removed the selected folder, or one above it: the folder above is selected.
    QObject::connect(view.model(), &QAbstractItemModel::rowsRemoved, &view,
                     [selection, selectedNothing](const QModelIndex& parent) {
                         if (selectedNothing() && parent.isValid())
                             selection->setCurrentIndex(parent, QItemSelectionModel::ClearAndSelect);
                     });
}
