#include "TFolderTree.h"

#include "FolderPlaces.h"
#include "FolderTreeLook.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

TFolderTree::TFolderTree(const FolderTreeModel::Places& places, QWidget* parent)
    : QTreeView(parent), model_(places)
{
    SetFolderTreeIcons(model_, *style());
    setModel(&model_);
    SetUpFolderTreeView(*this);
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
    // A folder of many files is read on the worker: the click does not wait for it.
    model_.Refresh(node, false);
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

void TFolderTree::keyPressEvent(QKeyEvent* event)
{
    // Enter on a node acts as a click on it.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && SelectedNode().isValid()) {
        event->accept();
        emit TreeClicked();
        return;
    }
    QTreeView::keyPressEvent(event);
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

void TFolderTree::EditSelectedName()
{
    const QModelIndex node = SelectedNode();
    if (!node.isValid() || editor_)
        return;
    bool allow = true;
    emit Editing(&allow);
    if (!allow)
        return;
    editedPath_ = model_.Path(node);
    editedText_ = node.data(Qt::DisplayRole).toString();
    scrollTo(node);
    auto* editor = new QLineEdit(editedText_, viewport());
    editor->setObjectName(QStringLiteral("edtNodeName"));
    editor->setGeometry(visualRect(node).adjusted(0, -2, 40, 2));
    editor->selectAll();
    editor->installEventFilter(this);
    editor->show();
    editor->setFocus();
    editor_ = editor;
    connect(editor, &QLineEdit::editingFinished, this, [this] { EndEdit(true); });
}

bool TFolderTree::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editor_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter ends the edit here: passed on, it would reach the tree as a click on the node.
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            EndEdit(key != Qt::Key_Escape);
            return true;
        }
    }
    return QTreeView::eventFilter(watched, event);
}

void TFolderTree::EndEdit(bool confirmed)
{
    if (!editor_)
        return;
    QLineEdit* editor = editor_;
    editor_ = nullptr;
    const QString text = editor->text();
    editor->disconnect(this);
    editor->setObjectName(QString());
    editor->hide();
    editor->deleteLater();
    setFocus();
    if (confirmed && text != editedText_)
        emit Edited(editedPath_, text);
}

void TFolderTree::ShowRenamed(const QByteArray& newPath)
{
    const QModelIndex parent = SelectedParent();
    if (parent.isValid())
        RefreshNode(parent);
    SelectPath(newPath);
}
