// The entries of the current list: reading, writing back, adding, ordering, removing, the scan.
#include "TPlaylists.h"

#include "TListDetailView.h"
#include "TListStatusBar.h"
#include "core/MsgDlg.h"
#include "playlists/FileChooser.h"
#include "utListScan.h"

#include <QAction>
#include <QItemSelectionModel>

#include <utility>

void TPlaylists::OpenListDetail(const QString& id)
{
    qryListDetail_.clear();
    auto read = store_.Entries(id);
    if (!read.ok) {
        showError(read);
        return;
    }
    qryListDetail_ = std::move(read.value);
}

void TPlaylists::FillListDetailView()
{
    entries_.SetPaths(std::exchange(qryListDetail_, {}));
}

bool TPlaylists::SaveListDetail(const QString& id)
{
    const Result r = store_.SaveEntries(id, entries_.Paths());
    showError(r);
    return r.ok;
}

void TPlaylists::qryListDetailAfterScroll()
{
    c_.sbList->SetPanelText(0, FileCountText(entries_.Count()));
    lvListDetailSelectItem();
}

void TPlaylists::lvListDetailSelectItem()
{
    c_.sbList->SetPanelText(1, SelectedCountText(c_.lvListDetail->SelectedCount()));
}

void TPlaylists::aListAddFileExecute()
{
    if (!onListTab() || qryList_.Current() < 0)
        return;
    const QList<QByteArray> files = chooser_.ChooseFiles(c_.window, QStringLiteral("添加文件"));
    if (files.isEmpty())
        return;
    entries_.Append(files);
    SaveListDetail(qryList_.CurrentId());
}

void TPlaylists::aListUpExecute()
{
    moveEntry(MoveDirection::Up);
}

void TPlaylists::aListDownExecute()
{
    moveEntry(MoveDirection::Down);
}

void TPlaylists::moveEntry(MoveDirection direction)
{
    if (!onListTab())
        return;
    const QList<int> selected = c_.lvListDetail->SelectedRows();
    const int i = selected.isEmpty() ? -1 : selected.first();
    const std::optional<int> j = MoveTarget(i, entries_.Count(), direction);
    if (!j)
        return;
    // The stored list first: when it refuses, the view keeps showing what is stored.
    const Result r = store_.SwapEntries(qryList_.CurrentId(), i, *j);
    if (!r.ok) {
        showError(r);
        return;
    }
    entries_.SwapRows(i, *j);
    QItemSelectionModel* selection = c_.lvListDetail->selectionModel();
    const auto flags = QItemSelectionModel::Rows;
    selection->select(entries_.index(i, 0), QItemSelectionModel::Deselect | flags);
    selection->select(entries_.index(*j, 0), QItemSelectionModel::Select | flags);
    selection->setCurrentIndex(entries_.index(*j, 0), QItemSelectionModel::NoUpdate);
}

void TPlaylists::pmiListRefreshClick()
{
    OpenListDetail(qryList_.CurrentId());
    FillListDetailView();
}

void TPlaylists::lvListDetailClick()
{
    hooks_.activateEntryView();
}

void TPlaylists::lvListDetailKeyDown()
{
    c_.aFileDelete->trigger();
}

void TPlaylists::aFileDeleteExecute()
{
    if (hooks_.activeFileList() == nullptr || !onListTab())
        return;
    const QList<int> rows = c_.lvListDetail->SelectedRows();
    if (rows.isEmpty()) {
        msg_.Show(QStringLiteral("请选择需要删除的文件！"), MsgKind::Information, MsgButtons::Ok);
        return;
    }
    if (msg_.Show(QStringLiteral("确实要删除列表中选择的文件吗？"), MsgKind::Confirmation, MsgButtons::YesNo)
        != MsgResult::Yes)
        return;
    removeEntries(rows);
}

void TPlaylists::removeEntries(const QList<int>& rows)
{
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
        if (!head_.PlayingFile.isEmpty() && entries_.Path(*row) == head_.PlayingFile)
            hooks_.stop();
    }
    entries_.RemoveRows(rows);
    SaveListDetail(qryList_.CurrentId());
}

void TPlaylists::aListScanExecute()
{
    if (!onListTab())
        return;
    TwinListScan dialog(entries_, *c_.lvListDetail->selectionModel(), msg_,
                        [this](const QList<int>& rows) { removeEntries(rows); }, c_.window);
    dialog.exec();
}
