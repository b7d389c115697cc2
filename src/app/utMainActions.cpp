// Actions, the main menu, the tool bars and the pop-up menus, built from the action tables.
#include "ActionTable.h"
#include "utMain.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

// The program's own glyph, never the theme's: symbolic theme icons make play, stop or copy look
// disabled. Only the actions on the tool bars have glyphs.
QIcon iconOf(const ActionSpec& spec)
{
    const QString file = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(spec.name));
    return QFile::exists(file) ? QIcon(file) : QIcon();
}

QString plainCaption(const QString& caption)
{
    QString text = caption;
    text.remove(QLatin1Char('&'));
    return text;
}

} // namespace

void TwinMain::BuildActions()
{
    for (const ActionSpec& spec : ActionSpecs()) {
        auto* action = new QAction(QString::fromUtf8(spec.caption), this);
        action->setObjectName(QLatin1String(spec.name));
        // A hint is a tool tip only: as a status tip it would cover sbpStatus while hovering.
        const QString hint = QString::fromUtf8(spec.hint);
        action->setToolTip(hint.isEmpty() ? plainCaption(action->text()) : hint);
        action->setShortcuts(KeysOf(spec));
        // Shortcuts act wherever the window has the focus, on either page.
        action->setShortcutContext(Qt::WindowShortcut);
        action->setProperty("category", QLatin1String(spec.category));
        action->setIcon(iconOf(spec));
        action->setIconVisibleInMenu(false);
        addAction(action);
        actions_.insert(action->objectName(), action);
    }
}

void TwinMain::BuildMenus()
{
    for (const MenuSpec& spec : MainMenuSpecs()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(spec.caption));
        menu->setObjectName(QLatin1String(spec.name));
        for (const MenuEntry& entry : spec.entries) {
            if (QLatin1String(entry.name) == QLatin1String("-"))
                menu->addSeparator();
            else
                menu->addAction(actions_.value(QLatin1String(entry.name)));
        }
    }
}

void TwinMain::BuildToolBars()
{
    for (const MenuSpec& spec : ToolBarSpecs()) {
        QToolBar* bar = addToolBar(QLatin1String(spec.name));
        bar->setObjectName(QLatin1String(spec.name));
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setIconSize(QSize(20, 20));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        for (const MenuEntry& entry : spec.entries) {
            const QString name = QLatin1String(entry.name);
            if (name == QLatin1String("|")) {
                auto* divider = new QWidget(bar);
                divider->setFixedWidth(8);
                bar->addWidget(divider);
                continue;
            }
            QAction* action = actions_.value(name);
            bar->addAction(action);
            if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
                const bool wide = name == QLatin1String("aPause") || name == QLatin1String("aExit");
                button->setFixedSize(wide ? 33 : 32, 25);
            }
        }
    }
}

void TwinMain::BuildPopupMenus()
{
    for (const MenuSpec& spec : PopupMenuSpecs()) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QLatin1String(spec.name));
        for (const MenuEntry& entry : spec.entries) {
            const QString name = QLatin1String(entry.name);
            if (name == QLatin1String("-")) {
                menu->addSeparator();
            } else if (entry.caption != nullptr) {
                QAction* own = menu->addAction(QString::fromUtf8(entry.caption));
                own->setObjectName(name);
            } else {
                menu->addAction(actions_.value(name));
            }
        }
        popups_.insert(menu->objectName(), menu);
    }
}
