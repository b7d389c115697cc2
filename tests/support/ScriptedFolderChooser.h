#pragma once

#include "core/FolderChooser.h"

#include <QList>

#include <deque>
#include <optional>

// Folder chooser for tests: records every call and answers from a script. An empty script
// answers "cancelled" and counts the call as unanswered, so a missing answer shows.
class ScriptedFolderChooser final : public IFolderChooser {
public:
    struct Call {
        QString title;
        QByteArray startPath;
    };

    std::deque<std::optional<QByteArray>> answers;
    QList<Call> calls;
    int unanswered = 0;

    std::optional<QByteArray> Choose(const QString& title, const QByteArray& startPath) override
    {
        calls.append({title, startPath});
        if (answers.empty()) {
            ++unanswered;
            return std::nullopt;
        }
        // The answer's bytes, not the optional, are moved out: GCC's -O2 sees the optional's copy as
        // possibly uninitialised.
        if (!answers.front()) {
            answers.pop_front();
            return std::nullopt;
        }
        const QByteArray answer = *answers.front();
        answers.pop_front();
        return answer;
    }
};
