#include "TFileChooser.h"

#include "tags/NativePath.h"

#include <QFileDialog>

QList<QByteArray> TFileChooser::ChooseFiles(QWidget* parent, const QString& title)
{
    // "*.*" as Windows means it: every name, one without a dot too.
    const QStringList chosen =
        QFileDialog::getOpenFileNames(parent, title, lastFolder_, QStringLiteral("*.* (*)"));
    QList<QByteArray> paths;
    for (const QString& file : chosen)
        paths.append(NativePathOfText(file));
    if (!chosen.isEmpty())
        lastFolder_ = chosen.first().section(u'/', 0, -2);
    return paths;
}
