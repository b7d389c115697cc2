#pragma once

#include <QString>

class QWidget;

// The folder chooser behind a path field's browse button.
class IFolderChooser {
public:
    virtual ~IFolderChooser() = default;
    // The chosen folder as the user sees it, or empty when cancelled.
    virtual QString ChooseFolder(QWidget* parent, const QString& start) = 0;
};

class TFolderChooser final : public IFolderChooser {
public:
    QString ChooseFolder(QWidget* parent, const QString& start) override;
};
