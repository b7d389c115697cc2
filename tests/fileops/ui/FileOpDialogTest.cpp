// The real progress dialog: questions on the user interface thread with the going-on button as
// default, and Cancel.
#include "fileops/FileOpFixture.h"

#include "fileops/FileOpTexts.h"
#include "fileops/TFileOpJob.h"
#include "fileops/ui/TFileOpDialog.h"
#include "fileops/ui/TFileOpUi.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Calls `act` on each modal window that shows while a job runs.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> act) : act_(std::move(act))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            // A mark, not the address: the next box may take the last one's place.
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != nullptr && !modal->property("watched").toBool()) {
                modal->setProperty("watched", true);
                act_(modal);
            }
        });
        timer_.start(10);
    }

private:
    std::function<void(QWidget*)> act_;
    QTimer timer_;
};

} // namespace

using FileOpDialog = FileOpTest;

TEST_F(FileOpDialog, TheQuestionDefaultsToYesSoEnterCreatesTheFolder)
{
    WriteAll(from + "/a.mp3", "a");
    QWidget owner;
    owner.show();
    QString text;
    QString boxTitle;
    bool yesIsDefault = false;
    ModalWatcher watcher([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr)
            return;
        text = box->text();
        boxTitle = box->parentWidget()->windowTitle();
        yesIsDefault = box->defaultButton() == box->button(QMessageBox::Yes);
        QDir().mkpath(QStringLiteral(MELVANE_SCREENSHOTS));
        box->grab().save(QStringLiteral(MELVANE_SCREENSHOTS "/file-op-question.png"));
        QTest::keyClick(box, Qt::Key_Return);
    });
    TFileOpUi ui;
    TFileOpJob job(FileOpKind::Copy, List({from + "/a.mp3"}), to + "/new");
    EXPECT_EQ(ui.Run(&owner, QStringLiteral("从 “a” 向 “b” 复制文件..."), job), kFileOpDone);
    EXPECT_EQ(text, CreateFolderQuestion(to + "/new"));
    EXPECT_TRUE(yesIsDefault);
    EXPECT_EQ(boxTitle, QStringLiteral("从 “a” 向 “b” 复制文件..."));
    EXPECT_EQ(ReadAll(to + "/new/a.mp3"), "a");
}

TEST_F(FileOpDialog, WithoutATrashEnterKeepsTheItemForEraseCannotBeUndone)
{
    // A data folder whose Trash is a file: no trash can be had there.
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    WriteAll(root + "/Trash", "not a folder");
    ::setenv("XDG_DATA_HOME", root.constData(), 1);
    WriteAll(from + "/a.mp3", "a");
    QStringList texts;
    QList<bool> yesIsDefault;
    ModalWatcher watcher([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr)
            return;
        texts.append(box->text());
        yesIsDefault.append(box->defaultButton() == box->button(QMessageBox::Yes));
        QTest::keyClick(box, Qt::Key_Return);
    });
    TFileOpUi ui;
    TFileOpJob job(FileOpKind::Trash, List({from + "/a.mp3"}));
    const int result = ui.Run(nullptr, QStringLiteral("t"), job);
    ::setenv("XDG_DATA_HOME", saved.constData(), 1);
    EXPECT_EQ(result, kFileOpDone);
    EXPECT_EQ(texts, (QStringList{TrashQuestion(1, from + "/a.mp3"), DeleteForGoodQuestion(from + "/a.mp3")}));
    EXPECT_EQ(yesIsDefault, (QList<bool>{true, false}));
    EXPECT_EQ(ReadAll(from + "/a.mp3"), "a");
}

TEST_F(FileOpDialog, AnErrorNamesTheItemAndItsReasonAndEnterSkipsIt)
{
    WriteAll(from + "/b.mp3", "b");
    QString text;
    QString defaultButton;
    ModalWatcher watcher([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr)
            return;
        text = box->text();
        defaultButton = box->defaultButton()->objectName();
        QTest::keyClick(box, Qt::Key_Return);
    });
    TFileOpUi ui;
    TFileOpJob job(FileOpKind::Copy, List({from + "/gone.mp3", from + "/b.mp3"}), to);
    EXPECT_EQ(ui.Run(nullptr, QStringLiteral("t"), job), kFileOpDone);
    EXPECT_EQ(text, ErrorMessage(from + "/gone.mp3", SystemReason(ENOENT)));
    EXPECT_EQ(defaultButton, "btnSkip");
    EXPECT_EQ(Names(to), QList<QByteArray>{"b.mp3"});
}

TEST_F(FileOpDialog, CancelStopsALongCopyAndLeavesNoPartialFile)
{
    const QByteArray big = from + "/big.wav";
    const int fd = ::open(big.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, qint64(16) << 30), 0);
    ::close(fd);
    bool clicked = false;
    QString title;
    ModalWatcher watcher([&](QWidget* modal) {
        auto* dialog = qobject_cast<TFileOpDialog*>(modal);
        if (dialog == nullptr)
            return;
        title = dialog->windowTitle();
        QTimer::singleShot(50, dialog, [dialog, &clicked] {
            QDir().mkpath(QStringLiteral(MELVANE_SCREENSHOTS));
            dialog->grab().save(QStringLiteral(MELVANE_SCREENSHOTS "/file-op-progress.png"));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnFileOpCancel")), Qt::LeftButton);
            clicked = true;
        });
    });
    TFileOpUi ui;
    TFileOpJob job(FileOpKind::Copy, List({big}), to);
    EXPECT_EQ(ui.Run(nullptr, QStringLiteral("复制"), job), kFileOpCancelled);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(title, QStringLiteral("复制"));
    EXPECT_TRUE(Names(to).isEmpty());
    EXPECT_LT(job.Snapshot().bytesDone, job.Snapshot().bytesTotal);
    EXPECT_EQ(job.Snapshot().bytesTotal, qint64(16) << 30);
}
