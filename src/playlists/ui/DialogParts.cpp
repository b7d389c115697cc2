#include "DialogParts.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>

void PlaceFixedDialog(QDialog& dialog, int width, int height)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog.setFixedSize(width, height);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
}

QPushButton* PlainButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QHBoxLayout* OkCancelRow(QWidget* parent, QPushButton*& ok, QPushButton*& cancel)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    ok = PlainButton(QStringLiteral("确定"), "btnOk", parent);
    cancel = PlainButton(QStringLiteral("取消"), "btnCancel", parent);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}
