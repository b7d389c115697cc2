#pragma once

#include "fileops/FileOpUi.h"
#include "fileops/TFileOpJob.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <deque>
#include <thread>

// Runs each job on a worker thread, as the real progress dialog does, and answers the job's
// questions there from a script. A question the script does not answer counts in `unanswered` and
// gets the answer that goes nowhere (No, Stop).
class ScriptedFileOpUi final : public IFileOpUi, public IFileOpQuestions {
public:
    struct Question {
        QString kind;   // "trash", "create", "error", "forgood"
        QByteArray path;
        int count = 0;
        QString reason;
    };
    struct Request {
        QWidget* owner = nullptr;
        QString title;
        FileOpKind kind = FileOpKind::Copy;
        int result = -1;
    };

    std::deque<bool> confirmAnswers;       // trash, create folder and delete-for-good questions
    std::deque<ErrorAnswer> errorAnswers;
    qint64 cancelAtBytes = -1;             // GoOn answers false once this many bytes are done
    QList<Question> asked;
    QList<Request> requests;
    int unanswered = 0;
    bool askedOffWorker = false;

    int Run(QWidget* owner, const QString& title, TFileOpJob& job) override
    {
        int result = -1;
        std::thread worker([&] {
            worker_ = std::this_thread::get_id();
            result = job.Run(*this);
        });
        worker.join();
        requests.append({owner, title, job.Kind(), result});
        return result;
    }

    bool ConfirmTrash(int count, const QByteArray& onlyPath) override
    {
        return Confirm({QStringLiteral("trash"), onlyPath, count, {}});
    }
    bool ConfirmCreateFolder(const QByteArray& path) override
    {
        return Confirm({QStringLiteral("create"), path, 0, {}});
    }
    bool ConfirmDeleteForGood(const QByteArray& path) override
    {
        return Confirm({QStringLiteral("forgood"), path, 0, {}});
    }
    ErrorAnswer AskError(const QByteArray& path, const QString& reason) override
    {
        Record({QStringLiteral("error"), path, 0, reason});
        if (errorAnswers.empty()) {
            ++unanswered;
            return ErrorAnswer::Stop;
        }
        const ErrorAnswer answer = errorAnswers.front();
        errorAnswers.pop_front();
        return answer;
    }
    bool GoOn(const FileOpStats& done) override
    {
        return cancelAtBytes < 0 || done.bytesDone < cancelAtBytes;
    }

    QStringList Kinds() const
    {
        QStringList kinds;
        for (const Question& q : asked)
            kinds.append(q.kind);
        return kinds;
    }

private:
    void Record(const Question& question)
    {
        askedOffWorker = askedOffWorker || std::this_thread::get_id() != worker_;
        asked.append(question);
    }
    bool Confirm(const Question& question)
    {
        Record(question);
        if (confirmAnswers.empty()) {
            ++unanswered;
            return false;
        }
        const bool answer = confirmAnswers.front();
        confirmAnswers.pop_front();
        return answer;
    }

    std::thread::id worker_;
};
