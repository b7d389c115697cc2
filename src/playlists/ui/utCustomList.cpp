#include "utCustomList.h"

#include "DialogParts.h"
#include "TListGrid.h"
#include "core/MsgDlg.h"

#include <QPushButton>
#include <QVBoxLayout>

TwinCustomList::TwinCustomList(TPlaylistStore& store, IMsgDlg& msg, QWidget* parent)
    : QDialog(parent), qryList_(store)
{
    setObjectName("winCustomList");
    setWindowTitle(QStringLiteral("自定义播放列表"));
    auto* layout = new QVBoxLayout(this);
    dbgList_ = new TListGrid(this);
    dbgList_->setObjectName("dbgList");
    layout->addWidget(dbgList_, 1);
    layout->addLayout(OkCancelRow(this, btnOk_, btnCancel_));
    connect(btnOk_, &QPushButton::clicked, this, &TwinCustomList::btnOkClick);
    connect(btnCancel_, &QPushButton::clicked, this, &TwinCustomList::btnCancelClick);
    PlaceFixedDialog(*this, 330, 346);
    FormCreate(msg);
}

void TwinCustomList::FormCreate(IMsgDlg& msg)
{
    ChosenListId_.clear();
    const Result r = qryList_.Open();
    if (!r.ok)
        msg.ShowLayerError(r.error);
    dbgList_->SetQuery(&qryList_);
}

void TwinCustomList::btnOkClick()
{
    ChosenListId_ = qryList_.CurrentId();
    accept();
}

void TwinCustomList::btnCancelClick()
{
    reject();
}
