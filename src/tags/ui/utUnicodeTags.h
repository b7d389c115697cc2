#pragma once

#include "tags/UnicodeJob.h"

#include <QDialog>

#include <atomic>
#include <functional>

class QDialogButtonBox;
class QLabel;
class QThread;
class QTreeWidget;

// The dialog of 标签转为Unicode: each selected MP3 file with the title, artist and album it will get,
// files already readable marked unchanged. The files' tags are read on a worker when it opens; 确定
// converts on a worker while the dialog shows how far it is (取消 then stops before the next file)
// and closes when done; 取消 before that writes nothing. It cannot close while a worker runs.
class TwinUnicodeTags final : public QDialog {
    Q_OBJECT

public:
    TwinUnicodeTags(QList<UnicodeItem> items, QWidget* owner);
    ~TwinUnicodeTags() override;

    QTreeWidget* lvUnicodeFiles() const { return lvUnicodeFiles_; }
    QDialogButtonBox* Buttons() const { return buttons_; }
    // Whether 确定 ran the conversion; then Outcome() says what it did.
    bool Ran() const { return ran_; }
    const UnicodeOutcome& Outcome() const { return outcome_; }

    void reject() override;

private:
    // Runs work on a worker, then done on this thread.
    void RunOnWorker(std::function<void()> work, std::function<void()> done);
    void ShowPlans();
    void Start();
    void closeEvent(QCloseEvent* event) override;

    QList<UnicodeItem> items_;
    QTreeWidget* lvUnicodeFiles_ = nullptr;
    QLabel* lblProgress_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QThread* worker_ = nullptr;
    std::atomic<bool> cancel_ {false};
    bool ran_ = false;
    UnicodeOutcome outcome_;
};
