#pragma once

#include "fileops/FileOpQuestions.h"

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// The progress window of a file operation: the caller's title, a bar for the bytes (or items),
// the count of items, and Cancel. It reads the job's statistics every 100 ms. Closing the window
// asks for a cancel too; it stays until the job has stopped.
class TFileOpDialog final : public QDialog {
    Q_OBJECT

public:
    TFileOpDialog(QWidget* owner, const QString& title, std::function<FileOpStats()> stats);

    // Lets the window close; called when the job has finished.
    void Finish();

signals:
    void CancelRequested();

public slots:
    void reject() override;

private:
    void Poll();

    std::function<FileOpStats()> stats_;
    QProgressBar* bar_ = nullptr;
    QLabel* items_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* poll_ = nullptr;
    bool finished_ = false;
};
