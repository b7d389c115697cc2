#pragma once

#include "app/MainWindowFixture.h"
#include "fileops/FileOpFixture.h"
#include "fileops/ui/PaneRows.h"
#include "player/TestOutputs.h"
#include "support/ModalDialog.h"
#include "support/ScriptedFileOpUi.h"
#include "core/ItemRoles.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <functional>
#include <memory>
#include <sys/stat.h>

// The main window over a fresh catalogue with scripted message box, folder chooser, file-operation
// window and a silent audio output, and a music folder to sort in a temporary folder.
class FolderOpsWindow : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        deliverCatalogue();
        auto scriptedOps = std::make_unique<ScriptedFileOpUi>();
        ops = scriptedOps.get();
        TwinMain::Services services;
        services.fileOpUi = std::move(scriptedOps);
        services.audio = std::make_unique<TestOutputs>();
        startWith(std::move(services));
        music = dir.MakeDir("music");
    }

    TFolderPane* Source() const { return win->SourcePane(); }
    TFolderPane* Target() const { return win->TargetPane(); }

    // Selects the folder in the pane's tree and clicks it, as the user does.
    static void Open(TFolderPane* pane, const QByteArray& folder)
    {
        ASSERT_TRUE(pane->Tree()->SelectPath(folder)) << folder.constData();
        pane->dtvSourceClick();
    }

    QAction* Item(const char* name) const
    {
        return win->Popup(QStringLiteral("pmFolderTv"))->findChild<QAction*>(QLatin1String(name));
    }
    // Opens the tree menu (its items take their states) and runs one of its commands.
    void Run(const char* item) const
    {
        emit win->Popup(QStringLiteral("pmFolderTv"))->aboutToShow();
        Item(item)->trigger();
    }

    // Runs trigger and, while the modal dialog of type T it opens is up, act; closes the dialog if act
    // left it open. False when no such dialog opened.
    template <class T>
    static bool WithDialog(const std::function<void()>& trigger, std::function<void(T&)> act)
    {
        auto opened = std::make_shared<bool>(false);
        WhenModal([opened, act = std::move(act)](QWidget* widget) {
            auto* dialog = qobject_cast<T*>(widget);
            if (!dialog)
                return;
            *opened = true;
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        trigger();
        return *opened;
    }

    // Types Latin-1 text into the field in place of what it holds.
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    static bool IsDir(const QByteArray& path)
    {
        struct stat st {};
        return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    ScriptedFileOpUi* ops = nullptr;
    QByteArray music;
};
