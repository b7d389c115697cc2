#include "FolderChooser.h"

#include <QFileDialog>

QString TFolderChooser::ChooseFolder(QWidget* parent, const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, QString(), start, QFileDialog::ShowDirsOnly);
}
