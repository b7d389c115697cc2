#include "TFolderChooser.h"

#include "FolderPlaces.h"
#include "FolderTreeLook.h"
#include "tags/NameText.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

TFolderChooser::TFolderChooser(QWidget* parent, const FolderTreeModel::Places& places)
    : parent_(parent), places_(places)
{
}

std::optional<QByteArray> TFolderChooser::Choose(const QString& title, const QByteArray& startPath)
{
    QDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("dlgFolderChooser"));
    dialog.setWindowTitle(title);
    dialog.resize(360, 420);

    FolderTreeModel model(places_);
    SetFolderTreeIcons(model, *dialog.style());
    auto* tree = new QTreeView(&dialog);
    tree->setObjectName(QStringLiteral("tvFolders"));
    tree->setModel(&model);
    SetUpFolderTreeView(*tree);

    auto* chosen = new QLabel(&dialog);
    chosen->setObjectName(QStringLiteral("lblChosenFolder"));
    chosen->setTextFormat(Qt::PlainText);
    chosen->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("请选择文件夹："), &dialog));
    layout->addWidget(tree, 1);
    layout->addWidget(chosen);
    layout->addWidget(buttons);

    const auto selectedPath = [&model, tree] {
        const QModelIndexList selected = tree->selectionModel()->selectedIndexes();
        return selected.isEmpty() ? QByteArray() : model.Path(selected.first());
    };
    // The computer, the trash and the network are no folders to choose.
    const auto showChoice = [&] {
        const QByteArray path = selectedPath();
        const bool isFolder = IsExistingFolder(path);
        ok->setEnabled(isFolder);
        chosen->setText(isFolder ? DisplayName(path) : QString());
    };
    QObject::connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged, &dialog, showChoice);

    const QModelIndex root = model.RootIndex();
    model.fetchMore(root);
    tree->expand(root);
    QModelIndex start = model.Resolve(startPath);
    if (!start.isValid())
        start = root;
    for (QModelIndex up = start.parent(); up.isValid(); up = up.parent())
        tree->expand(up);
    tree->selectionModel()->setCurrentIndex(start, QItemSelectionModel::ClearAndSelect);
    tree->scrollTo(start);
    showChoice();
    tree->setFocus();

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QByteArray path = selectedPath();
    if (!IsExistingFolder(path))
        return std::nullopt;
    return path;
}
