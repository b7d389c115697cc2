#pragma once

class TwinMain;

// For a screen reader and for the keyboard alone: gives the main window's controls their names (label
// buddies where a label stands beside them), puts the tab order through each pane in reading order, and
// adds keys for what only the mouse did: Shift+F10 opens the focused control's pop-up menu, the arrow
// and page keys on the progress bar seek, Ctrl+1 to Ctrl+9 sort a pane list by its first to ninth
// column as a click on that header does, and a pane reached with Tab becomes the active one.
void MakeAccessible(TwinMain& win);
