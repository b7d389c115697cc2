#pragma once

#include "playlists/FileChooser.h"

// The real open-file dialog; it starts where the last choice was made.
class TFileChooser final : public IFileChooser {
public:
    QList<QByteArray> ChooseFiles(QWidget* parent, const QString& title) override;

private:
    QString lastFolder_;
};
