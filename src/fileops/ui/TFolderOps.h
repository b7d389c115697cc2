#pragma once

#include "core/utHead.h"

#include <QByteArray>
#include <QString>

#include <functional>

class IFileOpUi;
class IMsgDlg;
class QAction;
class QWidget;

// One folder tree as the folder commands see it.
struct FolderTreeSide {
    QWidget* tree = nullptr;
    std::function<QString()> text;                       // shown name of the selected node
    std::function<QByteArray()> path;                    // its path; empty when none is selected
    std::function<bool()> systemPlace;                   // it is the home folder, the computer or a volume
    std::function<void()> refresh;                       // reads the selected node's sub-folders again
    std::function<void()> selectExisting;                // selection up to the nearest folder that exists
    std::function<void()> selectParent;                  // selects the parent node and reads it again
    std::function<void()> startEditing;                  // opens the name editor on the selected node
    std::function<void(const QByteArray&)> showRenamed;  // the selected folder has this new path
    std::function<void()> click;                         // the tree's click handler
};

// The items of the tree menu that can be disabled.
struct FolderMenuItems {
    QAction* copy = nullptr;
    QAction* cut = nullptr;
    QAction* remove = nullptr;
    QAction* rename = nullptr;
};

// What the main window hands the folder commands.
struct FolderOpsContext {
    THead& head;
    IMsgDlg& msg;
    IFileOpUi& fileOps;
    QWidget* owner;
    FolderTreeSide source;
    FolderTreeSide target;
    FolderMenuItems items;
    std::function<QWidget*()> activeTree;
    std::function<void()> stop;   // the stop action
};

// The commands of the pop-up menu shared by the two folder trees: refresh, copy and move the
// selected folder of the active tree into the other tree's folder, new folder, delete to the
// trash, rename in place.
class TFolderOps {
public:
    explicit TFolderOps(FolderOpsContext context);

    void pmFolderTvPopup();
    void pmiRefreshClick();
    void pmiFolderCopyClick();
    void pmiFolderCutClick();
    void pmiFolderNewClick();
    void pmiFolderDeleteClick();
    void pmiFolderRenameClick();
    // Whether a name edit may start on the selected node of either tree.
    bool dtvSourceEditing(const FolderTreeSide& side);
    // A confirmed name edit of the folder at path in the tree of side.
    void dtvSourceEdited(const FolderTreeSide& side, const QByteArray& path, const QString& newName);

private:
    // The active tree and the other one; null when no tree has been used yet.
    FolderTreeSide* Active();
    FolderTreeSide& Other(const FolderTreeSide& side);
    void StopIfPlaying(const QByteArray& folder);
    void Warn(const char* text);
    // The folder the new-folder dialog starts in.
    QByteArray NewFolderParent();

    FolderOpsContext c_;
};
