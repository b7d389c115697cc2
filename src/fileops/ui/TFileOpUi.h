#pragma once

#include "fileops/FileOpUi.h"

// The real way a file operation meets the user: the job runs on a worker thread while the user
// interface thread sits in the modal progress dialog; the job's questions come over to the user
// interface thread as message boxes whose default button is the one that goes on.
class TFileOpUi final : public IFileOpUi {
public:
    int Run(QWidget* owner, const QString& title, TFileOpJob& job) override;
};
