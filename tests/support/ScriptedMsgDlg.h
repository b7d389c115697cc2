#pragma once

#include "core/MsgDlg.h"

#include <QList>
#include <QString>

#include <deque>

// Message box for tests: records every box and answers questions from a script
// (Yes when the script runs dry would hide a missing answer, so it fails instead).
class ScriptedMsgDlg final : public IMsgDlg {
public:
    struct Shown {
        QString text;
        MsgKind kind;
        MsgButtons buttons;
    };

    std::deque<MsgResult> answers;
    QList<Shown> shown;
    QStringList layerErrors;
    QStringList standardErrors;
    int unanswered = 0;

    MsgResult Show(const QString& text, MsgKind kind, MsgButtons buttons) override
    {
        shown.append({text, kind, buttons});
        if (buttons == MsgButtons::Ok)
            return MsgResult::Ok;
        if (answers.empty()) {
            ++unanswered;
            return MsgResult::No;
        }
        const MsgResult r = answers.front();
        answers.pop_front();
        return r;
    }
    void ShowLayerError(const QString& text) override { layerErrors.append(text); }
    void ShowStandardError(const QString& text) override { standardErrors.append(text); }
};
