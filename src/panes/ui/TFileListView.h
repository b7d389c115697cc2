#pragma once

#include <QTreeView>

class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QMenu;

// A pane's file list (lvSource / lvTarget): a report view with row selection,
// several rows at a time and grid lines.
class TFileListView final : public QTreeView {
    Q_OBJECT

public:
    explicit TFileListView(QWidget* parent = nullptr);

    using QTreeView::edit;

    void SetPopupMenu(QMenu* menu) { menu_ = menu; }
    int SelectedCount() const;
    // Scrolls row into view and keeps it there while the list's size settles (a window still being
    // laid out), until the user scrolls, clicks or types.
    void ShowRow(const QModelIndex& row);

    // The type of the drag data a list starts: the list's object name.
    static inline const char* const kDragFormat = "application/x-melvane-file-list";

signals:
    // A mouse click anywhere in the list, on a row or not.
    void ListClicked();
    // Any mouse button pressed in the list.
    void MousePressed();
    // A key for the list; a receiver that takes it accepts the event.
    void KeyDown(QKeyEvent* event);
    // A caption edited in place and confirmed; the list itself changes nothing.
    void CaptionEdited(int row, const QString& text);
    // A drag of the selected rows starts and ends (dropped or cancelled).
    void StartDrag();
    void EndDrag();
    // A drag over the list; a receiver that lets it drop accepts the event.
    void DragOver(QDragMoveEvent* event);
    void Dropped(QDropEvent* event);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QMenu* menu_ = nullptr;
    QPoint pressedAt_;
    bool pressedOnSelected_ = false;
    // A plain press on a row of a larger selection: released without a drag, it selects that row alone.
    QPersistentModelIndex narrowTo_;
    QPersistentModelIndex shown_;  // kept in view by ShowRow
};
