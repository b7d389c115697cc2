// Renaming in place, the keys and mouse of the pane lists, and the start and end of a drag.
#include "TFileSorter.h"

#include "core/ItemRoles.h"
#include "core/ListRows.h"
#include "core/MsgDlg.h"
#include "core/NoReplace.h"
#include "fileops/FileCopy.h"
#include "fileops/RenameRule.h"
#include "fileops/SortTexts.h"
#include "tags/NameText.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QTime>

#include <unistd.h>

namespace {

qsizetype LongestName(const QByteArray& folder)
{
    const long max = ::pathconf(folder.constData(), _PC_NAME_MAX);
    return max > 0 ? qsizetype(max) : 255;
}

const QString kListSource = QStringLiteral("lvSource");
const QString kListTarget = QStringLiteral("lvTarget");

// Selects the same rows again, as whole rows or as their captions alone.
void ReselectRows(QAbstractItemView* list, QAbstractItemView::SelectionBehavior behavior)
{
    const QList<int> rows = SelectedRows(list);
    list->setSelectionBehavior(behavior);
    QItemSelection captions;
    for (const int row : rows)
        captions.select(list->model()->index(row, 0), list->model()->index(row, 0));
    const auto whole =
        behavior == QAbstractItemView::SelectRows ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate;
    list->selectionModel()->select(captions, QItemSelectionModel::ClearAndSelect | whole);
}

bool IsListNamed(const QObject* source, const QString& name)
{
    return qobject_cast<const QAbstractItemView*>(source) != nullptr && source->objectName() == name;
}

} // namespace

void TFileSorter::aFileRenameExecute()
{
    SortPane* pane = PaneOf(c_.activeList());
    if (pane == nullptr)
        return;
    const QModelIndex focused = pane->list->currentIndex();
    if (focused.isValid())
        pane->list->edit(focused.siblingAtColumn(0));
}

void TFileSorter::lvSourceEdited(QAbstractItemView* list, int row, const QString& edited)
{
    SortPane* pane = PaneOf(list);
    if (pane == nullptr || c_.tabIndex() > 0 || row < 0 || row >= list->model()->rowCount())
        return;
    const QModelIndex index = list->model()->index(row, 0);
    const QByteArray oldName = index.data(kNameBytesRole).toByteArray();
    const QByteArray& folder = FolderOf(*pane);
    const RenamePlan plan = PlanRename(oldName, edited, QTime::currentTime().msec(), LongestName(folder));
    const QString failed = DisplayName(folder + oldName) + QString::fromUtf8(SortTexts::kRenameFailed);
    if (!plan.valid) {
        c_.msg.Show(failed, MsgKind::Error, MsgButtons::Ok);
        return;
    }
    // A caption confirmed as it was (an edit left by a click elsewhere) renames nothing.
    if (plan.name == oldName)
        return;
    const QByteArray newPath = folder + plan.name;
    if (PathExists(newPath)) {
        c_.msg.Show(DisplayName(newPath) + QString::fromUtf8(SortTexts::kNameExists), MsgKind::Warning,
                    MsgButtons::Ok);
        return;
    }
    if (RenameNoReplace(folder + oldName, newPath) != 0) {
        c_.msg.Show(failed, MsgKind::Error, MsgButtons::Ok);
        return;
    }
    list->model()->setData(index, plan.name, kNameBytesRole);
}

bool TFileSorter::lvSourceKeyDown(QAbstractItemView* list, int key)
{
    if (PaneOf(list) == nullptr)
        return false;
    if (key == Qt::Key_Delete) {
        c_.deleteAction();
        return true;
    }
    if (key == Qt::Key_F2) {
        c_.renameAction();
        return true;
    }
    return false;
}

void TFileSorter::lvSourceMouseDown(QAbstractItemView* list)
{
    if (SortPane* pane = PaneOf(list))
        pane->activate();
}

void TFileSorter::lvSourceStartDrag(QAbstractItemView* list)
{
    // While the drag is under way only the captions of the dragged rows show as selected.
    ReselectRows(list, QAbstractItemView::SelectItems);
}

void TFileSorter::lvSourceEndDrag(QAbstractItemView* list)
{
    ReselectRows(list, QAbstractItemView::SelectRows);
}

bool TFileSorter::lvSourceDragOver(const QObject* source) const
{
    return IsListNamed(source, kListTarget);
}

bool TFileSorter::lvTargetDragOver(const QObject* source) const
{
    return IsListNamed(source, kListSource);
}

bool TFileSorter::dtvSourceDragOver(const QObject* source) const
{
    return qobject_cast<const QAbstractItemView*>(source) != nullptr;
}
