#pragma once

#include "FolderTreeModel.h"
#include "panes/FileIcons.h"
#include "panes/FileListFiller.h"
#include "panes/FileListModel.h"
#include "panes/FolderWatch.h"
#include "core/utHead.h"

#include <QElapsedTimer>
#include <QSet>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <memory>

class IFolderChooser;
class PaneWatching;
class IMsgDlg;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class TFileListView;
class TFolderTree;
class TPaneStatusBar;

enum class PaneSide { Source, Target };

// One folder pane (pnlSource / pnlTarget): the folder tree on the left, the
// path field and the file-type box above the file list, the status bar below.
// The handlers bear the source pane's names and serve both sides.
class TFolderPane final : public QWidget {
    Q_OBJECT

public:
    TFolderPane(PaneSide side, THead& head, IMsgDlg& msg, IFolderChooser& chooser,
                const FolderTreeModel::Places& places = FolderTreeModel::SystemPlaces(),
                QWidget* parent = nullptr, std::shared_ptr<FolderWatch> watch = {});
    ~TFolderPane() override;

    PaneSide Side() const { return side_; }
    // SourcePath or TargetPath.
    const QByteArray& CurrentFolder() const;

    TFolderTree* Tree() const { return tree_; }
    TFileListView* List() const { return list_; }
    FileListModel& ListModel() { return model_; }
    TPaneStatusBar* StatusBar() const { return status_; }
    QLineEdit* PathField() const { return path_; }
    QAction* BrowseAction() const { return browse_; }
    QComboBox* FileTypeBox() const { return fileType_; }
    // Where the window keeps the controls that are never seen.
    QWidget* RightPanel() const { return right_; }

    void SetPopupMenus(QMenu* treeMenu, QMenu* listMenu);

    void dtvSourceClick();
    void SelectExistingFolder();
    void dedtSourceChange();
    void cmbSourceFileTypeChange();
    void lvSourceClick();
    void lvSourceSelectItem();
    void lvSourceColumnClick(int column);
    void pnlSourceTopResize();
    void SetupFileColumns();
    // Lists the current folder again with the box's mask. The rows arrive as the
    // folder is read; a listing under way is abandoned.
    void FillFileList();
    // Selects exactly the rows of these names, the first of them current and in view; how many.
    int SelectNames(const QList<QByteArray>& names);
    // A listing under way.
    bool Listing() const { return filler_.Listing(); }
    // Runs action once the current listing has ended (now when none is under way).
    void WhenListed(std::function<void()> action) { filler_.WhenListed(std::move(action)); }
    // Reads again just these entries of a folder, where the pane lists that folder (after
    // the program's own operations): the selection, the sort and the scroll stay.
    void RefreshNames(const QByteArray& folder, const QSet<QByteArray>& names);
    // Whether the current folder is watched for changes made outside the pane.
    bool Watching() const;

signals:
    void ListActivated(TFolderPane* pane);
    void TreeActivated(TFolderPane* pane);
    // The listing of the folder has ended: every row is there.
    void ListingFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QByteArray& Folder();
    void BuildTopBar(const QString& name);
    void Browse();
    void WidenTextColumns();
    // Widens the column of this title, where there is one, so that each text fits uncut.
    void WidenColumnToFit(const QString& title, std::initializer_list<QString> texts);
    void ShowStatus();
    void RowsChanged();

    PaneSide side_;
    THead& head_;
    IMsgDlg& msg_;
    IFolderChooser& chooser_;
    FileListModel model_;
    ShellFileIcons icons_;
    FileListFiller filler_;
    std::shared_ptr<FolderWatch> watch_;
    std::unique_ptr<PaneWatching> watching_;
    // While rows arrive, the status bar follows now and then; it is exact when they end.
    QElapsedTimer statusShown_;
    // The folder picked with the browse button while its text goes into the field.
    QByteArray browsed_;

    QSplitter* splitter_ = nullptr;
    QWidget* left_ = nullptr;
    QWidget* right_ = nullptr;
    QWidget* top_ = nullptr;
    QLabel* pathLabel_ = nullptr;
    QLabel* typeLabel_ = nullptr;
    QLineEdit* path_ = nullptr;
    QAction* browse_ = nullptr;
    QComboBox* fileType_ = nullptr;
    TFolderTree* tree_ = nullptr;
    TFileListView* list_ = nullptr;
    TPaneStatusBar* status_ = nullptr;
};
