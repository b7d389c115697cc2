#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

// The commands of the main window as data: the window builds its actions, menus, tool bars and pop-up
// menus from these tables.
struct ActionSpec {
    const char* name;
    const char* caption;
    const char* hint;
    const char* shortcut;   // portable text of the key, "" for none
    const char* secondary;  // shown form of a second key ("alt+C"), "" for none
    const char* category;
};

const QList<ActionSpec>& ActionSpecs();
const ActionSpec* FindActionSpec(const QString& name);

// An entry of a menu or tool bar: an action's name, "-" a separator, "|" a tool bar divider, or an item
// of the menu's own (object name and caption).
struct MenuEntry {
    const char* name;
    const char* caption = nullptr;
};

struct MenuSpec {
    const char* name;
    const char* caption;
    QList<MenuEntry> entries;
};

const QList<MenuSpec>& MainMenuSpecs();
const QList<MenuSpec>& ToolBarSpecs();
const QList<MenuSpec>& PopupMenuSpecs();

// The keys of an action: its shortcut and its secondary shortcut, the latter given in its shown form
// ("alt+C" acts as Alt+C).

QList<QKeySequence> KeysOf(const ActionSpec& spec);
