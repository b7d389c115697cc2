#pragma once

#include <QString>

enum class MsgKind { Warning, Error, Information, Confirmation };
enum class MsgButtons { Ok, YesNo };
enum class MsgResult { Ok, Yes, No };

// Every message of the program goes through this one object. The real one shows
// modal boxes; tests answer it by script.
class IMsgDlg {
public:
    virtual ~IMsgDlg() = default;

    // The program's own message box.
    virtual MsgResult Show(const QString& text, MsgKind kind, MsgButtons buttons) = 0;

    // The plain error box for errors the database layer or the file system
    // raise, showing their own text.
    virtual void ShowLayerError(const QString& text) = 0;

    // The platform's standard error box (error icon, OK), used only for the
    // media player's open error.
    virtual void ShowStandardError(const QString& text) = 0;
};
