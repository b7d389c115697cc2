#include "TFolderPane.h"

#include "FolderPlaces.h"
#include "tags/NativePath.h"
#include "PaneFont.h"
#include "PaneWatching.h"
#include "TFileListView.h"
#include "TFolderTree.h"
#include "TPaneStatusBar.h"
#include "core/FolderChooser.h"
#include "core/MsgDlg.h"
#include "panes/FolderWatch.h"
#include "panes/PaneStatus.h"
#include "tags/NameText.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Top bar geometry: the path label and field from the left, the type label and
// box at fixed distances from the right edge.
constexpr int kTopHeight = 28;
constexpr int kControlY = 3;
constexpr int kControlHeight = 22;
constexpr int kPathLabelX = 7;
constexpr int kPathLabelWidth = 60;
constexpr int kPathFieldX = 72;
constexpr int kTypeLabelWidth = 48;
constexpr int kTypeBoxWidth = 64;
constexpr int kTypeLabelFromRight = 137;
constexpr int kTypeBoxFromRight = 85;
constexpr int kTopSlack = 45;
constexpr int kStatusWhileListingMs = 250;

} // namespace

TFolderPane::TFolderPane(PaneSide side, THead& head, IMsgDlg& msg, IFolderChooser& chooser,
                         const FolderTreeModel::Places& places, QWidget* parent,
                         std::shared_ptr<FolderWatch> watch)
    : QWidget(parent), side_(side), head_(head), msg_(msg), chooser_(chooser)
    , icons_(style()->standardIcon(QStyle::SP_FileIcon)), filler_(model_, icons_)
    , watch_(watch ? std::move(watch) : InotifyFolderWatch::Shared())
{
    const QString name = side == PaneSide::Source ? QStringLiteral("Source") : QStringLiteral("Target");
    setObjectName(QStringLiteral("pnl") + name);

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setHandleWidth(10);
    splitter_->setChildrenCollapsible(false);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(splitter_);

    left_ = new QWidget(splitter_);
    left_->setObjectName(QStringLiteral("pnl%1Left").arg(name));
    tree_ = new TFolderTree(places, left_);
    tree_->setObjectName(QStringLiteral("dtv") + name);
    auto* leftLayout = new QVBoxLayout(left_);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(tree_);

    right_ = new QWidget(splitter_);
    right_->setObjectName(QStringLiteral("pnl%1Right").arg(name));
    auto* rightLayout = new QVBoxLayout(right_);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    BuildTopBar(name);
    rightLayout->addWidget(top_);

    list_ = new TFileListView(right_);
    list_->setObjectName(QStringLiteral("lv") + name);
    list_->setProperty("hint", side == PaneSide::Source ? QStringLiteral("源文件夹") : QStringLiteral("目标文件夹"));
    list_->setModel(&model_);
    model_.SetFixedImage(ExeFileIcon());
    rightLayout->addWidget(list_, 1);

    status_ = new TPaneStatusBar(right_);
    status_->setObjectName(QStringLiteral("sb") + name);
    rightLayout->addWidget(status_);

    splitter_->addWidget(left_);
    splitter_->addWidget(right_);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({150, 642});

    setTabOrder(tree_, path_);
    setTabOrder(path_, fileType_);
    setTabOrder(fileType_, list_);

    connect(tree_, &TFolderTree::TreeClicked, this, &TFolderPane::dtvSourceClick);
    connect(path_, &QLineEdit::textChanged, this, &TFolderPane::dedtSourceChange);
    connect(browse_, &QAction::triggered, this, &TFolderPane::Browse);
    connect(fileType_, &QComboBox::currentIndexChanged, this, &TFolderPane::cmbSourceFileTypeChange);
    connect(list_, &TFileListView::ListClicked, this, &TFolderPane::lvSourceClick);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFolderPane::lvSourceSelectItem);
    connect(list_->header(), &QHeaderView::sectionClicked, this, &TFolderPane::lvSourceColumnClick);

    watching_ = std::make_unique<PaneWatching>(watch_, filler_, *tree_);
    connect(&filler_, &FileListFiller::RowsChanged, this, &TFolderPane::RowsChanged);
    connect(&filler_, &FileListFiller::Listed, this, [this] {
        ShowStatus();
        emit ListingFinished();
    });
}

