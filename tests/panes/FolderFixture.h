#pragma once

#include "panes/FileIcons.h"
#include "panes/FileListFiller.h"
#include "panes/FileListModel.h"
#include "panes/PaneStatus.h"
#include "core/utHead.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QEventLoop>
#include <QList>

#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

// Status panels as plain texts, in any tab order.
class RecordingPanels : public IStatusPanels {
public:
    explicit RecordingPanels(QList<int> tabOrders = {0, 1, 2})
        : tabOrders_(std::move(tabOrders))
        , texts_(tabOrders_.size())
    {
    }
    int PanelCount() const override { return static_cast<int>(tabOrders_.size()); }
    int PanelTabOrder(int panel) const override { return tabOrders_[panel]; }
    void SetPanelText(int panel, const QString& text) override { texts_[panel] = text; }
    // The text of the panel with this tab order.
    QString Text(int tabOrder) const { return texts_[tabOrders_.indexOf(tabOrder)]; }
    const QList<QString>& Texts() const { return texts_; }

private:
    QList<int> tabOrders_;
    QList<QString> texts_;
};

class NoFileIcons : public IFileIcons {
public:
    QIcon SmallFileIcon(const QByteArray&) override { return QIcon(); }
};

// Lists folder into list as a pane does, to its end, then writes the panels with no row selected.
inline void FillFileList(FileListModel& list, const QByteArray& folder, IStatusPanels& panels, const QString& mask,
                         const THead& head, const QLocale& locale, IFileIcons& icons)
{
    FileListFiller filler(list, icons);
    filler.Fill(folder, RulesFor(mask, head), locale, head.iFileSizeUnit);
    if (filler.Listing()) {
        QEventLoop loop;
        QObject::connect(&filler, &FileListFiller::Listed, &loop, &QEventLoop::quit);
        loop.exec();
    }
    UpdatePaneStatus(list, 0, panels, head, locale);
}

// A real temporary folder to list, with files made byte for byte.
class FolderFixture : public testing::Test {
protected:
    FolderFixture() { head_.ColumnTitles = QString::fromUtf8(kColumnTitles); }

    QByteArray Folder() const { return dir_.Path() + "/"; }

    QByteArray Make(const QByteArray& name, const QByteArray& content) const { return dir_.MakeFile(name, content); }
    QByteArray MakeSized(const QByteArray& name, long long size) const { return dir_.MakeSizedFile(name, size); }

    static void SetTime(const QByteArray& path, std::time_t when)
    {
        const struct timespec times[2] = {{when, 0}, {when, 0}};
        ::utimensat(AT_FDCWD, path.constData(), times, 0);
    }

    // An MP3 body of `audio` bytes followed by a tag.
    static QByteArray TaggedMp3(const QByteArray& title, const QByteArray& artist = "Artist",
                                int audio = 400)
    {
        QByteArray tag(128, '\0');
        std::memcpy(tag.data(), "TAG", 3);
        std::memcpy(tag.data() + 3, title.constData(), title.size());
        std::memcpy(tag.data() + 33, artist.constData(), artist.size());
        std::memcpy(tag.data() + 63, "Album", 5);
        std::memcpy(tag.data() + 93, "2001", 4);
        std::memcpy(tag.data() + 97, "Comment", 7);
        return QByteArray(audio, '\x11') + tag;
    }

    TempFolder dir_;
    THead head_;
};
