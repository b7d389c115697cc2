#pragma once

#include "FolderTreeModel.h"

#include <QPointer>
#include <QTreeView>

class QDragMoveEvent;
class QLineEdit;
class QMenu;

// A pane's folder tree (dtvSource / dtvTarget) over its own FolderTreeModel.
// Starts with the desktop selected and always keeps one node selected; a right
// click selects before the pop-up; Enter on a node acts as a click.
class TFolderTree final : public QTreeView {
    Q_OBJECT

public:
    explicit TFolderTree(const FolderTreeModel::Places& places, QWidget* parent = nullptr);

    FolderTreeModel& Model() { return model_; }

    QModelIndex SelectedNode() const;
    QModelIndex SelectedParent() const;
    // Path of the selected node; empty when none is selected.
    QByteArray SelectedPath() const;

    // Selects the node of a folder, expanding the nodes on the way.
    bool SelectPath(const QByteArray& path);
    void SelectNode(const QModelIndex& index);
    void RefreshNode(const QModelIndex& index);

    // Moves the selection up past folders that are gone (or virtual), then
    // reads the selected node's sub-folders again. No selection, no change.
    void SelectExistingFolder();

    void SetPopupMenu(QMenu* menu) { menu_ = menu; }

    // Opens the name editor on the selected node unless a receiver of Editing refuses.
    void EditSelectedName();
    // After the selected folder was renamed: reads its parent again and selects the new name.
    void ShowRenamed(const QByteArray& newPath);

signals:
    void TreeClicked();
    // A drag over the tree; a receiver that lets it drop accepts the event. A drop changes nothing.
    void DragOver(QDragMoveEvent* event);
    // A name edit is about to start on the selected node; clearing *allow refuses it.
    void Editing(bool* allow);
    // The user confirmed another name for the folder at path.
    void Edited(const QByteArray& path, const QString& newName);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EndEdit(bool confirmed);

    FolderTreeModel model_;
    QPointer<QLineEdit> editor_;
    QByteArray editedPath_;
    QString editedText_;
    QMenu* menu_ = nullptr;
};
