#include "FolderTreeLook.h"

#include "FolderTreeModel.h"
#include "PaneFont.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QTreeView>

namespace {

// Deep in a narrow tree a name would have no room left: the tree scrolls sideways so that
// the current node's name shows to its end.
void ShowNameEnd(QTreeView& view, const QModelIndex& node)
{
    if (!node.isValid() || node != view.currentIndex())
        return;
    view.header()->resizeSections(QHeaderView::ResizeToContents);
    const QRect cell = view.visualRect(node);
    const int icon =
        view.iconSize().isValid() ? view.iconSize().width() : view.style()->pixelMetric(QStyle::PM_SmallIconSize);
    const int nameEnd = cell.left() + icon + 2 * view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin)
        + view.fontMetrics().horizontalAdvance(node.data().toString()) + view.indentation() / 2;
    const int past = nameEnd - view.viewport()->width();
    if (past > 0)
        view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->value() + past);
}

} // namespace

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
    // Names are never cut: the column is as wide as they are and the tree scrolls sideways.
    view.header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view.header()->setStretchLastSection(false);

    QItemSelectionModel* selection = view.selectionModel();
    // After the view has laid the node out and scrolled to it (which puts the column's start in view).
    QObject::connect(selection, &QItemSelectionModel::currentChanged, &view, [&view](const QModelIndex& current) {
        QTimer::singleShot(0, &view, [&view, node = QPersistentModelIndex(current)] { ShowNameEnd(view, node); });
    });
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
