#pragma once

#include <QList>
#include <QTableView>

// The entry view lvListDetail: a report list of one column over the whole width, grid lines, rows
// selected whole and several at a time, nothing edited in place.
class TListDetailView final : public QTableView {
    Q_OBJECT

public:
    explicit TListDetailView(QWidget* parent = nullptr);

    // Selected rows, from the top.
    QList<int> SelectedRows() const;
    int SelectedCount() const;

signals:
    // A click anywhere in the view, on a row or not.
    void ListClicked();
    // The Delete key, with or without modifiers.
    void DeletePressed();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
