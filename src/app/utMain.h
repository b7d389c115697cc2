#pragma once

#include "MsgDlg.h"
#include "TCatalogue.h"
#include "utHead.h"

#include <QHash>
#include <QMainWindow>

#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QSlider;
class QSqlQueryModel;
class QStatusBar;
class QTabWidget;
class QTableView;
class QTimer;
class QTreeView;
class QWidget;
class TFolderPane;

// The main window: the control panel, the folder page with the two panes, the play list page, the
// actions with their menus and tool bars, and the catalogue connection.
class TwinMain final : public QMainWindow {
    Q_OBJECT

public:
    // programFile: the program's own path, whose folder holds the catalogue. msgDlg: the message box;
    // the real one when null.
    explicit TwinMain(const QByteArray& programFile, std::unique_ptr<IMsgDlg> msgDlg = nullptr,
                      QWidget* parent = nullptr);
    ~TwinMain() override;

    THead& Head() { return Head_; }
    IMsgDlg& MsgDlg() { return *MsgDlg_; }
    TCatalogue& dbconMain() { return dbconMain_; }
    QSqlQueryModel* qryList() const { return qryList_; }
    bool ListQueryOpen() const { return qryListOpen_; }
    QAction* Action(const QString& name) const { return actions_.value(name); }
    QMenu* Popup(const QString& name) const { return popups_.value(name); }
    TFolderPane* SourcePane() const { return pnlSource_; }
    TFolderPane* TargetPane() const { return pnlTarget_; }

    // The list, tree and status bar the user last worked in (null at start).
    QWidget* ActiveFileList = nullptr;
    QWidget* ActiveTree = nullptr;
    QStatusBar* ActiveStatusBar = nullptr;

    void SetupFileColumns(TFolderPane* pane);
    void pnlControlResize();
    void pmFileRefreshClick();
    void aExitExecute();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void BuildControlPanel(QWidget* panel);
    QWidget* BuildFolderPage();
    QWidget* BuildListPage();
    void BuildActions();
    void BuildMenus();
    void BuildToolBars();
    void BuildPopupMenus();
    void ConnectHandlers();
    void OpenCatalogue();

    THead Head_;
    QByteArray programFile_;
    std::unique_ptr<IMsgDlg> MsgDlg_;
    TCatalogue dbconMain_;
    QSqlQueryModel* qryList_ = nullptr;
    bool qryListOpen_ = false;
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
    QTableView* dbgList_ = nullptr;
    QTreeView* lvListDetail_ = nullptr;
    QStatusBar* sbList_ = nullptr;
    QLabel* sbpStatus_ = nullptr;
    QTimer* tmMain_ = nullptr;
};
