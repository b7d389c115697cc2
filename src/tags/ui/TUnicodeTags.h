#pragma once

#include "TTagController.h"

class IMsgDlg;

// 标签转为Unicode for the selected MP3 files of a folder pane: the dialog, then one summary, then the
// pane's rows read again.
class TUnicodeTags final {
public:
    TUnicodeTags(IMsgDlg& msg, TTagController::Window window);

    void aUnicodeTagExecute();

private:
    IMsgDlg& msg_;
    TTagController::Window window_;
};
