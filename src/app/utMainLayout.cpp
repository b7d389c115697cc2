// The main window's controls and their design geometry.
#include "ControlLayout.h"
#include "WindowPlace.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "playlists/ui/TListDetailView.h"
#include "playlists/ui/TListGrid.h"
#include "playlists/ui/TListStatusBar.h"
#include "store/OptionStore.h"
#include "utMain.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QScreen>
#include <QSlider>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

Q_LOGGING_CATEGORY(lcLayout, "melvane")

// The option rows that keep the layout.
const QString kWindowKey = QStringLiteral("sWindow");
const QString kSourceColumnsKey = QStringLiteral("sSourceColumns");
const QString kTargetColumnsKey = QStringLiteral("sTargetColumns");

QLabel* label(QWidget* parent, const QString& text, int x, int y, int width = -1)
{
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    if (width > 0)
        l->setFixedWidth(width);
    else
        l->adjustSize();
    return l;
}

QSlider* trackBar(QWidget* parent, const char* name, int x, int y, int width, int max, int value)
{
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(name);
    bar->setRange(0, max);
    bar->setValue(value);
    bar->setGeometry(x, y, width, 24);
    return bar;
}

// A page of pcMain that one splitter fills.
QSplitter* splitPage(QWidget* page, const char* pageName, Qt::Orientation orientation)
{
    page->setObjectName(pageName);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* split = new QSplitter(orientation, page);
    split->setHandleWidth(10);
    layout->addWidget(split);
    return split;
}

} // namespace

void TwinMain::BuildControlPanel(QWidget* panel)
{
    label(panel, QStringLiteral("正在播放"), 8, 8);
    edtCurrPlay_ = new QLineEdit(panel);
    edtCurrPlay_->setObjectName("edtCurrPlay");
    edtCurrPlay_->setReadOnly(true);
    edtCurrPlay_->setGeometry(64, 5, 553, 21);
    lblTime_ = label(panel, QStringLiteral("时间"), 624, 8);
    lblLength_ = new QLabel(panel);
    lblLength_->setObjectName("lblLength");
    lblLength_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblLength_->setGeometry(656, 6, 129, 19);

    lblProgress_ = label(panel, QStringLiteral("播放进度"), 8, 34, 48);
    trbProgress_ = trackBar(panel, "trbProgress", 64, 30, 553, 100, 0);
    lblVolume_ = label(panel, QStringLiteral("音量"), 624, 34, 24);
    trbVolume_ = trackBar(panel, "trbVolume", 656, 30, 129, 100, 50);
}

void TwinMain::pnlControlResize()
{
    using namespace ControlLayout;
    const int w = pnlControl_->width();
    const int progress = ProgressWidth(w, trbVolume_->width(), lblProgress_->width(), lblVolume_->width());
    trbProgress_->resize(progress, trbProgress_->height());
    edtCurrPlay_->resize(progress, edtCurrPlay_->height());
    lblTime_->move(RightAnchoredX(w, 624), lblTime_->y());
    lblLength_->move(RightAnchoredX(w, 656), lblLength_->y());
    lblVolume_->move(RightAnchoredX(w, 624), lblVolume_->y());
    trbVolume_->move(RightAnchoredX(w, 656), trbVolume_->y());
}

QWidget* TwinMain::BuildFolderPage()
{
    auto* page = new QWidget;
    QSplitter* splFolder = splitPage(page, "tsFolder", Qt::Vertical);
    splFolder->setObjectName("splFolder");
    pnlSource_ = new TFolderPane(PaneSide::Source, Head_, *MsgDlg_, *folderChooser_, FolderTreeModel::SystemPlaces(),
                                 splFolder);
    pnlTarget_ = new TFolderPane(PaneSide::Target, Head_, *MsgDlg_, *folderChooser_, FolderTreeModel::SystemPlaces(),
                                 splFolder);
    splFolder->addWidget(pnlSource_);
    splFolder->addWidget(pnlTarget_);
    splFolder->setCollapsible(0, false);
    splFolder->setCollapsible(1, false);
    pnlSource_->setMinimumHeight(10);
    splFolder->setSizes({185, 330});
    // The first layout leaves the source pane as designed; from then on both panes share (SettleLayout).
    splFolder->setStretchFactor(1, 1);

    // Never seen: the system volume bar that the volume bar follows.
    trbVolumeNV_ = new QSlider(Qt::Horizontal, pnlSource_->RightPanel());
    trbVolumeNV_->setObjectName("trbVolumeNV");
    trbVolumeNV_->setRange(0, 255);
    trbVolumeNV_->hide();
    return page;
}

