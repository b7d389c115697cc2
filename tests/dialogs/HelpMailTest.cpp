#include "WindowFixture.h"
#include "support/ModalDialog.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeView>

#include <cstdio>

namespace {

void makeFile(const QByteArray& path)
{
    FILE* f = std::fopen(path.constData(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("ITSF", f);
    std::fclose(f);
}

const QString kNoHelp = QStringLiteral("[MelvaneKIRO] 没有找到帮助文件 [KIROHelp.chm]！");

} // namespace

TEST_F(WindowFixture, F1WithoutTheHelpFileWarnsEachTime)
{
    ASSERT_NO_FATAL_FAILURE(start());
    auto* tree = win->findChild<QTreeView*>("dtvSource");
    auto* pages = win->findChild<QTabWidget*>("pcMain");
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_F1);
    pages->setCurrentIndex(1);
    pages->tabBar()->setFocus();
    QTest::keyClick(pages->tabBar(), Qt::Key_F1);
    ASSERT_EQ(msg->shown.size(), 2);
    for (const ScriptedMsgDlg::Shown& box : msg->shown) {
        EXPECT_EQ(box.text, kNoHelp);
        EXPECT_EQ(box.kind, MsgKind::Warning);
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
    }
    EXPECT_TRUE(opener->opened.isEmpty());
}

TEST_F(WindowFixture, F1OpensTheHelpFileBesideTheProgramByItsBytes)
{
    // A program folder named in GBK: the opener gets the very bytes.
    ASSERT_NO_FATAL_FAILURE(start("\xd2\xf4\xc0\xd6"));
    makeFile(programFolder + "KIROHelp.chm");
    auto* list = win->findChild<QWidget*>("lvTarget");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F1);
    for (const ScriptedMsgDlg::Shown& box : msg->shown)
        EXPECT_NE(box.text, kNoHelp);
    ASSERT_EQ(opener->opened.size(), 1);
    EXPECT_EQ(opener->opened[0], programFolder + "KIROHelp.chm");
    EXPECT_EQ(win->findChild<QWidget*>("winHelp"), nullptr) << "the viewer answered";
}

TEST_F(WindowFixture, AFolderNamedLikeTheHelpFileIsNoHelpFile)
{
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_EQ(::mkdir((programFolder + "KIROHelp.chm").constData(), 0755), 0);
    win->Action("aHelp")->trigger();
    ASSERT_EQ(msg->shown.size(), 1);
    EXPECT_EQ(msg->shown[0].text, kNoHelp);
    EXPECT_TRUE(opener->opened.isEmpty());
}

TEST_F(WindowFixture, F1WithoutAViewerShowsTheProgramsOwnHelp)
{
    ASSERT_NO_FATAL_FAILURE(start());
    makeFile(programFolder + "KIROHelp.chm");
    opener->answer = false;
    auto* list = win->findChild<QWidget*>("lvSource");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F1);
    ASSERT_EQ(opener->opened.size(), 1);
    EXPECT_TRUE(msg->shown.isEmpty());

    auto* help = win->findChild<QWidget*>("winHelp");
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    EXPECT_EQ(help->windowTitle(), QStringLiteral("帮助"));
    auto* browser = help->findChild<QTextBrowser*>("tbHelp");
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("qrc:/help/index.html")));
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("MelvaneKIRO 帮助"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("目录")));
    const QVariant picture = browser->loadResource(QTextDocument::ImageResource,
                                                   QUrl(QStringLiteral("images/main-window.png")));
    EXPECT_FALSE(QImage::fromData(picture.toByteArray()).isNull()) << "the page's picture loads";

    // The first link is the contents page itself, the second the panes' page.
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("qrc:/help/panes.html")));
    EXPECT_FALSE(browser->toPlainText().isEmpty());
    QTest::mouseClick(help->findChild<QPushButton*>("btnHelpBack"), Qt::LeftButton);
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("qrc:/help/index.html")));

    QTest::keyClick(browser, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible()) << "Esc closes the help as it closes a dialog";
}

TEST_F(WindowFixture, MailWithoutAMailProgramGivesTheAddress)
{
    ASSERT_NO_FATAL_FAILURE(start());
    opener->answer = false;
    QMenu* help = win->menuBar()->findChild<QMenu*>("mnuHelp");
    ASSERT_NE(help, nullptr);
    QAction* mail = win->Action("aMail");
    EXPECT_TRUE(help->actions().contains(mail));
    mail->trigger();
    ASSERT_EQ(opener->opened.size(), 1);
    EXPECT_EQ(opener->opened[0], "mailto:melvanekiro@users.noreply.example");
    ASSERT_EQ(msg->shown.size(), 1);
    EXPECT_EQ(msg->shown[0].text, QStringLiteral("[MelvaneKIRO] 没有找到邮件程序！\n"
                                                 "请用您的邮件程序给 [melvanekiro@users.noreply.example] 发电子邮件。"));
    EXPECT_EQ(msg->shown[0].kind, MsgKind::Information);
}

TEST_F(WindowFixture, OptionsAndAboutOpenFromTheirActions)
{
    ASSERT_NO_FATAL_FAILURE(start());
    DriveModal([&] { win->Action("aOption")->trigger(); },
               [](QWidget* dialog) {
                   EXPECT_EQ(dialog->objectName(), "winOption");
                   QTest::mouseClick(dialog->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
               });
    EXPECT_TRUE(msg->layerErrors.isEmpty()) << "the window's catalogue takes the options";
    DriveModal([&] { win->Action("aAbout")->trigger(); },
               [](QWidget* dialog) {
                   EXPECT_EQ(dialog->objectName(), "winAbout");
                   QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
               });
}