TFolderPane::~TFolderPane() = default;

void TFolderPane::BuildTopBar(const QString& name)
{
    top_ = new QWidget(right_);
    top_->setObjectName(QStringLiteral("pnl%1Top").arg(name));
    top_->setFixedHeight(kTopHeight);

    pathLabel_ = new QLabel(side_ == PaneSide::Source ? QStringLiteral("源文件夹") : QStringLiteral("目标文件夹"), top_);
    pathLabel_->setObjectName(QStringLiteral("lbl%1Folder").arg(name));
    pathLabel_->setGeometry(kPathLabelX, kControlY, kPathLabelWidth, kControlHeight);

    path_ = new QLineEdit(top_);
    path_->setObjectName(QStringLiteral("dedt") + name);
    path_->setGeometry(kPathFieldX, kControlY, 425, kControlHeight);
    browse_ = path_->addAction(style()->standardIcon(QStyle::SP_DirOpenIcon), QLineEdit::TrailingPosition);
    browse_->setObjectName(QStringLiteral("dedt%1Browse").arg(name));

    typeLabel_ = new QLabel(QStringLiteral("文件类型"), top_);
    typeLabel_->setObjectName(QStringLiteral("lbl%1FileType").arg(name));
    typeLabel_->resize(kTypeLabelWidth, kControlHeight);

    fileType_ = new QComboBox(top_);
    fileType_->setObjectName(QStringLiteral("cmb%1FileType").arg(name));
    fileType_->setEditable(false);
    fileType_->addItems({QStringLiteral("*.*"), QStringLiteral("*.mp3"), QStringLiteral("*.wma"),
                         QStringLiteral("*.wav"), QStringLiteral("*.mid"), QStringLiteral("*.flac"),
                         QStringLiteral("*.ogg"), QStringLiteral("*.oga"), QStringLiteral("*.opus"),
                         QStringLiteral("*.m4a"), QStringLiteral("*.ape")});
    fileType_->setCurrentIndex(0);
    fileType_->resize(kTypeBoxWidth, kControlHeight);

    top_->installEventFilter(this);
}

bool TFolderPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == top_ && event->type() == QEvent::Resize)
        pnlSourceTopResize();
    return QWidget::eventFilter(watched, event);
}

const QByteArray& TFolderPane::CurrentFolder() const
{
    return side_ == PaneSide::Source ? head_.SourcePath : head_.TargetPath;
}

QByteArray& TFolderPane::Folder()
{
    return side_ == PaneSide::Source ? head_.SourcePath : head_.TargetPath;
}

void TFolderPane::SetPopupMenus(QMenu* treeMenu, QMenu* listMenu)
{
    tree_->SetPopupMenu(treeMenu);
    list_->SetPopupMenu(listMenu);
}

void TFolderPane::dtvSourceClick()
{
    emit TreeActivated(this);
    QByteArray path = tree_->SelectedPath();
    // Without a selected node there is no folder to go to.
    if (path.isEmpty())
        return;
    if (!path.endsWith('/'))
        path += '/';
    if (path == Folder())
        return;
    SelectExistingFolder();
    Folder() = path;
    path_->setText(DisplayName(path));
    FillFileList();
}

int TFolderPane::SelectNames(const QList<QByteArray>& names)
{
    QItemSelection selection;
    for (int row = 0; row < model_.rowCount(); ++row) {
        if (names.contains(model_.Entry(row).name))
            selection.select(model_.index(row, 0), model_.index(row, 0));
    }
    list_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!selection.isEmpty()) {
        const QModelIndex first = selection.first().topLeft();
        list_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
        list_->ShowRow(first);
    }
    return int(selection.size());
}

void TFolderPane::SelectExistingFolder()
{
    tree_->SelectExistingFolder();
}

