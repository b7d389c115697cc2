#include "utTargetList.h"

#include "SelectedFiles.h"

#include "core/FolderChooser.h"
#include "core/ItemRoles.h"
#include "core/ListRows.h"
#include "core/MsgDlg.h"
#include "core/TrimBlanks.h"
#include "fileops/FolderOpRules.h"
#include "fileops/ShellFileOps.h"
#include "fileops/SortTexts.h"
#include "fileops/TargetFolders.h"
#include "playlists/TPlaylistStore.h"
#include "tags/NameText.h"
#include "tags/NativePath.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kIdRole = Qt::UserRole + 2;

QPushButton* MakeButton(const char* name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TwinTargetList::TwinTargetList(TargetListContext context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      c_(std::move(context))
{
    setObjectName(QStringLiteral("winTargetList"));
    setWindowTitle(QStringLiteral("目标文件夹列表"));

    auto* current = new QGroupBox(QStringLiteral("当前目标文件夹"), this);
    edtCurr_ = new QLineEdit(current);
    edtCurr_->setObjectName(QStringLiteral("edtCurr"));
    (new QVBoxLayout(current))->addWidget(edtCurr_);

    auto* used = new QGroupBox(QStringLiteral("曾经使用过的目标文件夹"), this);
    tblTargetList_ = new QStandardItemModel(0, 1, this);
    tblTargetList_->setObjectName(QStringLiteral("tblTargetList"));
    tblTargetList_->setHorizontalHeaderLabels({QStringLiteral("path")});
    dbgList_ = new QTableView(used);
    dbgList_->setObjectName(QStringLiteral("dbgList"));
    dbgList_->setModel(tblTargetList_);
    dbgList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgList_->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgList_->horizontalHeader()->setStretchLastSection(true);
    dbgList_->verticalHeader()->hide();
    btnBrowse_ = MakeButton("btnBrowse", QStringLiteral("浏览"), used);
    btnDelete_ = MakeButton("btnDelete", QStringLiteral("删除"), used);
    btnDelAll_ = MakeButton("btnDelAll", QStringLiteral("删除全部"), used);
    auto* usedButtons = new QVBoxLayout;
    for (QPushButton* button : {btnBrowse_, btnDelete_, btnDelAll_})
        usedButtons->addWidget(button);
    usedButtons->addStretch();
    auto* usedLayout = new QHBoxLayout(used);
    usedLayout->addWidget(dbgList_, 1);
    usedLayout->addLayout(usedButtons);

    auto* buttons = new QDialogButtonBox(this);
    btnCopy_ = MakeButton("btnCopy", QStringLiteral("复制"), this);
    btnCut_ = MakeButton("btnCut", QStringLiteral("剪切"), this);
    btnClose_ = MakeButton("btnClose", QStringLiteral("关闭"), this);
    buttons->addButton(btnCopy_, QDialogButtonBox::ActionRole);
    buttons->addButton(btnCut_, QDialogButtonBox::ActionRole);
    buttons->addButton(btnClose_, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(current);
    layout->addWidget(used, 1);
    layout->addWidget(buttons);
    resize(480, 360);
    setFixedSize(size());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(btnBrowse_, &QPushButton::clicked, this, &TwinTargetList::btnBrowseClick);
    connect(dbgList_, &QAbstractItemView::doubleClicked, this, &TwinTargetList::dbgListDblClick);
    connect(btnDelete_, &QPushButton::clicked, this, &TwinTargetList::btnDeleteClick);
    connect(btnDelAll_, &QPushButton::clicked, this, &TwinTargetList::btnDelAllClick);
    connect(btnCopy_, &QPushButton::clicked, this, &TwinTargetList::btnCopyClick);
    connect(btnCut_, &QPushButton::clicked, this, &TwinTargetList::btnCutClick);
    connect(btnClose_, &QPushButton::clicked, this, &TwinTargetList::btnCloseClick);

    OpenTable();
}

void TwinTargetList::OpenTable()
{
    const auto folders = c_.store.Targets();
    tblTargetList_->removeRows(0, tblTargetList_->rowCount());
    if (!folders.ok) {
        c_.msg.ShowLayerError(folders.error);
        return;
    }
    for (const TargetRow& folder : folders.value) {
        auto* item = new QStandardItem(DisplayName(folder.path));
        item->setData(folder.path, kNameBytesRole);
        item->setData(folder.id, kIdRole);
        tblTargetList_->appendRow(item);
    }
    if (!folders.value.isEmpty())
        dbgList_->setCurrentIndex(tblTargetList_->index(0, 0));
}

void TwinTargetList::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TwinTargetList::FormShow()
{
    if (c_.tabIndex() > 0)
        btnCut_->hide();
}

int TwinTargetList::CurrentRow() const
{
    const QModelIndex current = dbgList_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TwinTargetList::SetTarget(const QByteArray& path)
{
    picked_ = path;
    edtCurr_->setText(DisplayName(path));
}

QByteArray TwinTargetList::ChosenFolder()
{
    const QString text = TrimBlanks(edtCurr_->text());
    edtCurr_->setText(text);
    if (text.isEmpty())
        return {};
    // A picked folder keeps its bytes while the field shows it unchanged.
    if (!picked_.isEmpty() && text == DisplayName(picked_))
        return picked_;
    return NativePathOfText(text);
}

void TwinTargetList::Inform(const char* text)
{
    c_.msg.Show(QString::fromUtf8(text), MsgKind::Information, MsgButtons::Ok);
}

bool TwinTargetList::SourceReady(const QList<int>& rows, const QByteArray& folder, const char* selectFiles)
{
    const char* missing = nullptr;
    if (rows.isEmpty())
        missing = selectFiles;
    else if (folder.isEmpty())
        missing = SortTexts::kSelectTarget;
    else if (IsSameFolder(c_.head.SourcePath, folder))
        missing = SortTexts::kSameFolders;
    if (missing != nullptr)
        Inform(missing);
    return missing == nullptr;
}

void TwinTargetList::btnBrowseClick()
{
    const auto chosen = c_.chooser.Choose(QStringLiteral("选择目标文件夹"), picked_);
    if (chosen)
        SetTarget(*chosen);
}

void TwinTargetList::dbgListDblClick()
{
    const int row = CurrentRow();
    if (row < 0)
        return;
    const QByteArray path = tblTargetList_->item(row)->data(kNameBytesRole).toByteArray();
    if (FolderOps::IsFolder(path))
        return SetTarget(path);
    c_.msg.Show(TargetTexts::Vanished(path), MsgKind::Warning, MsgButtons::Ok);
    picked_.clear();
    edtCurr_->clear();
}

void TwinTargetList::btnDeleteClick()
{
    const int row = CurrentRow();
    if (row < 0)
        return;
    if (c_.msg.Show(QString::fromUtf8(TargetTexts::kDeleteOneQuestion), MsgKind::Confirmation,
                    MsgButtons::YesNo) == MsgResult::No)
        return;
    const Result deleted = c_.store.DeleteTarget(tblTargetList_->item(row)->data(kIdRole).toString());
    if (!deleted.ok)
        return c_.msg.ShowLayerError(deleted.error);
    tblTargetList_->removeRow(row);
}

void TwinTargetList::btnDelAllClick()
{
    if (tblTargetList_->rowCount() == 0)
        return;
    if (c_.msg.Show(QString::fromUtf8(TargetTexts::kDeleteAllQuestion), MsgKind::Confirmation,
                    MsgButtons::YesNo) == MsgResult::No)
        return;
    const Result deleted = c_.store.DeleteAllTargets();
    if (!deleted.ok)
        c_.msg.ShowLayerError(deleted.error);
    OpenTable();
}

void TwinTargetList::btnCopyClick()
{
    const QByteArray folder = ChosenFolder();
    QByteArray sources;
    QString title;
    if (c_.tabIndex() == 0) {
        if (!SourceReady(SelectedRows(c_.lvSource), folder, SortTexts::kSelectToCopy))
            return;
        sources = SelectedSourceList(c_.lvSource, c_.head.SourcePath, {}, c_.stop);
        title = TargetTexts::CopyTitle(c_.sourceTreeText());
    } else if (c_.tabIndex() == 1) {
        if (c_.listCount() == 0)
            return Inform(SortTexts::kNoListToCopy);
        if (SelectedRows(c_.lvListDetail).isEmpty())
            return Inform(SortTexts::kSelectToCopy);
        if (folder.isEmpty())
            return Inform(SortTexts::kSelectTarget);
        // The entries are full paths.
        sources = SelectedSourceList(c_.lvListDetail, {}, {}, c_.stop);
        title = TargetTexts::CopyFromListTitle(c_.listName());
    } else {
        return;
    }
    if (ShellCopyFiles(c_.fileOps, this, folder, sources, title) == 0)
        RememberAndClose(folder);
}

void TwinTargetList::btnCutClick()
{
    if (c_.tabIndex() != 0)
        return;
    const QByteArray folder = ChosenFolder();
    if (!SourceReady(SelectedRows(c_.lvSource), folder, SortTexts::kSelectToCut))
        return;
    const QByteArray sources = SelectedSourceList(c_.lvSource, c_.head.SourcePath, c_.head.PlayingFile, c_.stop);
    if (ShellMoveFiles(c_.fileOps, this, folder, sources, TargetTexts::CutTitle(c_.sourceTreeText())) != 0)
        return;
    RemoveGoneRows(c_.lvSource, c_.head.SourcePath);
    RememberAndClose(folder);
}

void TwinTargetList::RememberAndClose(const QByteArray& folder)
{
    // A catalogue that can only be read keeps nothing; the user heard so at start.
    const Result remembered = c_.store.ReadOnly() ? Result{} : c_.store.RememberTarget(folder);
    if (!remembered.ok)
        c_.msg.ShowLayerError(remembered.error);
    accept();
}

void TwinTargetList::btnCloseClick()
{
    reject();
}
