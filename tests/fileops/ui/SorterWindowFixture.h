#pragma once

#include "support/ShownWindow.h"
#include "core/ListRows.h"
#include "fileops/FileOpFixture.h"
#include "fileops/ui/PaneRows.h"
#include "player/TestOutputs.h"
#include "support/RecordingOpener.h"
#include "support/ScriptedMsgDlg.h"

#include "app/utMain.h"
#include "core/ItemRoles.h"
#include "fileops/ui/TFileSorter.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"
#include "panes/ui/TPaneStatusBar.h"

#include <QAction>
#include <QFile>
#include <QItemSelectionModel>
#include <QTest>

// The main window with scripted message box, file-operation questions, opener and silent output;
// the source pane shows root/src, the target pane root/dst.
class SorterWindow : public FileOpTest {
protected:
    void SetUp() override
    {
        FileOpTest::SetUp();
        src = from;
        dst = to;
        MakeDir(root + "/program");
        auto scripted = std::make_unique<ScriptedMsgDlg>();
        msg = scripted.get();
        auto fileOps = std::make_unique<ScriptedFileOpUi>();
        ops = fileOps.get();
        auto opener = std::make_unique<RecordingOpener>();
        opened = opener.get();
        TwinMain::Services services;
        services.msgDlg = std::move(scripted);
        services.fileOpUi = std::move(fileOps);
        services.opener = std::move(opener);
        services.audio = std::make_unique<TestOutputs>();
        win = std::make_unique<TwinMain>(root + "/program/MelvaneKIRO", std::move(services));
        ASSERT_NO_FATAL_FAILURE(ShowMainWindow(*win));
        msg->shown.clear();   // the missing catalogue
    }
    void TearDown() override { win.reset(); }

    TFolderPane* Source() const { return win->SourcePane(); }
    TFolderPane* Target() const { return win->TargetPane(); }
    TFileSorter& Sorter() const { return win->FileSorter(); }

    void Go(TFolderPane* pane, const QByteArray& folder)
    {
        ASSERT_TRUE(pane->Tree()->SelectPath(folder)) << folder.constData();
        pane->dtvSourceClick();
    }
    void GoBoth()
    {
        Go(Source(), src);
        Go(Target(), dst);
    }

    QList<QByteArray> Rows(TFolderPane* pane) const
    {
        QList<QByteArray> names;
        const QAbstractItemModel* model = pane->List()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names.append(model->index(row, 0).data(kNameBytesRole).toByteArray());
        std::sort(names.begin(), names.end());
        return names;
    }
    QList<QByteArray> SelectedNames(TFolderPane* pane) const
    {
        QList<QByteArray> names;
        for (const int row : SelectedRows(pane->List()))
            names.append(pane->List()->model()->index(row, 0).data(kNameBytesRole).toByteArray());
        std::sort(names.begin(), names.end());
        return names;
    }
    void Activate(TFolderPane* pane) { win->SetActivePane(pane->List(), pane->Tree(), pane->StatusBar()); }
    void Trigger(const char* action) { win->Action(QString::fromLatin1(action))->trigger(); }
    QStringList Shown() const
    {
        QStringList texts;
        for (const ScriptedMsgDlg::Shown& box : msg->shown)
            texts.append(box.text);
        return texts;
    }
    // A real MP3 file that the window can play.
    void PlaceSong(const QByteArray& path)
    {
        WriteAll(path, ReadAll(MELVANE_FIXTURES "/player/cbr.mp3"));
    }

    QByteArray src;
    QByteArray dst;
    std::unique_ptr<TwinMain> win;
    ScriptedMsgDlg* msg = nullptr;
    ScriptedFileOpUi* ops = nullptr;
    RecordingOpener* opened = nullptr;
};
