#pragma once

#include "player/AudioOutput.h"
#include "player/VolumeDevice.h"
#include "core/DocumentOpener.h"
#include "core/FolderChooser.h"
#include "fileops/FileOpUi.h"
#include "core/MsgDlg.h"
#include "store/TCatalogue.h"
#include "core/utHead.h"
#include "playlists/FileChooser.h"

#include <QHash>
#include <QMainWindow>

#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QSlider;
class QStatusBar;
class QTabWidget;
class QWidget;

struct CatalogueChoice;
struct CommandLine;
class TDialogsController;
class TFileSorter;
class TFolderOps;
class TFolderPane;
class TListDetailView;
class TListGrid;
class TListQuery;
class TListStatusBar;
class TMainVolume;
class PcmPipeline;
class TMediaPlayer;
class TMp3Play;
class TPlaybackEngine;
class TPlaylists;
class TTagController;
class TTransport;
class TVolumeControl;

// The main window: the control panel, the folder page with the two panes, the play list page, the
// actions with their menus and tool bars, and the catalogue connection.
class TwinMain final : public QMainWindow {
    Q_OBJECT

public:
    // What the window talks to the outside world through; the real ones where left empty.
    struct Services {
        std::unique_ptr<IMsgDlg> msgDlg;
        std::unique_ptr<IAudioOutputFactory> audio;
        std::unique_ptr<IDocumentOpener> opener;
        std::unique_ptr<IFolderChooser> folderChooser;
        std::unique_ptr<IFileChooser> fileChooser;
        std::unique_ptr<VolumeDevice> volume;
        std::unique_ptr<IFileOpUi> fileOpUi;
    };

    // programFile: the program's own path, whose folder holds the catalogue.
    explicit TwinMain(const QByteArray& programFile, Services services = {}, QWidget* parent = nullptr);
    ~TwinMain() override;

    THead& Head() { return Head_; }
    IMsgDlg& MsgDlg() { return *MsgDlg_; }
    TCatalogue& dbconMain() { return dbconMain_; }
    TListQuery* qryList() const;
    bool ListQueryOpen() const;
    TPlaylists& Playlists() { return *playlists_; }
    QAction* Action(const QString& name) const { return actions_.value(name); }
    QMenu* Popup(const QString& name) const { return popups_.value(name); }
    TFolderPane* SourcePane() const { return pnlSource_; }
    TFolderPane* TargetPane() const { return pnlTarget_; }

    // The list, tree and status bar the user last worked in (null at start). Only SetActivePane
    // changes them, and it announces each change through ActivePaneChanged.
    QWidget* ActiveFileList() const { return ActiveFileList_; }
    QWidget* ActiveTree() const { return ActiveTree_; }
    QStatusBar* ActiveStatusBar() const { return ActiveStatusBar_; }
    void SetActivePane(QWidget* list, QWidget* tree, QStatusBar* statusBar);
    IDocumentOpener& Opener() { return *opener_; }
    IFolderChooser& FolderChooser() { return *folderChooser_; }
    // Where file operations show their progress and ask their questions.
    IFileOpUi& FileOpUi() { return *fileOpUi_; }
    TFileSorter& FileSorter() { return *sorter_; }

    void SetupFileColumns(TFolderPane* pane);
    void pnlControlResize();
    void pmFileRefreshClick();
    void aExitExecute();
    void aStopExecute();
    void PlayFile(const QByteArray& file);
    void aFileTargetExecute();
    TMp3Play& Mp3Play() { return *Mp3Play_; }
    TMediaPlayer& mpMain() { return *mpMain_; }
    TPlaybackEngine& Engine();
    TTransport& Transport() { return *transport_; }
    TVolumeControl& VolumeControl();

    // Brings the window to the front and opens the files the command line names.
    void ShowCommandLine(const CommandLine& line);
    // Shown, not minimised, raised and active: for a later start and the sound menu's Raise.
    void BringToFront();
    // Shows the first file's folder in the source pane, selects the given files there and plays.
    void OpenFiles(const QList<QByteArray>& paths);

signals:
    void ActivePaneChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    // The panes' first folders, read once the window has been painted.
    void ListStartFolders();
    void BuildControlPanel(QWidget* panel);
    QWidget* BuildFolderPage();
    QWidget* BuildListPage();
    // The window's place and size, its splitters and column widths as the user left them last time.
    void RestoreLayout();
    // Once the window is laid out: the column widths kept, and both panes growing with the window.
    void SettleLayout();
    void KeepLayout();
    void BuildActions();
    void BuildMenus();
    void BuildToolBars();
    void BuildPopupMenus();
    void ConnectHandlers();
    void OpenCatalogue(const CatalogueChoice& catalogue);
    void BuildPlayers(std::unique_ptr<IAudioOutputFactory> audio, std::unique_ptr<VolumeDevice> volume);
    // The volume of the last run (full without a catalogue), and from now on each one the user chooses.
    void RestoreVolume();
    void KeepVolume();
    void BuildPanes();
    void BuildTags();
    void BuildPlaylists(std::unique_ptr<IFileChooser> chooser);
    bool OpenListQuery();
    void BuildDialogs();
    void BuildFileOps(std::unique_ptr<IFileOpUi> fileOpUi);
    void BuildFolderOps();
    void BuildMpris();

    THead Head_;
    QByteArray programFile_;
    std::unique_ptr<IMsgDlg> MsgDlg_;
    std::unique_ptr<IDocumentOpener> opener_;
    std::unique_ptr<IFolderChooser> folderChooser_;
    QWidget* ActiveFileList_ = nullptr;
    QWidget* ActiveTree_ = nullptr;
    QStatusBar* ActiveStatusBar_ = nullptr;
    std::unique_ptr<IAudioOutputFactory> audio_;
    // One output for both players, so that their files follow one another without a break.
    std::unique_ptr<PcmPipeline> pipeline_;
    std::unique_ptr<TMp3Play> Mp3Play_;
    std::unique_ptr<TMediaPlayer> mpMain_;
    std::unique_ptr<VolumeDevice> volume_;
    TTransport* transport_ = nullptr;
    TMainVolume* mainVolume_ = nullptr;
    TDialogsController* dialogs_ = nullptr;
    std::unique_ptr<IFileOpUi> fileOpUi_;
    std::unique_ptr<TFileSorter> sorter_;
    std::unique_ptr<TFolderOps> folderOps_;
    TCatalogue dbconMain_;
    std::unique_ptr<IFileChooser> fileChooser_;
    // Declared after the connection: its statements end before the connection closes.
    std::unique_ptr<TPlaylists> playlists_;
    bool shown_ = false;

    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> popups_;

    QWidget* pnlControl_ = nullptr;
    QLineEdit* edtCurrPlay_ = nullptr;
    QLabel* lblLength_ = nullptr;
    QSlider* trbProgress_ = nullptr;
    QSlider* trbVolume_ = nullptr;
    QSlider* trbVolumeNV_ = nullptr;
    QLabel* lblTime_ = nullptr;
    QLabel* lblVolume_ = nullptr;
    QLabel* lblProgress_ = nullptr;
    QTabWidget* pcMain_ = nullptr;
    TFolderPane* pnlSource_ = nullptr;
    TFolderPane* pnlTarget_ = nullptr;
    TListGrid* dbgList_ = nullptr;
    TListDetailView* lvListDetail_ = nullptr;
    TListStatusBar* sbList_ = nullptr;
    QLabel* sbpStatus_ = nullptr;
    std::unique_ptr<TTagController> tags_;
};
