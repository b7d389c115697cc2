#include "utNewFolder.h"

#include "core/MsgDlg.h"
#include "core/TrimBlanks.h"
#include "fileops/FolderOpRules.h"
#include "tags/NameText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TwinNewFolder::TwinNewFolder(IMsgDlg& msg, const QByteArray& currentFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      msg_(msg), currentFolder_(currentFolder)
{
    setObjectName(QStringLiteral("winNewFolder"));
    setWindowTitle(QStringLiteral("新建文件夹"));

    edtCurrFolder_ = new QLineEdit(DisplayName(currentFolder), this);
    edtCurrFolder_->setObjectName(QStringLiteral("edtCurrFolder"));
    edtCurrFolder_->setReadOnly(true);
    edtNewFolder_ = new QLineEdit(this);
    edtNewFolder_->setObjectName(QStringLiteral("edtNewFolder"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("当前文件夹"), edtCurrFolder_);
    fields->addRow(QStringLiteral("新文件夹名"), edtNewFolder_);

    auto* buttons = new QDialogButtonBox(this);
    btnOk_ = buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setDefault(true);
    btnCancel_ = buttons->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOk_, &QPushButton::clicked, this, &TwinNewFolder::btnOkClick);
    connect(btnCancel_, &QPushButton::clicked, this, &TwinNewFolder::btnCancelClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(new QLabel(QStringLiteral("说明:新文件夹将创建在当前文件夹下"), this));
    layout->addWidget(buttons);
    // The fixed size follows the fields, so they are made wide enough for a usual folder path.
    edtCurrFolder_->setMinimumWidth(320);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    edtNewFolder_->setFocus();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(sizeHint().width() / 2, sizeHint().height() / 2));
}

QString TwinNewFolder::NewName() const
{
    return edtNewFolder_->text();
}

void TwinNewFolder::btnOkClick()
{
    const QString name = TrimBlanks(edtNewFolder_->text());
    edtNewFolder_->setText(name);
    if (name.isEmpty()) {
        msg_.Show(QString::fromUtf8(FolderOps::kEnterFolderName), MsgKind::Warning, MsgButtons::Ok);
        return;
    }
    const auto path = FolderOps::NewFolderPath(currentFolder_, name);
    if (path && FolderOps::IsFolder(*path)) {
        msg_.Show(QString::fromUtf8(FolderOps::kFolderExists), MsgKind::Warning, MsgButtons::Ok);
        return;
    }
    result_ = true;
    accept();
}

void TwinNewFolder::btnCancelClick()
{
    reject();
}
