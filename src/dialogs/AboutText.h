#pragma once

#include <QString>
#include <QStringList>

// The texts of the About dialog.
QString AboutVersionText();
QString AboutContactLine();
QString AboutNote();

// The shortcut page, line by line. A fixed text: it names Ctrl+D and Ctrl+F, as users of earlier
// versions know them, although the tag and add-to-list actions answer Ctrl+G and Alt+A.
const QStringList& HotkeyLines();