void TFolderPane::dedtSourceChange()
{
    const QString text = path_->text();
    if (text.trimmed() == DisplayName(Folder()))
        return;
    if (text.size() <= 3)
        return;
    // A typed name is text; the folders on the way may have names that are not UTF-8.
    const QByteArray typed = browsed_.isEmpty() ? NativePathOfText(text) : browsed_;
    if (!IsExistingFolder(typed))
        return;
    // The field turned a typed folder into "folder/" at once; a "/" typed after it adds nothing.
    if (text.endsWith(u'/') && NormalisedFolderPath(typed) == NormalisedFolderPath(Folder())) {
        path_->setText(DisplayName(Folder()));
        return;
    }
    if (!tree_->SelectPath(typed)) {
        msg_.ShowLayerError(QStringLiteral("无法在文件夹树中找到文件夹“%1”。").arg(text));
        return;
    }
    dtvSourceClick();
}

void TFolderPane::Browse()
{
    const QString title = side_ == PaneSide::Source ? QStringLiteral("选择源文件夹") : QStringLiteral("选择目标文件夹");
    const std::optional<QByteArray> chosen = chooser_.Choose(title, NormalisedFolderPath(Folder()));
    if (!chosen)
        return;
    // The field shows the folder's name; the change handler takes the picked bytes.
    browsed_ = *chosen;
    path_->setText(DisplayName(*chosen));
    browsed_.clear();
}

void TFolderPane::cmbSourceFileTypeChange()
{
    FillFileList();
}

void TFolderPane::lvSourceClick()
{
    emit ListActivated(this);
}

void TFolderPane::lvSourceSelectItem()
{
    ShowStatus();
}

void TFolderPane::ShowStatus()
{
    UpdatePaneStatus(model_, list_->SelectedCount(), *status_, head_);
    statusShown_.start();
}

void TFolderPane::RowsChanged()
{
    // The total adds up every row: while thousands arrive, not for each batch.
    if (!filler_.Listing() || !statusShown_.isValid() || statusShown_.elapsed() >= kStatusWhileListingMs)
        ShowStatus();
}

void TFolderPane::lvSourceColumnClick(int column)
{
    model_.ColumnClick(column);
}

void TFolderPane::pnlSourceTopResize()
{
    const int width = top_->width();
    path_->resize(std::max(0, width - pathLabel_->width() - typeLabel_->width() - fileType_->width() - kTopSlack),
                  kControlHeight);
    typeLabel_->move(width - kTypeLabelFromRight, kControlY);
    fileType_->move(width - kTypeBoxFromRight, kControlY);
}

void TFolderPane::SetupFileColumns()
{
    model_.SetColumns(head_.ColumnTitles);
    list_->setFont(PaneFont());
    for (int column = 0; column < model_.ColumnCount(); ++column)
        list_->setColumnWidth(column, model_.ColumnWidth(column));
    WidenTextColumns();
}

void TFolderPane::WidenTextColumns()
{
    // The widest size texts in megabytes, and the widest attribute texts.
    WidenColumnToFit(QStringLiteral("大小"), {QStringLiteral("0.000976MB"), QStringLiteral("5.72E3MB")});
    WidenColumnToFit(QStringLiteral("属性"), {AttributeText(false, false), AttributeText(true, true)});
}

void TFolderPane::WidenColumnToFit(const QString& title, std::initializer_list<QString> texts)
{
    const int column = model_.ColumnOf(title);
    if (column < 0)
        return;
    // As the list's style measures a cell, and the grid line.
    QStyleOptionViewItem cell;
    cell.initFrom(list_);
    cell.font = list_->font();
    cell.features = QStyleOptionViewItem::HasDisplay;
    int needed = 0;
    for (const QString& text : texts) {
        cell.text = text;
        needed = std::max(needed, list_->style()->sizeFromContents(QStyle::CT_ItemViewItem, &cell, {}, list_).width() + 1);
    }
    list_->setColumnWidth(column, std::max(list_->columnWidth(column), needed));
}

void TFolderPane::FillFileList()
{
    const bool changed = watching_->BeforeListing(Folder());
    filler_.Fill(Folder(), RulesFor(fileType_->currentText(), head_), QLocale::system(), head_.iFileSizeUnit,
                 !changed);
    ShowStatus();
}

bool TFolderPane::Watching() const
{
    return watching_->Watching();
}

void TFolderPane::RefreshNames(const QByteArray& folder, const QSet<QByteArray>& names)
{
    if (folder == filler_.Folder() || folder + '/' == filler_.Folder())
        filler_.RefreshNames(names);
}
