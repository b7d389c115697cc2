#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QWidget;

// The open-file dialog of the play lists: several files of any type at once.
class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // The chosen files' full paths as bytes, in the dialog's order; empty when cancelled.
    virtual QList<QByteArray> ChooseFiles(QWidget* parent, const QString& title) = 0;
};
