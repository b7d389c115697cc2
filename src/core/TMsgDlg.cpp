#include "TMsgDlg.h"

#include "utHead.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon iconOf(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Warning: return QMessageBox::Warning;
    case MsgKind::Error: return QMessageBox::Critical;
    case MsgKind::Information: return QMessageBox::Information;
    case MsgKind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString captionOf(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Warning: return QStringLiteral("警告");
    case MsgKind::Error: return QStringLiteral("错误");
    case MsgKind::Information: return QStringLiteral("信息");
    case MsgKind::Confirmation: return QStringLiteral("确认");
    }
    return {};
}

void plainError(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

MsgResult TMsgDlg::Show(const QString& text, MsgKind kind, MsgButtons buttons)
{
    QMessageBox box(iconOf(kind), captionOf(kind), text, QMessageBox::NoButton, parent_);
    if (buttons == MsgButtons::YesNo) {
        box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        QAbstractButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        box.exec();
        return box.clickedButton() == no || box.clickedButton() == nullptr ? MsgResult::No
                                                                           : MsgResult::Yes;
    }
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.exec();
    return MsgResult::Ok;
}

void TMsgDlg::ShowLayerError(const QString& text)
{
    plainError(parent_, text);
}

void TMsgDlg::ShowStandardError(const QString& text)
{
    plainError(parent_, text);
}
