#pragma once

#include <QString>

class QWidget;
class TFileOpJob;

// Runs a file-operation job on a worker thread while its window shows progress and asks the job's
// questions. The real one is a modal progress dialog; tests answer by script.
class IFileOpUi {
public:
    virtual ~IFileOpUi() = default;

    // owner: the window the progress dialog belongs to; title: the dialog's title.
    // Returns the job's result once it has finished.
    virtual int Run(QWidget* owner, const QString& title, TFileOpJob& job) = 0;
};
