#pragma once

#include "MainWindowFixture.h"
#include "core/ListRows.h"
#include "player/TestOutputs.h"
#include "support/RecordingOpener.h"

#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"
#include "panes/ui/TPaneStatusBar.h"
#include "player/ui/TTransport.h"

#include <QLineEdit>

#include <fcntl.h>
#include <unistd.h>

// The main window on the silent outputs of the test clock, with an opener that only records, and a
// folder of music on the desktop that the source pane lists in name order.
class PlayWindowFixture : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        deliverCatalogue();
        folder = qgetenv("XDG_DESKTOP_DIR") + "/m-XXXXXX";
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        folder += '/';
    }

    void TearDown() override
    {
        MainWindowFixture::TearDown();
        for (const QByteArray& name : made)
            ::unlink((folder + name).constData());
        ::rmdir(folder.constData());
    }

    // A file of the folder with the content of a player fixture, or a line of text (empty files
    // are not listed).
    void put(const QByteArray& name, const char* fixture = nullptr)
    {
        QByteArray bytes = "some notes\n";
        if (fixture != nullptr) {
            QFile in(QStringLiteral(MELVANE_FIXTURES "/player/") + QLatin1String(fixture));
            ASSERT_TRUE(in.open(QIODevice::ReadOnly));
            bytes = in.readAll();
        }
        const int fd = ::open((folder + name).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())), bytes.size());
        ::close(fd);
        made.append(name);
    }

    // Starts the window and lists the folder in the source pane, sorted by name.
    void startListing(std::unique_ptr<VolumeDevice> volume = nullptr)
    {
        auto audio = std::make_unique<TestOutputs>();
        outputs = audio.get();
        auto recording = std::make_unique<RecordingOpener>();
        opener = recording.get();
        TwinMain::Services services;
        services.audio = std::move(audio);
        services.opener = std::move(recording);
        services.volume = std::move(volume);
        ASSERT_NO_FATAL_FAILURE(startWith(std::move(services)));
        win->SourcePane()->PathField()->setText(QString::fromUtf8(folder.chopped(1)));
        ASSERT_EQ(win->Head().SourcePath, folder);
        win->SourcePane()->ListModel().ColumnClick(0);
    }

    TFileListView* source() const { return win->SourcePane()->List(); }
    TTransport& transport() const { return win->Transport(); }

    // Selects these rows of the source list, which takes the focus.
    void select(std::initializer_list<int> rows)
    {
        source()->setFocus();
        source()->clearSelection();
        for (int row : rows)
            source()->selectionModel()->select(source()->model()->index(row, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    QList<int> selectedRows() const { return SelectedRows(source()); }

    // Plays the rest of the file and lets the next tick find its end.
    void playToTheEnd()
    {
        outputs->Advance(4000);
        transport().tmMainTimer();
    }

    template <typename T> T* control(const char* name) const { return win->findChild<T*>(QLatin1String(name)); }

    QByteArray folder;
    QByteArrayList made;
    TestOutputs* outputs = nullptr;
    RecordingOpener* opener = nullptr;
};
