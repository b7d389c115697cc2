#include "TUnicodeTags.h"

#include "TagFields.h"
#include "utUnicodeTags.h"
#include "core/ListRows.h"
#include "core/MsgDlg.h"
#include "tags/ID3v1Tag.h"
#include "tags/NameText.h"

#include <QAbstractItemView>

TUnicodeTags::TUnicodeTags(IMsgDlg& msg, TTagController::Window window)
    : msg_(msg), window_(std::move(window))
{
}

void TUnicodeTags::aUnicodeTagExecute()
{
    if (window_.pageIndex() == 1)
        return;
    const TTagController::ActiveList list = window_.activeList();
    if (!list.view || !list.view->model() || !list.folderPane)
        return;
    const QAbstractItemModel& model = *list.view->model();
    QList<UnicodeItem> items;
    QSet<QByteArray> names;
    for (int row : SelectedRows(list.view)) {
        const QByteArray name = RowBytes(list.view, row);
        if (!IsMp3Name(name))
            continue;
        // The texts the row shows: ID3v1 where the file has it, else its other tag.
        TagFieldTexts texts;
        for (TagField field : kTagFields) {
            const int column = ColumnOf(model, FieldCaption(field));
            texts[Index(field)] = column < 0 ? QString() : model.index(row, column).data().toString();
        }
        items.append({list.folder + name, DisplayName(name), texts, {}});
        names.insert(name);
    }
    if (items.isEmpty()) {
        msg_.Show(QStringLiteral("请选择需要进行处理的文件！"), MsgKind::Information, MsgButtons::Ok);
        return;
    }
    TwinUnicodeTags dialog(std::move(items), window_.owner);
    dialog.exec();
    if (!dialog.Ran())
        return;
    const UnicodeOutcome& outcome = dialog.Outcome();
    msg_.Show(UnicodeSummary(outcome), outcome.failures.isEmpty() ? MsgKind::Information : MsgKind::Warning,
              MsgButtons::Ok);
    if (outcome.converted > 0)
        list.refreshNames(names);
}
