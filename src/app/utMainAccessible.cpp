// Names, tab order and keys of the main window. The controls are found by their names, as the window
// and its panes built them.
#include "utMainAccessible.h"

#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TPaneStatusBar.h"
#include "player/ui/TTransport.h"
#include "utMain.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>

namespace {

template <typename T>
T* named(const QWidget& win, QByteArrayView name)
{
    return win.findChild<T*>(QString::fromLatin1(name));
}

QLabel* labelSaying(const QWidget& win, const QString& text)
{
    for (QLabel* label : win.findChildren<QLabel*>()) {
        if (label->text() == text)
            return label;
    }
    return nullptr;
}

void buddy(QLabel* label, QWidget* control)
{
    if (label != nullptr && control != nullptr)
        label->setBuddy(control);
}

// A view and its scroll bars, named after what it shows.
void nameView(QAbstractItemView* view, const QString& name)
{
    if (view == nullptr)
        return;
    view->setAccessibleName(name);
    view->verticalScrollBar()->setAccessibleName(name + QStringLiteral(" 垂直滚动条"));
    view->horizontalScrollBar()->setAccessibleName(name + QStringLiteral(" 水平滚动条"));
}

void namePane(const QWidget& win, TFolderPane* pane, const char* side, const QString& title)
{
    const QByteArray name(side);
    auto* path = named<QLineEdit>(win, "dedt" + name);
    buddy(named<QLabel>(win, "lbl" + name + "Folder"), path);
    for (QToolButton* browse : path->findChildren<QToolButton*>())
        browse->setAccessibleName(QStringLiteral("选择文件夹"));
    auto* fileType = named<QComboBox>(win, "cmb" + name + "FileType");
    buddy(named<QLabel>(win, "lbl" + name + "FileType"), fileType);
    fileType->setAccessibleDescription(title);
    nameView(pane->Tree(), title);
    nameView(pane->List(), title);
}

// Shift+F10 does what the right mouse button does on the focused control: its pop-up menu, at its
// current row.
void popUpMenuOfFocus()
{
    auto* view = qobject_cast<QAbstractItemView*>(QApplication::focusWidget());
    if (view == nullptr)
        return;
    const QRect row = view->visualRect(view->currentIndex());
    const QPoint at = row.isValid() ? row.center() : QPoint(1, 1);
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, view->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(view->viewport(), &event);
}

// The keys that move the progress bar seek as letting go of it does; Ctrl and a digit sort a pane
// list; a list or tree reached by key becomes the active one.
class KeysOnWindow final : public QObject {
public:
    explicit KeysOnWindow(TwinMain& win) : QObject(&win), win_(win) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
                Activate(watched);
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched != named<QSlider>(win_, "trbProgress"))
            return SortByKey(watched, *key);
        switch (key->key()) {
        case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
        case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Home: case Qt::Key_End:
            break;
        default:
            return false;
        }
        win_.Transport().trbProgressMouseDown(Qt::LeftButton, Qt::NoModifier, {});
        watched->event(event);
        win_.Transport().trbProgressMouseUp(Qt::LeftButton, Qt::NoModifier, {});
        return true;
    }

private:
    // Ctrl+1 to Ctrl+9 in a pane list: a click on the header of the list's first to ninth column.
    bool SortByKey(QObject* list, const QKeyEvent& key)
    {
        if (key.modifiers() != Qt::ControlModifier || key.key() < Qt::Key_1 || key.key() > Qt::Key_9)
            return false;
        for (TFolderPane* pane : {win_.SourcePane(), win_.TargetPane()}) {
            if (list != pane->List())
                continue;
            const int column = pane->List()->header()->logicalIndex(key.key() - Qt::Key_1);
            if (column >= 0)
                pane->lvSourceColumnClick(column);
            return true;
        }
        return false;
    }

    // What a click does to the active pane, for a list or tree reached by key.
    void Activate(QObject* control)
    {
        for (TFolderPane* pane : {win_.SourcePane(), win_.TargetPane()}) {
            if (control == pane->List())
                win_.SetActivePane(pane->List(), pane->Tree(), pane->StatusBar());
            else if (control == pane->Tree())
                win_.SetActivePane(win_.ActiveFileList(), pane->Tree(), win_.ActiveStatusBar());
        }
    }

    TwinMain& win_;
};

} // namespace

void MakeAccessible(TwinMain& win)
{
    buddy(labelSaying(win, QStringLiteral("正在播放")), named<QLineEdit>(win, "edtCurrPlay"));
    buddy(labelSaying(win, QStringLiteral("播放进度")), named<QSlider>(win, "trbProgress"));
    buddy(labelSaying(win, QStringLiteral("音量")), named<QSlider>(win, "trbVolume"));
    namePane(win, win.SourcePane(), "Source", QStringLiteral("源文件夹"));
    namePane(win, win.TargetPane(), "Target", QStringLiteral("目标文件夹"));
    nameView(named<QAbstractItemView>(win, "dbgList"), QStringLiteral("播放列表"));
    nameView(named<QAbstractItemView>(win, "lvListDetail"), QStringLiteral("自定义播放列表"));

    // Reading order: the player's line, the page tabs, then each pane from its tree to its list.
    QList<QWidget*> order{named<QWidget>(win, "edtCurrPlay"), named<QWidget>(win, "trbProgress"),
                          named<QWidget>(win, "trbVolume"), named<QTabWidget>(win, "pcMain")->tabBar()};
    for (TFolderPane* pane : {win.SourcePane(), win.TargetPane()}) {
        const QByteArray side = pane == win.SourcePane() ? "Source" : "Target";
        order << pane->Tree() << named<QWidget>(win, "dedt" + side) << named<QWidget>(win, "cmb" + side + "FileType")
              << pane->List();
    }
    order << named<QWidget>(win, "dbgList") << named<QWidget>(win, "lvListDetail");
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);

    auto* keys = new KeysOnWindow(win);
    named<QSlider>(win, "trbProgress")->installEventFilter(keys);
    for (TFolderPane* pane : {win.SourcePane(), win.TargetPane()}) {
        pane->List()->installEventFilter(keys);
        pane->Tree()->installEventFilter(keys);
    }
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), &win);
    QObject::connect(menuKey, &QShortcut::activated, &win, &popUpMenuOfFocus);
}
