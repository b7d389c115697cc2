#include "TTagController.h"

#include "TagFields.h"
#include "TitleToName.h"
#include "utID3Tag.h"
#include "core/ItemRoles.h"
#include "core/ListRows.h"
#include "core/MsgDlg.h"
#include "core/NoReplace.h"
#include "tags/ID3v1Tag.h"
#include "tags/NameText.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>

#include <algorithm>
#include <cstring>

namespace {

Q_LOGGING_CATEGORY(lcMelvane, "melvane")

// The selected rows in list order.
QList<int> selectedRows(const QAbstractItemView& view)
{
    QList<int> rows;
    if (!view.selectionModel())
        return rows;
    for (const QModelIndex& index : view.selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QByteArray rowBytes(const QAbstractItemModel& model, int row)
{
    return model.index(row, 0).data(kNameBytesRole).toByteArray();
}

QString cellText(const QAbstractItemModel& model, int row, int column)
{
    return column >= 0 ? model.index(row, column).data().toString() : QString();
}

} // namespace

TTagController::TTagController(THead& head, IMsgDlg& msg, Window window)
    : head_(head), msg_(msg), window_(std::move(window))
{
}

void TTagController::aFileTagExecute()
{
    const ActiveList list = window_.activeList();
    if (!list.view || !list.view->model())
        return;
    const QList<int> rows = selectedRows(*list.view);
    if (rows.isEmpty())
        return;
    const int row = rows.first();
    // A pane row holds a name in the pane's folder; a play list entry holds the whole path.
    const QByteArray name = rowBytes(*list.view->model(), row);
    const QByteArray file = list.folderPane ? list.folder + name : name;

    if (!IsMp3Name(file)) {
        window_.sbpStatus->setText(QStringLiteral("不是MP3文件。"));
        return;
    }
    if (file == head_.PlayingFile) {
        window_.sbpStatus->setText(QStringLiteral("文件正在播放，不能获取TAG信息。"));
        return;
    }
    ID3v1Tag tag {};
    QString error;
    if (!ReadID3v1Tag(file, tag, &error)) {
        msg_.ShowLayerError(error);
        return;
    }
    if (!HasTagHeader(tag)) {
        window_.sbpStatus->setText(QStringLiteral("文件无ID3TAG信息。"));
        return;
    }

    TwinID3Tag dialog(msg_, window_.owner);
    // Play list entries can be viewed but not changed.
    const bool changeable = window_.pageIndex() == 0 && list.folderPane;
    if (!changeable)
        dialog.btnModify()->hide();
    dialog.SetFileName(file);
    dialog.SetTag(tag);
    dialog.exec();
    if (!dialog.Modified())
        return;
    // The row shows what was typed, also where an empty field kept the file's old text, until the
    // pane is listed again.
    const TagTexts texts = dialog.Texts();
    for (int f = 0; f < kTagFieldCount; ++f)
        list.setCell(row, kFirstTagColumn + f, texts[f]);
}

void TTagController::aT2NExecute()
{
    if (window_.pageIndex() == 1)
        return;
    const ActiveList list = window_.activeList();
    if (!list.view || !list.view->model())
        return;
    const QList<int> rows = selectedRows(*list.view);
    if (rows.isEmpty()) {
        msg_.Show(QStringLiteral("请选择需要进行处理的文件！"), MsgKind::Information, MsgButtons::Ok);
        return;
    }
    if (msg_.Show(QStringLiteral("将选择的文件用Tag音乐名更改文件名吗？"), MsgKind::Confirmation,
                  MsgButtons::YesNo)
        != MsgResult::Yes)
        return;
    if (!list.folderPane)
        return;

    // The names and texts are taken before anything happens: stopping playback must not shift them.
    const QAbstractItemModel& model = *list.view->model();
    const int titleColumn = ColumnOf(model, FieldCaption(TagField::Title));
    struct Item {
        QByteArray name;
        QString title;
        QString artist;
    };
    QList<Item> items;
    for (int row : rows)
        items.append({rowBytes(model, row), cellText(model, row, titleColumn),
                      cellText(model, row, titleColumn < 0 ? -1 : titleColumn + 1)});

    QSet<QByteArray> changed;
    for (const Item& item : items) {
        if (!ContainsMp3(item.name))
            continue;
        const QByteArray oldName = list.folder + item.name;
        if (oldName == head_.PlayingFile)
            window_.stop();
        if (TrimFieldText(item.title).isEmpty())
            continue;
        const QByteArray newName = TitleFileName(head_.iT2FMode, item.title, item.artist);
        if (newName.isEmpty())
            continue;
        // A taken or refused name leaves the file as it was, without a message: the list shows
        // which files kept their names, and the log says why.
        if (const int error = RenameNoReplace(oldName, list.folder + newName)) {
            qCInfo(lcMelvane).noquote() << "not renamed:" << DisplayName(oldName) << std::strerror(error);
            continue;
        }
        changed << item.name << newName;
    }
    list.refreshNames(changed);
}
