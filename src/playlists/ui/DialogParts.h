#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

// A fixed client size, no caption buttons, centred on the screen: the frame of the play list dialogs.
void PlaceFixedDialog(QDialog& dialog, int width, int height);

// A push button that is never the default, so Enter presses nothing by itself.
QPushButton* PlainButton(const QString& caption, const char* name, QWidget* parent);

// The row of "确定" and "取消" on the right of a dialog.
QHBoxLayout* OkCancelRow(QWidget* parent, QPushButton*& ok, QPushButton*& cancel);
