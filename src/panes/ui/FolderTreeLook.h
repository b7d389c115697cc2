#pragma once

class FolderTreeModel;
class QStyle;
class QTreeView;

// What every view of the folder tree shares, the panes' trees and the folder chooser alike.

// The theme's icon of each kind of node, the style's own where the theme has none.
void SetFolderTreeIcons(FolderTreeModel& model, const QStyle& style);

// The view's look (no header, no root lines, indent 19, the pane font) and one selected node
// at all times, as a Windows tree keeps it: a click on empty space, a Ctrl+click on the selected
// node or a refresh that drops the selected folder leaves a node selected. Call after setModel.
void SetUpFolderTreeView(QTreeView& view);
