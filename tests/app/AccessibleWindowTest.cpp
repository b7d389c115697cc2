// The main window as a screen reader reads it, and the keys for what the mouse does there.
#include "PlayWindowFixture.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QSlider>
#include <QTabWidget>

namespace {

using AccessibleWindow = MainWindowFixture;

// The roles a screen reader announces with a name, as the accessibility bus's readers count them.
const QList<QAccessible::Role> kNamedRoles = {
    QAccessible::PushButton, QAccessible::CheckBox,  QAccessible::RadioButton, QAccessible::EditableText,
    QAccessible::Slider,     QAccessible::SpinBox,   QAccessible::ComboBox,    QAccessible::Tree,
    QAccessible::Table,      QAccessible::List,      QAccessible::PageTab,     QAccessible::MenuItem,
    QAccessible::ProgressBar, QAccessible::ScrollBar, QAccessible::ButtonMenu, QAccessible::ButtonDropDown};

// Each control shown without a name, by role and object name; count: the controls looked at.
void findUnnamed(QAccessibleInterface* node, QStringList& unnamed, int& count)
{
    const QAccessible::Role role = node->role();
    if (role == QAccessible::Cell || role == QAccessible::ColumnHeader || role == QAccessible::RowHeader)
        return;
    if (kNamedRoles.contains(role) && (!node->state().invisible || role == QAccessible::MenuItem)) {
        ++count;
        // A box's name is its current choice: a label or a description has to tell it apart.
        const bool named = role == QAccessible::ComboBox
            ? !node->relations(QAccessible::Label).isEmpty() || !node->text(QAccessible::Description).isEmpty()
            : !node->text(QAccessible::Name).isEmpty();
        if (!named)
            unnamed << QStringLiteral("%1 %2").arg(int(role)).arg(node->object() ? node->object()->objectName() : QString());
    }
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface* child = node->child(i))
            findUnnamed(child, unnamed, count);
    }
}

} // namespace

TEST_F(AccessibleWindow, EveryControlOnBothPagesHasAName)
{
    deliverCatalogue();
    start();
    auto* pages = win->findChild<QTabWidget*>("pcMain");
    for (int page : {0, 1}) {
        pages->setCurrentIndex(page);
        QStringList unnamed;
        int count = 0;
        findUnnamed(QAccessible::queryAccessibleInterface(win.get()), unnamed, count);
        EXPECT_TRUE(unnamed.isEmpty()) << "page " << page << ": " << unnamed.join(", ").toStdString();
        EXPECT_GT(count, 40);
    }
    QAccessibleInterface* path = QAccessible::queryAccessibleInterface(win->findChild<QWidget*>("dedtTarget"));
    EXPECT_EQ(path->text(QAccessible::Name), "目标文件夹");
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(win->SourcePane()->List());
    EXPECT_EQ(list->text(QAccessible::Name), "源文件夹");
}

TEST_F(AccessibleWindow, TabGoesThroughEachPaneInReadingOrderAndShiftF10OpensThePopUpMenu)
{
    deliverCatalogue();
    start();
    win->SourcePane()->Tree()->setFocus();
    QStringList order;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order, QStringList({"dedtSource", "cmbSourceFileType", "lvSource", "dtvTarget", "dedtTarget",
                                  "cmbTargetFileType", "lvTarget"}));
    // The list reached by key is the one the file actions act on, as after a click.
    EXPECT_EQ(win->ActiveFileList(), win->TargetPane()->List());

    QTest::keyClick(win->TargetPane()->List(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    EXPECT_EQ(QApplication::activePopupWidget(), win->Popup("pmFileList"));
    QApplication::activePopupWidget()->close();
}

using KeysInTheWindow = PlayWindowFixture;

TEST_F(KeysInTheWindow, ArrowKeysOnTheProgressBarSeekAsLettingGoOfItDoes)
{
    put("a.mp3", "cbr.mp3");
    startListing();
    select({0});
    QTest::keyClick(source(), Qt::Key_Return);
    ASSERT_EQ(win->Mp3Play().GetState(), 1);
    auto* bar = control<QSlider>("trbProgress");
    bar->setFocus();
    const int before = bar->value();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(bar, Qt::Key_Right);
    const int sought = bar->value();
    EXPECT_GE(sought, before + 3 * bar->singleStep());
    EXPECT_EQ(win->Mp3Play().GetState(), 1);
    outputs->Advance(10);
    transport().tmMainTimer();
    EXPECT_GE(bar->value(), sought);
}

TEST_F(KeysInTheWindow, CtrlAndADigitSortAPaneListAsAClickOnThatColumnsHeader)
{
    put("a.txt");
    put("b.txt");
    startListing();
    ASSERT_EQ(RowBytes(source(), 0), "a.txt");
    QTest::keyClick(source(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(RowBytes(source(), 0), "b.txt");
}
