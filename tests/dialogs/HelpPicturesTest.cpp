// Writes the pictures of the windows that the help pages show (see data/help/README.md).
#include "WindowFixture.h"
#include "support/ModalDialog.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTabWidget>

namespace {

const QString kFolder = QStringLiteral(MELVANE_SCREENSHOTS "/help");

// A short MP3 file with an ID3v1 tag whose text fields are GBK, as Chinese players write them.
void writeTaggedMp3(const QString& path, const QString& title, const QString& artist, const QString& album)
{
    QFile source(QStringLiteral(MELVANE_FIXTURES "/player/cbr.mp3"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray bytes = source.readAll();
    QStringEncoder gbk("GBK");
    const auto field = [&](const QString& text, int size) {
        QByteArray b = gbk.encode(text);
        b.resize(size, '\0');
        return b;
    };
    bytes += "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + "2024" + field({}, 30) + '\x0c';
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
}

void save(QWidget* widget, const char* name)
{
    QDir().mkpath(kFolder);
    const QString file = kFolder + QLatin1Char('/') + QLatin1String(name);
    ASSERT_TRUE(widget->grab().save(file)) << name;
    const QImage back(file);
    EXPECT_EQ(back.size(), widget->size() * widget->devicePixelRatio()) << name;
}

// The folder of example music: MELVANE_PICTURE_FOLDER when the published pictures are made (a plain
// path, see data/help/pictures.sh), else a folder on the test's desktop.
QString musicFolder()
{
    const QString given = qEnvironmentVariable("MELVANE_PICTURE_FOLDER");
    return given.isEmpty() ? qEnvironmentVariable("XDG_DESKTOP_DIR") + QStringLiteral("/音乐") : given;
}

} // namespace

TEST_F(WindowFixture, PicturesForTheHelpPages)
{
    const QString music = musicFolder();
    const QString sorted = music + QStringLiteral("/已整理");
    ASSERT_TRUE(QDir().mkpath(sorted));
    writeTaggedMp3(music + QStringLiteral("/春天的小路.mp3"), QStringLiteral("春天的小路"),
                   QStringLiteral("示例乐队"), QStringLiteral("四季"));
    writeTaggedMp3(music + QStringLiteral("/海边的风.mp3"), QStringLiteral("海边的风"), QStringLiteral("示例乐队"),
                   QStringLiteral("四季"));
    writeTaggedMp3(music + QStringLiteral("/track03.mp3"), QStringLiteral("夜曲练习"), QStringLiteral("林小雨"),
                   QStringLiteral("夜曲"));
    QFile::copy(QStringLiteral(MELVANE_FIXTURES "/player/tone.wav"), music + QStringLiteral("/门铃.wav"));
    QFile::copy(QStringLiteral(MELVANE_FIXTURES "/player/tempo_change.mid"), music + QStringLiteral("/练习曲.mid"));
    writeTaggedMp3(sorted + QStringLiteral("/小河淌水.mp3"), QStringLiteral("小河淌水"), QStringLiteral("林小雨"),
                   QStringLiteral("民歌"));

    ASSERT_NO_FATAL_FAILURE(start());
    win->SourcePane()->PathField()->setText(music);
    win->TargetPane()->PathField()->setText(sorted);
    win->resize(960, 640);
    QTest::qWait(20);
    // The panes share the height, and each tree shows the way to its folder from the home folders on.
    auto* panes = win->findChild<QSplitter*>(QStringLiteral("splFolder"));
    const int height = panes->height() - panes->handleWidth();
    panes->setSizes({height / 2, height - height / 2});
    for (const TFolderPane* pane : {win->SourcePane(), win->TargetPane()}) {
        QModelIndex node = pane->Tree()->currentIndex();
        while (node.parent().isValid() && node.data().toString() != QStringLiteral("home"))
            node = node.parent();
        pane->Tree()->scrollTo(node, QAbstractItemView::PositionAtTop);
    }
    QTest::qWait(50);
    save(win.get(), "main-window.png");

    auto* pages = win->findChild<QTabWidget*>("pcMain");
    pages->setCurrentIndex(1);
    QTest::qWait(20);
    save(win.get(), "playlist-page.png");
    pages->setCurrentIndex(0);

    DriveModal([&] { win->Action("aOption")->trigger(); },
               [](QWidget* dialog) {
                   save(dialog, "options-file.png");
                   dialog->findChild<QTabWidget*>("pcOption")->setCurrentIndex(1);
                   save(dialog, "options-play.png");
                   QTest::mouseClick(dialog->findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
               });
    DriveModal([&] { win->Action("aAbout")->trigger(); },
               [](QWidget* dialog) {
                   save(dialog, "about.png");
                   dialog->findChild<QTabWidget*>("pcAbout")->setCurrentIndex(1);
                   save(dialog, "about-hotkeys.png");
                   QTest::mouseClick(dialog->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
               });
}
