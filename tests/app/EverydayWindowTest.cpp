// What a user meets on the first day: a file opened from outside, a click inside a selection, dialog titles.
#include "PlayWindowFixture.h"
#include "support/ModalDialog.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSet>
#include <QWindow>

namespace {

using EverydayWindow = PlayWindowFixture;

QPoint rowCentre(const TFileListView* list, int row)
{
    return list->visualRect(list->model()->index(row, 0)).center();
}

// The pointer moved with the left button held.
void moveHeld(TFileListView* list, QPoint to, Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent move(QEvent::MouseMove, to, list->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, modifiers);
    QApplication::sendEvent(list->viewport(), &move);
}

// A click as a hand makes it: the pointer moves a little, less than a drag, before the button comes up.
void click(TFileListView* list, int row, Qt::KeyboardModifiers modifiers = {})
{
    const QPoint at = rowCentre(list, row);
    QTest::mousePress(list->viewport(), Qt::LeftButton, modifiers, at);
    moveHeld(list, at + QPoint(1, 1), modifiers);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, modifiers, at + QPoint(1, 1));
}

// The rows with a selected cell: a drag keeps only the captions selected.
int rowsWithSelection(const TFileListView* list)
{
    QSet<int> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    return int(rows.size());
}

} // namespace

TEST_F(EverydayWindow, AFileOpenedFromOutsideShowsWhateverTypeTheBoxWasLeftOnAndPlays)
{
    put("a.wav", "tone.wav");
    put("b.mp3", "cbr.mp3");
    startListing();
    QComboBox* box = win->SourcePane()->FileTypeBox();
    box->setCurrentIndex(box->findText("*.wav"));
    ASSERT_EQ(source()->model()->rowCount(), 1);

    win->OpenFiles({folder + "b.mp3"});
    EXPECT_EQ(box->currentText(), "*.*");
    EXPECT_EQ(source()->model()->rowCount(), 2);
    ASSERT_EQ(selectedRows().size(), 1);
    EXPECT_EQ(RowBytes(source(), selectedRows()[0]), "b.mp3");
    EXPECT_EQ(win->Head().PlayingFile, folder + "b.mp3");

    // A box that shows the file already stays as it is.
    box->setCurrentIndex(box->findText("*.wav"));
    win->OpenFiles({folder + "a.wav"});
    EXPECT_EQ(box->currentText(), "*.wav");
    EXPECT_EQ(win->Head().PlayingFile, folder + "a.wav");
}

TEST_F(EverydayWindow, APlainClickInASelectionSelectsThatRowAloneAndADragStillCarriesAll)
{
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"})
        put(name);
    startListing();
    // Active with the list in focus, as on a desktop: only then does a click on a selected row start an edit.
    QApplication::setActiveWindow(win.get());
    source()->setFocus();
    click(source(), 0);
    click(source(), 1, Qt::ControlModifier);
    click(source(), 2, Qt::ControlModifier);
    ASSERT_EQ(selectedRows(), (QList<int>{0, 1, 2}));
    click(source(), 0);
    EXPECT_EQ(selectedRows(), QList<int>{0});
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    EXPECT_EQ(source()->viewport()->findChild<QLineEdit*>(), nullptr) << "a click that narrows renames nothing";

    click(source(), 1, Qt::ControlModifier);
    click(source(), 2, Qt::ControlModifier);
    int dragged = 0;
    QObject::connect(source(), &TFileListView::StartDrag, source(), [&] {
        dragged = rowsWithSelection(source());
        // Let go of the drag where nothing takes it, where the platform's drag waits for that.
        QTimer::singleShot(0, source(), [] {
            if (QWidget* focus = QApplication::focusWidget())
                QTest::keyClick(focus, Qt::Key_Escape);
        });
    });
    const QPoint from = rowCentre(source(), 0);
    QTest::mousePress(source()->viewport(), Qt::LeftButton, {}, from);
    moveHeld(source(), from + QPoint(1, 1));
    EXPECT_EQ(selectedRows(), (QList<int>{0, 1, 2})) << "a drag may still come";
    moveHeld(source(), from + QPoint(0, 3 * QApplication::startDragDistance()));
    EXPECT_EQ(dragged, 3);
    QTest::mouseRelease(source()->viewport(), Qt::LeftButton, {}, from);
    EXPECT_EQ(source()->model()->rowCount(), 4) << "the cancelled drag moved nothing";
}

TEST_F(EverydayWindow, ADialogsTitleNamesTheDialogWhileAFilePlays)
{
    put("cbr.mp3", "cbr.mp3");
    startListing();
    win->SetActivePane(source(), win->SourcePane()->Tree(), win->SourcePane()->StatusBar());
    win->PlayFile(folder + "cbr.mp3");
    // The task bar shows the main window with what plays; its caption stays.
    EXPECT_EQ(win->windowHandle()->title(), "MelvaneKIRO(V4.0)-cbr.mp3");
    EXPECT_EQ(win->windowTitle(), "MelvaneKIRO(V4.0)");

    QString title;
    WhenModal([&](QWidget* dialog) {
        title = dialog->windowHandle()->title();
        dialog->close();
    });
    win->Action("aAbout")->trigger();
    EXPECT_EQ(title, "关于");
    // What Qt ends every window's title with.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "MelvaneKIRO");
}
