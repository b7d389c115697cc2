#include "utMain.h"
#include "utMainAccessible.h"

#include "AppPath.h"
#include "ControlLayout.h"
#include "store/CatalogueChoice.h"
#include "store/OptionStore.h"
#include "panes/ui/TFolderChooser.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"
#include "panes/ui/TPaneStatusBar.h"
#include "player/TMediaPlayer.h"
#include "player/TMp3Play.h"
#include "core/TDocumentOpener.h"
#include "core/TMsgDlg.h"
#include "tags/ui/TTagController.h"
#include "playlists/ui/TPlaylists.h"
#include "fileops/ui/TFileSorter.h"
#include "fileops/ui/TFolderOps.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

TwinMain::TwinMain(const QByteArray& programFile, Services services, QWidget* parent)
    : QMainWindow(parent), programFile_(programFile), MsgDlg_(std::move(services.msgDlg)), opener_(std::move(services.opener)),
      folderChooser_(std::move(services.folderChooser))
{
    Q_INIT_RESOURCE(icons);
    setObjectName("winMain");
    if (!MsgDlg_)
        MsgDlg_ = std::make_unique<TMsgDlg>(this);
    if (!opener_)
        opener_ = std::make_unique<TDocumentOpener>();
    if (!folderChooser_)
        folderChooser_ = std::make_unique<TFolderChooser>(this);


    BuildActions();
    BuildMenus();
    BuildToolBars();
    BuildPopupMenus();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    pnlControl_ = new QWidget(central);
    pnlControl_->setObjectName("pnlControl");
    pnlControl_->setFixedHeight(58);
    pnlControl_->installEventFilter(this);
    BuildControlPanel(pnlControl_);
    layout->addWidget(pnlControl_);

    pcMain_ = new QTabWidget(central);
    pcMain_->setObjectName("pcMain");
    pcMain_->addTab(BuildFolderPage(), QIcon(QStringLiteral(":/icons/tsFolder.svg")),
                    QStringLiteral("文件夹树状视图"));
    pcMain_->addTab(BuildListPage(), QIcon(QStringLiteral(":/icons/tsCustomList.svg")),
                    QStringLiteral("自定义播放列表"));
    pcMain_->setCurrentIndex(0);
    layout->addWidget(pcMain_, 1);
    setCentralWidget(central);

    statusBar()->setObjectName("sbMain");
    sbpStatus_ = new QLabel(statusBar());
    sbpStatus_->setObjectName("sbpStatus");
    sbpStatus_->setFixedWidth(281);
    statusBar()->addWidget(sbpStatus_);

    BuildPlayers(std::move(services.audio), std::move(services.volume));
    ConnectHandlers();
    BuildPanes();
    BuildTags();
    BuildPlaylists(std::move(services.fileChooser));
    BuildDialogs();
    BuildFileOps(std::move(services.fileOpUi));
    BuildFolderOps();
    BuildMpris();
    resize(ControlLayout::kClientWidth, ControlLayout::kClientHeight + menuBar()->sizeHint().height());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
    MakeAccessible(*this);
    RestoreLayout();
}

TwinMain::~TwinMain() = default;

void TwinMain::FormCreate()
{
    setWindowTitle(QString::fromUtf8(kAppTitle));
    // Qt ends every window's title with this name; the application's title, which names the file
    // that plays, is the main window's frame, where the task bar reads it.
    QGuiApplication::setApplicationDisplayName(QStringLiteral("MelvaneKIRO"));

    trbVolume_->setRange(trbVolumeNV_->minimum(), trbVolumeNV_->maximum());
    trbVolume_->setValue(trbVolumeNV_->value());

    Head_.ColumnTitles = QString::fromUtf8(kColumnTitles);
    Head_.AppPath = AppPathOf(programFile_);

    const CatalogueChoice catalogue =
        ChooseCatalogue(Head_.AppPath, OwnCatalogueFolder(qgetenv("XDG_DATA_HOME"), qgetenv("HOME")));
    if (catalogue.kind == CatalogueChoice::Kind::Missing)
        MsgDlg_->Show(QStringLiteral("没有找到数据库文件 [KIROCustomList.mdb] ！\r\r"
                                     "说明：KIROCustomList.mdb 应该与应用程序在同一文件夹下。"),
                      MsgKind::Error, MsgButtons::Ok);
    else
        OpenCatalogue(catalogue);
    RestoreVolume();
}

