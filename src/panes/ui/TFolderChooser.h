#pragma once

#include "FolderTreeModel.h"
#include "core/FolderChooser.h"

class QWidget;

// The program's own folder chooser: a modal dialog over the folder tree, so that it shows what
// the panes' trees show (names that are not UTF-8, hidden folders) and writes no settings file.
// Only real folders can be chosen, not the virtual nodes.
class TFolderChooser final : public IFolderChooser {
public:
    explicit TFolderChooser(QWidget* parent,
                            const FolderTreeModel::Places& places = FolderTreeModel::SystemPlaces());

    std::optional<QByteArray> Choose(const QString& title, const QByteArray& startPath) override;

private:
    QWidget* parent_;
    FolderTreeModel::Places places_;
};
