#pragma once

#include "app/MainWindowFixture.h"
#include "player/TestOutputs.h"

#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "tags/ui/utID3Tag.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

// The fields of a test file's tag.
struct Tag {
    QByteArray title = "Title";
    QByteArray artist = "Artist";
    QByteArray album = "Album";
    QByteArray year = "2001";
    QByteArray comment = "Comment";
    unsigned char genre = 17;
};

// The main window with silent, clock-driven players, its source pane showing a folder of music files
// made byte for byte.
class TagWindowFixture : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        deliverCatalogue();
        TwinMain::Services services;
        services.audio = std::make_unique<TestOutputs>();
        ASSERT_NO_FATAL_FAILURE(startWith(std::move(services)));
        music = programFolder() + "music/";
        ASSERT_EQ(::mkdir(music.constData(), 0755), 0);
    }

    static QByteArray TagBlock(const Tag& t)
    {
        QByteArray block(128, '\0');
        const auto put = [&block](int at, const QByteArray& bytes) {
            std::memcpy(block.data() + at, bytes.constData(), bytes.size());
        };
        put(0, "TAG");
        put(3, t.title);
        put(33, t.artist);
        put(63, t.album);
        put(93, t.year);
        put(97, t.comment);
        block[127] = static_cast<char>(t.genre);
        return block;
    }

    QByteArray Write(const QByteArray& name, const QByteArray& content, mode_t mode = 0644)
    {
        const QByteArray path = music + name;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
        EXPECT_GE(fd, 0) << path.constData();
        EXPECT_EQ(::write(fd, content.constData(), content.size()), content.size());
        ::close(fd);
        return path;
    }

    // A file of some audio-like bytes followed by the tag.
    QByteArray WriteMp3(const QByteArray& name, const Tag& tag = {}, mode_t mode = 0644)
    {
        return Write(name, QByteArray(512, '\x11') + TagBlock(tag), mode);
    }

    // A real MP3 stream with the tag, for the player.
    QByteArray WritePlayableMp3(const QByteArray& name, const Tag& tag = {})
    {
        QFile fixture(QStringLiteral(MELVANE_FIXTURES "/player/cbr.mp3"));
        EXPECT_TRUE(fixture.open(QIODevice::ReadOnly));
        return Write(name, fixture.readAll() + TagBlock(tag));
    }

    static QByteArray Contents(const QByteArray& path)
    {
        QByteArray bytes;
        const int fd = ::open(path.constData(), O_RDONLY);
        if (fd < 0)
            return bytes;
        char buffer[4096];
        for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, got);
        ::close(fd);
        return bytes;
    }

    static bool Exists(const QByteArray& path)
    {
        struct stat st {};
        return ::lstat(path.constData(), &st) == 0;
    }

    TFolderPane* Source() const { return win->SourcePane(); }
    FileListModel& Rows() const { return win->SourcePane()->ListModel(); }

    // Shows the music folder in the source pane.
    void ListMusic()
    {
        win->Head().SourcePath = music;
        Source()->FillFileList();
    }

    int RowOf(const QByteArray& name) const
    {
        for (int r = 0; r < Rows().RowCount(); ++r)
            if (Rows().Row(r).name == name)
                return r;
        return -1;
    }

    QString Cell(const QByteArray& name, int column) const
    {
        return Rows().index(RowOf(name), column).data().toString();
    }

    // Clicks the rows as the user would, the first plainly and the others with Ctrl.
    void Select(std::initializer_list<QByteArray> names)
    {
        TFileListView* list = Source()->List();
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
        for (const QByteArray& name : names) {
            const int row = RowOf(name);
            ASSERT_GE(row, 0) << name.constData();
            const QModelIndex at = Rows().index(row, 0);
            list->scrollTo(at);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualRect(at).center());
            modifiers = Qt::ControlModifier;
        }
    }

    QString Status() const { return win->findChild<QLabel*>(QStringLiteral("sbpStatus"))->text(); }

    // Triggers aFileTag and runs act on the tag dialog while it is open; the dialog is closed after
    // act if act left it open. False when no dialog opened.
    bool WithTagDialog(const std::function<void(TwinID3Tag&)>& act = {})
    {
        bool opened = false;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<TwinID3Tag*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            opened = true;
            if (act)
                act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        timer.start(0);
        win->Action(QStringLiteral("aFileTag"))->trigger();
        return opened;
    }

    // Types the text into the widget key by key, any character (QTest's key clicks take Latin-1 only).
    static void Type(QWidget* widget, const QString& text)
    {
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype len = text[i].isHighSurrogate() ? 2 : 1;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(i, len));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text.mid(i, len));
            QApplication::sendEvent(widget, &release);
            i += len;
        }
    }

    // Replaces an edit's text by typing.
    static void Retype(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        Type(edit, text);
    }

    QByteArray music;
};
