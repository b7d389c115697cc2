#include "utNewList.h"

#include "DialogParts.h"
#include "core/MsgDlg.h"
#include "playlists/PlaylistRules.h"
#include "playlists/TListQuery.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

TwinNewList::TwinNewList(TListQuery& lists, IMsgDlg& msg, QWidget* parent)
    : QDialog(parent), lists_(lists), msg_(msg)
{
    setObjectName("winNewList");
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("列表名"), this), 0, 0);
    edtListName_ = new QLineEdit(this);
    edtListName_->setObjectName("edtListName");
    edtListName_->setMaxLength(kListNameWidth);
    grid->addWidget(edtListName_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("备    注"), this), 1, 0, Qt::AlignTop);
    edtListMemo_ = new QPlainTextEdit(this);
    edtListMemo_->setObjectName("edtListMemo");
    edtListMemo_->setTabChangesFocus(true);
    grid->addWidget(edtListMemo_, 1, 1);
    connect(edtListMemo_, &QPlainTextEdit::textChanged, this, &TwinNewList::limitMemo);

    grid->addLayout(OkCancelRow(this, btnOk_, btnCancel_), 2, 0, 1, 2);
    connect(btnOk_, &QPushButton::clicked, this, &TwinNewList::btnOkClick);
    connect(btnCancel_, &QPushButton::clicked, this, &TwinNewList::btnCancelClick);

    PlaceFixedDialog(*this, 259, 187);
}

void TwinNewList::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TwinNewList::FormShow()
{
    setWindowTitle(DialogMode_ == 0 ? QStringLiteral("新建列表") : QStringLiteral("修改列表"));
}

void TwinNewList::limitMemo()
{
    const QString text = edtListMemo_->toPlainText();
    if (text.size() <= kListMemoWidth)
        return;
    const QSignalBlocker blocker(edtListMemo_);
    edtListMemo_->setPlainText(LimitText(text, kListMemoWidth));
    edtListMemo_->moveCursor(QTextCursor::End);
}

void TwinNewList::btnOkClick()
{
    const QString name = TrimBlanks(edtListName_->text());
    edtListName_->setText(name);
    const QString memo = TrimBlanks(edtListMemo_->toPlainText());
    edtListMemo_->setPlainText(memo);
    if (name.isEmpty()) {
        msg_.Show(QStringLiteral("请输入自定义播放列表名！"), MsgKind::Warning, MsgButtons::Ok);
        return;
    }
    // Editing with no list at all makes a new one: there is no row to edit.
    if (DialogMode_ == 0 || lists_.Current() < 0) {
        const Fetched<QString> id = lists_.Insert(name, memo, NewEntries_);
        if (!id.ok) {
            msg_.ShowLayerError(id.error);
            return;
        }
        if (DialogMode_ == 0)
            NewListId_ = id.value;
    } else {
        const Result r = lists_.EditCurrent(name, memo);
        if (!r.ok) {
            msg_.ShowLayerError(r.error);
            return;
        }
    }
    accept();
}

void TwinNewList::btnCancelClick()
{
    reject();
}
