#include "TFileOpUi.h"

#include "TFileOpDialog.h"
#include "fileops/FileOpTexts.h"
#include "fileops/TFileOpJob.h"

#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include <future>
#include <memory>

namespace {

// Asks on the user interface thread, for a job on its worker thread.
class QuestionBridge final : public QObject, public IFileOpQuestions {
public:
    explicit QuestionBridge(QWidget* dialog) : dialog_(dialog) {}

    void Cancel() { cancel_.Cancel(); }

    bool ConfirmTrash(int count, const QByteArray& onlyPath) override
    {
        return YesNo(TrashQuestion(count, onlyPath));
    }
    bool ConfirmCreateFolder(const QByteArray& path) override { return YesNo(CreateFolderQuestion(path)); }
    // Erasing cannot be undone: Enter keeps the item.
    bool ConfirmDeleteForGood(const QByteArray& path) override
    {
        return YesNo(DeleteForGoodQuestion(path), QMessageBox::No);
    }

    ErrorAnswer AskError(const QByteArray& path, const QString& reason) override
    {
        ErrorAnswer answer = ErrorAnswer::Stop;
        OnUiThread([&] {
            QMessageBox box(QMessageBox::Warning, dialog_->windowTitle(), ErrorMessage(path, reason),
                            QMessageBox::NoButton, dialog_);
            QPushButton* skip = box.addButton(QStringLiteral("跳过(&S)"), QMessageBox::AcceptRole);
            QPushButton* retry = box.addButton(QStringLiteral("重试(&R)"), QMessageBox::ActionRole);
            QPushButton* stop = box.addButton(QStringLiteral("停止"), QMessageBox::RejectRole);
            skip->setObjectName(QStringLiteral("btnSkip"));
            retry->setObjectName(QStringLiteral("btnRetry"));
            stop->setObjectName(QStringLiteral("btnStop"));
            box.setDefaultButton(skip);
            box.setEscapeButton(stop);
            box.exec();
            answer = box.clickedButton() == skip ? ErrorAnswer::Skip
                : box.clickedButton() == retry   ? ErrorAnswer::Retry
                                                 : ErrorAnswer::Stop;
        });
        return answer;
    }

    bool GoOn(const FileOpStats&) override { return !cancel_.Cancelled(); }

private:
    bool YesNo(const QString& text, QMessageBox::StandardButton defaultButton = QMessageBox::Yes)
    {
        bool yes = false;
        OnUiThread([&] {
            QMessageBox box(QMessageBox::Question, dialog_->windowTitle(), text, QMessageBox::Yes | QMessageBox::No,
                            dialog_);
            box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
            box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
            box.setDefaultButton(defaultButton);
            yes = box.exec() == QMessageBox::Yes;
        });
        return yes;
    }

    // The job waits on a promise rather than in a blocking queued call, so that the hand-over of the
    // answer is one the race checker can see.
    template <typename F> void OnUiThread(F ask)
    {
        if (QThread::currentThread() == thread()) {
            ask();
            return;
        }
        auto asked = std::make_shared<std::promise<void>>();
        std::future<void> answered = asked->get_future();
        QMetaObject::invokeMethod(this, [&ask, asked] {
            ask();
            asked->set_value();
        }, Qt::QueuedConnection);
        answered.wait();
    }

    QWidget* dialog_;
    CancelFlag cancel_;
};

} // namespace

int TFileOpUi::Run(QWidget* owner, const QString& title, TFileOpJob& job)
{
    TFileOpDialog dialog(owner, title, [&job] { return job.Snapshot(); });
    QuestionBridge bridge(&dialog);
    QObject::connect(&dialog, &TFileOpDialog::CancelRequested, &bridge, [&bridge] { bridge.Cancel(); });

    int result = kFileOpFailed;
    std::unique_ptr<QThread> worker(QThread::create([&] { result = job.Run(bridge); }));
    QObject::connect(worker.get(), &QThread::finished, &dialog, &TFileOpDialog::Finish);
    worker->start();
    dialog.exec();
    worker->wait();
    return result;
}
