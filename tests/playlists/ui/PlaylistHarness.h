#pragma once

#include "ModalDriver.h"
#include "playlists/FileChooser.h"
#include "playlists/PlaylistFixture.h"
#include "playlists/ui/TListDetailView.h"
#include "playlists/ui/TListGrid.h"
#include "playlists/ui/TListStatusBar.h"
#include "playlists/ui/TPlaylists.h"
#include "support/ScriptedMsgDlg.h"

#include <QAction>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <deque>

// The open-file dialog by script: each call takes the next answer (none: cancelled).
class ScriptedFileChooser final : public IFileChooser {
public:
    std::deque<QList<QByteArray>> answers;
    int calls = 0;
    QString title;

    QList<QByteArray> ChooseFiles(QWidget*, const QString& t) override
    {
        ++calls;
        title = t;
        if (answers.empty())
            return {};
        QList<QByteArray> next = answers.front();
        answers.pop_front();
        return next;
    }
};

// The play list page as the main window lays it out (tab 0 with two pane lists, tab 1 with the grid,
// the entry view and its status bar) around the real controller, on a real catalogue.
class PlaylistHarness : public PlaylistFixture {
protected:
    void start()
    {
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        pcMain = new QTabWidget(window.get());
        layout->addWidget(pcMain);
        auto* folderPage = new QWidget;
        auto* folderLayout = new QVBoxLayout(folderPage);
        for (auto [list, name] : {std::pair{&lvSource, "lvSource"}, std::pair{&lvTarget, "lvTarget"}}) {
            *list = new QTableView(folderPage);
            (*list)->setObjectName(QLatin1String(name));
            (*list)->setSelectionBehavior(QAbstractItemView::SelectRows);
            (*list)->setSelectionMode(QAbstractItemView::ExtendedSelection);
            (*list)->setModel(new QStandardItemModel(*list));
            folderLayout->addWidget(*list);
        }
        pcMain->addTab(folderPage, "folders");
        auto* listPage = new QWidget;
        auto* listLayout = new QVBoxLayout(listPage);
        dbgList = new TListGrid(listPage);
        lvListDetail = new TListDetailView(listPage);
        sbList = new TListStatusBar(listPage);
        listLayout->addWidget(dbgList);
        listLayout->addWidget(lvListDetail);
        listLayout->addWidget(sbList);
        pcMain->addTab(listPage, "lists");
        pcMain->setCurrentIndex(1);
        for (const char* name : {"aListEdit", "aListDelete", "aListScan", "aListAddFile", "aFileTag", "pmiFileAdd2New",
                                 "pmiFileAdd2Old", "aFileDelete"}) {
            auto* action = new QAction(window.get());
            action->setObjectName(QLatin1String(name));
            actions.insert(QLatin1String(name), action);
        }
        TPlaylists::Controls controls{window.get(),
                                      pcMain,
                                      dbgList,
                                      lvListDetail,
                                      sbList,
                                      actions["aListEdit"],
                                      actions["aListDelete"],
                                      actions["aListScan"],
                                      actions["aListAddFile"],
                                      actions["aFileTag"],
                                      actions["pmiFileAdd2New"],
                                      actions["pmiFileAdd2Old"],
                                      actions["aFileDelete"]};
        TPlaylists::Hooks hooks{[this] { return active; }, [this] { active = lvListDetail; },
                                [this] {
                                    ++stops;
                                    head.PlayingFile.clear();
                                }};
        playlists = std::make_unique<TPlaylists>(catalogue.Database(), head, msg, chooser, controls, hooks);
        QObject::connect(actions["aFileDelete"], &QAction::triggered, playlists.get(),
                         &TPlaylists::aFileDeleteExecute);
        ASSERT_TRUE(playlists->OpenListQuery().ok);
        window->resize(800, 600);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    static void setRows(QTableView* list, const QList<QByteArray>& names)
    {
        auto* model = static_cast<QStandardItemModel*>(list->model());
        model->clear();
        for (const QByteArray& name : names) {
            auto* item = new QStandardItem(QString::fromUtf8(name));
            item->setData(name, kNameBytesRole);
            model->appendRow(item);
        }
    }

    static void selectRows(QAbstractItemView* view, const QList<int>& rows)
    {
        view->selectionModel()->clearSelection();
        for (const int row : rows)
            view->selectionModel()->select(view->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    QList<QByteArray> shown() const { return playlists->Entries().Paths(); }
    QString status(int panel) const { return sbList->PanelText(panel); }

    ScriptedMsgDlg msg;
    ScriptedFileChooser chooser;
    THead head;
    int stops = 0;
    QAbstractItemView* active = nullptr;
    std::unique_ptr<QWidget> window;
    QTabWidget* pcMain = nullptr;
    QTableView* lvSource = nullptr;
    QTableView* lvTarget = nullptr;
    TListGrid* dbgList = nullptr;
    TListDetailView* lvListDetail = nullptr;
    TListStatusBar* sbList = nullptr;
    QHash<QString, QAction*> actions;
    std::unique_ptr<TPlaylists> playlists;
};
