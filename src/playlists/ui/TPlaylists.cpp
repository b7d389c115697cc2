// The list of play lists and the adding of pane files to a list.
#include "TPlaylists.h"

#include "TListDetailView.h"
#include "TListGrid.h"
#include "core/MsgDlg.h"
#include "utCustomList.h"
#include "utNewList.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <algorithm>

TPlaylists::TPlaylists(QSqlDatabase db, THead& head, IMsgDlg& msg, IFileChooser& chooser, Controls controls,
                       Hooks hooks, QObject* parent)
    : QObject(parent),
      head_(head),
      msg_(msg),
      chooser_(chooser),
      c_(controls),
      hooks_(std::move(hooks)),
      store_(std::move(db)),
      qryList_(store_),
      entries_()
{
    c_.dbgList->SetQuery(&qryList_);
    c_.lvListDetail->setModel(&entries_);
    connect(&qryList_, &TListQuery::AfterScroll, this, &TPlaylists::qryListAfterScroll);
    connect(c_.dbgList, &TListGrid::DblClick, this, &TPlaylists::aListEditExecute);
    connect(c_.lvListDetail->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TPlaylists::lvListDetailSelectItem);
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&entries_, signal, this, &TPlaylists::qryListDetailAfterScroll);
    connect(&entries_, &QAbstractItemModel::modelReset, this, &TPlaylists::qryListDetailAfterScroll);
    connect(c_.lvListDetail, &TListDetailView::ListClicked, this, &TPlaylists::lvListDetailClick);
    connect(c_.lvListDetail, &TListDetailView::DeletePressed, this, &TPlaylists::lvListDetailKeyDown);
    qryListDetailAfterScroll();
}

Result TPlaylists::OpenListQuery()
{
    return qryList_.Open();
}

bool TPlaylists::onListTab() const
{
    return c_.pcMain->currentIndex() == 1;
}

void TPlaylists::showError(const Result& r)
{
    if (!r.ok)
        msg_.ShowLayerError(r.error);
}

void TPlaylists::aListNewExecute()
{
    if (!onListTab())
        return;
    TwinNewList dialog(qryList_, msg_, c_.window);
    dialog.SetDialogMode(0);
    dialog.exec();
}

void TPlaylists::aListEditExecute()
{
    if (!onListTab())
        return;
    TwinNewList dialog(qryList_, msg_, c_.window);
    if (qryList_.Current() >= 0) {
        dialog.edtListName()->setText(qryList_.Row(qryList_.Current()).name);
        dialog.edtListMemo()->setPlainText(qryList_.Row(qryList_.Current()).memo);
    }
    dialog.SetDialogMode(1);
    dialog.exec();
}

void TPlaylists::aListDeleteExecute()
{
    // With no list there is nothing to ask about and nothing to delete.
    if (!onListTab() || qryList_.Current() < 0)
        return;
    if (msg_.Show(DeleteListQuestion(qryList_.CurrentName()), MsgKind::Confirmation, MsgButtons::YesNo)
        != MsgResult::Yes)
        return;
    showError(qryList_.DeleteCurrent());
}

void TPlaylists::pmListPopup()
{
    const bool any = qryList_.RecordCount() > 0;
    for (QAction* action : {c_.aListEdit, c_.aListDelete, c_.aListScan, c_.aListAddFile})
        action->setEnabled(any);
}

void TPlaylists::qryListAfterScroll()
{
    OpenListDetail(qryList_.CurrentId());
    FillListDetailView();
}

QList<QByteArray> TPlaylists::selectedPaneFiles() const
{
    QList<QByteArray> files;
    QAbstractItemView* list = hooks_.activeFileList();
    if (list == nullptr || list->selectionModel() == nullptr)
        return files;
    const QByteArray& folder = list->objectName() == QLatin1String("lvSource") ? head_.SourcePath : head_.TargetPath;
    QModelIndexList rows = list->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& row : rows)
        files.append(folder + row.data(kNameBytesRole).toByteArray());
    return files;
}

void TPlaylists::pmiFileAdd2NewClick()
{
    const QList<QByteArray> files = selectedPaneFiles();
    TwinNewList dialog(qryList_, msg_, c_.window);
    dialog.SetDialogMode(0);
    dialog.SetNewEntries(files);
    dialog.exec();
    const QString id = dialog.NewListId();
    if (id.isEmpty())
        return;
    OpenListDetail(id);
    FillListDetailView();
    c_.pcMain->setCurrentIndex(1);
}

void TPlaylists::pmiFileAdd2OldClick()
{
    const QList<QByteArray> files = selectedPaneFiles();
    TwinCustomList chooser(store_, msg_, c_.window);
    chooser.exec();
    const QString id = chooser.ChosenListId();
    if (id.isEmpty())
        return;
    // A list that another program added since start-up is read in first.
    if (!qryList_.Locate(id)) {
        const Result r = qryList_.Open();
        if (!r.ok || !qryList_.Locate(id)) {
            showError(r);
            return;
        }
    }
    // The view holds the chosen list before the files go on its end.
    OpenListDetail(id);
    FillListDetailView();
    entries_.Append(files);
    SaveListDetail(id);
}

void TPlaylists::pmFileListPopup()
{
    QAbstractItemView* list = hooks_.activeFileList();
    const int rows = list && list->model() ? list->model()->rowCount() : 0;
    const int selected = list && list->selectionModel() ? int(list->selectionModel()->selectedRows().size()) : 0;
    c_.pmiFileAdd2New->setEnabled(rows > 0 && selected > 0);
    c_.pmiFileAdd2Old->setEnabled(rows > 0 && selected > 0);
    c_.aFileTag->setEnabled(selected == 1);
}
