#include "support/ModalDriver.h"
#include "support/RecordingOpener.h"
#include "support/ScriptedMsgDlg.h"
#include "dialogs/ui/TDialogsController.h"
#include "core/utHead.h"
#include "store/TCatalogue.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

void doubleClick(QWidget* dialog, const char* image)
{
    QTest::mouseDClick(dialog->findChild<QLabel*>(QLatin1String(image)), Qt::LeftButton);
}

bool shows(QWidget* dialog, const char* image)
{
    return dialog->findChild<QLabel*>(QLatin1String(image))->isVisible();
}

class AboutDialogTest : public ::testing::Test {
protected:
    void SetUp() override { window.show(); }

    void open(const ModalDriver::Drive& drive)
    {
        DriveModal([this] { controller.aAboutExecute(); }, drive);
    }

    THead head;
    TCatalogue catalogue;
    ScriptedMsgDlg msg;
    RecordingOpener opener;
    QWidget window;
    TDialogsController controller{head, catalogue, msg, opener, &window};
};

} // namespace

TEST_F(AboutDialogTest, PicturesSwapOnDoubleClickAndAFreshDialogStartsOver)
{
    open([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "关于");
        EXPECT_EQ(dialog->size(), QSize(404, 302));
        EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_EQ(dialog->findChild<QLabel*>("lblVersion")->text(), "4.0版 ( Version 4.0 )");
        auto* image1 = dialog->findChild<QLabel*>("Image1");
        EXPECT_EQ(image1->size(), QSize(160, 233));
        EXPECT_FALSE(image1->pixmap().isNull()) << "the picture is in the program";
        EXPECT_TRUE(shows(dialog, "Image1"));
        EXPECT_FALSE(shows(dialog, "Image2"));
        doubleClick(dialog, "Image1");
        EXPECT_FALSE(shows(dialog, "Image1"));
        EXPECT_TRUE(shows(dialog, "Image2"));
        doubleClick(dialog, "Image2");
        EXPECT_TRUE(shows(dialog, "Image1"));
        EXPECT_FALSE(shows(dialog, "Image2"));
        doubleClick(dialog, "Image1");
        dialog->findChild<QTabWidget*>("pcAbout")->setCurrentIndex(1);
        QTest::mouseClick(dialog->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
    });
    open([](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QTabWidget*>("pcAbout")->currentIndex(), 0);
        EXPECT_TRUE(shows(dialog, "Image1"));
        EXPECT_FALSE(shows(dialog, "Image2"));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
}

TEST_F(AboutDialogTest, EnterClosesFromTheNoteAndFromTheShortcutPage)
{
    for (const char* box : {"memNote", "memHotkey"}) {
        SCOPED_TRACE(box);
        open([box](QWidget* dialog) {
            auto* text = dialog->findChild<QPlainTextEdit*>(QLatin1String(box));
            if (QLatin1String(box) == QLatin1String("memHotkey"))
                dialog->findChild<QTabWidget*>("pcAbout")->setCurrentIndex(1);
            text->setFocus();
            QTest::keyClick(text, Qt::Key_Return);
            EXPECT_TRUE(text->isReadOnly());
        });
    }
}

TEST_F(AboutDialogTest, ShortcutPageShowsTheTwentyThreeLines)
{
    QFile file(QStringLiteral(MELVANE_FIXTURES "/dialogs/hotkeys.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString expected = QString::fromUtf8(file.readAll()).chopped(1);
    open([&](QWidget* dialog) {
        auto* page = dialog->findChild<QPlainTextEdit*>("memHotkey");
        EXPECT_EQ(page->toPlainText(), expected);
        EXPECT_EQ(page->blockCount(), 23);
        EXPECT_EQ(page->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QTest::mouseClick(dialog->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
    });
}