void TwinMain::OpenCatalogue(const CatalogueChoice& catalogue)
{
    const bool readOnly = catalogue.kind == CatalogueChoice::Kind::ReadOnly;
    dbconMain_.Close();
    dbconMain_.OpenFile(catalogue.file, readOnly);
    if (!dbconMain_.IsOpen()) {
        MsgDlg_->Show(QStringLiteral("无法连接数据库：KIROCustomList.mdb！"), MsgKind::Error, MsgButtons::Ok);
        return;
    }
    if (readOnly)
        MsgDlg_->Show(catalogue.problem, MsgKind::Warning, MsgButtons::Ok);
    if (!OpenListQuery())
        return;

    const OptionResult loaded = LoadOptions(dbconMain_.Database(), Head_);
    if (!loaded.ok())
        MsgDlg_->ShowLayerError(loaded.error);
}

void TwinMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TwinMain::FormShow()
{
    SetupFileColumns(pnlSource_);
    SetupFileColumns(pnlTarget_);
    SettleLayout();
    // The window appears at once, whatever the folders hold; they are read in the next turn.
    QMetaObject::invokeMethod(this, &TwinMain::ListStartFolders, Qt::QueuedConnection);
}

void TwinMain::ListStartFolders()
{
    for (TFolderPane* pane : {pnlSource_, pnlTarget_}) {
        // Files given on the command line may have shown their folder already.
        if (pane->CurrentFolder().isEmpty())
            pane->dtvSourceClick();
    }
}

void TwinMain::SetupFileColumns(TFolderPane* pane)
{
    pane->SetupFileColumns();
}

bool TwinMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pnlControl_ && event->type() == QEvent::Resize)
        pnlControlResize();
    return QMainWindow::eventFilter(watched, event);
}

void TwinMain::ConnectHandlers()
{
    connect(actions_.value("aExit"), &QAction::triggered, this, &TwinMain::aExitExecute);
    connect(actions_.value("aStop"), &QAction::triggered, this, &TwinMain::aStopExecute);
    connect(popups_.value("pmFileList")->findChild<QAction*>("pmFileRefresh"), &QAction::triggered, this,
            &TwinMain::pmFileRefreshClick);

    for (TFolderPane* pane : {pnlSource_, pnlTarget_}) {
        pane->SetPopupMenus(popups_.value("pmFolderTv"), popups_.value("pmFileList"));
        connect(pane, &TFolderPane::ListActivated, this,
                [this, pane] { SetActivePane(pane->List(), pane->Tree(), pane->StatusBar()); });
        connect(pane, &TFolderPane::TreeActivated, this,
                [this, pane] { SetActivePane(ActiveFileList_, pane->Tree(), ActiveStatusBar_); });
    }
}

void TwinMain::pmFileRefreshClick()
{
    for (TFolderPane* pane : {pnlSource_, pnlTarget_}) {
        if (ActiveFileList_ != nullptr && ActiveFileList_ == pane->List())
            pane->FillFileList();
    }
}

void TwinMain::SetActivePane(QWidget* list, QWidget* tree, QStatusBar* statusBar)
{
    if (list == ActiveFileList_ && tree == ActiveTree_ && statusBar == ActiveStatusBar_)
        return;
    ActiveFileList_ = list;
    ActiveTree_ = tree;
    ActiveStatusBar_ = statusBar;
    emit ActivePaneChanged();
}

void TwinMain::aExitExecute()
{
    Mp3Play_->Close();
    mpMain_->Close();
    close();
}
