#pragma once

#include "core/utHead.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <functional>

class IMsgDlg;
class QAbstractItemView;
class QLabel;
class QWidget;

// The tag actions of the main window: the tag dialog for the selected file (aFileTag) and renaming the
// selected MP3 files after their tag titles (aT2N). The window hands it what it needs of itself.
class TTagController final {
public:
    // The list the user last worked in, as the window sees it.
    struct ActiveList {
        QAbstractItemView* view = nullptr; // null: no list is active
        // lvSource or lvTarget, whose rows hold names in `folder`; else a play list's entries, whose
        // rows hold full paths. Either way the row's bytes are under kNameBytesRole.
        bool folderPane = false;
        QByteArray folder;
        // Writes a cell of the pane's list (column 1 and above).
        std::function<void(int row, int column, const QString& text)> setCell;
        // Reads again just these entries of the pane's folder.
        std::function<void(const QSet<QByteArray>& names)> refreshNames;
    };

    struct Window {
        QWidget* owner = nullptr;
        QLabel* sbpStatus = nullptr;
        std::function<int()> pageIndex; // 0 the folder page, 1 the play list page
        std::function<ActiveList()> activeList;
        std::function<void()> stop; // the stop action
    };

    TTagController(THead& head, IMsgDlg& msg, Window window);

    void aFileTagExecute();
    void aT2NExecute();

private:
    THead& head_;
    IMsgDlg& msg_;
    Window window_;
};