QWidget* TwinMain::BuildListPage()
{
    auto* page = new QWidget;
    QSplitter* split = splitPage(page, "tsCustomList", Qt::Horizontal);
    split->setObjectName("splList");

    dbgList_ = new TListGrid(split);
    dbgList_->setObjectName("dbgList");
    dbgList_->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* right = new QWidget(split);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    lvListDetail_ = new TListDetailView(right);
    lvListDetail_->setObjectName("lvListDetail");
    lvListDetail_->setProperty("hint", QStringLiteral("自定义播放列表"));
    rightLayout->addWidget(lvListDetail_);

    sbList_ = new TListStatusBar(right);
    sbList_->setObjectName("sbList");
    rightLayout->addWidget(sbList_);

    split->addWidget(dbgList_);
    split->addWidget(right);
    split->setSizes({286, ControlLayout::kClientWidth - 286 - 10});
    split->setStretchFactor(1, 1);
    return page;
}

namespace {

// The splitters whose sizes are kept, each in an option row of its own.
QList<std::pair<QSplitter*, QString>> keptSplitters(const QWidget* window, const TFolderPane* source,
                                                    const TFolderPane* target)
{
    const auto inPane = [](const TFolderPane* pane) {
        return pane->findChild<QSplitter*>(QString(), Qt::FindDirectChildrenOnly);
    };
    return {
        {window->findChild<QSplitter*>(QStringLiteral("splFolder")), QStringLiteral("sSplFolder")},
        {inPane(source), QStringLiteral("sSplSource")},
        {inPane(target), QStringLiteral("sSplTarget")},
        {window->findChild<QSplitter*>(QStringLiteral("splList")), QStringLiteral("sSplList")},
    };
}

// A splitter that has never been on screen has no sizes worth keeping; one the user moved has.
const char* const kMovedProperty = "movedByUser";

} // namespace

void TwinMain::RestoreLayout()
{
    if (!dbconMain_.IsOpen())
        return;
    const QList<std::pair<QSplitter*, QString>> splitters = keptSplitters(this, pnlSource_, pnlTarget_);
    QStringList keys {kWindowKey};
    for (const auto& [splitter, key] : splitters)
        keys.append(key);
    const QHash<QString, QString> kept = OptionTexts(dbconMain_.Database(), keys);
    if (const std::optional<WindowPlace> place = ReadWindowPlace(kept.value(kWindowKey))) {
        const QScreen* screen = QGuiApplication::screenAt(place->normal.center());
        if (screen == nullptr)
            screen = QGuiApplication::primaryScreen();
        setGeometry(FitOnScreen(place->normal, screen != nullptr ? screen->availableGeometry() : QRect()));
        if (place->maximised)
            setWindowState(windowState() | Qt::WindowMaximized);
    }
    for (const auto& [splitter, key] : splitters) {
        if (const std::optional<QList<int>> sizes = ReadSizes(kept.value(key), 2))
            splitter->setSizes(*sizes);
        connect(splitter, &QSplitter::splitterMoved, splitter,
                [splitter = splitter] { splitter->setProperty(kMovedProperty, true); });
    }
}

void TwinMain::SettleLayout()
{
    // Once the first layout has given the source pane its designed height, a taller window, a
    // maximised one too, gives both panes more rows.
    QMetaObject::invokeMethod(
        this, [this] { findChild<QSplitter*>(QStringLiteral("splFolder"))->setStretchFactor(0, 1); },
        Qt::QueuedConnection);
    if (!dbconMain_.IsOpen())
        return;
    const QHash<QString, QString> kept = OptionTexts(dbconMain_.Database(), {kSourceColumnsKey, kTargetColumnsKey});
    for (const auto& [pane, key] : {std::pair {pnlSource_, kSourceColumnsKey}, std::pair {pnlTarget_, kTargetColumnsKey}}) {
        QHeaderView* header = pane->List()->header();
        if (const std::optional<QList<int>> widths = ReadSizes(kept.value(key), header->count())) {
            for (int column = 0; column < header->count(); ++column)
                header->resizeSection(column, widths->at(column));
        }
    }
}

void TwinMain::KeepLayout()
{
    if (!dbconMain_.IsOpen() || dbconMain_.IsReadOnly())
        return;
    const auto widths = [](const TFolderPane* pane) {
        QList<int> sizes;
        const QHeaderView* header = pane->List()->header();
        for (int column = 0; column < header->count(); ++column)
            sizes.append(header->sectionSize(column));
        return sizes;
    };
    QList<std::pair<QString, QString>> texts {
        {kWindowKey, WindowPlaceText({isMaximized() ? normalGeometry() : geometry(), isMaximized()})},
        {kSourceColumnsKey, SizesText(widths(pnlSource_))},
        {kTargetColumnsKey, SizesText(widths(pnlTarget_))},
    };
    for (const auto& [splitter, key] : keptSplitters(this, pnlSource_, pnlTarget_)) {
        if (splitter->isVisible() || splitter->property(kMovedProperty).toBool())
            texts.append({key, SizesText(splitter->sizes())});
    }
    for (const auto& [key, text] : texts) {
        const OptionResult saved = SaveOptionText(dbconMain_.Database(), key, text);
        // Closing goes on: the next start then opens as designed.
        if (!saved.ok()) {
            qCWarning(lcLayout) << "the window's layout was not kept:" << saved.error;
            return;
        }
    }
}

void TwinMain::closeEvent(QCloseEvent* event)
{
    KeepLayout();
    QMainWindow::closeEvent(event);
}
