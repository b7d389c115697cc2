#include "TFileListView.h"

#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>

namespace {

class GridDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Midlight));
        const QRect r = option.rect;
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->drawLine(r.topRight(), r.bottomRight());
        painter->restore();
    }

    // Enter ends the edit here: passed on, it would reach the list as the key that plays the row.
    bool eventFilter(QObject* editor, QEvent* event) override
    {
        const bool taken = QStyledItemDelegate::eventFilter(editor, event);
        if (event->type() != QEvent::KeyPress)
            return taken;
        const int key = static_cast<QKeyEvent*>(event)->key();
        return taken || key == Qt::Key_Return || key == Qt::Key_Enter;
    }

    // The list decides what an edited caption becomes; the edit only reports the text.
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        auto* view = qobject_cast<TFileListView*>(parent());
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (view != nullptr && line != nullptr)
            emit view->CaptionEdited(index.row(), line->text());
    }
};

} // namespace

TFileListView::TFileListView(QWidget* parent) : QTreeView(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSortingEnabled(false);
    // A caption is edited like in a Windows list: F2, or a click on a selected row.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setItemDelegate(new GridDelegate(this));
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    header()->setStretchLastSection(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (menu_)
            menu_->popup(viewport()->mapToGlobal(pos));
    });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { shown_ = QPersistentModelIndex(); });
}

int TFileListView::SelectedCount() const
{
    return selectionModel() ? int(selectionModel()->selectedRows().size()) : 0;
}

void TFileListView::ShowRow(const QModelIndex& row)
{
    shown_ = row;
    scrollTo(row);
}

void TFileListView::resizeEvent(QResizeEvent* event)
{
    QTreeView::resizeEvent(event);
    if (shown_.isValid())
        scrollTo(shown_);
}

void TFileListView::wheelEvent(QWheelEvent* event)
{
    shown_ = QPersistentModelIndex();
    QTreeView::wheelEvent(event);
}

void TFileListView::mousePressEvent(QMouseEvent* event)
{
    shown_ = QPersistentModelIndex();
    emit MousePressed();
    const QModelIndex under = indexAt(event->position().toPoint());
    pressedAt_ = event->position().toPoint();
    pressedOnSelected_ = false;
    narrowTo_ = QPersistentModelIndex();
    QTreeView::mousePressEvent(event);
    pressedOnSelected_ = event->button() == Qt::LeftButton && under.isValid()
        && selectionModel()->isSelected(under.siblingAtColumn(0));
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier));
    if (pressedOnSelected_ && plain && SelectedCount() > 1)
        narrowTo_ = under.siblingAtColumn(0);
}

void TFileListView::mouseMoveEvent(QMouseEvent* event)
{
    // Pressing on a selected row and moving drags the selected rows, as a Windows list does.
    if (!pressedOnSelected_ || !(event->buttons() & Qt::LeftButton)) {
        QTreeView::mouseMoveEvent(event);
        return;
    }
    // Until the pointer has gone far enough for a drag, the selection stays whole: the view would
    // take a small move for the start of a selecting sweep.
    if ((event->position().toPoint() - pressedAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    pressedOnSelected_ = false;
    narrowTo_ = QPersistentModelIndex();
    emit StartDrag();
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kDragFormat), objectName().toUtf8());
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
    emit EndDrag();
}

void TFileListView::mouseReleaseEvent(QMouseEvent* event)
{
    pressedOnSelected_ = false;
    QTreeView::mouseReleaseEvent(event);
    // The rest of the selection stayed only for a drag that did not come.
    if (narrowTo_.isValid() && indexAt(event->position().toPoint()).row() == narrowTo_.row())
        selectionModel()->setCurrentIndex(narrowTo_, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    narrowTo_ = QPersistentModelIndex();
    if (event->button() == Qt::LeftButton)
        emit ListClicked();
}

bool TFileListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // A click that narrows a selection picks a row; it does not rename it.
    if (trigger == SelectedClicked && narrowTo_.isValid())
        return false;
    return QTreeView::edit(index, trigger, event);
}

void TFileListView::keyPressEvent(QKeyEvent* event)
{
    shown_ = QPersistentModelIndex();
    event->ignore();
    emit KeyDown(event);
    if (!event->isAccepted())
        QTreeView::keyPressEvent(event);
}

void TFileListView::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void TFileListView::dragMoveEvent(QDragMoveEvent* event)
{
    event->ignore();
    emit DragOver(event);
    if (event->isAccepted())
        event->setDropAction(Qt::MoveAction);
}

void TFileListView::dropEvent(QDropEvent* event)
{
    event->setDropAction(Qt::MoveAction);
    event->accept();
    emit Dropped(event);
}
