#pragma once

#include "support/ScriptedFolderChooser.h"
#include "support/ScriptedMsgDlg.h"
#include "support/TempFolder.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"
#include "panes/ui/TPaneStatusBar.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// One pane over a desktop in a temporary folder (which is also the home folder), with a scripted
// message box and folder chooser.
class FolderPaneTest : public testing::Test {
protected:
    TempFolder tmp;
    QByteArray root = tmp.Path();
    QByteArray desktop = root + "/Desktop";
    THead head;
    ScriptedMsgDlg msg;
    ScriptedFolderChooser chooser;
    std::unique_ptr<TFolderPane> pane;

    void SetUp() override
    {
        tmp.MakeDir("Desktop");
        head.ColumnTitles = QString::fromUtf8(kColumnTitles);
    }

    void Build(PaneSide side = PaneSide::Source, std::shared_ptr<FolderWatch> watch = {})
    {
        pane = std::make_unique<TFolderPane>(side, head, msg, chooser,
                                             FolderTreeModel::Places{desktop, root, root + "/no-mounts"}, nullptr,
                                             std::move(watch));
        pane->resize(800, 300);
        pane->show();
    }

    // What the main window does when it first shows.
    void BuildAndShow(std::shared_ptr<FolderWatch> watch = {})
    {
        Build(PaneSide::Source, std::move(watch));
        pane->SetupFileColumns();
        pane->dtvSourceClick();
    }

    TFolderTree* Tree() { return pane->Tree(); }
    FolderTreeModel& TreeModel() { return pane->Tree()->Model(); }

    QModelIndex Node(const QByteArray& path) { return TreeModel().Resolve(path); }

    void ClickNode(const QModelIndex& index, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = {})
    {
        ASSERT_TRUE(index.isValid());
        for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
            Tree()->expand(up);
        Tree()->scrollTo(index);
        QTest::mouseClick(Tree()->viewport(), button, modifiers, Tree()->visualRect(index).center());
    }

    QStringList Captions()
    {
        QStringList captions;
        for (int row = 0; row < pane->ListModel().RowCount(); ++row)
            captions << pane->ListModel().Row(row).caption;
        return captions;
    }

    QString Panel(int i) { return pane->StatusBar()->PanelText(i); }

    // Types into a field as a user does: ASCII on keys, Chinese committed by the input method.
    static void Type(QWidget* field, const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(field, char(c.unicode()));
                continue;
            }
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QCoreApplication::sendEvent(field, &commit);
        }
    }
};

