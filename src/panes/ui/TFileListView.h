#pragma once

#include <QTreeView>

class QMenu;

// A pane's file list (lvSource / lvTarget): a report view with row selection,
// several rows at a time and grid lines.
class TFileListView final : public QTreeView {
    Q_OBJECT

public:
    explicit TFileListView(QWidget* parent = nullptr);

    void SetPopupMenu(QMenu* menu) { menu_ = menu; }
    int SelectedCount() const;

signals:
    // A mouse click anywhere in the list, on a row or not.
    void ListClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QMenu* menu_ = nullptr;
};
